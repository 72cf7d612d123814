#pragma once
// Settings and records the grid owns beside its cells: sort settings, the
// column filter, the tree-node look, the background, the hidden-row record,
// the hint window and the grid's in-place edit. Each starts with its
// construction values; the code that acts on them comes with sorting,
// filtering, tree nodes, background painting, hidden rows and editing.

#include <QString>
#include <memory>
#include <vector>

#include "grid/grid_enums.h"
#include "platform/core/classes.h"
#include "platform/core/stringlist.h"
#include "platform/stdgrid/grids.h"
#include "platform/ui/graphics.h"

class TKvStringGrid;

// ---- sorting
enum TIndexSortKey : int { ikShift, ikCtrl, ikAlt, ikNone };
enum TSortDirection : int { sdAscending, sdDescending };

class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TKvStringGrid* AOwner);
    QString ClassName() const override { return QStringLiteral("TSortSettings"); }
    void Assign(const TPersistent* Source) override;

    TBitmap* GetUpGlyph() { return &FUpGlyph; }
    TBitmap* GetDownGlyph() { return &FDownGlyph; }
    TBitmap* IndexUpGlyph() { return &FIndexUpGlyph; }
    TBitmap* IndexDownGlyph() { return &FIndexDownGlyph; }

    // Writing a new colour repaints the last fixed row.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value);
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value);
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor Value);
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor Value);

    bool Show = false;
    bool Full = true;
    bool AutoFormat = true;
    TColor IndexColor = 0xFFFF;
    bool AutoSortForGrouping = true;
    bool SortOnVirtualCells = true;
    bool IgnoreCase = false;
    // Sorting moves only the sorted column's cells, not whole rows.
    bool SingleColumn = false;
    int Column = -1;
    TIndexSortKey IndexSortKey = ikShift;
    bool IndexShow = false;
    // ---- read by the header painting
    int Row = 0;
    TSortDirection Direction = sdAscending;
    bool FixedCols = false;
    // ---- read by the header click
    TSortDirection InitSortDirection = sdAscending;
    // A third click on the sorted column restores the unsorted order.
    bool UndoSort = false;
    bool AutoColumnMerge = false;

private:
    void StoreHeaderColour(TColor& Field, TColor Value);
    TKvStringGrid* FOwner;
    TBitmap FUpGlyph, FDownGlyph, FIndexUpGlyph, FIndexDownGlyph;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
};

// ---- filtering
enum TFilterOperation : int { foNONE, foAND, foOR, foXOR };

class TFilterData : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    QString ClassName() const override { return QStringLiteral("TFilterData"); }
    void Assign(const TPersistent* Source) override;

    int Column = 0;
    QString Condition;
    bool CaseSensitive = false;
    TFilterOperation Operation = foNONE;
};

class TFilter : public TCollection {
public:
    explicit TFilter(TKvStringGrid* AOwner);
    QString ClassName() const override { return QStringLiteral("TFilter"); }
    TFilterData* Items(int Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
    TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
    // The entry of column Col, added when there is none.
    TFilterData* GetColFilter(int Col);
    bool HasFilter(int Col) const;

private:
    TKvStringGrid* FOwner;
};

// ---- tree nodes
enum TNodeType : int { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode : public TPersistent {
public:
    explicit TCellNode(TKvStringGrid* AOwner) : FOwner(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TCellNode"); }
    // From another TCellNode only: every property, the glyphs by content.
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType Value);
    TColor NodeColor() const { return FNodeColor; }
    void SetNodeColor(TColor Value) { FNodeColor = Value; }
    bool ExpandOne() const { return FExpandOne; }
    void SetExpandOne(bool Value) { FExpandOne = Value; }
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool Value);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int Value);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor Value);
    TBitmap* ExpandGlyph() { return &FExpandGlyph; }
    void SetExpandGlyph(const TBitmap& Value) { FExpandGlyph.Assign(Value); }
    TBitmap* ContractGlyph() { return &FContractGlyph; }
    void SetContractGlyph(const TBitmap& Value) { FContractGlyph.Assign(Value); }

private:
    void Repaint();
    TKvStringGrid* FOwner;
    TColor FColor = clSilver;
    TNodeType FNodeType = cnXP;
    TColor FNodeColor = clBlack;
    TBitmap FExpandGlyph;
    bool FExpandOne = false;
    TBitmap FContractGlyph;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    int FNodeIndent = 12;
    TColor FTreeColor = clGray;
};

// ---- background
enum TBackGroundDisplay : int { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells : int { bcNormal, bcFixed, bcAll };

// Every write repaints the whole grid.
class TBackGround : public TPersistent {
public:
    explicit TBackGround(TKvStringGrid* AOwner) : FOwner(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TBackGround"); }
    void Assign(const TPersistent* Source) override;

    int Left() const { return FLeft; }
    void SetLeft(int Value);
    int Top() const { return FTop; }
    void SetTop(int Value);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay Value);
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TBitmap* Bitmap() { return &FBitmap; }
    void SetBitmap(const TBitmap& Value);
    bool IsGradient() const { return FDisplay == bdGradientHorz || FDisplay == bdGradientVert; }

private:
    void Repaint();
    TKvStringGrid* FOwner;
    int FLeft = 0;
    int FTop = 0;
    TBackGroundDisplay FDisplay = bdTile;
    TBackGroundCells FCells = bcNormal;
    TColor FColor = clWindow;
    TColor FColorTo = clBtnFace;
    TBitmap FBitmap;
};

// The window that shows cell hints with markup.
// The cell hint window is declared in grid/html_hint_window.h.
class THTMLHintWindow;

// ---- hidden rows
// One hidden row: its index and the stored cells with their properties. The
// properties stay owned by the grid while the record holds them.
class TGridItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    QString ClassName() const override { return QStringLiteral("TGridItem"); }
    int Idx = 0;
    int RowHeight = 0;
    // The filter level of the batch that hid the row; 0 for rows hidden one range at a time.
    int Level = 0;
    // Appended by a batch or the simple hiding rather than inserted in Idx order.
    bool Appended = false;
    TStringList* Cells() { return &FCells; }

private:
    TStringList FCells;
};

// The normal in-place editor is declared in grid_input/kv_inplace_edit.h.
class TKvInplaceEdit;

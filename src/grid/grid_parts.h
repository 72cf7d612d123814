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
enum TSortBlankPosition : int { blFirst, blLast };

// The options of the grid's sorts. Options without a side effect are plain
// fields; Show, Row and the glyphs have setters for their repaint, their check
// or their copy.
class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TKvStringGrid* AOwner);
    QString ClassName() const override { return QStringLiteral("TSortSettings"); }
    // From another TSortSettings only; IgnoreCase and SortOnVirtualCells stay.
    void Assign(const TPersistent* Source) override;

    TBitmap* GetUpGlyph() { return &FUpGlyph; }
    TBitmap* GetDownGlyph() { return &FDownGlyph; }
    TBitmap* IndexUpGlyph() { return &FIndexUpGlyph; }
    TBitmap* IndexDownGlyph() { return &FIndexDownGlyph; }
    // The glyph setters copy the picture.
    void SetUpGlyph(const TBitmap& Value) { FUpGlyph.Assign(Value); }
    void SetDownGlyph(const TBitmap& Value) { FDownGlyph.Assign(Value); }
    void SetIndexUpGlyph(const TBitmap& Value) { FIndexUpGlyph.Assign(Value); }
    void SetIndexDownGlyph(const TBitmap& Value) { FIndexDownGlyph.Assign(Value); }

    // Writing a new colour repaints the last fixed row.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value);
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value);
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor Value);
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor Value);

    // ---- (grid_sort.cpp)
    // Repaints the grid when the value changes.
    void SetShow(bool Value);
    // Raises "Sort row should be smaller than number of fixed rows" and keeps
    // the old row for a value not below FixedRows.
    void SetRow(int Value);
    // "u3" / "d3" (-1 for no column), or "i;" and the index list in indexed mode.
    QString SaveToString() const;
    // Restores a saved state and sorts by it; see the grid's sort code.
    void LoadFromString(const QString& Value);
    // No sorted column and no index list any more.
    void Remove();
    void ToggleDirection() { Direction = Direction == sdAscending ? sdDescending : sdAscending; }

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
    // Empty cells go to BlankPos whatever the direction.
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    // Column 0 keeps its cells during a sort when the grid has fixed columns.
    bool NormalCellsOnly = false;
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
// How a condition's result joins the running result: foSHORT ends the test at
// the first failing condition.
enum TFilterOperation : int { foSHORT, foNONE, foAND, foXOR, foOR };
// Which text of the cell a condition tests; fcRow joins the whole row.
enum TFilterCells : int { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterMethod : int { fmExpression, fmLiteral };

class TFilterData : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    QString ClassName() const override { return QStringLiteral("TFilterData"); }
    // From another TFilterData: all but Method. A nil source changes nothing.
    void Assign(const TPersistent* Source) override;

    int Column = 0;
    QString Condition;
    bool CaseSensitive = true;
    TFilterCells Data = fcVirtual;
    QString Prefix;
    QString Suffix;
    TFilterOperation Operation = foSHORT;
    TFilterMethod Method = fmExpression;
};

class TFilter : public TCollection {
public:
    explicit TFilter(TKvStringGrid* AOwner);
    QString ClassName() const override { return QStringLiteral("TFilter"); }
    TFilterData* Items(int Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
    TKvStringGrid* GetOwner() const { return FOwner; }
    // ---- (grid_filter.cpp)
    // A new condition joined with foNONE when it is the only one, else foAND.
    TFilterData* Add();
    // A new condition at the end, keeping foSHORT (the index is not used).
    TFilterData* Insert(int Index);
    // Deletes every condition of column Col and repaints its header cell.
    void RemoveColumnFilter(int Col);
    TFilterData* ColumnFilter(int Col) { return GetColFilter(Col); }
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

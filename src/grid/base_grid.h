#pragma once
// The base of the grid control: the stock string grid with per-cell
// properties, merged cells (a rectangle shown and edited through its top-left
// base cell), display-text hooks between the stored text and what Cells
// returns, its own cell frame painting (selection looks, active and hover
// rows, grid lines) and an optional undo/redo component.
//
// Cells are addressed by storage coordinates. The grid draws its own grid
// lines, so the stock grid-line width is held at 0 and the stock default
// drawing off. Each merged area is painted once per paint through its base
// cell; the paint counter tells a covered cell whether that happened already.

#include <QString>
#include <functional>
#include <unordered_set>

#include "grid/cell_properties.h"
#include "grid/grid_enums.h"
#include "platform/stdgrid/grids.h"

class TKvGridUndoRedo;

enum TGridSelectionStyle : int { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell : unsigned { hcNormal = 1u << 0, hcFixed = 1u << 1, hcSelected = 1u << 2 };
using THoverRowCells = TGridFlags<THoverRowCell>;

// A rectangle of cells, Right and Bottom inclusive.
using TCellRect = TGridRect;

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;

// Adds nothing: the class the base grid derives from.
class TObjStringGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
};

class TBaseGrid : public TObjStringGrid {
public:
    explicit TBaseGrid(TComponent* AOwner = nullptr);
    ~TBaseGrid() override;
    QString ClassName() const override { return QStringLiteral("TBaseGrid"); }

    // ---- settings
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor Value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor Value);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    TKvGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TKvGridUndoRedo* Value);
    int PaintID() const { return FPaintID; }
    int MergeCount() const { return FMergeCount; }
    bool HasCellProps() const { return FHasCellProps; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplTextEvent OnGetDisplWideText;

    // ---- cell access (column first, then row)
    QString Cells(int ACol, int ARow) const { return GetCellEx(ACol, ARow); }
    void SetCells(int ACol, int ARow, const QString& Value) { SetCellEx(ACol, ARow, Value); }
    QString GridCells(int ACol, int ARow) const { return GetGridCell(ACol, ARow); }
    void SetGridCells(int ACol, int ARow, const QString& Value) { SetGridCell(ACol, ARow, Value); }
    TObject* Objects(int ACol, int ARow) const { return GetObjectEx(ACol, ARow); }
    void SetObjects(int ACol, int ARow, TObject* Value) { SetObjectEx(ACol, ARow, Value); }
    TCellProperties* GridObjects(int ACol, int ARow) const { return GetGridObject(ACol, ARow); }
    void SetGridObjects(int ACol, int ARow, TCellProperties* Value) { SetGridObject(ACol, ARow, Value); }
    TObject* GraphicObjects(int ACol, int ARow) const { return GetGraphicObjectEx(ACol, ARow); }
    void SetGraphicObjects(int ACol, int ARow, TObject* Value) { SetGraphicObjectEx(ACol, ARow, Value); }
    TCellProperties* CellProperties(int ACol, int ARow) { return GetCellProperties(ACol, ARow); }
    void SetCellPropertiesAt(int ACol, int ARow, TCellProperties* Value) { SetCellProperties(ACol, ARow, Value); }

    QString GetCellEx(int ACol, int ARow) const;
    void SetCellEx(int ACol, int ARow, const QString& Value);
    QString GetGridCell(int ACol, int ARow) const;
    void SetGridCell(int ACol, int ARow, const QString& Value);
    TObject* GetObjectEx(int ACol, int ARow) const;
    void SetObjectEx(int ACol, int ARow, TObject* Value);
    TCellProperties* GetGridObject(int ACol, int ARow) const;
    // Stores the reference; a properties object of another grid is adopted.
    void SetGridObject(int ACol, int ARow, TCellProperties* Value);
    TObject* GetGraphicObjectEx(int ACol, int ARow) const;
    void SetGraphicObjectEx(int ACol, int ARow, TObject* Value);
    TCellProperties* GetCellProperties(int ACol, int ARow);
    // Frees the present properties (unless it is Value itself) and stores Value.
    void SetCellProperties(int ACol, int ARow, TCellProperties* Value);
    static TObject* GetPropertiesGraphic(const TCellProperties* Props);

    bool HasCellProperties(int ACol, int ARow) const;

    // ---- merged cells
    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    TPoint CellExt(int ACol, int ARow) const;
    TCellRect FullCell(int ACol, int ARow) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    // Whether the merge state of every cell agrees with its base cell's spans.
    bool CheckConsistency() const;

    // ---- emptying and freeing
    void FreeCellPropertiesRect(int Col1, int Row1, int Col2, int Row2);
    void FreeCellProperties(int ACol, int ARow);
    void FreeAllCellProperties();
    void WipeRow(int ARow);
    void WipeColumn(int ACol);
    void ClearCellSlot(int ACol, int ARow);
    // Number of properties objects the grid owns (held by a slot or not).
    int OwnedCellPropertiesCount() const { return int(FOwnedProps.size()); }

    // ---- virtual hooks of the table
    virtual bool IsFixed(int ACol, int ARow);
    virtual int GetRowIndent(int ARow);
    virtual bool HasNodes();
    virtual void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual void LastRowChanged();
    virtual void GetDisplText(int ACol, int ARow, QString& Value);
    virtual void GetDisplWideText(int ACol, int ARow, QString& Value);
    virtual void GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                          TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                          TVAlignment& VA, bool& WW, TCellGradientDirection& GD);
    virtual void CellTextChanged(int ACol, int ARow);
    virtual bool HasCellBorderEvent();
    virtual bool UsesPlatformStyles();
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD);
    virtual int DisplColIndex(int ACol);
    virtual int TotalColCount() const;

    // ---- painting and geometry
    void PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    void PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    void DoPaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                     bool WithContent);
    TRect UnclippedCellRect(int ACol, int ARow);
    TRect CellRect(int c, int r);
    TPoint CellSize(int c, int r);
    void RepaintCell(int c, int r);
    int FixedColsWidth();
    int FixedRowsHeight();
    void MoveToBaseCell();
    void RepaintMergedFixedColCells();
    void RepaintMergedFixedRowCells();
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool Value) { FHideLastRow = Value; }
    int HoverRowIdx() const { return FHoverRowIdx; }
    void SetHoverRowIdx(int Value) { FHoverRowIdx = Value; }
    bool ShowSel() const { return FShowSel; }

    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

protected:
    // The per-message handlers of a descendant: run after its window procedure
    // and before the stock grid's handling; true when they consumed the message.
    virtual bool DispatchMessageHandlers(TMessage& Message) { (void)Message; return false; }
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    void TopLeftChanged() override;

    // The base grid's own cell repaint (the string grid has one of its own).
    void BaseRepaintCell(int c, int r);

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = clSilver;
    TColor FGridFixedLineColor = clGray;
    int FPaintID = 1;
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    TKvGridUndoRedo* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    int FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells = THoverRowCells(hcNormal) | hcSelected;
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    int FMergeCount = 0;

private:
    friend class TCellProperties;
    TCellProperties* NewCellProperties(int c, int r, bool WithCalcType);
    void Adopt(TCellProperties* Props);
    TCellProperties* SlotProps(int c, int r) const;
    // The properties of a cell inside the grid, else none.
    TCellProperties* PropsInGrid(int c, int r) const;
    void StoreSlot(int c, int r, TCellProperties* Props);
    // Every properties object this grid made or adopted.
    std::unordered_set<TCellProperties*> FOwnedProps;
};

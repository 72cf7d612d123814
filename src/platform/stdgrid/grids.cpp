// TCustomGrid: dimensions, geometry, current cell and selection, painting,
// scrolling on the 0..127 scale, keyboard and mouse.
#include "platform/stdgrid/grids.h"

#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"

#include <QtCore/QTimer>
#include <QtGui/QCursor>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>

#include <algorithm>

namespace {

constexpr int kScrollMax = 127;   // the classic fixed scroll scale
constexpr int kSizingMargin = 3;  // pixels either side of a border that start sizing

// Timed-scroll directions while the mouse is held outside the view.
enum : unsigned { sdLeft = 1, sdRight = 2, sdUp = 4, sdDown = 8 };

TGridRect NormalRect(const TGridCoord& a, const TGridCoord& b)
{
    return TGridRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

} // namespace

// ============================================================ construction

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FOptions = goFixedVertLine | goFixedHorzLine;
    FOptions << goVertLine << goHorzLine << goRangeSelect;
    FColWidths.assign(size_t(FColCount), FDefaultColWidth);
    FRowHeights.assign(size_t(FRowCount), FDefaultRowHeight);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetBorderStyle(bsSingle);
    SetBounds(Left(), Top(), 320, 120);
    UpdateScrollRange();
}

TCustomGrid::~TCustomGrid()
{
    // The editor is an owned child that outlives this destructor body.
    if (FInplaceEdit) {
        FInplaceEdit->FGrid = nullptr;
        FInplaceEdit = nullptr;
    }
    for (auto& [id, t] : FTimers) delete t;
    FTimers.clear();
}

// ============================================================ dimensions

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    if (NewColCount < 0 || NewRowCount < 0)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    int oldCols = FColCount, oldRows = FRowCount;
    if (NewColCount == oldCols && NewRowCount == oldRows) return;
    HideEdit();
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    FColWidths.resize(size_t(FColCount), FDefaultColWidth);
    FRowHeights.resize(size_t(FRowCount), FDefaultRowHeight);
    if (FFixedCols > FColCount) FFixedCols = std::max(0, FColCount);
    if (FFixedRows > FRowCount) FFixedRows = std::max(0, FRowCount);
    // Keep the current cell, the anchor and the view inside the grid.
    auto clampCoord = [this](TGridCoord& c) {
        c.X = std::clamp(c.X, std::min(FFixedCols, std::max(FColCount - 1, 0)), std::max(FColCount - 1, 0));
        c.Y = std::clamp(c.Y, std::min(FFixedRows, std::max(FRowCount - 1, 0)), std::max(FRowCount - 1, 0));
    };
    clampCoord(FCurrent);
    clampCoord(FAnchor);
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = std::max(FColCount - 1, 0);
        FAnchor.Y = FCurrent.Y;
    }
    FTopLeft.X = std::max(FTopLeft.X, FFixedCols);
    FTopLeft.Y = std::max(FTopLeft.Y, FFixedRows);
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord maxTL = CalcMaxTopLeft(FTopLeft, di);
    FTopLeft.X = std::min(FTopLeft.X, maxTL.X);
    FTopLeft.Y = std::min(FTopLeft.Y, maxTL.Y);
    SizeChanged(oldCols, oldRows);
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetColCount(int Value)
{
    if (Value == FColCount) return;
    if (Value < 1) Value = 1;
    if (Value <= FFixedCols) SetFixedCols(Value - 1);
    ChangeSize(Value, FRowCount);
}

void TCustomGrid::SetRowCount(int Value)
{
    if (Value == FRowCount) return;
    if (Value < 1) Value = 1;
    if (Value <= FFixedRows) SetFixedRows(Value - 1);
    ChangeSize(FColCount, Value);
}

void TCustomGrid::SetFixedCols(int Value)
{
    if (Value == FFixedCols) return;
    if (Value < 0 || Value >= FColCount)
        throw EInvalidGridOperation(QStringLiteral("Fixed column count must be less than column count"));
    HideEdit();
    FFixedCols = Value;
    FTopLeft.X = std::max(FTopLeft.X, Value);
    FCurrent.X = std::max(FCurrent.X, Value);
    FAnchor.X = std::max(FAnchor.X, Value);
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetFixedRows(int Value)
{
    if (Value == FFixedRows) return;
    if (Value < 0 || Value >= FRowCount)
        throw EInvalidGridOperation(QStringLiteral("Fixed row count must be less than row count"));
    HideEdit();
    FFixedRows = Value;
    FTopLeft.Y = std::max(FTopLeft.Y, Value);
    FCurrent.Y = std::max(FCurrent.Y, Value);
    FAnchor.Y = std::max(FAnchor.Y, Value);
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    if (Value < 0) Value = 0;
    FDefaultColWidth = Value;
    std::fill(FColWidths.begin(), FColWidths.end(), Value);
    ColWidthsChanged();
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    if (Value < 0) Value = 0;
    FDefaultRowHeight = Value;
    std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
    RowHeightsChanged();
    UpdateScrollRange();
    InvalidateGrid();
}

int TCustomGrid::ColWidths(int Index) const
{
    return Index >= 0 && Index < FColCount ? FColWidths[size_t(Index)] : FDefaultColWidth;
}

// Stores one column width or row height; false when it was already so.
static bool StoreExtent(std::vector<int>& Extents, int Count, int Index, int Value)
{
    if (Index < 0 || Index >= Count)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    Value = std::max(Value, 0);
    if (Extents[size_t(Index)] == Value) return false;
    Extents[size_t(Index)] = Value;
    return true;
}

void TCustomGrid::ExtentChanged()
{
    UpdateScrollRange();
    InvalidateGrid();
    if (FInplaceEdit && FEditorMode) UpdateEdit();
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
    if (!StoreExtent(FColWidths, FColCount, Index, Value)) return;
    ColWidthsChanged();
    ExtentChanged();
}

int TCustomGrid::RowHeights(int Index) const
{
    return Index >= 0 && Index < FRowCount ? FRowHeights[size_t(Index)] : FDefaultRowHeight;
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
    if (!StoreExtent(FRowHeights, FRowCount, Index, Value)) return;
    RowHeightsChanged();
    ExtentChanged();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    if (Value < 0) Value = 0;
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value == FOptions) return;
    TGridOptions old = FOptions;
    FOptions = Value;
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.Y = FCurrent.Y;
        FAnchor.X = FColCount - 1;
    } else if (old.Contains(goRowSelect)) {
        FAnchor = FCurrent;
    }
    if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect))
        HideEditor();
    else if (FOptions.Contains(goAlwaysShowEditor))
        SetEditorMode(true);
    InvalidateGrid();
}

int TCustomGrid::GridWidth()
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    return di.Horz.GridBoundary;
}

int TCustomGrid::GridHeight()
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    return di.Vert.GridBoundary;
}

// ============================================================ geometry

int TCustomGrid::GridClientWidth() const { return std::max(0, ClientWidth()); }
int TCustomGrid::GridClientHeight() const { return std::max(0, ClientHeight()); }

void TCustomGrid::CalcAxis(TGridAxisDrawInfo& Axis, int ClientExtent, int FirstCell)
{
    int lw = Axis.EffectiveLineWidth;
    Axis.GridExtent = ClientExtent;
    Axis.FirstGridCell = FirstCell;
    int fixed = 0;
    for (int i = 0; i < Axis.FixedCellCount; ++i) fixed += Axis.GetExtent(i) + lw;
    Axis.FixedBoundary = fixed;
    Axis.FullVisBoundary = fixed;
    Axis.GridBoundary = std::min(fixed, ClientExtent);
    Axis.LastFullVisibleCell = FirstCell - 1;
    int pos = fixed;
    for (int i = FirstCell; i < Axis.GridCellCount; ++i) {
        pos += Axis.GetExtent(i) + lw;
        if (pos > ClientExtent) {
            Axis.GridBoundary = ClientExtent;
            break;
        }
        Axis.LastFullVisibleCell = i;
        Axis.FullVisBoundary = pos;
        Axis.GridBoundary = pos;
    }
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo)
{
    DrawInfo.Horz.EffectiveLineWidth = FGridLineWidth;
    DrawInfo.Horz.FixedCellCount = FFixedCols;
    DrawInfo.Horz.GridCellCount = FColCount;
    DrawInfo.Horz.GetExtent = [this](int i) { return ColWidths(i); };
    CalcAxis(DrawInfo.Horz, GridClientWidth(), FTopLeft.X);
    DrawInfo.Vert.EffectiveLineWidth = FGridLineWidth;
    DrawInfo.Vert.FixedCellCount = FFixedRows;
    DrawInfo.Vert.GridCellCount = FRowCount;
    DrawInfo.Vert.GetExtent = [this](int i) { return RowHeights(i); };
    CalcAxis(DrawInfo.Vert, GridClientHeight(), FTopLeft.Y);
}

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo)
{
    CalcDrawInfo(DrawInfo);
}

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo)
{
    auto axisMax = [](const TGridAxisDrawInfo& a) {
        int room = a.GridExtent - a.FixedBoundary;
        int i = a.GridCellCount - 1;
        int used = 0;
        int result = a.GridCellCount - 1;
        while (i >= a.FixedCellCount) {
            used += a.GetExtent(i) + a.EffectiveLineWidth;
            if (used > room) break;
            result = i;
            --i;
        }
        return std::max(result, a.FixedCellCount);
    };
    (void)Coord; // the last top-left does not depend on the present one
    return TGridCoord{axisMax(DrawInfo.Horz), axisMax(DrawInfo.Vert)};
}

int TCustomGrid::VisibleColCount()
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    if (FColCount <= FFixedCols) return 0;
    return std::max(1, di.Horz.LastFullVisibleCell - FTopLeft.X + 1);
}

int TCustomGrid::VisibleRowCount()
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    if (FRowCount <= FFixedRows) return 0;
    return std::max(1, di.Vert.LastFullVisibleCell - FTopLeft.Y + 1);
}

// Pixel range of cells [first..last] along one axis, clipped to the view;
// false when none of it is on screen.
static bool AxisSpan(const TGridAxisDrawInfo& a, int first, int last, int& start, int& stop)
{
    int lw = a.EffectiveLineWidth;
    auto cellStart = [&](int cell, int& pos) -> bool {
        if (cell < a.FixedCellCount) {
            pos = 0;
            for (int i = 0; i < cell; ++i) pos += a.GetExtent(i) + lw;
            return true;
        }
        if (cell < a.FirstGridCell) return false;
        pos = a.FixedBoundary;
        for (int i = a.FirstGridCell; i < cell; ++i) {
            pos += a.GetExtent(i) + lw;
            if (pos >= a.GridExtent) return false;
        }
        return pos < a.GridExtent;
    };
    if (first > last) std::swap(first, last);
    // Clip the range to what can be visible.
    if (first < a.FixedCellCount && last >= a.FixedCellCount && last < a.FirstGridCell)
        last = a.FixedCellCount - 1;
    if (first >= a.FixedCellCount && first < a.FirstGridCell) {
        if (last < a.FirstGridCell) return false;
        first = a.FirstGridCell;
    }
    int s = 0;
    if (!cellStart(first, s)) return false;
    int e = s;
    for (int i = first; i <= last; ++i) {
        if (i >= a.FixedCellCount && i < a.FirstGridCell) {
            i = a.FirstGridCell - 1; // skip the rows/columns scrolled away in one step
            continue;
        }
        e += a.GetExtent(i) + lw;
        if (e >= a.GridExtent) break;
    }
    start = s;
    stop = std::min(e, a.GridExtent);
    return stop > start;
}

void TCustomGrid::GridRectToScreenRect(const TGridRect& GridRect, TRect& ScreenRect, bool IncludeLine)
{
    ScreenRect = TRect();
    if (GridRect.Left > GridRect.Right && GridRect.Top > GridRect.Bottom) return;
    TGridDrawInfo di;
    CalcDrawInfo(di);
    int l, r, t, b;
    if (!AxisSpan(di.Horz, GridRect.Left, GridRect.Right, l, r)) return;
    if (!AxisSpan(di.Vert, GridRect.Top, GridRect.Bottom, t, b)) return;
    if (!IncludeLine) {
        // The spans end after the trailing line; drop it unless asked for.
        if (r - l > FGridLineWidth && r < di.Horz.GridExtent) r -= FGridLineWidth;
        if (b - t > FGridLineWidth && b < di.Vert.GridExtent) b -= FGridLineWidth;
    }
    ScreenRect = TRect(l, t, r, b);
}

TRect TCustomGrid::CellRect(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return TRect();
    TGridDrawInfo di;
    CalcDrawInfo(di);
    auto start = [](const TGridAxisDrawInfo& a, int cell, int& pos) -> bool {
        int lw = a.EffectiveLineWidth;
        if (cell < a.FixedCellCount) {
            pos = 0;
            for (int i = 0; i < cell; ++i) pos += a.GetExtent(i) + lw;
            return pos < a.GridExtent;
        }
        if (cell < a.FirstGridCell) return false;
        pos = a.FixedBoundary;
        for (int i = a.FirstGridCell; i < cell; ++i) {
            pos += a.GetExtent(i) + lw;
            if (pos >= a.GridExtent) return false;
        }
        return pos < a.GridExtent;
    };
    int x, y;
    if (!start(di.Horz, ACol, x) || !start(di.Vert, ARow, y)) return TRect();
    // The rectangle of a partly visible cell is cut at the client edge.
    int r = std::min(x + ColWidths(ACol), di.Horz.GridExtent);
    int b = std::min(y + RowHeights(ARow), di.Vert.GridExtent);
    return ClientLayoutRect(TRect(x, y, r, b));
}

TRect TCustomGrid::ClientLayoutRect(const TRect& R) const
{
    if (!UseRightToLeftAlignment() || FPaintingMirrored || R.IsEmpty()) return R;
    const int w = GridClientWidth();
    return TRect(w - R.Right, R.Top, w - R.Left, R.Bottom);
}

int TCustomGrid::LayoutX(int X) const
{
    return UseRightToLeftAlignment() ? GridClientWidth() - 1 - X : X;
}

TGridCoord TCustomGrid::CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo)
{
    auto axis = [](const TGridAxisDrawInfo& a, int p) -> int {
        if (p < 0 || p >= a.GridExtent) return -1;
        int lw = a.EffectiveLineWidth;
        int pos = 0;
        if (p < a.FixedBoundary) {
            for (int i = 0; i < a.FixedCellCount; ++i) {
                pos += a.GetExtent(i) + lw;
                if (p < pos) return i;
            }
            return -1;
        }
        pos = a.FixedBoundary;
        for (int i = a.FirstGridCell; i < a.GridCellCount; ++i) {
            pos += a.GetExtent(i) + lw;
            if (p < pos) return i;
            if (pos >= a.GridExtent) break;
        }
        return -1;
    };
    return TGridCoord{axis(DrawInfo.Horz, X), axis(DrawInfo.Vert, Y)};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y)
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord c = CalcCoordFromPoint(LayoutX(X), Y, di);
    if (c.X < 0) c.Y = -1;
    else if (c.Y < 0) c.X = -1;
    return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow)
{
    TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

// ============================================================ current cell and selection

TGridRect TCustomGrid::Selection() const
{
    TGridRect r = NormalRect(FCurrent, FAnchor);
    if (FOptions.Contains(goRowSelect)) {
        // Whole rows, whatever column the current cell is in.
        r.Left = FFixedCols;
        r.Right = FColCount - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value)
{
    TGridRect old = Selection();
    FAnchor = TGridCoord{Value.Left, Value.Top};
    FCurrent = TGridCoord{Value.Right, Value.Bottom};
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = FColCount - 1;
    }
    SelectionMoved(old);
}

void TCustomGrid::SetCol(int Value)
{
    if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value)
{
    if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    if (!SelectCell(ACol, ARow)) return;
    TGridRect oldSel = Selection();
    TGridCoord oldCur = FCurrent;
    bool moved = oldCur.X != ACol || oldCur.Y != ARow;
    if (moved) HideEdit();
    FCurrent = TGridCoord{ACol, ARow};
    if (!FOptions.Contains(goAlwaysShowEditor) && moved) FEditorMode = false;
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    }
    if (Show) ClampInView(FCurrent);
    SelectionMoved(oldSel);
    InvalidateCell(oldCur.X, oldCur.Y);
    InvalidateCell(FCurrent.X, FCurrent.Y);
    if (FEditorMode || FOptions.Contains(goAlwaysShowEditor)) UpdateEdit();
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor)
{
    if (!FOptions.Contains(goRangeSelect)) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    TGridRect old = Selection();
    FAnchor = NewAnchor;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    TGridCoord shown = NewAnchor;
    ClampInView(shown);
    SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    TGridRect nw = Selection();
    if (nw == OldSel) return;
    InvalidateGridRect(OldSel);
    InvalidateGridRect(nw);
}

void TCustomGrid::ClampInView(TGridCoord& Coord)
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord maxTL = CalcMaxTopLeft(Coord, di);
    TGridCoord tl = FTopLeft;
    auto fit = [](const TGridAxisDrawInfo& a, int cell, int cur, int maxFirst) {
        if (cell < a.FixedCellCount) return cur;
        if (cell < cur) return cell;
        if (cell <= a.LastFullVisibleCell) return cur;
        // Scroll so that `cell` is the last fully visible one.
        int room = a.GridExtent - a.FixedBoundary;
        int used = 0;
        int first = cell;
        for (int i = cell; i >= a.FixedCellCount; --i) {
            used += a.GetExtent(i) + a.EffectiveLineWidth;
            if (used > room) break;
            first = i;
        }
        return std::min(std::max(first, cur), maxFirst < first ? first : maxFirst);
    };
    tl.X = fit(di.Horz, Coord.X, FTopLeft.X, maxTL.X);
    tl.Y = fit(di.Vert, Coord.Y, FTopLeft.Y, maxTL.Y);
    MoveTopLeft(tl.X, tl.Y);
}

void TCustomGrid::ScrollInView(int ACol, int ARow)
{
    TGridCoord c{ACol, ARow};
    ClampInView(c);
}

void TCustomGrid::SetLeftCol(int Value)
{
    if (Value == FTopLeft.X) return;
    MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(int Value)
{
    if (Value == FTopLeft.Y) return;
    MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    // A value beyond the last full page is accepted when set directly, but never
    // one below the fixed cells or past the last cell.
    ALeft = std::clamp(ALeft, FFixedCols, std::max(FFixedCols, FColCount - 1));
    ATop = std::clamp(ATop, FFixedRows, std::max(FFixedRows, FRowCount - 1));
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
    int dx = ALeft - FTopLeft.X, dy = ATop - FTopLeft.Y;
    FTopLeft = TGridCoord{ALeft, ATop};
    TopLeftChanged();
    ScrollData(dx, dy);
    UpdateScrollPos();
    if (FInplaceEdit && FEditorMode) UpdateEdit();
}

// The control repaints its whole client area, so a scroll is one invalidation.
void TCustomGrid::ScrollData(int, int)
{
    InvalidateGrid();
}

// ============================================================ hooks (defaults)

void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}
bool TCustomGrid::SelectCell(int, int) { return true; }
void TCustomGrid::SizeChanged(int, int) {}
void TCustomGrid::ColWidthsChanged() {}
void TCustomGrid::RowHeightsChanged() {}
void TCustomGrid::TopLeftChanged() {}
void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}
bool TCustomGrid::BeginColumnDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::BeginRowDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::CheckColumnDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::CheckRowDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::EndColumnDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::EndRowDrag(int&, int&, const TPoint&) { return true; }
QString TCustomGrid::GetEditText(int, int) { return QString(); }
void TCustomGrid::SetEditText(int, int, const QString&) {}
QString TCustomGrid::GetEditMask(int, int) { return QString(); }
int TCustomGrid::GetEditLimit() { return 0; }
bool TCustomGrid::CanEditModify() { return FCanEditModify; }
bool TCustomGrid::CanEditAcceptKey(QChar) { return true; }
bool TCustomGrid::CanGridAcceptKey(WORD, TShiftState) { return true; }

// ============================================================ rows and columns

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    HideEdit();
    ColumnMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    HideEdit();
    RowMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

void TCustomGrid::DeleteColumn(int ACol)
{
    if (ACol < 0 || ACol >= FColCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    MoveColumn(ACol, FColCount - 1);
    // The deleted column's width leaves with it.
    FColWidths.erase(FColWidths.begin() + ACol);
    FColWidths.push_back(FDefaultColWidth);
    SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow)
{
    if (ARow < 0 || ARow >= FRowCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    MoveRow(ARow, FRowCount - 1);
    FRowHeights.erase(FRowHeights.begin() + ARow);
    FRowHeights.push_back(FDefaultRowHeight);
    SetRowCount(FRowCount - 1);
}

// ============================================================ invalidation

void TCustomGrid::InvalidateGridRect(const TGridRect& R)
{
    if (FRedrawLock > 0) return;
    // The control repaints its whole client buffer on any invalidation, so a
    // cell out of view is the only thing worth filtering out here. A grid that is
    // not shown needs no rectangle: the invalidation only marks its buffer stale
    // (windows fill their hidden grids by the thousand cells at start-up).
    if (isVisible()) {
        TRect sr;
        GridRectToScreenRect(R, sr, true);
        if (sr.IsEmpty()) return;
    }
    Invalidate();
}

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateGridRect(TGridRect(ACol, ARow, ACol, ARow));
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateGridRect(TGridRect(ACol, 0, ACol, FRowCount - 1));
}

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateGridRect(TGridRect(0, ARow, FColCount - 1, ARow));
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect)
{
    InvalidateGridRect(ARect);
}

void TCustomGrid::InvalidateGrid()
{
    if (FRedrawLock > 0) return;
    Invalidate();
}

void TCustomGrid::LockRedraw()
{
    if (FRedrawLock++ == 0) setUpdatesEnabled(false);
}

void TCustomGrid::UnlockRedraw()
{
    if (FRedrawLock == 0) return;
    if (--FRedrawLock == 0) {
        setUpdatesEnabled(true);
        Invalidate();
    }
}

// ============================================================ painting

void TCustomGrid::Paint()
{
    if (FRedrawLock > 0) return;
    TCanvas* cv = Canvas();
    TGridDrawInfo di;
    CalcDrawInfo(di);
    const int lw = FGridLineWidth;
    const int cw = di.Horz.GridExtent, ch = di.Vert.GridExtent;
    TRect update = cv->HasClip() ? cv->ClipRect() : TRect(0, 0, cw, ch);
    if (update.IsEmpty()) update = TRect(0, 0, cw, ch);
    const bool focused = IsActiveControl();
    const bool editing = FInplaceEdit && FInplaceEdit->Visible();
    const TGridRect sel = Selection();
    // Fixed cells look raised: light on the left/top, shadow on the right/bottom,
    // on the sides where the fixed grid lines are on.
    unsigned fixedEdges = 0;
    if (FOptions.Contains(goFixedVertLine)) fixedEdges |= BF_LEFT | BF_RIGHT;
    if (FOptions.Contains(goFixedHorzLine)) fixedEdges |= BF_TOP | BF_BOTTOM;

    auto drawLines = [&](int firstCol, int firstRow, int x0, int y0, int x1, int y1, bool fixed) {
        if (lw <= 0) return;
        bool vert = FOptions.Contains(fixed ? goFixedVertLine : goVertLine);
        bool horz = FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine);
        cv->Brush()->SetColor(fixed ? clBlack : clSilver);
        cv->Brush()->SetStyle(bsSolid);
        if (vert) {
            int x = x0;
            for (int c = firstCol; c < FColCount && x < x1; ++c) {
                x += ColWidths(c);
                if (x >= x1) break;
                cv->FillRect(TRect(x, y0, std::min(x + lw, x1), y1));
                x += lw;
            }
        }
        if (horz) {
            int y = y0;
            for (int r = firstRow; r < FRowCount && y < y1; ++r) {
                y += RowHeights(r);
                if (y >= y1) break;
                cv->FillRect(TRect(x0, y, x1, std::min(y + lw, y1)));
                y += lw;
            }
        }
    };

    auto drawCells = [&](int firstCol, int firstRow, int x0, int y0, int x1, int y1, bool fixedArea,
                         int lastFixedCol, int lastFixedRow) {
        if (x0 >= x1 || y0 >= y1) return;
        if (update.Right <= x0 || update.Left >= x1 || update.Bottom <= y0 || update.Top >= y1) return;
        int y = y0;
        for (int r = firstRow; r < FRowCount && y < y1; ++r) {
            int h = RowHeights(r);
            int x = x0;
            if (y + h > update.Top && y < update.Bottom) {
                for (int c = firstCol; c < FColCount && x < x1; ++c) {
                    int w = ColWidths(c);
                    TRect where(x, y, x + w, y + h);
                    if (w > 0 && h > 0 && where.Right > update.Left && where.Left < update.Right) {
                        bool isFixed = c <= lastFixedCol || r <= lastFixedRow;
                        TGridDrawState st;
                        bool isCurrent = c == FCurrent.X && r == FCurrent.Y;
                        if (isFixed) {
                            st << gdFixed;
                        } else {
                            if (sel.Contains(c, r)) st << gdSelected;
                            if (isCurrent && focused) st << gdFocused;
                        }
                        if (!(isCurrent && editing && !isFixed)) {
                            if (FDefaultDrawing) {
                                TColor fill = isFixed ? FFixedColor : Color();
                                if (st.Contains(gdSelected) &&
                                    (!st.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
                                     FOptions.Contains(goRowSelect)))
                                    fill = clHighlight;
                                cv->Brush()->SetColor(fill);
                                cv->Brush()->SetStyle(bsSolid);
                                cv->FillRect(where);
                            }
                            cv->SaveState();
                            cv->IntersectClipRect(TRect(where.Left, where.Top, std::min(where.Right, x1), std::min(where.Bottom, y1)));
                            DrawCell(c, r, where, st);
                            cv->RestoreState();
                            if (FDefaultDrawing && st.Contains(gdFocused) && !FOptions.Contains(goRowSelect) &&
                                !FOptions.Contains(goDrawFocusSelected))
                                cv->DrawFocusRect(where);
                            if (FDefaultDrawing && isFixed && Ctl3D() && fixedEdges != 0) {
                                TRect edge = where;
                                DrawEdge(cv, edge, BDR_RAISEDINNER, fixedEdges);
                            }
                        }
                    }
                    x += w + lw;
                }
            } else {
                // Row outside the update region: still advance x bookkeeping-free.
            }
            y += h + lw;
        }
        drawLines(firstCol, firstRow, x0, y0, x1, y1, fixedArea);
    };

    const int fb_x = std::min(di.Horz.FixedBoundary, cw);
    const int fb_y = std::min(di.Vert.FixedBoundary, ch);
    const int gx = di.Horz.GridBoundary, gy = di.Vert.GridBoundary;
    const int lastFixedCol = FFixedCols - 1, lastFixedRow = FFixedRows - 1;
    // Fixed corner, fixed rows, fixed columns, then the scrollable cells.
    drawCells(0, 0, 0, 0, fb_x, fb_y, true, lastFixedCol, lastFixedRow);
    drawCells(FTopLeft.X, 0, fb_x, 0, gx, fb_y, true, lastFixedCol, lastFixedRow);
    drawCells(0, FTopLeft.Y, 0, fb_y, fb_x, gy, true, lastFixedCol, lastFixedRow);
    drawCells(FTopLeft.X, FTopLeft.Y, fb_x, fb_y, gx, gy, false, lastFixedCol, lastFixedRow);

    // The area beyond the last cells.
    cv->Brush()->SetColor(Color());
    cv->Brush()->SetStyle(bsSolid);
    if (gx < cw) cv->FillRect(TRect(gx, 0, cw, ch));
    if (gy < ch) cv->FillRect(TRect(0, gy, std::min(gx, cw), ch));

    if (FSizingLinePos >= 0) {
        cv->Brush()->SetColor(clBlack);
        if (FGridState == gsColSizing) cv->FillRect(TRect(FSizingLinePos, 0, FSizingLinePos + 1, ch));
        else if (FGridState == gsRowSizing) cv->FillRect(TRect(0, FSizingLinePos, cw, FSizingLinePos + 1));
    }
}

// ============================================================ scrolling

int TCustomGrid::ScrollPosFor(int Bar)
{
    if (Bar == SB_VERT) {
        int range = FRowCount - VisibleRowCount() - FFixedRows;
        if (range <= 0) return 0;
        return std::clamp(MulDiv(FTopLeft.Y - FFixedRows, kScrollMax, range), 0, kScrollMax);
    }
    int range = FColCount - VisibleColCount() - FFixedCols;
    if (range <= 0) return 0;
    return std::clamp(MulDiv(FTopLeft.X - FFixedCols, kScrollMax, range), 0, kScrollMax);
}

void TCustomGrid::UpdateScrollPos()
{
    if (FSettingBars) return;
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (!ScrollBarVisible(bar)) continue;
        int pos = ScrollPosFor(bar);
        if (GetScrollPos(bar) != pos) SetScrollPos(bar, pos, true);
    }
}

void TCustomGrid::UpdateScrollRange()
{
    if (FSettingBars) return;
    FSettingBars = true;
    // Thickness of the widget layer's scroll bars.
    const int extent = ScrollBarWidget(SB_VERT) && ScrollBarVisible(SB_VERT) ? ScrollBarWidget(SB_VERT)->width()
                     : ScrollBarWidget(SB_HORZ) && ScrollBarVisible(SB_HORZ) ? ScrollBarWidget(SB_HORZ)->height()
                                                                             : GetSystemMetrics(SM_CXVSCROLL);
    // Client size as it would be without our bars.
    int baseW = ClientWidth() + (ScrollBarVisible(SB_VERT) ? extent : 0);
    int baseH = ClientHeight() + (ScrollBarVisible(SB_HORZ) ? extent : 0);
    bool wantH = false, wantV = false;
    for (int pass = 0; pass < 3; ++pass) {
        int w = baseW - (wantV ? extent : 0), h = baseH - (wantH ? extent : 0);
        TGridDrawInfo di;
        di.Horz.EffectiveLineWidth = di.Vert.EffectiveLineWidth = FGridLineWidth;
        di.Horz.FixedCellCount = FFixedCols;
        di.Horz.GridCellCount = FColCount;
        di.Horz.GetExtent = [this](int i) { return ColWidths(i); };
        di.Vert.FixedCellCount = FFixedRows;
        di.Vert.GridCellCount = FRowCount;
        di.Vert.GetExtent = [this](int i) { return RowHeights(i); };
        CalcAxis(di.Horz, w, FFixedCols);
        CalcAxis(di.Vert, h, FFixedRows);
        TGridCoord maxTL = CalcMaxTopLeft(FTopLeft, di);
        bool needH = (FScrollStyle == ssHorizontal || FScrollStyle == ssBoth) && maxTL.X > FFixedCols;
        bool needV = (FScrollStyle == ssVertical || FScrollStyle == ssBoth) && maxTL.Y > FFixedRows;
        if (needH == wantH && needV == wantV) break;
        wantH = needH;
        wantV = needV;
    }
    for (int bar : {SB_HORZ, SB_VERT}) {
        bool want = bar == SB_HORZ ? wantH : wantV;
        if (want) {
            TScrollInfo si;
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            si.nMin = 0;
            si.nMax = kScrollMax;
            si.nPage = 0;
            si.nPos = 0;
            SetScrollInfo(bar, si, true);
            if (!ScrollBarVisible(bar)) ShowScrollBar(bar, true);
        } else if (ScrollBarVisible(bar)) {
            ShowScrollBar(bar, false);
        }
    }
    FSettingBars = false;
    // With the bars settled, keep the view inside its range.
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord maxTL = CalcMaxTopLeft(FTopLeft, di);
    if (FTopLeft.X > maxTL.X || FTopLeft.Y > maxTL.Y)
        MoveTopLeft(std::min(FTopLeft.X, maxTL.X), std::min(FTopLeft.Y, maxTL.Y));
    UpdateScrollPos();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollStyle) return;
    FScrollStyle = Value;
    RecreateWnd();
    UpdateScrollRange();
}

void TCustomGrid::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (FScrollStyle == ssHorizontal || FScrollStyle == ssBoth) Params.Style |= WS_HSCROLL;
    if (FScrollStyle == ssVertical || FScrollStyle == ssBoth) Params.Style |= WS_VSCROLL;
}

void TCustomGrid::EnableScrollBar(int Bar, unsigned Arrows)
{
    if (QScrollBar* sb = ScrollBarWidget(Bar)) sb->setEnabled(Arrows != ESB_DISABLE_BOTH);
}

bool TCustomGrid::ScrollBarEnabled(int Bar) const
{
    QScrollBar* sb = ScrollBarWidget(Bar);
    return sb && sb->isEnabled();
}

QScrollBar* TCustomGrid::ScrollBarWidget(int Bar) const
{
    return Bar == SB_HORZ || Bar == SB_VERT ? FScrollBars[Bar] : nullptr;
}

void TCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool)
{
    const bool vert = ScrollBar == SB_VERT;
    const int fixed = vert ? FFixedRows : FFixedCols;
    const int count = vert ? FRowCount : FColCount;
    const int cur = vert ? FTopLeft.Y : FTopLeft.X;
    const int visible = vert ? VisibleRowCount() : VisibleColCount();
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord maxTL = CalcMaxTopLeft(FTopLeft, di);
    const int maxFirst = vert ? maxTL.Y : maxTL.X;
    auto fromPos = [&](int p) {
        return fixed + MulDiv(std::clamp(p, 0, kScrollMax), count - visible - fixed, kScrollMax);
    };
    int target = cur;
    bool setPos = true;
    switch (ScrollCode) {
    case SB_LINEUP: target = cur - 1; break;
    case SB_LINEDOWN: target = cur + 1; break;
    case SB_PAGEUP: target = cur - std::max(visible, 1); break;
    case SB_PAGEDOWN: target = cur + std::max(visible, 1); break;
    case SB_THUMBPOSITION: target = fromPos(Pos); break;
    case SB_THUMBTRACK:
        // The thumb follows the mouse; the view only with goThumbTracking.
        if (FOptions.Contains(goThumbTracking)) target = fromPos(Pos);
        setPos = false;
        if (ScrollBarVisible(ScrollBar)) SetScrollPos(ScrollBar, std::clamp(Pos, 0, kScrollMax), true);
        break;
    case SB_TOP: target = fixed; break;
    case SB_BOTTOM: target = maxFirst; break;
    case SB_ENDSCROLL: break;
    default: return;
    }
    target = std::clamp(target, fixed, std::max(fixed, maxFirst));
    if (target != cur) {
        if (vert) MoveTopLeft(FTopLeft.X, target);
        else MoveTopLeft(target, FTopLeft.Y);
    }
    if (setPos && ScrollBarVisible(ScrollBar)) SetScrollPos(ScrollBar, ScrollPosFor(ScrollBar), true);
}

// ============================================================ timers

void TCustomGrid::SetGridTimer(unsigned Id, int Interval)
{
    QTimer*& t = FTimers[Id];
    if (!t) {
        t = new QTimer();
        QObject::connect(t, &QTimer::timeout, this, [this, Id] {
            Guard([&] { Perform(WM_TIMER, WPARAM(Id), 0); });
        });
    }
    t->start(Interval);
}

void TCustomGrid::KillGridTimer(unsigned Id)
{
    auto it = FTimers.find(Id);
    if (it != FTimers.end() && it->second) it->second->stop();
}

void TCustomGrid::TimedScroll(unsigned Direction)
{
    TGridCoord tl = FTopLeft;
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord maxTL = CalcMaxTopLeft(tl, di);
    TGridCoord cell = FCurrent;
    if ((Direction & sdLeft) && tl.X > FFixedCols) { --tl.X; cell.X = tl.X; }
    if ((Direction & sdRight) && tl.X < maxTL.X) { ++tl.X; cell.X = std::min(di.Horz.LastFullVisibleCell + 1, FColCount - 1); }
    if ((Direction & sdUp) && tl.Y > FFixedRows) { --tl.Y; cell.Y = tl.Y; }
    if ((Direction & sdDown) && tl.Y < maxTL.Y) { ++tl.Y; cell.Y = std::min(di.Vert.LastFullVisibleCell + 1, FRowCount - 1); }
    if (tl == FTopLeft) return;
    MoveTopLeft(tl.X, tl.Y);
    if (FGridState == gsSelecting) MoveCurrent(cell.X, cell.Y, !FOptions.Contains(goRangeSelect), false);
}

// ============================================================ window procedure

bool TCustomGrid::IsActiveControl()
{
    if (Focused()) return true;
    return FInplaceEdit && FInplaceEdit->Focused();
}

void TCustomGrid::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
        if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (Message.LParam == 0) {
            ModifyScrollBar(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, Message.WParamLo(),
                            int16_t(Message.WParamHi()));
            Message.Result = 0;
            return;
        }
        break;
    case WM_TIMER:
        if (Message.WParam == kScrollTimerId) {
            if (FGridState == gsSelecting || FGridState == gsColMoving || FGridState == gsRowMoving) {
                // The press grabs the mouse, so the last move tells where it is.
                const TPoint p = FLastMousePos;
                unsigned dir = 0;
                if (p.X < 0) dir |= sdLeft;
                else if (p.X >= GridClientWidth()) dir |= sdRight;
                if (p.Y < 0) dir |= sdUp;
                else if (p.Y >= GridClientHeight()) dir |= sdDown;
                if (dir) TimedScroll(dir);
            } else {
                KillGridTimer(kScrollTimerId);
            }
            Message.Result = 0;
            return;
        }
        break;
    case WM_SETREDRAW:
        if (Message.WParam) UnlockRedraw();
        else LockRedraw();
        Message.Result = 0;
        return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
        KillGridTimer(kScrollTimerId);
        FSizingLinePos = -1;
        FGridState = gsNormal;
        break;
    case WM_SETFOCUS:
        WMSetFocus(Message);
        return;
    case WM_KILLFOCUS:
        WMKillFocus(Message);
        return;
    case WM_PAINT:
        if (UseRightToLeftAlignment()) {
            // The whole paint, the descendants' included, on a right-to-left canvas.
            TCanvas* cv = Canvas();
            const int saved = cv->SaveState();
            cv->SetRightToLeftLayout(GridClientWidth());
            FPaintingMirrored = true;
            try {
                TCustomControl::WndProc(Message);
            } catch (...) {
                FPaintingMirrored = false;
                cv->RestoreState(saved);
                throw;
            }
            FPaintingMirrored = false;
            cv->RestoreState(saved);
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
    if (Message.Msg == WM_CREATE) UpdateScrollRange(); // new bars come up shown; set them from the grid
}

void TCustomGrid::WMSetFocus(TMessage& Message)
{
    TCustomControl::WndProc(Message);
    if (FOptions.Contains(goRowSelect)) InvalidateRow(FCurrent.Y);
    else InvalidateCell(FCurrent.X, FCurrent.Y);
    if (FInplaceEdit && FInplaceEdit->Visible() && FEditorMode) FInplaceEdit->SetFocus();
}

void TCustomGrid::WMKillFocus(TMessage& Message)
{
    TCustomControl::WndProc(Message);
    if (FOptions.Contains(goRowSelect)) InvalidateRow(FCurrent.Y);
    else InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::Resize()
{
    TCustomControl::Resize();
    UpdateScrollRange();
    if (FInplaceEdit && FEditorMode) UpdateEdit();
}

// ============================================================ keyboard

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (!CanGridAcceptKey(Key, Shift)) {
        Key = 0;
        return;
    }
    const bool rowSel = FOptions.Contains(goRowSelect);
    const bool ctrl = Shift.Contains(ssCtrl);
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord newTL = FTopLeft;
    TGridCoord cur = FCurrent;
    const int vRows = VisibleRowCount();
    const int lastRow = FRowCount - 1, lastCol = FColCount - 1;
    bool handled = true;
    if (ctrl) {
        switch (Key) {
        case VK_UP: --newTL.Y; break;
        case VK_DOWN: ++newTL.Y; break;
        case VK_LEFT:
            if (rowSel) --newTL.X;
            else cur.X = FTopLeft.X;
            break;
        case VK_RIGHT:
            if (rowSel) ++newTL.X;
            else cur.X = std::max(di.Horz.LastFullVisibleCell, FTopLeft.X);
            break;
        case VK_PRIOR: cur.Y = FTopLeft.Y; break;
        case VK_NEXT: cur.Y = std::max(di.Vert.LastFullVisibleCell, FTopLeft.Y); break;
        case VK_HOME:
            cur.Y = FFixedRows;
            if (!rowSel) cur.X = FFixedCols;
            break;
        case VK_END:
            cur.Y = lastRow;
            if (!rowSel) cur.X = lastCol;
            break;
        default: handled = false; break;
        }
    } else {
        switch (Key) {
        case VK_UP: --cur.Y; break;
        case VK_DOWN: ++cur.Y; break;
        case VK_LEFT:
            if (rowSel) --newTL.X;
            else --cur.X;
            break;
        case VK_RIGHT:
            if (rowSel) ++newTL.X;
            else ++cur.X;
            break;
        case VK_NEXT:
            cur.Y += vRows;
            newTL.Y += vRows;
            break;
        case VK_PRIOR:
            cur.Y -= vRows;
            newTL.Y -= vRows;
            break;
        case VK_HOME:
            if (rowSel) cur.Y = FFixedRows;
            else cur.X = FFixedCols;
            break;
        case VK_END:
            if (rowSel) cur.Y = lastRow;
            else cur.X = lastCol;
            break;
        case VK_TAB:
            if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt)) {
                handled = false;
                break;
            }
            if (Shift.Contains(ssShift)) {
                if (rowSel || cur.X <= FFixedCols) {
                    if (cur.Y > FFixedRows) {
                        --cur.Y;
                        if (!rowSel) cur.X = lastCol;
                    }
                } else {
                    --cur.X;
                }
            } else {
                if (rowSel || cur.X >= lastCol) {
                    if (cur.Y < lastRow) {
                        ++cur.Y;
                        if (!rowSel) cur.X = FFixedCols;
                    }
                } else {
                    ++cur.X;
                }
            }
            break;
        case VK_F2:
            if (FOptions.Contains(goEditing) && !rowSel) SetEditorMode(true);
            handled = false;
            break;
        default: handled = false; break;
        }
    }
    if (!handled) return;
    TGridCoord maxTL = CalcMaxTopLeft(newTL, di);
    newTL.X = std::clamp(newTL.X, FFixedCols, std::max(FFixedCols, maxTL.X));
    newTL.Y = std::clamp(newTL.Y, FFixedRows, std::max(FFixedRows, maxTL.Y));
    if (!(newTL == FTopLeft)) MoveTopLeft(newTL.X, newTL.Y);
    cur.X = std::clamp(cur.X, FFixedCols, std::max(FFixedCols, lastCol));
    cur.Y = std::clamp(cur.Y, FFixedRows, std::max(FFixedRows, lastRow));
    if (cur.X >= FColCount || cur.Y >= FRowCount) return;
    if (!(cur == FCurrent)) {
        bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect) && Key != VK_TAB;
        FocusCell(cur.X, cur.Y, !extend);
    }
}

void TCustomGrid::KeyPress(QChar& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key.unicode() == 0) return;
    if (Key.unicode() == 9 && FOptions.Contains(goTabs)) {
        // KeyDown moved the cell already; the character must not move the focus too.
        Key = QChar(0);
        return;
    }
    if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect)) return;
    if (Key.unicode() == 13) {
        if (FEditorMode && !FOptions.Contains(goAlwaysShowEditor)) {
            HideEditor();
        } else if (FEditorMode) {
            // Always-shown editor: Enter commits the text and selects it again.
            UpdateText();
            if (FInplaceEdit) FInplaceEdit->SelectAll();
        } else {
            ShowEditor();
            if (FInplaceEdit) FInplaceEdit->SelectAll();
        }
        Key = QChar(0);
    } else if (Key.unicode() >= 32 && !FEditorMode && CanEditAcceptKey(Key)) {
        ShowEditorChar(Key);
        Key = QChar(0);
    }
}

// ============================================================ mouse

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs, TGridDrawInfo& FixedInfo)
{
    State = gsNormal;
    Index = -1;
    auto findBorder = [&](const TGridAxisDrawInfo& a, int p, int& idx, int& pos) -> bool {
        int lw = a.EffectiveLineWidth;
        int edge = 0;
        auto test = [&](int i) {
            edge += a.GetExtent(i);
            int mid = edge + lw / 2;
            bool hit = std::abs(p - mid) <= kSizingMargin;
            edge += lw;
            return hit;
        };
        for (int i = 0; i < a.FixedCellCount; ++i) {
            if (test(i)) { idx = i; pos = edge - lw; return true; }
            if (edge > a.GridExtent) return false;
        }
        for (int i = a.FirstGridCell; i < a.GridCellCount; ++i) {
            if (test(i)) { idx = i; pos = edge - lw; return true; }
            if (edge > a.GridExtent) return false;
        }
        return false;
    };
    int idx = -1, pos = 0;
    // The sizing position and offset are in the unmirrored layout.
    X = LayoutX(X);
    if (FOptions.Contains(goColSizing) && Y >= 0 && Y < FixedInfo.Vert.FixedBoundary &&
        findBorder(FixedInfo.Horz, X, idx, pos)) {
        State = gsColSizing;
        Index = idx;
        SizingPos = pos;
        SizingOfs = pos - X;
        return;
    }
    if (FOptions.Contains(goRowSizing) && X >= 0 && X < FixedInfo.Horz.FixedBoundary &&
        findBorder(FixedInfo.Vert, Y, idx, pos)) {
        State = gsRowSizing;
        Index = idx;
        SizingPos = pos;
        SizingOfs = pos - Y;
    }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FHitTest = TPoint(X, Y);
    // The grid's own arithmetic runs in the unmirrored layout; hooks get the client point.
    const int LX = LayoutX(X);
    FLastMousePos = TPoint(LX, Y);
    FClickOnCurrent = false;
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        if (CanFocus() && !Focused() && !(FInplaceEdit && FInplaceEdit->Focused())) {
            try {
                SetFocus();
            } catch (const Exception&) {
            }
        }
        TGridDrawInfo di;
        CalcDrawInfo(di);
        TGridState st = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        CalcSizingState(X, Y, st, index, pos, ofs, di);
        if (st != gsNormal) {
            FGridState = st;
            FSizingIndex = index;
            FSizingPos = pos;
            FSizingOfs = ofs;
            FSizingLinePos = pos;
            InvalidateGrid();
        } else {
            TGridCoord cell = CalcCoordFromPoint(LX, Y, di);
            if (cell.X >= 0 && cell.Y >= 0) {
                bool fixedRow = cell.Y < FFixedRows, fixedCol = cell.X < FFixedCols;
                if (fixedRow && !fixedCol && FOptions.Contains(goColMoving)) {
                    int org = cell.X, dst = cell.X;
                    if (BeginColumnDrag(org, dst, TPoint(X, Y))) {
                        FGridState = gsColMoving;
                        FMoveIndex = org;
                        FMovePos = dst;
                        SetGridTimer(kScrollTimerId, 60);
                    }
                } else if (fixedCol && !fixedRow && FOptions.Contains(goRowMoving)) {
                    int org = cell.Y, dst = cell.Y;
                    if (BeginRowDrag(org, dst, TPoint(X, Y))) {
                        FGridState = gsRowMoving;
                        FMoveIndex = org;
                        FMovePos = dst;
                        SetGridTimer(kScrollTimerId, 60);
                    }
                } else if (!fixedRow && !fixedCol) {
                    FClickOnCurrent = cell.X == FCurrent.X && cell.Y == FCurrent.Y;
                    if (FClickOnCurrent && FOptions.Contains(goRowSelect)) FClickOnCurrent = false;
                    if (Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect))
                        MoveCurrent(cell.X, cell.Y, false, true);
                    else
                        MoveCurrent(cell.X, cell.Y, true, true);
                    FGridState = gsSelecting;
                    SetGridTimer(kScrollTimerId, 60);
                }
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    const int LX = LayoutX(X);
    FLastMousePos = TPoint(LX, Y);
    TGridDrawInfo di;
    CalcDrawInfo(di);
    switch (FGridState) {
    case gsSelecting: {
        TGridCoord cell = CalcCoordFromPoint(LX, Y, di);
        if (cell.X >= FFixedCols && cell.Y >= FFixedRows && cell.X < FColCount && cell.Y < FRowCount &&
            !(cell == FCurrent)) {
            FClickOnCurrent = false;
            MoveCurrent(cell.X, cell.Y, !FOptions.Contains(goRangeSelect), false);
        }
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        FSizingPos = (FGridState == gsColSizing ? LX : Y) + FSizingOfs;
        FSizingLinePos = FSizingPos;
        InvalidateGrid();
        break;
    case gsColMoving:
    case gsRowMoving: {
        TGridCoord cell = CalcCoordFromPoint(LX, Y, di);
        int p = FGridState == gsColMoving ? cell.X : cell.Y;
        int lo = FGridState == gsColMoving ? FFixedCols : FFixedRows;
        if (p >= lo) {
            int org = FMoveIndex, dst = p;
            bool ok = FGridState == gsColMoving ? CheckColumnDrag(org, dst, TPoint(X, Y))
                                                : CheckRowDrag(org, dst, TPoint(X, Y));
            if (ok) FMovePos = dst;
        }
        break;
    }
    case gsNormal: {
        TGridState st = gsNormal;
        int index, pos, ofs;
        CalcSizingState(X, Y, st, index, pos, ofs, di);
        if (st == gsColSizing) setCursor(CursorToQCursor(crHSplit));
        else if (st == gsRowSizing) setCursor(CursorToQCursor(crVSplit));
        else setCursor(CursorToQCursor(Cursor()));
        break;
    }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        switch (FGridState) {
        case gsSelecting: {
            KillGridTimer(kScrollTimerId);
            FGridState = gsNormal;
            TGridCoord cell = MouseCoord(X, Y);
            if (FClickOnCurrent && cell == FCurrent && FOptions.Contains(goEditing) && !FEditorMode) {
                ShowEditor();
            }
            break;
        }
        case gsColSizing:
        case gsRowSizing: {
            const bool wasCol = FGridState == gsColSizing;
            FGridState = gsNormal;
            FSizingLinePos = -1;
            TGridDrawInfo di;
            CalcDrawInfo(di);
            const int idx = FSizingIndex;
            // Width (height) from the cell's start to the release point.
            auto cellStart = [&](const TGridAxisDrawInfo& a, int cell) {
                int lw = a.EffectiveLineWidth;
                int pos = 0;
                if (cell < a.FixedCellCount) {
                    for (int i = 0; i < cell; ++i) pos += a.GetExtent(i) + lw;
                    return pos;
                }
                pos = a.FixedBoundary;
                for (int i = a.FirstGridCell; i < cell; ++i) pos += a.GetExtent(i) + lw;
                return pos;
            };
            if (wasCol) {
                int start = cellStart(di.Horz, idx);
                SetColWidths(idx, std::max(0, FSizingPos - start));
            } else {
                int start = cellStart(di.Vert, idx);
                SetRowHeights(idx, std::max(0, FSizingPos - start));
            }
            InvalidateGrid();
            break;
        }
        case gsColMoving:
        case gsRowMoving: {
            KillGridTimer(kScrollTimerId);
            bool cols = FGridState == gsColMoving;
            FGridState = gsNormal;
            int org = FMoveIndex, dst = FMovePos;
            bool ok = cols ? EndColumnDrag(org, dst, TPoint(X, Y)) : EndRowDrag(org, dst, TPoint(X, Y));
            if (ok && org != dst) {
                if (cols) MoveColumn(org, dst);
                else MoveRow(org, dst);
            }
            break;
        }
        default:
            break;
        }
    }
    FClickOnCurrent = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::DblClick()
{
    TCustomControl::DblClick();
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = TCustomControl::DoMouseWheelDown(Shift, MousePos);
    if (!handled) {
        if (FCurrent.Y < FRowCount - 1) SetRow(FCurrent.Y + 1);
        handled = true;
    }
    return handled;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = TCustomControl::DoMouseWheelUp(Shift, MousePos);
    if (!handled) {
        if (FCurrent.Y > FFixedRows) SetRow(FCurrent.Y - 1);
        handled = true;
    }
    return handled;
}

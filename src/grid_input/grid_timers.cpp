// The grid's timer, paint and size messages: the incremental search lapsing,
// hover selection and blinking text on the grid timer; no painting while
// updates are suspended; the search bar, proportional and stretched columns
// on a resize.

#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include <algorithm>

void TKvStringGrid::WMTimer(TMessage& Message)
{
    if (Message.WParam != GridTimerID) {
        TBaseGrid::WndProc(Message);
        return;
    }
    ++FTimerTicks;
    if (FNavigation->AutoGotoIncremental()) {
        if (++SearchTics >= 4) {
            SearchInc.clear();
            SearchTics = 0;
        }
    }
    if (FHovering && !FDesigning && Mouse && Showing()) {
        const TPoint p = ScreenToClient(Mouse->CursorPos());
        if (ClientRect().Contains(p)) {
            int c = -1, r = -1;
            MouseToCell(p.X, p.Y, c, r);
            if (c >= TBaseGrid::FixedCols() && c < ColCount() && r >= TBaseGrid::FixedRows() && r < RowCount()) {
                if (CanFocus()) SetFocus();
                SetRow(r);
                SetCol(c);
            }
        }
    }
    if (FEnableBlink) BlinkTick();
    Message.Result = 0;
}

// Only cells holding blinking text are repainted; the cells asked for are kept
// in BlinkRepaints (the last tick's).
void TKvStringGrid::BlinkTick()
{
    FGridBlink = !FGridBlink;
    BlinkRepaints.clear();
    auto blinks = [this](int realCol, int row) {
        return Cells(realCol, row).contains(QLatin1String("<BLI"), Qt::CaseInsensitive);
    };
    auto repaint = [this](int realCol, int row) {
        const int c = RealToDisplColumn(realCol);
        if (c < 0 || c >= ColCount() || IsHiddenColumn(realCol)) return;
        BlinkRepaints.push_back(TPoint(c, row));
        RepaintCell(c, row);
    };
    const int allCols = AllColCount();
    const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount() - 1);
    for (int r = TopRow(); r <= lastRow; ++r)
        for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() + NumHiddenColumns() - 1 && c < allCols; ++c)
            if (blinks(c, r)) repaint(c, r);
    for (int r = 0; r < TBaseGrid::FixedRows() && r < RowCount(); ++r)
        for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() - 1 && c < allCols; ++c)
            if (blinks(c, r)) repaint(c, r);
    for (int c = 0; c < TBaseGrid::FixedCols() && c < allCols; ++c)
        for (int r = TopRow(); r <= lastRow; ++r)
            if (blinks(c, r)) repaint(c, r);
}

void TKvStringGrid::WMPaint(TMessage& Message)
{
    if (FUpdateCount >= 1) {
        Message.Result = 0;
        return;
    }
    // The platform paints into the control's own buffer: double buffered already.
    TBaseGrid::WndProc(Message);
    if (FWheelPan) DrawPanMarker();
    if (FPaintCount == 0) {
        FPaintCount = 1;
        if (!TabStop()) RefreshProportionalScrollBars();
    }
}

void TKvStringGrid::WMSize(TMessage& Message)
{
    // A size change caused by this handling (a bar shown, a handler resizing
    // the grid) gets the stock handling only.
    if (FDisableSize) {
        TBaseGrid::WndProc(Message);
        return;
    }
    FDisableSize = true;
    struct TGuard {
        bool& flag;
        ~TGuard() { flag = false; }
    } guard{FDisableSize};
    const int newWidth = int(Message.LParam & 0xFFFF);
    if (FSearchPanel && FSearchPanel->Visible()) {
        FSearchPanel->SetHeight(33);
        FSearchPanel->SetBounds(0, Height() - 32, ClientWidth(), 32);
    }
    if (FColumnSize->SynchWithGrid() && FPrevWidth > 0) {
        HideInplaceEdit();
        const double factor = BorderStyle() == bsSingle ? double(newWidth + 2) / FPrevWidth : double(newWidth) / FPrevWidth;
        const bool normalOnly = FColumnSize->SynchNormalCellsOnly();
        const int from = normalOnly ? TBaseGrid::FixedCols() : 0;
        const int to = normalOnly ? ColCount() - FFixedRightCols - 1 : ColCount() - 1;
        for (int c = from; c <= to && c < int(FOrigColSizes.size()); ++c)
            SetColWidths(c, int(FOrigColSizes[size_t(c)] * factor));
    }
    bool stretched = false;
    if (FColumnSize->Stretch() && (FScrollBarAlways == saNone || FScrollBarAlways == saVert) && ColCount() > 0) {
        const int index = FColumnSize->StretchColumn() == -1 ? ColCount() - 1 : FColumnSize->StretchColumn();
        int sum = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != index) sum += ColWidths(c);
        if (sum < Width()) {
            ApplyColumnStretch(FColumnSize->StretchColumn());
            stretched = true;
        }
        if (FScrollBarAlways == saNone) {
            const TScrollStyle bars = ScrollBars();
            if ((bars == ssHorizontal || bars == ssBoth) && index >= 0 && index < ColCount())
                ShowScrollBar(SB_HORZ, ClientWidth() < sum + ColWidths(index));
            if (bars == ssVertical || bars == ssBoth)
                ShowScrollBar(SB_VERT, VisibleRowCount() < RowCount() - TBaseGrid::FixedRows());
            if (stretched) {
                if (OnGridResize) OnGridResize(this);
                return;
            }
        }
    }
    TBaseGrid::WndProc(Message);
    // The stock grid shows its bars by the ScrollBars setting, and flat bars
    // do not exist on this platform.
    RefreshProportionalScrollBars();
}

TCanvas* TKvStringGrid::FooterCanvas() { return FFooterPanel ? FFooterPanel->Canvas() : nullptr; }

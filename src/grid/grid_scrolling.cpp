// Scrolling of the grid: the scroll look and properties, proportional thumbs,
// bars kept visible, the scroll messages with their hints and the cell scroll
// bar, the last row kept above the search bar, and drag auto-scroll.

#include <QtWidgets/QScrollBar>
#include <algorithm>

#include "grid/html_hint_window.h"
#include "grid/kv_string_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

namespace {

constexpr int kScrollScale = 127;

bool HasHorzBar(TScrollStyle s) { return s == ssHorizontal || s == ssBoth; }
bool HasVertBar(TScrollStyle s) { return s == ssVertical || s == ssBoth; }

} // namespace

// ============================================================ properties

void TKvStringGrid::SetScrollType(TScrollType Value)
{
    if (Value != FScrollType) {
        FScrollType = Value;
        if (Value == ssFlat || Value == ssEncarta) {
            InitFlatScrollBars();
            UpdateFlatScrollBars();
        } else {
            DoneFlatScrollBars();
        }
        // The grid's window exists once it has a parent.
        if (Parent()) {
            if (Value == ssMetro) {
                CreateMetroScrollControls();
                SetScrollBars(ssNone);
            } else if (FVScrollControl || FHScrollControl) {
                delete FVScrollControl;
                delete FHScrollControl;
                FVScrollControl = nullptr;
                FHScrollControl = nullptr;
                SetScrollBars(ssBoth);
            }
        }
    }
    ApplyFlatScrollStyle();
}

void TKvStringGrid::SetScrollColor(TColor Value)
{
    FScrollColor = Value;
    ApplyFlatScrollColor();
}

void TKvStringGrid::SetScrollWidth(int Value)
{
    FScrollWidth = Value;
    ApplyFlatScrollWidth();
}

void TKvStringGrid::SetScrollBars(TScrollStyle Value)
{
    FGridScrollBars = Value;
    TBaseGrid::SetScrollBars(Value);
}

void TKvStringGrid::SetScrollProportional(bool Value)
{
    FScrollProportional = Value;
    if (Value) {
        UpdateProportionalVertScroll();
        UpdateProportionalHorzScroll();
    } else if (FIsFlat && FScrollType == ssNormal) {
        DoneFlatScrollBars();
        TScrollInfo si;
        si.fMask = SIF_PAGE;
        si.nPage = 0;
        SetScrollInfo(SB_HORZ, si, true);
        SetScrollInfo(SB_VERT, si, true);
    }
}

void TKvStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    FScrollBarAlways = Value;
    ApplyScrollBarAlways(true);
}

// ============================================================ flat scroll bars
// The platform offers no flat scroll bars: the look-up finds no function, so
// FIsFlat stays false and the operations that need it do nothing.

void TKvStringGrid::InitFlatScrollBars() { FIsFlat = false; }
void TKvStringGrid::DoneFlatScrollBars() { FIsFlat = false; }
void TKvStringGrid::FlatSetScrollProp(int Index, int Value, bool Redraw)
{
    (void)Index; (void)Value; (void)Redraw;
}
void TKvStringGrid::FlatSetScrollInfo(int Bar, TScrollInfo& Info, bool Redraw)
{
    (void)Bar; (void)Info; (void)Redraw;
}

void TKvStringGrid::ShowFlatScrollBar(int Bar, bool Show)
{
    (void)Bar; (void)Show;
}

void TKvStringGrid::UpdateFlatVertScroll()
{
    if (!HasVertBar(FGridScrollBars) || !FIsFlat) return;
    TScrollInfo si;
    si.fMask = SIF_ALL;
    GetScrollInfo(SB_VERT, si);
    FlatSetScrollInfo(SB_VERT, si, true);
}

void TKvStringGrid::UpdateFlatHorzScroll()
{
    if (!HasHorzBar(FGridScrollBars) || !FIsFlat) return;
    TScrollInfo si;
    si.fMask = SIF_ALL;
    GetScrollInfo(SB_HORZ, si);
    FlatSetScrollInfo(SB_HORZ, si, true);
}

void TKvStringGrid::ApplyFlatScrollStyle()
{
    if (FScrollType == ssMetro) return;
    const int mode = FScrollType == ssFlat ? 2 : FScrollType == ssEncarta ? 1 : 0;
    FlatSetScrollProp(0x100, mode, true);
    FlatSetScrollProp(0x200, mode, true);
}

void TKvStringGrid::ApplyFlatScrollColor()
{
    if (FScrollColor == clNone) return;
    FlatSetScrollProp(0x40, int(FScrollColor), true);
    FlatSetScrollProp(0x80, int(FScrollColor), true);
}

void TKvStringGrid::ApplyFlatScrollWidth()
{
    FlatSetScrollProp(8, FScrollWidth, true);
    FlatSetScrollProp(4, FScrollWidth, true);
}

void TKvStringGrid::UpdateFlatScrollBars()
{
    ApplyFlatScrollStyle();
    ApplyFlatScrollColor();
    ApplyFlatScrollWidth();
    if (VisibleRowCount() + TBaseGrid::FixedRows() < RowCount()) {
        ShowFlatScrollBar(SB_VERT, true);
        UpdateFlatVertScroll();
    } else {
        ShowFlatScrollBar(SB_VERT, false);
    }
    if (VisibleColCount() + TBaseGrid::FixedCols() < ColCount()) {
        ShowFlatScrollBar(SB_HORZ, true);
        UpdateFlatHorzScroll();
    } else {
        ShowFlatScrollBar(SB_HORZ, false);
    }
}

// ============================================================ proportional thumbs

void TKvStringGrid::UpdateScrollRange()
{
    TBaseGrid::UpdateScrollRange();
    if (FScrollProportional) {
        UpdateProportionalVertScroll();
        UpdateProportionalHorzScroll();
    }
    if (FScrollBarAlways != saNone) ApplyScrollBarAlways(false);
}

void TKvStringGrid::RefreshProportionalScrollBars()
{
    UpdateProportionalVertScroll();
    UpdateProportionalHorzScroll();
}

void TKvStringGrid::UpdateScrollPos()
{
    TBaseGrid::UpdateScrollPos();
    if (FScrollProportional) {
        UpdateProportionalVertScroll();
        UpdateProportionalHorzScroll();
    }
}

namespace {

// The extents along one axis: b the fixed cells, c the normal cells, d the
// normal cells before the first scrolled one, each with its grid line; s the
// cells alone.
struct TAxisSums {
    int b, c, d, s = 0;
};

template <class Extent>
TAxisSums AxisSums(int L, int Count, int Fixed, int First, Extent&& Size)
{
    TAxisSums a{L, L, L};
    for (int i = 0; i < Count; ++i) {
        const int w = Size(i);
        a.s += w;
        if (i < Fixed) {
            a.b += L + w;
        } else {
            a.c += L + w;
            if (i < First) a.d += L + w;
        }
    }
    return a;
}

} // namespace

// The thumb covers the share e of the normal cells that fits beside the
// fixed ones; it moves over the positions 0 .. 127 of the stock scale.
bool TKvStringGrid::WriteProportionalBar(int Bar, int Extent, int FixedSum, int NormalSum, int Before, int NoRoomPos)
{
    TScrollInfo si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Bar, si);
    if (NormalSum == 0) return false;
    const float e = float(Extent - FixedSum) / float(NormalSum);
    if (e >= 0.9999f) return false;
    const float f = (e + 127.0f) / (1.0f - e);
    const double pos = Extent < NormalSum ? double(Before) / double(NormalSum - Extent) * 128.0
                                          : double(NoRoomPos < 0 ? si.nPos : NoRoomPos);
    if (Bar == SB_HORZ && FixedSum + NormalSum - Extent < 5) return false;
    si.fMask = SIF_ALL;
    si.nMax = int(f);
    si.nPage = unsigned(std::max(0, si.nMax - 126));
    si.nPos = int(pos);
    FInProportional = true;
    SetScrollInfo(Bar, si, true);
    FInProportional = false;
    return true;
}

void TKvStringGrid::UpdateProportionalHorzScroll()
{
    if (IsLoading() || FDesigning || !FScrollProportional || FScrollLock || FInProportional) return;
    const TAxisSums a = AxisSums(GridLineWidth(), ColCount(), TBaseGrid::FixedCols(), LeftCol(),
                                 [this](int i) { return ColWidths(i); });
    // Without room to spare the bar keeps its position.
    if (!WriteProportionalBar(SB_HORZ, Width(), a.b, a.c, a.d, -1)) return;
    UpdateFlatHorzScroll();
    if (FScrollBarAlways == saHorz || FScrollBarAlways == saBoth) return;
    if (a.s >= Width() && HasHorzBar(FGridScrollBars)) return;
    ShowScrollBar(SB_HORZ, false);
}

void TKvStringGrid::UpdateProportionalVertScroll()
{
    if (IsLoading() || FDesigning || !FScrollProportional || FScrollLock || FInProportional) return;
    if (VisibleRowCount() + TBaseGrid::FixedRows() >= RowCount()) return;
    const TAxisSums a = AxisSums(GridLineWidth(), RowCount(), TBaseGrid::FixedRows(), TopRow(),
                                 [this](int i) { return RowHeights(i); });
    if (!WriteProportionalBar(SB_VERT, Height(), a.b, a.c, a.d, 127)) return;
    UpdateFlatVertScroll();
}

// ============================================================ bars kept visible

void TKvStringGrid::ApplyScrollBarAlways(bool Hide)
{
    const bool rowsFit = VisibleRowCount() + TBaseGrid::FixedRows() >= RowCount();
    const bool colsFit = VisibleColCount() + TBaseGrid::FixedCols() >= ColCount();
    if (FScrollBarAlways == saNone) {
        if (!Hide) return;
        if (rowsFit) ShowScrollBar(SB_VERT, false);
        if (colsFit) ShowScrollBar(SB_HORZ, false);
        return;
    }
    const bool keepVert = FScrollBarAlways == saVert || FScrollBarAlways == saBoth;
    const bool keepHorz = FScrollBarAlways == saHorz || FScrollBarAlways == saBoth;
    if (rowsFit) ShowScrollBar(SB_VERT, keepVert);
    if (colsFit) ShowScrollBar(SB_HORZ, keepHorz);
    if (rowsFit) EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
    if (colsFit) EnableScrollBar(SB_HORZ, ESB_DISABLE_BOTH);
    if (!rowsFit) EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
    if (!colsFit) EnableScrollBar(SB_HORZ, ESB_ENABLE_BOTH);
}

// ============================================================ scroll messages

int TKvStringGrid::ScrollScaleIndex(bool Vert, int Pos)
{
    const int fixed = Vert ? TBaseGrid::FixedRows() : TBaseGrid::FixedCols();
    const int count = Vert ? RowCount() : ColCount();
    const int visible = Vert ? VisibleRowCount() : VisibleColCount();
    return fixed + MulDiv(Pos, count - visible - fixed, kScrollScale);
}

void TKvStringGrid::ShowScrollHint(const QString& Prefix, int Index)
{
    QString text = Prefix + QString::number(Index);
    if (OnScrollHint) OnScrollHint(this, Index, text);
    FScrollHintText = text;
    TRect r = FScrollHintWnd->CalcHintRect(100, text, nullptr);
    const TPoint cursor = Mouse ? Mouse->CursorPos() : TPoint(0, 0);
    r = TRect(r.Left + cursor.X + 10, r.Top + cursor.Y, r.Right + cursor.X + 10, r.Bottom + cursor.Y);
    FScrollHintWnd->SetColor(FHintColor);
    FScrollHintWnd->ActivateHint(r, text);
    FScrollHintShowing = true;
}

void TKvStringGrid::HideScrollHint()
{
    FScrollHintWnd->ReleaseHandle();
    FScrollHintShowing = false;
}

TGridRect TKvStringGrid::BackgroundCoverage()
{
    int c1 = -1, r1 = -1, c2 = -1, r2 = -1;
    const int l = FBackGround->Left(), t = FBackGround->Top();
    MouseToCell(l, t, c1, r1);
    MouseToCell(l + FBackGround->Bitmap()->Width(), t + FBackGround->Bitmap()->Height(), c2, r2);
    return TGridRect(c1, r1, c2, r2);
}

void TKvStringGrid::WMHScroll(TMessage& Message)
{
    // A child scroll bar's own scrolling is not the grid's.
    if (Message.LParam != 0) {
        TBaseGrid::WndProc(Message);
        return;
    }
    const int code = Message.WParamLo();
    int pos = Message.WParamHi();
    if (ScrollHints == shHorizontal || ScrollHints == shBoth) {
        if (code == SB_ENDSCROLL) HideScrollHint();
        if (code == SB_THUMBTRACK) ShowScrollHint(QStringLiteral("Col : "), ScrollScaleIndex(false, pos));
    }
    if (code == SB_THUMBPOSITION && FIsFlat && ColCount() > 0) {
        const int w = int(RoundHalfEven(double(VisibleColCount()) * 128.0 / ColCount()));
        if (w != 128) {
            pos = int(RoundHalfEven(double(pos) * 127.0 / (128 - w)));
            Message.WParam = WPARAM((pos & 0xFFFF) << 16 | code);
        }
    }
    const int n = ScrollScaleIndex(false, pos);
    if (code == SB_THUMBTRACK && ScrollSynch) SetLeftCol(std::clamp(n, TBaseGrid::FixedCols(), ColCount() - 1));
    const bool fixedPicture = FBackGround->Display() == bdFixed && !FBackGround->Bitmap()->Empty();
    const TGridRect before = fixedPicture ? BackgroundCoverage() : TGridRect();
    if (TBaseGrid::FixedCols() == 0 && n >= Col()) HideInplaceEdit();
    TBaseGrid::WndProc(Message);
    if (fixedPicture && code != SB_THUMBTRACK) {
        const TGridRect after = BackgroundCoverage();
        if (!(after == before)) {
            RepaintRect(before);
            RepaintRect(after);
        }
    }
    if (code == SB_ENDSCROLL && ColCount() == 1) Repaint();
    UpdateFlatHorzScroll();
    UpdateFlatVertScroll();
    if (HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
    UpdateFooter();
}

// Null on a grid made at design time, which has no editor controls.
TScrollBar* TKvStringGrid::CellScrollBar() const
{
    for (TComponent* c : FEditorControls)
        if (auto* b = dynamic_cast<TScrollBar*>(c)) return b;
    return nullptr;
}

void TKvStringGrid::WMVScroll(TMessage& Message)
{
    if (FDesigning) {
        TBaseGrid::WndProc(Message);
        return;
    }
    const int code = Message.WParamLo();
    const int pos = Message.WParamHi();
    TScrollBar* cellBar = CellScrollBar();
    if (cellBar && Message.LParam != 0 && reinterpret_cast<TControl*>(Message.LParam) == cellBar) {
        const int p = cellBar->Position();
        int np = p;
        switch (code) {
        case SB_LINEUP: np = std::max(cellBar->Min(), p - 10); break;
        case SB_LINEDOWN: np = std::min(cellBar->Max(), p + 10); break;
        case SB_PAGEUP: np = std::clamp(p - 100, cellBar->Min(), cellBar->Max()); break;
        case SB_PAGEDOWN: np = std::clamp(p + 100, cellBar->Min(), cellBar->Max()); break;
        case SB_THUMBTRACK: np = std::clamp(pos, cellBar->Min(), cellBar->Max()); break;
        default: break;
        }
        if (np != p) {
            cellBar->SetPosition(np);
            Message.Result = 1;
            SetScrollPosition(FScrollCol, FScrollRow, np);
            RepaintCell(FScrollCol, FScrollRow);
            ScrollCell(FScrollCol, FScrollRow, np, cellBar->Min(), cellBar->Max());
        }
        return;
    }
    if (Message.LParam != 0) {
        TBaseGrid::WndProc(Message);
        return;
    }
    if (ScrollHints == shVertical || ScrollHints == shBoth) {
        if (code == SB_ENDSCROLL) HideScrollHint();
        if (code == SB_THUMBTRACK) ShowScrollHint(QStringLiteral("Row : "), ScrollScaleIndex(true, pos));
    }
    if (code == SB_THUMBTRACK && ScrollSynch)
        SetTopRow(std::clamp(ScrollScaleIndex(true, pos), TBaseGrid::FixedRows(), std::max(TBaseGrid::FixedRows(), RowCount() - 1)));
    const bool fixedPicture = FBackGround->Display() == bdFixed && !FBackGround->Bitmap()->Empty();
    const TGridRect before = fixedPicture ? BackgroundCoverage() : TGridRect();
    const bool searchBar = FSearchFooter->Visible();
    if ((code == SB_ENDSCROLL || code == SB_LINEDOWN) && searchBar && LastRowAboveSearchPanel()) {
        Message.Result = 1;
        return;
    }
    TBaseGrid::WndProc(Message);
    if (code == SB_LINEUP && searchBar && TopRow() == RowCount() - VisibleRowCount() && TopRow() > TBaseGrid::FixedRows())
        SetTopRow(TopRow() - 1);
    if ((code == SB_ENDSCROLL || code == SB_LINEDOWN) && searchBar && TopRow() == RowCount() - VisibleRowCount())
        KeepLastRowAboveSearchPanel();
    if (fixedPicture) {
        const TGridRect after = BackgroundCoverage();
        if (code != SB_THUMBTRACK && !(after == before)) {
            RepaintRect(before);
            RepaintRect(after);
        }
    }
    UpdateFlatVertScroll();
    UpdateFlatHorzScroll();
    if (HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
}

// ============================================================ the last row and the search bar

namespace {
int SearchPanelHeight(TSearchPanel* Panel) { return Panel ? Panel->Height() : 0; }
} // namespace

bool TKvStringGrid::LastRowAboveSearchPanel()
{
    if (!FSearchFooter->Visible() || RowCount() == 0) return false;
    if (TopRow() + VisibleRowCount() < RowCount() - 1) return false;
    return CellRect(0, RowCount() - 1).Bottom < ClientRect().Bottom - SearchPanelHeight(FSearchPanel) + 2;
}

void TKvStringGrid::KeepLastRowAboveSearchPanel()
{
    if (!FSearchFooter->Visible() || RowCount() == 0) return;
    const int panel = SearchPanelHeight(FSearchPanel);
    if (DefaultRowHeight() + panel >= ClientHeight()) return;
    for (;;) {
        if (CellRect(0, RowCount() - 1).Bottom <= ClientRect().Bottom - panel + 2) return;
        if (Row() > RowCount() - 1 || TopRow() >= RowCount()) return;
        const int before = TopRow();
        SetTopRow(before + 1);
        // A top row the grid refuses ends the walk.
        if (TopRow() == before) return;
    }
}

// ============================================================ drag auto-scroll

void TKvStringGrid::FreeDragTimer()
{
    if (!FDragTmr) return;
    FDragTmr->SetEnabled(false);
    delete FDragTmr;
    FDragTmr = nullptr;
}

void TKvStringGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    if (!FDragScrollOptions->Active()) {
        FreeDragTimer();
    } else {
        const unsigned old = FDragScrollDirection;
        FDragScrollDirection = 0;
        if (State == dsDragLeave) {
            FreeDragTimer();
        } else {
            TDragScrollMargins* m = FDragScrollOptions->Margins();
            if (Y < m->TopMargin()) FDragScrollDirection |= dsdUp;
            else if (Y > Height() - m->BottomMargin()) FDragScrollDirection |= dsdDown;
            if (X < m->LeftMargin()) FDragScrollDirection |= dsdLeft;
            else if (X > Width() - m->RightMargin()) FDragScrollDirection |= dsdRight;
            if (FDragScrollDirection != 0) {
                const unsigned initial = unsigned(std::max(0, FDragScrollOptions->Delays()->InitialDelay()));
                if (!FDragTmr) {
                    FDragTmr = new TTimer(Parent() ? static_cast<TComponent*>(Parent()) : this);
                    FDragTmr->SetInterval(initial);
                    FDragTmr->OnTimer = [this](TObject*) { DragScrollTick(); };
                    FDragTmr->SetEnabled(true);
                } else if (old != 0) {
                    FDragTmr->SetInterval(initial);
                }
            } else {
                FreeDragTimer();
            }
        }
    }
    TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

void TKvStringGrid::DragScrollTick()
{
    if (!FDragScrollOptions->Active()) {
        FreeDragTimer();
        return;
    }
    FDragTmr->SetInterval(unsigned(std::max(0, FDragScrollOptions->Delays()->RepeatDelay())));
    unsigned dir = FDragScrollDirection;
    if (OnDragScroll) {
        bool canScroll = true;
        OnDragScroll(this, TopRow(), LeftCol(), dir, canScroll);
        if (!canScroll) return;
    }
    if ((dir & dsdUp) && TopRow() > TBaseGrid::FixedRows()) SetTopRow(TopRow() - 1);
    if ((dir & dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    if ((dir & dsdLeft) && LeftCol() > TBaseGrid::FixedCols()) SetLeftCol(LeftCol() - 1);
    if ((dir & dsdRight) && VisibleColCount() + LeftCol() < ColCount()) SetLeftCol(LeftCol() + 1);
}

// ============================================================ arrow markers' colour

TColor TKvStringGrid::ArrowColor() const
{
    EnsureEditorControls();
    for (TComponent* c : FEditorControls)
        if (auto* a = dynamic_cast<TArrowWindow*>(c); a && a->Direction() == arrUp) return a->Color();
    return clNone;
}

void TKvStringGrid::SetArrowColor(TColor Value)
{
    EnsureEditorControls();
    for (TComponent* c : FEditorControls)
        if (auto* a = dynamic_cast<TArrowWindow*>(c)) a->SetColor(Value);
}

// Scrolling and sizing of the grid: proportional thumbs, bars kept visible,
// the thumb hints, the search bar holding the last row, the cell scroll bar,
// drag auto-scroll with a driven timer, column stretching, proportional
// sizing of all columns and the sizing border.
#include <QtWidgets/QScrollBar>
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

namespace {

class TScrollGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    void ScrollCell(int ACol, int ARow, int Position, int Min, int Max) override
    {
        Scrolled.push_back({ACol, ARow, Position, Min, Max});
    }
    std::vector<std::array<int, 5>> Scrolled;
    using TKvStringGrid::ColWidthsChanged;
};

struct ScrollFixture : ::testing::Test {
    TForm form;
    TScrollGrid* g = nullptr;
    void SetUp() override
    {
        form.SetBounds(0, 0, 600, 500);
        g = new TScrollGrid(&form);
        g->SetParent(&form);
        form.Show();
    }
    void Scroll(bool Vert, int Code, int Pos = 0, TControl* From = nullptr)
    {
        TMessage m;
        m.Msg = Vert ? WM_VSCROLL : WM_HSCROLL;
        m.WParam = WPARAM((Pos & 0xFFFF) << 16 | (Code & 0xFFFF));
        m.LParam = LPARAM(From);
        if (Vert) g->WMVScroll(m);
        else g->WMHScroll(m);
        LastResult = m.Result;
    }
    // Rows of 22 pixels under one fixed row of 22, grid lines of 1.
    void Rows(int Normal)
    {
        g->SetRowCount(Normal + 1);
        g->SetFixedRows(1);
        for (int r = 0; r < g->RowCount(); ++r) g->SetRowHeights(r, 22);
    }
    LRESULT LastResult = 0;
};

} // namespace

TEST_F(ScrollFixture, ProportionalThumbShowsTheVisibleShare)
{
    Rows(10);
    g->SetBounds(0, 0, 300, 100);
    g->SetScrollProportional(true);
    TScrollInfo si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(g->GetScrollInfo(SB_VERT, si));
    EXPECT_EQ(si.nMax, 189);
    EXPECT_EQ(si.nPage, 63u);
    EXPECT_EQ(si.nPos, 0);
    g->SetTopRow(4);
    g->UpdateProportionalVertScroll();
    ASSERT_TRUE(g->GetScrollInfo(SB_VERT, si));
    EXPECT_EQ(si.nPos, 68);
}

TEST_F(ScrollFixture, AHorizontalBarWhoseColumnsNearlyFitIsLeftAlone)
{
    g->SetColCount(3);
    for (int c = 0; c < 3; ++c) g->SetColWidths(c, 98);
    g->SetBounds(0, 0, 300, 200);
    TScrollInfo before;
    before.fMask = SIF_ALL;
    g->GetScrollInfo(SB_HORZ, before);
    g->SetScrollProportional(true);
    TScrollInfo after;
    after.fMask = SIF_ALL;
    g->GetScrollInfo(SB_HORZ, after);
    EXPECT_EQ(after.nMax, before.nMax);
    EXPECT_EQ(after.nPage, before.nPage);
    EXPECT_EQ(after.nPos, before.nPos);
}

TEST_F(ScrollFixture, AVerticalBarKeptVisibleIsDisabledWhenTheRowsFit)
{
    Rows(3);
    g->SetColCount(2);
    g->SetBounds(0, 0, 300, 300);
    g->SetScrollBarAlways(TKvStringGrid::saVert);
    EXPECT_TRUE(g->ScrollBarVisible(SB_VERT));
    EXPECT_FALSE(g->ScrollBarEnabled(SB_VERT));
    EXPECT_FALSE(g->ScrollBarVisible(SB_HORZ));
    // Once the rows no longer fit the bar works again.
    Rows(40);
    g->ApplyScrollBarAlways(false);
    EXPECT_TRUE(g->ScrollBarVisible(SB_VERT));
    EXPECT_TRUE(g->ScrollBarEnabled(SB_VERT));
}

TEST_F(ScrollFixture, ThumbHintNamesTheRowOrColumnTheThumbPointsAt)
{
    Rows(100);
    // Ten rows in view: the client holds the fixed row and ten rows with their lines.
    g->SetColCount(2);
    g->SetBounds(0, 0, 300, 11 * 23 + (g->Height() - g->ClientHeight()) + 5);
    ASSERT_EQ(g->VisibleRowCount(), 10);
    g->ScrollHints = TKvStringGrid::shVertical;
    Scroll(true, SB_THUMBTRACK, 127);
    EXPECT_TRUE(g->ScrollHintShowing());
    EXPECT_EQ(g->ScrollHintText(), QStringLiteral("Row : 91"));
    Scroll(true, SB_ENDSCROLL);
    EXPECT_FALSE(g->ScrollHintShowing());

    g->OnScrollHint = [](TObject*, int ARow, QString& Hint) { Hint = QStringLiteral("row %1").arg(ARow); };
    Scroll(true, SB_THUMBTRACK, 0);
    EXPECT_EQ(g->ScrollHintText(), QStringLiteral("row 1"));
    // A horizontal drag shows no hint for vertical hints only.
    Scroll(false, SB_THUMBTRACK, 5);
    EXPECT_EQ(g->ScrollHintText(), QStringLiteral("row 1"));

    // Columns: 1 fixed and 30 normal ones of 64 pixels, the thumb at its end.
    g->OnScrollHint = nullptr;
    g->SetColCount(31);
    g->ScrollHints = TKvStringGrid::shBoth;
    Scroll(false, SB_THUMBTRACK, 127);
    EXPECT_EQ(g->ScrollHintText(), QStringLiteral("Col : %1").arg(g->ColCount() - g->VisibleColCount()));
    Scroll(false, SB_ENDSCROLL);
    EXPECT_FALSE(g->ScrollHintShowing());
}

TEST_F(ScrollFixture, TheWindowProcedureHandsScrollMessagesOver)
{
    Rows(100);
    g->SetColCount(2);
    g->SetBounds(0, 0, 300, 200);
    g->ScrollHints = TKvStringGrid::shVertical;
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0u), 0);
    EXPECT_EQ(g->ScrollHintText(), QStringLiteral("Row : 1"));
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0u), 0);
    EXPECT_FALSE(g->ScrollHintShowing());
    g->Perform(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0u), 0);
    EXPECT_EQ(g->TopRow(), 2);
}

TEST_F(ScrollFixture, ScrollSynchFollowsTheThumb)
{
    Rows(100);
    g->SetBounds(0, 0, 300, 250);
    g->ScrollSynch = true;
    Scroll(true, SB_THUMBTRACK, 127);
    EXPECT_EQ(g->TopRow(), 1 + MulDiv(127, g->RowCount() - g->VisibleRowCount() - 1, 127));
}

TEST_F(ScrollFixture, TheSearchBarHoldsTheLastRowAboveIt)
{
    Rows(4);
    g->SetBounds(0, 0, 300, 300);
    g->SearchPanel()->SetHeight(32);
    g->SearchFooter()->SetVisible(true);
    ASSERT_TRUE(g->LastRowAboveSearchPanel());
    const int top = g->TopRow();
    for (int code : {SB_LINEDOWN, SB_ENDSCROLL}) {
        Scroll(true, code);
        EXPECT_EQ(LastResult, 1) << code;
        EXPECT_EQ(g->TopRow(), top) << code;
    }
}

TEST_F(ScrollFixture, KeepingTheLastRowEndsWhenTheTopRowCannotMove)
{
    Rows(30);
    g->SetBounds(0, 0, 300, 200);
    g->SetTopRow(g->RowCount() - g->VisibleRowCount());
    // A panel so tall that the last row can never get above it.
    g->SearchPanel()->SetHeight(150);
    g->SearchFooter()->SetVisible(true);
    g->KeepLastRowAboveSearchPanel();
    SUCCEED();
}

TEST_F(ScrollFixture, TheCellScrollBarMovesByLinesAndPagesWithinItsRange)
{
    g->AddScrollBar(1, 1, false);
    TScrollBar* bar = g->CellScrollBar();
    ASSERT_NE(bar, nullptr);
    bar->SetParams(5, 0, 300);
    g->FScrollCol = 1;
    g->FScrollRow = 1;
    const int top = g->TopRow();
    Scroll(true, SB_LINEUP, 0, bar);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(LastResult, 1);
    EXPECT_EQ(g->GetScrollPosition(1, 1), 0);
    ASSERT_EQ(g->Scrolled.size(), 1u);
    EXPECT_EQ(g->Scrolled[0], (std::array<int, 5>{1, 1, 0, 0, 300}));
    // At its minimum a further line up changes nothing and reports nothing.
    Scroll(true, SB_LINEUP, 0, bar);
    EXPECT_EQ(g->Scrolled.size(), 1u);
    struct Step { int code, pos, expect; };
    for (Step s : {Step{SB_LINEDOWN, 0, 10}, Step{SB_PAGEDOWN, 0, 110}, Step{SB_PAGEUP, 0, 10},
                   Step{SB_THUMBTRACK, 250, 250}, Step{SB_PAGEDOWN, 0, 300}, Step{SB_LINEDOWN, 0, 300}}) {
        Scroll(true, s.code, s.pos, bar);
        EXPECT_EQ(bar->Position(), s.expect) << s.code;
    }
    EXPECT_EQ(g->TopRow(), top);
}

TEST_F(ScrollFixture, DragAutoScrollWaitsThenRepeats)
{
    Rows(50);
    g->SetBounds(0, 0, 300, 300);
    g->SetTopRow(10);
    g->DragScrollOptions()->SetActive(true);
    bool accept = false;
    g->DragOver(nullptr, 150, 10, dsDragEnter, accept);
    TTimer* t = g->DragScrollTimer();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Interval(), 1000u);
    EXPECT_EQ(g->DragScrollDirection(), unsigned(TKvStringGrid::dsdUp));
    t->Tick();
    EXPECT_EQ(g->TopRow(), 9);
    EXPECT_EQ(t->Interval(), 250u);
    int asked = 0;
    g->OnDragScroll = [&](TObject*, int, int, unsigned&, bool& CanScroll) { CanScroll = ++asked != 1; };
    t->Tick();
    EXPECT_EQ(g->TopRow(), 9);
    t->Tick();
    EXPECT_EQ(g->TopRow(), 8);
    // Moving on inside the margin starts the wait again.
    g->DragOver(nullptr, 150, 12, dsDragMove, accept);
    EXPECT_EQ(t->Interval(), 1000u);
    // Leaving the margins ends it.
    g->DragOver(nullptr, 150, 150, dsDragMove, accept);
    EXPECT_EQ(g->DragScrollTimer(), nullptr);
    g->DragOver(nullptr, 150, 290, dsDragMove, accept);
    ASSERT_NE(g->DragScrollTimer(), nullptr);
    EXPECT_EQ(g->DragScrollDirection(), unsigned(TKvStringGrid::dsdDown));
    g->DragOver(nullptr, 150, 290, dsDragLeave, accept);
    EXPECT_EQ(g->DragScrollTimer(), nullptr);
    // Switched off, a tick frees its timer.
    g->DragOver(nullptr, 5, 150, dsDragMove, accept);
    ASSERT_NE(g->DragScrollTimer(), nullptr);
    g->DragScrollOptions()->SetActive(false);
    g->DragScrollTimer()->Tick();
    EXPECT_EQ(g->DragScrollTimer(), nullptr);
}

TEST_F(ScrollFixture, StretchFillsTheClientWidth)
{
    g->SetColCount(3);
    g->SetFixedCols(0);
    Rows(2);
    g->SetColWidths(0, 64);
    g->SetColWidths(1, 64);
    g->SetBounds(0, 0, 300 + (g->Width() - g->ClientWidth()), 200);
    ASSERT_EQ(g->ClientWidth(), 300);
    g->ColumnSize()->SetStretch(true);
    g->StretchColumnWidth(-1);
    EXPECT_EQ(g->ColWidths(2), 171);
    // The width change does not stretch again and leaves the others alone.
    EXPECT_EQ(g->ColWidths(0), 64);

    g->SetColCount(1);
    g->StretchColumnWidth(-1);
    EXPECT_EQ(g->ColWidths(0), 300);
}

TEST_F(ScrollFixture, StretchRefusesColumnsOutsideTheGrid)
{
    g->SetColCount(5);
    g->ColumnSize()->SetStretch(true);
    for (int index : {5, 6, -2}) {
        QString message;
        try {
            g->StretchColumnWidth(index);
        } catch (const Exception& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, QStringLiteral("Stretch column index out of range")) << index;
    }
}

TEST_F(ScrollFixture, SizingOneColumnSizesAllByTheSameFactor)
{
    g->SetColCount(4);
    for (int c = 0; c < 4; ++c) g->SetColWidths(c, 50);
    g->MouseActions()->SetAllColumnSize(true);
    std::vector<int> ended;
    g->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
    // As the mouse handling leaves it while column 2 is sized from 50.
    g->Colclicked = 2;
    g->Colclickedsize = 50;
    g->ColSized = 2;
    g->SetColWidths(2, 75);
    EXPECT_EQ(g->ColWidths(0), 50);
    EXPECT_EQ(g->ColWidths(1), 75);
    EXPECT_EQ(g->ColWidths(3), 75);
    EXPECT_EQ(ended, std::vector<int>{2});
    EXPECT_EQ(g->Colclicked, -1);
    EXPECT_EQ(g->ColSized, -1);
}

TEST_F(ScrollFixture, ARowSizedWithTheMouseSizesAllRows)
{
    Rows(3);
    g->MouseActions()->SetAllRowSize(true);
    int ended = -1;
    g->OnEndRowSize = [&](TObject*, int ARow) { ended = ARow; };
    g->Rowclicked = 1;
    g->Rowclickedsize = 22;
    g->Rowsized = 1;
    g->SetRowHeights(1, 33);
    EXPECT_EQ(g->RowHeights(0), 22);
    EXPECT_EQ(g->RowHeights(2), 33);
    EXPECT_EQ(g->RowHeights(3), 33);
    EXPECT_EQ(ended, 1);
}

TEST_F(ScrollFixture, SizingBordersAreNearTheHeaderEdges)
{
    g->SetOptions(g->Options() | goColSizing);
    const TRect r = g->CellRect(2, 0);
    EXPECT_TRUE(g->IsOnSizingBorder(r.Right - 2, r.Top + 5));
    EXPECT_TRUE(g->IsOnSizingBorder(r.Left + 3, r.Top + 5));
    EXPECT_FALSE(g->IsOnSizingBorder(r.Left + 20, r.Top + 5));
    const TRect deep = g->CellRect(2, 3);
    EXPECT_FALSE(g->IsOnSizingBorder(deep.Right - 1, deep.Top + 5));
    g->SetOptions(g->Options() | goRowSizing);
    const TRect side = g->CellRect(0, 3);
    EXPECT_TRUE(g->IsOnSizingBorder(side.Left + 10, side.Bottom - 1));
    EXPECT_FALSE(g->IsOnSizingBorder(-5, -5));
}

TEST_F(ScrollFixture, ACellScrollBarMovedByTheUserScrollsItsCell)
{
    g->AddScrollBar(1, 1, false);
    TScrollBar* bar = g->CellScrollBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->Kind(), sbVertical);
    bar->SetParams(0, 0, 300);
    g->FScrollCol = 1;
    g->FScrollRow = 1;
    const int top = g->TopRow();
    // The bar's own actions reach the grid as WM_VSCROLL from that bar.
    struct Step { QAbstractSlider::SliderAction action; int expect; };
    for (Step s : {Step{QAbstractSlider::SliderSingleStepAdd, 10}, Step{QAbstractSlider::SliderPageStepAdd, 110},
                   Step{QAbstractSlider::SliderSingleStepSub, 100}}) {
        bar->Bar()->triggerAction(s.action);
        EXPECT_EQ(bar->Position(), s.expect) << s.action;
        EXPECT_EQ(g->GetScrollPosition(1, 1), s.expect) << s.action;
    }
    EXPECT_EQ(g->Scrolled.size(), 3u);
    EXPECT_EQ(g->TopRow(), top);
}

#include "wndproc_fixture.h"
#include "platform/ui/stdctrls.h"

#include <gtest/gtest.h>

namespace {
void Move(TKvStringGrid* g, int x, int y, WPARAM keys = 0) { g->Perform(WM_MOUSEMOVE, keys, XY(x, y)); }
TPoint Inside(TKvStringGrid* g, int c, int r)
{
    const TRect R = g->CellRect(c, r);
    return TPoint(R.Left + R.Width() / 2, R.Top + R.Height() / 2);
}
} // namespace

TEST(GridMouseMove, HintStaysWithinAMergedAreaAndGoesOnAnotherBaseCell)
{
    TGridOnForm<> f(10, 4);
    f.grid->MergeCells(1, 2, 2, 1);
    THintInfo info;
    const TRect base = f.grid->CellRect(1, 2);
    info.CursorPos = TPoint(base.Left + 3, base.Top + 3);
    QString text;
    f.grid->PrepareCellHint(text, info);
    ASSERT_EQ(f.grid->LastHintPos(), TPoint(1, 2));
    const TRect covered = f.grid->UnclippedCellRect(2, 2);
    Move(f.grid, covered.Right - 3, covered.Top + 3);
    EXPECT_EQ(f.grid->LastHintPos(), TPoint(1, 2)) << "same base cell";
    const TPoint other = Inside(f.grid, 3, 2);
    Move(f.grid, other.X, other.Y);
    EXPECT_EQ(f.grid->LastHintPos(), TPoint(-1, -1));
}

TEST(GridMouseMove, FixedEdgeSizingZoneIsTwoPixelsWide)
{
    TGridOnForm<> f(10, 4);
    f.grid->SetFixedCols(1);
    f.grid->MouseActions()->SetSizeFixedCol(true);
    const int edge = f.grid->ColWidths(0);
    const int y = Inside(f.grid, 1, 3).Y;
    struct Row { int x; bool zone; };
    for (const Row r : {Row{edge + 2, true}, Row{edge + 3, false}, Row{edge - 2, true}, Row{edge - 3, false}}) {
        Move(f.grid, r.x, y);
        EXPECT_EQ(f.grid->SizeFixedZone(), r.zone) << r.x - edge;
    }
    f.grid->MouseActions()->SetSizeFixedCol(false);
    Move(f.grid, edge + 1, y);
    EXPECT_FALSE(f.grid->SizeFixedZone());
}

TEST(GridMouseMove, RowSelectionScrollsBelowTheBottomThreePixels)
{
    TGridOnForm<> f(40, 4);
    f.grid->SetFixedCols(1);
    f.grid->MouseActions()->SetRowSelect(true);
    const TPoint start = Inside(f.grid, 0, 3);
    Move(f.grid, start.X, start.Y);
    ASSERT_EQ(f.grid->MouseSelectMode(), TKvStringGrid::msRow);
    f.grid->SetMouseSelectStart(3);
    const int top = f.grid->TopRow();
    Move(f.grid, start.X, f.grid->Height() - 4);
    EXPECT_EQ(f.grid->TopRow(), top);
    Move(f.grid, start.X, f.grid->Height() - 3);
    EXPECT_EQ(f.grid->TopRow(), top + 1);
    EXPECT_EQ(f.grid->Selection().Top, 3);
    EXPECT_EQ(f.grid->Selection().Left, 1);
    EXPECT_EQ(f.grid->Selection().Right, 3);
}

TEST(GridMouseMove, SelectModesALaterMatchWins)
{
    TGridOnForm<> f(10, 4);
    f.grid->SetFixedCols(1);
    f.grid->MouseActions()->SetAllSelect(true);
    f.grid->MouseActions()->SetRowSelect(true);
    f.grid->MouseActions()->SetColSelect(true);
    struct Row { int c, r; TKvStringGrid::TMouseSelectMode mode; };
    const Row rows[] = {
        {0, 0, TKvStringGrid::msAll},
        {0, 4, TKvStringGrid::msRow},
        {2, 0, TKvStringGrid::msColumn},
        {2, 4, TKvStringGrid::msNormal},
    };
    for (const Row& r : rows) {
        const TPoint p = Inside(f.grid, r.c, r.r);
        Move(f.grid, p.X, p.Y);
        EXPECT_EQ(f.grid->MouseSelectMode(), r.mode) << r.c << "," << r.r;
    }
    f.grid->MouseActions()->SetAllSelect(false);
    const TPoint corner = Inside(f.grid, 0, 0);
    Move(f.grid, corner.X, corner.Y);
    EXPECT_EQ(f.grid->MouseSelectMode(), TKvStringGrid::msNormal);
}

TEST(GridMouseMove, LeavingAnAnchorFiresExitOnce)
{
    TGridOnForm<> f(10, 2, 400, 200);
    f.grid->SetColWidths(1, 300);
    f.grid->SetCells(1, 2, QStringLiteral("<a href=\"go\">link</a> and some plain text after it"));
    int enter = 0, exit = 0;
    QString entered;
    f.grid->OnAnchorEnter = [&](TObject*, int, int, const QString& a) { ++enter; entered = a; };
    f.grid->OnAnchorExit = [&](TObject*, int, int, const QString&) { ++exit; };
    const TRect R = f.grid->CellRect(1, 2);
    const int y = R.Top + f.grid->XYOffset().Y + 6;
    Move(f.grid, R.Left + f.grid->XYOffset().X + 6, y);
    ASSERT_EQ(enter, 1);
    EXPECT_EQ(entered, QStringLiteral("go"));
    EXPECT_EQ(f.grid->Cursor(), crHandPoint);
    Move(f.grid, R.Left + 250, y);
    Move(f.grid, R.Left + 260, y);
    EXPECT_EQ(exit, 1);
    EXPECT_EQ(f.grid->Cursor(), f.grid->RestoreCursor()) << "the cursor comes back";
}

TEST(GridMouseMove, ColumnSizingEventAndHint)
{
    TGridOnForm<> f(10, 4);
    f.Show();
    f.grid->HintShowSizing = true;
    std::vector<std::pair<int, int>> sizes;
    f.grid->OnColumnSizing = [&](TObject*, int c, int s) { sizes.emplace_back(c, s); };
    const int border = f.grid->CellRect(0, 0).Right;
    const int y = f.grid->CellRect(0, 0).Top + 5;
    f.grid->Perform(WM_LBUTTONDOWN, WPARAM(ssLeft), XY(border - 1, y));
    ASSERT_EQ(f.grid->GridState(), gsColSizing);
    f.grid->Colclicked = 0;
    f.grid->Rowclicked = 0;
    f.grid->Colclickedsize = 0;
    Move(f.grid, 80, y, WPARAM(ssLeft));
    Move(f.grid, 100, y, WPARAM(ssLeft));
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0], std::make_pair(0, 80));
    EXPECT_EQ(sizes[1], std::make_pair(0, 100));
    EXPECT_TRUE(f.grid->SizingHintShown());
    EXPECT_EQ(f.grid->SizingHintText(), QStringLiteral("cw=<b>100</b>"));
    f.grid->Perform(WM_LBUTTONUP, 0, XY(100, y));
    f.grid->HideSizingHint();
}

TEST(GridMouseMove, TheSharedScrollBarFollowsCellsThatHoldOne)
{
    TGridOnForm<> f(10, 4);
    f.Show();
    TKvStringGrid* g = f.grid;
    TScrollBar* bar = g->CellScrollBar();
    ASSERT_NE(bar, nullptr);
    g->AddScrollBar(1, 2, false);
    g->SetScrollProp(1, 2, TScrollProp{10, 100});
    g->SetScrollPosition(1, 2, 30);
    // Page not smaller than the range: nothing to scroll.
    g->AddScrollBar(2, 3, false);
    g->SetScrollProp(2, 3, TScrollProp{100, 50});

    TPoint p = Inside(g, 1, 2);
    Move(g, p.X, p.Y);
    const TRect R = g->CellRect(1, 2);
    const int lw = g->GridLineWidth();
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->BoundsRect(), TRect(R.Right - 17 - lw, R.Top + lw, R.Right - lw, R.Bottom - lw));
    EXPECT_EQ(bar->Position(), 30);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->PageSize(), 10);
    EXPECT_EQ(TPoint(g->FScrollCol, g->FScrollRow), TPoint(1, 2));

    // The shared scroll bar is left in place when page >= range.
    const TRect placed = bar->BoundsRect();
    p = Inside(g, 2, 3);
    Move(g, p.X, p.Y);
    EXPECT_EQ(bar->BoundsRect(), placed);
    EXPECT_EQ(TPoint(g->FScrollCol, g->FScrollRow), TPoint(2, 3));

    // Refreshing the cell controls with the current cell out of sight flattens it.
    g->SetRowCount(60);
    g->SetRow(2);
    g->SetTopRow(30);
    g->CellControlsUpdate(false);
    EXPECT_EQ(bar->Height(), 0);

    p = Inside(g, 3, 35);
    Move(g, p.X, p.Y);
    EXPECT_FALSE(bar->Visible());
}

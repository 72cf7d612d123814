#include "wndproc_fixture.h"

#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
class TPaintCountingGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TKvStringGrid::Paint();
    }
};

void Tick(TKvStringGrid* g) { g->Perform(WM_TIMER, TKvStringGrid::GridTimerID); }
} // namespace

TEST(GridTimer, IncrementalSearchLapsesAfterFourTicks)
{
    TGridOnForm<> f;
    f.grid->Navigation()->SetAutoGotoIncremental(true);
    f.grid->SearchInc = QStringLiteral("ab");
    f.grid->SearchTics = 0;
    for (int i = 0; i < 3; ++i) Tick(f.grid);
    EXPECT_EQ(f.grid->SearchInc, QStringLiteral("ab"));
    Tick(f.grid);
    EXPECT_TRUE(f.grid->SearchInc.isEmpty());
    EXPECT_EQ(f.grid->SearchTics, 0);
    f.grid->SearchInc += QStringLiteral("c");
    EXPECT_EQ(f.grid->SearchInc, QStringLiteral("c")) << "the next key searches alone";
    EXPECT_EQ(f.grid->TimerTicks(), 4);
}

TEST(GridTimer, HoveringSelectsOnlyNormalCells)
{
    TGridOnForm<> f(20, 4);
    f.grid->SetFixedCols(1);
    f.Show();
    f.grid->SetHovering(true);
    f.grid->SetRow(1);
    f.grid->SetCol(1);
    const TRect header = f.grid->CellRect(2, 0);
    Mouse->SetCursorPos(f.grid->ClientToScreen(TPoint(header.Left + 5, header.Top + 5)));
    if (Mouse->CursorPos() != f.grid->ClientToScreen(TPoint(header.Left + 5, header.Top + 5)))
        GTEST_SKIP() << "this platform plugin does not move the cursor";
    Tick(f.grid);
    EXPECT_EQ(f.grid->Col(), 1);
    EXPECT_EQ(f.grid->Row(), 1);
    const TRect data = f.grid->CellRect(2, 3);
    Mouse->SetCursorPos(f.grid->ClientToScreen(TPoint(data.Left + 5, data.Top + 5)));
    Tick(f.grid);
    EXPECT_EQ(f.grid->Col(), 2);
    EXPECT_EQ(f.grid->Row(), 3);
}

TEST(GridTimer, BlinkRepaintsOnlyBlinkingCells)
{
    TGridOnForm<> f(20, 4);
    f.grid->SetFixedCols(1);
    f.grid->SetEnableBlink(true);
    f.grid->SetCells(2, 3, QStringLiteral("<BLINK>on</BLINK>"));
    f.grid->SetCells(1, 0, QStringLiteral("<bli>head"));
    f.grid->SetCells(0, 2, QStringLiteral("x<Blink>y"));
    f.grid->SetCells(3, 19, QStringLiteral("<BLINK>out of view</BLINK>"));
    const bool phase = f.grid->GridBlink();
    Tick(f.grid);
    EXPECT_NE(f.grid->GridBlink(), phase);
    std::vector<TPoint> got = f.grid->BlinkRepaints;
    std::sort(got.begin(), got.end(), [](TPoint a, TPoint b) { return std::tie(a.X, a.Y) < std::tie(b.X, b.Y); });
    EXPECT_EQ(got, (std::vector<TPoint>{TPoint(0, 2), TPoint(1, 0), TPoint(2, 3)}));
    f.grid->SetEnableBlink(false);
    f.grid->BlinkRepaints.clear();
    Tick(f.grid);
    EXPECT_TRUE(f.grid->BlinkRepaints.empty());
}

TEST(GridTimer, OtherIdsGoToTheStockGrid)
{
    TGridOnForm<> f;
    f.grid->Perform(WM_TIMER, 1);
    EXPECT_EQ(f.grid->TimerTicks(), 0);
}

TEST(GridPaint, NothingPaintsWhileUpdatesAreSuspended)
{
    TGridOnForm<TPaintCountingGrid> f;
    f.Show();
    f.grid->BeginUpdate();
    f.grid->Paints = 0;
    f.grid->Perform(WM_PAINT);
    f.grid->SetBounds(0, 0, 380, 190);
    f.grid->Perform(WM_PAINT);
    EXPECT_EQ(f.grid->Paints, 0);
    f.grid->EndUpdate();
    f.grid->Perform(WM_PAINT);
    EXPECT_GE(f.grid->Paints, 1);
    EXPECT_EQ(f.grid->Perform(WM_ERASEBKGND), 0) << "never erases";
}

TEST(GridSize, StretchedLastColumnFillsTheWidthWithoutHorizontalBar)
{
    TGridOnForm<> f(5, 4, 400, 200);
    f.grid->SetScrollBars(ssBoth);
    f.grid->SetScrollBarAlways(TKvStringGrid::saNone);
    f.grid->ColumnSize()->SetStretchColumn(-1);
    f.grid->ColumnSize()->SetStretch(true);
    int resized = 0;
    f.grid->OnGridResize = [&](TObject*) { ++resized; };
    f.Show();
    f.grid->SetBounds(0, 0, 600, 200);
    QApplication::processEvents();
    EXPECT_EQ(f.grid->ColWidths(3), f.grid->GridClientWidth() - 240 - 1);
    EXPECT_GE(resized, 1);
    QScrollBar* bar = f.grid->ScrollBarWidget(SB_HORZ);
    EXPECT_TRUE(!bar || !bar->isVisible());
}

TEST(GridSize, AResizeFromTheResizeHandlerIsNotHandledAgain)
{
    TGridOnForm<> f(5, 4, 400, 200);
    f.grid->ColumnSize()->SetStretch(true);
    int calls = 0;
    f.grid->OnGridResize = [&](TObject*) {
        ++calls;
        f.grid->SetBounds(0, 0, f.grid->Width() + 10, 200);
    };
    f.grid->SetBounds(0, 0, 500, 200);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(f.grid->Width(), 510);
}

TEST(GridSize, BorderEventAnswer)
{
    class TProbe : public TKvStringGrid {
    public:
        using TKvStringGrid::TKvStringGrid;
        bool Asks() { return HasCellBorderEvent(); }
    };
    TGridOnForm<TProbe> f;
    EXPECT_FALSE(f.grid->Asks());
    f.grid->OnGetCellBorder = [](TObject*, int, int, TPen*, TCellBorders&) {};
    EXPECT_TRUE(f.grid->Asks());
}

TEST(GridSize, ProportionalColumnsFollowTheWidth)
{
    TGridOnForm<> f(5, 4, 400, 200);
    f.grid->SetBorderStyle(bsNone);
    f.grid->InitOrigColSizes();
    f.grid->ColumnSize()->SetSynchWithGrid(true);
    f.grid->SetBounds(0, 0, 600, 200);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(f.grid->ColWidths(c), 120) << c;
    f.grid->SetBounds(0, 0, 300, 200);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(f.grid->ColWidths(c), 60) << c;
}

TEST(GridHoverFixedCells, Table)
{
    struct Row { THoverFixedCells mode; bool corner, fixedCol, fixedRow, normal; };
    const Row rows[] = {
        {hfNone, false, false, false, false},
        {hfAll, true, true, true, false},
        {hfFixedColumns, true, true, false, false},
        {hfFixedRows, true, false, true, false},
    };
    TGridOnForm<> f(5, 4);
    f.grid->SetFixedCols(1);
    for (const Row& r : rows) {
        f.grid->SetHoverFixedCells(r.mode);
        EXPECT_EQ(f.grid->IsHoverFixedCell(0, 0), r.corner) << int(r.mode);
        EXPECT_EQ(f.grid->IsHoverFixedCell(0, 2), r.fixedCol) << int(r.mode);
        EXPECT_EQ(f.grid->IsHoverFixedCell(2, 0), r.fixedRow) << int(r.mode);
        EXPECT_EQ(f.grid->IsHoverFixedCell(2, 2), r.normal) << int(r.mode);
    }
}

TEST(GridTimer, RunsFromWindowCreation)
{
    TGridOnForm<> f;
    f.Show();
    QTest::qWait(1200);
    EXPECT_GE(f.grid->TimerTicks(), 1);
}

// Sizing columns and rows to their content, measured with fixed text metrics
// (a recording canvas: 7 pixels a character, a given line height).
#include <gtest/gtest.h>

#include <memory>

#include "grid/column_grid.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/graphics.h"

namespace {

template <class G>
class TMeasured : public G {
public:
    explicit TMeasured(int LineHeight = 13)
    {
        this->FCanvas = std::make_unique<TRecordingCanvas>(7, LineHeight, LineHeight - 3);
        this->SetColCount(3);
        this->SetRowCount(4);
        this->SetDefaultColWidth(100);
        this->SetDefaultRowHeight(20);
    }
};

using TGrid = TMeasured<TKvStringGrid>;

}  // namespace

TEST(GridAutoSize, ColumnIsItsWidestCellPlusEightAndAnEmptyColumnIsEight)
{
    TGrid g;
    g.AutoSizeCol(1, 0);
    EXPECT_EQ(g.ColWidths(1), 8);
    g.SetCells(1, 2, QStringLiteral("abcd"));
    g.SetCells(1, 3, QStringLiteral("ab"));
    g.AutoSizeCol(1, 0);
    EXPECT_EQ(g.ColWidths(1), 28 + 8);
    // Padding is added after the measure.
    g.AutoSizeCol(1, 5);
    EXPECT_EQ(g.ColWidths(1), 28 + 8 + 5);
}

TEST(GridAutoSize, MeasuredRowsFollowColumnSizeRows)
{
    TGrid g;
    g.SetCells(1, 0, QStringLiteral("Header"));
    g.SetCells(1, 2, QStringLiteral("ab"));
    g.SetFixedFooters(1);
    g.SetCells(1, 3, QStringLiteral("footer text"));
    struct Case {
        TAutoSizeRows Rows;
        int Width;
    } cases[] = {{arAll, 77 + 8}, {arNormal, 14 + 8}, {arFixed, 42 + 8}};
    for (const Case& c : cases) {
        g.ColumnSize()->SetRows(c.Rows);
        g.AutoSizeCol(1, 0);
        EXPECT_EQ(g.ColWidths(1), c.Width) << int(c.Rows);
    }
}

TEST(GridAutoSize, GrowOnlyNeverNarrowsAndLimitsClampUnlessEqual)
{
    TGrid g;
    g.SetCells(1, 1, QStringLiteral("ab"));  // 22 with the allowances
    g.SizeGrowOnly = true;
    g.AutoSizeCol(1, 0);
    EXPECT_EQ(g.ColWidths(1), 100);
    g.SizeGrowOnly = false;
    g.AutoSizeCol(1, 0);
    EXPECT_EQ(g.ColWidths(1), 22);

    struct Case {
        int Min, Max, Width;
    } cases[] = {{0, 0, 22}, {30, 30, 22}, {30, 0, 30}, {0, 15, 15}, {10, 40, 22}};
    for (const Case& c : cases) {
        g.SetMinColWidth(c.Min);
        g.SetMaxColWidth(c.Max);
        g.AutoSizeCol(1, 0);
        EXPECT_EQ(g.ColWidths(1), c.Width) << c.Min << " " << c.Max;
    }
}

TEST(GridAutoSize, ColumnGridAutoMinSizeHoldsAndTheHandlerHasTheLastWord)
{
    TForm form;
    auto* g = new TMeasured<TKvColumnGrid>();
    g->SetParent(&form);
    g->SetCells(1, 1, QStringLiteral("ab"));
    g->Columns()->Items(1)->SetAutoMinSize(50);
    g->AutoSizeCol(1, 0);
    EXPECT_EQ(g->ColWidths(1), 50);
    int seen = -1;
    g->OnUpdateColumnSize = [&](TObject*, int ACol, int& AWidth) {
        EXPECT_EQ(ACol, 1);
        seen = AWidth;
        AWidth = 77;
    };
    g->AutoSizeCol(1, 0);
    EXPECT_EQ(seen, 50);
    EXPECT_EQ(g->ColWidths(1), 77);
}

TEST(GridAutoSize, AutoSizeColumnsSkipsFixedColumnsUnlessAsked)
{
    TGrid g;
    g.SetCells(0, 1, QStringLiteral("a"));
    g.SetCells(2, 1, QStringLiteral("abc"));
    g.AutoSizeColumns(false, 3);
    EXPECT_EQ(g.ColWidths(0), 100);
    EXPECT_EQ(g.ColWidths(1), 8 + 3);
    EXPECT_EQ(g.ColWidths(2), 21 + 8 + 3);
    g.AutoSizeColumns(true, 0);
    EXPECT_EQ(g.ColWidths(0), 7 + 8);
}

TEST(GridAutoSize, CheckBoxRowGetsTheDefaultHeightWhateverItsText)
{
    TGrid g;
    g.MultilineCells = true;
    g.SetCells(2, 1, QStringLiteral("a\rb\rc\rd\re"));
    g.FitRowHeight(1, false, 0);
    EXPECT_EQ(g.RowHeights(1), 5 * 13 + 4 + 2);
    g.AddCheckBox(1, 1, true, false);
    g.SetCells(2, 1, QStringLiteral("x"));
    g.FitRowHeight(1, false, 0);
    EXPECT_EQ(g.RowHeights(1), g.DefaultRowHeight() + g.GetTotalYOffset() + 2 * g.GridLineWidth());
}

TEST(GridAutoSize, SizeRowToLinesAndMaxLinesInRow)
{
    TGrid g(16);
    g.SizeRowToLines(1, 3, 5);
    EXPECT_EQ(g.RowHeights(1), 54 + 5);

    // Every displayed column counts, the right-most one too when a column is hidden.
    g.SetColCount(4);
    g.SetCells(3, 2, QStringLiteral("a\rb\rc"));
    EXPECT_EQ(g.MaxLinesInRow(2), 1);  // single-line cells
    g.MultilineCells = true;
    g.HideColumn(1);
    EXPECT_EQ(g.MaxLinesInRow(2), 3);
    EXPECT_EQ(g.MaxLinesInRow(1), 1);
}

TEST(GridAutoSize, AutoSizeCellsNeverLowersARow)
{
    TGrid g;
    g.SetRowHeights(2, 100);
    g.SetCells(1, 2, QStringLiteral("abc"));
    g.SetCells(1, 3, QStringLiteral("a\rb"));
    g.MultilineCells = true;
    g.AutoSizeCells(false, 0, 0);
    EXPECT_EQ(g.RowHeights(2), 100);
    EXPECT_EQ(g.RowHeights(3), 26 + 2);
    EXPECT_EQ(g.ColWidths(1), 21 + 2);
    EXPECT_EQ(g.UpdateCount(), 0);
}

TEST(GridAutoSize, AutoFitColumnsScalesAndLeavesExactOrZeroWidthsAlone)
{
    TGrid g;
    g.SetBorderStyle(bsNone);
    g.SetScrollBars(ssNone);
    g.SetOptions(TGridOptions());
    g.SetColCount(2);
    g.SetBounds(0, 0, 400, 200);
    g.SetColWidths(0, 50);
    g.SetColWidths(1, 150);
    g.AutoFitColumns(true);
    EXPECT_EQ(g.ColWidths(0), 100);
    EXPECT_EQ(g.ColWidths(1), 300);
    g.AutoFitColumns(true);  // exact fit
    EXPECT_EQ(g.ColWidths(0), 100);
    EXPECT_EQ(g.ColWidths(1), 300);
    g.SetColWidths(0, 0);
    g.SetColWidths(1, 0);
    g.AutoFitColumns(true);
    EXPECT_EQ(g.ColWidths(0), 0);
    EXPECT_EQ(g.ColWidths(1), 0);
}

// A vertical bar kept by ScrollBarAlways takes its room even when every row fits.
TEST(GridAutoSize, AutoFitColumnsLeavesRoomForAVerticalBarKeptVisible)
{
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const struct {
        TKvStringGrid::TScrollBarAlways Always;
        int Room;
    } cases[] = {
        {TKvStringGrid::saNone, 0}, {TKvStringGrid::saHorz, 0},
        {TKvStringGrid::saVert, bar}, {TKvStringGrid::saBoth, bar},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Always));
        TGrid g;
        g.SetBorderStyle(bsNone);
        g.SetOptions(TGridOptions());
        g.SetColCount(2);
        g.SetBounds(0, 0, 400, 200);
        g.SetScrollBarAlways(c.Always);
        g.SetColWidths(0, 50);
        g.SetColWidths(1, 150);
        g.AutoFitColumns(true);
        EXPECT_EQ(g.ColWidths(0) + g.ColWidths(1), 400 - c.Room);
    }
}

TEST(GridAutoSize, TotalOffsetsCountOneOrBothSides)
{
    TGrid g;
    g.SetXYOffset(TPoint(3, 5));
    EXPECT_EQ(g.GetTotalXOffset(), 6);
    EXPECT_EQ(g.GetTotalYOffset(), 10);
    g.XYOffsetTopLeftOnly = true;
    EXPECT_EQ(g.GetTotalXOffset(), 3);
    EXPECT_EQ(g.GetTotalYOffset(), 5);
}

TEST(GridAutoSize, AutoSizeRowsSizesEachRowToItsLinesAndSizeToCellsFitsTheClient)
{
    TGrid g;
    g.MultilineCells = true;
    g.SetWordWrap(false);  // rows are sized by their line count
    g.SetCells(2, 2, QStringLiteral("a\rb"));
    g.AutoSizeRows(false, 4);
    EXPECT_EQ(g.RowHeights(0), 20);  // fixed row left alone
    EXPECT_EQ(g.RowHeights(1), 4 + 13 + 1);
    EXPECT_EQ(g.RowHeights(2), 4 + 2 * (13 + 1));

    g.SetBorderStyle(bsNone);
    g.SetColWidths(0, 10);
    g.SetColWidths(1, 20);
    g.SetColWidths(2, 30);
    g.SizeToCells();
    EXPECT_EQ(g.ClientWidth(), 60);
    EXPECT_EQ(g.ClientHeight(), 20 + 18 + 32 + 18);
    EXPECT_EQ(g.ScrollBars(), ssBoth);
}

TEST(GridAutoSize, ZoomSizesTheCellsToTheirContents)
{
    TGrid g;
    g.SetCells(1, 1, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    g.SetColWidths(1, 20);
    g.ZoomAutoSizeCells(true, 4, 4);
    EXPECT_EQ(g.ColWidths(1), 26 * 7 + 4 + 2);
    EXPECT_EQ(g.RowHeights(1), 20);  // 13 + 4 + 2 is lower than the row already is
}

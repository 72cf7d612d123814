// Column and row calculations, the selection as text, numbering and swaps.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"

namespace {

std::unique_ptr<TKvStringGrid> Column(const QStringList& values)
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(3);
    g->SetRowCount(int(values.size()) + 1);
    for (int i = 0; i < values.size(); ++i) g->SetCells(1, i + 1, values[i]);
    return g;
}

}  // namespace

TEST(GridCalculations, ColumnStatisticsOverTheNormalRows)
{
    auto g = Column({QStringLiteral("1"), QStringLiteral("x"), QStringLiteral("2.5"), QString()});
    EXPECT_DOUBLE_EQ(g->ColumnSum(1, -1, -1), 3.5);
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, -1, -1), 0.875);
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, -1, -1), 2.5);
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, -1, -1), 0);
    EXPECT_DOUBLE_EQ(g->ColumnAvg(1, 3, 2), 0);  // empty range

    auto s = Column({QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("4"), QStringLiteral("4"),
                     QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("9")});
    EXPECT_DOUBLE_EQ(s->ColumnStdDev(1, -1, -1), 2);

    auto d = Column({QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("b"), QString()});
    EXPECT_DOUBLE_EQ(d->ColumnDistinct(1, -1, -1), 3);
}

TEST(GridCalculations, NonNumberStartValuesRaiseAndLaterOnesAreSkipped)
{
    auto g = Column({QStringLiteral("x"), QStringLiteral("3")});
    for (auto calc : {&TKvStringGrid::ColumnMin, &TKvStringGrid::ColumnMax, &TKvStringGrid::ColumnStdDev}) {
        try {
            ((*g).*calc)(1, -1, -1);
            ADD_FAILURE() << "no error";
        } catch (const EKvGridError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Cell does not contain a float value"));
        }
    }
    g->SetCells(1, 1, QStringLiteral("5"));
    g->SetCells(1, 2, QStringLiteral("x"));
    EXPECT_DOUBLE_EQ(g->ColumnMin(1, -1, -1), 5);
    EXPECT_THROW(g->RowMin(2, 1, 1), EKvGridError);
    EXPECT_DOUBLE_EQ(g->RowMin(1, 0, 1), 0);  // "" reads 0
    EXPECT_DOUBLE_EQ(g->RowSum(2, 0, 2), 0);
}

TEST(GridCalculations, RowCalculationsAndCustomCalculations)
{
    TKvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(2);
    g.SetCells(0, 1, QStringLiteral("4"));
    g.SetCells(1, 1, QStringLiteral("x"));
    g.SetCells(2, 1, QStringLiteral("-2"));
    g.SetCells(3, 1, QStringLiteral("10"));
    EXPECT_DOUBLE_EQ(g.RowSum(1, 0, 3), 12);
    EXPECT_DOUBLE_EQ(g.RowAvg(1, 0, 3), 3);
    EXPECT_DOUBLE_EQ(g.RowMin(1, 0, 3), -2);
    EXPECT_DOUBLE_EQ(g.RowMax(1, 0, 3), 10);
    EXPECT_DOUBLE_EQ(g.RowAvg(1, 3, 2), 0);

    EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(1, -1, -1), 0);
    g.OnColumnCalc = [](TObject*, int ACol, int FromRow, int ToRow, double& Res) { Res = ACol * 100 + FromRow * 10 + ToRow; };
    EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(2, -1, -1), 211);
    g.OnGroupCalc = [](TObject*, int, int, int, double& Res) { Res += 7; };
    EXPECT_DOUBLE_EQ(g.GroupCustomCalc(2, 0, 1), 7);
}

TEST(GridCalculations, ExportNotificationsBracketTheRows)
{
    struct TNotified : TKvStringGrid {
        std::vector<std::pair<int, int>> Seen;
        void ExportNotification(TGridExportState AState, int ARow) override { Seen.push_back({int(AState), ARow}); }
    } g;
    g.SetColCount(2);
    g.SetRowCount(3);
    g.ColumnSum(1, -1, -1);
    const std::vector<std::pair<int, int>> want = {
        {esExportStart, 1}, {esExportNextRow, 1}, {esExportNextRow, 2}, {esExportDone, -1}};
    EXPECT_EQ(g.Seen, want);
}

TEST(GridSelection, FixedCellsAreNeverSelectedAndTheTextIsTabbedLines)
{
    TKvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.SetCells(1, 1, QStringLiteral("a"));
    g.SetCells(2, 1, QStringLiteral("b"));
    g.SetCells(1, 2, QStringLiteral("c"));
    g.SetCells(2, 2, QStringLiteral("d"));
    g.SelectCells(0, 0, 2, 2);
    EXPECT_FALSE(g.IsSelected(0, 1));
    EXPECT_FALSE(g.IsSelected(1, 0));
    EXPECT_TRUE(g.IsSelected(2, 2));
    g.SelectCells(1, 1, 2, 2);
    EXPECT_EQ(g.SelectedText(), QStringLiteral("a\tb\r\nc\td"));

    g.MultilineCells = true;
    g.SetCells(2, 2, QStringLiteral("d\r\ne"));
    g.ExcelClipboardFormat = true;
    EXPECT_EQ(g.SelectedText(), QStringLiteral("a\tb\r\nc\t\"d") + QChar(11) + QStringLiteral("e\""));
}

TEST(GridNumbering, AutoNumberColInBothDirections)
{
    TKvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(5);
    g.AutoNumberStart = 1;
    g.AutoNumberCol(1);
    EXPECT_EQ(g.Cells(1, 1), QString());
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("2"));
    EXPECT_EQ(g.Cells(1, 4), QStringLiteral("4"));
    for (int r = 1; r < 5; ++r) g.SetCells(1, r, QString());
    g.AutoNumberDirection = sdDescending;
    g.AutoNumberCol(1);
    // The numbers run upwards; the start skips the bottom normal row.
    EXPECT_EQ(g.Cells(1, 4), QString());
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("2"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("4"));

    g.AutoNumberStart = 0;
    g.AutoNumberOffset = 10;
    g.AutoNumberDirection = sdAscending;
    g.SetColCount(4);
    g.AutoNumberRow(2);
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("11"));
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("13"));
}

TEST(GridSwaps, SwapColumnsKeepsPropertiesWithTheirCellsAndMovesTheSortMarker)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCells(1, 1, QStringLiteral("one"));
    g.SetColors(1, 1, 0x0000FF);
    g.AddCheckBox(2, 2, true, false);
    g.SetCells(2, 1, QStringLiteral("two"));
    g.SetColWidths(1, 40);
    g.SetColWidths(2, 90);
    g.SortSettings()->Column = 1;
    g.SwapColumns(1, 2);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("one"));
    EXPECT_EQ(g.Colors(2, 1), TColor(0x0000FF));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("two"));
    EXPECT_TRUE(g.HasCheckBox(1, 2));
    EXPECT_FALSE(g.HasCheckBox(2, 2));
    EXPECT_EQ(g.ColWidths(1), 90);
    EXPECT_EQ(g.ColWidths(2), 40);
    EXPECT_EQ(g.SortSettings()->Column, 2);
    EXPECT_TRUE(g.CheckConsistency());

    g.SetRowHeights(1, 30);
    g.SwapRows(1, 2);
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("one"));
    EXPECT_TRUE(g.HasCheckBox(1, 1));
    EXPECT_EQ(g.RowHeights(2), 30);
}

TEST(GridSwaps, SortSwapRowsCountsAndMovesTheSortRowAndModifiedFlags)
{
    TKvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(4);
    g.SetCells(0, 1, QStringLiteral("a"));
    g.SetCells(1, 1, QStringLiteral("b"));
    g.SetCells(0, 3, QStringLiteral("c"));
    g.ShowModified()->SetEnabled(true);
    g.SetRowModified(1, true);
    g.SortRow = 3;
    g.SortSwapRows(1, 3);
    EXPECT_EQ(g.Swaps, 1);
    EXPECT_EQ(g.Cells(0, 3), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("b"));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("c"));
    EXPECT_TRUE(g.RowModified(3));
    EXPECT_FALSE(g.RowModified(1));
    EXPECT_EQ(g.SortRow, 1);

    g.SortSettings()->SingleColumn = true;
    g.SortSettings()->Column = 1;
    g.SortSwapRows(1, 3);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("b"));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("c"));
}

TEST(GridCalculations, ColumnMaxTextLengthTakesTheLongestLine)
{
    TKvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(3);
    EXPECT_EQ(g.ColumnMaxTextLength(1), 0);
    g.SetCells(1, 1, QStringLiteral("abc\rdefgh"));
    g.SetCells(1, 2, QStringLiteral("abcdef"));
    EXPECT_EQ(g.ColumnMaxTextLength(1), 9);
    g.MultilineCells = true;
    EXPECT_EQ(g.ColumnMaxTextLength(1), 6);
}

// The list of individually selected cells and the counts over the selection.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

namespace {
struct TSelGrid {
    TForm form;
    TKvStringGrid* g = new TKvStringGrid(&form);
    TSelGrid()
    {
        g->SetColCount(6);
        g->SetRowCount(8);
        g->SetOptions(g->Options() | goRangeSelect);
    }
};
int Entry(int c, int r) { return (r << 16) | c; }
} // namespace

TEST(SelectedCells, ARectangleIsListedColumnByColumn)
{
    TSelGrid s;
    s.g->SetSelection(TGridRect(1, 2, 3, 3));
    EXPECT_EQ(s.g->SelectedCellsCount(), 6);
    const std::vector<int> want{Entry(1, 2), Entry(1, 3), Entry(2, 2), Entry(2, 3), Entry(3, 2), Entry(3, 3)};
    std::vector<int> got(s.g->SelectedCells()->begin(), s.g->SelectedCells()->end());
    EXPECT_EQ(got, want);
    EXPECT_EQ(s.g->SelectedCell(4).X, 3);
    EXPECT_EQ(s.g->SelectedCell(4).Y, 2);
    EXPECT_TRUE(s.g->SelectedCells(2, 3));
    EXPECT_FALSE(s.g->SelectedCells(4, 3));
}

TEST(SelectedCells, DisjunctCellsAreListedOnceAndRemovedAgain)
{
    TSelGrid s;
    s.g->MouseActions()->SetDisjunctCellSelect(true);
    s.g->SetSelectedCells(2, 5, true);
    s.g->SetSelectedCells(2, 5, true);
    s.g->SetSelectedCells(4, 1, true);
    EXPECT_EQ(s.g->SelectedCellsCount(), 2);
    EXPECT_TRUE(s.g->SelectedCells(2, 5));
    EXPECT_FALSE(s.g->SelectedCells(1, 1)) << "the rectangle does not count with disjunct cells";
    s.g->SetSelectedCells(2, 5, false);
    EXPECT_EQ(s.g->SelectedCellsCount(), 1);
    EXPECT_EQ(s.g->SelectedCell(0).X, 4);
}

TEST(SelectedCells, RowAndColumnCounts)
{
    TSelGrid s;
    s.g->SetFixedFooters(1);
    s.g->SetSelection(TGridRect(1, 5, 2, 7));
    EXPECT_EQ(s.g->SelectedRowCount(), 2) << "the footer row is not counted";
    EXPECT_EQ(s.g->SelectedColCount(), 2);
    s.g->MergeCells(1, 2, 3, 2);
    s.g->SetSelection(TGridRect(1, 2, 1, 2));
    EXPECT_EQ(s.g->SelectedColCount(), 3);
    EXPECT_EQ(s.g->SelectedRowCount(), 2);
}

TEST(SelectedCells, SelectedRowsOfTheRectangleAndOfDisjunctRows)
{
    TSelGrid s;
    s.g->SetSelection(TGridRect(1, 3, 2, 5));
    EXPECT_EQ(s.g->SelectedRow(0), 3);
    EXPECT_EQ(s.g->SelectedRow(2), 5);
    EXPECT_EQ(s.g->SelectedRow(3), -1);
    EXPECT_EQ(s.g->SelectedRow(-1), -1);
    s.g->MouseActions()->SetDisjunctRowSelect(true);
    s.g->SetRowSelect(2, true);
    s.g->SetRowSelect(6, true);
    EXPECT_EQ(s.g->SelectedRow(1), 6);
    EXPECT_EQ(s.g->SelectedRow(2), -1);
    EXPECT_EQ(s.g->SelectedRowCount(), 2);
}

TEST(SelectedCells, ClearingLeavesTheFirstScrollableCell)
{
    TSelGrid s;
    s.g->MouseActions()->SetDisjunctCellSelect(true);
    s.g->SetSelectedCells(3, 3, true);
    s.g->SetSelection(TGridRect(2, 4, 4, 6));
    s.g->ClearSelectedCells();
    EXPECT_EQ(s.g->SelectedCells()->Count(), 0);
    EXPECT_EQ(s.g->Selection(), TGridRect(1, 1, 1, 1));
    EXPECT_EQ(s.g->Col(), 1);
    EXPECT_EQ(s.g->Row(), 1);
}

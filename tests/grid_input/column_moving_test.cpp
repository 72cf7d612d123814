// Column and row moves keep the sort column, the sort index, the current
// column, widths, heights and the cells of hidden rows and columns in step; a
// header drag ends in one move, and synchronised grids move once each.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

namespace {
struct TMoveGrid {
    TForm form;
    TKvStringGrid* g = new TKvStringGrid(&form);
    explicit TMoveGrid(int Cols = 8)
    {
        form.SetBounds(0, 0, 900, 300);
        g->SetParent(&form);
        g->SetBounds(0, 0, 880, 280);
        g->SetColCount(Cols);
        g->SetRowCount(5);
        for (int c = 0; c < Cols; ++c) {
            g->SetColWidths(c, 40 + c);
            for (int r = 0; r < 5; ++r) g->SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
        }
    }
};
QString RowText(TKvStringGrid* g, int r, int Cols)
{
    QStringList l;
    for (int c = 0; c < Cols; ++c) l << g->AllCells(c, r);
    return l.join(QLatin1Char(' '));
}
LPARAM At(const TRect& R) { return MAKELPARAM(unsigned(R.Left + 5), unsigned(R.Top + 5)); }
} // namespace

TEST(ColumnMoving, SortColumnIndexEntriesAndCurrentColumnFollowAMoveToTheRight)
{
    struct Case { int sortCol, want; };
    for (Case k : {Case{3, 2}, Case{2, 5}, Case{5, 4}, Case{6, 6}, Case{1, 1}}) {
        TMoveGrid m;
        m.g->SortSettings()->Column = k.sortCol;
        m.g->SortSettings()->IndexShow = true;
        m.g->SortIndexes()->AddIndex(k.sortCol, false);
        m.g->SetCol(k.sortCol);
        m.g->MoveColumn(2, 5);
        EXPECT_EQ(m.g->SortSettings()->Column, k.want) << k.sortCol;
        EXPECT_EQ(m.g->SortIndexes()->SortColumns(0), k.want) << k.sortCol;
        EXPECT_FALSE(m.g->SortIndexes()->SortDirections(0)) << "the descending bit stays";
        EXPECT_LT(m.g->SortIndexes()->Items(0), 0) << "bit 31 stays set";
        EXPECT_EQ(m.g->Col(), k.want) << k.sortCol;
    }
}

TEST(ColumnMoving, CellsAndWidthsMoveOnceAndTheFlagStopsTheNextSort)
{
    TMoveGrid m;
    int moved = 0;
    m.g->OnColumnMoved = [&](TObject*, int, int) { ++moved; };
    m.g->MoveColumn(2, 5);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(RowText(m.g, 1, 8), QStringLiteral("c0r1 c1r1 c3r1 c4r1 c5r1 c2r1 c6r1 c7r1"));
    EXPECT_EQ(m.g->ColWidths(5), 42);
    EXPECT_EQ(m.g->ColWidths(2), 43);
    EXPECT_TRUE(m.g->ColMoveFlg);
}

TEST(ColumnMoving, HiddenRowsShowTheMovedOrderAfterwards)
{
    TMoveGrid m;
    m.g->HideRow(3);
    m.g->MoveColumn(2, 5);
    m.g->UnHideRowsAll();
    EXPECT_EQ(RowText(m.g, 3, 8), QStringLiteral("c0r3 c1r3 c3r3 c4r3 c5r3 c2r3 c6r3 c7r3"));
    EXPECT_TRUE(m.g->CheckHiddenConsistency());
}

TEST(ColumnMoving, AHiddenColumnBeforeBothEndsMovesTheRealColumns)
{
    TMoveGrid m;
    m.g->HideColumn(1);
    // Display 2 is real 3, display 5 is real 6.
    m.g->MoveColumn(2, 5);
    m.g->UnHideColumnsAll();
    EXPECT_EQ(RowText(m.g, 1, 8), QStringLiteral("c0r1 c1r1 c2r1 c4r1 c5r1 c6r1 c3r1 c7r1"));
    EXPECT_EQ(m.g->ColWidths(6), 43);
}

TEST(ColumnMoving, RowMovedFiresOnceAfterTheHeights)
{
    TMoveGrid m;
    for (int r = 0; r < 5; ++r) m.g->SetRowHeights(r, 20 + r);
    int fired = 0, heightSeen = 0;
    m.g->OnRowMoved = [&](TObject*, int, int To) {
        ++fired;
        heightSeen = m.g->RowHeights(To);
    };
    m.g->MoveRow(1, 3);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(heightSeen, 21);
    EXPECT_EQ(m.g->Cells(0, 3), QStringLiteral("c0r1"));
}

TEST(ColumnMoving, SynchronisedGridsMoveOnceEach)
{
    TMoveGrid a, b;
    a.g->SyncGrid()->SetGrid(b.g);
    a.g->SyncGrid()->SetMoveColumn(true);
    b.g->SyncGrid()->SetGrid(a.g);
    b.g->SyncGrid()->SetMoveColumn(true);
    int movedA = 0, movedB = 0;
    a.g->OnColumnMoved = [&](TObject*, int, int) { ++movedA; };
    b.g->OnColumnMoved = [&](TObject*, int, int) { ++movedB; };
    a.g->MoveColumn(1, 3);
    EXPECT_EQ(movedA, 1);
    EXPECT_EQ(movedB, 1);
    EXPECT_EQ(b.g->Cells(3, 1), QStringLiteral("c1r1"));
    b.g->SyncGrid()->SetMoveColumn(false);
    b.g->MoveColumn(1, 2);
    EXPECT_EQ(movedA, 1) << "a partner without the option is not moved";
}

TEST(ColumnMoving, AHeaderDragEndsInOneMoveAndADropOnItselfMovesNothing)
{
    struct Case { int dropCol; bool moves; };
    for (Case k : {Case{2, false}, Case{4, true}}) {
        TMoveGrid m;
        int moved = 0, blockEnd = 0;
        m.g->OnColumnMoved = [&](TObject*, int, int) { ++moved; };
        m.g->OnEndBlockFocus = [&](TObject*) { ++blockEnd; };
        m.g->Movecell = 2;
        m.g->SetGridState(gsColMoving);
        Screen->SetCursor(crDrag);
        m.g->Perform(WM_LBUTTONUP, 0, At(m.g->CellRect(k.dropCol, 0)));
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_EQ(m.g->GridState(), gsNormal);
        EXPECT_EQ(blockEnd, 1);
        EXPECT_EQ(moved, k.moves ? 1 : 0) << k.dropCol;
        EXPECT_EQ(m.g->Cells(4, 1), k.moves ? QStringLiteral("c2r1") : QStringLiteral("c4r1"));
    }
}

TEST(ColumnMoving, TheRightButtonReleaseDuringADragIsAnsweredZero)
{
    TMoveGrid m;
    m.g->SetGridState(gsColMoving);
    Screen->SetCursor(crNoDrop);
    EXPECT_EQ(m.g->Perform(WM_RBUTTONUP, 0, At(m.g->CellRect(2, 0))), 0);
    EXPECT_EQ(m.g->GridState(), gsColMoving) << "the drag goes on";
    Screen->SetCursor(crDefault);
}

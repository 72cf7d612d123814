// What ending or typing in the text editor asks of the grid: a row appended
// when Down ends the edit on the last row, and the row and column grown while
// the user types.
#include "edit_fixture.h"

#include "grid/grid_settings_objects.h"
#include "grid/kv_string_grid.h"

#include <gtest/gtest.h>

TEST(GridTextEditor, DownEndingTheEditOnTheLastRowAppendsOneRow)
{
    struct Case {
        bool append;
        int row;
        int rowsAfter;    // RowCount after Down
        int currentAfter;
    };
    const Case cases[] = {
        {true, 5, 7, 6},   // last row: one new row, the caret row moves into it
        {true, 3, 6, 4},   // not the last row: a plain move
        {false, 5, 6, 5},  // option off: nothing appended, nowhere to go
    };
    for (const Case& c : cases) {
        TEditGridForm f;
        f.grid->Navigation()->SetAppendOnArrowDown(c.append);
        int added = 0, addedRow = -1;
        f.grid->OnAutoAddRow = [&](TObject*, int r) { ++added; addedRow = r; };
        f.GoTo(TEditGridForm::cNormal, c.row);
        f.F2();
        ASSERT_TRUE(f.EditorShown()) << c.row;
        f.Key(Qt::Key_Down);
        EXPECT_EQ(f.grid->RowCount(), c.rowsAfter) << c.append << c.row;
        EXPECT_EQ(f.grid->Row(), c.currentAfter) << c.append << c.row;
        EXPECT_EQ(added, c.rowsAfter - 6) << c.append << c.row;
        if (added) {
            EXPECT_EQ(addedRow, 6);
            EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 6), QString());
        }
    }
}

TEST(GridTextEditor, SizeWhileTypingGrowsTheColumnAndTheWrappedRow)
{
    TEditGridForm f;
    f.grid->SizeWhileTyping()->SetWidth(true);
    const int col = f.Disp(TEditGridForm::cNormal);
    f.grid->SetColWidths(col, 30);
    f.GoTo(TEditGridForm::cNormal, 2);
    f.F2();
    f.Type(QStringLiteral(" a rather long text"));
    const int grown = f.grid->ColWidths(col);
    EXPECT_GT(grown, 2 * 30);
    // Growing only: deleting text keeps the width.
    f.Key(Qt::Key_Backspace);
    f.Key(Qt::Key_Backspace);
    EXPECT_EQ(f.grid->ColWidths(col), grown);
    f.Key(Qt::Key_Escape);

    // Height with word wrap: the row takes the wrapped lines, OnEndRowSize tells which row.
    f.grid->SizeWhileTyping()->SetWidth(false);
    f.grid->SizeWhileTyping()->SetHeight(true);
    f.grid->SetWordWrap(true);
    f.grid->SetColWidths(col, 60);
    f.grid->ColumnSize()->SetSynchWithGrid(true);
    std::vector<int> ended;
    f.grid->OnEndRowSize = [&](TObject*, int r) { ended.push_back(r); };
    const int before = f.grid->RowHeights(3);
    f.GoTo(TEditGridForm::cNormal, 3);
    f.F2();
    f.Type(QStringLiteral(" words that wrap over lines"));
    EXPECT_GT(f.grid->RowHeights(3), before + 10);
    ASSERT_FALSE(ended.empty());
    EXPECT_EQ(ended.back(), 3);
    EXPECT_TRUE(f.grid->ColumnSize()->SynchWithGrid());
    EXPECT_TRUE(f.EditorShown());
}

TEST(GridTextEditor, CtrlEnterInAMultiLineCellSizesTheRowForTheNewLine)
{
    TEditGridForm f;
    f.grid->SizeWhileTyping()->SetHeight(true);
    f.grid->MultilineCells = true;
    f.GoTo(TEditGridForm::cNormal, 2);
    const int oneLine = f.grid->RowHeights(2);
    int ended = -1, atEnd = -1;
    f.grid->OnEndRowSize = [&](TObject*, int r) { ended = r; atEnd = f.grid->RowHeights(r); };
    f.F2();
    f.Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(ended, 2);
    EXPECT_GT(atEnd, oneLine);
}

TEST(GridTextEditor, ARowGrowingPastTheGridKeepsTheEditorOpenWithTheCaretAtTheEnd)
{
    TEditGridForm f;
    f.grid->SizeWhileTyping()->SetHeight(true);
    f.grid->SetWordWrap(true);
    const int col = f.Disp(TEditGridForm::cNormal);
    f.grid->SetColWidths(col, 40);
    ASSERT_GE(f.grid->VisibleRowCount() + f.grid->FixedRows(), f.grid->RowCount());
    f.GoTo(TEditGridForm::cNormal, 5);
    f.F2();
    f.Key(Qt::Key_End);
    const QString typed = QStringLiteral(" one two three four five six seven eight nine ten");
    f.Type(typed);
    // The tall row brought a scroll bar; the typed text and the caret stay.
    EXPECT_LT(f.grid->VisibleRowCount() + f.grid->FixedRows(), f.grid->RowCount());
    ASSERT_TRUE(f.EditorShown());
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("n5") + typed);
    EXPECT_EQ(f.Editor()->SelStart(), int(f.Editor()->Text().size()));
    f.Key(Qt::Key_Return);
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 5), QStringLiteral("n5") + typed);
}

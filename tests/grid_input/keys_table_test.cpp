// The grid's key rules one by one: the Tab step, scrolling only, Home and
// End, row deletion, cursor wrapping, keyboard row moves, the incremental
// search text and appending on arrow down.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QApplication>
#include <QTest>

namespace {
// Records what the key handling asks of the filter and row deletion.
class TKeyGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    bool FilterActive() override { return Filtered; }
    void SetFilterActive(bool Value) override
    {
        Filtered = Value;
        FilterWrites.push_back(Value);
    }
    void DeleteGridRow(int ARow) override
    {
        Deleted.push_back(ARow);
        TKvStringGrid::DeleteGridRow(ARow);
    }
    bool Filtered = false;
    std::vector<bool> FilterWrites;
    std::vector<int> Deleted;
};

struct TKeyForm {
    TForm form;
    TKeyGrid* g;
    TEdit* next;
    explicit TKeyForm(int Cols = 5, int Rows = 6)
    {
        form.SetBounds(0, 0, 600, 400);
        g = new TKeyGrid(&form);
        g->SetParent(&form);
        g->SetBounds(10, 10, 500, 300);
        g->SetColCount(Cols);
        g->SetRowCount(Rows);
        g->SetOptions(g->Options() | goEditing | goRangeSelect);
        g->Navigation()->SetAdvanceAutoEdit(false);
        for (int c = 0; c < Cols; ++c)
            for (int r = 0; r < Rows; ++r) g->SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
        next = new TEdit(&form);
        next->SetParent(&form);
        next->SetBounds(10, 330, 100, 22);
        // Modifier keys an earlier test held must not count here.
        for (Qt::Key k : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt}) QTest::keyRelease(g, k);
    }
    void Show()
    {
        form.Show();
        QApplication::setActiveWindow(&form);
        g->SetFocus();
    }
    void Key(WORD vk) { g->Perform(WM_KEYDOWN, vk, 0); }
};
} // namespace

TEST(KeysTab, ShiftTabOnTheFirstStopWrapsToTheLastStopOfTheLastNormalRow)
{
    TKeyForm f;
    f.g->SetFixedFooters(1);
    f.g->FocusCell(1, 1);
    EXPECT_TRUE(f.g->TabToNextCell(true));
    EXPECT_EQ(f.g->Col(), 4);
    EXPECT_EQ(f.g->Row(), 4);
    EXPECT_TRUE(f.g->TabToNextCell(false));
    EXPECT_EQ(f.g->Col(), 1) << "forward from the last stop wraps to the first row";
    EXPECT_EQ(f.g->Row(), 1);
}

TEST(KeysTab, ForwardSkipsCellsThatAreNotEditable)
{
    TKeyForm f;
    f.g->OnCanEditCell = [](TObject*, int, int c, bool& can) { can = c != 2; };
    f.g->FocusCell(1, 2);
    f.g->TabToNextCell(false);
    EXPECT_EQ(f.g->Col(), 3);
    EXPECT_EQ(f.g->Row(), 2);
}

TEST(KeysTab, AdvanceInsertAppendsARowAtTheEnd)
{
    TKeyForm f;
    f.g->Navigation()->SetAdvanceInsert(true);
    int added = -1;
    f.g->OnAutoAddRow = [&](TObject*, int r) { added = r; };
    f.g->FocusCell(4, 5);
    EXPECT_TRUE(f.g->TabToNextCell(false));
    EXPECT_EQ(f.g->RowCount(), 7);
    EXPECT_EQ(added, 6);
    EXPECT_EQ(f.g->Row(), 6);
    EXPECT_EQ(f.g->Col(), 1);
}

TEST(KeysTab, TabToNextAtEndHandsTheTabToTheForm)
{
    TKeyForm f;
    f.Show();
    f.g->Navigation()->SetTabToNextAtEnd(true);
    f.g->FocusCell(4, 5);
    EXPECT_FALSE(f.g->TabToNextCell(false));
    EXPECT_EQ(f.g->Row(), 1);
    QApplication::processEvents();
    EXPECT_TRUE(f.next->Focused());
}

TEST(KeysTab, AGridWithoutEditableCellsEndsTheStepWhereItStarted)
{
    TKeyForm f;
    int asked = 0;
    f.g->OnCanEditCell = [&](TObject*, int, int, bool& can) {
        ++asked;
        can = false;
    };
    f.g->FocusCell(2, 3);
    for (bool back : {false, true}) {
        f.g->TabToNextCell(back);
        EXPECT_EQ(f.g->Col(), 2) << back;
        EXPECT_EQ(f.g->Row(), 3) << back;
    }
    EXPECT_GT(asked, 0);
}

TEST(KeysTable, MoveScrollOnlyScrollsAndKeepsTheCurrentCell)
{
    TKeyForm f(5, 60);
    f.g->Navigation()->SetMoveScrollOnly(true);
    f.g->FocusCell(2, 3);
    const int vis = f.g->VisibleRowCount();
    f.Key(VK_NEXT);
    EXPECT_EQ(f.g->TopRow(), 1 + vis);
    f.Key(VK_PRIOR);
    EXPECT_EQ(f.g->TopRow(), 1) << "a top row within a page of the start goes to the first row";
    f.Key(VK_NEXT);
    f.Key(VK_DOWN);
    EXPECT_EQ(f.g->TopRow(), 2 + vis);
    f.Key(VK_PRIOR);
    EXPECT_EQ(f.g->TopRow(), 2);
    f.Key(VK_END);
    EXPECT_EQ(f.g->TopRow(), 60 - vis);
    f.Key(VK_HOME);
    EXPECT_EQ(f.g->TopRow(), 1);
    EXPECT_EQ(f.g->Col(), 2);
    EXPECT_EQ(f.g->Row(), 3);
}

TEST(KeysTable, HomeAndEndFollowTheirMode)
{
    struct Case { THomeEndAction mode; WORD key; int col, row; };
    const Case cases[] = {
        {heFirstLastCell, VK_HOME, 1, 1},   {heFirstLastCell, VK_END, 4, 5},
        {heFirstLastColumn, VK_HOME, 1, 3}, {heFirstLastColumn, VK_END, 4, 3},
        {heFirstLastRow, VK_HOME, 2, 1},    {heFirstLastRow, VK_END, 2, 5},
    };
    for (const Case& k : cases) {
        TKeyForm f;
        f.g->Navigation()->SetHomeEndKey(k.mode);
        f.g->FocusCell(2, 3);
        f.Key(k.key);
        EXPECT_EQ(f.g->Col(), k.col) << k.mode << " " << k.key;
        EXPECT_EQ(f.g->Row(), k.row) << k.mode << " " << k.key;
    }
}

TEST(KeysTable, CtrlHomeLandsOnTheFirstTabStopOfTheFirstRow)
{
    TKeyForm f;
    f.g->OnCanEditCell = [](TObject*, int, int c, bool& can) { can = c >= 3; };
    f.Show();
    f.g->FocusCell(4, 4);
    QTest::keyClick(f.g, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(f.g->Col(), 3);
    EXPECT_EQ(f.g->Row(), 1);
}

TEST(KeysTable, DeleteRemovesOnlyNormalRowsAndRestoresTheFilter)
{
    {
        TKeyForm f(5, 3);
        f.g->Navigation()->SetAllowDeleteRow(true);
        f.g->SetFixedFooters(2);
        f.Key(VK_DELETE);
        EXPECT_TRUE(f.g->Deleted.empty()) << "no normal row to delete";
        EXPECT_TRUE(f.g->FilterWrites.empty());
    }
    for (bool allow : {false, true}) {
        TKeyForm f;
        f.g->Navigation()->SetAllowDeleteRow(true);
        f.g->Filtered = true;
        f.g->OnCanDeleteRow = [&](TObject*, int, bool& ok) { ok = allow; };
        f.g->FocusCell(2, 3);
        f.Key(VK_DELETE);
        EXPECT_EQ(f.g->Deleted.size(), allow ? 1u : 0u);
        EXPECT_TRUE(f.g->Filtered) << allow;
        EXPECT_EQ(f.g->FilterWrites, (std::vector<bool>{false, true})) << allow;
        EXPECT_EQ(f.g->Modified(), allow);
    }
}

TEST(KeysTable, CursorAdvanceWrapsWithAndWithoutTheSnakeStep)
{
    struct Case { TCursorAdvance mode; WORD key; int fromCol, fromRow, col, row; };
    const Case cases[] = {
        {caLoop, VK_RIGHT, 4, 2, 1, 2},  {caSnake, VK_RIGHT, 4, 2, 1, 3}, {caSnake, VK_RIGHT, 4, 5, 1, 5},
        {caLoop, VK_LEFT, 1, 2, 4, 2},   {caSnake, VK_LEFT, 1, 2, 4, 1},  {caLoop, VK_DOWN, 3, 5, 3, 1},
        {caSnake, VK_DOWN, 3, 5, 4, 1},  {caSnake, VK_UP, 3, 1, 2, 5},    {caDefault, VK_RIGHT, 4, 2, 4, 2},
    };
    for (const Case& k : cases) {
        TKeyForm f;
        f.g->Navigation()->SetCursorAdvance(k.mode);
        f.g->FocusCell(k.fromCol, k.fromRow);
        f.Key(k.key);
        EXPECT_EQ(f.g->Col(), k.col) << k.mode << " " << k.key << " " << k.fromCol;
        EXPECT_EQ(f.g->Row(), k.row) << k.mode << " " << k.key << " " << k.fromRow;
    }
}

TEST(KeysTable, CtrlUpAndDownMoveRowsWithinTheDataRows)
{
    TKeyForm f;
    f.g->Navigation()->SetCursorMoveRows(true);
    f.Show();
    f.g->FocusCell(2, 5);
    QTest::keyClick(f.g, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(f.g->Cells(0, 5), QStringLiteral("0.5")) << "the last data row stays";
    f.g->FocusCell(2, 1);
    QTest::keyClick(f.g, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(f.g->Cells(0, 1), QStringLiteral("0.1")) << "the first data row stays";
    QTest::keyClick(f.g, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(f.g->Cells(0, 2), QStringLiteral("0.1"));
    EXPECT_EQ(f.g->Row(), 2);
}

TEST(KeysTable, TheSearchTextStaysAfterHomeAndGoesAfterEnd)
{
    TKeyForm f;
    f.g->SearchInc = QStringLiteral("ab");
    f.g->Perform(WM_KEYUP, VK_HOME, 0);
    EXPECT_EQ(f.g->SearchInc, QStringLiteral("ab"));
    f.g->Perform(WM_KEYUP, VK_END, 0);
    EXPECT_TRUE(f.g->SearchInc.isEmpty());
}

TEST(KeysTable, ArrowDownOnTheLastRowAppendsOneWhenAllowed)
{
    for (bool allow : {true, false}) {
        TKeyForm f;
        f.g->Navigation()->SetAppendOnArrowDown(true);
        f.g->OnCanAddRow = [&](TObject*, bool& ok) { ok = allow; };
        int added = -1;
        f.g->OnAutoAddRow = [&](TObject*, int r) { added = r; };
        f.g->FocusCell(2, 5);
        f.Key(VK_DOWN);
        EXPECT_EQ(f.g->RowCount(), allow ? 7 : 6);
        EXPECT_EQ(added, allow ? 6 : -1);
        if (allow) {
            EXPECT_EQ(f.g->Cells(2, 6), QString()) << "the new row is empty";
        }
    }
}

TEST(KeysTable, TheSearchFooterCorrectionEndsWhenTheViewCannotScroll)
{
    TKeyForm f(5, 6);
    f.Show();
    f.g->SearchFooter()->SetVisible(true);
    f.g->SetBounds(10, 10, 500, f.g->RowHeights(0) * 6 + 8);
    f.g->FocusCell(1, 5);
    // A panel taller than any scroll can clear: the correction must give up.
    f.g->SearchPanel()->SetBounds(0, 10, f.g->ClientWidth(), f.g->ClientHeight() - 10);
    f.g->SearchPanel()->SetVisible(true);
    QTest::keyClick(f.g, Qt::Key_Right);
    EXPECT_EQ(f.g->Col(), 2);
    EXPECT_EQ(f.g->Row(), 5);
}

namespace {
// Records the incremental searches and the clipboard actions the keys ask for.
class TSearchGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    int SearchRow(const QString& Text) override
    {
        Searched << Text;
        return Text == QStringLiteral("A") ? 4 : Text == QStringLiteral("AB") ? 2 : -1;
    }
    void CopySelectionToClipboard() override { Actions << QStringLiteral("copy"); }
    void PasteSelectionFromClipboard() override { Actions << QStringLiteral("paste"); }
    QStringList Searched, Actions;
};
} // namespace

TEST(KeysTable, IncrementalSearchAppendsAndBackspaceShortens)
{
    TForm form;
    auto* g = new TSearchGrid(&form);
    g->SetColCount(3);
    g->SetRowCount(6);
    g->Navigation()->SetAutoGotoWhenSorted(true);
    g->Navigation()->SetAutoGotoIncremental(true);
    for (char16_t ch : {u'a', u'b', u'\b'}) g->Perform(WM_CHAR, ch, 0);
    EXPECT_EQ(g->Searched, (QStringList{QStringLiteral("A"), QStringLiteral("AB"), QStringLiteral("A")}));
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(g->SearchInc, QStringLiteral("a"));
    g->Perform(WM_CHAR, u'z', 0);
    EXPECT_TRUE(g->SearchInc.isEmpty()) << "a text no row matches is dropped";
}

TEST(KeysTable, ClipboardShortcutsAskTheirEventAndSwallowTheirCharacters)
{
    TKeyForm f;
    f.Show();
    auto* g = new TSearchGrid(&f.form);
    g->SetParent(&f.form);
    g->SetBounds(10, 10, 400, 200);
    g->SetColCount(4);
    g->SetRowCount(4);
    g->SetOptions(g->Options() | goEditing);
    g->Navigation()->SetAllowClipboardShortcuts(true);
    g->SetFocus();
    bool allowPaste = false;
    g->OnClipboardPaste = [&](TObject*, bool& ok) { ok = allowPaste; };
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
    allowPaste = true;
    QTest::keyClick(g, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(g->Actions, (QStringList{QStringLiteral("copy"), QStringLiteral("paste")}));
    EXPECT_FALSE(g->EditorMode()) << "Ctrl+C opens no editor";
}

TEST(KeysTable, InsertAddsARowBeforeOrAfterTheCurrentOne)
{
    for (TInsertPosition pos : {pInsertBefore, pInsertAfter}) {
        TKeyForm f;
        f.g->Navigation()->SetAllowInsertRow(true);
        f.g->Navigation()->SetInsertPosition(pos);
        int inserted = -1;
        f.g->OnAutoInsertRow = [&](TObject*, int r) { inserted = r; };
        f.g->FocusCell(2, 3);
        f.Key(VK_INSERT);
        EXPECT_EQ(f.g->RowCount(), 7);
        EXPECT_EQ(inserted, pos == pInsertBefore ? 3 : 4);
        EXPECT_EQ(f.g->Cells(0, inserted), QString());
        EXPECT_EQ(f.g->Row(), pos == pInsertBefore ? 3 : 4);
        EXPECT_TRUE(f.g->Modified());
    }
    TKeyForm f;
    f.g->Navigation()->SetAllowInsertRow(true);
    f.g->OnCanInsertRow = [](TObject*, int, bool& ok) { ok = false; };
    f.Key(VK_INSERT);
    EXPECT_EQ(f.g->RowCount(), 6);
}

TEST(KeysTable, SpaceAndEnterWorkTheClickControls)
{
    TKeyForm f;
    TStrings* items = f.g->CreateRadio(2, 2, 0, 0);
    items->Add(QStringLiteral("x"));
    items->Add(QStringLiteral("y"));
    f.g->AddButton(3, 2, 30, 16, QStringLiteral("Go"), haLeft, vaTop);
    int radio = -1, buttons = 0;
    f.g->OnRadioClick = [&](TObject*, int, int, int i) { radio = i; };
    f.g->OnButtonClick = [&](TObject*, int, int) { ++buttons; };
    f.g->FocusCell(2, 2);
    f.Key(VK_SPACE);
    EXPECT_EQ(radio, 1);
    f.g->FocusCell(3, 2);
    f.Key(VK_RETURN);
    f.Key(VK_SPACE);
    EXPECT_EQ(buttons, 2);
    f.g->SetOptions(f.g->Options() - TGridOptions(goEditing));
    f.Key(VK_SPACE);
    EXPECT_EQ(buttons, 2) << "a button of a grid without editing stays up";
}

TEST(KeysTable, HiddenRightFixedColumnsDoNotCountAsVisible)
{
    TKeyForm f(6, 4);
    f.g->SetFixedRightCols(2);
    EXPECT_EQ(f.g->VisibleFixedRightCols(), 2);
    f.g->HideColumn(5);
    EXPECT_EQ(f.g->VisibleFixedRightCols(), 1);
    f.g->HideColumn(2);
    EXPECT_EQ(f.g->VisibleFixedRightCols(), 1) << "a hidden normal column does not count";
}

// Check boxes and radio buttons in cells: adding with the "Y"/"N" texts, state
// reads and writes with and without change events, toggles and their undo,
// radio columns, the row check box and the precise hit test; and attaching and
// removing cell graphics.
#include <gtest/gtest.h>

#include "grid/column_grid.h"
#include "grid/grid_undo_redo.h"
#include "platform/ui/forms.h"

namespace {

TKvStringGrid* MakeGrid(TForm& form, int Rows = 5)
{
    auto* g = new TKvStringGrid(&form);
    g->SetRowCount(Rows);
    g->SetColCount(4);
    g->SetOptions(g->Options() | goEditing);
    return g;
}

template <class F>
QString ErrorOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

TEST(CellGraphics, CreateReplacesAndRemoveFreesOnlyTheCellsOwn)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    TCellGraphic* a = g->CreateCellGraphic(1, 1);
    EXPECT_EQ(g->Cells(1, 1), QString());   // the blank used to attach it is gone
    EXPECT_EQ(g->CellGraphics(1, 1), a);
    EXPECT_EQ(g->CellTypes(1, 1), ctNone);
    a->SetCellType(ctComment);
    EXPECT_FALSE(g->RemoveCellGraphicOfType(1, 1, ctButton));
    EXPECT_TRUE(g->RemoveCellGraphicOfType(1, 1, ctComment));
    EXPECT_EQ(g->CellGraphics(1, 1), nullptr);
    EXPECT_FALSE(g->RemoveCellGraphic(1, 1));
    EXPECT_EQ(g->GetCellType(-1, 1), ctEmpty);
}

TEST(CellGraphics, RowCheckBoxOfColumnZeroFollowsTheRowSelection)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    g->MouseActions()->SetHotmailRowSelect(true);
    EXPECT_EQ(g->GetCellType(0, 3), ctRowCheckBox);
    TCellGraphic* rg = g->GetCellGraphic(0, 2);
    ASSERT_NE(rg, nullptr);
    EXPECT_EQ(rg, g->SpareCellGraphic());
    bool s = true;
    EXPECT_TRUE(g->GetCheckBoxState(0, 2, s));
    EXPECT_FALSE(s);
    EXPECT_TRUE(g->SetCheckBoxState(0, 2, true));
    EXPECT_TRUE(g->RowSelect(2));
    EXPECT_TRUE(g->GetCellGraphic(0, 2)->CellBoolean());
    TCellGraphic* head = g->GetCellGraphic(0, 0);
    EXPECT_FALSE(head->CellBoolean());
    EXPECT_EQ(head->CellAngle(), 1);   // partly selected
    // Removing the shared graphic leaves it alive.
    EXPECT_TRUE(g->RemoveCellGraphic(0, 2));
    EXPECT_EQ(g->SpareCellGraphic()->CellType(), ctRowCheckBox);
}

TEST(CheckBoxes, PlainColumnStatesAndChangeEvents)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    g->AddCheckBoxColumn(1, false, false);
    bool s = true;
    EXPECT_FALSE(g->GetCheckBoxState(1, 0, s));
    EXPECT_TRUE(s);   // untouched
    EXPECT_TRUE(g->GetCheckBoxState(1, 2, s));
    EXPECT_FALSE(s);
    int events = 0;
    g->OnCheckBoxChange = [&](TObject*, int, int, bool) { ++events; };
    EXPECT_TRUE(g->SetCheckBoxState(1, 2, true));
    EXPECT_TRUE(g->IsChecked(1, 2));
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(g->ChangeCheckBoxState(1, 2, true));
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(g->ChangeCheckBoxState(1, 2, false));
    EXPECT_EQ(events, 1);
    g->CheckAll(1);
    for (int r = 1; r < 5; ++r) EXPECT_TRUE(g->IsChecked(1, r)) << r;
    g->UnCheckAll(1);
    EXPECT_FALSE(g->IsChecked(1, 4));
    g->RemoveCheckBoxColumn(1);
    EXPECT_FALSE(g->HasCheckBox(1, 3));
}

TEST(CheckBoxes, DataBoxTextsFollowTheYNContract)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    g->SetCells(1, 1, QStringLiteral("N"));
    g->AddCheckBox(1, 1, true, true);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("N"));
    g->AddCheckBox(1, 2, true, true);
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("Y"));
    g->SetCells(1, 3, QStringLiteral("maybe"));
    g->AddCheckBox(1, 3, false, true);
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("N"));
    EXPECT_TRUE(g->HasDataCheckBox(1, 3));
    g->SetCheckBoxState(1, 3, true);
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("Y"));
}

TEST(CheckBoxes, ColumnGridDataColumnReadsAndWritesTheCellText)
{
    TForm form;
    auto* g = new TKvColumnGrid(&form);
    g->SetColCount(4);
    g->Columns()->Items(2)->SetEditor(edDataCheckBox);
    struct Case { const char* text; bool checked; };
    for (Case k : {Case{"Y", true}, Case{"y", false}, Case{"N", false}, Case{"", false}}) {
        g->SetCells(2, 3, QString::fromLatin1(k.text));
        bool s = !k.checked;
        EXPECT_TRUE(g->GetCheckBoxState(2, 3, s)) << k.text;
        EXPECT_EQ(s, k.checked) << k.text;
    }
    g->SetCheckBoxState(2, 3, false);
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("N"));
    EXPECT_TRUE(g->ToggleCheckBox(2, 3));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("Y"));
}

TEST(CheckBoxes, InvalidCellsAreRefused)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    const QString invalid = QStringLiteral("Invalid cell");
    EXPECT_EQ(ErrorOf([&] { g->AddCheckBox(g->ColCount(), 1, false, false); }), invalid);
    EXPECT_EQ(ErrorOf([&] { g->AddCheckBox(1, g->RowCount(), cbChecked); }), invalid);
    EXPECT_EQ(ErrorOf([&] { g->AddRadioButton(g->ColCount(), 1); }), invalid);
    // Negative indexes address no cell either.
    EXPECT_EQ(ErrorOf([&] { g->AddCheckBox(-1, 1, false, false); }), invalid);
    EXPECT_EQ(ErrorOf([&] { g->AddCheckBox(1, -1, cbGrayed); }), invalid);
    EXPECT_EQ(ErrorOf([&] { g->AddRadioButton(-1, 1); }), invalid);
}

TEST(CheckBoxes, TriStateCyclesAndIsNoTwoStateBox)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    g->AddCheckBox(2, 1, cbUnchecked);
    TCheckBoxState st = cbChecked;
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        g->ToggleCheckBox(2, 1);
        g->GetCheckBoxState(2, 1, st);
        seen.push_back(st);
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    bool b = true;
    EXPECT_FALSE(g->GetCheckBoxState(2, 1, b));
    EXPECT_FALSE(g->SetCheckBoxState(2, 1, true));
    EXPECT_TRUE(g->SetCheckBoxState(2, 1, cbGrayed));
    EXPECT_FALSE(g->ChangeCheckBoxState(2, 1, true));
}

TEST(CheckBoxes, UndoAfterTogglingADataBoxRestoresTheText)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    auto* undo = new TKvGridUndoRedo(&form);
    g->SetUndoRedo(undo);
    g->AddCheckBox(1, 2, false, true);
    ASSERT_EQ(g->Cells(1, 2), QStringLiteral("N"));
    g->ToggleCheckBox(1, 2);
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("Y"));
    undo->Undo();
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("N"));
    undo->Redo();
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("Y"));
}

TEST(CheckBoxes, UserToggleAsksCanEditUnlessAlwaysActive)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    g->AddCheckBox(1, 1, false, false);
    g->OnCanEditCell = [](TObject*, int, int, bool& can) { can = false; };
    EXPECT_FALSE(g->ToggleCellCheck(1, 1, true));
    EXPECT_FALSE(g->IsChecked(1, 1));
    EXPECT_TRUE(g->ToggleCellCheck(1, 1, false));
    EXPECT_TRUE(g->IsChecked(1, 1));
    g->ControlLook()->SetCheckAlwaysActive(true);
    EXPECT_TRUE(g->ToggleCellCheck(1, 1, true));
    EXPECT_FALSE(g->IsChecked(1, 1));
}

TEST(RadioButtons, ColumnIndexAndToggle)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form, 6);
    g->AddRadioButtonColumn(2);
    EXPECT_EQ(g->GetRadioButtonColumnIndex(2), -1);
    g->SetRadioButtonColumnIndex(2, 3);
    for (int r = 1; r < 6; ++r) EXPECT_EQ(g->IsRadioButtonChecked(2, r), r == 3) << r;
    EXPECT_TRUE(g->ToggleCellRadio(2, 5, false));
    EXPECT_EQ(g->GetRadioButtonColumnIndex(2), 5);
    EXPECT_TRUE(g->ToggleCellRadio(2, 5, false));   // already checked stays
    EXPECT_EQ(g->GetRadioButtonColumnIndex(2), 5);
    EXPECT_FALSE(g->ToggleCellRadio(1, 5, false));
    g->RemoveRadioButtonColumn(2);
    EXPECT_FALSE(g->HasRadioButton(2, 3));
}

TEST(CheckBoxes, PreciseHitTestStartsTwoPixelsIn)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form);
    g->AddCheckBox(1, 1, false, false);
    const TRect R = g->CellRect(1, 1);
    EXPECT_TRUE(g->IsInCheckBox(1, 1, R.Left + 1, R.Top + 5));   // whole cell without precision
    g->MouseActions()->SetPreciseCheckBoxCheck(true);
    const int S = g->ControlLook()->CheckSize();
    EXPECT_FALSE(g->IsInCheckBox(1, 1, R.Left + 1, R.Top + 5));
    EXPECT_TRUE(g->IsInCheckBox(1, 1, R.Left + 2, R.Top + 2));
    EXPECT_FALSE(g->IsInCheckBox(1, 1, R.Left + 2 + S, R.Top + 2));
    EXPECT_FALSE(g->IsInCheckBox(2, 1, R.Left + 2, R.Top + 2));
}

TEST(CheckBoxes, StatesUnderHiddenRowsTakeRealRows)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form, 6);
    g->AddCheckBox(1, 2, true, false);
    g->SetCells(2, 3, QStringLiteral("Y"));
    g->AddCheckBox(2, 3, true, true);
    g->AddCheckBox(3, 4, cbGrayed);
    g->HideRow(2);   // real rows 3 .. 5 now show at 2 .. 4
    ASSERT_EQ(g->NumHiddenRows(), 1);
    bool s = false;
    EXPECT_TRUE(g->GetCheckBoxState(1, 2, s));   // found through the hidden row's properties
    EXPECT_TRUE(s);
    EXPECT_TRUE(g->GetCheckBoxState(2, 3, s));
    EXPECT_TRUE(s);
    EXPECT_FALSE(g->GetCheckBoxState(3, 4, s));   // a tri-state box is no two-state box
    TCheckBoxState t = cbUnchecked;
    EXPECT_TRUE(g->GetCheckBoxState(3, 4, t));
    EXPECT_EQ(t, cbGrayed);

    EXPECT_TRUE(g->SetCheckBoxState(2, 3, false));   // real row 3, shown at 2
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("N"));
    EXPECT_TRUE(g->SetCheckBoxState(1, 2, false));   // the hidden row's own box
    EXPECT_TRUE(g->SetCheckBoxState(3, 4, cbChecked));

    std::vector<int> events;
    g->OnCheckBoxChange = [&](TObject*, int, int ARow, bool) { events.push_back(ARow); };
    EXPECT_TRUE(g->ChangeCheckBoxState(2, 2, true));   // a display row
    EXPECT_EQ(g->AllCells(2, 3), QStringLiteral("Y"));
    EXPECT_EQ(events, std::vector<int>{2});

    g->UnHideRowsAll();
    EXPECT_FALSE(g->IsChecked(1, 2));
    EXPECT_TRUE(g->IsChecked(2, 3));
    EXPECT_TRUE(g->GetCheckBoxState(3, 4, t));
    EXPECT_EQ(t, cbChecked);
}

TEST(CheckBoxes, ColumnGridBoxesUnderHiddenRowsReadTheRealRowsText)
{
    TForm form;
    auto* g = new TKvColumnGrid(&form);
    g->SetColCount(4);
    g->SetRowCount(6);
    g->Columns()->Items(2)->SetEditor(edDataCheckBox);
    const char* texts[] = {"", "Y", "N", "Y", "N", "N"};
    for (int r = 1; r < 6; ++r) g->SetCells(2, r, QString::fromLatin1(texts[r]));
    g->HideRow(1);
    for (int r = 1; r < 6; ++r) {
        bool s = false;
        EXPECT_TRUE(g->GetCheckBoxState(2, r, s)) << r;
        EXPECT_EQ(s, texts[r][0] == 'Y') << r;
    }
    EXPECT_TRUE(g->SetCheckBoxState(2, 4, true));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("Y"));   // real row 4 shows at 3
    g->UnHideRowsAll();
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("Y"));
    EXPECT_EQ(g->Cells(2, 4), QStringLiteral("Y"));
}

TEST(CheckBoxes, RemoveCheckedRowsAsksTheCheckBoxState)
{
    TForm form;
    TKvStringGrid* g = MakeGrid(form, 6);
    for (int r = 1; r < 6; ++r) {
        g->SetCells(0, r, QString::number(r));
        g->AddCheckBox(1, r, r % 2 == 1, false);   // plain boxes: rows 1, 3 and 5 checked
    }
    g->RemoveCheckedRows(1, true);
    ASSERT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(0, 0), QString());   // the fixed row stays
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("2"));
    EXPECT_EQ(g->Cells(0, 2), QStringLiteral("4"));

    auto* c = new TKvColumnGrid(&form);
    c->SetColCount(3);
    c->SetRowCount(6);
    c->Columns()->Items(1)->SetEditor(edDataCheckBox);
    for (int r = 1; r < 6; ++r) {
        c->SetCells(0, r, QString::number(r));
        c->SetCells(1, r, r == 2 || r == 5 ? QStringLiteral("Y") : QStringLiteral("N"));
    }
    c->HideRow(1);   // shown rows are asked by their real rows
    c->RemoveCheckedRows(1, false);
    ASSERT_EQ(c->RowCount(), 3);
    EXPECT_EQ(c->Cells(0, 1), QStringLiteral("2"));
    EXPECT_EQ(c->Cells(0, 2), QStringLiteral("5"));
}

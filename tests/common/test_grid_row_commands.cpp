// The rule editors' row commands on a 513-row column grid and on a check-box
// string grid: delete and insert keep the row count and the row numbers,
// copy and paste check the copied row and ask before overwriting; the Enter
// jump and the header double click obey their options.
#include "common/grid_row_commands.h"

#include "grid/column_grid.h"
#include "grid/cell_properties.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QTemporaryDir>

#include "common/qstring_print.h"

#include <gtest/gtest.h>

namespace {

class TSizingGrid : public TKvColumnGrid {
public:
    using TKvColumnGrid::TKvColumnGrid;
    void AutoSizeCol(int Index, int Padding) override { Calls.push_back({Index, Padding}); }
    std::vector<std::pair<int, int>> Calls;
};

class RowCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Tmp.isValid());
        Old = Install_Working_State(std::make_unique<TWorkingState>(Tmp.path()));
        Init_Lang_Table();
    }
    void TearDown() override { Install_Working_State(std::move(Old)); }

    // 13 columns: row numbers, Enable (check box), texts, one more check box.
    TSizingGrid* ColumnGrid(int Cols = 13)
    {
        auto* g = new TSizingGrid(&Form);
        g->SetColCount(Cols);
        g->SetRowCount(513);
        g->Columns()->Items(1)->SetEditor(edDataCheckBox);
        g->Columns()->Items(5)->SetEditor(edDataCheckBox);
        for (int r = 1; r < 513; ++r) {
            g->SetCells(0, r, QString::number(r));
            g->SetCells(1, r, QStringLiteral("N"));
        }
        return g;
    }

    void FillRow(TKvStringGrid* g, int r, const QString& tag)
    {
        for (int c = 2; c < g->ColCount(); ++c)
            if (!g->HasCheckBox(c, r)) g->SetCells(c, r, tag + QString::number(c));
    }

    QTemporaryDir Tmp;
    std::unique_ptr<TWorkingState> Old;
    TForm Form;
};

} // namespace

TEST_F(RowCommands, DeleteMovesRowsUpAndEmptiesTheLastRow)
{
    TSizingGrid* g = ColumnGrid();
    FillRow(g, 1, QStringLiteral("a"));
    FillRow(g, 2, QStringLiteral("b"));
    FillRow(g, 512, QStringLiteral("z"));
    Grid_Delete_Row(1, g);
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("b2"));
    EXPECT_EQ(g->Cells(3, 511), QStringLiteral("z3"));
    for (int c = 1; c < 13; ++c) EXPECT_EQ(g->Cells(c, 512), QString()) << c;
    for (int r : {1, 200, 512}) EXPECT_EQ(g->Cells(0, r), QString::number(r));
    EXPECT_EQ(g->RowCount(), 513);

    FillRow(g, 512, QStringLiteral("q"));
    Grid_Delete_Row(512, g);   // the last row is only cleared
    EXPECT_EQ(g->Cells(2, 512), QString());
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("b2"));
}

TEST_F(RowCommands, InsertShiftsDownAndRefusesWhenTheLastRowHoldsARule)
{
    TSizingGrid* g = ColumnGrid();
    TDialogResponder answers;
    FillRow(g, 5, QStringLiteral("e"));
    EXPECT_TRUE(Grid_Insert_Row(5, g, true));
    EXPECT_EQ(g->Cells(1, 5), QStringLiteral("Y"));
    EXPECT_EQ(g->Cells(2, 5), QString());
    EXPECT_EQ(g->Cells(2, 6), QStringLiteral("e2"));
    EXPECT_EQ(g->Cells(0, 6), QStringLiteral("6"));
    EXPECT_TRUE(answers.Requests.empty());

    // A full table keeps its last rule and says why.
    FillRow(g, 512, QStringLiteral("z"));
    EXPECT_FALSE(Grid_Insert_Row(5, g, true));
    ASSERT_EQ(answers.Requests.size(), 1u);
    EXPECT_EQ(answers.LastText(), Lang_Str(1509));
    EXPECT_EQ(g->Cells(2, 512), QStringLiteral("z2"));
    EXPECT_EQ(g->Cells(2, 6), QStringLiteral("e2"));

    // A checked box past the Enable column is a rule too; Enable alone is not.
    Grid_Delete_Row(512, g);
    g->SetCells(1, 512, QStringLiteral("Y"));
    Grid_Insert_Row(1, g, false);
    EXPECT_EQ(answers.Requests.size(), 1u);
    EXPECT_EQ(g->Cells(1, 1), QString());
    g->SetCells(5, 512, QStringLiteral("Y"));
    Grid_Insert_Row(1, g, false);
    EXPECT_EQ(answers.Requests.size(), 2u);
}

TEST_F(RowCommands, PasteChecksInTheirOrder)
{
    TSizingGrid* g = ColumnGrid();
    TDialogResponder answers;
    FillRow(g, 3, QStringLiteral("c"));
    g->SetCells(5, 3, QStringLiteral("Y"));

    struct Case {
        const char* name;
        bool copied;
        int clipboardCols;   // 0: copy row 3 of this grid
        const char* targetText;   // text of column 2 in row 7
        int answer;
        int expectText;   // expected message, 0 for none
        bool pasted;
    };
    const Case cases[] = {
        {"no copy in this grid", false, 0, "", mrYes, 1502, false},
        {"narrower clipboard", true, 11, "", mrYes, 1501, false},
        {"empty target", true, 0, "", mrYes, 0, true},
        {"blank-only target", true, 0, "   ", mrYes, 0, true},
        {"used target, No", true, 0, "x", mrNo, 1500, false},
        {"used target, Yes", true, 0, "x", mrYes, 1500, true},
    };
    for (const Case& k : cases) {
        for (int c = 1; c < 13; ++c) g->SetCells(c, 7, QString());
        g->SetCells(1, 7, QStringLiteral("Y"));   // the Enable box never counts
        g->SetCells(2, 7, QString::fromLatin1(k.targetText));
        Grid_Copy_Row(g, 3);
        if (k.clipboardCols) {
            TSizingGrid* other = ColumnGrid(k.clipboardCols);
            Grid_Copy_Row(other, 3);
        }
        answers.Requests.clear();
        answers.QueueResult(k.answer);
        Grid_Paste_Row(g, 7, k.copied);
        if (k.expectText) {
            ASSERT_EQ(answers.Requests.size(), 1u) << k.name;
            EXPECT_EQ(answers.LastText(), Lang_Str(k.expectText)) << k.name;
        } else {
            EXPECT_TRUE(answers.Requests.empty()) << k.name;
        }
        answers.Answers.clear();
        EXPECT_EQ(g->Cells(4, 7) == QStringLiteral("c4"), k.pasted) << k.name;
        if (k.pasted) {
            EXPECT_EQ(g->Cells(5, 7), QStringLiteral("Y")) << k.name;
            EXPECT_EQ(g->Cells(1, 7), QStringLiteral("N")) << k.name;
        }
    }
}

TEST_F(RowCommands, CheckTwinsMoveStatesAndReadOnlyFlags)
{
    auto* g = new TKvStringGrid(&Form);
    g->SetColCount(6);
    g->SetRowCount(8);
    g->AddCheckBoxColumn(1, false, false);
    g->AddCheckBoxColumn(4, false, false);
    for (int r = 1; r < 8; ++r) g->SetCells(0, r, QString::number(r));
    FillRow(g, 2, QStringLiteral("b"));
    g->SetCheckBoxState(4, 2, true);
    g->CellProperties(3, 2)->SetReadOnly(true);

    Grid_Delete_Row_Check(1, g, true);
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("b2"));
    EXPECT_TRUE(g->IsChecked(4, 1));
    EXPECT_TRUE(g->CellProperties(3, 1)->ReadOnly());
    for (int c = 1; c < 6; ++c) EXPECT_TRUE(g->CellProperties(c, 7)->ReadOnly()) << c;
    EXPECT_TRUE(g->IsChecked(1, 7));
    EXPECT_FALSE(g->IsChecked(4, 7));
    EXPECT_EQ(g->Cells(0, 7), QStringLiteral("7"));

    Grid_Insert_Row_Check(1, g, true);
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("b2"));
    EXPECT_TRUE(g->IsChecked(4, 2));
    EXPECT_TRUE(g->IsChecked(1, 1));
    EXPECT_FALSE(g->IsChecked(4, 1));
    for (int c = 1; c < 6; ++c) EXPECT_FALSE(g->CellProperties(c, 1)->ReadOnly()) << c;
}

TEST_F(RowCommands, CheckPasteRestoresStatesAndBlanksCountAsData)
{
    auto* g = new TKvStringGrid(&Form);
    g->SetColCount(6);
    g->SetRowCount(8);
    g->AddCheckBoxColumn(1, false, false);
    g->AddCheckBoxColumn(4, false, false);
    FillRow(g, 2, QStringLiteral("b"));
    g->SetCheckBoxState(4, 2, true);
    TDialogResponder answers;
    Grid_Copy_Row_Check(g, 2);
    EXPECT_EQ(WS().SL_Copy_Row.at(3), QStringLiteral("Y"));
    g->SetCells(3, 5, QStringLiteral("  "));
    answers.QueueResult(mrYes);
    Grid_Paste_Row_Check(g, 5, true);
    ASSERT_EQ(answers.Requests.size(), 1u);
    EXPECT_EQ(answers.LastText(), Lang_Str(1500));
    EXPECT_TRUE(g->IsChecked(4, 5));
    EXPECT_EQ(g->Cells(4, 5), QString());
    EXPECT_EQ(g->Cells(2, 5), QStringLiteral("b2"));
}

TEST_F(RowCommands, CheckPasteNeverReadsStaleOrMissingMarks)
{
    auto* g = new TKvStringGrid(&Form);
    g->SetColCount(6);
    g->SetRowCount(8);
    g->AddCheckBoxColumn(4, false, false);
    TDialogResponder answers;
    // A check copy from a narrower grid: its marks end before column 4.
    auto* narrow = new TKvStringGrid(&Form);
    narrow->SetColCount(4);
    narrow->SetRowCount(8);
    narrow->AddCheckBoxColumn(2, true, false);
    Grid_Copy_Row_Check(narrow, 1);
    WS().SL_Copy_Row << QStringLiteral("Y") << QStringLiteral("tail");   // five entries, three marks
    Grid_Paste_Row_Check(g, 6, true);
    EXPECT_TRUE(answers.Requests.empty());
    EXPECT_EQ(g->Cells(2, 6), QString());             // marked: a state, and this cell has no box
    EXPECT_EQ(g->Cells(4, 6), QStringLiteral("Y"));   // past the marks: written as text
    EXPECT_FALSE(g->IsChecked(4, 6));
    EXPECT_EQ(g->Cells(5, 6), QStringLiteral("tail"));

    // A plain copy of the target's width leaves no check marks behind.
    auto* cg = new TKvColumnGrid(&Form);
    cg->SetColCount(6);
    cg->SetRowCount(8);
    cg->SetCells(4, 1, QStringLiteral("Y"));
    Grid_Copy_Row_Check(g, 1);   // marks from a check copy first
    Grid_Copy_Row(cg, 1);
    g->SetCells(4, 6, QString());
    g->SetCells(5, 6, QString());
    Grid_Paste_Row_Check(g, 6, true);
    EXPECT_EQ(g->Cells(4, 6), QStringLiteral("Y"));
    EXPECT_FALSE(g->IsChecked(4, 6));
}

TEST_F(RowCommands, EnterJumpsAcrossTheRowAndWraps)
{
    TSizingGrid* g = ColumnGrid();
    QChar key(13);
    g->FocusCell(12, 512);
    Grid_Jump_Next_Cell(g, key);   // option off: nothing
    EXPECT_EQ(key, QChar(13));
    EXPECT_EQ(g->Col(), 12);
    WS().Enable_Jump_Field_Tables = true;
    Grid_Jump_Next_Cell(g, key);
    EXPECT_EQ(key, QChar(0));
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
    key = QChar(13);
    Grid_Jump_Next_Cell(g, key);
    EXPECT_EQ(g->Col(), 2);
    g->FocusCell(12, 4);
    key = QChar(13);
    Grid_Jump_Next_Cell(g, key);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 5);
    QChar other('a');
    Grid_Jump_Next_Cell(g, other);
    EXPECT_EQ(other, QChar('a'));
    g->FocusCell(0, 4);
    key = QChar(13);
    Grid_Jump_Next_Cell(g, key);
    EXPECT_EQ(key, QChar(0));
    EXPECT_EQ(g->Col(), 0);
}

TEST_F(RowCommands, HeaderDoubleClickSizesTheColumn)
{
    TSizingGrid* g = ColumnGrid();
    Grid_DblClick_AutoSize(g, 0, 4);
    EXPECT_TRUE(g->Calls.empty());
    WS().Double_Click_Auto_Size = true;
    Grid_DblClick_AutoSize(g, 3, 4);
    EXPECT_TRUE(g->Calls.empty());
    Grid_DblClick_AutoSize(g, 0, 4);
    ASSERT_EQ(g->Calls.size(), 1u);
    EXPECT_EQ(g->Calls[0], std::make_pair(4, 0));
}

TEST_F(RowCommands, AHiddenColumnTravelsWithItsRow)
{
    TSizingGrid* g = ColumnGrid();
    for (int r = 1; r < 513; ++r) g->SetCells(12, r, QStringLiteral("id%1").arg(r));
    g->HideColumn(12);   // N stays 13: ColCount 12 plus the hidden column
    ASSERT_EQ(g->ColCount(), 12);
    ASSERT_EQ(g->Columns()->Count(), 13);
    TDialogResponder answers;
    FillRow(g, 3, QStringLiteral("c"));   // FillRow walks the shown columns only
    Grid_Copy_Row(g, 3);
    answers.QueueResult(mrYes);
    Grid_Paste_Row(g, 9, true);   // the hidden ID makes row 9 a used row; no 1501 for width
    ASSERT_EQ(answers.Requests.size(), 1u);
    EXPECT_EQ(answers.LastText(), Lang_Str(1500));
    EXPECT_EQ(g->Cells(12, 9), QStringLiteral("id3"));
    EXPECT_EQ(g->Cells(11, 9), QStringLiteral("c11"));

    Grid_Delete_Row(1, g);
    EXPECT_EQ(g->Cells(12, 1), QStringLiteral("id2"));
    EXPECT_EQ(g->Cells(12, 8), QStringLiteral("id3"));
    EXPECT_EQ(g->Cells(12, 512), QString());
    Grid_Insert_Row(2, g, true);
    EXPECT_EQ(g->Cells(12, 2), QString());
    EXPECT_EQ(g->Cells(12, 3), QStringLiteral("id3"));
    EXPECT_EQ(g->Cells(0, 3), QStringLiteral("3"));

    // A rule only in the hidden column of the last row still fills the table.
    g->SetCells(12, 512, QStringLiteral("kept"));
    Grid_Insert_Row(2, g, true);
    ASSERT_EQ(answers.Requests.size(), 2u);
    EXPECT_EQ(answers.LastText(), Lang_Str(1509));
    EXPECT_EQ(g->Cells(12, 512), QStringLiteral("kept"));

    WS().Enable_Jump_Field_Tables = true;
    QChar key(13);
    g->FocusCell(11, 4);   // the last shown column
    Grid_Jump_Next_Cell(g, key);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 5);
    g->UnHideColumn(12);
    EXPECT_EQ(g->Cells(12, 3), QStringLiteral("id3"));
}

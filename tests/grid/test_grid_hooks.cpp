// The grid's hooks for the row keys and for a cell's text on export and import.
#include <gtest/gtest.h>

#include "grid/cell_properties.h"
#include "grid/column_grid.h"
#include "platform/ui/forms.h"

#include <QCoreApplication>

#include "counting_grid.h"


TEST(GridHooks, DeleteKeyClearsTheOnlyNormalRowAndStillReports)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->SetRowCount(2);
    g->SetCells(1, 1, QStringLiteral("x"));
    int reported = -1;
    g->OnAutoDeleteRow = [&](TObject*, int r) { reported = r; };
    g->DeleteGridRow(1);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(1, 1), QString());
    EXPECT_EQ(reported, 1);
    g->SetRowCount(4);
    g->SetCells(1, 3, QStringLiteral("last"));
    g->DeleteGridRow(1);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("last"));
    g->InsertGridRow(1);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("last"));
}

TEST(GridHooks, SaveTextOfCheckBoxesMarkupAndEvents)
{
    TForm form;
    auto* g = new TKvColumnGrid(&form);
    g->SetColCount(5);
    g->Columns()->Items(3)->SetEditor(edDataCheckBox);
    g->Columns()->Items(1)->SetCheckTrue(QStringLiteral("on"));
    g->AddCheckBox(1, 1, true, false);
    g->AddCheckBox(2, 1, cbGrayed);
    g->SetCells(3, 1, QStringLiteral("Y"));
    QString v;
    g->GetSaveCellText(1, 1, v);
    EXPECT_EQ(v, QStringLiteral("on"));   // the column's check-true text
    g->GetSaveCellText(2, 1, v);
    EXPECT_EQ(v, QStringLiteral("N"));
    g->GetSaveCellText(3, 1, v);
    EXPECT_EQ(v, QStringLiteral("Y"));

    g->SetCells(4, 1, QStringLiteral("<b>bold</b> text"));
    g->GetSaveCellText(4, 1, v);
    EXPECT_EQ(v, QStringLiteral("<b>bold</b> text"));
    g->SetSaveWithHTML(false);
    g->GetSaveCellText(4, 1, v);
    EXPECT_EQ(v, QStringLiteral("bold text"));

    g->SetCells(4, 2, QStringLiteral("{\\rtf1\\ansi\r\nHello\\par\r\n}"));
    g->SetSaveWithRTF(true);
    g->GetSaveCellText(4, 2, v);
    EXPECT_EQ(v, QStringLiteral("{\\rtf1\\ansiHello\\par}"));
    g->SetSaveWithRTF(false);
    g->GetSaveCellText(4, 2, v);
    EXPECT_TRUE(v.startsWith(QStringLiteral("Hello"))) << v.toStdString();

    g->OnSaveCell = [](TObject*, int, int, QString& s) { s += QLatin1Char('!'); };
    g->GetSaveCellText(3, 1, v);
    EXPECT_EQ(v, QStringLiteral("Y!"));
}

TEST(GridHooks, LoadTextIsARawWrite)
{
    TForm form;
    auto* g = new TCountingGrid(&form);
    g->OnLoadCell = [](TObject*, int, int, QString& s) { s = s.toUpper(); };
    const int before = g->Changes;
    g->SetLoadCellText(2, 2, QStringLiteral("abc"));
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("ABC"));
    EXPECT_EQ(g->Changes, before);
}

// Insert and Delete in a grid with nodes: a row inside a node's span is a child
// of that node (its span grows or shrinks), a row outside every span a normal
// row; a contracted node further down keeps its hidden rows under it.
TEST(GridHooks, InsertAndDeleteKeysKeepNodeSpans)
{
    struct TCase {
        const char* name;
        bool insert;
        int row;
        int spanA;     // the node on row 1
        int nodeB;     // where the contracted node ends up
        int newRow;    // the inserted row
        int newLevel;  // its node level
    };
    const TCase cases[] = {
        {"insert inside a node", true, 2, 4, 7, 2, 1},
        {"insert on a node row", true, 1, 4, 7, 2, 1},
        {"insert outside every node", true, 5, 3, 7, 5, 0},
        {"delete inside a node", false, 2, 2, 5, 0, 0},
        {"delete outside every node", false, 4, 3, 5, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TForm form;
        auto* g = new TKvStringGrid(&form);
        g->SetRowCount(10);
        for (int r = 1; r < 10; ++r) g->SetCells(1, r, QStringLiteral("r%1").arg(r));
        g->AddNode(1, 3);
        g->AddNode(6, 2);
        g->ContractNode(6);
        ASSERT_EQ(g->RowCount(), 9);
        int reported = -1;
        g->OnAutoDeleteRow = [&](TObject*, int r) { reported = r; };
        if (c.insert) g->InsertGridRow(c.row);
        else g->DeleteGridRow(c.row);
        EXPECT_EQ(g->RowCount(), c.insert ? 10 : 8);
        EXPECT_EQ(g->GetNodeSpan(1), c.spanA);
        EXPECT_TRUE(g->IsNode(c.nodeB));
        EXPECT_EQ(g->Cells(1, c.nodeB), QStringLiteral("r6"));
        if (c.insert) {
            // The row opened is empty; on a node row the node keeps its row and its
            // texts move down into the new one.
            EXPECT_EQ(g->Cells(1, c.row), QString());
            EXPECT_EQ(g->Cells(1, c.row + 1), QStringLiteral("r%1").arg(c.row));
            EXPECT_EQ(g->HasCellProperties(0, c.newRow) ? g->CellProperties(0, c.newRow)->NodeLevel() : 0, c.newLevel);
            EXPECT_TRUE(g->IsNode(1));
        } else {
            EXPECT_EQ(reported, c.row);
        }
        g->ExpandNode(g->RealRowIndex(c.nodeB));
        EXPECT_EQ(g->NumHiddenRows(), 0);
        EXPECT_EQ(g->Cells(1, c.nodeB + 1), QStringLiteral("r7"));
    }
}

TEST(GridHooks, LooksThatDrawTheSelectionPerCellRepaintItOnAChange)
{
    const std::pair<TGridLook, bool> cases[] = {
        {glVista, true}, {glWin7, true}, {glOffice2007, true}, {glXP, false}, {glClassic, false}};
    for (const auto& [look, repaints] : cases) {
        SCOPED_TRACE(int(look));
        TForm form;
        form.SetBounds(0, 0, 400, 300);
        auto* g = new TPaintRecordingGrid(&form);
        g->SetParent(&form);
        g->SetLook(look);
        form.Show();
        QCoreApplication::processEvents();
        g->Painted.clear();
        g->SetSelection(TGridRect(2, 2, 3, 3));
        QCoreApplication::processEvents();
        g->Painted.clear();
        bool fired = false;
        g->OnSelectionChanged = [&](TObject*, int, int, int, int) { fired = true; };
        g->SelectionChanged(2, 2, 3, 3);
        QCoreApplication::processEvents();
        EXPECT_TRUE(fired);
        EXPECT_EQ(g->WasPainted(3, 3), repaints);
    }
}

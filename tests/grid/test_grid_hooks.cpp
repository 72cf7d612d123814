// The grid's hooks for the row keys and for a cell's text on export and import.
#include <gtest/gtest.h>

#include "grid/column_grid.h"
#include "platform/ui/forms.h"

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

// The search bar and the header filter list on a shown form: typing finds and
// scrolls, a miss turns the edit red, find next and previous step through the
// hits, a search column limits search and highlighting, the close button hides
// the bar; a filter list pick filters and "(All)" shows every row again. A
// picture of the form, grouped with the bar's hits highlighted, is saved.
#include <gtest/gtest.h>

#include "grid/grid_chrome.h"
#include "grid/kv_flat_controls.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"
#include "shell/qt_print.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>

namespace {

struct TBarForm {
    TBarForm()
    {
        Form.SetBounds(0, 0, 560, 420);
        Grid = new TKvStringGrid(&Form);
        Grid->SetParent(&Form);
        Grid->SetBounds(0, 0, 560, 420);
        Grid->SetColCount(4);
        Grid->SetRowCount(41);
        Grid->SetCells(1, 0, QStringLiteral("Name"));
        Grid->SetCells(2, 0, QStringLiteral("Kind"));
        Grid->SetCells(3, 0, QStringLiteral("Qty"));
        const char* kinds[] = {"pump", "valve", "pipe", "tank"};
        for (int r = 1; r < 41; ++r) {
            Grid->SetCells(0, r, QString::number(r));
            Grid->SetCells(1, r, QStringLiteral("item %1").arg(r));
            Grid->SetCells(2, r, QString::fromLatin1(kinds[(r * 7) % 4]));
            Grid->SetCells(3, r, QString::number((r * 13) % 17));
        }
        Grid->SetCells(1, 37, QStringLiteral("pump spare"));
        Grid->SetColWidths(1, 150);
        Grid->SetColWidths(2, 120);
        Grid->SearchFooter()->SetVisible(true);
        Form.Show();
        QApplication::processEvents();
    }
    TRetEdit* Edit() const { return Grid->SearchPanel()->EditControl(); }
    void Type(const QString& Text)
    {
        QTest::keyClicks(Edit()->InputWidget(), Text);
        QApplication::processEvents();
    }
    void ClearEdit()
    {
        Edit()->SetText(QString());
        QApplication::processEvents();
    }
    void Press(TKvGridButton* B)
    {
        QTest::mouseClick(B, Qt::LeftButton, {}, QPoint(B->Width() / 2, B->Height() / 2));
        QApplication::processEvents();
    }
    bool RowShown(int ARow) const { return ARow >= Grid->TopRow() && ARow < Grid->TopRow() + Grid->VisibleRowCount(); }
    TForm Form;
    TKvStringGrid* Grid;
};

} // namespace

TEST(GridSearchBar, TypingFindsStepsColoursAndCloses)
{
    TBarForm f;
    TKvStringGrid* g = f.Grid;
    ASSERT_TRUE(g->SearchPanel()->Visible());
    f.Type(QStringLiteral("spare"));
    EXPECT_EQ(g->SearchCell, TPoint(1, 37));
    EXPECT_EQ(g->Row(), 37);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_TRUE(f.RowShown(37)) << "scrolled to the hit";
    EXPECT_EQ(f.Edit()->Color(), clWindow);

    f.Type(QStringLiteral("zz"));
    EXPECT_EQ(f.Edit()->Color(), TColor(0x000000FF)) << "a miss turns the edit red";
    f.ClearEdit();
    EXPECT_EQ(f.Edit()->Color(), clWindow);

    // "pump" stands in column 2 and once in column 1; the hits come column by column.
    f.Type(QStringLiteral("pump"));
    const TPoint first = g->SearchCell;
    EXPECT_EQ(first.X, 1);
    EXPECT_EQ(first.Y, 37);
    f.Press(g->SearchPanel()->ForwardButton());
    const TPoint second = g->SearchCell;
    EXPECT_EQ(second.X, 2);
    EXPECT_EQ(g->Cells(2, second.Y), QStringLiteral("pump"));
    EXPECT_EQ(g->Row(), second.Y);
    f.Press(g->SearchPanel()->ForwardButton());
    EXPECT_GT(g->SearchCell.Y, second.Y);
    f.Press(g->SearchPanel()->BackwardButton());
    EXPECT_EQ(g->SearchCell, second);
    f.Press(g->SearchPanel()->BackwardButton());
    EXPECT_EQ(g->SearchCell, first);
    EXPECT_TRUE(f.RowShown(g->Row()));

    // With search column 2 only column 2 is searched and highlighted.
    g->SearchFooter()->SetSearchColumn(2);
    f.ClearEdit();
    f.Type(QStringLiteral("pump"));
    EXPECT_EQ(g->SearchCell.X, 2);
    f.Press(g->SearchPanel()->HiliteButton());
    ASSERT_TRUE(g->SearchPanel()->HiliteButton()->Down());
    EXPECT_TRUE(g->Cells(2, second.Y).contains(QLatin1String("<hi>"))) << g->Cells(2, second.Y).toStdString();
    EXPECT_FALSE(g->Cells(1, 37).contains(QLatin1String("<hi>"))) << "column 1 is not highlighted";
    f.Press(g->SearchPanel()->ForwardButton());
    EXPECT_EQ(g->SearchCell.X, 2) << "the next hit is in column 2 too, despite the highlighting";
    f.Press(g->SearchPanel()->HiliteButton());
    EXPECT_EQ(g->Cells(2, second.Y), QStringLiteral("pump"));

    int closed = 0;
    g->OnSearchFooterClose = [&](TObject*) { ++closed; };
    f.Press(g->SearchPanel()->ExitButton());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(g->SearchFooter()->Visible());
    EXPECT_FALSE(g->SearchPanel()->Visible());
}

TEST(GridSearchBar, FilterListPickFiltersAndAllShowsEveryRow)
{
    TBarForm f;
    TKvStringGrid* g = f.Grid;
    g->SearchFooter()->SetVisible(false);
    g->SetFilterDropDownAuto(true);
    g->SetFilterDropDownRow(0);
    const auto pick = [&](const QString& Entry) {
        const TRect R = g->CellRect(2, 0);
        QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(R.Right - 8, R.Top + 5));
        QApplication::processEvents();
        TDropList* list = g->FilterDropList();
        ASSERT_TRUE(list->Visible());
        QListWidget* lw = list->List();
        const QList<QListWidgetItem*> items = lw->findItems(Entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << Entry.toStdString();
        QTest::mouseClick(lw->viewport(), Qt::LeftButton, {}, lw->visualItemRect(items.front()).center());
        QApplication::processEvents();
        EXPECT_FALSE(list->Visible());
    };
    pick(QStringLiteral("tank"));
    EXPECT_TRUE(g->FilterActive());
    EXPECT_EQ(g->RowCount(), 11);
    for (int r = 1; r < g->RowCount(); ++r) EXPECT_EQ(g->Cells(2, r), QStringLiteral("tank")) << r;
    pick(QStringLiteral("(All)"));
    EXPECT_EQ(g->RowCount(), 41);
    EXPECT_FALSE(g->Filter()->HasFilter(2));
    EXPECT_TRUE(g->CheckHiddenConsistency());
}

TEST(GridSearchBar, PictureOfAGroupedGridWithHighlightedHits)
{
    TBarForm f;
    TKvStringGrid* g = f.Grid;
    g->Grouping()->SetSummary(true);
    g->Grouping()->SetHeaderColor(0x00F0D8C0);
    g->Grouping()->SetSummaryColor(0x00C0E8F0);
    g->SetRowCount(13);
    g->Group(2);
    g->GroupSum(2);
    ASSERT_TRUE(g->IsNode(1));
    int contracted = -1;
    for (int r = 2; r < g->RowCount(); ++r)
        if (g->IsNode(r)) {
            contracted = r;
            break;
        }
    ASSERT_GT(contracted, 0);
    g->ContractNode(contracted);
    f.Type(QStringLiteral("item 1"));
    f.Press(g->SearchPanel()->HiliteButton());
    ASSERT_TRUE(g->SearchPanel()->HiliteButton()->Down());
    int highlighted = 0;
    for (int r = 1; r < g->RowCount(); ++r) highlighted += g->Cells(1, r).contains(QLatin1String("<hi>"));
    EXPECT_EQ(highlighted, 3) << "item 1, item 10, item 11; item 12 is in the contracted group";
    EXPECT_TRUE(g->CheckHiddenConsistency());
    QApplication::processEvents();
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("grid_grouped_search_bar.png"));
    ASSERT_TRUE(f.Form.grab().save(path));
}

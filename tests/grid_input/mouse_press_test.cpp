// What a left press means before the stock selection: merged areas, ratings,
// header sizing grabs, links to cells and outside, radio groups, the left
// border double click, and the disjunct cell selection by Ctrl and Shift.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "grid_click_messages.h"
#include "platform/core/shell_open.h"
#include "platform/ui/forms.h"
#include "platform/ui/menus.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

namespace {
struct TPressGrid {
    TForm form;
    TKvStringGrid* g;
    TPressGrid()
    {
        form.SetBounds(0, 0, 600, 400);
        g = new TKvStringGrid(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 560, 300);
        g->SetColCount(5);
        g->SetRowCount(6);
        for (int c = 0; c < 5; ++c) g->SetColWidths(c, 100);
        g->SetOptions(g->Options() | goEditing | goRangeSelect | goColSizing);
    }
    static LPARAM At(int x, int y) { return ClickAt(x, y); }
    LPARAM Mid(int c, int r) { return CellMiddle(g, c, r); }
    void Click(LPARAM p, WPARAM keys = 0) { LeftClick(g, p, keys); }
};
} // namespace

TEST(MousePress, APressOnAMergedAreaActsOnItsBaseCell)
{
    TPressGrid t;
    t.g->MergeCells(2, 2, 2, 2);
    t.Click(t.Mid(3, 3));
    EXPECT_EQ(t.g->Col(), 2);
    EXPECT_EQ(t.g->Row(), 2);
}

TEST(MousePress, ARatingTakesHalfStepsOfNinePixels)
{
    TPressGrid t;
    t.g->AddRating(2, 2, 5, clYellow, clSilver);
    double offered = -1;
    bool allow = true;
    t.g->OnRatingChange = [&](TObject*, int, int, double& rate, bool& ok) {
        offered = rate;
        ok = allow;
    };
    const TRect R = t.g->CellRect(2, 2);
    t.Click(TPressGrid::At(R.Left + 20, R.Top + 5));
    EXPECT_DOUBLE_EQ(offered, 1.0);
    EXPECT_DOUBLE_EQ(t.g->Floats(2, 2), 1.0);
    allow = false;
    t.Click(TPressGrid::At(R.Left + 40, R.Top + 5));
    EXPECT_DOUBLE_EQ(offered, 2.0);
    EXPECT_DOUBLE_EQ(t.g->Floats(2, 2), 1.0) << "a refused rate is not written";
}

TEST(MousePress, AHeaderPressNearAColumnBorderIsNoCellClick)
{
    TPressGrid t;
    std::vector<int> clicked;
    t.g->OnClickCell = [&](TObject*, int, int c) { clicked.push_back(c); };
    const TRect R = t.g->CellRect(2, 0);
    t.Click(TPressGrid::At(R.Right - 2, R.Top + 5));
    t.Click(TPressGrid::At((R.Left + R.Right) / 2, R.Top + 5));
    EXPECT_EQ(clicked, std::vector<int>{2});
}

TEST(MousePress, LinksGoToTheirCellOrOpenOutside)
{
    TPressGrid t;
    t.g->SetURLShow(true);
    TRecordingShellOpener opener;
    SetShellOpener(&opener);
    t.g->SetCells(1, 1, QStringLiteral("cell://R3C2"));
    t.g->SetCells(1, 2, QStringLiteral("CELL://nowhere"));
    t.g->SetCells(1, 4, QStringLiteral("https://example.invalid/page"));
    t.Click(t.Mid(1, 1));
    EXPECT_EQ(t.g->Col(), 2);
    EXPECT_EQ(t.g->Row(), 3);
    t.Click(t.Mid(1, 2));
    EXPECT_EQ(t.g->Row(), 3) << "a reference that does not parse does nothing";
    bool handled = false;
    t.g->OnAnchorClick = [&](TObject*, int, int, const QString&, bool& h) { h = handled; };
    t.Click(t.Mid(1, 4));
    EXPECT_TRUE(opener.Opened.isEmpty()) << "the handler kept it";
    handled = true;
    t.Click(t.Mid(1, 4));
    SetShellOpener(nullptr);
    EXPECT_EQ(opener.Opened, QStringList{QStringLiteral("https://example.invalid/page")});
}

TEST(MousePress, ARadioGroupPicksTheItemUnderThePress)
{
    TPressGrid t;
    t.g->SetRowHeights(2, 60);
    TStrings* items = t.g->CreateRadio(2, 2, 0, 0);
    for (const char* s : {"one", "two", "three"}) items->Add(QString::fromLatin1(s));
    int picked = -1;
    t.g->OnRadioClick = [&](TObject*, int, int, int i) { picked = i; };
    const TRect R = t.g->CellRect(2, 2);
    const int itemHeight = std::max(16, QFontMetrics(t.g->GetCellFont(2, 2)->ToQFont()).height());
    t.Click(TPressGrid::At(R.Left + 10, R.Top + itemHeight + itemHeight / 2));
    EXPECT_EQ(picked, 1);
    int idx = -1;
    EXPECT_TRUE(t.g->GetRadioIdx(2, 2, idx));
    EXPECT_EQ(idx, 1);
}

TEST(MousePress, ADoubleClickOnTheFirstColumnsLeftBorderFallsThroughToTheCell)
{
    TPressGrid t;
    int cellCol = -1;
    t.g->OnDblClickCell = [&](TObject*, int, int c) { cellCol = c; };
    const TRect R = t.g->CellRect(1, 0);
    t.g->Perform(WM_LBUTTONDBLCLK, 0, TPressGrid::At(R.Left + 1, R.Top + 5));
    EXPECT_EQ(cellCol, 1) << "no column left of the first normal one to fit";
}

TEST(MousePress, CtrlClicksBuildADisjunctCellSelection)
{
    TPressGrid t;
    t.form.Show();
    QApplication::setActiveWindow(&t.form);
    t.g->SetOptions(t.g->Options() - TGridOptions(goEditing));
    t.g->MouseActions()->SetDisjunctCellSelect(true);
    auto click = [&](int c, int r, Qt::KeyboardModifiers mods) {
        const TRect R = t.g->CellRect(c, r);
        const TPoint o = t.g->ClientOrigin();
        QTest::mouseClick(t.g, Qt::LeftButton, mods, QPoint(o.X + (R.Left + R.Right) / 2, o.Y + R.Top + 5));
    };
    click(1, 1, {});
    click(3, 2, Qt::ControlModifier);
    EXPECT_EQ(t.g->SelectedCellsCount(), 2);
    EXPECT_TRUE(t.g->SelectedCells(1, 1));
    EXPECT_TRUE(t.g->SelectedCells(3, 2));
    click(3, 2, Qt::ControlModifier);
    EXPECT_FALSE(t.g->SelectedCells(3, 2)) << "Ctrl toggles";
    EXPECT_TRUE(t.g->SelectedCells(1, 1));
    click(2, 4, {});
    EXPECT_EQ(t.g->SelectedCellsCount(), 1) << "a plain click starts again";
    EXPECT_TRUE(t.g->SelectedCells(2, 4));
    t.form.Hide();
}

TEST(MousePress, EachClickFiresOnClickOnceAndASizingGrabNone)
{
    struct Case { int col, row; bool border; int clicks; };
    for (Case k : {Case{2, 2, false, 1}, Case{2, 0, false, 1}, Case{2, 0, true, 0}, Case{0, 2, false, 1}}) {
        TPressGrid t;
        int clicks = 0;
        t.g->OnClick = [&](TObject*) { ++clicks; };
        const TRect R = t.g->CellRect(k.col, k.row);
        t.Click(TPressGrid::At(k.border ? R.Right - 1 : R.Left + 10, R.Top + 5));
        EXPECT_EQ(clicks, k.clicks) << k.col << "," << k.row << (k.border ? " border" : "");
    }
}

TEST(MousePress, TheHeaderDropDownButtonAsksForItsMenuExceptInTheSizingEdge)
{
    struct Case { int fromRight; bool sizing; bool asked; };
    for (Case k : {Case{8, true, true}, Case{1, true, false}, Case{1, false, true}}) {
        TPressGrid t;
        if (!k.sizing) t.g->SetOptions(t.g->Options() - TGridOptions(goColSizing));
        t.g->SetHoverFixedCells(hfFixedRows);
        t.g->ControlLook()->SetFixedDropDownButton(true);
        int asked = -1;
        t.g->OnFixedDropDownClick = [&](TObject*, int c, int, TPopupMenu*& menu, bool& keep) {
            asked = c;
            menu = nullptr;
            keep = false;
        };
        const TRect R = t.g->CellRect(2, 0);
        t.Click(TPressGrid::At(R.Right - k.fromRight, R.Top + 5));
        EXPECT_EQ(asked, k.asked ? 2 : -1) << k.fromRight << " " << k.sizing;
    }
}

TEST(MousePress, ARefusedColumnSizeStartsNoSizing)
{
    for (bool allow : {true, false}) {
        TPressGrid t;
        t.g->OnColumnSize = [&](TObject*, int, bool& ok) { ok = allow; };
        const TRect R = t.g->CellRect(2, 0);
        t.g->Perform(WM_LBUTTONDOWN, 0, TPressGrid::At(R.Right, R.Top + 5));
        EXPECT_EQ(t.g->GridState(), allow ? gsColSizing : gsNormal) << allow;
        t.g->Perform(WM_LBUTTONUP, 0, TPressGrid::At(R.Right, R.Top + 5));
    }
}

TEST(MousePress, HeaderCellsOpenTheirEditorByClickButNotOnASizingBorder)
{
    struct Case { TGridFixedCellEdit mode; bool right; int dx; bool opens; };
    const Case cases[] = {{fceLeftClick, false, 20, true}, {fceLeftClick, false, -2, false},
                          {fceRightClick, true, -2, true}, {fceRightClick, false, 20, false}};
    for (const Case& k : cases) {
        TPressGrid t;
        t.g->MouseActions()->SetFixedRowsEdit(k.mode);
        const TRect R = t.g->CellRect(2, 0);
        const LPARAM p = TPressGrid::At(k.dx > 0 ? R.Left + k.dx : R.Right + k.dx, R.Top + 5);
        t.g->Perform(k.right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, p);
        t.g->Perform(k.right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, p);
        EXPECT_EQ(t.g->FixedColEdit() == 2, k.opens) << k.mode << " " << k.dx;
    }
}

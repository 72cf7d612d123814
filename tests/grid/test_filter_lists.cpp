// The grid's filter lists: closing on a click outside, and reporting the choice.
#include "grid/grid_chrome.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>
#include <gtest/gtest.h>

namespace {
struct TListHost {
    TListHost()
    {
        Form.SetBounds(0, 0, 400, 300);
        Grid = new TKvStringGrid(&Form);
        Grid->SetParent(&Form);
        Grid->SetBounds(0, 0, 400, 300);
        Form.Show();
        QApplication::processEvents();
    }
    void Open(TCustomListBox* l)
    {
        l->SetParent(Grid);
        l->Items()->Add(QStringLiteral("Pump"));
        l->Items()->Add(QStringLiteral("Valve"));
        l->SetBounds(50, 40, 120, 80);
        l->Show();
        Grid->SetOpenFilterCol(2);
        QApplication::processEvents();
    }
    TForm Form;
    TKvStringGrid* Grid;
};
} // namespace

TEST(FilterLists, AClickOutsideClosesEitherListAndResetsTheOpenColumn)
{
    TListHost h;
    for (TCustomListBox* l : {static_cast<TCustomListBox*>(h.Grid->FilterDropList()),
                              static_cast<TCustomListBox*>(h.Grid->FilterCheckList())}) {
        h.Open(l);
        QTest::mouseClick(l->List()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_TRUE(l->Visible() || l == h.Grid->FilterDropList()) << "a click inside keeps the check list open";
        if (!l->Visible()) h.Open(l);
        EXPECT_EQ(h.Grid->OpenFilterCol(), 2);
        QTest::mouseClick(h.Grid, Qt::LeftButton, {}, QPoint(300, 250));
        EXPECT_FALSE(l->Visible());
        EXPECT_EQ(h.Grid->OpenFilterCol(), -1);
    }
}

TEST(FilterLists, ReturnAndReleaseReportTheItem)
{
    TListHost h;
    TDropList* l = h.Grid->FilterDropList();
    std::vector<int> got;
    l->OnSelect = [&](TObject*, int i) { got.push_back(i); };
    h.Open(l);
    l->SetItemIndex(1);
    WORD ret = VK_RETURN;
    l->Perform(WM_KEYDOWN, ret, 0);
    EXPECT_FALSE(l->Visible());
    h.Open(l);
    l->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(5u, 5u));
    l->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5u, 5u));
    EXPECT_FALSE(l->Visible());
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], 1);
    // A check in the check list reports -1 and leaves it open.
    TDropCheckList* c = h.Grid->FilterCheckList();
    std::vector<int> checks;
    c->OnSelect = [&](TObject*, int i) { checks.push_back(i); };
    h.Open(c);
    c->OnClickCheck(c);
    EXPECT_EQ(checks, std::vector<int>{-1});
    EXPECT_TRUE(c->Visible());
}

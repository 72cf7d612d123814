// The popup's header and footer panels, and the popup used end to end with them.
#include "dropdown_test_support.h"

#include "dropdown/dropdown_draw.h"
#include "dropdown/kv_header.h"
#include "platform/core/exceptions.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {
TColor PixelAt(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }
} // namespace

TEST(DropDownPanels, DbgListChecksItsUpperBound)
{
    TDbgList l;
    int a = 1, b = 2, c = 3;
    l.Add(&a);
    l.Add(&b);
    l.Add(&c);
    EXPECT_EQ(l.GetItemsEx(2), &c);
    try {
        l.GetItemsEx(3);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Index out of bounds in list read access"));
    }
    try {
        l.SetItemsEx(3, &a);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Index out of bounds in list write access"));
    }
    TDbgList copy;
    copy.Add(&c);
    copy.AssignList(&l);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.GetItemsEx(0), &a);
}

TEST(DropDownPanels, AHiddenAppearanceMakesNoPanelAndShowingItWhileOpenBuildsIt)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->ShowDropDown();
    TDropDownForm* f = e->DropDownForm();
    EXPECT_EQ(f->Header(), nullptr);
    EXPECT_EQ(f->Footer(), nullptr);
    e->DropDownHeader()->SetVisible(true);
    ASSERT_NE(f->Header(), nullptr) << "made at once through the change notice";
    EXPECT_TRUE(f->Header()->Visible());
    EXPECT_EQ(f->Header()->Align(), alTop);
    e->DropDownHeader()->SetVisible(false);
    EXPECT_FALSE(f->Header()->Visible()) << "only hidden";
}

TEST(DropDownPanels, DefaultHeaderLook)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->DropDownHeader()->SetVisible(true);
    e->SetComponentStyle(tsCustom);
    // The default appearance's colours, not the style's.
    THeaderAppearance fresh(nullptr);
    e->DropDownHeader()->Assign(&fresh);
    e->DropDownHeader()->SetCaption(QStringLiteral("Pick"));
    e->SetDropDownBorderWidth(0);
    e->ShowDropDown();
    TKvHeader* hd = e->DropDownForm()->Header();
    ASSERT_NE(hd, nullptr);
    EXPECT_EQ(hd->Height(), 22);
    const QImage img = hd->grab().toImage();
    const int w = img.width();
    EXPECT_EQ(PixelAt(img, w / 2, 21), TColor(0x000000)) << "black bottom line";
    // Without a popup border the other sides are drawn too, and the light inner
    // rectangle goes over the same outer pixels, down to the bottom line.
    EXPECT_EQ(PixelAt(img, 0, 10), BlendColor(0x000000, clWhite, 20));
    EXPECT_EQ(PixelAt(img, w / 2, 0), BlendColor(0x000000, clWhite, 20));
    const QColor top = img.pixelColor(w - 5, 3), low = img.pixelColor(w - 5, 18);
    EXPECT_LT(top.red(), low.red()) << "vertical gradient from silver to white";
    // With OnDrawBackGround only the handler paints.
    int draws = 0;
    e->OnDrawHeader = [&](TObject*, TCanvas* c, const TRect& r) {
        ++draws;
        c->Brush()->SetColor(0x00FF00);
        c->FillRect(r);
    };
    e->HideDropDown(false);
    e->ShowDropDown();
    const QImage own = hd->grab().toImage();
    EXPECT_GT(draws, 0);
    EXPECT_EQ(PixelAt(own, 30, 10), TColor(0x00FF00));
    EXPECT_EQ(PixelAt(own, w / 2, 21), TColor(0x00FF00)) << "no border, image or caption";
}

TEST(DropDownPanels, ButtonsAreArrangedByAlignment)
{
    for (TButtonAlignment al : {baRight, baLeft}) {
        TDropDownHost h(0, 20, 20, false, true);
        TTestDropDown* e = h.Edit;
        e->SetDropDownWidth(300);
        for (const char* c : {"One", "Two", "Three"}) e->DropDownHeader()->Buttons()->Add()->SetCaption(QString::fromUtf8(c));
        e->DropDownHeader()->Buttons()->Items(1)->SetWidth(40);
        e->DropDownHeader()->SetButtonAlignment(al);
        e->ShowDropDown();
        TKvHeader* hd = e->DropDownForm()->Header();
        ASSERT_EQ(hd->ButtonCount(), 3);
        TKvButton* b0 = hd->PanelButton(0);
        TKvButton* b1 = hd->PanelButton(1);
        TKvButton* b2 = hd->PanelButton(2);
        EXPECT_EQ(b1->Width(), 40);
        EXPECT_EQ(b0->Text(), QStringLiteral("One"));
        if (al == baRight) {
            EXPECT_EQ(b0->Left() + b0->Width(), hd->Width() - 2) << "first item rightmost";
            EXPECT_EQ(b1->Left() + b1->Width(), b0->Left());
            EXPECT_EQ(b2->Left() + b2->Width(), b1->Left());
        } else {
            EXPECT_EQ(b0->Left(), 2);
            EXPECT_EQ(b1->Left(), b0->Left() + b0->Width());
            EXPECT_EQ(b2->Left(), b1->Left() + b1->Width());
        }
        std::vector<int> clicked;
        e->OnDropDownHeaderButtonClick = [&](TObject* s, int i) { EXPECT_EQ(s, e); clicked.push_back(i); };
        ClickWidget(b2);
        EXPECT_EQ(clicked, std::vector<int>{2});
    }
}

TEST(DropDownPanels, FooterGripOnlyForASizeablePopup)
{
    for (bool sizeable : {true, false}) {
        TDropDownHost h(0, 20, 20, false, true);
        TTestDropDown* e = h.Edit;
        e->SetDropDownSizeable(sizeable);
        e->DropDownFooter()->Buttons()->Add()->SetCaption(QStringLiteral("OK"));
        e->ShowDropDown();
        TKvFooter* ft = e->DropDownForm()->Footer();
        ASSERT_NE(ft, nullptr);
        EXPECT_EQ(ft->GripShows(), sizeable);
        TKvButton* ok = ft->PanelButton(0);
        EXPECT_EQ(ok->Left() + ok->Width(), ft->Width() - (sizeable ? 14 : 2));
        const int w = e->DropDownForm()->Width();
        TDropDownForm* f = e->DropDownForm();
        QTest::mousePress(ft, Qt::LeftButton, Qt::NoModifier, QPoint(ft->Width() - 3, ft->Height() - 3));
        // The form follows the mouse from here (it holds the mouse).
        const QPoint to = ft->mapTo(f, QPoint(ft->Width() + 27, ft->Height() - 3));
        f->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(unsigned(to.x()), unsigned(to.y())));
        f->Perform(WM_LBUTTONUP, 0, MAKELPARAM(unsigned(to.x()), unsigned(to.y())));
        EXPECT_FALSE(f->SizeTracking());
        if (sizeable) EXPECT_EQ(e->DropDownForm()->Width(), w + 30) << "the corner sizes the popup";
        else EXPECT_EQ(e->DropDownForm()->Width(), w) << "presses in the corner are ignored";
        EXPECT_EQ(Screen->Cursor(), crDefault);
    }
}

TEST(DropDownEndToEnd, HeaderFooterAndGripWrittenOut)
{
    TScreenLayoutScope screen({{TRect(0, 0, 800, 600), TRect(0, 0, 800, 560), true}});
    TDropDownHost h(100, 20, 20, false, true);
    TTestDropDown* e = h.Edit;
    e->DropDownHeader()->SetCaption(QStringLiteral("<b>Choose</b> a value"));
    e->DropDownHeader()->Buttons()->Add()->SetCaption(QStringLiteral("A"));
    e->DropDownHeader()->Buttons()->Add()->SetCaption(QStringLiteral("B"));
    auto* okItem = e->DropDownFooter()->Buttons()->Add();
    okItem->SetCaption(QStringLiteral("OK"));
    okItem->SetModalResult(mrOk);
    auto* cancelItem = e->DropDownFooter()->Buttons()->Add();
    cancelItem->SetCaption(QStringLiteral("Cancel"));
    cancelItem->SetModalResult(mrCancel);
    e->DropDownFooter()->SetButtonAlignment(baLeft);
    e->SetText(QStringLiteral("start"));
    Mouse->SetCursorPos(TPoint(700, 500));
    ClickWidget(Arrow(e));
    QApplication::processEvents();
    ASSERT_TRUE(e->DroppedDown());
    TDropDownForm* f = e->DropDownForm();
    EXPECT_EQ(f->Top(), 120 + 25 - 1) << "opens below";
    EXPECT_EQ(f->Height(), 2 + 22 + 22 + 100);
    EXPECT_EQ(e->Panel->Top(), 1 + 22);
    e->SetTextDirect(QStringLiteral("chosen"));
    QApplication::processEvents();
    const QImage shot = f->grab().toImage();
    ASSERT_TRUE(shot.save(QStringLiteral(KV_TEST_BINARY_DIR) + QStringLiteral("/dropdown_header_footer.png")));
    TKvFooter* ft = f->Footer();
    ASSERT_EQ(ft->ButtonCount(), 2);
    ClickWidget(ft->PanelButton(0));
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->Text(), QStringLiteral("chosen")) << "OK keeps the text";
    h.Clock.Advance(1000);
    ClickWidget(Arrow(e));
    QApplication::processEvents();
    ASSERT_TRUE(e->DroppedDown());
    EXPECT_EQ(ft->ButtonCount(), 2) << "buttons rebuilt at every opening";
    e->SetTextDirect(QStringLiteral("dropped"));
    ClickWidget(ft->PanelButton(1));
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->Text(), QStringLiteral("start")) << "Cancel restores it";
}

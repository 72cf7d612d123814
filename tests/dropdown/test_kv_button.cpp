// The popup panel button, and a drop-down editor used end to end.
#include "dropdown_test_support.h"

#include "dropdown/kv_button.h"
#include "platform/ui/drawing.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {
TColor PixelAt(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

struct TButtonHost {
    TButtonHost()
    {
        Form.SetBounds(0, 0, 300, 100);
        Panel = new TPanel(&Form);
        Panel->SetParent(&Form);
        Panel->SetBounds(0, 0, 300, 100);
        Panel->SetBevelOuter(bvNone);
        Panel->SetColor(0x0000FF);
        for (int i = 0; i < 2; ++i) {
            B[i] = new TKvButton(Panel);
            B[i]->SetParent(Panel);
            B[i]->SetBounds(10 + 60 * i, 10, 50, 22);
            B[i]->SetAppearance(&Look);
            B[i]->OnClick = [this](TObject*) { ++Clicks; };
        }
        Mouse->SetCursorPos(TPoint(700, 500)); // away from the buttons
        Form.Show();
        QApplication::processEvents();
    }
    TForm Form;
    TPanel* Panel;
    TKvButtonAppearance Look;
    TKvButton* B[2];
    int Clicks = 0;
};
} // namespace

TEST(KvButton, AtRestOnlyTheParentAndTheCaptionShow)
{
    TButtonHost h;
    h.B[0]->SetText(QStringLiteral("OK"));
    const QImage img = h.B[0]->grab().toImage();
    EXPECT_EQ(PixelAt(img, 1, 1), TColor(0x0000FF)) << "the parent's colour under a face without colour";
    EXPECT_EQ(PixelAt(img, 0, 0), TColor(0x0000FF)) << "and no border";
    // Hot: one colour, the end colour is not painted.
    h.B[1]->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(h.B[1]->MouseInControl());
    EXPECT_TRUE(h.B[1]->UnHotTimer()->Enabled());
    const QImage hot = h.B[1]->grab().toImage();
    EXPECT_EQ(PixelAt(hot, 5, 3), TColor(0xF5F0E1));
    EXPECT_EQ(PixelAt(hot, 5, 18), TColor(0xF5F0E1));
    EXPECT_EQ(PixelAt(hot, 0, 10), TColor(0x808080)) << "hot border";
    // A button without appearance draws only the background.
    TKvButton bare(h.Panel);
    bare.SetParent(h.Panel);
    bare.SetBounds(200, 10, 30, 20);
    EXPECT_EQ(PixelAt(bare.grab().toImage(), 5, 5), TColor(0x0000FF));
}

TEST(KvButton, TheUnHotTimerCatchesAMissedLeave)
{
    TButtonHost h;
    TKvButton* b = h.B[0];
    b->Perform(CM_MOUSEENTER);
    Mouse->SetCursorPos(b->ClientToScreen(TPoint(5, 5)));
    b->UnHotTimer()->Tick();
    EXPECT_TRUE(b->MouseInControl()) << "the cursor is still over it";
    Mouse->SetCursorPos(b->ClientToScreen(TPoint(200, 80)));
    b->UnHotTimer()->Tick();
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_FALSE(b->UnHotTimer()->Enabled());
}

TEST(KvButton, GroupsDownAndCheckButtons)
{
    struct Row { const char* Name; int Group; bool AllowAllUp; TKvButtonStyle Style; bool FirstDownAfter, SecondDownAfter; };
    // First press button 0, then button 1, then button 1 again.
    const Row rows[] = {
        {"ungrouped buttons never stay down", 0, false, tasButton, false, false},
        {"a group releases the other", 1, false, tasButton, false, true},
        {"a group with all up allowed", 1, true, tasButton, false, false},
        {"check buttons toggle on their own", 0, false, tasCheck, true, false},
    };
    for (const Row& r : rows) {
        TButtonHost h;
        for (TKvButton* b : h.B) {
            b->SetGroupIndex(r.Group);
            b->SetAllowAllUp(r.AllowAllUp);
            b->SetStyle(r.Style);
        }
        ClickWidget(h.B[0]);
        ClickWidget(h.B[1]);
        ClickWidget(h.B[1]);
        EXPECT_EQ(h.B[0]->Down(), r.FirstDownAfter) << r.Name;
        EXPECT_EQ(h.B[1]->Down(), r.SecondDownAfter) << r.Name;
        EXPECT_EQ(h.Clicks, 3) << r.Name;
    }
    TButtonHost h;
    h.B[0]->SetDown(true);
    EXPECT_FALSE(h.B[0]->Down()) << "an ungrouped push button cannot be down";
    h.B[0]->SetGroupIndex(2);
    h.B[0]->SetDown(true);
    h.B[0]->SetDown(false);
    EXPECT_TRUE(h.B[0]->Down()) << "without AllowAllUp it is not released by itself";
    EXPECT_EQ(h.B[0]->State(), 4);
}

TEST(KvButton, AutoSizeFitsCaptionAndImage)
{
    TButtonHost h;
    TKvButton* b = h.B[0];
    b->SetText(QStringLiteral("Cancel"));
    b->AutoSizeButton();
    TCanvas probe;
    probe.SetFont(*h.Look.Font());
    TRect r(0, 0, 1000, 500);
    DrawText(&probe, QStringLiteral("Cancel"), r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(b->Width(), r.Right + 8);
    EXPECT_EQ(b->Height(), r.Bottom + 4);
    TImageList images(16, 40);
    QImage img(16, 40, QImage::Format_ARGB32);
    img.fill(Qt::green);
    images.AddImage(img);
    b->SetImages(&images);
    b->SetImageIndex(0);
    b->AutoSizeButton();
    EXPECT_EQ(b->Height(), 44);
}

// ---------------------------------------------------------------- end to end
TEST(DropDownEndToEnd, OkKeepsCancelRestoresAndTheOpenPopupIsWrittenOut)
{
    TDropDownHost h(100, 20, 20);
    TTestDropDown* e = h.Edit;
    e->SetText(QStringLiteral("start"));
    e->ShowDropDown(); // builds the content once
    e->HideDropDown(false);
    TKvButton* ok = new TKvButton(e->Panel);
    ok->SetParent(e->Panel);
    ok->SetText(QStringLiteral("OK"));
    ok->SetModalResult(mrOk);
    ok->SetBounds(20, 70, 50, 22);
    TKvButton* cancel = new TKvButton(e->Panel);
    cancel->SetParent(e->Panel);
    cancel->SetText(QStringLiteral("Cancel"));
    cancel->SetModalResult(mrCancel);
    cancel->SetBounds(90, 70, 60, 22);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    for (TKvButton* b : {ok, cancel}) {
        b->SetAppearance(e->ButtonAppearance());
        b->SetDropDown(e);
    }
    h.Clock.Advance(1000);
    QApplication::processEvents();
    ClickWidget(Arrow(e));
    QApplication::processEvents();
    ASSERT_TRUE(e->DroppedDown());
    TDropDownForm* f = e->DropDownForm();
    EXPECT_EQ(f->Top(), 120 + 25 - 1) << "opens below";
    EXPECT_EQ(f->Left(), 20);
    e->SetTextDirect(QStringLiteral("chosen"));
    QApplication::processEvents();
    const QImage shot = f->grab().toImage();
    const QString path = QStringLiteral(KV_TEST_BINARY_DIR) + QStringLiteral("/dropdown_open_popup.png");
    ASSERT_TRUE(shot.save(path));
    EXPECT_EQ(PixelAt(shot, 0, 0), ColorToRGB(clBtnFace)) << "the Luna style's popup has no border colour";
    EXPECT_EQ(PixelAt(shot, 2, 2), TColor(0xFFFFFF)) << "the content panel";
    ClickWidget(ok);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->Text(), QStringLiteral("chosen"));
    EXPECT_EQ(okClicks, 1);

    h.Clock.Advance(1000);
    ClickWidget(Arrow(e));
    ASSERT_TRUE(e->DroppedDown());
    e->SetTextDirect(QStringLiteral("dropped"));
    ClickWidget(cancel);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->Text(), QStringLiteral("start"));

    // Space on OK closes without cancelling and without OnClick.
    h.Clock.Advance(1000);
    e->ShowDropDown();
    e->SetTextDirect(QStringLiteral("by key"));
    WORD space = VK_SPACE;
    ok->Perform(WM_KEYDOWN, space, 0);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->Text(), QStringLiteral("by key"));
    EXPECT_EQ(okClicks, 1);
}

// The push button: faces of its states in the styles the windows use, clicks, dialog
// keys, caption shortening, presets and the fade.

#include "platform/ui/forms.h"
#include "platform/ui/menus.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>
#include "qt_print.h"

namespace {

// A button as the windows set it up: face 0xEDF7F8, yellow under the cursor, orange
// while pressed, gray frame.
struct ButtonFixture {
    TForm form;
    TLbButton* b;
    explicit ButtonFixture(TLbButtonStyle style, const QString& caption = QStringLiteral("Step"))
    {
        form.SetBounds(0, 0, 300, 200);
        b = new TLbButton(&form);
        b->SetParent(&form);
        b->SetBounds(10, 10, 110, 28);
        b->SetStyle(style);
        b->SetParentColor(false);
        b->SetColor(0xEDF7F8);
        b->SetHotTrackColor(clYellow);
        b->SetColorWhenDown(0x0080FF);
        b->SetLightColor(clGray);
        b->SetCaption(caption);
        form.Show();
    }
    QImage Face() { return b->Snapshot().convertToFormat(QImage::Format_RGB32); }
};

QRgb Rgb(TColor c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Darkest pixel of the caption area: tells black text from gray text.
int Darkest(const QImage& img)
{
    int darkest = 255;
    for (int y = 4; y < img.height() - 4; ++y)
        for (int x = 4; x < img.width() - 4; ++x)
            darkest = std::min(darkest, qGray(img.pixel(x, y)));
    return darkest;
}

} // namespace

TEST(LbButton, FaceColourFollowsTheStateInBothStylesInUse)
{
    for (TLbButtonStyle style : {bsEncarta, bsNormal}) {
        SCOPED_TRACE(style == bsEncarta ? "bsEncarta" : "bsNormal");
        ButtonFixture f(style);
        QImage img = f.Face();
        EXPECT_EQ(img.pixel(55, 3), Rgb(0xEDF7F8)) << "idle";
        EXPECT_EQ(img.pixel(0, 0), Rgb(clGray)) << "frame";
        EXPECT_LT(Darkest(img), 0x40) << "caption in the font colour";

        f.b->Perform(CM_MOUSEENTER);
        EXPECT_TRUE(f.b->CursorOnButton());
        EXPECT_EQ(f.Face().pixel(55, 3), Rgb(clYellow)) << "hot";

        QTest::mousePress(f.b, Qt::LeftButton, {}, QPoint(20, 10));
        EXPECT_TRUE(f.b->IsDown());
        EXPECT_EQ(f.Face().pixel(55, 3), Rgb(0x0080FF)) << "down";
        QTest::mouseRelease(f.b, Qt::LeftButton, {}, QPoint(20, 10));
        EXPECT_FALSE(f.b->IsDown());

        f.b->Perform(CM_MOUSELEAVE);
        EXPECT_EQ(f.Face().pixel(55, 3), Rgb(0xEDF7F8)) << "back at once without fading";

        f.b->SetEnabled(false);
        f.b->Perform(CM_MOUSEENTER);
        EXPECT_FALSE(f.b->CursorOnButton()) << "a disabled button ignores the cursor";
        img = f.Face();
        EXPECT_EQ(img.pixel(55, 3), Rgb(0xEDF7F8)) << "disabled";
        EXPECT_GE(Darkest(img), 0x60) << "disabled caption is gray";
    }
}

TEST(LbButton, PressedEncartaCaptionIsBoldAndNormalShiftsByOnePixel)
{
    // Same caption, drawn up and down, on a recording canvas: bsEncarta keeps its
    // place and turns bold, bsNormal moves right and down by one.
    auto textOp = [](TLbButtonStyle style, bool down, bool* bold) {
        TRecordingCanvas c;
        TFont font;
        DrawButton(&c, 110, 28, 0, 0, nullptr, down, false, true, false, false, false, style, 0xEDF7F8,
                   0x0080FF, clYellow, clGray, clGray, &font, blGlyphLeft, QStringLiteral("Go"), taCenter);
        *bold = c.Font()->Style().Contains(fsBold);
        return c.OpsOf(QStringLiteral("TextOut")).at(0);
    };
    bool bold = false;
    const auto encUp = textOp(bsEncarta, false, &bold);
    EXPECT_FALSE(bold);
    const auto encDown = textOp(bsEncarta, true, &bold);
    EXPECT_TRUE(bold);
    EXPECT_EQ(encDown.Y, encUp.Y);
    const auto norUp = textOp(bsNormal, false, &bold);
    const auto norDown = textOp(bsNormal, true, &bold);
    EXPECT_FALSE(bold);
    EXPECT_EQ(norDown.X, norUp.X + 1);
    EXPECT_EQ(norDown.Y, norUp.Y + 1);
}

TEST(LbButton, ClickRunsOnClickThenHandsTheModalResultToTheForm)
{
    ButtonFixture f(bsEncarta, QStringLiteral("Cancel"));
    f.b->SetModalResult(mrCancel);
    int seen = -1;
    f.b->OnClick = [&](TObject*) { seen = f.form.ModalResult(); };
    QTest::mousePress(f.b, Qt::LeftButton, {}, QPoint(5, 5));
    // Released outside the button: still a click, the button holds the mouse.
    QTest::mouseRelease(f.b, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(seen, mrNone);
    EXPECT_EQ(f.form.ModalResult(), mrCancel);

    // A disabled button never clicks.
    f.form.SetModalResult(mrNone);
    seen = -1;
    f.b->SetEnabled(false);
    QTest::mouseClick(f.b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(seen, -1);
}

TEST(LbButton, DefaultAndCancelKeysFireUnlessAnotherButtonHasTheFocus)
{
    TForm form;
    form.SetBounds(0, 0, 300, 200);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 100, 21);
    auto* ok = new TLbButton(&form);
    ok->SetParent(&form);
    ok->SetBounds(10, 50, 80, 24);
    ok->SetCaption(QStringLiteral("&Apply"));
    ok->SetDefault(true);
    auto* cancel = new TLbButton(&form);
    cancel->SetParent(&form);
    cancel->SetBounds(100, 50, 80, 24);
    cancel->SetCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    form.Show();
    form.activateWindow();

    edit->SetFocus();
    QTest::keyClick(edit->LineEdit(), Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    QTest::keyClick(edit->LineEdit(), Qt::Key_Escape);
    EXPECT_EQ(cancelClicks, 1);
    // The accelerator letter of "&Apply".
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'a'), 1);
    EXPECT_EQ(okClicks, 2);

    // Return on the focused Cancel button presses that button, not the default one.
    cancel->SetFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_EQ(okClicks, 2);
    EXPECT_EQ(cancelClicks, 2);
    // A lone release (its press closed a message box elsewhere) does not click.
    QTest::keyRelease(cancel, Qt::Key_Return);
    QTest::keyRelease(cancel, Qt::Key_Space);
    EXPECT_EQ(cancelClicks, 2);
    QTest::keyClick(cancel, Qt::Key_Space);
    EXPECT_EQ(cancelClicks, 3);
}

TEST(LbButton, CaptionIsShortenedFromItsEndUnlessWordWrapIsOn)
{
    struct Case {
        const char* what;
        int width;
        int numGlyphs;
        bool wordWrap;
        QString expected;
    };
    // Recording canvas: every character is 7 pixels wide. Text room = W - 8, minus the
    // glyph and 4 pixels beside it.
    const Case cases[] = {
        {"fits", 100, 0, false, QStringLiteral("ABCDEFGHIJ")},
        {"room for 7", 60, 0, false, QStringLiteral("ABCDEFG")},
        {"glyph takes 20", 60, 1, false, QStringLiteral("ABCD")},
        {"no room", 8, 0, false, QString()},
    };
    TBitmap glyph(16, 16);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TRecordingCanvas canvas;
        TFont font;
        DrawButton(&canvas, c.width, 28, 0, c.numGlyphs, &glyph, false, false, true, false, c.wordWrap, false,
                   bsEncarta, 0xEDF7F8, clNone, clNone, clGray, clGray, &font, blGlyphLeft,
                   QStringLiteral("ABCDEFGHIJ"), taLeftJustify);
        QString drawn;
        for (const auto& op : canvas.OpsOf(QStringLiteral("TextOut")))
            drawn += op.Text;
        EXPECT_EQ(drawn, c.expected);
    }
    // Word wrap keeps every character, on more lines.
    TRecordingCanvas canvas;
    TFont font;
    DrawButton(&canvas, 60, 60, 0, 0, nullptr, false, false, true, false, true, false, bsEncarta, 0xEDF7F8,
               clNone, clNone, clGray, clGray, &font, blGlyphLeft, QStringLiteral("ABCD EFGH IJ"), taLeftJustify);
    const auto lines = canvas.OpsOf(QStringLiteral("TextOut"));
    QString all;
    for (const auto& op : lines)
        all += op.Text;
    EXPECT_GT(lines.size(), 1u);
    EXPECT_EQ(all.remove(QLatin1Char(' ')), QStringLiteral("ABCDEFGHIJ"));
}

TEST(LbButton, PresetsAndTheirReadBack)
{
    TForm form;
    auto* b = new TLbButton(&form);
    EXPECT_EQ(b->Width(), 100);
    EXPECT_EQ(b->Height(), 23);
    EXPECT_EQ(b->LightColor(), clWhite);
    EXPECT_EQ(b->ShadowColor(), clGray);

    b->SetKind(bkCancel);
    EXPECT_EQ(b->Kind(), bkCancel);
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->ModalResult(), mrCancel);
    EXPECT_EQ(b->Caption(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(b->Glyph()->Width(), 36);
    b->SetModalResult(mrOk);
    EXPECT_EQ(b->Kind(), bkCustom);

    b->SetColorStyle(lcsGold);
    EXPECT_EQ(b->ColorStyle(), lcsCustom);
    EXPECT_EQ(b->Style(), bsModern);
    EXPECT_EQ(b->Color(), 0x00C0C0);
    EXPECT_EQ(b->HotTrackColor(), 0x00DFDF);
    EXPECT_EQ(b->ExStyle(), 0u) << "the preset leaves the window style alone";

    b->SetStyle(bsShape);
    EXPECT_EQ(b->ExStyle(), unsigned(WS_EX_TRANSPARENT));
    b->SetStyle(bsEncarta);
    EXPECT_EQ(b->ExStyle(), 0u);
}

TEST(LbButton, GlyphFrameFollowsTheState)
{
    // A two-frame strip: frame 0 red, frame 1 blue; the disabled face shows frame 1,
    // a one-frame glyph shows frame 0 even when disabled.
    QImage strip(20, 10, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 8; ++x) {
            strip.setPixel(x, y, qRgb(255, 0, 0));
            strip.setPixel(x + 10, y, qRgb(0, 0, 255));
        }
    TBitmap two;
    two.SetImage(strip);
    TBitmap one;
    one.SetImage(strip.copy(0, 0, 10, 10));
    auto glyphColour = [](TBitmap* g, int n, bool enabled) {
        TBitmap face(40, 20);
        TFont font;
        DrawButton(face.Canvas(), 40, 20, 0, n, g, false, false, enabled, false, false, false, bsEncarta,
                   0xEDF7F8, clNone, clNone, clGray, clGray, &font, blGlyphLeft, QString(), taLeftJustify);
        face.Canvas()->ReleasePainter();
        // Glyph at left 4 (left-aligned), top (20 - 10) div 2 = 5; its centre:
        return face.Image().pixel(4 + 5, 5 + 5) & 0xFFFFFF;
    };
    EXPECT_EQ(glyphColour(&two, 2, true), 0xFF0000u);
    EXPECT_EQ(glyphColour(&two, 2, false), 0x0000FFu);
    EXPECT_EQ(glyphColour(&one, 1, false), 0xFF0000u);
    // The key colour (bottom-left pixel) stays transparent: the face shows there.
    TBitmap face(40, 20);
    TFont font;
    DrawButton(face.Canvas(), 40, 20, 0, 2, &two, false, false, true, false, false, false, bsEncarta, 0xEDF7F8,
               clNone, clNone, clGray, clGray, &font, blGlyphLeft, QString(), taLeftJustify);
    face.Canvas()->ReleasePainter();
    EXPECT_EQ(face.Image().pixel(5, 6) & 0xFFFFFF, Rgb(0xEDF7F8) & 0xFFFFFF);
}

TEST(LbButton, SlowDeceaseFadesThroughEveryStepThenStops)
{
    EXPECT_EQ(BlendHotTrackColor(0xEDF7F8, clYellow, 8), clYellow);
    EXPECT_EQ(BlendHotTrackColor(0xEDF7F8, clYellow, 0), 0xEDF7F8);
    // s = 4: trunc(c/2 + h/2) per channel: R (0xF8 + 0xFF) / 2 = 251, G 251, B 0xED / 2 = 118.
    EXPECT_EQ(BlendHotTrackColor(0xEDF7F8, clYellow, 4), RGB(251, 251, 118));

    ButtonFixture f(bsEncarta);
    f.b->SetSlowDecease(true);
    ASSERT_NE(f.b->FadeThread(), nullptr);
    EXPECT_TRUE(f.b->FadeThread()->Suspended());
    f.b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(f.b->HotTrackStep(), 8);
    f.b->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(f.b->HotTrackStep(), 8) << "the fade starts from full colour";
    EXPECT_FALSE(f.b->FadeThread()->Suspended());

    std::vector<int> steps;
    for (int i = 0; i < 8; ++i) {
        f.b->FadeStep(f.b->FadeThread());
        steps.push_back(f.b->HotTrackStep());
    }
    EXPECT_EQ(steps, (std::vector<int>{7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_TRUE(f.b->FadeThread()->Suspended());
    EXPECT_EQ(f.Face().pixel(55, 3), Rgb(0xEDF7F8));

    // Through the 30 ms timer itself.
    f.b->Perform(CM_MOUSEENTER);
    f.b->Perform(CM_MOUSELEAVE);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.b->FadeThread()->Suspended(); }, 2000));
    EXPECT_EQ(f.b->HotTrackStep(), 0);

    f.b->SetSlowDecease(false);
    EXPECT_EQ(f.b->FadeThread(), nullptr);
}

TEST(LbButton, PopupMenuShowsItsArrowAndOpensBelowTheButton)
{
    struct TRecordingMenu : TPopupMenu {
        using TPopupMenu::TPopupMenu;
        std::vector<TPoint> At;
        void Popup(int x, int y) override { At.push_back(TPoint(x, y)); }
    };
    ButtonFixture f(bsEncarta, QString());
    auto* menu = new TRecordingMenu(&f.form);
    // Without a menu the arrow's place shows the face.
    const int ax = f.b->Width() - 11 + 2, ay = f.b->Height() / 2 - 1;
    EXPECT_EQ(f.Face().pixel(ax, ay), Rgb(0xEDF7F8));
    f.b->SetPopupMenu(menu);
    EXPECT_EQ(f.Face().pixel(ax, ay), qRgb(0, 0, 0));
    f.b->Click();
    ASSERT_EQ(menu->At.size(), 1u);
    EXPECT_EQ(menu->At[0], f.b->ClientToScreen(TPoint(0, f.b->Height())));
    EXPECT_EQ(menu->PopupComponent, f.b);
    delete menu;
    EXPECT_EQ(f.b->PopupMenu(), nullptr);
}

TEST(LbButton, AClickRunsOnClickAndTheModalResultBeforeTheLinkedAction)
{
    ButtonFixture f(bsEncarta);
    TAction a;
    a.SetCaption(QStringLiteral("&Apply"));
    std::vector<QString> order;
    a.OnExecute = [&](TObject*) { order.push_back(QStringLiteral("action %1").arg(f.form.ModalResult())); };
    f.b->OnClick = [&](TObject*) { order.push_back(QStringLiteral("click")); };
    f.b->SetModalResult(mrOk);
    f.b->SetAction(&a);
    EXPECT_EQ(f.b->Caption(), QStringLiteral("&Apply"));
    QTest::mouseClick(f.b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(order, (std::vector<QString>{QStringLiteral("click"), QStringLiteral("action 1")}));
    // The accelerator presses it too; a disabled action takes the button with it.
    f.b->Perform(CM_DIALOGCHAR, WPARAM('a'));
    EXPECT_EQ(order.size(), 4u);
    a.SetEnabled(false);
    EXPECT_FALSE(f.b->Enabled());
    QTest::mouseClick(f.b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(order.size(), 4u);
}

// The action's image becomes a one-frame glyph on the magenta key, only while the
// button has no glyph of its own and the index lies in the list.
TEST(LbButton, AnEmptyGlyphTakesTheActionsImage)
{
    QImage green(16, 16, QImage::Format_ARGB32);
    green.fill(QColor(0, 160, 0));
    QImage corner(16, 16, QImage::Format_ARGB32);
    corner.fill(Qt::transparent);
    corner.setPixel(3, 3, qRgb(0, 0, 200));
    TImageList images(16, 16);
    images.AddImage(green);
    images.AddImage(corner);
    struct TCase {
        const char* name;
        int index;
        bool ownGlyph;
        int numGlyphs;
        QRgb at33;
    };
    const TCase cases[] = {
        {"first image", 0, false, 1, qRgb(0, 160, 0)},
        {"key colour where the image is clear", 1, false, 1, qRgb(0, 0, 200)},
        {"index past the list", 2, false, 0, 0},
        {"no image", -1, false, 0, 0},
        {"the button's own glyph stays", 0, true, 1, qRgb(255, 0, 0)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f(bsEncarta);
        if (c.ownGlyph) {
            TBitmap own(8, 8);
            own.Canvas()->Brush()->SetColor(clRed);
            own.Canvas()->FillRect(TRect(0, 0, 8, 8));
            own.Canvas()->ReleasePainter();
            f.b->SetGlyph(&own);
        }
        TActionList list;
        list.SetImages(&images);
        TAction a;
        a.SetActionList(&list);
        a.SetImageIndex(c.index);
        f.b->SetAction(&a);
        EXPECT_EQ(f.b->NumGlyphs(), c.numGlyphs);
        if (c.numGlyphs == 0) {
            EXPECT_TRUE(f.b->Glyph()->Empty());
            continue;
        }
        EXPECT_EQ(f.b->Glyph()->Image().pixel(3, 3) & 0xFFFFFF, c.at33 & 0xFFFFFF);
        if (!c.ownGlyph) {
            EXPECT_EQ(f.b->Glyph()->Width(), 16);
            EXPECT_EQ(f.b->Glyph()->Image().pixel(10, 10) & 0xFFFFFF, c.index == 1 ? 0xFF00FFu : 0x00A000u);
        }
    }
}

TEST(LbButton, AnImageIndexSetLaterReachesTheButton)
{
    ButtonFixture f(bsEncarta);
    QImage blue(12, 12, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    TImageList images(12, 12);
    images.AddImage(blue);
    TActionList list;
    TAction a;
    a.SetActionList(&list);
    f.b->SetAction(&a);
    EXPECT_TRUE(f.b->Glyph()->Empty());
    list.SetImages(&images);
    EXPECT_TRUE(f.b->Glyph()->Empty()); // still no image index
    a.SetImageIndex(0);
    ASSERT_EQ(f.b->Glyph()->Width(), 12);
    EXPECT_EQ(f.b->Glyph()->Image().pixel(6, 6) & 0xFFFFFF, 0x0000FFu);
}

// The calculator key pad on its own: the default keys and their fixed layout,
// the shared border pixels, clicks through real mouse events, hot and pressed
// keys, disabled keys, custom placement, the key look and captions as drawn.
#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "dropdown/button_panel.h"
#include "platform/ui/forms.h"

namespace {

// A standalone pad whose key area is (8, 8, 220, 142).
struct PadFixture {
    TForm form;
    TCustomButtonPanel* pad;
    std::vector<int> clicks;
    PadFixture()
    {
        form.SetBounds(0, 0, 320, 240);
        pad = new TCustomButtonPanel(&form);
        pad->SetParent(&form);
        pad->SetBounds(0, 0, 228, 150);
        pad->SetColor(clWhite);
        pad->Loaded();
        pad->OnButtonClick = [this](TObject*, int i) { clicks.push_back(i); };
        form.Show();
    }
    TButtonItem* Key(int i) { return pad->Buttons()->Items(i); }
    QPoint Inside(int i) { return QPoint(Key(i)->Left() + 10, Key(i)->Top() + 10); }
};

} // namespace

TEST(ButtonPanel, DefaultKeysInCollectionOrder)
{
    PadFixture f;
    ASSERT_EQ(f.pad->Buttons()->Count(), 28);
    struct Row { int index; const char* caption; const char* name; int tag; bool special; };
    const Row rows[] = {
        {0, "", "BTN_ON", 30, false},  {1, "Back", "BTN_BACK", 31, true}, {3, "C", "BTN_C", 16, true},
        {7, "M+", "BTN_M+", 36, true}, {8, "0", "BTN_0", 0, false},       {15, "+/-", "BTN_+/-", 14, false},
        {16, ".", "BTN_.", 15, false}, {24, "=", "BTN_=", 17, true},      {25, "1/x", "BTN_1/x", 38, false},
        {26, "%", "BTN_%", 18, false}, {27, "sqrt", "BTN_sqrt", 37, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.index);
        TButtonItem* k = f.Key(r.index);
        EXPECT_EQ(k->Caption(), QString::fromLatin1(r.caption));
        EXPECT_EQ(k->Name(), QString::fromLatin1(r.name));
        EXPECT_EQ(k->Tag(), r.tag);
        EXPECT_EQ(k->Special(), r.special);
        EXPECT_EQ(k->CaptionColor(), r.special ? 0x000080 : 0xFFFFFF);
    }
}

TEST(ButtonPanel, FixedLayoutOfTheExampleArea)
{
    PadFixture f;
    TRect area;
    f.pad->GetButtonsRect(area);
    ASSERT_EQ(area, TRect(8, 8, 220, 142));
    // Columns 8, 46, 79, 112, 150, 183; rows 8, 38, 63, 88, 113; keys 34 x 26.
    struct Row { int index; int left; int top; int width; };
    const Row rows[] = {
        {0, 8, 8, 34},     {1, 46, 8, 54},    {2, 104, 8, 54},   {3, 162, 8, 55},
        {4, 8, 38, 34},    {7, 8, 113, 34},   {11, 46, 38, 34},  {8, 46, 113, 34},
        {12, 79, 38, 34},  {15, 79, 113, 34}, {19, 112, 38, 34}, {16, 112, 113, 34},
        {20, 150, 38, 34}, {23, 150, 113, 34}, {27, 183, 38, 34}, {26, 183, 63, 34},
        {25, 183, 88, 34}, {24, 183, 113, 34}, {13, 79, 63, 34},  {17, 112, 88, 34},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(f.Key(r.index)->GetRect(), Bounds(r.left, r.top, r.width, 26));
    }
    TRect out;
    f.pad->GetButtonRect(28, out);
    EXPECT_EQ(out, TRect(-1, -1, -1, -1));
}

TEST(ButtonPanel, SharedBorderPixelsBelongToTheEarlierKey)
{
    PadFixture f;
    // Key "7" (11) and key "8" (12) share column 79; key "4" (10) and "7" share row 63.
    EXPECT_EQ(f.pad->ButtonAtPos(79, 45), 11);
    EXPECT_EQ(f.pad->ButtonAtPos(80, 45), 12);
    EXPECT_EQ(f.pad->ButtonAtPos(50, 63), 10);
    EXPECT_EQ(f.pad->ButtonAtPos(50, 62), 11);
    EXPECT_EQ(f.pad->ButtonAtPos(43, 45), -1) << "gap after the memory column";
    EXPECT_EQ(f.pad->ButtonAtPos(2, 2), -1) << "margin";
}

TEST(ButtonPanel, ResizeLaysTheKeysOutAgain)
{
    PadFixture f;
    f.pad->SetBounds(0, 0, 300, 200);
    // Area (8, 8, 292, 192): W = (284 - 8) / 6 = 46, H = (184 - 4) / 5 = 36.
    EXPECT_EQ(f.Key(27)->GetRect(), Bounds(8 + 46 + 4 + 45 + 45 + 46 + 4 + 45, 8 + 36 + 4, 46, 36));
    EXPECT_EQ(f.Key(0)->GetRect(), Bounds(8, 8, 46, 36));
}

TEST(ButtonPanel, ClickNeedsPressAndReleaseOnTheSameKey)
{
    PadFixture f;
    QTest::mousePress(f.pad, Qt::LeftButton, {}, f.Inside(9));
    EXPECT_EQ(f.pad->ButtonDown(), 9);
    QTest::mouseRelease(f.pad, Qt::LeftButton, {}, f.Inside(14));
    EXPECT_TRUE(f.clicks.empty());
    EXPECT_EQ(f.pad->ButtonDown(), -1);

    QTest::mouseClick(f.pad, Qt::LeftButton, {}, f.Inside(23));
    EXPECT_EQ(f.clicks, std::vector<int>{23});
    EXPECT_EQ(f.pad->ButtonDown(), -1);

    // Released over no key: no click either.
    QTest::mousePress(f.pad, Qt::LeftButton, {}, f.Inside(1));
    QTest::mouseRelease(f.pad, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(f.clicks.size(), 1u);
}

TEST(ButtonPanel, HotKeyFollowsTheMouseAndDisabledKeysStayInert)
{
    PadFixture f;
    QTest::mouseMove(f.pad, f.Inside(17));
    EXPECT_EQ(f.pad->ButtonHot(), 17);
    QTest::mouseMove(f.pad, QPoint(2, 2));
    EXPECT_EQ(f.pad->ButtonHot(), -1);
    QTest::mouseMove(f.pad, f.Inside(17));
    f.pad->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(f.pad->ButtonHot(), -1);

    f.Key(5)->SetEnabled(false);
    QTest::mouseMove(f.pad, f.Inside(5));
    EXPECT_EQ(f.pad->ButtonHot(), -1);
    QTest::mouseClick(f.pad, Qt::LeftButton, {}, f.Inside(5));
    EXPECT_EQ(f.pad->ButtonDown(), -1);
    EXPECT_TRUE(f.clicks.empty());
}

TEST(ButtonPanel, DefaultKeysComeOnlyIntoAnEmptyCollection)
{
    PadFixture f;
    f.pad->ClearButtons();
    TButtonItem* own = f.pad->Buttons()->Add();
    own->SetCaption(QStringLiteral("Own"));
    f.pad->AddDefaultButtons();
    EXPECT_EQ(f.pad->Buttons()->Count(), 1) << "keys present: nothing added";
    f.pad->SetBounds(0, 0, 250, 160);
    EXPECT_EQ(f.Key(0)->GetRect(), TRect()) << "too few keys for the calculator pad: left alone";
    f.pad->ResetButtons();
    EXPECT_EQ(f.pad->Buttons()->Count(), 28);
    EXPECT_EQ(f.Key(0)->Caption(), QString());
    EXPECT_EQ(f.Key(0)->GetRect(), Bounds(8, 8, (234 - 8) / 6, (144 - 4) / 5));
}

TEST(ButtonPanel, CustomPanelsKeepTheKeysWhereTheirOwnerPutThem)
{
    PadFixture f;
    f.pad->SetButtonPanelType(plCustom);
    f.Key(3)->SetBounds(1, 2, 30, 20);
    f.pad->SetBounds(0, 0, 280, 190);
    EXPECT_EQ(f.Key(3)->GetRect(), TRect(1, 2, 31, 22));
    f.pad->ClearButtons();
    f.pad->AddDefaultButtons();
    EXPECT_EQ(f.pad->Buttons()->Count(), 0) << "no calculator keys for a custom pad";
}

TEST(ButtonPanel, CaptionsDrawnInTheTextColours)
{
    PadFixture f;
    f.pad->ButtonAppearance()->SetTextColor(0x00AA00);
    TRecordingCanvas canvas;
    for (int i = 0; i < 28; ++i) f.pad->DrawButton(i, &canvas);
    f.pad->DrawButton(28, &canvas);
    f.pad->DrawButton(-1, &canvas);
    int special = 0, normal = 0;
    for (const auto& op : canvas.Ops) {
        if (op.Text.isEmpty()) continue;
        if (op.Text == QLatin1String("Back") || op.Text == QLatin1String("sqrt") || op.Text == QLatin1String("=")) {
            EXPECT_EQ(op.Color, 0x000080) << op.Text.toStdString();
            ++special;
        }
        if (op.Text == QLatin1String("7") || op.Text == QLatin1String("1/x")) {
            EXPECT_EQ(op.Color, 0x00AA00) << op.Text.toStdString();
            ++normal;
        }
    }
    EXPECT_EQ(special, 3);
    EXPECT_EQ(normal, 2);
}

TEST(ButtonPanel, FramePressedFaceAndPicture)
{
    PadFixture f;
    QImage idle = f.pad->Snapshot().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(idle.pixel(0, 0), qRgb(0, 0, 0)) << "standalone frame";
    EXPECT_EQ(idle.pixel(4, 4), qRgb(255, 255, 255)) << "panel colour in the margin";
    QTest::mousePress(f.pad, Qt::LeftButton, {}, f.Inside(20));
    QImage pressed = f.pad->Snapshot().convertToFormat(QImage::Format_RGB32);
    const QPoint face(f.Key(20)->Left() + 3, f.Key(20)->Top() + 3);
    EXPECT_NE(pressed.pixel(face), idle.pixel(face)) << "the pressed key changes its face";
    QTest::mouseRelease(f.pad, Qt::LeftButton, {}, f.Inside(20));
    ASSERT_TRUE(idle.save(QStringLiteral(KV_TEST_BINARY_DIR "/calculator_keys.png")));
}

TEST(ButtonAppearance, DerivedColoursFontAndCopy)
{
    TButtonAppearance a;
    EXPECT_EQ(a.ColorCheckedTo(), 0xF9BDA0);
    EXPECT_EQ(a.ColorChecked(), 0xF5D8CA) << "225 x 0.9 = 202.5 rounds to the even 202";
    EXPECT_EQ(a.ColorDisabled(), 0xF2F2F2);
    EXPECT_EQ(a.ColorDisabledTo(), 0xF2F2F2);
    EXPECT_EQ(a.BorderColorChecked(), 0xFF0000);
    EXPECT_EQ(a.SpecialTextColor(), 0x000080);
    EXPECT_EQ(a.Font()->Size(), 10);
    EXPECT_TRUE(a.Font()->Style().Contains(fsBold));

    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    a.SetColor(a.Color());
    EXPECT_EQ(changes, 0) << "an unchanged value is no change";
    a.SetColorHot(0x010203);
    a.SetShineColor(0x111111);
    a.SetGlowColorHot(0x222222);
    EXPECT_EQ(changes, 1) << "shine and glow colours are stored silently";

    TButtonAppearance b;
    int bChanges = 0;
    b.OnChange = [&](TObject*) { ++bChanges; };
    a.Font()->SetName(QStringLiteral("Verdana"));
    b.Assign(&a);
    EXPECT_EQ(b.ColorHot(), 0x010203);
    EXPECT_EQ(b.ShineColor(), 0x111111);
    EXPECT_EQ(b.GlowColorHot(), 0x222222);
    EXPECT_EQ(b.Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(bChanges, 1);
}

TEST(ButtonItem, AssignCopiesAllButTheSpecialFlagAndTheRectangle)
{
    TButtonItems items(nullptr);
    TButtonItem* a = items.Add();
    a->SetCaption(QStringLiteral("MS"));
    a->SetCaptionColor(0x000080);
    a->SetTag(35);
    a->SetImageIndex(2);
    a->SetEnabled(false);
    a->SetName(QStringLiteral("BTN_MS"));
    a->SetSpecial(true);
    a->SetBounds(1, 2, 3, 4);
    TButtonItem* b = items.Add();
    b->Assign(a);
    EXPECT_EQ(b->Caption(), QStringLiteral("MS"));
    EXPECT_EQ(b->CaptionColor(), 0x000080);
    EXPECT_EQ(b->Tag(), 35);
    EXPECT_EQ(b->ImageIndex(), 2);
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(b->Name(), QStringLiteral("BTN_MS"));
    EXPECT_FALSE(b->Special());
    EXPECT_EQ(b->GetRect(), TRect());
}

namespace {

// A custom pad with one key at (10, 10, 110, 50): content area (14, 14, 106, 46).
struct LayoutFixture {
    TCustomButtonPanel pad;
    TButtonItem* key;
    TPicture picture;
    LayoutFixture()
    {
        pad.SetButtonPanelType(plCustom);
        pad.SetCaptionGap(3);
        key = pad.Buttons()->Add();
        key->SetBounds(10, 10, 100, 40);
        picture.SetGraphic(std::make_unique<TBitmap>(16, 16));
    }
    // The caption's text op and the picture's draw op of one drawing.
    struct Drawn { TRecordingCanvas::Op text; TRecordingCanvas::Op image; bool hasImage = false; };
    Drawn Draw()
    {
        TRecordingCanvas canvas;
        pad.DrawButton(0, &canvas);
        Drawn d;
        for (const auto& op : canvas.Ops) {
            if (op.Kind == QLatin1String("TextOut")) d.text = op;
            if (op.Kind == QLatin1String("Draw")) { d.image = op; d.hasImage = true; }
        }
        return d;
    }
};

} // namespace

TEST(ButtonPanel, CaptionAndPictureInTheFourLayouts)
{
    struct Case { const char* name; TItemLayout layout; bool image; TPoint text; TRect clip; TPoint picture; };
    const Case cases[] = {
        // Recording canvas: 7 pixels a character ("Ab" 14 wide), 13 a line.
        {"right", ilCaptionRight, true, TPoint(33, 23), TRect(33, 14, 106, 46), TPoint(14, 22)},
        {"left", ilCaptionLeft, true, TPoint(14, 23), TRect(14, 14, 90, 46), TPoint(31, 22)},
        {"top", ilCaptionTop, true, TPoint(53, 15), TRect(14, 14, 106, 30), TPoint(14, 30)},
        {"bottom", ilCaptionBottom, true, TPoint(53, 33), TRect(14, 33, 106, 46), TPoint(14, 14)},
        {"right without picture", ilCaptionRight, false, TPoint(53, 23), TRect(14, 14, 106, 46), TPoint()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutFixture f;
        f.key->SetCaption(QStringLiteral("Ab"));
        if (c.image) f.key->SetImage(&f.picture);
        f.pad.SetButtonLayout(c.layout);
        const auto d = f.Draw();
        EXPECT_EQ(d.text.Text, QStringLiteral("Ab"));
        EXPECT_EQ(TPoint(d.text.X, d.text.Y), c.text);
        EXPECT_EQ(d.text.Clip, c.clip);
        EXPECT_EQ(d.hasImage, c.image);
        if (c.image) {
            EXPECT_EQ(d.image.R, Bounds(c.picture.X, c.picture.Y, 16, 16));
        }
    }
    LayoutFixture f;
    f.key->SetImage(&f.picture);
    f.pad.SetButtonLayout(ilCaptionTop);
    EXPECT_EQ(f.Draw().image.R, Bounds(14, 22, 16, 16)) << "no caption: picture centred vertically";
    f.key->SetBounds(-50, 10, 40, 40);
    TRecordingCanvas canvas;
    f.pad.DrawButton(0, &canvas);
    EXPECT_TRUE(canvas.Ops.empty()) << "a key placed off the panel is not drawn";
}

TEST(ButtonPanel, ButtonSizeFitsTheLargestPictureAndCaption)
{
    LayoutFixture f;
    f.key->SetCaption(QStringLiteral("Ab"));
    f.key->SetImage(&f.picture);
    f.pad.Buttons()->Add()->SetCaption(QStringLiteral("Wide caption"));
    TSize size;
    f.pad.GetButtonSize(size);
    TCanvas* c = f.pad.Canvas();
    const int cw = c->TextWidth(QStringLiteral("Wide caption")), ch = c->TextHeight(QStringLiteral("Ab"));
    EXPECT_EQ(size.cx, 2 * 4 + 16 + 3 + cw);
    EXPECT_EQ(size.cy, std::max(16, ch) + 2 * 4);
    f.pad.SetButtonLayout(ilCaptionBottom);
    f.pad.GetButtonSize(size);
    EXPECT_EQ(size.cx, std::max(16, cw) + 2 * 4);
    EXPECT_EQ(size.cy, 2 * 4 + 16 + 3 + ch);
}

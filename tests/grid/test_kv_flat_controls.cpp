// The search bar's flat push button and check box: faces and colours, presets,
// glyph layout, the press and group state machine, and the check box's input.
#include "grid/kv_flat_controls.h"
#include "grid/theme_services.h"
#include "platform/ui/forms.h"

#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {
TColor PixelAt(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

struct THost {
    THost()
    {
        Form.SetBounds(0, 0, 300, 100);
        Panel = new TPanel(&Form);
        Panel->SetParent(&Form);
        Panel->SetBounds(0, 0, 300, 100);
        Panel->SetBevelOuter(bvNone);
        Panel->SetColor(0x0000FF);
        for (int i = 0; i < 2; ++i) {
            B[i] = new TKvGridButton(Panel);
            B[i]->SetParent(Panel);
            B[i]->SetBounds(10 + 60 * i, 10, 50, 22);
            B[i]->OnClick = [this, i](TObject*) { ++Clicks[i]; };
        }
        Mouse->SetCursorPos(TPoint(900, 700)); // away from the controls
        Form.Show();
        QApplication::processEvents();
    }
    void Press(TControl* c, int x, int y) { c->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(unsigned(x), unsigned(y))); }
    void Release(TControl* c, int x, int y) { c->Perform(WM_LBUTTONUP, 0, MAKELPARAM(unsigned(x), unsigned(y))); }
    void ClickAt(TControl* c, int x = 5, int y = 5)
    {
        Press(c, x, y);
        Release(c, x, y);
    }
    TForm Form;
    TPanel* Panel;
    TKvGridButton* B[2];
    int Clicks[2] = {0, 0};
};

void MakeGlyph(TBitmap& b, int w, int h, TColor key, TColor ink)
{
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(key);
    b.Canvas()->FillRect(TRect(0, 0, w, h));
    b.Canvas()->Brush()->SetColor(ink);
    b.Canvas()->FillRect(TRect(1, 1, w - 1, h - 1));
    b.Canvas()->ReleasePainter();
}
} // namespace

TEST(FlatControls, FramedGradientBandsAndFrame)
{
    QImage img(10, 32, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas c(&img);
    DrawFramedGradient(&c, 0x000000, 0x0000FF, 0x00FF00, 16, TRect(0, 0, 10, 32), false);
    c.ReleasePainter();
    EXPECT_EQ(PixelAt(img, 0, 5), TColor(0x00FF00)) << "the frame";
    EXPECT_EQ(PixelAt(img, 5, 1), TColor(0x000000)) << "first band the start colour";
    // Band 15 starts at 30: red 15 * 255 / 16 = 239.06 -> 239.
    EXPECT_EQ(PixelAt(img, 5, 30), TColor(239));
    // A step count of 0 is taken as 1: one band of the start colour.
    img.fill(Qt::white);
    TCanvas d(&img);
    DrawFramedGradient(&d, 0x123456, 0xFFFFFF, clNone, 0, TRect(0, 0, 10, 32), false);
    d.ReleasePainter();
    EXPECT_EQ(PixelAt(img, 0, 0), TColor(0x123456));
    EXPECT_EQ(PixelAt(img, 9, 31), TColor(0x123456));
}

TEST(FlatControls, GlyphAndCaptionLayoutTable)
{
    struct TCase {
        const char* name;
        TButtonLayout layout;
        int margin, spacing;
        TPoint glyph, caption;
        TPoint glyphPos;
        int textLeft, textTop;
    };
    // Client 60 x 30 at (0, 0).
    const TCase cases[] = {
        {"centred left", blGlyphLeft, -1, 4, {16, 16}, {20, 10}, {10, 7}, 30, 10},
        // Without a caption the spacing is 0 before the automatic rules: centred.
        {"no caption, both automatic", blGlyphLeft, -1, -1, {15, 16}, {0, 0}, {23, 7}, 38, 15},
        {"thirds", blGlyphLeft, -1, -1, {15, 16}, {9, 10}, {12, 7}, 39, 10},
        {"fixed margin, auto spacing", blGlyphLeft, 2, -1, {16, 16}, {20, 10}, {2, 7}, 29, 10},
        {"right", blGlyphRight, 3, 4, {16, 16}, {20, 10}, {41, 7}, 17, 10},
        {"top", blGlyphTop, 1, 2, {16, 16}, {20, 10}, {22, 1}, 20, 19},
        {"bottom", blGlyphBottom, 1, 2, {16, 16}, {20, 10}, {22, 13}, 20, 1},
        {"spacing dropped without glyph", blGlyphLeft, 5, 4, {0, 0}, {20, 10}, {5, 15}, 5, 10},
    };
    for (const TCase& c : cases) {
        TPoint g;
        TRect t;
        LayoutGlyphAndCaption(TRect(0, 0, 60, 30), TPoint(0, 0), c.glyph, c.caption, c.layout, c.margin, c.spacing,
                              false, g, t);
        EXPECT_EQ(g.X, c.glyphPos.X) << c.name;
        EXPECT_EQ(g.Y, c.glyphPos.Y) << c.name;
        EXPECT_EQ(t.Left, c.textLeft) << c.name;
        EXPECT_EQ(t.Top, c.textTop) << c.name;
    }
    // Right-to-left swaps left and right; the client corner and the offset move both.
    TPoint g;
    TRect t;
    LayoutGlyphAndCaption(TRect(5, 6, 65, 36), TPoint(-1, -1), TPoint(16, 16), TPoint(20, 10), blGlyphLeft, 3, 4, true,
                          g, t);
    EXPECT_EQ(g.X, 5 + 41 - 1);
    EXPECT_EQ(g.Y, 6 + 7 - 1);
}

TEST(FlatControls, ButtonDefaultsAndWritersThatRefuse)
{
    THost h;
    TKvGridButton* b = h.B[0];
    TKvGridButton fresh;
    EXPECT_EQ(fresh.Width(), 23);
    EXPECT_EQ(fresh.Height(), 22);
    EXPECT_TRUE(b->Flat());
    EXPECT_TRUE(b->Shaded());
    EXPECT_EQ(b->Color(), clBtnFace);
    EXPECT_EQ(b->ColorHot(), TColor(0xCAC7C7));
    EXPECT_EQ(b->ColorDown(), TColor(0xD8D3D2));
    EXPECT_EQ(b->ColorChecked(), clGray);
    EXPECT_EQ(b->Margin(), -1);
    EXPECT_EQ(b->Spacing(), 4);
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1) << "below -1 is refused";
    b->SetMargin(3);
    EXPECT_EQ(b->Margin(), 3);
    b->SetLook(3);
    EXPECT_EQ(b->Look(), 3);
    b->SetLook(7);
    EXPECT_EQ(b->Look(), 3) << "no such preset";
    EXPECT_EQ(b->Color(), TColor(0xCFF0EA));
    EXPECT_EQ(b->ColorHot(), TColor(0xCCF4FF));
}

TEST(FlatControls, PresetTable)
{
    struct TCase {
        int look;
        TColor color, colorTo, hot, down, checked, borderDown;
        bool rounded;
    };
    const TCase cases[] = {
        {0, 0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE0E6E7, 0xFFFFFF, 0xAF987A, true},
        {1, clBtnFace, clNone, 0xEED2C1, 0xE2B598, 0xE8E6E1, 0xC56A31, false},
        {2, 0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x4E91FE, 0x8ED3FF, 0x000000, false},
        {4, 0xECE2E1, 0xB39698, 0xCCF4FF, 0x4E91FE, 0x8ED3FF, 0x000000, false},
        {5, clBtnFace, clNone, clBtnFace, 0xD8D3D2, 0xCAC7C7, clNone, false},
        {6, 0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x4DE0FB, 0xB5E6F2, 0x808080, false},
    };
    for (const TCase& c : cases) {
        TKvGridButton b;
        b.SetFlat(false);
        b.SetBorderColor(0x123456);
        b.SetLook(c.look);
        EXPECT_EQ(b.Color(), c.color) << c.look;
        EXPECT_EQ(b.ColorTo(), c.colorTo) << c.look;
        EXPECT_EQ(b.ColorHot(), c.hot) << c.look;
        EXPECT_EQ(b.ColorDown(), c.down) << c.look;
        EXPECT_EQ(b.ColorChecked(), c.checked) << c.look;
        EXPECT_EQ(b.BorderDownColor(), c.borderDown) << c.look;
        EXPECT_EQ(b.BorderHotColor(), c.look == 0 ? TColor(0xC3CECE) : c.borderDown) << c.look;
        EXPECT_EQ(b.Rounded(), c.rounded) << c.look;
        EXPECT_EQ(b.BorderColor(), clNone) << c.look;
        EXPECT_TRUE(b.Flat()) << c.look;
    }
}

TEST(FlatControls, ThemeAdaptationFollowsTheColourScheme)
{
    InitThemeLibrary();
    const struct {
        const char* scheme;
        bool active;
        int look;
    } cases[] = {{"NormalColor", true, 2}, {"HomeStead", true, 3}, {"Metallic", true, 4}, {"Royale", true, 1},
                 {"NormalColor", false, 1}};
    for (const auto& c : cases) {
        TThemeProfile p;
        p.ColorSchemeName = QString::fromLatin1(c.scheme);
        p.ThemeActive = c.active;
        TThemeProfileScope scope(p);
        TKvGridButton b;
        b.SetAutoThemeAdapt(true);
        EXPECT_EQ(b.Look(), c.look) << c.scheme;
    }
}

TEST(FlatControls, FlatFacesAtRestHoveredAndPressed)
{
    THost h;
    TKvGridButton* b = h.B[0];
    b->SetFaceColor(0x00FF00);
    QImage img = b->grab().toImage();
    EXPECT_EQ(PixelAt(img, 10, 10), TColor(0x00FF00)) << "at rest the face colour";
    b->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(b->MouseInControl());
    img = b->grab().toImage();
    EXPECT_EQ(PixelAt(img, 10, 10), TColor(0xCAC7C7));
    EXPECT_EQ(PixelAt(img, 1, 1), TColor(0xCAC7C7)) << "no frame: the pen takes the face colour";
    h.Press(b, 5, 5);
    EXPECT_EQ(b->State(), bsDown);
    img = b->grab().toImage();
    EXPECT_EQ(PixelAt(img, 10, 10), TColor(0xD8D3D2));
    EXPECT_EQ(PixelAt(img, 1, 1), TColor(0xD8D3D2));
    h.Release(b, 5, 5);
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_EQ(h.Clicks[0], 1);
    EXPECT_FALSE(b->MouseInControl()) << "the cursor is elsewhere: tracking ends the hover";
    // A frame colour and a gradient face.
    b->Perform(CM_MOUSEENTER);
    b->SetBorderHotColor(0x000080);
    b->SetColorHotTo(0xFFFFFF);
    img = b->grab().toImage();
    EXPECT_EQ(PixelAt(img, 1, 1), TColor(0x000080));
    EXPECT_NE(PixelAt(img, 10, 2), PixelAt(img, 10, 19)) << "a gradient from the hot colour";
    EXPECT_GT(PixelAt(img, 10, 19) & 0xFF, PixelAt(img, 10, 2) & 0xFF) << "towards white";
    b->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(b->MouseInControl());
    // The disabled state wins over the press.
    b->SetEnabled(false);
    img = b->grab().toImage();
    EXPECT_EQ(b->State(), bsDisabled);
}

TEST(FlatControls, GlyphsDisabledCopyShadeAndPlacement)
{
    THost h;
    TKvGridButton* b = h.B[0];
    b->SetFaceColor(0xFFFFFF);
    TBitmap g;
    MakeGlyph(g, 8, 8, 0x00FF00, 0x000000);
    b->SetGlyph(&g);
    // Grey copy: black -> 96; the green key (255 / 3) / 2 + 96 = 138.
    ASSERT_EQ(b->GlyphDisabled()->Width(), 8);
    EXPECT_EQ(FromQColor(b->GlyphDisabled()->Image().pixelColor(3, 3)), TColor(0x606060));
    EXPECT_EQ(FromQColor(b->GlyphDisabled()->Image().pixelColor(0, 7)), TColor(0x8A8A8A));
    // The shade is grey where the glyph has ink and the key colour elsewhere.
    EXPECT_EQ(FromQColor(b->GlyphShade()->Image().pixelColor(3, 3)), TColor(0x808080));
    EXPECT_EQ(FromQColor(b->GlyphShade()->Image().pixelColor(0, 7)), TColor(0x00FF00));
    // Without caption the glyph sits at (0, 0) and its key colour is transparent.
    QImage img = b->grab().toImage();
    EXPECT_EQ(PixelAt(img, 3, 3), TColor(0));
    EXPECT_EQ(PixelAt(img, 7, 7), TColor(0xFFFFFF)) << "key colour shows the face";
    EXPECT_EQ(PixelAt(img, 10, 10), TColor(0xFFFFFF));
    // With a caption the glyph is laid out in the face (2 pixels in): margin 2,
    // centred vertically in the 18 rows left.
    b->SetCaption(QStringLiteral("x"));
    b->SetMargin(2);
    img = b->grab().toImage();
    const int gx = 2 + 2, gy = 2 + (18 - 8 + 1) / 2;
    EXPECT_EQ(PixelAt(img, gx + 3, gy + 3), TColor(0));
    EXPECT_EQ(PixelAt(img, gx - 1, gy + 3), TColor(0xFFFFFF));
    // A disabled button draws its grey copy.
    b->SetEnabled(false);
    img = b->grab().toImage();
    EXPECT_EQ(PixelAt(img, gx + 3, gy + 3), TColor(0x606060));
}

TEST(FlatControls, CheckStyleTogglesOnEachClickInside)
{
    THost h;
    TKvGridButton* b = h.B[0];
    b->SetStyle(tasCheck);
    h.ClickAt(b);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(h.Clicks[0], 1);
    h.ClickAt(b);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->State(), bsUp);
    // Released outside: no toggle, no click.
    h.Press(b, 5, 5);
    h.Release(b, 200, 5);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(h.Clicks[0], 2);
    // A plain button without a group never stays down.
    h.B[1]->SetDown(true);
    EXPECT_FALSE(h.B[1]->Down());
}

TEST(FlatControls, GroupKeepsOneButtonDown)
{
    THost h;
    for (TKvGridButton* b : h.B) b->SetGroupIndex(1);
    h.ClickAt(h.B[0]);
    EXPECT_TRUE(h.B[0]->Down());
    h.ClickAt(h.B[1]);
    EXPECT_TRUE(h.B[1]->Down());
    EXPECT_FALSE(h.B[0]->Down()) << "pressing the second releases the first";
    EXPECT_EQ(h.B[0]->State(), bsUp);
    h.ClickAt(h.B[1]);
    EXPECT_TRUE(h.B[1]->Down()) << "without AllowAllUp the down one stays down";
    EXPECT_EQ(h.Clicks[1], 2);
    // Dragging a latched button out and in: exclusive outside and inside.
    h.Press(h.B[1], 5, 5);
    h.B[1]->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(200u, 5u));
    EXPECT_EQ(h.B[1]->State(), bsExclusive);
    h.Release(h.B[1], 200, 5);
    EXPECT_EQ(h.B[1]->State(), bsExclusive);
    // AllowAllUp is shared by the group.
    h.B[0]->SetAllowAllUp(true);
    EXPECT_TRUE(h.B[1]->AllowAllUp());
    h.ClickAt(h.B[1]);
    EXPECT_FALSE(h.B[1]->Down());
}

TEST(FlatControls, DropDownPartAndAccelerator)
{
    THost h;
    TKvGridButton* b = h.B[0];
    b->SetDropDownButton(true);
    int drops = 0;
    b->OnDropDown = [&](TObject*) { ++drops; };
    h.ClickAt(b, 45, 5);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(h.Clicks[0], 0) << "the drop-down part starts no press";
    h.ClickAt(b, 30, 5);
    EXPECT_EQ(h.Clicks[0], 1);
    b->SetCaption(QStringLiteral("&Find"));
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'f'), 1);
    EXPECT_EQ(h.Clicks[0], 2);
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'x'), 0);
    b->SetEnabled(false);
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'f'), 0);
}

TEST(FlatControls, CheckBoxToggleReadOnlyAndEdgeRelease)
{
    THost h;
    auto* cb = new TKvCheckBox(h.Panel);
    cb->SetParent(h.Panel);
    cb->SetBounds(150, 10, 98, 20);
    EXPECT_EQ(cb->Caption(), QStringLiteral("TKvCheckBox"));
    EXPECT_FALSE(cb->TabStop());
    int clicks = 0;
    cb->OnClick = [&](TObject*) { ++clicks; };
    cb->SetState(cbGrayed);
    EXPECT_FALSE(cb->Checked());
    cb->Toggle();
    EXPECT_EQ(cb->State(), cbChecked) << "grayed becomes checked";
    // A release on the right and bottom edge still counts as inside.
    h.Press(cb, 5, 5);
    EXPECT_TRUE(cb->Down());
    h.Release(cb, 98, 20);
    EXPECT_FALSE(cb->Down());
    EXPECT_EQ(cb->State(), cbUnchecked);
    EXPECT_EQ(clicks, 1);
    h.Press(cb, 5, 5);
    h.Release(cb, 99, 5);
    EXPECT_EQ(cb->State(), cbUnchecked) << "outside";
    EXPECT_EQ(clicks, 1);
    // Read-only: never changes, still clicks.
    cb->SetReadOnly(true);
    h.ClickAt(cb);
    EXPECT_EQ(cb->State(), cbUnchecked);
    EXPECT_EQ(clicks, 2);
    cb->SetReadOnly(false);
    // Space toggles on key up; an accelerator toggles without a click.
    WORD space = VK_SPACE;
    cb->Perform(WM_KEYDOWN, space, 0);
    EXPECT_TRUE(cb->Down());
    cb->Perform(WM_KEYUP, space, 0);
    EXPECT_TRUE(cb->Checked());
    EXPECT_EQ(clicks, 3);
    cb->SetCaption(QStringLiteral("&Match case"));
    EXPECT_EQ(cb->Perform(CM_DIALOGCHAR, 'm'), 1);
    EXPECT_FALSE(cb->Checked());
    EXPECT_EQ(clicks, 3);
}

TEST(FlatControls, CheckBoxBoxPlacesAndTransparency)
{
    THost h;
    auto* cb = new TKvCheckBox(h.Panel);
    cb->SetParent(h.Panel);
    cb->SetBounds(150, 10, 98, 30);
    {
        TThemeProfile p;
        p.ThemeActive = false;
        TThemeProfileScope scope(p);
        EXPECT_EQ(cb->BoxRect(), TRect(0, 4, 13, 17));
        cb->SetButtonVertAlign(tlBottom);
        cb->SetAlignment(taRightJustify);
        EXPECT_EQ(cb->BoxRect(), TRect(85, 13, 98, 26));
    }
    InitThemeLibrary();
    cb->SetButtonVertAlign(tlCenter);
    EXPECT_EQ(cb->BoxRect(), TRect(83, 9, 97, 23)) << "themed box 14 x 14";
    cb->SetAlignment(taLeftJustify);
    cb->SetTransparent(true);
    cb->SetCaption(QString());
    QImage img = cb->grab().toImage();
    EXPECT_EQ(PixelAt(img, 60, 2), TColor(0x0000FF)) << "the panel shows through";
    cb->SetTransparentChaching(true);
    cb->Invalidate();
    img = cb->grab().toImage();
    EXPECT_TRUE(cb->BackgroundCached());
    EXPECT_EQ(PixelAt(img, 60, 2), TColor(0x0000FF));
    cb->SetBounds(150, 10, 90, 30);
    EXPECT_FALSE(cb->BackgroundCached()) << "a move drops the cache";
}

TEST(FlatControls, PictureOfTheFacesAndTheCheckBox)
{
    THost h;
    h.Panel->SetColor(0xFFFFFF);
    TBitmap g;
    MakeGlyph(g, 12, 12, 0x00FF00, 0x804000);
    for (TKvGridButton* b : h.B) {
        b->SetGlyph(&g);
        b->SetCaption(QStringLiteral("Find"));
        b->SetBounds(b->Left(), 10, 56, 23);
    }
    h.B[0]->SetLook(2);
    h.B[0]->Perform(CM_MOUSEENTER); // hovered
    h.B[1]->Perform(CM_MOUSEENTER);
    h.Press(h.B[1], 5, 5); // pressed
    auto* cb = new TKvCheckBox(h.Panel);
    cb->SetParent(h.Panel);
    cb->SetBounds(150, 10, 98, 20);
    cb->SetCaption(QStringLiteral("Match case"));
    cb->SetChecked(true);
    const QImage img = h.Panel->grab().toImage();
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/flat_buttons.png")));
    h.Release(h.B[1], 5, 5);
}

TEST(FlatControls, ButtonActionLinkKeepsCaptionDownAndGroupInStep)
{
    // Checked follows Down only for a button of a group that allows all up.
    struct TCase {
        const char* name;
        int group;
        bool allowAllUp;
        bool follows;
    };
    const TCase cases[] = {
        {"group allowing all up", 1, true, true},
        {"group keeping one down", 1, false, false},
        {"no group", 0, true, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        THost h;
        TKvGridButton* b = h.B[0];
        b->SetGroupIndex(c.group);
        b->SetAllowAllUp(c.allowAllUp);
        TAction a;
        a.SetCaption(QStringLiteral("Find"));
        a.SetGroupIndex(c.group);
        b->SetAction(&a);
        EXPECT_EQ(b->Caption(), QStringLiteral("Find"));
        a.SetChecked(true);
        EXPECT_EQ(b->Down(), c.follows);
        a.SetChecked(false);
        EXPECT_FALSE(b->Down());
    }

    THost h;
    TAction a;
    a.SetGroupIndex(1);
    int runs = 0;
    a.OnExecute = [&](TObject*) { EXPECT_EQ(h.Clicks[0], 1) << "OnClick comes first"; ++runs; };
    for (TKvGridButton* b : h.B) {
        b->SetGroupIndex(1);
        b->SetAllowAllUp(true);
    }
    h.B[0]->SetAction(&a);
    h.ClickAt(h.B[0]);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(h.B[0]->Down());
    // A group index the button shares follows the action; a caption the program
    // changed stays.
    a.SetGroupIndex(2);
    EXPECT_EQ(h.B[0]->GroupIndex(), 2);
    h.B[0]->SetCaption(QStringLiteral("mine"));
    a.SetCaption(QStringLiteral("Other"));
    EXPECT_EQ(h.B[0]->Caption(), QStringLiteral("mine"));
}

TEST(FlatControls, AButtonReleasedByItsGroupUnchecksItsAction)
{
    THost h;
    for (TKvGridButton* b : h.B) b->SetGroupIndex(1);
    TAction a;
    a.SetChecked(true);
    h.B[0]->SetAction(&a);
    h.ClickAt(h.B[0]);
    ASSERT_TRUE(h.B[0]->Down());
    h.ClickAt(h.B[1]);
    EXPECT_FALSE(h.B[0]->Down());
    EXPECT_FALSE(a.Checked());
}

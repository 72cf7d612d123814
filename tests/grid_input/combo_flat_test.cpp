#include "grid_input/ksg_combo.h"

#include "grid/theme_services.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {
constexpr TColor ParentShade = 0x00336699;
constexpr TColor DisabledFrame = 0x00B99D7F;

QRgb Rgb(TColor c) { return ToQColor(c).rgb(); }
LPARAM At(int x, int y) { return MAKELPARAM(unsigned(x), unsigned(y)); }

QImage Shot(TControl* c)
{
    QApplication::processEvents();
    return c->grab().toImage();
}

struct TPressedCombo : TKsgComboBox {
    using TKsgComboBox::TKsgComboBox;
    bool Down = false;
    bool IsMouseButtonDown() const override { return Down; }
};

struct TComboForm {
    TForm form;
    TComboForm()
    {
        InitThemeLibrary();
        form.SetBounds(0, 0, 420, 200);
        form.SetColor(ParentShade);
    }
    template <class T = TKsgComboBox> T* Add(int top = 10)
    {
        auto* c = new T(&form);
        c->SetParent(&form);
        c->SetBounds(60, top, 150, 21);
        c->Items()->Add(QStringLiteral("Read Only"));
        c->Items()->Add(QStringLiteral("Write Only"));
        c->SetItemIndex(0);
        return c;
    }
};
} // namespace

TEST(KsgCombo, ButtonWidthAcceptsOnlyFourteenToThirtyTwo)
{
    TComboForm f;
    auto* c = f.Add();
    EXPECT_EQ(c->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
    struct { int value, expected; } rows[] = {{13, 19}, {14, 14}, {33, 14}, {32, 32}, {0, 32}, {-5, 32}, {20, 20}};
    for (auto r : rows) {
        c->SetButtonWidth(r.value);
        EXPECT_EQ(c->ButtonWidth(), r.expected) << r.value;
    }
}

TEST(KsgCombo, DefaultsAsPublished)
{
    TComboForm f;
    auto* c = f.Add();
    EXPECT_TRUE(c->DisabledBorder());
    EXPECT_TRUE(c->FlatParentColor());
    EXPECT_EQ(c->LabelMargin(), 4);
    EXPECT_EQ(c->DropDownCount(), 8);
    EXPECT_EQ(c->BorderColor(), clNone);
    EXPECT_EQ(c->FocusBorderColor(), clNone);
    EXPECT_EQ(c->FocusColor(), clNone);
    EXPECT_EQ(c->FlatLineColor(), clNone);
    EXPECT_EQ(c->FButtonColor, clNone);
    EXPECT_FALSE(c->Flat() || c->Etched() || c->AutoFocus() || c->FocusBorder());
    EXPECT_EQ(c->Label(), nullptr);
    EXPECT_EQ(c->LabelPosition(), lpLeftTop);
    EXPECT_TRUE(c->IsThemed());
    EXPECT_EQ(c->ClassName(), QStringLiteral("TKsgComboBox"));
}

TEST(KsgCombo, WithoutCustomColoursItPaintsLikeThePlatformCombo)
{
    TComboForm f;
    auto* plain = f.Add<TComboBox>(10);
    auto* ksg = f.Add(40);
    EXPECT_FALSE(ksg->CustomPaint());
    EXPECT_EQ(Shot(plain), Shot(ksg));
    // Etched is stored only.
    ksg->SetEtched(true);
    EXPECT_EQ(Shot(plain), Shot(ksg));
    // A disabled combo keeps its normal border while DisabledBorder is on.
    plain->SetEnabled(false);
    ksg->SetEnabled(false);
    EXPECT_EQ(Shot(plain), Shot(ksg));
}

TEST(KsgCombo, DisabledThemedComboWithoutDisabledBorderShowsTheBlueGreyFrame)
{
    TComboForm f;
    auto* c = f.Add();
    c->SetEnabled(false);
    c->SetDisabledBorder(false);
    const QImage img = Shot(c);
    const int w = c->Width(), h = c->Height();
    EXPECT_EQ(img.pixel(0, h / 2), Rgb(DisabledFrame));
    EXPECT_EQ(img.pixel(w - 1, h / 2), Rgb(DisabledFrame));
    EXPECT_EQ(img.pixel(w / 2, 0), Rgb(DisabledFrame));
    EXPECT_EQ(img.pixel(w / 2, h - 1), Rgb(DisabledFrame));
    EXPECT_NE(img.pixel(w / 3, h / 2), Rgb(DisabledFrame));
}

TEST(KsgCombo, ClassicProfileHasNoDisabledFrame)
{
    TThemeProfile classic;
    classic.ComCtlMajorVersion = 5;
    classic.ThemeActive = false;
    TThemeProfileScope scope(classic);
    TComboForm f;
    auto* plain = f.Add<TComboBox>(10);
    auto* c = f.Add(40);
    EXPECT_FALSE(c->IsThemed());
    plain->SetEnabled(false);
    c->SetEnabled(false);
    c->SetDisabledBorder(false);
    EXPECT_FALSE(c->CustomPaint());
    EXPECT_EQ(Shot(plain), Shot(c));
}

TEST(KsgCombo, BorderColourUnfocusedFocusBorderColourFocused)
{
    TComboForm f;
    auto* plain = f.Add<TComboBox>(40);
    auto* c = f.Add();
    const int w = c->Width(), h = c->Height();
    auto frameIs = [&](const QImage& img, TColor col) {
        return img.pixel(0, h / 2) == Rgb(col) && img.pixel(w - 1, h / 2) == Rgb(col) && img.pixel(w / 2, 0) == Rgb(col)
            && img.pixel(w / 2, h - 1) == Rgb(col);
    };
    // Both set: BorderColor while unfocused, FocusBorderColor while focused.
    c->SetBorderColor(clRed);
    c->SetFocusBorderColor(clBlue);
    EXPECT_TRUE(frameIs(Shot(c), clRed));
    c->Perform(CM_ENTER);
    EXPECT_TRUE(c->HasFocus());
    EXPECT_TRUE(frameIs(Shot(c), clBlue));
    c->Perform(CM_EXIT);
    EXPECT_TRUE(frameIs(Shot(c), clRed));
    // Only FocusBorderColor: no frame of its own while unfocused.
    c->SetBorderColor(clNone);
    EXPECT_EQ(Shot(c), Shot(plain));
    c->Perform(CM_ENTER);
    const QImage focused = Shot(c);
    EXPECT_TRUE(frameIs(focused, clBlue));
    EXPECT_NE(focused.pixel(1, h / 2), Rgb(clBlue));   // one pixel wide
}

TEST(KsgCombo, FlatLookFrameAndBottomLine)
{
    struct { int buttonWidth; } rows[] = {{19}, {14}, {25}, {32}};
    for (auto row : rows) {
        TComboForm f;
        auto* c = f.Add();
        c->SetFlatParentColor(false);
        c->SetFlat(true);
        c->SetButtonWidth(row.buttonWidth);
        EXPECT_FALSE(c->Ctl3D());
        EXPECT_EQ(c->Color(), clWindow);
        c->SetFlatLineColor(clLime);
        const QImage img = Shot(c);
        const int w = c->Width(), h = c->Height(), bw = c->ButtonWidth();
        // Two rings in the parent's colour, then the combo's colour.
        EXPECT_EQ(img.pixel(0, h / 2), Rgb(ParentShade)) << bw;
        EXPECT_EQ(img.pixel(1, h / 2), Rgb(ParentShade)) << bw;
        EXPECT_EQ(img.pixel(2, h / 2), Rgb(clWindow)) << bw;
        EXPECT_EQ(img.pixel(w / 2, 0), Rgb(ParentShade)) << bw;
        // The line between text and button, ButtonWidth left of the right ring.
        EXPECT_EQ(img.pixel(w - 2 - bw, h / 2), Rgb(ParentShade)) << bw;
        // The bottom line: from the left edge to ButtonWidth + 1 pixels before
        // the inner right edge (w - 2).
        EXPECT_EQ(img.pixel(0, h - 1), Rgb(clLime)) << bw;
        EXPECT_EQ(img.pixel(w - 2 - bw - 2, h - 1), Rgb(clLime)) << bw;
        EXPECT_NE(img.pixel(w - 2 - bw - 1, h - 1), Rgb(clLime)) << bw;
        EXPECT_NE(img.pixel(w - 2, h - 1), Rgb(clLime)) << bw;
    }
}

TEST(KsgCombo, FlatTakesTheParentColourAndGivesBackTheLoadedOne)
{
    TComboForm f;
    auto* c = f.Add();
    c->SetFlat(true);
    EXPECT_EQ(c->Color(), ParentShade);
    c->SetFlat(false);
    EXPECT_EQ(c->Color(), clWindow);
    EXPECT_TRUE(c->Ctl3D());
    // A disabled flat combo shows its parent's colour, enabled again its own.
    c->SetFlatParentColor(false);
    c->SetFlat(true);
    c->SetColor(clYellow);
    c->SetEnabled(false);
    EXPECT_EQ(c->Color(), ParentShade);
    c->SetEnabled(true);
    EXPECT_EQ(c->Color(), clYellow);
}

TEST(KsgCombo, ColouredButtonFollowsHoverAndPress)
{
    TComboForm f;
    auto* c = f.Add<TPressedCombo>();
    c->FButtonColor = clMaroon;
    c->FButtonColorHot = clOlive;
    c->FButtonColorDown = clNavy;
    c->FButtonBorderColor = clFuchsia;
    c->FButtonTextColor = clWhite;
    const int w = c->Width(), h = c->Height(), bw = c->ButtonWidth();
    const int left = w - bw + 2;   // left edge of the drawn button body
    QImage img = Shot(c);
    EXPECT_EQ(img.pixel(left + 2, 4), Rgb(clMaroon));
    EXPECT_EQ(img.pixel(left, h / 2), Rgb(clFuchsia));
    EXPECT_EQ(img.pixel(left + 7, 2 + 8), Rgb(clWhite));   // the arrow
    // Hover: the strip starts after Width - ButtonWidth.
    c->Perform(WM_MOUSEMOVE, 0, At(w - bw, 5));
    EXPECT_FALSE(c->ButtonHover());
    c->Perform(WM_MOUSEMOVE, 0, At(w - bw + 1, 5));
    EXPECT_TRUE(c->ButtonHover());
    c->Perform(WM_MOUSEMOVE, 0, At(w - 1, 5));
    EXPECT_TRUE(c->ButtonHover());
    EXPECT_EQ(Shot(c).pixel(left + 2, 4), Rgb(clOlive));
    c->Down = true;
    c->FButtonTextColorDown = clAqua;
    img = Shot(c);
    EXPECT_EQ(img.pixel(left + 2, 4), Rgb(clNavy));
    EXPECT_EQ(img.pixel(left + 7, 2 + 8), Rgb(clAqua));
    c->Perform(WM_MOUSEMOVE, 0, At(w, 5));
    EXPECT_FALSE(c->ButtonHover());
}

TEST(KsgCombo, RightToLeftGetsNoCustomButton)
{
    TComboForm f;
    auto* plain = f.Add<TComboBox>(40);
    auto* c = f.Add();
    plain->setLayoutDirection(Qt::RightToLeft);
    c->setLayoutDirection(Qt::RightToLeft);
    c->FButtonColor = clMaroon;
    EXPECT_TRUE(c->CustomPaint());
    EXPECT_EQ(Shot(plain), Shot(c));
}

TEST(KsgCombo, FocusColourReturnsToTheRealColour)
{
    TComboForm f;
    auto* c = f.Add();
    auto* other = f.Add(60);
    c->SetFocusColor(clYellow);
    // Created at run time: the colour to return to is the one it has now.
    EXPECT_EQ(c->NormalColor(), clWindow);
    c->Perform(CM_ENTER);
    EXPECT_EQ(c->Color(), clYellow);
    c->Perform(CM_EXIT);
    EXPECT_EQ(c->Color(), clWindow);
    // A colour set while unfocused is the new real colour.
    c->SetColor(clAqua);
    c->Perform(CM_ENTER);
    EXPECT_EQ(c->Color(), clYellow);
    c->Perform(CM_EXIT);
    EXPECT_EQ(c->Color(), clAqua);
    // The real focus path, focus gain before enter and focus loss before exit.
    f.form.Show();
    QApplication::setActiveWindow(&f.form);
    other->SetFocus();
    c->SetFocus();
    QApplication::processEvents();
    EXPECT_TRUE(c->Focused());
    EXPECT_TRUE(c->HasFocus());
    EXPECT_EQ(c->Color(), clYellow);
    other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(c->Color(), clAqua);
    EXPECT_EQ(c->NormalColor(), clAqua);
    f.form.Hide();
}

TEST(KsgCombo, LabelPositionTable)
{
    TComboForm f;
    auto* c = f.Add(80);
    c->SetBounds(150, 80, 120, 21);
    c->SetLabelCaption(QStringLiteral("Access"));
    TLabel* l = c->Label();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), &f.form);
    EXPECT_EQ(l->FocusControl(), c);
    TRect tr(0, 0, 1000, 255);
    DrawText(l->Canvas(), l->Caption(), tr, DT_CALCRECT | DT_HIDEPREFIX);
    const int w = tr.Right, lw = l->Width(), lh = l->Height();
    const int L = 150, T = 80, W = 120, H = 21;
    for (int m : {4, 9}) {
        c->SetLabelMargin(m);
        struct { TLabelPosition pos; int left, top; } rows[] = {
            {lpLeftTop, L - w - m, T},
            {lpLeftCenter, L - w - m, T + (H - lh) / 2},
            {lpLeftBottom, L - w - m, T + H - lh},
            {lpTopLeft, L, T - lh - m},
            {lpBottomLeft, L, T + H + m},
            {lpLeftTopLeft, L - m, T},
            {lpLeftCenterLeft, L - m, T + (H - lh) / 2},
            {lpLeftBottomLeft, L - m, T + H - lh},
            {lpTopCenter, L + (W - lw) / 2, T - lh - m},
            {lpBottomCenter, L + (W - lw) / 2, T + H + m},
            {lpRightTop, L + W + m, T},
            {lpRightCenter, L + W + m, T + (H - lh) / 2},
            {lpRighBottom, L + W + m, T + H - lh},
        };
        for (auto r : rows) {
            c->SetLabelPosition(r.pos);
            EXPECT_EQ(l->Left(), r.left) << int(r.pos) << " margin " << m;
            EXPECT_EQ(l->Top(), r.top) << int(r.pos) << " margin " << m;
        }
    }
    // A label wider than the combo, centred above it, starts left of it.
    c->SetLabelPosition(lpTopCenter);
    c->SetLabelCaption(QStringLiteral("A caption much wider than the combo box below it"));
    EXPECT_GT(l->Width(), c->Width());
    EXPECT_LT(l->Left(), c->Left());
    EXPECT_EQ(l->Left(), c->Left() + (c->Width() - l->Width()) / 2);
    // The label moves with the combo and follows its visibility and enabled state.
    c->SetLabelPosition(lpLeftTopLeft);
    c->SetLeft(200);
    EXPECT_EQ(l->Left(), 200 - c->LabelMargin());
    c->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    c->SetVisible(true);
    EXPECT_TRUE(l->Visible());
    c->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
    c->SetEnabled(true);
    c->SetLabelAlwaysEnabled(true);
    c->SetEnabled(false);
    EXPECT_TRUE(l->Enabled());
}

TEST(KsgCombo, FocusLabelTurnsBoldWhileFocused)
{
    TComboForm f;
    auto* c = f.Add();
    c->SetLabelCaption(QStringLiteral("Mode"));
    c->SetFocusLabel(true);
    c->Perform(CM_ENTER);
    EXPECT_TRUE(c->Label()->Font()->Style().Contains(fsBold));
    c->Perform(CM_EXIT);
    EXPECT_FALSE(c->Label()->Font()->Style().Contains(fsBold));
}

TEST(KsgCombo, CloseUpFiresDropUpAndSelectItemPicksAnExistingItem)
{
    TComboForm f;
    auto* c = f.Add();
    int drops = 0;
    c->OnDropUp = [&](TObject* s) { EXPECT_EQ(s, c); ++drops; };
    c->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_DROPDOWN));
    EXPECT_EQ(drops, 0);
    c->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_CLOSEUP));
    EXPECT_EQ(drops, 1);
    c->SelectItem(QStringLiteral("Write Only"));
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SelectItem(QStringLiteral("Absent"));
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SetDropWidth(300);
    EXPECT_EQ(c->DroppedWidth(), 300);
}

TEST(KsgCombo, LoadedTakesTheDesignColour)
{
    TComboForm f;
    auto* c = new TKsgComboBox(&f.form);
    c->BeginLoading();
    c->SetParent(&f.form);
    c->SetColor(clYellow);
    c->SetFlatParentColor(false);
    c->SetFocusColor(clRed);
    c->Loaded();
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_EQ(c->NormalColor(), clYellow);
    c->Perform(CM_ENTER);
    c->Perform(CM_EXIT);
    EXPECT_EQ(c->Color(), clYellow);
}

TEST(KsgCombo, WritesThePictureOfTheFourLooks)
{
    TComboForm f;
    f.form.SetBounds(0, 0, 240, 140);
    auto* standard = f.Add(10);
    auto* flat = f.Add(40);
    flat->SetFlatParentColor(false);
    flat->SetFlat(true);
    flat->SetFlatLineColor(clNavy);
    auto* border = f.Add(70);
    border->SetBorderColor(clRed);
    auto* button = f.Add(100);
    button->FButtonColor = 0x00C08040;
    button->FButtonBorderColor = 0x00804020;
    button->FButtonTextColor = clWhite;
    for (auto* c : {standard, flat, border, button}) c->SetLeft(20);
    f.form.Show();
    QApplication::processEvents();
    const QImage img = f.form.grab().toImage();
    const QString path = QDir(QStringLiteral(KV_TEST_BINARY_DIR)).filePath(QStringLiteral("ksg_combo_looks.png"));
    ASSERT_TRUE(img.save(path));
    f.form.Hide();
}

TEST(KsgCombo, FlatButtonFrameUnlessHotOrStyledByTheGrid)
{
    TComboForm f;
    auto* c = f.Add();
    c->SetFlatParentColor(false);
    c->SetFlat(true);
    const int w = c->Width(), h = c->Height(), bw = c->ButtonWidth();
    // Not hot: the ring around the button in the button face colour.
    EXPECT_EQ(Shot(c).pixel(w - bw + 1, h / 2), Rgb(clBtnFace));
    EXPECT_EQ(Shot(c).pixel(w - 4, 3), Rgb(clBtnFace));
    // With the grid's XP styling and themes the ring is left to the theme.
    c->FIsWinXP = true;
    EXPECT_NE(Shot(c).pixel(w - 4, 3), Rgb(clBtnFace));
}

TEST(KsgCombo, MouseEnterMarksHotAndAutoFocusTakesTheFocus)
{
    TComboForm f;
    auto* c = f.Add();
    auto* other = f.Add(60);
    c->SetAutoFocus(true);
    f.form.Show();
    QApplication::setActiveWindow(&f.form);
    other->SetFocus();
    c->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(c->MouseInControl());
    EXPECT_TRUE(c->IsHot());
    EXPECT_TRUE(c->Focused());
    c->Perform(WM_MOUSEMOVE, 0, At(c->Width() - 2, 5));
    EXPECT_TRUE(c->ButtonHover());
    c->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(c->MouseInControl());
    EXPECT_FALSE(c->ButtonHover());
    // A disabled combo does not mark the mouse.
    other->SetEnabled(false);
    other->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(other->MouseInControl());
    f.form.Hide();
}

TEST(KsgCombo, ClassicProfileDrawsTheClassicButton)
{
    QImage themed, classic;
    int w = 0, bw = 0;
    {
        TComboForm f;
        auto* c = f.Add();
        c->SetFlatParentColor(false);
        c->SetFlat(true);
        themed = Shot(c);
        w = c->Width();
        bw = c->ButtonWidth();
    }
    {
        TThemeProfile profile;
        profile.ComCtlMajorVersion = 5;
        profile.ThemeActive = false;
        TThemeProfileScope scope(profile);
        TComboForm f;
        auto* c = f.Add();
        c->SetFlatParentColor(false);
        c->SetFlat(true);
        EXPECT_FALSE(c->UseThemes());
        classic = Shot(c);
    }
    // The classic frame control: a button face inside the strip.
    EXPECT_EQ(classic.pixel(w - bw + 5, 5), Rgb(clBtnFace));
    EXPECT_NE(classic.copy(w - bw, 0, bw, 21), themed.copy(w - bw, 0, bw, 21));
    // Outside the strip both are the same flat look.
    EXPECT_EQ(classic.copy(0, 0, w - bw - 4, 21), themed.copy(0, 0, w - bw - 4, 21));
}

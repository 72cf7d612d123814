// The drop-down button, the style tables, the frame, the focused value and the
// attached label.
#include "dropdown_test_support.h"

#include "dropdown/dropdown_styles.h"
#include "dropdown/item_appearance.h"
#include "dropdown/kv_button.h"
#include "grid/theme_services.h"

#include <QtTest/QTest>
#include <QtGui/QPaintEvent>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {
QImage Render(TControl* c) { return c->grab().toImage(); }
TColor PixelAt(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }
} // namespace

// ---------------------------------------------------------------- button
TEST(DropDownButton, WidthIsForcedAndOnlyALeftReleaseClicks)
{
    TDropDownEditButton b(nullptr);
    b.SetBounds(3, 4, 40, 20);
    EXPECT_EQ(b.Width(), 16);
    EXPECT_EQ(b.Height(), 20);
    EXPECT_EQ(b.InnerButton()->Width(), 16);
    EXPECT_EQ(b.InnerButton()->Height(), 20);
    b.SetBWidth(21);
    b.SetBounds(3, 4, 5, 20);
    EXPECT_EQ(b.Width(), 21);
    int clicks = 0;
    b.OnClick = [&](TObject* s) { ++clicks; EXPECT_EQ(s, &b); };
    b.Show();
    ClickWidget(b.InnerButton(), Qt::RightButton);
    EXPECT_EQ(clicks, 0);
    ClickWidget(b.InnerButton());
    EXPECT_EQ(clicks, 1);
    // The popup opens on the release, not on the press.
    TDropDownHost h;
    QTest::mousePress(Arrow(h.Edit), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(h.Edit->DroppedDown());
    QTest::mouseRelease(Arrow(h.Edit), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(h.Edit->DroppedDown());
}

TEST(DropDownButton, ColouredFaceAndFixedTriangleEvenWithThemes)
{
    TDropDownHost h;
    TDropDownEditButton* b = h.Edit->Button();
    b->SetButtonColor(0x00FF00);
    b->SetButtonTextColor(0xFF0000);
    h.Edit->SetBorderColor(0x0000FF);
    QApplication::processEvents();
    const QImage img = Render(Arrow(h.Edit));
    EXPECT_EQ(PixelAt(img, 0, 5), TColor(0x0000FF)) << "left edge in the editor's border colour";
    EXPECT_EQ(PixelAt(img, 3, 3), TColor(0x00FF00));
    EXPECT_EQ(PixelAt(img, 8, 8), TColor(0xFF0000)) << "inside the triangle (5,7) (11,7) (8,10)";
    EXPECT_EQ(PixelAt(img, 6, 7), TColor(0xFF0000));
    EXPECT_EQ(PixelAt(img, 8, 12), TColor(0x00FF00)) << "below the triangle";
    EXPECT_EQ(PixelAt(img, 13, 7), TColor(0x00FF00));
}

TEST(DropDownButton, AReadOnlyEditorShowsItsArrowDisabledThemedOrNot)
{
    for (bool themed : {true, false}) {
        TThemeProfile p;
        p.ThemeActive = themed;
        TThemeProfileScope scope(p);
        TDropDownHost h;
        h.Edit->SetReadOnly(true);
        Render(Arrow(h.Edit));
        EXPECT_FALSE(Arrow(h.Edit)->Enabled()) << themed;
        EXPECT_EQ(Arrow(h.Edit)->IsThemed(), themed);
        h.Edit->SetReadOnly(false);
        Render(Arrow(h.Edit));
        EXPECT_TRUE(Arrow(h.Edit)->Enabled()) << themed;
        if (!themed) {
            const QImage img = Render(Arrow(h.Edit));
            EXPECT_EQ(PixelAt(img, 8, 8), TColor(clBlack)) << "the classic black triangle";
        }
    }
}

TEST(DropDownButton, NoPressedLookAfterSetUp)
{
    TDropDownHost h;
    TKvDropDownSpeedButton* a = Arrow(h.Edit);
    a->SetGroupIndex(1);
    a->SetDown(true);
    EXPECT_TRUE(a->Pressed());
    a->SetUp();
    EXPECT_FALSE(a->Pressed());
    EXPECT_EQ(a->State(), bsDown) << "the state stays; only the look changes";
}

// ---------------------------------------------------------------- styles
TEST(DropDownStyles, RowsOfTheTablesApply)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->SetComponentStyle(tsWindows7);
    EXPECT_EQ(e->DropDownColor(), TColor(0xFFFFFF));
    EXPECT_EQ(e->DropDownColorTo(), TColor(0xFFFFFF));
    EXPECT_EQ(e->DropDownBorderColor(), TColor(0x979797));
    const TKvButtonAppearance* b = e->ButtonAppearance();
    EXPECT_EQ(b->Color(), TColor(0xFDFBFA));
    EXPECT_EQ(b->ColorTo(), TColor(0xFDF3EB));
    EXPECT_EQ(b->BorderColor(), TColor(0xFBD6B8));
    EXPECT_EQ(b->ColorDown(), TColor(0xFCEBDC));
    EXPECT_EQ(b->BorderColorDown(), TColor(0xCEA27D));
    EXPECT_EQ(b->ColorChecked(), TColor(0xFEF9F0));
    EXPECT_EQ(b->BorderColorChecked(), TColor(0xCEA27D));
    e->SetComponentStyle(tsOffice2010Black);
    EXPECT_EQ(e->DropDownColorTo(), TColor(0xF1EFED));
    EXPECT_EQ(b->Color(), TColor(0xBFBFBF));
    EXPECT_EQ(b->ColorHotTo(), TColor(clNone));
    EXPECT_EQ(b->BorderColorChecked(), TColor(0x4FA0CE));
    // An "unchanged" cell keeps the border colour.
    e->SetDropDownBorderColor(0x123456);
    e->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(e->DropDownBorderColor(), TColor(0x123456));
    EXPECT_EQ(e->DropDownColorTo(), TColor(clNone));
    // tsCustom is remembered and changes nothing.
    int changes = 0;
    e->ButtonAppearance()->OnChange = [&](TObject*) { ++changes; };
    e->SetComponentStyle(tsCustom);
    EXPECT_EQ(e->GetComponentStyle(), tsCustom);
    EXPECT_EQ(e->StoredRUZStyle(), int(tsCustom));
    EXPECT_EQ(e->DropDownColor(), TColor(0xFFFFFF));
    EXPECT_EQ(changes, 0);
    e->SetComponentStyle(tsWindowsXP);
    EXPECT_GT(changes, 0) << "the button appearance's setters notify";
    EXPECT_EQ(b->BorderColorHot(), TColor(clHighlight));
    EXPECT_EQ(b->ColorDown(), TColor(clInactiveCaption));
}

TEST(DropDownStyles, TheVistaFooterRunsTheOtherWay)
{
    const TPopupStyleRow* v = PopupStyleRow(tsWindowsVista);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Header, TColor(0xFFFDF9));
    EXPECT_EQ(v->HeaderTo, TColor(0xFFFAF0));
    EXPECT_EQ(v->Footer, TColor(0xFFFAF0));
    EXPECT_EQ(v->FooterTo, TColor(0xFFFDF9));
    EXPECT_EQ(PopupStyleRow(tsCustom), nullptr);
    EXPECT_EQ(PopupStyleRow(TQRVStyle(16)), nullptr);
    EXPECT_EQ(PopupStyleRow(tsTerminal)->HeaderBorder, TColor(clNone));
    EXPECT_EQ(PopupStyleRow(tsOffice2003Classic)->HeaderFont, TColor(0xFFFFFF));
}

TEST(DropDownStyles, ColourTonesSetTheButtonAndTheBorder)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    TColorTones t;
    t.Background = {0x111111, 0x222222, 0};
    t.Hover = {0x333333, 0, 0};
    t.Selected = {0x444444, 0, 0};
    e->SetColorTones(t);
    EXPECT_EQ(e->Button()->ButtonColor(), TColor(0x111111));
    EXPECT_EQ(e->Button()->ButtonColorHot(), TColor(0x333333));
    EXPECT_EQ(e->Button()->ButtonColorDown(), TColor(0x444444));
    EXPECT_EQ(e->Button()->ButtonBorderColor(), TColor(0x222222));
    EXPECT_EQ(e->BorderColor(), TColor(0x222222));
    // The same border colour again: the button colours change, the edit is not repainted.
    QApplication::processEvents();
    int paints = 0;
    // Repainting the button touches only its own rectangle; a repaint of the edit covers more.
    struct PaintSpy : QObject {
        int* n;
        explicit PaintSpy(int* c) : n(c) {}
        bool eventFilter(QObject*, QEvent* ev) override
        {
            if (ev->type() == QEvent::Paint && static_cast<QPaintEvent*>(ev)->rect().width() > 30) ++*n;
            return false;
        }
    } spy(&paints);
    e->installEventFilter(&spy);
    t.Background.BrushColor = 0x555555;
    e->SetColorTones(t);
    QApplication::processEvents();
    EXPECT_EQ(e->Button()->ButtonColor(), TColor(0x555555));
    EXPECT_EQ(paints, 0);
    e->removeEventFilter(&spy);
}

TEST(DropDownStyles, SelectionStylesAndTheirPainting)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    struct Row { TSelectionColorStyle Style; TColor From, To; };
    const Row rows[] = {{scOffice2007, 0xD7FFFD, 0x58D4FC}, {scWindowsVista, 0xFDF8F1, 0xFCEFD5}, {scWindows7, 0xFCEBDC, 0xFCDBC1}};
    for (const Row& r : rows) {
        e->SetSelectionColorStyle(r.Style);
        EXPECT_EQ(e->SelectionColor(), r.From);
        EXPECT_EQ(e->SelectionColorTo(), r.To);
        TRecordingCanvas c;
        e->DrawSelection(&c, TRect(0, 0, 40, 20), 0, clWhite);
        EXPECT_FALSE(c.Ops.empty());
    }
    e->SetSelectionColor(0x0000FF);
    e->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(e->SelectionColor(), TColor(0x0000FF)) << "custom leaves the colours alone";
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas c(&img);
        e->DrawSelection(&c, TRect(0, 0, 40, 20), 0, clWhite);
    }
    EXPECT_EQ(img.pixelColor(20, 10), QColor(Qt::red));
    e->SetStoredSelectionColorStyle(7);
    TRecordingCanvas none;
    e->DrawSelection(&none, TRect(0, 0, 40, 20), 0, clWhite);
    EXPECT_TRUE(none.Ops.empty()) << "a style outside the four draws nothing";
}

TEST(DropDownStyles, ItemAppearancePresetsAndStyles)
{
    TItemAppearance a;
    EXPECT_EQ(a.ColorStyle(), scOffice2007);
    EXPECT_EQ(a.ColorSelected(), TColor(0xA6FFFB));
    EXPECT_EQ(a.ColorMirrorSelectedTo(), TColor(0x68E3F9));
    EXPECT_EQ(a.ColorSelectedText(), TColor(0));
    EXPECT_EQ(a.BorderColorHot(), TColor(clNone));
    EXPECT_EQ(a.Font()->Name(), QStringLiteral("Tahoma"));
    a.SetColorStyle(scWindows7);
    EXPECT_EQ(a.EdgeColor(), TColor(0xE0C5AE));
    EXPECT_EQ(a.ColorMirrorHot(), TColor(clNone));
    a.SetColorHot(0x010203);
    a.SetColorStyle(scWindows7); // same style: nothing reloads
    EXPECT_EQ(a.ColorHot(), TColor(0x010203));

    SetItemAppearanceStyle(&a, tsWindowsXP);
    EXPECT_EQ(a.ColorSelected(), TColor(clHighlight));
    EXPECT_EQ(a.ColorSelectedText(), TColor(clHighlightText));
    EXPECT_EQ(a.ColorHotText(), TColor(0));
    a.SetBorderColorHot(0x777777);
    SetItemAppearanceStyle(&a, tsCustom);
    EXPECT_EQ(a.BorderColorHot(), TColor(0x777777)) << "tsCustom changes nothing";
    SetItemAppearanceStyle(&a, tsOffice2007Luna);
    EXPECT_EQ(a.BorderColorHot(), TColor(clNone));
    EXPECT_EQ(a.BorderColorTop(), TColor(0xF4FEFF));
    EXPECT_EQ(a.EdgeColor(), TColor(0xC3D9DF));
    SetItemAppearanceStyle(nullptr, tsOffice2007Luna);

    // Assign copies, then a different style loads its preset over the copy.
    TItemAppearance b;
    b.SetColorStyle(scCustom);
    b.SetColorHot(0x0A0B0C);
    TItemAppearance c;
    c.SetColorStyle(scCustom);
    c.Assign(&b);
    EXPECT_EQ(c.ColorHot(), TColor(0x0A0B0C));
    TItemAppearance d; // scOffice2007
    d.Assign(&b);
    EXPECT_EQ(d.ColorStyle(), scCustom);
    EXPECT_EQ(d.ColorHot(), TColor(0x0A0B0C));
}

TEST(DropDownStyles, ButtonAppearanceDefaultsAndAssign)
{
    TKvButtonAppearance a;
    EXPECT_EQ(a.ColorHot(), TColor(0xF5F0E1));
    EXPECT_EQ(a.ColorDown(), TColor(0xF5D8CA));
    EXPECT_EQ(a.BorderColorDown(), TColor(0x800000));
    EXPECT_EQ(a.Color(), TColor(clNone));
    EXPECT_EQ(a.ColorChecked(), TColor(0xF5D8CA)) << "ColorTone of $F5F0E1 by -10, -10, 0";
    EXPECT_EQ(a.Gradient(), gdVertical);
    EXPECT_EQ(a.Font()->Name(), QStringLiteral("Tahoma"));
    TKvButtonAppearance b;
    b.SetColor(0x010101);
    b.SetBorderColorChecked(0x020202);
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    a.Assign(&b);
    EXPECT_EQ(a.Color(), TColor(0x010101));
    EXPECT_EQ(a.BorderColorChecked(), TColor(0x020202));
    EXPECT_EQ(changes, 2);
    TItemAppearance other;
    EXPECT_ANY_THROW(a.Assign(&other));
}

// ---------------------------------------------------------------- frame, focused value, label
TEST(DropDownFrame, TheFirstMatchingCaseDrawsTheFrame)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    TTestDropDown other(h.Form);
    other.SetParent(h.Form);
    other.SetBounds(200, 20, 120, 25);
    e->SetBorderColor(0x0000FF);
    e->SetFocusBorderColor(0xFF0000);
    e->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(PixelAt(Render(e), 40, 0), TColor(0xFF0000)) << "focused: the focus colour";
    other.SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(PixelAt(Render(e), 40, 0), TColor(0x0000FF)) << "unfocused: the border colour";
    e->SetBorderColor(clNone);
    QApplication::processEvents();
    const TColor plain = PixelAt(Render(e), 40, 0);
    EXPECT_NE(plain, TColor(0xFF0000)) << "only a focus colour: no custom frame without the focus";
    EXPECT_NE(plain, TColor(0x0000FF));
    e->SetEnabled(false);
    QApplication::processEvents();
    EXPECT_EQ(PixelAt(Render(e), 40, 0), TColor(0xC0C0C0)) << "disabled and themed";
}

TEST(DropDownFrame, ADisabledEditorShowsItsFocusedValueHighlighted)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->SetEditorEnabled(false);
    e->SetTextDirect(QStringLiteral("   "));
    e->SetFocus();
    QApplication::processEvents();
    const QImage img = Render(e);
    EXPECT_EQ(PixelAt(img, 2, 10), TColor(clBlack)) << "black frame at x 2";
    EXPECT_EQ(PixelAt(img, 20, 10), ColorToRGB(clHighlight));
    e->SetFocusDraw(false);
    e->InvalidatePaintOver();
    QApplication::processEvents();
    EXPECT_NE(PixelAt(Render(e), 20, 10), ColorToRGB(clHighlight));
}

TEST(DropDownLabel, FifteenPositionsAndUpkeep)
{
    TDropDownHost h(0, 150, 40);
    TTestDropDown* e = h.Edit;
    e->LabelFont()->SetName(DropDownTestFontFamily());
    e->LabelFont()->SetSize(9);
    e->SetLabelMargin(4);
    e->SetLabelCaption(QStringLiteral("Name"));
    TLabel* l = e->Label();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), h.Form);
    EXPECT_EQ(l->FocusControl(), e);
    const int W = l->Width(), lw = l->Width(), lh = l->Height();
    const int L = 150, T = 40, Wc = 120, H = 25, M = 4;
    const int CV = T + (H - lh) / 2, CH = L + (Wc - lw) / 2;
    struct Row { TLabelPosition P; int Top, Left; };
    const Row rows[] = {
        {lpLeftTop, T, L - W - M},        {lpLeftCenter, CV, L - W - M},      {lpLeftBottom, T + H - lh, L - W - M},
        {lpTopLeft, T - lh - M, L},        {lpBottomLeft, T + H + M, L},       {lpLeftTopLeft, T, L - M},
        {lpLeftCenterLeft, CV, L - M},     {lpLeftBottomLeft, T + H - lh, L - M}, {lpTopCenter, T - lh - M, CH},
        {lpBottomCenter, T + H + M, CH},   {lpRightTop, T, L + Wc + M},        {lpRightCenter, CV, L + Wc + M},
        {lpRighBottom, T + H - lh, L + Wc + M}, {lpTopRight, T - lh - M, L + Wc - lw}, {lpBottomRight, T + H + M, L + Wc - lw},
    };
    for (const Row& r : rows) {
        e->SetLabelPosition(r.P);
        EXPECT_EQ(l->Top(), r.Top) << int(r.P);
        EXPECT_EQ(l->Left(), r.Left) << int(r.P);
    }
    e->SetLabelPosition(lpLeftTop);
    EXPECT_EQ(l->Left() + l->Width(), L - 4) << "ends 4 pixels left of the control";
    e->SetBounds(170, 50, 120, 25);
    EXPECT_EQ(l->Left() + l->Width(), 170 - 4);
    EXPECT_EQ(l->Top(), 50);
    e->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    e->SetVisible(true);
    EXPECT_TRUE(l->Visible());
    // A label without a caption is left alone.
    TTestDropDown bare(h.Form);
    bare.SetParent(h.Form);
    bare.SetLabelCaption(QString());
    bare.Label()->SetVisible(true);
    bare.SetVisible(false);
    EXPECT_TRUE(bare.Label()->Visible());
    int clicks = 0;
    e->OnLabelClick = [&](TObject*) { ++clicks; };
    l->Click();
    EXPECT_EQ(clicks, 1);
}

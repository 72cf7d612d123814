#include "grid_input/ksg_date_time_picker.h"

#include "grid/theme_services.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
constexpr TColor ParentShade = 0x00336699;
constexpr TColor DisabledFrame = 12164479;

LPARAM At(int x, int y) { return MAKELPARAM(unsigned(x), unsigned(y)); }
QRgb Rgb(TColor c) { return ToQColor(c).rgb(); }

struct TPickerForm {
    TForm form;
    explicit TPickerForm()
    {
        InitThemeLibrary();
        form.SetBounds(0, 0, 260, 80);
        form.SetColor(ParentShade);
    }
    template <class T> T* Add()
    {
        auto* p = new T(&form);
        p->SetParent(&form);
        p->SetBounds(10, 10, 186, 21);
        p->SetFormat(QStringLiteral("dd/MM/yyyy"));
        p->SetDateTime(EncodeDate(2024, 3, 5));
        return p;
    }
};

QImage Shot(TControl* c)
{
    QApplication::processEvents();
    return c->grab().toImage();
}

struct TPressedPicker : TKsgDateTimePicker {
    using TKsgDateTimePicker::TKsgDateTimePicker;
    bool Down = false;
    bool IsMouseButtonDown() const override { return Down; }
};
} // namespace

TEST(KsgDateTimePicker, WithoutTheFlatLookItIsThePlatformPicker)
{
    TPickerForm f;
    auto* plain = f.Add<TDateTimePicker>();
    auto* flat = f.Add<TKsgDateTimePicker>();
    EXPECT_EQ(Shot(plain), Shot(flat));
    EXPECT_EQ(flat->Version(), QStringLiteral("1.0.0.0"));
    flat->SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(flat->Version(), QStringLiteral("1.0.0.0"));
}

TEST(KsgDateTimePicker, FrameRulesByPixel)
{
    TPickerForm f;
    auto* plain = f.Add<TKsgDateTimePicker>();
    auto* p = f.Add<TKsgDateTimePicker>();
    p->SetMetroStyle(true);
    const int h = p->Height(), w = p->Width();
    // No border colour: no frame of its own, the left edge is the platform's.
    const QImage base = Shot(plain), metro = Shot(p);
    for (int y = 0; y < h; ++y) EXPECT_EQ(metro.pixel(0, y), base.pixel(0, y)) << y;

    p->SetBorderColor(clRed);
    QImage img = Shot(p);
    EXPECT_EQ(img.pixel(0, h / 2), Rgb(clRed));
    EXPECT_EQ(img.pixel(w - 1, h / 2), Rgb(clRed));
    EXPECT_EQ(img.pixel(w / 2, 0), Rgb(clRed));
    EXPECT_EQ(img.pixel(w / 2, h - 1), Rgb(clRed));
    EXPECT_NE(img.pixel(1, h / 2), Rgb(clRed));   // one pixel wide

    p->SetEnabled(false);
    img = Shot(p);
    EXPECT_EQ(img.pixel(0, h / 2), Rgb(DisabledFrame));
    EXPECT_EQ(img.pixel(w - 1, h / 2), Rgb(DisabledFrame));
    EXPECT_NE(img.pixel(1, h / 2), Rgb(DisabledFrame));
}

TEST(KsgDateTimePicker, ClassicDisabledFramesAroundControlAndTextArea)
{
    TThemeProfile classic;
    classic.ComCtlMajorVersion = 5;
    classic.ThemeActive = false;
    TThemeProfileScope scope(classic);
    TPickerForm f;
    auto* p = f.Add<TKsgDateTimePicker>();
    p->SetMetroStyle(true);
    p->SetEnabled(false);
    const int h = p->Height(), w = p->Width(), bw = p->ButtonWidth();
    const QImage img = Shot(p);
    EXPECT_EQ(img.pixel(0, h / 2), Rgb(ParentShade));
    EXPECT_EQ(img.pixel(w - 1, h / 2), Rgb(ParentShade));
    EXPECT_EQ(img.pixel(1, h / 2), Rgb(ParentShade));
    EXPECT_EQ(img.pixel(w / 2, 1), Rgb(ParentShade));   // the text-area frame
    EXPECT_EQ(img.pixel(w - bw - 4, h / 2), Rgb(clBtnFace));   // under the flat button face
    EXPECT_EQ(img.pixel(2, h / 2), Rgb(p->Color()));
    EXPECT_EQ(img.pixel(w / 2, 2), Rgb(p->Color()));
}

TEST(KsgDateTimePicker, ButtonColoursFollowHoverAndPress)
{
    TPickerForm f;
    auto* p = f.Add<TPressedPicker>();
    p->SetMetroStyle(true);
    p->ButtonColor = clBlue;
    p->ButtonColorHot = clLime;
    p->ButtonColorDown = clRed;
    p->ButtonTextColor = clBlack;
    const int probeX = p->Width() - 4, probeY = 4;
    EXPECT_EQ(Shot(p).pixel(probeX, probeY), Rgb(clBlue));
    p->Perform(WM_MOUSEMOVE, 0, At(10, 5));
    EXPECT_FALSE(p->ButtonHover());
    p->Perform(WM_MOUSEMOVE, 0, At(p->Width() - 5, 5));
    EXPECT_TRUE(p->ButtonHover());
    EXPECT_EQ(Shot(p).pixel(probeX, probeY), Rgb(clLime));
    p->Down = true;
    p->Perform(WM_LBUTTONDOWN, 0, At(p->Width() - 5, 5));
    EXPECT_EQ(Shot(p).pixel(probeX, probeY), Rgb(clRed));
    p->Down = false;
    p->Perform(WM_LBUTTONUP, 0, At(p->Width() - 5, 5));
    p->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(p->ButtonHover());
    EXPECT_EQ(Shot(p).pixel(probeX, probeY), Rgb(clBlue));
    // The time kind has no drop-down button of its own.
    p->SetKind(dtkTime);
    EXPECT_NE(Shot(p).pixel(probeX, probeY), Rgb(clBlue));
}

TEST(KsgDateTimePicker, BeforeVistaTheClientDrawingIsSkipped)
{
    TThemeProfile xp;
    xp.WindowsVistaOrLater = false;
    TThemeProfileScope scope(xp);
    TPickerForm f;
    auto* p = f.Add<TKsgDateTimePicker>();
    p->SetMetroStyle(true);
    p->ButtonColor = clBlue;
    EXPECT_NE(Shot(p).pixel(p->Width() - 4, 4), Rgb(clBlue));
}

// Owned frameless windows, class style bits, the monitor layout seam, corner
// sizing of a frameless form and painting over an edit.
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtGui/QWindow>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {

// A frameless form that names its owner in CreateParams and offers the
// bottom-right grip, as drop-down popups do.
class TOwnedPopup : public TForm {
public:
    explicit TOwnedPopup(TWinControl* owner) : TForm(nullptr), FOwnerForm(owner) { SetBorderStyle(bsNone); }
    std::vector<TRect> Sizing;
protected:
    void CreateParams(TCreateParams& p) override
    {
        TForm::CreateParams(p);
        p.WndParent = FOwnerForm;
    }
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_NCHITTEST) {
            const TPoint c = ScreenToClient(TPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
            m.Result = c.X > Width() - 10 && c.Y > Height() - 10 ? HTBOTTOMRIGHT : HTNOWHERE;
            return;
        }
        if (m.Msg == WM_SIZING) Sizing.push_back(*reinterpret_cast<TRect*>(m.LParam));
        TForm::WndProc(m);
    }
private:
    TWinControl* FOwnerForm;
};

} // namespace

TEST(OwnedPopup, AFormNamingAnOwnerIsATransientTopLevelWindowOfIt)
{
    TForm owner;
    owner.SetBounds(10, 10, 300, 200);
    owner.Show();
    TOwnedPopup popup(&owner);
    popup.SetBounds(20, 20, 100, 80);
    popup.HandleNeeded();
    EXPECT_EQ(popup.OwnerWindow(), &owner);
    EXPECT_TRUE(popup.isWindow());
    EXPECT_TRUE(popup.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(popup.windowType(), Qt::Window) << "an ordinary window, not a grabbing popup";
    ASSERT_NE(popup.windowHandle(), nullptr);
    EXPECT_EQ(popup.windowHandle()->transientParent(), owner.windowHandle());
    EXPECT_EQ(ParentOrOwnerWindow(&popup), &owner);

    // A control inside the popup walks up to the popup, then to its owner.
    TEdit inner(&popup);
    inner.SetParent(&popup);
    EXPECT_EQ(ParentOrOwnerWindow(&inner), &popup);
    EXPECT_EQ(ParentOrOwnerWindow(&owner), nullptr);

    // A plain form has no owner.
    TForm plain;
    plain.HandleNeeded();
    EXPECT_EQ(plain.OwnerWindow(), nullptr);
}

TEST(OwnedPopup, ClassStyleBitsAreKeptPerWindow)
{
    TForm a, b;
    a.HandleNeeded();
    b.HandleNeeded();
    const unsigned base = GetClassLong(&a, GCL_STYLE);
    EXPECT_TRUE(base & CS_DBLCLKS);
    EXPECT_EQ(SetClassLong(&a, GCL_STYLE, base | CS_DROPSHADOW), base);
    EXPECT_TRUE(GetClassLong(&a, GCL_STYLE) & CS_DROPSHADOW);
    EXPECT_FALSE(GetClassLong(&b, GCL_STYLE) & CS_DROPSHADOW);
    SetClassLong(&a, GCL_STYLE, GetClassLong(&a, GCL_STYLE) & ~unsigned(CS_DROPSHADOW));
    EXPECT_FALSE(GetClassLong(&a, GCL_STYLE) & CS_DROPSHADOW);
    EXPECT_EQ(GetClassLong(&a, 0), 0u) << "only the style is kept";
    EXPECT_EQ(GetClassLong(nullptr, GCL_STYLE), 0u);
}

TEST(OwnedPopup, MonitorLayoutSeamAnswersEveryScreenQuery)
{
    {
        TScreenLayoutScope layout({{TRect(0, 0, 1280, 1024), TRect(0, 0, 1280, 984), false},
                                   {TRect(1280, 0, 2560, 800), TRect(1300, 0, 2560, 800), false}});
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
        TRect work(-1, -1, -1, -1);
        ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work));
        EXPECT_EQ(work, TRect(0, 0, 1280, 984));

        struct Row { TPoint At; unsigned Flags; HMONITOR Expected; };
        const Row rows[] = {
            {TPoint(10, 10), MONITOR_DEFAULTTONEAREST, 1},
            {TPoint(1500, 100), MONITOR_DEFAULTTONULL, 2},
            {TPoint(5000, 100), MONITOR_DEFAULTTONEAREST, 2},   // right of the second
            {TPoint(-50, 500), MONITOR_DEFAULTTONEAREST, 1},    // left of the first
            {TPoint(1500, 900), MONITOR_DEFAULTTONEAREST, 2},   // below the shorter second one
            {TPoint(5000, 100), MONITOR_DEFAULTTONULL, 0},
            {TPoint(5000, 100), MONITOR_DEFAULTTOPRIMARY, 1},
        };
        for (const Row& r : rows) EXPECT_EQ(MonitorFromPoint(r.At, r.Flags), r.Expected) << r.At.X << "," << r.At.Y;
        TMonitorInfo mi;
        ASSERT_TRUE(GetMonitorInfo(2, &mi));
        EXPECT_EQ(mi.rcWork, TRect(1300, 0, 2560, 800));
        EXPECT_FALSE(mi.Primary);
        EXPECT_FALSE(GetMonitorInfo(3, &mi));
        EXPECT_FALSE(GetMonitorInfo(0, &mi));
    }
    // Without the seam the offscreen screen answers.
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), Screen->Height());
    EXPECT_GE(MonitorFromPoint(TPoint(0, 0), MONITOR_DEFAULTTONEAREST), 1);
}

TEST(OwnedPopup, TheBottomRightGripSizesAFramelessFormWithTheMouse)
{
    TForm owner;
    owner.Show();
    TOwnedPopup popup(&owner);
    popup.SetBounds(50, 60, 120, 90);
    popup.SetMinSize(80, 50);
    popup.Show();
    // A press outside the grip does nothing.
    popup.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
    EXPECT_FALSE(popup.SizeTracking());
    popup.Perform(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));

    popup.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(115, 85));
    // The offscreen window system refuses the system resize: the form follows the mouse.
    ASSERT_TRUE(popup.SizeTracking());
    popup.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(135, 95));
    EXPECT_EQ(popup.Width(), 140);
    EXPECT_EQ(popup.Height(), 100);
    ASSERT_FALSE(popup.Sizing.empty());
    EXPECT_EQ(popup.Sizing.back(), TRect(50, 60, 190, 160));
    // Never below the form's minimum size; the release ends the sizing.
    popup.Perform(WM_LBUTTONUP, 0, MAKELPARAM(-100, -100));
    EXPECT_FALSE(popup.SizeTracking());
    EXPECT_EQ(popup.Width(), 80);
    EXPECT_EQ(popup.Height(), 50);
    EXPECT_EQ(popup.Left(), 50);
    EXPECT_EQ(popup.Top(), 60);
}

namespace {
class TRingEdit : public TEdit {
public:
    using TEdit::TEdit;
protected:
    void PaintOver(TCanvas* c) override
    {
        c->Brush()->SetColor(clRed);
        c->FrameRect(TRect(0, 0, Width(), Height()));
    }
};
} // namespace

TEST(OwnedPopup, PaintOverDrawsOnTopOfTheEditAndLetsTheMouseThrough)
{
    TForm form;
    form.SetBounds(0, 0, 200, 100);
    TRingEdit edit(&form);
    edit.SetParent(&form);
    edit.SetBounds(10, 10, 120, 24);
    edit.SetText(QStringLiteral("value"));
    edit.SetPaintOver(true);
    form.Show();
    QApplication::processEvents();
    const QImage img = edit.grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(119, 23), QColor(Qt::red));
    EXPECT_NE(img.pixelColor(60, 12), QColor(Qt::red));
    // The ring follows a resize.
    edit.SetBounds(10, 10, 150, 30);
    QApplication::processEvents();
    const QImage wider = edit.grab().toImage();
    EXPECT_EQ(wider.pixelColor(149, 29), QColor(Qt::red));
    EXPECT_TRUE(edit.PaintOverEnabled());
    edit.SetPaintOver(false);
    EXPECT_FALSE(edit.PaintOverEnabled());
}

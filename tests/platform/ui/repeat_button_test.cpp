#include "platform/ui/messages.h"
#include "platform/ui/repeat_button.h"
#include "platform/ui/spin_glyphs.h"
#include "platform/ui/track_popup.h"

#include <gtest/gtest.h>

namespace {
LPARAM At(int x, int y) { return MAKELPARAM(unsigned(x), unsigned(y)); }
}

TEST(RepeatSpeedButton, QuickClickStepsOnceAndHoldRepeatsFromTheTimer)
{
    TPanel panel;
    auto* b = new TRepeatSpeedButton(&panel);
    b->SetParent(&panel);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };

    b->Perform(WM_LBUTTONDOWN, 0, At(3, 3));
    ASSERT_NE(b->RepeatTimer(), nullptr);
    EXPECT_TRUE(b->RepeatTimer()->Enabled());
    EXPECT_EQ(b->RepeatTimer()->Interval(), 400u);
    b->Perform(WM_LBUTTONUP, 0, At(3, 3));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->RepeatTimer()->Enabled());

    clicks = 0;
    b->Perform(WM_LBUTTONDOWN, 0, At(3, 3));
    EXPECT_EQ(b->RepeatTimer()->Interval(), 400u);   // every press starts with the long delay
    b->RepeatTimer()->Tick();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->RepeatTimer()->Interval(), 100u);
    b->RepeatTimer()->Tick();
    b->RepeatTimer()->Tick();
    EXPECT_EQ(clicks, 3);
    b->Perform(WM_LBUTTONUP, 0, At(3, 3));
    EXPECT_EQ(clicks, 4);
    // A tick that arrives after the release clicks no more.
    b->RepeatTimer()->Tick();
    EXPECT_EQ(clicks, 4);

    // Released away from the button: the repeats stay, the release does not click.
    clicks = 0;
    b->Perform(WM_LBUTTONDOWN, 0, At(3, 3));
    b->RepeatTimer()->Tick();
    b->Perform(WM_LBUTTONUP, 0, At(300, 300));
    EXPECT_EQ(clicks, 1);
}

TEST(RepeatSpeedButton, WithoutRepeatNoTimerIsMade)
{
    TRepeatSpeedButton b;
    b.SetAllowRepeat(false);
    int clicks = 0;
    b.OnClick = [&](TObject*) { ++clicks; };
    b.Perform(WM_LBUTTONDOWN, 0, At(2, 2));
    EXPECT_EQ(b.RepeatTimer(), nullptr);
    b.Perform(WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(clicks, 1);
}

TEST(TrackPopupMenu, ReturnsTheAnswerOfTheInstalledHandler)
{
    std::vector<TTrackMenuItem> seen;
    TPoint where;
    TTrackPopupScope scope([&](const std::vector<TTrackMenuItem>& items, const TPoint& p) {
        seen = items;
        where = p;
        return 2;
    });
    EXPECT_EQ(TrackPopupMenu({{1, QStringLiteral("m")}, {2, QStringLiteral("mm")}}, TPoint(40, 50), nullptr), 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].Caption, QStringLiteral("mm"));
    EXPECT_EQ(where.X, 40);
    EXPECT_EQ(where.Y, 50);
}

TEST(SpinGlyphs, TrianglesOnOliveNineBySix)
{
    RegisterSpinGlyphs();
    const QImage up = ResourceImage(QStringLiteral("KsgSpinUp"));
    const QImage down = ResourceImage(QStringLiteral("KsgSpinDown"));
    ASSERT_EQ(up.size(), QSize(9, 6));
    ASSERT_EQ(down.size(), QSize(9, 6));
    auto rowText = [](const QImage& img, int y) {
        QString s;
        for (int x = 0; x < img.width(); ++x)
            s += img.pixel(x, y) == qRgb(0, 0, 0) ? QLatin1Char('#') : img.pixel(x, y) == qRgb(128, 128, 0) ? QLatin1Char('.') : QLatin1Char('?');
        return s;
    };
    const QStringList upRows = {".........", "....#....", "...###...", "..#####..", ".#######.", "........."};
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(rowText(up, y), upRows[y]) << y;
        EXPECT_EQ(rowText(down, y), upRows[5 - y]) << y;
    }
}

// The analogue watch: geometry, mouse and keys, the hour carry, the eased
// animation driven tick by tick, live mode on an injected clock, and the face
// and hands counted on the recording canvas. Also writes the twelve faces side
// by side to watch_styles.png in the build folder.
#include "dropdown/watch.h"

#include "platform/core/exceptions.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

TDateTime At(int H, int M, int S = 0)
{
    return EncodeTime(H, M, S, 0);
}

int HourOf(TDateTime T)
{
    int h, m, s, ms;
    DecodeTime(T, h, m, s, ms);
    return h;
}

int MinuteOf(TDateTime T)
{
    int h, m, s, ms;
    DecodeTime(T, h, m, s, ms);
    return m;
}

// Runs the animation to its end; the minutes (or hours) after each tick.
std::vector<int> RunAnimation(TKvWatch& W, bool Hours = false)
{
    std::vector<int> seen;
    for (int guard = 0; W.AnimationTimer()->Enabled() && guard < 500; ++guard) {
        W.AnimationTimer()->Tick();
        seen.push_back(Hours ? HourOf(W.Time()) : MinuteOf(W.Time()));
    }
    EXPECT_FALSE(W.AnimationTimer()->Enabled()) << "the animation ends";
    return seen;
}

void Release(TKvWatch& W, int X, int Y)
{
    W.Perform(WM_LBUTTONUP, 0, MAKELPARAM(unsigned(X), unsigned(Y)));
}

int Count(const TRecordingCanvas& C, const char* Kind)
{
    return int(C.OpsOf(QString::fromLatin1(Kind)).size());
}

TPoint OnDial(int Minute, double Distance)
{
    const double a = Minute * 6.0 * std::numbers::pi / 180.0;
    return TPoint(90 + int(std::lround(Distance * std::sin(a))), 90 - int(std::lround(Distance * std::cos(a))));
}

} // namespace

TEST(Watch, GeometryOfTheFace)
{
    TKvWatch w;
    EXPECT_EQ(w.WatchRect(), TRect(10, 10, 170, 170));
    EXPECT_EQ(w.Center(), TPoint(90, 90));
    EXPECT_EQ(w.Radius(), 80.0);
    w.Appearance()->SetSize(300);
    EXPECT_EQ(w.WatchRect(), TRect(0, 0, 180, 180)) << "never larger than the control";
    w.Appearance()->SetSize(0);
    w.SetBounds(0, 0, 200, 121);
    EXPECT_EQ(w.WatchRect(), TRect(49, 10, 150, 111));
    EXPECT_EQ(w.Center(), TPoint(99, 60)) << "an odd side: the centre is half the side rounded down";
    EXPECT_EQ(w.Radius(), 50.0);
}

TEST(Watch, ReleasesOutsideSetTheMinuteAndInsideTheHourOfTheShownHalf)
{
    TKvWatch w;
    w.SetAnimation(false);
    w.SetTime(At(10, 0));
    Release(w, 175, 90);
    EXPECT_EQ(w.Time(), At(10, 15));

    Release(w, 90, 40);
    EXPECT_EQ(w.Time(), At(0, 15)) << "twelve o'clock in the AM half is hour 0";

    w.SetTime(At(13, 5));
    EXPECT_FALSE(w.AM());
    Release(w, 90, 40);
    EXPECT_EQ(w.Time(), At(12, 5));
    Release(w, 160, 90);
    EXPECT_EQ(w.Time(), At(15, 5)) << "three o'clock in the PM half";
}

TEST(Watch, JustLeftOfTwelveGivesTheSameHourAsJustRight)
{
    TKvWatch w;
    for (int minute : {58, 59, 0, 1}) {
        const TPoint p = OnDial(minute, 50);
        EXPECT_EQ(w.MinuteAtPos(p.X, p.Y), minute);
        EXPECT_EQ(w.HourAtPos(p.X, p.Y), 0) << "minute angle " << minute;
    }
    for (int minute : {13, 17}) {
        const TPoint p = OnDial(minute, 50);
        EXPECT_EQ(w.HourAtPos(p.X, p.Y), 3) << "minute angle " << minute;
    }
}

TEST(Watch, TheAMPMBoxFlipsTheHalfOfTheDay)
{
    TKvWatch w;
    w.SetAnimation(false);
    w.SetTime(At(10, 20));
    TRecordingCanvas c;
    const TRect box = w.AMPMRect(&c);
    EXPECT_EQ(box, TRect(79, 112, 101, 125));
    const TRect real = w.AMPMRect();
    Release(w, (real.Left + real.Right) / 2, (real.Top + real.Bottom) / 2);
    EXPECT_EQ(w.Time(), At(22, 20));
    EXPECT_FALSE(w.AM());

    w.SetShowAMPM(false);
    EXPECT_EQ(w.AMPMRect(), TRect(-1, -1, -1, -1));
}

TEST(Watch, TheBoxRollsThroughTheClockSeamWithoutWaiting)
{
    TManualClock clock;
    TClockScope scope(clock);
    TKvWatch w;
    w.SetTime(At(9, 0));
    w.Snapshot(); // paints, so the face cache exists
    const TRect box = w.AMPMRect();
    Release(w, (box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    EXPECT_FALSE(w.AM());
    EXPECT_EQ(w.Time(), At(21, 0)) << "the hour moves at once after the roll";
    EXPECT_EQ(clock.Ticks, quint64(10 * (box.Height() - 2))) << "10 ms per pixel row of the box interior";
}

TEST(Watch, MinuteZeroCarriesOnlyForwardOverTheTop)
{
    TKvWatch w;
    w.SetAnimation(false);
    struct Row {
        int H, M;
        TDateTime Expected;
    };
    for (const Row& r : {Row{10, 45, At(11, 0)}, Row{10, 15, At(10, 0)}, Row{23, 31, At(0, 0)}, Row{23, 30, At(23, 0)}}) {
        w.SetTime(At(r.H, r.M));
        w.SetMinute(0);
        EXPECT_EQ(w.Time(), r.Expected) << r.H << ":" << r.M;
    }
    EXPECT_THROW(w.SetMinute(60), Exception);
    try {
        w.SetMinute(75);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid time"));
    }
}

TEST(Watch, KeyTable)
{
    struct Row {
        const char* Name;
        bool Animation;
        int H, M;
        WORD Key;
        TDateTime Expected;
    };
    const Row rows[] = {
        {"Right at :59", false, 10, 59, VK_RIGHT, At(11, 0)},
        {"Right", false, 10, 20, VK_RIGHT, At(10, 21)},
        {"Left at 0:00", false, 0, 0, VK_LEFT, At(23, 59)},
        {"Left at 5:00", false, 5, 0, VK_LEFT, At(4, 59)},
        {"Left", false, 10, 30, VK_LEFT, At(10, 29)},
        {"Home animated", true, 10, 30, VK_HOME, At(12, 30)},
        {"End", false, 10, 30, VK_END, At(10, 0)},
        {"A", false, 15, 30, 'A', At(3, 30)},
        {"a in the AM", false, 3, 30, 97, At(3, 30)},
        {"P", false, 3, 30, 'P', At(15, 30)},
        {"p", false, 3, 30, 112, At(15, 30)},
        {"Page Up at 23 animated", true, 23, 10, VK_PRIOR, At(0, 10)},
        {"Page Up", false, 10, 10, VK_PRIOR, At(11, 10)},
        {"Page Down at 0 animated", true, 0, 10, VK_NEXT, At(23, 10)},
        {"Page Down", false, 10, 10, VK_NEXT, At(9, 10)},
        {"Up does nothing", false, 10, 10, VK_UP, At(10, 10)},
    };
    for (const Row& r : rows) {
        TKvWatch w;
        w.SetAnimation(r.Animation);
        w.SetTime(At(r.H, r.M));
        w.HandleKey(r.Key);
        EXPECT_EQ(w.Time(), r.Expected) << r.Name;
        EXPECT_FALSE(w.AnimationTimer()->Enabled()) << r.Name;
    }
}

TEST(Watch, AnimatedMinuteEasesInAndAnnouncesOnce)
{
    TKvWatch w;
    w.SetTime(At(10, 0));
    int changes = 0;
    w.OnChange = [&](TObject*) { ++changes; };
    w.SetMinute(30);
    EXPECT_TRUE(w.AnimationTimer()->Enabled());
    EXPECT_EQ(w.Time(), At(10, 0)) << "nothing moves before the first tick";
    const std::vector<int> seen = RunAnimation(w);
    std::vector<int> steps;
    int previous = 0;
    for (int m : seen) {
        steps.push_back(m - previous);
        previous = m;
    }
    std::vector<int> expected = {3, 3, 2, 2, 2, 2, 2};
    expected.insert(expected.end(), 14, 1);
    expected.push_back(0); // the tick that finds the target stops the timer
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(w.Time(), At(10, 30));
    EXPECT_EQ(changes, 1);
}

TEST(Watch, AnimatedMoveOverTheTopTakesTheShortWayAndCarries)
{
    TKvWatch w;
    w.SetTime(At(10, 45));
    int changes = 0;
    w.OnChange = [&](TObject*) { ++changes; };
    w.SetMinute(0);
    const std::vector<int> seen = RunAnimation(w);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 47) << "forward: 15 minutes to go, step round(1.5) = 2";
    EXPECT_EQ(w.Time(), At(11, 0));
    EXPECT_EQ(changes, 1);

    w.SetHour(20);
    const std::vector<int> hours = RunAnimation(w, true);
    EXPECT_EQ(hours.front(), 12);
    EXPECT_EQ(w.Time(), At(20, 0));
    EXPECT_FALSE(w.AM());
    EXPECT_EQ(changes, 2);
}

TEST(Watch, AnimationFactorBelowOneCountsAsOne)
{
    for (int factor : {0, -5, 1}) {
        TKvWatch w;
        w.SetAnimationFactor(factor);
        w.SetTime(At(10, 0));
        w.SetMinute(30);
        const std::vector<int> seen = RunAnimation(w);
        EXPECT_EQ(seen, (std::vector<int>{30, 30})) << "factor " << factor;
        w.SetHour(2);
        EXPECT_EQ(RunAnimation(w, true), (std::vector<int>{2, 2})) << "factor " << factor;
    }
}

TEST(Watch, MarksAndNumbersByTickMarks)
{
    TKvWatch w;
    w.SetShowAMPM(false);
    struct Row {
        TTickMarks Marks;
        THourMarkStyle MarkStyle;
        int Lines;
        QStringList Numbers;
    };
    const QStringList all = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    const Row rows[] = {
        {tmAll, hmsLine, 60, all},
        {tmHours, hmsLine, 12, {}},
        {tmQuartHours, hmsLine, 4, {"3", "6", "9", "12"}},
        {tmNone, hmsLine, 0, {}},
        {tmQuartHours, hmsQuartDblLine, 8, {"3", "6", "9", "12"}},
        {tmHours, hmsQuartDblLine, 16, {}},
    };
    for (const Row& r : rows) {
        w.Appearance()->SetTickMarks(r.Marks);
        w.Appearance()->SetHourMarkStyle(r.MarkStyle);
        TRecordingCanvas c;
        w.DrawFace(&c);
        EXPECT_EQ(Count(c, "LineTo"), r.Lines) << r.Marks << " " << r.MarkStyle;
        QStringList numbers;
        for (const auto& op : c.OpsOf(QStringLiteral("TextOut")))
            numbers << op.Text;
        EXPECT_EQ(numbers, r.Numbers) << r.Marks;
    }
    w.SetShowNumbers(false);
    w.Appearance()->SetTickMarks(tmAll);
    w.Appearance()->SetHourMarkStyle(hmsLine);
    TRecordingCanvas c;
    w.DrawFace(&c);
    EXPECT_EQ(Count(c, "TextOut"), 0);
}

TEST(Watch, MarkAndNumberPlacement)
{
    TKvWatch w;
    w.SetShowAMPM(false);
    TRecordingCanvas c; // 7 x 13 pixel characters
    w.DrawFace(&c);
    const auto lines = c.OpsOf(QStringLiteral("LineTo"));
    ASSERT_FALSE(lines.empty());
    // Outer radius 80 - 4 div 2 = 78; hour marks from 0.9 of it.
    EXPECT_EQ(lines[0].R, TRect(90, 20, 90, 12));
    EXPECT_EQ(lines[0].Color, clBlack);
    for (const auto& op : c.OpsOf(QStringLiteral("TextOut"))) {
        if (op.Text == QStringLiteral("12")) {
            EXPECT_EQ(TPoint(op.X, op.Y), TPoint(83, 23));
        }
        if (op.Text == QStringLiteral("3")) {
            EXPECT_EQ(TPoint(op.X, op.Y), TPoint(148, 84));
        }
    }
}

TEST(Watch, HandsByPointerStyle)
{
    TKvWatch w;
    w.SetTime(At(3, 0));
    struct Row {
        TPointerStyle Style;
        int Lines, Polygons;
    };
    for (const Row& r : {Row{psLine, 4, 0}, Row{psPointer, 0, 4}, Row{psShortLine, 0, 0}, Row{psLineArrow, 0, 0}}) {
        w.Appearance()->SetPointerStyle(r.Style);
        TRecordingCanvas c;
        w.DrawHands(&c);
        EXPECT_EQ(Count(c, "LineTo"), r.Lines) << r.Style;
        EXPECT_EQ(Count(c, "Polygon"), r.Polygons) << r.Style;
        EXPECT_EQ(Count(c, "Ellipse"), 1) << "the centre point: " << r.Style;
    }
    w.Appearance()->SetPointerStyle(psLine);
    w.Appearance()->SetHourPointerShadow(clNone);
    TRecordingCanvas c;
    w.DrawHands(&c);
    const auto lines = c.OpsOf(QStringLiteral("LineTo"));
    ASSERT_EQ(lines.size(), 3u);
    // Minute shadow, hour hand (3 o'clock: 8 px behind, 40 px ahead), minute hand.
    EXPECT_EQ(lines[1].R, TRect(82, 90, 130, 90));
    EXPECT_EQ(lines[2].R, TRect(90, 98, 90, 34));

    w.Appearance()->SetCenterPointOuterBorderColor(clRed);
    w.Appearance()->SetCenterPointBorderColor(clBlue);
    c.Clear();
    w.DrawHands(&c);
    EXPECT_EQ(Count(c, "Ellipse"), 3);
}

TEST(Watch, LiveModeFollowsTheClockAndIgnoresInput)
{
    TManualClock clock;
    clock.NowValue = 46000 + At(10, 20, 30);
    TClockScope scope(clock);
    TKvWatch w;
    w.SetTime(At(4, 0));
    w.Settings()->SetTimeOffset(90);
    w.Settings()->SetAuto(true);
    EXPECT_TRUE(w.WatchTimer()->Enabled());
    EXPECT_NEAR(w.GetCurrentTime(), 46000 + At(11, 50, 30), 1e-9);
    EXPECT_EQ(HourOf(w.Time()), 11);
    const TDateTime shown = w.Time();

    w.HandleKey(VK_RIGHT);
    w.HandleKey(VK_HOME);
    Release(w, 175, 90);
    Release(w, 90, 40);
    EXPECT_EQ(w.Time(), shown);
    EXPECT_FALSE(w.AnimationTimer()->Enabled());

    clock.Advance(3600 * 1000);
    w.WatchTimer()->Tick();
    EXPECT_EQ(HourOf(w.GetCurrentTime()), 12);
    TRecordingCanvas c;
    w.DrawHands(&c);
    EXPECT_FALSE(w.AM()) << "the box follows the live clock";
    EXPECT_EQ(Count(c, "LineTo"), 5) << "shadows, hands and the second hand";
    w.Settings()->SetSecond(false);
    c.Clear();
    w.DrawHands(&c);
    EXPECT_EQ(Count(c, "LineTo"), 4);

    w.Settings()->SetAuto(false);
    EXPECT_FALSE(w.WatchTimer()->Enabled());
    w.Settings()->SetSecond(true);
    c.Clear();
    w.DrawHands(&c);
    EXPECT_EQ(Count(c, "LineTo"), 4) << "no second hand outside live mode";
}

TEST(Watch, TheHandPointsOverTheAMPMBoxOnly)
{
    TKvWatch w;
    w.show();
    const TRect box = w.AMPMRect();
    const TPoint inside((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    Mouse->SetCursorPos(w.ClientToScreen(inside));
    QTest::mouseMove(&w, inside.ToQPoint());
    EXPECT_EQ(w.cursor().shape(), Qt::PointingHandCursor);
    Mouse->SetCursorPos(w.ClientToScreen(TPoint(40, 40)));
    QTest::mouseMove(&w, QPoint(40, 40));
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
}

TEST(Watch, DialogCodeFollowsTabStop)
{
    TKvWatch w;
    EXPECT_EQ(w.Perform(WM_GETDLGCODE), 0);
    w.SetTabStop(true);
    EXPECT_EQ(w.Perform(WM_GETDLGCODE), 5);
}

TEST(Watch, TheFaceIsClippedToItsShapeAndThePictureKeepsItsKeyColourTransparent)
{
    const TColor face = ColorToRGB(clBtnFace);
    TKvWatch w;
    QImage shot = w.Snapshot();
    EXPECT_EQ(FromQColor(QColor(shot.pixel(3, 3))), face) << "outside the circle";
    EXPECT_EQ(FromQColor(QColor(shot.pixel(60, 60))), clWhite);

    w.Appearance()->SetShape(wsRoundRect);
    w.Appearance()->SetBorderColor(clNone);
    shot = w.Snapshot();
    EXPECT_EQ(FromQColor(QColor(shot.pixel(0, 0))), face) << "outside the rounded corner";
    EXPECT_EQ(FromQColor(QColor(shot.pixel(2, 90))), clWhite);

    // A 2 x 2 picture: its bottom-left colour is the key.
    auto bmp = std::make_unique<TBitmap>(2, 2);
    bmp->Canvas()->Brush()->SetColor(clLime);
    bmp->Canvas()->FillRect(TRect(0, 0, 2, 2));
    bmp->Canvas()->SetPixel(1, 0, clRed);
    bmp->Canvas()->ReleasePainter();
    TPicture picture;
    picture.SetGraphic(std::move(bmp));
    w.Appearance()->SetPicture(&picture);
    shot = w.Snapshot();
    EXPECT_EQ(FromQColor(QColor(shot.pixel(150, 30))), clRed) << "the picture is stretched over the client";
    EXPECT_EQ(FromQColor(QColor(shot.pixel(20, 150))), clWhite) << "its key colour shows the face";
}

TEST(Watch, TwelveFacesSideBySide)
{
    const int n = 12;
    QImage sheet(6 * 180, 2 * 180, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    struct Probe {
        TWatchStyle Style;
        TColor Background;
    };
    const Probe probes[] = {{wsClassic, clWhite}, {wsBlack, 0x202020}, {wsBlackWhite, clWhite}, {wsSports, clBlack}};
    for (int i = 0; i < n; ++i) {
        TKvWatch w;
        if (i == 0) // a new watch keeps the plain defaults: show the preset itself
            w.SetStyle(wsTower);
        w.SetStyle(static_cast<TWatchStyle>(i));
        w.SetAnimation(false);
        w.SetTime(At(10, 10));
        const QImage shot = w.Snapshot().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shot.size(), QSize(180, 180));
        p.drawImage((i % 6) * 180, (i / 6) * 180, shot);
        for (const Probe& probe : probes) {
            if (probe.Style == i) {
                EXPECT_EQ(FromQColor(QColor(shot.pixel(60, 120))), probe.Background) << "style " << i;
            }
        }
    }
    p.end();
    const QString path = QStringLiteral(KV_TEST_BINARY_DIR "/watch_styles.png");
    EXPECT_TRUE(sheet.save(path));
}

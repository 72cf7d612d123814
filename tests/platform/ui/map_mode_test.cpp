// The metric mapping mode: conversions, upright text and pictures, clip box, metrics and
// the recording canvas's logical records.
#include "platform/ui/drawing.h"
#include "platform/ui/graphics.h"
#include "ui_test_env.h"

#include <gtest/gtest.h>

namespace {

QImage Blank(int w = 400, int h = 300)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

void UseTestFont(TCanvas& c, int Height)
{
    c.Font()->SetName(TestFontFamily());
    c.Font()->SetHeight(Height);
    c.Font()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
}

}  // namespace

TEST(MapMode, LogicalAndDevicePointsConvertBothWays)
{
    QImage img = Blank();
    TCanvas c(&img);
    EXPECT_EQ(c.SetMapMode(MM_LOMETRIC), MM_TEXT);
    EXPECT_EQ(c.MapMode(), MM_LOMETRIC);
    // 96 pixels per inch: 254 tenths of a millimetre are 96 pixels, y grows upwards.
    EXPECT_EQ(c.LPtoDP(TPoint(254, -254)), TPoint(96, 96));
    EXPECT_EQ(c.DPtoLP(TPoint(96, 96)), TPoint(254, -254));
    EXPECT_EQ(c.LPtoDP(TRect(0, 0, 254, -127)), TRect(0, 0, 96, 48));
    EXPECT_EQ(c.DPtoLP(TRect(0, 0, 96, 48)), TRect(0, 0, 254, -127));
    // The clip box in logical units: the page runs from 0 down to a negative height.
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 1058, -794));
    c.SetClipRect(TRect(100, -100, 500, -300));
    const TRect clip = c.ClipRect();
    EXPECT_NEAR(clip.Left, 100, 2);
    EXPECT_NEAR(clip.Top, -100, 2);
    EXPECT_NEAR(clip.Right, 500, 2);
    EXPECT_NEAR(clip.Bottom, -300, 2);
    c.RemoveClip();

    const int saved = c.SaveState();
    c.SetMapMode(MM_TEXT);
    EXPECT_EQ(c.LPtoDP(TPoint(254, 10)), TPoint(254, 10));
    c.RestoreState(saved);
    EXPECT_EQ(c.MapMode(), MM_LOMETRIC) << "the state keeps the mapping mode";

    c.SetPixelsPerInch(300, 300);
    EXPECT_EQ(c.LPtoDP(TPoint(254, -508)), TPoint(300, 600));
    EXPECT_EQ(c.SetMapMode(MM_TEXT), MM_LOMETRIC);
}

TEST(MapMode, FillsAndLinesLandOnTheConvertedPixels)
{
    QImage img = Blank();
    TCanvas c(&img);
    c.SetMapMode(MM_LOMETRIC);
    c.Brush()->SetColor(clRed);
    c.FillRect(TRect(254, -254, 508, -508));   // pixels 96..191
    c.ReleasePainter();
    EXPECT_EQ(QColor(img.pixel(100, 100)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(190, 190)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(94, 100)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(100, 194)), QColor(Qt::white));

    c.Pen()->SetColor(clBlue);
    c.MoveTo(0, -600);
    c.LineTo(1000, -600);   // y = 600 * 96 / 254 = 226.8 -> 227
    c.ReleasePainter();
    EXPECT_EQ(QColor(img.pixel(50, 227)), QColor(Qt::blue));
    EXPECT_EQ(c.PenPos(), TPoint(1000, -600)) << "the pen position stays logical";
}

TEST(MapMode, TextIsUprightAtItsTransformedPoint)
{
    // Text drawn in the metric mode is the same picture as text drawn in pixels at the
    // converted point with the converted height: upright, not mirrored.
    for (int orientation : {0, 900}) {
        QImage metric = Blank(), pixels = Blank();
        TCanvas m(&metric), p(&pixels);
        m.SetMapMode(MM_LOMETRIC);
        UseTestFont(m, -100);            // 10 mm
        UseTestFont(p, -38);             // 10 mm at 96 ppi
        m.Font()->SetOrientation(orientation);
        p.Font()->SetOrientation(orientation);
        m.TextOut(254, -508, QStringLiteral("Hg"));
        p.TextOut(96, 192, QStringLiteral("Hg"));
        m.ReleasePainter();
        p.ReleasePainter();
        EXPECT_TRUE(metric == pixels) << "orientation " << orientation;
        bool inked = false;
        for (int y = 0; y < 300 && !inked; ++y)
            for (int x = 0; x < 400 && !inked; ++x)
                inked = metric.pixel(x, y) != QColor(Qt::white).rgb();
        EXPECT_TRUE(inked);
    }
}

TEST(MapMode, MetricsAndFontHeightsAreInLogicalUnits)
{
    QImage img = Blank();
    TCanvas c(&img);
    UseTestFont(c, -38);
    const int pxWidth = c.TextWidth(QStringLiteral("Measure me"));
    const int pxHeight = c.TextHeight(QStringLiteral("Measure me"));
    c.SetMapMode(MM_LOMETRIC);
    c.Font()->SetHeight(-100);
    EXPECT_NEAR(c.TextWidth(QStringLiteral("Measure me")), pxWidth * 254.0 / 96, 3);
    EXPECT_NEAR(c.TextHeight(QStringLiteral("Measure me")), pxHeight * 254.0 / 96, 3);
    {
        TCanvasDeviceUnits device(&c);
        EXPECT_EQ(c.MapMode(), MM_TEXT);
        EXPECT_EQ(c.Font()->Height(), -38);
        EXPECT_EQ(c.TextWidth(QStringLiteral("Measure me")), pxWidth);
    }
    EXPECT_EQ(c.MapMode(), MM_LOMETRIC);
    EXPECT_EQ(c.Font()->Height(), -100);
}

TEST(MapMode, PicturesAreStretchedUpright)
{
    TBitmap pic(2, 2);
    pic.Canvas()->Brush()->SetColor(clRed);
    pic.Canvas()->FillRect(TRect(0, 0, 2, 1));   // the top row red
    pic.Canvas()->Brush()->SetColor(clBlue);
    pic.Canvas()->FillRect(TRect(0, 1, 2, 2));
    QImage img = Blank();
    TCanvas c(&img);
    c.SetMapMode(MM_LOMETRIC);
    c.StretchDraw(TRect(0, 0, 254, -254), &pic);
    c.ReleasePainter();
    EXPECT_EQ(QColor(img.pixel(40, 10)), QColor(Qt::red)) << "the picture's top stays on top";
    EXPECT_EQ(QColor(img.pixel(40, 85)), QColor(Qt::blue));
}

TEST(MapMode, TheRecordingCanvasRecordsLogicalUnitsAndLinesRunDownTheTable)
{
    TRecordingCanvas rc;   // 7 units a character, 13 a line
    rc.SetMapMode(MM_LOMETRIC);
    rc.TextOut(100, -200, QStringLiteral("abc"));
    ASSERT_EQ(rc.OpsOf(QStringLiteral("TextOut")).size(), 1u);
    EXPECT_EQ(rc.OpsOf(QStringLiteral("TextOut"))[0].X, 100);
    EXPECT_EQ(rc.OpsOf(QStringLiteral("TextOut"))[0].Y, -200);
    rc.Clear();

    TRect r(0, 0, 40, -100);
    QString text = QStringLiteral("one two three");
    DrawText(&rc, text, r, DT_WORDBREAK | DT_NOPREFIX);
    const auto lines = rc.OpsOf(QStringLiteral("TextOut"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Y, 0);
    EXPECT_EQ(lines[1].Y, -13);
    EXPECT_EQ(lines[2].Y, -26);
    TRect calc(0, 0, 40, -100);
    EXPECT_EQ(DrawText(&rc, text, calc, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT), 39);
    EXPECT_EQ(calc.Bottom, -39);
}

TEST(MapMode, WordBreakOnAMetricImageCanvasMeasuresInLogicalUnits)
{
    QImage img = Blank();
    TCanvas c(&img);
    c.SetMapMode(MM_LOMETRIC);
    UseTestFont(c, -40);
    TRect r(0, 0, 300, -1000);
    QString text = QStringLiteral("several words that need more than one line here");
    const int h = DrawText(&c, text, r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_GT(h, c.TextHeight(QStringLiteral("g")) * 2 - 3) << "wrapped onto several lines";
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Bottom, -h) << "the measured rectangle grows downwards";
    EXPECT_LE(r.Right, 302);
}

TEST(MapMode, AFrameControlCheckMarkGrowsWithItsBox)
{
    // A printer's box, many times the screen's, carries a mark as many times larger.
    auto markPixels = [](int Size) {
        QImage img = Blank();
        TCanvas c(&img);
        TRect r(10, 10, 10 + Size, 10 + Size);
        DrawFrameControl(&c, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        c.ReleasePainter();
        int n = 0;
        for (int y = 12; y < 8 + Size; ++y)
            for (int x = 12; x < 8 + Size; ++x)
                if (qGray(img.pixel(x, y)) < 60) ++n;
        return n;
    };
    EXPECT_EQ(markPixels(13), 21) << "the screen's 7 x 3 mark";
    EXPECT_EQ(markPixels(4 + 9 * 4), 21 * 16) << "a sunken edge and four times the interior";
}

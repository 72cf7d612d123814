// A canvas laid out right to left: shapes come out as the pixel-exact mirror of the
// left-to-right picture, while text, pictures and frame controls stay upright at their
// mirrored places; the clip, the state stack and device units follow the layout.
#include "platform/ui/drawing.h"
#include "platform/ui/graphics.h"
#include "ui_test_env.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kW = 120, kH = 60;

QImage Blank()
{
    QImage img(kW, kH, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// The same drawing on a plain canvas and on one laid out right to left over its width.
std::pair<QImage, QImage> PlainAndMirrored(const std::function<void(TCanvas&)>& Draw)
{
    QImage plain = Blank(), mirrored = Blank();
    {
        TCanvas c(&plain);
        Draw(c);
        c.ReleasePainter();
    }
    {
        TCanvas c(&mirrored);
        c.SetRightToLeftLayout(kW);
        Draw(c);
        c.ReleasePainter();
    }
    return {plain, mirrored};
}

void UseTestFont(TCanvas& c)
{
    c.Font()->SetName(TestFontFamily());
    c.Font()->SetHeight(-14);
    c.Font()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
}

} // namespace

TEST(RightToLeftLayout, ShapesAreThePixelExactMirror)
{
    const auto [plain, mirrored] = PlainAndMirrored([](TCanvas& c) {
        c.Brush()->SetColor(clRed);
        c.FillRect(TRect(3, 4, 30, 20));
        c.Pen()->SetColor(clBlue);
        c.MoveTo(40, 2);
        c.LineTo(40, 50);          // a vertical line: one column of pixels
        c.LineTo(90, 30);          // a slanted one
        c.Brush()->SetColor(clLime);
        c.Rectangle(60, 35, 100, 55);
        c.Ellipse(5, 25, 37, 57);
        c.SetPixel(117, 1, clFuchsia);
    });
    EXPECT_TRUE(mirrored == plain.mirrored(true, false));
    EXPECT_EQ(QColor(mirrored.pixel(kW - 1 - 117, 1)), QColor(Qt::magenta));
}

TEST(RightToLeftLayout, TextAndPicturesAreUprightAtTheirMirroredPlaces)
{
    QImage upright = Blank(), mirrored = Blank();
    TBitmap bmp(8, 4);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(TRect(0, 0, 8, 4));
    bmp.Canvas()->Brush()->SetColor(clBlue);
    bmp.Canvas()->FillRect(TRect(0, 0, 2, 4));  // a blue left edge shows which way it faces
    bmp.Canvas()->ReleasePainter();
    int w = 0;
    {
        TCanvas c(&mirrored);
        UseTestFont(c);
        c.SetRightToLeftLayout(kW);
        w = c.TextWidth(QStringLiteral("Hg"));
        c.TextOut(10, 5, QStringLiteral("Hg"));
        EXPECT_EQ(c.PenPos(), TPoint(10 + w, 5)) << "the pen position stays in the layout";
        c.Draw(20, 40, &bmp);
        c.ReleasePainter();
    }
    {
        TCanvas c(&upright);
        UseTestFont(c);
        c.TextOut(kW - 10 - w, 5, QStringLiteral("Hg"));
        c.Draw(kW - 20 - 8, 40, &bmp);
        c.ReleasePainter();
    }
    EXPECT_TRUE(mirrored == upright);
    EXPECT_EQ(QColor(mirrored.pixel(kW - 28, 41)), QColor(Qt::blue));
}

TEST(RightToLeftLayout, DrawTextAlignmentFollowsTheMirror)
{
    // A left-aligned text of a rectangle ends at the mirrored rectangle's right edge:
    // the picture of a right-aligned text in that rectangle on a plain canvas. (A centred
    // text may come out a pixel apart: halving the free room rounds the other way.)
    struct TCase {
        unsigned Flags, PlainFlags;
    } cases[] = {{DT_LEFT, DT_RIGHT}, {DT_RIGHT, DT_LEFT}};
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Flags);
        QImage plain = Blank(), mirrored = Blank();
        {
            TCanvas c(&mirrored);
            UseTestFont(c);
            c.SetRightToLeftLayout(kW);
            TRect r(10, 0, 61, 30);
            DrawText(&c, QStringLiteral("abc"), r, k.Flags | DT_SINGLELINE | DT_VCENTER);
            c.ReleasePainter();
        }
        {
            TCanvas c(&plain);
            UseTestFont(c);
            TRect r(kW - 61, 0, kW - 10, 30);
            DrawText(&c, QStringLiteral("abc"), r, k.PlainFlags | DT_SINGLELINE | DT_VCENTER);
            c.ReleasePainter();
        }
        EXPECT_TRUE(mirrored == plain);
    }
}

TEST(RightToLeftLayout, FrameControlsKeepTheirDirection)
{
    QImage plain = Blank(), mirrored = Blank();
    {
        TCanvas c(&mirrored);
        c.SetRightToLeftLayout(kW);
        TRect r(5, 5, 18, 18);
        DrawFrameControl(&c, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        c.ReleasePainter();
    }
    {
        TCanvas c(&plain);
        TRect r(kW - 18, 5, kW - 5, 18);
        DrawFrameControl(&c, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        c.ReleasePainter();
    }
    EXPECT_TRUE(mirrored == plain) << "the tick is not mirrored";
}

TEST(RightToLeftLayout, ClipStateAndDeviceUnitsFollowTheLayout)
{
    QImage img = Blank();
    TCanvas c(&img);
    c.SetRightToLeftLayout(kW);
    EXPECT_EQ(c.LPtoDP(TRect(0, 0, 20, 10)), TRect(kW - 20, 0, kW, 10));
    EXPECT_EQ(c.DPtoLP(TRect(kW - 20, 0, kW, 10)), TRect(0, 0, 20, 10));
    c.SetClipRect(TRect(0, 0, 20, kH));
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 20, kH));
    c.Brush()->SetColor(clRed);
    c.FillRect(TRect(0, 0, kW, kH));
    c.ReleasePainter();
    EXPECT_EQ(QColor(img.pixel(kW - 1, 30)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(kW - 20, 30)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(kW - 21, 30)), QColor(Qt::white));
    c.RemoveClip();

    const int saved = c.SaveState();
    c.SetRightToLeftLayout(0);
    EXPECT_EQ(c.LPtoDP(TPoint(5, 5)), TPoint(5, 5));
    c.RestoreState(saved);
    EXPECT_TRUE(c.RightToLeftLayout()) << "the state keeps the layout";
    {
        TCanvasDeviceUnits device(&c);
        EXPECT_FALSE(c.RightToLeftLayout());
        EXPECT_EQ(c.LPtoDP(TPoint(5, 5)), TPoint(5, 5));
    }
    EXPECT_EQ(c.LayoutWidth(), kW);
}

// Drawing utilities painted on offscreen images: gradient bands, button-segment
// corners, progress bar blocks, shape extents, and the guarded divisions.
#include <gtest/gtest.h>

#include <QImage>

#include "grid/draw_utils.h"
#include "platform/core/exceptions.h"

namespace {

constexpr TColor White = 0xFFFFFF;

// An image with its canvas; the canvas is released before pixels are read.
struct Surface {
    explicit Surface(int w, int h)
        : image(w, h, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        canvas = std::make_unique<TCanvas>(&image);
    }
    TColor At(int x, int y)
    {
        canvas->ReleasePainter();
        return FromQColor(image.pixelColor(x, y));
    }
    // Bounding box of every pixel that is not white; empty when none.
    TRect Extent()
    {
        canvas->ReleasePainter();
        TRect r(image.width(), image.height(), -1, -1);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != QColor(Qt::white)) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r.Right < 0 ? TRect() : r;
    }
    QImage image;
    std::unique_ptr<TCanvas> canvas;
};

} // namespace

TEST(DrawUtils, ColourArithmetic)
{
    EXPECT_EQ(AdjustColorByPercent(White, 7), White);
    EXPECT_EQ(AdjustColorByPercent(0x808080, -20), 0x666666);
    EXPECT_EQ(AdjustColorByPercent(RGB(10, 100, 200), 50), RGB(15, 150, 255));
    EXPECT_EQ(HalfBrightColor(RGB(255, 101, 2)), RGB(127, 50, 1));
    EXPECT_EQ(HalfBrightColor(clBlack), clBlack);

    EXPECT_EQ(GradientColorAt(clRed, clNone, 0, 10, 5), clRed);
    EXPECT_EQ(GradientColorAt(RGB(0, 0, 0), RGB(100, 200, 50), 0, 10, 5), RGB(50, 100, 25));
    EXPECT_EQ(GradientColorAt(RGB(0, 0, 0), RGB(100, 200, 50), 0, 10, 10), RGB(100, 200, 50));
    // No span: the start colour up to Min, the end colour beyond it.
    EXPECT_EQ(GradientColorAt(RGB(1, 2, 3), RGB(4, 5, 6), 7, 7, 7), RGB(1, 2, 3));
    EXPECT_EQ(GradientColorAt(RGB(1, 2, 3), RGB(4, 5, 6), 7, 7, 9), RGB(4, 5, 6));
}

TEST(DrawUtils, FillGradientBands)
{
    // 10 rows, 64 steps: 9 bands plus the end band, one row each.
    Surface s(20, 14);
    FillGradient(s.canvas.get(), RGB(0, 0, 0), RGB(90, 180, 9), 64, TRect(2, 2, 12, 12), false);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(s.At(5, 2 + k), RGB(10 * k, 20 * k, k)) << "row " << k;
        EXPECT_EQ(s.At(11, 2 + k), RGB(10 * k, 20 * k, k)) << "row " << k;
    }
    EXPECT_EQ(s.Extent(), TRect(2, 2, 12, 12));

    // Horizontal, fewer steps than pixels: columns grouped in bands, last column exact.
    Surface h(30, 6);
    FillGradient(h.canvas.get(), RGB(0, 0, 0), RGB(200, 0, 0), 4, TRect(0, 0, 21, 6), true);
    EXPECT_EQ(h.At(0, 3), RGB(0, 0, 0));
    EXPECT_EQ(h.At(6, 3), RGB(50, 0, 0));
    EXPECT_EQ(h.At(10, 3), RGB(100, 0, 0));
    EXPECT_EQ(h.At(20, 3), RGB(200, 0, 0));
    EXPECT_EQ(h.At(21, 3), White);

    // One colour missing: a single plain rectangle; swapped edges are put right.
    Surface n(10, 10);
    FillGradient(n.canvas.get(), clBlue, clNone, 64, TRect(1, 8, 9, 2), false);
    EXPECT_EQ(n.At(4, 2), clBlue);
    EXPECT_EQ(n.At(4, 7), clBlue);
    EXPECT_EQ(n.Extent(), TRect(1, 2, 9, 8));
    Surface e(10, 10);
    FillGradient(e.canvas.get(), clBlue, clRed, 64, TRect(1, 4, 9, 4), false);
    EXPECT_EQ(e.Extent(), TRect());
}

TEST(DrawUtils, MirroredGradient)
{
    Surface h(24, 8);
    DrawMirroredGradient(h.canvas.get(), TRect(0, 0, 20, 4), RGB(0, 0, 0), RGB(100, 0, 0), RGB(0, 100, 0),
                         RGB(0, 200, 0), 0, clRed, true, true);
    EXPECT_EQ(h.At(1, 1), RGB(11, 0, 0));
    EXPECT_EQ(h.At(9, 1), RGB(100, 0, 0));
    EXPECT_EQ(h.At(10, 1), RGB(0, 100, 0));
    EXPECT_EQ(h.At(18, 1), RGB(0, 189, 0));
    EXPECT_EQ(h.At(0, 2), clRed);  // sides only
    EXPECT_EQ(h.At(19, 2), clRed);
    EXPECT_EQ(h.Extent(), TRect(0, 0, 20, 4));

    // One colour: a solid fill one row taller, framed in the border colour.
    Surface s(24, 8);
    DrawMirroredGradient(s.canvas.get(), TRect(0, 0, 20, 4), clBlue, clNone, clNone, clNone, 1, clBlack, false, true);
    EXPECT_EQ(s.Extent(), TRect(0, 0, 20, 5));
    EXPECT_EQ(s.At(5, 4), clBlack);
    EXPECT_EQ(s.At(5, 2), clBlue);

    // Without Fill only the border is drawn.
    Surface b(24, 8);
    DrawMirroredGradient(b.canvas.get(), TRect(0, 0, 20, 4), clBlue, clNone, clNone, clNone, 1, clBlack, false, false);
    EXPECT_EQ(b.At(5, 2), White);
    EXPECT_EQ(b.At(0, 2), clBlack);
}

TEST(DrawUtils, ButtonSegmentCorners)
{
    const TColor fill = RGB(10, 20, 30), upper = RGB(1, 1, 1), lower = RGB(2, 2, 2), border = RGB(3, 3, 3),
                 corner = RGB(4, 4, 4), back = RGB(5, 5, 5);
    // L = 0, T = 0, Rt = 19, B = 10.
    Surface s(24, 14);
    DrawButtonSegment(s.canvas.get(), fill, clNone, clNone, clNone, upper, lower, border, corner, back,
                      TRect(0, 0, 20, 12), bspWhole);
    for (TPoint p : {TPoint(1, 0), TPoint(1, 1), TPoint(0, 1), TPoint(1, 10), TPoint(1, 9), TPoint(0, 9),
                     TPoint(17, 0), TPoint(17, 1), TPoint(18, 1), TPoint(17, 10), TPoint(17, 9), TPoint(18, 9)})
        EXPECT_EQ(s.At(p.X, p.Y), corner) << p.X << "," << p.Y;
    for (TPoint p : {TPoint(0, 0), TPoint(0, 10), TPoint(18, 0), TPoint(18, 10)})
        EXPECT_EQ(s.At(p.X, p.Y), back) << p.X << "," << p.Y;
    EXPECT_EQ(s.At(0, 5), border);  // left side
    EXPECT_EQ(s.At(18, 5), border); // right side
    EXPECT_EQ(s.At(5, 0), border);
    EXPECT_EQ(s.At(5, 10), border);
    EXPECT_EQ(s.At(2, 2), fill);
    EXPECT_EQ(s.At(16, 8), fill);
    EXPECT_EQ(s.At(1, 3), upper); // inner lines of the ends: upper half, lower half
    EXPECT_EQ(s.At(1, 6), lower);
    EXPECT_EQ(s.At(17, 3), upper);
    EXPECT_EQ(s.At(17, 6), lower);
    EXPECT_EQ(s.At(19, 5), White);

    // A middle piece: no sides, no corners, the fill over the full width but the last column.
    Surface m(24, 14);
    DrawButtonSegment(m.canvas.get(), fill, clNone, clNone, clNone, upper, lower, border, corner, back,
                      TRect(0, 0, 20, 12), bspMiddle);
    EXPECT_EQ(m.At(0, 0), border);
    EXPECT_EQ(m.At(0, 5), fill);
    EXPECT_EQ(m.At(18, 5), fill);
    EXPECT_EQ(m.At(19, 5), White);
    EXPECT_EQ(m.At(0, 1), upper);
    EXPECT_EQ(m.At(0, 9), lower);

    // Mirrored fill: upper half from Color to ColorTo, lower half from the mirror colours.
    Surface g(24, 30);
    DrawButtonSegment(g.canvas.get(), RGB(0, 0, 0), RGB(0, 0, 100), RGB(200, 0, 0), RGB(250, 0, 0), upper, lower,
                      border, corner, back, TRect(0, 0, 20, 28), bspMiddle);
    EXPECT_EQ(g.At(5, 2), RGB(0, 0, 0));
    EXPECT_EQ(GetRValue(g.At(5, 24)), 250);
}

TEST(DrawUtils, ProgressBars)
{
    // Blocks of 7 pixels with 2-pixel gaps; the last block holds the rest.
    Surface s(60, 12);
    TXPProgressAppearance a;
    a.CompletionSmooth = false;
    a.ShowGradient = false;
    a.ShowPercentage = false;
    a.UnCompleteColor = White;
    a.Level0Color = clRed;
    DrawXPProgressBar(s.canvas.get(), TRect(0, 0, 52, 12), 50, a);
    std::vector<int> red;
    for (int x = 0; x < 60; ++x)
        if (s.At(x, 5) == clRed)
            red.push_back(x);
    std::vector<int> expected;
    for (int x = 2; x < 9; ++x) expected.push_back(x);
    for (int x = 11; x < 18; ++x) expected.push_back(x);
    for (int x = 20; x < 26; ++x) expected.push_back(x);
    EXPECT_EQ(red, expected);

    // Stacked: level pieces follow each other; the last one fills up to 100.
    Surface st(110, 12);
    a.Stacked = true;
    a.Level1Color = clYellow;
    a.Level3Color = clBlue;
    DrawXPProgressBar(st.canvas.get(), TRect(0, 0, 102, 12), 100, a);
    EXPECT_EQ(st.At(1, 5), clRed);
    EXPECT_EQ(st.At(70, 5), clRed);
    EXPECT_EQ(st.At(71, 5), clYellow);
    EXPECT_EQ(st.At(90, 5), clYellow);
    EXPECT_EQ(st.At(91, 5), clBlue);
    EXPECT_EQ(st.At(100, 5), clBlue);
    a.Stacked = false;

    // Vertical bars grow from the bottom.
    Surface v(12, 60);
    a.Vertical = true;
    DrawXPProgressBar(v.canvas.get(), TRect(0, 0, 12, 52), 50, a);
    EXPECT_EQ(v.At(5, 50), White);
    EXPECT_EQ(v.At(5, 49), clRed); // blocks 43..49, 34..40, 26..31
    EXPECT_EQ(v.At(5, 43), clRed);
    EXPECT_EQ(v.At(5, 42), White);
    EXPECT_EQ(v.At(5, 26), clRed);
    EXPECT_EQ(v.At(5, 25), White);
    a.Vertical = false;

    // Smooth: one piece of Position percent of the inner length.
    Surface sm(60, 12);
    a.CompletionSmooth = true;
    DrawXPProgressBar(sm.canvas.get(), TRect(0, 0, 52, 12), 50, a);
    EXPECT_EQ(sm.At(1, 5), clRed);
    EXPECT_EQ(sm.At(25, 5), clRed);
    EXPECT_EQ(sm.At(26, 5), White);
}

TEST(DrawUtils, ProgressBarFill)
{
    const TColor done = RGB(0, 128, 0), remain = RGB(200, 200, 200);
    auto bar = [&](double value, int min, int max, const QString& fmt) {
        auto s = std::make_unique<Surface>(104, 24);
        s->canvas->Brush()->SetColor(White);
        DrawProgressBar(s->canvas.get(), TRect(2, 2, 102, 22), done, clWhite, remain, clBlack, value, 0, 0, min, max,
                        fmt, clBlack, false);
        return s;
    };
    auto doneWidth = [&](Surface& s) {
        int w = 0;
        for (int x = 2; x < 102; ++x)
            if (s.At(x, 3) == done)
                ++w;
        return w;
    };
    auto full = bar(150, 0, 100, QString());
    EXPECT_EQ(doneWidth(*full), 100);
    EXPECT_EQ(full->At(1, 10), clBlack); // border frame
    auto quarter = bar(50, 0, 200, QStringLiteral("%d units"));
    EXPECT_EQ(doneWidth(*quarter), 25);
    EXPECT_EQ(quarter->At(80, 3), remain);
    auto floatFmt = bar(50, 0, 200, QStringLiteral("%.1f"));
    EXPECT_EQ(doneWidth(*floatFmt), 25);
    // Without a range the bar is empty below the value and full at it.
    auto empty = bar(3, 5, 5, QStringLiteral("%d"));
    EXPECT_EQ(doneWidth(*empty), 0);
    auto reached = bar(5, 5, 5, QStringLiteral("%d"));
    EXPECT_EQ(doneWidth(*reached), 100);
}

TEST(DrawUtils, ProgressPieAndRange)
{
    Surface pie(40, 40);
    pie.canvas->Brush()->SetColor(White);
    DrawProgressPie(pie.canvas.get(), TRect(0, 0, 31, 31), clRed, 25, false);
    EXPECT_EQ(pie.At(20, 10), clRed); // upper right quarter
    EXPECT_EQ(pie.At(10, 10), White);
    EXPECT_EQ(pie.At(20, 20), White);
    Surface zero(40, 40);
    zero.canvas->Brush()->SetColor(White);
    DrawProgressPie(zero.canvas.get(), TRect(0, 0, 31, 31), clRed, 0, false);
    EXPECT_EQ(zero.At(20, 10), White);

    // R shrinks by 2: inner 2..38, half 18, centre at 20.
    Surface r(40, 10);
    DrawRangeIndicator(r.canvas.get(), TRect(0, 0, 40, 10), -5, 10, false, clRed, clBlue);
    EXPECT_EQ(r.Extent(), TRect(11, 2, 20, 8));
    EXPECT_EQ(r.At(15, 5), clRed);
    Surface over(40, 10);
    DrawRangeIndicator(over.canvas.get(), TRect(0, 0, 40, 10), 50, 10, false, clRed, clBlue);
    EXPECT_EQ(over.Extent(), TRect(20, 2, 38, 8));
    // No range: full side for a value, nothing for 0.
    Surface noRange(40, 10);
    DrawRangeIndicator(noRange.canvas.get(), TRect(0, 0, 40, 10), 3, 0, false, clRed, clBlue);
    EXPECT_EQ(noRange.Extent(), TRect(20, 2, 38, 8));
    Surface nothing(40, 10);
    DrawRangeIndicator(nothing.canvas.get(), TRect(0, 0, 40, 10), 0, -4, true, clRed, clBlue);
    EXPECT_EQ(nothing.Extent(), TRect());
}

TEST(DrawUtils, ShapeExtents)
{
    struct Case { TCellShape shape; int w, h; TRect extent; };
    const Case cases[] = {
        {csCircle, 20, 10, TRect(0, 0, 10, 10)}, // the smaller side, at the area's corner
        {csSquare, 10, 16, TRect(1, 1, 9, 9)},
        {csRectangle, 20, 10, TRect(1, 1, 19, 9)},
        {csLineHorz, 20, 10, TRect(0, 5, 20, 6)},
        {csLineVert, 20, 10, TRect(10, 0, 11, 10)},
        {csEllips, 20, 10, TRect(0, 0, 20, 10)},
        {csRoundRect, 20, 10, TRect(0, 0, 20, 10)},
        {csRoundSquare, 20, 10, TRect(0, 0, 10, 10)},
    };
    for (const Case& c : cases) {
        Surface s(30, 20);
        DrawShape(s.canvas.get(), 0, 0, c.w, c.h, c.shape, clRed, clRed);
        EXPECT_EQ(s.Extent(), c.extent) << int(c.shape);
    }
    // Rounded corners leave the box's corner pixels out.
    Surface round(30, 20);
    DrawShape(round.canvas.get(), 0, 0, 20, 10, csRoundRect, clRed, clRed);
    EXPECT_EQ(round.At(0, 0), White);
    EXPECT_EQ(round.At(10, 0), clRed);
    // Polygons stay within their box (the outline may reach its far edge).
    for (int shape = csTriangleLeft; shape <= csHalfStar; ++shape) {
        if (shape == csLineVert || shape == csLineHorz || shape == csRoundRect || shape == csEllips
            || shape == csSquare || shape == csRoundSquare)
            continue;
        Surface s(40, 30);
        DrawShape(s.canvas.get(), 5, 5, 20, 16, TCellShape(shape), clRed, clRed);
        const TRect e = s.Extent();
        EXPECT_GE(e.Left, 5) << shape;
        EXPECT_GE(e.Top, 5) << shape;
        EXPECT_LE(e.Right, 26) << shape;
        EXPECT_LE(e.Bottom, 22) << shape;
        EXPECT_FALSE(e.IsEmpty()) << shape;
    }
    Surface none(30, 20);
    DrawShape(none.canvas.get(), 0, 0, 20, 10, TCellShape(19), clRed, clRed);
    EXPECT_EQ(none.Extent(), TRect());
}

TEST(DrawUtils, ErrorUnderline)
{
    // Fixed metrics: 7 pixels per character.
    auto lineXs = [](const QString& text, int errPos, int errLen) {
        TRecordingCanvas c;
        DrawErrorUnderline(nullptr, &c, text, TRect(100, 50, 300, 70), 0, errPos, errLen);
        std::vector<int> xs;
        for (const auto& op : c.Ops)
            if (op.Kind == QLatin1String("MoveTo") || op.Kind == QLatin1String("LineTo"))
                xs.push_back(op.X);
        return xs;
    };
    // Whole text "abcd": from the first character until past 4 pixels right of the last one's left edge.
    auto whole = lineXs(QStringLiteral("abcd"), 0, 4);
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(whole.front(), 100);
    EXPECT_GT(whole.back(), 100 + 21 + 4);
    EXPECT_LE(whole.back(), 100 + 21 + 4 + 6);
    // Second and third character only.
    auto part = lineXs(QStringLiteral("abcd"), 1, 2);
    EXPECT_EQ(part.front(), 107);
    EXPECT_LE(part.back(), 100 + 14 + 6);
    // A position past the end is clamped to the last character.
    auto past = lineXs(QStringLiteral("abc"), 10, 3);
    EXPECT_EQ(past.front(), 114);
    EXPECT_LE(past.back(), 114 + 4 + 6);
    // Nothing to mark inside the text: a single zigzag step at the position.
    auto none = lineXs(QStringLiteral("abcd"), 2, 0);
    EXPECT_EQ(none, (std::vector<int>{114, 117}));
    auto emptyText = lineXs(QString(), 0, 0);
    EXPECT_EQ(emptyText.front(), 100);
}

TEST(DrawUtils, EditorButtons)
{
    TColorTones tones;
    tones.Background = {RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3)};
    tones.Hover = {RGB(10, 10, 10), RGB(11, 11, 11), RGB(12, 12, 12)};
    tones.Selected = {RGB(20, 20, 20), RGB(21, 21, 21), RGB(22, 22, 22)};
    tones.Disabled = {RGB(30, 30, 30), RGB(31, 31, 31), RGB(32, 32, 32)};

    // Push button in tones: the state's brush inside, its border outside.
    Surface p(30, 20);
    DrawPushButton(p.canvas.get(), nullptr, TRect(0, 0, 30, 20), ebsTones, ebHot, tones);
    EXPECT_EQ(p.At(15, 10), tones.Hover.BrushColor);
    EXPECT_EQ(p.At(0, 0), tones.Hover.BorderColor);

    // Combo button: 17 pixels at the right, moved 2 left, then 3 in for the tones face.
    Surface c(40, 20);
    DrawComboButton(c.canvas.get(), nullptr, TRect(0, 0, 40, 20), ebsTones, ebDown, tones);
    EXPECT_EQ(c.Extent(), TRect(24, 1, 38, 19));
    EXPECT_EQ(c.At(25, 10), tones.Background.BorderColor);
    EXPECT_EQ(c.At(30, 3), tones.Selected.BrushColor);
    EXPECT_EQ(c.At(32, 10), tones.Background.TextColor); // arrow

    // Spin buttons in tones: two faces with black arrows.
    Surface sp(40, 20);
    DrawSpinButtons(sp.canvas.get(), nullptr, TRect(0, 1, 40, 21), ebsTones, ebDisabled, tones);
    EXPECT_EQ(sp.Extent().Left, 24);
    EXPECT_EQ(sp.At(26, 2), tones.Disabled.BrushColor);

    // The other styles draw inside the button area.
    for (int style : {ebsThemed, ebsClassic, ebsFlat}) {
        Surface s(40, 20);
        DrawComboButton(s.canvas.get(), nullptr, TRect(0, 0, 40, 20), style, ebNormal, tones);
        const TRect e = s.Extent();
        EXPECT_FALSE(e.IsEmpty()) << style;
        EXPECT_GE(e.Left, 21) << style;
        EXPECT_LE(e.Right, 38) << style;
    }
}

TEST(DrawUtils, TransparentBitmapAndHelpers)
{
    TBitmap bmp(4, 4);
    bmp.Canvas()->Brush()->SetColor(clLime);
    bmp.Canvas()->FillRect(TRect(0, 0, 4, 4));
    bmp.Canvas()->SetPixel(2, 2, clBlue);
    bmp.Canvas()->ReleasePainter();
    Surface s(10, 10);
    DrawBitmapTransparent(s.canvas.get(), &bmp, clRed, TRect(3, 3, 100, 100));
    EXPECT_EQ(s.At(3, 3), clRed);  // key colour shown as Color
    EXPECT_EQ(s.At(5, 5), clBlue);
    EXPECT_EQ(s.At(7, 7), White);  // drawn in the bitmap's size only

    QImage res(2, 2, QImage::Format_RGB32);
    res.fill(Qt::green);
    res.setPixelColor(1, 1, Qt::blue);
    RegisterResourceImage(QStringLiteral("gridtest_res"), res);
    Surface r(6, 6);
    DrawResourceBitmapTransparent(r.canvas.get(), clYellow, TRect(1, 1, 3, 3), QStringLiteral("gridtest_res"));
    EXPECT_EQ(r.At(1, 1), clYellow);
    EXPECT_EQ(r.At(2, 2), clBlue);
    EXPECT_THROW(DrawResourceBitmapTransparent(r.canvas.get(), clYellow, TRect(0, 0, 2, 2),
                                               QStringLiteral("gridtest_missing")),
                 EResNotFound);

    struct GR { int Left, Top, Right, Bottom; } g{1, 2, 3, 4};
    EXPECT_TRUE(PointInGridRect(g, 1, 4));
    EXPECT_FALSE(PointInGridRect(g, 4, 2));
    EXPECT_TRUE(CallSetLayeredWindowAttributes(nullptr, clNone, 255, 2));
}

// Closed figures (ellipse, rounded and plain rectangle) stay inside the box
// (x1, y1)-(x2-1, y2-1) and reach each of its edges, whatever the pen.
#include "platform/ui/graphics.h"

#include <gtest/gtest.h>

namespace {
// Bounding box of every non-white pixel, as an exclusive rectangle.
TRect InkBounds(TBitmap& bmp)
{
    const QImage img = bmp.Image().convertToFormat(QImage::Format_RGB32);
    TRect r(img.width(), img.height(), -1, -1);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                r.Left = std::min(r.Left, x); r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1); r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r;
}

enum class Figure { Ellipse, RoundRect, Rectangle };
struct Case { Figure fig; TRect box; int penWidth; TPenStyle pen; };
} // namespace

TEST(Canvas, FiguresFillTheirBoxExactly)
{
    const Case cases[] = {
        {Figure::Ellipse, TRect(5, 5, 25, 15), 1, psSolid},
        {Figure::Ellipse, TRect(5, 5, 15, 25), 1, psSolid},
        {Figure::Ellipse, TRect(4, 6, 17, 13), 1, psSolid},   // odd sizes
        {Figure::Ellipse, TRect(5, 5, 25, 15), 3, psSolid},
        {Figure::Ellipse, TRect(5, 5, 25, 15), 1, psClear},
        {Figure::RoundRect, TRect(5, 5, 25, 15), 1, psSolid},
        {Figure::RoundRect, TRect(4, 6, 17, 13), 1, psSolid},
        {Figure::RoundRect, TRect(5, 5, 25, 15), 3, psSolid},
        {Figure::RoundRect, TRect(5, 5, 25, 15), 1, psClear},
        {Figure::Rectangle, TRect(5, 5, 25, 15), 1, psSolid},
        {Figure::Rectangle, TRect(5, 5, 25, 15), 3, psSolid},
    };
    for (const Case& k : cases) {
        TBitmap bmp(40, 40);
        TCanvas* c = bmp.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect(0, 0, 40, 40));
        c->Pen()->SetColor(clBlack);
        c->Pen()->SetWidth(k.penWidth);
        c->Pen()->SetStyle(k.pen);
        c->Brush()->SetColor(clRed);
        const TRect& b = k.box;
        switch (k.fig) {
        case Figure::Ellipse: c->Ellipse(b.Left, b.Top, b.Right, b.Bottom); break;
        case Figure::RoundRect: c->RoundRect(b.Left, b.Top, b.Right, b.Bottom, 6, 6); break;
        case Figure::Rectangle: c->Rectangle(b.Left, b.Top, b.Right, b.Bottom); break;
        }
        EXPECT_EQ(InkBounds(bmp), b) << "figure " << int(k.fig) << " pen " << k.penWidth << " style " << int(k.pen)
                                     << " box " << b.Left << ',' << b.Top << ',' << b.Right << ',' << b.Bottom;
    }
}

TEST(Canvas, EllipseOutlineAndInterior)
{
    TBitmap bmp(40, 40);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 40, 40));
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    c->Ellipse(5, 5, 25, 15);
    EXPECT_EQ(c->Pixels(5, 5), clWhite);   // the box corner is outside the curve
    EXPECT_EQ(c->Pixels(5, 9), clBlack);   // left and right ends of the middle rows
    EXPECT_EQ(c->Pixels(24, 10), clBlack);
    EXPECT_EQ(c->Pixels(6, 9), clRed);     // a one-pixel outline, then the brush
    EXPECT_EQ(c->Pixels(15, 5), clBlack);
    EXPECT_EQ(c->Pixels(15, 6), clRed);
    EXPECT_EQ(c->Pixels(15, 14), clBlack);
    EXPECT_EQ(c->Pixels(15, 15), clWhite);
}


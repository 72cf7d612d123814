// Canvas pixel rules, frame controls and transparent bitmaps, probed pixel by pixel.
#include "platform/ui/drawing.h"
#include "platform/ui/graphics.h"

#include <QtGui/QPainter>
#include <gtest/gtest.h>

#include <algorithm>

namespace {
// A white bitmap with a black pen and a red brush.
struct Surface {
    explicit Surface(int w = 20, int h = 20) : bmp(w, h)
    {
        c = bmp.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect(0, 0, w, h));
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetColor(clRed);
    }
    TColor At(int x, int y) { return c->Pixels(x, y); }
    TBitmap bmp;
    TCanvas* c;
};
} // namespace

TEST(Canvas, RectangleExcludesRightAndBottomEdges)
{
    Surface s;
    s.c->Rectangle(2, 2, 8, 6);
    EXPECT_EQ(s.At(2, 2), clBlack);
    EXPECT_EQ(s.At(7, 2), clBlack);   // last column of the outline
    EXPECT_EQ(s.At(7, 5), clBlack);   // bottom-right corner pixel
    EXPECT_EQ(s.At(8, 5), clWhite);   // x2 itself is outside
    EXPECT_EQ(s.At(7, 6), clWhite);   // y2 itself is outside
    EXPECT_EQ(s.At(4, 4), clRed);     // interior from the brush
    // FillRect and FrameRect follow the same exclusive edges.
    s.c->Brush()->SetColor(clBlue);
    s.c->FillRect(TRect(10, 10, 12, 12));
    EXPECT_EQ(s.At(11, 11), clBlue);
    EXPECT_EQ(s.At(12, 11), clWhite);
    s.c->Brush()->SetColor(clGreen);
    s.c->FrameRect(TRect(14, 14, 18, 18));
    EXPECT_EQ(s.At(17, 17), clGreen);
    EXPECT_EQ(s.At(15, 15), clWhite);
}

TEST(Canvas, LineToExcludesTheEndPoint)
{
    Surface s;
    s.c->MoveTo(1, 1);
    s.c->LineTo(6, 1);
    EXPECT_EQ(s.At(1, 1), clBlack);
    EXPECT_EQ(s.At(5, 1), clBlack);
    EXPECT_EQ(s.At(6, 1), clWhite);
    EXPECT_EQ(s.c->PenPos(), TPoint(6, 1));
    s.c->MoveTo(0, 5);
    s.c->LineTo(4, 9);
    EXPECT_EQ(s.At(0, 5), clBlack);
    EXPECT_EQ(s.At(3, 8), clBlack);
    EXPECT_EQ(s.At(4, 9), clWhite);
    // Vertical line upwards.
    s.c->MoveTo(10, 10);
    s.c->LineTo(10, 7);
    EXPECT_EQ(s.At(10, 8), clBlack);
    EXPECT_EQ(s.At(10, 7), clWhite);
}

// Straight lines and rectangle outlines against the pixel rules: a line covers its
// start and not its end, an outline of pen width w lies inside the rectangle
// (narrowed so that both sides fit). An XOR pen over white marks each pixel it
// touches once, and a pixel touched twice comes back white, so the pictures also
// show that nothing is drawn twice. Window origin and clip apply as for any call.
TEST(Canvas, StraightLinesAndOutlinesCoverTheirPixelsOnce)
{
    struct Case {
        bool rect;
        int x1, y1, x2, y2, width;
        TPenMode mode;
    };
    const Case cases[] = {
        {false, 2, 3, 12, 3, 1, pmCopy},  {false, 12, 3, 2, 3, 1, pmCopy}, // rightwards, leftwards
        {false, 4, 1, 4, 11, 1, pmCopy},  {false, 4, 11, 4, 1, 0, pmCopy}, // downwards, upwards, width 0
        {false, -3, 5, 30, 5, 1, pmCopy}, {false, 12, 3, 2, 3, 1, pmXor},  // beyond the clip, XOR
        {true, 1, 1, 13, 10, 1, pmXor},   {true, 1, 1, 13, 10, 3, pmXor},  // thin and wide outlines
        {true, 2, 2, 6, 13, 4, pmXor},    {true, 2, 2, 5, 4, 2, pmXor},    // narrowed: no inside left
        {true, 0, 0, 14, 14, 0, pmXor},   {true, -2, 3, 20, 9, 2, pmCopy}, // width 0 is a thin pen
    };
    const TPoint org(-3, -2);        // logical (0,0) is pixel (3,2)
    const TRect clip(-1, 0, 15, 12); // logical
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << (k.rect ? "rect " : "line ") << k.x1 << ',' << k.y1 << ' ' << k.x2
                                        << ',' << k.y2 << " width " << k.width << " mode " << int(k.mode));
        Surface s(24, 20);
        s.c->SetWindowOrg(org.X, org.Y);
        s.c->SetClipRect(clip);
        s.c->Pen()->SetWidth(k.width);
        s.c->Pen()->SetMode(k.mode);
        s.c->Pen()->SetColor(k.mode == pmXor ? clWhite : clBlack);
        s.c->Brush()->SetStyle(bsClear);
        if (k.rect) {
            s.c->Rectangle(k.x1, k.y1, k.x2, k.y2);
        } else {
            s.c->MoveTo(k.x1, k.y1);
            s.c->LineTo(k.x2, k.y2);
        }
        s.c->RemoveClip();
        s.c->SetWindowOrg(0, 0);
        auto covered = [&](int x, int y) {
            if (!(x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom)) return false;
            if (k.rect) {
                const int w = std::min({std::max(k.width, 1), (k.x2 - k.x1 + 1) / 2, (k.y2 - k.y1 + 1) / 2});
                if (w <= 0 || x < k.x1 || x >= k.x2 || y < k.y1 || y >= k.y2) return false;
                return x < k.x1 + w || x >= k.x2 - w || y < k.y1 + w || y >= k.y2 - w;
            }
            if (k.y1 == k.y2) return y == k.y1 && (k.x1 < k.x2 ? x >= k.x1 && x < k.x2 : x <= k.x1 && x > k.x2);
            return x == k.x1 && (k.y1 < k.y2 ? y >= k.y1 && y < k.y2 : y <= k.y1 && y > k.y2);
        };
        int wrong = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 24; ++x)
                if (s.At(x, y) != (covered(x + org.X, y + org.Y) ? clBlack : clWhite) && wrong++ < 5)
                    ADD_FAILURE() << "pixel " << x << ',' << y;
        EXPECT_EQ(wrong, 0);
    }
}

// Clip and window origin may change between any two calls, and a painter taken
// from the canvas may be changed by its taker: each drawing call still paints
// with the canvas's own clip and origin.
TEST(Canvas, EachCallDrawsWithTheCurrentClipAndOrigin)
{
    Surface s(20, 20);
    Surface other(20, 20);
    s.c->Brush()->SetColor(clBlue);
    s.c->SetClipRect(TRect(0, 0, 5, 5));
    s.c->FillRect(TRect(0, 0, 20, 20));
    other.c->Brush()->SetColor(clGreen);
    other.c->FillRect(TRect(0, 0, 20, 20)); // another canvas between two calls
    s.c->SetClipRect(TRect(10, 10, 12, 12));
    s.c->MoveTo(0, 10);
    s.c->LineTo(20, 10);
    s.c->RemoveClip();
    EXPECT_EQ(s.At(4, 4), clBlue);
    EXPECT_EQ(s.At(5, 5), clWhite);
    EXPECT_EQ(s.At(11, 10), clBlack);
    EXPECT_EQ(s.At(9, 10), clWhite);
    EXPECT_EQ(s.At(12, 10), clWhite);
    EXPECT_EQ(other.At(0, 0), clGreen);

    s.c->SetClipRect(TRect(10, 10, 12, 12));
    s.c->SetWindowOrg(-2, 0); // logical 8 is pixel 10, inside the clip
    s.c->MoveTo(8, 11);
    s.c->LineTo(9, 11);
    s.c->SetWindowOrg(0, 0);
    s.c->RemoveClip();
    EXPECT_EQ(s.At(10, 11), clBlack);

    // A painter held across drawing calls and moved by its holder.
    s.c->RemoveClip();
    QPainter* p = s.c->Painter();
    s.c->Brush()->SetColor(clRed);
    s.c->FillRect(TRect(15, 15, 16, 16));
    p->translate(2, 2);
    s.c->FillRect(TRect(16, 16, 17, 17));
    p->setClipRect(QRect(0, 0, 1, 1));
    s.c->FillRect(TRect(17, 17, 18, 18));
    EXPECT_EQ(s.At(15, 15), clRed);
    EXPECT_EQ(s.At(16, 16), clRed);
    EXPECT_EQ(s.At(17, 17), clRed);
    EXPECT_EQ(s.At(18, 18), clWhite);
    EXPECT_EQ(s.At(19, 19), clWhite);
}

// Widths belong to the font and the text they were measured with.
TEST(Canvas, TextWidthFollowsFontAndText)
{
    Surface s(20, 20);
    TFont* f = s.c->Font();
    f->SetSize(9);
    const int small = s.c->TextWidth(QStringLiteral("Measure me"));
    EXPECT_GT(small, 0);
    EXPECT_LT(s.c->TextWidth(QStringLiteral("Measure")), small);
    f->SetSize(18);
    const int large = s.c->TextWidth(QStringLiteral("Measure me"));
    EXPECT_GT(large, small);
    f->SetSize(9);
    EXPECT_EQ(s.c->TextWidth(QStringLiteral("Measure me")), small);
    s.c->MoveTo(0, 0);
    s.c->TextOut(1, 1, QStringLiteral("Measure me"));
    EXPECT_EQ(s.c->PenPos(), TPoint(1 + small, 1));
}

TEST(Canvas, XorPenAndFocusRectUndoThemselves)
{
    Surface s;
    s.c->Pen()->SetMode(pmXor);
    s.c->Pen()->SetColor(clWhite);
    s.c->MoveTo(0, 3);
    s.c->LineTo(10, 3);
    EXPECT_EQ(s.At(4, 3), clBlack);
    s.c->MoveTo(0, 3);
    s.c->LineTo(10, 3);
    EXPECT_EQ(s.At(4, 3), clWhite);

    s.c->DrawFocusRect(TRect(2, 10, 12, 16));
    EXPECT_EQ(s.At(2, 10), clBlack);
    EXPECT_EQ(s.At(3, 10), clWhite);  // dotted
    s.c->DrawFocusRect(TRect(2, 10, 12, 16));
    EXPECT_EQ(s.At(2, 10), clWhite);
}

TEST(Canvas, FloodFillBySurfaceAndByBorder)
{
    Surface s;
    s.c->Brush()->SetStyle(bsClear);
    s.c->Rectangle(2, 2, 12, 12);         // black ring, white inside and outside
    s.c->Brush()->SetColor(clBlue);
    s.c->FloodFill(5, 5, clBlack, fsBorder);
    EXPECT_EQ(s.At(5, 5), clBlue);
    EXPECT_EQ(s.At(10, 10), clBlue);
    EXPECT_EQ(s.At(2, 2), clBlack);       // the border stays
    EXPECT_EQ(s.At(15, 15), clWhite);     // outside untouched
    s.c->Brush()->SetColor(clLime);
    s.c->FloodFill(15, 15, clWhite, fsSurface);
    EXPECT_EQ(s.At(0, 0), clLime);
    EXPECT_EQ(s.At(19, 19), clLime);
    EXPECT_EQ(s.At(5, 5), clBlue);        // other colour: not reached
}

TEST(Canvas, PixelsClipAndWindowOrigin)
{
    Surface s;
    s.c->SetPixel(3, 4, clNavy);
    EXPECT_EQ(s.At(3, 4), clNavy);
    EXPECT_EQ(s.At(-1, 0), clNone);
    s.c->SetClipRect(TRect(0, 0, 5, 5));
    s.c->Brush()->SetColor(clBlue);
    s.c->FillRect(TRect(0, 0, 20, 20));
    s.c->RemoveClip();
    EXPECT_EQ(s.At(4, 4), clBlue);
    EXPECT_EQ(s.At(5, 5), clWhite);
    s.c->SetWindowOrg(-10, -10);          // logical (0,0) is pixel (10,10)
    s.c->Brush()->SetColor(clGreen);
    s.c->FillRect(TRect(0, 0, 1, 1));
    s.c->SetWindowOrg(0, 0);
    EXPECT_EQ(s.At(10, 10), clGreen);
    EXPECT_EQ(s.At(9, 9), clWhite);
    // Saved state comes back with its clip.
    const int id = s.c->SaveState();
    s.c->IntersectClipRect(TRect(0, 0, 2, 2));
    s.c->RestoreState(id);
    EXPECT_FALSE(s.c->HasClip());
}

TEST(Canvas, TransparentBitmapSkipsTheKeyColour)
{
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
    glyph.Canvas()->SetPixel(1, 1, clRed);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);   // the bottom-left pixel
    glyph.SetTransparent(true);

    Surface s(8, 8);
    s.c->Brush()->SetColor(clBlue);
    s.c->FillRect(TRect(0, 0, 8, 8));
    s.c->Draw(2, 2, &glyph);
    EXPECT_EQ(s.At(3, 3), clRed);
    EXPECT_EQ(s.At(2, 2), clBlue);
    EXPECT_EQ(s.At(5, 5), clBlue);

    // A fixed key colour other than the corner.
    glyph.SetTransparentColor(clRed);
    s.c->FillRect(TRect(0, 0, 8, 8));
    s.c->Draw(2, 2, &glyph);
    EXPECT_EQ(s.At(3, 3), clBlue);
    EXPECT_EQ(s.At(2, 2), clFuchsia);

    // BrushCopy swaps one colour for the brush.
    s.c->Brush()->SetColor(clYellow);
    s.c->BrushCopy(TRect(0, 0, 4, 4), &glyph, TRect(0, 0, 4, 4), clFuchsia);
    EXPECT_EQ(s.At(0, 0), clYellow);
    EXPECT_EQ(s.At(1, 1), clRed);
}

TEST(Canvas, ScanLineFollowsThePixelFormat)
{
    TBitmap b(3, 2);
    b.SetPixelFormat(pf24bit);
    b.Canvas()->SetPixel(1, 0, RGB(10, 20, 30));
    const uint8_t* row = b.ScanLine(0);
    EXPECT_EQ(row[3], 30);   // B, G, R
    EXPECT_EQ(row[4], 20);
    EXPECT_EQ(row[5], 10);
    b.SetPixelFormat(pf32bit);
    uint8_t* row32 = b.ScanLine(1);
    row32[8] = 200;          // pixel 2: blue
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), RGB(255, 255, 200));
    EXPECT_THROW(b.ScanLine(2), std::out_of_range);
}

TEST(FrameControl, CheckBoxStatesByPixel)
{
    struct Case { unsigned state; TColor mark; TColor face; };
    const Case cases[] = {
        {DFCS_BUTTONCHECK, clWhite, clWhite},
        {DFCS_BUTTONCHECK | DFCS_CHECKED, clBlack, clWhite},
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, ColorToRGB(clBtnShadow), ColorToRGB(clBtnFace)},
        {DFCS_BUTTON3STATE | DFCS_CHECKED, ColorToRGB(clBtnShadow), ColorToRGB(clBtnFace)},
        {DFCS_BUTTONCHECK | DFCS_PUSHED, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace)},
    };
    for (const Case& k : cases) {
        Surface s(13, 13);
        TRect r(0, 0, 13, 13);
        DrawFrameControl(s.c, r, DFC_BUTTON, k.state);
        // Sunken edge: shadow outside, dark shadow inside.
        EXPECT_EQ(s.At(0, 0), ColorToRGB(clBtnShadow)) << k.state;
        EXPECT_EQ(s.At(1, 1), ColorToRGB(cl3DDkShadow)) << k.state;
        EXPECT_EQ(s.At(12, 12), ColorToRGB(clBtnHighlight)) << k.state;
        EXPECT_EQ(s.At(6, 7), k.mark) << k.state;    // the middle stroke of the mark
        EXPECT_EQ(s.At(3, 9), k.face) << k.state;    // below the mark
    }
    // Flat: one shadow line and the window colour right inside it.
    Surface f(13, 13);
    TRect r(0, 0, 13, 13);
    DrawFrameControl(f.c, r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT);
    EXPECT_EQ(f.At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(f.At(1, 1), clWhite);
}

TEST(FrameControl, PushButtonAndArrowStates)
{
    struct Case { unsigned type, state; int x, y; TColor expected; };
    const Case cases[] = {
        {DFC_BUTTON, DFCS_BUTTONPUSH, 0, 0, ColorToRGB(cl3DLight)},                              // raised
        {DFC_BUTTON, DFCS_BUTTONPUSH, 15, 15, ColorToRGB(cl3DDkShadow)},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, 0, 0, ColorToRGB(clBtnShadow)},              // sunken
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT, 0, 0, ColorToRGB(clBtnShadow)},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT | DFCS_HOT, 0, 0, ColorToRGB(clBtnHighlight)},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED, 5, 5, ColorToRGB(cl3DLight)},               // latched face
        {DFC_SCROLL, DFCS_SCROLLDOWN, 8, 8, ColorToRGB(clBtnText)},                              // arrow tip row
        {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE, 8, 8, ColorToRGB(clBtnShadow)},
    };
    for (const Case& k : cases) {
        TBitmap b(16, 16);
        TRect r(0, 0, 16, 16);
        DrawFrameControl(b.Canvas(), r, k.type, k.state);
        EXPECT_EQ(b.Canvas()->Pixels(k.x, k.y), k.expected) << k.type << "/" << k.state;
    }
}

TEST(FrameControl, EdgesAdjustTheRectangle)
{
    Surface s;
    TRect r(0, 0, 10, 10);
    DrawEdge(s.c, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, TRect(2, 2, 8, 8));
    EXPECT_EQ(s.At(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(s.At(9, 9), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(s.At(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(s.At(8, 8), ColorToRGB(clBtnShadow));
    TRect e(0, 12, 10, 20);
    DrawEdge(s.c, e, EDGE_ETCHED, BF_TOP);
    EXPECT_EQ(s.At(3, 12), ColorToRGB(clBtnShadow));
    EXPECT_EQ(s.At(3, 13), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(e, TRect(0, 12, 10, 20));
}

TEST(Colors, SystemTableNamesAndText)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToString(clMoneyGreen), QStringLiteral("clMoneyGreen"));
    EXPECT_EQ(ColorToString(RGB(1, 2, 3)), QStringLiteral("$00030201"));
    EXPECT_EQ(StringToColor(QStringLiteral("clskyblue")), clSkyBlue);
    EXPECT_EQ(StringToColor(QStringLiteral("$00FF0000")), clBlue);
    EXPECT_EQ(StringToColor(QStringLiteral("255")), clRed);
    EXPECT_THROW(StringToColor(QStringLiteral("nope")), std::invalid_argument);
    EXPECT_EQ(ToQColor(clInfoBk), QColor(0xFF, 0xFF, 0xE1));
}

// Canvas pixel rules, frame controls and transparent bitmaps, probed pixel by pixel.
#include "platform/ui/drawing.h"
#include "platform/ui/graphics.h"

#include <gtest/gtest.h>

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

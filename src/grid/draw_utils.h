#pragma once
// Stateless drawing routines of the grid painting: colour arithmetic, gradient
// fills, button-face segments, the buttons of in-place editors, progress bars,
// pies, range indicators, cell shapes, the wavy error underline and bitmaps
// with a transparent colour. Each routine draws with the pen, brush and font of
// the canvas it is given and leaves them changed.

#include <QString>

#include "grid/color_tones.h"
#include "grid/grid_enums.h"
#include "platform/ui/graphics.h"
#include "platform/ui/messages.h"

class TWinControl;
class TFont;

// ---- Colours ----
TColor HalfBrightColor(TColor Color);
// Each component c becomes round(c + c * Percent / 100), kept within 0..255.
TColor AdjustColorByPercent(TColor Color, int Percent);
// Colour at Pos of a gradient over Min..Max (Pos is not offset by Min). Color
// itself when ColorTo is clNone; with Max = Min the start colour up to Min and
// the end colour beyond it.
TColor GradientColorAt(TColor Color, TColor ColorTo, int Min, int Max, int Pos);

// ---- Fills ----
void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal);
// Direction 0 horizontal, 1 vertical.
void DrawMirroredGradient(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor ColorMirror,
                          TColor ColorMirrorTo, int Direction, TColor BorderColor, bool SidesOnly, bool Fill);
void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color);

// Part of a rounded button face: 0 whole, 1 left end, 2 right end, 3 middle.
enum : int { bspWhole = 0, bspLeft = 1, bspRight = 2, bspMiddle = 3 };
void DrawButtonSegment(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor ColorMirror, TColor ColorMirrorTo,
                       TColor UpperLineColor, TColor LowerLineColor, TColor BorderColor, TColor CornerColor,
                       TColor BackgroundColor, const TRect& R, int Part);

// ---- Editor buttons ----
// Style: 0 themed, 1 classic frame control, 2 flat frame control, 3 colour tones.
// State: 0 normal, 1 hot, 2 down, 3 disabled.
enum : int { ebsThemed = 0, ebsClassic = 1, ebsFlat = 2, ebsTones = 3 };
enum : int { ebNormal = 0, ebHot = 1, ebDown = 2, ebDisabled = 3 };
void DrawComboButton(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, const TColorTones& Tones);
void DrawPushButton(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, const TColorTones& Tones);
void DrawSpinButtons(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, const TColorTones& Tones);

// ---- Cell graphics ----
void DrawProgressBar(TCanvas* Canvas, TRect R, TColor DoneColor, TColor DoneTextColor, TColor RemainColor,
                     TColor RemainTextColor, double Value, int MarginX, int MarginY, int Min, int Max,
                     const QString& Format, TColor BorderColor, bool Inverted);
void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Value, bool Inverted);
void DrawRangeIndicator(TCanvas* Canvas, TRect R, int Value, int Max, bool ShowValue, TColor NegativeColor,
                        TColor PositiveColor);

// The multi-level progress look, in the order the grid's progress appearance keeps it.
struct TXPProgressAppearance {
    TColor Level0Color = clLime;
    TColor Level0ColorTo = 0xE1FFE1;
    TColor Level1Color = clYellow;
    TColor Level1ColorTo = 0xCAFFFF;
    TColor Level2Color = 0x53A9FF;
    TColor Level2ColorTo = 0xA8D3FF;
    TColor Level3Color = clRed;
    TColor Level3ColorTo = 0xCACAFF;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    TFont* Font = nullptr; // not owned; the canvas font is used when null
    TColor CompleteFontColor = clBlue;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TColor UnCompleteColor = clWindow;
    bool Vertical = false;
};
void DrawXPProgressBar(TCanvas* Canvas, const TRect& R, int Position, const TXPProgressAppearance& Appearance);

void DrawShape(TCanvas* Canvas, int X, int Y, int Width, int Height, TCellShape Shape, TColor BrushColor,
               TColor PenColor);
void DrawDownTriangle(TCanvas* Canvas, int X, int Y, TColor Color);

// Red wavy underline under the characters ErrPos .. ErrPos + ErrLen - 1 (0-based)
// of Text drawn in R with the canvas font. An ErrPos at or past the end of the
// text starts the line at the last character.
void DrawErrorUnderline(TWinControl* Owner, TCanvas* Canvas, const QString& Text, const TRect& R, int YOffset,
                        int ErrPos, int ErrLen);

// Copies Bitmap to (R.Left, R.Top) with the colour of its top-left pixel shown as Color.
void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, const TRect& R);
// The same for a named resource bitmap; raises EResNotFound when there is none.
void DrawResourceBitmapTransparent(TCanvas* Canvas, TColor Color, const TRect& R, const QString& ResName);

// Whether a cell lies in a rectangle of cells (Left, Top, Right, Bottom inclusive).
template <class TGridRectLike>
bool PointInGridRect(const TGridRectLike& GridRect, int Col, int Row)
{
    return GridRect.Left <= Col && Col <= GridRect.Right && GridRect.Top <= Row && Row <= GridRect.Bottom;
}

// Layered-window calls of the classic desktop, carried out by the platform's
// layered windows. SrcDC, when given, points at the source picture as a
// QImage with pre-multiplied alpha; the destination position moves the window.
// Both answer true.
struct TBlendFunction {
    uint8_t BlendOp = 0, BlendFlags = 0, SourceConstantAlpha = 255, AlphaFormat = 0;
};
bool CallUpdateLayeredWindow(HWND Wnd, void* DstDC, const TPoint* DstPos, const TSize* Size, void* SrcDC,
                             const TPoint* SrcPos, TColor Key, const TBlendFunction* Blend, unsigned Flags);
bool CallSetLayeredWindowAttributes(HWND Wnd, TColor ColorKey, uint8_t Alpha, unsigned Flags);

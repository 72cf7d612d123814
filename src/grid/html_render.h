#pragma once
// The grid's mini-HTML renderer. DrawHTMLText lays a markup text out in lines
// inside a rectangle and, in the same call, only measures it, draws it, or
// finds the anchor or in-cell control under a point. The markup is not parsed
// into a tree: each line is consumed from left to right twice (measure, then
// draw or check) by one line routine that keeps a few style and layout
// registers, so that measuring, drawing and hit-testing always agree.
//
// Style lives in the canvas font, so tags of one kind do not nest: a second
// <B> is undone by the first </B>, and </FONT> returns to the starting font.

#include <QString>

#include "platform/ui/graphics.h"
#include "platform/ui/messages.h"

class THTMLPictureCache;
class TPictureContainer;

// The renderer's inputs and outputs, named as the grid passes them.
struct THTMLTextParams {
    TCanvas* Canvas = nullptr;      // its font is the starting font
    QString Text;                   // the markup
    TRect Rect;                     // area to lay out and draw in
    TImageList* Images = nullptr;   // images of "IDX:" sources
    int XPos = -1, YPos = -1;       // point to test
    int FocusLink = -1;             // 0-based anchor drawn with a focus rectangle
    int HoverLink = -1;             // 1-based hovered anchor (with HoverStyle)
    int ShadowOffset = 1;
    bool CheckHotSpot = false;      // second pass tests instead of drawing; finds ControlID
    bool CalcOnly = false;          // only measure
    bool ScaleImages = false;
    bool Selected = false;          // keep the canvas text colour
    bool BlinkOn = true;
    bool HoverStyle = false;
    bool WordWrap = false;
    bool Down = false;              // a mouse button is down
    double ImageRatio = 1.0;
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clGray;
    // Outputs.
    QString AnchorValue;            // not cleared by the renderer
    QString StrippedText;
    QString FocusAnchor;
    QString AnchorHint;
    int XSize = 0;
    int YSize = 0;
    int AnchorCount = 0;
    int MouseLink = -1;
    TRect HoverRect;
    TRect ControlRect;
    QString ControlID;              // in: control to find with CheckHotSpot
    QString ControlValue;
    QString ControlType;
    THTMLPictureCache* ImageCache = nullptr;
    TPictureContainer* Container = nullptr;
    HWND WindowHandle = nullptr;    // window whose theme draws in-cell controls
    // 0 left to right; 1 right to left; 2 and 3 right-to-left reading only. It acts only
    // under a right-to-left system locale (FormatSettings().MiddleEast): every mode but 0
    // reads text from the right, and mode 1 places the segments from the line's right edge
    // leftwards, each drawn right-aligned.
    int BiDiMode = 0;
};

// True when the point lies on anchor text, on an image inside an anchor or on
// an in-cell control (or ControlID was found with CheckHotSpot); always false
// with CalcOnly.
bool DrawHTMLText(THTMLTextParams& P);

// The same call with its parameters in the classic order.
bool DrawHTMLText(TCanvas* Canvas, const QString& Text, const TRect& Rect, TImageList* Images, int XPos, int YPos,
                  int FocusLink, int HoverLink, int ShadowOffset, bool CheckHotSpot, bool CalcOnly, bool ScaleImages,
                  bool Selected, bool BlinkOn, bool HoverStyle, bool WordWrap, bool Down, double ImageRatio,
                  TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                  QString& AnchorValue, QString& StrippedText, QString& FocusAnchor, QString& AnchorHint, int& XSize,
                  int& YSize, int& AnchorCount, int& MouseLink, TRect& HoverRect, TRect& ControlRect,
                  QString& ControlID, QString& ControlValue, QString& ControlType, THTMLPictureCache* ImageCache,
                  TPictureContainer* Container, HWND WindowHandle, int BiDiMode);

// The two colours of <HI>, shared by every grid (the last setter decides).
void SetHTMLHighlightColors(TColor Background, TColor Text);

// Draws the small or large icon of a file or folder path at (X, Y) (scaled by
// Ratio when Scaled; nothing when not Draw) and returns its size in Size.
// The platform has no system image list: a numeric path gets the file icon.
void DrawShellIcon(TCanvas* Canvas, int X, int Y, TSize& Size, double Ratio, bool Scaled, bool Draw, bool Large,
                   const QString& Path);
// Stretches the bitmap into R (copy mode).
void StretchDrawBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);

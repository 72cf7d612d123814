#pragma once
// Stateless drawing and number routines shared by the drop-down edits, their
// popups, buttons, header and footer panels and item selectors; the grid paints
// some of its gradient fills with DrawGradient too. The only state read is the
// locale's number separators, fetched at each call.

#include <QChar>
#include <QString>

#include "platform/ui/graphics.h"

class TControl;
class TWinControl;
class TPictureContainer;

// ---- Locale ----
QChar ThousandSeparator();
QChar DecimalSeparator();

// ---- Colours and fills ----
// Steps stripes of integer rectangles drawn with pen and brush in one colour;
// the far edge is reached only approximately and the last stripe is one step
// short of ToColor. A Steps below 1 counts as 1.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal);
// Percent of Col1 mixed into Col2: 100 or more gives Col1, 0 or less Col2.
TColor BlendColor(TColor Col1, TColor Col2, int Percent);
// Each non-zero channel is scaled by min(100, D + 100) percent; a zero channel
// becomes max(0, D).
TColor ColorTone(TColor Color, int DR, int DG, int DB);
// Gradient (80 stripes, vertical when Direction is true) or solid fill, then
// an outline of BorderWidth pixels.
void DrawFilledRect(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, bool Direction, int BorderWidth,
                    TColor BorderColor);

// ---- Text and pictures ----
void DrawTextWithImage(TCanvas* Canvas, TRect R, const QString& Text, int ImageIndex, TImageList* Images);
// Bitmap with its top-left pixel's colour shown as Color, copied into R.
void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, const TRect& R);
// One-line extent of the text; (0, 0) for an empty text.
TSize GetTextSize(TCanvas* Canvas, const QString& Text);
// The longest head of Text (with "..." when Ellipsis) strictly narrower than
// MaxWidth; the full text when it fits or when nothing does.
void FitTextEllipsis(TCanvas* Canvas, const QString& Text, int MaxWidth, QString& Result, bool Ellipsis);
// Mini-HTML text drawn left-aligned in R by the grid's renderer, anchors in
// grey; Size receives its extent. A false Flag only measures.
void DrawHTMLTextEx(TCanvas* Canvas, const QString& Text, const TRect& R, TSize& Size,
                    TPictureContainer* Pictures, bool Flag, TImageList* Images);

// Paints the windowless children of Control into Canvas, from First on (all
// when First is null), each at its place in Control's client area.
void PaintCtrls(TWinControl* Control, TCanvas* Canvas, TControl* First);

// ---- Numbers ----
bool IsRangeSeparator(QChar Ch);
// 0 integer, 1 decimal number, 5 hexadecimal, 2 anything else (empty included).
int ClassifyNumber(const QString& S);
void StripThousandSeparators(const QString& S, QString& Result);
int HexDigitValue(QChar Ch);
// Non-hex characters count 0; the sum wraps in 32 bits.
int HexToInt(const QString& S);
void CaseFold(const QString& S, bool CaseSensitive, QString& Result);

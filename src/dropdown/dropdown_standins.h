#pragma once
// Private stand-ins for the drop-down unit's shared drawing and number routines,
// which live in their own file. TO BE REPLACED by those routines when they land:
// every caller in this folder goes through these names only.
#include "platform/ui/graphics.h"

namespace kvdd_standin {

// Gradient in Steps stripes from FromColor to ToColor (left to right when
// Horizontal, else top to bottom); a Steps of 0 counts as 1.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R, bool Horizontal);
// Each channel other than 0 scaled to min(100, D + 100) percent; a channel of 0 becomes max(0, D).
TColor ColorTone(TColor Color, int DR, int DG, int DB);
// Gradient (Horizontal is the inverse of the flag) or solid fill, then a border.
void DrawFilledRect(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, bool Vertical, int BorderWidth,
                    TColor BorderColor);
// Image at the left, then the text on one vertically centred line.
void DrawTextWithImage(TCanvas* Canvas, TRect R, const QString& Text, int ImageIndex, TImageList* Images);
// Single-line size of a text; (0, 0) for an empty one.
TSize GetTextSize(TCanvas* Canvas, const QString& Text);

} // namespace kvdd_standin

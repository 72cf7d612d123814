#pragma once
// Free helpers of the cell painting, shared with printing and export.
#include <QString>

#include "platform/ui/graphics.h"

// Moves R's top-left corner to where text rotated by Angle degrees starts so
// that its bounding box sits in R (shrunk by 2) by the two alignments
// (0 left/top, 1 right/bottom, 2 centre), measured with the canvas font.
// Printing takes R on a page whose y grows upwards (Top above Bottom): the box's
// heights then count downwards, so the same corners place the text.
void RotatedTextOrigin(TCanvas* Canvas, TRect& R, int Angle, const QString& Text, int HAlign, int VAlign,
                       bool Printing = false);

// x limited to 0 .. 100.
double ClampPercent(double x);

// A selection colour mixed into a cell colour: Factor per cent of the selection.
TColor MixSelectionColor(TColor Selection, TColor Cell, bool Mixer, int Factor);

// The plain text of a rich-text cell, which is drawn and measured as such.
QString RichCellPlainText(const QString& CellText);

// Draws the grid's own check, radio, node and filter bitmaps into the resource
// registry once ("KSGCHK01" .. "KSGCHK08", "KSGRAD01" .. "KSGRAD08", "metro..." ...).
void RegisterGridResourceImages();

// A one-pixel frame: Light on the left and top, Dark on the right and bottom.
void DrawRaisedFrame(TCanvas* Canvas, const TRect& R, TColor Light, TColor Dark);

#pragma once
// Where the caption label of an edit control goes: the positions the flat
// combo, the date-time picker and the drop-down edits share (the last two,
// above and below the right edge, are the drop-down edits' own).
#include "platform/ui/graphics.h"

enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
    lpBottomRight
};

// Top-left corner of the label for a control with the bounds Control.
// TextWidth is the measured caption, LabelWidth and LabelHeight the label's
// own size, Margin the gap. The three "...Left" positions put the label's left
// edge Margin pixels left of the control whatever its width.
TPoint LabelPlace(TLabelPosition Position, const TRect& Control, int TextWidth, int LabelWidth, int LabelHeight,
                  int Margin);

#pragma once
// Placement shared by the edits that carry a button inside their right edge.
// The numbers are those of the classic client area; our edit's client area
// includes its 2-pixel frame, so positions are shifted by the frame.
#include "platform/ui/controls.h"

// The control font's text height and the smaller of it and the system font's.
void EditFontHeights(const TFont* Font, int& FontHeight, int& Smaller);
// Puts the button at the right edge: 1 (no border) or 5 (single border) pixels
// in from the width with the 3-D look, else flush right one pixel down.
void PlaceEditButton(TControl* Button, int EditWidth, int EditHeight, TBorderStyle Border, bool Ctl3D);
inline int EditFrameWidth(TBorderStyle Border) { return Border == bsSingle ? 2 : 0; }
// The resize step: an edit lower than MinHeight is made that high (and false
// returned, the next resize places the button); otherwise the button is placed.
bool FitEditButton(TControl* Edit, TControl* Button, int MinHeight, TBorderStyle Border, bool Ctl3D);
// After a press on an inner button: the focus control takes the focus when it
// can, else the button's host when it is a tab stop.
void FocusAfterButton(TWinControl* Host, TWinControl* FocusControl);
// Sets the edit's text rectangle from classic client coordinates.
void SetEditTextRect(TControl* Edit, TBorderStyle Border, int Left, int Top, int Right);

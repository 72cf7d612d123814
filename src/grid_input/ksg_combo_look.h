#pragma once
// Drawing pieces the flat combo and the flat date-time picker share: the
// layer that carries a drawn look over a platform control (mouse input passes
// through it), and the frames of the flat look.
#include "platform/ui/controls.h"
#include "platform/ui/graphics.h"

#include <QWidget>
#include <functional>

class TFlatLookLayer : public QWidget {
public:
    using TPaint = std::function<void(TCanvas* Canvas)>;
    // Placed over the whole of Host and raised above its other children.
    TFlatLookLayer(QWidget* Host, TPaint Paint);
    // Follows the host's size and stays on top.
    void FitHost();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TPaint FPaint;
};

// A one-pixel frame of R in Color.
void FlatFrame(TCanvas* c, const TRect& R, TColor Color);
TRect ShrunkRect(const TRect& R, int N);
// The flat look's rings from the outside of R inwards. With the focus look: a
// sunken outer edge, a ring in Outer, a ring in Inner. Without: a ring in
// Outer, a ring in Outer that ends ButtonWidth short of the right side (its
// right edge divides text and button), a ring in Inner. R ends as the innermost
// ring's rectangle.
void DrawFlatRings(TCanvas* c, TRect& R, bool FocusLook, TColor Outer, TColor Inner, int ButtonWidth);
// The drop-down arrow: a filled triangle with the top corners (X, Y) and
// (X + 6, Y) and the tip (X + 3, Y + 3); nothing for clNone.
void DrawDropArrow(TCanvas* c, int X, int Y, TColor Color);
// The themed drop-down button of a combo box in R: disabled, pressed on the
// open list, hot (mouse over the button, no button held, list closed) or normal.
void DrawThemedDropButton(TControl* Control, TCanvas* c, const TRect& R, bool Enabled, bool Down, bool Dropped,
                          bool Hover);
// The flat button's resting look: R (the button area inside the rings) loses
// one pixel at the top, bottom and right and is filled with the button face.
void FillFlatButtonAtRest(TCanvas* c, TRect& R);

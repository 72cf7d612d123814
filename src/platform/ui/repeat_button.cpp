#include "platform/ui/repeat_button.h"

TRepeatSpeedButton::TRepeatSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TRepeatSpeedButton::~TRepeatSpeedButton()
{
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TRepeatSpeedButton::MouseDown(TMouseButton b, TShiftState s, int x, int y)
{
    TSpeedButton::MouseDown(b, s, x, y);
    if (b == mbLeft && FEnabled && FAllowRepeat) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->OnTimer = [this](TObject* t) { TimerExpired(t); };
        }
        FRepeatTimer->SetInterval(FirstRepeatDelay);
        FRepeatTimer->SetEnabled(true);
    }
    if (FParent) FParent->Invalidate();
}

void TRepeatSpeedButton::MouseUp(TMouseButton b, TShiftState s, int x, int y)
{
    TSpeedButton::MouseUp(b, s, x, y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    if (FParent) FParent->Invalidate();
}

void TRepeatSpeedButton::TimerExpired(TObject*)
{
    FRepeatTimer->SetInterval(RepeatInterval);
    // Only while the button is still held: a release may be on its way.
    if (!FPressed) return;
    try {
        Click();
    } catch (...) {
        FRepeatTimer->SetEnabled(false);
        throw;
    }
}

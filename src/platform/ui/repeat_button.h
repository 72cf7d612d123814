#pragma once
// A speed button that repeats its click while it is held down: the first
// repeat 400 ms after the press, then one every 100 ms, and the normal click on
// release over the button. The repeat timer is an ordinary TTimer, so tests
// drive it with RepeatTimer()->Tick().
#include "platform/ui/extctrls.h"

class TRepeatSpeedButton : public TSpeedButton {
    Q_OBJECT
public:
    explicit TRepeatSpeedButton(TComponent* AOwner = nullptr);
    ~TRepeatSpeedButton() override;
    bool AllowRepeat() const { return FAllowRepeat; }
    void SetAllowRepeat(bool v) { FAllowRepeat = v; }
    // Created on the first press that repeats; null before.
    TTimer* RepeatTimer() const { return FRepeatTimer; }
    // Pressed with the left button and not yet released.
    bool Pressed() const { return FPressed; }
    static constexpr unsigned FirstRepeatDelay = 400;
    static constexpr unsigned RepeatInterval = 100;
protected:
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
    virtual void TimerExpired(TObject* Sender);
    TTimer* FRepeatTimer = nullptr;
    bool FAllowRepeat = true;
};

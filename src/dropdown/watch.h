#pragma once
// An analogue clock face: shows a time with hour and minute hands and an AM/PM
// box and lets the user set it with the mouse (a click on the face sets the
// hour, outside it the minute, on the box the half of the day). In live mode it
// shows the clock seam's time plus an offset and ignores input. The face is
// drawn once into a cache; time changes redraw only the hands over a copy.
// Hand moves may be animated on a 1 ms timer; the live clock ticks every 100 ms.

#include "dropdown/watch_appearance.h"
#include "grid/style_interfaces.h"
#include "platform/core/datetime.h"
#include "platform/ui/controls.h"

#include <memory>

class TTimer;

// The parts of a time of day.
struct THMS {
    int H = 0, M = 0, S = 0, MS = 0;
};
THMS SplitTime(TDateTime T);

class TKvWatch : public TCustomControl, public IQRVStyle {
    Q_OBJECT
public:
    explicit TKvWatch(TComponent* AOwner = nullptr);
    ~TKvWatch() override;

    TWatchAppearance* Appearance() { return FAppearance.get(); }
    void SetAppearance(const TWatchAppearance* Value) { FAppearance->Assign(Value); }
    TWatchSettings* Settings() { return FSettings.get(); }
    void SetSettings(const TWatchSettings* Value) { FSettings->Assign(Value); }
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    // Divisor of the remaining distance per animation step; below 1 it counts as 1.
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool Value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);
    TWatchStyle Style() const { return FStyle; }
    void SetStyle(TWatchStyle Value);
    void SetComponentStyle(TQRVStyle AStyle) override;
    TNotifyEvent OnChange;

    // The shown time: the clock plus Settings.TimeOffset minutes in live mode.
    TDateTime GetCurrentTime() const;
    bool AM() const { return FAM; }
    void SetAM(bool Value);
    void SetHour(int Value);
    // Raises "Invalid time" for 60 or more.
    void SetMinute(int Value);
    // Keys the time picker forwards: A/P, Page Up/Down, Home, End, Left, Right.
    void HandleKey(WORD Key);

    // ---- geometry in client pixels
    TRect WatchRect() const;
    TPoint Center() const;
    double Radius() const;
    int MinuteAtPos(int X, int Y) const;
    int HourAtPos(int X, int Y) const;
    // The AM/PM box as measured on Canvas (the face cache when null); all -1
    // while ShowAMPM is off.
    TRect AMPMRect(TCanvas* Canvas = nullptr);

    // ---- drawing on any canvas
    void DrawFace(TCanvas* Canvas);
    void DrawHands(TCanvas* Canvas);
    // Redraws the hands over a copy of the face cache.
    void RepaintHands();

    TTimer* WatchTimer() const { return FWatchTimer; }
    TTimer* AnimationTimer() const { return FAnimationTimer; }

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void ApplyTime(TDateTime Value);
    void SettingsChanged();
    void AnimationStep();
    void LiveTick();
    bool Inert() const;
    // Runs F with the next hour or minute change applied at once.
    template <class F>
    void Internally(F f)
    {
        const bool saved = FInternalCall;
        FInternalCall = true;
        f();
        FInternalCall = saved;
    }
    void DrawBackground(TCanvas* Canvas);
    void DrawMarks(TCanvas* Canvas);
    void DrawNumbers(TCanvas* Canvas);
    void DrawAMPM(TCanvas* Canvas);
    void DrawAMPMFrame(TCanvas* Canvas, const TRect& Box);
    void RollAMPM(bool ToAM);
    TPoint PointAt(double Distance, double Degrees) const;
    bool InsideFace(int X, int Y) const;

    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    TDateTime FTime = 0;
    std::unique_ptr<TBitmap> FBKGCache;
    bool FCacheValid = false;
    int FOldHour = 0, FOldMinute = 0, FOldSecond = 0;
    TTimer* FWatchTimer = nullptr;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TTimer* FAnimationTimer = nullptr;
    int FCurrentHourTo = 0;
    int FCurrentMinuteTo = 0;
    int FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FAM = true;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    bool FInternalSet = false;
    TWatchStyle FStyle = wsClassic;
};

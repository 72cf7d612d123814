#pragma once
// A drop-down edit holding a time of day, shown as HH:mm:ss or HH:mm with the
// locale's separator under an edit mask. The popup shows an analogue watch on
// a panel and, on request, a time control below it. With typing on, Up and
// Down step the part under the caret.
#include "dropdown/kv_dropdown.h"

#include "dropdown/watch_appearance.h"
#include "platform/core/datetime.h"

#include <memory>

class TKvWatch;
class TDateTimePicker;
class TPanel;

class TKvTimePickerDropDown : public TKvCustomDropDown {
    Q_OBJECT
public:
    explicit TKvTimePickerDropDown(TComponent* AOwner = nullptr);
    ~TKvTimePickerDropDown() override;

    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
    TKvWatch* Watch() const { return FKvWatch; }
    TDateTimePicker* DateTimePicker() const { return FDateTimePicker; }
    TPanel* PanelCtrl() const { return FPanelCtrl; }
    TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
    void SetWatchAppearance(const TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }
    TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
    void SetWatchSettings(const TWatchSettings* Value) { FWatchSettings->Assign(Value); }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);
    TDateTime Time() const { return FTime; }
    // Writes the normal text; fires no event.
    void SetTime(TDateTime Value);
    // Each replaces one part of Time and fires OnTimeChange; nothing for the
    // same value or one out of range.
    void SetHourPart(int Value);
    void SetMinutePart(int Value);
    void SetSecondPart(int Value);
    TNotifyEvent OnTimeChange;

    // The time's text in the current form.
    QString NormalText(TDateTime Value) const;

    void SetComponentStyle(TQRVStyle AStyle) override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoHideDropDown(bool Cancelled) override;
    void AfterDropUp() override;
    void DropDownFormKeyDown(WORD& Key, TShiftState Shift) override;
    void DropDownFormKeyUp(WORD& Key, TShiftState Shift) override;
    void ControlKeyDown(WORD& Key, TShiftState Shift) override;
    void ControlKeyUp(WORD& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;
    // A complete typed time becomes Time; anything else leaves it.
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

protected:
    void WatchChanged();
    void PickerChanged();
    void ApplyMask();
    bool Live() const;

    bool FShowTimePicker = false;
    TKvWatch* FKvWatch = nullptr;
    TDateTimePicker* FDateTimePicker = nullptr;
    TPanel* FPanelCtrl = nullptr;
    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TDateTime FTime = 0;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    bool FInternalCall = false;
    bool FShowSeconds = true;
    // The time when the popup opened, restored by a cancelled close.
    TDateTime FOpenTime = 0;
    bool FClosingCancelled = false;
};

#pragma once
// The date-and-time picker: the date in the picker itself and the time in a
// second picker inside its right part, an attached caption label in one of 13
// places, and AutoTab: after each typed digit that completes a number the
// picker moves on by itself (the registered message "DTPShiftFocus", posted
// to the picker, then a posted Right arrow or the focus to the time part).
#include "grid_input/ksg_combo_label.h"
#include "grid_input/ksg_date_time_picker.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"

// The registered "DTPShiftFocus" message (the same number for every user of the name).
UINT DTPShiftFocusMessage();

// The base with the AutoTab protocol of the time fields; it never draws flat.
class TCustomDateTimePicker : public TKsgDateTimePicker {
public:
    explicit TCustomDateTimePicker(TComponent* AOwner = nullptr);
    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool v) { FAutoTab = v; }
    void WndProc(TMessage& m) override;
protected:
    bool SuppressFlatDraw() const override { return true; }
    virtual void DoShiftFocus();
    // Saves the parts compared after the digit has been processed.
    virtual void SaveBeforeDigit();
    bool FAutoTab = false;
    // Hour, minute, second and millisecond saved before a digit (time mode).
    uint16_t Fh = 0, FSavedMinute = 0, Fs = 0, Fms = 0;
};

enum TKvDateTimeKind { dkDate, dkTime, dkDateTime };

class TKvDateTimePicker : public TCustomDateTimePicker {
public:
    explicit TKvDateTimePicker(TComponent* AOwner = nullptr);
    ~TKvDateTimePicker() override;

    QString Version() const { return QStringLiteral("1.2.0.0"); }
    void SetVersion(const QString&) {}
    TKvDateTimeKind Kind() const { return FKind; }
    void SetKind(TKvDateTimeKind v);
    TDateTime DateTime();
    virtual void SetDateTime(TDateTime X);
    TDateTime Date() const { return TDateTimePicker::Date(); }
    void SetDate(TDateTime D);
    TDateTime Time() const;
    void SetTime(TDateTime T);
    QString TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const QString& v);
    void SetAutoTab(bool v) override;
    void SetBorderStyle(TBorderStyle v) override;
    void SetChecked(bool v);
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }
    // The width that shows the whole date left of the time part (the current
    // width when there is no time part).
    int DateAndTimeWidth() const;
    // Where a date change in check-box mode was last made (recorded only).
    TPoint ChangePoint() const { return Fpt; }
    TTimer* FocusTimer() const { return FFocusTimer; }

    QString LabelCaption() const;
    void SetLabelCaption(const QString& v);
    TLabel* PickerLabel() const { return FLabel; }
    TFont* LabelFont() { return &FLabelFont; }
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v) { FLabelPosition = v; UpdateLabel(); }
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v) { FLabelMargin = v; UpdateLabel(); }
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v) { FLabelTransparent = v; UpdateLabel(); }
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v);
    TNotifyEvent OnTimeChange, OnLabelClick, OnLabelDblClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void SetVisible(bool v) override;
    void UpdateTimePicker();
    void UpdateLabel();
protected:
    bool SuppressFlatDraw() const override { return false; }
    void DoShiftFocus() override;
    void SaveBeforeDigit() override;
    void Change() override;
    void EnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;
private:
    void CreateTimePicker();
    void TimePickerEnabledFromCheck();
    TKvDateTimeKind FKind = dkDate;
    TTimer* FFocusTimer;
    TPoint Fpt{-1, -1};
    QString FTimeFormat;
    uint16_t Fy = 0, FSavedMonth = 0, Fd = 0;
    TLabel* FLabel = nullptr;
    TFont FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FFocusLabel = false;
    bool FLabelAlwaysEnabled = false;
    bool FParentFnt = false;
    bool FIgnoreTimePickerCheck = false;
    TCustomDateTimePicker* FTimePicker = nullptr;
    TDateTime FLastDate = 0;   // the date before a change, for the change point
    bool FLastChecked = true;
};

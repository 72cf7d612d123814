#pragma once
// The grid's editors of the check box, cell button, spin, date, date-and-time,
// edit-with-button and value-with-unit kinds: the stand-alone controls with
// the grid's keyboard protocol. They keep the keys that end or cancel an
// edit, commit their text to the current cell through the grid's check, give
// the focus back to the grid and relay their events to the grid's events.
// Their owner must be a grid (the date-and-time editor takes any owner).
#include "grid_input/ksg_date_time_picker.h"
#include "grid_input/ksg_edit_btn.h"
#include "grid_input/ksg_spin_edit.h"
#include "grid_input/kv_date_time_picker.h"
#include "platform/ui/stdctrls.h"

class TKvStringGrid;

// The number a spin cell's text opens with: leading blanks, a sign and a hexadecimal
// prefix ("$", "x", "0x") allowed, the digits up to the first other character, the sign
// kept ("-12x" is -12); empty text is 0.
int ReadSpinInteger(const QString& Text);
// The decimal number at the start of the text (the locale separator or "."), 0 without one.
double ReadSpinFloat(const QString& Text);

// The check box of edCheckBox cells: one toggle per left press and per Space;
// its state never reaches the cell. It paints its whole face in its colour, so
// its caption stands in place of the cell's text instead of over it.
class TGridCheckBox : public TCheckBox {
public:
    explicit TGridCheckBox(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridCheckBox"); }
    void ReCreate() { RecreateWnd(); }
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoExit() override;
    bool HandleQtEvent(QObject* target, QEvent* e) override;

private:
    TKvStringGrid* FGrid;
};

// The push button of edButton cells: a click or Space passes the caption
// through the grid's OnEllipsClick into the cell; arrows and Escape go back
// to the grid.
class TGridButton : public TButton {
public:
    explicit TGridButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridButton"); }
    void ReCreate() { RecreateWnd(); }
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    // The caption through the grid's OnEllipsClick, shown and stored in the current cell.
    void TakeClickValue();
    TKvStringGrid* FGrid;
};

// The spin editor of the integer, float, time and date spin kinds.
class TGridSpin : public TKsgSpinEdit {
public:
    explicit TGridSpin(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridSpin"); }
    void ReCreate() { RecreateWnd(); }
    void UpButtonClick() override;
    void DownButtonClick() override;
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;
    void DoExit() override;

private:
    void FireSpinClick(bool UpDown);
    TKvStringGrid* FGrid;
};

// The date and time editor of edDateEdit, edDateEditUpDown and edTimeEdit:
// a typed digit that completes a field moves the caret on to the next field.
class TGridDatePicker : public TKsgDateTimePicker {
public:
    explicit TGridDatePicker(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridDatePicker"); }
    void ReCreate() { RecreateWnd(); }
    // Calendar options the grid's drop-down step applies to the calendar.
    bool Weeknumbers() const { return FWeekNumbers; }
    void SetWeeknumbers(bool v) { FWeekNumbers = v; }
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool v) { FShowToday = v; }
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool v) { FShowTodayCircle = v; }
    void PaintFlat(TCanvas* Canvas) override;
    void WndProc(TMessage& Message) override;

protected:
    // The picker's value in its format (the locale's when it has none); empty without a date.
    QString GetText() const override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoExit() override;

private:
    void ShiftFocus();
    TKvStringGrid* FGrid;
    uint16_t Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
    bool FWeekNumbers = false, FShowToday = true, FShowTodayCircle = true;
};

// The date-and-time editor of edDateTimeEdit. No validation runs in it.
class TGridDateTimePicker : public TKvDateTimePicker {
public:
    explicit TGridDateTimePicker(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridDateTimePicker"); }
    // The picker's value as the grid stores it: locale short date, a blank, short time.
    QString DateTimeText();

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    TKvStringGrid* FGrid;
};

// The edit with a button of edEditBtn, edNumericEditBtn, edFloatEditBtn and edMaskEditBtn.
class TGridEditBtn : public TKsgEditBtn {
public:
    explicit TGridEditBtn(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridEditBtn"); }
    void ReCreate() { RecreateWnd(); }
    bool StopEditAfterClick() const { return FStopEditAfterClick; }
    void SetStopEditAfterClick(bool v) { FStopEditAfterClick = v; }
    // False after a Backspace or Delete: lookup completion waits for another key.
    bool WorkMode = true;
    void ButtonClick(TObject* Sender);
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void Change() override;
    void DoExit() override;
    TKvStringGrid* FGrid;

private:
    void WMPaste();
    void DoLookup();
    int FSelKeyDown = 0;
    bool FStopEditAfterClick = false;
};

// The value with a unit of edUnitEditBtn, edNumericUnitEditBtn and edFloatUnitEditBtn.
class TGridUnitEditBtn : public TKsgUnitEditBtn {
public:
    explicit TGridUnitEditBtn(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridUnitEditBtn"); }
    void ReCreate() { RecreateWnd(); }
    void ButtonClick(TObject* Sender);
    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    TKvStringGrid* FGrid;
};

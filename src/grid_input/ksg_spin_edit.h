#pragma once
// The spin edit: a single-line edit with a pair of arrow buttons at its right
// edge that steps an integer, float, date or time value (value logic in
// TKsgSpinLogic), the arrow pair and the arrow button that repeats while held.
#include "grid_input/ksg_spin_logic.h"
#include "platform/ui/repeat_button.h"
#include "platform/ui/stdctrls.h"

enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateFlag : unsigned { tbFocusRect = 1, tbAllowTimer = 2 };
using TTimeBtnState = unsigned;

class TKsgSpinButton;

// One arrow: repeats while held (with tbAllowTimer) and paints its arrow in
// the pair's colours, themed or classic.
class TKvTimerSpeedButton : public TRepeatSpeedButton {
public:
    TKvTimerSpeedButton(TKsgSpinButton* Pair);
    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState v);
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection v) { FButtonDirection = v; Invalidate(); }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v) { FIsWinXP = v; Invalidate(); }
    bool HasMouse() const { return FHot; }
protected:
    void Paint() override;
private:
    TKsgSpinButton* FPair;
    TTimeBtnState FTimeBtnState = 0;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
};

class TKsgSpinButton : public TWinControl {
public:
    explicit TKsgSpinButton(TComponent* AOwner = nullptr);
    TKvTimerSpeedButton* UpButton() const { return FUpButton; }
    TKvTimerSpeedButton* DownButton() const { return FDownButton; }
    TKvTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* c);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    // A null glyph loads the built-in arrow.
    void SetUpGlyph(const TBitmap* Glyph);
    void SetDownGlyph(const TBitmap* Glyph);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TNotifyEvent OnUpClick, OnDownClick;
    // Only the three button colours change the drawing; the others are kept.
    TColor ButtonColorDown = clNone, ButtonBorderColor = clNone, ButtonTextColor = clNone,
           ButtonTextColorHot = clNone, ButtonColor = clNone, ButtonColorHot = clNone,
           ButtonTextColorDown = clNone;
    void WndProc(TMessage& m) override;
protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
private:
    void BtnClick(TObject* Sender);
    void BtnMouseDown(TObject* Sender, TMouseButton Button);
    void SetFocusBtn(TKvTimerSpeedButton* Btn);
    void AdjustButtons(int& W, int& H);
    TKvTimerSpeedButton* FUpButton;
    TKvTimerSpeedButton* FDownButton;
    TKvTimerSpeedButton* FFocusedButton;
    TWinControl* FFocusControl = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

class TKsgSpinEdit : public TMaskEdit, public TKsgSpinLogic {
public:
    explicit TKsgSpinEdit(TComponent* AOwner = nullptr);
    TKsgSpinButton* Button() const { return FButton; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign v);
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool v);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    TBorderStyle BorderStyle() const { return FEditBorder; }
    void SetBorderStyle(TBorderStyle b);
    int GetMinHeight() const;

    // The arrow pair's click handlers; the grid's spin editor adds its notification.
    virtual void UpButtonClick();
    virtual void DownButtonClick();

    QString SpinText() const override { return Text(); }
    void SetSpinText(const QString& s) override { SetText(s); }
    int SpinSelStart() const override { return SelStart(); }
    int SpinSelLength() const override { return SelLength(); }
    void SetSpinSel(int Start, int Length) override;
    bool SpinReadOnly() const override { return ReadOnly(); }
    bool SpinLoading() const override { return IsLoading(); }
    void WndProc(TMessage& m) override;
protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    void SetEditRect();
private:
    TKsgSpinButton* FButton;
    TSpinDirection FDirection = spVertical;
    TEditAlign FEditAlign = eaLeft;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FSpinFlat = false, FSpinTransparent = false;
    TBorderStyle FEditBorder = bsSingle;
};

#pragma once
// A numeric drop-down edit whose popup is a pocket-calculator key pad. The
// edit's text is the display: every step reads the entry back from it and
// writes the result through the typed entry (etFloat, or etMoney with
// thousand separators). Operators apply strictly left to right.
//
// A display that does not convert to a number (a lone "-", a text set
// directly) counts as 0 for every step, and a non-finite result of an
// operator counts as a failure of that step (running value 0).
#include "dropdown/button_panel.h"
#include "dropdown/kv_dropdown.h"

#include <memory>

class TKvCalculatorDropdown : public TKvCustomDropDown {
    Q_OBJECT
public:
    explicit TKvCalculatorDropdown(TComponent* AOwner = nullptr);
    ~TKvCalculatorDropdown() override;

    long double GetValue();
    void SetValue(long double Value);
    // What Return in a grid cell calls to finish the calculation.
    void CalcResult() { DoEquals(); }
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool Value);
    TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
    void SetCalcButtonAppearance(const TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
    TCustomButtonPanel* ButtonPanel() const { return FKvButtonPanel; }
    long double RunningValue() const { return FPrevval; }
    long double MemoryValue() const { return FMVal; }
    int PendingOperator() const { return FPrevop; }

    void CalcButtonClick(TObject* Sender, int Index);
    void CalcKeyPress(QChar& Key);

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoHideDropDown(bool Cancelled) override { TKvCustomDropDown::DoHideDropDown(Cancelled); }
    void AfterDropUp() override { TKvCustomDropDown::AfterDropUp(); }
    void DropDownFormKeyPress(QChar& Key) override;
    void DropDownFormKeyDown(WORD& Key, TShiftState Shift) override;
    void SetComponentStyle(TQRVStyle AStyle) override;
    // Runs before every panel key and popup key press.
    virtual void BeforeCalcKey() {}
    void WndProc(TMessage& Message) override;

protected:
    void KeyPress(QChar& Key) override;
    void DoCalc();
    void DoPlus() { DoCalc(); FPrevop = 0; }
    void DoMinus() { DoCalc(); FPrevop = 2; }
    void DoMul() { DoCalc(); FPrevop = 1; }
    void DoDiv() { DoCalc(); FPrevop = 3; }
    void DoEquals();
    void DoPercent();
    // The display without thousand separators as a number; 0 when it does not convert.
    long double DisplayValue() const;
    // Empty or "Error" becomes "0".
    void NormaliseDisplay();
    bool PopupClosed() const;

    TCustomButtonPanel* FKvButtonPanel = nullptr;
    int FDecim = 0;
    bool FNewval = false;
    long double FPrevval = 0;
    int FPrevop = -1;
    bool FCalcClosed = true;
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    long double FMVal = 0;
    bool FShowThousandSeparator = false;
};

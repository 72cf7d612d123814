#pragma once
// The value side of the spin edit: reading and writing the value of its kind
// through the text, clamping, stepping by the field under the caret and the
// character filter. The text is the only store of the value; the edit control
// supplies its own text and selection by overriding the accessors, so the
// same code runs in tests without a window. Locale values are read from
// FormatSettings() at every use.
#include "platform/core/datetime.h"

#include <QString>

enum TKsgSpinType { sptNormal, sptFloat, sptDate, sptTime };

class TKsgSpinLogic {
public:
    virtual ~TKsgSpinLogic() = default;

    TKsgSpinType SpinType() const { return FSpinType; }
    // Re-writes the current value, read under the new kind.
    virtual void SetSpinType(TKsgSpinType Value);

    int Value() const;
    void SetValue(int V);
    double FloatValue() const;
    void SetFloatValue(double X);
    TDateTime DateValue() const;
    void SetDateValue(TDateTime D);
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime T);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int v) { FMinValue = v; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v) { FMaxValue = v; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double v) { FMinFloatValue = v; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime v) { FMinDateValue = v; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime v) { FMaxDateValue = v; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double v) { FIncrementFloat = v; }
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double v) { FIncrementFloatPage = v; }
    int IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(int v) { FIncrementHours = v; }
    int IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(int v) { FIncrementMinutes = v; }
    int IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(int v) { FIncrementSeconds = v; }
    int Precision() const { return FPrecision; }
    void SetPrecision(int v);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v) { FShowSeconds = v; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool v) { FAllowEmptyValue = v; }
    // Whether the short date format puts the month first, as found at the last date step.
    bool UsDates() const { return FUsDates; }

    int CheckValue(int V) const;
    double CheckFloatValue(double X) const;
    TDateTime CheckDateValue(TDateTime X) const;

    // One step of the field under the caret; Page takes the float page step.
    // A read-only control beeps instead. Encoding failures of date and time
    // steps raise EConvertError and leave the text.
    virtual void UpClick(bool Page);
    virtual void DownClick(bool Page);
    virtual bool IsValidChar(QChar Key);
    // Writes an out-of-range value of the current kind back through its setter.
    void ClampOnExit();

    // The text and selection. The defaults keep them here (no window).
    virtual QString SpinText() const { return FText; }
    virtual void SetSpinText(const QString& s) { FText = s; }
    virtual int SpinSelStart() const { return FSelStart; }
    virtual int SpinSelLength() const { return FSelLength; }
    virtual void SetSpinSel(int Start, int Length) { FSelStart = Start; FSelLength = Length; }
    virtual bool SpinReadOnly() const { return FReadOnly; }
    void SetSpinReadOnly(bool v) { FReadOnly = v; }
    virtual bool SpinLoading() const { return false; }
    virtual void Beep();
    int BeepCount() const { return FBeeps; }

protected:
    void Step(bool Up, bool Page);
    // Writes a date or time text and puts the caret back where it was.
    void SetTextKeepCaret(const QString& s);

    int FMinValue = 0, FMaxValue = 100;
    double FMinFloatValue = 0.0, FMaxFloatValue = 100.0;
    TDateTime FMinDateValue = 0.0, FMaxDateValue = 0.0;
    TDateTime FDateValue = 0.0, FTimeValue = 0.0;
    int FIncrement = 1;
    double FIncrementFloat = 0.1;
    bool FEditorEnabled = true;
    TKsgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    int FIncrementSeconds = 1, FIncrementMinutes = 1, FIncrementHours = 1;
    bool FAllowEmptyValue = false;
    double FIncrementFloatPage = 1.0;

private:
    QString FText = QStringLiteral("0");
    int FSelStart = 0, FSelLength = 0;
    bool FReadOnly = false;
    int FBeeps = 0;
};

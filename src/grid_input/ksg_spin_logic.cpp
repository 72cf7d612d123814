#include "grid_input/ksg_spin_logic.h"

#include "platform/core/sysutils.h"
#include "platform/ui/controls.h"

void TKsgSpinLogic::SetSpinType(TKsgSpinType Value)
{
    FSpinType = Value;
    switch (Value) {
    case sptNormal: SetValue(this->Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TKsgSpinLogic::SetPrecision(int v)
{
    FPrecision = v;
    if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

// ---- values ---------------------------------------------------------------------

int TKsgSpinLogic::Value() const
{
    const QString s = SpinText().trimmed();
    if (s.isEmpty()) return 0;
    int v = 0;
    return TryStrToInt(s, v) ? v : FMinValue;
}

void TKsgSpinLogic::SetValue(int V)
{
    SetSpinText(IntToStr(CheckValue(V)));
    if (!FEditorEnabled) SetSpinSel(0, int(SpinText().size()));
}

double TKsgSpinLogic::FloatValue() const
{
    double v = 0;
    return TryStrToFloat(SpinText(), v) ? v : double(FMinValue);
}

void TKsgSpinLogic::SetFloatValue(double X)
{
    X = CheckFloatValue(X);
    SetSpinText(FPrecision != 0 ? FloatToStrF(X, ffFixed, 15, FPrecision) : FloatToStr(X));
}

TDateTime TKsgSpinLogic::DateValue() const
{
    const QString s = SpinText();
    if (s == QLatin1String("0") || s.isEmpty()) return Now();
    TDateTime d = 0;
    return TryStrToDate(s, d) ? d : FMinDateValue;
}

void TKsgSpinLogic::SetDateValue(TDateTime D)
{
    FDateValue = D;
    if (SpinLoading()) return;
    FDateValue = CheckDateValue(D);
    SetTextKeepCaret(DateToStr(FDateValue));
}

TDateTime TKsgSpinLogic::TimeValue() const
{
    TDateTime t = 0;
    return TryStrToTime(SpinText(), t) ? t : 0.0;
}

void TKsgSpinLogic::SetTimeValue(TDateTime T)
{
    FTimeValue = T;
    if (SpinLoading()) return;
    FTimeValue = CheckDateValue(T);
    SetTextKeepCaret(FShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime(QStringLiteral("h:nn"), FTimeValue));
}

void TKsgSpinLogic::SetTextKeepCaret(const QString& s)
{
    const int caret = SpinSelStart();
    SetSpinText(s);
    SetSpinSel(std::min(caret, int(s.size())), 0);
}

// ---- clamping: equal limits mean no limits ------------------------------------------

int TKsgSpinLogic::CheckValue(int V) const
{
    if (FMinValue == FMaxValue) return V;
    if (V < FMinValue) return FMinValue;
    if (V > FMaxValue) return FMaxValue;
    return V;
}

double TKsgSpinLogic::CheckFloatValue(double X) const
{
    if (FMinFloatValue == FMaxFloatValue) return X;
    if (X <= FMinFloatValue) return FMinFloatValue;
    if (X >= FMaxFloatValue) return FMaxFloatValue;
    return X;
}

TDateTime TKsgSpinLogic::CheckDateValue(TDateTime X) const
{
    if (FMinDateValue == FMaxDateValue) return X;
    if (X < FMinDateValue) return FMinDateValue;
    if (X > FMaxDateValue) return FMaxDateValue;
    return X;
}

void TKsgSpinLogic::ClampOnExit()
{
    switch (FSpinType) {
    case sptNormal: {
        const int v = Value();
        if (CheckValue(v) != v) SetValue(v);
        break;
    }
    case sptFloat: {
        const double v = FloatValue();
        if (CheckFloatValue(v) != v) SetFloatValue(v);
        break;
    }
    case sptDate: {
        const TDateTime v = DateValue();
        if (CheckDateValue(v) != v) SetDateValue(v);
        break;
    }
    case sptTime: {
        const TDateTime v = TimeValue();
        if (CheckDateValue(v) != v) SetTimeValue(v);
        break;
    }
    }
}

// ---- stepping ---------------------------------------------------------------------

void TKsgSpinLogic::Beep()
{
    ++FBeeps;
    MessageBeep(0);
}

void TKsgSpinLogic::UpClick(bool Page) { Step(true, Page); }
void TKsgSpinLogic::DownClick(bool Page) { Step(false, Page); }

namespace {
// 1-based positions of the first separator and of the next one after it (0: none).
void SeparatorPositions(const QString& text, QChar sep, int& p1, int& p2)
{
    p1 = int(text.indexOf(sep)) + 1;
    p2 = p1 > 0 ? int(text.indexOf(sep, p1)) + 1 : 0;
}
} // namespace

void TKsgSpinLogic::Step(bool Up, bool Page)
{
    if (SpinReadOnly()) {
        Beep();
        return;
    }
    const int sign = Up ? 1 : -1;
    switch (FSpinType) {
    case sptNormal:
        SetValue(Value() + sign * FIncrement);
        break;
    case sptFloat:
        SetFloatValue(FloatValue() + sign * (Page ? FIncrementFloatPage : FIncrementFloat));
        break;
    case sptDate: {
        const TFormatSettings& fs = FormatSettings();
        const QString text = SpinText();
        const int s = SpinSelStart();
        int p1 = 0, p2 = 0;
        SeparatorPositions(text, fs.DateSeparator, p1, p2);
        const QString fmt = fs.ShortDateFormat.toUpper();
        FUsDates = fmt.indexOf(QLatin1Char('M')) < fmt.indexOf(QLatin1Char('D'));
        const TDateTime d = DateValue();
        enum { Day, Month, Year } field;
        if (FUsDates) field = s < p1 ? Month : s < p2 ? Day : Year;
        else field = s < p1 ? Day : s < p2 ? Month : Year;
        TDateTime r = d;
        if (field == Day) r = d + sign;
        else if (field == Month) r = IncMonth(d, sign);
        else {
            int y = 0, m = 0, dd = 0;
            DecodeDate(d, y, m, dd);
            r = EncodeDate(y + sign, m, dd);   // 29 February into a common year raises
        }
        SetDateValue(r);
        break;
    }
    case sptTime: {
        const QString text = SpinText();
        const int s = SpinSelStart();
        int p1 = 0, p2 = 0;
        SeparatorPositions(text, FormatSettings().TimeSeparator, p1, p2);
        TDateTime step = 0;
        if (s < p1) step = EncodeTime(FIncrementHours, 0, 0, 0);
        else if (FShowSeconds && s >= p2) step = EncodeTime(0, 0, FIncrementSeconds, 0);
        else step = EncodeTime(0, FIncrementMinutes, 0, 0);
        if (Up) {
            SetTimeValue(TimeValue() + step);
        } else {
            TDateTime t = TimeValue() + 1.0 - step;
            if (t > 1.0) t -= 1.0;
            SetTimeValue(t);
        }
        break;
    }
    }
}

// ---- character filter ---------------------------------------------------------------

bool TKsgSpinLogic::IsValidChar(QChar Key)
{
    if (Key.unicode() == 8) return FEditorEnabled;
    const TFormatSettings& fs = FormatSettings();
    const QChar minus = QLatin1Char('-');
    const QString text = SpinText();
    const int selStart = SpinSelStart(), selLength = SpinSelLength();
    const QString selText = text.mid(selStart, selLength);
    const ushort code = Key.unicode();

    bool ok = Key == fs.DecimalSeparator || Key == fs.ThousandSeparator || Key == fs.TimeSeparator ||
              Key == fs.DateSeparator || Key.isNumber() || Key == minus || (code < 32 && code != 13);
    auto separatorElsewhere = [&](QChar sep) {
        return (sep == fs.DecimalSeparator || sep == fs.ThousandSeparator || sep == minus || sep == QLatin1Char('+')) &&
               (FSpinType == sptNormal || FSpinType == sptFloat);
    };
    if (Key == fs.TimeSeparator && FSpinType != sptTime) ok = separatorElsewhere(fs.TimeSeparator);
    if (Key == fs.DateSeparator && FSpinType != sptDate) ok = separatorElsewhere(fs.DateSeparator);
    if (Key == minus) {
        if (text.contains(minus)) ok = ok && selText.contains(minus) && selStart == 0;
        else ok = ok && selStart == 0;
    }
    if (FSpinType == sptNormal) ok = ok && (Key.isNumber() || Key == minus);
    if (FSpinType == sptFloat && code != 27 && code != 13 && code != 8) {
        if (Key == fs.ThousandSeparator) ok = false;
        if (Key == fs.DecimalSeparator && text.contains(fs.DecimalSeparator) && !selText.contains(fs.DecimalSeparator))
            ok = false;
        const int d = int(text.indexOf(fs.DecimalSeparator)) + 1;
        if (FPrecision > 0 && d > 0 && selStart >= d && selLength == 0 && ok && text.size() >= d + FPrecision)
            ok = false;
    }
    if (FSpinType == sptTime && Key == fs.TimeSeparator && text.count(fs.TimeSeparator) >= 2) ok = false;
    if (!FEditorEnabled && code >= 32) ok = false;
    return ok;
}

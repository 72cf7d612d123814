#include "platform/ui/datetime_fields.h"

void TDateTimeFields::SetFormat(const QString& Format)
{
    FParts.clear();
    FFields.clear();
    auto literal = [this](const QString& s) {
        if (!FParts.empty() && !FParts.back().IsField && FParts.back().WeekdayLetters == 0) FParts.back().Literal += s;
        else FParts.push_back({false, dfkDay, 0, s});
    };
    for (int i = 0; i < Format.size();) {
        const QChar c = Format[i];
        if (c == QLatin1Char('\'')) {
            const int end = int(Format.indexOf(QLatin1Char('\''), i + 1));
            literal(Format.mid(i + 1, (end < 0 ? Format.size() : end) - i - 1));
            i = end < 0 ? int(Format.size()) : end + 1;
            continue;
        }
        int n = 1;
        while (i + n < Format.size() && Format[i + n] == c) ++n;
        TDateTimeFormatPart p;
        p.IsField = true;
        p.Letters = n >= 2 ? 2 : 1;
        if (c == QLatin1Char('d') && n >= 3) {
            TDateTimeFormatPart w;
            w.WeekdayLetters = n >= 4 ? 4 : 3;
            FParts.push_back(w);
            i += n;
            continue;
        }
        switch (c.unicode()) {
        case 'd': p.Kind = dfkDay; break;
        case 'M': p.Kind = dfkMonth; p.Letters = std::min(n, 4); break;
        case 'y': p.Kind = dfkYear; p.Letters = n >= 3 ? 4 : 2; break;
        case 'h': p.Kind = dfkHour12; break;
        case 'H': p.Kind = dfkHour24; break;
        case 'm': p.Kind = dfkMinute; break;
        case 's': p.Kind = dfkSecond; break;
        case 't': p.Kind = dfkAmPm; break;
        default: p.IsField = false; break;
        }
        if (p.IsField) {
            FFields.push_back(int(FParts.size()));
            FParts.push_back(p);
        } else {
            literal(Format.mid(i, n));
        }
        i += n;
    }
    FCurrent = 0;
    FTyped = 0;
}

void TDateTimeFields::SetCurrentField(int Index)
{
    if (FFields.empty()) return;
    FCurrent = std::clamp(Index, 0, FieldCount() - 1);
    FTyped = 0;
}

void TDateTimeFields::SetValue(TDateTime V)
{
    if (FMin < FMax) V = std::clamp(V, FMin, FMax);
    FValue = V;
    FTyped = 0;
}

void TDateTimeFields::SetLimits(TDateTime Min, TDateTime Max)
{
    FMin = Min;
    FMax = Max;
    SetValue(FValue);
}

void TDateTimeFields::NextField() { if (FCurrent + 1 < FieldCount()) SetCurrentField(FCurrent + 1); else FTyped = 0; }
void TDateTimeFields::PrevField() { if (FCurrent > 0) SetCurrentField(FCurrent - 1); else FTyped = 0; }

int TDateTimeFields::FieldValue(TDateTimeFieldKind k) const
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(FValue, y, mo, d);
    DecodeTime(FValue, h, mi, s, ms);
    switch (k) {
    case dfkDay: return d;
    case dfkMonth: return mo;
    case dfkYear: return y;
    case dfkHour12: return h % 12 == 0 ? 12 : h % 12;
    case dfkHour24: return h;
    case dfkMinute: return mi;
    case dfkSecond: return s;
    case dfkAmPm: return h >= 12 ? 1 : 0;
    }
    return 0;
}

// Writes one field; the day follows a shorter month, the limits clamp.
bool TDateTimeFields::Apply(TDateTimeFieldKind k, int v)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(FValue, y, mo, d);
    DecodeTime(FValue, h, mi, s, ms);
    switch (k) {
    case dfkDay: d = v; break;
    case dfkMonth: mo = v; break;
    case dfkYear: y = v; break;
    case dfkHour12: h = (v % 12) + (h >= 12 ? 12 : 0); break;
    case dfkHour24: h = v; break;
    case dfkMinute: mi = v; break;
    case dfkSecond: s = v; break;
    case dfkAmPm: h = h % 12 + (v ? 12 : 0); break;
    }
    y = std::clamp(y, 1, 9999);
    d = std::min(d, DaysInMonth(y, mo));
    TDateTime nv = EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
    if (FMin < FMax) nv = std::clamp(nv, FMin, FMax);
    const bool changed = nv != FValue;
    FValue = nv;
    return changed;
}

namespace {
void FieldRange(TDateTimeFieldKind k, int year, int month, int& lo, int& hi)
{
    switch (k) {
    case dfkDay: lo = 1; hi = DaysInMonth(year, month); break;
    case dfkMonth: lo = 1; hi = 12; break;
    case dfkYear: lo = 1601; hi = 9999; break;
    case dfkHour12: lo = 1; hi = 12; break;
    case dfkHour24: lo = 0; hi = 23; break;
    case dfkMinute: case dfkSecond: lo = 0; hi = 59; break;
    case dfkAmPm: lo = 0; hi = 1; break;
    }
}
} // namespace

bool TDateTimeFields::Step(int Delta)
{
    if (FFields.empty()) return false;
    FTyped = 0;
    const TDateTimeFieldKind k = FieldKind(FCurrent);
    int y = 0, mo = 0, d = 0;
    DecodeDate(FValue, y, mo, d);
    int lo = 0, hi = 0;
    FieldRange(k, y, mo, lo, hi);
    int v = FieldValue(k) + Delta;
    if (k == dfkYear) v = std::clamp(v, lo, hi);   // years do not wrap
    else if (v > hi) v = lo;
    else if (v < lo) v = hi;
    return Apply(k, v);
}

bool TDateTimeFields::TypeDigit(int Digit)
{
    if (FFields.empty() || Digit < 0 || Digit > 9) return false;
    const TDateTimeFormatPart& part = FParts[size_t(FFields[size_t(FCurrent)])];
    const TDateTimeFieldKind k = part.Kind;
    if (k == dfkAmPm) return false;
    int y = 0, mo = 0, d = 0;
    DecodeDate(FValue, y, mo, d);
    int lo = 0, hi = 0;
    FieldRange(k, y, mo, lo, hi);
    if (k == dfkDay) hi = 31;   // checked against the month when written
    const int maxDigits = k == dfkYear ? part.Letters : 2;
    int v = FTyped > 0 ? FTypedValue * 10 + Digit : Digit;
    int typed = FTyped + 1;
    if (k != dfkYear && v > hi) {   // too big to extend: start over with this digit
        v = Digit;
        typed = 1;
    }
    FTypedValue = v;
    FTyped = typed >= maxDigits || (k != dfkYear && v * 10 > hi) ? 0 : typed;
    int write = v;
    if (k == dfkYear) {
        // One or two digits keep the century of the shown year.
        if (part.Letters == 2 || typed <= 2) write = (y / 100) * 100 + v % 100;
        if (write < lo) return false;   // a year still being typed
    } else if (write < lo) {
        return false;                   // a leading zero: wait for the next digit
    }
    if (k == dfkDay) write = std::min(write, DaysInMonth(y, mo));
    return Apply(k, write);
}

QString TDateTimeFields::FieldText(int Index) const
{
    const TDateTimeFormatPart& p = FParts[size_t(FFields[size_t(Index)])];
    const int v = FieldValue(p.Kind);
    if (p.Kind == dfkAmPm) {
        const QString s = v ? FormatSettings().TimePMString : FormatSettings().TimeAMString;
        return p.Letters == 1 ? s.left(1) : s;
    }
    if (p.Kind == dfkMonth && p.Letters >= 3) return FormatDateTime(p.Letters == 3 ? QStringLiteral("mmm") : QStringLiteral("mmmm"), FValue);
    if (p.Kind == dfkYear) return p.Letters == 4 ? QString::number(v).rightJustified(4, QLatin1Char('0'))
                                                 : QString::number(v % 100).rightJustified(2, QLatin1Char('0'));
    return p.Letters == 2 ? QString::number(v).rightJustified(2, QLatin1Char('0')) : QString::number(v);
}

QString TDateTimeFields::Text() const
{
    QString out;
    int field = 0;
    for (const TDateTimeFormatPart& p : FParts) {
        if (p.WeekdayLetters) out += FormatDateTime(p.WeekdayLetters == 3 ? QStringLiteral("ddd") : QStringLiteral("dddd"), FValue);
        else out += p.IsField ? FieldText(field++) : p.Literal;
    }
    return out;
}

QString TDateTimeFields::QtFormat() const
{
    QString out;
    for (const TDateTimeFormatPart& p : FParts) {
        if (p.WeekdayLetters) {
            out += QString(p.WeekdayLetters, QLatin1Char('d'));
            continue;
        }
        if (!p.IsField) {
            // Only text with letters needs quoting.
            bool letters = false;
            for (QChar ch : p.Literal) letters = letters || ch.isLetter() || ch == QLatin1Char('\'');
            QString lit = p.Literal;
            lit.replace(QLatin1Char('\''), QLatin1String("''"));
            out += letters ? QLatin1Char('\'') + lit + QLatin1Char('\'') : lit;
            continue;
        }
        const int n = p.Letters;
        switch (p.Kind) {
        case dfkDay: out += QString(n, QLatin1Char('d')); break;
        case dfkMonth: out += QString(n, QLatin1Char('M')); break;
        case dfkYear: out += QString(n, QLatin1Char('y')); break;
        case dfkHour12: out += QString(n, QLatin1Char('h')); break;
        case dfkHour24: out += QString(n, QLatin1Char('H')); break;
        case dfkMinute: out += QString(n, QLatin1Char('m')); break;
        case dfkSecond: out += QString(n, QLatin1Char('s')); break;
        case dfkAmPm: out += QLatin1String("AP"); break;
        }
    }
    return out;
}

// Typed entry of the drop-down edit: the value model (edit types, prefix and
// suffix, decimals, thousand separators), the character filter, the editing
// keys, the mouse limits and the clipboard. Separators are read from the
// locale at each use. A passed character is inserted at once (PassChar), so
// the rules that act after the insertion see the new value for typed and for
// program-sent characters alike.
#include "dropdown/kv_dropdown.h"

#include "dropdown/dropdown_draw.h"
#include "grid/grid_text.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"
#include "platform/ui/clipboard.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

#include <cmath>
#include <limits>

namespace {
bool KeyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }
bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsNumberType(TKvEditType t) { return t == etNumeric || t == etFloat || t == etMoney; }

QString Fixed(double X, int Precision, char Kind)
{
    return Format(QStringLiteral("%.") + QString::number(Precision) + QLatin1Char(Kind), {X});
}

int ClampToInt(double X)
{
    if (!std::isfinite(X)) return 0;
    const double t = std::trunc(X);
    if (t >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (t <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return int(t);
}

// Digits of the integer part (before the decimal separator).
int IntegerDigits(const QString& V)
{
    const int d = V.indexOf(DecimalSeparator());
    const QString ip = d < 0 ? V : V.left(d);
    int n = 0;
    for (QChar c : ip) n += IsAsciiDigit(c) ? 1 : 0;
    return n;
}

// A thousand or decimal separator is accepted only about three digits away
// from each thousand separator already in the value.
bool SeparatorPlaceOk(const QString& Value, int CaretOffset)
{
    const QChar ts = ThousandSeparator();
    if (!Value.contains(ts)) return true;
    QString rest = Value;
    int off = CaretOffset;
    int smallest = int(Value.size());
    int i;
    while ((i = rest.indexOf(ts)) >= 0) {
        const int pos = i + 1;
        const int d = std::abs(pos - off);
        if (d < 3) return false;
        smallest = std::min(smallest, d);
        if (pos <= off) off -= pos;
        rest = rest.mid(i + 1);
    }
    return smallest <= 3;
}
} // namespace

// ---------------------------------------------------------------- value model
void TKvCustomDropDown::PutValue(const QString& Value, int Caret)
{
    SetTextBuf(FPrefix + Value + FSuffix);
    SetSelStart(Caret);
}

void TKvCustomDropDown::SetModified(bool Value)
{
    if ((ComponentState() & csLoading) || !FEditorEnabled || ReadOnly()) return;
    TMaskEdit::SetModified(Value);
    FIsModified = Value;
}

void TKvCustomDropDown::SetText(const QString& Value)
{
    QString v = Value;
    const bool number = IsNumberType(FEditType) || FEditType == etHex;
    if (v.isEmpty() && number) v = QStringLiteral("0");
    if (FPrecision > 0 && !v.isEmpty() && v != QLatin1String("Error")) {
        if (FEditType == etMoney) v = Fixed(EStrToFloat(v), FPrecision, 'n');
        else if (FEditType == etFloat) v = Fixed(EStrToFloat(v), FPrecision, 'f');
    }
    if (FEditType == etHex) v = v.toUpper();
    SetTextBuf(FPrefix + v + FSuffix);
    FOldText = v;
    SetModified(false);
}

double TKvCustomDropDown::EStrToFloat(const QString& S)
{
    QString s = S;
    if (s.contains(ThousandSeparator())) StripThousandSeparators(S, s);
    double v = 0;
    if (!TryStrToFloat(s, v, FormatSettings()) || !std::isfinite(v)) return 0;
    return v;
}

void TKvCustomDropDown::SetFloatValue(double X)
{
    const bool free = FPrecision < 0;
    switch (FEditType) {
    case etString:
    case etFloat:
        SetText(free ? Format(QStringLiteral("%g"), {X}) : Fixed(X, FPrecision, 'f'));
        break;
    case etNumeric:
        SetText(free ? Format(QStringLiteral("%g"), {X}) : Fixed(X, FPrecision, 'n'));
        break;
    case etMoney:
        SetText(free ? Format(QStringLiteral("%g"), {X}) : Fixed(X, FPrecision, 'f'));
        AutoSeparators();
        break;
    case etHex: SetText(IntToHex(ClampToInt(X), 1)); break;
    default: break;
    }
    SetModified(true);
}

void TKvCustomDropDown::SetIntValue(int X)
{
    switch (FEditType) {
    case etNumeric:
    case etFloat: SetText(QString::number(X)); break;
    case etMoney:
        SetText(QString::number(X));
        AutoSeparators();
        break;
    case etHex: SetText(IntToHex(X, 1)); break;
    default: break;
    }
    SetModified(true);
}

double TKvCustomDropDown::GetFloatValue() const
{
    const QString v = GetText();
    switch (FEditType) {
    case etString: {
        double d = 0;
        return TryStrToFloat(v, d, InvariantFormatSettings()) && std::isfinite(d) ? d : 0;
    }
    case etNumeric:
    case etFloat:
        if (v.isEmpty() || v == QLatin1String("Error") || v == QLatin1String("-")) return 0;
        return EStrToFloat(v);
    case etMoney: {
        QString s;
        StripThousandSeparators(v, s);
        if (s.endsWith(DecimalSeparator())) s.chop(1);
        if (s.isEmpty() || s == QLatin1String("-")) return 0;
        return EStrToFloat(s);
    }
    case etHex: return v.isEmpty() ? 0 : HexToInt(v);
    default: return 0;
    }
}

void TKvCustomDropDown::SetEditType(TKvEditType Value)
{
    if (Value == FEditType) return;
    FEditType = Value;
    if (Value == etPassword) {
        SetPasswordChar(QChar(42));
        FCanUndo = false;
        RecreateWnd();
    } else {
        SetPasswordChar(QChar());
    }
    const int cls = ClassifyNumber(GetText());
    if (Value == etNumeric && cls != 0) SetIntValue(0);
    else if ((Value == etFloat || Value == etMoney) && cls != 0 && cls != 1) SetFloatValue(0);
    else if (Value == etHex && cls != 0 && cls != 5) SetIntValue(0);
    if ((ComponentState() & csDesigning) && Value == etFloat && FPrecision == 0) SetPrecision(2);
}

void TKvCustomDropDown::SetPrecision(int Value)
{
    if (Value == FPrecision) return;
    if (FEditType != etString && FEditType != etFloat && FEditType != etMoney) return;
    FPrecision = Value;
    const int cls = ClassifyNumber(GetText());
    if (cls != 0 && cls != 1) SetFloatValue(0);
    else SetFloatValue(GetFloatValue());
}

void TKvCustomDropDown::AutoSeparators()
{
    const QString old = GetText();
    const int L = int(old.size());
    const int C = SelStart();
    QString v = old;
    QString sign;
    if (v.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        v.remove(0, 1);
    }
    const QChar ds = DecimalSeparator();
    const int d = v.indexOf(ds);
    const QString decimals = d < 0 ? QString() : v.mid(d, 255);
    const double whole = std::trunc(std::fabs(GetFloatValue()));
    QString ip = Format(FAutoThousandSeparator ? QStringLiteral("%n") : QStringLiteral("%f"), {whole});
    const int id = ip.indexOf(ds);
    if (id >= 0) ip.truncate(id);
    const QString nv = sign + ip + decimals;
    const QString text = FPrefix + nv + FSuffix;
    if (old != text) FBlockChange = true;
    SetTextBuf(text);
    SetSelStart(C + (int(nv.size()) - L));
}

void TKvCustomDropDown::SelectAll()
{
    SetSelStart(FPrefix.size());
    SetSelLength(GetText().size());
}

void TKvCustomDropDown::SelectAfterDecimal()
{
    const int d = GetText().indexOf(DecimalSeparator());
    SetSelStart(FPrefix.size() + (d < 0 ? 0 : d + 1));
}

void TKvCustomDropDown::SelectBeforeDecimal()
{
    const int d = GetText().indexOf(DecimalSeparator());
    SetSelStart(FPrefix.size() + (d < 0 ? 0 : d));
}

// ---------------------------------------------------------------- focus
void TKvCustomDropDown::HandleSetFocus(TMessage& m)
{
    TMaskEdit::WndProc(m);
    if (ComponentState() & csLoading) return;
    if (FEditorEnabled) {
        if (AutoSelect()) SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney) SelectBeforeDecimal();
    } else {
        InvalidatePaintOver();
    }
}

void TKvCustomDropDown::HandleKillFocus(TMessage& m)
{
    if (!(ComponentState() & csLoading)) {
        const bool empty = GetText().isEmpty();
        const bool keepEmpty = empty && FAllowNumericNullValue;
        if ((FEditType == etFloat || FEditType == etMoney) && FPrecision > 0 && !keepEmpty) {
            const bool wasModified = FIsModified;
            SetFloatValue(GetFloatValue());
            SetModified(wasModified);
        }
        if (empty && !FAllowNumericNullValue) {
            if (FEditType == etNumeric) SetText(QStringLiteral("0"));
            else if (FEditType == etFloat || FEditType == etMoney) SetFloatValue(0);
        }
    }
    TMaskEdit::WndProc(m);
    if (!FEditorEnabled) InvalidatePaintOver();
}

// ---------------------------------------------------------------- character filter
void TKvCustomDropDown::PassChar(TMessage& m)
{
    const LPARAM lp = m.LParam;
    m.LParam = 0;
    TMaskEdit::WndProc(m);
    m.LParam = lp;
    m.WParam = 0;
}

void TKvCustomDropDown::FilterTypedChar(TMessage& m)
{
    auto drop = [&m] { m.WParam = 0; m.Result = 0; };
    QChar ch(char16_t(m.WParam));
    const bool ctrl = KeyHeld(VK_CONTROL);
    if (ctrl && (ch == QChar(3) || ch == QChar(22) || ch == QChar(24))) { TMaskEdit::WndProc(m); return; }
    const QChar DS = DecimalSeparator(), TS = ThousandSeparator();
    if (FExcelStyleDecimalSeparator && (ch == QLatin1Char('.') || ch == QLatin1Char(','))
        && (m.LParam & (LPARAM(1) << 22))) {
        ch = DS;
        m.WParam = ch.unicode();
    }
    const int P = int(FPrefix.size());
    const QString value = GetText();
    const int ss = SelStart(), sl = SelLength();
    const QChar BS(8);
    if (ch == BS && P > 0 && ss <= P && sl == 0) { drop(); return; }
    if (FLengthLimit > 0 && sl == 0 && ch != BS && ch != DS && !(ch == QLatin1Char('-') && FSigned)
        && IntegerDigits(value) >= FLengthLimit) {
        const int d = value.indexOf(DS);
        const int off = ss - P;
        if (off >= 0 && (d < 0 || off <= d)) { drop(); return; }
    }
    if (ch == BS) {
        QString rest = value;
        const int from = ss - P - 1;
        if (from >= 0) rest.remove(from, sl > 0 ? sl : 1);
        PassChar(m);
        if (GetText().isEmpty() && !rest.isEmpty()) Change();
        return;
    }
    if (ctrl && ch == QChar(10)) { drop(); return; }
    if (ch == QLatin1Char('-') && IsNumberType(FEditType) && !FSigned) { drop(); return; }

    const bool wholeSelected = sl > 0 && ss == P && sl == int(value.size());
    // The sign goes to the front or leaves it, wherever the caret is.
    auto toggleSign = [&] {
        QString v = value;
        int caret = ss;
        if (v.contains(QLatin1Char('-'))) {
            v.remove(0, 1);
            caret = caret <= P ? P : caret - 1;
        } else {
            v.prepend(QLatin1Char('-'));
            caret += 1;
        }
        PutValue(v, caret);
    };
    const bool isControl = ch == BS || ch == QChar(9) || ch == QChar(13);
    switch (FEditType) {
    case etString:
    case etPassword:
        SetModified(true);
        PassChar(m);
        break;
    case etUppercase:
    case etLowerCase:
        m.WParam = (FEditType == etUppercase ? ch.toUpper() : ch.toLower()).unicode();
        PassChar(m);
        break;
    case etMixedCase:
        PassChar(m);
        PutValue(ToMixedCase(GetText()), ss + 1);
        break;
    case etHex: {
        const bool ok = isControl || ch == QLatin1Char('-') || IsAsciiDigit(ch)
            || (ch >= QLatin1Char('A') && ch <= QLatin1Char('F')) || (ch >= QLatin1Char('a') && ch <= QLatin1Char('f'));
        if (!ok) { drop(); return; }
        SetModified(true);
        PassChar(m);
        break;
    }
    case etAlphaNumeric: {
        const bool ok = isControl || IsAsciiDigit(ch) || (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
            || (ch >= QLatin1Char('a') && ch <= QLatin1Char('z'));
        if (!ok) { drop(); return; }
        PassChar(m);
        break;
    }
    case etValidChars:
        if (!FValidChars.contains(ch) && ch != BS) { drop(); return; }
        SetModified(true);
        PassChar(m);
        break;
    case etRange: {
        const bool sep = IsRangeSeparator(ch);
        if (!(isControl || sep || IsAsciiDigit(ch))) { drop(); return; }
        SetModified(true);
        if (sep) {
            const QString text = WindowText();
            const bool before = ss > 0 && ss - 1 < int(text.size()) && IsRangeSeparator(text.at(ss - 1));
            const bool after = ss < int(text.size()) && IsRangeSeparator(text.at(ss));
            if (ss <= P || before || after) { drop(); return; }
        }
        PassChar(m);
        break;
    }
    case etNumeric:
        if (ch == QLatin1Char('-')) {
            if (wholeSelected) PutValue(QStringLiteral("-"), P + 1);
            else {
                toggleSign();
                if (!value.contains(QLatin1Char('-'))) SetModified(true);
            }
            drop();
            return;
        }
        if (isControl || IsAsciiDigit(ch) || KeyHeld(VK_LCONTROL) || KeyHeld(VK_RCONTROL)) PassChar(m);
        else { drop(); return; }
        break;
    case etFloat:
    case etMoney: {
        const bool money = FEditType == etMoney;
        if (money) {
            if (ch == DS && (value.contains(DS) || FPrecision == 0)) {
                if (FPrecision > 0 && wholeSelected) {
                    SetText(QStringLiteral("0,0"));
                    SelectAfterDecimal();
                }
                drop();
                return;
            }
            if (!(isControl || ch == QLatin1Char('-') || IsAsciiDigit(ch) || ch == DS)) { drop(); return; }
        } else {
            if ((ch == QLatin1Char(',') || ch == QLatin1Char('.')) && ch != DS && ch != TS) { drop(); return; }
            const bool ok = isControl || ch == QLatin1Char(',') || ch == QLatin1Char('-') || ch == QLatin1Char('.')
                || IsAsciiDigit(ch);
            if (!ok) { drop(); return; }
            const QString sel = SelText();
            if (ch == DS && !sel.contains(DS) && (value.contains(DS) || FPrecision == 0)) {
                if (FPrecision > 0) SelectAfterDecimal();
                drop();
                return;
            }
            if (ch == QLatin1Char(',') && value.contains(ch) && !sel.contains(ch) && ch != TS) { drop(); return; }
        }
        if ((ch == TS || ch == DS) && !SeparatorPlaceOk(value, ss - P)) { drop(); return; }
        const int d = value.indexOf(DS);
        const int off = ss - P;
        const int len = int(value.size());
        if (FPrecision > 0 && d >= 0 && off > d && len - off <= FPrecision && len - d - 1 >= FPrecision && sl == 0
            && (IsAsciiDigit(ch) || ch == DS)) {
            // A full decimal part: a digit overwrites the next decimal.
            if (IsAsciiDigit(ch) && off < len) SetSelLength(1);
            else { drop(); return; }
        }
        if (ch == DS && value.isEmpty() && off == 0) {
            PutValue(QStringLiteral("0") + DS, P + 2);
            SetModified(true);
            drop();
            return;
        }
        if (ch == QLatin1Char('-') && sl == 0) {
            toggleSign();
            SetModified(true);
            drop();
            return;
        }
        PassChar(m);
        if (money && ch != DS) {
            const QString now = GetText();
            if (!now.isEmpty() && now != QLatin1String("-")) AutoSeparators();
        }
        break;
    }
    }
    if (TMaskEdit::Modified()) SetModified(true);
}

// ---------------------------------------------------------------- editing keys
bool TKvCustomDropDown::EditingKeyDown(TMessage& m)
{
    const WORD vk = WORD(m.WParam);
    const int P = int(FPrefix.size());
    const int ss = SelStart(), sl = SelLength();
    const int selEnd = ss + sl;
    const QString value = GetText();
    const int valueEnd = P + int(value.size());
    const bool shift = KeyHeld(VK_SHIFT);
    auto swallow = [&m] { m.WParam = 0; m.Result = 0; return true; };
    const bool suffix = !FSuffix.isEmpty(), prefix = !FPrefix.isEmpty();
    if (vk == VK_RIGHT && suffix && selEnd >= valueEnd) return swallow();
    if (vk == VK_DELETE && suffix) {
        if (selEnd >= valueEnd && sl == 0) return swallow();
        SetModified(true);
    }
    if (vk == VK_LEFT && prefix && selEnd <= P) return swallow();
    if (vk == VK_END && suffix) {
        if (shift) SetSelLength(valueEnd - ss);
        else SetSelStart(valueEnd);
        return swallow();
    }
    if (vk == VK_HOME && prefix) {
        if (shift) LineEdit()->setSelection(valueEnd, P - valueEnd);
        else SetSelStart(P);
        return swallow();
    }
    if (vk == VK_BACK && prefix) {
        if (ss <= P + 1 && sl == 0) return swallow();
        SetModified(true);
    }
    if (vk == VK_DELETE && ss >= P) {
        if (FLengthLimit > 0) {
            QString rest = value;
            rest.remove(ss - P, sl > 0 ? sl : 1);
            if (IntegerDigits(rest) > FLengthLimit) return swallow();
        }
        SetModified(true);
    }
    return false;
}

void TKvCustomDropDown::AfterEditingKey(WORD Key)
{
    if (Key == VK_DELETE && FEditType == etMoney) {
        const QString now = GetText();
        if (!now.isEmpty() && now != QLatin1String("-")) AutoSeparators();
    }
    if (!FPrefix.isEmpty() && SelStart() < int(FPrefix.size())) SetSelStart(FPrefix.size());
}

// ---------------------------------------------------------------- mouse
void TKvCustomDropDown::HandleEntryMouseDown(TMessage& m)
{
    const int idx = int(Perform(EM_CHARFROMPOS, 0, m.LParam) & 0xFFFF);
    const int ss = SelStart(), sl = SelLength();
    if (Focused() && sl > 0 && idx >= ss && idx <= ss + sl) {
        FButtonDown = true;
        return;
    }
    TMaskEdit::WndProc(m);
}

void TKvCustomDropDown::HandleEntryMouseUp(TMessage& m)
{
    if (!FEditorEnabled || ReadOnly()) InvalidatePaintOver();
    if (FButtonDown) SetSelStart(int(Perform(EM_CHARFROMPOS, 0, m.LParam) & 0xFFFF));
    FButtonDown = false;
    TMaskEdit::WndProc(m);
    const int P = int(FPrefix.size());
    const int valueEnd = P + int(GetText().size());
    if (P > 0 && SelStart() < P) {
        SetSelStart(P);
        SetSelLength(valueEnd - P);
    }
    if (!FSuffix.isEmpty()) {
        if (SelStart() > valueEnd) SetSelStart(valueEnd);
        else if (SelStart() + SelLength() > valueEnd) SetSelLength(valueEnd - SelStart());
    }
}

// ---------------------------------------------------------------- clipboard
void TKvCustomDropDown::HandleCut(TMessage& m)
{
    if (!FEditorEnabled || ReadOnly()) return;
    FBlockCopy = true;
    bool allow = true;
    if (OnClipboardCut) OnClipboardCut(this, GetText().mid(SelStart() - FPrefix.size(), SelLength()), allow);
    if (allow) TMaskEdit::WndProc(m);
    FBlockCopy = false;
}

void TKvCustomDropDown::HandleCopy(TMessage& m)
{
    bool allow = true;
    if (OnClipboardCopy && !FBlockCopy)
        OnClipboardCopy(this, GetText().mid(SelStart() - FPrefix.size(), SelLength()), allow);
    FBlockCopy = false;
    if (allow) TMaskEdit::WndProc(m);
}

void TKvCustomDropDown::HandlePaste(TMessage&)
{
    if (ReadOnly()) return;
    const QString clip = Clipboard()->AsText();
    if (clip.isEmpty()) return;
    const int P = int(FPrefix.size());
    const QString value = GetText();
    const int from = std::clamp(SelStart() - P, 0, int(value.size()));
    const int sl = std::min(SelLength(), int(value.size()) - from);
    const QString nv = value.left(from) + clip + value.mid(from + sl);
    const int newStart = P + from + (sl > 0 ? 0 : int(clip.size()));
    const int newLength = sl > 0 ? int(clip.size()) : 0;
    bool allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, nv, allow);
    if (!allow) return;
    if (MaxLength() > 0 && int(clip.size() + value.size()) - sl > MaxLength()) return;
    const QChar DS = DecimalSeparator();
    switch (FEditType) {
    case etString:
    case etPassword: SetText(nv); break;
    case etNumeric:
        if (ClassifyNumber(nv) == 0 && (FSigned || !nv.contains(QLatin1Char('-')))) {
            SetText(nv);
            SetModified(true);
        }
        break;
    case etFloat:
    case etMoney: {
        const int cls = ClassifyNumber(nv);
        const bool refused = (cls != 0 && cls != 1) || (FPrecision == 0 && clip.contains(DS))
            || (nv.contains(QLatin1Char('-')) && !FSigned);
        if (!refused) {
            SetText(nv);
            SetFloatValue(GetFloatValue());
            SetModified(true);
        }
        break;
    }
    case etUppercase: SetText(nv.toUpper()); break;
    case etLowerCase: SetText(nv.toLower()); break;
    case etMixedCase: SetText(ToMixedCase(nv)); break;
    case etAlphaNumeric:
    case etValidChars: {
        bool ok = true;
        for (QChar c : nv) {
            const bool accepted = FEditType == etValidChars
                ? FValidChars.contains(c)
                : (IsAsciiDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                   || (c >= QLatin1Char('a') && c <= QLatin1Char('z')));
            ok = ok && accepted;
        }
        if (ok) {
            SetText(nv);
            SetModified(true);
        }
        break;
    }
    case etRange:
    case etHex: break;
    }
    if (FEditType == etMoney && GetText().size() > 3) SelectAll();
    else {
        SetSelStart(newStart);
        SetSelLength(newLength);
    }
    if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase || FEditType == etLowerCase
        || FEditType == etPassword)
        SetModified(true);
}

// The calculator drop-down: key actions, popup keys and the display rules.
#include "dropdown/calculator_dropdown.h"

#include "dropdown/dropdown_draw.h"
#include "dropdown/kv_button.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"

#include <cmath>

namespace {
bool KeyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }
const QString ErrorText = QStringLiteral("Error");
} // namespace

TKvCalculatorDropdown::TKvCalculatorDropdown(TComponent* AOwner)
    : TKvCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>())
{
    ConstructOverrides();
    SetDropDownColor(0xFFFFFF);
    SetDropDownWidth(230);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetEditType(etFloat);
    FPrevop = -1;
    SetPrecision(2);
    FDecim = 0;
    FCalcClosed = true;
    FMVal = 0;
}

TKvCalculatorDropdown::~TKvCalculatorDropdown() = default;

bool TKvCalculatorDropdown::PopupClosed() const
{
    return FCalcClosed || (DropDownForm() && !DropDownForm()->isVisible());
}

long double TKvCalculatorDropdown::DisplayValue() const
{
    QString s;
    StripThousandSeparators(GetText(), s);
    double v = 0;
    if (!TryStrToFloat(s, v, FormatSettings()) || !std::isfinite(v)) return 0;
    return v;
}

void TKvCalculatorDropdown::NormaliseDisplay()
{
    const QString t = GetText();
    if (t.isEmpty() || t == ErrorText) SetText(QStringLiteral("0"));
}

long double TKvCalculatorDropdown::GetValue()
{
    if (GetText().isEmpty()) SetText(QStringLiteral("0"));
    return DisplayValue();
}

void TKvCalculatorDropdown::SetValue(long double Value) { SetText(Format(QStringLiteral("%g"), {double(Value)})); }

void TKvCalculatorDropdown::SetShowThousandSeparator(bool Value)
{
    if (Value == FShowThousandSeparator) return;
    FShowThousandSeparator = Value;
    const long double v = DisplayValue();
    SetEditType(Value ? etMoney : etFloat);
    SetValue(v);
}

void TKvCalculatorDropdown::DoCalc()
{
    NormaliseDisplay();
    const long double x = DisplayValue();
    switch (FPrevop) {
    case 0: FPrevval = FPrevval + x; break;
    case 1: FPrevval = FPrevval * x; break;
    case 2: FPrevval = FPrevval - x; break;
    case 3:
        if (x == 0) {
            FPrevval = 0;
            SetText(ErrorText);
            return;
        }
        FPrevval = FPrevval / x;
        break;
    default: FPrevval = DisplayValue(); break;
    }
    // Overflow and invalid operations end as a running value of 0.
    if (!std::isfinite(double(FPrevval))) FPrevval = 0;
    SetFloatValue(double(FPrevval));
    FNewval = true;
}

void TKvCalculatorDropdown::DoEquals()
{
    DoCalc();
    if (GetText().isEmpty()) SetText(QStringLiteral("0"));
    FPrevop = -1;
    if (GetText() != ErrorText) FPrevval = DisplayValue();
}

void TKvCalculatorDropdown::DoPercent()
{
    NormaliseDisplay();
    const long double x = DisplayValue();
    SetText(Format(QStringLiteral("%g"), {double(FPrevval * x / 100)}));
}

void TKvCalculatorDropdown::CalcButtonClick(TObject*, int Index)
{
    if (!FKvButtonPanel || Index < 0 || Index >= FKvButtonPanel->Buttons()->Count()) return;
    BeforeCalcKey();
    const int T = FKvButtonPanel->Buttons()->Items(Index)->Tag();
    if ((T >= 10 && T <= 14) || (T >= 16 && T <= 18) || T == 30 || T == 32) FDecim = 0;
    if ((T < 10 || T == 14 || T == 15) && MaxLength() > 0 && WindowText().size() == MaxLength()) return;
    if (T >= 0 && T <= 9) {
        const double v = GetFloatValue();
        if ((v == 0 && FDecim == 0) || FNewval) {
            SetText(QString::number(T));
            FNewval = false;
        } else {
            double r;
            if (FDecim > 0) {
                r = std::fabs(v) + double(T) / FDecim;
                FDecim *= 10;
            } else {
                r = std::fabs(v) * 10 + T;
            }
            SetFloatValue(v < 0 ? -r : r);
        }
    } else {
        switch (T) {
        case 10: DoPlus(); break;
        case 11: DoMinus(); break;
        case 12: DoMul(); break;
        case 13: DoDiv(); break;
        case 14: {
            // Only a leading sign is the sign: "1E-5" gets one in front.
            QString t = GetText();
            if (t.startsWith(QLatin1Char('-'))) t.remove(0, 1);
            else t.prepend(QLatin1Char('-'));
            SetText(t);
            break;
        }
        case 15: {
            const QChar ds = DecimalSeparator();
            if (!GetText().contains(ds)) SetTextDirect(Prefix() + GetText() + ds + Suffix());
            FDecim = 10;
            if (FNewval) SetText(QStringLiteral("0"));
            FNewval = false;
            break;
        }
        case 16:
        case 30:
        case 32:
            SetText(QStringLiteral("0"));
            FPrevval = 0;
            FPrevop = -1;
            break;
        case 17: DoEquals(); break;
        case 18: DoPercent(); break;
        case 31:
            if (FPrevop < 0) {
                QString s = FloatToStr(GetFloatValue());
                s.chop(1);
                SetText(s);
            }
            break;
        case 33: FMVal = 0; break;
        case 34: SetFloatValue(double(FMVal)); break;
        case 35: FMVal = DisplayValue(); break;
        case 36: FMVal = FMVal + DisplayValue(); break;
        case 37: {
            const double v = GetFloatValue();
            if (v >= 0) SetFloatValue(std::sqrt(v));
            else SetText(ErrorText);
            break;
        }
        case 38: {
            const double v = GetFloatValue();
            if (v == 0) SetText(ErrorText);
            else SetFloatValue(1 / v);
            break;
        }
        default: break;
        }
    }
    SetModified(true);
}

void TKvCalculatorDropdown::CalcKeyPress(QChar& Key)
{
    const bool alt = KeyHeld(VK_MENU);
    BeforeCalcKey();
    const QChar ds = DecimalSeparator();
    if (Key == ds && !GetText().contains(ds)) SetTextDirect(Prefix() + GetText() + ds + Suffix());
    const bool digit = Key >= QLatin1Char('0') && Key <= QLatin1Char('9');
    if (digit && MaxLength() > 0 && WindowText().size() == MaxLength()) return;
    switch (Key.unicode()) {
    case '-': DoMinus(); break;
    case 13:
        DoEquals();
        DoHideDropDown(false);
        break;
    case 27: DoHideDropDown(true); break;
    case '%': DoPercent(); break;
    case '*': DoMul(); break;
    case '+': DoPlus(); break;
    case '/': DoDiv(); break;
    case '=': DoEquals(); break;
    case 'C':
    case 'c':
        SetText(QStringLiteral("0"));
        FPrevval = 0;
        FNewval = true;
        FPrevop = -1;
        break;
    case 38:
        if (alt) DoHideDropDown(true);
        break;
    default:
        if (digit) FNewval = false;
        break;
    }
}

void TKvCalculatorDropdown::DropDownFormKeyPress(QChar& Key)
{
    TKvCustomDropDown::DropDownFormKeyPress(Key);
    CalcKeyPress(Key);
}

void TKvCalculatorDropdown::DropDownFormKeyDown(WORD& Key, TShiftState Shift)
{
    TKvCustomDropDown::DropDownFormKeyDown(Key, Shift);
    if (Key == VK_TAB || Key == VK_F4) DoHideDropDown(false);
    else if (Key == VK_BACK) {
        QString s = GetText();
        s.chop(1);
        if (s.isEmpty() || s == ErrorText) s = QStringLiteral("0");
        SetText(s);
    }
}

void TKvCalculatorDropdown::KeyPress(QChar& Key)
{
    if (PopupClosed() && Key == QLatin1Char('-')) DoMinus();
    const QChar ds = DecimalSeparator();
    const bool digit = Key.isDigit();
    if (!digit && Key != ds && Key != QChar(8) && Key != QLatin1Char('-')) Key = QChar();
    const QString t = GetText();
    if ((t == QLatin1String("0") || FNewval) && digit) {
        SetText(QString(Key));
        Key = QChar();
        SetSelStart(Prefix().size() + 1);
        FNewval = false;
        return;
    }
    if (t.size() == 1 && Key == QChar(8)) {
        SetText(QStringLiteral("0"));
        Key = QChar();
        SetSelStart(Prefix().size() + 1);
        return;
    }
    if (Key == ThousandSeparator()) Key = QChar();
    if (Key == ds && t.contains(ds)) Key = QChar();
    TKvCustomDropDown::KeyPress(Key);
}

void TKvCalculatorDropdown::WndProc(TMessage& m)
{
    if (m.Msg == CM_ENTER) {
        if (AutoSelect() && !KeyHeld(VK_LBUTTON)) SelectAll();
        TKvCustomDropDown::WndProc(m);
        return;
    }
    const bool del = m.Msg == WM_KEYDOWN && WORD(m.WParam) == VK_DELETE;
    TKvCustomDropDown::WndProc(m);
    if (del) NormaliseDisplay();
}

void TKvCalculatorDropdown::CreateDropDownForm()
{
    TKvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FKvButtonPanel) {
        FKvButtonPanel = new TCustomButtonPanel(this);
        FKvButtonPanel->SetParent(DropDownForm());
        FKvButtonPanel->SetKvDropDown(this);
        FKvButtonPanel->SetHeight(150);
        FKvButtonPanel->AddDefaultButtons();
    }
    SetControl(FKvButtonPanel);
    FKvButtonPanel->OnButtonClick = [this](TObject* s, int i) { CalcButtonClick(s, i); };
}

void TKvCalculatorDropdown::BeforeDropDown()
{
    TKvCustomDropDown::BeforeDropDown();
    if (DropDownForm()) DropDownForm()->SetCancelOnDeActivate(false);
    if (FKvButtonPanel) {
        FKvButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
        FKvButtonPanel->SetColor(DropDownColor());
        FKvButtonPanel->ArrangeButtons();
    }
    FNewval = true;
    FDecim = 0;
    FCalcClosed = false;
}

void TKvCalculatorDropdown::SetComponentStyle(TQRVStyle AStyle)
{
    TKvCustomDropDown::SetComponentStyle(AStyle);
    if (!FCalcButtonAppearance) return;
    const TKvButtonAppearance* b = ButtonAppearance();
    TButtonAppearance* a = FCalcButtonAppearance.get();
    a->SetBorderColor(b->BorderColor());
    a->SetBorderColorHot(b->BorderColorHot());
    a->SetBorderColorDown(b->BorderColorDown());
    a->SetColor(b->Color());
    a->SetColorTo(b->ColorTo());
    a->SetColorDown(b->ColorDown());
    a->SetColorDownTo(b->ColorDownTo());
    a->SetColorHot(b->ColorHot());
    a->SetColorHotTo(b->ColorHotTo());
    a->SetColorDisabled(b->ColorDisabled());
    a->SetColorDisabledTo(b->ColorDisabledTo());
    // Checked and glow colours are stored without a change notice.
    const TNotifyEvent saved = a->OnChange;
    a->OnChange = nullptr;
    a->SetBorderColorChecked(b->BorderColorDisabled());
    a->SetColorChecked(b->ColorDisabledTo());
    a->SetColorCheckedTo(b->ColorHotTo());
    a->OnChange = saved;
    if (AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black) {
        a->SetGlowColorHot(b->ColorHot());
        a->SetGlowColorDown(b->ColorHot());
    } else {
        a->SetGlowColorDown(0xD5C244);
        a->SetGlowColorHot(b->ColorDownTo());
    }
}

#include "grid_input/kv_date_time_picker.h"

#include "grid/theme_services.h"
#include "platform/core/sysutils.h"
#include "platform/ui/messages.h"

#include <QDateTimeEdit>
#include <QFontMetrics>

UINT DTPShiftFocusMessage()
{
    static const UINT msg = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    return msg;
}

// ---------------------------------------------------------------- base
TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TKsgDateTimePicker(AOwner)
{
    FDateTimeVariant = true;
    FCtl3D = false;
    FBorderColor = 0;
    FBorderStyle = bsNone;
}

void TCustomDateTimePicker::WndProc(TMessage& m)
{
    if (m.Msg == DTPShiftFocusMessage()) {
        DoShiftFocus();
        return;
    }
    if (m.Msg == WM_CHAR && FAutoTab && m.WParam >= '0' && m.WParam <= '9') {
        SaveBeforeDigit();
        TKsgDateTimePicker::WndProc(m);
        PostMessage(this, DTPShiftFocusMessage(), 0, 0);
        return;
    }
    TKsgDateTimePicker::WndProc(m);
}

void TCustomDateTimePicker::SaveBeforeDigit()
{
    if (TDateTimePicker::Kind() != dtkTime) return;
    int h = 0, mi = 0, s = 0, ms = 0;
    DecodeTime(TDateTimePicker::DateTime(), h, mi, s, ms);
    Fh = uint16_t(h);
    FSavedMinute = uint16_t(mi);
    Fs = uint16_t(s);
    Fms = uint16_t(ms);
}

void TCustomDateTimePicker::DoShiftFocus()
{
    if (TDateTimePicker::Kind() != dtkTime) return;
    int h = 0, mi = 0, s = 0, ms = 0;
    DecodeTime(TDateTimePicker::DateTime(), h, mi, s, ms);
    if (h != Fh || mi != FSavedMinute || s != Fs) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
}

// ---------------------------------------------------------------- date and time
TKvDateTimePicker::TKvDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner)
{
    FDateTimeVariant = true;
    FFocusTimer = new TTimer(this);
    FFocusTimer->SetEnabled(false);
    FFocusTimer->SetInterval(20);
    FFocusTimer->OnTimer = [this](TObject*) { FFocusTimer->SetEnabled(false); };
    FLabelFont.OnChange = [this] { UpdateLabel(); };
    SetBorderStyle(bsSingle);
    SetCtl3D(true);
    FLastDate = TDateTimePicker::DateTime();
    FLastChecked = Checked();
    // The kind is applied once the picker exists: from the date kind, so the write takes effect.
    FKind = dkDate;
    SetKind(dkDateTime);
}

TKvDateTimePicker::~TKvDateTimePicker()
{
    FFocusTimer->SetEnabled(false);
    if (FLabel) {
        FLabel->SetParent(nullptr);
        delete FLabel;
        FLabel = nullptr;
    }
    delete FTimePicker;
    FTimePicker = nullptr;
}

void TKvDateTimePicker::CreateTimePicker()
{
    if (FKind != dkDateTime || FTimePicker) return;
    FTimePicker = new TCustomDateTimePicker(this);
    FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->Hide();
    FTimePicker->SetEnabled(FEnabled);
    FTimePicker->TDateTimePicker::SetKind(dtkTime);
    FTimePicker->SetAutoTab(FAutoTab);
    FTimePicker->OnChange = [this](TObject*) {
        if (OnChange) OnChange(this);
        if (OnTimeChange) OnTimeChange(this);
    };
    FTimePicker->OnClick = [this](TObject*) { if (OnClick) OnClick(this); };
    FTimePicker->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); };
    FTimePicker->OnKeyPress = [](TObject*, QChar&) {};
}

void TKvDateTimePicker::UpdateTimePicker()
{
    if (!FTimePicker) return;
    if (FTimePicker->Parent() != this) FTimePicker->SetParent(this);
    FTimePicker->SetColor(FColor);
    FTimePicker->SetEnabled(FEnabled && (Checked() || !ShowCheckbox()));
    const bool visible = FKind == dkDateTime;
    FTimePicker->SetVisible(visible);
    if (!visible) {
        delete FTimePicker;
        FTimePicker = nullptr;
        return;
    }
    FTimePicker->TDateTimePicker::SetTime(TDateTimePicker::Time());
    FTimePicker->TDateTimePicker::SetDateTime(TDateTimePicker::DateTime());
    FTimePicker->SetFormat(FTimeFormat);
    FTimePicker->SetFont(FFont);
    const int w = QFontMetrics(FFont.ToQFont()).horizontalAdvance(FTimePicker->Editor()->text()) + 31;
    int left = 0, top = 0, height = 0;
    if (IsVistaOrLater() && IsComCtl6() && IsThemeActive()) {
        left = FWidth - w - (IsMetro() ? 21 : 34);
        top = 1;
        height = FHeight - 2;
    } else if (IsVistaOrLater() && IsComCtl6()) {
        left = FWidth - w - 21;
        top = 2;
        height = FHeight - 4;
    } else if (IsVistaOrLater()) {
        left = FWidth - w - 23;
        top = -2;
        height = FHeight;
    } else {
        left = FWidth - w - 21;
        top = -2;
        height = FHeight;
    }
    FTimePicker->SetBounds(left, top, w, height);
}

int TKvDateTimePicker::DateAndTimeWidth() const
{
    if (!FTimePicker) return FWidth;
    // The date's text between the field's inner margins and a small gap before the time part.
    constexpr int kDateMargins = 10;
    const int date = QFontMetrics(FFont.ToQFont()).horizontalAdvance(Editor()->text());
    return kDateMargins + date + (FWidth - FTimePicker->Left());
}

TDateTime TKvDateTimePicker::DateTime()
{
    if (FTimePicker) {
        const TDateTime t = TimeOf(FTimePicker->TDateTimePicker::DateTime());
        TDateTimePicker::SetDateTime(double(Trunc(TDateTimePicker::DateTime())) + t);
    }
    return TDateTimePicker::DateTime();
}

void TKvDateTimePicker::SetDateTime(TDateTime X)
{
    int h = 0, mi = 0, s = 0, ms = 0;
    DecodeTime(X, h, mi, s, ms);
    const TDateTime v = double(Trunc(X)) + EncodeTime(h, mi, s, 0);
    TDateTimePicker::SetDateTime(v);
    CreateTimePicker();
    if (FTimePicker) FTimePicker->TDateTimePicker::SetDateTime(v);
    FLastDate = TDateTimePicker::DateTime();
    if (ShowCheckbox() && FTimePicker) {
        TimePickerEnabledFromCheck();
        FIgnoreTimePickerCheck = FTimePicker->Enabled();
    }
}

void TKvDateTimePicker::SetDate(TDateTime D)
{
    int h = 0, mi = 0, s = 0, ms = 0;
    DecodeTime(DateTime(), h, mi, s, ms);
    SetDateTime(double(Trunc(D)) + EncodeTime(h, mi, s, 0));
}

TDateTime TKvDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker) return TimeOf(FTimePicker->TDateTimePicker::DateTime());
    return TDateTimePicker::Time();
}

void TKvDateTimePicker::SetTime(TDateTime T)
{
    TDateTimePicker::SetTime(T);
    UpdateTimePicker();
}

void TKvDateTimePicker::SetKind(TKvDateTimeKind v)
{
    if (v == FKind) return;
    FKind = v;
    TDateTimePicker::SetKind(v == dkTime ? dtkTime : dtkDate);
    if (v == dkDateTime) CreateTimePicker();
    UpdateTimePicker();
}

void TKvDateTimePicker::SetTimeFormat(const QString& v)
{
    if (FTimePicker) FTimePicker->SetFormat(v);
    if (FKind == dkTime) SetFormat(v);
    FTimeFormat = v;
    UpdateTimePicker();
}

void TKvDateTimePicker::SetAutoTab(bool v)
{
    TCustomDateTimePicker::SetAutoTab(v);
    if (FTimePicker) FTimePicker->SetAutoTab(v);
}

void TKvDateTimePicker::SetBorderStyle(TBorderStyle v)
{
    TCustomDateTimePicker::SetBorderStyle(v);
    UpdateTimePicker();
}

void TKvDateTimePicker::SetChecked(bool v)
{
    TDateTimePicker::SetChecked(v);
    FLastChecked = v;
    TimePickerEnabledFromCheck();
}

void TKvDateTimePicker::TimePickerEnabledFromCheck()
{
    if (FTimePicker) FTimePicker->SetEnabled(FEnabled && Checked());
}

void TKvDateTimePicker::Change()
{
    if (ShowCheckbox()) {
        Fpt = TPoint(-1, -1);
        const TDateTime after = TDateTimePicker::DateTime();
        int y0 = 0, m0 = 0, d0 = 0, y1 = 0, m1 = 0, d1 = 0;
        DecodeDate(FLastDate, y0, m0, d0);
        DecodeDate(after, y1, m1, d1);
        if (y0 != y1) Fpt = TPoint(80, 5);
        else if (m0 != m1) Fpt = TPoint(46, 5);
        else if (d0 != d1) Fpt = TPoint(28, 5);
        if (Fpt.X >= 0) FFocusTimer->SetEnabled(true);
        // A tick or untick of the box always reaches the time part.
        const bool toggled = Checked() != FLastChecked;
        if (FTimePicker && (!FIgnoreTimePickerCheck || toggled)) TimePickerEnabledFromCheck();
        FIgnoreTimePickerCheck = false;
    }
    FLastChecked = Checked();
    FLastDate = TDateTimePicker::DateTime();
    TCustomDateTimePicker::Change();
}

void TKvDateTimePicker::SaveBeforeDigit()
{
    int y = 0, m = 0, d = 0;
    DecodeDate(DateTime(), y, m, d);
    Fy = uint16_t(y);
    FSavedMonth = uint16_t(m);
    Fd = uint16_t(d);
    TCustomDateTimePicker::SaveBeforeDigit();
}

void TKvDateTimePicker::DoShiftFocus()
{
    if (FKind == dkTime) {
        TCustomDateTimePicker::DoShiftFocus();
        return;
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(DateTime(), y, m, d);
    const bool dayChanged = d != Fd, monthChanged = m != FSavedMonth, yearChanged = y != Fy;
    auto toTimePicker = [this] { if (FTimePicker) FTimePicker->SetFocus(); };
    const QString fmt = Format();
    if (!fmt.isEmpty()) {
        const QChar c = fmt.back().toLower();
        const bool complete = (dayChanged && c == QLatin1Char('d')) || (monthChanged && c == QLatin1Char('m')) ||
                              (yearChanged && c == QLatin1Char('y'));
        if (complete) toTimePicker();
        else if (dayChanged || monthChanged || yearChanged) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
    } else if (dayChanged || monthChanged) {
        PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
    } else if (yearChanged) {
        toTimePicker();
    }
}

// ---------------------------------------------------------------- label
QString TKvDateTimePicker::LabelCaption() const { return FLabel ? FLabel->Caption() : QString(); }

void TKvDateTimePicker::SetLabelCaption(const QString& v)
{
    if (!FLabel) {
        FLabel = new TLabel(this);
        FLabel->SetParent(FParent);
        FLabel->SetFocusControl(this);
        FLabel->SetFont(FLabelFont);
        FLabel->OnClick = [this](TObject*) { if (OnLabelClick) OnLabelClick(this); };
        FLabel->OnDblClick = [this](TObject*) { if (OnLabelDblClick) OnLabelDblClick(this); };
        FLabel->SetParentFont(ParentFont());
        FParentFnt = false;
    }
    FLabel->SetCaption(v);
    UpdateLabel();
}

void TKvDateTimePicker::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    if (v && FLabel) FLabel->SetEnabled(true);
}

void TKvDateTimePicker::UpdateLabel()
{
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FParentFnt ? FFont : FLabelFont);
    TCanvas* c = FLabel->Canvas();
    c->SetFont(*FLabel->Font());
    const int tw = c->TextWidth(FLabel->Caption());
    const int LW = FLabel->Width(), LH = FLabel->Height();
    const TPoint at = LabelPlace(FLabelPosition, BoundsRect(), tw, LW, LH, FLabelMargin);
    FLabel->SetBounds(at.X, at.Y, LW, LH);
    FLabel->SetVisible(FVisible);
}

void TKvDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) UpdateLabel();
    UpdateTimePicker();
}

void TKvDateTimePicker::SetParent(TWinControl* AParent)
{
    TCustomDateTimePicker::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        UpdateLabel();
    }
}

void TKvDateTimePicker::SetVisible(bool v)
{
    TCustomDateTimePicker::SetVisible(v);
    if (FLabel) FLabel->SetVisible(v);
}

void TKvDateTimePicker::EnabledChanged()
{
    TCustomDateTimePicker::EnabledChanged();
    if (FTimePicker) FTimePicker->SetEnabled(FEnabled);
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(FEnabled);
}

void TKvDateTimePicker::DoEnter()
{
    if (FFocusLabel && FLabel) {
        TFontStyles st = FLabel->Font()->Style();
        FLabel->Font()->SetStyle(st << fsBold);
    }
    TCustomDateTimePicker::DoEnter();
}

void TKvDateTimePicker::DoExit()
{
    if (FFocusLabel && FLabel) {
        TFontStyles st = FLabel->Font()->Style();
        FLabel->Font()->SetStyle(st >> fsBold);
    }
    TCustomDateTimePicker::DoExit();
}

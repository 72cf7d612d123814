// The time picker drop-down: text forms, stepping by caret, parsing typed
// times, and the popup with the watch and the optional time control.
#include "dropdown/timepicker_dropdown.h"

#include "dropdown/watch.h"
#include "platform/core/format_settings.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/extctrls.h"

namespace {
QString Two(int V) { return QStringLiteral("%1").arg(V, 2, 10, QLatin1Char('0')); }

// Times equal to the millisecond (the time control rounds its value).
bool SameTime(TDateTime A, TDateTime B)
{
    return qRound64(TimeOf(A) * MSecsPerDay) == qRound64(TimeOf(B) * MSecsPerDay);
}

bool AltDown() { return (GetKeyState(VK_MENU) & 0x8000) != 0; }

// Page Up, Page Down, Up and Down reach the edit only with Alt, so that
// Alt+Up and Alt+Down still close the popup.
bool HeldBack(WORD Key, TShiftState Shift)
{
    const bool nav = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    return nav && !AltDown() && !Shift.Contains(ssAlt);
}

// A part of a typed time: empty is 0; otherwise its first one or two
// characters must be digits.
bool PartValue(const QString& Part, int& Value)
{
    const QString p = Part.trimmed();
    if (p.isEmpty()) {
        Value = 0;
        return true;
    }
    const QString head = p.left(2);
    for (QChar c : head)
        if (!c.isDigit() || c.unicode() > 127) return false;
    Value = head.toInt();
    return true;
}
} // namespace

TKvTimePickerDropDown::TKvTimePickerDropDown(TComponent* AOwner)
    : TKvCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>())
{
    FShowTimePicker = false;
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FShowSeconds = true;
    FInternalCall = true;
    ApplyMask();
    SetTextDirect(NormalText(0));
    FInternalCall = false;
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    ConstructOverrides();
}

TKvTimePickerDropDown::~TKvTimePickerDropDown()
{
    if (FKvWatch) FKvWatch->OnChange = nullptr;
    if (FDateTimePicker) FDateTimePicker->OnChange = nullptr;
}

bool TKvTimePickerDropDown::Live() const { return FWatchSettings->Auto(); }

QString TKvTimePickerDropDown::NormalText(TDateTime Value) const
{
    const THMS t = SplitTime(Value);
    const QString s = FormatSettings().TimeSeparator;
    QString r = Two(t.H) + s + Two(t.M);
    if (FShowSeconds) r += s + Two(t.S);
    return r;
}

void TKvTimePickerDropDown::ApplyMask()
{
    const QString s = FormatSettings().TimeSeparator;
    SetEditMask(FShowSeconds ? QStringLiteral("!90") + s + QStringLiteral("00") + s + QStringLiteral("00;1; ")
                             : QStringLiteral("!90") + s + QStringLiteral("00;1; "));
}

void TKvTimePickerDropDown::SetTime(TDateTime Value)
{
    if (Value == FTime) return;
    FTime = Value;
    // Written as the internal text, so Change does not read it back (which
    // would drop the seconds of the short form).
    const bool saved = FInternalCall;
    FInternalCall = true;
    SetTextDirect(NormalText(Value));
    FInternalCall = saved;
    if (FDroppedDown && FKvWatch) {
        FKvWatch->SetTime(Value);
        if (FShowTimePicker && FDateTimePicker && FDateTimePicker->Visible()) {
            auto notify = std::move(FDateTimePicker->OnChange);
            FDateTimePicker->OnChange = nullptr;
            FDateTimePicker->SetTime(Value);
            FDateTimePicker->OnChange = std::move(notify);
        }
    }
}

void TKvTimePickerDropDown::SetHourPart(int Value)
{
    THMS t = SplitTime(FTime);
    if (Value == t.H || Value < 0 || Value > 23) return;
    SetTime(EncodeTime(Value, t.M, t.S, t.MS));
    if (OnTimeChange) OnTimeChange(this);
}

void TKvTimePickerDropDown::SetMinutePart(int Value)
{
    THMS t = SplitTime(FTime);
    if (Value == t.M || Value < 0 || Value >= 60) return;
    SetTime(EncodeTime(t.H, Value, t.S, t.MS));
    if (OnTimeChange) OnTimeChange(this);
}

void TKvTimePickerDropDown::SetSecondPart(int Value)
{
    THMS t = SplitTime(FTime);
    if (Value == t.S || Value < 0 || Value >= 60) return;
    SetTime(EncodeTime(t.H, t.M, Value, t.MS));
    if (OnTimeChange) OnTimeChange(this);
}

void TKvTimePickerDropDown::SetShowSeconds(bool Value)
{
    if (Value == FShowSeconds) return;
    FShowSeconds = Value;
    const bool saved = FInternalCall;
    FInternalCall = true;
    SetEditMask(QString());
    SetTextDirect(QString());
    ApplyMask();
    FInternalCall = saved;
    const TDateTime t = FTime;
    FTime = t + 1; // differ, so SetTime rewrites the text in the new form
    SetTime(t);
}

void TKvTimePickerDropDown::SetComponentStyle(TQRVStyle AStyle)
{
    TKvCustomDropDown::SetComponentStyle(AStyle);
    if (FWatchAppearance) ApplyWatchColorScheme(*FWatchAppearance, AStyle);
}

void TKvTimePickerDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    const WORD key = Key;
    TKvCustomDropDown::KeyDown(Key, Shift);
    if (AltDown() || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
    if (key != VK_UP && key != VK_DOWN) return;
    const int p = SelStart();
    const QString t = Text();
    const QString sep = FormatSettings().TimeSeparator;
    const int a = t.indexOf(sep) + 1; // 1-based, 0 when missing
    const THMS v = SplitTime(FTime);
    const int d = key == VK_UP ? -1 : 1;
    if (p < a) {
        SetHourPart((v.H + d + 24) % 24);
    } else {
        const int b = t.mid(a).indexOf(sep) + 1;
        if (b > 0 && p - a >= b && FShowSeconds) SetSecondPart((v.S + d + 60) % 60);
        else SetMinutePart((v.M + d + 60) % 60);
    }
    SetSelStart(p);
}

void TKvTimePickerDropDown::Change()
{
    TKvCustomDropDown::Change();
    if (FInternalCall) return;
    QString t = Text().trimmed();
    if (t.size() != (FShowSeconds ? 8 : 5)) return;
    const QString sep = FormatSettings().TimeSeparator;
    const int first = t.indexOf(sep);
    if (first < 0) return;
    const QString rest = t.mid(first + 1);
    const int second = rest.indexOf(sep);
    if (FShowSeconds) {
        if (second < 0 || rest.indexOf(sep, second + 1) >= 0) return;
    } else if (second >= 0) {
        return;
    }
    t.replace(QLatin1Char(' '), QLatin1Char('0'));
    int h = 0, m = 0, s = 0;
    const QString tail = t.mid(first + 1);
    if (!PartValue(t.left(first), h)) return;
    if (!PartValue(FShowSeconds ? tail.left(second) : tail, m)) return;
    if (FShowSeconds && !PartValue(tail.mid(second + 1), s)) return;
    // Parts beyond a time of day ("25:00", "12:99:00") are as malformed as any other.
    TDateTime v = 0;
    if (!TryEncodeTime(h, m, s, 0, v)) return;
    FTime = v;
    const QString normal = NormalText(v);
    if (normal != Text() && m == 0 && s == 0) {
        const bool saved = FInternalCall;
        FInternalCall = true;
        SetText(normal);
        FInternalCall = saved;
    }
}

// ---------------------------------------------------------------- popup
void TKvTimePickerDropDown::CreateDropDownForm()
{
    TKvCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FPanelCtrl) {
        FPanelCtrl = new TPanel(this);
        FPanelCtrl->SetParent(FDropDownForm);
        FPanelCtrl->SetCtl3D(false);
        FPanelCtrl->SetBorderWidth(0);
        FPanelCtrl->SetBevelInner(bvNone);
        FKvWatch = new TKvWatch(this);
        FKvWatch->SetParent(FPanelCtrl);
    }
    FPanelCtrl->SetBounds(0, 0, FPanelCtrl->Width(), 180);
    FKvWatch->SetAlign(alClient);
    SetControl(FPanelCtrl);
}

void TKvTimePickerDropDown::BeforeDropDown()
{
    TKvCustomDropDown::BeforeDropDown();
    if (!FDropDownForm || !FPanelCtrl) return;
    FOpenTime = FTime;
    FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), 170, 170);
    TDropDownForm* f = FDropDownForm;
    f->SetBounds(f->Left(), f->Top(), f->Width() + 1, f->Height());
    f->SetBounds(f->Left(), f->Top(), f->Width() - 1, f->Height());
    // Losing the activation closes the popup and takes the watch's time.
    f->SetCancelOnDeActivate(false);
    FPanelCtrl->SetColor(DropDownColor());
    FKvWatch->SetAppearance(FWatchAppearance.get());
    FKvWatch->SetSettings(FWatchSettings.get());
    FKvWatch->SetShowAMPM(FShowWatchAMPM);
    FKvWatch->SetShowNumbers(FShowWatchNumbers);
    FKvWatch->SetAnimation(FAnimation);
    FKvWatch->SetAnimationFactor(FAnimationFactor);
    FKvWatch->OnChange = nullptr;
    if (!Live()) FKvWatch->SetTime(FTime);
    FKvWatch->OnChange = [this](TObject*) { WatchChanged(); };
    if (!FShowTimePicker) {
        if (FDateTimePicker) FDateTimePicker->SetVisible(false);
        return;
    }
    if (!FDateTimePicker) {
        FDateTimePicker = new TDateTimePicker(this);
        FDateTimePicker->SetParent(FPanelCtrl);
        FDateTimePicker->SetKind(dtkTime);
    }
    TDateTimePicker* p = FDateTimePicker;
    p->OnChange = nullptr;
    p->SetAlign(alBottom);
    p->SetVisible(true);
    p->SetTime(FTime);
    p->BringToFront();
    p->OnChange = [this](TObject*) { PickerChanged(); };
    p->OnKeyDown = [this](TObject*, WORD& k, TShiftState s) { ControlKeyDown(k, s); };
    p->OnKeyUp = [this](TObject*, WORD& k, TShiftState s) { ControlKeyUp(k, s); };
    p->OnKeyPress = [this](TObject*, QChar& k) { ControlKeyPress(k); };
    p->SetFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), FPanelCtrl->Width(), 170 + p->Height());
}

void TKvTimePickerDropDown::WatchChanged()
{
    const TDateTime w = FKvWatch->Time();
    if (FDateTimePicker && FDateTimePicker->Visible() && !SameTime(FDateTimePicker->Time(), w)) {
        auto notify = std::move(FDateTimePicker->OnChange);
        FDateTimePicker->OnChange = nullptr;
        FDateTimePicker->SetTime(w);
        FDateTimePicker->OnChange = std::move(notify);
        if (OnTimeChange) OnTimeChange(this);
    }
    SetTime(w);
}

void TKvTimePickerDropDown::PickerChanged()
{
    if (FKvWatch && !Live()) FKvWatch->SetTime(FDateTimePicker->Time());
}

void TKvTimePickerDropDown::DoHideDropDown(bool Cancelled)
{
    FClosingCancelled = Cancelled;
    TKvCustomDropDown::DoHideDropDown(Cancelled);
    FClosingCancelled = false;
    if (!Cancelled) {
        if (FKvWatch) SetTime(FKvWatch->Time());
        return;
    }
    // Nothing of the popup is kept: the time of the opening, in normal form
    // (also over the base's restored text), and the watch set back.
    FTime = FOpenTime + 1;
    SetTime(FOpenTime);
    if (FKvWatch) {
        auto notify = std::move(FKvWatch->OnChange);
        FKvWatch->OnChange = nullptr;
        FKvWatch->SetTime(FOpenTime);
        FKvWatch->OnChange = std::move(notify);
    }
}

void TKvTimePickerDropDown::AfterDropUp()
{
    TKvCustomDropDown::AfterDropUp();
    if (!FClosingCancelled && FKvWatch) SetTime(FKvWatch->Time());
}

// ---------------------------------------------------------------- keys from the popup
void TKvTimePickerDropDown::DropDownFormKeyDown(WORD& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) TKvCustomDropDown::DropDownFormKeyDown(Key, Shift);
    if (FKvWatch && FDropDownForm && FDropDownForm->isVisible()) FKvWatch->HandleKey(Key);
}

void TKvTimePickerDropDown::DropDownFormKeyUp(WORD& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) TKvCustomDropDown::DropDownFormKeyUp(Key, Shift);
}

void TKvTimePickerDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) TKvCustomDropDown::DropDownFormKeyDown(Key, Shift);
}

void TKvTimePickerDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (!HeldBack(Key, Shift)) TKvCustomDropDown::DropDownFormKeyUp(Key, Shift);
}

void TKvTimePickerDropDown::ControlKeyPress(QChar& Key)
{
    const ushort c = Key.unicode();
    if ((c == VK_PRIOR || c == VK_NEXT || c == VK_UP || c == VK_DOWN) && !AltDown()) return;
    TKvCustomDropDown::ControlKeyPress(Key);
}

// The grid's editors of the check box, cell button, spin, date, date-and-time,
// edit-with-button and value-with-unit kinds: which keys each keeps, how it
// commits to the current cell through the grid's check and how it leaves.
#include "grid_input/grid_editor_wrappers.h"

#include "grid_input/grid_editor_steps.h"

#include "grid/kv_string_grid.h"
#include "grid_input/grid_lookup.h"
#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QtWidgets/QCheckBox>
#include <algorithm>
#include <climits>

namespace KvGridInput {
TKvStringGrid* OwningGrid(TComponent* AOwner)
{
    auto* grid = dynamic_cast<TKvStringGrid*>(AOwner);
    if (!grid) throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    return grid;
}

bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

void FocusGrid(TKvStringGrid* Grid)
{
    if (Grid->CanFocus()) Grid->SetFocus();
}

void CloseAndAdvance(TKvStringGrid* Grid, WORD Key, TShiftState Shift)
{
    Grid->DoneInplaceEdit(Key, Shift);
    if (Grid->Navigation()->AdvanceOnEnter() && Grid->Navigation()->AdvanceAutoEdit()) Grid->ShowInplaceEdit();
}

void TabOn(TKvStringGrid* Grid)
{
    Grid->HideInplaceEdit();
    FocusGrid(Grid);
    Grid->EditorTabToNextCell(ShiftHeld() ? TShiftState(ssShift) : TShiftState());
}

bool Commit(TKvStringGrid* Grid, const QString& Text)
{
    Grid->SetCurrentCell(Text);
    return Grid->ValidateCell(Text);
}

int CharUnderMouse(TWinControl* Edit)
{
    const TPoint p = Edit->ScreenToClient(Mouse->CursorPos());
    if (p.X < 0 || p.X > Edit->Width() || p.Y < 0 || p.Y > Edit->Height()) return -1;
    const LRESULT r = Edit->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(unsigned(p.X) & 0xFFFF, unsigned(p.Y) & 0xFFFF));
    const int pos = int16_t(uint16_t(r & 0xFFFF));
    return r == -1 ? -1 : pos;
}
} // namespace KvGridInput

using namespace KvGridInput;

namespace {
// The grid's own key-down handling is protected; the editors hand keys to it as its children.
struct TGridKeys : TKvStringGrid {
    static void KeyDownOf(TKvStringGrid* Grid, WORD& Key, TShiftState Shift)
    {
        (Grid->*(&TGridKeys::KeyDown))(Key, Shift);
    }
};

bool CtrlHeld() { return GetKeyState(VK_CONTROL) < 0; }

// The Enter advance from the current cell, reopening the editor as AdvanceAutoEdit says.
void AdvanceFromCurrentCell(TKvStringGrid* Grid)
{
    Grid->EditorAdvanceToNextCell(Grid->Col(), Grid->Row(), true, false, true, Grid->Navigation()->AdvanceAutoEdit(),
                                  false);
}

// How a key that ends the edit leaves the editor once the commit is through.
enum class TKeyEnd {
    Done,    // the grid's DoneInplaceEdit ends the edit
    Advance, // the same, then the editor reopens on the new cell with AdvanceOnEnter and AdvanceAutoEdit
    Stay,    // the edit stays open (an open calendar keeps it)
};

// Hands the key that ends the edit back to the grid: Tab under goTabs closes the
// editor and moves to the next cell; any other key is cleared for the editor and
// ends the edit as End says. A Tab the editor keeps without goTabs is posted to
// the grid first when PostTab, so that the form moves the focus on.
void HandBackKey(TKvStringGrid* Grid, WORD& Key, TShiftState Shift, bool PostTab, TKeyEnd End)
{
    if (Key == VK_TAB && Grid->Options().Contains(goTabs)) {
        Key = 0;
        TabOn(Grid);
        return;
    }
    if (Key == VK_TAB && PostTab) PostMessage(Grid, WM_KEYDOWN, VK_TAB, 0);
    const WORD k = Key;
    Key = 0;
    if (End == TKeyEnd::Advance) CloseAndAdvance(Grid, k, Shift);
    else if (End == TKeyEnd::Done) Grid->DoneInplaceEdit(k, Shift);
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The characters of the numeric and float button editors: true when the
// character goes on to the edit; a refusal beeps where the kind says so.
bool NumberFilter(TEditorType Kind, TCustomEdit* Edit, QChar Ch)
{
    const char16_t k = Ch.unicode();
    const bool control = k == 8 || k == 9 || k == 13 || k == 27;
    const QString text = Edit->Text();
    const QString sel = Edit->SelText();
    if (Kind == edNumericEditBtn || Kind == edNumericUnitEditBtn) {
        if (control || IsDigit(k)) return true;
        if (k == u'-' && !text.contains(u'-') && Edit->SelStart() == 0) return true;
        MessageBeep(0);
        return false;
    }
    // The float kinds.
    const TFormatSettings& fs = FormatSettings();
    const bool candidate = control || IsDigit(k) || k == u',' || k == u'-' || k == u'.';
    if (!candidate) return CtrlHeld();
    if (Ch == fs.DecimalSeparator && text.contains(fs.DecimalSeparator) && !sel.contains(fs.DecimalSeparator))
        return false;
    if (Ch == fs.ThousandSeparator && Ch != fs.DecimalSeparator) return false;
    if (k == u'-') {
        const bool atStart = Edit->SelStart() == 0 && !text.contains(u'-');
        if (!atStart && !sel.contains(u'-')) {
            MessageBeep(0);
            return false;
        }
    }
    return true;
}
} // namespace

int ReadSpinInteger(const QString& Text)
{
    const QString t = Text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) negative = t[i++] == u'-';
    int base = 10;
    if (t.mid(i, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    } else if (i < t.size() && (t[i] == u'$' || t[i] == u'x' || t[i] == u'X')) {
        base = 16;
        ++i;
    }
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        const int d = t[i].isDigit() && t[i].unicode() < 128 ? t[i].unicode() - '0'
                      : base == 16 && t[i].toLower() >= u'a' && t[i].toLower() <= u'f' ? t[i].toLower().unicode() - 'a' + 10
                                                                                        : -1;
        if (d < 0) break;
        v = std::min<qint64>(v * base + d, qint64(INT_MAX) + 1);
    }
    // The sign stays with the digits read before the first other character.
    return int(std::clamp<qint64>(negative ? -v : v, INT_MIN, INT_MAX));
}

double ReadSpinFloat(const QString& Text)
{
    const QString t = Text.trimmed();
    const QChar sep = FormatSettings().DecimalSeparator;
    int end = 0;
    bool dot = false;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+')) ++end;
    for (; end < t.size(); ++end) {
        if (t[end].isDigit() && t[end].unicode() < 128) continue;
        if ((t[end] == sep || t[end] == u'.') && !dot) {
            dot = true;
            continue;
        }
        break;
    }
    QString num = t.left(end);
    num.replace(sep, QLatin1Char('.'));
    bool ok = false;
    const double v = num.toDouble(&ok);
    return ok ? v : 0.0;
}

// ============================================================ check box

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), FGrid(OwningGrid(AOwner))
{
    // The toggles are the press's and Space's below; the box's own click toggle would be a second one.
    QObject::disconnect(FBox, &QCheckBox::clicked, this, nullptr);
}

bool TGridCheckBox::HandleQtEvent(QObject* target, QEvent* e)
{
    // The face in the box's colour first; the box and its caption paint over it.
    if (target == FBox && e->type() == QEvent::Paint) {
        QPainter p(FBox);
        p.fillRect(FBox->rect(), ToQColor(FColor));
    }
    return TCheckBox::HandleQtEvent(target, e);
}

void TGridCheckBox::WndProc(TMessage& Message)
{
    // The keys that end the edit are the box's, not the form's dialog keys.
    if (Message.Msg == CM_WANTSPECIALKEY) {
        switch (WORD(Message.WParam)) {
        case VK_RETURN: case VK_ESCAPE: case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
            Message.Result = 1;
            return;
        default:
            break;
        }
    }
    if (Message.Msg == WM_LBUTTONDOWN) Toggle();
    TCheckBox::WndProc(Message);
}

void TGridCheckBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        Toggle();
        Key = 0;
        return;
    }
    switch (Key) {
    case VK_RETURN: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
        const WORD k = Key;
        Key = 0;
        TKvStringGrid* G = FGrid;
        if (k == VK_ESCAPE) SetCaption(G->CurrentCell());
        G->HideInplaceEdit();
        FocusGrid(G);
        if (k == VK_RETURN && G->Navigation()->AdvanceOnEnter())
            AdvanceFromCurrentCell(G);
        if (k == VK_UP || k == VK_DOWN) {
            WORD gk = k;
            TGridKeys::KeyDownOf(G, gk, Shift);
        }
        return;
    }
    default:
        TCheckBox::KeyDown(Key, Shift);
    }
}

void TGridCheckBox::DoExit()
{
    FGrid->HideInplaceEdit();
    TCheckBox::DoExit();
}

// ============================================================ cell button

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), FGrid(OwningGrid(AOwner)) {}

void TGridButton::TakeClickValue()
{
    if (Parent() != FGrid) return;
    const QString s = FGrid->EllipsClick(Caption());
    SetCaption(s);
    FGrid->SetCurrentCell(s);
}

void TGridButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
        switch (WORD(Message.WParam)) {
        case VK_ESCAPE: case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
            Message.Result = 1;
            return;
        default:
            break;
        }
        break;
    case WM_LBUTTONUP:
        TakeClickValue();
        break;
    default:
        break;
    }
    TButton::WndProc(Message);
}

void TGridButton::KeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        TakeClickValue();
        Invalidate();
    }
    TButton::KeyUp(Key, Shift);
}

void TGridButton::KeyDown(WORD& Key, TShiftState Shift)
{
    TKvStringGrid* G = FGrid;
    switch (Key) {
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
        const WORD k = Key;
        Key = 0;
        G->Perform(WM_KEYDOWN, k, 0);
        SetVisible(false);
        SetEnabled(false);
        G->EditMode = false;
        FocusGrid(G);
        G->Perform(WM_KEYUP, k, 0);
        return;
    }
    case VK_ESCAPE: {
        Key = 0;
        // Cancelled: the grid taking the focus must neither check the cell nor cache it anew.
        const QString cache = G->FCellCache;
        G->FEditing = false;
        SetVisible(false);
        SetEnabled(false);
        G->EditMode = false;
        FocusGrid(G);
        G->FCellCache = cache;
        G->RestoreCellValue();
        G->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    default:
        TButton::KeyDown(Key, Shift);
    }
}

void TGridButton::DoExit()
{
    FGrid->HideInplaceEdit();
    TButton::DoExit();
}

// ============================================================ spin

TGridSpin::TGridSpin(TComponent* AOwner) : TKsgSpinEdit(AOwner), FGrid(OwningGrid(AOwner))
{
    FMaxValue = 100;
    FMinValue = 0;
    FIncrement = 1;
}

void TGridSpin::FireSpinClick(bool UpDown)
{
    TKvStringGrid* G = FGrid;
    switch (FSpinType) {
    case sptNormal:
        if (G->OnSpinClick) G->OnSpinClick(G, G->Col(), G->Row(), Value(), UpDown);
        break;
    case sptFloat:
        if (G->OnFloatSpinClick) G->OnFloatSpinClick(G, G->Col(), G->Row(), FloatValue(), UpDown);
        break;
    case sptDate:
        if (G->OnDateSpinClick) G->OnDateSpinClick(G, G->Col(), G->Row(), DateValue(), UpDown);
        break;
    case sptTime:
        if (G->OnTimeSpinClick) G->OnTimeSpinClick(G, G->Col(), G->Row(), TimeValue(), UpDown);
        break;
    }
}

void TGridSpin::UpButtonClick()
{
    TKsgSpinEdit::UpButtonClick();
    FireSpinClick(true);
}

void TGridSpin::DownButtonClick()
{
    TKsgSpinEdit::DownButtonClick();
    FireSpinClick(false);
}

void TGridSpin::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_CHAR && (Message.WParam == 9 || Message.WParam == 13)) return;
    if (Message.Msg == WM_KEYDOWN) {
        switch (WORD(Message.WParam)) {
        // These keys are the grid's here: past the spin's own stepping, to the key-down step.
        case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
        case VK_TAB: case VK_RETURN: case VK_ESCAPE:
            TMaskEdit::WndProc(Message);
            return;
        default:
            break;
        }
    }
    if (Message.Msg == CM_WANTSPECIALKEY) {
        TKsgSpinEdit::WndProc(Message);
        const WORD k = WORD(Message.WParam);
        if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->Options().Contains(goTabs)))
            Message.Result = 1;
        return;
    }
    TKsgSpinEdit::WndProc(Message);
}

void TGridSpin::KeyDown(WORD& Key, TShiftState Shift)
{
    TKvStringGrid* G = FGrid;
    const bool number = FSpinType == sptNormal, fl = FSpinType == sptFloat;
    switch (Key) {
    case VK_PRIOR:
        if (number && Value() + FIncrement <= FMaxValue) SetValue(Value() + FIncrement);
        if (fl && FloatValue() + FIncrementFloat <= FMaxFloatValue) SetFloatValue(FloatValue() + FIncrementFloat);
        break;
    case VK_NEXT:
        if (number && Value() - FIncrement >= FMinValue) SetValue(Value() - FIncrement);
        if (fl && FloatValue() - FIncrementFloat >= FMinFloatValue) SetFloatValue(FloatValue() - FIncrementFloat);
        break;
    case VK_END:
        if (number) SetValue(FMinValue);
        if (fl) SetFloatValue(FMinFloatValue);
        break;
    case VK_HOME:
        if (number) SetValue(FMaxValue);
        if (fl) SetFloatValue(FMaxFloatValue);
        break;
    default:
        break;
    }
    if (G->OnSpinClick && (Key == VK_PRIOR || Key == VK_HOME || Key == VK_NEXT || Key == VK_END))
        G->OnSpinClick(G, G->Col(), G->Row(), Value(), Key == VK_PRIOR || Key == VK_HOME);
    if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && Key != VK_UP && Key != VK_DOWN) {
        TKsgSpinEdit::KeyDown(Key, Shift);
        return;
    }
    QPointer<TGridSpin> self(this);
    if (Key == VK_ESCAPE) {
        SetText(G->FCellCache);
        if (number) SetValue(ReadSpinInteger(G->FCellCache));
        if (fl) SetFloatValue(ReadSpinFloat(G->FCellCache));
    } else {
        if (!Commit(G, Text())) {
            if (!self) return;
            SetText(G->CurrentCell());
            SetSelStart(Text().size());
            Key = 0;
            Invalidate();
            return;
        }
        if (!self) return;
        SetText(G->CurrentCell());
    }
    HandBackKey(G, Key, Shift, false, TKeyEnd::Advance);
}

void TGridSpin::KeyPress(QChar& Key)
{
    if (Key.unicode() == 27) Key = QChar();
    if (Key.unicode() == 13 || Key.isNull()) return;
    TKsgSpinEdit::KeyPress(Key);
}

void TGridSpin::Change()
{
    TKsgSpinEdit::Change();
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridSpin::DoExit()
{
    FGrid->HideInplaceEdit();
    TKsgSpinEdit::DoExit();
}

// ============================================================ date

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TKsgDateTimePicker(AOwner), FGrid(OwningGrid(AOwner)) {}

QString TGridDatePicker::GetText() const
{
    if (ShowCheckbox() && !Checked()) return QString();
    const TFormatSettings& fs = FormatSettings();
    QString f = TDateTimePicker::Format();
    if (f.isEmpty()) f = TDateTimePicker::Kind() == dtkTime ? fs.LongTimeFormat : fs.ShortDateFormat;
    else f.replace(QLatin1Char('m'), QLatin1Char('n')).replace(QLatin1Char('M'), QLatin1Char('m')).replace(QLatin1Char('H'), QLatin1Char('h'));
    return FormatDateTime(f, TDateTimePicker::DateTime());
}

void TGridDatePicker::PaintFlat(TCanvas* Canvas)
{
    TKsgDateTimePicker::PaintFlat(Canvas);
    // The border is overpainted with the window colour: the cell's own lines frame the editor.
    Canvas->Brush()->SetColor(clWindow);
    Canvas->FrameRect(TRect(0, 0, Width(), Height()));
    Canvas->FrameRect(TRect(1, 1, Width() - 1, Height() - 1));
}

void TGridDatePicker::KeyPress(QChar& Key)
{
    if (IsDigit(Key.unicode())) {
        int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
        DecodeDate(TDateTimePicker::DateTime(), y, m, d);
        DecodeTime(TDateTimePicker::DateTime(), h, mi, s, ms);
        Fy = uint16_t(y);
        Fm = uint16_t(m);
        Fd = uint16_t(d);
        Fth = uint16_t(h);
        Ftm = uint16_t(mi);
        Fts = uint16_t(s);
        Ftms = uint16_t(ms);
        PostMessage(this, DTPShiftFocusMessage(), 0, 0);
    }
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
}

void TGridDatePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_WANTSPECIALKEY) {
        TKsgDateTimePicker::WndProc(Message);
        const WORD k = WORD(Message.WParam);
        if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->EditorWantsTab())) Message.Result = 1;
        return;
    }
    TKsgDateTimePicker::WndProc(Message);
    if (Message.Msg == DTPShiftFocusMessage()) ShiftFocus();
}

void TGridDatePicker::ShiftFocus()
{
    int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(TDateTimePicker::DateTime(), y, m, d);
    DecodeTime(TDateTimePicker::DateTime(), h, mi, s, ms);
    bool next = false;
    if (TDateTimePicker::Kind() == dtkTime) {
        next = h != Fth || mi != Ftm || s != Fts;
    } else if (!TDateTimePicker::Format().isEmpty()) {
        const QChar c = TDateTimePicker::Format().back().toLower();
        const bool dayChanged = d != Fd, monthChanged = m != Fm, yearChanged = y != Fy;
        const bool lastEdited = (dayChanged && c == u'd') || (monthChanged && c == u'm') || (yearChanged && c == u'y');
        next = !lastEdited && (dayChanged || monthChanged || yearChanged);
    } else {
        next = d != Fd || m != Fm;
    }
    if (next) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::KeyDown(WORD& Key, TShiftState Shift)
{
    TKvStringGrid* G = FGrid;
    if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && Key != VK_PRIOR && Key != VK_NEXT && Key != VK_END) {
        TKsgDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    QPointer<TGridDatePicker> self(this);
    auto refused = [&] {
        if (!self) return;
        TDateTime v = 0;
        const QString t = G->FNewCellText;
        if (TDateTimePicker::Kind() == dtkTime ? TryStrToTime(t, v) : TryStrToDate(t, v)) {
            if (TDateTimePicker::Kind() == dtkTime) SetTime(v);
            else SetDate(v);
        }
        Invalidate();
        Key = 0;
    };
    if (Key == VK_ESCAPE) {
        TDateTime v = 0;
        const QString cell = G->CurrentCell();
        if (TDateTimePicker::Kind() == dtkTime && TryStrToTime(cell, v)) SetTime(v);
        else if (TDateTimePicker::Kind() != dtkTime && TryStrToDate(cell, v)) SetDate(v);
        else SetDate(::Date());
    }
    if (Key == VK_RETURN) {
        Perform(WM_KEYDOWN, VK_RIGHT, 0);
        Perform(WM_KEYUP, VK_RIGHT, 0);
        if (!Commit(G, Text())) {
            refused();
            return;
        }
        if (!self) return;
    }
    const bool keptTab = Key == VK_TAB && G->EditorWantsTab();
    if (keptTab) {
        if (!Commit(G, Text())) {
            refused();
            return;
        }
        if (!self) return;
    }
    HandBackKey(G, Key, Shift, keptTab, DroppedDown() ? TKeyEnd::Stay : TKeyEnd::Done);
}

void TGridDatePicker::DoExit()
{
    FGrid->HideInplaceEdit();
    TKsgDateTimePicker::DoExit();
}

// ============================================================ date and time

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner)
    : TKvDateTimePicker(AOwner), FGrid(dynamic_cast<TKvStringGrid*>(AOwner))
{
}

QString TGridDateTimePicker::DateTimeText()
{
    const TFormatSettings& fs = FormatSettings();
    return FormatDateTime(fs.ShortDateFormat, DateTime()) + QLatin1Char(' ') +
           FormatDateTime(fs.ShortTimeFormat, DateTime());
}

void TGridDateTimePicker::KeyDown(WORD& Key, TShiftState Shift)
{
    TKvStringGrid* G = FGrid;
    if (!G) {
        TKvDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    switch (Key) {
    case VK_ESCAPE:
        Key = 0;
        // The loaded date comes back; the time of day stays as edited. Nothing is checked.
        SetDate(DateOf(G->FOriginalDateTime));
        G->FEditing = false;
        G->HideInplaceEdit();
        FocusGrid(G);
        return;
    case VK_RETURN:
        Key = 0;
        G->HideInplaceEdit();
        FocusGrid(G);
        if (G->Navigation()->AdvanceOnEnter())
            AdvanceFromCurrentCell(G);
        return;
    case VK_TAB:
        if (G->EditorWantsTab()) {
            Key = 0;
            const QString text = DateTimeText();
            G->HideInplaceEdit();
            FocusGrid(G);
            G->SetCurrentCell(text);
            G->EditorTabToNextCell(ShiftHeld() ? TShiftState(ssShift) : TShiftState());
            return;
        }
        break;
    default:
        break;
    }
    TKvDateTimePicker::KeyDown(Key, Shift);
}

// ============================================================ edit with a button

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TKsgEditBtn(AOwner), FGrid(OwningGrid(AOwner))
{
    OnClickBtn = [this](TObject* Sender) { ButtonClick(Sender); };
}

void TGridEditBtn::ButtonClick(TObject*)
{
    SetText(FGrid->EllipsClick(Text()));
    SelectAll();
    Invalidate();
    if (FStopEditAfterClick) {
        FGrid->HideInplaceEdit();
        FocusGrid(FGrid);
    }
}

void TGridEditBtn::WMPaste()
{
    TKvStringGrid* G = FGrid;
    bool allow = Clipboard()->HasFormat(CF_TEXT);
    QString S = Clipboard()->AsText();
    if (G->OnClipboardPaste) G->OnClipboardPaste(this, allow);
    if (allow && G->OnClipboardBeforePasteCell) G->OnClipboardBeforePasteCell(this, G->Col(), G->Row(), S, allow);
    if (!allow) return;
    const int crlf = S.indexOf(QStringLiteral("\r\n"));
    if (crlf >= 0 && crlf == S.length() - 2) S.chop(2);
    const QString text = Text();
    const int start = SelStart(), len = SelLength();
    SetText(text.left(start) + S + text.mid(start + len));
    SetSelStart(start);
    SetSelLength(len > 0 ? S.length() : 0);
    if (len == 0) SetSelStart(start + S.length());
    G->SetCurrentCellText(Text());
}

void TGridEditBtn::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE:
        if (!FEditorEnabled || ReadOnly()) return;
        WMPaste();
        return;
    case WM_CHAR: {
        const char16_t k = char16_t(Message.WParam);
        if (k == 13 || k == 9) {
            Message.Result = 1;
            return;
        }
        const TEditorType kind = FGrid->EditControl;
        if (kind == edNumericEditBtn || kind == edFloatEditBtn) {
            if (!NumberFilter(kind, this, QChar(k))) return;
        } else if (kind != edEditBtn && kind != edMaskEditBtn) {
            return;
        }
        break;
    }
    case CM_WANTSPECIALKEY: {
        TKsgEditBtn::WndProc(Message);
        const WORD k = WORD(Message.WParam);
        if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->EditorWantsTab())) Message.Result = 1;
        return;
    }
    case WM_LBUTTONDBLCLK:
        TKsgEditBtn::WndProc(Message);
        if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
        return;
    default:
        break;
    }
    TKsgEditBtn::WndProc(Message);
}

void TGridEditBtn::KeyPress(QChar& Key)
{
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
    if (Key.unicode() == 9) return;
    TKsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::Change()
{
    TKsgEditBtn::Change();
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridEditBtn::KeyDown(WORD& Key, TShiftState Shift)
{
    TKvStringGrid* G = FGrid;
    const bool inSet = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                       Key == VK_UP || Key == VK_DOWN;
    if (!inSet && G->OnKeyDown) G->OnKeyDown(G, Key, Shift);
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    FSelKeyDown = SelStart();
    if (Shift.Contains(ssCtrl) || !inSet) {
        TKsgEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    QPointer<TGridEditBtn> self(this);
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const TEditorType before = G->EditControl;
        const bool ok = Commit(G, Text());
        if (!self) return;
        SetText(G->FNewCellText);
        if (!ok) {
            SelectAll();
            Invalidate();
            Key = 0;
            G->EditControl = before;
            return;
        }
    }
    const bool keptTab = Key == VK_TAB && G->EditorWantsTab();
    if (keptTab) {
        if (!Commit(G, Text())) {
            if (!self) return;
            SetText(G->FNewCellText);
            SetSelStart(Text().size());
            Invalidate();
            Key = 0;
            return;
        }
        if (!self) return;
    }
    if (Key == VK_ESCAPE) SetText(G->FCellCache);
    HandBackKey(G, Key, Shift, keptTab, TKeyEnd::Done);
}

void TGridEditBtn::KeyUp(WORD& Key, TShiftState Shift)
{
    TKvStringGrid* G = FGrid;
    if (G->OnKeyUp) G->OnKeyUp(G, Key, Shift);
    const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    const bool walk = G->Navigation()->CursorWalkEditor() && SelLength() == 0 && plain;
    const bool right = Key == VK_RIGHT && walk && SelStart() == Text().size();
    const bool left = Key == VK_LEFT && walk && SelStart() == 0 && FSelKeyDown == 0;
    if (right || left) {
        Key = 0;
        const int col = G->Col(), row = G->Row();
        const int target = right ? col + G->CellSpan(G->RealColIndex(col), row).X + 1 : col - 1;
        const bool inGrid = right ? col < G->ColCount() - G->FixedRightCols() - 1 : col > G->FixedCols();
        if (inGrid && G->HasClickControl(G->RealColIndex(target), row)) {
            if (G->ValidateCell(Text())) {
                G->HideInplaceEdit();
                G->SetCol(target);
            }
            return;
        }
        FocusGrid(G);
        TNavigation* nav = G->Navigation();
        const TAdvanceDirection direction = nav->AdvanceDirection();
        nav->SetAdvanceDirection(adLeftRight);
        G->EditorAdvanceToNextCell(col, row, false, false, right, false, true);
        nav->SetAdvanceDirection(direction);
        if (nav->CursorWalkAlwaysEdit()) G->ShowInplaceEdit();
        return;
    }
    if (Key != VK_RETURN) TKsgEditBtn::KeyUp(Key, Shift);
    DoLookup();
}

void TGridEditBtn::DoLookup()
{
    if (!WorkMode || SelLength() != 0) return;
    const QString typed = Text().left(SelStart());
    const QString done = LookupCompletion(FGrid, typed);
    if (done.isEmpty()) return;
    SetText(done);
    Perform(EM_SETSEL, WPARAM(typed.length()), LPARAM(done.length()));
}

void TGridEditBtn::DoExit()
{
    FGrid->HideInplaceEdit();
    TKsgEditBtn::DoExit();
}

// ============================================================ value with a unit

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TKsgUnitEditBtn(AOwner), FGrid(OwningGrid(AOwner))
{
    OnClickBtn = [this](TObject* Sender) { ButtonClick(Sender); };
}

void TGridUnitEditBtn::ButtonClick(TObject*)
{
    SetText(FGrid->EllipsClick(Text()));
    SelectAll();
    Invalidate();
}

void TGridUnitEditBtn::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR: {
        const char16_t k = char16_t(Message.WParam);
        if (k == 13) return;
        const TEditorType kind = FGrid->EditControl;
        if (kind == edNumericUnitEditBtn || kind == edFloatUnitEditBtn) {
            if (!NumberFilter(kind, this, QChar(k))) return;
        } else if (kind != edUnitEditBtn) {
            return;
        }
        break;
    }
    case CM_WANTSPECIALKEY: {
        TKsgUnitEditBtn::WndProc(Message);
        const WORD k = WORD(Message.WParam);
        if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->Options().Contains(goTabs)))
            Message.Result = 1;
        return;
    }
    default:
        break;
    }
    TKsgUnitEditBtn::WndProc(Message);
}

void TGridUnitEditBtn::KeyDown(WORD& Key, TShiftState Shift)
{
    TKvStringGrid* G = FGrid;
    const bool inSet = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                       Key == VK_UP || Key == VK_DOWN;
    if (!inSet) {
        TKsgUnitEditBtn::KeyDown(Key, Shift);
        return;
    }
    QPointer<TGridUnitEditBtn> self(this);
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const QString value = TextAndUnit();
        G->SetCurrentCell(value);
        if (!G->ValidateCell(value)) {
            if (self) SetText(G->CurrentCell());
            return;
        }
        if (!self) return;
        SetTextAndUnit(G->CurrentCell());
    }
    if (Key == VK_RETURN && G->Navigation()->AdvanceOnEnter()) {
        G->HideInplaceEdit();
        FocusGrid(G);
        Key = 0;
        AdvanceFromCurrentCell(G);
        return;
    }
    if (Key == VK_ESCAPE) {
        SetUnitID(QString());
        SetText(G->CurrentCell());
    }
    HandBackKey(G, Key, Shift, false, TKeyEnd::Done);
}

void TGridUnitEditBtn::DoExit()
{
    FGrid->HideInplaceEdit();
    TKsgUnitEditBtn::DoExit();
}

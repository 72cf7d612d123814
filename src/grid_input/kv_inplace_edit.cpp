// The grid's text editor: typed-character filters by editor kind, the keys that
// validate and leave, lookup completion, clipboard filtering and the focus
// steps that pair every focus gain with one end of the edit.
#include "grid_input/kv_inplace_edit.h"

#include "grid/grid_text.h"
#include "grid/kv_string_grid.h"
#include "grid_input/grid_lookup.h"
#include "platform/core/format_settings.h"
#include "platform/ui/clipboard.h"

#include <QtCore/QScopeGuard>
#include <QtWidgets/QLineEdit>

namespace {
bool CtrlHeld() { return GetKeyState(VK_CONTROL) < 0; }
bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

bool IsDigitChar(char16_t c) { return c >= u'0' && c <= u'9'; }

bool PassesValidChars(TKvStringGrid* G, QChar c)
{
    const char16_t k = c.unicode();
    if (k == 8 || k == 13) return true;
    if (!G->ValidChars.isEmpty()) return G->ValidChars.contains(c);
    return k <= 255 && G->ValidCharSet.test(k);
}
} // namespace

TKvInplaceEdit::TKvInplaceEdit(TComponent* AOwner)
    : TInplaceEdit(AOwner), FGrid(dynamic_cast<TKvStringGrid*>(AOwner))
{
    GotKey = false;
    Workmode = true;
    if (FGrid) FLengthLimit = FGrid->GetEditLimit();
}

void TKvInplaceEdit::CreateWnd()
{
    TInplaceEdit::CreateWnd();
    GotKey = false;
    Workmode = true;
    if (FGrid) FLengthLimit = FGrid->GetEditLimit();
    ApplyWindowStyle();
}

void TKvInplaceEdit::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    ReCreate();
}

void TKvInplaceEdit::SetValign(bool Value)
{
    if (FValign == Value) return;
    FValign = Value;
    ReCreate();
}

bool TKvInplaceEdit::WantsLines() const
{
    // Lines show where the cell can hold them: wrapped text, multi-line cells, or Enter typing a line break.
    return FGrid && (FWordWrap || FGrid->MultilineCells || FGrid->Navigation()->LineFeedOnEnter());
}

void TKvInplaceEdit::CreateParams(TCreateParams& Params)
{
    TInplaceEdit::CreateParams(Params);
    if (WantsLines()) Params.Style |= ES_MULTILINE;
    if (FValign) Params.Style |= ES_RIGHT;
    if (FGrid && FGrid->EditControl == edPassword) {
        Params.Style |= ES_PASSWORD;
        Params.Style &= ~unsigned(ES_MULTILINE);
    }
    if (FWordWrap) Params.Style &= ~unsigned(ES_AUTOHSCROLL);
    Params.Style |= ES_WANTRETURN;
}

void TKvInplaceEdit::ApplyWindowStyle()
{
    const unsigned style = FParams.Style;
    SetAlignment(style & ES_RIGHT ? taRightJustify : taLeftJustify);
    SetPasswordChar(style & ES_PASSWORD && FGrid ? FGrid->PasswordChar() : QChar());
}

void TKvInplaceEdit::UpdateWindowStyle()
{
    // The kind (password) or the grid's line settings may differ from the last cell's.
    TCreateParams p;
    CreateParams(p);
    const unsigned mask = ES_MULTILINE | ES_RIGHT | ES_PASSWORD | ES_AUTOHSCROLL | ES_WANTRETURN;
    if (!HandleAllocated() || (p.Style & mask) != (FParams.Style & mask)) ReCreate();
}

void TKvInplaceEdit::UpdateContents()
{
    if (!FGrid) {
        TInplaceEdit::UpdateContents();
        return;
    }
    FGrid->FNoEditChange = true;
    TInplaceEdit::UpdateContents();
    FGrid->FNoEditChange = false;
    TFont font;
    TAlignment ha = taLeftJustify;
    SetColor(FGrid->CellEditorLook(FGrid->Col(), FGrid->Row(), &font, ha));
    SetFont(font);
    FValign = ha == taRightJustify;
    UpdateWindowStyle();
    FColE = FGrid->Col();
    FRowE = FGrid->Row();
    FLengthLimit = FGrid->GetEditLimit();
    FGrid->GetEditorProp(FColE, FRowE);
}

void TKvInplaceEdit::BoundsChanged()
{
    TInplaceEdit::BoundsChanged();
    if (!FGrid) return;
    TRect r = FGrid->CellRect(FGrid->Col(), FGrid->Row());
    if (FGrid->layoutDirection() == Qt::RightToLeft) r.Left += 1;
    SetBounds(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    const TRect fmt(3, 3, Width() - 2, Height());
    Perform(EM_SETRECTNP, 0, LPARAM(&fmt));
}

void TKvInplaceEdit::Change()
{
    TInplaceEdit::Change();
    if (FGrid && !FGrid->FNoEditChange && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

// ============================================================ typed characters

void TKvInplaceEdit::WMChar(TMessage& Message)
{
    TKvStringGrid* G = FGrid;
    QChar ch(char16_t(Message.WParam));
    char16_t k = ch.unicode();
    if (k == u'.' && G->ExcelStyleDecimalSeparator && (Message.LParam >> 22) & 1) {
        ch = FormatSettings().DecimalSeparator;
        k = ch.unicode();
    }
    const bool ctrl = CtrlHeld();
    if (k == 1 && ctrl) return;
    if (k == 10 && ctrl &&
        !(G->Navigation()->AllowCtrlEnter() && (G->WordWrap() || G->MultilineCells)))
        return;
    const QString text = Text();
    if (FLengthLimit > 0 && text.length() >= FLengthLimit && SelLength() == 0 && k != 8 && k != 27 && k != 13)
        return;
    const TEditorType kind = G->EditControl;
    const bool textKind = kind == edNormal || kind == edCapital || kind == edMixedCase || kind == edLowerCase ||
                          kind == edUpperCase || kind == edValidChars;
    if (textKind && k == 13 && G->Navigation()->LineFeedOnEnter()) {
        DefaultHandler(Message);
        return;
    }

    // What the filter decided: pass the (possibly changed) character, beep, or drop silently.
    enum { Pass, Beep, Drop } verdict = Pass;
    bool mixed = false;
    const bool control = k == 8 || k == 9 || k == 13 || k == 27;
    switch (kind) {
    case edNumeric:
        if (!(control || k == u'-' || IsDigitChar(k))) verdict = Beep;
        else if (k == u'-' && (text.contains(u'-') || SelStart() != 0)) verdict = Beep;
        break;
    case edPositiveNumeric:
        if (!(control || IsDigitChar(k))) verdict = Beep;
        break;
    case edFloat:
    case edPositiveFloat: {
        const bool candidate = control || k == u',' || k == u'.' || IsDigitChar(k) || (k == u'-' && kind == edFloat);
        if (!candidate) {
            if (!ctrl) verdict = Drop;
            break;
        }
        const TFormatSettings& fs = FormatSettings();
        if (ch == fs.DecimalSeparator && text.contains(fs.DecimalSeparator) && !SelText().contains(fs.DecimalSeparator))
            verdict = Drop;
        else if (ch == fs.ThousandSeparator && ch != fs.DecimalSeparator)
            verdict = Drop;
        else if (k == u'-' && !((SelStart() == 0 && !text.contains(u'-')) || SelText().contains(u'-')))
            verdict = Beep;
        break;
    }
    case edCapital:
    case edUpperCase:
        ch = ch.toUpper();
        break;
    case edLowerCase:
        ch = ch.toLower();
        break;
    case edMixedCase:
        mixed = true;
        break;
    case edValidChars:
        if (!PassesValidChars(G, ch)) verdict = Beep;
        break;
    default:
        break;
    }

    if (verdict == Drop) return;
    if (verdict == Beep) {
        MessageBeep(0);
    } else {
        Message.WParam = ch.unicode();
        if (ch.unicode() < 32) {
            TInplaceEdit::WndProc(Message);
        } else if (!DoKeyPress(Message) && Message.WParam != 0 && !ReadOnly()) {
            // Typed text is inserted here, so the steps below see it.
            const int caret = SelStart();
            SetSelText(QString(QChar(char16_t(Message.WParam))));
            if (mixed) {
                SetText(ToMixedCase(Text()));
                SetSelStart(caret + 1);
                SetSelLength(0);
            }
        }
    }

    // Auto advance once the text is full.
    const int maxLen = G->MaxEditLength();
    if (G->Navigation()->AdvanceAuto() && G->Navigation()->AdvanceOnEnter() && maxLen > 0 &&
        Text().length() >= maxLen && SelLength() == 0 && SelStart() == Text().length())
        G->Perform(WM_CHAR, 13, 0);
}

// ============================================================ WM_KEYDOWN

bool TKvInplaceEdit::FirstLine() const
{
    auto* self = const_cast<TKvInplaceEdit*>(this);
    return self->Perform(EM_LINEFROMCHAR, WPARAM(SelStart()), 0) == 0;
}

bool TKvInplaceEdit::LastLine() const
{
    auto* self = const_cast<TKvInplaceEdit*>(this);
    return self->Perform(EM_LINEFROMCHAR, WPARAM(SelStart()), 0) >= self->Perform(EM_GETLINECOUNT) - 1;
}

void TKvInplaceEdit::RestoreRejected(const QString& Saved)
{
    if (!FGrid) return;
    // The refused text comes back into the editor only: the cell keeps its old value.
    const bool loading = FGrid->FNoEditChange;
    FGrid->FNoEditChange = true;
    SetText(FGrid->FNewCellText);
    FGrid->FNoEditChange = loading;
    if (FGrid->Navigation()->EditSelectAll()) SelectAll();
    else SetSelStart(Text().length());
    FGrid->FOldCellText = Saved;
}

void TKvInplaceEdit::WMKeyDown(TMessage& Message)
{
    TKvStringGrid* G = FGrid;
    WORD key = WORD(Message.WParam);
    const bool ctrl = CtrlHeld(), shift = ShiftHeld();
    TShiftState ss;
    if (ctrl) ss << ssCtrl;
    if (shift) ss << ssShift;
    G->InplaceEditWMKeyDown(key, ss);
    Message.WParam = key;
    FOldSelStart = SelStart();
    FValidatedArrow = false;
    QPointer<TKvInplaceEdit> self(this);

    if (key == VK_ESCAPE) {
        SetText(G->FCellCache);
        G->HideInplaceEdit();
    }
    if (key == 'A' && ctrl && GetKeyState(VK_RMENU) >= 0) {
        SelectAll();
        Message.WParam = 0;
        return;
    }
    const bool multiline = G->WordWrap() || G->MultilineCells;
    if (key == VK_RETURN && ctrl && !(G->Navigation()->AllowCtrlEnter() && multiline)) {
        Message.WParam = 0;
        return;
    }
    const QString T = Text();
    const QString saved = G->FOldCellText;

    if (key == VK_TAB && G->EditorWantsTab()) {
        Message.WParam = 0;
        if (G->ValidateCell(T)) {
            if (!self) return;
            SetText(G->FNewCellText);
            G->HideInplaceEdit();
            if (G->Options().Contains(goTabs)) G->EditorTabToNextCell(shift ? TShiftState(ssShift) : TShiftState());
            else PostMessage(G, WM_KEYDOWN, VK_TAB, 0);
        } else if (self) {
            RestoreRejected(saved);
        }
        return;
    }
    if (G->Navigation()->CursorWalkEditor() && shift &&
        ((key == VK_LEFT && SelStart() == 0) || (key == VK_RIGHT && SelStart() == T.length()))) {
        if (G->FValidating) G->SetCurrentCell(T);
        if (G->ValidateCell(T)) {
            if (!self) return;
            SetText(G->FNewCellText);
            G->HideInplaceEdit();
            if (G->CanFocus()) G->SetFocus();
        } else if (self) {
            RestoreRejected(saved);
            Invalidate();
        }
        Message.WParam = 0;
        return;
    }
    if ((key == VK_UP && FirstLine()) || (key == VK_DOWN && LastLine())) {
        if (G->FValidating) G->SetCurrentCell(T);
        if (!G->ValidateCell(T)) {
            if (self) {
                RestoreRejected(saved);
                Invalidate();
            }
            Message.WParam = 0;
            return;
        }
        if (!self) return;
        SetText(G->FNewCellText);
        FValidatedArrow = true;
    }
    if (key == VK_RETURN && !G->Navigation()->LineFeedOnEnter() && !ctrl) {
        if (!G->ValidateCell(T)) {
            if (self) RestoreRejected(saved);
            Message.WParam = 0;
            return;
        }
        if (!self) return;
        SetText(G->FNewCellText);
    }
    if (key == VK_HOME && !ctrl && !shift) {
        SetSelStart(0);
        SetSelLength(0);
        Message.WParam = 0;
        return;
    }
    if (key == VK_END && !ctrl && !shift) {
        SetSelStart(Text().length());
        SetSelLength(0);
        Message.WParam = 0;
        return;
    }
    if (key == VK_RETURN && ctrl && G->Navigation()->LineFeedOnEnter()) {
        // The key-press step with Enter types the line break.
        QChar cr(u'\r');
        KeyPress(cr);
        TMessage lf{};
        lf.Msg = WM_CHAR;
        lf.WParam = 13;
        if (self) DefaultHandler(lf);
        Message.WParam = 0;
        return;
    }
    if (key == VK_RETURN && !ctrl && G->Navigation()->LineFeedOnEnter()) {
        // Enter stays with the editor: its character types the line break.
        DefaultHandler(Message);
        return;
    }
    const bool validated = FValidatedArrow;
    TInplaceEdit::WndProc(Message);
    if (self && validated && G->MouseActions()->DisjunctRowSelect()) {
        G->ClearRowSelect();
        G->SetRowSelect(G->Row(), true);
    }
}

void TKvInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    FSelKeyDown = SelStart();
    if (Key == VK_BACK || Key == VK_DELETE) {
        Workmode = false;
    } else if ((Key == VK_UP && !FirstLine()) || (Key == VK_DOWN && !LastLine())) {
        return;
    } else if (Key == VK_RETURN) {
        if (FGrid && !FGrid->Navigation()->AllowCtrlEnter() && (FGrid->WordWrap() || FGrid->MultilineCells))
            FGrid->FEditing = false;
        if (FGrid && (Shift.Contains(ssCtrl) || Shift.Contains(ssShift)) && FGrid->SizeWhileTyping()->Height() &&
            FGrid->MultilineCells)
            FGrid->EditorSizeWhileTyping(Text(), true);
    } else {
        Workmode = true;
    }
    if (FGrid) FGrid->InplaceEditKeyDown(Key, Shift);
    if (Key == 0) return;
    if (Key == VK_ESCAPE && FGrid) {
        // Escape was handled in the key message: the editor is closed already.
        Key = 0;
        return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TKvInplaceEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    TKvStringGrid* G = FGrid;
    if (!G) {
        TInplaceEdit::KeyUp(Key, Shift);
        return;
    }
    const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    QPointer<TKvInplaceEdit> self(this);
    if (Key == VK_LEFT && SelLength() == 0 && SelStart() == 0 && FSelKeyDown == 0 && plain &&
        G->Navigation()->CursorWalkEditor()) {
        Key = 0;
        if (G->Col() > G->FixedCols() && G->HasClickControl(G->RealColIndex(G->Col() - 1), G->Row())) {
            if (G->ValidateCell(Text())) {
                G->HideInplaceEdit();
                G->SetCol(G->Col() - 1);
            }
            return;
        }
        if (G->ValidateCell(Text())) G->HideInplaceEdit();
        const TAdvanceDirection dir = G->Navigation()->AdvanceDirection();
        G->Navigation()->SetAdvanceDirection(adLeftRight);
        G->EditorAdvanceToNextCell(G->Col(), G->Row(), false, false, false, false, true);
        G->Navigation()->SetAdvanceDirection(dir);
        if (G->Navigation()->CursorWalkAlwaysEdit()) {
            WORD enter = VK_RETURN;
            G->Perform(WM_KEYUP, enter, 0);
        } else {
            G->HideInplaceEdit();
        }
        return;
    }
    if (Key == VK_RIGHT && SelLength() == 0 && Text().length() == FOldSelStart && Shift.Empty() &&
        G->Navigation()->CursorWalkEditor()) {
        Key = 0;
        const TPoint span = G->CellSpan(G->RealColIndex(G->Col()), G->Row());
        const int next = G->Col() + span.X + 1;
        if (G->Col() < G->ColCount() - G->FixedRightCols() - 1 && next < G->ColCount() &&
            G->HasClickControl(G->RealColIndex(next), G->Row())) {
            if (G->ValidateCell(Text())) {
                G->HideInplaceEdit();
                G->SetCol(next);
            }
            return;
        }
        const TAdvanceDirection dir = G->Navigation()->AdvanceDirection();
        G->Navigation()->SetAdvanceDirection(adLeftRight);
        G->EditorAdvanceToNextCell(G->Col(), G->Row(), false, false, true, false, true);
        G->Navigation()->SetAdvanceDirection(dir);
        if (G->Navigation()->CursorWalkAlwaysEdit()) G->Perform(WM_KEYUP, VK_RETURN, 0);
        else G->HideInplaceEdit();
        return;
    }
    if (Key == VK_LEFT || Key == VK_RIGHT) return;
    TInplaceEdit::KeyUp(Key, Shift);
    if (!self) return;
    DoLookup();
    if (G->SizeWhileTyping()->Width() || (G->SizeWhileTyping()->Height() && G->WordWrap()))
        G->EditorSizeWhileTyping(Text(), false);
}

void TKvInplaceEdit::KeyPress(QChar& Key)
{
    TKvStringGrid* G = FGrid;
    if (G && Key.unicode() == 13 && !G->Navigation()->LineFeedOnEnter()) {
        QPointer<TKvInplaceEdit> self(this);
        if (!G->ValidateCell(Text())) {
            if (self) SetText(G->GetCurrentCell());
            Key = QChar();
            return;
        }
        if (!self) return;
    }
    TInplaceEdit::KeyPress(Key);
    if (G && !Key.isNull() && G->Navigation()->AdvanceAuto() && IsMasked() && !Text().contains(u' ') &&
        SelStart() == Text().length()) {
        QChar enter(u'\r');
        G->Perform(WM_CHAR, enter.unicode(), 0);
    }
}

// ============================================================ lookup

void TKvInplaceEdit::DoLookup()
{
    TKvStringGrid* G = FGrid;
    if (!G || !Workmode || SelLength() != 0) return;
    const QString typed = Text().left(SelStart());
    const QString done = LookupCompletion(G, typed);
    if (done.isEmpty()) return;
    G->FNoEditChange = false;
    SetText(done);
    Perform(EM_SETSEL, WPARAM(typed.length()), LPARAM(done.length()));
    GotKey = false;
}

// ============================================================ clipboard

void TKvInplaceEdit::WMPaste(TMessage& Message)
{
    (void)Message;
    TKvStringGrid* G = FGrid;
    bool allow = Clipboard()->HasFormat(CF_TEXT);
    QString T = Clipboard()->AsText();
    if (G->OnClipboardPaste) G->OnClipboardPaste(this, allow);
    if (allow && G->OnClipboardBeforePasteCell) G->OnClipboardBeforePasteCell(this, G->Col(), G->Row(), T, allow);
    if (!allow || (FLengthLimit >= 1 && T.length() > FLengthLimit)) return;
    const int crlf = T.indexOf(QStringLiteral("\r\n"));
    if (crlf >= 0 && crlf == T.length() - 2) T.chop(2);
    const QString text = Text();
    const int start = SelStart(), len = SelLength();
    const QString next = text.left(start) + T + text.mid(start + len);
    const bool replaced = len > 0;
    if (FLengthLimit < 1 || next.length() <= FLengthLimit) {
        const int cls = ClassifyNumberText(next);
        QString v = text;
        switch (G->EditControl) {
        case edNumeric:
        case edPositiveNumeric:
            if (cls == 0 && !(G->EditControl == edPositiveNumeric && next.contains(u'-'))) v = next;
            break;
        case edFloat:
        case edPositiveFloat:
            if ((cls == 0 || cls == 1) && !(G->EditControl == edPositiveFloat && next.contains(u'-'))) v = next;
            break;
        case edMixedCase: v = ToMixedCase(next); break;
        case edCapital:
        case edUpperCase: v = next.toUpper(); break;
        case edLowerCase: v = next.toLower(); break;
        case edValidChars: {
            bool ok = true;
            for (QChar c : next) ok = ok && PassesValidChars(G, c);
            if (ok) v = next;
            break;
        }
        default: v = next; break;
        }
        if (v != text) SetText(v);
    }
    G->SetCurrentCellText(Text());
    if (replaced) {
        SetSelStart(start);
        SetSelLength(T.length());
    } else {
        SetSelStart(std::min<int>(start + T.length(), Text().length()));
        SetSelLength(0);
    }
    if (G->OnClipboardAfterPasteCell) G->OnClipboardAfterPasteCell(this, G->Col(), G->Row(), Text());
}

// ============================================================ focus

void TKvInplaceEdit::WMSetFocus(TMessage& Message)
{
    TInplaceEdit::WndProc(Message);
    TKvStringGrid* G = FGrid;
    if (!G) return;
    FGotFocus = true;
    G->FNoEditChange = false;
    FLengthLimit = G->GetEditLimit();
    SetMaxLength(FLengthLimit);
    if (IsMasked() && !G->LButFlg && G->Navigation()->ImproveMaskSel()) {
        SetSelStart(0);
        SetSelLength(1);
        return;
    }
    if (!G->Navigation()->EditSelectAll()) {
        SetSelStart(Text().length());
        SetSelLength(0);
    }
    if (G->LButFlg) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        if (rect().contains(p)) {
            const int pos = int(Perform(EM_CHARFROMPOS, 0, MAKELPARAM(unsigned(p.x()), unsigned(p.y()))));
            if (pos != -1) {
                SetSelStart(pos);
                SetSelLength(0);
            }
            G->LButFlg = false;
        }
    }
}

void TKvInplaceEdit::WMKillFocus(TMessage& Message)
{
    TKvStringGrid* G = FGrid;
    if (!G) {
        TInplaceEdit::WndProc(Message);
        return;
    }
    QPointer<TKvInplaceEdit> self(this);
    G->FStartEditChar = QChar();
    if (G->LookupHistory && G->LookupItems()->IndexOf(Text()) < 0) G->LookupItems()->Add(Text());
    G->FormulaEditing(false);
    TInplaceEdit::WndProc(Message);
    if (FAltBack) return;
    auto* gaining = reinterpret_cast<TWinControl*>(Message.WParam);
    if (gaining != G) {
        auto close = qScopeGuard([&] {
            G->HideInplaceEdit();
            G->FEditing = false;
            G->EditMode = false;
            G->SelectCell(FColE, FRowE);
        });
        G->ValidateCell(Text());
        if (self) SetText(G->GetCurrentCell());
    }
    if (!self) return;
    G->FNoEditChange = true;
    SetText(G->GetCurrentCell());
    G->FNoEditChange = false;
    G->InplaceEditChange(Text(), TPoint(-1, -1), -1);
    if (FGotFocus) {
        FGotFocus = false;
        G->PostEditDone(WPARAM(G->RealColIndex(FColE)), LPARAM(FRowE));
    }
}

// ============================================================ window procedure

void TKvInplaceEdit::WndProc(TMessage& Message)
{
    if (!FGrid) {
        TInplaceEdit::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_CHAR: WMChar(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_KEYUP: {
        TInplaceEdit::WndProc(Message);
        const int caret = SelStart();
        if (caret > 0) {
            const LRESULT pos = Perform(EM_POSFROMCHAR, WPARAM(caret - 1), 0);
            FGrid->InplaceEditChange(Text(), TPoint(int16_t(pos & 0xFFFF), int16_t((pos >> 16) & 0xFFFF)), caret);
        }
        FGrid->FormulaEditing(Text().startsWith(u'='));
        return;
    }
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_PASTE: WMPaste(Message); return;
    case WM_CUT:
    case WM_COPY: {
        bool allow = true;
        auto& ev = Message.Msg == WM_CUT ? FGrid->OnClipboardCut : FGrid->OnClipboardCopy;
        if (ev) ev(this, allow);
        if (allow) TInplaceEdit::WndProc(Message);
        return;
    }
    case WM_LBUTTONDBLCLK:
        // A double click on the open editor is a double click on its cell.
        TInplaceEdit::WndProc(Message);
        if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
        return;
    case CM_WANTSPECIALKEY:
        TInplaceEdit::WndProc(Message);
        if (Message.WParam == VK_TAB && FGrid->EditorWantsTab()) Message.Result = 1;
        return;
    case WM_SYSKEYDOWN:
        if (Message.WParam == VK_BACK) FAltBack = true;
        break;
    case WM_SYSKEYUP:
        if (Message.WParam == VK_BACK) FAltBack = false;
        break;
    default:
        break;
    }
    TInplaceEdit::WndProc(Message);
}

#include "grid_input/ksg_spin_edit.h"

#include "grid/theme_services.h"
#include "grid_input/edit_button_layout.h"
#include "platform/ui/drawing.h"
#include "platform/ui/messages.h"
#include "platform/ui/spin_glyphs.h"

// ---------------------------------------------------------------- arrow button
TKvTimerSpeedButton::TKvTimerSpeedButton(TKsgSpinButton* Pair) : TRepeatSpeedButton(Pair), FPair(Pair)
{
    SetTimeBtnState(tbAllowTimer);
}

void TKvTimerSpeedButton::SetTimeBtnState(TTimeBtnState v)
{
    FTimeBtnState = v;
    SetAllowRepeat(v & tbAllowTimer);
    Invalidate();
}

void TKvTimerSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    const bool pressed = FPressed || FDown;
    if (FPair && FPair->ButtonColor != clNone) {
        const TColor col = pressed ? FPair->ButtonColorDown : FHot ? FPair->ButtonColorHot : FPair->ButtonColor;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(col);
        c->Pen()->SetColor(col);
        c->Rectangle(r);
        const int L = r.Left, T = r.Top;
        std::vector<TPoint> pts;
        switch (FButtonDirection) {
        case bdLeft: pts = {{L + 5, T + 5}, {L + 3, T + 7}, {L + 5, T + 9}}; break;
        case bdRight: pts = {{L + 3, T + 5}, {L + 5, T + 7}, {L + 3, T + 9}}; break;
        case bdUp: pts = {{L + 4, T + 4}, {L + 8, T + 4}, {L + 6, T + 2}}; break;
        case bdDown: pts = {{L + 4, T + 2}, {L + 8, T + 2}, {L + 6, T + 4}}; break;
        }
        c->Brush()->SetColor(clBlack);
        c->Pen()->SetColor(clBlack);
        c->Polygon(pts);
        return;
    }
    if (FIsWinXP) {
        if (HTHEME theme = OpenThemeData(FPair, QStringLiteral("spin"))) {
            const int part = FButtonDirection == bdUp ? 1 : FButtonDirection == bdDown ? 2 : FButtonDirection == bdRight ? 3 : 4;
            const int state = pressed ? 3 : FHot ? 2 : 1;
            DrawThemeBackground(theme, c, part, state, r);
            CloseThemeData(theme);
            return;
        }
    }
    if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
        TRect fr = r;
        unsigned st = FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
        if (pressed) st |= DFCS_PUSHED;
        if (FFlat) st |= DFCS_FLAT;
        DrawFrameControl(c, fr, DFC_SCROLL, st);
        return;
    }
    TRepeatSpeedButton::Paint();
}

// ---------------------------------------------------------------- arrow pair
TKsgSpinButton::TKsgSpinButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle |= csOpaque;
    FUpButton = new TKvTimerSpeedButton(this);
    FDownButton = new TKvTimerSpeedButton(this);
    for (TKvTimerSpeedButton* b : {FUpButton, FDownButton}) {
        b->SetParent(this);
        b->OnClick = [this](TObject* s) { BtnClick(s); };
        b->OnMouseDown = [this](TObject* s, TMouseButton mb, TShiftState, int, int) { BtnMouseDown(s, mb); };
    }
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
    FFocusedButton = FUpButton;
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    SetBounds(0, 0, 15, 25);
}

void TKsgSpinButton::SetUpGlyph(const TBitmap* Glyph)
{
    RegisterSpinGlyphs();
    if (Glyph) FUpButton->Glyph()->Assign(*Glyph);
    else FUpButton->Glyph()->SetImage(ResourceImage(QStringLiteral("KsgSpinUp")));
    FUpButton->Invalidate();
}

void TKsgSpinButton::SetDownGlyph(const TBitmap* Glyph)
{
    RegisterSpinGlyphs();
    if (Glyph) FDownButton->Glyph()->Assign(*Glyph);
    else FDownButton->Glyph()->SetImage(ResourceImage(QStringLiteral("KsgSpinDown")));
    FDownButton->Invalidate();
}

void TKsgSpinButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FUpButton->SetIsWinXP(v);
    FDownButton->SetIsWinXP(v);
}

void TKsgSpinButton::SetFocusControl(TWinControl* c)
{
    FFocusControl = c;
    if (c) c->FreeNotification(this);
}

void TKsgSpinButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TKsgSpinButton::SetDirection(TSpinDirection v)
{
    if (v == FDirection) return;
    FDirection = v;
    if (v == spVertical) {
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
        SetWidth(15);
    } else {
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
        SetWidth(20);
    }
    int w = FWidth, h = FHeight;
    AdjustButtons(w, h);
}

void TKsgSpinButton::AdjustButtons(int& W, int& H)
{
    if (!FUpButton || !FDownButton || IsLoading()) return;
    if (FDirection == spVertical) {
        W = std::max(W, 15);
        const int upH = H / 2;
        FUpButton->SetBounds(0, 0, W, upH);
        FDownButton->SetBounds(0, upH - 1, W, H - upH + 1);
    } else {
        W = std::max(W, 20);
        FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
        FDownButton->SetBounds(0, 0, W / 2, H);
    }
}

void TKsgSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    int w = AWidth, h = AHeight;
    AdjustButtons(w, h);
    TWinControl::SetBounds(ALeft, ATop, w, h);
}

void TKsgSpinButton::BtnClick(TObject* Sender)
{
    if (Sender == FUpButton) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TKsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button)
{
    if (Button != mbLeft) return;
    SetFocusBtn(static_cast<TKvTimerSpeedButton*>(static_cast<TControl*>(Sender)));
    FocusAfterButton(this, FFocusControl);
}

void TKsgSpinButton::SetFocusBtn(TKvTimerSpeedButton* Btn)
{
    if (!FTabStop || !CanFocus() || Btn == FFocusedButton) return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
    FFocusedButton = Btn;
    if (Focused()) FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
}

void TKsgSpinButton::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS;
        return;
    }
    TWinControl::WndProc(m);
}

void TKsgSpinButton::KeyDown(WORD& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP: SetFocusBtn(FUpButton); FUpButton->Click(); break;
    case VK_DOWN: SetFocusBtn(FDownButton); FDownButton->Click(); break;
    default: break;
    }
    TWinControl::KeyDown(Key, Shift);
}

void TKsgSpinButton::DoEnter()
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
    TWinControl::DoEnter();
}

void TKsgSpinButton::DoExit()
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
    TWinControl::DoExit();
}

// ---------------------------------------------------------------- spin edit
TKsgSpinEdit::TKsgSpinEdit(TComponent* AOwner) : TMaskEdit(AOwner)
{
    FControlStyle &= ~unsigned(csSetCaption);
    FButton = new TKsgSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject*) { UpButtonClick(); };
    FButton->OnDownClick = [this](TObject*) { DownButtonClick(); };
    SetEditBorderStyle(bsSingle);
    SetText(QStringLiteral("0"));
    Resize();
}

void TKsgSpinEdit::UpButtonClick() { UpClick(false); }
void TKsgSpinEdit::DownButtonClick() { DownClick(false); }

void TKsgSpinEdit::SetSpinSel(int Start, int Length)
{
    SetSelStart(Start);
    SetSelLength(Length);
}

void TKsgSpinEdit::SetDirection(TSpinDirection v)
{
    FDirection = v;
    FButton->SetDirection(v);
    SetWidth(FWidth + 1);
    SetWidth(FWidth - 1);
}

void TKsgSpinEdit::SetEditAlign(TEditAlign v)
{
    FEditAlign = v;
    SetAlignment(v == eaRight ? taRightJustify : v == eaCenter ? taCenter : taLeftJustify);
}

void TKsgSpinEdit::SetSpinFlat(bool v)
{
    FButton->UpButton()->SetFlat(v);
    FButton->DownButton()->SetFlat(v);
    FSpinFlat = v;
}

void TKsgSpinEdit::SetSpinTransparent(bool v)
{
    for (TKvTimerSpeedButton* b : {FButton->UpButton(), FButton->DownButton()}) {
        const unsigned st = b->ControlStyle();
        b->SetControlStyle(v ? st & ~unsigned(csOpaque) : st | csOpaque);
        b->Invalidate();
    }
    FSpinTransparent = v;
    SetWidth(FWidth + 1);
    SetWidth(FWidth - 1);
}

void TKsgSpinEdit::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->SetIsWinXP(v);
}

void TKsgSpinEdit::SetBorderStyle(TBorderStyle b)
{
    FEditBorder = b;
    SetEditBorderStyle(b);
    Resize();
}

int TKsgSpinEdit::GetMinHeight() const
{
    int fontH = 0, i = 0;
    EditFontHeights(Font(), fontH, i);
    int h = fontH + i / 4 + 2;
    if (FEditBorder == bsSingle) h += 4 * GetSystemMetrics(SM_CYBORDER);
    return h;
}

void TKsgSpinEdit::Resize()
{
    TMaskEdit::Resize();
    if (FButton && FitEditButton(this, FButton, GetMinHeight(), FEditBorder, FCtl3D)) SetEditRect();
}

void TKsgSpinEdit::SetEditRect()
{
    const int m = FEditBorder == bsNone ? 3 : 0;
    const int clientW = FWidth - 2 * EditFrameWidth(FEditBorder);
    SetEditTextRect(this, FEditBorder, m, m, clientW - FButton->Width() - 2 - m);
}

void TKsgSpinEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_KEYDOWN:
        switch (WORD(m.WParam)) {
        case VK_UP: UpClick(false); return;
        case VK_DOWN: DownClick(false); return;
        case VK_PRIOR: UpClick(true); return;
        case VK_NEXT: DownClick(true); return;
        case VK_TAB:
            // Our own posted Tab (Return as Tab): the form moves the focus.
            if (TCustomForm* f = GetParentForm()) {
                f->Perform(CM_DIALOGKEY, VK_TAB, 0);
                return;
            }
            break;
        default: break;
        }
        break;
    case WM_CHAR:
        // The keypad's decimal key (scan code 0x53) types the locale's separator.
        if (FExcelStyleDecimalSeparator && m.WParam == '.' && (m.LParam & (1 << 22)))
            m.WParam = FormatSettings().DecimalSeparator.unicode();
        break;
    case WM_PASTE:
    case WM_CUT:
        if (!FEditorEnabled || ReadOnly()) return;
        break;
    default: break;
    }
    TMaskEdit::WndProc(m);
}

void TKsgSpinEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
    TMaskEdit::KeyDown(Key, Shift);
}

void TKsgSpinEdit::KeyPress(QChar& Key)
{
    if (!IsValidChar(Key)) {
        Key = QChar();
        Beep();
    }
    if (!Key.isNull()) TMaskEdit::KeyPress(Key);
}

void TKsgSpinEdit::DoEnter()
{
    // Queued: the line edit sets its own selection when it takes the focus.
    if (AutoSelect() && (GetKeyState(VK_LBUTTON) >= 0 || !FEditorEnabled)) PostMessage(this, EM_SETSEL, 0, -1);
    TMaskEdit::DoEnter();
}

void TKsgSpinEdit::DoExit()
{
    TMaskEdit::DoExit();
    ClampOnExit();
}

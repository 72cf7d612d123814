// The drop-down edit: construction, popup life cycle and placement, keys,
// text, button placement, frame, focus painting and the attached label.
#include "dropdown/kv_dropdown.h"

#include "dropdown/dropdown_draw.h"
#include "dropdown/kv_button.h"
#include "grid/theme_services.h"
#include "platform/core/datetime.h"
#include "platform/ui/drawing.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

TKvCustomDropDown::TKvCustomDropDown(TComponent* AOwner) : TMaskEdit(AOwner)
{
    SetBounds(Left(), Top(), 200, 21);
    FButtonWidth = 17;
    if (!(ComponentState() & csDesigning)) TKvCustomDropDown::CreateDropDownForm();
    TKvCustomDropDown::CreateDropDownButton();
    FControlStyle &= ~unsigned(csSetCaption);
    SetReadOnly(false);
    FDropPosition = dpAuto;
    SetTextBuf(QString());
    FOldText.clear();
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
    FDropDownEnabled = false;
    FDropDownHeader = new THeaderAppearance(this);
    FDropDownHeader->OnChange = [this](TObject*) { PanelAppearanceChanged(); };
    FDropDownHeader->OnButtonsChanged = [this](TObject*) { PanelAppearanceChanged(); };
    FDropDownFooter = new TFooterAppearance(this);
    FDropDownFooter->OnChange = [this](TObject*) { PanelAppearanceChanged(); };
    FDropDownFooter->OnButtonsChanged = [this](TObject*) { PanelAppearanceChanged(); };
    FButtonAppearance = new TKvButtonAppearance();
    FDefaultHandling = true;
    FIsWinXP = ThemeProfile().WinXPOrLater;
    FIsThemed = ThemeProfile().ComCtlMajorVersion > 5;
    FCanUndo = true;
    FAutoThousandSeparator = true;
    TKvCustomDropDown::SetSelectionColorStyle(scOffice2007);
    FFocusDraw = true;
    TKvCustomDropDown::SetComponentStyle(tsOffice2007Luna);
    FLabelFont.OnChange = [this] { if (FLabel) UpdateLabel(); };
    SetPaintOver(true);
}

TKvCustomDropDown::~TKvCustomDropDown()
{
    FComponentState |= csDestroying;
    FLabelFont.OnChange = nullptr;
    delete FButton;
    FButton = nullptr;
    delete FDropDownForm.data();
    delete FDropDownHeader;
    FDropDownHeader = nullptr;
    delete FDropDownFooter;
    FDropDownFooter = nullptr;
    delete FButtonAppearance;
    FButtonAppearance = nullptr;
}

void TKvCustomDropDown::PanelAppearanceChanged()
{
    if (FDroppedDown && FDropDownForm) FDropDownForm->InitializeAndUpdate();
}

void TKvCustomDropDown::ConstructOverrides()
{
    CreateDropDownForm();
    SetSelectionColorStyle(FSelectionColorStyle);
    SetComponentStyle(FRUZStyle);
}

QString TKvCustomDropDown::Version() const
{
    const quint32 v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

// ---------------------------------------------------------------- window
void TKvCustomDropDown::CreateParams(TCreateParams& p)
{
    TMaskEdit::CreateParams(p);
    p.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TKvCustomDropDown::CreateWnd()
{
    TMaskEdit::CreateWnd();
    SetEditRect();
}

// ---------------------------------------------------------------- virtual operations
void TKvCustomDropDown::DoLabelClick() { if (OnLabelClick) OnLabelClick(this); }
void TKvCustomDropDown::DoLabelDblClick() { if (OnLabelDblClick) OnLabelDblClick(this); }

void TKvCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm) return;
    TDropDownForm* f = TDropDownForm::CreateNew(this);
    f->SetKvDropDown(this);
    f->SetBorderStyle(bsNone);
    f->SetVisible(false);
    f->SetBounds(f->Left(), f->Top(), FDropDownWidth, FDropDownHeight);
    f->OnClose = [](TObject*, TCloseAction&) {};
    f->OnHide = [this](TObject*) { if (!IsDestroying()) AfterDropUp(); };
    f->OnKeyPress = [this](TObject*, QChar& k) { DropDownFormKeyPress(k); };
    f->OnKeyDown = [this](TObject*, WORD& k, TShiftState s) { DropDownFormKeyDown(k, s); };
    f->OnKeyUp = [this](TObject*, WORD& k, TShiftState s) { DropDownFormKeyUp(k, s); };
    f->OnMouseWheelDown = [this](TObject*, TShiftState s, TPoint p, bool&) { DropDownFormWheelDown(s, p); };
    f->OnMouseWheelUp = [this](TObject*, TShiftState s, TPoint p, bool&) { DropDownFormWheelUp(s, p); };
    f->OnDestroy = [this](TObject*) { if (!IsDestroying()) DropDownFormDestroy(); };
    f->OnSizing = [this](TObject*) { DropDownFormSizing(); };
    FDropDownForm = f;
}

void TKvCustomDropDown::CreateDropDownButton()
{
    if (FButton) return;
    FButton = new TDropDownEditButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [this](TObject*) { ButtonPressed(); };
    UpdateDropDownButton();
}

void TKvCustomDropDown::UpdateDropDownButton()
{
    if (!FButton) return;
    FButton->SetBWidth(FButtonWidth);
    FButton->SetBounds(FButton->Left(), FButton->Top(), FButtonWidth, 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

void TKvCustomDropDown::BeforeDropDown() { if (OnBeforeDropDown) OnBeforeDropDown(this); }

void TKvCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

void TKvCustomDropDown::SetControl(TControl* Value)
{
    FControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TKvCustomDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm) return;
    const bool content = FControl && FControl->Visible();
    const int w = FDropDownWidth > 0 ? FDropDownWidth : content ? FControl->Width() : Width();
    const int h = FDropDownHeight > 0 ? FDropDownHeight
                                      : 2 * FDropDownBorderWidth + HeaderPanelHeight() + FooterPanelHeight()
                                            + (content ? FControl->Height() : 0);
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), w, h);
}

void TKvCustomDropDown::PlaceDropDownControl()
{
    if (!FDropDownForm || !FControl) return;
    FControl->SetParent(FDropDownForm);
    const int header = HeaderPanelHeight();
    FControl->SetTop(header > 0 ? header + 2 : FDropDownBorderWidth);
    FControl->SetAlign(alClient);
}

void TKvCustomDropDown::DoShowDropDown()
{
    if ((ComponentState() & csDesigning) || !FDropDownForm || FDropDownForm->isVisible() || !Enabled() || ReadOnly())
        return;
    TDropDownForm* f = FDropDownForm;
    // The popup's owner window is the editor's form as it is now.
    if (f->HandleAllocated() && f->OwnerWindow() != GetParentForm()) f->RecreateWnd();
    BeforeDropDown();
    if (!FDropDownForm) return;
    f->SetShadow(FDropDownShadow);
    f->InitializeAndUpdate();
    f->HandleNeeded();
    const unsigned cs = GetClassLong(f, GCL_STYLE);
    SetClassLong(f, GCL_STYLE, f->Shadow() ? cs | CS_DROPSHADOW : cs & ~unsigned(CS_DROPSHADOW));
    f->SetBounds(Left(), Top(), f->Width(), f->Height());
    UpdateDropDownSize();
    PlaceDropDownControl();
    f->SetMinSize(80, 50);
    if (auto* wc = dynamic_cast<TWinControl*>(FControl.data())) {
        wc->OnKeyDown = [this](TObject*, WORD& k, TShiftState s) { ControlKeyDown(k, s); };
        wc->OnKeyPress = [this](TObject*, QChar& k) { ControlKeyPress(k); };
        wc->OnKeyUp = [this](TObject*, WORD& k, TShiftState s) { ControlKeyUp(k, s); };
    }
    const TPoint anchor = Parent() ? Parent()->ClientToScreen(TPoint(Left(), Top())) : ClientToScreen(TPoint(0, 0));
    const int fh = f->Height();
    int x = anchor.X, y = anchor.Y;
    switch (FDropPosition) {
    case dpAuto: y = anchor.Y + fh < GetSystemMetrics(SM_CYSCREEN) ? anchor.Y + Height() - 1 : anchor.Y - fh; break;
    case dpDown: y = anchor.Y + Height() - 1; break;
    case dpUp: y = anchor.Y - fh; break;
    }
    f->SetBounds(x, y, f->Width(), f->Height());
    bool accept = true;
    if (OnDropDown) OnDropDown(this, accept);
    if (!accept) return;
    TRect work(-1, -1, -1, -1);
    TMonitorInfo mi;
    if (HMONITOR mon = MonitorFromPoint(anchor, MONITOR_DEFAULTTONEAREST); mon && GetMonitorInfo(mon, &mi)) work = mi.rcWork;
    else SystemParametersInfo(SPI_GETWORKAREA, 0, &work);
    if (work.Left >= 0 && f->Left() + f->Width() > work.Right && f->Left() < work.Right)
        f->SetBounds(work.Right - f->Width(), f->Top(), f->Width(), f->Height());
    x = f->Left();
    y = f->Top();
    if (FUserDropDownWidth != -1) f->SetBounds(x, y, FUserDropDownWidth, f->Height());
    if (FUserDropDownHeight != -1) f->SetBounds(x, y, f->Width(), FUserDropDownHeight);
    const int w = f->Width();
    int h = f->Height();
    f->SetBounds(x, y, 0, 0);
    f->Show();
    if (FDropDownShadow && FForceShadow) {
        f->Hide();
        FDroppedDown = true; // the hide above is part of opening, not a close
        f->SetBounds(x, y, 1, 1);
        f->Show();
    }
    AdjustDropDownHeight(h);
    FDroppedDown = true;
    SetWindowPos(f, HWND_TOPMOST(), x, y, w, h, 0);
    FocusDropDownControl();
}

void TKvCustomDropDown::DoHideDropDown(bool Cancelled)
{
    if ((ComponentState() & csDesigning) || !FDropDownForm || !FDropDownForm->isVisible()) return;
    if (OnBeforeDropUp) OnBeforeDropUp(this);
    FUserDropDownWidth = FDropDownForm->Width();
    FUserDropDownHeight = FDropDownForm->Height();
    FDropDownForm->Hide();
    Application->CancelHint();
    if (Cancelled) SetText(FOldText);
    if (OnDropUp) OnDropUp(this, Cancelled);
}

void TKvCustomDropDown::AfterDropUp()
{
    FDroppedDown = false;
    if (TabStop() && CanFocus() && !Focused() && !IsDestroying()) SetFocus();
}

void TKvCustomDropDown::DropDownFormWheelDown(TShiftState, TPoint) { HandleMouseWheelDown(); }
void TKvCustomDropDown::DropDownFormWheelUp(TShiftState, TPoint) { HandleMouseWheelUp(); }
void TKvCustomDropDown::DropDownFormKeyPress(QChar& Key) { SendMessage(this, WM_CHAR, Key.unicode(), 0); }
void TKvCustomDropDown::DropDownFormKeyDown(WORD& Key, TShiftState) { SendMessage(this, WM_KEYDOWN, Key, 0); }
void TKvCustomDropDown::DropDownFormKeyUp(WORD& Key, TShiftState) { SendMessage(this, WM_KEYUP, Key, 0); }

bool TKvCustomDropDown::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool r = TMaskEdit::DoMouseWheelDown(Shift, MousePos);
    HandleMouseWheelDown();
    return r;
}

bool TKvCustomDropDown::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool r = TMaskEdit::DoMouseWheelUp(Shift, MousePos);
    HandleMouseWheelUp();
    return r;
}

void TKvCustomDropDown::ButtonPressed()
{
    if ((ComponentState() & csDesigning) || !FDropDownForm || FDropDownForm->isVisible()) return;
    if (GetTickCount() - FDropDownForm->DeActivateTime() > 250) DoShowDropDown();
}

// ---------------------------------------------------------------- text
QString TKvCustomDropDown::GetText() const
{
    QString s = TMaskEdit::GetText();
    if (!FPrefix.isEmpty() && s.startsWith(FPrefix)) s.remove(0, FPrefix.size());
    if (!FSuffix.isEmpty() && s.size() >= FSuffix.size()) s.chop(FSuffix.size());
    return s;
}

void TKvCustomDropDown::SetTextDirect(const QString& Value) { SetTextBuf(Value); }

void TKvCustomDropDown::SetEditorEnabled(bool Value)
{
    FEditorEnabled = Value;
    if (Value) FControlStyle |= csDoubleClicks;
    else FControlStyle &= ~unsigned(csDoubleClicks);
    InvalidatePaintOver();
}

// ---------------------------------------------------------------- setters
void TKvCustomDropDown::SetDropDownWidth(int Value)
{
    if (Value == FDropDownWidth) return;
    FDropDownWidth = Value;
    FUserDropDownWidth = -1;
}

void TKvCustomDropDown::SetDropDownHeight(int Value)
{
    if (Value == FDropDownHeight) return;
    FDropDownHeight = Value;
    FUserDropDownHeight = -1;
}

void TKvCustomDropDown::SetDropDownButtonWidth(int Value)
{
    if (!FButton || Value == FButtonWidth) return;
    FButtonWidth = Value;
    FButton->SetBWidth(Value);
    if (FButton->HandleAllocated()) UpdateButtonBounds();
}

void TKvCustomDropDown::SetDropDownButtonHint(const QString& Value)
{
    if (Value == FButtonHint) return;
    FButtonHint = Value;
    if (!FButton) return;
    FButton->SetHint(Value);
    FButton->SetShowHint(!Value.isEmpty());
}

void TKvCustomDropDown::SetButtonAppearance(const TKvButtonAppearance* Value)
{
    if (Value && FButtonAppearance) FButtonAppearance->Assign(Value);
}

void TKvCustomDropDown::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TKvCustomDropDown*>(Source);
    if (!s) return;
    FFocusDraw = s->FFocusDraw;
    FForceShadow = s->FForceShadow;
    FDropDownEnabled = s->FDropDownEnabled;
    FDropDownColor = s->FDropDownColor;
    FDropDownColorTo = s->FDropDownColorTo;
    FDropDownGradient = s->FDropDownGradient;
    FDropDownBorderColor = s->FDropDownBorderColor;
    FDropDownBorderWidth = s->FDropDownBorderWidth;
    FDropDownShadow = s->FDropDownShadow;
    FDropDownWidth = s->FDropDownWidth;
    FDropDownHeight = s->FDropDownHeight;
    FDropDownSizeable = s->FDropDownSizeable;
    FEditType = s->FEditType;
    FReturnIsTab = s->FReturnIsTab;
    FLengthLimit = s->FLengthLimit;
    FPrecision = s->FPrecision;
    FPrefix = s->FPrefix;
    FSuffix = s->FSuffix;
    FDefaultHandling = s->FDefaultHandling;
    FCanUndo = s->FCanUndo;
    FExcelStyleDecimalSeparator = s->FExcelStyleDecimalSeparator;
    FValidChars = s->FValidChars;
    FSigned = s->FSigned;
    FAutoThousandSeparator = s->FAutoThousandSeparator;
    if (FButtonAppearance && s->FButtonAppearance) FButtonAppearance->Assign(s->FButtonAppearance);
    FDropDownHeader->Assign(s->FDropDownHeader);
    FDropDownFooter->Assign(s->FDropDownFooter);
    FDropPosition = s->FDropPosition;
    FFlat = s->FFlat;
    SetDropDownButtonWidth(s->FButtonWidth);
    SetDropDownButtonHint(s->FButtonHint);
    FEditorEnabled = s->FEditorEnabled;
    if (FButton && s->FButton) {
        FButton->SetGlyph(s->FButton->Glyph());
        FButton->SetButtonCaption(s->FButton->ButtonCaption());
    }
    FEtched = s->FEtched;
    FImages = s->FImages;
    SetSelectionColorStyle(s->FSelectionColorStyle);
    FSelectionColor = s->FSelectionColor;
    FSelectionColorTo = s->FSelectionColorTo;
}

void TKvCustomDropDown::Loaded()
{
    TMaskEdit::Loaded();
    FParentFnt = ParentFont();
    SetEditRect();
    UpdateButtonBounds();
    if (FButton) FButton->SetEnabled(Enabled());
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        if (ParentFont()) FLabel->SetFont(*Font());
        UpdateLabel();
    }
}

void TKvCustomDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove || IsDestroying()) return;
    if (AComponent == FControl.data()) SetControl(nullptr);
    if (AComponent == FFocusControl) FFocusControl = nullptr;
}

void TKvCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) UpdateLabel();
}

// ---------------------------------------------------------------- button placement
namespace {
// Width of the frame a classic edit draws outside its client area.
int FrameWidth(const TWinControl* c)
{
    if (c->BorderStyle() == bsNone) return 0;
    return c->Ctl3D() ? 2 : 1;
}
} // namespace

void TKvCustomDropDown::UpdateButtonBounds()
{
    TCanvas probe;
    probe.SetFont(*Font());
    const int th = probe.TextHeight(QStringLiteral("Wg"));
    TFont sys;
    probe.SetFont(sys);
    const int sh = probe.TextHeight(QStringLiteral("Wg"));
    const int minH = th + std::min(th, sh) / 4;
    if (Height() < minH) {
        SetBounds(Left(), Top(), Width(), minH);
        Invalidate();
        return;
    }
    if (FButton) {
        // Our edit has no non-client area: client positions are moved in by the frame.
        const int b = FrameWidth(this);
        int e = BorderStyle() == bsNone ? 2 : 4;
        if (FFlat) e = 3;
        const int c = Ctl3D() ? 0 : 2;
        if (Ctl3D() && BorderStyle() == bsSingle)
            FButton->SetBounds(b + Width() - FButtonWidth - e - c, b + (FFlat ? 2 : 0), FButtonWidth, Height() - e);
        else FButton->SetBounds(b + Width() - FButtonWidth - c, b + 1, FButtonWidth, Height() - 2);
        SetEditRect();
    }
    Invalidate();
}

void TKvCustomDropDown::SetEditRect()
{
    TRect r;
    Perform(EM_GETRECT, 0, LPARAM(&r));
    const int b = FrameWidth(this);
    const int cw = Width() - 2 * b, ch = Height() - 2 * b;
    r.Bottom = b + ch + 1;
    r.Right = b + cw - FButtonWidth - 3;
    if (BorderStyle() != bsNone) { r.Left = b + 1; r.Top = b + 1; }
    else { r.Left = 2; r.Top = 3; }
    FEditRect = r;
    if (!Ctl3D()) ++r.Left;
    Perform(EM_SETRECTNP, 0, LPARAM(&r));
}

// ---------------------------------------------------------------- messages and keys
void TKvCustomDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    TMaskEdit::KeyDown(Key, Shift);
    // Alt+arrow typed in the edit arrives as a system key; keys the popup
    // forwards as plain key messages are handled by the message handler.
    if (FKeyMsg == WM_SYSKEYDOWN && Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown) DoHideDropDown(false);
        else DoShowDropDown();
    }
}

void TKvCustomDropDown::KeyPress(QChar& Key)
{
    TMaskEdit::KeyPress(Key);
    if (Key == QChar(13)) Key = QChar();
}

void TKvCustomDropDown::DoEnter()
{
    if (FPrefix.isEmpty() && FSuffix.isEmpty()) {
        TMaskEdit::DoEnter();
    } else {
        // The edit's own select-all would take in prefix and suffix: select the value only.
        if (AutoSelect() && !(QApplication::mouseButtons() & Qt::LeftButton)) {
            QPointer<TKvCustomDropDown> self = this;
            QMetaObject::invokeMethod(LineEdit(), [self] { if (self) self->SelectAll(); }, Qt::QueuedConnection);
        }
        TWinControl::DoEnter();
    }
    SetEditRect();
}

namespace {
bool KeyIsDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }
} // namespace

void TKvCustomDropDown::HandleWmKeyDown(TMessage& m)
{
    if (ComponentState() & csDesigning) { TMaskEdit::WndProc(m); return; }
    const WORD vk = WORD(m.WParam);
    if (KeyIsDown(VK_MENU) && (vk == VK_UP || vk == VK_DOWN)) {
        if (FDroppedDown) DoHideDropDown(false);
        else DoShowDropDown();
    }
    const bool visible = FDropDownForm && FDropDownForm->isVisible();
    auto closeKeys = [&] {
        if (ReadOnly()) return;
        if (vk == VK_RETURN) DoHideDropDown(false);
        else if (vk == VK_ESCAPE) DoHideDropDown(true);
        else if (vk == VK_F4) {
            if (visible) DoHideDropDown(false);
            else DoShowDropDown();
        }
    };
    if (!FEditorEnabled && Enabled()) {
        closeKeys();
        if (vk == VK_RETURN || vk == VK_ESCAPE) TMaskEdit::WndProc(m);
        else m.WParam = 0; // dropped: moves no caret and reaches no key event
        return;
    }
    const bool ctrl = KeyIsDown(VK_CONTROL);
    if (ctrl && (vk == VK_TAB || vk == VK_RETURN)) { TMaskEdit::WndProc(m); return; }
    if (vk == VK_RETURN && FReturnIsTab) {
        m.WParam = VK_TAB;
        if (isVisible()) PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
    }
    if (EditingKeyDown(m)) return;
    if (vk == VK_DELETE && !KeyIsDown(VK_SHIFT)) {
        // Deleted now, so the rules after the key see the new value.
        const LPARAM lp = m.LParam;
        m.LParam = 0;
        TMaskEdit::WndProc(m);
        m.LParam = lp;
        m.WParam = 0;
    } else {
        TMaskEdit::WndProc(m);
    }
    AfterEditingKey(vk);
    closeKeys();
}

void TKvCustomDropDown::HandleWmChar(TMessage& m)
{
    const QChar ch(char16_t(m.WParam));
    if (!FEditorEnabled) { m.WParam = 0; return; }
    {
        // Typing over the whole value: the change the deletion would report is not one.
        const QString value = GetText();
        if (!value.isEmpty() && SelStart() == FPrefix.size() && SelLength() == value.size()) FBlockChange = true;
    }
    TCustomForm* form = GetParentForm();
    const bool preview = form && form->KeyPreview();
    if ((ch == QChar(13) || ch == QChar(10)) && KeyIsDown(VK_CONTROL)) {
        m.Result = 1;
        m.WParam = 0;
        return;
    }
    if (ch == QChar(13)) {
        if (OnKeyPress) {
            QChar k(13);
            OnKeyPress(this, k);
        }
        if (!FDefaultHandling && Parent()) {
            PostMessage(Parent(), WM_KEYDOWN, VK_RETURN, 0);
            if (preview) TMaskEdit::WndProc(m);
            else PostMessage(Parent(), WM_KEYUP, VK_RETURN, 0);
        }
        m.WParam = 0;
        return;
    }
    if (ch == QChar(27)) {
        if (!FDefaultHandling && Parent()) {
            if (preview) { TMaskEdit::WndProc(m); return; }
            PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent(), WM_KEYUP, VK_ESCAPE, 0);
        }
        if (!FCanUndo) { TMaskEdit::WndProc(m); return; }
    }
    FilterTypedChar(m);
}

void TKvCustomDropDown::HandleWantSpecialKey(TMessage& m)
{
    TCustomForm* form = GetParentForm();
    if (!form) return;
    const bool preview = form->KeyPreview();
    if (m.WParam == VK_ESCAPE && FCanUndo && !preview) {
        SelectAll();
        SetModified(false);
        m.WParam = 0;
        m.Result = 0;
        if (Parent() && FDefaultHandling) {
            PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent(), WM_KEYUP, VK_ESCAPE, 0);
        }
    } else if (m.WParam == VK_RETURN && FDefaultHandling && !preview && Parent() && Parent()->Focused()) {
        PostMessage(Parent(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessage(Parent(), WM_KEYUP, VK_RETURN, 0);
    }
    TMaskEdit::WndProc(m);
    if (m.WParam == VK_ESCAPE && FDroppedDown) m.Result = 1;
}

void TKvCustomDropDown::WndProc(TMessage& m)
{
    const UINT saved = FKeyMsg;
    FKeyMsg = m.Msg;
    struct Restore { UINT& r; UINT v; ~Restore() { r = v; } } restore{FKeyMsg, saved};
    switch (m.Msg) {
    case WM_GETDLGCODE:
        // A multi-line edit window claims every key, Return and Escape included.
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
        return;
    case WM_KEYDOWN: HandleWmKeyDown(m); return;
    case WM_CHAR: {
        const QString before = WindowText();
        const bool blocked = FBlockChange;
        HandleWmChar(m);
        // A character that changed nothing leaves no swallowed change behind.
        if (!blocked && FBlockChange && WindowText() == before) FBlockChange = false;
        return;
    }
    case CM_WANTSPECIALKEY: HandleWantSpecialKey(m); return;
    case EM_SETREADONLY:
        TMaskEdit::WndProc(m);
        if (FButton) FButton->InnerButton()->Invalidate();
        return;
    case WM_SIZE:
        TMaskEdit::WndProc(m);
        UpdateButtonBounds();
        return;
    case CM_FONTCHANGED:
        TMaskEdit::WndProc(m);
        if (HandleAllocated()) SetEditRect();
        return;
    case CM_ENABLEDCHANGED:
        TMaskEdit::WndProc(m);
        if (FButton) FButton->SetEnabled(Enabled());
        RedrawBorders();
        return;
    case WM_LBUTTONDOWN:
        if (FEditorEnabled) { HandleEntryMouseDown(m); return; }
        TMaskEdit::WndProc(m);
        ButtonPressed();
        return;
    case WM_LBUTTONUP: HandleEntryMouseUp(m); return;
    case WM_CUT: HandleCut(m); return;
    case WM_COPY: HandleCopy(m); return;
    case WM_PASTE: HandlePaste(m); return;
    case WM_SETFOCUS: HandleSetFocus(m); return;
    case WM_KILLFOCUS: HandleKillFocus(m); return;
    case CN_COMMAND:
        if (m.WParamHi() == EN_CHANGE && FBlockChange) { FBlockChange = false; return; }
        TMaskEdit::WndProc(m);
        return;
    case CM_ENTER:
        if (AutoSelect() && !KeyIsDown(VK_LBUTTON)) SelectAll();
        TMaskEdit::WndProc(m);
        RedrawBorders();
        return;
    case CM_EXIT:
        TMaskEdit::WndProc(m);
        RedrawBorders();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TMaskEdit::WndProc(m);
        if (Enabled()) SetMouseInControl(m.Msg == CM_MOUSEENTER);
        return;
    case CM_PARENTFONTCHANGED:
        TMaskEdit::WndProc(m);
        if (FLabel && ParentFont()) {
            FLabel->SetFont(*Font());
            UpdateLabel();
        }
        return;
    case CM_VISIBLECHANGED:
        TMaskEdit::WndProc(m);
        if (FLabel && !FLabel->Text().isEmpty()) FLabel->SetVisible(Visible());
        return;
    default:
        break;
    }
    TMaskEdit::WndProc(m);
}

// ---------------------------------------------------------------- frame and focused value
void TKvCustomDropDown::SetMouseInControl(bool v)
{
    if (v == FMouseInControl) return;
    FMouseInControl = v;
    RedrawBorders();
}

void TKvCustomDropDown::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor) return;
    FBorderColor = Value;
    Invalidate();
    InvalidatePaintOver();
    if (FButton) FButton->InnerButton()->Invalidate();
}

void TKvCustomDropDown::SetDisabledBorder(bool v)
{
    if (v == FDisabledBorder) return;
    FDisabledBorder = v;
    Invalidate();
    InvalidatePaintOver();
}

bool TKvCustomDropDown::IsHot() const
{
    if (ComponentState() & csDesigning) return false;
    return FMouseInControl || Screen->ActiveControl() == this;
}

bool TKvCustomDropDown::IsHotOrEnabled() const
{
    if (ComponentState() & csDesigning) return Enabled();
    return IsHot();
}

void TKvCustomDropDown::UpdateButtonFocus()
{
    if (FButton) FButton->InnerButton()->SetFocused(IsHotOrEnabled());
}

void TKvCustomDropDown::RedrawBorders()
{
    if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    InvalidatePaintOver();
    UpdateButtonFocus();
}

void TKvCustomDropDown::DrawBorders(TCanvas* c)
{
    if (ComponentState() & csDesigning) return;
    TRect r(0, 0, Width(), Height());
    auto frame = [&](TColor color) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(color);
        c->FrameRect(r);
    };
    if (!Enabled() && FIsThemed && FDisabledBorder) { frame(0xC0C0C0); return; }
    if (FBorderColor != clNone && (!Focused() || FFocusBorderColor == clNone)) { frame(FBorderColor); return; }
    if (FFocusBorderColor != clNone) {
        if (Focused()) frame(FFocusBorderColor);
        return;
    }
    const TColor b = IsHot() ? TColor(clBtnFace) : (Parent() ? Parent()->Color() : TColor(clBtnFace));
    if (IsHot()) DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    else {
        frame(b);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    frame(b);
}

void TKvCustomDropDown::PaintFocusedText()
{
    // Drawn on top of the edit by PaintOver; see PaintFocusedValue below.
    InvalidatePaintOver();
}

void TKvCustomDropDown::PaintOver(TCanvas* c)
{
    if (!FEditorEnabled && Focused() && !(ComponentState() & csDesigning) && FFocusDraw) {
        TRect r(2, 2, Width() - FButtonWidth - 1, Height() - 2);
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clHighlight);
        c->Rectangle(r);
        r.Left += 2;
        r.Right -= 3;
        c->SetFont(*Font());
        c->Font()->SetColor(clHighlightText);
        c->Brush()->SetStyle(bsClear);
        DrawText(c, Text(), r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    if (!Enabled() || FFlat || FBorderColor != clNone || FFocusBorderColor != clNone) DrawBorders(c);
}

// ---------------------------------------------------------------- label
QString TKvCustomDropDown::LabelCaption() const { return FLabel ? FLabel->Text() : QString(); }

void TKvCustomDropDown::CreateLabel()
{
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->SetFont(FLabelFont);
    FLabel->OnClick = [this](TObject*) { DoLabelClick(); };
    FLabel->OnDblClick = [this](TObject*) { DoLabelDblClick(); };
    FLabel->SetParentFont(ParentFont());
}

void TKvCustomDropDown::SetLabelCaption(const QString& Value)
{
    if (!FLabel) CreateLabel();
    FLabel->SetText(Value);
    UpdateLabel();
}

void TKvCustomDropDown::SetLabelFont(const TFont& Value)
{
    if (!ParentFont()) FLabelFont.Assign(Value);
    if (FLabel) UpdateLabel();
}

void TKvCustomDropDown::SetLabelMargin(int v)
{
    FLabelMargin = v;
    if (FLabel) UpdateLabel();
}

void TKvCustomDropDown::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    if (FLabel) UpdateLabel();
}

void TKvCustomDropDown::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    if (FLabel) UpdateLabel();
}

void TKvCustomDropDown::UpdateLabel()
{
    if (!FLabel) return;
    if (FLabel->Parent() != Parent()) FLabel->SetParent(Parent());
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FParentFnt ? *Font() : FLabelFont);
    TCanvas probe;
    probe.SetFont(*FLabel->Font());
    TRect cr(0, 0, 1000, 255);
    DrawText(&probe, FLabel->Text(), cr, DT_CALCRECT | DT_HIDEPREFIX);
    const int w = cr.Width();
    const int l = Left(), t = Top(), wc = Width(), h = Height();
    const int lw = FLabel->Width(), lh = FLabel->Height(), m = FLabelMargin;
    const int cv = t + (h - lh) / 2, chz = l + (wc - lw) / 2;
    int top = t, left = l;
    switch (FLabelPosition) {
    case lpLeftTop: top = t; left = l - w - m; break;
    case lpLeftCenter: top = cv; left = l - w - m; break;
    case lpLeftBottom: top = t + h - lh; left = l - w - m; break;
    case lpTopLeft: top = t - lh - m; left = l; break;
    case lpBottomLeft: top = t + h + m; left = l; break;
    case lpLeftTopLeft: top = t; left = l - m; break;
    case lpLeftCenterLeft: top = cv; left = l - m; break;
    case lpLeftBottomLeft: top = t + h - lh; left = l - m; break;
    case lpTopCenter: top = t - lh - m; left = chz; break;
    case lpBottomCenter: top = t + h + m; left = chz; break;
    case lpRightTop: top = t; left = l + wc + m; break;
    case lpRightCenter: top = cv; left = l + wc + m; break;
    case lpRighBottom: top = t + h - lh; left = l + wc + m; break;
    case lpTopRight: top = t - lh - m; left = l + wc - lw; break;
    case lpBottomRight: top = t + h + m; left = l + wc - lw; break;
    }
    FLabel->SetBounds(left, top, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

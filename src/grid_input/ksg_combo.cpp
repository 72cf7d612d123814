#include "grid_input/ksg_combo.h"

#include "grid/theme_services.h"
#include "grid_input/ksg_combo_look.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

namespace {
constexpr TColor DisabledFrameColor = 0x00B99D7F;
} // namespace

TKsgCustomCombo::TKsgCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner),
      FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 2),
      FIsThemed(IsComCtl6OrLater())
{
    FLabelFont.OnChange = [this] { LabelFontChange(); };
    FNormalColor = FColor;
    FLayer = new TFlatLookLayer(this, [this](TCanvas* c) { PaintLook(c); });
}

TKsgCustomCombo::~TKsgCustomCombo()
{
    FLabelFont.OnChange = nullptr;
    delete FLabel;
    FLabel = nullptr;
}

void TKsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

// ---------------------------------------------------------------- setters

void TKsgCustomCombo::SetFlat(bool Value)
{
    if (Value == FFlat) return;
    FFlat = Value;
    SetCtl3D(!Value);
    if (FFlatParentColor && Value) {
        if (FParent) SetColor(ParentBrushColor());
    } else {
        SetColor(FLoadedColor);
    }
    Invalidate();
    RedrawBorders();
}

void TKsgCustomCombo::SetEtched(bool Value)
{
    if (Value == FEtched) return;
    FEtched = Value;
    Invalidate();
}

void TKsgCustomCombo::SetButtonWidth(int Value)
{
    if (Value < 14 || Value > 32 || Value == FButtonWidth) return;
    FButtonWidth = Value;
    Invalidate();
    RedrawBorders();
}

void TKsgCustomCombo::SetFocusBorder(bool Value)
{
    if (Value == FFocusBorder) return;
    FFocusBorder = Value;
    RedrawBorders();
}

void TKsgCustomCombo::SetDropWidth(int Value)
{
    FDropWidth = Value;
    if (Value > 0) Perform(CB_SETDROPPEDWIDTH, WPARAM(Value));
}

void TKsgCustomCombo::SetFlatLineColor(TColor Value)
{
    FFlatLineColor = Value;
    RedrawBorders();
}

void TKsgCustomCombo::SetFlatParentColor(bool Value)
{
    FFlatParentColor = Value;
    RedrawBorders();
}

void TKsgCustomCombo::SetFocusBorderColor(TColor Value)
{
    if (Value == FFocusBorderColor) return;
    FFocusBorderColor = Value;
    RedrawBorders();
}

void TKsgCustomCombo::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor) return;
    FBorderColor = Value;
    // The frame belongs to the non-client painting.
    Perform(WM_NCPAINT);
    RedrawBorders();
}

void TKsgCustomCombo::SetDisabledBorder(bool Value)
{
    if (Value == FDisabledBorder) return;
    FDisabledBorder = Value;
    RedrawBorders();
}

void TKsgCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!IsDestroying()) UpdateLabel();
}

void TKsgCustomCombo::SetVisible(bool Value)
{
    TCustomComboBox::SetVisible(Value);
    if (FLabel) FLabel->SetVisible(Value);
}

void TKsgCustomCombo::SetEnabled(bool Value)
{
    const bool changed = Value != FEnabled;
    TCustomComboBox::SetEnabled(Value);
    if (IsLoading() || !changed || !FLabel) return;
    if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Value);
    UpdateLabel();
}

void TKsgCustomCombo::Resize()
{
    TCustomComboBox::Resize();
    if (FLayer) FLayer->FitHost();
}

// ---------------------------------------------------------------- label

QString TKsgCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : QString(); }

void TKsgCustomCombo::SetLabelCaption(const QString& Value)
{
    if (!FLabel) CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TKsgCustomCombo::SetLabelFont(const TFont& Value)
{
    if (!FParentFont) FLabelFont.Assign(Value);
    UpdateLabel();
}

void TKsgCustomCombo::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    UpdateLabel();
}

void TKsgCustomCombo::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    UpdateLabel();
}

void TKsgCustomCombo::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabel();
}

void TKsgCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
    FLabelAlwaysEnabled = Value;
    UpdateLabel();
}

void TKsgCustomCombo::LabelFontChange()
{
    UpdateLabel();
    if (IsDesigning() && !IsLoading()) SetParentFont(false);
}

void TKsgCustomCombo::CreateLabel()
{
    FLabel = new TLabel(this);
    FLabel->SetParent(FParent);
    FLabel->SetFocusControl(this);
    FLabel->SetFont(FLabelFont);
    FLabel->SetParentFont(FParentFont);
}

void TKsgCustomCombo::UpdateLabel()
{
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FParentFont ? FFont : FLabelFont);
    TRect tr(0, 0, 1000, 255);
    DrawText(FLabel->Canvas(), FLabel->Caption(), tr, DT_CALCRECT | DT_HIDEPREFIX);
    const int w = tr.Right;
    const int lh = FLabel->Height(), lw = FLabel->Width();
    const TPoint at = LabelPlace(FLabelPosition, BoundsRect(), w, lw, lh, FLabelMargin);
    FLabel->SetBounds(at.X, at.Y, lw, lh);
    FLabel->SetVisible(FVisible);
}

TPoint LabelPlace(TLabelPosition Position, const TRect& Control, int TextWidth, int LabelWidth, int LabelHeight,
                  int Margin)
{
    const int L = Control.Left, T = Control.Top, W = Control.Width(), H = Control.Height();
    const int m = Margin, w = TextWidth, lw = LabelWidth, lh = LabelHeight;
    switch (Position) {
    case lpLeftTop: return TPoint(L - w - m, T);
    case lpLeftCenter: return TPoint(L - w - m, T + (H - lh) / 2);
    case lpLeftBottom: return TPoint(L - w - m, T + H - lh);
    case lpTopLeft: return TPoint(L, T - lh - m);
    case lpBottomLeft: return TPoint(L, T + H + m);
    case lpLeftTopLeft: return TPoint(L - m, T);
    case lpLeftCenterLeft: return TPoint(L - m, T + (H - lh) / 2);
    case lpLeftBottomLeft: return TPoint(L - m, T + H - lh);
    case lpTopCenter: return TPoint(L + (W - lw) / 2, T - lh - m);
    case lpBottomCenter: return TPoint(L + (W - lw) / 2, T + H + m);
    case lpRightTop: return TPoint(L + W + m, T);
    case lpRightCenter: return TPoint(L + W + m, T + (H - lh) / 2);
    case lpRighBottom: return TPoint(L + W + m, T + H - lh);
    case lpTopRight: return TPoint(L + W - lw, T - lh - m);
    case lpBottomRight: return TPoint(L + W - lw, T + H + m);
    }
    return TPoint(L, T);
}

// ---------------------------------------------------------------- loading

void TKsgCustomCombo::Loaded()
{
    TCustomComboBox::Loaded();
    if (FDropWidth > 0) Perform(CB_SETDROPPEDWIDTH, WPARAM(FDropWidth));
    FOldColor = FLoadedColor;
    if (!FFlatParentColor || FFlat) SetColor(FLoadedColor);
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(FEnabled);
        if (FParentFont) FLabel->SetFont(FFont);
    }
    UpdateLabel();
    Init();
}

void TKsgCustomCombo::Init() { FNormalColor = FColor; }

void TKsgCustomCombo::SelectItem(const QString& Text)
{
    const int i = Items()->IndexOf(Text);
    if (i >= 0) SetItemIndex(i);
}

// ---------------------------------------------------------------- predicates

bool TKsgCustomCombo::UseThemes() const { return FIsThemed && IsThemeActive(); }

bool TKsgCustomCombo::IsHot() const
{
    if (IsDesigning()) return FEnabled;
    return FMouseInControl || GetFocusControl() == this;
}

bool TKsgCustomCombo::ShowsFocusBorder() const
{
    return !IsDesigning() && FFocusBorder && (FMouseInControl || GetFocusControl() == this);
}

bool TKsgCustomCombo::IsMouseButtonDown() const
{
    return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

bool TKsgCustomCombo::UseRightToLeftReading() const { return isRightToLeft(); }

bool TKsgCustomCombo::CustomPaint() const
{
    return FFlat || FButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus)
        || (!FEnabled && UseThemes() && !FDisabledBorder);
}

TColor TKsgCustomCombo::ParentBrushColor() const { return FParent ? FParent->Color() : clBtnFace; }

// ---------------------------------------------------------------- drawing

void TKsgCustomCombo::PaintLook(TCanvas* c)
{
    const bool ltr = !UseRightToLeftReading();
    bool borders = false;
    // The client painting: the strip of the button replaces the combo's own.
    if (CustomPaint()) {
        if (FStyle != csSimple && ltr) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(FColor);
            c->FillRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, ClientHeight()));
            DrawButton(c);
        }
        borders = ltr;
    }
    // The non-client painting draws the borders again in these states.
    if (FFlat || (!FEnabled && UseThemes() && !FDisabledBorder) || (FFocusBorderColor != clNone && Focused())
        || FBorderColor != clNone)
        borders = true;
    if (!borders) return;
    c->RemoveClip();
    BorderPass(c);
}

void TKsgCustomCombo::RedrawBorders()
{
    if (FLayer) FLayer->update();
}

void TKsgCustomCombo::BorderPass(TCanvas* c)
{
    if (FEnabled && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    DrawBorders(c);
    if (FStyle != csSimple && !(FIsWinXP && UseThemes())) DrawFlatButton(c);
    c->RemoveClip();
}

void TKsgCustomCombo::DrawButton(TCanvas* c)
{
    TRect r(0, 0, FWidth, FHeight);
    r.Left = ClientWidth() - FButtonWidth + 2;
    r = ShrunkRect(r, 1);
    const bool down = IsMouseButtonDown();
    if (FButtonColor != clNone) {
        TColor body = FButtonColor;
        if (FButtonHover) body = down ? FButtonColorDown : FButtonColorHot;
        const TRect b(r.Left - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(body);
        c->Pen()->SetColor(body);
        c->Rectangle(b);
        if (FButtonBorderColor != clNone) {
            c->Pen()->SetColor(FButtonBorderColor);
            c->MoveTo(b.Left, b.Top);
            c->LineTo(b.Left, b.Bottom);
        }
        DrawDropArrow(c, b.Left + 4, b.Top + 7, down ? FButtonTextColorDown : FButtonTextColor);
    } else if (UseThemes()) {
        DrawThemedDropButton(this, c, r, FEnabled, down, DroppedDown(), FButtonHover);
    } else {
        TRect f(r.Left - 4, r.Top + 1, r.Right, r.Bottom - 1);
        DrawFrameControl(c, f, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (FEnabled ? DFCS_FLAT : DFCS_INACTIVE));
    }
    c->ExcludeClipRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, ClientHeight()));
}

void TKsgCustomCombo::DrawBorders(TCanvas* c)
{
    TRect r(0, 0, FWidth, FHeight);
    if (!FEnabled && FIsThemed && !FDisabledBorder) {
        FlatFrame(c, r, DisabledFrameColor);
        return;
    }
    if (FBorderColor != clNone && !(FHasFocus && FFocusBorderColor != clNone)) {
        FlatFrame(c, r, FBorderColor);
        return;
    }
    if (FFocusBorderColor != clNone) {
        if (FHasFocus) FlatFrame(c, r, FFocusBorderColor);
        return;
    }
    const bool focusLook = ShowsFocusBorder();
    DrawFlatRings(c, r, focusLook, focusLook ? TColor(clBtnFace) : ParentBrushColor(), FColor, FButtonWidth);
    if (FFlat && FFlatLineColor != clNone) {
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetWidth(1);
        c->Pen()->SetColor(FFlatLineColor);
        c->MoveTo(r.Left - 2, FHeight - 1);
        c->LineTo(r.Right - FButtonWidth - 1, FHeight - 1);
    }
}

void TKsgCustomCombo::DrawFlatButton(TCanvas* c)
{
    const int cw = ClientWidth(), ch = ClientHeight();
    c->ExcludeClipRect(TRect(cw - FButtonWidth + 4, 4, cw - 4, ch - 4));
    TRect r(0, 0, FWidth, FHeight);
    r.Left = cw - FButtonWidth - 2;
    r = ShrunkRect(r, 2);
    if (!IsHot()) FillFlatButtonAtRest(c, r);
    c->ExcludeClipRect(r);
}

// ---------------------------------------------------------------- input and focus

void TKsgCustomCombo::MouseMove(TShiftState Shift, int X, int Y)
{
    const bool hover = FWidth - FButtonWidth < X && X < FWidth;
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
        RedrawBorders();
    }
    TCustomComboBox::MouseMove(Shift, X, Y);
}

void TKsgCustomCombo::SetFocusLook(bool Focused)
{
    FApplyingFocusColor = true;
    if (Focused) {
        if (FFocusColor != clNone) SetColor(FFocusColor);
    } else if (FFocusColor != clNone && FNormalColor != clNone) {
        SetColor(FNormalColor);
    }
    FApplyingFocusColor = false;
    if (FFocusLabel && FLabel) {
        TFontStyles s = FLabel->Font()->Style();
        if (Focused) s << fsBold;
        else s >> fsBold;
        FLabel->Font()->SetStyle(s);
    }
}

void TKsgCustomCombo::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
        if (FEnabled && !FMouseInControl) {
            FMouseInControl = true;
            RedrawBorders();
        }
        if (FAutoFocus && !IsDesigning()) {
            TCustomForm* form = GetParentForm();
            if ((!form || form->Active()) && CanFocus()) SetFocus();
        }
        if (FIsWinXP) Invalidate();
        break;
    case CM_MOUSELEAVE:
        if (FEnabled && FMouseInControl) {
            FMouseInControl = false;
            RedrawBorders();
        }
        FButtonHover = false;
        if (FIsWinXP) Invalidate();
        break;
    case CM_ENTER:
        if (!IsDesigning()) {
            FHasFocus = true;
            RedrawBorders();
            SetFocusLook(true);
        }
        break;
    case CM_EXIT:
        if (!IsDesigning()) {
            FHasFocus = false;
            RedrawBorders();
            SetFocusLook(false);
        }
        break;
    case WM_SETFOCUS:
        TCustomComboBox::WndProc(m);
        if (FFocusBorderColor != clNone) RedrawBorders();
        SetFocusLook(true);
        return;
    case WM_KILLFOCUS:
        TCustomComboBox::WndProc(m);
        SetFocusLook(false);
        Invalidate();
        RedrawBorders();
        return;
    case CM_ENABLEDCHANGED:
        if (FFlat && !IsLoading()) {
            if (FEnabled) {
                SetColor(FOldColor);
                SetParentColor(FOldParentColor);
            } else {
                FOldParentColor = FParentColor;
                FOldColor = FColor;
                SetParentColor(true);
            }
        }
        TCustomComboBox::WndProc(m);
        RedrawBorders();
        return;
    case CM_COLORCHANGED:
        TCustomComboBox::WndProc(m);
        if (IsLoading()) FLoadedColor = FColor;
        if (!FHasFocus && !FApplyingFocusColor) FNormalColor = FColor;
        RedrawBorders();
        return;
    case CM_FONTCHANGED:
        TCustomComboBox::WndProc(m);
        if ((IsDesigning() || IsLoading()) && FLabel && FParentFont) FLabel->SetFont(FFont);
        return;
    case CM_PARENTFONTCHANGED:
        TCustomComboBox::WndProc(m);
        if (FLabel && FParentFont) FLabel->SetFont(FFont);
        UpdateLabel();
        return;
    case WM_NCPAINT:
        TCustomComboBox::WndProc(m);
        RedrawBorders();
        return;
    case CN_COMMAND: {
        TCustomComboBox::WndProc(m);
        const unsigned code = m.WParamHi();
        if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) {
            Invalidate();
            RedrawBorders();
        }
        if (code == CBN_CLOSEUP && OnDropUp) OnDropUp(this);
        return;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
        // Presses and releases change the button's look.
        RedrawBorders();
        break;
    default:
        break;
    }
    TCustomComboBox::WndProc(m);
}

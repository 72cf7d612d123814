#include "dropdown/kv_button.h"

#include "dropdown/dropdown_draw.h"
#include "dropdown/kv_dropdown.h"

#include <QtGui/QPainter>

TKvButtonAppearance::TKvButtonAppearance()
{
    FFont.SetName(QStringLiteral("Tahoma"));
    FColorChecked = ColorTone(0xF5F0E1, -10, -10, 0);
    FColorCheckedTo = ColorTone(0xF9D2B2, -10, -10, 0);
}

void TKvButtonAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TKvButtonAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetGradient(s->FGradient);
}

// ---------------------------------------------------------------- TKvButton

TKvButton::TKvButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 23, 22);
    FControlStyle |= csCaptureMouse | csClickEvents | csDoubleClicks;
    SetParentFont(true);
    Font()->SetName(QStringLiteral("Tahoma"));
    SetShowHint(false);
    FUnHotTimer = new TTimer(this);
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->OnTimer = [this](TObject*) { UnHotTick(); };
}

TKvButton::~TKvButton()
{
    delete FUnHotTimer;
    FUnHotTimer = nullptr;
}

void TKvButton::AutoSizeButton()
{
    if (!FAppearance) return;
    TCanvas* c = Canvas();
    c->SetFont(*FAppearance->Font());
    TSize s = GetTextSize(c, Text());
    int w = s.cx, h = s.cy;
    if (FImages && FImageIndex >= 0) {
        w = std::max(w, FImages->Width());
        h = std::max(h, FImages->Height());
    }
    SetBounds(Left(), Top(), w + 8, h + 4);
}

void TKvButton::PaintParentBackground()
{
    TWinControl* p = Parent();
    if (!p) return;
    // The parent paints itself (and, being one of ours, its drawn children) under the button.
    QImage under(size(), QImage::Format_ARGB32_Premultiplied);
    under.fill(Qt::transparent);
    p->render(&under, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    Canvas()->Painter()->drawImage(0, 0, under);
}

void TKvButton::Paint()
{
    if (!FEnabled) { FState = 1; FDragging = false; }
    else if (FState == 1) FState = (FDown && FGroupIndex != 0) ? 4 : 0;
    if (FStyle == tasCheck && FDown) FState = 2;
    PaintParentBackground();
    if (!FAppearance) return;
    TKvButtonAppearance* a = FAppearance;
    TColor color, colorTo, border;
    if (!FEnabled) { color = a->ColorDisabled(); colorTo = a->ColorDisabledTo(); border = a->BorderColorDisabled(); }
    else if (FState == 2 && FMouseInControl) { color = colorTo = a->ColorDown(); border = a->BorderColorDown(); }
    else if (FDown) { color = colorTo = a->ColorChecked(); border = a->BorderColorChecked(); }
    else if (FMouseInControl || Focused()) { color = colorTo = a->ColorHot(); border = a->BorderColorHot(); }
    else { color = a->Color(); colorTo = a->ColorTo(); border = a->BorderColor(); }
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    // One colour as both ends is no gradient.
    DrawFilledRect(c, r, color, colorTo == color ? clNone : colorTo, a->Gradient() == gdVertical, 1, border);
    c->Brush()->SetStyle(bsClear);
    c->SetFont(*a->Font());
    DrawTextWithImage(c, r, Text(), FImageIndex, FImages);
}

void TKvButton::UnHotTick()
{
    const TPoint p = ScreenToClient(Mouse->CursorPos());
    if (ClientRect().Contains(p)) return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (FEnabled) Invalidate();
}

void TKvButton::UpdateTracking()
{
    if (!FEnabled) return;
    const TPoint p = Mouse->CursorPos();
    Perform(FindDragTarget(p, false) == this ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TKvButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !FEnabled || (ComponentState() & csDesigning)) return;
    FMouseDownInControl = true;
    if (!FDown) { FState = 2; Invalidate(); }
    if (FStyle == tasCheck) { FState = 2; Repaint(); }
    FDragging = true;
}

void TKvButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDragging) {
        if (!FMouseInControl) UpdateTracking();
        return;
    }
    const bool inside = ClientRect().Contains(TPoint(X, Y));
    int s = inside && !FDown ? 2 : FDown ? 4 : 0;
    if (FStyle == tasCheck && FDown) s = 2;
    if (s != FState) { FState = s; Invalidate(); }
}

void TKvButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseDownInControl = false;
    Invalidate();
    if (FDragging) {
        FDragging = false;
        const bool inside = ClientRect().Contains(TPoint(X, Y));
        if (FGroupIndex != 0) {
            if (inside) {
                SetDown(!FDown);
                if (FDown) Invalidate();
            } else if (FDown) FState = 4;
        } else {
            FState = 0;
            FMouseInControl = false;
            FHot = false;
            if (FStyle == tasCheck && inside) SetDown(!FDown);
        }
    }
    UpdateTracking();
}

void TKvButton::SetDown(bool Value)
{
    if (IsLoading()) FInitialDown = Value;
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        FState = Value ? 2 : 0;
        Repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) {
        if (FState == 0) Invalidate();
        FState = 4;
        if (TWinControl* p = Parent())
            for (int i = 0; i < p->ControlCount(); ++i)
                if (p->Controls(i) != this) p->Controls(i)->Perform(CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(this));
    } else {
        FState = 0;
        Invalidate();
    }
}

void TKvButton::Loaded()
{
    TCustomControl::Loaded();
    if (FInitialDown != FDown) SetDown(FInitialDown);
}

void TKvButton::Click()
{
    if (TCustomForm* f = GetParentForm()) f->SetModalResult(FModalResult);
    if (FDropDown) {
        switch (FModalResult) {
        case mrOk: case mrYes: case mrAll: case mrYesToAll: FDropDown->DoHideDropDown(false); break;
        case mrCancel: case mrAbort: case mrIgnore: case mrNo: case mrNoToAll: FDropDown->DoHideDropDown(true); break;
        default: break;
        }
    }
    if (!FInternalClick) TCustomControl::Click();
}

void TKvButton::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN || Key == VK_SPACE) {
        if (!FDown) { FState = 2; Repaint(); }
        FInternalClick = true;
        Guard([this] { Click(); });
        FInternalClick = false;
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TKvButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
        TCustomControl::WndProc(m);
        if (ComponentState() & csDesigning) return;
        FMouseInControl = true;
        if (FEnabled) Invalidate();
        FUnHotTimer->SetEnabled(true);
        return;
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(m);
        FUnHotTimer->SetEnabled(false);
        FMouseInControl = false;
        FHot = false;
        if (FEnabled) Invalidate();
        return;
    case CM_BUTTONPRESSED: {
        auto* sender = reinterpret_cast<TKvButton*>(m.LParam);
        if (sender && sender != this && int(m.WParam) == FGroupIndex && FGroupIndex != 0) {
            if (sender->FDown && FDown) {
                FDown = false;
                FState = 0;
                Invalidate();
            }
            FAllowAllUp = sender->FAllowAllUp;
        }
        return;
    }
    case CM_DIALOGCHAR: {
        const QString t = Text();
        const QChar ch(char16_t(m.WParam));
        for (int i = 0; i + 1 < t.size(); ++i) {
            if (t[i] != QLatin1Char('&')) continue;
            if (t[i + 1] == QLatin1Char('&')) { ++i; continue; }
            if (t[i + 1].toUpper() == ch.toUpper() && FEnabled) {
                Click();
                m.Result = 1;
                return;
            }
            break;
        }
        break;
    }
    case CM_ENABLEDCHANGED:
    case CM_ENTER:
    case CM_EXIT:
        TCustomControl::WndProc(m);
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

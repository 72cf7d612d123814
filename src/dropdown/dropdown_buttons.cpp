// The drop-down button: a windowed container at the edit's right edge and the
// drawn button inside it.
#include "dropdown/kv_dropdown.h"

#include "grid/theme_services.h"
#include "platform/ui/drawing.h"

// ---------------------------------------------------------------- TKvDropDownSpeedButton
TKvDropDownSpeedButton::TKvDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner)
{
    FIsWinXP = ThemeProfile().ComCtlMajorVersion > 5;
    FUp = false;
}

TDropDownEditButton* TKvDropDownSpeedButton::Container() const { return dynamic_cast<TDropDownEditButton*>(Owner()); }

TKvCustomDropDown* TKvDropDownSpeedButton::Editor() const
{
    TDropDownEditButton* c = Container();
    return c ? dynamic_cast<TKvCustomDropDown*>(c->Owner()) : nullptr;
}

bool TKvDropDownSpeedButton::IsThemed() const { return FIsWinXP && IsThemeActive(); }

bool TKvDropDownSpeedButton::Pressed() const
{
    const TButtonState s = State();
    return (s == bsDown || s == bsExclusive) && !FUp;
}

void TKvDropDownSpeedButton::WndProc(TMessage& m)
{
    if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) {
        TSpeedButton::WndProc(m);
        FHot = m.Msg == CM_MOUSEENTER;
        Invalidate();
        return;
    }
    TSpeedButton::WndProc(m);
}

void TKvDropDownSpeedButton::Paint()
{
    if (FButtonStyle == bsButton) PaintButton();
    else PaintDropDown();
}

void TKvDropDownSpeedButton::PaintClassic() { TSpeedButton::Paint(); }

namespace {
int ThemeState(bool enabled, bool pressed, bool hot) { return !enabled ? 4 : pressed ? 3 : hot ? 2 : 1; }

// The arrow is drawn at fixed pixel positions, not centred on the button.
void DrawArrow(TCanvas* c, TColor color)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->Pen()->SetColor(color);
    c->Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
}

// A colour left unset falls back to the one below it.
TColor Pick(TColor base, TColor over) { return over == clNone ? base : over; }
} // namespace

void TKvDropDownSpeedButton::PaintDropDown()
{
    TCanvas* c = Canvas();
    TDropDownEditButton* cont = Container();
    TKvCustomDropDown* ed = Editor();
    const TRect client = ClientRect();
    if (!cont || cont->ButtonColor() == clNone) {
        if (!FGlyph.Empty()) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clBtnFace);
            c->Pen()->SetColor(0x808080);
            c->Rectangle(client);
            FGlyph.SetTransparent(true);
            c->Draw(0, 0, &FGlyph);
            return;
        }
        if (ed) {
            const bool want = ed->Enabled() && !ed->ReadOnly();
            if (want != FEnabled) SetEnabled(want);
        }
        if (IsThemed()) {
            TRect r = client;
            if (IsWindowsVistaOrLater()) r.Left += 1;
            else {
                r = TRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
                r.Left += 2;
            }
            HTHEME th = OpenThemeData(Parent(), QStringLiteral("combobox"));
            DrawThemeBackground(th, c, 1, ThemeState(FEnabled, Pressed(), FHot), r);
            CloseThemeData(th);
            return;
        }
        PaintClassic();
        c->Pen()->SetColor(clBtnFace);
        c->MoveTo(Width() - 2, 0);
        c->LineTo(0, 0);
        c->LineTo(0, Height() - 1);
        c->Pen()->SetColor(clWhite);
        c->MoveTo(Width() - 3, 1);
        c->LineTo(1, 1);
        c->LineTo(1, Height() - 2);
        DrawArrow(c, FEnabled ? clBlack : clGrayText);
        return;
    }
    TColor face = cont->ButtonColor();
    TColor text = Pick(clBlack, cont->ButtonTextColor());
    if (FHot) {
        face = Pick(face, cont->ButtonColorHot());
        text = Pick(text, cont->ButtonTextColorHot());
    }
    if (Pressed()) {
        face = Pick(face, cont->ButtonColorDown());
        text = Pick(text, cont->ButtonTextColorDown());
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(face);
    c->FillRect(client);
    c->Pen()->SetColor(ed ? Pick(clBtnShadow, ed->BorderColor()) : clBtnShadow);
    c->MoveTo(0, 0);
    c->LineTo(0, Height());
    DrawArrow(c, text);
}

void TKvDropDownSpeedButton::PaintButton()
{
    TCanvas* c = Canvas();
    if (TKvCustomDropDown* ed = Editor()) c->SetFont(*ed->Font());
    const bool down = Pressed();
    const TRect client = ClientRect();
    const int shift = down ? 1 : 0;
    if (IsThemed()) {
        c->FillRect(TRect(0, 0, Width(), Height()));
        HTHEME th = OpenThemeData(Parent(), QStringLiteral("button"));
        DrawThemeBackground(th, c, 1, ThemeState(FEnabled, down, FHot), TRect(0, 0, Width() + 1, Height() + 1));
        CloseThemeData(th);
        const TRect in(client.Left + 2, client.Top + 2, client.Right - 2, client.Bottom - 2);
        int gx = in.Left, gw = 0;
        if (!FGlyph.Empty()) {
            gw = FGlyph.Width();
            if (!FText.isEmpty()) gx = in.Left + 2;
            else if (gw < in.Width()) gx = in.Left + (in.Width() - gw) / 2;
            int gy = in.Top;
            if (FGlyph.Height() < in.Height()) gy = in.Top + (in.Height() - FGlyph.Height()) / 2;
            FGlyph.SetTransparent(true);
            c->Draw(gx + shift, gy + shift, &FGlyph);
        }
        if (!FText.isEmpty()) {
            c->Brush()->SetStyle(bsClear);
            if (FGlyph.Empty()) {
                TRect r(client.Left + 3 + shift, client.Top + 1 + shift, client.Right - 3 + shift, client.Bottom - 1 + shift);
                DrawText(c, FText, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            } else {
                TRect r(gx + gw + 2, client.Top, client.Right, client.Bottom - 1);
                DrawText(c, FText, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            }
        }
        return;
    }
    if (FFlat) {
        c->FillRect(TRect(0, 0, Width(), Height()));
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, Width(), Height()));
        TRect e(0, 0, Width() + 1, Height() + 1);
        DrawEdge(c, e, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (down ? unsigned(BF_FLAT) : 0u));
        TRect r(client.Left + 3 + shift, client.Top + 3 + shift, client.Right - 3 + shift, client.Bottom - 3 + shift);
        if (!FGlyph.Empty()) {
            FGlyph.SetTransparent(true);
            c->Draw(r.Left, r.Top, &FGlyph);
        }
        if (!FText.isEmpty()) {
            c->Brush()->SetStyle(bsClear);
            TRect t(client.Left + 3 + shift, client.Top + 1 + shift, client.Right - 3 + shift, client.Bottom - 1 + shift);
            DrawText(c, FText, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        return;
    }
    PaintClassic();
}

// ---------------------------------------------------------------- TDropDownEditButton
TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle &= ~unsigned(csAcceptsControls | csSetCaption);
    FControlStyle |= csOpaque;
    FButton = new TKvDropDownSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [](TObject*) {};
    FButton->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { ButtonMouseUp(s, b, sh, x, y); };
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->SetText(QString());
    FButton->SetButtonStyle(bsDropDown);
    FTabStop = false;
    FBWidth = 16;
    SetBounds(0, 0, 16, 25);
}

void TDropDownEditButton::SetGlyph(const TBitmap* v)
{
    if (v) FButton->Glyph()->Assign(*v);
    else FButton->Glyph()->SetSize(0, 0);
    FButton->Invalidate();
}

void TDropDownEditButton::SetBounds(int l, int t, int, int h)
{
    if (!IsLoading() && FButton) FButton->SetBounds(0, 0, FBWidth, h);
    TWinControl::SetBounds(l, t, FBWidth, h);
}

void TDropDownEditButton::ForceWidth()
{
    if (FButton) FButton->SetBounds(0, 0, FBWidth, Height());
    if (Width() != FBWidth) TWinControl::SetBounds(Left(), Top(), FBWidth, Height());
}

void TDropDownEditButton::Loaded()
{
    TWinControl::Loaded();
    ForceWidth();
}

void TDropDownEditButton::WndProc(TMessage& m)
{
    if (m.Msg == WM_SIZE) {
        TWinControl::WndProc(m);
        ForceWidth();
        m.Result = 0;
        return;
    }
    if (m.Msg == CM_ENABLEDCHANGED) {
        TWinControl::WndProc(m);
        if (FButton) FButton->SetEnabled(Enabled());
        return;
    }
    TWinControl::WndProc(m);
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TDropDownEditButton::ButtonMouseUp(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbLeft && OnClick) OnClick(this);
}

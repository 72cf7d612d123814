#include "grid_input/ksg_date_time_picker.h"

#include "grid/theme_services.h"
#include "grid_input/ksg_combo_look.h"
#include "platform/ui/drawing.h"
#include "platform/ui/messages.h"

namespace {
constexpr TColor DisabledFrameColor = 12164479;   // red 127, green 157, blue 185
} // namespace

TKsgDateTimePicker::TKsgDateTimePicker(TComponent* AOwner)
    : TDateTimePicker(AOwner),
      FIsThemed(IsComCtl6OrLater()),
      FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 2),
      FIsWinXP(IsWinXPOrLater())
{
    FLayer = new TFlatLookLayer(this, [this](TCanvas* c) { PaintFlat(c); });
    // A new picker has the 3-D look and no flat outline style.
    FCtl3D = true;
    FBorderStyle = bsNone;
}

TKsgDateTimePicker::~TKsgDateTimePicker() = default;

void TKsgDateTimePicker::SetBorderColor(TColor v)
{
    if (v == FBorderColor) return;
    FBorderColor = v;
    FLayer->update();
}

void TKsgDateTimePicker::SetMetroStyle(bool v)
{
    if (v == FMetroStyle) return;
    FMetroStyle = v;
    FLayer->update();
}

void TKsgDateTimePicker::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    FLayer->update();
}

void TKsgDateTimePicker::SetCtl3D(bool v)
{
    TWinControl::SetCtl3D(v);
    FLayer->update();
}

bool TKsgDateTimePicker::IsVistaOrLater() { return IsWindowsVistaOrLater(); }
bool TKsgDateTimePicker::IsComCtl6() { return IsComCtl6OrLater(); }
bool TKsgDateTimePicker::UseThemes() const { return FIsThemed && IsThemeActive(); }
bool TKsgDateTimePicker::IsHot() const { return FMouseInControl || GetFocusControl() == this; }
bool TKsgDateTimePicker::ShowsFocusBorder() const { return FFocusBorder && IsHot(); }
bool TKsgDateTimePicker::IsMouseButtonDown() const { return GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0; }

TColor TKsgDateTimePicker::ParentColor() const { return FParent ? FParent->Color() : clBtnFace; }

void TKsgDateTimePicker::Resize()
{
    TDateTimePicker::Resize();
    if (FLayer) FLayer->FitHost();
}

void TKsgDateTimePicker::EnabledChanged()
{
    TDateTimePicker::EnabledChanged();
    if (FLayer) FLayer->update();
}

void TKsgDateTimePicker::PaintFlat(TCanvas* c)
{
    // The frame first, as the system paints the non-client area before the client area.
    if (!FCtl3D && (FBorderColor != clNone || FDateTimeVariant)) DrawNCBorder(c);
    if ((!FEnabled && UseThemes() && !FDisabledBorder) || (FFocusBorderColor != clNone && FHasFocus) ||
        FBorderColor != clNone)
        Outline(c);
    if (FCtl3D && !IsMetro()) return;
    if (!IsVistaOrLater()) return;
    if (IsMetro() && Kind() != dtkTime) {
        if (IsComCtl6()) {
            const int right = FlatClientWidth();
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(FColor);
            if (IsThemeActive()) c->FillRect(TRect(right - FButtonWidth - (FDateTimeVariant ? 4 : 15), 1, right, FHeight));
            else c->FillRect(TRect(right - FButtonWidth - 2, 4, right - 2, FHeight - 4));
        }
        DrawButton(c);
        if (FDateTimeVariant && !FCtl3D) {
            DrawNCBorder(c);
            if (IsVistaOrLater() && !IsThemeActive())
                c->Polyline({{1, FHeight}, {1, 1}, {FWidth - 2, 1}, {FWidth - 2, FHeight - 2}, {0, FHeight - 2}});
        }
    }
    Outline(c);
}

void TKsgDateTimePicker::Outline(TCanvas* c)
{
    if (SuppressFlatDraw() || !IsMetro() || (FEnabled && FBorderColor == clNone && FFocusBorderColor == clNone)) return;
    DrawBorders(c);
    if (!FIsWinXP || !UseThemes()) DrawFlatButton(c);
}

// The outline is part of the layer's painting: asking for it repaints the layer.
void TKsgDateTimePicker::RedrawBorders()
{
    if (FLayer) FLayer->update();
}

void TKsgDateTimePicker::DrawButton(TCanvas* c)
{
    TRect r(0, 0, FWidth, FHeight);
    r.Left += FlatClientWidth() - FButtonWidth + 2;
    r = ShrunkRect(r, 1);
    if (ButtonColor != clNone) {
        TColor body = ButtonColor;
        if (FButtonHover) body = ButtonColorHot;
        if (IsMouseButtonDown() && FButtonHover) body = ButtonColorDown;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(body);
        c->FillRect(TRect(r.Left + 2, r.Top, r.Right, r.Bottom));
        if (ButtonBorderColor != clNone) {
            c->Pen()->SetColor(ButtonBorderColor);
            c->MoveTo(r.Left, r.Top);
            c->LineTo(r.Left, r.Bottom);
        }
        DrawDropArrow(c, r.Left + 5, r.Top + 7, IsMouseButtonDown() ? ButtonTextColorDown : ButtonTextColor);
    } else if (UseThemes()) {
        DrawThemedDropButton(this, c, r, FEnabled, IsMouseButtonDown(), DroppedDown(), FButtonHover);
    } else {
        DrawFrameControl(c, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (FEnabled ? DFCS_FLAT : DFCS_INACTIVE));
    }
}

void TKsgDateTimePicker::DrawBorders(TCanvas* c)
{
    TRect r(0, 0, FWidth, FHeight);
    if (!FEnabled && FIsThemed && !FDisabledBorder) {
        FlatFrame(c, r, DisabledFrameColor);
        return;
    }
    if (FBorderColor == clNone || (FHasFocus && FFocusBorderColor != clNone)) {
        if (FFocusBorderColor == clNone) {
            DrawFlatRings(c, r, ShowsFocusBorder(), ShowsFocusBorder() ? TColor(clBtnFace) : ParentColor(), FColor,
                          FButtonWidth);
        } else if (FHasFocus) {
            FlatFrame(c, r, FFocusBorderColor);
        }
        return;
    }
    FlatFrame(c, r, FBorderColor);
}

void TKsgDateTimePicker::DrawFlatButton(TCanvas* c)
{
    TRect r(0, 0, FWidth, FHeight);
    r.Left += FlatClientWidth() - FButtonWidth - 2;
    r = ShrunkRect(r, 2);
    if (IsHot()) {
        DrawEdge(c, r, BDR_RAISEDINNER, BF_RECT | (DroppedDown() ? BF_FLAT : 0u));
    } else {
        FillFlatButtonAtRest(c, r);
    }
}

void TKsgDateTimePicker::DrawNCBorder(TCanvas* c)
{
    TColor pen = FBorderStyle == bsNone && FParent ? ParentColor() : FIsThemed ? DisabledFrameColor : FBorderColor;
    c->Pen()->SetColor(pen);
    c->Polyline({{0, FHeight}, {0, 0}, {FWidth - 1, 0}, {FWidth - 1, FHeight - 1}, {0, FHeight - 1}});
    if (FParent) {
        if (FBorderStyle == bsSingle) c->Pen()->SetColor(ParentColor());
        c->Polyline({{1, FHeight - 2}, {1, 1}, {FWidth - 1, 1}});
    }
}

void TKsgDateTimePicker::MouseEnter()
{
    if (!FMouseInControl && FEnabled) {
        FMouseInControl = true;
        RedrawBorders();
    }
    TDateTimePicker::MouseEnter();
}

void TKsgDateTimePicker::MouseLeave()
{
    if (FMouseInControl && FEnabled) {
        FMouseInControl = false;
        RedrawBorders();
    }
    FButtonHover = false;
    TDateTimePicker::MouseLeave();
}

void TKsgDateTimePicker::MouseMove(TShiftState Shift, int X, int Y)
{
    const bool hover = FWidth - FButtonWidth < X && X < FWidth;
    if (hover != FButtonHover) {
        FButtonHover = hover;
        FLayer->update();
    }
    TDateTimePicker::MouseMove(Shift, X, Y);
}

void TKsgDateTimePicker::DoEnter()
{
    FHasFocus = true;
    RedrawBorders();
    TDateTimePicker::DoEnter();
}

void TKsgDateTimePicker::DoExit()
{
    FHasFocus = false;
    RedrawBorders();
    TDateTimePicker::DoExit();
}

void TKsgDateTimePicker::WndProc(TMessage& m)
{
    // Mouse presses and releases change the button's look.
    switch (m.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
        if (FLayer) FLayer->update();
        break;
    default: break;
    }
    TDateTimePicker::WndProc(m);
}

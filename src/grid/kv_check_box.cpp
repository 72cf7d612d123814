#include "grid/kv_flat_controls.h"

#include "grid/theme_services.h"
#include "platform/ui/drawing.h"

#include <QtGui/QPainter>

TKvCheckBox::TKvCheckBox(TComponent* AOwner) : TCustomControl(AOwner), FIsWinXP(IsWinXPOrLater())
{
    SetBounds(0, 0, 98, 20);
    // The control raises its clicks itself.
    FControlStyle &= ~csClickEvents;
    SetTabStop(false);
    TControl::SetCaption(FCaption);
}

TKvCheckBox::~TKvCheckBox() = default;

bool TKvCheckBox::Themed() const { return FIsWinXP && IsThemeActive() && IsComCtl6OrLater(); }

TRect TKvCheckBox::BoxRect() const
{
    const TRect c = ClientRect();
    if (Themed()) {
        const int x = FAlignment == taRightJustify ? c.Right - 15 : 0;
        const int y = FButtonVertAlign == tlTop ? 4 : FButtonVertAlign == tlCenter ? c.Height() / 2 - 6 : c.Bottom - 14;
        return TRect(x, y, x + 14, y + 14);
    }
    const int x = FAlignment == taRightJustify ? c.Right - 13 : 0;
    const int y = FButtonVertAlign == tlTop ? 4 : FButtonVertAlign == tlCenter ? c.Height() / 2 - 6 : c.Bottom - 17;
    return TRect(x, y, x + 13, y + 13);
}

void TKvCheckBox::InvalidateBox()
{
    // Only the box changes: repaint its strip.
    Invalidate();
}

void TKvCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value) return;
    FState = Value;
    if (HandleAllocated()) InvalidateBox();
}

void TKvCheckBox::SetChecked(bool Value)
{
    FState = Value ? cbChecked : cbUnchecked;
    Invalidate();
}

void TKvCheckBox::Toggle()
{
    if (!FReadOnly) SetChecked(!Checked());
}

void TKvCheckBox::SetCaption(const QString& Value)
{
    TControl::SetCaption(Value);
    FCaption = Value;
    Invalidate();
}

void TKvCheckBox::SetTransparent(bool Value)
{
    if (FTransparent != Value) {
        FTransparent = Value;
        FBkgCache = false;
    }
    Invalidate();
}

void TKvCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FTransparent) {
        FBkgCache = false;
        Invalidate();
    }
}

void TKvCheckBox::PaintParentBackground(TCanvas* Target)
{
    TWinControl* p = Parent();
    if (!p) return;
    // The parent paints itself under the control, clipped to its client area.
    QImage under(size(), QImage::Format_ARGB32_Premultiplied);
    under.fill(Qt::transparent);
    QRegion area(geometry());
    area &= QRegion(0, 0, p->width(), p->height());
    p->render(&under, QPoint(), area, QWidget::DrawWindowBackground);
    Target->Painter()->drawImage(0, 0, under);
}

void TKvCheckBox::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(*Font());
    if (FTransparent) {
        if (!FTransparentChaching) {
            PaintParentBackground(c);
        } else {
            if (!FBkgCache || !FBkgBmp) {
                FBkgBmp = std::make_unique<TBitmap>(Width(), Height());
                FBkgBmp->SetPixelFormat(pf32bit);
                FBkgBmp->Image().fill(Qt::transparent);
                PaintParentBackground(FBkgBmp->Canvas());
                FBkgBmp->Canvas()->ReleasePainter();
                FBkgCache = true;
            }
            c->Draw(0, 0, FBkgBmp.get());
        }
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->FillRect(ClientRect());
    }
    if (TControl::Caption() != FCaption) TControl::SetCaption(FCaption);
    TRect box = BoxRect();
    if (Themed()) {
        HTHEME theme = OpenThemeData(Handle(), QStringLiteral("button"));
        int state = !FEnabled ? 4 : FDown ? 3 : FHot ? 2 : 1;
        if (FState == cbChecked) state += 4;
        else if (FState == cbGrayed) state += 8;
        if (theme) {
            DrawThemeBackground(theme, c, 3, state, box);
            CloseThemeData(theme);
        } else {
            DrawFrameControl(c, box, DFC_BUTTON, DFCS_BUTTONCHECK | (FState == cbChecked ? unsigned(DFCS_CHECKED) : 0u));
        }
    } else {
        unsigned flags = DFCS_BUTTONCHECK;
        if (FState == cbGrayed || !FEnabled) flags |= DFCS_INACTIVE;
        if (FState == cbChecked) flags |= DFCS_CHECKED;
        DrawFrameControl(c, box, DFC_BUTTON, flags);
    }
    TRect r = ClientRect();
    if (FAlignment == taRightJustify) {
        r.Left = 0;
        r.Right -= 9;
    } else {
        r.Left += 9;
    }
    r.Top += 4;
    r.Left += 6;
    c->Brush()->SetStyle(bsClear);
    const unsigned flags = DT_LEFT | DT_TOP | DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0u);
    if (!FEnabled) {
        TRect shifted = r;
        OffsetRect(shifted, 1, 1);
        c->Font()->SetColor(0xFFFFFF);
        DrawText(c, FCaption, shifted, flags);
        c->Font()->SetColor(0x808080);
    }
    DrawText(c, FCaption, r, flags);
    if (FFocused) {
        const int w = c->TextWidth(FCaption), h = c->TextHeight(FCaption);
        c->Brush()->SetStyle(bsSolid);
        c->DrawFocusRect(TRect(r.Left - 2, r.Top, r.Left + w + 1, r.Top + h + 1));
    }
    c->Brush()->SetStyle(bsSolid);
}

void TKvCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FMouseDown = true;
    if (!Focused() && CanFocus()) SetFocus();
    SetMouseCapture(true);
    FDown = true;
    Invalidate();
}

void TKvCheckBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!MouseCapture() || !FMouseDown) return;
    const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
    if (inside != FDown) {
        FDown = inside;
        Invalidate();
    }
}

void TKvCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    SetMouseCapture(false);
    FDown = false;
    // The edge pixels count as inside.
    const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
    if (inside && FFocused && FMouseDown) {
        Toggle();
        Click();
    }
    FMouseDown = false;
    Invalidate();
}

void TKvCheckBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        FDown = true;
        Invalidate();
    } else if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TKvCheckBox::KeyUp(WORD& Key, TShiftState Shift)
{
    // Keys stop here: the check box's own key-up handling is complete.
    (void)Shift;
    if (Key == VK_SPACE) {
        FDown = false;
        Toggle();
        Click();
    }
}

void TKvCheckBox::DoEnter()
{
    FFocused = true;
    Invalidate();
    TCustomControl::DoEnter();
}

void TKvCheckBox::DoExit()
{
    FFocused = false;
    Invalidate();
    TCustomControl::DoExit();
}

void TKvCheckBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_DIALOGCHAR:
        if (IsCaptionAccel(QChar(char16_t(m.WParam)), FCaption) && CanFocus()) {
            Toggle();
            if (TabStop()) SetFocus();
            m.Result = 1;
            return;
        }
        break;
    case CM_MOUSEENTER:
        TCustomControl::WndProc(m);
        FHot = true;
        InvalidateBox();
        return;
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(m);
        FHot = false;
        InvalidateBox();
        return;
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(m);
        Invalidate();
        return;
    case WM_ERASEBKGND:
        if (FTransparent) {
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

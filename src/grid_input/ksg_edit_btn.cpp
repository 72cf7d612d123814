#include "grid_input/ksg_edit_btn.h"

#include "grid/theme_services.h"
#include "grid_input/edit_button_layout.h"
#include "platform/ui/drawing.h"
#include "platform/ui/messages.h"
#include "platform/ui/track_popup.h"

// ---------------------------------------------------------------- button
TKvSpeedButton::TKvSpeedButton(TKsgEditButton* Host) : TSpeedButton(Host), FHost(Host) {}

void TKvSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(FFont);
    TRect r(0, 0, FWidth, FHeight);
    const bool pressed = Pressed();
    if (FHost && FHost->ButtonColor != clNone) {
        FKvFlat = true;
        const TColor col = pressed ? FHost->ButtonColorDown : FHot ? FHost->ButtonColorHot : FHost->ButtonColor;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(col);
        c->Pen()->SetColor(col);
        c->FillRect(r);
        // The text colours are chosen as well, but the caption stays black.
        const TColor textCol = pressed ? FHost->ButtonTextColorDown : FHot ? FHost->ButtonTextColorHot : FHost->ButtonTextColor;
        if (textCol != clNone) {
            c->Brush()->SetColor(textCol);
            c->Pen()->SetColor(textCol);
        }
    } else {
        HTHEME theme = FIsWinXP && IsThemeActive() ? OpenThemeData(FParent, QStringLiteral("button")) : nullptr;
        if (theme) {
            DrawThemeBackground(theme, c, 1, pressed ? 3 : FHot ? 2 : 1, r);
            CloseThemeData(theme);
        } else if (FKvFlat) {
            DrawEdge(c, r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
            r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        } else {
            DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0u));
        }
    }
    const int shift = pressed ? 1 : 0;
    if (!FGlyph.Empty()) {
        FGlyph.SetTransparent(true);
        const int gx = FGlyph.Width() < FWidth ? (FWidth - FGlyph.Width()) / 2 : 0;
        const int gy = FGlyph.Height() < FHeight ? (FHeight - FGlyph.Height()) / 2 : 0;
        c->Draw(gx + shift, gy + shift, &FGlyph);
    }
    if (!FText.isEmpty()) {
        c->Font()->SetColor(clBlack);
        c->Brush()->SetStyle(bsClear);
        TRect tr(r.Left + shift, r.Top + shift, r.Right + shift, r.Bottom + shift);
        DrawText(c, FText, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---------------------------------------------------------------- host
TKsgEditButton::TKsgEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = (FControlStyle | csOpaque) & ~unsigned(csAcceptsControls);
    FButton = new TKvSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) { BtnMouseUp(b); };
    SetBounds(0, 0, 20, 25);
}

void TKsgEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FButton && !IsLoading()) FButton->SetBounds(0, 0, FWidth, FHeight);
}

void TKsgEditButton::SetFlat(bool v)
{
    FFlat = v;
    FButton->SetFlat(v);
}

void TKsgEditButton::SetFocusControl(TWinControl* c)
{
    FFocusControl = c;
    if (c) c->FreeNotification(this);
}

void TKsgEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TKsgEditButton::BtnMouseUp(TMouseButton Button)
{
    // The release clicks wherever the pointer is.
    if (Button != mbLeft) return;
    if (OnClick) OnClick(this);
    FocusAfterButton(this, FFocusControl);
}

// ---------------------------------------------------------------- edit with button
TKsgEditBtn::TKsgEditBtn(TComponent* AOwner) : TMaskEdit(AOwner)
{
    FControlStyle &= ~unsigned(csSetCaption);
    FButton = new TKsgEditButton(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject* s) { ClickButton(s); };
    SetEditBorderStyle(bsSingle);
    SetText(QStringLiteral("0"));
    Resize();
}

void TKsgEditBtn::ClickButton(TObject* Sender)
{
    if (OnClickBtn) OnClickBtn(Sender);
}

void TKsgEditBtn::SetRightAlign(bool v)
{
    if (v == FRightAlign) return;
    FRightAlign = v;
    SetAlignment(v ? taRightJustify : taLeftJustify);
}

void TKsgEditBtn::SetButtonWidth(int v)
{
    FButtonWidth = v;
    FButton->SetWidth(v);
    Resize();
}

void TKsgEditBtn::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->Button()->SetIsWinXP(v);
}

void TKsgEditBtn::SetBorderStyle(TBorderStyle b)
{
    FEditBorder = b;
    SetEditBorderStyle(b);
    Resize();
}

int TKsgEditBtn::GetMinHeight() const
{
    int fontH = 0, i = 0;
    EditFontHeights(Font(), fontH, i);
    return fontH + i / 4;
}

void TKsgEditBtn::Resize()
{
    TMaskEdit::Resize();
    if (FButton && FitEditButton(this, FButton, GetMinHeight(), FEditBorder, FCtl3D)) SetEditRect();
}

void TKsgEditBtn::SetEditRect()
{
    const int m = FEditBorder == bsNone ? 3 : 1;
    const int clientW = FWidth - 2 * EditFrameWidth(FEditBorder);
    int right = clientW - FButton->Width() - 5 - FUnitSize;
    if (FUnitSize > 0) right -= 3;
    SetEditTextRect(this, FEditBorder, m, m, right);
}

void TKsgEditBtn::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_CHAR:
        if (!FEditorEnabled) return;
        break;
    case WM_PASTE:
    case WM_CUT:
        if (!FEditorEnabled || ReadOnly()) return;
        break;
    default: break;
    }
    TMaskEdit::WndProc(m);
}

void TKsgEditBtn::KeyDown(WORD& Key, TShiftState Shift)
{
    TMaskEdit::KeyDown(Key, Shift);
    // Alt+F4 and Ctrl+F4 belong to the windows.
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && GetKeyState(VK_RMENU) >= 0)
        ClickButton(this);
}

void TKsgEditBtn::DoEnter()
{
    // Queued: the line edit sets its own selection when it takes the focus.
    if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) PostMessage(this, EM_SETSEL, 0, -1);
    TMaskEdit::DoEnter();
}

// ---------------------------------------------------------------- value with unit
// Paints the unit between the text and the button, black on white.
class TUnitLabel : public TGraphicControl {
public:
    explicit TUnitLabel(TKsgUnitEditBtn* Edit) : TGraphicControl(Edit), FEdit(Edit) { FControlStyle |= csOpaque; }
protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clWhite);
        c->FillRect(ClientRect());
        c->SetFont(*FEdit->Font());
        c->Font()->SetColor(clBlack);
        TRect r = ClientRect();
        DrawText(c, FEdit->UnitID(), r, DT_LEFT | DT_EDITCONTROL | DT_NOPREFIX | DT_SINGLELINE);
    }
private:
    TKsgUnitEditBtn* FEdit;
};

TKsgUnitEditBtn::TKsgUnitEditBtn(TComponent* AOwner) : TKsgEditBtn(AOwner)
{
    FUnitSize = 20;
    FUnitLabel = new TUnitLabel(this);
    FUnitLabel->SetParent(this);
    SetRightAlign(true);
    Resize();
}

TKsgUnitEditBtn::~TKsgUnitEditBtn() = default;

void TKsgUnitEditBtn::PlaceUnitLabel()
{
    if (!FUnitLabel) return;
    const int fw = EditFrameWidth(FEditBorder);
    const int clientW = FWidth - 2 * fw, clientH = FHeight - 2 * fw;
    const int r = clientW - FButton->Width() - 3;
    FUnitLabel->SetBounds(fw + r - FUnitSize, fw + 2, FUnitSize, std::max(0, clientH - 2));
    FUnitLabel->Invalidate();
}

void TKsgUnitEditBtn::Resize()
{
    TKsgEditBtn::Resize();
    PlaceUnitLabel();
}

void TKsgUnitEditBtn::SetUnitID(const QString& v)
{
    FUnitID = v;
    if (FUnitLabel) FUnitLabel->Invalidate();
}

void TKsgUnitEditBtn::SetUnits(const TStrings* List)
{
    if (!List) return;
    FUnits.Clear();
    FUnits.AddStrings(*List);
}

void TKsgUnitEditBtn::SetUnitSpace(int v)
{
    FUnitSize = v;
    SetEditRect();
    PlaceUnitLabel();
}

void TKsgUnitEditBtn::SetTextAndUnit(const QString& V)
{
    for (int i = 0; i < FUnits.Count(); ++i) {
        const QString u = FUnits.Strings(i);
        const int p = int(V.indexOf(u)) + 1;
        if (!u.isEmpty() && p > 0 && p == V.size() - u.size() + 1) {
            SetText(V.left(p - 1));
            SetUnitID(V.mid(p - 1));
            return;
        }
    }
}

void TKsgUnitEditBtn::ClickButton(TObject*)
{
    if (OnClickBtn) OnClickBtn(this);
    std::vector<TTrackMenuItem> items;
    for (int i = 0; i < FUnits.Count(); ++i) items.push_back({i + 1, FUnits.Strings(i)});
    const TPoint at = ClientToScreen(TPoint(ClientWidth() - 15, ClientHeight()));
    const int id = TrackPopupMenu(items, at, this);
    if (id != 0) Perform(WM_COMMAND, WPARAM(id), 0);
}

void TKsgUnitEditBtn::WndProc(TMessage& m)
{
    if (m.Msg == WM_COMMAND) {
        if (m.WParamHi() == EN_CHANGE) return;
        const int n = int(m.WParam & 0xFFFF);
        if (n >= 1 && n <= FUnits.Count()) {
            const bool changed = FUnitID != FUnits.Strings(n - 1);
            SetUnitID(FUnits.Strings(n - 1));
            if (changed && OnUnitChanged) OnUnitChanged(this, FUnitID);
        }
        return;
    }
    TKsgEditBtn::WndProc(m);
}

// The popup form of the drop-down editors.
#include "dropdown/kv_dropdown.h"

#include "dropdown/kv_header.h"

#include "platform/core/datetime.h"

TDropDownForm::TDropDownForm(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsNone);
    FShadow = true;
    FCancelOnDeActivate = true;
}

TDropDownForm* TDropDownForm::CreateNew(TComponent* AOwner, int) { return new TDropDownForm(AOwner); }

void TDropDownForm::CreateParams(TCreateParams& p)
{
    TForm::CreateParams(p);
    p.ExStyle |= WS_EX_TOPMOST;
    if (FKvDropDown)
        if (TCustomForm* f = FKvDropDown->GetParentForm()) p.WndParent = f;
}

TWinControl* TDropDownForm::GetParentWnd() const
{
    auto* w = dynamic_cast<TWinControl*>(Owner());
    if (!w) return nullptr;
    while (w->Parent()) w = w->Parent();
    return w;
}

void TDropDownForm::InitializeAndUpdate()
{
    if (!FKvDropDown) return;
    TKvCustomDropDown* e = FKvDropDown;
    // A hidden appearance never creates a panel; a panel once created is only hidden.
    if (FHeader) {
        FHeader->SetKvDropDown(e);
        FHeader->RefreshButtons();
        FHeader->SetVisible(e->DropDownHeader()->Visible());
    } else if (e->DropDownHeader()->Visible()) {
        FHeader = new TKvHeader(this);
        FHeader->SetParent(this);
        FHeader->SetBounds(0, 0, Width(), e->DropDownHeader()->Height());
        FHeader->SetKvDropDown(e);
        FHeader->RefreshButtons();
        FHeader->SetAlign(alTop);
    }
    if (FHeader) {
        FHeader->OnDrawBackGround = e->OnDrawHeader;
        FHeader->OnGetText = e->OnGetHeaderText;
    }
    if (FFooter) {
        FFooter->SetKvDropDown(e);
        FFooter->RefreshButtons();
        FFooter->SetVisible(e->DropDownFooter()->Visible());
    } else if (e->DropDownFooter()->Visible()) {
        FFooter = new TKvFooter(this);
        FFooter->SetParent(this);
        FFooter->SetBounds(0, Height() - e->DropDownFooter()->Height(), Width(), e->DropDownFooter()->Height());
        FFooter->SetKvDropDown(e);
        FFooter->RefreshButtons();
        FFooter->SetAlign(alBottom);
    }
    if (FFooter) {
        FFooter->OnDrawBackGround = e->OnDrawFooter;
        FFooter->OnGetText = e->OnGetFooterText;
    }
}

void TDropDownForm::AlignControls(TControl* AControl, TRect& Rect)
{
    if (FKvDropDown) {
        const int b = FKvDropDown->DropDownBorderWidth();
        Rect = TRect(Rect.Left + b, Rect.Top + b, Rect.Right - b, Rect.Bottom - b);
    }
    TForm::AlignControls(AControl, Rect);
}

void TDropDownForm::DrawBackground(TCanvas* c)
{
    if (!FKvDropDown || !c) return;
    const TKvCustomDropDown* e = FKvDropDown;
    const int b = e->DropDownBorderWidth();
    const TRect client = ClientRect();
    const TRect r(client.Left + b, client.Top + b, client.Right - b, client.Bottom - b);
    if (e->DropDownColor() != clNone && e->DropDownColorTo() != clNone)
        FKvDropDown->DrawGradient(c, e->DropDownColor(), e->DropDownColorTo(), 80, r, e->DropDownGradient());
    else if (e->DropDownColor() != clNone) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(e->DropDownColor());
        c->FillRect(r);
    }
    // A border colour that is not set draws no border.
    if (b > 0 && e->DropDownBorderColor() != clNone) {
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(e->DropDownBorderColor());
        c->Pen()->SetWidth(b);
        c->Rectangle(client.Left + b / 2, client.Top + b / 2, client.Right, client.Bottom);
        c->Pen()->SetWidth(1);
    }
}

void TDropDownForm::Paint()
{
    TForm::Paint();
    DrawBackground(Canvas());
}

void TDropDownForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    case WM_NCHITTEST: {
        m.Result = HTNOWHERE;
        if (FSizeable) {
            const TPoint c = ScreenToClient(TPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
            if (c.X > Width() - 10 && c.Y > Height() - 10) m.Result = HTBOTTOMRIGHT;
        }
        return;
    }
    case WM_SIZING:
        TForm::WndProc(m);
        if (OnSizing) OnSizing(this);
        return;
    case WM_SIZE:
        TForm::WndProc(m);
        Invalidate();
        return;
    case WM_ACTIVATE: {
        TForm::WndProc(m);
        if (FBlockActivate) return;
        if (m.WParamLo() != 0) {
            // The editor's form keeps its active caption while the popup has the focus.
            if (TWinControl* w = GetParentWnd()) SendMessage(w, WM_NCACTIVATE, 1);
            return;
        }
        // Visible, not isVisible: hiding the popup deactivates it on the way out.
        if (!Visible()) return;
        FDeActivate = GetTickCount();
        // A window of the popup's own (a dialog it owns) keeps it open.
        for (HWND w = ParentOrOwnerWindow(reinterpret_cast<HWND>(m.LParam)); w; w = ParentOrOwnerWindow(w))
            if (w == this) return;
        if (FKvDropDown) FKvDropDown->DoHideDropDown(FCancelOnDeActivate);
        else Hide();
        return;
    }
    default:
        break;
    }
    TForm::WndProc(m);
}

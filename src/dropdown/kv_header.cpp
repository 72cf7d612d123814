// Header and footer panels of the drop-down popup.
#include "dropdown/kv_header.h"

#include "dropdown/dropdown_draw.h"
#include "grid/html_render.h"
#include "platform/core/exceptions.h"

// ---------------------------------------------------------------- TDbgList
void* TDbgList::GetItemsEx(int Index) const
{
    if (Index >= Count()) throw Exception(QStringLiteral("Index out of bounds in list read access"));
    return Items(Index);
}

void TDbgList::SetItemsEx(int Index, void* Value)
{
    if (Index >= Count()) throw Exception(QStringLiteral("Index out of bounds in list write access"));
    SetItems(Index, Value);
}

void TDbgList::AssignList(const TList* ListA)
{
    Clear();
    if (!ListA) return;
    for (int i = 0; i < ListA->Count(); ++i) Add(ListA->Items(i));
}

// ---------------------------------------------------------------- TKvPopupPanel
TKvPopupPanel::TKvPopupPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle |= csAcceptsControls | csClickEvents | csDoubleClicks;
    SetBorderWidth(0);
}

TKvPopupPanel::~TKvPopupPanel() = default;

void TKvPopupPanel::AppearanceChanged()
{
    const TLook l = Look();
    SetVisible(l.Visible);
    SetBounds(Left(), Top(), Width(), l.Height);
}

void TKvPopupPanel::SetKvDropDown(TKvCustomDropDown* Value)
{
    FKvDropDown = Value;
    if (!Value) {
        FImages = nullptr;
        return;
    }
    FImages = Value->Images();
    CopyAppearanceFrom(Value);
}

void TKvPopupPanel::RefreshButtons()
{
    if (FKvDropDown) CreateButtons();
}

void TKvPopupPanel::CreateButtons()
{
    TAppearanceButtonsBase* items = AppearanceButtons();
    if (!items || !FKvDropDown) return;
    ClearButtons();
    const TRect area = ButtonArea();
    for (int i = 0; i < items->Count(); ++i) {
        auto* item = static_cast<TAppearanceButton*>(items->Items(i));
        auto* b = new TKvButton(this);
        b->SetParent(this);
        b->SetAppearance(FKvDropDown->ButtonAppearance());
        b->SetText(item->Caption());
        b->SetImages(FImages);
        b->SetImageIndex(item->ImageIndex());
        b->SetEnabled(item->Enabled());
        if (auto* f = dynamic_cast<TFooterButton*>(item)) {
            b->SetDropDown(FKvDropDown);
            b->SetModalResult(f->ModalResult());
        }
        b->AutoSizeButton();
        int w = b->Width(), h = b->Height();
        if (item->Width() > 0) w = item->Width();
        if (item->Height() > 0) h = item->Height();
        h = std::min(h, area.Height());
        b->SetBounds(b->Left(), b->Top(), w, h);
        b->Tag = i;
        b->OnClick = [this](TObject* s) {
            if (auto* kb = dynamic_cast<TKvButton*>(s)) FireButtonClick(int(kb->Tag));
        };
        FButtonList.Add(b);
    }
    ArrangeButtons();
}

void TKvPopupPanel::ClearButtons()
{
    for (int i = FButtonList.Count() - 1; i >= 0; --i) delete static_cast<TKvButton*>(FButtonList.Items(i));
    FButtonList.Clear();
}

void TKvPopupPanel::UpdateButtons()
{
    TAppearanceButtonsBase* items = AppearanceButtons();
    for (int i = 0; i < FButtonList.Count(); ++i) {
        auto* b = static_cast<TKvButton*>(FButtonList.Items(i));
        if (FKvDropDown) b->SetAppearance(FKvDropDown->ButtonAppearance());
        b->SetImages(FImages);
        if (items && i < items->Count()) {
            auto* item = static_cast<TAppearanceButton*>(items->Items(i));
            b->SetText(item->Caption());
            b->SetImageIndex(item->ImageIndex());
            b->SetEnabled(item->Enabled());
        }
    }
    ArrangeButtons();
}

TRect TKvPopupPanel::ButtonArea() const
{
    const TRect r = ClientRect();
    return TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 3);
}

void TKvPopupPanel::ArrangeButtons()
{
    if (FButtonList.Count() == 0) return;
    const TRect area = ButtonArea();
    const bool right = Look().Alignment == baRight;
    int x = right ? area.Right : area.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        auto* b = static_cast<TKvButton*>(FButtonList.Items(i));
        const int top = std::max(area.Top, (area.Bottom - b->Height()) / 2);
        if (right) {
            x -= b->Width();
            b->SetBounds(x, top, b->Width(), b->Height());
        } else {
            b->SetBounds(x, top, b->Width(), b->Height());
            x += b->Width();
        }
    }
}

void TKvPopupPanel::Resize()
{
    TCustomControl::Resize();
    ArrangeButtons();
}

void TKvPopupPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FKvDropDown) FKvDropDown = nullptr;
}

void TKvPopupPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, c, r);
        return;
    }
    const TLook l = Look();
    if (l.ColorTo == clNone) {
        if (l.Color != clNone) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(l.Color);
            c->FillRect(r);
        }
    } else {
        DrawGradient(c, l.Color, l.ColorTo, 80, r, l.Gradient == gdHorizontal);
    }
    const int bw = l.BorderWidth;
    if (l.BorderColor != clNone && bw > 0) {
        c->Pen()->SetColor(l.BorderColor);
        c->Pen()->SetWidth(bw);
        const int y = IsFooter() ? r.Top : r.Bottom - 1;
        c->MoveTo(r.Left, y);
        c->LineTo(r.Right, y);
        const bool popupBorder = FKvDropDown && FKvDropDown->DropDownBorderWidth() > 0
                                 && FKvDropDown->DropDownBorderColor() != clNone;
        if (!popupBorder) {
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(r);
        }
        c->Pen()->SetWidth(1);
        c->Pen()->SetColor(BlendColor(l.BorderColor, clWhite, 20));
        c->Brush()->SetStyle(bsClear);
        if (IsFooter()) c->Rectangle(r.Left, r.Top + bw, r.Right, r.Bottom);
        else c->Rectangle(r.Left, r.Top, r.Right, r.Bottom - bw);
    }
    TRect content(r.Left + bw, r.Top + bw, r.Right - bw, r.Bottom - bw);
    if (l.ImageIndex >= 0 && FImages) {
        FImages->Draw(c, content.Left + 4, content.Top + (content.Height() - FImages->Height()) / 2, l.ImageIndex, true);
        content.Left += FImages->Width() + 8;
    }
    QString caption = l.Caption;
    if (OnGetText) OnGetText(this, caption);
    if (!caption.isEmpty()) {
        if (FButtonList.Count() > 0)
            content.Right = static_cast<TKvButton*>(FButtonList.Items(FButtonList.Count() - 1))->Left() - 2;
        c->SetFont(*l.Font);
        THTMLTextParams p;
        p.Canvas = c;
        p.Text = caption;
        p.Rect = content;
        p.URLColor = 0xFF0000;
        p.CalcOnly = true;
        DrawHTMLText(p);
        if (p.YSize < content.Height()) content.Top += (content.Height() - p.YSize) / 2;
        THTMLTextParams d;
        d.Canvas = c;
        d.Text = caption;
        d.Rect = content;
        d.URLColor = 0xFF0000;
        c->Brush()->SetStyle(bsClear);
        DrawHTMLText(d);
    }
    PaintGrip(c);
}

// ---------------------------------------------------------------- TKvHeader
TKvHeader::TKvHeader(TComponent* AOwner) : TKvPopupPanel(AOwner)
{
    FAppearance = new THeaderAppearance(Owner());
    FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
    FAppearance->OnButtonsChanged = [](TObject*) {};
}

TKvHeader::~TKvHeader()
{
    ClearButtons();
    delete FAppearance;
}

THeaderButtons* TKvHeader::Buttons() const { return FKvDropDown ? FKvDropDown->DropDownHeader()->Buttons() : nullptr; }
TAppearanceButtonsBase* TKvHeader::AppearanceButtons() const { return Buttons(); }
void TKvHeader::CopyAppearanceFrom(TKvCustomDropDown* e) { FAppearance->Assign(e->DropDownHeader()); }

TKvPopupPanel::TLook TKvHeader::Look() const
{
    const THeaderAppearance* a = FAppearance;
    return {a->Color(), a->ColorTo(), a->BorderColor(), a->BorderWidth(), a->GradientDirection(), a->Caption(),
            a->Font(), a->ImageIndex(), a->ButtonAlignment(), a->Visible(), a->Height()};
}

void TKvHeader::FireButtonClick(int Index)
{
    if (FKvDropDown && FKvDropDown->OnDropDownHeaderButtonClick) FKvDropDown->OnDropDownHeaderButtonClick(FKvDropDown, Index);
}

// ---------------------------------------------------------------- TKvFooter
TKvFooter::TKvFooter(TComponent* AOwner) : TKvPopupPanel(AOwner)
{
    FControlStyle |= csCaptureMouse;
    FAppearance = new TFooterAppearance(Owner());
    FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
}

TKvFooter::~TKvFooter()
{
    ClearButtons();
    delete FAppearance;
}

TFooterButtons* TKvFooter::Buttons() const { return FKvDropDown ? FKvDropDown->DropDownFooter()->Buttons() : nullptr; }
TAppearanceButtonsBase* TKvFooter::AppearanceButtons() const { return Buttons(); }
void TKvFooter::CopyAppearanceFrom(TKvCustomDropDown* e) { FAppearance->Assign(e->DropDownFooter()); }

TKvPopupPanel::TLook TKvFooter::Look() const
{
    const TFooterAppearance* a = FAppearance;
    return {a->Color(), a->ColorTo(), a->BorderColor(), a->BorderWidth(), a->GradientDirection(), a->Caption(),
            a->Font(), a->ImageIndex(), a->ButtonAlignment(), a->Visible(), a->Height()};
}

void TKvFooter::FireButtonClick(int Index)
{
    if (FKvDropDown && FKvDropDown->OnDropDownFooterButtonClick) FKvDropDown->OnDropDownFooterButtonClick(FKvDropDown, Index);
}

bool TKvFooter::GripShows() const { return FAppearance->SizeGrip() && FKvDropDown && FKvDropDown->DropDownSizeable(); }

bool TKvFooter::InGripZone(int X, int Y) const { return X > Width() - 12 && Y > Height() - 15; }

TRect TKvFooter::ButtonArea() const
{
    const TRect r = ClientRect();
    return TRect(r.Left + 2, r.Top + 2, r.Right - (GripShows() ? 14 : 2), r.Bottom - 2);
}

void TKvFooter::PaintGrip(TCanvas* c)
{
    if (!GripShows()) return;
    const int bw = FAppearance->BorderWidth();
    const TRect r = ClientRect();
    const int left = r.Right - bw - 16, bottom = r.Bottom;
    auto dot = [&](int x, int y) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect(left + x, y, left + x + 2, y + 2));
        c->Brush()->SetColor(FAppearance->BorderColor());
        c->FillRect(TRect(left + x - 1, y - 1, left + x + 1, y + 1));
    };
    for (int x : {5, 9, 13}) dot(x, bottom - 4);
    for (int x : {9, 13}) dot(x, bottom - 8);
    dot(13, bottom - 12);
}

void TKvFooter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TKvPopupPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !GripShows() || !InGripZone(X, Y) || !Parent()) return;
    releaseMouse();
    const TPoint s = ClientToScreen(TPoint(X, Y));
    Parent()->Perform(WM_NCLBUTTONDOWN, WPARAM(HTBOTTOMRIGHT), MAKELPARAM(unsigned(s.X), unsigned(s.Y)));
}

void TKvFooter::MouseMove(TShiftState Shift, int X, int Y)
{
    TKvPopupPanel::MouseMove(Shift, X, Y);
    if (GripShows() && InGripZone(X, Y)) Screen->SetCursor(crSizeNWSE);
    else if (Screen->Cursor() != FOldCursor) Screen->SetCursor(FOldCursor);
}

void TKvFooter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TKvPopupPanel::MouseUp(Button, Shift, X, Y);
    Screen->SetCursor(FOldCursor);
}

void TKvFooter::WndProc(TMessage& m)
{
    if (m.Msg == CM_MOUSEENTER) {
        if (Screen->Cursor() != crSizeNWSE) FOldCursor = Screen->Cursor();
    } else if (m.Msg == CM_MOUSELEAVE) {
        Screen->SetCursor(FOldCursor);
    }
    TKvPopupPanel::WndProc(m);
}

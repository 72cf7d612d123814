#include "params_iolink/section_group.h"

#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"

#include <QPainter>

#include <algorithm>

namespace {

TColor Blend(TColor a, TColor b, int num, int den)
{
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  if (den <= 0)
    return a;
  auto mix = [&](int x, int y) { return x + (y - x) * num / den; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

// A double chevron pointing up (expanded: click collapses) or down, 16 x 16.
void Draw_Chevron(TCanvas* c, int x, int y, bool up, TColor color)
{
  c->Pen()->SetColor(color);
  c->Pen()->SetWidth(1);
  for (int row = 0; row < 2; ++row) {
    const int baseY = y + 5 + row * 4;
    for (int w = 0; w < 2; ++w) {  // two pixels thick
      const int tip = up ? baseY + w : baseY + 3 + w;
      const int end = up ? baseY + 3 + w : baseY + w;
      c->MoveTo(x + 4, end);
      c->LineTo(x + 8, tip);
      c->LineTo(x + 12, end + (up ? 1 : -1));
    }
  }
}

}  // namespace

void Pass_Wheel_To_Parent(TControl* Control, TMessage& Message)
{
  if (!Message.Result && Control->Parent())
    Control->Parent()->Perform(WM_MOUSEWHEEL, Message.WParam, Message.LParam);
  // Taken either way, so that the platform does not pass it up a second time.
  Message.Result = 1;
}

// ---------------------------------------------------------------------- surface

TCategoryPanelSurface::TCategoryPanelSurface(TComponent* AOwner) : TCustomControl(AOwner)
{
  SetParentColor(true);
  SetControlStyle(ControlStyle() | csAcceptsControls);
}

void TCategoryPanelSurface::WndProc(TMessage& Message)
{
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_MOUSEWHEEL)
    Pass_Wheel_To_Parent(this, Message);
}

void TCategoryPanelSurface::Paint()
{
  // Always the section's own colour, whatever order the colours were set in.
  Canvas()->Brush()->SetColor(Parent() ? Parent()->Color() : Color());
  Canvas()->FillRect(ClientRect());
}

// ---------------------------------------------------------------------- section

TCategoryPanel::TCategoryPanel(TCategoryPanelGroup* Group, TComponent* AOwner)
    : TCustomControl(AOwner), FGroup(Group)
{
  SetParentColor(true);
  SetTabStop(false);
  FSurface = new TCategoryPanelSurface(this);
  FSurface->SetParent(this);
  FExpandedHeight = 200;
  TCustomControl::SetBounds(0, 0, Group ? Group->ClientWidth() : 200, FExpandedHeight);
  if (Group) {
    SetParent(Group);
    Group->AddPanel(this);
  }
  LayoutSurface();
}

void TCategoryPanel::Join_Group(TCategoryPanelGroup* Group)
{
  if (FGroup || !Group)
    return;
  FGroup = Group;
  SetParent(Group);
  Group->AddPanel(this);
  LayoutSurface();
}

TCategoryPanel::~TCategoryPanel()
{
  if (FGroup)
    FGroup->RemovePanel(this);
}

TRect TCategoryPanel::HeaderRect() const
{
  return Rect(0, 0, Width(), FGroup ? FGroup->HeaderHeight() : 24);
}

void TCategoryPanel::LayoutSurface()
{
  const int header = HeaderRect().Height();
  FSurface->SetVisible(!FCollapsed);
  FSurface->SetBounds(0, header, Width(), std::max(0, FExpandedHeight - header));
}

void TCategoryPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  // While collapsed, a move that passes the current (header) height keeps the
  // remembered height.
  if (!FPlacing && !(FCollapsed && AHeight == Height()))
    FExpandedHeight = AHeight;
  const int shown = FCollapsed ? HeaderRect().Height() : FExpandedHeight;
  const bool changed = ALeft != Left() || ATop != Top() || AWidth != Width() || shown != Height();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, shown);
  if (FSurface)
    LayoutSurface();
  if (changed && !FPlacing && FGroup)
    FGroup->Restack();
}

void TCategoryPanel::PlaceInGroup(int ALeft, int ATop, int AWidth)
{
  FPlacing = true;
  SetBounds(ALeft, ATop, AWidth, FExpandedHeight);
  FPlacing = false;
}

void TCategoryPanel::SetVisible(bool Value)
{
  const bool changed = Value != Visible();
  TCustomControl::SetVisible(Value);
  if (changed && FGroup)
    FGroup->Restack();
}

void TCategoryPanel::WndProc(TMessage& Message)
{
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_MOUSEWHEEL)
    Pass_Wheel_To_Parent(this, Message);
}

void TCategoryPanel::SetCollapsed(bool Value)
{
  if (Value == FCollapsed)
    return;
  FCollapsed = Value;
  FPlacing = true;
  SetBounds(Left(), Top(), Width(), FExpandedHeight);
  FPlacing = false;
  Invalidate();
  if (FGroup)
    FGroup->Restack();
  const TNotifyEvent& ev = FCollapsed ? OnCollapse : OnExpand;
  if (ev)
    ev(this);
}

void TCategoryPanel::Resize()
{
  TCustomControl::Resize();
  if (FSurface)
    LayoutSurface();
}

void TCategoryPanel::SetHot(bool Value)
{
  if (Value == FHot)
    return;
  FHot = Value;
  Invalidate();
}

void TCategoryPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && HeaderRect().Contains(Point(X, Y)))
    SetCollapsed(!FCollapsed);
}

void TCategoryPanel::MouseMove(TShiftState Shift, int X, int Y)
{
  TCustomControl::MouseMove(Shift, X, Y);
  SetHot(HeaderRect().Contains(Point(X, Y)));
}

void TCategoryPanel::MouseLeave()
{
  TCustomControl::MouseLeave();
  SetHot(false);
}

void TCategoryPanel::Paint()
{
  TCanvas* c = Canvas();
  const TRect header = HeaderRect();
  const TColor base = FGroup ? FGroup->GradientBaseColor() : clBtnFace;
  const TColor end = FGroup ? FGroup->GradientEndColor() : clBtnFace;

  // Body first, then the header's vertical gradient line by line.
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(Rect(0, header.Bottom, Width(), Height()));
  for (int y = 0; y < header.Height(); ++y) {
    c->Pen()->SetColor(Blend(base, end, y, std::max(1, header.Height() - 1)));
    c->MoveTo(0, y);
    c->LineTo(header.Right, y);
  }
  c->Pen()->SetColor(Blend(base, clBlack, 1, 5));
  c->MoveTo(0, header.Bottom - 1);
  c->LineTo(header.Right, header.Bottom - 1);

  // Chevron at the right end.
  const int chevX = header.Right - 16 - 6;
  const int chevY = (header.Height() - 16) / 2;
  TImageList* images = FGroup ? FGroup->Images() : nullptr;
  const int index = FCollapsed ? (FGroup ? FGroup->ExpandImageIndex : 1)
                               : (FGroup ? FGroup->CollapseImageIndex : 0);
  if (images && index >= 0 && index < images->Count())
    images->Draw(c, chevX, chevY, index);
  else
    Draw_Chevron(c, chevX, chevY, !FCollapsed,
                 FHot && FGroup ? FGroup->ChevronHotColor()
                                : (FGroup ? FGroup->ChevronColor() : clGray));

  // Caption, vertically centred, cut before the chevron.
  if (FGroup)
    c->SetFont(*FGroup->HeaderFont());
  c->Brush()->SetStyle(bsClear);
  TRect text = Rect(6, 0, chevX - 4, header.Height());
  DrawText(c, Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  c->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------- group

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner) : TCustomControl(AOwner)
{
  SetControlStyle(ControlStyle() | csAcceptsControls);
  FHeaderFont.SetName(QStringLiteral("Verdana"));
  FHeaderFont.SetHeight(-15);
  FHeaderFont.SetStyle(TFontStyles(fsBold));
  FHeaderFont.SetColor(clGray);
}

TCategoryPanelGroup::~TCategoryPanelGroup()
{
  for (TCategoryPanel* p : FPanels)
    p->FGroup = nullptr;
}

void TCategoryPanelGroup::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
}

void TCategoryPanelGroup::CreateWnd()
{
  TCustomControl::CreateWnd();
  // A new window starts from the creation parameters, without the scroll bar the
  // stacked sections may need: work it out again.
  Restack();
}

void TCategoryPanelGroup::AddPanel(TCategoryPanel* p)
{
  FPanels.push_back(p);
  Restack();
}

void TCategoryPanelGroup::RemovePanel(TCategoryPanel* p)
{
  FPanels.erase(std::remove(FPanels.begin(), FPanels.end(), p), FPanels.end());
  Restack();
}

void TCategoryPanelGroup::SetHeaderHeight(int Value)
{
  if (Value < 0 || Value == FHeaderHeight)
    return;
  FHeaderHeight = Value;
  for (TCategoryPanel* p : FPanels) {
    p->LayoutSurface();
    p->Invalidate();
  }
  Restack();
}

void TCategoryPanelGroup::RepaintPanels()
{
  for (TCategoryPanel* p : FPanels)
    p->Invalidate();
}

int TCategoryPanelGroup::ContentHeight() const
{
  int total = 0;
  for (TCategoryPanel* p : FPanels)
    if (p->Visible())
      total += p->Height();
  return total;
}

int TCategoryPanelGroup::MaxScrollPos() const
{
  return std::max(0, ContentHeight() - ClientHeight());
}

void TCategoryPanelGroup::Restack()
{
  if (FRestacking)
    return;
  FRestacking = true;
  std::vector<TCategoryPanel*> shown;
  for (TCategoryPanel* p : FPanels)
    if (p->Visible())
      shown.push_back(p);
  std::stable_sort(shown.begin(), shown.end(),
                   [](const TCategoryPanel* a, const TCategoryPanel* b) { return a->Top() < b->Top(); });

  UpdateScrollBar();  // may change the client width
  FScrollPos = std::clamp(FScrollPos, 0, MaxScrollPos());
  int y = -FScrollPos;
  const int width = ClientWidth();
  for (TCategoryPanel* p : shown) {
    p->PlaceInGroup(0, y, width);
    y += p->Height();
  }
  UpdateScrollBar();
  FRestacking = false;
}

void TCategoryPanelGroup::UpdateScrollBar()
{
  const int total = ContentHeight();
  const bool need = total > ClientHeight() && ClientHeight() > 0;
  if (need != ScrollBarVisible(SB_VERT))
    ShowScrollBar(SB_VERT, need);
  if (need) {
    TScrollInfo si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = total - 1;
    si.nPage = unsigned(ClientHeight());
    si.nPos = FScrollPos;
    TWinControl::SetScrollInfo(SB_VERT, si, true);
  }
}

void TCategoryPanelGroup::SetScrollPos(int Value)
{
  Value = std::clamp(Value, 0, MaxScrollPos());
  if (Value == FScrollPos)
    return;
  FScrollPos = Value;
  Restack();
  Invalidate();
}

void TCategoryPanelGroup::Resize()
{
  TCustomControl::Resize();
  Restack();
}

void TCategoryPanelGroup::WndProc(TMessage& Message)
{
  if (Message.Msg == WM_VSCROLL) {
    const int code = LOWORD(Message.WParam);
    switch (code) {
    case SB_LINEUP: SetScrollPos(FScrollPos - FLineStep); break;
    case SB_LINEDOWN: SetScrollPos(FScrollPos + FLineStep); break;
    case SB_PAGEUP: SetScrollPos(FScrollPos - ClientHeight()); break;
    case SB_PAGEDOWN: SetScrollPos(FScrollPos + ClientHeight()); break;
    case SB_THUMBTRACK:  // tracking: follow the thumb while it moves
    case SB_THUMBPOSITION: {
      TScrollInfo si;
      si.fMask = SIF_TRACKPOS | SIF_POS;
      int pos = HIWORD(Message.WParam);
      if (GetScrollInfo(SB_VERT, si))
        pos = code == SB_THUMBTRACK ? si.nTrackPos : si.nPos;
      SetScrollPos(pos);
      break;
    }
    case SB_TOP: SetScrollPos(0); break;
    case SB_BOTTOM: SetScrollPos(MaxScrollPos()); break;
    default: break;  // SB_ENDSCROLL
    }
    Message.Result = 0;
    return;
  }
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_MOUSEWHEEL && !Message.Result) {
    if (Parent())
      Message.Result = Parent()->Perform(WM_MOUSEWHEEL, Message.WParam, Message.LParam);
    if (!Message.Result) {
      const int delta = int16_t(HIWORD(Message.WParam));
      const int lines = std::max(1, Mouse ? Mouse->WheelScrollLines() : 3);
      SetScrollPos(FScrollPos + (delta < 0 ? lines : -lines) * FLineStep);
    }
    Message.Result = 1;
  }
}

void TCategoryPanelGroup::Paint()
{
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

void Make_Section_Chevron_Images(TImageList& List, TColor Color)
{
  List.Clear();
  List.SetSize(16, 16);
  for (int i = 0; i < 2; ++i) {
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    {
      TCanvas c(&img);
      Draw_Chevron(&c, 0, 0, i == 0, Color);
      c.ReleasePainter();
    }
    List.AddImage(img);
  }
}

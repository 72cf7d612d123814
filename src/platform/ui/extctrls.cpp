#include "platform/ui/extctrls.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"

#include <QtCore/QEvent>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtCore/QRegularExpression>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

#include <algorithm>
#include <functional>
#include <map>

// ---------------------------------------------------------------- panel
TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 185, 41);
}

int TCustomPanel::BevelSize() const
{
    int n = 0;
    if (FBevelOuter != bvNone) n += FBevelWidth;
    if (FBevelInner != bvNone) n += FBevelWidth;
    return n + FBorderWidth;
}

void TCustomPanel::AlignControls(TControl* c, TRect& r)
{
    const int b = (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
    InflateRect(r, -b, -b);
    TCustomControl::AlignControls(c, r);
}

void TCustomPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        for (int i = 0; i < FBevelWidth; ++i) {
            if (cut == bvRaised) DrawEdge(c, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
            else if (cut == bvLowered) DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
            else InflateRect(r, -1, -1);
        }
    };
    bevel(FBevelOuter);
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    bevel(FBevelInner);
    if (FShowCaption && !FText.isEmpty()) {
        c->SetFont(FFont);
        if (!FEnabled) c->Font()->SetColor(clGrayText);
        c->Brush()->SetStyle(bsClear);
        unsigned f = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
        if (FAlignment == taCenter) f |= DT_CENTER;
        else if (FAlignment == taRightJustify) f |= DT_RIGHT;
        DrawText(c, FText, r, f);
    }
}

// ---------------------------------------------------------------- bevel, shape
TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 50, 50);
}

void TBevel::Paint()
{
    TCanvas* c = Canvas();
    const TColor a = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor b = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    auto line = [&](int x1, int y1, int x2, int y2, TColor col) {
        c->Pen()->SetColor(col);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    const int w = FWidth, h = FHeight;
    switch (FShape) {
    case bsBox:
        line(0, 0, w - 1, 0, a); line(0, 0, 0, h - 1, a);
        line(0, h - 1, w, h - 1, b); line(w - 1, 0, w - 1, h, b);
        break;
    case bsFrame:
        line(0, 0, w - 1, 0, a); line(0, 0, 0, h - 1, a); line(1, h - 2, w - 1, h - 2, a); line(w - 2, 1, w - 2, h - 1, a);
        line(1, 1, w - 2, 1, b); line(1, 1, 1, h - 2, b); line(0, h - 1, w, h - 1, b); line(w - 1, 0, w - 1, h, b);
        break;
    case bsTopLine: line(0, 0, w, 0, a); line(0, 1, w, 1, b); break;
    case bsBottomLine: line(0, h - 2, w, h - 2, a); line(0, h - 1, w, h - 1, b); break;
    case bsLeftLine: line(0, 0, 0, h, a); line(1, 0, 1, h, b); break;
    case bsRightLine: line(w - 2, 0, w - 2, h, a); line(w - 1, 0, w - 1, h, b); break;
    default: break;
    }
}

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 65, 65);
    FPen.OnChange = [this] { Invalidate(); };
    FBrush.OnChange = [this] { Invalidate(); };
}

void TShape::Paint()
{
    TCanvas* c = Canvas();
    c->Pen()->Assign(FPen);
    c->Brush()->Assign(FBrush);
    const int pw = FPen.Width();
    int x = pw / 2, y = pw / 2, w = FWidth - pw + 1, h = FHeight - pw + 1;
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        const int s = std::min(w, h);
        x += (w - s) / 2; y += (h - s) / 2; w = h = s;
    }
    switch (FShape) {
    case stRectangle: case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect: case stRoundSquare: c->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4); break;
    default: c->Ellipse(x, y, x + w, y + h); break;
    }
}

// ---------------------------------------------------------------- image
TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() = default;

void TImage::SetTransparent(bool v)
{
    FTransparentImage = v;
    if (FPicture->Graphic()) FPicture->Graphic()->SetTransparent(v);
    Invalidate();
}

void TImage::SetAutoSize(bool v)
{
    FAutoSize = v;
    PictureChanged();
}

void TImage::PictureChanged()
{
    if (FPicture->Graphic() && FTransparentImage) FPicture->Graphic()->SetTransparent(true);
    if (FAutoSize && FPicture->Width() > 0) SetBounds(FLeft, FTop, FPicture->Width(), FPicture->Height());
    Invalidate();
}

TRect TImage::DestRect() const
{
    int w = FPicture->Width(), h = FPicture->Height();
    const int cw = FWidth, ch = FHeight;
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double xy = double(w) / h;
            if (cw / xy <= ch) { w = cw; h = int(cw / xy); }
            else { h = ch; w = int(ch * xy); }
        } else { w = cw; h = ch; }
    }
    int x = 0, y = 0;
    if (FCenter) { x = (cw - w) / 2; y = (ch - h) / 2; }
    return Bounds(x, y, w, h);
}

void TImage::Paint()
{
    if (TGraphic* g = FPicture->Graphic()) Canvas()->StretchDraw(DestRect(), g);
}

// ---------------------------------------------------------------- timer
TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(std::make_unique<QTimer>())
{
    QObject::connect(FTimer.get(), &QTimer::timeout, [this] { Tick(); });
    Update();
}

TTimer::~TTimer() { FTimer->stop(); }

void TTimer::SetEnabled(bool v) { FEnabled = v; Update(); }
void TTimer::SetInterval(unsigned ms) { FInterval = ms; Update(); }

void TTimer::Update()
{
    FTimer->stop();
    if (FEnabled && FInterval > 0) FTimer->start(int(FInterval));
}

void TTimer::Tick()
{
    TControl::Guard([this] { if (OnTimer) OnTimer(this); });
}

namespace {
std::map<std::pair<TControl*, uintptr_t>, QTimer*>& ControlTimers()
{
    static std::map<std::pair<TControl*, uintptr_t>, QTimer*> m;
    return m;
}
} // namespace

bool SetTimer(HWND wnd, uintptr_t id, unsigned ms)
{
    if (!wnd) return false;
    auto& m = ControlTimers();
    auto key = std::make_pair(wnd, id);
    QTimer*& t = m[key];
    if (!t) {
        t = new QTimer(wnd);
        QPointer<TControl> guard(wnd);
        QObject::connect(t, &QTimer::timeout, wnd, [guard, id] {
            if (guard) TControl::Guard([&] { guard->Perform(WM_TIMER, id, 0); });
        });
        QObject::connect(wnd, &QObject::destroyed, [key] { ControlTimers().erase(key); });
    }
    t->start(int(ms));
    return true;
}

bool KillTimer(HWND wnd, uintptr_t id)
{
    auto& m = ControlTimers();
    auto it = m.find(std::make_pair(wnd, id));
    if (it == m.end()) return false;
    it->second->stop();
    return true;
}

// ---------------------------------------------------------------- splitter
TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FAlign = alLeft;
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
}

TControl* TSplitter::FindControl() const
{
    if (!FParent) return nullptr;
    // The control aligned on the same side, touching the splitter.
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* c = FParent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != FAlign) continue;
        switch (FAlign) {
        case alLeft: if (c->Left() + c->Width() == FLeft) return c; break;
        case alRight: if (c->Left() == FLeft + FWidth) return c; break;
        case alTop: if (c->Top() + c->Height() == FTop) return c; break;
        case alBottom: if (c->Top() == FTop + FHeight) return c; break;
        default: break;
        }
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton b, TShiftState s, int x, int y)
{
    TGraphicControl::MouseDown(b, s, x, y);
    if (b == mbLeft) { FDragging = true; FDownPos = TPoint(x, y); }
}

void TSplitter::MouseMove(TShiftState s, int x, int y)
{
    TGraphicControl::MouseMove(s, x, y);
    if (!FDragging) return;
    TControl* c = FindControl();
    if (!c) return;
    const int dx = x - FDownPos.X, dy = y - FDownPos.Y;
    switch (FAlign) {
    case alLeft: c->SetWidth(std::max(FMinSize, c->Width() + dx)); break;
    case alRight: c->SetWidth(std::max(FMinSize, c->Width() - dx)); break;
    case alTop: c->SetHeight(std::max(FMinSize, c->Height() + dy)); break;
    case alBottom: c->SetHeight(std::max(FMinSize, c->Height() - dy)); break;
    default: break;
    }
}

void TSplitter::MouseUp(TMouseButton b, TShiftState s, int x, int y)
{
    TGraphicControl::MouseUp(b, s, x, y);
    if (FDragging) {
        FDragging = false;
        if (OnMoved) OnMoved(this);
    }
}

void TSplitter::Paint()
{
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect(ClientRect());
}

// ---------------------------------------------------------------- scroll box
TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner)
{
    FArea = new QScrollArea(this);
    FArea->setFrameShape(QFrame::NoFrame);
    FCanvasWidget = new QWidget();
    FArea->setWidget(FCanvasWidget);
    FArea->setWidgetResizable(false);
    FArea->setGeometry(0, 0, 185, 41);
    FArea->viewport()->installEventFilter(this);
    SetBounds(0, 0, 185, 41);
    SetLineIncrement(8);
}

void TScrollBox::SetAutoScroll(bool v)
{
    FAutoScroll = v;
    FArea->setHorizontalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    FArea->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int TScrollBox::HorzPosition() const { return FArea->horizontalScrollBar()->value(); }
int TScrollBox::VertPosition() const { return FArea->verticalScrollBar()->value(); }
void TScrollBox::SetHorzPosition(int v) { FArea->horizontalScrollBar()->setValue(v); }
void TScrollBox::SetVertPosition(int v) { FArea->verticalScrollBar()->setValue(v); }

// Decided from the policy and the range, so that the answer holds before the box is first shown.
static bool ScrollBarShows(Qt::ScrollBarPolicy policy, const QScrollBar* bar)
{
    return policy == Qt::ScrollBarAlwaysOn || (policy == Qt::ScrollBarAsNeeded && bar->maximum() > bar->minimum());
}
bool TScrollBox::VertScrollBarVisible() const
{
    return ScrollBarShows(FArea->verticalScrollBarPolicy(), FArea->verticalScrollBar());
}
bool TScrollBox::HorzScrollBarVisible() const
{
    return ScrollBarShows(FArea->horizontalScrollBarPolicy(), FArea->horizontalScrollBar());
}

void TScrollBox::SetLineIncrement(int v)
{
    FLine = std::max(1, v);
    FArea->horizontalScrollBar()->setSingleStep(FLine);
    FArea->verticalScrollBar()->setSingleStep(FLine);
}

TRect TScrollBox::ClientRect() const
{
    const QSize s = FArea->viewport()->size();
    return TRect(0, 0, s.width(), s.height());
}

void TScrollBox::UpdateScrollRange()
{
    int w = 0, h = 0;
    for (TControl* c : FControls) {
        if (!c->Visible()) continue;
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    const QSize vp = FArea->viewport()->size();
    FCanvasWidget->resize(std::max(w, vp.width()), std::max(h, vp.height()));
}

void TScrollBox::AlignControls(TControl* c, TRect& r)
{
    TWinControl::AlignControls(c, r);
    UpdateScrollRange();
}

void TScrollBox::ScrollInView(TControl* c)
{
    if (!c) return;
    FArea->ensureVisible(c->Left() + c->Width() / 2, c->Top() + c->Height() / 2, c->Width() / 2, c->Height() / 2);
}

void TScrollBox::resizeEvent(QResizeEvent* e)
{
    TWinControl::resizeEvent(e);
    FArea->setGeometry(0, 0, FWidth, FHeight);
    UpdateScrollRange();
}

void TScrollBox::WndProc(TMessage& m)
{
    if (m.Msg == CM_MOUSEWHEEL) {
        const int delta = int16_t(m.WParamHi());
        if (DoMouseWheel(TShiftState::FromBits(m.WParamLo()), delta, TPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)))) {
            m.Result = 1;
            return;
        }
        const int before = VertPosition();
        SetVertPosition(before - delta * Mouse->WheelScrollLines() * FLine / 120);
        if (VertPosition() != before) { m.Result = 1; return; }
        m.Result = FParent ? FParent->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam) : 0;
        return;
    }
    TWinControl::WndProc(m);
    if (m.Msg == CM_VISIBLECHANGED || m.Msg == WM_SIZE) UpdateScrollRange();
}

// ---------------------------------------------------------------- link label
TLinkLabel::TLinkLabel(TComponent* AOwner) : TWinControl(AOwner)
{
    FLabel = new QLabel();
    FLabel->setTextFormat(Qt::RichText);
    FLabel->setOpenExternalLinks(false);
    FLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    SetInnerWidget(FLabel);
    FParentColor = true;
    FControlStyle &= ~unsigned(csClickEvents);
    SetBounds(0, 0, 53, 17);
    QObject::connect(FLabel, &QLabel::linkActivated, this, [this](const QString& link) {
        Guard([&] { if (OnLinkClick) OnLinkClick(this, link, sltURL); });
    });
}

void TLinkLabel::SetTextBuf(const QString& s)
{
    FText = s;
    FLabel->setText(s);
}

QStringList TLinkLabel::Links() const
{
    QStringList out;
    static const QRegularExpression re(QStringLiteral("<a\\s+href\\s*=\\s*\"([^\"]*)\""), QRegularExpression::CaseInsensitiveOption);
    auto it = re.globalMatch(FText);
    while (it.hasNext()) out << it.next().captured(1);
    return out;
}

void TLinkLabel::ClickLink(int index)
{
    const QStringList l = Links();
    if (index >= 0 && index < l.size()) Guard([&] { if (OnLinkClick) OnLinkClick(this, l[index], sltURL); });
}

void TLinkLabel::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) { m.Result = 0; return; }
    TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- speed button
TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 23, 22);
    FControlStyle &= ~unsigned(csClickEvents);
}

void TSpeedButton::SetDown(bool v)
{
    if (v == FDown) return;
    if (FGroupIndex == 0) v = false;
    FDown = v;
    if (v && FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSpeedButton*>(FParent->Controls(i)); b && b != this && b->FGroupIndex == FGroupIndex)
                { b->FDown = false; b->Invalidate(); }
    Invalidate();
}

TButtonState TSpeedButton::State() const
{
    if (!FEnabled) return bsDisabled;
    if (FPressed) return FDown ? bsExclusive : bsDown;
    return FDown ? bsDown : bsUp;
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton b, TShiftState s, int x, int y)
{
    TGraphicControl::MouseDown(b, s, x, y);
    if (b == mbLeft && FEnabled) { FPressed = true; Invalidate(); }
}

void TSpeedButton::MouseUp(TMouseButton b, TShiftState s, int x, int y)
{
    TGraphicControl::MouseUp(b, s, x, y);
    if (b != mbLeft || !FPressed) return;
    FPressed = false;
    if (ClientRect().Contains(TPoint(x, y))) {
        if (FGroupIndex != 0) {
            if (!FDown) SetDown(true);
            else if (FAllowAllUp) { FDown = false; }
        }
        Invalidate();
        Click();
    }
    Invalidate();
}

void TSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    const bool pushed = FPressed || FDown;
    if (!FFlat || FHot || pushed) {
        unsigned st = (pushed ? unsigned(tsPressed) : 0u) | (FHot ? unsigned(tsHot) : 0u) | (FEnabled ? 0u : unsigned(tsDisabled));
        DrawThemedPart(c, r, tpPushButton, st);
    }
    if (!FGlyph.Empty()) {
        FGlyph.SetTransparent(true);
        const int x = (FWidth - FGlyph.Width()) / 2 + (pushed ? 1 : 0);
        const int y = (FHeight - FGlyph.Height()) / 2 + (pushed ? 1 : 0);
        c->Draw(x, y, &FGlyph);
    } else if (!FText.isEmpty()) {
        c->SetFont(FFont);
        c->Brush()->SetStyle(bsClear);
        DrawText(c, FText, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---------------------------------------------------------------- balloon hint
class TBalloonWindow : public TPopupWindow {
public:
    TBalloonWindow() : TPopupWindow(nullptr)
    {
        FColor = clInfoBk;
        setAttribute(Qt::WA_TranslucentBackground);
        // One timer per window: showing again restarts it, so an earlier showing's
        // time never cuts a later one short.
        FHideTimer.setSingleShot(true);
        QObject::connect(&FHideTimer, &QTimer::timeout, [this] { if (OnTimeout) OnTimeout(); });
    }
    QTimer FHideTimer;
    std::function<void()> OnTimeout;
    QString Title, Text;
    TColor TextColor = clNone, BackColor = clNone;
    int MaxWidth = 280;
    void Layout()
    {
        TCanvas* c = Canvas();
        c->SetFont(FFont);
        const int w = std::max(20, MaxWidth);
        TRect t(0, 0, w, 0), d(0, 0, w, 0);
        c->Font()->SetStyle(fsBold);
        DrawText(c, Title, t, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        c->Font()->SetStyle(TFontStyles());
        DrawText(c, Text, d, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SetBounds(FLeft, FTop, std::max(t.Width(), d.Width()) + 20, t.Height() + d.Height() + 16 + kTail);
    }
    static constexpr int kTail = 8;
    // Where the stem's tip stands on the top edge.
    static constexpr int kTip = 20;
protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        QPainter* p = c->Painter();
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->fillRect(QRect(0, 0, FWidth, FHeight), Qt::transparent);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(0.5, kTail + 0.5, FWidth - 1, FHeight - kTail - 1), 6, 6);
        QPolygonF tail;
        tail << QPointF(kTip - 6, kTail + 1) << QPointF(kTip, 0.5) << QPointF(kTip + 6, kTail + 1);
        path.addPolygon(tail);
        path = path.simplified();
        const TColor text = TextColor == clNone ? TColor(clInfoText) : TextColor;
        p->setPen(ToQColor(text));
        p->setBrush(ToQColor(BackColor == clNone ? TColor(clInfoBk) : BackColor));
        p->drawPath(path);
        p->setRenderHint(QPainter::Antialiasing, false);
        c->SetFont(FFont);
        c->Font()->SetColor(text);
        c->Brush()->SetStyle(bsClear);
        TRect r(10, kTail + 6, FWidth - 10, FHeight - 6);
        c->Font()->SetStyle(fsBold);
        const int h = DrawText(c, Title, r, DT_WORDBREAK | DT_NOPREFIX);
        c->Font()->SetStyle(TFontStyles());
        r.Top += h + 2;
        DrawText(c, Text, r, DT_WORDBREAK | DT_NOPREFIX);
    }
};

// Watches the mouse on the tool control and starts the balloon after a rest.
class TBalloonTool : public QObject {
public:
    TBalloonTool(TBalloonHint* Hint, TWinControl* Control) : FHint(Hint), FControl(Control)
    {
        FTimer.setSingleShot(true);
        QObject::connect(&FTimer, &QTimer::timeout, [this] { FHint->ActivateTool(); });
        Control->installEventFilter(this);
    }
    ~TBalloonTool() override
    {
        if (FControl) FControl->removeEventFilter(this);
    }
    TWinControl* Control() const { return FControl.data(); }
    QTimer FTimer;
    bool FRecentlyShown = false;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseMove:
            if (!FHint->Showing()) FTimer.start(FRecentlyShown ? FHint->ReshowDelay : FHint->InitialDelay);
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        // A tooltip does not outlive its window's activation or its control's showing.
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            FTimer.stop();
            FHint->HideHint();
            break;
        default:
            break;
        }
        return false;
    }

private:
    TBalloonHint* FHint;
    QPointer<TWinControl> FControl;
};

TBalloonHint::TBalloonHint(TComponent* AOwner) : TComponent(AOwner) {}
TBalloonHint::~TBalloonHint()
{
    delete FTool;
    delete FWindow;
}

void TBalloonHint::SetTool(TWinControl* Control)
{
    if (FTool && FTool->Control() == Control) return;
    // The old tool's balloon goes with it, and the old tool hears so.
    if (FToolShown) HideHint();
    delete FTool;
    FTool = Control ? new TBalloonTool(this, Control) : nullptr;
}

TWinControl* TBalloonHint::Tool() const { return FTool ? FTool->Control() : nullptr; }

void TBalloonHint::ActivateTool()
{
    TWinControl* c = Tool();
    if (!c) return;
    TToolTipTextRequest req;
    req.hdr.code = TTN_GETDISPINFOW;
    req.Title = Title;
    req.Icon = Icon;
    c->Perform(WM_NOTIFY, 0, LPARAM(&req));
    if (req.Text.isEmpty()) return;
    Title = req.Title;
    Description = req.Text;
    Icon = req.Icon;
    if (req.MaxWidth > 0) MaxWidth = req.MaxWidth;
    if (req.TextColor != uint32_t(clNone)) TextColor = TColor(req.TextColor);
    if (req.BkColor != uint32_t(clNone)) Color = TColor(req.BkColor);
    ShowHint(Mouse ? Mouse->CursorPos() : c->ClientToScreen(TPoint(0, 0)));
    FToolShown = true;
    FTool->FRecentlyShown = true;
    NMHDR shown;
    shown.code = TTN_SHOW;
    c->Perform(WM_NOTIFY, 0, LPARAM(&shown));
}

void TBalloonHint::ShowHint(TControl* c)
{
    if (!c) return;
    ShowHint(c->ClientToScreen(TPoint(c->Width() / 2, c->Height())));
}

void TBalloonHint::ShowHint(const TPoint& p)
{
    if (!FWindow) {
        FWindow = new TBalloonWindow;
        FWindow->OnTimeout = [this] { HideHint(); };
    }
    FWindow->Title = Title;
    FWindow->Text = Description;
    FWindow->TextColor = TextColor;
    FWindow->BackColor = Color;
    FWindow->MaxWidth = MaxWidth;
    FWindow->Layout();
    FWindow->Popup(TPoint(p.X - TBalloonWindow::kTip, p.Y));
    if (Opacity < 255) SetLayeredWindowAlpha(FWindow, std::max(0, Opacity));
    FWindow->Invalidate();
    if (HideAfter > 0) FWindow->FHideTimer.start(HideAfter);
    else FWindow->FHideTimer.stop();
}

void TBalloonHint::HideHint()
{
    if (FWindow) {
        FWindow->FHideTimer.stop();
        FWindow->ClosePopup();
    }
    if (FToolShown && Tool()) {
        FToolShown = false;
        NMHDR gone;
        gone.code = TTN_POP;
        Tool()->Perform(WM_NOTIFY, 0, LPARAM(&gone));
    }
}
bool TBalloonHint::Showing() const { return FWindow && FWindow->IsOpen(); }


#include "platform/ui/controls.h"
#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"
#include "platform/ui/menus.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QToolTip>

#include <algorithm>
#include <typeinfo>

namespace {
const QEvent::Type kPostedMessage = QEvent::Type(QEvent::registerEventType());

class TPostedMessageEvent : public QEvent {
public:
    TPostedMessageEvent(UINT m, WPARAM w, LPARAM l) : QEvent(kPostedMessage), Msg(m), W(w), L(l) {}
    UINT Msg;
    WPARAM W;
    LPARAM L;
};

// The right Alt key is held (the left one is the Alt modifier without it).
bool gRightAltDown = false;

// The control that lost the focus last, for DoEnter's peer.
QPointer<TWinControl> gLastFocusLost;

constexpr int kScrollBarSize = 17;
} // namespace

// ---------------------------------------------------------------- messages
UINT RegisterWindowMessage(const QString& name)
{
    static QHash<QString, UINT> ids;
    static UINT next = 0xC000;
    auto it = ids.find(name);
    if (it != ids.end()) return *it;
    const UINT id = next++;
    ids.insert(name, id);
    return id;
}

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!wnd) return false;
    QCoreApplication::postEvent(wnd, new TPostedMessageEvent(msg, wParam, lParam));
    return true;
}

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return wnd ? wnd->Perform(msg, wParam, lParam) : 0;
}

// ---------------------------------------------------------------- cursors
QCursor CursorToQCursor(TCursor c)
{
    switch (c) {
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crSizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS: return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE: return QCursor(Qt::SizeHorCursor);
    case crUpArrow: return QCursor(Qt::UpArrowCursor);
    case crHourGlass: case crSQLWait: return QCursor(Qt::WaitCursor);
    case crAppStart: return QCursor(Qt::BusyCursor);
    case crDrag: case crMultiDrag: return QCursor(Qt::DragMoveCursor);
    case crNoDrop: case crNo: return QCursor(Qt::ForbiddenCursor);
    case crHSplit: return QCursor(Qt::SplitHCursor);
    case crVSplit: return QCursor(Qt::SplitVCursor);
    case crHelp: return QCursor(Qt::WhatsThisCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    default: break;
    }
    if (c > 0) return Screen->Cursors(c);
    return QCursor(Qt::ArrowCursor);
}

// ---------------------------------------------------------------- TControl
TControl::TControl(TComponent* AOwner) : QWidget(nullptr), TComponent(AOwner)
{
    setAttribute(Qt::WA_Hover, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    FFont.OnChange = [this] {
        if (!FSettingFont) FParentFont = false;
        Guard([this] { FontChanged(); });
    };
}

TControl::~TControl()
{
    FComponentState |= csDestroying;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = nullptr;
    DestroyComponents();
    if (FParent) FParent->RemoveControl(this);
    FParent = nullptr;
}

QString TControl::ClassName() const
{
    const char* n = metaObject()->className();
    return QString::fromLatin1(n);
}

void TControl::Guard(const std::function<void()>& f)
{
    try {
        f();
    } catch (...) {
        Application->HandleException(nullptr);
    }
}

void TControl::SetBounds(int l, int t, int w, int h)
{
    w = std::max(0, w);
    h = std::max(0, h);
    const bool moved = l != FLeft || t != FTop;
    const bool sized = w != FWidth || h != FHeight;
    if (!moved && !sized) return;
    FLeft = l; FTop = t; FWidth = w; FHeight = h;
    FInSetBounds = true;
    ApplyGeometry();
    FInSetBounds = false;
    if (sized) {
        if (auto* wc = dynamic_cast<TWinControl*>(this)) {
            wc->LayoutScrollBars();
            wc->Realign();
        }
        const TRect cr = ClientRect();
        Perform(WM_SIZE, 0, MAKELPARAM(unsigned(cr.Width()), unsigned(cr.Height())));
    }
    if (FParent && FAlign != alNone && !FParent->FAligning) FParent->Realign();
    if (moved) Perform(WM_MOVE, 0, MAKELPARAM(unsigned(l), unsigned(t)));
}

void TControl::ApplyGeometry()
{
    if (isWindow()) {
        move(FLeft, FTop);
        resize(FWidth, FHeight);
        return;
    }
    const TPoint off = FParent ? FParent->ClientOrigin() : TPoint();
    setGeometry(FLeft + off.X, FTop + off.Y, FWidth, FHeight);
    if (FInner) FInner->setGeometry(0, 0, FWidth, FHeight);
}

TRect TControl::ClientRect() const { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int v) { SetWidth(FWidth - ClientWidth() + v); }
void TControl::SetClientHeight(int v) { SetHeight(FHeight - ClientHeight() + v); }

void TControl::SetAlign(TAlign a)
{
    if (a == FAlign) return;
    FAlign = a;
    if (FParent) FParent->Realign();
}

TPoint TControl::ClientToScreen(const TPoint& p) const
{
    const TPoint o = ClientOrigin();
    return TPoint::From(mapToGlobal(QPoint(p.X + o.X, p.Y + o.Y)));
}

TPoint TControl::ScreenToClient(const TPoint& p) const
{
    const TPoint o = ClientOrigin();
    const QPoint q = mapFromGlobal(p.ToQPoint());
    return TPoint(q.x() - o.X, q.y() - o.Y);
}

void TControl::SetVisible(bool v)
{
    // A control without a parent is a window of its own: Show opens it even
    // though Visible already reads true, Hide closes it.
    const bool windowOutOfStep = !FParent && isWindow() && v != isVisible();
    if (v == FVisible && !windowOutOfStep) return;
    const bool changed = v != FVisible;
    FVisible = v;
    if (FParent || isWindow()) {
        if (FParent || v) setVisible(v);
        else hide();
    }
    if (!changed) return;
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    if (FParent && FAlign != alNone) FParent->Realign();
}

bool TControl::Showing() const
{
    if (!FVisible) return false;
    return isVisible();
}

void TControl::SetEnabled(bool v)
{
    if (v == FEnabled) return;
    FEnabled = v;
    setEnabled(v);
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const QString& s)
{
    if (s == GetText()) return;
    SetTextBuf(s);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetTextBuf(const QString& s)
{
    FText = s;
    if (isWindow()) setWindowTitle(s);
    Invalidate();
}

void TControl::SetColor(TColor c)
{
    if (c == FColor) return;
    FColor = c;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentFont(bool v)
{
    FParentFont = v;
    if (v && FParent) {
        FSettingFont = true;
        FFont.Assign(*FParent->Font());
        FSettingFont = false;
    }
}

void TControl::SetParentColor(bool v)
{
    FParentColor = v;
    if (v && FParent) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED);
        FParentColor = true;
    }
}

void TControl::FontChanged()
{
    ApplyFontAndColor();
    Perform(CM_FONTCHANGED);
}

void TControl::ColorChanged()
{
    ApplyFontAndColor();
    Invalidate();
}

void TControl::ApplyFontAndColor()
{
    QWidget* w = InputWidget();
    w->setFont(FFont.ToQFont());
    if (FInner) {
        QPalette pal = FInner->palette();
        const QColor text = ToQColor(FFont.Color());
        const QColor back = ToQColor(FColor);
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(g, QPalette::Text, text);
            pal.setColor(g, QPalette::WindowText, text);
            pal.setColor(g, QPalette::ButtonText, text);
            pal.setColor(g, QPalette::Base, back);
        }
        // Disabled controls show grey text whatever their font colour; an edit
        // on the window colour turns to the button face, any other colour stays.
        const QColor grey = ToQColor(clGrayText);
        pal.setColor(QPalette::Disabled, QPalette::Text, grey);
        pal.setColor(QPalette::Disabled, QPalette::WindowText, grey);
        pal.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
        pal.setColor(QPalette::Disabled, QPalette::Base,
                     ColorToRGB(FColor) == ColorToRGB(clWindow) ? ToQColor(clBtnFace) : back);
        FInner->setPalette(pal);
    }
    Invalidate();
}

void TControl::SetHint(const QString& h)
{
    FHint = h;
}

void TControl::SetShowHint(bool v)
{
    FShowHint = v;
    FParentShowHint = false;
}

void TControl::SetPopupMenu(TPopupMenu* m)
{
    if (m == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = m;
    if (m) m->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetCursor(TCursor c)
{
    FCursor = c;
    if (c == crDefault) InputWidget()->unsetCursor();
    else InputWidget()->setCursor(CursorToQCursor(c));
    Perform(CM_CURSORCHANGED);
}

void TControl::SetParent(TWinControl* p)
{
    if (p == FParent) return;
    if (p == this) throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
    if (FParent) FParent->RemoveControl(this);
    FParent = p;
    if (p) {
        p->InsertControl(this);
        QWidget::setParent(p->ChildHost(), Qt::Widget);
        if (FParentFont) {
            FSettingFont = true;
            FFont.Assign(*p->Font());
            FSettingFont = false;
        }
        if (FParentColor) FColor = p->Color();
        ApplyFontAndColor();
        ApplyGeometry();
        setVisible(FVisible);
        if (p->HandleAllocated())
            if (auto* wc = dynamic_cast<TWinControl*>(this)) wc->HandleNeeded();
        if (FAlign != alNone) p->Realign();
    } else {
        hide();
        QWidget::setParent(nullptr);
    }
}

void TControl::Invalidate()
{
    if (auto* cc = dynamic_cast<TCustomControl*>(this)) cc->FBlitOnly = false;
    QWidget::update();
}

void TControl::Repaint()
{
    Invalidate();
    QWidget::repaint();
}

void TControl::Update() { QWidget::repaint(); }

void TControl::BringToFront()
{
    raise();
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        v.push_back(this);
    }
}

void TControl::SendToBack()
{
    lower();
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        v.insert(v.begin(), this);
    }
}

bool TControl::MouseCapture() const { return QWidget::mouseGrabber() == InputWidget(); }

void TControl::SetMouseCapture(bool v)
{
    if (v) InputWidget()->grabMouse();
    else if (MouseCapture()) InputWidget()->releaseMouse();
}

HWND TControl::Handle()
{
    if (auto* wc = dynamic_cast<TWinControl*>(this)) wc->HandleNeeded();
    return this;
}

TCustomForm* TControl::GetParentForm() const
{
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    WndProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage& m)
{
    FDefaultReached = true;
    if (m.Msg == WM_MOUSEWHEEL) {
        // As the classic default window procedure: the native control may take
        // the wheel; otherwise it goes on to the parent window.
        if (FPendingWheel.Event && !FPendingWheel.Done) {
            FPendingWheel.Done = true;
            FPendingWheel.Event->setAccepted(false);
            if (FPendingWheel.Target != this || FInner) RunNative(FPendingWheel.Target, FPendingWheel.Event);
            if (FPendingWheel.Event->isAccepted()) { m.Result = 1; return; }
        }
        m.Result = FParent ? FParent->Perform(WM_MOUSEWHEEL, m.WParam, m.LParam) : 0;
        return;
    }
    if (m.Msg == WM_PAINT && FPendingPaint.Event && !FPendingPaint.Done) {
        FPendingPaint.Done = true;
        if (FPendingPaint.Canvas) FPendingPaint.Canvas->ReleasePainter();
        RunNative(FPendingPaint.Target, FPendingPaint.Event);
    }
}

void TControl::WndProc(TMessage& m)
{
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        if (m.Msg == WM_LBUTTONDOWN && FDragMode == dmAutomatic) { BeginDrag(true); return; }
        const TMouseButton b = m.Msg == WM_LBUTTONDOWN ? mbLeft : m.Msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
        if (b == mbLeft && (FControlStyle & csClickEvents)) FClickPending = true;
        MouseDown(b, TShiftState::FromBits(unsigned(m.WParam)), x, y);
        DefaultHandler(m);
        return;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const TMouseButton b = m.Msg == WM_LBUTTONDBLCLK ? mbLeft : m.Msg == WM_RBUTTONDBLCLK ? mbRight : mbMiddle;
        if (b == mbLeft && (FControlStyle & csDoubleClicks)) DblClick();
        MouseDown(b, TShiftState::FromBits(unsigned(m.WParam)) | ssDouble, x, y);
        DefaultHandler(m);
        return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const TMouseButton b = m.Msg == WM_LBUTTONUP ? mbLeft : m.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
        const bool click = b == mbLeft && FClickPending && ClientRect().Contains(TPoint(x, y));
        if (b == mbLeft) FClickPending = false;
        MouseUp(b, TShiftState::FromBits(unsigned(m.WParam)), x, y);
        if (click) Click();
        DefaultHandler(m);
        // As the default window procedure: a right button release asks for the
        // context menu. A wrapped native control without a menu of ours shows its own.
        if (b == mbRight && (!FInner || FPopupMenu)) {
            const TPoint s = ClientToScreen(TPoint(x, y));
            Perform(WM_CONTEXTMENU, WPARAM(this), MAKELPARAM(unsigned(s.X) & 0xFFFF, unsigned(s.Y) & 0xFFFF));
        }
        return;
    }
    case WM_MOUSEMOVE:
        MouseMove(TShiftState::FromBits(unsigned(m.WParam)), x, y);
        DefaultHandler(m);
        return;
    case WM_CONTEXTMENU:
        if (FPopupMenu && FPopupMenu->AutoPopup) {
            TPoint pt(x, y);
            // From the keyboard: the menu opens at the control's top-left corner.
            if (pt.X == -1 && pt.Y == -1) pt = ClientToScreen(TPoint(0, 0));
            Perform(WM_CANCELMODE);
            FPopupMenu->PopupComponent = this;
            FPopupMenu->Popup(pt.X, pt.Y);
            m.Result = 1;
            return;
        }
        DefaultHandler(m);
        // Unhandled, the request goes on to the parent (native controls have their own menu).
        if (!FInner && FParent) m.Result = FParent->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
        return;
    case WM_MOUSEWHEEL:
        // The form routes the wheel to its focused control first (CM_MOUSEWHEEL),
        // which offers it up the parent chain; unhandled, the native control gets it.
        m.Result = 0;
        MouseWheelHandler(m);
        if (m.Result == 0) DefaultHandler(m);
        return;
    case CM_MOUSEWHEEL: {
        const int delta = int16_t(m.WParamHi());
        if (DoMouseWheel(TShiftState::FromBits(m.WParamLo()), delta, TPoint(x, y))) { m.Result = 1; return; }
        m.Result = FParent ? FParent->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam) : 0;
        return;
    }
    case WM_SIZE:
        Resize();
        return;
    case WM_CANCELMODE:
        FClickPending = false;
        if (MouseCapture()) SetMouseCapture(false);
        return;
    case CM_MOUSEENTER:
        MouseEnter();
        return;
    case CM_MOUSELEAVE:
        MouseLeave();
        return;
    case CM_FONTCHANGED:
        if (auto* wc = dynamic_cast<TWinControl*>(this))
            for (TControl* c : wc->FControls) c->Perform(CM_PARENTFONTCHANGED);
        return;
    case CM_PARENTFONTCHANGED:
        if (FParentFont && FParent) {
            FSettingFont = true;
            FFont.Assign(*FParent->Font());
            FSettingFont = false;
        }
        return;
    case CM_COLORCHANGED:
        ColorChanged();
        if (auto* wc = dynamic_cast<TWinControl*>(this))
            for (TControl* c : wc->FControls) c->Perform(CM_PARENTCOLORCHANGED);
        return;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor && FParent) { FColor = FParent->Color(); Perform(CM_COLORCHANGED); FParentColor = true; }
        return;
    case CM_ENABLEDCHANGED:
        EnabledChanged();
        Invalidate();
        return;
    case CM_VISIBLECHANGED:
        VisibleChanged();
        return;
    case CM_TEXTCHANGED:
        TextChanged();
        return;
    case WM_SETCURSOR:
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_GETDLGCODE:
        DefaultHandler(m);
        return;
    default:
        break;
    }
    DefaultHandler(m);
}

void TControl::MouseWheelHandler(TMessage& m)
{
    TCustomForm* form = GetParentForm();
    if (form && form != this) form->MouseWheelHandler(m);
    else m.Result = Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
}

void TControl::Click() { if (OnClick) OnClick(this); }
void TControl::DblClick() { if (OnDblClick) OnDblClick(this); }
void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) { if (OnMouseDown) OnMouseDown(this, b, s, x, y); }
void TControl::MouseMove(TShiftState s, int x, int y) { if (OnMouseMove) OnMouseMove(this, s, x, y); }
void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) { if (OnMouseUp) OnMouseUp(this, b, s, x, y); }
void TControl::MouseEnter() { if (OnMouseEnter) OnMouseEnter(this); }
void TControl::MouseLeave() { if (OnMouseLeave) OnMouseLeave(this); }
void TControl::Resize() { if (OnResize) OnResize(this); }

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled) {
        if (WheelDelta < 0) handled = DoMouseWheelDown(Shift, MousePos);
        else if (WheelDelta > 0) handled = DoMouseWheelUp(Shift, MousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::SetInnerWidget(QWidget* w)
{
    FInner = w;
    w->setParent(this);
    w->setGeometry(0, 0, FWidth, FHeight);
    w->installEventFilter(this);
    setFocusProxy(w);
    ApplyFontAndColor();
}

namespace {
// A scroll area (an item view, a multi-line edit) handles its viewport's events through
// its own viewportEvent (its filter on the viewport, which our filter runs before): the
// viewport's event() alone would leave a click unseen by the area.
struct TViewportAccess : QAbstractScrollArea {
    static bool Deliver(QAbstractScrollArea* area, QEvent* e)
    {
        return (area->*(&TViewportAccess::viewportEvent))(e);
    }
};

QAbstractScrollArea* ScrollAreaOfViewport(QObject* target)
{
    auto* w = qobject_cast<QWidget*>(target);
    auto* area = w ? qobject_cast<QAbstractScrollArea*>(w->parentWidget()) : nullptr;
    return area && area->viewport() == w ? area : nullptr;
}
}  // namespace

void TControl::RunNative(QObject* target, QEvent* e)
{
    if (target == this) QWidget::event(e);
    else if (QAbstractScrollArea* area = ScrollAreaOfViewport(target)) TViewportAccess::Deliver(area, e);
    else static_cast<QObject*>(target)->event(e);
}

bool TControl::event(QEvent* e)
{
    if (FComponentState & csDestroying) return QWidget::event(e);
    bool consumed = false;
    try {
        consumed = HandleQtEvent(this, e);
    } catch (...) {
        Application->HandleException(this);
        consumed = true;
    }
    if (consumed) return true;
    return QWidget::event(e);
}

bool TControl::eventFilter(QObject* watched, QEvent* e)
{
    if (FComponentState & csDestroying) return false;
    if (watched == this) return false;
    try {
        return HandleQtEvent(watched, e);
    } catch (...) {
        Application->HandleException(this);
        return true;
    }
}

bool TControl::HandleQtEvent(QObject* target, QEvent* e)
{
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return HandleKeyEvent(target, static_cast<QKeyEvent*>(e));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (!FEnabled) return false;
        return HandleMouseEvent(target, static_cast<QMouseEvent*>(e));
    case QEvent::Wheel:
        return HandleWheelEvent(target, static_cast<QWheelEvent*>(e));
    case QEvent::Enter:
        if (target == InputWidget() && !FMouseInside) { FMouseInside = true; Perform(CM_MOUSEENTER); }
        return false;
    case QEvent::Leave:
        if (target == InputWidget() && FMouseInside) {
            FMouseInside = false;
            Application->HintMouseLeave(this);
            Perform(CM_MOUSELEAVE);
        }
        return false;
    case QEvent::Hide:
        // A control hidden under the pointer (its window closed by the click) gets no
        // leave from the window system: it would show its hover look when shown again.
        if (target == this && FMouseInside) {
            FMouseInside = false;
            Application->HintMouseLeave(this);
            Perform(CM_MOUSELEAVE);
        }
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        auto* wc = dynamic_cast<TWinControl*>(this);
        auto* fe = static_cast<QFocusEvent*>(e);
        if (!wc || target != InputWidget()) return false;
        if (fe->reason() == Qt::ActiveWindowFocusReason || fe->reason() == Qt::PopupFocusReason) return false;
        if (e->type() == QEvent::FocusIn) {
            TWinControl* prev = gLastFocusLost.data();
            FFocusPeer = prev;
            if (TCustomForm* f = GetParentForm()) f->FocusChanged(wc);
            Perform(WM_SETFOCUS, WPARAM(prev));
            Perform(CM_ENTER);
            FFocusPeer = nullptr;
        } else {
            gLastFocusLost = wc;
            FFocusPeer = dynamic_cast<TWinControl*>(FindControl(QApplication::focusWidget()));
            Perform(WM_KILLFOCUS, WPARAM(FFocusPeer));
            Perform(CM_EXIT);
            FFocusPeer = nullptr;
        }
        return false;
    }
    case QEvent::ContextMenu: {
        // The wrapped widget had its turn first; what it left goes to the parent.
        if (target == this && FInner) return false;
        auto* ce = static_cast<QContextMenuEvent*>(e);
        if (ce->reason() != QContextMenuEvent::Keyboard) {
            // Mouse requests come from the right button release (WM_RBUTTONUP);
            // only a native control's own menu is left to Qt.
            if (FInner && !FPopupMenu) return false;
            e->accept();
            return true;
        }
        const TPoint pt(-1, -1);
        TMessage m;
        m.Msg = WM_CONTEXTMENU;
        m.WParam = WPARAM(this);
        m.LParam = MAKELPARAM(unsigned(pt.X) & 0xFFFF, unsigned(pt.Y) & 0xFFFF);
        FDefaultReached = false;
        WndProc(m);
        // Our controls passed it to the parent already; a native one shows its own menu.
        if (FDefaultReached && FInner) RunNative(target, e);
        else e->accept();
        return true;
    }
    case QEvent::ToolTip:
        // Hints run on the application's own timer (HintPause).
        return true;
    case QEvent::Paint: {
        // A wrapped widget paints through WM_PAINT: wParam is a canvas on the
        // widget, the default handling is the widget's own painting, so a
        // control can draw before and after it.
        if (!FInner || target != FInner || FPendingPaint.Event) return false;
        TCanvas canvas;
        canvas.SetDevice(FInner);
        canvas.Font()->Assign(FFont);
        canvas.Brush()->SetColor(FColor);
        FPendingPaint = TPendingPaint{target, e, &canvas, false};
        Guard([&] { Perform(WM_PAINT, WPARAM(&canvas)); });
        canvas.ReleasePainter();
        FPendingPaint = TPendingPaint();
        return true;
    }
    default:
        break;
    }
    if (e->type() == kPostedMessage) {
        auto* pm = static_cast<TPostedMessageEvent*>(e);
        // A posted Tab that the control does not claim moves the focus as a typed Tab does.
        if (pm->Msg == WM_KEYDOWN && pm->W == VK_TAB && dynamic_cast<TWinControl*>(this)) {
            TCustomForm* form = GetParentForm();
            const TShiftState shift = ShiftStateFromQt(QApplication::keyboardModifiers());
            if (form && form != this && form->Perform(CM_CHILDKEY, VK_TAB, LPARAM(this)) != 0) return true;
            if (Perform(CM_WANTSPECIALKEY, VK_TAB) == 0 && (Perform(WM_GETDLGCODE) & DLGC_WANTTAB) == 0 && form &&
                form->Perform(CM_DIALOGKEY, VK_TAB, LPARAM(shift.Bits())) != 0)
                return true;
        }
        Perform(pm->Msg, pm->W, pm->L);
        return true;
    }
    return false;
}

bool TControl::HandleKeyEvent(QObject* target, QKeyEvent* e)
{
    auto* wc = dynamic_cast<TWinControl*>(this);
    if (!wc || !FEnabled) return false;
    const WORD vk = KeyEventToVK(e);
    const TShiftState shift = ShiftStateFromQt(e->modifiers());
    const bool alt = shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (vk == VK_RMENU) gRightAltDown = e->type() == QEvent::KeyPress;
    LPARAM lp = LPARAM(KeyData(vk, keypad, e->isAutoRepeat(), e->type() == QEvent::KeyRelease, alt));
    if (e->type() == QEvent::KeyRelease) {
        TMessage m;
        m.Msg = alt ? WM_SYSKEYUP : WM_KEYUP;
        m.WParam = vk;
        m.LParam = lp;
        FDefaultReached = false;
        WndProc(m);
        if (FDefaultReached && m.WParam != 0) RunNative(target, e);
        e->accept();
        return true;
    }
    // Dialog keys first: Tab, arrows, Return and Escape go to the form unless the
    // control claims them.
    if (vk != 0) {
        LRESULT mask = 0;
        switch (vk) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        default: break;
        }
        TCustomForm* form = GetParentForm();
        if (form && form != this && form->Perform(CM_CHILDKEY, vk, LPARAM(this)) != 0) { e->accept(); return true; }
        if (mask && Perform(CM_WANTSPECIALKEY, vk) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
            if (form && form->Perform(CM_DIALOGKEY, vk, LPARAM(shift.Bits())) != 0) { e->accept(); return true; }
        }
    }
    TMessage m;
    m.Msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    m.WParam = vk;
    m.LParam = lp;
    FDefaultReached = false;
    if (vk != 0) WndProc(m);
    else FDefaultReached = true;
    if (!FDefaultReached || (vk != 0 && m.WParam == 0)) { e->accept(); return true; }

    const QChar ch = KeyEventToChar(e);
    QChar outCh = ch;
    bool charDefault = true;
    if (!ch.isNull()) {
        TCustomForm* form = GetParentForm();
        // Alt+character is always offered to the form (accelerators); a plain
        // character only when the control does not take characters.
        const bool offer = ch.unicode() > 32
            && (alt || (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0);
        if (form && offer && form->Perform(CM_DIALOGCHAR, ch.unicode(), LPARAM(shift.Bits())) != 0) {
            e->accept();
            return true;
        }
        TMessage cm;
        cm.Msg = alt ? WM_SYSCHAR : WM_CHAR;
        cm.WParam = ch.unicode();
        cm.LParam = lp;
        FDefaultReached = false;
        WndProc(cm);
        charDefault = FDefaultReached;
        outCh = QChar(char16_t(cm.WParam));
    }
    if (!ch.isNull() && (!charDefault || outCh.isNull())) {
        // The character was eaten: printable keys still move nothing natively;
        // control characters (Return, Backspace, Escape...) are dropped entirely.
        e->accept();
        return true;
    }
    if (!ch.isNull() && outCh != ch) {
        QKeyEvent ne(e->type(), outCh.isLetterOrNumber() || outCh.unicode() >= 32 ? 0 : e->key(), e->modifiers(), QString(outCh));
        RunNative(target, &ne);
    } else {
        RunNative(target, e);
    }
    e->accept();
    return true;
}

bool TControl::HandleMouseEvent(QObject* target, QMouseEvent* e)
{
    if (DragMouse(e, e->globalPosition().toPoint())) { e->accept(); return true; }
    QPoint p = e->position().toPoint();
    if (target != this) p = static_cast<QWidget*>(target)->mapTo(this, p);
    const TPoint o = ClientOrigin();
    const int x = p.x() - o.X, y = p.y() - o.Y;
    TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
    UINT msg = WM_MOUSEMOVE;
    const Qt::MouseButton b = e->button();
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        msg = b == Qt::RightButton ? WM_RBUTTONDOWN : b == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
        break;
    case QEvent::MouseButtonDblClick:
        msg = b == Qt::RightButton ? WM_RBUTTONDBLCLK : b == Qt::MiddleButton ? WM_MBUTTONDBLCLK : WM_LBUTTONDBLCLK;
        break;
    case QEvent::MouseButtonRelease:
        msg = b == Qt::RightButton ? WM_RBUTTONUP : b == Qt::MiddleButton ? WM_MBUTTONUP : WM_LBUTTONUP;
        break;
    default:
        break;
    }
    if (msg == WM_MOUSEMOVE && !e->buttons()) {
        UpdateCursor(msg);
        // A disabled control gets no mouse events (its parent does), yet its
        // hint is the one to show.
        const TPoint screenPos = TPoint::From(e->globalPosition().toPoint());
        TControl* hinted = FindDragTarget(screenPos, true);
        if (!hinted || (hinted != this && !isAncestorOf(hinted))) hinted = this;
        Application->HintMouseMove(hinted, screenPos);
    } else if (msg != WM_MOUSEMOVE) {
        Application->CancelHint();
    }
    TMessage m;
    m.Msg = msg;
    m.WParam = shift.Bits();
    m.LParam = MAKELPARAM(unsigned(x) & 0xFFFF, unsigned(y) & 0xFFFF);
    FDefaultReached = false;
    WndProc(m);
    if (FDefaultReached) RunNative(target, e);
    e->accept();
    return true;
}

namespace {
TControl* gCursorTarget = nullptr;
}

void TControl::UpdateCursor(UINT mouseMsg)
{
    // WM_SETCURSOR lets the control choose by position; the default shows its Cursor.
    TControl* prev = gCursorTarget;
    gCursorTarget = this;
    const LRESULT handled = Perform(WM_SETCURSOR, WPARAM(this), MAKELPARAM(HTCLIENT, mouseMsg));
    gCursorTarget = prev;
    if (!handled) {
        if (FCursor == crDefault) InputWidget()->unsetCursor();
        else InputWidget()->setCursor(CursorToQCursor(FCursor));
    }
}

void SetCurrentCursor(TCursor c)
{
    if (!gCursorTarget) return;
    if (c == crDefault) gCursorTarget->InputWidget()->unsetCursor();
    else gCursorTarget->InputWidget()->setCursor(CursorToQCursor(c));
}

namespace {
TKeyStateScope* gKeyStateScope = nullptr;
} // namespace

TKeyStateScope::TKeyStateScope(std::initializer_list<int> Down) : FDown(Down), FPrev(gKeyStateScope)
{
    gKeyStateScope = this;
}

TKeyStateScope::~TKeyStateScope() { gKeyStateScope = FPrev; }

void TKeyStateScope::SetDown(int vk, bool Down)
{
    FDown.erase(std::remove(FDown.begin(), FDown.end(), vk), FDown.end());
    if (Down) FDown.push_back(vk);
}

bool TKeyStateScope::IsDown(int vk) const { return std::find(FDown.begin(), FDown.end(), vk) != FDown.end(); }

int16_t GetKeyState(int vk)
{
    if (gKeyStateScope) return gKeyStateScope->IsDown(vk) ? int16_t(0x8000) : int16_t(0);
    const auto mods = QApplication::queryKeyboardModifiers();
    const auto buttons = QApplication::mouseButtons();
    bool down = false;
    switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: down = mods & Qt::ShiftModifier; break;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: down = mods & Qt::ControlModifier; break;
    case VK_MENU: down = (mods & Qt::AltModifier) || gRightAltDown; break;
    case VK_LMENU: down = (mods & Qt::AltModifier) && !gRightAltDown; break;
    case VK_RMENU: down = gRightAltDown; break;
    case VK_LBUTTON: down = buttons & Qt::LeftButton; break;
    case VK_RBUTTON: down = buttons & Qt::RightButton; break;
    case VK_MBUTTON: down = buttons & Qt::MiddleButton; break;
    default: break;
    }
    return down ? int16_t(0x8000) : int16_t(0);
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN: return Screen->Width();
    case SM_CYSCREEN: return Screen->Height();
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
    case SM_CYVTHUMB: case SM_CXHTHUMB: return kScrollBarSize;
    case SM_CYCAPTION: return 22;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 20;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    default: return 0;
    }
}

unsigned GetDoubleClickTime() { return 500; }
unsigned GetCaretBlinkTime() { return 530; }
namespace {
unsigned gBeepCount = 0;
}
void MessageBeep(unsigned)
{
    ++gBeepCount;
    QApplication::beep();
}
unsigned MessageBeepCount() { return gBeepCount; }
void InvalidateRect(HWND wnd, const TRect*, bool) { if (wnd) wnd->Invalidate(); }
void UpdateWindow(HWND wnd) { if (wnd) wnd->Update(); }
void ScrollWindow(HWND wnd, int, int, const TRect*, const TRect*) { if (wnd) wnd->Invalidate(); }
TWinControl* GetFocusControl() { return dynamic_cast<TWinControl*>(FindControl(QApplication::focusWidget())); }

bool TControl::HandleWheelEvent(QObject* target, QWheelEvent* e)
{
    const int delta = e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
    const TShiftState shift = ShiftStateFromQt(e->modifiers(), e->buttons());
    const QPoint g = e->globalPosition().toPoint();
    TMessage m;
    m.Msg = WM_MOUSEWHEEL;
    m.WParam = MAKEWPARAM(shift.Bits(), unsigned(int16_t(delta)) & 0xFFFF);
    m.LParam = MAKELPARAM(unsigned(g.x()) & 0xFFFF, unsigned(g.y()) & 0xFFFF);
    FPendingWheel = TPendingWheel{target, e, false};
    WndProc(m);
    FPendingWheel = TPendingWheel();
    e->accept();
    return true;
}

void TControl::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (FInner) FInner->setGeometry(0, 0, width(), height());
    if (!FInSetBounds && isWindow() && (width() != FWidth || height() != FHeight)) {
        FWidth = width();
        FHeight = height();
        if (auto* wc = dynamic_cast<TWinControl*>(this)) { wc->LayoutScrollBars(); wc->Realign(); }
        Guard([this] {
            const TRect cr = ClientRect();
            Perform(WM_SIZE, 0, MAKELPARAM(unsigned(cr.Width()), unsigned(cr.Height())));
        });
    }
}

void TControl::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    if (!FInSetBounds && isWindow()) {
        FLeft = x();
        FTop = y();
    }
}

void TControl::paintEvent(QPaintEvent* e) { QWidget::paintEvent(e); }

// ---------------------------------------------------------------- TWinControl
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    FControlStyle |= csAcceptsControls;
}

TWinControl::~TWinControl()
{
    FComponentState |= csDestroying;
    DestroyComponents();
    for (TControl* c : FControls) c->FParent = nullptr;
    FControls.clear();
}

bool TWinControl::ContainsControl(const TControl* c) const
{
    while (c) {
        if (c == this) return true;
        c = c->Parent();
    }
    return false;
}

void TWinControl::InsertControl(TControl* c)
{
    if (std::find(FControls.begin(), FControls.end(), c) != FControls.end()) return;
    FControls.push_back(c);
    if (auto* wc = dynamic_cast<TWinControl*>(c)) {
        if (wc->FTabOrder < 0) {
            int n = 0;
            for (TControl* o : FControls) if (o != c && dynamic_cast<TWinControl*>(o)) ++n;
            wc->FTabOrder = n;
        }
    }
}

void TWinControl::RemoveControl(TControl* c)
{
    FControls.erase(std::remove(FControls.begin(), FControls.end(), c), FControls.end());
    if (auto* wc = dynamic_cast<TWinControl*>(c)) {
        const int old = wc->FTabOrder;
        for (TControl* o : FControls)
            if (auto* w = dynamic_cast<TWinControl*>(o); w && w->FTabOrder > old) --w->FTabOrder;
        wc->FTabOrder = -1;
    }
}

void TWinControl::SetTabStop(bool v)
{
    FTabStop = v;
    if (!FInner) setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const { return FTabOrder; }

void TWinControl::SetTabOrder(int v)
{
    if (!FParent) { FTabOrder = v; return; }
    std::vector<TWinControl*> list = FParent->TabOrderList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    v = std::clamp(v, 0, int(list.size()));
    list.insert(list.begin() + v, this);
    for (size_t i = 0; i < list.size(); ++i) list[i]->FTabOrder = int(i);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const
{
    std::vector<TWinControl*> out;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) out.push_back(w);
    std::stable_sort(out.begin(), out.end(), [](TWinControl* a, TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
    return out;
}

bool TWinControl::CanFocus() const
{
    const TControl* c = this;
    while (c) {
        if (!c->FVisible || !c->FEnabled) return false;
        c = c->Parent();
    }
    return true;
}

bool TWinControl::Focused() const
{
    QWidget* f = QApplication::focusWidget();
    if (!f) return false;
    return f == this || f == FInner || (FInner && FInner->isAncestorOf(f));
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    if (TCustomForm* f = GetParentForm()) {
        if (f != this) f->SetActiveControl(this);
        if (!f->isVisible()) return;
        f->activateWindow();
        if (f == this) return;
    }
    InputWidget()->setFocus(Qt::OtherFocusReason);
}

namespace {
void CollectTabChain(const TWinControl* parent, std::vector<TWinControl*>& out)
{
    for (TWinControl* c : parent->TabOrderList()) {
        out.push_back(c);
        CollectTabChain(c, out);
    }
}
} // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* cur, bool forward, bool checkTabStop, bool checkParent) const
{
    std::vector<TWinControl*> chain;
    CollectTabChain(this, chain);
    if (chain.empty()) return nullptr;
    int start = -1;
    for (size_t i = 0; i < chain.size(); ++i) if (chain[i] == cur) start = int(i);
    const int n = int(chain.size());
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = forward ? (i + 1) % n : (i - 1 + n) % n;
        if (i < 0) i = n - 1;
        TWinControl* c = chain[size_t(i)];
        if (c == cur) break;
        if (!c->CanFocus()) continue;
        if (checkTabStop && !c->TabStop()) continue;
        if (checkParent && c->Parent() != this) continue;
        return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* cur, bool forward, bool checkTabStop)
{
    if (TWinControl* c = FindNextControl(cur, forward, checkTabStop, false)) c->SetFocus();
}

void TWinControl::CreateParams(TCreateParams& p)
{
    p = TCreateParams();
    p.Caption = FText;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FTabStop) p.Style |= WS_TABSTOP;
    if (!FVisible) p.Style &= ~unsigned(WS_VISIBLE); else p.Style |= WS_VISIBLE;
    if (!FEnabled) p.Style |= WS_DISABLED;
    if (FBorderStyle == bsSingle) {
        if (FCtl3D) p.ExStyle |= WS_EX_CLIENTEDGE;
        else p.Style |= WS_BORDER;
    }
    p.X = FLeft; p.Y = FTop; p.Width = FWidth; p.Height = FHeight;
    p.WndParent = FParent;
    p.WinClassName = ClassName();
    p.WindowClassStyle = CS_DBLCLKS;
}

void TWinControl::ApplyCreateParams()
{
    for (int bar = 0; bar < 2; ++bar) {
        const bool want = FParams.Style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL);
        if (want && !FScrollBars[bar]) {
            auto* sb = new QScrollBar(bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, this);
            sb->setFocusPolicy(Qt::NoFocus);
            sb->setCursor(Qt::ArrowCursor);
            FScrollBars[bar] = sb;
            const UINT msg = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
            connect(sb, &QAbstractSlider::actionTriggered, this, [this, sb, msg](int action) {
                uint16_t code = SB_ENDSCROLL;
                switch (action) {
                case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
                case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
                case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
                case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
                case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
                case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
                case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
                default: return;
                }
                const int pos = sb->sliderPosition();
                Guard([&] { Perform(msg, MAKEWPARAM(code, unsigned(pos) & 0xFFFF), 0); });
                // The control decides the position; put the bar back where it says.
                QSignalBlocker b(sb);
                const int bar2 = msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
                sb->setSliderPosition(FScroll[bar2].nPos);
            });
            connect(sb, &QAbstractSlider::sliderReleased, this, [this, sb, msg] {
                const int pos = sb->sliderPosition();
                Guard([&] {
                    Perform(msg, MAKEWPARAM(SB_THUMBPOSITION, unsigned(pos) & 0xFFFF), 0);
                    Perform(msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
                });
            });
            FScroll[bar].nMin = 0;
            FScroll[bar].nMax = 100;
            FScrollShown[bar] = true;
        } else if (!want && FScrollBars[bar]) {
            delete FScrollBars[bar];
            FScrollBars[bar] = nullptr;
            FScrollShown[bar] = false;
        }
    }
    LayoutScrollBars();
    for (TControl* c : FControls) c->ApplyGeometry();
}

int TWinControl::NonClientBorder() const
{
    if (FParams.ExStyle & WS_EX_CLIENTEDGE) return 2;
    if (FParams.Style & WS_BORDER) return 1;
    return 0;
}

void TWinControl::CreateWnd()
{
    CreateParams(FParams);
    FClassStyle = FParams.WindowClassStyle;
    ApplyCreateParams();
    FHandleCreated = true;
    Perform(WM_CREATE);
}

void TWinControl::DestroyWnd()
{
    if (!FHandleCreated) return;
    Perform(WM_DESTROY);
    FHandleCreated = false;
}

void TWinControl::CreateHandle()
{
    if (FHandleCreated || FCreatingHandle) return;
    FCreatingHandle = true;
    if (FParent) FParent->HandleNeeded();
    CreateWnd();
    FCreatingHandle = false;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
}

void TWinControl::HandleNeeded()
{
    if (!FHandleCreated) CreateHandle();
}

void TWinControl::RecreateWnd()
{
    if (!FHandleCreated) return;
    DestroyWnd();
    CreateWnd();
    Realign();
    Invalidate();
}

void TWinControl::SetBorderStyle(TBorderStyle b)
{
    if (b == FBorderStyle) return;
    FBorderStyle = b;
    RecreateWnd();
}

void TWinControl::SetCtl3D(bool v)
{
    if (v == FCtl3D) return;
    FCtl3D = v;
    RecreateWnd();
}

void TWinControl::SetBorderWidth(int v)
{
    FBorderWidth = std::max(0, v);
    Realign();
}

void TWinControl::ChangeScale(int M, int D)
{
    if (D == 0) return;
    SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FWidth, M, D), MulDiv(FHeight, M, D));
    if (!FParentFont) FFont.SetSize(MulDiv(FFont.Size(), M, D));
}

TPoint TWinControl::ClientOrigin() const
{
    const int b = NonClientBorder();
    return TPoint(b, b);
}

TRect TWinControl::ClientRect() const
{
    const int b = NonClientBorder();
    int w = FWidth - 2 * b, h = FHeight - 2 * b;
    if (FScrollBars[SB_VERT] && FScrollBars[SB_VERT]->isVisibleTo(const_cast<TWinControl*>(this))) w -= kScrollBarSize;
    if (FScrollBars[SB_HORZ] && FScrollBars[SB_HORZ]->isVisibleTo(const_cast<TWinControl*>(this))) h -= kScrollBarSize;
    return TRect(0, 0, std::max(0, w), std::max(0, h));
}

void TWinControl::LayoutScrollBars()
{
    const int b = NonClientBorder();
    QScrollBar* v = FScrollBars[SB_VERT];
    QScrollBar* h = FScrollBars[SB_HORZ];
    const bool vs = v && FScrollShown[SB_VERT];
    const bool hs = h && FScrollShown[SB_HORZ];
    const int w = FWidth - 2 * b, ht = FHeight - 2 * b;
    if (v) {
        v->setVisible(vs);
        if (vs) v->setGeometry(b + w - kScrollBarSize, b, kScrollBarSize, ht - (hs ? kScrollBarSize : 0));
    }
    if (h) {
        h->setVisible(hs);
        if (hs) h->setGeometry(b, b + ht - kScrollBarSize, w - (vs ? kScrollBarSize : 0), kScrollBarSize);
    }
}

int TWinControl::SetScrollInfo(int bar, const TScrollInfo& si, bool)
{
    if (bar != SB_HORZ && bar != SB_VERT) return 0;
    TScrollInfo& s = FScroll[bar];
    if (si.fMask & SIF_RANGE) { s.nMin = si.nMin; s.nMax = si.nMax; }
    if (si.fMask & SIF_PAGE) s.nPage = si.nPage;
    if (si.fMask & SIF_POS) s.nPos = si.nPos;
    const int maxPos = std::max(s.nMin, s.nMax - std::max(0, int(s.nPage) - 1));
    s.nPos = std::clamp(s.nPos, s.nMin, maxPos);
    if (QScrollBar* sb = FScrollBars[bar]) {
        QSignalBlocker blk(sb);
        sb->setRange(s.nMin, maxPos);
        sb->setPageStep(std::max(1, int(s.nPage)));
        sb->setValue(s.nPos);
        if (si.fMask & SIF_RANGE || si.fMask & SIF_PAGE) {
            const bool needed = s.nMax > s.nMin && (s.nPage == 0 || int(s.nPage) <= s.nMax - s.nMin);
            const bool show = needed || (si.fMask & SIF_DISABLENOSCROLL);
            sb->setEnabled(needed);
            if (show != FScrollShown[bar]) {
                FScrollShown[bar] = show;
                LayoutScrollBars();
                Realign();
                const TRect cr = ClientRect();
                Perform(WM_SIZE, 0, MAKELPARAM(unsigned(cr.Width()), unsigned(cr.Height())));
            }
        }
    }
    return s.nPos;
}

bool TWinControl::GetScrollInfo(int bar, TScrollInfo& si) const
{
    if (bar != SB_HORZ && bar != SB_VERT) return false;
    const unsigned mask = si.fMask;
    si = FScroll[bar];
    si.fMask = mask;
    if (QScrollBar* sb = FScrollBars[bar]) si.nTrackPos = sb->sliderPosition();
    return true;
}

int TWinControl::SetScrollPos(int bar, int pos, bool redraw)
{
    const int old = GetScrollPos(bar);
    TScrollInfo si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(bar, si, redraw);
    return old;
}

int TWinControl::GetScrollPos(int bar) const
{
    return (bar == SB_HORZ || bar == SB_VERT) ? FScroll[bar].nPos : 0;
}

void TWinControl::SetScrollRange(int bar, int min, int max, bool redraw)
{
    TScrollInfo si;
    si.fMask = SIF_RANGE;
    si.nMin = min;
    si.nMax = max;
    SetScrollInfo(bar, si, redraw);
}

void TWinControl::ShowScrollBar(int bar, bool show)
{
    for (int b = 0; b < 2; ++b) {
        if (bar != b && bar != SB_BOTH) continue;
        if (!FScrollBars[b]) {
            FParams.Style |= (b == SB_HORZ ? WS_HSCROLL : WS_VSCROLL);
            ApplyCreateParams();
        }
        if (FScrollShown[b] != show) {
            FScrollShown[b] = show;
            LayoutScrollBars();
            Realign();
        }
    }
}

bool TWinControl::ScrollBarVisible(int bar) const
{
    return (bar == SB_HORZ || bar == SB_VERT) && FScrollBars[bar] && FScrollShown[bar];
}

void TWinControl::ScrollBy(int dx, int dy)
{
    for (TControl* c : FControls) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    Invalidate();
}

void TWinControl::ApplyGeometry()
{
    TControl::ApplyGeometry();
    LayoutScrollBars();
}

void TWinControl::resizeEvent(QResizeEvent* e)
{
    TControl::resizeEvent(e);
    LayoutScrollBars();
}

void TWinControl::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    Guard([this] { HandleNeeded(); });
}

void TWinControl::PaintNonClient(TCanvas* c)
{
    TRect r(0, 0, FWidth, FHeight);
    if (FParams.ExStyle & WS_EX_CLIENTEDGE) DrawEdge(c, r, EDGE_SUNKEN, BF_RECT);
    else if (FParams.Style & WS_BORDER) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
    }
    // The corner between two scroll bars.
    if (ScrollBarVisible(SB_HORZ) && ScrollBarVisible(SB_VERT)) {
        const int b = NonClientBorder();
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Bounds(FWidth - b - kScrollBarSize, FHeight - b - kScrollBarSize, kScrollBarSize, kScrollBarSize));
    }
}

void TWinControl::paintEvent(QPaintEvent* e)
{
    if (FInner) { QWidget::paintEvent(e); return; }
    // Plain windowed controls: background in their colour, then the frame.
    QPainter p(this);
    p.fillRect(rect(), ToQColor(FColor));
    if (NonClientBorder() > 0 || (ScrollBarVisible(SB_HORZ) && ScrollBarVisible(SB_VERT))) {
        QImage img(size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            TCanvas c(&img);
            Guard([&] { PaintNonClient(&c); });
        }
        p.drawImage(0, 0, img);
    }
}

void TWinControl::DoEnter() { if (OnEnter) OnEnter(this); }
void TWinControl::DoExit() { if (OnExit) OnExit(this); }
void TWinControl::KeyDown(WORD& Key, TShiftState Shift) { if (OnKeyDown) OnKeyDown(this, Key, Shift); }
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) { if (OnKeyUp) OnKeyUp(this, Key, Shift); }
void TWinControl::KeyPress(QChar& Key) { if (OnKeyPress) OnKeyPress(this, Key); }

// The form sees the key first when it has KeyPreview; a key set to 0 is eaten.
bool TWinControl::DoKey(TMessage& m, void (TWinControl::*handler)(WORD&, TShiftState))
{
    TCustomForm* form = GetParentForm();
    WORD key = WORD(m.WParam);
    const TShiftState shift = ShiftStateFromQt(QApplication::keyboardModifiers());
    if (form && form != this && form->KeyPreview()) {
        (form->*handler)(key, shift);
        m.WParam = key;
        if (key == 0) return true;
    }
    (this->*handler)(key, shift);
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyDown(TMessage& m) { return DoKey(m, &TWinControl::KeyDown); }
bool TWinControl::DoKeyUp(TMessage& m) { return DoKey(m, &TWinControl::KeyUp); }

bool TWinControl::DoKeyPress(TMessage& m)
{
    TCustomForm* form = GetParentForm();
    QChar ch(char16_t(m.WParam));
    if (form && form != this && form->KeyPreview()) {
        form->KeyPress(ch);
        m.WParam = ch.unicode();
        if (ch.isNull()) return true;
    }
    KeyPress(ch);
    m.WParam = ch.unicode();
    return ch.isNull();
}

void TWinControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(m)) DefaultHandler(m);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!DoKeyUp(m)) DefaultHandler(m);
        return;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (!DoKeyPress(m)) DefaultHandler(m);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case WM_COMMAND:
        // Child notifications come back to the child as CN_COMMAND.
        if (m.LParam) {
            m.Result = reinterpret_cast<TControl*>(m.LParam)->Perform(CN_COMMAND, m.WParam, m.LParam);
            return;
        }
        break;
    case WM_NOTIFY:
        // Notifications with a header come back to their sender as CN_NOTIFY.
        if (m.LParam) {
            if (HWND from = reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom) {
                m.Result = from->Perform(CN_NOTIFY, m.WParam, m.LParam);
                return;
            }
        }
        break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        // Offer to the children (buttons with Default/Cancel answer these).
        for (TControl* c : FControls) {
            if (!c->Visible()) continue;
            if (c->Perform(m.Msg, m.WParam, m.LParam) != 0) { m.Result = 1; return; }
        }
        m.Result = 0;
        return;
    default:
        break;
    }
    TControl::WndProc(m);
}

void TWinControl::AlignControls(TControl*, TRect& r)
{
    if (FControls.empty()) return;
    FAligning = true;
    auto pick = [&](TAlign a) {
        std::vector<TControl*> v;
        for (TControl* c : FControls) if (c->FVisible && c->FAlign == a) v.push_back(c);
        return v;
    };
    auto tops = pick(alTop);
    std::stable_sort(tops.begin(), tops.end(), [](TControl* a, TControl* b) { return a->Top() < b->Top(); });
    for (TControl* c : tops) { c->SetBounds(r.Left, r.Top, r.Width(), c->Height()); r.Top += c->Height(); }
    auto bottoms = pick(alBottom);
    std::stable_sort(bottoms.begin(), bottoms.end(), [](TControl* a, TControl* b) { return a->Top() + a->Height() > b->Top() + b->Height(); });
    for (TControl* c : bottoms) { c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height()); r.Bottom -= c->Height(); }
    auto lefts = pick(alLeft);
    std::stable_sort(lefts.begin(), lefts.end(), [](TControl* a, TControl* b) { return a->Left() < b->Left(); });
    for (TControl* c : lefts) { c->SetBounds(r.Left, r.Top, c->Width(), r.Height()); r.Left += c->Width(); }
    auto rights = pick(alRight);
    std::stable_sort(rights.begin(), rights.end(), [](TControl* a, TControl* b) { return a->Left() + a->Width() > b->Left() + b->Width(); });
    for (TControl* c : rights) { c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height()); r.Right -= c->Width(); }
    for (TControl* c : pick(alClient)) c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    FAligning = false;
}

void TWinControl::Realign()
{
    if (FAlignDisabled > 0 || FAligning) return;
    TRect r = ClientRect();
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    AlignControls(nullptr, r);
}

// ---------------------------------------------------------------- TCustomControl
TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

TCustomControl::~TCustomControl()
{
    if (FCanvas) FCanvas->ReleasePainter();
}

void TCustomControl::EnsureBuffer()
{
    const int w = std::max(1, width()), h = std::max(1, height());
    if (FBuffer.width() != w || FBuffer.height() != h) {
        if (FCanvas) FCanvas->ReleasePainter();
        FBuffer = QImage(w, h, QImage::Format_RGB32);
        FBuffer.fill(ToQColor(FColor));
        FBlitOnly = false;
    }
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(&FBuffer);
}

TCanvas* TCustomControl::Canvas()
{
    EnsureBuffer();
    if (!FPainting) {
        // Drawing outside Paint goes to the buffer and is shown as it is. The
        // canvas state is set up once, so a clip set between calls stays.
        if (!FExternalSetup) {
            FCanvas->RemoveClip();
            const TPoint o = ClientOrigin();
            FCanvas->SetWindowOrg(-o.X, -o.Y);
            FExternalSetup = true;
        }
        const bool wasValid = FBlitOnly;
        QWidget::update();
        FBlitOnly = wasValid;
    }
    return FCanvas.get();
}

void TCustomControl::Paint() { if (OnPaint) OnPaint(this); }

void TCustomControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        TCanvas* c = FCanvas.get();
        c->Brush()->SetColor(FColor);
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(ClientRect());
        m.Result = 1;
        return;
    }
    case WM_PAINT:
        Paint();
        return;
    case WM_NCPAINT: {
        TCanvas nc(&FBuffer);
        PaintNonClient(&nc);
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(m);
}

void TCustomControl::paintEvent(QPaintEvent*)
{
    EnsureBuffer();
    if (!FBlitOnly) {
        FPainting = true;
        FCanvas->Font()->Assign(FFont);
        const TPoint o = ClientOrigin();
        FCanvas->RemoveClip();
        FCanvas->SetWindowOrg(-o.X, -o.Y);
        FCanvas->SetClipRect(ClientRect());
        Guard([this] { Perform(WM_ERASEBKGND); });
        Guard([this] { Perform(WM_PAINT); });
        FCanvas->ReleasePainter();
        FCanvas->RemoveClip();
        FCanvas->SetWindowOrg(0, 0);
        if (NonClientBorder() > 0 || (ScrollBarVisible(SB_HORZ) && ScrollBarVisible(SB_VERT)))
            Guard([this] { Perform(WM_NCPAINT); });
        FPainting = false;
        FBlitOnly = true;
    }
    FExternalSetup = false;
    FCanvas->ReleasePainter();
    QPainter p(this);
    p.drawImage(0, 0, FBuffer);
}

void TCustomControl::changeEvent(QEvent* e)
{
    TWinControl::changeEvent(e);
    FBlitOnly = false;
}

void TCustomControl::resizeEvent(QResizeEvent* e)
{
    TWinControl::resizeEvent(e);
    FBlitOnly = false;
}

QImage TCustomControl::Snapshot() { return grab().toImage(); }

// ---------------------------------------------------------------- TGraphicControl
TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl()
{
    if (FCanvas) FCanvas->ReleasePainter();
}

void TGraphicControl::EnsureBuffer()
{
    const int w = std::max(1, width()), h = std::max(1, height());
    if (FBuffer.width() != w || FBuffer.height() != h) {
        if (FCanvas) FCanvas->ReleasePainter();
        FBuffer = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    }
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(&FBuffer);
}

TCanvas* TGraphicControl::Canvas()
{
    EnsureBuffer();
    return FCanvas.get();
}

void TGraphicControl::Paint() { if (OnPaint) OnPaint(this); }

void TGraphicControl::WndProc(TMessage& m)
{
    if (m.Msg == WM_PAINT) { Paint(); return; }
    TControl::WndProc(m);
}

void TGraphicControl::paintEvent(QPaintEvent*)
{
    EnsureBuffer();
    FCanvas->ReleasePainter();
    if (Transparent()) FBuffer.fill(Qt::transparent);
    else FBuffer.fill(ToQColor(FColor));
    FCanvas->Font()->Assign(FFont);
    Guard([this] { Perform(WM_PAINT); });
    FCanvas->ReleasePainter();
    QPainter p(this);
    p.drawImage(0, 0, FBuffer);
}

// ---------------------------------------------------------------- lookup
TControl* FindControl(QWidget* w)
{
    while (w) {
        if (auto* c = dynamic_cast<TControl*>(w)) return c;
        w = w->parentWidget();
    }
    return nullptr;
}

TControl* FindDragTarget(const TPoint& screenPos, bool allowDisabled)
{
    QWidget* w = QApplication::widgetAt(screenPos.ToQPoint());
    TControl* c = FindControl(w);
    if (c && !allowDisabled && !c->Enabled()) return nullptr;
    return c;
}

// ---------------------------------------------------------------- dragging
namespace {
struct TDragRun {
    QPointer<TControl> Source;
    QPointer<TControl> Target;
    TDragObject* Object = nullptr;
    bool OwnsObject = false;
    bool Pending = false;
    bool Active = false;
    bool CursorSet = false;
    QPoint Start;
    int Threshold = 5;
};
TDragRun gDrag;

void SetDragCursorShape(TCursor c)
{
    if (gDrag.CursorSet) QApplication::changeOverrideCursor(CursorToQCursor(c));
    else { QApplication::setOverrideCursor(CursorToQCursor(c)); gDrag.CursorSet = true; }
}

void FinishDrag()
{
    if (gDrag.Source && QWidget::mouseGrabber() == gDrag.Source->InputWidget()) gDrag.Source->InputWidget()->releaseMouse();
    if (gDrag.CursorSet) QApplication::restoreOverrideCursor();
    if (gDrag.OwnsObject) delete gDrag.Object;
    gDrag = TDragRun();
}
} // namespace

bool TControl::Dragging() const { return gDrag.Active && gDrag.Source == this; }

void TControl::BeginDrag(bool immediate, int threshold)
{
    if (gDrag.Active || gDrag.Pending) return;
    gDrag = TDragRun();
    gDrag.Source = this;
    gDrag.Start = QCursor::pos();
    gDrag.Threshold = threshold < 0 ? GetSystemMetrics(SM_CXDRAG) : threshold;
    gDrag.Pending = true;
    InputWidget()->grabMouse();
    if (immediate) {
        gDrag.Pending = false;
        gDrag.Active = true;
        TDragObject* obj = nullptr;
        DoStartDrag(obj);
        if (!obj) { obj = new TDragObject; gDrag.OwnsObject = true; }
        obj->Source = this;
        obj->DragPos = TPoint::From(gDrag.Start);
        gDrag.Object = obj;
        SetDragCursorShape(crNoDrop);
    }
}

void TControl::EndDrag(bool drop)
{
    EndDragAt(drop, gDrag.Object && gDrag.Source == this ? gDrag.Object->DragPos : TPoint::From(QCursor::pos()));
}

void TControl::EndDragAt(bool drop, const TPoint& pos)
{
    if (gDrag.Source != this) return;
    if (gDrag.Active) {
        TControl* t = gDrag.Target;
        bool accept = false;
        if (t) {
            const TPoint c = t->ScreenToClient(pos);
            t->DragOver(this, c.X, c.Y, dsDragMove, accept);
        }
        if (drop && t && accept) {
            const TPoint c = t->ScreenToClient(pos);
            gDrag.Object->Dropped = true;
            t->DragDrop(this, c.X, c.Y);
            const TPoint sc = ScreenToClient(pos);
            DoEndDrag(t, sc.X, sc.Y);
        } else {
            if (t) { bool a = false; const TPoint c = t->ScreenToClient(pos); t->DragOver(this, c.X, c.Y, dsDragLeave, a); }
            DoEndDrag(nullptr, 0, 0);
        }
    }
    FinishDrag();
}

bool TControl::DragMouse(QMouseEvent* e, const QPoint& screenPos)
{
    if (gDrag.Source != this || (!gDrag.Pending && !gDrag.Active)) return false;
    if (e->type() == QEvent::MouseMove) {
        if (gDrag.Pending) {
            if ((screenPos - gDrag.Start).manhattanLength() < gDrag.Threshold) return false;
            gDrag.Pending = false;
            gDrag.Active = true;
            TDragObject* obj = nullptr;
            DoStartDrag(obj);
            if (!obj) { obj = new TDragObject; gDrag.OwnsObject = true; }
            obj->Source = this;
            gDrag.Object = obj;
        }
        gDrag.Object->DragPos = TPoint::From(screenPos);
        TControl* t = FindDragTarget(TPoint::From(screenPos), false);
        if (t != gDrag.Target) {
            if (TControl* old = gDrag.Target) {
                bool a = false;
                const TPoint c = old->ScreenToClient(TPoint::From(screenPos));
                old->DragOver(this, c.X, c.Y, dsDragLeave, a);
            }
            gDrag.Target = t;
            if (t) {
                bool a = false;
                const TPoint c = t->ScreenToClient(TPoint::From(screenPos));
                t->DragOver(this, c.X, c.Y, dsDragEnter, a);
            }
        }
        bool accept = false;
        if (t) {
            const TPoint c = t->ScreenToClient(TPoint::From(screenPos));
            t->DragOver(this, c.X, c.Y, dsDragMove, accept);
        }
        SetDragCursorShape(accept ? FDragCursor : crNoDrop);
        return true;
    }
    if (e->type() == QEvent::MouseButtonRelease) {
        if (gDrag.Pending) { FinishDrag(); return false; }
        EndDragAt(e->button() == Qt::LeftButton, TPoint::From(screenPos));
        return true;
    }
    if (e->type() == QEvent::MouseButtonPress && gDrag.Active) {
        EndDrag(false);
        return true;
    }
    return false;
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = bool(OnDragOver);
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) { if (OnDragDrop) OnDragDrop(this, Source, X, Y); }
void TControl::DoStartDrag(TDragObject*& obj) { if (OnStartDrag) OnStartDrag(this, obj); }
void TControl::DoEndDrag(TObject* Target, int X, int Y) { if (OnEndDrag) OnEndDrag(this, Target, X, Y); }

// ---------------------------------------------------------------- more platform calls
int GetDeviceCaps(TCanvas* canvas, int index)
{
    switch (index) {
    // A printer's canvas carries the printer's resolution; every other surface the screen's.
    case LOGPIXELSX: return canvas ? canvas->PixelsPerInchX() : kScreenPPI;
    case LOGPIXELSY: return canvas ? canvas->PixelsPerInchY() : kScreenPPI;
    case BITSPIXEL: return 32;
    case HORZRES: case PHYSICALWIDTH: return canvas && canvas->SurfaceSize().cx > 0 ? canvas->SurfaceSize().cx : Screen->Width();
    case VERTRES: case PHYSICALHEIGHT: return canvas && canvas->SurfaceSize().cy > 0 ? canvas->SurfaceSize().cy : Screen->Height();
    case PHYSICALOFFSETX: case PHYSICALOFFSETY: return 0;
    default: return 0;
    }
}

bool SystemParametersInfo(unsigned action, unsigned, void* value, unsigned)
{
    if (!value) return false;
    switch (action) {
    case SPI_GETWHEELSCROLLLINES: *static_cast<unsigned*>(value) = unsigned(Mouse->WheelScrollLines()); return true;
    case SPI_GETWORKAREA: *static_cast<TRect*>(value) = Screen->WorkAreaRect(); return true;
    default: return false;
    }
}

unsigned GetClassLong(HWND wnd, int index)
{
    auto* w = dynamic_cast<TWinControl*>(wnd);
    if (!w || index != GCL_STYLE) return 0;
    return w->WindowClassStyle();
}

unsigned SetClassLong(HWND wnd, int index, unsigned value)
{
    auto* w = dynamic_cast<TWinControl*>(wnd);
    if (!w || index != GCL_STYLE) return 0;
    const unsigned old = w->WindowClassStyle();
    w->SetWindowClassStyle(value);
    return old;
}

HWND ParentOrOwnerWindow(HWND wnd)
{
    if (!wnd) return nullptr;
    if (auto* f = dynamic_cast<TCustomForm*>(wnd); f && f->OwnerWindow()) return f->OwnerWindow();
    return wnd->Parent();
}

bool SetWindowPos(HWND wnd, HWND after, int x, int y, int cx, int cy, unsigned flags)
{
    if (!wnd) return false;
    int l = wnd->Left(), t = wnd->Top(), w = wnd->Width(), h = wnd->Height();
    if (!(flags & SWP_NOMOVE)) { l = x; t = y; }
    if (!(flags & SWP_NOSIZE)) { w = cx; h = cy; }
    wnd->SetBounds(l, t, w, h);
    if (!(flags & SWP_NOZORDER)) {
        if (wnd->isWindow() && (after == HWND_TOPMOST() || after == HWND_NOTOPMOST())) {
            const bool vis = wnd->isVisible();
            wnd->setAttribute(Qt::WA_ShowWithoutActivating, (flags & SWP_NOACTIVATE) != 0);
            wnd->setWindowFlag(Qt::WindowStaysOnTopHint, after == HWND_TOPMOST());
            if (vis) wnd->QWidget::show();
        }
        // The offscreen platform keeps no stacking order (and says so on every raise).
        if ((after == HWND_TOP() || after == HWND_TOPMOST()) && QGuiApplication::platformName() != QLatin1String("offscreen"))
            wnd->raise();
    }
    if (flags & SWP_SHOWWINDOW) {
        if (flags & SWP_NOACTIVATE) wnd->setAttribute(Qt::WA_ShowWithoutActivating);
        wnd->SetVisible(true);
        wnd->QWidget::show();
    } else if (flags & SWP_HIDEWINDOW) {
        wnd->SetVisible(false);
        wnd->QWidget::hide();
    }
    return true;
}

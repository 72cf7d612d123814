#include "platform/ui/forms.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/drawing.h"
#include "platform/ui/stdctrls.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>
#include <QtGui/QBitmap>
#include <QtGui/QCloseEvent>
#include <QtGui/QPainter>
#include <QtGui/QFontDatabase>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtGui/QResizeEvent>
#include <QtGui/QWindow>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleFactory>

#include <algorithm>

// ---------------------------------------------------------------- modal seam
namespace {
TModalHandler& ModalHandlerRef()
{
    static TModalHandler h;
    return h;
}
} // namespace

void SetModalHandler(TModalHandler h) { ModalHandlerRef() = std::move(h); }
TModalHandler ModalHandler() { return ModalHandlerRef(); }

TModalScope::TModalScope(TModalHandler h) : FPrev(ModalHandler())
{
    SetModalHandler([this, h](TCustomForm* f) {
        Shown.push_back(f->Caption());
        return h ? h(f) : int(mrNone);
    });
}

TModalScope::~TModalScope() { SetModalHandler(FPrev); }

// ---------------------------------------------------------------- TCustomForm
TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner)
{
    FVisible = false;
    FParentFont = false;
    FColor = clBtnFace;
    setWindowFlag(Qt::Window, true);
    SetBounds(0, 0, 320, 240);
    ApplyWindowFlags();
    FControlStyle &= ~unsigned(csClickEvents);
}

TCustomForm::~TCustomForm()
{
    FComponentState |= csDestroying;
    Guard([this] { if (OnDestroy) OnDestroy(this); });
    if (FModalLoop) FModalLoop->exit();
    Application->RemoveForm(this);
}

void TCustomForm::Release() { PostMessage(this, CM_RELEASE); }

void TCustomForm::DoCreate()
{
    if (OnCreate) OnCreate(this);
}

void TCustomForm::ApplyWindowFlags()
{
    Qt::WindowFlags f = Qt::Window;
    switch (FFormBorderStyle) {
    case bsNone: f |= Qt::FramelessWindowHint; break;
    case bsDialog: f |= Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint; break;
    case bsToolWindow: case bsSizeToolWin: f |= Qt::Tool; break;
    default: break;
    }
    if (FFormBorderStyle != bsNone) {
        f |= Qt::WindowTitleHint;
        if (FBorderIcons & biSystemMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((FBorderIcons & biMinimize) && FFormBorderStyle != bsDialog) f |= Qt::WindowMinimizeButtonHint;
        if ((FBorderIcons & biMaximize) && FFormBorderStyle != bsDialog) f |= Qt::WindowMaximizeButtonHint;
        if (FBorderIcons & biHelp) f |= Qt::WindowContextHelpButtonHint;
    }
    if (FFormStyle == fsStayOnTop || (FParams.ExStyle & WS_EX_TOPMOST)) f |= Qt::WindowStaysOnTopHint;
    if (FParams.ExStyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW)) f |= Qt::Tool;
    if (FParams.ExStyle & WS_EX_NOACTIVATE) {
        f |= Qt::WindowDoesNotAcceptFocus;
        setAttribute(Qt::WA_ShowWithoutActivating);
    }
    // Input passes through to the windows below.
    if (FParams.ExStyle & WS_EX_TRANSPARENT) f |= Qt::WindowTransparentForInput;
    const bool vis = isVisible();
    setWindowFlags(f);
    if (FixedBorder()) setFixedSize(std::max(0, FWidth), std::max(0, FHeight));
    else { setMinimumSize(0, 0); setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); }
    ApplyOwner();
    if (vis) show();
}

void TCustomForm::ApplyOwner()
{
    if (!FOwnerWnd) return;
    QWidget* top = FOwnerWnd->window();
    if (!top || top == this) return;
    top->winId();
    winId();
    if (windowHandle() && top->windowHandle()) windowHandle()->setTransientParent(top->windowHandle());
}

void TCustomForm::SetMinSize(int w, int h)
{
    FMinWidth = std::max(0, w);
    FMinHeight = std::max(0, h);
    if (FWidth < FMinWidth || FHeight < FMinHeight) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TCustomForm::SetBounds(int l, int t, int w, int h)
{
    TCustomControl::SetBounds(l, t, std::max(w, FMinWidth), std::max(h, FMinHeight));
}

void TCustomForm::StartCornerSizing(const TPoint& screenPos)
{
    FSystemSizing = false;
    HandleNeeded();
    if (windowHandle() && isVisible() && windowHandle()->startSystemResize(Qt::BottomEdge | Qt::RightEdge)) {
        FSystemSizing = true;
        return;
    }
    FSizeTracking = true;
    FTrackStart = screenPos;
    FTrackWidth = FWidth;
    FTrackHeight = FHeight;
    grabMouse();
}

void TCustomForm::TrackCornerSizing(const TPoint& screenPos)
{
    TRect r(FLeft, FTop, FLeft + std::max(0, FTrackWidth + screenPos.X - FTrackStart.X),
            FTop + std::max(0, FTrackHeight + screenPos.Y - FTrackStart.Y));
    Perform(WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&r));
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TCustomForm::resizeEvent(QResizeEvent* e)
{
    TCustomControl::resizeEvent(e);
    // The window system sizes the window itself: tell the form what it did.
    if (FSystemSizing && e->spontaneous()) {
        TRect r(FLeft, FTop, FLeft + e->size().width(), FTop + e->size().height());
        Guard([&] { Perform(WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&r)); });
    }
}

void TCustomForm::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.Style &= ~unsigned(WS_CHILD);
    p.Style |= WS_POPUP | WS_CLIPCHILDREN;
    if (FFormBorderStyle != bsNone) p.Style |= WS_CAPTION | WS_SYSMENU;
    if (FFormBorderStyle == bsSizeable || FFormBorderStyle == bsSizeToolWin) p.Style |= WS_THICKFRAME;
    if (FFormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (FFormBorderStyle == bsToolWindow || FFormBorderStyle == bsSizeToolWin) p.ExStyle |= WS_EX_TOOLWINDOW;
    p.WndParent = nullptr;
}

void TCustomForm::CreateWnd()
{
    TCustomControl::CreateWnd();
    FOwnerWnd = FParams.WndParent;
    ApplyWindowFlags();
}

void TCustomForm::ApplyGeometry()
{
    if (FixedBorder()) setFixedSize(std::max(0, FWidth), std::max(0, FHeight));
    TCustomControl::ApplyGeometry();
}

void TCustomForm::SetBorderStyle(TBorderStyle b) { FFormBorderStyle = b; ApplyWindowFlags(); }
void TCustomForm::SetBorderIcons(TBorderIcons b) { FBorderIcons = b; ApplyWindowFlags(); }
void TCustomForm::SetFormStyle(TFormStyle s) { FFormStyle = s; ApplyWindowFlags(); }

void TCustomForm::SetWindowState(TWindowState s)
{
    FWindowState = s;
    if (!isVisible()) return;
    if (s == wsMaximized) showMaximized();
    else if (s == wsMinimized) showMinimized();
    else showNormal();
}

void TCustomForm::SetActiveControl(TWinControl* c)
{
    FActiveControl = c;
    if (c && isVisible() && !c->Focused() && c->CanFocus()) c->InputWidget()->setFocus(Qt::OtherFocusReason);
}

bool TCustomForm::Active() const { return isActiveWindow(); }

void TCustomForm::FocusChanged(TWinControl* c) { if (c != this) FActiveControl = c; }

void TCustomForm::SetAlphaBlend(bool on, int value)
{
    FAlpha = on ? std::clamp(value, 0, 255) : 255;
    setWindowOpacity(FAlpha / 255.0);
}

void TCustomForm::SetModalResult(TModalResult r)
{
    FModalResult = r;
    if (r != mrNone && FModal && FModalLoop) FModalLoop->exit();
}

void TCustomForm::ApplyPosition()
{
    if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter
        || FPosition == poOwnerFormCenter) {
        TRect area = Screen->WorkAreaRect();
        if ((FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) && Application->MainForm()
            && Application->MainForm() != this && Application->MainForm()->isVisible())
            area = Application->MainForm()->BoundsRect();
        SetBounds(area.Left + (area.Width() - FWidth) / 2, area.Top + (area.Height() - FHeight) / 2, FWidth, FHeight);
    }
}

void TCustomForm::DoShow() { if (OnShow) OnShow(this); }
void TCustomForm::DoHide() { if (OnHide) OnHide(this); }
void TCustomForm::DoClose(TCloseAction& a) { if (OnClose) OnClose(this, a); }

void TCustomForm::SetVisible(bool v)
{
    if (v == FVisible && v == isVisible()) return;
    FVisible = v;
    if (v) {
        HandleNeeded();
        if (!FShown) { ApplyPosition(); FShown = true; }
        QWidget::show();
        if (FWindowState == wsMaximized) showMaximized();
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
        if (!(FParams.ExStyle & WS_EX_NOACTIVATE)) {
            activateWindow();
            if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->InputWidget()->setFocus(Qt::OtherFocusReason);
            else if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->InputWidget()->setFocus(Qt::TabFocusReason);
        }
    } else {
        QWidget::hide();
    }
}

void TCustomForm::Show() { SetVisible(true); }

void TCustomForm::showEvent(QShowEvent* e)
{
    TWinControl::showEvent(e);
    if (!e->spontaneous()) Guard([this] { DoShow(); });
}

void TCustomForm::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    FVisible = false;
    if (!e->spontaneous()) Guard([this] { DoHide(); });
}

void TCustomForm::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange) {
        Guard([this] {
            const bool active = isActiveWindow();
            // lParam: the window taking the activation over (deactivation only).
            TControl* other = active ? nullptr : FindControl(QApplication::activeWindow());
            Perform(WM_NCACTIVATE, active ? 1 : 0);
            Perform(WM_ACTIVATE, active ? 1 : 0, LPARAM(other));
            if (active) { if (OnActivate) OnActivate(this); }
            else if (OnDeactivate) OnDeactivate(this);
        });
    }
}

void TCustomForm::moveEvent(QMoveEvent* e)
{
    TControl::moveEvent(e);
    auto hooks = FMoveHooks;
    for (auto& h : hooks) Guard([&] { h.second(this); });
}

int TCustomForm::AddMoveHook(std::function<void(TCustomForm*)> hook)
{
    FMoveHooks.emplace_back(FNextHook, std::move(hook));
    return FNextHook++;
}

void TCustomForm::RemoveMoveHook(int id)
{
    FMoveHooks.erase(std::remove_if(FMoveHooks.begin(), FMoveHooks.end(), [id](auto& p) { return p.first == id; }),
                     FMoveHooks.end());
}

bool TCustomForm::CloseQuery()
{
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(this, can);
    return can;
}

bool TCustomForm::CloseModal()
{
    bool ok = true;
    Guard([&] {
        if (!CloseQuery()) { ok = false; return; }
        TCloseAction a = caHide;
        DoClose(a);
        if (a == caNone) ok = false;
    });
    if (!ok) FModalResult = mrNone;
    return ok;
}

void TCustomForm::Close()
{
    if (FModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction a = caHide;
    DoClose(a);
    if (a == caNone) return;
    if (a == caMinimize) { showMinimized(); return; }
    SetVisible(false);
    if (this == Application->MainForm()) Application->Terminate();
    else if (a == caFree) Release();
}

void TCustomForm::closeEvent(QCloseEvent* e)
{
    // The close box: a modal form ends with mrCancel; forms are never destroyed here.
    e->ignore();
    Guard([this] { Close(); });
}

int TCustomForm::ShowModal()
{
    if (FModal) throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    Application->CancelHint();
    // A control in the middle of a mouse operation gives it up.
    if (TWinControl* f = GetFocusControl()) f->Perform(WM_CANCELMODE);
    FModalResult = mrNone;
    FModal = true;
    setWindowModality(Qt::ApplicationModal);
    struct Reset {
        TCustomForm* f;
        ~Reset() { f->FModal = false; f->setWindowModality(Qt::NonModal); }
    } reset{this};
    if (TModalHandler h = ModalHandler()) {
        SetVisible(true);
        const int r = h(this);
        if (r != mrNone) FModalResult = r;
        if (FModalResult == mrNone) FModalResult = mrCancel;
        if (!CloseModal()) FModalResult = mrNone;
        SetVisible(false);
        return FModalResult;
    }
    // The window active before comes back active when this one closes, as the owner of a
    // closed modal window does on the classic desktop, also where no window manager hands
    // the focus back.
    const QPointer<QWidget> before = ActiveOrPendingWindow();
    SetVisible(true);
    // The modal window takes the keys from the start, also where no window manager
    // activates a window that opens.
    activateWindow();
    QEventLoop loop;
    FModalLoop = &loop;
    while (true) {
        if (FModalResult == mrNone) loop.exec();
        if (Application->Terminated() && FModalResult == mrNone) FModalResult = mrCancel;
        if (FModalResult != mrNone && CloseModal()) break;
    }
    FModalLoop = nullptr;
    SetVisible(false);
    if (before != this) ReactivateWindow(before);
    return FModalResult;
}

void TCustomForm::WndProc(TMessage& m)
{
    if (m.Msg == CM_RELEASE) {
        // Deleted from the event loop, after whatever is running on the form returns.
        deleteLater();
        return;
    }
    if (m.Msg == CM_DIALOGKEY) {
        const WORD vk = WORD(m.WParam);
        const TShiftState shift = TShiftState::FromBits(unsigned(m.LParam));
        const bool plain = !shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
        if (vk == VK_TAB && plain) {
            SelectNext(FActiveControl, !shift.Contains(ssShift), true);
            m.Result = 1;
            return;
        }
        if (plain && (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN)) {
            TWinControl* cur = FActiveControl;
            if (cur && cur->Parent()) {
                const bool fwd = vk == VK_RIGHT || vk == VK_DOWN;
                if (TWinControl* n = cur->Parent()->FindNextControl(cur, fwd, false, true)) {
                    n->SetFocus();
                    m.Result = 1;
                    return;
                }
            }
            m.Result = 0;
            return;
        }
        // Return and Escape: the buttons answer (focused or Default button, Cancel button).
        TWinControl::WndProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        if (FFormBorderStyle == bsNone) {
            const QPoint g = mapToGlobal(QPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
            const LPARAM at = MAKELPARAM(unsigned(g.x()), unsigned(g.y()));
            if (Perform(WM_NCHITTEST, 0, at) == HTBOTTOMRIGHT) { Perform(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, at); return; }
        }
        break;
    case WM_NCLBUTTONDOWN:
        if (m.WParam == WPARAM(HTBOTTOMRIGHT)) {
            StartCornerSizing(TPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
            return;
        }
        break;
    case WM_MOUSEMOVE:
        if (FSizeTracking) {
            const QPoint g = mapToGlobal(QPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
            TrackCornerSizing(TPoint(g.x(), g.y()));
            return;
        }
        break;
    case WM_LBUTTONUP:
        FSystemSizing = false;
        if (FSizeTracking) {
            const QPoint g = mapToGlobal(QPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
            TrackCornerSizing(TPoint(g.x(), g.y()));
            FSizeTracking = false;
            releaseMouse();
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TCustomForm::MouseWheelHandler(TMessage& m)
{
    if (TWinControl* c = FActiveControl; c && c != this && c->Focused()) m.Result = c->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
    else TCustomControl::MouseWheelHandler(m);
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

// ---------------------------------------------------------------- hint window
THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    FVisible = false;
    FColor = clInfoBk;
    FParentFont = false;
    FFont.Assign(*Screen->HintFont());
    FParams.Style |= WS_BORDER;
}

TRect THintWindow::CalcHintRect(int maxWidth, const QString& hint, void*)
{
    TRect r(0, 0, maxWidth > 0 ? maxWidth : 300, 0);
    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(FFont);
    DrawText(probe.Canvas(), hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6 + 2;
    r.Bottom += 2 + 2;
    return r;
}

void THintWindow::ActivateHint(const TRect& rect, const QString& hint, void* data)
{
    FText = hint;
    FData = data;
    FColor = Application->HintColor();
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    FVisible = true;
    QWidget::show();
    Invalidate();
}

void THintWindow::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
    c->Pen()->SetColor(clInfoText);
    c->Brush()->SetColor(clInfoText);
    c->FrameRect(r);
    c->Brush()->SetStyle(bsClear);
    c->SetFont(FFont);
    c->Font()->SetColor(clInfoText);
    InflateRect(r, -3, -1);
    DrawText(c, FText, r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

// ---------------------------------------------------------------- popup window
TPopupWindow::TPopupWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    FVisible = false;
}

void TPopupWindow::Popup(const TPoint& p)
{
    SetBounds(p.X, p.Y, FWidth, FHeight);
    FVisible = true;
    HandleNeeded();
    QWidget::show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
}

void TPopupWindow::ClosePopup()
{
    if (isVisible()) hide();
}

void TPopupWindow::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    FVisible = false;
    Guard([this] { if (OnCloseUp) OnCloseUp(this); });
}

// ---------------------------------------------------------------- application
namespace {
TApplication gApplication;
TScreen gScreen;
TMouse gMouse;
} // namespace
TApplication* Application = &gApplication;
TScreen* Screen = &gScreen;

TCursorScope::TCursorScope(TCursor Cursor) : FSaved(Screen->Cursor()) { Screen->SetCursor(Cursor); }
TCursorScope::~TCursorScope() { Screen->SetCursor(FSaved); }
TMouse* Mouse = &gMouse;

TApplication::TApplication() = default;

TApplication::~TApplication()
{
    // Left to the end of the process, the windows among them outlive the window system.
    if (!QCoreApplication::instance()) (void)FComponentOwner.release();
}

TComponent* TApplication::ComponentOwner()
{
    if (!FComponentOwner) FComponentOwner = std::make_unique<TComponent>(nullptr);
    return FComponentOwner.get();
}

QString TApplication::ExeName() const { return QCoreApplication::applicationFilePath(); }

void TApplication::AddForm(TCustomForm* f)
{
    FForms.push_back(f);
    if (!FMainForm) FMainForm = f;
}

void TApplication::RemoveForm(TCustomForm* f)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end());
    if (FMainForm == f) FMainForm = nullptr;
}

void TApplication::DestroyForms()
{
    CancelHint();
    FComponentOwner.reset();
    while (!FForms.empty()) {
        TCustomForm* f = FForms.back();
        FForms.pop_back();
        delete f;
    }
    FMainForm = nullptr;
    delete FHintWindow;
    FHintWindow = nullptr;
}

void TApplication::Run()
{
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents();
        if (FMainForm && !FMainForm->isVisible() && !FMainForm->IsModal()) FTerminated = true;
    }
}

void TApplication::ProcessMessages()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::ProcessMessagesExceptInput()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TApplication::Terminate()
{
    FTerminated = true;
    for (TCustomForm* f : FForms)
        if (f->IsModal() && f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::None));
}

void TApplication::BringToFront() { if (FMainForm) { FMainForm->raise(); FMainForm->activateWindow(); } }
void TApplication::Minimize() { if (FMainForm) FMainForm->showMinimized(); }
void TApplication::Restore() { if (FMainForm) FMainForm->showNormal(); }

void TApplication::HandleException(TObject* Sender)
{
    QString msg;
    try {
        throw;
    } catch (const EAbort&) {
        return;
    } catch (const Exception& e) {
        msg = e.Message();
    } catch (const std::exception& e) {
        msg = QString::fromUtf8(e.what());
    } catch (...) {
        msg = QStringLiteral("Unknown exception");
    }
    if (OnException) {
        OnException(Sender, msg);
        return;
    }
    ShowException(msg);
}

void TApplication::ShowException(const QString& message)
{
    // An exception thrown while its box is up is not shown again.
    if (FInException) return;
    FInException = true;
    // As the classic runtime: a full stop is added unless the text ends in
    // punctuation that sorts at or below it ("!", ")", "." ...).
    QString text = message;
    if (!text.isEmpty() && text.back().unicode() > u'.') text += QLatin1Char('.');
    try {
        ::MessageBox(text, FTitle, MB_OK | MB_ICONERROR);
    } catch (...) {
    }
    FInException = false;
}

int TApplication::MessageBox(const QString& text, const QString& caption, unsigned flags)
{
    return ::MessageBox(text, caption, flags);
}

namespace {
bool EffectiveShowHint(TControl* c)
{
    while (c) {
        if (!c->ParentShowHint() || !c->Parent()) return c->ShowHint();
        c = c->Parent();
    }
    return false;
}
} // namespace

void TApplication::CancelHint()
{
    if (FHintTimer) FHintTimer->stop();
    if (FHintPauseTimer) FHintPauseTimer->stop();
    if (FHintWindow && FHintWindow->isVisible()) FHintWindow->hide();
}

void TApplication::HintMouseMove(TControl* c, const TPoint& screenPos)
{
    if (!FShowHint || !c) return;
    FHintPos = screenPos;
    const bool showing = FHintWindow && FHintWindow->isVisible();
    if (c == FHintControl && showing && FHintCursorRect.Contains(screenPos)) return;
    const bool wasShowing = showing;
    if (c != FHintControl || showing) CancelHint();
    FHintControl = c;
    if (!FHintPauseTimer) {
        FHintPauseTimer = new QTimer();
        FHintPauseTimer->setSingleShot(true);
        QObject::connect(FHintPauseTimer, &QTimer::timeout, [this] { HintTimerExpired(); });
    }
    FHintPauseTimer->start(wasShowing ? FHintShortPause : FHintPause);
}

void TApplication::HintMouseLeave(TControl* c)
{
    if (c != FHintControl) return;
    CancelHint();
    FHintControl = nullptr;
}

void TApplication::HintTimerExpired()
{
    if (FHintPauseTimer) FHintPauseTimer->stop();
    if (FHintControl) TControl::Guard([this] { ShowHintFor(FHintControl, FHintPos); });
}

void TApplication::ActivateHint(const TPoint& screenPos)
{
    TControl* c = FindDragTarget(screenPos, true);
    if (c) ShowHintFor(c, screenPos);
}

void TApplication::ShowHintFor(TControl* c, const TPoint& screenPos)
{
    if (!FShowHint || !c || !EffectiveShowHint(c)) { CancelHint(); return; }
    THintInfo info;
    info.HintControl = c;
    info.CursorPos = c->ScreenToClient(screenPos);
    info.CursorRect = c->ClientRect();
    info.HintPos = TPoint(screenPos.X, screenPos.Y + 20);
    info.HintMaxWidth = Screen->Width();
    info.HintColor = FHintColor;
    info.HintStr = c->Hint();
    info.HideTimeout = FHintHidePause;
    if (c->Perform(CM_HINTSHOW, 0, LPARAM(&info)) != 0) { CancelHint(); return; }
    FHintControl = c;
    {
        const TPoint tl = c->ClientToScreen(info.CursorRect.TopLeft());
        FHintCursorRect = Bounds(tl.X, tl.Y, info.CursorRect.Width(), info.CursorRect.Height());
    }
    bool canShow = true;
    if (OnShowHint) OnShowHint(info.HintStr, canShow, info);
    if (!canShow || info.HintStr.isEmpty()) { CancelHint(); return; }
    if (!FHintWindow) FHintWindow = HintWindowClass ? HintWindowClass() : new THintWindow(nullptr);
    const TColor keep = FHintColor;
    FHintColor = info.HintColor;
    TRect r = FHintWindow->CalcHintRect(std::min(info.HintMaxWidth, 400), info.HintStr, info.HintData);
    OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    FHintWindow->ActivateHint(r, info.HintStr, info.HintData);
    FHintColor = keep;
    if (!FHintTimer) {
        FHintTimer = new QTimer();
        FHintTimer->setSingleShot(true);
        QObject::connect(FHintTimer, &QTimer::timeout, [this] { CancelHint(); });
    }
    if (info.HideTimeout > 0) FHintTimer->start(info.HideTimeout);
}

// ---------------------------------------------------------------- screen and mouse
// ---------------------------------------------------------------- monitors
namespace {
std::vector<TMonitorInfo>* gMonitorLayout = nullptr;
}

std::vector<TMonitorInfo> MonitorLayout()
{
    if (gMonitorLayout) return *gMonitorLayout;
    std::vector<TMonitorInfo> out;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) out.push_back({TRect::From(primary->geometry()), TRect::From(primary->availableGeometry()), true});
    for (QScreen* s : QGuiApplication::screens())
        if (s != primary) out.push_back({TRect::From(s->geometry()), TRect::From(s->availableGeometry()), false});
    return out;
}

HMONITOR MonitorFromPoint(const TPoint& pt, unsigned flags)
{
    const auto mons = MonitorLayout();
    if (mons.empty()) return 0;
    long long best = -1;
    int bestIndex = -1;
    for (size_t i = 0; i < mons.size(); ++i) {
        const TRect& r = mons[i].rcMonitor;
        const long long dx = pt.X < r.Left ? r.Left - pt.X : (pt.X >= r.Right ? pt.X - r.Right + 1 : 0);
        const long long dy = pt.Y < r.Top ? r.Top - pt.Y : (pt.Y >= r.Bottom ? pt.Y - r.Bottom + 1 : 0);
        const long long d = dx * dx + dy * dy;
        if (best < 0 || d < best) { best = d; bestIndex = int(i); }
    }
    if (best == 0) return bestIndex + 1;
    if (flags == MONITOR_DEFAULTTONEAREST) return bestIndex + 1;
    if (flags == MONITOR_DEFAULTTOPRIMARY) return 1;
    return 0;
}

bool GetMonitorInfo(HMONITOR monitor, TMonitorInfo* info)
{
    const auto mons = MonitorLayout();
    if (!info || monitor < 1 || monitor > int(mons.size())) return false;
    *info = mons[size_t(monitor - 1)];
    return true;
}

TScreenLayoutScope::TScreenLayoutScope(std::vector<TMonitorInfo> monitors)
    : FHadSaved(gMonitorLayout != nullptr)
{
    if (FHadSaved) FSaved = *gMonitorLayout;
    if (!monitors.empty()) monitors.front().Primary = true;
    delete gMonitorLayout;
    gMonitorLayout = new std::vector<TMonitorInfo>(std::move(monitors));
}

TScreenLayoutScope::~TScreenLayoutScope()
{
    delete gMonitorLayout;
    gMonitorLayout = FHadSaved ? new std::vector<TMonitorInfo>(FSaved) : nullptr;
}

int TScreen::Width() const
{
    if (gMonitorLayout && !gMonitorLayout->empty()) return gMonitorLayout->front().rcMonitor.Width();
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const
{
    if (gMonitorLayout && !gMonitorLayout->empty()) return gMonitorLayout->front().rcMonitor.Height();
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

TRect TScreen::WorkAreaRect() const
{
    if (gMonitorLayout && !gMonitorLayout->empty()) return gMonitorLayout->front().rcWork;
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? TRect::From(s->availableGeometry()) : TRect(0, 0, 1024, 768);
}

void TScreen::SetCursor(TCursor c)
{
    if (c == FCursor) return;
    if (FCursor != crDefault) QApplication::restoreOverrideCursor();
    FCursor = c;
    if (c != crDefault) QApplication::setOverrideCursor(CursorToQCursor(c));
}

QCursor TScreen::Cursors(int id) const
{
    auto it = FCursors.find(id);
    if (it != FCursors.end()) return it->second;
    return id <= 0 ? CursorToQCursor(id) : QCursor(Qt::ArrowCursor);
}

void TScreen::SetCursors(int id, const QCursor& c) { FCursors[id] = c; }

TCustomForm* TScreen::ActiveForm() const
{
    return dynamic_cast<TCustomForm*>(QApplication::activeWindow());
}

TWinControl* TScreen::ActiveControl() const
{
    return dynamic_cast<TWinControl*>(FindControl(QApplication::focusWidget()));
}

QStringList TScreen::Fonts() const { return QFontDatabase::families(); }

TPoint TMouse::CursorPos() const { return TPoint::From(QCursor::pos()); }
void TMouse::SetCursorPos(const TPoint& p) { QCursor::setPos(p.ToQPoint()); }
TControl* TMouse::Capture() const { return FindControl(QWidget::mouseGrabber()); }

// ---------------------------------------------------------------- window shapes
QRegion CreateRectRgn(int x1, int y1, int x2, int y2) { return QRegion(QRect(x1, y1, x2 - x1, y2 - y1)); }
QRegion CreateEllipticRgn(int x1, int y1, int x2, int y2) { return QRegion(QRect(x1, y1, x2 - x1, y2 - y1), QRegion::Ellipse); }

QRegion CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h)
{
    QImage shape(std::max(1, x2 - x1), std::max(1, y2 - y1), QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    QPainter p(&shape);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(0, 0, x2 - x1, y2 - y1), w / 2.0, h / 2.0);
    p.end();
    QRegion r(QBitmap::fromImage(shape.createAlphaMask()));
    r.translate(x1, y1);
    return r;
}

QRegion CreatePolygonRgn(const std::vector<TPoint>& pts)
{
    QPolygon poly;
    for (const auto& p : pts) poly << p.ToQPoint();
    return QRegion(poly);
}

void SetWindowRgn(TControl* c, const QRegion& rgn)
{
    if (!c) return;
    if (rgn.isEmpty()) c->clearMask();
    else c->setMask(rgn);
}

void SetLayeredWindowAlpha(TControl* c, int alpha)
{
    if (c) c->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

void UpdateLayeredWindow(TCustomControl* c, const QImage& argb)
{
    if (!c) return;
    c->setAttribute(Qt::WA_TranslucentBackground);
    c->SetBounds(c->Left(), c->Top(), argb.width(), argb.height());
    QImage alpha = argb.convertToFormat(QImage::Format_ARGB32);
    c->setMask(QBitmap::fromImage(alpha.createAlphaMask()));
    c->Canvas()->Painter()->drawImage(0, 0, alpha);
    c->Canvas()->ReleasePainter();
}

// ---------------------------------------------------------------- activation
namespace {
QPointer<QWidget> gPendingActivation;
}

QWidget* ActiveOrPendingWindow()
{
    if (QWidget* w = QApplication::activeWindow()) return w;
    return gPendingActivation && gPendingActivation->isVisible() ? gPendingActivation.data() : nullptr;
}

void ReactivateWindow(QWidget* Window)
{
    if (!Window || !Window->isVisible()) return;
    gPendingActivation = Window;
    Window->activateWindow();
}

// ---------------------------------------------------------------- start-up
void InitPlatformApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const char* n : {"Tahoma", "MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2",
                          "Segoe UI", "Arial", "Verdana", "Times New Roman", "Courier New", "Courier"})
        QFont::insertSubstitution(QString::fromLatin1(n), SubstituteFontName(QString::fromLatin1(n)));
    // Faces of the watch styles: a look-alike when one is installed, else the stock families.
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Century"),
                               {QStringLiteral("TeX Gyre Schola"), QStringLiteral("C059"),
                                QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Century Gothic"),
                               {QStringLiteral("TeX Gyre Adventor"), QStringLiteral("URW Gothic"),
                                QStringLiteral("DejaVu Sans")});
    // Native widgets take the platform profile's colour scheme.
    QPalette pal = QApplication::style()->standardPalette();
    auto set = [&](QPalette::ColorRole role, TColor c) { pal.setColor(QPalette::All, role, ToQColor(c)); };
    set(QPalette::Window, clBtnFace);
    set(QPalette::WindowText, clWindowText);
    set(QPalette::Base, clWindow);
    set(QPalette::AlternateBase, clBtnFace);
    set(QPalette::Text, clWindowText);
    set(QPalette::Button, clBtnFace);
    set(QPalette::ButtonText, clBtnText);
    set(QPalette::Highlight, clHighlight);
    set(QPalette::HighlightedText, clHighlightText);
    set(QPalette::ToolTipBase, clInfoBk);
    set(QPalette::ToolTipText, clInfoText);
    set(QPalette::Light, clBtnHighlight);
    set(QPalette::Midlight, cl3DLight);
    set(QPalette::Mid, clBtnShadow);
    set(QPalette::Dark, clBtnShadow);
    set(QPalette::Shadow, cl3DDkShadow);
    pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(clGrayText));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, ToQColor(clGrayText));
    pal.setColor(QPalette::Disabled, QPalette::Base, ToQColor(clBtnFace));
    QApplication::setPalette(pal);
    QApplication::setDoubleClickInterval(int(GetDoubleClickTime()));
    QApplication::setWheelScrollLines(Mouse->WheelScrollLines());
    TFont def;
    QApplication::setFont(def.ToQFont());
    Screen->HintFont()->Assign(def);
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
}

QString RegisterTestFont(const QString& path)
{
    const QString file = path.isEmpty() ? QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf") : path;
    const int id = QFontDatabase::addApplicationFont(file);
    if (id < 0) return QString();
    const QStringList fam = QFontDatabase::applicationFontFamilies(id);
    return fam.isEmpty() ? QString() : fam.first();
}

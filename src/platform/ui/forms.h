#pragma once
// Forms, the application object, the screen and mouse, hints, and popup
// windows that do not take the activation.
#include "platform/ui/controls.h"

#include <QtCore/QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QEventLoop;
class QTimer;

using TModalResult = int;
enum : TModalResult {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
    mrNo = 7, mrClose = 8, mrHelp = 9, mrTryAgain = 10, mrContinue = 11, mrAll = 12,
    mrNoToAll = 13, mrYesToAll = 14,
};

enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl {
    Q_OBJECT
public:
    explicit TCustomForm(TComponent* AOwner = nullptr);
    ~TCustomForm() override;

    // Window frame (hides TWinControl's client-edge border style).
    TBorderStyle BorderStyle() const { return FFormBorderStyle; }
    void SetBorderStyle(TBorderStyle b);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons b);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition p) { FPosition = p; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle s);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState s);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* c);
    bool Active() const;
    // Opacity 0..255 (layered window).
    int AlphaBlendValue() const { return FAlpha; }
    void SetAlphaBlend(bool on, int value = 255);

    TModalResult ModalResult() const { return FModalResult; }
    // A non-zero value ends ShowModal.
    void SetModalResult(TModalResult r);
    bool IsModal() const { return FModal; }
    // Shows modally and returns the modal result. Goes through the modal seam
    // when one is installed.
    virtual int ShowModal();
    void Show();
    void Close();
    bool CloseQuery();
    // Frees the form once the message being handled is done (posted CM_RELEASE).
    void Release();
    void SetVisible(bool v) override;
    // Fires OnCreate; the application calls it right after constructing a form.
    virtual void DoCreate();
    void FocusChanged(TWinControl* c);

    // The window CreateParams named as owner (WndParent). The form stays a
    // top-level window of its own, transient for the owner's window, so it
    // stays above the owner and the window manager treats it as the owner's.
    TWinControl* OwnerWindow() const { return FOwnerWnd; }
    // True while the form follows the mouse for a corner resize that the
    // window system refused to run.
    bool SizeTracking() const { return FSizeTracking; }
    // Size constraints: SetBounds and the user's sizing never go below them (0 = none).
    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    void SetMinSize(int w, int h);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // Called with the form whenever its window moves on screen.
    int AddMoveHook(std::function<void(TCustomForm*)> hook);
    void RemoveMoveHook(int id);

    TNotifyEvent OnCreate, OnShow, OnHide, OnActivate, OnDeactivate, OnDestroy;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void WndProc(TMessage& Message) override;
    void MouseWheelHandler(TMessage& Message) override;
    using TWinControl::KeyDown;
    using TWinControl::KeyPress;
    using TWinControl::KeyUp;

protected:
    friend class TWinControl;
    friend class TApplication;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    // Ends the modal state when ModalResult is set; false keeps the form open.
    bool CloseModal();
    void ApplyWindowFlags();
    // Makes the form's window transient for the owner named in FParams.
    void ApplyOwner();
    void ApplyPosition();
    // Corner sizing of a frameless form: WM_NCLBUTTONDOWN with HTBOTTOMRIGHT
    // asks the window system to size the window; where it refuses, the form
    // follows the mouse until the button is released. WM_SIZING reaches the
    // form with the proposed rectangle either way.
    void StartCornerSizing(const TPoint& screenPos);
    void TrackCornerSizing(const TPoint& screenPos);
    void resizeEvent(QResizeEvent* e) override;
    // Forms are top-level windows: WS_POPUP style; WS_EX_TOPMOST keeps them on
    // top, WS_EX_NOACTIVATE shows them without taking the activation,
    // WS_EX_TRANSPARENT lets the mouse through to what lies below.
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // The window manager draws a form's frame.
    int NonClientBorder() const override { return 0; }
    // Fixed-size borders stop the user, not the program.
    void ApplyGeometry() override;
    bool FixedBorder() const { return FFormBorderStyle == bsSingle || FFormBorderStyle == bsDialog || FFormBorderStyle == bsToolWindow; }
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;

    TBorderStyle FFormBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    QPointer<TWinControl> FActiveControl;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FShown = false;
    int FAlpha = 255;
    QEventLoop* FModalLoop = nullptr;
    QPointer<TWinControl> FOwnerWnd;
    bool FSizeTracking = false;
    bool FSystemSizing = false;
    TPoint FTrackStart;
    int FTrackWidth = 0, FTrackHeight = 0;
    int FMinWidth = 0, FMinHeight = 0;
    std::vector<std::pair<int, std::function<void(TCustomForm*)>>> FMoveHooks;
    int FNextHook = 1;
};

class TForm : public TCustomForm {
    Q_OBJECT
public:
    explicit TForm(TComponent* AOwner = nullptr);
};

// ---------------------------------------------------------------- modal seam
// A handler replaces the modal loop: it gets the shown form and returns the
// modal result (mrNone: use the form's ModalResult as the handler left it).
using TModalHandler = std::function<int(TCustomForm* Form)>;
void SetModalHandler(TModalHandler h);
TModalHandler ModalHandler();
// Installs a modal handler for the lifetime of the object.
class TModalScope {
public:
    explicit TModalScope(TModalHandler h);
    ~TModalScope();
    std::vector<QString> Shown; // captions of the forms shown modally, in order
private:
    TModalHandler FPrev;
};

// ---------------------------------------------------------------- hints
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;          // client coordinates of HintControl
    TRect CursorRect;          // moving out of it hides the hint
    TPoint HintPos;            // screen position of the hint window
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    QString HintStr;
    int HideTimeout = 0;
    int ReshowTimeout = 0;
    void* HintData = nullptr;
};

// The window a hint is shown in; subclasses draw richer content by overriding
// Paint and CalcHintRect.
class THintWindow : public TCustomControl {
    Q_OBJECT
public:
    explicit THintWindow(TComponent* AOwner = nullptr);
    virtual TRect CalcHintRect(int maxWidth, const QString& hint, void* data);
    virtual void ActivateHint(const TRect& screenRect, const QString& hint, void* data = nullptr);
    void ReleaseHandle() { hide(); }
protected:
    void Paint() override;
    void* FData = nullptr;
};

// A frameless window that stays on top and does not take the activation
// (drop-down lists and editors).
class TPopupWindow : public TCustomControl {
    Q_OBJECT
public:
    explicit TPopupWindow(TComponent* AOwner = nullptr);
    // Shows at a screen position; the owner keeps the focus.
    void Popup(const TPoint& screenPos);
    void ClosePopup();
    bool IsOpen() const { return isVisible(); }
    TNotifyEvent OnCloseUp;
protected:
    void hideEvent(QHideEvent* e) override;
};

// ---------------------------------------------------------------- application
class TApplication {
public:
    TApplication();
    ~TApplication();
    QString Title() const { return FTitle; }
    // The main window is the one on the task bar (kept for the start-up code).
    bool MainFormOnTaskBar = true;
    void SetTitle(const QString& t) { FTitle = t; }
    QString ExeName() const;
    TCustomForm* MainForm() const { return FMainForm; }

    // Creates a form, keeps it to the end, makes the first one the main form,
    // and fires its OnCreate.
    template <class T>
    void CreateForm(T*& ref)
    {
        ref = new T(nullptr);
        AddForm(ref);
        ref->DoCreate();
    }
    void AddForm(TCustomForm* f);
    // A form being destroyed leaves the list (and stops being the main form).
    void RemoveForm(TCustomForm* f);
    int FormCount() const { return int(FForms.size()); }
    TCustomForm* Forms(int i) const { return FForms.at(size_t(i)); }
    // Destroys the forms in reverse creation order (end of the program).
    void DestroyForms();
    // The owner of what the program makes at run time for the whole application
    // (components "owned by the application", found by their names); DestroyForms
    // frees them first.
    TComponent* ComponentOwner();

    // Shows the main form and runs the event loop until Terminate.
    void Run();
    void ProcessMessages();
    // Paints, timers and posted events, but no keyboard or mouse input: for a long task
    // that keeps its window drawn without letting the user start anything meanwhile.
    void ProcessMessagesExceptInput();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Starts a new run in the same process (test binaries run several).
    void ClearTerminated() { FTerminated = false; }
    void BringToFront();
    void Minimize();
    void Restore();

    // Called inside a catch block: shows the exception's text in one message
    // box (or passes it to OnException). EAbort is silent.
    void HandleException(TObject* Sender);
    void ShowException(const QString& message);
    std::function<void(TObject* Sender, const QString& Message)> OnException;

    int MessageBox(const QString& text, const QString& caption, unsigned flags);

    // ---- hints
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor c) { FHintColor = c; }
    int HintPause() const { return FHintPause; }
    void SetHintPause(int ms) { FHintPause = ms; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int ms) { FHintHidePause = ms; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int ms) { FHintShortPause = ms; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    void CancelHint();
    void ActivateHint(const TPoint& screenPos);
    // Shows the hint of a control at a screen position (CM_HINTSHOW lets the
    // control adjust or cancel it).
    void ShowHintFor(TControl* c, const TPoint& screenPos);
    THintWindow* HintWindow() const { return FHintWindow; }
    // Mouse tracking for hints: after HintPause over a control its hint shows;
    // moving out of the hint's cursor rectangle asks the control again.
    void HintMouseMove(TControl* c, const TPoint& screenPos);
    void HintMouseLeave(TControl* c);
    // Fires the pending hint now (tests drive the pause by hand).
    void HintTimerExpired();
    std::function<THintWindow*()> HintWindowClass;
    std::function<void(QString& HintStr, bool& CanShow, THintInfo& HintInfo)> OnShowHint;
    TNotifyEvent OnHint;
    QString Hint;

private:
    QString FTitle = QStringLiteral("Application");
    TCustomForm* FMainForm = nullptr;
    std::vector<TCustomForm*> FForms;
    bool FTerminated = false;
    bool FInException = false;
    TColor FHintColor = clInfoBk;
    int FHintPause = 500, FHintHidePause = 2500, FHintShortPause = 50;
    bool FShowHint = true;
    THintWindow* FHintWindow = nullptr;
    QTimer* FHintTimer = nullptr;
    QTimer* FHintPauseTimer = nullptr;
    std::unique_ptr<TComponent> FComponentOwner;
    QPointer<TControl> FHintControl;
    TRect FHintCursorRect; // screen coordinates
    TPoint FHintPos;
};
extern TApplication* Application;

class TScreen {
public:
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int PixelsPerInch() const { return kScreenPPI; }
    // Overrides every control's cursor while not crDefault.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor c);
    QCursor Cursors(int id) const;
    void SetCursors(int id, const QCursor& c);
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    int FormCount() const { return Application->FormCount(); }
    TCustomForm* Forms(int i) const { return Application->Forms(i); }
    QStringList Fonts() const;
    TFont* HintFont() { return &FHintFont; }
private:
    TCursor FCursor = crDefault;
    std::map<int, QCursor> FCursors;
    TFont FHintFont;
};

// The screen cursor for as long as the scope lives (the hourglass of a long task); the
// cursor before it comes back however the scope is left.
class TCursorScope {
public:
    explicit TCursorScope(TCursor Cursor);
    ~TCursorScope();
    TCursorScope(const TCursorScope&) = delete;
    TCursorScope& operator=(const TCursorScope&) = delete;

private:
    TCursor FSaved;
};
extern TScreen* Screen;

// ---------------------------------------------------------------- monitors
// A monitor handle is the 1-based index of a monitor in the current layout; 0 is none.
using HMONITOR = int;
enum : unsigned { MONITOR_DEFAULTTONULL = 0, MONITOR_DEFAULTTOPRIMARY = 1, MONITOR_DEFAULTTONEAREST = 2 };
struct TMonitorInfo {
    TRect rcMonitor;   // screen coordinates
    TRect rcWork;      // the monitor minus task bars and docked windows
    bool Primary = false;
};
// The monitors: Qt's screens, or the layout a test installed (the first one is primary).
std::vector<TMonitorInfo> MonitorLayout();
HMONITOR MonitorFromPoint(const TPoint& pt, unsigned flags);
bool GetMonitorInfo(HMONITOR monitor, TMonitorInfo* info);
// Installs a monitor layout for the lifetime of the object; the screen size, the work area,
// GetSystemMetrics(SM_CXSCREEN/SM_CYSCREEN) and SystemParametersInfo(SPI_GETWORKAREA)
// answer from its primary monitor.
class TScreenLayoutScope {
public:
    explicit TScreenLayoutScope(std::vector<TMonitorInfo> monitors);
    ~TScreenLayoutScope();
    TScreenLayoutScope(const TScreenLayoutScope&) = delete;
    TScreenLayoutScope& operator=(const TScreenLayoutScope&) = delete;
private:
    std::vector<TMonitorInfo> FSaved;
    bool FHadSaved;
};

class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& p);
    // Rows per wheel notch from the desktop setting (-1: a page); tests set it.
    int WheelScrollLines() const { return FWheelScrollLines; }
    void SetWheelScrollLines(int Value) { FWheelScrollLines = Value; }
    bool MousePresent() const { return true; }
    TControl* Capture() const;
private:
    int FWheelScrollLines = 3;
};
extern TMouse* Mouse;

// ---------------------------------------------------------------- window shapes
QRegion CreateRectRgn(int x1, int y1, int x2, int y2);
QRegion CreateEllipticRgn(int x1, int y1, int x2, int y2);
QRegion CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
QRegion CreatePolygonRgn(const std::vector<TPoint>& pts);
// Limits the control's window to the region (empty region: no limit).
void SetWindowRgn(TControl* c, const QRegion& rgn);
// Layered window: overall opacity 0..255.
void SetLayeredWindowAlpha(TControl* c, int alpha);
// Layered window with per-pixel alpha: the image becomes the window's content.
void UpdateLayeredWindow(TCustomControl* c, const QImage& argb);

// Sets the Fusion style, the font substitutions and the default font; the
// program and the test binaries call it once after creating the QApplication.
void InitPlatformApplication();

// The window that closing a modal window or box hands the activation back to: the active
// window, else the one asked to become active a moment ago that the window system has not
// reported active yet. ReactivateWindow asks for it again when it is still shown.
QWidget* ActiveOrPendingWindow();
void ReactivateWindow(QWidget* Window);
// Registers a font file with the application (tests use it for pixel tests);
// returns the family name or empty.
QString RegisterTestFont(const QString& path = QString());

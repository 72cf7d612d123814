#pragma once
// The control hierarchy: TControl (every visible element, a QWidget and a
// TComponent), TWinControl (can hold children and take the focus),
// TCustomControl (windowed, drawn by its Paint) and TGraphicControl (drawn,
// never focused). Events reach a control as messages through WndProc, whose
// default handling calls the overridable methods (MouseDown, KeyDown, Paint...)
// and then the std::function event properties.
#include "platform/core/classes.h"
#include "platform/ui/graphics.h"
#include "platform/ui/keys.h"
#include "platform/ui/messages.h"

#include <QtCore/QPointer>
#include <QtGui/QCursor>
#include <QtWidgets/QWidget>

#include <functional>
#include <initializer_list>
#include <vector>

class QScrollBar;
class QMouseEvent;
class TWinControl;
class TCustomForm;
class TForm;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

using TCursor = int;
enum : TCursor {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22,
    crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
    crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
    crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
    crHandPoint = -21, crSizeAll = -22,
};
// Qt cursor of a cursor id; positive ids are the program's own (see TScreen::SetCursors).
QCursor CursorToQCursor(TCursor c);

// Control style flags.
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 0x1, csCaptureMouse = 0x2, csDesignInteractive = 0x4, csClickEvents = 0x8,
    csFramed = 0x10, csSetCaption = 0x20, csOpaque = 0x40, csDoubleClicks = 0x80,
    csFixedWidth = 0x100, csFixedHeight = 0x200, csNoDesignVisible = 0x400, csReplicatable = 0x800,
    csNoStdEvents = 0x1000, csDisplayDragImage = 0x2000, csReflector = 0x4000,
    csActionClient = 0x8000, csMenuEvents = 0x10000, csNeedsBorderPaint = 0x20000,
    csParentBackground = 0x40000,
};

// Window styles read by CreateWnd.
enum : unsigned {
    WS_OVERLAPPED = 0, WS_TABSTOP = 0x00010000, WS_GROUP = 0x00020000, WS_THICKFRAME = 0x00040000,
    WS_SYSMENU = 0x00080000, WS_HSCROLL = 0x00100000, WS_VSCROLL = 0x00200000,
    WS_DLGFRAME = 0x00400000, WS_BORDER = 0x00800000, WS_CAPTION = 0x00C00000,
    WS_CLIPCHILDREN = 0x02000000, WS_CLIPSIBLINGS = 0x04000000, WS_DISABLED = 0x08000000,
    WS_VISIBLE = 0x10000000, WS_CHILD = 0x40000000, WS_POPUP = 0x80000000,
    WS_EX_DLGMODALFRAME = 0x1, WS_EX_TOPMOST = 0x8, WS_EX_TRANSPARENT = 0x20,
    WS_EX_TOOLWINDOW = 0x80, WS_EX_WINDOWEDGE = 0x100, WS_EX_CLIENTEDGE = 0x200,
    WS_EX_STATICEDGE = 0x20000, WS_EX_LAYERED = 0x80000, WS_EX_NOACTIVATE = 0x08000000,
    // The vertical scroll bar on the left; the horizontal scroll bar running from the right
    // (the rest of a mirrored layout is the control's own painting).
    WS_EX_RTLREADING = 0x2000, WS_EX_LEFTSCROLLBAR = 0x4000, WS_EX_LAYOUTRTL = 0x00400000,
    CS_VREDRAW = 0x1, CS_HREDRAW = 0x2, CS_DBLCLKS = 0x8, CS_SAVEBITS = 0x800, CS_DROPSHADOW = 0x20000,
    ES_LEFT = 0x0, ES_CENTER = 0x1, ES_RIGHT = 0x2, ES_MULTILINE = 0x4, ES_UPPERCASE = 0x8,
    ES_LOWERCASE = 0x10, ES_PASSWORD = 0x20, ES_AUTOVSCROLL = 0x40, ES_AUTOHSCROLL = 0x80,
    ES_NOHIDESEL = 0x100, ES_READONLY = 0x800, ES_WANTRETURN = 0x1000, ES_NUMBER = 0x2000,
};

struct TCreateParams {
    QString Caption;
    unsigned Style = 0;
    unsigned ExStyle = 0;
    unsigned WindowClassStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    TWinControl* WndParent = nullptr;
    QString WinClassName;
};

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// The object carried by an in-window drag (the source control by default).
class TDragObject {
public:
    virtual ~TDragObject() = default;
    TControl* Source = nullptr;
    TPoint DragPos;          // screen position
    bool Dropped = false;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TPaintEvent = TNotifyEvent;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// Scroll-bar information of a windowed control.
enum : unsigned { SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8,
                  SIF_TRACKPOS = 0x10, SIF_ALL = 0x17 };
struct TScrollInfo {
    unsigned cbSize = sizeof(TScrollInfo);
    unsigned fMask = 0;
    int nMin = 0, nMax = 0;
    unsigned nPage = 0;
    int nPos = 0, nTrackPos = 0;
};

class TControl : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TControl(TComponent* AOwner = nullptr);
    ~TControl() override;
    QString ClassName() const override;

    // ---- geometry (relative to the parent's client area)
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    // Top-left of the client area in the control's own (widget) coordinates.
    virtual TPoint ClientOrigin() const { return TPoint(); }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign a);
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;

    // ---- state
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible (and the window shown).
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);
    QString Caption() const { return GetText(); }
    void SetCaption(const QString& s) { SetText(s); }
    QString Text() const { return GetText(); }
    void SetText(const QString& s);
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    void SetFont(const TFont& f) { FFont.Assign(f); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    QString Hint() const { return FHint; }
    void SetHint(const QString& h);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v) { FParentShowHint = v; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor c);
    // Right to left: bdRightToLeft mirrors the control's layout and reads text from the
    // right; the two other right-to-left modes only read from the right (NoAlign keeps the
    // vertical scroll bar on the right). A change reaches the control as CM_BIDIMODECHANGED.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode v);
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftScrollBar() const
    { return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftReadingOnly; }
    // Shown on WM_CONTEXTMENU (right click or the menu key); without one the
    // message goes on to the native control, then to the parent.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* m);
    unsigned ControlStyle() const { return FControlStyle; }
    void SetControlStyle(unsigned s) { FControlStyle = s; }
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool IsDesigning() const { return false; }

    // ---- painting
    void Invalidate();
    void Repaint();
    void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // ---- mouse
    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // ---- messages
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    // The platform's own handling of a message (native widget behaviour).
    virtual void DefaultHandler(TMessage& Message);
    // Window handle: every control is a Qt widget, so the handle is the control.
    HWND Handle();
    virtual bool HandleAllocated() const { return true; }

    // The form this control lives on, or null.
    TCustomForm* GetParentForm() const;
    // Widget that receives the native input (self, or the wrapped Qt widget).
    QWidget* InputWidget() const { return FInner ? FInner : const_cast<TControl*>(this); }
    // The other control of the current focus change (inside DoEnter/DoExit).
    TWinControl* FocusPeer() const { return FFocusPeer; }

    // ---- events
    TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave, OnResize;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown, OnMouseWheelUp;

    // Runs `f`, sending an escaping exception to Application->HandleException.
    static void Guard(const std::function<void()>& f);

    virtual void Click();
    virtual void DblClick();

    // ---- dragging inside the application (dmAutomatic starts it on a left press)
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode m) { FDragMode = m; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor c) { FDragCursor = c; }
    // Starts dragging now, or once the mouse moved `threshold` pixels.
    void BeginDrag(bool immediate, int threshold = -1);
    void EndDrag(bool drop);
    bool Dragging() const;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    // Answers whether `source` may be dropped here (fires OnDragOver).
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);

protected:
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    // Mouse input while a drag is pending or running; true when consumed.
    bool DragMouse(QMouseEvent* e, const QPoint& screenPos);
    void EndDragAt(bool drop, const TPoint& screenPos);
    virtual QString GetText() const { return FText; }
    virtual void SetTextBuf(const QString& s);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
public:
    // Where a wheel message goes first: the form passes it to its focused control.
    virtual void MouseWheelHandler(TMessage& Message);
protected:
    virtual void Resize();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Changed() {}
    // Called when the font, colour or enabled state changed (after the message).
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged() {}
    virtual void VisibleChanged() {}
    virtual void TextChanged() {}

    // Wraps a Qt widget that fills the control; its input goes through WndProc.
    void SetInnerWidget(QWidget* w);
    QWidget* InnerWidget() const { return FInner; }
    void ApplyFontAndColor();
public:
    // Places the widget from Left/Top/Width/Height and the parent's client origin.
    virtual void ApplyGeometry();
protected:
    void SetFocusPeer(TWinControl* c) { FFocusPeer = c; }

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    // Translates a Qt input or window event into messages; true when consumed.
    virtual bool HandleQtEvent(QObject* target, QEvent* e);
    bool HandleKeyEvent(QObject* target, class QKeyEvent* e);
    bool HandleMouseEvent(QObject* target, class QMouseEvent* e);
    bool HandleWheelEvent(QObject* target, class QWheelEvent* e);
    void RunNative(QObject* target, QEvent* e);
    void UpdateCursor(UINT mouseMsg);
    friend class TWinControl;
    friend class TCustomForm;
    friend class TApplication;

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    QString FText;
    TColor FColor = clBtnFace;
    TFont FFont;
    bool FParentFont = true;
    bool FParentColor = false;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TBiDiMode FBiDiMode = bdLeftToRight;
    TPopupMenu* FPopupMenu = nullptr;
    unsigned FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TWinControl* FParent = nullptr;
    QWidget* FInner = nullptr;
    TWinControl* FFocusPeer = nullptr;
    bool FDefaultReached = false;
    // The native paint of a wrapped widget runs when WM_PAINT reaches the default.
    struct TPendingPaint { QObject* Target = nullptr; QEvent* Event = nullptr; TCanvas* Canvas = nullptr; bool Done = false; };
    TPendingPaint FPendingPaint;
    struct TPendingWheel { QObject* Target = nullptr; QEvent* Event = nullptr; bool Done = false; };
    TPendingWheel FPendingWheel;
    bool FInSetBounds = false;
    bool FMouseInside = false;
    bool FClickPending = false;
    bool FSettingFont = false;
    TDragMode FDragMode = dmManual;
    TCursor FDragCursor = crDrag;
};

class TWinControl : public TControl {
    Q_OBJECT
public:
    explicit TWinControl(TComponent* AOwner = nullptr);
    ~TWinControl() override;

    // Child controls in creation order.
    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int i) const { return FControls.at(size_t(i)); }
    bool ContainsControl(const TControl* c) const;
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    int TabOrder() const;
    void SetTabOrder(int v);
    // Windowed children in tab order.
    std::vector<TWinControl*> TabOrderList() const;

    bool CanFocus() const;
    bool Focused() const;
    // Raises EInvalidOperation for a disabled or invisible control.
    virtual void SetFocus();
    // Moves the focus to the next (or previous) focusable control after `cur`.
    void SelectNext(TWinControl* cur, bool forward, bool checkTabStop);
    TWinControl* FindNextControl(TWinControl* cur, bool forward, bool checkTabStop, bool checkParent) const;

    // ---- window handle lifecycle
    bool HandleAllocated() const override { return FHandleCreated; }
    void HandleNeeded();
    void RecreateWnd();
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle b);
    // Window class style bits (CS_...) of this window; see GetClassLong.
    unsigned WindowClassStyle() const { return FClassStyle; }
    void SetWindowClassStyle(unsigned v) { FClassStyle = v; }
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    // Scales the control for a form scaled by M/D: its position and size (each
    // by MulDiv), and its font unless the control takes its parent's. Column
    // widths, child controls and the like are the descendants' to scale.
    virtual void ChangeScale(int M, int D);

    // ---- alignment of children
    void Realign();
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign() { if (--FAlignDisabled == 0) Realign(); }
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;

    // ---- scroll bars (WS_HSCROLL / WS_VSCROLL styles)
    int SetScrollInfo(int bar, const TScrollInfo& si, bool redraw = true);
    bool GetScrollInfo(int bar, TScrollInfo& si) const;
    int SetScrollPos(int bar, int pos, bool redraw = true);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int min, int max, bool redraw = true);
    void ShowScrollBar(int bar, bool show);
    // The Qt widget child controls are placed on (the control itself, or an
    // inner content widget such as a scroll box's).
    virtual QWidget* ChildHost() { return this; }
    bool ScrollBarVisible(int bar) const;
    // Scrolls the client area contents (repaints it).
    void ScrollBy(int dx, int dy);

    TNotifyEvent OnEnter, OnExit;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void WndProc(TMessage& Message) override;

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void CreateHandle();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    // Form preview then KeyDown; true when the key was eaten.
    bool DoKeyDown(TMessage& m);
    bool DoKeyUp(TMessage& m);
    bool DoKey(TMessage& m, void (TWinControl::*handler)(WORD&, TShiftState));
    bool DoKeyPress(TMessage& m);
    void ApplyGeometry() override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    // Paints the non-client frame (WM_NCPAINT default).
    virtual void PaintNonClient(TCanvas* canvas);
    void LayoutScrollBars();
    // The vertical scroll bar shows on the left (WS_EX_LEFTSCROLLBAR): the client area starts after it.
    bool LeftScrollBarShown() const;
    // Width of the frame drawn by the control itself (client edge or border).
    virtual int NonClientBorder() const;
    void ApplyCreateParams();
    friend class TControl;

    std::vector<TControl*> FControls;
    bool FTabStop = false;
    int FTabOrder = -1;
    bool FHandleCreated = false;
    bool FCreatingHandle = false;
    TBorderStyle FBorderStyle = bsNone;
    bool FCtl3D = true;
    int FBorderWidth = 0;
    int FAlignDisabled = 0;
    bool FAligning = false;
    TCreateParams FParams;
    unsigned FClassStyle = CS_DBLCLKS;
    QScrollBar* FScrollBars[2] = {nullptr, nullptr};
    bool FScrollShown[2] = {false, false};
    TScrollInfo FScroll[2];
    // Non-client frame image, painted over the widget when there is a border.
    QImage FNCImage;
};

// A windowed control drawn by its Paint method on Canvas.
class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(TComponent* AOwner = nullptr);
    ~TCustomControl() override;
    TCanvas* Canvas();
    TPaintEvent OnPaint;
    // Renders the control (with children) to an image, as it would appear.
    QImage Snapshot();
    void WndProc(TMessage& Message) override;
protected:
    virtual void Paint();
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void EnsureBuffer();
    friend class TControl;
    QImage FBuffer;
    std::unique_ptr<TCanvas> FCanvas;
    bool FPainting = false;
    bool FBlitOnly = false;
    bool FExternalSetup = false;
};

// A control without focus, drawn by its Paint method on Canvas.
class TGraphicControl : public TControl {
    Q_OBJECT
public:
    explicit TGraphicControl(TComponent* AOwner = nullptr);
    ~TGraphicControl() override;
    TCanvas* Canvas();
    TPaintEvent OnPaint;
    void WndProc(TMessage& Message) override;
protected:
    virtual void Paint();
    void paintEvent(QPaintEvent* e) override;
    void EnsureBuffer();
    // Transparent controls leave the parent's pixels where they paint nothing.
    bool Transparent() const { return !(FControlStyle & csOpaque); }
    QImage FBuffer;
    std::unique_ptr<TCanvas> FCanvas;
};

// Finds the control for a Qt widget (the widget itself or the control wrapping it).
TControl* FindControl(QWidget* w);
// Control under a screen point, or null.
TControl* FindDragTarget(const TPoint& screenPos, bool allowDisabled);

// ---------------------------------------------------------------- platform calls
// Key state as the classic call reports it: bit 15 set while the key is down.
// Only the modifier keys and mouse buttons are known.
int16_t GetKeyState(int vk);
inline int16_t GetAsyncKeyState(int vk) { return GetKeyState(vk); }
// Replaces the state GetKeyState reports while it lives (tests): the listed
// virtual keys and buttons read as held, every other as up.
class TKeyStateScope {
public:
    explicit TKeyStateScope(std::initializer_list<int> Down = {});
    ~TKeyStateScope();
    TKeyStateScope(const TKeyStateScope&) = delete;
    TKeyStateScope& operator=(const TKeyStateScope&) = delete;
    void SetDown(int vk, bool Down);
    bool IsDown(int vk) const;
private:
    std::vector<int> FDown;
    TKeyStateScope* FPrev;
};
enum : int {
    SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4,
    SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CYDLGFRAME = 8, SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14,
    SM_CYMENU = 15, SM_CYVSCROLL = 20, SM_CXHSCROLL = 21, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37,
    SM_CXEDGE = 45, SM_CYEDGE = 46, SM_CXSMICON = 49, SM_CYSMICON = 50, SM_CXDRAG = 68, SM_CYDRAG = 69,
    SM_CXMENUCHECK = 71, SM_CYMENUCHECK = 72,
};
// Metrics of the fixed platform profile (96 ppi, 17-pixel scroll bars).
int GetSystemMetrics(int index);
unsigned GetDoubleClickTime();
unsigned GetCaretBlinkTime();
void MessageBeep(unsigned type = 0);
// Beeps given since start-up, so tests can tell a refused key from a silent one.
unsigned MessageBeepCount();
// Whole-control invalidation (the area is not tracked separately).
void InvalidateRect(HWND wnd, const TRect* r = nullptr, bool erase = true);
void UpdateWindow(HWND wnd);
// Scrolls the contents of a control's client area (repaints it).
void ScrollWindow(HWND wnd, int dx, int dy, const TRect* scroll = nullptr, const TRect* clip = nullptr);
// Inside WM_SETCURSOR: shows this cursor over the control that got the message.
void SetCurrentCursor(TCursor c);
// The control holding the keyboard focus.
TWinControl* GetFocusControl();
enum : int { HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, LOGPIXELSX = 88, LOGPIXELSY = 90,
             PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113 };
// Device capabilities of a canvas: its pixels per inch (the 96 ppi screen profile unless a
// printer canvas carries its own) and the surface size in pixels.
int GetDeviceCaps(TCanvas* canvas, int index);
enum : unsigned { SPI_GETWORKAREA = 0x30, SPI_GETWHEELSCROLLLINES = 0x68 };
// SPI_GETWHEELSCROLLLINES writes an unsigned, SPI_GETWORKAREA a TRect.
bool SystemParametersInfo(unsigned action, unsigned param, void* value, unsigned winIni = 0);
enum : unsigned {
    SWP_NOSIZE = 0x1, SWP_NOMOVE = 0x2, SWP_NOZORDER = 0x4, SWP_NOREDRAW = 0x8, SWP_NOACTIVATE = 0x10,
    SWP_FRAMECHANGED = 0x20, SWP_SHOWWINDOW = 0x40, SWP_HIDEWINDOW = 0x80, SWP_NOOWNERZORDER = 0x200,
};
inline HWND HWND_TOP() { return nullptr; }
inline HWND HWND_TOPMOST() { return reinterpret_cast<HWND>(intptr_t(-1)); }
inline HWND HWND_NOTOPMOST() { return reinterpret_cast<HWND>(intptr_t(-2)); }
// Moves, sizes, shows or hides a control in one call; showing never takes the activation
// when SWP_NOACTIVATE is given.
bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, unsigned flags);
// Class long values of a window; only GCL_STYLE is kept. Each window has its own
// class style (set from CreateParams when its handle is made). CS_DROPSHADOW is
// stored and read back, but no shadow is drawn: Linux has no portable request for
// the shadow of a frameless window.
enum : int { GCL_STYLE = -26 };
unsigned GetClassLong(HWND wnd, int index);
// Returns the previous value.
unsigned SetClassLong(HWND wnd, int index, unsigned value);
// The next window up the chain a window belongs to: a form's owner window when
// it has one, otherwise the parent control; null at the end of the chain.
HWND ParentOrOwnerWindow(HWND wnd);


#pragma once
// Panels, bevels, shapes, images, timers, splitters, scroll boxes, link labels
// and speed buttons.
#include "platform/ui/stdctrls.h"

#include <algorithm>

class QTimer;
class QScrollArea;
class QLabel;

class TCustomPanel : public TCustomControl {
    Q_OBJECT
public:
    explicit TCustomPanel(TComponent* AOwner = nullptr);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut b) { FBevelOuter = b; Realign(); Invalidate(); }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut b) { FBevelInner = b; Realign(); Invalidate(); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int w) { FBevelWidth = std::max(1, w); Realign(); Invalidate(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a) { FAlignment = a; Invalidate(); }
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool v) { FParentBackground = v; Invalidate(); }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v) { FShowCaption = v; Invalidate(); }
    void AlignControls(TControl* AControl, TRect& Rect) override;
protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }
    int BevelSize() const;
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    TAlignment FAlignment = taCenter;
    bool FParentBackground = false;
    bool FShowCaption = true;
};
class TPanel : public TCustomPanel {
    Q_OBJECT
public:
    explicit TPanel(TComponent* AOwner = nullptr) : TCustomPanel(AOwner) {}
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
    Q_OBJECT
public:
    explicit TBevel(TComponent* AOwner = nullptr);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape s) { FShape = s; Invalidate(); }
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle s) { FStyle = s; Invalidate(); }
protected:
    void Paint() override;
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
    Q_OBJECT
public:
    explicit TShape(TComponent* AOwner = nullptr);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType s) { FShape = s; Invalidate(); }
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
protected:
    void Paint() override;
    TShapeType FShape = stRectangle;
    TPen FPen;
    TBrush FBrush;
};

class TImage : public TGraphicControl {
    Q_OBJECT
public:
    explicit TImage(TComponent* AOwner = nullptr);
    ~TImage() override;
    TPicture* Picture() { return FPicture.get(); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v) { FStretch = v; Invalidate(); }
    bool Center() const { return FCenter; }
    void SetCenter(bool v) { FCenter = v; Invalidate(); }
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v) { FProportional = v; Invalidate(); }
    bool Transparent() const { return FTransparentImage; }
    void SetTransparent(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    TRect DestRect() const;
protected:
    void Paint() override;
    void PictureChanged();
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false, FCenter = false, FProportional = false, FTransparentImage = false, FAutoSize = false;
};

// A timer component. Tests drive it by hand with Tick().
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner = nullptr);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned ms);
    // Fires OnTimer now (as if the interval had elapsed).
    void Tick();
    TNotifyEvent OnTimer;
private:
    void Update();
    std::unique_ptr<QTimer> FTimer;
    bool FEnabled = true;
    unsigned FInterval = 1000;
};

// WM_TIMER timers of a control (wParam = id).
bool SetTimer(HWND wnd, uintptr_t id, unsigned ms);
bool KillTimer(HWND wnd, uintptr_t id);

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

class TSplitter : public TGraphicControl {
    Q_OBJECT
public:
    explicit TSplitter(TComponent* AOwner = nullptr);
    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = v; }
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle s) { FResizeStyle = s; }
    TNotifyEvent OnMoved;
protected:
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
    void MouseMove(TShiftState s, int x, int y) override;
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
    void Paint() override;
    TControl* FindControl() const;
    int FMinSize = 30;
    TResizeStyle FResizeStyle = rsUpdate;
    bool FDragging = false;
    TPoint FDownPos;
};

// A container that scrolls its children; children keep their logical positions.
class TScrollBox : public TWinControl {
    Q_OBJECT
public:
    explicit TScrollBox(TComponent* AOwner = nullptr);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool v);
    int HorzPosition() const;
    int VertPosition() const;
    void SetHorzPosition(int v);
    void SetVertPosition(int v);
    // Scroll step of one line (arrow click / wheel notch).
    int LineIncrement() const { return FLine; }
    void SetLineIncrement(int v);
    // Whether the bars currently show (as needed or always).
    bool VertScrollBarVisible() const;
    bool HorzScrollBarVisible() const;
    // Pixels kept clear around an item scrolled into view vertically.
    int VertScrollBarMargin() const { return FVertMargin; }
    void SetVertScrollBarMargin(int v) { FVertMargin = std::max(0, v); }
    void ScrollInView(TControl* c);
    TRect ClientRect() const override;
    void UpdateScrollRange();
    void WndProc(TMessage& m) override;
    // Children live on the scrolled content widget.
    QWidget* ChildHost() override { return FCanvasWidget; }
    void AlignControls(TControl* AControl, TRect& Rect) override;
protected:
    void resizeEvent(QResizeEvent* e) override;
    QScrollArea* FArea;
    QWidget* FCanvasWidget;
    bool FAutoScroll = true;
    int FLine = 8;
    int FVertMargin = 0;
};

// A label whose caption holds anchors: 'Visit <a href="http://x">our site</a>'.
enum TSysLinkType { sltURL, sltID };
class TLinkLabel : public TWinControl {
    Q_OBJECT
public:
    explicit TLinkLabel(TComponent* AOwner = nullptr);
    QLabel* Label() const { return FLabel; }
    std::function<void(TObject* Sender, const QString& Link, TSysLinkType LinkType)> OnLinkClick;
    // Clicks the first link, as a click on it would.
    void ClickLink(int index = 0);
    QStringList Links() const;
    void WndProc(TMessage& m) override;
protected:
    QString GetText() const override { return FText; }
    void SetTextBuf(const QString& s) override;
    QLabel* FLabel;
};

// The drawn state of a speed button: a button of a group that is held down by
// the mouse while already down shows bsExclusive.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
    Q_OBJECT
public:
    explicit TSpeedButton(TComponent* AOwner = nullptr);
    TButtonState State() const;
    // Number of images side by side in the glyph (up, disabled, down, exclusive).
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v) { FNumGlyphs = std::clamp(v, 1, 4); Invalidate(); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { FFlat = v; Invalidate(); }
    bool Down() const { return FDown; }
    void SetDown(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int g) { FGroupIndex = g; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    TBitmap* Glyph() { return &FGlyph; }
    void Click() override;
protected:
    void Paint() override;
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
    void MouseEnter() override { FHot = true; Invalidate(); TGraphicControl::MouseEnter(); }
    void MouseLeave() override { FHot = false; Invalidate(); TGraphicControl::MouseLeave(); }
    bool FFlat = false, FDown = false, FPressed = false, FHot = false, FAllowAllUp = false;
    int FGroupIndex = 0;
    int FNumGlyphs = 1;
    TBitmap FGlyph;
};

// A balloon tip pointing at a control: title and description in a rounded
// window that does not take the focus.
class TBalloonHint : public TComponent {
public:
    explicit TBalloonHint(TComponent* AOwner = nullptr);
    ~TBalloonHint() override;
    QString Title;
    QString Description;
    // Shows with the stem's tip at the centre of the control's bottom edge (or at
    // a screen point).
    void ShowHint(TControl* c);
    void ShowHint(const TPoint& screenPos);
    void HideHint();
    bool Showing() const;
    int HideAfter = 0; // ms from each showing; 0 keeps it until hidden
    // 0 none, 1 information, 2 warning, 3 error (shown before the title).
    int Icon = 0;
    // Delays before the first showing and between showings, in ms.
    int InitialDelay = 500;
    int ReshowDelay = 100;
    // 0 transparent .. 255 opaque.
    int Opacity = 255;
    // Text and balloon colours (clNone: the tooltip colours) and the widest a
    // line may run before it wraps, in pixels.
    TColor TextColor = clNone;
    TColor Color = clNone;
    int MaxWidth = 280;
    // Makes the balloon the tooltip of Control (nullptr: of none). When the mouse
    // rests on the control for InitialDelay ms (ReshowDelay right after a balloon
    // was hidden) the control is asked for what to show by WM_NOTIFY with a
    // TToolTipTextRequest (TTN_GETDISPINFOW); an empty text shows nothing. Showing
    // and hiding are told with TTN_SHOW and TTN_POP. The balloon also goes when its
    // time is up, the control is hidden, its window loses the activation or the
    // tool changes.
    void SetTool(TWinControl* Control);
    TWinControl* Tool() const;
    // What the rest of the mouse starts: the request, then the balloon at the mouse.
    void ActivateTool();
private:
    class TBalloonWindow* FWindow = nullptr;
    class TBalloonTool* FTool = nullptr;
    bool FToolShown = false;
};


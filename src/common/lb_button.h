#pragma once
// TLbButton: the custom-drawn push button of every window. It paints its own face in
// one of a few styles, tracks the mouse (hot colour, optional fade-out), presses
// visibly and, on a click, runs OnClick, hands its ModalResult to its form and runs
// its linked Action.

#include "platform/ui/actions.h"
#include "platform/ui/controls.h"
#include "platform/ui/graphics.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QString>
#include <memory>

class QTimer;
class TCustomForm;
class TPopupMenu;

enum TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TLbColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP,
    lcsAqua, lcsDefault, lcsQuicken
};

// Steps the fade of one button every 30 ms on the UI thread. It starts suspended and
// is resumed by a mouse leave while SlowDecease is on; the button suspends it again
// once the face is back to its own colour.
class TLbButtonThread {
public:
    explicit TLbButtonThread(std::function<void(TLbButtonThread*)> notify);
    ~TLbButtonThread();
    TLbButtonThread(const TLbButtonThread&) = delete;
    TLbButtonThread& operator=(const TLbButtonThread&) = delete;

    void Resume();
    void Suspend();
    bool Suspended() const;
    void Terminate();
    bool Terminated() const { return FTerminated; }
    static constexpr int Interval_Ms = 30;

private:
    std::function<void(TLbButtonThread*)> FNotify;
    std::unique_ptr<QTimer> FTimer;
    bool FTerminated = false;
};

class TLbButton : public TCustomControl, public TControlActionClient {
    Q_OBJECT
public:
    explicit TLbButton(TComponent* AOwner = nullptr);
    ~TLbButton() override;
    QString ClassName() const override { return QStringLiteral("TLbButton"); }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    bool Default() const { return FDefault; }
    void SetDefault(bool v) { FDefault = v; }
    // Reads always give lcsCustom; writing applies the preset's colours.
    TLbColorStyle ColorStyle() const { return FDummyStyle; }
    void SetColorStyle(TLbColorStyle v);
    TColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(TColor v) { FColorWhenDown = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TBitmap* Glyph() { return &FGlyph; }
    // Copies the bitmap (null empties the glyph); NumGlyphs := width div height.
    void SetGlyph(const TBitmap* v);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor v) { FHotTrackColor = v; }
    TFont* HotTrackFont() { return &FHTFont; }
    void SetHotTrackFont(const TFont& f) { FHTFont.Assign(f); }
    TLbButtonKind Kind() const { return FKind; }
    void SetKind(TLbButtonKind v);
    TLbButtonLayout Layout() const { return FLayout; }
    void SetLayout(TLbButtonLayout v);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor v);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v);
    bool SlowDecease() const { return FSlowDecease; }
    void SetSlowDecease(bool v);
    TLbButtonStyle Style() const { return FStyle; }
    void SetStyle(TLbButtonStyle v);
    bool UseHotTrackFont() const { return FUseHTFont; }
    void SetUseHotTrackFont(bool v) { FUseHTFont = v; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    // A pop-up menu adds the drop-down arrow to the face and opens below the button
    // on a click.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);
    void SetEnabled(bool v) override;

    // The window's extended style (WS_EX_TRANSPARENT for the see-through styles).
    unsigned ExStyle() const { return FExStyle; }

    TNotifyEvent OnMouseExit;  // OnClick and OnMouseEnter come from the control base

    // All ways of pressing the button end here: DoClick, then the linked action.
    void Click() override;
    void DoClick();

    // State, for painting and tests.
    bool IsDown() const { return bDown; }
    bool CursorOnButton() const { return bCursorOnButton; }
    int HotTrackStep() const { return FHotTrackStep; }
    TLbButtonThread* FadeThread() const { return FThread.get(); }
    void FadeStep(TLbButtonThread* Sender);

    // Whether ch is the accelerator of the caption (the letter after a single "&").
    static bool IsAccel(QChar ch, const QString& caption);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // An empty glyph takes the action's image from its action list.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

private:
    // The glyph becomes the action's image on a 0xFF00FF key, one frame.
    void CopyActionImage(TAction* Action);
    bool ParentShowing() const;
    void RepaintNow();
    void EndThread();

    TAlignment FAlignment = taCenter;
    TColor FShadowColor = clGray;
    TColor FColorWhenDown = clNone;
    bool FFlat = false;
    bool FWordWrap = false;
    TBitmap FGlyph;
    TColor FHotTrackColor = clNone;
    TFont FHTFont;
    TLbButtonKind FKind = bkCustom;
    TLbButtonLayout FLayout = blGlyphLeft;
    TColor FLightColor = clWhite;
    int FModalResult = 0;
    int FNumGlyphs = 0;
    bool FUseHTFont = false;
    TLbColorStyle FDummyStyle = lcsCustom;
    TLbButtonStyle FStyle = bsNormal;
    bool FDefault = false;
    bool FCancel = false;
    bool FSlowDecease = false;
    bool bDown = false;
    bool bCursorOnButton = false;
    std::unique_ptr<TLbButtonThread> FThread;
    int FHotTrackStep = 0;
    unsigned FExStyle = 0;
    TPopupMenu* FPopupMenu = nullptr;
    bool FDestroying = false;
};

// Face colour at hot-track step s (0..8): trunc(Color * (1 - s/8) + Hot * s/8) per channel.
TColor BlendHotTrackColor(TColor color, TColor hotTrackColor, int step);

// 32 bands from fromColor to toColor over the rectangle, pen hidden.
void DrawButtonGradient(TCanvas* canvas, TColor fromColor, TColor toColor, int left, int top,
                        int right, int bottom);

// The caption shortened from its end until its width fits (no word wrap).
QString Fit_Caption(TCanvas* canvas, QString caption, int width);

// Paints a complete button face of the given size and state at the canvas origin.
void DrawButton(TCanvas* Canvas, int W, int H, int HotTrackStep, int NumGlyphs, TBitmap* Glyph,
                bool Down, bool Hot, bool Enabled, bool Flat, bool WordWrap, bool HasPopup,
                TLbButtonStyle Style, TColor Color, TColor ColorWhenDown, TColor HotTrackColor,
                TColor LightColor, TColor ShadowColor, TFont* Font, TLbButtonLayout Layout,
                const QString& Caption, TAlignment Alignment);

// The face every window of the program gives its buttons: 0xEDF7F8, yellow under the
// cursor, orange while pressed, a gray frame.
void Set_Window_Button_Look(TLbButton* Button, TLbButtonStyle Style = bsEncarta);

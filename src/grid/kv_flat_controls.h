#pragma once
// The small owner-drawn controls of the grid's search bar: a graphic push
// button with flat coloured faces, glyphs per state, groups and a drop-down
// part, and a check box that draws its own themed or classic box and can show
// its parent's background under itself.
#include "grid/grid_enums.h"
#include "platform/ui/actions.h"
#include "platform/ui/controls.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"

#include <memory>

class TPopupMenu;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Two-colour face in Steps bands (vertical: bands top to bottom), then an
// unfilled frame in FrameColor unless it is clNone.
void DrawFramedGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor FrameColor, int Steps,
                        const TRect& R, bool Horizontal);

// Places glyph and caption inside Client moved by Offset. Margin and Spacing
// -1 mean automatic.
void LayoutGlyphAndCaption(const TRect& Client, const TPoint& Offset, TPoint GlyphSize, TPoint CaptionSize,
                           TButtonLayout Layout, int Margin, int Spacing, bool RightToLeft, TPoint& GlyphPos,
                           TRect& TextBounds);

// True when Ch is the caption's accelerator ("&Find" -> F; "&&" is a plain "&").
bool IsCaptionAccel(QChar Ch, const QString& Caption);

// 0 without visual styles; 1 "NormalColor", 2 "HomeStead", 3 "Metallic", else 0.
int GetXPColorScheme();

class TKvGridButton : public TGraphicControl, public TControlActionClient {
    Q_OBJECT
public:
    explicit TKvGridButton(TComponent* AOwner = nullptr);
    ~TKvGridButton() override;
    QString ClassName() const override { return QStringLiteral("TKvGridButton"); }

    TButtonState State() const { return FState; }
    bool Dragging() const { return FDragging; }
    bool MouseInControl() const { return FMouseInControl; }

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TKvGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TKvGridButtonStyle Value) { FStyle = Value; Invalidate(); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

#define KV_BUTTON_COLOR(Name, Repaint)                                                                                \
    TColor Name() const { return F##Name; }                                                                           \
    void Set##Name(TColor Value)                                                                                      \
    {                                                                                                                 \
        F##Name = Value;                                                                                              \
        if (Repaint) Invalidate();                                                                                    \
    }
    // Colours that show at the next paint only.
    KV_BUTTON_COLOR(ColorHot, false)
    KV_BUTTON_COLOR(ColorHotTo, false)
    KV_BUTTON_COLOR(ColorDown, false)
    KV_BUTTON_COLOR(ColorDownTo, false)
    KV_BUTTON_COLOR(BorderDownColor, false)
    KV_BUTTON_COLOR(BorderHotColor, false)
    KV_BUTTON_COLOR(ColorTo, true)
    KV_BUTTON_COLOR(ColorChecked, true)
    KV_BUTTON_COLOR(ColorCheckedTo, true)
    KV_BUTTON_COLOR(BorderColor, true)
#undef KV_BUTTON_COLOR
    // The face colour is the control's own Color.
    void SetFaceColor(TColor Value) { SetColor(Value); Invalidate(); }

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(const TBitmap* Value);
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(const TBitmap* Value);
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(const TBitmap* Value);
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }
    bool Shaded() const { return FShaded; }
    void SetShaded(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value) { FRounded = Value; Invalidate(); }
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value) { FDropDownButton = Value; Invalidate(); }
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; Invalidate(); }
    int Look() const { return FLook; }
    void SetLook(int Value);

    TNotifyEvent OnDropDown;

    // OnClick, then the linked action.
    void Click() override;
    void DblClick() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;

private:
    void ApplyThemeLook();
    void BuildShadeGlyph();
    void UpdateExclusive();
    void UpdateTracking();
    void HandleMouseEnter();
    void HandleMouseLeave();
    void FillFace(const TRect& R, TColor From, TColor To, TColor Pen);
    void PaintContent(TRect R, TPoint Offset, TButtonState State);
    bool IsInside(int X, int Y) const { return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight(); }

    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;
    bool FIsComCtl6;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    TKvGridButtonStyle FStyle = tasButton;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
    bool FFlat = true;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7, FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2, FColorDownTo = clNone;
    TColor FColorChecked = clGray, FColorCheckedTo = clNone;
    TColor FBorderColor = clNone, FBorderDownColor = clNone, FBorderHotColor = clNone;
    std::unique_ptr<TBitmap> FGlyph, FGlyphHot, FGlyphDown, FGlyphDisabled, FGlyphShade;
    bool FShaded = true;
    bool FShowCaption = true;
    bool FRounded = false;
    bool FDropDownButton = false;
    TPopupMenu* FDropDownMenu = nullptr;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    int FLook = 0;
};

// The grid button's link to its action: besides the caption, enabled state, hint
// and visibility of every control link, the checked state follows Down (only for a
// button of a group that allows all up) and the group index follows GroupIndex,
// each while the button still has the action's value.
class TKvGridButtonActionLink : public TControlActionLink {
public:
    explicit TKvGridButtonActionLink(TKvGridButton* AClient) : TControlActionLink(AClient), FButton(AClient) {}
    bool IsCheckedLinked() const override;
    bool IsGroupIndexLinked() const override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

private:
    TKvGridButton* FButton;
};

class TKvCheckBox : public TCustomControl {
    Q_OBJECT
public:
    explicit TKvCheckBox(TComponent* AOwner = nullptr);
    ~TKvCheckBox() override;
    QString ClassName() const override { return QStringLiteral("TKvCheckBox"); }

    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value) { FDown = Value; }
    bool IsFocused() const { return FFocused; }
    bool Hot() const { return FHot; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    TTextLayout ButtonVertAlign() const { return FButtonVertAlign; }
    void SetButtonVertAlign(TTextLayout Value) { FButtonVertAlign = Value; Invalidate(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; Invalidate(); }
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value) { FEllipsis = Value; Invalidate(); }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool TransparentChaching() const { return FTransparentChaching; }
    void SetTransparentChaching(bool Value) { FTransparentChaching = Value; }
    bool BackgroundCached() const { return FBkgCache; }

    virtual void Toggle();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WndProc(TMessage& Message) override;
    // The box's rectangle in client coordinates, for the current look.
    TRect BoxRect() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    bool Themed() const;
    void InvalidateBox();
    void PaintParentBackground(TCanvas* Target);

    TCheckBoxState FState = cbUnchecked;
    bool FDown = false;
    bool FFocused = false;
    bool FHot = false;
    bool FMouseDown = false;
    bool FReturnIsTab = false;
    TTextLayout FButtonVertAlign = tlTop;
    TAlignment FAlignment = taLeftJustify;
    bool FEllipsis = false;
    QString FCaption = QStringLiteral("TKvCheckBox");
    bool FIsWinXP;
    bool FReadOnly = false;
    bool FTransparent = false;
    bool FTransparentChaching = false;
    std::unique_ptr<TBitmap> FBkgBmp;
    bool FBkgCache = false;
};

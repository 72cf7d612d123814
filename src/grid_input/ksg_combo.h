#pragma once
// The platform combo box with a drawn look on top and an optional caption
// label. Four looks: standard (nothing drawn, the platform combo as it is),
// flat (a 2-pixel frame in the parent's colour with an optional bottom line),
// a coloured one-pixel frame (BorderColor, FocusBorderColor while focused)
// and a coloured drop-down button. Items, style, text and the list stay the
// platform combo's.
//
// The drawing lies in a layer over the combo (mouse input passes through), so
// the combo's own painting runs untouched below it; "repainting the borders"
// repaints the layer. The client area is the whole control: a combo box has no
// frame of its own outside its client area.
#include "grid_input/ksg_combo_label.h"
#include "platform/ui/stdctrls.h"

class TFlatLookLayer;

class TKsgCustomCombo : public TCustomComboBox {
public:
    explicit TKsgCustomCombo(TComponent* AOwner = nullptr);
    ~TKsgCustomCombo() override;

    // ---- look
    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Stored; no drawing reads it.
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // 14 to 32 pixels; other values are ignored.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value);
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool Value);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);

    // ---- attached label
    QString LabelCaption() const;
    void SetLabelCaption(const QString& Value);
    TFont* LabelFont() { return &FLabelFont; }
    void SetLabelFont(const TFont& Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }
    // Null until LabelCaption was first set.
    TLabel* Label() const { return FLabel; }

    // ---- state read by tests and the grid
    bool HasFocus() const { return FHasFocus; }
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    bool IsThemed() const { return FIsThemed; }
    TColor NormalColor() const { return FNormalColor; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetVisible(bool Value) override;
    void SetEnabled(bool Value) override;
    void Loaded() override;
    // The colour to come back to after the focus colour.
    void Init();
    // Selects the item equal to Text; nothing changes when there is none.
    void SelectItem(const QString& Text);

    // The drawing predicates, evaluated when drawing.
    bool UseThemes() const;
    bool IsHot() const;
    bool ShowsFocusBorder() const;
    // Left or right mouse button down now (virtual for tests).
    virtual bool IsMouseButtonDown() const;
    bool UseRightToLeftReading() const;
    // True when the drawn look applies instead of the platform combo's own.
    bool CustomPaint() const;

    // Paints the look over the combo (called by its layer).
    void PaintLook(TCanvas* Canvas);
    void WndProc(TMessage& Message) override;

    // The grid's Windows XP styling, copied in when the grid creates the combo.
    bool FIsWinXP = false;
    // Button colours; the grid writes the body, hot, down and border colours.
    TColor FButtonColorDown = clNone, FButtonBorderColor = clNone, FButtonTextColor = clNone,
           FButtonTextColorHot = clNone, FButtonColor = clNone, FButtonColorHot = clNone,
           FButtonTextColorDown = clNone;

    TNotifyEvent OnDropUp;

protected:
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void RedrawBorders();
    void LabelFontChange();
    void CreateLabel();
    void UpdateLabel();
    void SetFocusLook(bool Focused);
    void DrawButton(TCanvas* c);
    void DrawBorders(TCanvas* c);
    void DrawFlatButton(TCanvas* c);
    void BorderPass(TCanvas* c);
    TColor ParentBrushColor() const;

    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = 0;
    TColor FLoadedColor = clWindow;
    bool FOldParentColor = false;
    int FButtonWidth;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    int FDropWidth = 0;
    bool FIsThemed;
    bool FButtonHover = false;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    int FLabelMargin = 4;
    TFont FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    TLabel* FLabel = nullptr;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clNone;
    TColor FFocusBorderColor = clNone;
    TColor FBorderColor = clNone;
    bool FDisabledBorder = true;
    // Taken from Color at construction and whenever Color is set while the
    // combo is not focused, so the focus colour always returns to the real one.
    TColor FNormalColor = 0;
    bool FHasFocus = false;
    bool FFocusLabel = false;

private:
    TFlatLookLayer* FLayer = nullptr;
    bool FApplyingFocusColor = false;
};

class TKsgComboBox : public TKsgCustomCombo {
public:
    explicit TKsgComboBox(TComponent* AOwner = nullptr) : TKsgCustomCombo(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TKsgComboBox"); }
};

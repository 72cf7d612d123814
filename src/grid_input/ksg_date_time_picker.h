#pragma once
// The platform's date-time picker with a flat look on top: its own frame, its
// own drop-down button with hover and pressed colours, and the mouse and
// focus tracking that redraws them. Value, kind, format, check box and
// calendar stay the platform picker's. The drawing lies over the picker in a
// layer of its own; "window" coordinates are the control's, the client area is
// inside the 2-pixel edge (1 pixel without the 3-D look).
#include "platform/ui/comctrls.h"

class TFlatLookLayer;

class TKsgDateTimePicker : public TDateTimePicker {
public:
    explicit TKsgDateTimePicker(TComponent* AOwner = nullptr);
    ~TKsgDateTimePicker() override;

    QString Version() const { return QStringLiteral("1.0.0.0"); }
    void SetVersion(const QString&) {}
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool v);
    TBorderStyle FlatBorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TBorderStyle v);
    void SetCtl3D(bool v);
    int ButtonWidth() const { return FButtonWidth; }
    bool ButtonHover() const { return FButtonHover; }
    bool MouseInControl() const { return FMouseInControl; }

    TColor ButtonColorDown = clNone, ButtonBorderColor = clNone, ButtonTextColor = clNone,
           ButtonTextColorHot = clNone, ButtonColor = clNone, ButtonColorHot = clNone,
           ButtonTextColorDown = clNone;

    // The drawing predicates, evaluated when drawing.
    static bool IsVistaOrLater();
    static bool IsComCtl6();
    bool UseThemes() const;
    bool IsMetro() const { return FMetroStyle && !SuppressFlatDraw(); }
    bool IsHot() const;
    bool ShowsFocusBorder() const;
    // Left or right mouse button down now (virtual for tests).
    virtual bool IsMouseButtonDown() const;

    // Paints the flat look over the picker (called by its layer).
    virtual void PaintFlat(TCanvas* Canvas);
    void WndProc(TMessage& m) override;
protected:
    // True for a picker that never draws flat (the time part of the date-and-time picker).
    virtual bool SuppressFlatDraw() const { return false; }
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    void EnabledChanged() override;
    void RedrawBorders();
    int FlatClientWidth() const { return FWidth - (FCtl3D ? 4 : 2); }
    int FlatClientHeight() const { return FHeight - (FCtl3D ? 4 : 2); }

    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor = clNone;
    bool FIsThemed;
    int FButtonWidth;
    bool FButtonHover = false;
    bool FMouseInControl = false;
    bool FIsWinXP;
    bool FMetroStyle = false;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = false;
    bool FHasFocus = false;
    bool FFocusBorder = false;
    // The date-and-time picker's variant of the drawing: the outline whenever
    // the 3-D look is off, a narrower strip, and the outline again after the button.
    bool FDateTimeVariant = false;
private:
    void DrawButton(TCanvas* c);
    void DrawBorders(TCanvas* c);
    void DrawFlatButton(TCanvas* c);
    void DrawNCBorder(TCanvas* c);
    void Outline(TCanvas* c);
    TColor ParentColor() const;
    TFlatLookLayer* FLayer = nullptr;
};

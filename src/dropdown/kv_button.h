#pragma once
// The small drawn push button of the popup's header and footer panels, and the
// colour set that all buttons of one drop-down editor share. A button draws
// its parent's background under its face, so at rest (no normal colour) only
// the caption shows. The hot, pressed and checked faces are one colour each:
// their "To" colours are kept and copied but not painted.
#include "grid/dropdown_appearance.h"
#include "grid/grid_enums.h"
#include "platform/ui/controls.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

class TKvCustomDropDown;

class TKvButtonAppearance : public TPersistent {
public:
    TKvButtonAppearance();
    QString ClassName() const override { return QStringLiteral("TKvButtonAppearance"); }
    void Assign(const TPersistent* Source) override;

#define KV_APPEARANCE_COLOR(Name)                                                                                     \
    TColor Name() const { return F##Name; }                                                                           \
    void Set##Name(TColor Value)                                                                                      \
    {                                                                                                                 \
        if (F##Name == Value) return;                                                                                 \
        F##Name = Value;                                                                                              \
        Changed();                                                                                                    \
    }
    KV_APPEARANCE_COLOR(BorderColor)
    KV_APPEARANCE_COLOR(BorderColorHot)
    KV_APPEARANCE_COLOR(BorderColorDown)
    KV_APPEARANCE_COLOR(BorderColorDisabled)
    KV_APPEARANCE_COLOR(BorderColorChecked)
    KV_APPEARANCE_COLOR(Color)
    KV_APPEARANCE_COLOR(ColorTo)
    KV_APPEARANCE_COLOR(ColorDisabled)
    KV_APPEARANCE_COLOR(ColorDisabledTo)
    KV_APPEARANCE_COLOR(ColorDown)
    KV_APPEARANCE_COLOR(ColorDownTo)
    KV_APPEARANCE_COLOR(ColorHot)
    KV_APPEARANCE_COLOR(ColorHotTo)
    KV_APPEARANCE_COLOR(ColorChecked)
    KV_APPEARANCE_COLOR(ColorCheckedTo)
#undef KV_APPEARANCE_COLOR

    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection Value)
    {
        if (FGradient == Value) return;
        FGradient = Value;
        Changed();
    }
    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    void SetFont(const TFont& Value) { FFont.Assign(Value); }

    TNotifyEvent OnChange;

private:
    void Changed()
    {
        if (OnChange) OnChange(nullptr);
    }
    TColor FBorderColor = clNone;
    TColor FBorderColorHot = 0x808080;
    TColor FBorderColorDown = 0x800000;
    TColor FBorderColorDisabled = 0x808080;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = clNone;
    TColor FColorTo = clNone;
    TColor FColorDisabled = 0xF2F2F2;
    TColor FColorDisabledTo = clNone;
    TColor FColorDown = 0xF5D8CA;
    TColor FColorDownTo = 0xF9BDA0;
    TColor FColorHot = 0xF5F0E1;
    TColor FColorHotTo = 0xF9D2B2;
    TColor FColorChecked = clNone;
    TColor FColorCheckedTo = clNone;
    TGradientDirection FGradient = gdVertical;
    TFont FFont;
};

// The suite's one button kind list: tasButton, tasCheck.
using TKvButtonStyle = TKvGridButtonStyle;

class TKvButton : public TCustomControl {
    Q_OBJECT
public:
    explicit TKvButton(TComponent* AOwner = nullptr);
    ~TKvButton() override;

    TKvButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TKvButtonAppearance* Value) { FAppearance = Value; Invalidate(); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value) { FImages = Value; Invalidate(); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; Invalidate(); }
    TKvButtonStyle Style() const { return FStyle; }
    void SetStyle(TKvButtonStyle Value) { FStyle = Value; Invalidate(); }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TKvCustomDropDown* DropDown() const { return FDropDown; }
    void SetDropDown(TKvCustomDropDown* Value) { FDropDown = Value; }
    // Drawing state: 0 up, 1 disabled, 2 down, 4 latched down.
    int State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    TTimer* UnHotTimer() const { return FUnHotTimer; }
    // Sizes the button to its caption and image.
    void AutoSizeButton();

    void Click() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void UnHotTick();
    void UpdateTracking();
    void PaintParentBackground();

    TKvButtonAppearance* FAppearance = nullptr;
    TImageList* FImages = nullptr;
    int FImageIndex = -1;
    TKvButtonStyle FStyle = tasButton;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false, FInitialDown = false;
    int FState = 0;
    bool FMouseInControl = false, FMouseDownInControl = false, FDragging = false, FHot = false;
    TModalResult FModalResult = 0;
    TKvCustomDropDown* FDropDown = nullptr;
    bool FInternalClick = false;
    TTimer* FUnHotTimer = nullptr;
};

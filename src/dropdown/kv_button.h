#pragma once
// The small drawn push button of the popup's header and footer panels, and the
// colour set that all buttons of one drop-down editor share. A button draws
// its parent's background under its face, so at rest (no normal colour) only
// the caption shows. The hot, pressed and checked faces are one colour each:
// their "To" colours are kept and copied but not painted.
#include "dropdown/dropdown_gradient.h"
#include "platform/ui/controls.h"
#include "platform/ui/extctrls.h"

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

    TDropDownGradient Gradient() const { return FGradient; }
    void SetGradient(TDropDownGradient Value)
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
    TDropDownGradient FGradient = ddgVertical;
    TFont FFont;
};

#pragma once
// Colours and font with which the list-type pickers paint their hot and
// selected items. A selection colour style loads a preset of twelve colours.
#include "dropdown/kv_dropdown.h"

class TItemAppearance : public TPersistent {
public:
    explicit TItemAppearance(TPersistent* AOwner = nullptr);
    QString ClassName() const override { return QStringLiteral("TItemAppearance"); }
    TPersistent* GetOwner() const { return FOwner; }
    // Only from another item appearance; fires nothing.
    void Assign(const TPersistent* Source) override;
    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // Loads the style's preset when the style changes (scCustom loads nothing).
    void SetColorStyle(TSelectionColorStyle Style);

#define KV_ITEM_COLOR(Name)                                                                                           \
    TColor Name() const { return F##Name; }                                                                           \
    void Set##Name(TColor Value) { F##Name = Value; }
    KV_ITEM_COLOR(ColorMirrorHotTo)
    KV_ITEM_COLOR(BorderColor)
    KV_ITEM_COLOR(ColorMirrorHot)
    KV_ITEM_COLOR(ColorSelectedTo)
    KV_ITEM_COLOR(ColorSelected)
    KV_ITEM_COLOR(EdgeColor)
    KV_ITEM_COLOR(ColorHotTo)
    KV_ITEM_COLOR(BorderColorBottom)
    KV_ITEM_COLOR(ColorHot)
    KV_ITEM_COLOR(BorderColorTop)
    KV_ITEM_COLOR(ColorMirrorSelectedTo)
    KV_ITEM_COLOR(ColorMirrorSelected)
    KV_ITEM_COLOR(ColorSelectedText)
    KV_ITEM_COLOR(ColorHotText)
    KV_ITEM_COLOR(BorderColorHot)
    KV_ITEM_COLOR(BorderColorSelected)
#undef KV_ITEM_COLOR
    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    void SetFont(const TFont& Value) { FFont.Assign(Value); }

    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
    TColor FColorMirrorHotTo = clNone, FBorderColor = clNone, FColorMirrorHot = clNone, FColorSelectedTo = clNone;
    TColor FColorSelected = clNone, FEdgeColor = clNone, FColorHotTo = clNone, FBorderColorBottom = clNone;
    TColor FColorHot = clNone, FBorderColorTop = clNone, FColorMirrorSelectedTo = clNone, FColorMirrorSelected = clNone;
    TColor FColorSelectedText = clNone, FColorHotText = clNone;
    TSelectionColorStyle FColorStyle = scCustom;
    TFont FFont;
    TColor FBorderColorHot = clNone, FBorderColorSelected = clNone;
};

// Colours the item appearance of a picker by a component style (nothing for a
// missing appearance or tsCustom).
void SetItemAppearanceStyle(TItemAppearance* Appearance, TQRVStyle AStyle);

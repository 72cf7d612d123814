#pragma once
// The colour tables of the component styles: popup and panels, the header and
// footer buttons, and the item appearance of the pickers. A cell holding
// kStyleUnchanged leaves the current value alone.
#include "grid/style_interfaces.h"

constexpr TColor kStyleUnchanged = TColor(0x7FFFFFFF);

struct TPopupStyleRow {
    TColor Popup, PopupTo, PopupBorder;
    TColor Header, HeaderTo, HeaderBorder, HeaderFont;
    TColor Footer, FooterTo, FooterBorder, FooterFont;
};

struct TButtonStyleRow {
    TColor Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot, ColorDown, ColorDownTo,
        BorderColorDown, ColorDisabled, ColorDisabledTo, ColorChecked, ColorCheckedTo, BorderColorChecked;
};

struct TItemStyleRow {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, ColorSelected, ColorSelectedTo,
        ColorMirrorSelected, ColorMirrorSelectedTo, BorderColor, BorderColorTop, BorderColorBottom, EdgeColor,
        ColorSelectedText;
};

// The rows of a style; null for tsCustom (and values out of range).
const TPopupStyleRow* PopupStyleRow(TQRVStyle Style);
const TButtonStyleRow* ButtonStyleRow(TQRVStyle Style);
const TItemStyleRow* ItemStyleRow(TQRVStyle Style);

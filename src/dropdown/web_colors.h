#pragma once
// The named web colours ("clWeb" + the CSS colour name) the colour picker
// shows for a colour value, in the picker's own order: a value several names
// share is named by the first of them.
#include <QtCore/QString>

#include <cstdint>

#include "platform/ui/graphics.h"

struct TWebColor {
    const char* Name;
    uint32_t RGB; // 0xRRGGBB, as CSS writes it
};

// The 138 names in their order.
const TWebColor* WebColors(int& Count);
// The name of the web colour with exactly this RGB value of a TColor
// ($00BBGGRR, system colours resolved by the caller), or an empty text.
QString WebColorName(TColor RGBColor);

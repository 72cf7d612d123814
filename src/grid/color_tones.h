#pragma once
// The five colour tones of the flat "tones" look: one brush, border and text
// colour for the background, the foreground (fixed cells), the selection, the
// hovered and the disabled state.

#include "platform/ui/graphics.h"

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
    bool operator==(const TColorTone&) const = default;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
    bool operator==(const TColorTones&) const = default;
};

#pragma once
// The style interfaces that the grid and the drop-down editors implement: one
// applies a named visual style, the other the five colour tones.

#include "grid/color_tones.h"

// Named visual styles; the values match the grid's own style list by ordinal.
enum TQRVStyle : int {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
    tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

class IQRVStyle {
public:
    virtual ~IQRVStyle() = default;
    virtual void SetComponentStyle(TQRVStyle AStyle) = 0;
};

class IQRVTones {
public:
    virtual ~IQRVTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};

#pragma once
// The application style the grid takes its colours from. The platform has no
// application styles, so the default service answers "styles off"; tests and
// a future style engine install their own.
#include <QString>

#include "platform/ui/graphics.h"

enum TGridStyleElement : int { tgCellNormal, tgCellSelected, tgFixedCellNormal };

class IGridStyleServices {
public:
    virtual ~IGridStyleServices() = default;
    virtual bool Enabled() const = 0;
    virtual QString Name() const = 0;
    // False when the style reports no such colour.
    virtual bool FillColor(TGridStyleElement Element, TColor& Color) const = 0;
    virtual bool BorderColor(TGridStyleElement Element, TColor& Color) const = 0;
    virtual bool TextColor(TGridStyleElement Element, TColor& Color) const = 0;
};

// The service in use; nullptr restores the default one. Not owned.
IGridStyleServices& GridStyleServices();
void SetGridStyleServices(IGridStyleServices* Services);

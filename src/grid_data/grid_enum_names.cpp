#include "grid_data/grid_enum_names.h"

#include "grid/control_look.h"
#include "grid/grid_parts.h"
#include "grid/grid_settings_objects.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/printers.h"

QString TEnumNames::Name(int Value) const
{
    const int i = IndexOf(Value);
    return i < 0 ? QString() : QString::fromLatin1(FItems[i].Name);
}

bool TEnumNames::Find(const QString& Name, int& Value) const
{
    for (int i = 0; i < FCount; ++i)
        if (Name.compare(QLatin1String(FItems[i].Name), Qt::CaseInsensitive) == 0) {
            Value = FItems[i].Value;
            return true;
        }
    return false;
}

int TEnumNames::IndexOf(int Value) const
{
    for (int i = 0; i < FCount; ++i)
        if (FItems[i].Value == Value) return i;
    return -1;
}

namespace {

// The looks in their stored order.
constexpr TEnumName kGridLook[] = {
    {glStandard, "glStandard"}, {glSoft, "glSoft"},   {glClassic, "glClassic"},
    {glQRV, "glQRV"},           {glXP, "glXP"},       {glListView, "glListView"},
    {glVista, "glVista"},       {glWin7, "glWin7"},   {glOffice2007, "glOffice2007"},
};
constexpr TEnumName kControlStyle[] = {
    {csClassic, "csClassic"}, {csFlat, "csFlat"},   {csWinXP, "csWinXP"}, {csQuillet, "csQuillet"},
    {csQRV, "csQRV"},         {csGlyph, "csGlyph"}, {csTheme, "csTheme"},
};
constexpr TEnumName kBackGroundDisplay[] = {
    {bdTile, "bdTile"}, {bdFixed, "bdFixed"}, {bdGradientHorz, "bdGradientHorz"}, {bdGradientVert, "bdGradientVert"},
};
constexpr TEnumName kBackGroundCells[] = {{bcNormal, "bcNormal"}, {bcFixed, "bcFixed"}, {bcAll, "bcAll"}};
constexpr TEnumName kFontStyle[] = {
    {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"},
};
constexpr TEnumName kPrintBorders[] = {
    {pbNoborder, "pbNoborder"},         {pbSingle, "pbSingle"},     {pbDouble, "pbDouble"},
    {pbVertical, "pbVertical"},         {pbHorizontal, "pbHorizontal"}, {pbAround, "pbAround"},
    {pbAroundVertical, "pbAroundVertical"}, {pbAroundHorizontal, "pbAroundHorizontal"}, {pbCustom, "pbCustom"},
};
constexpr TEnumName kPrintPosition[] = {
    {ppNone, "ppNone"},           {ppTopLeft, "ppTopLeft"},         {ppTopRight, "ppTopRight"},
    {ppTopCenter, "ppTopCenter"}, {ppBottomLeft, "ppBottomLeft"},   {ppBottomRight, "ppBottomRight"},
    {ppBottomCenter, "ppBottomCenter"},
};
constexpr TEnumName kFitToPage[] = {
    {fpNever, "fpNever"}, {fpGrow, "fpGrow"}, {fpShrink, "fpShrink"}, {fpAlways, "fpAlways"}, {fpCustom, "fpCustom"},
};
constexpr TEnumName kPenStyle[] = {
    {psSolid, "psSolid"},           {psDash, "psDash"},   {psDot, "psDot"}, {psDashDot, "psDashDot"},
    {psDashDotDot, "psDashDotDot"}, {psClear, "psClear"}, {psInsideFrame, "psInsideFrame"},
};
constexpr TEnumName kPrinterOrientation[] = {{poPortrait, "poPortrait"}, {poLandscape, "poLandscape"}};

}  // namespace

const TEnumNames GridLookNames(kGridLook);
const TEnumNames ControlStyleNames(kControlStyle);
const TEnumNames BackGroundDisplayNames(kBackGroundDisplay);
const TEnumNames BackGroundCellsNames(kBackGroundCells);
const TEnumNames FontStyleNames(kFontStyle);
const TEnumNames PrintBordersNames(kPrintBorders);
const TEnumNames PrintPositionNames(kPrintPosition);
const TEnumNames FitToPageNames(kFitToPage);
const TEnumNames PenStyleNames(kPenStyle);
const TEnumNames PrinterOrientationNames(kPrinterOrientation);

QString FontStylesToText(TFontStyles Styles)
{
    QString s;
    for (int i = 0; i < FontStyleNames.Count(); ++i) {
        const TEnumName& e = FontStyleNames.Item(i);
        if (!Styles.Contains(TFontStyle(e.Value))) continue;
        if (!s.isEmpty()) s += QLatin1Char(',');
        s += QLatin1String(e.Name);
    }
    return s;
}

TFontStyles FontStylesFromText(const QString& Text)
{
    TFontStyles s;
    for (int i = 0; i < FontStyleNames.Count(); ++i) {
        const TEnumName& e = FontStyleNames.Item(i);
        if (Text.contains(QLatin1String(e.Name), Qt::CaseInsensitive)) s << TFontStyle(e.Value);
    }
    return s;
}

#include "grid_data/grid_enum_names.h"

#include "grid/cell_graphic.h"
#include "grid/control_look.h"
#include "grid/grid_enums.h"
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

// The record enumerations list every member in declaration order under its own name.
#define KV_ENUM_NAME(Member) {Member, #Member}
constexpr TEnumName kAlignment[] = {
    KV_ENUM_NAME(taLeftJustify), KV_ENUM_NAME(taRightJustify), KV_ENUM_NAME(taCenter),
};
constexpr TEnumName kBrushStyle[] = {
    KV_ENUM_NAME(bsSolid),     KV_ENUM_NAME(bsClear),     KV_ENUM_NAME(bsHorizontal), KV_ENUM_NAME(bsVertical),
    KV_ENUM_NAME(bsFDiagonal), KV_ENUM_NAME(bsBDiagonal), KV_ENUM_NAME(bsCross),      KV_ENUM_NAME(bsDiagCross),
};
constexpr TEnumName kEditorType[] = {
    KV_ENUM_NAME(edNormal),          KV_ENUM_NAME(edSpinEdit),           KV_ENUM_NAME(edComboEdit),
    KV_ENUM_NAME(edComboList),       KV_ENUM_NAME(edEditBtn),            KV_ENUM_NAME(edCheckBox),
    KV_ENUM_NAME(edDateEdit),        KV_ENUM_NAME(edDateEditUpDown),     KV_ENUM_NAME(edTimeEdit),
    KV_ENUM_NAME(edButton),          KV_ENUM_NAME(edDataCheckBox),       KV_ENUM_NAME(edNumeric),
    KV_ENUM_NAME(edPositiveNumeric), KV_ENUM_NAME(edFloat),              KV_ENUM_NAME(edCapital),
    KV_ENUM_NAME(edMixedCase),       KV_ENUM_NAME(edPassword),           KV_ENUM_NAME(edUnitEditBtn),
    KV_ENUM_NAME(edLowerCase),       KV_ENUM_NAME(edUpperCase),          KV_ENUM_NAME(edFloatSpinEdit),
    KV_ENUM_NAME(edTimeSpinEdit),    KV_ENUM_NAME(edDateSpinEdit),       KV_ENUM_NAME(edNumericEditBtn),
    KV_ENUM_NAME(edFloatEditBtn),    KV_ENUM_NAME(edCustom),             KV_ENUM_NAME(edRichEdit),
    KV_ENUM_NAME(edNone),            KV_ENUM_NAME(edDateTimeEdit),       KV_ENUM_NAME(edValidChars),
    KV_ENUM_NAME(edTrackbarDropDown), KV_ENUM_NAME(edMemoDropDown),      KV_ENUM_NAME(edCalculatorDropDown),
    KV_ENUM_NAME(edTimePickerDropDown), KV_ENUM_NAME(edDetailDropDown),  KV_ENUM_NAME(edGridDropDown),
    KV_ENUM_NAME(edColorPickerDropDown), KV_ENUM_NAME(edImagePickerDropDown), KV_ENUM_NAME(edKvGridDropDown),
    KV_ENUM_NAME(edPositiveFloat),   KV_ENUM_NAME(edNumericUnitEditBtn), KV_ENUM_NAME(edFloatUnitEditBtn),
    KV_ENUM_NAME(edMaskEditBtn),
};
constexpr TEnumName kGradientDirection[] = {KV_ENUM_NAME(GradientVertical), KV_ENUM_NAME(GradientHorizontal)};
constexpr TEnumName kVAlignment[] = {KV_ENUM_NAME(vtaTop), KV_ENUM_NAME(vtaCenter), KV_ENUM_NAME(vtaBottom)};
constexpr TEnumName kCellType[] = {
    KV_ENUM_NAME(ctBitmap),       KV_ENUM_NAME(ctIcon),          KV_ENUM_NAME(ctNone),
    KV_ENUM_NAME(ctImageList),    KV_ENUM_NAME(ctCheckBox),      KV_ENUM_NAME(ctDataCheckBox),
    KV_ENUM_NAME(ctRotated),      KV_ENUM_NAME(ctDataImage),     KV_ENUM_NAME(ctNode),
    KV_ENUM_NAME(ctRadio),        KV_ENUM_NAME(ctEmpty),         KV_ENUM_NAME(ctImages),
    KV_ENUM_NAME(ctPicture),      KV_ENUM_NAME(ctFilePicture),   KV_ENUM_NAME(ctValue),
    KV_ENUM_NAME(ctProgress),     KV_ENUM_NAME(ctComment),       KV_ENUM_NAME(ctButton),
    KV_ENUM_NAME(ctBitButton),    KV_ENUM_NAME(ctVirtCheckBox),  KV_ENUM_NAME(ctRowCheckBox),
    KV_ENUM_NAME(ctProgressPie),  KV_ENUM_NAME(ctSummary),       KV_ENUM_NAME(ctRangeIndicator),
    KV_ENUM_NAME(ctXPProgress),   KV_ENUM_NAME(ctInterface),     KV_ENUM_NAME(ctScrollbar),
    KV_ENUM_NAME(ctRadioButton),  KV_ENUM_NAME(ctBalloon),       KV_ENUM_NAME(ctShape),
    KV_ENUM_NAME(ctRating),       KV_ENUM_NAME(ctTriStateCheckBox), KV_ENUM_NAME(ctExpand),
};
constexpr TEnumName kCellVAlign[] = {
    KV_ENUM_NAME(vaTop),       KV_ENUM_NAME(vaBottom),    KV_ENUM_NAME(vaCenter),
    KV_ENUM_NAME(vaUnderText), KV_ENUM_NAME(vaAboveText), KV_ENUM_NAME(vaFull),
};
constexpr TEnumName kCellHAlign[] = {
    KV_ENUM_NAME(haLeft),       KV_ENUM_NAME(haRight),     KV_ENUM_NAME(haCenter),
    KV_ENUM_NAME(haBeforeText), KV_ENUM_NAME(haAfterText), KV_ENUM_NAME(haFull),
};
constexpr TEnumName kCheckBoxState[] = {KV_ENUM_NAME(cbUnchecked), KV_ENUM_NAME(cbChecked), KV_ENUM_NAME(cbGrayed)};
#undef KV_ENUM_NAME

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
const TEnumNames AlignmentNames(kAlignment);
const TEnumNames BrushStyleNames(kBrushStyle);
const TEnumNames EditorTypeNames(kEditorType);
const TEnumNames GradientDirectionNames(kGradientDirection);
const TEnumNames VAlignmentNames(kVAlignment);
const TEnumNames CellTypeNames(kCellType);
const TEnumNames CellVAlignNames(kCellVAlign);
const TEnumNames CellHAlignNames(kCellHAlign);
const TEnumNames CheckBoxStateNames(kCheckBoxState);

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

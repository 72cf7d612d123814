#pragma once
// The names the grid's enumerations are stored under, one table per enumeration: the
// layout files write and read them, and the binary cell format writes its identifiers
// from the same tables. Names are found without regard to case; a value without an
// entry (the custom look) has no name.

#include <QString>

#include "platform/ui/graphics.h"

struct TEnumName {
    int Value;
    const char* Name;
};

class TEnumNames {
public:
    template <int N>
    constexpr TEnumNames(const TEnumName (&Items)[N]) : FItems(Items), FCount(N)
    {
    }
    int Count() const { return FCount; }
    const TEnumName& Item(int Index) const { return FItems[Index]; }
    // The value's name; empty when the table has none for it.
    QString Name(int Value) const;
    // The value named so (case ignored); false, Value untouched, when no entry is.
    bool Find(const QString& Name, int& Value) const;
    // The value's place in the table (its stored ordinal); -1 when absent.
    int IndexOf(int Value) const;

private:
    const TEnumName* FItems;
    int FCount;
};

extern const TEnumNames GridLookNames;          // TGridLook, glCustom without a name
extern const TEnumNames ControlStyleNames;      // TControlStyle
extern const TEnumNames BackGroundDisplayNames; // TBackGroundDisplay
extern const TEnumNames BackGroundCellsNames;   // TBackGroundCells
extern const TEnumNames FontStyleNames;         // TFontStyle bits
extern const TEnumNames PrintBordersNames;      // TPrintBorders
extern const TEnumNames PrintPositionNames;     // TPrintPosition
extern const TEnumNames FitToPageNames;         // TFitToPage
extern const TEnumNames PenStyleNames;          // TPenStyle
extern const TEnumNames PrinterOrientationNames; // TPrinterOrientation
// The enumerations of the binary cell records (cell properties and cell graphics).
extern const TEnumNames AlignmentNames;         // TAlignment
extern const TEnumNames BrushStyleNames;        // TBrushStyle
extern const TEnumNames EditorTypeNames;        // TEditorType
extern const TEnumNames GradientDirectionNames; // TCellGradientDirection
extern const TEnumNames VAlignmentNames;        // TVAlignment
extern const TEnumNames CellTypeNames;          // TCellType
extern const TEnumNames CellVAlignNames;        // TCellVAlign
extern const TEnumNames CellHAlignNames;        // TCellHAlign
extern const TEnumNames CheckBoxStateNames;     // TCheckBoxState

// The names of the styles set, in the table's order, joined by ","; empty for none.
QString FontStylesToText(TFontStyles Styles);
// Every style whose name occurs anywhere in the text.
TFontStyles FontStylesFromText(const QString& Text);

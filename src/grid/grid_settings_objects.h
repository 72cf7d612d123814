#pragma once
// Value holders the grid owns for typing-time sizing, column sizing and its
// persistence, the HTML export and printing. The code that acts on them lives
// with editing, sizing, export and printing; Assign is the copy used when one
// grid is copied to another.

#include <QString>
#include <memory>

#include "grid/grid_lists.h"
#include "platform/core/classes.h"
#include "platform/core/stringlist.h"
#include "platform/ui/graphics.h"
#include "platform/ui/printers.h"

class TKvStringGrid;

class TSizeWhileTyping : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TSizeWhileTyping"); }
    bool Height() const { return FHeight; }
    void SetHeight(bool Value) { FHeight = Value; }
    bool Width() const { return FWidth; }
    void SetWidth(bool Value) { FWidth = Value; }

private:
    bool FHeight = false;
    bool FWidth = false;
};

enum TColumnSizeLocation : int { clRegistry, clIniFile };
enum TAutoSizeRows : int { arAll, arNormal, arFixed };

class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TKvStringGrid* AOwner) : FOwner(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TColumnSize"); }
    // Copies all nine settings from another TColumnSize; anything else is ignored.
    void Assign(const TPersistent* Source) override;

    bool Save() const { return FSave; }
    void SetSave(bool Value) { FSave = Value; }
    QString Key() const { return FKey; }
    void SetKey(const QString& Value) { FKey = Value; }
    QString Section() const { return FSection; }
    void SetSection(const QString& Value) { FSection = Value; }
    bool Stretch() const { return FStretch; }
    // Stretches the column at once when the grid is placed on a window.
    void SetStretch(bool Value);
    int StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(int Value) { FStretchColumn = Value; }
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
    TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }
    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows Value) { FRows = Value; }

private:
    TKvStringGrid* FOwner;
    bool FSave = false;
    QString FKey;
    QString FSection;
    bool FStretch = false;
    int FStretchColumn = -1;
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    TColumnSizeLocation FLocation = clRegistry;
    TAutoSizeRows FRows = arAll;
};

class THTMLSettings : public TPersistent {
public:
    THTMLSettings();
    ~THTMLSettings() override;
    QString ClassName() const override { return QStringLiteral("THTMLSettings"); }
    // Copies every setting but ExportImages and ColWidths from another THTMLSettings.
    void Assign(const TPersistent* Source) override;

    bool AutoPreview = false;
    bool ConvertSpecialChars = false;
    bool NonBreakingText = false;
    bool SaveColor = true;
    bool SaveFonts = true;
    QString FooterFile;
    QString HeaderFile;
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    QString TableStyle;
    QString PrefixTag;
    QString SuffixTag;
    QString Summary;
    int Width = 100;
    bool XHTML = false;
    bool ExportImages = true;
    TIntList* ColWidths() const { return FColWidths.get(); }

private:
    std::unique_ptr<TIntList> FColWidths;
};

enum TPrintPosition : int {
    ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter
};
enum TPrintBorders : int {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal,
    pbCustom
};
enum TFitToPage : int { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TKvStringGrid* AOwner);
    ~TPrintSettings() override;
    QString ClassName() const override { return QStringLiteral("TPrintSettings"); }
    // Copies every setting but FixedCellsAlways; a source of another class
    // raises EInvalidCast.
    void Assign(const TPersistent* Source) override;

    TFont* Font() { return &FFont; }
    void SetFont(const TFont& Value) { FFont.Assign(Value); }
    TFont* HeaderFont() { return &FHeaderFont; }
    void SetHeaderFont(const TFont& Value) { FHeaderFont.Assign(Value); }
    TFont* FooterFont() { return &FFooterFont; }
    void SetFooterFont(const TFont& Value) { FFooterFont.Assign(Value); }
    TFont* FixedFont() { return &FFixedFont; }
    void SetFixedFont(const TFont& Value) { FFixedFont.Assign(Value); }
    TStringList* TitleLines() { return &FTitleLines; }
    void SetTitleLines(const TStrings* Value) { FTitleLines.Assign(Value); }

    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    TPrintPosition PageNr = ppNone;
    TPrintPosition Title = ppNone;
    QString PageNumSep = QStringLiteral("/");
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    TColor BorderColor = 0;
    QString TitleText;
    bool Centered = true;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    int FooterSize = 0;
    int HeaderSize = 0;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    int TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    QString PagePrefix;
    QString PageSuffix;
    int FixedHeight = 0;
    int FixedWidth = 0;
    bool UseFixedHeight = false;
    bool UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    QString JobName;
    bool NoAutoSize = false;
    bool NoAutoSizeRow = false;
    bool PrintGraphics = false;
    int PageNumberOffset = 0;
    int MaxPagesOffset = 0;
    bool UseDisplayFont = true;
    bool UseDefaultOrientation = false;
    bool FixedCellsAlways = false; // public, not stored with the window

private:
    TKvStringGrid* FOwner;
    TFont FFont;
    TFont FHeaderFont;
    TFont FFooterFont;
    TFont FFixedFont;
    TStringList FTitleLines;
};

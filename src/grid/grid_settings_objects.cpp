#include "grid/grid_settings_objects.h"

#include "grid/kv_string_grid.h"

void TColumnSize::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TColumnSize*>(Source);
    if (!s) return;
    FSave = s->FSave;
    FKey = s->FKey;
    FSection = s->FSection;
    FStretch = s->FStretch;
    FStretchColumn = s->FStretchColumn;
    FSynchWithGrid = s->FSynchWithGrid;
    FSynchNormalCellsOnly = s->FSynchNormalCellsOnly;
    FLocation = s->FLocation;
    FRows = s->FRows;
}

void TColumnSize::SetStretch(bool Value)
{
    FStretch = Value;
    if (FOwner && FOwner->Parent()) FOwner->ApplyColumnStretch(FStretchColumn);
}

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(-1, -1)) {}
THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const THTMLSettings*>(Source);
    if (!s) return;
    BorderSize = s->BorderSize;
    CellSpacing = s->CellSpacing;
    CellPadding = s->CellPadding;
    SaveColor = s->SaveColor;
    SaveFonts = s->SaveFonts;
    FooterFile = s->FooterFile;
    HeaderFile = s->HeaderFile;
    TableStyle = s->TableStyle;
    PrefixTag = s->PrefixTag;
    SuffixTag = s->SuffixTag;
    Summary = s->Summary;
    Width = s->Width;
    XHTML = s->XHTML;
    ConvertSpecialChars = s->ConvertSpecialChars;
    AutoPreview = s->AutoPreview;
    NonBreakingText = s->NonBreakingText;
}

TPrintSettings::TPrintSettings(TKvStringGrid* AOwner) : FOwner(AOwner) {}
TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TPrintSettings*>(Source);
    if (!s) throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    const bool keepFixedCellsAlways = FixedCellsAlways;
    FFont.Assign(s->FFont);
    FHeaderFont.Assign(s->FHeaderFont);
    FFooterFont.Assign(s->FFooterFont);
    FFixedFont.Assign(s->FFixedFont);
    FTitleLines.Assign(&s->FTitleLines);
    Time = s->Time;
    Date = s->Date;
    PageNr = s->PageNr;
    Title = s->Title;
    PageNumSep = s->PageNumSep;
    DateFormat = s->DateFormat;
    Borders = s->Borders;
    BorderStyle = s->BorderStyle;
    BorderColor = s->BorderColor;
    TitleText = s->TitleText;
    Centered = s->Centered;
    RepeatFixedRows = s->RepeatFixedRows;
    RepeatFixedCols = s->RepeatFixedCols;
    FooterSize = s->FooterSize;
    HeaderSize = s->HeaderSize;
    LeftSize = s->LeftSize;
    RightSize = s->RightSize;
    ColumnSpacing = s->ColumnSpacing;
    RowSpacing = s->RowSpacing;
    TitleSpacing = s->TitleSpacing;
    Orientation = s->Orientation;
    PagePrefix = s->PagePrefix;
    PageSuffix = s->PageSuffix;
    FixedHeight = s->FixedHeight;
    FixedWidth = s->FixedWidth;
    UseFixedHeight = s->UseFixedHeight;
    UseFixedWidth = s->UseFixedWidth;
    FitToPage = s->FitToPage;
    JobName = s->JobName;
    NoAutoSize = s->NoAutoSize;
    NoAutoSizeRow = s->NoAutoSizeRow;
    PrintGraphics = s->PrintGraphics;
    PageNumberOffset = s->PageNumberOffset;
    MaxPagesOffset = s->MaxPagesOffset;
    UseDisplayFont = s->UseDisplayFont;
    UseDefaultOrientation = s->UseDefaultOrientation;
    FixedCellsAlways = keepFixedCellsAlways;
}

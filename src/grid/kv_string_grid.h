#pragma once
// The grid control of every editor window: the base grid with the settings
// objects, lists and chrome it owns, its initial values, life cycle, row and
// column selection, row state, dimensions, per-cell queries and the floating
// footer's calculation. Hidden rows and columns, painting, input and the data
// operations (sort, filter, export, print) are added in further files of the
// same class; operations declared here with a minimal body are completed there.

#include <QString>
#include <bitset>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "grid/base_grid.h"
#include "grid/cell_graphic.h"
#include "grid/control_look.h"
#include "grid/grid_chrome.h"
#include "grid/grid_lists.h"
#include "grid/grid_parts.h"
#include "grid/grid_settings.h"
#include "grid/grid_settings_objects.h"
#include "grid/picture_container.h"
#include "grid/style_interfaces.h"
#include "grid_data/find_parameters.h"

class TCustomForm;
class TGridCombo;
class TKvStringGridCheck;
class TBalloonHint;

// Misuse of the grid (rows or columns out of range).
class EKvGridError : public Exception {
public:
    using Exception::Exception;
};

enum TGridLook : int { glStandard, glSoft, glClassic, glQRV, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TScrollType : int { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TInvalidEntryIcon : int { ieNone, ieInformation, ieWarning, ieError };
enum TFilterDropDownColumns : int { fdNormal, fdAll };
enum THoverFixedCells : int { hfNone, hfAll, hfFixedColumns, hfFixedRows };

using TCellBorders = TGridFlags<TCellBorder>;
enum TClipOperation : int { coCopy, coCut };
enum TGridExportState : int { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow };
enum TGridImportState : int { isImportStart, isImportNewRow, isImportDone, isImportSelRow };

// Receives the changed rectangle of every cells-changed notification.
class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
    virtual void CellsChanged(TKvStringGrid* Grid, const TGridRect& R) = 0;
};

// Told the new current cell when it changes.
class ITKvStringGridSelect {
public:
    virtual ~ITKvStringGridSelect() = default;
    virtual void SelectionChanged(TKvStringGrid* Grid, int ACol, int ARow) = 0;
};

// ---- unit-wide state
namespace KvGridUnit {
extern TKvStringGrid* FocusGrid;
extern bool DateTimeControlAvailable;
extern unsigned GridCellsClipboardFormat;
extern unsigned GridEditDoneMessage;
extern unsigned DateTimePickerShiftFocusMessage;
extern QString GridHintFontName;
extern int GridLinkCursor;
// Class name to factory, for creation by class name; the editors added with
// later parts of the grid register themselves here.
std::map<QString, std::function<TComponent*(TComponent*)>>& ClassRegistry();
// Starts the grid unit once (a nested start only counts); Finalize undoes it at count 0.
void Initialize();
void Finalize();
} // namespace KvGridUnit

// High 32 bits of a file's fixed version; this platform answers 6.0 for the
// common controls library and -1 for every other file.
int GetFileVersion(const QString& FileName);

namespace KvGridUnit {
// Run whenever a window of a grid's form moves: keeps the focused grid's
// focus frame on its cell (the frame itself comes with the grid's chrome).
void FocusWindowHook();
} // namespace KvGridUnit

// The process-wide locale values the editors and the data exchange read.
QChar GetLocaleTimeSeparator();
QChar GetLocaleDateSeparator();
QChar GetLocaleThousandSeparator();
QChar GetLocaleDecimalSeparator();
QString GetLocaleShortDateFormat();
QString GetLocaleShortTimeFormat();
QString GetLocaleLongTimeFormat();

// The first form up the parent chain of Control, or nullptr.
TCustomForm* FindParentForm(TControl* Control);

// What the grid reads of its colour and image picker editors; the drop-down
// editors offer these and register their classes in KvGridUnit::ClassRegistry.
class IColorPickerSelection {
public:
    virtual ~IColorPickerSelection() = default;
    virtual TColor SelectedColor() const = 0;
    virtual QString SelectedColorText() const = 0;
};

class IImagePickerSelection {
public:
    virtual ~IImagePickerSelection() = default;
    virtual int ItemIndex() const = 0;
};

// ==================== styles and looks (grid_styles.cpp)
enum TKvGridStyle : int {
    gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
    gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista, gsWindows7,
    gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
};
enum TXPColorScheme : int { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
// ==================== end of styles and looks

class TKvStringGrid : public TBaseGrid, public IQRVStyle, public IQRVTones {
public:
    explicit TKvStringGrid(TComponent* AOwner = nullptr);
    ~TKvStringGrid() override;
    QString ClassName() const override { return QStringLiteral("TKvStringGrid"); }

    // ---- copying and life cycle
    // From another TKvStringGrid only; anything else is ignored.
    void Assign(const TPersistent* Source) override;
    virtual void AssignCells(const TPersistent* Source);
    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate();
    void CreateWnd() override;
    void SetParent(TWinControl* AParent) override;
    bool IsLoaded() const { return FLoaded; }
    bool IsRunTime() const { return !FDesigning; }
    // Design-time construction builds no editor controls.
    static void SetDesignTimeConstruction(bool Value);

    // IQRVStyle, IQRVTones: applied by the look and tones code.
    void SetComponentStyle(TQRVStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;

    // ---- platform flags
    bool IsWinXP() const { return FIsWinXP; }
    bool IsWin7() const { return FIsWin7; }
    bool IsWinVista() const { return FIsWinVista; }
    bool IsThemed() const { return FIsThemed; }
    int WheelScrollLines() const { return FWheelScrollLines; }

    // ---- owned settings objects
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TBands* Bands() const { return FBands.get(); }
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    void SetSyncGrid(const TSyncGrid* Value) { FSyncGrid->Assign(Value); }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    void SetFocusHelper(const TFocusHelper* Value) { FFocusHelper->Assign(Value); }
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    void SetSortSettings(const TSortSettings* Value) { FSortSettings->Assign(Value); }
    TFilter* Filter() const { return FFilter.get(); }
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    TGrouping* Grouping() const { return FGrouping.get(); }
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    void SetDragScrollOptions(const TDragScrollOptions* Value) { FDragScrollOptions->Assign(Value); }
    TBalloonSettings* Balloon() const { return FBalloon.get(); }
    void SetBalloon(const TBalloonSettings* Value) { FBalloon->Assign(Value); }
    TShowModified* ShowModified() const { return FShowModified.get(); }
    void SetShowModified(const TShowModified* Value) { FShowModified->Assign(Value); }
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    void SetProgressAppearance(const TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    void SetBackGround(const TBackGround* Value);
    TCellNode* CellNode() const { return FCellNode.get(); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(const TFont& Value) { FFixedFont->Assign(Value); }
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    void SetActiveCellFont(const TFont& Value);
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    void SetColumnHeaders(const TStrings* Value);
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    void SetRowHeaders(const TStrings* Value);
    TStringList* LookupItems() const { return FLookupItems.get(); }
    void SetLookupItems(const TStrings* Value);
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    void SetRowIndicator(const TBitmap& Value);
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TStringList* FilterList() const { return FFilterList.get(); }
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    // The column whose filter list is open, -1 for none.
    int OpenFilterCol() const { return FFilterCol; }
    void SetOpenFilterCol(int Value) { FFilterCol = Value; }
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    TCellGraphic* SpareCellGraphic() const { return FCellGraphic.get(); }
    TCollection* HiddenRowList() const { return FHiddenRowList.get(); }
    TControlList* CellControls() const { return FCellControls.get(); }
    TIntList* SelectedRowList() const { return FSelectedRows.get(); }
    TIntList* SelectedCells() const { return FSelectedCells.get(); }
    TDropList* FilterDropList() const { return FFilterDropList; }
    TDropCheckList* FilterCheckList() const { return FFilterCheckList; }
    TKvInplaceEdit* NormalEdit() const;

    // ---- plain settings with their initial values
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
    TScrollType ScrollType() const { return FScrollType; }
    TColor ScrollColor() const { return FScrollColor; }
    int ScrollWidth() const { return FScrollWidth; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value);
    TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
    void SetSelectionMirrorColor(TColor Value);
    TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
    void SetSelectionMirrorColorTo(TColor Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionColorMixer() const { return FSelectionColorMixer; }
    void SetSelectionColorMixer(bool Value);
    int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    void SetSelectionColorMixerFactor(int Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value);
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value);
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value);
    bool ShowDesignHelper() const { return FShowDesignHelper; }
    void SetShowDesignHelper(bool Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    unsigned VAlignmentFlag() const { return FVAlign; }
    TEditorType DefaultEditor() const { return FDefaultEditor; }
    void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
    bool WordWrap() const { return FKvWordWrap; }
    void SetWordWrap(bool Value);
    bool ActiveCellShow() const { return FActiveCellShow; }
    void SetActiveCellShow(bool Value);
    TColor ActiveCellColor() const { return FActiveCellColor; }
    void SetActiveCellColor(TColor Value);
    TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
    void SetActiveCellColorTo(TColor Value);
    TColor DisabledFontColor() const { return FDisabledFontColor; }
    bool UseDisabledFont() const { return FUseDisabledFont; }
    TColor URLColor() const { return FURLColor; }
    bool EnableHTML() const { return FEnableHTML; }
    bool EnableWheel() const { return FEnableWheel; }
    bool EnhRowColMove() const { return FEnhRowColMove; }
    bool IntelliZoom() const { return FIntelliZoom; }
    bool AutoFilterUpdate() const { return FAutoFilterUpdate; }
    bool FilterNormalCellsOnly() const { return FFilterNormalCellsOnly; }
    bool UseInternalHintClass() const { return FUseInternalHintClass; }
    bool FitCellsInGrid() const { return FFitCellsInGrid; }
    QString FilterDropDownClear() const { return FFilterDropDownClear; }
    void SetFilterDropDownClear(const QString& Value) { FFilterDropDownClear = Value; }
    TFilterDropDownColumns FilterDropDownColumns() const { return FFilterDropDownColumns; }
    void SetFilterDropDownColumns(TFilterDropDownColumns Value) { FFilterDropDownColumns = Value; }
    bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
    void SetFilterDropDownAuto(bool Value)
    {
        FFilterDropDownAuto = Value;
        Invalidate();
    }
    bool FilterIncremental() const { return FFilterIncremental; }
    void SetFilterIncremental(bool Value) { FFilterIncremental = Value; }
    bool FilterDropDownCheck() const { return FFilterDropDownCheck; }
    void SetFilterDropDownCheck(bool Value) { FFilterDropDownCheck = Value; }
    QString XMLEncoding() const { return FXMLEncoding; }
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString& Value) { FFloatFormat = Value; }
    QChar PasswordChar() const { return FPasswordChar; }
    QString CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const QString& Value) { FCheckTrue = Value; }
    QString CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const QString& Value) { FCheckFalse = Value; }
    TPoint XYOffset() const { return FXYOffset; }
    void SetXYOffset(const TPoint& Value);
    void UpdateXYOffset(int X, int Y) { FXYOffset = TPoint(X, Y); }
    bool SaveFixedCells() const { return FSaveFixedCells; }
    bool SaveVirtCells() const { return FSaveVirtCells; }
    bool SaveWithHTML() const { return FSaveWithHTML; }
    bool LoadFirstRow() const { return FLoadFirstRow; }
    bool QuoteEmptyCells() const { return FQuoteEmptyCells; }
    bool ShowNullDates() const { return FShowNullDates; }
    TInvalidEntryIcon InvalidEntryIcon() const { return FInvalidEntryIcon; }
    int GroupColumn() const { return FGroupColumn; }
    int PreviewPage() const { return FPreviewPage; }
    int MinRowHeight() const { return FMinRowHeight; }
    void SetMinRowHeight(int Value) { FMinRowHeight = Value; }
    int MaxRowHeight() const { return FMaxRowHeight; }
    void SetMaxRowHeight(int Value) { FMaxRowHeight = Value; }
    int MinColWidth() const { return FMinColWidth; }
    void SetMinColWidth(int Value) { FMinColWidth = Value; }
    int MaxColWidth() const { return FMaxColWidth; }
    void SetMaxColWidth(int Value) { FMaxColWidth = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool SpreadSheet() const { return FSpreadSheet; }
    void SetSpreadSheet(bool Value);
    int MaxEditLength() const { return FMaxEditLength; }
    void SetMaxEditLength(int Value);
    bool Hovering() const { return FHovering; }
    void SetHovering(bool Value) { FHovering = Value; }
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    // Applies the bounds again, which fits the height to whole rows.
    void SetIntegralHeight(bool Value)
    {
        FIntegralHeight = Value;
        SetBounds(Left(), Top(), Width(), Height());
    }
    bool SizeWithForm() const { return FSizeWithForm; }
    void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    THoverFixedCells HoverFixedCells() const { return FHoverFixedCells; }
    void SetHoverFixedCells(THoverFixedCells Value) { FHoverFixedCells = Value; }
    QString EditMask;

    // State the grid's mouse, keyboard and editing code keeps.
    bool EditMode = false;
    TWinControl* EditCtrl = nullptr;
    QString SearchInc;
    int Colclicked = -1, Rowclicked = -1;
    int Colclickedsize = 0, Rowclickedsize = 0;
    int ColSized = -1, Rowsized = -1;
    bool ColSizeFlg = false;

    // Fixed-cell gradient colours written by the control look.
    TColor QRVGradientFrom() const { return FQRVGradientFrom; }
    void SetQRVGradientFrom(TColor Value);
    TColor QRVGradientTo() const { return FQRVGradientTo; }
    void SetQRVGradientTo(TColor Value);
    TColor QRVGradientMirrorFrom() const { return FQRVGradientMirrorFrom; }
    void SetQRVGradientMirrorFrom(TColor Value);
    TColor QRVGradientMirrorTo() const { return FQRVGradientMirrorTo; }
    void SetQRVGradientMirrorTo(TColor Value);
    TColor QRVGradientHoverFrom() const { return FQRVGradientHoverFrom; }
    TColor QRVGradientHoverTo() const { return FQRVGradientHoverTo; }
    TColor QRVGradientHoverMirrorFrom() const { return FQRVGradientHoverMirrorFrom; }
    TColor QRVGradientHoverMirrorTo() const { return FQRVGradientHoverMirrorTo; }
    TColor QRVGradientHoverBorder() const { return FQRVGradientHoverBorder; }
    TColor QRVGradientDownFrom() const { return FQRVGradientDownFrom; }
    TColor QRVGradientDownTo() const { return FQRVGradientDownTo; }
    TColor QRVGradientDownMirrorFrom() const { return FQRVGradientDownMirrorFrom; }
    TColor QRVGradientDownMirrorTo() const { return FQRVGradientDownMirrorTo; }
    TColor QRVGradientDownBorder() const { return FQRVGradientDownBorder; }

    // ---- dimensions
    void SetRowCount(int Value);
    void SetColCount(int Value);
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    int FixedColWidth() const { return ColCount() > 0 ? ColWidths(0) : 0; }
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    void SetDefaultRowHeight(int Value);
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    void SetCol(int Value);
    int MaxRowCount() const { return FMaxRowCount; }
    int MaxColCount() const { return FMaxColCount; }
    // Number of hidden rows and columns (kept by the hidden-row code).
    int NumHiddenRows() const { return FNumHiddenRows; }
    int NumHiddenColumns() const { return FNumHiddenColumns; }
    int AllColCount() const { return ColCount() + FNumHiddenColumns; }
    int AllRowCount() const { return RowCount() + FNumHiddenRows; }
    int VisibleFixedRightCols() const;
    int FirstDataCol();

    // ---- selection (the stock selection rectangle and disjunct selections)
    TGridRect Selection() const { return TBaseGrid::Selection(); }
    void SetSelection(const TGridRect& Value);
    void FocusCell(int ACol, int ARow);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void GotoCell(int ACol, int ARow);
    void EditCell(int ACol, int ARow);
    void MoveToCell(int ACol, int ARow);
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    bool RowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    bool ColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    void ClearRowSelect();
    void ClearColSelect();
    void SelectionToRowSelect(bool All);
    void SelectionToColSelect(bool All);
    int RowSelectCount() const;
    int ColSelectCount() const;
    bool SelectionChangeFlag() const { return FSelChange; }

    // ---- row state
    bool RowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    int ModifiedRowCount() const;
    bool RowEnabled(int ARow) const;
    void SetRowEnabled(int ARow, bool Value);
    bool UsesEnabledRows() const { return FUseEnabledRows; }

    // ---- repainting
    void RepaintRect(const TGridRect& R);
    void RepaintCell(int c, int r);
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void SwapCells(const TPoint& FromCell, const TPoint& ToCell);

    // ---- cell queries
    virtual void GridHint(int ACol, int ARow, QString& WideHint, QString& Hint);
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetFormat(int ACol, TSortStyle& AStyle, QString& Prefix, QString& Suffix);
    virtual void GetEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual bool HasNoEditor(int ACol, int ARow);
    virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
    virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void CanEdit(int ACol, int ARow, bool& CanEdit);
    virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual void GetCellWordWrap(int ACol, int ARow, bool& WordWrap);
    virtual bool HasComboBox(int ACol, int ARow);
    virtual bool HasSpinEdit(int ACol, int ARow);
    virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
    virtual void GetCheckFalse(int ACol, int ARow, QString& Value);
    virtual bool GetFilterList(int Column);
    virtual void GetCellCursor(int ACol, int ARow, int X, int Y);
    virtual void SearchFooterAction(const QString& Value, int ACol, int ARow, int SearchAction);
    virtual void ButtonClick(int ACol, int ARow);
    virtual void ExpandClick(int ACol, int ARow, bool Expanded);
    virtual void ComboCloseUp(int ARow, int ACol);
    virtual void ComboDropDown(int ARow, int ACol);
    bool UsesPlatformStyles() override { return FPlatformStyle; }
    bool IsEditable(int ACol, int ARow);
    bool IsCellEditable(int ACol, int ARow);
    bool IsFixed(int ACol, int ARow) override;
    bool IsPassword(int ACol, int ARow);
    TFont* GetCellFont(int i, int j);
    bool IsHoverFixedCell(int ACol, int ARow) const;

    // ---- hooks without a rule of their own
    virtual void F2KeyEdit() {}
    virtual void KeySelectAll() {}
    virtual void MouseActionsChanged() {}
    virtual void NavigationChanged() {}
    virtual void MouseActionsInvalidate() { Invalidate(); }
    virtual void DisableEdit();
    virtual bool IsDesigning(bool& Designing);
    virtual void AppendRow() { SetRowCount(RowCount() + 1); }
    virtual void StoreEditValue(int ACol, int ARow, const QString& Value);
    virtual int GetEditLimit() override { return FMaxEditLength; }

    // ---- combo list of the combo editor
    void ClearComboString() { FComboItems.Clear(); }
    void AddComboString(const QString& s) { FComboItems.Add(s); }
    void AddComboStringObject(const QString& s, TObject* AObject) { FComboItems.AddObject(s, AObject); }
    bool RemoveComboString(const QString& s);
    int GetComboCount() const { return FComboItems.Count(); }
    void SetComboSelection(int idx) { FComboIndex = idx; }
    bool SetComboSelectionString(const QString& s);
    int ComboSelection() const { return FComboIndex; }
    TStringList* ComboItems() { return &FComboItems; }
    void SetComboIndex(int ACol, int ARow, int Value);
    int GetComboIndex(int ACol, int ARow);
    virtual void GetEditorProp(int ACol, int ARow, class TEditLink* AEditLink = nullptr);

    // ---- relays of the date editors (installed as their handlers)
    // The date-time editor's value changed.
    void DateTimeEditorChange(double Value);
    // The date editor's value changed; in time mode the text is its time.
    void DateEditorChange(double Value, bool TimeMode);
    void DateEditorCloseUp();
    // The calendar's look was set by the editor; only the event is left here.
    void DateEditorDropDown();

    // ---- footer and change notifications
    virtual void CalcFooter(int ACol);
    virtual void CalcFloatingFooter(int ACol);
    virtual void RecalcFooterColumn(int ACol, int ARow) { (void)ARow; CalcFooter(ACol); }
    void UpdateFooter();
    void LastRowChanged() override;
    void GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                  TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                  bool& WW, TCellGradientDirection& GD) override;
    virtual void CellsChanged(const TGridRect& R);
    virtual void CellsLoaded() { CalcFooter(-1); }
    void RegisterNotifier(TGridChangeNotifier* Item);
    void UnRegisterNotifier(TGridChangeNotifier* Item);
    void RegisterSelListener(std::shared_ptr<ITKvStringGridSelect> Listener) { FSelListener = std::move(Listener); }
    void UnRegisterSelListener(const std::shared_ptr<ITKvStringGridSelect>&) { FSelListener.reset(); }

    // ---- cell numbers written by the footer calculation
    void SetInts(int ACol, int ARow, int Value);
    void SetFloats(int ACol, int ARow, double Value);
    virtual QString GetCellFloatFormat(int ACol, int ARow);

    // ---- column calculations (grid_calculations.cpp); a range of -1 takes the normal rows
    virtual double ColumnSum(int ACol, int FromRow, int ToRow);
    virtual double ColumnAvg(int ACol, int FromRow, int ToRow);
    virtual double ColumnMin(int ACol, int FromRow, int ToRow);
    virtual double ColumnMax(int ACol, int FromRow, int ToRow);
    virtual double ColumnStdDev(int ACol, int FromRow, int ToRow);
    virtual double ColumnDistinct(int ACol, int FromRow, int ToRow);

    // ---- cell objects (completed with the cell-object code)
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    virtual TCellType GetCellType(int ACol, int ARow);
    // The error marker of a cell's graphic; (0, 0) without graphic.
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    // Tests of the base cell's graphic kind; False for a negative index.
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    bool IsDataGraphicCell(int ACol, int ARow);
    bool HasClickControl(int ACol, int ARow);
    bool HasRadioButton(int ACol, int ARow);
    bool IsRadioButtonChecked(int ACol, int ARow);
    // ---- tree nodes (cell_nodes.cpp): a node is a ctNode graphic in column 0
    // heading a span of rows; contracting hides the span's rows.
    bool IsNode(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctNode; }
    bool IsSummary(int ARow) { return ARow >= 0 && GetCellType(0, ARow) == ctSummary; }
    // Contracted flag of a node row; False for any other row.
    bool GetNodeState(int ARow);
    bool NodeState(int ARow) { return GetNodeState(ARow); }
    void SetNodeState(int ARow, bool Value);
    // Level of a node row, -1 for any other row.
    int GetNodeLevel(int ARow);
    // Span of a node row (its own row counted; 0: up to the next node), -1 otherwise.
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    // 0 node row, 1 last row of its span, 2 more rows of the span follow.
    int GetNodeSpanType(int ARow);
    // The node row heading ARow; a node without parent is its own; -1 for none.
    int GetParentRow(int ARow);
    // Real row indexes.
    void AddNode(int ARow, int Span);
    void MarkSummaryRow(int ARow);
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    void ExpandAll();
    void ContractAll();
    void InsertChildRow(int ARow, int InsertAt);
    void RemoveChildRow(int ARow);
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);
    bool IsInNodeButton(int ARow, int X);
    int NumNodes() const { return FNumNodes; }
    int GetRowIndent(int ARow) override;
    bool HasNodes() override { return FNumNodes > 0; }

    // ---- hooks of row keys, selection, filtering and exchange (grid_hooks.cpp)
    virtual void InplaceEditChange() {}
    virtual void FixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
    virtual void ExportNotification(TGridExportState AState, int ARow) { (void)AState; (void)ARow; }
    virtual void ImportNotification(TGridImportState AState, int ARow) { (void)AState; (void)ARow; }
    bool SaveWithRTF() const { return FSaveWithRTF; }
    void SetSaveWithRTF(bool Value) { FSaveWithRTF = Value; }
    void SetSaveWithHTML(bool Value) { FSaveWithHTML = Value; }
    void SetSaveVirtCells(bool Value) { FSaveVirtCells = Value; }
    std::function<void(TObject*, int ALeft, int ATop, int ARight, int ABottom)> OnSelectionChanged;
    std::function<void(TObject*, int ARow)> OnAutoDeleteRow;
    std::function<void(TObject*)> OnFilterDone;
    std::function<void(TObject*, int ACol, int ARow, TGridFixedCellEditor&, TStrings*)> OnFixedEdit;
    std::function<void(TObject*, int ACol, int ARow, QString& Value)> OnSaveCell, OnLoadCell;

    // ---- binary cell format (grid_binary_io.cpp): cells with their properties and
    // graphics as component-stream records, for files, streams and the clipboard.
    void SaveToBinStream(TStream* Stream);
    void SaveToBinFile(const QString& FileName);
    void LoadAtPointFromBinStream(const TPoint& Point, TStream* Stream);
    void LoadFromBinStream(TStream* Stream);
    void LoadFromBinFile(const QString& FileName);
    // A number unique to this grid for the run: the writer of a cell stream.
    int BinStreamID();

    // ---- clipboard copy and cut (grid_clipboard.cpp)
    void CopyToClipBoard();
    // The grid as HTML under "HTML Format" (single-byte text behind a header of byte
    // offsets) and the same text as plain text.
    void CopyToClipBoardAsHTML();
    void CutToClipboard();
    QString GetSelectionAsText();
    void SetSelectionAsText(const QString& Value);
    // Tab-separated rows; a one-row rectangle ends without a line break.
    QString RectToClipboardText(const TGridRect& R, bool DisjunctOnly);
    void CopyRectToClipboard(const TGridRect& R, bool DisjunctOnly);
    void CopyCellAsRTF(int ACol, int ARow);
    void CopyRectAsGridCells(const TGridRect& R);
    void ExtendSelectionToMergedCells();
    TClipOperation LastClipOperation() const { return FLastClipOperation; }
    TPoint ClipOrigin() const { return FClipOrigin; }

    // ---- clipboard paste and smart fill (grid_paste.cpp)
    void PasteFromClipboard();
    // Each answers the count n of the paste and the rows and columns the smart fill uses.
    int PasteFromClipboardAt(int ACol, int ARow, int& Rows, int& Cols);
    int PasteTextAt(int ACol, int ARow, int& Rows, int& Cols, const QString& Text);
    static void MeasureClipboardText(const QString& Text, int& Cols, int& Rows);
    virtual void MarkRowsModified(const TPoint& TopLeft, const TRect& Rect, TClipOperation LastOp);
    virtual bool AllowFMTClipboard() { return FNavigation->AllowFmtClipboard(); }
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)> OnClipboardBeforePasteWideCell;
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnClipboardAfterPasteWideCell;

    // ---- drop target and drop source of drag and drop (grid_ole_drop.cpp)
    // An application is about to drag column ACol (item AIndex of its list box AList) onto the grid.
    void OleColumnDragStart(int ACol, int AIndex, class TListBox* AList);
    // The grid's drop target while OleDropTarget is on (kept until the grid goes).
    class TGridDropTarget* OleDropTargetObject() const { return FOleDropTargetObject.get(); }
    int OleDragCol() const { return FOleDragCol; }
    std::function<void(TObject*, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrop;
    std::function<void(TObject*, int ARow, int ACol, const QString& FileName, bool& Allow)> OnOleDropFile;
    std::function<void(TObject*, int ARow, int ACol, const QString& URL, bool& Allow)> OnOleDropURL;
    std::function<void(TObject*, int ARow, int ACol, bool& Allow)> OnOleDragOver;
    std::function<void(TObject*, int ARow, int ACol, int DropCol)> OnOleDropCol;
    std::function<void(TObject*, const TGridRect& ARect)> OnOleDropped;

private:
    friend class TGridDropTarget;
    friend class TGridDropSource;
    bool RegisterOleDropTarget();
    void RevokeOleDropTarget();
    // Hands the accept settings to the drop target.
    void UpdateOleDropTargetAccepts();
    std::shared_ptr<class TGridDropTarget> FOleDropTargetObject;
    int FOleDragCol = -1;
    int FOleDragIndex = -1;
    QPointer<QWidget> FOleDragList;  // the application's list box; it may go before the drop

public:
    // ---- cell-object plumbing (cell_objects.cpp)
    // Frees the cell's own graphic (never a shared one) and attaches a fresh one.
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType);
    TCellGraphic* CellGraphics(int ACol, int ARow) { return GetCellGraphic(ACol, ARow); }
    TCellType CellTypes(int ACol, int ARow) { return GetCellType(ACol, ARow); }

    // ---- kinds of cell graphics (cell_object_kinds.cpp). Add... keeps the
    // caller's object; Create... makes one the graphic owns.
    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow) { return GetBitmap(ACol, ARow) != nullptr; }
    bool RemoveBitmap(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                            TCellHAlign hal, TCellVAlign val);
    TPicture* GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow) { return GetPicture(ACol, ARow) != nullptr; }
    bool RemovePicture(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctPicture); }
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    bool RemoveFilePicture(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    bool RemoveIcon(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctIcon); }
    // The image-list kinds need GridImages: without it the Add... calls attach nothing.
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(int ACol, int ARow, int& idx);
    void SetImageIdx(int ACol, int ARow, int Idx);   // no repaint
    bool RemoveImageIdx(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctImageList); }
    // The image index is the cell's integer text; Aidx is written when the text is empty.
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool HasDataImage(int ACol, int ARow) { return HasCellType(ACol, ARow, {ctDataImage}); }
    bool RemoveDataImage(int ACol, int ARow);
    // Dir 0 lays the images side by side, any other value stacks them. The list
    // belongs to the graphic and repaints its cell on every change.
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    TIntList* CellImages(int ACol, int ARow);
    bool RemoveMultiImage(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctImages); }
    virtual TImageList* GetCellImageList() { return FGridImages; }
    // The angle is brought into 0 .. 360 (360 stays 360).
    void AddRotated(int ACol, int ARow, short AAngle, const QString& s);
    void SetRotated(int ACol, int ARow, short AAngle);
    bool IsRotated(int ACol, int ARow, int& aAngle);
    bool RemoveRotated(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRotated); }
    void AddInterfacedCell(int ACol, int ARow, TObject* AObject);
    TObject* GetInterfacedCell(int ACol, int ARow);
    bool RemoveInterfacedCell(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctInterface); }
    void AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                             TCellVAlign val);
    // These three take a display column.
    void SetButtonText(int ACol, int ARow, const QString& Caption);
    QString GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool Push);
    bool HasButton(int ACol, int ARow) { return HasCellType(ACol, ARow, {ctButton, ctBitButton}); }
    void RemoveButton(int ACol, int ARow);
    bool RemoveBitButton(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }
    void RemoveAllButtons();
    void AddComment(int ACol, int ARow, const QString& Comment);
    void AddColorComment(int ACol, int ARow, const QString& Comment, TColor Color);
    bool IsComment(int ACol, int ARow, QString& Comment);
    QString CellComment(int ACol, int ARow);
    void SetCellComment(int ACol, int ARow, const QString& Value);
    bool RemoveComment(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctComment); }
    void RemoveAllComments();
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const QString& Fmt, int Min, int Max);
    bool HasProgress(int ACol, int ARow) { return HasCellType(ACol, ARow, {ctProgress}); }
    bool RemoveProgress(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctProgress); }
    void AddKvProgress(int ACol, int ARow, int Min, int Max);
    bool RemoveKvProgress(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    bool RemoveProgressPie(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    bool RemoveRangeIndicator(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator); }
    void AddShape(int ACol, int ARow, int Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    TColor GetShapeColor(int ACol, int ARow);
    bool RemoveShape(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctShape); }
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    bool HasRating(int ACol, int ARow) { return HasCellType(ACol, ARow, {ctRating}); }
    bool RemoveRating(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRating); }
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    bool HasScrollBar(int ACol, int ARow) { return HasCellType(ACol, ARow, {ctScrollbar}); }
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, const TScrollProp& Prop);
    TScrollProp GetScrollProp(int ACol, int ARow);
    bool RemoveScrollBar(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    bool HasExpand(int ACol, int ARow) { return HasCellType(ACol, ARow, {ctExpand}); }
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    bool RemoveExpand(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctExpand); }
    void AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon);
    void RemoveBalloon(int ACol, int ARow);
    bool HasBalloon(int ACol, int ARow) { return HasCellType(ACol, ARow, {ctBalloon}); }
    bool IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon);
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl);
    TStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool IsRadio(int ACol, int ARow) { return HasCellType(ACol, ARow, {ctRadio}); }
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStrings* GetRadioStrings(int ACol, int ARow);
    bool RemoveRadio(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRadio); }
    void SelectNextRadio(int ACol, int ARow, bool UserAction);
    // A bitmap or icon object's identity, the image index of an image-list cell, -1 otherwise.
    intptr_t GetCellImageRef(int ACol, int ARow);
    TRect GetExpandRect(int ACol, int ARow);
    TRect GetCellGraphicRect(int ACol, int ARow);
    std::function<void(TObject*, int ACol, int ARow, double& NewRate, bool& Allow)> OnRatingChange;
    // The pickers' choice for the current cell (the pickers are made on first
    // use from the class registry; without one registered nothing fires).
    virtual void ColorSelect();
    virtual void ImageSelect();
    TComponent* ColorPickerDropDown();
    TComponent* ImagePickerDropDown();
    std::function<void(TObject*, int ACol, int ARow, TColor Color, const QString& Value)> OnColorSelect;
    std::function<void(TObject*, int ACol, int ARow, int Index)> OnImageSelect;

    // ---- check boxes and radio buttons (check_boxes.cpp)
    // "Invalid cell" (a general exception) for an index outside the grid,
    // hidden columns and rows counted, negative ones included.
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    void RemoveCheckBox(int ACol, int ARow);
    void RemoveCheckBoxColumn(int ACol);
    void AddRadioButton(int ACol, int ARow, bool State = false);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButton(int ACol, int ARow);
    void RemoveRadioButtonColumn(int ACol);
    // True when the cell holds a two-state check box; State is written only
    // then. A tri-state box is no two-state box: the Boolean overload answers
    // False for it, with and without hidden rows.
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
    bool IsChecked(int ACol, int ARow);
    // No change event; True for a two-state check box.
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    // As SetCheckBoxState on a display row, with the change event when the state changes.
    bool ChangeCheckBoxState(int ACol, int ARow, bool State);
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCellCheck(ACol, ARow, false); }
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    // Client coordinates; with PreciseCheckBoxCheck only the box itself counts.
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
    std::function<void(TObject*, int ACol, int ARow, bool State)> OnCheckBoxChange;

    int TotalColCount() const override { return ColCount() + FNumHiddenColumns; }

    // ---- needed by the column grid, completed with the filter code (grid_filter.cpp)
    virtual void SetFilterActive(bool Value);

    // ==================== keyboard and mouse buttons (grid_keys.cpp, grid_keys_tab.cpp, grid_mouse_down.cpp,
    // grid_mouse_up.cpp, grid_mouse_hooks.cpp, selected_cells.cpp, column_moving.cpp)
    // Defined with the mouse-move code below.
    enum TMouseSelectMode : int;
    // ---- window messages of the keys and buttons, run before the stock handling
    void WMKeyDown(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMRButtonDown(TMessage& Message);
    void WMRButtonUp(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMCursorChanged(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    // ---- Tab and row append
    // One Tab step; False when the Tab went on to the parent window.
    bool TabToNextCell(bool Backward);
    void AutoAppendRow();
    bool IsTabStopCell(int ACol, int ARow);
    int FirstTabStopCol(int ARow);
    int LastTabStopCol(int ARow);
    bool IsLastNormalRow();
    virtual void MoveToFirstRow() { SetRow(FixedRows()); }
    // Acts as a left click 2 px inside the cell, without the mouse events.
    void SimulateCellClick(int ACol, int ARow);
    void Select() { SelectCell(Col(), Row()); }
    void RadioGroupClick(int ACol, int ARow, int OffsetX, int OffsetY);
    void StartFixedCellEdit(int ACol, int ARow);
    // The header-cell editors (created hidden with the grid).
    class TGridTransEdit* EditTrans() const;
    class TGridTransCombo* ComboTrans() const;
    int FixedColEdit() const { return FFixedColEdit; }
    int FixedRowEdit() const { return FFixedRowEdit; }
    // The validation and editing-done notices of a header-cell edit; the
    // editing code routes them to its cell events.
    virtual void FixedCellValidate(int ACol, int ARow, QString& Value, bool& Valid)
    {
        if (OnCellValidate) OnCellValidate(this, ACol, ARow, Value, Valid);
    }
    virtual void FixedCellEditingDone()
    {
        if (OnEditingDone) OnEditingDone(this);
    }
    // Whether the cell validation event is assigned; a press then stores the
    // current cell's value for it.
    virtual bool CellValidateAssigned() { return bool(OnCellValidate); }
    // ---- event hooks
    virtual void CheckBoxClick(int ACol, int ARow, bool State);
    virtual void PrintGetPageNum(int PageNum, int PageColNum, QString& PageNumString);
    virtual void StartBlockFocus();
    virtual void EndBlockFocus();
    void ResetFixedCellHighlight();
    // The cursor the cursor message sets (0: none of the grid's own choice).
    TCursor CursorChoice(int X, int Y);
    // Takes the grid's colours from the active application style, when one is in force.
    void ApplyVCLStyle();
    bool UseVCLStyles() const { return FUseVCLStyles; }
    // ---- members of the data operations this code calls; they do nothing until those land
    virtual bool FilterActive() { return FFilterActive; }
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void InitSortXRef();
    virtual void SplitAllColumnCells();
    virtual void RemergeColumnCells();
    virtual void CutSelectionToClipboard();
    virtual void CopySelectionToClipboard();
    virtual void PasteSelectionFromClipboard();
    // Writes the cells of the rectangle (inclusive) in the grid's binary cell form
    // (grid_binary_io.cpp): the clipboard copy and the drag out of the grid.
    virtual void SaveRectToBinStream(const TGridRect& Rect, TStream* Stream);
    virtual int SearchRow(const QString& Text);
    // Whether an in-place editor of the editing code holds the focus.
    virtual bool EditorHasFocus();
    // The Enter advance from the key press.
    virtual void EnterAdvance(bool Edit) { AdvanceToNextCell(Col(), Row(), Edit, false, true, false, false); }
    // ---- disjunct cell selection: entries (row << 16) | column, display indexes, in selection order
    bool SelectedCells(int ACol, int ARow);
    void SetSelectedCells(int ACol, int ARow, bool Value);
    TGridCoord SelectedCell(int Index) const;
    int SelectedCellsCount();
    int SelectedColCount();
    int SelectedRowCount();
    int SelectedRow(int Index);
    void ClearSelectedCells();
    void ClearModifiedRows();
    // ---- state of the handlers
    void SetMouseSelectMode(TMouseSelectMode Value) { FMouseSelectMode = Value; }
    bool CellSelectorMode = false;
    bool Invokedchange = false;
    bool ColMoveFlg = false;
    quint32 SortTime = 0;
    int Movecell = -1;
    int MoveOfsX = 0, MoveOfsY = 0;
    int Clickposx = 0, Clickposy = 0, Clickposdx = 0, Clickposdy = 0;
    // Set by row insertion and deletion from the keyboard.
    // The keypad's decimal key types the locale's decimal separator.
    // ---- form controls in a cell's HTML (cell_form_controls.cpp)
    // Opens the editor of the next form control of the cell's text after CurrentID.
    void EditNextHTMLControl(int ACol, int ARow, const QString& CurrentID);
    virtual void StartHTMLControlEdit(const QString& HTML, const QString& CtrlType, int ARow, int RealCol,
                                      int DisplCol, const TRect& R, const QString& CtrlValue, const QString& CtrlID);
    void EndHTMLControlEdit();
    void ControlComboSelect(TObject* Sender);
    class TControlEdit* ControlEdit() const;
    class TControlCombo* ControlCombo() const;
    bool ControlEditing() const { return FCtrlEditing; }
    QString ControlEditID() const { return EditControlID; }
    std::function<void(TObject*, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal, TStrings* Values, bool& Edit, int& DropCount)> OnControlComboList;
    std::function<void(TObject*, int ARow, int ACol, const QString& CtrlID, int ItemIndex, const QString& ItemText)>
        OnControlComboSelect;
    std::function<void(TObject*, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal)> OnControlEditDone;
    QChar StartEditChar() const { return FStartEditChar; }
    void SetStartEditChar(QChar Value) { FStartEditChar = Value; }
    bool ForceSel() const { return FForceSel; }
    // The fixed-edge sizing zones the mouse move found, and the highlighted fixed cell.
    void SetSizeFixedZones(bool Column, bool Row)
    {
        FSizeFixed = Column;
        FSizeFixedR = Row;
    }
    void SetHoverFixedCell(const TPoint& Value) { FHoverFixedCell = Value; }
    bool NoMouseLeave() const { return FNoMouseLeave; }
    void SetNoMouseLeave(bool Value) { FNoMouseLeave = Value; }
    bool FixedAsButtons = false;
    // A right click on a link cell opens its editor.
    bool URLEdit = false;
    TPopupMenu* FixedDropDownMenu = nullptr;
    // ---- events
    std::function<void(TObject*, int ACol, int ARow, bool State)> OnCheckBoxClick;
    std::function<void(TObject*, int ARow, int ACol)> OnClickCell, OnDblClickCell, OnRightClickCell;
    std::function<void(TObject*, int ARow, int ACol, bool& Allow)> OnCanClickCell;
    std::function<void(TObject*, int ACol, int ARow, int ItemIndex)> OnRadioClick;
    std::function<void(TObject*, int ACol, int ARow)> OnRadioButtonClick;
    std::function<void(TObject*, int ARow)> OnAutoAddRow, OnAutoInsertRow;
    std::function<void(TObject*, int ARow, bool& CanDelete)> OnCanDeleteRow;
    std::function<void(TObject*, int ACol, bool& Allow)> OnColumnSize, OnCanSort;
    std::function<void(TObject*, int ARow, bool& Allow)> OnRowSize;
    std::function<void(TObject*, int ACol)> OnEndColumnSize, OnClickSort;
    std::function<void(TObject*, int ACol, int ARow, bool State)> OnCheckBoxMouseUp;
    std::function<void(TObject*, int ACol, int ARow, int ItemIndex)> OnRadioMouseUp;
    std::function<void(TObject*, const TGridRect& From, const TGridRect& To)> OnSelectionResize, OnSelectionResized;
    std::function<void(TObject*, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal)> OnControlClick;
    std::function<void(TObject*, int ARow, int ACol, const QString& Anchor, bool& Handled)> OnAnchorClick;
    std::function<void(TObject*, int ARow, int ARealRow, bool& Allow)> OnBeforeContractNode, OnBeforeExpandNode;
    std::function<void(TObject*, int ARow, int ARealRow)> OnContractNode, OnExpandNode;
    std::function<void(TObject*, int PageNum, int PageColNum, QString& PageNumString)> OnPrintGetPageNum;
    std::function<void(TObject*, int ACol, bool& CanShow)> OnCanShowFixedDropDown;
    std::function<void(TObject*)> OnStartBlockFocus, OnEndBlockFocus;
    std::function<void(TObject*, int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)> OnScrollCell;
    std::function<void(TObject*, int ACol, int ARow, TPopupMenu*& Menu, bool& KeepMenu)> OnFixedDropDownClick;

protected:
    bool DispatchMessageHandlers(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                         TGridDrawInfo& FixedInfo) override;
    // The stock handling of a message, without the handlers above.
    void InheritedMessage(TMessage& Message) { TObjStringGrid::WndProc(Message); }
    void HeaderDragEnd(int X, int Y, bool& Moved);
    bool HeaderDragActive();
    void MouseSelectionChanged();

private:
    void KeyRowSelect(bool Shift, int OldRow);
    void KeyKeepLeft(int OldLeft);
    bool HomeEndKey(WORD Key, TShiftState Shift, int OldLeft);
    void DeleteRowKey();
    void InsertRowKey();
    void SelectAllKey();
    void ToggleClickControlKey(WORD Key, int RCol);
    bool SkipFixedCellsKey(WORD Key);
    void TabBackward();
    bool TabForward();
    bool TabEndOfGrid();
    bool CheckBoxPress(int ACol, int ARow, int RealCol, int X, int Y);
    void HeaderClickSort(int ACol, int ARow, int X, int Y, bool Moved);
    bool DisjunctCellMouseUp(TMouseButton Button, TShiftState Shift, int ACol, int ARow);
    void ShowFilterList(int ACol, int ARow);
    // Adds the cells of R not listed yet, all but Except.
    void AddRectToSelectedCells(const TGridRect& R, const TPoint& Except);
    void RepaintSelectedCells();
    // Toggles the cell in the list, or makes it the only listed cell.
    void ListSelectedCell(int ACol, int ARow, bool Toggle);
    TGridRect FMoveSelection;
    TPoint FLastKeyCell{-1, -1};
    bool FDoOnClick = false, FMouseDownMove = false, FMouseKeepDown = false;
    int FMoveColInd = -1, FMoveRowInd = -1;
    bool FSelectionClick = false;
    bool FFixedCellPushed = false;
    TRect FPushedFixedCell;
    bool FDeselectState = false, FMouseDown = false;
    bool FMouseResize = false;
    TGridRect FDropSelection;
    bool FCtrlDown = false;
    TPoint FCtrlXY{-1, -1};
    int FOldKeepLeftCol = -1;
    bool FDblClk = false;
    bool FSyncedMove = false;
    bool FDropDownDown = false;
    TPoint FHotFixedCell{-1, -1};
    bool FEditStart = false;
    bool FUseVCLStyles = false;
    int FSizingFixedCol = -1, FSizingFixedRow = -1;
    bool FNoMouseLeave = false;
    int FFixedColEdit = -1, FFixedRowEdit = -1;
    bool FCtrlEditing = false;
    QString FCtrlID, FCtrlType;
    // The form control under a point of a cell: its ID, type and value, or an anchor.
    bool HTMLHitTest(int ACol, int ARow, int X, int Y, QString& Anchor, QString& CtrlID, QString& CtrlType,
                     QString& CtrlValue, TRect& CtrlRect);
    bool HTMLControlPress(int ACol, int ARow, int RealCol, int PressCol, int PressRow, int X, int Y);
    void FollowAnchor(int ACol, int ARow, const QString& Anchor);

public:
    // ==================== end of keyboard and mouse buttons

    // ---- hidden columns and rows, index mapping (kv_string_grid_hidden.cpp)
    // Storage is addressed by real column and display row: a hidden column
    // keeps its cells in place, a hidden row moves into a TGridItem record.
    // Only real columns 0 .. 511 can be hidden; from 512 on the conversions
    // answer the index unchanged.
    static constexpr int MaxHiddenColumnIndex = 511;
    void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int Colindex) const;
    int AllColWidths(int i) const;
    void SetAllColWidths(int i, int w);
    void SetColumnVisible(int i, bool Visible);
    bool IsColumnVisible(int i) const;
    int RealColIndex(int ACol) const;
    int DisplColIndex(int ACol) override;
    int DisplColIndexOf(int ACol) const;
    int RealRowIndex(int ARow) const;
    int DisplRowIndex(int ARow) const;
    int DisplToRealColumn(int ACol) const { return RealColIndex(ACol); }
    int RealToDisplColumn(int ACol) const { return DisplColIndexOf(ACol); }
    int DisplToRealRow(int ARow) const { return RealRowIndex(ARow); }
    int RealToDisplRow(int ARow) const { return DisplRowIndex(ARow); }
    int RealCol() const { return RealColIndex(Col()); }
    int RealRow() const { return RealRowIndex(Row()); }
    int TotalRowCount() const { return AllRowCount(); }
    void HideRow(int Rowindex) { HideRows(Rowindex, Rowindex); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    // RowList holds display rows in ascending order; they become one filter level.
    void HideRowList(const TIntList* RowList);
    void UnHideRow(int Rowindex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowList();
    void UnHideRowsAll();
    bool IsHiddenRow(int Rowindex) const;
    // Builds ListHidden on the first call (when nullptr); the caller frees it.
    bool IsHiddenRow(int Rowindex, TIntList*& ListHidden) const;
    // The stored cells of the hidden row with this real index (the record's own list), or nullptr.
    TStringList* GetHiddenRowCells(int ARow) const;
    // The check-box graphic of the real row ARow read through that row's cell
    // properties, hidden or shown (ByProps); without hidden rows, or when the
    // properties hold no graphic, the cell's graphic at the given index.
    TCellGraphic* CheckGraphicAt(int ACol, int ARow, bool& ByProps);
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int Value) { FFilterLevel = Value; }
    void SetRow(int Value);
    void SetTopRow(int Value);
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    QString UnSortedCells(int i, int j) const;
    void SetUnSortedCells(int i, int j, const QString& Value);
    // The hidden-row and hidden-column structure: counts agree with the
    // records and flags, no properties object is held by two storage cells or
    // records, the records of HideRows stand in ascending Idx.
    bool CheckHiddenConsistency() const;
    std::function<void(TObject*, int OldRow, int NewRow)> OnRowChanged;

    // ==================== window procedure, wheel and zoom, timers and sizing, mouse move, hints, scroll follow-up, text services (grid_wndproc.cpp, grid_pan_pictures.cpp, grid_timers.cpp, grid_mouse_move.cpp, grid_hints.cpp, grid_scroll_follow.cpp, grid_text_services.cpp)
    enum TIntelliPan : int { ipVertical, ipHorizontal, ipBoth, ipNone };
    enum TMouseSelectMode : int { msNormal, msColumn, msRow, msAll, msURL, msResize };
    enum TScrollBarAlways : int { saNone, saVert, saHorz, saBoth };
    // Logical timer ids: the grid timer (500 ms, from window creation on) and
    // the wheel-panning timer (10 ms while panning).
    static constexpr unsigned GridTimerID = 111;
    static constexpr unsigned PanTimerID = 999;

    // ---- rich text, plain text, version
    // A rich-text cell holds one RTF byte per character (Latin-1 both ways).
    void CellToRich(int Col, int Row, class TRichEdit* RichEdit);
    void RichToCell(int Col, int Row, class TRichEdit* RichEdit);
    QString RichToString(class TRichEdit* RichEdit);
    QString GetStrippedCell(int i, int j);
    static unsigned GetVersionNr() { return 100794627u; }
    static QString GetVersionString();
    // The column stretch (StretchColumnWidth) as the stretch setter, the size
    // handling and the form hook run it.
    virtual void ApplyColumnStretch(int ACol);

    // ---- window procedure, wheel, zoom, panning
    bool ShowEditProcess() const { return FShowEditProcess; }
    void SetShowEditProcess(bool Value) { FShowEditProcess = Value; }
    TIntelliPan IntelliPan() const { return FIntelliPan; }
    void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
    void SetIntelliZoom(bool Value) { FIntelliZoom = Value; }
    void SetEnableWheel(bool Value) { FEnableWheel = Value; }
    // Every width and height above 0 grows by x pixels, while the accumulated
    // steps stay within -10 .. 10.
    void Zoom(int x);
    bool Panning() const { return FWheelPan; }
    TPoint PanOrigin() const { return FWheelPanPos; }
    void DrawPanMarker();
    void InvalidatePanMarker();
    std::function<void(TObject*, int ACol, int ARow)> OnEditCellDone;
    std::function<void(TObject*, int ACol, int ARow, int AItemIndex, const QString& ASelection)> OnComboChange;
    std::function<void(TObject*, int ACol, int ARow, int AItemIndex, const QString& ASelection, TObject* AObject)>
        OnComboObjectChange;
    // Called after a wheel step with the rows the current row moved.
    virtual void WheelScroll(int Delta, bool& Handled) { (void)Delta; (void)Handled; }
    // Sizes the cells to their contents after a Ctrl+wheel zoom.
    virtual void ZoomAutoSizeCells(bool DoFixed, int PaddingX, int PaddingY)
    {
        AutoSizeCells(DoFixed, PaddingX, PaddingY);
    }
    // Recomputes the proportional scroll bars; the scrolling code supplies it.
    virtual void RefreshProportionalScrollBars();

    // ---- timers, painting, sizing
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value) { FEnableBlink = Value; }
    bool GridBlink() const { return FGridBlink; }
    int TimerTicks() const { return FTimerTicks; }
    int SearchTics = 0;
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    // Shows or hides the bars at once (scrolling code).
    void SetScrollBarAlways(TScrollBarAlways Value);
    TCanvas* FooterCanvas();
    // The cells the blink tick asked to repaint, in order (tests read it).
    std::vector<TPoint> BlinkRepaints;
    std::function<void(TObject*)> OnGridResize;

    // ---- mouse move
    TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
    bool SizeFixedZone() const { return FSizeFixed; }
    bool SizeFixedRowZone() const { return FSizeFixedR; }
    TPoint HoverFixedCell() const { return FHoverFixedCell; }
    TPoint HoverButton() const { return FHoverButton; }
    QString CurrentAnchor() const { return FAnchor; }
    // The button press that starts a row or column selection by mouse sets it.
    void SetMouseSelectStart(int Value) { FMouseSelectStart = Value; }
    // The anchor of an HTML cell under the client point, with its hint.
    bool AnchorAt(int ACol, int ARow, int X, int Y, QString& Anchor, QString& Hint);
    std::function<void(TObject*, int ACol, int ColumnSize)> OnColumnSizing;
    std::function<void(TObject*, int ARow, int RowSize)> OnRowSizing;
    std::function<void(TObject*, int ARow, int ACol, const QString& Anchor)> OnAnchorEnter, OnAnchorExit;
    std::function<void(TObject*, int ARow, int ACol, QString& Anchor)> OnAnchorHint;

    // ---- hints and balloons
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    bool HintShowLargeTextPos = true;
    bool HintShowSizing = false;
    bool HTMLHint = false;
    bool AnchorHint = false;
    void SetUseInternalHintClass(bool Value) { FUseInternalHintClass = Value; }
    bool UseHTMLHints() const { return FUseHTMLHints; }
    void SetUseHTMLHints(bool Value);
    TPoint LastHintPos() const { return FLastHintPos; }
    // Fills the hint request of the cell under HintInfo.CursorPos.
    void PrepareCellHint(QString& HintStr, struct THintInfo& HintInfo);
    // Shows "cw=<b>N</b>" or "rh=<b>N</b>" beside the edge being sized.
    void ShowSizingHint(bool Column, int Size);
    void HideSizingHint();
    bool SizingHintShown() const { return FScrollHintShow; }
    QString SizingHintText() const { return FSizingHintText; }
    void BalloonEnableChange();
    // The balloon's title, icon (0 .. 3), delays and opacity as last set.
    void AddBalloonTool(int Icon, const QString& Title);
    TBalloonHint* BalloonWindow() const { return FBalloonHint; }

    // ---- scroll follow-up
    void OwnerFormResize(TObject* Sender) { GridFormResize(Sender); }

protected:
    void WndProc(TMessage& Message) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void WMTimer(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMSize(TMessage& Message);
    bool HasCellBorderEvent() override { return bool(OnGetCellBorder); }

private:
    void PanStep();
    void StartPanning(int X, int Y);
    void StopPanning();
    void WheelMessage(TMessage& Message);
    bool WheelStep(bool Down, TShiftState Shift, TPoint MousePos);
    void EditorCommand(TMessage& Message);
    void BlinkTick();
    void RepaintIfFixed(const TPoint& Cell);
    bool FShowEditProcess = false;
    TIntelliPan FIntelliPan = ipVertical;
    TPoint FPanMousePos{0, 0};
    bool FScrollLock = false;
    bool FWheelPan = false;
    TPoint FWheelPanPos{0, 0};
    TCursor FPrevCursor = crDefault;
    int FPaintCount = 0;
    bool FEnableBlink = false;
    bool FGridBlink = false;
    int FTimerTicks = 0;
    TScrollBarAlways FScrollBarAlways = saNone;
    bool FDisableSize = false;
    TMouseSelectMode FMouseSelectMode = msNormal;
    bool FSizeFixed = false, FSizeFixedR = false;
    bool FSizingFixed = false, FSizingFixedR = false;
    int FSizeFixedX = 0, FSizeFixedY = 0;
    TPoint FHoverButton{-1, -1};
    QString FAnchor;
    QString FLastAnchorHint;
    bool FUseHTMLHints = false;
    bool FScrollHintShow = false;
    QString FSizingHintText;
public:
    // ==================== end of window procedure, wheel and zoom, timers and sizing, mouse move, hints, scroll follow-up, text services

    // ---- row and column insertion and removal, update bracket (kv_string_grid_rows.cpp)
    void BeginUpdate();
    void EndUpdate();
    void StartUpdate() { ++FUpdateCount; }
    void ResetUpdate() { FUpdateCount = 0; }
    bool LockUpdate() const { return FUpdateCount != 0; }
    void SetLockUpdate(bool Value) { Value ? BeginUpdate() : EndUpdate(); }
    int UpdateCount() const { return FUpdateCount; }
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    void InsertRowBlock(int RowIndex, int RCount, bool UpdateCellControls);
    void AddRow();
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    void DeleteRowBlock(int ARow, int Count, bool Permanent);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    void RemoveDuplicates(int ACol, bool DoCase);
    void HideSelectedRows();
    void HideUnSelectedRows();
    virtual void InsertCols(int ColIndex, int CCount);
    void AddColumn() { InsertCols(ColCount(), 1); }
    virtual void RemoveCols(int ColIndex, int CCount);
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelHidden; }
    // Places the controls of the cell-control list over their cells.
    void CellControlsUpdate(bool RebuildList = false);

    // ---- cell access by index system and per-cell appearance (kv_string_grid_cells.cpp)
    // All* take a real column and a real row; the rest a real column and a display row.
    QString AllCells(int i, int j) const;
    void SetAllCells(int i, int j, const QString& Value);
    QString AllGridCells(int i, int j) const;
    void SetAllGridCells(int i, int j, const QString& Value);
    QString AllWideCells(int i, int j) const { return AllCells(i, j); }
    void SetAllWideCells(int i, int j, const QString& Value) { SetAllCells(i, j, Value); }
    QString WideCells(int i, int j) const { return Cells(i, j); }
    void SetWideCells(int i, int j, const QString& Value) { SetCells(i, j, Value); }
    // Initial column index (as the column order records it), display row.
    QString OriginalCells(int i, int j) const;
    void SetOriginalCells(int i, int j, const QString& Value);
    TObject* AllObjects(int i, int j) const;
    void SetAllObjects(int i, int j, TObject* Value);
    TObject* GetGridObjectsEx(int i, int j) const;
    TControl* CellControls(int i, int j) const;
    void SetCellControls(int i, int j, TControl* AControl);
    bool IsWideCell(int ACol, int ARow) const;
    int LinesInCell(int i, int j) const;
    TColor Colors(int i, int j) const;
    void SetColors(int i, int j, TColor Value);
    TColor ColorsTo(int i, int j) const;
    void SetColorsTo(int i, int j, TColor Value);
    TCellGradientDirection Gradients(int i, int j) const;
    void SetGradients(int i, int j, TCellGradientDirection Value);
    TFont* Fonts(int i, int j) { return GetCellFont(i, j); }
    void SetFonts(int i, int j, const TFont& Value);
    TColor FontColors(int i, int j) const;
    void SetFontColors(int i, int j, TColor Value);
    TFontStyles FontStyles(int i, int j) const;
    void SetFontStyles(int i, int j, TFontStyles Value);
    int FontSizes(int i, int j) const;
    void SetFontSizes(int i, int j, int Value);
    QString FontNames(int i, int j) const;
    void SetFontNames(int i, int j, const QString& Value);
    TAlignment Alignments(int i, int j) const;
    void SetAlignments(int i, int j, TAlignment Value);
    bool ReadOnly(int i, int j) const;
    void SetReadOnly(int i, int j, bool Value);
    bool WordWraps(int i, int j);
    void SetWordWraps(int i, int j, bool Value);
    void SetRowColor(int r, TColor Value);
    void SetRowColorTo(int r, TColor Value);
    void SetRowFontColor(int r, TColor Value);
    // The published cursor: also the one restored after temporary cursors.
    void SetCursor(TCursor Value);
    TCursor RestoreCursor() const { return FRestoreCursor; }

    // ==================== scrolling, sizing, Enter advance, border and overlays (enter_advance.cpp,
    // grid_scrolling.cpp, grid_sizing.cpp, grid_border.cpp)
    // ---- Enter and Tab advance
    // Moves the current cell on from (ACol, ARow) (display indexes) in the
    // direction Navigation prescribes; Recursing is true only for the routine's
    // own call that passes over a read-only cell.
    void AdvanceToNextCell(int ACol, int ARow, bool Edit, bool Recursing, bool Forward, bool AutoEdit, bool Force);
    // The grid's answer to the dialog-code query, from the stock grid's answer.
    unsigned DialogCodeAnswer(unsigned StockAnswer) const;
    // The ID of the form control whose editor is open (set when it opens).
    QString EditControlID;
    // The press and release at a cell's click control that an advance simulates.
    virtual void AdvanceClickControl(int X, int Y);
    std::function<void(TObject*, int OrigRow, int OrigCol, int& NewRow, int& NewCol, bool& Allow)> OnAutoAdvance;
    std::function<void(TObject*, int ACol)> OnAutoInsertCol;

    // ---- scroll bars
    enum TScrollHintType : int { shNone, shVertical, shHorizontal, shBoth };
    enum TDragScrollDirections : unsigned { dsdUp = 1, dsdDown = 2, dsdLeft = 4, dsdRight = 8 };
    void SetScrollType(TScrollType Value);
    void SetScrollColor(TColor Value);
    void SetScrollWidth(int Value);
    // The grid keeps its own copy of the bars it has beside the stock grid's.
    TScrollStyle ScrollBars() const { return FGridScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value);
    TScrollHintType ScrollHints = shNone;
    bool ScrollSynch = false;
    bool IsFlat() const { return FIsFlat; }
    bool ScrollHintShowing() const { return FScrollHintShowing; }
    QString ScrollHintText() const { return FScrollHintText; }
    void ApplyScrollBarAlways(bool Hide);
    void UpdateProportionalHorzScroll();
    void UpdateProportionalVertScroll();
    // The flat scroll bars do not exist on this platform: initialising them
    // finds no function, so IsFlat stays false and every flat call does nothing.
    void InitFlatScrollBars();
    void DoneFlatScrollBars();
    void UpdateFlatScrollBars();
    void UpdateFlatVertScroll();
    void UpdateFlatHorzScroll();
    void ShowFlatScrollBar(int Bar, bool Show);
    void FlatSetScrollInfo(int Bar, TScrollInfo& Info, bool Redraw);
    void FlatSetScrollProp(int Index, int Value, bool Redraw);
    void ApplyFlatScrollStyle();
    void ApplyFlatScrollColor();
    void ApplyFlatScrollWidth();
    // The grid's handling of WM_HSCROLL and WM_VSCROLL; the window procedure routes them here.
    void WMHScroll(TMessage& Message);
    void WMVScroll(TMessage& Message);
    // The vertical scroll bar placed on a cell that holds one, and its cell.
    TScrollBar* CellScrollBar() const;
    int FScrollCol = -1, FScrollRow = -1;
    bool LastRowAboveSearchPanel();
    void KeepLastRowAboveSearchPanel();
    // ==================== cell scroll bar placing (grid_mouse_move.cpp, kv_string_grid_rows.cpp)
    // Puts the shared cell scroll bar on the cell under the mouse, or hides it.
    void PlaceCellScrollBar(int ACol, int ARow);
    // ==================== end of cell scroll bar placing
    // Drag auto-scroll near the edges.
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    TTimer* DragScrollTimer() const { return FDragTmr; }
    unsigned DragScrollDirection() const { return FDragScrollDirection; }
    void ScreenToCell(const TPoint& pt, int& ACol, int& ARow);
    bool IsOnSizingBorder(int X, int Y);
    void StretchColumnWidth(int Index);
    bool ColchgFlg = true;
    // The colour of the up arrow marker; writing colours all four.
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);

    // ---- border, sizing lines, focus glow and design box
    void SetFitCellsInGrid(bool Value) { FFitCellsInGrid = Value; }
    // Draws the coloured border of the modern looks over the window's edge.
    void PaintBorder(TCanvas* ACanvas);
    void PaintBorder();
    // Drawn twice at the same place, a sizing line is gone again.
    void DrawColSizingLine(int X);
    void DrawRowSizingLine(int Y);
    // The glowing frame around the editor cell R (client coordinates).
    void ShowFocusWindow(const TRect& R);
    void MoveFocusWindow();
    void HideFocusWindow();
    TGridFocusWindow* FocusWindow() const;
    const TGridAlphaMask* FocusMask() const { return FFocusMask.get(); }
    // The quick-configuration box shown while the grid is designed.
    TRect DesignHelperRect();
    void PaintDesignHelper(TCanvas* ACanvas);
    // 1 "Allow edit", 2 "Column numbers", 3 "Set look", 4 close, 0 none.
    int DesignHitTest(int X, int Y);
    // The designer's mouse test: repaints the box when the item under the
    // mouse changes; true when an item claims the mouse.
    bool DesignMouseTest(int X, int Y);
    int DesignHotItem() const { return FDesignHot; }
    bool DesignColumnNumbers = false;
    TPopupMenu* DesignLookMenu() const { return FDesignLookMenu.get(); }

    // ---- footer panel and search bar
    // The search bar's buttons and edit reach these; the search code supplies them.
    virtual void SearchFooterEditChange();
    virtual void SearchFooterFindNext();
    virtual void SearchFooterFindPrevious();
    virtual void SearchFooterHighlight();
    // Fires OnSearchFooterClose and hides the search bar.
    void SearchFooterClose();
    std::function<void(TObject*)> OnSearchFooterClose;
    std::function<void(TObject* Sender, TFooterPanel* Panel)> OnCreatedFloatingFooter;
    std::function<void(TObject* Sender, TSearchPanel* Panel)> OnCreatedSearchFooter;
    // Paints a footer column (or, for the custom styles, the whole footer) in place of the grid.
    std::function<void(TObject* Sender, int ACol, TCanvas* Canvas, const TRect& R)> OnFooterPaint;
    std::function<void(TObject*, int ARow, QString& HintStr)> OnScrollHint;
    std::function<void(TObject*, int TopRow, int LeftCol, unsigned& DragScrollDir, bool& CanScroll)> OnDragScroll;
    std::function<void(TObject*, int ARow)> OnEndRowSize;

protected:
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void UpdateScrollRange() override;
    void UpdateScrollPos() override;
    void PaintNonClient(TCanvas* ACanvas) override;

private:
    void ShowScrollHint(const QString& Prefix, int Index);
    void HideScrollHint();
    void DragScrollTick();
    void FreeDragTimer();
    int ScrollScaleIndex(bool Vert, int Pos);
    bool WriteProportionalBar(int Bar, int Extent, int FixedSum, int NormalSum, int Before, int NoRoomPos);
    // Sizes every normal column (row) but Clicked by its new size over ClickedSize.
    void ScaleOtherExtents(bool Columns, int Clicked, int ClickedSize);
    TGridRect BackgroundCoverage();
    bool FAdvancing = false;
    int FAdvanceOriginCol = -1, FAdvanceOriginRow = -1;
    TScrollStyle FGridScrollBars = ssBoth;
    bool FScrollProportional = false;
    bool FIsFlat = false;
    bool FScrollHintShowing = false;
    QString FScrollHintText;
    TTimer* FDragTmr = nullptr;
    unsigned FDragScrollDirection = 0;
    bool FIsColChanging = false;
    bool FInProportional = false;
    std::unique_ptr<TGridAlphaMask> FFocusMask;
    std::unique_ptr<TPopupMenu> FDesignLookMenu;
    int FDesignHot = 0;
    void DrawSizingLine(int X1, int Y1, int X2, int Y2);
    void DesignFont(TCanvas* ACanvas);

public:
    // ==================== end of scrolling, sizing, Enter advance, border and overlays

    // ---- column order, moving, scrolling into view, ranges (kv_string_grid_order.cpp)
    void SetColumnOrder();
    void ResetColumnOrder();
    int ColumnPosition(int ACol) const;
    int ColumnAtPosition(int APos);
    int ColumnByHeader(const QString& AValue) const;
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void MoveRows(int FromIndex, int ToIndex, int Count);
    void ScrollInView(int ColIndex, int RowIndex);
    void UpdateEditMode() { SelectCell(Col(), Row()); }
    TGridRect UsedCells() const;
    bool IsIgnoredColumn(int ACol) const { return FIgnoreColumns->HasValue(ACol); }
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const;
    int SaveRowCount() const;
    bool SaveFixedCols() const { return FSaveFixedCols; }
    void SetSaveFixedCols(bool Value) { FSaveFixedCols = Value; }
    bool SaveFixedRows() const { return FSaveFixedRows; }
    void SetSaveFixedRows(bool Value) { FSaveFixedRows = Value; }
    void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }

    // ==================== sizing to content and cell calculations (grid_autosize.cpp, grid_calculations.cpp)
    // Auto-sizing only ever widens columns and heightens rows.
    bool SizeGrowOnly = false;
    // The last word on a width computed for a column (display index).
    std::function<void(TObject*, int ACol, int& AWidth)> OnUpdateColumnSize;
    // Answers ColumnCustomCalc and GroupCustomCalc; Res starts at 0.
    std::function<void(TObject*, int ACol, int FromRow, int ToRow, double& Res)> OnColumnCalc, OnGroupCalc;
    // Numbering of AutoNumberCol/AutoNumberRow: Start skips leading normal cells, Offset shifts the numbers.
    int AutoNumberStart = 0;
    int AutoNumberOffset = 0;
    TSortDirection AutoNumberDirection = sdAscending;
    // Multi-line cells go into SelectedText quoted as spreadsheets expect.
    bool ExcelClipboardFormat = false;
    // Exchanges made by SortSwapRows, and the sort's current row, which follows them.
    int Swaps = 0;
    int SortRow = -1;

    // Room the cell offset takes beside the text (both sides unless XYOffsetTopLeftOnly).
    int GetTotalXOffset() const;
    int GetTotalYOffset() const;
    // Sizes a display column to its widest measured cell.
    void FitColWidth(int Index, bool GrowOnly);
    virtual void AutoSizeRow(int ARow, int Padding);
    void FitRowHeight(int ARow, bool GrowOnly, int Padding);
    void AutoSizeRows(bool DoFixedRows, int Padding);
    // Height of Lines text lines of the row's font, plus Extra.
    void SizeRowToLines(int Index, int Lines, int Extra);
    int MaxLinesInRow(int ARow);
    // Sizes columns to every cell and grows rows (never lowers them).
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    // Scales the column widths so that they fill the grid's width.
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();

    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    double GroupCustomCalc(int ACol, int FromRow, int ToRow);
    double RowSum(int ARow, int fromCol, int toCol);
    double RowAvg(int ARow, int fromCol, int toCol);
    double RowMin(int ARow, int fromCol, int toCol);
    double RowMax(int ARow, int fromCol, int toCol);
    // The selected cells as TAB-separated columns and CR LF separated rows.
    QString SelectedText();
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    // Exchange texts and cell properties, sizes and cell controls of two storage columns or rows.
    void SwapColumns(int ACol1, int ACol2);
    void SwapRows(int ARow1, int ARow2);
    // One exchange of the sort.
    virtual void SortSwapRows(int ARow1, int ARow2);
    // The longest line, in characters, of a real column's export texts.
    int ColumnMaxTextLength(int ACol);
    // Repaints (without erasing) the cells from R's top-left to its bottom-right cell.
    void InvalidateCellRect(const TGridRect& R);

private:
    // Hands each counted value of a column calculation's rows to Add (a cell that is no
    // number is skipped), between the export notifications.
    void ForColumnCalcValues(int ACol, int FromRow, int ToRow, const std::function<void(double)>& Add);

public:
    // ==================== end of sizing to content and cell calculations

    // ==================== printing and print preview (grid_print_pages.cpp, grid_print_cells.cpp)
    // Pages are laid out in tenths of a millimetre on a canvas in the metric mapping mode, y
    // growing upwards from the page's top edge at 0. Print sends the cells to the platform
    // printer; the preview operations draw the pages PreviewPage .. PrintPageTo as large as
    // Displayrect on any canvas; PrintDraw draws the first page into DrawRect. Printer
    // failures reach the caller with the document ended and the mapping mode restored.
    void Print();
    void PrintSelection();
    void PrintRect(const TGridRect& Gridrect);
    // Selection mode: only the selected rows (and columns) are printed.
    void PrintSelectedRows();
    void PrintSelectedCols();
    void PrintPreview(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect);
    void PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect);
    void PrintDraw(TCanvas* Canvas, const TRect& DrawRect);
    void PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect);
    // The page engine on a canvas already in the metric mode: mode 0 draws a preview, 1 draws
    // on the printer or a canvas, 2 and 3 count the pages of a printer or a preview job.
    // Answers the number of pages of all column bands.
    int PrintPages(TCanvas* Canvas, int Mode, bool SelectionMode, int NrOfPages);
    // A font's point size as a (negative) height in tenths of a millimetre at the print scale
    // factor, and a height back as points.
    int MapFontHeight(int PointSize) const;
    int MapFontSize(int Height) const;

    // The last job's layout, readable after it.
    TGridRect PrintRect() const { return FPrintGridRect; }
    TRect PrintPageRect() const { return FPrintPageRect; }
    int PrintPageWidth() const { return FPrintPageWidth; }
    int PrintColStart() const { return FPrintColStart; }
    int PrintColEnd() const { return FPrintColEnd; }
    int PrintNrOfPages() const { return FPrintNrOfPages; }
    // The pages drawn: PreviewPage .. PrintPageTo; setting PreviewPage sets both ends.
    void SetPreviewPage(int Value) { FPreviewPage = FPrintPageTo = Value; }
    int PrintPageTo() const { return FPrintPageTo; }
    // The page of the last job: printer page in tenths of a millimetre, else device units.
    TRect PreviewRect() const { return FPrintPreviewRect; }
    // Skips the counting pass; a band then stops two pages past the first page drawn.
    bool FastPrint = false;
    // Follows the printer's landscape rotation for rotated text.
    bool PrinterDriverFix = false;

    std::function<void(TObject*, int NrOfPages, int& FromPage, int& ToPage)> OnPrintStart;
    std::function<void(TObject*, TCanvas*, int PageNr, int PageXSize, int PageYSize)> OnPrintPage;
    std::function<void(TObject*, int ARow, bool& NewPage)> OnPrintNewPage;
    std::function<void(TObject*, TCanvas*, int LastRow, int LastRowOffset, int LastPage, int PageXSize,
                       int PageYSize)>
        OnPrintPageDone;
    std::function<void(TObject*, int PageNr, bool& Cancel)> OnPrintCancel;
    std::function<void(TObject*, int ACol, int& Width)> OnPrintSetColumnWidth;
    std::function<void(TObject*, int ARow, int& Height)> OnPrintSetRowHeight;
    std::function<void(TObject*, double& ScaleFactor, bool& Allow)> OnFitToPage;
    // May change the size measured for a cell; Printing is set for a printed page.
    std::function<void(TObject*, TCanvas*, int ACol, int ARow, TPoint& ASize, bool Printing)> OnCustomCellSize;

private:
    friend class TGridPrintEngine;
    void PrintJob(const TGridRect& Gridrect, bool SelectionMode);
    void PreviewJob(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect, bool SelectionMode);
    TGridRect FPrintGridRect;
    TRect FPrintPageRect;
    TRect FPrintPreviewRect;
    int FPrintPageWidth = 0;
    int FPrintColStart = 0, FPrintColEnd = 0;
    int FPrintNrOfPages = 0;
    double FPrintScaleFactor = 1.0;
    bool FPrintToPrinter = false;

public:
    // ==================== end of printing and print preview

    // ---- clearing, trimming, colouring and merging ranges (kv_string_grid_ranges.cpp)
    // With SaveHiddenCells the rectangle operations take display columns.
    bool SaveHiddenCells = false;
    // Clearing then leaves the cells' properties in place.
    bool ClearTextOnly = false;
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void ClearRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    void Clear();
    void ClearAll();
    void ClearSelection();
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
    void TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
    void TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    void MergeCols(int ColIndex1, int ColIndex2, const QString& Separator);
    bool IsCell(const QString& SubStr, int& ACol, int& ARow) const;
    // Set while a footer row or a sort's scratch row is cleared: the references are moved, not freed.
    bool FNilObjects = false;
    bool FBlockCellChange = false;

    virtual void Group(int ColIndex);
    virtual void UnGroup();
    virtual void QSort();
    virtual void QUnSort();
    // The column order in the ColumnSize store (grid_layout_store.cpp).
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    virtual void RestoreCellValue();
    virtual void ScrollCell(int ACol, int ARow, int Position, int Min, int Max)
    {
        if (OnScrollCell) OnScrollCell(this, ACol, ARow, Position, Min, Max);
    }
    virtual void FilterDropDownSelect(TObject* Sender, int ItemIndex);
    virtual void UpdateColumnSize(int ACol, int& AWidth)
    {
        if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
    }
    virtual void UpdateAutoColumnSize(int ACol, int& AWidth)
    {
        if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
    }
    virtual void SyncColumnHeaders() {}
    virtual QString GetFormattedCell(int ACol, int ARow);
    virtual void ClickSort(int ACol) { if (OnClickSort) OnClickSort(this, ACol); }
    virtual void PasteCell(int ACol, int ARow, const QString& Value);
    virtual void PasteStart() {}
    virtual void PasteDone() {}
    virtual bool ToggleCellCheck(int ACol, int ARow, bool UserAction);
    virtual bool ToggleCellRadio(int ACol, int ARow, bool UserAction);
    // The room a cell's graphic claims beside its text on screen (cell_graphic_sizes.cpp).
    virtual TPoint CalcCellGraphicSize(int ACol, int ARow, int HeightReserve);
    TPoint GetCellGraphicSize(int ACol, int ARow) { return CalcCellGraphicSize(ACol, ARow, 0); }
    // The printed size of a cell's graphic in a room of W x H at a printer scale.
    virtual TPoint GetRawGraphicSize(int ACol, int ARow, int W, int H, double Scale);
    // A scroll bar with automatic range follows the height of its cell's text.
    void CellTextChanged(int ACol, int ARow) override;
    virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void InsertGridRow(int ARow);
    virtual void DeleteGridRow(int ARow);
    virtual void FilterDone();
    virtual bool RowMatchesFilter(int ARow);
    virtual void GetEvaluatedCell(int ACol, int ARow, QString& Value);
    // The text an export or save writes for a cell.
    virtual void GetSaveCellText(int ACol, int ARow, QString& Value);
    // A raw write of an imported or loaded text: no repaint, no change hooks.
    virtual void SetLoadCellText(int ACol, int ARow, const QString& Value);
    virtual void StoreOldCell(int ACol, int ARow);
    virtual void RemoveRowRange(int ARow, int Count);
    virtual void CanAddRow(bool& Allow) { if (OnCanAddRow) OnCanAddRow(this, Allow); }
    virtual void CanInsertRow(int ARow, bool& CanInsert) { if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert); }
    virtual void CellSelectorClick(int ACol, int ARow) { (void)ACol; (void)ARow; }
    virtual void MouseSelectAll() {}
    virtual void DesignHelperClick(int X, int Y);
    virtual void CheckBoxChange(int ACol, int ARow, bool State);
    virtual bool RatingChange(int ACol, int ARow, double& NewRate);
    virtual void CellChanging(int NewCol, int NewRow, bool& Allow);
    virtual bool CanShowFixedDropDown(int ACol)
    {
        bool can = true;
        if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, can);
        return can;
    }
    virtual void SubGroup(int ColIndex);
    virtual void SubUnGroup(int ColIndex);
    // The cell text stream (grid_text_file.cpp).
    virtual void SaveToStream(TStream* Stream);
    virtual void LoadFromStream(TStream* Stream);
    virtual void AutoSizeCol(int Index, int Padding);
    virtual void AutoSizeColumns(bool DoFixedCols, int Padding);
    // The column widths in the ColumnSize store (grid_layout_store.cpp).
    virtual void SaveColSizes();
    virtual void LoadColSizes();
    virtual void StretchRightColumn() { StretchColumnWidth(ColCount() - 1); }
    virtual void UpdateSearchFooter();
    virtual void ShowInplaceEdit();
    // Closes the editor when one is open and selects the current cell again.
    void HideInplaceEdit();
    void InitOrigColSizes();
    void GridFormResize(TObject* Sender);

    // ==================== file exchange (grid_exchange.cpp, grid_text_file.cpp, grid_csv.cpp,
    // grid_html_export.cpp, grid_xml_exchange.cpp, grid_office_exchange.cpp)
    // Which cells go out is the save range above; which text, GetSaveCellText; loads store
    // through SetLoadCellText.
    QChar Delimiter;              // CSV field separator; null: a comma on writing, detected on reading
    bool AlwaysQuotes = false;    // every CSV field in double quotes
    bool JavaCSV = false;         // line breaks as "~" and empty fields as "^"
    bool OemConvert = false;      // CSV text in the OEM code page
    void SetXMLEncoding(const QString& Value) { FXMLEncoding = Value; }
    void SetLoadFirstRow(bool Value) { FLoadFirstRow = Value; }
    void SetQuoteEmptyCells(bool Value) { FQuoteEmptyCells = Value; }
    // The whole percentage of an export or load done, each new value once.
    std::function<void(TObject* Sender, short Progress)> OnFileProgress;
    // An export's notifications: esExportStart with FromRow, esExportNextRow before each
    // row, esExportDone with -1 after the last.
    void ExportRows(int FromRow, int ToRow, const std::function<void(int ARow)>& WriteRow);
    // The end of every load: CellsChanged over the whole grid, then CellsLoaded.
    void NotifyCellsLoaded();
    // ---- the cell text file (ANSI, or UTF-16 LE with Unicode)
    void SaveToFile(const QString& FileName, bool Unicode = false);
    void LoadFromFile(const QString& FileName);
    // ---- CSV (MaxRows 0: all lines), fixed-width (MaxRows -1: all lines) and aligned text
    void SaveToCSV(const QString& FileName, bool Unicode = false);
    void AppendToCSV(const QString& FileName, bool Unicode = false);
    void LoadFromCSV(const QString& FileName, int MaxRows = 0);
    void InsertFromCSV(const QString& FileName, int MaxRows = 0);
    void LoadFromCSVStream(TStream* AStream, int MaxRows = 0);
    // Positions: the width of each saved column, completed from the texts when short.
    void SaveToFixed(const QString& FileName, TIntList* Positions);
    // Positions: 1-based start columns and the position after the last column (sorted here).
    void LoadFromFixed(const QString& FileName, TIntList* Positions, bool DoTrim = true, int MaxRows = -1);
    void SaveToASCII(const QString& FileName, bool Unicode = false);
    void AppendToASCII(const QString& FileName, bool Unicode = false);
    // ---- HTML (Dir: the folder, ending with "/", where "images" are written)
    QString SaveToHTMLString(const QString& Dir);
    void SaveToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    void AppendToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    // With URLShow, a web or mail address in the text becomes a link.
    QString LinkURLText(const QString& Text) const;
    // ---- XML (FieldDescr may be null)
    void SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                   const TStrings* FieldDescr, bool ExportEmptyCells);
    void LoadFromXML(const QString& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);
    // ---- workbooks, documents and databases (through platform/office)
    std::unique_ptr<TStringList> GetXLSSheets(const QString& FileName);
    void LoadFromXLS(const QString& Filename);
    void LoadFromXLSSheet(const QString& Filename, const QString& SheetName);
    void SaveToXLS(const QString& Filename, bool CreateNewSheet = false);
    void SaveToXLSSheet(const QString& Filename, const QString& SheetName);
    void SaveToDOC(const QString& Filename, bool CreateNewDocument = false);
    void AppendToDoc(const QString& Filename, const QString& Bookmark);
    void LoadFromMDBTable(const QString& Filename, const QString& Table);
    void LoadFromMDBSQL(const QString& Filename, const QString& SQL);

protected:
    void WriteCSV(const QString& FileName, bool Append, bool Unicode);
    void ReadCSVFile(const QString& FileName, bool Insert, int MaxRows);
    void ReadCSVStream(TStream* Stream, bool Insert, int MaxRows);
    void WriteASCII(const QString& FileName, bool Append, bool Unicode);
    void WriteHTMLFile(const QString& FileName, bool Append, bool Unicode, bool Show);
    void ImportXLS(const QString& Filename, const QString& SheetName);
    void ExportXLS(const QString& Filename, const QString& SheetName, bool CreateNewSheet);
    void ExportDOC(const QString& Filename, const QString& Bookmark, bool Append, bool CreateNewDocument);

private:
    void ReadCSVText(const QString& Text, bool Insert, int MaxRows);
    void ImportXLSSheet(const QString& Filename, const QString& SheetName);
    // The content of an HTML table cell: its text with the cell's pictures written to
    // Dir + "images"; false when the cell writes no table cell at all.
    bool AddCellWithGraphic(int RealCol, int ARow, const QString& Text, const QString& Dir, int& ImageNumber,
                            QString& Content);

public:
    // ==================== end of file exchange

    // ==================== layout persistence (grid_layout_store.cpp)
    // Count, widths, order and visibility of the columns as one text.
    QString ColumnStatesToString();
    void StringToColumnStates(const QString& Value);
    // Colours, fonts and looks: one "Name=Value" line each.
    void SaveVisualProps(const QString& FileName);
    void LoadVisualProps(const QString& FileName);
    // The print settings in a section of an INI file.
    void SavePrintSettings(const QString& Key, const QString& Section);
    void LoadPrintSettings(const QString& Key, const QString& Section);
    // ==================== end of layout persistence

    // ==================== in-place editing core (kv_string_grid_edit.cpp, kv_string_grid_edit_validate.cpp,
    // kv_string_grid_edit_entry.cpp)
    // ---- editing state: plain fields the grid's editors read and write
    TEditorType EditControl = edNormal;  // kind of the editor opening or open on the current cell
    bool FEditing = false;               // an edit runs and has not been validated yet
    bool FSpecialEditor = false;         // the open editor is a special control, not the text editor
    bool FEditActive = false;            // a special editor is shown; its hiding ends the edit
    QChar FStartEditChar;                // the key that started editing, replayed once into a new editor
    bool FBlockKill = false;             // a special editor's value is being stored
    bool FSpinUpClick = false, FSpinDnClick = false;
    QString FCellCache;                  // the current cell's text when editing started
    bool FNoEditChange = false;          // the grid itself loads text into an editor
    double FOriginalDateTime = 0;
    int MaxComboLength = 0;
    // ---- validation state
    int FOldCol = -1, FOldRow = -1;      // the cell remembered at the start of an edit (display column)
    QString FOldCellText, FOldCellTextWide;
    bool FOldModifiedValue = false;
    QString FNewCellText;                // the value the last validation ended with
    bool FValidating = false;
    bool FAlwaysValidate = false;
    bool FGridModified = false;
    bool FEditDisable = false;
    QString FEditWideText;
    int FOldRowSel = -1;                 // the row OnRowChanged last reported
    bool FForceSel = false;
    bool FBlockFocus = false;
    bool InvokedFocusChange = false;
    QString InvalidEntryTitle, InvalidEntryText;
    void SetInvalidEntryIcon(TInvalidEntryIcon Value) { FInvalidEntryIcon = Value; }
    bool Modified() const { return FGridModified; }
    void SetModified(bool Value) { FGridModified = Value; }
    bool LastValidation() const { return FLastValidation; }
    // ---- settings the text and combo editors read
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    QString ValidChars;
    std::bitset<256> ValidCharSet;
    bool ExcelStyleDecimalSeparator = false;
    // Cells hold lines: painted line by line, edited in a multi-line editor.
    bool MultilineCells = false;
    bool EditWithTags = false;
    bool LButFlg = false;                // the editor was opened by a left-button press

    // ---- editor dispatch
    void HideCellEdit();
    void ShowCellEdit();
    TGridCombo* EditCombo() const;
    // ---- the editors of the spin, button, check box, date and unit kinds (grid_editor_rows.cpp):
    // the check box, the two button editors and the cell button are made with the grid, the spin,
    // date and date-and-time editors on first use.
    class TGridCheckBox* EditCheck() const;
    class TGridEditBtn* EditBtn() const;
    class TGridUnitEditBtn* UnitEditBtn() const;
    class TGridButton* GridButton() const;
    class TGridSpin* GetEditSpin();
    class TGridDatePicker* GetEditDate();
    TGridDatePicker* DateTimePicker() { return GetEditDate(); }
    class TGridDateTimePicker* GetEditDateTime();
    std::function<void(TObject*, int ACol, int ARow, int Value, bool UpDown)> OnSpinClick;
    std::function<void(TObject*, int ACol, int ARow, double Value, bool UpDown)> OnFloatSpinClick, OnDateSpinClick,
        OnTimeSpinClick;
    std::function<void(TObject*, const QString& Value, double& ADate)> OnCustomStrToDate;
    // ---- the drop-down editors of the kinds edTrackbarDropDown to edKvGridDropDown
    // (grid_dropdown_rows.cpp), made on first use.
    class TGridTrackbarDropDown* GetEditTrackBar();
    class TGridMemoDropDown* GetEditMemo();
    class TGridCalculatorDropDown* GetEditCalculator();
    class TGridTimepickerDropDown* GetEditTimePicker();
    class TGridDetailPickerDropDown* GetEditDetailPicker();
    class TGridGridDropDown* GetEditGridPicker();
    class TGridColorDropDown* GetEditColorPicker();
    class TGridImageDropDown* GetEditImagePicker();
    class TGridKvGridDropDown* GetEditKvGridPicker();
    // Before the colour editor's choice is stored (real column): the colour and its text may be changed.
    std::function<void(TObject*, int ACol, int ARow, TColor& Color, QString& Value)> OnColorSelected;
    // Before the image editor's choice is stored (real column): the image index may be changed.
    std::function<void(TObject*, int ACol, int ARow, int& Index)> OnImageSelected;
    // ---- validation
    virtual bool ValidateCell(const QString& NewValue);
    virtual bool ValidateCellWide(const QString& NewValue);
    bool EditorWantsTab();
    // The click on the grid: the stock click, then the cell is remembered as the start of an edit.
    void Click() override;
    // ---- entry points
    void DoneInplaceEdit(WORD Key, TShiftState Shift);
    // Ends an edit: OnEditingDone, EditMode off, "GridEditDone" posted to the grid with both values.
    void PostEditDone(WPARAM wParam, LPARAM lParam);
    QString CurrentCell();
    void SetCurrentCell(const QString& Value);
    QString GetCurrentCell() { return CurrentCell(); }
    QString GetCurrentCellText();
    void SetCurrentCellText(const QString& Value);
    TEditorType CurrentEditor() const { return EditControl; }
    QString EllipsClick(const QString& Text);
    void DropDownHeaderButtonClick(int ButtonIndex);
    void DropDownFooterButtonClick(int ButtonIndex);
    void MemoDropDownChange(const QString& Text);
    void UnitChanged(TObject* Sender, const QString& AUnit);
    // Installed as an event filter on a custom editor's edit control: with goTabs the control
    // claims the arrows, Tab and all keys from the form.
    void EditLinkControlWndProc(TWinControl* Control);
    // ---- hooks the text editor calls (empty here)
    virtual void InplaceEditWMKeyDown(WORD& Key, TShiftState Shift) { (void)Key; (void)Shift; }
    virtual void InplaceEditKeyDown(WORD& Key, TShiftState Shift) { (void)Key; (void)Shift; }
    virtual void InplaceEditChange(const QString& Text, TPoint Pos, int Caret)
    {
        (void)Text; (void)Pos; (void)Caret;
    }
    virtual void FormulaEditing(bool Value) { (void)Value; }
    // ---- moves the editors ask of the grid: the Enter advance and the grid's Tab key.
    virtual void EditorAdvanceToNextCell(int ACol, int ARow, bool Edit, bool Recursing, bool Forward,
                                         bool AutoEdit, bool Force);
    virtual void EditorTabToNextCell(TShiftState Shift);
    // Appends a row when the current row is the last normal one; true when it did.
    virtual bool EditorAppendRow();
    // Sizing while typing (SizeWhileTyping): after a key in the text editor, and with LineBreak
    // when Ctrl or Shift+Enter starts a new line.
    virtual void EditorSizeWhileTyping(const QString& Text, bool LineBreak);
    // ---- events of editing and validation
    std::function<void(TObject*, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidate,
        OnCellValidateWide;
    std::function<void(TObject*, int OldRow, int NewRow, bool& Allow)> OnRowChanging;
    std::function<void(TObject*, int OldCol, int NewCol, bool& Allow)> OnColChanging;
    std::function<void(TObject*, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)> OnCellChanging;
    std::function<void(TObject*, int ARow, int ACol)> OnGetEditorPropInt;
    std::function<void(TObject*)> OnEditingDone;
    std::function<void(TObject*, int ACol, int ARow, QString& S)> OnEllipsClick;
    std::function<void(TObject*, int ACol, int ARow, int ButtonIndex)> OnDropDownHeaderButtonClick,
        OnDropDownFooterButtonClick;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardCopy, OnClipboardCut, OnClipboardPaste;
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)> OnClipboardBeforePasteCell;
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnClipboardAfterPasteCell;

protected:
    bool SelectCell(int ACol, int ARow) override;
    virtual void ShowEditControl(int ACol, int ARow);
    virtual void HideEditControl(int ACol, int ARow);
    void DoEnter() override;
    void DoExit() override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;

private:
    friend class TKvInplaceEdit;
    friend struct TGridEditorRows;
    friend struct TGridDropDownRows;
    TGridSpin* FEditSpin = nullptr;
    TGridDatePicker* FEditDate = nullptr;
    TGridDateTimePicker* FEditDateTime = nullptr;
    TGridTrackbarDropDown* FEditTrackBar = nullptr;
    TGridMemoDropDown* FEditMemo = nullptr;
    TGridCalculatorDropDown* FEditCalculator = nullptr;
    TGridTimepickerDropDown* FEditTimePicker = nullptr;
    TGridDetailPickerDropDown* FEditDetailPicker = nullptr;
    TGridGridDropDown* FEditGridPicker = nullptr;
    TGridColorDropDown* FEditColorPicker = nullptr;
    TGridImageDropDown* FEditImagePicker = nullptr;
    TGridKvGridDropDown* FEditKvGridPicker = nullptr;
    // Types the key that started the edit into the editor that has just taken the focus.
    // It is sent at once, not posted: keys typed after it may already wait in the queue
    // ahead of anything posted now, and must land after it.
    void ReplayStartEditChar(TWinControl* Editor);
    // The combo-list rule for a cell text that is no item; true when it fell back to item 0.
    bool PreselectComboList(TGridCombo* Combo, int RealCol, int ARow, int ACol);
    void ShowComboControl(TGridCombo* Combo, int ACol, int ARow, const TRect& R, int W, int H, TColor BkColor);
    void ShowInvalidEntryBalloon();
    // The background colour, font and horizontal alignment a cell shows (display column).
    TColor CellEditorLook(int ACol, int ARow, TFont* Font, TAlignment& HA);

public:
    // ==================== end of in-place editing core

    // ==================== rich-text and custom editors, drag start and moving feedback
    // (kv_string_grid_edit_custom.cpp, grid_drag_start.cpp; the editors in kv_rich_edit.*, edit_link.*,
    // the drag-and-drop classes in ksg_drag_drop.*)
    // The grid's custom editor; a column's link takes its place in the column's cells.
    class TEditLink* EditLink() const { return FGridEditLink; }
    void SetEditLink(class TEditLink* Value);
    // The link of the cell the editor query last looked at.
    class TEditLink* CurrentEditLink() const { return FEditLink; }
    // The zero-size converter of rich-text cells and the in-place rich editor, made on first use.
    class TKvRichEdit* RichEdit();
    class TKvRichEdit* InplaceRichEdit();
    std::function<void(TObject*)> OnRichEditSelectionChange;
    // Takes back the key claim EditLinkControlWndProc installed.
    void RestoreEditLinkControlWndProc(TWinControl* Control);
    // The floating image of cells (a no-activate stay-on-top form at opacity 192, owned by the grid).
    TNoActiveForm* SelectionToForm(const TGridRect& ARect);
    TNoActiveForm* MoveForm() const { return FMoveForm; }
    void FreeMoveForm();
    THeaderDragButton* MoveButton() const;
    // The drop-position arrows: up and down for columns, left and right for rows.
    TArrowWindow* ArwU() const { return DropArrow(arrUp); }
    TArrowWindow* ArwD() const { return DropArrow(arrDown); }
    TArrowWindow* ArwL() const { return DropArrow(arrLeft); }
    TArrowWindow* ArwR() const { return DropArrow(arrRight); }
    TGridRect DropSelection() const { return FDropSelection; }
    bool SelectionClickArmed() const { return FSelectionClick; }
    // The drag source of a drag out of the grid.
    std::unique_ptr<class TKSGDropSource> CreateDropSource();
    // ---- the geometry of dragging, in screen pixels
    // A drag starts only more than 3 px away from the press, on either axis.
    static bool DragThresholdPassed(const TPoint& Down, const TPoint& Now);
    struct TDropArrowPlaces {
        TPoint First, Second; // columns: up, down arrow; rows: left, right arrow (top-left corners)
    };
    // From the screen rectangle of the header cell where the column would go.
    static TDropArrowPlaces ColumnArrowPlaces(const TRect& Cell, bool MovingLeft);
    // From the screen rectangle of the fixed cell of the row where the row would go.
    static TDropArrowPlaces RowArrowPlaces(const TRect& Cell, bool MovingUp);
    // The picture of the cells from the top-left to the bottom-right cell rectangle.
    static TSize SelectionImageSize(const TRect& TopLeftCell, const TRect& BottomRightCell);
    // Where the floating image of that width goes for the mouse at a screen point.
    TPoint FloatingImagePlace(const TPoint& ScreenPt, int ImageWidth);
    std::function<void(TObject*, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrag;
    std::function<void(TObject*, int ARow, int ACol)> OnOleDragStart;
    std::function<void(TObject*, uint32_t Effect)> OnOleDragStop;
    std::function<void(TObject*, int ACol, bool& Allow)> OnColumnMove, OnColumnMoving;
    std::function<void(TObject*, int ARow, bool& Allow)> OnRowMove, OnRowMoving;

protected:
    // Step 9 of the mouse move: the start of a drag out of the grid and the feedback of moving.
    void DragStartAndMoveFeedback(int X, int Y, int ACol, int ARow, bool InResizeZone);
    // The editor query's choice of link for the cell (a column's link).
    void SetCurrentEditLink(class TEditLink* Value) { FEditLink = Value; }

private:
    friend class TKvRichEdit;
    friend class TEditLink;
    void ShowCustomEditControl(int ACol, int ARow, const TRect& R, TColor BkColor, TFont* Font);
    void ShowRichEditControl(int ACol, int ARow, const TRect& R, TColor BkColor);
    void HideCustomEditControl(int RealCol, int ARow);
    void HideRichEditControl(int RealCol, int ARow);
    // A link being destroyed is forgotten.
    void ForgetEditLink(TComponent* AComponent);
    TArrowWindow* DropArrow(TArrowDirection Direction) const;
    void OleDragStart(int X, int Y, int ACol, int ARow);
    void MoveFeedback(int X, int Y, int ACol, int ARow);
    // Shows an overlay (arrow, button) at a screen point over the grid's form.
    void PlaceOverlay(TControl* Overlay, const TPoint& ScreenPt);
    void ShowMoveForm(const TGridRect& Cells, const TPoint& ScreenPt);
    // Hides the move button and the arrows and frees the image.
    void EndMoveFeedback();
    class TEditLink* FGridEditLink = nullptr;
    class TEditLink* FEditLink = nullptr;
    class TKvRichEdit* FRichEdit = nullptr;
    class TKvRichEdit* FInplaceRichEdit = nullptr;
    TNoActiveForm* FMoveForm = nullptr;

public:
    // ==================== end of rich-text and custom editors, drag start and moving feedback

    // ---- events
    std::function<void(TObject*, int ARow, int ACol, QString& Hint)> OnGridHint, OnGridWideHint;
    std::function<void(TObject*, int ARow, int ACol, TGridDrawState, TBrush*, TFont*)> OnGetCellColor,
        OnGetCellPrintColor;
    std::function<void(TObject*, int ARow, int ACol, TPen*, TCellBorders&)> OnGetCellBorder, OnGetCellPrintBorder;
    std::function<void(TObject*, int ARow, int ACol, TAlignment&, TVAlignment&)> OnGetAlignment;
    std::function<void(TObject*, int ACol, TSortStyle&, QString&, QString&)> OnGetFormat;
    std::function<void(TObject*, int ACol, int ARow, TEditorType&)> OnGetEditorType;
    std::function<void(TObject*, int ARow, int ACol, bool&)> OnIsFixedCell, OnCanEditCell, OnIsPasswordCell;
    std::function<void(TObject*, int ACol, int ARow, bool&)> OnGetWordWrap, OnHasComboBox, OnHasSpinEdit;
    std::function<void(TObject*, int ACol, int ARow, QString&)> OnGetCheckTrue, OnGetCheckFalse;
    std::function<void(TObject*, int Column, TStrings* Filter)> OnGetColumnFilter;
    std::function<void(TObject*, int ACol, int ARow, int X, int Y, TCursor&)> OnGetCellCursor;
    std::function<void(TObject*, const QString&, int ACol, int ARow, int SearchAction)> OnSearchFooterAction;
    std::function<void(TObject*, int ACol, int ARow)> OnButtonClick;
    std::function<void(TObject*, int ACol, const QString& NewUnit, int ARow)> OnUnitChanged;
    std::function<void(TObject*, int ACol, int ARow, bool Expanded)> OnExpandClick;
    std::function<void(TObject*, int ARow, int ACol)> OnComboCloseUp, OnComboDropDown;
    std::function<void(TObject*, int ACol, int ARow, class TEditLink* AEditLink)> OnGetEditorProp;
    std::function<void(TObject*, int ACol, int ARow, QString&)> OnFooterCalc;
    std::function<void(TObject*, const TGridRect&)> OnCellsChanged;
    std::function<void(TObject*, int ACol, int ARow, double Value)> OnDateTimeChange;
    std::function<void(TObject*, int ACol, int ARow, const QString& Value)> OnEditChange;
    std::function<void(TObject*, int ACol, int ARow)> OnDatePickerCloseUp, OnDatePickerDropDown;
    std::function<void(TObject*, int ARow, bool Value, bool& Allow)> OnRowDisjunctSelect;
    std::function<void(TObject*, int ARow)> OnRowDisjunctSelected;
    std::function<void(TObject*, int ACol, int ARow, QString&)> OnGetEditMask;

    // ==================== cell painting (kv_string_grid_paint.cpp, cell_text_draw.cpp,
    // cell_graphics_draw.cpp)
    // Resolves one cell's brush, font, gradient, alignment, word wrap and draw state.
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;
    // The font a cell is measured with.
    void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                           bool Remap);
    void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    // Horizontal and vertical alignment of a cell's text.
    void CalcCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA);
    // Size the text of (display column, row) needs; VS reserves a vertical scroll
    // bar, SB measures word-wrapped in the cell's own width.
    TSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
    TSize CalcCellTextExtent(int RCol, int DCol, int ARow, bool VS, bool SB);
    void DrawSortIndicator(TCanvas* ACanvas, int ACol, int Y, int X);
    // A rich-text cell is drawn by its plain text.
    void DrawRTFCell(int ACol, int ARow, TRect ARect, TCanvas* ACanvas);
    // Whether a cell shows the sort glyph (real column).
    bool ShowsSortIndicator(int RCol, int ARow);
    // Whether a normal cell is selected (disjunct cell, row or column selection, else the range).
    bool IsSelected(int ACol, int ARow);
    // What a cell's graphic needs before its text is laid out.
    struct TCellGraphicInfo {
        TCellGraphic* Graphic = nullptr;
        int Width = 0;
        int Height = 0;
        bool ShowText = true;
        TCellHAlign HAlign = haLeft;
        TCellVAlign VAlign = vaTop;
    };
    TCellGraphicInfo GetCellGraphicInfo(int ACol, int ARow);
    void DrawCheck(TCanvas* ACanvas, TRect R, bool Checked, bool Enabled, bool Grayed, TControlStyle Style,
                   bool TriState, TCheckBoxState State);
    void DrawRadioButtons(TCanvas* ACanvas, TRect R, int Count, int ItemIndex, bool Horizontal, bool Disabled,
                          const TStrings* Items, bool Selected, int ACol, int ARow, TControlStyle Style,
                          double Scale, bool Upward);
    // The painting's own settings.
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
    void SetURLColor(TColor Value);
    bool URLUnderlineOnHover = false;
    bool EnhTextSize = false;
    bool HideFocusRect = false;
    bool NoImageAndText = false;
    bool NoDefaultDraw = false;
    bool XYOffsetTopLeftOnly = false;
    bool SelectionRTFKeep = false;
    bool AutoNumAlign = false;
    // Images of the image-list, data-image and images cells (not owned).
    TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TImageList* Value);
    TColor SelectionRectangleColor = clBlack;
    int ZoomFactor = 0;
    int FilterDropDownRow = -1;
    // Set while the grid is printing: the print hooks and no selection colours.
    bool Printing = false;
    // What the last painted cell measured (text width + 2) and the last vertical text flag.
    int LastTextWidth = 0;
    // Whether the system draws themed parts (check boxes, progress bars).
    bool VisualStylesActive() const;
    std::function<void(TObject*, int ARow, int ACol, TColor&, TColor&, TColor&, TColor&, TCellGradientDirection&)>
        OnGetCellGradient;
    std::function<void(TObject*, TCanvas*, int ACol, int ARow, TGridDrawState, TRect, bool Printing)>
        OnCustomCellBkgDraw, OnCustomCellDraw;
    std::function<void(TObject*, int ARow, int ACol, TPen* LeftPen, TPen* TopPen, TPen* RightPen, TPen* BottomPen)>
        OnGetCellBorderProp;
    std::function<void(TObject*)> OnPainted;
    std::function<void(TObject*, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)> OnGetFloatFormat;
    // Pieces of the cell content, in the order they are painted.
    bool LookAfterClassic() const;
    void DrawCellText(TCanvas* ACanvas, int ACol, int ARow, TRect R, TGridDrawState AState, TAlignment HA,
                      TVAlignment VA, bool WW, const TCellGraphicInfo& GI, bool FilterButton, TColor PlainBrush,
                      TColor PlainFont, bool FixedCell);
    void DrawCellBorders(TCanvas* ACanvas, int RC, int ARow, const TRect& R);
    void DrawCellGraphic(TCanvas* ACanvas, int ACol, int ARow, TRect& R, TGridDrawState AState,
                         const TCellGraphicInfo& GI, TAlignment HA, TVAlignment VA);
    void PaintEmptyArea(TCanvas* ACanvas);

    // ==================== styles and looks (grid_styles.cpp)
    virtual void SetStyle(TKvGridStyle AStyle);
    void SetTheme(TXPColorScheme Scheme);
    // Follows the detected Office colour theme (never at design time).
    void UpdateOfficeTheme();
    const TColorTones& ColorTones() const { return FTones; }
    TQRVStyle ComponentStyle() const { return FComponentStyle; }
    static void LookToString(TGridLook Look, QString& Text);
    static void LookToDisplayName(TGridLook Look, QString& Text);
    bool HasSortIndicator(int ACol, int ARow);
    // Repaints the header cells of two cells (the old and the new current cell).
    void RepaintActiveHeaders(int Col1, int Row1, int Col2, int Row2);
    // The thin scroll controls of the metro scroll type, made once.
    void CreateMetroScrollControls();
    TScrollControl* FVScrollControl = nullptr;
    TScrollControl* FHScrollControl = nullptr;
    bool URLShowInText() const { return FURLShowInText; }
    void SetURLShowInText(bool Value);
    std::function<void(TObject*, bool& CanAdd)> OnCanAddRow;
    std::function<void(TObject*, int ARow, bool& CanInsert)> OnCanInsertRow;
    TColorTones FTones;
    TQRVStyle FComponentStyle = tsCustom;
    int FLastOfficeTheme = 10; // the last Office theme applied (TOfficeTheme), unknown at first
    // ==================== end of styles and looks

    // ==================== headers, marks, checking, fills, typed values (kv_string_grid_values.cpp)
    void ShowColumnHeaders();
    void ShowRowHeaders();
    void ClearColumnHeaders();
    void ClearRowHeaders();
    QString HilightText(bool DoCase, const QString& S, const QString& Text);
    QString MarkText(bool DoCase, const QString& S, const QString& Text);
    QString UnHilightText(const QString& S);
    QString UnMarkText(const QString& S);
    void HilightInRange(const QString& HiText, const QString& Tag, bool DoCase, int FromCol, int FromRow,
                        int ToCol, int ToRow);
    void UnHilightInRange(const QString& Tag, int FromCol, int FromRow, int ToCol, int ToRow);
    void HilightInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void MarkInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);
    // The optional cell checker (not owned).
    TKvStringGridCheck* CellChecker = nullptr;
    bool CheckCell(int Col, int Row);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int Col);
    bool CheckRow(bool DoFixed, int Row);
    bool CheckGrid(bool DoFixed);
    void TextFill(bool DoFixed, const QString& Txt);
    void FormatFill(bool DoFixed, const QString& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    // The displayed text without its tags.
    QString StrippedCells(int ACol, int ARow);
    int Ints(int ACol, int ARow);
    int AllInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    double Floats(int ACol, int ARow);
    double AllFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);
    void SetShowNullDates(bool Value) { FShowNullDates = Value; }
    double Dates(int ACol, int ARow);
    void SetDates(int ACol, int ARow, double Value);
    double Times(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, double Value);
    QString ControlValues(int ACol, int ARow, const QString& ID);
    void SetControlValues(int ACol, int ARow, const QString& ID, const QString& Value);
    // Printed column widths and offsets of the last print layout (filled by printing), for
    // the columns 0 .. 511 or, after a wider job, up to its last column.
    int PrintColWidth(int ACol) const;
    int PrintColOffset(int ACol) const;
    // Both sized to the grid's columns + 1 (the offsets' extra entry), never below 513.
    std::vector<int> FPrintColWidths = std::vector<int>(513);
    std::vector<int> FPrintColOffsets = std::vector<int>(513);
    void RowRange(bool DoFixed, int& From, int& To) const;
    void ColRange(bool DoFixed, bool WithHidden, int& From, int& To) const;
    void TagInCol(bool DoFixed, bool DoCase, int Col, const QString& Text, const QString& Tag);
    void TagInRow(bool DoFixed, bool DoCase, int Row, const QString& Text, const QString& Tag);
    void TagInGrid(bool DoFixed, bool DoCase, bool WithHidden, const QString& Text, const QString& Tag);
    void FillRange(bool DoFixed, const std::function<void(int, int)>& Fill);
    // ==================== end of headers, marks, checking, fills, typed values

    // ==================== background and balloons (grid_background.cpp)
    // The background behind one cell's text rectangle T.
    void PaintCellBackground(TCanvas* ACanvas, int ACol, int ARow, const TRect& T, TGridDrawState AState);
    void BalloonInit();
    void BalloonDone();
    bool BalloonInitialised() const { return FBalloonInit; }
    // The title, text and icon a balloon shows for a cell, prepared as it is shown.
    void GetBalloonContent(int ACol, int ARow, QString& Title, QString& Text, int& Icon);
    // Shows the balloon of a cell (when balloons are enabled).
    void ShowCellBalloon(int ACol, int ARow);
    std::function<void(TObject*, int ACol, int ARow, QString& Title, QString& Text, int& Icon)> OnCellBalloon;
    TBalloonHint* FBalloonHint = nullptr;
    bool FBalloonInit = false;
    TPoint FLastBalloonCell{-1, -1};
    // The notifications of the grid's child windows: tooltip text requests and
    // the date editors' changes.
    void WMNotify(TMessage& Message);
    // ==================== end of background and balloons

    // ==================== painting pieces (kv_string_grid_paint.cpp, kv_string_grid_values.cpp)
    // The button look of always-visible editor buttons and cell buttons (ebsThemed .. ebsTones).
    int CellButtonStyle();
    int HoveredAnchor(int ACol, int ARow, const struct THTMLTextParams& P);
    void DrawCellScrollBar(TCanvas* ACanvas, int RC, int ARow, TRect& R);
    void DrawListViewHeader(TCanvas* ACanvas, const TRect& R);
    void DrawTreeLines(TCanvas* ACanvas, int ARow, TRect R);
    // The drop-down editors created so far, and the style passed on to them.
    std::vector<TComponent*> CreatedDropDownEditors() const;
    void StyleDropDownEditors(TQRVStyle AStyle);
    // Four numbers from the version number, highest byte first; writing is ignored.
    QString Version() const;
    void SetVersion(const QString&) {}
    // Change handlers wired by the constructor.
    void AppearanceChanged(TObject* Sender);
    void MergedColumnsChanged(TObject* Sender);
    void RichSelectionChanged(TObject* Sender);
    void CellImagesChanged(TObject* Sender, int ACol, int ARow);
    // The position of the cell scroll bar being painted, by which the text moves up.
    int FPaintScrollPos = 0;
    bool FURLShow = false;
    bool FURLFull = false;
    bool FURLShowInText = false;
    TImageList* FGridImages = nullptr;
    // ==================== end of painting pieces
    // ==================== end of cell painting

    // ==================== sorting (grid_sort.cpp)
    // The sorts rearrange the normal rows (FixedRows .. RowCount - FixedFooters - 1)
    // in place: fixed and footer rows stay, rows hidden by a filter or a contracted
    // node take no part, and the cells of hidden columns travel with their rows.
    // QSort, QSortIndexed, QSortGroup, QSortGroupIndexed, QUnSort and InitSortXRef
    // are declared beside the code that calls them.
    void Sort(int ACol, TSortDirection Direction);
    void SortByColumn(int ACol);
    // Rows Left .. Right by ACol in the settings' direction, without the update
    // bracket, the current row or the footers.
    void QuickSort(int ACol, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    // Swaps the two rows when they compare as SortDir on ACol, or on the next
    // columns while they tie; true when it swapped.
    bool SortLine(int ACol, int ARow1, int ARow2);
    // 1 when ARow1's cell sorts after ARow2's, -1 before, 0 equal; Dir 0 is
    // ascending, 1 descending (it only places the blanks).
    int SortCompareCells(int ACol, int ARow1, int ARow2, int Dir);
    // The cells of ACol in the settings' direction; with Full a tie goes on to the next columns.
    int SortCompareRows(int ACol, int ARow1, int ARow2);
    // 1 when ARow1 comes after ARow2 by the index list from entry Index on.
    int SortCompareRowsIndexed(int Index, int ARow1, int ARow2);
    // The sign of the running or last range sort: 1 ascending, -1 descending.
    int SortDir = 1;
    // The cell comparisons made (each SortCompareCells counts one).
    int Compares = 0;
    // Res starts at 0, equal.
    std::function<void(TObject*, const QString& Str1, const QString& Str2, int& Res)> OnCustomCompare;
    std::function<void(TObject*, int ACol, int Row1, int Row2, int& Res)> OnRawCompare;

private:
    enum TSortKind : int { skColumn, skIndexed, skGroup, skGroupIndexed };
    void RunSort(TSortKind Kind);
    void SortRowRange(int ACol, int Lo, int Hi);
    void SortRowRangeIndexed(int Lo, int Hi);
    void UnSortRowRange(int Lo, int Hi);
    void SortNodeGroups(bool Indexed);
    // Three empty rows appended while a sort runs; the middle one holds the
    // pivot, and the display-text hooks never see them. Returns the row count before.
    int AddSortScratchRows();
    void RemoveSortScratchRows(int OldRowCount);
    // Runs Sort with the scratch rows in place; Last is the last row before them.
    void WithSortScratchRows(const std::function<void(int Last)>& Sort);
    int SortPivotRow() const { return RowCount() - 2; }
    void CopyToSortPivot(int ARow);

public:
    // ==================== end of sorting

    // ==================== filtering (grid_filter.cpp)
    // Every ApplyFilter hides the normal rows that fail the Filter as one new
    // level of the hidden-row store; RemoveLastFilter shows the last level again.
    void FilterRow(int ARow);
    void ApplyFilter();
    bool RemoveLastFilter();
    void RemoveAllFilters();
    // Filters as the user types: one character more pushes a level, one less
    // pops it, anything else starts again. AColumn -1 matches anywhere in a row.
    void NarrowDown(const QString& ACondition, int AColumn);
    // The filter check list's choice: one condition per checked entry, joined by foOR.
    virtual void FilterDropDownCheck(TObject* Sender, int ItemIndex);
    // Only a fixed row can show the filter buttons; another value is ignored.
    void SetFilterDropDownRow(int Value);
    void SetFilterNormalCellsOnly(bool Value) { FFilterNormalCellsOnly = Value; }
    void SetAutoFilterUpdate(bool Value) { FAutoFilterUpdate = Value; }
    std::function<void(TObject*, int ARow, bool& AcceptRow)> OnCustomFilter;
    std::function<void(TObject*, short Progress)> OnFilterProgress;
    std::function<void(TObject*, int Column, int ItemIndex, const QString& FriendlyName, QString& FilterCondition)>
        OnFilterSelect;
    std::function<void(TObject*, int Column, int ItemIndex, const QString& FriendlyName, QString& FilterCondition,
                       TCheckListBox* CheckList)>
        OnFilterCheck;

private:
    // Entry Index of the filter list as caption and condition; the clear entry has no condition.
    void SplitFilterEntry(int Index, QString& Caption, QString& Condition) const;
    QString FilterCellText(const TFilterData* F, int ARow);
    bool FFilterActive = false;
    // The fixed rows when the filter was applied; -1 before any filter.
    int FFilterFixedRows = -1;
    QString FLastFilter;

public:
    // ==================== end of filtering

    // ==================== search and replace (grid_find.cpp)
    // The next matching cell after StartCell in the scan order of FindParams
    // ((-1, -1) starts at the first cell of the range); (-1, -1) when there is
    // none. The scan never wraps around.
    TPoint Find(TPoint StartCell, const QString& S, TFindParameters FindParams);
    // The same without scrolling.
    TPoint FindWide(TPoint StartCell, const QString& S, TFindParameters FindParams);
    TPoint FindFirst(const QString& S, TFindParameters FindParams);
    TPoint FindNext();
    // Replaces every OrigStr (case-insensitively) by NewStr in each cell found;
    // the number of cells changed.
    int Replace(const QString& OrigStr, const QString& NewStr, TFindParameters FindParams);
    // The first row whose cell in the sort or first column starts with S (given
    // in upper case), markup ignored; -1 when none.
    int Search(const QString& S);
    // The display row of the contracted node that hides the row of real index
    // ARow; -1 when none does.
    int FindNodeRowOfHidden(int ARow);
    // The change handler of the header-cell editors.
    void FixedCellEditChange(TObject* Sender);
    TFindParameters FindParams() const { return FFindParams; }
    // The last hit, (-1, -1) for none; the last search text (upper case unless matching case).
    TPoint SearchCell{-1, -1};
    QString SearchCache, SearchCacheWide;
    // The column and row of fnFindInPresetCol and fnFindInPresetRow.
    int FFindCol = -1, FFindRow = -1;
    std::function<void(TObject*, const QString& Value, bool& DefaultSearch)> OnSearchEditChange;

private:
    TPoint FindCell(TPoint StartCell, const QString& S, TFindParameters FindParams, bool Wide);
    bool FindCellMatches(int ACol, int ARow, bool Wide);
    // The options the search bar's controls and settings give its first,
    // previous or next search.
    TFindParameters SearchBarParams(TSearchAction Action);
    // The search bar's edit text highlighted, or no longer, in the grid or its search column.
    void SearchBarHighlight(bool On);
    // The search bar's find previous or next from the last hit.
    void SearchBarStep(TSearchAction Action);
    TFindParameters FFindParams;
    bool FSearchCacheAscii = false;

public:
    // ==================== end of search and replace

    // ==================== grouping (grid_group.cpp)
    // -1 ungroups, a column above 0 groups by it, 0 does nothing.
    void SetGroupColumn(int Value);
    // Each fills every expanded group's summary row (or header row without
    // summaries) with its figure of column ACol; the first five also set the
    // floating footer's calculation of ACol when it is shown.
    void GroupSum(int ACol);
    void GroupAvg(int ACol);
    void GroupMin(int ACol);
    void GroupMax(int ACol);
    void GroupCount(int ACol);
    void GroupCustomCalc(int ACol);
    void GroupDistinct(int ACol);
    void GroupStdDev(int ACol);
    // Method 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 custom, 7 distinct, 8 deviation.
    void GroupCalc(int ACol, int Method);
    bool IsGrouping() const { return FIsGrouping; }
    // The column of the second level, -1 without one.
    int SubGroupColumn() const { return FSubGroupColumn; }

private:
    // Opens an empty row before each listed row (ascending, repeats allowed);
    // RowCount() as a position appends after the normal rows.
    void OpenGroupRows(const std::vector<int>& Before);
    // Removes the flagged rows with their cell properties in one pass.
    void CloseGroupRows(const std::vector<bool>& Remove);
    // The header or summary look of a row: merged from FromCol on with cell
    // colours, or row colours.
    void ColorGroupRow(int ARow, int FromCol, bool Header);
    int FGroupWidth = 0;
    QString FGroupCaption, FGroupFooter;
    bool FIsGrouping = false;
    int FSubGroupColumn = -1;
    int FSubGroupWidth = 0;
    QString FSubGroupCaption, FSubGroupFooter;

public:
    // ==================== end of grouping

    // ==================== cell number reading and scaling (cell_to_real.cpp)
    // The cell's number; 0 for an empty cell, EKvGridError "Error at position:
    // P in Cell [c, r]." for a text that does not read.
    double CellToReal(int ACol, int ARow);
    // With the control's own scaling the fixed and active-cell fonts follow M/D.
    void ChangeScale(int M, int D) override;
    // ==================== end of cell number reading and scaling

protected:
    // Stock overrides the input and painting code of the grid completes.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyPress(QChar& Key) override;
    void DblClick() override { TBaseGrid::DblClick(); }
    bool CanEditShow() override;
    // Move the order entry, widths or heights (with EnhRowColMove), the
    // visibility flags and the cells of hidden rows along (kv_string_grid_order.cpp).
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;

    // ==================== cell painting
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    // ==================== end of cell painting
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    TInplaceEdit* CreateEditor() override;
    QString GetEditMask(int ACol, int ARow) override;
    void GetDisplText(int ACol, int ARow, QString& Value) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

    // The cell test of the check-box family, on the base cell.
    bool HasCellType(int ACol, int ARow, std::initializer_list<TCellType> Types);

private:
    friend class TControlLook;
    friend class TFloatingFooter;
    void CreateEditorControls();
    // Makes the editor controls if they are not made yet (a run-time grid makes them at
    // construction): the lookups of the editors call it, so none of them sees an empty list.
    void EnsureEditorControls() const;
    void FreeEditorControls();
    int FixedRowsMin() const { return FFixedRowsMin; }
    void GrowTo(std::vector<int>& List, int Size);
    // A range of -1 stands for the normal rows above the footer rows.
    void ColumnRange(int& FromRow, int& ToRow) const;
    double ColumnExtreme(int ACol, int FromRow, int ToRow, int Sign);

    // owned objects
    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TGrouping> FGrouping;
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FActiveCellFont;
    std::unique_ptr<TFont> FCellFont;
    std::unique_ptr<TStringList> FRowHeaders;
    std::unique_ptr<TStringList> FSortList;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FSortRowXRef, FUnSortRowXRef, FMergedColumns, FSelectedCells, FSelectedRows;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<THTMLHintWindow> FScrollHintWnd;
    std::unique_ptr<TControlList> FCellControls;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    std::unique_ptr<TCollection> FHiddenRowList;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TBalloonSettings> FBalloon;
    std::unique_ptr<TShowModified> FShowModified;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    std::unique_ptr<TIntList> FIgnoreColumns;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    std::unique_ptr<TStringList> FFilterList;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    // child controls, freed with the grid as its components
    TFooterPanel* FFooterPanel = nullptr;
    TSearchPanel* FSearchPanel = nullptr;
    TDropList* FFilterDropList = nullptr;
    TDropCheckList* FFilterCheckList = nullptr;
    std::vector<TComponent*> FEditorControls;
    bool FEditorControlsMade = false;
    std::vector<int> FOrigColSizes;
    std::vector<int> FColumnOrder;
    std::vector<TGridChangeNotifier*> FNotifiers;
    std::shared_ptr<ITKvStringGridSelect> FSelListener;
    TStringList FComboItems;
    int FComboIndex = -1;

    // selection and row state
    std::vector<bool> FRowSelect;
    std::vector<bool> FColSelect;
    std::vector<int> FModifiedRows;
    std::vector<int> FEnabledRows;
    bool FUseEnabledRows = false;
    bool FSelChange = false;
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FFixedRowsMin = 1;
    int FFixedColsMin = 1;
    int FFixedRowHeight = 22;
    int FFixedFooters = 0;
    int FFixedRightCols = 0;
    int FNumHiddenRows = 0;
    int FNumHiddenColumns = 0;
    int FNumNodes = 0;
    int FBinStreamID = 0;   // drawn on first use
    TClipOperation FLastClipOperation = coCopy;
    TPoint FClipOrigin{-1, -1};
    bool FPasteWholeGrid = false;
    TComponent* FColorPicker = nullptr;
    TComponent* FImagePicker = nullptr;

    // settings
    bool FDesigning = false;
    bool FLoaded = false;
    bool FIsWinXP = false, FIsWin7 = false, FIsWinVista = false, FIsThemed = false;
    int FWheelScrollLines = 3;
    bool FPlatformStyle = false;
    TGridLook FLook = glXP;
    TScrollType FScrollType = ssNormal;
    TColor FScrollColor = clNone;
    int FScrollWidth = 16;
    TColor FBorderColor = 0x808080;
    TColor FHintColor = clInfoBk;
    TColor FHighlightColor = clHighlight;
    TColor FHighlightTextColor = clHighlightText;
    TColor FSelectionColor = 0xEACAB6;
    TColor FSelectionColorTo = clNone;
    TColor FSelectionMirrorColor = clNone;
    TColor FSelectionMirrorColorTo = clNone;
    TColor FSelectionTextColor = clBlack;
    bool FSelectionColorMixer = false;
    int FSelectionColorMixerFactor = 50;
    bool FSelectionRectangle = false;
    bool FSelectionResizer = false;
    bool FShowSelection = true;
    bool FShowDesignHelper = true;
    TAlignment FDefaultAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    unsigned FVAlign = 0;
    TEditorType FDefaultEditor = edNormal;
    bool FKvWordWrap = true;
    bool FActiveCellShow = false;
    TColor FActiveCellColor = 0x808080;
    TColor FActiveCellColorTo = clNone;
    TColor FDisabledFontColor = clSilver;
    bool FUseDisabledFont = true;
    TColor FURLColor = 0xFF0000;
    TColor FQRVGradientFrom = 0xFFFFFF;
    TColor FQRVGradientTo = 0;
    TColor FQRVGradientMirrorFrom = clNone;
    TColor FQRVGradientMirrorTo = clNone;
    TColor FQRVGradientHoverFrom = 0, FQRVGradientHoverTo = 0, FQRVGradientHoverMirrorFrom = 0,
           FQRVGradientHoverMirrorTo = 0, FQRVGradientHoverBorder = 0;
    TColor FQRVGradientDownFrom = 0, FQRVGradientDownTo = 0, FQRVGradientDownMirrorFrom = 0,
           FQRVGradientDownMirrorTo = 0, FQRVGradientDownBorder = 0;
    bool FEnableHTML = true;
    bool FEnableWheel = true;
    bool FEnhRowColMove = true;
    bool FIntelliZoom = true;
    bool FAutoFilterUpdate = true;
    bool FFilterNormalCellsOnly = true;
    bool FUseInternalHintClass = true;
    bool FFitCellsInGrid = true;
    QString FFilterDropDownClear = QStringLiteral("(All)");
    TFilterDropDownColumns FFilterDropDownColumns = fdNormal;
    bool FFilterDropDownAuto = false;
    bool FFilterIncremental = false;
    bool FFilterDropDownCheck = false;
    QString FXMLEncoding = QStringLiteral("ISO-8859-1");
    QString FFloatFormat = QStringLiteral("%.2f");
    QChar FPasswordChar = QLatin1Char('*');
    QString FCheckTrue = QStringLiteral("Y");
    QString FCheckFalse = QStringLiteral("N");
    TPoint FXYOffset{2, 2};
    bool FSaveFixedCells = true, FSaveVirtCells = true, FSaveWithHTML = true, FLoadFirstRow = true,
         FQuoteEmptyCells = true, FShowNullDates = true;
    bool FSaveWithRTF = false;
    TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
    int FGroupColumn = -1;
    int FPreviewPage = 1;
    int FPrintPageTo = 1;
    int FMinRowHeight = 0, FMaxRowHeight = 0, FMinColWidth = 0, FMaxColWidth = 0;
    bool FAutoSize = false;
    bool FFlat = false;
    bool FSpreadSheet = false;
    int FMaxEditLength = 0;
    bool FHovering = false;
    bool FAutoThemeAdapt = false;
    bool FIntegralHeight = false;
    bool FSizeWithForm = false;
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    THoverFixedCells FHoverFixedCells = hfNone;
    bool FEditChange = false;

    // internal markers
    int FFilterCol = -1;
    TPoint FHoverFixedCell{-1, -1};
    TPoint FCellButtonPushed{-1, -1};
    TPoint FClipAnchor{-1, -1};
    TPoint FLastHintPos{-1, -1};
    int FLastTabCol = -1, FLastTabRow = -1;
    int FClickedCol = -1, FClickedRow = -1;
    int FPrevWidth = -1, FPrevHeight = -1;
    int FMouseSelectStart = -1;
    int FOldSelRow = -1;
    bool FLastValidation = true;
    bool FColChange = true;
    int FOldLeftCol = 1, FOldTopRow = 1;

    // hidden columns and rows, update bracket
    // Kept as hidden flags so that all-visible is the zero state.
    bool FHiddenCol[513] = {};
    short FAllColWidths[513] = {};
    int FFilterLevel = 0;
    int FUpdateCount = 0;
    bool FSelHidden = false;
    TGridRect FOldSelection;
    bool FEntered = false;
    int FReportedRow = -1;
    bool FSaveFixedCols = false, FSaveFixedRows = false;
    // Set while the stock row deletion runs: it carries the heights itself.
    bool FStockDelete = false;
    TCursor FRestoreCursor = crDefault;
    // The screen cursor when the grid was loaded, put back when it goes (a pan
    // or drag in progress must not leave its cursor behind).
    TCursor FLoadedScreenCursor = crDefault;
    bool FLoadedScreenCursorKept = false;
    // Destruction: the rows under contracted nodes and the hidden columns come
    // back into the display without editor, footer or event work.
    void ShowAllForDestroy();
    void ShowColumns(int FromCol, int ToCol);
    bool OnlySeededValues(TCellProperties* p, int c, int r);
    void CopyStorageRow(int FromRow, int ToRow);
    void WipeStorageRow(int ARow);
    void RowToItem(int ARow, TGridItem* Item);
    void ItemToRow(TGridItem* Item, int ARow);
    TGridItem* HiddenItem(int Index) const;
    int HiddenBelow(int RealRow) const;
    int FindHiddenItem(int Idx) const;
    void SyncHiddenCount();

    // the owner form's resize relay
    TCustomForm* FOwnerForm = nullptr;
    int FMoveHookId = -1;
    std::function<void(TObject*)> FChainedResize;
    int FFormWidth = 0, FFormHeight = 0;
};

#pragma once
// The grid of most editor windows: the string grid with one typed column
// definition per real column (hidden columns included). The column grid draws
// and edits nothing itself; it answers the string grid's per-cell hooks
// (colour, font, alignment, borders, editor, check-box texts, editability,
// format) from the cell's column and keeps the items in step with the grid's
// columns (count, order, widths, headers).

#include <QString>
#include <functional>
#include <memory>

#include "grid/kv_string_grid.h"

class TKvColumnGrid;
class TGridColumnCollection;
class TPopupMenu;
class TStream;

enum TColumnPopupType : int {
    cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick, cpAllCellsRClick,
    cpAllCellsLClick
};

class TGridColumnItem : public TCollectionItem {
public:
    // A new item takes the grid's Font and Color of that moment; an item
    // without collection (the grouping copy) takes the platform defaults.
    explicit TGridColumnItem(TCollection* ACollection);
    ~TGridColumnItem() override;
    QString ClassName() const override { return QStringLiteral("TGridColumnItem"); }

    // Every property and DefIdx but ColumnPopupType, PrintBorderCustom and
    // PrintFontCustom; Width is copied as the source's grid width into the field.
    void Assign(const TPersistent* Source) override;
    // As Assign, but Header, Name, ComboItems, DropDownCount, HeaderFont and Tag
    // stay, and Color and Font come from the owner grid.
    void AssignVisuals(const TPersistent* Source);
    QString DisplayName() const override;
    TKvColumnGrid* Grid() const;

    int AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(int v) { FAutoMinSize = v; }
    int AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(int v) { FAutoMaxSize = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Repaint(); }
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders v) { FBorders = v; Changed(false); }
    TPen* BorderPen() { return &FBorderPen; }
    void SetBorderPen(const TPen& v) { FBorderPen.Assign(v); Changed(false); }
    QString CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const QString& v) { FCheckFalse = v; }
    QString CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const QString& v) { FCheckTrue = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; Changed(false); }
    TPopupMenu* ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(TPopupMenu* v) { FColumnPopup = v; }
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType v) { FColumnPopupType = v; }
    TStringList* ComboItems() { return &FComboItems; }
    void SetComboItems(const TStrings* v) { FComboItems.Assign(v); }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) { FDropDownCount = v; }
    int EditLength() const { return FEditLength; }
    void SetEditLength(int v) { FEditLength = v; }
    TComponent* EditLink() const { return FEditLink; }
    void SetEditLink(TComponent* v) { FEditLink = v; }
    QString EditMask() const { return FEditMask; }
    void SetEditMask(const QString& v) { FEditMask = v; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType v);
    TStringList* Filter() { return &FFilter; }
    void SetFilter(const TStrings* v) { FFilter.Assign(v); }
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool v) { FFilterCaseSensitive = v; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool v) { FFixed = v; Changed(false); }
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString& v) { FFloatFormat = v; Repaint(); }
    TFont* Font() { return &FFont; }
    void SetFont(const TFont& v) { FFont.Assign(v); }
    QString Header() const { return FHeader; }
    void SetHeader(const QString& v);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment v) { FHeaderAlignment = v; Repaint(); }
    TFont* HeaderFont() { return &FHeaderFont; }
    void SetHeaderFont(const TFont& v) { FHeaderFont.Assign(v); }
    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = v; }
    int MaxSize() const { return FMaxSize; }
    void SetMaxSize(int v) { FMaxSize = v; }
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    bool Password() const { return FPassword; }
    void SetPassword(bool v) { FPassword = v; Changed(false); }
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool v) { FPrintBorderCustom = v; }
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders v) { FPrintBorders = v; }
    TPen* PrintBorderPen() { return &FPrintBorderPen; }
    void SetPrintBorderPen(const TPen& v) { FPrintBorderPen.Assign(v); }
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor v) { FPrintColor = v; }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool v) { FPrintFontCustom = v; }
    TFont* PrintFont() { return &FPrintFont; }
    void SetPrintFont(const TFont& v) { FPrintFont.Assign(v); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool v) { FShowBands = v; Changed(false); }
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle v) { FSortStyle = v; }
    QString SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const QString& v) { FSortPrefix = v; }
    QString SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const QString& v) { FSortSuffix = v; }
    int SpinMax() const { return FSpinMax; }
    void SetSpinMax(int v) { FSpinMax = v; }
    int SpinMin() const { return FSpinMin; }
    void SetSpinMin(int v) { FSpinMin = v; }
    int SpinStep() const { return FSpinStep; }
    void SetSpinStep(int v) { FSpinStep = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    // The grid's width of the item's real column; 0 without a grid.
    int Width() const;
    void SetWidth(int v);
    // The width field alone, as column-width changes of the grid record it.
    void StoreWidth(int v) { FWidth = v; }

    int DefIdx = 0;

    // The owner grid's cells of this column.
    QString Rows(int r) const;
    void SetRows(int r, const QString& v);
    int Ints(int r) const;
    double Floats(int r) const;

    // Stores the header without a cell write (the grid's header-list sync).
    void StoreHeader(const QString& v) { FHeader = v; }

private:
    void Repaint();
    void CopyFrom(const TGridColumnItem& s, bool Visuals);

    int FAutoMinSize = 0, FAutoMaxSize = 0;
    TAlignment FAlignment = taLeftJustify;
    TCellBorders FBorders;
    TPen FBorderPen;
    QString FCheckFalse = QStringLiteral("N");
    QString FCheckTrue = QStringLiteral("Y");
    TColor FColor = clWindow;
    TPopupMenu* FColumnPopup = nullptr;
    TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
    TStringList FComboItems;
    int FDropDownCount = 8;
    int FEditLength = 0;
    TComponent* FEditLink = nullptr;
    QString FEditMask;
    TEditorType FEditor = edNormal;
    TStringList FFilter;
    bool FFilterCaseSensitive = false;
    bool FFixed = false;
    QString FFloatFormat;
    TFont FFont;
    QString FHeader;
    TAlignment FHeaderAlignment = taLeftJustify;
    TFont FHeaderFont;
    int FMinSize = 0, FMaxSize = 0;
    QString FName;
    bool FPassword = false;
    bool FPrintBorderCustom = true;
    TCellBorders FPrintBorders = TCellBorders(cbTop) | cbLeft | cbRight | cbBottom;
    TPen FPrintBorderPen;
    TColor FPrintColor = 0xFFFFFF;
    bool FPrintFontCustom = true;
    TFont FPrintFont;
    bool FReadOnly = false;
    bool FShowBands = false;
    TSortStyle FSortStyle = ssAutomatic;
    QString FSortPrefix, FSortSuffix;
    int FSpinMax = 0, FSpinMin = 0, FSpinStep = 1;
    int FTag = 0;
    int FWidth = 50;
};

class TGridColumnCollection : public TCollection {
public:
    explicit TGridColumnCollection(TKvColumnGrid* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridColumnCollection"); }
    TGridColumnItem* Items(int Index) const { return static_cast<TGridColumnItem*>(TCollection::Items(Index)); }
    // Appends an item that takes the visual settings of the former last item.
    TGridColumnItem* Add();
    TGridColumnItem* Insert(int Index);
    TKvColumnGrid* Owner() const { return FOwner; }
    // The recorded order is the present one: synchronise, DefIdx := index.
    void SetOrganization();
    // Moves columns until every item stands at its DefIdx.
    void ResetOrganization();
    void RunUpdate(TCollectionItem* Item) { Update(Item); }

    bool FNoRecursiveUpdate = false;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TKvColumnGrid* FOwner;
};

// Streams column definitions; its Items are a collection for the owner grid.
class TKvColumnGridIO : public TComponent {
public:
    TKvColumnGridIO(TComponent* AOwner, TKvColumnGrid* AGrid);
    ~TKvColumnGridIO() override;
    QString ClassName() const override { return QStringLiteral("TKvColumnGridIO"); }
    TGridColumnCollection* Items() const { return FItems.get(); }

private:
    std::unique_ptr<TGridColumnCollection> FItems;
};

class TKvColumnGrid : public TKvStringGrid {
public:
    explicit TKvColumnGrid(TComponent* AOwner = nullptr);
    ~TKvColumnGrid() override;
    QString ClassName() const override { return QStringLiteral("TKvColumnGrid"); }

    TGridColumnCollection* Columns() const { return FColumnCollection.get(); }
    void SetColumns(const TGridColumnCollection* Value);
    // Writing the column count synchronises the items.
    void SetColCount(int Value);
    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }
    bool ColMoving() const { return FColMoving; }

    // One item per real column: adds or frees items at the end.
    void SynchColumns();
    void SynchHeaders();
    TGridColumnItem* GetColumnByName(const QString& AName) const;

    void SaveColumnsToStream(TStream* Stream);
    // Raises EReadError for a stream that is not a column stream.
    void LoadColumnsFromStream(TStream* Stream);
    void SaveColumnPositions(const QString& Key, const QString& Section);
    void LoadColumnPositions(const QString& Key, const QString& Section);

    int GetVersionNr() const { return 0x03010301; }
    QString GetVersionString() const;

    // ---- structure
    void Loaded() override;
    void InsertCols(int ColIndex, int CCount) override;
    void RemoveCols(int ColIndex, int CCount) override;
    void Group(int ColIndex) override;
    void UnGroup() override;
    void SaveColPositions() override;
    void LoadColPositions() override;
    void UpdateColumnSize(int ACol, int& AWidth) override;
    void UpdateAutoColumnSize(int ACol, int& AWidth) override;
    // The width the user proposes for real column ACol, within the column's limits.
    int ClampColumnSize(int ACol, int Width) const;
    int ClampAutoColumnSize(int ACol, int Width) const;
    void SyncColumnHeaders() override;
    void CellsLoaded() override;
    void ChangeScale(int M, int D) override;
    // Moves a column as the user's drag does (display positions).
    void MoveColumnItem(int FromIndex, int ToIndex) { MoveColumn(FromIndex, ToIndex); }

    // ---- cell hooks
    void GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                  TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                  bool& WW, TCellGradientDirection& GD) override;
    QString GetFormattedCell(int ACol, int ARow) override;
    QString GetCellFloatFormat(int ACol, int ARow) override;
    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void GetFormat(int ACol, TSortStyle& AStyle, QString& Prefix, QString& Suffix) override;
    void GetCellEditor(int ACol, int ARow, TEditorType& AEditor) override;
    void IsFixedCell(int ACol, int ARow, bool& IsFixed) override;
    void CanEdit(int ACol, int ARow, bool& CanEdit) override;
    void IsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
    bool HasComboBox(int ACol, int ARow) override;
    void GetCheckTrue(int ACol, int ARow, QString& Value) override;
    void GetCheckFalse(int ACol, int ARow, QString& Value) override;
    bool GetFilterList(int Column) override;
    void FilterDropDownSelect(TObject* Sender, int ItemIndex) override;
    int GetEditLimit() override;
    // The spin limits the last GetCellEditor handed to the spin editor.
    int SpinMin() const { return FSpinMin; }
    int SpinMax() const { return FSpinMax; }
    int SpinStep() const { return FSpinStep; }
    int EditDropDownCount() const { return FDropDownCount; }
    TComponent* EditLink() const { return FEditLinkUsed; }

    // The current filter column a filter drop-down works on.
    int FilterColumn() const { return FFilterColumn; }
    void SetFilterColumn(int Value) { FFilterColumn = Value; }

    std::function<void(TObject*, int FromIndex, int ToIndex)> OnAfterColumnMoved;
    std::function<void(TObject*, int ACol, int ARow, TPopupMenu* PopupMenu)> OnColumnPopup;
    std::function<void(TObject*, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)> OnGetFloatFormat;
    // Shows a column pop-up menu at a screen point; a test may replace it.
    std::function<void(TPopupMenu*, int X, int Y)> PopupShower;

    // True for a column index with an item.
    bool InRange(int ACol) const;
    // A body cell of the column area (not fixed columns, rows, right columns or footers).
    bool IsBodyCell(int ACol, int ARow) const;

protected:
    virtual TGridColumnCollection* CreateColumns();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    QString GetEditMask(int ACol, int ARow) override;

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;
    bool BandedColumn(TGridColumnItem* Item);

    std::unique_ptr<TGridColumnCollection> FColumnCollection;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    std::unique_ptr<TCellGraphic> FColCellGraphic;
    bool FColMoving = false;
    // Set while inserting or removing columns: the grid's own moves carry no item.
    bool FStructureChange = false;
    bool FAutoFilterDisplay = false;
    int FFilterColumn = -1;
    int FSpinMin = 0, FSpinMax = 0, FSpinStep = 1, FDropDownCount = 8;
    TComponent* FEditLinkUsed = nullptr;
};

#pragma once
// A drop-down edit whose popup is a full string grid (TKvColGrid). With
// UseItems the rows come from Items laid out by Columns; without it the
// application fills the popup grid itself. The edit shows the chosen row's
// text in LookupColumn. Typed text either looks up the first row starting with
// it (lmLookup), narrows the popup grid down to the rows containing it
// (lmNarrowDown) or does nothing (lmNone); in dsDropDown style the edit also
// completes the typed text from the list. The popup grid's events reach the
// application as the drop-down's OnGrid... events.

#include <memory>

#include "dropdown/grid_dropdown_grid.h"
#include "dropdown/grid_dropdown_items.h"
#include "dropdown/kv_dropdown.h"

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TDropDownStyle { dsDropDown, dsDropDownList };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };

// The popup grid's events passed on unchanged: drop-down event name, grid event.
#define KV_GRID_DROPDOWN_PLAIN_EVENTS(X)                                                                   \
    X(AnchorEnter, OnAnchorEnter) X(AnchorExit, OnAnchorExit) X(AnchorHint, OnAnchorHint)                  \
    X(CustomCompare, OnCustomCompare) X(RawCompare, OnRawCompare)                                          \
    X(ColumnSize, OnColumnSize) X(ColumnSizing, OnColumnSizing) X(EndColumnSize, OnEndColumnSize)          \
    X(RowSize, OnRowSize) X(RowSizing, OnRowSizing) X(EndRowSize, OnEndRowSize)                            \
    X(RowMove, OnRowMove) X(RowMoving, OnRowMoving) X(RowMoved, OnRowMoved)                                \
    X(ColumnMove, OnColumnMove) X(ColumnMoving, OnColumnMoving) X(ColumnMoved, OnColumnMoved)              \
    X(CellBalloon, OnCellBalloon) X(SpinClick, OnSpinClick)                                                \
    X(GetCellGradient, OnGetCellGradient) X(GetFloatFormat, OnGetFloatFormat)                              \
    X(GetEditorType, OnGetEditorType) X(GetEditorProp, OnGetEditorProp) X(CanEditCell, OnCanEditCell)      \
    X(GetDiplText, OnGetDisplText) X(GetFormat, OnGetFormat) X(Hint, OnGridHint)                           \
    X(MouseDown, OnMouseDown) X(MouseUp, OnMouseUp) X(RightClickCell, OnRightClickCell)                    \
    X(ScrollHint, OnScrollHint) X(SearchEditChange, OnSearchEditChange) X(AutoAddRow, OnAutoAddRow)        \
    X(InsertRow, OnAutoInsertRow) X(InsertCol, OnAutoInsertCol) X(DeleteRow, OnAutoDeleteRow)              \
    X(CanAddRow, OnCanAddRow) X(CanInsertRow, OnCanInsertRow) X(CanDeleteRow, OnCanDeleteRow)              \
    X(CheckBoxClick, OnCheckBoxClick)

// Events with work of their own around the call (see BeforeDropDown).
#define KV_GRID_DROPDOWN_OWN_EVENTS(X)                                                                     \
    X(AnchorClick, OnAnchorClick) X(ButtonClick, OnButtonClick) X(EllipsClick, OnEllipsClick)              \
    X(CanSort, OnCanSort) X(ClickSort, OnClickSort) X(CustomCellDraw, OnCustomCellDraw)                    \
    X(CustomCellBkgDraw, OnCustomCellBkgDraw) X(GetAlignment, OnGetAlignment)                              \
    X(GetCellColor, OnGetCellColor) X(MouseMove, OnMouseMove) X(KeyDown, OnKeyDown) X(KeyUp, OnKeyUp)      \
    X(KeyPress, OnKeyPress) X(TopLeftChanged, OnTopLeftChanged)

class TCustomKvGridDropDown : public TKvCustomDropDown {
public:
    explicit TCustomKvGridDropDown(TComponent* AOwner = nullptr);
    ~TCustomKvGridDropDown() override;

    TKvColGrid* GetKvColGrid() const { return FKvColGrid; }

    int ItemIndex() const { return FItemIndex; }
    // With items: values at or above the item count are ignored. Without
    // items: the row Value + 1 of the popup grid.
    void SetItemIndex(int Value);
    // The first item (or grid row) whose lookup text starts with Prefix.
    bool LookupText(const QString& Prefix, QString& Text, int& Row);
    void BeginUpdate() {}
    void EndUpdate() { BuildLookupList(); }
    void Loaded() override;
    // The item shown in a grid row (the row itself without a grid or beyond its rows).
    int ItemOfRow(int ARow) const;
    // The grid row showing an item (ItemIndex when none shows it).
    int RowOfItem(int Item) const;
    void SizeColumnsToDropDown();
    // Lookup of one typed character; returns the found index or row, or -1.
    int LookupKey(QChar Ch);

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void SelectNextPage();
    void SelectPreviousPage();

    // ---- published
    bool AutoShowDropDown() const { return FAutoShowDropDown; }
    void SetAutoShowDropDown(bool v) { FAutoShowDropDown = v; }
    bool AutoSizeColumns() const { return FAutoSizeColumns; }
    void SetAutoSizeColumns(bool v) { FAutoSizeColumns = v; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v) { FCaseSensitive = v; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool v) { FDropDownAutoWidth = v; }
    int DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(int v) { FDropDownRowHeight = v; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) { FLineColor = v; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor v) { FFixedLineColor = v; }
    TBands* Bands() const { return FBands.get(); }
    void SetBands(const TBands* v) { FBands->Assign(v); }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool v) { FColumnSizing = v; }
    bool ColumnMoving() const { return FColumnMoving; }
    void SetColumnMoving(bool v) { FColumnMoving = v; }
    bool RowSizing() const { return FRowSizing; }
    void SetRowSizing(bool v) { FRowSizing = v; }
    bool RowMoving() const { return FRowMoving; }
    void SetRowMoving(bool v) { FRowMoving = v; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool v) { FColumnSizeWithDropDown = v; }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TDropDownColumns* v) { FColumns->Assign(v); }
    bool GridEditable() const { return FGridEditable; }
    void SetGridEditable(bool v) { FGridEditable = v; }
    TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TImageList* v);
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont& v) { FHeaderFont->Assign(v); }
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool v) { FHoverRow = v; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor v) { FHoverRowColor = v; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(const TDropDownItems* v) { FItems->Assign(v); }
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int v) { FLookupColumn = v; }
    TLookupMethod LookupMethod() const { return FLookupMethod; }
    void SetLookupMethod(TLookupMethod v) { FLookupMethod = v; }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor v) { FSelectionTextColor = v; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { FRowSelect = v; }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TGridSorting Sorting() const { return FSorting; }
    void SetSorting(TGridSorting v) { FSorting = v; }
    TDropDownStyle Style() const { return FStyle; }
    void SetStyle(TDropDownStyle v);
    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool v) { FUseItems = v; }
    QString LookupEntry() const { return FLookupEntry; }
    const TStringList* LookupItems() const { return FLookupItems.get(); }
    bool TypingMode() const { return workmode; }

    TNotifyEvent OnSelect;
#define KV_GRID_DROPDOWN_EVENT(Name, GridEvent) decltype(TKvColGrid::GridEvent) OnGrid##Name;
    KV_GRID_DROPDOWN_PLAIN_EVENTS(KV_GRID_DROPDOWN_EVENT)
    KV_GRID_DROPDOWN_OWN_EVENTS(KV_GRID_DROPDOWN_EVENT)
#undef KV_GRID_DROPDOWN_EVENT

    // ---- overrides of the drop-down's operations
    quint32 GetVersionNr() const override { return 0x06000101; }
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AdjustDropDownHeight(int& Height) override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancelled) override;
    void ControlKeyDown(WORD& Key, TShiftState Shift) override;
    void ControlKeyUp(WORD& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;
    void DropDownFormSizing() override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void SetComponentStyle(TQRVStyle AStyle) override;
    void Change() override;

    // Test hooks into the protected key handlers.
    void TestKeyDown(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
    void TestKeyUp(WORD& Key, TShiftState Shift) { KeyUp(Key, Shift); }

protected:
    virtual std::unique_ptr<TDropDownItems> CreateItems(TPersistent* AOwner);
    void DoEnter() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;

private:
    void BuildLookupList();
    void WireGridEvents();
    int NavigationCount() const;
    void GridSelectCell(int ARow);
    void GridRowChosen();
    void SelectTypedTail();
    void SetBlockActivate(bool Value);
    template <class... A>
    std::function<void(TObject*, A...)> Blocked(const std::function<void(TObject*, A...)>& Target);

    TKvColGrid* FKvColGrid = nullptr;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TMouseActions> FMouseActions;
    TImageList* FGridImages = nullptr;
    bool FAutoShowDropDown = false;
    bool FAutoSizeColumns = true;
    bool FCaseSensitive = false;
    bool FDropDownAutoWidth = true;
    int FDropDownRowHeight = 22;
    TColor FLineColor = 0x00C0C0C0, FFixedLineColor = 0x00D1BBA4;
    bool FColumnSizing = false, FColumnMoving = false, FRowSizing = false, FRowMoving = false;
    bool FColumnSizeWithDropDown = true;
    bool FGridEditable = false;
    TColor FHeaderColor = 0x00FFFFFF, FHeaderColorTo = 0x00808080;
    int FHeaderHeight = 25;
    bool FHoverRow = false;
    TColor FHoverRowColor = clInfoBk, FHoverRowColorTo = clNone;
    int FItemIndex = -1;
    int FLookupColumn = 0;
    TLookupMethod FLookupMethod = lmLookup;
    TColor FSelectionTextColor = 0;
    bool FRowSelect = true;
    TGridSorting FSorting = gsNone;
    TDropDownStyle FStyle = dsDropDown;
    bool FUseItems = true;
    QString FLookupEntry;
    int FOldItemIndex = -1;
    int FSelRow = 0;
    int FTempItemIndex = -1;
    bool FItemChange = false;
    int FItemIdx = 0, FItemSel = 0;
    bool workmode = true;
    bool FBalloonInit = false;
    bool FMatchCase = false;
    bool FReturnEndedEdit = false;
};

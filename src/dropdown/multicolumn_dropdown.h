#pragma once
// A drop-down edit whose popup is a table (TMultiColumnGrid): each item holds
// one text per column and an image index; one column, LookupColumn, is the
// editor's value. Typing in the edit auto-completes from the lookup column
// (typing mode); in the open popup the first characters typed search
// incrementally. The lookup list the completion works on is rebuilt only by
// EndUpdate and Loaded, so whoever fills Items calls EndUpdate afterwards.

#include <memory>

#include "dropdown/kv_dropdown.h"
#include "dropdown/multicolumn_grid.h"
#include "dropdown/multicolumn_items.h"

class TKvMultiColumnDropDown : public TKvCustomDropDown {
public:
    explicit TKvMultiColumnDropDown(TComponent* AOwner = nullptr);
    ~TKvMultiColumnDropDown() override;

    void Assign(const TPersistent* Source) override;
    void Loaded() override;
    void BeginUpdate() {}
    void EndUpdate() { BuildLookupList(); }

    // The first item whose lookup-column text equals Value exactly, or -1.
    int GetItemIndex(const QString& Value) const;
    int ItemIndex() const { return FItemIndex; }
    // Ignores values at or above the item count; fires no event itself.
    void SetItemIndex(int Value);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void SelectNextPage();
    void SelectPreviousPage();
    int RowCount() const { return FItems->Count(); }

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
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool v) { FColumnSizing = v; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool v) { FColumnSizeWithDropDown = v; }
    TMultiColumnDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TMultiColumnDropDownColumns* v) { FColumns->Assign(v); }
    TMultiColumnDropDownItems* Items() const { return FItems.get(); }
    void SetItems(const TMultiColumnDropDownItems* v) { FItems->Assign(v); }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont& v) { FHeaderFont->Assign(v); }
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int v) { FLookupColumn = v; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor v) { FSelectionTextColor = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool v) { FMatchCase = v; }
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool v) { FMatchStart = v; }
    TMultiColumnGrid* Grid() const { return FKvColGrid; }
    const TStringList* LookupItems() const { return FLookupItems.get(); }
    QString LookupEntry() const { return FLookupEntry; }
    bool TypingMode() const { return workmode; }

    TNotifyEvent OnSelect;
    TMultiColumnDrawCellEvent OnDropDownDrawItem;
    TMultiColumnGetCellPropEvent OnDropDownGetItemProp; // declared only: the popup never asks
    TMultiColumnGetCellTextEvent OnDropDownGetItemText;

    // ---- overrides of the drop-down's operations
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

    // Typing-mode completion, run on every change of the edit text.
    void Change() override;
    void SizeColumnsToDropDown();
    // The incremental search of the open popup; returns the item found or -1.
    int IncrementalLookup(QChar Key);
    int LookupText(const QString& Value);

    // Test hooks into the protected key handlers.
    void TestKeyDown(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
    void TestKeyPress(QChar& Key) { KeyPress(Key); }
    void TestKeyUp(WORD& Key, TShiftState Shift) { KeyUp(Key, Shift); }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;

private:
    void BuildLookupList();
    QString LookupTextOf(int Item) const;
    void GridRowChanged(int ARow);
    void GridSelect();

    bool FShowing = false;
    bool FColumnSizing = false;
    int FLookupColumn = 0;
    TColor FHeaderColorTo = 0x00808080, FHeaderColor = 0x00FFFFFF;
    TColor FLineColor = 0x00808080;
    std::unique_ptr<TMultiColumnDropDownItems> FItems;
    std::unique_ptr<TMultiColumnDropDownColumns> FColumns;
    int FItemIndex = -1;
    int FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    TMultiColumnGrid* FKvColGrid = nullptr;
    TColor FFixedLineColor = 0x00808080;
    bool workmode = true;
    QString FLookupStr;
    QString FOldValue;
    bool FReturnIsTab = false;
    std::unique_ptr<TStringList> FLookupItems;
    bool FMatchCase = false;
    bool FMatchStart = true;
    bool FItemChange = false;
    int FItemIdx = 0, FItemSel = 0;
    int FOldItemIndex = -1;
    bool FDropDownAutoWidth = true;
    bool FColumnSizeWithDropDown = true;
    TColor FSelectionTextColor = 0;
    int FDropDownRowHeight = 22;
    QString FLookupEntry;
    bool FCaseSensitive = false;
};

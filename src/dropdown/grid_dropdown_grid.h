#pragma once
// The grid in the grid drop-down's popup: a full string grid that takes its
// columns, colours and sizes from the drop-down, fills itself from the
// drop-down's items (row i + 1 shows item i and keeps i as the object of its
// first cell, so rows map back to items after sorting or filtering), measures
// auto-sized and word-wrapped columns on the popup form's canvas, and reports
// through OnSelect that a row was chosen by Return or a left click.

#include <memory>

#include "dropdown/grid_dropdown_items.h"
#include "grid/kv_string_grid.h"

class TCustomKvGridDropDown;

class TKvColGrid : public TKvStringGrid {
public:
    explicit TKvColGrid(TComponent* AOwner = nullptr);
    ~TKvColGrid() override;

    void SetDropDown(TCustomKvGridDropDown* DropDown) { FKvDropDown = DropDown; }
    TCustomKvGridDropDown* DropDown() const { return FKvDropDown; }

    // Links to the drop-down and copies its columns, colours, sizes and
    // options; then measures the columns and the word-wrapped rows.
    void InitFromDropDown(TCustomKvGridDropDown* ADropDown);
    // The header and one row per item (only when linked).
    void FillFromItems();
    // Borders and columns, plus a vertical scroll bar unless every row shows.
    int GetGridWidth();
    void AutoSizeItemColumn(int Index);
    void AutoSizeItemColumns();
    void SizeRowsToWordWrap();
    virtual void SelectNotify();

    TDropDownColumns* Columns() const { return FColumns.get(); }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value) { FImages = Value; }
    int ColGridLineWidth() const { return FGridLineWidth; }
    // Stores the width; the string grid's own lines stay at width 0.
    void SetColGridLineWidth(int Value);
    bool MouseWheelSelection() const { return FMouseWheelSelection; }
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }
    int OldRow() const { return FOldRow; }

    TNotifyEvent OnSelect;

    // Test hooks into the protected input handlers.
    void TestKeyDown(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
    void TestMouseDown(TMouseButton B, TShiftState S, int X, int Y) { MouseDown(B, S, X, Y); }
    void TestMouseUp(TMouseButton B, TShiftState S, int X, int Y) { MouseUp(B, S, X, Y); }
    bool TestWheelDown() { return DoMouseWheelDown(TShiftState(), TPoint()); }

protected:
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

private:
    // The canvas of the popup form the grid sits on, or nullptr elsewhere.
    TCanvas* PopupCanvas();
    int ImageWidthFor(const TDropDownColumn* Col, int Item) const;

    TCustomKvGridDropDown* FKvDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    TColor FHeaderColor = 0x00FFFFFF, FHeaderColorTo = 0x00808080;
    TColor FLineColor = 0x00808080;
    TColor FFixedLineColor = 0x00808080;
    TImageList* FImages = nullptr;
    int FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    int FGridLineWidth = 1;
    int FOldRow = 0;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
};

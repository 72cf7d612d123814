#pragma once
// The table in the multi-column drop-down's popup: a string grid with one
// header row and one row per item, painted entirely by its own cell painter
// (per-column colours, fonts, alignment, wrapping and images, a gradient
// header, the drop-down's selection look). It takes its columns, rows and
// colours from the drop-down each time the popup opens and reports a pick made
// by key or click through OnSelect. The string grid's own lines are off (width
// 0): the painter draws them with GridLineWidth.

#include <memory>

#include "dropdown/multicolumn_items.h"
#include "platform/stdgrid/grids.h"

class TKvMultiColumnDropDown;

using TMultiColumnDrawCellEvent = std::function<void(TObject* Sender, int Column, int Row, TCanvas* ACanvas, const TRect& ARect)>;
using TMultiColumnGetCellPropEvent = std::function<void(TObject* Sender, int Column, int Row, TFont* AFont, TColor& AColor)>;
using TMultiColumnGetCellTextEvent = std::function<void(TObject* Sender, int Column, int Row, QString& Text)>;

class TMultiColumnGrid : public TStringGrid {
public:
    explicit TMultiColumnGrid(TComponent* AOwner = nullptr);
    ~TMultiColumnGrid() override;

    void SetDropDown(TKvMultiColumnDropDown* DropDown) { FKvDropDown = DropDown; }
    TKvMultiColumnDropDown* DropDown() const { return FKvDropDown; }
    // Copies columns, rows, colours and sizes from the drop-down, then sizes
    // columns and rows to their content.
    void UpdateFromDropDown(TKvMultiColumnDropDown* DropDown);
    // Width the popup needs: borders and all columns, plus a vertical scroll
    // bar unless every row shows.
    int GetTotalWidth();
    void GetCellRect(int Col, int Row, TRect& R);
    void AutoSizeColumn(int Index);
    void AutoSizeColumns();
    void AutoSizeRows();

    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TMultiColumnDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TMultiColumnDropDownColumns* Value) { FColumns->Assign(Value); }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int Value) { FHeaderHeight = Value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont& Value) { FHeaderFont->Assign(Value); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value) { FImages = Value; }

    bool MouseWheelSelection() const { return FMouseWheelSelection; }
    bool ConfirmSelection() const { return FConfirmSelection; }
    int OldRow() const { return FOldRow; }

    // Declared for the published set; the painter uses the drop-down's events.
    TMultiColumnDrawCellEvent OnDrawCell;
    TMultiColumnGetCellPropEvent OnGetCellProp;
    TMultiColumnGetCellTextEvent OnGetCellText;
    TNotifyEvent OnSelect;

    virtual void DoSelect();

    // Test hooks into the protected input handlers.
    void TestKeyDown(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
    void TestMouseDown(TMouseButton B, TShiftState S, int X, int Y) { MouseDown(B, S, X, Y); }
    void TestMouseUp(TMouseButton B, TShiftState S, int X, int Y) { MouseUp(B, S, X, Y); }
    bool TestWheelDown() { return DoMouseWheelDown(TShiftState(), TPoint()); }
    bool TestWheelUp() { return DoMouseWheelUp(TShiftState(), TPoint()); }
    void TestDrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
    { DrawCell(ACol, ARow, ARect, AState); }

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

private:
    // The canvas of the popup form the grid sits on, or nullptr elsewhere.
    TCanvas* PopupCanvas();

    TKvMultiColumnDropDown* FKvDropDown = nullptr;
    std::unique_ptr<TMultiColumnDropDownColumns> FColumns;
    TColor FHeaderColor = 0x00FFFFFF, FHeaderColorTo = 0x00808080;
    TColor FLineColor = 0x00808080;
    TImageList* FImages = nullptr;
    int FHeaderHeight = 25;
    std::unique_ptr<TFont> FHeaderFont;
    TColor FFixedLineColor = 0x00808080;
    int FGridLineWidth = 1;
    int FOldRow = 0;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
};

#include "dropdown/grid_dropdown_grid.h"

#include "dropdown/grid_dropdown.h"
#include "platform/ui/drawing.h"
#include "platform/ui/messages.h"

#include <algorithm>

TKvColGrid::TKvColGrid(TComponent* AOwner)
    : TKvStringGrid(AOwner),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>())
{
    SetFixedRowAlways(true);
    SetFixedRows(1);
    SetFixedCols(0);
    FHeaderHeight = 25;
    TGridOptions o = Options() - TGridOptions(goRangeSelect);
    SetOptions(o | goHorzLine | goRowSelect);
    SetCtl3D(false);
    SetBorderStyle(bsNone);
    SetColGridLineWidth(1);
    FOldRow = Row();
}

TKvColGrid::~TKvColGrid() = default;

void TKvColGrid::SetColGridLineWidth(int Value)
{
    FGridLineWidth = Value;
    SetGridLineWidth(0);
    Invalidate();
}

void TKvColGrid::SelectNotify()
{
    if (OnSelect) OnSelect(this);
}

void TKvColGrid::InitFromDropDown(TCustomKvGridDropDown* ADropDown)
{
    if (!ADropDown) return;
    FKvDropDown = ADropDown;
    FColumns->Assign(ADropDown->Columns());
    if (ColCount() < FColumns->Count()) SetColCount(FColumns->Count());
    if (ADropDown->UseItems()) SetRowCount(ADropDown->Items()->Count() + 1);
    for (int i = 0; i < FColumns->Count(); ++i) SetColWidths(i, FColumns->Items(i)->Width());
    FLineColor = ADropDown->LineColor();
    FFixedLineColor = ADropDown->FixedLineColor();
    FHeaderColor = ADropDown->HeaderColor();
    FHeaderColorTo = ADropDown->HeaderColorTo();
    FHeaderHeight = ADropDown->HeaderHeight();
    FHeaderFont->Assign(*ADropDown->HeaderFont());
    SetHoverRow(ADropDown->HoverRow());
    SetHoverRowColor(ADropDown->HoverRowColor());
    SetHoverRowColorTo(ADropDown->HoverRowColorTo());
    FImages = ADropDown->Images();
    if (ADropDown->DropDownRowHeight() > 0) SetDefaultRowHeight(ADropDown->DropDownRowHeight());
    SetRowHeights(0, FHeaderHeight);
    TGridOptions o = Options() - TGridOptions(goColSizing) - TGridOptions(goColMoving) - TGridOptions(goRowSizing)
                     - TGridOptions(goRowMoving);
    if (ADropDown->ColumnSizing()) o = o | goColSizing;
    if (ADropDown->ColumnMoving()) o = o | goColMoving;
    if (ADropDown->RowSizing()) o = o | goRowSizing;
    if (ADropDown->RowMoving()) o = o | goRowMoving;
    SetOptions(o);
    if (ADropDown->AutoSizeColumns()) {
        if (ADropDown->UseItems()) AutoSizeItemColumns();
        else TKvStringGrid::AutoSizeColumns(true, 4);
    }
    SizeRowsToWordWrap();
}

void TKvColGrid::FillFromItems()
{
    if (!FKvDropDown) return;
    TDropDownItems* Items = FKvDropDown->Items();
    if (ColCount() != FColumns->Count() && FColumns->Count() > 0) SetColCount(FColumns->Count());
    for (int c = 0; c < ColCount(); ++c) {
        SetCells(c, 0, c < FColumns->Count() ? FColumns->Items(c)->Header() : QString());
        if (c == 0) SetObjects(0, 0, reinterpret_cast<TObject*>(intptr_t(-1)));
    }
    if (Items->Count() > 0) SetRowCount(FixedRows() + Items->Count());
    for (int i = 0; i < Items->Count() && i + 1 < RowCount(); ++i) {
        const TDropDownItem* It = Items->Items(i);
        for (int c = 0; c < ColCount(); ++c) SetCells(c, i + 1, It->ColumnText(c));
        SetObjects(0, i + 1, reinterpret_cast<TObject*>(intptr_t(i)));
    }
}

int TKvColGrid::GetGridWidth()
{
    int w = 2 * BorderWidth();
    for (int i = 0; i < ColCount(); ++i) w += ColWidths(i);
    if (VisibleRowCount() + FixedRows() != RowCount()) w += GetSystemMetrics(SM_CXVSCROLL);
    return w;
}

TCanvas* TKvColGrid::PopupCanvas()
{
    if (!FKvDropDown || !FKvDropDown->DropDownForm()) return nullptr;
    if (Parent() != FKvDropDown->DropDownForm()) return nullptr;
    return FKvDropDown->DropDownForm()->Canvas();
}

int TKvColGrid::ImageWidthFor(const TDropDownColumn* Col, int Item) const
{
    const TDropDownItems* Items = FKvDropDown->Items();
    if (!FImages || Col->ColumnType() != ctImage || Item < 0 || Item >= Items->Count()) return 0;
    return Items->Items(Item)->ImageIndex() >= 0 ? FImages->Width() + 4 : 0;
}

void TKvColGrid::AutoSizeItemColumn(int Index)
{
    if (Index < 0 || Index >= FColumns->Count() || Index >= ColCount()) return;
    TDropDownColumn* Col = FColumns->Items(Index);
    if (!Col->AutoSize()) return;
    TCanvas* C = PopupCanvas();
    if (!C) return;
    C->Font()->Assign(*Col->Font());
    const TDropDownItems* Items = FKvDropDown->Items();
    int Widest = 0;
    for (int i = 0; i < Items->Count(); ++i) {
        int w = ImageWidthFor(Col, i);
        const QString s = Items->ItemText(i, Index);
        if (!s.isEmpty()) {
            TRect r(0, 0, 1000, 500);
            DrawText(C, s, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            w += r.Width() + 6;
        }
        Widest = std::max(Widest, w);
    }
    Col->SetWidth(Widest);
    SetColWidths(Index, Widest);
}

void TKvColGrid::AutoSizeItemColumns()
{
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->Items(i)->AutoSize()) AutoSizeItemColumn(i);
}

void TKvColGrid::SizeRowsToWordWrap()
{
    bool AnyWrap = false;
    for (int i = 0; i < FColumns->Count(); ++i) AnyWrap = AnyWrap || FColumns->Items(i)->Wordwrap();
    if (!AnyWrap || !FKvDropDown) return;
    TCanvas* C = PopupCanvas();
    if (!C) return;
    const TDropDownItems* Items = FKvDropDown->Items();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const int Item = r - 1;
        int h = 24;
        for (int c = 0; c < FColumns->Count() && c < ColCount(); ++c) {
            const TDropDownColumn* Col = FColumns->Items(c);
            if (!Col->Wordwrap()) continue;
            if (ImageWidthFor(Col, Item) > 0) h = std::max(h, FImages->Height() + 6);
            const QString s = Items->ItemText(Item, c);
            if (s.isEmpty()) continue;
            C->Font()->Assign(*Col->Font());
            TRect rc(0, 0, ColWidths(c), 500);
            DrawText(C, s, rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            h = std::max(h, rc.Height() + 6);
        }
        SetRowHeights(r, h);
    }
}

void TKvColGrid::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_TAB) return;
    if (Message.Msg == WM_CHAR && Message.WParam == VK_RETURN) {
        Message.Result = 1;
        return;
    }
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = 3;
        return;
    }
    TKvStringGrid::WndProc(Message);
}

void TKvColGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FKvDropDown) FKvDropDown->Perform(WM_KEYDOWN, Key, 0);
        return;
    }
    if (Key == VK_RETURN) {
        Key = 0;
        TKvStringGrid::KeyDown(Key, Shift);
        SelectNotify();
        return;
    }
    TKvStringGrid::KeyDown(Key, Shift);
}

void TKvColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    FOldRow = Row();
    TKvStringGrid::MouseDown(Button, Shift, X, Y);
}

void TKvColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TKvStringGrid::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    if (R >= FixedRows() && R < RowCount() && C >= 0 && !HasCheckBox(C, R)) SelectNotify();
}

bool TKvColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool r = TKvStringGrid::DoMouseWheelDown(Shift, MousePos);
    FMouseWheelSelection = false;
    return r;
}

bool TKvColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool r = TKvStringGrid::DoMouseWheelUp(Shift, MousePos);
    FMouseWheelSelection = false;
    return r;
}

#include "dropdown/multicolumn_grid.h"

#include "dropdown/dropdown_draw.h"
#include "dropdown/multicolumn_dropdown.h"
#include "platform/ui/drawing.h"
#include "platform/ui/messages.h"

#include <algorithm>

TMultiColumnGrid::TMultiColumnGrid(TComponent* AOwner)
    : TStringGrid(AOwner),
      FColumns(std::make_unique<TMultiColumnDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>())
{
    FOldRow = Row();
    SetFixedRows(1);
    SetFixedCols(0);
    SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
    SetDefaultDrawing(false);
    SetCtl3D(false);
    TStringGrid::SetGridLineWidth(0);
    SetBorderStyle(bsNone);
}

TMultiColumnGrid::~TMultiColumnGrid() = default;

void TMultiColumnGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = Value;
    TStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TMultiColumnGrid::DoSelect()
{
    if (OnSelect) OnSelect(this);
}

void TMultiColumnGrid::UpdateFromDropDown(TKvMultiColumnDropDown* DropDown)
{
    if (!DropDown) return;
    SetDropDown(DropDown);
    FColumns->Assign(DropDown->Columns());
    SetColCount(FColumns->Count());
    SetRowCount(DropDown->Items()->Count() + 1);
    if (RowCount() > 1) {
        SetFixedRows(1);
        SetRow(1);
        SetRowCount(DropDown->Items()->Count() + 1);
    }
    for (int i = 0; i < FColumns->Count() && i < ColCount(); ++i) SetColWidths(i, FColumns->Items(i)->Width());
    FLineColor = DropDown->LineColor();
    FFixedLineColor = DropDown->FixedLineColor();
    FHeaderColor = DropDown->HeaderColor();
    FHeaderColorTo = DropDown->HeaderColorTo();
    FHeaderHeight = DropDown->HeaderHeight();
    FHeaderFont->Assign(*DropDown->HeaderFont());
    FImages = DropDown->Images();
    SetDefaultRowHeight(DropDown->DropDownRowHeight());
    SetRowHeights(0, FHeaderHeight);
    TGridOptions o = Options();
    if (DropDown->ColumnSizing()) o = o | goColSizing;
    else o = o - TGridOptions(goColSizing);
    SetOptions(o);
    AutoSizeColumns();
    AutoSizeRows();
}

int TMultiColumnGrid::GetTotalWidth()
{
    int w = 2 * BorderWidth();
    for (int i = 0; i < ColCount(); ++i) w += ColWidths(i);
    if (VisibleRowCount() + FixedRows() != RowCount()) w += GetSystemMetrics(SM_CXVSCROLL);
    return w;
}

void TMultiColumnGrid::GetCellRect(int Col, int Row, TRect& R)
{
    const TRect c = CellRect(Col, Row);
    R = TRect(c.Left, c.Top, c.Left + ColWidths(Col), c.Top + RowHeights(Row));
}

TCanvas* TMultiColumnGrid::PopupCanvas()
{
    if (!FKvDropDown || !FKvDropDown->DropDownForm()) return nullptr;
    if (Parent() != FKvDropDown->DropDownForm()) return nullptr;
    return FKvDropDown->DropDownForm()->Canvas();
}

void TMultiColumnGrid::AutoSizeColumn(int Index)
{
    if (Index < 0 || Index >= FColumns->Count() || Index >= ColCount()) return;
    TMultiColumnDropDownColumn* Col = FColumns->Items(Index);
    if (!Col->AutoSize()) return;
    TCanvas* C = PopupCanvas();
    if (!C) return;
    C->Font()->Assign(*Col->Font());
    TMultiColumnDropDownItems* Items = FKvDropDown->Items();
    int Widest = 0;
    // In an image column an item without a text here keeps the previous row's image.
    int ImageIndex = -1;
    for (int i = 0; i < Items->Count(); ++i) {
        TMultiColumnDropDownItem* It = Items->Items(i);
        const bool HasText = Index < It->Text()->Count();
        if (Col->ColumnType() == ctImage && HasText) ImageIndex = It->ImageIndex();
        int w = 0;
        if (FImages && ImageIndex >= 0) w += FImages->Width() + 4;
        const QString s = It->ColumnText(Index);
        if (!s.isEmpty()) {
            TRect r(0, 0, 1000, 500);
            DrawText(C, s, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
            w += r.Width() + 6;
        }
        Widest = std::max(Widest, w);
    }
    SetColWidths(Index, Widest);
    Col->SetWidth(Widest);
}

void TMultiColumnGrid::AutoSizeColumns()
{
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->Items(i)->AutoSize()) AutoSizeColumn(i);
}

void TMultiColumnGrid::AutoSizeRows()
{
    bool AnyWrap = false;
    for (int i = 0; i < FColumns->Count(); ++i) AnyWrap = AnyWrap || FColumns->Items(i)->Wordwrap();
    if (!AnyWrap) return;
    TCanvas* C = PopupCanvas();
    if (!C) return;
    TMultiColumnDropDownItems* Items = FKvDropDown->Items();
    for (int i = 0; i < Items->Count() && i + 1 < RowCount(); ++i) {
        TMultiColumnDropDownItem* It = Items->Items(i);
        int h = 24;
        for (int c = 0; c < FColumns->Count(); ++c) {
            TMultiColumnDropDownColumn* Col = FColumns->Items(c);
            if (!Col->Wordwrap()) continue;
            if (FImages && Col->ColumnType() == ctImage && It->ImageIndex() >= 0) h = std::max(h, FImages->Height() + 6);
            C->Font()->Assign(*Col->Font());
            TRect r(0, 0, Col->Width(), 500);
            DrawText(C, It->ColumnText(c), r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
            h = std::max(h, r.Height() + 6);
        }
        SetRowHeights(i + 1, h);
    }
}

void TMultiColumnGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TCanvas* Cv = Canvas();
    TKvMultiColumnDropDown* DD = FKvDropDown;
    if (DD && DD->OnDropDownDrawItem) {
        DD->OnDropDownDrawItem(DD, ACol, ARow, Cv, ARect);
        return;
    }

    int Part = 3;
    if (ColCount() == 1) Part = 0;
    else if (ACol == 0) Part = 1;
    else if (ACol == ColCount() - 1) Part = 2;
    TRect R;
    GetCellRect(ACol, ARow, R);
    (void)ARect;

    QString Text = Cells(ACol, ARow);
    TColor Color = this->Color();
    TAlignment Align = taLeftJustify;
    bool Wrap = false, Ellipsis = false;
    int ImageIndex = -1;
    TMultiColumnDropDownColumn* Col = ACol >= 0 && ACol < FColumns->Count() ? FColumns->Items(ACol) : nullptr;
    if (Col) {
        Color = Col->Color();
        Align = Col->Alignment();
        Wrap = Col->Wordwrap();
        Ellipsis = Col->Ellipsis();
        Cv->Font()->Assign(*Col->Font());
        if (DD && ARow >= 1 && ARow - 1 < DD->Items()->Count()) {
            TMultiColumnDropDownItem* It = DD->Items()->Items(ARow - 1);
            if (Col->ColumnType() == ctImage) ImageIndex = It->ImageIndex();
            if (ACol < It->Text()->Count()) Text = It->Text()->Get(ACol);
        }
    } else {
        Cv->Font()->Assign(*FHeaderFont);
    }
    if (DD && DD->OnDropDownGetItemText) DD->OnDropDownGetItemText(DD, ACol, ARow, Text);

    const bool Header = ARow < FixedRows();
    const bool Selected = !Header && AState.Contains(gdSelected);
    if (!Header) {
        if (!Selected) {
            Cv->Pen()->SetColor(Color);
            Cv->Brush()->SetStyle(bsSolid);
            Cv->Brush()->SetColor(Color);
            Cv->FillRect(R);
        } else if (DD) {
            DD->DrawSelection(Cv, R, Part, Color);
        } else {
            Cv->Brush()->SetStyle(bsSolid);
            Cv->Brush()->SetColor(clActiveCaption);
            Cv->FillRect(R);
        }
    } else {
        if (Col) Text = Col->Header();
        ImageIndex = -1;
        if (FHeaderColor == clNone || FHeaderColorTo == clNone) {
            Cv->Brush()->SetStyle(bsSolid);
            Cv->Brush()->SetColor(FHeaderColor);
            Cv->Pen()->SetColor(FHeaderColor);
            Cv->FillRect(R);
        } else if (DD) {
            DD->DrawGradient(Cv, FHeaderColor, FHeaderColorTo, 80, R, gdVertical);
        } else {
            ::DrawGradient(Cv, FHeaderColor, FHeaderColorTo, 80, R, false);
        }
    }

    // The grid's own lines are off; the painter draws them inside the cell.
    int c;
    bool Horz, Vert;
    if (!Header) {
        if (FGridLineWidth > 0) Cv->Pen()->SetColor(FLineColor);
        Cv->Pen()->SetWidth(FGridLineWidth);
        c = (FGridLineWidth + 1) / 2;
        Horz = Options().Contains(goHorzLine);
        Vert = Options().Contains(goVertLine);
    } else {
        Cv->Pen()->SetColor(FFixedLineColor);
        Cv->Pen()->SetWidth(1);
        c = 1;
        Horz = Options().Contains(goFixedHorzLine);
        Vert = Options().Contains(goFixedVertLine);
    }
    if (Horz) {
        Cv->MoveTo(R.Left - c + 1, R.Bottom - c);
        Cv->LineTo(R.Right - c + 1, R.Bottom - c);
    }
    if (Vert) {
        const int x = R.Right - c; // controls are laid out left to right here
        Cv->MoveTo(x, R.Bottom - c);
        Cv->LineTo(x, R.Top - c);
    }
    Cv->Pen()->SetWidth(1);

    R = TRect(R.Left + FGridLineWidth, R.Top + FGridLineWidth, R.Right - FGridLineWidth, R.Bottom - FGridLineWidth);
    int TextLeft = R.Left + 2;
    TImageList* Imgs = DD ? DD->Images() : nullptr;
    if (Imgs && ImageIndex >= 0) {
        int y = R.Top;
        if (Imgs->Height() < R.Height()) y = R.Top + (R.Height() - Imgs->Height()) / 2;
        Imgs->Draw(Cv, R.Left + 2, y, ImageIndex);
        TextLeft = R.Left + Imgs->Width() + 4;
    }
    if (Text.isEmpty()) return;
    unsigned Flags = Wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    if (Align == taRightJustify) Flags |= DT_RIGHT;
    else if (Align == taCenter) Flags |= DT_CENTER;
    else Flags |= DT_LEFT;
    if (Ellipsis) Flags |= DT_END_ELLIPSIS;
    Flags |= DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS;
    if (Selected && DD) Cv->Font()->SetColor(DD->SelectionTextColor());
    if (Header) Cv->Font()->Assign(*FHeaderFont);
    Cv->Brush()->SetStyle(bsClear);
    TRect TR(TextLeft, R.Top, R.Right, R.Bottom);
    DrawText(Cv, Text, TR, Flags);
}

void TMultiColumnGrid::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_TAB) return;
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = 3;
        return;
    }
    TStringGrid::WndProc(Message);
}

void TMultiColumnGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FKvDropDown) FKvDropDown->Perform(WM_KEYDOWN, Key, 0);
        return;
    }
    TStringGrid::KeyDown(Key, Shift);
    if (Key == VK_RETURN) DoSelect();
}

void TMultiColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    FOldRow = Row();
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TMultiColumnGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TStringGrid::MouseUp(Button, Shift, X, Y);
    int C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    if (R >= FixedRows() && R < RowCount()) DoSelect();
}

bool TMultiColumnGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool r = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    FMouseWheelSelection = false;
    return r;
}

bool TMultiColumnGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool r = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    FMouseWheelSelection = false;
    return r;
}

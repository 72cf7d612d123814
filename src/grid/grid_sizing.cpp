// Sizing of the grid: count, width and height changes, the stretched column,
// proportional sizing of all columns or rows after a mouse sizing, and the
// sizing border test.

#include <algorithm>

#include "grid/kv_string_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/forms.h"

namespace {

bool ApplicationTerminating() { return Application && Application->Terminated(); }

} // namespace

void TKvStringGrid::ScreenToCell(const TPoint& pt, int& ACol, int& ARow)
{
    const TPoint p = ScreenToClient(pt);
    MouseToCell(p.X, p.Y, ACol, ARow);
}

bool TKvStringGrid::IsOnSizingBorder(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return false;
    const TRect R = CellRect(c, r);
    bool result = false;
    if (r <= TBaseGrid::FixedRows() && Options().Contains(goColSizing))
        result = std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4;
    if (c <= TBaseGrid::FixedCols() && Options().Contains(goRowSizing))
        result = std::abs(Y - R.Top) < 4 || std::abs(Y - R.Bottom) < 4;
    return result;
}

void TKvStringGrid::StretchColumnWidth(int Index)
{
    if (IsLoading() || IsDestroying() || ApplicationTerminating()) return;
    if (Index == -1) Index = ColCount() - 1;
    // An index below -1 is as much out of range as one past the last column.
    if (Index >= ColCount() || Index < -1) throw Exception(QStringLiteral("Stretch column index out of range"));
    if (ColCount() == 0 || Index < 0 || !FColumnSize->Stretch() || FIsColChanging) return;
    FIsColChanging = true;
    ColchgFlg = false;
    const int client = ClientWidth();
    const bool single = ColCount() == 1;
    try {
        if (single) {
            SetColWidths(0, client);
        } else {
            int others = 0;
            for (int c = 0; c < ColCount(); ++c)
                if (c != Index) others += ColWidths(c);
            if (others < client) SetColWidths(Index, client - others - 1);
            else if (LeftCol() == TBaseGrid::FixedCols()) SetColWidths(Index, DefaultColWidth());
        }
    } catch (...) {
        ColchgFlg = true;
        FIsColChanging = false;
        throw;
    }
    ColchgFlg = true;
    FIsColChanging = false;
    if (!single && FFloatingFooter->Visible() && FFooterPanel) {
        FFooterPanel->SetAlign(alNone);
        FFooterPanel->SetAlign(alBottom);
    }
}

void TKvStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (!Parent() || IsLoading() || ApplicationTerminating()) {
        TBaseGrid::SizeChanged(OldColCount, OldRowCount);
        return;
    }
    if (FColumnSize->Stretch()) StretchColumnWidth(FColumnSize->StretchColumn());
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    ShowFlatScrollBar(SB_VERT, VisibleRowCount() + TBaseGrid::FixedRows() < RowCount());
    UpdateFlatVertScroll();
    ShowFlatScrollBar(SB_HORZ, VisibleColCount() + TBaseGrid::FixedCols() < ColCount());
    UpdateFlatHorzScroll();
}

void TKvStringGrid::ScaleOtherExtents(bool Columns, int Clicked, int ClickedSize)
{
    const int count = Columns ? ColCount() : RowCount();
    const int first = Columns ? TBaseGrid::FixedCols() : TBaseGrid::FixedRows();
    const double factor = double(Columns ? ColWidths(Clicked) : RowHeights(Clicked)) / double(ClickedSize);
    for (int i = first; i < count; ++i) {
        if (i == Clicked) continue;
        if (Columns) SetColWidths(i, int(RoundHalfEven(ColWidths(i) * factor)));
        else SetRowHeights(i, int(RoundHalfEven(RowHeights(i) * factor)));
    }
}

void TKvStringGrid::ColWidthsChanged()
{
    if (ColchgFlg && FColumnSize->Stretch() && Parent()) StretchColumnWidth(FColumnSize->StretchColumn());
    if (FDesigning && FScrollHintShowing) HideScrollHint();
    TBaseGrid::ColWidthsChanged();
    ColSizeFlg = true;
    // ColSized holds the column being sized with the mouse, -1 when none.
    const int sized = ColSized;
    if (sized >= 0 && FMouseActions->AllColumnSize() && Colclickedsize > 0 && Colclicked >= 0 &&
        Colclicked < ColCount()) {
        ColSized = -1;
        ScaleOtherExtents(true, Colclicked, Colclickedsize);
        ColSized = sized;
    }
    if (ColSized >= 0 && OnEndColumnSize) OnEndColumnSize(this, Colclicked);
    if (ColSized >= 0 && Colclicked >= 0 && Colclicked < ColCount()) {
        int w = ColWidths(Colclicked);
        UpdateColumnSize(Colclicked, w);
        if (w != ColWidths(Colclicked)) {
            ColSized = -1;
            SetColWidths(Colclicked, w);
        }
    }
    if (ColSized >= 0) {
        Colclicked = -1;
        Rowclicked = -1;
    }
    if (EditCtrl && EditCtrl->Visible()) {
        const TRect r = CellRect(Col(), Row());
        EditCtrl->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    }
    ColSized = -1;
    if (HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
    UpdateFooter();
    CellControlsUpdate(false);
    if (FColumnSize->Stretch() && FScrollProportional) UpdateProportionalVertScroll();
}

void TKvStringGrid::RowHeightsChanged()
{
    if (FDesigning && FScrollHintShowing) HideScrollHint();
    TBaseGrid::RowHeightsChanged();
    const int sized = Rowsized;
    if (sized >= 0 && FMouseActions->AllRowSize() && Rowclickedsize > 0 && Rowclicked >= 0 &&
        Rowclicked < RowCount()) {
        Rowsized = -1;
        ScaleOtherExtents(false, Rowclicked, Rowclickedsize);
        Rowsized = sized;
    }
    if (Rowsized >= 0) {
        if (OnEndRowSize) OnEndRowSize(this, Rowclicked);
        Colclicked = -1;
        Rowclicked = -1;
    }
    Rowsized = -1;
    if (HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
    CellControlsUpdate(false);
}

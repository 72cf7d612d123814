// Selection rectangle and disjunct row and column selections, modified and
// enabled rows, the grid's repaint operations and its dimension setters.
#include "grid/kv_string_grid.h"

#include <algorithm>

namespace {

[[noreturn]] void InvalidRow(const QString& Msg)
{
    throw EKvGridError(Msg);
}

} // namespace

// ============================================================ selection rectangle

void TKvStringGrid::SetSelection(const TGridRect& Value)
{
    TBaseGrid::SetSelection(Value);
    if (FActiveCellShow) {
        InvalidateRow(0);
        InvalidateCol(0);
    }
    if (ActiveRowShow()) RepaintRow(Value.Bottom);
}

void TKvStringGrid::FocusCell(int ACol, int ARow)
{
    SetSelection(TGridRect(ACol, ARow, ACol, ARow));
}

void TKvStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect(FromCol, FromRow, ToCol, ToRow));
}

void TKvStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TKvStringGrid::EditCell(int ACol, int ARow)
{
    if (CanFocus()) SetFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TKvStringGrid::MoveToCell(int ACol, int ARow)
{
    MoveColRow(ACol, ARow, true, true);
}

void TKvStringGrid::SetCol(int Value)
{
    TBaseGrid::SetCol(Value);
    if (TKvStringGrid* g = FSyncGrid->Grid(); g && FSyncGrid->SelectionColumn() && Value < g->ColCount())
        g->SetCol(Value);
}

// ============================================================ disjunct selections

void TKvStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
    if (!FMouseActions->DisjunctRowSelect()) {
        if (RCount > 0) SetSelection(TGridRect(TBaseGrid::FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1));
    } else {
        for (int i = 0; i < RCount; ++i) {
            int r = RowIndex + i;
            if (FMouseActions->RowSelectPersistent()) r = RealRowIndex(r);
            if (r < RowCount()) SetRowSelect(r, true);
        }
    }
    if (!FRowIndicator->Empty()) RepaintCol(0);
    FSelChange = false;
}

void TKvStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (int i = 0; i < RCount; ++i) {
            int r = RowIndex + i;
            if (FMouseActions->RowSelectPersistent()) r = RealRowIndex(r);
            if (r < RowCount()) SetRowSelect(r, false);
        }
    }
    FSelChange = false;
}

void TKvStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect()) {
        SetSelection(TGridRect(ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, RowCount() - 1));
        return;
    }
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c < ColCount()) SetColSelect(c, true);
}

void TKvStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect()) return;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c < ColCount()) SetColSelect(c, false);
}

bool TKvStringGrid::RowSelect(int ARow)
{
    if (!FMouseActions->RowSelectPersistent() && (ARow < 0 || ARow >= RowCount() + FNumHiddenRows))
        InvalidRow(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    if (FMouseActions->DisjunctRowSelect()) {
        if (ARow < 0) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(ARow));
        if (int(FRowSelect.size()) <= ARow) FRowSelect.resize(size_t(ARow) + 1, false);
        return FRowSelect[size_t(ARow)];
    }
    const TGridRect s = Selection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TKvStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || (ARow >= RowCount() + FNumHiddenRows && RowCount() > TBaseGrid::FixedRows()))
        InvalidRow(QStringLiteral("Invalid row accessed"));
    bool allow = true;
    if (OnRowDisjunctSelect && (ARow >= int(FRowSelect.size()) || FRowSelect[size_t(ARow)] != Value))
        OnRowDisjunctSelect(this, ARow, Value, allow);
    if (!allow) return;
    if (int(FRowSelect.size()) <= ARow) FRowSelect.resize(size_t(ARow) + 1, false);
    const bool was = FRowSelect[size_t(ARow)];
    if (Value) {
        if (!was) RepaintRow(ARow);
        FRowSelect[size_t(ARow)] = true;
        if (!FSelectedRows->HasValue(ARow) && ARow >= TBaseGrid::FixedRows()) FSelectedRows->Add(ARow);
    } else {
        if (was) RepaintRow(ARow);
        FRowSelect[size_t(ARow)] = false;
        FSelectedRows->DeleteValue(ARow);
    }
    if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

bool TKvStringGrid::ColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount()) throw EKvGridError(QStringLiteral("Invalid column accessed"));
    if (int(FColSelect.size()) <= ACol) FColSelect.resize(size_t(ACol) + 1, false);
    return FColSelect[size_t(ACol)];
}

void TKvStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount()) throw EKvGridError(QStringLiteral("Invalid column accessed"));
    if (int(FColSelect.size()) <= ACol) FColSelect.resize(size_t(ACol) + 1, false);
    if (FColSelect[size_t(ACol)] != Value) RepaintCol(ACol);
    FColSelect[size_t(ACol)] = Value;
}

void TKvStringGrid::ClearRowSelect()
{
    for (size_t r = 0; r < FRowSelect.size(); ++r)
        if (FRowSelect[r]) {
            FRowSelect[r] = false;
            RepaintRow(int(r));
        }
    FSelectedRows->Clear();
}

void TKvStringGrid::ClearColSelect()
{
    for (size_t c = 0; c < FColSelect.size(); ++c)
        if (FColSelect[c]) {
            FColSelect[c] = false;
            RepaintCol(int(c));
        }
}

void TKvStringGrid::SelectionToRowSelect(bool All)
{
    TGridRect s = Selection();
    if (s.Bottom >= RowCount() - FFixedFooters) s.Bottom = RowCount() - FFixedFooters - 1;
    for (int a = TBaseGrid::FixedRows(); a < RowCount(); ++a) {
        const bool inside = s.Top <= a && a <= s.Bottom;
        if (All || inside)
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(a) : a, inside);
    }
    if (FNumHiddenRows > 0) Invalidate();
}

void TKvStringGrid::SelectionToColSelect(bool All)
{
    const TGridRect s = Selection();
    for (int c = TBaseGrid::FixedCols(); c < ColCount(); ++c) {
        const bool inside = s.Left <= c && c <= s.Right;
        if (All || inside) SetColSelect(c, inside);
    }
}

int TKvStringGrid::RowSelectCount() const
{
    if (FMouseActions->DisjunctRowSelect()) {
        const size_t n = std::min(size_t(std::max(RowCount() + FNumHiddenRows, 0)), FRowSelect.size());
        return int(std::count(FRowSelect.begin(), FRowSelect.begin() + long(n), true));
    }
    const TGridRect s = Selection();
    return std::abs(s.Bottom - s.Top) + 1;
}

int TKvStringGrid::ColSelectCount() const
{
    if (FMouseActions->DisjunctColSelect()) return int(std::count(FColSelect.begin(), FColSelect.end(), true));
    const TGridRect s = Selection();
    return s.Right - s.Left + 1;
}

// ============================================================ row state

void TKvStringGrid::GrowTo(std::vector<int>& List, int Size)
{
    if (int(List.size()) < Size) List.resize(size_t(Size), 0);
}

bool TKvStringGrid::RowModified(int ARow) const
{
    return ARow >= 0 && ARow < int(FModifiedRows.size()) && FModifiedRows[size_t(ARow)] == 1;
}

void TKvStringGrid::SetRowModified(int ARow, bool Value)
{
    if (ARow < 0) return;
    GrowTo(FModifiedRows, ARow + 1);
    FModifiedRows[size_t(ARow)] = Value ? 1 : 0;
    RepaintCell(0, ARow);
}

int TKvStringGrid::ModifiedRowCount() const
{
    return int(std::count(FModifiedRows.begin(), FModifiedRows.end(), 1));
}

bool TKvStringGrid::RowEnabled(int ARow) const
{
    if (ARow < 0 || ARow >= int(FEnabledRows.size())) return true;
    return FEnabledRows[size_t(ARow)] == 0;
}

void TKvStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0) return;
    if (ARow == Row()) {
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (r != ARow && RowEnabled(r)) {
                SetRow(r);
                break;
            }
    }
    FUseEnabledRows = true;
    GrowTo(FEnabledRows, ARow + 1);
    FEnabledRows[size_t(ARow)] = Value ? 0 : 1;
    RepaintRow(ARow);
}

// ============================================================ repainting

void TKvStringGrid::RepaintRect(const TGridRect& R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(std::min(VisibleColCount() + TBaseGrid::FixedCols(), R.Right), R.Bottom);
    if (a.IsEmpty() || b.IsEmpty()) {
        Repaint();
        return;
    }
    const TRect u(a.Left, a.Top, b.Right, b.Bottom);
    ::InvalidateRect(Handle(), &u, true);
}

void TKvStringGrid::RepaintCell(int c, int r)
{
    if (r >= TBaseGrid::FixedRows() && (r < TopRow() || r > TopRow() + VisibleRowCount())) return;
    if (c >= TBaseGrid::FixedCols() && (c < LeftCol() || c > LeftCol() + VisibleColCount())) return;
    BaseRepaintCell(c, r);
}

void TKvStringGrid::RepaintRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount() || RedrawLocked()) return;
    const TRect a = CellRect(0, ARow);
    const TRect b = CellRect(std::min(LeftCol() + VisibleColCount(), ColCount() - 1), ARow);
    const TRect u(a.Left, a.Top, std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    ::InvalidateRect(Handle(), &u, false);
}

void TKvStringGrid::RepaintCol(int ACol)
{
    if (ACol < 0 || ACol >= ColCount() || RedrawLocked()) return;
    const TRect a = CellRect(ACol, TopRow());
    const TRect b = CellRect(ACol, std::min(TopRow() + VisibleRowCount(), RowCount() - 1));
    const TRect u(a.Left, a.Top, std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    ::InvalidateRect(Handle(), &u, false);
}

void TKvStringGrid::SwapCells(const TPoint& FromCell, const TPoint& ToCell)
{
    // Every object travels with its text, not only the cell properties.
    ExchangeCells(FromCell.X, FromCell.Y, ToCell.X, ToCell.Y);
}

// ============================================================ dimensions

void TKvStringGrid::SetRowCount(int Value)
{
    const int old = RowCount();
    TBaseGrid::SetRowCount(Value);
    if (FFixedRowAlways && FFixedRowsMin < RowCount()) TBaseGrid::SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    FNormalRowCount = Value;
    if (FFooterPanel) FFooterPanel->Invalidate();
    if (FFloatingFooter && FFloatingFooter->Visible() && old != Value && old > 0 && Value > 0) {
        // The footer row moves with its texts and its cell properties, so the
        // footer calculations survive the change of the row count.
        const int from = old - 1, to = Value - 1;
        for (int c = 0; c < TotalColCount(); ++c) {
            TCellProperties* moving = GridObjects(c, from);
            TCellProperties* target = GridObjects(c, to);
            const QString text = GridCells(c, from);
            TStringGrid::SetObjects(c, to, moving);
            TStringGrid::SetObjects(c, from, target);
            TStringGrid::SetCells(c, to, text);
            TStringGrid::SetCells(c, from, QString());
            if (moving) {
                moving->SetOwnerRow(to);
            }
        }
        CalcFooter(-1);
    }
}

void TKvStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (FFixedColAlways && FFixedColsMin < ColCount()) TBaseGrid::SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, Value);
    if (FFooterPanel) FFooterPanel->Invalidate();
    SetBounds(Left(), Top(), Width(), Height());
}

int TKvStringGrid::FixedRows() const
{
    const int v = TBaseGrid::FixedRows();
    return v == 0 && FFixedRowAlways ? 1 : v;
}

void TKvStringGrid::SetFixedRows(int Value)
{
    int v = Value;
    if (FFixedRowAlways && v >= RowCount()) v = RowCount() - 1;
    TBaseGrid::SetFixedRows(std::max(v, 0));
    if (!IsLoading()) FFixedRowsMin = Value;
}

int TKvStringGrid::FixedCols() const
{
    const int v = TBaseGrid::FixedCols();
    return v == 0 && FFixedColAlways ? 1 : v;
}

void TKvStringGrid::SetFixedCols(int Value)
{
    int v = Value;
    if (FFixedColAlways && v >= ColCount()) v = ColCount() - 1;
    TBaseGrid::SetFixedCols(std::max(v, 0));
    if (!IsLoading()) FFixedColsMin = Value;
}

void TKvStringGrid::SetFixedColWidth(int Value)
{
    if (IsLoading() || Value == DefaultColWidth()) return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void TKvStringGrid::SetFixedRowHeight(int Value)
{
    FFixedRowHeight = Value;
    if (IsLoading()) return;
    if (Value == DefaultRowHeight()) SetDefaultRowHeight(Value);
    else
        for (int r = 0; r < TBaseGrid::FixedRows(); ++r) SetRowHeights(r, Value);
}

void TKvStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    if (FDesigning) FFixedRowHeight = Value;
    if (FFloatingFooter) FFloatingFooter->SetHeight(Value);
}

// The grid's list of individually selected cells and the counts over the
// selection. An entry is (row << 16) | column in display indexes, in the order
// the cells were selected; no cell is listed twice.
#include "grid/kv_string_grid.h"
#include "grid_input/grid_input_state.h"

#include <algorithm>
#include <cstdlib>

using KvGridInput::CellEntry;

bool TKvStringGrid::SelectedCells(int ACol, int ARow)
{
    if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->HasValue(CellEntry(ACol, ARow));
    const TGridRect s = Selection();
    return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) &&
           ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TKvStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
    const int e = CellEntry(ACol, ARow);
    const bool present = FSelectedCells->HasValue(e);
    if (Value == present) return;
    if (Value) FSelectedCells->Add(e);
    else FSelectedCells->DeleteValue(e);
    RepaintCell(ACol, ARow);
}

TGridCoord TKvStringGrid::SelectedCell(int Index) const
{
    const quint32 e = quint32(FSelectedCells->Items(Index));
    return TGridCoord{int(e & 0xFFFF), int(e >> 16)};
}

int TKvStringGrid::SelectedCellsCount()
{
    if (!FMouseActions->DisjunctCellSelect()) {
        FSelectedCells->Clear();
        const TGridRect s = Selection();
        if (s.Left == s.Right && s.Top == s.Bottom) {
            FSelectedCells->Add(CellEntry(Col(), Row()));
        } else {
            for (int c = s.Left; c <= s.Right; ++c)
                for (int r = s.Top; r <= s.Bottom; ++r)
                    if (!FSelectedCells->HasValue(CellEntry(c, r))) FSelectedCells->Add(CellEntry(c, r));
        }
    }
    return FSelectedCells->Count();
}

int TKvStringGrid::SelectedColCount()
{
    if (FMouseActions->DisjunctColSelect()) return ColSelectCount();
    const TGridRect s = Selection();
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).X;
        return s.Left + span > s.Right ? span + 1 : std::abs(s.Left - s.Right) + 1;
    }
    if (IsMergedCell(s.Right, s.Top)) return std::abs(s.Left - s.Right) + CellSpan(s.Right, s.Top).X + 1;
    return std::abs(s.Left - s.Right) + 1;
}

int TKvStringGrid::SelectedRowCount()
{
    if (FMouseActions->DisjunctRowSelect()) return RowSelectCount();
    const TGridRect s = Selection();
    const int bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
    if (IsMergedCell(s.Left, s.Top)) {
        const int span = CellSpan(s.Left, s.Top).Y;
        return s.Top + span > bottom ? span + 1 : std::abs(s.Top - bottom) + 1;
    }
    if (IsMergedCell(s.Left, bottom)) return std::abs(s.Top - bottom) + CellSpan(s.Left, bottom).Y + 1;
    return std::abs(s.Top - bottom) + 1;
}

int TKvStringGrid::SelectedRow(int Index)
{
    if (Index < 0) return -1;
    if (FMouseActions->DisjunctRowSelect()) {
        const int n = std::min(int(FRowSelect.size()), RowCount() + FNumHiddenRows);
        for (int r = 0, k = 0; r < n; ++r)
            if (FRowSelect[size_t(r)] && k++ == Index) return r;
        return -1;
    }
    const TGridRect s = Selection();
    const int r = std::min(s.Top, s.Bottom) + Index;
    return r <= std::max(s.Top, s.Bottom) ? r : -1;
}

void TKvStringGrid::ClearSelectedCells()
{
    SetSelection(TGridRect(FixedCols(), FixedRows(), FixedCols(), FixedRows()));
    FSelectedCells->Clear();
    Invalidate();
}

void TKvStringGrid::ClearModifiedRows()
{
    FModifiedRows.clear();
    Invalidate();
}

void TKvStringGrid::AddRectToSelectedCells(const TGridRect& R, const TPoint& Except)
{
    for (int c = std::min(R.Left, R.Right); c <= std::max(R.Left, R.Right); ++c)
        for (int r = std::min(R.Top, R.Bottom); r <= std::max(R.Top, R.Bottom); ++r)
            if ((c != Except.X || r != Except.Y) && !FSelectedCells->HasValue(CellEntry(c, r)))
                FSelectedCells->Add(CellEntry(c, r));
}

void TKvStringGrid::RepaintSelectedCells()
{
    for (int e : *FSelectedCells) RepaintCell(KvGridInput::EntryCol(e), KvGridInput::EntryRow(e));
}

void TKvStringGrid::ListSelectedCell(int ACol, int ARow, bool Toggle)
{
    const int e = CellEntry(ACol, ARow);
    if (Toggle) {
        if (FSelectedCells->HasValue(e)) FSelectedCells->DeleteValue(e);
        else FSelectedCells->Add(e);
        return;
    }
    RepaintSelectedCells();
    FSelectedCells->Clear();
    FSelectedCells->Add(e);
}

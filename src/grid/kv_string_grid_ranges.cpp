// Operations over every cell of a rectangle, row, column or the whole grid:
// clearing (with or without the cells' properties), trimming, colouring,
// merging and splitting runs of equal cells, joining two columns, and the
// whole-text search.

#include <algorithm>

#include "grid/kv_string_grid.h"

namespace {
// Blanks and control characters go from both ends.
QString TrimControls(const QString& s)
{
    int b = 0, e = int(s.size());
    while (b < e && s.at(b).unicode() <= 0x20) ++b;
    while (e > b && s.at(e - 1).unicode() <= 0x20) --e;
    return s.mid(b, e - b);
}
} // namespace

// ============================================================ clearing

void TKvStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const bool destroying = IsDestroying();
    for (int r = std::max(ARow1, 0); r <= ARow2; ++r)
        for (int i = std::max(ACol1, 0); i <= ACol2; ++i) {
            const int a = SaveHiddenCells ? RealColIndex(i) : i;
            if (!ClearTextOnly && HasCellProperties(a, r)) {
                if (FNilObjects)
                    ClearCellSlot(a, r);
                else
                    SetCellProperties(a, r, nullptr);
            }
            if (!destroying) {
                if (!GridCells(a, r).isEmpty()) SetCells(a, r, QString());
                if (i != a) RepaintCell(i, r);
            }
        }
    if (ACol1 <= 0 && ARow1 <= 0 && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1 && !ClearTextOnly) {
        // The flag is only an early exit: it goes only when no cell and no
        // hidden-row record holds properties any more.
        bool any = false;
        for (int c = 0; c < AllColCount() && !any; ++c)
            for (int r = 0; r < RowCount() && !any; ++r) any = HasCellProperties(c, r);
        for (int k = 0; k < FHiddenRowList->Count() && !any; ++k) {
            TStringList* l = HiddenItem(k)->Cells();
            for (int c = 0; c < l->Count() && !any; ++c) any = dynamic_cast<TCellProperties*>(l->Objects(c));
        }
        if (!any) FHasCellProps = false;
    }
    if (!destroying && !FBlockCellChange)
        CellsChanged(TGridRect(RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2));
}

void TKvStringGrid::ClearRows(int RowIndex, int RCount)
{
    // Rows past the grid's end are not there to clear.
    if (RowIndex < 0 || RCount <= 0 || RowIndex >= RowCount() || ColCount() <= 0) return;
    ClearRect(0, RowIndex, AllColCount() - 1, std::min(RowIndex + RCount, RowCount()) - 1);
}

void TKvStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (RowCount() > 0 && ColCount() > 0 && CCount > 0) ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TKvStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RowCount() > 0 && ColCount() > 0 && RCount > 0)
        ClearRect(TBaseGrid::FixedCols(), RowIndex, AllColCount() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TKvStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (RowCount() > 0 && ColCount() > 0 && CCount > 0)
        ClearRect(ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TKvStringGrid::ClearNormalCells()
{
    if (RowCount() > 0 && ColCount() > 0)
        ClearRect(TBaseGrid::FixedCols(), TBaseGrid::FixedRows(), AllColCount() - FFixedRightCols - 1,
                  RowCount() - FFixedFooters - 1);
}

void TKvStringGrid::Clear()
{
    if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
    SearchInc.clear();
    if (FNumHiddenColumns > 0) Invalidate();
}

void TKvStringGrid::ClearAll()
{
    Clear();
    // The records stay; their stored cells go, properties freed with them.
    for (int k = 0; k < FHiddenRowList->Count(); ++k) {
        TStringList* l = HiddenItem(k)->Cells();
        for (int c = 0; c < l->Count(); ++c) {
            if (!ClearTextOnly) delete dynamic_cast<TCellProperties*>(l->Objects(c));
            l->SetStrings(c, QString());
            if (!ClearTextOnly) l->SetObjects(c, nullptr);
        }
    }
}

void TKvStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FMouseActions->RowSelectPersistent();
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (RowSelect(persistent ? RealRowIndex(r) : r)) ClearRows(r, 1);
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = TBaseGrid::FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c)) ClearCols(c, 1);
    } else {
        const TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}

// ============================================================ trimming and colouring

void TKvStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = std::max(ARow1, 0); r <= ARow2; ++r)
        for (int i = std::max(ACol1, 0); i <= ACol2; ++i) {
            const int c = SaveHiddenCells ? RealColIndex(i) : i;
            const QString t = Cells(c, r), trimmed = TrimControls(t);
            if (trimmed != t) SetCells(c, r, trimmed);
        }
}

void TKvStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    for (int r = std::max(ARow1, 0); r <= ARow2; ++r)
        for (int c = std::max(ACol1, 0); c <= ACol2; ++c) SetColors(c, r, AColor);
}

// ============================================================ merging

void TKvStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int first = TBaseGrid::FixedRows(), last = RowCount() - FFixedFooters - 1;
    if (ColIndex < 0 || first > last) return;
    int start = first, len = 1;
    for (int r = first + 1; r <= last; ++r) {
        if (Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))) {
            ++len;
            continue;
        }
        if (len > 1) MergeCells(ColIndex, start, 1, len);
        start = r;
        len = 1;
    }
    if (len > 1) MergeCells(ColIndex, start, 1, len);
}

void TKvStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int first = TBaseGrid::FixedCols(), last = ColCount() - FFixedRightCols - 1;
    if (RowIndex < 0 || first > last) return;
    int start = first, len = 1;
    for (int c = first + 1; c <= last; ++c) {
        if (Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c, c - 1))) {
            ++len;
            continue;
        }
        if (len > 1) MergeCells(start, RowIndex, len, 1);
        start = c;
        len = 1;
    }
    if (len > 1) MergeCells(start, RowIndex, len, 1);
}

// The last normal row and column are examined too, so a merge based there is split.
void TKvStringGrid::SplitColumnCells(int ColIndex)
{
    if (ColIndex < 0) return;
    for (int r = 0; r < RowCount() - FFixedFooters;) {
        if (IsYMergedCell(ColIndex, r)) {
            const int n = CellSpan(ColIndex, r).Y;
            SplitCells(ColIndex, r);
            r += n + 1;
        } else {
            ++r;
        }
    }
}

void TKvStringGrid::SplitRowCells(int RowIndex)
{
    if (RowIndex < 0) return;
    for (int c = 0; c < ColCount() - FFixedRightCols;) {
        if (IsMergedCell(c, RowIndex)) {
            const int n = CellSpan(c, RowIndex).X;
            SplitCells(c, RowIndex);
            c += std::max(n, 0) + 1;
        } else {
            ++c;
        }
    }
}

void TKvStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r)) SplitCells(c, r);
}

void TKvStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString& Separator)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
        SetCells(ColIndex1, r, (Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)).trimmed());
    RemoveCols(ColIndex2, 1);
}

bool TKvStringGrid::IsCell(const QString& SubStr, int& ACol, int& ARow) const
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GridCells(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

// The record of the column order, moving rows and columns with what travels
// with them, scrolling a cell into view, and the used and exported ranges.

#include <algorithm>
#include <vector>

#include "grid/kv_string_grid.h"

// ============================================================ column order

void TKvStringGrid::SetColumnOrder()
{
    FColumnOrder.clear();
    for (int c = 0; c < ColCount(); ++c) FColumnOrder.push_back(c);
}

void TKvStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (FColumnOrder.empty()) {
        SetColumnOrder();
        return;
    }
    for (bool moved = true; moved;) {
        moved = false;
        for (int i = 0; i < ColCount() && i < int(FColumnOrder.size()); ++i) {
            const int e = FColumnOrder[size_t(i)];
            if (e < i && e >= 0) {
                MoveColumn(i, e);
                moved = true;
            }
        }
    }
}

int TKvStringGrid::ColumnPosition(int ACol) const
{
    if (FColumnOrder.empty()) return ACol;
    const int n = std::min(int(FColumnOrder.size()), AllColCount());
    int p = ACol;
    for (int i = 0; i < n; ++i)
        if (FColumnOrder[size_t(i)] == ACol) {
            p = i;
            break;
        }
    if (FGroupColumn >= 0 && FGroupColumn <= ACol) --p;
    return p;
}

int TKvStringGrid::ColumnAtPosition(int APos)
{
    if (FColumnOrder.empty()) SetColumnOrder();
    if (FColumnOrder.empty() || APos < 0 || APos >= int(FColumnOrder.size())) return APos;
    int r = FColumnOrder[size_t(APos)];
    if (FGroupColumn >= 0 && FGroupColumn <= r) ++r;
    return r;
}

int TKvStringGrid::ColumnByHeader(const QString& AValue) const
{
    for (int c = 0; c < TotalColCount(); ++c)
        if (AllCells(c, 0) == AValue) return c;
    return -1;
}

// ============================================================ moving

namespace {
// Moves entry From of a sequence to position To, the entries between closing up.
template <class T>
void Rotate(T* Items, int From, int To)
{
    if (From < To)
        std::rotate(Items + From, Items + From + 1, Items + To + 1);
    else if (To < From)
        std::rotate(Items + To, Items + From, Items + From + 1);
}
} // namespace

namespace {
// Where an index lands when the entry at From moves to To: those between close up.
int FollowMove(int c, int From, int To)
{
    if (c == From) return To;
    if (From < To && c > From && c <= To) return c - 1;
    if (To < From && c >= To && c < From) return c + 1;
    return c;
}
} // namespace

void TKvStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    const int rf = RealColIndex(FromIndex), rt = RealColIndex(ToIndex);
    if (rf < int(FColumnOrder.size()) && rt < int(FColumnOrder.size())) Rotate(FColumnOrder.data(), rf, rt);
    if (FEnhRowColMove && FromIndex < ColCount() && ToIndex < ColCount()) {
        std::vector<int> w;
        for (int c = 0; c < ColCount(); ++c) w.push_back(ColWidths(c));
        Rotate(w.data(), FromIndex, ToIndex);
        for (int c = 0; c < ColCount(); ++c) SetColWidths(c, w[size_t(c)]);
        ColMoveFlg = true;
    }
    if (FNumHiddenColumns > 0 && rf <= MaxHiddenColumnIndex && rt <= MaxHiddenColumnIndex) {
        Rotate(FHiddenCol, rf, rt);
        Rotate(FAllColWidths, rf, rt);
    }
    for (int i = 0; i < FHiddenRowList->Count(); ++i) {
        TStringList* l = HiddenItem(i)->Cells();
        if (rf >= l->Count() || rt >= l->Count()) continue;
        const QString s = l->Strings(rf);
        TObject* o = l->Objects(rf);
        l->Delete(rf);
        l->InsertObject(rt, s, o);
    }
    // Sort columns follow the column to its new real index; the column that
    // stood at the target closes up like those between.
    if (FSortSettings->Column >= 0) FSortSettings->Column = FollowMove(FSortSettings->Column, rf, rt);
    if (FSortSettings->IndexShow) {
        for (int i = 0; i < FSortIndexes->Count(); ++i) {
            const quint32 e = quint32(FSortIndexes->Items(i));
            const int c = FollowMove(int(e & 0xFFFF), rf, rt);
            FSortIndexes->SetItems(i, int((e & 0xFFFF0000u) | (quint32(c) & 0xFFFF)));
        }
    }
    // The storage move runs on real columns and fires the moved event.
    TBaseGrid::ColumnMoved(rf, rt);
    const int lo = std::min(rf, rt), hi = std::max(rf, rt);
    for (int c = lo; c <= hi; ++c)
        for (int r = 0; r < RowCount(); ++r)
            if (TCellProperties* p = GridObjects(c, r)) p->SetOwnerCol(c);
    const int cur = FollowMove(Col(), FromIndex, ToIndex);
    if (cur != Col() && cur >= 0 && cur < ColCount()) MoveColRow(cur, Row(), true, false);
    if (FFloatingFooter->Visible()) FFloatingFooter->Invalidate();
    TKvStringGrid* g = FSyncGrid->Grid();
    if (g && g != this && FSyncGrid->MoveColumn() && !FSyncedMove && FromIndex < g->ColCount() &&
        ToIndex < g->ColCount()) {
        g->FSyncedMove = true;
        g->MoveColumn(FromIndex, ToIndex);
        g->FSyncedMove = false;
    }
}

void TKvStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (!FStockDelete && FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow &&
        ToIndex == RowCount() - 1)
        return;
    // The moved event waits until the heights have followed.
    auto moved = std::move(OnRowMoved);
    OnRowMoved = nullptr;
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    if (FEnhRowColMove && !FStockDelete && FromIndex < RowCount() && ToIndex < RowCount()) {
        std::vector<int> h;
        for (int r = 0; r < RowCount(); ++r) h.push_back(RowHeights(r));
        Rotate(h.data(), FromIndex, ToIndex);
        for (int r = 0; r < RowCount(); ++r) SetRowHeights(r, h[size_t(r)]);
        ColMoveFlg = true;
    }
    OnRowMoved = std::move(moved);
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
    const int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
    for (int c = 0; c < AllColCount(); ++c)
        for (int r = lo; r <= hi; ++r)
            if (auto* p = dynamic_cast<TCellProperties*>(TStringGrid::Objects(c, r))) p->SetOwnerRow(r);
    if (FStockDelete) return;
    TKvStringGrid* g = FSyncGrid->Grid();
    if (g && g != this && FSyncGrid->MoveRow() && !FSyncedMove && FromIndex < g->RowCount() &&
        ToIndex < g->RowCount()) {
        g->FSyncedMove = true;
        g->MoveRow(FromIndex, ToIndex);
        g->FSyncedMove = false;
    }
}

namespace {
// The controls' renumbering of a move: the moved one goes to To, those between close up.
void RenumberControls(TControlList* List, int FromIndex, int ToIndex, bool Columns)
{
    for (int i = 0; i < List->Count(); ++i) {
        TControlItem* item = List->Control(i);
        int& v = Columns ? item->X : item->Y;
        if (v == FromIndex)
            v = ToIndex;
        else if (ToIndex < FromIndex && v >= ToIndex && v < FromIndex)
            ++v;
        else if (ToIndex > FromIndex && v > FromIndex && v <= ToIndex)
            --v;
    }
}
} // namespace

void TKvStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FColumnOrder.empty()) SetColumnOrder();
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
    RenumberControls(FCellControls.get(), FromIndex, ToIndex, true);
    CellControlsUpdate();
}

void TKvStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    RenumberControls(FCellControls.get(), FromIndex, ToIndex, false);
    CellControlsUpdate();
}

void TKvStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount()) return;
    Count = std::min(Count, RowCount() - FromIndex);
    // Every storage column travels with the block, hidden ones included.
    std::vector<TStringList> scratch(static_cast<size_t>(Count));
    for (int k = 0; k < Count; ++k)
        for (int c = 0; c < AllColCount(); ++c)
            scratch[size_t(k)].AddObject(TStringGrid::Cells(c, FromIndex + k), TStringGrid::Objects(c, FromIndex + k));
    // Each hidden row keeps its place among the rows that do not move: count
    // those before it now, and the block lands before it only when it lands
    // among those rows.
    const int n = FHiddenRowList->Count();
    std::vector<int> place(static_cast<size_t>(n)), hiddenBefore(static_cast<size_t>(n));
    if (n > 0) {
        std::vector<int> movedReal;
        for (int k = 0; k < Count; ++k) movedReal.push_back(RealRowIndex(FromIndex + k));
        for (int i = 0; i < n; ++i) {
            const int h = HiddenItem(i)->Idx;
            const int below = HiddenBelow(h);
            const int moved = int(std::count_if(movedReal.begin(), movedReal.end(), [h](int v) { return v < h; }));
            place[size_t(i)] = h - below - moved;
            hiddenBefore[size_t(i)] = below;
        }
    }
    if (FromIndex + Count < ToIndex) ToIndex -= Count;
    RemoveRowsEx(FromIndex, Count);
    ToIndex = std::min(ToIndex, RowCount());
    InsertRows(ToIndex, Count, true);
    for (int k = 0; k < Count; ++k)
        for (int c = 0; c < AllColCount(); ++c) {
            const TStringList& l = scratch[size_t(k)];
            TObject* o = c < l.Count() ? l.Objects(c) : nullptr;
            TStringGrid::SetCells(c, ToIndex + k, c < l.Count() ? l.Strings(c) : QString());
            TStringGrid::SetObjects(c, ToIndex + k, o);
            if (auto* p = dynamic_cast<TCellProperties*>(o)) p->SetOwnerRow(ToIndex + k);
        }
    for (int i = 0; i < n; ++i)
        HiddenItem(i)->Idx = hiddenBefore[size_t(i)] + place[size_t(i)] + (ToIndex < place[size_t(i)] ? Count : 0);
}

// ============================================================ scrolling

void TKvStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount() || ColIndex < 0 || RowIndex < 0) return;
    int L = LeftCol(), T = TopRow();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisibleColCount()) {
        SetCol(ColIndex);
        L = std::max(ColIndex - VisibleColCount() / 2, TBaseGrid::FixedCols());
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + VisibleRowCount()) {
        TBaseGrid::SetRow(RowIndex);
        T = std::max(RowIndex - VisibleRowCount() / 2, TBaseGrid::FixedRows());
    }
    L = std::min(L, ColCount() - VisibleColCount() + 1);
    if (TBaseGrid::FixedCols() + VisibleColCount() < ColCount()) SetLeftCol(std::min(L, ColCount() - 1));
    T = std::min(T, RowCount() - VisibleRowCount() + 1);
    if (TBaseGrid::FixedRows() + VisibleRowCount() >= RowCount()) return;
    SetTopRow(T);
    if (FSearchFooter->Visible() && FSearchPanel) {
        int usable = Height() - FSearchPanel->Height();
        if (TBaseGrid::FixedCols() + VisibleColCount() < ColCount()) usable -= GetSystemMetrics(SM_CYHSCROLL);
        // Stops once the top row cannot rise any further.
        while (CellRect(0, RowIndex).Bottom > usable) {
            const int before = TopRow();
            SetTopRow(before + 1);
            if (TopRow() == before) break;
        }
    }
}

// ============================================================ ranges

TGridRect TKvStringGrid::UsedCells() const
{
    int l = -1, t = -1, r = 0, b = 0;
    for (int c = 0; c < ColCount(); ++c)
        for (int j = 0; j < RowCount(); ++j) {
            if (Cells(c, j).isEmpty()) continue;
            l = l < 0 ? c : std::min(l, c);
            t = t < 0 ? j : std::min(t, j);
            r = std::max(r, c);
            b = std::max(b, j);
        }
    if (l < 0) return TGridRect(0, 0, 0, 0);
    return TGridRect(l, t, r, b);
}

int TKvStringGrid::SaveStartCol() const { return FSaveFixedCells || FSaveFixedCols ? 0 : TBaseGrid::FixedCols(); }
int TKvStringGrid::SaveStartRow() const { return FSaveFixedCells || FSaveFixedRows ? 0 : TBaseGrid::FixedRows(); }

int TKvStringGrid::SaveEndCol() const
{
    return FSaveFixedCells || FSaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

int TKvStringGrid::SaveEndRow() const
{
    return FSaveFixedCells || FSaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

int TKvStringGrid::SaveColCount() const
{
    return FSaveFixedCells || FSaveFixedCols ? ColCount() : ColCount() - TBaseGrid::FixedCols() - FFixedRightCols;
}

int TKvStringGrid::SaveRowCount() const
{
    return FSaveFixedCells || FSaveFixedRows ? RowCount() : RowCount() - TBaseGrid::FixedRows() - FFixedFooters;
}

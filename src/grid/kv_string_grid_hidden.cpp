// Hidden columns and rows of the grid and the conversions between display
// and real indexes. A hidden column keeps its cells in the storage under its
// real index and only leaves the display; a hidden row leaves the storage for
// a TGridItem record that holds its texts, its properties references and its
// height. Row copies run over every storage column (AllColCount), so the
// cells of hidden columns always travel with their row.

#include <algorithm>
#include <cassert>
#include <unordered_set>
#include <vector>

#include "grid/kv_string_grid.h"

// ============================================================ storage rows

void TKvStringGrid::CopyStorageRow(int FromRow, int ToRow)
{
    if (FromRow == ToRow) return;
    for (int c = 0, n = AllColCount(); c < n; ++c) {
        TStringGrid::SetCells(c, ToRow, TStringGrid::Cells(c, FromRow));
        TObject* o = TStringGrid::Objects(c, FromRow);
        TStringGrid::SetObjects(c, ToRow, o);
        if (auto* p = dynamic_cast<TCellProperties*>(o)) p->SetOwnerRow(ToRow);
    }
}

// Drops the references of a storage row without freeing them: whoever calls
// this has moved them elsewhere (or freed them) first.
void TKvStringGrid::WipeStorageRow(int ARow)
{
    for (int c = 0, n = AllColCount(); c < n; ++c) {
        TStringGrid::SetObjects(c, ARow, nullptr);
        TStringGrid::SetCells(c, ARow, QString());
    }
}

void TKvStringGrid::RowToItem(int ARow, TGridItem* Item)
{
    TStringList* l = Item->Cells();
    l->Clear();
    for (int c = 0, n = AllColCount(); c < n; ++c)
        l->AddObject(TStringGrid::Cells(c, ARow), TStringGrid::Objects(c, ARow));
}

void TKvStringGrid::ItemToRow(TGridItem* Item, int ARow)
{
    TStringList* l = Item->Cells();
    for (int c = 0, n = AllColCount(); c < n; ++c) {
        const bool stored = c < l->Count();
        TObject* o = stored ? l->Objects(c) : nullptr;
        TStringGrid::SetCells(c, ARow, stored ? l->Strings(c) : QString());
        TStringGrid::SetObjects(c, ARow, o);
        if (auto* p = dynamic_cast<TCellProperties*>(o)) p->SetOwnerRow(ARow);
    }
    // The references now live in the row; the record must not hand them out again.
    l->Clear();
}

TGridItem* TKvStringGrid::HiddenItem(int Index) const
{
    return static_cast<TGridItem*>(FHiddenRowList->Items(Index));
}

int TKvStringGrid::HiddenBelow(int RealRow) const
{
    int n = 0;
    for (int i = 0; i < FHiddenRowList->Count(); ++i)
        if (HiddenItem(i)->Idx < RealRow) ++n;
    return n;
}

int TKvStringGrid::FindHiddenItem(int Idx) const
{
    for (int i = 0; i < FHiddenRowList->Count(); ++i)
        if (HiddenItem(i)->Idx == Idx) return i;
    return -1;
}

void TKvStringGrid::SyncHiddenCount()
{
    FNumHiddenRows = FHiddenRowList->Count();
}

// ============================================================ columns

bool TKvStringGrid::IsHiddenColumn(int Colindex) const
{
    return Colindex >= 0 && Colindex <= MaxHiddenColumnIndex && FHiddenCol[Colindex];
}

void TKvStringGrid::SetColumnVisible(int i, bool Visible)
{
    if (i >= 0 && i <= MaxHiddenColumnIndex) FHiddenCol[i] = !Visible;
}

bool TKvStringGrid::IsColumnVisible(int i) const
{
    return !IsHiddenColumn(i);
}

int TKvStringGrid::AllColWidths(int i) const
{
    if (IsHiddenColumn(i)) return FAllColWidths[i];
    return ColWidths(DisplColIndexOf(i));
}

void TKvStringGrid::SetAllColWidths(int i, int w)
{
    if (i >= 0 && i <= 512) FAllColWidths[i] = short(w);
    if (!IsHiddenColumn(i)) SetColWidths(DisplColIndexOf(i), w);
}

int TKvStringGrid::RealColIndex(int ACol) const
{
    if (ACol > MaxHiddenColumnIndex || FNumHiddenColumns == 0) return ACol;
    if (ACol < 0) return 0;
    int seen = 0;
    for (int j = 0; j <= MaxHiddenColumnIndex; ++j) {
        if (FHiddenCol[j]) continue;
        if (seen == ACol) return j;
        ++seen;
    }
    return 0;
}

int TKvStringGrid::DisplColIndexOf(int ACol) const
{
    if (ACol > MaxHiddenColumnIndex || FNumHiddenColumns == 0) return ACol;
    int d = ACol;
    for (int j = 0; j < ACol; ++j)
        if (FHiddenCol[j]) --d;
    return d;
}

int TKvStringGrid::DisplColIndex(int ACol)
{
    return DisplColIndexOf(ACol);
}

void TKvStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    for (int c = std::max(FromCol, 0); c <= std::min(ToCol, MaxHiddenColumnIndex); ++c) {
        if (FHiddenCol[c] || c >= AllColCount() || ColCount() <= 1) continue;
        const int d = DisplColIndexOf(c);
        FAllColWidths[c] = short(ColWidths(d));
        for (int i = d; i + 1 < ColCount(); ++i) SetColWidths(i, ColWidths(i + 1));
        ++FNumHiddenColumns;
        FHiddenCol[c] = true;
        if (Col() == ColCount() - 1 && Col() > 0) SetCol(Col() - 1);
        SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TKvStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    ShowColumns(FromCol, ToCol);
    Invalidate();
}

void TKvStringGrid::ShowAllForDestroy()
{
    if (HasNodes()) UnHideRowsAll();
    ShowColumns(0, MaxHiddenColumnIndex);
}

// The hidden columns of the range back in place with their saved widths.
void TKvStringGrid::ShowColumns(int FromCol, int ToCol)
{
    for (int c = std::max(FromCol, 0); c <= std::min(ToCol, MaxHiddenColumnIndex); ++c) {
        if (!FHiddenCol[c]) continue;
        --FNumHiddenColumns;
        FHiddenCol[c] = false;
        SetColCount(ColCount() + 1);
        const int d = DisplColIndexOf(c);
        for (int i = ColCount() - 2; i >= d; --i) SetColWidths(i + 1, ColWidths(i));
        SetColWidths(d, FAllColWidths[c]);
    }
}

void TKvStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, MaxHiddenColumnIndex);
}

// ============================================================ row mapping

int TKvStringGrid::RealRowIndex(int ARow) const
{
    const int n = FHiddenRowList->Count();
    if (n == 0) return ARow;
    if (ARow < 0) return -1;
    // One pass over the records; a sort only when a batch left them unordered.
    std::vector<int> idx;
    idx.reserve(size_t(n));
    bool sorted = true;
    for (int i = 0; i < n; ++i) {
        const int v = HiddenItem(i)->Idx;
        if (!idx.empty() && v < idx.back()) sorted = false;
        idx.push_back(v);
    }
    if (!sorted) std::sort(idx.begin(), idx.end());
    int r = ARow;
    for (int v : idx) {
        if (v > r) break;
        ++r;
    }
    return r;
}

int TKvStringGrid::DisplRowIndex(int ARow) const
{
    return ARow - HiddenBelow(ARow);
}

bool TKvStringGrid::IsHiddenRow(int Rowindex) const
{
    return FindHiddenItem(Rowindex) >= 0;
}

bool TKvStringGrid::IsHiddenRow(int Rowindex, TIntList*& ListHidden) const
{
    if (!ListHidden) {
        ListHidden = new TIntList(0, 0);
        for (int i = 0; i < FHiddenRowList->Count(); ++i) ListHidden->Add(HiddenItem(i)->Idx);
    }
    return ListHidden->HasValue(Rowindex);
}

TStringList* TKvStringGrid::GetHiddenRowCells(int ARow) const
{
    const int i = FindHiddenItem(ARow);
    return i < 0 ? nullptr : HiddenItem(i)->Cells();
}

// ============================================================ hiding rows

void TKvStringGrid::HideRows(int FromRow, int ToRow)
{
    if (FromRow < 0 || ToRow < FromRow) return;
    int already = 0, below = 0;
    for (int i = 0; i < FHiddenRowList->Count(); ++i) {
        const int v = HiddenItem(i)->Idx;
        if (v >= FromRow && v <= ToRow) ++already;
        if (v < FromRow) ++below;
    }
    const int total = ToRow - FromRow + 1;
    if (already == total) return;
    // Callers hide ranges of rows that are all shown (node collapse).
    assert(already == 0);
    const int D = FromRow - below;
    if (D >= RowCount()) return;
    // Insert position: the records stay in ascending Idx, after the last below FromRow.
    int P = 0;
    while (P < FHiddenRowList->Count() && HiddenItem(P)->Idx < FromRow) ++P;
    int hidden = 0;
    for (int k = FromRow; k <= ToRow && D + (k - FromRow) < RowCount(); ++k) {
        if (FindHiddenItem(k) >= 0) continue;
        auto* item = static_cast<TGridItem*>(FHiddenRowList->Insert(P++));
        const int src = D + (k - FromRow);
        RowToItem(src, item);
        item->Idx = k;
        item->RowHeight = RowHeights(src);
        ++hidden;
    }
    SyncHiddenCount();
    if (const int ci = FCellControls->ControlIndex(1, D); ci >= 0) {
        if (TControl* ctl = FCellControls->Control(ci)->Control) ctl->SetVisible(false);
    }
    DeleteRowBlock(D, hidden, false);
    CellControlsUpdate();
}

void TKvStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    if (FromRow < 0 || ToRow < FromRow || FindHiddenItem(FromRow) >= 0) return;
    const int D = FromRow - HiddenBelow(FromRow);
    if (D >= RowCount()) return;
    const int last = std::min(ToRow, FromRow + RowCount() - 1 - D);
    for (int k = FromRow; k <= last; ++k) {
        auto* item = static_cast<TGridItem*>(FHiddenRowList->Add());
        RowToItem(D + (k - FromRow), item);
        item->Idx = k;
        item->Appended = true;
    }
    SyncHiddenCount();
    RemoveRowsEx(D, last - FromRow + 1);
    CellControlsUpdate();
}

void TKvStringGrid::HideRowList(const TIntList* RowList)
{
    if (!RowList || RowList->Count() == 0) return;
    const int rows = RowCount();
    std::vector<int> heights(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) heights[size_t(r)] = RowHeights(r);
    std::vector<bool> listed(static_cast<size_t>(rows), false);
    int n = 0;
    for (int i = 0; i < RowList->Count(); ++i) {
        const int x = RowList->Items(i);
        if (x < 0 || x >= rows || listed[size_t(x)]) continue;
        listed[size_t(x)] = true;
        auto* item = static_cast<TGridItem*>(FHiddenRowList->Add());
        RowToItem(x, item);
        item->Idx = x;
        item->RowHeight = heights[size_t(x)];
        item->Level = FFilterLevel;
        item->Appended = true;
        ++n;
    }
    ++FFilterLevel;
    SyncHiddenCount();
    int w = 0;
    for (int r = 0; r < rows; ++r) {
        if (listed[size_t(r)]) continue;
        CopyStorageRow(r, w);
        SetRowHeights(w, heights[size_t(r)]);
        ++w;
    }
    SetRowCount(rows - n);
    for (int r = RowCount(); r < rows; ++r) WipeStorageRow(r);
    CellControlsUpdate();
}

// ============================================================ showing rows

void TKvStringGrid::UnHideRow(int Rowindex)
{
    const bool marking = FShowModified->Enabled();
    FShowModified->SetEnabled(false);
    const int i = FindHiddenItem(Rowindex);
    if (i >= 0) {
        const int D = Rowindex - HiddenBelow(Rowindex);
        InsertRowBlock(D, 1, false);
        TGridItem* item = HiddenItem(i);
        ItemToRow(item, D);
        SetRowHeights(D, item->RowHeight);
        FHiddenRowList->Delete(i);
        SyncHiddenCount();
    }
    FShowModified->SetEnabled(marking);
    for (int k = 0; k < FCellControls->Count(); ++k)
        if (TControlItem* ci = FCellControls->Control(k); ci->Y == Rowindex && ci->Control)
            ci->Control->SetVisible(true);
    CellControlsUpdate();
}

void TKvStringGrid::UnHideRows(int FromRow, int ToRow)
{
    const bool marking = FShowModified->Enabled();
    FShowModified->SetEnabled(false);
    if (FindHiddenItem(FromRow) >= 0) {
        const int D = FromRow - HiddenBelow(FromRow);
        int A = 0;
        for (int i = 0; i < FHiddenRowList->Count(); ++i)
            if (const int v = HiddenItem(i)->Idx; v >= FromRow && v <= ToRow) ++A;
        // Callers show ranges whose rows are all hidden (node expansion).
        assert(A == ToRow - FromRow + 1);
        InsertRowBlock(D, A, false);
        for (int i = 0; i < FHiddenRowList->Count();) {
            TGridItem* item = HiddenItem(i);
            if (item->Idx < FromRow || item->Idx > ToRow) {
                ++i;
                continue;
            }
            const int t = D + (item->Idx - FromRow);
            const bool first = item->Idx == FromRow;
            ItemToRow(item, t);
            SetRowHeights(t, item->RowHeight);
            FHiddenRowList->Delete(i);
            if (first) {
                if (const int ci = FCellControls->ControlIndex(1, t); ci >= 0) {
                    if (TControl* ctl = FCellControls->Control(ci)->Control) {
                        const TRect r = CellRect(1, t);
                        ctl->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
                        ctl->SetVisible(true);
                    }
                }
            }
        }
        SyncHiddenCount();
    }
    FShowModified->SetEnabled(marking);
    CellControlsUpdate();
}

void TKvStringGrid::UnHideRowsAll()
{
    while (FHiddenRowList->Count() > 0) {
        const int first = HiddenItem(0)->Idx;
        int last = first;
        for (int i = 1; i < FHiddenRowList->Count() && HiddenItem(i)->Idx == last + 1; ++i) ++last;
        const int before = FHiddenRowList->Count();
        UnHideRows(first, last);
        // A record that cannot go back (its place lies beyond the grid) is dropped
        // with its row: the walk must end.
        if (FHiddenRowList->Count() == before) {
            FHiddenRowList->Delete(0);
            SyncHiddenCount();
        }
    }
}

void TKvStringGrid::UnHideRowList()
{
    const int L = FFilterLevel - 1;
    int n = 0;
    for (int i = 0; i < FHiddenRowList->Count(); ++i)
        if (HiddenItem(i)->Level == L) ++n;
    if (L < 0 || n == 0) return;
    const int K = FFloatingFooter->Visible() ? 2 : 1;
    int S = RowCount() - K;
    if (Row() >= RowCount()) TBaseGrid::SetSelection(TGridRect(TBaseGrid::FixedCols(), TBaseGrid::FixedRows(),
                                                                TBaseGrid::FixedCols(), TBaseGrid::FixedRows()));
    SetRowCount(RowCount() + n);
    int i = FHiddenRowList->Count() - 1;
    for (int t = RowCount() - K; t >= 0; --t) {
        while (i >= 0 && HiddenItem(i)->Level < L) --i;
        if (i >= 0 && t == HiddenItem(i)->Idx) {
            ItemToRow(HiddenItem(i), t);
            SetRowHeights(t, HiddenItem(i)->RowHeight);
            --i;
        } else if (t > S) {
            CopyStorageRow(S, t);
            SetRowHeights(t, RowHeights(S));
            --S;
        }
    }
    if (FFilterLevel > 1) {
        for (int k = FHiddenRowList->Count() - 1; k >= 0; --k)
            if (HiddenItem(k)->Level == L) FHiddenRowList->Delete(k);
    } else {
        FHiddenRowList->Clear();
    }
    SyncHiddenCount();
    CellControlsUpdate();
}

// ============================================================ current and top row

void TKvStringGrid::SetRow(int Value)
{
    if (Col() < 0 || Col() >= ColCount()) FocusCell(TBaseGrid::FixedCols(), Value);
    TBaseGrid::SetRow(Value);
    if (Value != FReportedRow && OnRowChanged) {
        OnRowChanged(this, FReportedRow, Value);
        FReportedRow = Value;
    }
    if (FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
    if (TKvStringGrid* g = FSyncGrid->Grid(); g && FSyncGrid->SelectionRow() && Value < g->RowCount())
        g->SetRow(Value);
    if (Value == RowCount() - 1 && FSearchFooter->Visible()) {
        ScrollInView(Col(), Value);
        KeepLastRowAboveSearchPanel();
    }
}

void TKvStringGrid::SetTopRow(int Value)
{
    if (Value < TBaseGrid::FixedRows() || Value > RowCount() - 1) return;
    TBaseGrid::SetTopRow(Value);
}

// ============================================================ sorted order

int TKvStringGrid::SortedRowIndex(int ARow) const
{
    const int v = ARow >= 0 && ARow < FSortRowXRef->Count() ? FSortRowXRef->Items(ARow) : ARow;
    return RealRowIndex(v);
}

int TKvStringGrid::UnSortedRowIndex(int ARow) const
{
    if (FSortRowXRef->Count() == 0) return ARow;
    const int i = FSortRowXRef->IndexOf(ARow);
    return i < 0 ? FSortRowXRef->Count() : i;
}

QString TKvStringGrid::UnSortedCells(int i, int j) const
{
    int k = j;
    if (FSortRowXRef->Count() >= j && FSortRowXRef->Count() > 0) k = UnSortedRowIndex(j);
    return Cells(i, k);
}

void TKvStringGrid::SetUnSortedCells(int i, int j, const QString& Value)
{
    int k = j;
    if (FSortRowXRef->Count() >= j && FSortRowXRef->Count() > 0) k = UnSortedRowIndex(j);
    SetCells(i, k, Value);
}

// ============================================================ consistency

bool TKvStringGrid::CheckHiddenConsistency() const
{
    int hiddenCols = 0;
    for (int c = 0; c <= MaxHiddenColumnIndex; ++c)
        if (FHiddenCol[c]) ++hiddenCols;
    if (hiddenCols != FNumHiddenColumns || FHiddenRowList->Count() != FNumHiddenRows) return false;
    std::unordered_set<int> idx;
    int lastOrdered = -1;
    for (int i = 0; i < FHiddenRowList->Count(); ++i) {
        TGridItem* item = HiddenItem(i);
        if (!idx.insert(item->Idx).second || item->Idx < 0) return false;
        if (!item->Appended) {
            if (item->Idx < lastOrdered) return false;
            lastOrdered = item->Idx;
        }
    }
    // Every properties object is held once: by a storage cell or by a record.
    std::unordered_set<const TObject*> held;
    auto hold = [&held](const TObject* o) { return !o || held.insert(o).second; };
    const int rows = std::max(RowCount(), FMaxRowCount) + 1;
    for (int c = 0; c < AllColCount(); ++c)
        for (int r = 0; r < rows; ++r)
            if (!hold(dynamic_cast<TCellProperties*>(TStringGrid::Objects(c, r)))) return false;
    for (int i = 0; i < FHiddenRowList->Count(); ++i) {
        TStringList* l = HiddenItem(i)->Cells();
        for (int c = 0; c < l->Count(); ++c)
            if (!hold(dynamic_cast<TCellProperties*>(l->Objects(c)))) return false;
    }
    return CheckConsistency();
}

// Opening and closing rows and columns, and the update bracket. Everything
// that belongs to a row travels with it: texts, properties references,
// heights, the records of hidden rows after it, the modified, enabled and
// selection lists and the rows of the cell controls.

#include <algorithm>
#include <vector>

#include "grid/kv_string_grid.h"
#include "platform/ui/stdctrls.h"

namespace {
void EraseEntries(std::vector<int>& List, int Index, int Count)
{
    for (int i = 0; i < Count && Index < int(List.size()); ++i) List.erase(List.begin() + Index);
}
} // namespace

// ============================================================ update bracket

void TKvStringGrid::BeginUpdate()
{
    if (!Visible()) return;
    ++FUpdateCount;
    LockRedraw();
}

void TKvStringGrid::EndUpdate()
{
    if (!Visible()) return;
    if (FUpdateCount > 0) {
        --FUpdateCount;
        if (RedrawLocked()) UnlockRedraw();
    }
    if (FUpdateCount == 0 && !IsDestroying()) {
        FSelChange = false;
        Invalidate();
    }
}

// ============================================================ selection hiding

void TKvStringGrid::HideSelection()
{
    FOldSelection = Selection();
    TBaseGrid::SetSelection(TGridRect(ColCount(), RowCount(), ColCount(), RowCount()));
    FSelHidden = true;
}

void TKvStringGrid::UnHideSelection()
{
    FSelHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount() && FOldSelection.Top >= 0 &&
        FOldSelection.Left >= 0) {
        TGridRect r = FOldSelection;
        r.Right = std::min(r.Right, ColCount() - 1);
        r.Bottom = std::min(r.Bottom, RowCount() - 1);
        TBaseGrid::SetSelection(r);
        return;
    }
    const int T = FFixedRowAlways && TBaseGrid::FixedRows() == RowCount() ? 0 : TBaseGrid::FixedRows();
    const int L = FFixedColAlways && TBaseGrid::FixedCols() == ColCount() ? 0 : TBaseGrid::FixedCols();
    if (T < RowCount() && L < ColCount()) TBaseGrid::SetSelection(TGridRect(L, T, L, T));
}

// ============================================================ cell controls

void TKvStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (RebuildList) {
        FCellControls->Clear();
        for (int c = 0; c < ColCount(); ++c)
            for (int r = 0; r < RowCount(); ++r)
                if (TCellProperties* p = GridObjects(c, r); p && p->Control()) FCellControls->AddControl(c, r, p->Control());
    }
    if (TScrollBar* bar = CellScrollBar(); bar && bar->Visible()) {
        const bool inView = Col() >= LeftCol() && Col() < LeftCol() + VisibleColCount() && Row() >= TopRow() &&
                            Row() < TopRow() + VisibleRowCount();
        if (!inView) {
            bar->SetHeight(0);
        } else {
            const TRect R = CellRect(Col(), Row());
            bar->SetBounds(R.Right - bar->Width(), R.Top, bar->Width(), R.Bottom - R.Top);
        }
    }
    for (int i = 0; i < FCellControls->Count(); ++i) {
        TControlItem* item = FCellControls->Control(i);
        TControl* ctl = item->Control;
        if (!ctl) continue;
        if (IsHiddenRow(item->Y) || IsHiddenColumn(item->X)) {
            ctl->SetVisible(false);
            continue;
        }
        const int c = DisplColIndexOf(item->X), r = DisplRowIndex(item->Y);
        const bool inView = c >= 0 && c < ColCount() && r >= 0 && r < RowCount() &&
                            (c < TBaseGrid::FixedCols() || (c >= LeftCol() && c <= LeftCol() + VisibleColCount())) &&
                            (r < TBaseGrid::FixedRows() || (r >= TopRow() && r <= TopRow() + VisibleRowCount()));
        if (!inView) {
            ctl->SetVisible(false);
            continue;
        }
        const TRect R = CellRect(c, r);
        ctl->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top + 1);
        ctl->SetVisible(true);
    }
}

// ============================================================ opening rows

void TKvStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    InsertRowBlock(RowIndex, RCount, UpdateCellControls);
}

void TKvStringGrid::InsertRowBlock(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0 || RowIndex < 0) return;
    RowIndex = std::min(RowIndex, RowCount());
    const int lastW = ColCount() > 0 ? ColWidths(ColCount() - 1) : 0;
    if (FSelHidden || Col() >= ColCount() || Row() >= RowCount()) UnHideSelection();
    SetRowCount(RowCount() + RCount);
    const int last = RowCount() - 1 - (FFloatingFooter->Visible() ? 1 : 0);
    for (int t = last; t >= RowIndex + RCount; --t) {
        CopyStorageRow(t - RCount, t);
        SetRowHeights(t, RowHeights(t - RCount));
    }
    for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r) {
        SetRowHeights(r, DefaultRowHeight());
        WipeStorageRow(r);
    }
    if (FShowModified->Enabled() && int(FModifiedRows.size()) > RowIndex)
        FModifiedRows.insert(FModifiedRows.begin() + RowIndex, size_t(RCount), 0);
    if (FUseEnabledRows && int(FEnabledRows.size()) > RowIndex)
        FEnabledRows.insert(FEnabledRows.begin() + RowIndex, size_t(RCount), 0);
    if (ColCount() > 0) SetColWidths(ColCount() - 1, lastW);
    if (UpdateCellControls && FCellControls->Count() > 0) {
        const int real = RealRowIndex(RowIndex);
        for (int i = 0; i < FCellControls->Count(); ++i)
            if (TControlItem* item = FCellControls->Control(i); item->Y >= real) item->Y += RCount;
        CellControlsUpdate();
    }
    if (!IsDestroying()) CellsChanged(TGridRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TKvStringGrid::AddRow()
{
    if (FFloatingFooter->Visible()) {
        InsertRows(RowCount() - 1, 1, true);
        if (FFloatingFooter->FooterStyle() != fsFixedLastRow) return;
        WipeStorageRow(RowCount() - 2);
    } else {
        InsertRows(RowCount(), 1, true);
        WipeStorageRow(RowCount() - 1);
    }
}

// ============================================================ removing rows

void TKvStringGrid::RemoveRows(int RowIndex, int RCount)
{
    // A start at or beyond the last row, or a count reaching past it, is cut
    // to the rows that exist, so no row is dropped without its properties freed.
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    // Real indexes of the removed rows, to lower the hidden rows after them.
    std::vector<int> removedReal;
    if (FHiddenRowList->Count() > 0)
        for (int r = RowIndex; r < RowIndex + RCount; ++r) removedReal.push_back(RealRowIndex(r));
    const int ctlFrom = RealRowIndex(RowIndex + RCount);
    for (int i = 0; i < FCellControls->Count(); ++i)
        if (TControlItem* item = FCellControls->Control(i); item->Y >= ctlFrom) item->Y -= RCount;
    FreeCellPropertiesRect(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);
    const int lastW = ColCount() > 0 ? ColWidths(ColCount() - 1) : 0;
    const bool entered = FEntered;
    FEntered = false;
    if (Col() >= 0 && Col() < ColCount() && Row() >= 0 && Row() < RowCount()) SelectCell(Col(), Row());
    BeginUpdate();
    const int top = TopRow(), row = Row();
    const bool footer = FFloatingFooter->Visible();
    const int fixedFooters = FFixedFooters;
    if (footer) FFloatingFooter->SetVisible(false);
    // Each hidden row goes down by the removed rows that stood above it.
    for (int i = 0; i < FHiddenRowList->Count(); ++i) {
        TGridItem* item = HiddenItem(i);
        item->Idx -= int(std::count_if(removedReal.begin(), removedReal.end(), [&](int v) { return v < item->Idx; }));
    }
    if (FShowModified->Enabled()) EraseEntries(FModifiedRows, RowIndex, RCount);
    if (FUseEnabledRows) EraseEntries(FEnabledRows, RowIndex, RCount);
    if (FMouseActions->DisjunctRowSelect())
        for (int i = 0; i < RCount && RowIndex < int(FRowSelect.size()); ++i) FRowSelect.erase(FRowSelect.begin() + RowIndex);
    const int oldCount = RowCount();
    for (int t = RowIndex; t < oldCount; ++t) {
        if (t + RCount < oldCount) {
            CopyStorageRow(t + RCount, t);
            SetRowHeights(t, RowHeights(t + RCount));
        } else {
            WipeStorageRow(t);
        }
    }
    for (int t = oldCount; t <= oldCount + RCount; ++t) WipeStorageRow(t);
    SetRowCount(oldCount - RCount);
    FMaxRowCount -= RCount;
    if (Row() > RowCount() - 1 && RowCount() - 1 >= TBaseGrid::FixedRows()) TBaseGrid::SetRow(RowCount() - 1);
    if (row < RowCount() - fixedFooters) {
        if (!FMouseActions->DisjunctRowSelect() && row >= 0) SetRow(row);
        SetTopRow(top);
    } else {
        if (TBaseGrid::FixedRows() < RowCount() - fixedFooters)
            SetRow(RowCount() - fixedFooters - 1);
        else
            HideSelection();
        FSelHidden = false;
    }
    if (ColCount() > 0) SetColWidths(ColCount() - 1, lastW);
    if (footer) FFloatingFooter->SetVisible(true);
    SetFixedFooters(fixedFooters);
    EndUpdate();
    FEntered = entered;
    CellsChanged(TGridRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    const int vis = VisibleRowCount();
    if (TopRow() >= RowCount() + TBaseGrid::FixedRows() - vis - 2 && RowCount() - vis - 1 > 0)
        SetTopRow(RowCount() + TBaseGrid::FixedRows() - vis - 2);
    if (FCellControls->Count() > 0) CellControlsUpdate();
}

void TKvStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    const int lastW = ColCount() > 0 ? ColWidths(ColCount() - 1) : 0;
    const int row = Row(), top = TopRow();
    BeginUpdate();
    const int oldCount = RowCount();
    for (int t = RowIndex; t + RCount < oldCount; ++t) CopyStorageRow(t + RCount, t);
    // The references of the last rows now stand higher up; the vacated slots let go.
    for (int t = oldCount - RCount; t < oldCount; ++t) WipeStorageRow(t);
    if (FMouseActions->DisjunctRowSelect())
        for (int i = 0; i < RCount && RowIndex < int(FRowSelect.size()); ++i) FRowSelect.erase(FRowSelect.begin() + RowIndex);
    SetRowCount(oldCount - RCount);
    FMaxRowCount -= RCount;
    if (ColCount() > 0) SetColWidths(ColCount() - 1, lastW);
    if (row < RowCount()) {
        if (row >= 0) SetRow(row);
        SetTopRow(top);
    } else if (TBaseGrid::FixedRows() < RowCount()) {
        SetRow(TBaseGrid::FixedRows());
        SetTopRow(TBaseGrid::FixedRows());
    }
    EndUpdate();
    // Hidden rows keep their real indexes: the callers (the simple hiding and
    // the block move) settle them themselves.
    CellsChanged(TGridRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TKvStringGrid::RemoveRowRange(int ARow, int Count)
{
    FreeCellPropertiesRect(0, ARow, AllColCount() - 1, ARow + Count - 1);
    DeleteRowBlock(ARow, Count, true);
}

void TKvStringGrid::DeleteRowBlock(int ARow, int Count, bool Permanent)
{
    if (ARow < 0 || ARow >= RowCount() || Count <= 0) return;
    Count = std::min(Count, RowCount() - ARow);
    if (Permanent && FCellControls->Count() > 0) {
        for (int i = FCellControls->Count() - 1; i >= 0; --i) {
            TControlItem* item = FCellControls->Control(i);
            if (item->Y < ARow || item->Y > ARow + Count - 1) continue;
            if (item->Control) item->Control->SetVisible(false);
            FCellControls->RemoveControl(i);
        }
    }
    const int fixedFooters = FFixedFooters;
    if (fixedFooters > 0) SetFixedFooters(0);
    const bool footer = FFloatingFooter->Visible();
    if (footer) {
        BeginUpdate();
        FFloatingFooter->SetVisible(false);
    }
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    if (disjunct) FMouseActions->SetDisjunctRowSelect(false);
    const int lastW = ColCount() > 0 ? ColWidths(ColCount() - 1) : 0;
    const bool entered = FEntered;
    FEntered = false;
    BeginUpdate();
    const int top = TopRow(), row = Row();
    const TGridOptions opts = Options();
    const bool rowSelectOff = opts.Contains(goRowSelect) && TBaseGrid::FixedRows() < RowCount() - 1;
    if (rowSelectOff) SetOptions(opts - TGridOptions(goRowSelect));
    std::vector<int> heights(static_cast<size_t>(RowCount()));
    for (int r = 0; r < RowCount(); ++r) heights[size_t(r)] = RowHeights(r);
    if (Permanent && FHiddenRowList->Count() > 0) {
        std::vector<int> removedReal;
        for (int r = ARow; r < ARow + Count; ++r) removedReal.push_back(RealRowIndex(r));
        for (int i = 0; i < FHiddenRowList->Count(); ++i) {
            TGridItem* item = HiddenItem(i);
            item->Idx -= int(std::count_if(removedReal.begin(), removedReal.end(), [&](int v) { return v < item->Idx; }));
        }
    }
    const int oldCount = RowCount();
    FStockDelete = true;
    for (int i = 0; i < Count; ++i) {
        DeleteRow(ARow);
        heights.erase(heights.begin() + ARow);
    }
    FStockDelete = false;
    // The deleted rows' references went to the slots past the new count: they
    // were freed (a removal) or kept by hidden-row records (hiding), so the
    // slots let go and a later larger row count brings back empty rows.
    for (int r = RowCount(); r < oldCount; ++r) WipeStorageRow(r);
    if (row < RowCount()) {
        if (row >= 0) TBaseGrid::SetRow(row);
        SetTopRow(top);
    } else {
        if (TBaseGrid::FixedRows() < RowCount()) {
            TBaseGrid::SetRow(RowCount() - 1);
        } else {
            HideSelection();
        }
        FSelHidden = false;
    }
    for (int r = 0; r < RowCount() && r < int(heights.size()); ++r) SetRowHeights(r, heights[size_t(r)]);
    if (ColCount() > 0) SetColWidths(ColCount() - 1, lastW);
    EndUpdate();
    FEntered = entered;
    CellsChanged(TGridRect(0, ARow, ColCount() - 1, ARow + Count));
    if (TopRow() >= RowCount() - 1) SetTopRow(RowCount() - 1);
    if ((Row() < 0 || Row() >= RowCount()) && TBaseGrid::FixedRows() < RowCount()) {
        TBaseGrid::SetSelection(TGridRect(TBaseGrid::FixedCols(), TBaseGrid::FixedRows(), TBaseGrid::FixedCols(),
                                          TBaseGrid::FixedRows()));
        if (rowSelectOff) SetOptions(Options() | TGridOptions(goRowSelect));
        HideSelection();
        FSelHidden = false;
    } else if (rowSelectOff && TBaseGrid::FixedRows() < RowCount()) {
        SetOptions(Options() | TGridOptions(goRowSelect));
    }
    if (disjunct) FMouseActions->SetDisjunctRowSelect(true);
    if (footer) {
        FFloatingFooter->SetVisible(true);
        EndUpdate();
    }
    if (fixedFooters > 0) SetFixedFooters(fixedFooters);
    if (FCellControls->Count() > 0) CellControlsUpdate();
}

// ============================================================ selections and duplicates

void TKvStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    if (FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FMouseActions->RowSelectPersistent();
        std::vector<int> keys;
        for (int r = RowCount() - FFixedFooters - 1; r >= TBaseGrid::FixedRows(); --r) {
            const int key = persistent ? RealRowIndex(r) : r;
            if (RowSelect(key)) keys.push_back(r);
        }
        for (int r : keys) RemoveRowRange(r, 1);
        ClearRowSelect();
    } else {
        const TGridRect s = Selection();
        for (int r = std::min(s.Bottom, RowCount() - 1); r >= std::max(s.Top, 0); --r) RemoveRowRange(r, 1);
    }
    EndUpdate();
}

void TKvStringGrid::RemoveUnSelectedRows()
{
    BeginUpdate();
    for (int r = RowCount() - FFixedFooters - 1; r >= TBaseGrid::FixedRows(); --r)
        if (!RowSelect(r)) RemoveRowRange(r, 1);
    if (FMouseActions->RowSelectPersistent())
        SelectRows(TBaseGrid::FixedRows(), RowCount() - TBaseGrid::FixedRows());
    else
        ClearRowSelect();
    EndUpdate();
}

void TKvStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    BeginUpdate();
    for (int r = RowCount() - 1; r >= TBaseGrid::FixedRows(); --r) {
        // The check-box state query, which takes real rows while rows are hidden.
        const bool checked = IsChecked(CheckBoxColumn, NumHiddenRows() > 0 ? RealRowIndex(r) : r);
        if (checked == RemoveChecked) RemoveRows(r, 1);
    }
    EndUpdate();
}

void TKvStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    const int c = RealColIndex(ACol);
    BeginUpdate();
    std::vector<QString> seen;
    const Qt::CaseSensitivity cs = DoCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int r = TBaseGrid::FixedRows();
    while (r < RowCount() - FFixedFooters) {
        const QString t = Cells(c, r);
        const bool dup = std::any_of(seen.begin(), seen.end(), [&](const QString& s) { return s.compare(t, cs) == 0; });
        if (!dup) {
            seen.push_back(t);
            ++r;
        } else {
            RemoveRowRange(r, 1);
        }
    }
    EndUpdate();
}

void TKvStringGrid::HideSelectedRows()
{
    BeginUpdate();
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    const bool persistent = FMouseActions->RowSelectPersistent();
    const TGridRect s = Selection();
    for (int r = RowCount() - 1; r >= TBaseGrid::FixedRows(); --r) {
        const bool selected = disjunct ? RowSelect(persistent ? RealRowIndex(r) : r) : (r >= s.Top && r <= s.Bottom);
        if (selected) {
            const int real = RealRowIndex(r);
            HideRows(real, real);
        }
    }
    EndUpdate();
}

void TKvStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    const TGridRect s = Selection();
    // The rectangle is taken before any row leaves, in the rows it was made in.
    std::vector<bool> keep(size_t(std::max(RowCount(), 0)), false);
    for (int r = 0; r < RowCount(); ++r) keep[size_t(r)] = disjunct ? RowSelect(r) : (r >= s.Top && r <= s.Bottom);
    int r = TBaseGrid::FixedRows(), orig = r;
    while (r < RowCount() && orig < int(keep.size())) {
        if (keep[size_t(orig)]) {
            ++r;
        } else {
            const int real = RealRowIndex(r);
            HideRows(real, real);
        }
        ++orig;
    }
    EndUpdate();
}

// ============================================================ columns

void TKvStringGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount <= 0 || ColIndex < 0) return;
    const int oldTotal = AllColCount();
    ColIndex = std::min(ColIndex, oldTotal);
    SetColCount(ColCount() + CCount);
    const int rows = std::max(RowCount(), FMaxRowCount);
    for (int t = AllColCount() - 1; t >= ColIndex + CCount; --t) {
        for (int r = 0; r < rows; ++r) {
            TStringGrid::SetCells(t, r, TStringGrid::Cells(t - CCount, r));
            TObject* o = TStringGrid::Objects(t - CCount, r);
            TStringGrid::SetObjects(t, r, o);
            if (auto* p = dynamic_cast<TCellProperties*>(o)) p->SetOwnerCol(t);
        }
        if (t < ColCount()) SetColWidths(t, ColWidths(t - CCount));
        if (t <= MaxHiddenColumnIndex) FHiddenCol[t] = t - CCount <= MaxHiddenColumnIndex && FHiddenCol[t - CCount];
        if (t <= 512 && t - CCount <= 512) FAllColWidths[t] = FAllColWidths[t - CCount];
    }
    for (int c = ColIndex; c < ColIndex + CCount; ++c) {
        if (c < ColCount()) SetColWidths(c, DefaultColWidth());
        if (c <= MaxHiddenColumnIndex) FHiddenCol[c] = false;
        for (int r = 0; r < rows; ++r) {
            TStringGrid::SetObjects(c, r, nullptr);
            TStringGrid::SetCells(c, r, QString());
        }
    }
    // Hidden-row records keep their cells in real-column order as well.
    for (int i = 0; i < FHiddenRowList->Count(); ++i) {
        TStringList* l = HiddenItem(i)->Cells();
        for (int c = 0; c < CCount && ColIndex <= l->Count(); ++c) l->InsertObject(ColIndex, QString(), nullptr);
    }
}

void TKvStringGrid::RemoveCols(int ColIndex, int CCount)
{
    if (ColIndex < 0 || ColIndex >= AllColCount() || CCount <= 0) return;
    CCount = std::min(CCount, AllColCount() - ColIndex);
    const int rows = std::max(RowCount(), FMaxRowCount);
    FreeCellPropertiesRect(ColIndex, 0, ColIndex + CCount - 1, rows - 1);
    const int total = AllColCount();
    for (int t = ColIndex; t < total; ++t) {
        const int s = t + CCount;
        for (int r = 0; r < rows; ++r) {
            TObject* o = s < total ? TStringGrid::Objects(s, r) : nullptr;
            TStringGrid::SetCells(t, r, s < total ? TStringGrid::Cells(s, r) : QString());
            TStringGrid::SetObjects(t, r, o);
            if (auto* p = dynamic_cast<TCellProperties*>(o)) p->SetOwnerCol(t);
        }
        if (s < ColCount()) SetColWidths(t, ColWidths(s));
        if (t <= MaxHiddenColumnIndex) FHiddenCol[t] = s <= MaxHiddenColumnIndex && FHiddenCol[s];
        if (t <= 512) FAllColWidths[t] = s <= 512 ? FAllColWidths[s] : 0;
    }
    // The removed hidden columns leave the hidden count; the rest leave the display.
    int hiddenNow = 0;
    for (int c = 0; c <= MaxHiddenColumnIndex; ++c) hiddenNow += FHiddenCol[c] ? 1 : 0;
    const int removedHidden = FNumHiddenColumns - hiddenNow;
    FNumHiddenColumns = hiddenNow;
    for (int i = 0; i < FHiddenRowList->Count(); ++i) {
        TStringList* l = HiddenItem(i)->Cells();
        for (int c = 0; c < CCount && ColIndex < l->Count(); ++c) l->Delete(ColIndex);
    }
    SetColCount(std::max(ColCount() - (CCount - removedHidden), 1));
    CellsChanged(TGridRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

void TKvStringGrid::RemoveSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= TBaseGrid::FixedCols(); --c)
            if (ColSelect(c)) {
                RemoveCols(c, 1);
                if (c < int(FColSelect.size())) FColSelect.erase(FColSelect.begin() + c);
            }
    } else {
        const TGridRect s = Selection();
        if (s.Right >= s.Left) RemoveCols(s.Left, s.Right - s.Left + 1);
    }
}

void TKvStringGrid::RemoveUnSelectedCols()
{
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= TBaseGrid::FixedCols(); --c)
            if (!ColSelect(c)) {
                RemoveCols(c, 1);
                if (c < int(FColSelect.size())) FColSelect.erase(FColSelect.begin() + c);
            }
    } else {
        const TGridRect s = Selection();
        RemoveCols(s.Right + 1, ColCount() - s.Right);
        RemoveCols(TBaseGrid::FixedCols(), s.Left - TBaseGrid::FixedCols());
    }
    ClearColSelect();
}

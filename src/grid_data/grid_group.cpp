// Grouping: a flat table becomes an outline of one header row (a tree node)
// before every run of equal values of a column, optionally a summary row after
// each run, and the column itself leaves the grid, its value standing in the
// header rows. UnGroup gives the flat table back. A second level groups the
// runs inside the groups by another column. The group calculations fill the
// header or summary rows.
#include "grid/kv_string_grid.h"

#include <algorithm>

#include "grid/cell_properties.h"

namespace {
// Compares unequal to every cell text, so that the first row starts a run.
const QString NoValue = QStringLiteral(u"\u00FF\u00FE");

// The column of a group header that holds the group's value: column 1, or
// column 2 when column 1 itself is grouped (it leaves the grid, so the value
// ends in column 1 either way).
int HeaderValueCol(int GroupCol)
{
    return GroupCol == 1 ? 2 : 1;
}
} // namespace

// ============================================================ rows in bulk

void TKvStringGrid::OpenGroupRows(const std::vector<int>& Before)
{
    const int m = int(Before.size());
    if (m == 0) return;
    const int old = RowCount();
    const bool footer = FFloatingFooter->Visible();
    const int lastW = ColCount() > 0 ? ColWidths(ColCount() - 1) : 0;
    std::vector<int> heights(static_cast<size_t>(old));
    for (int r = 0; r < old; ++r) heights[size_t(r)] = RowHeights(r);
    // The floating footer's row moves to the new last row by itself.
    SetRowCount(old + m);
    int shift = m;
    for (int src = old - 1 - (footer ? 1 : 0); src >= 0; --src) {
        while (shift > 0 && Before[size_t(shift - 1)] > src) --shift;
        if (shift == 0) break;
        CopyStorageRow(src, src + shift);
        SetRowHeights(src + shift, heights[size_t(src)]);
    }
    for (int i = 0; i < m; ++i) {
        const int r = Before[size_t(i)] + i;
        WipeStorageRow(r);
        SetRowHeights(r, DefaultRowHeight());
    }
    for (int i = m - 1; i >= 0; --i) {
        const int at = Before[size_t(i)];
        if (FShowModified->Enabled() && int(FModifiedRows.size()) > at) FModifiedRows.insert(FModifiedRows.begin() + at, 0);
        if (FUseEnabledRows && int(FEnabledRows.size()) > at) FEnabledRows.insert(FEnabledRows.begin() + at, 0);
    }
    for (int i = 0; i < FCellControls->Count(); ++i) {
        TControlItem* item = FCellControls->Control(i);
        item->Y += int(std::upper_bound(Before.begin(), Before.end(), item->Y) - Before.begin());
    }
    if (ColCount() > 0) SetColWidths(ColCount() - 1, lastW);
    if (FCellControls->Count() > 0) CellControlsUpdate();
    CellsChanged(TGridRect(0, Before.front(), ColCount() - 1, RowCount() - 1));
}

void TKvStringGrid::CloseGroupRows(const std::vector<bool>& Remove)
{
    const int old = RowCount();
    const bool footer = FFloatingFooter->Visible();
    const int body = old - (footer ? 1 : 0);
    const int lastW = ColCount() > 0 ? ColWidths(ColCount() - 1) : 0;
    int removed = 0;
    for (int r = 0; r < body && r < int(Remove.size()); ++r) {
        if (!Remove[size_t(r)]) continue;
        ++removed;
        for (int c = 0; c < AllColCount(); ++c)
            if (HasCellProperties(c, r) && IsBaseCell(c, r) && IsMergedCell(c, r)) SplitCells(c, r);
        FreeCellPropertiesRect(0, r, AllColCount() - 1, r);
    }
    if (removed == 0) return;
    std::vector<int> heights(static_cast<size_t>(old));
    for (int r = 0; r < old; ++r) heights[size_t(r)] = RowHeights(r);
    int w = 0;
    for (int r = 0; r < body; ++r) {
        if (r < int(Remove.size()) && Remove[size_t(r)]) continue;
        if (w != r) {
            CopyStorageRow(r, w);
            SetRowHeights(w, heights[size_t(r)]);
        }
        ++w;
    }
    for (int r = w; r < body; ++r) WipeStorageRow(r);
    for (int i = int(Remove.size()) - 1; i >= 0; --i) {
        if (!Remove[size_t(i)]) continue;
        if (int(FModifiedRows.size()) > i) FModifiedRows.erase(FModifiedRows.begin() + i);
        if (int(FEnabledRows.size()) > i) FEnabledRows.erase(FEnabledRows.begin() + i);
        if (int(FRowSelect.size()) > i) FRowSelect.erase(FRowSelect.begin() + i);
    }
    for (int i = FCellControls->Count() - 1; i >= 0; --i) {
        TControlItem* item = FCellControls->Control(i);
        if (item->Y >= 0 && item->Y < int(Remove.size()) && Remove[size_t(item->Y)]) {
            if (item->Control) item->Control->SetVisible(false);
            FCellControls->RemoveControl(i);
            continue;
        }
        item->Y -= int(std::count(Remove.begin(), Remove.begin() + std::min<size_t>(size_t(std::max(item->Y, 0)), Remove.size()), true));
    }
    SetRowCount(w + (footer ? 1 : 0));
    FMaxRowCount = std::max(RowCount(), FMaxRowCount - removed);
    if (ColCount() > 0) SetColWidths(ColCount() - 1, lastW);
    if (Row() >= RowCount()) TBaseGrid::SetRow(RowCount() - 1);
    if (FCellControls->Count() > 0) CellControlsUpdate();
    CellsChanged(TGridRect(0, 0, ColCount() - 1, RowCount() - 1));
}

void TKvStringGrid::ColorGroupRow(int ARow, int FromCol, bool Header)
{
    const TGrouping* g = FGrouping.get();
    const TColor color = Header ? g->HeaderColor() : g->SummaryColor();
    const TColor colorTo = Header ? g->HeaderColorTo() : g->SummaryColorTo();
    const TColor text = Header ? g->HeaderTextColor() : g->SummaryTextColor();
    if (Header ? g->MergeHeader() : g->MergeSummary()) {
        if (ColCount() - FromCol > 1) MergeCells(FromCol, ARow, ColCount() - FromCol, 1);
        if (color != clNone) SetColors(FromCol, ARow, color);
        if (colorTo != clNone) SetColorsTo(FromCol, ARow, colorTo);
        if (text != clNone) SetFontColors(FromCol, ARow, text);
    } else {
        if (color != clNone) SetRowColor(ARow, color);
        if (colorTo != clNone) SetRowColorTo(ARow, colorTo);
        if (text != clNone) SetRowFontColor(ARow, text);
    }
}

// ============================================================ grouping

void TKvStringGrid::Group(int ColIndex)
{
    if (ColIndex < FixedCols()) return;
    if (FGroupColumn != -1) UnGroup();
    if (RowCount() - FFixedFooters - FixedRows() <= 0) return;
    BeginUpdate();
    FIsGrouping = true;
    FGroupColumn = ColIndex;
    const auto finish = [this] {
        FIsGrouping = false;
        EndUpdate();
        // The search bar lays itself out anew on a change of its width.
        if (FSearchFooter->Visible() && FSearchPanel) {
            const int w = FSearchPanel->Width();
            FSearchPanel->SetWidth(w + 1);
            FSearchPanel->SetWidth(w);
        }
    };
    try {
        FGroupWidth = AllColWidths(ColIndex);
        FGroupCaption = TBaseGrid::FixedRows() > 0 ? GridCells(ColIndex, 0) : QString();
        FGroupFooter = FFixedFooters > 0 ? GridCells(ColIndex, RowCount() - 1) : QString();
        if (FSortSettings->AutoSortForGrouping) {
            FSortSettings->Column = ColIndex;
            QSort();
        }

        // The runs of equal stored values.
        const int first = FixedRows(), last = RowCount() - FFixedFooters - 1;
        std::vector<int> starts;
        std::vector<QString> values;
        QString previous = NoValue;
        for (int a = first; a <= last; ++a) {
            const QString v = GridCells(ColIndex, a);
            if (v != previous) {
                starts.push_back(a);
                values.push_back(v);
            }
            previous = v;
        }
        const bool summary = FGrouping->Summary();
        // A header before every run and, with summaries, a summary row after it.
        std::vector<int> before;
        std::vector<bool> summaryRow;
        for (size_t k = 0; k < starts.size(); ++k) {
            if (summary && k > 0) {
                before.push_back(starts[k]);
                summaryRow.push_back(true);
            }
            before.push_back(starts[k]);
            summaryRow.push_back(false);
        }
        if (summary) {
            before.push_back(last + 1);
            summaryRow.push_back(true);
        }
        OpenGroupRows(before);
        std::vector<int> headers, summaries;
        for (size_t i = 0; i < before.size(); ++i) (summaryRow[i] ? summaries : headers).push_back(before[i] + int(i));
        const int valueCol = HeaderValueCol(ColIndex);
        for (size_t k = 0; k < headers.size(); ++k) {
            const int runEnd = k + 1 < starts.size() ? starts[k + 1] : last + 1;
            SetCells(valueCol, headers[k], values[k]);
            AddNode(headers[k], 1 + runEnd - starts[k]);
        }
        for (int s : summaries) MarkSummaryRow(s);

        RemoveCols(ColIndex, 1);
        for (int h : headers) ColorGroupRow(h, 1, true);
        for (int s : summaries) ColorGroupRow(s, 1, false);
        if (FCellNode->ExpandOne() && !headers.empty()) ExpandNode(RealRowIndex(headers.front()));
        if (Col() >= ColCount() || Row() >= RowCount()) FocusCell(FixedCols(), FixedRows());
        if (FixedRows() < RowCount()) SetRow(FixedRows());
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TKvStringGrid::UnGroup()
{
    if (FGroupColumn <= 0) return;
    // A second level comes off first: its headers would read as groups.
    if (FSubGroupColumn != -1) SubUnGroup(FSubGroupColumn);
    const bool expandOne = FCellNode->ExpandOne();
    FCellNode->SetExpandOne(false);
    BeginUpdate();
    const auto finish = [&] {
        FIsGrouping = false;
        FCellNode->SetExpandOne(expandOne);
        EndUpdate();
    };
    try {
        ExpandAll();
        InsertCols(FGroupColumn, 1);
        SetColWidths(FGroupColumn, FGroupWidth);
        if (TBaseGrid::FixedRows() > 0) SetCells(FGroupColumn, 0, FGroupCaption);
        if (FFixedFooters > 0) SetCells(FGroupColumn, RowCount() - 1, FGroupFooter);
        FIsGrouping = true;
        const int valueCol = HeaderValueCol(FGroupColumn);
        std::vector<bool> remove(size_t(RowCount()), false);
        QString value;
        for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r) {
            if (remove[size_t(r)]) continue;
            if (IsNode(r)) {
                value = GridCells(valueCol, r);
                const int summaryRow = r + std::max(GetNodeSpan(r), 1);
                if (FGrouping->Summary() && summaryRow < RowCount() && IsSummary(summaryRow))
                    remove[size_t(summaryRow)] = true;
                RemoveNode(RealRowIndex(r));
                remove[size_t(r)] = true;
            } else if (!IsSummary(r)) {
                SetCells(FGroupColumn, r, value);
            }
        }
        CloseGroupRows(remove);
        FGroupColumn = -1;
    } catch (...) {
        finish();
        throw;
    }
    finish();
    Invalidate();
}

void TKvStringGrid::SetGroupColumn(int Value)
{
    if (Value == -1) UnGroup();
    else if (Value > 0) Group(Value);
}

// ============================================================ the second level

void TKvStringGrid::SubGroup(int ColIndex)
{
    if (ColIndex < FixedCols()) return;
    BeginUpdate();
    try {
        ExpandAll();
        // The second level keeps its column and texts apart from the grouped
        // column's, which UnGroup needs to put its column back.
        FSubGroupColumn = ColIndex;
        FSubGroupWidth = AllColWidths(ColIndex);
        FSubGroupCaption = TBaseGrid::FixedRows() > 0 ? Cells(ColIndex, 0) : QString();
        FSubGroupFooter = FFixedFooters > 0 ? Cells(ColIndex, RowCount() - 1) : QString();

        struct TRun {
            int Start, Count;
            QString Value;
        };
        std::vector<TRun> runs;
        QString previous = NoValue;
        for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r) {
            if (IsNode(r) || IsSummary(r)) {
                previous = NoValue;
                continue;
            }
            const QString v = Cells(ColIndex, r);
            if (v != previous) runs.push_back({r, 0, v});
            ++runs.back().Count;
            previous = v;
        }
        const int valueCol = ColIndex + 1 < AllColCount() ? ColIndex + 1 : ColIndex;
        const bool summary = FGrouping->Summary();
        // From the bottom up, so the rows of the runs above keep their places.
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            if (summary) {
                InsertChildRow(RealRowIndex(run->Start + run->Count - 1), 1);
                MarkSummaryRow(RealRowIndex(run->Start + run->Count));
                ColorGroupRow(run->Start + run->Count, valueCol, false);
            }
            InsertChildRow(RealRowIndex(run->Start), 0);
            const int h = run->Start;
            SetCells(valueCol, h, run->Value);
            AddNode(RealRowIndex(h), 1 + run->Count);
            GetCellGraphic(0, h)->FCellVar = ColIndex;
            ColorGroupRow(h, valueCol, true);
            for (int r = h + 1; r <= h + run->Count; ++r) SetCells(ColIndex, r, QString());
        }
        if (FixedRows() < RowCount()) SetRow(FixedRows());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TKvStringGrid::SubUnGroup(int ColIndex)
{
    BeginUpdate();
    try {
        ExpandAll();
        const int valueCol = ColIndex + 1 < AllColCount() ? ColIndex + 1 : ColIndex;
        QString value;
        for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1;) {
            TCellGraphic* node = IsNode(r) ? GetCellGraphic(0, r) : nullptr;
            if (node && node->FCellVar.isValid() && node->FCellVar.toInt() == ColIndex) {
                value = GridCells(valueCol, r);
                const int summaryRow = r + std::max(GetNodeSpan(r), 1);
                if (FGrouping->Summary() && summaryRow < RowCount() && IsSummary(summaryRow))
                    RemoveChildRow(RealRowIndex(summaryRow));
                RemoveNode(RealRowIndex(r));
                if (IsMergedCell(valueCol, r)) SplitCells(valueCol, r);
                RemoveChildRow(RealRowIndex(r));
            } else {
                // Other nodes and the groups' summary rows keep their texts.
                if (!node && !IsSummary(r)) SetCells(ColIndex, r, value);
                ++r;
            }
        }
        if (FSubGroupColumn == ColIndex) FSubGroupColumn = -1;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ============================================================ group calculations

void TKvStringGrid::GroupCalc(int ACol, int Method)
{
    const bool summary = FGrouping->Summary();
    for (int r = FixedRows(); r < RowCount();) {
        if (!IsNode(r) || GetNodeState(r)) {
            ++r;
            continue;
        }
        const int span = GetNodeSpan(r);
        const int from = r + 1, to = r + span - 1;
        const int target = summary ? r + span : r;
        if (to >= from && target < RowCount()) {
            if (Method == 5) {
                SetInts(ACol, target, span - 1);
            } else {
                double v = 0;
                switch (Method) {
                case 1: v = ColumnSum(ACol, from, to); break;
                case 2: v = ColumnAvg(ACol, from, to); break;
                case 3: v = ColumnMin(ACol, from, to); break;
                case 4: v = ColumnMax(ACol, from, to); break;
                case 6: v = GroupCustomCalc(ACol, from, to); break;
                case 7: v = ColumnDistinct(ACol, from, to); break;
                case 8: v = ColumnStdDev(ACol, from, to); break;
                default: break;
                }
                SetFloats(ACol, target, v);
            }
        }
        // A node of span 0 or less still moves the walk on.
        r += std::max(span, 1);
    }
}

namespace {
// Sets the floating footer's calculation of a column beside a group calculation.
void FooterCalc(TKvStringGrid* Grid, int ACol, TColumnCalcType Calc)
{
    if (Grid->FloatingFooter()->Visible()) Grid->FloatingFooter()->SetColumnCalc(ACol, Calc);
}
} // namespace

void TKvStringGrid::GroupSum(int ACol)
{
    GroupCalc(ACol, 1);
    FooterCalc(this, ACol, acSUM);
}

void TKvStringGrid::GroupAvg(int ACol)
{
    GroupCalc(ACol, 2);
    FooterCalc(this, ACol, acAVG);
}

void TKvStringGrid::GroupMin(int ACol)
{
    GroupCalc(ACol, 3);
    FooterCalc(this, ACol, acMIN);
}

void TKvStringGrid::GroupMax(int ACol)
{
    GroupCalc(ACol, 4);
    FooterCalc(this, ACol, acMAX);
}

void TKvStringGrid::GroupCount(int ACol)
{
    GroupCalc(ACol, 5);
    FooterCalc(this, ACol, acCOUNT);
}

void TKvStringGrid::GroupCustomCalc(int ACol) { GroupCalc(ACol, 6); }
void TKvStringGrid::GroupDistinct(int ACol) { GroupCalc(ACol, 7); }
void TKvStringGrid::GroupStdDev(int ACol) { GroupCalc(ACol, 8); }

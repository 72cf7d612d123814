// The grid's filter: the conditions of the Filter collection, the test of one
// row, the application of the filter as one level of the hidden-row store, the
// narrow-down filtering while the user types, and the choices of the header
// filter lists.
#include "grid/kv_string_grid.h"

#include <algorithm>

#include "grid/filter_expression.h"
#include "grid/grid_text.h"
#include "platform/core/sysutils.h"

// ============================================================ the condition collection

TFilterData* TFilter::Add()
{
    auto* d = static_cast<TFilterData*>(TCollection::Add());
    d->Operation = Count() == 1 ? foNONE : foAND;
    return d;
}

TFilterData* TFilter::Insert(int Index)
{
    (void)Index;
    return static_cast<TFilterData*>(TCollection::Add());
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->Column == Col) Delete(i);
    if (FOwner && Col >= 0 && Col < FOwner->ColCount() && FOwner->RowCount() > 0) FOwner->RepaintCell(Col, 0);
}

// ============================================================ the row test

QString TKvStringGrid::FilterCellText(const TFilterData* F, int ARow)
{
    const int c = F->Column;
    QString s;
    if (F->Data == fcRow) {
        QStringList cells;
        for (int i = 0; i < AllColCount(); ++i) cells << Cells(i, ARow);
        s = cells.join(QLatin1String("\r\n"));
    } else if (c >= 0 && c < AllColCount()) {
        switch (F->Data) {
        case fcVirtual: s = Cells(c, ARow); break;
        case fcNormal: s = GridCells(c, ARow); break;
        case fcStripHTML: s = GetStrippedCell(c, ARow); break;
        case fcCalculated: GetEvaluatedCell(c, ARow, s); break;
        case fcRow: break;
        }
    }
    s = Trim(s);
    if (s.contains(QLatin1String("|\\"))) s = DecodeWideCellText(s);
    return s;
}

bool TKvStringGrid::RowMatchesFilter(int ARow)
{
    bool result = true;
    for (int i = 0; i < FFilter->Count(); ++i) {
        const TFilterData* f = FFilter->Items(i);
        QString text = FilterCellText(f, ARow);
        bool holds = true;
        if (f->Data == fcRow) {
            holds = UpperCase(text).contains(UpperCase(f->Condition));
        } else {
            if (!f->Prefix.isEmpty() && text.startsWith(f->Prefix)) text.remove(0, f->Prefix.size());
            if (!f->Suffix.isEmpty()) {
                // Only a first occurrence at the very end is the suffix.
                const qsizetype p = text.indexOf(f->Suffix);
                if (p >= 0 && p + f->Suffix.size() == text.size()) text.chop(f->Suffix.size());
            }
            if (f->Condition.isEmpty()) {
                holds = true;
            } else if (f->Method == fmLiteral) {
                holds = text == f->Condition;
            } else {
                // A condition the matcher cannot read fails; the filter goes on.
                try {
                    holds = MatchFilterExpression(f->Condition, text, f->CaseSensitive);
                } catch (...) {
                    holds = false;
                }
            }
        }
        bool stop = false;
        switch (f->Operation) {
        case foSHORT:
            result = holds;
            stop = !holds;
            break;
        case foNONE: result = holds; break;
        case foAND: result = result && holds; break;
        case foXOR: result = result != holds; break;
        case foOR: result = result || holds; break;
        }
        if (stop) break;
    }
    if (OnCustomFilter) OnCustomFilter(this, ARow, result);
    return result;
}

void TKvStringGrid::FilterRow(int ARow)
{
    if (!RowMatchesFilter(ARow)) HideRow(RealRowIndex(ARow));
}

// ============================================================ applying and removing

void TKvStringGrid::ApplyFilter()
{
    FFilterFixedRows = TBaseGrid::FixedRows();
    const int first = FixedRows(), last = RowCount() - FFixedFooters - 1;
    const int total = last - first + 1;
    TIntList failing(-1, -1);
    int tested = 0;
    short progress = 0;
    for (int r = first; r <= last; ++r) {
        if (FFilterNormalCellsOnly && (IsNode(r) || IsSummary(r))) continue;
        if (!RowMatchesFilter(r)) failing.Add(r);
        ++tested;
        if (OnFilterProgress && total > 0) {
            progress = short(RoundHalfEven(100.0 * tested / total));
            OnFilterProgress(this, progress);
        }
    }
    // A filter that hides nothing is a level too, so that removing it later
    // does not show the rows of the level before.
    if (failing.Count() > 0) HideRowList(&failing);
    else ++FFilterLevel;
    if (OnFilterProgress && total > 0) OnFilterProgress(this, progress);
}

void TKvStringGrid::SetFilterActive(bool Value)
{
    if (Value != FFilterActive) {
        FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount())
                FocusCell(TBaseGrid::FixedCols(), TBaseGrid::FixedRows());
            BeginUpdate();
            try {
                ApplyFilter();
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
            FSelHidden = false;
        } else {
            UnHideRowList();
            // Fixed rows that only a filter level brought along are not restored from nothing.
            if (FFilterFixedRows >= 0) SetFixedRows(FFilterFixedRows);
            if (FSelHidden) UnHideSelection();
        }
        SetTopRow(TBaseGrid::FixedRows());
    }
    CalcFooter(-1);
}

bool TKvStringGrid::RemoveLastFilter()
{
    if (FFilterLevel == 0) return false;
    UnHideRowList();
    if (FFilterFixedRows >= 0) SetFixedRows(FFilterFixedRows);
    if (FSelHidden) UnHideSelection();
    CalcFooter(-1);
    --FFilterLevel;
    return FFilterLevel > 1;
}

void TKvStringGrid::RemoveAllFilters()
{
    if (FFilterLevel != 0) {
        while (FFilterLevel > 0) RemoveLastFilter();
    } else {
        FFilter->Clear();
    }
}

void TKvStringGrid::NarrowDown(const QString& ACondition, int AColumn)
{
    SetFixedRowAlways(true);
    const auto condition = [&](const QString& T) {
        FFilter->Clear();
        TFilterData* f = FFilter->Add();
        if (AColumn == -1) {
            f->Data = fcRow;
            f->Condition = T;
        } else {
            f->Data = fcNormal;
            QString c = QLatin1Char('*') + T + QLatin1Char('*');
            if (c.contains(QLatin1Char(' '))) c = QLatin1Char('"') + c + QLatin1Char('"');
            f->Condition = c;
        }
        f->CaseSensitive = false;
        f->Column = AColumn;
    };
    const auto extends = [](const QString& Longer, const QString& Shorter) {
        return Longer.size() == Shorter.size() + 1 && Longer.startsWith(Shorter);
    };
    if (extends(ACondition, FLastFilter)) {
        condition(ACondition);
        ApplyFilter();
    } else if (!ACondition.isEmpty() && extends(FLastFilter, ACondition)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.isEmpty()) {
            condition(ACondition);
            ApplyFilter();
        }
    }
    // Every filter level is gone again for an empty text; what the store still
    // holds (contracted nodes, rows hidden by hand) stays hidden, not lost.
    FLastFilter = ACondition;
}

// ============================================================ header filter lists

void TKvStringGrid::SetFilterDropDownRow(int Value)
{
    if (Value >= TBaseGrid::FixedRows()) return;
    FilterDropDownRow = Value;
    Invalidate();
}

void TKvStringGrid::SplitFilterEntry(int Index, QString& Caption, QString& Condition) const
{
    const QString e = FFilterList->Strings(Index);
    const qsizetype p = e.indexOf(QLatin1Char('='));
    Caption = p < 0 ? e : e.left(p);
    Condition = p < 0 ? e : e.mid(p + 1);
    if (Condition == FFilterDropDownClear) Condition.clear();
}

void TKvStringGrid::FilterDropDownSelect(TObject* Sender, int ItemIndex)
{
    (void)Sender;
    if (CanFocus()) SetFocus();
    const int col = FFilterCol;
    if (col >= 0 && col < AllColCount() && ItemIndex >= 0 && ItemIndex < FFilterDropList->Items()->Count()) {
        GetFilterList(col);
        if (ItemIndex < FFilterList->Count()) {
            QString caption, condition;
            SplitFilterEntry(ItemIndex, caption, condition);
            if (FAutoFilterUpdate) SetFilterActive(false);
            if (OnFilterSelect) OnFilterSelect(this, col, ItemIndex, caption, condition);
            if (!condition.isEmpty()) FFilter->ColumnFilter(col)->Condition = condition;
            else FFilter->RemoveColumnFilter(col);
            if (FAutoFilterUpdate) {
                SetFixedRowAlways(true);
                SetFilterActive(true);
                if (RowCount() != TBaseGrid::FixedRows() && RowCount() != 1) SetRow(TBaseGrid::FixedRows());
                FilterDone();
            }
        }
    }
    FFilterCol = -1;
}

void TKvStringGrid::FilterDropDownCheck(TObject* Sender, int ItemIndex)
{
    (void)Sender;
    (void)ItemIndex;
    const int col = FFilterCol;
    if (col < 0 || col >= AllColCount()) return;
    GetFilterList(col);
    if (FAutoFilterUpdate) SetFilterActive(false);
    // The checked entries replace every condition, of all columns.
    FFilter->Clear();
    TDropCheckList* list = FFilterCheckList;
    const int n = std::min(list->Items()->Count(), FFilterList->Count());
    for (int i = 0; i < n; ++i) {
        if (!list->Checked(i)) continue;
        QString caption, condition;
        SplitFilterEntry(i, caption, condition);
        if (OnFilterCheck) OnFilterCheck(this, col, i, caption, condition, list);
        const bool first = FFilter->Count() == 0;
        TFilterData* f = FFilter->Add();
        f->Condition = condition;
        f->Column = col;
        f->Operation = first ? foNONE : foOR;
    }
    SetFilterActive(true);
    list->Invalidate();
}

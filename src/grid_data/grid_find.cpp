// The grid's search: the scan for a matching cell in either order and
// direction, find first and next, replace, the type-ahead search in the sort
// column, the search bar's handlers, and the change hook of the header-cell
// editors.
#include "grid/kv_string_grid.h"

#include "grid/filter_expression.h"
#include "grid/grid_editor_controls.h"
#include "grid/html_markup.h"
#include "grid/kv_flat_controls.h"
#include "platform/core/sysutils.h"

namespace {
// The text of two double quotes searches for empty cells.
const QString EmptyCellText = QStringLiteral("\"\"");
} // namespace

// ============================================================ the scan

bool TKvStringGrid::FindCellMatches(int ACol, int ARow, bool Wide)
{
    (void)Wide; // the cells hold UTF-16 text either way
    const TFindParameters& p = FFindParams;
    const int c = p.Contains(fnIncludeHiddenColumns) ? ACol : DisplToRealColumn(ACol);
    QString t = p.Contains(fnIncludeHiddenRows) ? AllCells(c, ARow) : Cells(c, ARow);
    if (!p.Contains(fnMatchCase)) {
        // For ASCII on both sides a search without case is the search in the
        // upper-cased texts, without making an upper-case copy of every cell.
        if (FSearchCacheAscii && !p.Contains(fnIgnoreHTMLTags) && !p.Contains(fnMatchRegular) &&
            SearchCache != EmptyCellText && QtPrivate::isAscii(t)) {
            if (p.Contains(fnMatchFull)) return t.compare(SearchCache, Qt::CaseInsensitive) == 0;
            const qsizetype at = t.indexOf(SearchCache, 0, Qt::CaseInsensitive);
            return p.Contains(fnMatchStart) ? at == 0 : at >= 0;
        }
        t = AnsiUpperCase(t);
    }
    if (p.Contains(fnIgnoreHTMLTags)) t = HTMLToPlainText(t);
    if (SearchCache == EmptyCellText) return t.isEmpty();
    if (p.Contains(fnMatchRegular)) return MatchFilterExpression(SearchCache, t, p.Contains(fnMatchCase));
    const qsizetype at = t.indexOf(SearchCache);
    bool match = p.Contains(fnMatchStart) ? at == 0 : at >= 0;
    if (match && p.Contains(fnMatchFull)) match = t == SearchCache;
    return match;
}

TPoint TKvStringGrid::FindCell(TPoint StartCell, const QString& S, TFindParameters FindParams, bool Wide)
{
    const TFindParameters& p = FindParams;
    FFindParams = p;
    SearchCache = p.Contains(fnMatchCase) ? S : AnsiUpperCase(S);
    SearchCacheWide = SearchCache;
    FSearchCacheAscii = QtPrivate::isAscii(SearchCache);
    if (ColCount() == FixedCols() || ColCount() == 0 || RowCount() + NumHiddenRows() == FixedRows() ||
        RowCount() == 0)
        return TPoint(-1, -1);

    int c1, c2, r1, r2;
    if (p.Contains(fnIncludeFixed)) {
        c1 = 0;
        c2 = ColCount() - 1;
        r1 = 0;
        r2 = RowCount() - 1;
    } else {
        c1 = FixedCols();
        c2 = ColCount() - FFixedRightCols - 1;
        r1 = FixedRows();
        r2 = RowCount() - FFixedFooters - 1;
    }
    if (p.Contains(fnSelectedCells)) {
        const TGridRect s = Selection();
        c1 = std::min(s.Left, s.Right);
        c2 = std::max(s.Left, s.Right);
        r1 = std::min(s.Top, s.Bottom);
        r2 = std::max(s.Top, s.Bottom);
    }
    if (p.Contains(fnIncludeHiddenColumns)) c2 += NumHiddenColumns();
    if (p.Contains(fnIncludeHiddenRows)) r2 += NumHiddenRows();
    if (p.Contains(fnFindInCurrentRow)) r1 = r2 = Row();
    if (p.Contains(fnFindInPresetRow)) r1 = r2 = FFindRow;
    if (p.Contains(fnFindInCurrentCol)) c1 = c2 = Col();
    if (p.Contains(fnFindInPresetCol)) c1 = c2 = FFindCol;
    if (c1 > c2 || r1 > r2 || c1 < 0 || r1 < 0) return TPoint(-1, -1);

    const bool back = p.Contains(fnBackward), rowWise = p.Contains(fnDirectionLeftRight);
    // One cell on in scan order; false past the end of the range: the scan never wraps around.
    const auto advance = [&](int& x, int& y) {
        int& inner = rowWise ? x : y;
        int& outer = rowWise ? y : x;
        const int innerFirst = rowWise ? c1 : r1, innerLast = rowWise ? c2 : r2;
        const int outerFirst = rowWise ? r1 : c1, outerLast = rowWise ? r2 : c2;
        if (!back) {
            if (inner < innerLast) return ++inner, true;
            if (outer < outerLast) return inner = innerFirst, ++outer, true;
        } else {
            if (inner > innerFirst) return --inner, true;
            if (outer > outerFirst) return inner = innerLast, --outer, true;
        }
        return false;
    };
    int x = back ? c2 : c1, y = back ? r2 : r1;
    const bool inRange = StartCell.X >= c1 && StartCell.X <= c2 && StartCell.Y >= r1 && StartCell.Y <= r2;
    if (StartCell != TPoint(-1, -1) && inRange) {
        x = StartCell.X;
        y = StartCell.Y;
        if (!advance(x, y)) return TPoint(-1, -1);
    }

    TPoint hit(-1, -1);
    do {
        ExportNotification(esExportNewRow, y);
        const bool ignored = FIgnoreColumns->Count() > 0 &&
                             IsIgnoredColumn(p.Contains(fnIncludeHiddenColumns) ? x : DisplToRealColumn(x));
        if (!ignored && FindCellMatches(x, y, Wide)) {
            hit = TPoint(x, y);
            break;
        }
    } while (advance(x, y));
    if (hit.X < 0) return hit;

    SearchCell = hit;
    if (p.Contains(fnAutoGoto)) {
        int row = hit.Y;
        if (p.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
            if (NumNodes() > 0 && IsHiddenRow(row)) {
                const int node = FindNodeRowOfHidden(row);
                if (node >= 0) ExpandNode(RealRowIndex(node));
            }
            row = DisplRowIndex(row);
        }
        const int col = p.Contains(fnIncludeHiddenColumns) ? DisplColIndexOf(hit.X) : hit.X;
        if (row >= 0 && row < RowCount()) {
            if (FMouseActions->DisjunctRowSelect()) {
                ClearRowSelect();
                SetRowSelect(row, true);
                SetRow(row);
            } else {
                if (col >= 0 && col < ColCount()) SetCol(col);
                SetRow(row);
            }
        }
    }
    return hit;
}

int TKvStringGrid::FindNodeRowOfHidden(int ARow)
{
    // Every contracted node row is looked at, one display row after the other,
    // so a node of span 0 or less cannot hold the walk.
    for (int r = FixedRows(); r < RowCount(); ++r) {
        if (!IsNode(r) || !GetNodeState(r)) continue;
        const int real = RealRowIndex(r), span = GetNodeSpan(r);
        const int end = span > 0 ? real + span : r + 1 < RowCount() ? RealRowIndex(r + 1) : AllRowCount();
        if (ARow > real && ARow < end) return r;
    }
    return -1;
}

// ============================================================ find, replace, type-ahead

TPoint TKvStringGrid::Find(TPoint StartCell, const QString& S, TFindParameters FindParams)
{
    ExportNotification(esExportStart, -1);
    const TPoint hit = FindCell(StartCell, S, FindParams, false);
    ExportNotification(hit.X < 0 ? esExportDone : esExportFail, -1);
    if (FindParams.Contains(fnAutoGoto)) {
        // Keeps the new current row off the bottom edge (and the floating footer).
        const int f = FFloatingFooter->Visible() ? 2 : 0;
        if (Row() > TopRow() + VisibleRowCount() - f - 2 && VisibleRowCount() + FixedRows() + f < RowCount())
            SetTopRow(TopRow() + f + 1);
    }
    return hit;
}

TPoint TKvStringGrid::FindWide(TPoint StartCell, const QString& S, TFindParameters FindParams)
{
    ExportNotification(esExportStart, -1);
    const TPoint hit = FindCell(StartCell, S, FindParams, true);
    ExportNotification(hit.X < 0 ? esExportDone : esExportFail, -1);
    return hit;
}

TPoint TKvStringGrid::FindFirst(const QString& S, TFindParameters FindParams)
{
    SearchCell = Find(TPoint(-1, -1), S, FindParams);
    return SearchCell;
}

TPoint TKvStringGrid::FindNext()
{
    SearchCell = Find(SearchCell, SearchCache, FFindParams);
    return SearchCell;
}

int TKvStringGrid::Replace(const QString& OrigStr, const QString& NewStr, TFindParameters FindParams)
{
    int count = 0;
    TPoint at(-1, -1);
    // The scan only moves on and ends at the range's end, so every cell is
    // changed at most once, also when the new text holds the old one.
    for (;;) {
        at = Find(at, OrigStr, FindParams);
        if (at.X < 0) break;
        const int c = FindParams.Contains(fnIncludeHiddenColumns) ? at.X : DisplToRealColumn(at.X);
        const bool real = FindParams.Contains(fnIncludeHiddenRows);
        const QString old = real ? AllCells(c, at.Y) : Cells(c, at.Y);
        const QString changed = StringReplace(old, OrigStr, NewStr, rfReplaceAll | rfIgnoreCase);
        if (real) SetAllCells(c, at.Y, changed);
        else SetCells(c, at.Y, changed);
        if (FShowModified->Enabled()) {
            const int row = real ? DisplRowIndex(at.Y) : at.Y;
            if (row >= 0) SetRowModified(row, true);
        }
        ++count;
    }
    return count;
}

int TKvStringGrid::Search(const QString& S)
{
    if (RowCount() < 2) return -1;
    int col = FixedCols();
    if (FSortSettings->Show) {
        if (FSortSettings->IndexShow) col = FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : FixedCols();
        else col = FSortSettings->Column;
    }
    if (col == -1) return -1;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (AnsiUpperCase(GetStrippedCell(col, r).left(S.size())) == S) return r;
    return -1;
}

int TKvStringGrid::SearchRow(const QString& Text)
{
    return Search(Text);
}

// ============================================================ the search bar

TFindParameters TKvStringGrid::SearchBarParams(TSearchAction Action)
{
    const TSearchFooter* sf = FSearchFooter.get();
    TFindParameters p{fnAutoGoto};
    if (FSearchPanel->HiliteButton()->Down()) p << fnIgnoreHTMLTags;
    if (FSearchPanel->MatchCase()->Checked()) p << fnMatchCase;
    if (sf->SearchActiveColumnOnly()) p << fnFindInCurrentCol;
    if (sf->SearchMatchStart()) p << fnMatchStart;
    if (sf->SearchColumn() >= 0 && sf->SearchColumn() < ColCount()) {
        p << fnFindInPresetCol;
        FFindCol = sf->SearchColumn();
    }
    const bool rowWise = sf->SearchDirection() == sdLeftRight;
    switch (Action) {
    case saFindFirst:
        if (sf->SearchFixedCells()) p << fnIncludeFixed;
        if (sf->SearchHiddenRows()) p << fnIncludeHiddenRows;
        if (rowWise) p << fnDirectionLeftRight;
        break;
    case saFindPrevious:
        p << fnBackward;
        break;
    case saFindNext:
        if (rowWise) p << fnDirectionLeftRight;
        break;
    }
    return p;
}

void TKvStringGrid::SearchBarHighlight(bool On)
{
    const int col = FSearchFooter->SearchColumn();
    const QString text = FSearchPanel->EditControl()->Text();
    const bool matchCase = FSearchPanel->MatchCase()->Checked();
    if (On) {
        if (col == -1) HilightInGrid(false, matchCase, text);
        else HilightInCol(false, matchCase, col, text);
    } else {
        if (col == -1) UnHilightInGrid(false);
        else UnHilightInCol(false, col);
    }
}

void TKvStringGrid::SearchFooterEditChange()
{
    TRetEdit* edit = FSearchPanel->EditControl();
    const QString text = edit->Text();
    bool defaultSearch = true;
    if (OnSearchEditChange) OnSearchEditChange(this, text, defaultSearch);
    if (!defaultSearch || !FSearchFooter->AutoSearch()) return;
    FFindParams = SearchBarParams(saFindFirst);
    const bool highlight = FSearchPanel->HiliteButton()->Down() || FSearchFooter->AlwaysHighLight();
    if (highlight) SearchBarHighlight(false);
    if (text.isEmpty()) {
        edit->SetColor(clWindow);
        if (FSearchPanel->HiliteButton()->Down()) SearchBarHighlight(false);
        return;
    }
    SearchCell = Find(TPoint(-1, -1), text, FFindParams);
    SearchFooterAction(text, SearchCell.X, SearchCell.Y, saFindFirst);
    if (SearchCell.X < 0) {
        edit->SetColor(TColor(0x000000FF));
        return;
    }
    edit->SetColor(clWindow);
    const int row = FFindParams.Contains(fnIncludeHiddenRows) ? DisplRowIndex(SearchCell.Y) : SearchCell.Y;
    ScrollInView(SearchCell.X, row);
    if (highlight) SearchBarHighlight(true);
}

void TKvStringGrid::SearchBarStep(TSearchAction Action)
{
    const QString text = FSearchPanel->EditControl()->Text();
    if (!FSearchFooter->AutoSearch() && text != FSearchFooter->LastSearch) SearchCell = TPoint(-1, -1);
    FSearchFooter->LastSearch = text;
    FFindParams = SearchBarParams(Action);
    SearchCell = Find(SearchCell, text, FFindParams);
    const bool hit = SearchCell.X >= 0;
    if (hit && Action == saFindNext) ScrollInView(SearchCell.X, SearchCell.Y);
    // Keeps the current row above the search bar.
    const bool footer = FFloatingFooter->Visible();
    if (Row() > TopRow() + VisibleRowCount() + (footer ? 0 : 1) - 3 &&
        (footer ? 1 : 0) + VisibleRowCount() + FixedRows() < RowCount())
        SetTopRow(TopRow() + 2);
    if (hit && Action == saFindPrevious) ScrollInView(SearchCell.X, SearchCell.Y);
    SearchFooterAction(text, SearchCell.X, SearchCell.Y, Action);
    FSearchPanel->Invalidate();
}

void TKvStringGrid::SearchFooterFindPrevious() { SearchBarStep(saFindPrevious); }
void TKvStringGrid::SearchFooterFindNext() { SearchBarStep(saFindNext); }

void TKvStringGrid::SearchFooterHighlight()
{
    SearchBarHighlight(FSearchPanel->HiliteButton()->Down());
}

void TKvStringGrid::FixedCellEditChange(TObject* Sender)
{
    if (!OnEditChange) return;
    QString text;
    if (auto* e = dynamic_cast<TGridTransEdit*>(Sender)) text = e->Text();
    else if (auto* c = dynamic_cast<TGridTransCombo*>(Sender)) text = c->Text();
    else return;
    OnEditChange(this, FFixedColEdit, FFixedRowEdit, text);
}

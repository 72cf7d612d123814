// Calculations over a column's or a row's cell values, the selection as text,
// numbering, and the exchange of whole columns and rows (the sort's primitive among them).
#include "grid/kv_string_grid.h"

#include <QSet>
#include <cmath>
#include <memory>

#include "grid/cell_paint.h"
#include "grid/grid_text.h"
#include "platform/ui/controls.h"

namespace {

// An index that follows an exchange of A and B.
int Follow(int Index, int A, int B)
{
    return Index == A ? B : Index == B ? A : Index;
}

// The smallest (Sign 1) or largest (Sign -1) value of a row's base cells; the first
// column's value is the start and raises when it is no number.
double RowExtreme(TKvStringGrid& G, int ARow, int fromCol, int toCol, int Sign)
{
    double m = G.Floats(fromCol, ARow);
    for (int c = fromCol; c <= toCol; ++c) {
        try {
            if (!G.IsBaseCell(c, ARow)) continue;
            const double v = G.Floats(c, ARow);
            if (Sign * v < Sign * m) m = v;
        } catch (const Exception&) {
        }
    }
    return m;
}

} // namespace

// ============================================================ column calculations

void TKvStringGrid::ForColumnCalcValues(int ACol, int FromRow, int ToRow, const std::function<void(double)>& Add)
{
    // A range reaching past the display rows names real rows (the floating
    // footer asks so when it counts hidden rows).
    const bool all = FFloatingFooter->Visible() ? ToRow > RowCount() - 1 : ToRow > RowCount();
    std::unique_ptr<TIntList> hidden;
    TIntList* list = nullptr;
    ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        // Group nodes and summaries of a grouped grid do not count, unless hidden.
        const int d = all ? DisplRowIndex(r) : r;
        const bool counts = FGroupColumn == -1 || (!IsNode(d) && !IsSummary(d)) || IsHiddenRow(d, list);
        if (list != hidden.get()) hidden.reset(list);
        if (!counts) continue;
        ExportNotification(esExportNextRow, r);
        if (!IsBaseCell(ACol, r)) continue;
        try {
            Add(all ? AllFloats(ACol, r) : Floats(ACol, r));
        } catch (const EKvGridError&) {
        }
    }
    ExportNotification(esExportDone, -1);
}

double TKvStringGrid::ColumnExtreme(int ACol, int FromRow, int ToRow, int Sign)
{
    ColumnRange(FromRow, ToRow);
    // The first row's value is the start, unguarded: a range that starts on
    // text that is no number is the caller's error.
    double m = Floats(ACol, FromRow);
    ForColumnCalcValues(ACol, FromRow, ToRow, [&](double v) {
        if (Sign * v < Sign * m) m = v;
    });
    return m;
}

double TKvStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    ColumnRange(FromRow, ToRow);
    double sum = 0;
    ForColumnCalcValues(ACol, FromRow, ToRow, [&](double v) { sum += v; });
    return sum;
}

double TKvStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    ColumnRange(FromRow, ToRow);
    if (ToRow < FromRow) return 0;
    // Every row of the range counts, those without a number too.
    return ColumnSum(ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

double TKvStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) { return ColumnExtreme(ACol, FromRow, ToRow, 1); }
double TKvStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) { return ColumnExtreme(ACol, FromRow, ToRow, -1); }

double TKvStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    ColumnRange(FromRow, ToRow);
    const int n = ToRow - FromRow + 1;
    if (n <= 0) return 0;
    const double mean = ColumnAvg(ACol, FromRow, ToRow);
    double acc = 0;
    ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        ExportNotification(esExportNextRow, r);
        const double d = Floats(ACol, r) - mean;
        acc += d * d;
    }
    ExportNotification(esExportDone, -1);
    return std::sqrt(acc / n);
}

double TKvStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    ColumnRange(FromRow, ToRow);
    QSet<QString> seen;
    ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        ExportNotification(esExportNextRow, r);
        seen.insert(Cells(ACol, r).toUpper());
    }
    ExportNotification(esExportDone, -1);
    return double(seen.size());
}

double TKvStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    ColumnRange(FromRow, ToRow);
    double res = 0;
    if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

double TKvStringGrid::GroupCustomCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

// ============================================================ row calculations

double TKvStringGrid::RowSum(int ARow, int fromCol, int toCol)
{
    double sum = 0;
    for (int c = fromCol; c <= toCol; ++c) {
        try {
            if (IsBaseCell(c, ARow)) sum += Floats(c, ARow);
        } catch (const Exception&) {
        }
    }
    return sum;
}

double TKvStringGrid::RowAvg(int ARow, int fromCol, int toCol)
{
    if (toCol < fromCol) return 0;
    return RowSum(ARow, fromCol, toCol) / (toCol - fromCol + 1);
}

double TKvStringGrid::RowMin(int ARow, int fromCol, int toCol) { return RowExtreme(*this, ARow, fromCol, toCol, 1); }
double TKvStringGrid::RowMax(int ARow, int fromCol, int toCol) { return RowExtreme(*this, ARow, fromCol, toCol, -1); }

// ============================================================ selection

QString TKvStringGrid::SelectedText()
{
    TGridRect R = Selection();
    if (Options().Contains(goRowSelect) && FDragDropSettings->OleEntireRows()) {
        R.Left = 0;
        R.Right = ColCount() - 1;
    }
    std::vector<int> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FMouseActions->RowSelectPersistent();
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
            if (RowSelect(persistent ? RealRowIndex(r) : r)) rows.push_back(r);
    } else {
        for (int r = R.Top; r <= R.Bottom; ++r) rows.push_back(r);
    }
    QString text;
    for (int r : rows) {
        for (int c = R.Left; c <= R.Right; ++c) {
            QString s = Cells(RealColIndex(c), r);
            if (s.contains(QLatin1String("{\\"))) s = RichCellPlainText(s);
            if (ExcelClipboardFormat && CountLines(s, MultilineCells) > 1) QuoteMultiLineCell(s);
            text += s;
            if (c != R.Right) text += QLatin1Char('\t');
        }
        // The line break test compares with the rectangle's last row, as the
        // clipboard readers expect no break after it.
        if (r != R.Bottom) text += QLatin1String("\r\n");
    }
    return text;
}

void TKvStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    SetSelection(TGridRect(FromCol, FromRow, ToCol, ToRow));
}

// ============================================================ numbering

void TKvStringGrid::AutoNumberCol(int ACol)
{
    if (RowCount() <= 0) return;
    const int fr = TBaseGrid::FixedRows();
    for (int a = fr + AutoNumberStart; a <= RowCount() - 1 - FFixedFooters; ++a) {
        const int n = a - fr + 1 + AutoNumberOffset;
        const int row = AutoNumberDirection == sdAscending ? a : fr + (RowCount() - FFixedFooters - 1 - a);
        SetInts(ACol, row, n);
    }
}

void TKvStringGrid::AutoNumberRow(int ARow)
{
    if (ColCount() <= 0) return;
    const int fc = TBaseGrid::FixedCols();
    for (int a = fc + AutoNumberStart; a <= ColCount() - 1 - FFixedRightCols; ++a) {
        const int n = a - fc + 1 + AutoNumberOffset;
        const int col = AutoNumberDirection == sdAscending ? a : fc + (ColCount() - FFixedRightCols - 1 - a);
        SetInts(col, ARow, n);
    }
}

// ============================================================ swaps

void TKvStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2) return;
    // Texts and cell properties (graphics, colours, objects) change places by
    // reference, so nothing is copied or freed.
    for (int r = 0; r < RowCount(); ++r) SwapCells(TPoint(ACol1, r), TPoint(ACol2, r));
    const int w = ColWidths(ACol1);
    SetColWidths(ACol1, ColWidths(ACol2));
    SetColWidths(ACol2, w);
    FSortSettings->Column = Follow(FSortSettings->Column, ACol1, ACol2);
    for (int i = 0; i < FCellControls->Count(); ++i) {
        TControlItem* item = FCellControls->Control(i);
        item->X = Follow(item->X, ACol1, ACol2);
    }
    CellControlsUpdate();
    Invalidate();
}

void TKvStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2) return;
    for (int c = 0; c < TotalColCount(); ++c) SwapCells(TPoint(c, ARow1), TPoint(c, ARow2));
    const int h = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, h);
    for (int i = 0; i < FCellControls->Count(); ++i) {
        TControlItem* item = FCellControls->Control(i);
        item->Y = Follow(item->Y, ARow1, ARow2);
    }
    CellControlsUpdate();
    Invalidate();
}

void TKvStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    ++Swaps;
    const int n = FSortRowXRef->Count();
    if (ARow1 >= 0 && ARow2 >= 0 && ARow1 < n && ARow2 < n) {
        const int x = FSortRowXRef->Items(ARow1);
        FSortRowXRef->SetItems(ARow1, FSortRowXRef->Items(ARow2));
        FSortRowXRef->SetItems(ARow2, x);
    }
    if (FSortSettings->SingleColumn) {
        const int c = FSortSettings->Column;
        if (c >= 0) SwapCells(TPoint(c, ARow1), TPoint(c, ARow2));
        return;
    }
    for (int c = 0; c < TotalColCount(); ++c) SwapCells(TPoint(c, ARow1), TPoint(c, ARow2));
    if (RowHeights(ARow1) != RowHeights(ARow2)) {
        const int h = RowHeights(ARow1);
        SetRowHeights(ARow1, RowHeights(ARow2));
        SetRowHeights(ARow2, h);
    }
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
        const int r1 = FNumHiddenRows > 0 ? RealRowIndex(ARow1) : ARow1;
        const int r2 = FNumHiddenRows > 0 ? RealRowIndex(ARow2) : ARow2;
        const bool s1 = RowSelect(r1);
        SetRowSelect(r1, RowSelect(r2));
        SetRowSelect(r2, s1);
    }
    if (FShowModified->Enabled()) {
        const bool m1 = RowModified(ARow1);
        SetRowModified(ARow1, RowModified(ARow2));
        SetRowModified(ARow2, m1);
    }
    SortRow = Follow(SortRow, ARow1, ARow2);
}

// ============================================================ small services

int TKvStringGrid::ColumnMaxTextLength(int ACol)
{
    int longest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        QString s;
        GetSaveCellText(ACol, r, s);
        s.replace(QLatin1String("\r\n"), QLatin1String("\r"));
        s.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        const QStringList lines = MultilineCells ? s.split(QLatin1Char('\r')) : QStringList{s};
        for (const QString& l : lines) longest = std::max(longest, int(l.size()));
    }
    return longest;
}

void TKvStringGrid::InvalidateCellRect(const TGridRect& R)
{
    TRect area;
    UnionRect(area, CellRect(R.Left, R.Top), CellRect(R.Right, R.Bottom));
    ::InvalidateRect(Handle(), &area, false);
}

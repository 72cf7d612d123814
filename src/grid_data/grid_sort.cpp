// The grid's sorts: the comparison of two cells under the twenty sort formats,
// the comparison of rows (one column with its followers, or the index list),
// the in-place quick sort on rows with its pivot in a scratch row, the framing
// that every sort shares, the group sort, the undo of all sorts since the
// cross-reference was reset, and the sort settings' text form.
#include "grid/kv_string_grid.h"

#include <algorithm>
#include <cmath>

#include "grid/grid_text.h"
#include "platform/core/datetime.h"
#include "platform/core/sysutils.h"

namespace {

int Sign(int Value)
{
    return (Value > 0) - (Value < 0);
}

int CompareValues(double A, double B)
{
    return A > B ? 1 : A < B ? -1 : 0;
}

// Ordinal comparison of the UTF-16 code units, reduced to its sign.
int CompareOrdinal(const QString& A, const QString& B)
{
    return Sign(QString::compare(A, B, Qt::CaseSensitive));
}

QChar AsciiUpper(QChar C)
{
    return C >= QLatin1Char('a') && C <= QLatin1Char('z') ? QChar(C.unicode() - 32) : C;
}

// As CompareOrdinal with the ASCII letters upper-cased, without copying the texts.
int CompareAsciiNoCase(const QString& A, const QString& B)
{
    const qsizetype n = std::min(A.size(), B.size());
    for (qsizetype i = 0; i < n; ++i) {
        const ushort a = AsciiUpper(A[i]).unicode(), b = AsciiUpper(B[i]).unicode();
        if (a != b) return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : A.size() < B.size() ? -1 : 1;
}

// The number the numeric formats compare: the first prefix and suffix go, for
// financial cells every thousand separator too, and the locale's decimal
// separator becomes "."; a text that does not read counts 0, as an empty one.
double SortNumber(QString S, const QString& Prefix, const QString& Suffix, bool Financial)
{
    if (!Prefix.isEmpty())
        if (const qsizetype p = S.indexOf(Prefix); p >= 0) S.remove(p, Prefix.size());
    if (!Suffix.isEmpty())
        if (const qsizetype p = S.indexOf(Suffix); p >= 0) S.remove(p, Suffix.size());
    if (Financial) S.remove(GetThousandSeparator());
    const QChar decimal = GetDecimalSeparator();
    if (decimal != QLatin1Char('.'))
        if (const qsizetype p = S.indexOf(decimal); p >= 0) S[p] = QLatin1Char('.');
    double v = 0;
    int code = 0;
    Val(S, v, code);
    return code == 0 ? v : 0;
}

double SortDateTime(const QString& S)
{
    TDateTime d = 0;
    return TryStrToDateTime(S, d) ? d : 0;
}

double TimeSortValue(const QString& S)
{
    TDateTime d = 0;
    return TryStrToTime(S, d) ? d : 0;
}

// A short date that does not read, or names no day of the calendar, counts 0.
double SortShortDate(const QString& S, bool DayFirst)
{
    try {
        return DayFirst ? ParseDateDMY(S) : ParseDateMDY(S);
    } catch (const Exception&) {
        return 0;
    }
}

bool IsNumberText(const QString& S)
{
    const int kind = ClassifyNumberText(S);
    return kind == nkInteger || kind == nkDecimal || kind == nkExponent;
}

// The automatic choice between text, dates and times from the first text: a
// separator at the second or third place between two digits, and the other
// text holding the separator too.
TSortStyle DetectTextStyle(const QString& S1, const QString& S2, bool IgnoreCase)
{
    const auto sepBetweenDigits = [&S1](QChar Sep) {
        const qsizetype p = S1.indexOf(Sep) + 1;
        return p >= 2 && p <= 3 && p < S1.size() && IsNumberChar(S1[p - 2]) && IsNumberChar(S1[p]);
    };
    const QChar dateSep = GetDateSeparator(), timeSep = GetTimeSeparator();
    if (sepBetweenDigits(dateSep)) {
        if (S2.contains(dateSep)) return S1.contains(timeSep) ? ssDateTime : ssDate;
    } else if (sepBetweenDigits(timeSep) && S2.contains(timeSep)) {
        return ssTime;
    }
    return IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
}

} // namespace

// ============================================================ cell and row comparison

int TKvStringGrid::SortCompareCells(int ACol, int ARow1, int ARow2, int Dir)
{
    ++Compares;
    const TSortSettings* ss = FSortSettings.get();
    TSortStyle style = ss->AutoFormat ? ssAutomatic : ss->IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
    QString prefix, suffix;
    GetFormat(ACol, style, prefix, suffix);
    const QString s1 = ss->SortOnVirtualCells ? Cells(ACol, ARow1) : GridCells(ACol, ARow1);
    const QString s2 = ss->SortOnVirtualCells ? Cells(ACol, ARow2) : GridCells(ACol, ARow2);
    if (style == ssAutomatic) {
        const TCellType t = GetCellType(ACol, ARow1);
        if (t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox)
            style = ssCheckBox;
        else if (IsNumberText(s1))
            style = ssNumeric;
        else
            style = DetectTextStyle(s1, s2, ss->IgnoreCase);
    }
    if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        const bool numbers = IsNumberText(s1) && IsNumberText(s2);
        style = numbers ? ssNumeric : style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }

    int res = 0;
    switch (style) {
    case ssAlphabetic:
    case ssAlphaCase:
    case ssAlphaNumeric:
    case ssAutomatic:
        res = CompareOrdinal(s1, s2);
        break;
    case ssAlphaNoCase:
    case ssAlphaNumericNoCase:
        res = CompareAsciiNoCase(s1, s2);
        break;
    case ssNumeric:
    case ssFinancial: {
        const bool financial = style == ssFinancial;
        res = CompareValues(SortNumber(s1, prefix, suffix, financial), SortNumber(s2, prefix, suffix, financial));
        break;
    }
    case ssDate:
    case ssDateTime:
        res = CompareValues(SortDateTime(s1), SortDateTime(s2));
        break;
    case ssTime:
        res = CompareValues(TimeSortValue(s1), TimeSortValue(s2));
        break;
    case ssShortDateEU:
    case ssShortDateUS:
        res = CompareValues(SortShortDate(s1, style == ssShortDateEU), SortShortDate(s2, style == ssShortDateEU));
        break;
    case ssCustom: {
        int r = 0;
        if (OnCustomCompare) OnCustomCompare(this, s1, s2, r);
        res = Sign(r);
        break;
    }
    case ssAnsiAlphaCase:
        res = Sign(AnsiCompareStr(s1, s2));
        break;
    case ssAnsiAlphaNoCase:
        res = Sign(AnsiCompareText(s1, s2));
        break;
    case ssRaw: {
        int r = 0;
        if (OnRawCompare) OnRawCompare(this, ACol, ARow1, ARow2, r);
        res = Sign(r);
        break;
    }
    case ssHTML:
        res = CompareOrdinal(GetStrippedCell(ACol, ARow1), GetStrippedCell(ACol, ARow2));
        break;
    case ssImages: {
        const intptr_t i1 = GetCellImageRef(ACol, ARow1), i2 = GetCellImageRef(ACol, ARow2);
        res = i2 < i1 ? 1 : i1 == i2 ? 0 : -1;
        break;
    }
    case ssCheckBox: {
        bool b1 = false, b2 = false;
        GetCheckBoxState(ACol, ARow1, b1);
        GetCheckBoxState(ACol, ARow2, b2);
        res = int(b1) - int(b2);
        break;
    }
    }

    if (ss->IgnoreBlanks && s1.isEmpty() != s2.isEmpty()) {
        // The blank goes to BlankPos in both directions: the range sort reads a
        // descending result the other way round, so it is turned here.
        int blankAfter = ss->BlankPos == blLast ? 1 : -1;
        if (Dir == 1) blankAfter = -blankAfter;
        res = s1.isEmpty() ? blankAfter : -blankAfter;
    }
    return res;
}

int TKvStringGrid::SortCompareRows(int ACol, int ARow1, int ARow2)
{
    // The hidden columns count as columns while a sort runs: they move with their rows.
    const int last = AllColCount() - 1;
    const int dir = FSortSettings->Direction == sdDescending ? 1 : 0;
    for (int c = ACol;; ++c) {
        const int r = IsIgnoredColumn(c) ? 0 : SortCompareCells(c, ARow1, ARow2, dir);
        if (r != 0 || !FSortSettings->Full || c >= last) return r;
    }
}

int TKvStringGrid::SortCompareRowsIndexed(int Index, int ARow1, int ARow2)
{
    for (int k = Index; k < FSortIndexes->Count(); ++k) {
        const bool descending = !FSortIndexes->SortDirections(k);
        const int c = FSortIndexes->SortColumns(k);
        const int r = IsIgnoredColumn(c) ? 0 : SortCompareCells(c, ARow1, ARow2, descending ? 1 : 0);
        if (r != 0 || !FSortSettings->Full) return descending ? -r : r;
    }
    return 0;
}

bool TKvStringGrid::SortLine(int ACol, int ARow1, int ARow2)
{
    const int dir = FSortSettings->Direction == sdDescending ? 1 : 0;
    for (int c = ACol;; ++c) {
        const int r = SortCompareCells(c, ARow1, ARow2, dir);
        if (r == SortDir) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (r != 0 || c >= AllColCount() - 1) return false;
    }
}

// ============================================================ scratch rows

int TKvStringGrid::AddSortScratchRows()
{
    const int old = RowCount();
    const int maxRows = FMaxRowCount;
    SetRowCount(old + 3);
    FMaxRowCount = maxRows;
    // Slots past the row count may still hold references of earlier rows:
    // they are let go, never freed.
    for (int r = old; r < old + 3; ++r) WipeStorageRow(r);
    FNormalRowCount = old;
    return old;
}

void TKvStringGrid::RemoveSortScratchRows(int OldRowCount)
{
    for (int r = OldRowCount; r < RowCount(); ++r) WipeStorageRow(r);
    const int maxRows = FMaxRowCount;
    SetRowCount(OldRowCount);
    FMaxRowCount = maxRows;
}

void TKvStringGrid::CopyToSortPivot(int ARow)
{
    // The pivot holds the texts the comparisons read (the display texts unless
    // sorting on stored texts) and the cell objects by reference; the slot is
    // below the normal rows, so no display hook changes them again.
    const int P = SortPivotRow();
    const bool virt = FSortSettings->SortOnVirtualCells;
    for (int c = 0, n = AllColCount(); c < n; ++c) {
        TStringGrid::SetCells(c, P, virt ? Cells(c, ARow) : GridCells(c, ARow));
        TStringGrid::SetObjects(c, P, TStringGrid::Objects(c, ARow));
    }
}

// ============================================================ range sorts

// Each split recurses into its smaller part and loops on the larger one, so the
// stack stays shallow whatever the order of the rows.
void TKvStringGrid::SortRowRange(int ACol, int Lo, int Hi)
{
    SortDir = FSortSettings->Direction == sdAscending ? 1 : -1;
    const int P = SortPivotRow();
    while (Lo < Hi) {
        CopyToSortPivot((Lo + Hi) / 2);
        int i = Lo, j = Hi;
        do {
            while (SortCompareRows(ACol, P, i) == SortDir && i < Hi) ++i;
            while (SortCompareRows(ACol, j, P) == SortDir && j > Lo) --j;
            if (i <= j) {
                // Equal rows never change places.
                if (i != j && SortCompareRows(ACol, i, j) != 0) SortSwapRows(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - Lo < Hi - i) {
            if (Lo < j) SortRowRange(ACol, Lo, j);
            Lo = i;
        } else {
            if (i < Hi) SortRowRange(ACol, i, Hi);
            Hi = j;
        }
    }
}

void TKvStringGrid::SortRowRangeIndexed(int Lo, int Hi)
{
    const int P = SortPivotRow();
    while (Lo < Hi) {
        CopyToSortPivot((Lo + Hi) / 2);
        int i = Lo, j = Hi;
        do {
            while (SortCompareRowsIndexed(0, P, i) == 1 && i < Hi) ++i;
            while (SortCompareRowsIndexed(0, j, P) == 1 && j > Lo) --j;
            if (i <= j) {
                if (i != j) SortSwapRows(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - Lo < Hi - i) {
            if (Lo < j) SortRowRangeIndexed(Lo, j);
            Lo = i;
        } else {
            if (i < Hi) SortRowRangeIndexed(i, Hi);
            Hi = j;
        }
    }
}

void TKvStringGrid::UnSortRowRange(int Lo, int Hi)
{
    TIntList* x = FUnSortRowXRef.get();
    while (Lo < Hi) {
        const int pivot = x->Items((Lo + Hi) / 2);
        int i = Lo, j = Hi;
        do {
            while (x->Items(i) < pivot && i < Hi) ++i;
            while (x->Items(j) > pivot && j > Lo) --j;
            if (i <= j) {
                if (i != j && x->Items(i) != x->Items(j)) {
                    SortSwapRows(i, j);
                    const int t = x->Items(i);
                    x->SetItems(i, x->Items(j));
                    x->SetItems(j, t);
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - Lo < Hi - i) {
            if (Lo < j) UnSortRowRange(Lo, j);
            Lo = i;
        } else {
            if (i < Hi) UnSortRowRange(i, Hi);
            Hi = j;
        }
    }
}

void TKvStringGrid::SortNodeGroups(bool Indexed)
{
    // The rows below the scratch rows' start and above the footers.
    const int last = FNormalRowCount - FFixedFooters - 1;
    int deepest = -1;
    for (int r = FixedRows(); r <= last; ++r)
        if (IsNode(r)) deepest = std::max(deepest, GetNodeLevel(r));
    if (deepest < 0) return;
    for (int r = FixedRows(); r <= last; ++r) {
        if (!IsNode(r) || GetNodeLevel(r) != deepest || GetNodeState(r)) continue;
        const int span = GetNodeSpan(r);
        if (span - 1 <= 1) continue;
        const int to = std::min(r + span - 1, last);
        if (Indexed) SortRowRangeIndexed(r + 1, to);
        else SortRowRange(FSortSettings->Column, r + 1, to);
    }
}

// ============================================================ the sorts

void TKvStringGrid::InitSortXRef()
{
    FSortRowXRef->Clear();
    for (int i = 0; i < RowCount(); ++i) FSortRowXRef->Add(i);
}

void TKvStringGrid::RunSort(TSortKind Kind)
{
    const bool indexed = Kind == skIndexed || Kind == skGroupIndexed;
    if (!indexed && FSortSettings->Column < 0) return;
    if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
    if (Kind == skColumn) FSortIndexes->Clear();
    if (indexed && FSortIndexes->Count() == 0)
        throw EKvGridError(QStringLiteral("No indexes specified for indexed sort"));

    // With NormalCellsOnly the first fixed column (row numbers, say) keeps its texts.
    const bool keepCol0 = FSortSettings->NormalCellsOnly && TBaseGrid::FixedCols() > 0;
    QStringList col0;
    if (keepCol0)
        for (int r = 0; r < RowCount(); ++r) col0 << GridCells(0, r);
    const int top = TopRow(), oldRow = Row(), fixedFooters = FFixedFooters;
    const bool footer = FFloatingFooter->Visible();
    BeginUpdate();
    LockRedraw();
    if (footer) FFloatingFooter->SetVisible(false);
    int oldRows = -1;

    // Everything the sort changed for its run comes back, also after an exception.
    const auto restore = [&](bool Completed) {
        if (oldRows >= 0) {
            RemoveSortScratchRows(oldRows);
            const bool setRow = !(Kind == skColumn && FMouseActions->DisjunctRowSelect());
            if (Completed && setRow) {
                const int r = FNavigation->MoveRowOnSort() ? SortRow : oldRow;
                if (r >= 0 && r < RowCount()) TBaseGrid::SetRow(r);
                if (FNavigation->MoveRowOnSort()) FOldSelRow = -1;
            }
            if (Completed && Kind == skColumn && OnRowChanged && !FNavigation->MoveRowOnSort())
                OnRowChanged(this, oldRow, Row());
        }
        for (int r = 0; r < int(col0.size()) && r < RowCount(); ++r) TStringGrid::SetCells(0, r, col0[r]);
        if (FNavigation->KeepScrollOnSort()) SetTopRow(top);
        if (footer) FFloatingFooter->SetVisible(true);
        SetFixedFooters(fixedFooters);
        UnlockRedraw();
        EndUpdate();
        if (footer && FFooterPanel) FFooterPanel->Invalidate();
        if (Kind == skColumn && FSearchFooter->Visible() && FSearchPanel && FSearchPanel->Visible())
            FSearchPanel->Invalidate();
    };
    try {
        oldRows = AddSortScratchRows();
        SortRow = oldRow;
        const int last = oldRows - fixedFooters - 1;
        switch (Kind) {
        case skColumn:
            SortRowRange(FSortSettings->Column, FixedRows(), last);
            break;
        case skIndexed:
            SortRowRangeIndexed(FixedRows(), last);
            break;
        case skGroup:
        case skGroupIndexed:
            SortNodeGroups(indexed);
            break;
        }
    } catch (...) {
        restore(false);
        throw;
    }
    restore(true);
}

void TKvStringGrid::QSort() { RunSort(skColumn); }
void TKvStringGrid::QSortIndexed() { RunSort(skIndexed); }
void TKvStringGrid::QSortGroup() { RunSort(skGroup); }
void TKvStringGrid::QSortGroupIndexed() { RunSort(skGroupIndexed); }

void TKvStringGrid::QUnSort()
{
    FUnSortRowXRef->Clear();
    for (int v : *FSortRowXRef) FUnSortRowXRef->Add(v);
    const bool keepCol0 = FSortSettings->NormalCellsOnly && TBaseGrid::FixedCols() > 0;
    QStringList col0;
    if (keepCol0)
        for (int r = 0; r < RowCount(); ++r) col0 << GridCells(0, r);
    BeginUpdate();
    const auto restore = [&] {
        for (int r = 0; r < int(col0.size()) && r < RowCount(); ++r) TStringGrid::SetCells(0, r, col0[r]);
        EndUpdate();
    };
    try {
        // Rows added since the cross-reference was reset stay where they are.
        UnSortRowRange(0, std::min(RowCount(), FUnSortRowXRef->Count()) - 1);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TKvStringGrid::Sort(int ACol, TSortDirection Direction)
{
    FSortSettings->Column = ACol;
    FSortSettings->Direction = Direction;
    QSort();
}

void TKvStringGrid::SortByColumn(int ACol)
{
    if (RowCount() <= 1) return;
    FSortSettings->Column = ACol;
    QSort();
}

void TKvStringGrid::WithSortScratchRows(const std::function<void(int Last)>& Sort)
{
    // No cell of a moving row is repainted one by one; the grid is repainted once at the end.
    LockRedraw();
    const int old = AddSortScratchRows();
    try {
        Sort(old - 1);
    } catch (...) {
        RemoveSortScratchRows(old);
        UnlockRedraw();
        throw;
    }
    RemoveSortScratchRows(old);
    UnlockRedraw();
}

void TKvStringGrid::QuickSort(int ACol, int Left, int Right)
{
    WithSortScratchRows([&](int Last) { SortRowRange(ACol, std::max(Left, 0), std::min(Right, Last)); });
}

void TKvStringGrid::QuickSortIndexed(int Left, int Right)
{
    WithSortScratchRows([&](int Last) { SortRowRangeIndexed(std::max(Left, 0), std::min(Right, Last)); });
}

// ============================================================ sort settings

void TSortSettings::SetShow(bool Value)
{
    if (Show == Value) return;
    Show = Value;
    if (FOwner) FOwner->Invalidate();
}

void TSortSettings::SetRow(int Value)
{
    if (FOwner && Value >= FOwner->FixedRows())
        throw Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    Row = Value;
}

QString TSortSettings::SaveToString() const
{
    if (IndexShow) return QStringLiteral("i;") + (FOwner ? FOwner->SortIndexes()->SaveToString() : QString());
    return (Direction == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + QString::number(Column);
}

void TSortSettings::LoadFromString(const QString& Value)
{
    if (Value.isEmpty()) return;
    SetShow(true);
    if (Value.size() < 2) throw Exception(QStringLiteral("Invalid sort settings specifier"));
    if (Value.contains(QLatin1String("i;"))) {
        IndexShow = true;
        const QString rest = Value.mid(2);
        if (!rest.isEmpty() && FOwner) {
            FOwner->SortIndexes()->LoadFromString(rest);
            FOwner->QSortIndexed();
        }
        return;
    }
    IndexShow = false;
    Direction = Value.contains(QLatin1Char('u')) ? sdAscending : sdDescending;
    int c = 0;
    if (!TryStrToInt(Value.mid(1), c)) return;
    Column = c;
    if (FOwner) FOwner->QSort();
}

void TSortSettings::Remove()
{
    Column = -1;
    if (!FOwner) return;
    FOwner->SortIndexes()->Clear();
    if (FOwner->FixedRows() > 0) FOwner->RepaintRow(FOwner->FixedRows() - 1);
}

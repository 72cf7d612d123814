// Grid-wide text services: header lists copied into the first row and column,
// highlighting and marking of search text, the cell checker pass, the fills,
// and typed views of the cell texts.
#include <QRandomGenerator>
#include <algorithm>

#include "grid/grid_text.h"
#include "grid/html_markup.h"
#include "grid/kv_string_grid.h"
#include "grid/theme_services.h"
#include "platform/core/datetime.h"

namespace {

const QString kHi = QStringLiteral("hi");
const QString kMark = QStringLiteral("e");

QString HeaderText(const QString& s)
{
    QString t = s;
    t.replace(QStringLiteral("\\n"), QStringLiteral("\r"));
    return t;
}

// "&", the double quote, "<" and ">" as entities.
QString EscapeSearchText(const QString& s)
{
    QString t = s;
    t.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    t.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    t.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    t.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return t;
}

QString UnescapeSearchText(const QString& s)
{
    QString t = s;
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    t.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return t;
}

QString RemoveTag(const QString& s, const QString& Tag)
{
    QString t = s;
    t.remove(QLatin1Char('<') + Tag + QLatin1Char('>'), Qt::CaseInsensitive);
    t.remove(QStringLiteral("</") + Tag + QLatin1Char('>'), Qt::CaseInsensitive);
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return t;
}

bool IntText(const QString& s, int& v)
{
    const QString t = s.trimmed();
    if (t.isEmpty() || t == QLatin1String("-")) {
        v = 0;
        return true;
    }
    bool ok = false;
    v = t.toInt(&ok);
    return ok;
}

bool FloatText(const QString& s, double& v)
{
    const QString t = s.trimmed();
    if (t.isEmpty() || t == QLatin1String("-")) {
        v = 0;
        return true;
    }
    const QString n = ExtractNumberText(t);
    bool ok = false;
    v = n.toDouble(&ok);
    return ok && !n.isEmpty();
}

} // namespace

// ============================================================ headers

void TKvStringGrid::SetColumnHeaders(const TStrings* Value)
{
    auto keep = FColumnHeaders->OnChange;
    FColumnHeaders->OnChange = nullptr;
    FColumnHeaders->Assign(Value);
    FColumnHeaders->OnChange = keep;
    if (TBaseGrid::FixedRows() > 0) ClearColumnHeaders();
    ShowColumnHeaders();
}

void TKvStringGrid::SetRowHeaders(const TStrings* Value)
{
    auto keep = FRowHeaders->OnChange;
    FRowHeaders->OnChange = nullptr;
    FRowHeaders->Assign(Value);
    FRowHeaders->OnChange = keep;
    if (FDesigning && TBaseGrid::FixedCols() > 0) ClearRowHeaders();
    ShowRowHeaders();
}

void TKvStringGrid::ShowColumnHeaders()
{
    if (TBaseGrid::FixedRows() == 0) return;
    for (int i = 0; i < FColumnHeaders->Count() && i < TotalColCount() && i < ColCount(); ++i)
        SetCells(i, 0, HeaderText(FColumnHeaders->Strings(i)));
}

void TKvStringGrid::ShowRowHeaders()
{
    if (TBaseGrid::FixedCols() == 0) return;
    for (int i = 0; i < FRowHeaders->Count() && i < RowCount(); ++i)
        SetCells(0, i, HeaderText(FRowHeaders->Strings(i)));
}

void TKvStringGrid::ClearColumnHeaders()
{
    for (int i = 0; i < ColCount(); ++i) SetCells(i, 0, QString());
}

void TKvStringGrid::ClearRowHeaders()
{
    for (int i = 0; i < RowCount(); ++i) SetCells(0, i, QString());
}

// ============================================================ highlight and mark

QString TKvStringGrid::HilightText(bool DoCase, const QString& S, const QString& Text)
{
    return HighlightHTMLText(S, Text, kHi, DoCase);
}

QString TKvStringGrid::MarkText(bool DoCase, const QString& S, const QString& Text)
{
    return HighlightHTMLText(S, Text, kMark, DoCase);
}

QString TKvStringGrid::UnHilightText(const QString& S) { return RemoveTag(S, kHi); }
QString TKvStringGrid::UnMarkText(const QString& S) { return RemoveTag(S, kMark); }

void TKvStringGrid::HilightInRange(const QString& HiText, const QString& Tag, bool DoCase, int FromCol,
                                   int FromRow, int ToCol, int ToRow)
{
    const QString hi = EscapeSearchText(HiText);
    const int lastCol = std::min(ToCol, ColCount() - 1), lastRow = std::min(ToRow, RowCount() - 1);
    for (int r = std::max(0, FromRow); r <= lastRow; ++r)
        for (int c = std::max(0, FromCol); c <= lastCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            QString t = OnGetDisplText ? Cells(c, r) : GridCells(c, r);
            t = HighlightHTMLText(EscapeSearchText(t), hi, Tag, DoCase);
            SetCells(c, r, t);
        }
}

void TKvStringGrid::UnHilightInRange(const QString& Tag, int FromCol, int FromRow, int ToCol, int ToRow)
{
    const int lastCol = std::min(ToCol, ColCount() - 1), lastRow = std::min(ToRow, RowCount() - 1);
    for (int r = std::max(0, FromRow); r <= lastRow; ++r)
        for (int c = std::max(0, FromCol); c <= lastCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            QString t = OnGetDisplText ? Cells(c, r) : GridCells(c, r);
            // Tags first, so that an escaped "<" in the text is not taken for one.
            t = UnescapeSearchText(RemoveTag(t, Tag));
            SetCells(c, r, t);
        }
}

namespace {
struct TRanges {
    int C0, C1, R0, R1, H, Cols, Rows;
};
} // namespace

#define KV_RANGES                                                                                          \
    const TRanges rg{TBaseGrid::FixedCols(), ColCount() - 1 - FFixedRightCols, TBaseGrid::FixedRows(),     \
                     RowCount() - 1 - FFixedFooters, FNumHiddenColumns, ColCount(), RowCount()}

void TKvStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    HilightInRange(HiText, kHi, DoCase, Col, Row, Col, Row);
}

void TKvStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    KV_RANGES;
    HilightInRange(HiText, kHi, DoCase, Col, DoFixed ? 0 : rg.R0, Col, DoFixed ? rg.Rows - 1 : rg.R1);
}

void TKvStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    KV_RANGES;
    HilightInRange(HiText, kHi, DoCase, DoFixed ? 0 : rg.C0, Row, DoFixed ? rg.Cols - 1 : rg.C1, Row);
}

void TKvStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    KV_RANGES;
    HilightInRange(HiText, kHi, DoCase, DoFixed ? 0 : rg.C0, DoFixed ? 0 : rg.R0,
                   DoFixed ? rg.Cols - 1 : rg.C1 + rg.H, DoFixed ? rg.Rows - 1 : rg.R1);
}

void TKvStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    HilightInRange(HiText, kMark, DoCase, Col, Row, Col, Row);
}

void TKvStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    KV_RANGES;
    HilightInRange(HiText, kMark, DoCase, Col, DoFixed ? 0 : rg.R0, Col, DoFixed ? rg.Rows - 1 : rg.R1);
}

void TKvStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    KV_RANGES;
    HilightInRange(HiText, kMark, DoCase, DoFixed ? 0 : rg.C0, Row, DoFixed ? rg.Cols - 1 : rg.C1, Row);
}

void TKvStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    KV_RANGES;
    HilightInRange(HiText, kMark, DoCase, DoFixed ? 0 : rg.C0, DoFixed ? 0 : rg.R0, DoFixed ? rg.Cols - 1 : rg.C1,
                   DoFixed ? rg.Rows - 1 : rg.R1);
}

void TKvStringGrid::UnHilightInCell(int Col, int Row) { UnHilightInRange(kHi, Col, Row, Col, Row); }

void TKvStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    KV_RANGES;
    UnHilightInRange(kHi, Col, DoFixed ? 0 : rg.R0, Col, DoFixed ? rg.Rows - 1 : rg.R1);
}

void TKvStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    KV_RANGES;
    UnHilightInRange(kHi, DoFixed ? 0 : rg.C0, Row, (DoFixed ? rg.Cols - 1 : rg.C1) + rg.H, Row);
}

void TKvStringGrid::UnHilightInGrid(bool DoFixed)
{
    KV_RANGES;
    UnHilightInRange(kHi, DoFixed ? 0 : rg.C0, DoFixed ? 0 : rg.R0, (DoFixed ? rg.Cols - 1 : rg.C1) + rg.H,
                     DoFixed ? rg.Rows - 1 : rg.R1);
}

void TKvStringGrid::UnMarkInCell(int Col, int Row) { UnHilightInRange(kMark, Col, Row, Col, Row); }

void TKvStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
    KV_RANGES;
    UnHilightInRange(kMark, Col, DoFixed ? 0 : rg.R0, Col, DoFixed ? rg.Rows - 1 : rg.R1);
}

void TKvStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    KV_RANGES;
    UnHilightInRange(kMark, DoFixed ? 0 : rg.C0, Row, (DoFixed ? rg.Cols - 1 : rg.C1) + rg.H, Row);
}

void TKvStringGrid::UnMarkInGrid(bool DoFixed)
{
    KV_RANGES;
    UnHilightInRange(kMark, DoFixed ? 0 : rg.C0, DoFixed ? 0 : rg.R0, (DoFixed ? rg.Cols - 1 : rg.C1) + rg.H,
                     DoFixed ? rg.Rows - 1 : rg.R1);
}

// ============================================================ cell checking

bool TKvStringGrid::CheckCell(int Col, int Row)
{
    if (!CellChecker) return true;
    if (Col < 0 || Row < 0 || Col >= ColCount() || Row >= RowCount()) return true;
    const QString s = UnMarkText(Cells(Col, Row));
    if (CellChecker->GotoCell) {
        SetCol(Col);
        SetRow(Row);
    }
    QString t = s;
    if (CellChecker->UseCorrect) t = CellChecker->Correct(Col, Row, s);
    if (CellChecker->UseMarkError) t = CellChecker->MarkError(Col, Row, s);
    SetCells(Col, Row, t);
    return t == s;
}

bool TKvStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!CellChecker) return true;
    CellChecker->StartCheck();
    const int keepRow = Row(), keepCol = Col();
    bool res = true;
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            if (!CheckCell(c, r)) res = false;
    CellChecker->StopCheck();
    if (CellChecker->GotoCell) {
        SetRow(keepRow);
        SetCol(keepCol);
    }
    return res;
}

bool TKvStringGrid::CheckCol(bool DoFixed, int Col)
{
    KV_RANGES;
    return CheckCells(Col, DoFixed ? 0 : rg.R0, Col, DoFixed ? rg.Rows - 1 : rg.R1);
}

bool TKvStringGrid::CheckRow(bool DoFixed, int Row)
{
    KV_RANGES;
    return CheckCells(DoFixed ? 0 : rg.C0, Row, DoFixed ? rg.Cols - 1 : rg.C1, Row);
}

bool TKvStringGrid::CheckGrid(bool DoFixed)
{
    KV_RANGES;
    return CheckCells(DoFixed ? 0 : rg.C0, DoFixed ? 0 : rg.R0, DoFixed ? rg.Cols - 1 : rg.C1,
                      DoFixed ? rg.Rows - 1 : rg.R1);
}

// ============================================================ fills

namespace {
template <class F>
void ForFillRange(TKvStringGrid* g, bool DoFixed, int C0, int C1, int R0, int R1, F f)
{
    const int fc = DoFixed ? 0 : C0, lc = DoFixed ? g->ColCount() - 1 : C1;
    const int fr = DoFixed ? 0 : R0, lr = DoFixed ? g->RowCount() - 1 : R1;
    for (int r = fr; r <= lr; ++r)
        for (int c = fc; c <= lc; ++c) f(c, r);
}
} // namespace

void TKvStringGrid::TextFill(bool DoFixed, const QString& Txt)
{
    KV_RANGES;
    ForFillRange(this, DoFixed, rg.C0, rg.C1, rg.R0, rg.R1, [&](int c, int r) { SetCells(c, r, Txt); });
    CellsLoaded();
}

void TKvStringGrid::FormatFill(bool DoFixed, const QString& Fmt)
{
    KV_RANGES;
    // Only the two integer placeholders are filled: a format is never handed to printf.
    ForFillRange(this, DoFixed, rg.C0, rg.C1, rg.R0, rg.R1, [&](int c, int r) {
        QString t = Fmt;
        const int a = t.indexOf(QStringLiteral("%d"));
        if (a >= 0) t.replace(a, 2, QString::number(c));
        const int b = t.indexOf(QStringLiteral("%d"), a < 0 ? 0 : a + int(QString::number(c).size()));
        if (b >= 0) t.replace(b, 2, QString::number(r));
        SetCells(c, r, t);
    });
    CellsLoaded();
}

void TKvStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    KV_RANGES;
    ForFillRange(this, DoFixed, rg.C0, rg.C1, rg.R0, rg.R1, [&](int c, int r) {
        SetInts(c, r, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0);
    });
    CellsLoaded();
}

void TKvStringGrid::LinearFill(bool DoFixed)
{
    KV_RANGES;
    ForFillRange(this, DoFixed, rg.C0, rg.C1, rg.R0, rg.R1, [&](int c, int r) {
        SetCells(c, r, QString::number(c) + QLatin1Char(':') + QString::number(r));
    });
    CellsLoaded();
}

#undef KV_RANGES

// ============================================================ typed values

QString TKvStringGrid::StrippedCells(int ACol, int ARow) { return HTMLToPlainText(Cells(ACol, ARow)); }

int TKvStringGrid::Ints(int ACol, int ARow)
{
    int v = 0;
    if (!IntText(StrippedCells(ACol, ARow), v)) throw EKvGridError(QStringLiteral("Cell does not contain integer value"));
    return v;
}

int TKvStringGrid::AllInts(int ACol, int ARow)
{
    // Rows and columns map one to one until hidden ones exist.
    int v = 0;
    if (!IntText(GridCells(ACol, ARow), v)) throw EKvGridError(QStringLiteral("Cell does not contain integer value"));
    return v;
}

void TKvStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetGridCells(ACol, ARow, QString::number(Value)); }

double TKvStringGrid::Floats(int ACol, int ARow)
{
    double v = 0;
    if (!FloatText(StrippedCells(ACol, ARow), v)) throw EKvGridError(QStringLiteral("Cell does not contain a float value"));
    return v;
}

double TKvStringGrid::AllFloats(int ACol, int ARow)
{
    double v = 0;
    if (!FloatText(GridCells(ACol, ARow), v)) throw EKvGridError(QStringLiteral("Cell does not contain a float value"));
    return v;
}

void TKvStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    QString s = QString::asprintf(FFloatFormat.toLatin1().constData(), Value);
    s.replace(QLatin1Char('.'), GetLocaleDecimalSeparator());
    SetGridCells(ACol, ARow, s);
}

double TKvStringGrid::Dates(int ACol, int ARow) { return StrToDate(Cells(ACol, ARow)); }

void TKvStringGrid::SetDates(int ACol, int ARow, double Value)
{
    if (Value > 0 || FShowNullDates) SetCells(ACol, ARow, DateToStr(Value));
    else SetCells(ACol, ARow, QString());
}

double TKvStringGrid::Times(int ACol, int ARow) { return StrToTime(Cells(ACol, ARow)); }

void TKvStringGrid::SetTimes(int ACol, int ARow, double Value) { SetCells(ACol, ARow, TimeToStr(Value)); }

QString TKvStringGrid::ControlValues(int ACol, int ARow, const QString& ID)
{
    QString v;
    if (!GetHTMLControlValue(Cells(ACol, ARow), ID, v)) return QString();
    return v;
}

void TKvStringGrid::SetControlValues(int ACol, int ARow, const QString& ID, const QString& Value)
{
    QString t = Cells(ACol, ARow);
    if (SetHTMLControlValue(t, ID, Value)) SetCells(ACol, ARow, t);
}

int TKvStringGrid::PrintColWidth(int ACol) const
{
    if (ACol < 0 || ACol > 511) throw EKvGridError(QStringLiteral("Columns is not in valid range"));
    return FPrintColWidths[ACol];
}

int TKvStringGrid::PrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol > 511) throw EKvGridError(QStringLiteral("Columns is not in valid range"));
    return FPrintColOffsets[ACol];
}

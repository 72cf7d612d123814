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
#include "platform/core/sysutils.h"

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
    // Columns are storage columns: the hidden ones lie past the shown ones.
    const int lastCol = std::min(ToCol, TotalColCount() - 1), lastRow = std::min(ToRow, RowCount() - 1);
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
    const int lastCol = std::min(ToCol, TotalColCount() - 1), lastRow = std::min(ToRow, RowCount() - 1);
    for (int r = std::max(0, FromRow); r <= lastRow; ++r)
        for (int c = std::max(0, FromCol); c <= lastCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            QString t = OnGetDisplText ? Cells(c, r) : GridCells(c, r);
            // Tags first, so that an escaped "<" in the text is not taken for one.
            t = UnescapeSearchText(RemoveTag(t, Tag));
            SetCells(c, r, t);
        }
}

// The row range of a column operation and the column range of a row operation;
// WithHidden reaches past the hidden columns as the un-highlighting does.
void TKvStringGrid::RowRange(bool DoFixed, int& From, int& To) const
{
    From = DoFixed ? 0 : TBaseGrid::FixedRows();
    To = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
}

void TKvStringGrid::ColRange(bool DoFixed, bool WithHidden, int& From, int& To) const
{
    From = DoFixed ? 0 : TBaseGrid::FixedCols();
    To = (DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols) + (WithHidden ? FNumHiddenColumns : 0);
}

void TKvStringGrid::TagInCol(bool DoFixed, bool DoCase, int Col, const QString& Text, const QString& Tag)
{
    int r0, r1;
    RowRange(DoFixed, r0, r1);
    if (Text.isNull()) UnHilightInRange(Tag, Col, r0, Col, r1);
    else HilightInRange(Text, Tag, DoCase, Col, r0, Col, r1);
}

void TKvStringGrid::TagInRow(bool DoFixed, bool DoCase, int Row, const QString& Text, const QString& Tag)
{
    int c0, c1;
    ColRange(DoFixed, Text.isNull(), c0, c1);
    if (Text.isNull()) UnHilightInRange(Tag, c0, Row, c1, Row);
    else HilightInRange(Text, Tag, DoCase, c0, Row, c1, Row);
}

void TKvStringGrid::TagInGrid(bool DoFixed, bool DoCase, bool WithHidden, const QString& Text, const QString& Tag)
{
    int c0, c1, r0, r1;
    ColRange(DoFixed, WithHidden && !DoFixed, c0, c1);
    if (Text.isNull() && DoFixed) c1 += FNumHiddenColumns;
    RowRange(DoFixed, r0, r1);
    if (Text.isNull()) UnHilightInRange(Tag, c0, r0, c1, r1);
    else HilightInRange(Text, Tag, DoCase, c0, r0, c1, r1);
}

// A null text stands for removing the tag.
void TKvStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    HilightInRange(HiText, kHi, DoCase, Col, Row, Col, Row);
}
void TKvStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    TagInCol(DoFixed, DoCase, Col, HiText.isNull() ? QStringLiteral("") : HiText, kHi);
}
void TKvStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    TagInRow(DoFixed, DoCase, Row, HiText.isNull() ? QStringLiteral("") : HiText, kHi);
}
void TKvStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    TagInGrid(DoFixed, DoCase, true, HiText.isNull() ? QStringLiteral("") : HiText, kHi);
}
void TKvStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    HilightInRange(HiText, kMark, DoCase, Col, Row, Col, Row);
}
void TKvStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    TagInCol(DoFixed, DoCase, Col, HiText.isNull() ? QStringLiteral("") : HiText, kMark);
}
void TKvStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    TagInRow(DoFixed, DoCase, Row, HiText.isNull() ? QStringLiteral("") : HiText, kMark);
}
void TKvStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    TagInGrid(DoFixed, DoCase, false, HiText.isNull() ? QStringLiteral("") : HiText, kMark);
}
void TKvStringGrid::UnHilightInCell(int Col, int Row) { UnHilightInRange(kHi, Col, Row, Col, Row); }
void TKvStringGrid::UnHilightInCol(bool DoFixed, int Col) { TagInCol(DoFixed, false, Col, QString(), kHi); }
void TKvStringGrid::UnHilightInRow(bool DoFixed, int Row) { TagInRow(DoFixed, false, Row, QString(), kHi); }
void TKvStringGrid::UnHilightInGrid(bool DoFixed) { TagInGrid(DoFixed, false, true, QString(), kHi); }
void TKvStringGrid::UnMarkInCell(int Col, int Row) { UnHilightInRange(kMark, Col, Row, Col, Row); }
void TKvStringGrid::UnMarkInCol(bool DoFixed, int Col) { TagInCol(DoFixed, false, Col, QString(), kMark); }
void TKvStringGrid::UnMarkInRow(bool DoFixed, int Row) { TagInRow(DoFixed, false, Row, QString(), kMark); }
void TKvStringGrid::UnMarkInGrid(bool DoFixed) { TagInGrid(DoFixed, false, true, QString(), kMark); }

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
    int r0, r1;
    RowRange(DoFixed, r0, r1);
    return CheckCells(Col, r0, Col, r1);
}

bool TKvStringGrid::CheckRow(bool DoFixed, int Row)
{
    int c0, c1;
    ColRange(DoFixed, false, c0, c1);
    return CheckCells(c0, Row, c1, Row);
}

bool TKvStringGrid::CheckGrid(bool DoFixed)
{
    int c0, c1, r0, r1;
    ColRange(DoFixed, false, c0, c1);
    RowRange(DoFixed, r0, r1);
    return CheckCells(c0, r0, c1, r1);
}

// ============================================================ fills

void TKvStringGrid::FillRange(bool DoFixed, const std::function<void(int, int)>& Fill)
{
    int c0, c1, r0, r1;
    ColRange(DoFixed, false, c0, c1);
    RowRange(DoFixed, r0, r1);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) Fill(c, r);
    CellsLoaded();
}

void TKvStringGrid::TextFill(bool DoFixed, const QString& Txt)
{
    FillRange(DoFixed, [&](int c, int r) { SetCells(c, r, Txt); });
}

void TKvStringGrid::FormatFill(bool DoFixed, const QString& Fmt)
{
    // Only the two integer placeholders are filled: a format is never handed to printf.
    FillRange(DoFixed, [&](int c, int r) {
        QString t = Fmt;
        const int a = t.indexOf(QStringLiteral("%d"));
        if (a >= 0) t.replace(a, 2, QString::number(c));
        const int b = t.indexOf(QStringLiteral("%d"), a < 0 ? 0 : a + int(QString::number(c).size()));
        if (b >= 0) t.replace(b, 2, QString::number(r));
        SetCells(c, r, t);
    });
}

void TKvStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    FillRange(DoFixed, [&](int c, int r) {
        SetInts(c, r, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0);
    });
}

void TKvStringGrid::LinearFill(bool DoFixed)
{
    FillRange(DoFixed, [&](int c, int r) {
        SetCells(c, r, QString::number(c) + QLatin1Char(':') + QString::number(r));
    });
}

// ============================================================ typed values

QString TKvStringGrid::StrippedCells(int ACol, int ARow) { return HTMLToPlainText(Cells(ACol, ARow)); }

int TKvStringGrid::Ints(int ACol, int ARow)
{
    int v = 0;
    if (!IntText(StrippedCells(ACol, ARow), v)) throw EKvGridError(QStringLiteral("Cell does not contain integer value"));
    return v;
}

void TKvStringGrid::SetInts(int ACol, int ARow, int Value)
{
    SetCells(ACol, ARow, QString::number(Value));
    if (FNumHiddenColumns > 0) RepaintCell(DisplColIndexOf(ACol), ARow);
}

int TKvStringGrid::AllInts(int ACol, int ARow)
{
    int v = 0;
    if (!IntText(AllCells(ACol, ARow), v)) throw EKvGridError(QStringLiteral("Cell does not contain integer value"));
    return v;
}

void TKvStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetAllCells(ACol, ARow, QString::number(Value)); }

double TKvStringGrid::Floats(int ACol, int ARow)
{
    double v = 0;
    if (!FloatText(StrippedCells(ACol, ARow), v)) throw EKvGridError(QStringLiteral("Cell does not contain a float value"));
    return v;
}

double TKvStringGrid::AllFloats(int ACol, int ARow)
{
    double v = 0;
    if (!FloatText(AllCells(ACol, ARow), v)) throw EKvGridError(QStringLiteral("Cell does not contain a float value"));
    return v;
}

void TKvStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    QString s;
    if (FormatFloatText(FFloatFormat, Value, s)) s.replace(QLatin1Char('.'), GetLocaleDecimalSeparator());
    else s = FloatToStr(Value);
    SetAllCells(ACol, ARow, s);
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
    // The entry after the last column is kept for the offsets but not handed out.
    if (ACol < 0 || ACol >= int(FPrintColWidths.size()) - 1)
        throw EKvGridError(QStringLiteral("Columns is not in valid range"));
    return FPrintColWidths[size_t(ACol)];
}

int TKvStringGrid::PrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol >= int(FPrintColOffsets.size()) - 1)
        throw EKvGridError(QStringLiteral("Columns is not in valid range"));
    return FPrintColOffsets[size_t(ACol)];
}

QString TKvStringGrid::Version() const
{
    const unsigned v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

// ============================================================ change handlers

void TKvStringGrid::AppearanceChanged(TObject*) { Invalidate(); }

void TKvStringGrid::MergedColumnsChanged(TObject*)
{
    SplitAllColumnCells();
    RemergeColumnCells();
}

void TKvStringGrid::RichSelectionChanged(TObject*)
{
    if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
}

void TKvStringGrid::CellImagesChanged(TObject*, int ACol, int ARow) { RepaintCell(ACol, ARow); }

void TKvStringGrid::SplitAllColumnCells()
{
    for (int c = 0; c < ColCount(); ++c) SplitColumnCells(c);
}

void TKvStringGrid::RemergeColumnCells()
{
    for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->Items(i), i == 0);
}

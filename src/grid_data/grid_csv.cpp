// Delimited text (CSV) written and read, fixed-width text written and read by column
// positions, and the aligned plain-text table ("ASCII" export) for viewing as text.
//
// A CSV record is one physical line: a multi-line cell travels as one quoted field with
// character 11 between its lines (or "~" with JavaCSV).
#include "grid/kv_string_grid.h"

#include <algorithm>
#include <map>

#include "grid/grid_text.h"
#include "grid_data/grid_exchange.h"
#include "platform/core/files.h"
#include "platform/core/large_buffers.h"
#include "platform/ui/forms.h"

namespace {

const QChar Quote = QLatin1Char('"');
const QChar Blank = QLatin1Char(' ');

// The delimiters a CSV reader tries, the most likely first.
const QChar DelimiterCandidates[] = {
    QLatin1Char(','), QLatin1Char(';'), QLatin1Char('#'), QLatin1Char('\t'), QLatin1Char('|'),
    QLatin1Char('@'), QLatin1Char('*'), QLatin1Char('-'), QLatin1Char('+'), QLatin1Char('&'),
};

// The delimiter the first two lines agree on: the candidate with the most closing runs
// equal in both, else the most plain occurrences equal in both, else the most in either;
// an earlier candidate keeps a tie. Null when no candidate occurs at all.
QChar DetectDelimiter(const QString& First, const QString& Second)
{
    const std::function<bool(QChar, int&)> passes[] = {
        [&](QChar c, int& n) {
            n = CountClosingQuotes(c, First);
            return n == CountClosingQuotes(c, Second);
        },
        [&](QChar c, int& n) {
            n = CountChar(c, First);
            return n == CountChar(c, Second);
        },
        [&](QChar c, int& n) {
            n = std::max(CountChar(c, First), CountChar(c, Second));
            return true;
        },
    };
    for (const auto& pass : passes) {
        int best = 0;
        QChar found;
        for (QChar c : DelimiterCandidates) {
            int n = 0;
            if (pass(c, n) && n > best) {
                best = n;
                found = c;
            }
        }
        if (!found.isNull()) return found;
    }
    return QChar();
}

// Blanks in front of a field go, but a field of one blank stays a blank.
void SkipLeadingBlanks(const QString& Line, qsizetype& Pos)
{
    while (Line.size() - Pos >= 2 && Line[Pos] == Blank) ++Pos;
}

// Pads or cuts a text to Width characters.
QString FitToWidth(const QString& Text, int Width)
{
    Width = std::max(Width, 0);
    return Text.size() > Width ? Text.left(Width) : Text.leftJustified(Width, Blank);
}

// Appends an aligned text: right-aligned text gets blanks in front up to the width,
// centred text one blank on both sides at a time until it reaches or passes the width.
void AppendAligned(QString& Out, QStringView Text, TAlignment HA, int Width)
{
    const qsizetype missing = std::max<qsizetype>(Width - Text.size(), 0);
    const qsizetype before = HA == taRightJustify ? missing : HA == taCenter ? (missing + 1) / 2 : 0;
    const qsizetype after = HA == taCenter ? before : 0;
    Out.resize(Out.size() + before, Blank);
    Out += Text;
    Out.resize(Out.size() + after, Blank);
}

// A text holds a CR LF pair; the single character is looked for first, for speed.
bool HasLineBreak(const QString& Text)
{
    return Text.contains(QLatin1Char('\r')) && Text.contains(QLatin1String("\r\n"));
}

QString AlignToWidth(QStringView Text, TAlignment HA, int Width)
{
    QString s;
    AppendAligned(s, Text, HA, Width);
    return s;
}

}  // namespace

// ============================================================ CSV writing

void TKvStringGrid::SaveToCSV(const QString& FileName, bool Unicode) { WriteCSV(FileName, false, Unicode); }

void TKvStringGrid::AppendToCSV(const QString& FileName, bool Unicode) { WriteCSV(FileName, true, Unicode); }

void TKvStringGrid::WriteCSV(const QString& FileName, bool Append, bool Unicode)
{
    const QLatin1StringView crlf("\r\n");
    TExportText out(Unicode ? TExportText::Utf8WithMark : TExportText::Ansi);
    if (Append)
        for (const QString& l : ReadExchangeLines(FileName)) {
            out.Append(l);
            out.Append(crlf);
        }
    const QChar delim = Delimiter.isNull() ? QLatin1Char(',') : Delimiter;
    const int h = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int firstCol = SaveStartCol(), lastCol = SaveEndCol() + h;
    out.Reserve(out.Bytes().size() + qsizetype(SaveRowCount()) * (lastCol - firstCol + 1) * 12);
    TExchangeProgress progress(this);
    ExportRows(SaveStartRow(), SaveEndRow(), [&](int r) {
        out.ExpectRows(r - SaveStartRow(), SaveRowCount());
        for (int d = firstCol; d <= lastCol; ++d) {
            if (d > firstCol) out.Append(delim);
            QString s;
            GetSaveCellText(SaveHiddenCells ? d : DisplToRealColumn(d), r, s);
            // Most cells hold no delimiter, quote or line break: such a text goes out as it is.
            const auto special = [&](QChar c) { return c == delim || c == Quote || c == QLatin1Char('\r'); };
            if (!AlwaysQuotes && !OemConvert && !s.isEmpty() && std::none_of(s.cbegin(), s.cend(), special)) {
                out.Append(s);
                continue;
            }
            s = DoubleQuoteChars(s);
            if (OemConvert) StringToOem(s);
            bool quoted = false;
            if (AlwaysQuotes || (!s.contains(delim) && s.contains(Quote))) {
                s = Quote + s + Quote;
                quoted = true;
            }
            if (s.isEmpty()) {
                if (JavaCSV) s = QStringLiteral("^");
                else if (QuoteEmptyCells()) s = QStringLiteral("\"\"");
            }
            if (s.contains(delim) || s.contains(QLatin1Char('\r'))) {
                if (JavaCSV) {
                    // Line breaks become "~"; a delimiter inside still needs the quotes, or
                    // every reader would split the field in two.
                    LineBreaksToTilde(s);
                    if (!quoted && s.contains(delim)) s = Quote + s + Quote;
                } else if (quoted) {
                    CRLFToLF(s);
                }
                else {
                    QuoteMultiLineCell(s);
                }
            }
            out.Append(s);
        }
        out.Append(crlf);
        progress.Step(r, std::max(1, RowCount() - 1));
    });
    out.Save(FileName);
}

// ============================================================ CSV reading

void TKvStringGrid::LoadFromCSV(const QString& FileName, int MaxRows) { ReadCSVFile(FileName, false, MaxRows); }

void TKvStringGrid::InsertFromCSV(const QString& FileName, int MaxRows) { ReadCSVFile(FileName, true, MaxRows); }

void TKvStringGrid::LoadFromCSVStream(TStream* AStream, int MaxRows) { ReadCSVStream(AStream, false, MaxRows); }

void TKvStringGrid::ReadCSVFile(const QString& FileName, bool Insert, int MaxRows)
{
    // Read whole and at once, so another program may hold the file open meanwhile.
    const QByteArray bytes = ReadBinaryFile(FileName);
    if (bytes.isEmpty()) return;
    ReadCSVText(DecodeExchangeText(bytes), Insert, MaxRows);
}

void TKvStringGrid::ReadCSVStream(TStream* Stream, bool Insert, int MaxRows)
{
    ReadCSVText(DecodeExchangeText(Stream->ReadAll()), Insert, MaxRows);
}

void TKvStringGrid::ReadCSVText(const QString& Text, bool Insert, int MaxRows)
{
    const QStringList lines = SplitLines(Text);
    if (lines.isEmpty()) throw Exception(QStringLiteral("File is empty"));
    const int h = SaveHiddenCells ? NumHiddenColumns() : 0;
    int r = Insert ? RowCount() : SaveStartRow();
    // Inserting above a floating footer: its row is kept aside and filled too.
    QStringList footer;
    const bool keepFooter = Insert && FFloatingFooter->Visible();
    if (keepFooter) {
        r = RowCount() - 1;
        for (int c = 0; c < AllColCount(); ++c) footer << Cells(c, r);
        ClearRows(r, 1);
    }
    const QChar delim = !Delimiter.isNull() ? Delimiter
                                            : DetectDelimiter(lines[0], lines.size() > 1 ? lines[1] : QString());
    const int skip = LoadFirstRow() ? 0 : 1;
    const qint64 counted = std::max<qint64>(0, lines.size() - skip);
    if (OnFileProgress) {
        const qint64 ahead = Insert ? qint64(lines.size()) + RowCount()
                                    : qint64(SaveStartRow()) + lines.size() + FFixedFooters;
        SetRowCount(int(std::min<qint64>(ahead, INT_MAX)));
    }
    TExchangeProgress progress(this);
    QStringList fields;
    int read = 0;
    for (int i = skip; i < lines.size(); ++i) {
        if (MaxRows > 0 && read >= MaxRows) break;
        QString line = lines[i];
        if (OemConvert) OemToString(line);
        if (r >= RowCount() - FFixedFooters) SetRowCount(r + 1000);
        fields.clear();
        qsizetype p = 0;
        while (!delim.isNull() && line.indexOf(delim, p) >= 0) {
            SkipLeadingBlanks(line, p);
            QString field;
            if (p < line.size() && line[p] == Quote) {
                ++p;
                const int q = ClosingQuotePos(Quote, line.mid(p));
                if (q > 0) {
                    field = UndoubleChar(Quote, line.mid(p, q - 1));
                    p += q;
                }
            } else {
                field = line.mid(p, line.indexOf(delim, p) - p);
            }
            fields << field;
            const qsizetype next = line.indexOf(delim, p);
            if (next >= 0) p = next + 1;
        }
        if (p < line.size()) {
            SkipLeadingBlanks(line, p);
            QString field = line.mid(p);
            if (field.startsWith(Quote)) {
                field.remove(0, 1);
                if (field.endsWith(Quote)) field.chop(1);
                field = UndoubleChar(Quote, field);
            }
            fields << field;
        }
        // The columns grow once per line, to hold its last field.
        const int firstCol = SaveStartCol(), needed = firstCol + int(fields.size());
        if (h + ColCount() < needed) SetColCount(needed - h);
        for (int k = 0; k < fields.size(); ++k) {
            QString field = fields[k];
            if (JavaCSV) TildeToLineBreaks(field);
            else Char11ToCRLF(field);
            SetLoadCellText(firstCol + k, r, field);
        }
        ++r;
        ++read;
        progress.Step(read, counted);
    }
    SetRowCount(r + FFixedFooters);
    FMaxRowCount = RowCount();
    if (keepFooter)
        for (int c = 0; c < footer.size(); ++c) SetGridCells(c, RowCount() - 1, footer[c]);
    NotifyCellsLoaded();
}

// ============================================================ fixed width

void TKvStringGrid::SaveToFixed(const QString& FileName, TIntList* Positions)
{
    const int h = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int firstCol = SaveStartCol(), lastCol = SaveEndCol() + h;
    auto storage = [&](int d) { return SaveHiddenCells ? d : DisplToRealColumn(d); };
    // Columns without a width take their longest line and one blank.
    for (int d = firstCol + Positions->Count(); d <= lastCol; ++d)
        Positions->Add(ColumnMaxTextLength(storage(d)) + 1);
    QStringList lines;
    ExportRows(SaveStartRow(), SaveEndRow(), [&](int r) {
        QString line;
        for (int d = firstCol; d <= lastCol; ++d) {
            QString s;
            GetSaveCellText(storage(d), r, s);
            line += FitToWidth(s, Positions->Items(d - firstCol));
        }
        lines << line;
    });
    try {
        WriteTextLines(FileName, lines, TTextEncoding::Ansi);
    } catch (const Exception&) {
        throw EKvGridError(QStringLiteral("Cannot Create file ") + FileName);
    }
}

void TKvStringGrid::LoadFromFixed(const QString& FileName, TIntList* Positions, bool DoTrim, int MaxRows)
{
    QStringList lines;
    try {
        lines = ReadExchangeLines(FileName);
    } catch (const Exception&) {
        throw EKvGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    }
    SetColCount(FixedCols() + Positions->Count() - 1);
    Positions->Sort(CompareIntegers);
    int r = SaveStartRow();
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        int c = SaveStartCol();
        for (int k = 0; k + 1 < Positions->Count(); ++k) {
            const int from = std::max(Positions->Items(k), 1) - 1;
            const int length = std::max(Positions->Items(k + 1) - 1 - from, 0);
            QString field = line.mid(from, length);
            if (DoTrim) field = field.trimmed();
            SetLoadCellText(c, r, field);
            ++c;
        }
        if (MaxRows != -1 && i + 1 == MaxRows) break;
        if (r + 1 >= RowCount() && i + 1 < lines.size()) SetRowCount(r + 2);
        ++r;
    }
    NotifyCellsLoaded();
}

// ============================================================ aligned text

void TKvStringGrid::SaveToASCII(const QString& FileName, bool Unicode) { WriteASCII(FileName, false, Unicode); }

void TKvStringGrid::AppendToASCII(const QString& FileName, bool Unicode) { WriteASCII(FileName, true, Unicode); }

void TKvStringGrid::WriteASCII(const QString& FileName, bool Append, bool Unicode)
{
    TCursorScope hourglass(crHourGlass);
    TExportText out(Unicode ? TExportText::Utf16WithMark : TExportText::Ansi);
    const QLatin1StringView crlf("\r\n");
    auto line = [&](QStringView Line) {
        out.Append(Line);
        out.Append(crlf);
    };
    if (Append && FileExists(FileName))
        for (const QString& l : ReadExchangeLines(FileName)) line(l);
    const int h = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int firstCol = SaveFixedCells() || FSaveFixedCols ? 0 : FixedCols();
    const int firstRow = SaveFixedCells() || FSaveFixedRows ? 0 : FixedRows();
    const int lastCol = ColCount() + h - 1;
    const QString br = QStringLiteral("\r\n");
    // One width per exported column, held as a full integer: any width, any number of
    // columns. The width is the longest (first) line over all rows of the grid.
    struct TColumn {
        int Display = 0, Storage = 0, Width = 0, Offset = 0;
        // Where the column's texts start in texts: one per row of the grid.
        size_t First = 0;
    };
    std::vector<TColumn> columns;
    // The texts of all columns in one block, column after column.
    std::vector<QString> texts;
    const size_t allTexts = size_t(std::max(lastCol - firstCol + 1, 0)) * size_t(RowCount());
    texts.reserve(allTexts);
    AdviseLargeBuffer(texts.data(), allTexts * sizeof(QString));
    int offset = 0;
    for (int c = firstCol; c <= lastCol; ++c) {
        TColumn col;
        col.Display = c;
        col.Storage = SaveHiddenCells ? c : DisplToRealColumn(c);
        col.First = texts.size();
        for (int r = 0; r < RowCount(); ++r) {
            QString s;
            GetSaveCellText(col.Storage, r, s);
            if (!HasLineBreak(s)) {
                col.Width = std::max(col.Width, int(s.size()));
            } else {
                const QStringList parts = s.split(br);
                for (int j = 0; j < (MultilineCells ? parts.size() : 1); ++j)
                    col.Width = std::max(col.Width, int(parts[j].size()));
            }
            texts.push_back(std::move(s));
        }
        col.Offset = offset;
        offset += col.Width + 1;
        columns.push_back(std::move(col));
    }
    // Each line is as long as all columns together; the further lines of multi-line cells
    // come on top.
    const qsizetype lineBytes = (qsizetype(offset) + 2) * (Unicode ? 2 : 1);
    out.Reserve(out.Size() + qsizetype(std::max(RowCount() - firstRow, 0)) * lineBytes);
    QString main;
    ExportRows(firstRow, RowCount() - 1, [&](int r) {
        main.clear();
        QStringList extra;
        for (const TColumn& col : columns) {
            const QString& text = texts[col.First + size_t(r)];
            // Only a multi-line cell is split into its lines.
            QStringList parts;
            if (HasLineBreak(text)) parts = text.split(br);
            const QStringView first = parts.isEmpty() ? QStringView(text) : QStringView(parts[0]);
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            CalcCellAlignment(col.Display, r, ha, va);
            // Further lines of a multi-line cell go below, each at its column's place.
            for (int j = 1; MultilineCells && j < parts.size(); ++j) {
                if (extra.size() < j) extra << QString();
                extra[j - 1] = extra[j - 1].leftJustified(col.Offset, Blank) + AlignToWidth(parts[j], ha, col.Width);
            }
            const qsizetype start = main.size();
            AppendAligned(main, first, ha, col.Width);
            const qsizetype written = main.size() - start;
            if (written <= col.Width) main.resize(main.size() + col.Width - written + 1, Blank);
        }
        line(main);
        for (const QString& l : extra) line(l);
    });
    out.Save(FileName);
}

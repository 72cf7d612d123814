// The grid's own line format for cell texts and column widths: a file (ANSI or UTF-16 LE)
// read leniently, and a stream of UTF-16 LE lines read strictly, which the grid uses to
// copy cells between grids inside a larger stream.
//
// Lines: the counts "cols,rows", one "cw index,width" per column, then "col,row,text" per
// non-empty cell, the text with its line breaks as control characters.
#include "grid/kv_string_grid.h"

#include "grid/grid_text.h"
#include "grid_data/grid_exchange.h"
#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/ui/forms.h"

namespace {

// "col,row,text" with the text's line breaks as control characters.
QString CellLine(int ACol, int ARow, const QString& Text)
{
    return QString::number(ACol) + QLatin1Char(',') + QString::number(ARow) + QLatin1Char(',') +
           LineBreaksToControlChars(Text);
}

QString WidthLine(int ACol, int Width)
{
    return QStringLiteral("cw ") + QString::number(ACol) + QLatin1Char(',') + QString::number(Width);
}

// A stored text back with its line breaks; without multi-line cells only its first line.
QString LoadedCellText(const QString& Stored, bool MultiLine)
{
    return ControlCharsToLineBreaks(Stored, MultiLine);
}

}  // namespace

// ============================================================ file

void TKvStringGrid::SaveToFile(const QString& FileName, bool Unicode)
{
    const int h = SaveHiddenCells ? NumHiddenColumns() : 0;
    const int firstCol = SaveStartCol(), lastCol = SaveEndCol() + h;
    const QLatin1StringView crlf("\r\n");
    TExportText out(Unicode ? TExportText::Utf16WithMark : TExportText::Ansi);
    out.Reserve(qsizetype(SaveRowCount()) * (lastCol - firstCol + 1) * (Unicode ? 32 : 16));
    out.Append(QString::number(h + SaveColCount()) + QLatin1Char(',') + QString::number(SaveRowCount()));
    out.Append(crlf);
    for (int i = firstCol; i <= lastCol; ++i) {
        out.Append(WidthLine(i, AllColWidths(i)));
        out.Append(crlf);
    }
    TExchangeProgress progress(this);
    const qint64 span = std::max(1, SaveRowCount() - 1);
    ExportRows(SaveStartRow(), SaveEndRow(), [&](int r) {
        out.ExpectRows(r - SaveStartRow(), SaveRowCount());
        for (int c = firstCol; c <= lastCol; ++c) {
            QString s;
            GetSaveCellText(c, r, s);
            if (s.isEmpty()) continue;
            out.AppendInt(c);
            out.Append(QLatin1Char(','));
            out.AppendInt(r);
            out.Append(QLatin1Char(','));
            out.Append(LineBreaksToControlChars(s));
            out.Append(crlf);
        }
        progress.Step(r, span);
    });
    out.Save(FileName);
}

void TKvStringGrid::LoadFromFile(const QString& FileName)
{
    const QStringList lines = ReadExchangeLines(FileName);
    const bool fromZeroCol = SaveFixedCells() || FSaveFixedCols;
    const bool fromZeroRow = SaveFixedCells() || FSaveFixedRows;
    const int a = fromZeroCol ? 0 : FixedCols(), b = fromZeroRow ? 0 : FixedRows();
    const QString corrupt = QStringLiteral("File contains no data or corrupt file ") + FileName;
    if (!lines.isEmpty() && !lines[0].isEmpty()) {
        QString size = lines[0];
        const QString cols = CutBeforeSeparator(size, QStringLiteral(","));
        const qint64 colCount = qint64(a) + ParseLeadingInt(cols);
        const qint64 rowCount = qint64(b) + ParseLeadingInt(size);
        // A damaged size line must not make the grid allocate without limit.
        if (colCount > MaxExchangeColCount || rowCount > MaxExchangeRowCount) throw EKvGridError(corrupt);
        SetColCount(int(colCount));
        SetRowCount(int(rowCount));
        // The grid keeps at least one column and row; a size of none is still no data.
        if (colCount <= 0 || rowCount <= 0) throw EKvGridError(corrupt);
    }
    TExchangeProgress progress(this);
    for (int i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QLatin1String("cw"))) {
            const int comma = int(line.indexOf(QLatin1Char(',')));
            const int index = ParseLeadingInt(comma < 0 ? line.mid(3) : line.mid(3, comma - 3));
            const int width = comma < 0 ? 0 : ParseLeadingInt(line.mid(comma + 1, 255));
            if (index >= 0 && index < ColCount()) SetColWidths(index, width);
        } else {
            QString rest = line;
            const int col = ParseLeadingInt(CutBeforeSeparator(rest, QStringLiteral(",")));
            const int row = ParseLeadingInt(CutBeforeSeparator(rest, QStringLiteral(",")));
            if (col >= 0 && col < ColCount() && row >= 0 && row < RowCount()) {
                SetLoadCellText(col, row, LoadedCellText(rest, MultilineCells));
                progress.Step(row, std::max(1, RowCount() - 1));
            }
        }
        // Paints and timers go on while a long file loads; a click or key waits, so
        // nobody closes the window or starts another load on the half-loaded grid.
        if (Application) Application->ProcessMessagesExceptInput();
    }
    NotifyCellsLoaded();
}

// ============================================================ stream

void TKvStringGrid::SaveToStream(TStream* Stream)
{
    WriteStreamLine(Stream, QString::number(SaveColCount()) + QLatin1Char(',') + QString::number(SaveRowCount()));
    for (int i = 0; i < ColCount(); ++i) WriteStreamLine(Stream, WidthLine(i, ColWidths(i)));
    const int firstCol = SaveStartCol(), lastCol = SaveEndCol(), firstRow = SaveStartRow();
    ExportRows(firstRow, SaveEndRow(), [&](int r) {
        for (int c = firstCol; c <= lastCol; ++c) {
            QString s;
            GetSaveCellText(c, r, s);
            if (!s.isEmpty()) WriteStreamLine(Stream, CellLine(c - firstCol, r - firstRow, s));
        }
    });
}

void TKvStringGrid::LoadFromStream(TStream* Stream)
{
    {
        TStreamLineReader reader(Stream);
        QString line;
        if (reader.ReadLine(line) && !line.isEmpty()) {
            QString size = line;
            const QString cols = CutBeforeSeparator(size, QStringLiteral(","));
            const qint64 colCount = qint64(StrToInt(cols)) + SaveStartCol();
            const qint64 rowCount = qint64(StrToInt(size)) + SaveStartRow();
            if (colCount > MaxExchangeColCount || rowCount > MaxExchangeRowCount)
                throw EKvGridError(QStringLiteral("The cell stream holds no valid grid size"));
            SetColCount(int(colCount));
            SetRowCount(int(rowCount));
        }
        const int firstCol = SaveStartCol(), firstRow = SaveStartRow();
        while (reader.ReadLine(line)) {
            if (line.startsWith(QLatin1String("cw"))) {
                QString rest = line.mid(3);
                const int index = StrToInt(CutBeforeSeparator(rest, QStringLiteral(",")));
                SetColWidths(index, StrToInt(rest));
                continue;
            }
            QString rest = line;
            const QString colText = CutBeforeSeparator(rest, QStringLiteral(","));
            if (colText.isEmpty()) {
                reader.UnreadLine();
                break;
            }
            const int col = StrToInt(colText) + firstCol;
            const QString rowText = CutBeforeSeparator(rest, QStringLiteral(","));
            if (rowText.isEmpty()) {
                reader.UnreadLine();
                break;
            }
            const int row = StrToInt(rowText) + firstRow;
            // A stream from another program or a damaged one may name cells outside the
            // grid: they would reappear when the grid grows, and an index in the billions
            // would make the cell store allocate up to it.
            if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) continue;
            SetLoadCellText(col, row, LoadedCellText(rest, MultilineCells));
        }
    }
    NotifyCellsLoaded();
}

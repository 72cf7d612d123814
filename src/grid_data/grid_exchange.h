#pragma once
// What every exchange of the grid's cells with files, streams and the clipboard shares:
// the progress percentage its OnFileProgress hears, the lenient and strict number
// readers of the text formats, the line reader and writer of the cell text stream, and
// the character sets of the exchange files. The export and import notifications and the
// end of every load are members of the grid (ExportRows, NotifyCellsLoaded).
//
// Exchange files are read as their byte-order mark says (UTF-8, UTF-16 LE or BE) and
// without one in the ANSI code page (Windows-1252), whatever their bytes look like.

#include <QByteArray>
#include <QString>
#include <QStringList>

class TKvStringGrid;
class TStream;

// A count a file or stream may give the grid: a grid of more rows or columns than an
// office workbook holds is no grid this program exchanges, and a damaged size line must
// not make the grid allocate without limit.
constexpr int MaxExchangeRowCount = 1048576;
constexpr int MaxExchangeColCount = 16384;

// The most an export reserves ahead from its estimate of the text to come (128 MB).
constexpr qsizetype MaxExportReserve = qsizetype(1) << 27;

// The room an export needs for Total rows when the Done rows written so far took its
// text from RowsStart to Used, a quarter more, at most MaxExportReserve. Only after the
// first rows and again after some thousands, so that a start that was not typical is
// corrected once; 0 at every other row.
qsizetype ExpectedExportSize(qsizetype Used, qsizetype RowsStart, qint64 Done, qint64 Total);

// The integer nearest to Done * 100 / Total, halves to the even neighbour; 100 when
// Total is 0 or less.
int ProgressPercent(qint64 Done, qint64 Total);

// Reports the progress of one exchange through the grid's OnFileProgress: a value is
// fired only when it differs from the last one fired, the first always.
class TExchangeProgress {
public:
    explicit TExchangeProgress(TKvStringGrid* Grid) : FGrid(Grid) {}
    void Step(qint64 Done, qint64 Total);

private:
    TKvStringGrid* FGrid;
    int FLast = -1;
};

// The number at the start of a text, read leniently: leading blanks skipped, a sign, "$"
// or "0x" for hexadecimal. A text that is a number whole gives its value; otherwise the
// digits up to the first other character give their value without the sign; no digit
// gives 0. The digits are summed in 64 bits and the result kept within the int range.
int ParseLeadingInt(const QString& Text);

// Sort order of a positions list: 1 when Item1 > Item2, 0 when equal, -1 otherwise.
int CompareIntegers(int Item1, int Item2);

// One line of the cell text stream: its UTF-16 units in little-endian order and the
// units 13 and 10.
void WriteStreamLine(TStream* Stream, const QString& Line);
// Reads the units up to a CR or the end of the stream (the unit after the CR is read and
// dropped); false when the stream was already at its end.
bool ReadStreamLine(TStream* Stream, QString& Line);

// Reads the stream's lines as ReadStreamLine does, through a buffer, so that a long
// stream costs no call per unit. When it goes, the stream stands just after the last
// line read, or at the start of a line given back with UnreadLine.
class TStreamLineReader {
public:
    explicit TStreamLineReader(TStream* Stream);
    ~TStreamLineReader();
    TStreamLineReader(const TStreamLineReader&) = delete;
    TStreamLineReader& operator=(const TStreamLineReader&) = delete;

    bool ReadLine(QString& Line);
    void UnreadLine();
    qint64 Position() const { return FBufferStart + FIndex; }

private:
    bool Fill();
    TStream* FStream;
    QByteArray FBuffer;
    qint64 FBufferStart;      // stream offset of FBuffer[0]
    qsizetype FIndex = 0;     // next byte to read
    qint64 FLineStart;        // stream offset of the line read last
};

// The bytes of an export file, encoded as its text is appended, so that a large export
// holds its file once and not its text besides. The character sets: Windows-1252
// (characters it lacks as "?"), UTF-8 and UTF-16 LE with their byte-order marks, and
// ISO-8859-1 or ASCII with every other character as a numeric character reference
// ("&#8364;"), so that no text is lost.
class TExportText {
public:
    enum TCharset { Ansi, Utf8WithMark, Utf8, Utf16WithMark, Latin1WithReferences, AsciiWithReferences };
    explicit TExportText(TCharset Charset);
    void Reserve(qsizetype Bytes);
    // Called before each row of an export with the rows written so far: the buffer is
    // sized as ExpectedExportSize says, so that a large export is not copied as it grows.
    void ExpectRows(qint64 Done, qint64 Total);
    void Append(QStringView Text);
    void Append(QChar Ch) { Append(QStringView(&Ch, 1)); }
    void Append(QLatin1StringView Text);
    // The decimal digits of a number, without a string of their own.
    void AppendInt(qint64 Value);
    const QByteArray& Bytes() const;
    qsizetype Size() const { return FUsed; }
    // Writes the file whole (temporary file, then rename).
    void Save(const QString& FileName) const;

private:
    // Room for Count more bytes at the end; the answer is where they go.
    char* Room(qsizetype Count);
    // Resizes the buffer to Bytes, a large one in large memory pages.
    void Grow(qsizetype Bytes);
    void AppendSingleBytes(QStringView Text, char32_t Highest);
    TCharset FCharset;
    // The bytes written are the first FUsed of the buffer; the rest is room to grow.
    mutable QByteArray FBytes;
    qsizetype FUsed = 0;
    // Where the rows started, for ExpectRows.
    qsizetype FRowsStart = 0;
};

// The text of exchange file bytes: byte-order mark, else Windows-1252.
QString DecodeExchangeText(const QByteArray& Bytes);
// The lines of an exchange file (CR LF, CR or LF); raises the platform's file error.
QStringList ReadExchangeLines(const QString& FileName);

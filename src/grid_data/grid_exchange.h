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

// One byte per character up to Highest (0x7F: ASCII, 0xFF: ISO-8859-1), every other
// character as a numeric character reference ("&#8364;"), so that no text is lost.
QByteArray EncodeWithCharacterReferences(const QString& Text, char32_t Highest);

// The text of exchange file bytes: byte-order mark, else Windows-1252.
QString DecodeExchangeText(const QByteArray& Bytes);
// The lines of an exchange file (CR LF, CR or LF); raises the platform's file error.
QStringList ReadExchangeLines(const QString& FileName);

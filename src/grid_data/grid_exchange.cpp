// The parts every exchange of the grid shares: export notifications, the end of a load,
// progress, the number readers, the stream lines and the exchange character sets.
#include "grid_data/grid_exchange.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

#include "grid/kv_string_grid.h"
#include "platform/core/classes.h"
#include "platform/core/codepages.h"
#include "platform/core/files.h"
#include "platform/core/large_buffers.h"

#include <QStringEncoder>

void TKvStringGrid::ExportRows(int FromRow, int ToRow, const std::function<void(int ARow)>& WriteRow)
{
    ExportNotification(esExportStart, FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        ExportNotification(esExportNextRow, r);
        WriteRow(r);
    }
    ExportNotification(esExportDone, -1);
}

void TKvStringGrid::NotifyCellsLoaded()
{
    CellsChanged(TGridRect(0, 0, ColCount(), RowCount()));
    CellsLoaded();
}

// ============================================================ progress

int ProgressPercent(qint64 Done, qint64 Total)
{
    if (Total <= 0) return 100;
    const qint64 n = Done * 100;
    qint64 q = n / Total;
    const qint64 r = n % Total;
    // Halves go to the even neighbour; done beyond the total is still 100 per cent.
    if (2 * r > Total || (2 * r == Total && (q & 1))) ++q;
    return int(std::clamp<qint64>(q, 0, 100));
}

void TExchangeProgress::Step(qint64 Done, qint64 Total)
{
    if (!FGrid->OnFileProgress) return;
    const int p = ProgressPercent(Done, Total);
    if (p == FLast) return;
    FLast = p;
    FGrid->OnFileProgress(FGrid, short(p));
}

// ============================================================ numbers

namespace {

int DigitValue(QChar Ch, int Base)
{
    const char16_t c = Ch.unicode();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (Base == 16 && c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (Base == 16 && c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

int ClampToInt(qint64 V)
{
    return int(std::clamp<qint64>(V, INT_MIN, INT_MAX));
}

}  // namespace

int ParseLeadingInt(const QString& Text)
{
    const int n = int(Text.size());
    int i = 0;
    while (i < n && (Text[i] == QLatin1Char(' ') || Text[i] == QLatin1Char('\t'))) ++i;
    bool negative = false;
    if (i < n && (Text[i] == QLatin1Char('-') || Text[i] == QLatin1Char('+'))) {
        negative = Text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && Text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && Text[i] == QLatin1Char('0') && (Text[i + 1] == QLatin1Char('x') || Text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    // Summed in 64 bits and held just above the int range, so no digit run overflows.
    constexpr qint64 ceiling = qint64(INT_MAX) + 1;
    qint64 value = 0;
    int digits = 0;
    for (; i < n; ++i) {
        const int d = DigitValue(Text[i], base);
        if (d < 0) break;
        value = std::min(value * base + d, ceiling);
        ++digits;
    }
    if (digits > 0 && i == n) return ClampToInt(negative ? -value : value);
    return ClampToInt(value);
}

int CompareIntegers(int Item1, int Item2)
{
    return Item1 > Item2 ? 1 : Item1 == Item2 ? 0 : -1;
}

// ============================================================ stream lines

void WriteStreamLine(TStream* Stream, const QString& Line)
{
    QByteArray b;
    b.reserve((Line.size() + 2) * 2);
    for (QChar c : Line) {
        b.append(char(c.unicode() & 0xFF));
        b.append(char(c.unicode() >> 8));
    }
    b.append("\r\0\n\0", 4);
    Stream->WriteBuffer(b.constData(), b.size());
}

TStreamLineReader::TStreamLineReader(TStream* Stream)
    : FStream(Stream), FBufferStart(Stream->Position()), FLineStart(FBufferStart)
{
}

TStreamLineReader::~TStreamLineReader()
{
    // The stream stands at the first byte not taken by the lines read.
    FStream->SetPosition(Position());
}

bool TStreamLineReader::Fill()
{
    // Bytes before the current line are done with; the line itself may still be given back.
    const qsizetype done = qsizetype(FLineStart - FBufferStart);
    if (done > 0) {
        FBuffer.remove(0, done);
        FBufferStart += done;
        FIndex -= done;
    }
    char chunk[16384];
    const qint64 got = FStream->Read(chunk, sizeof chunk);
    if (got <= 0) return false;
    FBuffer.append(chunk, qsizetype(got));
    return true;
}

bool TStreamLineReader::ReadLine(QString& Line)
{
    Line.clear();
    FLineStart = Position();
    bool any = false;
    for (;;) {
        if (FIndex + 1 >= FBuffer.size() && !Fill()) break;
        if (FIndex + 1 >= FBuffer.size()) continue;
        any = true;
        const char16_t u = char16_t(uchar(FBuffer[FIndex]) | (uchar(FBuffer[FIndex + 1]) << 8));
        FIndex += 2;
        if (u == 13) {
            // The unit after the CR (the LF) is read and dropped.
            if (FIndex + 1 >= FBuffer.size()) Fill();
            if (FIndex + 1 < FBuffer.size()) FIndex += 2;
            return true;
        }
        Line.append(QChar(u));
    }
    // At the end an odd byte belongs to no unit: it is taken and nothing more.
    if (FIndex < FBuffer.size()) FIndex = FBuffer.size();
    return any;
}

void TStreamLineReader::UnreadLine()
{
    FIndex = qsizetype(FLineStart - FBufferStart);
}

bool ReadStreamLine(TStream* Stream, QString& Line)
{
    TStreamLineReader reader(Stream);
    return reader.ReadLine(Line);
}

// ============================================================ character sets

TExportText::TExportText(TCharset Charset) : FCharset(Charset)
{
    const char* mark = Charset == Utf8WithMark ? "\xEF\xBB\xBF" : Charset == Utf16WithMark ? "\xFF\xFE" : "";
    const qsizetype length = qsizetype(std::strlen(mark));
    std::memcpy(Room(length), mark, size_t(length));
    FUsed += length;
}

void TExportText::Reserve(qsizetype Bytes)
{
    // An estimate from the grid's size: a large, mostly empty grid must not make it take
    // gigabytes up front; beyond the cap the buffer grows as the text comes.
    Bytes = std::min(Bytes, MaxExportReserve);
    if (Bytes > FBytes.size()) Grow(Bytes);
}

qsizetype ExpectedExportSize(qsizetype Used, qsizetype RowsStart, qint64 Done, qint64 Total)
{
    if ((Done != 64 && Done != 4096) || Total <= Done) return 0;
    const qint64 perRow = (Used - RowsStart) / Done + 1;
    const qint64 rest = perRow * (Total - Done);
    return qsizetype(std::min<qint64>(Used + rest + rest / 4, MaxExportReserve));
}

void TExportText::ExpectRows(qint64 Done, qint64 Total)
{
    if (Done == 0) FRowsStart = FUsed;
    if (const qsizetype size = ExpectedExportSize(FUsed, FRowsStart, Done, Total); size > 0) Reserve(size);
}

void TExportText::Grow(qsizetype Bytes)
{
    // A new buffer takes the bytes written only: resizing would copy the whole old room.
    QByteArray bigger(Bytes, Qt::Uninitialized);
    AdviseLargeBuffer(bigger.data(), size_t(bigger.size()));
    std::memcpy(bigger.data(), FBytes.constData(), size_t(FUsed));
    FBytes.swap(bigger);
}

char* TExportText::Room(qsizetype Count)
{
    if (FUsed + Count > FBytes.size()) Grow(std::max(FUsed + Count, FBytes.size() * 2));
    return FBytes.data() + FUsed;
}

const QByteArray& TExportText::Bytes() const
{
    FBytes.truncate(FUsed);
    return FBytes;
}

void TExportText::Append(QStringView Text)
{
    switch (FCharset) {
    case Ansi: AppendSingleBytes(Text, 0x7F); break;
    case Latin1WithReferences: AppendSingleBytes(Text, 0xFF); break;
    case AsciiWithReferences: AppendSingleBytes(Text, 0x7F); break;
    case Utf8:
    case Utf8WithMark: {
        // ASCII is its own UTF-8; the encoder takes the rest from the first other character.
        const qsizetype size = Text.size();
        char* p = Room(size);
        const QChar* in = Text.data();
        qsizetype i = 0;
        for (; i < size && in[i].unicode() < 0x80; ++i) p[i] = char(in[i].unicode());
        FUsed += i;
        if (i == size) break;
        const QStringView rest = Text.sliced(i);
        QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
        p = Room(encoder.requiredSpace(rest.size()));
        FUsed += encoder.appendToBuffer(p, rest) - p;
        break;
    }
    case Utf16WithMark: {
        char* p = Room(Text.size() * 2);
        for (QChar c : Text) {
            *p++ = char(c.unicode() & 0xFF);
            *p++ = char(c.unicode() >> 8);
        }
        FUsed += Text.size() * 2;
        break;
    }
    }
}

void TExportText::Append(QLatin1StringView Text)
{
    // ASCII is the same bytes in every single-byte set and in UTF-8.
    bool ascii = FCharset != Utf16WithMark;
    for (char c : Text) ascii = ascii && uchar(c) < 0x80;
    if (!ascii) {
        Append(QStringView(QString(Text)));
        return;
    }
    std::memcpy(Room(Text.size()), Text.data(), size_t(Text.size()));
    FUsed += Text.size();
}

void TExportText::AppendInt(qint64 Value)
{
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, Value).ptr;
    Append(QLatin1StringView(buf, end - buf));
}

// One byte per character up to Highest; the others in the ANSI code page, or as
// character references.
void TExportText::AppendSingleBytes(QStringView Text, char32_t Highest)
{
    const qsizetype size = Text.size();
    // One byte a character in the common case; the room grows only for references.
    char* p = Room(size);
    qsizetype n = 0;
    const QChar* in = Text.data();
    // Text of single-byte characters only, the common case, is narrowed in one plain loop.
    if (std::all_of(in, in + size, [&](QChar c) { return c.unicode() <= Highest; })) {
        std::transform(in, in + size, p, [](QChar c) { return char(c.unicode()); });
        FUsed += size;
        return;
    }
    for (qsizetype i = 0; i < size; ++i) {
        char32_t u = in[i].unicode();
        if (u <= Highest) {
            p[n++] = char(u);
            continue;
        }
        if (FCharset == Ansi) {
            const bool pair = QChar::isHighSurrogate(u) && i + 1 < size && in[i + 1].isLowSurrogate();
            p[n++] = UnicodeToAnsi(QString(in + i, pair ? 2 : 1)).at(0);
            i += pair ? 1 : 0;
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < size && in[i + 1].isLowSurrogate())
            u = QChar::surrogateToUcs4(char16_t(u), in[++i].unicode());
        char ref[16] = "&#";
        char* end = std::to_chars(ref + 2, ref + sizeof ref - 1, quint32(u)).ptr;
        *end++ = ';';
        const qsizetype len = end - ref;
        // What is left of the text needs at most one byte a character besides this reference.
        FUsed += n;
        p = Room(len + (size - i - 1));
        n = 0;
        std::memcpy(p, ref, size_t(len));
        n = len;
    }
    FUsed += n;
}

void TExportText::Save(const QString& FileName) const
{
    WriteFileAtomic(FileName, Bytes());
}

QString DecodeExchangeText(const QByteArray& Bytes)
{
    if (Bytes.startsWith("\xEF\xBB\xBF") || Bytes.startsWith("\xFF\xFE") || Bytes.startsWith("\xFE\xFF"))
        return DecodeText(Bytes);
    return AnsiToUnicode(Bytes);
}

QStringList ReadExchangeLines(const QString& FileName)
{
    return SplitLines(DecodeExchangeText(ReadBinaryFile(FileName)));
}

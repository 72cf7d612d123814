#include "enip_outputs/zip_writer.h"

#include "platform/core/files.h"

#include <QFile>
#include <QFileInfo>

#include <zlib.h>

namespace {

void Put16(QByteArray& b, uint32_t v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// Raw deflate stream (no zlib header), as zip entries carry it.
bool Deflate(const QByteArray& in, QByteArray& out)
{
    z_stream s{};
    if (deflateInit2(&s, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    out.resize(int(deflateBound(&s, uLong(in.size()))));
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    s.avail_in = uInt(in.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    const int r = deflate(&s, Z_FINISH);
    out.resize(int(s.total_out));
    deflateEnd(&s);
    return r == Z_STREAM_END;
}

// MS-DOS date and time fields; years outside 1980..2107 are clamped.
void Dos_Time(const QDateTime& dt, uint16_t& time, uint16_t& date)
{
    const QDateTime local = dt.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    const int year = qBound(1980, d.year(), 2107);
    date = uint16_t(((year - 1980) << 9) | (d.month() << 5) | d.day());
    time = uint16_t((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
}

}  // namespace

bool TZipWriter::Add_File(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        FLastError = path;
        return false;
    }
    const QByteArray data = f.readAll();
    const QDateTime modified = QFileInfo(path).lastModified();
    return Add_Data(QFileInfo(path).fileName(), data, modified);
}

bool TZipWriter::Add_Data(const QString& name, const QByteArray& data, const QDateTime& modified)
{
    TEntry e;
    e.Name = name.toUtf8();
    e.Crc = uint32_t(crc32(0L, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
    e.Size = uint32_t(data.size());
    QByteArray packed;
    if (!Deflate(data, packed)) {
        FLastError = name;
        return false;
    }
    e.Compressed = uint32_t(packed.size());
    Dos_Time(modified, e.Time, e.Date);
    e.Offset = uint32_t(FBody.size());

    bool ascii = true;
    for (char ch : e.Name)
        ascii = ascii && uchar(ch) < 0x80;
    // Bit 1: deflated at maximum compression; bit 11: a name beyond ASCII is UTF-8.
    e.Flags = uint16_t(0x0002 | (ascii ? 0 : 0x0800));
    const uint16_t flags = e.Flags;
    Put32(FBody, 0x04034b50);
    Put16(FBody, 20);
    Put16(FBody, flags);
    Put16(FBody, e.Method);
    Put16(FBody, e.Time);
    Put16(FBody, e.Date);
    Put32(FBody, e.Crc);
    Put32(FBody, e.Compressed);
    Put32(FBody, e.Size);
    Put16(FBody, uint32_t(e.Name.size()));
    Put16(FBody, 0);
    FBody.append(e.Name);
    FBody.append(packed);
    FEntries.push_back(e);
    return true;
}

QByteArray TZipWriter::Archive() const
{
    QByteArray out = FBody;
    const uint32_t dir_start = uint32_t(out.size());
    for (const TEntry& e : FEntries) {
        Put32(out, 0x02014b50);
        Put16(out, 20);  // made by: MS-DOS attributes, version 2.0
        Put16(out, 20);
        Put16(out, e.Flags);
        Put16(out, e.Method);
        Put16(out, e.Time);
        Put16(out, e.Date);
        Put32(out, e.Crc);
        Put32(out, e.Compressed);
        Put32(out, e.Size);
        Put16(out, uint32_t(e.Name.size()));
        Put16(out, 0);  // extra
        Put16(out, 0);  // comment
        Put16(out, 0);  // disk
        Put16(out, 0);  // internal attributes
        Put32(out, 0x20);  // external attributes: archive
        Put32(out, e.Offset);
        out.append(e.Name);
    }
    const uint32_t dir_size = uint32_t(out.size()) - dir_start;
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint32_t(FEntries.size()));
    Put16(out, uint32_t(FEntries.size()));
    Put32(out, dir_size);
    Put32(out, dir_start);
    Put16(out, 0);
    return out;
}

bool TZipWriter::Close(const QString& path)
{
    try {
        WriteFileAtomic(path, Archive());
    } catch (const Exception&) {
        FLastError = path;
        return false;
    }
    return true;
}

#include "platform/core/zip_archive.h"

#include "platform/core/files.h"

#include <QFileInfo>

#include <zip.h>

namespace {

QString ZipErrorText(zip_error_t* Err)
{
    return QString::fromUtf8(zip_error_strerror(Err));
}

}  // namespace

// ---------------------------------------------------------------- reader

struct TZipArchiveReader::TImpl {
    QByteArray Bytes;   // libzip reads from here; kept alive as long as the archive
    zip_t* Zip = nullptr;
    ~TImpl()
    {
        if (Zip)
            zip_discard(Zip);
    }
};

TZipArchiveReader::TZipArchiveReader() = default;
TZipArchiveReader::~TZipArchiveReader() = default;

bool TZipArchiveReader::Open(const QByteArray& Bytes)
{
    Close();
    auto impl = std::make_unique<TImpl>();
    impl->Bytes = Bytes;
    zip_error_t err;
    zip_error_init(&err);
    zip_source_t* src = zip_source_buffer_create(impl->Bytes.constData(), zip_uint64_t(impl->Bytes.size()), 0, &err);
    if (!src) {
        FLastError = ZipErrorText(&err);
        zip_error_fini(&err);
        return false;
    }
    impl->Zip = zip_open_from_source(src, ZIP_RDONLY, &err);
    if (!impl->Zip) {
        FLastError = ZipErrorText(&err);
        zip_source_free(src);
        zip_error_fini(&err);
        return false;
    }
    zip_error_fini(&err);
    FImpl = std::move(impl);
    FLastError.clear();
    return true;
}

bool TZipArchiveReader::OpenFile(const QString& FileName)
{
    QByteArray bytes;
    try {
        bytes = ReadBinaryFile(FileName);
    } catch (const Exception& e) {
        FLastError = e.Message();
        return false;
    }
    if (!Open(bytes)) {
        FLastError = FileName + QStringLiteral(": ") + FLastError;
        return false;
    }
    return true;
}

void TZipArchiveReader::Close() { FImpl.reset(); }
bool TZipArchiveReader::IsOpen() const { return FImpl != nullptr; }

int TZipArchiveReader::Count() const
{
    if (!FImpl)
        return 0;
    const zip_int64_t n = zip_get_num_entries(FImpl->Zip, 0);
    return n < 0 ? 0 : int(qMin<zip_int64_t>(n, INT_MAX));
}

QStringList TZipArchiveReader::Names() const
{
    QStringList names;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        const char* name = zip_get_name(FImpl->Zip, zip_uint64_t(i), 0);
        names << (name ? QString::fromUtf8(name) : QString());
    }
    return names;
}

bool TZipArchiveReader::Contains(const QString& Name) const
{
    return FImpl && zip_name_locate(FImpl->Zip, Name.toUtf8().constData(), 0) >= 0;
}

QByteArray TZipArchiveReader::ReadIndex(int Index) const
{
    if (!FImpl || Index < 0 || Index >= Count())
        throw EZipError(QStringLiteral("Zip entry %1 not found").arg(Index));
    zip_stat_t st;
    zip_stat_init(&st);
    const char* rawName = zip_get_name(FImpl->Zip, zip_uint64_t(Index), 0);
    const QString name = rawName ? QString::fromUtf8(rawName) : QString::number(Index);
    if (zip_stat_index(FImpl->Zip, zip_uint64_t(Index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        throw EZipError(QStringLiteral("Zip entry ") + name + QStringLiteral(" cannot be read"));
    if (st.size > zip_uint64_t(MaxEntrySize))
        throw EZipError(QStringLiteral("Zip entry ") + name + QStringLiteral(" is too large"));
    zip_file_t* f = zip_fopen_index(FImpl->Zip, zip_uint64_t(Index), 0);
    if (!f)
        throw EZipError(QStringLiteral("Zip entry ") + name + QStringLiteral(" cannot be read: ") +
                        QString::fromUtf8(zip_strerror(FImpl->Zip)));
    QByteArray data;
    data.resize(qsizetype(st.size));
    zip_int64_t got = 0;
    while (got < zip_int64_t(st.size)) {
        const zip_int64_t r = zip_fread(f, data.data() + got, st.size - zip_uint64_t(got));
        if (r <= 0)
            break;
        got += r;
    }
    // A stored size that does not match the inflated data, or a failed checksum, is damage.
    char extra;
    const bool more = zip_fread(f, &extra, 1) > 0;
    const int closeErr = zip_fclose(f);
    if (got != zip_int64_t(st.size) || more || closeErr != 0)
        throw EZipError(QStringLiteral("Zip entry ") + name + QStringLiteral(" is damaged"));
    return data;
}

QByteArray TZipArchiveReader::Read(const QString& Name) const
{
    const zip_int64_t idx = FImpl ? zip_name_locate(FImpl->Zip, Name.toUtf8().constData(), 0) : -1;
    if (idx < 0)
        throw EZipError(QStringLiteral("Zip entry ") + Name + QStringLiteral(" not found"));
    return ReadIndex(int(idx));
}

QDateTime TZipArchiveReader::Modified(const QString& Name) const
{
    const zip_int64_t idx = FImpl ? zip_name_locate(FImpl->Zip, Name.toUtf8().constData(), 0) : -1;
    zip_stat_t st;
    zip_stat_init(&st);
    if (idx < 0 || zip_stat_index(FImpl->Zip, zip_uint64_t(idx), 0, &st) != 0 || !(st.valid & ZIP_STAT_MTIME))
        return QDateTime();
    return QDateTime::fromSecsSinceEpoch(qint64(st.mtime));
}

// ---------------------------------------------------------------- writer

void TZipArchiveWriter::Add(const QString& Name, const QByteArray& Data, const QDateTime& Modified, int Level)
{
    TEntry e{Name, Data, Modified.isValid() ? Modified : QDateTime::currentDateTime(), qBound(0, Level, 9)};
    for (TEntry& old : FEntries) {
        if (old.Name == Name) {
            old = std::move(e);
            return;
        }
    }
    FEntries.push_back(std::move(e));
}

bool TZipArchiveWriter::AddFile(const QString& FileName, const QString& Name, int Level)
{
    QByteArray data;
    try {
        data = ReadBinaryFile(FileName);
    } catch (const Exception&) {
        FLastError = FileName;
        return false;
    }
    Add(Name.isEmpty() ? ExtractFileName(FileName) : Name, data, QFileInfo(FileName).lastModified(), Level);
    return true;
}

QStringList TZipArchiveWriter::Names() const
{
    QStringList names;
    for (const TEntry& e : FEntries)
        names << e.Name;
    return names;
}

QByteArray TZipArchiveWriter::Archive() const
{
    if (FEntries.empty()) {
        // libzip drops an archive without entries; the empty archive is its end record alone.
        QByteArray end(22, '\0');
        end[0] = 'P'; end[1] = 'K'; end[2] = 5; end[3] = 6;
        return end;
    }
    zip_error_t err;
    zip_error_init(&err);
    zip_source_t* buf = zip_source_buffer_create(nullptr, 0, 0, &err);
    if (!buf) {
        const QString msg = ZipErrorText(&err);
        zip_error_fini(&err);
        throw EZipError(QStringLiteral("Cannot create zip archive: ") + msg);
    }
    zip_t* za = zip_open_from_source(buf, ZIP_TRUNCATE, &err);
    if (!za) {
        const QString msg = ZipErrorText(&err);
        zip_source_free(buf);
        zip_error_fini(&err);
        throw EZipError(QStringLiteral("Cannot create zip archive: ") + msg);
    }
    zip_error_fini(&err);
    zip_source_keep(buf);   // the archive's bytes are read from it after zip_close
    auto fail = [&](const QString& what) {
        const QString msg = QString::fromUtf8(zip_strerror(za));
        zip_discard(za);
        zip_source_free(buf);
        throw EZipError(what + QStringLiteral(": ") + msg);
    };
    for (const TEntry& e : FEntries) {
        // The entry data stays owned by FEntries until zip_close has read it.
        zip_source_t* s = zip_source_buffer(za, e.Data.constData(), zip_uint64_t(e.Data.size()), 0);
        if (!s)
            fail(QStringLiteral("Cannot add ") + e.Name);
        const zip_int64_t idx = zip_file_add(za, e.Name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (idx < 0) {
            zip_source_free(s);
            fail(QStringLiteral("Cannot add ") + e.Name);
        }
        const zip_int32_t method = e.Level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (zip_set_file_compression(za, zip_uint64_t(idx), method, zip_uint32_t(e.Level)) != 0 ||
            zip_file_set_mtime(za, zip_uint64_t(idx), time_t(e.Modified.toSecsSinceEpoch()), 0) != 0)
            fail(QStringLiteral("Cannot add ") + e.Name);
    }
    if (zip_close(za) != 0)
        fail(QStringLiteral("Cannot close zip archive"));
    QByteArray out;
    if (zip_source_open(buf) == 0) {
        zip_source_seek(buf, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buf);
        zip_source_seek(buf, 0, SEEK_SET);
        if (size > 0) {
            out.resize(qsizetype(size));
            const zip_int64_t r = zip_source_read(buf, out.data(), zip_uint64_t(size));
            if (r != size)
                out.clear();
        }
        zip_source_close(buf);
    }
    zip_source_free(buf);
    if (out.isEmpty())
        throw EZipError(QStringLiteral("Cannot read the finished zip archive"));
    return out;
}

bool TZipArchiveWriter::SaveToFile(const QString& FileName)
{
    try {
        WriteFileAtomic(FileName, Archive());
    } catch (const Exception& e) {
        FLastError = e.Message();
        return false;
    }
    FLastError.clear();
    return true;
}

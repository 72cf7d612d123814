#pragma once
// A small zip archive writer: deflated entries under their bare file names,
// each dated by its file's modification time. The archive is assembled in
// memory and written whole when it is closed, so the entries added before a
// failed one stay in a properly closed archive.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

class TZipWriter {
public:
    // Adds the file under its file name; false (and LastError naming it) when
    // it cannot be read.
    bool Add_File(const QString& path);
    bool Add_Data(const QString& name, const QByteArray& data, const QDateTime& modified);

    // The archive with its central directory.
    QByteArray Archive() const;
    // Writes the archive to path (temporary file, then rename): a failed write keeps
    // the file that was there.
    bool Close(const QString& path);

    int Count() const { return int(FEntries.size()); }
    const QString& LastError() const { return FLastError; }

private:
    struct TEntry {
        QByteArray Name;
        uint32_t Crc = 0;
        uint32_t Compressed = 0;
        uint32_t Size = 0;
        uint16_t Method = 8;
        uint16_t Flags = 0;
        uint16_t Time = 0;
        uint16_t Date = 0;
        uint32_t Offset = 0;
    };
    std::vector<TEntry> FEntries;
    QByteArray FBody;
    QString FLastError;
};

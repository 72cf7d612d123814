#pragma once
// The program's one zip code path, over libzip: packages (the IODD zip) and office files
// (workbooks, documents) are read and written here. The writer collects its entries and
// builds the archive when asked, so the entries added before a failed one still make a
// properly closed archive. The reader keeps the archive bytes and inflates an entry when
// it is asked for, refusing entries larger than a fixed bound (a damaged or hostile
// archive must not make the program allocate without limit).

#include "platform/core/exceptions.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class EZipError : public Exception {
public:
    using Exception::Exception;
};

class TZipArchiveReader {
public:
    TZipArchiveReader();
    ~TZipArchiveReader();
    TZipArchiveReader(const TZipArchiveReader&) = delete;
    TZipArchiveReader& operator=(const TZipArchiveReader&) = delete;

    // Opens an archive held in memory; false (LastError says why) when it is no zip archive.
    bool Open(const QByteArray& Bytes);
    bool OpenFile(const QString& FileName);
    void Close();
    bool IsOpen() const;

    // Entry names in archive order.
    QStringList Names() const;
    int Count() const;
    bool Contains(const QString& Name) const;
    // The inflated entry; raises EZipError when it is missing, damaged or above MaxEntrySize.
    QByteArray Read(const QString& Name) const;
    QByteArray ReadIndex(int Index) const;
    QDateTime Modified(const QString& Name) const;

    const QString& LastError() const { return FLastError; }

    // 256 MiB: far above any office part or package file the program meets.
    static constexpr qint64 MaxEntrySize = qint64(256) * 1024 * 1024;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    QString FLastError;
};

class TZipArchiveWriter {
public:
    // Deflate level of the entries added without one: the best compression.
    static constexpr int DefaultLevel = 9;

    // Adds an entry (a later entry of the same name replaces the earlier one in place).
    // Level 0 stores the data uncompressed; an invalid Modified dates it now.
    void Add(const QString& Name, const QByteArray& Data, const QDateTime& Modified = QDateTime(),
             int Level = DefaultLevel);
    // Adds the file under Name (its bare file name when Name is empty), dated by the
    // file's modification time; false (LastError naming the file) when it cannot be read.
    bool AddFile(const QString& FileName, const QString& Name = QString(), int Level = DefaultLevel);

    int Count() const { return int(FEntries.size()); }
    QStringList Names() const;

    // The finished archive (raises EZipError when libzip fails).
    QByteArray Archive() const;
    // Writes the archive whole (temporary file beside it, then rename); false and
    // LastError on failure, the old file kept.
    bool SaveToFile(const QString& FileName);

    const QString& LastError() const { return FLastError; }

private:
    struct TEntry {
        QString Name;
        QByteArray Data;
        QDateTime Modified;
        int Level = DefaultLevel;
    };
    std::vector<TEntry> FEntries;
    QString FLastError;
};

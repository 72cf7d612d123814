#pragma once
// Shared helpers of the device-output tests: fixture project copies and byte
// builders for the expected bank images.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <initializer_list>
#include <vector>

inline QString Fixture_Path(const QString& rel)
{
    return QStringLiteral(KV_FIXTURES_DIR "/enip_outputs/") + rel;
}

// Copies a fixture folder (recursively) into dest.
inline void Copy_Tree(const QString& from, const QString& dest)
{
    QDir().mkpath(dest);
    const QDir src(from);
    for (const QFileInfo& fi : src.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = dest + QLatin1Char('/') + fi.fileName();
        if (fi.isDir())
            Copy_Tree(fi.filePath(), target);
        else
            QFile::copy(fi.filePath(), target);
    }
}

inline void Write_File(const QString& path, const QByteArray& data)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
}

inline QByteArray Read_File(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A byte image built field by field at explicit offsets.
struct TByteImage {
    std::vector<uint8_t> B;
    explicit TByteImage(size_t n) : B(n, 0) {}
    void u8(size_t off, uint8_t v) { B.at(off) = v; }
    void u16(size_t off, uint32_t v)
    {
        B.at(off) = uint8_t(v);
        B.at(off + 1) = uint8_t(v >> 8);
    }
    void u32(size_t off, uint32_t v)
    {
        u16(off, v & 0xFFFF);
        u16(off + 2, v >> 16);
    }
    void bytes(size_t off, std::initializer_list<uint8_t> v)
    {
        for (uint8_t x : v)
            B.at(off++) = x;
    }
    void text(size_t off, const char* s)
    {
        while (*s)
            B.at(off++) = uint8_t(*s++);
    }
};

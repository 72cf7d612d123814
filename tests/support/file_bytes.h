#pragma once
// Whole-file reads and writes for tests that compare files byte for byte.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

#include <gtest/gtest.h>

// The file's bytes; empty when it cannot be read.
inline QByteArray Read_All(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Replaces the file with the bytes; a failure fails the test.
inline void Write_All(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size()) << path.toStdString();
}

// The little-endian 32-bit value at a byte offset (the device banks' byte order).
inline uint32_t Le32_At(const QByteArray& bytes, int at)
{
    auto b = [&](int i) { return uint32_t(uint8_t(bytes.at(at + i))); };
    return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

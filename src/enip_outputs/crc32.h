#pragma once
// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320, preset all ones,
// result complemented), the check value the IODD stamp carries.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

uint32_t Calc_CRC32(const uint8_t* data, size_t n);
inline uint32_t Calc_CRC32(const QByteArray& data)
{
    return Calc_CRC32(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
}

// The CRC-32 of a file's first 10,000,000 bytes; 0 when it cannot be read.
uint32_t File_CRC32(const QString& path);

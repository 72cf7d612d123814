#include "enip_outputs/crc32.h"

#include <QFile>

#include <array>

namespace {

constexpr size_t Stamp_Buffer_Size = 10000000;

std::array<uint32_t, 256> Make_Table()
{
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}

}  // namespace

uint32_t Calc_CRC32(const uint8_t* data, size_t n)
{
    static const std::array<uint32_t, 256> table = Make_Table();
    if (n == 0)
        return 0;
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t File_CRC32(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray data = f.read(qint64(Stamp_Buffer_Size));
    return Calc_CRC32(data);
}

// Button pictures of the shell's windows.

#include "shell/shell_look.h"

#include "platform/core/classes.h"

#include <QHash>

QImage Read_Plain_Bmp(const QByteArray& data)
{
    // Uncompressed 24-bit bottom-up bitmaps only; anything else goes to the general
    // picture loader. Reading these directly keeps start-up from probing every image
    // format the toolkit knows.
    auto u16 = [&](int o) { return int(uint8_t(data[o])) | int(uint8_t(data[o + 1])) << 8; };
    auto u32 = [&](int o) { return qint64(u16(o)) | qint64(u16(o + 2)) << 16; };
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M')
        return QImage();
    const qint64 offset = u32(10), headerSize = u32(14), width = u32(18), height = u32(22);
    if (headerSize < 40 || u16(26) != 1 || u16(28) != 24 || u32(30) != 0)
        return QImage();
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return QImage();
    const qint64 stride = (width * 3 + 3) & ~qint64(3);
    if (offset + stride * height > data.size())
        return QImage();
    QImage img(int(width), int(height), QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const char* row = data.constData() + offset + stride * (height - 1 - y);
        QRgb* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x)
            out[x] = qRgb(uint8_t(row[3 * x + 2]), uint8_t(row[3 * x + 1]), uint8_t(row[3 * x]));
    }
    return img;
}

// Resources of a static library are registered by hand, once.
static void Register_Pictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)registered;
}

QByteArray Program_Picture(const QString& file)
{
    Register_Pictures();
    try {
        const TResourceStream stream(QStringLiteral(":/Pictures/") + file);
        const std::vector<uint8_t>& bytes = stream.Bytes();
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    } catch (const Exception&) {
        return QByteArray();
    }
}

void Load_Button_Glyph(TLbButton* button, const QString& file)
{
    // Many buttons share a picture: each is decoded once.
    static QHash<QString, QImage> cache;
    auto it = cache.find(file);
    if (it == cache.end()) {
        const QByteArray data = Program_Picture(file);
        QImage img = Read_Plain_Bmp(data);
        if (img.isNull() && !data.isEmpty())
            img.loadFromData(data);
        it = cache.insert(file, img);
    }
    if (it->isNull())
        return;
    TBitmap bmp;
    bmp.SetImage(*it);
    button->SetGlyph(&bmp);
    button->SetNumGlyphs(1);
}

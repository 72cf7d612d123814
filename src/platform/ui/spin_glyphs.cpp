#include "platform/ui/spin_glyphs.h"

#include "platform/ui/graphics.h"

#include <QImage>

void RegisterSpinGlyphs()
{
    if (HasResourceImage(QStringLiteral("KsgSpinUp"))) return;
    auto make = [](bool up) {
        QImage img(9, 6, QImage::Format_RGB32);
        img.fill(qRgb(128, 128, 0));
        for (int row = 0; row < 4; ++row) {
            const int half = up ? row : 3 - row;   // half width of the row
            for (int x = 4 - half; x <= 4 + half; ++x) img.setPixel(x, row + 1, qRgb(0, 0, 0));
        }
        return img;
    };
    RegisterResourceImage(QStringLiteral("KsgSpinUp"), make(true));
    RegisterResourceImage(QStringLiteral("KsgSpinDown"), make(false));
}

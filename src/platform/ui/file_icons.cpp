#include "platform/ui/file_icons.h"

#include <QtCore/QFileInfo>
#include <QtGui/QPainter>
#include <QtGui/QPolygonF>

QImage GenericFileIcon(bool folder, bool large)
{
    static QImage cache[2][2];
    QImage& cached = cache[folder ? 1 : 0][large ? 1 : 0];
    if (!cached.isNull()) return cached;
    const int s = large ? 32 : 16;
    const qreal u = s / 16.0;
    QImage img(s, s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(u, u);
    if (folder) {
        p.setPen(QColor(0x9C, 0x7A, 0x1E));
        p.setBrush(QColor(0xF0, 0xC8, 0x50));
        p.drawPolygon(QPolygonF({QPointF(0.5, 3.5), QPointF(5.5, 3.5), QPointF(7.5, 5.5), QPointF(14.5, 5.5),
                                 QPointF(14.5, 13.5), QPointF(0.5, 13.5)}));
        p.setBrush(QColor(0xF8, 0xDC, 0x78));
        p.drawRect(QRectF(0.5, 6.5, 14, 7));
    } else {
        p.setPen(QColor(0x70, 0x70, 0x70));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(2.5, 0.5), QPointF(9.5, 0.5), QPointF(13.5, 4.5), QPointF(13.5, 15.5),
                                 QPointF(2.5, 15.5)}));
        p.setBrush(QColor(0xD8, 0xD8, 0xD8));
        p.drawPolygon(QPolygonF({QPointF(9.5, 0.5), QPointF(9.5, 4.5), QPointF(13.5, 4.5)}));
        p.setPen(QColor(0xA0, 0xA8, 0xC0));
        for (int y = 7; y <= 13; y += 2) p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
    }
    p.end();
    cached = img;
    return img;
}

QImage FileIconImage(const QString& path, bool large)
{
    return GenericFileIcon(!path.isEmpty() && QFileInfo(path).isDir(), large);
}

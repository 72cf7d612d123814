#include "grid_input/pan_pictures.h"

#include "platform/ui/forms.h"
#include "platform/ui/graphics.h"

#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

const QColor kGrey(128, 128, 128);

// A solid triangle whose tip lies at distance `tip` from the centre c, pointing
// along (dx, dy), with a base `half` wide to each side.
QPolygonF Arrow(QPointF c, int dx, int dy, double tip, double base, double half)
{
    const QPointF dir(dx, dy), side(-dy, dx);
    return QPolygonF({c + dir * tip, c + dir * base + side * half, c + dir * base - side * half});
}

} // namespace

QString PanMarkerName(int IntelliPan)
{
    switch (IntelliPan) {
    case 1: return QStringLiteral("INTLI2");
    case 2: return QStringLiteral("INTLI1");
    default: return QStringLiteral("INTLI3");
    }
}

QImage PanMarkerImage(const QString& Name)
{
    QImage img(26, 26, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 0));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kGrey);
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(0, 0, 25, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(kGrey);
    p.drawEllipse(QRectF(11, 11, 4, 4));
    const QPointF c(13, 13);
    const bool vert = Name != QLatin1String("INTLI2");
    const bool horz = Name != QLatin1String("INTLI3");
    if (vert) {
        p.drawPolygon(Arrow(c, 0, -1, 10, 6, 3.5));
        p.drawPolygon(Arrow(c, 0, 1, 10, 6, 3.5));
    }
    if (horz) {
        p.drawPolygon(Arrow(c, -1, 0, 10, 6, 3.5));
        p.drawPolygon(Arrow(c, 1, 0, 10, 6, 3.5));
    }
    return img;
}

QImage PanCursorImage(int Id)
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPointF c(16, 16);
    auto dot = [&](QPointF at, bool outlined) {
        p.setPen(outlined ? QPen(Qt::white) : Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(at.x() - 2, at.y() - 2, 4, 4));
    };
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    switch (Id) {
    case 8000:
        for (auto [dx, dy] : {std::pair{0, -1}, {0, 1}, {-1, 0}, {1, 0}}) p.drawPolygon(Arrow(c, dx, dy, 13, 7, 5));
        dot(c, false);
        break;
    case 8001: case 8002: case 8003: case 8004: {
        static const int dirs[4][2] = {{0, 1}, {-1, 0}, {1, 0}, {0, -1}};
        const int* d = dirs[Id - 8001];
        p.drawPolygon(Arrow(c, d[0], d[1], 14, 7, 5));
        dot(c, false);
        break;
    }
    case 8005: case 8006: case 8007: case 8008: {
        // up-right, up-left, down-right, down-left
        static const int corners[4][2] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
        const int sx = corners[Id - 8005][0], sy = corners[Id - 8005][1];
        const int x = sx > 0 ? 30 : 1, y = sy > 0 ? 30 : 1;
        const QPolygonF tri({QPointF(x, y), QPointF(x - sx * 12, y), QPointF(x, y - sy * 12)});
        p.setPen(QPen(Qt::white));
        p.setBrush(Qt::black);
        p.drawPolygon(tri);
        dot(QPointF(16 - sx * 8, 16 - sy * 8), true);
        break;
    }
    default:
        break;
    }
    return img;
}

void RegisterPanPictures()
{
    static bool done = false;
    if (done) return;
    done = true;
    for (int pan = 0; pan < 3; ++pan) RegisterResourceImage(PanMarkerName(pan), PanMarkerImage(PanMarkerName(pan)));
    if (!Screen) return;
    for (int id = 8000; id <= 8008; ++id) Screen->SetCursors(id, QCursor(QPixmap::fromImage(PanCursorImage(id)), 0, 0));
}

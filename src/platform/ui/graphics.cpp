#include "platform/ui/graphics.h"
#include "platform/ui/drawing.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtGui/QFontMetrics>
#include <QtGui/QImageReader>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <algorithm>
#include <cmath>
#include <stdexcept>

// ---------------------------------------------------------------- colours
namespace {
// The fixed platform colour scheme (a Windows 7 class desktop), as 0x00BBGGRR.
constexpr TColor kSysColors[31] = {
    RGB(0xC8, 0xC8, 0xC8), RGB(0x00, 0x00, 0x00), RGB(0x99, 0xB4, 0xD1), RGB(0xBF, 0xCD, 0xDB),
    RGB(0xF0, 0xF0, 0xF0), RGB(0xFF, 0xFF, 0xFF), RGB(0x64, 0x64, 0x64), RGB(0x00, 0x00, 0x00),
    RGB(0x00, 0x00, 0x00), RGB(0x00, 0x00, 0x00), RGB(0xB4, 0xB4, 0xB4), RGB(0xF4, 0xF7, 0xFC),
    RGB(0xAB, 0xAB, 0xAB), RGB(0x33, 0x99, 0xFF), RGB(0xFF, 0xFF, 0xFF), RGB(0xF0, 0xF0, 0xF0),
    RGB(0xA0, 0xA0, 0xA0), RGB(0x6D, 0x6D, 0x6D), RGB(0x00, 0x00, 0x00), RGB(0x43, 0x4E, 0x54),
    RGB(0xFF, 0xFF, 0xFF), RGB(0x69, 0x69, 0x69), RGB(0xE3, 0xE3, 0xE3), RGB(0x00, 0x00, 0x00),
    RGB(0xFF, 0xFF, 0xE1), RGB(0xB5, 0xD5, 0xFF), RGB(0x00, 0x66, 0xCC), RGB(0xB9, 0xD1, 0xEA),
    RGB(0xD7, 0xE4, 0xF2), RGB(0x33, 0x99, 0xFF), RGB(0xF0, 0xF0, 0xF0),
};

struct ColorName { TColor c; const char* name; };
constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"}, {clNone, "clNone"}, {clDefault, "clDefault"},
};
} // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || index > 30) return clBlack;
    return kSysColors[index];
}

TColor ColorToRGB(TColor c)
{
    if (uint32_t(c) & 0x80000000u) return GetSysColor(int(uint32_t(c) & 0xFF));
    return c & 0x00FFFFFF;
}

QColor ToQColor(TColor c)
{
    const TColor v = ColorToRGB(c);
    return QColor(GetRValue(v), GetGValue(v), GetBValue(v));
}

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

QString ColorToString(TColor c)
{
    for (const auto& n : kColorNames)
        if (n.c == c) return QString::fromLatin1(n.name);
    return QLatin1Char('$') + QStringLiteral("%1").arg(uint32_t(c), 8, 16, QLatin1Char('0')).toUpper();
}

bool IdentToColor(const QString& ident, TColor& c)
{
    for (const auto& n : kColorNames)
        if (ident.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) { c = n.c; return true; }
    return false;
}

TColor StringToColor(const QString& s)
{
    TColor c;
    if (IdentToColor(s.trimmed(), c)) return c;
    QString t = s.trimmed();
    bool ok = false;
    qint64 v;
    if (t.startsWith(QLatin1Char('$'))) v = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) v = t.mid(2).toLongLong(&ok, 16);
    else v = t.toLongLong(&ok, 10);
    if (!ok) throw std::invalid_argument("'" + s.toStdString() + "' is not a valid colour value");
    return TColor(uint32_t(v));
}

// ---------------------------------------------------------------- geometry
void InflateRect(TRect& r, int dx, int dy) { r.Left -= dx; r.Right += dx; r.Top -= dy; r.Bottom += dy; }
void OffsetRect(TRect& r, int dx, int dy) { r.Left += dx; r.Right += dx; r.Top += dy; r.Bottom += dy; }
bool PtInRect(const TRect& r, const TPoint& p) { return r.Contains(p); }
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b)
{
    dst = TRect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom));
    if (dst.IsEmpty()) { dst = TRect(); return false; }
    return true;
}
bool UnionRect(TRect& dst, const TRect& a, const TRect& b)
{
    if (a.IsEmpty()) dst = b;
    else if (b.IsEmpty()) dst = a;
    else dst = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    return !dst.IsEmpty();
}

// ---------------------------------------------------------------- font, pen, brush
QString SubstituteFontName(const QString& name)
{
    // Liberation Sans keeps the metrics of the narrow classic UI faces; DejaVu Sans
    // is the wide humanist one.
    static const QHash<QString, QString> table = {
        {QStringLiteral("tahoma"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg 2"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("segoe ui"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("calibri"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("verdana"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("lucida console"), QStringLiteral("DejaVu Sans Mono")},
        {QStringLiteral("consolas"), QStringLiteral("DejaVu Sans Mono")},
        // The symbol font's characters are mapped to their Unicode forms when drawn.
        {QStringLiteral("symbol"), QStringLiteral("DejaVu Sans")},
    };
    auto it = table.find(name.trimmed().toLower());
    return it == table.end() ? name : *it;
}

TFont::TFont() = default;

void TFont::Assign(const TFont& s)
{
    FName = s.FName; FHeight = s.FHeight; FColor = s.FColor; FStyle = s.FStyle;
    FCharset = s.FCharset; FPitch = s.FPitch; FOrientation = s.FOrientation;
    Changed();
}
void TFont::SetName(const QString& v) { if (v != FName) { FName = v; Changed(); } }
int TFont::Size() const { return int(std::lround(-FHeight * 72.0 / kScreenPPI)); }
void TFont::SetSize(int pt) { SetHeight(-int(std::lround(pt * double(kScreenPPI) / 72.0))); }
void TFont::SetHeight(int h) { if (h != FHeight) { FHeight = h; Changed(); } }
void TFont::SetColor(TColor c) { if (c != FColor) { FColor = c; Changed(); } }
void TFont::SetStyle(TFontStyles s) { if (!(s == FStyle)) { FStyle = s; Changed(); } }
void TFont::SetCharset(uint8_t c) { if (c != FCharset) { FCharset = c; Changed(); } }
void TFont::SetPitch(TFontPitch p) { if (p != FPitch) { FPitch = p; Changed(); } }
void TFont::SetOrientation(int t) { if (t != FOrientation) { FOrientation = t; Changed(); } }

bool TFont::operator==(const TFont& o) const
{
    return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle
        && FCharset == o.FCharset && FPitch == o.FPitch && FOrientation == o.FOrientation;
}

namespace {
struct QFontKey {
    QString name;
    int height;
    unsigned style;
    int pitch;
    bool operator==(const QFontKey&) const = default;
};
size_t qHash(const QFontKey& k, size_t seed = 0) { return qHashMulti(seed, k.name, k.height, k.style, k.pitch); }
} // namespace

QFont TFont::ToQFont() const
{
    if (FCacheValid) return FCache;
    // Every control of a window asks for the same few fonts; sharing one QFont per
    // description keeps its resolved font engine instead of resolving it per control.
    static QHash<QFontKey, QFont> shared;
    const QFontKey key{FName, FHeight, FStyle.Bits(), int(FPitch)};
    if (const auto it = shared.constFind(key); it != shared.cend()) {
        FCache = *it;
        FCacheValid = true;
        return FCache;
    }
    QFont f(SubstituteFontName(FName));
    // A positive height is the cell height including internal leading.
    int px = FHeight < 0 ? -FHeight : int(std::lround(FHeight * 0.85));
    f.setPixelSize(std::max(1, px));
    f.setBold(FStyle.Contains(fsBold));
    f.setItalic(FStyle.Contains(fsItalic));
    f.setUnderline(FStyle.Contains(fsUnderline));
    f.setStrikeOut(FStyle.Contains(fsStrikeOut));
    if (FPitch == fpFixed) f.setFixedPitch(true);
    f.setHintingPreference(QFont::PreferFullHinting);
    if (shared.size() >= 256) shared.clear();
    shared.insert(key, f);
    FCache = f;
    FCacheValid = true;
    return f;
}

void TFont::AssignQFont(const QFont& f)
{
    FName = f.family();
    if (f.pixelSize() > 0) FHeight = -f.pixelSize();
    else FHeight = -int(std::lround(f.pointSizeF() * kScreenPPI / 72.0));
    TFontStyles s;
    if (f.bold()) s << fsBold;
    if (f.italic()) s << fsItalic;
    if (f.underline()) s << fsUnderline;
    if (f.strikeOut()) s << fsStrikeOut;
    FStyle = s;
    Changed();
}

void TPen::Assign(const TPen& s) { FColor = s.FColor; FWidth = s.FWidth; FStyle = s.FStyle; FMode = s.FMode; Changed(); }
void TBrush::Assign(const TBrush& s) { FColor = s.FColor; FStyle = s.FStyle; Changed(); }

// ---------------------------------------------------------------- canvas
TCanvas::TCanvas() = default;
TCanvas::TCanvas(QImage* target) : FTarget(target) {}
TCanvas::~TCanvas() { ReleasePainter(); }

void TCanvas::SetTarget(QImage* target)
{
    ReleasePainter();
    FTarget = target;
    FDevice = nullptr;
}

void TCanvas::SetDevice(QPaintDevice* device)
{
    ReleasePainter();
    FTarget = nullptr;
    FDevice = device;
}

TSize TCanvas::SurfaceSize() const
{
    if (FTarget) return TSize{FTarget->width(), FTarget->height()};
    if (FDevice) return TSize{FDevice->width(), FDevice->height()};
    return TSize{0, 0};
}

namespace {
// The clip and origin a canvas last set on its painter. Setting a clip region on
// the raster engine is costly, and a cell is painted with many small fills and
// lines under one clip, so the canvas's own plain drawing calls (marked with
// TOwnDrawing) set them again only when they changed. A painter handed out to any
// other caller may be changed there, so such a call forgets the record.
struct TPainterSetup {
    const QPainter* Painter = nullptr;
    bool ClipOn = false;
    QRegion Clip;
    QPoint Org;
};
thread_local TPainterSetup tlsPainterSetup;
thread_local int tlsOwnDrawing = 0;

struct TOwnDrawing {
    TOwnDrawing() { ++tlsOwnDrawing; }
    ~TOwnDrawing() { --tlsOwnDrawing; }
    TOwnDrawing(const TOwnDrawing&) = delete;
    TOwnDrawing& operator=(const TOwnDrawing&) = delete;
};
} // namespace

QPainter* TCanvas::Painter()
{
    TPainterSetup& known = tlsPainterSetup;
    if (FPainter && tlsOwnDrawing > 0 && known.Painter == FPainter.get() && known.ClipOn == FClipOn &&
        known.Org == QPoint(-FOrg.X, -FOrg.Y) && FPainter->hasClipping() == FClipOn &&
        FPainter->transform() == QTransform::fromTranslate(-FOrg.X, -FOrg.Y) && (!FClipOn || known.Clip == FClip)) {
        FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return FPainter.get();
    }
    if (!FPainter) {
        QPaintDevice* dev = FTarget ? static_cast<QPaintDevice*>(FTarget) : FDevice;
        if (!dev || (FTarget && FTarget->isNull())) {
            if (FScratch.isNull()) FScratch = QImage(1, 1, QImage::Format_RGB32);
            dev = &FScratch;
        }
        FPainter = std::make_unique<QPainter>(dev);
        FPainter->setRenderHint(QPainter::Antialiasing, false);
        FPainter->setRenderHint(QPainter::TextAntialiasing, true);
    }
    FPainter->resetTransform();
    if (FClipOn) FPainter->setClipRegion(FClip);
    else FPainter->setClipping(false);
    FPainter->translate(-FOrg.X, -FOrg.Y);
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (tlsOwnDrawing > 0) {
        known.Painter = FPainter.get();
        known.ClipOn = FClipOn;
        known.Clip = FClipOn ? FClip : QRegion();
        known.Org = QPoint(-FOrg.X, -FOrg.Y);
    } else {
        known.Painter = nullptr;
    }
    return FPainter.get();
}

void TCanvas::ReleasePainter()
{
    FMetricsDevice = nullptr;
    if (tlsPainterSetup.Painter == FPainter.get()) tlsPainterSetup.Painter = nullptr;
    if (FPainter) {
        FPainter->end();
        FPainter.reset();
    }
}

QFont TCanvas::CurrentQFont() const { return FFont.ToQFont(); }

void TCanvas::ApplyRasterOp(QPainter* p, TPenMode mode)
{
    switch (mode) {
    case pmXor: p->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case pmNotXor: p->setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    case pmNot: p->setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case pmMask: p->setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case pmMerge: p->setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    default: p->setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    }
}

void TCanvas::ApplyPen(QPainter* p)
{
    if (FPen.Style() == psClear) { p->setPen(Qt::NoPen); return; }
    QColor c = FPen.Mode() == pmBlack ? QColor(Qt::black) : FPen.Mode() == pmWhite ? QColor(Qt::white) : ToQColor(FPen.Color());
    QPen pen(c);
    pen.setWidth(FPen.Width());
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    switch (FPen.Style()) {
    case psDash: pen.setStyle(Qt::DashLine); break;
    case psDot: pen.setStyle(Qt::DotLine); break;
    case psDashDot: pen.setStyle(Qt::DashDotLine); break;
    case psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    p->setPen(pen);
    ApplyRasterOp(p, FPen.Mode());
}

void TCanvas::MoveTo(int x, int y) { FPenPos = TPoint(x, y); }

// Bresenham from (x1,y1) towards (x2,y2); the end point itself is not drawn.
void TCanvas::PlotLine(int x1, int y1, int x2, int y2)
{
    if (FPen.Style() == psClear || (x1 == x2 && y1 == y2)) return;
    TOwnDrawing own;
    QPainter* p = Painter();
    ApplyPen(p);
    const bool solidThin = FPen.Width() <= 1 && (FPen.Style() == psSolid || FPen.Style() == psInsideFrame);
    if (!solidThin) {
        p->drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
        return;
    }
    // A straight line of an opaque pen is a one-pixel-wide fill of the same pixels;
    // grid lines are nearly all of this kind, and a fill costs far less than points.
    const QColor c = p->pen().color();
    if ((x1 == x2 || y1 == y2) && c.alpha() == 255 && p->compositionMode() == QPainter::CompositionMode_SourceOver) {
        if (y1 == y2) p->fillRect(QRect(x1 < x2 ? x1 : x2 + 1, y1, std::abs(x2 - x1), 1), c);
        else p->fillRect(QRect(x1, y1 < y2 ? y1 : y2 + 1, 1, std::abs(y2 - y1)), c);
        return;
    }
    QPolygon pts;
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy, x = x1, y = y1;
    while (!(x == x2 && y == y2)) {
        pts << QPoint(x, y);
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
    QPen pen = p->pen();
    pen.setWidth(0);
    pen.setCapStyle(Qt::SquareCap);
    p->setPen(pen);
    p->drawPoints(pts);
}

void TCanvas::LineTo(int x, int y)
{
    if (Mapped()) {
        const TPoint a = PixelToDevice(FPenPos), b = PixelToDevice(TPoint(x, y));
        {
            TCanvasDeviceUnits du(this);
            PlotLine(a.X, a.Y, b.X, b.Y);
        }
        FPenPos = TPoint(x, y);
        return;
    }
    PlotLine(FPenPos.X, FPenPos.Y, x, y);
    FPenPos = TPoint(x, y);
}

void TCanvas::FillRect(const TRect& r)
{
    if (Mapped()) { const TRect d = LPtoDP(r); TCanvasDeviceUnits du(this); FillRect(d); return; }
    if (r.IsEmpty() || FBrush.Style() == bsClear) return;
    TOwnDrawing own;
    QPainter* p = Painter();
    if (FBrush.Style() == bsSolid) {
        p->fillRect(r.ToQRect(), ToQColor(FBrush.Color()));
        return;
    }
    static const Qt::BrushStyle hatch[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
                                           Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    p->fillRect(r.ToQRect(), QBrush(ToQColor(FBrush.Color()), hatch[FBrush.Style()]));
}

void TCanvas::FrameRect(const TRect& r)
{
    if (Mapped()) { const TRect d = LPtoDP(r); TCanvasDeviceUnits du(this); FrameRect(d); return; }
    if (r.IsEmpty()) return;
    TOwnDrawing own;
    QPainter* p = Painter();
    const QColor c = ToQColor(FBrush.Color());
    p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    p->fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (Mapped()) {
        const TRect d = LPtoDP(TRect(x1, y1, x2, y2));
        TCanvasDeviceUnits du(this);
        Rectangle(d.Left, d.Top, d.Right, d.Bottom);
        return;
    }
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1) return;
    FillRect(TRect(x1, y1, x2, y2));
    if (FPen.Style() == psClear) return;
    if (FPen.Style() == psSolid || FPen.Style() == psInsideFrame) {
        // Outline inside the rectangle: right and bottom edges are at x2-1 and y2-1.
        TOwnDrawing own;
        QPainter* p = Painter();
        ApplyPen(p);
        const int w = std::min({FPen.Width(), (x2 - x1 + 1) / 2, (y2 - y1 + 1) / 2});
        const QColor c = p->pen().color();
        if (w <= 0) return;
        const int innerW = x2 - x1 - 2 * w, innerH = y2 - y1 - 2 * w;
        if (innerW <= 0 || innerH <= 0) {
            p->fillRect(QRect(x1, y1, x2 - x1, y2 - y1), c);
            return;
        }
        // The frame as four pieces that do not overlap, so that raster-operation
        // pens touch each pixel once.
        p->fillRect(QRect(x1, y1, x2 - x1, w), c);
        p->fillRect(QRect(x1, y1 + w, w, innerH), c);
        p->fillRect(QRect(x2 - w, y1 + w, w, innerH), c);
        p->fillRect(QRect(x1, y2 - w, x2 - x1, w), c);
        return;
    }
    PlotLine(x1, y1, x2 - 1, y1);
    PlotLine(x2 - 1, y1, x2 - 1, y2 - 1);
    PlotLine(x2 - 1, y2 - 1, x1, y2 - 1);
    PlotLine(x1, y2 - 1, x1, y1);
}

namespace {
// Pixels of a rounded box inside [x1,x2) x [y1,y2): a pixel belongs to it when its
// centre lies inside. The corners are quarters of an rx by ry ellipse; an
// ellipse is the box with rx, ry equal to its size.
QRegion RoundedBoxRegion(int x1, int y1, int x2, int y2, int rx, int ry)
{
    QRegion rgn;
    if (x2 <= x1 || y2 <= y1) return rgn;
    const double a = std::clamp(rx, 0, x2 - x1) / 2.0, b = std::clamp(ry, 0, y2 - y1) / 2.0;
    for (int y = y1; y < y2; ++y) {
        const double yc = y + 0.5;
        double d = 0;
        if (b > 0 && yc < y1 + b) d = (y1 + b - yc) / b;
        else if (b > 0 && yc > y2 - b) d = (yc - (y2 - b)) / b;
        const double inset = a * (1 - std::sqrt(std::max(0.0, 1 - d * d)));
        const int l = int(std::ceil(x1 + inset - 0.5));
        const int r = int(std::floor(x2 - inset - 0.5)) + 1;
        if (r > l) rgn += QRect(l, y, r - l, 1);
    }
    return rgn;
}
} // namespace

// Ellipses and rounded rectangles follow the rectangle rule: brush and outline
// stay inside (x1, y1)-(x2-1, y2-1) and touch each of its edges.
void TCanvas::DrawRoundedBox(int x1, int y1, int x2, int y2, int rx, int ry, bool ellipse)
{
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1) return;
    if (ellipse) { rx = x2 - x1; ry = y2 - y1; }
    const QRegion outer = RoundedBoxRegion(x1, y1, x2, y2, rx, ry);
    QPainter* p = Painter();
    if (FBrush.Style() != bsClear) {
        static const Qt::BrushStyle hatch[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
                                               Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        const QBrush br(ToQColor(FBrush.Color()), hatch[FBrush.Style()]);
        for (const QRect& q : outer) p->fillRect(q, br);
    }
    if (FPen.Style() == psClear) return;
    ApplyPen(p);
    if (FPen.Style() == psSolid || FPen.Style() == psInsideFrame) {
        const int w = std::max(1, FPen.Width());
        const QRegion inner = RoundedBoxRegion(x1 + w, y1 + w, x2 - w, y2 - w, rx - 2 * w, ry - 2 * w);
        const QColor c = p->pen().color();
        for (const QRect& q : outer - inner) p->fillRect(q, c);
        return;
    }
    // Broken pens: Qt's outline through the pixel centres of the edge pixels.
    p->setBrush(Qt::NoBrush);
    const QRectF box(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1);
    if (ellipse) p->drawEllipse(box);
    else p->drawRoundedRect(box, rx / 2.0, ry / 2.0);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int rx, int ry)
{
    if (Mapped()) {
        const TRect d = LPtoDP(TRect(x1, y1, x2, y2));
        const int drx = int(std::lround(std::abs(rx) * ScaleX())), dry = int(std::lround(std::abs(ry) * ScaleY()));
        TCanvasDeviceUnits du(this);
        RoundRect(d.Left, d.Top, d.Right, d.Bottom, drx, dry);
        return;
    }
    DrawRoundedBox(x1, y1, x2, y2, rx, ry, false);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    if (Mapped()) {
        const TRect d = LPtoDP(TRect(x1, y1, x2, y2));
        TCanvasDeviceUnits du(this);
        Ellipse(d.Left, d.Top, d.Right, d.Bottom);
        return;
    }
    DrawRoundedBox(x1, y1, x2, y2, 0, 0, true);
}

void TCanvas::Polygon(const std::vector<TPoint>& pts)
{
    if (Mapped()) {
        std::vector<TPoint> d;
        for (const TPoint& pt : pts) d.push_back(LPtoDP(pt));
        TCanvasDeviceUnits du(this);
        Polygon(d);
        return;
    }
    if (pts.empty()) return;
    QPolygon poly;
    for (const auto& pt : pts) poly << pt.ToQPoint();
    QPainter* p = Painter();
    ApplyPen(p);
    p->setBrush(FBrush.Style() == bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(FBrush.Color())));
    p->drawPolygon(poly);
    p->setBrush(Qt::NoBrush);
}

void TCanvas::Polyline(const std::vector<TPoint>& pts)
{
    if (Mapped()) {
        std::vector<TPoint> d;
        for (const TPoint& pt : pts) d.push_back(PixelToDevice(pt));
        {
            TCanvasDeviceUnits du(this);
            Polyline(d);
        }
        if (!pts.empty()) FPenPos = pts.back();
        return;
    }
    for (size_t i = 1; i < pts.size(); ++i) PlotLine(pts[i - 1].X, pts[i - 1].Y, pts[i].X, pts[i].Y);
    if (!pts.empty()) FPenPos = pts.back();
}

TColor TCanvas::Pixels(int x, int y)
{
    if (Mapped()) { const TPoint d = PixelToDevice(TPoint(x, y)); TCanvasDeviceUnits du(this); return Pixels(d.X, d.Y); }
    if (!FTarget) return clNone;
    const int dx = x - FOrg.X, dy = y - FOrg.Y;
    if (dx < 0 || dy < 0 || dx >= FTarget->width() || dy >= FTarget->height()) return clNone;
    if (FClipOn && !FClip.contains(QPoint(dx, dy))) return clNone;
    return FromQColor(QColor(FTarget->pixel(dx, dy)));
}

void TCanvas::SetPixel(int x, int y, TColor c)
{
    if (Mapped()) { const TPoint d = PixelToDevice(TPoint(x, y)); TCanvasDeviceUnits du(this); SetPixel(d.X, d.Y, c); return; }
    if (!FTarget) return;
    const int dx = x - FOrg.X, dy = y - FOrg.Y;
    if (dx < 0 || dy < 0 || dx >= FTarget->width() || dy >= FTarget->height()) return;
    if (FClipOn && !FClip.contains(QPoint(dx, dy))) return;
    ReleasePainter();
    FTarget->setPixelColor(dx, dy, ToQColor(c));
}

void TCanvas::FloodFill(int x, int y, TColor c, TFillStyle style)
{
    if (Mapped()) { const TPoint d = PixelToDevice(TPoint(x, y)); TCanvasDeviceUnits du(this); FloodFill(d.X, d.Y, c, style); return; }
    if (!FTarget || FBrush.Style() == bsClear) return;
    ReleasePainter();
    QImage& img = *FTarget;
    const int w = img.width(), h = img.height();
    int sx = x - FOrg.X, sy = y - FOrg.Y;
    if (sx < 0 || sy < 0 || sx >= w || sy >= h) return;
    const QRgb key = ToQColor(c).rgb() & 0xFFFFFF;
    const QRgb fill = ToQColor(FBrush.Color()).rgb();
    auto pix = [&](int px, int py) { return img.pixel(px, py) & 0xFFFFFF; };
    auto inside = [&](int px, int py) {
        if (FClipOn && !FClip.contains(QPoint(px, py))) return false;
        return style == fsSurface ? pix(px, py) == key : pix(px, py) != key;
    };
    if (!inside(sx, sy) || (pix(sx, sy) == (fill & 0xFFFFFF) && style == fsSurface)) return;
    std::vector<uint8_t> seen(size_t(w) * size_t(h), 0);
    std::vector<QPoint> stack{QPoint(sx, sy)};
    while (!stack.empty()) {
        QPoint p = stack.back();
        stack.pop_back();
        int px = p.x(), py = p.y();
        if (seen[size_t(py) * w + px] || !inside(px, py)) continue;
        int l = px, r = px;
        while (l > 0 && !seen[size_t(py) * w + l - 1] && inside(l - 1, py)) --l;
        while (r < w - 1 && !seen[size_t(py) * w + r + 1] && inside(r + 1, py)) ++r;
        for (int i = l; i <= r; ++i) {
            seen[size_t(py) * w + i] = 1;
            if (py > 0 && !seen[size_t(py - 1) * w + i]) stack.emplace_back(i, py - 1);
            if (py < h - 1 && !seen[size_t(py + 1) * w + i]) stack.emplace_back(i, py + 1);
        }
    }
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px)
            if (seen[size_t(py) * w + px]) img.setPixel(px, py, fill);
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (Mapped()) { const TRect d = LPtoDP(r); TCanvasDeviceUnits du(this); DrawFocusRect(d); return; }
    if (!FTarget || r.IsEmpty()) return;
    ReleasePainter();
    QImage& img = *FTarget;
    // Dotted frame drawn by inverting every other pixel, so drawing twice removes it.
    auto flip = [&](int x, int y) {
        const int dx = x - FOrg.X, dy = y - FOrg.Y;
        if (dx < 0 || dy < 0 || dx >= img.width() || dy >= img.height()) return;
        if (FClipOn && !FClip.contains(QPoint(dx, dy))) return;
        img.setPixel(dx, dy, img.pixel(dx, dy) ^ 0x00FFFFFF);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        if (((x - r.Left) & 1) == 0) { flip(x, r.Top); if (r.Bottom - 1 > r.Top) flip(x, r.Bottom - 1); }
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        if (((y - r.Top) & 1) == 0) { flip(r.Left, y); if (r.Right - 1 > r.Left) flip(r.Right - 1, y); }
    }
}

const QFontMetrics& TCanvas::Metrics()
{
    TOwnDrawing own;
    QPaintDevice* dev = Painter()->device();
    const QFont f = CurrentQFont();
    if (!FMetrics || dev != FMetricsDevice || !(f == FMetricsFont)) {
        FMetrics = std::make_unique<QFontMetrics>(f, dev);
        FMetricsFont = f;
        FMetricsDevice = dev;
    }
    return *FMetrics;
}

namespace {
// Text widths by font, device resolution and text. A cell text is measured for
// its wrap, its alignment and its writing, and each measure shapes the text
// again, which costs more than all the fills and lines of the cell.
struct TAdvanceKey {
    QFont Font;
    int Dpi;
    QString Text;
    bool operator==(const TAdvanceKey&) const = default;
};
size_t qHash(const TAdvanceKey& k, size_t seed = 0) { return qHashMulti(seed, k.Font, k.Dpi, k.Text); }

int CachedAdvance(const QFontMetrics& fm, const QFont& f, const QPaintDevice* dev, const QString& text)
{
    thread_local QHash<TAdvanceKey, int> known;
    TAdvanceKey key{f, dev ? dev->logicalDpiY() : 0, text};
    if (const auto it = known.constFind(key); it != known.cend()) return *it;
    const int w = fm.horizontalAdvance(text);
    if (known.size() >= 4096) known.clear();
    known.insert(std::move(key), w);
    return w;
}

// Text in the symbol font is written in its own code page: its 0xB7 is a bullet.
QString SymbolFontText(const TFont& font, const QString& text)
{
    if (font.Name().compare(QLatin1String("Symbol"), Qt::CaseInsensitive) != 0) return text;
    QString s = text;
    s.replace(QChar(0x00B7), QChar(0x2022));
    return s;
}
} // namespace

// In a mapping mode the metrics are taken in pixels and converted back to logical units.
int TCanvas::TextWidth(const QString& text)
{
    if (Mapped()) {
        const double s = ScaleX();
        TCanvasDeviceUnits du(this);
        return int(std::lround(TextWidth(text) / s));
    }
    const QFontMetrics& fm = Metrics();
    return CachedAdvance(fm, FMetricsFont, FMetricsDevice, SymbolFontText(FFont, text));
}
int TCanvas::TextHeight(const QString& text)
{
    if (Mapped()) {
        const double s = ScaleY();
        TCanvasDeviceUnits du(this);
        return int(std::lround(TextHeight(text) / s));
    }
    return Metrics().height();
}
int TCanvas::TextAscent()
{
    if (Mapped()) {
        const double s = ScaleY();
        TCanvasDeviceUnits du(this);
        return int(std::lround(Metrics().ascent() / s));
    }
    return Metrics().ascent();
}
int TCanvas::TextLeading()
{
    if (Mapped()) {
        const double s = ScaleY();
        TCanvasDeviceUnits du(this);
        return int(std::lround(std::max(0, Metrics().leading()) / s));
    }
    return std::max(0, Metrics().leading());
}

void TCanvas::TextOut(int x, int y, const QString& shown)
{
    if (RightToLeftLayout()) {
        // Upright: the text's end lands where its start would be mirrored to.
        const int w = TextWidth(shown);
        const TPoint d = LPtoDP(TPoint(x + w, y));
        {
            TCanvasDeviceUnits du(this);
            TextOut(d.X, d.Y, shown);
        }
        FPenPos = TPoint(x + w, y);
        return;
    }
    if (Mapped()) {
        const TPoint d = LPtoDP(TPoint(x, y));
        const double s = ScaleX();
        int w;
        {
            TCanvasDeviceUnits du(this);
            TextOut(d.X, d.Y, shown);
            w = FPenPos.X - d.X;
        }
        FPenPos = TPoint(x + int(std::lround(w / s)), y);
        return;
    }
    const QString text = SymbolFontText(FFont, shown);
    TOwnDrawing own; // the painter's state is saved and restored around the text
    QPainter* p = Painter();
    const QFont f = CurrentQFont();
    QFontMetrics fm(f, p->device());
    const int w = CachedAdvance(fm, f, p->device(), text);
    p->save();
    if (FFont.Orientation() != 0) {
        p->translate(x, y);
        p->rotate(-FFont.Orientation() / 10.0);
        p->translate(-x, -y);
    }
    if (FBrush.Style() != bsClear)
        p->fillRect(QRect(x, y, w, fm.height()), ToQColor(FBrush.Color()));
    if (FRTLReading) p->setLayoutDirection(Qt::RightToLeft);
    p->setFont(f);
    p->setPen(ToQColor(FFont.Color()));
    p->drawText(QPoint(x, y + fm.ascent()), text);
    p->restore();
    FPenPos = TPoint(x + w, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    if (Mapped()) {
        const TRect d = LPtoDP(r);
        const TPoint at = LPtoDP(TPoint(RightToLeftLayout() ? x + TextWidth(text) : x, y));
        TCanvasDeviceUnits du(this);
        TextRect(d, at.X, at.Y, text);
        return;
    }
    QPainter* p = Painter();
    p->save();
    p->setClipRect(r.ToQRect(), Qt::IntersectClip);
    if (FBrush.Style() != bsClear) p->fillRect(r.ToQRect(), ToQColor(FBrush.Color()));
    const QFont f = CurrentQFont();
    QFontMetrics fm(f, p->device());
    p->setFont(f);
    p->setPen(ToQColor(FFont.Color()));
    p->drawText(QPoint(x, y + fm.ascent()), text);
    p->restore();
}

void TCanvas::TextRect(TRect& r, QString& text, unsigned tf)
{
    unsigned dt = 0;
    if (tf & tfCenter) dt |= DT_CENTER;
    if (tf & tfRight) dt |= DT_RIGHT;
    if (tf & tfVerticalCenter) dt |= DT_VCENTER;
    if (tf & tfBottom) dt |= DT_BOTTOM;
    if (tf & tfWordBreak) dt |= DT_WORDBREAK;
    if (tf & tfSingleLine) dt |= DT_SINGLELINE;
    if (tf & tfEndEllipsis) dt |= DT_END_ELLIPSIS;
    if (tf & tfNoPrefix) dt |= DT_NOPREFIX;
    if (tf & tfExpandTabs) dt |= DT_EXPANDTABS;
    if (FBrush.Style() != bsClear) FillRect(r);
    DrawText(this, text, r, dt);
}

void TCanvas::Draw(int x, int y, TGraphic* g)
{
    if (Mapped()) {
        // A picture's pixels count as logical units, as on a mapped device context; it is
        // drawn upright, also in a right-to-left layout.
        if (g && !g->Empty())
            StretchDraw(TRect(x, y, x + g->Width(), Metric() ? y - g->Height() : y + g->Height()), g);
        return;
    }
    if (g && !g->Empty()) g->Draw(this, Bounds(x, y, g->Width(), g->Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* g)
{
    if (Mapped()) { const TRect d = LPtoDP(r); TCanvasDeviceUnits du(this); StretchDraw(d, g); return; }
    if (g && !g->Empty()) g->Draw(this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* src, const TRect& source)
{
    if (Mapped()) { const TRect d = LPtoDP(dest); TCanvasDeviceUnits du(this); CopyRect(d, src, source); return; }
    if (src && src->Mapped()) {
        const TRect s = src->LPtoDP(source);
        TCanvasDeviceUnits du(src);
        CopyRect(dest, src, s);
        return;
    }
    if (!src || !src->Target()) return;
    src->ReleasePainter();
    TRect s = source;
    OffsetRect(s, -src->FOrg.X, -src->FOrg.Y);
    const QImage piece = src->Target()->copy(s.ToQRect());
    QPainter* p = Painter();
    switch (FCopyMode) {
    case cmSrcInvert: p->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case cmSrcAnd: p->setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case cmSrcPaint: p->setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case cmBlackness: p->fillRect(dest.ToQRect(), Qt::black); return;
    case cmWhiteness: p->fillRect(dest.ToQRect(), Qt::white); return;
    default: p->setCompositionMode(QPainter::CompositionMode_Source); break;
    }
    p->drawImage(dest.ToQRect(), piece);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bmp, const TRect& source, TColor replace)
{
    if (Mapped()) { const TRect d = LPtoDP(dest); TCanvasDeviceUnits du(this); BrushCopy(d, bmp, source, replace); return; }
    if (!bmp) return;
    QImage piece = bmp->Image().copy(source.ToQRect()).convertToFormat(QImage::Format_RGB32);
    const QRgb key = ToQColor(replace).rgb() & 0xFFFFFF;
    const QRgb with = ToQColor(FBrush.Color()).rgb();
    for (int y = 0; y < piece.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(piece.scanLine(y));
        for (int x = 0; x < piece.width(); ++x)
            if ((row[x] & 0xFFFFFF) == key) row[x] = with;
    }
    Painter()->drawImage(dest.ToQRect(), piece);
}

void TCanvas::SetClipRect(const TRect& r)
{
    if (Mapped()) { const TRect d = LPtoDP(r); TCanvasDeviceUnits du(this); SetClipRect(d); return; }
    TRect d = r;
    OffsetRect(d, -FOrg.X, -FOrg.Y);
    FClip = QRegion(d.ToQRect());
    FClipOn = true;
}

// The clip region in device coordinates, the whole surface when none is set.
QRegion& TCanvas::ClipForChange()
{
    if (!FClipOn) {
        const TSize s = SurfaceSize();
        FClip = QRegion(0, 0, std::max(s.cx, 1 << 20), std::max(s.cy, 1 << 20));
        FClipOn = true;
    }
    return FClip;
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    if (Mapped()) { const TRect d = LPtoDP(r); TCanvasDeviceUnits du(this); IntersectClipRect(d); return; }
    TRect d = r;
    OffsetRect(d, -FOrg.X, -FOrg.Y);
    ClipForChange() &= QRegion(d.ToQRect());
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    if (Mapped()) { const TRect d = LPtoDP(r); TCanvasDeviceUnits du(this); ExcludeClipRect(d); return; }
    TRect d = r;
    OffsetRect(d, -FOrg.X, -FOrg.Y);
    ClipForChange() -= QRegion(d.ToQRect());
}

void TCanvas::SelectClipRegion(const QRegion& rgn)
{
    FClip = rgn;
    FClipOn = true;
}

void TCanvas::RemoveClip()
{
    FClipOn = false;
    FClip = QRegion();
}

TRect TCanvas::ClipRect() const
{
    const TSize s = SurfaceSize();
    QRect r = FClipOn ? FClip.boundingRect() : QRect(0, 0, s.cx, s.cy);
    if (FClipOn && s.cx > 0) r &= QRect(0, 0, s.cx, s.cy);
    TRect t = TRect::From(r);
    if (Mapped())
        return DPtoLP(t);
    OffsetRect(t, FOrg.X, FOrg.Y);
    return t;
}

int TCanvas::SaveState()
{
    Saved s;
    s.font.Assign(FFont);
    s.pen.Assign(FPen);
    s.brush.Assign(FBrush);
    s.clipOn = FClipOn;
    s.clip = FClip;
    s.org = FOrg;
    s.mapMode = FMapMode;
    s.layoutWidth = FLayoutWidth;
    FSaved.push_back(std::move(s));
    return int(FSaved.size());
}

void TCanvas::RestoreState(int id)
{
    if (FSaved.empty()) return;
    size_t keep = id < 0 ? FSaved.size() - 1 : size_t(std::max(0, id - 1));
    if (keep >= FSaved.size()) return;
    Saved& s = FSaved[keep];
    FFont.Assign(s.font);
    FPen.Assign(s.pen);
    FBrush.Assign(s.brush);
    FClipOn = s.clipOn;
    FClip = s.clip;
    FOrg = s.org;
    FMapMode = s.mapMode;
    FLayoutWidth = s.layoutWidth;
    FSaved.resize(keep);
}

void TCanvas::SetWindowOrg(int x, int y) { FOrg = TPoint(x, y); }

int TCanvas::SetMapMode(int Mode)
{
    const int old = FMapMode;
    FMapMode = Mode == MM_LOMETRIC ? MM_LOMETRIC : MM_TEXT;
    return old;
}

// A right-to-left layout mirrors x before the origin and the scale apply.
TPoint TCanvas::LPtoDP(const TPoint& P) const
{
    const int x = FLayoutWidth > 0 ? FLayoutWidth - P.X : P.X;
    if (!Metric())
        return TPoint(x - FOrg.X, P.Y - FOrg.Y);
    return TPoint(int(std::lround((x - FOrg.X) * ScaleX())), int(std::lround(-(P.Y - FOrg.Y) * ScaleY())));
}

TPoint TCanvas::DPtoLP(const TPoint& P) const
{
    TPoint l = !Metric() ? TPoint(P.X + FOrg.X, P.Y + FOrg.Y)
                         : TPoint(int(std::lround(P.X / ScaleX())) + FOrg.X, int(std::lround(-P.Y / ScaleY())) + FOrg.Y);
    if (FLayoutWidth > 0) l.X = FLayoutWidth - l.X;
    return l;
}

TPoint TCanvas::PixelToDevice(const TPoint& P) const
{
    TPoint d = LPtoDP(P);
    if (FLayoutWidth > 0) --d.X;
    return d;
}

TRect TCanvas::LPtoDP(const TRect& R) const
{
    const TPoint a = LPtoDP(R.TopLeft()), b = LPtoDP(R.BottomRight());
    return TRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

TRect TCanvas::DPtoLP(const TRect& R) const
{
    const TPoint a = DPtoLP(R.TopLeft()), b = DPtoLP(R.BottomRight());
    // Mirrored x comes back right to left; a metric y keeps its upward order.
    return TRect(std::min(a.X, b.X), a.Y, std::max(a.X, b.X), b.Y);
}

TCanvasDeviceUnits::TCanvasDeviceUnits(TCanvas* Canvas)
    : FCanvas(Canvas), FMode(Canvas->FMapMode), FLayoutWidth(Canvas->FLayoutWidth), FOrg(Canvas->FOrg),
      FFontHeight(Canvas->FFont.Height()), FPenWidth(Canvas->FPen.Width())
{
    if (FMode == MM_TEXT && FLayoutWidth == 0)
        return;
    Canvas->FLayoutWidth = 0;
    Canvas->FOrg = TPoint();
    if (FMode == MM_TEXT)
        return;
    const double sx = Canvas->ScaleX(), sy = Canvas->ScaleY();
    const int h = int(std::lround(FFontHeight * sy));
    Canvas->FMapMode = MM_TEXT;
    Canvas->FOrg = TPoint();
    Canvas->FFont.SetHeight(h == 0 ? (FFontHeight < 0 ? -1 : 1) : h);
    Canvas->FPen.SetWidth(std::max(1, int(std::lround(FPenWidth * sx))));
}

TCanvasDeviceUnits::~TCanvasDeviceUnits()
{
    if (FMode == MM_TEXT && FLayoutWidth == 0)
        return;
    FCanvas->FLayoutWidth = FLayoutWidth;
    FCanvas->FOrg = FOrg;
    if (FMode == MM_TEXT)
        return;
    FCanvas->FMapMode = FMode;
    FCanvas->FFont.SetHeight(FFontHeight);
    FCanvas->FPen.SetWidth(FPenWidth);
}

// ---------------------------------------------------------------- recording canvas
TRecordingCanvas::TRecordingCanvas(int cw, int lh, int asc, int w, int h)
    : CharWidth(cw), LineHeight(lh), LineAscent(asc), FSize{w, h} {}

void TRecordingCanvas::Rec(const QString& kind, const TRect& r, int x, int y, const QString& text, TColor c)
{
    Op op;
    op.Kind = kind; op.R = r; op.X = x; op.Y = y; op.Text = text; op.Color = c;
    op.FontHeight = FFont.Height();
    op.FontOrientation = FFont.Orientation();
    if (FClipOn) {
        op.Clip = TRect::From(FClip.boundingRect());
        if (Mapped()) op.Clip = DPtoLP(op.Clip);
        else OffsetRect(op.Clip, FOrg.X, FOrg.Y);
    }
    Ops.push_back(op);
}

std::vector<TRecordingCanvas::Op> TRecordingCanvas::OpsOf(const QString& kind) const
{
    std::vector<Op> out;
    for (const auto& o : Ops) if (o.Kind == kind) out.push_back(o);
    return out;
}

void TRecordingCanvas::MoveTo(int x, int y) { FPenPos = TPoint(x, y); Rec("MoveTo", TRect(), x, y); }
void TRecordingCanvas::LineTo(int x, int y)
{
    Rec("LineTo", TRect(FPenPos.X, FPenPos.Y, x, y), x, y, QString(), FPen.Color());
    FPenPos = TPoint(x, y);
}
void TRecordingCanvas::FillRect(const TRect& r) { if (FBrush.Style() != bsClear) Rec("FillRect", r, 0, 0, QString(), FBrush.Color()); }
void TRecordingCanvas::FrameRect(const TRect& r) { Rec("FrameRect", r, 0, 0, QString(), FBrush.Color()); }
void TRecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) { Rec("Rectangle", TRect(x1, y1, x2, y2), 0, 0, QString(), FBrush.Style() == bsClear ? clNone : FBrush.Color()); }
void TRecordingCanvas::RoundRect(int x1, int y1, int x2, int y2, int rx, int ry) { Rec("RoundRect", TRect(x1, y1, x2, y2), rx, ry); }
void TRecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) { Rec("Ellipse", TRect(x1, y1, x2, y2)); }
void TRecordingCanvas::Polygon(const std::vector<TPoint>& pts)
{
    QString t;
    for (const auto& p : pts) t += QStringLiteral("%1,%2 ").arg(p.X).arg(p.Y);
    Rec("Polygon", TRect(), 0, 0, t.trimmed(), FBrush.Color());
}
void TRecordingCanvas::Polyline(const std::vector<TPoint>& pts)
{
    QString t;
    for (const auto& p : pts) t += QStringLiteral("%1,%2 ").arg(p.X).arg(p.Y);
    Rec("Polyline", TRect(), 0, 0, t.trimmed(), FPen.Color());
    if (!pts.empty()) FPenPos = pts.back();
}
TColor TRecordingCanvas::Pixels(int, int) { return clNone; }
void TRecordingCanvas::SetPixel(int x, int y, TColor c) { Rec("SetPixel", TRect(), x, y, QString(), c); }
void TRecordingCanvas::FloodFill(int x, int y, TColor c, TFillStyle) { Rec("FloodFill", TRect(), x, y, QString(), c); }
void TRecordingCanvas::DrawFocusRect(const TRect& r) { Rec("DrawFocusRect", r); }
void TRecordingCanvas::TextOut(int x, int y, const QString& text)
{
    Rec("TextOut", Bounds(x, y, TextWidth(text), LineHeight), x, y, text, FFont.Color());
    FPenPos = TPoint(x + TextWidth(text), y);
}
void TRecordingCanvas::TextRect(const TRect& r, int x, int y, const QString& text) { Rec("TextRect", r, x, y, text, FFont.Color()); }
int TRecordingCanvas::TextWidth(const QString& text) { return CharWidth * int(text.size()); }
int TRecordingCanvas::TextHeight(const QString&) { return LineHeight; }
void TRecordingCanvas::Draw(int x, int y, TGraphic* g) { if (g) Rec("Draw", Bounds(x, y, g->Width(), g->Height()), x, y); }
void TRecordingCanvas::StretchDraw(const TRect& r, TGraphic*) { Rec("StretchDraw", r); }
void TRecordingCanvas::CopyRect(const TRect& dest, TCanvas*, const TRect& source) { Rec("CopyRect", dest, source.Left, source.Top); }
void TRecordingCanvas::BrushCopy(const TRect& dest, TBitmap*, const TRect& source, TColor c) { Rec("BrushCopy", dest, source.Left, source.Top, QString(), c); }

// Bitmaps, icons, pictures of the common file formats, image lists and the
// registry of images the program draws itself.
#include "platform/ui/graphics.h"
#include "platform/ui/metafile.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QMap>
#include <QtGui/QCursor>
#include <QtGui/QImageReader>
#include <QtGui/QPixmap>
#include <QtGui/QPainter>

#include <csetjmp>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

QByteArray ImageFileBytes(const QImage& Image, const char* Format)
{
    QByteArray bytes;
    if (Image.isNull()) return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Image.save(&buffer, Format);
    return bytes;
}

// ---------------------------------------------------------------- TGraphic
void TGraphic::LoadFromFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot open file \"" + path.toStdString() + "\"");
    LoadFromData(f.readAll());
}

void TGraphic::LoadFromStream(QIODevice* dev)
{
    if (dev) LoadFromData(dev->readAll());
}

void TGraphic::SaveToFile(const QString& path) const
{
    if (!ToImage().save(path))
        throw std::runtime_error("Cannot write file \"" + path.toStdString() + "\"");
}

QByteArray DetectImageFormat(const QByteArray& d)
{
    if (d.startsWith("BM")) return "bmp";
    if (d.startsWith("\x89PNG")) return "png";
    if (d.startsWith("GIF8")) return "gif";
    if (d.size() > 2 && uint8_t(d[0]) == 0xFF && uint8_t(d[1]) == 0xD8) return "jpeg";
    if (d.size() > 4 && d[0] == 0 && d[1] == 0 && (d[2] == 1 || d[2] == 2) && d[3] == 0) return "ico";
    return {};
}

// ---------------------------------------------------------------- JPEG
namespace {
struct JpegErr {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    char msg[JMSG_LENGTH_MAX];
};
void JpegErrorExit(j_common_ptr cinfo)
{
    auto* e = reinterpret_cast<JpegErr*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, e->msg);
    longjmp(e->jump, 1);
}
} // namespace

QImage DecodeJpeg(const QByteArray& data)
{
    jpeg_decompress_struct cinfo;
    JpegErr err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.msg[0] = 0;
    QImage img;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        throw std::runtime_error(std::string("JPEG error: ") + err.msg);
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    img = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = img.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return img.convertToFormat(QImage::Format_RGB32);
}

namespace {
// The encoder writes into a growing byte array.
struct JpegSink {
    jpeg_destination_mgr mgr;
    QByteArray* out;
    unsigned char buf[16384];
};
void SinkInit(j_compress_ptr c)
{
    auto* s = reinterpret_cast<JpegSink*>(c->dest);
    s->mgr.next_output_byte = s->buf;
    s->mgr.free_in_buffer = sizeof s->buf;
}
boolean SinkEmpty(j_compress_ptr c)
{
    auto* s = reinterpret_cast<JpegSink*>(c->dest);
    s->out->append(reinterpret_cast<const char*>(s->buf), qsizetype(sizeof s->buf));
    s->mgr.next_output_byte = s->buf;
    s->mgr.free_in_buffer = sizeof s->buf;
    return TRUE;
}
void SinkTerm(j_compress_ptr c)
{
    auto* s = reinterpret_cast<JpegSink*>(c->dest);
    s->out->append(reinterpret_cast<const char*>(s->buf), qsizetype(sizeof s->buf - s->mgr.free_in_buffer));
}
} // namespace

QByteArray EncodeJpeg(const QImage& image)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        throw std::runtime_error("JPEG error: no image to encode");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray out;
    jpeg_compress_struct cinfo;
    JpegErr err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.msg[0] = 0;
    JpegSink sink;
    sink.out = &out;
    sink.mgr.init_destination = SinkInit;
    sink.mgr.empty_output_buffer = SinkEmpty;
    sink.mgr.term_destination = SinkTerm;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        throw std::runtime_error(std::string("JPEG error: ") + err.msg);
    }
    jpeg_create_compress(&cinfo);
    cinfo.dest = &sink.mgr;
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return out;
}

// ---------------------------------------------------------------- any format
void TImageGraphic::LoadFromData(const QByteArray& data)
{
    FFrames.clear();
    FDelays.clear();
    FFrame = 0;
    FData.clear();
    FFormat = DetectImageFormat(data);
    if (FFormat.isEmpty()) throw std::runtime_error("Unknown picture file format");
    if (FFormat == "jpeg") {
        FFrames.push_back(DecodeJpeg(data));
        FDelays.push_back(0);
    } else {
        QBuffer buf;
        buf.setData(data);
        buf.open(QIODevice::ReadOnly);
        QImageReader reader(&buf, FFormat);
        reader.setDecideFormatFromContent(true);
        while (true) {
            QImage img = reader.read();
            if (img.isNull()) break;
            FFrames.push_back(img);
            FDelays.push_back(reader.nextImageDelay());
            if (!reader.jumpToNextImage() && FFormat != "gif") break;
        }
        if (FFrames.empty())
            throw std::runtime_error("Corrupt picture data: " + reader.errorString().toStdString());
    }
    FData = data;
    if (OnChange) OnChange();
}

void TImageGraphic::Draw(TCanvas* canvas, const TRect& r)
{
    if (FFrames.empty()) return;
    canvas->Painter()->drawImage(r.ToQRect(), FFrames[size_t(FFrame)]);
}

// ---------------------------------------------------------------- TBitmap
TBitmap::TBitmap() = default;
TBitmap::TBitmap(int w, int h) { SetSize(w, h); }
TBitmap::~TBitmap() { FCanvas.reset(); }

static QImage::Format QtFormat(TPixelFormat f)
{
    switch (f) {
    case pf32bit: return QImage::Format_ARGB32;
    case pf24bit: return QImage::Format_BGR888;
    default: return QImage::Format_RGB32;
    }
}

void TBitmap::Flush() const
{
    if (FCanvas) FCanvas->ReleasePainter();
}

void TBitmap::Assign(const TBitmap& src)
{
    Flush();
    src.Flush();
    FImage = src.FImage.copy();
    FFormat = src.FFormat;
    FTransparent = src.FTransparent;
    FTransparentColor = src.FTransparentColor;
    FTransparentMode = src.FTransparentMode;
    if (OnChange) OnChange();
}

void TBitmap::SetSize(int w, int h)
{
    w = std::max(0, w);
    h = std::max(0, h);
    if (w == FImage.width() && h == FImage.height() && !FImage.isNull()) return;
    Flush();
    QImage n(w, h, QtFormat(FFormat));
    n.fill(Qt::white);
    if (!FImage.isNull()) {
        QPainter p(&n);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, FImage);
    }
    FImage = n;
}

void TBitmap::SetPixelFormat(TPixelFormat f)
{
    if (f == FFormat) return;
    Flush();
    FFormat = f;
    if (!FImage.isNull()) FImage = FImage.convertToFormat(QtFormat(f));
}

uint8_t* TBitmap::ScanLine(int row)
{
    Flush();
    if (row < 0 || row >= FImage.height()) throw std::out_of_range("Scan line index out of range");
    return FImage.scanLine(row);
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(&FImage);
    return FCanvas.get();
}

QImage& TBitmap::Image()
{
    Flush();
    return FImage;
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (FImage.isNull()) return clDefault;
    Flush();
    return FromQColor(QColor(FImage.pixel(0, FImage.height() - 1)));
}

QImage TBitmap::ToImage() const
{
    Flush();
    return FImage;
}

QImage TBitmap::ToMaskedImage() const
{
    Flush();
    QImage img = FImage.convertToFormat(QImage::Format_ARGB32);
    if (!FTransparent) return img;
    const QRgb key = ToQColor(TransparentColor()).rgb() & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((row[x] & 0xFFFFFF) == key) row[x] = 0;
    }
    return img;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r)
{
    if (FImage.isNull() || !canvas) return;
    if (canvas->Target() == &FImage) return;
    const QImage img = FTransparent ? ToMaskedImage() : ToImage();
    QPainter* p = canvas->Painter();
    if (canvas->CopyMode() == cmSrcInvert) p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else if (canvas->CopyMode() == cmSrcAnd) p->setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p->drawImage(r.ToQRect(), img);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TBitmap::LoadFromData(const QByteArray& data)
{
    TImageGraphic g;
    g.LoadFromData(data);
    SetImage(g.ToImage());
}

void TBitmap::SaveToFile(const QString& path) const
{
    Flush();
    if (!FImage.save(path, path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "PNG" : "BMP"))
        throw std::runtime_error("Cannot write file \"" + path.toStdString() + "\"");
}

void TBitmap::SetImage(const QImage& img)
{
    Flush();
    if (img.hasAlphaChannel()) FFormat = pf32bit;
    FImage = img.convertToFormat(QtFormat(FFormat));
    if (OnChange) OnChange();
}

// ---------------------------------------------------------------- TIcon
void TIcon::Draw(TCanvas* canvas, const TRect& r)
{
    if (!FImage.isNull()) canvas->Painter()->drawImage(r.ToQRect(), FImage);
}

void TIcon::LoadFromData(const QByteArray& data)
{
    TImageGraphic g;
    g.LoadFromData(data);
    SetImage(g.ToImage());
}

// ---------------------------------------------------------------- TPicture
TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::LoadFromFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot open file \"" + path.toStdString() + "\"");
    LoadFromData(f.readAll());
}

void TPicture::LoadFromData(const QByteArray& data)
{
    const QByteArray fmt = DetectImageFormat(data);
    std::unique_ptr<TGraphic> g;
    if (fmt == "bmp") g = std::make_unique<TBitmap>();
    else if (fmt == "ico") g = std::make_unique<TIcon>();
    else if (fmt.isEmpty() && !DetectMetafileFormat(data).isEmpty()) g = std::make_unique<TMetafile>();
    else g = std::make_unique<TImageGraphic>();
    g->LoadFromData(data);
    FGraphic = std::move(g);
    Changed();
}

TBitmap* TPicture::Bitmap()
{
    if (auto* b = dynamic_cast<TBitmap*>(FGraphic.get())) return b;
    auto b = std::make_unique<TBitmap>();
    if (FGraphic) b->SetImage(FGraphic->ToImage());
    FGraphic = std::move(b);
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon()
{
    if (auto* i = dynamic_cast<TIcon*>(FGraphic.get())) return i;
    auto i = std::make_unique<TIcon>();
    if (FGraphic) i->SetImage(FGraphic->ToImage());
    FGraphic = std::move(i);
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::Assign(const TPicture* src)
{
    if (!src || !src->FGraphic) { Clear(); return; }
    if (auto* b = dynamic_cast<TBitmap*>(src->FGraphic.get())) {
        auto n = std::make_unique<TBitmap>();
        n->Assign(*b);
        FGraphic = std::move(n);
    } else {
        auto n = std::make_unique<TBitmap>();
        n->SetImage(src->FGraphic->ToImage());
        FGraphic = std::move(n);
    }
    Changed();
}

// ---------------------------------------------------------------- TImageList
int TImageList::AddImage(const QImage& img)
{
    FImages.push_back(img.convertToFormat(QImage::Format_ARGB32).scaled(FWidth, FHeight));
    return int(FImages.size()) - 1;
}

int TImageList::Add(TBitmap* bmp, TBitmap* mask)
{
    if (!bmp) return -1;
    QImage img = bmp->ToMaskedImage();
    if (mask) {
        const QImage m = mask->ToImage();
        for (int y = 0; y < img.height() && y < m.height(); ++y)
            for (int x = 0; x < img.width() && x < m.width(); ++x)
                if ((m.pixel(x, y) & 0xFFFFFF) != 0) img.setPixel(x, y, 0);
    }
    int first = -1;
    const int n = std::max(1, img.width() / std::max(1, FWidth));
    for (int i = 0; i < n; ++i) {
        int idx = AddImage(img.copy(i * FWidth, 0, img.width() >= FWidth ? FWidth : img.width(), img.height()));
        if (first < 0) first = idx;
    }
    return first;
}

int TImageList::AddMasked(TBitmap* bmp, TColor maskColor)
{
    if (!bmp) return -1;
    TBitmap copy;
    copy.Assign(*bmp);
    copy.SetTransparent(true);
    if (maskColor != clDefault) copy.SetTransparentColor(maskColor);
    return Add(&copy);
}

void TImageList::Delete(int index)
{
    if (index >= 0 && index < Count()) FImages.erase(FImages.begin() + index);
}

QImage TImageList::Image(int index) const
{
    if (index < 0 || index >= Count()) return QImage();
    return FImages[size_t(index)];
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled)
{
    if (!canvas || index < 0 || index >= Count()) return;
    QImage img = FImages[size_t(index)];
    if (!enabled) {
        // Disabled look: grey shades, lightened.
        for (int py = 0; py < img.height(); ++py) {
            QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(py));
            for (int px = 0; px < img.width(); ++px) {
                const int g = 128 + qGray(row[px]) / 2;
                row[px] = qRgba(g, g, g, qAlpha(row[px]));
            }
        }
    }
    canvas->Painter()->drawImage(x, y, img);
}

void TImageList::GetBitmap(int index, TBitmap* dest)
{
    if (dest) dest->SetImage(Image(index));
}

// ---------------------------------------------------------------- resource images
namespace {
QMap<QString, QImage>& Registry()
{
    static QMap<QString, QImage> r;
    return r;
}
void RegisterBuiltins();
} // namespace

void RegisterResourceImage(const QString& name, const QImage& img) { Registry().insert(name.toUpper(), img); }

QImage ResourceImage(const QString& name)
{
    RegisterBuiltins();
    return Registry().value(name.toUpper());
}

bool HasResourceImage(const QString& name)
{
    RegisterBuiltins();
    return Registry().contains(name.toUpper());
}

QStringList ResourceImageNames()
{
    RegisterBuiltins();
    return Registry().keys();
}

namespace {
QImage Canvas13(int w = 13, int h = 13)
{
    QImage i(w, h, QImage::Format_ARGB32);
    i.fill(Qt::transparent);
    return i;
}

void RegisterBuiltins()
{
    static bool done = false;
    if (done) return;
    done = true;
    const QColor frame(0x1C, 0x51, 0x80), mark(0x21, 0x21, 0x21), face(Qt::white), gray(0xF4, 0xF4, 0xF4);
    auto check = [&](int state, bool disabled) {
        QImage i = Canvas13();
        QPainter p(&i);
        p.fillRect(0, 0, 13, 13, disabled ? gray : face);
        p.setPen(disabled ? QColor(0xB1, 0xB1, 0xB1) : frame);
        p.drawRect(0, 0, 12, 12);
        if (state == 1) {
            p.setPen(QPen(disabled ? QColor(0xA0, 0xA0, 0xA0) : mark, 2));
            p.drawLine(3, 6, 5, 9);
            p.drawLine(5, 9, 10, 3);
        } else if (state == 2) {
            p.fillRect(3, 3, 7, 7, disabled ? QColor(0xA0, 0xA0, 0xA0) : QColor(0x2F, 0x7C, 0xC9));
        }
        return i;
    };
    RegisterResourceImage("CHECK_OFF", check(0, false));
    RegisterResourceImage("CHECK_ON", check(1, false));
    RegisterResourceImage("CHECK_GRAYED", check(2, false));
    RegisterResourceImage("CHECK_OFF_DISABLED", check(0, true));
    RegisterResourceImage("CHECK_ON_DISABLED", check(1, true));
    auto radio = [&](bool on) {
        QImage i = Canvas13();
        QPainter p(&i);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(frame);
        p.setBrush(face);
        p.drawEllipse(QRectF(0.5, 0.5, 12, 12));
        if (on) { p.setPen(Qt::NoPen); p.setBrush(mark); p.drawEllipse(QRectF(3.5, 3.5, 6, 6)); }
        return i;
    };
    RegisterResourceImage("RADIO_OFF", radio(false));
    RegisterResourceImage("RADIO_ON", radio(true));
    auto node = [&](bool expanded) {
        QImage i = Canvas13(9, 9);
        QPainter p(&i);
        p.fillRect(0, 0, 9, 9, Qt::white);
        p.setPen(QColor(0x91, 0x91, 0x91));
        p.drawRect(0, 0, 8, 8);
        p.setPen(Qt::black);
        p.drawLine(2, 4, 6, 4);
        if (!expanded) p.drawLine(4, 2, 4, 6);
        return i;
    };
    RegisterResourceImage("NODE_EXPAND", node(false));
    RegisterResourceImage("NODE_COLLAPSE", node(true));
    auto arrow = [&](int dir) {
        QImage i = Canvas13(9, 9);
        QPainter p(&i);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        QPolygon poly;
        switch (dir) {
        case 0: poly << QPoint(0, 2) << QPoint(8, 2) << QPoint(4, 6); break;   // down
        case 1: poly << QPoint(0, 6) << QPoint(8, 6) << QPoint(4, 2); break;   // up
        case 2: poly << QPoint(6, 0) << QPoint(6, 8) << QPoint(2, 4); break;   // left
        default: poly << QPoint(2, 0) << QPoint(2, 8) << QPoint(6, 4); break;  // right
        }
        p.drawPolygon(poly);
        return i;
    };
    RegisterResourceImage("ARROW_DOWN", arrow(0));
    RegisterResourceImage("ARROW_UP", arrow(1));
    RegisterResourceImage("ARROW_LEFT", arrow(2));
    RegisterResourceImage("ARROW_RIGHT", arrow(3));
    {
        QImage i = Canvas13(11, 11);
        QPainter p(&i);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x40, 0x40, 0x40));
        p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(10, 0), QPoint(6, 5), QPoint(6, 10), QPoint(4, 9), QPoint(4, 5)}));
        RegisterResourceImage("FILTER", i);
    }
    {
        QImage i = Canvas13(9, 9);
        QPainter p(&i);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(1, 1, 7, 7);
        p.drawLine(7, 1, 1, 7);
        RegisterResourceImage("CLOSE", i);
    }
    {
        QImage i = Canvas13(32, 32);
        QPainter p(&i);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawEllipse(QRect(4, 4, 23, 23));
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygon({QPoint(16, 6), QPoint(13, 10), QPoint(19, 10)}));
        p.drawPolygon(QPolygon({QPoint(16, 25), QPoint(13, 21), QPoint(19, 21)}));
        p.drawPolygon(QPolygon({QPoint(6, 16), QPoint(10, 13), QPoint(10, 19)}));
        p.drawPolygon(QPolygon({QPoint(25, 16), QPoint(21, 13), QPoint(21, 19)}));
        RegisterResourceImage("PAN_ALL", i);
    }
}
} // namespace

// ---------------------------------------------------------------- resource cursors
namespace {
struct CursorEntry { QImage Image; QPoint HotSpot; };
QMap<QString, CursorEntry>& Cursors()
{
    static QMap<QString, CursorEntry> c;
    return c;
}
} // namespace

void RegisterResourceCursor(const QString& name, const QImage& img, const QPoint& hotSpot)
{
    Cursors().insert(name.toUpper(), CursorEntry{img, hotSpot});
}

bool HasResourceCursor(const QString& name) { return Cursors().contains(name.toUpper()); }

QCursor ResourceCursor(const QString& name)
{
    auto it = Cursors().find(name.toUpper());
    if (it == Cursors().end()) return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(it->Image), it->HotSpot.x(), it->HotSpot.y());
}


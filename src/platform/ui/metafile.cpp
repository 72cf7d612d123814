#include "platform/ui/metafile.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QPainter>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <libwmf/api.h>
#include <libwmf/gd.h>

namespace {

uint16_t Word(const QByteArray& d, int at) { return uint16_t(uint8_t(d[at]) | uint8_t(d[at + 1]) << 8); }
uint32_t DWord(const QByteArray& d, int at) { return uint32_t(Word(d, at)) | uint32_t(Word(d, at + 2)) << 16; }

// The metafile's fonts come from the installed Liberation families, which match the
// metrics of the ones a metafile names (libwmf maps those to the PostScript names here).
wmfMapping* FontFiles()
{
    static const char* const names[][2] = {
        {"Times-Roman", "LiberationSerif-Regular.ttf"}, {"Times-Italic", "LiberationSerif-Italic.ttf"},
        {"Times-Bold", "LiberationSerif-Bold.ttf"}, {"Times-BoldItalic", "LiberationSerif-BoldItalic.ttf"},
        {"Helvetica", "LiberationSans-Regular.ttf"}, {"Helvetica-Oblique", "LiberationSans-Italic.ttf"},
        {"Helvetica-Bold", "LiberationSans-Bold.ttf"}, {"Helvetica-BoldOblique", "LiberationSans-BoldItalic.ttf"},
        {"Courier", "LiberationMono-Regular.ttf"}, {"Courier-Oblique", "LiberationMono-Italic.ttf"},
        {"Courier-Bold", "LiberationMono-Bold.ttf"}, {"Courier-BoldOblique", "LiberationMono-BoldItalic.ttf"},
    };
    static std::vector<wmfMapping> map = [] {
        std::vector<wmfMapping> m;
        for (const auto& n : names) m.push_back({const_cast<char*>(n[0]), const_cast<char*>(n[1]), FT_ENCODING_NONE});
        m.push_back({nullptr, nullptr, FT_ENCODING_NONE});
        return m;
    }();
    return map.data();
}

char** FontDirs()
{
    static char liberation[] = "/usr/share/fonts/truetype/liberation";
    static char* dirs[] = {liberation, nullptr};
    return dirs;
}

int AppendToString(void* Context, char* Buffer, int Length)
{
    static_cast<std::string*>(Context)->append(Buffer, size_t(std::max(0, Length)));
    return Length;
}

// One playing of a metafile; the library's state is freed on every way out.
class TWmfPlayer {
public:
    TWmfPlayer()
    {
        wmfAPI_Options opts;
        std::memset(&opts, 0, sizeof opts);
        opts.function = wmf_gd_function;
        opts.fontdirs = FontDirs();
        opts.font.ps = FontFiles();
        const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG |
                                    WMF_OPT_FONTDIRS | WMF_OPT_FONTMAP;
        if (wmf_api_create(&FApi, flags, &opts) != wmf_E_None) Fail("The metafile reader cannot start");
    }
    ~TWmfPlayer()
    {
        if (!FApi) return;
        if (FOpen) wmf_mem_close(FApi);
        wmf_api_destroy(FApi);
    }
    TWmfPlayer(const TWmfPlayer&) = delete;
    TWmfPlayer& operator=(const TWmfPlayer&) = delete;

    // The picture as PNG bytes.
    std::string Play(std::vector<unsigned char>& Bytes)
    {
        if (wmf_mem_open(FApi, Bytes.data(), long(Bytes.size())) != wmf_E_None) Fail("Invalid metafile");
        FOpen = true;
        wmfD_Rect bbox;
        if (wmf_scan(FApi, 0, &bbox) != wmf_E_None) Fail("Invalid metafile");
        unsigned int w = 0, h = 0;
        if (wmf_display_size(FApi, &w, &h, kScreenPPI, kScreenPPI) != wmf_E_None) Fail("Invalid metafile");
        if (w == 0 || h == 0) Fail("The metafile draws nothing");
        if (w > unsigned(kMaxMetafileSide) || h > unsigned(kMaxMetafileSide)) Fail("Metafile picture too large");
        std::string png;
        wmf_gd_t* dd = WMF_GD_GetData(FApi);
        dd->type = wmf_gd_png;
        dd->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
        dd->sink.context = &png;
        dd->sink.function = AppendToString;
        dd->width = w;
        dd->height = h;
        dd->bbox = bbox;
        if (wmf_play(FApi, 0, &bbox) != wmf_E_None || png.empty()) Fail("Invalid metafile");
        return png;
    }

private:
    [[noreturn]] static void Fail(const char* Message) { throw std::runtime_error(Message); }
    wmfAPI* FApi = nullptr;
    bool FOpen = false;
};

} // namespace

QByteArray DetectMetafileFormat(const QByteArray& Data)
{
    if (Data.size() >= 22 && DWord(Data, 0) == 0x9AC6CDD7u) return "wmf";
    if (Data.size() >= 18 && (Word(Data, 0) == 1 || Word(Data, 0) == 2) && Word(Data, 2) == 9 &&
        (Word(Data, 4) == 0x0100 || Word(Data, 4) == 0x0300))
        return "wmf";
    if (Data.size() >= 44 && DWord(Data, 0) == 1 && Data.mid(40, 4) == " EMF") return "emf";
    return {};
}

QImage DecodeWindowsMetafile(const QByteArray& Data)
{
    const QByteArray kind = DetectMetafileFormat(Data);
    if (kind == "emf") throw std::runtime_error("Enhanced metafiles are not supported");
    if (kind != "wmf") throw std::runtime_error("Invalid metafile");
    std::vector<unsigned char> bytes(Data.begin(), Data.end());
    std::string png;
    {
        TWmfPlayer player;
        png = player.Play(bytes);
    }
    QImage img;
    if (!img.loadFromData(reinterpret_cast<const uchar*>(png.data()), int(png.size()), "PNG"))
        throw std::runtime_error("Invalid metafile");
    // Parts the metafile leaves unpainted show white, as on a screen.
    QImage out(img.size(), QImage::Format_ARGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, img);
    return out;
}

void TMetafile::LoadFromData(const QByteArray& data)
{
    FImage = DecodeWindowsMetafile(data);
    FData = data;
    if (OnChange) OnChange();
}

void TMetafile::Draw(TCanvas* canvas, const TRect& r)
{
    if (!FImage.isNull()) canvas->Painter()->drawImage(r.ToQRect(), FImage);
}

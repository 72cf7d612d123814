// The shared look of the shell's windows.

#include "shell/shell_look.h"

#include "platform/core/files.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"
#include "shell/common/working_state.h"

#include <QHash>

namespace {

void Set_Shell_Font(TFont* f)
{
    f->SetName(QStringLiteral("Verdana"));
    f->SetHeight(-11);
}

} // namespace

void Apply_Shell_Look(TForm* form, int clientWidth, int clientHeight, bool sizeable)
{
    form->SetColor(Shell_Back_Color);
    Set_Shell_Font(form->Font());
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->SetBorderStyle(sizeable ? bsSizeable : bsSingle);
    form->SetBorderIcons(biSystemMenu);
    form->SetPosition(poScreenCenter);
}

TLabel* Make_Label(TForm* owner, TWinControl* parent, const QString& name, int left, int top, bool boldGrey)
{
    auto* l = new TLabel(owner);
    l->SetName(name);
    l->SetParent(parent);
    l->SetLeft(left);
    l->SetTop(top);
    if (boldGrey) {
        l->Font()->SetStyle(fsBold);
        l->Font()->SetColor(clGray);
    }
    return l;
}

TTitlePanel Make_Title_Panel(TForm* form)
{
    TTitlePanel t;
    t.P_Title = new TPanel(form);
    t.P_Title->SetName(QStringLiteral("P_Title"));
    t.P_Title->SetParent(form);
    t.P_Title->SetAlign(alTop);
    t.P_Title->SetHeight(69);
    t.P_Title->SetBevelOuter(bvNone);
    t.P_Title->SetCaption(QString());
    t.P_Title->SetColor(Shell_Back_Color);
    t.L_SW_Code = Make_Label(form, t.P_Title, QStringLiteral("L_SW_Code"), 16, 8);
    t.L_SW_Code->Font()->SetHeight(-32);
    t.L_SW_Code->Font()->SetColor(clGray);
    t.L_SW_Code->SetCaption(WS().SW_Code);
    t.L_SW_Desc = Make_Label(form, t.P_Title, QStringLiteral("L_SW_Desc"), 16, 42, true);
    return t;
}

TPanel* Make_Button_Panel(TForm* form)
{
    auto* p = new TPanel(form);
    p->SetName(QStringLiteral("P_Button"));
    p->SetParent(form);
    p->SetAlign(alBottom);
    p->SetHeight(40);
    p->SetBevelOuter(bvNone);
    p->SetCaption(QString());
    p->SetColor(Shell_Back_Color);
    return p;
}

TLbButton* Make_Button(TForm* owner, TWinControl* parent, const QString& name, int left, int top, int width,
                       int height, TLbButtonStyle style)
{
    auto* b = new TLbButton(owner);
    b->SetName(name);
    b->SetParent(parent);
    b->SetBounds(left, top, width, height);
    Set_Window_Button_Look(b, style);
    b->SetShowHint(true);
    return b;
}

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

void Load_Button_Glyph(TLbButton* button, const QString& dirExe, const QString& file)
{
    // Many buttons share a picture: each file is read once.
    static QHash<QString, QImage> cache;
    const QString path = PathJoin({dirExe, QStringLiteral("Pictures"), file});
    auto it = cache.find(path);
    if (it == cache.end()) {
        QImage img;
        if (FileExists(path)) {
            try {
                img = Read_Plain_Bmp(ReadBinaryFile(path));
                if (img.isNull()) {
                    TBitmap bmp;
                    bmp.LoadFromFile(path);
                    img = bmp.ToImage();
                }
            } catch (...) {
                // An unreadable picture leaves the button without one.
            }
        }
        it = cache.insert(path, img);
    }
    if (it->isNull())
        return;
    TBitmap bmp;
    bmp.SetImage(*it);
    button->SetGlyph(&bmp);
    button->SetNumGlyphs(1);
}

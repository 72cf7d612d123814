// The push button: state handling, kind and colour presets, and the face painter.

#include "common/lb_button.h"

#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"
#include "platform/ui/menus.h"

#include <QtCore/QTimer>
#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------- fade timer

TLbButtonThread::TLbButtonThread(std::function<void(TLbButtonThread*)> notify) : FNotify(std::move(notify)) {}

TLbButtonThread::~TLbButtonThread() { Terminate(); }

void TLbButtonThread::Resume()
{
    if (FTerminated)
        return;
    // Most buttons never fade: the timer is made on the first resume.
    if (!FTimer) {
        FTimer = std::make_unique<QTimer>();
        FTimer->setInterval(Interval_Ms);
        QObject::connect(FTimer.get(), &QTimer::timeout, [this] {
            if (!FTerminated && FNotify)
                FNotify(this);
        });
    }
    FTimer->start();
}

void TLbButtonThread::Suspend()
{
    if (FTimer)
        FTimer->stop();
}

bool TLbButtonThread::Suspended() const { return !FTimer || !FTimer->isActive(); }

void TLbButtonThread::Terminate()
{
    FTerminated = true;
    if (FTimer)
        FTimer->stop();
}

// ---------------------------------------------------------------- kind glyphs

namespace {

// Two-frame glyphs of the kinds (up and disabled), drawn once on a magenta key.
QImage Kind_Glyph(const QString& name)
{
    if (HasResourceImage(name))
        return ResourceImage(name);
    const int h = name == QLatin1String("LBALL") ? 19 : 18;
    QImage img(36, h, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int frame = 0; frame < 2; ++frame) {
        QColor c = frame == 1 ? QColor(128, 128, 128)
                   : name == QLatin1String("LBOK") || name == QLatin1String("LBYES") || name == QLatin1String("LBALL")
                       ? QColor(0, 128, 0)
                   : name == QLatin1String("LBHELP") || name == QLatin1String("LBRETRY") ? QColor(0, 0, 160)
                                                                                          : QColor(192, 0, 0);
        p.setPen(QPen(c, 2));
        const int x = frame * 18;
        if (name == QLatin1String("LBOK") || name == QLatin1String("LBYES") || name == QLatin1String("LBALL")) {
            p.drawLine(x + 3, 9, x + 7, 13);
            p.drawLine(x + 7, 13, x + 14, 4);
        } else if (name == QLatin1String("LBHELP")) {
            p.drawText(QRect(x, 0, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        } else if (name == QLatin1String("LBRETRY")) {
            p.drawArc(QRect(x + 4, 4, 10, 10), 30 * 16, 300 * 16);
        } else if (name == QLatin1String("LBIGNORE")) {
            p.drawLine(x + 4, 9, x + 14, 9);
        } else {
            p.drawLine(x + 4, 4, x + 13, 13);
            p.drawLine(x + 13, 4, x + 4, 13);
        }
    }
    p.end();
    RegisterResourceImage(name, img);
    return img;
}

QImage Popup_Arrow()
{
    const QString name = QStringLiteral("LBARROW");
    if (HasResourceImage(name))
        return ResourceImage(name);
    QImage img(5, 3, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    for (int y = 0; y < 3; ++y)
        for (int x = y; x < 5 - y; ++x)
            img.setPixel(x, y, qRgb(0, 0, 0));
    RegisterResourceImage(name, img);
    return img;
}

struct TKindPreset {
    int ModalResult;
    const char* Resource;
    const char* Caption;
};

const TKindPreset& Kind_Preset(TLbButtonKind k)
{
    static const TKindPreset presets[] = {
        {0, "", ""},
        {1, "LBOK", "OK"},
        {2, "LBCANCEL", "Abbrechen"},
        {0, "LBHELP", "Hilfe"},
        {6, "LBYES", "Ja"},
        {7, "LBNO", "Nein"},
        {0, "LBCLOSE", "Schlie\xc3\x9f" "en"},
        {3, "LBABORT", "Abbrechen"},
        {4, "LBRETRY", "Wiederholen"},
        {5, "LBIGNORE", "Ignorieren"},
        {12, "LBALL", "Alle"},
    };
    return presets[int(k)];
}

} // namespace

// ---------------------------------------------------------------- face drawing

namespace {

// Per-channel arithmetic needs plain RGB values.
TColor Rgb(TColor c) { return ColorToRGB(c); }

// The frame of the glyph strip that the state shows.
int Glyph_Frame_Index(int numGlyphs, bool enabled, bool hot, bool down)
{
    int index = 0;
    if (!enabled)
        index = 1;
    else if (hot && numGlyphs > 3)
        index = 3;
    if (down && numGlyphs > 2)
        index = 2;
    return index;
}

// Copies the whole glyph, crops it to one frame and draws the strip over it shifted to
// the wanted frame; an index beyond the strip therefore leaves frame 0 visible. The
// copy is drawn with its bottom-left pixel's colour transparent.
void DrawGlyph(TCanvas* canvas, int x, int y, TBitmap* glyph, int gw, int gh, int index)
{
    if (!glyph || gw <= 0 || gh <= 0)
        return;
    QImage strip = glyph->ToImage().convertToFormat(QImage::Format_RGB32);
    QImage frame(gw, gh, QImage::Format_RGB32);
    frame.fill(Qt::black);
    {
        QPainter p(&frame);
        p.drawImage(0, 0, strip);
        p.drawImage(-index * gw, 0, strip);
    }
    TBitmap bmp;
    bmp.SetImage(frame);
    bmp.SetTransparentMode(tmAuto);
    bmp.SetTransparent(true);
    canvas->Draw(x, y, &bmp);
}

} // namespace

TColor BlendHotTrackColor(TColor color, TColor hotTrackColor, int step)
{
    const TColor c = Rgb(color), h = Rgb(hotTrackColor);
    const double s = step / 8.0;
    auto mix = [s](int a, int b) { return int(std::trunc(a * (1.0 - s) + b * s)); };
    return RGB(mix(GetRValue(c), GetRValue(h)), mix(GetGValue(c), GetGValue(h)),
               mix(GetBValue(c), GetBValue(h)));
}

void DrawButtonGradient(TCanvas* canvas, TColor fromColor, TColor toColor, int left, int top,
                        int right, int bottom)
{
    const TColor f = Rgb(fromColor), t = Rgb(toColor);
    const int span = bottom - top;
    const double dr = (GetRValue(t) - GetRValue(f)) / 31.0;
    const double dg = (GetGValue(t) - GetGValue(f)) / 31.0;
    const double db = (GetBValue(t) - GetBValue(f)) / 31.0;
    const TPenStyle oldPen = canvas->Pen()->Style();
    canvas->Pen()->SetStyle(psClear);
    for (int i = 0; i <= 31; ++i) {
        const int bandTop = top + i * span / 31;
        const int bandBottom = std::min(bandTop + span / 31 + 1, bottom);
        canvas->Brush()->SetColor(RGB(int(GetRValue(f) + dr * i), int(GetGValue(f) + dg * i),
                                      int(GetBValue(f) + db * i)));
        canvas->FillRect(TRect(left, bandTop, right, bandBottom));
    }
    canvas->Pen()->SetStyle(oldPen);
}

QString Fit_Caption(TCanvas* canvas, QString caption, int width)
{
    while (!caption.isEmpty() && canvas->TextWidth(caption) > width)
        caption.chop(1);
    return caption;
}

void DrawButton(TCanvas* Canvas, int W, int H, int HotTrackStep, int NumGlyphs, TBitmap* Glyph,
                bool Down, bool Hot, bool Enabled, bool Flat, bool WordWrap, bool HasPopup,
                TLbButtonStyle Style, TColor Color, TColor ColorWhenDown, TColor HotTrackColor,
                TColor LightColor, TColor ShadowColor, TFont* Font, TLbButtonLayout Layout,
                const QString& Caption, TAlignment Alignment)
{
    if (!Enabled)
        Down = false;
    const int offset = (Down && Style != bsEncarta) ? 1 : 0;

    TColor face = Rgb(Color);
    if (Enabled && HotTrackColor != clNone)
        face = BlendHotTrackColor(face, HotTrackColor, HotTrackStep);
    if (Down && ColorWhenDown != clNone)
        face = ColorWhenDown;

    TBrush* brush = Canvas->Brush();
    TPen* pen = Canvas->Pen();
    pen->SetStyle(psSolid);

    // Background.
    switch (Style) {
    case bsShape:
        brush->SetColor(0xFF00FF);
        Canvas->FillRect(TRect(-1, -1, W + 1, H + 1));
        break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
        brush->SetColor(face);
        Canvas->FillRect(TRect(-1, -1, W + 1, H + 1));
        break;
    case bsModern:
        DrawButtonGradient(Canvas, LightColor, face, 2, 2, W - 2, H / 4 + offset);
        DrawButtonGradient(Canvas, face, LightColor, 2, H / 4 + offset, W - 2, H - 1);
        break;
    case bsQuicken:
        break;
    }

    // Frame.
    brush->SetStyle(bsClear);
    const bool classicFrame = (Enabled && (!Flat || Hot || Down)) || (!Enabled && !Flat);
    switch (Style) {
    case bsNormal:
    case bsEncarta:
        if (classicFrame) {
            pen->SetColor(Down ? ShadowColor : LightColor);
            Canvas->Polyline({TPoint(0, H - 1), TPoint(0, 0), TPoint(W - 1, 0)});
            pen->SetColor(Down ? LightColor : ShadowColor);
            Canvas->Polyline({TPoint(W - 1, 0), TPoint(W - 1, H - 1), TPoint(0, H - 1)});
        }
        break;
    case bsOld:
        if (classicFrame) {
            pen->SetColor(ShadowColor);
            if (Down)
                Canvas->Polyline({TPoint(1, H - 3), TPoint(1, 1), TPoint(W - 2, 1)});
            else
                Canvas->Polyline({TPoint(W - 2, 0), TPoint(W - 2, H - 2), TPoint(0, H - 2)});
            pen->SetColor(Down ? cl3DDkShadow : LightColor);
            Canvas->Polyline({TPoint(0, H - 1), TPoint(0, 0), TPoint(W - 1, 0)});
            pen->SetColor(Down ? LightColor : cl3DDkShadow);
            Canvas->Polyline({TPoint(W - 1, 0), TPoint(W - 1, H - 1), TPoint(-1, H - 1)});
        }
        break;
    case bsModern:
        pen->SetColor(Down ? ShadowColor : face);
        Canvas->Rectangle(1, 1, W - 1, H - 1);
        pen->SetColor(ShadowColor);
        Canvas->RoundRect(0, 0, W, H, 6, 6);
        break;
    case bsQuicken:
        pen->SetStyle(psClear);
        brush->SetColor(face);
        Canvas->RoundRect(0, 1, W, H, 4, 4);
        brush->SetStyle(bsClear);
        pen->SetStyle(psSolid);
        pen->SetColor(ShadowColor);
        Canvas->MoveTo(4, 0);
        Canvas->LineTo(W - 5, 0);
        Canvas->MoveTo(4, H - 1);
        Canvas->LineTo(W - 5, H - 1);
        break;
    case bsShape:
        break;
    }

    // Font.
    if (Font)
        Canvas->SetFont(*Font);
    if (Style == bsEncarta && Down) {
        TFontStyles st = Canvas->Font()->Style();
        st << fsBold;
        Canvas->Font()->SetStyle(st);
    }

    // Glyph frame.
    const bool hasGlyph = Glyph && NumGlyphs > 0 && !Glyph->Empty();
    const int gw = hasGlyph ? Glyph->Width() / NumGlyphs : 0;
    const int gh = hasGlyph ? Glyph->Height() : 0;
    const int index = Glyph_Frame_Index(NumGlyphs, Enabled, Hot, Down);

    unsigned format = DT_WORDBREAK;
    if (Alignment == taLeftJustify)
        format |= DT_LEFT;
    else if (Alignment == taRightJustify)
        format |= DT_RIGHT;
    else
        format |= DT_CENTER;

    int tw = W - 8;
    if (Style != bsShape && (Layout == blGlyphLeft || Layout == blGlyphRight) && gw > 0)
        tw -= gw + 4;
    if (tw < 0)
        tw = 0;
    QString caption = WordWrap ? Caption : Fit_Caption(Canvas, Caption, tw);
    int th = 0, tx = 0;
    if (!caption.isEmpty()) {
        TRect ext(0, 0, tw, 0);
        DrawText(Canvas, caption, ext, format | DT_CALCRECT);
        th = ext.Height();
        tx = ext.Width() + 4;
    }

    if (Style == bsShape) {
        if (gw > 0)
            DrawGlyph(Canvas, (W - gw) / 2, (H - gh) / 2, Glyph, gw, gh, index);
        TRect r(offset, (H - th) / 2 + offset, W, H);
        DrawText(Canvas, caption, r, DT_WORDBREAK | DT_CENTER);
    } else {
        int textLeft = 0, textTop = 0, glyphLeft = 0, glyphTop = 0;
        const bool leftish = WordWrap || Alignment == taLeftJustify;
        switch (Layout) {
        case blGlyphLeft:
            textLeft = offset + 4 + (gw > 0 ? gw + 4 : 0);
            textTop = (H - th) / 2 + offset;
            glyphTop = (H - gh) / 2 + offset;
            if (leftish)
                glyphLeft = offset + 4;
            else if (Alignment == taRightJustify)
                glyphLeft = W - 4 - gw - tx + offset;
            else
                glyphLeft = (W - gw) / 2 + offset - tx / 2;
            break;
        case blGlyphRight:
            textLeft = offset + 4;
            textTop = (H - th) / 2 + offset;
            glyphTop = (H - gh) / 2 + offset;
            if (leftish)
                glyphLeft = offset + 4 + tx;
            else if (Alignment == taRightJustify)
                glyphLeft = W - 4 + offset - gw;
            else
                glyphLeft = (W - gw) / 2 + offset + tx / 2;
            break;
        case blGlyphTop:
        case blGlyphBottom: {
            const int block = th + (gh > 0 ? gh + 4 : 0);
            textLeft = offset + 4;
            if (Layout == blGlyphTop) {
                textTop = (H - block) / 2 + gh + offset;
                glyphTop = (H - block) / 2 + offset;
            } else {
                textTop = (H - block) / 2 + offset;
                glyphTop = (H - block) / 2 + th + offset;
            }
            if (Alignment == taLeftJustify)
                glyphLeft = offset + 4;
            else if (Alignment == taRightJustify)
                glyphLeft = W - gw - 4 + offset;
            else
                glyphLeft = (W - gw) / 2 + offset;
            break;
        }
        }
        if (!Enabled)
            Canvas->Font()->SetColor(0x808080);
        TRect r(textLeft, textTop, textLeft + tw, textTop + th);
        if (!caption.isEmpty())
            DrawText(Canvas, caption, r, format);
        if (gw > 0)
            DrawGlyph(Canvas, glyphLeft, glyphTop, Glyph, gw, gh, index);
    }

    if (HasPopup) {
        TBitmap arrow;
        arrow.SetImage(Popup_Arrow());
        arrow.SetTransparentMode(tmAuto);
        arrow.SetTransparent(true);
        Canvas->Draw(W - 11, H / 2 - 1, &arrow);
    }
}

// ---------------------------------------------------------------- the control

TLbButton::TLbButton(TComponent* AOwner) : TCustomControl(AOwner), TControlActionClient(this)
{
    SetControlStyle(csCaptureMouse | csSetCaption);
    SetBounds(Left(), Top(), 100, 23);
    SetTabStop(true);
    SetParentColor(true);
    FColor = clBtnFace;
    if (auto* form = dynamic_cast<TCustomForm*>(AOwner))
        FHTFont.Assign(*form->Font());
    FThread = std::make_unique<TLbButtonThread>([this](TLbButtonThread* t) { FadeStep(t); });
}

TLbButton::~TLbButton()
{
    FDestroying = true;
    EndThread();
}

void TLbButton::EndThread()
{
    if (!FThread)
        return;
    try {
        FThread->Terminate();
    } catch (...) {
    }
    FThread.reset();
}

bool TLbButton::ParentShowing() const { return Parent() && Parent()->Showing(); }

void TLbButton::RepaintNow() { Repaint(); }

void TLbButton::SetAlignment(TAlignment v)
{
    FAlignment = v;
    RepaintNow();
}

void TLbButton::SetFlat(bool v)
{
    FFlat = v;
    RepaintNow();
}

void TLbButton::SetLayout(TLbButtonLayout v)
{
    FLayout = v;
    RepaintNow();
}

void TLbButton::SetLightColor(TColor v)
{
    FLightColor = v;
    RepaintNow();
}

void TLbButton::SetShadowColor(TColor v)
{
    FShadowColor = v;
    RepaintNow();
}

void TLbButton::SetWordWrap(bool v)
{
    FWordWrap = v;
    RepaintNow();
}

void TLbButton::SetNumGlyphs(int v)
{
    FNumGlyphs = v;
    Invalidate();
}

void TLbButton::SetModalResult(int v)
{
    FModalResult = v;
    FKind = bkCustom;
}

void TLbButton::SetGlyph(const TBitmap* v)
{
    if (v && !v->Empty()) {
        FGlyph.Assign(*v);
        FNumGlyphs = FGlyph.Height() == 0 ? 0 : FGlyph.Width() / FGlyph.Height();
    } else {
        FGlyph.SetSize(0, 0);
        FNumGlyphs = 0;
    }
    FKind = bkCustom;
    Invalidate();
}

void TLbButton::SetKind(TLbButtonKind v)
{
    if (v != bkCustom) {
        const TKindPreset& k = Kind_Preset(v);
        FNumGlyphs = 2;
        SetModalResult(k.ModalResult);
        FGlyph.SetImage(Kind_Glyph(QString::fromLatin1(k.Resource)));
        SetCaption(QString::fromUtf8(k.Caption));
    }
    FKind = v;
    Invalidate();
}

void TLbButton::SetColorStyle(TLbColorStyle v)
{
    if (v == lcsCustom)
        return;
    struct Row {
        TColor Color, Light, Shadow, Down, Hot;
        bool Flat;
        TLbButtonStyle Style;
        TColor Font;
    };
    static const Row rows[] = {
        {},
        {0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, bsModern, 0},
        {0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, bsModern, 0},
        {0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, bsModern, 0},
        {0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, bsModern, 0},
        {clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, bsNormal, 0},
        {clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, bsNormal, 0},
        {0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, bsNormal, 0},
        {0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, bsModern, 0},
        {clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, bsNormal, 0},
        {0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, bsQuicken, 0xFFFFFF},
    };
    const Row& r = rows[int(v)];
    FFlat = false;
    Font()->SetColor(0);
    SetColor(r.Color);
    FLightColor = r.Light;
    FShadowColor = r.Shadow;
    FColorWhenDown = r.Down;
    FHotTrackColor = r.Hot;
    FFlat = r.Flat;
    FStyle = r.Style;  // the window's extended style is left as it is
    Font()->SetColor(r.Font);
    RepaintNow();
}

void TLbButton::SetStyle(TLbButtonStyle v)
{
    FStyle = v;
    // See-through styles leave the key colour where the face draws nothing.
    FExStyle = (v == bsModern || v == bsShape || v == bsQuicken) ? unsigned(WS_EX_TRANSPARENT) : 0u;
    Invalidate();
}

void TLbButton::SetSlowDecease(bool v)
{
    FSlowDecease = v;
    if (v) {
        if (!FThread)
            FThread = std::make_unique<TLbButtonThread>([this](TLbButtonThread* t) { FadeStep(t); });
    } else {
        FHotTrackStep = 0;
        EndThread();
    }
    Invalidate();
}

void TLbButton::SetEnabled(bool v)
{
    TCustomControl::SetEnabled(v);
    bDown = false;
    RepaintNow();
}

void TLbButton::Click()
{
    bDown = true;
    DoClick();
    ExecuteAction();
}

void TLbButton::DoClick()
{
    if (!Visible() || !Enabled() || !bDown)
        return;
    bDown = false;
    if (OnClick)
        OnClick(this);
    if (FModalResult != 0) {
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(FModalResult);
    }
    if (FPopupMenu) {
        const TPoint p = ClientToScreen(TPoint(0, Height()));
        FPopupMenu->PopupComponent = this;
        FPopupMenu->Popup(p.X, p.Y);
    }
}

void TLbButton::SetPopupMenu(TPopupMenu* v)
{
    if (FPopupMenu)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = v;
    if (v)
        v->FreeNotification(this);
    Invalidate();
}

void TLbButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TLbButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TControlActionClient::ActionChange(Sender, CheckDefaults);
    auto* a = dynamic_cast<TAction*>(Sender);
    if (!a || !a->ActionList()) return;
    const TImageList* images = a->ActionList()->Images();
    if (images && a->ImageIndex() >= 0 && a->ImageIndex() < images->Count() && FGlyph.Empty()) CopyActionImage(a);
}

void TLbButton::CopyActionImage(TAction* Action)
{
    TImageList* images = Action->ActionList()->Images();
    FGlyph.SetSize(images->Width(), images->Height());
    FGlyph.Canvas()->Brush()->SetColor(0xFF00FF);
    FGlyph.Canvas()->FillRect(TRect(0, 0, FGlyph.Width(), FGlyph.Height()));
    images->Draw(FGlyph.Canvas(), 0, 0, Action->ImageIndex());
    FGlyph.Canvas()->ReleasePainter();
    FNumGlyphs = 1;
    RepaintNow();
}

void TLbButton::FadeStep(TLbButtonThread* /*Sender*/)
{
    if (FDestroying)
        return;
    --FHotTrackStep;
    if (FHotTrackStep <= 0) {
        if (FThread && !FThread->Suspended())
            FThread->Suspend();
        FHotTrackStep = 0;
    }
    RepaintNow();
}

bool TLbButton::IsAccel(QChar ch, const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper() == ch.toUpper();
    }
    return false;
}

void TLbButton::Paint()
{
    if (!Visible() || IsLoading() || IsDestroying() || FDestroying)
        return;
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0)
        return;
    const bool focused = Focused();
    TBitmap bmp(W, H);
    TFont font;
    font.Assign(*Font());
    if ((bCursorOnButton || focused) && FUseHTFont)
        font.Assign(FHTFont);
    const bool keyed = FStyle == bsModern || FStyle == bsShape || FStyle == bsQuicken;
    if (keyed) {
        bmp.SetTransparentColor(0xFF00FF);
        bmp.SetTransparent(true);
        bmp.Canvas()->Brush()->SetColor(0xFF00FF);
        bmp.Canvas()->FillRect(TRect(0, 0, W, H));
    }
    const bool hot = bCursorOnButton || focused;
    if (FStyle == bsOld && focused) {
        DrawButton(bmp.Canvas(), W - 2, H - 2, FHotTrackStep, FNumGlyphs, &FGlyph, bDown, hot,
                   Enabled(), FFlat, FWordWrap, FPopupMenu != nullptr, FStyle, Color(), FColorWhenDown,
                   FHotTrackColor, bDown ? FShadowColor : FLightColor, FShadowColor, &font,
                   FLayout, Caption(), FAlignment);
        bmp.Canvas()->ReleasePainter();
        const QImage shifted = bmp.Image().copy(0, 0, W - 2, H - 2);
        {
            QPainter* p = bmp.Canvas()->Painter();
            p->drawImage(1, 1, shifted);
        }
        bmp.Canvas()->Brush()->SetStyle(bsClear);
        bmp.Canvas()->Pen()->SetStyle(psSolid);
        bmp.Canvas()->Pen()->SetColor(clBlack);
        bmp.Canvas()->Rectangle(0, 0, W, H);
    } else {
        DrawButton(bmp.Canvas(), W, H, FHotTrackStep, FNumGlyphs, &FGlyph, bDown, hot, Enabled(),
                   FFlat, FWordWrap, FPopupMenu != nullptr, FStyle, Color(), FColorWhenDown, FHotTrackColor,
                   FLightColor, FShadowColor, &font, FLayout, Caption(), FAlignment);
    }
    bmp.Canvas()->ReleasePainter();
    Canvas()->Draw(0, 0, &bmp);
    if (focused && Enabled() && FStyle != bsShape)
        Canvas()->DrawFocusRect(TRect(4, 4, W - 4, H - 4));
}

void TLbButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Enabled()) {
        bDown = true;
        if (CanFocus())
            SetFocus();
        RepaintNow();
    }
}

void TLbButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (bDown)
        Click();
    bDown = false;
    RepaintNow();
}

void TLbButton::MouseEnter()
{
    if (!Enabled() || !Visible() || !ParentShowing())
        return;
    bCursorOnButton = true;
    FHotTrackStep = 8;
    RepaintNow();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TLbButton::MouseLeave()
{
    bCursorOnButton = false;
    if (FSlowDecease) {
        if (FThread && FThread->Suspended())
            FThread->Resume();
    } else {
        FHotTrackStep = 0;
        RepaintNow();
    }
    if (Enabled() && Visible() && ParentShowing() && OnMouseExit)
        OnMouseExit(this);
}

void TLbButton::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if ((Key == VK_RETURN || Key == VK_SPACE) && Enabled()) {
        bDown = true;
        RepaintNow();
    }
}

void TLbButton::KeyUp(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    // Only a press that began on this button clicks: the release of a Return that
    // closed a message box lands here and must not run the step again.
    if ((Key == VK_RETURN || Key == VK_SPACE) && bDown)
        Click();
    RepaintNow();
}

void TLbButton::DoEnter()
{
    TCustomControl::DoEnter();
    RepaintNow();
}

void TLbButton::DoExit()
{
    TCustomControl::DoExit();
    RepaintNow();
}

namespace {

// The first form up the chain of owners.
TCustomForm* FindOwnerForm(TComponent* c)
{
    for (TComponent* o = c ? c->Owner() : nullptr; o; o = o->Owner())
        if (auto* f = dynamic_cast<TCustomForm*>(o))
            return f;
    return nullptr;
}

} // namespace

void TLbButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGCHAR: {
        const QChar ch(char16_t(Message.WParam));
        if (IsAccel(ch, Caption()) && Visible() && Enabled() && ParentShowing()) {
            bDown = true;
            Click();
            Message.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGKEY: {
        const WORD key = WORD(Message.WParam);
        const bool shiftKeys = !TShiftState::FromBits(unsigned(Message.LParam)).KeysOnly().Empty();
        const bool fires = ((key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel)) &&
                           !shiftKeys && Visible() && Enabled();
        if (fires) {
            if (TCustomForm* form = FindOwnerForm(this)) {
                if (TWinControl* active = form->ActiveControl()) {
                    const QString cls = active->ClassName().toUpper();
                    if (cls.contains(QLatin1String("BUTTON")) && !cls.contains(QLatin1String("RADIOBUTTON")))
                        break;
                }
            }
            bDown = true;
            Click();
            Message.Result = 1;
            return;
        }
        break;
    }
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void Set_Window_Button_Look(TLbButton* Button, TLbButtonStyle Style)
{
    Button->SetStyle(Style);
    Button->SetParentColor(false);
    Button->SetColor(0xEDF7F8);
    Button->SetColorWhenDown(0x0080FF);
    Button->SetHotTrackColor(clYellow);
    Button->SetLightColor(clGray);
}

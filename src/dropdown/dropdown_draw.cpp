#include "dropdown/dropdown_draw.h"

#include "grid/draw_utils.h"
#include "grid/html_render.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"
#include "platform/ui/controls.h"
#include "platform/ui/drawing.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {

int Near(double X)
{
    return int(RoundHalfEven(X));
}

int ClampByte(int V)
{
    return std::clamp(V, 0, 255);
}

void SetPenAndBrush(TCanvas* Canvas, TColor Color)
{
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
}

bool IsDigit(QChar Ch)
{
    return Ch >= QLatin1Char('0') && Ch <= QLatin1Char('9');
}

bool IsHexLetter(QChar Ch)
{
    return (Ch >= QLatin1Char('A') && Ch <= QLatin1Char('F')) || (Ch >= QLatin1Char('a') && Ch <= QLatin1Char('f'));
}

} // namespace

QChar ThousandSeparator()
{
    return FormatSettings().ThousandSeparator;
}

QChar DecimalSeparator()
{
    return FormatSettings().DecimalSeparator;
}

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal)
{
    if (!Canvas)
        return;
    if (Horizontal)
        --R.Right;
    else
        --R.Bottom;
    if (Steps < 1)
        Steps = 1;
    const TColor c1 = ColorToRGB(FromColor);
    const TColor c2 = ColorToRGB(ToColor);
    const double rStep = double(GetRValue(c2) - GetRValue(c1)) / Steps;
    const double gStep = double(GetGValue(c2) - GetGValue(c1)) / Steps;
    const double bStep = double(GetBValue(c2) - GetBValue(c1)) / Steps;
    const double stripe = (Horizontal ? double(R.Right - R.Left) : double(R.Bottom - R.Top)) / Steps;
    const int stripeLen = Near(stripe);
    for (int i = 0; i < Steps; ++i) {
        const TColor c = RGB(ClampByte(GetRValue(c1) + Near(i * rStep)), ClampByte(GetGValue(c1) + Near(i * gStep)),
                             ClampByte(GetBValue(c1) + Near(i * bStep)));
        SetPenAndBrush(Canvas, c);
        // The offset is kept as a 16-bit unsigned value, as the stripes always were.
        const int offset = int(uint16_t(Near(i * stripe)));
        if (Horizontal)
            Canvas->Rectangle(R.Left + offset, R.Top, R.Left + offset + stripeLen + 1, R.Bottom);
        else
            Canvas->Rectangle(R.Left, R.Top + offset, R.Right, R.Top + offset + stripeLen + 1);
    }
}

TColor BlendColor(TColor Col1, TColor Col2, int Percent)
{
    if (Percent >= 100)
        return Col1;
    if (Percent <= 0)
        return Col2;
    const double x = Percent / 100.0;
    const TColor a = ColorToRGB(Col1), b = ColorToRGB(Col2);
    return RGB(Near(x * GetRValue(a) + (1 - x) * GetRValue(b)), Near(x * GetGValue(a) + (1 - x) * GetGValue(b)),
               Near(x * GetBValue(a) + (1 - x) * GetBValue(b)));
}

TColor ColorTone(TColor Color, int DR, int DG, int DB)
{
    const TColor c = ColorToRGB(Color);
    auto tone = [](int Channel, int D) {
        if (Channel == 0)
            return ClampByte(std::max(0, D));
        return ClampByte(Near(std::min(100, D + 100) / 100.0 * Channel));
    };
    return RGB(tone(GetRValue(c), DR), tone(GetGValue(c), DG), tone(GetBValue(c), DB));
}

void DrawFilledRect(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, bool Direction, int BorderWidth,
                    TColor BorderColor)
{
    if (!Canvas)
        return;
    if (ColorTo != clNone) {
        DrawGradient(Canvas, Color, ColorTo, 80, R, !Direction);
    } else if (Color != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(R);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Pen()->SetWidth(BorderWidth);
        Canvas->Rectangle(R);
    }
}

void DrawTextWithImage(TCanvas* Canvas, TRect R, const QString& Text, int ImageIndex, TImageList* Images)
{
    if (!Canvas)
        return;
    bool imageDrawn = false;
    if (ImageIndex >= 0 && Images) {
        Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->Height()) / 2, ImageIndex, true);
        R.Left += Images->Width() + 8;
        imageDrawn = true;
    }
    if (Text.isEmpty())
        return;
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!imageDrawn)
        flags |= DT_CENTER;
    DrawText(Canvas, Text, R, flags);
}

void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, const TRect& R)
{
    if (!Canvas)
        return;
    // The grid's copy with the key colour replaced, limited to R.
    const int saved = Canvas->SaveState();
    Canvas->IntersectClipRect(R);
    DrawBitmapTransparent(Canvas, Bitmap, Color, R);
    Canvas->RestoreState(saved);
}

TSize GetTextSize(TCanvas* Canvas, const QString& Text)
{
    if (Text.isEmpty() || !Canvas)
        return TSize{0, 0};
    TRect r(0, 0, 1000, 500);
    DrawText(Canvas, Text, r, DT_CALCRECT | DT_SINGLELINE);
    return TSize{r.Right, r.Bottom};
}

void FitTextEllipsis(TCanvas* Canvas, const QString& Text, int MaxWidth, QString& Result, bool Ellipsis)
{
    Result = Text;
    if (!Canvas || Canvas->TextWidth(Text) <= MaxWidth)
        return;
    const QString tail = Ellipsis ? QStringLiteral("...") : QString();
    for (int keep = int(Text.size()) - 1; keep >= 0; --keep) {
        const QString candidate = Text.left(keep) + tail;
        if (Canvas->TextWidth(candidate) < MaxWidth) {
            Result = candidate;
            return;
        }
    }
}

void DrawHTMLTextEx(TCanvas* Canvas, const QString& Text, const TRect& R, TSize& Size, TPictureContainer* Pictures,
                    bool Flag, TImageList* Images)
{
    Size = TSize{0, 0};
    if (Text.isEmpty() || !Canvas)
        return;
    THTMLTextParams p;
    p.Canvas = Canvas;
    p.Text = Text;
    p.Rect = R;
    p.Images = Images;
    p.CalcOnly = !Flag;
    p.URLColor = 0x808080;
    p.HoverColor = clNone;
    p.HoverFontColor = clNone;
    p.Container = Pictures;
    DrawHTMLText(p);
    Size = TSize{p.XSize, p.YSize};
}

void PaintCtrls(TWinControl* Control, TCanvas* Canvas, TControl* First)
{
    if (!Control || !Canvas)
        return;
    bool started = First == nullptr;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* child = Control->Controls(i);
        if (child == First)
            started = true;
        if (!started || dynamic_cast<TWinControl*>(child) || !child->Visible() || child->Width() <= 0
            || child->Height() <= 0)
            continue;
        QImage image(child->Width(), child->Height(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        child->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        Canvas->Painter()->drawImage(child->Left(), child->Top(), image);
    }
}

bool IsRangeSeparator(QChar Ch)
{
    return Ch == QLatin1Char(',') || Ch == QLatin1Char('-') || Ch == QLatin1Char(';');
}

int ClassifyNumber(const QString& S)
{
    if (S.isEmpty())
        return 2;
    const QChar thousand = ThousandSeparator();
    const QChar decimal = DecimalSeparator();
    bool isInt = true, isFloat = true, isHex = true;
    int minus = 0, decimals = 0, lastThousand = -1;
    for (int k = 1; k <= int(S.size()); ++k) {
        const QChar ch = S.at(k - 1);
        const bool isMinus = ch == QLatin1Char('-');
        const bool digit = IsDigit(ch);
        if (!isMinus && !digit)
            isInt = false;
        if (!digit && !isMinus && ch != QLatin1Char(',') && ch != QLatin1Char('.'))
            isFloat = false;
        if (ch == thousand) {
            if (k == 1 || (lastThousand >= 0 && k - lastThousand < 3))
                isFloat = false;
            lastThousand = k;
        }
        if (!isMinus && !digit && !IsHexLetter(ch))
            isHex = false;
        if (ch == decimal)
            ++decimals;
        if (isMinus)
            ++minus;
    }
    if (minus > 1 || decimals > 1)
        return 2;
    if (isInt)
        return 0;
    if (isFloat)
        return 1;
    if (isHex)
        return 5;
    return 2;
}

void StripThousandSeparators(const QString& S, QString& Result)
{
    Result = S;
    Result.remove(ThousandSeparator());
}

int HexDigitValue(QChar Ch)
{
    if (IsDigit(Ch))
        return Ch.unicode() - '0';
    if (Ch >= QLatin1Char('A') && Ch <= QLatin1Char('F'))
        return Ch.unicode() - 'A' + 10;
    if (Ch >= QLatin1Char('a') && Ch <= QLatin1Char('f'))
        return Ch.unicode() - 'a' + 10;
    return 0;
}

int HexToInt(const QString& S)
{
    uint32_t result = 0;
    uint32_t power = 1;
    for (int i = int(S.size()) - 1; i >= 0; --i) {
        result += uint32_t(HexDigitValue(S.at(i))) * power;
        power *= 16u;
    }
    return int32_t(result);
}

void CaseFold(const QString& S, bool CaseSensitive, QString& Result)
{
    Result = CaseSensitive ? S : AnsiUpperCase(S);
}

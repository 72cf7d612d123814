#include "dropdown/dropdown_standins.h"

#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"

#include <algorithm>

namespace kvdd_standin {

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R, bool Horizontal)
{
    if (!Canvas) return;
    TRect r = R;
    if (Horizontal) --r.Right;
    else --r.Bottom;
    if (Steps == 0) Steps = 1;
    const TColor f = ColorToRGB(FromColor), t = ColorToRGB(ToColor);
    const double dr = double(GetRValue(t) - GetRValue(f)) / Steps;
    const double dg = double(GetGValue(t) - GetGValue(f)) / Steps;
    const double db = double(GetBValue(t) - GetBValue(f)) / Steps;
    const double stripe = double(Horizontal ? r.Right - r.Left : r.Bottom - r.Top) / Steps;
    for (int i = 0; i < Steps; ++i) {
        const TColor c = RGB(GetRValue(f) + int(RoundHalfEven(i * dr)), GetGValue(f) + int(RoundHalfEven(i * dg)),
                             GetBValue(f) + int(RoundHalfEven(i * db)));
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        Canvas->Brush()->SetStyle(bsSolid);
        const int off = int(uint16_t(RoundHalfEven(i * stripe)));
        const int size = int(RoundHalfEven(stripe)) + 1;
        if (Horizontal) Canvas->Rectangle(r.Left + off, r.Top, r.Left + off + size, r.Bottom);
        else Canvas->Rectangle(r.Left, r.Top + off, r.Right, r.Top + off + size);
    }
}

TColor ColorTone(TColor Color, int DR, int DG, int DB)
{
    const TColor c = ColorToRGB(Color);
    auto tone = [](int ch, int d) {
        if (ch == 0) return std::max(0, std::min(255, d));
        return std::clamp(int(RoundHalfEven(std::min(100, d + 100) / 100.0 * ch)), 0, 255);
    };
    return RGB(tone(GetRValue(c), DR), tone(GetGValue(c), DG), tone(GetBValue(c), DB));
}

void DrawFilledRect(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, bool Vertical, int BorderWidth,
                    TColor BorderColor)
{
    if (!Canvas) return;
    if (ColorTo != clNone) DrawGradient(Canvas, Color, ColorTo, 80, R, !Vertical);
    else if (Color != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(R);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Pen()->SetWidth(BorderWidth);
        Canvas->Rectangle(R);
        Canvas->Pen()->SetWidth(1);
    }
}

void DrawTextWithImage(TCanvas* Canvas, TRect R, const QString& Text, int ImageIndex, TImageList* Images)
{
    if (!Canvas) return;
    bool image = false;
    if (ImageIndex >= 0 && Images) {
        Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->Height()) / 2, ImageIndex, true);
        R.Left += Images->Width() + 8;
        image = true;
    }
    if (!Text.isEmpty())
        DrawText(Canvas, Text, R, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (image ? 0u : unsigned(DT_CENTER)));
}

TSize GetTextSize(TCanvas* Canvas, const QString& Text)
{
    if (!Canvas || Text.isEmpty()) return TSize{0, 0};
    TRect r(0, 0, 1000, 500);
    DrawText(Canvas, Text, r, DT_CALCRECT | DT_SINGLELINE);
    return TSize{r.Right, r.Bottom};
}

} // namespace kvdd_standin

#include "grid/draw_utils.h"

#include <algorithm>
#include <cmath>

#include "grid/theme_services.h"
#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"

namespace {

int Round(double v) { return int(RoundHalfEven(v)); }
int Clamp255(int v) { return std::clamp(v, 0, 255); }

void SetPenAndBrush(TCanvas* Canvas, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetColor(Color);
}

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

// The tone of a button state: normal, hot, down, disabled.
const TColorTone& ToneOf(const TColorTones& Tones, int State)
{
    switch (State) {
    case ebHot:
        return Tones.Hover;
    case ebDown:
        return Tones.Selected;
    case ebDisabled:
        return Tones.Disabled;
    default:
        return Tones.Background;
    }
}

// Draws one themed part through the theme opened for the window; the theme is
// opened and closed on every call.
void DrawThemed(HWND Window, TCanvas* Canvas, const QString& ClassName, int Part, int State, const TRect& R)
{
    HTHEME theme = OpenThemeData(Window, ClassName);
    DrawThemeBackground(theme, Canvas, Part, State, R);
    CloseThemeData(theme);
}

} // namespace

// ---- Colours ----

TColor HalfBrightColor(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2);
}

TColor AdjustColorByPercent(TColor Color, int Percent)
{
    const TColor c = ColorToRGB(Color);
    auto adj = [Percent](int v) { return Clamp255(Round(v + v * double(Percent) / 100.0)); };
    return RGB(adj(GetRValue(c)), adj(GetGValue(c)), adj(GetBValue(c)));
}

TColor GradientColorAt(TColor Color, TColor ColorTo, int Min, int Max, int Pos)
{
    if (ColorTo == clNone)
        return Color;
    const TColor c1 = ColorToRGB(Color);
    const TColor c2 = ColorToRGB(ColorTo);
    // A gradient without span has only its two ends.
    if (Max == Min)
        return Pos <= Min ? c1 : c2;
    const double span = double(Max - Min);
    auto comp = [&](int a, int b) { return Clamp255(a + Round((b - a) / span * Pos)); };
    return RGB(comp(GetRValue(c1), GetRValue(c2)), comp(GetGValue(c1), GetGValue(c2)),
               comp(GetBValue(c1), GetBValue(c2)));
}

// ---- Fills ----

void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal)
{
    if (R.Top == R.Bottom)
        return;
    if (R.Top > R.Bottom)
        std::swap(R.Top, R.Bottom);
    if (FromColor == clNone || ToColor == clNone) {
        const TColor c = (FromColor == clNone) ? ToColor : FromColor;
        if (c == clNone)
            return;
        SetPenAndBrush(Canvas, c);
        Canvas->Rectangle(R);
        return;
    }
    const TColor c1 = ColorToRGB(FromColor);
    const TColor c2 = ColorToRGB(ToColor);
    const int span = Horizontal ? (R.Right - R.Left - 1) : (R.Bottom - R.Top - 1);
    const int n = std::max(1, std::min(Steps, span));
    const double stepSize = double(span) / n;
    const double dr = double(GetRValue(c2) - GetRValue(c1)) / n;
    const double dg = double(GetGValue(c2) - GetGValue(c1)) / n;
    const double db = double(GetBValue(c2) - GetBValue(c1)) / n;
    for (int i = 0; i <= n; ++i) {
        const TColor band = RGB(Clamp255(GetRValue(c1) + Round(i * dr)), Clamp255(GetGValue(c1) + Round(i * dg)),
                                Clamp255(GetBValue(c1) + Round(i * db)));
        const int offset = int(std::trunc(i * stepSize));
        const int len = int(std::trunc(stepSize + 1));
        SetPenAndBrush(Canvas, band);
        if (Horizontal)
            Canvas->Rectangle(R.Left + offset, R.Top, std::min(R.Right, R.Left + offset + len), R.Bottom);
        else
            Canvas->Rectangle(R.Left, R.Top + offset, R.Right, std::min(R.Bottom, R.Top + offset + len));
    }
}

void DrawMirroredGradient(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor ColorMirror,
                          TColor ColorMirrorTo, int Direction, TColor BorderColor, bool SidesOnly, bool Fill)
{
    if (Fill && Color != clNone) {
        if (ColorMirror != clNone) {
            if (Direction == 0) {
                const int mid = R.Left + (R.Right - R.Left) / 2;
                FillGradient(Canvas, Color, ColorTo, 128, TRect(R.Left, R.Top, mid, R.Bottom), true);
                FillGradient(Canvas, ColorMirror, ColorMirrorTo, 128, TRect(mid, R.Top, R.Right, R.Bottom), true);
            } else {
                const int mid = R.Top + (R.Bottom - R.Top) / 2;
                FillGradient(Canvas, Color, ColorTo, 128, TRect(R.Left, R.Top, R.Right, mid), false);
                FillGradient(Canvas, ColorMirror, ColorMirrorTo, 128, TRect(R.Left, mid, R.Right, R.Bottom), false);
            }
        } else if (ColorTo == clNone) {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(Color);
            Canvas->Pen()->SetStyle(psSolid);
            Canvas->Pen()->SetWidth(1);
            Canvas->Pen()->SetColor(Color);
            R.Bottom += 1;
            Canvas->FillRect(R);
        } else {
            FillGradient(Canvas, Color, ColorTo, 128, R, Direction == 0);
        }
    }
    if (BorderColor != clNone) {
        if (SidesOnly) {
            Canvas->Pen()->SetColor(BorderColor);
            Line(Canvas, R.Left, R.Top, R.Left, R.Bottom);
            Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
        } else {
            Canvas->Brush()->SetColor(BorderColor);
            Canvas->FrameRect(R);
        }
    }
}

void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

void DrawButtonSegment(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor ColorMirror, TColor ColorMirrorTo,
                       TColor UpperLineColor, TColor LowerLineColor, TColor BorderColor, TColor CornerColor,
                       TColor BackgroundColor, const TRect& R, int Part)
{
    const int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 2;
    const int Mid = T + (B - T) / 2;
    const bool leftEnd = Part == bspWhole || Part == bspLeft;
    const bool rightEnd = Part == bspWhole || Part == bspRight;
    const int LI = leftEnd ? 2 : 0;
    const int RI = rightEnd ? 2 : 0;

    Canvas->Pen()->SetColor(UpperLineColor);
    Line(Canvas, L, T + 1, Rt, T + 1);
    if (leftEnd)
        Line(Canvas, L + 1, T + 1, L + 1, Mid);
    if (rightEnd)
        Line(Canvas, Rt - 2, T + 1, Rt - 2, Mid);

    Canvas->Pen()->SetColor(LowerLineColor);
    Line(Canvas, L, B - 1, Rt, B - 1);
    if (leftEnd)
        Line(Canvas, L + 1, Mid, L + 1, B - 1);
    if (rightEnd)
        Line(Canvas, Rt - 2, Mid, Rt - 2, B - 1);

    Canvas->Pen()->SetColor(BorderColor);
    Line(Canvas, L + LI, T, Rt - RI, T);
    Line(Canvas, L + LI, B, Rt - RI, B);
    if (rightEnd)
        Line(Canvas, Rt - 1, T + 2, Rt - 1, B - 1);
    if (leftEnd)
        Line(Canvas, L, T + 2, L, B - 1);

    if (leftEnd) {
        for (const TPoint& p : {TPoint(L + 1, T), TPoint(L + 1, T + 1), TPoint(L, T + 1), TPoint(L + 1, B),
                                TPoint(L + 1, B - 1), TPoint(L, B - 1)})
            Canvas->SetPixel(p.X, p.Y, CornerColor);
        Canvas->SetPixel(L, T, BackgroundColor);
        Canvas->SetPixel(L, B, BackgroundColor);
    }
    if (rightEnd) {
        for (const TPoint& p : {TPoint(Rt - 2, T), TPoint(Rt - 2, T + 1), TPoint(Rt - 1, T + 1), TPoint(Rt - 2, B),
                                TPoint(Rt - 2, B - 1), TPoint(Rt - 1, B - 1)})
            Canvas->SetPixel(p.X, p.Y, CornerColor);
        Canvas->SetPixel(Rt - 1, T, BackgroundColor);
        Canvas->SetPixel(Rt - 1, B, BackgroundColor);
    }

    const TRect F(L + LI, T + 2, Rt - RI, B - 1);
    if (ColorTo == clNone) {
        SetPenAndBrush(Canvas, Color);
        Canvas->FillRect(F);
    } else if (ColorMirror == clNone) {
        FillGradient(Canvas, Color, ColorTo, 16, F, false);
    } else {
        const int half = F.Top + (F.Bottom - F.Top) / 2;
        FillGradient(Canvas, Color, ColorTo, 16, TRect(F.Left, F.Top, F.Right, half), false);
        FillGradient(Canvas, ColorMirror, ColorMirrorTo, 16, TRect(F.Left, half, F.Right, F.Bottom), false);
    }
}

// ---- Editor buttons ----

void DrawComboButton(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, const TColorTones& Tones)
{
    TRect b = R;
    b.Left = R.Right - 17;
    b.Top += 1;
    b.Bottom -= 1;
    OffsetRect(b, -2, 0);
    const bool disabled = State == ebDisabled;
    switch (Style) {
    case ebsThemed:
        DrawThemed(Window, Canvas, QStringLiteral("combobox"), 1, disabled ? 4 : 1, b);
        break;
    case ebsClassic:
    case ebsFlat: {
        unsigned flags = DFCS_SCROLLCOMBOBOX;
        if (disabled)
            flags |= DFCS_INACTIVE;
        if (Style == ebsFlat)
            flags |= DFCS_FLAT;
        DrawFrameControl(Canvas, b, DFC_SCROLL, flags);
        break;
    }
    default: {
        const TColorTone& t = ToneOf(Tones, State);
        b.Left += 3;
        SetPenAndBrush(Canvas, t.BrushColor);
        Canvas->Rectangle(b);
        Canvas->Pen()->SetColor(Tones.Background.BorderColor);
        Line(Canvas, b.Left + 1, b.Top, b.Left + 1, b.Bottom);
        SetPenAndBrush(Canvas, Tones.Background.TextColor);
        Canvas->Polygon({TPoint(b.Left + 5, b.Top + 8), TPoint(b.Left + 11, b.Top + 8), TPoint(b.Left + 8, b.Top + 11)});
        break;
    }
    }
}

void DrawPushButton(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, const TColorTones& Tones)
{
    TRect b = R;
    switch (Style) {
    case ebsThemed: {
        static const int states[] = {1, 2, 3, 4};
        DrawThemed(Window, Canvas, QStringLiteral("button"), 1, states[std::clamp(State, 0, 3)], b);
        break;
    }
    case ebsClassic:
    case ebsFlat: {
        unsigned flags = DFCS_BUTTONPUSH;
        if (State == ebHot)
            flags |= DFCS_HOT;
        else if (State == ebDown)
            flags |= DFCS_PUSHED;
        else if (State == ebDisabled)
            flags |= DFCS_INACTIVE;
        if (Style == ebsFlat)
            flags |= DFCS_FLAT;
        DrawFrameControl(Canvas, b, DFC_BUTTON, flags);
        break;
    }
    default: {
        const TColorTone& t = ToneOf(Tones, State);
        Canvas->Brush()->SetColor(t.BrushColor);
        Canvas->Pen()->SetColor(t.BorderColor);
        Canvas->Rectangle(b);
        break;
    }
    }
}

void DrawSpinButtons(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, const TColorTones& Tones)
{
    TRect b = R;
    b.Left = R.Right - 15;
    OffsetRect(b, -1, -1);
    const int mid = b.Top + (b.Bottom - b.Top) / 2;
    const bool disabled = State == ebDisabled;
    switch (Style) {
    case ebsThemed:
        DrawThemed(Window, Canvas, QStringLiteral("spin"), 1, disabled ? 4 : 1, TRect(b.Left, b.Top, b.Right, mid));
        DrawThemed(Window, Canvas, QStringLiteral("spin"), 2, disabled ? 4 : 1, TRect(b.Left, mid, b.Right, b.Bottom));
        break;
    case ebsClassic:
    case ebsFlat: {
        unsigned extra = disabled ? unsigned(DFCS_INACTIVE) : 0u;
        if (Style == ebsFlat)
            extra |= DFCS_FLAT;
        TRect up(b.Left, b.Top, b.Right, mid);
        TRect down(b.Left, mid + 1, b.Right, b.Bottom);
        DrawFrameControl(Canvas, up, DFC_SCROLL, DFCS_SCROLLUP | extra);
        DrawFrameControl(Canvas, down, DFC_SCROLL, DFCS_SCROLLDOWN | extra);
        break;
    }
    default: {
        const TColorTone& t = ToneOf(Tones, State);
        SetPenAndBrush(Canvas, t.BrushColor);
        Canvas->Rectangle(b.Left, b.Top, b.Right, mid);
        Canvas->Rectangle(b.Left, mid + 1, b.Right, b.Bottom);
        SetPenAndBrush(Canvas, clBlack);
        Canvas->Polygon({TPoint(b.Left + 5, b.Top + 5), TPoint(b.Left + 9, b.Top + 5), TPoint(b.Left + 7, b.Top + 3)});
        Canvas->Polygon({TPoint(b.Left + 5, mid + 2), TPoint(b.Left + 9, mid + 2), TPoint(b.Left + 7, mid + 4)});
        break;
    }
    }
}

// ---- Cell graphics ----

void DrawProgressBar(TCanvas* Canvas, TRect R, TColor DoneColor, TColor DoneTextColor, TColor RemainColor,
                     TColor RemainTextColor, double Value, int MarginX, int MarginY, int Min, int Max,
                     const QString& Fmt, TColor BorderColor, bool Inverted)
{
    const TColor saved = Canvas->Brush()->Color();
    SetPenAndBrush(Canvas, DoneColor);
    Canvas->Font()->SetColor(DoneTextColor);

    const int n = Round(Value);
    QString text;
    int percent;
    if (Fmt.isEmpty()) {
        text = QString::number(n) + QLatin1Char('%');
        percent = n;
    } else {
        if (Fmt.contains(QLatin1Char('d')) || Fmt.contains(QLatin1Char('u')))
            text = Format(Fmt, {n});
        else
            text = Format(Fmt, {Value});
        // Without a range the bar is either empty or full.
        if (Max == Min)
            percent = Value >= Max ? 100 : 0;
        else
            percent = Round((Value - Min) * 100.0 / (Max - Min));
    }
    percent = std::clamp(percent, 0, 100);

    R.Left += MarginX;
    R.Right -= MarginX;
    R.Top += MarginY;
    R.Bottom -= MarginY;
    TRect done = R;
    done.Right = R.Left + Round((R.Right - R.Left) * percent / 100.0);

    const int tw = Canvas->TextWidth(text);
    int th = Canvas->TextHeight(text);
    if (Inverted)
        th = -th;
    const int tx = R.Left + (R.Right - R.Left - tw) / 2;
    const int ty = R.Top + (R.Bottom - R.Top - th) / 2;

    Canvas->TextRect(done, tx, ty, text);

    SetPenAndBrush(Canvas, RemainColor);
    Canvas->Font()->SetColor(RemainTextColor);
    Canvas->TextRect(TRect(done.Right, R.Top, R.Right, R.Bottom), tx, ty, text);

    Canvas->Brush()->SetColor(BorderColor);
    Canvas->Pen()->SetColor(saved);
    InflateRect(R, 1, 1);
    if (BorderColor != clNone)
        Canvas->FrameRect(R);

    Canvas->Brush()->SetColor(saved);
    InflateRect(R, 1, 1);
    Canvas->FrameRect(R);
}

void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Value, bool Inverted)
{
    const TColor grey = 0x808080;
    Canvas->Pen()->SetColor(grey);
    Canvas->Pen()->SetWidth(1);
    Canvas->Ellipse(R);
    const int cx = R.Left + (R.Right - R.Left) / 2;
    const int cy = R.Top + (R.Bottom - R.Top) / 2;
    Line(Canvas, cx, R.Top, cx, cy);
    const double a = Value / 100.0 * 2.0 * M_PI;
    Canvas->LineTo(cx + Round((R.Right - R.Left + 1) * 0.5 * std::sin(a)),
                   cy - Round((R.Bottom - R.Top + 1) * 0.5 * std::cos(a)));
    Canvas->Brush()->SetColor(Color);
    if (Value != 0)
        Canvas->FloodFill(cx + 1, Inverted ? R.Top - 2 : R.Top + 2, grey, fsBorder);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect R, int Value, int Max, bool ShowValue, TColor NegativeColor,
                        TColor PositiveColor)
{
    InflateRect(R, -2, -2);
    const int half = (R.Right - R.Left) / 2;
    int x;
    if (Max <= 0) {
        // No range: a value other than 0 fills its side completely.
        x = Value > 0 ? half : (Value < 0 ? -half : 0);
    } else {
        Value = std::clamp(Value, -Max, Max);
        x = Round(double(Value) * half / Max);
    }
    if (Value < 0) {
        SetPenAndBrush(Canvas, NegativeColor);
        Canvas->Rectangle(R.Left + half + x, R.Top, R.Left + half, R.Bottom);
    } else {
        SetPenAndBrush(Canvas, PositiveColor);
        Canvas->Rectangle(R.Left + half, R.Top, R.Left + half + x, R.Bottom);
    }
    if (ShowValue)
        Canvas->Brush()->SetStyle(bsClear);
}

namespace {

// A piece of the completed part: two gradient halves across the bar's thickness.
void XPPiece(TCanvas* Canvas, const TRect& P, TColor C, TColor CT, const TXPProgressAppearance& A)
{
    if (P.IsEmpty())
        return;
    if (!A.ShowGradient) {
        FillRectColor(Canvas, P, C);
        return;
    }
    if (!A.Vertical) {
        const int mid = P.Top + (P.Bottom - P.Top) / 2;
        FillGradient(Canvas, CT, C, A.Steps, TRect(P.Left, P.Top, P.Right, mid), false);
        FillGradient(Canvas, C, CT, A.Steps, TRect(P.Left, mid, P.Right, P.Bottom), false);
    } else {
        const int mid = P.Left + (P.Right - P.Left) / 2;
        FillGradient(Canvas, CT, C, A.Steps, TRect(P.Left, P.Top, mid, P.Bottom), true);
        FillGradient(Canvas, C, CT, A.Steps, TRect(mid, P.Top, P.Right, P.Bottom), true);
    }
}

} // namespace

void DrawXPProgressBar(TCanvas* Canvas, const TRect& R, int Position, const TXPProgressAppearance& A)
{
    int len = A.Vertical ? (R.Bottom - R.Top) : (R.Right - R.Left);
    const TColor penColor = A.ShowBorder ? A.BorderColor : A.UnCompleteColor;
    Canvas->Brush()->SetColor(A.UnCompleteColor);
    Canvas->Pen()->SetColor(penColor);
    Canvas->Rectangle(R);
    len -= 2;

    if (Position > 0) {
        if (A.Stacked) {
            const int l0 = Round(std::min(Position, A.Level1Perc) / 100.0 * len);
            TRect p0 = A.Vertical ? TRect(R.Left + 1, R.Bottom - l0, R.Right - 1, R.Bottom - 1)
                                  : TRect(R.Left + 1, R.Top + 1, R.Left + 1 + l0, R.Bottom - 1);
            XPPiece(Canvas, p0, A.Level0Color, A.Level0ColorTo, A);
            int l1 = 0;
            TRect p1 = p0;
            if (Position >= A.Level1Perc) {
                l1 = Round(len * (std::min(Position, A.Level2Perc) - A.Level1Perc) / 100.0);
                p1 = A.Vertical ? TRect(R.Left + 1, p0.Top - l1, R.Right - 1, p0.Top)
                                : TRect(p0.Right, R.Top + 1, p0.Right + l1, R.Bottom - 1);
                XPPiece(Canvas, p1, A.Level1Color, A.Level1ColorTo, A);
            }
            if (Position >= A.Level2Perc) {
                const int l2 = Position == 100 ? len - l0 - l1 : Round(len * (Position - A.Level2Perc) / 100.0);
                const TRect p2 = A.Vertical ? TRect(R.Left + 1, p1.Top - 1 - l2, R.Right - 1, p1.Top - 1)
                                            : TRect(p1.Right, R.Top + 1, p1.Right + l2, R.Bottom - 1);
                XPPiece(Canvas, p2, A.Level3Color, A.Level3ColorTo, A);
            }
        } else {
            TColor c, ct;
            if (Position < A.Level1Perc) {
                c = A.Level0Color;
                ct = A.Level0ColorTo;
            } else if (Position < A.Level2Perc) {
                c = A.Level1Color;
                ct = A.Level1ColorTo;
            } else if (Position < 100) {
                c = A.Level2Color;
                ct = A.Level2ColorTo;
            } else {
                c = A.Level3Color;
                ct = A.Level3ColorTo;
            }
            if (A.CompletionSmooth) {
                const int l = Round(Position / 100.0 * len);
                const TRect p = A.Vertical ? TRect(R.Left + 1, R.Bottom - l - 1, R.Right - 1, R.Bottom - 1)
                                           : TRect(R.Left + 1, R.Top + 1, R.Left + 1 + l, R.Bottom - 1);
                XPPiece(Canvas, p, c, ct, A);
            } else {
                const int t = Round(double(Position) * len / 100.0);
                // Block k of a horizontal bar covers x offsets start .. start + size from R.Left.
                auto block = [&](int start, int size) {
                    const TRect p = A.Vertical
                        ? TRect(R.Left + 2, R.Bottom - start - size, R.Right - 2, R.Bottom - start)
                        : TRect(R.Left + start, R.Top + 2, R.Left + start + size, R.Bottom - 2);
                    XPPiece(Canvas, p, c, ct, A);
                };
                if (t > 9) {
                    int start = 2;
                    block(start, 7);
                    for (int k = 0; k < t / 9 - 1; ++k) {
                        start += 7 + 2;
                        block(start, 7);
                    }
                    if (t % 9 > 2) {
                        start += 7 + 2;
                        block(start, t % 9 - 1);
                    }
                    Canvas->Brush()->SetStyle(bsClear);
                } else if (t > 1) {
                    block(2, t - 1);
                }
            }
        }
    }

    if (A.ShowPercentage) {
        Canvas->Brush()->SetStyle(bsClear);
        if (A.Font) {
            Canvas->Font()->SetName(A.Font->Name());
            Canvas->Font()->SetHeight(A.Font->Height());
            Canvas->Font()->SetStyle(A.Font->Style());
        }
        Canvas->Font()->SetColor(A.CompleteFontColor);
        const QString text = QString::number(Position) + QLatin1Char('%');
        const int tw = Canvas->TextWidth(text);
        const int th = Canvas->TextHeight(text);
        if (!A.Vertical) {
            Canvas->TextOut(R.Left + (R.Right - R.Left) / 2 - tw / 2, R.Top + (R.Bottom - R.Top) / 2 - th / 2, text);
        } else {
            const int saved = Canvas->Font()->Orientation();
            Canvas->Font()->SetOrientation(900);
            Canvas->TextOut(R.Left + (R.Right - R.Left) / 2 - th / 2, R.Top + (R.Bottom - R.Top) / 2 + tw / 2, text);
            Canvas->Font()->SetOrientation(saved);
        }
    }

    Canvas->Pen()->SetColor(penColor);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(R);
}

void DrawShape(TCanvas* Canvas, int X, int Y, int Width, int Height, TCellShape Shape, TColor BrushColor,
               TColor PenColor)
{
    Canvas->Brush()->SetColor(BrushColor);
    Canvas->Pen()->SetColor(PenColor);
    if ((Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) && Width != Height) {
        const int m = std::min(Width, Height);
        Width = m;
        Height = m;
    }
    const int W = Width, H = Height, W2 = W / 2, H2 = H / 2;
    const int We = W - (W % 2), He = H - (H % 2);
    const int Q = We / 4, QH = He / 4;
    auto star = [&](int k) {
        const double a = k * 36.0 * M_PI / 180.0;
        const double rx = (k % 2 == 0) ? W2 : W2 / 3.0;
        const double ry = (k % 2 == 0) ? H2 : H2 / 3.0;
        return TPoint(X + W2 + Round(std::sin(a) * rx), Y + H2 - Round(std::cos(a) * ry));
    };
    switch (Shape) {
    case csRectangle:
    case csSquare:
        Canvas->Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1);
        break;
    case csCircle:
    case csEllips:
        Canvas->Ellipse(X, Y, X + W, Y + H);
        break;
    case csTriangleLeft:
        Canvas->Polygon({TPoint(X + W, Y), TPoint(X + W, Y + H), TPoint(X, Y + H2)});
        break;
    case csTriangleRight:
        Canvas->Polygon({TPoint(X, Y), TPoint(X, Y + H), TPoint(X + W, Y + H2)});
        break;
    case csTriangleUp:
        Canvas->Polygon({TPoint(X, Y + H), TPoint(X + W, Y + H), TPoint(X + W2, Y)});
        break;
    case csTriangleDown:
        Canvas->Polygon({TPoint(X, Y), TPoint(X + W, Y), TPoint(X + W2, Y + H)});
        break;
    case csDiamond:
        Canvas->Polygon({TPoint(X, Y + H2), TPoint(X + W2, Y), TPoint(X + 2 * W2, Y + H2), TPoint(X + W2, Y + 2 * H2)});
        break;
    case csLineVert:
        Canvas->Rectangle(X + W2, Y, X + W2 + 1, Y + H);
        break;
    case csLineHorz:
        Canvas->Rectangle(X, Y + H2, X + W, Y + H2 + 1);
        break;
    case csRoundRect:
    case csRoundSquare:
        Canvas->RoundRect(X, Y, X + W, Y + H, 10, 10);
        break;
    case csStar: {
        std::vector<TPoint> pts;
        for (int k = 0; k < 10; ++k)
            pts.push_back(star(k));
        Canvas->Polygon(pts);
        break;
    }
    case csArrowUp:
        Canvas->Polygon({TPoint(X, Y + H2), TPoint(X + We / 2, Y), TPoint(X + We, Y + H2), TPoint(X + 3 * Q, Y + H2),
                         TPoint(X + 3 * Q, Y + H), TPoint(X + Q, Y + H), TPoint(X + Q, Y + H2)});
        break;
    case csArrowDown:
        Canvas->Polygon({TPoint(X, Y + H2), TPoint(X + We / 2, Y + H), TPoint(X + We, Y + H2),
                         TPoint(X + 3 * Q, Y + H2), TPoint(X + 3 * Q, Y), TPoint(X + Q, Y), TPoint(X + Q, Y + H2)});
        break;
    case csArrowLeft:
        Canvas->Polygon({TPoint(X, Y + He / 2), TPoint(X + W2, Y), TPoint(X + W2, Y + QH), TPoint(X + W, Y + QH),
                         TPoint(X + W, Y + 3 * QH), TPoint(X + W2, Y + 3 * QH), TPoint(X + W2, Y + He)});
        break;
    case csArrowRight:
        Canvas->Polygon({TPoint(X + W, Y + He / 2), TPoint(X + W2, Y), TPoint(X + W2, Y + QH), TPoint(X, Y + QH),
                         TPoint(X, Y + 3 * QH), TPoint(X + W2, Y + 3 * QH), TPoint(X + W2, Y + He)});
        break;
    case csHalfStar:
        Canvas->Polygon({star(0), star(5), star(6), star(7), star(8), star(9)});
        break;
    default:
        break;
    }
}

void DrawDownTriangle(TCanvas* Canvas, int X, int Y, TColor Color)
{
    SetPenAndBrush(Canvas, Color);
    Canvas->Polygon({TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3)});
}

void DrawErrorUnderline(TWinControl* /*Owner*/, TCanvas* Canvas, const QString& Text, const TRect& R, int YOffset,
                        int ErrPos, int ErrLen)
{
    // Character positions within a single line of the text, measured with the
    // canvas font the text is drawn with.
    const int len = int(Text.size());
    auto charX = [&](int index) { return index <= 0 ? 0 : Canvas->TextWidth(Text.left(index)); };
    const int lastChar = std::max(0, len - 1);
    // An error position at or past the end is clamped to the last character.
    const int start = std::clamp(ErrPos, 0, lastChar);
    const int x1 = charX(start);
    const int y1 = 0;
    int x2, y2;
    if (ErrPos + ErrLen < len) {
        x2 = charX(ErrPos + ErrLen - 1);
        y2 = 0;
    } else {
        x2 = charX(lastChar) + 4;
        y2 = y1;
    }

    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(2);
    int x = x1;
    Canvas->MoveTo(R.Left + x, R.Top + y1 + YOffset + 3);
    int k = 3;
    while (x <= x2) {
        k = (k == 3) ? 0 : 3;
        Canvas->LineTo(R.Left + x + 3, R.Top + y2 + YOffset + k);
        x += 3;
    }
    k = (k == 3) ? 0 : 3;
    Canvas->LineTo(R.Left + x + 3, R.Top + y2 + YOffset + k);
}

void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, const TRect& R)
{
    if (!Bitmap || Bitmap->Empty())
        return;
    const int w = Bitmap->Width(), h = Bitmap->Height();
    TBitmap temp(w, h);
    const TColor key = Bitmap->Canvas()->Pixels(0, 0);
    Bitmap->Canvas()->ReleasePainter();
    temp.Canvas()->Brush()->SetColor(Color);
    temp.Canvas()->BrushCopy(TRect(0, 0, w, h), Bitmap, TRect(0, 0, w, h), key);
    temp.Canvas()->ReleasePainter();
    Canvas->Draw(R.Left, R.Top, &temp);
}

void DrawResourceBitmapTransparent(TCanvas* Canvas, TColor Color, const TRect& R, const QString& ResName)
{
    if (!HasResourceImage(ResName))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResName));
    TBitmap bmp;
    bmp.SetImage(ResourceImage(ResName));
    DrawBitmapTransparent(Canvas, &bmp, Color, R);
}

bool CallUpdateLayeredWindow(HWND Wnd, void*, const TPoint* DstPos, const TSize* Size, void* SrcDC,
                             const TPoint* SrcPos, TColor, const TBlendFunction* Blend, unsigned)
{
    auto* target = dynamic_cast<TCustomControl*>(Wnd);
    if (!target) return true;
    if (DstPos) target->SetBounds(DstPos->X, DstPos->Y, target->Width(), target->Height());
    const auto* source = static_cast<const QImage*>(SrcDC);
    if (!source) return true;
    QImage picture = source->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (SrcPos || Size) {
        const int x = SrcPos ? SrcPos->X : 0, y = SrcPos ? SrcPos->Y : 0;
        picture = picture.copy(x, y, Size ? Size->cx : picture.width() - x, Size ? Size->cy : picture.height() - y);
    }
    // The constant alpha scales every pre-multiplied channel.
    const int alpha = Blend ? Blend->SourceConstantAlpha : 255;
    if (alpha != 255) {
        for (int row = 0; row < picture.height(); ++row) {
            uint8_t* p = picture.scanLine(row);
            for (int i = 0; i < picture.width() * 4; ++i) p[i] = uint8_t(p[i] * alpha / 255);
        }
    }
    UpdateLayeredWindow(target, picture);
    return true;
}

bool CallSetLayeredWindowAttributes(HWND Wnd, TColor, uint8_t Alpha, unsigned Flags)
{
    // LWA_ALPHA (2): the overall opacity; a colour key has no counterpart here.
    if (Wnd && (Flags & 2)) SetLayeredWindowAlpha(Wnd, Alpha);
    return true;
}

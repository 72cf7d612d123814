#include "dropdown/watch.h"

#include "dropdown/dropdown_draw.h"
#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

int Near(double X)
{
    return int(RoundHalfEven(X));
}

double Rad(double Degrees)
{
    return Degrees * std::numbers::pi / 180.0;
}

void SetPen(TCanvas* C, TColor Color, int Width)
{
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(Color);
    C->Pen()->SetWidth(Width);
}

} // namespace

THMS SplitTime(TDateTime T)
{
    THMS r;
    DecodeTime(T, r.H, r.M, r.S, r.MS);
    return r;
}

TKvWatch::TKvWatch(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()), FBKGCache(std::make_unique<TBitmap>())
{
    FAppearance->OnChange = [this](TObject*) { FCacheValid = false; Invalidate(); };
    FSettings->OnChange = [this](TObject*) { SettingsChanged(); };
    FWatchTimer = new TTimer(this);
    FWatchTimer->SetEnabled(false);
    FWatchTimer->SetInterval(100);
    FWatchTimer->OnTimer = [this](TObject*) { LiveTick(); };
    FAnimationTimer = new TTimer(this);
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->SetInterval(1);
    FAnimationTimer->OnTimer = [this](TObject*) { AnimationStep(); };
    SetBounds(Left(), Top(), 180, 180);
    FBKGCache->SetSize(ClientWidth(), ClientHeight());
}

TKvWatch::~TKvWatch()
{
    FAnimationTimer->SetEnabled(false);
    FWatchTimer->SetEnabled(false);
    FAppearance->OnChange = nullptr;
    FSettings->OnChange = nullptr;
}

bool TKvWatch::Inert() const
{
    return IsLoading() || IsDesigning();
}

// ---------------------------------------------------------------- time

TDateTime TKvWatch::GetCurrentTime() const
{
    if (FSettings->Auto())
        return Now() + FSettings->TimeOffset() / MinsPerDay;
    return FTime;
}

void TKvWatch::ApplyTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    FTime = Value;
    const bool saved = FInternalSet;
    FInternalSet = true;
    SetAM(SplitTime(Value).H < 12);
    FInternalSet = saved;
}

void TKvWatch::SetTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    ApplyTime(Value);
    RepaintHands();
}

void TKvWatch::SetHour(int Value)
{
    const THMS t = SplitTime(GetCurrentTime());
    if (Value == t.H)
        return;
    if (!FAnimation || FInternalCall || Inert()) {
        TDateTime v = 0;
        if (!TryEncodeTime(Value, t.M, t.S, t.MS, v))
            throw EConvertError(QStringLiteral("Invalid argument to time encode"));
        ApplyTime(v);
        RepaintHands();
        const bool midway = FAnimationTimer->Enabled() && FHourAnimating && Value != FCurrentHourTo;
        if (!midway && OnChange)
            OnChange(this);
        return;
    }
    FCurrentHourTo = Value;
    FHourAnimating = true;
    FAnimationTimer->SetEnabled(true);
}

void TKvWatch::SetMinute(int Value)
{
    if (Value >= 60 || Value < 0)
        throw Exception(QStringLiteral("Invalid time"));
    const THMS t = SplitTime(GetCurrentTime());
    if (Value == t.M)
        return;
    if (FAnimation && !FInternalCall && !Inert()) {
        FCurrentMinuteTo = Value;
        FHourAnimating = false;
        FMinuteFrom = t.M;
        FAnimationTimer->SetEnabled(true);
        return;
    }
    if (!FAnimation)
        FMinuteFrom = t.M;
    int hour = t.H;
    // A forward pass over the top of the dial carries into the hour; going back does not.
    if (Value == 0 && FMinuteFrom > 30) {
        hour = (hour + 1) % 24;
        FMinuteFrom = 0;
    }
    ApplyTime(EncodeTime(hour, Value, t.S, t.MS));
    RepaintHands();
    const bool midway = FAnimationTimer->Enabled() && !FHourAnimating && Value != FCurrentMinuteTo;
    if (!midway && OnChange)
        OnChange(this);
}

void TKvWatch::AnimationStep()
{
    if (!FAnimation || Inert())
        return;
    // A factor below 1 would divide by zero or run away; it counts as 1.
    const double factor = std::max(1, FAnimationFactor);
    const THMS t = SplitTime(GetCurrentTime());
    if (FHourAnimating) {
        const int target = FCurrentHourTo;
        if (t.H == target) {
            Internally([&] { SetHour(target); });
            FAnimationTimer->SetEnabled(false);
            return;
        }
        const int step = std::max(1, Near(std::abs(target - t.H) / factor));
        const int h = t.H < target ? t.H + step : t.H - step;
        Internally([&] { SetHour(h); });
        return;
    }
    const int target = FCurrentMinuteTo;
    if (t.M == target) {
        Internally([&] { SetMinute(target); });
        FAnimationTimer->SetEnabled(false);
        return;
    }
    const bool overTheTop = target == 0 && t.M > 30;
    const int distance = overTheTop ? 60 - t.M : std::abs(target - t.M);
    const int step = std::max(1, Near(distance / factor));
    int m = (t.M > target && !overTheTop) ? t.M - step : t.M + step;
    if (m >= 60)
        m = 0;
    Internally([&] { SetMinute(m); });
}

void TKvWatch::HandleKey(WORD Key)
{
    if (FSettings->Auto())
        return;
    const THMS t = SplitTime(GetCurrentTime());
    switch (Key) {
    case 65:
    case 97:
        if (t.H >= 12)
            SetHour(t.H - 12);
        break;
    case 80:
    case 112:
        if (t.H < 12)
            SetHour(t.H + 12);
        break;
    case VK_PRIOR:
        if (t.H < 23)
            SetHour(t.H + 1);
        else
            Internally([&] { SetHour(0); });
        break;
    case VK_NEXT:
        if (t.H > 0)
            SetHour(t.H - 1);
        else
            Internally([&] { SetHour(23); });
        break;
    case VK_HOME:
        Internally([&] { SetHour(12); });
        break;
    case VK_END:
        SetMinute(0);
        break;
    case VK_LEFT:
        if (t.M > 0)
            SetMinute(t.M - 1);
        else
            SetTime(EncodeTime(t.H == 0 ? 23 : t.H - 1, 59, t.S, t.MS));
        break;
    case VK_RIGHT:
        if (t.M < 59)
            SetMinute(t.M + 1);
        else
            SetMinute(0);
        break;
    default:
        break;
    }
}

void TKvWatch::SettingsChanged()
{
    const bool live = FSettings->Auto();
    FWatchTimer->SetEnabled(live);
    if (live) {
        SetTime(GetCurrentTime());
        const bool saved = FInternalSet;
        FInternalSet = true;
        SetAM(SplitTime(GetCurrentTime()).H < 12);
        FInternalSet = saved;
    }
    Invalidate();
}

void TKvWatch::LiveTick()
{
    RepaintHands();
}

// ---------------------------------------------------------------- properties

void TKvWatch::SetShowAMPM(bool Value)
{
    if (FShowAMPM != Value) {
        FShowAMPM = Value;
        FCacheValid = false;
        Invalidate();
    }
}

void TKvWatch::SetShowNumbers(bool Value)
{
    if (FShowNumbers != Value) {
        FShowNumbers = Value;
        FCacheValid = false;
        Invalidate();
    }
}

void TKvWatch::SetStyle(TWatchStyle Value)
{
    if (Value == FStyle || int(Value) < int(wsClassic) || int(Value) > int(wsSmooth))
        return;
    FStyle = Value;
    const TWatchStyleExtras extras = ApplyWatchStyle(*FAppearance, Value, Width(), Height());
    if (extras.Animation >= 0)
        SetAnimation(extras.Animation != 0);
    if (extras.AnimationFactor >= 0)
        SetAnimationFactor(extras.AnimationFactor);
    if (extras.ShowAMPM >= 0)
        SetShowAMPM(extras.ShowAMPM != 0);
    if (extras.ShowNumbers >= 0)
        SetShowNumbers(extras.ShowNumbers != 0);
    FCacheValid = false;
    Invalidate();
}

void TKvWatch::SetComponentStyle(TQRVStyle AStyle)
{
    ApplyWatchColorScheme(*FAppearance, AStyle);
    FCacheValid = false;
    Invalidate();
}

// ---------------------------------------------------------------- geometry

TRect TKvWatch::WatchRect() const
{
    const int w = ClientWidth(), h = ClientHeight();
    int s = FAppearance->Size();
    if (s <= 0)
        s = std::min(w, h) - 20;
    else
        s = std::min({s, w, h});
    const int left = (w - s) / 2, top = (h - s) / 2;
    return TRect(left, top, left + s, top + s);
}

TPoint TKvWatch::Center() const
{
    const TRect w = WatchRect();
    return TPoint(w.Left + (w.Right - w.Left) / 2, w.Top + (w.Bottom - w.Top) / 2);
}

double TKvWatch::Radius() const
{
    const TRect w = WatchRect();
    return double((w.Right - w.Left) / 2);
}

TPoint TKvWatch::PointAt(double Distance, double Degrees) const
{
    const TPoint c = Center();
    return TPoint(Near(c.X + Distance * std::sin(Rad(Degrees))), Near(c.Y - Distance * std::cos(Rad(Degrees))));
}

int TKvWatch::MinuteAtPos(int X, int Y) const
{
    const TPoint c = Center();
    const int dy = std::max(1, std::abs(c.Y - Y));
    const int dx = std::max(1, std::abs(c.X - X));
    const double a = std::atan(double(dy) / dx) * 180.0 / std::numbers::pi;
    const int f = Near(a / 6);
    int m;
    if (X >= c.X && Y >= c.Y)
        m = 15 + f;
    else if (X <= c.X && Y >= c.Y)
        m = 45 - f;
    else if (X <= c.X && Y <= c.Y)
        m = 45 + f;
    else
        m = 15 - f;
    return (m < 0 || m > 59) ? 0 : m;
}

int TKvWatch::HourAtPos(int X, int Y) const
{
    const int c = Near(MinuteAtPos(X, Y) / 5.0);
    if (c == 0 || c == 12)
        return FAM ? 0 : 12;
    return FAM ? c : c + 12;
}

bool TKvWatch::InsideFace(int X, int Y) const
{
    const TRect w = WatchRect();
    const double rx = w.Width() / 2.0, ry = w.Height() / 2.0;
    if (rx <= 0 || ry <= 0)
        return false;
    const double nx = (X - (w.Left + rx)) / rx, ny = (Y - (w.Top + ry)) / ry;
    return nx * nx + ny * ny <= 1.0;
}

TRect TKvWatch::AMPMRect(TCanvas* Canvas)
{
    if (!FShowAMPM)
        return TRect(-1, -1, -1, -1);
    TCanvas* c = Canvas ? Canvas : FBKGCache->Canvas();
    c->Font()->Assign(*FAppearance->AMPMFont());
    const int w = c->TextWidth(QStringLiteral("AM")) + 8;
    const int h = c->TextHeight(QStringLiteral("AM"));
    const TPoint ctr = Center();
    const int left = ctr.X - w / 2;
    const int top = ctr.Y + Near((Radius() - h) / 3);
    return TRect(left, top, left + w, top + h);
}

// ---------------------------------------------------------------- input

void TKvWatch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FSettings->Auto())
        return;
    if (!InsideFace(X, Y)) {
        SetMinute(MinuteAtPos(X, Y));
        return;
    }
    if (FShowAMPM && AMPMRect().Contains(TPoint(X, Y))) {
        if (FAnimation)
            SetAM(!FAM);
        const int h = SplitTime(GetCurrentTime()).H;
        FCurrentHourTo = h < 12 ? h + 12 : h - 12;
        const int target = FCurrentHourTo;
        Internally([&] { SetHour(target); });
        return;
    }
    SetHour(HourAtPos(X, Y));
}

void TKvWatch::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = TabStop() ? DLGC_WANTARROWS | DLGC_WANTALLKEYS : 0;
        return;
    case WM_SETCURSOR: {
        TCustomControl::WndProc(Message);
        if (IsDesigning())
            return;
        const TPoint p = ScreenToClient(Mouse->CursorPos());
        SetCurrentCursor(AMPMRect().Contains(p) ? crHandPoint : crDefault);
        Message.Result = 1;
        return;
    }
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

// ---------------------------------------------------------------- AM/PM

void TKvWatch::SetAM(bool Value)
{
    if (Value == FAM)
        return;
    FAM = Value;
    if (FAnimation && FShowAMPM && FAppearance->AMPMColor() != clNone && !FInternalSet && FCacheValid)
        RollAMPM(Value);
    Invalidate();
}

void TKvWatch::DrawAMPMFrame(TCanvas* C, const TRect& Box)
{
    const TColor fill = FAppearance->AMPMColor();
    const TColor border = FAppearance->AMPMBorderColor();
    if (fill == clNone && border == clNone)
        return;
    if (fill == clNone) {
        C->Brush()->SetStyle(bsClear);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(fill);
    }
    if (border == clNone)
        C->Pen()->SetStyle(psClear);
    else
        SetPen(C, border, 1);
    if (FAppearance->AMPMFrame() == apRoundRect)
        C->RoundRect(Box.Left, Box.Top, Box.Right, Box.Bottom, 5, 5);
    else
        C->Rectangle(Box);
    C->Pen()->SetStyle(psSolid);
}

void TKvWatch::RollAMPM(bool ToAM)
{
    const TRect box = AMPMRect();
    TRect inner = box;
    InflateRect(inner, -1, -1);
    const int ih = inner.Height(), iw = inner.Width();
    if (ih <= 0 || iw <= 0)
        return;
    // "AM" over "PM" on the box colour; the strip slides one row per step.
    TBitmap strip(iw, 2 * ih);
    TCanvas* sc = strip.Canvas();
    sc->Brush()->SetStyle(bsSolid);
    sc->Brush()->SetColor(FAppearance->AMPMColor());
    sc->FillRect(TRect(0, 0, iw, 2 * ih));
    sc->Font()->Assign(*FAppearance->AMPMFont());
    sc->Brush()->SetStyle(bsClear);
    TRect top(0, 0, iw, ih), bottom(0, ih, iw, 2 * ih);
    DrawText(sc, QStringLiteral("AM"), top, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    DrawText(sc, QStringLiteral("PM"), bottom, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    sc->ReleasePainter();
    for (int step = 1; step <= ih; ++step) {
        const int offset = ToAM ? ih - step : step;
        TBitmap frame;
        frame.Assign(*FBKGCache);
        TCanvas* fc = frame.Canvas();
        DrawAMPMFrame(fc, box);
        fc->CopyRect(inner, sc, TRect(0, offset, iw, offset + ih));
        DrawHands(fc);
        fc->ReleasePainter();
        Canvas()->Draw(0, 0, &frame);
        Canvas()->ReleasePainter();
        if (Showing())
            QWidget::repaint();
        Sleep(10);
    }
}

// ---------------------------------------------------------------- painting

void TKvWatch::Paint()
{
    TCustomControl::Paint();
    const int w = ClientWidth(), h = ClientHeight();
    FBKGCache->SetSize(w, h);
    FBKGCache->Canvas()->CopyRect(TRect(0, 0, w, h), Canvas(), TRect(0, 0, w, h));
    DrawFace(FBKGCache->Canvas());
    FBKGCache->Canvas()->ReleasePainter();
    FCacheValid = true;
    Canvas()->Draw(0, 0, FBKGCache.get());
    DrawHands(Canvas());
}

void TKvWatch::RepaintHands()
{
    if (!FCacheValid || FBKGCache->Width() != ClientWidth() || FBKGCache->Height() != ClientHeight()) {
        Invalidate();
        return;
    }
    TBitmap frame;
    frame.Assign(*FBKGCache);
    DrawHands(frame.Canvas());
    frame.Canvas()->ReleasePainter();
    Canvas()->Draw(0, 0, &frame);
    Canvas()->ReleasePainter();
}

void TKvWatch::DrawFace(TCanvas* C)
{
    DrawBackground(C);
    DrawMarks(C);
    DrawNumbers(C);
    DrawAMPM(C);
}

void TKvWatch::DrawBackground(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    const TRect w = WatchRect();
    const TRect client(0, 0, ClientWidth(), ClientHeight());
    const TRect face = a.Shape() == wsCircle ? w : client;
    if (a.Shape() == wsCircle)
        C->SelectClipRegion(CreateEllipticRgn(face.Left - 1, face.Top - 1, face.Right + 2, face.Bottom + 2));
    else if (a.Shape() == wsRoundRect)
        C->SelectClipRegion(
            CreateRoundRectRgn(face.Left - 1, face.Top - 1, face.Right + 2, face.Bottom + 2, 20, 20));
    if (a.BackgroundColor() != clNone && a.BackgroundColorTo() != clNone) {
        DrawGradient(C, a.BackgroundColor(), a.BackgroundColorTo(), 80, face, a.BackgroundGradient() == wgRadial);
    } else if (a.BackgroundColor() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(a.BackgroundColor());
        C->FillRect(face);
    }
    if (a.BorderColor() != clNone && a.BorderWidth() > 0) {
        SetPen(C, a.BorderColor(), a.BorderWidth());
        C->Brush()->SetStyle(bsClear);
        if (a.Shape() == wsCircle)
            C->Ellipse(w);
        else if (a.Shape() == wsRect)
            C->Rectangle(client);
        else
            C->RoundRect(client.Left, client.Top, client.Right, client.Bottom, 20, 20);
    }
    C->RemoveClip();
    const TPicture* picture = a.Picture();
    if (picture->Graphic() && !picture->Graphic()->Empty()) {
        // Through a bitmap of the client's size whose bottom-left colour shows the face.
        TBitmap stretched(client.Width(), client.Height());
        stretched.Canvas()->StretchDraw(client, picture->Graphic());
        stretched.Canvas()->ReleasePainter();
        stretched.SetTransparentMode(tmAuto);
        stretched.SetTransparent(true);
        C->Draw(0, 0, &stretched);
    }
}

void TKvWatch::DrawMarks(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    if (a.TickMarks() == tmNone)
        return;
    const double ro = Radius() - a.BorderWidth() / 2;
    auto mark = [&](double Inner, double Degrees, int Dx, int Dy) {
        TPoint p1 = PointAt(Inner, Degrees), p2 = PointAt(ro, Degrees);
        C->MoveTo(p1.X + Dx, p1.Y + Dy);
        C->LineTo(p2.X + Dx, p2.Y + Dy);
    };
    const double hourInner = a.HourMarkLength() != 0 ? ro - a.HourMarkLength() : 0.9 * ro;
    SetPen(C, a.HourColor(), a.HourMarkWidth());
    for (int q = 0; q < 4; ++q) {
        const double deg = 90.0 * q;
        if (a.HourMarkStyle() == hmsQuartDblLine) {
            // 12 and 6 o'clock doubled side by side, 3 and 9 o'clock one above the other.
            const bool vertical = q % 2 == 0;
            mark(hourInner, deg, vertical ? -2 : 0, vertical ? 0 : -2);
            mark(hourInner, deg, vertical ? 2 : 0, vertical ? 0 : 2);
        } else {
            mark(hourInner, deg, 0, 0);
        }
    }
    if (a.TickMarks() == tmAll || a.TickMarks() == tmHours) {
        for (int i = 1; i < 12; ++i) {
            if (i % 3 != 0)
                mark(hourInner, 30.0 * i, 0, 0);
        }
    }
    if (a.TickMarks() == tmAll) {
        const double minuteInner = a.MinuteMarkLength() != 0 ? ro - a.MinuteMarkLength() : 0.95 * ro;
        SetPen(C, a.MinuteColor(), a.MinuteMarkWidth());
        for (int i = 0; i < 60; ++i) {
            if (i % 5 != 0)
                mark(minuteInner, 6.0 * i, 0, 0);
        }
    }
}

void TKvWatch::DrawNumbers(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    if (!FShowNumbers || a.TickMarks() == tmNone || a.TickMarks() == tmHours)
        return;
    const double ro = Radius() - a.BorderWidth() / 2;
    const int l = a.HourMarkLength() != 0 ? a.HourMarkLength() : Near(ro - 0.9 * ro) + 2;
    C->Font()->Assign(*a.HourFont());
    C->Brush()->SetStyle(bsClear);
    const TPoint c = Center();
    for (int i = 1; i <= 12; ++i) {
        if (a.TickMarks() == tmQuartHours && i % 3 != 0)
            continue;
        const QString text = QString::number(i);
        const int th = C->TextHeight(text), tw = C->TextWidth(text);
        const int k = i == 10 ? Near(th * 0.2) : i == 11 ? Near(th * 0.15) : 0;
        const double rho = ro - 2 * l - 2 - k + l / 2;
        const double deg = 30.0 * i;
        const int cx = c.X + 1 + Near(rho * std::sin(Rad(deg)));
        const int cy = c.Y + 1 - Near(rho * std::cos(Rad(deg)));
        C->TextOut(cx - tw / 2 - 1, cy - th / 2 - 1, text);
    }
}

void TKvWatch::DrawAMPM(TCanvas* C)
{
    if (!FShowAMPM)
        return;
    const TRect box = AMPMRect(C);
    DrawAMPMFrame(C, box);
    C->Font()->Assign(*FAppearance->AMPMFont());
    C->Brush()->SetStyle(bsClear);
    TRect r = box;
    DrawText(C, FAM ? QStringLiteral("AM") : QStringLiteral("PM"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TKvWatch::DrawHands(TCanvas* C)
{
    const TWatchAppearance& a = *FAppearance;
    const TDateTime now = GetCurrentTime();
    const THMS t = SplitTime(now);
    const bool live = FSettings->Auto();
    if (live) {
        const bool saved = FInternalSet;
        FInternalSet = true;
        SetAM(t.H < 12);
        FInternalSet = saved;
        FOldHour = t.H;
        FOldMinute = t.M;
        FOldSecond = t.S;
    }
    const double r = Radius();
    const double hourDeg = 30.0 * (t.H % 12) + t.M / 2.0;
    const double minuteDeg = 6.0 * t.M;
    const double secondDeg = 6.0 * t.S;
    auto line = [&](double From, double To, double Deg, TColor Color, int Width, int Dx, int Dy) {
        SetPen(C, Color, Width);
        const TPoint p1 = PointAt(From * r, Deg + 180.0), p2 = PointAt(To * r, Deg);
        C->MoveTo(p1.X + Dx, p1.Y + Dy);
        C->LineTo(p2.X + Dx, p2.Y + Dy);
    };
    auto pointer = [&](double Tip, double Deg, TColor Color, int Dx, int Dy) {
        SetPen(C, Color, 1);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color);
        std::vector<TPoint> pts = {PointAt(0.1 * r, Deg + 180.0), PointAt(0.05 * r, Deg + 90.0),
                                   PointAt(Tip * r, Deg), PointAt(0.05 * r, Deg - 90.0)};
        for (TPoint& p : pts) {
            p.X += Dx;
            p.Y += Dy;
        }
        C->Polygon(pts);
    };
    if (a.PointerStyle() == psLine) {
        if (a.HourPointerShadow() != clNone)
            line(0.1, 0.46, hourDeg, a.HourPointerShadow(), a.HourPointerSize(), -1, 3);
        if (a.MinutePointerShadow() != clNone)
            line(0.1, 0.65, minuteDeg, a.MinutePointerShadow(), a.MinutePointerSize(), 0, 3);
        line(0.1, 0.5, hourDeg, a.HourPointer(), a.HourPointerSize(), 0, 0);
        line(0.1, 0.7, minuteDeg, a.MinutePointer(), a.MinutePointerSize(), 0, 0);
    } else if (a.PointerStyle() == psPointer) {
        if (a.HourPointerShadow() != clNone)
            pointer(0.5, hourDeg, a.HourPointerShadow(), 1, 3);
        pointer(0.5, hourDeg, a.HourPointer(), 0, 0);
        if (a.MinutePointerShadow() != clNone)
            pointer(0.7, minuteDeg, a.MinutePointerShadow(), 1, 3);
        pointer(0.7, minuteDeg, a.MinutePointer(), 0, 0);
    }
    if ((a.PointerStyle() == psLine || a.PointerStyle() == psPointer) && live && FSettings->Second())
        line(0.2, 0.9, secondDeg, a.SecondPointer(), a.SecondPointerSize(), 0, 0);

    const int s = a.CenterPointSize();
    if (s <= 0)
        return;
    const TPoint c = Center();
    const TRect dot(c.X - s / 2, c.Y - s / 2, c.X - s / 2 + s, c.Y - s / 2 + s);
    if (a.CenterPointColor() != clNone) {
        SetPen(C, a.CenterPointColor(), 1);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(a.CenterPointColor());
        C->Ellipse(dot);
    }
    int outer = 0;
    if (a.CenterPointOuterBorderColor() != clNone) {
        outer = Near(0.2 * s);
        SetPen(C, a.CenterPointOuterBorderColor(), outer);
        C->Brush()->SetStyle(bsClear);
        C->Ellipse(dot);
    }
    if (a.CenterPointBorderColor() != clNone) {
        const int d = s - outer;
        SetPen(C, a.CenterPointBorderColor(), Near(0.1 * s));
        C->Brush()->SetStyle(bsClear);
        C->Ellipse(TRect(c.X - d / 2, c.Y - d / 2, c.X - d / 2 + d, c.Y - d / 2 + d));
    }
}

#include "grid_input/ksg_combo_look.h"

#include "grid/theme_services.h"
#include "platform/ui/drawing.h"

#include <QPainter>

TFlatLookLayer::TFlatLookLayer(QWidget* Host, TPaint Paint) : QWidget(Host), FPaint(std::move(Paint))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    FitHost();
    show();
}

void TFlatLookLayer::FitHost()
{
    setGeometry(0, 0, parentWidget()->width(), parentWidget()->height());
    raise();
}

void TFlatLookLayer::paintEvent(QPaintEvent*)
{
    QImage img(size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        TCanvas c(&img);
        TControl::Guard([&] { FPaint(&c); });
    }
    QPainter p(this);
    p.drawImage(0, 0, img);
}

void FlatFrame(TCanvas* c, const TRect& R, TColor Color)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color);
    c->FrameRect(R);
}

TRect ShrunkRect(const TRect& R, int N) { return TRect(R.Left + N, R.Top + N, R.Right - N, R.Bottom - N); }

void DrawFlatRings(TCanvas* c, TRect& R, bool FocusLook, TColor Outer, TColor Inner, int ButtonWidth)
{
    if (FocusLook) {
        DrawEdge(c, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FlatFrame(c, R, Outer);
        R = ShrunkRect(R, 1);
        FlatFrame(c, R, Inner);
        return;
    }
    FlatFrame(c, R, Outer);
    R = ShrunkRect(R, 1);
    R.Right -= ButtonWidth;
    FlatFrame(c, R, Outer);
    R = ShrunkRect(R, 1);
    FlatFrame(c, R, Inner);
    R.Right += ButtonWidth;
}

void DrawDropArrow(TCanvas* c, int X, int Y, TColor Color)
{
    if (Color == clNone) return;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color);
    c->Pen()->SetColor(Color);
    c->Polygon({{X, Y}, {X + 6, Y}, {X + 3, Y + 3}});
}

void DrawThemedDropButton(TControl* Control, TCanvas* c, const TRect& R, bool Enabled, bool Down, bool Dropped,
                          bool Hover)
{
    HTHEME theme = OpenThemeData(Control, QStringLiteral("combobox"));
    if (!theme) return;
    const int state = !Enabled ? 4 : Down && Dropped ? 3 : !Down && Hover && !Dropped ? 2 : 1;
    DrawThemeBackground(theme, c, 1, state, R);
    CloseThemeData(theme);
}

void FillFlatButtonAtRest(TCanvas* c, TRect& R)
{
    R.Top += 1;
    R.Bottom -= 1;
    R.Right -= 1;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(R);
}

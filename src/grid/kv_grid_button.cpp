#include "grid/kv_flat_controls.h"

#include "grid/theme_services.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"
#include "platform/ui/menus.h"

#include <QtGui/QPainter>
#include <cmath>

namespace {
TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

// Round half to even, as the band colours and offsets are rounded.
int RoundEven(double v) { return int(std::nearbyint(v)); }

struct TLookPreset {
    TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
    bool Rounded;
};

constexpr TColor kBtnFace = TColor(0xFF00000F);
const TLookPreset kLooks[7] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE, true},
    {kBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31, false},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000, false},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000, false},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000, false},
    {kBtnFace, clNone, kBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone, false},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080, false},
};

// Draws Bmp with its bottom-left colour transparent.
void DrawTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Bmp)
{
    if (!Bmp || Bmp->Width() == 0 || Bmp->Height() == 0) return;
    const QImage& src = Bmp->Image();
    const QRgb key = src.pixel(0, src.height() - 1) | 0xFF000000u;
    QImage masked = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] | 0xFF000000u) == key) line[x] = 0;
    }
    TBitmap tmp;
    tmp.SetImage(masked);
    tmp.SetPixelFormat(pf32bit);
    tmp.SetImage(masked);
    Canvas->Draw(X, Y, &tmp);
}

bool IsEmpty(const std::unique_ptr<TBitmap>& B) { return !B || B->Width() == 0 || B->Height() == 0; }
} // namespace

void DrawFramedGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor FrameColor, int Steps,
                        const TRect& R, bool Horizontal)
{
    if (Steps <= 0) Steps = 1;
    const TColor a = ColorToRGB(FromColor), b = ColorToRGB(ToColor);
    const int r1 = a & 0xFF, g1 = (a >> 8) & 0xFF, b1 = (a >> 16) & 0xFF;
    const double dr = ((b & 0xFF) - r1) / double(Steps), dg = (((b >> 8) & 0xFF) - g1) / double(Steps),
                 db = (((b >> 16) & 0xFF) - b1) / double(Steps);
    const double band = (Horizontal ? R.Width() : R.Height()) / double(Steps);
    for (int i = 0; i < Steps; ++i) {
        const TColor c = Rgb(r1 + RoundEven(i * dr), g1 + RoundEven(i * dg), b1 + RoundEven(i * db));
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        Canvas->Brush()->SetStyle(bsSolid);
        const int off = RoundEven(i * band) % 65536, len = RoundEven(band) + 1;
        if (Horizontal)
            Canvas->Rectangle(R.Left + off, R.Top, R.Left + off + len, R.Bottom);
        else
            Canvas->Rectangle(R.Left, R.Top + off, R.Right, R.Top + off + len);
    }
    if (FrameColor != clNone) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetColor(FrameColor);
        Canvas->Rectangle(R);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

void LayoutGlyphAndCaption(const TRect& Client, const TPoint& Offset, TPoint GlyphSize, TPoint CaptionSize,
                           TButtonLayout Layout, int Margin, int Spacing, bool RightToLeft, TPoint& GlyphPos,
                           TRect& TextBounds)
{
    if (RightToLeft) {
        if (Layout == blGlyphLeft) Layout = blGlyphRight;
        else if (Layout == blGlyphRight) Layout = blGlyphLeft;
    }
    const int cw = Client.Width(), ch = Client.Height();
    TPoint textPos;
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    if (horizontal) {
        GlyphPos.Y = (ch - GlyphSize.Y + 1) / 2;
        textPos.Y = (ch - CaptionSize.Y + 1) / 2;
    } else {
        GlyphPos.X = (cw - GlyphSize.X + 1) / 2;
        textPos.X = (cw - CaptionSize.X + 1) / 2;
    }
    if (CaptionSize.X == 0 || GlyphSize.X == 0) Spacing = 0;
    const int length = horizontal ? cw : ch;
    const int glyphLen = horizontal ? GlyphSize.X : GlyphSize.Y;
    const int textLen = horizontal ? CaptionSize.X : CaptionSize.Y;
    if (Margin == -1 && Spacing == -1) {
        Margin = (length - glyphLen - textLen) / 3;
        Spacing = Margin;
    } else if (Margin == -1) {
        Margin = (length - glyphLen - Spacing - textLen + 1) / 2;
    } else if (Spacing == -1) {
        Spacing = (length - Margin - glyphLen - textLen) / 2;
    }
    switch (Layout) {
    case blGlyphLeft:
        GlyphPos.X = Margin;
        textPos.X = Margin + GlyphSize.X + Spacing;
        break;
    case blGlyphRight:
        GlyphPos.X = cw - Margin - GlyphSize.X;
        textPos.X = GlyphPos.X - Spacing - CaptionSize.X;
        break;
    case blGlyphTop:
        GlyphPos.Y = Margin;
        textPos.Y = Margin + GlyphSize.Y + Spacing;
        break;
    case blGlyphBottom:
        GlyphPos.Y = ch - Margin - GlyphSize.Y;
        textPos.Y = GlyphPos.Y - Spacing - CaptionSize.Y;
        break;
    }
    const int dx = Client.Left + Offset.X, dy = Client.Top + Offset.Y;
    GlyphPos = TPoint(GlyphPos.X + dx, GlyphPos.Y + dy);
    TextBounds = TRect(textPos.X + dx, textPos.Y + dy, textPos.X + dx + CaptionSize.X, textPos.Y + dy + CaptionSize.Y);
}

bool IsCaptionAccel(QChar Ch, const QString& Caption)
{
    for (int i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != QLatin1Char('&')) continue;
        if (Caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return Caption[i + 1].toUpper() == Ch.toUpper();
    }
    return false;
}

int GetXPColorScheme()
{
    if (!IsWinXPOrLater() || !IsThemeActive()) return 0;
    QString file, color, size;
    if (!GetCurrentThemeName(file, color, size)) return 0;
    if (color == QLatin1String("NormalColor")) return 1;
    if (color == QLatin1String("HomeStead")) return 2;
    if (color == QLatin1String("Metallic")) return 3;
    return 0;
}

// ---- TKvGridButton ----

TKvGridButton::TKvGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), TControlActionClient(this), FIsComCtl6(IsComCtl6OrLater())
{
    SetBounds(0, 0, 23, 22);
    SetParentFont(true);
    // Clicks are raised by the release handling, not by the platform.
    FControlStyle = (FControlStyle | csCaptureMouse | csDoubleClicks) & ~csClickEvents;
    FGlyph = std::make_unique<TBitmap>();
    FGlyphHot = std::make_unique<TBitmap>();
    FGlyphDown = std::make_unique<TBitmap>();
    FGlyphDisabled = std::make_unique<TBitmap>();
    FGlyphShade = std::make_unique<TBitmap>();
}

TKvGridButton::~TKvGridButton() = default;

void TKvGridButton::SetLayout(TButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TKvGridButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TKvGridButton::SetMargin(int Value)
{
    if (FMargin == Value || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TKvGridButton::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TKvGridButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TKvGridButton::SetGlyph(const TBitmap* Value)
{
    if (Value) FGlyph->Assign(*Value);
    else FGlyph = std::make_unique<TBitmap>();
    if (IsEmpty(FGlyphDisabled) && !IsEmpty(FGlyph)) {
        // The disabled picture: a light grey copy.
        QImage img = FGlyph->Image().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const int g = ((qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3) / 2 + 96;
                line[x] = qRgb(g, g, g);
            }
        }
        FGlyphDisabled->SetImage(img);
    }
    if (FShaded) BuildShadeGlyph();
    Invalidate();
}

void TKvGridButton::SetGlyphHot(const TBitmap* Value)
{
    if (Value) FGlyphHot->Assign(*Value);
    else FGlyphHot = std::make_unique<TBitmap>();
}

void TKvGridButton::SetGlyphDown(const TBitmap* Value)
{
    if (Value) FGlyphDown->Assign(*Value);
    else FGlyphDown = std::make_unique<TBitmap>();
}

void TKvGridButton::SetGlyphDisabled(const TBitmap* Value)
{
    if (Value) FGlyphDisabled->Assign(*Value);
    else FGlyphDisabled = std::make_unique<TBitmap>();
}

void TKvGridButton::SetShaded(bool Value)
{
    FShaded = Value;
    if (Value && !IsLoading()) BuildShadeGlyph();
    Invalidate();
}

void TKvGridButton::BuildShadeGlyph()
{
    if (IsEmpty(FGlyph)) return;
    // A grey silhouette of the glyph on its transparent colour.
    const QImage src = FGlyph->Image().convertToFormat(QImage::Format_RGB32);
    const QRgb key = src.pixel(0, src.height() - 1);
    QImage shade(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(shade.scanLine(y));
        for (int x = 0; x < src.width(); ++x) out[x] = in[x] == key ? key : qRgb(0x80, 0x80, 0x80);
    }
    FGlyphShade->SetImage(shade);
}

void TKvGridButton::SetDropDownMenu(TPopupMenu* Value)
{
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TKvGridButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TKvGridButton::SetLook(int Value)
{
    if (Value < 0 || Value > 6) return;
    const TLookPreset& p = kLooks[Value];
    SetColor(p.Color);
    FColorTo = p.ColorTo;
    FColorHot = p.Hot;
    FColorHotTo = p.HotTo;
    FColorDown = p.Down;
    FColorDownTo = p.DownTo;
    FColorChecked = p.Checked;
    FColorCheckedTo = p.CheckedTo;
    FBorderDownColor = p.BorderDown;
    FBorderHotColor = p.BorderHot;
    FBorderColor = clNone;
    FRounded = p.Rounded;
    FFlat = true;
    FLook = Value;
    Invalidate();
}

void TKvGridButton::ApplyThemeLook()
{
    switch (GetXPColorScheme()) {
    case 1: SetLook(2); break;
    case 2: SetLook(3); break;
    case 3: SetLook(4); break;
    default: SetLook(1); break;
    }
}

void TKvGridButton::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    if (Value) ApplyThemeLook();
}

void TKvGridButton::Loaded()
{
    TGraphicControl::Loaded();
    if (FShaded) BuildShadeGlyph();
    if (FAutoThemeAdapt) ApplyThemeLook();
}

void TKvGridButton::UpdateExclusive()
{
    TWinControl* p = Parent();
    if (FGroupIndex == 0 || !p) return;
    for (int i = 0; i < p->ControlCount(); ++i)
        p->Controls(i)->Perform(CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(this));
}

void TKvGridButton::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TKvGridButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TKvGridButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Repaint();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp)) return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Invalidate();
    }
}

void TKvGridButton::Click()
{
    TGraphicControl::Click();
    ExecuteAction();
}

std::unique_ptr<TControlActionLink> TKvGridButton::CreateActionLink()
{
    return std::make_unique<TKvGridButtonActionLink>(this);
}

// ---- TKvGridButtonActionLink ----

bool TKvGridButtonActionLink::IsCheckedLinked() const
{
    return TControlActionLink::IsCheckedLinked() && FButton->GroupIndex() != 0 && FButton->AllowAllUp() &&
           FButton->Down() == TheAction()->Checked();
}

bool TKvGridButtonActionLink::IsGroupIndexLinked() const
{
    return TheAction() && FButton->GroupIndex() == TheAction()->GroupIndex();
}

void TKvGridButtonActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked()) FButton->SetDown(Value);
}

void TKvGridButtonActionLink::SetGroupIndex(int Value)
{
    if (IsGroupIndexLinked()) FButton->SetGroupIndex(Value);
}

void TKvGridButton::DblClick()
{
    // A double click counts only on a latched button.
    if (FDown) TGraphicControl::DblClick();
}

void TKvGridButton::HandleMouseEnter()
{
    if (FEnabled && !FDragging && !MouseCapture()) {
        FMouseInControl = true;
        Invalidate();
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TKvGridButton::HandleMouseLeave()
{
    if (FEnabled && !FDragging) {
        FMouseInControl = false;
        Invalidate();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TKvGridButton::UpdateTracking()
{
    if (!FFlat || !FEnabled) return;
    if (FindDragTarget(Mouse->CursorPos(), false) == this) {
        FMouseInControl = false;
        HandleMouseEnter();
    } else {
        FMouseInControl = true;
        HandleMouseLeave();
    }
}

void TKvGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !FEnabled) return;
    if (FDropDownButton && X > ClientWidth() - 12) {
        FState = bsUp;
        Invalidate();
        if (OnDropDown) OnDropDown(this);
        if (FDropDownMenu && Parent()) {
            const TPoint p = Parent()->ClientToScreen(TPoint(Left(), Top() + Height()));
            FDropDownMenu->Popup(p.X, p.Y);
        }
        return;
    }
    if (!FDown || FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TKvGridButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TButtonState s;
        if (!IsInside(X, Y)) s = FDown ? bsExclusive : bsUp;
        else s = FDown ? bsExclusive : bsDown;
        if (FStyle == tasCheck && FDown) s = bsDown;
        if (s != FState) {
            FState = s;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TKvGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    const bool inside = IsInside(X, Y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        if (inside && FStyle == tasCheck) {
            FDown = !FDown;
            FState = bsUp;
        }
        if (inside) Invalidate();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Invalidate();
    }
    if (inside) Click();
    UpdateTracking();
}

void TKvGridButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
        TGraphicControl::WndProc(m);
        FMouseInControl = false;
        HandleMouseEnter();
        return;
    case CM_MOUSELEAVE:
        TGraphicControl::WndProc(m);
        HandleMouseLeave();
        return;
    case CM_BUTTONPRESSED: {
        auto* sender = reinterpret_cast<TKvGridButton*>(m.LParam);
        if (int(m.WParam) == FGroupIndex && sender && sender != this) {
            if (sender->Down() && FDown) {
                FDown = false;
                FState = bsUp;
                if (auto* a = dynamic_cast<TAction*>(Action())) a->SetChecked(false);
                Invalidate();
            }
            FAllowAllUp = sender->AllowAllUp();
        }
        return;
    }
    case CM_DIALOGCHAR: {
        if (IsCaptionAccel(QChar(char16_t(m.WParam)), Caption()) && FEnabled && Visible() && Parent() &&
            Parent()->Showing()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    }
    case CM_ENABLEDCHANGED:
        TGraphicControl::WndProc(m);
        UpdateTracking();
        Invalidate();
        return;
    case WM_THEMECHANGED:
    case CM_SYSFONTCHANGED:
        TGraphicControl::WndProc(m);
        if (FAutoThemeAdapt) ApplyThemeLook();
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

void TKvGridButton::FillFace(const TRect& R, TColor From, TColor To, TColor Pen)
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    if (To == clNone) {
        c->Brush()->SetColor(From);
        c->Pen()->SetColor(Pen == clNone ? From : Pen);
        c->Rectangle(R);
    } else {
        DrawFramedGradient(c, From, To, Pen, 16, R, false);
    }
}

void TKvGridButton::Paint()
{
    if (!FEnabled) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown) FState = bsDown;
    TCanvas* c = Canvas();
    c->SetFont(*Font());
    c->Pen()->SetWidth(1);
    TRect R = ClientRect();
    const bool hovered = FMouseInControl && FEnabled;
    if (FFlat) {
        if (FBorderDownColor == clNone || FRounded) R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
        if (hovered) {
            TColor brush = FColorHot, to = FColorHotTo, pen = FBorderHotColor;
            if (FState == bsDown) { brush = FColorDown; to = FColorDownTo; pen = FBorderDownColor; }
            if (FStyle == tasCheck && FDown && FState != bsDown) {
                brush = FColorChecked; to = FColorCheckedTo; pen = FBorderDownColor;
            }
            const TColor frame = FState == bsDown ? FBorderDownColor : FBorderHotColor;
            FillFace(R, brush, to, FRounded ? clNone : pen);
            if (FRounded) {
                R = TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
                c->Brush()->SetStyle(bsClear);
                c->Pen()->SetColor(frame);
                c->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
                c->Brush()->SetStyle(bsSolid);
            }
            if (FDropDownButton && frame != clNone) {
                c->Pen()->SetColor(frame);
                c->MoveTo(R.Right - 12, R.Top);
                c->LineTo(R.Right - 12, R.Bottom);
            }
        } else {
            if (FStyle == tasCheck && FDown) {
                FillFace(R, FColorChecked, FColorCheckedTo, FBorderDownColor);
            } else if (FColorTo != clNone) {
                const TColor pen = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
                DrawFramedGradient(c, Color(), FColorTo, pen, 16, R, false);
            } else {
                c->Brush()->SetStyle(bsSolid);
                c->Brush()->SetColor(Color());
                c->FillRect(R);
            }
            if (FBorderColor != clNone) {
                c->Brush()->SetStyle(bsClear);
                c->Pen()->SetColor(FBorderColor);
                if (FRounded) {
                    R = TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
                    c->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
                } else {
                    c->Rectangle(R);
                }
                c->Brush()->SetStyle(bsSolid);
            }
        }
        R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    } else {
        const bool pushed = FState == bsDown || FState == bsExclusive;
        HTHEME theme = nullptr;
        if (IsWinXPOrLater() && FAutoXPStyle && FIsComCtl6 && IsThemeActive() && Parent())
            theme = OpenThemeData(Parent()->Handle(), QStringLiteral("button"));
        if (theme) {
            DrawThemeBackground(theme, c, 1, pushed ? 3 : (hovered ? 2 : 1), R);
            CloseThemeData(theme);
        } else {
            DrawFrameControl(c, R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? unsigned(DFCS_PUSHED) : 0u));
        }
    }
    TPoint offset(0, 0);
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !hovered)) {
            const TRect g(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
            FillFace(g, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor);
        }
        if (!FFlat) offset = TPoint(1, 1);
    } else if (FFlat && hovered && FShaded) {
        offset = TPoint(-1, -1);
    }
    if (FDropDownButton) {
        const int m = R.Top + R.Height() / 2;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Font()->Color());
        c->Pen()->SetColor(Font()->Color());
        c->Polygon({TPoint(R.Right - 8, m - 1), TPoint(R.Right - 4, m - 1), TPoint(R.Right - 6, m + 1)});
        R.Right -= 12;
    }
    PaintContent(R, offset, (FDown && FGroupIndex != 0) ? bsDown : FState);
}

void TKvGridButton::PaintContent(TRect R, TPoint Offset, TButtonState State)
{
    TCanvas* c = Canvas();
    const QString caption = Caption();
    const bool hovered = FMouseInControl && FEnabled;
    const bool pressed = State == bsDown || State == bsExclusive;
    TPoint captionSize(0, 0);
    if (!caption.isEmpty()) {
        TRect m(0, 0, R.Width(), 0);
        DrawText(c, caption, m, DT_CALCRECT | DT_SINGLELINE);
        captionSize = TPoint(m.Width(), m.Height());
    }
    TPoint glyphPos;
    TRect textBounds;
    LayoutGlyphAndCaption(R, Offset, TPoint(FGlyph->Width(), FGlyph->Height()), captionSize, FLayout, FMargin,
                          FSpacing, false, glyphPos, textBounds);
    if (caption.isEmpty()) glyphPos = TPoint(0, 0);
    TBitmap* glyph;
    if (!FEnabled) {
        glyph = IsEmpty(FGlyphDisabled) ? FGlyph.get() : FGlyphDisabled.get();
    } else if (hovered) {
        if (pressed) glyph = IsEmpty(FGlyphDown) ? FGlyph.get() : FGlyphDown.get();
        else glyph = IsEmpty(FGlyphHot) ? FGlyph.get() : FGlyphHot.get();
    } else {
        glyph = (pressed && !IsEmpty(FGlyphDown)) ? FGlyphDown.get() : FGlyph.get();
    }
    if (glyph && glyph->Width() > 0) {
        if (hovered && FShaded && State != bsDown && !IsEmpty(FGlyphShade)) {
            const TPoint s = caption.isEmpty() ? glyphPos : TPoint(glyphPos.X + 2, glyphPos.Y + 2);
            DrawTransparent(c, s.X, s.Y, FGlyphShade.get());
        }
        DrawTransparent(c, glyphPos.X, glyphPos.Y, glyph);
    }
    if (FFlat && hovered && FShaded && !pressed) OffsetRect(textBounds, 1, 1);
    if (FShowCaption && !caption.isEmpty()) {
        c->Brush()->SetStyle(bsClear);
        const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if (!FEnabled) {
            TRect shifted = textBounds;
            OffsetRect(shifted, 1, 1);
            c->Font()->SetColor(clBtnHighlight);
            DrawText(c, caption, shifted, flags);
            c->Font()->SetColor(clBtnShadow);
        }
        DrawText(c, caption, textBounds, flags);
        c->Brush()->SetStyle(bsSolid);
    }
}

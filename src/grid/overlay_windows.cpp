// The small windows that float over the grid (arrow markers, the focus glow
// window, the header drag picture, the Metro scroll indicators, the no-activate
// form) and the picture routines behind the glow: alpha mask, frame mask, blur.

#include <QtGui/QImage>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "grid/html_render.h"
#include "grid/kv_string_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"

// ============================================================ focus glow window

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomForm(AOwner)
{
    SetBorderStyle(bsNone);
    SetBounds(0, 0, 0, 0);
    SetColor(0x0000FF);
}

void TGridFocusWindow::CreateParams(TCreateParams& Params)
{
    TCustomForm::CreateParams(Params);
    Params.Style |= WS_DISABLED;
    Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
}

// ============================================================ drag marker windows

TGridOverlayWindow::TGridOverlayWindow(TComponent* AOwner) : TCustomForm(AOwner)
{
    SetBorderStyle(bsNone);
}

void TGridOverlayWindow::CreateParams(TCreateParams& Params)
{
    TCustomForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    // Owned by the grid's window, so that it stays with it.
    Params.WndParent = dynamic_cast<TWinControl*>(Owner());
}

// ============================================================ arrow markers

TArrowWindow::TArrowWindow(TComponent* AOwner, TArrowDirection Direction)
    : TGridOverlayWindow(AOwner), FDirection(Direction)
{
    SetColor(clLime);
    SetVisible(false);
}

std::vector<TPoint> TArrowWindow::ArrowPoints(TArrowDirection Direction)
{
    switch (Direction) {
    case arrUp: return {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
    case arrDown: return {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    // The left marker points right and the right marker points left, at the gap between them.
    case arrLeft: return {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    case arrRight: return {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
    }
    return {};
}

void TArrowWindow::CreateWnd()
{
    TGridOverlayWindow::CreateWnd();
    SetWindowRgn(this, CreatePolygonRgn(ArrowPoints(FDirection)));
}

void TArrowWindow::Paint()
{
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Pen()->SetColor(Color());
    Canvas()->Rectangle(ClientRect());
}

// ============================================================ header drag picture

THeaderDragButton::THeaderDragButton(TComponent* AOwner) : TGridOverlayWindow(AOwner)
{
    SetColor(clBtnFace);
}

void THeaderDragButton::Paint()
{
    TCanvas* c = Canvas();
    // The thin border, then the header cell's look inside it.
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(ClientRect());
    TRect r = ClientRect();
    InflateRect(r, -1, -1);
    if (Grid) {
        Grid->PaintCellExt(c, 0, 0, r, TGridDrawState(gdFixed));
        c->Font()->Assign(*Grid->Font());
    } else {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    if (Caption.contains(QLatin1String("</"))) {
        THTMLTextParams p;
        p.Canvas = c;
        p.Text = Caption;
        p.Rect = r;
        p.Images = Grid ? Grid->GridImages() : nullptr;
        p.ImageCache = Grid ? Grid->ImageCache() : nullptr;
        p.WindowHandle = this;
        DrawHTMLText(p);
    } else {
        TRect tr = r;
        DrawText(c, Caption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    c->Brush()->SetStyle(bsSolid);
}

// ============================================================ no-activate form

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TCustomForm(AOwner)
{
    SetBorderStyle(bsNone);
}

void TNoActiveForm::CreateParams(TCreateParams& Params)
{
    TCustomForm::CreateParams(Params);
    Params.Style |= WS_DISABLED | WS_BORDER;
    Params.ExStyle |= WS_EX_NOACTIVATE;
}

// ============================================================ Metro scroll indicators

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}

void TScrollControl::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    Invalidate();
}

TKvStringGrid* TScrollControl::ParentGrid() const { return dynamic_cast<TKvStringGrid*>(Parent()); }

bool TScrollControl::ThumbGeometry(int& Position, int& Length)
{
    TKvStringGrid* g = ParentGrid();
    if (!g) return false;
    const bool vert = Direction == sdVertical;
    const int count = vert ? g->RowCount() : g->ColCount();
    const int fixed = vert ? g->TBaseGrid::FixedRows() : g->TBaseGrid::FixedCols();
    const int trailing = vert ? g->FixedFooters() : g->FixedRightCols();
    const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
    const int first = vert ? g->TopRow() : g->LeftCol();
    if (count - fixed <= visible || count <= 0) return false;
    auto extent = [&](int i) { return vert ? g->RowHeights(i) : g->ColWidths(i); };
    int lead = 0, tail = 0;
    for (int i = 0; i < fixed && i < count; ++i) lead += extent(i);
    for (int i = std::max(fixed, count - trailing); i < count; ++i) tail += extent(i);
    const int size = vert ? Height() : Width();
    const int track = size - lead - tail;
    Position = lead + int(RoundHalfEven(double(track) * (first - fixed) / (count - fixed)));
    Length = std::max(20, int(RoundHalfEven(double(track) * visible / count)));
    if (Position + Length > size) Position = size - Length;
    return true;
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    TKvStringGrid* g = ParentGrid();
    int pos = 0, len = 0;
    // A grid without scrollable rows (columns) has nothing to scroll.
    if (!g || !ThumbGeometry(pos, len)) return;
    const bool vert = Direction == sdVertical;
    const int p = vert ? Y : X;
    const int fixed = vert ? g->TBaseGrid::FixedRows() : g->TBaseGrid::FixedCols();
    const int count = vert ? g->RowCount() : g->ColCount();
    const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
    const int first = vert ? g->TopRow() : g->LeftCol();
    int target = first;
    if (p < pos) {
        target = std::max(fixed, first - visible);
    } else if (p > pos + len) {
        target = std::min(first + visible, count - visible);
    } else {
        FDownOnScroller = true;
        FDownPos = p;
        FDownRow = first;
        return;
    }
    target = std::max(target, fixed);
    if (vert) g->SetTopRow(target);
    else g->SetLeftCol(target);
    Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    TKvStringGrid* g = ParentGrid();
    if (!FDownOnScroller || !g) return;
    const bool vert = Direction == sdVertical;
    const int count = vert ? g->RowCount() : g->ColCount();
    const int fixed = vert ? g->TBaseGrid::FixedRows() : g->TBaseGrid::FixedCols();
    const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
    if (count <= 0) return;
    const int span = (vert ? Height() : Width()) - (vert ? g->RowHeights(0) : g->ColWidths(0));
    // A control no larger than the first row (column) gives no scale to drag on.
    if (span == 0 || count - fixed == 0) return;
    const int p = vert ? Y : X;
    const int moved = int(RoundHalfEven(double(p - FDownPos) / span * count)) + FDownRow;
    const int target = std::max(fixed, std::min(moved, count - visible));
    if (vert) g->SetTopRow(target);
    else g->SetLeftCol(target);
    Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FDownOnScroller = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TScrollControl::Paint()
{
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    // The indicator shows the grid's background around its thumb.
    TKvStringGrid* g = ParentGrid();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(g ? g->Color() : clWindow);
    c->FillRect(r);
    int pos = 0, len = 0;
    if (!ThumbGeometry(pos, len)) return;
    c->Brush()->SetColor(FColor);
    if (Direction == sdVertical) c->FillRect(TRect(0, pos, ScrollWidth, pos + len));
    else c->FillRect(TRect(pos, 0, pos + len, ScrollWidth));
}

// ============================================================ alpha mask

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(pf32bit); }

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap)
{
    if (!Mask || !Bitmap || Bitmap->PixelFormat() != pf24bit || Mask->PixelFormat() != pf24bit) return;
    if (Mask->Width() != Bitmap->Width() || Mask->Height() != Bitmap->Height()) return;
    SetPixelFormat(pf32bit);
    SetSize(Bitmap->Width(), Bitmap->Height());
    const QImage& mask = Mask->Image();
    const QImage& colour = Bitmap->Image();
    QImage& out = Image();
    for (int y = 0; y < out.height(); ++y) {
        const uint8_t* m = mask.constScanLine(y);
        const uint8_t* s = colour.constScanLine(y);
        uint8_t* d = out.scanLine(y);
        for (int x = 0; x < out.width(); ++x) {
            // 24-bit pixels are three bytes: blue, green, red.
            const int alpha = m[3 * x + 2];
            for (int k = 0; k < 3; ++k) d[4 * x + k] = uint8_t(RoundHalfEven(double(s[3 * x + k]) * alpha / 255.0));
            d[4 * x + 3] = uint8_t(alpha);
        }
    }
}

void TGridAlphaMask::Assign(const TGridAlphaMask& Source)
{
    if (Source.Width() == Width() && Source.Height() == Height()) {
        Opacity = Source.Opacity;
        SetPixelFormat(pf32bit);
        QImage& out = Image();
        const QImage& in = Source.Image();
        for (int y = 0; y < out.height(); ++y)
            std::memcpy(out.scanLine(y), in.constScanLine(y), size_t(std::min(out.bytesPerLine(), in.bytesPerLine())));
        return;
    }
    Assign(static_cast<const TBitmap&>(Source));
}

void TGridAlphaMask::Assign(const TBitmap& Source)
{
    TBitmap::Assign(Source);
    SetPixelFormat(pf32bit);
}

QImage TGridAlphaMask::ToPremultiplied() const
{
    QImage img = Image().convertToFormat(QImage::Format_ARGB32);
    img.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return img;
}

// ============================================================ frame mask and blur

void MakeFocusMask(TBitmap* Bitmap, int Width, int Height, int PenWidth, int Corner, double Blur)
{
    if (!Bitmap) return;
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(std::max(0, Width), std::max(0, Height));
    TCanvas* c = Bitmap->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
    const int a = 2 + PenWidth / 2;
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetStyle(psSolid);
    if (PenWidth > 0) {
        c->Pen()->SetWidth(PenWidth);
        c->Brush()->SetStyle(bsClear);
    } else {
        c->Pen()->SetWidth(1);
        c->Brush()->SetColor(clWhite);
    }
    c->RoundRect(a, a, Width - a, Height - a, Corner, Corner);
    c->Brush()->SetStyle(bsSolid);
    c->Pen()->SetWidth(1);
    if (Blur > 0) BlurBitmap(Bitmap, Blur);
}

TBlurKernel BuildBlurKernel(double Radius)
{
    TBlurKernel k;
    float sum = 0;
    for (int j = -10; j <= 10; ++j) {
        const double q = j / Radius;
        k.Weights[j + 10] = float(std::exp(-q * q / 2));
        sum += k.Weights[j + 10];
    }
    for (float& w : k.Weights) w /= sum;
    // Drop the tails while they add up to less than half a grey step.
    float tail = 0;
    int s = 10;
    while (tail < 1.0f / 510 && s > 1) {
        tail += 2 * k.Weights[s + 10];
        --s;
    }
    float kept = 0;
    for (int j = -s; j <= s; ++j) kept += k.Weights[j + 10];
    for (int j = -10; j <= 10; ++j) k.Weights[j + 10] = std::abs(j) <= s ? k.Weights[j + 10] / kept : 0.0f;
    k.Size = s;
    return k;
}

void BlurPixelLine(const TBlurKernel& Kernel, uint8_t* Line, int N, int Stride)
{
    if (N <= 0) return;
    const std::vector<uint8_t> src(Line, Line + size_t(N) * size_t(Stride));
    const int s = Kernel.Size;
    for (int x = 0; x < N; ++x) {
        for (int b = 0; b < 3; ++b) {
            double sum = 0;
            for (int j = -s; j <= s; ++j) {
                const int i = std::clamp(x - j, 0, N - 1);
                sum += double(Kernel.Weights[j + 10]) * src[size_t(i) * size_t(Stride) + size_t(b)];
            }
            // The single-precision weights may sum to a hair under one: a flat
            // area of 255 must stay 255.
            sum += 1e-4;
            Line[size_t(x) * size_t(Stride) + size_t(b)] = sum >= 255 ? 255 : sum < 0 ? 0 : uint8_t(sum);
        }
    }
}

void BlurBitmap(TBitmap* Bitmap, double Radius)
{
    if (!Bitmap || Bitmap->PixelFormat() != pf24bit) throw Exception(QStringLiteral("Blur only works for 24-bit bitmaps"));
    const TBlurKernel k = BuildBlurKernel(Radius);
    QImage& img = Bitmap->Image();
    const int w = img.width(), h = img.height();
    if (w <= 0 || h <= 0) return;
    // The middle of a large picture repeats (the focus frame's straight sides),
    // so it is copied from line 15; a picture under 41 pixels has no such
    // middle and every line is blurred.
    const bool allRows = h < 41, allCols = w < 41;
    for (int y = 0; y < h; ++y) {
        if (allRows || y <= 20 || y >= h - 20) BlurPixelLine(k, img.scanLine(y), w, 3);
        else std::memcpy(img.scanLine(y), img.constScanLine(15), size_t(w) * 3);
    }
    std::vector<uint8_t> column(size_t(h) * 3);
    for (int x = 0; x < w; ++x) {
        if (allCols || x <= 20 || x >= w - 20) {
            for (int y = 0; y < h; ++y) std::memcpy(&column[size_t(y) * 3], img.constScanLine(y) + 3 * x, 3);
            BlurPixelLine(k, column.data(), h, 3);
            for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y) + 3 * x, &column[size_t(y) * 3], 3);
        } else {
            for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y) + 3 * x, img.constScanLine(y) + 3 * 15, 3);
        }
    }
}

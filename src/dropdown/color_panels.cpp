#include "dropdown/color_panels.h"

#include <QtGui/QImage>

#include <iterator>

#include "platform/ui/forms.h"

const char* const SpectrumResourceName = "KVCOLORSPECTRUM";
const char* const SpectrumCursorName = "KVCOLORSPECTRUMPOINTER";

namespace {

constexpr int SpectrumSize = 128;

// The pure colour of a hue position: six equal segments red, yellow, green,
// cyan, blue, magenta and back towards red.
void HueColor(int X, int& R, int& G, int& B)
{
    const int p = X * 6 * 256 / SpectrumSize;
    const int seg = p / 256, f = p % 256;
    switch (seg) {
    case 0: R = 255; G = f; B = 0; break;
    case 1: R = 255 - f; G = 255; B = 0; break;
    case 2: R = 0; G = 255; B = f; break;
    case 3: R = 0; G = 255 - f; B = 255; break;
    case 4: R = f; G = 0; B = 255; break;
    default: R = 255; G = 0; B = 255 - f; break;
    }
}

// The pointer shown over the picture: a small arrow, black outline, white inside.
QImage DrawPointer()
{
    static const char* const Shape[] = {
        "X", "XX", "X.X", "X..X", "X...X", "X....X", "X.....X", "X......X", "X.......X",
        "X........X", "X.....XXXXX", "X..X..X", "X.X X..X", "XX  X..X", "X    X..X", "     X..X", "      XX",
    };
    QImage img(16, 18, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < int(std::size(Shape)); ++y)
        for (int x = 0; Shape[y][x]; ++x) {
            if (Shape[y][x] == 'X') img.setPixel(x, y, qRgb(0, 0, 0));
            else if (Shape[y][x] == '.') img.setPixel(x, y, qRgb(255, 255, 255));
        }
    return img;
}

// The resources exist from program start.
[[maybe_unused]] const bool SpectrumResourcesAtStartUp = (RegisterColorSpectrumResources(), true);

// Cell colours row by row, cell 1 first.
constexpr TColor CubeColors[TKvColorCubePanel::CubeCellCount] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
    0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
    0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
    0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

constexpr TColor MarkGrey = 0x808080;

void CancelApplicationHint()
{
    if (Application) Application->CancelHint();
}

} // namespace

TColor SpectrumColorAt(int X, int Y)
{
    int r, g, b;
    HueColor(X, r, g, b);
    const int half = SpectrumSize / 2, last = SpectrumSize - 1;
    auto shade = [&](int c) {
        if (Y <= half) return 255 - ((255 - c) * Y + half / 2) / half;    // white to the pure colour
        return (c * (last - Y) + (last - half) / 2) / (last - half);       // pure colour to black
    };
    return RGB(shade(r), shade(g), shade(b));
}

void RegisterColorSpectrumResources()
{
    // Pixels only (no painter, no fonts): this runs before the application object exists.
    static bool Done = false;
    if (Done) return;
    Done = true;
    QImage img(SpectrumSize, SpectrumSize, QImage::Format_RGB32);
    for (int y = 0; y < SpectrumSize; ++y)
        for (int x = 0; x < SpectrumSize; ++x) {
            const TColor c = SpectrumColorAt(x, y);
            img.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
    RegisterResourceImage(QLatin1String(SpectrumResourceName), img);
    RegisterResourceCursor(QLatin1String(SpectrumCursorName), DrawPointer(), QPoint(0, 0));
}

// ---------------------------------------------------------------- base

TKvCustomColorSelectorPanel::TKvCustomColorSelectorPanel(TComponent* AOwner) : TCustomControl(AOwner) {}

// ---------------------------------------------------------------- cube

TKvColorCubePanel::TKvColorCubePanel(TComponent* AOwner) : TKvCustomColorSelectorPanel(AOwner)
{
    InitCubeCells();
    SetShowRGBHint(true);
}

void TKvColorCubePanel::InitCubeCells()
{
    FCubeSize = TPoint(6, 3);
    int n = 0;
    for (int r = 1; r <= 13; ++r) {
        const int y = 20 + 10 * (r - 1);
        const int count = r <= 7 ? r + 6 : 20 - r;
        const int x0 = r <= 7 ? 55 - FCubeSize.X * (r - 1) : 19 + FCubeSize.X * (r - 7);
        for (int i = 0; i < count; ++i, ++n)
            FCubeCells[size_t(n)] = TCubeCell{x0 + i * 2 * FCubeSize.X, y, CubeColors[n]};
    }
}

void TKvColorCubePanel::InitializePanel()
{
    FHotIndex = -1;
    SetDefaultSize(182, 160);
}

const TKvColorCubePanel::TCubeCell& TKvColorCubePanel::Cell(int Index) const
{
    static const TCubeCell None;
    return Index >= 1 && Index <= CubeCellCount ? FCubeCells[size_t(Index - 1)] : None;
}

void TKvColorCubePanel::SelectColor(TColor Color, int Index)
{
    FSelectedColor = Color;
    if (Index >= 1 && Index <= CubeCellCount) {
        FSelectedIndex = Index;
        return;
    }
    FSelectedIndex = -1;
    for (int i = 1; i <= CubeCellCount; ++i)
        if (Cell(i).Color == Color) {
            FSelectedIndex = i;
            break;
        }
}

void TKvColorCubePanel::SetShowRGBHint(bool Value)
{
    FShowRGBHint = Value;
    SetShowHint(Value);
}

bool TKvColorCubePanel::PtInCell(int Index, TPoint P) const
{
    if (Index < 1 || Index > CubeCellCount) return false;
    const TCubeCell& c = Cell(Index);
    const int dx = P.X - c.X, dy = P.Y - c.Y;
    return dx * dx + dy * dy <= FCubeSize.X * FCubeSize.X;
}

int TKvColorCubePanel::CellAtPos(int X, int Y) const
{
    for (int i = 1; i <= CubeCellCount; ++i)
        if (PtInCell(i, TPoint(X, Y))) return i;
    return -1;
}

void TKvColorCubePanel::DrawHexagon(TCanvas* Canvas, TPoint Centre, int QuarterHeight, int HalfWidth)
{
    const int cx = Centre.X, cy = Centre.Y, w = HalfWidth, h = QuarterHeight;
    Canvas->Polygon({TPoint(cx - w, cy - h), TPoint(cx, cy - 2 * h), TPoint(cx + w, cy - h), TPoint(cx + w, cy + h),
                     TPoint(cx, cy + 2 * h), TPoint(cx - w, cy + h)});
}

void TKvColorCubePanel::DrawHotMark(TCanvas* Canvas, TPoint Centre)
{
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(clRed);
    DrawHexagon(Canvas, Centre, 3, 5);
    Canvas->Pen()->SetColor(clWhite);
    DrawHexagon(Canvas, Centre, 2, 4);
}

void TKvColorCubePanel::DrawSelectedMark(TCanvas* Canvas, TPoint Centre)
{
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(clBlack);
    DrawHexagon(Canvas, Centre, 3, 5);
    Canvas->Pen()->SetColor(clWhite);
    DrawHexagon(Canvas, Centre, 2, 4);
}

void TKvColorCubePanel::DrawCellOn(TCanvas* Canvas, int Index)
{
    if (Index < 1 || Index > CubeCellCount) return;
    const TCubeCell& c = Cell(Index);
    Canvas->Pen()->SetColor(c.Color);
    Canvas->Brush()->SetColor(c.Color);
    Canvas->Brush()->SetStyle(bsSolid);
    DrawHexagon(Canvas, TPoint(c.X, c.Y), FCubeSize.Y, FCubeSize.X);
    if (Index == FHotIndex) DrawHotMark(Canvas, TPoint(c.X, c.Y));
    if (Index == FSelectedIndex) DrawSelectedMark(Canvas, TPoint(c.X, c.Y));
}

void TKvColorCubePanel::DrawCell(int Index) { DrawCellOn(Canvas(), Index); }

void TKvColorCubePanel::DrawCube()
{
    TCanvas* c = Canvas();
    for (int i = 1; i <= CubeCellCount; ++i) DrawCellOn(c, i);
}

void TKvColorCubePanel::Paint()
{
    TKvCustomColorSelectorPanel::Paint();
    DrawCube();
}

void TKvColorCubePanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TKvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const int cell = CellAtPos(X, Y);
    if (cell > 0) {
        if (cell == FHotIndex) return;
        const int old = FHotIndex;
        FHotIndex = cell;
        DrawCell(old);
        DrawCell(cell);
        if (FShowRGBHint) {
            const TColor c = Cell(cell).Color;
            SetHint(QString::asprintf("Red: %d,  Green: %d,  Blue: %d", GetRValue(c), GetGValue(c), GetBValue(c)));
            CancelApplicationHint();
        }
    } else if (FShowRGBHint) {
        SetHint(QString());
        CancelApplicationHint();
    }
}

void TKvColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TKvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const int cell = CellAtPos(X, Y);
    if (cell <= 0) return;
    const int old = FSelectedIndex;
    FSelectedIndex = -1;
    DrawCell(old);
    SelectColor(Cell(cell).Color, cell);
    DrawCell(cell);
    if (OnSelect) OnSelect(this);
}

void TKvColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TKvCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    DoShouldHide();
}

// ---------------------------------------------------------------- spectrum

TKvColorSpectrumPanel::TKvColorSpectrumPanel(TComponent* AOwner) : TKvCustomColorSelectorPanel(AOwner)
{
    RegisterColorSpectrumResources();
    FSpectrumImage = new TImage(this);
    FSpectrumImage->SetParent(this);
    FSpectrumImage->SetBounds(0, 0, SpectrumSize, SpectrumSize);
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetImage(ResourceImage(QLatin1String(SpectrumResourceName)));
    FSpectrumImage->Picture()->SetGraphic(std::move(bmp));
    FSpectrumImage->OnMouseMove = [this](TObject* S, TShiftState Sh, int X, int Y) { SpectrumMouseMove(S, Sh, X, Y); };
    FSpectrumImage->OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        SpectrumMouseDown(S, B, Sh, X, Y);
    };
    FSpectrumImage->OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        SpectrumMouseUp(S, B, Sh, X, Y);
    };
    if (Screen) Screen->SetCursors(crColorSpectrum, ResourceCursor(QLatin1String(SpectrumCursorName)));
    FSpectrumImage->SetCursor(crColorSpectrum);
}

void TKvColorSpectrumPanel::InitializePanel()
{
    SetDefaultSize(150, 174);
    const int w = FSpectrumImage->Width(), h = FSpectrumImage->Height();
    FSpectrumImage->SetLeft((Width() - w) / 2);
    FSpectrumImage->SetTop(10);
    const int l = FSpectrumImage->Left(), b = FSpectrumImage->Top() + h;
    FSelectedRect = TRect(l - 1, b + 8, l + w / 2 - 2, b + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, FSelectedRect.Top, l + w + 1, FSelectedRect.Bottom);
    FHotColor = clNone;
    Invalidate();
}

void TKvColorSpectrumPanel::DrawSampleBox(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(MarkGrey);
    Canvas->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    Canvas->Pen()->SetColor(clWhite);
    // No colour yet: the box shows the panel's own colour.
    Canvas->Brush()->SetColor(Color == clNone ? this->Color() : Color);
    Canvas->Rectangle(R);
}

void TKvColorSpectrumPanel::DrawSelectedColor(TCanvas* Canvas) { DrawSampleBox(Canvas, FSelectedRect, FSelectedColor); }
void TKvColorSpectrumPanel::DrawHotColor(TCanvas* Canvas) { DrawSampleBox(Canvas, FHotRect, FHotColor); }

void TKvColorSpectrumPanel::Paint()
{
    TKvCustomColorSelectorPanel::Paint();
    TCanvas* c = Canvas();
    const TRect r = FSpectrumImage->BoundsRect();
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clWhite);
    c->Rectangle(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
    c->Pen()->SetColor(MarkGrey);
    c->Rectangle(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2);
    DrawSelectedColor(c);
    DrawHotColor(c);
}

void TKvColorSpectrumPanel::SpectrumMouseMove(TObject*, TShiftState, int X, int Y)
{
    // The pixel comes from the picture itself; a captured mouse outside it changes nothing.
    TBitmap* bmp = FSpectrumImage->Picture()->Bitmap();
    if (!bmp || X < 0 || Y < 0 || X >= bmp->Width() || Y >= bmp->Height()) return;
    FHotColor = FromQColor(bmp->Image().pixelColor(X, Y));
    DrawHotColor(Canvas());
}

void TKvColorSpectrumPanel::SpectrumMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    SetSelectedColor(FHotColor);
    DrawSelectedColor(Canvas());
    if (OnSelect) OnSelect(this);
}

void TKvColorSpectrumPanel::SpectrumMouseUp(TObject*, TMouseButton, TShiftState, int, int) { DoShouldHide(); }

void TKvColorSpectrumPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TKvCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    DoShouldHide();
}

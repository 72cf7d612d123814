#pragma once
// Colours, geometry records, fonts, pens, brushes, the canvas and graphics
// (bitmaps, icons, pictures, image lists).
#include <QtCore/QByteArray>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <QtGui/QImage>
#include <QtGui/QRegion>
#include <QtGui/QTransform>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;
class QIODevice;

// ---------------------------------------------------------------- colours
// 0x00BBGGRR; system colours are 0xFF0000nn (nn = system colour index).
using TColor = int32_t;

constexpr TColor SysColor(int index) { return TColor(0xFF000000u | unsigned(index)); }
enum : TColor {
    clScrollBar = SysColor(0), clBackground = SysColor(1), clActiveCaption = SysColor(2),
    clInactiveCaption = SysColor(3), clMenu = SysColor(4), clWindow = SysColor(5),
    clWindowFrame = SysColor(6), clMenuText = SysColor(7), clWindowText = SysColor(8),
    clCaptionText = SysColor(9), clActiveBorder = SysColor(10), clInactiveBorder = SysColor(11),
    clAppWorkSpace = SysColor(12), clHighlight = SysColor(13), clHighlightText = SysColor(14),
    clBtnFace = SysColor(15), clBtnShadow = SysColor(16), clGrayText = SysColor(17),
    clBtnText = SysColor(18), clInactiveCaptionText = SysColor(19), clBtnHighlight = SysColor(20),
    cl3DDkShadow = SysColor(21), cl3DLight = SysColor(22), clInfoText = SysColor(23),
    clInfoBk = SysColor(24), clHotLight = SysColor(26), clGradientActiveCaption = SysColor(27),
    clGradientInactiveCaption = SysColor(28), clMenuHighlight = SysColor(29), clMenuBar = SysColor(30),

    clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
    clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
    clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
    clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clLtGray = 0xC0C0C0,
    clDkGray = 0x808080, clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6,
    clCream = 0xF0FBFF, clMedGray = 0xA4A0A0,
    clNone = 0x1FFFFFFF, clDefault = 0x20000000,
};

constexpr TColor RGB(int r, int g, int b) { return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16)); }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

// The plain RGB value of a colour; system colours come from the fixed platform table.
TColor ColorToRGB(TColor c);
TColor GetSysColor(int index);
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
// Text forms: "clRed" style names for the named and system colours, "$00BBGGRR" otherwise.
QString ColorToString(TColor c);
TColor StringToColor(const QString& s); // throws EConvertError-like std::invalid_argument
bool IdentToColor(const QString& ident, TColor& c);

// ---------------------------------------------------------------- geometry
struct TPoint {
    int X = 0, Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    constexpr bool operator==(const TPoint&) const = default;
    QPoint ToQPoint() const { return QPoint(X, Y); }
    static TPoint From(const QPoint& p) { return TPoint(p.x(), p.y()); }
};
struct TSize {
    int cx = 0, cy = 0;
    constexpr bool operator==(const TSize&) const = default;
};
// Right and Bottom are exclusive, as the classic platform has them.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
    constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(const TPoint& p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    constexpr bool operator==(const TRect&) const = default;
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect From(const QRect& r) { return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }
};
constexpr TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
constexpr TRect Bounds(int l, int t, int w, int h) { return TRect(l, t, l + w, t + h); }
constexpr TPoint Point(int x, int y) { return TPoint(x, y); }
void InflateRect(TRect& r, int dx, int dy);
void OffsetRect(TRect& r, int dx, int dy);
bool PtInRect(const TRect& r, const TPoint& p);
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
bool UnionRect(TRect& dst, const TRect& a, const TRect& b);
inline bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }
inline bool EqualRect(const TRect& a, const TRect& b) { return a == b; }

// ---------------------------------------------------------------- font, pen, brush
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(TFontStyle s) : FBits(s) {}
    static constexpr TFontStyles FromBits(unsigned b) { TFontStyles s; s.FBits = b; return s; }
    constexpr bool Contains(TFontStyle s) const { return FBits & s; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr unsigned Bits() const { return FBits; }
    TFontStyles& operator<<(TFontStyle s) { FBits |= s; return *this; }
    TFontStyles& operator>>(TFontStyle s) { FBits &= ~unsigned(s); return *this; }
    constexpr TFontStyles operator|(TFontStyles o) const { return FromBits(FBits | o.FBits); }
    constexpr bool operator==(const TFontStyles&) const = default;
private:
    unsigned FBits = 0;
};
constexpr TFontStyles operator|(TFontStyle a, TFontStyle b) { return TFontStyles::FromBits(unsigned(a) | unsigned(b)); }

enum TFontCharset : uint8_t { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255 };
enum TFontPitch { fpDefault, fpVariable, fpFixed };

// Installed family for a classic desktop font name (Tahoma, MS Sans Serif, Arial, ...).
QString SubstituteFontName(const QString& name);
// Screen resolution the platform reports.
constexpr int kScreenPPI = 96;

// Graphics objects notify their owner of changes through OnChange.
class TGraphicsObject {
public:
    TGraphicsObject() = default;
    // A copy never takes over the owner's change notification.
    TGraphicsObject(const TGraphicsObject&) {}
    TGraphicsObject& operator=(const TGraphicsObject&) { return *this; }
    virtual ~TGraphicsObject() = default;
    std::function<void()> OnChange;
protected:
    virtual void Changed() { if (OnChange) OnChange(); }
};

class TFont : public TGraphicsObject {
public:
    TFont();
    TFont(const TFont&) = default;
    // Assigning notifies the owner, as Assign does.
    TFont& operator=(const TFont& o) { Assign(o); return *this; }
    void Assign(const TFont& src);
    QString Name() const { return FName; }
    void SetName(const QString& v);
    // Points; Height is the pixel height (negative: character height without leading).
    int Size() const;
    void SetSize(int pt);
    int Height() const { return FHeight; }
    void SetHeight(int h);
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles s);
    uint8_t Charset() const { return FCharset; }
    void SetCharset(uint8_t c);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch p);
    // Text rotation in tenths of a degree, counter-clockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int tenths);
    QFont ToQFont() const;
    void AssignQFont(const QFont& f);
    bool operator==(const TFont& o) const;
protected:
    void Changed() override { FCacheValid = false; TGraphicsObject::Changed(); }
private:
    mutable QFont FCache;
    mutable bool FCacheValid = false;
    QString FName = QStringLiteral("Tahoma");
    int FHeight = -11; // 8 pt at 96 ppi
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    uint8_t FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FOrientation = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmXor, pmNotXor, pmNot, pmBlack, pmWhite, pmMask, pmMerge };

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    TPen(const TPen&) = default;
    TPen& operator=(const TPen& o) { Assign(o); return *this; }
    void Assign(const TPen& src);
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; Changed(); }
    int Width() const { return FWidth; }
    void SetWidth(int w) { FWidth = w < 1 ? 1 : w; Changed(); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle s) { FStyle = s; Changed(); }
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode m) { FMode = m; Changed(); }
private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    TBrush(const TBrush&) = default;
    TBrush& operator=(const TBrush& o) { Assign(o); return *this; }
    void Assign(const TBrush& src);
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; if (FStyle == bsClear) FStyle = bsSolid; Changed(); }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle s) { FStyle = s; Changed(); }
private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// ---------------------------------------------------------------- canvas
class TGraphic;
class TBitmap;

enum TFillStyle { fsSurface, fsBorder };
enum TCopyMode { cmSrcCopy, cmSrcAnd, cmSrcPaint, cmSrcInvert, cmBlackness, cmWhiteness };

// Mapping modes: MM_TEXT (a unit is a pixel, y grows downwards) and MM_LOMETRIC (a unit
// is 0.1 mm, y grows upwards from the surface's top edge at y = 0).
enum TMapMode { MM_TEXT = 1, MM_LOMETRIC = 2 };

// TextRect format flags (subset of DrawText's).
enum TTextFormatFlag : unsigned {
    tfLeft = 0, tfCenter = 1, tfRight = 2, tfVerticalCenter = 4, tfBottom = 8, tfWordBreak = 16,
    tfSingleLine = 32, tfEndEllipsis = 64, tfNoPrefix = 128, tfExpandTabs = 256,
};

// Drawing surface over QPainter. Coordinates are pixels; right and bottom edges
// of rectangles are excluded; line end points are excluded. Primitives are
// virtual so that a recording canvas can stand in for geometry tests.
class TCanvas {
public:
    TCanvas();
    // A canvas drawing on an image (not owned).
    explicit TCanvas(QImage* target);
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont* Font() { return &FFont; }
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
    void SetFont(const TFont& f) { FFont.Assign(f); }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& p) { FPenPos = p; }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode m) { FCopyMode = m; }

    virtual void MoveTo(int x, int y);
    virtual void LineTo(int x, int y);
    virtual void FillRect(const TRect& r);
    virtual void FrameRect(const TRect& r);
    virtual void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    virtual void RoundRect(int x1, int y1, int x2, int y2, int rx, int ry);
    virtual void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    virtual void Polygon(const std::vector<TPoint>& pts);
    virtual void Polyline(const std::vector<TPoint>& pts);
    virtual TColor Pixels(int x, int y);
    virtual void SetPixel(int x, int y, TColor c);
    virtual void FloodFill(int x, int y, TColor c, TFillStyle style);
    virtual void DrawFocusRect(const TRect& r);
    virtual void TextOut(int x, int y, const QString& text);
    // Text clipped to r; the background is filled with the brush unless it is clear.
    virtual void TextRect(const TRect& r, int x, int y, const QString& text);
    void TextRect(TRect& r, QString& text, unsigned tfFlags);
    virtual int TextWidth(const QString& text);
    virtual int TextHeight(const QString& text);
    TSize TextExtent(const QString& text) { return TSize{TextWidth(text), TextHeight(text)}; }
    // Font ascent in pixels (baseline offset from the top of a text line).
    virtual int TextAscent();
    // Extra space the font suggests between lines.
    virtual int TextLeading();
    virtual void Draw(int x, int y, TGraphic* g);
    virtual void StretchDraw(const TRect& r, TGraphic* g);
    virtual void CopyRect(const TRect& dest, TCanvas* src, const TRect& source);
    // Copies a bitmap area, painting pixels of `replace` with the brush colour.
    virtual void BrushCopy(const TRect& dest, TBitmap* bmp, const TRect& source, TColor replace);

    // Clipping, in canvas (logical) coordinates.
    virtual void SetClipRect(const TRect& r);
    virtual void IntersectClipRect(const TRect& r);
    virtual void ExcludeClipRect(const TRect& r);
    virtual void SelectClipRegion(const QRegion& rgn);
    virtual void RemoveClip();
    bool HasClip() const { return FClipOn; }
    TRect ClipRect() const;
    // SaveDC/RestoreDC equivalents: pen, brush, font, clip and origin.
    virtual int SaveState();
    virtual void RestoreState(int id = -1);
    // Logical point that maps to the top-left pixel.
    virtual void SetWindowOrg(int x, int y);
    TPoint WindowOrg() const { return FOrg; }
    // Right-to-left layout over a surface Width logical units wide (0 switches it off):
    // x runs from the right edge leftwards, so shapes come out mirrored, while text and
    // pictures are drawn upright at their mirrored places (a left-aligned text ends at the
    // right). The mirror is pixel-exact: a logical pixel x lands on Width - 1 - x. SaveState
    // keeps it; TCanvasDeviceUnits lifts it.
    void SetRightToLeftLayout(int Width) { FLayoutWidth = std::max(0, Width); }
    bool RightToLeftLayout() const { return FLayoutWidth > 0; }
    int LayoutWidth() const { return FLayoutWidth; }
    // Text runs read from right to left (bidirectional text is ordered for it).
    void SetRightToLeftReading(bool Value) { FRTLReading = Value; }
    bool RightToLeftReading() const { return FRTLReading; }

    // The mapping mode; answers the previous one. In MM_LOMETRIC every coordinate, size,
    // font height and pen width the canvas is given is in tenths of a millimetre at the
    // surface's resolution; text and pictures are drawn upright at their transformed
    // points, rotated fonts turn as on screen. SaveState keeps the mode.
    int SetMapMode(int Mode);
    int MapMode() const { return FMapMode; }
    TPoint LPtoDP(const TPoint& P) const;
    TPoint DPtoLP(const TPoint& P) const;
    // Device rectangles are normalised; logical ones are converted corner by corner, so
    // in MM_LOMETRIC a rectangle's Top lies above its Bottom (Top > Bottom).
    TRect LPtoDP(const TRect& R) const;
    TRect DPtoLP(const TRect& R) const;
    // Pixels per inch of the surface: the screen's unless the surface set its own (a printer).
    int PixelsPerInchX() const { return FPpiX > 0 ? FPpiX : kScreenPPI; }
    int PixelsPerInchY() const { return FPpiY > 0 ? FPpiY : kScreenPPI; }
    void SetPixelsPerInch(int X, int Y) { FPpiX = X; FPpiY = Y; FMetricsDevice = nullptr; }

    // The image the canvas draws on (null for painter-only or recording canvases).
    QImage* Target() const { return FTarget; }
    void SetTarget(QImage* target);
    // Draws on any paint device (a widget inside its paint event); pixel reads
    // need an image target.
    void SetDevice(QPaintDevice* device);
    // A painter set up with the canvas state (origin and clip); pen and brush are not applied.
    QPainter* Painter();
    // Ends painting so that the target can be read, resized or copied.
    void ReleasePainter();
    // Size of the surface in pixels.
    virtual TSize SurfaceSize() const;
    virtual bool IsRecording() const { return false; }

protected:
    friend class TCanvasDeviceUnits;
    bool Mapped() const { return FMapMode != MM_TEXT || FLayoutWidth > 0; }
    bool Metric() const { return FMapMode != MM_TEXT; }
    // Device pixels per logical unit.
    double ScaleX() const { return Metric() ? PixelsPerInchX() / 254.0 : 1.0; }
    double ScaleY() const { return Metric() ? PixelsPerInchY() / 254.0 : 1.0; }
    // The device pixel a logical pixel lands on (LPtoDP maps the corners between pixels).
    TPoint PixelToDevice(const TPoint& P) const;
    QFont CurrentQFont() const;
    // Metrics of the current font on the current device (cached).
    const QFontMetrics& Metrics();
    void ApplyPen(QPainter* p);
    void ApplyRasterOp(QPainter* p, TPenMode mode);
    void PlotLine(int x1, int y1, int x2, int y2);
    void DrawRoundedBox(int x1, int y1, int x2, int y2, int rx, int ry, bool ellipse);
    QRegion& ClipForChange();
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TPoint FPenPos;
    TPoint FOrg;
    TCopyMode FCopyMode = cmSrcCopy;
    bool FClipOn = false;
    QRegion FClip; // device coordinates
    int FMapMode = MM_TEXT;
    int FLayoutWidth = 0;
    bool FRTLReading = false;
    int FPpiX = 0, FPpiY = 0;
    struct Saved { TFont font; TPen pen; TBrush brush; bool clipOn; QRegion clip; TPoint org; int mapMode; int layoutWidth; };
    std::vector<Saved> FSaved;
    QImage* FTarget = nullptr;
    QPaintDevice* FDevice = nullptr;
    std::unique_ptr<QPainter> FPainter;
    QImage FScratch; // measuring device when there is no target
    std::unique_ptr<QFontMetrics> FMetrics;
    QFont FMetricsFont;
    QPaintDevice* FMetricsDevice = nullptr;
};

// Switches a canvas to device units for a while: MM_TEXT, no window origin, the font
// height and pen width converted to pixels; everything is restored at the end. Drawing in
// device units inside a metric job (pictures, owner drawing) goes through this.
class TCanvasDeviceUnits {
public:
    explicit TCanvasDeviceUnits(TCanvas* Canvas);
    ~TCanvasDeviceUnits();
    TCanvasDeviceUnits(const TCanvasDeviceUnits&) = delete;
    TCanvasDeviceUnits& operator=(const TCanvasDeviceUnits&) = delete;
private:
    TCanvas* FCanvas;
    int FMode;
    int FLayoutWidth;
    TPoint FOrg;
    int FFontHeight;
    int FPenWidth;
};

// A canvas that records what is drawn, with fixed font metrics: every character
// is CharWidth pixels wide and a line is LineHeight pixels high (ascent LineAscent).
// In a mapping mode it records logical coordinates, the metrics then being logical units.
class TRecordingCanvas : public TCanvas {
public:
    struct Op {
        QString Kind;   // "TextOut", "FillRect", "Rectangle", "LineTo", ...
        TRect R;
        int X = 0, Y = 0;
        QString Text;
        TColor Color = clNone; // pen colour for lines, brush colour for fills, font colour for text
        TRect Clip;            // clip in force (empty when none)
        int FontHeight = 0;    // the font in use: height (logical units) and turn in tenths of a degree
        int FontOrientation = 0;
    };
    TRecordingCanvas(int charWidth = 7, int lineHeight = 13, int ascent = 10, int width = 1000, int height = 1000);
    std::vector<Op> Ops;
    int CharWidth, LineHeight, LineAscent;
    void Clear() { Ops.clear(); }
    std::vector<Op> OpsOf(const QString& kind) const;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(const TRect& r) override;
    void FrameRect(const TRect& r) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void RoundRect(int x1, int y1, int x2, int y2, int rx, int ry) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::vector<TPoint>& pts) override;
    void Polyline(const std::vector<TPoint>& pts) override;
    TColor Pixels(int x, int y) override;
    void SetPixel(int x, int y, TColor c) override;
    void FloodFill(int x, int y, TColor c, TFillStyle style) override;
    void DrawFocusRect(const TRect& r) override;
    void TextOut(int x, int y, const QString& text) override;
    void TextRect(const TRect& r, int x, int y, const QString& text) override;
    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;
    int TextAscent() override { return LineAscent; }
    int TextLeading() override { return LineLeading; }
    int LineLeading = 2;
    void Draw(int x, int y, TGraphic* g) override;
    void StretchDraw(const TRect& r, TGraphic* g) override;
    void CopyRect(const TRect& dest, TCanvas* src, const TRect& source) override;
    void BrushCopy(const TRect& dest, TBitmap* bmp, const TRect& source, TColor replace) override;
    TSize SurfaceSize() const override { return FSize; }
    bool IsRecording() const override { return true; }
private:
    void Rec(const QString& kind, const TRect& r, int x = 0, int y = 0, const QString& text = QString(), TColor c = clNone);
    TSize FSize;
};

// ---------------------------------------------------------------- graphics
// The bytes of the image as a file of the format ("PNG", "BMP", "ICO", ...); empty for a
// null image or a format without a writer.
QByteArray ImageFileBytes(const QImage& Image, const char* Format);

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    // Draws into r of the canvas (scaled when the sizes differ).
    virtual void Draw(TCanvas* canvas, const TRect& r) = 0;
    virtual QImage ToImage() const = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool t) { FTransparent = t; }
    void LoadFromFile(const QString& path);          // throws std::runtime_error
    virtual void LoadFromData(const QByteArray& data) = 0;
    void LoadFromStream(QIODevice* dev);
    virtual void SaveToFile(const QString& path) const;
    std::function<void()> OnChange;
protected:
    bool FTransparent = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf8bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int w, int h);
    ~TBitmap() override;
    void Assign(const TBitmap& src);
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    void SetSize(int w, int h);
    TPixelFormat PixelFormat() const { return FFormat; }
    void SetPixelFormat(TPixelFormat f);
    // Row pointer: 3 bytes per pixel (B,G,R) for pf24bit, 4 (B,G,R,A) for pf32bit.
    uint8_t* ScanLine(int row);
    TCanvas* Canvas();
    // Key colour: the bottom-left pixel in automatic mode, TransparentColor in fixed mode.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c) { FTransparentColor = c; FTransparentMode = tmFixed; }
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode m) { FTransparentMode = m; }
    void Draw(TCanvas* canvas, const TRect& r) override;
    QImage ToImage() const override;
    // Image with the key colour made fully transparent when Transparent is on.
    QImage ToMaskedImage() const;
    void LoadFromData(const QByteArray& data) override;
    void SaveToFile(const QString& path) const override;
    void SetImage(const QImage& img);
    // Direct access to the pixels (Format_RGB32 or Format_ARGB32 for pf32bit).
    QImage& Image();
    const QImage& Image() const { return FImage; }
    void Dormant() {}
    void FreeImage() {}
private:
    void Flush() const;
    QImage FImage;
    QImage FPacked; // 24-bit rows for ScanLine in pf24bit
    int FPackedRow = -1;
    TPixelFormat FFormat = pf24bit;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    std::unique_ptr<TCanvas> FCanvas;
};

class TIcon : public TGraphic {
public:
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    void Draw(TCanvas* canvas, const TRect& r) override;
    QImage ToImage() const override { return FImage; }
    void LoadFromData(const QByteArray& data) override;
    void SetImage(const QImage& img) { FImage = img.convertToFormat(QImage::Format_ARGB32); }
private:
    QImage FImage;
};

// An image of any supported file format (BMP, PNG, GIF with its frames, JPEG, ICO).
class TImageGraphic : public TGraphic {
public:
    int Width() const override { return FFrames.empty() ? 0 : FFrames[0].width(); }
    int Height() const override { return FFrames.empty() ? 0 : FFrames[0].height(); }
    void Draw(TCanvas* canvas, const TRect& r) override;
    QImage ToImage() const override { return FFrames.empty() ? QImage() : FFrames[size_t(FFrame)]; }
    void LoadFromData(const QByteArray& data) override;
    int FrameCount() const { return int(FFrames.size()); }
    int Frame() const { return FFrame; }
    void SetFrame(int i) { if (i >= 0 && i < FrameCount()) FFrame = i; }
    int FrameDelay(int i) const { return i >= 0 && i < int(FDelays.size()) ? FDelays[size_t(i)] : 0; }
    QByteArray Format() const { return FFormat; }
    // The file bytes the image was loaded from, kept so it can be written out unchanged.
    const QByteArray& SourceData() const { return FData; }
private:
    std::vector<QImage> FFrames;
    std::vector<int> FDelays;
    int FFrame = 0;
    QByteArray FFormat;
    QByteArray FData;
};

// Decodes a JPEG through libjpeg; throws std::runtime_error on corrupt data.
QImage DecodeJpeg(const QByteArray& data);
// Encodes an image as a baseline JPEG through libjpeg with the encoder's default
// quality; transparent parts come out as they are stored (no alpha in a JPEG).
QByteArray EncodeJpeg(const QImage& image);
// Detected format of image data: "bmp", "png", "gif", "jpeg", "ico" or empty.
QByteArray DetectImageFormat(const QByteArray& data);

class TPicture {
public:
    TPicture();
    ~TPicture();
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> g) { FGraphic = std::move(g); Changed(); }
    // The graphic as a bitmap (created on demand from other formats).
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    void LoadFromFile(const QString& path);
    void LoadFromData(const QByteArray& data);
    void Assign(const TPicture* src);
    void Clear() { FGraphic.reset(); Changed(); }
    std::function<void()> OnChange;
private:
    void Changed() { if (OnChange) OnChange(); }
    std::unique_ptr<TGraphic> FGraphic;
};

class TImageList {
public:
    TImageList(int w = 16, int h = 16) : FWidth(w), FHeight(h) {}
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetSize(int w, int h) { FWidth = w; FHeight = h; }
    int Count() const { return int(FImages.size()); }
    // Adds the bitmap (split into Width-wide images when wider); returns the first index.
    int Add(TBitmap* bmp, TBitmap* mask = nullptr);
    int AddMasked(TBitmap* bmp, TColor maskColor);
    int AddImage(const QImage& img);
    void Clear() { FImages.clear(); }
    void Delete(int index);
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void GetBitmap(int index, TBitmap* dest);
    QImage Image(int index) const;
private:
    int FWidth, FHeight;
    std::vector<QImage> FImages; // ARGB32
};

// Named bitmaps and cursors the program draws itself ("CHECK_ON", "ARROW_DOWN", ...).
QImage ResourceImage(const QString& name);
bool HasResourceImage(const QString& name);
void RegisterResourceImage(const QString& name, const QImage& img);
QStringList ResourceImageNames();
// Named cursors drawn by the program (hot spot given); unknown names give the arrow.
class QCursor;
void RegisterResourceCursor(const QString& name, const QImage& img, const QPoint& hotSpot);
QCursor ResourceCursor(const QString& name);
bool HasResourceCursor(const QString& name);


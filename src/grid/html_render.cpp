#include "grid/html_render.h"

#include <algorithm>
#include <optional>

#include "grid/html_markup.h"
#include "grid/picture_container.h"
#include "grid/theme_services.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"
#include "platform/ui/file_icons.h"

namespace {

TColor gHighlightBk = clHighlight;
TColor gHighlightText = clHighlightText;

enum TRenderMode { rmMeasure, rmDraw, rmCheck };

constexpr unsigned kTextFormat = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING;
constexpr int kBulletIndent = 12;

// The canvas text background: a clear brush is transparent text.
TColor TextBk(TCanvas* C) { return C->Brush()->Style() == bsClear ? clNone : C->Brush()->Color(); }
void SetTextBk(TCanvas* C, TColor Color)
{
    if (Color == clNone) C->Brush()->SetStyle(bsClear);
    else C->Brush()->SetColor(Color);
}

void SetFontStyle(TFont* Font, TFontStyle Style, bool On)
{
    TFontStyles s = Font->Style();
    if (On) s << Style;
    else s >> Style;
    Font->SetStyle(s);
}

int ScaleX(int V) { return MulDiv(V, kScreenPPI, 96); }
int ScaleY(int V) { return MulDiv(V, kScreenPPI, 96); }

// The colour of a FONT or P attribute: "#RRGGBB" or a colour name.
TColor AttrColor(const QString& Value)
{
    if (Value.startsWith(QLatin1Char('#'))) return HTMLHexColor(Value);
    return HTMLColorByName(Value.toLower());
}

// A value written after a one-letter attribute name ("x" of IND, "a" of R):
// quoted, or up to the end of the tag.
bool LetterAttrNumber(const QString& Tag, QChar Letter, int& Value)
{
    const qsizetype at = Tag.indexOf(Letter, 2, Qt::CaseInsensitive);
    if (at < 0) return false;
    QString v = HTMLAttribute(Tag.mid(at), QString(Letter));
    if (v.isEmpty()) {
        v = Tag.mid(at + 2);
        if (v.endsWith(QLatin1Char('>'))) v.chop(1);
    }
    return HTMLTryNumber(v.trimmed(), Value);
}

class THTMLRenderer {
public:
    explicit THTMLRenderer(THTMLTextParams& Params) : P(Params), C(Params.Canvas) {}
    bool Run();

private:
    QString RenderLine(TRenderMode Mode, QString& Text, const TRect& R);
    void DrawSegment(const QString& Seg, const TRect& R, int Width);
    void ApplyOpenTag(const QString& Tag, const QString& Up, const TRect& R);
    void ApplyCloseTag(const QString& Up, const TRect& R);
    void Image(const QString& Tag, const QString& Up, const TRect& R);
    void Control(const QString& Tag, const TRect& R);
    void DrawControl(const THTMLControlTag& T, int W, const TRect& R);
    void PlaceObject(const TRect& R);
    bool PointInObject(const TRect& R) const;
    THTMLPicture* FindPicture(const QString& Src);
    void TileBackground(THTMLPicture* Pic);
    void DrawThemedOrFrame(const QString& ThemeClass, int Part, int State, TRect R, unsigned FrameType,
                           unsigned FrameState);
    void DrawFocus(int Right, const TRect& R);
    bool Drawing() const { return FMode == rmDraw; }

    THTMLTextParams& P;
    TCanvas* C;
    QString FFindID; // the control to find with CheckHotSpot

    // Registers of the call.
    TFont FBaseFont;
    TColor FEntryBk = clNone;
    bool FInAnchor = false;
    QString FLink, FTitle;
    int FAnchorCounter = 0;
    int FListLevel = 0;
    int FImageCounter = 0;
    int FHoveredImage = -1;
    int FParaAlign = 0, FParaIndent = 0;
    bool FParaBk = false;
    bool FShadow = false, FHidden = false, FWavy = false;
    TColor FFontBkRestore = clNone, FParaBkRestore = clNone;
    TColor FHiTextRestore = clBlack, FHiBkRestore = clNone;
    TColor FAnchorBkRestore = clNone, FAnchorTextRestore = clBlack;
    bool FPendingHover = false;
    int FAnchorStartX = 0, FAnchorStartY = 0, FAnchorStartLine = -1;
    bool FFocusActive = false;
    int FFocusLeft = 0;
    std::optional<TFont> FRotRestore;
    int FControlHeight = 25, FHitW = 0, FHitH = 0;
    bool FThemed = false;
    // Right to left under a right-to-left system locale: text read from the right and,
    // for mode 1, segments placed from the line's right edge leftwards (FRightEdge).
    unsigned FReading = 0;
    bool FFromRight = false;
    int FRightEdge = 0;
    int FLineIndex = 0;
    int FGH = 0; // text height of "gh" at the start of the line

    // Registers of the line.
    int FLineH = 0, FSupLift = 0, FSubDrop = 0, FImgOffset = 0;
    bool FSub = false, FSup = false;

    // State of one pass.
    TRenderMode FMode = rmMeasure;
    int FLineWidth = 0, FCurX = 0;
    bool FLineEnd = false, FOverflow = false, FLiOnLine = false;
    QString FLineText;
    int FTrailingSpace = 0;
    bool FAnchorTextHit = false, FObjectHit = false;
};

bool THTMLRenderer::Run()
{
    if (!C) return false;
    P.StrippedText.clear();
    P.FocusAnchor.clear();
    P.XSize = P.YSize = 0;
    P.AnchorCount = 0;
    P.MouseLink = -1;
    P.ControlRect = TRect();
    if (P.CheckHotSpot) FFindID = P.ControlID;
    else P.ControlID.clear();

    const TPen savedPen = *C->Pen();
    const TColor savedBk = TextBk(C);
    FBaseFont.Assign(*C->Font());
    FEntryBk = savedBk;
    FThemed = IsWinXPOrLater() && IsThemeActive();
    if (P.BiDiMode != 0 && FormatSettings().MiddleEast) {
        FReading = DT_RTLREADING;
        // A canvas laid out right to left already runs the line from the right.
        FFromRight = P.BiDiMode == 1 && !C->RightToLeftLayout();
    }

    // Preparation: entities that draw as one character, "<#" shown as text,
    // CR as a line break.
    QString rest = P.Text;
    if (rest.contains(QLatin1Char('&'))) {
        static const std::pair<const char*, char16_t> entities[] = {
            {"&quot;", u'"'}, {"&sect;", u'\u00A7'}, {"&permil;", u'\u2030'}, {"&reg;", u'\u00AE'},
            {"&copy;", u'\u00A9'}, {"&para;", u'\u00B6'}, {"&trade;", u'\u2122'}, {"&euro;", u'\u20AC'},
        };
        bool again = true;
        while (again) {
            const qsizetype before = rest.size();
            rest.replace(QLatin1String("&amp;"), QLatin1String("&&"), Qt::CaseInsensitive);
            for (const auto& e : entities)
                rest.replace(QLatin1String(e.first), QString(QChar(e.second)), Qt::CaseInsensitive);
            again = rest.size() != before; // every replacement shortens the text
        }
    }
    for (qsizetype i = rest.indexOf(QLatin1String("<#")); i >= 0; i = rest.indexOf(QLatin1String("<#"), i)) {
        const qsizetype gt = rest.indexOf(QLatin1Char('>'), i + 2);
        if (gt >= 0) rest.remove(gt, 1);
        rest.remove(i, 1);
    }
    rest.replace(QLatin1Char('\r'), QLatin1String("<BR>"));
    rest.remove(QLatin1Char('\n'));

    TFont measureFont, drawFont;
    measureFont.Assign(*C->Font());
    drawFont.Assign(*C->Font());
    TRect lineRect = P.Rect;
    lineRect.Left += 1;
    bool result = false;

    while (!rest.isEmpty()) {
        C->SetFont(measureFont);
        FLineH = FGH = C->TextHeight(QStringLiteral("gh"));
        FSupLift = FSubDrop = FImgOffset = 0;

        // What the measuring pass must not disturb for the second pass.
        const int anchorCounter = FAnchorCounter, listLevel = FListLevel, imageCounter = FImageCounter;
        const bool inAnchor = FInAnchor, shadow = FShadow, hidden = FHidden;
        const QString link = FLink, title = FTitle;

        TRect measureRect = lineRect;
        measureRect.Bottom = P.Rect.Bottom;
        QString lineSrc = RenderLine(rmMeasure, rest, measureRect);
        if (lineSrc.isEmpty() && !rest.isEmpty()) rest.remove(0, 1); // never stall on a line that takes nothing
        measureFont.Assign(*C->Font());
        const int lineWidth = FLineWidth;

        TRect dr = lineRect;
        if (FParaAlign == 1) {
            if (P.Rect.Right - lineWidth > dr.Left) dr.Left = P.Rect.Right - lineWidth;
        } else if (FParaAlign == 2) {
            if (dr.Right - dr.Left - lineWidth > 0) dr.Left += (dr.Right - dr.Left - lineWidth) / 2;
        }
        dr.Left += FParaIndent;
        dr.Bottom = dr.Top + FLineH + FSubDrop + FSupLift;

        if (!P.CalcOnly) {
            FAnchorCounter = anchorCounter;
            FListLevel = listLevel;
            FImageCounter = imageCounter;
            FInAnchor = inAnchor;
            FShadow = shadow;
            FHidden = hidden;
            FLink = link;
            FTitle = title;
            C->SetFont(drawFont);
            RenderLine(P.CheckHotSpot ? rmCheck : rmDraw, lineSrc, dr);
            drawFont.Assign(*C->Font());
            const int textBottom = dr.Bottom - FImgOffset;
            if (FObjectHit || (FAnchorTextHit && P.YPos > textBottom - FGH && P.YPos < textBottom)) result = true;
        }

        const int step = FLineH + FSubDrop + FSupLift;
        lineRect.Top += step;
        P.YSize += step;
        ++FLineIndex;
        if (!P.CalcOnly && FGH + lineRect.Top > P.Rect.Bottom) rest.clear();
    }

    if (P.YSize == 0) P.YSize = C->TextHeight(QStringLiteral("gh"));
    P.AnchorCount = FAnchorCounter;
    C->Pen()->SetColor(savedPen.Color());
    C->Pen()->SetWidth(savedPen.Width());
    SetTextBk(C, savedBk);
    C->SetFont(FBaseFont);
    return P.CalcOnly ? false : result;
}

QString THTMLRenderer::RenderLine(TRenderMode Mode, QString& Text, const TRect& R)
{
    FMode = Mode;
    QString consumed;
    FLineWidth = 0;
    FCurX = R.Left;
    FRightEdge = R.Right;
    FLineEnd = FOverflow = FLiOnLine = false;
    FLineText.clear();
    FTrailingSpace = 0;
    FAnchorTextHit = FObjectHit = false;
    FSub = FSup = false;
    const int lineW = R.Right - R.Left;

    if (FParaBk && Drawing()) {
        const TColor bk = TextBk(C);
        if (bk != clNone) {
            C->Pen()->SetColor(bk);
            C->Rectangle(P.Rect.Left, R.Top, P.Rect.Right, R.Top + FLineH);
        }
    }
    if (FFocusActive && Drawing()) FFocusLeft = R.Left;

    while (!Text.isEmpty() && !FLineEnd && !FOverflow) {
        // A run of text up to the next tag (with word wrap, up to and including the next space).
        const qsizetype a = Text.indexOf(QLatin1Char('<'));
        const qsizetype s = P.WordWrap ? Text.indexOf(QLatin1Char(' ')) : -1;
        QString src;
        if (a >= 0 && (s < 0 || s > a)) src = Text.left(a);
        else if (s >= 0) src = Text.left(s + 1);
        else src = Text;

        if (!src.isEmpty()) {
            QString seg = src;
            seg.replace(QLatin1String("&nbsp;"), QLatin1String(" "), Qt::CaseInsensitive);
            seg.replace(QLatin1String("&lt;"), QLatin1String("<"), Qt::CaseInsensitive);
            seg.replace(QLatin1String("&gt;"), QLatin1String(">"), Qt::CaseInsensitive);
            const int T = C->TextHeight(seg);
            if (FSub) FSubDrop = std::max(FSubDrop, T / 4);
            if (FSup) FSupLift = std::max(FSupLift, T / 4);
            FLineH = std::max(FLineH, T);
            if (FHidden) {
                consumed += src;
                Text.remove(0, src.size());
                if (Mode == rmMeasure) P.StrippedText += seg;
                continue;
            }
            TRect calc(0, 0, 0x3FFFFFFF, FLineH);
            DrawText(C, seg, calc, kTextFormat | DT_CALCRECT);
            const int w = calc.Right - calc.Left;
            const int before = FLineWidth;
            // The drawing pass does not count text widths.
            const int with = before + (Drawing() ? 0 : w);
            const bool fits = with < lineW || w >= lineW
                           || (!FLineText.isEmpty() && !FLineText.endsWith(QLatin1Char(' ')));
            // The second pass lays out exactly what measuring put on the line.
            if (!fits && P.WordWrap && Mode == rmMeasure) {
                FLineEnd = true;
                break;
            }
            if (!Drawing()) {
                FLineWidth = with;
                if (FInAnchor && P.XPos >= R.Left + before && P.XPos <= R.Left + FLineWidth) {
                    FAnchorTextHit = true;
                    if (P.YPos > R.Top) {
                        P.AnchorValue = FLink;
                        P.AnchorHint = FTitle;
                        // The anchor's rectangle is taken from the second pass, which has the
                        // line's final place and height.
                        if (Mode != rmMeasure) FPendingHover = true;
                    }
                }
            } else {
                DrawSegment(seg, R, w);
            }
            const bool firstText = FLineText.isEmpty();
            consumed += src;
            Text.remove(0, src.size());
            FLineText += seg;
            if (Mode == rmMeasure) P.StrippedText += seg;
            FTrailingSpace = seg.endsWith(QLatin1Char(' ')) ? C->TextWidth(QStringLiteral(" ")) : 0;
            if (!fits && Mode == rmMeasure && !firstText) Text.clear(); // overflow without word wrap is cut
        }

        if (Text.isEmpty() || Text[0] != QLatin1Char('<')) continue;
        if (Text.size() <= 2) {
            Text.clear();
            break;
        }
        const qsizetype gt = Text.indexOf(QLatin1Char('>'));
        const QString tag = gt < 0 ? Text : Text.left(gt + 1);
        const QString up = tag.toUpper();
        if (up[1] == QLatin1Char('/') && up.size() > 3) ApplyCloseTag(up, R);
        else ApplyOpenTag(tag, up, R);
        if (FOverflow) break;
        consumed += tag;
        if (gt < 0) Text.clear();
        else Text.remove(0, gt + 1);
    }

    FLineWidth -= FTrailingSpace;
    P.XSize = std::max(P.XSize, FLineWidth);
    if (FFocusActive && Drawing()) DrawFocus(FCurX, R);
    return consumed;
}

void THTMLRenderer::DrawSegment(const QString& Seg, const TRect& R, int Width)
{
    unsigned format = kTextFormat | FReading;
    if (!P.WordWrap) format |= DT_END_ELLIPSIS;
    TRect tr(FCurX, R.Top, R.Right, R.Bottom);
    if (FFromRight) {
        format |= DT_RIGHT;
        tr.Right = FRightEdge;
    }
    const int segLeft = FFromRight ? FRightEdge - Width : FCurX;
    if (FSup) tr.Bottom -= FSupLift;
    if (FSub) tr.Bottom += FSubDrop;
    tr.Bottom -= FImgOffset;
    if (FShadow) {
        const TColor color = C->Font()->Color();
        const TColor bk = TextBk(C);
        C->Font()->SetColor(P.ShadowColor);
        TRect sr = tr;
        OffsetRect(sr, P.ShadowOffset, P.ShadowOffset);
        DrawText(C, Seg, sr, format);
        C->Font()->SetColor(color);
        SetTextBk(C, bk);
    }
    DrawText(C, Seg, tr, format);
    if (FInAnchor && FAnchorCounter == P.FocusLink + 1) P.FocusAnchor = FLink;
    if (FWavy) {
        C->Pen()->SetColor(clRed);
        C->Pen()->SetWidth(1);
        int x = segLeft / 2 * 2;
        const int low = R.Bottom - 1, high = R.Bottom + 1;
        int y = x % 4 == 0 ? high : low;
        C->MoveTo(x, y);
        while (x < segLeft + Width) {
            x += 2;
            y = y == high ? low : high;
            C->LineTo(x, y);
        }
    }
    if (FFromRight) FRightEdge -= Width;
    else FCurX += Width;
}

void THTMLRenderer::DrawFocus(int Right, const TRect& R)
{
    const int bottom = R.Bottom - FImgOffset;
    TRect fr(FFocusLeft - 1, bottom - FGH, Right + 1, bottom);
    C->DrawFocusRect(fr);
}

void THTMLRenderer::ApplyOpenTag(const QString& Tag, const QString& Up, const TRect& R)
{
    const QChar c1 = Up[1];
    const QChar c2 = Up.size() > 2 ? Up[2] : QChar();
    TFont* font = C->Font();
    auto setStyle = [font](TFontStyle st, bool on) { SetFontStyle(font, st, on); };
    switch (c1.unicode()) {
    case 'A': {
        if (FAnchorCounter == P.FocusLink && Drawing()) {
            FFocusActive = true;
            FFocusLeft = FCurX;
        }
        ++FAnchorCounter;
        bool hoverFont = false;
        if ((!P.HoverStyle || P.HoverLink == FAnchorCounter) && Drawing()) {
            setStyle(fsUnderline, true);
            if (P.HoverColor != clNone) {
                FAnchorBkRestore = TextBk(C);
                SetTextBk(C, P.HoverColor);
            }
            if (P.HoverFontColor != clNone) {
                FAnchorTextRestore = font->Color();
                font->SetColor(P.HoverFontColor);
                hoverFont = true;
            }
        }
        if (!P.Selected && !hoverFont) font->SetColor(P.URLColor);
        const QString attr = Tag.mid(2);
        if (attr.contains(QLatin1String("HREF"), Qt::CaseInsensitive)) {
            FLink = HTMLAttribute(attr, QStringLiteral("HREF"));
            FInAnchor = true;
        }
        if (attr.contains(QLatin1String("TITLE"), Qt::CaseInsensitive))
            FTitle = HTMLAttribute(attr, QStringLiteral("TITLE"));
        FAnchorStartX = R.Left + FLineWidth;
        FAnchorStartY = R.Top;
        FAnchorStartLine = FLineIndex;
        break;
    }
    case 'B':
        if (c2 == QLatin1Char('>')) setStyle(fsBold, true);
        else if (c2 == QLatin1Char('R')) {
            FLineEnd = true;
            if (FMode == rmMeasure) P.StrippedText += QLatin1Char('\r');
        } else if (c2 == QLatin1Char('L')) {
            if (!P.BlinkOn && FEntryBk != clNone) font->SetColor(FEntryBk);
        } else if (c2 == QLatin1Char('O')) {
            const QString attr = Up.mid(5);
            if (attr.contains(QLatin1String("BACKGROUND")) && Drawing()) {
                // Picture names keep their letter case (file systems here are case-sensitive).
                TileBackground(FindPicture(HTMLAttribute(Tag.mid(5), QStringLiteral("BACKGROUND"))));
            }
            if (attr.contains(QLatin1String("BGCOLOR"))) {
                const QString v = HTMLAttribute(attr, QStringLiteral("BGCOLOR"));
                std::optional<TColor> color;
                if (v.contains(QLatin1Char('#'))) color = HTMLHexColor(v.mid(v.indexOf(QLatin1Char('#'))));
                else if (v.contains(QLatin1String("CL"))) color = HTMLColorByName(v.toLower());
                if (color) {
                    SetTextBk(C, *color);
                    if (Drawing()) {
                        FFontBkRestore = *color;
                        C->Brush()->SetColor(*color);
                        C->FillRect(P.Rect);
                    }
                }
            }
        }
        break;
    case 'C':
        Control(Tag, R);
        break;
    case 'E':
        if (Drawing()) FWavy = true;
        break;
    case 'F': {
        const QString attr = Up.mid(5);
        if (attr.contains(QLatin1String("FACE"))) font->SetName(HTMLAttribute(attr, QStringLiteral("FACE")));
        if (attr.contains(QLatin1String(" COLOR")) && !P.Selected)
            font->SetColor(AttrColor(HTMLAttribute(attr, QStringLiteral(" COLOR"))));
        if (attr.contains(QLatin1String("BGCOLOR")) && Drawing() && !P.Selected) {
            FFontBkRestore = TextBk(C);
            SetTextBk(C, AttrColor(HTMLAttribute(attr, QStringLiteral("BGCOLOR"))));
        }
        const qsizetype sz = attr.indexOf(QLatin1String("SIZE"));
        if (sz >= 0) {
            QString v = HTMLAttribute(attr.mid(sz), QStringLiteral("SIZE"));
            if (v.isEmpty()) {
                v = attr.mid(sz + 4);
                while (v.startsWith(QLatin1Char('=')) || v.startsWith(QLatin1Char(' '))) v.remove(0, 1);
            }
            const int n = HTMLNumber(v);
            static const int sizes[] = {8, 10, 12, 14, 16};
            if (n >= 1 && n <= 5) font->SetSize(sizes[n - 1]);
            else if (n > 0) font->SetSize(n);
        }
        break;
    }
    case 'H':
        if (c2 == QLatin1Char('I')) {
            if (Drawing()) {
                FHiTextRestore = font->Color();
                FHiBkRestore = TextBk(C);
                font->SetColor(gHighlightText);
                SetTextBk(C, gHighlightBk);
            }
        } else if (c2 == QLatin1Char('R')) {
            FLineEnd = true;
            if (Drawing()) {
                C->Pen()->SetColor(clBlack);
                C->MoveTo(R.Left, R.Bottom + 1);
                C->LineTo(R.Right, R.Bottom + 1);
            }
        }
        break;
    case 'I':
        if (c2 == QLatin1Char('>')) setStyle(fsItalic, true);
        else if (c2 == QLatin1Char('N')) {
            int n = 0;
            if (LetterAttrNumber(Tag, QLatin1Char('x'), n) && FLineWidth < n) {
                FLineWidth = n;
                FCurX = P.Rect.Left + n;
            }
        } else if (c2 == QLatin1Char('M')) {
            Image(Tag, Up, R);
        }
        break;
    case 'L':
        if (FLiOnLine) {
            FOverflow = true;
            break;
        }
        FLiOnLine = true;
        FLineWidth += FListLevel * kBulletIndent;
        FCurX += (FListLevel - 1) * kBulletIndent;
        if (Drawing()) {
            const QString name = font->Name();
            font->SetName(QStringLiteral("Symbol"));
            TRect br(FCurX, R.Top, R.Right, R.Bottom);
            DrawText(C, FListLevel % 2 ? QStringLiteral("\u00B7") : QStringLiteral("o"), br,
                     DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
            font->SetName(name);
        }
        FCurX += kBulletIndent;
        break;
    case 'P': {
        if (!Tag.contains(QLatin1Char('>'))) break;
        const QString attr = Up.mid(2);
        if (attr.contains(QLatin1String("ALIGN"))) {
            const QString v = HTMLAttribute(attr, QStringLiteral("ALIGN"));
            if (v.contains(QLatin1String("RIGHT"))) FParaAlign = 1;
            else if (v.contains(QLatin1String("LEFT"))) FParaAlign = 0;
            else if (v.contains(QLatin1String("CENTER"))) FParaAlign = 2;
        }
        if (attr.contains(QLatin1String("INDENT"))) FParaIndent = HTMLNumber(HTMLAttribute(attr, QStringLiteral("INDENT")));
        if (attr.contains(QLatin1String("BGCOLOR")) && Drawing()) {
            const QString v = HTMLAttribute(attr, QStringLiteral("BGCOLOR"));
            const TColor color = v.isEmpty() ? clNone : AttrColor(v);
            FParaBk = true;
            FParaBkRestore = TextBk(C);
            SetTextBk(C, color);
            if (color != clNone) {
                C->Pen()->SetColor(color);
                C->Rectangle(P.Rect.Left, R.Top, P.Rect.Right, R.Top + FLineH);
            }
        }
        break;
    }
    case 'R': {
        int n = 0;
        if (LetterAttrNumber(Tag, QLatin1Char('a'), n)) {
            if (!FRotRestore) FRotRestore = *font;
            // Whole turns change nothing, and reducing first keeps huge angles from overflowing.
            font->SetOrientation(int((static_cast<qint64>(n) % 360) * 10));
        }
        break;
    }
    case 'S':
        if (Up == QLatin1String("<SUB>")) FSub = true;
        else if (Up == QLatin1String("<SUP>")) FSup = true;
        else if (c2 == QLatin1Char('>')) setStyle(fsStrikeOut, true);
        else if (c2 == QLatin1Char('H')) FShadow = true;
        break;
    case 'U':
        if (c2 == QLatin1Char('>')) setStyle(fsUnderline, true);
        else {
            ++FListLevel;
            FLineEnd = true;
        }
        break;
    case 'Z':
        FHidden = true;
        break;
    default:
        break;
    }
}

void THTMLRenderer::ApplyCloseTag(const QString& Up, const TRect& R)
{
    const QChar c2 = Up[2];
    const QChar c3 = Up.size() > 3 ? Up[3] : QChar();
    TFont* font = C->Font();
    auto setStyle = [font](TFontStyle st, bool on) { SetFontStyle(font, st, on); };
    switch (c2.unicode()) {
    case 'A':
        if ((!P.HoverStyle || P.HoverLink == FAnchorCounter) && Drawing()) {
            setStyle(fsUnderline, false);
            if (P.HoverColor != clNone) SetTextBk(C, FAnchorBkRestore);
            if (P.HoverFontColor != clNone) font->SetColor(FAnchorTextRestore);
        }
        if (!P.Selected) font->SetColor(FBaseFont.Color());
        FInAnchor = false;
        if (FPendingHover && FMode != rmMeasure) {
            const bool sameLine = FAnchorStartLine == FLineIndex;
            P.HoverRect = TRect(sameLine ? FAnchorStartX : R.Left, sameLine ? FAnchorStartY : R.Top,
                                R.Left + FLineWidth, R.Bottom);
            P.MouseLink = FAnchorCounter;
            FPendingHover = false;
        }
        if (FAnchorCounter - 1 == P.FocusLink && FFocusActive) {
            if (Drawing()) DrawFocus(FCurX, R);
            FFocusActive = false;
        }
        break;
    case 'B':
        if (c3 == QLatin1Char('>')) setStyle(fsBold, false);
        else font->SetColor(FBaseFont.Color());
        break;
    case 'E':
        if (Drawing()) FWavy = false;
        break;
    case 'F':
        font->SetName(FBaseFont.Name());
        font->SetHeight(FBaseFont.Height());
        if (Drawing() && !P.Selected) {
            font->SetColor(FBaseFont.Color());
            SetTextBk(C, FFontBkRestore);
        }
        break;
    case 'H':
        if (Drawing()) {
            font->SetColor(FHiTextRestore);
            SetTextBk(C, FHiBkRestore);
        }
        break;
    case 'I':
        setStyle(fsItalic, false);
        break;
    case 'L':
        FLineEnd = true;
        break;
    case 'P':
        FLineEnd = true;
        if (Drawing()) {
            SetTextBk(C, FParaBkRestore);
            FParaBk = false;
        }
        break;
    case 'R':
        if (FRotRestore) {
            C->SetFont(*FRotRestore);
            FRotRestore.reset();
        }
        break;
    case 'S':
        if (c3 == QLatin1Char('U')) FSub = FSup = false;
        else if (c3 == QLatin1Char('H')) FShadow = false;
        else setStyle(fsStrikeOut, false);
        break;
    case 'U':
        if (c3 == QLatin1Char('>')) setStyle(fsUnderline, false);
        else if (FListLevel > 0) --FListLevel;
        else setStyle(fsUnderline, false);
        break;
    case 'Z':
        FHidden = false;
        break;
    default:
        break;
    }
}

THTMLPicture* THTMLRenderer::FindPicture(const QString& Src)
{
    THTMLPicture* pic = nullptr;
    if (!Src.contains(QLatin1Char(':')) && P.Container) pic = P.Container->FindPicture(Src);
    if (Src.contains(QLatin1String("://")) && P.ImageCache) {
        if (!P.ImageCache->FindPicture(Src)) {
            THTMLPicture* added = P.ImageCache->AddPicture();
            added->SetAsynch(false);
            try {
                added->LoadFromURL(Src);
            } catch (const std::exception&) {
                // An undecodable picture draws nothing.
            }
        }
        pic = P.ImageCache->FindPicture(Src);
    }
    return pic;
}

void THTMLRenderer::TileBackground(THTMLPicture* Pic)
{
    if (!Pic || Pic->Empty() || Pic->Width() <= 0 || Pic->Height() <= 0) return;
    const int saved = C->SaveState();
    C->IntersectClipRect(P.Rect);
    for (int y = P.Rect.Top; y < P.Rect.Bottom; y += Pic->Height())
        for (int x = P.Rect.Left; x < P.Rect.Right; x += Pic->Width()) C->Draw(x, y, Pic);
    C->RestoreState(saved);
}

bool THTMLRenderer::PointInObject(const TRect& R) const
{
    const int dx = P.XPos - R.Left;
    return dx > FLineWidth && dx < FLineWidth + FHitW && P.YPos > R.Top && P.YPos < R.Top + FHitH;
}

void THTMLRenderer::PlaceObject(const TRect& R)
{
    const int lineW = R.Right - R.Left;
    if (FMode == rmMeasure && FLineWidth + FHitW > lineW && lineW > FHitW) {
        FOverflow = true;
        return;
    }
    FLineWidth += FHitW;
    FCurX += FHitW;
    FLineH = std::max(FLineH, FHitH);
    FTrailingSpace = 0;
}

void THTMLRenderer::Image(const QString& Tag, const QString& Up, const TRect& R)
{
    ++FImageCounter;
    const QString attrUp = Up.mid(4);
    // Sources keep their letter case: file names and resource names here are case-sensitive.
    const QString attr = Tag.mid(4);
    QString src = HTMLAttribute(attr, QStringLiteral("SRC"));
    if (attrUp.contains(QLatin1String("ALT")) && FImageCounter == FHoveredImage)
        src = HTMLAttribute(attr, QStringLiteral("ALT"));
    const int width = HTMLNumber(HTMLAttribute(attrUp, QStringLiteral("WIDTH")));
    const int height = HTMLNumber(HTMLAttribute(attrUp, QStringLiteral("HEIGHT")));
    FHitW = FHitH = 0;
    const QString srcUp = src.toUpper();

    if (srcUp.contains(QLatin1String("IDX:"))) {
        src = src.mid(4);
        const int idx = HTMLNumber(src);
        // A negative index draws nothing and takes no space.
        if (P.Images && idx >= 0 && idx < P.Images->Count()) {
            FHitW = ScaleX(P.Images->Width());
            FHitH = ScaleY(P.Images->Height());
            if (Drawing()) {
                if (!P.ScaleImages) {
                    P.Images->Draw(C, FCurX, R.Top, idx);
                } else {
                    TBitmap bmp;
                    bmp.SetImage(P.Images->Image(idx));
                    bmp.SetPixelFormat(pf32bit);
                    StretchDrawBitmap(C,
                                      Bounds(FCurX, R.Top, int(RoundHalfEven(P.Images->Width() * P.ImageRatio)),
                                             int(RoundHalfEven(P.Images->Height() * P.ImageRatio))),
                                      &bmp);
                }
            }
        }
    } else if (srcUp.contains(QLatin1String("SSYS:")) || srcUp.contains(QLatin1String("LSYS:"))) {
        const bool large = srcUp.contains(QLatin1String("LSYS:"));
        src = src.mid(5);
        TSize size;
        DrawShellIcon(C, FCurX, R.Top, size, P.ImageRatio, P.ScaleImages, Drawing(), large, src);
        FHitW = ScaleX(size.cx);
        FHitH = ScaleY(size.cy);
    }

    THTMLPicture* pic = FindPicture(src);
    if (pic && !pic->Empty() && pic->Width() > 0 && pic->Height() > 0) {
        int w = pic->Width(), h = pic->Height();
        if (width > 0 && height > 0) {
            w = width;
            h = height;
        } else if (width > 0) {
            w = width;
            h = int(RoundHalfEven(double(pic->Height()) * width / pic->Width()));
        } else if (height > 0) {
            h = height;
            w = int(RoundHalfEven(double(pic->Width()) * height / pic->Height()));
        }
        const bool sized = width > 0 || height > 0;
        if (Drawing()) {
            if (sized) {
                pic->SetStretch(true);
                C->StretchDraw(Bounds(FCurX, R.Top, w, h), pic);
            } else {
                if (pic->FrameCount() > 1 && FEntryBk != clNone) {
                    const TColor brush = C->Brush()->Color();
                    const TBrushStyle style = C->Brush()->Style();
                    C->Brush()->SetColor(FEntryBk);
                    C->FillRect(Bounds(FCurX, R.Top, pic->MaxWidth(), pic->MaxHeight()));
                    C->Brush()->SetColor(brush);
                    C->Brush()->SetStyle(style);
                }
                C->Draw(FCurX + pic->FrameXPos(), R.Top + pic->FrameYPos(), pic);
            }
        }
        FHitW = ScaleX(sized ? w : pic->MaxWidth());
        FHitH = ScaleY(sized ? h : pic->MaxHeight());
    }

    if (PointInObject(R) && FInAnchor) {
        FObjectHit = true;
        P.AnchorValue = FLink;
        P.AnchorHint = FTitle;
        FHoveredImage = FImageCounter;
    }

    PlaceObject(R);
    if (FOverflow || !attrUp.contains(QLatin1String("ALIGN"))) return;
    const int gh = C->TextHeight(QStringLiteral("gh"));
    if (attrUp.contains(QLatin1String("\"TOP"))) FImgOffset = FLineH - gh;
    else if (attrUp.contains(QLatin1String("\"MIDDLE"))) FImgOffset = std::max(0, (FLineH - gh) / 2);
}

void THTMLRenderer::Control(const QString& Tag, const TRect& R)
{
    QString attr = Tag.mid(2);
    if (attr.endsWith(QLatin1Char('>'))) attr.chop(1);
    const THTMLControlTag t = ParseHTMLControlTag(attr);
    int hv = 0;
    FControlHeight = HTMLTryNumber(t.Height, hv) ? hv : 25;
    if (t.Width.isEmpty()) return;
    int W = 0;
    if (HTMLTryNumber(t.Width, W)) {
        FHitW = W;
        FHitH = C->TextHeight(QStringLiteral("gh")) + 10;
    }
    const bool box = t.Type == QLatin1String("CHECK") || t.Type == QLatin1String("RADIO");
    FLineH = box ? 16 : 23;
    if (FControlHeight > 25) FLineH = FControlHeight - 2;

    if (Drawing()) DrawControl(t, W, R);

    if (t.Type == QLatin1String("BUTTON") || t.Type == QLatin1String("COMBO")) FHitH = 25;
    if (box) FHitW = FHitH = 16;

    if (PointInObject(R) || (P.CheckHotSpot && !FFindID.isEmpty() && t.ID == FFindID)) {
        FObjectHit = true;
        P.AnchorValue = QStringLiteral("ctrl");
        FHoveredImage = FImageCounter;
        P.ControlRect = Bounds(R.Left + FLineWidth, R.Top, FHitW, FHitH);
        P.ControlValue = t.Value;
        P.ControlID = t.ID;
        P.ControlType = t.Type;
    }
    PlaceObject(R);
}

void THTMLRenderer::DrawThemedOrFrame(const QString& ThemeClass, int Part, int State, TRect R, unsigned FrameType,
                                      unsigned FrameState)
{
    if (FThemed) {
        if (HTHEME theme = OpenThemeData(P.WindowHandle, ThemeClass)) {
            DrawThemeBackground(theme, C, Part, State, R);
            CloseThemeData(theme);
            return;
        }
    }
    DrawFrameControl(C, R, FrameType, FrameState);
}

void THTMLRenderer::DrawControl(const THTMLControlTag& T, int W, const TRect& R)
{
    const int B = R.Bottom, L = FCurX, Hl = FLineH;
    auto hotFor = [&](int hitH) {
        return P.XPos > L - 2 && P.XPos < L - 2 + FHitW && P.YPos > B - hitH - 2 && P.YPos < B - 2;
    };
    const bool hot = hotFor(FHitH);
    const bool checked = T.Value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
    auto editBox = [&]() {
        C->Pen()->SetColor(FThemed ? TColor(0xB99D7F) : TColor(0x808080));
        C->Brush()->SetColor(clWhite);
        C->Rectangle(L, B - Hl + 4, L + W, B + 2);
    };
    if (T.Type == QLatin1String("EDIT") || T.Type == QLatin1String("MASK") || T.Type == QLatin1String("PASSWORD")) {
        editBox();
        TRect tr(L + 2, B - Hl + 4, L + W, B);
        const QString shown = T.Type == QLatin1String("PASSWORD") ? QString(T.Value.size(), QLatin1Char('*')) : T.Value;
        DrawText(C, shown, tr, DT_SINGLELINE | DT_VCENTER);
    } else if (T.Type == QLatin1String("COMBO")) {
        editBox();
        TRect tr(L + 4, B - Hl + 4, L + W - 18, B);
        DrawText(C, T.Value, tr, DT_SINGLELINE | DT_VCENTER);
        DrawThemedOrFrame(QStringLiteral("combobox"), 1, hot ? 2 : 1, TRect(L + W - 18, B - Hl + 5, L + W - 1, B + 1),
                          DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    } else if (T.Type == QLatin1String("CHECK")) {
        DrawThemedOrFrame(QStringLiteral("button"), 3, checked ? 5 : 1, TRect(L + 2, B - 15, L + 15, B), DFC_BUTTON,
                          checked ? 0x4400 : 0x4000);
    } else if (T.Type == QLatin1String("RADIO")) {
        DrawThemedOrFrame(QStringLiteral("button"), 2, checked ? 5 : 1, TRect(L + 2, B - 14, L + 14, B), DFC_BUTTON,
                          checked ? 0x4404 : 0x4004);
    } else if (T.Type == QLatin1String("BUTTON")) {
        const bool bhot = hotFor(24);
        TRect br(L + 2, B - FControlHeight, L + W - 2, B);
        DrawThemedOrFrame(QStringLiteral("button"), 1, P.Down ? 3 : (bhot ? 2 : 1), br, DFC_BUTTON,
                          bhot && P.Down ? 0x210 : 0x10);
        InflateRect(br, -2, -2);
        SetTextBk(C, clNone);
        DrawText(C, T.Value, br, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    } else {
        return;
    }
    SetTextBk(C, clNone);
}

} // namespace

bool DrawHTMLText(THTMLTextParams& P)
{
    THTMLRenderer r(P);
    return r.Run();
}

bool DrawHTMLText(TCanvas* Canvas, const QString& Text, const TRect& Rect, TImageList* Images, int XPos, int YPos,
                  int FocusLink, int HoverLink, int ShadowOffset, bool CheckHotSpot, bool CalcOnly, bool ScaleImages,
                  bool Selected, bool BlinkOn, bool HoverStyle, bool WordWrap, bool Down, double ImageRatio,
                  TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                  QString& AnchorValue, QString& StrippedText, QString& FocusAnchor, QString& AnchorHint, int& XSize,
                  int& YSize, int& AnchorCount, int& MouseLink, TRect& HoverRect, TRect& ControlRect,
                  QString& ControlID, QString& ControlValue, QString& ControlType, THTMLPictureCache* ImageCache,
                  TPictureContainer* Container, HWND WindowHandle, int BiDiMode)
{
    THTMLTextParams p;
    p.Canvas = Canvas;
    p.Text = Text;
    p.Rect = Rect;
    p.Images = Images;
    p.XPos = XPos;
    p.YPos = YPos;
    p.FocusLink = FocusLink;
    p.HoverLink = HoverLink;
    p.ShadowOffset = ShadowOffset;
    p.CheckHotSpot = CheckHotSpot;
    p.CalcOnly = CalcOnly;
    p.ScaleImages = ScaleImages;
    p.Selected = Selected;
    p.BlinkOn = BlinkOn;
    p.HoverStyle = HoverStyle;
    p.WordWrap = WordWrap;
    p.Down = Down;
    p.ImageRatio = ImageRatio;
    p.URLColor = URLColor;
    p.HoverColor = HoverColor;
    p.HoverFontColor = HoverFontColor;
    p.ShadowColor = ShadowColor;
    p.AnchorValue = AnchorValue;
    p.HoverRect = HoverRect;
    p.ControlID = ControlID;
    p.ImageCache = ImageCache;
    p.Container = Container;
    p.WindowHandle = WindowHandle;
    p.BiDiMode = BiDiMode;
    const bool result = DrawHTMLText(p);
    AnchorValue = p.AnchorValue;
    StrippedText = p.StrippedText;
    FocusAnchor = p.FocusAnchor;
    AnchorHint = p.AnchorHint;
    XSize = p.XSize;
    YSize = p.YSize;
    AnchorCount = p.AnchorCount;
    MouseLink = p.MouseLink;
    HoverRect = p.HoverRect;
    ControlRect = p.ControlRect;
    ControlID = p.ControlID;
    ControlValue = p.ControlValue;
    ControlType = p.ControlType;
    return result;
}

void SetHTMLHighlightColors(TColor Background, TColor Text)
{
    gHighlightBk = Background;
    gHighlightText = Text;
}

void StretchDrawBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap)
{
    if (!Canvas || !Bitmap) return;
    const TCopyMode mode = Canvas->CopyMode();
    Canvas->SetCopyMode(cmSrcCopy);
    Canvas->StretchDraw(R, Bitmap);
    Canvas->SetCopyMode(mode);
}

void DrawShellIcon(TCanvas* Canvas, int X, int Y, TSize& Size, double Ratio, bool Scaled, bool Draw, bool Large,
                   const QString& Path)
{
    const int side = Large ? 32 : 16;
    Size = TSize{side, side};
    if (!Draw || !Canvas || Path.isEmpty()) return;
    // A number named an entry of a system image list, which this desktop lacks.
    int index = 0;
    const QImage icon = HTMLTryNumber(Path, index) ? GenericFileIcon(false, Large) : FileIconImage(Path, Large);
    if (!Scaled) {
        TIcon ico;
        ico.SetImage(icon);
        Canvas->Draw(X, Y, &ico);
        return;
    }
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetImage(icon);
    StretchDrawBitmap(Canvas,
                      Bounds(X, Y, int(RoundHalfEven(side * Ratio)), int(RoundHalfEven(side * Ratio))), &bmp);
}

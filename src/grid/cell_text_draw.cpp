// The text of one cell: the displayed text (formats, formulas, passwords,
// links), its alignment, its drawing by kind (mini-HTML, rich text, plain) with
// the filter button, selection rectangle, error underline and sort indicator
// sharing the text area, and the measuring that follows the same rules.
#include <QByteArray>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "grid/cell_paint.h"
#include "grid/draw_utils.h"
#include "grid/grid_text.h"
#include "grid/html_render.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/controls.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"
#include "platform/ui/richedit.h"

namespace {

bool MouseButtonDown() { return GetKeyState(VK_LBUTTON) < 0; }

bool IsNumberKind(int k) { return k == nkInteger || k == nkDecimal || k == nkExponent; }

QString FirstLine(const QString& s)
{
    const int i = s.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    return i < 0 ? s : s.left(i);
}

QStringList CellLines(const QString& s)
{
    QString t = s;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return t.split(QLatin1Char('\r'));
}

// Where a link's protocol ends (after "://" or "mailto:"), -1 when the text is no link.
int LinkProtocolEnd(const QString& s)
{
    const int p = s.indexOf(QStringLiteral("://"));
    const int m = s.indexOf(QStringLiteral("mailto:"), 0, Qt::CaseInsensitive);
    if (p < 0 && m < 0) return -1;
    if (p >= 0 && (m < 0 || p < m)) return p + 3;
    return m + 7;
}

} // namespace

// ============================================================ helpers

double ClampPercent(double x) { return std::clamp(x, 0.0, 100.0); }

QString RichCellPlainText(const QString& CellText)
{
    const QByteArray b = CellText.toLatin1();
    return RTF_To_Plain_Text(std::vector<uint8_t>(b.begin(), b.end()));
}

void RotatedTextOrigin(TCanvas* Canvas, TRect& R, int Angle, const QString& Text, int HAlign, int VAlign,
                       bool Printing)
{
    const int w = Canvas->TextWidth(Text), t = Canvas->TextHeight(Text);
    if (Printing) {
        R.Left += 2;
        R.Right -= 2;
        R.Top -= 2;
        R.Bottom += 2;
    } else {
        InflateRect(R, -2, -2);
    }
    const double a = Angle * M_PI / 180.0;
    const int A = std::abs(int(std::cos(a) * w)), B = std::abs(int(std::sin(a) * t));
    int C = std::abs(int(std::sin(a) * w)), D = std::abs(int(std::cos(a) * t));
    if (Printing) {
        C = -C;
        D = -D;
    }
    const int W = A + B, H = C + D;
    int left = R.Left, top = R.Top;
    if (HAlign == 1) left = R.Right - W;
    else if (HAlign == 2) left = R.Left + (R.Width() - W) / 2;
    if (VAlign == 1) top = R.Bottom - H;
    else if (VAlign == 2) top = R.Top + (R.Height() - H) / 2;
    const int an = ((Angle % 360) + 360) % 360;
    TPoint o;
    if (an <= 90) o = TPoint(0, C);
    else if (an <= 180) o = TPoint(A, H);
    else if (an <= 270) o = TPoint(W, D);
    else o = TPoint(B, 0);
    R.Left = left + o.X;
    R.Top = top + o.Y;
}

// ============================================================ displayed text and alignment

QString TKvStringGrid::GetFormattedCell(int ACol, int ARow)
{
    QString s = Cells(ACol, ARow);
    if (!OnGetFloatFormat) return s;
    const int k = ClassifyNumberText(s.trimmed());
    if (!IsNumberKind(k)) return s;
    bool isFloat = true;
    QString fmt = FFloatFormat;
    OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (!isFloat || fmt.isEmpty()) return s;
    bool ok = false;
    const double v = ExtractNumberText(s).toDouble(&ok);
    if (!ok) return s;
    // An integer conversion gets the integer part; a format that does not fit keeps the text.
    QString out;
    return FormatFloatText(fmt, v, out, true) ? out : s;
}

void TKvStringGrid::CalcCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA)
{
    HA = FDefaultAlignment;
    VA = FVAlignment;
    const int RC = RealColIndex(ACol);
    bool formula = false;
    if (AutoNumAlign) {
        QString s = Cells(RC, ARow);
        if (s.startsWith(QLatin1Char('=')) || (s.length() > 3 && s.startsWith(QStringLiteral("|\\")) &&
                                               s.at(3) == QLatin1Char('='))) {
            formula = true;
            GetEvaluatedCell(RC, ARow, s);
        }
        if (IsNumberKind(ClassifyNumberText(s.trimmed()))) HA = taRightJustify;
    }
    if (HasCellProperties(RC, ARow) && !formula) HA = GridObjects(RC, ARow)->Alignment();
    GetAlignment(RC, ARow, HA, VA);
}

bool TKvStringGrid::ShowsSortIndicator(int RCol, int ARow)
{
    const int fr = TBaseGrid::FixedRows();
    if (fr <= 0 || !HasSortIndicator(DisplColIndex(RCol), ARow)) return false;
    const int idx = FSortIndexes->Count() > 0 ? FSortIndexes->FindIndex(RCol) : -1;
    if (RCol != FSortSettings->Column && idx < 0) return false;
    if (RCol < TBaseGrid::FixedCols() && !FSortSettings->FixedCols) return false;
    if (idx > 0 && !FSortSettings->IndexShow) return false;
    return true;
}

// ============================================================ text painter

void TKvStringGrid::DrawCellText(TCanvas* ACanvas, int ACol, int ARow, TRect R, TGridDrawState AState,
                                 TAlignment HA, TVAlignment VA, bool WW, const TCellGraphicInfo& GI,
                                 bool FilterButton, TColor PlainBrush, TColor PlainFont, bool FixedCell)
{
    const int RC = RealColIndex(ACol);
    const int fc = TBaseGrid::FixedCols();
    const int g = GridLineWidth();
    // 1. selection colours
    TColor linkColor = FURLColor;
    const bool rowSel = RowSelect(ARow) && Options().Contains(goRowSelect) && RC >= fc &&
                        RC < ColCount() - FFixedRightCols;
    if ((AState.Contains(gdSelected) || rowSel) && !FixedCell) {
        if (FShowSelection) {
            if (FSelectionColor != clNone) ACanvas->Brush()->SetColor(FSelectionColor);
            if (FSelectionTextColor != clNone && Enabled()) ACanvas->Font()->SetColor(FSelectionTextColor);
            linkColor = FSelectionTextColor;
        } else if (!Focused() || HasCheckBox(RC, ARow)) {
            ACanvas->Brush()->SetColor(PlainBrush);
            ACanvas->Font()->SetColor(PlainFont);
        }
    }
    // 2. text and kind
    QString text = GetFormattedCell(RC, ARow);
    const QString raw = text;
    int kind = GetCellTextKind(text, FEnableHTML);
    if (kind == ctkFormula) {
        GetEvaluatedCell(RC, ARow, text);
        kind = GetCellTextKind(text, FEnableHTML);
    }
    if (kind == ctkWideText) text = DecodeWideCellText(text);
    int errPos = 0, errLen = 0;
    GetMarker(RC, ARow, errPos, errLen);
    if (IsPassword(RC, ARow)) {
        text = QString(text.length(), FPasswordChar);
        kind = ctkPlain;
    }
    // 3. a scrolled cell shows the part of its text below the bar position
    TRect T = R;
    if (FixedCell) {
        T.Left += g;
        T.Top += g;
    }
    const int scrolled = FPaintScrollPos;
    if (scrolled > 0) {
        ACanvas->SaveState();
        ACanvas->IntersectClipRect(R);
        T.Top -= scrolled;
    }
    // 4. filter button
    if (FilterButton) {
        TBitmap* glyph = FFilter->HasFilter(RC) ? FFilterDropDown->GlyphActive() : FFilterDropDown->Glyph();
        if (glyph && !glyph->Empty()) {
            DrawBitmapTransparent(ACanvas, glyph, FixedColor(),
                                  TRect(T.Right - 16, T.Top, T.Right - 16 + glyph->Width(), T.Top + glyph->Height()));
        } else {
            // the funnel of the built-in filter glyph
            ACanvas->Brush()->SetStyle(bsSolid);
            const TColor keep = ACanvas->Brush()->Color();
            ACanvas->Brush()->SetColor(clBlack);
            ACanvas->Pen()->SetColor(clBlack);
            const int x = T.Right - 16 + 3, y = T.Top + 4;
            ACanvas->Polygon({TPoint(x, y), TPoint(x + 9, y), TPoint(x + 5, y + 4), TPoint(x + 5, y + 8),
                              TPoint(x + 4, y + 8), TPoint(x + 4, y + 4)});
            ACanvas->Brush()->SetColor(keep);
        }
        T = R;
    }
    // 5. unflagged cells of a disjunct selection
    if (RC >= fc && ARow >= TBaseGrid::FixedRows() && !MouseButtonDown() &&
        ((FMouseActions->DisjunctRowSelect() && !RowSelect(ARow)) ||
         (FMouseActions->DisjunctColSelect() && !ColSelect(RC)))) {
        ACanvas->Brush()->SetColor(Color());
        ACanvas->Font()->SetColor(Font()->Color());
        GetCellColor(RC, ARow, AState, ACanvas->Brush(), ACanvas->Font());
        if (ZoomFactor != 0) ACanvas->Font()->SetSize(ACanvas->Font()->Size() + ZoomFactor);
        linkColor = FURLColor;
    }
    // 6. background picture or gradient
    PaintCellBackground(ACanvas, ACol, ARow, T, AState);
    // 7. selection rectangle
    TGridRect sel = Selection();
    if (FSelectionRectangle && !FixedCell && PointInGridRect(sel, ACol, ARow)) {
        if (IsMergedCell(ACol, ARow)) {
            const TPoint b = BaseCell(sel.Left, sel.Top);
            sel.Left = b.X;
            sel.Top = b.Y;
        }
        ACanvas->Pen()->SetColor(SelectionRectangleColor);
        ACanvas->Pen()->SetWidth(2);
        const bool right = ACol == sel.Right, bottom = ARow == sel.Bottom;
        if (ACol == sel.Left) {
            ACanvas->MoveTo(T.Left - g + 1, T.Bottom);
            ACanvas->LineTo(T.Left - g + 1, T.Top - g);
        }
        if (right) {
            ACanvas->MoveTo(T.Right - 1, T.Bottom);
            ACanvas->LineTo(T.Right - 1, T.Top - g);
        }
        if (ARow == sel.Top) {
            ACanvas->MoveTo(T.Left - g, T.Top - g + 1);
            ACanvas->LineTo(right ? T.Right - 1 : T.Right, T.Top - g + 1);
        }
        if (bottom) {
            ACanvas->MoveTo(T.Left - g, T.Bottom);
            ACanvas->LineTo(right ? T.Right - 1 : T.Right, T.Bottom);
        }
        if (FSelectionResizer && right && bottom) {
            FillRectColor(ACanvas, TRect(T.Right - 4, T.Bottom - 4, R.Right, R.Bottom), SelectionRectangleColor);
        }
        ACanvas->Pen()->SetWidth(1);
    }
    // 8.
    if (GI.Graphic && !GI.ShowText) {
        if (scrolled > 0) ACanvas->RestoreState();
        return;
    }
    // 9. text area
    if (!XYOffsetTopLeftOnly) T.Right -= FXYOffset.X;
    T.Left += FXYOffset.X;
    T.Top += FXYOffset.Y;
    const int lineHeight = ACanvas->TextHeight(QStringLiteral("hg"));
    if (GI.Graphic) {
        if (GI.HAlign == haBeforeText) T.Left += GI.Width;
        else if (GI.HAlign == haAfterText) T.Right -= GI.Width;
        if (GI.VAlign == vaAboveText) T.Top += GI.Height;
        else if (GI.VAlign == vaUnderText) T.Bottom -= GI.Height;
    }
    const int S = GI.Graphic && (GI.HAlign == haLeft || (HA == taLeftJustify && GI.HAlign == haBeforeText)) ? GI.Width
                                                                                                           : 0;
    const bool sortShown = ShowsSortIndicator(RC, ARow);
    auto sortY = [&](const TRect& Q) {
        if (VA == vtaCenter) return Q.Top + (Q.Bottom - Q.Top) / 2;
        if (VA == vtaBottom) return Q.Bottom - 8;
        return Q.Top + 8;
    };
    if (kind == ctkHTML) {
        // 10. mini-HTML
        if (FilterButton) T.Right -= 18;
        T.Left -= 1;
        if (sortShown) T.Right -= 10;
        THTMLTextParams p;
        p.Canvas = ACanvas;
        p.Text = text;
        p.Rect = T;
        p.URLColor = linkColor;
        p.HoverStyle = URLUnderlineOnHover;
        p.HoverLink = HoveredAnchor(ACol, ARow, p);
        p.Down = GetKeyState(VK_CONTROL) < 0;
        // Without the blink timer blinking text stays shown.
        p.BlinkOn = FGridBlink || !FEnableBlink;
        p.BiDiMode = UseRightToLeftAlignment() ? 1 : 0;
        p.ImageCache = FImageCache.get();
        p.Images = GetCellImageList();
        p.WindowHandle = Handle();
        p.WordWrap = WW;
        p.Selected = AState.Contains(gdSelected) && FShowSelection && !FixedCell;
        DrawHTMLText(p);
        LastTextWidth = p.XSize + 2;
        if (sortShown) DrawSortIndicator(ACanvas, RC, sortY(T), T.Right + 2);
    } else if (kind == ctkRichText) {
        // 11. rich text, by its plain text
        if (!AState.Contains(gdSelected) || AState.Contains(gdFocused) || FSelectionColor != clNone)
            FillRectColor(ACanvas, T, ACanvas->Brush()->Color());
        ACanvas->Brush()->SetStyle(bsClear);
        DrawRTFCell(RC, ARow, T, ACanvas);
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Font()->SetColor(clBlack);
    } else {
        // 12. plain text
        if (HA == taCenter && sortShown && RC == FSortSettings->Column) T.Left += 10;
        bool link = false;
        if (FURLShow) {
            const int e = LinkProtocolEnd(raw);
            if (e >= 0) {
                link = true;
                if (!FURLFull) {
                    const int te = LinkProtocolEnd(text);
                    if (te >= 0) text = text.mid(te);
                }
                ACanvas->Font()->SetStyle(ACanvas->Font()->Style() | fsUnderline);
                ACanvas->Font()->SetColor(linkColor);
            }
        }
        const bool multi = MultilineCells && CellLines(text).size() > 1;
        unsigned flags = DT_EDITCONTROL;
        if (!multi && !WW) {
            text = FirstLine(text);
            flags = DT_SINGLELINE;
            if (EnhTextSize) flags |= DT_END_ELLIPSIS;
        }
        if (WW && !multi && EnhTextSize) flags |= DT_END_ELLIPSIS;
        unsigned vflag = 0;
        if (VA == vtaCenter) vflag = DT_VCENTER;
        else if (VA == vtaBottom) vflag = DT_BOTTOM;
        FVAlign = vflag;
        flags |= vflag;
        if (HA == taRightJustify) flags |= DT_RIGHT;
        else if (HA == taCenter) flags |= DT_CENTER;
        flags |= DT_EXPANDTABS | DT_NOPREFIX;
        if (WW || multi) flags |= DT_WORDBREAK | DT_EDITCONTROL;
        else flags |= DT_SINGLELINE;
        if (UseRightToLeftReading()) flags |= DT_RTLREADING;
        ACanvas->Brush()->SetStyle(bsClear);
        if (FilterButton) T.Right -= 16;
        int textWidth = 0;
        if ((GI.Graphic || sortShown) && !text.isEmpty()) {
            TRect M = T;
            DrawText(ACanvas, text, M, flags | DT_CALCRECT);
            textWidth = M.Right - T.Left + 2;
            LastTextWidth = textWidth;
        }
        DrawText(ACanvas, text, T, flags);
        if (errLen > 0 && GI.Graphic &&
            (GI.Graphic->CellType() == ctEmpty || GI.Graphic->CellType() == ctValue))
            DrawErrorUnderline(this, ACanvas, text, T, lineHeight, errPos, errLen);
        T = R;
        if (FilterButton) T.Right -= 16;
        if (sortShown) {
            const int w = std::max(0, std::min(T.Right - T.Left - 16, textWidth));
            int x = T.Left + 8;
            if (HA == taLeftJustify) x = T.Left + w + S + 10;
            else if (HA == taRightJustify) x = T.Right - w - 10;
            DrawSortIndicator(ACanvas, RC, sortY(T), x);
        }
        if (link) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() >> fsUnderline);
        ACanvas->Brush()->SetStyle(bsSolid);
    }
    // 13.
    if (scrolled > 0) ACanvas->RestoreState();
}

// The 1-based number of the anchor under the mouse when the mouse is over this
// cell and only the hovered anchor is underlined; else -1.
int TKvStringGrid::HoveredAnchor(int ACol, int ARow, const THTMLTextParams& P)
{
    if (!URLUnderlineOnHover || !Mouse || !Showing()) return -1;
    const TPoint m = ScreenToClient(Mouse->CursorPos());
    int c = -1, r = -1;
    MouseToCell(m.X, m.Y, c, r);
    if (c < 0 || r < 0 || BaseCell(c, r) != BaseCell(ACol, ARow)) return -1;
    THTMLTextParams q = P;
    q.XPos = m.X;
    q.YPos = m.Y;
    q.CheckHotSpot = true;
    DrawHTMLText(q);
    return q.MouseLink;
}

void TKvStringGrid::DrawSortIndicator(TCanvas* ACanvas, int ACol, int Y, int X)
{
    TSortSettings* ss = FSortSettings.get();
    if (ss->IndexShow) {
        const int idx = FSortIndexes->FindIndex(ACol);
        if (idx < 0) return;
        const bool descending = !FSortIndexes->SortDirections(idx);
        ACanvas->Brush()->SetColor(ss->IndexColor);
        ACanvas->Pen()->SetColor(clBlack);
        TBitmap* glyph = descending ? ss->IndexUpGlyph() : ss->IndexDownGlyph();
        const bool glyphs = !ss->IndexUpGlyph()->Empty() && !ss->IndexDownGlyph()->Empty();
        if (glyphs) {
            DrawBitmapTransparent(ACanvas, glyph, FixedColor(),
                                  TRect(X - 7, Y - 7, X - 7 + glyph->Width(), Y - 7 + glyph->Height()));
        } else if (descending) {
            ACanvas->Polygon({TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)});
        } else {
            ACanvas->Polygon({TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)});
        }
        ACanvas->Brush()->SetStyle(bsClear);
        TFont keep;
        keep.Assign(*ACanvas->Font());
        ACanvas->Font()->SetColor(clBlack);
        ACanvas->Font()->SetSize(6);
        ACanvas->TextOut(X - 2, descending ? Y - 4 : Y - 2, QString::number(idx + 1));
        ACanvas->Font()->Assign(keep);
        ACanvas->Brush()->SetStyle(bsSolid);
    } else {
        const bool down = ss->Direction == sdDescending;
        TBitmap* glyph = down ? ss->GetDownGlyph() : ss->GetUpGlyph();
        const bool glyphs = !ss->GetUpGlyph()->Empty() && !ss->GetDownGlyph()->Empty();
        if (glyphs) {
            DrawBitmapTransparent(ACanvas, glyph, FixedColor(),
                                  TRect(X - 4, Y - 4, X - 4 + glyph->Width(), Y - 4 + glyph->Height()));
        } else if (down) {
            ACanvas->Pen()->SetColor(clWhite);
            ACanvas->MoveTo(X + 4, Y - 4);
            ACanvas->LineTo(X, Y + 4);
            ACanvas->Pen()->SetColor(clGray);
            ACanvas->LineTo(X - 4, Y - 4);
            ACanvas->LineTo(X + 4, Y - 4);
        } else {
            ACanvas->Pen()->SetColor(clWhite);
            ACanvas->MoveTo(X - 4, Y + 4);
            ACanvas->LineTo(X + 4, Y + 4);
            ACanvas->LineTo(X, Y - 4);
            ACanvas->Pen()->SetColor(clGray);
            ACanvas->LineTo(X - 4, Y + 4);
        }
    }
    ACanvas->Brush()->SetColor(FixedColor());
    ACanvas->Pen()->SetColor(clBlack);
}

void TKvStringGrid::DrawRTFCell(int ACol, int ARow, TRect ARect, TCanvas* ACanvas)
{
    if (FDesigning) return;
    const QString plain = RichCellPlainText(Cells(ACol, ARow));
    TRect T = ARect;
    InflateRect(T, -FXYOffset.X, -FXYOffset.Y);
    const TGridRect sel = Selection();
    const bool shownSelected = PointInGridRect(sel, ACol, ARow) && !(ACol == Col() && ARow == Row());
    if (shownSelected && !SelectionRTFKeep && FSelectionTextColor != clNone)
        ACanvas->Font()->SetColor(FSelectionTextColor);
    DrawText(ACanvas, plain, T, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
}

// ============================================================ measuring

TSize TKvStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    return CalcCellTextExtent(RealColIndex(ACol), ACol, ARow, VS, SB);
}

TSize TKvStringGrid::CalcCellTextExtent(int RCol, int DCol, int ARow, bool VS, bool SB)
{
    TCanvas* C = Canvas();
    TFont keepFont;
    keepFont.Assign(*C->Font());
    TBrush brush;
    TGridDrawState st;
    GetFontProperties(DCol, RCol, ARow, st, C->Font(), &brush, false);
    const bool fixed = IsFixed(DCol, ARow) || DCol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
    if (fixed && FActiveCellShow && FActiveCellFont->Style().Contains(fsBold))
        C->Font()->SetStyle(C->Font()->Style() | fsBold);
    if (ZoomFactor != 0) C->Font()->SetSize(C->Font()->Size() + ZoomFactor);

    QString text = GetFormattedCell(RCol, ARow);
    int kind = GetCellTextKind(text, FEnableHTML);
    if (kind == ctkFormula) {
        GetEvaluatedCell(RCol, ARow, text);
        kind = GetCellTextKind(text, FEnableHTML);
    }
    if (kind == ctkWideText) text = DecodeWideCellText(text);
    if (kind == ctkRichText) text = RichCellPlainText(text);
    if (IsPassword(RCol, ARow)) text = QString(text.length(), FPasswordChar);

    TRect area = TBaseGrid::CellRect(DCol, ARow);
    area.Left += FXYOffset.X;
    area.Top += FXYOffset.Y;
    if (!XYOffsetTopLeftOnly) {
        area.Right -= FXYOffset.X;
        area.Bottom -= FXYOffset.Y;
    }
    if (VS) area.Right -= 17;

    const bool rotated = GetCellType(RCol, ARow) == ctRotated;
    TSize res{0, 0};
    if (kind == ctkHTML) {
        THTMLTextParams p;
        p.Canvas = C;
        p.Text = text;
        p.Rect = area;
        if (!SB) p.Rect.Right = 65535;
        p.Rect.Bottom = 65535;
        p.CalcOnly = true;
        p.WordWrap = SB;
        p.ImageCache = FImageCache.get();
        DrawHTMLText(p);
        res = TSize{p.XSize + 2, p.YSize + 2};
    } else if (SB) {
        InflateRect(area, -2, -2);
        if (EditMode && ARow == Row() && RCol == RealColIndex(Col()) && text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('w');
        TRect M = area;
        DrawText(C, text, M, DT_CALCRECT | DT_NOPREFIX | (rotated ? DT_SINGLELINE : DT_WORDBREAK | DT_EDITCONTROL));
        res = TSize{area.Width(), M.Height()};
    } else {
        const QStringList lines = MultilineCells ? CellLines(text) : QStringList{text};
        int w = 0;
        for (QString l : lines) {
            if (FURLShow && !FURLFull) {
                const int e = LinkProtocolEnd(l);
                if (e >= 0) l = l.mid(e);
            }
            w = std::max(w, C->TextWidth(l));
        }
        res = TSize{w, C->TextHeight(QStringLiteral("gh")) * int(lines.size())};
    }
    if (rotated) {
        TCellGraphic* gr = GetCellGraphic(RCol, ARow);
        const double a = (gr ? gr->CellAngle() : 0) * M_PI / 180.0;
        const double s = std::abs(std::sin(a)), c = std::abs(std::cos(a));
        // The bounding box of the turned text.
        const int W = res.cx, H = res.cy;
        res = TSize{int(H * s) + int(W * c) + 12, int(H * c) + int(W * s) + 12};
    }
    C->Font()->Assign(keepFont);
    return res;
}

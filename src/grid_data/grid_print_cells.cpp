// Printed cells: the font mapping from points to tenths of a millimetre, the measure of
// one cell, the printed column widths and row heights, and the drawing of a row of cells
// (background, text, graphic, owner drawing, borders) and of a page's outer borders.
// Coordinates are in tenths of a millimetre with y growing upwards; s (FScreen) turns the
// screen's pixels (graphic sizes, screen widths and heights) into them.
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "grid/cell_paint.h"
#include "grid/draw_utils.h"
#include "grid/grid_text.h"
#include "grid/html_render.h"
#include "grid_data/grid_print_engine.h"
#include "platform/core/sysutils.h"
#include "platform/ui/drawing.h"
#include "platform/ui/printers.h"

namespace {

// Room given to a measure that has no width limit.
constexpr int kUnlimited = 100000;

int Rounded(double Value) { return int(RoundHalfEven(Value)); }

TCellBorders BorderSet(TPrintBorders Borders)
{
    switch (Borders) {
    case pbSingle:
    case pbDouble: return TCellBorders(cbTop) | cbLeft | cbRight | cbBottom;
    case pbHorizontal:
    case pbAroundHorizontal: return TCellBorders(cbTop) | cbBottom;
    case pbVertical:
    case pbAroundVertical: return TCellBorders(cbLeft) | cbRight;
    default: return TCellBorders();
    }
}

TColor SlotColor(const TCellSlot& Slot, TColor Default)
{
    if (const TColor* c = std::get_if<TColor>(&Slot)) return *c;
    return Default;
}

TGraphic* SlotGraphic(const TCellSlot& Slot)
{
    if (TGraphic* const* g = std::get_if<TGraphic*>(&Slot)) return *g;
    if (TPicture* const* p = std::get_if<TPicture*>(&Slot)) return *p ? (*p)->Graphic() : nullptr;
    return nullptr;
}

TObject* SlotObject(const TCellSlot& Slot)
{
    if (TObject* const* o = std::get_if<TObject*>(&Slot)) return *o;
    return nullptr;
}

// A cell's number, 0 when its text is none.
double CellNumber(const QString& Text)
{
    const QString t = Text.trimmed();
    const int k = ClassifyNumberText(t);
    if (k != nkInteger && k != nkDecimal && k != nkExponent) return 0;
    bool ok = false;
    const double v = ExtractNumberText(t).toDouble(&ok);
    return ok ? v : 0;
}

// The renderer's inputs for a text in device rectangle R, with the grid's images.
THTMLTextParams HTMLParams(TKvStringGrid& G, TCanvas* C, const QString& Text, const TRect& R, bool WordWrap)
{
    THTMLTextParams p;
    p.Canvas = C;
    p.Text = Text;
    p.Rect = R;
    p.WordWrap = WordWrap;
    p.Images = G.GridImages();
    p.ImageCache = G.ImageCache();
    return p;
}

// The size in logical units of Dx x Dy device pixels.
TPoint DeviceToLogical(TCanvas* C, int Dx, int Dy)
{
    const TPoint a = C->DPtoLP(TPoint(0, 0)), b = C->DPtoLP(TPoint(Dx, Dy));
    return TPoint(std::abs(b.X - a.X), std::abs(b.Y - a.Y));
}

} // namespace

// ============================================================ font mapping

int TKvStringGrid::MapFontHeight(int PointSize) const
{
    return -int(std::trunc(PointSize * 254.0 / 72.0 * FPrintScaleFactor));
}

int TKvStringGrid::MapFontSize(int Height) const { return int(std::trunc(Height * 72.0 / 254.0)); }

// ============================================================ which cells print

bool TGridPrintEngine::RowPrinted(int ARow)
{
    if (!FSelection) return true;
    if (ARow < FFixedRows && PS.FixedCellsAlways) return true;
    TMouseActions* ma = G.MouseActions();
    if (ma->DisjunctRowSelect()) return G.RowSelect(ma->RowSelectPersistent() ? G.RealRowIndex(ARow) : ARow);
    const TGridRect s = G.Selection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

bool TGridPrintEngine::ColPrinted(int ACol)
{
    if (!FSelection) return true;
    TMouseActions* ma = G.MouseActions();
    if (ma->DisjunctRowSelect()) return true;
    if (ACol < FFixedCols && PS.FixedCellsAlways) return true;
    if (ma->DisjunctColSelect()) return ACol >= 0 && ACol < G.ColCount() && G.ColSelect(ACol);
    const TGridRect s = G.Selection();
    return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right);
}

// ============================================================ measuring

TGridPrintEngine::TCellLook TGridPrintEngine::ApplyCellLook(int ACol, int ARow, TBrush* Brush)
{
    TCellLook look;
    TBrush scratch;
    TGridDrawState state;
    TColor mirror = clNone, mirrorTo = clNone;
    look.WordWrap = G.WordWrap();
    G.GetVisualProperties(ACol, ARow, state, true, false, true, Brush ? Brush : &scratch, look.ColorTo, mirror,
                          mirrorTo, C->Font(), look.HA, look.VA, look.WordWrap, look.Direction);
    const int h = G.MapFontHeight(C->Font()->Size());
    C->Font()->SetHeight(h == 0 ? -1 : h);
    C->Font()->SetOrientation(0);
    return look;
}

QString TGridPrintEngine::CellText(int ACol, int ARow, int& Kind)
{
    const int RC = G.RealColIndex(ACol);
    Kind = ctkPlain;
    const TCellType t = G.GetCellType(RC, ARow);
    // These cells show their value as a graphic.
    if (t == ctDataCheckBox || t == ctDataImage || t == ctVirtCheckBox || t == ctRowCheckBox) return QString();
    QString text = G.GetFormattedCell(RC, ARow);
    Kind = GetCellTextKind(text, G.EnableHTML());
    if (Kind == ctkFormula) {
        G.GetEvaluatedCell(RC, ARow, text);
        Kind = GetCellTextKind(text, G.EnableHTML());
    }
    if (Kind == ctkWideText) {
        text = DecodeWideCellText(text);
        Kind = ctkPlain;
    }
    if (Kind == ctkRichText) text = RichCellPlainText(text);
    // A password goes on paper as it shows on screen.
    if (G.IsPassword(RC, ARow)) {
        text = QString(text.length(), G.PasswordChar());
        Kind = ctkPlain;
    }
    return text;
}

QStringList TGridPrintEngine::TextLines(const QString& Text) const
{
    QString rest = Text, line;
    if (!G.MultilineCells) {
        CutFirstLine(rest, false, line);
        return {line};
    }
    QStringList lines;
    const int n = CountLines(Text, true);
    for (int k = 0; k < n; ++k) {
        CutFirstLine(rest, true, line);
        lines << line;
    }
    return lines;
}

TPoint TGridPrintEngine::GraphicSize(int ACol, int ARow)
{
    if (!PS.PrintGraphics) return TPoint(0, 0);
    const int RC = G.RealColIndex(ACol);
    if (!G.GetCellGraphic(RC, ARow)) return TPoint(0, 0);
    const TPoint raw = G.GetRawGraphicSize(RC, ARow, G.ColWidths(ACol), G.RowHeights(ARow), 1.0);
    return TPoint(Rounded(raw.X * FScreen), Rounded(raw.Y * FScreen));
}

TPoint TGridPrintEngine::HTMLSize(const QString& Text, int Width, bool WordWrap)
{
    const TRect d = C->LPtoDP(TRect(0, 0, Width, -kUnlimited));
    int xs = 0, ys = 0;
    {
        TCanvasDeviceUnits device(C);
        THTMLTextParams p = HTMLParams(G, C, Text, d, WordWrap);
        p.CalcOnly = true;
        DrawHTMLText(p);
        xs = p.XSize;
        ys = p.YSize;
    }
    return DeviceToLogical(C, xs, ys);
}

void TGridPrintEngine::DrawHTML(const QString& Text, const TRect& R, bool WordWrap)
{
    const TRect d = C->LPtoDP(R);
    TCanvasDeviceUnits device(C);
    THTMLTextParams p = HTMLParams(G, C, Text, d, WordWrap);
    p.URLColor = G.URLColor();
    C->Brush()->SetStyle(bsClear);
    DrawHTMLText(p);
}

TPoint TGridPrintEngine::CellSize(int ACol, int ARow)
{
    const int RC = G.RealColIndex(ACol);
    int kind = ctkPlain;
    const QString text = CellText(ACol, ARow, kind);
    const TCellLook look = ApplyCellLook(ACol, ARow, nullptr);
    int angle = 0;
    const bool rotated = G.IsRotated(RC, ARow, angle);
    if (rotated) C->Font()->SetOrientation(angle * 10);
    const TPoint graphic = GraphicSize(ACol, ARow);
    int w = 0, h = 0;
    if (kind == ctkHTML) {
        const int limit = PS.NoAutoSize ? Rounded((G.ColWidths(ACol) + 12) * FScreen) : kUnlimited;
        const TPoint s = HTMLSize(text, limit, PS.NoAutoSize && look.WordWrap);
        w = s.X;
        h = std::max(0, s.Y - Rounded(FGap * FScreen));
    } else if (!(look.WordWrap && PS.NoAutoSize) || rotated) {
        const QStringList lines = TextLines(text.isEmpty() ? QStringLiteral("gh") : text);
        for (QString line : lines) {
            if (G.URLShow() && !G.URLFull()) StripURLProtocol(line);
            w = std::max(w, C->TextWidth(line) + graphic.X);
        }
        h = C->TextHeight(QStringLiteral("gh")) * int(lines.size());
    } else {
        const int width = G.IsXMergedCell(RC, ARow) ? kUnlimited : FWidths[size_t(ACol)];
        TRect r(0, 0, width, 0);
        h = DrawText(C, text, r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        w = FWidths[size_t(ACol)];
    }
    if (rotated) {
        const double a = angle * M_PI / 180.0;
        const int uw = w, uh = h;
        w = std::abs(Rounded(std::cos(a) * uw)) + std::abs(Rounded(std::sin(a) * uh));
        h = std::abs(Rounded(std::sin(a) * uw)) + std::abs(Rounded(std::cos(a) * uh));
        C->Font()->SetOrientation(0);
    }
    TPoint size(std::max(w, graphic.X), std::max(h, graphic.Y));
    if (G.OnCustomCellSize) G.OnCustomCellSize(&G, C, RC, ARow, size, true);
    return size;
}

void TGridPrintEngine::MeasureColumns()
{
    const size_t n = size_t(std::max(513, G.ColCount() + 1));
    if (FWidths.size() < n) FWidths.resize(n, 0);
    if (FOffsets.size() < n) FOffsets.resize(n, 0);
    for (int c : FLayoutCols) FWidths[size_t(c)] = 0;
    if (PS.NoAutoSize) {
        for (int c : FLayoutCols)
            if (ColPrinted(c)) FWidths[size_t(c)] = Rounded(G.ColWidths(c) * FScreen);
        return;
    }
    const TGridRect& R = G.FPrintGridRect;
    std::vector<int> rows;
    if (PS.RepeatFixedRows)
        for (int r = 0; r < std::min(FFixedRows, R.Top); ++r)
            if (RowPrinted(r)) rows.push_back(r);
    for (int r = R.Top; r <= R.Bottom; ++r)
        if (RowPrinted(r)) rows.push_back(r);
    for (int c : FLayoutCols) {
        if (!ColPrinted(c)) continue;
        int& width = FWidths[size_t(c)];
        if (PS.UseFixedWidth) {
            width = PS.FixedWidth;
            continue;
        }
        const int RC = G.RealColIndex(c);
        for (int r : rows)
            if (!G.IsXMergedCell(RC, r)) width = std::max(width, CellSize(c, r).X);
    }
}

int TGridPrintEngine::RowHeight(int ARow)
{
    if (ARow == FCachedRow) return FCachedHeight;
    int h = 0;
    if (PS.NoAutoSizeRow) {
        h = Rounded(G.RowHeights(ARow) * FScreen) - 4;
    } else if (PS.UseFixedHeight) {
        h = PS.FixedHeight;
    } else {
        int tallest = -1;
        for (int c : FLayoutCols) {
            if (!ColPrinted(c) || G.IsYMergedCell(G.RealColIndex(c), ARow)) continue;
            tallest = std::max(tallest, CellSize(c, ARow).Y);
        }
        // A row of merged cells only takes the height of the row measured before it.
        if (tallest < 0) tallest = FLastMeasured;
        else FLastMeasured = tallest;
        h = tallest + tallest / 8;
        if (G.OnPrintSetRowHeight) G.OnPrintSetRowHeight(&G, ARow, h);
    }
    // A negative height would move the following rows up over this one.
    FCachedHeight = std::max(0, h);
    FCachedRow = ARow;
    return FCachedHeight;
}

int TGridPrintEngine::SpannedHeight(int ARow, int Rows)
{
    int h = 0;
    const int last = std::min(ARow + Rows, G.FPrintGridRect.Bottom);
    for (int r = ARow; r <= last; ++r) {
        if (PS.NoAutoSizeRow) {
            const int t = int(std::trunc((G.RowHeights(r) - 4) * FScreen));
            h += t + t / 8 + 2 * FGap + FRowSpacing;
        } else {
            h += DrawnHeight(r);
        }
    }
    return h;
}

// ============================================================ drawing

void TGridPrintEngine::DrawRow(int ARow, int Y, int FromCol, int ToCol, int Right, bool CutAtPage)
{
    for (int c = FromCol; c <= ToCol; ++c)
        if (ColPrinted(c)) DrawCell(c, ARow, Y, c == FromCol, Right, CutAtPage);
}

void TGridPrintEngine::DrawCell(int ACol, int ARow, int Y, bool FirstInRange, int Right, bool CutAtPage)
{
    const int RC = G.RealColIndex(ACol);
    const bool base = G.IsBaseCell(RC, ARow);
    const TPoint block = G.CellSpan(RC, ARow);
    const TPoint span = base ? block : TPoint(0, 0);
    const TRect& page = G.FPrintPageRect;

    // 1. the cell's rectangle: its spanned columns and rows, cut at the range and the page
    TRect R;
    R.Left = FOffsets[size_t(ACol)];
    int width = 0;
    for (int k = ACol; k <= std::min(ACol + span.X, G.ColCount() - 1); ++k)
        if (ColPrinted(k)) width += FWidths[size_t(k)] + FSpacing;
    R.Right = std::min({R.Left + width, Right, page.Right});
    R.Top = Y;
    const int own = DrawnHeight(ARow);
    R.Bottom = Y - (span.Y > 0 ? SpannedHeight(ARow, span.Y) : own);
    bool cutBottom = false;
    if (R.Bottom < page.Bottom + PS.FooterSize) {
        R.Bottom = Y - own;
        cutBottom = true;
    }
    if (CutAtPage) {
        R.Bottom = std::max(R.Bottom, page.Bottom);
        cutBottom = true;
    }

    // 2. border set and pen
    TCellBorders borders = BorderSet(PS.Borders);
    TPen pen;
    pen.SetColor(PS.BorderColor);
    pen.SetStyle(PS.BorderStyle);
    pen.SetWidth(1);
    G.GetCellPrintBorder(RC, ARow, &pen, borders);

    if (base) {
        // 3. look and background
        const TCellLook look = ApplyCellLook(ACol, ARow, C->Brush());
        const TColor back = C->Brush()->Color();
        TRect F = R;
        if (!borders.Contains(cbLeft)) F.Left += 2 * pen.Width();
        if (!borders.Contains(cbTop)) F.Top -= 2 * pen.Width();
        if (back != clNone) {
            if (look.ColorTo == clNone || look.ColorTo == back) {
                C->Brush()->SetStyle(bsSolid);
                C->FillRect(F);
            } else {
                const TRect d = C->LPtoDP(F);
                TCanvasDeviceUnits device(C);
                FillGradient(C, back, look.ColorTo, 64, d, look.Direction == GradientHorizontal);
            }
        }
        C->Brush()->SetStyle(bsClear);

        // 6. (placed first) the graphic's room moves the text
        int kind = ctkPlain;
        const QString text = CellText(ACol, ARow, kind);
        TCellGraphic* g = G.GetCellGraphic(RC, ARow);
        TRect T = R, GR;
        const bool graphic = g && PS.PrintGraphics;
        if (graphic) {
            const TPoint gs = GraphicSize(ACol, ARow);
            const int m = Rounded(FScreen);
            GR = R;
            switch (g->CellHAlign()) {
            case haLeft:
            case haBeforeText:
                GR.Left = R.Left + m;
                T.Left = GR.Left + gs.X;
                break;
            case haRight:
            case haAfterText:
                GR.Left = R.Right - m - gs.X;
                T.Right = GR.Left;
                break;
            case haCenter: GR.Left = R.Left + (R.Width() - gs.X) / 2; break;
            case haFull: break;
            }
            if (g->CellHAlign() != haFull) GR.Right = GR.Left + gs.X;
            const int height = R.Top - R.Bottom;
            switch (g->CellVAlign()) {
            case vaTop:
            case vaAboveText: GR.Top = R.Top - FGap; break;
            case vaBottom:
            case vaUnderText: GR.Top = R.Bottom + FGap + gs.Y; break;
            case vaCenter: GR.Top = R.Top - (height - gs.Y) / 2; break;
            case vaFull: break;
            }
            if (g->CellVAlign() != vaFull) GR.Bottom = GR.Top - gs.Y;
        }

        // 4. the text
        int angle = 0;
        const bool rotated = G.IsRotated(RC, ARow, angle);
        const bool showText = !g || G.GetCellGraphicInfo(RC, ARow).ShowText;
        if (kind == ctkHTML) {
            DrawHTML(text, TRect(T.Left, T.Top, T.Right - FInset - Rounded(2 * FScreen),
                                 T.Bottom - Rounded(FGap * FScreen)),
                     look.WordWrap);
        } else if (kind == ctkRichText) {
            const TRect d = C->LPtoDP(T);
            TCanvasDeviceUnits device(C);
            G.DrawRTFCell(RC, ARow, d, C);
        } else if (rotated) {
            // The text room within the row's gaps.
            TRect O(R.Left, R.Top - FGap, R.Right, R.Bottom + FGap);
            const QString line = TextLines(text).value(0);
            int sign = 1;
            if (G.PrinterDriverFix && G.FPrintToPrinter && FMode == 1 && Printer()->LandscapeRotation() != 270)
                sign = -1;
            C->Font()->SetOrientation(sign * angle * 10);
            RotatedTextOrigin(C, O, angle, line, look.HA == taRightJustify ? 1 : look.HA == taCenter ? 2 : 0,
                              look.VA == vtaBottom ? 1 : look.VA == vtaCenter ? 2 : 0, true);
            const int saved = C->SaveState();
            C->IntersectClipRect(R);
            C->TextOut(O.Left, O.Top, line);
            C->RestoreState(saved);
            C->Font()->SetOrientation(0);
        } else if (showText) {
            DrawPlainText(text, T, ARow, look, span.X > 0 || span.Y > 0);
        }

        if (graphic) DrawGraphic(ACol, ARow, g, R, GR, back);

        // 7. owner drawing, in device units with the print font
        if (G.OnCustomCellDraw) {
            const TRect d = C->LPtoDP(R);
            TCanvasDeviceUnits device(C);
            G.OnCustomCellDraw(&G, C, RC, ARow, TGridDrawState(), d, true);
        }
    }

    // 8. borders
    if (FMode == 1) pen.SetWidth(std::max(1, Rounded(pen.Width() * FScreen)));
    if (!base) {
        // A covered cell of a merged block leaves the block's inner lines out.
        if (block.X > 0) borders >> cbLeft >> cbRight;
        if (block.Y > 0) borders >> cbTop >> cbBottom;
    }
    if (cutBottom) borders >> cbBottom;
    if (borders.Empty()) return;
    C->Pen()->Assign(pen);
    const int left = FirstInRange ? R.Left : R.Left - pen.Width();
    if (borders.Contains(cbLeft)) {
        C->MoveTo(left, R.Top);
        C->LineTo(left, R.Bottom);
    }
    if (borders.Contains(cbRight)) {
        C->MoveTo(R.Right, R.Top);
        C->LineTo(R.Right, R.Bottom);
    }
    if (borders.Contains(cbTop)) {
        C->MoveTo(R.Left, R.Top);
        C->LineTo(R.Right, R.Top);
    }
    if (borders.Contains(cbBottom)) {
        C->MoveTo(R.Left, R.Bottom);
        C->LineTo(R.Right, R.Bottom);
    }
}

void TGridPrintEngine::DrawPlainText(const QString& Text, const TRect& R, int ARow, const TCellLook& Look,
                                     bool Merged)
{
    const unsigned h = Look.HA == taRightJustify ? DT_RIGHT : Look.HA == taCenter ? DT_CENTER : DT_LEFT;
    // The insets: i from the side the text is aligned to, from both sides when centred.
    auto inset = [&](TRect r) {
        if (Look.HA != taRightJustify) r.Left += FInset;
        if (Look.HA != taLeftJustify) r.Right -= FInset;
        return r;
    };
    if (Look.WordWrap && PS.NoAutoSize) {
        TRect r = inset(TRect(R.Left, R.Top - FGap, R.Right, R.Bottom));
        DrawText(C, Text, r, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL | h);
        return;
    }
    QStringList lines = TextLines(Text);
    if (G.URLShow() && !G.URLFull())
        for (QString& line : lines) StripURLProtocol(line);
    if (lines.size() <= 1) {
        const QString line = lines.value(0);
        if (G.EnhTextSize && PS.NoAutoSize) {
            const TPoint xy = G.XYOffset();
            TRect r(R.Left + xy.X, R.Top - xy.Y, R.Right, R.Bottom);
            DrawText(C, line, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            return;
        }
        const unsigned v = Look.VA == vtaCenter ? DT_VCENTER : Look.VA == vtaBottom ? DT_BOTTOM : DT_TOP;
        TRect r = inset(TRect(R.Left, R.Top - FGap, R.Right, R.Bottom));
        DrawText(C, line, r, DT_SINGLELINE | DT_NOPREFIX | h | v);
        return;
    }
    const int th = C->TextHeight(QStringLiteral("gh"));
    const int step = th + th / 8 + FRowSpacing;
    int offset = 0;
    if (!Merged) {
        const int free = RowHeight(ARow) - (step - FRowSpacing) * int(lines.size());
        if (Look.VA == vtaCenter) offset = free / 2;
        else if (Look.VA == vtaBottom) offset = free;
    }
    const int saved = C->SaveState();
    C->IntersectClipRect(R);
    int y = R.Top - FGap - offset;
    for (const QString& line : lines) {
        const int w = C->TextWidth(line);
        int x = R.Left + FInset;
        if (Look.HA == taRightJustify) x = R.Right - FInset - w;
        else if (Look.HA == taCenter) x = R.Left + (R.Width() - w) / 2;
        C->TextOut(x, y, line);
        y -= step;
    }
    C->RestoreState(saved);
}

void TGridPrintEngine::DrawGraphic(int ACol, int ARow, TCellGraphic* Graphic, const TRect& R, const TRect& Room,
                                   TColor Back)
{
    const int RC = G.RealColIndex(ACol);
    const TCellType t = Graphic->CellType();
    // An image-list image is drawn on a bitmap of the cell's colour and stretched.
    auto listImage = [&](int Index, const TRect& Into) {
        TImageList* il = G.GetCellImageList();
        if (!il || Index < 0 || Index >= il->Count()) return;
        TBitmap bmp(il->Width(), il->Height());
        bmp.Canvas()->Brush()->SetColor(Back == clNone ? clWhite : Back);
        bmp.Canvas()->FillRect(TRect(0, 0, il->Width(), il->Height()));
        il->Draw(bmp.Canvas(), 0, 0, Index, true);
        bmp.Canvas()->ReleasePainter();
        C->StretchDraw(Into, &bmp);
    };
    switch (t) {
    case ctBitmap:
    case ctIcon:
    case ctPicture:
        if (TGraphic* gr = SlotGraphic(t == ctIcon ? Graphic->FCellIcon : Graphic->FCellBitmap))
            C->StretchDraw(Room, gr);
        break;
    case ctFilePicture:
        if (auto* fp = dynamic_cast<TFilePicture*>(SlotObject(Graphic->FCellBitmap))) {
            // A picture file gone since it was added leaves its room empty.
            try {
                fp->DrawPicture(C, Room);
            } catch (const std::exception&) {
            }
        }
        break;
    case ctImageList: listImage(Graphic->CellIndex(), Room); break;
    case ctDataImage:
        listImage(int(std::trunc(CellNumber(G.Cells(RC, ARow)))) + Graphic->CellIndex(), Room);
        break;
    case ctImages:
        if (TImageList* il = G.GetCellImageList()) {
            const int w = Rounded(il->Width() * FScreen), h = Rounded(il->Height() * FScreen);
            int x = Room.Left, y = Room.Top;
            if (auto* list = dynamic_cast<TIntList*>(SlotObject(Graphic->FCellBitmap)))
                for (int k = 0; k < list->Count(); ++k) {
                    listImage(list->Items(k), TRect(x, y, x + w, y - h));
                    if (Graphic->CellBoolean()) x += w;
                    else y -= h;
                }
        }
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: {
        TCheckBoxState state = cbUnchecked;
        G.GetCheckBoxState(RC, ARow, state);
        unsigned flags = DFCS_BUTTONCHECK;
        if (state == cbChecked) flags |= DFCS_CHECKED;
        if (state == cbGrayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (G.ControlLook()->ControlStyle() == csFlat) flags |= DFCS_FLAT;
        TRect d = C->LPtoDP(Room);
        TCanvasDeviceUnits device(C);
        DrawFrameControl(C, d, DFC_BUTTON, flags);
        break;
    }
    case ctNode: {
        const int x = Room.Left, y = Room.Top;
        C->Pen()->SetColor(clBlack);
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(1);
        C->Brush()->SetColor(clWhite);
        C->Rectangle(x, y, x + 20, y - 20);
        C->MoveTo(x + 4, y - 10);
        C->LineTo(x + 16, y - 10);
        if (Graphic->CellBoolean()) {
            C->MoveTo(x + 10, y - 4);
            C->LineTo(x + 10, y - 16);
        }
        C->Brush()->SetStyle(bsClear);
        break;
    }
    case ctProgress: {
        TControlLook* cl = G.ControlLook();
        const double v = std::trunc(CellNumber(G.Cells(RC, ARow)));
        const TColor fg = SlotColor(Graphic->FCellBitmap, clRed), bg = SlotColor(Graphic->FCellIcon, clWhite);
        TColor fgText = Graphic->CellIndex(), bgText = Graphic->CellAngle();
        if (!Graphic->CellBoolean()) {
            fgText = ColorToRGB(fg) ^ 0xFFFFFF;
            bgText = ColorToRGB(bg) ^ 0xFFFFFF;
        }
        const TRect d = C->LPtoDP(TRect(R.Left, R.Top - FGap, R.Right, R.Bottom + FGap));
        TCanvasDeviceUnits device(C);
        DrawProgressBar(C, d, fg, fgText, bg, bgText, v, cl->ProgressMarginX(), cl->ProgressMarginY(),
                        Graphic->CellErrFrom(), Graphic->CellErrLen(), Graphic->CellText(), cl->ProgressBorderColor(),
                        false);
        break;
    }
    case ctProgressPie: {
        const TRect d = C->LPtoDP(Room);
        TCanvasDeviceUnits device(C);
        DrawProgressPie(C, d, SlotColor(Graphic->FCellBitmap, clRed), Graphic->CellAngle(), false);
        break;
    }
    case ctInterface:
        if (auto* ic = dynamic_cast<IInterfacedCell*>(SlotObject(Graphic->FCellBitmap))) {
            const TPoint raw = G.GetRawGraphicSize(RC, ARow, G.ColWidths(ACol), G.RowHeights(ARow), 1.0);
            if (raw.X <= 0 || raw.Y <= 0) break;
            TBitmap bmp(raw.X, raw.Y);
            bmp.Canvas()->Brush()->SetColor(Back == clNone ? clWhite : Back);
            bmp.Canvas()->FillRect(TRect(0, 0, raw.X, raw.Y));
            ic->Draw(bmp.Canvas(), TRect(0, 0, raw.X, raw.Y), RC, ARow, false, &G);
            bmp.Canvas()->ReleasePainter();
            C->StretchDraw(Room, &bmp);
        }
        break;
    default:
        break;
    }
}

void TGridPrintEngine::DrawPageBorders(int LastBottom)
{
    const TPrintBorders b = PS.Borders;
    const bool around = b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal;
    const bool under = b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal;
    const bool fixedLines = (b == pbDouble || b == pbVertical || b == pbAroundVertical) && FBand.RepeatCols;
    if (!around && !under && !fixedLines) return;
    C->Pen()->Assign(FPagePen);
    const int top = -FTopRoom;
    const int bottom = LastBottom + FGap / 2;
    const int first = FOffsets[size_t(FBand.Start)];
    const int left = FBand.RepeatCols ? FOffsets[0] : first;
    const int right = std::min(FOffsets[size_t(FBand.End) + 1], G.FPrintPageRect.Right);
    if (around) {
        C->MoveTo(left, top);
        C->LineTo(right, top);
        C->LineTo(right, bottom);
        C->LineTo(left, bottom);
        C->LineTo(left, top);
    }
    if (under) {
        C->MoveTo(first, bottom);
        C->LineTo(right, bottom);
    }
    if (fixedLines)
        for (int k = 0; k < FFixedCols; ++k) {
            C->MoveTo(FOffsets[size_t(k)], top);
            C->LineTo(FOffsets[size_t(k)], bottom);
        }
}

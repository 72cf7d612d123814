// The grid's printing and preview: the public operations (printer, preview, drawing into a
// rectangle) and the page engine that fits the columns to the page, cuts them into bands,
// pages the rows of each band and writes the header and footer texts. The counting passes
// run the very layout of the drawing passes, so a count is the number of pages drawn.
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cmath>

#include "grid/grid_text.h"
#include "grid_data/grid_print_engine.h"
#include "platform/core/datetime.h"
#include "platform/core/sysutils.h"
#include "platform/ui/controls.h"
#include "platform/ui/printers.h"

namespace {

bool IsTop(TPrintPosition P) { return P == ppTopLeft || P == ppTopRight || P == ppTopCenter; }
bool IsBottom(TPrintPosition P) { return P == ppBottomLeft || P == ppBottomRight || P == ppBottomCenter; }
bool IsLeft(TPrintPosition P) { return P == ppTopLeft || P == ppBottomLeft; }
bool IsRight(TPrintPosition P) { return P == ppTopRight || P == ppBottomRight; }

// The rectangle within the grid; out-of-range ends are brought inside.
TGridRect InsideGrid(const TGridRect& R, int Cols, int Rows)
{
    TGridRect r(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
                std::max(R.Top, R.Bottom));
    r.Left = std::clamp(r.Left, 0, Cols - 1);
    r.Right = std::clamp(r.Right, 0, Cols - 1);
    r.Top = std::clamp(r.Top, 0, Rows - 1);
    r.Bottom = std::clamp(r.Bottom, 0, Rows - 1);
    return r;
}

} // namespace

// ============================================================ public operations

void TKvStringGrid::Print() { PrintJob(TGridRect(0, 0, ColCount() - 1, RowCount() - 1), false); }
void TKvStringGrid::PrintSelection() { PrintJob(Selection(), false); }
void TKvStringGrid::PrintRect(const TGridRect& Gridrect) { PrintJob(Gridrect, false); }
void TKvStringGrid::PrintSelectedRows() { PrintJob(TGridRect(0, 0, ColCount() - 1, RowCount() - 1), true); }
void TKvStringGrid::PrintSelectedCols() { PrintJob(TGridRect(0, 0, ColCount() - 1, RowCount() - 1), true); }

void TKvStringGrid::PrintPreview(TCanvas* Canvas, const TRect& Displayrect)
{
    PreviewJob(Canvas, Displayrect, TGridRect(0, 0, ColCount() - 1, RowCount() - 1), false);
}

void TKvStringGrid::PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect)
{
    PreviewJob(Canvas, Displayrect, Gridrect, false);
}

void TKvStringGrid::PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect)
{
    PreviewJob(Canvas, Displayrect, Selection(), false);
}

void TKvStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect)
{
    PreviewJob(Canvas, Displayrect, TGridRect(0, 0, ColCount() - 1, RowCount() - 1), true);
}

void TKvStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect)
{
    PreviewJob(Canvas, Displayrect, TGridRect(0, 0, ColCount() - 1, RowCount() - 1), true);
}

void TKvStringGrid::PrintDraw(TCanvas* Canvas, const TRect& DrawRect)
{
    PrintDrawRect(Canvas, DrawRect, TGridRect(0, 0, ColCount() - 1, RowCount() - 1));
}

void TKvStringGrid::PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect)
{
    FPrintGridRect = InsideGrid(Gridrect, ColCount(), RowCount());
    FPrintPreviewRect = DrawRect;
    FPreviewPage = FPrintPageTo = 1;
    FPrintNrOfPages = 1;
    FPrintToPrinter = false;
    const int old = Canvas->SetMapMode(MM_LOMETRIC);
    try {
        PrintPages(Canvas, 1, false, 1);
    } catch (...) {
        Canvas->SetMapMode(old);
        throw;
    }
    Canvas->SetMapMode(old);
}

int TKvStringGrid::PrintPages(TCanvas* Canvas, int Mode, bool SelectionMode, int NrOfPages)
{
    (void)NrOfPages;
    TGridPrintEngine engine(*this, Canvas, Mode, SelectionMode);
    return engine.Run();
}

void TKvStringGrid::PrintJob(const TGridRect& Gridrect, bool SelectionMode)
{
    ExportNotification(esExportStart, -1);
    FPrintGridRect = InsideGrid(Gridrect, ColCount(), RowCount());
    TPrinter* printer = Printer();
    TCanvas* canvas = printer->Canvas();
    int old = MM_TEXT;
    bool metric = false;
    // The document is begun in metric units and ended (and the mode given back) on every way out.
    auto begin = [&]() {
        printer->BeginDoc();
        old = canvas->SetMapMode(MM_LOMETRIC);
        metric = true;
    };
    try {
        if (!FPrintSettings->UseDefaultOrientation) printer->SetOrientation(FPrintSettings->Orientation);
        printer->SetTitle(FPrintSettings->JobName);
        begin();
        const int dpiX = GetDeviceCaps(canvas, LOGPIXELSX), dpiY = GetDeviceCaps(canvas, LOGPIXELSY);
        FPrintPreviewRect = TRect(0, 0, int(RoundHalfEven(254.0 / dpiX * printer->PageWidth())),
                                  int(RoundHalfEven(254.0 / dpiY * printer->PageHeight())));
        FPrintToPrinter = true;
        const int n = FastPrint ? INT_MAX : PrintPages(canvas, 2, SelectionMode, 0);
        FPreviewPage = 1;
        FPrintPageTo = n;
        FPrintNrOfPages = n;
        bool go = true;
        if (OnPrintStart) {
            canvas->SetMapMode(old);
            metric = false;
            printer->Abort();
            int from = 1, to = n;
            OnPrintStart(this, n, from, to);
            go = from != 0 && to != 0 && to >= from;
            if (go) {
                FPreviewPage = from;
                FPrintPageTo = to;
                begin();
            }
        }
        if (go) {
            FPrintNrOfPages = FPrintPageTo;
            PrintPages(canvas, 1, SelectionMode, n);
            canvas->SetMapMode(old);
            metric = false;
            printer->EndDoc();
        }
    } catch (...) {
        FPrintToPrinter = false;
        if (metric) canvas->SetMapMode(old);
        if (printer->Printing()) {
            try {
                printer->EndDoc();
            } catch (...) {
                // The job's own failure is the one reported.
            }
        }
        ExportNotification(esExportDone, -1);
        throw;
    }
    FPrintToPrinter = false;
    ExportNotification(esExportDone, -1);
}

void TKvStringGrid::PreviewJob(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect,
                               bool SelectionMode)
{
    ExportNotification(esExportStart, -1);
    FPrintGridRect = InsideGrid(Gridrect, ColCount(), RowCount());
    FPrintToPrinter = false;
    const int old = Canvas->SetMapMode(MM_LOMETRIC);
    try {
        FPrintPreviewRect = Displayrect;
        int n = 1;
        if (!FastPrint) {
            n = PrintPages(Canvas, 3, SelectionMode, 0);
            FPrintNrOfPages = n;
        }
        int from = 1, to = n;
        if (OnPrintStart) OnPrintStart(this, n, from, to);
        if (from != 0 && to != 0 && to >= from) PrintPages(Canvas, 0, SelectionMode, n);
    } catch (...) {
        Canvas->SetMapMode(old);
        ExportNotification(esExportDone, -1);
        throw;
    }
    Canvas->SetMapMode(old);
    ExportNotification(esExportDone, -1);
}

// ============================================================ the page engine

TGridPrintEngine::TGridPrintEngine(TKvStringGrid& Grid, TCanvas* Canvas, int Mode, bool SelectionMode)
    : G(Grid), PS(*Grid.PrintSettings()), C(Canvas), FMode(Mode), FSelection(SelectionMode),
      FWidths(Grid.FPrintColWidths), FOffsets(Grid.FPrintColOffsets)
{
    FFixedCols = G.TBaseGrid::FixedCols();
    FFixedRows = G.TBaseGrid::FixedRows();
}

bool TGridPrintEngine::InRange(int Page) const { return Page >= G.FPreviewPage && Page <= G.FPrintPageTo; }

int TGridPrintEngine::Run()
{
    // The canvas's pen, brush, font, clip, origin and mode, the print scale factor and the
    // grid's printing flag come back however the pass ends.
    struct TRestore {
        TGridPrintEngine& E;
        int Saved;
        ~TRestore()
        {
            E.C->RestoreState(Saved);
            E.G.FPrintScaleFactor = 1.0;
            E.G.Printing = false;
        }
    } restore{*this, C->SaveState()};
    if (C->MapMode() != MM_LOMETRIC) C->SetMapMode(MM_LOMETRIC);
    G.FPrintScaleFactor = 1.0;
    G.Printing = Drawing();
    const TGridRect& R = G.FPrintGridRect;

    // 1. the page: a preview (and a drawing into a rectangle) puts the page's top-left corner
    // at the rectangle's and keeps the drawing inside it
    const TRect pv = G.FPrintPreviewRect;
    const bool placed = FMode == 0 || FMode == 3 || (FMode == 1 && !G.FPrintToPrinter);
    if (placed) {
        const double sx = C->PixelsPerInchX() / 254.0, sy = C->PixelsPerInchY() / 254.0;
        C->SetWindowOrg(-int(std::lround(pv.Left / sx)), int(std::lround(pv.Top / sy)));
        if (FMode != 3) {
            TCanvasDeviceUnits device(C);
            C->IntersectClipRect(pv);
        }
    }
    TRect page;
    if (FMode == 1) {
        const TRect c = C->ClipRect();
        page = TRect(0, 0, c.Right - c.Left, c.Bottom - c.Top);
    } else if (FMode == 2) {
        page = TRect(0, 0, pv.Right - pv.Left, -pv.Bottom - pv.Top);
    } else {
        const TRect l = C->DPtoLP(pv);
        page = TRect(0, 0, l.Right - l.Left, l.Bottom - l.Top);
    }
    G.FPrintPageRect = page;
    if (page.Right <= 0 || page.Bottom >= 0 || R.Left > R.Right) return 0;

    // 2. and 3. scales, pen and fonts
    const int ppi = GetDeviceCaps(nullptr, LOGPIXELSX);
    FScreen = ppi > 0 ? 254.0 / ppi : 1.0;
    FPagePen.SetColor(clBlack);
    FPagePen.SetStyle(PS.BorderStyle);
    FPagePen.SetWidth(PS.Borders == pbDouble ? 10 : 2);
    SetupFonts();
    FRowSpacing = PS.RowSpacing;

    // 4. to 6. columns
    FSpacing = PS.UseFixedWidth ? 0 : PS.ColumnSpacing + 20;
    FLayoutCols.clear();
    if (PS.RepeatFixedCols)
        for (int c = 0; c < std::min(FFixedCols, R.Left); ++c) FLayoutCols.push_back(c);
    for (int c = R.Left; c <= R.Right; ++c) FLayoutCols.push_back(c);
    MeasureColumns();
    FitColumns();
    if (G.OnPrintSetColumnWidth)
        for (int c = R.Left; c <= R.Right; ++c) G.OnPrintSetColumnWidth(&G, c, FWidths[size_t(c)]);

    // 7. and 8. bands and the rooms of header and footer
    const std::vector<TBand> bands = MakeBands();
    FBandCount = int(bands.size());
    MeasureRooms();
    const int limit = page.Bottom + FBottomRoom;

    // 9. the rows of each band, page after page
    int pageNr = 1;
    bool cancelled = false;
    for (size_t b = 0; b < bands.size() && !cancelled; ++b) {
        FBand = bands[b];
        if (b > 0) {
            NextPage(pageNr);
            ++pageNr;
        }
        PlaceBand(FBand);
        if (Drawing() && InRange(pageNr) && G.OnPrintPage) G.OnPrintPage(&G, C, pageNr, page.Right, page.Bottom);
        const int band = int(b) + 1;
        int pageInBand = 1;
        int y = StartPage(pageNr, pageInBand, band, true);
        int row = R.Top, bodyRows = 0;
        bool bordersDrawn = false;
        FLastDrawnRow = -1;
        while (true) {
            bordersDrawn = false;
            row = NextPrintedRow(row);
            int stepped = row;
            if (row <= R.Bottom) {
                const int h = DrawnHeight(row);
                const bool fits = y - h >= limit;
                // A row taller than the room between header and footer gets a page of its
                // own, cut at the page's bottom edge.
                if (fits || bodyRows == 0) {
                    if (Drawing() && InRange(pageNr)) DrawRowWithFixedCols(row, y, !fits);
                    FLastDrawnRow = row;
                    y -= h;
                    ++bodyRows;
                    ++row;
                }
            }
            bool forced = false;
            if (G.OnPrintNewPage) G.OnPrintNewPage(&G, stepped, forced);
            const int next = NextPrintedRow(row);
            const bool remaining = next <= R.Bottom;
            const bool nextFits = remaining && y - DrawnHeight(next) >= limit;
            if (Drawing() && InRange(pageNr) && (!nextFits || forced)) {
                if (G.OnPrintPageDone) G.OnPrintPageDone(&G, C, FLastDrawnRow, y, pageNr, page.Right, page.Bottom);
                if (G.OnPrintCancel) G.OnPrintCancel(&G, pageNr, cancelled);
            }
            if (!remaining || cancelled) break;
            if (!nextFits || forced) {
                if (Drawing() && InRange(pageNr)) DrawPageBorders(y);
                bordersDrawn = true;
                // Past the pages wanted, the rest of the band is left out.
                if (G.FastPrint && pageNr - G.FPreviewPage > 1) break;
                NextPage(pageNr);
                ++pageNr;
                ++pageInBand;
                y = StartPage(pageNr, pageInBand, band, false);
                bodyRows = 0;
            }
        }
        if (!bordersDrawn && Drawing() && InRange(pageNr)) DrawPageBorders(y);
    }
    return pageNr;
}

void TGridPrintEngine::SetupFonts()
{
    auto lineHeight = [&](TFont* Font) {
        C->Font()->Assign(*Font);
        const int h = G.MapFontHeight(Font->Size());
        C->Font()->SetHeight(h == 0 ? -1 : h);
        C->Font()->SetOrientation(0);
        return C->TextHeight(QStringLiteral("gh"));
    };
    FHeaderText = lineHeight(PS.HeaderFont());
    FFooterText = lineHeight(PS.FooterFont());
    FGap = lineHeight(PS.Font()) / 8;
    FInset = C->TextWidth(QStringLiteral("g")) / 2;
}

void TGridPrintEngine::FitColumns()
{
    if (PS.FitToPage == fpNever) return;
    const TGridRect& R = G.FPrintGridRect;
    int total = 0, printed = 0;
    for (int c = R.Left; c <= R.Right; ++c)
        if (ColPrinted(c)) {
            total += FWidths[size_t(c)] + FSpacing;
            ++printed;
        }
    const int spacing = printed * FSpacing;
    if (total == spacing) return;
    double f = double(G.FPrintPageRect.Right - PS.RightSize - PS.LeftSize - spacing) / double(total - spacing);
    if (PS.FitToPage == fpShrink && f > 1) f = 1;
    if (PS.FitToPage == fpGrow && f < 1) f = 1;
    if (PS.FitToPage == fpCustom && f != 1 && G.OnFitToPage) {
        bool allow = true;
        G.OnFitToPage(&G, f, allow);
        if (!allow) f = 1;
    }
    // Margins and spacing wider than the page leave nothing to scale the columns into.
    if (f <= 0 || !std::isfinite(f)) f = 1;
    if (f == 1) return;
    for (int c : FLayoutCols) FWidths[size_t(c)] = int(std::trunc(FWidths[size_t(c)] * f));
    G.FPrintScaleFactor = f;
    FCachedRow = -1;
}

std::vector<TGridPrintEngine::TBand> TGridPrintEngine::MakeBands()
{
    std::vector<TBand> bands;
    const TGridRect& R = G.FPrintGridRect;
    const int room = G.FPrintPageRect.Right - PS.RightSize;
    int start = R.Left;
    while (start <= R.Right) {
        TBand b;
        b.RepeatCols = FFixedCols > 0 && PS.RepeatFixedCols && (start != R.Left || R.Left > FFixedCols);
        int width = 0;
        if (b.RepeatCols) {
            for (int k = 0; k < FFixedCols; ++k)
                if (ColPrinted(k)) width += FWidths[size_t(k)] + FSpacing;
            // Fixed columns repeated on the band are not laid out twice.
            start = std::max(start, FFixedCols);
            if (start > R.Right) break;
        }
        int end = start - 1;
        for (int c = start; c <= R.Right; ++c) {
            const int add = ColPrinted(c) ? FWidths[size_t(c)] + FSpacing : 0;
            if (width + add > room) break;
            width += add;
            end = c;
        }
        // A column wider than the page gets a band of its own, cut at the page's right edge.
        if (end < start) {
            end = start;
            if (ColPrinted(start)) width += FWidths[size_t(start)] + FSpacing;
        }
        b.Start = start;
        b.End = end;
        b.Width = width;
        bands.push_back(b);
        start = end + 1;
    }
    return bands;
}

void TGridPrintEngine::PlaceBand(const TBand& Band)
{
    G.FPrintColStart = Band.Start;
    G.FPrintColEnd = Band.End;
    G.FPrintPageWidth = Band.Width;
    const int pageWidth = G.FPrintPageRect.Right;
    const int base = PS.Centered ? 0 : PS.LeftSize;
    const int shift = PS.Centered && Band.Width < pageWidth ? (pageWidth - Band.Width) / 2 : 0;
    int fixed = 0;
    if (Band.RepeatCols) {
        int x = base;
        for (int k = 0; k < FFixedCols; ++k) {
            FOffsets[size_t(k)] = x + shift;
            if (ColPrinted(k)) x += FWidths[size_t(k)] + FSpacing;
        }
        fixed = x - base;
    }
    int x = base;
    for (int c = Band.Start; c <= Band.End; ++c) {
        FOffsets[size_t(c)] = x + shift + fixed;
        if (ColPrinted(c)) x += FWidths[size_t(c)] + FSpacing;
    }
    FOffsets[size_t(Band.End) + 1] = x + shift + fixed;
}

void TGridPrintEngine::MeasureRooms()
{
    const TPrintPosition title = PS.Title;
    const int lines = PS.TitleLines()->Count();
    const bool linesTitle = title != ppNone && PS.TitleText.isEmpty() && lines > 0;
    FHTMLTitle.clear();
    FHTMLTitleHeight = FHTMLTitleWidth = 0;
    if (linesTitle) {
        const QString joined = JoinStrings(*PS.TitleLines());
        if (GetCellTextKind(joined, true) == ctkHTML) {
            FHTMLTitle = joined;
            TFont* font = IsTop(title) ? PS.HeaderFont() : PS.FooterFont();
            C->Font()->Assign(*font);
            const int h = G.MapFontHeight(font->Size());
            C->Font()->SetHeight(h == 0 ? -1 : h);
            const TPoint s = HTMLSize(FHTMLTitle, G.FPrintPageRect.Right - PS.LeftSize - PS.RightSize, true);
            FHTMLTitleWidth = s.X;
            FHTMLTitleHeight = s.Y;
        }
    }
    const int extraLines = linesTitle && FHTMLTitle.isEmpty() ? lines - 1 : 0;
    const bool top = IsTop(PS.Time) || IsTop(PS.Date) || IsTop(PS.PageNr) || IsTop(title);
    const bool bottom = IsBottom(PS.Time) || IsBottom(PS.Date) || IsBottom(PS.PageNr) || IsBottom(title);
    int above = PS.HeaderSize;
    if (top) {
        above = FGap + FHeaderText + PS.HeaderSize;
        if (IsTop(title)) above += FHTMLTitle.isEmpty() ? extraLines * FHeaderText : FHTMLTitleHeight + PS.HeaderSize;
    }
    int below = FGap + FFooterText + PS.FooterSize;
    int footerExtra = 0;
    if (bottom) {
        footerExtra = IsBottom(title) ? (FHTMLTitle.isEmpty() ? extraLines * FFooterText : FHTMLTitleHeight) : 0;
        below = 2 * FGap + 2 * FFooterText + PS.FooterSize + footerExtra;
    }
    // The title room is kept on every page, as the title is written on every page.
    FTopRoom = above + PS.TitleSpacing;
    FBottomRoom = below;
    FFooterY = G.FPrintPageRect.Bottom + PS.FooterSize + FGap + FFooterText + footerExtra;
}

QString TGridPrintEngine::PageNumberText(int Page, int PageInBand, int Band)
{
    QString s;
    if (FBandCount > 1) {
        s = QStringLiteral("%1-%2").arg(PageInBand).arg(Band);
    } else {
        s = QString::number(Page + PS.PageNumberOffset);
        if (!PS.PageNumSep.isEmpty() && G.FPrintNrOfPages > 1)
            s += PS.PageNumSep + QString::number(qint64(G.FPrintNrOfPages) + PS.MaxPagesOffset);
    }
    G.PrintGetPageNum(Page, Band, s);
    return s;
}

void TGridPrintEngine::DrawHeaderFooter(int Page, int PageInBand, int Band)
{
    QString texts[ppBottomCenter + 1];
    auto add = [&](TPrintPosition P, const QString& Item) {
        if (P == ppNone) return;
        QString& t = texts[P];
        t = IsLeft(P) ? Item + QLatin1Char(' ') + t : t + QLatin1Char(' ') + Item;
    };
    const TDateTime now = Now();
    add(PS.Time, FormatDateTime(QStringLiteral("hh:nn"), now));
    add(PS.Date, FormatDateTime(PS.DateFormat, now));
    add(PS.PageNr, PS.PagePrefix + QLatin1Char(' ') + PageNumberText(Page, PageInBand, Band) + QLatin1Char(' ') +
                       PS.PageSuffix);
    QStringList moreTitle;
    if (PS.Title != ppNone) {
        const TStringList* lines = PS.TitleLines();
        if (!PS.TitleText.isEmpty()) {
            add(PS.Title, PS.TitleText);
        } else if (FHTMLTitle.isEmpty() && lines->Count() > 0) {
            QString& t = texts[PS.Title];
            if (t.isEmpty()) t = lines->Strings(0);
            else add(PS.Title, lines->Strings(0));
            for (int k = 1; k < lines->Count(); ++k) moreTitle << lines->Strings(k);
        }
    }
    const int pageWidth = G.FPrintPageRect.Right;
    auto xFor = [&](TPrintPosition P, int Width) {
        if (IsLeft(P)) return PS.LeftSize;
        if (IsRight(P)) return pageWidth - Width - PS.RightSize - 20;
        return (pageWidth - Width) / 2;
    };
    auto useFont = [&](TFont* Font) {
        C->Font()->Assign(*Font);
        const int h = G.MapFontHeight(Font->Size());
        C->Font()->SetHeight(h == 0 ? -1 : h);
        C->Font()->SetOrientation(0);
    };
    C->Brush()->SetStyle(bsClear);
    for (int pass = 0; pass < 2; ++pass) {
        const bool header = pass == 0;
        useFont(header ? PS.HeaderFont() : PS.FooterFont());
        const int y = header ? -PS.HeaderSize : FFooterY;
        const int step = header ? FHeaderText : FFooterText;
        for (int p = ppTopLeft; p <= ppBottomCenter; ++p) {
            const TPrintPosition pos = TPrintPosition(p);
            if (IsTop(pos) != header || texts[p].isEmpty()) continue;
            C->TextOut(xFor(pos, C->TextWidth(texts[p])), y, texts[p]);
        }
        if (IsTop(PS.Title) == header) {
            int ty = y;
            for (const QString& line : moreTitle) {
                ty -= step;
                C->TextOut(xFor(PS.Title, C->TextWidth(line)), ty, line);
            }
            if (!FHTMLTitle.isEmpty()) {
                const int x = xFor(PS.Title, FHTMLTitleWidth);
                const int top = header ? y - step - FGap : y - step;
                DrawHTML(FHTMLTitle, TRect(x, top, std::max(x + FHTMLTitleWidth, pageWidth - PS.RightSize),
                                           top - FHTMLTitleHeight),
                         true);
            }
        }
    }
}

int TGridPrintEngine::StartPage(int Page, int PageInBand, int Band, bool FirstOfBand)
{
    if (Drawing() && InRange(Page)) DrawHeaderFooter(Page, PageInBand, Band);
    int y = -FTopRoom;
    // On the band's first page rows from the top print the fixed rows themselves.
    if (PS.RepeatFixedRows && FFixedRows > 0 && (!FirstOfBand || G.FPrintGridRect.Top >= FFixedRows)) {
        for (int r = 0; r < std::min(FFixedRows, G.RowCount()); ++r) {
            if (!RowPrinted(r)) continue;
            if (Drawing() && InRange(Page)) DrawRowWithFixedCols(r, y, false);
            y -= DrawnHeight(r);
        }
    }
    return y;
}

void TGridPrintEngine::NextPage(int Page)
{
    if (FMode == 1 && G.FPrintToPrinter && InRange(Page) && InRange(Page + 1)) Printer()->NewPage();
    if (Drawing() && InRange(Page + 1) && G.OnPrintPage)
        G.OnPrintPage(&G, C, Page + 1, G.FPrintPageRect.Right, G.FPrintPageRect.Bottom);
}

int TGridPrintEngine::NextPrintedRow(int ARow)
{
    const int last = G.FPrintGridRect.Bottom;
    while (ARow <= last && !RowPrinted(ARow)) ++ARow;
    return ARow;
}

void TGridPrintEngine::DrawRowWithFixedCols(int ARow, int Y, bool CutAtPage)
{
    if (FBand.RepeatCols)
        DrawRow(ARow, Y, 0, FFixedCols - 1, FOffsets[size_t(FBand.Start)], CutAtPage);
    DrawRow(ARow, Y, FBand.Start, FBand.End, FOffsets[size_t(FBand.End) + 1], CutAtPage);
}

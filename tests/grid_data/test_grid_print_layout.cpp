// The page layout of printing and preview, recorded on a canvas with fixed metrics in the
// metric mode: 254 pixels per inch make one pixel one tenth of a millimetre, every text line
// is 40 units high and every character 20 units wide, so the row gap p is 5, the text inset
// i is 10 and a one-line row takes 2p + 40 + 40 div 8 = 55 units.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "grid/kv_string_grid.h"
#include "platform/core/datetime.h"
#include "platform/ui/graphics.h"

namespace {

constexpr int kRow = 55;           // drawn height of a one-line row
const TRect kA4(0, 0, 2100, 2970); // a preview as large as an A4 page

struct GridPrintLayout : ::testing::Test {
    TKvStringGrid g;
    TRecordingCanvas rc{20, 40, 30, 2100, 2970};
    GridPrintLayout()
    {
        rc.SetPixelsPerInch(254, 254);
        g.SetColCount(3);
        g.SetRowCount(4);
    }
    // Previews one page; answers its recording.
    std::vector<TRecordingCanvas::Op> Page(int Nr, const TRect& Display = kA4)
    {
        rc.Clear();
        g.SetPreviewPage(Nr);
        g.PrintPreview(&rc, Display);
        return rc.Ops;
    }
    static std::vector<TRecordingCanvas::Op> Of(const std::vector<TRecordingCanvas::Op>& Ops, const char* Kind)
    {
        std::vector<TRecordingCanvas::Op> out;
        for (const auto& o : Ops)
            if (o.Kind == QLatin1String(Kind)) out.push_back(o);
        return out;
    }
    // The texts written at a height, in order.
    static QStringList TextsAt(const std::vector<TRecordingCanvas::Op>& Ops, int Y)
    {
        QStringList out;
        for (const auto& o : Of(Ops, "TextOut"))
            if (o.Y == Y) out << o.Text;
        return out;
    }
    static int CountText(const std::vector<TRecordingCanvas::Op>& Ops, const QString& Text)
    {
        int n = 0;
        for (const auto& o : Ops)
            if ((o.Kind == QLatin1String("TextOut") || o.Kind == QLatin1String("TextRect")) && o.Text == Text) ++n;
        return n;
    }
    void Fill(int Rows)
    {
        g.SetRowCount(Rows);
        for (int r = 0; r < Rows; ++r) g.SetCells(1, r, QStringLiteral("r%1").arg(r));
    }
};

}  // namespace

TEST(GridPrintFonts, PointsMapToTenthsOfAMillimetreAndBack)
{
    TKvStringGrid g;
    EXPECT_EQ(g.MapFontHeight(10), -35);
    EXPECT_EQ(g.MapFontHeight(8), -28);
    EXPECT_EQ(g.MapFontSize(35), 9);
    EXPECT_EQ(g.MapFontSize(-35), -9);
}

TEST_F(GridPrintLayout, RowsAreMeasuredAndPagedBetweenHeaderAndFooter)
{
    Fill(120);
    // No header item: the footer room is p + "gh" = 45, so (2970 - 45) / 55 = 53 rows a page.
    Page(1);
    EXPECT_EQ(g.PrintNrOfPages(), 3);
    EXPECT_EQ(g.PrintPageRect(), TRect(0, 0, 2100, -2970));
    // "gh" (40) for the empty column 0, "r100" (80) for column 1, each with 20 of spacing,
    // centred on the page.
    EXPECT_EQ(g.PrintColWidth(0), 40);
    EXPECT_EQ(g.PrintColWidth(1), 80);
    const int width = 60 + 100 + 60;
    EXPECT_EQ(g.PrintColOffset(0), (2100 - width) / 2);
    EXPECT_EQ(g.PrintColOffset(1), (2100 - width) / 2 + 60);
    const auto p2 = Page(2);
    const auto texts = Of(p2, "TextOut");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(CountText(p2, QStringLiteral("r53")), 1) << "page 2 starts with row 53";
    EXPECT_EQ(CountText(p2, QStringLiteral("r105")), 1);
    EXPECT_EQ(CountText(p2, QStringLiteral("r106")), 0);
    EXPECT_EQ(CountText(p2, QStringLiteral("r52")), 0);
}

TEST_F(GridPrintLayout, BandsOfColumnsArePagedTopToBottomThenLeftToRight)
{
    g.SetColCount(4);
    Fill(60);
    for (int c = 0; c < 4; ++c) g.SetColWidths(c, 300);  // 794 units + 20: two columns a band
    g.PrintSettings()->NoAutoSize = true;
    g.PrintSettings()->PageNr = ppTopLeft;
    std::vector<std::pair<int, int>> bandCols;
    g.OnPrintPage = [&](TObject*, TCanvas*, int, int, int) {
        bandCols.emplace_back(g.PrintColStart(), g.PrintColEnd());
    };
    Page(1);
    ASSERT_EQ(g.PrintNrOfPages(), 4);
    QStringList numbers;
    for (int p = 1; p <= 4; ++p) numbers << TextsAt(Page(p), 0).value(0).trimmed();
    EXPECT_EQ(numbers, (QStringList{"1-1", "2-1", "1-2", "2-2"}));
    EXPECT_EQ(g.PrintColStart(), 2);
    EXPECT_EQ(g.PrintColEnd(), 3);
    // Page 3 is the second band's first page: announced as the next page and as the band's.
    bandCols.clear();
    Page(3);
    EXPECT_EQ(bandCols.size(), 2u);
}

TEST_F(GridPrintLayout, PageNumbersCountThePagesWithOffsetsAndTheEvent)
{
    struct Case {
        int Rows, Offset, MaxOffset, Page;
        QString Separator, Expected;
    } cases[] = {
        {120, 0, 0, 2, QStringLiteral("/"), QStringLiteral("2/3")},
        {10, 0, 0, 1, QStringLiteral("/"), QStringLiteral("1")},
        {10, 10, 0, 1, QStringLiteral("/"), QStringLiteral("11")},
        {120, 10, 5, 3, QStringLiteral(" of "), QStringLiteral("13 of 8")},
        {120, 0, 0, 1, QString(), QStringLiteral("1")},
    };
    g.PrintSettings()->PageNr = ppTopLeft;
    for (const Case& c : cases) {
        Fill(c.Rows);
        g.PrintSettings()->PageNumberOffset = c.Offset;
        g.PrintSettings()->MaxPagesOffset = c.MaxOffset;
        g.PrintSettings()->PageNumSep = c.Separator;
        EXPECT_EQ(TextsAt(Page(c.Page), 0).value(0), QStringLiteral(" ") + c.Expected + QStringLiteral("  "))
            << c.Expected.toStdString();
    }
    g.PrintSettings()->PagePrefix = QStringLiteral("Page");
    g.OnPrintGetPageNum = [](TObject*, int PageNum, int PageColNum, QString& Text) {
        Text = QStringLiteral("<%1.%2:%3>").arg(PageNum).arg(PageColNum).arg(Text);
    };
    EXPECT_EQ(TextsAt(Page(1), 0).value(0), QStringLiteral("Page <1.1:1>  "));
}

TEST_F(GridPrintLayout, TimeAndDateComeFromTheClockInTheirPositions)
{
    TManualClock clock;
    clock.NowValue = EncodeDate(2026, 12, 31) + EncodeTime(13, 45, 10, 0);
    TClockScope scope(clock);
    TPrintSettings* ps = g.PrintSettings();
    ps->Time = ppTopLeft;
    ps->Date = ppTopLeft;
    // The separators are the locale's.
    const QString date = FormatDateTime(QStringLiteral("dd/mm/yyyy"), clock.NowValue);
    const QString time = FormatDateTime(QStringLiteral("hh:nn"), clock.NowValue);
    EXPECT_EQ(date.left(2), QStringLiteral("31"));
    EXPECT_EQ(TextsAt(Page(1), 0), QStringList{date + QStringLiteral(" ") + time + QStringLiteral(" ")});

    ps->Date = ppBottomRight;
    ps->DateFormat = QStringLiteral("yyyy-mm-dd");
    ps->HeaderSize = 30;
    ps->FooterSize = 20;
    ps->TitleText = QStringLiteral("Rules");
    ps->Title = ppTopLeft;
    const auto ops = Page(1);
    EXPECT_EQ(TextsAt(ops, -30), QStringList{QStringLiteral("Rules ") + time + QStringLiteral(" ")});
    // Footer texts: page bottom + FooterSize + p + "gh"; a right text ends 20 + RightSize
    // before the page's edge.
    const int footerY = -2970 + 20 + 5 + 40;
    const auto footer = TextsAt(ops, footerY);
    ASSERT_EQ(footer, QStringList{QStringLiteral(" 2026-12-31")});
    for (const auto& o : Of(ops, "TextOut"))
        if (o.Y == footerY) {
            EXPECT_EQ(o.X, 2100 - 11 * 20 - 20);
        }
    EXPECT_EQ(g.PrintNrOfPages(), 1);
}

TEST_F(GridPrintLayout, TitleLinesFollowTheFirstOneAndAnHTMLTitleIsRendered)
{
    TPrintSettings* ps = g.PrintSettings();
    ps->Title = ppTopCenter;
    ps->TitleLines()->Add(QStringLiteral("First"));
    ps->TitleLines()->Add(QStringLiteral("Second"));
    auto ops = Page(1);
    EXPECT_EQ(TextsAt(ops, 0), QStringList{QStringLiteral("First")});
    EXPECT_EQ(TextsAt(ops, -40), QStringList{QStringLiteral("Second")});
    for (const auto& o : Of(ops, "TextOut"))
        if (o.Text == QLatin1String("Second")) {
            EXPECT_EQ(o.X, (2100 - 120) / 2);
        }

    ps->TitleLines()->Clear();
    ps->TitleLines()->Add(QStringLiteral("<b>Bold</b> title"));
    ops = Page(1);
    EXPECT_TRUE(TextsAt(ops, 0).isEmpty()) << "an HTML title is no plain text";
    EXPECT_GE(CountText(ops, QStringLiteral("Bold")), 1);
}

TEST_F(GridPrintLayout, FittingShrinksOrGrowsOnlyAsAsked)
{
    g.SetColCount(4);
    Fill(3);
    g.PrintSettings()->NoAutoSize = true;
    auto widths = [&](TFitToPage Fit, int ScreenWidth) {
        for (int c = 0; c < 4; ++c) g.SetColWidths(c, ScreenWidth);
        g.PrintSettings()->FitToPage = Fit;
        Page(1);
        return g.PrintColWidth(1);
    };
    // Narrow columns: 40 pixels are 106 units.
    EXPECT_EQ(widths(fpNever, 40), 106);
    EXPECT_EQ(widths(fpShrink, 40), 106);
    EXPECT_GT(widths(fpGrow, 40), 106);
    EXPECT_NEAR(widths(fpAlways, 40), (2100 - 80) / 4, 1) << "four columns fill the page";
    // Wide columns: 400 pixels are 1058 units.
    EXPECT_EQ(widths(fpGrow, 400), 1058);
    EXPECT_LT(widths(fpShrink, 400), 1058);
    EXPECT_EQ(g.PrintNrOfPages(), 1) << "shrunk onto one band";
    // A custom fit asks the handler, which may refuse.
    double asked = 0;
    g.OnFitToPage = [&](TObject*, double& Factor, bool& Allow) {
        asked = Factor;
        Allow = false;
    };
    EXPECT_EQ(widths(fpCustom, 400), 1058);
    EXPECT_GT(asked, 0.4);
    EXPECT_LT(asked, 0.5);
}

TEST_F(GridPrintLayout, FixedRowsRepeatOnEveryPageButTheFirst)
{
    Fill(120);
    g.SetCells(1, 0, QStringLiteral("Head"));
    for (bool repeat : {false, true}) {
        g.PrintSettings()->RepeatFixedRows = repeat;
        Page(1);
        const int pages = g.PrintNrOfPages();
        ASSERT_EQ(pages, 3);
        for (int p = 1; p <= pages; ++p)
            EXPECT_EQ(CountText(Page(p), QStringLiteral("Head")), p == 1 || repeat ? 1 : 0)
                << "page " << p << " repeat " << repeat;
    }
}

TEST_F(GridPrintLayout, OnPrintStartCanLeaveThePreviewEmpty)
{
    Fill(120);
    int told = 0;
    g.OnPrintStart = [&](TObject*, int NrOfPages, int& FromPage, int&) {
        told = NrOfPages;
        FromPage = 0;
    };
    EXPECT_TRUE(Page(1).empty());
    EXPECT_EQ(told, 3);
    g.OnPrintStart = [&](TObject*, int, int& FromPage, int& ToPage) {
        FromPage = 2;
        ToPage = 1;
    };
    EXPECT_TRUE(Page(1).empty()) << "a reversed range prints nothing";
}

TEST_F(GridPrintLayout, TheCountIsThePagesDrawn)
{
    g.SetColCount(5);
    Fill(150);
    for (int c = 0; c < 5; ++c) g.SetColWidths(c, 300);
    g.SetCells(2, 10, QStringLiteral("one\rtwo\rthree"));
    g.MultilineCells = true;
    TPrintSettings* ps = g.PrintSettings();
    ps->NoAutoSize = true;
    ps->RepeatFixedRows = true;
    ps->RepeatFixedCols = true;
    ps->PageNr = ppBottomCenter;
    ps->Title = ppTopLeft;
    ps->TitleLines()->Add(QStringLiteral("A"));
    ps->TitleLines()->Add(QStringLiteral("B"));
    int done = 0;
    g.OnPrintPageDone = [&](TObject*, TCanvas*, int, int, int, int, int) { ++done; };
    Page(1);
    const int n = g.PrintNrOfPages();
    EXPECT_GT(n, 4);
    done = 0;
    for (int p = 1; p <= n + 1; ++p) {
        const auto ops = Page(p);
        EXPECT_EQ(ops.empty(), p > n) << "page " << p;
    }
    EXPECT_EQ(done, n);
}

TEST_F(GridPrintLayout, ACancelEndsTheJobAfterItsPage)
{
    Fill(120);
    int lastDone = 0, lastRow = -1;
    g.OnPrintPageDone = [&](TObject*, TCanvas*, int LastRow, int, int LastPage, int, int) {
        lastDone = LastPage;
        lastRow = LastRow;
    };
    g.OnPrintCancel = [&](TObject*, int PageNr, bool& Cancel) { Cancel = PageNr == 1; };
    const auto ops = Page(1);
    EXPECT_EQ(lastDone, 1);
    EXPECT_EQ(lastRow, 52);
    EXPECT_EQ(CountText(ops, QStringLiteral("r52")), 1);
}

TEST_F(GridPrintLayout, NewPageHandlerForcesABreak)
{
    Fill(20);
    g.OnPrintNewPage = [](TObject*, int ARow, bool& NewPage) { NewPage = ARow == 4; };
    Page(1);
    EXPECT_EQ(g.PrintNrOfPages(), 2);
    EXPECT_EQ(CountText(Page(2), QStringLiteral("r5")), 1);
}

TEST_F(GridPrintLayout, FastPrintDropsABandsRowsTwoPagesPastTheFirstDrawn)
{
    Fill(400);
    int furthest = -1;
    g.OnPrintNewPage = [&](TObject*, int ARow, bool&) { furthest = std::max(furthest, ARow); };
    Page(1);
    EXPECT_EQ(furthest, 399) << "the counting pass runs through";
    g.FastPrint = true;
    furthest = -1;
    const auto ops = Page(1);
    EXPECT_EQ(CountText(ops, QStringLiteral("r0")), 1);
    // Pages 1 to 3 are laid out (53 rows each), then the band stops.
    EXPECT_EQ(furthest, 3 * 53 - 1);
    furthest = -1;
    Page(3);
    EXPECT_EQ(furthest, 5 * 53 - 1);
}

TEST_F(GridPrintLayout, BorderSetsFollowTheSettingAndTheHook)
{
    g.SetColCount(2);
    g.SetRowCount(2);
    auto lines = [&](bool Vertical) {
        int n = 0;
        for (const auto& o : Of(Page(1), "LineTo")) {
            const bool vertical = o.R.Left == o.R.Right && o.R.Top != o.R.Bottom;
            const bool horizontal = o.R.Top == o.R.Bottom && o.R.Left != o.R.Right;
            if (Vertical ? vertical : horizontal) ++n;
        }
        return n;
    };
    g.PrintSettings()->Borders = pbSingle;
    EXPECT_EQ(lines(true), 8);
    EXPECT_EQ(lines(false), 8);
    g.PrintSettings()->Borders = pbHorizontal;
    EXPECT_EQ(lines(true), 0);
    EXPECT_EQ(lines(false), 8 + 1) << "and the page's line under the last row";
    g.PrintSettings()->Borders = pbNoborder;
    EXPECT_EQ(lines(true), 0);
    EXPECT_EQ(lines(false), 0);
    TColor hookColour = clNone;
    g.OnGetCellPrintBorder = [&](TObject*, int ARow, int ACol, TPen* Pen, TCellBorders& Borders) {
        if (ARow == 1 && ACol == 1) {
            Borders << cbLeft;
            Pen->SetColor(clRed);
        }
    };
    EXPECT_EQ(lines(true), 1);
    for (const auto& o : Of(Page(1), "LineTo")) hookColour = o.Color;
    EXPECT_EQ(hookColour, clRed);
}

TEST_F(GridPrintLayout, AMergedBlockPrintsAsOneRectangle)
{
    g.SetColCount(4);
    g.SetRowCount(4);
    g.MergeCells(1, 1, 2, 2);
    g.SetCells(1, 1, QStringLiteral("Merged"));
    const auto ops = Page(1);
    const int left = g.PrintColOffset(1), inner = g.PrintColOffset(2), right = g.PrintColOffset(3);
    const int top = -kRow, middle = -2 * kRow, bottom = -3 * kRow;
    bool filled = false;
    for (const auto& o : Of(ops, "FillRect"))
        if (o.R == TRect(left, top, right, bottom)) filled = true;
    EXPECT_TRUE(filled) << "one background over the block";
    for (const auto& o : Of(ops, "LineTo")) {
        if (o.R.Top > top || std::min(o.R.Top, o.R.Bottom) < bottom) continue;   // rows of the block only
        const bool vertical = o.R.Left == o.R.Right;
        if (vertical) {
            EXPECT_NE(o.R.Left, inner) << "no inner vertical line";
        } else if (o.R.Left >= left && o.R.Right <= right) {
            EXPECT_NE(o.R.Top, middle) << "no inner horizontal line";
        }
    }
    EXPECT_EQ(CountText(ops, QStringLiteral("Merged")), 1);
    // The block's outline is there.
    int outline = 0;
    for (const auto& o : Of(ops, "LineTo"))
        if ((o.R.Left == o.R.Right && (o.R.Left == left - 1 || o.R.Left == right) && o.R.Top == top &&
             o.R.Bottom == bottom) ||
            (o.R.Top == o.R.Bottom && (o.R.Top == top || o.R.Top == bottom) && o.R.Left == left && o.R.Right == right))
            ++outline;
    EXPECT_GE(outline, 4);
}

TEST_F(GridPrintLayout, GraphicsPrintOnlyWithPrintGraphics)
{
    TBitmap* b = g.CreateBitmap(1, 1, false, haBeforeText, vaTop);
    b->SetSize(64, 32);
    g.SetCells(1, 1, QStringLiteral("ab"));
    g.AddCheckBox(2, 1, true, false);
    // Everything but fills, lines and texts: the check box's frame control.
    auto checkOps = [](const std::vector<TRecordingCanvas::Op>& Ops) {
        int n = 0;
        for (const auto& o : Ops)
            if (o.Kind != QLatin1String("FillRect") && o.Kind != QLatin1String("LineTo") &&
                o.Kind != QLatin1String("MoveTo") && o.Kind != QLatin1String("TextOut") &&
                o.Kind != QLatin1String("StretchDraw"))
                ++n;
        return n;
    };
    g.PrintSettings()->PrintGraphics = false;
    auto ops = Page(1);
    const int without = checkOps(ops);
    EXPECT_EQ(g.PrintColWidth(1), 40) << "the text alone";
    EXPECT_TRUE(Of(ops, "StretchDraw").empty());
    g.PrintSettings()->PrintGraphics = true;
    ops = Page(1);
    // 64 x 32 screen pixels are 169 x 85 units, the text follows.
    EXPECT_EQ(g.PrintColWidth(1), 40 + 169);
    ASSERT_EQ(Of(ops, "StretchDraw").size(), 1u);
    EXPECT_EQ(Of(ops, "StretchDraw")[0].R.Width(), 169);
    EXPECT_GT(checkOps(ops), without) << "the check box is drawn";
}

TEST_F(GridPrintLayout, FixedHeightRowsTakeItWithTheirGapsAndSpacing)
{
    Fill(4);
    g.PrintSettings()->UseFixedHeight = true;
    g.PrintSettings()->FixedHeight = 50;
    g.PrintSettings()->RowSpacing = 7;
    std::vector<int> tops;
    for (const auto& o : Of(Page(1), "FillRect"))
        if (o.R.Left == g.PrintColOffset(1)) tops.push_back(o.R.Top);
    ASSERT_EQ(tops.size(), 3u) << "the normal rows (the fixed row has a gradient)";
    for (size_t k = 1; k < tops.size(); ++k) EXPECT_EQ(tops[k - 1] - tops[k], 50 + 2 * 5 + 7);
}

TEST_F(GridPrintLayout, RotatedTextStartsAtTheCornerItsAngleAsks)
{
    g.SetRowCount(3);
    g.AddRotated(1, 1, 90, QStringLiteral("Hello"));
    g.AddRotated(2, 1, 180, QStringLiteral("Hello"));
    const auto ops = Page(1);
    // Turned by 90 degrees the 100 x 40 text needs a 40 x 100 box: the row is 100 + 12 high.
    EXPECT_EQ(g.PrintColWidth(1), 40);
    EXPECT_EQ(g.PrintColWidth(2), 100);
    std::map<int, TRecordingCanvas::Op> text;   // by font orientation
    for (const auto& o : Of(ops, "TextOut"))
        if (o.Text == QLatin1String("Hello")) text[o.FontOrientation] = o;
    ASSERT_EQ(text.size(), 2u);
    // The box's top-left is the cell's (row 1 starts at -55) moved inside the gap and by 2.
    const int boxTop = -kRow - 5 - 2;
    const auto& up = text[900];
    EXPECT_EQ(up.X, g.PrintColOffset(1) + 2);
    EXPECT_EQ(up.Y, boxTop - 100) << "90 degrees: the bottom-left corner";
    const auto& down = text[1800];
    EXPECT_EQ(down.X, g.PrintColOffset(2) + 2 + 100);
    EXPECT_EQ(down.Y, boxTop - 40) << "180 degrees: the bottom-right corner";
}

TEST_F(GridPrintLayout, APreviewIsLaidOutForItsRectangle)
{
    TRecordingCanvas screen{20, 40, 30};  // 96 pixels per inch
    Fill(120);
    screen.Clear();
    g.SetPreviewPage(1);
    g.PrintPreview(&screen, TRect(0, 0, 800, 600));
    // 800 x 600 pixels are 211.7 x 158.8 mm.
    EXPECT_EQ(g.PrintPageRect().Right, 2117);
    EXPECT_NEAR(g.PrintPageRect().Bottom, -1588, 1);
    EXPECT_EQ(g.PrintNrOfPages(), 5) << "(1588 - 45) / 55 = 28 rows a page";
    ASSERT_FALSE(screen.Ops.empty());
    for (const auto& o : screen.Ops) EXPECT_NE(o.Clip, TRect()) << "drawn inside the rectangle";
    EXPECT_EQ(screen.MapMode(), MM_TEXT) << "the mode is given back";
}

TEST_F(GridPrintLayout, AColumnWiderThanThePageGetsABandOfItsOwn)
{
    g.SetColCount(3);
    Fill(3);
    g.SetColWidths(0, 100);
    g.SetColWidths(1, 1000);  // 2646 units
    g.SetColWidths(2, 100);
    g.PrintSettings()->NoAutoSize = true;
    std::vector<std::pair<int, int>> bands;
    g.OnPrintPage = [&](TObject*, TCanvas*, int, int, int) {
        if (bands.empty() || bands.back() != std::make_pair(g.PrintColStart(), g.PrintColEnd()))
            bands.emplace_back(g.PrintColStart(), g.PrintColEnd());
    };
    std::vector<TRecordingCanvas::Op> wide;
    Page(1);
    ASSERT_EQ(g.PrintNrOfPages(), 3);
    for (int p = 1; p <= 3; ++p) {
        const auto ops = Page(p);
        if (p == 2) wide = ops;
    }
    EXPECT_EQ(bands, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}}));
    for (const auto& o : Of(wide, "FillRect")) EXPECT_LE(o.R.Right, 2100) << "cut at the page's edge";
    EXPECT_EQ(CountText(wide, QStringLiteral("r1")), 1);
}

TEST_F(GridPrintLayout, ARowTallerThanThePageGetsAPageOfItsOwnAndTheJobEnds)
{
    Fill(3);
    QStringList lines;
    for (int k = 0; k < 200; ++k) lines << QStringLiteral("line %1").arg(k);
    g.MultilineCells = true;
    g.SetCells(1, 1, lines.join(QLatin1Char('\r')));
    Page(1);
    ASSERT_EQ(g.PrintNrOfPages(), 3);
    EXPECT_EQ(CountText(Page(1), QStringLiteral("r0")), 1);
    const auto tall = Page(2);
    EXPECT_EQ(CountText(tall, QStringLiteral("line 0")), 1);
    for (const auto& o : Of(tall, "FillRect")) EXPECT_EQ(o.R.Bottom, -2970) << "drawn to the page's bottom edge";
    EXPECT_EQ(CountText(Page(3), QStringLiteral("r2")), 1);
}

TEST_F(GridPrintLayout, SelectionModePrintsTheSelectedRowsAndColumns)
{
    Fill(8);
    for (int r = 0; r < 8; ++r) g.SetCells(2, r, QStringLiteral("c%1").arg(r));
    g.MouseActions()->SetDisjunctRowSelect(true);
    g.SetRowSelect(2, true);
    g.SetRowSelect(5, true);
    g.PrintPreviewSelectedRows(&rc, kA4);
    QStringList printed;
    for (const auto& o : Of(rc.Ops, "TextRect")) printed << o.Text;
    for (const auto& o : Of(rc.Ops, "TextOut")) printed << o.Text;
    EXPECT_TRUE(printed.contains(QStringLiteral("r2")));
    EXPECT_TRUE(printed.contains(QStringLiteral("c5")));
    EXPECT_FALSE(printed.contains(QStringLiteral("r3")));
    EXPECT_FALSE(printed.contains(QStringLiteral("r0")));
    g.PrintSettings()->FixedCellsAlways = true;
    rc.Clear();
    g.PrintPreviewSelectedRows(&rc, kA4);
    EXPECT_EQ(CountText(rc.Ops, QStringLiteral("r0")), 1) << "fixed rows with FixedCellsAlways";
}

TEST_F(GridPrintLayout, MoreColumnsThanTheOldArraysHeld)
{
    g.SetColCount(600);
    g.SetRowCount(2);
    g.PrintSettings()->NoAutoSize = true;
    g.SetCells(599, 1, QStringLiteral("last"));
    Page(1);
    EXPECT_GT(g.PrintNrOfPages(), 1);
    EXPECT_EQ(g.PrintColWidth(599), 169);
    EXPECT_THROW(g.PrintColWidth(600), EKvGridError);
    EXPECT_EQ(g.PrintColWidth(511), 169);
}

TEST_F(GridPrintLayout, DrawingIntoARectangleDrawsTheFirstPageThere)
{
    Fill(120);
    rc.Clear();
    g.PrintDraw(&rc, TRect(100, 200, 1100, 1200));
    EXPECT_EQ(g.PrintPageRect(), TRect(0, 0, 1000, -1000));
    EXPECT_EQ(CountText(rc.Ops, QStringLiteral("r0")), 1);
    EXPECT_EQ(CountText(rc.Ops, QStringLiteral("r20")), 0);
    EXPECT_EQ(rc.MapMode(), MM_TEXT);
}

TEST_F(GridPrintLayout, FixedRowsAndColumnsRepeatBesideARectangleAndOnceOnABandsFirstPage)
{
    g.SetColCount(4);
    Fill(20);
    for (int c = 0; c < 4; ++c) {
        g.SetColWidths(c, 300);
        g.SetCells(c, 0, QStringLiteral("H%1").arg(c));
    }
    g.SetCells(0, 7, QStringLiteral("fixed7"));
    TPrintSettings* ps = g.PrintSettings();
    ps->NoAutoSize = true;
    ps->RepeatFixedRows = true;
    ps->RepeatFixedCols = true;
    // A rectangle below the fixed row and right of the fixed column gets both repeated.
    rc.Clear();
    g.SetPreviewPage(1);
    g.PrintPreviewRect(&rc, kA4, TGridRect(2, 5, 2, 9));
    EXPECT_EQ(CountText(rc.Ops, QStringLiteral("H0")), 1);
    EXPECT_EQ(CountText(rc.Ops, QStringLiteral("H2")), 1);
    EXPECT_EQ(CountText(rc.Ops, QStringLiteral("fixed7")), 1);
    EXPECT_EQ(CountText(rc.Ops, QStringLiteral("H1")), 0);
    EXPECT_EQ(g.PrintColOffset(2), g.PrintColOffset(0) + 794 + 20) << "the band follows the fixed column";
    // The whole grid in bands: the second band's first page prints its header row once.
    Page(1);
    ASSERT_EQ(g.PrintNrOfPages(), 3);
    const auto second = Page(2);
    EXPECT_EQ(CountText(second, QStringLiteral("H2")), 1);
    EXPECT_EQ(CountText(second, QStringLiteral("H0")), 1) << "the fixed column repeated";
    EXPECT_EQ(CountText(second, QStringLiteral("r1")), 0) << "column 1 is in the first band";
}

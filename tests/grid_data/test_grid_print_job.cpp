// Print jobs through the platform printer: a PDF file checked by an outside reader, and
// printer doubles that count pages or fail. No machine of ours has a printer.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "grid/kv_string_grid.h"
#include "platform/core/datetime.h"
#include "platform/ui/graphics.h"
#include "platform/ui/printers.h"

namespace {

// Pages on an image at 100 dots per inch, A4 sized; fails where the test says.
class TImageTarget : public TPrintTarget {
public:
    bool FailBegin = false;
    int FailPage = 0;   // NewPage fails when the job reaches this page
    int Pages = 0, Documents = 0;
    bool Ended = false;
    QImage Page{827, 1169, QImage::Format_RGB32};
    QPaintDevice* BeginDocument(const QString&, TPrinterOrientation) override
    {
        if (FailBegin) throw EPrinter(QStringLiteral("The printer is out of paper"));
        Page.fill(Qt::white);
        Pages = 1;
        ++Documents;
        Ended = false;
        return &Page;
    }
    void NewPage() override
    {
        if (++Pages == FailPage) throw EPrinter(QStringLiteral("The printer jammed"));
    }
    void EndDocument() override { Ended = true; }
    void AbortDocument() override {}
    int DotsPerInchX() const override { return 100; }
    int DotsPerInchY() const override { return 100; }
    TSize PageSize(TPrinterOrientation) const override { return TSize{827, 1169}; }
};

struct TTargetGuard {
    ~TTargetGuard() { Printer()->SetTarget(nullptr); }
};

TImageTarget* UseImageTarget()
{
    auto t = std::make_unique<TImageTarget>();
    TImageTarget* raw = t.get();
    Printer()->SetTarget(std::move(t));
    return raw;
}

QString Tool(const char* Name) { return QStandardPaths::findExecutable(QString::fromLatin1(Name)); }

QString RunOutput(const QString& Program, const QStringList& Args)
{
    QProcess p;
    p.start(Program, Args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int DarkPixels(const QImage& Img)
{
    int n = 0;
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x)
            if (qGray(Img.pixel(x, y)) < 128) ++n;
    return n;
}

// A rule table: a header row, a rotated cell, check boxes, an HTML cell and enough rows for
// several pages.
void FillRuleTable(TKvStringGrid& g, int Rows)
{
    g.SetColCount(5);
    g.SetRowCount(Rows);
    const QStringList head{QStringLiteral("#"), QStringLiteral("Name"), QStringLiteral("Address"),
                           QStringLiteral("On"), QStringLiteral("Notes")};
    for (int c = 0; c < 5; ++c) g.SetCells(c, 0, head[c]);
    for (int r = 1; r < Rows; ++r) {
        g.SetCells(0, r, QString::number(r));
        g.SetCells(1, r, QStringLiteral("Rule %1").arg(r));
        g.SetCells(2, r, QStringLiteral("0x%1").arg(r * 16, 4, 16, QLatin1Char('0')));
        g.AddCheckBox(3, r, r % 2 == 0, false);
    }
    g.AddRotated(4, 1, 90, QStringLiteral("Turned"));
    g.SetCells(4, 2, QStringLiteral("<b>Bold</b> and <i>italic</i> notes"));
    g.SetCells(4, 3, QStringLiteral("Plain notes"));
    TPrintSettings* ps = g.PrintSettings();
    ps->PrintGraphics = true;
    ps->RepeatFixedRows = true;
    ps->Borders = pbDouble;
    ps->Title = ppTopCenter;
    ps->TitleText = QStringLiteral("Gateway rules");
    ps->PageNr = ppBottomRight;
    ps->Date = ppTopLeft;
    ps->HeaderSize = 50;
    ps->FooterSize = 50;
    ps->LeftSize = 100;
    ps->RightSize = 100;
    ps->HeaderFont()->SetSize(12);
    ps->HeaderFont()->SetStyle(fsBold);
}

}  // namespace

TEST(GridPrintJob, APdfJobHasTheCountedPagesAndPageOneShowsTheTable)
{
    TTargetGuard guard;
    TManualClock clock;
    clock.NowValue = EncodeDate(2026, 5, 4) + EncodeTime(9, 30, 0, 0);
    TClockScope scope(clock);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rules.pdf"));
    Printer()->SetTarget(std::make_unique<TPdfPrintTarget>(file, 300));
    TKvStringGrid g;
    FillRuleTable(g, 150);
    g.PrintSettings()->JobName = QStringLiteral("Rule table");
    g.Print();
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_GT(g.PrintNrOfPages(), 1);
    EXPECT_EQ(g.PrintPageRect().Right, 2099) << "A4 in tenths of a millimetre";

    const QString pdfinfo = Tool("pdfinfo"), pdftoppm = Tool("pdftoppm");
    if (pdfinfo.isEmpty() || pdftoppm.isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed: the PDF is not checked by an outside reader";
    const QString info = RunOutput(pdfinfo, {file});
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    ASSERT_TRUE(pages.hasMatch()) << info.toStdString();
    EXPECT_EQ(pages.captured(1).toInt(), g.PrintNrOfPages());
    EXPECT_TRUE(info.contains(QStringLiteral("Rule table"))) << info.toStdString();

    const QString png = QStringLiteral(KV_TEST_BINARY_DIR) + QStringLiteral("/grid_print_page1");
    RunOutput(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-f"),
                         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                         file, png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 827, 1);
    EXPECT_GT(DarkPixels(page), 5000) << "texts, borders and check boxes";
    // The top and left margins stay white above the header and left of the table.
    for (int x = 0; x < page.width(); x += 7) EXPECT_GT(qGray(page.pixel(x, 5)), 200);

    // The same first page previewed into an 800 x 600 bitmap.
    QImage preview(800, 600, QImage::Format_RGB32);
    preview.fill(Qt::white);
    {
        TCanvas c(&preview);
        g.SetPreviewPage(1);
        g.PrintPreview(&c, TRect(0, 0, 800, 600));
        EXPECT_EQ(c.MapMode(), MM_TEXT);
    }
    EXPECT_GT(DarkPixels(preview), 3000);
    EXPECT_TRUE(preview.save(QStringLiteral(KV_TEST_BINARY_DIR) + QStringLiteral("/grid_print_preview.png")));
}

TEST(GridPrintJob, AFailedDocumentStartReachesTheCaller)
{
    TTargetGuard guard;
    TImageTarget* t = UseImageTarget();
    t->FailBegin = true;
    TKvStringGrid g;
    FillRuleTable(g, 20);
    try {
        g.Print();
        FAIL() << "the job went on";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("The printer is out of paper"));
    }
    EXPECT_FALSE(Printer()->Printing());
}

TEST(GridPrintJob, AFailedPageEndsTheDocumentAndGivesTheMappingModeBack)
{
    TTargetGuard guard;
    TImageTarget* t = UseImageTarget();
    t->FailPage = 2;
    TKvStringGrid g;
    FillRuleTable(g, 150);
    EXPECT_THROW(g.Print(), EPrinter);
    EXPECT_TRUE(t->Ended) << "the document is ended";
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(Printer()->Canvas()->MapMode(), MM_TEXT);
    // The printer takes the next job.
    t->FailPage = 0;
    g.Print();
    EXPECT_EQ(t->Pages, g.PrintNrOfPages());
}

TEST(GridPrintJob, CancelStartRangeAndFastPrintDecideThePagesPrinted)
{
    TTargetGuard guard;
    TImageTarget* t = UseImageTarget();
    TKvStringGrid g;
    FillRuleTable(g, 400);
    g.Print();
    const int all = t->Pages;
    ASSERT_GT(all, 4);
    EXPECT_EQ(all, g.PrintNrOfPages());

    g.OnPrintCancel = [](TObject*, int PageNr, bool& Cancel) { Cancel = PageNr == 2; };
    g.Print();
    EXPECT_EQ(t->Pages, 2);
    g.OnPrintCancel = nullptr;

    // The start event sees the count on an aborted document; a new one prints its range.
    int documents = t->Documents;
    g.OnPrintStart = [&](TObject*, int NrOfPages, int& FromPage, int& ToPage) {
        EXPECT_EQ(NrOfPages, all);
        FromPage = 2;
        ToPage = 3;
    };
    g.Print();
    EXPECT_EQ(t->Documents, documents + 2);
    EXPECT_EQ(t->Pages, 2);
    EXPECT_EQ(g.PrintNrOfPages(), 3);
    g.OnPrintStart = [](TObject*, int, int& FromPage, int&) { FromPage = 0; };
    documents = t->Documents;
    g.Print();
    EXPECT_EQ(t->Documents, documents + 1) << "only the aborted counting document";
    g.OnPrintStart = nullptr;

    g.FastPrint = true;
    g.Print();
    EXPECT_EQ(t->Pages, 3) << "a band stops two pages past the first";
}

// The printer through its PDF seam and test doubles: no machine of ours has a printer.
#include "platform/core/files.h"
#include "platform/ui/controls.h"
#include "platform/ui/printers.h"
#include "ui_test_env.h"

#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A target that fails where the test says.
class TFailingTarget : public TPrintTarget {
public:
    bool FailBegin = false;
    int FailPage = 0;   // NewPage fails when the job reaches this page
    int Pages = 0;
    bool Ended = false, Aborted = false;
    QImage Page{200, 300, QImage::Format_RGB32};
    QPaintDevice* BeginDocument(const QString&, TPrinterOrientation) override
    {
        if (FailBegin)
            throw EPrinter(QStringLiteral("The printer is out of paper"));
        Pages = 1;
        return &Page;
    }
    void NewPage() override
    {
        if (++Pages == FailPage)
            throw EPrinter(QStringLiteral("The printer jammed"));
    }
    void EndDocument() override { Ended = true; }
    void AbortDocument() override { Aborted = true; }
    int DotsPerInchX() const override { return 72; }
    int DotsPerInchY() const override { return 72; }
    TSize PageSize(TPrinterOrientation) const override { return TSize{200, 300}; }
};

struct TTargetGuard {
    ~TTargetGuard() { Printer()->SetTarget(nullptr); }
};

QString Tool(const char* Name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(Name));
}

QString RunOutput(const QString& Program, const QStringList& Args)
{
    QProcess p;
    p.start(Program, Args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST(Printer, APdfJobHasItsPagesSizeAndResolution)
{
    TTargetGuard guard;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("job.pdf"));
    TPrinter* p = Printer();
    p->SetTarget(std::make_unique<TPdfPrintTarget>(file, 300));
    p->SetOrientation(poPortrait);
    p->SetTitle(QStringLiteral("Grid job"));
    // A4 is 595 x 842 points in the PDF: 2479 x 3508 dots at 300 dots per inch.
    EXPECT_EQ(p->PageWidth(), 2479) << "before the job";
    EXPECT_EQ(p->PageHeight(), 3508);
    p->BeginDoc();
    EXPECT_TRUE(p->Printing());
    EXPECT_EQ(p->PageWidth(), 2479);
    EXPECT_EQ(p->PageHeight(), 3508);
    EXPECT_EQ(GetDeviceCaps(p->Canvas(), LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(p->Canvas(), HORZRES), 2479);
    EXPECT_THROW(p->SetOrientation(poLandscape), EPrinter) << "Printing in progress";
    EXPECT_THROW(p->BeginDoc(), EPrinter);

    TCanvas* c = p->Canvas();
    c->SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(c->ClipRect(), TRect(0, 0, 2099, -2970)) << "the page in tenths of a millimetre";
    c->Font()->SetName(TestFontFamily());
    c->Font()->SetHeight(-100);
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(200, -200, QStringLiteral("Page one"));
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(1000, -1000, 1500, -1500));   // a 5 cm square
    p->NewPage();
    EXPECT_EQ(p->PageNumber(), 2);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(200, -200, QStringLiteral("Page two"));
    c->SetMapMode(MM_TEXT);
    p->EndDoc();
    EXPECT_FALSE(p->Printing());
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_THROW(p->NewPage(), EPrinter) << "not printing";

    const QString pdfinfo = Tool("pdfinfo"), pdftoppm = Tool("pdftoppm");
    if (pdfinfo.isEmpty() || pdftoppm.isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed: the PDF is not checked by an outside reader";
    const QString info = RunOutput(pdfinfo, {file});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Grid job"))) << info.toStdString();
    // Page 1 at 50 dots per inch: the square covers 10..15 cm, pixels 197..295.
    const QString png = QStringLiteral(KV_TEST_BINARY_DIR) + QStringLiteral("/printer_pdf_page1");
    RunOutput(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"),
                         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
                         file, png});
    QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 413, 1);
    EXPECT_LT(qGray(page.pixel(246, 246)), 60) << "inside the square";
    EXPECT_GT(qGray(page.pixel(180, 246)), 200) << "left of the square";
    EXPECT_GT(qGray(page.pixel(246, 310)), 200) << "below the square";
}

TEST(Printer, LandscapeTurnsThePageAndAbortLeavesNoFile)
{
    TTargetGuard guard;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("aborted.pdf"));
    TPrinter* p = Printer();
    p->SetTarget(std::make_unique<TPdfPrintTarget>(file, 100));
    p->SetOrientation(poLandscape);
    p->BeginDoc();
    EXPECT_GT(p->PageWidth(), p->PageHeight());
    EXPECT_EQ(p->LandscapeRotation(), 270);
    p->Abort();
    EXPECT_TRUE(p->Aborted());
    EXPECT_FALSE(p->Printing());
    EXPECT_FALSE(QFile::exists(file));
    // A new document can begin at once.
    p->BeginDoc();
    EXPECT_FALSE(p->Aborted());
    p->EndDoc();
    EXPECT_TRUE(QFile::exists(file));
    p->SetOrientation(poPortrait);
}

TEST(Printer, TargetFailuresReachTheCaller)
{
    TTargetGuard guard;
    TPrinter* p = Printer();
    auto failing = std::make_unique<TFailingTarget>();
    TFailingTarget* t = failing.get();
    t->FailBegin = true;
    p->SetTarget(std::move(failing));
    try {
        p->BeginDoc();
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("The printer is out of paper"));
    }
    EXPECT_FALSE(p->Printing());

    t->FailBegin = false;
    t->FailPage = 3;
    p->BeginDoc();
    EXPECT_EQ(GetDeviceCaps(p->Canvas(), LOGPIXELSY), 72);
    p->NewPage();
    EXPECT_THROW(p->NewPage(), EPrinter);
    EXPECT_TRUE(p->Printing()) << "the caller ends the job";
    p->EndDoc();
    EXPECT_TRUE(t->Ended);
}

TEST(Printer, WithoutAPrinterTheSystemTargetSaysSo)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer: nothing is sent to it";
    TTargetGuard guard;
    TPrinter* p = Printer();
    p->SetTarget(nullptr);
    try {
        p->BeginDoc();
        p->Abort();
        FAIL() << "a job began without a printer";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("There is no default printer currently selected"));
    }
    EXPECT_FALSE(p->Printing());
}

// The HTML table of the grid: classes, spans, links, cell pictures and the file forms.
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QStringDecoder>

#include "exchange_test_support.h"
#include "platform/core/shell_open.h"
#include "platform/office/office_test_support.h"

namespace {

const QString kTwoByTwo = QStringLiteral(
    "<style>\r\n"
    ".c0 {background-color: #F0F0F0;color: #000000;font-size:8pt;font-weight: bold;font-family: Tahoma;vertical-align: top}\r\n"
    ".c1 {background-color: #FFFFFF;color: #000000;font-size:8pt;font-family: Tahoma;vertical-align: top}\r\n"
    "</style>\r\n"
    "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\"  WIDTH=\"100%\">\r\n"
    "<TR>\r\n<TD class=\"c0\">h0</td>\r\n<TD class=\"c0\">h1</td>\r\n</TR>\r\n"
    "<TR>\r\n<TD class=\"c0\">&nbsp;</td>\r\n<TD class=\"c1\">b</td>\r\n</TR>\r\n"
    "</TABLE>\r\n");

// xmllint's HTML parser over a file; true when it accepts it (skips visibly without it).
void ExpectHtmlAccepted(const QString& FileName)
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty()) {
        std::cout << "[ SKIPPED ] xmllint is not installed: HTML check skipped\n";
        return;
    }
    const TRunResult r = RunTool(xmllint, {QStringLiteral("--html"), QStringLiteral("--noout"), FileName});
    EXPECT_TRUE(r.Ran && r.ExitCode == 0 && r.Output.isEmpty()) << FileName.toStdString() << ": " << r.Output.toStdString();
}

}  // namespace

class GridHtml : public ExchangeFiles {};

TEST_F(GridHtml, ATwoByTwoGridGivesAHeaderRowABodyRowAndTwoClasses)
{
    TRecordingGrid g;
    FillGrid(g, {QStringLiteral("h0|h1"), QStringLiteral("|b")});
    EXPECT_EQ(g.SaveToHTMLString(QString()), kTwoByTwo);
    EXPECT_EQ(g.Events, (QStringList{QStringLiteral("export 0 1"), QStringLiteral("export 5 1"), QStringLiteral("export 2 -1")}));

    // Without the fixed cells the body starts at the first normal row and there is no header.
    g.SetSaveFixedCells(false);
    g.HTMLSettings()->XHTML = true;
    const QString x = g.SaveToHTMLString(QString());
    EXPECT_TRUE(x.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!DOCTYPE html PUBLIC")));
    EXPECT_TRUE(x.endsWith(QStringLiteral("</TABLE>\r\n</HTML>\r\n")));
    EXPECT_TRUE(x.contains(QStringLiteral("<TR>\r\n<TD class=\"c0\">b</td>\r\n</TR>")));
}

TEST_F(GridHtml, AMergedAreaIsOneCellWithItsSpans)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("a|b|c"), QStringLiteral("m|x|y"), QStringLiteral("u|v|w"), QStringLiteral("p|q|r")});
    g.MergeCells(0, 1, 2, 3);
    const QString html = g.SaveToHTMLString(QString());
    EXPECT_TRUE(html.contains(QStringLiteral(" COLSPAN=\"2\" ROWSPAN=\"3\">m</td>")));
    EXPECT_EQ(html.count(QStringLiteral("<TD ")), 12 - 5);
}

TEST_F(GridHtml, AddressesBecomeLinksWithURLShow)
{
    TKvStringGrid g;
    const QString web = QStringLiteral("http://example.org/x");
    EXPECT_EQ(g.LinkURLText(web), web);
    g.SetURLShow(true);
    EXPECT_EQ(g.LinkURLText(web), QStringLiteral("<a href=http://example.org/x>example.org/x</a>"));
    EXPECT_EQ(g.LinkURLText(QStringLiteral("mailto:a@b.c")), QStringLiteral("<a href=mailto:a@b.c>a@b.c</a>"));
    EXPECT_EQ(g.LinkURLText(QStringLiteral("<b>http://x</b>")), QStringLiteral("<b>http://x</b>"));
    EXPECT_EQ(g.LinkURLText(QStringLiteral("plain")), QStringLiteral("plain"));
    g.SetURLFull(true);
    EXPECT_EQ(g.LinkURLText(web), QStringLiteral("<a href=http://example.org/x>http://example.org/x</a>"));
}

TEST_F(GridHtml, SettingsShapeTheTableAndItsCells)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("h|h"), QStringLiteral("a <b>|1 2")});
    THTMLSettings* hs = g.HTMLSettings();
    hs->BorderSize = 2;
    hs->Summary = QStringLiteral("sum");
    hs->TableStyle = QStringLiteral("id=\"t\"");
    hs->Width = 50;
    hs->PrefixTag = QStringLiteral("<p>before</p>");
    hs->SuffixTag = QStringLiteral("<p>after</p>");
    hs->ConvertSpecialChars = true;
    hs->NonBreakingText = true;
    hs->SaveColor = false;
    hs->ColWidths()->Add(40);
    g.SetAlignments(1, 1, taRightJustify);
    g.SetWordWraps(1, 1, false);
    g.SetFontStyles(1, 1, TFontStyles(fsItalic));
    const QString html = g.SaveToHTMLString(QString());
    EXPECT_TRUE(html.startsWith(QStringLiteral("<p>before</p><style>\r\n")));
    EXPECT_TRUE(html.contains(QStringLiteral(
        "<TABLE BORDER=\"2\" CELLSPACING=\"0\" CELLPADDING=\"0\" SUMMARY=\"sum\"  id=\"t\"  WIDTH=\"50%\">\r\n")));
    EXPECT_TRUE(html.contains(QStringLiteral(" WIDTH=40>h</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("a&nbsp;&lt;b&gt;</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral(" nowrap>1&nbsp;2</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("{font-size:8pt;font-style: italic;font-family: Tahoma;text-align: right;vertical-align: top}")));
    EXPECT_FALSE(html.contains(QStringLiteral("color:")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</TABLE>\r\n<p>after</p>\r\n")));

    // Without a header row the body cells carry the widths from the first exported column.
    g.SetSaveFixedCells(false);
    EXPECT_TRUE(g.SaveToHTMLString(QString()).contains(QStringLiteral(" width=40>")));
}

TEST_F(GridHtml, CellPicturesBecomeJpegFilesBesideTheDocument)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("h0|h1|h2|h3"), QStringLiteral("n|list|0|bmp"), QStringLiteral("pic|many|7|x")});
    g.AddNode(1, 1);
    TImageList images(8, 6);
    QImage green(8, 6, QImage::Format_ARGB32);
    green.fill(Qt::green);
    images.AddImage(green);
    images.AddImage(green);
    g.SetGridImages(&images);
    g.AddImageIdx(1, 1, 1, haLeft, vaTop);
    g.AddDataImage(2, 1, 0, haLeft, vaTop);
    TBitmap* bmp = g.CreateBitmap(3, 1, false, haLeft, vaTop);
    bmp->SetSize(21, 13);
    QImage blue(30, 20, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    const QByteArray jpeg = EncodeJpeg(blue);
    g.CreatePicture(0, 2, false, noStretch, 0, haLeft, vaTop)->LoadFromData(jpeg);
    g.AddMultiImage(1, 2, 0, haLeft, vaTop);
    g.CellImages(1, 2)->Add(0);
    g.CellImages(1, 2)->Add(1);
    g.AddDataImage(2, 2, 0, haLeft, vaTop);

    const QString dir = Dir.path() + QLatin1Char('/');
    const QString html = g.SaveToHTMLString(dir);
    auto tag = [&](int n) { return QStringLiteral("<img src= \"file://%1images/img%2.jpg\">").arg(dir).arg(n); };
    EXPECT_TRUE(html.contains(QStringLiteral(">+n</td>")));
    EXPECT_TRUE(html.contains(QLatin1Char('>') + tag(1) + QStringLiteral("list</td>")));
    EXPECT_TRUE(html.contains(QLatin1Char('>') + tag(2) + QStringLiteral("</td>")));   // a data image alone
    EXPECT_TRUE(html.contains(QStringLiteral(">bmp") + tag(3) + QStringLiteral("</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral(">pic") + tag(4) + QStringLiteral("</td>")));
    EXPECT_TRUE(html.contains(QLatin1Char('>') + tag(5) + tag(6) + QStringLiteral("many</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("></td>")));                             // a data image out of range
    EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("images/img7.jpg")));
    EXPECT_EQ(ReadBytes(dir + QStringLiteral("images/img4.jpg")), jpeg) << "a JPEG picture is written unchanged";
    EXPECT_EQ(QImage(dir + QStringLiteral("images/img1.jpg")).size(), QSize(8, 6));

    // Without an image list a cell of several images writes no table cell at all.
    g.SetGridImages(nullptr);
    EXPECT_EQ(g.SaveToHTMLString(dir).count(QStringLiteral("<TD ")), 11);
    g.HTMLSettings()->ExportImages = false;
    EXPECT_FALSE(g.SaveToHTMLString(dir).contains(QStringLiteral("<img")));
}

TEST_F(GridHtml, ABitmapCellGivesAnImageOfItsSize)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("h"), QStringLiteral("x")});
    TBitmap* bmp = g.CreateBitmap(0, 1, false, haLeft, vaTop);
    bmp->SetSize(21, 13);
    bmp->Canvas()->Brush()->SetColor(clRed);
    bmp->Canvas()->FillRect(TRect(0, 0, 21, 13));
    const QString dir = Dir.path() + QLatin1Char('/');
    EXPECT_TRUE(g.SaveToHTMLString(dir).contains(QStringLiteral(">x<img src= \"file://") + dir + QStringLiteral("images/img1.jpg\"></td>")));
    const QImage img = QImage::fromData(ReadBytes(dir + QStringLiteral("images/img1.jpg")), "JPEG");
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(21, 13));
    EXPECT_GT(qRed(img.pixel(10, 6)), 200);
    EXPECT_EQ(DecodeJpeg(ReadBytes(dir + QStringLiteral("images/img1.jpg"))).size(), QSize(21, 13));

    // A folder that cannot be made stops the export naming it.
    WriteBytes(Path(QStringLiteral("blocked")), "file");
    const QString blocked = Path(QStringLiteral("blocked")) + QLatin1Char('/');
    try {
        g.SaveToHTMLString(blocked);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create ") + blocked + QStringLiteral("images"));
    }
}

TEST_F(GridHtml, TheFileFormsKeepEveryCharacterAndPassTheHtmlParser)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("Größe|€"), QStringLiteral("a|𝄞")});
    const QString ascii = Path(QStringLiteral("a.html")), wide = Path(QStringLiteral("w.html")),
                  xhtml = Path(QStringLiteral("x.html"));
    g.SaveToHTML(ascii, false, false);
    const QByteArray a = ReadBytes(ascii);
    EXPECT_TRUE(std::all_of(a.begin(), a.end(), [](char c) { return uchar(c) < 0x80; }));
    EXPECT_TRUE(a.contains("Gr&#246;&#223;e")) << a.toStdString();
    EXPECT_TRUE(a.contains("&#8364;"));
    EXPECT_TRUE(a.contains("&#119070;"));
    EXPECT_FALSE(a.contains('?'));

    g.SaveToHTML(wide, false, true);
    const QByteArray w = ReadBytes(wide);
    EXPECT_TRUE(w.startsWith("\xFF\xFE<\0s\0"));
    EXPECT_TRUE(w.contains(QByteArray(reinterpret_cast<const char*>(u"Größe"), 10)));

    g.HTMLSettings()->XHTML = true;
    g.SaveToHTML(xhtml, false, true);
    const QByteArray x = ReadBytes(xhtml);
    ASSERT_TRUE(x.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = strict(x.mid(3));
    EXPECT_FALSE(strict.hasError());
    EXPECT_TRUE(decoded.contains(QStringLiteral("Größe")));
    g.SaveToHTML(Path(QStringLiteral("x7.html")), false, false);

    for (const QString& f : {ascii, wide, xhtml, Path(QStringLiteral("x7.html"))}) ExpectHtmlAccepted(f);
}

TEST_F(GridHtml, HeaderFooterAppendingAndThePreview)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("h"), QStringLiteral("v")});
    WriteBytes(Path(QStringLiteral("head.txt")), "<html><body>\r\n");
    WriteBytes(Path(QStringLiteral("foot.txt")), "</body></html>\r\n");
    g.HTMLSettings()->HeaderFile = Path(QStringLiteral("head.txt"));
    g.HTMLSettings()->FooterFile = Path(QStringLiteral("foot.txt"));
    TRecordingShellOpener opener;
    SetShellOpener(&opener);
    const QString file = Path(QStringLiteral("out.html"));
    g.AppendToHTML(file, true, false);   // nothing to append to yet
    g.AppendToHTML(file, false, false);
    SetShellOpener(nullptr);
    const QByteArray out = ReadBytes(file);
    EXPECT_TRUE(out.startsWith("<html><body>\r\n<style>"));
    EXPECT_TRUE(out.endsWith("</TABLE>\r\n\r\n</body></html>\r\n"));
    EXPECT_EQ(out.count("<TABLE"), 2);
    EXPECT_EQ(opener.Opened, QStringList{file});

    g.HTMLSettings()->AutoPreview = true;
    SetShellOpener(&opener);
    g.SaveToHTML(file, false, false);
    SetShellOpener(nullptr);
    EXPECT_EQ(opener.Opened.size(), 2);
    ExpectHtmlAccepted(file);

    g.HTMLSettings()->HeaderFile = Path(QStringLiteral("missing.txt"));
    EXPECT_THROW(g.SaveToHTML(file, false, false), Exception);
}

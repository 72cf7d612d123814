// The grid as a record-list XML document and XML documents read into the grid.
#include <QStandardPaths>

#include "exchange_test_support.h"
#include "platform/office/office_test_support.h"
#include "platform/core/stringlist.h"

class GridXml : public ExchangeFiles {
protected:
    QString File() const { return Path(QStringLiteral("g.xml")); }
    void ExpectWellFormed(const QString& FileName)
    {
        const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
        if (xmllint.isEmpty()) {
            std::cout << "[ SKIPPED ] xmllint is not installed: XML check skipped\n";
            return;
        }
        const TRunResult r = RunTool(xmllint, {QStringLiteral("--noout"), FileName});
        EXPECT_TRUE(r.Ran && r.ExitCode == 0) << r.Output.toStdString();
    }
};

TEST_F(GridXml, TheDocumentListsRecordsOfEscapedFields)
{
    TRecordingGrid g;
    FillGrid(g, {QStringLiteral("a&b|<x>"), QStringLiteral("q\"|")});
    TStringList names;
    names.Add(QStringLiteral("Name"));
    g.SaveToXML(File(), QStringLiteral("list"), QStringLiteral("rec"), &names, false);
    EXPECT_EQ(ReadBytes(File()), QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<list>\r\n"
                                            "<rec>\r\n<Name>a$amp;b</Name>\r\n<FIELD1>&lt;x&gt;</FIELD1>\r\n</rec>\r\n"
                                            "<rec>\r\n<Name>q&quot;</Name>\r\n</rec>\r\n</list>\r\n"));
    EXPECT_EQ(g.Events.size(), 4);
    EXPECT_EQ(g.Progress, (std::vector<short>{0, 100}));
    ExpectWellFormed(File());

    g.SaveToXML(File(), QStringLiteral("list"), QStringLiteral("rec"), nullptr, true);
    EXPECT_TRUE(ReadBytes(File()).contains("<FIELD1>&quot;&quot;</FIELD1>"));
    g.SetQuoteEmptyCells(false);
    g.SaveToXML(File(), QStringLiteral("list"), QStringLiteral("rec"), nullptr, true);
    EXPECT_TRUE(ReadBytes(File()).contains("<FIELD1></FIELD1>"));

    const QString nowhere = Path(QStringLiteral("no/such/g.xml"));
    try {
        g.SaveToXML(nowhere, QStringLiteral("l"), QStringLiteral("r"), nullptr, false);
        ADD_FAILURE();
    } catch (const EKvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot Create file ") + nowhere);
    }
}

TEST_F(GridXml, TextsComeBackUnchangedEscapesIncluded)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("h1|h2"), QStringLiteral("a&b|&lt;"), QStringLiteral("<x> \"y\"|"), QStringLiteral("|last")});
    g.SaveToXML(File(), QStringLiteral("list"), QStringLiteral("rec"), nullptr, true);
    TRecordingGrid back;
    back.LoadFromXML(File());
    // A cell holding "&lt;" reads back as written, not as "<".
    EXPECT_EQ(GridRows(back), GridRows(g));
    EXPECT_EQ(back.Events, (QStringList{QStringLiteral("changed 0,0,2,4"), QStringLiteral("loaded")}));
}

TEST_F(GridXml, TheDeclaredEncodingIsTheOneWritten)
{
    for (const char* encoding : {"ISO-8859-1", "UTF-8", "windows-1252"}) {
        TKvStringGrid g;
        FillGrid(g, {QStringLiteral("€ “q” é Ω")});
        g.SetXMLEncoding(QString::fromLatin1(encoding));
        g.SaveToXML(File(), QStringLiteral("l"), QStringLiteral("r"), nullptr, false);
        const QByteArray bytes = ReadBytes(File());
        const std::string e(encoding);
        const QByteArray expected = e == "ISO-8859-1" ? QByteArray("&#8364; &#8220;q&#8221; \xE9 &#937;")
                                    : e == "UTF-8"    ? QStringLiteral("€ “q” é Ω").toUtf8()
                                                      : QByteArray("\x80 \x93q\x94 \xE9 ?");
        EXPECT_TRUE(bytes.contains(expected)) << encoding << ": " << bytes.toStdString();
        ExpectWellFormed(File());
        TKvStringGrid back;
        back.LoadFromXML(File());
        // Windows-1252 has no omega: that name keeps the old writer's character set.
        EXPECT_EQ(back.Cells(0, 0), e == "windows-1252" ? QStringLiteral("€ “q” é ?") : QStringLiteral("€ “q” é Ω"))
            << encoding;
    }
}

TEST_F(GridXml, ReadingRulesOfTheNodeWalk)
{
    // Attributes become cells with their names in the header; a record with one element is
    // one leaf holding its whole text; an empty element still takes a column.
    WriteBytes(File(), "<root>\n"
                       "  <item id=\"1\" kind=\"a$amp;b\"><name>n1</name><size>2</size></item>\n"
                       "  <item id=\"2\"><name>n2</name><empty/></item>\n"
                       "  <single><inner>only</inner></single>\n"
                       "</root>\n");
    TKvStringGrid g;
    g.LoadFromXML(File());
    EXPECT_EQ(GridRows(g), (QStringList{QStringLiteral("1|a&b|n1|2"), QStringLiteral("2|n2||"),
                                        QStringLiteral("only|||")}));
    // Element names go into the header only on request, into the fixed row.
    TKvStringGrid named;
    named.LoadFromXML(File(), false, true);
    EXPECT_EQ(named.Cells(0, 0), QStringLiteral("id"));
    EXPECT_EQ(named.Cells(2, 0), QStringLiteral("name"));
    EXPECT_EQ(named.Cells(3, 0), QStringLiteral("size"));
    EXPECT_EQ(named.Cells(2, 1), QStringLiteral("n1"));

    // Levels to rows: a record's children go to the next row.
    TKvStringGrid levels;
    levels.LoadFromXML(File(), true, false);
    EXPECT_EQ(levels.Cells(0, 0), QStringLiteral("1"));
    EXPECT_EQ(levels.Cells(1, 1), QStringLiteral("n1"));
}

TEST_F(GridXml, ErrorsNameTheFaultAndDeepNestingIsNoDanger)
{
    TKvStringGrid g;
    try {
        g.LoadFromXML(Path(QStringLiteral("missing.xml")));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("XML file not found"));
    }
    WriteBytes(File(), "<root>\n<a>\n<b></a>\n</root>\n");
    try {
        g.LoadFromXML(File());
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("XMLDOM Parsing error 14 on line 3"));
    }
    // Far deeper than any call stack would take.
    QByteArray deep = "<root><r>";
    for (int i = 0; i < 200000; ++i) deep += "<a><b/>";
    deep += "x";
    for (int i = 0; i < 200000; ++i) deep += "</a>";
    deep += "<z/></r></root>";
    WriteBytes(File(), deep);
    TKvStringGrid d;
    d.LoadFromXML(File());
    EXPECT_GE(d.ColCount(), 1);
}

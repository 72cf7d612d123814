// The cell text file and stream, the lenient and strict number readers, the progress
// percentage and the notifications every exchange gives.
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTimer>
#include <climits>
#include <functional>

#include "exchange_test_support.h"
#include "grid_data/grid_exchange.h"
#include "platform/core/classes.h"

TEST(GridExchangeNumbers, ParseLeadingIntReadsTheNumberAtTheStartLeniently)
{
    const struct {
        const char* Text;
        int Expected;
    } cases[] = {
        {"$1F", 31},          {"0x1f", 31},  {" -12", -12}, {"-12abc", 12}, {"abc", 0},
        {"", 0},              {"  7", 7},    {"+5", 5},     {"12 ", 12},    {"$1G", 1},
        {"12345678901234567890", INT_MAX}, {"-12345678901234567890", INT_MIN}, {"99999999999999999999x", INT_MAX},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLeadingInt(QString::fromLatin1(c.Text)), c.Expected) << c.Text;
}

TEST(GridExchangeNumbers, ProgressIsTheNearestWholePercentWithHalvesToEven)
{
    EXPECT_EQ(ProgressPercent(1, 8), 12);   // 12.5
    EXPECT_EQ(ProgressPercent(3, 8), 38);   // 37.5
    EXPECT_EQ(ProgressPercent(1, 3), 33);
    EXPECT_EQ(ProgressPercent(2, 3), 67);
    EXPECT_EQ(ProgressPercent(0, 5), 0);
    EXPECT_EQ(ProgressPercent(5, 0), 100);
    EXPECT_EQ(ProgressPercent(11, 10), 100);  // never beyond the whole

    TRecordingGrid g;
    TExchangeProgress p(&g);
    for (int done : {0, 0, 1, 1, 2, 300}) p.Step(done, 300);
    EXPECT_EQ(g.Progress, (std::vector<short>{0, 1, 100}));
}

TEST(GridExchangeNumbers, CompareIntegersOrdersAscending)
{
    EXPECT_EQ(CompareIntegers(2, 1), 1);
    EXPECT_EQ(CompareIntegers(1, 1), 0);
    EXPECT_EQ(CompareIntegers(-5, 1), -1);
}

class GridTextFile : public ExchangeFiles {};

TEST_F(GridTextFile, TheFileHoldsCountsWidthsAndOneLinePerNonEmptyCell)
{
    TRecordingGrid g;
    FillGrid(g, {QStringLiteral("h0|h1|h2"), QStringLiteral("a| |"), QStringLiteral("x\r\ny|z|")});
    g.SetColWidths(2, 80);
    g.SaveToFile(Path(QStringLiteral("g.txt")));
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("g.txt"))),
              QByteArray("3,3\r\ncw 0,64\r\ncw 1,64\r\ncw 2,80\r\n0,0,h0\r\n1,0,h1\r\n2,0,h2\r\n0,1,a\r\n1,1, \r\n"
                         "0,2,x\t\by\r\n1,2,z\r\n"));
    EXPECT_EQ(g.Events, (QStringList{QStringLiteral("export 0 0"), QStringLiteral("export 5 0"),
                                     QStringLiteral("export 5 1"), QStringLiteral("export 5 2"),
                                     QStringLiteral("export 2 -1")}));
    EXPECT_EQ(g.Progress, (std::vector<short>{0, 50, 100}));

    g.SetCells(0, 1, QStringLiteral("é€"));
    g.SaveToFile(Path(QStringLiteral("u.txt")), true);
    const QByteArray u = ReadBytes(Path(QStringLiteral("u.txt")));
    EXPECT_TRUE(u.startsWith("\xFF\xFE" "3\0,\0" "3\0\r\0\n\0"));
    TKvStringGrid back;
    back.LoadFromFile(Path(QStringLiteral("u.txt")));
    EXPECT_EQ(back.Cells(0, 1), QStringLiteral("é€"));
}

TEST_F(GridTextFile, LoadingRestoresTextsWidthsAndLineBreaksByTheMultiLineSetting)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("h0|h1"), QStringLiteral("a\r\nb|t\tc\r\nd"), QStringLiteral(" |€")});
    g.SetColWidths(1, 91);
    g.SaveToFile(Path(QStringLiteral("g.txt")));

    TRecordingGrid single;
    single.LoadFromFile(Path(QStringLiteral("g.txt")));
    EXPECT_EQ(GridRows(single), (QStringList{QStringLiteral("h0|h1"), QStringLiteral("a|t"), QStringLiteral(" |€")}));
    EXPECT_EQ(single.ColWidths(1), 91);
    EXPECT_EQ(single.Events, (QStringList{QStringLiteral("changed 0,0,2,3"), QStringLiteral("loaded")}));

    TKvStringGrid multi;
    multi.MultilineCells = true;
    multi.LoadFromFile(Path(QStringLiteral("g.txt")));
    EXPECT_EQ(multi.Cells(0, 1), QStringLiteral("a\r\nb"));
    // A tab inside a multi-line cell travels as the CR's stand-in and comes back as one.
    EXPECT_EQ(multi.Cells(1, 1), QStringLiteral("t\rc\r\nd"));
}

TEST_F(GridTextFile, ReadingIsLenientAboutLineEndsNumbersAndCellsOutsideTheGrid)
{
    WriteBytes(Path(QStringLiteral("f.txt")),
               "\xEF\xBB\xBF" "$2,3x\ncw 1,70abc\rcw 9,12\r\n1,2,b\n0x1,0,c\n5,0,outside\n0,2000000000,far\nplain\n");
    TKvStringGrid g;
    g.LoadFromFile(Path(QStringLiteral("f.txt")));
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.ColWidths(1), 70);
    // A line without a comma is the text of cell (0, 0).
    EXPECT_EQ(GridRows(g), (QStringList{QStringLiteral("plain|c"), QStringLiteral("|"), QStringLiteral("|b")}));
}

TEST_F(GridTextFile, AFileOfNoColumnsOrRowsIsRefusedNamingIt)
{
    for (const char* size : {"0,3\r\n", "3,0\r\n", "99999999,2\r\n"}) {
        WriteBytes(Path(QStringLiteral("bad.txt")), size);
        TKvStringGrid g;
        g.SetFixedCols(0);
        g.SetFixedRows(0);
        try {
            g.LoadFromFile(Path(QStringLiteral("bad.txt")));
            ADD_FAILURE() << "no error for " << size;
        } catch (const EKvGridError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("File contains no data or corrupt file ") + Path(QStringLiteral("bad.txt")));
        }
    }
    TKvStringGrid g;
    EXPECT_THROW(g.LoadFromFile(Path(QStringLiteral("missing.txt"))), Exception);
}

TEST_F(GridTextFile, WithoutFixedCellsTheFileKeepsAbsoluteAndTheStreamRelativeCoordinates)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("h|h"), QStringLiteral("f|v")});
    g.SetSaveFixedCells(false);
    g.SaveToFile(Path(QStringLiteral("g.txt")));
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("g.txt"))), QByteArray("1,1\r\ncw 1,64\r\n1,1,v\r\n"));

    TMemoryStream s;
    g.SaveToStream(&s);
    s.SetPosition(0);
    QStringList lines;
    QString line;
    while (ReadStreamLine(&s, line)) lines << line;
    EXPECT_EQ(lines, (QStringList{QStringLiteral("1,1"), QStringLiteral("cw 0,64"), QStringLiteral("cw 1,64"),
                                  QStringLiteral("0,0,v")}));

    // Both forms load back into a grid with the same fixed cells.
    TKvStringGrid file, stream;
    for (TKvStringGrid* t : {&file, &stream}) {
        t->SetSaveFixedCells(false);
        t->SetColCount(2);
        t->SetRowCount(2);
    }
    file.LoadFromFile(Path(QStringLiteral("g.txt")));
    s.SetPosition(0);
    stream.LoadFromStream(&s);
    EXPECT_EQ(file.Cells(1, 1), QStringLiteral("v"));
    EXPECT_EQ(stream.Cells(1, 1), QStringLiteral("v"));
    EXPECT_EQ(stream.ColCount(), 2);
}

TEST(GridTextStream, TheStreamIsUtf16LinesEndedByCrLf)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("é|")});
    TMemoryStream s;
    g.SaveToStream(&s);
    const QByteArray b(reinterpret_cast<const char*>(s.Memory()), qsizetype(s.Size()));
    const QString text = QStringLiteral("2,1\r\ncw 0,64\r\ncw 1,64\r\n0,0,é\r\n");
    EXPECT_EQ(b, QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
}

TEST(GridTextStream, AStreamFollowedByOtherDataStopsAtItsFirstLine)
{
    TKvStringGrid a;
    FillGrid(a, {QStringLiteral("h0|h1"), QStringLiteral("x|y\r\nz")});
    TMemoryStream s;
    a.SaveToStream(&s);
    const qint64 end = s.Position();
    WriteStreamLine(&s, QStringLiteral("other data"));
    s.WriteBuffer("tail", 4);
    s.SetPosition(0);

    TRecordingGrid b;
    b.MultilineCells = true;
    b.LoadFromStream(&s);
    EXPECT_EQ(s.Position(), end);
    EXPECT_EQ(GridRows(b), GridRows(a));
    EXPECT_EQ(b.Events, (QStringList{QStringLiteral("changed 0,0,2,2"), QStringLiteral("loaded")}));
}

TEST(GridTextStream, StrictNumbersRaiseAndCellsOutsideTheGridAreSkipped)
{
    auto stream = [](const QStringList& Lines) {
        auto s = std::make_unique<TMemoryStream>();
        for (const QString& l : Lines) WriteStreamLine(s.get(), l);
        s->SetPosition(0);
        return s;
    };
    {
        TKvStringGrid g;
        auto s = stream({QStringLiteral("2,x")});
        EXPECT_THROW(g.LoadFromStream(s.get()), EConvertError);
    }
    {
        TKvStringGrid g;
        auto s = stream({QStringLiteral("2,2"), QStringLiteral("cw 5,10")});
        EXPECT_THROW(g.LoadFromStream(s.get()), Exception);  // no such column
    }
    {
        // A damaged stream naming a cell far outside must neither place it nor allocate for it.
        TKvStringGrid g;
        auto s = stream({QStringLiteral("2,2"), QStringLiteral("5,2000000000,far"), QStringLiteral("1,1,in"),
                         QStringLiteral("-1,0,neg")});
        g.LoadFromStream(s.get());
        EXPECT_EQ(GridRows(g), (QStringList{QStringLiteral("|"), QStringLiteral("|in")}));
        g.SetColCount(8);
        EXPECT_TRUE(g.Cells(5, 1).isEmpty());
    }
    {
        TKvStringGrid g;
        auto s = stream({QStringLiteral("2000000,2")});
        EXPECT_THROW(g.LoadFromStream(s.get()), EKvGridError);
    }
}

TEST(GridTextStream, AssignCellsCopiesTheCellsOfAnotherGrid)
{
    TKvStringGrid from, to;
    FillGrid(from, {QStringLiteral("a|b|c"), QStringLiteral("d|e\r\nf|"), QStringLiteral("g||i")});
    from.SetColWidths(2, 33);
    to.AssignCells(&from);
    EXPECT_EQ(to.ColCount(), 3);
    EXPECT_EQ(to.RowCount(), 3);
    EXPECT_EQ(to.ColWidths(2), 33);
    EXPECT_EQ(GridRows(to), (QStringList{QStringLiteral("a|b|c"), QStringLiteral("d|e|"), QStringLiteral("g||i")}));
}

// Window input waits while a file loads (the platform services paints and timers only);
// what can be seen here is that timers keep running during the load.
TEST_F(GridTextFile, LoadingLetsTimersRun)
{
    QStringList rows;
    for (int r = 0; r < 50; ++r) rows << QStringLiteral("%1|x").arg(r);
    TKvStringGrid src;
    FillGrid(src, rows);
    src.SaveToFile(Path(QStringLiteral("g.txt")));
    bool timerRan = false;
    bool loading = true;
    TKvStringGrid g;
    g.OnLoadCell = [&](TObject*, int ACol, int ARow, QString&) {
        if (ACol == 0 && ARow == 0) QTimer::singleShot(0, [&] { timerRan = loading; });
    };
    g.LoadFromFile(Path(QStringLiteral("g.txt")));
    loading = false;
    EXPECT_TRUE(timerRan);
}

TEST(GridExchangeRoom, TheRoomAheadFollowsTheRowsWrittenSoFar)
{
    const qsizetype cap = MaxExportReserve;
    const struct {
        qsizetype Used, RowsStart;
        qint64 Done, Total;
        qsizetype Expected;
    } cases[] = {
        // 64 rows of 100 bytes behind a head of 50: 101 a row for the 936 to come, a quarter more.
        {6450, 50, 64, 1000, 6450 + 94536 + 94536 / 4},
        {409650, 50, 4096, 5096, 409650 + 101000 + 101000 / 4},
        {6450, 50, 63, 1000, 0},
        {6450, 50, 65, 1000, 0},
        {6450, 50, 64, 64, 0},
        {qsizetype(1) << 26, 0, 64, 1000000, cap},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpectedExportSize(c.Used, c.RowsStart, c.Done, c.Total), c.Expected) << c.Used << " " << c.Done;
}

// The first rows are short and the later ones long, so the room sized from the first
// rows runs out and the text moves to larger buffers on the way: every export still
// holds every byte, in order.
TEST_F(GridTextFile, LargeExportsWhoseRowsGrowLongerKeepEveryByte)
{
    constexpr int rows = 6000;
    TKvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(rows);
    const auto text = [](int c, int r) {
        return r < 100 ? QString::number(r) : QString(150 + (r * 7 + c) % 90, QChar(u'a' + (r + c) % 26)) + QString::number(r);
    };
    QByteArray file = "2," + QByteArray::number(rows) + "\r\ncw 0,64\r\ncw 1,64\r\n";
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<list>\r\n";
    QByteArray csv;
    QStringList cells;
    for (int r = 0; r < rows; ++r) {
        xml += "<rec>\r\n";
        for (int c = 0; c < 2; ++c) {
            const QByteArray t = text(c, r).toLatin1();
            g.SetCells(c, r, text(c, r));
            cells << text(c, r);
            file += QByteArray::number(c) + ',' + QByteArray::number(r) + ',' + t + "\r\n";
            xml += "<FIELD" + QByteArray::number(c) + '>' + t + "</FIELD" + QByteArray::number(c) + ">\r\n";
            csv += t + (c == 0 ? "," : "\r\n");
        }
        xml += "</rec>\r\n";
    }
    xml += "</list>\r\n";

    const struct {
        const char* Name;
        std::function<void(const QString&)> Save;
        QByteArray Expected;
    } exports[] = {
        {"big.txt", [&](const QString& F) { g.SaveToFile(F); }, file},
        {"big.xml", [&](const QString& F) { g.SaveToXML(F, QStringLiteral("list"), QStringLiteral("rec"), nullptr, false); }, xml},
        {"big.csv", [&](const QString& F) { g.SaveToCSV(F); }, csv},
    };
    for (const auto& e : exports) {
        const QString f = Path(QString::fromLatin1(e.Name));
        e.Save(f);
        const QByteArray written = ReadBytes(f);
        EXPECT_EQ(written.size(), e.Expected.size()) << e.Name;
        EXPECT_TRUE(written == e.Expected) << e.Name;
    }

    // The HTML table holds the cell texts in order between its head and its end.
    const QString html = g.SaveToHTMLString(QString());
    EXPECT_TRUE(html.startsWith(QStringLiteral("<style>\r\n")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</TR>\r\n</TABLE>\r\n")));
    QStringList found;
    const QRegularExpression cell(QStringLiteral("<TD class=\"c\\d+\">([^<]*)</td>\r\n"));
    for (auto m = cell.globalMatch(html); m.hasNext();) found << m.next().captured(1);
    EXPECT_EQ(found, cells);
    EXPECT_EQ(html.count(QStringLiteral("<TR>\r\n")), rows);
}

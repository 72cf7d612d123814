// The grid's exchange with workbooks, documents and databases: the calls it makes on
// the recording office objects, and real files read back by outside readers.
#include <QDirIterator>
#include <QFileInfo>

#include "exchange_test_support.h"
#include "platform/office/document_file.h"
#include "platform/office/office_recording.h"
#include "platform/office/office_test_support.h"
#include "platform/ui/forms.h"

namespace {

// The recording office for the test's lifetime.
class GridOffice : public ExchangeFiles {
protected:
    void SetUp() override { SetOfficeProvider(&Office); }
    void TearDown() override { SetOfficeProvider(nullptr); }

    TRecordingOffice::TBook Book(const QString& FileName)
    {
        TRecordingOffice::TBook b;
        b.FileName = FileName;
        b.Sheets[0].Name = QStringLiteral("First");
        TRecordingOffice::TSheet data{QStringLiteral("Data"), {}, {}};
        data.Set(2, 2, QStringLiteral("b2"));
        data.Set(2, 3, QStringLiteral("c2"));
        data.Set(3, 2, QStringLiteral("b3"));
        data.Cells[{3, 3}] = TOfficeValue::FromNumber(12.5);
        b.Sheets.push_back(data);
        return b;
    }
    // The calls made, from the first that starts with From.
    QStringList CallsFrom(const QString& From) const
    {
        const qsizetype i = Office.Calls.indexOf(From);
        return i < 0 ? QStringList() : Office.Calls.mid(i);
    }
    template <class F>
    void ExpectGridError(F&& Call, const QString& Message)
    {
        try {
            Call();
            ADD_FAILURE() << "no error, expected " << Message.toStdString();
        } catch (const EKvGridError& e) {
            EXPECT_EQ(e.Message(), Message);
        }
    }
    TRecordingOffice Office;
};

}  // namespace

// ============================================================ the calls

TEST_F(GridOffice, UsedRangesImportAtTheFirstNormalCell)
{
    const struct {
        const char* UsedRange;
        int Cols, Rows;
        const char* TopLeft;
    } cases[] = {{"$B$2:$C$3", 3, 3, "b2"}, {"$B$2", 2, 2, "b2"}, {"A1", 2, 2, "a1"}, {"$A$1", 2, 2, "a1"}};
    for (const auto& c : cases) {
        Office.Calls.clear();
        Office.BookFiles = {Book(QStringLiteral("/w/book.xlsx"))};
        Office.BookFiles[0].Sheets[1].UsedRange = QString::fromLatin1(c.UsedRange);
        Office.BookFiles[0].Sheets[1].Set(1, 1, QStringLiteral("a1"));
        TRecordingGrid g;
        g.SetSaveFixedCells(false);
        g.LoadFromXLSSheet(QStringLiteral("/w/book.xlsx"), QStringLiteral("Data"));
        EXPECT_EQ(g.ColCount(), c.Cols) << c.UsedRange;
        EXPECT_EQ(g.RowCount(), c.Rows) << c.UsedRange;
        EXPECT_EQ(g.FixedCols(), 1);
        EXPECT_EQ(g.FixedRows(), 1);
        EXPECT_EQ(g.Cells(1, 1), QString::fromLatin1(c.TopLeft)) << c.UsedRange;
        EXPECT_EQ(g.Events, (QStringList{QStringLiteral("changed 0,0,%1,%2").arg(c.Cols).arg(c.Rows), QStringLiteral("loaded")}));
    }
    // The block: the number comes as text, and the call order is the application's.
    TKvStringGrid g;
    Office.Calls.clear();
    Office.BookFiles[0].Sheets[1].UsedRange = QStringLiteral("$B$2:$C$3");
    g.LoadFromXLSSheet(QStringLiteral("/w/book.xlsx"), QStringLiteral("Data"));
    EXPECT_EQ(GridRows(g), (QStringList{QStringLiteral("b2|c2"), QStringLiteral("b3|12.5")}));
    EXPECT_EQ(Office.Calls, (QStringList{
        QStringLiteral("Spreadsheet.Create"), QStringLiteral("WorkBooks.Open(/w/book.xlsx)"), QStringLiteral("WorkSheets.Count"),
        QStringLiteral("Sheets(1)"), QStringLiteral("Sheet.Name"), QStringLiteral("Sheets(2)"), QStringLiteral("Sheet.Name"),
        QStringLiteral("UsedRange.Address"), QStringLiteral("Range(B2:C3).Value"), QStringLiteral("Close(False)"),
        QStringLiteral("Quit")}));

    // Without a sheet name the active sheet is read.
    Office.Calls.clear();
    Office.BookFiles[0].ActiveSheet = 2;
    TKvStringGrid active;
    active.LoadFromXLS(QStringLiteral("/w/book.xlsx"));
    EXPECT_EQ(active.Cells(0, 0), QStringLiteral("b2"));
    EXPECT_TRUE(Office.Calls.contains(QStringLiteral("ActiveSheet")));
}

TEST_F(GridOffice, SheetNamesComeInOrderAndTheWorkbookIsLeftUnchanged)
{
    Office.BookFiles = {Book(QStringLiteral("/w/book.xlsx"))};
    TKvStringGrid g;
    const std::unique_ptr<TStringList> names = g.GetXLSSheets(QStringLiteral("/w/book.xlsx"));
    EXPECT_EQ(names->ToStringList(), (QStringList{QStringLiteral("First"), QStringLiteral("Data")}));
    EXPECT_EQ(Office.Calls, (QStringList{QStringLiteral("Spreadsheet.Create"), QStringLiteral("WorkBooks.Open(/w/book.xlsx)"),
                                         QStringLiteral("WorkSheets.Count"), QStringLiteral("Sheets(1)"),
                                         QStringLiteral("Sheet.Name"), QStringLiteral("Sheets(2)"), QStringLiteral("Sheet.Name"),
                                         QStringLiteral("Saved=True"), QStringLiteral("Quit")}));
}

TEST_F(GridOffice, ExportedRangesNameTheirLastColumnInLetters)
{
    const struct {
        int Cols;
        const char* Range;
    } cases[] = {{1, "A1:A3"}, {26, "A1:Z3"}, {27, "A1:AA3"}, {28, "A1:AB3"}, {702, "A1:ZZ3"}};
    for (const auto& c : cases) {
        Office.Calls.clear();
        TRecordingGrid g;
        g.SetColCount(c.Cols);
        g.SetRowCount(3);
        g.SetCells(c.Cols - 1, 2, QStringLiteral("a\r\nb"));
        g.SaveToXLS(Path(QStringLiteral("out.xlsx")), true);
        EXPECT_TRUE(Office.Calls.contains(QStringLiteral("Range(%1).Value=3x%2").arg(QLatin1String(c.Range)).arg(c.Cols)))
            << c.Range;
        EXPECT_EQ((Office.SavedBooks.back().Sheets[0].Cells[{3, c.Cols}].Str), QStringLiteral("a\nb"));
    }
    EXPECT_EQ(Office.Calls, (QStringList{QStringLiteral("Spreadsheet.Connect"), QStringLiteral("Spreadsheet.Create"),
                                         QStringLiteral("WorkBooks.Add"), QStringLiteral("Sheets(1)"),
                                         QStringLiteral("Range(A1:ZZ3).Value=3x702"),
                                         QStringLiteral("SaveAs(") + Path(QStringLiteral("out.xlsx")) + QLatin1Char(')'),
                                         QStringLiteral("Quit")}));
    // Without the fixed cells the export starts at the first normal cell.
    TRecordingGrid g;
    FillGrid(g, {QStringLiteral("h|h|h"), QStringLiteral("f|1|2")});
    g.SetSaveFixedCells(false);
    Office.Calls.clear();
    g.SaveToXLS(Path(QStringLiteral("out.xlsx")), false);
    EXPECT_TRUE(Office.Calls.contains(QStringLiteral("Range(A1:B1).Value=1x2")));
    EXPECT_EQ(g.Events, (QStringList{QStringLiteral("export 0 1"), QStringLiteral("export 5 1"), QStringLiteral("export 2 -1")}));
}

TEST_F(GridOffice, ARunningApplicationGetsTheRowsFromItsActiveCellAndStays)
{
    Office.SpreadsheetRunning = true;
    Office.RunningBook.FileName = QStringLiteral("/w/open.xlsx");
    Office.RunningBook.ActiveCellRow = 10;
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("a|b"), QStringLiteral("c|d"), QStringLiteral("e|f")});
    g.SaveToXLS(QStringLiteral("/w/open.xlsx"), false);
    EXPECT_EQ(Office.Calls, (QStringList{QStringLiteral("Spreadsheet.Connect"), QStringLiteral("WorkBooks.Count"),
                                         QStringLiteral("ActiveWorkBook"), QStringLiteral("ActiveSheet"),
                                         QStringLiteral("ActiveSheet"), QStringLiteral("ActiveCell.Row"),
                                         QStringLiteral("Range(A10:B12).Value=3x2"), QStringLiteral("SaveAs(/w/open.xlsx)")}));
    EXPECT_EQ(Office.SpreadsheetsQuit, 0);
}

TEST_F(GridOffice, ASheetExportOpensTheFileAddsItsSheetAndSavesInPlace)
{
    const QString file = Path(QStringLiteral("book.xlsx"));
    WriteBytes(file, "exists");
    Office.BookFiles = {Book(file)};
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("x|y")});
    g.SaveToXLSSheet(file, QStringLiteral("New"));
    EXPECT_EQ(CallsFrom(QStringLiteral("WorkBooks.Open(") + file + QLatin1Char(')')),
              (QStringList{QStringLiteral("WorkBooks.Open(") + file + QLatin1Char(')'), QStringLiteral("WorkSheets.Count"),
                           QStringLiteral("Sheets(1)"), QStringLiteral("Sheet.Name"), QStringLiteral("Sheets(2)"),
                           QStringLiteral("Sheet.Name"), QStringLiteral("WorkSheets.Add"), QStringLiteral("Sheet.Name=New"),
                           QStringLiteral("Range(A1:B1).Value=1x2"), QStringLiteral("Save"), QStringLiteral("Quit")}));
    // An existing sheet of that name is written over, the last of its name.
    Office.Calls.clear();
    g.SaveToXLSSheet(file, QStringLiteral("Data"));
    EXPECT_FALSE(Office.Calls.contains(QStringLiteral("WorkSheets.Add")));
    EXPECT_EQ((Office.BookFiles[0].Sheets[1].Cells[{1, 1}].Str), QStringLiteral("x"));
}

TEST_F(GridOffice, FailuresGiveTheirMessagesQuitACreatedServerAndRestoreTheCursor)
{
    TKvStringGrid g;
    const QString file = QStringLiteral("/w/book.xlsx");
    Office.BookFiles = {Book(file)};
    Office.SpreadsheetInstalled = false;
    ExpectGridError([&] { g.GetXLSSheets(file); }, QStringLiteral("Excel OLE server not found"));
    ExpectGridError([&] { g.LoadFromXLS(file); }, QStringLiteral("Excel OLE server not found"));
    ExpectGridError([&] { g.SaveToXLS(file, true); }, QStringLiteral("Excel OLE server not found"));
    Office.SpreadsheetInstalled = true;
    ExpectGridError([&] { g.LoadFromXLSSheet(file, QStringLiteral("Nope")); },
                    QStringLiteral("Excel worksheet Nope not found"));
    Office.WordInstalled = false;
    ExpectGridError([&] { g.SaveToDOC(QStringLiteral("/w/d.docx"), true); }, QStringLiteral("Word OLE server not found"));

    Office.FailOn = QStringLiteral("Range(");
    try {
        g.LoadFromXLSSheet(file, QStringLiteral("Data"));
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Incorrect XLS file"));
    }

    // No workbook to write into, or one that cannot be saved: said, and the server quits.
    const int quits = Office.SpreadsheetsQuit;
    Office.FailOn = QStringLiteral("WorkBooks.Add");
    ExpectGridError([&] { g.SaveToXLS(file, true); }, QStringLiteral("Cannot create Excel workbook"));
    EXPECT_EQ(Office.SpreadsheetsQuit, quits + 1);
    Office.FailOn = QStringLiteral("SaveAs");
    ExpectGridError([&] { g.SaveToXLS(file, true); }, QStringLiteral("Cannot save Excel workbook ") + file);
    EXPECT_EQ(Office.SpreadsheetsQuit, quits + 2);
    Office.FailOn.clear();

    // The hourglass shows while the work runs and the cursor before it comes back.
    Screen->SetCursor(crCross);
    TCursor during = crDefault;
    g.OnLoadCell = [&](TObject*, int, int, QString&) { during = Screen->Cursor(); };
    g.LoadFromXLSSheet(file, QStringLiteral("Data"));
    EXPECT_EQ(during, crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crCross);
    Office.FailOn = QStringLiteral("UsedRange");
    EXPECT_THROW(g.LoadFromXLSSheet(file, QStringLiteral("Data")), EKvGridError);
    EXPECT_EQ(Screen->Cursor(), crCross);
    Screen->SetCursor(crDefault);
}

TEST_F(GridOffice, TheDocumentGetsTheWindowTextAndTheTableWithItsAlignments)
{
    TRecordingGrid g;
    FillGrid(g, {QStringLiteral("Name|Value"), QStringLiteral("left|12.5")});
    g.SetAlignments(1, 0, taCenter);
    g.SetAlignments(1, 1, taRightJustify);
    g.SaveToDOC(QStringLiteral("/w/d.docx"), true);
    EXPECT_EQ(Office.Calls, (QStringList{
        QStringLiteral("Word.Connect"), QStringLiteral("Word.Create"), QStringLiteral("Documents.Add"),
        QStringLiteral("ShowSpellingErrors=False"), QStringLiteral("Selection.TypeText()"), QStringLiteral("Selection.TypeParagraph"),
        QStringLiteral("Range(0,0)"), QStringLiteral("Tables.Add(0,2,2)"),
        QStringLiteral("Cell(1,1).Range.InsertAfter(Name)"), QStringLiteral("Cell(1,2).Range.InsertAfter(Value)"),
        QStringLiteral("Cell(1,2).Range.ParagraphFormat.Alignment=1"), QStringLiteral("Cell(2,1).Range.InsertAfter(left)"),
        QStringLiteral("Cell(2,2).Range.InsertAfter(12.5)"), QStringLiteral("Cell(2,2).Range.ParagraphFormat.Alignment=2"),
        QStringLiteral("SaveAs(/w/d.docx)"), QStringLiteral("Quit")}));
    EXPECT_EQ(g.Events, (QStringList{QStringLiteral("export 0 0"), QStringLiteral("export 5 1"), QStringLiteral("export 5 2"),
                                     QStringLiteral("export 2 -1")}));

    // Appending: at the bookmark when the document has it, else on a new last line.
    TRecordingOffice::TDoc report;
    report.FileName = QStringLiteral("/w/r.docx");
    report.Bookmarks << QStringLiteral("Here");
    Office.DocumentFiles = {report};
    Office.Calls.clear();
    g.AppendToDoc(QStringLiteral("/w/r.docx"), QStringLiteral("Here"));
    EXPECT_EQ(Office.Calls.mid(2, 7), (QStringList{QStringLiteral("Documents.Open(/w/r.docx)"),
                                                   QStringLiteral("ShowSpellingErrors=False"), QStringLiteral("Selection.TypeText()"),
                                                   QStringLiteral("Selection.TypeParagraph"), QStringLiteral("Bookmarks.Exists(Here)"),
                                                   QStringLiteral("Goto(-1,Here)"), QStringLiteral("Tables.Add(1000,2,2)")}));
    Office.Calls.clear();
    g.AppendToDoc(QStringLiteral("/w/r.docx"), QStringLiteral("Elsewhere"));
    EXPECT_EQ(Office.Calls.mid(6, 6), (QStringList{QStringLiteral("Bookmarks.Exists(Elsewhere)"), QStringLiteral("Paragraphs.Add"),
                                                   QStringLiteral("Selection.Goto(3,-1)"), QStringLiteral("Selection.End"),
                                                   QStringLiteral("Range(1500,1500)"), QStringLiteral("Tables.Add(1500,2,2)")}));

    // A running word processor: its active document, and it is not quit.
    Office.WordRunning = true;
    Office.Calls.clear();
    g.SaveToDOC(QStringLiteral("/w/d.docx"), false);
    EXPECT_EQ(Office.Calls.mid(0, 3), (QStringList{QStringLiteral("Word.Connect"), QStringLiteral("Documents.Count"),
                                                   QStringLiteral("ActiveDocument")}));
    EXPECT_FALSE(Office.Calls.contains(QStringLiteral("Quit")));
}

TEST_F(GridOffice, ARecordSetFillsTheGridBelowItsFieldNames)
{
    Office.Fields = QStringList{QStringLiteral("id"), QStringLiteral("name")};
    Office.Records = {{QStringLiteral("1"), QStringLiteral("a")}, {QStringLiteral("2"), std::nullopt},
                      {QStringLiteral("3"), QStringLiteral("c")}};
    for (bool counted : {true, false}) {
        Office.ReportRecordCount = counted;
        Office.Calls.clear();
        TRecordingGrid g;
        g.SetColCount(2);
        g.SetRowCount(2);
        g.LoadFromMDBTable(QStringLiteral("/d/plant.mdb"), QStringLiteral("Items"));
        EXPECT_EQ(GridRows(g), (QStringList{QStringLiteral("|id|name"), QStringLiteral("|1|a"), QStringLiteral("|2|"),
                                            QStringLiteral("|3|c")}))
            << counted;
        EXPECT_EQ(g.Events.last(), QStringLiteral("loaded"));
        EXPECT_EQ(Office.Calls.mid(0, 7),
                  (QStringList{QStringLiteral("Connection.Create"),
                               QStringLiteral("Connection.Open(Driver={Microsoft Access Driver (*.mdb)};DBQ=/d/plant.mdb)"),
                               QStringLiteral("RecordSet.Create"), QStringLiteral("RecordSet.ActiveConnection"),
                               QStringLiteral("RecordSet.Open(SELECT * FROM Items)"), QStringLiteral("Fields.Count"),
                               QStringLiteral("Fields(0).Name")}));
        EXPECT_EQ(Office.Calls.mid(Office.Calls.size() - 2),
                  (QStringList{QStringLiteral("RecordSet.Close"), QStringLiteral("Connection.Close")}));
    }
}

// ============================================================ real files

class GridOfficeFiles : public ExchangeFiles {};

TEST_F(GridOfficeFiles, AWorkbookWrittenLoadsBackAndOutsideReadersAgree)
{
    const QString file = Path(QStringLiteral("grid.xlsx"));
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("Name|Value"), QStringLiteral("alpha|12.5"), QStringLiteral("β|two\r\nlines")});
    g.SaveToXLS(file, true);
    ExpectSoundPackage(file);
    TKvStringGrid back;
    back.LoadFromXLS(file);
    EXPECT_EQ(GridRows(back), (QStringList{QStringLiteral("Name|Value"), QStringLiteral("alpha|12.5"),
                                           QStringLiteral("β|two\nlines")}));
    if (!PythonHas(QStringLiteral("openpyxl"))) GTEST_SKIP() << "python3-openpyxl is not installed: outside check skipped";
    const TRunResult r = RunPython(QStringLiteral("import sys, openpyxl\n"
                                                  "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                  "for row in ws.iter_rows(values_only=True): print(row)\n"),
                                   {file});
    ASSERT_EQ(r.ExitCode, 0) << r.Output.toStdString();
    EXPECT_EQ(r.Output, QStringLiteral("('Name', 'Value')\n('alpha', '12.5')\n('β', 'two\\nlines')\n"));
}

TEST_F(GridOfficeFiles, AnotherWritersWorkbookKeepsTheSheetItDoesNotTouch)
{
    if (!PythonHas(QStringLiteral("openpyxl"))) GTEST_SKIP() << "python3-openpyxl is not installed: the workbook cannot be made";
    const QString file = Path(QStringLiteral("made.xlsx"));
    const TRunResult made = RunPython(QStringLiteral("import sys, openpyxl\n"
                                                     "wb = openpyxl.Workbook(); ws = wb.active; ws.title = 'Keep'\n"
                                                     "ws['A1'] = 'kept'; ws['B2'] = 7\n"
                                                     "s = wb.create_sheet('Data'); s['B2'] = 'x'; s['C3'] = 3.5\n"
                                                     "wb.save(sys.argv[1])\n"),
                                      {file});
    ASSERT_EQ(made.ExitCode, 0) << made.Output.toStdString();
    TKvStringGrid g;
    EXPECT_EQ(g.GetXLSSheets(file)->ToStringList(), (QStringList{QStringLiteral("Keep"), QStringLiteral("Data")}));
    g.LoadFromXLSSheet(file, QStringLiteral("Data"));
    EXPECT_EQ(GridRows(g), (QStringList{QStringLiteral("x|"), QStringLiteral("|3.5")}));

    TZipArchiveReader before;
    ASSERT_TRUE(before.OpenFile(file));
    const QByteArray keep = before.Read(QStringLiteral("xl/worksheets/sheet1.xml"));
    FillGrid(g, {QStringLiteral("new|cells")});
    g.SaveToXLSSheet(file, QStringLiteral("Data"));
    ExpectSoundPackage(file);
    TZipArchiveReader after;
    ASSERT_TRUE(after.OpenFile(file));
    EXPECT_EQ(after.Read(QStringLiteral("xl/worksheets/sheet1.xml")), keep);
    const TRunResult r = RunPython(QStringLiteral("import sys, openpyxl\n"
                                                  "wb = openpyxl.load_workbook(sys.argv[1])\n"
                                                  "print(wb.sheetnames, wb['Keep']['A1'].value, wb['Data']['A1'].value, wb['Data']['B1'].value)\n"),
                                   {file});
    EXPECT_EQ(r.Output, QStringLiteral("['Keep', 'Data'] kept new cells\n"));
}

TEST_F(GridOfficeFiles, ALegacyWorkbookLoadsAndIsNeverWritten)
{
    if (!PythonHas(QStringLiteral("xlwt"))) GTEST_SKIP() << "python3-xlwt is not installed: no legacy workbook can be made";
    const QString file = Path(QStringLiteral("old.xls"));
    const TRunResult made = RunPython(QStringLiteral("import sys, xlwt\n"
                                                     "wb = xlwt.Workbook(); ws = wb.add_sheet('Old')\n"
                                                     "ws.write(0, 0, 'head'); ws.write(1, 1, 42)\n"
                                                     "wb.save(sys.argv[1])\n"),
                                      {file});
    ASSERT_EQ(made.ExitCode, 0) << made.Output.toStdString();
    TKvStringGrid g;
    g.LoadFromXLS(file);
    EXPECT_EQ(GridRows(g), (QStringList{QStringLiteral("head|"), QStringLiteral("|42")}));
    const QByteArray bytes = ReadBytes(file);
    try {
        g.SaveToXLSSheet(file, QStringLiteral("Old"));
        ADD_FAILURE();
    } catch (const EKvGridError& e) {
        EXPECT_TRUE(e.Message().contains(file)) << e.Message().toStdString();
    }
    EXPECT_EQ(ReadBytes(file), bytes);
}

TEST_F(GridOfficeFiles, DocumentsCarryTheTableOutsideReadersSee)
{
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("Name|Value"), QStringLiteral("left|12.5")});
    g.SetAlignments(1, 0, taCenter);
    g.SetAlignments(1, 1, taRightJustify);
    const QString file = Path(QStringLiteral("grid.docx"));
    g.SaveToDOC(file, true);
    ExpectSoundPackage(file);
    try {
        g.SaveToDOC(Path(QStringLiteral("grid.doc")), true);
        ADD_FAILURE();
    } catch (const EKvGridError& e) {
        EXPECT_TRUE(e.Message().contains(Path(QStringLiteral("grid.doc")))) << e.Message().toStdString();
    }
    if (!PythonHas(QStringLiteral("docx"))) GTEST_SKIP() << "python3-docx is not installed: outside reader check skipped";
    const TRunResult r = RunPython(QStringLiteral("import sys, docx\n"
                                                  "t = docx.Document(sys.argv[1]).tables[0]\n"
                                                  "for row in t.rows:\n"
                                                  "  print([(c.text, str(c.paragraphs[0].alignment)) for c in row.cells])\n"),
                                   {file});
    ASSERT_EQ(r.ExitCode, 0) << r.Output.toStdString();
    EXPECT_EQ(r.Output.toStdString(), "[('Name', 'None'), ('Value', 'CENTER (1)')]\n"
                                      "[('left', 'None'), ('12.5', 'RIGHT (2)')]\n");
}

TEST_F(GridOfficeFiles, AppendingPutsTheTableAtTheBookmarkOfADocumentMadeElsewhere)
{
    if (!PythonHas(QStringLiteral("docx"))) GTEST_SKIP() << "python3-docx is not installed: the document cannot be made";
    const QString file = Path(QStringLiteral("report.docx"));
    const TRunResult made = RunPython(QStringLiteral(
        "import sys, docx\n"
        "from docx.oxml import OxmlElement\n"
        "from docx.oxml.ns import qn\n"
        "d = docx.Document()\n"
        "d.add_paragraph('Intro')\n"
        "p = d.add_paragraph('Table here')\n"
        "s = OxmlElement('w:bookmarkStart'); s.set(qn('w:id'), '0'); s.set(qn('w:name'), 'GridHere')\n"
        "e = OxmlElement('w:bookmarkEnd'); e.set(qn('w:id'), '0')\n"
        "p._p.append(s); p._p.append(e)\n"
        "d.add_paragraph('Closing')\n"
        "d.save(sys.argv[1])\n"), {file});
    ASSERT_EQ(made.ExitCode, 0) << made.Output.toStdString();
    TKvStringGrid g;
    FillGrid(g, {QStringLiteral("a|b")});
    g.AppendToDoc(file, QStringLiteral("GridHere"));
    ExpectSoundPackage(file);
    const QStringList outline = TDocumentFile::Load(file)->BlockOutline();
    const qsizetype at = outline.indexOf(QStringLiteral("¶Table here"));
    ASSERT_GE(at, 0) << outline.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(outline.value(at + 1), QStringLiteral("#table"));
    EXPECT_TRUE(outline.contains(QStringLiteral("¶Closing")));
    const TRunResult r = RunPython(QStringLiteral("import sys, docx\n"
                                                  "d = docx.Document(sys.argv[1])\n"
                                                  "print(len(d.tables), [c.text for c in d.tables[0].rows[0].cells])\n"),
                                   {file});
    EXPECT_EQ(r.Output.toStdString(), "1 ['a', 'b']\n");
}

TEST_F(GridOfficeFiles, AnAccessSampleLoadsAsMdbExportReadsIt)
{
    QDirIterator it(QStringLiteral(KV_SHARED_TESTDATA_DIR), {QStringLiteral("*.mdb"), QStringLiteral("*.accdb")},
                    QDir::Files, QDirIterator::Subdirectories);
    if (!it.hasNext()) GTEST_SKIP() << "no Access database in the shared test data: the database load is not checked on a real file";
    const QString file = it.next();
    const QString mdbExport = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    const QString mdbTables = QStandardPaths::findExecutable(QStringLiteral("mdb-tables"));
    if (mdbExport.isEmpty() || mdbTables.isEmpty()) GTEST_SKIP() << "mdb-export is not installed: the comparison is skipped";
    const QString table = RunTool(mdbTables, {QStringLiteral("-1"), file}).Output.split(QLatin1Char('\n')).value(0).trimmed();
    ASSERT_FALSE(table.isEmpty());
    TKvStringGrid g;
    g.SetFixedCols(0);
    g.LoadFromMDBTable(file, table);
    const QStringList lines = RunTool(mdbExport, {QStringLiteral("-Q"), QStringLiteral("-d"), QStringLiteral("\t"), file, table})
                                  .Output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(GridRows(g).value(0).split(QLatin1Char('|')), lines[0].split(QLatin1Char('\t')));
    EXPECT_EQ(g.RowCount(), lines.size());
}

#include "platform/office/office_recording.h"

#include <gtest/gtest.h>

namespace {

struct TInstalled {
    explicit TInstalled(TRecordingOffice* Fake) { SetOfficeProvider(Fake); }
    ~TInstalled() { SetOfficeProvider(nullptr); }
};

}  // namespace

TEST(RecordingOffice, ScriptedWorkbooksAnswerAndEveryCallIsLogged)
{
    TRecordingOffice fake;
    TInstalled installed(&fake);
    TRecordingOffice::TBook book;
    book.FileName = QStringLiteral("/data/in.xlsx");
    book.Sheets[0].Name = QStringLiteral("Data");
    book.Sheets[0].Set(2, 2, QStringLiteral("B2"));
    book.Sheets[0].Set(3, 3, QStringLiteral("C3"));
    fake.BookFiles.push_back(book);

    auto app = OfficeProvider().CreateSpreadsheet();
    TWorkbook* wb = app->OpenWorkbook(QStringLiteral("/data/in.xlsx"));
    TWorksheet* s = wb->Sheets(1);
    EXPECT_EQ(s->Name(), QStringLiteral("Data"));
    EXPECT_EQ(s->UsedRangeAddress(), QStringLiteral("$B$2:$C$3"));
    const TOfficeArray v = s->RangeValue(QStringLiteral("B2:C3"));
    EXPECT_EQ(v[0][0].AsText(), QStringLiteral("B2"));
    EXPECT_EQ(v[1][1].AsText(), QStringLiteral("C3"));
    EXPECT_TRUE(v[0][1].IsEmpty());
    wb->Close(false);
    app->Quit();
    EXPECT_EQ(fake.Calls, (QStringList{QStringLiteral("Spreadsheet.Create"), QStringLiteral("WorkBooks.Open(/data/in.xlsx)"),
                                       QStringLiteral("Sheets(1)"), QStringLiteral("Sheet.Name"),
                                       QStringLiteral("UsedRange.Address"), QStringLiteral("Range(B2:C3).Value"),
                                       QStringLiteral("Close(False)"), QStringLiteral("Quit")}));
    fake.BookFiles[0].Sheets[0].UsedRange = QStringLiteral("A1");
    auto again = OfficeProvider().CreateSpreadsheet();
    EXPECT_EQ(again->OpenWorkbook(QStringLiteral("/data/in.xlsx"))->ActiveSheet()->UsedRangeAddress(), QStringLiteral("A1"));
    EXPECT_THROW(again->OpenWorkbook(QStringLiteral("/data/missing.xlsx")), EOfficeError);
}

TEST(RecordingOffice, ARunningApplicationHasItsActiveWorkbookAndCell)
{
    TRecordingOffice fake;
    TInstalled installed(&fake);
    EXPECT_FALSE(OfficeProvider().ConnectSpreadsheet());
    fake.SpreadsheetRunning = true;
    fake.RunningBook.ActiveCellRow = 10;
    auto app = OfficeProvider().ConnectSpreadsheet();
    ASSERT_TRUE(app);
    EXPECT_EQ(app->ActiveCellRow(), 10);
    app->ActiveSheet()->SetRangeValue(QStringLiteral("A10:AB11"),
                                      TOfficeArray(2, std::vector<TOfficeValue>(28, TOfficeValue::FromText(QStringLiteral("x")))));
    EXPECT_TRUE(fake.Calls.contains(QStringLiteral("Range(A10:AB11).Value=2x28")));
    app->ActiveWorkBook()->SaveAs(QStringLiteral("/out/book.xlsx"));
    ASSERT_EQ(fake.SavedBooks.size(), 1u);
    EXPECT_EQ(fake.SavedBooks[0].Sheets[0].Cells.size(), 56u);

    fake.SpreadsheetInstalled = false;
    EXPECT_FALSE(OfficeProvider().CreateSpreadsheet()) << "no server";
    fake.SpreadsheetInstalled = true;
    fake.FailOn = QStringLiteral("SaveAs");
    EXPECT_THROW(app->ActiveWorkBook()->SaveAs(QStringLiteral("/out/x.xlsx")), EOfficeError);
}

TEST(RecordingOffice, DocumentsRecordTextTablesAndAlignments)
{
    TRecordingOffice fake;
    TInstalled installed(&fake);
    TRecordingOffice::TDoc existing;
    existing.FileName = QStringLiteral("/d/report.docx");
    existing.Bookmarks << QStringLiteral("Grid");
    fake.DocumentFiles.push_back(existing);
    auto word = OfficeProvider().CreateWordProcessor();
    TDocument* doc = word->OpenDocument(QStringLiteral("/d/report.docx"));
    doc->SetShowSpellingErrors(false);
    word->TypeText(QStringLiteral("Caption"));
    word->TypeParagraph();
    ASSERT_TRUE(doc->BookmarkExists(QStringLiteral("Grid")));
    TDocTable* t = doc->AddTable(doc->Goto(wdGoToBookmark, QStringLiteral("Grid")), 2, 3);
    t->CellInsertAfter(2, 3, QStringLiteral("12"));
    t->SetCellAlignment(2, 3, wdAlignParagraphRight);
    EXPECT_THROW(t->CellInsertAfter(3, 1, QStringLiteral("x")), EOfficeError);
    doc->SaveAs(QStringLiteral("/d/report.docx"));
    word->Quit();
    ASSERT_EQ(fake.SavedDocuments.size(), 1u);
    const auto& saved = fake.SavedDocuments[0];
    EXPECT_EQ(saved.Typed, (QStringList{QStringLiteral("Caption"), QStringLiteral("¶")}));
    ASSERT_EQ(saved.Tables.size(), 1u);
    EXPECT_EQ(saved.Tables[0].At.Start, 1000);
    EXPECT_EQ(saved.Tables[0].Text.at({2, 3}), QStringLiteral("12"));
    EXPECT_EQ(saved.Tables[0].Alignment.at({2, 3}), wdAlignParagraphRight);
    EXPECT_FALSE(saved.ShowSpellingErrors);
    EXPECT_EQ(fake.WordsQuit, 1);
}

TEST(RecordingOffice, ARecordSetMayKeepItsCountToItself)
{
    TRecordingOffice fake;
    TInstalled installed(&fake);
    fake.Fields = {QStringLiteral("Name"), QStringLiteral("Value")};
    fake.Records = {{QStringLiteral("a"), std::nullopt}, {QStringLiteral("b"), QStringLiteral("2")}};
    fake.ReportRecordCount = false;
    auto conn = OfficeProvider().CreateConnection();
    conn->Open(QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};DBQ=/x.mdb"));
    auto rs = OfficeProvider().CreateRecordSet();
    rs->SetActiveConnection(conn.get());
    rs->Open(QStringLiteral("SELECT * FROM T"));
    EXPECT_EQ(rs->RecordCount(), -1);
    QStringList seen;
    for (; !rs->Eof(); rs->MoveNext())
        seen << rs->FieldValue(0) + QLatin1Char('/') + QString::number(rs->FieldActualSize(1));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("a/0"), QStringLiteral("b/1")}));
}

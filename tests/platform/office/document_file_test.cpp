#include "office_test_support.h"
#include "platform/office/document_file.h"

#include <QTemporaryDir>

namespace {

// A document the way another writer makes one: runs with formatting, a bookmark in the
// second paragraph, a section at the end.
QByteArray BookmarkedDocument()
{
    TZipArchiveWriter w;
    w.Add(QStringLiteral("[Content_Types].xml"),
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
          "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
          "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
          "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>");
    w.Add(QStringLiteral("_rels/.rels"),
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"/word/document.xml\"/></Relationships>");
    w.Add(QStringLiteral("word/document.xml"),
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
          "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>Report</w:t></w:r></w:p>"
          "<w:p><w:r><w:t xml:space=\"preserve\">Table: </w:t></w:r><w:bookmarkStart w:id=\"0\" w:name=\"GridHere\"/><w:bookmarkEnd w:id=\"0\"/><w:r><w:t>end</w:t></w:r></w:p>"
          "<w:p><w:r><w:t>Closing words</w:t></w:r></w:p>"
          "<w:sectPr/></w:body></w:document>");
    w.Add(QStringLiteral("word/custom.bin"), QByteArray("\x01\x02\x03", 3));
    return w.Archive();
}

void FillTable(TDocTable* t)
{
    t->CellInsertAfter(1, 1, QStringLiteral("Name"));
    t->CellInsertAfter(1, 2, QStringLiteral("Value"));
    t->CellInsertAfter(2, 1, QStringLiteral("left"));
    t->CellInsertAfter(2, 2, QStringLiteral("12.5"));
    t->SetCellAlignment(2, 2, wdAlignParagraphRight);
    t->SetCellAlignment(1, 2, wdAlignParagraphCenter);
}

}  // namespace

TEST(DocumentFile, ANewDocumentGetsItsTextAndTableAtTheStart)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grid.docx"));
    auto app = OfficeProvider().CreateWordProcessor();
    EXPECT_FALSE(OfficeProvider().ConnectWordProcessor()) << "nothing is ever running";
    TDocument* doc = app->AddDocument();
    doc->SetShowSpellingErrors(false);
    app->TypeText(QStringLiteral("Grid caption"));
    app->TypeParagraph();
    TDocTable* t = doc->AddTable(doc->Range(0, 0), 2, 2);
    FillTable(t);
    doc->SaveAs(file);
    app->Quit();
    ExpectSoundPackage(file);

    auto back = TDocumentFile::Load(file);
    EXPECT_EQ(back->BlockOutline(), (QStringList{QStringLiteral("#table"), QStringLiteral("¶Grid caption"), QStringLiteral("¶")}));
    EXPECT_EQ(back->CellText(0, 2, 2), QStringLiteral("12.5"));

    if (!PythonHas(QStringLiteral("docx"))) {
        std::cout << "[ SKIPPED ] python3-docx is not installed: outside reader check skipped\n";
        return;
    }
    const TRunResult r = RunPython(QStringLiteral(
        "import sys, docx\n"
        "d = docx.Document(sys.argv[1])\n"
        "t = d.tables[0]\n"
        "for row in t.rows:\n"
        "  print([(c.text, str(c.paragraphs[0].alignment)) for c in row.cells])\n"
        "print([p.text for p in d.paragraphs])\n"), {file});
    ASSERT_EQ(r.ExitCode, 0) << r.Output.toStdString();
    EXPECT_EQ(r.Output.toStdString(),
              "[('Name', 'None'), ('Value', 'CENTER (1)')]\n"
              "[('left', 'None'), ('12.5', 'RIGHT (2)')]\n"
              "['Grid caption', '']\n");
}

TEST(DocumentFile, AppendingPutsTheTableAtTheBookmarkAndKeepsTheRest)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report.docx"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(BookmarkedDocument());
    }
    auto app = OfficeProvider().CreateWordProcessor();
    TDocument* doc = app->OpenDocument(file);
    app->TypeText(QStringLiteral("Caption"));
    app->TypeParagraph();
    ASSERT_TRUE(doc->BookmarkExists(QStringLiteral("GridHere")));
    EXPECT_FALSE(doc->BookmarkExists(QStringLiteral("Elsewhere")));
    EXPECT_THROW(doc->Goto(wdGoToBookmark, QStringLiteral("Elsewhere")), EOfficeError);
    FillTable(doc->AddTable(doc->Goto(wdGoToBookmark, QStringLiteral("GridHere")), 2, 2));
    doc->SaveAs(file);
    app->Quit();
    ExpectSoundPackage(file);

    auto back = TDocumentFile::Load(file);
    // The window text goes where the selection starts: in front of the document's first text.
    EXPECT_EQ(back->BlockOutline(), (QStringList{QStringLiteral("¶Caption"), QStringLiteral("¶Report"),
                                                 QStringLiteral("¶Table: "), QStringLiteral("#table"),
                                                 QStringLiteral("¶end"), QStringLiteral("¶Closing words")}));
    TZipArchiveReader zip;
    ASSERT_TRUE(zip.OpenFile(file));
    EXPECT_EQ(zip.Read(QStringLiteral("word/custom.bin")), QByteArray("\x01\x02\x03", 3));
    const QByteArray body = zip.Read(QStringLiteral("word/document.xml"));
    EXPECT_TRUE(body.contains("<w:r><w:rPr><w:b/></w:rPr><w:t>Report</w:t></w:r>")) << "formatting of untouched runs stays";

    if (PythonHas(QStringLiteral("docx"))) {
        const TRunResult r = RunPython(QStringLiteral(
            "import sys, docx\n"
            "d = docx.Document(sys.argv[1])\n"
            "print(len(d.tables), [c.text for c in d.tables[0].rows[1].cells])\n"), {file});
        EXPECT_EQ(r.Output.toStdString(), "1 ['left', '12.5']\n");
    }
}

TEST(DocumentFile, AppendingWithoutABookmarkPutsTheTableOnTheLastLine)
{
    auto app = OfficeProvider().CreateWordProcessor();
    TDocument* doc = app->AddDocument();
    app->TypeText(QStringLiteral("first"));
    app->TypeParagraph();
    doc->AddParagraph();
    app->SelectionGoto(wdGoToLine, wdGoToLast);
    const int end = app->SelectionEnd();
    doc->AddTable(doc->Range(end, end), 1, 3);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.docx"));
    doc->SaveAs(file);
    auto back = TDocumentFile::Load(file);
    EXPECT_EQ(back->BlockOutline(), (QStringList{QStringLiteral("¶first"), QStringLiteral("¶"), QStringLiteral("#table"),
                                                 QStringLiteral("¶")}));
    EXPECT_EQ(back->TableColumns(0), 3);
    EXPECT_THROW(app->SelectionGoto(1, 1), EOfficeError);
}

TEST(DocumentFile, TextInsertedInsideARunSplitsIt)
{
    TDocumentFile d;
    d.InsertText(0, QStringLiteral("abcdef"));
    const int after = d.InsertText(3, QStringLiteral("XY"));
    EXPECT_EQ(after, 5);
    EXPECT_EQ(d.ParagraphTexts(), QStringList{QStringLiteral("abcXYdef")});
    EXPECT_EQ(d.InsertParagraphBreak(4), 5);
    EXPECT_EQ(d.ParagraphTexts(), (QStringList{QStringLiteral("abcX"), QStringLiteral("Ydef")}));
    d.AddTable(7, 1, 1);   // inside "Ydef": the paragraph is split around the table
    EXPECT_EQ(d.BlockOutline(), (QStringList{QStringLiteral("¶abcX"), QStringLiteral("¶Yd"), QStringLiteral("#table"),
                                             QStringLiteral("¶ef")}));
}

TEST(DocumentFile, LegacyNamesAndDamagedFilesRaiseNamingTheFile)
{
    QTemporaryDir dir;
    auto app = OfficeProvider().CreateWordProcessor();
    TDocument* doc = app->AddDocument();
    const QString legacy = dir.filePath(QStringLiteral("grid.doc"));
    try {
        doc->SaveAs(legacy);
        FAIL() << "a .doc file was written";
    } catch (const EOfficeError& e) {
        EXPECT_TRUE(e.Message().contains(legacy));
    }
    EXPECT_FALSE(QFile::exists(legacy));
    EXPECT_THROW(app->OpenDocument(legacy), EOfficeError);
    const QString junk = dir.filePath(QStringLiteral("junk.docx"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("PK\x03\x04 not really");
    f.close();
    try {
        app->OpenDocument(junk);
        FAIL() << "a damaged file opened";
    } catch (const EOfficeError& e) {
        EXPECT_TRUE(e.Message().contains(junk));
    }
    EXPECT_THROW(doc->AddTable(doc->Range(0, 0), 0, 2), EOfficeError);
}

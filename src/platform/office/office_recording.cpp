#include "platform/office/office_recording.h"

namespace {

QString B(bool V) { return V ? QStringLiteral("True") : QStringLiteral("False"); }

// ---------------------------------------------------------------- spreadsheet

class TRecSheet : public TWorksheet {
public:
    TRecSheet(TRecordingOffice* Office, TRecordingOffice::TSheet* Sheet) : FOffice(Office), FSheet(Sheet) {}
    QString Name() const override
    {
        FOffice->Log(QStringLiteral("Sheet.Name"));
        return FSheet->Name;
    }
    void SetName(const QString& Name) override
    {
        FOffice->Log(QStringLiteral("Sheet.Name=") + Name);
        FSheet->Name = Name;
    }
    QString UsedRangeAddress() const override
    {
        FOffice->Log(QStringLiteral("UsedRange.Address"));
        if (!FSheet->UsedRange.isEmpty())
            return FSheet->UsedRange;
        if (FSheet->Cells.empty())
            return QStringLiteral("$A$1");
        int r1 = INT_MAX, c1 = INT_MAX, r2 = 0, c2 = 0;
        for (const auto& [k, v] : FSheet->Cells) {
            r1 = qMin(r1, k.first); r2 = qMax(r2, k.first);
            c1 = qMin(c1, k.second); c2 = qMax(c2, k.second);
        }
        QString a = QLatin1Char('$') + ColumnLetters(c1) + QLatin1Char('$') + QString::number(r1);
        if (r1 != r2 || c1 != c2)
            a += QStringLiteral(":$") + ColumnLetters(c2) + QLatin1Char('$') + QString::number(r2);
        return a;
    }
    TOfficeArray RangeValue(const QString& Address) const override
    {
        FOffice->Log(QStringLiteral("Range(") + Address + QStringLiteral(").Value"));
        int r1, c1, r2, c2;
        CheckRangeAddress(Address, r1, c1, r2, c2);
        TOfficeArray a(size_t(r2 - r1 + 1), std::vector<TOfficeValue>(size_t(c2 - c1 + 1)));
        for (const auto& [k, v] : FSheet->Cells)
            if (k.first >= r1 && k.first <= r2 && k.second >= c1 && k.second <= c2)
                a[size_t(k.first - r1)][size_t(k.second - c1)] = v;
        return a;
    }
    void SetRangeValue(const QString& Address, const TOfficeArray& Values) override
    {
        const size_t cols = Values.empty() ? 0 : Values[0].size();
        FOffice->Log(QStringLiteral("Range(%1).Value=%2x%3").arg(Address).arg(Values.size()).arg(cols));
        int r1, c1, r2, c2;
        CheckRangeAddress(Address, r1, c1, r2, c2);
        for (int r = r1; r <= r2 && size_t(r - r1) < Values.size(); ++r)
            for (int c = c1; c <= c2 && size_t(c - c1) < Values[size_t(r - r1)].size(); ++c)
                FSheet->Cells[{r, c}] = Values[size_t(r - r1)][size_t(c - c1)];
    }
    TOfficeValue Cells(int Row, int Column) const override
    {
        FOffice->Log(QStringLiteral("Rows.Cells(%1,%2)").arg(Row).arg(Column));
        const auto it = FSheet->Cells.find({Row, Column});
        return it == FSheet->Cells.end() ? TOfficeValue() : it->second;
    }

private:
    TRecordingOffice* FOffice;
    TRecordingOffice::TSheet* FSheet;
};

class TRecBook : public TWorkbook {
public:
    TRecBook(TRecordingOffice* Office, TRecordingOffice::TBook Book) : FOffice(Office), FBook(std::move(Book)) { Wrap(); }
    int SheetCount() const override
    {
        FOffice->Log(QStringLiteral("WorkSheets.Count"));
        return int(FBook.Sheets.size());
    }
    TWorksheet* Sheets(int Index) override
    {
        FOffice->Log(QStringLiteral("Sheets(%1)").arg(Index));
        if (Index < 1 || Index > int(FWrapped.size()))
            throw EOfficeError(QStringLiteral("Worksheet %1 does not exist").arg(Index));
        return FWrapped[size_t(Index - 1)].get();
    }
    TWorksheet* AddSheet() override
    {
        FOffice->Log(QStringLiteral("WorkSheets.Add"));
        FBook.Sheets.push_back(TRecordingOffice::TSheet{QStringLiteral("Sheet%1").arg(FBook.Sheets.size() + 1), {}, {}});
        Wrap();
        FBook.ActiveSheet = int(FBook.Sheets.size());
        return FWrapped.back().get();
    }
    TWorksheet* ActiveSheet() override
    {
        FOffice->Log(QStringLiteral("ActiveSheet"));
        return FWrapped.at(size_t(qBound(1, FBook.ActiveSheet, int(FWrapped.size())) - 1)).get();
    }
    bool Saved() const override { return FSaved; }
    void SetSaved(bool Value) override
    {
        FOffice->Log(QStringLiteral("Saved=") + B(Value));
        FSaved = Value;
    }
    void Save() override
    {
        FOffice->Log(QStringLiteral("Save"));
        Store();
    }
    void SaveAs(const QString& FileName) override
    {
        FOffice->Log(QStringLiteral("SaveAs(") + FileName + QLatin1Char(')'));
        FBook.FileName = FileName;
        Store();
    }
    void Close(bool SaveChanges) override
    {
        FOffice->Log(QStringLiteral("Close(") + B(SaveChanges) + QLatin1Char(')'));
        FClosed = true;
    }
    bool Closed() const { return FClosed; }
    int ActiveCellRow() const { return FBook.ActiveCellRow; }

private:
    void Wrap()
    {
        // Sheets live in a vector that grows: wrap them anew so no pointer goes stale.
        for (size_t i = 0; i < FBook.Sheets.size(); ++i) {
            if (i < FWrapped.size())
                *FWrapped[i] = TRecSheet(FOffice, &FBook.Sheets[i]);
            else
                FWrapped.push_back(std::make_unique<TRecSheet>(FOffice, &FBook.Sheets[i]));
        }
    }
    void Store()
    {
        FSaved = true;
        FOffice->SavedBooks.push_back(FBook);
        for (auto& f : FOffice->BookFiles)
            if (f.FileName == FBook.FileName) {
                f = FBook;
                return;
            }
        FOffice->BookFiles.push_back(FBook);
    }
    TRecordingOffice* FOffice;
    TRecordingOffice::TBook FBook;
    std::vector<std::unique_ptr<TRecSheet>> FWrapped;
    bool FSaved = true;
    bool FClosed = false;
};

class TRecSpreadsheet : public TSpreadsheetApp {
public:
    explicit TRecSpreadsheet(TRecordingOffice* Office) : FOffice(Office) {}
    TWorkbook* OpenWorkbook(const QString& FileName) override
    {
        FOffice->Log(QStringLiteral("WorkBooks.Open(") + FileName + QLatin1Char(')'));
        for (const auto& f : FOffice->BookFiles)
            if (f.FileName == FileName) {
                FBooks.push_back(std::make_unique<TRecBook>(FOffice, f));
                return FBooks.back().get();
            }
        throw EOfficeError(QStringLiteral("Cannot open ") + FileName);
    }
    TWorkbook* AddWorkbook() override
    {
        FOffice->Log(QStringLiteral("WorkBooks.Add"));
        FBooks.push_back(std::make_unique<TRecBook>(FOffice, TRecordingOffice::TBook{}));
        return FBooks.back().get();
    }
    int WorkbookCount() const override
    {
        FOffice->Log(QStringLiteral("WorkBooks.Count"));
        int n = 0;
        for (const auto& b : FBooks)
            n += !b->Closed();
        return n;
    }
    TWorkbook* ActiveWorkBook() override
    {
        FOffice->Log(QStringLiteral("ActiveWorkBook"));
        return Active();
    }
    TWorksheet* ActiveSheet() override
    {
        FOffice->Log(QStringLiteral("ActiveSheet"));
        return Active() ? Active()->ActiveSheet() : nullptr;
    }
    int ActiveCellRow() override
    {
        FOffice->Log(QStringLiteral("ActiveCell.Row"));
        return Active() ? Active()->ActiveCellRow() : 1;
    }
    void Quit() override
    {
        FOffice->Log(QStringLiteral("Quit"));
        ++FOffice->SpreadsheetsQuit;
        FBooks.clear();
    }
    std::vector<std::unique_ptr<TRecBook>> FBooks;

private:
    TRecBook* Active()
    {
        for (auto it = FBooks.rbegin(); it != FBooks.rend(); ++it)
            if (!(*it)->Closed())
                return it->get();
        return nullptr;
    }
    TRecordingOffice* FOffice;
};

// ---------------------------------------------------------------- word processor

class TRecTable : public TDocTable {
public:
    TRecTable(TRecordingOffice* Office, TRecordingOffice::TDoc* Doc, size_t Index) : FOffice(Office), FDoc(Doc), FIndex(Index) {}
    void CellInsertAfter(int Row, int Column, const QString& Text) override
    {
        FOffice->Log(QStringLiteral("Cell(%1,%2).Range.InsertAfter(%3)").arg(Row).arg(Column).arg(Text));
        Check(Row, Column);
        Table().Text[{Row, Column}] += Text;
    }
    void SetCellAlignment(int Row, int Column, int Alignment) override
    {
        FOffice->Log(QStringLiteral("Cell(%1,%2).Range.ParagraphFormat.Alignment=%3").arg(Row).arg(Column).arg(Alignment));
        Check(Row, Column);
        Table().Alignment[{Row, Column}] = Alignment;
    }
    int RowCount() const override { return Table().Rows; }
    int ColumnCount() const override { return Table().Columns; }

private:
    TRecordingOffice::TDoc::TTable& Table() const { return FDoc->Tables[FIndex]; }
    void Check(int Row, int Column) const
    {
        if (Row < 1 || Row > Table().Rows || Column < 1 || Column > Table().Columns)
            throw EOfficeError(QStringLiteral("The table has no cell (%1, %2)").arg(Row).arg(Column));
    }
    TRecordingOffice* FOffice;
    TRecordingOffice::TDoc* FDoc;
    size_t FIndex;
};

class TRecDocument : public TDocument {
public:
    TRecDocument(TRecordingOffice* Office, TRecordingOffice::TDoc Doc) : FOffice(Office), FDoc(std::move(Doc)) {}
    void SetShowSpellingErrors(bool Value) override
    {
        FOffice->Log(QStringLiteral("ShowSpellingErrors=") + B(Value));
        FDoc.ShowSpellingErrors = Value;
    }
    bool BookmarkExists(const QString& Name) const override
    {
        FOffice->Log(QStringLiteral("Bookmarks.Exists(") + Name + QLatin1Char(')'));
        return FDoc.Bookmarks.contains(Name);
    }
    TDocRange Goto(int What, const QString& Name) override
    {
        FOffice->Log(QStringLiteral("Goto(%1,%2)").arg(What).arg(Name));
        const int i = int(FDoc.Bookmarks.indexOf(Name));
        if (What != wdGoToBookmark || i < 0)
            throw EOfficeError(QStringLiteral("Bookmark ") + Name + QStringLiteral(" not found"));
        // Bookmarks stand at scripted positions 1000, 2000, ...
        return TDocRange{1000 * (i + 1), 1000 * (i + 1)};
    }
    void AddParagraph() override
    {
        FOffice->Log(QStringLiteral("Paragraphs.Add"));
        ++FDoc.Paragraphs;
    }
    TDocRange Range(int Start, int End) const override
    {
        FOffice->Log(QStringLiteral("Range(%1,%2)").arg(Start).arg(End));
        return TDocRange{Start, End};
    }
    TDocTable* AddTable(const TDocRange& Where, int NumRows, int NumColumns) override
    {
        FOffice->Log(QStringLiteral("Tables.Add(%1,%2,%3)").arg(Where.Start).arg(NumRows).arg(NumColumns));
        TRecordingOffice::TDoc::TTable t;
        t.Rows = NumRows;
        t.Columns = NumColumns;
        t.At = Where;
        FDoc.Tables.push_back(t);
        FTables.push_back(std::make_unique<TRecTable>(FOffice, &FDoc, FDoc.Tables.size() - 1));
        return FTables.back().get();
    }
    void SaveAs(const QString& FileName) override
    {
        FOffice->Log(QStringLiteral("SaveAs(") + FileName + QLatin1Char(')'));
        FDoc.FileName = FileName;
        FOffice->SavedDocuments.push_back(FDoc);
    }
    TRecordingOffice::TDoc& Doc() { return FDoc; }
    int Selection = 0;

private:
    TRecordingOffice* FOffice;
    TRecordingOffice::TDoc FDoc;
    std::vector<std::unique_ptr<TRecTable>> FTables;
};

class TRecWord : public TWordApp {
public:
    explicit TRecWord(TRecordingOffice* Office) : FOffice(Office) {}
    TDocument* OpenDocument(const QString& FileName) override
    {
        FOffice->Log(QStringLiteral("Documents.Open(") + FileName + QLatin1Char(')'));
        for (const auto& d : FOffice->DocumentFiles)
            if (d.FileName == FileName) {
                FDocs.push_back(std::make_unique<TRecDocument>(FOffice, d));
                return FDocs.back().get();
            }
        throw EOfficeError(QStringLiteral("Cannot open ") + FileName);
    }
    int DocumentCount() const override
    {
        FOffice->Log(QStringLiteral("Documents.Count"));
        return int(FDocs.size());
    }
    TDocument* AddDocument() override
    {
        FOffice->Log(QStringLiteral("Documents.Add"));
        FDocs.push_back(std::make_unique<TRecDocument>(FOffice, TRecordingOffice::TDoc{}));
        return FDocs.back().get();
    }
    TDocument* ActiveDocument() override
    {
        FOffice->Log(QStringLiteral("ActiveDocument"));
        return FDocs.empty() ? nullptr : FDocs.back().get();
    }
    void TypeText(const QString& Text) override
    {
        FOffice->Log(QStringLiteral("Selection.TypeText(") + Text + QLatin1Char(')'));
        Doc().Doc().Typed << Text;
        Doc().Selection += int(Text.size());
    }
    void TypeParagraph() override
    {
        FOffice->Log(QStringLiteral("Selection.TypeParagraph"));
        Doc().Doc().Typed << QStringLiteral("¶");
        ++Doc().Doc().Paragraphs;
        ++Doc().Selection;
    }
    void SelectionGoto(int What, int Which) override
    {
        FOffice->Log(QStringLiteral("Selection.Goto(%1,%2)").arg(What).arg(Which));
        // The last line starts at a scripted position: 500 per paragraph.
        Doc().Selection = 500 * Doc().Doc().Paragraphs;
    }
    int SelectionEnd() const override
    {
        FOffice->Log(QStringLiteral("Selection.End"));
        return FDocs.empty() ? 0 : FDocs.back()->Selection;
    }
    void Quit() override
    {
        FOffice->Log(QStringLiteral("Quit"));
        ++FOffice->WordsQuit;
        FDocs.clear();
    }
    std::vector<std::unique_ptr<TRecDocument>> FDocs;

private:
    TRecDocument& Doc()
    {
        if (FDocs.empty())
            throw EOfficeError(QStringLiteral("No document is open"));
        return *FDocs.back();
    }
    TRecordingOffice* FOffice;
};

// ---------------------------------------------------------------- database

class TRecConnection : public TDbConnection {
public:
    explicit TRecConnection(TRecordingOffice* Office) : FOffice(Office) {}
    void Open(const QString& ConnectionText) override { FOffice->Log(QStringLiteral("Connection.Open(") + ConnectionText + QLatin1Char(')')); }
    void Close() override { FOffice->Log(QStringLiteral("Connection.Close")); }

private:
    TRecordingOffice* FOffice;
};

class TRecRecordSet : public TDbRecordSet {
public:
    explicit TRecRecordSet(TRecordingOffice* Office) : FOffice(Office) {}
    void SetActiveConnection(TDbConnection*) override { FOffice->Log(QStringLiteral("RecordSet.ActiveConnection")); }
    void Open(const QString& SQL) override
    {
        FOffice->Log(QStringLiteral("RecordSet.Open(") + SQL + QLatin1Char(')'));
        FRow = 0;
    }
    int FieldCount() const override
    {
        FOffice->Log(QStringLiteral("Fields.Count"));
        return int(FOffice->Fields.size());
    }
    QString FieldName(int Index) const override
    {
        FOffice->Log(QStringLiteral("Fields(%1).Name").arg(Index));
        return FOffice->Fields.value(Index);
    }
    QString FieldValue(int Index) const override
    {
        FOffice->Log(QStringLiteral("Fields(%1).Value").arg(Index));
        const auto* v = Field(Index);
        return v && *v ? **v : QString();
    }
    int FieldActualSize(int Index) const override
    {
        FOffice->Log(QStringLiteral("Fields(%1).ActualSize").arg(Index));
        const auto* v = Field(Index);
        return v && *v ? int((*v)->toUtf8().size()) : 0;
    }
    int RecordCount() const override
    {
        FOffice->Log(QStringLiteral("RecordCount"));
        return FOffice->ReportRecordCount ? int(FOffice->Records.size()) : -1;
    }
    bool Eof() const override
    {
        FOffice->Log(QStringLiteral("Eof"));
        return FRow >= FOffice->Records.size();
    }
    void MoveNext() override
    {
        FOffice->Log(QStringLiteral("MoveNext"));
        if (FRow < FOffice->Records.size())
            ++FRow;
    }
    void Close() override { FOffice->Log(QStringLiteral("RecordSet.Close")); }

private:
    const std::optional<QString>* Field(int Index) const
    {
        if (FRow >= FOffice->Records.size() || Index < 0 || size_t(Index) >= FOffice->Records[FRow].size())
            return nullptr;
        return &FOffice->Records[FRow][size_t(Index)];
    }
    TRecordingOffice* FOffice;
    size_t FRow = 0;
};

}  // namespace

void TRecordingOffice::Log(const QString& Call)
{
    Calls << Call;
    if (!FailOn.isEmpty() && Call.startsWith(FailOn))
        throw EOfficeError(QStringLiteral("Scripted failure at ") + Call);
}

std::shared_ptr<TSpreadsheetApp> TRecordingOffice::CreateSpreadsheet()
{
    Log(QStringLiteral("Spreadsheet.Create"));
    if (!SpreadsheetInstalled)
        return nullptr;
    ++SpreadsheetsCreated;
    return std::make_shared<TRecSpreadsheet>(this);
}

std::shared_ptr<TSpreadsheetApp> TRecordingOffice::ConnectSpreadsheet()
{
    Log(QStringLiteral("Spreadsheet.Connect"));
    if (!SpreadsheetInstalled || !SpreadsheetRunning)
        return nullptr;
    auto app = std::make_shared<TRecSpreadsheet>(this);
    app->FBooks.push_back(std::make_unique<TRecBook>(this, RunningBook));
    return app;
}

std::shared_ptr<TWordApp> TRecordingOffice::CreateWordProcessor()
{
    Log(QStringLiteral("Word.Create"));
    if (!WordInstalled)
        return nullptr;
    ++WordsCreated;
    return std::make_shared<TRecWord>(this);
}

std::shared_ptr<TWordApp> TRecordingOffice::ConnectWordProcessor()
{
    Log(QStringLiteral("Word.Connect"));
    if (!WordInstalled || !WordRunning)
        return nullptr;
    auto app = std::make_shared<TRecWord>(this);
    app->FDocs.push_back(std::make_unique<TRecDocument>(this, RunningDocument));
    return app;
}

std::unique_ptr<TDbConnection> TRecordingOffice::CreateConnection()
{
    Log(QStringLiteral("Connection.Create"));
    return std::make_unique<TRecConnection>(this);
}

std::unique_ptr<TDbRecordSet> TRecordingOffice::CreateRecordSet()
{
    Log(QStringLiteral("RecordSet.Create"));
    return std::make_unique<TRecRecordSet>(this);
}

// The file-backed office objects behind the automation interfaces.
#include "platform/office/database_file.h"
#include "platform/office/document_file.h"
#include "platform/office/office_automation.h"
#include "platform/office/spreadsheet_file.h"

#include "platform/core/files.h"

void CheckRangeAddress(const QString& Address, int& R1, int& C1, int& R2, int& C2)
{
    if (!ParseRangeAddress(Address, R1, C1, R2, C2))
        throw EOfficeError(QStringLiteral("Invalid range ") + Address);
    // A range read builds every element: keep the block within reason.
    if (qint64(R2 - R1 + 1) * (C2 - C1 + 1) > 20'000'000)
        throw EOfficeError(QStringLiteral("Range ") + Address + QStringLiteral(" is too large"));
}

namespace {

// ---------------------------------------------------------------- spreadsheet

class TFileWorksheet : public TWorksheet {
public:
    TFileWorksheet(TSpreadsheetFile* File, int Index, bool* Saved) : FFile(File), FIndex(Index), FSaved(Saved) {}
    QString Name() const override { return FFile->SheetName(FIndex); }
    void SetName(const QString& Name) override
    {
        FFile->SetSheetName(FIndex, Name);
        *FSaved = false;
    }
    QString UsedRangeAddress() const override
    {
        int r1 = 1, c1 = 1, r2 = 1, c2 = 1;
        FFile->UsedRange(FIndex, r1, c1, r2, c2);
        QString a = QLatin1Char('$') + ColumnLetters(c1) + QLatin1Char('$') + QString::number(r1);
        if (r1 != r2 || c1 != c2)
            a += QStringLiteral(":$") + ColumnLetters(c2) + QLatin1Char('$') + QString::number(r2);
        return a;
    }
    TOfficeArray RangeValue(const QString& Address) const override
    {
        int r1, c1, r2, c2;
        CheckRangeAddress(Address, r1, c1, r2, c2);
        TOfficeArray a(size_t(r2 - r1 + 1), std::vector<TOfficeValue>(size_t(c2 - c1 + 1)));
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                a[size_t(r - r1)][size_t(c - c1)] = FFile->Cell(FIndex, r, c);
        return a;
    }
    void SetRangeValue(const QString& Address, const TOfficeArray& Values) override
    {
        int r1, c1, r2, c2;
        CheckRangeAddress(Address, r1, c1, r2, c2);
        // The overlap of the range and the block is written.
        for (int r = r1; r <= r2 && size_t(r - r1) < Values.size(); ++r) {
            const auto& row = Values[size_t(r - r1)];
            for (int c = c1; c <= c2 && size_t(c - c1) < row.size(); ++c)
                FFile->SetCell(FIndex, r, c, row[size_t(c - c1)]);
        }
        *FSaved = false;
    }
    TOfficeValue Cells(int Row, int Column) const override { return FFile->Cell(FIndex, Row, Column); }

private:
    TSpreadsheetFile* FFile;
    int FIndex;
    bool* FSaved;
};

class TFileWorkbook : public TWorkbook {
public:
    TFileWorkbook(std::unique_ptr<TSpreadsheetFile> File, const QString& FileName)
        : FFile(std::move(File)), FFileName(FileName) {}
    int SheetCount() const override { return FFile->SheetCount(); }
    TWorksheet* Sheets(int Index) override
    {
        if (Index < 1 || Index > SheetCount())
            throw EOfficeError(QStringLiteral("Worksheet %1 does not exist").arg(Index));
        while (int(FSheets.size()) < SheetCount())
            FSheets.push_back(std::make_unique<TFileWorksheet>(FFile.get(), int(FSheets.size()), &FSaved));
        return FSheets[size_t(Index - 1)].get();
    }
    TWorksheet* AddSheet() override
    {
        const int i = FFile->AddSheet();
        FSaved = false;
        return Sheets(i + 1);
    }
    TWorksheet* ActiveSheet() override { return Sheets(FFile->ActiveSheet() + 1); }
    bool Saved() const override { return FSaved; }
    void SetSaved(bool Value) override { FSaved = Value; }
    void Save() override
    {
        if (FFileName.isEmpty())
            throw EOfficeError(QStringLiteral("The workbook has no file name yet: save it under a name"));
        SaveAs(FFileName);
    }
    void SaveAs(const QString& FileName) override
    {
        FFile->SaveToFile(FileName);
        FFileName = FileName;
        FSaved = true;
    }
    void Close(bool SaveChanges) override
    {
        if (SaveChanges && !FSaved)
            Save();
        FClosed = true;
    }
    bool Closed() const { return FClosed; }
    int ActiveCellRow() const { return FFile->ActiveCellRow(FFile->ActiveSheet()); }

private:
    std::unique_ptr<TSpreadsheetFile> FFile;
    QString FFileName;
    std::vector<std::unique_ptr<TFileWorksheet>> FSheets;
    bool FSaved = true;
    bool FClosed = false;
};

class TFileSpreadsheetApp : public TSpreadsheetApp {
public:
    TWorkbook* OpenWorkbook(const QString& FileName) override
    {
        FBooks.push_back(std::make_unique<TFileWorkbook>(TSpreadsheetFile::Load(FileName), FileName));
        return FBooks.back().get();
    }
    TWorkbook* AddWorkbook() override
    {
        FBooks.push_back(std::make_unique<TFileWorkbook>(std::make_unique<TSpreadsheetFile>(), QString()));
        return FBooks.back().get();
    }
    int WorkbookCount() const override
    {
        int n = 0;
        for (const auto& b : FBooks)
            n += !b->Closed();
        return n;
    }
    TWorkbook* ActiveWorkBook() override { return Active(); }
    TWorksheet* ActiveSheet() override { return Active() ? Active()->ActiveSheet() : nullptr; }
    int ActiveCellRow() override { return Active() ? Active()->ActiveCellRow() : 1; }
    // Closed workbooks stay allocated until here, so no pointer handed out dangles.
    void Quit() override { FBooks.clear(); }

private:
    TFileWorkbook* Active()
    {
        for (auto it = FBooks.rbegin(); it != FBooks.rend(); ++it)
            if (!(*it)->Closed())
                return it->get();
        return nullptr;
    }
    std::vector<std::unique_ptr<TFileWorkbook>> FBooks;
};

// ---------------------------------------------------------------- word processor

class TFileDocTable : public TDocTable {
public:
    TFileDocTable(TDocumentFile* File, int Index) : FFile(File), FIndex(Index) {}
    void CellInsertAfter(int Row, int Column, const QString& Text) override { FFile->CellInsertAfter(FIndex, Row, Column, Text); }
    void SetCellAlignment(int Row, int Column, int Alignment) override { FFile->SetCellAlignment(FIndex, Row, Column, Alignment); }
    int RowCount() const override { return FFile->TableRows(FIndex); }
    int ColumnCount() const override { return FFile->TableColumns(FIndex); }

private:
    TDocumentFile* FFile;
    int FIndex;
};

class TFileDocument : public TDocument {
public:
    explicit TFileDocument(std::unique_ptr<TDocumentFile> File) : FFile(std::move(File)) {}
    void SetShowSpellingErrors(bool Value) override { FShowSpelling = Value; }
    bool BookmarkExists(const QString& Name) const override { return FFile->BookmarkExists(Name); }
    TDocRange Goto(int What, const QString& Name) override
    {
        const int at = What == wdGoToBookmark ? FFile->BookmarkPosition(Name) : -1;
        if (at < 0)
            throw EOfficeError(QStringLiteral("Bookmark ") + Name + QStringLiteral(" not found"));
        return TDocRange{at, at};
    }
    void AddParagraph() override { FFile->AppendParagraph(); }
    TDocRange Range(int Start, int End) const override
    {
        const int len = FFile->Length();
        return TDocRange{qBound(0, Start, len), qBound(0, End, len)};
    }
    TDocTable* AddTable(const TDocRange& Where, int NumRows, int NumColumns) override
    {
        const int index = FFile->AddTable(Where.Start, NumRows, NumColumns);
        FTables.push_back(std::make_unique<TFileDocTable>(FFile.get(), index));
        return FTables.back().get();
    }
    void SaveAs(const QString& FileName) override { FFile->SaveToFile(FileName); }
    TDocumentFile* File() { return FFile.get(); }
    int Selection = 0;

private:
    std::unique_ptr<TDocumentFile> FFile;
    std::vector<std::unique_ptr<TFileDocTable>> FTables;
    bool FShowSpelling = true;
};

class TFileWordApp : public TWordApp {
public:
    TDocument* OpenDocument(const QString& FileName) override
    {
        if (FileName.endsWith(QLatin1String(".doc"), Qt::CaseInsensitive))
            throw EOfficeError(QStringLiteral("Cannot open ") + FileName +
                               QStringLiteral(": legacy documents (.doc) are not supported; use .docx"));
        FDocs.push_back(std::make_unique<TFileDocument>(TDocumentFile::Load(FileName)));
        return FDocs.back().get();
    }
    int DocumentCount() const override { return int(FDocs.size()); }
    TDocument* AddDocument() override
    {
        FDocs.push_back(std::make_unique<TFileDocument>(std::make_unique<TDocumentFile>()));
        return FDocs.back().get();
    }
    TDocument* ActiveDocument() override { return FDocs.empty() ? nullptr : FDocs.back().get(); }
    void TypeText(const QString& Text) override
    {
        TFileDocument& d = Doc();
        d.Selection = d.File()->InsertText(d.Selection, Text);
    }
    void TypeParagraph() override
    {
        TFileDocument& d = Doc();
        d.Selection = d.File()->InsertParagraphBreak(d.Selection);
    }
    void SelectionGoto(int What, int Which) override
    {
        if (What != wdGoToLine || Which != wdGoToLast)
            throw EOfficeError(QStringLiteral("Goto(%1, %2) is not supported").arg(What).arg(Which));
        TFileDocument& d = Doc();
        d.Selection = d.File()->LastLineStart();
    }
    int SelectionEnd() const override { return FDocs.empty() ? 0 : FDocs.back()->Selection; }
    void Quit() override { FDocs.clear(); }

private:
    TFileDocument& Doc()
    {
        if (FDocs.empty())
            throw EOfficeError(QStringLiteral("No document is open"));
        return *FDocs.back();
    }
    std::vector<std::unique_ptr<TFileDocument>> FDocs;
};

// ---------------------------------------------------------------- database

class TFileDbConnection : public TDbConnection {
public:
    void Open(const QString& ConnectionText) override
    {
        const QString file = ConnectionFileName(ConnectionText);
        if (file.isEmpty())
            throw EOfficeError(QStringLiteral("The connection names no database file (DBQ=): ") + ConnectionText);
        if (!FileExists(file))
            throw EOfficeError(QStringLiteral("Cannot open database ") + file + QStringLiteral(": the file does not exist"));
        FFile = file;
    }
    void Close() override { FFile.clear(); }
    const QString& File() const { return FFile; }

private:
    QString FFile;
};

class TFileDbRecordSet : public TDbRecordSet {
public:
    void SetActiveConnection(TDbConnection* Connection) override { FConnection = dynamic_cast<TFileDbConnection*>(Connection); }
    void Open(const QString& SQL) override
    {
        if (!FConnection || FConnection->File().isEmpty())
            throw EOfficeError(QStringLiteral("The record set has no open connection"));
        FResult = RunDatabaseQuery(FConnection->File(), SQL);
        FRow = 0;
    }
    int FieldCount() const override { return int(FResult.Columns.size()); }
    QString FieldName(int Index) const override { return FResult.Columns.value(Index); }
    QString FieldValue(int Index) const override
    {
        const auto* v = Field(Index);
        return v && *v ? **v : QString();
    }
    int FieldActualSize(int Index) const override
    {
        const auto* v = Field(Index);
        return v && *v ? int((*v)->toUtf8().size()) : 0;
    }
    int RecordCount() const override { return int(FResult.Rows.size()); }
    bool Eof() const override { return FRow >= FResult.Rows.size(); }
    void MoveNext() override
    {
        if (!Eof())
            ++FRow;
    }
    void Close() override { FResult = TQueryResult(); FRow = 0; }

private:
    const std::optional<QString>* Field(int Index) const
    {
        if (Eof() || Index < 0 || size_t(Index) >= FResult.Rows[FRow].size())
            return nullptr;
        return &FResult.Rows[FRow][size_t(Index)];
    }
    TFileDbConnection* FConnection = nullptr;
    TQueryResult FResult;
    size_t FRow = 0;
};

class TFileOfficeProvider : public TOfficeProvider {
public:
    std::shared_ptr<TSpreadsheetApp> CreateSpreadsheet() override { return std::make_shared<TFileSpreadsheetApp>(); }
    std::shared_ptr<TSpreadsheetApp> ConnectSpreadsheet() override { return nullptr; }
    std::shared_ptr<TWordApp> CreateWordProcessor() override { return std::make_shared<TFileWordApp>(); }
    std::shared_ptr<TWordApp> ConnectWordProcessor() override { return nullptr; }
    std::unique_ptr<TDbConnection> CreateConnection() override { return std::make_unique<TFileDbConnection>(); }
    std::unique_ptr<TDbRecordSet> CreateRecordSet() override { return std::make_unique<TFileDbRecordSet>(); }
};

}  // namespace

TOfficeProvider& DefaultOfficeProvider()
{
    static TFileOfficeProvider provider;
    return provider;
}

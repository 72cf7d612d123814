// The grid's exchange with spreadsheet workbooks, word-processor documents and database
// files, as a sequence of calls on the office objects of platform/office (a spreadsheet
// application, a word processor, a connection and its record set). Which cells, in what
// order, at which offsets and with which texts is decided here; the files themselves
// are the office layer's.
//
// Every failure leaves as EKvGridError (the office layer's message kept), the hourglass
// comes down on every path, and an application is quit only when this code created it.
#include "grid/kv_string_grid.h"

#include "grid/grid_text.h"
#include "platform/core/files.h"
#include "platform/office/office_automation.h"
#include "platform/ui/forms.h"

namespace {

const QString ExcelNotFound = QStringLiteral("Excel OLE server not found");

std::shared_ptr<TSpreadsheetApp> CreateSpreadsheetApp()
{
    std::shared_ptr<TSpreadsheetApp> app = OfficeProvider().CreateSpreadsheet();
    if (!app) throw EKvGridError(ExcelNotFound);
    return app;
}

// Runs an office operation: office errors become the grid's, with their text.
template <class F>
auto OfficeCall(F&& Operation)
{
    try {
        return Operation();
    } catch (const EOfficeError& e) {
        throw EKvGridError(e.Message());
    }
}

// Quits an application when it goes out of scope, if this code created it.
class TQuitScope {
public:
    TQuitScope(std::function<void()> Quit, bool Owned) : FQuit(std::move(Quit)), FOwned(Owned) {}
    ~TQuitScope()
    {
        if (!FOwned) return;
        try {
            FQuit();
        } catch (const Exception&) {
            // An application that fails to quit must not hide the error that ended the work.
        }
    }
    TQuitScope(const TQuitScope&) = delete;
    TQuitScope& operator=(const TQuitScope&) = delete;

private:
    std::function<void()> FQuit;
    bool FOwned;
};

// Column letters of A1-style addresses: "A", "AB", ...
int LettersToColumn(const QString& Letters)
{
    int c = 0;
    for (QChar ch : Letters) {
        const char16_t u = ch.toUpper().unicode();
        if (u < u'A' || u > u'Z') return -1;
        c = std::min(c * 26 + (u - u'A' + 1), 1 << 20);
    }
    return Letters.isEmpty() ? -1 : c;
}

// One part of a used-range address without its leading "$": the letters before the
// next "$" are the column, the text after it the row (-1 for either that is no number).
void ParseRangePart(const QString& Part, int& Col, int& Row)
{
    const qsizetype dollar = Part.indexOf(QLatin1Char('$'));
    Col = LettersToColumn(Part.left(dollar));
    bool ok = false;
    Row = Part.mid(dollar + 1).toInt(&ok);
    if (!ok) Row = -1;
}

QString StripDollar(const QString& Part)
{
    return Part.startsWith(QLatin1Char('$')) ? Part.mid(1) : Part;
}

// A used-range address ("$A$1:$D$10", "$A$1", "A1", "$2:$5") as its first and last column
// and row; -1 for a part that cannot be read.
void ParseUsedRange(const QString& Address, int& FirstCol, int& FirstRow, int& LastCol, int& LastRow, bool& Single)
{
    const qsizetype colon = Address.indexOf(QLatin1Char(':'));
    Single = colon < 0;
    if (!Single) {
        const QString first = StripDollar(Address.left(colon));
        const QString last = StripDollar(Address.mid(colon + 1, 255));
        if (!first.contains(QLatin1Char('$'))) {
            // Whole rows: every column a sheet of this format had.
            FirstCol = 1;
            LastCol = 256;
            bool ok = false;
            FirstRow = first.toInt(&ok);
            if (!ok) FirstRow = -1;
            LastRow = last.toInt(&ok);
            if (!ok) LastRow = -1;
            return;
        }
        ParseRangePart(first, FirstCol, FirstRow);
        ParseRangePart(last, LastCol, LastRow);
        return;
    }
    if (!Address.contains(QLatin1Char('$'))) {
        FirstCol = LastCol = FirstRow = LastRow = 1;
        return;
    }
    ParseRangePart(StripDollar(Address), FirstCol, FirstRow);
    LastCol = FirstCol;
    LastRow = FirstRow;
}

TWorksheet* SheetNamed(TWorkbook* Book, const QString& Name)
{
    TWorksheet* found = nullptr;
    const int n = Book->SheetCount();
    for (int i = 1; i <= n; ++i) {
        TWorksheet* s = Book->Sheets(i);
        if (s->Name() == Name) found = s;
    }
    return found;
}

}  // namespace

// ============================================================ spreadsheet

std::unique_ptr<TStringList> TKvStringGrid::GetXLSSheets(const QString& FileName)
{
    TCursorScope hourglass(crHourGlass);
    return OfficeCall([&] {
        std::shared_ptr<TSpreadsheetApp> app = CreateSpreadsheetApp();
        TQuitScope quit([&] { app->Quit(); }, true);
        auto names = std::make_unique<TStringList>();
        TWorkbook* book = app->OpenWorkbook(FileName);
        const int n = book->SheetCount();
        for (int i = 1; i <= n; ++i) names->Add(book->Sheets(i)->Name());
        book->SetSaved(true);
        return names;
    });
}

void TKvStringGrid::LoadFromXLS(const QString& Filename) { ImportXLS(Filename, QString()); }

void TKvStringGrid::LoadFromXLSSheet(const QString& Filename, const QString& SheetName)
{
    ImportXLS(Filename, SheetName);
}

void TKvStringGrid::ImportXLS(const QString& Filename, const QString& SheetName)
{
    TCursorScope hourglass(crHourGlass);
    // The grid is told of its cells however the import ends.
    try {
        ImportXLSSheet(Filename, SheetName);
    } catch (...) {
        NotifyCellsLoaded();
        throw;
    }
    NotifyCellsLoaded();
}

void TKvStringGrid::ImportXLSSheet(const QString& Filename, const QString& SheetName)
{
    OfficeCall([&] {
        std::shared_ptr<TSpreadsheetApp> app = CreateSpreadsheetApp();
        TQuitScope quit([&] { app->Quit(); }, true);
        TWorkbook* book = app->OpenWorkbook(Filename);
        TQuitScope close([&] { book->Close(false); }, true);
        TWorksheet* sheet = nullptr;
        if (!SheetName.isEmpty()) {
            sheet = SheetNamed(book, SheetName);
            if (!sheet)
                throw EKvGridError(QStringLiteral("Excel worksheet ") + SheetName + QStringLiteral(" not found"));
        } else {
            sheet = app->ActiveSheet();
        }
        int c1 = -1, r1 = -1, c2 = -1, r2 = -1;
        bool single = false;
        ParseUsedRange(sheet->UsedRangeAddress(), c1, r1, c2, r2, single);
        const int fixedCols = FixedCols(), fixedRows = FixedRows();
        const bool known = c1 != -1 && r1 != -1 && c2 != -1 && r2 != -1;
        if (known) {
            SetColCount(c2 - c1 + 1);
            SetRowCount(r2 - r1 + 1);
        }
        const int colOffset = SaveFixedCells() || FSaveFixedCols ? 0 : fixedCols;
        const int rowOffset = SaveFixedCells() || FSaveFixedRows ? 0 : fixedRows;
        SetColCount(ColCount() + colOffset);
        SetRowCount(RowCount() + rowOffset);
        if (fixedCols < ColCount()) SetFixedCols(fixedCols);
        if (fixedRows < RowCount()) SetFixedRows(fixedRows);
        if (single) {
            SetLoadCellText(colOffset, rowOffset, sheet->Cells(r1, c1).AsText());
            return;
        }
        TOfficeArray values;
        try {
            values = sheet->RangeValue(ColumnLetters(c1) + QString::number(r1) + QLatin1Char(':') + ColumnLetters(c2) +
                                       QString::number(r2));
        } catch (const EOfficeError&) {
            throw Exception(QStringLiteral("Incorrect XLS file"));
        }
        for (int r = 1; r <= RowCount() - rowOffset; ++r) {
            for (int c = 1; c <= ColCount() - colOffset; ++c) {
                if (size_t(r - 1) >= values.size() || size_t(c - 1) >= values[size_t(r - 1)].size())
                    throw Exception(QStringLiteral("Incorrect XLS file"));
                const TOfficeValue& v = values[size_t(r - 1)][size_t(c - 1)];
                if (v.IsError()) continue;
                SetLoadCellText(c + colOffset - 1, r + rowOffset - 1, v.AsText());
            }
        }
    });
}

void TKvStringGrid::SaveToXLS(const QString& Filename, bool CreateNewSheet)
{
    ExportXLS(Filename, QString(), CreateNewSheet);
}

void TKvStringGrid::SaveToXLSSheet(const QString& Filename, const QString& SheetName)
{
    ExportXLS(Filename, SheetName, true);
}

void TKvStringGrid::ExportXLS(const QString& Filename, const QString& SheetName, bool CreateNewSheet)
{
    TCursorScope hourglass(crHourGlass);
    OfficeCall([&] {
        std::shared_ptr<TSpreadsheetApp> app = OfficeProvider().ConnectSpreadsheet();
        const bool created = !app;
        if (created) app = CreateSpreadsheetApp();
        TQuitScope quit([&] { app->Quit(); }, created);
        TWorkbook* book = nullptr;
        TWorksheet* sheet = nullptr;
        bool opened = false;
        int startRow = 1;
        auto addBook = [&] {
            try {
                book = app->AddWorkbook();
            } catch (const EOfficeError&) {
                book = nullptr;
            }
            if (!book) throw EKvGridError(QStringLiteral("Cannot create Excel workbook"));
        };
        if (!SheetName.isEmpty()) {
            if (FileExists(Filename)) {
                try {
                    book = app->OpenWorkbook(Filename);
                    opened = book != nullptr;
                } catch (const EOfficeError&) {
                    book = nullptr;
                }
            }
            if (!book) addBook();
            sheet = SheetNamed(book, SheetName);
            if (!sheet) {
                sheet = book->AddSheet();
                sheet->SetName(SheetName);
            }
        } else if (CreateNewSheet || app->WorkbookCount() == 0) {
            addBook();
            sheet = book->Sheets(1);
        } else {
            book = app->ActiveWorkBook();
            sheet = app->ActiveSheet();
            startRow = app->ActiveCellRow();
        }
        const int firstRow = SaveStartRow(), firstCol = SaveStartCol();
        const int rows = RowCount() - firstRow, cols = ColCount() - firstCol;
        TOfficeArray values(size_t(std::max(rows, 0)), std::vector<TOfficeValue>(size_t(std::max(cols, 0))));
        ExportRows(firstRow, RowCount() - 1, [&](int r) {
            for (int c = firstCol; c < ColCount(); ++c) {
                QString s;
                GetSaveCellText(DisplToRealColumn(c), r, s);
                values[size_t(r - firstRow)][size_t(c - firstCol)] = TOfficeValue::FromText(RemoveCR(s));
            }
        });
        sheet->SetRangeValue(QStringLiteral("A") + QString::number(startRow) + QLatin1Char(':') + ColumnLetters(cols) +
                                 QString::number(startRow + rows - 1),
                             values);
        try {
            if (opened) book->Save();
            else book->SaveAs(Filename);
        } catch (const EOfficeError&) {
            throw EKvGridError(QStringLiteral("Cannot save Excel workbook ") + Filename);
        }
    });
}

// ============================================================ word processor

void TKvStringGrid::SaveToDOC(const QString& Filename, bool CreateNewDocument)
{
    ExportDOC(Filename, QString(), false, CreateNewDocument);
}

void TKvStringGrid::AppendToDoc(const QString& Filename, const QString& Bookmark)
{
    ExportDOC(Filename, Bookmark, true, false);
}

void TKvStringGrid::ExportDOC(const QString& Filename, const QString& Bookmark, bool Append, bool CreateNewDocument)
{
    TCursorScope hourglass(crHourGlass);
    OfficeCall([&] {
        std::shared_ptr<TWordApp> app = OfficeProvider().ConnectWordProcessor();
        const bool created = !app;
        if (created) app = OfficeProvider().CreateWordProcessor();
        if (!app) throw EKvGridError(QStringLiteral("Word OLE server not found"));
        TQuitScope quit([&] { app->Quit(); }, created);
        TDocument* doc = nullptr;
        if (Append) doc = app->OpenDocument(Filename);
        else if (!CreateNewDocument) doc = app->DocumentCount() == 0 ? app->AddDocument() : app->ActiveDocument();
        else doc = app->AddDocument();
        doc->SetShowSpellingErrors(false);
        app->TypeText(Text());
        app->TypeParagraph();
        TDocRange where;
        if (Append && doc->BookmarkExists(Bookmark)) {
            where = doc->Goto(wdGoToBookmark, Bookmark);
        } else if (Append) {
            doc->AddParagraph();
            app->SelectionGoto(wdGoToLine, wdGoToLast);
            const int end = app->SelectionEnd();
            where = doc->Range(end, end);
        } else {
            where = doc->Range(0, 0);
        }
        TDocTable* table = doc->AddTable(where, RowCount(), ColCount());
        ExportNotification(esExportStart, 0);
        for (int d = 1; d <= RowCount(); ++d) {
            ExportNotification(esExportNextRow, d);
            for (int g = 1; g <= ColCount(); ++g) {
                QString s;
                GetSaveCellText(DisplToRealColumn(g - 1), d - 1, s);
                table->CellInsertAfter(d, g, s);
                TAlignment ha = taLeftJustify;
                TVAlignment va = vtaTop;
                CalcCellAlignment(g - 1, d - 1, ha, va);
                if (ha == taRightJustify) table->SetCellAlignment(d, g, wdAlignParagraphRight);
                else if (ha == taCenter) table->SetCellAlignment(d, g, wdAlignParagraphCenter);
            }
        }
        ExportNotification(esExportDone, -1);
        doc->SaveAs(Filename);
    });
}

// ============================================================ database

void TKvStringGrid::LoadFromMDBTable(const QString& Filename, const QString& Table)
{
    LoadFromMDBSQL(Filename, QStringLiteral("SELECT * FROM ") + Table);
}

void TKvStringGrid::LoadFromMDBSQL(const QString& Filename, const QString& SQL)
{
    OfficeCall([&] {
        std::unique_ptr<TDbConnection> connection = OfficeProvider().CreateConnection();
        connection->Open(QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};DBQ=") + Filename);
        std::unique_ptr<TDbRecordSet> records = OfficeProvider().CreateRecordSet();
        records->SetActiveConnection(connection.get());
        records->Open(SQL);
        const int fields = records->FieldCount();
        const int fixedCols = FixedCols(), fixedRows = FixedRows();
        SetColCount(fields + fixedCols);
        if (fixedRows > 0)
            for (int i = 0; i < fields; ++i) SetCells(i + fixedCols, fixedRows - 1, records->FieldName(i));
        const int count = records->RecordCount();
        if (count > 0) SetRowCount(fixedRows + count);
        int r = fixedRows;
        while (!records->Eof()) {
            // A record set that keeps its count to itself grows the grid one row at a time.
            if (r >= RowCount()) SetRowCount(r + 1);
            for (int i = 0; i < fields; ++i)
                SetLoadCellText(i + fixedCols, r, records->FieldActualSize(i) > 0 ? records->FieldValue(i) : QString());
            records->MoveNext();
            ++r;
        }
        records->Close();
        connection->Close();
    });
    NotifyCellsLoaded();
}

#pragma once
// The office objects the grid's exchange talks to: a spreadsheet application with its
// workbooks and sheets, a word processor with its documents, and a database connection
// with its record set. Their members are the ones the exchange calls, in the shape it
// calls them (1-based sheet and cell indexes, the word processor's Goto constants, the
// record set's cursor), so the exchange code reads as a sequence of those calls.
//
// Linux has no automation servers, so the objects are our own: the spreadsheet works on
// .xlsx files (legacy .xls read only), the word processor on .docx files, the database on
// Access files through mdbtools (read only). Nothing is ever "running": ConnectSpreadsheet
// and ConnectWordProcessor answer null, so an export always creates its application and
// quits it. Tests replace the whole provider (SetOfficeProvider) to script and record.
//
// Failures raise EOfficeError with a message naming the file; the objects handed out are
// owned by their application (workbooks, documents) or workbook (sheets) and stay valid
// until it closes or quits.

#include "platform/core/exceptions.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class EOfficeError : public Exception {
public:
    using Exception::Exception;
};

// One cell value as a spreadsheet hands it out.
struct TOfficeValue {
    enum TKind { Empty, Number, Text, Boolean, Error, Date };
    TKind Kind = Empty;
    double Num = 0;   // Number; Date: days since 30 Dec 1899 with the time as the fraction
    QString Str;      // Text; Error: the error text ("#DIV/0!")
    bool Bool = false;

    static TOfficeValue FromText(const QString& S) { TOfficeValue v; v.Kind = Text; v.Str = S; return v; }
    static TOfficeValue FromNumber(double N) { TOfficeValue v; v.Kind = Number; v.Num = N; return v; }
    bool IsEmpty() const { return Kind == Empty; }
    bool IsError() const { return Kind == Error; }
    // The value as text: numbers with 15 significant digits in the platform's format
    // settings, dates in its short date format (and long time when there is one), Booleans
    // "True"/"False", empty and error values as empty text.
    QString AsText() const;
    bool operator==(const TOfficeValue& O) const
    {
        return Kind == O.Kind && Num == O.Num && Str == O.Str && Bool == O.Bool;
    }
};
// A block of values, [row][column], both from 0 (the sheet's first row and column of the range).
using TOfficeArray = std::vector<std::vector<TOfficeValue>>;

// ---------------------------------------------------------------- spreadsheet

class TWorksheet {
public:
    virtual ~TWorksheet() = default;
    virtual QString Name() const = 0;
    virtual void SetName(const QString& Name) = 0;
    // UsedRange.Address: "$A$1:$D$10", or "$A$1" for one cell (an empty sheet answers "$A$1").
    virtual QString UsedRangeAddress() const = 0;
    // Range(Address).Value for an address "A1:C3" or "$A$1:$C$3" (or one cell).
    virtual TOfficeArray RangeValue(const QString& Address) const = 0;
    virtual void SetRangeValue(const QString& Address, const TOfficeArray& Values) = 0;
    // Rows.Cells(Row, Column), 1-based.
    virtual TOfficeValue Cells(int Row, int Column) const = 0;
};

class TWorkbook {
public:
    virtual ~TWorkbook() = default;
    // WorkSheets.Count and WorkSheets.item(i) / Sheets(i), 1-based.
    virtual int SheetCount() const = 0;
    virtual TWorksheet* Sheets(int Index) = 0;
    // WorkSheets.Add: a new sheet with the next free "SheetN" name, made the active sheet.
    virtual TWorksheet* AddSheet() = 0;
    virtual TWorksheet* ActiveSheet() = 0;
    virtual bool Saved() const = 0;
    virtual void SetSaved(bool Value) = 0;
    virtual void Save() = 0;
    virtual void SaveAs(const QString& FileName) = 0;
    virtual void Close(bool SaveChanges) = 0;
};

class TSpreadsheetApp {
public:
    virtual ~TSpreadsheetApp() = default;
    // WorkBooks.Open, WorkBooks.Add, WorkBooks.Count.
    virtual TWorkbook* OpenWorkbook(const QString& FileName) = 0;
    virtual TWorkbook* AddWorkbook() = 0;
    virtual int WorkbookCount() const = 0;
    // ActiveWorkBook, ActiveSheet and ActiveCell.Row; null and 1 without a workbook.
    virtual TWorkbook* ActiveWorkBook() = 0;
    virtual TWorksheet* ActiveSheet() = 0;
    virtual int ActiveCellRow() = 0;
    virtual void Quit() = 0;
};

// ---------------------------------------------------------------- word processor

// Goto constants the exchange passes.
constexpr int wdGoToBookmark = -1;
constexpr int wdGoToLine = 3;
constexpr int wdGoToLast = -1;
// ParagraphFormat.Alignment values.
constexpr int wdAlignParagraphLeft = 0;
constexpr int wdAlignParagraphCenter = 1;
constexpr int wdAlignParagraphRight = 2;

// A range of character positions in a document.
struct TDocRange {
    int Start = 0;
    int End = 0;
};

class TDocTable {
public:
    virtual ~TDocTable() = default;
    // Cell(Row, Column).Range.InsertAfter and .ParagraphFormat.Alignment, 1-based.
    virtual void CellInsertAfter(int Row, int Column, const QString& Text) = 0;
    virtual void SetCellAlignment(int Row, int Column, int Alignment) = 0;
    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
};

class TDocument {
public:
    virtual ~TDocument() = default;
    virtual void SetShowSpellingErrors(bool Value) = 0;
    virtual bool BookmarkExists(const QString& Name) const = 0;
    // Goto(What, Name): What must be wdGoToBookmark; the bookmark's range.
    virtual TDocRange Goto(int What, const QString& Name) = 0;
    // Paragraphs.Add: an empty paragraph at the end.
    virtual void AddParagraph() = 0;
    virtual TDocRange Range(int Start, int End) const = 0;
    // Tables.Add(Range, NumRows, NumColumns): the table replaces the range's place.
    virtual TDocTable* AddTable(const TDocRange& Where, int NumRows, int NumColumns) = 0;
    virtual void SaveAs(const QString& FileName) = 0;
};

class TWordApp {
public:
    virtual ~TWordApp() = default;
    // Documents.Open, Documents.Count, Documents.Add, ActiveDocument (null without one).
    virtual TDocument* OpenDocument(const QString& FileName) = 0;
    virtual int DocumentCount() const = 0;
    virtual TDocument* AddDocument() = 0;
    virtual TDocument* ActiveDocument() = 0;
    // Selection of the active document.
    virtual void TypeText(const QString& Text) = 0;
    virtual void TypeParagraph() = 0;
    // Selection.Goto(What, Which): wdGoToLine with wdGoToLast moves to the last line.
    virtual void SelectionGoto(int What, int Which) = 0;
    virtual int SelectionEnd() const = 0;
    virtual void Quit() = 0;
};

// ---------------------------------------------------------------- database

class TDbConnection {
public:
    virtual ~TDbConnection() = default;
    // The connection text names the file after "DBQ=" (up to the next ";").
    virtual void Open(const QString& ConnectionText) = 0;
    virtual void Close() = 0;
};

class TDbRecordSet {
public:
    virtual ~TDbRecordSet() = default;
    virtual void SetActiveConnection(TDbConnection* Connection) = 0;
    // Runs a query; a statement that would change the file raises EOfficeError.
    virtual void Open(const QString& SQL) = 0;
    // Fields.Count and item i (from 0): Name, Value as text, ActualSize in bytes (0 for null).
    virtual int FieldCount() const = 0;
    virtual QString FieldName(int Index) const = 0;
    virtual QString FieldValue(int Index) const = 0;
    virtual int FieldActualSize(int Index) const = 0;
    // -1 when the driver does not know the count.
    virtual int RecordCount() const = 0;
    virtual bool Eof() const = 0;
    virtual void MoveNext() = 0;
    virtual void Close() = 0;
};

// ---------------------------------------------------------------- the provider seam

class TOfficeProvider {
public:
    virtual ~TOfficeProvider() = default;
    // A new application; null when none can be created.
    virtual std::shared_ptr<TSpreadsheetApp> CreateSpreadsheet() = 0;
    // The application already running; null when there is none.
    virtual std::shared_ptr<TSpreadsheetApp> ConnectSpreadsheet() = 0;
    virtual std::shared_ptr<TWordApp> CreateWordProcessor() = 0;
    virtual std::shared_ptr<TWordApp> ConnectWordProcessor() = 0;
    virtual std::unique_ptr<TDbConnection> CreateConnection() = 0;
    virtual std::unique_ptr<TDbRecordSet> CreateRecordSet() = 0;
};

// The provider in use: the file-backed one unless a test set another (not owned; null restores).
TOfficeProvider& OfficeProvider();
void SetOfficeProvider(TOfficeProvider* Provider);

// The file the connection text names after "DBQ=" (trimmed), empty when it names none.
QString ConnectionFileName(const QString& ConnectionText);

// Spreadsheet addresses: column letters for 1 .. 16384 ("A", "Z", "AA", "XFD"), and the
// parse of "A1" / "$A$1" into 1-based column and row (false when it is no cell reference).
QString ColumnLetters(int Column);
bool ParseCellReference(const QString& Ref, int& Column, int& Row);
// "A1:C3", "$A$1:$C$3" or one cell into its first and last row and column (ordered).
bool ParseRangeAddress(const QString& Address, int& FirstRow, int& FirstCol, int& LastRow, int& LastCol);
// The same, raising EOfficeError for an invalid address or a block too large to build.
void CheckRangeAddress(const QString& Address, int& FirstRow, int& FirstCol, int& LastRow, int& LastCol);

#pragma once
// A workbook file: Office Open XML (.xlsx) read and written by our own code, legacy
// workbooks (.xls) read through libfreexl and never written. Saving an opened .xlsx
// rewrites only the parts that changed (the sheets whose cells were set, the sheet list,
// the relationships and content types) and copies every other part as it was. Cells are
// written as numbers, Booleans or inline strings; strings keep every character (control
// characters travel as the format's "_xHHHH_" escapes).
//
// Sheet indexes here are from 0; rows and columns from 1, as in the sheet.

#include "platform/office/office_automation.h"

#include <QByteArray>
#include <QString>
#include <memory>

class TSpreadsheetFile {
public:
    // A new workbook with one empty sheet "Sheet1".
    TSpreadsheetFile();
    ~TSpreadsheetFile();
    TSpreadsheetFile(const TSpreadsheetFile&) = delete;
    TSpreadsheetFile& operator=(const TSpreadsheetFile&) = delete;

    // Reads a workbook: by its content (a zip archive is .xlsx, a compound file is legacy
    // .xls). Raises EOfficeError naming the file when it cannot be read.
    static std::unique_ptr<TSpreadsheetFile> Load(const QString& FileName);
    // An .xlsx held in memory; FileName only names it in messages.
    static std::unique_ptr<TSpreadsheetFile> LoadXlsx(const QByteArray& Bytes, const QString& FileName);
    static std::unique_ptr<TSpreadsheetFile> LoadXls(const QString& FileName);

    // True for a legacy workbook: every change raises EOfficeError.
    bool ReadOnly() const;
    const QString& FileName() const;

    int SheetCount() const;
    QString SheetName(int Sheet) const;
    void SetSheetName(int Sheet, const QString& Name);   // raises for an invalid or taken name
    // Appends a sheet; an empty name takes the next free "SheetN". Returns its index.
    int AddSheet(const QString& Name = QString());
    int ActiveSheet() const;
    void SetActiveSheet(int Sheet);
    // The row of the sheet's active cell (1 when the file keeps none).
    int ActiveCellRow(int Sheet) const;

    TOfficeValue Cell(int Sheet, int Row, int Column) const;
    void SetCell(int Sheet, int Row, int Column, const TOfficeValue& Value);
    // The rectangle holding every cell the sheet lists; false for an empty sheet.
    bool UsedRange(int Sheet, int& FirstRow, int& FirstCol, int& LastRow, int& LastCol) const;

    // The .xlsx bytes (raises for a legacy workbook).
    QByteArray SaveXlsx() const;
    // Writes the whole file (temporary file, then rename). A name ending in ".xls", or a
    // legacy workbook, raises EOfficeError naming the file: that format is never written.
    void SaveToFile(const QString& FileName);

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

#pragma once
// A recording stand-in for the office objects, for tests of the exchange code: every call
// is logged with its arguments in order ("WorkBooks.Open(c:/a.xlsx)"), the answers come
// from a script (workbooks by file name with their sheets and cells, a running
// application with its active workbook and cell, record sets with or without a count),
// and any call can be made to fail. Nothing touches the disk.
//
// Install it with SetOfficeProvider(&fake) and remove it with SetOfficeProvider(nullptr).

#include "platform/office/office_automation.h"

#include <map>
#include <optional>
#include <memory>
#include <vector>

class TRecordingOffice : public TOfficeProvider {
public:
    struct TSheet {
        QString Name;
        // Cells by (row, column), 1-based.
        std::map<std::pair<int, int>, TOfficeValue> Cells;
        // When set, UsedRange.Address answers this text instead of the cells' rectangle.
        QString UsedRange;
        void Set(int Row, int Column, const QString& Text) { Cells[{Row, Column}] = TOfficeValue::FromText(Text); }
    };
    struct TBook {
        QString FileName;
        std::vector<TSheet> Sheets{TSheet{QStringLiteral("Sheet1"), {}, {}}};
        int ActiveSheet = 1;
        int ActiveCellRow = 1;
    };
    struct TDoc {
        QString FileName;
        QStringList Bookmarks;
        QStringList Typed;   // TypeText texts and "¶" for each paragraph break
        struct TTable {
            int Rows = 0, Columns = 0;
            TDocRange At;
            std::map<std::pair<int, int>, QString> Text;
            std::map<std::pair<int, int>, int> Alignment;
        };
        std::vector<TTable> Tables;
        bool ShowSpellingErrors = true;
        int Paragraphs = 1;
    };

    // ---- the script
    bool SpreadsheetInstalled = true;   // false: creating the application answers null
    bool SpreadsheetRunning = false;    // true: Connect answers an application holding RunningBook
    TBook RunningBook;
    bool WordInstalled = true;
    bool WordRunning = false;
    TDoc RunningDocument;
    // Workbooks and documents that exist, by file name.
    std::vector<TBook> BookFiles;
    std::vector<TDoc> DocumentFiles;
    // A call whose logged text starts with this raises EOfficeError (empty: none fails).
    QString FailOn;
    // Record sets: field names and records (values as text; a null value is an empty
    // optional). RecordCount answers -1 unless ReportRecordCount.
    QStringList Fields;
    std::vector<std::vector<std::optional<QString>>> Records;
    bool ReportRecordCount = true;

    // ---- what happened
    QStringList Calls;
    // Workbooks saved (by SaveAs or Save) and documents saved, as they were at saving.
    std::vector<TBook> SavedBooks;
    std::vector<TDoc> SavedDocuments;
    int SpreadsheetsCreated = 0, SpreadsheetsQuit = 0, WordsCreated = 0, WordsQuit = 0;

    // Logs a call, raising when it is the one set to fail.
    void Log(const QString& Call);

    std::shared_ptr<TSpreadsheetApp> CreateSpreadsheet() override;
    std::shared_ptr<TSpreadsheetApp> ConnectSpreadsheet() override;
    std::shared_ptr<TWordApp> CreateWordProcessor() override;
    std::shared_ptr<TWordApp> ConnectWordProcessor() override;
    std::unique_ptr<TDbConnection> CreateConnection() override;
    std::unique_ptr<TDbRecordSet> CreateRecordSet() override;
};

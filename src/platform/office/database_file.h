#pragma once
// Access database files (.mdb, .accdb) read through mdbtools: a query's columns and rows
// as text. Database files are never changed: a statement other than SELECT raises
// EOfficeError saying so.

#include "platform/office/office_automation.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct TQueryResult {
    QStringList Columns;
    // Null values are empty optionals; every other value is text as mdbtools formats it.
    std::vector<std::vector<std::optional<QString>>> Rows;
};

// Runs SQL on the file; raises EOfficeError naming the file or the failing statement.
TQueryResult RunDatabaseQuery(const QString& FileName, const QString& SQL);
// The names of the file's user tables.
QStringList DatabaseTables(const QString& FileName);

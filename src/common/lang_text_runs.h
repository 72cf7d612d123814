#pragma once
// Runs of texts that many windows' English blocks repeat: the row editors' six buttons and
// their four row-command hints, and texts that differ only in a running number.

#include <QString>
#include <QStringList>

// "OK", "Cancel", "Delete Row", "Insert Row", "Copy Row", "Paste Row": the button panel's order.
inline QStringList Lang_Row_Buttons()
{
    return {QStringLiteral("OK"),         QStringLiteral("Cancel"),   QStringLiteral("Delete Row"),
            QStringLiteral("Insert Row"), QStringLiteral("Copy Row"), QStringLiteral("Paste Row")};
}

// Hints of Delete Row, Insert Row, Copy Row and Paste Row.
inline QStringList Lang_Row_Command_Hints()
{
    return {QStringLiteral("Delete the Selected Row in the table"), QStringLiteral("Insert a Row in the Table"),
            QStringLiteral("Copy all Fields of the Selected Row"),
            QStringLiteral("Paste the Copied Fields in the Selected Row")};
}

// head + "1" + tail, ..., head + count + tail.
inline QStringList Lang_Numbered(const QString& head, int count, const QString& tail = QString())
{
    QStringList texts;
    for (int k = 1; k <= count; ++k)
        texts << head + QString::number(k) + tail;
    return texts;
}

// The confirmation the row editors ask before Delete Row; the row number follows it.
inline QString Lang_Delete_Row_Question()
{
    return QStringLiteral("Are you sure to delete the Row number ");
}

#pragma once
// Line and field handling shared by the EDS connection reader and the target
// configuration decoder. EDS files are read in a reduced form: "$" starts a comment
// everywhere on a line (also inside double quotes), entries are comma-separated fields.

#include <QString>
#include <QStringList>

// Blanks removed at both ends, cut at the first "$", trailing blanks removed again.
QString Clean_EDS_Line(const QString& Line);

// Index of the first C outside double quotes (quotes counted from the start of the
// text), -1 when there is none.
int Unquoted_Index_Of(const QString& Text, QChar C);

// Splits an entry's fields at the commas outside double quotes; blanks stay in the
// fields and a trailing comma gives an empty last field. A field whose first
// character is a double quote runs to its closing quote and loses the quotes (a
// doubled quote stands for one); a quoted text after blanks keeps its quotes and its
// commas. An empty text gives no field.
QStringList Split_EDS_Fields(const QString& Text);

// True when Line holds Key followed by a blank or "=" at the key's first occurrence
// and holds an "=" at all, so that "Param1" does not find "Param10 = ...".
bool EDS_Key_Matches(const QString& Line, const QString& Key);

#pragma once
// Short lists of cell texts for the data operations' tests.

#include "grid/kv_string_grid.h"

#include <QStringList>
#include <initializer_list>

inline QStringList L(std::initializer_list<const char*> Items)
{
    QStringList l;
    for (const char* s : Items) l << QString::fromUtf8(s);
    return l;
}

// The shown texts of a column over the rows between the fixed rows and the footer rows.
inline QStringList ColumnTexts(TKvStringGrid& G, int ACol)
{
    QStringList l;
    for (int r = G.FixedRows(); r < G.RowCount() - G.FixedFooters(); ++r) l << G.Cells(ACol, r);
    return l;
}

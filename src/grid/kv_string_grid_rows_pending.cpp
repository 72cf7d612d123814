// Stand-ins for the row hiding of the grid-structure code: this file goes
// when that code is joined in (it defines the same three operations).
#include "grid/kv_string_grid.h"

void TKvStringGrid::HideRows(int FromRow, int ToRow)
{
    (void)FromRow;
    (void)ToRow;
}

void TKvStringGrid::HideRowList(const TIntList* RowList)
{
    (void)RowList;
}

void TKvStringGrid::UnHideRows(int FromRow, int ToRow)
{
    (void)FromRow;
    (void)ToRow;
}

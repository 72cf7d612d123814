#pragma once
// The editors' column tables: one entry per column of a column grid (header, editor,
// width, colour, read-only, list items), applied in one go.

#include "grid/column_grid.h"

#include <QString>

#include <cstddef>
#include <functional>

struct TGridColumnDef {
    const char* Header;
    TEditorType Editor;
    int Width;
    TColor Color;
    bool ReadOnly;
    const char* Items;  // list items, "|" separated; none when null
};

// Sets the column count and every column; check-box columns hold "Y" and "N".
void Apply_Grid_Columns(TKvColumnGrid* G, const TGridColumnDef* Defs, int Count);

template <std::size_t N>
void Apply_Grid_Columns(TKvColumnGrid* G, const TGridColumnDef (&Defs)[N])
{
    Apply_Grid_Columns(G, Defs, int(N));
}

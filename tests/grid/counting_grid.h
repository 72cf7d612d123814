#pragma once
// A string grid that counts the runs of its cell-text change hook.
#include "grid/kv_string_grid.h"

class TCountingGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    void CellTextChanged(int ACol, int ARow) override
    {
        ++Changes;
        TKvStringGrid::CellTextChanged(ACol, ARow);
    }
    int Changes = 0;
};

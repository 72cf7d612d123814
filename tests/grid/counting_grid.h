#pragma once
// String grids that count the runs of the cell-text change hook and record
// the cells painted.
#include "grid/kv_string_grid.h"

#include <vector>

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

class TPaintRecordingGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        Painted.push_back(TPoint(ACol, ARow));
        TKvStringGrid::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
    }
    bool WasPainted(int ACol, int ARow) const
    {
        for (const TPoint& p : Painted)
            if (p.X == ACol && p.Y == ARow) return true;
        return false;
    }
    std::vector<TPoint> Painted;
};

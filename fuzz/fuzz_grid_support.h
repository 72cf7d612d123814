#pragma once
// What the grid exchange targets share: a headless application (the grid is a widget),
// made once, and one grid reused from input to input, brought back to a small empty
// grid before each.

#include "fuzz_support.h"

#include "grid/kv_string_grid.h"

#include <QApplication>

#include <memory>

inline TKvStringGrid& Fuzz_Grid()
{
    static int argc = 1;
    static char name[] = "fuzz_grid";
    static char* argv[] = {name, nullptr};
    static const bool platform = (qputenv("QT_QPA_PLATFORM", "offscreen"), true);
    static QApplication app(argc, argv);
    (void)platform;
    static auto grid = std::make_unique<TKvStringGrid>();
    grid->UnHideColumnsAll();
    grid->SetColCount(5);
    grid->SetRowCount(5);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->ClearAll();
    return *grid;
}

// The grid stays within the counts an exchange may give it.
inline void Fuzz_Check_Grid(TKvStringGrid& G)
{
    FUZZ_REQUIRE(G.ColCount() >= 1 && G.RowCount() >= 1);
    FUZZ_REQUIRE(G.CheckHiddenConsistency());
}

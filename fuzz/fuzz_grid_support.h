#pragma once
// What the grid exchange targets share: a headless application (the grid is a widget),
// made once, and a new grid for each input.

#include "fuzz_support.h"

#include "grid/kv_string_grid.h"

#include <QApplication>

#include <memory>

// A fresh grid per input, so that every run stands on its own.
inline std::unique_ptr<TKvStringGrid> Fuzz_Grid()
{
    static int argc = 1;
    static char name[] = "fuzz_grid";
    static char* argv[] = {name, nullptr};
    static const bool platform = (qputenv("QT_QPA_PLATFORM", "offscreen"), true);
    static QApplication app(argc, argv);
    (void)platform;
    return std::make_unique<TKvStringGrid>();
}

// The grid stays within the counts an exchange may give it.
inline void Fuzz_Check_Grid(TKvStringGrid& G)
{
    FUZZ_REQUIRE(G.ColCount() >= 1 && G.RowCount() >= 1);
    FUZZ_REQUIRE(G.CheckHiddenConsistency());
}

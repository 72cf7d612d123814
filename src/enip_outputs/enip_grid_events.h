#pragma once
// The scanner rules editor handles the grid's double-clicked-cell event, which the grid
// gains with its double-click handling. A grid that does not declare it yet leaves the
// handler to direct calls; one that does gets it wired here, with no change to the
// window.

#include <utility>

template <class TGrid, class THandler>
void Wire_OnDblClickCell(TGrid* Grid, THandler&& Handler)
{
    if constexpr (requires { Grid->OnDblClickCell = Handler; })
        Grid->OnDblClickCell = std::forward<THandler>(Handler);
}

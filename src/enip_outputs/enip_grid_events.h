#pragma once
// The scanner windows handle two grid events that the grid gains with its list editor
// (a picked item) and its double-click handling (a double-clicked cell). A grid that
// does not declare one yet leaves that handler to direct calls; one that does gets it
// wired here, with no change to the windows.

#include <utility>

template <class TGrid, class THandler>
void Wire_OnComboChange(TGrid* Grid, THandler&& Handler)
{
    if constexpr (requires { Grid->OnComboChange = Handler; })
        Grid->OnComboChange = std::forward<THandler>(Handler);
}

template <class TGrid, class THandler>
void Wire_OnDblClickCell(TGrid* Grid, THandler&& Handler)
{
    if constexpr (requires { Grid->OnDblClickCell = Handler; })
        Grid->OnDblClickCell = std::forward<THandler>(Handler);
}


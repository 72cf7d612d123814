#pragma once
// Cell click, double click and drop-down choice arrive through the grid's events once
// the grid raises them; until then the windows' handlers are called directly. These
// wire a handler when the grid has the event and do nothing otherwise.

#include <QString>

#include <functional>

class TObject;

template <typename Grid, typename Handler>
void Wire_Click_Cell(Grid* G, Handler H)
{
  if constexpr (requires { G->OnClickCell = std::function<void(TObject*, int, int)>(H); })
    G->OnClickCell = std::function<void(TObject*, int, int)>(H);
}

template <typename Grid, typename Handler>
void Wire_Dbl_Click_Cell(Grid* G, Handler H)
{
  if constexpr (requires { G->OnDblClickCell = std::function<void(TObject*, int, int)>(H); })
    G->OnDblClickCell = std::function<void(TObject*, int, int)>(H);
}

template <typename Grid, typename Handler>
void Wire_Combo_Change(Grid* G, Handler H)
{
  using Event = std::function<void(TObject*, int, int, int, const QString&)>;
  if constexpr (requires { G->OnComboChange = Event(H); })
    G->OnComboChange = Event(H);
}

#pragma once
// Left clicks sent to a grid as the window messages the mouse would bring.
#include "grid/kv_string_grid.h"

// Client point as a mouse message carries it.
inline LPARAM ClickAt(int x, int y) { return MAKELPARAM(unsigned(x) & 0xFFFF, unsigned(y) & 0xFFFF); }

inline LPARAM CellMiddle(TKvStringGrid* g, int c, int r)
{
    const TRect R = g->CellRect(c, r);
    return ClickAt((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

inline void LeftClick(TKvStringGrid* g, LPARAM p, WPARAM keys = 0)
{
    g->Perform(WM_LBUTTONDOWN, keys, p);
    g->Perform(WM_LBUTTONUP, keys, p);
}

#pragma once
// The editor dispatch's rows of the kinds served by the spin, edit-with-button,
// check box, date, time, cell button, value-with-unit and date-and-time
// editors (grid_editor_rows.cpp). The grid's dispatch calls them; each answers
// whether the kind was one of its own.
#include "platform/ui/graphics.h"

class TKvStringGrid;

struct TGridEditorRows {
    // Shows the editor of the grid's EditControl over the cell rectangle R (width W, height H).
    static bool Show(TKvStringGrid* G, int ACol, int ARow, const TRect& R, int W, int H, TColor BkColor);
    // Stores the editor's value into the cell (real column) and hides the editor.
    static bool Hide(TKvStringGrid* G, int RealCol, int ARow);
};

// The rows of the drop-down kinds, edTrackbarDropDown to edKvGridDropDown
// (grid_dropdown_rows.cpp).
struct TGridDropDownRows {
    static bool Show(TKvStringGrid* G, int ACol, int ARow, const TRect& R, int W, int H, TColor BkColor);
    static bool Hide(TKvStringGrid* G, int RealCol, int ARow);
    // Puts the cell's value into the colour or image editor again (a cancelled edit).
    static void Reload(TKvStringGrid* G, int RealCol, int ARow);
};

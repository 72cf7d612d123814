// The editors of the form controls in a cell's HTML text.
#include "grid/kv_string_grid.h"

void TKvStringGrid::EditNextHTMLControl(int ACol, int ARow, const QString& CurrentID)
{
    (void)ACol; (void)ARow; (void)CurrentID;
    if (CanFocus()) SetFocus();
}

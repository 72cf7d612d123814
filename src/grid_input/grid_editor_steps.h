#pragma once
// The steps the grid's special editors share when they commit, cancel or
// leave a cell (grid_editor_wrappers.cpp).
#include "platform/ui/controls.h"

#include <QString>

class TKvStringGrid;

namespace KvGridInput {
// The grid that owns an editor; "Invalid class typecast" for any other owner.
TKvStringGrid* OwningGrid(TComponent* AOwner);
bool ShiftHeld();
void FocusGrid(TKvStringGrid* Grid);
// Closes the editor, hands the key to the grid and, with AdvanceOnEnter and
// AdvanceAutoEdit, opens the editor of the new current cell.
void CloseAndAdvance(TKvStringGrid* Grid, WORD Key, TShiftState Shift);
// Closes the editor and moves to the next cell (the previous one with Shift held).
void TabOn(TKvStringGrid* Grid);
// The commit: the editor's text into the current cell, then the grid's check.
bool Commit(TKvStringGrid* Grid, const QString& Text);
// The character position under the mouse pointer in an edit control (its own
// EM_CHARFROMPOS); -1 when the pointer is outside the control or over no character.
int CharUnderMouse(TWinControl* Edit);
} // namespace KvGridInput

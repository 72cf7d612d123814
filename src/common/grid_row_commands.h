#pragma once
// The row buttons every rule editor offers (delete, insert, copy, paste) and the
// two grid events every editor wires (Enter to the next cell, header double
// click sizes the column). Rule grids have a fixed number of rows: delete and
// insert move the cells of columns 1 .. N - 1 (every real column but the row
// number in column 0) and never change the row count. The copied row and its
// check-box marks live in the program's working state, shared by all editors.
//
// The plain routines serve column grids whose check boxes are cell texts
// ("Y"/"N"); the _Check twins serve string grids whose check boxes are cell
// objects and whose cells carry read-only flags.

#include <QChar>

class TObject;
class TKvColumnGrid;
class TKvStringGrid;

void Grid_Delete_Row(int R, TKvColumnGrid* G);
// Refused with one message when the last row holds a rule (text in any of
// columns 1 .. N - 1, or a checked box other than a check-box column 1, the
// Enable box every cleared row gets): inserting would push it out of the table.
// True when the row was inserted (windows that keep data beside the rows follow
// only then).
bool Grid_Insert_Row(int R, TKvColumnGrid* G, bool SetEnable);
void Grid_Copy_Row(TKvColumnGrid* G, int R);
// True when the row was pasted (windows that keep data beside the rows follow
// only then).
bool Grid_Paste_Row(TKvColumnGrid* G, int R, bool Copied);

void Grid_Delete_Row_Check(int R, TKvStringGrid* G, bool SetEnable);
void Grid_Insert_Row_Check(int R, TKvStringGrid* G, bool SetEnable);
void Grid_Copy_Row_Check(TKvStringGrid* G, int R);
void Grid_Paste_Row_Check(TKvStringGrid* G, int R, bool Copied);

// Key-press handler: with the jump option on, Enter moves to the next cell
// (wrapping to column 1 of the next row, from the last row to row 1) and is consumed.
void Grid_Jump_Next_Cell(TObject* Sender, QChar& Key);
// With the auto-size option on, a double click on the header row sizes that column.
void Grid_DblClick_AutoSize(TObject* Sender, int ARow, int ACol);

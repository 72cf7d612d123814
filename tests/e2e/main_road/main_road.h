#pragma once
// Steps of the main road as a user takes them from the main window, shared by the
// road's tests: the editor of a step opened with its button, a page chosen by its tab,
// an EDS file imported through the file dialog and the connection picker.

#include "program_session.h"

#include <QString>

class TKvStringGrid;
class TTabSheet;

// The hand-written EDS file of a valve island: one connection with a configuration
// assembly of a plain integer, an enumerated byte, a pad byte and a real.
QString Valve_Island_Eds();

// Step 3 from the main window, on the page of Page (its tab clicked, the outer tab too
// for a process-data page).
void Open_Step3(TE2eUser& U, TTabSheet* Page);

// Step 4 from the main window.
void Open_Step4(TE2eUser& U);
// In step 4: Import EDS, the file chosen in the file dialog, the first connection taken
// in the picker.
void Import_Eds(TE2eUser& U, const QString& Path);
// Step 4 from the main window with the valve island imported into its first rule.
void Open_Step4_With_Valve_Island(TE2eUser& U);
// In step 4: a double click on the Data Segment cell of a rule opens its editor.
void Open_Data_Segment(TE2eUser& U, int Row);

// Clicks a cell and types into it, starting the edit with the first character and
// ending it with Return, all at full speed.
void Type_Into(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Text);
// Opens the list editor of a cell (a click to make it current, a second to open it), picks
// the item from the dropped list and ends the edit with Return.
void Pick_In_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Item);
// Clicks an edit field, selects its text and types over it.
void Type_Over(TE2eUser& U, const QWidget* Edit, const QString& Text);
// Waits until a cell holds the text.
bool Wait_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Text);

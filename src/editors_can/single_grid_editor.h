#pragma once
// What the CAN frame, J1939, NMEA 2000 and DeviceNet slave list editors share on top of
// the rule editor frame: one grid directly under the title panel, its rows directly
// under the root (no section), the version "1.000", and a language block whose button
// captions follow the caption and description. Only the header row has hints.

#include "common/rule_editor_frame.h"

#include <vector>

class TKvStringGrid;

// The file of such an editor: root Root, the rows of Grid under it.
TRuleFile Single_Grid_File(const char* Root, TRuleGrid Grid);

// A grid without an Enable column whose key is Key_Col, tested as it stands (a key of
// blanks is a rule), with Rows rule rows and every attribute read in its own guard
// unless its column says otherwise.
TRuleGrid Untrimmed_Key_Grid(int Rows, int Key_Col, int Error_Prefix, std::vector<TRuleColumn> Columns);

// The texts of the block at Base: button captions at Base + 2 .. Base + 7, their hints
// from Button_Hints on, the header hint list from Column_Hints (entry i for column i + 1)
// and the delete question.
TRuleEditorTexts Single_Grid_Texts(int Base, int Button_Hints, std::vector<int> Column_Hints, int Delete_Question);

// The cell read by the checks' integer reading (anything but an integer reads -1) lies
// in Low .. High.
bool Cell_In_Range(TKvStringGrid* G, int Col, int Row, qint64 Low, qint64 High);

// The items of a position list: "None", then "0" .. Count - 1.
QStringList Position_Items(int Count);

// Count text indexes from First.
std::vector<int> Text_Run(int First, int Count);

// A stored column with a default for a missing attribute ("" keeps the cell empty).
TRuleColumn Guarded(int Header, const char* Attribute, int Width, TEditorType Kind = edNormal,
                    const char* Default = "", QStringList Items = {});

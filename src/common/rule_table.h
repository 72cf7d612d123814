#pragma once
// The rule tables of the protocol editors, without a window: a description of an
// editor's grids, columns and project file, and the free functions that clear the grids,
// load the file into them, check their rows and save them back. The cells are the data
// while a window is open and the file is the data between two openings, so every value
// stays the text the user typed; nothing is converted on load or save.
//
// The functions work on grids that need not be shown, so tests and other tools use them
// without a window; the frame window (rule_editor_frame.h) calls them.

#include "grid/grid_enums.h"
#include "platform/core/xml.h"
#include "platform/ui/graphics.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class TKvColumnGrid;
class TKvStringGrid;

// One real column of a rule grid; column 0 (the row number) is described too and has
// no attribute.
struct TRuleColumn {
  QString Attribute;          // empty: the column is not stored
  bool Required = true;       // false: a missing attribute takes Default
  QString Default;
  TEditorType Kind = edNormal;
  QStringList Items;          // drop-down items of edComboList and edComboEdit
  int Width = 64;
  TColor Color = clWhite;
  bool Hidden = false;
  int Header = -1;            // text index of the header; -1 keeps the design text

  // A departure of one attribute from the plain text copy (a stored index that stands
  // for a list entry, say). Load gets whether the attribute was there and its text and
  // gives the cell text; Save gets the cell text and gives the stored text.
  std::function<QString(int Row, bool Present, const QString& Stored)> Load;
  std::function<QString(int Row, const QString& Cell)> Save;
};

// A rule row that failed its check: the message's text index and, for messages that end
// where a number belongs, the number's text.
struct TRuleFailure {
  int Text = -1;              // -1: the row passes
  QString Limit;
  bool Silent = false;        // fails with its message already shown
  bool No_Row_Prefix = false; // the message stands alone (a total over the rows): no
                              // "Error row " and row number before it
  explicit operator bool() const { return Text >= 0 || Silent; }
};

// The failure of message Text, Limit ending it.
inline TRuleFailure Rule_Failure(int Text, const QString& Limit = QString())
{
  TRuleFailure f;
  f.Text = Text;
  f.Limit = Limit;
  return f;
}

struct TRuleGrid {
  QStringList Section;        // element path under the root; empty: rows under the root
  int Rows = 512;             // rule rows; RowCount is one more
  int Key_Col = 2;
  int Enable_Col = 1;         // -1: the grid has no Enable column
  bool Check_Boxes = false;   // a string grid whose check boxes are cell objects
  int Error_Prefix = -1;      // text index of "Error row "
  std::vector<TRuleColumn> Columns;

  // Whether the check looks at a row; unset: the trimmed Enable cell is exactly "Y".
  std::function<bool(TKvStringGrid* G, int Row)> Row_Enabled;
  // The editor's checks of one row, in the editor's order.
  std::function<TRuleFailure(TKvStringGrid* G, int Row)> Check_Row;
  // Rows with an empty key are skipped, not the table's end: every keyed row is checked
  // and saved, in grid order.
  bool Skip_Empty_Keys = false;

  // A missing section reads as an empty grid instead of stopping the load.
  bool Optional_Section = false;

  // The key ends the table only when it is empty as it stands: a key of blanks is a rule
  // (and fails its check).
  bool Key_Untrimmed = false;
  // A second key: a row ends the table only when both key cells are empty.
  int Second_Key_Col = -1;
  // A click on a row number leaves the selection as it is.
  bool No_Row_Select_Click = false;
  // Runs after the attributes of a loaded row were read into its cells, for cells that
  // depend on more than their own attribute (an older layout's attribute, say).
  std::function<void(TKvStringGrid* G, int Row, const TXmlNode& Node)> After_Row_Load;

  int Col_Count() const { return int(Columns.size()); }
  int Visible_Col_Count() const;
};

struct TRuleFile {
  QString Root;
  QString Version;            // the comment after the root is "SW_VERSION = " + Version
  std::vector<TRuleGrid> Grids;  // in page order
  // Runs after every grid passed (totals over the grids); false stops the save. It
  // shows its own message.
  std::function<bool()> Final_Check;
  // Runs before the first row is checked: state that lives for one check run (a table
  // the rows fill, a separator read once) starts afresh here.
  std::function<void()> Start_Check;
  // A double click sizes the column before the editor's own double-click step (a dialog
  // on the cell), not after it.
  bool Auto_Size_Before_Dbl_Click = false;
};

// What a load could not put into the grids. A window keeps it so that OK does not
// silently drop rows of the file.
struct TRuleLoadState {
  bool File_Found = false;
  bool Stopped = false;       // the load ended early: not well-formed, a missing section
                              // or required attribute
  std::vector<std::pair<QString, int>> Rows_Left_Out;  // section name, rows past the grid

  bool Partial() const { return Stopped || !Rows_Left_Out.empty(); }
};

// Column descriptions as the editors write them: a stored column, the same with a default
// for a missing attribute, and the row-number column.
TRuleColumn Rule_Column(int Header, const char* Attribute, int Width, TColor Color, TEditorType Kind = edNormal,
                        QStringList Items = {});
TRuleColumn Rule_Defaulted(TRuleColumn Column, const char* Default);
TRuleColumn Rule_Row_Number(int Header);

// Integer reading of a cell as every check does it (default -1 fails every range
// starting at 0 or 1).
int Rule_Int(const QString& Text, int Default = -1);
qint64 Rule_Int64(const QString& Text, qint64 Default = -1);

// Reads and writes a rule cell by real column: check-box cells of a string grid as "Y" or
// "N" through their state, every other cell as its text.
QString Get_Rule_Cell(const TRuleGrid& D, TKvStringGrid* G, int Col, int Row);
void Set_Rule_Cell(const TRuleGrid& D, TKvStringGrid* G, int Col, int Row, const QString& Text);

// Sets the grid up from its description: row and column counts, kinds, items, widths,
// colours, check boxes and hidden columns (headers are texts, set by the window).
void Setup_Rule_Grid(const TRuleGrid& D, TKvStringGrid* G);

// A string grid's rule rows in the description's look: column 0 the row number, each
// cell the colour of its column, the Enable box centred.
void Paint_Rule_Rows(const TRuleGrid& D, TKvStringGrid* G);

// Replaces the drop-down items of a column grid's column.
void Set_Column_Items(TKvColumnGrid* G, int Col, const QStringList& Items);

// Column 0 the row number, Enable "Y", every other cell empty, hidden columns too.
void Clear_Rule_Grid(const TRuleGrid& D, TKvStringGrid* G);

// Loads the project file into the grids (in page order). A missing file loads nothing.
// Rows past a grid are counted in State, not shown. A file that is not well-formed, a
// missing section or a missing required attribute stops the load with the cells read so
// far kept, sets State.Stopped and raises EXmlError naming the file and the section, or
// the row and the attribute.
void Load_Rule_File(const TRuleFile& F, const std::vector<TKvStringGrid*>& Grids, const QString& Path,
                    TRuleLoadState& State);

// Checks the grids in page order, rows from 1 up to the first empty key, skipping rows
// that are not enabled; the first failure shows one error box (prefix + row + message +
// limit) and gives false. The final check runs last.
bool Check_Rule_Grids(const TRuleFile& F, const std::vector<TKvStringGrid*>& Grids);

// Whether a row's key is empty: trimmed or as it stands, both keys where there are two.
bool Rule_Key_Empty(const TRuleGrid& D, TKvStringGrid* G, int Row);
// The first row whose key is empty, which ends the table (RowCount when none).
int Rule_Table_End(const TRuleGrid& D, TKvStringGrid* G);
// True when a row from the table's end on holds data (a cell outside column 0 and the
// check-box columns that is not empty after trimming): saving would drop it.
bool Rule_Data_After_End(const TRuleGrid& D, TKvStringGrid* G);

// The document the save writes: root, the version comment after it, one section per grid
// and one row per rule up to the table's end, disabled rows too, the cell texts as held.
void Build_Rule_Document(const TRuleFile& F, const std::vector<TKvStringGrid*>& Grids, TXmlDocument& Doc);
// Builds the document and writes it whole (temporary file, then rename); raises when the
// file cannot be written, and the old file stays.
void Save_Rule_File(const TRuleFile& F, const std::vector<TKvStringGrid*>& Grids, const QString& Path);

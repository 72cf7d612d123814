#pragma once
// The window every rule editor is: title panel, one page per rule grid, the button row
// with OK, Cancel and the four row commands. It is built from the editor's description
// (rule_table.h) and its text indexes; the editor's own window derives from it and
// answers the few hooks where editors differ (steps around clear and load, the row
// checks, hints).
//
// Every show starts again from the project file. A file that could not be loaded whole
// (it stopped early, or held more rows than a grid) is remembered: OK then asks before
// the file is replaced by the rows shown. Rows after the table's end (the first empty
// key) are not saved; when one of them holds data, OK asks first as well.

#include "platform/ui/forms.h"
#include "common/rule_table.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class TKvStringGrid;
class TLabel;
class TLbButton;
class TPageControl;
class TPanel;
class TTabSheet;

// Shared texts of the frame's questions and notes.
enum : int {
  Rule_Text_Replace_Partial_File = 1506,
  Rule_Text_Rows_Not_Shown = 1507,
  Rule_Text_Rows_After_End = 1508,
};

// Where a window's texts sit in the language table; -1 leaves a text at its design value.
struct TRuleEditorTexts {
  int Base = 0;                                  // Base: caption, Base + 1: description
  std::array<int, 6> Buttons{-1, -1, -1, -1, -1, -1};  // OK, Cancel, Delete, Insert, Copy, Paste
  std::array<int, 6> Button_Hints{-1, -1, -1, -1, -1, -1};
  std::vector<int> Pages;                        // one per grid; empty: the one grid sits directly
  std::vector<std::vector<int>> Column_Hints;    // per grid, the hint list's entries from column 1
  int Delete_Question = -1;                      // the row number follows it
  bool Delete_Question_Format = false;           // the question's %d takes the row number
  // Header cells take the entry of their real column (hidden columns counted) and every
  // other cell gets an empty hint.
  bool Header_Hints_Only = false;
};

class TRuleEditorFrame : public TForm {
public:
  TRuleEditorFrame(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight,
                   TComponent* AOwner = nullptr);
  ~TRuleEditorFrame() override;

  // ---- controls
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPageControl* PageControl1 = nullptr;          // null when the one grid sits directly
  std::vector<TTabSheet*> Sheets;
  std::vector<TKvStringGrid*> Grids;             // column grids, or string grids with check boxes
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_DelRow = nullptr;
  TLbButton* Btn_InsRow = nullptr;
  TLbButton* Btn_CopyRow = nullptr;
  TLbButton* Btn_PasteRow = nullptr;

  // ---- state of one opening
  std::vector<bool> Do_Copy;                     // a row of this grid is on the shared clipboard
  std::vector<QStringList> Hints;                // per grid: entry i is the hint of column i + 1
  TRuleLoadState Load_State;

  const TRuleFile& Desc() const { return FFile; }
  const TRuleEditorTexts& Texts() const { return FTexts; }
  // The grid of the active page (or the only one) and its index.
  int Active_Grid() const;

  // ---- the steps every editor shares
  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  bool Controllo_dati();
  void Btn_OKClick(TObject* Sender);
  void Btn_DelRowClick(TObject* Sender);
  void Btn_InsRowClick(TObject* Sender);
  void Btn_CopyRowClick(TObject* Sender);
  void Btn_PasteRowClick(TObject* Sender);

  // ---- grid events (Sender is the grid)
  void ClickCell(TObject* Sender, int ARow, int ACol);
  void DblClickCell(TObject* Sender, int ARow, int ACol);
  void GridKeyPress(TObject* Sender, QChar& Key);
  void GridHint(TObject* Sender, int ARow, int ACol, QString& Hint);
  void CheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);

protected:
  // The editor's project file.
  virtual QString Project_File() const = 0;
  // Steps of the show before the grids are cleared (hiding columns, refilling hint lists;
  // a change of a grid's row count or key column goes to Edit_Desc() here) and between
  // clear and load (drop-down items, the first page, sizes).
  virtual void Before_Clear() {}
  virtual void Before_Load() {}
  // The editor's own texts after the shared ones.
  virtual void Set_Lang_Own() {}
  // The hint of a cell of grid G. The default gives header cells of columns from 1 the
  // entry of the displayed column and leaves other cells alone (see Header_Hints_Only).
  virtual void Grid_Hint(int G, int ARow, int ACol, QString& Hint);
  // A change of a drop-down cell of grid G (the picked item).
  virtual void Combo_Change(int G, int ACol, int ARow, int AItemIndex, const QString& ASelection);
  // After Paste Row put the copied row into row ARow of grid G.
  virtual void After_Paste_Row(int G, int ARow);

  // Deleting row Row of grid G after the question was answered Yes; the default is the
  // shared row delete.
  virtual void Delete_Rule_Row(int G, int Row);

  // A double click on a cell of grid G, before the frame sizes the column to it (after,
  // with the file's Auto_Size_Before_Dbl_Click).
  virtual void Cell_Dbl_Click(int G, int ARow, int ACol) { (void)G, (void)ARow, (void)ACol; }
  // After every load, a stopped one too (numbering that follows the loaded rows).
  virtual void After_Load() {}
  // A click on a check box of grid G (State: the box's new state).
  virtual void Check_Box_Click(int G, int ACol, int ARow, bool State) { (void)G, (void)ACol, (void)ARow, (void)State; }
  // After the delete question of row Row of grid G, whatever the answer (Deleted: Yes).
  virtual void After_Delete_Question(int G, int Row, bool Deleted) { (void)G, (void)Row, (void)Deleted; }

  TRuleFile& Edit_Desc() { return FFile; }
  int Grid_Index(TObject* Sender) const;

private:
  // The active grid and its current rule row; false when no rule row is current.
  bool Current_Row(int& G, TKvStringGrid*& Grid, int& Row) const;
  void Apply_Grid_Event_Handlers(int G);
  void Show_Rows_Left_Out();

  TRuleFile FFile;
  TRuleEditorTexts FTexts;
};

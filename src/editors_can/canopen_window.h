#pragma once
// What the three CANopen editors (PDO map, SDO server, SDO client) share on top of the
// rule editor frame: two pages whose grids have no Enable column (the key is column 1),
// the sizes of the data areas their byte positions address, hints that follow the active
// page and a row delete of their own.

#include "editors_can/canopen_rule_check.h"
#include "common/rule_editor_frame.h"

class TKvColumnGrid;

class TCANopen_Window : public TRuleEditorFrame {
public:
  TKvColumnGrid* sga = nullptr;  // first page
  TKvColumnGrid* sgb = nullptr;  // second page

  // Sizes of the input and output areas; set to 1500 on every show.
  int PROFINET_NByte_IN = 1500;
  int PROFINET_NByte_OUT = 1500;

  void Btn_OK_Click(TObject* Sender);
  void Btn_DelRow_Click(TObject* Sender);
  // Moves columns 1 .. ColCount - 1 of the rows below Num_Row up by one and empties the
  // last row; the row count and the row numbers stay.
  void Delete_Row(int Num_Row, TKvColumnGrid* SGA);

protected:
  TCANopen_Window(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight,
                  TComponent* AOwner);
  // Names the pages and grids after the editor's own.
  void Name_Pages(const QString& First_Page, const QString& Second_Page);
  // Centres a check-box column.
  void Centre_Column(TKvColumnGrid* G, int Col);

  void Before_Load() override;
  void Grid_Hint(int G, int ARow, int ACol, QString& Hint) override;
  void Delete_Rule_Row(int G, int Row) override;
};

// A grid of a CANopen editor: key column 1, no Enable column, every attribute required.
TRuleGrid CANopen_Grid(const char* Section, int Rows, int Error_Prefix, std::vector<TRuleColumn> Columns);
// The file of a CANopen editor: version "1.002", both sections always written.
TRuleFile CANopen_File(const char* Root, TRuleGrid First, TRuleGrid Second);
// The texts of a CANopen editor's block: caption and description at Base, the six button
// captions and hints after them, the two page captions at Base + 14; the hint lists of the
// two grids run on from their first texts.
TRuleEditorTexts CANopen_Texts(int Base, int First_Hints, int First_Count, int Second_Hints, int Second_Count,
                               int Delete_Question);

// The SDO server and client editors: pages "TS_SDO_Read" and "TS_SDO_Write".
class TCANopen_SDO_Window : public TCANopen_Window {
public:
  TTabSheet* TS_SDO_Read = nullptr;
  TTabSheet* TS_SDO_Write = nullptr;

  // The header hints of the two grids.
  QStringList& Hint_SDO_Client_Read() { return Hints[0]; }
  QStringList& Hint_SDO_Client_Write() { return Hints[1]; }

  // The objects (node and index) that some row of either grid gives a sub-index other than
  // 0: both lists address one dictionary. Gathered afresh at the start of every check.
  TSDO_Records SDO_Records;
  void Gather_SDO_Records(const TSDO_Cols& Cols);

protected:
  TCANopen_SDO_Window(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight, TComponent* AOwner);
};

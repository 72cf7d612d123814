#pragma once
// The EtherCAT slave process data editor: the variables the slave sends to the master
// ("Slave To Master") and those it receives ("Master To Slave"), one string grid each,
// kept in EtherCAT_Slave.xml for the ESI writer. While the user types, every enabled
// variable's byte position and start bit are computed and shown read-only; a type sets
// its length (editable only for the string types). Nothing is checked on OK.

#include "common/rule_editor_frame.h"

#include <QStringList>

class TFEtherCATSlave : public TRuleEditorFrame {
public:
  // Columns of both grids up to Name; the rest differ by grid (Init Value only in Slave To Master).
  static constexpr int Col_Enable = 1, Col_Type = 2, Col_Length = 3, Col_Name = 4;
  static constexpr int StM_Init_Value = 5, StM_Position = 6, StM_Bit = 7, StM_Mnemonic = 8;
  static constexpr int MtS_Position = 5, MtS_Bit = 6, MtS_Mnemonic = 7;
  static constexpr int SlaveToMaster = 0, MasterToSlave = 1;
  static constexpr int Var_Rows = 256;

  explicit TFEtherCATSlave(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFEtherCATSlave"); }

  TTabSheet* TS_SlaveToMaster = nullptr;
  TTabSheet* TS_MasterToSlave = nullptr;
  TKvStringGrid* KSG_SlaveMaster = nullptr;
  TKvStringGrid* KSG_MasterSlave = nullptr;
  // The items of the Type drop-down.
  QStringList VarType;

  // Row numbers, cell colours, the centred Enable boxes and the read-only computed cells.
  void Init_Table();
  // The length rule of type text ASelection on row ARow of Grid (ACol is not used).
  void VarSetLength(TKvStringGrid* Grid, const QString& ASelection, int ACol, int ARow);
  // Position and Start Bit of every row of Grid up to the first empty Type.
  void Calc_Position_Bit(TKvStringGrid* Grid, bool SlaveMaster);

  // Grid events of both grids (the sender is the grid).
  void KSG_SlaveMasterGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
  void KSG_SlaveMasterCellValidate(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid);

protected:
  QString Project_File() const override;
  void After_Load() override;
  void Combo_Change(int G, int ACol, int ARow, int AItemIndex, const QString& ASelection) override;
  void After_Paste_Row(int G, int ARow) override;
  void Delete_Rule_Row(int G, int Row) override;
  void Check_Box_Click(int G, int ACol, int ARow, bool State) override;
  void After_Delete_Question(int G, int Row, bool Deleted) override;

private:
  void Calc_Positions(int G);
};

extern TFEtherCATSlave* FEtherCATSlave;

#pragma once
// The OPC UA server variables editor: the variables the device offers as an OPC UA
// server, one grid row each, kept in OPC_UA_Server.xml. Choosing a type proposes its
// length (read-only for the fixed sizes); rows with an empty Type are skipped, so a gap
// between typed rows loses nothing on save.

#include "common/rule_editor_frame.h"

#include <QStringList>

class TFOPC_UA_Server_Access : public TRuleEditorFrame {
public:
  enum : int { Col_Enable = 1, Col_Type = 2, Col_Position = 3, Col_Length = 4, Col_Name = 5, Col_RW = 6, Col_Mnemonic = 7 };

  explicit TFOPC_UA_Server_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFOPC_UA_Server_Access"); }

  TKvStringGrid* KSG = nullptr;
  QStringList VarType;
  QStringList RWType;

  // Column counts, widths, check boxes, row numbers and the cell colours.
  void Init_Table();
  // The type's length into the row (read-only for the fixed sizes, editable for the text
  // types, unchanged for any other text), then "Read/Write" for an empty access.
  void VarSetLength(const QString& Type, int Row);
  // OnGetEditorType of the grid: the Type and R/W columns pick from their lists.
  void KSGGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);

protected:
  QString Project_File() const override;
  void Before_Load() override;
  void Combo_Change(int G, int ACol, int ARow, int AItemIndex, const QString& ASelection) override;
  void After_Paste_Row(int G, int ARow) override;

private:
  bool Check_Positions();
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;

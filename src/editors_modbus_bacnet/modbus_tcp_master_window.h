#pragma once
// The Modbus TCP master rules editor: read rules that poll a block of coils, inputs or
// registers of a Modbus TCP slave into the device's input data, and write rules that
// write coils or holding registers from its output data, kept in
// ModbusTCPM_SetAccess.xml. A rule editor frame with two pages; no control shows a hint.

#include "shell/common/rule_editor_frame.h"

#include <QStringList>

class TKvColumnGrid;

class TFModbus_TCP_Master_Set_Access : public TRuleEditorFrame {
public:
  explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFModbus_TCP_Master_Set_Access"); }

  TTabSheet* TS_Modbus_Read = nullptr;
  TTabSheet* TS_Modbus_Write = nullptr;
  TKvColumnGrid* KCG_Modbus_Read = nullptr;
  TKvColumnGrid* KCG_Modbus_Write = nullptr;

  // The publish topics the hidden Topic column offers; nothing fills the list, so every
  // saved Index_Topic is "-1" and every loaded Topic is empty.
  QStringList List_Publish_Topic;
  int NByte_IN = 1500;
  int NByte_OUT = 1500;

  // The frame's per-grid state under this window's names: Do_Copy[0] and [1] are the
  // copy flags of the read and the write grid, Hints[0] and [1] their column hints.
  static constexpr int Read = 0, Write = 1;

  // Position of the first entry equal to Topic, -1 for none.
  int Get_Index_From_Topic(const QString& Topic) const;
  // The entry at Index, empty outside the list.
  QString Get_Topic_From_Index(int Index) const;

protected:
  QString Project_File() const override;
  void Before_Clear() override;
  void Before_Load() override;
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;

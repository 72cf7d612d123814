#pragma once
// The SNMP agent variable editor: up to 256 read variables (device data a manager reads,
// also sent as traps) and 256 write variables (data a manager writes), kept in
// SNMP_Trap.xml, which the MIB writer reads. A rule editor frame with two pages; column
// 0 numbers the enabled rows, renewed at every show and every click on an Enable box.
// A file that lacks one of its two sections reads that section as empty.

#include "common/rule_editor_frame.h"

#include <QStringList>

class TKvColumnGrid;

class TFSNMP_Trap_Access : public TRuleEditorFrame {
public:
  explicit TFSNMP_Trap_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFSNMP_Trap_Access"); }

  static constexpr int Read = 0, Write = 1;

  TTabSheet* TS_SNMP_Read = nullptr;
  TTabSheet* TS_SNMP_Write = nullptr;
  TKvColumnGrid* KCG_SNMP_Read = nullptr;
  TKvColumnGrid* KCG_SNMP_Write = nullptr;

  int NByte_IN = 1440;
  int NByte_OUT = 1440;
  // The descriptions of the enabled variables of the last check, read ones first.
  QStringList SL_Check_Desc;

  // Numbers the rows whose Enable is "Y" from 1 in column 0; other rows get no number.
  void Index_Row_Build(TKvStringGrid* app_SGA);

protected:
  QString Project_File() const override;
  void Before_Load() override;
  void After_Load() override;
  void Check_Box_Click(int G, int ACol, int ARow, bool State) override;
};

// True (an error) when Text holds a character other than ASCII letters and digits; with
// Check_Type 1 its first character must moreover be a lower-case letter. The empty text
// passes.
bool Check_Error_CommName_Desc(const QString& Text, int Check_Type);

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;

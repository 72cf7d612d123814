#pragma once
// The S7 rules editor ("S7comm Access"): read rules that poll a data item of an S7-family
// PLC into the device's input array, and write rules that send one from its output array,
// one column grid each, kept in S7_Protocol.xml. The check counts the distinct PLC
// connections (address and port) of all enabled rules: the device holds at most ten.

#include "common/rule_editor_frame.h"

#include <vector>

// One PLC connection of the check; IP1 -1 marks a free entry.
struct TIPPort {
  int IP1 = -1, IP2 = -1, IP3 = -1, IP4 = -1;
  int Port = -1;
};

class TFS7_Protocol_Set_Access : public TRuleEditorFrame {
public:
  enum : int { Read = 0, Write = 1 };
  enum : int { Col_Enable = 1, Col_PLC_Address = 2, Col_PLC_Port = 3, Col_PLC_Type = 4, Col_Rack = 5, Col_Slot = 6 };
  enum : int { Read_Position_Col = 14, Write_Position_Col = 16 };
  static constexpr int Max_Connections = 10;

  explicit TFS7_Protocol_Set_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFS7_Protocol_Set_Access"); }

  TTabSheet* TS_S7_Read = nullptr;
  TTabSheet* TS_S7_Write = nullptr;
  TKvColumnGrid* KCG_S7_Read = nullptr;
  TKvColumnGrid* KCG_S7_Write = nullptr;

  // Sizes of the device's input and output arrays; set on every show.
  int NByte_IN = 1500;
  int NByte_OUT = 1500;
  // The connections met by the running check, in check order.
  std::vector<TIPPort> array_ip_Port;

  // The entry of the connection (address bytes in dotted order, port): the one already
  // there, else the first free one taken for it; -1 when it is new and none is free.
  int Check_IP_Port(int b1, int b2, int b3, int b4, int p);
  // The checks of one enabled rule, in their order; the first failure.
  TRuleFailure Check_Row(TKvStringGrid* G, int Row, bool Write_Rule);

protected:
  QString Project_File() const override;
  void Before_Load() override;
};

extern TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access;

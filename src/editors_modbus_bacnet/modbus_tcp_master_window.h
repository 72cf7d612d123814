#pragma once
// The Modbus TCP master rules editor: read rules that poll a block of coils, inputs or
// registers of a Modbus TCP slave into the device's input data, and write rules that
// write coils or holding registers from its output data, kept in
// ModbusTCPM_SetAccess.xml. A rule editor frame with two pages; no control shows a hint.

#include "editors_modbus_bacnet/modbus_master_window.h"

class TFModbus_TCP_Master_Set_Access : public TModbus_Master_Window {
public:
  explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFModbus_TCP_Master_Set_Access"); }

  // Position of the first entry equal to Topic, -1 for none. Nothing fills the list, so
  // every saved Index_Topic is "-1" and every loaded Topic is empty.
  int Get_Index_From_Topic(const QString& Topic) const;

protected:
  QString Project_File() const override;
  void Before_Clear() override;
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;

#pragma once
// The CANopen PDO map editor: up to 30 receive PDOs, whose data bytes go into the input
// area, and 30 transmit PDOs, whose data bytes come from the output area, kept in
// PDO_CANopen.xml. The EDS writer reads that file.

#include "editors_can/canopen_window.h"

class TFSet_PDO_Access : public TCANopen_Window {
public:
  explicit TFSet_PDO_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFSet_PDO_Access"); }

  TTabSheet* TS_Receive_PDO = nullptr;
  TTabSheet* TS_Transmit_PDO = nullptr;

  // The header hints of the two grids (entry c - 1 for column c).
  QStringList& Hint_PDO_Receive() { return Hints[0]; }
  QStringList& Hint_PDO_Transmit() { return Hints[1]; }

protected:
  QString Project_File() const override;
};

extern TFSet_PDO_Access* FSet_PDO_Access;

#pragma once
// The CANopen SDO server editor: the objects the converter offers in its manufacturer
// range, up to 500 that the CANopen side reads and 500 that it writes, each one sub-index
// of 1, 2 or 4 bytes placed in the data area, kept in SDO_Server_CANopen.xml. The EDS
// writer reads that file.

#include "editors_can/canopen_window.h"

class TFSet_SDO_Server_Access : public TCANopen_SDO_Window {
public:
  explicit TFSet_SDO_Server_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFSet_SDO_Server_Access"); }

protected:
  QString Project_File() const override;
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;

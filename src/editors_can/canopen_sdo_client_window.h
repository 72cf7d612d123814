#pragma once
// The CANopen SDO client editor: the requests the converter sends to other nodes, up to
// 256 reads into the input area and 256 writes from the output area, kept in
// SDO_Client_CANopen.xml. No other part of the program reads that file.

#include "editors_can/canopen_window.h"

class TFSet_SDO_Client_Access : public TCANopen_SDO_Window {
public:
  explicit TFSet_SDO_Client_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFSet_SDO_Client_Access"); }

protected:
  QString Project_File() const override;
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;

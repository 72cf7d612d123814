#pragma once
// The CAN receive frames editor: up to 512 frames that the device takes from the CAN
// bus, each with its COB-ID and identifier type, data length, receive time-out and the
// position in the receive data array of each data byte ("None": not stored), kept in
// CAN_Rec_Frames.xml.

#include "editors_can/can_frame_window.h"

class TFReceiveCAN : public TCAN_Frame_Window {
public:
  explicit TFReceiveCAN(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFReceiveCAN"); }

  TKvColumnGrid* KCG_CAN_Receive = nullptr;

  // Entry c - 1 is the hint of the header of column c.
  QStringList& Hint_ReceiveCAN() { return Hints[0]; }

protected:
  QString Project_File() const override;
};

extern TFReceiveCAN* FReceiveCAN;

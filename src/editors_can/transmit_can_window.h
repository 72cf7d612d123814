#pragma once
// The CAN transmit frames editor: up to 512 frames that the device sends on the CAN
// bus, each with its COB-ID and identifier type, data length, when it is sent (on a
// change of its data, on command, on a timer with its period) and the position of the
// transmit data array sent in each data byte, kept in CAN_Send_Frames.xml.
//
// Files of an older layout have rows without the type and send attributes; the fixed
// fields CAN_Type, Send_Type and Send_Time stand in for them, and nothing changes them.

#include "editors_can/can_frame_window.h"

class TFTransmitCAN : public TCAN_Frame_Window {
public:
  explicit TFTransmitCAN(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFTransmitCAN"); }

  TKvColumnGrid* KCG_CAN_Transmit = nullptr;

  // Values of the older layout: 11-bit identifiers, send on change (1: on the timer),
  // and the timer's period.
  int CAN_Type = 0;
  int Send_Type = 0;
  int Send_Time = 0;

  // Entry c - 1 is the hint of the header of column c.
  QStringList& Hint_TransmitCAN() { return Hints[0]; }

protected:
  QString Project_File() const override;
  void Before_Clear() override;
};

extern TFTransmitCAN* FTransmitCAN;

#pragma once
// The NMEA 2000 transmit rules editor: up to 62 parameter groups that the converter
// sends, each with priority, PGN, source address, whether it goes out as a fast packet,
// its number of data bytes and when it is sent (on a request, on a change of its data,
// on a timer with its period); kept in NMEA_Send_Frames.xml, whose root carries the
// receive file's name "Receive_NMEA_2000" as every such file was written. All rules
// together send at most NUM_BYTE_OUT bytes.
//
// The table ends at the first row whose Priority and PGN are both empty (blanks count
// as filled): check and save take the same rows, so no row is written unchecked.

#include "editors_can/pgn_rules.h"

class TFTransmitNMEA : public TPGN_Window {
public:
  explicit TFTransmitNMEA(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFTransmitNMEA"); }

  // The most bytes all rules may send together; set on every show.
  int NUM_BYTE_OUT = 512;

  QStringList& Hint_TransmitNMEA() { return Hints[0]; }

protected:
  QString Project_File() const override;
  void Before_Clear() override;
};

extern TFTransmitNMEA* FTransmitNMEA;

#pragma once
// The NMEA 2000 receive rules editor: up to 62 parameter groups that the converter
// receives, each with PGN and source address, arriving as a single frame, through the
// transport protocol or as a fast packet, with the bytes it captures and whether the
// captured data is cancelled at its time-out; kept in NMEA_Rec_Frames.xml. All rules
// together capture at most NUM_BYTE_IN bytes.
//
// No Enable column: every row up to the first empty PGN (blanks count as filled) is
// checked and saved.

#include "editors_can/pgn_rules.h"

class TFReceiveNMEA : public TPGN_Window {
public:
  explicit TFReceiveNMEA(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFReceiveNMEA"); }

  // The most bytes all rules may capture together; set on every show.
  int NUM_BYTE_IN = 512;

  QStringList& Hint_ReceiveNMEA() { return Hints[0]; }

protected:
  QString Project_File() const override;
  void Before_Clear() override;
};

extern TFReceiveNMEA* FReceiveNMEA;

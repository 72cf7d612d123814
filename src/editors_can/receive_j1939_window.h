#pragma once
// The J1939 receive rules editor: up to 512 parameter groups that the device receives,
// each named by data page, PGN and source address, arriving through the transport
// protocol or as a single frame, with the bytes it captures, whether the captured data
// is cancelled at its time-out and whether the device requests the group itself; kept in
// J1939_Rec_Frames.xml. All rules together capture at most NUM_BYTE_IN bytes.
//
// The grid has no Enable column: every row up to the first empty PGN (a PGN of blanks
// is a rule) is checked and saved.

#include "editors_can/pgn_rules.h"

class TFReceiveJ1939 : public TPGN_Window {
public:
  explicit TFReceiveJ1939(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFReceiveJ1939"); }

  // The most bytes all rules may capture together; set on every show.
  int NUM_BYTE_IN = 1440;

  QStringList& Hint_ReceiveJ1939() { return Hints[0]; }

protected:
  QString Project_File() const override;
  void Before_Clear() override;
};

extern TFReceiveJ1939* FReceiveJ1939;

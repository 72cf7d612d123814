#pragma once
// The J1939 transmit rules editor: up to 512 parameter groups that the device sends,
// each with priority, data page, PGN, source address and number of data bytes, and when
// it is sent (on a request, on a change of its data, on a timer with its period); kept in
// J1939_Send_Frames.xml. The byte counts of all rules together stay within NUM_BYTE_OUT.
//
// The table ends at the first row whose Priority and PGN are both empty (a cell of
// blanks counts as filled): check and save take the same rows, so no row is written
// unchecked. Rows of older files carry one send mode in "T_Type", read and never written.

#include "editors_can/pgn_rules.h"

class TFTransmitJ1939 : public TPGN_Window {
public:
  explicit TFTransmitJ1939(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFTransmitJ1939"); }

  // The largest total of the rules' byte counts; set on every show.
  int NUM_BYTE_OUT = 512;

  QStringList& Hint_TransmitJ1939() { return Hints[0]; }

protected:
  QString Project_File() const override;
  void Before_Clear() override;
};

extern TFTransmitJ1939* FTransmitJ1939;

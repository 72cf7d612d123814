#pragma once
// The row checks of the CANopen editors, as free functions on the grid cells. Every
// number cell is read by the editors' integer reading (an empty or foreign text reads -1
// and fails every range); the first failing test of a row gives its text.

#include "shell/common/rule_table.h"

class TKvStringGrid;

// Positions of Count data bytes in columns First_Col .. First_Col + Count - 1, each in 0
// to Size - 1. Byte k fails with Text_Base + k and the limit Size - 1.
TRuleFailure Check_Byte_Positions(TKvStringGrid* G, int Row, int First_Col, int Count, int Size, int Text_Base);

// A PDO map row: COB-ID, Dimension, the bytes up to the Dimension, then TimeOut (receive)
// or Send Time (transmit). Size bounds the byte positions.
TRuleFailure Check_PDO_Row(TKvStringGrid* G, int Row, bool Transmit, int Size);

// An SDO server row: Index in the manufacturer range, SubIndex, N Byte, its bytes.
TRuleFailure Check_SDO_Server_Row(TKvStringGrid* G, int Row, bool Write, int Size);

// An SDO client row: ID Device, Index, SubIndex, N Byte, Poll Time, its bytes (after the
// On Change column in the write grid).
TRuleFailure Check_SDO_Client_Row(TKvStringGrid* G, int Row, bool Write, int Size);

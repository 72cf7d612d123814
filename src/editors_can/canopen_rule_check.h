#pragma once
// The row checks of the CANopen editors, as free functions on the grid cells. Every
// number cell is read by the editors' integer reading (an empty or foreign text reads -1
// and fails every range); the first failing test of a row gives its text.

#include "common/rule_table.h"

#include <QSet>

class TKvStringGrid;

// Positions of Count data bytes in columns First_Col .. First_Col + Count - 1, each in 0
// to Size - 1. Byte k fails with Text_Base + k and the limit Size - 1.
TRuleFailure Check_Byte_Positions(TKvStringGrid* G, int Row, int First_Col, int Count, int Size, int Text_Base);

// A PDO map row: COB-ID, Dimension, the bytes up to the Dimension, then TimeOut (receive)
// or Send Time (transmit). Size bounds the byte positions.
TRuleFailure Check_PDO_Row(TKvStringGrid* G, int Row, bool Transmit, int Size);

// Sub-index 0 of an object that has other sub-indexes is its number of entries, one byte
// (UNSIGNED8); a lone sub-index 0 is a plain variable of any size. The objects are told
// apart by node and index (Records holds the keys of those with another sub-index).
struct TSDO_Cols {
  int Node;  // -1: the converter's own dictionary
  int Index, Sub, Size;
};
using TSDO_Records = QSet<qint64>;
// Adds the objects that rows 1 .. End - 1 of G give a sub-index from 1 to 255.
void Add_SDO_Records(TKvStringGrid* G, int End, const TSDO_Cols& C, TSDO_Records& Records);

// An SDO server row: Index in the manufacturer range, SubIndex, N Byte (1 byte for a
// sub-index 0 of an object in Records), its bytes.
TRuleFailure Check_SDO_Server_Row(TKvStringGrid* G, int Row, bool Write, int Size, const TSDO_Records& Records);

// An SDO client row: ID Device, Index, SubIndex, N Byte (as for the server, per device),
// Poll Time, its bytes (after the On Change column in the write grid).
TRuleFailure Check_SDO_Client_Row(TKvStringGrid* G, int Row, bool Write, int Size, const TSDO_Records& Records);

inline constexpr TSDO_Cols SDO_Server_Cols{-1, 1, 2, 3};
inline constexpr TSDO_Cols SDO_Client_Cols{1, 2, 3, 4};

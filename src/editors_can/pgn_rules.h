#pragma once
// What the J1939 and NMEA 2000 rule windows share: their frame (one grid "sga" without
// an Enable column, a running byte total over the rows) and their checks, as free
// functions on the grid cells: a receive rule's addresses and the byte window it captures (through the
// transport protocol, as a fast packet or from a single frame) with the count it adds to
// the running total, and a transmit rule's priority, addresses, byte count and send
// timer. Each window gives its columns, limits and texts.
//
// Start Byte + N Byte and the running totals are summed in 64 bits: a cell may hold any
// 32-bit number, and a sum that wrapped would let a huge count pass.

#include "common/rule_editor_frame.h"
#include "common/rule_table.h"

class TKvColumnGrid;
class TKvStringGrid;

constexpr int PGN_TP_Last_Byte = 1785;  // transport protocol messages
constexpr int PGN_FP_Last_Byte = 223;   // fast packets
constexpr int PGN_Frame_Bytes = 8;      // one frame

// A check-box cell counts as ticked only when it holds exactly "Y".
bool PGN_Ticked(TKvStringGrid* G, int Col, int Row);

// The running byte total of one check; the window starts it again before every check.
struct TPGN_Byte_Total {
  qint64 Sum = 0;
  // Adds Count; a total above Limit fails with Text followed by Limit, without the row
  // prefix.
  TRuleFailure Add(qint64 Count, int Limit, int Text);
};

// The columns and texts of a receive rule. Columns of -1 are not in the window.
struct TPGN_Receive {
  int DP_Col = -1, DP_Text = -1;     // the Data Page must not be empty
  int PGN_Col = -1, PGN_Text = -1;
  int PGN_Max = 0;
  int SA_Col = -1, SA_Text = -1;     // 0 .. 239
  int TP_Col = -1, FP_Col = -1;      // Transport Protocol, Fast Packet boxes
  int Start_Col = -1, NByte_Col = -1;
  int TP_Start_Text = -1, TP_Sum_Text = -1;
  int FP_Start_Text = -1, FP_Sum_Text = -1;
  int Both_Text = -1;                // a single frame with only one of Start and N
  int Single_Start_Text = -1, Single_N_Text = -1, Single_Sum_Text = -1;
  int Total_Text = -1;
};

// Data Page, PGN, Source Address, the byte window, the total against Max_Bytes.
TRuleFailure Check_PGN_Receive_Row(const TPGN_Receive& C, TKvStringGrid* G, int Row, int Max_Bytes,
                                   TPGN_Byte_Total& Total);

// The byte window alone; on success Count is what the row adds to the total.
TRuleFailure Check_PGN_Receive_Bytes(const TPGN_Receive& C, TKvStringGrid* G, int Row, qint64& Count);

// The columns, limits and texts of a transmit rule.
struct TPGN_Transmit {
  int Priority_Col = -1, Priority_Text = -1;  // 0 .. 7
  int DP_Col = -1, DP_Text = -1;              // -1: the window has no Data Page
  int PGN_Col = -1, PGN_Text = -1;            // 0 .. 0x1FFFF
  int SA_Col = -1, SA_Text = -1;
  int SA_Max = 0;
  int NByte_Col = -1, NByte_Text = -1;        // 0 .. the window's limit, named after the text
  int Total_Text = -1;
  int On_Timer_Col = -1, Timer_Col = -1, Timer_Text = -1;  // 1 .. 65535 when On Timer is ticked
};

// Priority, Data Page, PGN, Source Address, N Bytes against Max_Bytes, the total, the
// send timer.
TRuleFailure Check_PGN_Transmit_Row(const TPGN_Transmit& C, TKvStringGrid* G, int Row, int Max_Bytes,
                                    TPGN_Byte_Total& Total);

// The frame of the four windows: the grid "sga" and the running total, which starts again
// before every check.
class TPGN_Window : public TRuleEditorFrame {
public:
  TKvColumnGrid* sga = nullptr;
  bool Controllo_Dati() { return Controllo_dati(); }

protected:
  TPGN_Window(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight, TComponent* AOwner);

  TPGN_Byte_Total Total;
};

#pragma once
// What the CAN receive and transmit frame windows share: the frame with its one column
// grid, an Enable test on the trimmed, upper-cased cell (a lower-case "y" enables a
// rule), no row selection by a row-number click, the byte lists rebuilt from MAX_Byte on
// every show, the keyboard focus on the grid after loading, and the row check.
//
// A frame's COB-ID range follows its identifier type; its byte positions are checked up
// to its Dimension only, each "None", empty or a position of the data array.

#include "common/rule_editor_frame.h"

class TKvColumnGrid;

// Columns and texts of one window's row check. COB-ID, Type and Dimension are columns
// 2, 3 and 4 in both windows.
struct TCAN_Frame_Check {
  int Time_Col = -1;          // the time-out or send time
  int Time_If_Col = -1;       // the time is checked only when this cell is ticked; -1: always
  int First_Byte_Col = -1;    // Byte1; Byte2 .. Byte8 follow
  int Cob_11_Text = -1;       // with "2.0A (11 bits)"
  int Cob_29_Text = -1;       // with any other type text
  int Dim_Text = -1;
  int Time_Text = -1;
  int Byte1_Text = -1;        // "!! Byte1 must be between 0 and "
  int Or_None_Text = -1;      // " or None", after the largest position
  int Byte2_Text = -1;        // Byte2 .. Byte8 from here on
};

constexpr int CAN_Cob_Col = 2;
constexpr int CAN_Type_Col = 3;
constexpr int CAN_Dim_Col = 4;

// The cell ticks its box: trimmed and upper-cased it is "Y".
bool CAN_Ticked(const QString& Cell);

// The checks of one CAN frame rule; Max_Byte positions run 0 .. Max_Byte - 1.
TRuleFailure Check_CAN_Frame_Row(const TCAN_Frame_Check& C, int Max_Byte, TKvStringGrid* G, int Row);

// The identifier types of the Type column.
QStringList CAN_Type_Items();

// The grid of a CAN frame window: 512 rules keyed by the COB-ID, the Enable test above,
// no row selection by a row-number click.
TRuleGrid CAN_Frame_Grid(int Error_Prefix, std::vector<TRuleColumn> Columns);

class TCAN_Frame_Window : public TRuleEditorFrame {
public:
  // The size of the data array the byte positions address; set on every show.
  int MAX_Byte = 0;

protected:
  // File and Texts as the frame takes them; Check the row check's columns and texts;
  // Max_Byte the array size every show sets.
  TCAN_Frame_Window(TRuleFile File, TRuleEditorTexts Texts, TCAN_Frame_Check Check, int Max_Byte, int ClientWidth,
                    int ClientHeight, TComponent* AOwner);

  TKvColumnGrid* Frame_Grid() const;

  void Before_Load() override;
  void After_Load() override;

private:
  TCAN_Frame_Check FCheck;
  int FShow_Max_Byte;
};

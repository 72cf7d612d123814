// The J1939 receive rules editor.

#include "editors_can/receive_j1939_window.h"

#include "editors_can/single_grid_editor.h"
#include "common/working_state.h"

TFReceiveJ1939* FReceiveJ1939 = nullptr;

namespace {

constexpr int On_Request_Col = 8;
constexpr int Request_Time_Col = 9;
// A request period of 0 or 1 ms is refused, as every file so far was checked.
constexpr int Request_Time_Min = 2;
constexpr int Request_Time_Max = 10000000;

TPGN_Receive Receive_Check()
{
  TPGN_Receive c;
  c.DP_Col = 1;
  c.DP_Text = 3736;
  c.PGN_Col = 2;
  c.PGN_Max = 0xFFFF;  // the data page is a column of its own
  c.PGN_Text = 3737;
  c.SA_Col = 3;
  c.SA_Text = 3738;
  c.TP_Col = 4;
  c.Start_Col = 5;
  c.NByte_Col = 6;
  c.TP_Start_Text = 3739;
  c.TP_Sum_Text = 3740;
  c.Both_Text = 3741;
  c.Single_Start_Text = 3742;
  c.Single_N_Text = 3743;
  c.Single_Sum_Text = 3744;
  c.Total_Text = 3745;
  return c;
}

}  // namespace

TFReceiveJ1939::TFReceiveJ1939(TComponent* AOwner)
    : TPGN_Window(
          Single_Grid_File(
              "Receive_J1939",
              Untrimmed_Key_Grid(512, 2, 3735,
                                 {Rule_Row_Number(3714), Guarded(3715, "DP", 70, edComboList, "", {"0", "1"}),
                                  Guarded(3716, "PGN", 70), Guarded(3717, "SA", 95),
                                  Guarded(3718, "TP", 113, edDataCheckBox, "N"), Guarded(3719, "TP_Start", 65),
                                  Guarded(3720, "TP_NByte", 55), Guarded(3721, "Delete", 75, edDataCheckBox, "N"),
                                  Guarded(3722, "OnRequest", 75, edDataCheckBox, "N"),
                                  Guarded(3723, "OnReq_Time", 65, edNormal, "1000"), Guarded(3724, "Mnemonic", 150)})),
          Single_Grid_Texts(3700, 3708, Text_Run(3725, 10), 3747), 876, 337, AOwner)
{
  SetName(QStringLiteral("FReceiveJ1939"));
  Edit_Desc().Grids[0].Check_Row = [this](TKvStringGrid* g, int r) {
    if (TRuleFailure f = Check_PGN_Receive_Row(Receive_Check(), g, r, NUM_BYTE_IN, Total))
      return f;
    if (PGN_Ticked(g, On_Request_Col, r) && !Cell_In_Range(g, Request_Time_Col, r, Request_Time_Min, Request_Time_Max))
      return Rule_Failure(3746);
    return TRuleFailure{};
  };
}

QString TFReceiveJ1939::Project_File() const
{
  return WS().Name_File_J1939_Rec_Frames;
}

void TFReceiveJ1939::Before_Clear()
{
  NUM_BYTE_IN = 1440;
}

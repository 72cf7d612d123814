// The NMEA 2000 receive rules editor.

#include "editors_can/receive_nmea_window.h"

#include "editors_can/single_grid_editor.h"
#include "common/working_state.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

namespace {

TPGN_Receive Receive_Check()
{
  TPGN_Receive c;
  c.PGN_Col = 1;
  c.PGN_Max = 0x1FFFF;
  c.PGN_Text = 4132;
  c.SA_Col = 2;
  c.SA_Text = 4133;
  c.TP_Col = 3;
  c.FP_Col = 4;
  c.Start_Col = 5;
  c.NByte_Col = 6;
  c.TP_Start_Text = 4134;
  c.TP_Sum_Text = 4135;
  c.FP_Start_Text = 4136;
  c.FP_Sum_Text = 4137;
  c.Both_Text = 4138;
  c.Single_Start_Text = 4139;
  c.Single_N_Text = 4140;
  c.Single_Sum_Text = 4141;
  c.Total_Text = 4142;
  return c;
}

}  // namespace

TFReceiveNMEA::TFReceiveNMEA(TComponent* AOwner)
    : TPGN_Window(
          Single_Grid_File("Receive_NMEA_2000",
                           Untrimmed_Key_Grid(62, 1, 4131,
                                              {Rule_Row_Number(4114), Guarded(4115, "PGN", 80), Guarded(4116, "SA", 95),
                                               Guarded(4117, "TP", 113, edDataCheckBox, "N"),
                                               Guarded(4118, "FP", 73, edDataCheckBox, "N"),
                                               Guarded(4119, "TP_Start", 65), Guarded(4120, "TP_NByte", 50),
                                               Guarded(4121, "Delete", 74, edDataCheckBox, "N"),
                                               Guarded(4122, "Mnemonic", 195)})),
          Single_Grid_Texts(4100, 4108, Text_Run(4123, 8), 4143), 810, 337, AOwner)
{
  SetName(QStringLiteral("FReceiveNMEA"));
  Edit_Desc().Grids[0].Check_Row = [this](TKvStringGrid* g, int r) {
    return Check_PGN_Receive_Row(Receive_Check(), g, r, NUM_BYTE_IN, Total);
  };
}

QString TFReceiveNMEA::Project_File() const
{
  return WS().Name_File_NMEA_Rec_Frames;
}

void TFReceiveNMEA::Before_Clear()
{
  NUM_BYTE_IN = 512;
}

// The NMEA 2000 transmit rules editor.

#include "editors_can/transmit_nmea_window.h"

#include "editors_can/single_grid_editor.h"
#include "common/working_state.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

namespace {

constexpr int Priority_Col = 1;
constexpr int PGN_Col = 2;

TRuleGrid Make_Grid()
{
  TRuleGrid g = Untrimmed_Key_Grid(
      62, PGN_Col, 4235,
      {Rule_Row_Number(4214), Guarded(4215, "Priority", 50), Guarded(4216, "PGN", 75), Guarded(4217, "SA", 95),
       Guarded(4218, "FP", 75, edDataCheckBox, "N"), Guarded(4219, "TP_NByte", 60),
       Guarded(4220, "On_Request", 55, edDataCheckBox, "N"), Guarded(4221, "On_Data_Change", 80, edDataCheckBox, "N"),
       Guarded(4222, "On_Timer", 64, edDataCheckBox, "N"), Guarded(4223, "SendTimer", 75),
       Guarded(4224, "Mnemonic", 116)});
  g.Second_Key_Col = Priority_Col;
  return g;
}

TPGN_Transmit Transmit_Check()
{
  TPGN_Transmit c;
  c.Priority_Col = Priority_Col;
  c.Priority_Text = 4236;
  c.PGN_Col = PGN_Col;
  c.PGN_Text = 4237;
  c.SA_Col = 3;
  c.SA_Max = 239;
  c.SA_Text = 4238;
  c.NByte_Col = 5;  // the Fast Packet box does not change its range
  c.NByte_Text = 4239;
  c.Total_Text = 4240;
  c.On_Timer_Col = 8;
  c.Timer_Col = 9;
  c.Timer_Text = 4241;
  return c;
}

}  // namespace

TFTransmitNMEA::TFTransmitNMEA(TComponent* AOwner)
    : TPGN_Window(Single_Grid_File("Receive_NMEA_2000", Make_Grid()),
                       Single_Grid_Texts(4200, 4208, Text_Run(4225, 10), 4242), 810, 337, AOwner)
{
  SetName(QStringLiteral("FTransmitNMEA"));
  Edit_Desc().Grids[0].Check_Row = [this](TKvStringGrid* g, int r) {
    return Check_PGN_Transmit_Row(Transmit_Check(), g, r, NUM_BYTE_OUT, Total);
  };
}

QString TFTransmitNMEA::Project_File() const
{
  return WS().Name_File_NMEA_Send_Frames;
}

void TFTransmitNMEA::Before_Clear()
{
  NUM_BYTE_OUT = 512;
}

// The J1939 transmit rules editor.

#include "editors_can/transmit_j1939_window.h"

#include "editors_can/single_grid_editor.h"
#include "grid/kv_string_grid.h"
#include "common/working_state.h"

TFTransmitJ1939* FTransmitJ1939 = nullptr;

namespace {

constexpr int Priority_Col = 1;
constexpr int PGN_Col = 3;
constexpr int N_Bytes_Col = 5;
constexpr int Request_Col = 6;
constexpr int Data_Change_Col = 7;
constexpr int On_Timer_Col = 8;

TRuleGrid Make_Grid()
{
  TRuleColumn nBytes = Guarded(3819, "TP_NByte", 60);
  // A rule without a byte count sends a whole frame.
  nBytes.Load = [](int, bool, const QString& Stored) { return Stored.isEmpty() ? QStringLiteral("8") : Stored; };
  TRuleGrid g = Untrimmed_Key_Grid(
      512, PGN_Col, 3835,
      {Rule_Row_Number(3814), Guarded(3815, "Priority", 55), Guarded(3816, "DP", 70, edComboList, "", {"0", "1"}),
       Guarded(3817, "PGN", 70), Guarded(3818, "SA", 95), nBytes,
       Guarded(3820, "On_Request", 60, edDataCheckBox, "N"), Guarded(3821, "On_Data_Change", 80, edDataCheckBox, "N"),
       Guarded(3822, "On_Timer", 64, edDataCheckBox, "N"), Guarded(3823, "SendTimer", 75),
       Guarded(3824, "Mnemonic", 125)});
  g.Second_Key_Col = Priority_Col;
  // An older row names its one send mode; the three boxes of the newer layout are then
  // not read.
  g.After_Row_Load = [](TKvStringGrid* G, int Row, const TXmlNode& Node) {
    if (!Node.HasAttribute(QStringLiteral("T_Type")))
      return;
    const QString mode = Node.Attribute(QStringLiteral("T_Type")).toUpper();
    G->SetCells(Request_Col, Row, QStringLiteral("N"));
    G->SetCells(Data_Change_Col, Row, mode == QLatin1String("ON DATA CHANGE") ? QStringLiteral("Y") : QStringLiteral("N"));
    G->SetCells(On_Timer_Col, Row, mode == QLatin1String("ON TIMER") ? QStringLiteral("Y") : QStringLiteral("N"));
  };
  return g;
}

TPGN_Transmit Transmit_Check()
{
  TPGN_Transmit c;
  c.Priority_Col = Priority_Col;
  c.Priority_Text = 3836;
  c.DP_Col = 2;
  c.DP_Text = 3837;
  c.PGN_Col = PGN_Col;
  c.PGN_Text = 3838;
  c.SA_Col = 4;
  c.SA_Max = 255;
  c.SA_Text = 3839;
  c.NByte_Col = N_Bytes_Col;
  c.NByte_Text = 3840;
  c.Total_Text = 3841;
  c.On_Timer_Col = On_Timer_Col;
  c.Timer_Col = 9;
  c.Timer_Text = 3842;
  return c;
}

}  // namespace

TFTransmitJ1939::TFTransmitJ1939(TComponent* AOwner)
    : TPGN_Window(Single_Grid_File("Transmit_J1939", Make_Grid()),
                       Single_Grid_Texts(3800, 3808, Text_Run(3825, 10), 3843), 800, 337, AOwner)
{
  SetName(QStringLiteral("FTransmitJ1939"));
  Edit_Desc().Grids[0].Check_Row = [this](TKvStringGrid* g, int r) {
    return Check_PGN_Transmit_Row(Transmit_Check(), g, r, NUM_BYTE_OUT, Total);
  };
}

QString TFTransmitJ1939::Project_File() const
{
  return WS().Name_File_J1939_Send_Frames;
}

void TFTransmitJ1939::Before_Clear()
{
  NUM_BYTE_OUT = 512;
}

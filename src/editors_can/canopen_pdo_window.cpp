// The CANopen PDO map editor.

#include "editors_can/canopen_pdo_window.h"

#include "editors_can/canopen_rule_check.h"
#include "common/working_state.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace {

constexpr int On_Change_Col = 12;

// COB-ID, Dimension and the eight byte positions of both grids, from header text First.
std::vector<TRuleColumn> PDO_Head_Columns(int First)
{
  std::vector<TRuleColumn> cols = {Rule_Row_Number(First), Rule_Column(First + 1, "COB-ID", 65, clWhite),
                                   Rule_Column(First + 2, "Dimension", 65, clWhite)};
  static const char* const bytes[8] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                       "Address_B5", "Address_B6", "Address_B7", "Address_B8"};
  for (int k = 0; k < 8; ++k)
    cols.push_back(Rule_Column(First + 3 + k, bytes[k], 45, clWhite));
  return cols;
}

TRuleFile Make_File(TFSet_PDO_Access* self)
{
  std::vector<TRuleColumn> rx = PDO_Head_Columns(2816);
  rx.push_back(Rule_Column(2827, "TimeOut", 65, clWhite));
  rx.push_back(Rule_Column(2828, "Mnemonic", 173, clWhite));
  TRuleGrid receive = CANopen_Grid("Receive_PDO", 30, 2868, std::move(rx));
  receive.Check_Row = [self](TKvStringGrid* g, int r) { return Check_PDO_Row(g, r, false, self->PROFINET_NByte_IN); };

  std::vector<TRuleColumn> tx = PDO_Head_Columns(2829);
  tx.push_back(Rule_Column(2840, "Send_Time", 65, clWhite));
  tx.push_back(Rule_Column(2841, "On_Change", 68, clWhite, edDataCheckBox));
  tx.push_back(Rule_Column(2842, "Mnemonic", 105, clWhite));
  TRuleGrid transmit = CANopen_Grid("Transmit_PDO", 30, 2868, std::move(tx));
  transmit.Check_Row = [self](TKvStringGrid* g, int r) { return Check_PDO_Row(g, r, true, self->PROFINET_NByte_OUT); };
  return CANopen_File("PDO_CANopen", std::move(receive), std::move(transmit));
}

}  // namespace

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner)
    : TCANopen_Window(Make_File(this), CANopen_Texts(2800, 2843, 12, 2855, 13, 2891), 798, 337, AOwner)
{
  SetName(QStringLiteral("FSet_PDO_Access"));
  TS_Receive_PDO = Sheets[0];
  TS_Transmit_PDO = Sheets[1];
  Name_Pages(QStringLiteral("TS_Receive_PDO"), QStringLiteral("TS_Transmit_PDO"));
  Centre_Column(sgb, On_Change_Col);
}

QString TFSet_PDO_Access::Project_File() const
{
  return WS().Name_File_PDO_CANopen;
}

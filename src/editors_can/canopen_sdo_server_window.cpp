// The CANopen SDO server editor.

#include "editors_can/canopen_sdo_server_window.h"

#include "editors_can/canopen_rule_check.h"
#include "shell/common/working_state.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

namespace {

// The columns of both grids, from header text First.
std::vector<TRuleColumn> SDO_Server_Columns(int First)
{
  return {Rule_Row_Number(First),
          Rule_Column(First + 1, "Index", 65, clWhite),
          Rule_Column(First + 2, "SubIndex", 61, clWhite),
          Rule_Column(First + 3, "NByte", 55, clWhite),
          Rule_Column(First + 4, "Address_B1", 80, clWhite),
          Rule_Column(First + 5, "Address_B2", 80, clWhite),
          Rule_Column(First + 6, "Address_B3", 80, clWhite),
          Rule_Column(First + 7, "Address_B4", 80, clWhite),
          Rule_Column(First + 8, "Mnemonic", 170, clWhite)};
}

TRuleFile Make_File(TFSet_SDO_Server_Access* self)
{
  TRuleGrid read = CANopen_Grid("SDO_Read", 500, 3050, SDO_Server_Columns(3016));
  read.Check_Row = [self](TKvStringGrid* g, int r) {
    return Check_SDO_Server_Row(g, r, false, self->PROFINET_NByte_IN);
  };
  TRuleGrid write = CANopen_Grid("SDO_Write", 500, 3050, SDO_Server_Columns(3025));
  write.Check_Row = [self](TKvStringGrid* g, int r) {
    return Check_SDO_Server_Row(g, r, true, self->PROFINET_NByte_OUT);
  };
  return CANopen_File("SDO_Server_CANopen", std::move(read), std::move(write));
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 3000;
  t.Buttons = {3002, 3003, 3004, 3005, 3006, 3007};
  t.Button_Hints = {3008, 3009, 3010, 3011, 3012, 3013};
  t.Pages = {3014, 3015};
  t.Column_Hints.resize(2);
  for (int k = 0; k < 8; ++k) {
    t.Column_Hints[0].push_back(3034 + k);
    t.Column_Hints[1].push_back(3042 + k);
  }
  t.Delete_Question = 3065;
  return t;
}

}  // namespace

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TCANopen_Window(Make_File(this), Make_Texts(), 749, 337, AOwner)
{
  SetName(QStringLiteral("FSet_SDO_Server_Access"));
  TS_SDO_Read = Sheets[0];
  TS_SDO_Write = Sheets[1];
  Name_Pages(QStringLiteral("TS_SDO_Read"), QStringLiteral("TS_SDO_Write"));
}

QString TFSet_SDO_Server_Access::Project_File() const
{
  return WS().Name_File_SDO_Server_CANopen;
}

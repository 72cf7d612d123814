// The CANopen SDO server editor.

#include "editors_can/canopen_sdo_server_window.h"

#include "editors_can/canopen_rule_check.h"
#include "common/working_state.h"

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
    return Check_SDO_Server_Row(g, r, false, self->PROFINET_NByte_IN, self->SDO_Records);
  };
  TRuleGrid write = CANopen_Grid("SDO_Write", 500, 3050, SDO_Server_Columns(3025));
  write.Check_Row = [self](TKvStringGrid* g, int r) {
    return Check_SDO_Server_Row(g, r, true, self->PROFINET_NByte_OUT, self->SDO_Records);
  };
  TRuleFile f = CANopen_File("SDO_Server_CANopen", std::move(read), std::move(write));
  f.Start_Check = [self] { self->Gather_SDO_Records(SDO_Server_Cols); };
  return f;
}

}  // namespace

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TCANopen_SDO_Window(Make_File(this), CANopen_Texts(3000, 3034, 8, 3042, 8, 3065), 749, 337, AOwner)
{
  SetName(QStringLiteral("FSet_SDO_Server_Access"));
}

QString TFSet_SDO_Server_Access::Project_File() const
{
  return WS().Name_File_SDO_Server_CANopen;
}

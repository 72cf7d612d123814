// The CANopen SDO client editor.

#include "editors_can/canopen_sdo_client_window.h"

#include "editors_can/canopen_rule_check.h"
#include "common/working_state.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

namespace {

constexpr int On_Change_Col = 6;

// The columns of a grid from header text First; the write grid has On Change after Poll
// Time.
std::vector<TRuleColumn> SDO_Client_Columns(int First, bool Write)
{
  std::vector<TRuleColumn> cols = {Rule_Row_Number(First),
                                   Rule_Column(First + 1, "Device_ID", 60, clWhite),
                                   Rule_Column(First + 2, "Index", 55, clWhite),
                                   Rule_Column(First + 3, "SubIndex", 60, clWhite),
                                   Rule_Column(First + 4, "NByte", 45, clWhite),
                                   Rule_Column(First + 5, "Poll_Time", 60, clWhite)};
  int h = First + 6;
  if (Write)
    cols.push_back(Rule_Column(h++, "On_Change", 68, clWhite, edDataCheckBox));
  static const char* const bytes[4] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4"};
  for (const char* b : bytes)
    cols.push_back(Rule_Column(h++, b, 70, clWhite));
  cols.push_back(Rule_Column(h, "Mnemonic", Write ? 95 : 163, clWhite));
  return cols;
}

TRuleFile Make_File(TFSet_SDO_Client_Access* self)
{
  TRuleGrid read = CANopen_Grid("SDO_Read", 256, 2960, SDO_Client_Columns(2916, false));
  read.Check_Row = [self](TKvStringGrid* g, int r) {
    return Check_SDO_Client_Row(g, r, false, self->PROFINET_NByte_IN, self->SDO_Records);
  };
  TRuleGrid write = CANopen_Grid("SDO_Write", 256, 2960, SDO_Client_Columns(2927, true));
  write.Check_Row = [self](TKvStringGrid* g, int r) {
    return Check_SDO_Client_Row(g, r, true, self->PROFINET_NByte_OUT, self->SDO_Records);
  };
  TRuleFile f = CANopen_File("SDO_Client_CANopen", std::move(read), std::move(write));
  f.Start_Check = [self] { self->Gather_SDO_Records(SDO_Client_Cols); };
  return f;
}

}  // namespace

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner)
    : TCANopen_SDO_Window(Make_File(this), CANopen_Texts(2900, 2939, 10, 2949, 11, 2979), 798, 337, AOwner)
{
  SetName(QStringLiteral("FSet_SDO_Client_Access"));
  Centre_Column(sgb, On_Change_Col);
}

QString TFSet_SDO_Client_Access::Project_File() const
{
  return WS().Name_File_SDO_Client_CANopen;
}

// The CAN receive frames editor.

#include "editors_can/receive_can_window.h"

#include "editors_can/single_grid_editor.h"
#include "grid/column_grid.h"
#include "common/working_state.h"

TFReceiveCAN* FReceiveCAN = nullptr;

namespace {

constexpr int Receive_Array_Size = 2000;

TRuleFile Make_File()
{
  std::vector<TRuleColumn> cols = {
      Rule_Row_Number(2608),
      Guarded(2609, "Enable", 50, edDataCheckBox, "Y"),
      Guarded(2610, "COBID", 75),
      Guarded(2611, "CAN_Type", 110, edComboList, "", CAN_Type_Items()),
      Guarded(2612, "Dim", 70),
      Guarded(2613, "TimeOut", 65, edNormal, "0"),
  };
  static const char* const bytes[8] = {"Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8"};
  for (int k = 0; k < 8; ++k)
    cols.push_back(Guarded(2614 + k, bytes[k], 58, edComboList));
  cols.push_back(Guarded(2622, "Mnemonic", 100));
  return Single_Grid_File("Receive_Frames", CAN_Frame_Grid(2644, std::move(cols)));
}

TCAN_Frame_Check Make_Check()
{
  TCAN_Frame_Check c;
  c.Time_Col = 5;
  c.First_Byte_Col = 6;
  c.Cob_11_Text = 2645;
  c.Cob_29_Text = 2646;
  c.Dim_Text = 2647;
  c.Time_Text = 2648;
  c.Byte1_Text = 2649;
  c.Or_None_Text = 2650;
  c.Byte2_Text = 2651;
  return c;
}

TRuleEditorTexts Make_Texts()
{
  // Text 2633 belongs to no column: the time-out column takes 2634.
  std::vector<int> hints = Text_Run(2629, 4);
  for (int k : Text_Run(2634, 10))
    hints.push_back(k);
  return Single_Grid_Texts(2600, 2623, std::move(hints), 2658);
}

}  // namespace

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner)
    : TCAN_Frame_Window(Make_File(), Make_Texts(), Make_Check(), Receive_Array_Size, 1010, 337, AOwner)
{
  SetName(QStringLiteral("FReceiveCAN"));
  KCG_CAN_Receive = Frame_Grid();
  KCG_CAN_Receive->SetName(QStringLiteral("KCG_CAN_Receive"));
}

QString TFReceiveCAN::Project_File() const
{
  return WS().Name_File_CAN_Rec_Frames;
}

// The CAN transmit frames editor.

#include "editors_can/transmit_can_window.h"

#include "editors_can/single_grid_editor.h"
#include "grid/column_grid.h"
#include "common/lang_table.h"
#include "common/working_state.h"

TFTransmitCAN* FTransmitCAN = nullptr;

namespace {

constexpr int Transmit_Array_Size = 2700;
constexpr int On_Timer_Col = 7;
constexpr int Time_Col = 8;
constexpr int First_Byte_Col = 9;

QString YN(bool b)
{
  return b ? QStringLiteral("Y") : QStringLiteral("N");
}

// A column whose missing attribute takes the value Older gives (the older layout).
TRuleColumn Older_Layout(TRuleColumn Column, std::function<QString(int Row)> Older)
{
  Column.Required = false;
  Column.Load = [Older = std::move(Older)](int Row, bool Present, const QString& Stored) {
    return Present ? Stored : Older(Row);
  };
  return Column;
}

TRuleFile Make_File(TFTransmitCAN* self)
{
  std::vector<TRuleColumn> cols = {
      Rule_Row_Number(2708),
      Guarded(2709, "Enable", 50, edDataCheckBox, "Y"),
      Guarded(2710, "COBID", 75),
      Older_Layout(Rule_Column(2711, "CAN_Type", 100, clWhite, edComboList, CAN_Type_Items()),
                   [self](int) { return CAN_Type_Items().at(self->CAN_Type == 0 ? 0 : 1); }),
      Guarded(2712, "Dim", 65),
      Older_Layout(Rule_Column(2713, "OnChange", 65, clWhite, edDataCheckBox),
                   [self](int) { return YN(self->Send_Type == 0); }),
      Guarded(2762, "OnCMD", 55, edDataCheckBox, "N"),
      Older_Layout(Rule_Column(2714, "OnTimer", 60, clWhite, edDataCheckBox),
                   [self](int) { return YN(self->Send_Type == 1); }),
      // The period stands in only for a rule that the older layout sends on the timer.
      Older_Layout(Rule_Column(2715, "Time", 60, clWhite), [self](int Row) {
        return self->KCG_CAN_Transmit->Cells(On_Timer_Col, Row) == QLatin1String("Y") ? QString::number(self->Send_Time)
                                                                                          : QString();
      }),
  };
  static const char* const bytes[8] = {"Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8"};
  for (int k = 0; k < 8; ++k)
    cols.push_back(Guarded(2716 + k, bytes[k], 55, edComboList));
  cols.push_back(Guarded(2724, "Mnemonic", 75));
  return Single_Grid_File("Transmit_Frames", CAN_Frame_Grid(2747, std::move(cols)));
}

TCAN_Frame_Check Make_Check()
{
  TCAN_Frame_Check c;
  c.Time_Col = Time_Col;
  c.Time_If_Col = On_Timer_Col;
  c.First_Byte_Col = First_Byte_Col;
  c.Cob_11_Text = 2748;
  c.Cob_29_Text = 2749;
  c.Dim_Text = 2750;
  c.Time_Text = 2751;
  c.Byte1_Text = 2752;
  c.Or_None_Text = 2753;
  c.Byte2_Text = 2754;
  return c;
}

// The OnCMD column came later: its header and hint sit at the end of the block.
std::vector<int> Column_Hints()
{
  std::vector<int> hints = Text_Run(2731, 5);
  hints.push_back(2763);
  for (int k : Text_Run(2736, 11))
    hints.push_back(k);
  return hints;
}

}  // namespace

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner)
    : TCAN_Frame_Window(Make_File(this), Single_Grid_Texts(2700, 2725, Column_Hints(), 2761), Make_Check(),
                        Transmit_Array_Size, 1100, 337, AOwner)
{
  SetName(QStringLiteral("FTransmitCAN"));
  KCG_CAN_Transmit = Frame_Grid();
  KCG_CAN_Transmit->SetName(QStringLiteral("KCG_CAN_Transmit"));
}

QString TFTransmitCAN::Project_File() const
{
  return WS().Name_File_CAN_Send_Frames;
}

void TFTransmitCAN::Before_Clear()
{
  QStringList& hints = Hint_TransmitCAN();
  hints.clear();
  for (int k : Column_Hints())
    hints << Lang_Str(k);
}

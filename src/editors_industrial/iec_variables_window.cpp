// The IEC 61850 server variables editor.

#include "editors_industrial/iec_variables_window.h"

#include "grid/column_grid.h"
#include "common/common_routines.h"
#include "common/lb_button.h"
#include "common/working_state.h"

TFIEC61850_Variables* FIEC61850_Variables = nullptr;

namespace {

constexpr TColor Color_Enable = 0x00B0D8FF;
constexpr TColor Color_Variable = 0x00FEFAE0;
constexpr TColor Color_Place = 0x00A8FFA8;
constexpr TColor Color_Conversion = 0x00F4D6FC;
constexpr TColor Color_Swap = 0x00E0E0E0;

TRuleColumn Column(int Header, const char* Attribute, int Width, TColor Color, TEditorType Kind = edNormal,
                   QStringList Items = {}, const char* Default = "")
{
  return Rule_Defaulted(Rule_Column(Header, Attribute, Width, Color, Kind, std::move(Items)), Default);
}

TRuleFile Make_File(TFIEC61850_Variables* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("IEC61850_Variables");
  f.Version = QStringLiteral("1.000");
  TRuleGrid g;
  g.Rows = TFIEC61850_Variables::Var_Rows;
  g.Key_Col = TFIEC61850_Variables::Col_Name;
  g.Error_Prefix = 3529;
  QStringList bits;
  for (int b = 0; b < 8; ++b)
    bits << QString::number(b);
  g.Columns = {
      Rule_Row_Number(3514),
      Column(3515, "Enable", 50, Color_Enable, edDataCheckBox, {}, "Y"),
      Column(3516, "Name", 250, Color_Variable),
      Column(3517, "Type", 80, Color_Variable, edComboList, {"Int", "Float", "Digital (Bit)"}),
      Column(3518, "Length", 65, Color_Variable),
      Column(3519, "ReadOnly", 65, Color_Variable, edDataCheckBox, {}, "N"),
      Column(3520, "Position", 80, Color_Place),
      Column(3532, "StartBit", 60, Color_Place, edComboList, bits),
      Column(3533, "Conversion", 75, Color_Conversion, edComboList, {"None", "Int to Float", "Float to Int"}),
      Column(3534, "MultiplicationFactor", 75, Color_Conversion, edComboEdit, {"None"}),
      Column(3542, "Swap", 45, Color_Swap, edDataCheckBox, {}, "N"),
      Column(3543, "SwapWord", 80, Color_Swap, edDataCheckBox, {}, "N"),
      Column(3521, "Mnemonic", 128, clWhite),
  };
  g.Check_Row = [self](TKvStringGrid* grid, int r) { return self->Check_Row(grid, r); };
  f.Grids = {g};
  f.Start_Check = [self] { self->Separator = Get_Decimal_Separator(); };
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 3500;
  t.Buttons = {3502, 3503, 3504, 3505, 3506, 3507};
  t.Button_Hints = {3508, 3509, 3510, 3511, 3512, 3513};
  t.Column_Hints = {{3522, 3523, 3524, 3525, 3526, 3527, 3535, 3536, 3537, 3544, 3545, 3528}};
  t.Delete_Question = 3531;
  t.Header_Hints_Only = true;
  return t;
}

}  // namespace

TFIEC61850_Variables::TFIEC61850_Variables(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 1155, 337, AOwner)
{
  SetName(QStringLiteral("FIEC61850_Variables"));
  KCG = static_cast<TKvColumnGrid*>(Grids.front());
  KCG->SetName(QStringLiteral("KCG"));
  // Of the buttons only the two that work on the clipboard explain themselves.
  Btn_CopyRow->SetShowHint(true);
  Btn_PasteRow->SetShowHint(true);
}

QString TFIEC61850_Variables::Project_File() const
{
  return WS().Name_File_IEC61850_Variables;
}

void TFIEC61850_Variables::Before_Load()
{
  NByte_IN = 1438;
}

TRuleFailure TFIEC61850_Variables::Check_Row(TKvStringGrid* G, int R) const
{
  const int length = Rule_Int(G->Cells(Col_Length, R));
  if (length < 1 || length > 4)
    return Rule_Failure(3541);
  const int position = Rule_Int(G->Cells(Col_Position, R));
  if (position < 0 || position > NByte_IN - 1)
    return Rule_Failure(3530, QString::number(NByte_IN - 1));
  if (G->Cells(Col_Type, R) == QLatin1String("Digital (Bit)") && G->Cells(Col_StartBit, R).trimmed().isEmpty())
    return Rule_Failure(3538);
  if (G->Cells(Col_Conversion, R).trimmed().isEmpty())
    return Rule_Failure(3539);
  const QString factor = G->Cells(Col_Factor, R);
  float value = 0;
  if (factor.trimmed().toUpper() != QLatin1String("NONE") && !Conv_Str_To_Float(factor, Separator, value))
    return Rule_Failure(3540);
  return {};
}

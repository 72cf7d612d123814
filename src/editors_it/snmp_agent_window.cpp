// The SNMP agent variable editor.

#include "editors_it/snmp_agent_window.h"

#include "editors_it/snmp_mib_writer.h"

#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/working_state.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

namespace {

constexpr TColor Color_Enable = 0xB0D8FF;
constexpr TColor Color_Name = 0xFEFAE0;
constexpr TColor Color_Trigger = 0xA8FFA8;
constexpr TColor Color_Place = 0xF4D6FC;
constexpr TColor Color_Size = 0xA8FFFF;
constexpr TColor Color_Desc = 0xFFD5D5;
constexpr TColor Color_Address = 0xE4E4C9;

// The device keeps community names and descriptions of up to 15 characters.
constexpr int Name_Length = 15;
constexpr int Enable_Col = 1;
constexpr int Community_Col = 2;

QStringList List(std::initializer_list<const char*> Items)
{
  QStringList out;
  for (const char* s : Items)
    out << QString::fromLatin1(s);
  return out;
}

QStringList Numbers(int Count)
{
  QStringList out;
  for (int i = 0; i < Count; ++i)
    out << QString::number(i);
  return out;
}

TRuleColumn Text(int Header, const char* Attribute, int Width, TColor Color, TEditorType Kind = edNormal,
                 QStringList Items = {})
{
  return Rule_Defaulted(Rule_Column(Header, Attribute, Width, Color, Kind, std::move(Items)), "");
}

TRuleColumn Box(int Header, const char* Attribute, int Width, TColor Color)
{
  return Rule_Defaulted(Rule_Column(Header, Attribute, Width, Color, edDataCheckBox), "N");
}

const QStringList Conversions = List({"None", "Float", "Float * 10", "Float * 100", "Float / 10", "Float / 100"});

bool Row_Enabled(TKvStringGrid* G, int Row)
{
  return G->Cells(Enable_Col, Row).toUpper() == QLatin1String("Y");
}

// Columns and texts of one grid's checks; -1: the grid has no such column.
struct TAgent_Cols {
  int Type, On_Timer, Time, Position, Bit, Num_Bits, Description, IP, Conversion;
};
struct TAgent_Texts {
  int Community, Type, Time, Position, Bit, Bit_String, Bits_Int, Bytes_String, Description, Reserved, IP, Conversion;
};

TRuleFailure Check_Agent_Row(const TAgent_Cols& C, const TAgent_Texts& T, TKvStringGrid* G, int Row)
{
  auto cell = [G, Row](int col) { return G->Cells(col, Row); };
  if (Check_Error_CommName_Desc(cell(Community_Col), 0))
    return {T.Community, {}};
  if (cell(C.Type).trimmed().isEmpty())
    return {T.Type, {}};
  const bool isInt = cell(C.Type).toUpper() == QLatin1String("INT");
  if (C.On_Timer >= 0 && cell(C.On_Timer).toUpper() == QLatin1String("Y")) {
    const int t = Rule_Int(cell(C.Time));
    if (t < 1 || t > 1000000000)
      return {T.Time, {}};
  }
  if (cell(C.Position).trimmed().isEmpty())
    return {T.Position, {}};
  if (cell(C.Bit).trimmed().isEmpty())
    return {T.Bit, {}};
  if (!isInt && cell(C.Bit).trimmed() != QLatin1String("0"))
    return {T.Bit_String, {}};
  const int n = Rule_Int(cell(C.Num_Bits));
  if (isInt && (n < 1 || n > 64))
    return {T.Bits_Int, {}};
  if (!isInt && (n < 1 || n > 16))
    return {T.Bytes_String, {}};
  if (Check_Error_CommName_Desc(cell(C.Description), 1))
    return {T.Description, {}};
  // The description becomes an object name of the MIB module, which has names of its own.
  if (MIB_Reserved_Name(cell(C.Description)))
    return {T.Reserved, {}};
  if (C.IP >= 0) {
    QString a, b, c, d;
    if (!Split_IP_Address(cell(C.IP).trimmed(), a, b, c, d))
      return {T.IP, {}};
  }
  if (cell(C.Conversion).trimmed().isEmpty())
    return {T.Conversion, {}};
  return {};
}

constexpr TAgent_Cols Read_Cols{3, 6, 7, 8, 9, 10, 11, 12, 13};
constexpr TAgent_Cols Write_Cols{3, -1, -1, 4, 5, 6, 7, -1, 8};

TRuleGrid Agent_Grid(const char* Section)
{
  TRuleGrid g;
  g.Section = {QString::fromLatin1(Section)};
  g.Rows = 256;
  g.Key_Col = Community_Col;
  g.Enable_Col = Enable_Col;
  g.Error_Prefix = 5260;
  g.Optional_Section = true;
  g.Row_Enabled = &Row_Enabled;
  return g;
}

TRuleFile Make_File(TFSNMP_Trap_Access* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("SNMP_Trap");
  f.Version = QStringLiteral("1.000");
  const QStringList communities = List({"public", "private"});

  TRuleGrid read = Agent_Grid("SNMP_Trap_Read");
  read.Columns = {
      Rule_Row_Number(5216),
      Rule_Defaulted(Rule_Column(5217, "Enable", 50, Color_Enable, edDataCheckBox), "Y"),
      Text(5218, "Community_Name", 130, Color_Name, edComboEdit, communities),
      Text(5219, "Type", 60, Color_Name, edComboList, List({"Int", "String"})),
      Box(5220, "On_Change", 75, Color_Trigger),
      Box(5221, "On_Command", 50, Color_Trigger),
      Box(5222, "On_Timer", 60, Color_Trigger),
      Text(5223, "Time", 65, Color_Trigger),
      Text(5224, "Position", 60, Color_Place, edComboList),
      Text(5225, "Bit", 60, Color_Place, edComboList, Numbers(8)),
      Text(5226, "NumBits", 95, Color_Size),
      Text(5227, "Description", 130, Color_Desc),
      Text(5228, "IP_Address", 120, Color_Address),
      Rule_Defaulted(Rule_Column(5281, "Conversion", 100, Color_Enable, edComboList, Conversions), "None"),
      Text(5229, "Mnemonic", 130, clWhite),
  };
  read.Check_Row = [](TKvStringGrid* g, int r) {
    return Check_Agent_Row(Read_Cols, {5276, 5261, 5262, 5263, 5264, 5265, 5266, 5267, 5277, 5287, 5268, 5285}, g, r);
  };

  TRuleGrid write = Agent_Grid("SNMP_Trap_Write");
  write.Columns = {
      Rule_Row_Number(5230),
      Rule_Defaulted(Rule_Column(5231, "Enable", 50, Color_Enable, edDataCheckBox), "Y"),
      Text(5232, "Community_Name", 130, Color_Name, edComboEdit, communities),
      Text(5233, "Type", 60, Color_Name, edComboList, List({"Int", "String"})),
      Text(5234, "Position", 60, Color_Place, edComboList),
      Text(5235, "Bit", 60, Color_Place, edComboList, Numbers(8)),
      Text(5236, "NumBits", 95, Color_Size),
      Text(5237, "Description", 130, Color_Desc),
      Rule_Defaulted(Rule_Column(5282, "Conversion", 100, Color_Enable, edComboList, Conversions), "None"),
      Text(5238, "Mnemonic", 500, clWhite),
  };
  write.Check_Row = [](TKvStringGrid* g, int r) {
    return Check_Agent_Row(Write_Cols, {5278, 5269, -1, 5270, 5271, 5272, 5273, 5274, 5279, 5288, -1, 5286}, g, r);
  };
  f.Grids = {read, write};

  // Every description becomes an object name of the agent's MIB module: they must differ.
  f.Final_Check = [self]() {
    self->SL_Check_Desc.clear();
    const int descCol[2] = {Read_Cols.Description, Write_Cols.Description};
    for (int g = 0; g < 2; ++g) {
      TKvStringGrid* G = self->Grids[size_t(g)];
      const int end = Rule_Table_End(self->Desc().Grids[size_t(g)], G);
      for (int r = 1; r < end; ++r)
        if (Row_Enabled(G, r))
          self->SL_Check_Desc << G->Cells(descCol[g], r);
    }
    for (int i = 0; i < self->SL_Check_Desc.size(); ++i)
      for (int j = i + 1; j < self->SL_Check_Desc.size(); ++j)
        if (self->SL_Check_Desc.at(i) == self->SL_Check_Desc.at(j)) {
          MessageDlg(Lang_Str(5280), mtError, mbOK);
          return false;
        }
    return true;
  };
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 5200;
  t.Buttons = {5202, 5203, 5204, 5205, 5206, 5207};
  t.Button_Hints = {5210, 5211, 5212, 5213, 5214, 5215};
  t.Pages = {5208, 5209};
  t.Column_Hints = {{5239, 5240, 5241, 5242, 5243, 5244, 5245, 5246, 5247, 5248, 5249, 5250, 5283, 5251},
                    {5252, 5253, 5254, 5255, 5256, 5257, 5258, 5284, 5259}};
  t.Delete_Question = 5275;
  return t;
}

}  // namespace

bool Check_Error_CommName_Desc(const QString& Text, int Check_Type)
{
  for (int i = 0; i < Text.size(); ++i) {
    const QChar c = Text.at(i);
    const bool lower = c >= u'a' && c <= u'z';
    const bool upper = c >= u'A' && c <= u'Z';
    const bool digit = c >= u'0' && c <= u'9';
    if (!lower && !upper && !digit)
      return true;
    if (i == 0 && Check_Type == 1 && !lower)
      return true;
  }
  return false;
}

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 1256, 337, AOwner)
{
  SetName(QStringLiteral("FSNMP_Trap_Access"));
  TS_SNMP_Read = Sheets[Read];
  TS_SNMP_Write = Sheets[Write];
  TS_SNMP_Read->SetName(QStringLiteral("TS_SNMP_Read"));
  TS_SNMP_Write->SetName(QStringLiteral("TS_SNMP_Write"));
  KCG_SNMP_Read = static_cast<TKvColumnGrid*>(Grids[Read]);
  KCG_SNMP_Write = static_cast<TKvColumnGrid*>(Grids[Write]);
  KCG_SNMP_Read->SetName(QStringLiteral("KCG_SNMP_Read"));
  KCG_SNMP_Write->SetName(QStringLiteral("KCG_SNMP_Write"));
  for (auto [grid, desc] : {std::pair{KCG_SNMP_Read, Read_Cols.Description}, std::pair{KCG_SNMP_Write, Write_Cols.Description}}) {
    grid->Columns()->Items(Community_Col)->SetEditLength(Name_Length);
    grid->Columns()->Items(desc)->SetEditLength(Name_Length);
  }
}

QString TFSNMP_Trap_Access::Project_File() const
{
  return WS().Name_File_SNMP_Trap;
}

void TFSNMP_Trap_Access::Before_Load()
{
  NByte_IN = 1440;
  NByte_OUT = 1440;
  Set_Column_Items(KCG_SNMP_Read, Read_Cols.Position, Numbers(NByte_IN));
  Set_Column_Items(KCG_SNMP_Write, Write_Cols.Position, Numbers(NByte_OUT));
}

void TFSNMP_Trap_Access::After_Load()
{
  Index_Row_Build(KCG_SNMP_Read);
  Index_Row_Build(KCG_SNMP_Write);
}

void TFSNMP_Trap_Access::Check_Box_Click(int G, int ACol, int, bool)
{
  if (ACol == Enable_Col)
    Index_Row_Build(Grids[size_t(G)]);
}

void TFSNMP_Trap_Access::Index_Row_Build(TKvStringGrid* app_SGA)
{
  int n = 0;
  for (int r = 1; r < app_SGA->RowCount(); ++r)
    app_SGA->SetCells(0, r, Row_Enabled(app_SGA, r) ? QString::number(++n) : QString());
}

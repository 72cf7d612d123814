// The Modbus TCP master rules editor.

#include "editors_modbus_bacnet/modbus_tcp_master_window.h"

#include "editors_modbus_bacnet/modbus_rule_check.h"
#include "grid/column_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/comctrls.h"
#include "common/lang_table.h"
#include "common/working_state.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

namespace {

constexpr int Topic_Col = 14;
constexpr int Read_Position_Col = 10;
constexpr int Write_Position_Col = 12;

TRuleFile Make_File(TFModbus_TCP_Master_Set_Access* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("PROFINET_Master_to_Modbus_TCP_Master");
  f.Version = QStringLiteral("1.000");

  TRuleGrid read;
  read.Section = {QStringLiteral("Modbus_Read")};
  read.Error_Prefix = 2038;
  TRuleColumn topic = Rule_Defaulted(Rule_Column(2062, "Index_Topic", 120, Modbus_Color_Topic, edComboList), "");
  topic.Hidden = true;
  topic.Load = [self](int, bool present, const QString& stored) {
    return present ? self->Get_Topic_From_Index(StrToIntDef(stored, -1)) : QString();
  };
  topic.Save = [self](int, const QString& cell) { return QString::number(self->Get_Index_From_Topic(cell)); };
  read.Columns = {
      Rule_Row_Number(2008),
      Rule_Defaulted(Rule_Column(2009, "Enable", 50, Modbus_Color_Enable, edDataCheckBox), "Y"),
      Rule_Column(2010, "IP_Address", 101, Modbus_Color_Slave),
      Rule_Column(2011, "Port", 45, Modbus_Color_Slave),
      Rule_Column(2012, "Slave_ID", 55, Modbus_Color_Slave),
      Rule_Column(2013, "Type", 100, Modbus_Color_Slave, edComboList, Modbus_Read_Types()),
      Rule_Column(2014, "Address", 55, Modbus_Color_Slave),
      Rule_Column(2015, "NPoint", 45, Modbus_Color_Slave),
      Rule_Column(2016, "PollTime", 60, Modbus_Color_Timing),
      Rule_Column(2017, "MaxError", 64, Modbus_Color_Timing),
      Rule_Column(2018, "Position", 60, Modbus_Color_Position, edComboList),
      Rule_Column(2019, "Bit", 60, Modbus_Color_Position, edComboList, Modbus_Bit_Items()),
      Rule_Defaulted(Rule_Column(2020, "Swap", 40, Modbus_Color_Swap, edDataCheckBox), "N"),
      Rule_Defaulted(Rule_Column(2100, "SwapWord", 80, Modbus_Color_Swap, edDataCheckBox), "N"),
      topic,
      Rule_Column(2021, "Mnemonic", 140, clWhite),
  };
  read.Check_Row = [self](TKvStringGrid* g, int r) {
    TModbus_Rule_Check c;
    c.Cols = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    c.Texts = {2039, 2040, 2041, 2042, 2043, 2044, 2099, 2046, 2047, 2048};
    c.Extent_Text = 2049;
    c.NByte = self->NByte_IN;
    return Check_Modbus_Row(c, g, r);
  };

  TRuleGrid write;
  write.Section = {QStringLiteral("Modbus_Write")};
  write.Error_Prefix = 2038;
  write.Columns = {
      Rule_Row_Number(2022),
      Rule_Defaulted(Rule_Column(2023, "Enable", 50, Modbus_Color_Enable, edDataCheckBox), "Y"),
      Rule_Column(2024, "IP_Address", 101, Modbus_Color_Slave),
      Rule_Column(2025, "Port", 45, Modbus_Color_Slave),
      Rule_Column(2026, "Slave_ID", 55, Modbus_Color_Slave),
      Rule_Column(2027, "Type", 100, Modbus_Color_Slave, edComboList, Modbus_Write_Types()),
      Rule_Column(2028, "Address", 55, Modbus_Color_Slave),
      Rule_Column(2029, "NPoint", 45, Modbus_Color_Slave),
      Rule_Column(2030, "PollTime", 60, Modbus_Color_Timing),
      Rule_Column(2031, "OnChange", 66, Modbus_Color_Timing, edDataCheckBox),
      Rule_Defaulted(Rule_Column(2032, "OnCMD", 56, Modbus_Color_Timing, edDataCheckBox), "N"),
      Rule_Column(2033, "MaxError", 62, Modbus_Color_Timing),
      Rule_Column(2034, "Position", 55, Modbus_Color_Position, edComboList),
      Rule_Column(2035, "Bit", 55, Modbus_Color_Position, edComboList, Modbus_Bit_Items()),
      Rule_Defaulted(Rule_Column(2036, "Swap", 40, Modbus_Color_Swap, edDataCheckBox), "N"),
      Rule_Defaulted(Rule_Column(2101, "SwapWord", 80, Modbus_Color_Swap, edDataCheckBox), "N"),
      Rule_Column(2037, "Mnemonic", 150, clWhite),
  };
  write.Check_Row = [self](TKvStringGrid* g, int r) {
    TModbus_Rule_Check c;
    c.Write = true;
    c.Cols = {2, 3, 4, 5, 6, 7, 8, 11, 12, 13};
    c.Texts = {2050, 2051, 2052, 2053, 2054, 2055, 2056, 2057, 2058, 2059};
    c.Extent_Text = 2060;
    c.NByte = self->NByte_OUT;
    return Check_Modbus_Row(c, g, r);
  };
  f.Grids = {read, write};
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 2000;
  t.Buttons = {2002, 2003, 2004, 2005, -1, -1};  // Copy Row and Paste Row keep their captions
  t.Button_Hints = {2063, 2064, 2065, 2066, 2067, 2068};
  t.Pages = {2006, 2007};
  t.Column_Hints = {{2069, 2070, 2071, 2072, 2073, 2074, 2075, 2076, 2077, 2078, 2079, 2080, 2102, 2081, 2082},
                    {2083, 2084, 2085, 2086, 2087, 2088, 2089, 2090, 2091, 2092, 2093, 2094, 2095, 2096, 2103, 2097}};
  t.Delete_Question = 2061;
  return t;
}

}  // namespace

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(TComponent* AOwner)
    : TModbus_Master_Window(Make_File(this), Make_Texts(), 1150, 337, {Read_Position_Col, Write_Position_Col, Topic_Col},
                            AOwner)
{
  SetName(QStringLiteral("FModbus_TCP_Master_Set_Access"));
}

QString TFModbus_TCP_Master_Set_Access::Project_File() const
{
  return WS().Name_File_ModbusTCPM_SetAccess;
}

int TFModbus_TCP_Master_Set_Access::Get_Index_From_Topic(const QString& Topic) const
{
  return int(List_Publish_Topic.indexOf(Topic));
}

void TFModbus_TCP_Master_Set_Access::Before_Clear()
{
  // While Topic is hidden the list follows the displayed columns 1 to 14.
  QStringList& hints = Hints[Read];
  hints.clear();
  for (int k = 2069; k <= 2080; ++k)
    hints << Lang_Str(k);
  hints << Lang_Str(2102) << Lang_Str(2082);
  Hide_Topic();
}

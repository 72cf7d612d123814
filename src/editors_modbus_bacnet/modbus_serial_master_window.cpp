// The Modbus serial master rules editor.

#include "editors_modbus_bacnet/modbus_serial_master_window.h"

#include "editors_modbus_bacnet/modbus_rule_check.h"
#include "grid/column_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/comctrls.h"
#include "common/working_state.h"

TFSetAccess* FSetAccess = nullptr;

namespace {

constexpr int Topic_Col = 12;
constexpr int Read_Position_Col = 8;
constexpr int Write_Position_Col = 10;

TRuleFile Make_File(TFSetAccess* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("EtherNetIP_to_Modbus");
  f.Version = QStringLiteral("1.001");

  TRuleGrid read;
  read.Section = {QStringLiteral("Modbus_Read")};
  read.Error_Prefix = 1968;
  TRuleColumn topic = Rule_Defaulted(Rule_Column(1942, "Index_Topic", 120, Modbus_Color_Topic, edComboList), "");
  topic.Hidden = true;
  topic.Load = [self](int row, bool present, const QString& stored) {
    if (!present)
      return QString();
    const int index = StrToIntDef(stored, -1);
    self->ComboItem_Topic[size_t(row - 1)] = index;
    return self->Get_Topic_From_Index(index);
  };
  topic.Save = [self](int row, const QString& cell) {
    if (self->KCG_Modbus_Read->IsHiddenColumn(Topic_Col))
      return QString();
    return QString::number(self->Get_Index_From_Topic(cell, self->ComboItem_Topic[size_t(row - 1)]));
  };
  read.Columns = {
      Rule_Row_Number(1916),
      Rule_Defaulted(Rule_Column(1917, "Enable", 50, Modbus_Color_Enable, edDataCheckBox), "Y"),
      Rule_Column(1918, "Slave_ID", 60, Modbus_Color_Slave),
      Rule_Column(1919, "Type", 115, Modbus_Color_Slave, edComboList, Modbus_Read_Types()),
      Rule_Column(1920, "Address", 60, Modbus_Color_Slave),
      Rule_Column(1921, "NPoint", 64, Modbus_Color_Slave),
      Rule_Column(1922, "PollTime", 64, Modbus_Color_Timing),
      Rule_Column(1923, "MaxError", 64, Modbus_Color_Timing),
      Rule_Column(1924, "Position", 61, Modbus_Color_Position, edComboList),
      Rule_Column(1925, "Bit", 64, Modbus_Color_Position, edComboList, Modbus_Bit_Items()),
      Rule_Defaulted(Rule_Column(1926, "Swap", 40, Modbus_Color_Swap, edDataCheckBox), "N"),
      Rule_Defaulted(Rule_Column(1990, "SwapWord", 80, Modbus_Color_Swap, edDataCheckBox), "N"),
      topic,
      Rule_Column(1927, "Mnemonic", 120, clWhite),
  };
  read.Check_Row = [self](TKvStringGrid* g, int r) {
    TModbus_Rule_Check c;
    c.Cols = {-1, -1, 2, 3, 4, 5, 6, 7, 8, 9};
    c.Texts = {-1, -1, 1969, 1970, 1971, 1972, 1973, 1974, 1975, 1976};
    c.Extent_Text = 1977;
    c.NByte = self->NByte_IN;
    return Check_Modbus_Row(c, g, r);
  };

  TRuleGrid write;
  write.Section = {QStringLiteral("Modbus_Write")};
  write.Error_Prefix = 1968;
  write.Columns = {
      Rule_Row_Number(1928),
      Rule_Defaulted(Rule_Column(1929, "Enable", 50, Modbus_Color_Enable, edDataCheckBox), "Y"),
      Rule_Column(1930, "Slave_ID", 60, Modbus_Color_Slave),
      Rule_Column(1931, "Type", 115, Modbus_Color_Slave, edComboList, Modbus_Write_Types()),
      Rule_Column(1932, "Address", 60, Modbus_Color_Slave),
      Rule_Column(1933, "NPoint", 64, Modbus_Color_Slave),
      Rule_Column(1934, "PollTime", 64, Modbus_Color_Timing),
      Rule_Column(1935, "OnChange", 68, Modbus_Color_Timing, edDataCheckBox),
      Rule_Defaulted(Rule_Column(1936, "OnCMD", 56, Modbus_Color_Timing, edDataCheckBox), "N"),
      Rule_Column(1937, "MaxError", 64, Modbus_Color_Timing),
      Rule_Column(1938, "Position", 64, Modbus_Color_Position, edComboList),
      Rule_Column(1939, "Bit", 64, Modbus_Color_Position, edComboList, Modbus_Bit_Items()),
      Rule_Defaulted(Rule_Column(1940, "Swap", 40, Modbus_Color_Swap, edDataCheckBox), "N"),
      Rule_Defaulted(Rule_Column(1991, "SwapWord", 80, Modbus_Color_Swap, edDataCheckBox), "N"),
      Rule_Column(1941, "Mnemonic", 113, clWhite),
  };
  write.Check_Row = [self](TKvStringGrid* g, int r) {
    TModbus_Rule_Check c;
    c.Write = true;
    c.Cols = {-1, -1, 2, 3, 4, 5, 6, 9, 10, 11};
    c.Texts = {-1, -1, 1979, 1980, 1981, 1982, 1983, 1984, 1985, 1986};
    c.Extent_Text = 1987;
    c.NByte = self->NByte_OUT;
    return Check_Modbus_Row(c, g, r);
  };
  f.Grids = {read, write};
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 1900;
  t.Buttons = {1902, 1903, 1904, 1905, 1906, 1907};
  t.Button_Hints = {1908, 1909, 1910, 1911, 1912, 1913};
  t.Pages = {1914, 1915};
  t.Column_Hints = {{1943, 1944, 1945, 1946, 1947, 1948, 1949, 1950, 1951, 1952, 1992, 1953, 1954},
                    {1955, 1956, 1957, 1958, 1959, 1960, 1961, 1962, 1963, 1964, 1965, 1966, 1993, 1967}};
  t.Delete_Question = 1988;
  return t;
}

}  // namespace

TFSetAccess::TFSetAccess(TComponent* AOwner)
    : TModbus_Master_Window(Make_File(this), Make_Texts(), 1040, 337, {Read_Position_Col, Write_Position_Col, Topic_Col},
                            AOwner)
{
  SetName(QStringLiteral("FSetAccess"));
  KCG_Modbus_Read->SetShowHint(true);
  ComboItem_Topic.assign(size_t(Desc().Grids[Read].Rows), -1);
}

QString TFSetAccess::Project_File() const
{
  return WS().Name_File_ModbusM_SetAccess;
}

int TFSetAccess::Get_Index_From_Topic(const QString& Topic, int Index) const
{
  if (Index >= 0 && Index < List_Publish_Topic.size() && List_Publish_Topic.at(Index) == Topic)
    return Index;
  return int(List_Publish_Topic.indexOf(Topic));
}

void TFSetAccess::Before_Clear()
{
  Hide_Topic();
}

void TFSetAccess::Before_Load()
{
  ComboItem_Topic.assign(size_t(Desc().Grids[Read].Rows), -1);
  TModbus_Master_Window::Before_Load();
}

void TFSetAccess::Grid_Hint(int G, int ARow, int ACol, QString& Hint)
{
  if (G != Read)
    return;
  const int real = KCG_Modbus_Read->RealColIndex(ACol);
  if (ARow == 0) {
    if (real >= 1 && real - 1 < Hints[Read].size())
      Hint = Hints[Read].at(real - 1);
  } else {
    Hint = KCG_Modbus_Read->Cells(real, ARow);
  }
}

void TFSetAccess::ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)
{
  Combo_Change(Grid_Index(Sender), ACol, ARow, AItemIndex, ASelection);
}

void TFSetAccess::Combo_Change(int G, int ACol, int ARow, int AItemIndex, const QString&)
{
  if (G == Read && ACol == Topic_Col && ARow >= 1 && ARow <= int(ComboItem_Topic.size()))
    ComboItem_Topic[size_t(ARow - 1)] = AItemIndex;
}

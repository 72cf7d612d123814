// The S7 rules editor.

#include "editors_industrial/s7_protocol_window.h"

#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "common/common_routines.h"
#include "common/working_state.h"

#include <array>

TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access = nullptr;

namespace {

constexpr TColor Color_Enable = 0x00B0D8FF;
constexpr TColor Color_PLC = 0x00FEFAE0;
constexpr TColor Color_Data = 0x00F4D6FC;
constexpr TColor Color_Timing = 0x00C8F0FF;
constexpr TColor Color_Position = 0x00A8FFA8;
constexpr TColor Color_Swap = 0x00E0E0E0;

QStringList Bit_Items()
{
  QStringList items;
  for (int b = 0; b < 8; ++b)
    items << QString::number(b);
  return items;
}

// The message texts of one grid's checks, in check order.
struct TS7_Texts {
  int Address, Port, Connection, Type, Rack, Slot, Data_Type, Data_Identifier, DB_Number, Area, Add, Bit, Poll,
      Position, Start_Bit;
};
constexpr TS7_Texts Read_Texts{4971, 4972, 4987, 4973, 5021, 5022, 4974, 4975, 5005, 5006, 5007, 5008, 4976, 4977, 4978};
constexpr TS7_Texts Write_Texts{4979, 4980, 4988, 4981, 5023, 5024, 4982, 4983, 5009, 5010, 5011, 5012, 4984, 4985, 4986};

// Columns 0 to 13, alike in both grids; Headers their text indexes.
std::vector<TRuleColumn> Common_Columns(const std::array<int, 14>& Headers)
{
  return {
      Rule_Row_Number(Headers[0]),
      Rule_Defaulted(Rule_Column(Headers[1], "Enable", 50, Color_Enable, edDataCheckBox), "Y"),
      Rule_Column(Headers[2], "PLC_Address", 100, Color_PLC),
      Rule_Column(Headers[3], "PLC_Port", 60, Color_PLC),
      Rule_Column(Headers[4], "PLC_Type", 80, Color_PLC, edComboList,
                  {"Logo0BA8", "S7200", "S7300", "S7400", "S71200", "S71500"}),
      Rule_Defaulted(Rule_Column(Headers[5], "Rack", 45, Color_PLC), "0"),
      Rule_Defaulted(Rule_Column(Headers[6], "Slot", 45, Color_PLC), "0"),
      Rule_Column(Headers[7], "Data_Type", 70, Color_Data, edComboList,
                  {"Bit", "Byte", "Char", "Word", "Int", "DWord", "DInt", "Real"}),
      Rule_Column(Headers[8], "Data_Identifier", 90, Color_Data, edComboList, {"OB", "DB", "SDB", "FC", "SFC", "FB", "SFB"}),
      Rule_Column(Headers[9], "DB_Number", 80, Color_Data),
      Rule_Column(Headers[10], "PLC_Area", 115, Color_Data, edComboList,
                  {"Direct peripheral access (P)", "Inputs (I)", "Output (Q)", "Flags (M) (Merker)"}),
      Rule_Column(Headers[11], "PLC_Add", 60, Color_Data),
      Rule_Column(Headers[12], "PLC_Bit", 60, Color_Data, edComboList, Bit_Items()),
      Rule_Column(Headers[13], "PollTime", 64, Color_Timing),
  };
}

TRuleFile Make_File(TFS7_Protocol_Set_Access* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("S7_Protocol");
  f.Version = QStringLiteral("1.000");

  TRuleGrid read;
  read.Section = {QStringLiteral("S7_Protocol_Read")};
  read.Error_Prefix = 4970;
  read.Columns = Common_Columns({4916, 4917, 4918, 4919, 4920, 5013, 5014, 4921, 4922, 4989, 4990, 4991, 4992, 4923});
  read.Columns.push_back(Rule_Column(4924, "Position", 60, Color_Position, edComboList));
  read.Columns.push_back(Rule_Column(4925, "Bit", 64, Color_Position, edComboList, Bit_Items()));
  read.Columns.push_back(Rule_Column(4926, "Swap", 40, Color_Swap, edDataCheckBox));
  read.Columns.push_back(Rule_Column(4927, "SwapWord", 80, Color_Swap, edDataCheckBox));
  read.Columns.push_back(Rule_Column(4928, "Mnemonic", 204, clWhite));
  read.Check_Row = [self](TKvStringGrid* g, int r) { return self->Check_Row(g, r, false); };

  TRuleGrid write;
  write.Section = {QStringLiteral("S7_Protocol_Write")};
  write.Error_Prefix = 4970;
  write.Columns = Common_Columns({4929, 4930, 4931, 4932, 4933, 5015, 5016, 4934, 4935, 4993, 4994, 4995, 4996, 4936});
  write.Columns.push_back(Rule_Column(4937, "OnChange", 70, Color_Timing, edDataCheckBox));
  write.Columns.push_back(Rule_Column(4938, "OnCMD", 56, Color_Timing, edDataCheckBox));
  write.Columns.push_back(Rule_Column(4939, "Position", 60, Color_Position, edComboList));
  write.Columns.push_back(Rule_Column(4940, "Bit", 64, Color_Position, edComboList, Bit_Items()));
  write.Columns.push_back(Rule_Column(4941, "Swap", 40, Color_Swap, edDataCheckBox));
  write.Columns.push_back(Rule_Column(4942, "SwapWord", 80, Color_Swap, edDataCheckBox));
  write.Columns.push_back(Rule_Column(4943, "Mnemonic", 78, clWhite));
  write.Check_Row = [self](TKvStringGrid* g, int r) { return self->Check_Row(g, r, true); };

  f.Grids = {read, write};
  // The connection table lives for one check run and is shared by both grids.
  f.Start_Check = [self] { self->array_ip_Port.assign(size_t(TFS7_Protocol_Set_Access::Max_Connections), TIPPort{}); };
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 4900;
  t.Buttons = {4902, 4903, 4904, 4905, 4906, 4907};
  t.Button_Hints = {4908, 4909, 4910, 4911, 4912, 4913};
  t.Pages = {4914, 4915};
  t.Column_Hints = {{4944, 4945, 4946, 4947, 5017, 5018, 4948, 4949, 4997, 4998, 4999, 5000, 4950, 4951, 4952, 4953,
                     4954, 4955},
                    {4956, 4957, 4958, 4959, 5019, 5020, 4960, 4961, 5001, 5002, 5003, 5004, 4962, 4963, 4964, 4965,
                     4966, 4967, 4968, 4969}};
  // The window's own range holds no delete question; it sits on the first free entry after it.
  t.Delete_Question = 5025;
  return t;
}

bool In_Range(const QString& Cell, int Low, int High)
{
  const int v = Rule_Int(Cell);
  return v >= Low && v <= High;
}

bool Filled(const QString& Cell)
{
  return !Cell.trimmed().isEmpty();
}

}  // namespace

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 1350, 337, AOwner)
{
  SetName(QStringLiteral("FS7_Protocol_Set_Access"));
  TS_S7_Read = Sheets[Read];
  TS_S7_Read->SetName(QStringLiteral("TS_S7_Read"));
  TS_S7_Write = Sheets[Write];
  TS_S7_Write->SetName(QStringLiteral("TS_S7_Write"));
  KCG_S7_Read = static_cast<TKvColumnGrid*>(Grids[Read]);
  KCG_S7_Read->SetName(QStringLiteral("KCG_S7_Read"));
  KCG_S7_Write = static_cast<TKvColumnGrid*>(Grids[Write]);
  KCG_S7_Write->SetName(QStringLiteral("KCG_S7_Write"));
}

QString TFS7_Protocol_Set_Access::Project_File() const
{
  return WS().Name_File_S7_Protocol;
}

void TFS7_Protocol_Set_Access::Before_Load()
{
  PageControl1->SetActivePage(TS_S7_Read);
  NByte_IN = 1500;
  NByte_OUT = 1500;
  QStringList in, out;
  for (int p = 0; p < NByte_IN; ++p)
    in << QString::number(p);
  for (int p = 0; p < NByte_OUT; ++p)
    out << QString::number(p);
  Set_Column_Items(KCG_S7_Read, Read_Position_Col, in);
  Set_Column_Items(KCG_S7_Write, Write_Position_Col, out);
}

int TFS7_Protocol_Set_Access::Check_IP_Port(int b1, int b2, int b3, int b4, int p)
{
  for (size_t i = 0; i < array_ip_Port.size(); ++i) {
    const TIPPort& e = array_ip_Port[i];
    if (e.IP1 == b1 && e.IP2 == b2 && e.IP3 == b3 && e.IP4 == b4 && e.Port == p)
      return int(i);
  }
  for (size_t i = 0; i < array_ip_Port.size(); ++i) {
    if (array_ip_Port[i].IP1 == -1) {
      array_ip_Port[i] = TIPPort{b1, b2, b3, b4, p};
      return int(i);
    }
  }
  return -1;
}

TRuleFailure TFS7_Protocol_Set_Access::Check_Row(TKvStringGrid* G, int R, bool Write_Rule)
{
  const TS7_Texts& t = Write_Rule ? Write_Texts : Read_Texts;
  auto cell = [G, R](int c) { return G->Cells(c, R); };
  uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
  if (Get_IP_Bytes(cell(Col_PLC_Address), b1, b2, b3, b4))
    return Rule_Failure(t.Address);
  if (!In_Range(cell(Col_PLC_Port), 0, 65535))
    return Rule_Failure(t.Port);
  if (Check_IP_Port(b1, b2, b3, b4, Rule_Int(cell(Col_PLC_Port))) < 0)
    return Rule_Failure(t.Connection);
  if (!Filled(cell(Col_PLC_Type)))
    return Rule_Failure(t.Type);
  if (!In_Range(cell(Col_Rack), 0, 3))
    return Rule_Failure(t.Rack);
  if (!In_Range(cell(Col_Slot), 0, 31))
    return Rule_Failure(t.Slot);
  if (!Filled(cell(7)))
    return Rule_Failure(t.Data_Type);
  if (!Filled(cell(8)))
    return Rule_Failure(t.Data_Identifier);
  if (!In_Range(cell(9), 0, 65535))
    return Rule_Failure(t.DB_Number);
  if (!Filled(cell(10)))
    return Rule_Failure(t.Area);
  if (!In_Range(cell(11), 0, 65535))
    return Rule_Failure(t.Add);
  if (!Filled(cell(12)))
    return Rule_Failure(t.Bit);
  if (!In_Range(cell(13), Write_Rule ? 0 : 1, 100000000))
    return Rule_Failure(t.Poll);
  const int position = Write_Rule ? Write_Position_Col : Read_Position_Col;
  const int limit = (Write_Rule ? NByte_OUT : NByte_IN) - 1;
  if (!In_Range(cell(position), 0, limit))
    return Rule_Failure(t.Position, QString::number(limit));
  if (!Filled(cell(position + 1)))
    return Rule_Failure(t.Start_Bit);
  return {};
}

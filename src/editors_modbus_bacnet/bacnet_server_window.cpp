// The BACnet server object list editor.

#include "editors_modbus_bacnet/bacnet_server_window.h"

#include "editors_modbus_bacnet/bacnet_eng_unit_window.h"
#include "editors_modbus_bacnet/modbus_rule_check.h"
#include "grid/column_grid.h"
#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/par_gen_file.h"
#include "common/working_state.h"

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;

namespace {

constexpr int Data_Type_Col = 1;
constexpr int Eng_Unit_Col = 2;
constexpr int Position_Col = 3;
constexpr int Bit_Col = 4;
constexpr int Length_Col = 5;

QStringList Read_Data_Types()
{
  return {"Analog Input",       "Analog Value",   "Binary Input",      "Binary Value",
          "Positive Integer Value", "Large Analog Value", "Integer Value", "Multi State Input",
          "Multi State Value",  "Life Safety Point", "Life Safety Zone", "Access Door", "Accumulator"};
}

QStringList Write_Data_Types()
{
  return {"Analog Out",         "Analog Value",   "Binary Out",        "Binary Value",
          "Positive Integer Value", "Large Analog Value", "Integer Value", "Multi State Output",
          "Multi State Value",  "Access Door"};
}

// The Length rule of a data type, compared exactly.
struct TLength_Rule {
  const char* Type;
  int Min, Max;
  int Text;
};

struct TServer_Grid_Checks {
  const char* Binary_1;
  const char* Binary_2;
  int Eng_Unit, Position, Bit, Extent;
  std::vector<TLength_Rule> Lengths;
};

const TServer_Grid_Checks Read_Checks{
    "Binary Input", "Binary Value", 2433, 2434, 2445, 2446,
    {{"Analog Input", 1, 4, 2435}, {"Positive Integer Value", 1, 4, 2436}, {"Large Analog Value", 1, 8, 2437},
     {"Analog Value", 1, 4, 2438}, {"Multi State Input", 1, 4, 2439}, {"Multi State Value", 1, 4, 2440},
     {"Life Safety Point", 1, 2, 2441}, {"Life Safety Zone", 1, 2, 2442}, {"Access Door", 1, 1, 2443},
     {"Accumulator", 1, 4, 2444}}};

const TServer_Grid_Checks Write_Checks{
    "Binary Out", "Binary Value", 2447, 2448, 2457, 2458,
    {{"Analog Out", 1, 4, 2449}, {"Analog Value", 1, 4, 2450}, {"Positive Integer Value", 1, 4, 2451},
     {"Large Analog Value", 1, 8, 2452}, {"Integer Value", 1, 4, 2453}, {"Multi State Output", 1, 4, 2454},
     {"Multi State Value", 1, 4, 2455}, {"Access Door", 1, 1, 2456}}};

TRuleFailure Check_Server_Row(const TServer_Grid_Checks& C, int NByte, TKvStringGrid* G, int Row)
{
  const QString type = G->Cells(Data_Type_Col, Row);
  const int unit = Rule_Int(G->Cells(Eng_Unit_Col, Row));
  if (unit < 0 || unit > 65535)
    return Rule_Failure(C.Eng_Unit);
  const qint64 position = Rule_Int(G->Cells(Position_Col, Row));
  if (position < 0 || position > NByte - 1)
    return Rule_Failure(C.Position, QString::number(NByte - 1));
  qint64 end = position;
  if (type == QLatin1String(C.Binary_1) || type == QLatin1String(C.Binary_2)) {
    if (G->Cells(Bit_Col, Row).isEmpty())
      return Rule_Failure(C.Bit);
  } else {
    // 64 bits: a huge Length cannot carry the end round past the area.
    const qint64 length = Rule_Int64(G->Cells(Length_Col, Row), 0);
    for (const TLength_Rule& l : C.Lengths)
      if (type == QLatin1String(l.Type) && (length < l.Min || length > l.Max))
        return Rule_Failure(l.Text);
    end = position + length - 1;
  }
  if (end >= NByte)
    return Rule_Failure(C.Extent);
  return {};
}

TRuleGrid Make_Grid(const char* Section, int First_Header, QStringList Types)
{
  TRuleGrid g;
  g.Section = {QString::fromLatin1(Section)};
  g.Rows = 2000;
  g.Key_Col = Data_Type_Col;
  g.Enable_Col = -1;
  g.Error_Prefix = 2432;
  TRuleColumn number = Rule_Row_Number(First_Header);
  number.Width = 40;
  TRuleColumn swap = Rule_Defaulted(Rule_Column(First_Header + 6, "Swap", 40, Modbus_Color_Swap, edDataCheckBox), "N");
  swap.Hidden = true;
  g.Columns = {
      number,
      Rule_Column(First_Header + 1, "Data_Type", 150, Modbus_Color_Slave, edComboList, std::move(Types)),
      Rule_Column(First_Header + 2, "Eng_Unit", 100, Modbus_Color_Slave),
      Rule_Column(First_Header + 3, "Position", 64, Modbus_Color_Position, edComboList),
      Rule_Column(First_Header + 4, "Bit", 64, Modbus_Color_Position, edComboList, Modbus_Bit_Items()),
      Rule_Column(First_Header + 5, "Length", 64, Modbus_Color_Position),
      swap,
      Rule_Column(First_Header + 7, "Mnemonic", 250, clWhite),
  };
  g.Row_Enabled = [](TKvStringGrid*, int) { return true; };
  return g;
}

TRuleFile Make_File(TFBACnetSlaveSetAccess* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("BACnet_to_Modbus");
  f.Version = QStringLiteral("1.000");
  TRuleGrid read = Make_Grid("BACnet_in_Read", 2416, Read_Data_Types());
  read.Check_Row = [self](TKvStringGrid* g, int r) { return Check_Server_Row(Read_Checks, self->NByte_IN, g, r); };
  TRuleGrid write = Make_Grid("BACnet_in_Write", 2424, Write_Data_Types());
  write.Check_Row = [self](TKvStringGrid* g, int r) { return Check_Server_Row(Write_Checks, self->NByte_OUT, g, r); };
  f.Grids = {read, write};
  f.Final_Check = [self] {
    int count = 0;
    for (size_t g = 0; g < self->Grids.size(); ++g)
      count += Rule_Table_End(self->Desc().Grids[g], self->Grids[g]) - 1;
    if (count <= self->Max_Requests())
      return true;
    MessageDlg(Lang_Str(2459) + QString::number(self->Max_Requests()), mtError, mbOK);
    return false;
  };
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 2400;
  t.Buttons = {2402, 2403, 2404, 2405, 2406, 2407};
  t.Button_Hints = {2410, 2411, 2412, 2413, 2414, 2415};
  t.Pages = {2408, 2409};
  t.Delete_Question = 2460;
  return t;
}

}  // namespace

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 764, 337, AOwner)
{
  SetName(QStringLiteral("FBACnetSlaveSetAccess"));
  TS_BACnet_in_Read = Sheets[Read];
  TS_BACnet_in_Write = Sheets[Write];
  TS_BACnet_in_Read->SetName(QStringLiteral("TS_BACnet_in_Read"));
  TS_BACnet_in_Write->SetName(QStringLiteral("TS_BACnet_in_Write"));
  KCG_BACnet_in_Read = static_cast<TKvColumnGrid*>(Grids[Read]);
  KCG_BACnet_in_Write = static_cast<TKvColumnGrid*>(Grids[Write]);
  KCG_BACnet_in_Read->SetName(QStringLiteral("KCG_BACnet_in_Read"));
  KCG_BACnet_in_Write->SetName(QStringLiteral("KCG_BACnet_in_Write"));
  // Of the buttons only Copy Row and Paste Row show their hints.
  Btn_CopyRow->SetShowHint(true);
  Btn_PasteRow->SetShowHint(true);
}

QString TFBACnetSlaveSetAccess::Project_File() const
{
  return WS().Name_File_BACnet_Slave;
}

void TFBACnetSlaveSetAccess::Before_Clear()
{
  // The row count follows the long-name option; a ParGen.xml that cannot be read keeps
  // the count and ends the show after the clear.
  Desc_Lenght = false;
  FParGen_Failed = false;
  try {
    Desc_Lenght = Read_ParGen_Key(WS().Name_File_ParGen, QStringLiteral("BACnet_Desc_Chars_Limit"), QString()) ==
                  QLatin1String("1");
  } catch (const Exception& e) {
    FParGen_Failed = true;
    FParGen_Error = e.Message();
    return;
  }
  for (TRuleGrid& g : Edit_Desc().Grids)
    g.Rows = Max_Requests();
}

void TFBACnetSlaveSetAccess::Before_Load()
{
  for (TTabSheet* s : Sheets)
    s->SetTabVisible(true);
  PageControl1->SetActivePage(TS_BACnet_in_Read);
  NByte_IN = 1500;
  NByte_OUT = 1500;
  Set_Column_Items(KCG_BACnet_in_Read, Position_Col, Modbus_Position_Items(NByte_IN));
  Set_Column_Items(KCG_BACnet_in_Write, Position_Col, Modbus_Position_Items(NByte_OUT));
  if (FParGen_Failed) {
    Load_State = TRuleLoadState{};
    Load_State.Stopped = true;
    throw EXmlError(FParGen_Error);
  }
}

void TFBACnetSlaveSetAccess::KCG_BACnet_in_WriteComboChange(TObject*, int ACol, int ARow, int, const QString& ASelection)
{
  if (ACol != Data_Type_Col || ARow < 1)
    return;
  const QString t = ASelection.toUpper();
  QString length;
  if (t == QLatin1String("ANALOG OUT") || t == QLatin1String("ANALOG VALUE") ||
      t == QLatin1String("POSITIVE INTEGER VALUE") || t == QLatin1String("INTEGER VALUE") ||
      t == QLatin1String("MULTI STATE OUTPUT") || t == QLatin1String("MULTI STATE VALUE"))
    length = QStringLiteral("4");
  else if (t == QLatin1String("BINARY OUT") || t == QLatin1String("BINARY VALUE") || t == QLatin1String("ACCESS DOOR"))
    length = QStringLiteral("1");
  else if (t == QLatin1String("LARGE ANALOG VALUE"))
    length = QStringLiteral("8");
  else
    return;
  KCG_BACnet_in_Write->SetCells(Length_Col, ARow, length);
}

void TFBACnetSlaveSetAccess::Combo_Change(int G, int ACol, int ARow, int AItemIndex, const QString& ASelection)
{
  if (G == Write)
    KCG_BACnet_in_WriteComboChange(KCG_BACnet_in_Write, ACol, ARow, AItemIndex, ASelection);
}

void TFBACnetSlaveSetAccess::Cell_Dbl_Click(int G, int ARow, int ACol)
{
  TKvStringGrid* grid = Grids[size_t(G)];
  if (ARow < 1 || ARow >= grid->RowCount() || grid->RealColIndex(ACol) != Eng_Unit_Col)
    return;
  QString cell = grid->Cells(Eng_Unit_Col, ARow);
  if (Pick_Eng_Unit(FBACnet_Eng_Unit, cell))
    grid->SetCells(Eng_Unit_Col, ARow, cell);
}

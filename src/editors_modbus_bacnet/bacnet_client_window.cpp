// The BACnet client rules editor.

#include "editors_modbus_bacnet/bacnet_client_window.h"

#include "editors_modbus_bacnet/bacnet_client_checks.h"
#include "editors_modbus_bacnet/bacnet_import_ede_window.h"
#include "editors_modbus_bacnet/ede_import.h"
#include "editors_modbus_bacnet/modbus_rule_check.h"
#include "grid/column_grid.h"
#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/par_gen_file.h"
#include "common/window_look.h"
#include "common/working_state.h"

#include <QFileInfo>

#include <functional>

TFBACnetAccess* FBACnetAccess = nullptr;

namespace {

constexpr int Client_Height = 337;
constexpr int Read_Position_Col = 13;
constexpr int Write_Position_Col = 17;

QStringList Dest_Length_Items()
{
  QStringList items{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("6")};
  for (int n = 1; n <= 8; ++n)
    items << QStringLiteral("M") + QString::number(n);
  return items;
}

QStringList Read_Object_Types()
{
  return {"Accumulator",   "Multi-State Input", "Multi-State Output", "Multi-State Value",
          "Analog Input",  "Analog Output",     "Analog Value",       "Binary Input",
          "Binary Output", "Binary Value",      "Integer Value",      "Large Analog Value",
          "Positive Integer Value", "Life Safety Point", "Life Safety Zone"};
}

QStringList Write_Object_Types()
{
  return {"Multi-State Output", "Multi-State Value", "Analog Output",      "Analog Value",
          "Binary Output",      "Binary Value",      "Integer Value",      "Large Analog Value",
          "Positive Integer Value"};
}

QStringList Read_Properties()
{
  return {"Present Value (85)", "Object Identifier (75)", "Units (117)",         "Scale (187)",
          "PreScale (185)",     "Polarity (84)",          "Event State (36)",    "Status Flags (111)",
          "Object Type (79)",   "Number of States (74)"};
}

QStringList Data_Types()
{
  return {"Null", "Boolean", "Unsigned Int", "Signed Int", "Real", "Double", "Octet String",
          "Character String", "Bit String", "Enumerated", "Date", "Time", "Object ID"};
}

// A column the window shows but never stores.
TRuleColumn Unstored(int Header, int Width, TEditorType Kind, QStringList Items = {})
{
  TRuleColumn c = Rule_Column(Header, "", Width, Modbus_Color_Swap, Kind, std::move(Items));
  c.Attribute.clear();
  c.Required = false;
  c.Hidden = true;
  return c;
}

TRuleColumn Defaulted(int Header, const char* Attribute, int Width, TColor Color, TEditorType Kind = edNormal,
                      QStringList Items = {}, const char* Default = "")
{
  return Rule_Defaulted(Rule_Column(Header, Attribute, Width, Color, Kind, std::move(Items)), Default);
}

TRuleFile Make_File(TFBACnetAccess* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("BACnet_Master_Access");
  f.Version = QStringLiteral("1.000");
  const TColor dev = Modbus_Color_Slave, tim = Modbus_Color_Timing, pos = Modbus_Color_Position;
  const TColor route = Modbus_Color_Topic;
  auto exactly_y = [](TKvStringGrid* g, int r) { return g->Cells(1, r) == QLatin1String("Y"); };

  TRuleGrid read;
  read.Section = {QStringLiteral("BACnet_Read")};
  read.Error_Prefix = 2237;
  read.Columns = {
      Rule_Row_Number(2208),
      Defaulted(2290, "Enable", 45, Modbus_Color_Enable, edDataCheckBox, {}, "Y"),
      Defaulted(2209, "IP_Address_Slave_ID", 90, dev),
      Defaulted(2211, "Object_Type", 125, dev, edComboEdit, Read_Object_Types()),
      Defaulted(2212, "Instance", 56, dev),
      Defaulted(2213, "Property", 115, dev, edComboEdit, Read_Properties()),
      Defaulted(2214, "NumByte", 45, dev),
      Defaulted(2262, "Enable_Destination", 50, route, edDataCheckBox, {}, "N"),
      Defaulted(2263, "Destination_Network", 45, route),
      Defaulted(2264, "Destination_Length", 45, route, edComboList, Dest_Length_Items()),
      Defaulted(2265, "Destination_Address", 60, route),
      Defaulted(2215, "PollTime", 58, tim),
      Defaulted(2216, "MaxError", 50, tim),
      Defaulted(2217, "Position", 56, pos, edComboList),
      Defaulted(2218, "StartBit", 56, pos, edComboList, Modbus_Bit_Items()),
      Unstored(2260, 38, edDataCheckBox),
      Unstored(2280, 115, edComboList, {"None", "Float to Int", "(Float to Int) * 10", "(Float to Int) * 100"}),
      Defaulted(2219, "Mnemonic", 307, clWhite),
  };
  read.Row_Enabled = exactly_y;
  read.Check_Row = [self](TKvStringGrid* g, int r) { return Check_BACnet_Read_Row(g, r, self->App_BACnet_Type); };

  TRuleGrid write;
  write.Section = {QStringLiteral("BACnet_Write")};
  write.Error_Prefix = 2246;
  write.Columns = {
      Rule_Row_Number(2220),
      Defaulted(2291, "Enable", 45, Modbus_Color_Enable, edDataCheckBox, {}, "Y"),
      Defaulted(2221, "IP_Address_Slave_ID", 90, dev),
      Defaulted(2223, "Object_Type", 125, dev, edComboEdit, Write_Object_Types()),
      Defaulted(2224, "Data_Type", 100, dev, edComboList, Data_Types()),
      Defaulted(2225, "Instance", 56, dev),
      Defaulted(2226, "Property", 100, dev, edComboEdit, {"Present Value (85)"}),
      Defaulted(2227, "Priority", 56, dev),
      Defaulted(2228, "NumByte", 45, dev),
      Defaulted(2266, "Enable_Destination", 50, route, edDataCheckBox, {}, "N"),
      Defaulted(2267, "Destination_Network", 45, route),
      Defaulted(2268, "Destination_Length", 45, route, edComboList, Dest_Length_Items()),
      Defaulted(2269, "Destination_Address", 60, route),
      Defaulted(2229, "OnChange", 55, tim, edDataCheckBox, {}, "N"),
      Defaulted(2230, "OnTimer", 45, tim, edDataCheckBox, {}, "N"),
      Defaulted(2231, "PollTime", 58, tim),
      Defaulted(2232, "MaxError", 50, tim),
      Defaulted(2233, "Position", 56, pos, edComboList),
      Defaulted(2234, "StartBit", 56, pos, edComboList, Modbus_Bit_Items()),
      Unstored(2261, 38, edDataCheckBox),
      Unstored(2281, 115, edComboList, {"None", "Int to Float", "(Int to Float) / 10", "(Int to Float) / 100"}),
      Defaulted(2235, "Mnemonic", 66, clWhite),
  };
  write.Row_Enabled = exactly_y;
  write.Check_Row = [self](TKvStringGrid* g, int r) { return Check_BACnet_Write_Row(g, r, self->App_BACnet_Type); };
  f.Grids = {read, write};
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 2200;
  t.Buttons = {2202, 2203, 2204, 2205, -1, -1};
  t.Pages = {2206, 2207};
  t.Delete_Question = 2236;
  return t;
}

// The window has no click, double-click or key handling of its own.
void Drop_Cell_Handlers(TKvStringGrid* G)
{
  G->OnKeyPress = nullptr;
  G->OnClickCell = nullptr;
  G->OnDblClickCell = nullptr;
}

}  // namespace

int BACnet_Client_Width(int ScreenWidth)
{
  return ScreenWidth > 1270 ? 1305 : 1000;
}

TFBACnetAccess::TFBACnetAccess(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 1305, Client_Height, AOwner)
{
  SetName(QStringLiteral("FBACnetAccess"));
  TS_BACnet_Read = Sheets[Read];
  TS_BACnet_Write = Sheets[Write];
  TS_BACnet_Read->SetName(QStringLiteral("TS_BACnet_Read"));
  TS_BACnet_Write->SetName(QStringLiteral("TS_BACnet_Write"));
  KCG1 = static_cast<TKvColumnGrid*>(Grids[Read]);
  KCG2 = static_cast<TKvColumnGrid*>(Grids[Write]);
  KCG1->SetName(QStringLiteral("KCG1"));
  KCG2->SetName(QStringLiteral("KCG2"));
  Btn_CopyRow->SetVisible(false);
  Btn_PasteRow->SetVisible(false);
  Btn_Import_CSV = Make_Button(this, P_Button, QStringLiteral("Btn_Import_CSV"), 488, 6, 110, 28);
  Btn_Import_CSV->SetCaption(QStringLiteral("Import EDE"));
  Btn_Import_CSV->SetShowHint(false);
  Btn_Import_CSV->OnClick = [this](TObject* s) { Btn_Import_CSVClick(s); };
  for (TKvColumnGrid* g : {KCG1, KCG2}) {
    Drop_Cell_Handlers(g);
    g->OnGridHint = [this](TObject* s, int r, int c, QString& h) { KCG1GridHint(s, r, c, h); };
  }
  KCG1->SetShowHint(true);
  OD_EDE_File = new TOpenDialog(this);
  OD_EDE_File->Filter = QStringLiteral("BACnet EDE File (*.csv)|*.csv");
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TFBACnetAccess::FormCreate(TObject* Sender)
{
  TRuleEditorFrame::FormCreate(Sender);
  SetClientWidth(BACnet_Client_Width(Screen->Width()));
  SetClientHeight(Client_Height);
  OD_EDE_File->InitialDir = WS().Dir_Last_EDE;
}

void TFBACnetAccess::Set_Lang_Own()
{
  Btn_Import_CSV->SetCaption(Lang_Str(2259));
}

QString TFBACnetAccess::Project_File() const
{
  return WS().Name_File_BACnet_Master_Access;
}

void TFBACnetAccess::Before_Load()
{
  PageControl1->SetActivePage(TS_BACnet_Read);
  bool found = false;
  QString type;
  try {
    type = Read_ParGen_Key(WS().Name_File_ParGen, QStringLiteral("BACnet_Master_Type"), QString(), &found);
  } catch (const Exception&) {
    // The show ends here; OK then treats the rule file as not loaded whole.
    Load_State = TRuleLoadState{};
    Load_State.Stopped = true;
    throw;
  }
  App_BACnet_Type = found ? StrToIntDef(type, 0) : 0;
  if (!found)
    MessageDlg(Lang_Str(2257), mtError, mbOK);

  const bool device = App_BACnet_Type == 0 || App_BACnet_Type == 1;
  const int headers[2] = {App_BACnet_Type == 1 ? 2210 : 2209, App_BACnet_Type == 1 ? 2222 : 2221};
  TKvColumnGrid* grids[2] = {KCG1, KCG2};
  for (int g = 0; g < 2; ++g) {
    Edit_Desc().Grids[size_t(g)].Key_Col = device ? 2 : 3;
    if (device) {
      if (grids[g]->IsHiddenColumn(2))
        grids[g]->UnHideColumn(2);
      grids[g]->Columns()->Items(2)->SetHeader(Lang_Str(headers[g]));
      grids[g]->SetCells(2, 0, Lang_Str(headers[g]));
    } else if (!grids[g]->IsHiddenColumn(2)) {
      grids[g]->HideColumn(2);
    }
  }
  const QStringList positions = Modbus_Position_Items(1440);
  Set_Column_Items(KCG1, Read_Position_Col, positions);
  Set_Column_Items(KCG2, Write_Position_Col, positions);
}

void TFBACnetAccess::KCG1GridHint(TObject* Sender, int ARow, int ACol, QString& Hint)
{
  if (Sender == KCG1)
    Hint = Str_Hint_Read(ARow, ACol);
  else if (Sender == KCG2)
    Hint = Str_Hint_Write(ARow, ACol);
  else
    Hint.clear();
}

QString TFBACnetAccess::Str_Hint_Read(int ARow, int ACol) const
{
  if (ARow < 1 || ARow >= KCG1->RowCount() || KCG1->RealColIndex(ACol) != 5)
    return QString();
  return BACnet_Read_Property_Hint(KCG1->Cells(3, ARow), KCG1->Cells(5, ARow));
}

QString TFBACnetAccess::Str_Hint_Write(int, int) const
{
  return QString();
}

void TFBACnetAccess::Btn_Import_CSVClick(TObject*)
{
  TFImportEDEFile* picker = FImportEDEFile;
  if (!picker)
    return;
  picker->App_BACnet_Type = App_BACnet_Type;
  OD_EDE_File->InitialDir = WS().Dir_Last_EDE;
  if (!OD_EDE_File->Execute())
    return;
  const QString file = OD_EDE_File->FileName;
  // The folder is remembered whatever follows.
  WS().Dir_Last_EDE = QFileInfo(file).path();
  OD_EDE_File->InitialDir = WS().Dir_Last_EDE;
  if (!QFileInfo(file).isFile())
    return;
  picker->EDE_File = file;
  if (picker->ShowModal() != mrOk)
    return;
  auto rule_grid = [](TKvColumnGrid* g) {
    TEDE_Rule_Grid r;
    r.Row_Count = g->RowCount();
    r.Cell = [g](int c, int row) { return g->Cells(c, row); };
    r.Set_Cell = [g](int c, int row, const QString& t) { g->SetCells(c, row, t); };
    return r;
  };
  TEDE_Rule_Grid read = rule_grid(KCG1), write = rule_grid(KCG2);
  const TEDE_Append_Result done =
      Append_EDE_Objects(picker->List_EDE_Var, picker->E_ID_IP->Text(), App_BACnet_Type, read, write);
  if (done.Not_Placed > 0)
    MessageDlg(Lang_Str(2318) + QString::number(done.Not_Placed), mtInformation, mbOK);
}

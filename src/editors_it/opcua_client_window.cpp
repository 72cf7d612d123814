// The OPC UA client rules editor.

#include "editors_it/opcua_client_window.h"

#include "editors_it/opcua_scan_dialog.h"
#include "editors_it/opcua_server_dialog.h"
#include "grid/column_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/common_routines.h"
#include "common/grid_row_commands.h"
#include "common/lang_table.h"
#include "common/rule_editor_frame.h"
#include "common/window_look.h"
#include "common/working_state.h"

#include <algorithm>
#include <functional>

TFOPC_UA_Client_Access* FOPC_UA_Client_Access = nullptr;

namespace {

// Positions pass from 0 up to this number.
constexpr int Position_Max = 1499;

// Read grid columns; the write grid has On Change, On CMD and On Timer before Time.
enum : int { C_Enable = 1, C_Name = 2, C_Node_Type = 3, C_Node_ID = 4, C_Var_Type = 5, C_NSI = 6 };

QStringList Data_Type_Items()
{
  QStringList l;
  for (int i = 0; i < 15; ++i)
    l << Get_OPC_UA_Data_Type_Str(i);
  return l;
}

QStringList Node_Type_Items()
{
  return {QStringLiteral("Numeric"), QStringLiteral("String"), QStringLiteral("Guid"), QStringLiteral("ByteString")};
}

TRuleGrid Server_Desc()
{
  TRuleGrid g;
  g.Rows = 1;
  g.Enable_Col = -1;
  g.Columns = {Rule_Row_Number(4311)};
  const int widths[] = {50, 200, 150, 100, 100, 120, 120, 110, 130, 200};
  for (int c = 0; c < 10; ++c)
    g.Columns.push_back(Rule_Column(4312 + c, "", widths[c], clWhite));
  return g;
}

TRuleGrid Var_Desc(bool Write)
{
  const int h = Write ? 4364 : 4345;
  TRuleGrid g;
  g.Rows = OPC_UA_Max_Variables;
  g.Columns = {
      Rule_Row_Number(h),
      Rule_Column(h + 1, "", 50, clWhite, edDataCheckBox),
      Rule_Column(h + 2, "", 180, clWhite),
      Rule_Column(h + 3, "", 90, clWhite, edComboList, Node_Type_Items()),
      Rule_Column(h + 4, "", 260, clWhite),
      Rule_Column(h + 5, "", 90, clWhite, edComboList, Data_Type_Items()),
      Rule_Column(h + 6, "", 80, clWhite),
  };
  if (Write)
    for (int k = 0; k < 3; ++k)
      g.Columns.push_back(Rule_Column(h + 7 + k, "", 70, clWhite, edDataCheckBox));
  const int rest = Write ? h + 10 : h + 7;
  g.Columns.push_back(Rule_Column(rest, "", 70, clWhite));
  g.Columns.push_back(Rule_Column(rest + 1, "", 70, clWhite));
  g.Columns.push_back(Rule_Column(rest + 2, "", 200, clWhite));
  return g;
}

// A borderless strip of the list panels: title or buttons.
TPanel* Make_Strip(TComponent* Owner, TWinControl* Parent, TAlign Align, int Height)
{
  auto* p = new TPanel(Owner);
  p->SetParent(Parent);
  p->SetAlign(Align);
  p->SetHeight(Height);
  p->SetBevelOuter(bvNone);
  return p;
}

TKvColumnGrid* Make_Grid(TComponent* Owner, TWinControl* Parent, const QString& Name, const TRuleGrid& D)
{
  auto* g = new TKvColumnGrid(Owner);
  g->SetName(Name);
  g->SetParent(Parent);
  g->SetAlign(alClient);
  Setup_Rule_Grid(D, g);
  return g;
}

QString YN(bool B)
{
  return B ? QStringLiteral("Y") : QStringLiteral("N");
}

}  // namespace

int GetLenVarType(const QString& Type)
{
  static const struct {
    const char* Name;
    int Size;
  } sizes[] = {{"Boolean", 1}, {"Int8", 1},    {"UInt8", 1},    {"Int16", 2},     {"UInt16", 2},
               {"Int32", 4},   {"UInt32", 4},  {"Float", 4},    {"Int64", 8},     {"UInt64", 8},
               {"Double", 8},  {"DateTime", 8}, {"Guid", 16},   {"String", 20},   {"ByteString", 20}};
  for (const auto& s : sizes)
    if (Type.compare(QLatin1String(s.Name), Qt::CaseInsensitive) == 0)
      return s.Size;
  return 0;
}

TFOPC_UA_Client_Access::TFOPC_UA_Client_Access(TComponent* AOwner)
    : TForm(AOwner), FServer_Desc(Server_Desc()), FRead_Desc(Var_Desc(false)), FWrite_Desc(Var_Desc(true))
{
  SetName(QStringLiteral("FOPC_UA_Client_Access"));
  Apply_Shell_Look(this, 1150, 660, true);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;

  P_OPC_UA_Server_List = Make_Plain_Panel(this, QStringLiteral("P_OPC_UA_Server_List"), 220, alTop);
  TPanel* serverTitle = Make_Strip(this, P_OPC_UA_Server_List, alTop, 24);
  L_Server_List_Title = Make_Label(this, serverTitle, QStringLiteral("L_Server_List_Title"), 16, 4, true);
  TPanel* serverButtons = Make_Strip(this, P_OPC_UA_Server_List, alBottom, 40);
  TLbButton** sb[4] = {&Btn_Add_Server, &Btn_Modify_Server, &Btn_Delete_Server, &Btn_Scan_Server};
  const char* sbNames[4] = {"Btn_Add_Server", "Btn_Modify_Server", "Btn_Delete_Server", "Btn_Scan_Server"};
  for (int i = 0; i < 4; ++i)
    *sb[i] = Make_Button(this, serverButtons, QString::fromLatin1(sbNames[i]), 16 + 118 * i, 6, 110, 28);
  KCG_OPC_UA_Server = Make_Grid(this, P_OPC_UA_Server_List, QStringLiteral("KCG_OPC_UA_Server"), FServer_Desc);
  KCG_OPC_UA_Server->SetOptions(KCG_OPC_UA_Server->Options() | goRowSelect);

  auto* splitter = new TSplitter(this);
  splitter->SetParent(this);
  splitter->SetAlign(alTop);
  splitter->SetHeight(3);

  P_OPC_UA_Var_List = Make_Plain_Panel(this, QStringLiteral("P_OPC_UA_Var_List"), 300, alClient);
  TPanel* varTitle = Make_Strip(this, P_OPC_UA_Var_List, alTop, 24);
  L_Variables_List_Title = Make_Label(this, varTitle, QStringLiteral("L_Variables_List_Title"), 16, 4, true);
  TPanel* varButtons = Make_Strip(this, P_OPC_UA_Var_List, alBottom, 40);
  const std::array<TLbButton*, 6> rowButtons = Make_Table_Buttons(this, varButtons);
  Btn_OK = rowButtons[0];
  Btn_Cancel = rowButtons[1];
  Btn_DelRow = rowButtons[2];
  Btn_InsRow = rowButtons[3];
  Btn_CopyRow = rowButtons[4];
  Btn_PasteRow = rowButtons[5];
  Btn_AutoPosition = Make_Button(this, varButtons, QStringLiteral("Btn_AutoPosition"), 16 + 118 * 6, 6, 110, 28);
  Btn_AutoPosition->SetCaption(QStringLiteral("Auto Pos"));

  PC_OPC_UA_Vars = new TPageControl(this);
  PC_OPC_UA_Vars->SetName(QStringLiteral("PC_OPC_UA_Vars"));
  PC_OPC_UA_Vars->SetParent(P_OPC_UA_Var_List);
  PC_OPC_UA_Vars->SetAlign(alClient);
  TS_OPC_UA_Var_Read = new TTabSheet(this);
  TS_OPC_UA_Var_Read->SetPageControl(PC_OPC_UA_Vars);
  TS_OPC_UA_Var_Read->SetCaption(QStringLiteral("Variables in Read"));
  TS_OPC_UA_Var_Write = new TTabSheet(this);
  TS_OPC_UA_Var_Write->SetPageControl(PC_OPC_UA_Vars);
  TS_OPC_UA_Var_Write->SetCaption(QStringLiteral("Variables in Write"));
  PC_OPC_UA_Vars->SetActivePage(TS_OPC_UA_Var_Read);
  KCG_OPC_UA_Var_R = Make_Grid(this, TS_OPC_UA_Var_Read, QStringLiteral("KCG_OPC_UA_Var_R"), FRead_Desc);
  KCG_OPC_UA_Var_W = Make_Grid(this, TS_OPC_UA_Var_Write, QStringLiteral("KCG_OPC_UA_Var_W"), FWrite_Desc);

  for (TKvColumnGrid* g : {KCG_OPC_UA_Server, KCG_OPC_UA_Var_R, KCG_OPC_UA_Var_W}) {
    g->SetShowHint(true);
    g->OnGridHint = [this](TObject* s, int r, int c, QString& h) { GridHint(s, r, c, h); };
  }
  for (TKvColumnGrid* g : {KCG_OPC_UA_Var_R, KCG_OPC_UA_Var_W}) {
    g->SetOptions(g->Options() | goEditing);
    g->OnEnter = [this](TObject* s) { KCG_OPC_UA_Var_Enter(s); };
    g->OnExit = [this](TObject* s) { KCG_OPC_UA_Var_Exit(s); };
    g->OnKeyPress = [](TObject* s, QChar& k) { Grid_Jump_Next_Cell(s, k); };
    g->OnClickCell = [g](TObject*, int r, int c) {
      if (c == 0 && r >= 1)
        g->SelectRows(r, 1);
    };
    g->OnDblClickCell = [](TObject* s, int r, int c) { Grid_DblClick_AutoSize(s, r, c); };
  }
  KCG_OPC_UA_Server->OnClickCell = [this](TObject* s, int r, int c) { KCG_OPC_UA_ServerClickCell(s, r, c); };
  KCG_OPC_UA_Server->OnDblClickCell = [this](TObject* s, int r, int c) {
    KCG_OPC_UA_ServerDblClickCell(s, r, c);
  };

  Btn_Add_Server->OnClick = [this](TObject*) { Leave_Var_Grid(); Add_Server(); };
  Btn_Modify_Server->OnClick = [this](TObject*) { Leave_Var_Grid(); Modify_Server(); };
  Btn_Delete_Server->OnClick = [this](TObject*) { Leave_Var_Grid(); Delete_Server(); };
  Btn_Scan_Server->OnClick = [this](TObject*) { Leave_Var_Grid(); Scan_Server(); };
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
  Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
  Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
  Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };
  Btn_AutoPosition->OnClick = [this](TObject* s) { Btn_AutoPositionClick(s); };

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TFOPC_UA_Client_Access::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(1150);
  SetClientHeight(660);
  OPC_UA_Server_List.clear();
  Set_Lang();
}

void TFOPC_UA_Client_Access::Set_Lang()
{
  SetCaption(Lang_Str(4300));
  L_SW_Desc->SetCaption(Lang_Str(4301));
  L_Server_List_Title->SetCaption(Lang_Str(4302));
  TLbButton* sb[4] = {Btn_Add_Server, Btn_Modify_Server, Btn_Delete_Server, Btn_Scan_Server};
  for (int i = 0; i < 4; ++i) {
    sb[i]->SetCaption(Lang_Str(4303 + i));
    sb[i]->SetHint(Lang_Str(4307 + i));
  }
  L_Variables_List_Title->SetCaption(Lang_Str(4332));
  TLbButton* rb[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
  for (int i = 0; i < 6; ++i) {
    rb[i]->SetCaption(Lang_Str(4333 + i));
    rb[i]->SetHint(Lang_Str(4339 + i));
  }
  struct {
    TKvColumnGrid* G;
    const TRuleGrid* D;
    QStringList* Hints;
    std::vector<int> Hint_Texts;
  } const grids[] = {
      {KCG_OPC_UA_Server, &FServer_Desc, &Hint_Server_List, {4322, 4323, 4324, 4325, 4326, 4327, 4328, 4329, 4330, 4331}},
      {KCG_OPC_UA_Var_R, &FRead_Desc, &Hint_Var_R_List, {4355, 4356, 4357, 4358, 4359, 4360, 4361, 4362, 4363}},
      {KCG_OPC_UA_Var_W, &FWrite_Desc, &Hint_Var_W_List,
       {4377, 4378, 4379, 4380, 4381, 4382, 4384, 4383, 4385, 4386, 4387, 4388}},
  };
  for (const auto& g : grids) {
    for (int c = 0; c < g.D->Col_Count(); ++c) {
      const QString h = Lang_Str(g.D->Columns[size_t(c)].Header);
      g.G->Columns()->Items(c)->SetHeader(h);
      g.G->SetCells(c, 0, h);
    }
    g.Hints->clear();
    for (int t : g.Hint_Texts)
      *g.Hints << Lang_Str(t);
  }
}

void TFOPC_UA_Client_Access::Show_Load_Report(const TOPC_UA_Client_Load& Load)
{
  if (!Load.Failure.isEmpty())
    MessageDlg(Load.Failure, mtError, mbOK);
  if (Load.Left_Out.empty())
    return;
  QStringList lines;
  for (const TOPC_UA_Left_Out& l : Load.Left_Out)
    lines << Lang_Str(Rule_Text_Rows_Not_Shown)
                 .arg(l.Count)
                 .arg(QStringLiteral("Server %1, %2")
                          .arg(l.Server)
                          .arg(l.Write ? TS_OPC_UA_Var_Write->Caption() : TS_OPC_UA_Var_Read->Caption()));
  MessageDlg(lines.join(u'\n'), mtInformation, mbOK);
}

void TFOPC_UA_Client_Access::FormShow(TObject*)
{
  KCG_OPC_UA_Server->SetRowCount(2);
  for (int c = 0; c < KCG_OPC_UA_Server->ColCount(); ++c)
    KCG_OPC_UA_Server->SetCells(c, 1, QString());
  Clear_Rule_Grid(FRead_Desc, KCG_OPC_UA_Var_R);
  Clear_Rule_Grid(FWrite_Desc, KCG_OPC_UA_Var_W);
  OPC_UA_Server_List.clear();
  const TOPC_UA_Client_Load load = Read_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client);
  OPC_UA_Server_List = load.Servers;
  Partial_Load = load.Partial();
  Show_OPC_UA_Server_List();
  KCG_OPC_UA_Server->SetRow(1);
  Show_OPC_UA_Var_List();
  Do_Copy_Read = Do_Copy_Write = false;
  Ind_Server = -1;
  FEditing = nullptr;
  Show_Load_Report(load);
}

int TFOPC_UA_Client_Access::Selected_Server() const
{
  const int i = KCG_OPC_UA_Server->Row() - 1;
  return i >= 0 && i < int(OPC_UA_Server_List.size()) ? i : -1;
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Server_List()
{
  const int n = int(OPC_UA_Server_List.size());
  KCG_OPC_UA_Server->SetRowCount(std::max(2, n + 1));
  if (n == 0)
    for (int c = 0; c < KCG_OPC_UA_Server->ColCount(); ++c)
      KCG_OPC_UA_Server->SetCells(c, 1, QString());
  for (int i = 0; i < n; ++i) {
    const TOPC_UA_Server& s = OPC_UA_Server_List[size_t(i)];
    const QString cells[] = {QString::number(i + 1), YN(s.Enable), s.ServerAddress, s.Authorization,
                             s.UserName,             s.Password,   s.Certificate,   s.PrivateKey,
                             s.SecurityType,         s.SecurityPolicy, s.Mnemonic};
    for (int c = 0; c < 11; ++c)
      KCG_OPC_UA_Server->SetCells(c, i + 1, cells[c]);
  }
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Var_List()
{
  Clear_Rule_Grid(FRead_Desc, KCG_OPC_UA_Var_R);
  Clear_Rule_Grid(FWrite_Desc, KCG_OPC_UA_Var_W);
  const int s = Selected_Server();
  if (s < 0)
    return;
  const TOPC_UA_Server& server = OPC_UA_Server_List[size_t(s)];
  for (int w = 0; w < 2; ++w) {
    TKvColumnGrid* g = w ? KCG_OPC_UA_Var_W : KCG_OPC_UA_Var_R;
    const std::vector<TOPC_UA_Variable>& list = w ? server.Var_List_W : server.Var_List_R;
    const int n = std::min(int(list.size()), OPC_UA_Max_Variables);
    g->BeginUpdate();
    for (int i = 0; i < n; ++i) {
      const TOPC_UA_Variable& v = list[size_t(i)];
      QStringList cells = {YN(v.Enable), v.DispalyName, v.NodeType(), v.NodeID(), v.VarType(),
                           QString::number(v.nameSpaceIndex)};
      if (w)
        cells << v.OnChange << v.OnCMD << v.OnTimer;
      cells << v.Time << v.Position << v.Mnemonic;
      for (int c = 0; c < cells.size(); ++c)
        g->SetCells(c + 1, i + 1, cells.at(c));
    }
    g->EndUpdate();
  }
}

namespace {

// The grid's rows up to the first empty Display Name (not trimmed) as variables; the
// write grid has On Change, On CMD and On Timer before Time, the read grid stores "N".
std::vector<TOPC_UA_Variable> Grid_Variables(TKvColumnGrid* g, bool Write)
{
  std::vector<TOPC_UA_Variable> list;
  const int time = Write ? 10 : 7;
  for (int r = 1; r <= OPC_UA_Max_Variables && !g->Cells(C_Name, r).isEmpty(); ++r) {
    TOPC_UA_Variable v;
    v.Enable = g->Cells(C_Enable, r) == QLatin1String("Y");
    v.DispalyName = g->Cells(C_Name, r);
    v.SetNodeType(g->Cells(C_Node_Type, r));
    v.SetNodeID(g->Cells(C_Node_ID, r));
    v.SetVarType(g->Cells(C_Var_Type, r));
    v.nameSpaceIndex = uint16_t(StrToIntDef(g->Cells(C_NSI, r), 0));
    if (Write) {
      v.OnChange = g->Cells(7, r);
      v.OnCMD = g->Cells(8, r);
      v.OnTimer = g->Cells(9, r);
    } else {
      v.OnChange = v.OnCMD = v.OnTimer = QStringLiteral("N");
    }
    v.Time = g->Cells(time, r);
    v.Position = g->Cells(time + 1, r);
    v.Mnemonic = g->Cells(time + 2, r);
    list.push_back(std::move(v));
  }
  return list;
}

}  // namespace

void TFOPC_UA_Client_Access::Save_Variable_in_Read(int Server)
{
  if (Server >= 0 && Server < int(OPC_UA_Server_List.size()))
    OPC_UA_Server_List[size_t(Server)].Var_List_R = Grid_Variables(KCG_OPC_UA_Var_R, false);
}

void TFOPC_UA_Client_Access::Save_Variable_in_Write(int Server)
{
  if (Server >= 0 && Server < int(OPC_UA_Server_List.size()))
    OPC_UA_Server_List[size_t(Server)].Var_List_W = Grid_Variables(KCG_OPC_UA_Var_W, true);
}

void TFOPC_UA_Client_Access::Save_Var_Grid(TKvColumnGrid* G)
{
  if (G == KCG_OPC_UA_Var_R)
    Save_Variable_in_Read(Ind_Server);
  else if (G == KCG_OPC_UA_Var_W)
    Save_Variable_in_Write(Ind_Server);
}

void TFOPC_UA_Client_Access::KCG_OPC_UA_Var_Enter(TObject* Sender)
{
  Ind_Server = Selected_Server();
  FEditing = Sender == KCG_OPC_UA_Var_W ? KCG_OPC_UA_Var_W : KCG_OPC_UA_Var_R;
}

void TFOPC_UA_Client_Access::KCG_OPC_UA_Var_Exit(TObject* Sender)
{
  if (Ind_Server >= 0)
    Save_Var_Grid(Sender == KCG_OPC_UA_Var_W ? KCG_OPC_UA_Var_W : KCG_OPC_UA_Var_R);
  Ind_Server = -1;
  FEditing = nullptr;
}

void TFOPC_UA_Client_Access::Leave_Var_Grid()
{
  if (FEditing)
    KCG_OPC_UA_Var_Exit(FEditing);
}

TKvColumnGrid* TFOPC_UA_Client_Access::Active_Var_Grid() const
{
  return PC_OPC_UA_Vars->ActivePage() == TS_OPC_UA_Var_Read ? KCG_OPC_UA_Var_R : KCG_OPC_UA_Var_W;
}

void TFOPC_UA_Client_Access::KCG_OPC_UA_ServerClickCell(TObject*, int ARow, int)
{
  if (ARow > 0) {
    Leave_Var_Grid();
    if (KCG_OPC_UA_Server->Row() != ARow)
      KCG_OPC_UA_Server->SetRow(ARow);
    Show_OPC_UA_Var_List();
  }
}

void TFOPC_UA_Client_Access::KCG_OPC_UA_ServerDblClickCell(TObject*, int ARow, int)
{
  Leave_Var_Grid();
  if (ARow == -1)
    Add_Server();
  else
    Modify_Server();
}

void TFOPC_UA_Client_Access::Add_Server()
{
  TFOPC_UA_Add_Server* d = FOPC_UA_Add_Server;
  if (d) {
    d->FormType = TFOPC_UA_Add_Server::Form_Add;
    if (d->ShowModal() == mrOk) {
      TOPC_UA_Server s;
      d->Store_Server(s);
      OPC_UA_Server_List.push_back(std::move(s));
    }
  }
  Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Modify_Server()
{
  TFOPC_UA_Add_Server* d = FOPC_UA_Add_Server;
  const int i = Selected_Server();
  if (d && i >= 0) {
    d->FormType = TFOPC_UA_Add_Server::Form_Modify;
    d->Load_Server(OPC_UA_Server_List[size_t(i)]);
    if (d->ShowModal() == mrOk)
      d->Store_Server(OPC_UA_Server_List[size_t(i)]);
  }
  Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Delete_Server()
{
  const int i = Selected_Server();
  if (i >= 0 && MessageDlg(Lang_Str(4389), mtConfirmation, mbYes | mbNo | mbCancel) == mrYes)
    OPC_UA_Server_List.erase(OPC_UA_Server_List.begin() + i);
  Show_OPC_UA_Server_List();
  if (KCG_OPC_UA_Server->Row() >= KCG_OPC_UA_Server->RowCount())
    KCG_OPC_UA_Server->SetRow(KCG_OPC_UA_Server->RowCount() - 1);
  Show_OPC_UA_Var_List();
}

bool TFOPC_UA_Client_Access::Controllo_Dati()
{
  for (size_t s = 0; s < OPC_UA_Server_List.size(); ++s) {
    const TOPC_UA_Server& server = OPC_UA_Server_List[s];
    for (int w = 0; w < 2; ++w) {
      const std::vector<TOPC_UA_Variable>& list = w ? server.Var_List_W : server.Var_List_R;
      for (size_t k = 0; k < list.size(); ++k) {
        const TOPC_UA_Variable& v = list[k];
        if (!v.Enable)
          continue;
        int text = -1;
        const int base = w ? 4401 : 4397;
        if (!w || v.OnTimer == QLatin1String("Y")) {
          if (v.Time.trimmed().isEmpty())
            text = base;
          else if (Rule_Int(v.Time) < 1)
            text = base + 1;
        }
        if (text < 0) {
          if (v.Position.trimmed().isEmpty())
            text = base + 2;
          else if (const int p = Rule_Int(v.Position); p < 0 || p > Position_Max)
            text = base + 3;
        }
        if (text >= 0) {
          MessageDlg(Format(Lang_Str(text), {int(s) + 1, int(k) + 1, Position_Max}), mtError, mbOK);
          return false;
        }
      }
    }
  }
  return true;
}

void TFOPC_UA_Client_Access::Btn_OKClick(TObject*)
{
  Leave_Var_Grid();
  if (!Controllo_Dati())
    return;
  if (Partial_Load &&
      MessageDlg(Lang_Str(Rule_Text_Replace_Partial_File), mtConfirmation, mbYes | mbNo) != mrYes)
    return;
  // Raises when the file cannot be written: the window stays open with its edits.
  Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, OPC_UA_Server_List);
  Partial_Load = false;
  SetModalResult(mrOk);
}

void TFOPC_UA_Client_Access::Start_Position(int Server, int64_t& Read, int64_t& Write) const
{
  Read = Write = 0;
  if (Server <= 0)
    return;
  const TOPC_UA_Server& above = OPC_UA_Server_List[size_t(Server - 1)];
  for (const TOPC_UA_Variable& v : above.Var_List_R)
    Read = std::max<int64_t>(Read, Rule_Int64(v.Position, 0) + GetLenVarType(v.VarType()));
  for (const TOPC_UA_Variable& v : above.Var_List_W)
    Write = std::max<int64_t>(Write, Rule_Int64(v.Position, 0) + GetLenVarType(v.VarType()));
}

void TFOPC_UA_Client_Access::Btn_AutoPositionClick(TObject*)
{
  Leave_Var_Grid();
  const int s = Selected_Server();
  if (s < 0)
    return;
  if (MessageDlg(Lang_Str(4394), mtConfirmation, mbYes | mbNo) != mrYes)
    return;
  int64_t read = 0, write = 0;
  Start_Position(s, read, write);
  TOPC_UA_Server& server = OPC_UA_Server_List[size_t(s)];
  for (TOPC_UA_Variable& v : server.Var_List_R) {
    v.Position = QString::number(read);
    read += GetLenVarType(v.VarType());
  }
  for (TOPC_UA_Variable& v : server.Var_List_W) {
    v.Position = QString::number(write);
    write += GetLenVarType(v.VarType());
  }
  Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::GridHint(TObject* Sender, int ARow, int ACol, QString& Hint)
{
  const QStringList* list = Sender == KCG_OPC_UA_Server  ? &Hint_Server_List
                            : Sender == KCG_OPC_UA_Var_R ? &Hint_Var_R_List
                                                         : &Hint_Var_W_List;
  Hint = ARow == 0 && ACol > 0 && ACol - 1 < list->size() ? list->at(ACol - 1) : QString();
}

void TFOPC_UA_Client_Access::Btn_DelRowClick(TObject*)
{
  Leave_Var_Grid();
  TKvColumnGrid* g = Active_Var_Grid();
  const int r = g->Row();
  if (r < 1)
    return;
  if (MessageDlg(Lang_Str(4393) + QString::number(r), mtConfirmation, mbYes | mbNo) != mrYes)
    return;
  Grid_Delete_Row(r, g);
  Ind_Server = Selected_Server();
  Save_Var_Grid(g);
  Ind_Server = -1;
}

void TFOPC_UA_Client_Access::Btn_InsRowClick(TObject*)
{
  Leave_Var_Grid();
  TKvColumnGrid* g = Active_Var_Grid();
  if (g->Row() < 1)
    return;
  Grid_Insert_Row(g->Row(), g, true);
  Ind_Server = Selected_Server();
  Save_Var_Grid(g);
  Ind_Server = -1;
}

void TFOPC_UA_Client_Access::Btn_CopyRowClick(TObject*)
{
  Leave_Var_Grid();
  TKvColumnGrid* g = Active_Var_Grid();
  if (g->Row() < 1)
    return;
  Grid_Copy_Row(g, g->Row());
  Do_Copy_Read = g == KCG_OPC_UA_Var_R;
  Do_Copy_Write = !Do_Copy_Read;
}

void TFOPC_UA_Client_Access::Btn_PasteRowClick(TObject*)
{
  Leave_Var_Grid();
  TKvColumnGrid* g = Active_Var_Grid();
  if (g->Row() < 1)
    return;
  Grid_Paste_Row(g, g->Row(), g == KCG_OPC_UA_Var_R ? Do_Copy_Read : Do_Copy_Write);
  Ind_Server = Selected_Server();
  Save_Var_Grid(g);
  Ind_Server = -1;
}

int TFOPC_UA_Client_Access::Add_Variables_In_Read()
{
  const int s = Selected_Server();
  if (s < 0 || !FOPC_UA_Scan_Server)
    return 0;
  return OPC_UA_Append_Browsed(OPC_UA_Server_List[size_t(s)].Var_List_R, FOPC_UA_Scan_Server->List_Var,
                               FOPC_UA_Scan_Server->Marks(TFOPC_UA_Scan_Server::Col_Read));
}

int TFOPC_UA_Client_Access::Add_Variables_In_Write()
{
  const int s = Selected_Server();
  if (s < 0 || !FOPC_UA_Scan_Server)
    return 0;
  return OPC_UA_Append_Browsed(OPC_UA_Server_List[size_t(s)].Var_List_W, FOPC_UA_Scan_Server->List_Var,
                               FOPC_UA_Scan_Server->Marks(TFOPC_UA_Scan_Server::Col_Write));
}

void TFOPC_UA_Client_Access::Scan_Server()
{
  const int s = Selected_Server();
  if (s < 0) {
    MessageDlg(Lang_Str(4390), mtError, mbOK);
    return;
  }
  TFOPC_UA_Scan_Server* d = FOPC_UA_Scan_Server;
  if (!d)
    return;
  d->Server = OPC_UA_Server_List[size_t(s)];
  if (d->ShowModal() != mrOk)
    return;
  if (!d->List_Var.empty()) {
    QStringList leftOut;
    for (int w = 0; w < 2; ++w) {
      std::vector<TOPC_UA_Variable>& list =
          w ? OPC_UA_Server_List[size_t(s)].Var_List_W : OPC_UA_Server_List[size_t(s)].Var_List_R;
      int answer = mrYes;
      if (!list.empty())
        answer = MessageDlg(Lang_Str(w ? 4392 : 4391), mtConfirmation, mbYes | mbNo | mbCancel);
      if (answer == mrNo)
        list.clear();
      if (answer != mrYes && answer != mrNo)
        continue;
      const int n = w ? Add_Variables_In_Write() : Add_Variables_In_Read();
      if (n > 0)
        leftOut << Lang_Str(Rule_Text_Rows_Not_Shown)
                       .arg(n)
                       .arg(w ? TS_OPC_UA_Var_Write->Caption() : TS_OPC_UA_Var_Read->Caption());
    }
    if (!leftOut.isEmpty())
      MessageDlg(leftOut.join(u'\n'), mtInformation, mbOK);
  }
  Show_OPC_UA_Var_List();
}

// The OPC UA browse dialog.

#include "editors_it/opcua_scan_dialog.h"

#include "grid/column_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/rule_table.h"
#include "common/window_look.h"
#include "common/working_state.h"

TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server = nullptr;

namespace {

TRuleGrid Result_Desc()
{
  TRuleGrid g;
  g.Rows = 1;
  g.Enable_Col = -1;
  g.Columns = {Rule_Row_Number(4610),
               Rule_Column(4611, "", 50, clWhite, edDataCheckBox),
               Rule_Column(4624, "", 50, clWhite, edDataCheckBox),
               Rule_Column(4612, "", 220, clWhite),
               Rule_Column(4613, "", 90, clWhite),
               Rule_Column(4614, "", 260, clWhite),
               Rule_Column(4615, "", 90, clWhite),
               Rule_Column(4616, "", 90, clWhite),
               Rule_Column(-1, "", 90, clWhite)};
  return g;
}

QString YN(bool B)
{
  return B ? QStringLiteral("Y") : QStringLiteral("N");
}

}  // namespace

TFOPC_UA_Scan_Server::TFOPC_UA_Scan_Server(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FOPC_UA_Scan_Server"));
  Apply_Shell_Look(this, 1035, 337, true);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;
  LWaiting = Make_Label(this, P_Title, QStringLiteral("LWaiting"), 380, 18);
  LWaiting->Font()->SetName(QStringLiteral("Tahoma"));
  LWaiting->Font()->SetSize(24);
  LWaiting->Font()->SetColor(clGray);
  LWaiting->SetVisible(false);

  P_Button = Make_Button_Panel(this);
  TLbButton** buttons[6] = {&Btn_OK,           &Btn_Cancel,         &Btn_SelectAllRead,
                            &Btn_ClearAllRead, &Btn_SelectAllWrite, &Btn_ClearAllWrite};
  const char* names[6] = {"Btn_OK",           "Btn_Cancel",         "Btn_SelectAllRead",
                          "Btn_ClearAllRead", "Btn_SelectAllWrite", "Btn_ClearAllWrite"};
  for (int i = 0; i < 6; ++i)
    *buttons[i] = Make_Button(this, P_Button, QString::fromLatin1(names[i]), 16 + 118 * i, 6, 110, 28);
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_SelectAllRead->OnClick = [this](TObject* s) { Btn_SelectAllReadClick(s); };
  Btn_SelectAllWrite->OnClick = [this](TObject* s) { Btn_SelectAllReadClick(s); };
  Btn_ClearAllRead->OnClick = [this](TObject* s) { Btn_ClearAllReadClick(s); };
  Btn_ClearAllWrite->OnClick = [this](TObject* s) { Btn_ClearAllReadClick(s); };

  KCG_OPC_UA_Scan_Var = new TKvColumnGrid(this);
  KCG_OPC_UA_Scan_Var->SetName(QStringLiteral("KCG_OPC_UA_Scan_Var"));
  KCG_OPC_UA_Scan_Var->SetParent(this);
  KCG_OPC_UA_Scan_Var->SetAlign(alClient);
  KCG_OPC_UA_Scan_Var->SetOptions(KCG_OPC_UA_Scan_Var->Options() | goEditing);
  Setup_Rule_Grid(Result_Desc(), KCG_OPC_UA_Scan_Var);
  for (int c = 3; c <= 7; ++c)
    KCG_OPC_UA_Scan_Var->Columns()->Items(c)->SetReadOnly(true);
  KCG_OPC_UA_Scan_Var->Columns()->Items(8)->SetHeader(QStringLiteral("Read/Write"));
  KCG_OPC_UA_Scan_Var->SetCells(8, 0, QStringLiteral("Read/Write"));

  Timer_Scan = new TTimer(this);
  Timer_Scan->SetEnabled(false);
  Timer_Scan->SetInterval(100);
  Timer_Scan->OnTimer = [this](TObject* s) { Timer_ScanTimer(s); };

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TFOPC_UA_Scan_Server::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(1035);
  SetClientHeight(337);
  Set_Lang();
}

void TFOPC_UA_Scan_Server::Set_Lang()
{
  SetCaption(Lang_Str(4600));
  L_SW_Desc->SetCaption(Lang_Str(4601));
  const struct {
    TLbButton* B;
    int Caption, Hint;
  } buttons[] = {{Btn_OK, 4602, 4606},           {Btn_Cancel, 4603, 4607},         {Btn_SelectAllRead, 4604, 4608},
                 {Btn_ClearAllRead, 4605, 4609}, {Btn_SelectAllWrite, 4626, 4628}, {Btn_ClearAllWrite, 4627, 4629}};
  for (const auto& b : buttons) {
    b.B->SetCaption(Lang_Str(b.Caption));
    b.B->SetHint(Lang_Str(b.Hint));
  }
  const int headers[] = {4610, 4611, 4624, 4612, 4613, 4614, 4615, 4616};
  for (int c = 0; c < 8; ++c) {
    KCG_OPC_UA_Scan_Var->Columns()->Items(c)->SetHeader(Lang_Str(headers[c]));
    KCG_OPC_UA_Scan_Var->SetCells(c, 0, Lang_Str(headers[c]));
  }
  LWaiting->SetCaption(Lang_Str(4623));
}

void TFOPC_UA_Scan_Server::Erase_Table()
{
  KCG_OPC_UA_Scan_Var->SetRowCount(2);
  for (int c = 0; c < 9; ++c)
    KCG_OPC_UA_Scan_Var->SetCells(c, 1, QString());
}

void TFOPC_UA_Scan_Server::FormShow(TObject*)
{
  Erase_Table();
  if (!Server.ServerAddress.isEmpty()) {
    List_Var.clear();
    LWaiting->SetVisible(true);
    Timer_Scan->SetEnabled(true);
  } else {
    Show_Variables_List();
  }
}

void TFOPC_UA_Scan_Server::Show_Variables_List()
{
  if (List_Var.empty()) {
    Erase_Table();
    return;
  }
  TKvColumnGrid* g = KCG_OPC_UA_Scan_Var;
  g->BeginUpdate();
  g->SetRowCount(int(List_Var.size()) + 1);
  for (size_t i = 0; i < List_Var.size(); ++i) {
    const TOPC_UA_Browsed_Variable& b = List_Var[i];
    const int r = int(i) + 1;
    const QString cells[] = {QString::number(r),
                             YN(b.Readable()),
                             YN(b.Writable()),
                             b.Variable.DispalyName,
                             b.Variable.NodeType(),
                             b.Variable.NodeID(),
                             Get_OPC_UA_Data_Type_Str(b.Variable.dataType),
                             QString::number(b.Variable.nameSpaceIndex),
                             b.Access_Text()};
    for (int c = 0; c < 9; ++c)
      g->SetCells(c, r, cells[c]);
  }
  g->EndUpdate();
}

void TFOPC_UA_Scan_Server::Timer_ScanTimer(TObject*)
{
  Timer_Scan->SetEnabled(false);
  const TOPC_UA_Browse_Result result = OPC_UA_Browse(Server);
  if (result.Failed()) {
    MessageDlg(result.Failure_Message(), mtError, mbOK);
    return;
  }
  List_Var = result.Variables;
  LWaiting->SetVisible(false);
  Show_Variables_List();
}

void TFOPC_UA_Scan_Server::Btn_SelectAllReadClick(TObject* Sender)
{
  if (List_Var.empty())
    return;
  const int col = Sender == Btn_SelectAllRead ? Col_Read : Col_Write;
  for (int r = 1; r < KCG_OPC_UA_Scan_Var->RowCount(); ++r)
    KCG_OPC_UA_Scan_Var->SetCells(col, r, QStringLiteral("Y"));
}

void TFOPC_UA_Scan_Server::Btn_ClearAllReadClick(TObject* Sender)
{
  if (List_Var.empty())
    return;
  const int col = Sender == Btn_ClearAllRead ? Col_Read : Col_Write;
  for (int r = 1; r < KCG_OPC_UA_Scan_Var->RowCount(); ++r)
    KCG_OPC_UA_Scan_Var->SetCells(col, r, QStringLiteral("N"));
}

std::vector<bool> TFOPC_UA_Scan_Server::Marks(int Col) const
{
  std::vector<bool> marks(List_Var.size(), false);
  for (size_t i = 0; i < List_Var.size() && int(i) + 1 < KCG_OPC_UA_Scan_Var->RowCount(); ++i)
    marks[i] = KCG_OPC_UA_Scan_Var->Cells(Col, int(i) + 1) == QLatin1String("Y");
  return marks;
}

// The OPC UA server connection dialog.

#include "editors_it/opcua_server_dialog.h"

#include "editors_it/opcua_client_file.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/richedit.h"
#include "platform/ui/stdctrls.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/window_look.h"
#include "common/working_state.h"

TFOPC_UA_Add_Server* FOPC_UA_Add_Server = nullptr;

namespace {

constexpr int Label_Left = 16;
constexpr int Field_Left = 134;
constexpr int Field_Width = 251;
constexpr int Field_Height = 21;
constexpr int Rich_Height = 89;

TEdit* Make_Edit(TForm* owner, const QString& name, int top)
{
  auto* e = new TEdit(owner);
  e->SetName(name);
  e->SetParent(owner);
  e->SetBounds(Field_Left, top, Field_Width, Field_Height);
  return e;
}

TComboBox* Make_Combo(TForm* owner, const QString& name, int top, const QStringList& items)
{
  // Typed text is taken besides the items.
  auto* c = new TComboBox(owner, csDropDown);
  c->SetName(name);
  c->SetParent(owner);
  c->SetBounds(Field_Left, top, Field_Width, Field_Height);
  for (const QString& s : items)
    c->Items()->Add(s);
  c->SetItemIndex(0);
  return c;
}

TRichEdit* Make_Rich(TForm* owner, const QString& name, int top)
{
  auto* r = new TRichEdit(owner);
  r->SetName(name);
  r->SetParent(owner);
  r->SetBounds(Field_Left, top, Field_Width, Rich_Height);
  return r;
}

void Place(TLabel* L, TControl* F, int labelTop, int fieldTop)
{
  L->SetTop(labelTop);
  F->SetTop(fieldTop);
}

// The rich edit's text with its line breaks as CR LF, as the certificate and key are
// kept: a stored text that was not edited goes back unchanged.
QString Crlf_Text(const TRichEdit* R)
{
  QString t = R->PlainText();
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(u'\r', u'\n');
  t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return t;
}

void Show_Pair(TLabel* L, TControl* F, bool Visible)
{
  L->SetVisible(Visible);
  F->SetVisible(Visible);
}

}  // namespace

TFOPC_UA_Add_Server::TFOPC_UA_Add_Server(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FOPC_UA_Add_Server"));
  Apply_Shell_Look(this, 407, 308);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;
  P_Button = Make_Button_Panel(this);
  Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 6, 110, 28);
  Btn_OK->SetCaption(QStringLiteral("OK"));
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 134, 6, 110, 28);
  Btn_Cancel->SetCaption(QStringLiteral("Cancel"));
  Btn_Cancel->SetModalResult(mrCancel);

  CB_OPC_UA_Server_Enable = new TCheckBox(this);
  CB_OPC_UA_Server_Enable->SetName(QStringLiteral("CB_OPC_UA_Server_Enable"));
  CB_OPC_UA_Server_Enable->SetParent(this);
  CB_OPC_UA_Server_Enable->SetBounds(Label_Left, 78, 200, 19);

  L_Server_Add = Make_Label(this, this, QStringLiteral("L_Server_Add"), Label_Left, 110);
  E_Server_Add = Make_Edit(this, QStringLiteral("E_Server_Add"), 107);
  L_Auth = Make_Label(this, this, QStringLiteral("L_Auth"), Label_Left, 142);
  CB_Auth = Make_Combo(this, QStringLiteral("CB_Auth"), 139,
                       {Get_OPC_UA_Auth_Str(0), Get_OPC_UA_Auth_Str(1), Get_OPC_UA_Auth_Str(2)});
  L_User = Make_Label(this, this, QStringLiteral("L_User"), Label_Left, 171);
  E_User = Make_Edit(this, QStringLiteral("E_User"), 168);
  L_Pass = Make_Label(this, this, QStringLiteral("L_Pass"), Label_Left, 203);
  E_Pass = Make_Edit(this, QStringLiteral("E_Pass"), 200);
  L_Certificate = Make_Label(this, this, QStringLiteral("L_Certificate"), Label_Left, 171);
  RE_Certificate = Make_Rich(this, QStringLiteral("RE_Certificate"), 168);
  L_Priv_Key = Make_Label(this, this, QStringLiteral("L_Priv_Key"), Label_Left, 271);
  RE_Priv_Key = Make_Rich(this, QStringLiteral("RE_Priv_Key"), 268);
  L_Sec_Type = Make_Label(this, this, QStringLiteral("L_Sec_Type"), Label_Left, 171);
  CB_Sec_Type = Make_Combo(this, QStringLiteral("CB_Sec_Type"), 168,
                           {Get_OPC_UA_Sec_Type_Str(0), Get_OPC_UA_Sec_Type_Str(1), Get_OPC_UA_Sec_Type_Str(2)});
  L_Sec_Policy = Make_Label(this, this, QStringLiteral("L_Sec_Policy"), Label_Left, 203);
  QStringList policies;
  for (int i = 0; i < 6; ++i)
    policies << Get_OPC_UA_Sec_Policy_Str(i);
  CB_Sec_Policy = Make_Combo(this, QStringLiteral("CB_Sec_Policy"), 200, policies);
  L_Mnemonic = Make_Label(this, this, QStringLiteral("L_Mnemonic"), Label_Left, 235);
  E_Mnemonic = Make_Edit(this, QStringLiteral("E_Mnemonic"), 232);
  SetShowHint(true);

  CB_Auth->OnChange = [this](TObject* s) { CB_AuthChange(s); };
  CB_Sec_Type->OnChange = [this](TObject* s) { CB_Sec_TypeChange(s); };
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TFOPC_UA_Add_Server::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(407);
  Set_Lang();
}

void TFOPC_UA_Add_Server::Set_Lang()
{
  SetCaption(Lang_Str(4500));
  L_SW_Desc->SetCaption(Lang_Str(4501));
  CB_OPC_UA_Server_Enable->SetCaption(Lang_Str(4504));
  CB_OPC_UA_Server_Enable->SetHint(Lang_Str(4505));
  struct {
    TLabel* L;
    TControl* F;
  } const pairs[] = {{L_Server_Add, E_Server_Add}, {L_Auth, CB_Auth},         {L_User, E_User},
                     {L_Pass, E_Pass},             {L_Certificate, RE_Certificate}, {L_Priv_Key, RE_Priv_Key},
                     {L_Sec_Type, CB_Sec_Type},    {L_Sec_Policy, CB_Sec_Policy}, {L_Mnemonic, E_Mnemonic}};
  int text = 4506;
  for (const auto& p : pairs) {
    p.L->SetCaption(Lang_Str(text));
    p.F->SetHint(Lang_Str(text + 1));
    text += 2;
  }
  Btn_OK->SetCaption(Lang_Str(4524));
  Btn_OK->SetHint(Lang_Str(4525));
  Btn_Cancel->SetCaption(Lang_Str(4526));
  Btn_Cancel->SetHint(Lang_Str(4527));
}

void TFOPC_UA_Add_Server::FormShow(TObject*)
{
  if (FormType == Form_Modify) {
    SetCaption(Lang_Str(4502));
    L_SW_Desc->SetCaption(Lang_Str(4503));
  } else {
    SetCaption(Lang_Str(4500));
    L_SW_Desc->SetCaption(Lang_Str(4501));
    CB_OPC_UA_Server_Enable->SetCheckedNoClick(true);
    E_Server_Add->SetText(QString());
    E_User->SetText(QString());
    E_Pass->SetText(QString());
    E_Mnemonic->SetText(QString());
    RE_Certificate->Clear();
    RE_Priv_Key->Clear();
    CB_Auth->SetItemIndex(0);
    CB_Sec_Type->SetItemIndex(0);
  }
  Change_Fields();
  Check_Authorization();
}

void TFOPC_UA_Add_Server::Change_Fields()
{
  int mnemonic = 0;
  switch (CB_Auth->ItemIndex()) {
  case 0:
    Show_Pair(L_User, E_User, false);
    Show_Pair(L_Pass, E_Pass, false);
    Show_Pair(L_Certificate, RE_Certificate, false);
    Show_Pair(L_Priv_Key, RE_Priv_Key, false);
    mnemonic = 232;
    break;
  case 1:
    Show_Pair(L_User, E_User, true);
    Show_Pair(L_Pass, E_Pass, true);
    Place(L_User, E_User, 171, 168);
    Place(L_Pass, E_Pass, 203, 200);
    Show_Pair(L_Certificate, RE_Certificate, false);
    Show_Pair(L_Priv_Key, RE_Priv_Key, false);
    mnemonic = 296;
    break;
  case 2:
    Show_Pair(L_User, E_User, false);
    Show_Pair(L_Pass, E_Pass, false);
    Show_Pair(L_Certificate, RE_Certificate, true);
    Show_Pair(L_Priv_Key, RE_Priv_Key, true);
    Place(L_Certificate, RE_Certificate, 171, 168);
    Place(L_Priv_Key, RE_Priv_Key, 271, 268);
    mnemonic = 432;
    break;
  default:
    break;
  }
  if (mnemonic > 0) {
    Place(L_Sec_Type, CB_Sec_Type, mnemonic - 61, mnemonic - 64);
    Place(L_Sec_Policy, CB_Sec_Policy, mnemonic - 29, mnemonic - 32);
    Place(L_Mnemonic, E_Mnemonic, mnemonic + 3, mnemonic);
  }
  SetClientHeight(P_Button->Height() + E_Mnemonic->Top() + E_Mnemonic->Height() + 15);
}

void TFOPC_UA_Add_Server::Check_Authorization()
{
  if (CB_Sec_Type->ItemIndex() == 0) {
    CB_Sec_Policy->SetItemIndex(0);
    CB_Sec_Policy->SetEnabled(false);
  } else {
    CB_Sec_Policy->SetEnabled(true);
  }
}

bool TFOPC_UA_Add_Server::Controlla_Dati()
{
  int error = -1;
  const int auth = CB_Auth->ItemIndex();
  if (E_Server_Add->Text().trimmed().isEmpty())
    error = 4528;
  else if (auth == 1 && E_User->Text().trimmed().isEmpty())
    error = 4529;
  else if (auth == 1 && E_Pass->Text().trimmed().isEmpty())
    error = 4530;
  else if (auth == 2 && RE_Certificate->PlainText().trimmed().isEmpty())
    error = 4531;
  else if (auth == 2 && RE_Priv_Key->PlainText().trimmed().isEmpty())
    error = 4532;
  if (error < 0)
    return true;
  MessageDlg(Lang_Str(error), mtError, mbOK);
  return false;
}

void TFOPC_UA_Add_Server::Btn_OKClick(TObject*)
{
  if (Controlla_Dati())
    SetModalResult(mrOk);
}

void TFOPC_UA_Add_Server::Load_Server(const TOPC_UA_Server& S)
{
  CB_OPC_UA_Server_Enable->SetCheckedNoClick(S.Enable);
  E_Server_Add->SetText(S.ServerAddress);
  CB_Auth->SetItemIndex(Get_OPC_UA_Auth(S.Authorization));
  E_User->SetText(S.UserName);
  E_Pass->SetText(S.Password);
  RE_Certificate->SetPlainText(S.Certificate);
  RE_Priv_Key->SetPlainText(S.PrivateKey);
  CB_Sec_Type->SetItemIndex(Get_OPC_UA_Sec_Type(S.SecurityType));
  CB_Sec_Policy->SetItemIndex(Get_OPC_UA_Sec_Policy(S.SecurityPolicy));
  E_Mnemonic->SetText(S.Mnemonic);
}

void TFOPC_UA_Add_Server::Store_Server(TOPC_UA_Server& S) const
{
  S.Enable = CB_OPC_UA_Server_Enable->Checked();
  S.ServerAddress = E_Server_Add->Text();
  S.Authorization = Get_OPC_UA_Auth_Str(CB_Auth->ItemIndex());
  S.UserName = E_User->Text();
  S.Password = E_Pass->Text();
  S.Certificate = Crlf_Text(RE_Certificate);
  S.PrivateKey = Crlf_Text(RE_Priv_Key);
  S.SecurityType = Get_OPC_UA_Sec_Type_Str(CB_Sec_Type->ItemIndex());
  S.SecurityPolicy = Get_OPC_UA_Sec_Policy_Str(CB_Sec_Policy->ItemIndex());
  S.Mnemonic = E_Mnemonic->Text();
}

#pragma once
// The connection settings of one OPC UA server of the client rules: address, how the
// device authenticates, security type and policy, description. The client editor opens
// it to add a server (FormType 1) or to modify one (FormType 2); the height follows the
// credential fields the chosen authorization shows.

#include "platform/ui/forms.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TLbButton;
class TOPC_UA_Server;
class TPanel;
class TRichEdit;

class TFOPC_UA_Add_Server : public TForm {
public:
  enum : int { Form_Add = 1, Form_Modify = 2 };

  explicit TFOPC_UA_Add_Server(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFOPC_UA_Add_Server"); }

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TCheckBox* CB_OPC_UA_Server_Enable = nullptr;
  TLabel* L_Server_Add = nullptr;
  TEdit* E_Server_Add = nullptr;
  TLabel* L_Auth = nullptr;
  TComboBox* CB_Auth = nullptr;
  TLabel* L_User = nullptr;
  TEdit* E_User = nullptr;
  TLabel* L_Pass = nullptr;
  TEdit* E_Pass = nullptr;
  TLabel* L_Certificate = nullptr;
  TRichEdit* RE_Certificate = nullptr;
  TLabel* L_Priv_Key = nullptr;
  TRichEdit* RE_Priv_Key = nullptr;
  TLabel* L_Sec_Type = nullptr;
  TComboBox* CB_Sec_Type = nullptr;
  TLabel* L_Sec_Policy = nullptr;
  TComboBox* CB_Sec_Policy = nullptr;
  TLabel* L_Mnemonic = nullptr;
  TEdit* E_Mnemonic = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;

  int FormType = Form_Add;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  // Shows the credential fields of the chosen authorization and moves the fields below;
  // a typed text that is none of the items moves nothing.
  void Change_Fields();
  // Security type "None" forces and greys the policy "None".
  void Check_Authorization();
  bool Controlla_Dati();
  void CB_AuthChange(TObject*) { Change_Fields(); }
  void CB_Sec_TypeChange(TObject*) { Check_Authorization(); }
  void Btn_OKClick(TObject* Sender);

  // The caller's side: the fields from a stored server before a modify show, and the
  // fields into a server after mrOk (every field, hidden ones too; the combos through
  // the text routines, so a typed text becomes the list's last name).
  void Load_Server(const TOPC_UA_Server& Server);
  void Store_Server(TOPC_UA_Server& Server) const;
};

extern TFOPC_UA_Add_Server* FOPC_UA_Add_Server;

#pragma once
// The engineering-unit picker: the user chooses a BACnet engineering unit by category and
// list instead of typing its number. It hands its choice back only through the text of
// E_Selected_EU; Pick_Eng_Unit is the calling protocol. The chosen category stays from
// one opening to the next.

#include "platform/ui/forms.h"

class TBevel;
class TComboBox;
class TEdit;
class TLabel;
class TLbButton;
class TPanel;

class TFBACnet_Eng_Unit : public TForm {
public:
  explicit TFBACnet_Eng_Unit(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFBACnet_Eng_Unit"); }

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TLabel* Label1 = nullptr;
  TEdit* E_Selected_EU = nullptr;
  TLabel* Label5 = nullptr;
  TBevel* Bevel1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TComboBox* CB_Select_Type = nullptr;
  TLabel* Label4 = nullptr;
  TComboBox* CB_Select_Unit = nullptr;
  TLbButton* Btn_Select_Eng_Unit = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Set_Lang();
  void CB_Select_TypeSelect(TObject* Sender);
  void Btn_Select_Eng_UnitClick(TObject* Sender);
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;

// Opens the picker on a cell's text: the edit gets the text unchanged and Label5 its unit's
// name. True and Cell set to the edit's text when the picker closes with OK; otherwise the
// cell stays as it was.
bool Pick_Eng_Unit(TFBACnet_Eng_Unit* Picker, QString& Cell);

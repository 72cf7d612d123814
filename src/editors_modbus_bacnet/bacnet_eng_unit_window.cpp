// The engineering-unit picker.

#include "editors_modbus_bacnet/bacnet_eng_unit_window.h"

#include "editors_modbus_bacnet/bacnet_eng_units.h"
#include "platform/core/sysutils.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/window_look.h"
#include "common/working_state.h"

TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

namespace {

constexpr int Client_Width = 548;
constexpr int Client_Height = 306;

QString Unit_Label(int unit)
{
  return QStringLiteral("-> ") + Desc_Unit(unit);
}

TComboBox* Make_List(TForm* owner, const QString& name, int left, int top)
{
  auto* cb = new TComboBox(owner, csDropDownList);
  cb->SetName(name);
  cb->SetParent(owner);
  cb->SetBounds(left, top, 417, 21);
  return cb;
}

}  // namespace

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FBACnet_Eng_Unit"));
  Apply_Shell_Look(this, Client_Width, Client_Height);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;

  Label1 = Make_Label(this, this, QStringLiteral("Label1"), 16, 84);
  Label1->SetCaption(QStringLiteral("Selected BACnet Engineering Unit"));
  E_Selected_EU = new TEdit(this);
  E_Selected_EU->SetName(QStringLiteral("E_Selected_EU"));
  E_Selected_EU->SetParent(this);
  E_Selected_EU->SetBounds(250, 80, 49, 21);
  Label5 = Make_Label(this, this, QStringLiteral("Label5"), 310, 84);
  Label5->SetCaption(QStringLiteral("-> unknown"));

  Bevel1 = new TBevel(this);
  Bevel1->SetParent(this);
  Bevel1->SetShape(bsTopLine);
  Bevel1->SetBounds(8, 112, Client_Width - 16, 2);
  Label2 = Make_Label(this, this, QStringLiteral("Label2"), 16, 122, true);
  Label2->SetCaption(QStringLiteral("Select a New BACnet Engineering Unit"));
  Label3 = Make_Label(this, this, QStringLiteral("Label3"), 16, 152);
  Label3->SetCaption(QStringLiteral("Select the Type"));
  CB_Select_Type = Make_List(this, QStringLiteral("CB_Select_Type"), 112, 148);
  CB_Select_Type->Items()->AddStrings(Eng_Unit_Category_Names());
  CB_Select_Type->SetItemIndex(0);
  CB_Select_Type->OnSelect = [this](TObject* s) { CB_Select_TypeSelect(s); };
  Label4 = Make_Label(this, this, QStringLiteral("Label4"), 16, 182);
  Label4->SetCaption(QStringLiteral("Select Unit"));
  CB_Select_Unit = Make_List(this, QStringLiteral("CB_Select_Unit"), 112, 178);
  Btn_Select_Eng_Unit = Make_Button(this, this, QStringLiteral("Btn_Select_Eng_Unit"), 16, 222, 513, 23);
  Btn_Select_Eng_Unit->SetCaption(QStringLiteral("Select Engineering Unit"));
  Btn_Select_Eng_Unit->OnClick = [this](TObject* s) { Btn_Select_Eng_UnitClick(s); };

  P_Button = Make_Button_Panel(this);
  Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 6, 110, 28);
  Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 134, 6, 110, 28);
  Btn_OK->SetCaption(QStringLiteral("OK"));
  Btn_Cancel->SetCaption(QStringLiteral("Cancel"));
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel->SetModalResult(mrCancel);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TFBACnet_Eng_Unit::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  Set_Lang();
}

void TFBACnet_Eng_Unit::Set_Lang()
{
  SetCaption(Lang_Str(2500));
  L_SW_Desc->SetCaption(Lang_Str(2501));
  Btn_OK->SetCaption(Lang_Str(2502));
  Btn_Cancel->SetCaption(Lang_Str(2503));
  Label1->SetCaption(Lang_Str(2504));
  Label2->SetCaption(Lang_Str(2505));
  Label3->SetCaption(Lang_Str(2506));
  Label4->SetCaption(Lang_Str(2507));
  Btn_Select_Eng_Unit->SetCaption(Lang_Str(2508));
}

void TFBACnet_Eng_Unit::FormShow(TObject* Sender)
{
  CB_Select_TypeSelect(Sender);
}

void TFBACnet_Eng_Unit::CB_Select_TypeSelect(TObject*)
{
  CB_Select_Unit->Items()->Clear();
  CB_Select_Unit->Items()->AddStrings(Eng_Unit_List_Items(CB_Select_Type->ItemIndex()));
  CB_Select_Unit->SetItemIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick(TObject*)
{
  const int unit = Eng_Unit_At(CB_Select_Type->ItemIndex(), CB_Select_Unit->ItemIndex());
  if (unit < 0)
    return;
  E_Selected_EU->SetText(QString::number(unit));
  Label5->SetCaption(Unit_Label(unit));
}

bool Pick_Eng_Unit(TFBACnet_Eng_Unit* Picker, QString& Cell)
{
  if (!Picker)
    return false;
  Picker->E_Selected_EU->SetText(Cell);
  Picker->Label5->SetCaption(Unit_Label(StrToIntDef(Cell, -1)));
  if (Picker->ShowModal() != mrOk)
    return false;
  Cell = Picker->E_Selected_EU->Text();
  return true;
}

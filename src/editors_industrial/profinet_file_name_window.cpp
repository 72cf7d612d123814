// The GSDML file-name dialog.

#include "editors_industrial/profinet_file_name_window.h"

#include "editors_industrial/gsdml_writer.h"
#include "platform/core/datetime.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/window_look.h"
#include "common/working_state.h"

#include <QDate>

TFProfinetFileName* FProfinetFileName = nullptr;

namespace {

constexpr int Client_Width = 540;
constexpr int Client_Height = 205;
constexpr int Fix1_Left = 16;
constexpr int User_Left = 179;
constexpr int Fix2_Left = 447;
constexpr int Part_Caption_Top = 107;
constexpr int Part_Text_Top = 126;
constexpr int User_Edit_Top = 123;
constexpr int User_Edit_Width = 267;
constexpr int User_Edit_Height = 21;

}  // namespace

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FProfinetFileName"));
  Apply_Shell_Look(this, Client_Width, Client_Height);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;
  P_Button = Make_Button_Panel(this);
  Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 6, 110, 28);
  Btn_OK->SetCaption(QStringLiteral("OK"));
  Btn_OK->OnClick = [this](TObject* s) { Btn_OK_Click(s); };
  Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 134, 6, 110, 28);
  Btn_Cancel->SetCaption(QStringLiteral("Cancel"));
  Btn_Cancel->SetModalResult(mrCancel);

  L_Select_Name = Make_Label(this, this, QStringLiteral("L_Select_Name"), Fix1_Left, 70);
  L_FixPart_1 = Make_Label(this, this, QStringLiteral("L_FixPart_1"), Fix1_Left, Part_Caption_Top);
  L_XML_Fix1 = Make_Label(this, this, QStringLiteral("L_XML_Fix1"), Fix1_Left, Part_Text_Top);
  L_XML_Fix1->SetCaption(GSDML_Fix1);  // the same in every language
  L_UsedPart = Make_Label(this, this, QStringLiteral("L_UsedPart"), User_Left, Part_Caption_Top);
  E_XML_User = new TEdit(this);
  E_XML_User->SetName(QStringLiteral("E_XML_User"));
  E_XML_User->SetParent(this);
  E_XML_User->SetBounds(User_Left, User_Edit_Top, User_Edit_Width, User_Edit_Height);
  L_FixPart_2 = Make_Label(this, this, QStringLiteral("L_FixPart_2"), Fix2_Left, Part_Caption_Top);
  L_XML_Fix2 = Make_Label(this, this, QStringLiteral("L_XML_Fix2"), Fix2_Left, Part_Text_Top);

  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TFProfinetFileName::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  // The date of the program's start; it is not renewed while the program runs.
  int year = 0, month = 0, day = 0;
  DecodeDate(Now(), year, month, day);
  L_XML_Fix2->SetCaption(GSDML_Fix2(QDate(year, month, day)));
  Set_Lang();
}

void TFProfinetFileName::Set_Lang()
{
  SetCaption(Lang_Str(4800));
  L_SW_Desc->SetCaption(Lang_Str(4801));
  L_Select_Name->SetCaption(Lang_Str(4802));
  L_FixPart_1->SetCaption(Lang_Str(4803));
  L_UsedPart->SetCaption(Lang_Str(4804));
  L_FixPart_2->SetCaption(Lang_Str(4805));
  Btn_OK->SetCaption(Lang_Str(4806));
  Btn_Cancel->SetCaption(Lang_Str(4807));
}

void TFProfinetFileName::Btn_OK_Click(TObject*)
{
  // Characters a file name cannot hold are dropped from the user's part, so the name
  // stays one name inside the folder the user picks next.
  Name_File_XML = Compose_GSDML_File_Name(E_XML_User->Text(), L_XML_Fix1->Caption(), L_XML_Fix2->Caption());
  SetModalResult(mrOk);
}

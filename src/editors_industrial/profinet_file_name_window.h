#pragma once
// The dialog that composes the GSDML file's name before the PROFINET writer asks for the
// folder: a fixed first part, the user's part and "-" + the date + ".xml". The date is the
// one of the program's start; the user's part stays from one opening to the next.

#include "platform/ui/forms.h"

class TEdit;
class TLabel;
class TLbButton;
class TPanel;

class TFProfinetFileName : public TForm {
public:
  explicit TFProfinetFileName(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFProfinetFileName"); }

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLabel* L_Select_Name = nullptr;
  TLabel* L_FixPart_1 = nullptr;
  TLabel* L_XML_Fix1 = nullptr;
  TLabel* L_UsedPart = nullptr;
  TEdit* E_XML_User = nullptr;
  TLabel* L_FixPart_2 = nullptr;
  TLabel* L_XML_Fix2 = nullptr;

  // The composed name, set by OK.
  QString Name_File_XML;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void Btn_OK_Click(TObject* Sender);
};

extern TFProfinetFileName* FProfinetFileName;

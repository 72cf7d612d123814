#pragma once
// The EDE import picker of the BACnet client editor: lists the objects an EDE list holds,
// lets the user mark which become read and write rules and asks for the device's IP
// address or MS/TP slave id. The client editor sets EDE_File and App_BACnet_Type before
// each showing and appends the marked objects after OK.

#include "editors_modbus_bacnet/ede_import.h"

#include "platform/ui/forms.h"

#include <vector>

class TEdit;
class TKvColumnGrid;
class TLabel;
class TLbButton;
class TPanel;

class TFImportEDEFile : public TForm {
public:
  explicit TFImportEDEFile(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFImportEDEFile"); }

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_ID_IP = nullptr;
  TLabel* LID_IP = nullptr;
  TEdit* E_ID_IP = nullptr;
  TKvColumnGrid* KCG = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_Select_All = nullptr;
  TLbButton* Btn_Unselect_All = nullptr;

  QString EDE_File;
  std::vector<TBACnet_Var> List_EDE_Var;
  int App_BACnet_Type = 0;

  static constexpr int Col_Count = 9;
  enum : int { Col_Import = 1, Col_Read = 2, Col_Write = 3, Col_Commandable = 8 };

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  void Cancel_EDE_List_Vars();
  // Reads EDE_File into List_EDE_Var; a file that cannot be read gives an empty list.
  void Load_EDE_File();
  void Show_Data_in_Grid();
  void KCGCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
  void Btn_Select_AllClick(TObject* Sender);
  void Btn_Unselect_AllClick(TObject* Sender);
  void Btn_OKClick(TObject* Sender);
};

extern TFImportEDEFile* FImportEDEFile;

#pragma once
// The IEC 61850 client editor ("IEC61850 Client Set Access"): the catalog of imported SCL
// files, the model tree of the device chosen in the list, and the three grids of chosen
// attributes, chosen data sets and their members. The rows, checks, removal rule and the
// project file live in iec_client_model.h and iec_client_file.h; the window copies the
// grids into the model's rows and back around every command that works on them.

#include "editors_industrial/iec_client_model.h"
#include "platform/ui/forms.h"

#include <QStringList>

#include <memory>

class TImageList;
class TKvColumnGrid;
class TLabel;
class TLbButton;
class TListBox;
class TOpenDialog;
class TPageControl;
class TPanel;
class TSplitter;
class TTabSheet;
class TTreeNode;
class TTreeView;

class TFIEC_61850_Access : public TForm {
public:
  explicit TFIEC_61850_Access(TComponent* AOwner = nullptr);
  ~TFIEC_61850_Access() override;
  QString ClassName() const override { return QStringLiteral("TFIEC_61850_Access"); }

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_AddVar = nullptr;
  TLbButton* Btn_RemoveVar = nullptr;
  TPanel* P_Left = nullptr;
  TPanel* P_Devices = nullptr;
  TLbButton* Btn_Add_IEC_Device = nullptr;
  TListBox* LB_IEC_Devices = nullptr;
  TLbButton* Btn_Remove_IEC_Device = nullptr;
  TSplitter* Splitter1 = nullptr;
  TTreeView* TV_IEC_Device = nullptr;
  TPageControl* PC_DA_DataSet = nullptr;
  TTabSheet* TS_DA = nullptr;
  TTabSheet* TS_DataSet = nullptr;
  TKvColumnGrid* KCG_DA = nullptr;
  TKvColumnGrid* KCG_DataSet = nullptr;
  TKvColumnGrid* KCG_DS_Vars = nullptr;
  TOpenDialog* OD_IcdFile = nullptr;
  std::unique_ptr<TImageList> IL_IEC;

  // Devices, rows and chosen data sets; the grids are copied into the rows before any
  // routine of the model reads them.
  TIEC_Client_Model Model;
  TOwnedList<TIEC_Device>& List_IEC_Dev = Model.List_IEC_Dev;
  TList_DataSet& List_DataSet = Model.List_DataSet;

  TIEC_DA* Selected_IEC_DA = nullptr;
  TIEC_DataSet* Selected_IEC_DS = nullptr;
  // The device of the pick, kept with it: Add Var numbers the row by this device's
  // place in the list, whatever line the list shows then.
  TIEC_Device* Selected_Device = nullptr;
  TTreeNode* NODE_ORIG = nullptr;
  // Header hints of the variables grid, entry c for column c.
  QStringList Hint;
  // The data-set row whose members the member grid shows; 0 when it shows none.
  int DataSet_Row_Select = 0;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Set_Lang();

  void Btn_Add_IEC_DeviceClick(TObject* Sender);
  void Btn_Remove_IEC_DeviceClick(TObject* Sender);
  void LB_IEC_DevicesClick(TObject* Sender);
  void TV_IEC_DeviceClick(TObject* Sender);
  // The font colour of a tree node by its icon.
  static TColor Node_Font_Color(int ImageIndex);

  void Btn_AddVarClick(TObject* Sender);
  void Btn_RemoveVarClick(TObject* Sender);
  void Btn_OKClick(TObject* Sender);

  void ClickCell(TObject* Sender, int ARow, int ACol);
  void KCG_DADblClickCell(TObject* Sender, int ARow, int ACol);
  void KCG_DAKeyPress(TObject* Sender, QChar& Key);
  void KCG_DAGridHint(TObject* Sender, int ARow, int ACol, QString& HintText);
  void KCG_DS_VarsEditCellDone(TObject* Sender, int ACol, int ARow);

  void Show_IEC_Devices();
  void Show_Tree_IEC_Device(TIEC_Device& Device);
  void Show_DataSet_DAs();
  void Set_Start_Num_Byte();
  // True when every variables row passes; otherwise the first failure has been shown.
  bool Controllo_dati();

  // The grids as the model's rows, and back.
  void Get_Rows();
  void Put_Rows();

  // The project's catalog folder, with no trailing separator.
  static QString Dir_Catalog();

  static constexpr int Client_Width = 1200;
  static constexpr int Client_Height = 550;

private:
  void Show_Tree_IEC_LDevice(TTreeNode* Parent, TIEC_LDevice& LDevice);
  void Show_Tree_IEC_LN(TTreeNode* Parent, TIEC_LN& LN);
  void Show_Tree_IEC_DO(TTreeNode* Parent, TIEC_DO& DO);
  void Show_Tree_IEC_DA(TTreeNode* Parent, TIEC_DA& DA);
  void Show_Tree_IEC_DataSet(TTreeNode* Parent, TIEC_DataSet& DataSet);
  TTreeNode* Add_Node(TTreeNode* Parent, const QString& Text, int Icon);
  TKvColumnGrid* Make_Grid(TWinControl* Parent, const QString& Name);
  void Reset_Grid(TKvColumnGrid* G);
  // Whether the loaded file was read only in part: OK then asks before replacing it.
  bool FPartial_Load = false;
  // Which list line the tree shows; -1 when none.
  int FTree_Device = -1;
};

extern TFIEC_61850_Access* FIEC_61850_Access;

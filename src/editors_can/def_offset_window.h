#pragma once
// The DeviceNet offset map editor: for every input and output byte of every slave of
// the slave list (DNETM_Net.xml) the position of the converter's exchange array it goes
// to, or "None", and a mnemonic, kept in DNETM_DefOff.xml. Not a rule table: the slave
// grid lists the slaves, the two byte grids show the bytes of the selected one, and the
// slaves' lists (dnet_offset_map.h) hold the data while the window is open.
//
// The byte grids' edits reach the slave they show when another slave is clicked or OK
// is pressed. OK checks that no two output bytes share a position.

#include "editors_can/dnet_offset_map.h"
#include "platform/ui/forms.h"

#include <vector>

class TKvColumnGrid;
class TLabel;
class TLbButton;
class TPageControl;
class TPanel;
class TSplitter;
class TTabSheet;

class TFDefOffset : public TForm {
public:
  explicit TFDefOffset(TComponent* AOwner = nullptr);
  ~TFDefOffset() override;
  QString ClassName() const override { return QStringLiteral("TFDefOffset"); }

  // ---- controls
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* Panel1 = nullptr;
  TLabel* Label1 = nullptr;
  TKvColumnGrid* KCG_DN_Slaves = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* Panel3 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;  // input bytes
  TTabSheet* TabSheet2 = nullptr;  // output bytes
  TKvColumnGrid* KCG_ByteIN = nullptr;
  TKvColumnGrid* KCG_ByteOUT = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;

  // ---- state of one opening
  std::vector<TSlave_DN> List_Slaves_DN;
  int Slave_Before_Select = -1;   // the slave the byte grids show; -1 before the first
  int MAX_BYTE_IN = DN_Exchange_Positions;
  int MAX_BYTE_OUT = DN_Exchange_Positions;
  TDN_Offset_Check Check_Byte_Offset;
  TDN_Load_State Load_State;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Set_Lang();
  void Load_Slave_DN();
  void Load_Offset_Slave_DN();
  void Select_First();
  void KCG_DN_SlavesClick(TObject* Sender);
  void Update_Slave_DN();
  bool Save_Data_ByteIN_ByteOUT();
  void Reset_Array_Check();
  bool Check_Data();
  void Save_Offset_Slave_DN();
  void bitbtn1Click(TObject* Sender);

private:
  // The slave of the slave grid's current row; null when the row holds none.
  TSlave_DN* Selected_Slave();
};

extern TFDefOffset* FDefOffset;

#pragma once
// The general-parameters window ("Set Communication"): the device's Ethernet connection
// and DNS, the IO-Link slave rate and the EtherNet/IP master's address. It reads
// ParGen.xml each time it is shown, checks the values on OK and writes the file again.
//
// The body is a column of collapsible sections; the product decides which are shown, in
// which order and with which numbers (Order_TAB_Panels), and each section lays out its
// own controls (Move_GroupBoxs).

#include "params_iolink/section_group.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"
#include "shell/common/par_gen_file.h"

#include <array>
#include <vector>

class TLbButton;

class TFParGen : public TForm {
  Q_OBJECT
public:
  explicit TFParGen(TComponent* AOwner = nullptr);
  ~TFParGen() override;

  // ---- window frame
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TCategoryPanelGroup* CPG = nullptr;
  TImageList ImageList1;

  // ---- sections of this product
  TCategoryPanel* CP_Ethernet_Connection = nullptr;
  TCategoryPanel* CP_IOLink_Slave = nullptr;
  TCategoryPanel* CP_EtherNetIP_Master = nullptr;

  // Ethernet connection
  TLabel* L_EthConn_Device_Name = nullptr;
  TEdit* E_EthConn_Device_Name = nullptr;
  TCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
  TCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
  TCheckBox* CB_EthConn_Enable_DNS = nullptr;
  TLabel* L_EthConn_Primary_DNS = nullptr;
  std::array<TEdit*, 4> E_EthConn_Pri_DNS_IP{};
  TLabel* L_EthConn_Secondary_DNS = nullptr;
  std::array<TEdit*, 4> E_EthConn_Sec_DNS_IP{};
  std::array<TLabel*, 3> Label172_174{};  // primary DNS separators
  std::array<TLabel*, 3> Label175_177{};  // secondary DNS separators

  // IO-Link slave
  TLabel* L_IOLink_Slave_Baudrate = nullptr;
  TComboBox* CB_IOLink_Slave_Baudrate = nullptr;

  // EtherNet/IP master
  TLabel* L_EtherNetIP_Master_IP = nullptr;
  std::array<TEdit*, 4> E_EtherNetIP_Master_IP{};
  std::array<TLabel*, 3> Label161_163{};
  TLabel* L_EtherNetIP_Master_SM = nullptr;
  std::array<TEdit*, 4> E_EtherNetIP_Master_SM{};
  std::array<TLabel*, 3> Label158_160{};
  TCheckBox* CB_EtherNetIP_Master_GAT = nullptr;
  std::array<TEdit*, 4> E_EtherNetIP_Master_GAT{};
  std::array<TLabel*, 3> Label155_157{};
  TLabel* L_EtherNetIP_Master_TunnelPort = nullptr;
  TEdit* E_EtherNetIP_Master_Port = nullptr;

  // ---- window events
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                      bool& Handled);
  void Btn_OKClick(TObject* Sender);
  void On_Change(TObject* Sender);
  void On_Click(TObject* Sender);
  // Key handler of the eight DNS byte edits.
  void KeyPress(TObject* Sender, QChar& Key);

  // True when every checked field is valid; otherwise the first bad field's message has
  // been shown.
  bool Controllo_Dati();
  // Item index of the IO-Link rate list for a stored rate text.
  int Get_IOLink_Slave_Baudrate(const QString& Baud) const;

  // ---- layout
  void Order_TAB_Panels();
  void Move_GroupBoxs();
  void Order_TAB_Panels_27518();
  void RePosition_Objects_27518();
  void RePosition_Object_Ethernet_Connection();
  void RePosition_Object_IOLink_Slave();
  void RePosition_Object_EtherNetIP_Master();
  // Every section of the window, shown or not.
  std::vector<TCategoryPanel*> All_Sections() const;

  // ---- texts
  void Set_Lang();

  // The values of the controls as the file holds them, and back.
  TParGen_Data Get_Data() const;
  void Put_Data(const TParGen_Data& Data, bool KeepBaudrate);

  static constexpr int Fixed_Client_Width = 460;

private:
  void Build_Frame();
  void Build_Ethernet_Connection();
  void Build_IOLink_Slave();
  void Build_EtherNetIP_Master();
  TLabel* New_Label(TWinControl* Parent, int Left, int Top, const QString& Caption = QString());
  TEdit* New_Edit(TWinControl* Parent, int Left, int Top, int Width);
  TCheckBox* New_Check(TWinControl* Parent, int Left, int Top, int Width);
  // Label, four byte edits and three separators of an address row.
  void New_Address_Row(TWinControl* Parent, int LabelTop, int EditTop, std::array<TEdit*, 4>& Edits,
                       std::array<TLabel*, 3>& Dots);
  void Place_Address_Row(int RowTop, TLabel* RowLabel, std::array<TEdit*, 4>& Edits,
                         std::array<TLabel*, 3>& Dots);
  // Height of a section from its lowest visible control.
  void Apply_Height_Rule(TCategoryPanel* Section, TControl* Lowest);
  bool Check_Byte(TEdit* Edit, int Message);
  bool Is_DHCP_Trigger(TObject* Sender) const;

  bool FResizing = false;
};

extern TFParGen* FParGen;

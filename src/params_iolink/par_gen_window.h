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
#include "common/par_gen_file.h"

#include <array>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TLbButton;
class TFParGen;
struct TParGen_Section_Def;

// One product of the family: its ordering and re-layout methods.
struct TParGen_Variant {
  int Product;
  void (TFParGen::*Order)();
  void (TFParGen::*RePosition)();
};

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

  // ---- sections of the other products. Each fills with its controls (from the design
  // table, with the texts of the current language) the first time it is needed: when an
  // ordering shows it, its layout routine runs or a control is looked up by name. This
  // product never shows them, so its start-up does not pay for their controls.
  TCategoryPanel* CP_Select_Device = nullptr;
  TCategoryPanel* CP_Serial = nullptr;
  TCategoryPanel* CP_Modbus_Master = nullptr;
  TCategoryPanel* CP_Modbus_Slave = nullptr;
  TCategoryPanel* CP_Modbus_TCP_Master = nullptr;
  TCategoryPanel* CP_Modbus_TCP_Slave = nullptr;
  TCategoryPanel* CP_BACnet_Master = nullptr;
  TCategoryPanel* CP_BACnet_Slave = nullptr;
  TCategoryPanel* CP_CAN = nullptr;
  TCategoryPanel* CP_CANopen = nullptr;
  TCategoryPanel* CP_DeviceNet_Master = nullptr;
  TCategoryPanel* CP_DeviceNet_Slave = nullptr;
  TCategoryPanel* CP_EtherCAT_Slave = nullptr;
  TCategoryPanel* CP_Ethernet = nullptr;
  TCategoryPanel* CP_EtherNetIP = nullptr;
  TCategoryPanel* CP_IEC61850_Client = nullptr;
  TCategoryPanel* CP_IEC61850_Server = nullptr;
  TCategoryPanel* CP_TLS_Server = nullptr;
  TCategoryPanel* CP_J1939 = nullptr;
  TCategoryPanel* CP_MQTT = nullptr;
  TCategoryPanel* CP_TLS = nullptr;
  TCategoryPanel* CP_NTP = nullptr;
  TCategoryPanel* CP_WiFi = nullptr;
  TCategoryPanel* CP_WiFi2 = nullptr;
  TCategoryPanel* CP_GSM_GPRS = nullptr;
  TCategoryPanel* CP_NMEA2000 = nullptr;
  TCategoryPanel* CP_OPC_UA_Client = nullptr;
  TCategoryPanel* CP_OPC_UA_Server = nullptr;
  TCategoryPanel* CP_PROFINET = nullptr;
  TCategoryPanel* CP_PROFINET_Master = nullptr;
  TCategoryPanel* CP_S7_Protocol = nullptr;
  TCategoryPanel* CP_SNMP_Manager = nullptr;
  TCategoryPanel* CP_SNMP_Agent = nullptr;

  // The lists and boxes the layout follows (set once their section is built).
  TComboBox* CB_Select_Device_Device = nullptr;
  TComboBox* CB_BACnet_Master_Type = nullptr;
  TComboBox* CB_BACnet_Slave_Type = nullptr;
  TComboBox* CB_SNMP_Agent_SecurityLevel = nullptr;
  TComboBox* CB_WiFi_Type = nullptr;
  TComboBox* CB_WiFi_Secure_Type = nullptr;
  TComboBox* CB_WiFi2_Type = nullptr;
  TComboBox* CB_WiFi2_Secure_Type = nullptr;
  TCheckBox* CB_SNMP_Agent_Version3 = nullptr;
  TCheckBox* CB_MQTT_WillFlag = nullptr;
  TCheckBox* CB_MQTT_PublishTopicConnection = nullptr;
  TCheckBox* CB_TLS_Enable = nullptr;
  TCheckBox* CB_TLS_En_Server_Auth = nullptr;
  TCheckBox* CB_TLS_En_Client_Auth = nullptr;
  TCheckBox* CB_TLS_Server_Enable = nullptr;
  TCheckBox* CB_WiFi_IP_Auto = nullptr;
  TCheckBox* CB_WiFi_En_DHCP = nullptr;
  TCheckBox* CB_WiFi2_En_DHCP = nullptr;

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

  // Each product's ordering and re-layout; this build calls 27518's only.
  void Order_TAB_Panels_27518();
  void Order_TAB_Panels_31407();
  void Order_TAB_Panels_31412();
  void Order_TAB_Panels_31425();
  void Order_TAB_Panels_31433();
  void Order_TAB_Panels_31446();
  void Order_TAB_Panels_31451();
  void Order_TAB_Panels_31468();
  void Order_TAB_Panels_31474();
  void Order_TAB_Panels_31489();
  void Order_TAB_Panels_31490();
  void Order_TAB_Panels_31503();
  void Order_TAB_Panels_31517();
  void Order_TAB_Panels_31526();
  void Order_TAB_Panels_31548();
  void Order_TAB_Panels_31555();
  void Order_TAB_Panels_31562();
  void Order_TAB_Panels_31579();
  void Order_TAB_Panels_31584();
  void Order_TAB_Panels_31602();
  void Order_TAB_Panels_31613();
  void Order_TAB_Panels_31627();
  void Order_TAB_Panels_31641();
  void Order_TAB_Panels_31656();
  void Order_TAB_Panels_31668();
  void Order_TAB_Panels_31673();
  void RePosition_Objects_27518();
  void RePosition_Objects_31407();
  void RePosition_Objects_31412();
  void RePosition_Objects_31425();
  void RePosition_Objects_31433();
  void RePosition_Objects_31446();
  void RePosition_Objects_31451();
  void RePosition_Objects_31468();
  void RePosition_Objects_31474();
  void RePosition_Objects_31489();
  void RePosition_Objects_31490();
  void RePosition_Objects_31503();
  void RePosition_Objects_31517();
  void RePosition_Objects_31526();
  void RePosition_Objects_31548();
  void RePosition_Objects_31555();
  void RePosition_Objects_31562();
  void RePosition_Objects_31579();
  void RePosition_Objects_31584();
  void RePosition_Objects_31602();
  void RePosition_Objects_31613();
  void RePosition_Objects_31627();
  void RePosition_Objects_31641();
  void RePosition_Objects_31656();
  void RePosition_Objects_31668();
  void RePosition_Objects_31673();
  // The 26 products in the order of their numbers.
  static const std::vector<TParGen_Variant>& Variants();

  // Each section's own layout.
  void RePosition_Object_Ethernet_Connection();
  void RePosition_Object_IOLink_Slave();
  void RePosition_Object_EtherNetIP_Master();
  void RePosition_Object_Serial();
  void RePosition_Object_Ethernet();
  void RePosition_Object_Modbus_Master();
  void RePosition_Object_Modbus_Slave();
  void RePosition_Object_Modbus_TCP_Master();
  void RePosition_Object_Modbus_TCP_Slave();
  void RePosition_Object_BACnet_Master();
  void RePosition_Object_BACnet_Slave();
  void RePosition_Object_CAN();
  void RePosition_Object_CANopen();
  void RePosition_Object_DeviceNet_Master();
  void RePosition_Object_DeviceNet_Slave();
  void RePosition_Object_EtherCAT_Slave();
  void RePosition_Object_EtherNetIP();
  void RePosition_Object_IEC61850_Client();
  void RePosition_Object_IEC61850_Server();
  void RePosition_Object_TLS_Server();
  void RePosition_Object_J1939();
  void RePosition_Object_MQTT();
  void RePosition_Object_WiFi();
  void RePosition_Object_TLS();
  void RePosition_Object_NTP();
  void RePosition_Object_NMEA2000();
  void RePosition_Object_OPC_UA_Client();
  void RePosition_Object_OPC_UA_Server();
  void RePosition_Object_PROFINET();
  void RePosition_Object_S7_Protocol();
  void RePosition_Object_SNMP_Manager();
  void RePosition_Object_SNMP_Agent();
  void RePosition_Object_WiFi2();
  void RePosition_Object_GSM_GPRS();

  // The sections this build's product shows, in display order.
  std::vector<TCategoryPanel*> All_Sections() const;
  // All 36 sections of the window, shown or not, in creation order.
  std::vector<TCategoryPanel*> Every_Section() const;
  // A control, section or the window ("FParGen") by its name; nullptr for none. A name
  // not found among the built controls builds every section first.
  TControl* Find_Control(std::string_view Name);
  // Fills every section with its controls.
  void Build_Sections();
  bool Section_Built(const TCategoryPanel* Section) const;
  // Text index of a section's title (0 for none).
  int Section_Title(const TCategoryPanel* Section) const;

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
  void Create_Product_Sections();
  void Ensure_Built(TCategoryPanel* Section);
  void Build_Section_Controls(TCategoryPanel* Section, const TParGen_Section_Def& Def);
  void Bind_Named_Controls();
  void Register_Own_Controls();
  void Register(std::string_view Name, TControl* Control);
  void Register(std::string Name, TControl* Control);
  void Resolve_Lang_Map();
  // Applies the texts of the map; with Only, just those of that section's controls.
  void Apply_Lang(const TCategoryPanel* Only);
  // The control of that name; throws when the window has none (a wrong name in code).
  TControl* C(std::string_view Name);
  void Set_Shown(std::initializer_list<std::string_view> Names, bool Visible);
  // A label and its input (3 px higher).
  void Place_Row(std::string_view Label, std::string_view Input, int RowTop);
  // The row's head (label or check box), four byte edits and three separators.
  struct TAddress_Row {
    TControl* Head;
    std::array<TControl*, 4> Edits;
    std::array<TControl*, 3> Dots;
  };
  TAddress_Row Address_Row(std::string_view Head, std::string_view Stem,
                           std::array<std::string_view, 3> Dots);
  void Show_Address_Row(const TAddress_Row& Row, bool Visible);
  void Place_Address_Row(const TAddress_Row& Row, int RowTop, int EditOffset, int DotOffset);
  void Enable_Address_Row(const TAddress_Row& Row, bool Enabled);
  // Address, mask and gateway byte edits of a section (and its gateway box) follow the
  // cable DHCP box.
  void Apply_DHCP_Rule(std::string_view Prefix, std::string_view Gateway_Check = {});
  void Order_Sections(std::initializer_list<TCategoryPanel*> Sections);
  // An access point's rows of a Wi-Fi section (control names "<kind>_" + P + "_..."),
  // from the security list down: the password when secured, the DHCP server's rows when
  // it is on, then the client count and the channel; the section's height follows.
  void Place_Access_Point_Rows(TCategoryPanel* Section, const std::string& P, int SecurityTop, bool Secured,
                               const TAddress_Row& DhcpIp, const TAddress_Row& DhcpSm);
  void Apply_Height_Rule(TCategoryPanel* Section, std::string_view Lowest);
  void Apply_Select_Device_Rule();
  // Controls belong to the window, or to their section when Owner says so (the other
  // products' sections own their controls, so that no owner keeps a list of hundreds).
  TLabel* New_Label(TWinControl* Parent, int Left, int Top, const QString& Caption = QString(),
                    TComponent* Owner = nullptr);
  TEdit* New_Edit(TWinControl* Parent, int Left, int Top, int Width, TComponent* Owner = nullptr);
  TCheckBox* New_Check(TWinControl* Parent, int Left, int Top, int Width, TComponent* Owner = nullptr);
  // Label, four byte edits and three separators of an address row.
  void New_Address_Row(TWinControl* Parent, int LabelTop, int EditTop, std::array<TEdit*, 4>& Edits,
                       std::array<TLabel*, 3>& Dots);
  void Place_Address_Row(int RowTop, TLabel* RowLabel, std::array<TEdit*, 4>& Edits,
                         std::array<TLabel*, 3>& Dots);
  // Height of a section from its lowest visible control.
  void Apply_Height_Rule(TCategoryPanel* Section, TControl* Lowest);
  bool Check_Byte(TEdit* Edit, int Message);
  bool Is_Layout_Trigger(TObject* Sender) const;

  bool FResizing = false;
  std::map<std::string, TControl*, std::less<>> FControls;
  std::unordered_map<const TCategoryPanel*, int> FTitles;
  std::vector<TCategoryPanel*> FSections;
  struct TProduct_Section {
    TCategoryPanel* Panel;
    const TParGen_Section_Def* Def;
    bool Built;
  };
  std::vector<TProduct_Section> FProduct_Sections;
  struct TLang_Target {
    int Index;
    const char* Name;
    TControl* Control;  // nullptr until its section is built
    uint8_t Prop;
  };
  std::vector<TLang_Target> FLang_Targets;
};

extern TFParGen* FParGen;

#include "params_iolink/par_gen_window.h"

#include "params_iolink/par_gen_sections.h"
#include "params_iolink/par_gen_texts.h"
#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/richedit.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/window_look.h"
#include "common/working_state.h"

#include <algorithm>

TFParGen* FParGen = nullptr;

namespace {

constexpr TColor Group_Color = Shell_Back_Color;
constexpr TColor Header_Color = TColor(0x00D8D8E7);

// Placement grid of the sections' client areas.
constexpr int Label_Left = 14;
constexpr int Input_Left = 191;
constexpr int Input_Width = 238;
constexpr int Edit_Height = 21;
constexpr int Combo_Height = 22;
constexpr int Check_Height = 17;
constexpr int Check_Width = 415;
constexpr int Check_Width_Row = 175;
constexpr int Row_Step = 28;
constexpr int Byte_Width = 55;
constexpr int Byte_Lefts[4] = {191, 252, 313, 374};
constexpr int Dot_Lefts[3] = {247, 308, 369};
constexpr int Dot_Width = 4;
constexpr int Height_Margin = 12;
constexpr int Rich_Edit_Height = 25;
// Offsets from a row's Top: edits and combos stand higher than the label beside them,
// rich edits higher still; a gateway row's byte edits stand above its check box and its
// separators below.
constexpr int Input_Offset = 3;
constexpr int Rich_Edit_Offset = 5;
constexpr int Gateway_Edit_Offset = 2;
constexpr int Gateway_Dot_Offset = 1;
// Design texts of every address row's four byte edits.
const char* const Byte_Design_Texts[4] = {"192", "168", "0", "5"};

// The device name takes at most 31 typed characters; a longer stored name is kept whole.
constexpr int Device_Name_Typing_Limit = 31;

// Design heights of this product's sections (the Ethernet connection section with the
// Wi-Fi row); the layout routines shrink them to what is shown.
constexpr int Design_Height_Ethernet_Connection = 206;
constexpr int Design_Height_IOLink_Slave = 67;
constexpr int Design_Height_EtherNetIP_Master = 150;

// Bottom of a section's lowest control as designed, from the table alone (a row's
// input or box always reaches lower than its label).
int Design_Bottom(const TParGen_Section_Def& Def)
{
  int bottom = 0;
  for (size_t i = 0; i < Def.Count; ++i) {
    const TParGen_Control_Def& c = Def.Controls[i];
    if (c.Hidden)
      continue;
    const bool afterCheck = i > 0 && Def.Controls[i - 1].Top == c.Top && Def.Controls[i - 1].Kind == TParGen_Kind::Check;
    int b = 0;
    switch (c.Kind) {
    case TParGen_Kind::Label: break;
    case TParGen_Kind::Check: b = c.Top + Check_Height; break;
    case TParGen_Kind::Edit: b = c.Top - Input_Offset + Edit_Height; break;
    case TParGen_Kind::Combo: b = c.Top - Input_Offset + Combo_Height; break;
    case TParGen_Kind::Rich_Edit: b = c.Top - Rich_Edit_Offset + Rich_Edit_Height; break;
    case TParGen_Kind::Address: b = c.Top - (afterCheck ? Gateway_Edit_Offset : Input_Offset) + Edit_Height; break;
    }
    bottom = std::max(bottom, b);
  }
  return bottom;
}

void Set_Section_Font(TFont* f)
{
  f->SetName(QStringLiteral("Verdana"));
  f->SetHeight(-11);
  f->SetColor(clBlack);
  f->SetStyle(TFontStyles());
}

}  // namespace

TFParGen::TFParGen(TComponent* AOwner) : TForm(AOwner)
{
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetShowHint(true);
  SetClientWidth(Fixed_Client_Width);
  SetClientHeight(700);

  Build_Frame();
  Build_Ethernet_Connection();
  Build_IOLink_Slave();
  Build_EtherNetIP_Master();
  Create_Product_Sections();
  Register_Own_Controls();
  Resolve_Lang_Map();

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
  OnMouseWheel = [this](TObject* s, TShiftState sh, int d, TPoint p, bool& h) {
    FormMouseWheel(s, sh, d, p, h);
  };
}

TFParGen::~TFParGen()
{
  if (FParGen == this)
    FParGen = nullptr;
}

// ---------------------------------------------------------------------- building

TLabel* TFParGen::New_Label(TWinControl* Parent, int Left, int Top, const QString& Caption, TComponent* Owner)
{
  auto* l = new TLabel(Owner ? Owner : this);
  l->SetParent(Parent);
  l->SetLeft(Left);
  l->SetTop(Top);
  l->SetCaption(Caption);
  return l;
}

TEdit* TFParGen::New_Edit(TWinControl* Parent, int Left, int Top, int Width, TComponent* Owner)
{
  auto* e = new TEdit(Owner ? Owner : this);
  e->SetParent(Parent);
  e->SetBounds(Left, Top, Width, Edit_Height);
  e->OnChange = [this](TObject* s) { On_Change(s); };
  return e;
}

TCheckBox* TFParGen::New_Check(TWinControl* Parent, int Left, int Top, int Width, TComponent* Owner)
{
  auto* c = new TCheckBox(Owner ? Owner : this);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width, Check_Height);
  c->OnClick = [this](TObject* s) { On_Click(s); };
  return c;
}

void TFParGen::New_Address_Row(TWinControl* Parent, int LabelTop, int EditTop,
                               std::array<TEdit*, 4>& Edits, std::array<TLabel*, 3>& Dots)
{
  for (int i = 0; i < 4; ++i)
    Edits[size_t(i)] = New_Edit(Parent, Byte_Lefts[i], EditTop, Byte_Width);
  for (int i = 0; i < 3; ++i) {
    TLabel* d = New_Label(Parent, Dot_Lefts[i], LabelTop, QStringLiteral("."));
    d->SetAutoSize(false);
    d->SetWidth(Dot_Width);
    Dots[size_t(i)] = d;
  }
}

void TFParGen::Build_Frame()
{
  // The frame looks like the program's other windows: title, description and buttons
  // on the windows' background.
  SetColor(Shell_Back_Color);
  Font()->SetName(QStringLiteral("Verdana"));
  Font()->SetHeight(-11);

  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;

  P_Button = Make_Button_Panel(this);
  Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 214, 6, 110, 28);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 332, 6, 110, 28);
  Btn_Cancel->SetModalResult(mrCancel);

  Make_Section_Chevron_Images(ImageList1, clGray);

  CPG = new TCategoryPanelGroup(this);
  CPG->SetParent(this);
  CPG->SetAlign(alClient);
  CPG->SetColor(Group_Color);
  CPG->SetHeaderHeight(24);
  CPG->SetGradientBaseColor(Header_Color);
  CPG->SetGradientEndColor(Header_Color);
  CPG->SetChevronHotColor(clRed);
  CPG->SetImages(&ImageList1);
  CPG->HeaderFont()->SetName(QStringLiteral("Verdana"));
  CPG->HeaderFont()->SetHeight(-15);
  CPG->HeaderFont()->SetStyle(TFontStyles(fsBold));
  CPG->HeaderFont()->SetColor(clGray);
  Set_Section_Font(CPG->Font());
}

void TFParGen::Build_Ethernet_Connection()
{
  CP_Ethernet_Connection = new TCategoryPanel(CPG, this);
  CP_Ethernet_Connection->SetColor(Group_Color);
  CP_Ethernet_Connection->SetBounds(0, 0, CPG->ClientWidth(), Design_Height_Ethernet_Connection);
  TWinControl* s = CP_Ethernet_Connection->Surface();
  Set_Section_Font(s->Font());

  L_EthConn_Device_Name = New_Label(s, Label_Left, 12);
  E_EthConn_Device_Name = New_Edit(s, Input_Left, 9, Input_Width);
  E_EthConn_Device_Name->SetMaxLength(Device_Name_Typing_Limit);
  CB_EthConn_En_DHCP_Cable = New_Check(s, Label_Left, 40, Check_Width);
  CB_EthConn_En_DHCP_WiFi = New_Check(s, Label_Left, 68, Check_Width);
  CB_EthConn_Enable_DNS = New_Check(s, Label_Left, 96, Check_Width);
  L_EthConn_Primary_DNS = New_Label(s, Label_Left, 124);
  New_Address_Row(s, 124, 121, E_EthConn_Pri_DNS_IP, Label172_174);
  L_EthConn_Secondary_DNS = New_Label(s, Label_Left, 152);
  New_Address_Row(s, 152, 149, E_EthConn_Sec_DNS_IP, Label175_177);

  auto key = [this](TObject* sender, QChar& k) { KeyPress(sender, k); };
  for (TEdit* e : E_EthConn_Pri_DNS_IP)
    e->OnKeyPress = key;
  for (TEdit* e : E_EthConn_Sec_DNS_IP)
    e->OnKeyPress = key;
}

void TFParGen::Build_IOLink_Slave()
{
  CP_IOLink_Slave = new TCategoryPanel(CPG, this);
  CP_IOLink_Slave->SetColor(Group_Color);
  CP_IOLink_Slave->SetBounds(0, Design_Height_Ethernet_Connection, CPG->ClientWidth(),
                             Design_Height_IOLink_Slave);
  TWinControl* s = CP_IOLink_Slave->Surface();
  Set_Section_Font(s->Font());

  L_IOLink_Slave_Baudrate = New_Label(s, Label_Left, 12);
  CB_IOLink_Slave_Baudrate = new TComboBox(this, csDropDownList);
  CB_IOLink_Slave_Baudrate->SetParent(s);
  CB_IOLink_Slave_Baudrate->SetBounds(Input_Left, 9, Input_Width, Combo_Height);
  CB_IOLink_Slave_Baudrate->Items()->Add(QStringLiteral("COM1"));
  CB_IOLink_Slave_Baudrate->Items()->Add(QStringLiteral("COM2"));
  CB_IOLink_Slave_Baudrate->Items()->Add(QStringLiteral("COM3"));
  CB_IOLink_Slave_Baudrate->SetItemIndex(0);
  CB_IOLink_Slave_Baudrate->OnChange = [this](TObject* sender) { On_Change(sender); };
}

void TFParGen::Build_EtherNetIP_Master()
{
  CP_EtherNetIP_Master = new TCategoryPanel(CPG, this);
  CP_EtherNetIP_Master->SetColor(Group_Color);
  CP_EtherNetIP_Master->SetBounds(0, Design_Height_Ethernet_Connection + Design_Height_IOLink_Slave,
                                  CPG->ClientWidth(), Design_Height_EtherNetIP_Master);
  TWinControl* s = CP_EtherNetIP_Master->Surface();
  Set_Section_Font(s->Font());

  L_EtherNetIP_Master_IP = New_Label(s, Label_Left, 12);
  New_Address_Row(s, 12, 9, E_EtherNetIP_Master_IP, Label161_163);
  L_EtherNetIP_Master_SM = New_Label(s, Label_Left, 40);
  New_Address_Row(s, 40, 37, E_EtherNetIP_Master_SM, Label158_160);
  E_EtherNetIP_Master_SM[3]->SetTop(36);
  CB_EtherNetIP_Master_GAT = New_Check(s, Label_Left, 68, Check_Width_Row);
  New_Address_Row(s, 69, 66, E_EtherNetIP_Master_GAT, Label155_157);
  L_EtherNetIP_Master_TunnelPort = New_Label(s, Label_Left, 96);
  E_EtherNetIP_Master_Port = New_Edit(s, Input_Left, 93, Input_Width);
  E_EtherNetIP_Master_Port->SetText(ParGen_Fixed_Port);
  E_EtherNetIP_Master_Port->SetEnabled(false);
}

std::vector<TCategoryPanel*> TFParGen::All_Sections() const
{
  return {CP_Ethernet_Connection, CP_IOLink_Slave, CP_EtherNetIP_Master};
}

std::vector<TCategoryPanel*> TFParGen::Every_Section() const
{
  return FSections;
}

int TFParGen::Section_Title(const TCategoryPanel* Section) const
{
  const auto it = FTitles.find(Section);
  return it == FTitles.end() ? 0 : it->second;
}

TControl* TFParGen::Find_Control(std::string_view Name)
{
  auto it = FControls.find(Name);
  if (it == FControls.end()) {
    Build_Sections();
    it = FControls.find(Name);
  }
  return it == FControls.end() ? nullptr : it->second;
}

void TFParGen::Build_Sections()
{
  for (TProduct_Section& s : FProduct_Sections)
    Ensure_Built(s.Panel);
}

bool TFParGen::Section_Built(const TCategoryPanel* Section) const
{
  for (const TProduct_Section& s : FProduct_Sections)
    if (s.Panel == Section)
      return s.Built;
  return true;  // this product's sections are built with the window
}

TControl* TFParGen::C(std::string_view Name)
{
  TControl* c = Find_Control(Name);
  if (!c)
    throw EInvalidOperation(QStringLiteral("The general-parameters window has no control %1")
                                .arg(QString::fromUtf8(Name.data(), qsizetype(Name.size()))));
  return c;
}

void TFParGen::Register(std::string_view Name, TControl* Control)
{
  Register(std::string(Name), Control);
}

void TFParGen::Register(std::string Name, TControl* Control)
{
  if (!FControls.emplace(std::move(Name), Control).second)
    throw EInvalidOperation(QStringLiteral("Two controls of the general-parameters window share a name"));
}

void TFParGen::Register_Own_Controls()
{
  Register(std::string_view("FParGen"), this);
  Register(std::string_view("L_SW_Desc"), L_SW_Desc);
  Register(std::string_view("Btn_OK"), Btn_OK);
  Register(std::string_view("Btn_Cancel"), Btn_Cancel);

  const std::pair<const char*, TCategoryPanel*> sections[] = {
      {"CP_Ethernet_Connection", CP_Ethernet_Connection},
      {"CP_IOLink_Slave", CP_IOLink_Slave},
      {"CP_EtherNetIP_Master", CP_EtherNetIP_Master}};
  for (const auto& [name, p] : sections)
    Register(std::string_view(name), p);
  FTitles[CP_Ethernet_Connection] = ParGen_Txt::Title_Ethernet_Connection;
  FTitles[CP_IOLink_Slave] = ParGen_Txt::Title_IOLink_Slave;
  FTitles[CP_EtherNetIP_Master] = ParGen_Txt::Title_EtherNetIP_Master;

  const std::pair<const char*, TControl*> controls[] = {
      {"L_EthConn_Device_Name", L_EthConn_Device_Name},
      {"E_EthConn_Device_Name", E_EthConn_Device_Name},
      {"CB_EthConn_En_DHCP_Cable", CB_EthConn_En_DHCP_Cable},
      {"CB_EthConn_En_DHCP_WiFi", CB_EthConn_En_DHCP_WiFi},
      {"CB_EthConn_Enable_DNS", CB_EthConn_Enable_DNS},
      {"L_EthConn_Primary_DNS", L_EthConn_Primary_DNS},
      {"L_EthConn_Secondary_DNS", L_EthConn_Secondary_DNS},
      {"L_IOLink_Slave_Baudrate", L_IOLink_Slave_Baudrate},
      {"CB_IOLink_Slave_Baudrate", CB_IOLink_Slave_Baudrate},
      {"L_EtherNetIP_Master_IP", L_EtherNetIP_Master_IP},
      {"L_EtherNetIP_Master_SM", L_EtherNetIP_Master_SM},
      {"CB_EtherNetIP_Master_GAT", CB_EtherNetIP_Master_GAT},
      {"L_EtherNetIP_Master_TunnelPort", L_EtherNetIP_Master_TunnelPort},
      {"E_EtherNetIP_Master_Port", E_EtherNetIP_Master_Port}};
  for (const auto& [name, c] : controls)
    Register(std::string_view(name), c);
  for (int i = 0; i < 4; ++i) {
    const std::string k = std::to_string(i + 1);
    Register("E_EthConn_Pri_DNS_IP" + k, E_EthConn_Pri_DNS_IP[size_t(i)]);
    Register("E_EthConn_Sec_DNS_IP" + k, E_EthConn_Sec_DNS_IP[size_t(i)]);
    Register("E_EtherNetIP_Master_IP" + k, E_EtherNetIP_Master_IP[size_t(i)]);
    Register("E_EtherNetIP_Master_SM" + k, E_EtherNetIP_Master_SM[size_t(i)]);
    Register("E_EtherNetIP_Master_GAT" + k, E_EtherNetIP_Master_GAT[size_t(i)]);
  }
  const int dots[5][3] = {{172, 173, 174}, {175, 176, 177}, {161, 162, 163}, {158, 159, 160}, {155, 156, 157}};
  const std::array<TLabel*, 3>* rows[5] = {&Label172_174, &Label175_177, &Label161_163, &Label158_160,
                                           &Label155_157};
  for (int r = 0; r < 5; ++r)
    for (int i = 0; i < 3; ++i)
      Register("Label" + std::to_string(dots[r][i]), (*rows[r])[size_t(i)]);

  // Every section, this product's first.
  FSections.insert(FSections.begin(), {CP_Ethernet_Connection, CP_IOLink_Slave, CP_EtherNetIP_Master});
}

void TFParGen::Create_Product_Sections()
{
  for (size_t s = 0; s < ParGen_Product_Section_Count; ++s) {
    const TParGen_Section_Def& def = ParGen_Product_Sections[s];
    // Outside the group and hidden until it is built: no variant of this build shows it,
    // and a section waiting outside costs the group nothing.
    auto* section = new TCategoryPanel(nullptr, this);
    section->SetVisible(false);
    section->SetColor(Group_Color);
    Set_Section_Font(section->Surface()->Font());
    section->SetBounds(0, 0, CPG->ClientWidth(), Design_Bottom(def) + Height_Margin + CPG->HeaderHeight());
    Register(std::string_view(def.Name), section);
    FTitles[section] = def.Title;
    FSections.push_back(section);
    FProduct_Sections.push_back({section, &def, false});
  }
  const std::pair<const char*, TCategoryPanel* TFParGen::*> sections[] = {
      {"CP_Select_Device", &TFParGen::CP_Select_Device},
      {"CP_Serial", &TFParGen::CP_Serial},
      {"CP_Modbus_Master", &TFParGen::CP_Modbus_Master},
      {"CP_Modbus_Slave", &TFParGen::CP_Modbus_Slave},
      {"CP_Modbus_TCP_Master", &TFParGen::CP_Modbus_TCP_Master},
      {"CP_Modbus_TCP_Slave", &TFParGen::CP_Modbus_TCP_Slave},
      {"CP_BACnet_Master", &TFParGen::CP_BACnet_Master},
      {"CP_BACnet_Slave", &TFParGen::CP_BACnet_Slave},
      {"CP_CAN", &TFParGen::CP_CAN},
      {"CP_CANopen", &TFParGen::CP_CANopen},
      {"CP_DeviceNet_Master", &TFParGen::CP_DeviceNet_Master},
      {"CP_DeviceNet_Slave", &TFParGen::CP_DeviceNet_Slave},
      {"CP_EtherCAT_Slave", &TFParGen::CP_EtherCAT_Slave},
      {"CP_Ethernet", &TFParGen::CP_Ethernet},
      {"CP_EtherNetIP", &TFParGen::CP_EtherNetIP},
      {"CP_IEC61850_Client", &TFParGen::CP_IEC61850_Client},
      {"CP_IEC61850_Server", &TFParGen::CP_IEC61850_Server},
      {"CP_TLS_Server", &TFParGen::CP_TLS_Server},
      {"CP_J1939", &TFParGen::CP_J1939},
      {"CP_MQTT", &TFParGen::CP_MQTT},
      {"CP_TLS", &TFParGen::CP_TLS},
      {"CP_NTP", &TFParGen::CP_NTP},
      {"CP_WiFi", &TFParGen::CP_WiFi},
      {"CP_WiFi2", &TFParGen::CP_WiFi2},
      {"CP_GSM_GPRS", &TFParGen::CP_GSM_GPRS},
      {"CP_NMEA2000", &TFParGen::CP_NMEA2000},
      {"CP_OPC_UA_Client", &TFParGen::CP_OPC_UA_Client},
      {"CP_OPC_UA_Server", &TFParGen::CP_OPC_UA_Server},
      {"CP_PROFINET", &TFParGen::CP_PROFINET},
      {"CP_PROFINET_Master", &TFParGen::CP_PROFINET_Master},
      {"CP_S7_Protocol", &TFParGen::CP_S7_Protocol},
      {"CP_SNMP_Manager", &TFParGen::CP_SNMP_Manager},
      {"CP_SNMP_Agent", &TFParGen::CP_SNMP_Agent}};
  for (const auto& [name, member] : sections)
    this->*member = static_cast<TCategoryPanel*>(FControls.at(name));

}

void TFParGen::Ensure_Built(TCategoryPanel* Section)
{
  for (TProduct_Section& s : FProduct_Sections) {
    if (s.Panel != Section || s.Built)
      continue;
    s.Built = true;
    s.Panel->Join_Group(CPG);
    Build_Section_Controls(s.Panel, *s.Def);
    Bind_Named_Controls();
    Apply_Lang(s.Panel);
    return;
  }
}

void TFParGen::Build_Section_Controls(TCategoryPanel* section, const TParGen_Section_Def& def)
{
  using K = TParGen_Kind;
  TWinControl* surface = section->Surface();
  int rowChecks = 0;  // check boxes after the first control of the row
  for (size_t i = 0; i < def.Count; ++i) {
    const TParGen_Control_Def& c = def.Controls[i];
    const bool rowStart = i == 0 || def.Controls[i - 1].Top != c.Top;
    const bool sharesRow = i + 1 < def.Count && def.Controls[i + 1].Top == c.Top;
    const bool afterCheck = !rowStart && def.Controls[i - 1].Kind == K::Check;
    if (rowStart)
      rowChecks = 0;
    TControl* made = nullptr;
    switch (c.Kind) {
    case K::Label:
      made = New_Label(surface, Label_Left, c.Top, QString(), section);
      break;
    case K::Check:
      if (rowStart) {
        made = New_Check(surface, Label_Left, c.Top, sharesRow ? Check_Width_Row : Check_Width, section);
      } else {
        // Several boxes after a row label stand in the byte-edit columns.
        made = New_Check(surface, Byte_Lefts[std::min(rowChecks, 3)], c.Top, Byte_Width, section);
        ++rowChecks;
      }
      // Most boxes take their caption from the text table; a few keep their design one.
      if (*c.Text)
        made->SetCaption(QString::fromUtf8(c.Text));
      break;
    case K::Edit: {
      TEdit* e = New_Edit(surface, Input_Left, c.Top - Input_Offset, Input_Width, section);
      e->SetTextNoChange(QString::fromUtf8(c.Text));
      if (c.Max_Length > 0)
        e->SetMaxLength(c.Max_Length);
      made = e;
      break;
    }
    case K::Rich_Edit: {
      auto* r = new TRichEdit(section);
      r->SetParent(surface);
      r->SetBounds(Input_Left, c.Top - Rich_Edit_Offset, Input_Width, Rich_Edit_Height);
      made = r;
      break;
    }
    case K::Combo: {
      auto* cb = new TComboBox(section, csDropDownList);
      cb->SetParent(surface);
      cb->SetBounds(Input_Left, c.Top - Input_Offset, Input_Width, Combo_Height);
      cb->Items()->SetText(QString::fromUtf8(c.Text));
      cb->SetItemIndex(c.Item);
      cb->OnChange = [this](TObject* sender) { On_Change(sender); };
      made = cb;
      break;
    }
    case K::Address: {
      const int editTop = c.Top - (afterCheck ? Gateway_Edit_Offset : Input_Offset);
      const int dotTop = c.Top + (afterCheck ? Gateway_Dot_Offset : 0);
      const QStringList dotNames = QString::fromUtf8(c.Dots).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
      for (int k = 0; k < 4; ++k) {
        TEdit* e = New_Edit(surface, Byte_Lefts[k], editTop, Byte_Width, section);
        e->SetTextNoChange(QString::fromLatin1(Byte_Design_Texts[k]));
        Register(std::string(c.Name) + char('1' + k), e);
      }
      for (int k = 0; k < 3; ++k) {
        TLabel* d = New_Label(surface, Dot_Lefts[k], dotTop, QStringLiteral("."), section);
        d->SetAutoSize(false);
        d->SetWidth(Dot_Width);
        if (k < dotNames.size())
          Register(dotNames.at(k).toStdString(), d);
      }
      continue;
    }
    }
    if (c.Hidden)
      made->SetVisible(false);
    if (c.Disabled)
      made->SetEnabled(false);
    Register(std::string_view(c.Name), made);
  }
}

void TFParGen::Bind_Named_Controls()
{
  const std::pair<const char*, TComboBox* TFParGen::*> combos[] = {
      {"CB_Select_Device_Device", &TFParGen::CB_Select_Device_Device},
      {"CB_BACnet_Master_Type", &TFParGen::CB_BACnet_Master_Type},
      {"CB_BACnet_Slave_Type", &TFParGen::CB_BACnet_Slave_Type},
      {"CB_SNMP_Agent_SecurityLevel", &TFParGen::CB_SNMP_Agent_SecurityLevel},
      {"CB_WiFi_Type", &TFParGen::CB_WiFi_Type},
      {"CB_WiFi_Secure_Type", &TFParGen::CB_WiFi_Secure_Type},
      {"CB_WiFi2_Type", &TFParGen::CB_WiFi2_Type},
      {"CB_WiFi2_Secure_Type", &TFParGen::CB_WiFi2_Secure_Type}};

  const std::pair<const char*, TCheckBox* TFParGen::*> checks[] = {
      {"CB_SNMP_Agent_Version3", &TFParGen::CB_SNMP_Agent_Version3},
      {"CB_MQTT_WillFlag", &TFParGen::CB_MQTT_WillFlag},
      {"CB_MQTT_PublishTopicConnection", &TFParGen::CB_MQTT_PublishTopicConnection},
      {"CB_TLS_Enable", &TFParGen::CB_TLS_Enable},
      {"CB_TLS_En_Server_Auth", &TFParGen::CB_TLS_En_Server_Auth},
      {"CB_TLS_En_Client_Auth", &TFParGen::CB_TLS_En_Client_Auth},
      {"CB_TLS_Server_Enable", &TFParGen::CB_TLS_Server_Enable},
      {"CB_WiFi_IP_Auto", &TFParGen::CB_WiFi_IP_Auto},
      {"CB_WiFi_En_DHCP", &TFParGen::CB_WiFi_En_DHCP},
      {"CB_WiFi2_En_DHCP", &TFParGen::CB_WiFi2_En_DHCP}};
  // Members of sections not built yet stay empty.
  auto bind = [this](const auto& list) {
    for (const auto& [name, member] : list)
      if (!(this->*member))
        if (const auto it = FControls.find(std::string_view(name)); it != FControls.end())
          this->*member = dynamic_cast<std::remove_reference_t<decltype(this->*member)>>(it->second);
  };
  bind(combos);
  bind(checks);
}

void TFParGen::Resolve_Lang_Map()
{
  // The other products' controls are found once their sections are built.
  FLang_Targets.reserve(ParGen_Lang_Map_Count);
  for (size_t i = 0; i < ParGen_Lang_Map_Count; ++i) {
    const TParGen_Lang_Entry& e = ParGen_Lang_Map[i];
    const auto it = FControls.find(std::string_view(e.Control));
    FLang_Targets.push_back({e.Index, e.Control, it == FControls.end() ? nullptr : it->second, uint8_t(e.Prop)});
  }
}

// ---------------------------------------------------------------------- window events

void TFParGen::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(Fixed_Client_Width);
  SetClientHeight(700);
  for (TCategoryPanel* p : Every_Section())
    p->SetVisible(false);
  Order_TAB_Panels();
  Move_GroupBoxs();
  Set_Lang();
}

void TFParGen::FormShow(TObject*)
{
  const QString path = WS().Name_File_ParGen;
  TParGen_Data data;
  bool keepBaudrate = false;
  try {
    bool found = false;
    data = Read_ParGen_File(path, &found);
    // Without a file the rate list keeps the selection it has.
    keepBaudrate = !found;
  } catch (const Exception& e) {
    // Never leave the values of an earlier showing (maybe another project) in the
    // controls for OK to save here: start from the defaults and say why.
    Put_Data(TParGen_Data{}, false);
    MessageDlg(e.Message(), mtError, mbOK, 0);
  }
  Put_Data(data, keepBaudrate);
  Move_GroupBoxs();
}

void TFParGen::FormResize(TObject*)
{
  if (FResizing || ClientWidth() == Fixed_Client_Width)
    return;
  FResizing = true;
  SetClientWidth(Fixed_Client_Width);
  FResizing = false;
}

void TFParGen::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint MousePos, bool& Handled)
{
  const TPoint p = CPG->ScreenToClient(MousePos);
  Handled = PtInRect(CPG->ClientRect(), p);
  if (!Handled)
    return;
  const int lines = Mouse ? Mouse->WheelScrollLines() : 3;
  if (lines < 1)
    return;
  const WPARAM code = WheelDelta < 1 ? SB_LINEDOWN : SB_LINEUP;
  for (int i = 0; i < lines; ++i) {
    CPG->Perform(WM_VSCROLL, code, 0);
    CPG->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
  }
}

void TFParGen::Btn_OKClick(TObject*)
{
  if (!Controllo_Dati())
    return;
  Write_ParGen_File(WS().Name_File_ParGen, Get_Data());
  SetModalResult(mrOk);
}

bool TFParGen::Is_Layout_Trigger(TObject* Sender) const
{
  const TObject* boxes[] = {CB_SNMP_Agent_Version3, CB_MQTT_WillFlag,        CB_TLS_Enable,
                            CB_TLS_En_Server_Auth,  CB_TLS_En_Client_Auth,   CB_WiFi_IP_Auto,
                            CB_WiFi_En_DHCP,        CB_TLS_Server_Enable,    CB_EthConn_En_DHCP_Cable,
                            CB_EthConn_En_DHCP_WiFi, CB_WiFi2_En_DHCP,       CB_MQTT_PublishTopicConnection};
  return Sender && std::find(std::begin(boxes), std::end(boxes), Sender) != std::end(boxes);
}

void TFParGen::On_Change(TObject* Sender)
{
  const TObject* lists[] = {CB_BACnet_Slave_Type, CB_SNMP_Agent_SecurityLevel, CB_WiFi_Type,
                            CB_WiFi_Secure_Type,  CB_BACnet_Master_Type,       CB_WiFi2_Secure_Type,
                            CB_WiFi2_Type,        CB_Select_Device_Device};
  if (Sender && std::find(std::begin(lists), std::end(lists), Sender) != std::end(lists))
    Move_GroupBoxs();
}

void TFParGen::On_Click(TObject* Sender)
{
  if (Is_Layout_Trigger(Sender))
    Move_GroupBoxs();
}

void TFParGen::KeyPress(TObject* Sender, QChar& Key)
{
  if (Key != QLatin1Char('.'))
    return;
  Key = QChar(0);
  const std::array<TEdit*, 8> order = {E_EthConn_Pri_DNS_IP[0], E_EthConn_Pri_DNS_IP[1],
                                       E_EthConn_Pri_DNS_IP[2], E_EthConn_Pri_DNS_IP[3],
                                       E_EthConn_Sec_DNS_IP[0], E_EthConn_Sec_DNS_IP[1],
                                       E_EthConn_Sec_DNS_IP[2], E_EthConn_Sec_DNS_IP[3]};
  for (size_t i = 0; i + 1 < order.size(); ++i) {
    if (Sender == order[i]) {
      if (order[i + 1]->CanFocus())
        order[i + 1]->SetFocus();
      return;
    }
  }
}

// ---------------------------------------------------------------------- values

int TFParGen::Get_IOLink_Slave_Baudrate(const QString& Baud) const
{
  const QString b = Trim(Baud);
  if (b == QLatin1String("COM2"))
    return 1;
  if (b == QLatin1String("COM3"))
    return 2;
  return 0;
}

void TFParGen::Put_Data(const TParGen_Data& d, bool KeepBaudrate)
{
  E_EthConn_Device_Name->SetText(d.Eth_Conn_Device_Name);
  CB_EthConn_En_DHCP_Cable->SetChecked(ParGen_Flag(d.Eth_Conn_DHCP_Cable));
  CB_EthConn_En_DHCP_WiFi->SetChecked(ParGen_Flag(d.Eth_Conn_DHCP_WiFi));
  CB_EthConn_Enable_DNS->SetChecked(ParGen_Flag(d.Eth_Conn_Enable_DNS));
  const QString pri[4] = {d.Eth_Conn_Primary_DNS1, d.Eth_Conn_Primary_DNS2, d.Eth_Conn_Primary_DNS3,
                          d.Eth_Conn_Primary_DNS4};
  const QString sec[4] = {d.Eth_Conn_Secondary_DNS1, d.Eth_Conn_Secondary_DNS2,
                          d.Eth_Conn_Secondary_DNS3, d.Eth_Conn_Secondary_DNS4};
  const QString ip[4] = {d.EtherNetIP_Master_IP1, d.EtherNetIP_Master_IP2, d.EtherNetIP_Master_IP3,
                         d.EtherNetIP_Master_IP4};
  const QString sm[4] = {d.EtherNetIP_Master_SM1, d.EtherNetIP_Master_SM2, d.EtherNetIP_Master_SM3,
                         d.EtherNetIP_Master_SM4};
  const QString gat[4] = {d.EtherNetIP_Master_GAT1, d.EtherNetIP_Master_GAT2,
                          d.EtherNetIP_Master_GAT3, d.EtherNetIP_Master_GAT4};
  for (size_t i = 0; i < 4; ++i) {
    E_EthConn_Pri_DNS_IP[i]->SetText(pri[i]);
    E_EthConn_Sec_DNS_IP[i]->SetText(sec[i]);
    E_EtherNetIP_Master_IP[i]->SetText(ip[i]);
    E_EtherNetIP_Master_SM[i]->SetText(sm[i]);
    E_EtherNetIP_Master_GAT[i]->SetText(gat[i]);
  }
  if (!KeepBaudrate)
    CB_IOLink_Slave_Baudrate->SetItemIndex(Get_IOLink_Slave_Baudrate(d.IOLink_Slave_Baudrate));
  CB_EtherNetIP_Master_GAT->SetChecked(ParGen_Flag(d.EtherNetIP_Master_EN_GAT));
  // The port is fixed, whatever the file says.
  E_EtherNetIP_Master_Port->SetText(ParGen_Fixed_Port);
}

TParGen_Data TFParGen::Get_Data() const
{
  TParGen_Data d;
  d.Eth_Conn_Device_Name = E_EthConn_Device_Name->Text();
  d.Eth_Conn_DHCP_Cable = ParGen_Flag_Text(CB_EthConn_En_DHCP_Cable->Checked());
  d.Eth_Conn_DHCP_WiFi = ParGen_Flag_Text(CB_EthConn_En_DHCP_WiFi->Checked());
  d.Eth_Conn_Enable_DNS = ParGen_Flag_Text(CB_EthConn_Enable_DNS->Checked());
  d.Eth_Conn_Primary_DNS1 = E_EthConn_Pri_DNS_IP[0]->Text();
  d.Eth_Conn_Primary_DNS2 = E_EthConn_Pri_DNS_IP[1]->Text();
  d.Eth_Conn_Primary_DNS3 = E_EthConn_Pri_DNS_IP[2]->Text();
  d.Eth_Conn_Primary_DNS4 = E_EthConn_Pri_DNS_IP[3]->Text();
  d.Eth_Conn_Secondary_DNS1 = E_EthConn_Sec_DNS_IP[0]->Text();
  d.Eth_Conn_Secondary_DNS2 = E_EthConn_Sec_DNS_IP[1]->Text();
  d.Eth_Conn_Secondary_DNS3 = E_EthConn_Sec_DNS_IP[2]->Text();
  d.Eth_Conn_Secondary_DNS4 = E_EthConn_Sec_DNS_IP[3]->Text();
  d.IOLink_Slave_Baudrate = CB_IOLink_Slave_Baudrate->Text();
  d.EtherNetIP_Master_IP1 = E_EtherNetIP_Master_IP[0]->Text();
  d.EtherNetIP_Master_IP2 = E_EtherNetIP_Master_IP[1]->Text();
  d.EtherNetIP_Master_IP3 = E_EtherNetIP_Master_IP[2]->Text();
  d.EtherNetIP_Master_IP4 = E_EtherNetIP_Master_IP[3]->Text();
  d.EtherNetIP_Master_SM1 = E_EtherNetIP_Master_SM[0]->Text();
  d.EtherNetIP_Master_SM2 = E_EtherNetIP_Master_SM[1]->Text();
  d.EtherNetIP_Master_SM3 = E_EtherNetIP_Master_SM[2]->Text();
  d.EtherNetIP_Master_SM4 = E_EtherNetIP_Master_SM[3]->Text();
  d.EtherNetIP_Master_GAT1 = E_EtherNetIP_Master_GAT[0]->Text();
  d.EtherNetIP_Master_GAT2 = E_EtherNetIP_Master_GAT[1]->Text();
  d.EtherNetIP_Master_GAT3 = E_EtherNetIP_Master_GAT[2]->Text();
  d.EtherNetIP_Master_GAT4 = E_EtherNetIP_Master_GAT[3]->Text();
  d.EtherNetIP_Master_EN_GAT = ParGen_Flag_Text(CB_EtherNetIP_Master_GAT->Checked());
  d.EtherNetIP_Master_Port = ParGen_Fixed_Port;
  return d;
}

// ---------------------------------------------------------------------- check

bool TFParGen::Check_Byte(TEdit* Edit, int Message)
{
  const int v = StrToIntDef(Edit->Text(), -1);
  if (v >= 0 && v <= 255)
    return true;
  MessageDlg(Lang_Str(Message), mtError, mbOK, 0);
  return false;
}

bool TFParGen::Controllo_Dati()
{
  if (CB_EthConn_Enable_DNS->Checked()) {
    for (int i = 0; i < 4; ++i)
      if (!Check_Byte(E_EthConn_Pri_DNS_IP[size_t(i)], ParGen_Txt::Err_Primary_DNS1 + i))
        return false;
    for (int i = 0; i < 4; ++i)
      if (!Check_Byte(E_EthConn_Sec_DNS_IP[size_t(i)], ParGen_Txt::Err_Secondary_DNS1 + i))
        return false;
  }
  // The master's address is checked also while DHCP disables it.
  for (int i = 0; i < 4; ++i)
    if (!Check_Byte(E_EtherNetIP_Master_IP[size_t(i)], ParGen_Txt::Err_Master_IP1 + i))
      return false;
  for (int i = 0; i < 4; ++i)
    if (!Check_Byte(E_EtherNetIP_Master_SM[size_t(i)], ParGen_Txt::Err_Master_SM1 + i))
      return false;
  if (CB_EtherNetIP_Master_GAT->Checked()) {
    for (int i = 0; i < 4; ++i)
      if (!Check_Byte(E_EtherNetIP_Master_GAT[size_t(i)], ParGen_Txt::Err_Master_GAT1 + i))
        return false;
  }
  return true;
}

// ---------------------------------------------------------------------- layout

void TFParGen::Order_TAB_Panels()
{
  Order_TAB_Panels_27518();
}

void TFParGen::Move_GroupBoxs()
{
  RePosition_Objects_27518();
}

void TFParGen::Order_Sections(std::initializer_list<TCategoryPanel*> Sections)
{
  for (TCategoryPanel* p : Sections)
    Ensure_Built(p);
  for (TCategoryPanel* p : Sections)
    p->SetVisible(true);
  int top = 0;
  int k = 0;
  for (TCategoryPanel* p : Sections) {
    p->SetTop(top);
    top = p->Top() + p->Height();
    ++k;
    p->SetCaption(QString::number(k) + QStringLiteral(". ") + Lang_Str(Section_Title(p)));
    p->SetTabOrder(k - 1);
  }
}

// clang-format off
void TFParGen::Order_TAB_Panels_27518() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_EtherNetIP_Master}); }
void TFParGen::Order_TAB_Panels_31407() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_Serial, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31412() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_Modbus_Master, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31425() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_Modbus_Slave, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31433() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_Modbus_TCP_Master}); }
void TFParGen::Order_TAB_Panels_31446() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_Modbus_TCP_Slave}); }
void TFParGen::Order_TAB_Panels_31451() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_BACnet_Master, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31468() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_BACnet_Slave, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31474() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_CAN, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31489() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_CANopen, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31490() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_DeviceNet_Master, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31503() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_DeviceNet_Slave, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31517() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_EtherCAT_Slave, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31526() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31548() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_EtherNetIP}); }
void TFParGen::Order_TAB_Panels_31555() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_IEC61850_Client}); }
void TFParGen::Order_TAB_Panels_31562() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_IEC61850_Server, CP_TLS_Server}); }
void TFParGen::Order_TAB_Panels_31579() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_J1939, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31584()
{
  Order_Sections({CP_Select_Device, CP_Ethernet_Connection, CP_IOLink_Slave, CP_MQTT, CP_Ethernet, CP_TLS, CP_NTP,
                  CP_WiFi2, CP_GSM_GPRS});
}
void TFParGen::Order_TAB_Panels_31602() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_NMEA2000, CP_Ethernet}); }
void TFParGen::Order_TAB_Panels_31613() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_OPC_UA_Client, CP_NTP}); }
void TFParGen::Order_TAB_Panels_31627() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_OPC_UA_Server, CP_NTP}); }
void TFParGen::Order_TAB_Panels_31641() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_PROFINET}); }
void TFParGen::Order_TAB_Panels_31656() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_S7_Protocol}); }
void TFParGen::Order_TAB_Panels_31668() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_SNMP_Manager}); }
void TFParGen::Order_TAB_Panels_31673() { Order_Sections({CP_Ethernet_Connection, CP_IOLink_Slave, CP_SNMP_Agent}); }
// clang-format on

void TFParGen::RePosition_Objects_27518()
{
  RePosition_Object_Ethernet_Connection();
  RePosition_Object_IOLink_Slave();
  RePosition_Object_EtherNetIP_Master();
}

// The common head of every other product: the Ethernet connection and the IO-Link slave.
#define KV_PARGEN_RELAYOUT(PRODUCT, ...)                  \
  void TFParGen::RePosition_Objects_##PRODUCT()           \
  {                                                       \
    RePosition_Object_Ethernet_Connection();              \
    RePosition_Object_IOLink_Slave();                     \
    for (void (TFParGen::*routine)() : {__VA_ARGS__})     \
      (this->*routine)();                                 \
  }
KV_PARGEN_RELAYOUT(31407, &TFParGen::RePosition_Object_Serial, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31412, &TFParGen::RePosition_Object_Modbus_Master, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31425, &TFParGen::RePosition_Object_Modbus_Slave, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31433, &TFParGen::RePosition_Object_Modbus_TCP_Master)
KV_PARGEN_RELAYOUT(31446, &TFParGen::RePosition_Object_Modbus_TCP_Slave)
KV_PARGEN_RELAYOUT(31474, &TFParGen::RePosition_Object_CAN, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31489, &TFParGen::RePosition_Object_CANopen, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31490, &TFParGen::RePosition_Object_DeviceNet_Master, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31503, &TFParGen::RePosition_Object_DeviceNet_Slave, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31517, &TFParGen::RePosition_Object_EtherCAT_Slave, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31526, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31548, &TFParGen::RePosition_Object_EtherNetIP)
KV_PARGEN_RELAYOUT(31555, &TFParGen::RePosition_Object_IEC61850_Client)
KV_PARGEN_RELAYOUT(31562, &TFParGen::RePosition_Object_IEC61850_Server, &TFParGen::RePosition_Object_TLS_Server)
KV_PARGEN_RELAYOUT(31579, &TFParGen::RePosition_Object_J1939, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31602, &TFParGen::RePosition_Object_NMEA2000, &TFParGen::RePosition_Object_Ethernet)
KV_PARGEN_RELAYOUT(31613, &TFParGen::RePosition_Object_OPC_UA_Client, &TFParGen::RePosition_Object_NTP)
KV_PARGEN_RELAYOUT(31627, &TFParGen::RePosition_Object_OPC_UA_Server, &TFParGen::RePosition_Object_NTP)
KV_PARGEN_RELAYOUT(31641, &TFParGen::RePosition_Object_PROFINET)
KV_PARGEN_RELAYOUT(31656, &TFParGen::RePosition_Object_S7_Protocol)
KV_PARGEN_RELAYOUT(31668, &TFParGen::RePosition_Object_SNMP_Manager)
KV_PARGEN_RELAYOUT(31673, &TFParGen::RePosition_Object_SNMP_Agent)
#undef KV_PARGEN_RELAYOUT

void TFParGen::RePosition_Objects_31451()
{
  RePosition_Object_Ethernet_Connection();
  RePosition_Object_IOLink_Slave();
  RePosition_Object_BACnet_Master();
  RePosition_Object_Ethernet();
  // BACnet/IP runs over the section's own address: the Ethernet section only serves MS/TP.
  CP_Ethernet->SetVisible(CB_BACnet_Master_Type->ItemIndex() != 0);
}

void TFParGen::RePosition_Objects_31468()
{
  RePosition_Object_Ethernet_Connection();
  RePosition_Object_IOLink_Slave();
  RePosition_Object_BACnet_Slave();
  RePosition_Object_Ethernet();
  CP_Ethernet->SetVisible(CB_BACnet_Slave_Type->ItemIndex() != 0);
}

void TFParGen::RePosition_Objects_31584()
{
  RePosition_Object_Ethernet_Connection();
  RePosition_Object_IOLink_Slave();
  RePosition_Object_MQTT();
  RePosition_Object_Ethernet();
  RePosition_Object_TLS();
  RePosition_Object_NTP();
  RePosition_Object_WiFi2();
  RePosition_Object_GSM_GPRS();
  Apply_Select_Device_Rule();
}

void TFParGen::Apply_Select_Device_Rule()
{
  // Only the connection the device has stays open and usable.
  Ensure_Built(CP_Select_Device);
  const int item = CB_Select_Device_Device->ItemIndex();
  const bool wifi = item == 1;
  const bool mobile = item != 0 && item != 1;
  CP_WiFi2->SetEnabled(wifi);
  CP_WiFi2->SetCollapsed(!wifi);
  CP_GSM_GPRS->SetEnabled(mobile);
  CP_GSM_GPRS->SetCollapsed(!mobile);
}

const std::vector<TParGen_Variant>& TFParGen::Variants()
{
#define KV_PARGEN_VARIANT(PRODUCT) {PRODUCT, &TFParGen::Order_TAB_Panels_##PRODUCT, &TFParGen::RePosition_Objects_##PRODUCT}
  static const std::vector<TParGen_Variant> list = {
      KV_PARGEN_VARIANT(27518), KV_PARGEN_VARIANT(31407), KV_PARGEN_VARIANT(31412), KV_PARGEN_VARIANT(31425),
      KV_PARGEN_VARIANT(31433), KV_PARGEN_VARIANT(31446), KV_PARGEN_VARIANT(31451), KV_PARGEN_VARIANT(31468),
      KV_PARGEN_VARIANT(31474), KV_PARGEN_VARIANT(31489), KV_PARGEN_VARIANT(31490), KV_PARGEN_VARIANT(31503),
      KV_PARGEN_VARIANT(31517), KV_PARGEN_VARIANT(31526), KV_PARGEN_VARIANT(31548), KV_PARGEN_VARIANT(31555),
      KV_PARGEN_VARIANT(31562), KV_PARGEN_VARIANT(31579), KV_PARGEN_VARIANT(31584), KV_PARGEN_VARIANT(31602),
      KV_PARGEN_VARIANT(31613), KV_PARGEN_VARIANT(31627), KV_PARGEN_VARIANT(31641), KV_PARGEN_VARIANT(31656),
      KV_PARGEN_VARIANT(31668), KV_PARGEN_VARIANT(31673)};
#undef KV_PARGEN_VARIANT
  return list;
}

// ---- layout helpers

void TFParGen::Apply_Height_Rule(TCategoryPanel* Section, TControl* Lowest)
{
  Section->SetHeight(Lowest->Top() + Lowest->Height() + Height_Margin + CPG->HeaderHeight());
}

void TFParGen::Apply_Height_Rule(TCategoryPanel* Section, std::string_view Lowest)
{
  Ensure_Built(Section);
  Apply_Height_Rule(Section, C(Lowest));
}

void TFParGen::Set_Shown(std::initializer_list<std::string_view> Names, bool Visible)
{
  for (std::string_view n : Names)
    C(n)->SetVisible(Visible);
}

void TFParGen::Place_Row(std::string_view Label, std::string_view Input, int RowTop)
{
  C(Label)->SetTop(RowTop);
  C(Input)->SetTop(RowTop - Input_Offset);
}

TFParGen::TAddress_Row TFParGen::Address_Row(std::string_view Head, std::string_view Stem,
                                             std::array<std::string_view, 3> Dots)
{
  TAddress_Row row{C(Head), {}, {}};
  std::string name(Stem);
  name.push_back('1');
  for (size_t k = 0; k < 4; ++k) {
    name.back() = char('1' + k);
    row.Edits[k] = C(name);
  }
  for (size_t k = 0; k < 3; ++k)
    row.Dots[k] = C(Dots[k]);
  return row;
}

void TFParGen::Show_Address_Row(const TAddress_Row& Row, bool Visible)
{
  Row.Head->SetVisible(Visible);
  for (TControl* c : Row.Edits)
    c->SetVisible(Visible);
  for (TControl* c : Row.Dots)
    c->SetVisible(Visible);
}

void TFParGen::Place_Address_Row(const TAddress_Row& Row, int RowTop, int EditOffset, int DotOffset)
{
  Row.Head->SetTop(RowTop);
  for (TControl* c : Row.Edits)
    c->SetTop(RowTop - EditOffset);
  for (TControl* c : Row.Dots)
    c->SetTop(RowTop + DotOffset);
}

void TFParGen::Enable_Address_Row(const TAddress_Row& Row, bool Enabled)
{
  for (TControl* c : Row.Edits)
    c->SetEnabled(Enabled);
}

void TFParGen::Apply_DHCP_Rule(std::string_view Prefix, std::string_view Gateway_Check)
{
  const bool fixed = !CB_EthConn_En_DHCP_Cable->Checked();
  std::string name(Prefix);
  const size_t stem = name.size();
  for (const char* part : {"IP", "SM", "GAT"}) {
    for (char k = '1'; k <= '4'; ++k) {
      name.resize(stem);
      name += part;
      name += k;
      C(name)->SetEnabled(fixed);
    }
  }
  if (!Gateway_Check.empty())
    C(Gateway_Check)->SetEnabled(fixed);
}

void TFParGen::Place_Address_Row(int RowTop, TLabel* RowLabel, std::array<TEdit*, 4>& Edits,
                                 std::array<TLabel*, 3>& Dots)
{
  RowLabel->SetTop(RowTop);
  for (TLabel* d : Dots)
    d->SetTop(RowTop);
  for (TEdit* e : Edits)
    e->SetTop(RowTop - Input_Offset);
}

// ---- this product's sections

void TFParGen::RePosition_Object_Ethernet_Connection()
{
  int y;
  if (Is_WiFi_Present()) {
    CB_EthConn_En_DHCP_WiFi->SetVisible(true);
    y = CB_EthConn_En_DHCP_WiFi->Top() + Row_Step;
    // DHCP over Wi-Fi means nothing while the device is chosen without Wi-Fi.
    Ensure_Built(CP_Select_Device);
    const int device = CB_Select_Device_Device->ItemIndex();
    CB_EthConn_En_DHCP_WiFi->SetEnabled(device != 0 && device != 2);
  } else {
    CB_EthConn_En_DHCP_WiFi->SetVisible(false);
    y = CB_EthConn_En_DHCP_Cable->Top() + Row_Step;
  }
  CB_EthConn_Enable_DNS->SetTop(y);
  Place_Address_Row(y + Row_Step, L_EthConn_Primary_DNS, E_EthConn_Pri_DNS_IP, Label172_174);
  Place_Address_Row(y + 2 * Row_Step, L_EthConn_Secondary_DNS, E_EthConn_Sec_DNS_IP, Label175_177);
  Apply_Height_Rule(CP_Ethernet_Connection, E_EthConn_Sec_DNS_IP[3]);
}

void TFParGen::RePosition_Object_IOLink_Slave()
{
  Apply_Height_Rule(CP_IOLink_Slave, CB_IOLink_Slave_Baudrate);
}

void TFParGen::RePosition_Object_EtherNetIP_Master()
{
  Apply_Height_Rule(CP_EtherNetIP_Master, E_EtherNetIP_Master_Port);
  const bool fixed = !CB_EthConn_En_DHCP_Cable->Checked();
  for (size_t i = 0; i < 4; ++i) {
    E_EtherNetIP_Master_IP[i]->SetEnabled(fixed);
    E_EtherNetIP_Master_SM[i]->SetEnabled(fixed);
    E_EtherNetIP_Master_GAT[i]->SetEnabled(fixed);
  }
}

// ---- the sections that only size themselves (and follow the cable DHCP)

void TFParGen::RePosition_Object_Serial() { Apply_Height_Rule(CP_Serial, "CB_Serial_StopBits"); }
void TFParGen::RePosition_Object_Modbus_Master() { Apply_Height_Rule(CP_Modbus_Master, "E_ModbusMaster_CyclicDelay"); }
void TFParGen::RePosition_Object_Modbus_Slave() { Apply_Height_Rule(CP_Modbus_Slave, "CB_ModbusSlave_ReadInput"); }
void TFParGen::RePosition_Object_CAN() { Apply_Height_Rule(CP_CAN, "CB_CAN_Baudrate"); }
void TFParGen::RePosition_Object_CANopen() { Apply_Height_Rule(CP_CANopen, "E_CANopen_SDO_Timeout"); }
void TFParGen::RePosition_Object_DeviceNet_Master() { Apply_Height_Rule(CP_DeviceNet_Master, "CB_DeviceNet_Master_Baudrate"); }
void TFParGen::RePosition_Object_DeviceNet_Slave() { Apply_Height_Rule(CP_DeviceNet_Slave, "E_DeviceNet_Slave_NumByteOut"); }
void TFParGen::RePosition_Object_EtherCAT_Slave() { Apply_Height_Rule(CP_EtherCAT_Slave, "E_EtherCAT_Slave_Node_Address"); }
void TFParGen::RePosition_Object_J1939() { Apply_Height_Rule(CP_J1939, "E_J1939_ID_Device"); }
void TFParGen::RePosition_Object_NTP() { Apply_Height_Rule(CP_NTP, "E_NTP_Poll_Time"); }
void TFParGen::RePosition_Object_NMEA2000() { Apply_Height_Rule(CP_NMEA2000, "CB_NMEA2000_Peer_To_Peer"); }
void TFParGen::RePosition_Object_GSM_GPRS() { Apply_Height_Rule(CP_GSM_GPRS, "E_GSM_GPRS_Password"); }

void TFParGen::RePosition_Object_Modbus_TCP_Master()
{
  Ensure_Built(CP_Modbus_TCP_Master);
  Apply_Height_Rule(CP_Modbus_TCP_Master, "E_ModbusTCPMaster_CyclicDelay");
  Apply_DHCP_Rule("E_ModbusTCPMaster_", "CB_ModbusTCPMaster_En_GAT");
}

void TFParGen::RePosition_Object_Modbus_TCP_Slave()
{
  Ensure_Built(CP_Modbus_TCP_Slave);
  Apply_Height_Rule(CP_Modbus_TCP_Slave, "CB_ModbusTCPSlave_ReadInput");
  Apply_DHCP_Rule("E_ModbusTCPSlave_", "CB_ModbusTCPSlave_En_GAT");
}

void TFParGen::RePosition_Object_Ethernet()
{
  Ensure_Built(CP_Ethernet);
  // The device serves no TCP or UDP port of its own here.
  Set_Shown({"L_Ethernet_TCP_Port", "E_Ethernet_TCP_Port", "L_Ethernet_UDP_Port", "E_Ethernet_UDP_Port"}, false);
  Apply_Height_Rule(CP_Ethernet, "E_Ethernet_GAT4");
  Apply_DHCP_Rule("E_Ethernet_", "CB_Ethernet_En_GAT");
}

void TFParGen::RePosition_Object_EtherNetIP()
{
  Ensure_Built(CP_EtherNetIP);
  Apply_Height_Rule(CP_EtherNetIP, "E_EtherNetIP_NByte_Out");
  Apply_DHCP_Rule("E_EtherNetIP_");
}

void TFParGen::RePosition_Object_IEC61850_Client()
{
  Ensure_Built(CP_IEC61850_Client);
  Apply_Height_Rule(CP_IEC61850_Client, "E_IEC61850_Client_AppID");
  Apply_DHCP_Rule("E_IEC61850_Client_");
}

void TFParGen::RePosition_Object_IEC61850_Server()
{
  Ensure_Built(CP_IEC61850_Server);
  Apply_Height_Rule(CP_IEC61850_Server, "E_IEC61850_Server_Password");
  Apply_DHCP_Rule("E_IEC61850_Server_");
}

void TFParGen::RePosition_Object_OPC_UA_Client()
{
  Ensure_Built(CP_OPC_UA_Client);
  Apply_Height_Rule(CP_OPC_UA_Client, "E_OPC_UA_Client_GAT4");
  Apply_DHCP_Rule("E_OPC_UA_Client_");
}

void TFParGen::RePosition_Object_OPC_UA_Server()
{
  Ensure_Built(CP_OPC_UA_Server);
  Apply_Height_Rule(CP_OPC_UA_Server, "E_OPC_UA_Server_Port");
  Apply_DHCP_Rule("E_OPC_UA_Server_");
}

void TFParGen::RePosition_Object_PROFINET()
{
  Ensure_Built(CP_PROFINET);
  Set_Shown({"CB_PROFINET_Diagnostic", "E_PROFINET_Diagnostic"}, false);
  Apply_Height_Rule(CP_PROFINET, "E_PROFINET_NByte_Out");
  Apply_DHCP_Rule("E_PROFINET_");
}

void TFParGen::RePosition_Object_S7_Protocol()
{
  Ensure_Built(CP_S7_Protocol);
  Apply_Height_Rule(CP_S7_Protocol, "E_S7_Protocol_GAT4");
  Apply_DHCP_Rule("E_S7_Protocol_");
}

void TFParGen::RePosition_Object_SNMP_Manager()
{
  Ensure_Built(CP_SNMP_Manager);
  Apply_Height_Rule(CP_SNMP_Manager, "E_SNMP_Manager_NameStation");
  Apply_DHCP_Rule("E_SNMP_Manager_");
}

// ---- the sections that follow their own lists and boxes

void TFParGen::RePosition_Object_BACnet_Master()
{
  Ensure_Built(CP_BACnet_Master);
  const TAddress_Row rows[] = {
      Address_Row("L_BACnet_IP_Master_IP", "E_BACnet_IP_Master_IP", {"Label90", "Label97", "Label98"}),
      Address_Row("L_BACnet_IP_Master_SM", "E_BACnet_IP_Master_SM", {"Label100", "Label101", "Label102"}),
      Address_Row("CB_BACnet_IP_Master_GAT", "E_BACnet_IP_Master_GAT", {"Label103", "Label104", "Label105"})};
  const std::initializer_list<std::string_view> ipRows = {
      "L_BACnet_IP_Master_Port", "E_BACnet_IP_Master_Port", "L_BACnet_IP_Master_Device_Name",
      "E_BACnet_IP_Master_Device_Name", "L_BACnet_IP_Master_Device_Identifier",
      "E_BACnet_IP_Master_Device_Identifier", "L_BACnet_IP_Master_TimeOut_Polling",
      "E_BACnet_IP_Master_TimeOut_Polling"};
  static constexpr std::pair<std::string_view, std::string_view> mstp[] = {
      {"L_BACnet_MSTP_Master_Baudrate", "CB_BACnet_MSTP_Master_Baudrate"},
      {"L_BACnet_MSTP_Master_Parity", "CB_BACnet_MSTP_Master_Parity"},
      {"L_BACnet_MSTP_Master_Device_Name", "E_BACnet_MSTP_Master_Device_Name"},
      {"L_BACnet_MSTP_Master_MAC_Address", "E_BACnet_MSTP_Master_MAC_Address"},
      {"L_BACnet_MSTP_Master_Max_Master", "E_BACnet_MSTP_Master_Max_Master"},
      {"L_BACnet_MSTP_Master_Max_Info_Frame", "E_BACnet_MSTP_Master_Max_Info_Frame"},
      {"L_BACnet_MSTP_Master_Device_Instance", "E_BACnet_MSTP_Master_Device_Instance"}};
  const bool ip = CB_BACnet_Master_Type->ItemIndex() == 0;
  for (const TAddress_Row& r : rows)
    Show_Address_Row(r, ip);
  Set_Shown(ipRows, ip);
  for (const auto& [label, input] : mstp)
    Set_Shown({label, input}, !ip);
  if (ip) {
    Apply_DHCP_Rule("E_BACnet_IP_Master_");
    Apply_Height_Rule(CP_BACnet_Master, "E_BACnet_IP_Master_TimeOut_Polling");
    return;
  }
  // MS/TP rows take the places from the address row down.
  const int labelTop = rows[0].Head->Top();
  const int inputTop = rows[0].Edits[0]->Top();
  int k = 0;
  for (const auto& [label, input] : mstp) {
    C(label)->SetTop(labelTop + Row_Step * k);
    C(input)->SetTop(inputTop + Row_Step * k);
    ++k;
  }
  Apply_Height_Rule(CP_BACnet_Master, "E_BACnet_MSTP_Master_Device_Instance");
}

void TFParGen::RePosition_Object_BACnet_Slave()
{
  Ensure_Built(CP_BACnet_Slave);
  const TAddress_Row rows[] = {
      Address_Row("L_BACnet_IP_Slave_IP", "E_BACnet_IP_Slave_IP", {"Label78", "Label88", "Label89"}),
      Address_Row("L_BACnet_IP_Slave_SM", "E_BACnet_IP_Slave_SM", {"Label91", "Label92", "Label93"}),
      Address_Row("CB_BACnet_IP_Slave_GAT", "E_BACnet_IP_Slave_GAT", {"Label96", "Label95", "Label94"})};
  const std::initializer_list<std::string_view> ipRows = {
      "L_BACnet_IP_Slave_Port", "E_BACnet_IP_Slave_Port", "L_BACnet_IP_Slave_Device_Name",
      "E_BACnet_IP_Slave_Device_Name", "L_BACnet_IP_Slave_Device_Identifier",
      "E_BACnet_IP_Slave_Device_Identifier"};
  static constexpr std::pair<std::string_view, std::string_view> mstp[] = {
      {"L_BACnet_MSTP_Slave_Baudrate", "CB_BACnet_MSTP_Slave_Baudrate"},
      {"L_BACnet_MSTP_Slave_Parity", "CB_BACnet_MSTP_Slave_Parity"},
      {"L_BACnet_MSTP_Slave_Device_Name", "E_BACnet_MSTP_Slave_Device_Name"},
      {"L_BACnet_MSTP_Slave_MAC_Address", "E_BACnet_MSTP_Slave_MAC_Address"},
      {"L_BACnet_MSTP_Slave_Max_Master", "E_BACnet_MSTP_Slave_Max_Master"},
      {"L_BACnet_MSTP_Slave_Max_Info_Frame", "E_BACnet_MSTP_Slave_Max_Info_Frame"},
      {"L_BACnet_MSTP_Slave_Device_Instance", "E_BACnet_MSTP_Slave_Device_Instance"},
      {"L_BACnet_MSTP_Slave_Network", "E_BACnet_MSTP_Slave_Network"}};
  TControl* desc = C("CB_BACnet_Slave_Desc_32_Chars");
  desc->SetVisible(true);
  const bool ip = CB_BACnet_Slave_Type->ItemIndex() == 0;
  for (const TAddress_Row& r : rows)
    Show_Address_Row(r, ip);
  Set_Shown(ipRows, ip);
  for (const auto& [label, input] : mstp)
    Set_Shown({label, input}, !ip);
  if (ip) {
    Apply_DHCP_Rule("E_BACnet_IP_Slave_");
    desc->SetTop(C("L_BACnet_IP_Slave_Device_Identifier")->Top() + Row_Step);
  } else {
    const int labelTop = rows[0].Head->Top();
    const int inputTop = rows[0].Edits[0]->Top();
    int k = 0;
    for (const auto& [label, input] : mstp) {
      C(label)->SetTop(labelTop + Row_Step * k);
      C(input)->SetTop(inputTop + Row_Step * k);
      ++k;
    }
    desc->SetTop(C("L_BACnet_MSTP_Slave_Network")->Top() + Row_Step);
  }
  Apply_Height_Rule(CP_BACnet_Slave, desc);
}

void TFParGen::RePosition_Object_MQTT()
{
  Ensure_Built(CP_MQTT);
  const std::initializer_list<std::string_view> will = {"L_MQTT_Will_TopicName", "E_MQTT_Will_TopicName",
                                                        "L_MQTT_Will_Message",   "E_MQTT_Will_Message",
                                                        "CB_MQTT_Will_Retained", "L_MQTT_Will_QoS",
                                                        "CB_MQTT_Will_QoS"};
  int p;
  if (CB_MQTT_WillFlag->Checked()) {
    Set_Shown(will, true);
    p = C("L_MQTT_Will_QoS")->Top() + Row_Step;
  } else {
    Set_Shown(will, false);
    p = C("L_MQTT_Will_TopicName")->Top();
  }
  CB_MQTT_PublishTopicConnection->SetTop(p);
  const std::initializer_list<std::string_view> connection = {
      "L_MQTT_Connection_TopicName", "E_MQTT_Connection_TopicName", "L_MQTT_Connection_Message",
      "E_MQTT_Connection_Message", "CB_MQTT_Connection_Retained"};
  int q;
  if (CB_MQTT_PublishTopicConnection->Checked()) {
    Set_Shown(connection, true);
    Place_Row("L_MQTT_Connection_TopicName", "E_MQTT_Connection_TopicName", p + Row_Step);
    Place_Row("L_MQTT_Connection_Message", "E_MQTT_Connection_Message", p + 2 * Row_Step);
    C("CB_MQTT_Connection_Retained")->SetTop(p + 3 * Row_Step);
    q = p + 4 * Row_Step;
  } else {
    Set_Shown(connection, false);
    q = p + Row_Step;
  }
  Place_Row("L_MQTT_Username", "E_MQTT_Username", q);
  Place_Row("L_MQTT_Password", "E_MQTT_Password", q + Row_Step);
  Set_Shown({"L_MQTT_ASync_Send_Time", "E_MQTT_ASync_Send_Time"}, false);
  Apply_Height_Rule(CP_MQTT, "E_MQTT_Password");
}

void TFParGen::RePosition_Object_TLS()
{
  Ensure_Built(CP_TLS);
  const std::initializer_list<std::string_view> server = {"L_TLS_Server_Cert", "E_TLS_Server_Cert"};
  const std::initializer_list<std::string_view> client = {
      "L_TLS_Client_Cert",     "E_TLS_Client_Cert",          "L_TLS_Client_Cert_Key",
      "E_TLS_Client_Cert_Key", "L_TLS_Client_Cert_Key_Pass", "E_TLS_Client_Cert_Key_Pass"};
  if (!CB_TLS_Enable->Checked()) {
    CB_TLS_En_Server_Auth->SetVisible(false);
    CB_TLS_En_Client_Auth->SetVisible(false);
    Set_Shown(server, false);
    Set_Shown(client, false);
    Apply_Height_Rule(CP_TLS, CB_TLS_Enable);
    return;
  }
  CB_TLS_En_Server_Auth->SetVisible(true);
  int c;
  if (CB_TLS_En_Server_Auth->Checked()) {
    Set_Shown(server, true);
    c = C("E_TLS_Server_Cert")->Top() + Row_Step;
  } else {
    Set_Shown(server, false);
    c = CB_TLS_En_Server_Auth->Top() + Row_Step;
  }
  CB_TLS_En_Client_Auth->SetVisible(true);
  CB_TLS_En_Client_Auth->SetTop(c);
  if (CB_TLS_En_Client_Auth->Checked()) {
    Set_Shown(client, true);
    Place_Row("L_TLS_Client_Cert", "E_TLS_Client_Cert", c + Row_Step);
    Place_Row("L_TLS_Client_Cert_Key", "E_TLS_Client_Cert_Key", c + 2 * Row_Step);
    Place_Row("L_TLS_Client_Cert_Key_Pass", "E_TLS_Client_Cert_Key_Pass", c + 3 * Row_Step);
    Apply_Height_Rule(CP_TLS, "E_TLS_Client_Cert_Key_Pass");
  } else {
    Set_Shown(client, false);
    Apply_Height_Rule(CP_TLS, CB_TLS_En_Client_Auth);
  }
}

void TFParGen::RePosition_Object_TLS_Server()
{
  Ensure_Built(CP_TLS_Server);
  const bool on = CB_TLS_Server_Enable->Checked();
  Set_Shown({"L_TLS_Server_Key", "E_TLS_Server_Key", "L_TLS_Server_Key_Pass", "E_TLS_Server_Key_Pass",
        "L_TLS_Server_Server_Cert", "E_TLS_Server_Server_Cert", "L_TLS_Server_Root_Cert", "E_TLS_Server_Root_Cert",
        "CB_TLS_Server_En_Known_Cert"},
       on);
  if (on)
    Apply_Height_Rule(CP_TLS_Server, "CB_TLS_Server_En_Known_Cert");
  else
    Apply_Height_Rule(CP_TLS_Server, CB_TLS_Server_Enable);
}

void TFParGen::RePosition_Object_SNMP_Agent()
{
  Ensure_Built(CP_SNMP_Agent);
  const std::initializer_list<std::string_view> authority = {"L_SNMP_Agent_Authority", "E_SNMP_Agent_Authority",
                                                             "L_SNMP_Agent_AuthorityMode",
                                                             "CB_SNMP_Agent_AuthorityMode"};
  const std::initializer_list<std::string_view> privacy = {"L_SNMP_Agent_Privacy", "E_SNMP_Agent_Privacy",
                                                           "L_SNMP_Agent_PrivacyMode", "CB_SNMP_Agent_PrivacyMode"};
  const std::initializer_list<std::string_view> user = {"L_SNMP_Agent_User", "E_SNMP_Agent_User",
                                                        "L_SNMP_Agent_SecurityLevel",
                                                        "CB_SNMP_Agent_SecurityLevel"};
  if (CB_SNMP_Agent_Version3->Checked()) {
    Set_Shown(user, true);
    switch (CB_SNMP_Agent_SecurityLevel->ItemIndex()) {
    case 0:
      Set_Shown(authority, false);
      Set_Shown(privacy, false);
      Apply_Height_Rule(CP_SNMP_Agent, CB_SNMP_Agent_SecurityLevel);
      break;
    case 1:
      Set_Shown(authority, true);
      Set_Shown(privacy, false);
      Apply_Height_Rule(CP_SNMP_Agent, "CB_SNMP_Agent_AuthorityMode");
      break;
    default:
      Set_Shown(authority, true);
      Set_Shown(privacy, true);
      Apply_Height_Rule(CP_SNMP_Agent, "CB_SNMP_Agent_PrivacyMode");
      break;
    }
  } else {
    Set_Shown(user, false);
    Set_Shown(authority, false);
    Set_Shown(privacy, false);
    Apply_Height_Rule(CP_SNMP_Agent, CB_SNMP_Agent_Version3);
  }
  Apply_DHCP_Rule("E_SNMP_Agent_");
}

void TFParGen::Place_Access_Point_Rows(TCategoryPanel* Section, const std::string& P, int SecurityTop, bool Secured,
                                       const TAddress_Row& DhcpIp, const TAddress_Row& DhcpSm)
{
  const std::string securityLabel = "L_" + P + "_Secure_Type", security = "CB_" + P + "_Secure_Type";
  const std::string passwordLabel = "L_" + P + "_Password", password = "E_" + P + "_Password";
  const std::string leaseLabel = "L_" + P + "_Lease_Time", lease = "E_" + P + "_Lease_Time";
  const std::string clientsLabel = "L_" + P + "_Max_Client", clients = "CB_" + P + "_Max_Client";
  const std::string channelLabel = "L_" + P + "_Channel", channel = "CB_" + P + "_Channel";
  Set_Shown({securityLabel, security}, true);
  Place_Row(securityLabel, security, SecurityTop);
  int d;
  if (Secured) {
    Set_Shown({passwordLabel, password}, true);
    Place_Row(passwordLabel, password, SecurityTop + Row_Step);
    d = SecurityTop + 2 * Row_Step;
  } else {
    Set_Shown({passwordLabel, password}, false);
    d = SecurityTop + Row_Step;
  }
  auto* dhcp = static_cast<TCheckBox*>(C("CB_" + P + "_En_DHCP"));
  dhcp->SetVisible(true);
  dhcp->SetTop(d);
  int m;
  if (dhcp->Checked()) {
    Show_Address_Row(DhcpIp, true);
    Show_Address_Row(DhcpSm, true);
    Set_Shown({leaseLabel, lease}, true);
    Place_Address_Row(DhcpIp, d + Row_Step, Input_Offset, 0);
    Place_Address_Row(DhcpSm, d + 2 * Row_Step, Input_Offset, 0);
    Place_Row(leaseLabel, lease, d + 3 * Row_Step);
    m = d + 4 * Row_Step;
  } else {
    Show_Address_Row(DhcpIp, false);
    Show_Address_Row(DhcpSm, false);
    Set_Shown({leaseLabel, lease}, false);
    m = d + Row_Step;
  }
  Set_Shown({clientsLabel, clients, channelLabel, channel}, true);
  Place_Row(clientsLabel, clients, m);
  Place_Row(channelLabel, channel, m + Row_Step);
  Apply_Height_Rule(Section, channel);
}

void TFParGen::RePosition_Object_WiFi()
{
  Ensure_Built(CP_WiFi);
  const int t = C("L_WiFi_Type")->Top();
  const TAddress_Row ip = Address_Row("L_WiFi_IP", "E_WiFi_IP", {"Label15", "Label19", "Label26"});
  const TAddress_Row sm = Address_Row("L_WiFi_SM", "E_WiFi_SM", {"Label14", "Label18", "Label25"});
  const TAddress_Row gat = Address_Row("CB_WiFi_En_Gat", "E_WiFi_GAT", {"Label13", "Label17", "Label24"});
  const TAddress_Row dns = Address_Row("CB_WiFi_En_DNS", "E_WiFi_DNS", {"Label12", "Label16", "Label20"});
  const TAddress_Row dhcpIp =
      Address_Row("L_WiFi_DHCP_First_IP", "E_WiFi_DHCP_First_IP", {"Label27", "Label30", "Label32"});
  const TAddress_Row dhcpSm = Address_Row("L_WiFi_DHCP_SM", "E_WiFi_DHCP_SM", {"Label28", "Label29", "Label31"});
  auto place_addresses = [&](int y) {
    for (const TAddress_Row* r : {&ip, &sm, &gat, &dns})
      Show_Address_Row(*r, true);
    Place_Address_Row(ip, y, Input_Offset, 0);
    Place_Address_Row(sm, y + Row_Step, Input_Offset, 0);
    Place_Address_Row(gat, y + 2 * Row_Step, Input_Offset, Gateway_Dot_Offset);
    Place_Address_Row(dns, y + 3 * Row_Step, Input_Offset, Gateway_Dot_Offset);
  };
  const std::initializer_list<std::string_view> password = {"L_WiFi_Password", "E_WiFi_Password"};
  const std::initializer_list<std::string_view> lease = {"L_WiFi_Lease_Time", "E_WiFi_Lease_Time"};
  const std::initializer_list<std::string_view> clients = {"L_WiFi_Max_Client", "CB_WiFi_Max_Client",
                                                           "L_WiFi_Channel", "CB_WiFi_Channel"};
  const std::initializer_list<std::string_view> name = {"L_WiFi_Name", "E_WiFi_Name"};
  const std::initializer_list<std::string_view> security = {"L_WiFi_Secure_Type", "CB_WiFi_Secure_Type"};

  switch (CB_WiFi_Type->ItemIndex()) {
  case 0: {  // access point
    CB_WiFi_IP_Auto->SetVisible(false);
    place_addresses(t + Row_Step);
    Place_Row("L_WiFi_Port", "E_WiFi_Port", t + 5 * Row_Step);
    C("CB_WiFi_En_WPS")->SetVisible(false);
    Place_Row("L_WiFi_SSID", "E_WiFi_SSID", t + 6 * Row_Step);
    Set_Shown(name, false);
    Place_Access_Point_Rows(CP_WiFi, "WiFi", t + 7 * Row_Step, CB_WiFi_Secure_Type->ItemIndex() != 0, dhcpIp, dhcpSm);
    break;
  }
  case 1: {  // client
    CB_WiFi_IP_Auto->SetVisible(true);
    CB_WiFi_IP_Auto->SetTop(t + Row_Step);
    int r;
    if (CB_WiFi_IP_Auto->Checked()) {
      for (const TAddress_Row* a : {&ip, &sm, &gat, &dns})
        Show_Address_Row(*a, false);
      Set_Shown(name, true);
      Place_Row("L_WiFi_Name", "E_WiFi_Name", t + 2 * Row_Step);
      r = t + 3 * Row_Step;
    } else {
      place_addresses(t + 2 * Row_Step);
      Set_Shown(name, false);
      r = t + 6 * Row_Step;
    }
    Place_Row("L_WiFi_Port", "E_WiFi_Port", r);
    C("CB_WiFi_En_WPS")->SetVisible(false);
    Place_Row("L_WiFi_SSID", "E_WiFi_SSID", r + Row_Step);
    Set_Shown(security, false);
    Set_Shown(password, true);
    Place_Row("L_WiFi_Password", "E_WiFi_Password", r + 2 * Row_Step);
    CB_WiFi_En_DHCP->SetVisible(false);
    Show_Address_Row(dhcpIp, false);
    Show_Address_Row(dhcpSm, false);
    Set_Shown(lease, false);
    Set_Shown(clients, false);
    Apply_Height_Rule(CP_WiFi, "E_WiFi_Password");
    break;
  }
  default:  // Wi-Fi Direct has no layout of its own
    break;
  }
}

void TFParGen::RePosition_Object_WiFi2()
{
  Ensure_Built(CP_WiFi2);
  const int t = C("L_WiFi2_Type")->Top();
  const TAddress_Row ip1 = Address_Row("L_WiFi2_IP1_IP", "E_WiFi2_IP1_IP", {"Label178", "Label179", "Label180"});
  const TAddress_Row sm1 = Address_Row("L_WiFi2_IP1_SM", "E_WiFi2_IP1_SM", {"Label181", "Label182", "Label183"});
  const TAddress_Row gat1 =
      Address_Row("CB_WiFi2_IP1_En_GAT", "E_WiFi2_IP1_GAT", {"Label184", "Label185", "Label186"});
  const TAddress_Row ip2 = Address_Row("L_WiFi2_IP2_IP", "E_WiFi2_IP2_IP", {"Label187", "Label188", "Label189"});
  const TAddress_Row sm2 = Address_Row("L_WiFi2_IP2_SM", "E_WiFi2_IP2_SM", {"Label190", "Label191", "Label192"});
  const TAddress_Row gat2 =
      Address_Row("CB_WiFi2_IP2_En_GAT", "E_WiFi2_IP2_GAT", {"Label193", "Label194", "Label195"});
  const TAddress_Row dhcpIp =
      Address_Row("L_WiFi2_DHCP_First_IP", "E_WiFi2_DHCP_First_IP", {"Label202", "Label197", "Label198"});
  const TAddress_Row dhcpSm = Address_Row("L_WiFi2_DHCP_SM", "E_WiFi2_DHCP_SM", {"Label203", "Label200", "Label201"});
  TControl* caption1 = C("L_WiFi2_IP1");
  TControl* caption2 = C("L_WiFi2_IP2");
  // A group's address and mask edits stand 3 px above their row, its gateway edits
  // 2 px above the check box; every separator on the row.
  auto place_group = [&](const TAddress_Row& a, const TAddress_Row& m, const TAddress_Row& g, int y) {
    for (const TAddress_Row* r : {&a, &m, &g})
      Show_Address_Row(*r, true);
    Place_Address_Row(a, y, Input_Offset, 0);
    Place_Address_Row(m, y + Row_Step, Input_Offset, 0);
    Place_Address_Row(g, y + 2 * Row_Step, Gateway_Edit_Offset, 0);
  };
  auto show_group = [&](TControl* caption, const TAddress_Row& a, const TAddress_Row& m, const TAddress_Row& g,
                        bool visible) {
    caption->SetVisible(visible);
    for (const TAddress_Row* r : {&a, &m, &g})
      Show_Address_Row(*r, visible);
  };
  const std::initializer_list<std::string_view> password = {"L_WiFi2_Password", "E_WiFi2_Password"};
  const std::initializer_list<std::string_view> security = {"L_WiFi2_Secure_Type", "CB_WiFi2_Secure_Type"};
  const std::initializer_list<std::string_view> lease = {"L_WiFi2_Lease_Time", "E_WiFi2_Lease_Time"};
  const std::initializer_list<std::string_view> clients = {"L_WiFi2_Max_Client", "CB_WiFi2_Max_Client",
                                                           "L_WiFi2_Channel", "CB_WiFi2_Channel"};

  if (CB_WiFi2_Type->ItemIndex() == 0) {  // access point
    caption1->SetVisible(false);
    place_group(ip1, sm1, gat1, t + Row_Step);
    // The access point's own address is always typed: a station's Wi-Fi DHCP, which
    // may have disabled the group, does not apply to it.
    for (const TAddress_Row* r : {&ip1, &sm1, &gat1})
      Enable_Address_Row(*r, true);
    gat1.Head->SetEnabled(true);
    show_group(caption2, ip2, sm2, gat2, false);
    Place_Row("L_WiFi2_SSID", "E_WiFi2_SSID", t + 4 * Row_Step);
    // Secured by any item after "Unsecured" (none chosen counts as unsecured).
    Place_Access_Point_Rows(CP_WiFi2, "WiFi2", t + 5 * Row_Step, CB_WiFi2_Secure_Type->ItemIndex() > 0, dhcpIp,
                            dhcpSm);
    return;
  }

  // Station: one or two address groups, as the product has them.
  QString name1, name2;
  const int n = Get_WiFi_IP_Count(name1, name2);
  int y = t + Row_Step;
  if (n == 2) {
    caption1->SetVisible(true);
    caption1->SetTop(y);
    caption1->SetCaption(Lang_Str(ParGen_Txt::WiFi2_IP1_Caption) + QStringLiteral(" - ") + name1);
    y += Row_Step;
  } else {
    caption1->SetVisible(false);
  }
  // Addresses the Wi-Fi DHCP gives are not typed.
  const bool fixed = !CB_EthConn_En_DHCP_WiFi->Checked();
  place_group(ip1, sm1, gat1, y);
  for (const TAddress_Row* r : {&ip1, &sm1, &gat1})
    Enable_Address_Row(*r, fixed);
  gat1.Head->SetEnabled(fixed);
  int s;
  if (n == 2) {
    show_group(caption2, ip2, sm2, gat2, true);
    caption2->SetTop(y + 3 * Row_Step);
    caption2->SetCaption(Lang_Str(ParGen_Txt::WiFi2_IP2_Caption) + QStringLiteral(" - ") + name2);
    place_group(ip2, sm2, gat2, y + 4 * Row_Step);
    for (const TAddress_Row* r : {&ip2, &sm2, &gat2})
      Enable_Address_Row(*r, fixed);
    gat2.Head->SetEnabled(fixed);
    s = y + 7 * Row_Step;
  } else {
    show_group(caption2, ip2, sm2, gat2, false);
    s = y + 3 * Row_Step;
  }
  Place_Row("L_WiFi2_SSID", "E_WiFi2_SSID", s);
  Set_Shown(password, true);
  Place_Row("L_WiFi2_Password", "E_WiFi2_Password", s + Row_Step);
  Set_Shown(security, false);
  CB_WiFi2_En_DHCP->SetVisible(false);
  Show_Address_Row(dhcpIp, false);
  Show_Address_Row(dhcpSm, false);
  Set_Shown(lease, false);
  Set_Shown(clients, false);
  Apply_Height_Rule(CP_WiFi2, "E_WiFi2_Password");
}

// ---------------------------------------------------------------------- texts

void TFParGen::Set_Lang()
{
  Apply_Lang(nullptr);
}

void TFParGen::Apply_Lang(const TCategoryPanel* Only)
{
  // Strictly by ascending index, one text per assignment; a combo's run of items
  // replaces its list and selects the first. Controls of sections not built yet take
  // their texts when they are built.
  const size_t n = FLang_Targets.size();
  for (TLang_Target& t : FLang_Targets) {
    if (!t.Control) {
      const auto it = FControls.find(std::string_view(t.Name));
      if (it == FControls.end())
        continue;
      t.Control = it->second;
      if (TParGen_Lang_Prop(t.Prop) == TParGen_Lang_Prop::Item && !dynamic_cast<TComboBox*>(t.Control))
        throw EInvalidOperation(QStringLiteral("Text %1 fills the items of a control that is no list").arg(t.Index));
    }
  }
  for (size_t i = 0; i < n; ++i) {
    const TLang_Target& t = FLang_Targets[i];
    if (!t.Control || (Only && t.Control->Owner() != Only))
      continue;
    const QString text = Lang_Str(t.Index);
    switch (TParGen_Lang_Prop(t.Prop)) {
    case TParGen_Lang_Prop::Caption:
      t.Control->SetCaption(text);
      break;
    case TParGen_Lang_Prop::Hint:
      t.Control->SetHint(text);
      break;
    case TParGen_Lang_Prop::Item: {
      auto* combo = static_cast<TComboBox*>(t.Control);
      auto same_run = [&](size_t j) {
        return FLang_Targets[j].Control == t.Control &&
               TParGen_Lang_Prop(FLang_Targets[j].Prop) == TParGen_Lang_Prop::Item;
      };
      if (i == 0 || !same_run(i - 1))
        combo->Items()->Clear();
      combo->Items()->Add(text);
      if (i + 1 == n || !same_run(i + 1))
        combo->SetItemIndex(0);
      break;
    }
    }
  }
}

#include "params_iolink/par_gen_window.h"

#include "params_iolink/par_gen_texts.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "shell/common/common_routines.h"
#include "shell/common/lang_table.h"
#include "shell/common/lb_button.h"
#include "shell/common/window_look.h"
#include "shell/common/working_state.h"

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

// The device name takes at most 31 typed characters; a longer stored name is kept whole.
constexpr int Device_Name_Typing_Limit = 31;

// Design heights of this product's sections (the Ethernet connection section with the
// Wi-Fi row); the layout routines shrink them to what is shown.
constexpr int Design_Height_Ethernet_Connection = 206;
constexpr int Design_Height_IOLink_Slave = 67;
constexpr int Design_Height_EtherNetIP_Master = 150;

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

TLabel* TFParGen::New_Label(TWinControl* Parent, int Left, int Top, const QString& Caption)
{
  auto* l = new TLabel(this);
  l->SetParent(Parent);
  l->SetLeft(Left);
  l->SetTop(Top);
  l->SetCaption(Caption);
  return l;
}

TEdit* TFParGen::New_Edit(TWinControl* Parent, int Left, int Top, int Width)
{
  auto* e = new TEdit(this);
  e->SetParent(Parent);
  e->SetBounds(Left, Top, Width, Edit_Height);
  e->OnChange = [this](TObject* s) { On_Change(s); };
  return e;
}

TCheckBox* TFParGen::New_Check(TWinControl* Parent, int Left, int Top, int Width)
{
  auto* c = new TCheckBox(this);
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

// ---------------------------------------------------------------------- window events

void TFParGen::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(Fixed_Client_Width);
  SetClientHeight(700);
  for (TCategoryPanel* p : All_Sections())
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

bool TFParGen::Is_DHCP_Trigger(TObject* Sender) const
{
  return Sender == CB_EthConn_En_DHCP_Cable || Sender == CB_EthConn_En_DHCP_WiFi;
}

void TFParGen::On_Change(TObject*)
{
  // No list of this product changes the layout.
}

void TFParGen::On_Click(TObject* Sender)
{
  if (Is_DHCP_Trigger(Sender))
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

void TFParGen::Order_TAB_Panels_27518()
{
  struct TEntry {
    TCategoryPanel* Section;
    int Title;
  };
  const TEntry order[] = {{CP_Ethernet_Connection, ParGen_Txt::Title_Ethernet_Connection},
                          {CP_IOLink_Slave, ParGen_Txt::Title_IOLink_Slave},
                          {CP_EtherNetIP_Master, ParGen_Txt::Title_EtherNetIP_Master}};
  for (const TEntry& e : order)
    e.Section->SetVisible(true);
  int top = 0;
  int k = 0;
  for (const TEntry& e : order) {
    e.Section->SetTop(top);
    top = e.Section->Top() + e.Section->Height();
    ++k;
    e.Section->SetCaption(QString::number(k) + QStringLiteral(". ") + Lang_Str(e.Title));
    e.Section->SetTabOrder(k - 1);
  }
}

void TFParGen::RePosition_Objects_27518()
{
  RePosition_Object_Ethernet_Connection();
  RePosition_Object_IOLink_Slave();
  RePosition_Object_EtherNetIP_Master();
}

void TFParGen::Apply_Height_Rule(TCategoryPanel* Section, TControl* Lowest)
{
  Section->SetHeight(Lowest->Top() + Lowest->Height() + Height_Margin + CPG->HeaderHeight());
}

void TFParGen::Place_Address_Row(int RowTop, TLabel* RowLabel, std::array<TEdit*, 4>& Edits,
                                 std::array<TLabel*, 3>& Dots)
{
  RowLabel->SetTop(RowTop);
  for (TLabel* d : Dots)
    d->SetTop(RowTop);
  for (TEdit* e : Edits)
    e->SetTop(RowTop - 3);
}

void TFParGen::RePosition_Object_Ethernet_Connection()
{
  int y;
  if (Is_WiFi_Present()) {
    CB_EthConn_En_DHCP_WiFi->SetVisible(true);
    y = CB_EthConn_En_DHCP_WiFi->Top() + Row_Step;
    // No "Select Device" list in this product, so the Wi-Fi box stays enabled.
    CB_EthConn_En_DHCP_WiFi->SetEnabled(true);
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

// ---------------------------------------------------------------------- texts

void TFParGen::Set_Lang()
{
  // Strictly by ascending index, one text per assignment.
  int n = ParGen_Txt::Caption;
  auto next = [&n]() { return Lang_Str(n++); };

  SetCaption(next());                      // 400
  L_SW_Desc->SetCaption(next());           // 401
  Btn_OK->SetCaption(next());              // 402
  Btn_Cancel->SetCaption(next());          // 403
  Btn_OK->SetHint(next());                 // 404
  Btn_Cancel->SetHint(next());             // 405

  auto address_row = [&next](TLabel* l, std::array<TEdit*, 4>& edits) {
    l->SetCaption(next());
    for (TEdit* e : edits)
      e->SetHint(next());
  };
  auto check = [&next](TCheckBox* c) {
    c->SetCaption(next());
    c->SetHint(next());
  };

  n = ParGen_Txt::IOLink_Slave_First;                       // 407-408
  L_IOLink_Slave_Baudrate->SetCaption(next());
  CB_IOLink_Slave_Baudrate->SetHint(next());

  n = ParGen_Txt::EtherNetIP_Master_First;                  // 634-651
  address_row(L_EtherNetIP_Master_IP, E_EtherNetIP_Master_IP);
  address_row(L_EtherNetIP_Master_SM, E_EtherNetIP_Master_SM);
  check(CB_EtherNetIP_Master_GAT);
  for (TEdit* e : E_EtherNetIP_Master_GAT)
    e->SetHint(next());
  L_EtherNetIP_Master_TunnelPort->SetCaption(next());
  E_EtherNetIP_Master_Port->SetHint(next());

  n = ParGen_Txt::Ethernet_Connection_First;                // 1308-1325
  L_EthConn_Device_Name->SetCaption(next());
  E_EthConn_Device_Name->SetHint(next());
  check(CB_EthConn_En_DHCP_Cable);
  check(CB_EthConn_En_DHCP_WiFi);
  check(CB_EthConn_Enable_DNS);
  address_row(L_EthConn_Primary_DNS, E_EthConn_Pri_DNS_IP);
  address_row(L_EthConn_Secondary_DNS, E_EthConn_Sec_DNS_IP);
}

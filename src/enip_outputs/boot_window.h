#pragma once
// The device update window: the user types the converter's address and picks
// what to update; the window checks with ICMP echo that the device answers,
// writes the update job and runs the outside updater program.

#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

class TLbButton;

class TFBoot : public TForm {
    Q_OBJECT
public:
    explicit TFBoot(TComponent* AOwner = nullptr);

    // 1 = Ethernet form, 0 = serial form; set by the caller before showing.
    int Form_Type = 1;
    // Result of the last echo: 0 none yet, 1 reply with data, 2 time-out or empty reply.
    int ping_res = 0;
    // Set when this machine cannot send an echo at all (no ICMP socket), so the
    // user is told that instead of being asked to check the address.
    QString Ping_Error;
    int BACnetType = 0;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_IP_Address;
    TLabel* L_IP_Address;
    TEdit* E_IP1;
    TEdit* E_IP2;
    TEdit* E_IP3;
    TEdit* E_IP4;
    TPanel* P_Serial;
    TLabel* L_COM_Port;
    TComboBox* CB_COM_Port;
    TLbButton* Btn_COM_List;
    TPanel* P_Eth_Search;
    TLabel* L_List_Device;
    TLbButton* Btn_Search;
    // The device list of the (never shown) network search; its two column
    // headers are kept in List_Devices_Headers.
    TListBox* KCG_List_Devices;
    QStringList List_Devices_Headers;
    TCheckBox* CB_Find_All_NVL;
    TPanel* P_Options;
    TLabel* L_Update_Option;
    TComboBox* CB_Update_Options;
    TCheckBox* CB_Update_Option_Read_Back;
    TPanel* P_Button;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_Update;

    void FormShow(TObject* Sender);
    void Btn_UpdateClick(TObject* Sender);
    bool Send_Ping();
    void PingReply(int bytesReceived);
    void KeyPress(TObject* Sender, QChar& Key);
    void update_ComPort();
    void Btn_COM_ListClick(TObject* Sender);
    // Writes Ethernet_Update.xml into the program folder; raises EInOutError.
    void Compile_XML_Parameter_New_Boot();
    int Get_Type_Dev();
    void Set_Lang();

    // The address as typed: the four edits joined by ".".
    QString IP_Text() const;
};

extern TFBoot* FBoot;

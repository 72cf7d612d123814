#pragma once
// The main window: the numbered steps with their buttons, the project labels, the
// information, options and close buttons, the update link and the maker's address.
// One click handler serves every button.

#include "platform/ui/extctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TFKalvoraFirmWare : public TForm {
    Q_OBJECT
public:
    explicit TFKalvoraFirmWare(TComponent* AOwner = nullptr);
    ~TFKalvoraFirmWare() override;

    // ---- labels
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TLabel* L_Begin = nullptr;
    TShape* Shape2 = nullptr;
    TLabel* L_Name_Conf = nullptr;
    TLabel* L_Name_Conf_L2 = nullptr;
    TLinkLabel* LL_Update = nullptr;
    TLabel* L_Step[8] = {};  // L_Step_1 .. L_Step_8
    TLabel* L_Norvel = nullptr;
    TShape* Shape1 = nullptr;

    // ---- picture buttons
    TLbButton* Btn_Info = nullptr;
    TLbButton* Btn_Opz = nullptr;
    TLbButton* Btn_Close = nullptr;

    // ---- step buttons shown by this product
    TLbButton* Btn_New = nullptr;
    TLbButton* Btn_Open = nullptr;
    TLbButton* Btn_Prm_Gen = nullptr;
    TLbButton* Btn_IOLink_Set_Access = nullptr;
    TLbButton* Btn_EtherNetIP_Access = nullptr;
    TLbButton* Btn_IOLink_IODD = nullptr;
    TLbButton* Btn_CreateBin = nullptr;

    // ---- step buttons of the other protocols (created hidden)
    TLbButton* Btn_Modbus_Set_Access = nullptr;
    TLbButton* Btn_BACnet_SetAccess = nullptr;
    TLbButton* Btn_BACnet_EDE_File = nullptr;
    TLbButton* Btn_CAN_Rec_Frame = nullptr;
    TLbButton* Btn_CAN_Send_Frame = nullptr;
    TLbButton* Btn_SDO_Server_CANopen = nullptr;
    TLbButton* Btn_SDO_Client_CANopen = nullptr;
    TLbButton* Btn_PDO_CANopen = nullptr;
    TLbButton* Btn_CANopen_EDS = nullptr;
    TLbButton* Btn_DNet_Net = nullptr;
    TLbButton* Btn_DNet_Offset = nullptr;
    TLbButton* Btn_EtherCAT_Set_Access = nullptr;
    TLbButton* Btn_EtherCAT_ESI_File = nullptr;
    TLbButton* Btn_IEC61850_Client = nullptr;
    TLbButton* Btn_IEC61850_Access = nullptr;
    TLbButton* Btn_TLS_List_Certificates = nullptr;
    TLbButton* Btn_MQTT_Set_Topic = nullptr;
    TLbButton* Btn_OPC_UA_Client_Access = nullptr;
    TLbButton* Btn_OPC_UA_Server_Access = nullptr;
    TLbButton* Btn_PROFINET_XML = nullptr;
    TLbButton* Btn_S7_Protocol_Access = nullptr;
    TLbButton* Btn_SNMP_Manager_Access = nullptr;
    TLbButton* Btn_SNMP_Trap = nullptr;
    TLbButton* Btn_SNMP_MIB = nullptr;

    // ---- non-visual parts
    TTimer* Timer_Update = nullptr;
    TSaveDialog* SD1 = nullptr;
    TSaveDialog* SaveEDS = nullptr;

    // ---- handlers and routines
    void FormCreate();
    void FormClose(TCloseAction& Action);
    void Btn_Click(TObject* Sender);
    void Set_Lang();
    void Change_Language();
    void Create_New_Project();
    void Open_Project();
    void Update_Device();
    void BACnet_EDE_File();
    void Build_EDS_File();
    void PROFINET_XML();
    void Set_Files();
    void Save_Setting();
    void LL_UpdateLinkClick(const QString& Link);
    void L_NorvelClick();
    void Timer_UpdateTimer();
    // Enables the update-check timer exactly when both internet options are on.
    void Apply_Update_Timer_Rule();

    // Launches a program and waits for it (at most 150 s). A program that cannot be
    // started is reported in a message naming it; returns whether it ran.
    bool Start_Program(const QString& NomeSW, const QString& Parameter, uint8_t tipo);

    // The windows Change_Language re-labels, in its order, by class name.
    static QStringList Change_Language_Order();
    // Called with each window's class name just before its Set_Lang runs (tests).
    static std::function<void(const QString&)> Set_Lang_Trace;

    // Every step button in creation order (for the click handler and tests).
    std::vector<TLbButton*> Step_Buttons() const;

private:
    TLbButton* Make_Step_Button(const QString& name, int left, int top, bool visible,
                                const QString& picture);
    void Show_Project_Labels();
    bool Require_Project();
};

extern TFKalvoraFirmWare* FKalvoraFirmWare;

// The main window: layout, start-up of the working state, step dispatch, language
// change, the update-check timer and the launcher of outside programs.

#include "shell/main_window.h"

#include "editors_can/canopen_eds_writer.h"
#include "editors_industrial/esi_writer.h"
#include "editors_industrial/gsdml_writer.h"
#include "editors_modbus_bacnet/bacnet_ede_writer.h"
#include "editors_it/snmp_mib_writer.h"
#include "enip_outputs/bank_compiler.h"
#include "enip_outputs/iodd_writer.h"
#include "common/maker_identity.h"
#include "platform/core/files.h"
#include "platform/core/shell_open.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/start_program.h"
#include "common/working_state.h"
#include "shell/shell_look.h"
#include "shell/version_check.h"
#include "shell/window_set.h"

TFKalvoraFirmWare* FKalvoraFirmWare = nullptr;
std::function<void(const QString&)> TFKalvoraFirmWare::Set_Lang_Trace;

namespace {

constexpr int Step_Top[8] = {128, 172, 216, 260, 304, 348, 392, 436};
constexpr int Update_First_Interval = 60000;
constexpr int Update_Next_Interval = 7200000;

} // namespace

TFKalvoraFirmWare::TFKalvoraFirmWare(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FKalvoraFirmWare"));
    OnCreate = [this](TObject*) { FormCreate(); };
    OnClose = [this](TObject*, TCloseAction& a) { FormClose(a); };
}

TFKalvoraFirmWare::~TFKalvoraFirmWare() = default;

TLbButton* TFKalvoraFirmWare::Make_Step_Button(const QString& name, int left, int top, bool visible,
                                               const QString& picture)
{
    TLbButton* b = Make_Button(this, this, name, left, top, 170, 36);
    b->SetAlignment(taLeftJustify);
    Load_Button_Glyph(b, picture);
    b->SetVisible(visible);
    b->OnClick = [this](TObject* s) { Btn_Click(s); };
    return b;
}

// Creation handler: lays the window out, then builds the working state in its order.
void TFKalvoraFirmWare::FormCreate()
{
    TWorkingState& ws = WS();
    SL_Lang.clear();

    // Layout: 694 wide, down to Btn_CreateBin's top (332) + 152.
    Apply_Shell_Look(this, 694, 332 + 152);
    L_SW_Code = Make_Label(this, this, QStringLiteral("L_SW_Code"), 16, 8);
    L_SW_Code->Font()->SetHeight(-32);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Desc = Make_Label(this, this, QStringLiteral("L_SW_Desc"), 16, 42, true);
    L_Begin = Make_Label(this, this, QStringLiteral("L_Begin"), 16, 84, true);
    Shape2 = new TShape(this);
    Shape2->SetName(QStringLiteral("Shape2"));
    Shape2->SetParent(this);
    Shape2->SetBounds(80, 70, 348, 36);
    Shape2->Pen()->SetColor(clSilver);
    Shape2->Brush()->SetStyle(bsClear);
    L_Name_Conf = Make_Label(this, this, QStringLiteral("L_Name_Conf"), 87, 75);
    L_Name_Conf_L2 = Make_Label(this, this, QStringLiteral("L_Name_Conf_L2"), 87, 88);

    auto pictureButton = [this](const QString& name, int left, const QString& picture) {
        TLbButton* b = Make_Button(this, this, name, left, 8, 50, 50, bsNormal);
        b->SetHotTrackColor(clSkyBlue);
        Load_Button_Glyph(b, picture);
        b->OnClick = [this](TObject* s) { Btn_Click(s); };
        return b;
    };
    Btn_Info = pictureButton(QStringLiteral("Btn_Info"), 516, QStringLiteral("Btn_Info.bmp"));
    Btn_Opz = pictureButton(QStringLiteral("Btn_Opz"), 574, QStringLiteral("Btn_Opz.bmp"));
    Btn_Close = pictureButton(QStringLiteral("Btn_Close"), 632, QStringLiteral("Btn_Close.bmp"));

    LL_Update = new TLinkLabel(this);
    LL_Update->SetName(QStringLiteral("LL_Update"));
    LL_Update->SetParent(this);
    LL_Update->SetBounds(208, 19, 294, 17);
    LL_Update->SetVisible(false);
    LL_Update->OnLinkClick = [this](TObject*, const QString& link, TSysLinkType) { LL_UpdateLinkClick(link); };

    for (int i = 0; i < 8; ++i) {
        L_Step[i] = Make_Label(this, this, QStringLiteral("L_Step_%1").arg(i + 1), 16, Step_Top[i], i < 6);
        L_Step[i]->SetVisible(i < 6);
    }
    L_Norvel = Make_Label(this, this, QStringLiteral("L_Norvel"), 565, Step_Top[5], true);
    L_Norvel->SetCaption(QString::fromLatin1(maker::Web_Address));
    L_Norvel->SetCursor(crHandPoint);
    if (L_Norvel->Left() + L_Norvel->Width() > 694 - 10)
        L_Norvel->SetLeft(694 - 10 - L_Norvel->Width());
    L_Norvel->OnClick = [this](TObject*) { L_NorvelClick(); };

    Btn_New = Make_Step_Button(QStringLiteral("Btn_New"), 80, 112, true, QStringLiteral("Btn_New.bmp"));
    Btn_Open = Make_Step_Button(QStringLiteral("Btn_Open"), 258, 112, true, QStringLiteral("Btn_Open.bmp"));
    Btn_Prm_Gen = Make_Step_Button(QStringLiteral("Btn_Prm_Gen"), 80, 156, true, QStringLiteral("Btn_Prm_Gen.bmp"));
    Btn_Prm_Gen->SetStyle(bsNormal);
    Btn_IOLink_Set_Access =
        Make_Step_Button(QStringLiteral("Btn_IOLink_Set_Access"), 80, 200, true, QStringLiteral("Btn_IOLink.bmp"));
    Btn_EtherNetIP_Access =
        Make_Step_Button(QStringLiteral("Btn_EtherNetIP_Access"), 80, 244, true, QStringLiteral("Btn_EtherNetIP.bmp"));
    Btn_IOLink_IODD = Make_Step_Button(QStringLiteral("Btn_IOLink_IODD"), 80, 288, true, QStringLiteral("Btn_IODD.bmp"));
    Btn_CreateBin = Make_Step_Button(QStringLiteral("Btn_CreateBin"), 80, 332, true, QStringLiteral("Btn_CreateBin.bmp"));

    Shape1 = new TShape(this);
    Shape1->SetName(QStringLiteral("Shape1"));
    Shape1->SetParent(this);
    Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
    Shape1->Pen()->SetColor(clSilver);

    const QString step = QStringLiteral("Btn_Step.bmp");
    auto hidden = [&](const char* name) { return Make_Step_Button(QString::fromLatin1(name), 258, 156, false, step); };
    Btn_Modbus_Set_Access = hidden("Btn_Modbus_Set_Access");
    Btn_BACnet_SetAccess = hidden("Btn_BACnet_SetAccess");
    Btn_BACnet_EDE_File = hidden("Btn_BACnet_EDE_File");
    Btn_CAN_Rec_Frame = hidden("Btn_CAN_Rec_Frame");
    Btn_CAN_Send_Frame = hidden("Btn_CAN_Send_Frame");
    Btn_SDO_Server_CANopen = hidden("Btn_SDO_Server_CANopen");
    Btn_SDO_Client_CANopen = hidden("Btn_SDO_Client_CANopen");
    Btn_PDO_CANopen = hidden("Btn_PDO_CANopen");
    Btn_CANopen_EDS = hidden("Btn_CANopen_EDS");
    Btn_DNet_Net = hidden("Btn_DNet_Net");
    Btn_DNet_Offset = hidden("Btn_DNet_Offset");
    Btn_EtherCAT_Set_Access = hidden("Btn_EtherCAT_Set_Access");
    Btn_EtherCAT_ESI_File = hidden("Btn_EtherCAT_ESI_File");
    Btn_IEC61850_Client = hidden("Btn_IEC61850_Client");
    Btn_IEC61850_Access = hidden("Btn_IEC61850_Access");
    Btn_TLS_List_Certificates = hidden("Btn_TLS_List_Certificates");
    Btn_MQTT_Set_Topic = hidden("Btn_MQTT_Set_Topic");
    Btn_OPC_UA_Client_Access = hidden("Btn_OPC_UA_Client_Access");
    Btn_OPC_UA_Server_Access = hidden("Btn_OPC_UA_Server_Access");
    Btn_PROFINET_XML = hidden("Btn_PROFINET_XML");
    Btn_S7_Protocol_Access = hidden("Btn_S7_Protocol_Access");
    Btn_SNMP_Manager_Access = hidden("Btn_SNMP_Manager_Access");
    Btn_SNMP_Trap = hidden("Btn_SNMP_Trap");
    Btn_SNMP_MIB = hidden("Btn_SNMP_MIB");

    Timer_Update = new TTimer(this);
    Timer_Update->SetEnabled(false);
    Timer_Update->SetInterval(Update_First_Interval);
    Timer_Update->OnTimer = [this](TObject*) { Timer_UpdateTimer(); };

    SD1 = new TSaveDialog(this);
    SD1->Filter = QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv");
    SaveEDS = new TSaveDialog(this);
    SaveEDS->Filter = QStringLiteral("Electronic Data Sheet (*.eds)|*.eds");
    SaveEDS->DefaultExt = QStringLiteral("*.eds");

    // Program folders and settings.
    ws.Create_Program_Folders();
    ws.Project_Name.clear();
    ws.Update_Read_Back = true;
    ws.Read_Setting();
    Apply_Update_Timer_Rule();

    // Product texts.
    ws.Main_Caption = Kv_Main_Caption;
    ws.SW_Code = Kv_SW_Code;
    ws.SW_Desc = Kv_SW_Desc;
    SetCaption(ws.Main_Caption);
    L_SW_Code->SetCaption(ws.SW_Code);
    L_SW_Desc->SetCaption(ws.SW_Desc);

    Load_Language(ws);

    ws.Reopen_Last_Project();
    Set_Lang();
    Set_Files();

    ws.SL_Copy_Row.clear();
    ws.Copy_Row_Check.clear();
    ws.SL_MIB_Var_Read.clear();
    ws.SL_MIB_Var_Write.clear();
}

void TFKalvoraFirmWare::FormClose(TCloseAction& /*Action*/)
{
    try {
        Save_Setting();
    } catch (const Exception& e) {
        // The program still ends; the user learns that the settings were not kept.
        MessageDlg(e.Message(), mtError, mbOK);
    }
}

void TFKalvoraFirmWare::Save_Setting() { WS().Save_Setting(); }

void TFKalvoraFirmWare::Set_Files() { WS().Set_Files(); }

void TFKalvoraFirmWare::Apply_Update_Timer_Rule()
{
    if (Timer_Update)
        Timer_Update->SetEnabled(WS().Enable_Internet && WS().Enable_Update);
}

void TFKalvoraFirmWare::Show_Project_Labels()
{
    if (!WS().Dir_Project.isEmpty()) {
        L_Name_Conf->SetCaption(Lang_Str(11));
        L_Name_Conf_L2->SetCaption(WS().Project_Name);
    } else {
        L_Name_Conf->SetCaption(Lang_Str(9));
        L_Name_Conf_L2->SetCaption(Lang_Str(10));
    }
}

void TFKalvoraFirmWare::Set_Lang()
{
    L_Begin->SetCaption(Lang_Str(0));
    for (int i = 0; i < 8; ++i)
        L_Step[i]->SetCaption(Lang_Str(1 + i));
    Btn_Info->SetHint(Lang_Str(12));
    Btn_Opz->SetHint(Lang_Str(13));
    Btn_Close->SetHint(Lang_Str(14));
    Btn_New->SetCaption(Lang_Str(15));
    Btn_Open->SetCaption(Lang_Str(16));
    Btn_CreateBin->SetCaption(Lang_Str(17));
    Btn_Prm_Gen->SetCaption(Lang_Str(20));
    Btn_IOLink_Set_Access->SetCaption(Lang_Str(21));
    Show_Project_Labels();
    Btn_New->SetHint(Lang_Str(22));
    Btn_Open->SetHint(Lang_Str(23));
    Btn_Prm_Gen->SetHint(Lang_Str(24));
    Btn_IOLink_Set_Access->SetHint(Lang_Str(25));
    Btn_IOLink_IODD->SetCaption(Lang_Str(26));
    Btn_IOLink_IODD->SetHint(Lang_Str(27));
    Btn_EtherNetIP_Access->SetCaption(Lang_Str(81));
    Btn_EtherNetIP_Access->SetHint(Lang_Str(82));

    const std::pair<TLbButton*, int> hiddenTexts[] = {
        {Btn_Modbus_Set_Access, 28}, {Btn_BACnet_SetAccess, 30}, {Btn_BACnet_EDE_File, 32},
        {Btn_CAN_Rec_Frame, 35}, {Btn_CAN_Send_Frame, 37}, {Btn_SDO_Server_CANopen, 43},
        {Btn_SDO_Client_CANopen, 45}, {Btn_PDO_CANopen, 47}, {Btn_CANopen_EDS, 49},
        {Btn_DNet_Net, 51}, {Btn_DNet_Offset, 53}, {Btn_EtherCAT_Set_Access, 55},
        {Btn_EtherCAT_ESI_File, 57}, {Btn_IEC61850_Client, 59}, {Btn_IEC61850_Access, 61},
        {Btn_TLS_List_Certificates, 63}, {Btn_MQTT_Set_Topic, 65}, {Btn_OPC_UA_Client_Access, 67},
        {Btn_OPC_UA_Server_Access, 69}, {Btn_PROFINET_XML, 71}, {Btn_S7_Protocol_Access, 73},
        {Btn_SNMP_Manager_Access, 75}, {Btn_SNMP_Trap, 77}, {Btn_SNMP_MIB, 79},
    };
    for (const auto& [button, text] : hiddenTexts) {
        button->SetCaption(Lang_Str(text));
        button->SetHint(Lang_Str(text + 1));
    }
}

QStringList TFKalvoraFirmWare::Change_Language_Order()
{
    return {
        QStringLiteral("TFKalvoraFirmWare"), QStringLiteral("TFNew_Project"), QStringLiteral("TFOpenConf"),
        QStringLiteral("TFSoftOptions"), QStringLiteral("TFBoot"), QStringLiteral("TFParGen"),
        QStringLiteral("TFVIZediZadud"), QStringLiteral("TFSetAccess"),
        QStringLiteral("TFModbus_TCP_Master_Set_Access"), QStringLiteral("TFBACnetAccess"),
        QStringLiteral("TFImportEDEFile"), QStringLiteral("TFBACnetSlaveSetAccess"),
        QStringLiteral("TFBACnet_Eng_Unit"), QStringLiteral("TFReceiveCAN"), QStringLiteral("TFTransmitCAN"),
        QStringLiteral("TFSet_PDO_Access"), QStringLiteral("TFSet_SDO_Client_Access"),
        QStringLiteral("TFSet_SDO_Server_Access"), QStringLiteral("TFDNet"), QStringLiteral("TFDefOffset"),
        QStringLiteral("TFEtherCATSlave"), QStringLiteral("TFEtherNetIP_Master_Access"),
        QStringLiteral("TFEtherNEtIP_EDS"), QStringLiteral("TFIEC_61850_Access"),
        QStringLiteral("TFTLS_Server_Known_Cert"), QStringLiteral("TFIEC61850_Variables"),
        QStringLiteral("TFReceiveJ1939"), QStringLiteral("TFTransmitJ1939"), QStringLiteral("TFMQTT_Set_Topic"),
        QStringLiteral("TFTopicTemplate"), QStringLiteral("TFReceiveNMEA"), QStringLiteral("TFTransmitNMEA"),
        QStringLiteral("TFOPC_UA_Client_Access"), QStringLiteral("TFOPC_UA_Add_Server"),
        QStringLiteral("TFOPC_UA_Scan_Server"), QStringLiteral("TFOPC_UA_Server_Access"),
        QStringLiteral("TFProfinetFileName"), QStringLiteral("TFS7_Protocol_Set_Access"),
        QStringLiteral("TFSNMPManagerAccess"), QStringLiteral("TFSNMP_Trap_Access"),
    };
}

void TFKalvoraFirmWare::Change_Language()
{
    // Each entry names the window it re-labels; the trace shows the real class reached.
    auto call = [](auto* window) {
        if (!window)
            return;
        if (Set_Lang_Trace)
            Set_Lang_Trace(window->ClassName());
        window->Set_Lang();
    };
    call(this);
    call(FNew_Project);
    call(FOpenConf);
    call(FSoftOptions);
    call(FBoot);
    call(FParGen);
    call(FVIZediZadud);
    call(FSetAccess);
    call(FModbus_TCP_Master_Set_Access);
    call(FBACnetAccess);
    call(FImportEDEFile);
    call(FBACnetSlaveSetAccess);
    call(FBACnet_Eng_Unit);
    call(FReceiveCAN);
    call(FTransmitCAN);
    call(FSet_PDO_Access);
    call(FSet_SDO_Client_Access);
    call(FSet_SDO_Server_Access);
    call(FDNet);
    call(FDefOffset);
    call(FEtherCATSlave);
    call(FEtherNetIP_Master_Access);
    call(FEtherNEtIP_EDS);
    call(FIEC_61850_Access);
    call(FTLS_Server_Known_Cert);
    call(FIEC61850_Variables);
    call(FReceiveJ1939);
    call(FTransmitJ1939);
    call(FMQTT_Set_Topic);
    call(FTopicTemplate);
    call(FReceiveNMEA);
    call(FTransmitNMEA);
    call(FOPC_UA_Client_Access);
    call(FOPC_UA_Add_Server);
    call(FOPC_UA_Scan_Server);
    call(FOPC_UA_Server_Access);
    call(FProfinetFileName);
    call(FS7_Protocol_Set_Access);
    call(FSNMPManagerAccess);
    call(FSNMP_Trap_Access);
}

std::vector<TLbButton*> TFKalvoraFirmWare::Step_Buttons() const
{
    return {Btn_New, Btn_Open, Btn_Prm_Gen, Btn_IOLink_Set_Access, Btn_EtherNetIP_Access,
            Btn_IOLink_IODD, Btn_CreateBin, Btn_Modbus_Set_Access, Btn_BACnet_SetAccess,
            Btn_BACnet_EDE_File, Btn_CAN_Rec_Frame, Btn_CAN_Send_Frame, Btn_SDO_Server_CANopen,
            Btn_SDO_Client_CANopen, Btn_PDO_CANopen, Btn_CANopen_EDS, Btn_DNet_Net, Btn_DNet_Offset,
            Btn_EtherCAT_Set_Access, Btn_EtherCAT_ESI_File, Btn_IEC61850_Client, Btn_IEC61850_Access,
            Btn_TLS_List_Certificates, Btn_MQTT_Set_Topic, Btn_OPC_UA_Client_Access,
            Btn_OPC_UA_Server_Access, Btn_PROFINET_XML, Btn_S7_Protocol_Access, Btn_SNMP_Manager_Access,
            Btn_SNMP_Trap, Btn_SNMP_MIB};
}

bool TFKalvoraFirmWare::Require_Project()
{
    if (!WS().Dir_Project.isEmpty())
        return true;
    MessageDlg(Lang_Str(18), mtError, mbOK);
    return false;
}

void TFKalvoraFirmWare::Btn_Click(TObject* Sender)
{
    if (Sender == Btn_New) {
        Create_New_Project();
        return;
    }
    if (Sender == Btn_Open) {
        Open_Project();
        return;
    }
    if (Sender == Btn_Close) {
        Close();
        return;
    }
    if (Sender == Btn_Info) {
        FAbout->ShowModal();
        return;
    }
    if (Sender == Btn_Opz) {
        if (FSoftOptions->ShowModal() == mrOk) {
            try {
                Save_Setting();
            } catch (const Exception& e) {
                MessageDlg(e.Message(), mtError, mbOK);
            }
            Apply_Update_Timer_Rule();
        }
        return;
    }
    if (!Require_Project())
        return;

    auto show = [](TForm* f) {
        if (f)
            f->ShowModal();
    };
    if (Sender == Btn_Prm_Gen)
        show(FParGen);
    else if (Sender == Btn_IOLink_Set_Access)
        show(FVIZediZadud);
    else if (Sender == Btn_EtherNetIP_Access)
        show(FEtherNetIP_Master_Access);
    else if (Sender == Btn_IOLink_IODD)
        Save_IODD_File();
    else if (Sender == Btn_CreateBin)
        Update_Device();
    else if (Sender == Btn_Modbus_Set_Access)
        show(FModbus_TCP_Master_Set_Access);
    else if (Sender == Btn_BACnet_SetAccess)
        show(FBACnetAccess);
    else if (Sender == Btn_BACnet_EDE_File)
        BACnet_EDE_File();
    else if (Sender == Btn_CAN_Rec_Frame)
        show(FReceiveCAN);
    else if (Sender == Btn_CAN_Send_Frame)
        show(FTransmitCAN);
    else if (Sender == Btn_SDO_Server_CANopen)
        show(FSet_SDO_Server_Access);
    else if (Sender == Btn_SDO_Client_CANopen)
        show(FSet_SDO_Client_Access);
    else if (Sender == Btn_PDO_CANopen)
        show(FSet_PDO_Access);
    else if (Sender == Btn_CANopen_EDS)
        Build_EDS_File();
    else if (Sender == Btn_DNet_Net)
        show(FDNet);
    else if (Sender == Btn_DNet_Offset)
        show(FDefOffset);
    else if (Sender == Btn_EtherCAT_Set_Access)
        show(FEtherCATSlave);
    else if (Sender == Btn_EtherCAT_ESI_File)
        Save_ESI_File();
    else if (Sender == Btn_IEC61850_Client)
        show(FIEC_61850_Access);
    else if (Sender == Btn_IEC61850_Access)
        show(FIEC61850_Variables);
    else if (Sender == Btn_TLS_List_Certificates)
        show(FTLS_Server_Known_Cert);
    else if (Sender == Btn_MQTT_Set_Topic)
        show(FMQTT_Set_Topic);
    else if (Sender == Btn_OPC_UA_Client_Access)
        show(FOPC_UA_Client_Access);
    else if (Sender == Btn_OPC_UA_Server_Access)
        show(FOPC_UA_Server_Access);
    else if (Sender == Btn_PROFINET_XML)
        PROFINET_XML();
    else if (Sender == Btn_S7_Protocol_Access)
        show(FS7_Protocol_Set_Access);
    else if (Sender == Btn_SNMP_Manager_Access)
        show(FSNMPManagerAccess);
    else if (Sender == Btn_SNMP_Trap)
        show(FSNMP_Trap_Access);
    else if (Sender == Btn_SNMP_MIB)
        Save_MIB_File();
}

void TFKalvoraFirmWare::Create_New_Project()
{
    if (FNew_Project->ShowModal() == mrOk) {
        L_Name_Conf->SetCaption(Lang_Str(11));
        L_Name_Conf_L2->SetCaption(WS().Project_Name);
    }
}

void TFKalvoraFirmWare::Open_Project()
{
    if (FOpenConf->ShowModal() != mrOk)
        return;
    TWorkingState& ws = WS();
    const QString name = FOpenConf->Name_Conf;
    const QString folder = PathJoin(ws.Dir_Projects, name);
    // The remembered choice may name a folder deleted since: that opens nothing.
    if (!name.isEmpty() && DirectoryExists(folder)) {
        ws.Project_Name = name;
        ws.Dir_Project = folder;
    } else {
        ws.Project_Name.clear();
        ws.Dir_Project.clear();
    }
    Show_Project_Labels();
    Set_Files();
}

void TFKalvoraFirmWare::Update_Device()
{
    // A compile or write that failed has been reported; the device is not updated
    // with banks that do not match the project.
    if (!Build_Banks())
        return;
    if (!Save_Banks())
        return;
    if (FBoot) {
        FBoot->Form_Type = 1;
        FBoot->ShowModal();
    }
}

void TFKalvoraFirmWare::BACnet_EDE_File()
{
    SD1->InitialDir = WS().Dir_Project;
    if (!SD1->Execute())
        return;
    QString name = SD1->FileName;
    if (name.right(4).toUpper() != QLatin1String(".CSV"))
        name += QStringLiteral(".csv");
    if (FileExists(name)) {
        if (MessageDlg(Lang_Str(34), mtConfirmation, mbYesNoCancel) == mrYes)
            Write_EDE_File(name);
    } else {
        Write_EDE_File(name);
    }
}

void TFKalvoraFirmWare::Build_EDS_File()
{
    SaveEDS->InitialDir = WS().Dir_Project;
    if (!SaveEDS->Execute())
        return;
    // A row the sheet cannot describe is named to the user; other failures reach the
    // failure report.
    try {
        Write_EDS_File(SaveEDS->FileName);
    } catch (const EEDS_Refused& e) {
        MessageDlg(e.Message(), mtError, mbOK);
    }
}

void TFKalvoraFirmWare::PROFINET_XML()
{
    if (FProfinetFileName && FProfinetFileName->ShowModal() == mrOk)
        Save_GSDML_File(FProfinetFileName->Name_File_XML);
}

void TFKalvoraFirmWare::LL_UpdateLinkClick(const QString& Link) { ShellOpen(Link); }

void TFKalvoraFirmWare::L_NorvelClick() { ShellOpen(Home_Page_Url()); }

void TFKalvoraFirmWare::Timer_UpdateTimer()
{
    Timer_Update->SetEnabled(false);
    if (Check_Version()) {
        LL_Update->SetCaption(Download_Link_Html(Lang_Str(19)));
        LL_Update->SetVisible(true);
    } else {
        LL_Update->SetVisible(false);
    }
    Timer_Update->SetInterval(Update_Next_Interval);
    Timer_Update->SetEnabled(true);
}

bool TFKalvoraFirmWare::Start_Program(const QString& NomeSW, const QString& Parameter, uint8_t tipo)
{
    return ::Start_Program(NomeSW, Parameter, tipo);
}

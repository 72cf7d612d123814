// The fixed creation order of the program's windows.

#include "shell/program_windows.h"

#include "platform/ui/forms.h"
#include "shell/lang_sources.h"
#include "shell/window_set.h"

void Create_Program_Windows()
{
    Register_Lang_Sources();
    Application->CreateForm(FKalvoraFirmWare);
    Application->CreateForm(FNew_Project);
    Application->CreateForm(FOpenConf);
    Application->CreateForm(FAbout);
    Application->CreateForm(FSoftOptions);
    Application->CreateForm(FParGen);
    Application->CreateForm(FVIZediZadud);
    Application->CreateForm(FBoot);
    Application->CreateForm(FSetAccess);
    Application->CreateForm(FModbus_TCP_Master_Set_Access);
    Application->CreateForm(FBACnetAccess);
    Application->CreateForm(FImportEDEFile);
    Application->CreateForm(FBACnet_Eng_Unit);
    Application->CreateForm(FBACnetSlaveSetAccess);
    Application->CreateForm(FReceiveCAN);
    Application->CreateForm(FTransmitCAN);
    Application->CreateForm(FSet_PDO_Access);
    Application->CreateForm(FSet_SDO_Client_Access);
    Application->CreateForm(FSet_SDO_Server_Access);
    Application->CreateForm(FDefOffset);
    Application->CreateForm(FDNet);
    Application->CreateForm(FEtherCATSlave);
    Application->CreateForm(FIEC_61850_Access);
    Application->CreateForm(FIEC61850_Variables);
    Application->CreateForm(FTLS_Server_Known_Cert);
    Application->CreateForm(FReceiveJ1939);
    Application->CreateForm(FTransmitJ1939);
    Application->CreateForm(FMQTT_Set_Topic);
    Application->CreateForm(FTopicTemplate);
    Application->CreateForm(FReceiveNMEA);
    Application->CreateForm(FTransmitNMEA);
    Application->CreateForm(FOPC_UA_Add_Server);
    Application->CreateForm(FOPC_UA_Client_Access);
    Application->CreateForm(FOPC_UA_Scan_Server);
    Application->CreateForm(FOPC_UA_Server_Access);
    Application->CreateForm(FProfinetFileName);
    Application->CreateForm(FS7_Protocol_Set_Access);
    Application->CreateForm(FSNMPManagerAccess);
    Application->CreateForm(FSNMP_Trap_Access);
    Application->CreateForm(FEtherNEtIP_EDS);
    Application->CreateForm(FEtherNetIP_Master_Access);
    Application->CreateForm(FEtherNetIP_Data_Seg);
}

void Destroy_Program_Windows()
{
    Application->DestroyForms();
    FKalvoraFirmWare = nullptr;
    FNew_Project = nullptr;
    FOpenConf = nullptr;
    FAbout = nullptr;
    FSoftOptions = nullptr;
    FParGen = nullptr;
    FVIZediZadud = nullptr;
    FBoot = nullptr;
    FSetAccess = nullptr;
    FModbus_TCP_Master_Set_Access = nullptr;
    FBACnetAccess = nullptr;
    FImportEDEFile = nullptr;
    FBACnet_Eng_Unit = nullptr;
    FBACnetSlaveSetAccess = nullptr;
    FReceiveCAN = nullptr;
    FTransmitCAN = nullptr;
    FSet_PDO_Access = nullptr;
    FSet_SDO_Client_Access = nullptr;
    FSet_SDO_Server_Access = nullptr;
    FDefOffset = nullptr;
    FDNet = nullptr;
    FEtherCATSlave = nullptr;
    FIEC_61850_Access = nullptr;
    FIEC61850_Variables = nullptr;
    FTLS_Server_Known_Cert = nullptr;
    FReceiveJ1939 = nullptr;
    FTransmitJ1939 = nullptr;
    FMQTT_Set_Topic = nullptr;
    FTopicTemplate = nullptr;
    FReceiveNMEA = nullptr;
    FTransmitNMEA = nullptr;
    FOPC_UA_Add_Server = nullptr;
    FOPC_UA_Client_Access = nullptr;
    FOPC_UA_Scan_Server = nullptr;
    FOPC_UA_Server_Access = nullptr;
    FProfinetFileName = nullptr;
    FS7_Protocol_Set_Access = nullptr;
    FSNMPManagerAccess = nullptr;
    FSNMP_Trap_Access = nullptr;
    FEtherNEtIP_EDS = nullptr;
    FEtherNetIP_Master_Access = nullptr;
    FEtherNetIP_Data_Seg = nullptr;
}

QStringList Program_Window_Classes()
{
    QStringList names;
    for (int i = 0; i < Application->FormCount(); ++i)
        names << Application->Forms(i)->ClassName();
    return names;
}

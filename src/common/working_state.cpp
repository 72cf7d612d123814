#include "common/working_state.h"

#include "platform/core/files.h"
#include "platform/core/xml.h"

#include <QDir>

namespace {

QString Join(const QString& dir, const QString& name)
{
    // Plain concatenation: with no project open the paths start with the separator.
    return dir + QDir::separator() + name;
}

struct TProjectFile {
    QString TWorkingState::*Path;
    const char* Name;
};

const TProjectFile Project_File_Table[] = {
    {&TWorkingState::Name_File_ParGen, "ParGen.xml"},
    {&TWorkingState::Name_File_IOLink_Slave, "IOLink_Slave.xml"},
    {&TWorkingState::Name_File_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
    {&TWorkingState::Name_File_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
    {&TWorkingState::Name_File_BACnet_Master_Access, "BACnet_Master_Access.xml"},
    {&TWorkingState::Name_File_BACnet_Slave, "BACnet_Slave.xml"},
    {&TWorkingState::Name_File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
    {&TWorkingState::Name_File_CAN_Send_Frames, "CAN_Send_Frames.xml"},
    {&TWorkingState::Name_File_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
    {&TWorkingState::Name_File_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
    {&TWorkingState::Name_File_PDO_CANopen, "PDO_CANopen.xml"},
    {&TWorkingState::Name_File_DNETM_Net, "DNETM_Net.xml"},
    {&TWorkingState::Name_File_DNETM_DefOff, "DNETM_DefOff.xml"},
    {&TWorkingState::Name_File_EtherCAT_Slave, "EtherCAT_Slave.xml"},
    {&TWorkingState::Name_File_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"},
    {&TWorkingState::Name_File_IEC_61850_Client, "IEC_61850_Client.xml"},
    {&TWorkingState::Name_File_TLS_Known_Cert, "TLS_Known_Cert.xml"},
    {&TWorkingState::Name_File_IEC61850_Variables, "IEC61850_Variables.xml"},
    {&TWorkingState::Name_File_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
    {&TWorkingState::Name_File_J1939_Send_Frames, "J1939_Send_Frames.xml"},
    {&TWorkingState::Name_File_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
    {&TWorkingState::Name_File_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
    {&TWorkingState::Name_File_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
    {&TWorkingState::Name_File_OPC_UA_Client, "OPC_UA_Client.xml"},
    {&TWorkingState::Name_File_OPC_UA_Server, "OPC_UA_Server.xml"},
    {&TWorkingState::Name_File_S7_Protocol, "S7_Protocol.xml"},
    {&TWorkingState::Name_File_SNMP_Manager, "SNMP_Manager.xml"},
    {&TWorkingState::Name_File_SNMP_Trap, "SNMP_Trap.xml"},
};

static_assert(std::size(Project_File_Table) == 28);

std::unique_ptr<TWorkingState>& Instance()
{
    static std::unique_ptr<TWorkingState> instance;
    return instance;
}

}  // namespace

TWorkingState::TWorkingState(const QString& dirExe)
{
    Dir_Exe = dirExe;
    while (Dir_Exe.size() > 1 && (Dir_Exe.endsWith(u'/') || Dir_Exe.endsWith(QDir::separator())))
        Dir_Exe.chop(1);
    Dir_Master = Join(Dir_Exe, QStringLiteral("MASTER"));
    Dir_Projects = Join(Dir_Exe, QStringLiteral("PROJECTS"));
    Dir_Language = Join(Dir_Exe, QStringLiteral("LANGUAGE"));
    Dir_IODD = Join(Dir_Exe, QStringLiteral("IODD"));
    Set_Files();
}

void TWorkingState::Create_Program_Folders()
{
    for (const QString* dir : {&Dir_Master, &Dir_Projects, &Dir_Language, &Dir_IODD})
        if (!DirectoryExists(*dir))
            CreateDir(*dir);
}

const QStringList& TWorkingState::Project_File_Names()
{
    static const QStringList names = [] {
        QStringList l;
        for (const TProjectFile& f : Project_File_Table)
            l.append(QString::fromLatin1(f.Name));
        return l;
    }();
    return names;
}

void TWorkingState::Set_Files()
{
    for (const TProjectFile& f : Project_File_Table)
        this->*(f.Path) = Join(Dir_Project, QString::fromLatin1(f.Name));
}

QStringList TWorkingState::Project_Files() const
{
    QStringList l;
    for (const TProjectFile& f : Project_File_Table)
        l.append(this->*(f.Path));
    return l;
}

QString TWorkingState::Settings_File() const
{
    return Join(Dir_Exe, Settings_File_Name);
}

bool TWorkingState::Reopen_Last_Project()
{
    // The name comes from a hand-editable file: only a plain folder name below PROJECTS
    // opens a project, so the editors never write outside it.
    const bool plainName = !Project_Name.isEmpty() && Project_Name != QLatin1String(".") &&
                           Project_Name != QLatin1String("..") && !Project_Name.contains(u'/') &&
                           !Project_Name.contains(u'\\');
    const QString dir = Join(Dir_Projects, Project_Name);
    if (plainName && DirectoryExists(dir)) {
        Dir_Project = dir;
        return true;
    }
    Dir_Project.clear();
    return false;
}

void TWorkingState::Start_Up()
{
    Create_Program_Folders();
    Project_Name.clear();
    Update_Read_Back = true;
    Read_Setting();
    Reopen_Last_Project();
    Set_Files();
    SL_Copy_Row.clear();
    Copy_Row_Check.clear();
    SL_MIB_Var_Read.clear();
    SL_MIB_Var_Write.clear();
}

void TWorkingState::Read_Setting()
{
    Project_Name.clear();
    Last_IP_Address = Default_IP_Address;
    Language_Name = Default_Language;
    Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = false;

    const QString file = Settings_File();
    if (!FileExists(file))
        return;
    TXmlDocument doc;
    try {
        doc.LoadFromFile(file);
    } catch (const Exception&) {
        // Not well-formed or unreadable: as if there were no file, so the start goes on.
        return;
    }
    const TXmlNode root = doc.Root();

    // Each value in its own guard: a missing element leaves that value's default.
    auto value = [&](const char* group, const char* name, QString& target) {
        try {
            target = root.ChildByName(QLatin1String(group)).ChildByName(QLatin1String(name)).Text();
        } catch (const Exception&) {
        }
    };
    value("lastproj", "projectname", Project_Name);
    value("lastipadd", "ipaddress", Last_IP_Address);
    value("lastlang", "language", Language_Name);

    auto option = [&](const char* name) {
        QString text;
        value("lastinternet", name, text);
        return text == QLatin1String("1");
    };
    Enable_Internet = option("enable_internet");
    Enable_Update = option("enable_update");
    Enable_Jump_Field_Tables = option("enable_jump_field_tables");
    Double_Click_Auto_Size = option("Double_Click_Auto_Size");
}

void TWorkingState::Save_Setting() const
{
    TXmlDocument doc;
    doc.Clear();
    TXmlNode root = doc.AddChild(QStringLiteral("Conf_Settings"));
    root.AddChild(QStringLiteral("lastproj")).AddChild(QStringLiteral("projectname")).SetText(Project_Name);
    root.AddChild(QStringLiteral("lastipadd")).AddChild(QStringLiteral("ipaddress")).SetText(Last_IP_Address);
    root.AddChild(QStringLiteral("lastlang")).AddChild(QStringLiteral("language")).SetText(Language_Name);
    TXmlNode options = root.AddChild(QStringLiteral("lastinternet"));
    auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    options.AddChild(QStringLiteral("enable_internet")).SetText(flag(Enable_Internet));
    options.AddChild(QStringLiteral("enable_update")).SetText(flag(Enable_Update));
    options.AddChild(QStringLiteral("enable_jump_field_tables")).SetText(flag(Enable_Jump_Field_Tables));
    options.AddChild(QStringLiteral("Double_Click_Auto_Size")).SetText(flag(Double_Click_Auto_Size));

    const QString file = Settings_File();
    try {
        doc.SaveToFile(file);
    } catch (const Exception& e) {
        throw ESettingsWriteError(file, QStringLiteral("Error! The settings file could not be written: ") + file +
                                            QStringLiteral("\n") + e.Message());
    }
}

bool TWorkingState::Update_Check_Enabled() const
{
    return Enable_Internet && Enable_Update;
}

TWorkingState& WS()
{
    auto& inst = Instance();
    if (!inst)
        inst = std::make_unique<TWorkingState>(ProgramFolder());
    return *inst;
}

std::unique_ptr<TWorkingState> Install_Working_State(std::unique_ptr<TWorkingState> ws)
{
    std::unique_ptr<TWorkingState> old = std::move(Instance());
    Instance() = std::move(ws);
    return old;
}

#include "common/working_state.h"

#include "platform/core/files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <pugixml.hpp>

#include "common/qstring_print.h"
#include "support/deep_xml.h"

#include <gtest/gtest.h>

namespace {

class WorkingStateTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Tmp.isValid()); }

    QString Settings() const { return Tmp.filePath("Kalvora.xml"); }

    void Write_Settings(const QByteArray& xml)
    {
        QFile f(Settings());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml);
    }

    QByteArray Read_Settings() const
    {
        QFile f(Settings());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir Tmp;
};

struct TStored {
    QString Project, Ip, Language;
    bool Internet, Update, Jump, AutoSize;
};

TStored Stored(const TWorkingState& ws)
{
    return {ws.Project_Name,    ws.Last_IP_Address,          ws.Language_Name,         ws.Enable_Internet,
            ws.Enable_Update,   ws.Enable_Jump_Field_Tables, ws.Double_Click_Auto_Size};
}

bool operator==(const TStored& a, const TStored& b)
{
    return a.Project == b.Project && a.Ip == b.Ip && a.Language == b.Language && a.Internet == b.Internet &&
           a.Update == b.Update && a.Jump == b.Jump && a.AutoSize == b.AutoSize;
}

std::ostream& operator<<(std::ostream& os, const TStored& s)
{
    return os << "{" << s.Project.toStdString() << ", " << s.Ip.toStdString() << ", " << s.Language.toStdString()
              << ", " << s.Internet << s.Update << s.Jump << s.AutoSize << "}";
}

const TStored Defaults{"", "192.168.2.205", "English", false, false, false, false};

}  // namespace

TEST_F(WorkingStateTest, FirstStartInAnEmptyProgramFolder)
{
    TWorkingState ws(Tmp.path());
    ws.Start_Up();
    for (const char* dir : {"MASTER", "PROJECTS", "LANGUAGE", "IODD"})
        EXPECT_TRUE(QFileInfo(Tmp.filePath(dir)).isDir()) << dir;
    EXPECT_EQ(ws.Dir_Projects, Tmp.filePath("PROJECTS"));
    EXPECT_EQ(Stored(ws), Defaults);
    EXPECT_TRUE(ws.Dir_Project.isEmpty());
    EXPECT_EQ(ws.Update_Option, 0);
    EXPECT_TRUE(ws.Update_Read_Back);
    EXPECT_EQ(ws.SW_Code, "TK27518");
    EXPECT_EQ(ws.SW_Desc, "IO-Link Slave / EtherNet/IP Master - Converter");
    EXPECT_EQ(ws.Main_Caption, "Norvel - Configurator TK27518 - IO-Link Slave / EtherNet/IP Master ");
    EXPECT_EQ(ws.Name_File_ParGen, "/ParGen.xml");  // no project open yet

    ws.Save_Setting();
    // UTF-8 without declaration or indentation, the root followed by CR LF.
    EXPECT_EQ(Read_Settings(), QByteArray("<Conf_Settings>"
                                          "<lastproj><projectname/></lastproj>"
                                          "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
                                          "<lastlang><language>English</language></lastlang>"
                                          "<lastinternet>"
                                          "<enable_internet>0</enable_internet>"
                                          "<enable_update>0</enable_update>"
                                          "<enable_jump_field_tables>0</enable_jump_field_tables>"
                                          "<Double_Click_Auto_Size>0</Double_Click_Auto_Size>"
                                          "</lastinternet>"
                                          "</Conf_Settings>\r\n"));
}

TEST_F(WorkingStateTest, WrittenFileIsWellFormedWithElementsInOrder)
{
    TWorkingState ws(Tmp.path());
    ws.Project_Name = QStringLiteral("Plant <A> & \"B\"");
    ws.Enable_Update = true;
    ws.Save_Setting();

    pugi::xml_document doc;
    const QByteArray xml = Read_Settings();
    ASSERT_TRUE(doc.load_buffer(xml.constData(), size_t(xml.size())));
    QStringList paths;
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
        paths << QString::fromUtf8(n.name());
        for (pugi::xml_node g = n.first_child(); g; g = g.next_sibling()) {
            paths << QString::fromUtf8(g.name());
            for (pugi::xml_node v = g.first_child(); v; v = v.next_sibling())
                if (v.type() == pugi::node_element)
                    paths << QString::fromUtf8(g.name()) + "/" + QString::fromUtf8(v.name());
        }
    }
    EXPECT_EQ(paths, QStringList({"Conf_Settings", "lastproj", "lastproj/projectname", "lastipadd",
                                  "lastipadd/ipaddress", "lastlang", "lastlang/language", "lastinternet",
                                  "lastinternet/enable_internet", "lastinternet/enable_update",
                                  "lastinternet/enable_jump_field_tables", "lastinternet/Double_Click_Auto_Size"}));
    EXPECT_FALSE(doc.child("Conf_Settings").first_attribute());

    const QString xmllint = QStandardPaths::findExecutable("xmllint");
    if (xmllint.isEmpty())
        GTEST_SKIP() << "xmllint not installed";
    QProcess p;
    p.start(xmllint, {"--noout", Settings()});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

TEST_F(WorkingStateTest, RoundTrip)
{
    TWorkingState ws(Tmp.path());
    ws.Project_Name = QString::fromUtf8("Linea \xc3\xa8 1");
    ws.Last_IP_Address = "10.1.2.3";
    ws.Language_Name = "Italiano";
    ws.Enable_Internet = true;
    ws.Enable_Jump_Field_Tables = true;
    ws.Update_Option = 2;  // not stored
    ws.Save_Setting();

    TWorkingState back(Tmp.path());
    back.Read_Setting();
    EXPECT_EQ(Stored(back), Stored(ws));
    EXPECT_EQ(back.Update_Option, 0);

    // Rewritten whole: elements added by hand disappear.
    QByteArray xml = Read_Settings();
    xml.replace("</Conf_Settings>", "<extra>1</extra></Conf_Settings>");
    Write_Settings(xml);
    back.Save_Setting();
    EXPECT_FALSE(Read_Settings().contains("extra"));
}

TEST_F(WorkingStateTest, EachValueFallsBackAlone)
{
    const char* full_internet = "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
                                "<enable_jump_field_tables>1</enable_jump_field_tables>"
                                "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet>";
    struct Case {
        const char* name;
        QByteArray xml;
        TStored expected;
    };
    const QByteArray proj = "<lastproj><projectname>P1</projectname></lastproj>";
    const QByteArray ip = "<lastipadd><ipaddress>10.0.0.1</ipaddress></lastipadd>";
    const QByteArray lang = "<lastlang><language>Deutsch</language></lastlang>";
    const auto wrap = [](const QByteArray& body) { return "<Conf_Settings>" + body + "</Conf_Settings>"; };
    const Case cases[] = {
        {"all present", wrap(proj + ip + lang + full_internet), {"P1", "10.0.0.1", "Deutsch", true, true, true, true}},
        {"only lastlang", wrap(lang), {"", "192.168.2.205", "Deutsch", false, false, false, false}},
        {"no lastproj", wrap(ip + lang), {"", "10.0.0.1", "Deutsch", false, false, false, false}},
        {"group without value", wrap("<lastipadd><other>1</other></lastipadd>" + lang), {"", "192.168.2.205", "Deutsch", false, false, false, false}},
        {"value outside its group", wrap("<ipaddress>10.0.0.9</ipaddress>" + proj), {"P1", "192.168.2.205", "English", false, false, false, false}},
        {"only enable_update", wrap("<lastinternet><enable_update>1</enable_update></lastinternet>"), {"", "192.168.2.205", "English", false, true, false, false}},
        {"option texts other than 1", wrap("<lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
                                           "<enable_jump_field_tables>01</enable_jump_field_tables>"
                                           "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet>"),
         {"", "192.168.2.205", "English", false, false, false, true}},
        {"option names are case-sensitive", wrap("<lastinternet><double_click_auto_size>1</double_click_auto_size></lastinternet>"), Defaults},
        {"other root name", "<Other>" + proj + "</Other>", {"P1", "192.168.2.205", "English", false, false, false, false}},
        {"declaration before the root", "<?xml version=\"1.0\"?>" + wrap(proj), {"P1", "192.168.2.205", "English", false, false, false, false}},
        {"root is a comment", "<!-- settings -->" + wrap(proj + lang), Defaults},
        {"not well-formed", "<Conf_Settings><lastproj><projectname>P1</lastproj>", Defaults},
        {"empty file", "", Defaults},
        {"binary garbage", QByteArray("\x00\xff\xfe<\x01", 5), Defaults},
    };
    for (const Case& c : cases) {
        Write_Settings(c.xml);
        TWorkingState ws(Tmp.path());
        ws.Project_Name = "stale";
        ws.Enable_Internet = true;
        ws.Read_Setting();
        EXPECT_EQ(Stored(ws), c.expected) << c.name;
        EXPECT_EQ(ws.Update_Check_Enabled(), c.expected.Internet && c.expected.Update) << c.name;
    }
}

TEST_F(WorkingStateTest, ValuesNestedAMillionLevelsDeepAreReadAndTheStartGoesOn)
{
    // The text of a value element is all the text below it, however deep.
    Write_Settings("<Conf_Settings><lastproj><projectname>" + Nested_Xml(1000000, "Deep") +
                   "</projectname></lastproj><lastlang><language>Deutsch</language></lastlang>"
                   "<lastinternet>" + Nested_Xml(1000000, "<enable_internet>1</enable_internet>", "lastinternet") +
                   "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
    TWorkingState ws(Tmp.path());
    ws.Start_Up();
    EXPECT_EQ(Stored(ws), (TStored{"Deep", "192.168.2.205", "Deutsch", false, true, false, false}));
    ws.Save_Setting();
    EXPECT_TRUE(Read_Settings().contains("<projectname>Deep</projectname>"));
}

TEST_F(WorkingStateTest, ReopensTheLastProjectOnlyWhenItsFolderExists)
{
    Write_Settings("<Conf_Settings><lastproj><projectname>Line1</projectname></lastproj></Conf_Settings>");
    {
        TWorkingState ws(Tmp.path());
        ws.Start_Up();
        EXPECT_EQ(ws.Project_Name, "Line1");
        EXPECT_TRUE(ws.Dir_Project.isEmpty());  // the folder is gone
        EXPECT_EQ(ws.Name_File_SNMP_Trap, "/SNMP_Trap.xml");
        ws.Save_Setting();                     // the stale name is written back
        EXPECT_TRUE(Read_Settings().contains("<projectname>Line1</projectname>"));
    }
    ASSERT_TRUE(QDir(Tmp.path()).mkpath("PROJECTS/Line1"));
    TWorkingState ws(Tmp.path());
    ws.Start_Up();
    const QString dir = Tmp.filePath("PROJECTS/Line1");
    EXPECT_EQ(ws.Dir_Project, dir);
    const QStringList files = ws.Project_Files();
    ASSERT_EQ(files.size(), 28);
    for (int i = 0; i < 28; ++i)
        EXPECT_EQ(files[i], dir + "/" + TWorkingState::Project_File_Names()[i]);

    // Names that would lead outside PROJECTS open nothing, even when the folder exists.
    for (const char* name : {"..", ".", "Line1/../..", "../PROJECTS/Line1"}) {
        ws.Project_Name = QString::fromLatin1(name);
        EXPECT_FALSE(ws.Reopen_Last_Project()) << name;
        EXPECT_TRUE(ws.Dir_Project.isEmpty()) << name;
        EXPECT_EQ(ws.Project_Name, name);
    }
}

TEST(WorkingState, ProjectFileNamesInTheirFixedOrder)
{
    TWorkingState ws("/opt/kv");
    ws.Dir_Project = "/opt/kv/PROJECTS/A";
    ws.Set_Files();
    const QStringList expected = {
        "ParGen.xml", "IOLink_Slave.xml", "ModbusM_SetAccess.xml", "ModbusTCPM_SetAccess.xml",
        "BACnet_Master_Access.xml", "BACnet_Slave.xml", "CAN_Rec_Frames.xml", "CAN_Send_Frames.xml",
        "SDO_Server_CANopen.xml", "SDO_Client_CANopen.xml", "PDO_CANopen.xml", "DNETM_Net.xml",
        "DNETM_DefOff.xml", "EtherCAT_Slave.xml", "EtherNetIP_Master_Rules.xml", "IEC_61850_Client.xml",
        "TLS_Known_Cert.xml", "IEC61850_Variables.xml", "J1939_Rec_Frames.xml", "J1939_Send_Frames.xml",
        "MQTT_Set_Topic.xml", "NMEA_Rec_Frames.xml", "NMEA_Send_Frames.xml", "OPC_UA_Client.xml",
        "OPC_UA_Server.xml", "S7_Protocol.xml", "SNMP_Manager.xml", "SNMP_Trap.xml"};
    EXPECT_EQ(TWorkingState::Project_File_Names(), expected);
    EXPECT_EQ(ws.Name_File_ParGen, "/opt/kv/PROJECTS/A/ParGen.xml");
    EXPECT_EQ(ws.Name_File_EtherNetIP_Master_Rules, "/opt/kv/PROJECTS/A/EtherNetIP_Master_Rules.xml");
    EXPECT_EQ(ws.Name_File_SNMP_Trap, "/opt/kv/PROJECTS/A/SNMP_Trap.xml");
    EXPECT_EQ(ws.Dir_Master, "/opt/kv/MASTER");
    EXPECT_EQ(ws.Dir_IODD, "/opt/kv/IODD");
    EXPECT_EQ(ws.Settings_File(), "/opt/kv/Kalvora.xml");
}

TEST_F(WorkingStateTest, FailedWriteNamesTheFileAndKeepsTheOldOne)
{
    TWorkingState ws(Tmp.path());
    ws.Save_Setting();
    const QByteArray before = Read_Settings();

    SetAtomicWriteHookForTests([](const QString&) { throw EInOutError("disk full"); });
    ws.Project_Name = "new";
    try {
        ws.Save_Setting();
        ADD_FAILURE() << "no error raised";
    } catch (const ESettingsWriteError& e) {
        EXPECT_EQ(e.File, Settings());
        EXPECT_TRUE(e.Message().contains(Settings()));
    }
    SetAtomicWriteHookForTests(nullptr);
    EXPECT_EQ(Read_Settings(), before);

    // A program folder that is no folder at all.
    TWorkingState bad(Tmp.filePath("Kalvora.xml"));
    EXPECT_THROW(bad.Save_Setting(), ESettingsWriteError);
}

TEST_F(WorkingStateTest, ProgramInstanceCanBeReplaced)
{
    auto previous = Install_Working_State(std::make_unique<TWorkingState>(Tmp.path()));
    EXPECT_EQ(WS().Dir_Exe, Tmp.path());
    WS().Last_IP_Address = "1.2.3.4";
    EXPECT_EQ(WS().Last_IP_Address, "1.2.3.4");
    Install_Working_State(std::move(previous));
    EXPECT_NE(WS().Dir_Exe, Tmp.path());
}

// The OPC UA client model: node identifier and data type texts, and OPC_UA_Client.xml.

#include "editors_it/opcua_client_file.h"

#include <gtest/gtest.h>

#include "support/file_bytes.h"

#include "opcua_test_files.h"

namespace {

TOPC_UA_Variable Var(const QString& type, const QString& id)
{
    TOPC_UA_Variable v;
    v.SetNodeType(type);
    v.SetNodeID(id);
    return v;
}

class OpcUaClientFile : public TProjectFileTest {
protected:
    OpcUaClientFile() : TProjectFileTest("OPC_UA_Client.xml") {}
    TOPC_UA_Client_Load Load_Bytes(const QByteArray& bytes)
    {
        Write_All(Path(), bytes);
        return Read_OPC_UA_Client_File(Path());
    }
};

QByteArray Server_Element(const QByteArray& attrs, const QByteArray& reads = {}, const QByteArray& writes = {})
{
    return "<OPC_UA_Server Enable=\"1\" " + attrs + "><OPC_UA_Variables><OPC_UA_Read_Var>" + reads +
           "</OPC_UA_Read_Var><OPC_UA_Write_Var>" + writes + "</OPC_UA_Write_Var></OPC_UA_Variables></OPC_UA_Server>";
}

QByteArray Server_Attrs(const QByteArray& address, bool withSecurityType = true)
{
    return "ServerAddress=\"" + address + "\" Authorization=\"Anonymous\" UserName=\"\" Password=\"\" Certificate=\"\" "
           "PrivateKey=\"\" " + (withSecurityType ? "SecurityType=\"None\" " : "") + "SecurityPolicy=\"None\" Mnemonic=\"\"";
}

QByteArray Variable_Element(const QByteArray& name, const QByteArray& extra = {})
{
    return "<Variable Enable=\"1\" DisplayName=\"" + name + "\" NodeType=\"Numeric\" NodeID=\"7\" VarType=\"Int16\" "
           "NameSpaceIndex=\"1\" OnChange=\"1\" OnCMD=\"0\" OnTimer=\"0\" Time=\"100\" Position=\"0\" Mnemonic=\"\"" +
           extra + "/>";
}

QByteArray Client_File(const QByteArray& servers)
{
    return "<OPC_UA_Client><OPC_UA_Server_List>" + servers + "</OPC_UA_Server_List></OPC_UA_Client>\r\n";
}

}  // namespace

TEST(OpcUaVariable, NodeIdTextsByNodeType)
{
    struct Case {
        const char* type;
        const char* id;
        const char* shown;
        const char* nodeType;
    };
    const Case cases[] = {
        {"Guid", "0102030a-0b0c-0d0e-0f10-111213141516", "0102030A-0B0C-0D0E-0F10-111213141516", "Guid"},
        {"guid", "12345678", "12345678-0000-0000-0000-000000000000", "Guid"},
        {"Guid", " 1-2-3-0405-060708090a0b ", "00000001-0002-0003-0405-060708090A0B", "Guid"},
        // The fourth group's second byte skips one character more, dash or not.
        {"Guid", "00000001-0002-0003-0405060708090A0B", "00000001-0002-0003-0405-60708090A00B", "Guid"},
        // A group that is no hexadecimal number gives 0; groups 2 and 3 keep 16 bits.
        {"Guid", "xyz-12345-0003", "00000000-2345-0003-0000-000000000000", "Guid"},
        {"Numeric", "4294967295", "4294967295", "Numeric"},
        {"numeric", "abc", "0", "Numeric"},
        {"NUMERIC", "4294967296", "0", "Numeric"},
        {"Numeric", "-1", "0", "Numeric"},
        {"", "12", "12", "Numeric"},
        {"Other", "12", "12", "Numeric"},
        {"String", " Line 1 ", " Line 1 ", "String"},
        {"bytestring", "0xDEADBEEF", "0xDEADBEEF", "ByteString"},
    };
    for (const Case& c : cases) {
        const TOPC_UA_Variable v = Var(QString::fromLatin1(c.type), QString::fromLatin1(c.id));
        EXPECT_EQ(v.NodeID(), QString::fromLatin1(c.shown)) << c.type << " " << c.id;
        EXPECT_EQ(v.NodeType(), QString::fromLatin1(c.nodeType)) << c.type << " " << c.id;
    }
}

TEST(OpcUaVariable, GuidGroupsLandInTheirFields)
{
    const TOPC_UA_Variable v = Var(QStringLiteral("Guid"), QStringLiteral("12345678"));
    EXPECT_EQ(v.guide1, 0x12345678u);
    EXPECT_EQ(v.guide2, 0);
    EXPECT_EQ(v.guide3, 0);
    EXPECT_EQ(v.guide4, (std::array<uint8_t, 8>{}));
    const TOPC_UA_Variable w = Var(QStringLiteral("Guid"), QStringLiteral("0102030a-0b0c-0d0e-0f10-111213141516"));
    EXPECT_EQ(w.guide4, (std::array<uint8_t, 8>{0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16}));
}

TEST(OpcUaVariable, VarTypeNamesAndCodes)
{
    const std::pair<const char*, int> written[] = {
        {"datetime", 12}, {"Char", 0}, {"BYTESTRING", 14}, {"Float", 9}, {"", 0}, {"Boolean", 0}, {"uint64", 8}};
    for (const auto& [text, code] : written) {
        TOPC_UA_Variable v;
        v.dataType = 5;
        v.SetVarType(QString::fromLatin1(text));
        EXPECT_EQ(v.dataType, code) << text;
    }
    const std::pair<int, const char*> read[] = {{12, "DateTime"}, {0, "Boolean"}, {14, "ByteString"},
                                                {15, "Boolean"}, {-1, "Boolean"}, {1, "Int8"}};
    for (const auto& [code, text] : read) {
        TOPC_UA_Variable v;
        v.dataType = code;
        EXPECT_EQ(v.VarType(), QString::fromLatin1(text)) << code;
    }
}

TEST_F(OpcUaClientFile, ModelSurvivesSaveAndLoad)
{
    TOPC_UA_Server s;
    s.Enable = true;
    s.ServerAddress = QStringLiteral("opc.tcp://10.0.0.7:4840");
    s.Authorization = QStringLiteral("Certificate");
    s.UserName = QStringLiteral("op & \"admin\"");
    s.Password = QStringLiteral(" <secret> ");
    s.Certificate = QStringLiteral("-----BEGIN CERTIFICATE-----\r\nMIIB\u00e9\r\n-----END CERTIFICATE-----");
    s.PrivateKey = QStringLiteral("line 1\nline 2\tend");
    s.SecurityType = QStringLiteral("Sign");
    s.SecurityPolicy = QStringLiteral("Basic 256");
    s.Mnemonic = QStringLiteral("plant");

    TOPC_UA_Variable numeric = Var(QStringLiteral("Numeric"), QStringLiteral("4294967295"));
    numeric.Enable = true;
    numeric.DispalyName = QStringLiteral("Counter");
    numeric.SetVarType(QStringLiteral("UInt32"));
    numeric.nameSpaceIndex = 65535;
    numeric.OnChange = QStringLiteral("Y");
    numeric.OnCMD = QStringLiteral("N");
    numeric.OnTimer = QStringLiteral("N");
    numeric.Time = QStringLiteral("100");
    numeric.Position = QStringLiteral("0");
    s.Var_List_R.push_back(numeric);

    TOPC_UA_Variable bytes = Var(QStringLiteral("ByteString"), QStringLiteral("AQID BA=="));
    bytes.DispalyName = QStringLiteral("Blob");
    bytes.SetVarType(QStringLiteral("ByteString"));
    bytes.OnChange = bytes.OnCMD = bytes.OnTimer = QStringLiteral("N");
    s.Var_List_R.push_back(bytes);

    // A browsed variable: empty flag texts are written "0" and read back "N".
    TOPC_UA_Variable guid = Var(QStringLiteral("Guid"), QStringLiteral("0102030a-0b0c-0d0e-0f10-111213141516"));
    guid.Enable = true;
    guid.SetVarType(QStringLiteral("Guid"));
    s.Var_List_W.push_back(guid);

    TOPC_UA_Server empty;  // no variables, every text empty
    Write_OPC_UA_Client_File(Path(), {s, empty});
    const TOPC_UA_Client_Load load = Read_OPC_UA_Client_File(Path());
    EXPECT_TRUE(load.File_Found);
    EXPECT_FALSE(load.Partial()) << load.Failure.toStdString();

    guid.OnChange = guid.OnCMD = guid.OnTimer = QStringLiteral("N");
    s.Var_List_W.back() = guid;
    ASSERT_EQ(load.Servers.size(), 2u);
    EXPECT_EQ(load.Servers[0], s);
    EXPECT_EQ(load.Servers[1], empty);
    EXPECT_EQ(load.Servers[0].Var_List_R[0].NodeID(), QStringLiteral("4294967295"));
    EXPECT_EQ(load.Servers[0].Var_List_W[0].OnTimer, QStringLiteral("N"));
    EXPECT_TRUE(Read_All(Path()).contains("OnTimer=\"0\""));
}

TEST_F(OpcUaClientFile, EmptyModelAndServerWithoutVariablesWriteEmptyContainers)
{
    Write_OPC_UA_Client_File(Path(), {});
    EXPECT_EQ(Read_All(Path()).toStdString(), "<OPC_UA_Client><OPC_UA_Server_List/></OPC_UA_Client>\r\n");
    TOPC_UA_Client_Load load = Read_OPC_UA_Client_File(Path());
    EXPECT_TRUE(load.Servers.empty());
    EXPECT_FALSE(load.Partial());

    Write_OPC_UA_Client_File(Path(), {TOPC_UA_Server()});
    EXPECT_EQ(Read_All(Path()).toStdString(),
              std::string("<OPC_UA_Client><OPC_UA_Server_List><OPC_UA_Server Enable=\"0\" ServerAddress=\"\" "
                         "Authorization=\"\" UserName=\"\" Password=\"\" Certificate=\"\" PrivateKey=\"\" "
                         "SecurityType=\"\" SecurityPolicy=\"\" Mnemonic=\"\"><OPC_UA_Variables><OPC_UA_Read_Var/>"
                         "<OPC_UA_Write_Var/></OPC_UA_Variables></OPC_UA_Server></OPC_UA_Server_List>"
                         "</OPC_UA_Client>\r\n"));
    load = Read_OPC_UA_Client_File(Path());
    ASSERT_EQ(load.Servers.size(), 1u);
    EXPECT_EQ(load.Servers[0], TOPC_UA_Server());
}

TEST_F(OpcUaClientFile, FixtureRoundTripsByteForByteAndIsWellFormed)
{
    const QByteArray fixture = Read_All(It_Fixture("OPC_UA_Client.xml"));
    ASSERT_FALSE(fixture.isEmpty());
    const TOPC_UA_Client_Load load = Read_OPC_UA_Client_File(It_Fixture("OPC_UA_Client.xml"));
    ASSERT_FALSE(load.Partial()) << load.Failure.toStdString();
    ASSERT_EQ(load.Servers.size(), 2u);
    EXPECT_EQ(load.Servers[0].Certificate, QStringLiteral("-----BEGIN CERTIFICATE-----\r\nMIIBkTCB+wIJ\r\n-----END CERTIFICATE-----"));
    EXPECT_EQ(load.Servers[0].Var_List_R.size(), 3u);
    EXPECT_EQ(load.Servers[1].Var_List_W.size(), 1u);
    Write_OPC_UA_Client_File(Path(), load.Servers);
    EXPECT_EQ(Read_All(Path()).toStdString(), fixture.toStdString());

    Expect_Well_Formed(Path());
}

TEST_F(OpcUaClientFile, NameSpaceIndexKeepsItsLowSixteenBits)
{
    const TOPC_UA_Client_Load load =
        Load_Bytes(Client_File(Server_Element(Server_Attrs("a"), Variable_Element("v", "").replace(
                                                                      "NameSpaceIndex=\"1\"", "NameSpaceIndex=\"70000\""))));
    ASSERT_EQ(load.Servers.size(), 1u);
    ASSERT_EQ(load.Servers[0].Var_List_R.size(), 1u);
    EXPECT_EQ(load.Servers[0].Var_List_R[0].nameSpaceIndex, 4464);
}

TEST_F(OpcUaClientFile, MissingFlagsReadAsOff)
{
    const TOPC_UA_Client_Load load = Load_Bytes(Client_File(
        "<OPC_UA_Server " + Server_Attrs("a") + "><OPC_UA_Variables><OPC_UA_Read_Var/><OPC_UA_Write_Var>" +
        Variable_Element("w").replace("Enable=\"1\" ", "").replace("OnChange=\"1\" ", "").replace("OnCMD=\"0\" ", "") +
        "</OPC_UA_Write_Var></OPC_UA_Variables></OPC_UA_Server>"));
    ASSERT_FALSE(load.Partial()) << load.Failure.toStdString();
    ASSERT_EQ(load.Servers.size(), 1u);
    EXPECT_FALSE(load.Servers[0].Enable);
    ASSERT_EQ(load.Servers[0].Var_List_W.size(), 1u);
    const TOPC_UA_Variable& v = load.Servers[0].Var_List_W[0];
    EXPECT_FALSE(v.Enable);
    EXPECT_EQ(v.OnChange, QStringLiteral("N"));
    EXPECT_EQ(v.OnCMD, QStringLiteral("N"));
    EXPECT_EQ(v.OnTimer, QStringLiteral("N"));
}

TEST_F(OpcUaClientFile, AFailedLoadKeepsTheServersBeforeItAndSaysWhere)
{
    struct Case {
        const char* name;
        QByteArray file;
        size_t servers;
        QStringList said;
    };
    const QByteArray good = Server_Element(Server_Attrs("one"), Variable_Element("r1"));
    const Case cases[] = {
        {"second of three lacks SecurityType",
         Client_File(good + Server_Element(Server_Attrs("two", false)) + Server_Element(Server_Attrs("three"))), 1,
         {"server 2", "SecurityType"}},
        {"read variable without NodeID",
         Client_File(Server_Element(Server_Attrs("one"),
                                    Variable_Element("r1") + Variable_Element("r2").replace(" NodeID=\"7\"", ""))),
         0, {"server 1, read variable 2", "NodeID"}},
        {"NameSpaceIndex no number",
         Client_File(good + Server_Element(Server_Attrs("two"), {},
                                           Variable_Element("w").replace("NameSpaceIndex=\"1\"", "NameSpaceIndex=\"x\""))),
         1, {"server 2, write variable 1"}},
        {"no write list",
         Client_File(good + "<OPC_UA_Server " + Server_Attrs("two") +
                     "><OPC_UA_Variables><OPC_UA_Read_Var/></OPC_UA_Variables></OPC_UA_Server>"),
         1, {"server 2", "OPC_UA_Write_Var"}},
        {"no server list", "<OPC_UA_Client/>\r\n", 0, {"OPC_UA_Server_List"}},
        {"other root", "<OPC_UA_Clients><OPC_UA_Server_List/></OPC_UA_Clients>\r\n", 0, {"OPC_UA_Client"}},
        {"not well-formed", Client_File(good).replace("</OPC_UA_Client>", "</OPC_UA"), 0, {"line"}},
    };
    for (const Case& c : cases) {
        const TOPC_UA_Client_Load load = Load_Bytes(c.file);
        EXPECT_TRUE(load.Partial()) << c.name;
        EXPECT_EQ(load.Servers.size(), c.servers) << c.name;
        EXPECT_TRUE(load.Failure.contains(Path())) << c.name << ": " << load.Failure.toStdString();
        for (const QString& s : c.said)
            EXPECT_TRUE(load.Failure.contains(s)) << c.name << ": " << load.Failure.toStdString();
    }
    const TOPC_UA_Client_Load load = Load_Bytes(cases[0].file);
    ASSERT_EQ(load.Servers.size(), 1u);
    EXPECT_EQ(load.Servers[0].ServerAddress, QStringLiteral("one"));
    EXPECT_EQ(load.Servers[0].Var_List_R.size(), 1u);
}

TEST_F(OpcUaClientFile, MissingFileIsAnEmptyModel)
{
    const TOPC_UA_Client_Load load = Read_OPC_UA_Client_File(Path());
    EXPECT_FALSE(load.File_Found);
    EXPECT_FALSE(load.Partial());
    EXPECT_TRUE(load.Servers.empty());
}

TEST_F(OpcUaClientFile, AListLongerThanTheGridLoadsItsFirstRowsAndCountsTheRest)
{
    QByteArray reads, writes;
    for (int i = 1; i <= 1030; ++i)
        reads += Variable_Element("r" + QByteArray::number(i));
    // Variables past the limit are not read, so a fault among them stops nothing.
    for (int i = 1; i <= 1026; ++i)
        writes += i <= 1024 ? Variable_Element("w") : QByteArray("<Variable/>");
    const TOPC_UA_Client_Load load = Load_Bytes(Client_File(Server_Element(Server_Attrs("a")) +
                                                            Server_Element(Server_Attrs("b"), reads, writes)));
    EXPECT_TRUE(load.Failure.isEmpty()) << load.Failure.toStdString();
    EXPECT_TRUE(load.Partial());
    ASSERT_EQ(load.Servers.size(), 2u);
    EXPECT_EQ(load.Servers[1].Var_List_R.size(), 1024u);
    EXPECT_EQ(load.Servers[1].Var_List_R.back().DispalyName, QStringLiteral("r1024"));
    EXPECT_EQ(load.Servers[1].Var_List_W.size(), 1024u);
    EXPECT_EQ(load.Left_Out, (std::vector<TOPC_UA_Left_Out>{{2, false, 6}, {2, true, 2}}));
    EXPECT_EQ(load.Left_Out_Count(), 8);
}

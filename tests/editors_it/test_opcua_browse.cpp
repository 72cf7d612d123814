// Browsing a server through a stand-in of the browse library that asks a loopback stub.

#include "editors_it/opcua_browse.h"

#include "platform/core/dynlib.h"
#include "platform/core/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "shell/loopback_stub.h"

#include "opcua_stub_reply.h"

#include <map>
#include <string>

namespace {

TOPC_UA_Server Server_At(int port)
{
    TOPC_UA_Server s;
    s.ServerAddress = QStringLiteral("opc.tcp://127.0.0.1:%1").arg(port);
    s.Authorization = QStringLiteral("Anonymous");
    s.SecurityType = QStringLiteral("None");
    s.SecurityPolicy = QStringLiteral("None");
    return s;
}

class OpcUaBrowse : public ::testing::Test {
protected:
    void SetUp() override { Set_OPC_UA_Search_Folder_For_Tests(QString::fromUtf8(KV_OPCUA_STUB_DIR)); }
    void TearDown() override { Set_OPC_UA_Search_Folder_For_Tests(QString()); }
};

}  // namespace

TEST_F(OpcUaBrowse, RequestCarriesTheServerSettings)
{
    TLoopbackHttpStub stub("");
    TOPC_UA_Server s = Server_At(stub.Port());
    s.Authorization = QStringLiteral("Username and Password");
    s.UserName = QStringLiteral("operator");
    s.Password = QStringLiteral("p w%\u00e8");
    s.Certificate = QStringLiteral("-----BEGIN-----\r\nAB\r\n-----END-----");
    s.PrivateKey = QStringLiteral("key");
    s.SecurityType = QStringLiteral("Sign");
    s.SecurityPolicy = QStringLiteral("Basic 256");
    const TOPC_UA_Browse_Result r = OPC_UA_Browse(s);
    EXPECT_FALSE(r.Failed());
    EXPECT_TRUE(r.Variables.empty());

    const std::map<std::string, std::string> f = Fields(stub.Request());
    EXPECT_EQ(f.at("server_address"), "opc.tcp://127.0.0.1:" + std::to_string(stub.Port()));
    EXPECT_EQ(f.at("user_pass_auth_flag"), "1");
    EXPECT_EQ(f.at("username"), "operator");
    EXPECT_EQ(f.at("password"), "p%20w%25%E8");  // Windows-1252 bytes
    EXPECT_EQ(f.at("cert"), "-----BEGIN-----%0D%0AAB%0D%0A-----END-----");
    EXPECT_EQ(f.at("priv_key"), "key");
    EXPECT_EQ(f.at("security_type"), "1");
    EXPECT_EQ(f.at("security_policy"), "2");
}

TEST_F(OpcUaBrowse, FoundVariablesKeepTheirTextsAfterTheLibraryIsGone)
{
    TLoopbackHttpStub stub(Found(2, 3, 0, "ns=2;s=Temp%20A", 0, 0, 0, "", "", "Temperatura%20%B0C", 9, 1) +
                           Found(0, 4, 0, "", 0x0102030A, 0x0B0C, 0x0D0E, "0F10111213141516", "", "Stamp", 12, 2) +
                           Found(1, 5, 0, "", 0, 0, 0, "", "AQID", "Blob", 14, 3) + Numeric(4294967295u, "Counter", 0));
    const TOPC_UA_Browse_Result r = OPC_UA_Browse(Server_At(stub.Port()));
    ASSERT_FALSE(r.Failed()) << r.Failure_Message().toStdString();
    ASSERT_EQ(r.Variables.size(), 4u);

    struct Shown {
        const char* display;
        const char* nodeId;
        const char* access;
        bool read, write;
    };
    const Shown shown[] = {{"Temperatura \u00b0C", "ns=2;s=Temp A", "Read", true, false},
                           {"Stamp", "0102030A-0B0C-0D0E-0F10-111213141516", "Write", false, true},
                           {"Blob", "AQID", "Read/Write", true, true},
                           {"Counter", "4294967295", "Read/Write", true, true}};
    for (size_t i = 0; i < 4; ++i) {
        const TOPC_UA_Browsed_Variable& v = r.Variables[i];
        EXPECT_EQ(v.Variable.DispalyName, QString::fromUtf8(shown[i].display)) << i;
        EXPECT_EQ(v.Variable.NodeID(), QString::fromUtf8(shown[i].nodeId)) << i;
        EXPECT_EQ(v.Access_Text(), QString::fromLatin1(shown[i].access)) << i;
        EXPECT_EQ(v.Readable(), shown[i].read) << i;
        EXPECT_EQ(v.Writable(), shown[i].write) << i;
    }
    EXPECT_EQ(r.Variables[0].Variable.nameSpaceIndex, 2);
    EXPECT_EQ(r.Variables[1].Variable.dataType, 12);

    // As they join a list: enabled, identifier and type copied, no other text.
    const TOPC_UA_Variable& guid = r.Variables[1].Variable;
    EXPECT_TRUE(guid.Enable);
    EXPECT_EQ(guid.NodeType(), QStringLiteral("Guid"));
    EXPECT_EQ(guid.NodeID(), QStringLiteral("0102030A-0B0C-0D0E-0F10-111213141516"));
    EXPECT_EQ(guid.VarType(), QStringLiteral("DateTime"));
    EXPECT_EQ(guid.DispalyName, QStringLiteral("Stamp"));
    EXPECT_TRUE(guid.Time.isEmpty() && guid.Position.isEmpty() && guid.OnTimer.isEmpty() && guid.Mnemonic.isEmpty());
    EXPECT_EQ(r.Variables[0].Variable.NodeID(), QStringLiteral("ns=2;s=Temp A"));
    EXPECT_EQ(r.Variables[2].Variable.NodeID(), QStringLiteral("AQID"));
}

TEST_F(OpcUaBrowse, OnlyTheLoopbackAddressIsAskedAndNothingFoundIsNoFailure)
{
    {
        TLoopbackHttpStub stub(Numeric(1, "a"));
        TOPC_UA_Server s = Server_At(stub.Port());
        s.ServerAddress = QStringLiteral("opc.tcp://localhost:%1").arg(stub.Port());
        const TOPC_UA_Browse_Result r = OPC_UA_Browse(s);
        EXPECT_FALSE(r.Failed());
        EXPECT_TRUE(r.Variables.empty());
        EXPECT_EQ(stub.Request(), "");
    }
    TLoopbackHttpStub stub("");
    const TOPC_UA_Browse_Result r = OPC_UA_Browse(Server_At(stub.Port()));
    EXPECT_FALSE(r.Failed());
    EXPECT_TRUE(r.Variables.empty());
    EXPECT_NE(stub.Request(), "");
}

TEST_F(OpcUaBrowse, MissingLibraryOrEntryPointNamesWhatIsMissing)
{
    QTemporaryDir empty;
    Set_OPC_UA_Search_Folder_For_Tests(empty.path());
    const QString path = PathJoin(empty.path(), QStringLiteral("libOPC_UA_Search.so"));
    EXPECT_EQ(OPC_UA_Search_Library_Path(), path);
    TOPC_UA_Browse_Result r = OPC_UA_Browse(Server_At(1));
    EXPECT_EQ(r.Failure_Text, 4630);
    EXPECT_EQ(r.Failure_Detail, path);
    EXPECT_EQ(r.Failure_Message().split(u'\n').value(1), path);
    EXPECT_TRUE(r.Variables.empty());

    Set_OPC_UA_Search_Folder_For_Tests(QString::fromUtf8(KV_OPCUA_STUB_NO_RETURN_DIR));
    r = OPC_UA_Browse(Server_At(1));
    EXPECT_EQ(r.Failure_Text, 4631);
    EXPECT_EQ(r.Failure_Detail, QStringLiteral("opcua_return_variable"));
    EXPECT_EQ(r.Failure_Message().split(u'\n').value(1), QStringLiteral("opcua_return_variable"));

    Set_OPC_UA_Search_Folder_For_Tests(QString());
    EXPECT_EQ(OPC_UA_Search_Library_Path(), PathJoin(ProgramFolder(), QStringLiteral("libOPC_UA_Search.so")));
}

TEST_F(OpcUaBrowse, AppendingStopsAtTheGridsRowsAndCountsTheRest)
{
    std::string body;
    for (unsigned i = 1; i <= 1030; ++i)
        body += Numeric(i, "v" + std::to_string(i));
    TLoopbackHttpStub stub(body);
    const TOPC_UA_Browse_Result r = OPC_UA_Browse(Server_At(stub.Port()));
    ASSERT_EQ(r.Variables.size(), 1030u);

    std::vector<TOPC_UA_Variable> list;
    EXPECT_EQ(OPC_UA_Append_Browsed(list, r.Variables, std::vector<bool>(1030, true)), 6);
    ASSERT_EQ(list.size(), 1024u);
    EXPECT_EQ(list.back().DispalyName, QStringLiteral("v1024"));

    // Only marked ones are taken, after what the list holds.
    std::vector<TOPC_UA_Variable> some(1000);
    std::vector<bool> marks(1030, false);
    for (size_t i = 0; i < 1030; i += 2)
        marks[i] = true;
    EXPECT_EQ(OPC_UA_Append_Browsed(some, r.Variables, marks), 515 - 24);
    ASSERT_EQ(some.size(), 1024u);
    EXPECT_EQ(some[1000].DispalyName, QStringLiteral("v1"));
    EXPECT_EQ(some[1001].DispalyName, QStringLiteral("v3"));

    std::vector<TOPC_UA_Variable> none;
    EXPECT_EQ(OPC_UA_Append_Browsed(none, r.Variables, std::vector<bool>(1030, false)), 0);
    EXPECT_TRUE(none.empty());
}

#if defined(__SANITIZE_ADDRESS__)
// The stand-in frees its texts when it is unloaded, so a browse that kept a pointer
// into a record instead of copying would be caught by the address sanitizer.
TEST_F(OpcUaBrowse, TheStandInCatchesAReadAfterUnloading)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto late_read = [] {
        TLoopbackHttpStub stub(Numeric(1, "late"));
        const char* display = nullptr;
        {
            TDynLib lib(OPC_UA_Search_Library_Path());
            TOPC_UA_Server_Texts texts;
            const TOPC_UA_Server s = Server_At(stub.Port());
            lib.Function<opcua_client_begin_fn>(QStringLiteral("opcua_client_begin"))(OPC_UA_Server_Record(s, texts));
            opcua_structure r{};
            lib.Function<opcua_return_variable_fn>(QStringLiteral("opcua_return_variable"))(&r, 0);
            display = r.displayName;
        }
        volatile char c = display[0];
        (void)c;
    };
    EXPECT_DEATH(late_read(), "heap-use-after-free");
}
#endif

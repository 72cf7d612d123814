// The OPC UA server variables: type lengths, the row check and OPC_UA_Server.xml.

#include "editors_it/opcua_server_file.h"

#include <gtest/gtest.h>

#include "support/file_bytes.h"

#include "opcua_test_files.h"

namespace {

TOPC_UA_Server_Var_Row Row(const char* type, const char* position, bool enable = true)
{
    TOPC_UA_Server_Var_Row r;
    r.Enable = enable;
    r.Type = QString::fromLatin1(type);
    r.Position = QString::fromLatin1(position);
    return r;
}

QByteArray Server_File(const QByteArray& rows)
{
    return "<OPC_UA_Server><OPC_UA_Server_Variables>" + rows +
           "</OPC_UA_Server_Variables></OPC_UA_Server>\r\n<!--SW_VERSION = 1.000-->\r\n";
}

class OpcUaServerFile : public TProjectFileTest {
protected:
    OpcUaServerFile() : TProjectFileTest("OPC_UA_Server.xml") {}
    TOPC_UA_Server_Vars_Load Load_Bytes(const QByteArray& bytes)
    {
        Write_All(Path(), bytes);
        return Read_OPC_UA_Server_File(Path());
    }
};

}  // namespace

TEST(OpcUaServerVariables, TypeGivesItsLength)
{
    struct Case {
        const char* type;
        const char* length;  // nullptr: nothing changes
        bool readOnly;
    };
    const Case cases[] = {{"Boolean", "1", true}, {"Signed Byte", "1", true}, {"Byte", "1", true},
                          {"Int16", "2", true},   {"UInt16", "2", true},      {"Int32", "4", true},
                          {"UInt32", "4", true},  {"Float", "4", true},       {"Int64", "8", true},
                          {"UInt64", "8", true},  {"Double", "8", true},      {"String", "10", false},
                          {"ByteString", "10", false}, {"float", nullptr, false}, {"", nullptr, false},
                          {"Float ", nullptr, false}};
    for (const Case& c : cases) {
        const auto l = OPC_UA_Server_Type_Length(QString::fromLatin1(c.type));
        ASSERT_EQ(l.has_value(), c.length != nullptr) << c.type;
        if (!l)
            continue;
        EXPECT_EQ(l->Length, QString::fromLatin1(c.length)) << c.type;
        EXPECT_EQ(l->Read_Only, c.readOnly) << c.type;
    }
    EXPECT_EQ(OPC_UA_Server_Var_Types().size(), 13);
    EXPECT_EQ(OPC_UA_Server_RW_Types(), (QStringList{QStringLiteral("Read Only"), QStringLiteral("Read/Write")}));
}

TEST(OpcUaServerVariables, ChoosingATypeSetsTheLengthAndAnEmptyAccess)
{
    TOPC_UA_Server_Var_Row r;
    EXPECT_EQ(OPC_UA_Server_Var_Set_Length(r, QStringLiteral("Float")), std::optional<bool>(true));
    EXPECT_EQ(r.Length, QStringLiteral("4"));
    EXPECT_EQ(r.ReadWrite, QStringLiteral("Read/Write"));

    r.ReadWrite = QStringLiteral("Read Only");
    EXPECT_EQ(OPC_UA_Server_Var_Set_Length(r, QStringLiteral("String")), std::optional<bool>(false));
    EXPECT_EQ(r.Length, QStringLiteral("10"));
    EXPECT_EQ(r.ReadWrite, QStringLiteral("Read Only"));

    r.Length = QStringLiteral("32");
    r.ReadWrite.clear();
    EXPECT_EQ(OPC_UA_Server_Var_Set_Length(r, QStringLiteral("Char")), std::nullopt);
    EXPECT_EQ(r.Length, QStringLiteral("32"));
    EXPECT_EQ(r.ReadWrite, QStringLiteral("Read/Write"));
}

TEST(OpcUaServerVariables, CheckFindsTheFirstEnabledRowWithABadPosition)
{
    struct Case {
        const char* name;
        std::vector<TOPC_UA_Server_Var_Row> rows;
        int bad;
    };
    const Case cases[] = {
        {"abc", {Row("Float", "0"), Row("Int32", "abc")}, 2},
        {"abc disabled", {Row("Float", "0"), Row("Int32", "abc", false)}, 0},
        {"bounds", {Row("Int32", "0"), Row("Int32", "1999")}, 0},
        {"2000", {Row("Int32", "1999"), Row("Int32", "2000")}, 2},
        {"negative", {Row("Int32", "-1")}, 1},
        {"blank type skipped, not an end", {Row(" ", "abc"), Row("Int32", "x")}, 2},
        {"empty position", {Row("String", "")}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OPC_UA_Server_First_Bad_Row(c.rows), c.bad) << c.name;
}

TEST_F(OpcUaServerFile, RowsAfterATypeGapAreSavedAndLoadBack)
{
    std::vector<TOPC_UA_Server_Var_Row> rows = {Row("Int32", "0"), Row("", "5"), Row("  ", "6"), Row("String", "4", false)};
    rows[3].Length = QStringLiteral("32");
    rows[3].ReadWrite = QStringLiteral("Read Only");
    Write_OPC_UA_Server_File(Path(), rows);
    EXPECT_EQ(Read_All(Path()).toStdString(),
              Server_File("<row Enable=\"Y\" Type=\"Int32\" Position=\"0\" Length=\"\" Name=\"\" ReadWrite=\"\" Mnemonic=\"\"/>"
                          "<row Enable=\"N\" Type=\"String\" Position=\"4\" Length=\"32\" Name=\"\" ReadWrite=\"Read Only\" "
                          "Mnemonic=\"\"/>").toStdString());
    const TOPC_UA_Server_Vars_Load load = Read_OPC_UA_Server_File(Path());
    EXPECT_FALSE(load.Partial()) << load.Failure.toStdString();
    EXPECT_EQ(load.Rows, (std::vector<TOPC_UA_Server_Var_Row>{rows[0], rows[3]}));

    Write_OPC_UA_Server_File(Path(), {});
    EXPECT_EQ(Read_All(Path()).toStdString(),
              "<OPC_UA_Server><OPC_UA_Server_Variables/></OPC_UA_Server>\r\n<!--SW_VERSION = 1.000-->\r\n");
}

TEST_F(OpcUaServerFile, MissingAttributesTakeTheirDefaults)
{
    const TOPC_UA_Server_Vars_Load load =
        Load_Bytes(Server_File("<row Type=\"String\" Length=\"32\"/><row Enable=\"N\"/><row Enable=\"y\"/><!-- c --><row/>"));
    ASSERT_FALSE(load.Partial()) << load.Failure.toStdString();
    ASSERT_EQ(load.Rows.size(), 4u);
    EXPECT_TRUE(load.Rows[0].Enable);
    EXPECT_EQ(load.Rows[0].Type, QStringLiteral("String"));
    EXPECT_EQ(load.Rows[0].Length, QStringLiteral("32"));
    EXPECT_TRUE(load.Rows[0].ReadWrite.isEmpty());
    EXPECT_FALSE(load.Rows[1].Enable);
    EXPECT_TRUE(load.Rows[2].Enable);  // anything but "N" sets the box
    EXPECT_EQ(load.Rows[3], TOPC_UA_Server_Var_Row());
}

TEST_F(OpcUaServerFile, RowsPastTheGridAreCountedAndTheLoadIsPartial)
{
    QByteArray rows;
    for (int i = 1; i <= 260; ++i)
        rows += "<row Type=\"Byte\" Position=\"" + QByteArray::number(i) + "\"/>";
    const TOPC_UA_Server_Vars_Load load = Load_Bytes(Server_File(rows));
    EXPECT_TRUE(load.Failure.isEmpty());
    EXPECT_EQ(load.Rows.size(), 250u);
    EXPECT_EQ(load.Rows.back().Position, QStringLiteral("250"));
    EXPECT_EQ(load.Left_Out, 10);
    EXPECT_TRUE(load.Partial());
}

TEST_F(OpcUaServerFile, UnreadableFilesAreReportedNotRaised)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {"<!-- first --><OPC_UA_Server><OPC_UA_Server_Variables/></OPC_UA_Server>", "OPC_UA_Server_Variables"},
        {"<Other><Rows/></Other>", "OPC_UA_Server_Variables"},
        {"<OPC_UA_Server><OPC_UA_Server_Variables>", "line"},
    };
    for (const auto& [bytes, said] : cases) {
        const TOPC_UA_Server_Vars_Load load = Load_Bytes(bytes);
        EXPECT_TRUE(load.Partial()) << said;
        EXPECT_TRUE(load.Rows.empty()) << said;
        EXPECT_TRUE(load.Failure.contains(Path())) << load.Failure.toStdString();
        EXPECT_TRUE(load.Failure.contains(QString::fromLatin1(said))) << load.Failure.toStdString();
    }
    // Another root name loads.
    const TOPC_UA_Server_Vars_Load load = Load_Bytes("<X><OPC_UA_Server_Variables><row Type=\"Byte\"/></OPC_UA_Server_Variables></X>");
    EXPECT_FALSE(load.Partial());
    EXPECT_EQ(load.Rows.size(), 1u);
    const TOPC_UA_Server_Vars_Load none = Read_OPC_UA_Server_File(Dir.filePath(QStringLiteral("none.xml")));
    EXPECT_FALSE(none.File_Found);
    EXPECT_FALSE(none.Partial());
}

TEST_F(OpcUaServerFile, FixtureRoundTripsByteForByteAndIsWellFormed)
{
    const QByteArray fixture = Read_All(It_Fixture("OPC_UA_Server.xml"));
    ASSERT_FALSE(fixture.isEmpty());
    const TOPC_UA_Server_Vars_Load load = Read_OPC_UA_Server_File(It_Fixture("OPC_UA_Server.xml"));
    ASSERT_FALSE(load.Partial()) << load.Failure.toStdString();
    EXPECT_EQ(load.Rows.size(), 4u);
    Write_OPC_UA_Server_File(Path(), load.Rows);
    EXPECT_EQ(Read_All(Path()).toStdString(), fixture.toStdString());

    Expect_Well_Formed(Path());
}

// The BACnet EDE list written from the server object list.

#include "editors_modbus_bacnet/bacnet_ede_writer.h"
#include "editors_modbus_bacnet/ede_import.h"

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "common/working_state.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/file_bytes.h"

namespace {

QByteArray Row(const QByteArray& dataType, const QByteArray& unit, const QByteArray& mnemonic)
{
    return "<row Data_Type=\"" + dataType + "\" Position=\"0\" Length=\"\" Bit=\"0\" Swap=\"N\" Eng_Unit=\"" + unit +
           "\" Mnemonic=\"" + mnemonic + "\"/>";
}

QByteArray Slave_File(const QByteArray& readRows, const QByteArray& writeRows)
{
    return "<BACnet_Slave><BACnet_in_Read>" + readRows + "</BACnet_in_Read><BACnet_in_Write>" + writeRows +
           "</BACnet_in_Write></BACnet_Slave>\r\n<!--SW_VERSION = 1.000-->\r\n";
}

QByteArray Par_Gen(const QByteArray& keys) { return "<Par_Gen>" + keys + "</Par_Gen>\r\n<!--SW_VERSION = 1.001-->\r\n"; }

const char* const Python = "/usr/bin/python3";

// Python's csv module on the list: every line 8 fields with the last empty, and type and
// instance of object lines integers. Empty when it agrees.
QString Csv_Faults(const QString& path)
{
    const char* script = R"(
import csv, sys
faults = []
with open(sys.argv[1], newline='', encoding='cp1252') as f:
    for n, row in enumerate(csv.reader(f, delimiter=';'), 1):
        if len(row) != 8 or row[7] != '':
            faults.append('line %d: %d fields' % (n, len(row)))
        elif n > 7:
            try:
                int(row[3]); int(row[4])
            except ValueError:
                faults.append('line %d: type or instance not an integer' % n)
print('\n'.join(faults))
)";
    QProcess p;
    p.start(QString::fromLatin1(Python), {QStringLiteral("-c"), QString::fromLatin1(script), path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("python failed: ") + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

class BacnetEdeWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Clock.NowValue = EncodeDate(2026, 3, 7) + EncodeTime(9, 5, 3, 0);
    }
    QString Path(const char* name) const { return Dir.filePath(QString::fromLatin1(name)); }
    QString ParGen() const { return Path("ParGen.xml"); }
    QString Slave() const { return Path("BACnet_Slave.xml"); }

    QStringList Run(const char* project = "Plant1")
    {
        Make_EDE_File(Path("out.csv"), ParGen(), Slave(), QString::fromLatin1(project));
        return QString::fromLatin1(Read_All(Path("out.csv"))).split(QStringLiteral("\r\n"));
    }

    void Expect_Csv_Agrees(const QString& path)
    {
        if (!QFile::exists(QString::fromLatin1(Python)))
            GTEST_SKIP() << "/usr/bin/python3 is not installed: the list was not read by Python's csv";
        EXPECT_EQ(Csv_Faults(path), QString());
    }

    QTemporaryDir Dir;
    TManualClock Clock;
    TClockScope Scope{Clock};
};

TEST_F(BacnetEdeWriter, ListMatchesTheHandWrittenGoldenFileByteForByte)
{
    Write_All(ParGen(), Par_Gen("<BACnet_Type>0</BACnet_Type><BACnet_DEV_IDE>1001</BACnet_DEV_IDE>"
                                "<BACnet_Ser_DEV_IDE>7</BACnet_Ser_DEV_IDE>"));
    Write_All(Slave(), Slave_File(Row("Analog Input", "62", "Boiler_Temperature_Supply") + Row("Analog Value", "95", "r1") +
                                      Row("ANALOG VALUE", "95", "r2") + Row(" analog value ", "95", "r3") +
                                      Row("Multi State Value", "", "m1") + Row("Multi State Value", "", "m2"),
                                  Row("Analog Value", "98", "w1") + Row("Analog Value", "98", "w2") +
                                      Row("Binary Out", "0", "Pump_Cmd") + Row("Foo", "62", "Unknown")));
    Make_EDE_File(Path("out.csv"), ParGen(), Slave(), QStringLiteral("Plant1"));
    const QString golden = QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/editors_modbus_bacnet/golden_plant1_ede.csv");
    ASSERT_TRUE(QFile::exists(golden));
    EXPECT_EQ(Read_All(Path("out.csv")), Read_All(golden));
    Expect_Csv_Agrees(Path("out.csv"));

    // Our own import reads the list back.
    const std::vector<TBACnet_Var> back = Load_EDE_File(Path("out.csv"));
    ASSERT_EQ(back.size(), 10u);
    EXPECT_EQ(back[0].object_name, QStringLiteral("Boiler_Temperatu"));
    EXPECT_EQ(back[0].device_obj_instance, 1001);
    EXPECT_EQ(back[7].object_type, 2);
    EXPECT_EQ(back[7].object_instance, 4);
    EXPECT_EQ(back[9].present_value_default, QStringLiteral("62"));
}

TEST_F(BacnetEdeWriter, SettingsComeFromTheGeneralParameters)
{
    Write_All(Slave(), Slave_File(Row("Analog Input", "62", "Temp") + Row("Analog Input", "62", "ABCDEFGHIJKLMNOPQRST"), ""));
    const struct {
        const char* Name;
        QByteArray Keys;  // empty: no ParGen.xml
        const char* Line8;
        const char* Name20;
    } cases[] = {
        {"no file", {}, "_Temp_0;;Temp;0;0;Temp;62;", "ABCDEFGHIJKLMNOP"},
        {"IP server", "<BACnet_DEV_IDE>1001</BACnet_DEV_IDE><BACnet_Ser_DEV_IDE>7</BACnet_Ser_DEV_IDE>",
         "1001_Temp_0;1001;Temp;0;0;Temp;62;", "ABCDEFGHIJKLMNOP"},
        {"serial server without its key", "<BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>1001</BACnet_DEV_IDE>",
         "_Temp_0;;Temp;0;0;Temp;62;", "ABCDEFGHIJKLMNOP"},
        {"serial server", "<BACnet_Type>1</BACnet_Type><BACnet_Ser_DEV_IDE> 7</BACnet_Ser_DEV_IDE>",
         " 7_Temp_0; 7;Temp;0;0;Temp;62;", "ABCDEFGHIJKLMNOP"},
        {"long names", "<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>", "_Temp_0;;Temp;0;0;Temp;62;",
         "ABCDEFGHIJKLMNOPQRST"},
        {"\"01\" is no long-name option", "<BACnet_Desc_Chars_Limit>01</BACnet_Desc_Chars_Limit>",
         "_Temp_0;;Temp;0;0;Temp;62;", "ABCDEFGHIJKLMNOP"},
    };
    // The runs follow each other: nothing of one reaches the next.
    for (const auto& c : cases) {
        QFile::remove(ParGen());
        if (!c.Keys.isEmpty())
            Write_All(ParGen(), Par_Gen(c.Keys));
        const QStringList lines = Run();
        ASSERT_EQ(lines.size(), 10) << c.Name;
        EXPECT_EQ(lines[7], QString::fromLatin1(c.Line8)) << c.Name;
        EXPECT_EQ(lines[8].section(QLatin1Char(';'), 2, 2), QString::fromLatin1(c.Name20)) << c.Name;
        EXPECT_TRUE(lines[8].contains(QStringLiteral("_ABCDEFGHIJKLMNOPQRST_1;"))) << c.Name;
    }
}

TEST_F(BacnetEdeWriter, WithoutServerListOnlyTheHeaderIsWritten)
{
    const QByteArray bytes = (Run(), Read_All(Path("out.csv")));
    EXPECT_EQ(bytes, QByteArray("PROJECT_NAME; Norvel--Plant1;;;;;;\r\n"
                                "VERSION_OF_REFERENCEFILE;1.0;;;;;;\r\n"
                                "TIMESTAMP_OF_LAST_CHANGE;09:05:03 07/03/2026;;;;;;\r\n"
                                "AUTHOR_OF_LAST_CHANGE;Norvel;;;;;;\r\n"
                                "VERSION_OF_LAYOUT;2;;;;;;\r\n"
                                "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;\r\n"
                                "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;\r\n"));
    EXPECT_EQ(Get_EDE_Time_Stamp(EncodeDate(2026, 12, 31) + EncodeTime(23, 59, 58, 999)), QStringLiteral("23:59:58 31/12/2026"));
    EXPECT_EQ(Get_EDE_Time_Stamp(EncodeDate(2026, 1, 2)), QStringLiteral("00:00:00 02/01/2026"));
}

TEST_F(BacnetEdeWriter, FieldsNeverSplitTheirLine)
{
    Write_All(ParGen(), Par_Gen("<BACnet_DEV_IDE>10;01</BACnet_DEV_IDE>"));
    Write_All(Slave(), Slave_File(Row("Analog Input", "6;2", "a;b&#10;c&#13;d&#9;e"), Row("Binary Value", "1", "x;y")));
    const QStringList lines = Run("Pl;ant");
    EXPECT_EQ(lines[0], QStringLiteral("PROJECT_NAME; Norvel--Pl_ant;;;;;;"));
    EXPECT_EQ(lines[7], QStringLiteral("10_01_a_b c d e_0;10_01;a_b c d e;0;0;a_b c d e;6_2;"));
    EXPECT_EQ(lines[8], QStringLiteral("10_01_x_y_0;10_01;x_y;5;0;x_y;1;"));
    Expect_Csv_Agrees(Path("out.csv"));
    ASSERT_EQ(Load_EDE_File(Path("out.csv")).size(), 2u);
    EXPECT_EQ(Load_EDE_File(Path("out.csv"))[1].object_type, 5);
}

TEST_F(BacnetEdeWriter, TextIsWrittenInWindows1252)
{
    Write_All(Slave(), Slave_File(Row("Analog Input", "62", "\xe2\x82\xac\xce\xa9\xc3\xa9"), ""));
    const QByteArray bytes = (Run(), Read_All(Path("out.csv")));
    EXPECT_TRUE(bytes.contains("\r\n_\x80?\xe9_0;;\x80?\xe9;0;0;\x80?\xe9;62;\r\n"));
}

TEST_F(BacnetEdeWriter, BrokenInputRaisesAndLeavesTheTargetAsItWas)
{
    const struct {
        const char* Name;
        QByteArray ParGen, Slave;
    } cases[] = {
        {"slave not well-formed", {}, "<BACnet_Slave><BACnet_in_Read>"},
        {"no write section", {}, "<BACnet_Slave><BACnet_in_Read/></BACnet_Slave>"},
        {"comment first", {}, "<!--c--><BACnet_Slave><BACnet_in_Read/><BACnet_in_Write/></BACnet_Slave>"},
        {"no Mnemonic", {}, Slave_File("<row Data_Type=\"Analog Input\" Eng_Unit=\"62\"/>", "")},
        {"no Eng_Unit", {}, Slave_File("", "<row Data_Type=\"Analog Input\" Mnemonic=\"m\"/>")},
        {"no Data_Type", {}, Slave_File("<row Eng_Unit=\"62\" Mnemonic=\"m\"/>", "")},
        {"ParGen not well-formed", "<Par_Gen><BACnet_Type>", Slave_File("", "")},
    };
    for (const auto& c : cases) {
        QFile::remove(ParGen());
        QFile::remove(Slave());
        if (!c.ParGen.isEmpty())
            Write_All(ParGen(), c.ParGen);
        Write_All(Slave(), c.Slave);
        Write_All(Path("old.csv"), "old list");
        EXPECT_THROW(Make_EDE_File(Path("old.csv"), ParGen(), Slave(), QStringLiteral("P")), Exception) << c.Name;
        EXPECT_EQ(Read_All(Path("old.csv")), QByteArray("old list")) << c.Name;
    }
}

TEST(BacnetEdeTypes, DataTypeTextsGiveObjectTypesAndCountTheirInstances)
{
    const struct {
        const char* Text;
        int Type;
    } cases[] = {
        {"ANALOG INPUT", 0},          {"ANALOG OUT", 1},          {"ANALOG VALUE", 2},
        {"BINARY INPUT", 3},          {"BINARY OUT", 4},          {"BINARY VALUE", 5},
        {"MULTI STATE INPUT", 13},    {"MULTI STATE OUTPUT", 14}, {"MULTI STATE VALUE", 19},
        {"LIFE SAFETY POINT", 21},    {"LIFE SAFETY ZONE", 22},   {"ACCUMULATOR", 23},
        {"ACCESS DOOR", 30},          {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44},
        {"INTEGER VALUE", 45},        {"LARGE ANALOG VALUE", 46}, {"POSITIVE INTEGER VALUE", 48},
        {"", 0},                      {"Analog Value", 0},        {"ANALOG OUTPUT", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Get_EDE_Object_Type(QString::fromLatin1(c.Text)), c.Type) << c.Text;

    TEDE_Run run;
    EXPECT_EQ(Get_EDE_Instance(run, 48), 0);
    EXPECT_EQ(Get_EDE_Instance(run, 48), 1);
    EXPECT_EQ(Get_EDE_Instance(run, 7), 0);
    EXPECT_EQ(Get_EDE_Instance(run, 7), 0);
    Clear_EDE_Counters(run);
    EXPECT_EQ(Get_EDE_Instance(run, 48), 0);
    EXPECT_EQ(Get_EDE_Project_Part(), QString());
}

}  // namespace

namespace {

TEST_F(BacnetEdeWriter, ReadsTheOpenProjectsFiles)
{
    TWorkingState& ws = WS();
    const QString savedParGen = ws.Name_File_ParGen, savedSlave = ws.Name_File_BACnet_Slave, savedName = ws.Project_Name;
    ws.Name_File_ParGen = ParGen();
    ws.Name_File_BACnet_Slave = Slave();
    ws.Project_Name = QStringLiteral("Site");
    Write_All(ParGen(), Par_Gen("<BACnet_DEV_IDE>5</BACnet_DEV_IDE>"));
    Write_All(Slave(), Slave_File(Row("Analog Input", "62", "T"), ""));
    Write_EDE_File(Path("site.csv"));
    ws.Name_File_ParGen = savedParGen;
    ws.Name_File_BACnet_Slave = savedSlave;
    ws.Project_Name = savedName;
    const QString text = QString::fromLatin1(Read_All(Path("site.csv")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("PROJECT_NAME; Norvel--Site;;;;;;\r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n5_T_0;5;T;0;0;T;62;\r\n")));
}

}  // namespace

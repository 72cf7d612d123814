// The CANopen electronic data sheet written from the PDO map and the SDO server list.

#include "editors_can/canopen_eds_writer.h"
#include "editors_can/canopen_texts.h"

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/file_bytes.h"

#include "eds_checker.h"

namespace {

QByteArray Pdo_File(const QByteArray& receiveRows, const QByteArray& transmitRows)
{
    return "<PDO_CANopen><Receive_PDO>" + receiveRows + "</Receive_PDO><Transmit_PDO>" + transmitRows +
           "</Transmit_PDO></PDO_CANopen>\r\n<!--SW_VERSION = 1.002-->\r\n";
}

QByteArray Rx_Row(const char* cob, const char* dim)
{
    return QByteArray("<row COB-ID=\"") + cob + "\" Dimension=\"" + dim +
           "\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"abc\" Address_B4=\"\" Address_B5=\"\" "
           "Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" Mnemonic=\"\"/>";
}

QByteArray Tx_Row(const char* cob, const char* dim)
{
    return QByteArray("<row COB-ID=\"") + cob + "\" Dimension=\"" + dim +
           "\" Address_B1=\"5\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" "
           "Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" Send_Time=\"100\" On_Change=\"Y\" Mnemonic=\"\"/>";
}

QByteArray Sdo_File(const QByteArray& readRows, const QByteArray& writeRows)
{
    return "<SDO_Server_CANopen><SDO_Read>" + readRows + "</SDO_Read><SDO_Write>" + writeRows +
           "</SDO_Write></SDO_Server_CANopen>\r\n<!--SW_VERSION = 1.002-->\r\n";
}

QByteArray Sdo_Row(const char* index, const char* sub, const char* nbyte)
{
    return QByteArray("<row Index=\"") + index + "\" SubIndex=\"" + sub + "\" NByte=\"" + nbyte +
           "\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"m\"/>";
}

class CanopenEdsWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Clock.NowValue = EncodeDate(2026, 3, 7) + EncodeTime(12, 30, 0, 0);
    }

    QString Path(const char* name) const { return Dir.filePath(QString::fromLatin1(name)); }
    QString Pdo() const { return Path("PDO_CANopen.xml"); }
    QString Sdo() const { return Path("SDO_Server_CANopen.xml"); }

    // The two project files (an empty text: no file) and a sheet "old.eds" to replace.
    void Project_Files(const QByteArray& pdo, const QByteArray& sdo)
    {
        QFile::remove(Pdo());
        QFile::remove(Sdo());
        if (!pdo.isEmpty())
            Write_All(Pdo(), pdo);
        if (!sdo.isEmpty())
            Write_All(Sdo(), sdo);
        Write_All(Path("old.eds"), "old sheet");
    }

    // Writes the sheet and gives its text.
    QString Sheet(const char* target = "out.eds")
    {
        Write_EDS_File(Path(target), Pdo(), Sdo());
        return QString::fromLatin1(Read_All(Path(target)));
    }

    void Expect_Checker_Passes(const char* target = "out.eds")
    {
        if (!Have_Python())
            GTEST_SKIP() << "/usr/bin/python3 is not installed: the sheet's structure was not checked";
        EXPECT_EQ(Checker_Faults(Path(target)), QString());
    }

    QTemporaryDir Dir;
    TManualClock Clock;
    TClockScope Scope{Clock};
};

TEST_F(CanopenEdsWriter, SheetMatchesTheHandWrittenGoldenFileByteForByte)
{
    Write_All(Pdo(), Pdo_File(Rx_Row("0x201", "2"), Tx_Row("0x181", "1")));
    Write_All(Sdo(), Sdo_File(Sdo_Row("0x2000", "3", "2") + Sdo_Row("0x2000", "1", "1") + Sdo_Row("8193", "0", "1"),
                              Sdo_Row("0x2001", "10", "4")));
    Write_EDS_File(Path("out.eds"), Pdo(), Sdo());
    const QByteArray golden = Read_All(QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/editors_can/golden_canopen.eds"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(Read_All(Path("out.eds")), golden);
    Expect_Checker_Passes();
}

TEST_F(CanopenEdsWriter, WithoutProjectFilesOnlyTheFixedSectionsAreWritten)
{
    const QString text = Sheet();
    EXPECT_TRUE(text.contains(QStringLiteral("NrOfRXPDO=0\r\nNrOfTXPDO=0\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[OptionalObjects]\r\nSupportedObjects=8\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[ManufacturerObjects]\r\nSupportedObjects=0\r\n\r\n[1000]")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("[1280sub3]\r\nParameterName=Node ID of the SDO Server\r\n"
                                             "ObjectType=0x07\r\nDataType=0x0005\r\nAccessType=rw\r\nPDOMapping=0\r\n\r\n")));
    EXPECT_FALSE(text.endsWith(QStringLiteral("\r\n\r\n\r\n")));
    Expect_Checker_Passes();
}

TEST_F(CanopenEdsWriter, TimeStampsUseStandardTwelveHourTime)
{
    const struct {
        int Hour, Minute;
        const char* Text;
    } cases[] = {
        {0, 0, "12:00AM"}, {0, 15, "12:15AM"}, {9, 7, "09:07AM"}, {12, 0, "12:00PM"}, {12, 30, "12:30PM"}, {18, 5, "06:05PM"},
    };
    for (const auto& c : cases) {
        const TDateTime when = EncodeDate(2026, 12, 1) + EncodeTime(c.Hour, c.Minute, 0, 0);
        EXPECT_EQ(EDS_Time_Text(when), QString::fromLatin1(c.Text)) << c.Hour << ":" << c.Minute;
    }
    EXPECT_EQ(EDS_Date_Text(EncodeDate(2026, 12, 1)), QStringLiteral("12-01-2026"));

    Clock.NowValue = EncodeDate(2026, 1, 2) + EncodeTime(18, 5, 0, 0);
    const QString text = Sheet();
    EXPECT_TRUE(text.contains(QStringLiteral("CreationTime=06:05PM\r\nCreationDate=01-02-2026\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("ModificationTime=06:05PM\r\nModificationDate=01-02-2026\r\n")));
}

TEST_F(CanopenEdsWriter, AnEntryListedTwiceGetsOneSectionWritableWhenAnyOccurrenceIsWritten)
{
    // 0x2000 sub 0: read (1 byte) and written (4 bytes); 0x2100 sub 5 twice in the read list.
    Write_All(Sdo(), Sdo_File(Sdo_Row("0x2000", "0", "1") + Sdo_Row("0x2100", "5", "2") + Sdo_Row("0x2100", "5", "4"),
                              Sdo_Row("0x2000", "0", "4") + Sdo_Row("0x2000", "1", "1")));
    const QString text = Sheet();
    EXPECT_EQ(text.count(QStringLiteral("[2000sub0]")), 1);
    EXPECT_EQ(text.count(QStringLiteral("[2100sub5]")), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("[2000]\r\nSubNumber=2\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[2100]\r\nSubNumber=2\r\n")));  // sub 5 plus the added sub 0
    EXPECT_TRUE(text.contains(QStringLiteral("[2000sub0]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\n"
                                             "DataType=0x0005\r\nLowLimit=0x00\r\nHighLimit=0xFF\r\nDefaultValue=0x00\r\n"
                                             "AccessType=rw\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[2100sub5]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\n"
                                             "DataType=0x0006\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[2100sub5]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\n"
                                             "DataType=0x0006\r\nLowLimit=0x0000\r\nHighLimit=0xFFFF\r\nDefaultValue=0x0000\r\n"
                                             "AccessType=ro\r\n")));
    Expect_Checker_Passes();
}

TEST_F(CanopenEdsWriter, ThirtyOneRowsGiveThirtyPdos)
{
    QByteArray rows;
    for (int i = 0; i < 31; ++i)
        rows += Rx_Row(QByteArray::number(0x200 + i).constData(), "8");
    Write_All(Pdo(), Pdo_File(rows, rows));
    const QString text = Sheet();
    EXPECT_TRUE(text.contains(QStringLiteral("NrOfRXPDO=30\r\nNrOfTXPDO=30\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("SupportedObjects=188\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[701D]\r\nSubNumber=9\r\nParameterName=RPDO30\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[706Dsub8]\r\nParameterName=cv8\r\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("[701E]")));
    Expect_Checker_Passes();
}

TEST_F(CanopenEdsWriter, NumbersAreReadAsTheEditorsReadThem)
{
    Write_All(Pdo(), Pdo_File(Rx_Row("$181", "abc") + Rx_Row("0x", "0"), Tx_Row("x7FF", "") + Tx_Row(" 385", "1")));
    const QString text = Sheet();
    EXPECT_TRUE(text.contains(QStringLiteral("[1400sub1]\r\nParameterName=COB-ID\r\nObjectType=0x07\r\nDataType=0x0007\r\n"
                                             "AccessType=rw\r\nDefaultValue=0x00000181\r\n")));
    // Not an integer: COB-ID 0, Dimension 8.
    EXPECT_TRUE(text.contains(QStringLiteral("[1600]\r\nSubNumber=9\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("DefaultValue=0x00000000\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[1601]\r\nSubNumber=1\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("DefaultValue=0x000007FF\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("DefaultValue=0x00000181\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[7000sub8]\r\nParameterName=b8\r\n")));
    Expect_Checker_Passes();
}

TEST_F(CanopenEdsWriter, FileNameLineNamesTheFixedSheetWhateverTheTarget)
{
    const QString text = Sheet("my device.EDS");
    EXPECT_TRUE(text.startsWith(QStringLiteral("[FileInfo]\r\nFileName=VIZediZadud_CANopen.eds\r\n")));
}

TEST_F(CanopenEdsWriter, FaultyProjectFilesRaiseAndLeaveTheTargetAsItWas)
{
    const struct {
        const char* Name;
        QByteArray Pdo, Sdo;
    } cases[] = {
        {"no Transmit_PDO", "<PDO_CANopen><Receive_PDO/></PDO_CANopen>", {}},
        {"no SDO_Write", {}, "<SDO_Server_CANopen><SDO_Read/></SDO_Server_CANopen>"},
        {"comment first", "<!--SW_VERSION = 1.002--><PDO_CANopen><Receive_PDO/><Transmit_PDO/></PDO_CANopen>", {}},
        {"no Dimension", Pdo_File("<row COB-ID=\"1\"/>", ""), {}},
        {"Dimension 9", Pdo_File(Rx_Row("1", "9"), ""), {}},
        {"Dimension -1", Pdo_File(Rx_Row("1", "-1"), ""), {}},
        {"SDO index no integer", {}, Sdo_File(Sdo_Row("0x2000h", "0", "1"), "")},
        {"SDO NByte no integer", {}, Sdo_File("", Sdo_Row("0x2000", "0", ""))},
        {"SDO sub-index 256", {}, Sdo_File(Sdo_Row("0x2000", "256", "1"), "")},
        {"SDO index 0x10000", {}, Sdo_File(Sdo_Row("0x10000", "0", "1"), "")},
        {"not well-formed", "<PDO_CANopen><Receive_PDO>", {}},
    };
    for (const auto& c : cases) {
        Project_Files(c.Pdo, c.Sdo);
        EXPECT_THROW(Write_EDS_File(Path("old.eds"), Pdo(), Sdo()), Exception) << c.Name;
        EXPECT_EQ(Read_All(Path("old.eds")), QByteArray("old sheet")) << c.Name;
    }
}

// A row the sheet cannot describe stops the writer with the text the user sees: the
// editor's list, the row and the field. Nothing is written.
TEST_F(CanopenEdsWriter, ARefusedRowNamesItsListRowAndField)
{
    Add_Lang_Block_Source(&PDO_Lang_Blocks);
    Add_Lang_Block_Source(&SDO_Server_Lang_Blocks);
    Init_Lang_Table();
    const struct {
        const char* Name;
        QByteArray Pdo, Sdo;
        const char* Message;  // after "Error!! The EDS file was not written: "
    } cases[] = {
        {"Dimension 9", Pdo_File(Rx_Row("1", "1") + Rx_Row("2", "9"), ""), {},
         "[Receive PDO] row 2, Dimension must be between 0 and 8"},
        {"Dimension -1", Pdo_File("", Tx_Row("1", "-1")), {}, "[Transmit PDO] row 1, Dimension must be between 0 and 8"},
        {"index 0x10000", {}, Sdo_File(Sdo_Row("0x10000", "0", "1"), ""),
         "[SDO in Read] row 1, Index must be between 0x0000 and 0xFFFF"},
        {"index no number", {}, Sdo_File("", Sdo_Row("0x2000", "1", "1") + Sdo_Row("0x2000h", "0", "1")),
         "[SDO in Write] row 2, Index must be between 0x0000 and 0xFFFF"},
        {"sub-index 256", {}, Sdo_File(Sdo_Row("0x2000", "256", "1"), ""),
         "[SDO in Read] row 1, SubIndex must be between 0x00 and 0xFF"},
        {"size no number", {}, Sdo_File("", Sdo_Row("0x2000", "0", "")), "[SDO in Write] row 1, N Byte must be a number"},
        {"sub-index 0 of 4 bytes beside sub-index 1", {}, Sdo_File(Sdo_Row("0x2000", "1", "1") + Sdo_Row("8192", "0", "4"), ""),
         "[SDO in Read] row 2, SubIndex 0 must be of 1 byte when the Index has other SubIndexes"},
        {"sub-index 1 in the other list", {}, Sdo_File(Sdo_Row("0x2000", "1", "1"), Sdo_Row("0x2000", "0", "2")),
         "[SDO in Write] row 1, SubIndex 0 must be of 1 byte when the Index has other SubIndexes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Project_Files(c.Pdo, c.Sdo);
        try {
            Write_EDS_File(Path("old.eds"), Pdo(), Sdo());
            ADD_FAILURE() << "written";
        } catch (const EEDS_Refused& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Error!! The EDS file was not written: ") + QString::fromLatin1(c.Message));
        }
        EXPECT_EQ(Read_All(Path("old.eds")), QByteArray("old sheet"));
    }

    // A lone sub-index 0 stays a variable of its size.
    QFile::remove(Pdo());
    Write_All(Sdo(), Sdo_File(Sdo_Row("0x2000", "0", "4"), Sdo_Row("0x2000", "0", "2")));
    EXPECT_TRUE(Sheet().contains(QStringLiteral("[2000sub0]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\n"
                                                "DataType=0x0007\r\n")));
    Expect_Checker_Passes();
}

TEST_F(CanopenEdsWriter, CheckerRefusesARepeatedSectionAndAcceptsAPublicProfile)
{
    if (!Have_Python())
        GTEST_SKIP() << "/usr/bin/python3 is not installed: the checker was not run";
    QByteArray golden = Read_All(QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/editors_can/golden_canopen.eds"));
    ASSERT_FALSE(golden.isEmpty());
    golden += "[1001]\r\nParameterName=Error Register\r\n\r\n";
    Write_All(Path("repeated.eds"), golden);
    EXPECT_NE(Checker_Faults(Path("repeated.eds")), QString());

    // Sub-index 0 of a record is its entry count, UNSIGNED8.
    QByteArray wide = Read_All(QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/editors_can/golden_canopen.eds"));
    wide.replace("[2001sub0]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\nDataType=0x0005",
                 "[2001sub0]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\nDataType=0x0007");
    Write_All(Path("wide.eds"), wide);
    EXPECT_TRUE(Checker_Faults(Path("wide.eds")).contains(QStringLiteral("[2001sub0]")));

    QByteArray lf = Read_All(QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/editors_can/golden_canopen.eds"));
    lf.replace("\r\n", "\n");
    Write_All(Path("lf.eds"), lf);
    EXPECT_NE(Checker_Faults(Path("lf.eds")), QString());
    EXPECT_EQ(Checker_Faults(Path("lf.eds"), false), QString());

    const QString profile = QString::fromUtf8(KV_SHARED_TESTDATA_DIR) + QStringLiteral("/eds_canopen/CANopenNode_DS301_profile.eds");
    if (!QFile::exists(profile))
        GTEST_SKIP() << "missing " << profile.toStdString() << ": the checker was not tried on a public profile";
    EXPECT_EQ(Checker_Faults(profile, false), QString());
}

}  // namespace

namespace {

TEST(CanopenEdsStep, ReadsTheOpenProjectsFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TWorkingState& ws = WS();
    const QString savedPdo = ws.Name_File_PDO_CANopen, savedSdo = ws.Name_File_SDO_Server_CANopen;
    ws.Name_File_PDO_CANopen = dir.filePath(QStringLiteral("PDO_CANopen.xml"));
    ws.Name_File_SDO_Server_CANopen = dir.filePath(QStringLiteral("SDO_Server_CANopen.xml"));
    Write_All(ws.Name_File_PDO_CANopen, Pdo_File(Rx_Row("0x201", "2") + Rx_Row("0x202", "1"), Tx_Row("0x181", "1")));
    Write_All(ws.Name_File_SDO_Server_CANopen, Sdo_File(Sdo_Row("0x2000", "1", "1"), Sdo_Row("0x3000", "0", "2")));
    Write_EDS_File(dir.filePath(QStringLiteral("out.eds")));
    ws.Name_File_PDO_CANopen = savedPdo;
    ws.Name_File_SDO_Server_CANopen = savedSdo;
    const QString text = QString::fromLatin1(Read_All(dir.filePath(QStringLiteral("out.eds"))));
    EXPECT_TRUE(text.contains(QStringLiteral("NrOfRXPDO=2\r\nNrOfTXPDO=1\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[ManufacturerObjects]\r\nSupportedObjects=2\r\n1=0x2000\r\n2=0x3000\r\n")));
}

}  // namespace

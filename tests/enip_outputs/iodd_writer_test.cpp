#include "enip_outputs/bank_compiler.h"
#include "enip_outputs/crc32.h"
#include "enip_outputs/iodd_writer.h"
#include "enip_test_support.h"
#include "support/deep_xml.h"
#include "platform/core/files.h"
#include "platform/core/format_settings.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

QString Schema_Path()
{
    return QStringLiteral(KV_SHARED_TESTDATA_DIR "/iodd/schema/IODD1.1.xsd");
}

QString Project_File(const char* name)
{
    return Fixture_Path(QStringLiteral("full_project/")) + QString::fromLatin1(name);
}

TIODD_Data Fixture_Data()
{
    return Load_IODD_Data(Project_File("ParGen.xml"), Project_File("IOLink_Slave.xml"));
}

// xmllint's verdict on a document; empty when it validates.
QString Schema_Errors(const QString& doc)
{
    QProcess p;
    p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), Schema_Path(), doc});
    p.waitForFinished(60000);
    if (p.exitCode() == 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardError());
}

#define REQUIRE_SCHEMA()                                                                         \
    if (!QFile::exists(Schema_Path()) || QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty()) \
        GTEST_SKIP() << "IODD schema or xmllint not available: schema check skipped";

TEST(IoddWriter, ReadsTheEnabledRowsOfTheFixtureProject)
{
    const TIODD_Data d = Fixture_Data();
    EXPECT_EQ(d.Bit_Rate, QStringLiteral("COM2"));
    ASSERT_EQ(d.Variables.size(), 3);  // "Y", "y" and " Y"; not "N" nor the row without Enable
    EXPECT_EQ(d.Variables[0].Name, QStringLiteral("Speed & <limit>"));
    EXPECT_EQ(d.Variables[0].Access, QStringLiteral("rw"));
    EXPECT_FLOAT_EQ(d.Variables[0].Gradient, 0.1f);
    EXPECT_EQ(d.Variables[1].Index, 0x50);
    EXPECT_FLOAT_EQ(d.Variables[2].Gradient, 1.5f);  // decimal comma accepted
    EXPECT_EQ(d.Input.size(), 3);
    EXPECT_EQ(d.Output.size(), 1);
    EXPECT_EQ(d.Input_Bits, 14);
    EXPECT_EQ(d.Output_Bits, 8);
    EXPECT_EQ(d.Min_Cycle_Time, 2600);
}

TEST(IoddWriter, DocumentValidatesAndCarriesTheCrcOfItsFirstPass)
{
    REQUIRE_SCHEMA();
    QTemporaryDir dir;
    const QString doc = dir.filePath(IODD_Base_Name(QDate(2026, 3, 7)) + QStringLiteral(".xml"));
    const uint32_t crc = Write_IODD_Xml(doc, Fixture_Data(), QDate(2026, 3, 7));
    EXPECT_TRUE(doc.endsWith(QStringLiteral("Norvel-MB31804-20260307-IODD1.1.xml")));

    const QString errors = Schema_Errors(doc);
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();

    QByteArray bytes = Read_File(doc);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.endsWith("</IODevice>\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count("\n"));  // every line ends in CR LF

    const QByteArray stamp = "<Stamp crc=\"" + QByteArray::number(crc) + "\">";
    ASSERT_TRUE(bytes.contains(stamp));
    bytes.replace(stamp, "<Stamp crc=\"\">");
    const uLong expected = crc32(0L, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size()));
    EXPECT_EQ(crc, uint32_t(expected));
    if (!QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty()) {
        const QString emptied = dir.filePath(QStringLiteral("emptied.xml"));
        Write_File(emptied, bytes);
        QProcess py;
        py.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, zlib; print(zlib.crc32(open(sys.argv[1], 'rb').read()))"), emptied});
        py.waitForFinished(30000);
        EXPECT_EQ(py.readAllStandardOutput().trimmed(), QByteArray::number(crc));
    }

    // Texts from the project are escaped, not inserted raw.
    const QByteArray raw = Read_File(doc);
    EXPECT_TRUE(raw.contains("value=\"Speed &amp; &lt;limit>\""));
    EXPECT_TRUE(raw.contains("value=\"Motor &quot;A&quot; speed\""));
}

TEST(IoddWriter, TemplateDetailsOfTheFixtureDocument)
{
    const QByteArray d = Build_IODD_Document(Fixture_Data(), QStringLiteral("123"), QDate(2026, 3, 7));
    const char* expected[] = {
        "\t<DocumentInfo version=\"V1.0.1\" releaseDate=\"2026-03-07\" copyright=\"",
        "\t\t\t\t<StdVariableRef id=\"V_ProcessDataOutput\"/>\r\n\r\n\t\t\t\t<Variable id=\"PAR_0\" "
        "accessRights=\"rw\"  index=\"64\" defaultValue=\"-1\">\r\n",
        "\t\t\t\t\t<Datatype xsi:type=\"UIntegerT\" bitLength=\"16\"/>\r\n",
        "<Variable id=\"PAR_1\" accessRights=\"wo\"  index=\"80\" defaultValue=\"1\">\r\n\t\t\t\t\t<Datatype "
        "xsi:type=\"BooleanT\"/>",
        "<ProcessDataIn id=\"PD_IN\" bitLength=\"14\">",
        "<RecordItem subindex=\"2\" bitOffset=\"12\">\r\n\t\t\t\t\t\t\t\t<SimpleDatatype xsi:type=\"BooleanT\"/>"
        "\r\n\t\t\t\t\t\t\t\t<Name textId=\"TN_PDIn_1\"></Name>",
        "<RecordItem subindex=\"3\" bitOffset=\"13\">",
        "<ProcessDataOut id=\"PD_OUT\" bitLength=\"8\">",
        "<VariableRef variableId=\"PAR_0\" displayFormat=\"Dec\" gradient=\"0.100000001490116\" offset=\"-5\" "
        "unitCode=\"1083\"/>",
        "<VariableRef variableId=\"PAR_1\" displayFormat=\"Dec\"/>",
        "<RecordItemRef variableId=\"V_ProcessDataInput\" subindex=\"1\" displayFormat=\"Dec\" gradient=\"0.5\" "
        "offset=\"10\"/>",
        "<RecordItemRef variableId=\"V_ProcessDataInput\" subindex=\"2\" displayFormat=\"Dec\"/>",
        "<RecordItemRef variableId=\"V_ProcessDataOutput\" subindex=\"1\" displayFormat=\"Dec\" gradient=\"2\" "
        "offset=\"0\"/>",
        "<PhysicalLayer minCycleTime=\"2600\" sioSupported=\"true\" bitrate=\"COM2\" mSequenceCapability=\"41\">",
        "<StdErrorTypeRef code=\"128\" additionalCode=\"130\"/><!-- Application not ready -->",
        "\t\t\t<Text id=\"TN_PDOut_0\" value=\"Setpoint\"/>\r\n\t\t\t<Text id=\"TD_PDOut_0\" value=\"Set "
        "&lt;point>\"/>\r\n\t\t\t<Text id=\"TN_PD_In\" value=\"Process data input\"/>",
        "\t<Stamp crc=\"123\"><Checker name=\"IODD-Checker V1.1.6\" version=\"V1.1.6.0\"/></Stamp>\r\n</IODevice>\r\n",
    };
    for (const char* e : expected)
        EXPECT_TRUE(d.contains(e)) << "missing: " << e;
    EXPECT_TRUE(d.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<IODevice "));
}

TEST(IoddWriter, FixtureDocumentMatchesTheTemplateLineByLine)
{
    // The expected file was written by hand from the template, with the stamp of the first pass.
    const QByteArray expected = Read_File(Fixture_Path(QStringLiteral("full_project_iodd_20260307.xml")));
    ASSERT_FALSE(expected.isEmpty());
    const QByteArray d = Build_IODD_Document(Fixture_Data(), QString(), QDate(2026, 3, 7));
    const QList<QByteArray> want = expected.split('\n'), got = d.split('\n');
    for (int i = 0; i < std::min(want.size(), got.size()); ++i)
        ASSERT_EQ(got[i].toStdString(), want[i].toStdString()) << "line " << i + 1;
    EXPECT_EQ(d, expected);
}

TEST(IoddWriter, ProcessDataBitLengths)
{
    struct {
        std::vector<int> lengths;
        int total;
    } cases[] = {{{1, 1, 12}, 14}, {{8, 8, 1}, 24}, {{16}, 16}, {{9, 8}, 24}, {{3}, 3}};
    for (const auto& c : cases) {
        QVector<TProcessData> items;
        for (int l : c.lengths) {
            TProcessData p;
            p.Length = l;
            items << p;
        }
        EXPECT_EQ(IODD_PD_Bit_Length(items), c.total);
    }
}

TEST(IoddWriter, RefusesDataTheSchemaWouldReject)
{
    const TIODD_Data base = Fixture_Data();
    ASSERT_TRUE(Check_IODD_Data(base).isEmpty()) << Check_IODD_Data(base).toStdString();
    struct {
        const char* what;
        std::function<void(TIODD_Data&)> change;
        const char* message;
    } cases[] = {
        {"no variable", [](TIODD_Data& d) { d.Variables.clear(); }, "no enabled IO-Link variable"},
        {"no process data", [](TIODD_Data& d) { d.Input.clear(); d.Output.clear(); }, "no enabled process data"},
        {"65-bit variable", [](TIODD_Data& d) { d.Variables[0].Length = 65; }, "is 65 bits long"},
        {"0-bit variable", [](TIODD_Data& d) { d.Variables[0].Length = 0; }, "is 0 bits long"},
        {"no access", [](TIODD_Data& d) { d.Variables[1].Access.clear(); }, "no valid access"},
        {"input above 256 bits",
         [](TIODD_Data& d) {
             for (auto& p : d.Input)
                 p.Length = 64;
             d.Input << d.Input[0] << d.Input[0];  // 5 x 64 bits
         },
         "input process data take 320 bits"},
        {"output raised above 256 bits",
         [](TIODD_Data& d) {
             d.Output[0].Length = 64;
             d.Output << d.Output[0] << d.Output[0] << d.Output[0];
             d.Output[3].Length = 63;
             TProcessData p;
             p.Length = 2;
             d.Output << p;  // 257 bits, raised to 264
         },
         "output process data take 264 bits"},
    };
    for (const auto& c : cases) {
        TIODD_Data d = base;
        c.change(d);
        const QString m = Check_IODD_Data(d);
        EXPECT_TRUE(m.contains(QString::fromLatin1(c.message))) << c.what << ": " << m.toStdString();
    }
    TIODD_Data onlyOut = base;
    onlyOut.Input.clear();
    EXPECT_TRUE(Check_IODD_Data(onlyOut).isEmpty());
}

TEST(IoddWriter, BitRateIsMatchedAsTheGeneralParametersWindowMatchesIt)
{
    // The stored rate is trimmed and compared exactly; anything else is COM1, as in the
    // window and the banks.
    const TIODD_Data fixture = Load_IODD_Data(QStringLiteral(KV_FIXTURES_DIR "/params_iolink/ParGen_all_keys.xml"),
                                              Project_File("IOLink_Slave.xml"));
    EXPECT_EQ(fixture.Bit_Rate, QStringLiteral("COM3"));  // stored as " COM3 "
    EXPECT_TRUE(Build_IODD_Document(fixture, QString(), QDate(2026, 3, 7)).contains("bitrate=\"COM3\""));

    QTemporaryDir dir;
    const QString parGen = dir.filePath(QStringLiteral("ParGen.xml"));
    const struct {
        const char* stored;
        const char* rate;
    } cases[] = {{"COM2", "COM2"}, {"\tCOM2 ", "COM2"}, {"com3", "COM1"},
                 {"COM 3", "COM1"}, {"", "COM1"},         {"COM4", "COM1"}};
    for (const auto& c : cases) {
        Write_File(parGen,
                   QByteArray("<Par_Gen><IOLink_Slave_Baudrate>") + c.stored + "</IOLink_Slave_Baudrate></Par_Gen>");
        EXPECT_EQ(Load_IODD_Data(parGen, QString()).Bit_Rate, QString::fromLatin1(c.rate)) << c.stored;
    }
    Write_File(parGen, "<Par_Gen><IOLink_Slave_Baudrate>COM2");
    EXPECT_EQ(Load_IODD_Data(parGen, QString()).Bit_Rate, QStringLiteral("COM1"));  // not well-formed
}

TEST(IoddWriter, ProcessDataLengthsAreSummedWide)
{
    QTemporaryDir dir;
    const QString slave = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    Write_File(slave, "<VIZediZadud><Process_Data><Process_Data_Input>"
                      "<row Enable=\"Y\" Name=\"Big\" Length=\"2147483647\"/><row Enable=\"Y\" Length=\"8\"/>"
                      "</Process_Data_Input><Process_Data_Output>"
                      "<row Enable=\"Y\" Length=\"-2147483648\"/><row Enable=\"Y\" Length=\"-8\"/>"
                      "</Process_Data_Output></Process_Data></VIZediZadud>");
    TIODD_Data d = Load_IODD_Data(QString(), slave);
    EXPECT_EQ(d.Input_Bits, 2147483655LL);
    EXPECT_EQ(d.Output_Bits, -2147483656LL);
    EXPECT_EQ(IODD_PD_Bit_Length(d.Input), 2147483656LL);
    TVariable v;
    v.Access = QStringLiteral("ro");
    v.Length = 8;
    d.Variables << v;
    EXPECT_TRUE(Check_IODD_Data(d).contains(QStringLiteral("\"Big\" is 2147483647 bits long")))
        << Check_IODD_Data(d).toStdString();
    d.Input[0].Length = 64;
    d.Input.fill(d.Input[0], 5);
    EXPECT_TRUE(Check_IODD_Data(d).contains(QStringLiteral("input process data take 320 bits")));
}

// Each change either gives a document the schema accepts or is refused with a message
// naming the variable or item.
TEST(IoddWriter, WhatTheSchemaWouldRejectIsRefusedAndTheRestValidates)
{
    REQUIRE_SCHEMA();
    struct {
        const char* what;
        std::function<void(TIODD_Data&)> change;
        const char* refusal;  // nullptr: the document validates
        const char* written;  // a text the document holds
    } cases[] = {
        {"no unit code", [](TIODD_Data& d) { d.Variables[0].UnitCode = 0; }, nullptr,
         "<VariableRef variableId=\"PAR_0\" displayFormat=\"Dec\" gradient=\"0.100000001490116\" offset=\"-5\"/>"},
        {"negative unit code", [](TIODD_Data& d) { d.Variables[0].UnitCode = -3; },
         "\"Speed & <limit>\" (index 64) has the unit code -3", nullptr},
        {"unit code of a 1-bit variable is not written", [](TIODD_Data& d) { d.Variables[1].UnitCode = -3; }, nullptr,
         "<VariableRef variableId=\"PAR_1\" displayFormat=\"Dec\"/>"},
        {"index 65535", [](TIODD_Data& d) { d.Variables[2].Index = 65535; }, nullptr, "index=\"65535\""},
        {"index 65536", [](TIODD_Data& d) { d.Variables[2].Index = 65536; },
         "\"Status\" has the index 65536; an IODD variable index is 0 to 65535", nullptr},
        {"index -1", [](TIODD_Data& d) { d.Variables[0].Index = -1; }, "\"Speed & <limit>\" has the index -1", nullptr},
        {"same index twice", [](TIODD_Data& d) { d.Variables[2].Index = 64; },
         "variables \"Speed & <limit>\" and \"Status\" both have the index 64", nullptr},
        {"small gradient", [](TIODD_Data& d) { d.Variables[0].Gradient = 1e-5f; }, nullptr,
         "gradient=\"0.00000999999974737875\""},
        {"small process-data gradient", [](TIODD_Data& d) { d.Input[0].Gradient = -2e-10f; }, nullptr,
         "gradient=\"-0.000000000200000002"},
        {"large gradient", [](TIODD_Data& d) { d.Variables[2].Gradient = 1e20f; }, nullptr,
         "gradient=\"100000002004088000000\""},
        {"gradient too small for a decimal", [](TIODD_Data& d) { d.Variables[0].Gradient = 1e-30f; },
         "gradient 0.00000000000000000000000000000100000000317108 of the IO-Link variable \"Speed & <limit>\"",
         nullptr},
        {"process-data gradient too large", [](TIODD_Data& d) { d.Output[0].Gradient = 3e38f; },
         "of the output process data item \"Setpoint\" needs more than 24 digits", nullptr},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        TIODD_Data d = Fixture_Data();
        c.change(d);
        const QString refusal = Check_IODD_Data(d);
        if (c.refusal) {
            EXPECT_TRUE(refusal.contains(QString::fromUtf8(c.refusal))) << c.what << ": " << refusal.toStdString();
            continue;
        }
        ASSERT_TRUE(refusal.isEmpty()) << c.what << ": " << refusal.toStdString();
        const QString doc = dir.filePath(QStringLiteral("case.xml"));
        Write_IODD_Xml(doc, d, QDate(2026, 3, 7));
        const QString errors = Schema_Errors(doc);
        EXPECT_TRUE(errors.isEmpty()) << c.what << ": " << errors.toStdString();
        EXPECT_TRUE(Read_File(doc).contains(c.written)) << c.what;
    }
}

TEST(IoddWriter, ReadsAtMostTheRowsTheEditorHoldsAndSaysWhatWasLeftOut)
{
    QTemporaryDir dir;
    const QString slave = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    QByteArray xml = "<VIZediZadud><Variables>";
    for (int i = 0; i < 600; ++i)
        xml += "<row Enable=\"Y\" Index=\"" + QByteArray::number(1000 + i) +
               "\" Access=\"Read Only\" Length=\"8\"/><row Enable=\"N\" Length=\"8\"/>";
    xml += "</Variables><Process_Data><Process_Data_Input>";
    for (int i = 0; i < 600; ++i)
        xml += "<row Enable=\"Y\" Length=\"1\"/>";
    xml += "</Process_Data_Input></Process_Data></VIZediZadud>";
    Write_File(slave, xml);
    const TIODD_Data d = Load_IODD_Data(QString(), slave);
    ASSERT_EQ(d.Variables.size(), Max_IOLink_Par);
    EXPECT_EQ(d.Variables.back().Index, 1000 + Max_IOLink_Par - 1);
    EXPECT_EQ(d.Warnings, QStringList{IOLink_Variables_Left_Out(600 - Max_IOLink_Par)});
    EXPECT_EQ(d.Input.size(), Max_IOLink_Par);
    EXPECT_EQ(d.Input_Bits, Max_IOLink_Par);
}

TEST(IoddWriter, ProjectFilesNestedAMillionLevelsDeepAreRead)
{
    QTemporaryDir dir;
    const QString parGen = dir.filePath(QStringLiteral("ParGen.xml"));
    const QString slave = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    Write_File(parGen, "<Par_Gen><IOLink_Slave_Baudrate>" + Nested_Xml(1000000, "COM2") +
                           "</IOLink_Slave_Baudrate></Par_Gen>");
    Write_File(slave, "<VIZediZadud><Variables>" + Nested_Xml(1000000, "x", "row") +
                          "<row Enable=\"Y\" Index=\"7\" Access=\"Read Only\" Length=\"8\"/></Variables>"
                          "</VIZediZadud>");
    const TIODD_Data d = Load_IODD_Data(parGen, slave);
    EXPECT_EQ(d.Bit_Rate, QStringLiteral("COM2"));
    ASSERT_EQ(d.Variables.size(), 1);
    EXPECT_EQ(d.Variables[0].Index, 7);
}

TEST(IoddWriter, EscapesWhatWouldBreakAnAttribute)
{
    // Characters that are legal inside a double-quoted attribute stay as typed.
    EXPECT_EQ(IODD_Escape(QStringLiteral("a&b<c>d\"e'f\tg\x01h\u00e9")),
              QStringLiteral("a&amp;b&lt;c>d&quot;e'f&#9;gh\u00e9"));
    const struct {
        float value;
        const char* text;
    } floats[] = {{0.1f, "0.100000001490116"}, {1.0f, "1"},           {-2.5f, "-2.5"},
                  {0.0f, "0"},                 {1e-5f, "0.00000999999974737875"}, {-1.5e-7f, "-0.000000150000005305628"},
                  {1e20f, "100000002004088000000"}, {123456.7f, "123456.703125"}, {-4e15f, "-3999999947964420"}};
    for (const auto& f : floats)
        EXPECT_EQ(IODD_Float_Str(f.value), QString::fromLatin1(f.text)) << f.text;
    {
        // A locale with a decimal comma still writes a point.
        TFormatSettings fs = FormatSettings();
        fs.DecimalSeparator = QLatin1Char(',');
        TFormatSettingsScope scope(fs);
        EXPECT_EQ(IODD_Float_Str(0.5f), QStringLiteral("0.5"));
    }
    EXPECT_EQ(Get_Date_Str(QDate(2026, 1, 5)), QStringLiteral("20260105"));
}

TEST(IoddWriter, Crc32MatchesTheStandardCheckValue)
{
    EXPECT_EQ(Calc_CRC32(QByteArray("123456789")), 0xCBF43926u);
    EXPECT_EQ(Calc_CRC32(QByteArray()), 0u);
    EXPECT_EQ(File_CRC32(QStringLiteral("/nonexistent/file")), 0u);
}

class IoddPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        Pictures = Out.filePath(QStringLiteral("IODD"));
        QDir().mkpath(Pictures);
        for (const QString& p : IODD_Picture_Names)
            QFile::copy(QStringLiteral(KV_FIXTURES_DIR "/../../resources/program/IODD/") + p, Pictures + QLatin1Char('/') + p);
        Document = Pictures + QStringLiteral("/Norvel-MB31804-20260307-IODD1.1.xml");
        Write_IODD_Xml(Document, Fixture_Data(), QDate(2026, 3, 7));
        Package = Out.filePath(QStringLiteral("Norvel-MB31804-20260307-IODD1.1.zip"));
    }

    QStringList Unzip_List()
    {
        QProcess p;
        p.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), Package});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir Out;
    QString Pictures, Document, Package;
};

#define REQUIRE_UNZIP()                                                    \
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty()) \
        GTEST_SKIP() << "unzip not installed: archive check skipped";

TEST_F(IoddPackage, HoldsTheDocumentAndThePicturesAndPassesUnzipTest)
{
    REQUIRE_UNZIP();
    QString failed;
    ASSERT_TRUE(Zip_IODD_Files(Package, Document, Pictures, &failed)) << failed.toStdString();
    QProcess t;
    t.start(QStringLiteral("unzip"), {QStringLiteral("-t"), Package});
    t.waitForFinished(30000);
    EXPECT_EQ(t.exitCode(), 0) << t.readAllStandardOutput().toStdString();
    EXPECT_EQ(Unzip_List(), (QStringList{QStringLiteral("Norvel-MB31804-20260307-IODD1.1.xml"),
                                         QStringLiteral("Norvel-pic.png"), QStringLiteral("Norvel-icon.png"),
                                         QStringLiteral("Norvel-logo.png")}));

    // The entry carries the document's bytes and its modification time.
    QProcess x;
    x.start(QStringLiteral("unzip"), {QStringLiteral("-p"), Package, QStringLiteral("Norvel-MB31804-20260307-IODD1.1.xml")});
    x.waitForFinished(30000);
    EXPECT_EQ(x.readAllStandardOutput(), Read_File(Document));
    QProcess v;
    v.start(QStringLiteral("unzip"), {QStringLiteral("-Z"), QStringLiteral("-T"), Package});
    v.waitForFinished(30000);
    const QString stamp = QFileInfo(Document).lastModified().toString(QStringLiteral("yyyyMMdd.hhmm"));
    EXPECT_TRUE(QString::fromUtf8(v.readAllStandardOutput()).contains(stamp)) << stamp.toStdString();
}

TEST_F(IoddPackage, MissingLogoKeepsTheEntriesBeforeItAndNamesIt)
{
    REQUIRE_UNZIP();
    QFile::remove(Pictures + QStringLiteral("/Norvel-logo.png"));
    QString failed;
    EXPECT_FALSE(Zip_IODD_Files(Package, Document, Pictures, &failed));
    EXPECT_TRUE(failed.endsWith(QStringLiteral("Norvel-logo.png")));
    EXPECT_EQ(Unzip_List(), (QStringList{QStringLiteral("Norvel-MB31804-20260307-IODD1.1.xml"),
                                         QStringLiteral("Norvel-pic.png"), QStringLiteral("Norvel-icon.png")}));
}

TEST_F(IoddPackage, FailedWriteKeepsThePreviousPackageByteForByte)
{
    QString failed;
    ASSERT_TRUE(Zip_IODD_Files(Package, Document, Pictures, &failed)) << failed.toStdString();
    const QByteArray before = Read_File(Package);
    Write_IODD_Xml(Document, TIODD_Data{}, QDate(2026, 3, 8));  // a different document
    SetAtomicWriteHookForTests([](const QString&) { throw EInOutError(QStringLiteral("disk full")); });
    const bool written = Zip_IODD_Files(Package, Document, Pictures, &failed);
    SetAtomicWriteHookForTests(nullptr);
    EXPECT_FALSE(written);
    EXPECT_EQ(failed, Package);
    EXPECT_EQ(Read_File(Package), before);
    EXPECT_EQ(QDir(Out.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Norvel-MB31804-20260307-IODD1.1.zip")});  // no temporary file left
}

}  // namespace

// The IO-Link slave file is read through the editor's own model, so its root rule holds
// here too: the first top-level node is the root, and a leading comment holds no rows.
TEST(IoddWriter, SlaveFileRootIsItsFirstTopLevelNode)
{
    QTemporaryDir dir;
    const QString slave = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    Write_File(slave, "<Other><Variables><row Enable=\"Y\" Index=\"70\" Access=\"Read Only\" Length=\"8\"/>"
                      "</Variables></Other>");
    ASSERT_EQ(Load_IODD_Data(QString(), slave).Variables.size(), 1);
    Write_File(slave, "<!--x--><VIZediZadud><Variables><row Enable=\"Y\" Index=\"70\" Length=\"8\"/>"
                      "</Variables></VIZediZadud>");
    EXPECT_TRUE(Load_IODD_Data(QString(), slave).Variables.isEmpty());
}

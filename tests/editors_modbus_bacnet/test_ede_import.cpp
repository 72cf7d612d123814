// Reading BACnet EDE lists.

#include "editors_modbus_bacnet/ede_import.h"

#include "platform/core/files.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString Shared(const char* name)
{
    return QString::fromUtf8(KV_SHARED_TESTDATA_DIR) + QStringLiteral("/ede/") + QString::fromLatin1(name);
}

QStringList Lines(std::initializer_list<const char*> lines)
{
    QStringList l;
    for (const char* s : lines)
        l << QString::fromUtf8(s);
    return l;
}

QStringList Names(const std::vector<TBACnet_Var>& vars)
{
    QStringList n;
    for (const TBACnet_Var& v : vars)
        n << v.object_name;
    return n;
}

const char* const Header = "#mandatory;mandatory;mandatory;mandatory;mandatory;optional";
const char* const Titles = "# keyname;device obj.-instance;object-name;object-type;object-instance";

TEST(EdeImport, ObjectsStartTwoLinesAfterTheHeaderLine)
{
    const struct {
        const char* Name;
        QStringList Lines;
        QStringList Expected;
    } cases[] = {
        {"header on line 7 reads from line 9",
         Lines({"P", "V", "T", "A", "L", "x", Header, "k;1;titles;0;1;", "k;1;A;0;1;", "k;1;B;0;2;"}),
         {QStringLiteral("A"), QStringLiteral("B")}},
        {"header on line 6 reads from line 8",
         Lines({"P", "V", "T", "A", "x", "# mandatory;m", Titles, "k;1;A;0;1;"}), {QStringLiteral("A")}},
        {"the last header line wins",
         Lines({"# mandatory", Titles, "k;1;A;0;1;", "#  mandatory", Titles, "k;1;B;0;2;"}), {QStringLiteral("B")}},
        {"a three-line list with its header on line 1", Lines({Header, Titles, "k;1;A;0;1;"}), {QStringLiteral("A")}},
        {"no header, no objects", Lines({"P", "k;1;A;0;1;", "k;1;B;0;2;"}), {}},
        {"\"Mandatory\" is no header", Lines({"# Mandatory", Titles, "k;1;A;0;1;"}), {}},
        {"types 8 and 17 and bad types are not listed",
         Lines({Header, Titles, "k;1;Dev;8;1;", "k;1;Sched;17;1;", "k;1;Bad;x;1;", "", "  ", "k;1;AV;2;1;"}),
         {QStringLiteral("AV")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(Parse_EDE_Lines(c.Lines)), c.Expected) << c.Name;
}

TEST(EdeImport, ColumnsAreSplitTrimmedAndTheLastTakesTheRest)
{
    const std::vector<TBACnet_Var> vars = Parse_EDE_Lines(Lines({
        Header, Titles,
        " key 1 ; 10 ; Name ;1; 0x20 ; desc ;20;0;100; y ;Y;24;18;st; 62 ; T1.2 ; extra ;",
        "k2;x;Short;4;7",
    }));
    ASSERT_EQ(vars.size(), 2u);
    const TBACnet_Var& a = vars[0];
    EXPECT_EQ(a.keyname, QStringLiteral("key 1"));
    EXPECT_EQ(a.device_obj_instance, 10);
    EXPECT_EQ(a.object_name, QStringLiteral("Name"));
    EXPECT_EQ(a.object_type, 1);
    EXPECT_EQ(a.object_instance, 0x20);
    EXPECT_EQ(a.description, QStringLiteral("desc"));
    EXPECT_EQ(a.present_value_default, QStringLiteral("20"));
    EXPECT_EQ(a.min_present_value, QStringLiteral("0"));
    EXPECT_EQ(a.max_present_value, QStringLiteral("100"));
    EXPECT_TRUE(a.commandable);
    EXPECT_TRUE(a.support_COV);
    EXPECT_EQ(a.hi_limit, QStringLiteral("24"));
    EXPECT_EQ(a.low_limit, QStringLiteral("18"));
    EXPECT_EQ(a.stete_text_reference, QStringLiteral("st"));
    EXPECT_EQ(a.unit_code, QStringLiteral("62"));
    EXPECT_EQ(a.vendor_specific_address, QStringLiteral("T1.2 ; extra"));
    EXPECT_TRUE(a.import && a.read && a.write);

    // A column with no ";" after it reads as empty; numbers that are none read -1.
    const TBACnet_Var& b = vars[1];
    EXPECT_EQ(b.device_obj_instance, -1);
    EXPECT_EQ(b.object_type, 4);
    EXPECT_EQ(b.object_instance, -1);
    EXPECT_FALSE(b.commandable);
    EXPECT_TRUE(b.import && b.read);
    EXPECT_FALSE(b.write);
}

TEST(EdeImport, TextIsDecodedByMarkThenUtf8ThenWindows1252)
{
    const QString text = QString::fromUtf8("#mandatory\r\ntitles\r\nk;1;Temp\u00e9rature;0;1;\u00c4nderung;\r\n");
    for (TTextEncoding e : {TTextEncoding::UTF16LE, TTextEncoding::UTF8BOM, TTextEncoding::UTF8, TTextEncoding::Ansi}) {
        const std::vector<TBACnet_Var> vars = Parse_EDE_Bytes(EncodeText(text, e));
        ASSERT_EQ(vars.size(), 1u) << int(e);
        EXPECT_EQ(vars[0].object_name, QString::fromUtf8("Temp\u00e9rature")) << int(e);
        EXPECT_EQ(vars[0].description, QString::fromUtf8("\u00c4nderung")) << int(e);
    }
}

TEST(EdeImport, MalformedInputGivesWhatCanBeReadWithoutFailing)
{
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("\xff\xfe"),
        QByteArray("\xfe\xff\x00#"),
        QByteArray("#mandatory\n\n") + QByteArray(100000, ';'),
        QByteArray("#mandatory\nx\n") + QByteArray(5000, '\0') + "k;1;n;0;1;",
        QByteArray("#mandatory\nx\nk;99999999999999999999;n;-0x80000000;2147483648;"),
    };
    for (const QByteArray& bytes : cases)
        for (const TBACnet_Var& v : Parse_EDE_Bytes(bytes))
            EXPECT_TRUE(Is_Known_ObjType_EDE(v.object_type));
    EXPECT_THROW(Load_EDE_File(QStringLiteral("/nonexistent/list.csv")), Exception);
}

TEST(EdeImport, ObjectTypesBecomeRuleTypesDataTypesAndSizes)
{
    const struct {
        int Type;
        const char* Name;
        const char* Data;
        int NByte;
    } cases[] = {
        {0, "Analog Input", "Real", 4},         {1, "Analog Output", "Real", 4},
        {2, "Analog Value", "Real", 4},         {3, "Binary Input", "Enumerated", 1},
        {4, "Binary Output", "Enumerated", 1},  {5, "Binary Value", "Enumerated", 1},
        {13, "Multi-State Input", "Unsigned Int", 4}, {14, "Multi-State Output", "Unsigned Int", 4},
        {19, "Multi-State Value", "Unsigned Int", 4}, {21, "Life Safety Point", "Enumerated", 2},
        {22, "Life Safety Zone", "Enumerated", 2},    {23, "Accumulator", "Unsigned Int", 4},
        {45, "Integer Value", "Signed Int", 4},       {46, "Large Analog Value", "Double", 8},
        {48, "Positive Integer Value", "Unsigned Int", 4}, {8, "", "Null", 4}, {-1, "", "Null", 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Get_ObjType_EDE(c.Type), QString::fromLatin1(c.Name)) << c.Type;
        EXPECT_EQ(Get_DataType_EDE(c.Type), QString::fromLatin1(c.Data)) << c.Type;
        EXPECT_EQ(Get_NumByte_EDE(c.Type), c.NByte) << c.Type;
    }
}

TEST(EdeImport, PublicListsReadAsTheirToolsMeantThem)
{
    const QString example = Shared("EDE_2_2_example_EDE.csv");
    const QString siemens = Shared("siemens_desigo_EDE.csv");
    if (!QFile::exists(example) || !QFile::exists(siemens))
        GTEST_SKIP() << "missing " << QString::fromUtf8(KV_SHARED_TESTDATA_DIR).toStdString()
                     << "/ede lists: the public lists were not read";

    const std::vector<TBACnet_Var> a = Load_EDE_File(example);
    ASSERT_EQ(a.size(), 6u);
    for (const TBACnet_Var& v : a)
        EXPECT_EQ(v.write, v.object_instance == 1234) << v.object_instance;
    EXPECT_EQ(a[0].keyname, QStringLiteral("Building03Room15Temperature"));
    EXPECT_EQ(a[0].unit_code, QStringLiteral("62"));
    EXPECT_EQ(a[0].vendor_specific_address, QStringLiteral("T1.128.15"));

    const std::vector<TBACnet_Var> b = Load_EDE_File(siemens);
    EXPECT_EQ(b.size(), 150u);
    int described = 0;
    for (const TBACnet_Var& v : b) {
        EXPECT_FALSE(v.write) << v.object_name.toStdString();
        described += v.description == QString::fromUtf8("\u00c4nderungs-Log Diagnose");
    }
    EXPECT_EQ(described, 1);
}

}  // namespace

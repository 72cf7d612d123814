// EDS decoding without a window: the connection list and identity of an adapter's EDS
// file, and the target configuration of a connection's configuration assembly.

#include "enip_outputs/eds_connections.h"
#include "enip_outputs/eds_text.h"
#include "enip_outputs/target_config.h"

#include "platform/core/files.h"
#include "platform/core/format_settings.h"

#include "enip_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString Eds_Fixture(const QString& name)
{
    return Fixture_Path(QStringLiteral("eds/") + name);
}

QString Shared_Eds(const QString& name)
{
    return QStringLiteral(KV_SHARED_TESTDATA_DIR "/eds_enip/") + name;
}

QStringList Lines(const char* text)
{
    return SplitLines(QString::fromUtf8(text));
}

// A connection entry with the given parameters item and path item.
QString Entry(const QString& params, const QString& path)
{
    return QStringLiteral("0x84010002,%1,Param4,,Assem150,Param4,,Assem100,,,4,Assem7,\"Name\",\"Help\",\"%2\";")
        .arg(params, path);
}

struct TPathCase {
    const char* What;
    QString Path;
    bool Listed;
    int InstOT, CpOT, InstTO, CpTO;
};

QString Zeros(int n)
{
    QStringList z;
    for (int i = 0; i < n; ++i)
        z << QStringLiteral("00");
    return z.join(QLatin1Char(' '));
}

}  // namespace

TEST(EdsConnections, PathDecodingTable)
{
    const std::vector<TPathCase> cases = {
        {"one instance, two points", "20 04 24 66 2C 64 2C 65", true, 102, 100, 102, 101},
        {"second instance after the first point", "20 04 24 01 2C 96 24 64 2C 64", true, 1, 150, 100, 100},
        {"16-bit point aligned, low 8 bits kept", "20 04 24 01 2D 00 2C 01 2C 64", true, 1, 44, 1, 100},
        {"16-bit class", "21 00 04 00 24 07 2C 01 2C 02", true, 7, 1, 7, 2},
        {"32-bit class", "22 00 00 00 04 00 00 00 24 05 2C 01 2C 02", true, 5, 1, 5, 2},
        {"32-bit instance, aligned to four", "20 04 26 00 12 34 56 78 2C 01 2C 02", true, 0x12, 1, 0x12, 2},
        {"no instance: both 1", "20 04 2C 64 2C 65", true, 1, 100, 1, 101},
        {"tokens that are no byte are skipped", "20 04 zz 24 66 100 2C 64 2C 65", true, 102, 100, 102, 101},
        {"no class segment", "24 01 2C 64 2C 65 20 04", false, 0, 0, 0, 0},
        {"ends after the first point", "20 04 24 01 2C 64", false, 0, 0, 0, 0},
        {"point type as the last byte", "20 04 24 01 2C 64 2C", false, 0, 0, 0, 0},
        {"fewer than six bytes", "20 04 2C 64 2C", false, 0, 0, 0, 0},
        // A longer path keeps its first 1001 bytes: the second point is cut off.
        {"1,100 bytes, second point past the buffer", "20 04 24 01 2C 64 " + Zeros(995) + " 2C 65 " + Zeros(97),
         false, 0, 0, 0, 0},
        // A 16-bit point at the end of the kept bytes reads its missing byte as 0.
        {"segment at the end of the buffer", "20 04 24 01 2C 64 " + Zeros(992) + " 2D 00 07 09 " + Zeros(98), true,
         1, 100, 1, 7},
    };
    for (const TPathCase& c : cases) {
        TEDS_Connections eds;
        eds.DecodeConnStr(Entry(QStringLiteral("0x44640405"), c.Path));
        ASSERT_EQ(eds.List_Conn.size(), c.Listed ? 1u : 0u) << c.What;
        if (!c.Listed)
            continue;
        const TConnData& d = eds.List_Conn[0];
        EXPECT_EQ(d.InstanceOT, c.InstOT) << c.What;
        EXPECT_EQ(d.ConnPointOT, c.CpOT) << c.What;
        EXPECT_EQ(d.InstanceTO, c.InstTO) << c.What;
        EXPECT_EQ(d.ConnPointTO, c.CpTO) << c.What;
    }
}

TEST(EdsConnections, EntryItemsGiveNamesSizesAndHeaderFormats)
{
    TEDS_Connections eds;
    eds.DecodeConnStr(Entry(QStringLiteral("0x44640305"), QStringLiteral("20 04 24 66 2C 64 2C 65")));
    eds.DecodeConnStr(Entry(QStringLiteral("abc"), QStringLiteral("20 04 24 66 2C 64 2C 65")));
    eds.DecodeConnStr(QStringLiteral("0,0x44640305,,,,,,,,,,,\"too short\";"));
    ASSERT_EQ(eds.List_Conn.size(), 2u);
    const TConnData& a = eds.List_Conn[0];
    EXPECT_EQ(a.ConnIndex, 1);
    EXPECT_EQ(a.ConnName, QStringLiteral("\"Name\""));
    EXPECT_EQ(a.HelpStr, QStringLiteral("\"Help\""));
    EXPECT_EQ(a.TargetConfSize, QStringLiteral("4"));
    EXPECT_EQ(a.TargetConfFormat, QStringLiteral("Assem7"));
    EXPECT_EQ(a.DimHeaderOT, 3);
    EXPECT_EQ(a.DimHeaderTO, 0);
    EXPECT_EQ(a.NumClass, 0);
    // A parameters item that is no number reads as -1: 7 in both directions.
    EXPECT_EQ(eds.List_Conn[1].ConnIndex, 2);
    EXPECT_EQ(eds.List_Conn[1].DimHeaderOT, 7);
    EXPECT_EQ(eds.List_Conn[1].DimHeaderTO, 7);

    const TConnData fresh;
    EXPECT_EQ(fresh.DimHeaderOT, 4);
    EXPECT_EQ(fresh.NumClass, 4);
    EXPECT_EQ(fresh.InstanceTO, 30);
    EXPECT_EQ(fresh.InstanceOT, 30);
}

TEST(EdsConnections, SplittingKeepsQuotesAndEmptyItems)
{
    EXPECT_EQ(TEDS_Connections::Split_EDS_Entry(QStringLiteral("a,,\"b,c;d\";e")),
              (QStringList{"a", "", "\"b,c;d\"", "e"}));
    EXPECT_EQ(TEDS_Connections::Split_EDS_Entry(QStringLiteral("a,")), (QStringList{"a"}));
}

TEST(EdsConnections, DeviceKeysNeedOneBlankBeforeTheEquals)
{
    TEDS_Connections eds;
    eds.Read_EDS_Lines(Lines("[Device]\n"
                             "VendCode=5;\n"          // not recognised
                             "prodtype =12;\n"        // the first character of the value is skipped
                             "ProdCode = 0x1234;\n"
                             "MajRev = 300;\n"        // kept in 8 bits
                             "MinRev = 3\n"           // no ";": 0
                             "[Other]\n"
                             "VendCode = 9;\n"));     // outside the section
    EXPECT_EQ(eds.VendCode, 0);
    EXPECT_EQ(eds.ProdType, 2);
    EXPECT_EQ(eds.ProdCode, 0x1234);
    EXPECT_EQ(eds.MajRev, 44);
    EXPECT_EQ(eds.MinRev, 0);
}

TEST(EdsConnections, MultiLineEntryEqualsOneLineAndDollarCutsTheLine)
{
    const char* oneLine =
        "[Connection Manager]\n"
        "Connection1 = 0x1,0x44640405,,,,,,,,,,,\"A\",\"h\",\"20 04 24 66 2C 64 2C 65\";\n";
    const char* split =
        "[Connection Manager]\n"
        "  Revision = 1;\n"
        "  Connection1 =\n"
        "    0x1,            $ comment\n"
        "    0x44640405,\n"
        "    ,,,,,,,,,,\n"
        "    \"A\",\n"
        "    \"h\",\n"
        "    \"20 04 24 66 2C 64 2C 65\";\n"
        "[Capacity]\n";
    const char* dollar =
        "[Connection Manager]\n"
        "Connection1 = 0x1,0x44640405,,,,,,,,,,,\"A\",\"costs $5\",\"20 04 24 66 2C 64 2C 65\";\n";
    TEDS_Connections a, b, c;
    a.Read_EDS_Lines(Lines(oneLine));
    b.Read_EDS_Lines(Lines(split));
    c.Read_EDS_Lines(Lines(dollar));
    ASSERT_EQ(a.List_Conn.size(), 1u);
    ASSERT_EQ(b.List_Conn.size(), 1u);
    EXPECT_EQ(a.List_Conn[0], b.List_Conn[0]);
    EXPECT_EQ(c.List_Conn.size(), 0u);
}

TEST(EdsConnections, SampleAdapterFile)
{
    TEDS_Connections eds;
    eds.EDS_FileName = Eds_Fixture(QStringLiteral("opener_sample_app.eds"));
    ASSERT_TRUE(eds.Read_EDS_File());
    ASSERT_EQ(eds.List_Conn.size(), 3u);
    const TConnData& c1 = eds.List_Conn[0];
    EXPECT_EQ(c1.ConnName, QStringLiteral("\"Exlusive Owner\""));
    EXPECT_EQ(c1.InstanceOT, 151);
    EXPECT_EQ(c1.InstanceTO, 151);
    EXPECT_EQ(c1.ConnPointOT, 150);
    EXPECT_EQ(c1.ConnPointTO, 100);
    EXPECT_EQ(c1.DimHeaderOT, 4);  // listed as "Default"
    EXPECT_EQ(c1.DimHeaderTO, 0);  // listed as "Default"
    EXPECT_EQ(c1.TargetConfSize, QString());
    EXPECT_EQ(c1.TargetConfFormat, QStringLiteral("Assem151"));
    EXPECT_EQ(eds.List_Conn[1].DimHeaderOT, 3);
    EXPECT_EQ(eds.List_Conn[1].ConnPointOT, 152);
    EXPECT_EQ(eds.List_Conn[2].ConnIndex, 3);
    EXPECT_EQ(eds.VendCode, 1);
    EXPECT_EQ(eds.ProdType, 12);
    EXPECT_EQ(eds.ProdCode, 65001);
    EXPECT_EQ(eds.MajRev, 2);
    EXPECT_EQ(eds.MinRev, 3);

    // A new reading starts afresh; a missing file lists nothing and is no error.
    eds.EDS_FileName = QStringLiteral("/nonexistent/x.eds");
    EXPECT_TRUE(eds.Read_EDS_File());
    EXPECT_TRUE(eds.List_Conn.empty());
    EXPECT_EQ(eds.VendCode, 0);
}

TEST(EdsConnections, UnreadableFileIsAnErrorWithAnEmptyList)
{
    TEDS_Connections eds;
    eds.EDS_FileName = Eds_Fixture(QStringLiteral("opener_sample_app.eds"));
    ASSERT_TRUE(eds.Read_EDS_File());
    // Reading this file fails with an I/O error, as a damaged medium would.
    eds.EDS_FileName = QStringLiteral("/proc/self/mem");
    QString error;
    EXPECT_FALSE(eds.Read_EDS_File(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("/proc/self/mem"))) << error.toStdString();
    EXPECT_TRUE(eds.List_Conn.empty());
    EXPECT_EQ(eds.ProdCode, 0);
}

// ---- target configuration ------------------------------------------------------------

namespace {

const char* Small_Eds =
    "[Params]\n"
    "  Param1 = 0,,,0x0000,0xC7,2,\"Speed\",\"\",\"slow, fast or stop\",0,2000,1000,,,,,,,,,;\n"  // one line
    "  Param2 = 0,,,0,0xCA,4,\"Gain\",\"\",\"\",0,10,1.5,,,,,,,,,;\n"
    "  Param3 =\n"
    "    0,,,0,0xC6,1,\n"
    "    \"Mode\",\"\",\"\",\n"
    "    0,2,1,;\n"
    "  Enum3 = 0,\"Off\", 1, \"On, slow\",2,\"Fast \"\"x\"\"\";\n"           // one line
    "  Param4 = 0,,,0,0xC6,1,\"Short\";\n"                                  // too few fields
    "  Param5 = 0,,,0,0xC7,70000,\"Huge\",\"\",\"\",0,0,0;\n"
    "  Param6 = 0,,,0,0xC8,16,\"Wide\",\"\",\"\",0,0,-1;\n"
    "  Param7 = 0,,,0,0xC6,1,\"Semi\",\"\",\"a;b\",0,1,1;\n"
    "  Param10 = 0,,,0,0xC6,1,\"Ten\",\"\",\"\",5,6,6;\n"
    "[Assembly]\n"
    "  Assem10 = \"Ten\",,1,0,,,8,Param10;\n"
    "  Assem1 = \"One\",,1,0,,,8,Param1;\n"
    "  Assem20 =\n"
    "    \"Config\",,8,0,,,\n"
    "    16,Param1,\n"
    "    32,Param2,\n"
    "    8,,\n"
    "    8,Param3,\n"
    "    8,Param3;\n"
    "  Assem21 = \"Blank\",,1,0,,,16, Param1;\n"
    "  Assem22 = \"Missing\",,1,0,,,8,Param9,8,Param1;\n"
    "  Assem23 = \"Short\",,1,0,,,8,Param4;\n"
    "  Assem24 = \"Huge\",,1,0,,,8,Param5;\n"
    "  Assem25 = \"Wide\",,1,0,,,128,Param6;\n"
    "  Assem26 = \"Semi\",,1,0,,,8,Param7;\n"
    "  Assem27 = \"Empty tail\",,1,0,,,8,Param3,0,;\n"
    "[Connection Manager]\n";

TTargetConfig Decode(const QString& format, TTC_Decode_Result* result = nullptr, const QString& size = QString())
{
    const QStringList sl = Lines(Small_Eds);
    TTargetConfig tc;
    tc.Format = format;
    tc.Size = size;
    const TTC_Decode_Result r = tc.DecodeAssemblyObj(tc.Find_Assembly_Object(sl), sl);
    if (result)
        *result = r;
    else
        EXPECT_FALSE(r.Failed()) << format.toStdString() << ": " << r.Detail.toStdString();
    return tc;
}

}  // namespace

TEST(TargetConfig, FieldsSplitOutsideQuotes)
{
    EXPECT_EQ(Split_EDS_Fields(QStringLiteral("\"a, b\",c, \"d, e\",,\"f\"\"g\"")),
              (QStringList{"a, b", "c", " \"d, e\"", "", "f\"g"}));
    EXPECT_EQ(Split_EDS_Fields(QStringLiteral("a,")), (QStringList{"a", ""}));
    EXPECT_EQ(Split_EDS_Fields(QString()), QStringList());
    EXPECT_EQ(Split_EDS_Fields(QStringLiteral("\"open, never closed")), (QStringList{"open, never closed"}));
}

TEST(TargetConfig, EntriesEndOnTheirKeyLine)
{
    const QStringList sl = Lines(Small_Eds);
    TTargetConfig tc;
    QString param, enumeration;
    tc.find_Param_Enum_Object(QStringLiteral("Param1"), sl, param, enumeration);
    EXPECT_EQ(param, QStringLiteral("0,,,0x0000,0xC7,2,\"Speed\",\"\",\"slow, fast or stop\",0,2000,1000,,,,,,,,,;"));
    EXPECT_EQ(enumeration, QString());
    tc.find_Param_Enum_Object(QStringLiteral("Param3"), sl, param, enumeration);
    EXPECT_EQ(param, QStringLiteral("0,,,0,0xC6,1,\"Mode\",\"\",\"\",0,2,1,;"));
    EXPECT_EQ(enumeration, QStringLiteral("0,\"Off\", 1, \"On, slow\",2,\"Fast \"\"x\"\"\";"));
    tc.Format = QStringLiteral("Assem1");
    EXPECT_EQ(tc.Find_Assembly_Object(sl), QStringLiteral("\"One\",,1,0,,,8,Param1;"));
    tc.Format = QStringLiteral("Assem99");
    EXPECT_EQ(tc.Find_Assembly_Object(sl), QString());
}

// The decoding finds the entries of all members in one walk over [Params]; it must find
// what the search of one parameter finds, key by key (in the shared files, every key an
// assembly refers to): keys inside other entries' texts, a key whose first place is in a
// longer word, entries over several lines, an entry started again, a key after a tab or
// right before "=", a key that ends another word, an entry left open, keys that are no
// parameter.
TEST(TargetConfig, OneWalkFindsWhatTheSearchOfEachParameterFinds)
{
    const char* tricky =
        "[Params]\n"
        "  Param1 = 0,,,0,0xC6,1,\"see Param12 here\",\"\",\"\",0,1,0;\n"
        "  Param12 = 0,,,0,0xC6,1,\"twelve\",\"\",\"\",0,1,0;\n"
        "  Param10 = 0,,,0,0xC6,1,\"not Param1 nor Param12\",\"\",\"\",0,1,0;\n"
        "  Param2 = 0,,,0,0xC6,1,\n"
        "    \"two; lines\",\"\",\"\",0,1,0;\n"
        "  Param3 =\n"
        "  Param3 = 0,,,0,0xC6,1,\"again\",\"\",\"\",0,1,0;\n"
        "  Param4 = 0,,,0,0xC6,1,\n"
        "    \"Param4 = inside\",\"\",\"\",0,1,0;\n"
        "  XParam5 = 0,,,0,0xC6,1,\"suffix\",\"\",\"\",0,1,0;\n"
        "  Param6\t= 0,,,0,0xC6,1,\"tab\",\"\",\"\",0,1,0;\n"
        "  Param7=0,,,0,0xC6,1,\"no blank\",\"\",\"\",0,1,0; $ Param8 = comment\n"
        "  Enum7 = 0,\"a\"; Param8 = 1;\n"
        "  Enum7 = 1,\"b\";\n"
        "  Param9 = 0,,,0,0xC6,1,\"open entry\",\n"
        "[Assembly]\n"
        "  Assem1 = \"x\",,1,0,,,8,Param1;\n";
    std::vector<QStringList> texts{Lines(tricky), Lines(Small_Eds)};
    QStringList names{QStringLiteral("tricky"), QStringLiteral("small")};
    const QDir shared(QStringLiteral(KV_SHARED_TESTDATA_DIR "/eds_enip"));
    for (const QString& f : shared.entryList(QDir::Files)) {
        texts.push_back(ReadTextLines(shared.filePath(f)));
        names << f;
    }
    const QRegularExpression word(QStringLiteral("[A-Za-z][A-Za-z0-9_]*"));
    for (size_t t = 0; t < texts.size(); ++t) {
        const QStringList& sl = texts[t];
        QStringList keys{QString(), QStringLiteral("Param"), QStringLiteral("aram1"), QStringLiteral(" Param1"),
                         QStringLiteral("Param1 "), QStringLiteral("Enum7"), QStringLiteral("Param8")};
        bool assemblies = t < 2;
        for (const QString& line : sl) {
            if (line.trimmed().startsWith(QLatin1Char('[')))
                assemblies = t < 2 || line.contains(QLatin1String("[Assembly]"));
            for (const QRegularExpressionMatch& m : word.globalMatch(line))
                if (assemblies && m.captured().startsWith(QLatin1String("Param")) && !keys.contains(m.captured()))
                    keys << m.captured();
        }
        const std::vector<std::pair<QString, QString>> found = Find_Param_Enum_Objects(keys, sl);
        ASSERT_EQ(found.size(), size_t(keys.size()));
        TTargetConfig tc;
        for (qsizetype k = 0; k < keys.size(); ++k) {
            QString param, enumeration;
            tc.find_Param_Enum_Object(keys.at(k), sl, param, enumeration);
            EXPECT_EQ(found[size_t(k)].first, param) << names.at(qsizetype(t)).toStdString() << " " << keys.at(k).toStdString();
            EXPECT_EQ(found[size_t(k)].second, enumeration) << names.at(qsizetype(t)).toStdString() << " " << keys.at(k).toStdString();
        }
    }
}

TEST(TargetConfig, MembersAndDataSegment)
{
    const TTargetConfig tc = Decode(QStringLiteral("Assem20"));
    EXPECT_EQ(tc.AO_Name, QStringLiteral("Config"));
    EXPECT_EQ(tc.AO_SizeBit, QStringLiteral("8"));
    ASSERT_EQ(tc.ListParamObject.size(), 5u);
    const TTC_ParamObj& speed = tc.ListParamObject[0];
    // The help string's comma does not shift the range and the default.
    EXPECT_EQ(speed.Name, QStringLiteral("Speed"));
    EXPECT_EQ(speed.DataType, 0xC7);
    EXPECT_EQ(speed.DataSizeByte, 2);
    EXPECT_EQ(speed.Min, 0);
    EXPECT_EQ(speed.Max, 2000);
    EXPECT_EQ(speed.Default, 1000);
    EXPECT_EQ(speed.Value, 1000);
    EXPECT_FALSE(speed.Enum);
    const TTC_ParamObj& gain = tc.ListParamObject[1];
    EXPECT_EQ(gain.DataType, 202);
    EXPECT_DOUBLE_EQ(gain.MaxReal, 10);
    EXPECT_DOUBLE_EQ(gain.ValueReal, 1.5);
    EXPECT_EQ(gain.Default, 0);
    const TTC_ParamObj& filler = tc.ListParamObject[2];
    EXPECT_TRUE(filler.Empty);
    EXPECT_EQ(filler.DataSizeByte, 1);
    const TTC_ParamObj& mode = tc.ListParamObject[3];
    EXPECT_TRUE(mode.Enum);
    ASSERT_EQ(mode.ListEnum.size(), 3u);
    // Quoted right after the comma: quotes dropped; after a blank: kept.
    EXPECT_EQ(mode.EnumString, (QStringList{"Off", "\"On, slow\"", "Fast \"x\""}));
    EXPECT_EQ(mode.ListEnum[1].Value, 1);
    // The same parameter again: its entries twice in the list, once in the texts.
    const TTC_ParamObj& again = tc.ListParamObject[4];
    EXPECT_EQ(again.ListEnum.size(), 6u);
    EXPECT_EQ(again.EnumString.size(), 3);

    EXPECT_EQ(tc.GetConfigStrData(), QStringLiteral("0xE8,0x03,0x00,0x00,0xC0,0x3F,0x00,0x01,0x01"));
}

TEST(TargetConfig, DataSegmentFillAndCommas)
{
    TTargetConfig tc = Decode(QStringLiteral("Assem1"));  // Assem10 comes first in the file
    ASSERT_EQ(tc.ListParamObject.size(), 1u);
    EXPECT_EQ(tc.ListParamObject[0].Name, QStringLiteral("Speed"));
    TTC_ParamObj real;
    real.DataType = 202;
    real.ValueReal = 1.5;
    tc.ListParamObject.push_back(real);
    tc.Size = QStringLiteral("8");
    EXPECT_EQ(tc.GetConfigStrData(), QStringLiteral("0xE8,0x03,0x00,0x00,0xC0,0x3F,0x00,0x00"));
    tc.Size = QStringLiteral("6");
    EXPECT_EQ(tc.GetConfigStrData(), QStringLiteral("0xE8,0x03,0x00,0x00,0xC0,0x3F"));
    tc.Size = QStringLiteral("0");
    EXPECT_EQ(tc.GetConfigStrData(), QStringLiteral("0xE8,0x03,0x00,0x00,0xC0,0x3F"));

    // A last member without bytes leaves the comma after the previous byte.
    TTargetConfig tail = Decode(QStringLiteral("Assem27"));
    ASSERT_EQ(tail.ListParamObject.size(), 2u);
    EXPECT_EQ(tail.GetConfigStrData(), QStringLiteral("0x01,"));
    tail.Size = QStringLiteral("3");
    EXPECT_EQ(tail.GetConfigStrData(), QStringLiteral("0x01,,0x00,0x00"));
    TTargetConfig none;
    none.Size = QStringLiteral("2");
    EXPECT_EQ(none.GetConfigStrData(), QStringLiteral(",0x00,0x00"));

    TTC_ParamObj dbl;
    dbl.DataType = 203;
    dbl.ValueReal = -2;
    TTargetConfig d;
    d.ListParamObject.push_back(dbl);
    EXPECT_EQ(d.GetConfigStrData(), QStringLiteral("0x00,0x00,0x00,0x00,0x00,0x00,0x00,0xC0"));
}

TEST(TargetConfig, UndecodableMembersStopTheDecodingAsAValue)
{
    struct TCase {
        const char* Format;
        TTC_Decode_Result::TKind Kind;
        const char* Detail;
        size_t Members;
    };
    const std::vector<TCase> cases = {
        {"Assem21", TTC_Decode_Result::Short_Entry, " Param1", 1},  // a blank before the reference
        {"Assem22", TTC_Decode_Result::Short_Entry, "Param9", 2},   // not in [Params]
        {"Assem23", TTC_Decode_Result::Short_Entry, "Param4", 1},   // an entry with seven fields
        {"Assem24", TTC_Decode_Result::Too_Large, "Param5", 1},     // 70,000 bytes
    };
    for (const TCase& c : cases) {
        TTC_Decode_Result r;
        const TTargetConfig tc = Decode(QString::fromLatin1(c.Format), &r);
        EXPECT_EQ(r.Kind, c.Kind) << c.Format;
        EXPECT_EQ(r.Detail, QString::fromLatin1(c.Detail)) << c.Format;
        EXPECT_EQ(tc.ListParamObject.size(), c.Members) << c.Format;
    }
}

TEST(TargetConfig, WideIntegersAndQuotedSemicolons)
{
    // Bytes past the eighth of a 16-byte integer are zero.
    const TTargetConfig wide = Decode(QStringLiteral("Assem25"));
    EXPECT_EQ(wide.GetConfigStrData(), QStringLiteral("0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x00,0x00,0x00,0x00,"
                                                      "0x00,0x00,0x00,0x00"));
    // A ";" inside quotes does not end the parameter entry.
    const TTargetConfig semi = Decode(QStringLiteral("Assem26"));
    ASSERT_EQ(semi.ListParamObject.size(), 1u);
    EXPECT_EQ(semi.ListParamObject[0].Max, 1);
    EXPECT_EQ(semi.ListParamObject[0].Default, 1);
}

TEST(TargetConfig, HugeSizesAreCapped)
{
    TTargetConfig tc;
    tc.Size = QStringLiteral("70000");
    const TTC_Decode_Result r = tc.DecodeTargetConf();
    EXPECT_EQ(r.Kind, TTC_Decode_Result::Too_Large);
    EXPECT_EQ(r.Detail, QStringLiteral("70000"));
    // A configuration read back from a hand-made rules file: at most 65,535 bytes for
    // a member and as many for the fill.
    TTC_ParamObj big;
    big.DataSizeByte = 1000000;
    tc.Size.clear();
    tc.ListParamObject.push_back(big);
    EXPECT_EQ(tc.GetConfigStrData().size(), 65535 * 5 - 1);
    TTargetConfig fill;
    fill.Size = QStringLiteral("1000000");
    EXPECT_EQ(fill.GetConfigStrData().size(), 65535 * 5);
}

TEST(TargetConfig, RealsFollowTheUsersSeparator)
{
    TFormatSettings comma;
    comma.DecimalSeparator = QLatin1Char(',');
    const TFormatSettingsScope scope(comma);
    const QStringList sl = Lines("[Params]\nParam1 = 0,,,0,202,4,\"G\",\"\",\"\",\"0,5\",2.5,1,5;\n"
                                 "[Assembly]\nAssem1 = \"A\",,1,0,,,32,Param1;\n");
    TTargetConfig tc;
    tc.Format = QStringLiteral("Assem1");
    ASSERT_FALSE(tc.DecodeAssemblyObj(tc.Find_Assembly_Object(sl), sl).Failed());
    ASSERT_EQ(tc.ListParamObject.size(), 1u);
    EXPECT_DOUBLE_EQ(tc.ListParamObject[0].MinReal, 0.5);
    EXPECT_DOUBLE_EQ(tc.ListParamObject[0].MaxReal, 2.5);
    EXPECT_DOUBLE_EQ(tc.ListParamObject[0].DefaultReal, 1);  // "1,5" splits into two fields
}

TEST(TargetConfig, EnumerationLookups)
{
    const TTargetConfig tc = Decode(QStringLiteral("Assem20"));
    TTC_ParamObj mode = tc.ListParamObject[3];
    EXPECT_EQ(mode.GetEnumString(), QStringLiteral("\"On, slow\""));
    mode.Value = 7;
    EXPECT_EQ(mode.GetEnumString(), QString());
    EXPECT_EQ(mode.SetValueFromEnum(QStringLiteral("Fast \"x\"")), 2);
    EXPECT_EQ(mode.SetValueFromEnum(QStringLiteral("off")), 1);  // no exact match: the default
}

TEST(TargetConfig, SampleAdapterConfigurationAssembly)
{
    TTargetConfig tc;
    tc.FileName = Eds_Fixture(QStringLiteral("opener_sample_app.eds"));
    tc.Format = QStringLiteral("Assem151");
    ASSERT_FALSE(tc.DecodeTargetConf().Failed());
    EXPECT_EQ(tc.AO_Name, QStringLiteral("Config Assembly"));
    EXPECT_EQ(tc.AO_SizeBit, QStringLiteral("10"));
    ASSERT_EQ(tc.ListParamObject.size(), 10u);
    EXPECT_EQ(tc.ListParamObject[0].Name, QStringLiteral("Config Data"));
    EXPECT_EQ(tc.GetConfigStrData(), QStringList(10, QStringLiteral("0x00")).join(QLatin1Char(',')));

    TTargetConfig input;
    input.FileName = tc.FileName;
    input.Format = QStringLiteral("Assem100");
    ASSERT_FALSE(input.DecodeTargetConf().Failed());
    EXPECT_EQ(input.ListParamObject.size(), 32u);
    EXPECT_EQ(input.GetConfigStrData().count(QStringLiteral("0x00")), 32);

    TTargetConfig missing;
    missing.FileName = QStringLiteral("/nonexistent/x.eds");
    missing.Format = QStringLiteral("Assem151");
    EXPECT_FALSE(missing.DecodeTargetConf().Failed());
    EXPECT_TRUE(missing.ListParamObject.empty());
}

TEST(TargetConfig, ModuleWithConfigurationParameters)
{
    const QString file = Shared_Eds(QStringLiteral("murr_55542_MVK_ME_DIO16_4P_V1_15.eds"));
    if (!FileExists(file))
        GTEST_SKIP() << "shared EDS test data not present: " << file.toStdString();

    TEDS_Connections eds;
    eds.EDS_FileName = file;
    ASSERT_TRUE(eds.Read_EDS_File());
    ASSERT_EQ(eds.List_Conn.size(), 1u);
    const TConnData& c = eds.List_Conn[0];
    EXPECT_EQ(c.InstanceOT, 170);
    EXPECT_EQ(c.InstanceTO, 170);
    EXPECT_EQ(c.ConnPointOT, 140);
    EXPECT_EQ(c.ConnPointTO, 100);
    EXPECT_EQ(c.TargetConfFormat, QStringLiteral("Assem170"));
    EXPECT_EQ(eds.VendCode, 0x0280);
    EXPECT_EQ(eds.ProdType, 7);
    EXPECT_EQ(eds.ProdCode, 0xD8F6);
    EXPECT_EQ(eds.MajRev, 1);
    EXPECT_EQ(eds.MinRev, 13);

    TTargetConfig general;
    general.FileName = file;
    general.Format = QStringLiteral("Assem201");
    ASSERT_FALSE(general.DecodeTargetConf().Failed());
    ASSERT_EQ(general.ListParamObject.size(), 18u);
    for (const TTC_ParamObj& m : general.ListParamObject)
        EXPECT_EQ(m.DataSizeByte, 1) << m.ParamName.toStdString();
    const TTC_ParamObj& p21 = general.ListParamObject[0];
    EXPECT_EQ(p21.ParamName, QStringLiteral("Param21"));
    EXPECT_EQ(p21.Min, 0);
    EXPECT_EQ(p21.Max, 1);
    EXPECT_EQ(p21.Default, 0);
    EXPECT_EQ(p21.ListEnum.size(), 2u);
    EXPECT_EQ(general.GetConfigStrData(), QStringList(18, QStringLiteral("0x00")).join(QLatin1Char(',')));

    // The connection's assembly refers to other assemblies, which are no parameters.
    TTargetConfig conf;
    conf.FileName = file;
    conf.Size = c.TargetConfSize;
    conf.Format = c.TargetConfFormat;
    const TTC_Decode_Result r = conf.DecodeTargetConf();
    EXPECT_EQ(r.Kind, TTC_Decode_Result::Short_Entry);
    EXPECT_EQ(r.Detail, QStringLiteral("Assem200"));
}

// Every shared EDS file and a set of damaged ones pass both decoders.
TEST(EdsDecoding, RealAndDamagedFilesNeverCrash)
{
    QStringList files = QDir(Fixture_Path(QStringLiteral("eds"))).entryList({"*.eds"}, QDir::Files);
    for (QString& f : files)
        f = Eds_Fixture(f);
    const QDir shared(QStringLiteral(KV_SHARED_TESTDATA_DIR "/eds_enip"));
    if (shared.exists()) {
        for (const QString& f : shared.entryList(QDir::Files))
            files << shared.filePath(f);
    } else {
        std::printf("shared EDS test data not present; only the copied fixtures are decoded\n");
    }

    QTemporaryDir dir;
    auto damaged = [&](const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        Write_File(path, bytes);
        files << path;
    };
    const QByteArray sample = Read_File(Eds_Fixture(QStringLiteral("opener_sample_app.eds")));
    damaged("truncated.eds", sample.left(sample.indexOf("Connection2") + 200));
    damaged("unbalanced.eds", "[Params]\nParam1 = 0,,,0,0xC6,1,\"open,;\n[Assembly]\nAssem1 = \"x,,1,0,,,8,Param1;\n"
                              "[Connection Manager]\nConnection1 = 1,2,,,,,,,,,,Assem1,\"n,\"h\",\"20 04 24\n");
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 7919) & 0xFF);
    damaged("binary.eds", "[Connection Manager]\nConnection1 =" + binary);
    damaged("empty.eds", QByteArray());

    for (const QString& f : files) {
        TEDS_Connections eds;
        eds.EDS_FileName = f;
        eds.Read_EDS_File();
        for (const TConnData& c : eds.List_Conn) {
            TTargetConfig tc;
            tc.FileName = f;
            tc.Size = c.TargetConfSize;
            tc.Format = c.TargetConfFormat;
            tc.DecodeTargetConf();
            tc.GetConfigStrData();
        }
        TTargetConfig any;
        any.FileName = f;
        any.Format = QStringLiteral("Assem1");
        any.DecodeTargetConf();
        SUCCEED() << f.toStdString();
    }
}

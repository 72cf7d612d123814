// The scanner rules file: writer layout, reader defaults, round trip, and the bank
// compiler reading through the same model.

#include "enip_outputs/bank_compiler.h"
#include "enip_outputs/enip_master_rules_file.h"

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/xml.h"

#include "enip_test_support.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

TEtherNetIP_Master_Row Full_Row()
{
    TEtherNetIP_Master_Row r;
    const QStringList values = {"Y", "10.0.0.1", "0", "4", "2", "6", "50", "101", "102", "150", "151", "Default",
                                "3", "Y", "0x01, 0x00, 0x0C, 0x00, 0x02, 0x01, 0x82, 0x01", "N", "0x01,0xE8",
                                "N", "pump \"A\" & <B>"};
    for (int i = 0; i < EtherNetIP_Master_Attr_Count; ++i)
        r.Field(i) = values.at(i);
    TTargetConfig tc;
    tc.FileName = QStringLiteral("/eds/a.eds");
    tc.Size = QStringLiteral("3");
    tc.Format = QStringLiteral("Assem1");
    tc.AO_Name = QStringLiteral("Config");
    tc.AO_SizeBit = QStringLiteral("3");
    TTC_ParamObj m;
    m.BitSize = QStringLiteral("16");
    m.ParamName = QStringLiteral("Param1");
    m.Name = QStringLiteral("Speed");
    m.DataSizeByte = 2;
    m.DataType = 199;
    m.Max = 2000;
    m.Default = 1000;
    m.Value = 1000;
    m.ValueReal = 0.5;
    m.MaxReal = 1e20;
    m.Enum = true;
    m.ListEnum = {{0, QStringLiteral("Off")}, {1, QStringLiteral("On")}};
    m.EnumString = {QStringLiteral("Off"), QStringLiteral("On")};
    tc.ListParamObject.push_back(m);
    TTC_ParamObj filler;
    filler.BitSize = QStringLiteral("8");
    filler.DataSizeByte = 1;
    tc.ListParamObject.push_back(filler);
    r.TargetCong = tc;
    return r;
}

// Every element with its attributes in document order, as one text per element.
void Flatten(const TXmlNode& node, int depth, QStringList& out)
{
    for (const TXmlNode& c : node.Children()) {
        QString line = QString(depth, QLatin1Char(' ')) + c.NodeName();
        if (c.NodeType() == TXmlNodeType::Comment)
            line += QLatin1Char(' ') + c.Text();
        for (int i = 0; i < c.AttributeCount(); ++i)
            line += QStringLiteral(" %1=[%2]").arg(c.AttributeName(i), c.AttributeValue(i));
        out << line;
        Flatten(c, depth + 1, out);
    }
}

QStringList Flat_File(const QString& path)
{
    TXmlDocument doc;
    doc.LoadFromFile(path);
    QStringList out;
    Flatten(doc.AsNode(), 0, out);
    return out;
}

QString Rules_Path(const QTemporaryDir& dir)
{
    return dir.filePath(QStringLiteral("EtherNetIP_Master_Rules.xml"));
}

}  // namespace

TEST(EtherNetIPMasterRulesFile, WriterProducesTheFixedLayoutByteForByte)
{
    QTemporaryDir dir;
    TEtherNetIP_Master_Row plain;
    plain.IP_Address = QStringLiteral("10.0.0.2");
    Write_EtherNetIP_Master_Rules(Rules_Path(dir), {Full_Row(), plain});
    const QByteArray expected =
        "<EtherNetIP_Master_Access>"
        "<row Enable=\"Y\" IP_Address=\"10.0.0.1\" Start_Input=\"0\" Num_Input=\"4\" Start_Output=\"2\" "
        "Num_Output=\"6\" Time_Poll=\"50\" Instance_T_O=\"101\" Connection_Point_T_O=\"102\" Instance_O_T=\"150\" "
        "Connection_Point_O_T=\"151\" Dim_Header_T_O=\"Default\" Dim_Header_O_T=\"3\" EnableElectronicKey=\"Y\" "
        "ElectronicKey=\"0x01, 0x00, 0x0C, 0x00, 0x02, 0x01, 0x82, 0x01\" EnableDataSegment=\"N\" "
        "DataSegment=\"0x01,0xE8\" ResetData=\"N\" Mnemonic=\"pump &quot;A&quot; &amp; &lt;B>\">"
        "<TargetCong FileName=\"/eds/a.eds\" Size=\"3\" Format=\"Assem1\" AO_Name=\"Config\" AO_SizeBit=\"3\">"
        "<ParamObjects>"
        "<ParamObject BitSize=\"16\" ParamName=\"Param1\" Name=\"Speed\" DataSizeByte=\"2\" DataType=\"199\" "
        "Min=\"0\" Max=\"2000\" Default=\"1000\" Value=\"1000\" MinReal=\"0\" MaxReal=\"1E20\" DefaultReal=\"0\" "
        "ValueReal=\"0.5\" Enum=\"1\">"
        "<EnumList><Enum Value=\"0\" Description=\"Off\"/><Enum Value=\"1\" Description=\"On\"/></EnumList>"
        "</ParamObject>"
        "<ParamObject BitSize=\"8\" ParamName=\"\" Name=\"\" DataSizeByte=\"1\" DataType=\"0\" Min=\"0\" Max=\"0\" "
        "Default=\"0\" Value=\"0\" MinReal=\"0\" MaxReal=\"0\" DefaultReal=\"0\" ValueReal=\"0\" Enum=\"0\">"
        "<EnumList/></ParamObject>"
        "</ParamObjects></TargetCong></row>"
        "<row Enable=\"N\" IP_Address=\"10.0.0.2\" Start_Input=\"\" Num_Input=\"\" Start_Output=\"\" Num_Output=\"\" "
        "Time_Poll=\"\" Instance_T_O=\"\" Connection_Point_T_O=\"\" Instance_O_T=\"\" Connection_Point_O_T=\"\" "
        "Dim_Header_T_O=\"Default\" Dim_Header_O_T=\"Default\" EnableElectronicKey=\"N\" ElectronicKey=\"\" "
        "EnableDataSegment=\"N\" DataSegment=\"\" ResetData=\"N\" Mnemonic=\"\"/>"
        "</EtherNetIP_Master_Access>\r\n<!--SW_VERSION = 1.001-->\r\n";
    EXPECT_EQ(Read_File(Rules_Path(dir)).toStdString(), expected.toStdString());

    if (QFile::exists(QStringLiteral("/usr/bin/xmllint"))) {
        QProcess lint;
        lint.start(QStringLiteral("/usr/bin/xmllint"), {QStringLiteral("--noout"), Rules_Path(dir)});
        ASSERT_TRUE(lint.waitForFinished(10000));
        EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
    } else {
        std::printf("xmllint not installed: the well-formedness check is skipped\n");
    }
}

TEST(EtherNetIPMasterRulesFile, WriterStopsAtABlankAddressAndAfterTenRows)
{
    QTemporaryDir dir;
    std::vector<TEtherNetIP_Master_Row> rows(12);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].IP_Address = QStringLiteral("10.0.0.%1").arg(i);
    Write_EtherNetIP_Master_Rules(Rules_Path(dir), rows);
    EXPECT_EQ(Read_EtherNetIP_Master_Rules(Rules_Path(dir)).Rows.size(), 10u);

    rows[3].IP_Address = QStringLiteral("  ");
    Write_EtherNetIP_Master_Rules(Rules_Path(dir), rows);
    EXPECT_EQ(Read_EtherNetIP_Master_Rules(Rules_Path(dir)).Rows.size(), 3u);
}

TEST(EtherNetIPMasterRulesFile, LoadAndSaveUnchangedKeepsEveryAttribute)
{
    QTemporaryDir dir;
    // The project fixture was not written by this writer; a file of ours is the other case.
    const QString fixture = Fixture_Path(QStringLiteral("full_project/EtherNetIP_Master_Rules.xml"));
    Write_EtherNetIP_Master_Rules(dir.filePath(QStringLiteral("ours.xml")), {Full_Row()});
    for (const QString& source : {fixture, dir.filePath(QStringLiteral("ours.xml"))}) {
        const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(source, EtherNetIP_Master_Max_Rows);
        ASSERT_FALSE(rules.Rows.empty());
        Write_EtherNetIP_Master_Rules(Rules_Path(dir), rules.Rows);
        EXPECT_EQ(Flat_File(Rules_Path(dir)), Flat_File(source)) << source.toStdString();
        EXPECT_EQ(Read_EtherNetIP_Master_Rules(Rules_Path(dir)).Rows, rules.Rows);
    }
    const TEtherNetIP_Master_Rules ours = Read_EtherNetIP_Master_Rules(dir.filePath(QStringLiteral("ours.xml")));
    const TEtherNetIP_Master_Row expected = Full_Row();
    ASSERT_TRUE(ours.Rows.at(0).TargetCong.has_value());
    EXPECT_EQ(*ours.Rows.at(0).TargetCong, *expected.TargetCong);
}

TEST(EtherNetIPMasterRulesFile, ReaderDefaultsPerAttribute)
{
    QTemporaryDir dir;
    Write_File(Rules_Path(dir),
               "<any><row IP_Address=\"1.2.3.4\" Dim_Header_O_T=\"2\"/><!-- a note --><row Enable=\"Y\">"
               "<TargetCong Size=\"4\"><ParamObjects><ParamObject MinReal=\"abc\" DataType=\"x\" Enum=\"yes\">"
               "<EnumList><Enum Description=\"d\"/></EnumList></ParamObject></ParamObjects></TargetCong></row></any>");
    bool found = false;
    const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(Rules_Path(dir), -1, &found);
    EXPECT_TRUE(found);
    // The comment between the rows is no rule.
    ASSERT_EQ(rules.Rows.size(), 2u);
    const TEtherNetIP_Master_Row& a = rules.Rows[0];
    EXPECT_EQ(a.Enable, QStringLiteral("N"));
    EXPECT_EQ(a.Dim_Header_T_O, QStringLiteral("Default"));
    EXPECT_EQ(a.Dim_Header_O_T, QStringLiteral("2"));
    EXPECT_EQ(a.Time_Poll, QString());
    EXPECT_TRUE(a.Has(ema_IP_Address));
    EXPECT_FALSE(a.Has(ema_Enable));
    EXPECT_FALSE(a.TargetCong.has_value());
    const TTargetConfig& tc = *rules.Rows[1].TargetCong;
    EXPECT_EQ(tc.Size, QStringLiteral("4"));
    EXPECT_EQ(tc.Format, QString());
    ASSERT_EQ(tc.ListParamObject.size(), 1u);
    const TTC_ParamObj& m = tc.ListParamObject[0];
    EXPECT_EQ(m.MinReal, 0);
    EXPECT_EQ(m.DataType, 0);
    EXPECT_FALSE(m.Enum);
    ASSERT_EQ(m.ListEnum.size(), 1u);
    EXPECT_EQ(m.ListEnum[0].Value, 0);
    EXPECT_EQ(m.EnumString, QStringList{QStringLiteral("d")});

    Write_File(Rules_Path(dir), "<!-- leading --><EtherNetIP_Master_Access><row Enable=\"Y\"/></EtherNetIP_Master_Access>");
    EXPECT_TRUE(Read_EtherNetIP_Master_Rules(Rules_Path(dir)).Rows.empty());

    const TEtherNetIP_Master_Rules none = Read_EtherNetIP_Master_Rules(dir.filePath(QStringLiteral("no.xml")), -1, &found);
    EXPECT_FALSE(found);
    EXPECT_TRUE(none.Rows.empty());

    Write_File(Rules_Path(dir), "<EtherNetIP_Master_Access><row");
    try {
        Read_EtherNetIP_Master_Rules(Rules_Path(dir));
        FAIL() << "no error raised";
    } catch (const EXmlError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("EtherNetIP_Master_Rules.xml"))) << e.Message().toStdString();
    }
}

TEST(EtherNetIPMasterRulesFile, MoreThanTenRowsAreCountedNotRead)
{
    QTemporaryDir dir;
    QByteArray xml = "<EtherNetIP_Master_Access>";
    for (int i = 0; i < 12; ++i)
        xml += "<row Mnemonic=\"" + QByteArray::number(i) + "\"/>";
    xml += "</EtherNetIP_Master_Access>";
    Write_File(Rules_Path(dir), xml);
    const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(Rules_Path(dir), EtherNetIP_Master_Max_Rows);
    ASSERT_EQ(rules.Rows.size(), 10u);
    EXPECT_EQ(rules.Rows[9].Mnemonic, QStringLiteral("9"));
    EXPECT_EQ(rules.Rows_Left_Out, 2);
    EXPECT_EQ(Read_EtherNetIP_Master_Rules(Rules_Path(dir)).Rows.size(), 12u);
}

TEST(EtherNetIPMasterRulesFile, RealsLoadTheSameUnderEitherSeparator)
{
    QTemporaryDir dir;
    TFormatSettings comma;
    comma.DecimalSeparator = QLatin1Char(',');
    comma.ThousandSeparator = QLatin1Char('.');
    TFormatSettings point;
    const TEtherNetIP_Master_Row row = Full_Row();
    {
        const TFormatSettingsScope scope(comma);
        Write_EtherNetIP_Master_Rules(Rules_Path(dir), {row});
    }
    EXPECT_TRUE(Read_File(Rules_Path(dir)).contains("ValueReal=\"0,5\""));
    {
        const TFormatSettingsScope scope(point);
        const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(Rules_Path(dir));
        ASSERT_EQ(rules.Rows.size(), 1u);
        EXPECT_EQ(rules.Rows[0].TargetCong, row.TargetCong);
        Write_EtherNetIP_Master_Rules(Rules_Path(dir), rules.Rows);
    }
    EXPECT_TRUE(Read_File(Rules_Path(dir)).contains("ValueReal=\"0.5\""));
    {
        const TFormatSettingsScope scope(comma);
        EXPECT_EQ(Read_EtherNetIP_Master_Rules(Rules_Path(dir)).Rows.at(0).TargetCong, row.TargetCong);
    }
}

// The compiler reads the rules through the same model: the root is the first node,
// so a leading comment leaves the scanner without connections.
TEST(EtherNetIPMasterRulesFile, BankCompilerTakesTheRootAsTheFirstNode)
{
    QTemporaryDir dir;
    const TBankSources sources{dir.filePath(QStringLiteral("ParGen.xml")), Rules_Path(dir),
                               dir.filePath(QStringLiteral("IOLink_Slave.xml"))};
    Write_File(Rules_Path(dir), "<EtherNetIP_Master_Access><row Enable=\"Y\" IP_Address=\"1.2.3.4\"/>"
                                "</EtherNetIP_Master_Access>");
    Compile_Banks(sources);
    EXPECT_EQ(EtherNetIP_Master_Count(), 1);
    Write_File(Rules_Path(dir), "<!-- note --><EtherNetIP_Master_Access><row Enable=\"Y\" IP_Address=\"1.2.3.4\"/>"
                                "</EtherNetIP_Master_Access>");
    Compile_Banks(sources);
    EXPECT_EQ(EtherNetIP_Master_Count(), 0);
}

TEST(EtherNetIPMasterRulesFile, ElectronicKeyTextOfTheImport)
{
    EXPECT_EQ(Electronic_Key_Text(1, 12, 0x0102, 2, 1), QStringLiteral("0x01, 0x00, 0x0C, 0x00, 0x02, 0x01, 0x82, 0x01"));
    EXPECT_EQ(Electronic_Key_Text(1, 12, 65001, 2, 3), QStringLiteral("0x01, 0x00, 0x0C, 0x00, 0xE9, 0xFD, 0x82, 0x03"));
    EXPECT_EQ(Electronic_Key_Text(640, 7, 55542, 1, 13),
              QStringLiteral("0x80, 0x02, 0x07, 0x00, 0xF6, 0xD8, 0x81, 0x0D"));
    EXPECT_EQ(Electronic_Key_Text(0, 0, 0, 200, 0), QStringLiteral("0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x148, 0x00"));
}

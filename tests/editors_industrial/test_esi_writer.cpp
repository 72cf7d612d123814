// EtherCAT ESI writer.

#include "editors_industrial/esi_writer.h"

#include "industrial_test_support.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"

#include <QTemporaryDir>

#include <functional>
#include <iostream>

#include <gtest/gtest.h>

using namespace industrial_test;

namespace {

const QString Esi_Schema = Shared(QStringLiteral("esi/schema/EtherCATInfo.xsd"));

struct TRow {
  bool SlaveToMaster;
  const char* Enable;
  const char* Type;
  const char* Length;
  const char* Name;
};

QString Attr_Text(const QString& s)
{
  QString r = s;
  return r.replace(QLatin1Char('&'), QStringLiteral("&amp;"))
      .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
      .replace(QLatin1Char('"'), QStringLiteral("&quot;"));
}

// EtherCAT_Slave.xml in the editor's saved form.
QByteArray Slave_File(const std::vector<TRow>& rows)
{
  QString stm, mts;
  for (const TRow& r : rows) {
    QString& out = r.SlaveToMaster ? stm : mts;
    out += QStringLiteral("<row Enable=\"%1\" Type=\"%2\" Length=\"%3\" Name=\"%4\"")
               .arg(QString::fromUtf8(r.Enable), Attr_Text(QString::fromUtf8(r.Type)), QString::fromUtf8(r.Length),
                    Attr_Text(QString::fromUtf8(r.Name)));
    out += r.SlaveToMaster ? QStringLiteral(" InitValue=\"\" Position=\"0\" BitStart=\"0\" Mnemonic=\"\"/>")
                           : QStringLiteral(" Position=\"0\" BitStart=\"0\" Mnemonic=\"\"/>");
  }
  return (QStringLiteral("<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>") + stm +
          QStringLiteral("</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>") + mts +
          QStringLiteral("</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave>\r\n"
                         "<!--SW_VERSION = 1.000-->\r\n"))
      .toUtf8();
}

std::vector<TRow> Repeat(int n, bool stm, const char* type)
{
  return std::vector<TRow>(static_cast<size_t>(n), TRow{stm, "Y", type, "1", "V"});
}

int Count(const QStringList& lines, const QString& text)
{
  int n = 0;
  for (const QString& l : lines)
    n += l.trimmed() == text ? 1 : 0;
  return n;
}

int Find(const QStringList& lines, const QString& text, int from = 0)
{
  for (int i = from; i < lines.size(); ++i)
    if (lines[i].trimmed() == text)
      return i;
  return -1;
}

// The lines of a padding entry of the given width, as written.
QStringList Gap(int bits)
{
  const QString t5(5, QLatin1Char('\t')), t6(6, QLatin1Char('\t'));
  return {t5 + "<Entry>", t6 + "<Index>#x0</Index>", t6 + "<SubIndex>0</SubIndex>",
          t6 + QStringLiteral("<BitLen>%1</BitLen>").arg(bits), t5 + "</Entry>", QString()};
}

bool Contains_Sequence(const QStringList& lines, const QStringList& seq)
{
  for (qsizetype i = 0; i + seq.size() <= lines.size(); ++i)
    if (lines.mid(i, seq.size()) == seq)
      return true;
  return false;
}

QStringList Entry(const QString& index, int bits, const QString& name, const QString& type)
{
  const QString s10(10, QLatin1Char(' ')), s12(12, QLatin1Char(' '));
  return {s10 + "<Entry>",
          s12 + "<Index>" + index + "</Index>",
          s12 + "<SubIndex>0</SubIndex>",
          s12 + QStringLiteral("<BitLen>%1</BitLen>").arg(bits),
          s12 + "<Name>" + name + "</Name>",
          s12 + "<DataType>" + type + "</DataType>",
          s10 + "</Entry>",
          QString()};
}

QString Outputs_Sm(const QStringList& lines)
{
  for (const QString& l : lines)
    if (l.contains(QStringLiteral(">Outputs</Sm>")))
      return l.trimmed();
  return QString();
}

struct TEsiCase {
  const char* Name;
  std::vector<TRow> Rows;
  QByteArray ParGen;  // empty: no ParGen.xml
  std::function<void(const TESI_Data&, const QStringList&)> Check;
};

std::vector<TEsiCase> Esi_Cases()
{
  std::vector<TEsiCase> c;
  c.push_back({"SeventeenOutputsMakeTwoRxPdos", Repeat(17, false, "Int8"), {}, [](const TESI_Data&, const QStringList& l) {
                 EXPECT_EQ(Count(l, "<RxPdo Mandatory=\"true\" Fixed=\"true\" Sm=\"2\">"), 2);
                 EXPECT_EQ(Count(l, "</RxPdo>"), 2);
                 const int second = Find(l, "<Index>#x1601</Index>");
                 ASSERT_GT(second, 0);
                 EXPECT_EQ(l[second + 1].trimmed(), "<Name>Outputs_001</Name>");
                 EXPECT_LT(Find(l, "<Index>#x700F</Index>"), second);
                 EXPECT_GT(Find(l, "<Index>#x7010</Index>"), second);
                 EXPECT_EQ(Find(l, "<Index>#x7011</Index>"), -1);
                 EXPECT_EQ(Find(l, "<TxPdo Mandatory=\"true\" Fixed=\"true\" Sm=\"3\">"), -1);
               }});
  c.push_back({"ThreeBoolsAndAnInt16GetAFiveBitGap",
               {{true, "Y", "Bool", "1", "a"}, {true, "Y", "Bool", "1", "b"}, {true, "Y", "Bool", "1", "c"},
                {true, "Y", "Int16", "2", "d"}},
               {},
               [](const TESI_Data& d, const QStringList& l) {
                 EXPECT_EQ(d.Input_Byte_Count, 3);
                 EXPECT_TRUE(Contains_Sequence(l, Entry("#x6002", 1, "c", "BIT") + Gap(5) + Entry("#x6003", 16, "d", "INT")));
                 EXPECT_EQ(Outputs_Sm(l), "<Sm StartAddress=\"#x100C\" ControlByte=\"#x64\" DefaultSize=\"1\" Enable=\"1\">Outputs</Sm>");
               }});
  c.push_back({"EightBoolsFillTheByteWithoutGap", Repeat(8, true, "Bool"), {}, [](const TESI_Data& d, const QStringList& l) {
                 EXPECT_EQ(Count(l, "<Index>#x0</Index>"), 0);
                 EXPECT_EQ(d.Input_Byte_Count, 1);
               }});
  c.push_back({"NineBoolsGetASevenBitGapAfterTheNinth", Repeat(9, true, "Bool"), {}, [](const TESI_Data& d, const QStringList& l) {
                 EXPECT_EQ(Count(l, "<Index>#x0</Index>"), 1);
                 EXPECT_TRUE(Contains_Sequence(l, Entry("#x6008", 1, "V", "BIT") + Gap(7)));
                 EXPECT_EQ(d.Input_Byte_Count, 2);
               }});
  c.push_back({"LoneLastBoolGetsASevenBitGap", {{false, "Y", "Int16", "2", "w"}, {false, "Y", "Bool", "1", "b"}}, {},
               [](const TESI_Data&, const QStringList& l) {
                 EXPECT_TRUE(Contains_Sequence(l, Entry("#x7001", 1, "b", "BIT") + Gap(7)));
               }});
  c.push_back({"DisabledRowTakesNoIndex",
               {{true, "Y", "Int8", "1", "a"}, {true, "N", "Int8", "1", "off"}, {true, "y", "Int8", "1", "lower"},
                {true, "Y", "Int8", "1", "b"}},
               {},
               [](const TESI_Data& d, const QStringList& l) {
                 ASSERT_EQ(d.Slave_To_Master.size(), 2u);
                 EXPECT_TRUE(Contains_Sequence(l, Entry("#x6001", 8, "b", "SINT")));
                 EXPECT_EQ(d.Input_Byte_Count, 2);
               }});
  c.push_back({"ByteStringIsOneBit", {{true, "Y", "ByteString", "10", "bs"}}, {}, [](const TESI_Data& d, const QStringList& l) {
                 EXPECT_TRUE(Contains_Sequence(l, Entry("#x6000", 1, "bs", "BIT") + Gap(7)));
                 EXPECT_EQ(d.Input_Byte_Count, 1);
               }});
  c.push_back({"TypesMatchInAnyCaseAndWithBlanks", {{false, "Y", "int16 ", "2", "w"}, {false, "Y", " uint32", "4", "u"}}, {},
               [](const TESI_Data&, const QStringList& l) {
                 EXPECT_TRUE(Contains_Sequence(l, Entry("#x7000", 16, "w", "INT") + Entry("#x7001", 32, "u", "UDINT")));
               }});
  c.push_back({"OneInt8PutsTheOutputsAtX1004", {{true, "Y", "Int8", "1", "a"}}, {}, [](const TESI_Data& d, const QStringList& l) {
                 EXPECT_EQ(d.Input_Byte_Count, 1);
                 EXPECT_TRUE(Outputs_Sm(l).contains("StartAddress=\"#x1004\""));
               }});
  c.push_back({"StringCarriesItsSize", {{true, "Y", "String", "5", "s"}}, {}, [](const TESI_Data& d, const QStringList& l) {
                 EXPECT_TRUE(Contains_Sequence(l, Entry("#x6000", 40, "s", "STRING(5)")));
                 EXPECT_EQ(d.Input_Byte_Count, 5);
               }});
  c.push_back({"DefaultsWithoutParameters", {}, {}, [](const TESI_Data&, const QStringList& l) {
                 EXPECT_EQ(l[Find(l, "<Devices>") + 2].trimmed(),
                           "<Type ProductCode=\"#x00027518\" RevisionNo=\"#x00\">EtherCAT Slave</Type>");
                 EXPECT_EQ(Find(l, "<ConfigData>800F00CC8813ff00010000800000</ConfigData>") > 0, true);
                 EXPECT_TRUE(Outputs_Sm(l).contains("StartAddress=\"#x1000\""));
                 EXPECT_EQ(Find(l, "</RxPdo>"), -1);
                 EXPECT_EQ(Find(l, "</TxPdo>"), -1);
               }});
  c.push_back({"FortyEightVariablesMakeThreeFullPdos", Repeat(48, true, "UInt8"), {}, [](const TESI_Data&, const QStringList& l) {
                 EXPECT_EQ(Count(l, "</TxPdo>"), 3);
                 EXPECT_EQ(Count(l, "<TxPdo Mandatory=\"true\" Fixed=\"true\" Sm=\"3\">"), 3);
                 EXPECT_GT(Find(l, "<Name>Inputs_002</Name>"), 0);
                 EXPECT_EQ(Find(l, "<Name>Inputs_003</Name>"), -1);
                 EXPECT_EQ(l[Find(l, "<Index>#x602F</Index>") + 7].trimmed(), "</TxPdo>");
               }});
  c.push_back({"NamesAreEscapedAndParametersRead",
               {{true, "Y", "Int8", "1", "T\xC3\xBCr & <x>"}},
               "<Par_Gen><EtherCAT_Slave_Name>A \"&amp;\" &lt;B&gt;</EtherCAT_Slave_Name>"
               "<EtherCAT_Slave_Revision_Number>$12345</EtherCAT_Slave_Revision_Number>"
               "<EtherCAT_Slave_Node_Address>66051</EtherCAT_Slave_Node_Address></Par_Gen>",
               [](const TESI_Data& d, const QStringList& l) {
                 EXPECT_EQ(d.Node_Address, 0x0203);
                 EXPECT_GT(Find(l, "<Name>T\u00FCr &amp; &lt;x&gt;</Name>"), 0);
                 EXPECT_GT(Find(l, "<Type ProductCode=\"#x00027518\" RevisionNo=\"#x12345\">A &quot;&amp;&quot; &lt;B&gt;</Type>"), 0);
                 EXPECT_GT(Find(l, "<ConfigData>800F00CC8813ff00030200800000</ConfigData>"), 0);
               }});
  c.push_back({"UnreadableNumbersKeepTheirDefaults", {},
               "<Par_Gen><EtherCAT_Slave_Revision_Number>1.5</EtherCAT_Slave_Revision_Number>"
               "<EtherCAT_Slave_Node_Address>x</EtherCAT_Slave_Node_Address></Par_Gen>",
               [](const TESI_Data& d, const QStringList&) {
                 EXPECT_EQ(d.Revision, 0u);
                 EXPECT_EQ(d.Node_Address, 1);
                 EXPECT_EQ(d.Name, "EtherCAT Slave");
               }});
  return c;
}

}  // namespace

TEST(EsiWriter, EdgeCaseTableAndEveryDocumentValidates)
{
  const bool validate = Has_Xmllint() && QFile::exists(Esi_Schema);
  if (!validate)
    std::cout << "[ SKIPPED ] xmllint or the ESI schema not available: documents not validated\n";
  for (const TEsiCase& c : Esi_Cases()) {
    SCOPED_TRACE(c.Name);
    QTemporaryDir dir;
    const QString parGen = dir.filePath("ParGen.xml");
    if (!c.ParGen.isEmpty())
      Write_All(parGen, c.ParGen);
    const QString slave = dir.filePath("EtherCAT_Slave.xml");
    if (!c.Rows.empty())
      Write_All(slave, Slave_File(c.Rows));
    const TESI_Data d = Load_ESI_Data(parGen, slave);
    c.Check(d, ESI_Lines(d));
    const QString out = dir.filePath("out.xml");
    Write_ESI_Xml(out, d);
    if (validate) {
      EXPECT_EQ(Xmllint_Errors(out, Esi_Schema), QString());
    }
  }
}

TEST(EsiWriter, ThreeDigitTextAndDataTypes)
{
  EXPECT_EQ(Three_Digit_Text(0), "000");
  EXPECT_EQ(Three_Digit_Text(9), "009");
  EXPECT_EQ(Three_Digit_Text(10), "010");
  EXPECT_EQ(Three_Digit_Text(99), "099");
  EXPECT_EQ(Three_Digit_Text(100), "100");
  EXPECT_EQ(Three_Digit_Text(1234), "1234");
  struct {
    const char* Type;
    qint64 Length;
    const char* DataType;
    qint64 Bits;
  } const table[] = {{"Bool", 1, "BIT", 1},       {"INT8", 1, "SINT", 8},      {"Int16", 2, "INT", 16},
                     {"int32", 4, "DINT", 32},    {"UInt8", 1, "USINT", 8},    {"UInt16", 2, "UINT", 16},
                     {"UInt32", 4, "UDINT", 32},  {"Float32", 4, "REAL", 32},  {"String", 10, "STRING(10)", 80},
                     {"ByteString", 10, "BIT", 1}, {"", 3, "BIT", 1},           {"Int64", 8, "BIT", 1},
                     {"String", 2147483647, "STRING(2147483647)", 17179869176}};
  for (const auto& t : table) {
    qint64 length = t.Length;
    EXPECT_EQ(Get_ESI_Data_Type(QString::fromLatin1(t.Type), length), QString::fromLatin1(t.DataType)) << t.Type;
    EXPECT_EQ(length, t.Bits) << t.Type;
  }
}

TEST(EsiWriter, FixtureProjectGivesTheGoldenFile)
{
  QTemporaryDir dir;
  const QString out = dir.filePath("esi.xml");
  const QString project = Fixture("esi_project");
  Write_ESI_Xml(out, Load_ESI_Data(project + "/ParGen.xml", project + "/EtherCAT_Slave.xml"));
  const QByteArray bytes = Read_All(out);
  if (qEnvironmentVariableIsSet("KV_REGENERATE_GOLDEN"))
    Write_All(Fixture("esi_project_expected.xml"), bytes);
  EXPECT_EQ(bytes, Read_All(Fixture("esi_project_expected.xml")));
  EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\"?>\r\n<EtherCATInfo "));
  EXPECT_TRUE(bytes.endsWith("</EtherCATInfo>\r\n"));
  if (Has_Xmllint() && QFile::exists(Esi_Schema)) {
    EXPECT_EQ(Xmllint_Errors(out, Esi_Schema), QString());
  }
}

TEST(EsiWriter, ProjectFileThatIsNotWellFormedWritesNothing)
{
  QTemporaryDir exe, project;
  TProjectScope scope(exe.path(), project.path());
  const QString target = project.filePath("old.xml");
  Write_All(target, "old");
  Write_All(WS().Name_File_EtherCAT_Slave, "<EtherCAT_Slave><EtherCAT_Slave_Variables>");
  EXPECT_THROW(Write_ESI_File(target), EXmlError);
  EXPECT_EQ(Read_All(target), QByteArray("old"));

  Write_All(WS().Name_File_EtherCAT_Slave, "<EtherCAT_Slave><EtherCAT_Slave_Variables/></EtherCAT_Slave>");
  EXPECT_THROW(Write_ESI_File(target), EXmlError);  // a section is missing
  Write_All(WS().Name_File_EtherCAT_Slave, Slave_File({}));
  Write_All(WS().Name_File_ParGen, "<Par_Gen>");
  EXPECT_THROW(Write_ESI_File(target), EXmlError);
  EXPECT_EQ(Read_All(target), QByteArray("old"));
}

TEST(EsiWriter, SaveAsksForTheFileAndConfirmsAnOverwrite)
{
  QTemporaryDir exe, project;
  TProjectScope scope(exe.path(), project.path());
  Init_Lang_Table();
  TDialogResponder responder;

  responder.QueueCancel();
  Save_ESI_File();
  ASSERT_EQ(responder.Requests.size(), 1u);
  EXPECT_EQ(responder.Requests[0].Kind, TDialogRequest::dkSaveFile);
  EXPECT_EQ(responder.Requests[0].Filter, "EtherCAT ESI File (*.xml)|*.xml");
  EXPECT_EQ(responder.Requests[0].InitialDir, project.path());

  const QString target = project.filePath("device.xml");
  responder.QueueFile(project.filePath("device"));  // the default extension is added
  Save_ESI_File();
  EXPECT_TRUE(Read_All(target).startsWith("<?xml"));

  Write_All(target, "old");
  responder.QueueFile(target);
  responder.QueueResult(mrNo);
  Save_ESI_File();
  EXPECT_EQ(responder.LastText(), "File already exists. Do you want to overwrite?");
  EXPECT_EQ(Read_All(target), QByteArray("old"));

  responder.QueueFile(target);
  responder.QueueResult(mrYes);
  Save_ESI_File();
  EXPECT_TRUE(Read_All(target).startsWith("<?xml"));
}

// IEC_61850_Client.xml: the project file of the IEC 61850 client editor, read with its
// catalog and written back.

#include "editors_industrial/iec_client_file.h"

#include "industrial_test_support.h"
#include "platform/core/files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace industrial_test;

namespace {

const QString File_Name = QStringLiteral("IEC_61850_Client.xml");
const QString OpenSCD = QStringLiteral("openscd_valid2007B4.scd");
const QString Hand = QStringLiteral("scl_main.icd");

// A copy of the fixture project (its file replaced by the given text), less the catalog
// files named in Leave_Out.
class Project {
public:
  explicit Project(const QByteArray& Text = Fixture_Text(), const QStringList& Leave_Out = {})
  {
    QDir(Dir.path()).mkdir(IEC_Catalog_Folder_Name);
    const QString From = Fixture(QStringLiteral("iec_client_project/") + IEC_Catalog_Folder_Name);
    for (const QString& F : QDir(From).entryList(QDir::Files))
      if (!Leave_Out.contains(F))
        QFile::copy(PathJoin(From, F), PathJoin(Catalog(), F));
    Write_All(Path(), Text);
  }
  static QByteArray Fixture_Text() { return Read_All(Fixture(QStringLiteral("iec_client_project/") + File_Name)); }

  QString Path() const { return Dir.filePath(File_Name); }
  QString Catalog() const { return Dir.filePath(IEC_Catalog_Folder_Name); }
  TIEC_Client_Load Read() { return Read_IEC_61850_Client_File(Path(), Catalog(), Model); }

  QTemporaryDir Dir;
  TIEC_Client_Model Model;
};

QByteArray Replaced(const char* From, const char* To)
{
  QByteArray T = Project::Fixture_Text();
  EXPECT_TRUE(T.contains(From)) << From;
  return T.replace(From, To);
}

TEST(IecClientFile, FixtureProjectLoadsBoundAndSavesBackByteForByte)
{
  KV_REQUIRE_XMLLINT(QString());
  Project P;
  const TIEC_Client_Load L = P.Read();
  EXPECT_TRUE(L.File_Found);
  EXPECT_FALSE(L.Partial()) << qPrintable(L.Failure);
  EXPECT_TRUE(L.Missing_Files_Warning().isEmpty());

  ASSERT_EQ(P.Model.List_IEC_Dev.size(), 2u);
  EXPECT_EQ(P.Model.List_IEC_Dev[0]->FileName(), OpenSCD);
  EXPECT_EQ(P.Model.List_IEC_Dev[1]->FileName(), Hand);
  ASSERT_EQ(P.Model.DA_Rows.size(), 3u);
  EXPECT_EQ(P.Model.DA_Rows[1].Mnemonic, QStringLiteral("Power & load"));
  EXPECT_EQ(P.Model.DA_Rows[0].StartByte + QLatin1Char('+') + P.Model.DA_Rows[0].NumByte, QStringLiteral("200+55"));

  ASSERT_EQ(P.Model.DataSet_Rows.size(), 3u);
  ASSERT_EQ(P.Model.List_DataSet.size(), 3u);
  const size_t Members[] = {5, 1, 6};
  for (size_t k = 0; k < 3; ++k) {
    const TDataSet& DS = *P.Model.List_DataSet[k];
    ASSERT_TRUE(DS.Select_DataSet) << k;
    EXPECT_EQ(DS.Select_DataSet->Reference(), P.Model.DataSet_Rows[k].Reference);
    EXPECT_EQ(DS.List_DAs.size(), Members[k]) << k;
  }
  // The GOOSE data set of the first device, member by member.
  const TDataSet& Goose = *P.Model.List_DataSet[0];
  EXPECT_EQ(Goose.Select_DataSet, Get_DataSet(P.Model.List_IEC_Dev, 0, P.Model.DataSet_Rows[0].Reference));
  EXPECT_EQ(Goose.List_DAs[2]->Select_DA->Reference(), QStringLiteral("IED1CircuitBreaker_CB1/CSWI1.Pos.stVal"));
  EXPECT_EQ(Goose.List_DAs[2]->Position, QStringLiteral("105"));
  EXPECT_EQ(Goose.List_DAs[2]->bitAddress, QStringLiteral("2"));
  EXPECT_EQ(Goose.List_DAs[2]->Mnemonic, QStringLiteral("CSWI1 position"));
  // Two members of one attribute stay two, each with its own place.
  const TDataSet& DS1 = *P.Model.List_DataSet[2];
  EXPECT_EQ(DS1.List_DAs[2]->Select_DA, DS1.List_DAs[3]->Select_DA);
  EXPECT_EQ(DS1.List_DAs[3]->Position, QStringLiteral("306"));

  const QString Saved = P.Dir.filePath(QStringLiteral("saved.xml"));
  Write_IEC_61850_Client_File(Saved, P.Model);
  EXPECT_EQ(Read_All(Saved), Project::Fixture_Text());
  EXPECT_EQ(Xmllint_Errors(Saved), QString());
}

// Earlier versions named a data set by its logical node's class only ("IED1LD1/XSWI.DSX"
// for the data set DSX of Q0XSWI1). Such a file loads whole and saves in the current form,
// the very file the current version writes. Q0XSWI2 has a DSX of the same earlier name:
// the first one, as the earlier versions found it, is the one the members bind to.
TEST(IecClientFile, AFileOfTheEarlierFormLoadsWholeAndSavesInTheCurrentForm)
{
  Project P(Read_All(Fixture(QStringLiteral("iec_client_project/IEC_61850_Client_earlier_form.xml"))));
  const TIEC_Client_Load L = P.Read();
  EXPECT_FALSE(L.Partial()) << qPrintable(L.Failure);
  ASSERT_EQ(P.Model.List_DataSet.size(), 3u);
  const size_t Members[] = {5, 1, 6};
  for (size_t k = 0; k < 3; ++k) {
    ASSERT_TRUE(P.Model.List_DataSet[k]->Select_DataSet) << k;
    EXPECT_EQ(P.Model.List_DataSet[k]->List_DAs.size(), Members[k]) << k;
  }
  EXPECT_EQ(P.Model.DataSet_Rows[1].Reference, QStringLiteral("IED1LD1/Q0XSWI1.DSX"));
  EXPECT_EQ(P.Model.List_DataSet[1]->List_DAs[0]->Position, QStringLiteral("200"));

  Write_IEC_61850_Client_File(P.Path(), P.Model);
  EXPECT_EQ(Read_All(P.Path()), Project::Fixture_Text());
}

TEST(IecClientFile, AMemberEditIsWrittenForThatMemberOnly)
{
  Project P;
  P.Read();
  P.Model.List_DataSet[2]->List_DAs[1]->Set_Field(3, QStringLiteral("399"));
  Write_IEC_61850_Client_File(P.Path(), P.Model);
  EXPECT_EQ(Read_All(P.Path()), Replaced("Position=\"301\"", "Position=\"399\""));
}

TEST(IecClientFile, EmptyGridsGiveEmptyListsAndLoadEmpty)
{
  QTemporaryDir Dir;
  const QString Path = Dir.filePath(File_Name);
  TIEC_Client_Model M;
  M.DA_Rows.resize(1);  // the grids' one empty row each
  M.DataSet_Rows.resize(1);
  Write_IEC_61850_Client_File(Path, M);
  EXPECT_EQ(Read_All(Path), QByteArray("<IEC_68850_Client><List_ICD_Files/><List_DA_Selected/><List_DataSet_Selected/>"
                                       "</IEC_68850_Client>\r\n<!--SW_VERSION = 1.000-->\r\n"));
  const TIEC_Client_Load L = Read_IEC_61850_Client_File(Path, Dir.path(), M);
  EXPECT_FALSE(L.Partial());
  EXPECT_TRUE(M.List_IEC_Dev.empty() && M.DA_Rows.empty() && M.DataSet_Rows.empty() && M.List_DataSet.empty());

  // A single row that has an Index is written.
  M.DA_Rows.resize(1);
  M.DA_Rows[0].Index = QStringLiteral("0");
  Write_IEC_61850_Client_File(Path, M);
  EXPECT_TRUE(Read_All(Path).contains("<DA_Item Index=\"0\" bType=\"\""));

  // No file: nothing loaded, nothing to report.
  const TIEC_Client_Load None = Read_IEC_61850_Client_File(Dir.filePath(QStringLiteral("none.xml")), Dir.path(), M);
  EXPECT_FALSE(None.File_Found);
  EXPECT_FALSE(None.Partial());
  EXPECT_TRUE(M.DA_Rows.empty());
}

TEST(IecClientFile, StartAndLengthRuleRunsOnTheLoadedRows)
{
  // INT32U row: saved span replaced; VisString255 row without span: stays empty.
  Project P(Replaced("StartByte=\"200\" NumByte=\"55\" ", "")
                .replace("StartByte=\"0\" NumByte=\"4\" IPAddress=\"192.168.1.125\"",
                         "StartByte=\"3\" NumByte=\"9\" IPAddress=\"192.168.1.125\""));
  const TIEC_Client_Load L = P.Read();
  EXPECT_FALSE(L.Partial()) << qPrintable(L.Failure);
  EXPECT_TRUE(P.Model.DA_Rows[0].StartByte.isEmpty() && P.Model.DA_Rows[0].NumByte.isEmpty());
  EXPECT_EQ(P.Model.DA_Rows[2].StartByte + P.Model.DA_Rows[2].NumByte, QStringLiteral("04"));
}

TEST(IecClientFile, MembersAreBoundByPosition)
{
  // The saved first two members of the GOOSE data set trade places: neither matches now.
  QByteArray T = Project::Fixture_Text();
  const QByteArray First = "<DataSet_DA_Item bType=\"Dbpos\" Reference=\"IED1CircuitBreaker_CB1/XCBR1.Pos.stVal\" "
                           "Position=\"100\" StartBit=\"0\" Convertion=\"None\" MoltFact=\"None\" Mnemonic=\"CB1 position\"/>";
  const QByteArray Second = "<DataSet_DA_Item bType=\"Quality\" Reference=\"IED1CircuitBreaker_CB1/XCBR1.Pos.q\" "
                            "Position=\"101\" StartBit=\"\" Convertion=\"None\" MoltFact=\"None\" Mnemonic=\"\"/>";
  ASSERT_TRUE(T.contains(First + Second));
  T.replace(First + Second, Second + First);
  // A saved member beyond the data set's members is left out too.
  T.replace("Mnemonic=\"Q0 XSWI1\"/>", "Mnemonic=\"Q0 XSWI1\"/><DataSet_DA_Item bType=\"Dbpos\" Reference=\"x\"/>");
  Project P(T);
  const TIEC_Client_Load L = P.Read();
  EXPECT_FALSE(L.Partial());
  const TDataSet& Goose = *P.Model.List_DataSet[0];
  ASSERT_EQ(Goose.List_DAs.size(), 3u);
  EXPECT_EQ(Goose.List_DAs[0]->Select_DA, Goose.Select_DataSet->List_DA[2]);
  EXPECT_EQ(Goose.List_DAs[0]->Position, QStringLiteral("105"));
  EXPECT_EQ(P.Model.List_DataSet[1]->List_DAs.size(), 1u);

  // A data set that is no longer there keeps its row, without members.
  Project Gone(Replaced("Reference=\"IED1LD1/Q0XSWI1.DSX\"", "Reference=\"IED1LD1/Q0XSWI1.DSY\""));
  EXPECT_FALSE(Gone.Read().Partial());
  ASSERT_EQ(Gone.Model.List_DataSet.size(), 3u);
  EXPECT_EQ(Gone.Model.List_DataSet[1]->Select_DataSet, nullptr);
  EXPECT_TRUE(Gone.Model.List_DataSet[1]->List_DAs.empty());
  EXPECT_EQ(Gone.Model.DataSet_Rows[1].Mnemonic, QStringLiteral("Switch 1"));
}

TEST(IecClientFile, AMissingCatalogFileKeepsItsDevicePositionAndIsWarnedAbout)
{
  Project P(Project::Fixture_Text(), {OpenSCD});
  const TIEC_Client_Load L = P.Read();
  EXPECT_TRUE(L.Failure.isEmpty()) << qPrintable(L.Failure);
  EXPECT_EQ(L.Missing_Files, QStringList{OpenSCD});
  EXPECT_TRUE(L.Partial());
  EXPECT_TRUE(L.Missing_Files_Warning().contains(QLatin1Char('"') + OpenSCD + QLatin1Char('"')));

  ASSERT_EQ(P.Model.List_IEC_Dev.size(), 2u);
  EXPECT_TRUE(P.Model.List_IEC_Dev[0]->List_LDevice.empty());
  EXPECT_EQ(P.Model.List_IEC_Dev[0]->FileName(), OpenSCD);
  EXPECT_EQ(P.Model.List_IEC_Dev[1]->FileName(), Hand);
  // Every row still names its device; the data sets of the missing one have no members.
  EXPECT_EQ(P.Model.DA_Rows[1].Index, QStringLiteral("1"));
  EXPECT_EQ(P.Model.List_DataSet[0]->Select_DataSet, nullptr);
  EXPECT_TRUE(P.Model.List_DataSet[0]->List_DAs.empty());
  EXPECT_EQ(P.Model.List_DataSet[1]->Select_DataSet, Get_DataSet(P.Model.List_IEC_Dev, 1, QStringLiteral("IED1LD1/Q0XSWI1.DSX")));
  EXPECT_EQ(P.Model.List_DataSet[2]->List_DAs.size(), 6u);

  // Saved again, the missing file is still listed at its place (its name is unknown now).
  Write_IEC_61850_Client_File(P.Path(), P.Model);
  const QByteArray Saved = Read_All(P.Path());
  EXPECT_TRUE(Saved.startsWith("<IEC_68850_Client><List_ICD_Files><ICD_File Name=\"\" FileName=\"openscd_valid2007B4.scd\"/>"
                               "<ICD_File Name=\"IED1\" FileName=\"scl_main.icd\"/>"));
}

TEST(IecClientFile, LoadStopsAtWhatItCannotReadAndKeepsWhatCameBefore)
{
  struct TCase {
    const char* Name;
    QByteArray Text;
    const char* Where;  // in the failure text
    size_t Devices, DA_Rows, DataSet_Rows;
  };
  QByteArray No_Members = Replaced("<DataSet_List_DAs><DataSet_DA_Item bType=\"Dbpos\" Reference=\"IED1LD1",
                                   "<DataSet_DA_Item bType=\"Dbpos\" Reference=\"IED1LD1");
  No_Members.replace("Mnemonic=\"Q0 XSWI1\"/></DataSet_List_DAs>", "Mnemonic=\"Q0 XSWI1\"/>");
  const TCase Cases[] = {
      {"root of another name", Replaced("IEC_68850_Client>", "IEC_61850_Client>"), "Element \"IEC_68850_Client\" not found", 0, 0, 0},
      {"no file list", Replaced("List_ICD_Files>", "Files>"), "Element \"List_ICD_Files\" not found", 0, 0, 0},
      {"file without FileName", Replaced(" FileName=\"scl_main.icd\"", ""), "ICD_File 2: Attribute \"FileName\" not found", 1, 0, 0},
      {"no variables list", Replaced("List_DA_Selected>", "DA_Selected>"), "Element \"List_DA_Selected\" not found", 2, 0, 0},
      {"variable without Port", Replaced("Port=\"102\" OnChange=\"N\" OnCMD=\"N\" OnTimer=\"Y\"", "OnChange=\"N\" OnCMD=\"N\" OnTimer=\"Y\""),
       "DA_Item 2: Attribute \"Port\" not found", 2, 2, 0},
      {"data set without Time", Replaced("Time=\"250\" ", ""), "DataSet_Item 2: Attribute \"Time\" not found", 2, 3, 2},
      {"data-set Index in hex", Replaced("<DataSet_Item Index=\"1\"", "<DataSet_Item Index=\"0x1\""),
       "DataSet_Item 2: Index \"0x1\" is not a whole number", 2, 3, 2},
      {"data set without member list", No_Members, "DataSet_Item 2: Element \"DataSet_List_DAs\" not found", 2, 3, 2},
      {"not well-formed", Replaced("</List_DA_Selected>", "</List_DA_Selecte>"), "IEC_61850_Client.xml", 0, 0, 0},
  };
  for (const TCase& C : Cases) {
    Project P(C.Text);
    const TIEC_Client_Load L = P.Read();
    EXPECT_TRUE(L.Partial()) << C.Name;
    EXPECT_TRUE(L.Failure.contains(QString::fromUtf8(C.Where))) << C.Name << ": " << qPrintable(L.Failure);
    EXPECT_TRUE(L.Failure.contains(P.Path())) << C.Name << ": " << qPrintable(L.Failure);
    if (QByteArray(C.Where).startsWith("Element")) {  // a failure outside the items names no item
      EXPECT_EQ(L.Failure, QStringLiteral("\"%1\": %2").arg(P.Path(), QString::fromUtf8(C.Where))) << C.Name;
    }
    EXPECT_EQ(P.Model.List_IEC_Dev.size(), C.Devices) << C.Name;
    EXPECT_EQ(P.Model.DA_Rows.size(), C.DA_Rows) << C.Name;
    EXPECT_EQ(P.Model.DataSet_Rows.size(), C.DataSet_Rows) << C.Name;
    EXPECT_EQ(P.Model.List_DataSet.size(), P.Model.DataSet_Rows.size()) << C.Name;
    EXPECT_EQ(Read_All(P.Path()), C.Text) << C.Name;  // reading never touches the file
  }

  // The row the load stopped in keeps the cells read before the missing one.
  Project P(Cases[4].Text);
  P.Read();
  EXPECT_EQ(P.Model.DA_Rows[1].IPAddress, QStringLiteral("192.168.1.126"));
  EXPECT_TRUE(P.Model.DA_Rows[1].Port.isEmpty() && P.Model.DA_Rows[1].Mnemonic.isEmpty());
}

TEST(IecClientFile, RootFoundByNameAndDataSetListMayBeAbsent)
{
  // A comment before the root does not hide it.
  Project Commented(QByteArray("<!-- kept by hand -->\r\n") + Project::Fixture_Text());
  EXPECT_FALSE(Commented.Read().Partial());
  EXPECT_EQ(Commented.Model.List_DataSet.size(), 3u);

  QByteArray T = Project::Fixture_Text();
  const qsizetype From = T.indexOf("<List_DataSet_Selected>");
  const qsizetype To = T.indexOf("</List_DataSet_Selected>") + qsizetype(strlen("</List_DataSet_Selected>"));
  T.remove(From, To - From);
  Project P(T);
  EXPECT_FALSE(P.Read().Partial());
  EXPECT_EQ(P.Model.DA_Rows.size(), 3u);
  EXPECT_TRUE(P.Model.DataSet_Rows.empty() && P.Model.List_DataSet.empty());
}

TEST(IecClientFile, ACatalogFileTheParserRejectsStopsTheLoad)
{
  Project P;
  Write_All(PathJoin(P.Catalog(), Hand), "<SCL><IED name=\"x\">");
  const TIEC_Client_Load L = P.Read();
  EXPECT_TRUE(L.Partial());
  EXPECT_TRUE(L.Failure.contains(QStringLiteral("ICD_File 2"))) << qPrintable(L.Failure);
  EXPECT_TRUE(L.Failure.contains(Hand)) << qPrintable(L.Failure);
  EXPECT_EQ(P.Model.List_IEC_Dev.size(), 1u);
  EXPECT_TRUE(P.Model.DA_Rows.empty());
}

TEST(IecClientFile, AFailedWriteKeepsTheOldFile)
{
  Project P;
  P.Read();
  P.Model.DA_Rows.clear();
  SetAtomicWriteHookForTests([](const QString&) { throw EInOutError(QStringLiteral("disk full")); });
  EXPECT_THROW(Write_IEC_61850_Client_File(P.Path(), P.Model), Exception);
  SetAtomicWriteHookForTests(nullptr);
  EXPECT_EQ(Read_All(P.Path()), Project::Fixture_Text());
}

}  // namespace

// SCL decoder and IEC 61850 device model.

#include "editors_industrial/scl_model.h"

#include "industrial_test_support.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace industrial_test;

namespace {

QStringList Member_References(const TIEC_DataSet& ds)
{
  QStringList r;
  for (const TIEC_DA* da : ds.List_DA)
    r << da->Reference();
  return r;
}

QStringList Names_Of_LNs(const TIEC_LDevice& ld)
{
  QStringList r;
  for (const auto& ln : ld.List_LN)
    r << ln->Prefix() + ln->lnClass() + ln->Inst();
  return r;
}

const TIEC_DataSet* Data_Set(const TIEC_LN* ln, const QString& name)
{
  if (!ln)
    return nullptr;
  for (const auto& ds : ln->List_DataSet)
    if (ds->Name() == name)
      return ds.get();
  return nullptr;
}

// An SCL document around the given IED part and templates, in a file of its own.
class SclText {
public:
  QString Write(const QString& body, const QString& rootAttrs = QStringLiteral(
                                         "xmlns=\"http://www.iec.ch/61850/2003/SCL\""))
  {
    const QString path = Dir.filePath(QStringLiteral("case%1.icd").arg(++Count));
    Write_All(path, (QStringLiteral("<?xml version=\"1.0\"?>\n<SCL ") + rootAttrs + QStringLiteral(">\n") + body +
                     QStringLiteral("\n</SCL>\n"))
                        .toUtf8());
    return path;
  }
  QTemporaryDir Dir;
  int Count = 0;
};

const QString One_LN_IED = QStringLiteral(
    "<IED name=\"E\"><AccessPoint name=\"A\"><Server><Authentication/>"
    "<LDevice inst=\"LD\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\"/></LDevice>"
    "</Server></AccessPoint></IED>");

}  // namespace

class SclMainFixture : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Device = new TIEC_Device(Fixture(QStringLiteral("scl_main.icd"))); }
  static void TearDownTestSuite()
  {
    delete Device;
    Device = nullptr;
  }
  static TIEC_Device* Device;
  TIEC_LDevice* LD0() const { return Device->Find_LDevice(QStringLiteral("LD0")); }
  TIEC_LDevice* LD1() const { return Device->Find_LDevice(QStringLiteral("LD1")); }
};
TIEC_Device* SclMainFixture::Device = nullptr;

TEST(SclFixture, MainFixtureValidatesAgainstTheSclSchema)
{
  const QString schema = Shared(QStringLiteral("scl/schema2007B4/SCL.xsd"));
  KV_REQUIRE_XMLLINT(schema);
  EXPECT_EQ(Xmllint_Errors(Fixture(QStringLiteral("scl_main.icd")), schema), QString());
}

TEST_F(SclMainFixture, DecodesDevicesAndLogicalNodesInFileOrderPastComments)
{
  EXPECT_EQ(Device->Name(), QStringLiteral("IED1"));
  EXPECT_EQ(Device->FileName(), QStringLiteral("scl_main.icd"));
  ASSERT_EQ(Device->List_LDevice.size(), 2u);
  ASSERT_TRUE(LD0() && LD1());
  EXPECT_EQ(Names_Of_LNs(*LD0()), (QStringList{"LLN0", "XCBR1", "XCBR2", "MMXU1"}));
  EXPECT_EQ(Names_Of_LNs(*LD1()), (QStringList{"LLN0", "Q0XSWI1", "Q0XSWI2"}));
  EXPECT_EQ(Device->Find_LDevice(QStringLiteral("ld0")), nullptr);  // names compare exactly
}

TEST_F(SclMainFixture, StructuredAttributesBecomeSubtreesWithTheParentsFunctionalConstraint)
{
  const TIEC_LN* mmxu = LD0()->Find_LN(QString(), QStringLiteral("MMXU"), QStringLiteral("1"));
  ASSERT_TRUE(mmxu);
  const TIEC_DO* totW = mmxu->Find_DO(QStringLiteral("TotW"));
  ASSERT_TRUE(totW);
  ASSERT_EQ(totW->List_DA.size(), 2u);
  const TIEC_DA* mag = totW->List_DA[0].get();
  EXPECT_EQ(mag->Reference(), QStringLiteral("IED1LD0/MMXU1.TotW.mag"));
  EXPECT_EQ(mag->bType(), QStringLiteral("Struct"));
  EXPECT_EQ(mag->FC(), QStringLiteral("MX"));
  ASSERT_EQ(mag->List_DA.size(), 2u);
  EXPECT_EQ(mag->List_DA[1]->Reference(), QStringLiteral("IED1LD0/MMXU1.TotW.mag.f"));
  EXPECT_EQ(mag->List_DA[1]->FC(), QStringLiteral("MX"));
  EXPECT_EQ(mag->List_DA[1]->bType(), QStringLiteral("FLOAT32"));
  // cVal has its own constraint, handed down two levels.
  const TIEC_DA* cValF = totW->List_DA[1]->Find_DA(QStringLiteral("f"));
  ASSERT_TRUE(cValF);
  EXPECT_EQ(cValF->Reference(), QStringLiteral("IED1LD0/MMXU1.TotW.cVal.mag.f"));
  EXPECT_EQ(cValF->FC(), QStringLiteral("SV"));
  // Sub-data objects carry the reference down.
  const TIEC_DO* phsA = mmxu->Find_DO(QStringLiteral("phsA"));
  ASSERT_TRUE(phsA);
  EXPECT_EQ(phsA->Find_First_DA()->Reference(), QStringLiteral("IED1LD0/MMXU1.A.phsA.cVal.mag.i"));
  // An enumerated attribute is a leaf.
  const TIEC_DA* orCat = LD0()->Find_LN(QString(), QStringLiteral("XCBR"), QStringLiteral("1"))
                             ->Find_DO(QStringLiteral("Pos"))
                             ->Find_DA(QStringLiteral("orCat"));
  ASSERT_TRUE(orCat);
  EXPECT_EQ(orCat->bType(), QStringLiteral("Enum"));
  EXPECT_TRUE(orCat->List_DA.empty());
}

TEST_F(SclMainFixture, DataSetMembersResolveByPrefixClassInstanceAndDottedPaths)
{
  const TIEC_DataSet* ds = Data_Set(LD0()->List_LN[0].get(), QStringLiteral("DS1"));
  ASSERT_TRUE(ds);
  EXPECT_EQ(ds->Reference(), QStringLiteral("IED1LD0/LLN0.DS1"));
  EXPECT_EQ(ds->GooseName(), QStringLiteral("GCB1"));
  EXPECT_EQ(Member_References(*ds), (QStringList{
                                        "IED1LD0/XCBR2.Pos.stVal",           // lnInst 2, not the first XCBR
                                        // lnInst 3 does not exist: skipped
                                        "IED1LD0/XCBR1.Pos.origin.orCat",    // no daName: the first leaf
                                        "IED1LD0/MMXU1.TotW.mag.f",          // "mag.f" walked
                                        "IED1LD0/MMXU1.TotW.mag.f",          // "f": first depth-first
                                        "IED1LD1/Q0XSWI2.A.phsA.cVal.mag.f", // dotted doName and daName
                                        "IED1LD0/MMXU1.A.phsB.instCVal.mag.i",
                                    }));
  // Members are the model's own attributes, not copies.
  EXPECT_EQ(ds->List_DA[0], LD0()->Find_LN(QString(), QStringLiteral("XCBR"), QStringLiteral("2"))
                                ->Find_DO(QStringLiteral("Pos"))
                                ->Find_DA(QStringLiteral("stVal")));
  const TIEC_DataSet* ds2 = Data_Set(LD0()->List_LN[0].get(), QStringLiteral("DS2"));
  ASSERT_TRUE(ds2);
  EXPECT_EQ(Member_References(*ds2), QStringList{"IED1LD0/LLN0.Beh.stVal"});
  EXPECT_EQ(ds2->GooseName(), QString());
}

TEST_F(SclMainFixture, DataSetsOfPrefixedNodesKeepPrefixAndInstanceInTheirReference)
{
  const TIEC_DataSet* ds1 = Data_Set(LD1()->List_LN[1].get(), QStringLiteral("DSX"));
  const TIEC_DataSet* ds2 = Data_Set(LD1()->List_LN[2].get(), QStringLiteral("DSX"));
  ASSERT_TRUE(ds1 && ds2);
  EXPECT_EQ(ds1->Reference(), QStringLiteral("IED1LD1/Q0XSWI1.DSX"));
  EXPECT_EQ(ds2->Reference(), QStringLiteral("IED1LD1/Q0XSWI2.DSX"));
  EXPECT_EQ(Member_References(*ds1), QStringList{"IED1LD1/Q0XSWI1.Pos.stVal"});
  EXPECT_EQ(Member_References(*ds2), (QStringList{"IED1LD1/Q0XSWI2.Pos.stVal", "IED1LD1/Q0XSWI2.Pos.q"}));
}

TEST_F(SclMainFixture, LookupsSearchDepthFirstAndFindFirstLeaves)
{
  const TIEC_LN* xcbr = LD0()->Find_LN(QString(), QStringLiteral("XCBR"), QStringLiteral("1"));
  ASSERT_TRUE(xcbr);
  EXPECT_EQ(LD0()->Find_LN(QStringLiteral("Q0"), QStringLiteral("XCBR"), QStringLiteral("1")), nullptr);
  const TIEC_DO* pos = xcbr->Find_DO(QStringLiteral("Pos"));
  ASSERT_TRUE(pos);
  EXPECT_EQ(pos->Find_DO(QStringLiteral("Pos")), nullptr);  // the object itself is not compared
  EXPECT_EQ(pos->Find_First_DA()->Reference(), QStringLiteral("IED1LD0/XCBR1.Pos.origin.orCat"));
  const TIEC_DA* stVal = pos->Find_DA(QStringLiteral("stVal"));
  ASSERT_TRUE(stVal);
  EXPECT_EQ(stVal->Find_First_DA(), nullptr);
  EXPECT_EQ(pos->List_DA[0]->Find_First_DA()->Name(), QStringLiteral("orCat"));
  EXPECT_EQ(pos->Find_DA(QStringLiteral("orIdent"))->Reference(), QStringLiteral("IED1LD0/XCBR1.Pos.origin.orIdent"));
  EXPECT_EQ(pos->Find_DA(QStringLiteral("none")), nullptr);
}

TEST(SclOpenScd, DecodesTheFirstIedWithItsGooseDataSet)
{
  const TIEC_Device dev(Fixture(QStringLiteral("openscd_valid2007B4.scd")));
  EXPECT_EQ(dev.Name(), QStringLiteral("IED1"));
  ASSERT_EQ(dev.List_LDevice.size(), 2u);
  EXPECT_EQ(dev.List_LDevice[0]->Name(), QStringLiteral("CircuitBreaker_CB1"));
  EXPECT_EQ(dev.List_LDevice[1]->Name(), QStringLiteral("Disconnectors"));
  const TIEC_DataSet* ds = Data_Set(dev.List_LDevice[0]->List_LN[0].get(), QStringLiteral("GooseDataSet1"));
  ASSERT_TRUE(ds);
  EXPECT_EQ(ds->Reference(), QStringLiteral("IED1CircuitBreaker_CB1/LLN0.GooseDataSet1"));
  EXPECT_EQ(ds->GooseName(), QStringLiteral("GCB"));
  const QStringList members = Member_References(*ds);
  const QStringList ends{"CB1/XCBR1.Pos.stVal", "CB1/XCBR1.Pos.q", "CB1/CSWI1.Pos.stVal",
                         "IED1Disconnectors/DCXSWI1.Pos.stVal", "IED1Disconnectors/DCXSWI1.Pos.q"};
  ASSERT_EQ(members.size(), ends.size()) << members.join(QLatin1Char(' ')).toStdString();
  for (qsizetype i = 0; i < ends.size(); ++i)
    EXPECT_TRUE(members[i].endsWith(ends[i])) << members[i].toStdString();
}

TEST(SclSharedFiles, EveryRealFileDecodesWithoutCrash)
{
  const QString dir = Shared(QStringLiteral("scl"));
  if (!DirectoryExists(dir))
    GTEST_SKIP() << "shared SCL files not available: check skipped";
  int decoded = 0;
  for (const QString& name : ListFiles(dir, QStringLiteral("*"))) {
    SCOPED_TRACE(name.toStdString());
    try {
      const TIEC_Device dev(PathJoin(dir, name));
      EXPECT_FALSE(dev.Name().isEmpty());
      size_t members = 0;
      for (const auto& ld : dev.List_LDevice)
        for (const auto& ln : ld->List_LN)
          for (const auto& ds : ln->List_DataSet)
            members += ds->List_DA.size();
      ++decoded;
      (void)members;
    } catch (const EXmlError& e) {
      ADD_FAILURE() << e.what();
    }
  }
  EXPECT_GE(decoded, 10);
}

TEST(SclEdgeCases, MissingFileGivesAnEmptyDeviceAndMalformedFileRaises)
{
  QTemporaryDir dir;
  const TIEC_Device missing(dir.filePath(QStringLiteral("none.icd")));
  EXPECT_EQ(missing.Name(), QString());
  EXPECT_EQ(missing.FileName(), QStringLiteral("none.icd"));
  EXPECT_TRUE(missing.List_LDevice.empty());

  const QString broken = dir.filePath(QStringLiteral("broken.icd"));
  Write_All(broken, "<SCL><IED name=\"x\"></SCL>");
  EXPECT_THROW(TIEC_Device{broken}, EXmlError);
}

TEST(SclEdgeCases, EnumWithTypeHasNoChildAndSelfReferencingTypesEnd)
{
  SclText t;
  const TIEC_Device dev(t.Write(QStringLiteral(
      "<IED name=\"E\"><AccessPoint name=\"A\"><Server><Authentication/><LDevice inst=\"LD\">"
      "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"G\"/></LDevice></Server></AccessPoint></IED>"
      "<DataTypeTemplates>"
      "<LNodeType id=\"G\" lnClass=\"GGIO\"><DO name=\"Loop\" type=\"LoopDO\"/><DO name=\"Mod\" type=\"ModDO\"/></LNodeType>"
      "<DOType id=\"LoopDO\" cdc=\"X\"><SDO name=\"again\" type=\"LoopDO\"/><DA name=\"s\" bType=\"Struct\" type=\"Self\" fc=\"ST\"/></DOType>"
      "<DOType id=\"ModDO\" cdc=\"ENC\"><DA name=\"ctlModel\" bType=\"Enum\" type=\"CtlModels\" fc=\"CF\"/></DOType>"
      "<DAType id=\"Self\"><BDA name=\"x\" bType=\"INT8\"/><BDA name=\"inner\" bType=\"Struct\" type=\"Self\"/></DAType>"
      "<DAType id=\"CtlModels\"><BDA name=\"never\" bType=\"BOOLEAN\"/></DAType>"
      "</DataTypeTemplates>")));
  ASSERT_EQ(dev.List_LDevice.size(), 1u);
  const TIEC_LN* ln = dev.List_LDevice[0]->List_LN[0].get();
  const TIEC_DO* mod = ln->Find_DO(QStringLiteral("Mod"));
  ASSERT_TRUE(mod);
  ASSERT_EQ(mod->List_DA.size(), 1u);
  EXPECT_TRUE(mod->List_DA[0]->List_DA.empty());

  const TIEC_DO* loop = ln->Find_DO(QStringLiteral("Loop"));
  ASSERT_TRUE(loop);
  ASSERT_EQ(loop->List_DO.size(), 1u);
  EXPECT_TRUE(loop->List_DO[0]->List_DO.empty());  // the type is already on the path: a leaf
  EXPECT_EQ(loop->List_DO[0]->Name(), QStringLiteral("again"));
  const TIEC_DA* s = loop->List_DA[0].get();
  ASSERT_EQ(s->List_DA.size(), 2u);
  EXPECT_EQ(s->List_DA[1]->Reference(), QStringLiteral("ELD/GGIO1.Loop.s.inner"));
  EXPECT_TRUE(s->List_DA[1]->List_DA.empty());
}

TEST(SclEdgeCases, GooseOfAnotherNodesDataSetAndNodeWithoutTypeChangeNothing)
{
  SclText t;
  const TIEC_Device dev(t.Write(QStringLiteral(
      "<IED name=\"E\"><AccessPoint name=\"A\"><Server><Authentication/><LDevice inst=\"LD\">"
      "<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\"><GSEControl name=\"G\" datSet=\"DSX\"/></LN0>"
      "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"T\"><DataSet name=\"DSX\"/></LN>"
      "<LN lnClass=\"GGIO\" inst=\"2\"><DataSet name=\"DSY\"/></LN>"
      "</LDevice></Server></AccessPoint></IED>"
      "<DataTypeTemplates><LNodeType id=\"T\" lnClass=\"GGIO\"><DO name=\"D\" type=\"DT\"/></LNodeType>"
      "<DOType id=\"DT\" cdc=\"SPS\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/></DOType></DataTypeTemplates>")));
  const auto& lns = dev.List_LDevice.at(0)->List_LN;
  ASSERT_EQ(lns.size(), 3u);
  EXPECT_TRUE(lns[0]->List_DataSet.empty());
  ASSERT_EQ(lns[1]->List_DataSet.size(), 1u);
  EXPECT_EQ(lns[1]->List_DataSet[0]->GooseName(), QString());
  EXPECT_TRUE(lns[2]->List_DO.empty());
  EXPECT_TRUE(lns[2]->List_DataSet.empty());
}

TEST(SclEdgeCases, FirstIedOnlyAndAnAccessPointWithoutServer)
{
  SclText t;
  const TIEC_Device two(t.Write(One_LN_IED + QStringLiteral("<IED name=\"Second\"/><DataTypeTemplates/>")));
  EXPECT_EQ(two.Name(), QStringLiteral("E"));
  EXPECT_EQ(two.List_LDevice.size(), 1u);

  const TIEC_Device noServer(t.Write(QStringLiteral(
      "<IED name=\"NoServer\"><AccessPoint name=\"A\"/><AccessPoint name=\"B\"><Server><Authentication/>"
      "<LDevice inst=\"LD\"/></Server></AccessPoint></IED><DataTypeTemplates/>")));
  EXPECT_EQ(noServer.Name(), QStringLiteral("NoServer"));
  EXPECT_TRUE(noServer.List_LDevice.empty());

  const TIEC_Device noTemplates(t.Write(One_LN_IED));
  EXPECT_EQ(noTemplates.Name(), QString());
}

TEST(SclEdgeCases, PrefixedSclElementsMatchAndForeignNamespacesDoNot)
{
  SclText t;
  const TIEC_Device prefixed(t.Write(
      QStringLiteral("<s:IED name=\"P\"><s:AccessPoint name=\"A\"><s:Server><s:Authentication/>"
                     "<s:LDevice inst=\"LD\"><s:LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\"/></s:LDevice>"
                     "<x:LDevice xmlns:x=\"urn:other\" inst=\"Foreign\"/>"
                     "<LDevice xmlns=\"urn:other\" inst=\"ForeignDefault\"/>"
                     "<y:LDevice inst=\"Unbound\"/>"
                     "</s:Server></s:AccessPoint></s:IED>"
                     "<s:DataTypeTemplates><s:LNodeType id=\"T\" lnClass=\"LLN0\"><s:DO name=\"D\"/></s:LNodeType>"
                     "</s:DataTypeTemplates>"),
      QStringLiteral("xmlns:s=\"http://www.iec.ch/61850/2003/SCL\"")));
  EXPECT_EQ(prefixed.Name(), QStringLiteral("P"));
  ASSERT_EQ(prefixed.List_LDevice.size(), 1u);
  EXPECT_EQ(prefixed.List_LDevice[0]->Name(), QStringLiteral("LD"));
  ASSERT_EQ(prefixed.List_LDevice[0]->List_LN.size(), 1u);
  EXPECT_EQ(prefixed.List_LDevice[0]->List_LN[0]->List_DO.size(), 1u);

  // The whole document in another namespace gives nothing.
  const TIEC_Device foreign(t.Write(One_LN_IED + QStringLiteral("<DataTypeTemplates/>"),
                                    QStringLiteral("xmlns=\"urn:other\"")));
  EXPECT_EQ(foreign.Name(), QString());
  // No namespace at all is taken as SCL.
  const TIEC_Device bare(t.Write(One_LN_IED + QStringLiteral("<DataTypeTemplates/>"), QString()));
  EXPECT_EQ(bare.Name(), QStringLiteral("E"));
}

TEST(SclEdgeCases, ExponentialTypeTreesStopAtTheNodeBudget)
{
  // Twenty types, each holding the next one twice: 2^20 leaves unless bounded.
  QString types;
  for (int i = 0; i < 20; ++i)
    types += QStringLiteral("<DAType id=\"T%1\"><BDA name=\"a\" bType=\"Struct\" type=\"T%2\"/>"
                            "<BDA name=\"b\" bType=\"Struct\" type=\"T%2\"/></DAType>")
                 .arg(i)
                 .arg(i + 1);
  SclText t;
  const TIEC_Device dev(t.Write(QStringLiteral(
      "<IED name=\"E\"><AccessPoint name=\"A\"><Server><Authentication/><LDevice inst=\"LD\">"
      "<LN lnClass=\"GGIO\" inst=\"1\" lnType=\"G\"/></LDevice></Server></AccessPoint></IED>"
      "<DataTypeTemplates><LNodeType id=\"G\" lnClass=\"GGIO\"><DO name=\"D\" type=\"DT\"/></LNodeType>"
      "<DOType id=\"DT\" cdc=\"X\"><DA name=\"s\" bType=\"Struct\" type=\"T0\" fc=\"ST\"/></DOType>") +
                                types + QStringLiteral("</DataTypeTemplates>")));
  std::function<int(const TIEC_DA&)> count = [&](const TIEC_DA& da) {
    int n = 1;
    for (const auto& c : da.List_DA)
      n += count(*c);
    return n;
  };
  const TIEC_DA& root = *dev.List_LDevice[0]->List_LN[0]->List_DO[0]->List_DA[0];
  EXPECT_EQ(count(root), (1 << 21) - 1 > Max_Model_Nodes ? Max_Model_Nodes - 1 : (1 << 21) - 1);
}

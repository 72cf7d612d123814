// The IEC 61850 client editor's rows, chosen data sets, start-and-length rule, variables
// check and device removal, without a window.

#include "editors_industrial/iec_client_model.h"

#include "industrial_test_support.h"
#include "common/lang_table.h"

#include <gtest/gtest.h>

#include <climits>

using namespace industrial_test;

namespace {

TEST(IecClientNumbers, PlainDecimalOnly)
{
  const struct {
    const char* Text;
    int Value;
  } Cases[] = {{"12", 12},   {"  12", 12}, {"+5", 5},  {"-3", -3},        {"0x10", -1},         {"$10", -1},
               {"12 ", -1},  {"", -1},     {" ", -1},  {"-", -1},         {"1.5", -1},          {"2147483647", INT_MAX},
               {"2147483648", -1}, {"-2147483648", INT_MIN}, {"99999999999999999999", -1}};
  for (const auto& C : Cases)
    EXPECT_EQ(IEC_Decimal(QString::fromLatin1(C.Text)), C.Value) << C.Text;
}

TEST(IecClientStartLength, FixedTypesGetTheirSpanOthersKeepTheirCells)
{
  const struct {
    const char* bType;
    const char* Start;
    const char* Num;
    bool Fixed;
  } Cases[] = {{"FLOAT32", "0", "4", true}, {"int32u", "0", "4", true},  {"INT32", "0", "4", true},
               {"Quality", "0", "4", true}, {"FLOAT64", "0", "8", true}, {"Int64", "0", "8", true},
               {"INT8U", "0", "1", true},   {"INT8", "0", "1", true},    {"BOOLEAN", "0", "1", true},
               {"Timestamp", "0", "1", true}, {"Enum", "0", "1", true},  {"INT16U", "0", "2", true},
               {"INT16", "0", "2", true},   {"VisString255", "3", "7", false}, {"Octet64", "3", "7", false},
               {"Dbpos", "3", "7", false},  {"", "3", "7", false},       {" INT32", "3", "7", false}};
  for (const auto& C : Cases) {
    TIEC_DA_Row R;
    R.bType = QString::fromLatin1(C.bType);
    R.StartByte = QStringLiteral("3");
    R.NumByte = QStringLiteral("7");
    EXPECT_EQ(Set_Start_Num_Byte(R), C.Fixed) << C.bType;
    EXPECT_EQ(R.StartByte, QString::fromLatin1(C.Start)) << C.bType;
    EXPECT_EQ(R.NumByte, QString::fromLatin1(C.Num)) << C.bType;
  }
}

// The check's texts as the English table gives them, installed for the test only.
class IecClientCheck : public ::testing::Test {
protected:
  void SetUp() override
  {
    Saved = SL_Lang;
    Init_Lang_Table();
    const std::pair<int, const char*> Texts[] = {
        {3452, "Error row "},
        {3453, "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {3454, "!! Port must be between 0 and 65535"},
        {3455, "!! Time must be between 1 and 100000000 ms"},
        {3456, "!! Position must be between 0 and "},
        {3457, "!! Mult. Factor must be a valid Float"},
        {3462, "!! Start Byte must be between 0 and 254"},
        {3463, "!! Num Byte must be between 1 and 255"},
        {3464, "!! Start Byte plus Num Byte must be minor of 255"},
        {3465, "!! Start Byte must be between 0 and 63"},
        {3466, "!! Num Byte must be between 1 and 64"},
        {3467, "!! Start Byte plus Num Byte must be minor of 64"}};
    for (const auto& [Index, Text] : Texts)
      SL_Lang[Index] = QString::fromLatin1(Text);
  }
  void TearDown() override { SL_Lang = Saved; }

  static TIEC_DA_Row Good_Row()
  {
    TIEC_DA_Row R;
    R.Index = QStringLiteral("0");
    R.bType = QStringLiteral("INT32");
    R.StartByte = QStringLiteral("0");
    R.NumByte = QStringLiteral("4");
    R.IPAddress = QStringLiteral("192.168.1.125");
    R.Port = QStringLiteral("102");
    R.OnChange = R.OnCMD = R.OnTimer = QStringLiteral("N");
    R.Position = QStringLiteral("0");
    R.MoltFact = QStringLiteral("None");
    return R;
  }

  QStringList Saved;
};

TEST_F(IecClientCheck, TableOfCellsAndTheirMessages)
{
  using F = QString TIEC_DA_Row::*;
  struct TCase {
    const char* Name;
    std::vector<std::pair<F, const char*>> Cells;
    const char* Message;  // nullptr: passes
  };
  const TCase Cases[] = {
      {"valid row", {}, nullptr},
      {"vis 200+55", {{&TIEC_DA_Row::bType, "VisString255"}, {&TIEC_DA_Row::StartByte, "200"}, {&TIEC_DA_Row::NumByte, "55"}}, nullptr},
      {"vis 200+56", {{&TIEC_DA_Row::bType, "VisString255"}, {&TIEC_DA_Row::StartByte, "200"}, {&TIEC_DA_Row::NumByte, "56"}},
       "!! Start Byte plus Num Byte must be minor of 255"},
      {"vis start 255", {{&TIEC_DA_Row::bType, "VISSTRING255"}, {&TIEC_DA_Row::StartByte, "255"}, {&TIEC_DA_Row::NumByte, "1"}},
       "!! Start Byte must be between 0 and 254"},
      {"vis new row", {{&TIEC_DA_Row::bType, "VisString255"}, {&TIEC_DA_Row::StartByte, ""}, {&TIEC_DA_Row::NumByte, ""}},
       "!! Start Byte must be between 0 and 254"},
      {"vis num 0", {{&TIEC_DA_Row::bType, "VisString255"}, {&TIEC_DA_Row::NumByte, "0"}}, "!! Num Byte must be between 1 and 255"},
      {"octet 0+64", {{&TIEC_DA_Row::bType, "Octet64"}, {&TIEC_DA_Row::StartByte, "0"}, {&TIEC_DA_Row::NumByte, "64"}}, nullptr},
      {"octet 1+64", {{&TIEC_DA_Row::bType, "Octet64"}, {&TIEC_DA_Row::StartByte, "1"}, {&TIEC_DA_Row::NumByte, "64"}},
       "!! Start Byte plus Num Byte must be minor of 64"},
      {"octet start 64", {{&TIEC_DA_Row::bType, "octet64"}, {&TIEC_DA_Row::StartByte, "64"}}, "!! Start Byte must be between 0 and 63"},
      {"octet num 65", {{&TIEC_DA_Row::bType, "Octet64"}, {&TIEC_DA_Row::NumByte, "65"}}, "!! Num Byte must be between 1 and 64"},
      {"int32 span ignored", {{&TIEC_DA_Row::StartByte, "999"}, {&TIEC_DA_Row::NumByte, ""}}, nullptr},
      {"ip three parts", {{&TIEC_DA_Row::IPAddress, "192.168.1"}},
       "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"ip 256", {{&TIEC_DA_Row::IPAddress, "256.1.1.1"}}, "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"port hex", {{&TIEC_DA_Row::Port, "0x10"}}, "!! Port must be between 0 and 65535"},
      {"port 65536", {{&TIEC_DA_Row::Port, "65536"}}, "!! Port must be between 0 and 65535"},
      {"port 65535", {{&TIEC_DA_Row::Port, "65535"}}, nullptr},
      {"timer off, no time", {{&TIEC_DA_Row::OnTimer, "N"}, {&TIEC_DA_Row::Time, ""}}, nullptr},
      {"timer on, time 0", {{&TIEC_DA_Row::OnTimer, " Y "}, {&TIEC_DA_Row::Time, "0"}}, "!! Time must be between 1 and 100000000 ms"},
      {"timer on, time max", {{&TIEC_DA_Row::OnTimer, "Y"}, {&TIEC_DA_Row::Time, "100000000"}}, nullptr},
      {"position 1399", {{&TIEC_DA_Row::Position, "1399"}}, nullptr},
      {"position 1400", {{&TIEC_DA_Row::Position, "1400"}}, "!! Position must be between 0 and 1399"},
      {"position empty", {{&TIEC_DA_Row::Position, ""}}, "!! Position must be between 0 and 1399"},
      {"factor none blanks", {{&TIEC_DA_Row::MoltFact, " none "}}, nullptr},
      {"factor empty", {{&TIEC_DA_Row::MoltFact, ""}}, "!! Mult. Factor must be a valid Float"},
      {"factor text", {{&TIEC_DA_Row::MoltFact, "abc"}}, "!! Mult. Factor must be a valid Float"},
      {"factor number", {{&TIEC_DA_Row::MoltFact, "2"}}, nullptr},
      {"port before position", {{&TIEC_DA_Row::Port, "-1"}, {&TIEC_DA_Row::Position, "-1"}}, "!! Port must be between 0 and 65535"},
  };
  for (const TCase& C : Cases) {
    TIEC_DA_Row R = Good_Row();
    for (const auto& [Field, Text] : C.Cells)
      R.*Field = QString::fromLatin1(Text);
    const TIEC_Check_Result Result = Controllo_dati({R}, QLatin1Char('.'));
    if (!C.Message) {
      EXPECT_TRUE(Result.Passed()) << C.Name << ": " << qPrintable(Result.Message);
      continue;
    }
    EXPECT_EQ(Result.Row, 1) << C.Name;
    EXPECT_EQ(Result.Message, QStringLiteral("Error row 1") + QString::fromLatin1(C.Message)) << C.Name;
  }
}

TEST_F(IecClientCheck, RowsWithoutTypeAreSkippedAndTheFirstFailingRowIsNamed)
{
  TIEC_DA_Row Blank;  // an empty row in the middle: nothing of it is checked
  Blank.Port = QStringLiteral("x");
  TIEC_DA_Row Bad = Good_Row();
  Bad.Position = QStringLiteral("1400");
  TIEC_DA_Row Worse = Good_Row();
  Worse.Port = QStringLiteral("x");
  const TIEC_Check_Result Result = Controllo_dati({Good_Row(), Blank, Bad, Worse}, QLatin1Char('.'));
  EXPECT_EQ(Result.Row, 3);
  EXPECT_EQ(Result.Message, QStringLiteral("Error row 3!! Position must be between 0 and 1399"));
  EXPECT_TRUE(Controllo_dati({}, QLatin1Char(',')).Passed());
  EXPECT_TRUE(Controllo_dati({Blank}, QLatin1Char(',')).Passed());
}

// A device of the hand fixture: IED1 with data sets DS1 (six members, GOOSE "GCB1") and
// DS2 (no GOOSE).
struct Devices {
  explicit Devices(int n)
  {
    for (int i = 0; i < n; ++i)
      Model.List_IEC_Dev.Add(std::make_unique<TIEC_Device>(Fixture(QStringLiteral("scl_main.icd"))));
  }
  TIEC_DataSet* DataSet(int dev, const QString& ref) { return Get_DataSet(Model.List_IEC_Dev, dev, ref); }
  TIEC_Client_Model Model;
};

const QString DS1 = QStringLiteral("IED1LD0/LLN0.DS1");
const QString DS2 = QStringLiteral("IED1LD0/LLN0.DS2");

TEST(IecClientDataSets, GetDataSetByDevicePositionAndReference)
{
  Devices D(2);
  TIEC_DataSet* A = D.DataSet(0, DS1);
  TIEC_DataSet* B = D.DataSet(1, DS1);
  ASSERT_TRUE(A && B);
  EXPECT_NE(A, B);
  EXPECT_EQ(A->Name(), QStringLiteral("DS1"));
  EXPECT_EQ(D.DataSet(1, QStringLiteral("IED1LD1/Q0XSWI2.DSX")), D.Model.List_IEC_Dev[1]->Find_LDevice(QStringLiteral("LD1"))
                                                                     ->Find_LN(QStringLiteral("Q0"), QStringLiteral("XSWI"), QStringLiteral("2"))
                                                                     ->List_DataSet.front().get());
  EXPECT_EQ(D.DataSet(2, DS1), nullptr);
  EXPECT_EQ(D.DataSet(-1, DS1), nullptr);
  EXPECT_EQ(D.DataSet(0, QStringLiteral("IED1LD0/LLN0.DS9")), nullptr);
}

TEST(IecClientDataSets, AddVarReusesTheSingleEmptyRowElseAppends)
{
  Devices D(2);
  D.Model.DataSet_Rows.resize(1);  // the grid's one empty row
  EXPECT_EQ(Add_Var_DataSet(D.Model, *D.DataSet(1, DS1), 1), 1);
  EXPECT_EQ(Add_Var_DataSet(D.Model, *D.DataSet(0, DS2), 0), 2);
  EXPECT_EQ(Add_Var_DataSet(D.Model, *D.DataSet(1, DS1), 1), 3);  // the same data set again
  ASSERT_EQ(D.Model.DataSet_Rows.size(), 3u);
  ASSERT_EQ(D.Model.List_DataSet.size(), 3u);

  const TIEC_DataSet_Row& R1 = D.Model.DataSet_Rows[0];
  TIEC_DataSet_Row Expected;
  Expected.Index = QStringLiteral("1");
  Expected.Reference = DS1;
  Expected.GooseName = QStringLiteral("GCB1");
  Expected.EnGoose = QStringLiteral("Y");
  EXPECT_EQ(R1, Expected);
  EXPECT_EQ(D.Model.DataSet_Rows[1].EnGoose, QStringLiteral("N"));  // no GOOSE name
  const TDataSet& E1 = *D.Model.List_DataSet[0];
  EXPECT_EQ(E1.Select_DataSet, D.DataSet(1, DS1));
  ASSERT_EQ(E1.List_DAs.size(), 6u);
  for (size_t m = 0; m < 6; ++m) {
    EXPECT_EQ(E1.List_DAs[m]->Select_DA, E1.Select_DataSet->List_DA[m]);
    EXPECT_TRUE(E1.List_DAs[m]->Position.isEmpty());
  }

  // Member 2 of row 3: only that member changes.
  TDataSet_DA& M = *D.Model.List_DataSet[2]->List_DAs[1];
  EXPECT_TRUE(M.Set_Field(3, QStringLiteral("77")));
  EXPECT_TRUE(M.Set_Field(7, QStringLiteral("orCat")));
  EXPECT_FALSE(M.Set_Field(2, QStringLiteral("x")));
  EXPECT_EQ(M.Position, QStringLiteral("77"));
  EXPECT_EQ(M.Mnemonic, QStringLiteral("orCat"));
  EXPECT_TRUE(E1.List_DAs[1]->Position.isEmpty());
  EXPECT_TRUE(D.Model.List_DataSet[2]->List_DAs[0]->Position.isEmpty());

  TIEC_DataSet* First = D.DataSet(1, DS1);
  const TIEC_DA* Leaf = First->List_DA[2];  // TotW.mag.f
  Devices V(1);
  EXPECT_EQ(Add_Var_DA(V.Model, *Leaf, 1), 1);
  const TIEC_DA_Row& DR = V.Model.DA_Rows[0];
  EXPECT_EQ(DR.Index, QStringLiteral("1"));
  EXPECT_EQ(DR.bType, QStringLiteral("FLOAT32"));
  EXPECT_EQ(DR.fc, QStringLiteral("MX"));
  EXPECT_EQ(DR.Reference, QStringLiteral("IED1LD0/MMXU1.TotW.mag.f"));
  EXPECT_EQ(DR.StartByte + DR.NumByte, QStringLiteral("04"));
  EXPECT_EQ(DR.OnChange + DR.OnCMD + DR.OnTimer, QStringLiteral("NNN"));
  EXPECT_TRUE(DR.Port.isEmpty());
  EXPECT_EQ(Add_Var_DA(V.Model, *Leaf, 0), 2);
}

// Devices A, B, C with rows on A and C.
TEST(IecClientRemoval, AnUnusedDeviceGoesAndLaterIndexesFollowIt)
{
  Devices D(3);
  TIEC_Device* A = D.Model.List_IEC_Dev[0].get();
  TIEC_Device* C = D.Model.List_IEC_Dev[2].get();
  Add_Var_DA(D.Model, *D.DataSet(0, DS1)->List_DA[0], 0);
  Add_Var_DA(D.Model, *D.DataSet(2, DS1)->List_DA[0], 2);
  Add_Var_DataSet(D.Model, *D.DataSet(2, DS2), 2);
  Add_Var_DataSet(D.Model, *D.DataSet(0, DS2), 0);
  TIEC_DataSet* C_DS2 = D.DataSet(2, DS2);

  EXPECT_FALSE(Remove_IEC_Device(D.Model, 0));
  EXPECT_FALSE(Remove_IEC_Device(D.Model, 2));
  EXPECT_FALSE(Remove_IEC_Device(D.Model, 3));
  EXPECT_FALSE(Remove_IEC_Device(D.Model, -1));
  EXPECT_EQ(D.Model.List_IEC_Dev.size(), 3u);

  ASSERT_TRUE(Remove_IEC_Device(D.Model, 1));
  ASSERT_EQ(D.Model.List_IEC_Dev.size(), 2u);
  EXPECT_EQ(D.Model.List_IEC_Dev[0].get(), A);
  EXPECT_EQ(D.Model.List_IEC_Dev[1].get(), C);
  EXPECT_EQ(D.Model.DA_Rows[0].Index, QStringLiteral("0"));
  EXPECT_EQ(D.Model.DA_Rows[1].Index, QStringLiteral("1"));
  EXPECT_EQ(D.Model.DataSet_Rows[0].Index, QStringLiteral("1"));
  EXPECT_EQ(D.Model.DataSet_Rows[1].Index, QStringLiteral("0"));
  EXPECT_EQ(D.Model.List_DataSet[0]->Select_DataSet, C_DS2);
}

TEST(IecClientRemoval, ADataSetRowOrAChosenDataSetKeepsItsDevice)
{
  Devices D(2);
  Add_Var_DataSet(D.Model, *D.DataSet(1, DS1), 1);
  EXPECT_FALSE(Remove_IEC_Device(D.Model, 1));  // only a data-set row names it

  // The row's Index was typed over; its chosen data set still lies in device 1.
  D.Model.DataSet_Rows[0].Index = QStringLiteral("0");
  EXPECT_TRUE(IEC_Device_In_Use(D.Model, 1));
  EXPECT_FALSE(Remove_IEC_Device(D.Model, 1));

  // Index texts that are no number name no device and stay as they are.
  D.Model.List_DataSet.Clear();
  D.Model.DataSet_Rows[0].Index = QStringLiteral("0x1");
  D.Model.DA_Rows.emplace_back().Index = QStringLiteral("abc");
  EXPECT_TRUE(Remove_IEC_Device(D.Model, 1));
  EXPECT_EQ(D.Model.DataSet_Rows[0].Index, QStringLiteral("0x1"));
  EXPECT_EQ(D.Model.DA_Rows[0].Index, QStringLiteral("abc"));
}

}  // namespace

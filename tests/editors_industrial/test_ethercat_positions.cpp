// Positions, start bits and lengths of the EtherCAT slave's variables.

#include "editors_industrial/ethercat_positions.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

TEtherCAT_Var_Row V(const char* Type, const char* Length = "", bool Enable = true)
{
  return {Enable, QString::fromLatin1(Type), QString::fromLatin1(Length)};
}

std::vector<TEtherCAT_Var_Row> Repeat(int N, const char* Type)
{
  return std::vector<TEtherCAT_Var_Row>(size_t(N), V(Type));
}

}  // namespace

TEST(EtherCATPositions, TableOfRowRuns)
{
  using P = std::vector<TEtherCAT_Place>;
  struct Case {
    const char* Name;
    std::vector<TEtherCAT_Var_Row> Rows;
    P Places;
  };
  std::vector<TEtherCAT_Var_Row> eightThenInt8 = Repeat(8, "Bool");
  eightThenInt8.push_back(V("Int8"));
  const Case cases[] = {
      {"BoolsShareBytesOtherTypesStartFresh",
       {V("Bool"), V("Bool"), V("Int16"), V("Bool"), V("String", "10"), V("Int32")},
       {{0, 0}, {0, 1}, {1, 0}, {3, 0}, {4, 0}, {14, 0}}},
      {"NineBoolsSpillIntoTheNextByte",
       Repeat(9, "Bool"),
       {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}, {1, 0}}},
      {"AFullByteIsNotCountedTwice", eightThenInt8,
       {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}, {1, 0}}},
      {"ADisabledBoolShowsZerosAndTheRunGoesOn", {V("Bool"), V("Bool", "", false), V("Bool")}, {{0, 0}, {0, 0}, {0, 1}}},
      {"NoAlignment", {V("Int8"), V("Int16"), V("UInt32"), V("Float32")}, {{0, 0}, {1, 0}, {3, 0}, {7, 0}}},
      {"AStringLengthThatIsNoNumberTakesNoSpace", {V("String", "ten"), V("Int8"), V("String", " 3"), V("Int8")},
       {{0, 0}, {0, 0}, {1, 0}, {4, 0}}},
      {"FixedTypesTakeTheirSizeWhateverTheLengthShows", {V("Int16", "40"), V("UInt8", "x"), V("Int8")},
       {{0, 0}, {2, 0}, {3, 0}}},
      {"OtherTypeTextsTakeTheirLength", {V("ByteString", "6"), V("bool", "2"), V("Int8")}, {{0, 0}, {6, 0}, {8, 0}}},
      {"AnEmptyTypeEndsTheTable", {V("Int8"), V(" "), V("Int8")}, {{0, 0}}},
      {"LargeLengthsDoNotWrap", {V("String", "2147483647"), V("String", "2147483647"), V("Int8")},
       {{0, 0}, {2147483647, 0}, {4294967294LL, 0}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EtherCAT_Places(c.Rows), c.Places) << c.Name;
}

TEST(EtherCATPositions, LengthRuleByExactTypeText)
{
  const struct {
    const char* Type;
    const char* Length;  // nullptr: no rule
    bool Editable;
  } table[] = {{"Bool", "1", false},    {"Int8", "1", false},     {"UInt8", "1", false},  {"Int16", "2", false},
               {"UInt16", "2", false},  {"Int32", "4", false},    {"UInt32", "4", false}, {"Float32", "4", false},
               {"String", "10", true},  {"ByteString", "10", true}, {"string", nullptr, false}, {"", nullptr, false},
               {"Int16 ", nullptr, false}};
  for (const auto& t : table) {
    const std::optional<TEtherCAT_Length> rule = EtherCAT_Length_Rule(QString::fromLatin1(t.Type));
    ASSERT_EQ(rule.has_value(), t.Length != nullptr) << t.Type;
    if (rule) {
      EXPECT_EQ(rule->Length, QString::fromLatin1(t.Length)) << t.Type;
      EXPECT_EQ(rule->Editable, t.Editable) << t.Type;
    }
  }
}

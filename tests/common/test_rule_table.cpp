// The rule tables without a window: clear, load, check and save of a small editor
// description with two grids (a column grid with a hidden column, a string grid with
// check boxes) in nested sections.

#include "common/rule_table.h"

#include "grid/column_grid.h"
#include "platform/core/exceptions.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"

#include "support/file_bytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int Txt_Prefix = 5480;
constexpr int Txt_Value = 5481;

std::vector<TLangBlock> Test_Blocks()
{
  return {{Txt_Prefix, {QStringLiteral("Error row "), QStringLiteral("!! Value must be between 0 and ")}}};
}

TRuleColumn Col(const QString& attribute, TEditorType kind = edNormal)
{
  TRuleColumn c;
  c.Attribute = attribute;
  c.Kind = kind;
  return c;
}

TRuleColumn Defaulted(const QString& attribute, const QString& def, TEditorType kind = edNormal)
{
  TRuleColumn c = Col(attribute, kind);
  c.Required = false;
  c.Default = def;
  return c;
}

// Grid 1: Enable, Name (key, required), Value (required), Tag (hidden, default "t"),
// Note (default ""). Grid 2: check-box Enable, Key (required), Flag (check box, default "N").
TRuleFile Test_File()
{
  TRuleFile f;
  f.Root = QStringLiteral("Test_Root");
  f.Version = QStringLiteral("1.000");
  TRuleGrid a;
  a.Section = {QStringLiteral("Group"), QStringLiteral("First")};
  a.Rows = 5;
  a.Error_Prefix = Txt_Prefix;
  a.Columns = {TRuleColumn{}, Defaulted(QStringLiteral("Enable"), QStringLiteral("Y"), edDataCheckBox),
               Col(QStringLiteral("Name")), Col(QStringLiteral("Value")), Defaulted(QStringLiteral("Tag"), QStringLiteral("t")),
               Defaulted(QStringLiteral("Note"), QString())};
  a.Columns[4].Hidden = true;
  a.Check_Row = [](TKvStringGrid* g, int r) {
    const int v = Rule_Int(g->Cells(3, r));
    return v < 0 || v > 9 ? TRuleFailure{Txt_Value, QStringLiteral("9")} : TRuleFailure{};
  };
  TRuleGrid b;
  b.Section = {QStringLiteral("Group"), QStringLiteral("Second")};
  b.Rows = 3;
  b.Check_Boxes = true;
  b.Error_Prefix = Txt_Prefix;
  b.Columns = {TRuleColumn{}, Defaulted(QStringLiteral("Enable"), QStringLiteral("Y"), edDataCheckBox),
               Col(QStringLiteral("Key")), Defaulted(QStringLiteral("Flag"), QStringLiteral("N"), edDataCheckBox)};
  f.Grids = {a, b};
  return f;
}

class RuleTable : public ::testing::Test {
protected:
  void SetUp() override
  {
    Add_Lang_Block_Source(&Test_Blocks);
    Init_Lang_Table();
    A = std::make_unique<TKvColumnGrid>();
    B = std::make_unique<TKvStringGrid>();
    Setup_Rule_Grid(F.Grids[0], A.get());
    Setup_Rule_Grid(F.Grids[1], B.get());
    Clear_Rule_Grid(F.Grids[0], A.get());
    Clear_Rule_Grid(F.Grids[1], B.get());
  }
  void TearDown() override { Remove_Lang_Block_Source(&Test_Blocks); }

  std::vector<TKvStringGrid*> Grids() { return {A.get(), B.get()}; }
  QString Path(const char* name = "Test.xml") const { return Dir.filePath(QString::fromLatin1(name)); }

  // Loads the bytes; the failure text when the load stopped, else empty.
  QString Load(const QByteArray& bytes)
  {
    Write_All(Path(), bytes);
    try {
      Load_Rule_File(F, Grids(), Path(), State);
    } catch (const EXmlError& e) {
      return e.Message();
    }
    return QString();
  }

  QByteArray Saved()
  {
    Save_Rule_File(F, Grids(), Path("Out.xml"));
    return Read_All(Path("Out.xml"));
  }

  void Rule(int r, const char* name, const char* value, const char* enable = "Y")
  {
    A->SetCells(1, r, QString::fromLatin1(enable));
    A->SetCells(2, r, QString::fromLatin1(name));
    A->SetCells(3, r, QString::fromLatin1(value));
  }

  QTemporaryDir Dir;
  TRuleFile F = Test_File();
  std::unique_ptr<TKvColumnGrid> A;
  std::unique_ptr<TKvStringGrid> B;
  TRuleLoadState State;
  TDialogResponder Answers;
};

}  // namespace

TEST_F(RuleTable, MissingFileShowsNumberedEnabledRowsAndSavesTheSkeleton)
{
  A->SetCells(4, 2, QStringLiteral("stale"));
  Clear_Rule_Grid(F.Grids[0], A.get());
  Load_Rule_File(F, Grids(), Path("None.xml"), State);
  EXPECT_FALSE(State.File_Found);
  EXPECT_FALSE(State.Partial());
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(A->Cells(0, r), QString::number(r));
    EXPECT_EQ(A->Cells(1, r), QStringLiteral("Y"));
    EXPECT_EQ(A->Cells(2, r), QString());
    EXPECT_EQ(A->Cells(4, r), QString());  // the hidden column is cleared too
  }
  for (int r = 1; r <= 3; ++r) {
    EXPECT_TRUE(B->IsChecked(1, r));
    EXPECT_FALSE(B->IsChecked(3, r));
  }
  EXPECT_EQ(A->ColCount(), 5);
  EXPECT_EQ(Saved(), QByteArray("<Test_Root><Group><First/><Second/></Group></Test_Root>\r\n"
                                "<!--SW_VERSION = 1.000-->\r\n"));
}

TEST_F(RuleTable, EmptyKeyEndsCheckAndSaveAndDataAfterItIsNoticed)
{
  Rule(1, "a", "1");
  Rule(3, "c", "99");  // bad, but after the table's end
  EXPECT_EQ(Rule_Table_End(F.Grids[0], A.get()), 2);
  EXPECT_TRUE(Check_Rule_Grids(F, Grids()));
  EXPECT_EQ(Answers.MessageCount(), 0);
  EXPECT_TRUE(Rule_Data_After_End(F.Grids[0], A.get()));
  EXPECT_FALSE(Rule_Data_After_End(F.Grids[1], B.get()));  // check boxes are no data
  const QByteArray out = Saved();
  EXPECT_TRUE(out.contains("<First><row Enable=\"Y\" Name=\"a\" Value=\"1\" Tag=\"\" Note=\"\"/></First>")) << out.constData();
  EXPECT_FALSE(out.contains("\"c\""));

  // A key of blanks ends the table as well; a row holding only blanks is no data.
  Rule(2, "  ", "");
  A->SetCells(2, 3, QString());
  A->SetCells(3, 3, QStringLiteral("  "));
  EXPECT_EQ(Rule_Table_End(F.Grids[0], A.get()), 2);
  EXPECT_FALSE(Rule_Data_After_End(F.Grids[0], A.get()));
}

TEST_F(RuleTable, UntrimmedAndDoubleKeysEndTheTableWhereTheirCellsAreEmpty)
{
  TRuleGrid& D = F.Grids[0];
  Rule(1, "a", "1");
  Rule(2, " ", "2");
  Rule(3, "", "3");
  EXPECT_EQ(Rule_Table_End(D, A.get()), 2);
  D.Key_Untrimmed = true;  // a key of blanks is a rule
  EXPECT_EQ(Rule_Table_End(D, A.get()), 3);
  D.Second_Key_Col = 3;    // row 3 still has its second key
  EXPECT_EQ(Rule_Table_End(D, A.get()), 4);
  EXPECT_TRUE(Rule_Key_Empty(D, A.get(), 4));
  A->SetCells(3, 3, QString());
  EXPECT_EQ(Rule_Table_End(D, A.get()), 3);
  D.Key_Untrimmed = false;
  EXPECT_EQ(Rule_Table_End(D, A.get()), 3);  // " " and "2": the second key holds the row
  EXPECT_EQ(Saved().count("<row "), 2);
}

TEST_F(RuleTable, TotalsStartAgainEveryCheckAndTheirMessageHasNoRowPrefix)
{
  int total = 0;
  F.Start_Check = [&] { total = 0; };
  F.Grids[0].Check_Row = [&](TKvStringGrid* g, int r) {
    total += Rule_Int(g->Cells(3, r));
    if (total <= 9)
      return TRuleFailure{};
    TRuleFailure f = Rule_Failure(Txt_Value, QStringLiteral("9"));
    f.No_Row_Prefix = true;
    return f;
  };
  Rule(1, "a", "5");
  Rule(2, "b", "4");
  EXPECT_TRUE(Check_Rule_Grids(F, Grids()));
  EXPECT_TRUE(Check_Rule_Grids(F, Grids()));  // not 18 the second time
  Rule(3, "c", "1");
  EXPECT_FALSE(Check_Rule_Grids(F, Grids()));
  EXPECT_EQ(Answers.LastText(), QStringLiteral("!! Value must be between 0 and 9"));
}

TEST_F(RuleTable, ARowHookSeesTheLoadedRowAndItsElement)
{
  F.Grids[0].After_Row_Load = [](TKvStringGrid* g, int r, const TXmlNode& node) {
    if (node.HasAttribute(QStringLiteral("Old")))
      g->SetCells(5, r, node.Attribute(QStringLiteral("Old")) + g->Cells(3, r));
  };
  EXPECT_EQ(Load("<Test_Root><Group><First><row Name=\"a\" Value=\"1\" Old=\"was \"/>"
                 "<row Name=\"b\" Value=\"2\"/></First><Second/></Group></Test_Root>"),
            QString());
  EXPECT_EQ(A->Cells(5, 1), QStringLiteral("was 1"));
  EXPECT_EQ(A->Cells(5, 2), QString());
  EXPECT_FALSE(Saved().contains("Old"));
}

TEST_F(RuleTable, CheckSkipsDisabledRowsAndNamesTheFirstBadRow)
{
  Rule(1, "a", "1");
  Rule(2, "b", " x ", " N ");  // trimmed "N": skipped, and saved as typed
  Rule(3, "c", "12");
  Rule(4, "d", "13");
  EXPECT_FALSE(Check_Rule_Grids(F, Grids()));
  ASSERT_EQ(Answers.MessageCount(), 1);
  EXPECT_EQ(Answers.LastText(), QStringLiteral("Error row 3!! Value must be between 0 and 9"));
  EXPECT_EQ(Answers.Requests.back().DlgType, mtError);

  Rule(3, "c", "2");
  Rule(4, "d", "3");
  EXPECT_TRUE(Check_Rule_Grids(F, Grids()));
  EXPECT_TRUE(Saved().contains("<row Enable=\" N \" Name=\"b\" Value=\" x \" Tag=\"\" Note=\"\"/>"));

  // The final check runs after every grid passed.
  int finals = 0;
  F.Final_Check = [&] { ++finals; return false; };
  EXPECT_FALSE(Check_Rule_Grids(F, Grids()));
  EXPECT_EQ(finals, 1);
}

TEST_F(RuleTable, LoadCases)
{
  struct Case {
    const char* name;
    QByteArray file;
    const char* failure;  // part of the failure text; null: the load goes through
    const char* row1Name;
    const char* row2Name;
  };
  const QByteArray rows = "<Group><First><row Enable=\"N\" Name=\"a\" Value=\"1\" Tag=\"x\" Note=\"n\"/>"
                          "<row Name=\"b\" Value=\"2\"/></First><Second/></Group>";
  const Case cases[] = {
      {"another root name", "<Other>" + rows + "</Other>", nullptr, "a", "b"},
      {"a declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Test_Root>" + rows + "</Test_Root>", nullptr,
       "a", "b"},
      {"a comment first", "<!--c--><Test_Root>" + rows + "</Test_Root>", "section \"Group\"", "", ""},
      {"no section", "<Test_Root><Group><First/></Group></Test_Root>", "section \"Second\"", "", ""},
      {"a comment in a section",
       "<Test_Root><Group><First><row Name=\"a\" Value=\"1\"/><!--c--><row Name=\"c\" Value=\"3\"/></First>"
       "<Second/></Group></Test_Root>",
       "row 2, attribute \"Name\"", "a", ""},
      {"a required attribute missing",
       "<Test_Root><Group><First><row Name=\"a\" Value=\"1\"/><row Name=\"b\"/></First><Second/></Group></Test_Root>",
       "row 2, attribute \"Value\"", "a", "b"},
      {"not well-formed", "<Test_Root><Group>", "Test.xml", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Clear_Rule_Grid(F.Grids[0], A.get());
    const QString failure = Load(c.file);
    if (c.failure) {
      EXPECT_TRUE(failure.contains(QString::fromLatin1(c.failure))) << failure.toStdString();
      EXPECT_TRUE(failure.contains(QStringLiteral("Test.xml"))) << failure.toStdString();
      EXPECT_TRUE(State.Stopped);
    } else {
      EXPECT_EQ(failure, QString());
      EXPECT_FALSE(State.Partial());
    }
    EXPECT_TRUE(State.File_Found);
    EXPECT_EQ(A->Cells(2, 1), QString::fromLatin1(c.row1Name));
    EXPECT_EQ(A->Cells(2, 2), QString::fromLatin1(c.row2Name));
  }
}

TEST_F(RuleTable, DefaultedAttributesTakeTheirDefaults)
{
  ASSERT_EQ(Load("<Test_Root><Group><First><row Name=\"a\" Value=\"1\"/></First>"
                 "<Second><row Key=\"k\"/><row Enable=\"N\" Key=\"m\" Flag=\"Y\"/></Second></Group></Test_Root>"),
            QString());
  EXPECT_EQ(A->Cells(1, 1), QStringLiteral("Y"));
  EXPECT_EQ(A->Cells(4, 1), QStringLiteral("t"));
  EXPECT_EQ(A->Cells(5, 1), QString());
  EXPECT_TRUE(B->IsChecked(1, 1));
  EXPECT_FALSE(B->IsChecked(3, 1));
  EXPECT_FALSE(B->IsChecked(1, 2));
  EXPECT_TRUE(B->IsChecked(3, 2));
  EXPECT_EQ(B->Cells(2, 2), QStringLiteral("m"));
  // The check-box grid saves its boxes as "Y" and "N".
  EXPECT_TRUE(Saved().contains("<Second><row Enable=\"Y\" Key=\"k\" Flag=\"N\"/><row Enable=\"N\" Key=\"m\" Flag=\"Y\"/></Second>"));
}

TEST_F(RuleTable, RowsPastTheGridAreCountedNotShown)
{
  QByteArray first;
  for (int i = 1; i <= 7; ++i)
    first += "<row Name=\"r" + QByteArray::number(i) + "\" Value=\"1\"/>";
  ASSERT_EQ(Load("<Test_Root><Group><First>" + first + "</First><Second/></Group></Test_Root>"), QString());
  EXPECT_EQ(A->Cells(2, 5), QStringLiteral("r5"));
  ASSERT_EQ(State.Rows_Left_Out.size(), 1u);
  EXPECT_EQ(State.Rows_Left_Out[0].first, QStringLiteral("Group/First"));
  EXPECT_EQ(State.Rows_Left_Out[0].second, 2);
  EXPECT_TRUE(State.Partial());
  EXPECT_FALSE(State.Stopped);
}

TEST_F(RuleTable, AFileRoundTripsByteForByte)
{
  const QString fixture = QStringLiteral(KV_FIXTURES_DIR "/common/rule_table_round_trip.xml");
  const QByteArray bytes = Read_All(fixture);
  ASSERT_FALSE(bytes.isEmpty());
  ASSERT_EQ(Load(bytes), QString());
  EXPECT_EQ(A->Cells(2, 1), QStringLiteral(" Pump & <Valve> "));
  EXPECT_EQ(A->Cells(5, 2), QStringLiteral("Durchfluß \"Nord\" 'A' – ½"));
  EXPECT_EQ(Saved(), bytes) << Saved().constData();
}

TEST(RuleInt, CellsReadAsIntegersOrTheDefault)
{
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {{"12", 12}, {"  7", 7}, {"7 ", -1}, {"", -1}, {"+3", 3}, {"-4", -4}, {"$1F", 31}, {"0x10", 16},
                        {"1.5", -1}, {"2147483648", -1}};
  for (const Case& c : cases)
    EXPECT_EQ(Rule_Int(QString::fromLatin1(c.text)), c.value) << c.text;
  EXPECT_EQ(Rule_Int(QStringLiteral("x"), 0), 0);
  EXPECT_EQ(Rule_Int64(QStringLiteral("2147483648")), 2147483648LL);
  EXPECT_EQ(Rule_Int64(QStringLiteral("9223372036854775808")), -1);
}

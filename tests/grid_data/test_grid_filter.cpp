// Filtering: the condition collection, the row test with its data kinds and
// operations, the application as hidden-row levels, narrow-down typing and the
// choices of the header filter lists.
#include <gtest/gtest.h>

#include "grid/grid_chrome.h"
#include "grid/kv_string_grid.h"
#include "grid_data/grid_text_lists.h"
#include "shell/qt_print.h"

namespace {

// One fixed row; column 1 names, column 2 kinds, column 3 numbers.
std::unique_ptr<TKvStringGrid> Stock()
{
    auto g = std::make_unique<TKvStringGrid>();
    // A filter that hides every row keeps the header row fixed.
    g->SetFixedRowAlways(true);
    g->SetColCount(4);
    const char* rows[][3] = {{"pump", "motor", "12"},  {"valve", "pipe", "7"},   {"pumpkin", "food", "3"},
                             {"Pump A", "motor", "20"}, {"abc tool", "tool", "5"}, {"gate valve", "pipe", "9"}};
    g->SetRowCount(int(std::size(rows)) + 1);
    for (int r = 0; r < int(std::size(rows)); ++r)
        for (int c = 0; c < 3; ++c) g->SetCells(c + 1, r + 1, QString::fromUtf8(rows[r][c]));
    return g;
}



TFilterData* Condition(TKvStringGrid& G, int Col, const char* Text)
{
    TFilterData* f = G.Filter()->Add();
    f->Column = Col;
    f->Condition = QString::fromUtf8(Text);
    return f;
}

} // namespace

TEST(GridFilterData, CollectionOperationsDefaultsAndAssign)
{
    TKvStringGrid g;
    TFilter* f = g.Filter();
    TFilterData* a = f->Add();
    EXPECT_EQ(a->Operation, foNONE);
    EXPECT_TRUE(a->CaseSensitive);
    EXPECT_EQ(a->Data, fcVirtual);
    EXPECT_EQ(a->Method, fmExpression);
    EXPECT_EQ(f->Add()->Operation, foAND);
    TFilterData* i = f->Insert(0);
    EXPECT_EQ(i->Index(), 2) << "Insert appends";
    EXPECT_EQ(i->Operation, foSHORT);
    i->Column = 5;
    EXPECT_TRUE(f->HasFilter(5));
    EXPECT_EQ(f->ColumnFilter(5), i);
    TFilterData* made = f->ColumnFilter(7);
    EXPECT_EQ(made->Column, 7);
    EXPECT_EQ(made->Operation, foAND);
    EXPECT_EQ(f->Count(), 4);
    f->Add()->Column = 7;
    f->RemoveColumnFilter(7);
    EXPECT_FALSE(f->HasFilter(7));
    EXPECT_EQ(f->Count(), 3);

    TFilterData* src = f->Items(0);
    src->Column = 2;
    src->Condition = QStringLiteral(">5");
    src->CaseSensitive = false;
    src->Data = fcStripHTML;
    src->Prefix = QStringLiteral("p");
    src->Suffix = QStringLiteral("s");
    src->Operation = foXOR;
    src->Method = fmLiteral;
    TFilterData* dst = f->Items(2);
    dst->Assign(src);
    EXPECT_EQ(dst->Column, 2);
    EXPECT_EQ(dst->Condition, QStringLiteral(">5"));
    EXPECT_FALSE(dst->CaseSensitive);
    EXPECT_EQ(dst->Data, fcStripHTML);
    EXPECT_EQ(dst->Prefix, QStringLiteral("p"));
    EXPECT_EQ(dst->Suffix, QStringLiteral("s"));
    EXPECT_EQ(dst->Operation, foXOR);
    EXPECT_EQ(dst->Method, fmExpression) << "the method is not copied";
    dst->Assign(nullptr);
    EXPECT_EQ(dst->Column, 2);
}

TEST(GridFilter, EmptyFiltersHideNothingAndSwitchingOffShowsEverythingAgain)
{
    auto g = Stock();
    g->SetFilterActive(true);
    EXPECT_EQ(g->RowCount(), 7);
    g->SetFilterActive(false);
    Condition(*g, 1, "");
    g->SetFilterActive(true);
    EXPECT_EQ(g->RowCount(), 7) << "an empty condition accepts every row";
    g->SetFilterActive(false);

    g->Filter()->Items(0)->Condition = QStringLiteral("pump*");
    g->Filter()->Items(0)->CaseSensitive = false;
    g->SetFilterActive(true);
    EXPECT_TRUE(g->FilterActive());
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "pumpkin", "Pump A"}));
    EXPECT_TRUE(g->CheckHiddenConsistency());
    g->SetFilterActive(false);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "valve", "pumpkin", "Pump A", "abc tool", "gate valve"}));
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_TRUE(g->CheckHiddenConsistency());
}

TEST(GridFilter, OperationsJoinTheConditions)
{
    auto g = Stock();
    Condition(*g, 2, "motor");
    Condition(*g, 3, ">15");
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"Pump A"})) << "foNONE then foAND: both";
    g->RemoveLastFilter();
    g->Filter()->Items(1)->Operation = foOR;
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "Pump A"})) << "foOR: either";
    g->RemoveLastFilter();
    g->Filter()->Items(1)->Operation = foXOR;
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump"}));
    g->RemoveLastFilter();

    g->Filter()->Items(1)->Condition = QStringLiteral(">8");
    g->Filter()->Items(1)->Operation = foOR;
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "Pump A", "gate valve"}));
    g->RemoveLastFilter();
    g->Filter()->Items(0)->Operation = foSHORT;
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "Pump A"})) << "a failing foSHORT condition ends the test";
    g->RemoveLastFilter();
    int customTests = 0;
    g->OnCustomFilter = [&](TObject*, int ARow, bool& Accept) {
        ++customTests;
        if (g->Cells(1, ARow) == QStringLiteral("valve")) Accept = true;
    };
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "valve", "Pump A"})) << "the custom filter has the last word";
    EXPECT_EQ(customTests, 6);
}

TEST(GridFilter, DataKindsPrefixSuffixLiteralAndMalformedConditions)
{
    auto g = Stock();
    g->SetCells(1, 1, QStringLiteral("<b>pump</b>"));
    g->SetCells(2, 2, QStringLiteral("axbx"));
    g->OnGetDisplText = [](TObject*, int ACol, int, QString& Value) {
        if (ACol == 1 && Value == QStringLiteral("valve")) Value = QStringLiteral("shown");
    };
    struct TCase {
        const char* Name;
        int Col;
        TFilterCells Data;
        const char* Condition;
        const char* Prefix;
        const char* Suffix;
        TFilterMethod Method;
        QStringList Expected;
    } cases[] = {
        {"display text", 1, fcVirtual, "shown", "", "", fmExpression, L({"shown"})},
        {"display text, not stored", 1, fcVirtual, "valve", "", "", fmExpression, QStringList()},
        {"stored text", 1, fcNormal, "valve", "", "", fmExpression, L({"shown"})},
        {"markup stripped", 1, fcStripHTML, "pump", "", "", fmExpression, L({"<b>pump</b>"})},
        {"calculated", 3, fcCalculated, "<6", "", "", fmExpression, L({"pumpkin", "abc tool"})},
        {"whole row", -1, fcRow, "PIPE", "", "", fmExpression, L({"gate valve"})},
        {"whole row, display texts", -1, fcRow, "HOWN", "", "", fmExpression, L({"shown"})},
        {"prefix", 2, fcVirtual, "otor", "m", "", fmExpression, L({"<b>pump</b>", "Pump A"})},
        {"suffix at the end", 2, fcVirtual, "pip", "", "e", fmExpression, L({"gate valve"})},
        {"suffix not at the end", 2, fcVirtual, "axbx", "", "x", fmExpression, L({"shown"})},
        {"literal", 1, fcVirtual, "Pump A", "", "", fmLiteral, L({"Pump A"})},
        {"literal is exact", 1, fcVirtual, "pump*", "", "", fmLiteral, QStringList()},
        {"malformed fails", 1, fcVirtual, "(pump", "", "", fmExpression, QStringList()},
    };
    for (const TCase& c : cases) {
        g->Filter()->Clear();
        TFilterData* f = Condition(*g, c.Col, c.Condition);
        f->Data = c.Data;
        f->Prefix = QString::fromUtf8(c.Prefix);
        f->Suffix = QString::fromUtf8(c.Suffix);
        f->Method = c.Method;
        g->ApplyFilter();
        EXPECT_EQ(ColumnTexts(*g, 1), c.Expected) << c.Name;
        g->RemoveLastFilter();
        EXPECT_EQ(g->RowCount(), 7) << c.Name;
    }
}

TEST(GridFilter, NormalCellsOnlyKeepsNodeAndSummaryRows)
{
    auto g = Stock();
    g->AddNode(1, 3);
    g->MarkSummaryRow(4);
    Condition(*g, 1, "valve");
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "valve", "Pump A"}));
    g->RemoveLastFilter();
    g->SetFilterNormalCellsOnly(false);
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"valve"}));
    g->RemoveLastFilter();
    EXPECT_TRUE(g->CheckHiddenConsistency());
}

TEST(GridFilter, ProgressRoundsHalvesToEven)
{
    TKvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(9);
    std::vector<short> got;
    g.OnFilterProgress = [&](TObject*, short P) { got.push_back(P); };
    Condition(g, 1, "");
    g.ApplyFilter();
    EXPECT_EQ(got, (std::vector<short>{12, 25, 38, 50, 62, 75, 88, 100, 100}));
}

TEST(GridFilter, LevelsRemoveOneByOneAndRemoveAllClearsTheConditionsOnlyWithoutLevels)
{
    auto g = Stock();
    Condition(*g, 2, "motor|pipe");
    g->ApplyFilter();
    g->Filter()->Clear();
    Condition(*g, 1, "*valve*");
    g->ApplyFilter();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"valve", "gate valve"}));
    EXPECT_EQ(g->FilterLevel(), 2);
    EXPECT_FALSE(g->RemoveLastFilter()) << "one level left";
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "valve", "Pump A", "gate valve"}));
    g->RemoveAllFilters();
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->Filter()->Count(), 1) << "the levels went, the conditions stay";
    EXPECT_FALSE(g->RemoveLastFilter());
    g->RemoveAllFilters();
    EXPECT_EQ(g->Filter()->Count(), 0);
}

TEST(GridFilter, NarrowDownPushesAndPopsALevelPerCharacter)
{
    auto g = Stock();
    g->NarrowDown(QStringLiteral("p"), 1);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "pumpkin", "Pump A"}));
    g->NarrowDown(QStringLiteral("pu"), 1);
    g->NarrowDown(QStringLiteral("pump"), 1);
    EXPECT_EQ(g->FilterLevel(), 1) << "pump is two characters more: it starts again";
    g->NarrowDown(QStringLiteral("pumpk"), 1);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pumpkin"}));
    g->NarrowDown(QStringLiteral("pump"), 1);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "pumpkin", "Pump A"}));
    EXPECT_EQ(g->FilterLevel(), 1);
    EXPECT_TRUE(g->FixedRowAlways());

    auto h = Stock();
    h->NarrowDown(QStringLiteral("a"), 1);
    h->NarrowDown(QStringLiteral("ab"), 1);
    h->NarrowDown(QStringLiteral("abc"), 1);
    EXPECT_EQ(ColumnTexts(*h, 1), L({"abc tool"}));
    EXPECT_EQ(h->FilterLevel(), 3);
    h->NarrowDown(QStringLiteral("ab"), 1);
    EXPECT_EQ(h->FilterLevel(), 2);
    EXPECT_EQ(ColumnTexts(*h, 1), L({"abc tool"})) << "the rows abc hid come back; ab hides the same ones";
    h->NarrowDown(QStringLiteral("a"), 1);
    EXPECT_EQ(ColumnTexts(*h, 1), L({"valve", "Pump A", "abc tool", "gate valve"}));
    h->NarrowDown(QString(), 1);
    EXPECT_EQ(h->RowCount(), 7);
    EXPECT_EQ(h->FilterLevel(), 0);
    EXPECT_TRUE(h->CheckHiddenConsistency());

    auto b = Stock();
    b->NarrowDown(QStringLiteral("p a"), 1);
    EXPECT_EQ(ColumnTexts(*b, 1), L({"Pump A"})) << "a blank is part of the text";
    b->NarrowDown(QStringLiteral("MOTOR"), -1);
    EXPECT_EQ(ColumnTexts(*b, 1), L({"pump", "Pump A"})) << "anywhere in the row, any case";
}

TEST(GridFilter, ALevelThatHidesNothingStillCountsAsALevel)
{
    auto g = Stock();
    g->NarrowDown(QStringLiteral("v"), 1);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"valve", "gate valve"}));
    g->NarrowDown(QStringLiteral("va"), 1);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"valve", "gate valve"}));
    g->NarrowDown(QStringLiteral("v"), 1);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"valve", "gate valve"})) << "the rows v hid stay hidden";
}

TEST(GridFilter, DropDownChoicesSetAndClearAColumnCondition)
{
    auto g = Stock();
    g->SetFilterDropDownAuto(true);
    int done = 0, selects = 0;
    g->OnFilterDone = [&](TObject*) { ++done; };
    g->OnFilterSelect = [&](TObject*, int Column, int, const QString& Caption, QString& Condition) {
        ++selects;
        EXPECT_EQ(Column, 2);
        if (Caption == QStringLiteral("food")) Condition = QStringLiteral("tool");
    };
    ASSERT_TRUE(g->GetFilterList(2));
    EXPECT_EQ(g->FilterList()->Strings(0), QStringLiteral("(All)"));
    TDropList* list = g->FilterDropList();
    for (int i = 0; i < g->FilterList()->Count(); ++i) list->Items()->Add(g->FilterList()->Strings(i));
    const int pipe = g->FilterList()->IndexOf(QStringLiteral("pipe"));
    g->SetOpenFilterCol(2);
    g->FilterDropDownSelect(list, pipe);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"valve", "gate valve"}));
    EXPECT_EQ(g->OpenFilterCol(), -1);
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(done, 1);

    g->SetOpenFilterCol(2);
    g->FilterDropDownSelect(list, g->FilterList()->IndexOf(QStringLiteral("food")));
    EXPECT_EQ(ColumnTexts(*g, 1), L({"abc tool"})) << "the select event changed the condition";

    g->SetOpenFilterCol(2);
    g->FilterDropDownSelect(list, 0);
    EXPECT_FALSE(g->Filter()->HasFilter(2)) << "the clear entry removes the column's condition";
    EXPECT_EQ(g->RowCount(), 7);

    g->SetOpenFilterCol(2);
    g->FilterDropDownSelect(list, 99);
    g->SetOpenFilterCol(50);
    g->FilterDropDownSelect(list, 1);
    EXPECT_EQ(g->OpenFilterCol(), -1);
    EXPECT_EQ(selects, 3) << "out-of-range choices do nothing";
}

TEST(GridFilter, CheckListJoinsTheCheckedEntriesWithOr)
{
    auto g = Stock();
    g->SetFilterDropDownAuto(true);
    g->SetFilterDropDownCheck(true);
    Condition(*g, 1, "pump");
    ASSERT_TRUE(g->GetFilterList(2));
    TDropCheckList* list = g->FilterCheckList();
    for (int i = 0; i < g->FilterList()->Count(); ++i) list->Items()->Add(g->FilterList()->Strings(i));
    list->SetChecked(g->FilterList()->IndexOf(QStringLiteral("food")), true);
    list->SetChecked(g->FilterList()->IndexOf(QStringLiteral("tool")), true);
    std::vector<int> seen;
    g->OnFilterCheck = [&](TObject*, int, int Index, const QString&, QString&, TCheckListBox* CheckList) {
        seen.push_back(Index);
        EXPECT_EQ(CheckList, list);
    };
    g->SetOpenFilterCol(2);
    g->FilterDropDownCheck(list, -1);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pumpkin", "abc tool"}));
    ASSERT_EQ(g->Filter()->Count(), 2) << "the checked entries replace every condition";
    EXPECT_EQ(g->Filter()->Items(0)->Operation, foNONE);
    EXPECT_EQ(g->Filter()->Items(1)->Operation, foOR);
    EXPECT_EQ(seen.size(), 2u);

    list->SetChecked(g->FilterList()->IndexOf(QStringLiteral("food")), false);
    g->SetOpenFilterCol(2);
    g->FilterDropDownCheck(list, -1);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"abc tool"}));
    EXPECT_TRUE(g->CheckHiddenConsistency());
}

TEST(GridFilter, FilterDropDownRowMustBeAFixedRowAndFilterRowHidesOneRow)
{
    auto g = Stock();
    g->SetFilterDropDownRow(0);
    EXPECT_EQ(g->FilterDropDownRow, 0);
    g->SetFilterDropDownRow(1);
    EXPECT_EQ(g->FilterDropDownRow, 0) << "row 1 is no fixed row";
    Condition(*g, 1, "valve");
    g->FilterRow(2);
    g->FilterRow(3);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pump", "valve", "Pump A", "abc tool", "gate valve"}));
    EXPECT_TRUE(g->IsHiddenRow(3));
}

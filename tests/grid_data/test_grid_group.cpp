// Grouping: the outline Group builds with and without summaries and merging,
// UnGroup and the second level giving the table back, and the group calculations.
#include <gtest/gtest.h>

#include "grid/column_grid.h"
#include "grid/kv_string_grid.h"
#include "grid_data/grid_text_lists.h"
#include "shell/qt_print.h"

namespace {

// Captions, six rows already in (kind, size, qty) order, a footer row; column 0 numbers the rows.
void FillStock(TKvStringGrid& G)
{
    const char* rows[][5] = {
        {"N", "Name", "Kind", "Size", "Qty"},
        {"1", "d", "pipe", "M", "1"},
        {"2", "f", "pump", "M", "6"},
        {"3", "a", "pump", "S", "3"},
        {"4", "c", "pump", "S", "4"},
        {"5", "e", "valve", "L", "2"},
        {"6", "b", "valve", "L", "5"},
        {"", "", "kindfoot", "", "99"},
    };
    G.SetColCount(5);
    G.SetRowCount(int(std::size(rows)));
    for (int r = 0; r < int(std::size(rows)); ++r)
        for (int c = 0; c < 5; ++c) G.SetCells(c, r, QString::fromUtf8(rows[r][c]));
    const int widths[] = {30, 80, 70, 60, 50};
    for (int c = 0; c < 5; ++c) G.SetColWidths(c, widths[c]);
    G.SetFixedFooters(1);
}

std::unique_ptr<TKvStringGrid> Stock()
{
    auto g = std::make_unique<TKvStringGrid>();
    FillStock(*g);
    return g;
}

// Every cell text, row by row, with the column widths and the counts.
QStringList Snapshot(TKvStringGrid& G)
{
    QStringList s;
    s << QStringLiteral("%1x%2").arg(G.ColCount()).arg(G.RowCount());
    QStringList w;
    for (int c = 0; c < G.ColCount(); ++c) w << QString::number(G.ColWidths(c));
    s << w.join(QLatin1Char(','));
    for (int r = 0; r < G.RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < G.AllColCount(); ++c) row << G.Cells(c, r);
        s << row.join(QLatin1Char('|'));
    }
    return s;
}



void ExpectSound(TKvStringGrid& G, const char* Step)
{
    EXPECT_TRUE(G.CheckHiddenConsistency()) << Step;
    EXPECT_TRUE(G.CheckConsistency()) << Step;
    EXPECT_EQ(G.UpdateCount(), 0) << Step;
    EXPECT_FALSE(G.IsGrouping()) << Step;
}

} // namespace

TEST(GridGroup, HeadersAreNodesOverTheirRunsAndTheColumnLeaves)
{
    auto g = Stock();
    g->Group(2);
    ExpectSound(*g, "group");
    EXPECT_EQ(g->GroupColumn(), 2);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("Size"));
    EXPECT_EQ(ColumnTexts(*g, 1), L({"pipe", "d", "pump", "f", "a", "c", "valve", "e", "b"}));
    for (auto [row, span] : {std::pair{1, 2}, std::pair{3, 4}, std::pair{7, 3}}) {
        EXPECT_TRUE(g->IsNode(row)) << row;
        EXPECT_EQ(g->GetNodeSpan(row), span) << row;
    }
    EXPECT_FALSE(g->IsNode(2));
    EXPECT_EQ(g->GetNodeLevel(3), 1);
    EXPECT_EQ(g->Cells(3, g->RowCount() - 1), QStringLiteral("99")) << "the footer row stays last";
    EXPECT_EQ(g->Row(), 1);

    auto s = Stock();
    s->Grouping()->SetSummary(true);
    s->Group(2);
    ExpectSound(*s, "group with summaries");
    EXPECT_EQ(ColumnTexts(*s, 1), L({"pipe", "d", "", "pump", "f", "a", "c", "", "valve", "e", "b", ""}));
    for (int row : {3, 8, 12}) EXPECT_TRUE(s->IsSummary(row)) << row;
    EXPECT_EQ(s->GetNodeSpan(4), 4);
    EXPECT_FALSE(s->IsNode(3));
}

TEST(GridGroup, GroupingColumnOneKeepsTheValueInColumnOne)
{
    auto g = Stock();
    g->SortSettings()->AutoSortForGrouping = false;
    g->Group(1);
    ExpectSound(*g, "group 1");
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("d"));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("pipe"));
    EXPECT_EQ(g->GetNodeSpan(1), 2);
    g->UnGroup();
    ExpectSound(*g, "ungroup 1");
    auto original = Stock();
    EXPECT_EQ(Snapshot(*g), Snapshot(*original));
}

TEST(GridGroup, RefusedColumnsAndEmptyGrids)
{
    auto g = Stock();
    const QStringList before = Snapshot(*g);
    g->Group(0);
    g->SetGroupColumn(0);
    EXPECT_EQ(Snapshot(*g), before);
    EXPECT_EQ(g->GroupColumn(), -1);
    g->UnGroup();
    EXPECT_EQ(Snapshot(*g), before);

    TKvStringGrid empty;
    empty.SetColCount(3);
    empty.SetRowCount(1);
    empty.SetFixedRowAlways(true);
    empty.Group(1);
    EXPECT_EQ(empty.GroupColumn(), -1);
    EXPECT_EQ(empty.RowCount(), 1);
}

TEST(GridGroup, RoundTripGivesTheTableBackCellForCell)
{
    for (bool summary : {false, true}) {
        auto g = Stock();
        g->Grouping()->SetSummary(summary);
        g->Grouping()->SetMergeHeader(summary);
        g->Grouping()->SetMergeSummary(summary);
        g->Grouping()->SetHeaderColor(0x00FFEEDD);
        g->Grouping()->SetSummaryColor(0x00DDEEFF);
        const QStringList original = Snapshot(*g);
        g->SetGroupColumn(2);
        ExpectSound(*g, "group");
        g->SubGroup(2);
        ExpectSound(*g, "sub-group");
        EXPECT_EQ(g->GroupColumn(), 2) << "the grouped column stays the grouped column";
        EXPECT_EQ(g->SubGroupColumn(), 2);
        const QStringList expected = summary
            ? L({"pipe", "", "d", "", "", "pump", "", "f", "", "", "a", "c", "", "", "valve", "", "e", "b", "", ""})
            : L({"pipe", "", "d", "pump", "", "f", "", "a", "c", "valve", "", "e", "b"});
        EXPECT_EQ(ColumnTexts(*g, 1), expected) << summary;
        const int sub = 2;
        EXPECT_TRUE(g->IsNode(sub));
        EXPECT_EQ(g->GetNodeLevel(sub), 2);
        EXPECT_EQ(g->Cells(3, sub), QStringLiteral("M")) << "the sub-group's value";
        EXPECT_EQ(g->Cells(2, sub + 1), QString()) << "its rows' cells are cleared";
        g->SubUnGroup(2);
        ExpectSound(*g, "sub-ungroup");
        EXPECT_EQ(g->SubGroupColumn(), -1);
        g->SetGroupColumn(-1);
        ExpectSound(*g, "ungroup");
        EXPECT_EQ(g->GroupColumn(), -1);
        EXPECT_EQ(Snapshot(*g), original) << summary;
    }
}

TEST(GridGroup, MergedAndColouredHeadersAndSummaries)
{
    auto g = Stock();
    TGrouping* gr = g->Grouping();
    gr->SetSummary(true);
    gr->SetMergeHeader(true);
    gr->SetMergeSummary(true);
    gr->SetHeaderColor(0x00112233);
    gr->SetSummaryColor(0x00445566);
    gr->SetSummaryTextColor(0x000000FF);
    g->Group(2);
    EXPECT_TRUE(g->IsMergedCell(1, 1));
    EXPECT_EQ(g->CellSpan(1, 1).X, 2) << "columns 1 to 3";
    EXPECT_EQ(g->Colors(1, 1), TColor(0x00112233));
    EXPECT_TRUE(g->IsMergedCell(1, 3));
    EXPECT_EQ(g->Colors(1, 3), TColor(0x00445566));
    EXPECT_EQ(g->FontColors(1, 3), TColor(0x000000FF));
    EXPECT_FALSE(g->IsMergedCell(1, 2));

    auto r = Stock();
    r->Grouping()->SetHeaderColor(0x00112233);
    r->Grouping()->SetHeaderTextColor(0x00FF0000);
    r->Group(2);
    EXPECT_FALSE(r->IsMergedCell(1, 1));
    for (int c = 1; c < r->ColCount(); ++c) EXPECT_EQ(r->Colors(c, 1), TColor(0x00112233)) << c;
    EXPECT_EQ(r->FontColors(3, 3), TColor(0x00FF0000));
    EXPECT_NE(r->Colors(1, 2), TColor(0x00112233));
}

TEST(GridGroup, CalculationsFillSummaryOrHeaderRowsAndSkipContractedGroups)
{
    auto s = Stock();
    s->Grouping()->SetSummary(true);
    s->Group(2);
    s->GroupSum(3);
    EXPECT_EQ(s->Cells(3, 3), QStringLiteral("1.00"));
    EXPECT_EQ(s->Cells(3, 8), QStringLiteral("13.00"));
    EXPECT_EQ(s->Cells(3, 12), QStringLiteral("7.00"));
    s->GroupCount(2);
    EXPECT_EQ(s->Cells(2, 8), QStringLiteral("3"));
    s->GroupMax(3);
    EXPECT_EQ(s->Cells(3, 8), QStringLiteral("6.00"));

    auto h = Stock();
    h->Group(2);
    h->ContractNode(3);
    h->GroupSum(3);
    EXPECT_EQ(h->Cells(3, 1), QStringLiteral("1.00"));
    EXPECT_EQ(h->Cells(3, 3), QString()) << "a contracted group is left out";
    EXPECT_EQ(h->Cells(3, 4), QStringLiteral("7.00")) << "the header rows without summaries";
    h->ExpandNode(3);
    h->OnGroupCalc = [](TObject*, int ACol, int FromRow, int ToRow, double& Res) {
        Res += ACol * 100 + FromRow * 10 + ToRow;
    };
    h->GroupCustomCalc(2);
    EXPECT_EQ(h->Cells(2, 3), QStringLiteral("246.00"));
    h->GroupAvg(3);
    EXPECT_EQ(h->Cells(3, 7), QStringLiteral("3.50"));
    h->GroupMin(3);
    EXPECT_EQ(h->Cells(3, 3), QStringLiteral("3.00"));
    h->GroupDistinct(2);
    EXPECT_EQ(h->Cells(2, 3), QStringLiteral("2.00"));
    h->GroupStdDev(3);
    EXPECT_EQ(h->Cells(3, 7), QStringLiteral("1.50"));
}

// The column statistics of a grouped grid read its item rows only: the header rows and
// the summary rows the group calculation filled stay out; ungrouped, every row counts.
TEST(GridGroup, ColumnSumLeavesGroupHeadersAndSummariesOut)
{
    auto s = Stock();
    s->Grouping()->SetSummary(true);
    s->Group(2);
    s->GroupSum(3);
    ASSERT_EQ(s->Cells(3, 8), QStringLiteral("13.00"));
    s->SetCells(3, 1, QStringLiteral("100"));  // a number in a header row
    EXPECT_DOUBLE_EQ(s->ColumnSum(3, -1, -1), 21);
    EXPECT_DOUBLE_EQ(s->ColumnMax(3, 2, 11), 6);

    auto u = Stock();
    u->MarkSummaryRow(2);
    EXPECT_DOUBLE_EQ(u->ColumnSum(4, -1, -1), 21);
}

TEST(GridGroup, FloatingFooterTakesTheCalculationAlong)
{
    auto g = Stock();
    g->SetFixedFooters(0);
    g->FloatingFooter()->SetVisible(true);
    g->Group(2);
    g->GroupSum(3);
    EXPECT_EQ(g->FloatingFooter()->ColumnCalc(3), acSUM);
    g->GroupCount(2);
    EXPECT_EQ(g->FloatingFooter()->ColumnCalc(2), acCOUNT);
    g->GroupCustomCalc(1);
    EXPECT_EQ(g->FloatingFooter()->ColumnCalc(1), acNONE);
    EXPECT_TRUE(g->CheckHiddenConsistency());
}

TEST(GridGroup, NodesOfSpanZeroDoNotHoldTheCalculation)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    g.AddNode(1, 0);
    g.AddNode(3, -2);
    g.GroupCalc(2, 1);
    g.GroupCalc(2, 5);
    SUCCEED();
}

TEST(GridGroup, ExpandOneLeavesOnlyTheFirstGroupOpen)
{
    auto g = Stock();
    g->CellNode()->SetExpandOne(true);
    g->Group(2);
    EXPECT_FALSE(g->GetNodeState(1));
    EXPECT_TRUE(g->GetNodeState(3));
    EXPECT_TRUE(g->CheckHiddenConsistency());
    g->UnGroup();
    auto original = Stock();
    EXPECT_EQ(Snapshot(*g), Snapshot(*original));
    EXPECT_TRUE(g->CellNode()->ExpandOne());
}

TEST(GridGroup, AnExceptionStillEndsTheGrouping)
{
    auto g = Stock();
    g->OnGetFormat = [](TObject*, int, TSortStyle& S, QString&, QString&) { S = ssCustom; };
    g->OnCustomCompare = [](TObject*, const QString&, const QString&, int&) { throw Exception(QStringLiteral("x")); };
    EXPECT_THROW(g->Group(2), Exception);
    EXPECT_FALSE(g->IsGrouping());
    EXPECT_EQ(g->UpdateCount(), 0);
    EXPECT_EQ(g->RowCount(), 8);
}

TEST(GridGroup, ColumnGridGetsItsColumnBack)
{
    TKvColumnGrid g;
    FillStock(g);
    g.Columns()->Items(2)->SetHeader(QStringLiteral("Kind"));
    g.Group(2);
    EXPECT_EQ(g.Columns()->Count(), 4);
    g.UnGroup();
    EXPECT_EQ(g.Columns()->Count(), 5);
    EXPECT_EQ(g.Columns()->Items(2)->Header(), QStringLiteral("Kind"));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("pipe"));
}

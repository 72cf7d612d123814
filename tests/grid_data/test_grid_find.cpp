// Search: the scan in both orders and directions with its ranges and options,
// find next, replace, the type-ahead search and the header editors' change hook.
#include <gtest/gtest.h>

#include "grid/grid_editor_controls.h"
#include "grid/kv_string_grid.h"
#include "shell/qt_print.h"

namespace {

// One fixed row and column; the normal cells are columns 1..3, rows 1..4.
std::unique_ptr<TKvStringGrid> Board()
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(4);
    g->SetRowCount(5);
    const char* cells[4][3] = {
        {"x1", "ab", "x2"},
        {"cab", "", "abc"},
        {"x3", "xaby", "no"},
        {"x4", "<b>hit</b>", "x5"},
    };
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) g->SetCells(c + 1, r + 1, QString::fromUtf8(cells[r][c]));
    g->SetCells(1, 0, QStringLiteral("xhead"));
    return g;
}

// Every hit of a search from the start, by FindFirst and FindNext.
std::vector<TPoint> AllHits(TKvStringGrid& G, const char* Text, TFindParameters P)
{
    std::vector<TPoint> hits;
    for (TPoint p = G.FindFirst(QString::fromUtf8(Text), P); p.X >= 0; p = G.FindNext()) {
        hits.push_back(p);
        if (hits.size() > 50) break;
    }
    return hits;
}

std::vector<TPoint> Pts(std::initializer_list<std::pair<int, int>> Items)
{
    std::vector<TPoint> v;
    for (auto [x, y] : Items) v.emplace_back(x, y);
    return v;
}

} // namespace

TEST(GridFindParameters, SixteenFlagsInOneWord)
{
    TFindParameters p{fnMatchCase, fnIncludeHiddenRows};
    EXPECT_EQ(p.Word(), 0x8001);
    p << fnBackward;
    EXPECT_TRUE(p.Contains(fnBackward));
    p >> fnMatchCase;
    EXPECT_EQ(p.Word(), 0x8400);
    EXPECT_EQ(TFindParameters::FromWord(0x0108), (TFindParameters{fnDirectionLeftRight, fnAutoGoto}));
    EXPECT_EQ(sizeof(TFindParameters), 2u);
}

TEST(GridFind, ScanOrdersAndDirectionsNeverWrap)
{
    auto g = Board();
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{}), Pts({{1, 1}, {1, 3}, {1, 4}, {2, 3}, {3, 1}, {3, 4}}))
        << "column by column";
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{fnDirectionLeftRight}),
              Pts({{1, 1}, {3, 1}, {1, 3}, {2, 3}, {1, 4}, {3, 4}}))
        << "row by row";
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{fnBackward}), Pts({{3, 4}, {3, 1}, {2, 3}, {1, 4}, {1, 3}, {1, 1}}));
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{fnBackward, fnDirectionLeftRight}),
              Pts({{3, 4}, {1, 4}, {2, 3}, {1, 3}, {3, 1}, {1, 1}}));

    EXPECT_EQ(g->Find(TPoint(3, 4), QStringLiteral("x"), TFindParameters{}), TPoint(-1, -1))
        << "forward from the last cell finds nothing";
    EXPECT_EQ(g->Find(TPoint(3, 4), QStringLiteral("x"), TFindParameters{fnDirectionLeftRight}), TPoint(-1, -1));
    EXPECT_EQ(g->Find(TPoint(1, 1), QStringLiteral("x"), TFindParameters{fnBackward}), TPoint(-1, -1));
    EXPECT_EQ(g->Find(TPoint(-1, -1), QStringLiteral("x1"), TFindParameters{}), TPoint(1, 1))
        << "from (-1, -1) the first cell is tested too";
    EXPECT_EQ(g->SearchCell, TPoint(1, 1));
}

TEST(GridFind, MatchingRules)
{
    auto g = Board();
    struct TCase {
        const char* Name;
        const char* Text;
        TFindParameters Params;
        TPoint Expected;
    } cases[] = {
        {"two quotes find an empty cell", "\"\"", {}, TPoint(2, 2)},
        {"match start", "ab", {fnMatchStart, fnDirectionLeftRight}, TPoint(2, 1)},
        {"match start skips cab", "ab", {fnMatchStart}, TPoint(2, 1)},
        {"any case", "AB", {}, TPoint(1, 2)},
        {"case kept", "AB", {fnMatchCase}, TPoint(-1, -1)},
        {"full text", "ab", {fnMatchFull}, TPoint(2, 1)},
        {"full text, not a part", "ab", {fnMatchFull, fnBackward}, TPoint(2, 1)},
        {"expression", "x?", {fnMatchRegular, fnBackward}, TPoint(3, 4)},
        {"markup kept", "<B>H", {}, TPoint(2, 4)},
        {"markup ignored", "hit", {fnIgnoreHTMLTags, fnMatchFull}, TPoint(2, 4)},
        {"fixed cells", "xhead", {fnIncludeFixed}, TPoint(1, 0)},
        {"no fixed cells", "xhead", {}, TPoint(-1, -1)},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(g->FindFirst(QString::fromUtf8(c.Text), c.Params), c.Expected) << c.Name;
    EXPECT_EQ(g->SearchCache, QStringLiteral("XHEAD"));

    TKvStringGrid fixedOnly;
    fixedOnly.SetColCount(3);
    fixedOnly.SetRowCount(1);
    EXPECT_EQ(fixedOnly.FindFirst(QStringLiteral("x"), TFindParameters{}), TPoint(-1, -1));
}

TEST(GridFind, RangesNarrowTheScan)
{
    auto g = Board();
    g->SetSelection(TGridRect(2, 2, 3, 4));
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{fnSelectedCells}), Pts({{2, 3}, {3, 4}}));
    g->FocusCell(3, 1);
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{fnFindInCurrentCol}), Pts({{3, 1}, {3, 4}}));
    g->FocusCell(1, 4);
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{fnFindInCurrentRow}), Pts({{1, 4}, {3, 4}}));
    g->FFindCol = 2;
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{fnFindInPresetCol}), Pts({{2, 3}}));
    g->FFindRow = 1;
    EXPECT_EQ(AllHits(*g, "x", TFindParameters{fnFindInPresetRow, fnBackward}), Pts({{3, 1}, {1, 1}}));

    g->IgnoreColumns()->Add(1);
    for (TFindParameters p : {TFindParameters{}, TFindParameters{fnBackward, fnDirectionLeftRight}})
        for (const TPoint& hit : AllHits(*g, "x", p)) EXPECT_NE(hit.X, 1) << "an ignored column is never reported";
    g->IgnoreColumns()->Clear();

    g->HideColumn(2);
    EXPECT_EQ(AllHits(*g, "xaby", TFindParameters{}).size(), 0u);
    EXPECT_EQ(AllHits(*g, "xaby", TFindParameters{fnIncludeHiddenColumns}), Pts({{2, 3}}));
    EXPECT_EQ(AllHits(*g, "x5", TFindParameters{}), Pts({{2, 4}})) << "display column 2 is real column 3";
}

TEST(GridFind, AutoGotoMovesTheCurrentCellAndExpandsAContractedNode)
{
    auto g = Board();
    g->FindFirst(QStringLiteral("xaby"), TFindParameters{fnAutoGoto});
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 3);

    g->AddNode(1, 3);
    g->ContractNode(1);
    ASSERT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->FindFirst(QStringLiteral("xaby"), TFindParameters{fnAutoGoto}), TPoint(-1, -1));
    EXPECT_EQ(g->FindNodeRowOfHidden(3), 1);
    const TPoint hit = g->FindFirst(QStringLiteral("xaby"), TFindParameters{fnAutoGoto, fnIncludeHiddenRows});
    EXPECT_EQ(hit, TPoint(2, 3)) << "the real row of the hit";
    EXPECT_EQ(g->RowCount(), 5) << "the node was expanded";
    EXPECT_FALSE(g->GetNodeState(1));
    EXPECT_EQ(g->Row(), 3);
    EXPECT_TRUE(g->CheckHiddenConsistency());
}

TEST(GridFind, NodeOfAHiddenRowWithASpanOfZero)
{
    auto g = Board();
    g->AddNode(1, 0);   // up to the next node row
    g->AddNode(3, 2);
    g->ContractNode(1);
    EXPECT_EQ(g->FindNodeRowOfHidden(2), 1);
    EXPECT_EQ(g->FindNodeRowOfHidden(4), -1) << "row 4 is shown";
}

TEST(GridFind, ReplaceEndsAndChangesEveryCellOnce)
{
    auto g = Board();
    g->ShowModified()->SetEnabled(true);
    EXPECT_EQ(g->Replace(QStringLiteral("AB"), QStringLiteral("Q"), TFindParameters{fnMatchCase}), 0);
    EXPECT_EQ(g->Replace(QStringLiteral("ab"), QStringLiteral("Q"), TFindParameters{fnMatchCase}), 4);
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("Q"));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("cQ"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("xQy"));
    EXPECT_TRUE(g->RowModified(2));

    auto h = Board();
    EXPECT_EQ(h->Replace(QStringLiteral("x"), QStringLiteral("xx"), TFindParameters{}), 6)
        << "the new text holds the old one: each cell once, and the scan ends";
    EXPECT_EQ(h->Cells(2, 3), QStringLiteral("xxaby"));
    EXPECT_EQ(h->Cells(1, 1), QStringLiteral("xx1"));

    auto c = Board();
    EXPECT_EQ(c->Replace(QStringLiteral("AB"), QStringLiteral("-"), TFindParameters{}), 4)
        << "replaced whatever the case";
    EXPECT_EQ(c->Cells(3, 2), QStringLiteral("-c"));
}

TEST(GridFind, TypeAheadSearchInTheSortColumn)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    const char* rows[4][2] = {{"alpha", "1x"}, {"Beta", "<i>2y</i>"}, {"gamma", "3z"}, {"delta", "2a"}};
    for (int r = 0; r < 4; ++r) {
        g.SetCells(1, r + 1, QString::fromUtf8(rows[r][0]));
        g.SetCells(2, r + 1, QString::fromUtf8(rows[r][1]));
    }
    EXPECT_EQ(g.Search(QStringLiteral("BE")), 2) << "the first column without sorting";
    EXPECT_EQ(g.Search(QStringLiteral("be")), -1) << "the text is expected in upper case";
    EXPECT_EQ(g.SearchRow(QStringLiteral("GAM")), 3);
    g.SortSettings()->Show = true;
    g.SortSettings()->Column = 2;
    EXPECT_EQ(g.Search(QStringLiteral("2")), 2) << "the sort column, markup stripped";
    EXPECT_EQ(g.Search(QStringLiteral("2a")), -1);
    g.SortSettings()->IndexShow = true;
    EXPECT_EQ(g.Search(QStringLiteral("AL")), 1) << "an empty index list: the first column";
    g.SortIndexes()->AddIndex(2, true);
    EXPECT_EQ(g.Search(QStringLiteral("3")), 3);
    g.SortSettings()->IndexShow = false;
    g.SortSettings()->Column = -1;
    EXPECT_EQ(g.Search(QStringLiteral("A")), -1);
    TKvStringGrid one;
    one.SetRowCount(1);
    EXPECT_EQ(one.Search(QString()), -1);
}

TEST(GridFind, HeaderEditorsReportTheirText)
{
    TKvStringGrid g;
    std::vector<std::tuple<int, int, QString>> seen;
    g.OnEditChange = [&](TObject*, int ACol, int ARow, const QString& Value) { seen.emplace_back(ACol, ARow, Value); };
    g.StartFixedCellEdit(2, 0);
    ASSERT_NE(g.EditTrans(), nullptr);
    g.EditTrans()->SetText(QStringLiteral("Head"));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), std::make_tuple(2, 0, QStringLiteral("Head")));
    g.FixedCellEditChange(g.ComboTrans());
    EXPECT_EQ(std::get<2>(seen.back()), g.ComboTrans()->Text());
    const size_t n = seen.size();
    g.FixedCellEditChange(&g);
    EXPECT_EQ(seen.size(), n) << "another sender reports nothing";
}

TEST(GridFind, CaseOutsideASCIIFollowsTheUpperCasedTexts)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCells(1, 1, QStringLiteral("Straße"));
    g.SetCells(2, 2, QStringLiteral("ärger"));
    EXPECT_EQ(g.FindFirst(QStringLiteral("STRASSE"), TFindParameters{}), TPoint(1, 1));
    EXPECT_EQ(g.FindFirst(QStringLiteral("Ä"), TFindParameters{}), TPoint(2, 2));
    EXPECT_EQ(g.FindFirst(QStringLiteral("Ä"), TFindParameters{fnMatchCase}), TPoint(-1, -1));
    EXPECT_EQ(g.FindFirst(QStringLiteral("STR"), TFindParameters{fnMatchStart}), TPoint(1, 1));
}

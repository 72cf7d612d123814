// Sorting: the cell comparison under every format, the row comparisons, the
// four sorts with their framing, the undo of sorts and the sort settings'
// text form.
#include <gtest/gtest.h>

#include "grid/cell_properties.h"
#include "grid/kv_string_grid.h"
#include "grid_data/grid_text_lists.h"
#include "shell/qt_print.h"
#include "platform/core/format_settings.h"

namespace {

// "/" dates day first, ":" times, "," decimals and "." thousands.
TFormatSettings PinnedLocale()
{
    TFormatSettings fs;
    fs.DateSeparator = QLatin1Char('/');
    fs.TimeSeparator = QLatin1Char(':');
    fs.DecimalSeparator = QLatin1Char(',');
    fs.ThousandSeparator = QLatin1Char('.');
    fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    fs.ShortTimeFormat = QStringLiteral("hh:nn");
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    return fs;
}

// One fixed row, one fixed column; row r holds Rows[r - 1] from column 1 on.
std::unique_ptr<TKvStringGrid> Table(const std::vector<QStringList>& Rows, int Cols = 4)
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(Cols);
    g->SetRowCount(int(Rows.size()) + 1);
    for (int c = 1; c < Cols; ++c) g->SetCells(c, 0, QStringLiteral("H%1").arg(c));
    for (int r = 0; r < int(Rows.size()); ++r) {
        g->SetCells(0, r + 1, QString::number(r + 1));
        for (int c = 0; c < Rows[size_t(r)].size(); ++c) g->SetCells(c + 1, r + 1, Rows[size_t(r)][c]);
    }
    return g;
}



} // namespace

TEST(GridSortCompare, TableOfFormats)
{
    TFormatSettingsScope locale(PinnedLocale());
    struct TCase {
        const char* Name;
        const char* A;
        const char* B;
        TSortStyle Style;
        bool IgnoreCase;
        const char* Prefix;
        const char* Suffix;
        int Expected;
    } cases[] = {
        {"numbers by value", "12", "9", ssAutomatic, false, "", "", 1},
        {"dates", "1/2/2020", "3/4/2021", ssAutomatic, false, "", "", -1},
        {"dates, not text", "1/2/2021", "3/4/2020", ssAutomatic, false, "", "", 1},
        {"times, not text", "12:30", "9:15", ssAutomatic, false, "", "", 1},
        {"code units", "abc", "ABD", ssAutomatic, false, "", "", 1},
        {"code units without case", "abc", "ABD", ssAutomatic, true, "", "", -1},
        {"empty counts 0", "", "-3", ssNumeric, false, "", "", 1},
        {"empty counts 0 too", "", "5", ssNumeric, false, "", "", -1},
        {"text counts 0", "abc", "5", ssNumeric, false, "", "", -1},
        {"locale decimals", "2,5", "10", ssNumeric, false, "", "", -1},
        {"financial", "$1.234,50 USD", "$999,99 USD", ssFinancial, false, "$", " USD", 1},
        {"thousands only when financial", "1.234,5", "2", ssNumeric, false, "", "", -1},
        {"custom without handler", "b", "a", ssCustom, false, "", "", 0},
        {"raw without handler", "b", "a", ssRaw, false, "", "", 0},
        {"markup stripped", "<b>b</b>", "a", ssHTML, false, "", "", 1},
        {"markup kept", "<b>b</b>", "a", ssAlphabetic, false, "", "", -1},
        {"ASCII no case", "abc", "ABD", ssAlphaNoCase, false, "", "", -1},
        {"numbers or text", "10", "9", ssAlphaNumeric, false, "", "", 1},
        {"text when one is no number", "10", "9a", ssAlphaNumeric, false, "", "", -1},
        {"short date day first", "02/01/2020", "01/02/2020", ssShortDateEU, false, "", "", -1},
        {"short date month first", "02/01/2020", "01/02/2020", ssShortDateUS, false, "", "", 1},
        {"date that does not exist counts 0", "31/02/2020", "01/01/2020", ssShortDateEU, false, "", "", -1},
    };
    for (const TCase& c : cases) {
        auto g = Table({{QString::fromUtf8(c.A)}, {QString::fromUtf8(c.B)}});
        g->SortSettings()->IgnoreCase = c.IgnoreCase;
        g->OnGetFormat = [&](TObject*, int, TSortStyle& S, QString& P, QString& X) {
            if (c.Style != ssAutomatic) S = c.Style;
            P = QString::fromUtf8(c.Prefix);
            X = QString::fromUtf8(c.Suffix);
        };
        EXPECT_EQ(g->SortCompareCells(1, 1, 2, 0), c.Expected) << c.Name;
        EXPECT_EQ(g->SortCompareCells(1, 2, 1, 0), -c.Expected) << c.Name;
    }
}

TEST(GridSortCompare, CheckBoxesImagesAndHandlers)
{
    auto g = Table({{"x", "b"}, {"y", "a"}});
    g->AddCheckBox(1, 1, true, false);
    g->AddCheckBox(1, 2, false, false);
    EXPECT_EQ(g->SortCompareCells(1, 1, 2, 0), 1) << "checked sorts after unchecked";

    TCellGraphic* i1 = g->CreateCellGraphic(2, 1);
    i1->SetCellType(ctImageList);
    i1->SetCellIndex(3);
    TCellGraphic* i2 = g->CreateCellGraphic(2, 2);
    i2->SetCellType(ctImageList);
    i2->SetCellIndex(7);
    g->OnGetFormat = [](TObject*, int ACol, TSortStyle& S, QString&, QString&) {
        if (ACol == 2) S = ssImages;
    };
    EXPECT_EQ(g->SortCompareCells(2, 1, 2, 0), -1);
    EXPECT_EQ(g->SortCompareCells(2, 2, 1, 0), 1);

    g->OnGetFormat = [](TObject*, int, TSortStyle& S, QString&, QString&) { S = ssCustom; };
    g->OnCustomCompare = [](TObject*, const QString& A, const QString& B, int& Res) { Res = A.size() - B.size(); };
    g->SetCells(2, 1, QStringLiteral("zz"));
    EXPECT_EQ(g->SortCompareCells(2, 1, 2, 0), 1);
    g->OnGetFormat = [](TObject*, int, TSortStyle& S, QString&, QString&) { S = ssRaw; };
    g->OnRawCompare = [](TObject*, int ACol, int Row1, int Row2, int& Res) { Res = (ACol == 2) ? Row2 - Row1 : 0; };
    EXPECT_EQ(g->SortCompareCells(2, 1, 2, 0), 1);
    const int before = g->Compares;
    g->SortCompareCells(2, 1, 2, 0);
    EXPECT_EQ(g->Compares, before + 1);
}

TEST(GridSortCompare, BlanksGoFirstOrLastInBothDirections)
{
    for (TSortBlankPosition pos : {blFirst, blLast})
        for (TSortDirection dir : {sdAscending, sdDescending}) {
            auto g = Table({{"b"}, {""}, {"c"}, {""}, {"a"}});
            g->SortSettings()->IgnoreBlanks = true;
            g->SortSettings()->BlankPos = pos;
            g->Sort(1, dir);
            const QStringList got = ColumnTexts(*g, 1);
            const QStringList words = dir == sdAscending ? L({"a", "b", "c"}) : L({"c", "b", "a"});
            const QStringList expected = pos == blFirst ? QStringList{"", ""} + words : words + QStringList{"", ""};
            EXPECT_EQ(got, expected) << int(pos) << int(dir);
        }
}

TEST(GridSort, NothingToSortChangesNothing)
{
    auto g = Table({{"b"}, {"a"}});
    g->SortSettings()->Column = -1;
    g->QSort();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"b", "a"}));
    TKvStringGrid one;
    one.SetColCount(2);
    one.SetRowCount(1);
    one.SetCells(1, 0, QStringLiteral("x"));
    one.SortByColumn(1);
    EXPECT_EQ(one.RowCount(), 1);
    EXPECT_EQ(one.Cells(1, 0), QStringLiteral("x"));
    EXPECT_EQ(one.SortSettings()->Column, -1);
}

TEST(GridSort, FullDecidesTiesByTheNextColumnsAndIgnoredColumnsCompareEqual)
{
    const std::vector<QStringList> rows = {{"x", "3"}, {"x", "1"}, {"x", "2"}};
    auto off = Table(rows);
    off->SortSettings()->Full = false;
    off->Sort(1, sdAscending);
    EXPECT_EQ(ColumnTexts(*off, 2), L({"3", "1", "2"})) << "ties are never exchanged";
    EXPECT_EQ(off->Swaps, 0);

    auto on = Table(rows);
    on->Sort(1, sdAscending);
    EXPECT_EQ(ColumnTexts(*on, 2), L({"1", "2", "3"}));

    auto ignored = Table({{"c", "3"}, {"a", "1"}, {"b", "2"}});
    ignored->IgnoreColumns()->Add(1);
    EXPECT_EQ(ignored->SortCompareRows(1, 1, 2), 1) << "column 1 ignored, column 2 decides";
    ignored->Sort(1, sdDescending);
    EXPECT_EQ(ColumnTexts(*ignored, 2), L({"3", "2", "1"}));
    EXPECT_EQ(ColumnTexts(*ignored, 1), L({"c", "b", "a"}));
}

TEST(GridSort, SettingsTextSavesAndLoadsTheSortState)
{
    auto g = Table({{"a", "x", "2"}, {"b", "z", "1"}, {"c", "y", "3"}});
    g->Sort(3, sdDescending);
    EXPECT_EQ(g->SortSettings()->SaveToString(), QStringLiteral("d3"));
    EXPECT_EQ(ColumnTexts(*g, 3), L({"3", "2", "1"}));

    auto h = Table({{"a", "x", "2"}, {"b", "z", "1"}, {"c", "y", "3"}});
    h->SortSettings()->LoadFromString(QStringLiteral("u2"));
    EXPECT_TRUE(h->SortSettings()->Show);
    EXPECT_EQ(h->SortSettings()->Column, 2);
    EXPECT_EQ(h->SortSettings()->Direction, sdAscending);
    EXPECT_EQ(ColumnTexts(*h, 2), L({"x", "y", "z"}));

    auto i = Table({{"b", "1"}, {"a", "1"}, {"a", "2"}, {"b", "2"}});
    i->SortSettings()->LoadFromString(QStringLiteral("i;u1;d2"));
    EXPECT_TRUE(i->SortSettings()->IndexShow);
    EXPECT_EQ(i->SortIndexes()->SaveToString(), QStringLiteral("u1;d2"));
    EXPECT_EQ(ColumnTexts(*i, 1), L({"a", "a", "b", "b"}));
    EXPECT_EQ(ColumnTexts(*i, 2), L({"2", "1", "2", "1"}));
    EXPECT_EQ(i->SortSettings()->SaveToString(), QStringLiteral("i;u1;d2"));

    auto j = Table({{"b"}, {"a"}});
    j->SortSettings()->LoadFromString(QString());
    EXPECT_FALSE(j->SortSettings()->Show);
    try {
        j->SortSettings()->LoadFromString(QStringLiteral("u"));
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid sort settings specifier"));
    }
    EXPECT_TRUE(j->SortSettings()->Show);
    j->SortSettings()->LoadFromString(QStringLiteral("ux"));
    EXPECT_EQ(ColumnTexts(*j, 1), L({"b", "a"})) << "a column that is no number sorts nothing";
}

TEST(GridSort, SettingsSettersAssignAndRemove)
{
    auto g = Table({{"b"}, {"a"}});
    TSortSettings* s = g->SortSettings();
    try {
        s->SetRow(1);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Sort row should be smaller than number of fixed rows"));
    }
    EXPECT_EQ(s->Row, 0);
    s->SetRow(0);

    TBitmap glyph;
    glyph.SetSize(5, 4);
    s->SetUpGlyph(glyph);
    glyph.SetSize(9, 9);
    EXPECT_EQ(s->GetUpGlyph()->Width(), 5) << "the setter copies";

    TSortSettings other(nullptr);
    other.Column = 3;
    other.Direction = sdDescending;
    other.IgnoreBlanks = true;
    other.BlankPos = blLast;
    other.NormalCellsOnly = true;
    other.IgnoreCase = true;
    other.SortOnVirtualCells = false;
    other.Show = true;
    s->Assign(&other);
    EXPECT_EQ(s->Column, 3);
    EXPECT_EQ(s->Direction, sdDescending);
    EXPECT_TRUE(s->IgnoreBlanks);
    EXPECT_EQ(s->BlankPos, blLast);
    EXPECT_TRUE(s->NormalCellsOnly);
    EXPECT_TRUE(s->Show);
    EXPECT_FALSE(s->IgnoreCase);
    EXPECT_TRUE(s->SortOnVirtualCells);
    s->ToggleDirection();
    EXPECT_EQ(s->Direction, sdAscending);

    g->SortIndexes()->AddIndex(1, true);
    s->Remove();
    EXPECT_EQ(s->Column, -1);
    EXPECT_EQ(g->SortIndexes()->Count(), 0);
}

TEST(GridSort, IndexedSortWithoutIndexesRaisesBeforeAnyChange)
{
    auto g = Table({{"b"}, {"a"}});
    const int rows = g->RowCount();
    try {
        g->QSortIndexed();
        ADD_FAILURE() << "no error";
    } catch (const EKvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("No indexes specified for indexed sort"));
    }
    EXPECT_EQ(g->RowCount(), rows);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"b", "a"}));
    EXPECT_EQ(g->UpdateCount(), 0);
}

TEST(GridSort, UnSortRestoresTheOrderOfTheLastReset)
{
    auto g = Table({{"c", "2"}, {"a", "3"}, {"d", "1"}, {"b", "4"}});
    g->InitSortXRef();
    g->Sort(1, sdAscending);
    g->Sort(2, sdDescending);
    g->Sort(1, sdDescending);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"d", "c", "b", "a"}));
    g->QUnSort();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"c", "a", "d", "b"}));
    EXPECT_EQ(ColumnTexts(*g, 2), L({"2", "3", "1", "4"}));
}

TEST(GridSort, NormalCellsOnlyKeepsTheFixedColumn)
{
    auto g = Table({{"c"}, {"a"}, {"b"}});
    g->SortSettings()->NormalCellsOnly = true;
    g->Sort(1, sdAscending);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"a", "b", "c"}));
    EXPECT_EQ(ColumnTexts(*g, 0), L({"1", "2", "3"}));
    g->SortSettings()->NormalCellsOnly = false;
    g->Sort(1, sdDescending);
    EXPECT_EQ(ColumnTexts(*g, 0), L({"3", "2", "1"})) << "without it the numbers move with their rows";
}

TEST(GridSort, HiddenColumnsTravelWithTheirRows)
{
    auto g = Table({{"c", "hc", "3"}, {"a", "ha", "1"}, {"b", "hb", "2"}});
    g->HideColumn(2);
    ASSERT_EQ(g->ColCount(), 3);
    g->Sort(3, sdAscending);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"a", "b", "c"}));
    EXPECT_EQ(ColumnTexts(*g, 2), L({"ha", "hb", "hc"}));
    EXPECT_TRUE(g->CheckHiddenConsistency());
    g->Sort(2, sdDescending);
    EXPECT_EQ(ColumnTexts(*g, 2), L({"hc", "hb", "ha"})) << "a hidden column sorts too";
}

TEST(GridSort, FramingIsRestoredAfterEverySortAlsoOnAnException)
{
    auto g = Table({{"c"}, {"a"}, {"b"}});
    g->FloatingFooter()->SetVisible(true);
    g->SetCells(1, g->RowCount() - 1, QStringLiteral("footer"));
    g->SetRow(2);
    const int rows = g->RowCount(), maxRows = g->MaxRowCount();
    std::vector<std::pair<int, int>> changed;
    g->OnRowChanged = [&](TObject*, int OldRow, int NewRow) { changed.push_back({OldRow, NewRow}); };
    g->Sort(1, sdAscending);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"a", "c"})) << "the footer row does not take part";
    EXPECT_EQ(g->Cells(1, g->RowCount() - 1), QStringLiteral("footer"));
    EXPECT_EQ(g->RowCount(), rows);
    EXPECT_EQ(g->MaxRowCount(), maxRows);
    EXPECT_EQ(g->FixedFooters(), 1);
    EXPECT_TRUE(g->FloatingFooter()->Visible());
    EXPECT_EQ(g->UpdateCount(), 0);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.back(), std::make_pair(2, 2));

    g->OnGetFormat = [](TObject*, int, TSortStyle& S, QString&, QString&) { S = ssCustom; };
    g->OnCustomCompare = [](TObject*, const QString&, const QString&, int&) { throw Exception(QStringLiteral("boom")); };
    EXPECT_THROW(g->Sort(1, sdDescending), Exception);
    EXPECT_EQ(g->RowCount(), rows);
    EXPECT_EQ(g->FixedFooters(), 1);
    EXPECT_TRUE(g->FloatingFooter()->Visible());
    EXPECT_EQ(g->UpdateCount(), 0);
    EXPECT_EQ(g->Cells(1, g->RowCount() - 1), QStringLiteral("footer"));
    EXPECT_TRUE(g->CheckConsistency());
}

TEST(GridSort, MoveRowOnSortKeepsTheCurrentRowOnItsData)
{
    auto g = Table({{"c"}, {"a"}, {"b"}});
    g->Navigation()->SetMoveRowOnSort(true);
    g->SetRow(1); // "c"
    g->Sort(1, sdAscending);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Cells(1, g->Row()), QStringLiteral("c"));
}

TEST(GridSort, GroupSortOrdersOnlyTheChildrenOfTheDeepestExpandedNodes)
{
    auto g = Table({{"top", ""}, {"c", ""}, {"inner", ""}, {"z", ""}, {"x", ""}, {"y", ""},
                    {"b", ""}, {"a", ""}, {"closed", ""}, {"r", ""}, {"q", ""}, {"p", ""}});
    g->AddNode(1, 8);  // rows 1..8
    g->AddNode(3, 4);  // rows 3..6, a level deeper
    g->AddNode(9, 4);  // rows 9..12, contracted below
    g->ContractNode(9);
    g->SortSettings()->Column = 1;
    g->QSortGroup();
    EXPECT_EQ(ColumnTexts(*g, 1), L({"top", "c", "inner", "x", "y", "z", "b", "a", "closed"}))
        << "the inner node's children are sorted; the outer level and the contracted node are not";
    g->ExpandNode(9);
    EXPECT_EQ(ColumnTexts(*g, 1).mid(8), L({"closed", "r", "q", "p"}));
    EXPECT_TRUE(g->CheckHiddenConsistency());
}

TEST(GridSort, QuickSortOfARangeAndSortLine)
{
    auto g = Table({{"d"}, {"c"}, {"b"}, {"a"}});
    g->SortSettings()->Direction = sdAscending;
    g->QuickSort(1, 2, 4);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"d", "a", "b", "c"}));
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->SortDir, 1);

    EXPECT_TRUE(g->SortLine(1, 1, 2)) << "d after a swaps";
    EXPECT_EQ(ColumnTexts(*g, 1), L({"a", "d", "b", "c"}));
    EXPECT_FALSE(g->SortLine(1, 1, 2));
    auto t = Table({{"x", "2"}, {"x", "1"}});
    t->SortDir = 1;
    EXPECT_TRUE(t->SortLine(1, 1, 2)) << "a tie goes on to the next column";
    EXPECT_EQ(ColumnTexts(*t, 2), L({"1", "2"}));
    EXPECT_FALSE(t->SortLine(1, 1, 1));

    auto i = Table({{"b", "1"}, {"a", "2"}, {"a", "1"}});
    i->SortIndexes()->AddIndex(1, true);
    i->SortIndexes()->AddIndex(2, true);
    i->QuickSortIndexed(1, 3);
    EXPECT_EQ(ColumnTexts(*i, 2), L({"1", "2", "1"}));
    EXPECT_EQ(ColumnTexts(*i, 1), L({"a", "a", "b"}));
}

TEST(GridSort, DisplayTextHooksAreSortedOnAndStoredTextsOnRequest)
{
    auto g = Table({{"1"}, {"2"}, {"3"}});
    // The display text turns the order round.
    g->OnGetDisplText = [](TObject*, int ACol, int, QString& Value) {
        if (ACol == 1) Value = QString::number(10 - Value.toInt());
    };
    g->Sort(1, sdAscending);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"7", "8", "9"}));
    g->SortSettings()->SortOnVirtualCells = false;
    g->Sort(1, sdAscending);
    EXPECT_EQ(ColumnTexts(*g, 1), L({"9", "8", "7"}));
}

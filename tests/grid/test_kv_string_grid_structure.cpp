// Hidden rows and columns, the index conversions, opening and closing rows
// and columns and the update bracket. Every mutation is followed by the
// structure check, so a broken operation fails where it happens.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

namespace {

class GridStructure : public ::testing::Test {
protected:
    void SetUp() override
    {
        g = new TKvStringGrid(&form);
        Fill();
    }
    void Fill()
    {
        for (int c = 0; c < g->AllColCount(); ++c)
            for (int r = 0; r < g->RowCount(); ++r) g->SetCells(c, r, Tag(c, r));
    }
    static QString Tag(int c, int r) { return QStringLiteral("%1,%2").arg(c).arg(r); }
    // The texts of column 1 over the displayed rows, one tag row per entry.
    std::vector<int> RowTags() const
    {
        std::vector<int> v;
        for (int r = 0; r < g->RowCount(); ++r) v.push_back(g->Cells(1, r).section(QLatin1Char(','), 1).toInt());
        return v;
    }
    void Check() const { ASSERT_TRUE(g->CheckHiddenConsistency()); }

    TForm form;
    TKvStringGrid* g = nullptr;
};

} // namespace

// ---------------------------------------------------------------- columns

TEST_F(GridStructure, HiddenColumnMapsAroundIt)
{
    g->SetColWidths(2, 33);
    g->HideColumn(2);
    Check();
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->AllColCount(), 5);
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_EQ(g->RealColIndex(2), 3);
    EXPECT_EQ(g->DisplColIndex(3), 2);
    EXPECT_EQ(g->DisplColIndex(2), 2);
    EXPECT_EQ(g->RealColIndex(3), 4);
    EXPECT_TRUE(g->IsHiddenColumn(2));
    EXPECT_EQ(g->Cells(2, 4), QStringLiteral("2,4"));
    EXPECT_EQ(g->AllColWidths(2), 33);
    EXPECT_EQ(g->RealColIndex(-1), 0);
    g->UnHideColumn(2);
    Check();
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->ColWidths(2), 33);
    EXPECT_FALSE(g->IsHiddenColumn(2));
}

TEST_F(GridStructure, ColumnsFrom512OnAreNeverHidden)
{
    g->HideColumn(1);
    g->HideColumns(600, 600);
    g->HideColumn(512);
    g->SetColumnVisible(700, false);
    Check();
    EXPECT_FALSE(g->IsHiddenColumn(600));
    EXPECT_FALSE(g->IsHiddenColumn(512));
    EXPECT_FALSE(g->IsHiddenColumn(-3));
    EXPECT_TRUE(g->IsColumnVisible(700));
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_EQ(g->RealColIndex(600), 600);
    EXPECT_EQ(g->DisplColIndex(600), 600);
}

TEST_F(GridStructure, TheLastDisplayedColumnStays)
{
    g->HideColumns(0, 4);
    Check();
    EXPECT_EQ(g->ColCount(), 1);
    EXPECT_EQ(g->NumHiddenColumns(), 4);
    EXPECT_EQ(g->RealColIndex(0), 4);
    g->UnHideColumnsAll();
    Check();
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
}

// ---------------------------------------------------------------- rows

TEST_F(GridStructure, HideRowsAndBackWithTextsPropertiesAndHeights)
{
    g->SetRowHeights(3, 30);
    g->SetRowHeights(4, 40);
    g->CellProperties(2, 4)->SetReadOnly(true);
    TCellProperties* p = g->GridObjects(2, 4);
    g->HideRows(3, 4);
    Check();
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_EQ(g->AllRowCount(), 10);
    EXPECT_EQ(g->RealRowIndex(3), 5);
    EXPECT_EQ(g->DisplRowIndex(5), 3);
    EXPECT_EQ(g->DisplRowIndex(4), 3);
    EXPECT_TRUE(g->IsHiddenRow(4));
    EXPECT_FALSE(g->IsHiddenRow(5));
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("1,5"));
    ASSERT_NE(g->GetHiddenRowCells(4), nullptr);
    EXPECT_EQ(g->GetHiddenRowCells(4)->Strings(2), QStringLiteral("2,4"));
    TIntList* cache = nullptr;
    EXPECT_TRUE(g->IsHiddenRow(3, cache));
    EXPECT_FALSE(g->IsHiddenRow(2, cache));
    delete cache;

    g->HideRows(3, 4); // all hidden already: nothing changes
    Check();
    EXPECT_EQ(g->RowCount(), 8);

    g->UnHideRows(3, 4);
    Check();
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(g->RowHeights(3), 30);
    EXPECT_EQ(g->RowHeights(4), 40);
    EXPECT_EQ(g->GridObjects(2, 4), p);
    EXPECT_TRUE(p->ReadOnly());
}

TEST_F(GridStructure, HiddenColumnCellsTravelWithAHiddenRow)
{
    g->HideColumn(2);
    g->CellProperties(2, 5)->SetReadOnly(true);
    g->HideRow(5);
    Check();
    g->UnHideRow(5);
    Check();
    EXPECT_EQ(g->GridCells(2, 5), QStringLiteral("2,5"));
    ASSERT_TRUE(g->HasCellProperties(2, 5));
    EXPECT_TRUE(g->GridObjects(2, 5)->ReadOnly());
}

TEST_F(GridStructure, UnHideRowsAllShowsRunsOfConsecutiveRows)
{
    g->HideRows(7, 7);
    g->HideRows(2, 3);
    Check();
    EXPECT_EQ(g->RealRowIndex(2), 4);
    EXPECT_EQ(g->RealRowIndex(4), 6);
    EXPECT_EQ(g->RealRowIndex(5), 8);
    EXPECT_EQ(g->RealRowIndex(-1), -1);
    g->UnHideRowsAll();
    Check();
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(GridStructure, RowListRoundTrip)
{
    for (bool footer : {false, true}) {
        SCOPED_TRACE(footer);
        g->FloatingFooter()->SetVisible(footer);
        Fill();
        TIntList list(0, 0);
        list.Add(2);
        list.Add(5);
        list.Add(6);
        g->HideRowList(&list);
        Check();
        EXPECT_EQ(g->RowCount(), 7);
        EXPECT_EQ(g->FilterLevel(), 1);
        EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 3, 4, 7, 8, 9}));
        g->UnHideRowList();
        g->SetFilterLevel(0);
        Check();
        EXPECT_EQ(g->RowCount(), 10);
        EXPECT_EQ(g->NumHiddenRows(), 0);
        EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }
}

TEST_F(GridStructure, TwoFilterLevelsComeBackInTurn)
{
    TIntList a(0, 0), b(0, 0);
    a.Add(1);
    a.Add(8);
    g->HideRowList(&a); // 0 2 3 4 5 6 7 9
    b.Add(3);
    g->HideRowList(&b); // 0 2 3 5 6 7 9
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 2, 3, 5, 6, 7, 9}));
    g->UnHideRowList();
    g->SetFilterLevel(1);
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 2, 3, 4, 5, 6, 7, 9}));
    g->UnHideRowList();
    g->SetFilterLevel(0);
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(GridStructure, TopRowOutsideTheRowsIsIgnored)
{
    g->SetRowCount(40);
    g->SetTopRow(5);
    EXPECT_EQ(g->TopRow(), 5);
    g->SetTopRow(0);
    EXPECT_EQ(g->TopRow(), 5);
    g->SetTopRow(40);
    EXPECT_EQ(g->TopRow(), 5);
}

TEST_F(GridStructure, RowSetterReportsTheChange)
{
    std::vector<std::pair<int, int>> seen;
    g->OnRowChanged = [&](TObject*, int o, int n) { seen.emplace_back(o, n); };
    g->SetRow(3);
    g->SetRow(3);
    g->SetRow(5);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], std::make_pair(3, 5));
}

// ---------------------------------------------------------------- removal and insertion

TEST_F(GridStructure, RemoveRowsMovesTextsAndHeightsAndFreesProperties)
{
    g->SetRowCount(5);
    for (int r = 0; r < 5; ++r) g->SetRowHeights(r, 20 + r);
    g->CellProperties(1, 2)->SetReadOnly(true);
    const int owned = g->OwnedCellPropertiesCount();
    g->RemoveRows(2, 1);
    Check();
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->RowHeights(2), 23);
    EXPECT_EQ(g->RowHeights(3), 24);
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 3, 4}));
    EXPECT_EQ(g->OwnedCellPropertiesCount(), owned - 1);
}

TEST_F(GridStructure, RemoveRowsAtOrPastTheEndOnlyTakesRowsThatExist)
{
    g->CellProperties(1, 9)->SetReadOnly(true);
    const int owned = g->OwnedCellPropertiesCount();
    g->RemoveRows(g->RowCount(), 1);
    Check();
    EXPECT_EQ(g->RowCount(), 10);
    g->RemoveRows(8, 5);
    Check();
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->OwnedCellPropertiesCount(), owned - 1);
    g->SetRowCount(10); // the removed rows do not come back
    EXPECT_EQ(g->GridCells(1, 9), QString());
    EXPECT_FALSE(g->HasCellProperties(1, 9));
}

TEST_F(GridStructure, InsertRowsOpensEmptyRows)
{
    g->SetRowCount(3);
    g->SetRowHeights(1, 31);
    g->SetRowHeights(2, 32);
    g->CellProperties(1, 2)->SetReadOnly(true);
    g->InsertRows(1, 2);
    Check();
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(1, 1), QString());
    EXPECT_EQ(g->Cells(1, 2), QString());
    EXPECT_EQ(g->RowHeights(1), g->DefaultRowHeight());
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("1,1"));
    EXPECT_EQ(g->RowHeights(3), 31);
    EXPECT_EQ(g->RowHeights(4), 32);
    ASSERT_TRUE(g->HasCellProperties(1, 4));
    EXPECT_TRUE(g->GridObjects(1, 4)->ReadOnly());
}

TEST_F(GridStructure, RemovingARowAboveAHiddenRowLowersItsIndex)
{
    g->HideRow(6);
    g->RemoveRows(2, 1);
    Check();
    EXPECT_TRUE(g->IsHiddenRow(5));
    g->UnHideRows(5, 5);
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(GridStructure, InsertingAndSimpleHidingLeaveOtherHiddenIndexes)
{
    g->HideRow(6);
    g->InsertRows(2, 1);
    Check();
    EXPECT_TRUE(g->IsHiddenRow(6));
    g->HideRowsEx(1, 1);
    Check();
    EXPECT_TRUE(g->IsHiddenRow(6));
    EXPECT_TRUE(g->IsHiddenRow(1));
    EXPECT_EQ(g->NumHiddenRows(), 2);
}

TEST_F(GridStructure, RemoveSelectedRowsKeepsTheUpdateCount)
{
    g->SetSelection(TGridRect(1, 3, 1, 5));
    g->BeginUpdate();
    g->RemoveSelectedRows();
    Check();
    EXPECT_EQ(g->UpdateCount(), 1);
    g->EndUpdate();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 2, 6, 7, 8, 9}));
}

TEST_F(GridStructure, RemoveDuplicatesWithAndWithoutCase)
{
    struct Case {
        bool DoCase;
        std::vector<QString> Left;
    };
    for (const Case& k : {Case{false, {QStringLiteral("a"), QStringLiteral("b")}},
                          Case{true, {QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("b")}}}) {
        SCOPED_TRACE(k.DoCase);
        g->SetRowCount(5);
        const char* texts[] = {"a", "A", "b", "a"};
        for (int r = 1; r < 5; ++r) g->SetCells(1, r, QString::fromLatin1(texts[r - 1]));
        g->RemoveDuplicates(1, k.DoCase);
        Check();
        std::vector<QString> left;
        for (int r = 1; r < g->RowCount(); ++r) left.push_back(g->Cells(1, r));
        EXPECT_EQ(left, k.Left);
    }
}

TEST_F(GridStructure, NestedUpdateBrackets)
{
    g->BeginUpdate();
    g->BeginUpdate();
    g->EndUpdate();
    EXPECT_TRUE(g->LockUpdate());
    EXPECT_TRUE(g->RedrawLocked());
    g->EndUpdate();
    EXPECT_FALSE(g->LockUpdate());
    EXPECT_FALSE(g->RedrawLocked());
    g->EndUpdate();
    EXPECT_EQ(g->UpdateCount(), 0);
}

TEST_F(GridStructure, ColumnsOpenAndCloseAroundAHiddenColumn)
{
    g->AddColumn();
    Check();
    EXPECT_EQ(g->ColCount(), 6);
    EXPECT_EQ(g->ColWidths(5), g->DefaultColWidth());
    EXPECT_EQ(g->Cells(5, 1), QString());
    g->HideColumn(3);
    g->HideRow(4);
    g->InsertCols(1, 1);
    Check();
    EXPECT_TRUE(g->IsHiddenColumn(4));
    EXPECT_EQ(g->GridCells(4, 2), QStringLiteral("3,2"));
    EXPECT_EQ(g->GetHiddenRowCells(4)->Strings(4), QStringLiteral("3,4"));
    g->RemoveCols(1, 1);
    Check();
    EXPECT_TRUE(g->IsHiddenColumn(3));
    EXPECT_EQ(g->GridCells(3, 2), QStringLiteral("3,2"));
    g->RemoveCols(3, 1); // the hidden one
    Check();
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->GridCells(3, 2), QStringLiteral("4,2"));
}

// ---------------------------------------------------------------- cell access

TEST_F(GridStructure, AllCellsReadAndWriteHiddenRowsAndColumns)
{
    g->HideRow(2);
    Check();
    EXPECT_EQ(g->AllCells(1, 2), QStringLiteral("1,2"));
    EXPECT_EQ(g->AllCells(1, 3), g->Cells(1, 2));
    EXPECT_EQ(g->AllCells(-1, 3), QString());
    EXPECT_EQ(g->AllCells(1, -1), QString());
    g->SetAllCells(1, 2, QStringLiteral("new"));
    g->SetAllCells(-1, 2, QStringLiteral("x"));
    g->SetAllCells(1, -2, QStringLiteral("x"));
    g->SetAllCells(9, 2, QStringLiteral("far")); // pads the stored texts
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("1,3"));
    EXPECT_EQ(g->AllGridCells(20, 2), QString());
    g->SetAllGridCells(20, 2, QStringLiteral("ignored"));
    EXPECT_EQ(g->AllGridCells(20, 2), QString());
    g->UnHideRow(2);
    Check();
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("new"));
    g->HideColumn(1);
    g->SetAllCells(2, 0, QStringLiteral("h"));
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("h"));
    EXPECT_EQ(g->AllCells(1, 0), QStringLiteral("1,0"));
}

TEST_F(GridStructure, AllObjectsReachIntoTheStoredProperties)
{
    TObject user;
    g->SetObjects(1, 4, &user);
    g->HideRow(4);
    EXPECT_EQ(g->AllObjects(1, 4), &user);
    EXPECT_NE(g->GetGridObjectsEx(1, 4), nullptr);
    g->SetAllObjects(1, 4, nullptr);
    EXPECT_EQ(g->AllObjects(1, 4), nullptr);
    Check();
}

TEST_F(GridStructure, ReadingAppearanceCreatesNothingButWordWrap)
{
    EXPECT_EQ(g->Colors(3, 4), clNone);
    EXPECT_EQ(g->FontSizes(3, 4), 0);
    EXPECT_EQ(g->Alignments(3, 4), taLeftJustify);
    EXPECT_FALSE(g->ReadOnly(3, 4));
    EXPECT_FALSE(g->HasCellProperties(3, 4));
    EXPECT_EQ(g->WordWraps(3, 4), g->TBaseGrid::WordWrap());
    EXPECT_TRUE(g->HasCellProperties(3, 4));
    g->SetColors(2, 2, 0x0000FF);
    EXPECT_EQ(g->Colors(2, 2), TColor(0x0000FF));
    Check();
}

TEST_F(GridStructure, TextQueries)
{
    g->SetCells(1, 1, QStringLiteral("a\r\nb"));
    EXPECT_EQ(g->LinesInCell(1, 1), 2);
    EXPECT_EQ(g->LinesInCell(2, 2), 1);
    g->SetCells(1, 2, QStringLiteral("ab|\\c"));
    EXPECT_FALSE(g->IsWideCell(1, 2));
    g->SetCells(1, 3, QStringLiteral("|\\abc"));
    EXPECT_TRUE(g->IsWideCell(1, 3));
}

TEST_F(GridStructure, RowColoursToNoneKeepWhatIsNotAColour)
{
    g->SetColors(1, 2, 0x00FF00);
    g->SetColorsTo(2, 2, 0x00FF00);
    g->SetReadOnly(3, 2, true);
    g->SetColorsTo(3, 2, 0x00FF00);
    g->SetFontColors(4, 2, 0x0000FF);
    g->SetRowColor(2, clNone);
    Check();
    EXPECT_FALSE(g->HasCellProperties(1, 2));
    EXPECT_TRUE(g->HasCellProperties(3, 2));
    g->SetRowColorTo(2, clNone);
    Check();
    EXPECT_FALSE(g->HasCellProperties(2, 2));
    ASSERT_TRUE(g->HasCellProperties(3, 2));
    EXPECT_TRUE(g->ReadOnly(3, 2));
    EXPECT_EQ(g->ColorsTo(3, 2), clNone);
    g->SetRowFontColor(2, clNone);
    EXPECT_FALSE(g->HasCellProperties(4, 2));
    EXPECT_TRUE(g->ReadOnly(3, 2));
    g->SetRowColor(5, 0x123456);
    EXPECT_EQ(g->Colors(0, 5), clNone); // the fixed column keeps its look
    EXPECT_EQ(g->Colors(4, 5), TColor(0x123456));
    Check();
}

TEST_F(GridStructure, CellControlsClearedOnACellWithoutOneChangesNothing)
{
    g->SetCellControls(2, 3, nullptr);
    EXPECT_EQ(g->CellControls()->Count(), 0);
    auto* ctl = new TControl(&form);
    g->SetCellControls(2, 3, ctl);
    EXPECT_EQ(g->CellControls()->Count(), 1);
    EXPECT_EQ(g->CellControls(2, 3), ctl);
    g->SetCellControls(2, 3, nullptr);
    EXPECT_EQ(g->CellControls()->Count(), 0);
    EXPECT_EQ(g->CellControls(2, 3), nullptr);
}

// ---------------------------------------------------------------- order, moving, ranges

TEST_F(GridStructure, ColumnOrderFollowsAMoveAndResets)
{
    EXPECT_EQ(g->ColumnPosition(3), 3);
    g->SetColWidths(1, 41);
    g->MoveColumn(1, 3);
    EXPECT_EQ(g->ColumnPosition(1), 3);
    EXPECT_EQ(g->ColumnAtPosition(3), 1);
    EXPECT_EQ(g->Cells(3, 2), QStringLiteral("1,2"));
    EXPECT_EQ(g->OriginalCells(1, 2), QStringLiteral("1,2"));
    EXPECT_EQ(g->ColWidths(3), 41);
    g->ResetColumnOrder();
    Check();
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("1,2"));
    EXPECT_EQ(g->ColumnPosition(1), 1);
    EXPECT_EQ(g->ColWidths(1), 41);
}

TEST_F(GridStructure, ColumnMoveCarriesHiddenRowCells)
{
    g->HideRow(4);
    g->MoveColumn(1, 3);
    Check();
    EXPECT_EQ(g->GetHiddenRowCells(4)->Strings(3), QStringLiteral("1,4"));
    g->UnHideRow(4);
    EXPECT_EQ(g->Cells(3, 4), QStringLiteral("1,4"));
}

TEST_F(GridStructure, ColumnByHeaderIsExact)
{
    g->SetCells(2, 0, QStringLiteral("Name"));
    EXPECT_EQ(g->ColumnByHeader(QStringLiteral("Name")), 2);
    EXPECT_EQ(g->ColumnByHeader(QStringLiteral("name")), -1);
    EXPECT_EQ(g->ColumnByHeader(QStringLiteral("none")), -1);
    g->HideColumn(2);
    EXPECT_EQ(g->ColumnByHeader(QStringLiteral("Name")), 2);
}

TEST_F(GridStructure, UsedCellsAndSaveRanges)
{
    for (int c = 0; c < g->ColCount(); ++c)
        for (int r = 0; r < g->RowCount(); ++r) g->SetCells(c, r, QString());
    EXPECT_EQ(g->UsedCells(), TGridRect(0, 0, 0, 0));
    g->SetCells(2, 3, QStringLiteral("x"));
    g->SetCells(4, 1, QStringLiteral("y"));
    EXPECT_EQ(g->UsedCells(), TGridRect(2, 1, 4, 3));

    g->SetSaveFixedCells(false);
    EXPECT_EQ(g->SaveStartCol(), 1);
    EXPECT_EQ(g->SaveStartRow(), 1);
    EXPECT_EQ(g->SaveEndCol(), 4);
    EXPECT_EQ(g->SaveEndRow(), 9);
    EXPECT_EQ(g->SaveColCount(), 4);
    EXPECT_EQ(g->SaveRowCount(), 9);
    g->SetSaveFixedCells(true);
    EXPECT_EQ(g->SaveColCount(), 5);
}

TEST_F(GridStructure, HideAndUnHideSelection)
{
    g->SetSelection(TGridRect(1, 2, 3, 4));
    g->HideSelection();
    EXPECT_EQ(g->Selection(), TGridRect(5, 10, 5, 10));
    g->UnHideSelection();
    EXPECT_EQ(g->Selection(), TGridRect(1, 2, 3, 4));
    g->SetSelection(TGridRect(1, 8, 1, 8));
    g->HideSelection();
    g->RemoveRows(5, 4);
    g->UnHideSelection();
    EXPECT_EQ(g->Selection(), TGridRect(1, 1, 1, 1));
}

TEST_F(GridStructure, ScrollInView)
{
    g->SetRowCount(100);
    g->ScrollInView(1, 60);
    const int top = g->TopRow();
    EXPECT_LT(top, 60);
    EXPECT_GT(top + g->VisibleRowCount(), 60);
    EXPECT_NEAR(60 - top, g->VisibleRowCount() / 2, 1);
    g->ScrollInView(1, top + 1); // already in view
    EXPECT_EQ(g->TopRow(), top);
    g->ScrollInView(7, 3); // beyond ColCount
    EXPECT_EQ(g->TopRow(), top);
}

TEST_F(GridStructure, ScrollAboveTheSearchPanelEndsWhenTheTopRowStops)
{
    if (!g->SearchPanel()) GTEST_SKIP() << "grid without search panel";
    g->SetRowCount(30);
    g->SearchFooter()->SetVisible(true);
    g->SearchPanel()->SetHeight(10000); // the row can never get above it
    g->ScrollInView(1, 29);
    EXPECT_EQ(g->TopRow(), 29);
}

TEST_F(GridStructure, MoveRowsLandsTheBlock)
{
    g->MoveRows(2, 6, 2);
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 4, 5, 2, 3, 6, 7, 8, 9}));
}

TEST_F(GridStructure, MoveRowsTakesHiddenColumnsAndKeepsHiddenRowsInPlace)
{
    g->HideColumn(2);
    g->HideRow(5); // between real 4 and 6
    g->MoveRows(2, 6, 1); // display 2 = real 2 lands after real 6
    Check();
    EXPECT_EQ(g->GridCells(2, 5), QStringLiteral("2,2"));
    g->UnHideRowsAll();
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 3, 4, 5, 6, 2, 7, 8, 9}));
}

// ---------------------------------------------------------------- clearing, trimming, merging

TEST_F(GridStructure, ClearingAMergedAreaUnmergesIt)
{
    g->MergeCells(1, 1, 2, 2);
    g->ClearRect(1, 1, 2, 2);
    Check();
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r) {
            EXPECT_FALSE(g->HasCellProperties(c, r));
            EXPECT_EQ(g->Cells(c, r), QString());
        }
    EXPECT_EQ(g->Cells(3, 1), QStringLiteral("3,1"));
}

TEST_F(GridStructure, ClearTextOnlyKeepsProperties)
{
    g->SetColors(2, 2, 0x00FF00);
    g->ClearTextOnly = true;
    g->ClearRect(2, 2, 2, 2);
    EXPECT_EQ(g->Cells(2, 2), QString());
    EXPECT_EQ(g->Colors(2, 2), TColor(0x00FF00));
    Check();
}

TEST_F(GridStructure, SaveHiddenCellsTakesDisplayColumns)
{
    g->HideColumn(1);
    g->SaveHiddenCells = true;
    g->ClearRect(1, 1, 1, 1);
    EXPECT_EQ(g->GridCells(2, 1), QString());
    EXPECT_EQ(g->GridCells(1, 1), QStringLiteral("1,1"));
    Check();
}

TEST_F(GridStructure, ClearReachesHiddenColumnsAndClearAllHiddenRows)
{
    g->HideColumns(1, 2);
    g->CellProperties(1, 3)->SetReadOnly(true);
    g->CellProperties(4, 6)->SetReadOnly(true);
    g->HideRow(6);
    g->Clear();
    Check();
    EXPECT_EQ(g->GridCells(1, 3), QString());
    EXPECT_EQ(g->GridCells(2, 5), QString());
    EXPECT_FALSE(g->HasCellProperties(1, 3));
    EXPECT_TRUE(g->HasCellProps()); // the hidden row still holds properties
    EXPECT_EQ(g->AllCells(1, 6), QStringLiteral("1,6"));
    g->ClearAll();
    Check();
    EXPECT_EQ(g->AllCells(1, 6), QString());
    EXPECT_EQ(g->NumHiddenRows(), 1);
}

TEST_F(GridStructure, MainAndDependentColumnMergesAndTheirSplit)
{
    g->SetRowCount(6);
    const char* main[] = {"x", "x", "y", "y", "y"};
    const char* dep[] = {"p", "p", "p", "q", "q"};
    for (int r = 1; r < 6; ++r) {
        g->SetCells(1, r, QString::fromLatin1(main[r - 1]));
        g->SetCells(2, r, QString::fromLatin1(dep[r - 1]));
    }
    g->MergeColumnCells(1, true);
    Check();
    EXPECT_EQ(g->CellSpan(1, 1), TPoint(0, 1));
    EXPECT_EQ(g->CellSpan(1, 3), TPoint(0, 2));
    g->MergeColumnCells(2, false);
    Check();
    EXPECT_EQ(g->CellSpan(2, 1), TPoint(0, 1)); // p p inside x x
    EXPECT_FALSE(g->IsMergedCell(2, 3));          // p q across the areas
    EXPECT_EQ(g->CellSpan(2, 4), TPoint(0, 1));   // q q inside y y y
    g->SplitColumnCells(1);
    g->SplitColumnCells(2);
    Check();
    for (int r = 1; r < 6; ++r) {
        EXPECT_FALSE(g->IsMergedCell(1, r));
        EXPECT_FALSE(g->IsMergedCell(2, r));
    }
}

TEST_F(GridStructure, SplittingReachesTheLastRowAndColumn)
{
    g->MergeCells(4, 8, 1, 2);
    g->SplitRowCells(8);
    EXPECT_FALSE(g->IsMergedCell(4, 8));
    g->MergeCells(4, 8, 1, 2);
    g->SplitColumnCells(4);
    EXPECT_FALSE(g->IsMergedCell(4, 9));
    g->MergeCells(3, 9, 2, 1);
    g->SplitAllCells();
    EXPECT_FALSE(g->IsMergedCell(4, 9));
    Check();
}

TEST_F(GridStructure, MergeColsJoinsAndRemoves)
{
    g->SetCells(1, 1, QStringLiteral("a"));
    g->SetCells(2, 1, QStringLiteral("b"));
    g->SetCells(1, 2, QStringLiteral("a"));
    g->SetCells(2, 2, QString());
    g->MergeCols(1, 2, QStringLiteral(" "));
    Check();
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("a b"));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("a"));
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("3,1"));
}

TEST_F(GridStructure, IsCellAndTrimAll)
{
    int c = -1, r = -1;
    EXPECT_FALSE(g->IsCell(QStringLiteral("3,"), c, r));
    EXPECT_TRUE(g->IsCell(QStringLiteral("3,4"), c, r));
    EXPECT_EQ(TPoint(c, r), TPoint(3, 4));
    g->SetCells(2, 2, QStringLiteral(" a \t"));
    g->TrimAll();
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("a"));
    g->ColorRect(1, 1, 2, 2, 0x0000FF);
    EXPECT_EQ(g->Colors(2, 2), TColor(0x0000FF));
    Check();
}

TEST(KvStringGridLifeHidden, DestroyingAGridThatHidRowsAndColumnsLeavesNothing)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->CellProperties(2, 3)->SetReadOnly(true);
    g->CellProperties(3, 5)->SetReadOnly(true);
    g->HideColumn(2);
    g->HideRow(5);
    delete g; // the sanitizers report what is freed twice or lost
}

TEST_F(GridStructure, HideSelectedAndUnselectedRows)
{
    g->SetSelection(TGridRect(1, 3, 1, 4));
    g->HideSelectedRows();
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 2, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(g->IsHiddenRow(3));
    EXPECT_TRUE(g->IsHiddenRow(4));
    g->UnHideRowsAll();
    g->SetSelection(TGridRect(1, 3, 1, 4));
    g->HideUnSelectedRows();
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 3, 4}));
    g->UnHideRowsAll();
    Check();
    EXPECT_EQ(RowTags(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(GridStructure, SortColumnsFollowAColumnMove)
{
    g->SortSettings()->Column = 1;
    g->SortSettings()->IndexShow = true;
    g->SortIndexes()->AddIndex(2, true);
    g->MoveColumn(1, 3);
    EXPECT_EQ(g->SortSettings()->Column, 3);
    EXPECT_EQ(g->SortIndexes()->SortColumns(0), 1);
}

TEST_F(GridStructure, CursorIsRememberedForRestoring)
{
    g->SetCursor(crIBeam);
    EXPECT_EQ(g->Cursor(), crIBeam);
    EXPECT_EQ(g->RestoreCursor(), crIBeam);
}

TEST_F(GridStructure, AddRowGoesBeforeAVisibleFooterRow)
{
    g->AddRow();
    Check();
    EXPECT_EQ(g->RowCount(), 11);
    EXPECT_EQ(g->Cells(1, 10), QString());
    g->FloatingFooter()->SetVisible(true);
    g->SetCells(1, 10, QStringLiteral("footer"));
    g->AddRow();
    Check();
    EXPECT_EQ(g->RowCount(), 12);
    EXPECT_EQ(g->Cells(1, 11), QStringLiteral("footer"));
    EXPECT_EQ(g->Cells(1, 10), QString());
    EXPECT_EQ(g->Cells(1, 9), QStringLiteral("1,9"));
}

// ---------------------------------------------------------------- index maps and partners

TEST_F(GridStructure, ColumnWidthsByRealColumnAroundHiddenColumns)
{
    for (int c = 0; c < 5; ++c) g->SetColWidths(c, 20 + c);
    g->HideColumn(1);
    g->HideColumn(3);
    Check();
    // Read: a hidden column its saved width, a shown one its display column's.
    const int widths[] = {20, 21, 22, 23, 24};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(g->AllColWidths(c), widths[c]) << c;
    g->SetAllColWidths(4, 70); // shown: the display column takes it
    EXPECT_EQ(g->ColWidths(g->DisplColIndex(4)), 70);
    EXPECT_EQ(g->ColWidths(2), 70);
    g->SetAllColWidths(3, 55); // hidden: kept for when it comes back
    EXPECT_EQ(g->ColWidths(1), 22);
    g->UnHideColumnsAll();
    Check();
    const int after[] = {20, 21, 22, 55, 70};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(g->ColWidths(c), after[c]) << c;
}

// After a sort the maps lead from a sorted row to the row it was and back, and
// the unsorted cells read the grid as it was before.
TEST_F(GridStructure, SortedRowMapsLeadBothWays)
{
    const QString before[] = {QString(), QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("d"), QStringLiteral("b")};
    for (int r = 1; r < 5; ++r) g->SetCells(1, r, before[r]);
    g->SetRowCount(5);
    EXPECT_EQ(g->SortedRowIndex(3), 3); // no sort yet: rows are themselves
    EXPECT_EQ(g->UnSortedRowIndex(3), 3);
    g->SortSettings()->Column = 1;
    g->QSort();
    ASSERT_EQ(g->Cells(1, 1), QStringLiteral("a"));
    const int was[] = {0, 2, 4, 1, 3}; // sorted row -> row before the sort
    for (int r = 1; r < 5; ++r) {
        EXPECT_EQ(g->SortedRowIndex(r), was[r]) << r;
        EXPECT_EQ(g->UnSortedRowIndex(was[r]), r) << r;
        EXPECT_EQ(g->UnSortedCells(1, r), before[r]) << r;
    }
    EXPECT_EQ(g->UnSortedRowIndex(9), 5); // no such row: the list length
    g->SetUnSortedCells(1, 1, QStringLiteral("c2"));
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("c2"));
}

TEST_F(GridStructure, ThePartnerGridFollowsTheRowOnlyWhenAskedTo)
{
    auto* partner = new TKvStringGrid(&form);
    partner->SetRowCount(6);
    g->SyncGrid()->SetGrid(partner);
    g->SetRow(4);
    EXPECT_EQ(partner->Row(), 1);
    g->SyncGrid()->SetSelectionRow(true);
    g->SetRow(5);
    EXPECT_EQ(partner->Row(), 5);
    g->SetRowCount(9);
    g->SetRow(8); // beyond the partner's rows: it stays
    EXPECT_EQ(partner->Row(), 5);
    g->SyncGrid()->SetGrid(g); // never its own partner
    EXPECT_EQ(g->SyncGrid()->Grid(), partner);
    delete partner;
    EXPECT_EQ(g->SyncGrid()->Grid(), nullptr);
}

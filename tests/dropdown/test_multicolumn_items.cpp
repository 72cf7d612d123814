// The multi-column drop-down's columns and items: exact lookup in a column,
// items of fewer texts than columns, and what Assign carries.
#include "dropdown/multicolumn_items.h"

#include <gtest/gtest.h>

namespace {

void AddItem(TMultiColumnDropDownItems& Items, const QStringList& Texts, int Image = -1)
{
    TMultiColumnDropDownItem* I = Items.Add();
    I->Text()->Assign(Texts);
    I->SetImageIndex(Image);
}

TEST(MultiColumnItems, IndexInColumnIsExactAndSkipsItemsWithoutTheColumn)
{
    TMultiColumnDropDownItems Items(nullptr);
    AddItem(Items, {"Apple", "red"});
    AddItem(Items, {"Banana"});
    AddItem(Items, {"Blueberry", "blue"});
    AddItem(Items, {"banana", "yellow"});

    struct { int Column; QString Value; int Expected; } Cases[] = {
        {0, "Banana", 1}, {0, "banana", 3}, {0, "BANANA", -1}, {0, "Ban", -1},
        {1, "blue", 2}, {1, "", -1}, {2, "red", -1}, {-1, "Apple", -1},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Items.IndexInColumn(C.Column, C.Value), C.Expected) << C.Column << " " << C.Value.toStdString();
}

TEST(MultiColumnItems, MissingTextsAreEmpty)
{
    TMultiColumnDropDownItems Items(nullptr);
    AddItem(Items, {"only"});
    EXPECT_EQ(Items.Items(0)->ColumnText(0), "only");
    EXPECT_TRUE(Items.Items(0)->ColumnText(1).isEmpty());
    EXPECT_TRUE(Items.Items(0)->ColumnText(-1).isEmpty());
}

TEST(MultiColumnItems, ItemAssignCopiesTheImageIndexOnly)
{
    TMultiColumnDropDownItems Src(nullptr), Dst(nullptr);
    AddItem(Src, {"a", "b"}, 3);
    AddItem(Src, {"c"}, 5);
    AddItem(Dst, {"keep"}, 0);
    Dst.Items(0)->Assign(Src.Items(0));
    EXPECT_EQ(Dst.Items(0)->ImageIndex(), 3);
    EXPECT_EQ(Dst.Items(0)->ColumnText(0), "keep");

    // Copying the whole collection builds new items the same way: texts are lost.
    Dst.Assign(&Src);
    ASSERT_EQ(Dst.Count(), 2);
    EXPECT_EQ(Dst.Items(1)->ImageIndex(), 5);
    EXPECT_EQ(Dst.Items(1)->Text()->Count(), 0);
}

TEST(MultiColumnItems, ColumnDefaultsAndAssignCopyEverySetting)
{
    TMultiColumnDropDownColumns Cols(nullptr);
    TMultiColumnDropDownColumn* A = Cols.Add();
    EXPECT_EQ(A->Width(), 80);
    EXPECT_EQ(A->Color(), TColor(0xFFFFFF));
    EXPECT_EQ(A->Alignment(), taLeftJustify);
    EXPECT_EQ(A->ColumnType(), ctText);
    EXPECT_FALSE(A->Wordwrap() || A->AutoSize() || A->Ellipsis());

    A->SetWordwrap(true);
    A->SetWidth(33);
    A->SetAutoSize(true);
    A->SetHeader("Name");
    A->SetAlignment(taCenter);
    A->SetColor(0x123456);
    A->SetColumnType(ctImage);
    A->Font()->SetSize(17);
    A->SetEllipsis(true);
    TMultiColumnDropDownColumn* B = Cols.Add();
    B->Assign(A);
    EXPECT_TRUE(B->Wordwrap() && B->AutoSize() && B->Ellipsis());
    EXPECT_EQ(B->Width(), 33);
    EXPECT_EQ(B->Header(), "Name");
    EXPECT_EQ(B->Alignment(), taCenter);
    EXPECT_EQ(B->Color(), TColor(0x123456));
    EXPECT_EQ(B->ColumnType(), ctImage);
    EXPECT_EQ(B->Font()->Size(), 17);
}

TEST(MultiColumnItems, ChangesReachOnChange)
{
    TMultiColumnDropDownColumns Cols(nullptr);
    int Changes = 0;
    Cols.OnChange = [&](TObject*) { ++Changes; };
    Cols.Add();
    EXPECT_GT(Changes, 0);
}

} // namespace

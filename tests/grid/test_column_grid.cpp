// The column grid: items kept in step with the columns, headers, the cell hooks
// answered from the column, column moves, width limits, number formats,
// filters from the column lists, the column stream and stored column positions.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "grid/cell_properties.h"
#include "grid/column_grid.h"
#include "platform/core/classes.h"
#include "platform/core/inifiles.h"
#include "platform/ui/forms.h"

namespace {

TKvColumnGrid* MakeGrid(TForm& form, int Cols = 16)
{
    auto* g = new TKvColumnGrid(&form);
    g->SetColCount(Cols);
    g->SetRowCount(10);
    return g;
}

} // namespace

TEST(ColumnGridItems, OneItemPerRealColumnAndNewItemsCopyTheLastVisuals)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form);
    EXPECT_EQ(g->Columns()->Count(), 16);
    TGridColumnItem* last = g->Columns()->Items(15);
    last->SetAlignment(taCenter);
    last->SetReadOnly(true);
    last->SetHeader(QStringLiteral("Last"));
    last->ComboItems()->Add(QStringLiteral("a"));
    last->SetDropDownCount(3);
    last->SetColor(0xFEFAE0);
    g->SetColCount(18);
    ASSERT_EQ(g->Columns()->Count(), 18);
    for (int i : {16, 17}) {
        TGridColumnItem* n = g->Columns()->Items(i);
        EXPECT_EQ(n->Alignment(), taCenter);
        EXPECT_TRUE(n->ReadOnly());
        EXPECT_EQ(n->Header(), QString());
        EXPECT_EQ(n->ComboItems()->Count(), 0);
        EXPECT_EQ(n->DropDownCount(), 8);
        EXPECT_EQ(n->Color(), g->Color());   // the grid's colour, not the copied one
    }
    g->SetColCount(4);
    EXPECT_EQ(g->Columns()->Count(), 4);
}

TEST(ColumnGridItems, DefaultsOfANewItem)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 3);
    TGridColumnItem* c = g->Columns()->Items(1);
    EXPECT_EQ(c->CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(c->CheckFalse(), QStringLiteral("N"));
    EXPECT_EQ(c->DropDownCount(), 8);
    EXPECT_EQ(c->SpinStep(), 1);
    EXPECT_TRUE(c->Borders().Empty());
    EXPECT_EQ(c->BorderPen()->Color(), TColor(0xC0C0C0));
    EXPECT_EQ(c->PrintBorders(), TCellBorders(cbTop) | cbLeft | cbRight | cbBottom);
    EXPECT_EQ(c->PrintColor(), TColor(0xFFFFFF));
    EXPECT_TRUE(c->PrintFontCustom());
    EXPECT_TRUE(c->PrintBorderCustom());
    EXPECT_EQ(c->ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_EQ(c->SortStyle(), ssAutomatic);
    EXPECT_EQ(c->Editor(), edNormal);
    EXPECT_EQ(c->DisplayName(), QStringLiteral("Column 1"));
    c->SetName(QStringLiteral("ID"));
    EXPECT_EQ(c->DisplayName(), QStringLiteral("Col 1: ID"));
    EXPECT_EQ(g->GetColumnByName(QStringLiteral("ID")), c);
    EXPECT_EQ(g->GetColumnByName(QStringLiteral("id")), nullptr);
    EXPECT_EQ(g->GetVersionNr(), 0x03010301);
    EXPECT_EQ(g->GetVersionString(), QStringLiteral("3.1.3.1 Aug, 2012"));
}

TEST(ColumnGridHeaders, SetHeaderWritesRowZeroAndTheHeaderListAndBack)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 4);
    g->Columns()->Items(2)->SetHeader(QStringLiteral("Address"));
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("Address"));
    ASSERT_EQ(g->ColumnHeaders()->Count(), 4);
    EXPECT_EQ(g->ColumnHeaders()->Strings(2), QStringLiteral("Address"));
    g->ColumnHeaders()->Clear();
    for (const char* h : {"A", "B", "C", "D"}) g->ColumnHeaders()->Add(QString::fromLatin1(h));
    g->SyncColumnHeaders();
    EXPECT_EQ(g->Columns()->Items(3)->Header(), QStringLiteral("D"));
}

TEST(ColumnGridHooks, DataCheckBoxColumnOnBodyCellsOnly)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 4);
    g->Columns()->Items(2)->SetEditor(edDataCheckBox);
    EXPECT_EQ(g->GetCellType(2, 3), ctDataCheckBox);
    ASSERT_NE(g->GetCellGraphic(2, 3), nullptr);
    EXPECT_EQ(g->GetCellGraphic(2, 3)->CellType(), ctVirtCheckBox);
    EXPECT_TRUE(g->HasDataCheckBox(2, 3));
    EXPECT_EQ(g->GetCellGraphic(2, 0), nullptr);   // the header shows its text
    EXPECT_EQ(g->GetCellType(1, 3), ctEmpty);
    QString t, f;
    g->Columns()->Items(2)->SetCheckTrue(QStringLiteral("1"));
    g->GetCheckTrue(2, 3, t);
    g->GetCheckFalse(2, 3, f);
    EXPECT_EQ(t, QStringLiteral("1"));
    EXPECT_EQ(f, QStringLiteral("N"));
    g->GetCheckTrue(2, 0, t);
    EXPECT_EQ(t, QStringLiteral("Y"));   // a header cell keeps the grid's text
}

TEST(ColumnGridHooks, ReadOnlyColumnAndReadOnlyCellRefuseEditing)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 4);
    g->SetOptions(g->Options() | goEditing);
    g->Columns()->Items(1)->SetReadOnly(true);
    bool can = true;
    g->CanEdit(1, 2, can);
    EXPECT_FALSE(can);
    g->CanEdit(2, 2, can);
    EXPECT_TRUE(can);
    g->CanEdit(2, 0, can);
    EXPECT_FALSE(can);
    g->CellProperties(3, 2)->SetReadOnly(true);
    g->CanEdit(3, 2, can);
    EXPECT_FALSE(can);
    g->Columns()->Items(2)->SetFixed(true);
    g->CanEdit(2, 2, can);
    EXPECT_FALSE(can);
}

TEST(ColumnGridHooks, ColumnColourOnBodyCellsAndTheCellsOwnColourWins)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 4);
    g->Columns()->Items(1)->SetColor(0xFEFAE0);
    TBrush b;
    TFont f;
    b.SetColor(clWhite);
    g->GetCellColor(1, 3, TGridDrawState(), &b, &f);
    EXPECT_EQ(b.Color(), TColor(0xFEFAE0));
    b.SetColor(clWhite);
    g->GetCellColor(1, 0, TGridDrawState(), &b, &f);
    EXPECT_EQ(b.Color(), clWhite);
    g->CellProperties(1, 4)->SetBrushColor(0x0000FF);
    g->GetCellColor(1, 4, TGridDrawState(), &b, &f);
    EXPECT_EQ(b.Color(), TColor(0x0000FF));
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    g->Columns()->Items(2)->SetAlignment(taCenter);
    g->GetAlignment(2, 3, ha, va);
    EXPECT_EQ(ha, taCenter);
    g->GetAlignment(2, 0, ha, va);
    EXPECT_EQ(ha, taLeftJustify);
}

TEST(ColumnGridMove, TheItemTravelsWithItsColumn)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 6);
    TGridColumnItem* c3 = g->Columns()->Items(3);
    c3->SetHeader(QStringLiteral("Three"));
    c3->SetEditor(edComboList);
    c3->ComboItems()->Add(QStringLiteral("x"));
    c3->SetColumnPopupType(cpAllCellsLClick);
    int from = -1, to = -1;
    g->OnAfterColumnMoved = [&](TObject*, int f, int t) { from = f; to = t; };
    g->MoveColumnItem(3, 1);
    TGridColumnItem* c1 = g->Columns()->Items(1);
    EXPECT_EQ(c1->Header(), QStringLiteral("Three"));
    EXPECT_EQ(c1->Editor(), edComboList);
    EXPECT_EQ(c1->ComboItems()->Count(), 1);
    EXPECT_EQ(c1->ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_EQ(g->Columns()->Count(), 6);
    EXPECT_EQ(from, 3);
    EXPECT_EQ(to, 1);
}

TEST(ColumnGridWidths, LimitsAndTheWidthProperty)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 4);
    TGridColumnItem* c = g->Columns()->Items(2);
    c->SetMinSize(15);
    EXPECT_EQ(g->ClampColumnSize(2, 5), 15);
    EXPECT_EQ(g->ClampColumnSize(2, 80), 80);
    c->SetMaxSize(15);
    EXPECT_EQ(g->ClampColumnSize(2, 80), 15);
    c->SetAutoMaxSize(40);
    EXPECT_EQ(g->ClampAutoColumnSize(2, 80), 40);
    c->SetWidth(77);
    EXPECT_EQ(g->ColWidths(2), 77);
    g->SetColWidths(2, 33);
    EXPECT_EQ(c->Width(), 33);
}

TEST(ColumnGridFormat, FloatFormatOnlyForNumbers)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 4);
    g->Columns()->Items(1)->SetFloatFormat(QStringLiteral("%.2f"));
    struct Case { const char* in; const char* out; };
    for (Case k : {Case{"1.5", "1.50"}, Case{"1.5e3", "1.5e3"}, Case{"abc", "abc"}, Case{"7", "7.00"}}) {
        g->SetCells(1, 2, QString::fromLatin1(k.in));
        EXPECT_EQ(g->GetFormattedCell(1, 2), QString::fromLatin1(k.out)) << k.in;
    }
    // A column format read from a file that printf would misread shows the text as it is.
    g->SetCells(1, 2, QStringLiteral("1.5"));
    for (const char* bad : {"%s", "%n", "%.1f/%.1f", "%d"}) {
        g->Columns()->Items(1)->SetFloatFormat(QString::fromLatin1(bad));
        EXPECT_EQ(g->GetFormattedCell(1, 2), QStringLiteral("1.5")) << bad;
    }
}

TEST(ColumnGridFilter, FilterListAndSelection)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 4);
    TGridColumnItem* c = g->Columns()->Items(2);
    c->Filter()->Add(QStringLiteral("Large=>100"));
    c->Filter()->Add(QStringLiteral("Small=<10"));
    EXPECT_TRUE(g->GetFilterList(2));
    ASSERT_EQ(g->FilterList()->Count(), 2);
    EXPECT_EQ(g->FilterList()->Strings(1), QStringLiteral("Small"));
    EXPECT_FALSE(g->GetFilterList(1));
    g->SetAutoFilterDisplay(true);
    g->SetFilterColumn(2);
    g->FilterDropDownSelect(nullptr, 0);
    EXPECT_EQ(g->Filter()->GetColFilter(2)->Condition, QStringLiteral(">100"));
    EXPECT_EQ(c->Header(), QStringLiteral("Large"));
    EXPECT_EQ(g->FilterColumn(), -1);
}

TEST(ColumnGridStream, EveryPropertyRoundTrips)
{
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 3);
    TGridColumnItem* c = g->Columns()->Items(1);
    c->SetHeader(QStringLiteral("Node ID"));
    c->SetName(QStringLiteral("ID"));
    c->SetEditor(edDataCheckBox);
    c->SetColor(0xF4D6FC);
    c->SetAlignment(taRightJustify);
    c->SetHeaderAlignment(taCenter);
    c->ComboItems()->Add(QStringLiteral("one"));
    c->Filter()->Add(QStringLiteral("A=1"));
    c->SetCheckTrue(QStringLiteral("T"));
    c->SetEditLength(15);
    c->SetMaxSize(15);
    c->SetReadOnly(true);
    c->SetSpinMin(-3);
    c->SetSortStyle(ssNumeric);
    c->SetPrintColor(0x123456);
    c->SetTag(9);
    c->Font()->SetName(QStringLiteral("Verdana"));
    c->HeaderFont()->SetStyle(fsBold);
    c->BorderPen()->SetWidth(2);
    c->SetBorders(TCellBorders(cbTop) | cbBottom);
    TMemoryStream ms;
    g->SaveColumnsToStream(&ms);

    TKvColumnGrid* h = MakeGrid(form, 3);
    ms.SetPosition(0);
    h->LoadColumnsFromStream(&ms);
    TGridColumnItem* d = h->Columns()->Items(1);
    EXPECT_EQ(d->Header(), c->Header());
    EXPECT_EQ(d->Name(), c->Name());
    EXPECT_EQ(d->Editor(), edDataCheckBox);
    EXPECT_EQ(d->Color(), TColor(0xF4D6FC));
    EXPECT_EQ(d->Alignment(), taRightJustify);
    EXPECT_EQ(d->HeaderAlignment(), taCenter);
    EXPECT_EQ(d->ComboItems()->Strings(0), QStringLiteral("one"));
    EXPECT_EQ(d->Filter()->Strings(0), QStringLiteral("A=1"));
    EXPECT_EQ(d->CheckTrue(), QStringLiteral("T"));
    EXPECT_EQ(d->EditLength(), 15);
    EXPECT_EQ(d->MaxSize(), 15);
    EXPECT_TRUE(d->ReadOnly());
    EXPECT_EQ(d->SpinMin(), -3);
    EXPECT_EQ(d->SortStyle(), ssNumeric);
    EXPECT_EQ(d->PrintColor(), TColor(0x123456));
    EXPECT_EQ(d->Tag(), 9);
    EXPECT_EQ(d->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_TRUE(d->HeaderFont()->Style().Contains(fsBold));
    EXPECT_EQ(d->BorderPen()->Width(), 2);
    EXPECT_EQ(d->Borders().Bits(), c->Borders().Bits());

    TMemoryStream bad;
    const char junk[] = "TPF0garbage";
    bad.WriteBuffer(junk, sizeof junk);
    bad.SetPosition(0);
    EXPECT_THROW(h->LoadColumnsFromStream(&bad), EReadError);
    EXPECT_EQ(h->Columns()->Items(1)->Header(), QStringLiteral("Node ID"));   // unchanged
}

TEST(ColumnGridPositions, StoredPositionsApplyOnlyWhenTheyArePermutations)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("cols.ini"));
    TForm form;
    TKvColumnGrid* g = MakeGrid(form, 4);
    for (int i = 0; i < 4; ++i) g->Columns()->Items(i)->SetTag(i);
    g->Columns()->SetOrganization();
    g->SaveColumnPositions(ini, QStringLiteral("S"));
    {
        TIniFile f(ini);
        EXPECT_EQ(f.ReadInteger(QStringLiteral("S"), QStringLiteral("CP3"), -1), 3);
    }
    struct Case { const char* name; std::vector<int> cp; };
    for (const Case& k : {Case{"repeated", {0, 1, 1, 3}}, Case{"out of range", {0, 1, 2, 9}},
                          Case{"negative", {0, -5, 2, 3}}}) {
        {
            TIniFile f(ini);
            for (int i = 0; i < 4; ++i) f.WriteInteger(QStringLiteral("S"), QStringLiteral("CP%1").arg(i), k.cp[i]);
        }
        g->LoadColumnPositions(ini, QStringLiteral("S"));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(g->Columns()->Items(i)->Tag(), i) << k.name;
            EXPECT_EQ(g->Columns()->Items(i)->DefIdx, i) << k.name;
        }
    }
    g->LoadColumnPositions(dir.filePath(QStringLiteral("missing.ini")), QStringLiteral("S"));
    EXPECT_EQ(g->Columns()->Items(3)->Tag(), 3);
    {
        TIniFile f(ini);
        const int cp[] = {0, 2, 3, 1};
        for (int i = 0; i < 4; ++i) f.WriteInteger(QStringLiteral("S"), QStringLiteral("CP%1").arg(i), cp[i]);
    }
    g->LoadColumnPositions(ini, QStringLiteral("S"));
    // The item at position j is the one whose default index was CPj.
    EXPECT_EQ(g->Columns()->Items(1)->Tag(), 2);
    EXPECT_EQ(g->Columns()->Items(2)->Tag(), 3);
    EXPECT_EQ(g->Columns()->Items(3)->Tag(), 1);
}

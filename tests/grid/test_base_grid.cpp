// The base grid's cell model: properties made on demand, merged areas and
// their queries, display hooks, objects, ownership of properties and
// graphics, and undo/redo driven on the model without a window.
#include <gtest/gtest.h>

#include "grid/base_grid.h"
#include "grid/cell_graphic.h"
#include "grid/grid_text.h"
#include "grid/grid_undo_redo.h"

namespace {

class TObserved : public TObject {
public:
    explicit TObserved(int* Counter) : FCounter(Counter) {}
    ~TObserved() override { ++*FCounter; }
    QString ClassName() const override { return QStringLiteral("TObserved"); }

private:
    int* FCounter;
};

// A base grid whose hooks can be watched.
class TWatchedGrid : public TBaseGrid {
public:
    using TBaseGrid::FNormalRowCount;
    int TextChanges = 0;
    int LastRowChanges = 0;
    void CellTextChanged(int, int) override { ++TextChanges; }
    void LastRowChanged() override { ++LastRowChanges; }
};

std::unique_ptr<TWatchedGrid> MakeGrid(int cols = 6, int rows = 6)
{
    auto g = std::make_unique<TWatchedGrid>();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) g->SetGridCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    return g;
}

} // namespace

TEST(BaseGridCells, UntouchedCellHasNoPropertiesAndNeutralAnswers)
{
    auto g = MakeGrid();
    EXPECT_EQ(g->GridObjects(2, 2), nullptr);
    EXPECT_EQ(g->Objects(2, 2), nullptr);
    EXPECT_EQ(g->GraphicObjects(2, 2), nullptr);
    EXPECT_TRUE(g->IsBaseCell(2, 2));
    EXPECT_EQ(g->CellSpan(2, 2), TPoint(0, 0));
    EXPECT_FALSE(g->IsMergedCell(2, 2));
    EXPECT_EQ(g->CellSpan(-3, 40), TPoint(0, 0)) << "outside the grid";
    EXPECT_EQ(g->GridObjects(2, 2), nullptr) << "queries never create properties";
    EXPECT_FALSE(g->HasCellProps());
}

TEST(BaseGridCells, NewPropertiesTakeTheGridDefaults)
{
    auto g = MakeGrid();
    g->SetColor(0x123456);
    g->Font()->SetName(QStringLiteral("Verdana"));
    g->SetWordWrap(false);
    TCellProperties* p = g->CellProperties(1, 2);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(g->HasCellProps());
    EXPECT_EQ(g->GridObjects(1, 2), p);
    EXPECT_EQ(g->CellProperties(1, 2), p) << "made once";
    EXPECT_EQ(p->OwnerCol(), 1);
    EXPECT_EQ(p->OwnerRow(), 2);
    EXPECT_EQ(p->BrushColor(), TColor(0x123456));
    EXPECT_EQ(p->BrushColorTo(), clNone);
    EXPECT_EQ(p->FontName(), QStringLiteral("Verdana"));
    EXPECT_FALSE(p->WordWrap());
    EXPECT_EQ(p->CellSpanX(), -1);
    EXPECT_TRUE(p->IsBaseCell());
    EXPECT_EQ(p->CalcType(), acNONE);
}

TEST(BaseGridCells, AssignCopiesOnlyItsSubset)
{
    auto g = MakeGrid();
    TCellProperties* a = g->CellProperties(1, 1);
    TCellProperties* b = g->CellProperties(2, 2);
    a->SetBrushColor(0xFF);
    a->SetBrushColorTo(0xFF00);
    a->SetReadOnly(true);
    a->SetCalcType(acSUM);
    a->SetCellSpanX(3);
    a->SetGradientDirection(GradientHorizontal);
    b->Assign(a);
    EXPECT_EQ(b->BrushColor(), TColor(0xFF));
    EXPECT_TRUE(b->ReadOnly());
    EXPECT_EQ(b->CellSpanX(), 3);
    EXPECT_EQ(b->OwnerCol(), 1);
    EXPECT_EQ(b->BrushColorTo(), clNone);
    EXPECT_EQ(b->CalcType(), acNONE);
    EXPECT_EQ(b->GradientDirection(), GradientVertical);
}

TEST(BaseGridMerge, MergedAreaReadsAndWritesThroughItsBase)
{
    auto g = MakeGrid();
    g->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(g->MergeCount(), 1);
    EXPECT_TRUE(g->CheckConsistency());
    // The merge state of every cell of the area.
    struct Row { int c, r; bool base; int sx, sy; };
    const Row table[] = {{1, 1, true, 2, 1}, {2, 1, false, 1, 0}, {3, 1, false, 2, 0},
                         {1, 2, false, 0, 1}, {2, 2, false, 1, 1}, {3, 2, false, 2, 1}};
    for (const Row& t : table) {
        TCellProperties* p = g->GridObjects(t.c, t.r);
        ASSERT_NE(p, nullptr) << t.c << "," << t.r;
        EXPECT_EQ(p->IsBaseCell(), t.base) << t.c << "," << t.r;
        EXPECT_EQ(p->CellSpanX(), t.sx) << t.c << "," << t.r;
        EXPECT_EQ(p->CellSpanY(), t.sy) << t.c << "," << t.r;
        EXPECT_EQ(g->BaseCell(t.c, t.r), TPoint(1, 1));
    }
    EXPECT_EQ(g->Cells(3, 2), QStringLiteral("1:1"));
    g->SetCells(2, 2, QStringLiteral("new"));
    EXPECT_EQ(g->GridCells(1, 1), QStringLiteral("new"));
    EXPECT_EQ(g->GridCells(3, 2), QStringLiteral("3:2")) << "covered texts stay stored";
    EXPECT_EQ(g->TextChanges, 1);
    EXPECT_EQ(g->CellSpan(2, 2), TPoint(2, 1));
    EXPECT_EQ(g->CellExt(2, 2), TPoint(1, 0));
    EXPECT_EQ(g->FullCell(2, 2), TCellRect(1, 1, 3, 2));
    EXPECT_FALSE(g->IsMergedNonBaseCell(1, 1));
    EXPECT_TRUE(g->IsMergedNonBaseCell(2, 1));
    EXPECT_TRUE(g->IsXMergedCell(3, 2));
    EXPECT_TRUE(g->IsYMergedCell(1, 2));
    EXPECT_EQ(g->MinRowSpan(1), 1);
    EXPECT_EQ(g->MaxRowSpan(1), 1);
    EXPECT_EQ(g->MinRowSpan(4), g->RowCount());
    int bc = 0, br = 0;
    EXPECT_FALSE(g->ResolveBaseCell(3, 2, bc, br));
    EXPECT_EQ(TPoint(bc, br), TPoint(1, 1));

    g->SplitCells(3, 2);
    EXPECT_EQ(g->MergeCount(), 0);
    EXPECT_TRUE(g->CheckConsistency());
    for (const Row& t : table) {
        EXPECT_TRUE(g->IsBaseCell(t.c, t.r));
        EXPECT_EQ(g->CellSpan(t.c, t.r), TPoint(0, 0));
        EXPECT_NE(g->GridObjects(t.c, t.r), nullptr) << "properties stay";
    }
    EXPECT_EQ(g->Cells(3, 2), QStringLiteral("3:2")) << "covered text shows again";
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("2:1"));
}

TEST(BaseGridMerge, DegenerateMergeAndSplitOnlyCount)
{
    auto g = MakeGrid();
    g->MergeCells(2, 2, 0, 3);
    EXPECT_EQ(g->MergeCount(), 1);
    EXPECT_EQ(g->GridObjects(2, 2), nullptr);
    g->SplitCells(4, 4);
    EXPECT_EQ(g->MergeCount(), 0);
    EXPECT_TRUE(g->IsBaseCell(4, 4));
}

TEST(BaseGridMerge, OversizedAreaStopsAtTheGridsEdge)
{
    auto g = MakeGrid();
    g->MergeCells(4, 4, 1000000, 1000000);
    EXPECT_EQ(g->CellSpan(5, 5), TPoint(999999, 999999));
    EXPECT_EQ(g->OwnedCellPropertiesCount(), 4) << "only the cells inside the grid";
    EXPECT_TRUE(g->CheckConsistency());
    g->SplitCells(5, 5);
    EXPECT_EQ(g->CellSpan(4, 4), TPoint(0, 0));
    EXPECT_TRUE(g->IsBaseCell(5, 5));
}

TEST(BaseGridMerge, SpanIdentityNeedsAMergedAreaInBoth)
{
    auto g = MakeGrid();
    EXPECT_FALSE(g->RowSpanIdentical(1, 2));
    EXPECT_FALSE(g->ColSpanIdentical(1, 2));
    g->MergeCells(1, 1, 2, 2);
    EXPECT_TRUE(g->RowSpanIdentical(1, 2));
    EXPECT_TRUE(g->ColSpanIdentical(1, 2));
    g->MergeCells(4, 1, 1, 2);
    EXPECT_TRUE(g->RowSpanIdentical(1, 2)) << "both areas hold both rows";
    g->MergeCells(4, 3, 1, 2);
    EXPECT_FALSE(g->RowSpanIdentical(2, 3)) << "column 4 puts them in different areas";
    EXPECT_FALSE(g->ColSpanIdentical(2, 3));
}

TEST(BaseGridHooks, DisplayHooksRunOnlyBelowTheNormalRowCount)
{
    auto g = MakeGrid();
    int calls = 0;
    g->OnGetDisplText = [&](TObject*, int c, int r, QString& v) {
        ++calls;
        v = QStringLiteral("<%1,%2>").arg(c).arg(r);
    };
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("1:1")) << "a bare base grid has no normal rows";
    EXPECT_EQ(calls, 0);
    g->FNormalRowCount = 3;
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("<1,2>"));
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("1:3"));
    EXPECT_EQ(g->Cells(1, 5), QStringLiteral("1:5"));
    EXPECT_EQ(calls, 1);
    g->MergeCells(1, 0, 2, 1);
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("<1,0>")) << "the hook sees the base coordinates";
}

TEST(BaseGridHooks, WideHookWorksOnTheDecodedText)
{
    auto g = MakeGrid();
    g->FNormalRowCount = g->RowCount();
    const QString wide = QString::fromUtf16(u"\u0416\u4E2D");
    g->SetGridCells(1, 1, EncodeWideCellText(wide));
    QString seen;
    g->OnGetDisplWideText = [&](TObject*, int, int, QString& v) {
        seen = v;
        v += QStringLiteral("!");
    };
    EXPECT_EQ(DecodeWideCellText(g->Cells(1, 1)), wide + QStringLiteral("!"));
    EXPECT_EQ(seen, wide);
}

TEST(BaseGridHooks, WritingTheLastRowWithAHiddenLastRowNotifies)
{
    auto g = MakeGrid();
    g->SetCells(1, 5, QStringLiteral("x"));
    EXPECT_EQ(g->LastRowChanges, 0);
    g->SetHideLastRow(true);
    g->SetCells(1, 5, QStringLiteral("y"));
    g->SetCells(1, 4, QStringLiteral("y"));
    EXPECT_EQ(g->LastRowChanges, 1);
    EXPECT_EQ(g->TextChanges, 0) << "cells without properties do not report text changes";
}

TEST(BaseGridObjects, ObjectOnAnEmptyCellLeavesTheTextEmpty)
{
    auto g = MakeGrid();
    g->SetGridCells(2, 3, QString());
    TObject marker;
    g->SetObjects(2, 3, &marker);
    EXPECT_EQ(g->Cells(2, 3), QString());
    EXPECT_EQ(g->Objects(2, 3), &marker);
    EXPECT_NE(g->GridObjects(2, 3), nullptr);
    EXPECT_EQ(g->GridObjects(2, 3)->CellObject(), reinterpret_cast<uintptr_t>(&marker));
    // Objects are not redirected to the base cell.
    g->MergeCells(2, 3, 2, 1);
    EXPECT_EQ(g->Objects(3, 3), nullptr);
}

TEST(BaseGridOwnership, PropertiesAndGraphicsAreFreedOnceWhateverHoldsThem)
{
    int freedForeign = 0;
    auto* foreign = new TObserved(&freedForeign);
    {
        auto g = MakeGrid();
        auto* graphic = new TCellGraphic;
        g->SetGraphicObjects(1, 1, graphic);
        EXPECT_EQ(g->GraphicObjects(1, 1), graphic);
        g->SetGraphicObjects(2, 1, foreign); // the caller keeps it
        g->CellProperties(3, 3);
        g->CellProperties(4, 4);
        g->CellProperties(5, 5);
        EXPECT_EQ(g->OwnedCellPropertiesCount(), 5);

        // A moved row takes its properties along.
        TCellProperties* p33 = g->GridObjects(3, 3);
        g->MoveRow(3, 1);
        EXPECT_EQ(g->GridObjects(3, 1), p33);

        // Dropping a reference is a move out of the cell, not a free.
        g->WipeRow(1);
        EXPECT_EQ(g->GridObjects(3, 1), nullptr);
        EXPECT_EQ(g->OwnedCellPropertiesCount(), 5);

        g->FreeCellProperties(4, 4);
        EXPECT_EQ(g->GridObjects(4, 4), nullptr);
        EXPECT_EQ(g->OwnedCellPropertiesCount(), 4);

        // Replacing properties frees the old ones, not the new ones.
        TCellProperties* keep = g->GridObjects(5, 5);
        g->SetCellPropertiesAt(5, 5, keep);
        EXPECT_EQ(g->GridObjects(5, 5), keep);

        // A cell beyond a lowered count still belongs to the grid.
        g->CellProperties(5, 4)->SetReadOnly(true);
        g->SetRowCount(3);
    }
    EXPECT_EQ(freedForeign, 0) << "the caller's graphic is never freed by the grid";
    delete foreign;
}

TEST(BaseGridOwnership, ForeignObjectInASlotIsNotTakenForProperties)
{
    auto g = MakeGrid();
    TObject foreign;
    g->Rows(2)->PutObject(1, &foreign);
    EXPECT_EQ(g->GridObjects(1, 2), nullptr);
    EXPECT_FALSE(g->HasCellProperties(1, 2));
    EXPECT_TRUE(g->IsBaseCell(1, 2));
    g->CellProperties(1, 2)->SetReadOnly(true);
    EXPECT_TRUE(g->GridObjects(1, 2)->ReadOnly()) << "properties replace the reference; the object is not freed";
}

TEST(BaseGridOwnership, AdoptedPropertiesBelongToTheNewGrid)
{
    auto a = MakeGrid();
    TCellProperties* p = a->CellProperties(1, 1);
    a->SetGridObjects(1, 1, nullptr);
    {
        auto b = MakeGrid();
        b->SetCellPropertiesAt(2, 2, p);
        EXPECT_EQ(p->OwnerGrid(), b.get());
        EXPECT_EQ(a->OwnedCellPropertiesCount(), 0);
        EXPECT_EQ(b->OwnedCellPropertiesCount(), 1);
    }
    EXPECT_EQ(a->OwnedCellPropertiesCount(), 0);
}

TEST(BaseGridOwnership, SharedGraphicsOutliveTheirCells)
{
    TCellGraphic shared;
    shared.SetCellType(ctVirtCheckBox);
    {
        auto g = MakeGrid();
        g->SetGraphicObjects(1, 1, &shared);
        g->FreeAllCellProperties();
        EXPECT_EQ(g->GridObjects(1, 1), nullptr);
    }
    EXPECT_EQ(shared.CellType(), ctVirtCheckBox);
}

// ---- undo and redo

namespace {

struct UndoFixture {
    std::unique_ptr<TWatchedGrid> g = MakeGrid();
    TKvGridUndoRedo u;
    UndoFixture() { g->SetUndoRedo(&u); }
    void Change(int c, int r, const QString& v)
    {
        u.RegisterChange(c, r, g->Cells(c, r), v);
        g->SetCells(c, r, v);
    }
};

} // namespace

TEST(BaseGridUndo, SequenceUndoesInReverseAndRedoesInOrder)
{
    UndoFixture f;
    EXPECT_EQ(f.u.Grid(), f.g.get());
    QStringList undone, redone;
    f.u.OnUndo = [&](TObject*, TBaseGrid*, int c, int r, const QString& now, const QString& to) {
        undone << QStringLiteral("%1,%2:%3>%4").arg(c).arg(r).arg(now, to);
    };
    f.u.OnRedo = [&](TObject*, TBaseGrid*, int c, int r, const QString&, const QString& to) {
        redone << QStringLiteral("%1,%2:%3").arg(c).arg(r).arg(to);
    };
    f.Change(1, 1, QStringLiteral("single"));
    const int before = f.u.Level();
    f.u.StartSequence();
    f.Change(1, 2, QStringLiteral("a"));
    f.Change(2, 2, QStringLiteral("b"));
    f.Change(3, 2, QStringLiteral("c"));
    f.u.StopSequence();
    EXPECT_EQ(f.u.Level(), 6);

    f.u.Undo();
    EXPECT_EQ(f.u.Level(), before);
    EXPECT_EQ(undone, (QStringList{"3,2:c>3:2", "2,2:b>2:2", "1,2:a>1:2"}));
    EXPECT_EQ(f.g->Cells(1, 2), QStringLiteral("1:2"));
    EXPECT_EQ(f.g->Cells(1, 1), QStringLiteral("single"));

    f.u.Redo();
    EXPECT_EQ(f.u.Level(), 6);
    EXPECT_EQ(redone, (QStringList{"1,2:a", "2,2:b", "3,2:c"}));
    EXPECT_EQ(f.g->Cells(3, 2), QStringLiteral("c"));
    EXPECT_FALSE(f.u.CanRedo());

    f.u.Undo();
    f.u.Undo();
    EXPECT_EQ(f.g->Cells(1, 1), QStringLiteral("1:1"));
    EXPECT_EQ(f.u.Level(), 0);
    EXPECT_FALSE(f.u.CanUndo());
    f.u.Undo(); // nothing left: no effect
    EXPECT_EQ(f.u.Level(), 0);
}

TEST(BaseGridUndo, MaxLevelDropsTheOldestItem)
{
    UndoFixture f;
    f.u.SetMaxLevel(2);
    f.Change(1, 1, QStringLiteral("x"));
    f.Change(2, 1, QStringLiteral("y"));
    f.Change(3, 1, QStringLiteral("z"));
    ASSERT_EQ(f.u.Items()->Count(), 2);
    EXPECT_EQ(f.u.Items()->Items(0)->Col, 2);
    EXPECT_EQ(f.u.Level(), 2);
}

TEST(BaseGridUndo, ChangeAfterUndoDropsTheUndoneItems)
{
    UndoFixture f;
    f.Change(1, 1, QStringLiteral("x"));
    f.Change(2, 1, QStringLiteral("y"));
    f.u.Undo();
    f.Change(3, 1, QStringLiteral("z"));
    EXPECT_EQ(f.u.Items()->Count(), 2);
    EXPECT_FALSE(f.u.CanRedo());
    f.u.Undo();
    f.u.Undo();
    EXPECT_EQ(f.g->Cells(2, 1), QStringLiteral("2:1")) << "the undone change is not applied again";
    EXPECT_EQ(f.g->Cells(1, 1), QStringLiteral("1:1"));
    EXPECT_EQ(f.g->Cells(3, 1), QStringLiteral("3:1"));
}

TEST(BaseGridUndo, TrimmedSequenceStartKeepsTheLevelInRange)
{
    UndoFixture f;
    f.u.SetMaxLevel(3);
    f.u.StartSequence();
    f.Change(1, 1, QStringLiteral("a"));
    f.Change(2, 1, QStringLiteral("b"));
    f.u.StopSequence(); // pushes the start marker out
    ASSERT_FALSE(f.u.Items()->Items(0)->SequenceStart);
    f.u.Undo();
    EXPECT_EQ(f.u.Level(), 0);
    EXPECT_EQ(f.g->Cells(1, 1), QStringLiteral("1:1"));
    for (int i = 0; i < 4; ++i) f.u.Redo();
    EXPECT_EQ(f.u.Level(), 3);
    EXPECT_EQ(f.g->Cells(2, 1), QStringLiteral("b"));
    EXPECT_EQ(f.g->Cells(0, 0), QStringLiteral("0:0")) << "markers touch no cell";
}

TEST(BaseGridUndo, ComponentAndGridForgetEachOther)
{
    auto g = MakeGrid();
    {
        TKvGridUndoRedo u;
        g->SetUndoRedo(&u);
    }
    EXPECT_EQ(g->UndoRedo(), nullptr);
    TKvGridUndoRedo u;
    g->SetUndoRedo(&u);
    g.reset();
    EXPECT_EQ(u.Grid(), nullptr);
    u.Undo();
}

// Moving on after Enter: the directions with their wrap, loop and insert
// rules, passing over read-only cells (and ending when there is nothing to go
// to), the events with their origin, click-control cells, the dialog-code
// answer and the keys of the editors of form controls in cells.
#include <gtest/gtest.h>

#include "grid/grid_editor_controls.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include <QtWidgets/QApplication>

namespace {

class TAdvanceGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    void AdvanceClickControl(int X, int Y) override { Clicks.push_back(TPoint(X, Y)); }
    void StartHTMLControlEdit(const QString& Text, const QString& ControlType, int ARow, int RealCol, int DisplCol,
                              const TRect& ControlRect, const QString& ControlValue, const QString& ControlID) override
    {
        (void)Text; (void)ARow; (void)RealCol; (void)DisplCol; (void)ControlRect; (void)ControlValue;
        StartedID = ControlID;
        StartedType = ControlType;
    }
    using TKvStringGrid::KeyPress;
    std::vector<TPoint> Clicks;
    QString StartedID, StartedType;
};

// A 5 x 5 editable grid with one fixed row and column, advancing on Enter.
struct AdvanceFixture : ::testing::Test {
    TForm form;
    TAdvanceGrid* g = nullptr;
    void SetUp() override
    {
        g = new TAdvanceGrid(&form);
        g->SetParent(&form);
        g->SetColCount(5);
        g->SetRowCount(5);
        g->SetOptions(g->Options() | goEditing);
        g->Navigation()->SetAdvanceOnEnter(true);
    }
    TPoint Cur() const { return TPoint(g->Col(), g->Row()); }
    void Go(int c, int r)
    {
        g->SetCol(c);
        g->SetRow(r);
    }
};

} // namespace

TEST_F(AdvanceFixture, WithoutAdvanceOnEnterOnlyForceMoves)
{
    g->Navigation()->SetAdvanceOnEnter(false);
    Go(1, 1);
    g->AdvanceToNextCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(Cur(), TPoint(1, 1));
    g->AdvanceToNextCell(1, 1, false, false, true, false, true);
    EXPECT_EQ(Cur(), TPoint(2, 1));
}

TEST_F(AdvanceFixture, DirectionsWrapLoopAndGoBack)
{
    struct Case {
        const char* name;
        TAdvanceDirection dir;
        bool forward, loop;
        TPoint from, to;
    };
    const Case cases[] = {
        {"left-right within the row", adLeftRight, true, true, {1, 1}, {2, 1}},
        {"left-right to the next row", adLeftRight, true, true, {4, 2}, {1, 3}},
        {"left-right loops to the first cell", adLeftRight, true, true, {4, 4}, {1, 1}},
        {"left-right stays without loop", adLeftRight, true, false, {4, 4}, {4, 4}},
        {"in-row loops in its row", adLeftRightInRow, true, true, {4, 3}, {1, 3}},
        {"in-row stays without loop", adLeftRightInRow, true, false, {4, 3}, {4, 3}},
        {"top-bottom within the column", adTopBottom, true, true, {2, 1}, {2, 2}},
        {"top-bottom to the next column", adTopBottom, true, true, {2, 4}, {3, 1}},
        {"top-bottom from the last cell to the first", adTopBottom, true, true, {4, 4}, {1, 1}},
        {"in-column loops in its column", adTopBottomInCol, true, true, {3, 4}, {3, 1}},
        {"back left-right within the row", adLeftRight, false, true, {3, 2}, {2, 2}},
        {"back left-right to the previous row", adLeftRight, false, true, {1, 3}, {4, 2}},
        {"back left-right from the first cell to the last", adLeftRight, false, true, {1, 1}, {4, 4}},
        {"back top-bottom within the column", adTopBottom, false, true, {2, 3}, {2, 2}},
        {"back top-bottom to the previous column", adTopBottom, false, true, {2, 1}, {1, 4}},
        {"back top-bottom from the first cell to the last", adTopBottom, false, true, {1, 1}, {4, 4}},
        {"back in-row does not move", adLeftRightInRow, false, true, {2, 2}, {2, 2}},
    };
    for (const Case& c : cases) {
        g->Navigation()->SetAdvanceDirection(c.dir);
        g->Navigation()->SetAdvanceOnEnterLoop(c.loop);
        Go(c.from.X, c.from.Y);
        g->AdvanceToNextCell(c.from.X, c.from.Y, false, false, c.forward, false, false);
        EXPECT_EQ(Cur(), c.to) << c.name;
    }
}

TEST_F(AdvanceFixture, InsertAppendsARowOrAColumnAtTheEnd)
{
    int added = -1, inserted = -1;
    g->OnAutoAddRow = [&](TObject*, int ARow) { added = ARow; };
    g->OnAutoInsertCol = [&](TObject*, int ACol) { inserted = ACol; };
    g->Navigation()->SetAdvanceInsert(true);
    Go(4, 4);
    g->AdvanceToNextCell(4, 4, false, false, true, false, false);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(added, 5);
    EXPECT_EQ(Cur(), TPoint(1, 5));

    g->Navigation()->SetAdvanceDirection(adTopBottom);
    Go(4, 5);
    g->AdvanceToNextCell(4, 5, false, false, true, false, false);
    EXPECT_EQ(g->ColCount(), 6);
    EXPECT_EQ(inserted, 5);
    EXPECT_EQ(Cur(), TPoint(5, 1));
}

TEST_F(AdvanceFixture, ARefusedRowStaysOnTheLastRow)
{
    g->Navigation()->SetAdvanceInsert(true);
    g->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
    Go(4, 4);
    g->AdvanceToNextCell(4, 4, false, false, true, false, false);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(Cur(), TPoint(1, 4));
}

TEST_F(AdvanceFixture, ReadOnlyCellsArePassedAndTheEventsSeeTheOrigin)
{
    g->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& Can) { Can = !(ARow == 1 && (ACol == 2 || ACol == 3)); };
    TPoint origin(-1, -1), target(-1, -1);
    int events = 0;
    g->OnAutoAdvance = [&](TObject*, int OrigRow, int OrigCol, int& NewRow, int& NewCol, bool&) {
        origin = TPoint(OrigCol, OrigRow);
        target = TPoint(NewCol, NewRow);
        ++events;
    };
    Go(1, 1);
    g->AdvanceToNextCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(Cur(), TPoint(4, 1));
    EXPECT_EQ(events, 1);
    EXPECT_EQ(origin, TPoint(1, 1));
    EXPECT_EQ(target, TPoint(4, 1));

    // Without skipping, the read-only cell becomes current without events.
    g->Navigation()->SetAdvanceSkipReadOnlyCells(false);
    Go(1, 1);
    g->AdvanceToNextCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(Cur(), TPoint(2, 1));
    EXPECT_EQ(events, 1);
}

TEST_F(AdvanceFixture, NoEditableTargetEndsTheWalkAtTheOrigin)
{
    g->OnCanEditCell = [](TObject*, int, int, bool& Can) { Can = false; };
    for (TAdvanceDirection dir : {adLeftRight, adLeftRightInRow, adTopBottom, adTopBottomInCol}) {
        g->Navigation()->SetAdvanceDirection(dir);
        for (bool loop : {true, false}) {
            g->Navigation()->SetAdvanceOnEnterLoop(loop);
            for (TPoint from : {TPoint(2, 2), TPoint(4, 4)}) {
                Go(from.X, from.Y);
                g->AdvanceToNextCell(from.X, from.Y, true, false, true, true, false);
                EXPECT_EQ(Cur(), from) << int(dir) << " loop " << loop;
                g->AdvanceToNextCell(from.X, from.Y, true, false, false, true, false);
                EXPECT_EQ(Cur(), from) << int(dir) << " back, loop " << loop;
            }
        }
    }
}

TEST_F(AdvanceFixture, AStartOutsideTheWalkedCellsEndsToo)
{
    // A fixed column is never reached again by the walk.
    g->OnCanEditCell = [](TObject*, int, int, bool& Can) { Can = false; };
    Go(1, 1);
    g->AdvanceToNextCell(0, 2, false, false, true, false, false);
    // The walk ends; a fixed column never becomes the current cell, so the grid stays in its row.
    EXPECT_EQ(Cur().Y, 2);
}

TEST_F(AdvanceFixture, EventsMayRedirectOrRefuse)
{
    g->OnAutoAdvance = [](TObject*, int, int, int& NewRow, int& NewCol, bool&) {
        NewRow = 3;
        NewCol = 3;
    };
    Go(1, 1);
    g->AdvanceToNextCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(Cur(), TPoint(3, 3));

    TPoint seen(-1, -1);
    g->OnAutoAdvance = nullptr;
    Go(1, 1);
    g->OnCellChanging = [&](TObject*, int OldRow, int OldCol, int, int, bool& Allow) {
        seen = TPoint(OldCol, OldRow);
        Allow = false;
    };
    g->AdvanceToNextCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(Cur(), TPoint(1, 1));
    EXPECT_EQ(seen, TPoint(1, 1));
}

TEST_F(AdvanceFixture, AClickControlCellIsClickedAtItsCorner)
{
    form.SetBounds(0, 0, 500, 300);
    form.Show();
    g->AddCheckBox(2, 1, false, false);
    Go(1, 1);
    g->AdvanceToNextCell(1, 1, true, false, true, false, false);
    ASSERT_EQ(g->Clicks.size(), 1u);
    const TRect r = g->CellRect(2, 1);
    EXPECT_EQ(g->Clicks[0], TPoint(r.Left + 2, r.Top + 2));
    EXPECT_EQ(Cur(), TPoint(2, 1));
    // Without Edit nothing is clicked.
    Go(1, 1);
    g->AdvanceToNextCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(g->Clicks.size(), 1u);
}

TEST_F(AdvanceFixture, DisjunctRowSelectSelectsTheNewRowOnly)
{
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(1, true);
    Go(4, 1);
    g->AdvanceToNextCell(4, 1, true, false, true, false, false);
    EXPECT_FALSE(g->RowSelect(1));
    EXPECT_TRUE(g->RowSelect(2));
}

TEST_F(AdvanceFixture, DialogCodeWantsCharactersWithoutEditingOrWithSortedGoto)
{
    EXPECT_EQ(g->DialogCodeAnswer(DLGC_WANTARROWS), unsigned(DLGC_WANTARROWS));
    g->Navigation()->SetAutoGotoWhenSorted(true);
    EXPECT_EQ(g->DialogCodeAnswer(DLGC_WANTARROWS), unsigned(DLGC_WANTARROWS | DLGC_WANTCHARS));
    g->Navigation()->SetAutoGotoWhenSorted(false);
    g->SetOptions(g->Options() - TGridOptions(goEditing));
    EXPECT_EQ(g->DialogCodeAnswer(0), unsigned(DLGC_WANTCHARS));
    // The window procedure gives the same answer.
    EXPECT_TRUE(g->Perform(WM_GETDLGCODE) & DLGC_WANTCHARS);
    EXPECT_TRUE(g->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS);
}

namespace {
TControlEdit* ControlEditOf(TKvStringGrid* g)
{
    for (int i = 0; i < g->ComponentCount(); ++i)
        if (auto* e = dynamic_cast<TControlEdit*>(g->Components(i))) return e;
    return nullptr;
}
// Sends a character to a control as its key press.
void Press(TWinControl* c, QChar ch)
{
    TMessage m;
    m.Msg = WM_CHAR;
    m.WParam = ch.unicode();
    c->WndProc(m);
}
} // namespace

TEST_F(AdvanceFixture, FormControlEditorWantsTabButNotEnter)
{
    TControlEdit* e = ControlEditOf(g);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Perform(CM_WANTSPECIALKEY, VK_TAB), 1);
    EXPECT_EQ(e->Perform(CM_WANTSPECIALKEY, VK_RETURN), 0);
}

TEST_F(AdvanceFixture, TabInAFormControlMovesOn)
{
    TControlEdit* e = ControlEditOf(g);
    ASSERT_NE(e, nullptr);
    int exits = 0;
    e->OnExit = [&](TObject*) { ++exits; };
    g->SetCells(1, 1,
                QStringLiteral("<CONTROL TYPE=\"EDIT\" WIDTH=\"30\" ID=\"a\" VALUE=\"1\">"
                               "<CONTROL TYPE=\"BUTTON\" WIDTH=\"30\" ID=\"b\" VALUE=\"x\">"
                               "<CONTROL TYPE=\"EDIT\" WIDTH=\"30\" ID=\"c\" VALUE=\"2\">"));
    Go(1, 1);
    g->EditControlID = QStringLiteral("a");
    Press(e, QChar(9));
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(g->StartedID, QStringLiteral("c"));
    EXPECT_EQ(g->StartedType, QStringLiteral("EDIT"));

    // After the last edit field only a button follows: nothing opens.
    g->StartedID.clear();
    g->EditControlID = QStringLiteral("c");
    Press(e, QChar(9));
    EXPECT_TRUE(g->StartedID.isEmpty());

    // With automatic advance Tab goes to the next cell.
    g->Navigation()->SetAdvanceAuto(true);
    Press(e, QChar(9));
    EXPECT_EQ(Cur(), TPoint(2, 1));

    Press(e, QChar(13));
    EXPECT_EQ(exits, 4);
}

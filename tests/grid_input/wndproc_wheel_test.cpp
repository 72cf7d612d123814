#include "wndproc_fixture.h"

#include "grid/grid_editor_controls.h"
#include "platform/ui/stdctrls.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// Refuses one row as the current row and records the zoom's cell sizing.
class TProbeGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    int RefusedRow = -1;
    std::vector<std::tuple<bool, int, int>> AutoSizes;
    std::vector<int> WheelDeltas;
    bool WheelHandled = true;
    void ZoomAutoSizeCells(bool DoFixed, int PaddingX, int PaddingY) override
    {
        AutoSizes.emplace_back(DoFixed, PaddingX, PaddingY);
    }
    void WheelScroll(int Delta, bool& Handled) override
    {
        WheelDeltas.push_back(Delta);
        Handled = WheelHandled;
    }

protected:
    bool SelectCell(int ACol, int ARow) override
    {
        return ARow != RefusedRow && TKvStringGrid::SelectCell(ACol, ARow);
    }
};

TGridCombo* ComboEditor(TKvStringGrid* g)
{
    for (int i = 0; i < g->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TGridCombo*>(g->Components(i))) return c;
    return nullptr;
}

} // namespace

TEST(GridEditDone, FiresAfterTheEndingHandlerReturned)
{
    TGridOnForm<> f;
    f.Show();
    ASSERT_NE(KvGridUnit::GridEditDoneMessage, 0u);
    std::vector<QString> log;
    f.grid->OnEditCellDone = [&](TObject*, int c, int r) { log.push_back(QStringLiteral("done %1,%2").arg(c).arg(r)); };
    f.grid->OnClick = [&](TObject*) {
        PostMessage(f.grid->Handle(), KvGridUnit::GridEditDoneMessage, 2, 5);
        log.push_back(QStringLiteral("handler end"));
    };
    f.grid->Click();
    ASSERT_EQ(log, std::vector<QString>{QStringLiteral("handler end")});
    QApplication::processEvents();
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("handler end"), QStringLiteral("done 2,5")}));
}

TEST(GridEditDone, EditOnDblClickOnlyClosesTheEditor)
{
    TGridOnForm<> f;
    f.Show();
    f.grid->MouseActions()->SetEditOnDblClickOnly(true);
    f.grid->SetOptions(f.grid->Options() | goEditing);
    f.grid->ShowEditor();
    f.grid->EditMode = true;
    ASSERT_TRUE(f.grid->EditorMode());
    int done = 0;
    f.grid->OnEditCellDone = [&](TObject*, int, int) { ++done; };
    PostMessage(f.grid->Handle(), KvGridUnit::GridEditDoneMessage, 1, 1);
    QApplication::processEvents();
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(f.grid->EditorMode());
    EXPECT_FALSE(f.grid->EditMode);
    EXPECT_FALSE(f.grid->Options().Contains(goEditing));
}

TEST(GridWheel, MovesTheRowByTheLinesPerNotch)
{
    struct Row {
        const char* name;
        int lines, increment, footers, start, delta, expect;
    };
    // 20 rows, one header row; the last row index is 19.
    const Row rows[] = {
        {"three lines towards the user", 3, 0, 0, 1, -120, 4},
        {"five lines from the desktop setting", 5, 0, 0, 1, -120, 6},
        {"clamped at the last row", 3, 0, 0, 18, -120, 19},
        {"clamped at the footer rows", 3, 0, 2, 15, -120, 17},
        {"away from the user", 3, 0, 0, 10, 120, 7},
        {"clamped at the header", 3, 0, 0, 2, 120, 1},
        {"the wheel increment wins", 3, 2, 0, 1, -120, 3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TWheelLinesScope lines(r.lines);
        TGridOnForm<> f;
        f.grid->SetFixedFooters(r.footers);
        f.grid->MouseActions()->SetWheelIncrement(r.increment);
        f.grid->SetRow(r.start);
        EXPECT_EQ(Wheel(f.grid, r.delta), 1);
        EXPECT_EQ(f.grid->Row(), r.expect);
    }
}

TEST(GridWheel, PageWhenTheDesktopSaysMinusOne)
{
    TWheelLinesScope lines(-1);
    TGridOnForm<> f;
    const int page = f.grid->VisibleRowCount();
    Wheel(f.grid, -120);
    EXPECT_EQ(f.grid->Row(), 1 + page);
}

TEST(GridWheel, ScrollActionMovesTheViewOnly)
{
    TWheelLinesScope lines(3);
    TGridOnForm<> f;
    f.grid->MouseActions()->SetWheelAction(waScroll);
    f.grid->SetRow(2);
    Wheel(f.grid, -120);
    EXPECT_EQ(f.grid->TopRow(), 4);
    EXPECT_EQ(f.grid->Row(), 2);
    Wheel(f.grid, 120);
    EXPECT_EQ(f.grid->TopRow(), 1);
    EXPECT_EQ(f.grid->Row(), 2);
}

TEST(GridWheel, OneRowWithFixedRowAlwaysDoesNothing)
{
    TGridOnForm<> f(1);
    f.grid->SetFixedRowAlways(true);
    const int row = f.grid->Row(), top = f.grid->TopRow();
    EXPECT_EQ(Wheel(f.grid, -120), 1) << "swallowed";
    EXPECT_EQ(f.grid->Row(), row);
    EXPECT_EQ(f.grid->TopRow(), top);
}

TEST(GridWheel, RefusedRowTakesTheHalfStep)
{
    struct Row { int lines, expect; };
    // Half of 3 is 1.5 and of 5 is 2.5: both go to the even 2.
    for (const Row r : {Row{3, 3}, Row{5, 3}}) {
        TWheelLinesScope lines(r.lines);
        TGridOnForm<TProbeGrid> f;
        f.grid->RefusedRow = 1 + r.lines;
        Wheel(f.grid, -120);
        EXPECT_EQ(f.grid->Row(), r.expect) << r.lines << " lines";
        ASSERT_EQ(f.grid->WheelDeltas.size(), 1u);
        EXPECT_EQ(f.grid->WheelDeltas[0], r.lines) << "the delta asked for";
    }
}

TEST(GridWheel, ParentIsAskedFirst)
{
    TGridOnForm<> f;
    bool asked = false;
    f.form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& Handled) {
        asked = true;
        Handled = true;
    };
    Wheel(f.grid, -120);
    EXPECT_TRUE(asked);
    EXPECT_EQ(f.grid->Row(), 1);
}

TEST(GridWheel, EventsFireWithAnIncrement)
{
    TWheelLinesScope lines(3);
    TGridOnForm<> f;
    int down = 0, up = 0;
    f.grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint p, bool&) { ++down; EXPECT_EQ(p, TPoint(0, 0)); };
    f.grid->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { ++up; };
    Wheel(f.grid, -120);
    EXPECT_EQ(down + up, 0) << "no increment, no disjunct selection";
    f.grid->MouseActions()->SetWheelIncrement(1);
    Wheel(f.grid, -120);
    Wheel(f.grid, 120);
    EXPECT_EQ(down, 1);
    EXPECT_EQ(up, 1);
}

TEST(GridZoom, CtrlWheelZoomsWithinTenAndSizesTheCells)
{
    TWheelLinesScope lines(5);
    TGridOnForm<TProbeGrid> f(5, 4);
    f.grid->SetColWidths(2, 0);
    f.grid->SetColWidths(3, 4);
    const int h = f.grid->RowHeights(1);
    for (int i = 0; i < 3; ++i) Wheel(f.grid, -120, TShiftState::FromBits(ssCtrl));
    EXPECT_EQ(f.grid->ZoomFactor, 10);
    EXPECT_EQ(f.grid->ColWidths(0), 90);
    EXPECT_EQ(f.grid->ColWidths(2), 0) << "a zero-width column stays 0";
    EXPECT_EQ(f.grid->RowHeights(1), h + 10);
    EXPECT_EQ(f.grid->Row(), 1) << "zoom does not move the row";
    ASSERT_EQ(f.grid->AutoSizes.size(), 3u);
    EXPECT_EQ(f.grid->AutoSizes[0], std::make_tuple(true, 4, 4));
    for (int i = 0; i < 5; ++i) Wheel(f.grid, 120, TShiftState::FromBits(ssCtrl));
    EXPECT_EQ(f.grid->ZoomFactor, -10);
    EXPECT_EQ(f.grid->ColWidths(0), 70);
    EXPECT_EQ(f.grid->ColWidths(3), 4) << "a width that would reach 0 is kept";
}

TEST(GridPanning, NoStartWithoutDataRows)
{
    // A rule grid with its header row only.
    TGridOnForm<> f(1);
    f.grid->SetFixedRowAlways(true);
    f.grid->SetRowCount(1);
    ASSERT_EQ(f.grid->FixedRows(), 1);
    f.grid->Perform(WM_MBUTTONDOWN, 0, XY(50, 10));
    EXPECT_FALSE(f.grid->Panning());
}

TEST(GridPanning, AnyButtonOrKeyStops)
{
    for (UINT msg : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_KEYDOWN}) {
        TGridOnForm<> f;
        f.Show();
        f.grid->Perform(WM_MBUTTONDOWN, 0, XY(100, 100));
        ASSERT_TRUE(f.grid->Panning());
        EXPECT_EQ(Screen->Cursor(), 8000);
        EXPECT_FALSE(f.grid->ShowHint());
        f.grid->Perform(msg, msg == WM_KEYDOWN ? VK_SHIFT : 0, msg == WM_KEYDOWN ? 0 : XY(100, 100));
        EXPECT_FALSE(f.grid->Panning()) << msg;
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_TRUE(f.grid->ShowHint());
    }
}

TEST(GridPanning, TicksMoveTheCellByTheDirectionZones)
{
    struct Row { int dx, dy; TKvStringGrid::TIntelliPan pan; int cursor, dCol, dRow; };
    const Row rows[] = {
        {0, 5, TKvStringGrid::ipVertical, 8000, 0, 0},
        {0, 6, TKvStringGrid::ipVertical, 8001, 0, 1},
        {0, -6, TKvStringGrid::ipVertical, 8004, 0, -1},
        {9, 0, TKvStringGrid::ipVertical, 8000, 0, 0},
        {-6, 0, TKvStringGrid::ipHorizontal, 8002, -1, 0},
        {6, -6, TKvStringGrid::ipBoth, 8005, 1, -1},
        {-6, -6, TKvStringGrid::ipBoth, 8006, -1, -1},
        {6, 6, TKvStringGrid::ipBoth, 8007, 1, 1},
        {-6, 6, TKvStringGrid::ipBoth, 8008, -1, 1},
    };
    for (const Row& r : rows) {
        TGridOnForm<> f;
        f.grid->SetIntelliPan(r.pan);
        f.grid->SetRow(5);
        f.grid->SetCol(2);
        f.grid->Perform(WM_MBUTTONDOWN, 0, XY(100, 100));
        f.grid->Perform(WM_MOUSEMOVE, 0, XY(100 + r.dx, 100 + r.dy));
        f.grid->Perform(WM_TIMER, TKvStringGrid::PanTimerID);
        EXPECT_EQ(Screen->Cursor(), r.cursor) << r.dx << "," << r.dy;
        EXPECT_EQ(f.grid->Col(), 2 + r.dCol) << r.dx << "," << r.dy;
        EXPECT_EQ(f.grid->Row(), 5 + r.dRow) << r.dx << "," << r.dy;
        f.grid->Perform(WM_MOUSEMOVE, 0, XY(100 + r.dx + 1, 100 + r.dy));
        EXPECT_EQ(Screen->Cursor(), r.cursor) << "a mouse move keeps the panning cursor";
        f.grid->Perform(WM_KEYDOWN, VK_ESCAPE);
    }
}

TEST(GridEditorNotifications, ListPickAndTypedComboText)
{
    TGridOnForm<> f(6, 4);
    f.grid->HideColumn(0);
    f.grid->SetCol(1); // real column 2
    f.grid->EditMode = true;
    TGridCombo* combo = ComboEditor(f.grid);
    ASSERT_NE(combo, nullptr);
    combo->Items()->Add(QStringLiteral("a"));
    combo->Items()->Add(QStringLiteral("b"));
    std::vector<std::tuple<int, int, int, QString>> calls;
    f.grid->OnComboChange = [&](TObject*, int c, int r, int i, const QString& s) { calls.emplace_back(c, r, i, s); };
    combo->SetItemIndex(1);
    NotifyParent(combo, CBN_SELCHANGE);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], std::make_tuple(2, 1, 1, QStringLiteral("b")));

    calls.clear();
    combo->SetItemIndex(-1);
    combo->SetText(QStringLiteral("xy"));
    NotifyParent(combo, CBN_EDITCHANGE);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_tuple(2, 1, -1, QStringLiteral("xy")));
    EXPECT_EQ(calls[1], std::make_tuple(1, 1, -1, QStringLiteral("xy"))) << "the display column";
}

TEST(GridEditorNotifications, CloseUpAndDropDownReachTheHooks)
{
    class THookGrid : public TKvStringGrid {
    public:
        using TKvStringGrid::TKvStringGrid;
        std::vector<QString> Log;
        void ComboCloseUp(int ARow, int ACol) override { Log.push_back(QStringLiteral("up %1,%2").arg(ARow).arg(ACol)); }
        void ComboDropDown(int ARow, int ACol) override { Log.push_back(QStringLiteral("down %1,%2").arg(ARow).arg(ACol)); }
    };
    TGridOnForm<THookGrid> f(6, 4);
    f.grid->HideColumn(0);
    f.grid->SetRow(3);
    f.grid->SetCol(1);
    TGridCombo* combo = ComboEditor(f.grid);
    NotifyParent(combo, CBN_DROPDOWN);
    NotifyParent(combo, CBN_CLOSEUP);
    EXPECT_EQ(f.grid->Log, (std::vector<QString>{QStringLiteral("down 3,2"), QStringLiteral("up 3,2")}));
}

TEST(GridEditorNotifications, EachEditorHandlesItsChangeOnce)
{
    class TCountingEdit : public TEdit {
    public:
        using TEdit::TEdit;
        int Commands = 0;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == CN_COMMAND) ++Commands;
            TEdit::WndProc(m);
        }
    };
    TGridOnForm<> f;
    auto* edit = new TCountingEdit(f.grid);
    edit->SetParent(f.grid);
    NotifyParent(edit, EN_CHANGE);
    EXPECT_EQ(edit->Commands, 1);
    f.grid->SetShowEditProcess(true);
    NotifyParent(edit, EN_CHANGE);
    EXPECT_EQ(edit->Commands, 2);
}

TEST(GridEditorNotifications, ShowEditProcessWritesTheCellWhileTyping)
{
    struct Row { const char* name; bool process; TEditorType kind; bool written; };
    const Row rows[] = {
        {"text editor writes per change", true, edNormal, true},
        {"spin kind opens no text editor yet", true, edSpinEdit, false},
        {"combo list opens its combo instead", true, edComboList, false},
        {"a text editor opening switches the write-through on", false, edNormal, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TGridOnForm<> f;
        f.Show();
        f.grid->SetShowEditProcess(r.process);
        const TEditorType kind = r.kind;
        f.grid->OnGetEditorType = [kind](TObject*, int, int, TEditorType& e) { e = kind; };
        f.grid->SetFocus();
        f.grid->ShowEditor();
        TInplaceEdit* ed = f.grid->InplaceEditor();
        if (kind != edNormal) {
            // Special kinds open their own control (or, before it exists, nothing): no text editor.
            EXPECT_TRUE(ed == nullptr || !ed->Visible());
            continue;
        }
        ASSERT_NE(ed, nullptr);
        ed->SetText(QString());
        QTest::keyClicks(ed->InputWidget(), QStringLiteral("zq"));
        ASSERT_TRUE(f.grid->EditorMode());
        EXPECT_EQ(f.grid->Cells(0, 1) == QStringLiteral("zq"), r.written) << f.grid->Cells(0, 1).toStdString();
    }
}

TEST(GridCancelMode, EndsAnEnhancedColumnMove)
{
    TGridOnForm<> f;
    f.grid->SetGridState(gsColMoving);
    Screen->SetCursor(crDrag);
    f.grid->Perform(WM_CANCELMODE);
    EXPECT_EQ(f.grid->GridState(), gsNormal);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(GridWheel, ScrolledToTheEndKeepsTheLastRowAboveTheSearchBar)
{
    TWheelLinesScope lines(3);
    TGridOnForm<> f;
    f.Show();
    f.grid->MouseActions()->SetWheelAction(waScroll);
    // The panel is shown first, with the view at the top: nothing moves then.
    f.grid->SearchFooter()->SetVisible(true);
    ASSERT_EQ(f.grid->TopRow(), 1);
    const int limit = f.grid->ClientRect().Bottom - f.grid->SearchPanel()->Height() + 2;
    for (int i = 0; i < 20; ++i) Wheel(f.grid, -120);
    const int last = f.grid->RowCount() - 1;
    EXPECT_GT(f.grid->CellRect(0, last).Bottom, 0);
    EXPECT_LE(f.grid->CellRect(0, last).Bottom, limit);
}

TEST(GridWheel, TheSearchBarAndTheLastRowHoldTheLastRowAboveIt)
{
    // Showing the bar with the view at its end, and moving to the last row
    // under a shown bar, both leave the last row above the bar.
    for (bool viaRow : {false, true}) {
        SCOPED_TRACE(viaRow ? "row setter" : "bar shown");
        TGridOnForm<> f;
        f.Show();
        if (viaRow) {
            f.grid->SearchFooter()->SetVisible(true);
            f.grid->SetRow(f.grid->RowCount() - 1);
        } else {
            f.grid->SetTopRow(f.grid->RowCount() - f.grid->VisibleRowCount());
            f.grid->SearchFooter()->SetVisible(true);
        }
        const int limit = f.grid->ClientRect().Bottom - f.grid->SearchPanel()->Height() + 2;
        const TRect last = f.grid->CellRect(0, f.grid->RowCount() - 1);
        EXPECT_GT(last.Bottom, 0);
        EXPECT_LE(last.Bottom, limit);
    }
}

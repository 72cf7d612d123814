// The drag out of the grid as its mouse move starts it (threshold, columns
// only, refusing targets, what a move effect removes), the feedback of the
// enhanced column move (cursor, arrows, image, refusals), the floating image
// of SelectionToForm and the geometry behind them; one picture of the whole.
#include "grid_click_messages.h"
#include "wndproc_fixture.h"

#include "grid_input/ksg_drag_drop.h"
#include "platform/ui/extctrls.h"

#include <QtCore/QDir>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

using TStep = TScriptedDragLoop::TStep;

// A grid ready to drag cells out: no editing (a press in the selection arms the drag), a selection.
struct TDragGrid : TGridOnForm<> {
    TKeyStateScope keys{VK_LBUTTON};
    TScriptedDragLoop script;
    TDragLoopScope loop{script.Loop()};
    std::vector<uint32_t> stops;
    int starts = 0;
    TDragGrid() : TGridOnForm<>(12, 4, 400, 260)
    {
        Show();
        grid->SetOptions(grid->Options() - TGridOptions(goEditing));
        grid->DragDropSettings()->SetOleDropSource(true);
        grid->SetSelection(TGridRect(1, 2, 2, 3));
        grid->OnOleDragStop = [this](TObject*, uint32_t e) { stops.push_back(e); };
        grid->OnOleDragStart = [this](TObject*, int, int) { ++starts; };
    }
    TPoint Press(int c, int r)
    {
        const TRect R = grid->CellRect(c, r);
        const TPoint p((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        grid->Perform(WM_LBUTTONDOWN, ssLeft, ClickAt(p.X, p.Y));
        return p;
    }
    void MoveTo(const TPoint& p) { grid->Perform(WM_MOUSEMOVE, ssLeft, ClickAt(p.X, p.Y)); }
    // Press in the selection and move far enough to start the drag.
    void Drag()
    {
        const TPoint p = Press(1, 2);
        ASSERT_TRUE(grid->SelectionClickArmed());
        MoveTo(TPoint(p.X + 10, p.Y));
    }
};

// A target that takes nothing.
class TRefusingTarget : public TKSGDropTarget {
public:
    TRefusingTarget() { SetAcceptText(false); }
};

} // namespace

TEST(GridDragStart, StartsOnlyMoreThanThreePixelsAwayOnEitherAxis)
{
    struct TCase {
        int Dx, Dy;
        bool Starts;
    };
    const TCase cases[] = {{3, 0, false}, {0, 3, false}, {-3, -3, false}, {4, 0, true}, {0, -4, true}, {-4, 2, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Dx << "," << c.Dy);
        EXPECT_EQ(TKvStringGrid::DragThresholdPassed(TPoint(50, 50), TPoint(50 + c.Dx, 50 + c.Dy)), c.Starts);
        TDragGrid d;
        d.script.Steps = {TStep{0}};
        const TPoint p = d.Press(1, 2);
        ASSERT_TRUE(d.grid->SelectionClickArmed());
        d.MoveTo(TPoint(p.X + c.Dx, p.Y + c.Dy));
        EXPECT_EQ(d.script.Runs, c.Starts ? 1 : 0);
        EXPECT_EQ(d.grid->SelectionClickArmed(), !c.Starts);
    }
    // Without the button physically down nothing starts.
    TDragGrid d;
    d.keys.SetDown(VK_LBUTTON, false);
    const TPoint p = d.Press(1, 2);
    d.MoveTo(TPoint(p.X + 20, p.Y));
    EXPECT_EQ(d.script.Runs, 0);
}

TEST(GridDragStart, WithColumnsOnlyADataCellDragBecomesARangeSelection)
{
    TDragGrid d;
    d.grid->DragDropSettings()->SetOleColumnsOnly(true);
    d.Drag();
    EXPECT_EQ(d.script.Runs, 0);
    EXPECT_EQ(d.starts, 0);
    EXPECT_EQ(d.grid->GridState(), gsSelecting);
    // The application's veto does the same.
    TDragGrid v;
    QString data;
    v.grid->OnOleDrag = [&](TObject*, int, int, const QString& s, bool& allow) {
        data = s;
        allow = false;
    };
    v.Drag();
    EXPECT_EQ(data, v.grid->Cells(1, 2));
    EXPECT_EQ(v.script.Runs, 0);
    EXPECT_EQ(v.grid->GridState(), gsSelecting);
}

TEST(GridDragStart, ADragEndedOverARefusingTargetLeavesTheCells)
{
    TDragGrid d;
    TRefusingTarget target;
    d.script.Target = &target;
    d.script.Steps = {TStep{MK_LBUTTON}, TStep{MK_LBUTTON}, TStep{0}};
    d.grid->DragDropSettings()->SetOleRemoveRows(true);
    d.Drag();
    ASSERT_EQ(d.script.Runs, 1);
    EXPECT_EQ(d.starts, 1);
    EXPECT_EQ(d.script.Feedback, (std::vector<DWORD>{DROPEFFECT_NONE, DROPEFFECT_NONE}));
    EXPECT_TRUE(d.stops.empty());
    EXPECT_EQ(d.grid->Cells(1, 2), QStringLiteral("1:2"));
    EXPECT_EQ(d.grid->DropSelection(), TGridRect(1, 2, 2, 3));
    // The dragged data: the selected cells as text, the pressed cell as RTF.
    auto* data = dynamic_cast<TSourceDataObject*>(d.script.Dragged.get());
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->textdata, d.grid->SelectedText());
    EXPECT_EQ(data->rtfdata, QStringLiteral("1:2"));
    EXPECT_EQ(d.grid->MoveForm(), nullptr) << "the image goes with the drag";
}

TEST(GridDragStart, AMoveEffectClearsOrRemovesUnlessCopyAlways)
{
    struct TCase {
        const char* Name;
        bool RowSelect, CopyAlways;
        bool Cleared, RowsRemoved;
    };
    for (const TCase& c : {TCase{"cleared without row select", false, false, true, false},
                           TCase{"kept with copy always", false, true, false, false},
                           TCase{"rows removed with row select", true, false, false, true}}) {
        SCOPED_TRACE(c.Name);
        TDragGrid d;
        d.grid->DragDropSettings()->SetOleRemoveRows(true);
        d.grid->DragDropSettings()->SetOleCopyAlways(c.CopyAlways);
        d.script.Steps = {TStep{MK_LBUTTON, false, DROPEFFECT_MOVE}, TStep{0}};
        const int rows = d.grid->RowCount();
        if (c.RowSelect) {
            d.grid->SetOptions(d.grid->Options() | goRowSelect);
            d.grid->SetSelection(TGridRect(0, 2, 3, 3));
        }
        d.Drag();
        ASSERT_EQ(d.script.Runs, 1);
        EXPECT_EQ(d.stops, std::vector<uint32_t>{DROPEFFECT_MOVE});
        EXPECT_EQ(d.grid->Cells(1, 2).isEmpty(), c.Cleared);
        EXPECT_EQ(d.grid->Cells(2, 3).isEmpty(), c.Cleared);
        EXPECT_EQ(d.grid->Cells(1, 4), c.RowsRemoved ? QStringLiteral("1:6") : QStringLiteral("1:4"));
        EXPECT_EQ(d.grid->RowCount(), c.RowsRemoved ? rows - 2 : rows);
    }
}

TEST(GridMoveFeedback, TheCursorTellsTheMoveAndARefusedMoveEnds)
{
    TGridOnForm<> f(8, 6, 500, 200);
    f.Show();
    TKvStringGrid* g = f.grid;
    g->Movecell = 1;
    g->MoveOfsX = g->MoveOfsY = 4;
    g->Clickposx = 1;
    g->Clickposy = 1;
    g->SetGridState(gsColMoving);
    std::vector<int> moving;
    g->OnColumnMoving = [&](TObject*, int c, bool& allow) {
        moving.push_back(c);
        allow = c != 4;
    };
    auto over = [&](int c) {
        const TRect R = g->CellRect(c, 0);
        g->Perform(WM_MOUSEMOVE, ssLeft, ClickAt(R.Left + 10, R.Top + 5));
    };
    over(3);
    EXPECT_EQ(Screen->Cursor(), crDrag);
    ASSERT_NE(g->MoveForm(), nullptr);
    over(3);
    // The arrows mark the right edge of column 3 (moving right).
    const TRect R = g->CellRect(3, 0);
    const TPoint tl = g->ClientToScreen(TPoint(R.Left, R.Top));
    const auto places =
        TKvStringGrid::ColumnArrowPlaces(TRect(tl.X, tl.Y, tl.X + R.Width(), tl.Y + R.Height()), false);
    ASSERT_TRUE(g->ArwU()->Visible());
    EXPECT_EQ(g->ArwU()->ClientToScreen(TPoint(0, 0)), places.First);
    EXPECT_EQ(g->ArwD()->ClientToScreen(TPoint(0, 0)), places.Second);
    over(4);
    EXPECT_EQ(Screen->Cursor(), crNoDrop);
    EXPECT_EQ(moving, (std::vector<int>{3, 3, 4}));

    bool refuse = true;
    g->OnColumnMove = [&](TObject*, int c, bool& allow) {
        EXPECT_EQ(c, 1);
        allow = !refuse;
    };
    over(2);
    EXPECT_EQ(g->GridState(), gsNormal);
    EXPECT_EQ(g->MoveForm(), nullptr);
    EXPECT_FALSE(g->ArwU()->Visible());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    Screen->SetCursor(crDefault);
}

TEST(GridMoveFeedback, ArrowAndImagePlaces)
{
    const TRect cell(100, 50, 180, 74);
    auto cols = TKvStringGrid::ColumnArrowPlaces(cell, true);
    EXPECT_EQ(cols.First, TPoint(95, 74));
    EXPECT_EQ(cols.Second, TPoint(95, 42));
    cols = TKvStringGrid::ColumnArrowPlaces(cell, false);
    EXPECT_EQ(cols.First, TPoint(175, 74));
    auto rows = TKvStringGrid::RowArrowPlaces(cell, true);
    EXPECT_EQ(rows.First, TPoint(90, 45));
    EXPECT_EQ(rows.Second, TPoint(180, 45));
    rows = TKvStringGrid::RowArrowPlaces(cell, false);
    EXPECT_EQ(rows.First, TPoint(90, 69));
    EXPECT_EQ(TKvStringGrid::SelectionImageSize(TRect(10, 20, 50, 40), TRect(90, 60, 130, 80)), (TSize{121, 61}));

    TGridOnForm<> f(5, 4, 300, 150);
    f.grid->SetColWidths(0, 30);
    EXPECT_EQ(f.grid->FloatingImagePlace(TPoint(400, 300), 90), TPoint(400, 300));
    f.grid->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(f.grid->FloatingImagePlace(TPoint(400, 300), 90), TPoint(340, 300));
}

TEST(GridSelectionToForm, SizeAndTheFixedLineOnTheLeftEdge)
{
    TGridOnForm<> f(6, 4, 400, 200);
    TKvStringGrid* g = f.grid;
    g->SetFixedCols(1);
    g->SetOptions(g->Options() | goFixedVertLine | goFixedHorzLine);
    g->SetGridFixedLineColor(clRed);
    f.Show();
    struct TCase {
        TGridRect Cells;
        bool RedLeft;
    };
    for (const TCase& c : {TCase{TGridRect(0, 1, 1, 2), true}, TCase{TGridRect(1, 1, 2, 2), false}}) {
        std::unique_ptr<TNoActiveForm> form(g->SelectionToForm(c.Cells));
        const TSize want = TKvStringGrid::SelectionImageSize(g->UnclippedCellRect(c.Cells.Left, c.Cells.Top),
                                                             g->UnclippedCellRect(c.Cells.Right, c.Cells.Bottom));
        EXPECT_EQ(form->Width(), want.cx);
        EXPECT_EQ(form->Height(), want.cy);
        const TRect a = g->UnclippedCellRect(c.Cells.Left, c.Cells.Top);
        const TRect b = g->UnclippedCellRect(c.Cells.Right, c.Cells.Bottom);
        EXPECT_EQ(want, (TSize{b.Right - a.Left + 1, b.Bottom - a.Top + 1}));
        EXPECT_NEAR(form->windowOpacity(), 192 / 255.0, 0.01);
        auto* image = dynamic_cast<TImage*>(form->Controls(0));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Align(), alClient);
        const QImage pic = image->Picture()->Bitmap()->Image();
        EXPECT_EQ(pic.pixelColor(0, pic.height() / 2) == QColor(Qt::red), c.RedLeft);
    }
}

TEST(GridMoveFeedback, PictureOfTheFloatingImageAndTheArrows)
{
    TGridOnForm<> f(10, 5, 460, 220);
    TKvStringGrid* g = f.grid;
    // Room above the header for the arrow that points down at it.
    f.form->SetBounds(0, 0, 520, 300);
    g->SetBounds(20, 30, 460, 220);
    g->SetFixedCols(1);
    for (int r = 1; r < 10; ++r) g->SetColors(2, r, 0xC0E0FF);
    f.Show();
    g->Movecell = 2;
    g->MoveOfsX = 20;
    g->MoveOfsY = 8;
    g->Clickposx = g->Clickposy = 1;
    g->SetGridState(gsColMoving);
    const TRect R = g->CellRect(3, 0);
    g->Perform(WM_MOUSEMOVE, ssLeft, ClickAt(R.Left + 30, R.Top + 40));
    g->Perform(WM_MOUSEMOVE, ssLeft, ClickAt(R.Left + 32, R.Top + 40));
    QApplication::processEvents();
    ASSERT_NE(g->MoveForm(), nullptr);
    ASSERT_TRUE(g->ArwU()->Visible() && g->ArwD()->Visible());
    // The form's own picture holds the grid and the arrows; the floating image is a window of its own.
    QImage shot = f.form->grab().toImage();
    {
        QPainter p(&shot);
        p.setOpacity(192 / 255.0);
        const TPoint at = f.form->ScreenToClient(TPoint(g->MoveForm()->Left(), g->MoveForm()->Top()));
        p.drawImage(at.X, at.Y, g->MoveForm()->grab().toImage());
    }
    const QString path = QDir(QStringLiteral(KV_TEST_BINARY_DIR)).filePath(QStringLiteral("grid_drag_feedback.png"));
    EXPECT_TRUE(shot.save(path));
    g->SetGridState(gsNormal);
    Screen->SetCursor(crDefault);
}

TEST(GridDragStart, TheGridsRtfSettingIsTheProgramsSwitch)
{
    TGridOnForm<> f(3, 3);
    EXPECT_FALSE(DropRTFEnabled());
    f.grid->DragDropSettings()->SetOleDropRTF(true);
    EXPECT_TRUE(DropRTFEnabled());
    f.grid->DragDropSettings()->SetOleDropRTF(false);
    EXPECT_FALSE(DropRTFEnabled());
}

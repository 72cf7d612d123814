// The stock grid: navigation and the 0..127 scroll scale, selection, painting
// states, storage beyond the counts, in-place editing, sizing and moving.
#include "platform/stdgrid/grids.h"

#include "platform/core/sysutils.h"
#include "platform/ui/forms.h"
#include "platform/ui/menus.h"
#include "platform/ui/stdctrls.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>
#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

// A string grid that records what the base asks of it.
class TProbeGrid : public TStringGrid {
public:
    struct Drawn {
        int Col, Row;
        TRect R;
        unsigned State;
    };
    std::vector<Drawn> DrawnCells;
    std::vector<std::tuple<int, int, QString>> EditWrites;
    std::vector<std::pair<int, int>> ColMoves;
    QStringList Notes;
    int EditLimit = 0;

    using TCustomGrid::CalcDrawInfo;
    void RepaintNow()
    {
        DrawnCells.clear();
        Invalidate();
        (void)Snapshot();
    }
    void SendScroll(UINT msg, int code, int pos = 0) { Perform(msg, MAKEWPARAM(unsigned(code), unsigned(pos)), 0); }

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override
    {
        DrawnCells.push_back({ACol, ARow, ARect, AState.Bits()});
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
    void SetEditText(int ACol, int ARow, const QString& Value) override
    {
        EditWrites.emplace_back(ACol, ARow, Value);
        TStringGrid::SetEditText(ACol, ARow, Value);
    }
    int GetEditLimit() override { return EditLimit; }
    void SizeChanged(int OldColCount, int OldRowCount) override
    {
        Notes.push_back(QStringLiteral("size %1x%2").arg(OldColCount).arg(OldRowCount));
        TStringGrid::SizeChanged(OldColCount, OldRowCount);
    }
    void ColWidthsChanged() override { Notes.push_back(QStringLiteral("widths")); }
    void RowHeightsChanged() override { Notes.push_back(QStringLiteral("heights")); }
    void TopLeftChanged() override
    {
        Notes.push_back(QStringLiteral("topleft %1,%2").arg(LeftCol()).arg(TopRow()));
        TStringGrid::TopLeftChanged();
    }
    void ColumnMoved(int FromIndex, int ToIndex) override
    {
        ColMoves.emplace_back(FromIndex, ToIndex);
        TStringGrid::ColumnMoved(FromIndex, ToIndex);
    }
};

// Rows take 25 pixels (24 + one line) and columns 65; no border, so client
// coordinates equal widget coordinates.
class GridTest : public ::testing::Test {
protected:
    std::unique_ptr<TProbeGrid> g;

    void Make(int cols, int rows, int width, int height)
    {
        g = std::make_unique<TProbeGrid>();
        g->SetBorderStyle(bsNone);
        g->SetColCount(cols);
        g->SetRowCount(rows);
        g->SetBounds(0, 0, width, height);
        g->Show();
        QApplication::setActiveWindow(g.get());
        (void)QTest::qWaitForWindowActive(g.get());
        g->SetFocus();
        QApplication::processEvents();
    }
    void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : g.get();
        QTest::keyClick(target, Qt::Key(qtKey), mods);
    }
    QPoint At(int x, int y) const
    {
        TPoint o = g->ClientOrigin();
        return QPoint(x + o.X, y + o.Y);
    }
};

TEST_F(GridTest, KeysMoveTheCurrentCellAndScrollOnTheFixedScale)
{
    // 100 rows; a client 127 high shows the fixed row and 4 full rows.
    Make(5, 100, 400, 127);
    ASSERT_EQ(g->ClientHeight(), 127);
    ASSERT_EQ(g->VisibleRowCount(), 4);
    ASSERT_TRUE(g->ScrollBarVisible(SB_VERT));
    ASSERT_FALSE(g->ScrollBarVisible(SB_HORZ));

    struct Step {
        int key;
        Qt::KeyboardModifiers mods;
        int col, row, top, pos;
    };
    const Step steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 1, 2, 1, 0},
        {Qt::Key_Down, Qt::NoModifier, 1, 3, 1, 0},
        {Qt::Key_Down, Qt::NoModifier, 1, 4, 1, 0},
        {Qt::Key_Down, Qt::NoModifier, 1, 5, 2, 1},     // MulDiv(1, 127, 95) = 1
        {Qt::Key_PageDown, Qt::NoModifier, 1, 9, 6, 7}, // MulDiv(5, 127, 95) = 7
        {Qt::Key_Right, Qt::NoModifier, 2, 9, 6, 7},
        {Qt::Key_End, Qt::NoModifier, 4, 9, 6, 7},
        {Qt::Key_Right, Qt::NoModifier, 4, 9, 6, 7},    // stays at the last column
        {Qt::Key_Home, Qt::NoModifier, 1, 9, 6, 7},
        {Qt::Key_End, Qt::ControlModifier, 4, 99, 96, 127},
        {Qt::Key_Down, Qt::NoModifier, 4, 99, 96, 127}, // stays at the last row
        {Qt::Key_PageUp, Qt::NoModifier, 4, 95, 92, 122}, // MulDiv(91, 127, 95) = 122
        {Qt::Key_Up, Qt::NoModifier, 4, 94, 92, 122},
        {Qt::Key_Home, Qt::ControlModifier, 1, 1, 1, 0},
        {Qt::Key_Up, Qt::NoModifier, 1, 1, 1, 0},       // never onto the fixed row
        {Qt::Key_Left, Qt::NoModifier, 1, 1, 1, 0},
    };
    int i = 0;
    for (const Step& s : steps) {
        Key(s.key, s.mods);
        SCOPED_TRACE(i++);
        EXPECT_EQ(g->Col(), s.col);
        EXPECT_EQ(g->Row(), s.row);
        EXPECT_EQ(g->TopRow(), s.top);
        EXPECT_EQ(g->GetScrollPos(SB_VERT), s.pos);
    }
}

TEST_F(GridTest, ScrollMessagesMoveTopRowOnTheFixedScale)
{
    Make(5, 100, 400, 127);
    struct Case {
        int code, pos, top, barPos;
    };
    const Case cases[] = {
        {SB_THUMBPOSITION, 64, 49, 64}, // 1 + MulDiv(64, 95, 127) = 49; back: MulDiv(48, 127, 95) = 64
        {SB_LINEDOWN, 0, 50, 66},
        {SB_PAGEUP, 0, 46, 60},
        {SB_THUMBTRACK, 127, 46, 127},  // no thumb tracking: only the thumb moves
        {SB_THUMBPOSITION, 60, 46, 60}, // released where it started: back on the scale
        {SB_BOTTOM, 0, 96, 127},
        {SB_LINEDOWN, 0, 96, 127},
        {SB_PAGEDOWN, 0, 96, 127},
        {SB_TOP, 0, 1, 0},
        {SB_LINEUP, 0, 1, 0},
        {SB_ENDSCROLL, 0, 1, 0},
    };
    for (const Case& c : cases) {
        g->SendScroll(WM_VSCROLL, c.code, c.pos);
        SCOPED_TRACE(c.code);
        EXPECT_EQ(g->TopRow(), c.top);
        EXPECT_EQ(g->GetScrollPos(SB_VERT), c.barPos);
    }
    EXPECT_EQ(g->Row(), 1) << "scrolling leaves the current cell";

    TGridOptions o = g->Options();
    g->SetOptions(o << goThumbTracking);
    g->SendScroll(WM_VSCROLL, SB_THUMBTRACK, 127);
    EXPECT_EQ(g->TopRow(), 96);
}

TEST_F(GridTest, BarsFollowCountAndSizeChanges)
{
    Make(5, 3, 400, 127);
    EXPECT_FALSE(g->ScrollBarVisible(SB_VERT));
    g->SetRowCount(50);
    EXPECT_TRUE(g->ScrollBarVisible(SB_VERT));
    g->SetColCount(20);
    EXPECT_TRUE(g->ScrollBarVisible(SB_HORZ));
    g->SetTopRow(40);
    g->SetRowCount(4);
    EXPECT_FALSE(g->ScrollBarVisible(SB_VERT));
    EXPECT_EQ(g->TopRow(), 1);
    g->SetScrollBars(ssNone);
    EXPECT_FALSE(g->ScrollBarVisible(SB_HORZ));
}

TEST_F(GridTest, ShiftArrowExtendsTheSelectionOnlyWithRangeSelect)
{
    Make(6, 6, 500, 200);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g->Selection(), TGridRect(1, 1, 2, 2));
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 2);
    Key(Qt::Key_Down);
    EXPECT_EQ(g->Selection(), TGridRect(2, 3, 2, 3));

    TGridOptions o = g->Options();
    g->SetOptions(o >> goRangeSelect);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(g->Selection(), TGridRect(3, 3, 3, 3));
}

TEST_F(GridTest, TabMovesOnlyWithGoTabs)
{
    Make(3, 4, 500, 200);
    Key(Qt::Key_Tab);
    EXPECT_EQ(g->Col(), 1);
    TGridOptions o = g->Options();
    g->SetOptions(o << goTabs);
    Key(Qt::Key_Tab);
    EXPECT_EQ(g->Col(), 2);
    Key(Qt::Key_Tab); // wraps to the next row
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 2);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 1);
}

TEST_F(GridTest, PaintDrawsExactlyTheVisibleCellsWithTheirStates)
{
    // Client 183 x 83 beside both bars: columns 0, 1 and part of 2, rows 0..2 and part of 3.
    Make(10, 10, 200, 100);
    ASSERT_EQ(g->ClientWidth(), 183);
    ASSERT_EQ(g->ClientHeight(), 83);
    g->SetSelection(TGridRect(1, 1, 2, 2));
    g->RepaintNow();
    std::set<std::pair<int, int>> seen;
    for (const auto& d : g->DrawnCells) {
        EXPECT_TRUE(seen.insert({d.Col, d.Row}).second) << "cell drawn twice " << d.Col << "," << d.Row;
        TGridDrawState st = TGridDrawState::FromBits(d.State);
        const bool fixed = d.Col == 0 || d.Row == 0;
        EXPECT_EQ(st.Contains(gdFixed), fixed);
        EXPECT_EQ(st.Contains(gdSelected), !fixed && d.Col <= 2 && d.Row <= 2);
        const bool current = d.Col == g->Col() && d.Row == g->Row();
        EXPECT_EQ(st.Contains(gdFocused), current && g->Focused());
        // Partly visible cells still get their whole rectangle.
        EXPECT_EQ(d.R.Width(), 64);
        EXPECT_EQ(d.R.Height(), 24);
        EXPECT_EQ(d.R.TopLeft(), g->CellRect(d.Col, d.Row).TopLeft());
    }
    EXPECT_TRUE(g->Focused());
    std::set<std::pair<int, int>> want;
    for (int c = 0; c <= 2; ++c)
        for (int r = 0; r <= 3; ++r) want.insert({c, r});
    EXPECT_EQ(seen, want);

    g->SetTopRow(5);
    g->SetLeftCol(3);
    g->RepaintNow();
    seen.clear();
    for (const auto& d : g->DrawnCells) seen.insert({d.Col, d.Row});
    want = {{0, 0}, {3, 0}, {4, 0}, {0, 5}, {0, 6}, {0, 7}, {3, 5}, {3, 6}, {3, 7}, {4, 5}, {4, 6}, {4, 7}};
    EXPECT_EQ(seen, want);
    EXPECT_EQ(g->CellRect(1, 1), TRect()) << "a cell scrolled away has no rectangle";
    EXPECT_EQ(g->CellRect(3, 5), TRect(65, 25, 129, 49));
}

TEST_F(GridTest, MouseCoordinatesFindCells)
{
    Make(10, 10, 200, 100);
    struct Case {
        int x, y, col, row;
    };
    const Case cases[] = {{0, 0, 0, 0}, {64, 24, 0, 0}, {65, 25, 1, 1}, {150, 80, 2, 3}, {190, 10, -1, -1}, {10, 90, -1, -1}};
    for (const Case& c : cases) {
        TGridCoord at = g->MouseCoord(c.x, c.y);
        EXPECT_EQ(at.X, c.col) << c.x << "," << c.y;
        EXPECT_EQ(at.Y, c.row) << c.x << "," << c.y;
    }
}

// Right to left: column 0 at the right; client points, cell rectangles, clicks and
// sizing are mirrored, while painting works in the unmirrored layout.
TEST_F(GridTest, RightToLeftMirrorsCellsClicksSizingAndPaint)
{
    Make(5, 5, 400, 200);
    g->SetBiDiMode(bdRightToLeft);
    ASSERT_EQ(g->ClientWidth(), 400);
    EXPECT_EQ(g->CellRect(0, 0), TRect(336, 0, 400, 24));
    EXPECT_EQ(g->CellRect(1, 1), TRect(271, 25, 335, 49));
    struct Case {
        int x, y, col, row;
    };
    const Case cases[] = {{399, 0, 0, 0}, {336, 24, 0, 0}, {334, 25, 1, 1}, {300, 30, 1, 1}, {10, 10, -1, -1}};
    for (const Case& c : cases) {
        const TGridCoord at = g->MouseCoord(c.x, c.y);
        EXPECT_EQ(at.X, c.col) << c.x << "," << c.y;
        EXPECT_EQ(at.Y, c.row) << c.x << "," << c.y;
    }
    QTest::mouseClick(g.get(), Qt::LeftButton, {}, At(200, 60));
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 2);

    g->RepaintNow();
    for (const auto& d : g->DrawnCells)
        if (d.Col == 0 && d.Row == 0) EXPECT_EQ(d.R, TRect(0, 0, 64, 24)) << "painting is unmirrored";
    const QImage img = g->Snapshot();
    EXPECT_EQ(FromQColor(img.pixelColor(At(390, 10))), ColorToRGB(clBtnFace)) << "the fixed column is at the right";
    EXPECT_EQ(FromQColor(img.pixelColor(At(10, 10))), ColorToRGB(g->Color())) << "the empty area is at the left";

    // Column 1's line at 129 shows at 400 - 1 - 129; dragging it 21 pixels left widens the column as far.
    g->SetOptions(g->Options() | goColSizing);
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(270, 10));
    EXPECT_EQ(g->GridState(), gsColSizing);
    QTest::mouseMove(g.get(), At(249, 10));
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(249, 10));
    EXPECT_EQ(g->ColWidths(1), 85);
}

TEST_F(GridTest, RightToLeftKeepsTheVerticalBarLeftAndTheScrollMessagesMeaning)
{
    Make(10, 10, 200, 100);
    g->SetBiDiMode(bdRightToLeft);
    ASSERT_TRUE(g->ScrollBarVisible(SB_VERT) && g->ScrollBarVisible(SB_HORZ));
    EXPECT_EQ(g->ClientOrigin(), TPoint(17, 0));
    EXPECT_TRUE(g->ScrollBarWidget(SB_HORZ)->invertedAppearance());
    g->SendScroll(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(g->LeftCol(), 2) << "line down still brings the next column";
    EXPECT_EQ(g->MouseCoord(182, 10).X, 0);
}

TEST_F(GridTest, StorageOutlivesTheCounts)
{
    Make(5, 5, 400, 200);
    g->SetCells(4, 2, QStringLiteral("four"));
    TObject tag;
    g->SetObjects(4, 3, &tag);
    g->SetColCount(2);
    EXPECT_EQ(g->Cells(4, 2), QStringLiteral("four")) << "beyond ColCount stays readable";
    g->SetCells(7, 1, QStringLiteral("hidden"));
    g->SetColCount(8);
    EXPECT_EQ(g->Cells(4, 2), QStringLiteral("four"));
    EXPECT_EQ(g->Objects(4, 3), &tag);
    EXPECT_EQ(g->Cells(7, 1), QStringLiteral("hidden"));
    EXPECT_EQ(g->Cells(3, 3), QString());
    EXPECT_EQ(g->Cols(4)->Get(2), QStringLiteral("four"));
    EXPECT_EQ(g->Rows(1)->Count(), 8);
    g.reset(); // dropping the grid leaves `tag` alone (a double free would crash here)
}

TEST_F(GridTest, ExchangeCellsSwapsTextsAndObjectsAlsoIntoUnwrittenSlots)
{
    Make(6, 6, 400, 200);
    TObject a, b;
    g->SetCells(1, 1, QStringLiteral("one"));
    g->SetObjects(1, 1, &a);
    g->SetCells(1, 2, QStringLiteral("two"));
    g->SetObjects(1, 2, &b);
    g->ExchangeCells(1, 1, 1, 2);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("two"));
    EXPECT_EQ(g->Objects(1, 1), &b);
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("one"));
    EXPECT_EQ(g->Objects(1, 2), &a);
    // The other slot lies in a column and a row never written: both are made first.
    g->ExchangeCells(1, 2, 5, 5);
    EXPECT_EQ(g->Cells(5, 5), QStringLiteral("one"));
    EXPECT_EQ(g->Objects(5, 5), &a);
    EXPECT_EQ(g->Cells(1, 2), QString());
    EXPECT_EQ(g->Objects(1, 2), nullptr);
    g->ExchangeCells(3, 3, 4, 4); // two empty slots stay empty
    EXPECT_EQ(g->Cells(3, 3), QString());
    EXPECT_THROW(g->ExchangeCells(-1, 0, 1, 1), EInvalidGridOperation);
}

TEST_F(GridTest, EditorOpensWithF2AndEnterWritesBack)
{
    Make(5, 5, 400, 200);
    TGridOptions o = g->Options();
    g->SetOptions(o << goEditing);
    g->SetCells(1, 1, QStringLiteral("old"));
    EXPECT_EQ(g->InplaceEditor(), nullptr);
    Key(Qt::Key_F2);
    ASSERT_NE(g->InplaceEditor(), nullptr);
    EXPECT_TRUE(g->EditorMode());
    EXPECT_TRUE(g->InplaceEditor()->Visible());
    EXPECT_EQ(g->InplaceEditor()->Text(), QStringLiteral("old"));
    EXPECT_EQ(g->InplaceEditor()->BoundsRect(), g->CellRect(1, 1));

    g->InplaceEditor()->SetText(QStringLiteral("new"));
    Key(Qt::Key_Return);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_FALSE(g->InplaceEditor()->Visible());
    ASSERT_FALSE(g->EditWrites.empty());
    EXPECT_EQ(g->EditWrites.back(), std::make_tuple(1, 1, QStringLiteral("new")));
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("new"));

    // Escape restores the text the cell had.
    Key(Qt::Key_F2);
    g->InplaceEditor()->SetText(QStringLiteral("discard"));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("new"));

    // A typed character opens the editor with that character; limit and mask come from the grid.
    g->EditLimit = 3;
    g->OnGetEditMask = [](TObject*, int, int, QString& mask) { mask = QStringLiteral(">LLL;0;_"); };
    Key(Qt::Key_X);
    ASSERT_TRUE(g->EditorMode());
    EXPECT_EQ(g->InplaceEditor()->MaxLength(), 3);
    EXPECT_EQ(g->InplaceEditor()->EditMask(), QStringLiteral(">LLL;0;_"));
    EXPECT_EQ(g->InplaceEditor()->Text(), QStringLiteral("X")) << "the mask upper-cases";
    // Moving the current cell writes back and closes the editor first.
    Key(Qt::Key_Down);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("X"));
}

TEST_F(GridTest, EditorPassesVerticalKeysAndTextEdgesToTheGrid)
{
    Make(5, 5, 400, 200);
    g->SetOptions(g->Options() | goEditing);
    Key(Qt::Key_F2);
    ASSERT_TRUE(g->EditorMode());
    g->InplaceEditor()->SetText(QStringLiteral("ab"));
    g->InplaceEditor()->SetSelStart(1);
    Key(Qt::Key_Left); // inside the text: the editor keeps it
    EXPECT_EQ(g->Col(), 1);
    EXPECT_TRUE(g->EditorMode());
    EXPECT_EQ(g->InplaceEditor()->SelStart(), 0);
    Key(Qt::Key_Left); // at the start: the grid moves (no column left of 1 here)
    EXPECT_EQ(g->Col(), 1);
    Key(Qt::Key_Down);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("ab"));
}

TEST_F(GridTest, RowSelectSelectsWholeRows)
{
    Make(5, 5, 400, 200);
    g->SetOptions(g->Options() | goRowSelect);
    EXPECT_EQ(g->Selection(), TGridRect(1, 1, 4, 1));
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g->Selection(), TGridRect(1, 1, 4, 2));
    Key(Qt::Key_End);
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(g->Selection(), TGridRect(1, 4, 4, 4));
}

TEST_F(GridTest, DefaultRowHeightResetsEveryRow)
{
    Make(5, 5, 400, 200);
    g->SetRowHeights(3, 40);
    g->SetDefaultRowHeight(30);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(g->RowHeights(r), 30);
    g->SetRowCount(7);
    EXPECT_EQ(g->RowHeights(6), 30);
}

TEST_F(GridTest, EditorStaysClosedWithoutEditingOrWithRowSelect)
{
    Make(5, 5, 400, 200);
    Key(Qt::Key_F2);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->InplaceEditor(), nullptr);
    TGridOptions o = g->Options();
    g->SetOptions(o << goEditing << goRowSelect);
    Key(Qt::Key_F2);
    Key(Qt::Key_A);
    EXPECT_EQ(g->InplaceEditor(), nullptr);
}

TEST_F(GridTest, OnKeyPressRunsFirstAndCanEatTheKey)
{
    Make(5, 5, 400, 200);
    TGridOptions o = g->Options();
    g->SetOptions(o << goEditing);
    QString seen;
    g->OnKeyPress = [&](TObject*, QChar& k) {
        seen += k;
        if (k == QLatin1Char('q')) k = QChar(0);
    };
    Key(Qt::Key_Q);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(seen, QStringLiteral("q"));
}

TEST_F(GridTest, DraggingAHeaderBorderResizesTheColumn)
{
    Make(5, 5, 400, 200);
    const TGridOptions plain = g->Options();
    g->SetOptions(plain | goColSizing);
    // Column 1 spans 65..128, its line is at 129.
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(129, 10));
    EXPECT_EQ(g->GridState(), gsColSizing);
    QTest::mouseMove(g.get(), At(150, 10));
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(150, 10));
    EXPECT_EQ(g->GridState(), gsNormal);
    EXPECT_EQ(g->ColWidths(1), 85);
    EXPECT_EQ(g->ColWidths(2), 64);
    EXPECT_EQ(g->Col(), 1) << "sizing does not select";

    // Without goColSizing the same press selects nothing in the header.
    g->SetOptions(plain);
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(151, 10));
    EXPECT_EQ(g->GridState(), gsNormal);
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(151, 10));

    // Rows size on their border inside the fixed column: row 1 spans 25..48, its line is at 49.
    g->SetOptions(plain | goRowSizing);
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(10, 49));
    EXPECT_EQ(g->GridState(), gsRowSizing);
    QTest::mouseMove(g.get(), At(10, 70));
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(10, 70));
    EXPECT_EQ(g->RowHeights(1), 45);
    EXPECT_EQ(g->ColWidths(1), 85);
}

TEST_F(GridTest, DraggingAHeaderMovesTheColumnOnce)
{
    Make(5, 5, 400, 200);
    for (int c = 0; c < 5; ++c) g->SetCells(c, 1, QString::number(c));
    g->SetOptions(g->Options() | goColMoving);
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(140, 10)); // header of column 2
    EXPECT_EQ(g->GridState(), gsColMoving);
    QTest::mouseMove(g.get(), At(270, 10));                       // over column 4
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(270, 10));
    EXPECT_EQ(g->GridState(), gsNormal);
    EXPECT_EQ(g->ColMoves, (std::vector<std::pair<int, int>>{{2, 4}}));
    EXPECT_EQ(g->Rows(1)->CommaText(), QStringLiteral("0,1,3,4,2"));

    // Dropped on itself: nothing moves.
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(140, 10));
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(140, 10));
    EXPECT_EQ(g->ColMoves.size(), 1u);
}

TEST_F(GridTest, MouseSelectsAndDragExtends)
{
    Make(6, 6, 500, 200);
    int clicks = 0, ups = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    g->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(140, 60)); // cell (2, 2)
    EXPECT_EQ(g->GridState(), gsSelecting);
    QTest::mouseMove(g.get(), At(270, 110));                      // cell (4, 4)
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(270, 110));
    EXPECT_EQ(g->GridState(), gsNormal);
    EXPECT_EQ(g->Selection(), TGridRect(2, 2, 4, 4));
    EXPECT_EQ(ups, 1);
    EXPECT_GE(clicks, 1);

    // A click on the current cell with goEditing opens the editor.
    TGridOptions o = g->Options();
    g->SetOptions(o << goEditing);
    QTest::mouseClick(g.get(), Qt::LeftButton, {}, At(270, 110));
    EXPECT_TRUE(g->EditorMode());
}

TEST_F(GridTest, HeldPressBelowTheViewScrollsOnTheTimer)
{
    Make(5, 50, 400, 200); // rows 1..7 fully visible
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(100, 30));  // cell (1, 1)
    QTest::mouseMove(g.get(), At(100, 260));                      // below the client area
    g->Perform(WM_TIMER, 1, 0);
    g->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(g->TopRow(), 3);
    EXPECT_EQ(g->Selection().Top, 1);
    EXPECT_EQ(g->Selection().Bottom, 9) << "the selection follows to the last row in view";
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(100, 260));
    g->Perform(WM_TIMER, 1, 0); // after the release the timer does nothing
    EXPECT_EQ(g->TopRow(), 3);
}

TEST_F(GridTest, DescendantWndProcSeesMessagesFirst)
{
    struct TSwallowingGrid : TStringGrid {
        UINT Swallow = 0;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == Swallow) return;
            TStringGrid::WndProc(m);
        }
    };
    TSwallowingGrid sg;
    sg.SetBorderStyle(bsNone);
    sg.SetBounds(0, 0, 400, 200);
    sg.Show();
    sg.Swallow = WM_KEYDOWN;
    QTest::keyClick(&sg, Qt::Key_Down);
    EXPECT_EQ(sg.Row(), 1);
    sg.Swallow = WM_MOUSEWHEEL;
    sg.Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, unsigned(int16_t(-120)) & 0xFFFF), 0);
    EXPECT_EQ(sg.Row(), 1);
    sg.Swallow = WM_LBUTTONDOWN;
    QTest::mouseClick(&sg, Qt::LeftButton, {}, QPoint(140, 60));
    EXPECT_EQ(sg.Col(), 1);
    sg.Swallow = 0;
    QTest::keyClick(&sg, Qt::Key_Down);
    EXPECT_EQ(sg.Row(), 2);
}

TEST_F(GridTest, RightButtonFiresMouseDownAndThePopupMenu)
{
    struct TRecordingMenu : TPopupMenu {
        int Shown = 0;
        void Popup(int, int) override { ++Shown; }
    };
    Make(5, 5, 400, 200);
    auto menu = std::make_unique<TRecordingMenu>();
    g->SetPopupMenu(menu.get());
    std::vector<TMouseButton> downs;
    g->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int, int) { downs.push_back(b); };
    QTest::mouseClick(g.get(), Qt::RightButton, {}, At(140, 60));
    EXPECT_EQ(downs, std::vector<TMouseButton>{mbRight});
    EXPECT_EQ(menu->Shown, 1);
    EXPECT_EQ(menu->PopupComponent, g.get());
    EXPECT_EQ(g->Col(), 1) << "the right button does not move the current cell";
    menu.reset();
    EXPECT_EQ(g->PopupMenu(), nullptr);
    QTest::mouseClick(g.get(), Qt::RightButton, {}, At(140, 60)); // no dangling menu
}

TEST(GridOnFormTest, GridClaimsArrowsAndTabOnlyWithGoTabs)
{
    TForm form;
    form.SetBounds(0, 0, 500, 300);
    auto* grid = new TStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 400, 200);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(0, 220, 100, 24);
    form.Show();
    QApplication::setActiveWindow(&form);
    (void)QTest::qWaitForWindowActive(&form);
    grid->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->Focused());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->Focused());

    grid->SetOptions(grid->Options() | goTabs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_TRUE(grid->Focused());

    grid->SetOptions(grid->Options() - TGridOptions(goTabs));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_TRUE(edit->Focused()) << "without goTabs Tab leaves the grid";
}

TEST_F(GridTest, WheelMovesTheCurrentRow)
{
    Make(5, 30, 400, 127);
    g->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, unsigned(int16_t(-120)) & 0xFFFF), 0);
    EXPECT_EQ(g->Row(), 2);
    g->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    g->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(g->Row(), 1);
}

TEST_F(GridTest, RefusedSelectCellKeepsTheCurrentCell)
{
    Make(5, 5, 400, 200);
    g->OnSelectCell = [](TObject*, int c, int, bool& can) { can = c != 2; };
    Key(Qt::Key_Right);
    EXPECT_EQ(g->Col(), 1);
    QTest::mouseClick(g.get(), Qt::LeftButton, {}, At(140, 35)); // cell (2, 1)
    EXPECT_EQ(g->Col(), 1);
    g->SetCol(2);
    EXPECT_EQ(g->Col(), 1);
    g->SetCol(3);
    EXPECT_EQ(g->Col(), 3);
}

TEST_F(GridTest, MoveColumnMovesOnlyTheCellsOnceAlsoBeyondColCount)
{
    Make(3, 3, 400, 200);
    for (int c = 0; c < 7; ++c) g->SetCells(c, 1, QString::number(c));
    TObject tag;
    g->SetObjects(5, 2, &tag);
    g->SetColWidths(1, 30);
    std::vector<std::pair<int, int>> fired;
    g->OnColumnMoved = [&](TObject*, int f, int t) { fired.emplace_back(f, t); };

    g->MoveColumn(5, 1); // storage column beyond ColCount
    EXPECT_EQ(g->ColMoves, (std::vector<std::pair<int, int>>{{5, 1}}));
    EXPECT_EQ(fired, (std::vector<std::pair<int, int>>{{5, 1}}));
    QStringList row;
    for (int c = 0; c < 7; ++c) row << g->Cells(c, 1);
    EXPECT_EQ(row, QStringList({"0", "5", "1", "2", "3", "4", "6"}));
    EXPECT_EQ(g->Objects(1, 2), &tag);
    EXPECT_EQ(g->Objects(5, 2), nullptr);
    EXPECT_EQ(g->ColWidths(1), 30) << "the base moves no widths";
    EXPECT_EQ(g->ColCount(), 3);

    g->MoveColumn(1, 4);
    row.clear();
    for (int c = 0; c < 7; ++c) row << g->Cells(c, 1);
    EXPECT_EQ(row, QStringList({"0", "1", "2", "3", "5", "4", "6"}));
}

TEST_F(GridTest, RowMovesAndDeletion)
{
    Make(3, 5, 400, 200);
    for (int r = 0; r < 5; ++r) g->SetCells(1, r, QString::number(r));
    g->SetRowHeights(2, 30);
    std::vector<std::pair<int, int>> fired;
    g->OnRowMoved = [&](TObject*, int f, int t) { fired.emplace_back(f, t); };
    g->MoveRow(1, 3);
    EXPECT_EQ(fired, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(g->Cols(1)->Text(), QStringLiteral("0\r\n2\r\n3\r\n1\r\n4\r\n"));
    EXPECT_EQ(g->RowHeights(2), 30);

    g->DeleteRow(2); // the row with height 30 and text "3"
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cols(1)->Text(), QStringLiteral("0\r\n2\r\n1\r\n4\r\n"));
    EXPECT_EQ(g->RowHeights(2), 24);
    EXPECT_EQ(g->Cells(1, 4), QStringLiteral("3")) << "the deleted row is kept beyond the count";
}

TEST_F(GridTest, RedrawLockSuppressesPainting)
{
    Make(5, 5, 400, 200);
    g->Perform(WM_SETREDRAW, 0);
    g->RepaintNow();
    EXPECT_TRUE(g->DrawnCells.empty());
    g->Perform(WM_SETREDRAW, 1);
    g->RepaintNow();
    EXPECT_FALSE(g->DrawnCells.empty());
}

TEST_F(GridTest, CurrentCellIsNotDrawnUnderTheEditor)
{
    Make(5, 5, 400, 200);
    TGridOptions o = g->Options();
    g->SetOptions(o << goEditing);
    Key(Qt::Key_F2);
    ASSERT_TRUE(g->EditorMode());
    g->RepaintNow();
    for (const auto& d : g->DrawnCells) EXPECT_FALSE(d.Col == 1 && d.Row == 1);
    EXPECT_FALSE(g->DrawnCells.empty());
}

// The suite runs its grids with GridLineWidth 0: cells touch, and geometry,
// hit testing, scrolling, sizing and painting must all agree on that.
TEST_F(GridTest, WorksWithoutGridLines)
{
    Make(5, 100, 400, 127);
    g->SetGridLineWidth(0);
    EXPECT_EQ(g->CellRect(0, 0), TRect(0, 0, 64, 24));
    EXPECT_EQ(g->CellRect(2, 2), TRect(128, 48, 192, 72));
    // 127 pixels hold the fixed row and four full rows of 24 (120).
    EXPECT_EQ(g->VisibleRowCount(), 4);
    EXPECT_EQ(g->VisibleColCount(), 4);
    EXPECT_FALSE(g->ScrollBarVisible(SB_HORZ));
    const struct { int x, y, col, row; } hits[] = {{63, 23, 0, 0}, {64, 24, 1, 1}, {191, 71, 2, 2}, {192, 72, 3, 3}};
    for (const auto& h : hits) {
        TGridCoord at = g->MouseCoord(h.x, h.y);
        EXPECT_EQ(at.X, h.col) << h.x << "," << h.y;
        EXPECT_EQ(at.Y, h.row) << h.x << "," << h.y;
    }

    // Scrolling on the 0..127 scale over RowCount - VisibleRowCount - FixedRows = 95 rows.
    g->SendScroll(WM_VSCROLL, SB_THUMBPOSITION, 64);
    EXPECT_EQ(g->TopRow(), 1 + MulDiv(64, 95, 127));
    g->SendScroll(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(g->TopRow(), 96);
    EXPECT_EQ(g->GetScrollPos(SB_VERT), 127);
    g->SendScroll(WM_VSCROLL, SB_TOP);

    // Painting: the cells get adjacent rectangles, each drawn once.
    g->RepaintNow();
    std::set<std::pair<int, int>> seen;
    for (const auto& d : g->DrawnCells) {
        EXPECT_TRUE(seen.insert({d.Col, d.Row}).second);
        EXPECT_EQ(d.R, TRect(64 * d.Col, 24 * d.Row, 64 * d.Col + 64, 24 * d.Row + 24));
    }
    EXPECT_TRUE(seen.count({0, 5})) << "the partly visible row is drawn";
    EXPECT_FALSE(seen.count({0, 6}));

    // Sizing on the border between two header cells (column 1 ends at 128).
    g->SetOptions(g->Options() | goColSizing);
    QTest::mousePress(g.get(), Qt::LeftButton, {}, At(128, 10));
    EXPECT_EQ(g->GridState(), gsColSizing);
    QTest::mouseMove(g.get(), At(140, 10));
    QTest::mouseRelease(g.get(), Qt::LeftButton, {}, At(140, 10));
    EXPECT_EQ(g->ColWidths(1), 76);
    EXPECT_EQ(g->CellRect(2, 1), TRect(140, 24, 204, 48));
}

// Fixed cells look raised while DefaultDrawing and Ctl3D are on; the
// scrollable cells get no edge.
TEST_F(GridTest, FixedCellsHaveRaisedEdges)
{
    Make(5, 5, 400, 200);
    g->SetColor(clWindow);
    const QColor light = ToQColor(ColorToRGB(clBtnHighlight));
    const QColor shadow = ToQColor(ColorToRGB(clBtnShadow));
    const QColor face = ToQColor(ColorToRGB(g->FixedColor()));
    ASSERT_NE(light, shadow);
    // Header cell (1,0) spans 65..128 x 0..23 with one-pixel lines.
    QImage img = g->Snapshot();
    EXPECT_EQ(img.pixelColor(65, 10), light);
    EXPECT_EQ(img.pixelColor(90, 0), light);
    EXPECT_EQ(img.pixelColor(128, 10), shadow);
    EXPECT_EQ(img.pixelColor(90, 23), shadow);
    EXPECT_EQ(img.pixelColor(140, 60), ToQColor(ColorToRGB(clWindow))) << "scrollable cells stay flat";

    g->SetCtl3D(false);
    img = g->Snapshot();
    EXPECT_EQ(img.pixelColor(65, 10), face);
    EXPECT_EQ(img.pixelColor(128, 10), face);
    // Without DefaultDrawing the grid leaves fixed cells to DrawCell.
    g->SetCtl3D(true);
    g->SetDefaultDrawing(false);
    img = g->Snapshot();
    EXPECT_NE(img.pixelColor(128, 10), shadow);
}

TEST_F(GridTest, NotificationsAndDoubleClick)
{
    Make(5, 5, 400, 200);
    g->Notes.clear();
    int topLeftEvents = 0, dbl = 0;
    g->OnTopLeftChanged = [&](TObject*) { ++topLeftEvents; };
    g->OnDblClick = [&](TObject*) { ++dbl; };
    g->SetRowCount(40);
    g->SetColWidths(2, 80);
    g->SetRowHeights(3, 30);
    g->SetDefaultRowHeight(20);
    g->SetTopRow(6);
    g->SetColCount(3);
    const QStringList want = {QStringLiteral("size 5x5"), QStringLiteral("widths"), QStringLiteral("heights"),
                              QStringLiteral("heights"), QStringLiteral("topleft 1,6"), QStringLiteral("size 5x40")};
    EXPECT_EQ(g->Notes, want);
    EXPECT_EQ(topLeftEvents, 1);
    QTest::mouseDClick(g.get(), Qt::LeftButton, {}, At(100, 30));
    EXPECT_EQ(dbl, 1);
}

} // namespace

// The base grid's cell frame on a shown grid: merged areas painted through
// their base cell once per paint, the clip under fixed rows, selection-look
// segments, grid lines, geometry of merged cells, the keys and the wheel
// around merged areas and a blank last row; and a rendered picture.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include "grid/base_grid.h"

namespace {

// Counts the content painted per cell.
class TRecordingGrid : public TBaseGrid {
public:
    std::map<std::pair<int, int>, int> Painted;
    void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        ++Painted[{ACol, ARow}];
        TBaseGrid::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
    }
    using TBaseGrid::KeyDown;
};

constexpr TColor kBack = 0xF0F0F0;

class BaseGridPaint : public ::testing::Test {
protected:
    std::unique_ptr<TRecordingGrid> g;

    void SetUp() override
    {
        g = std::make_unique<TRecordingGrid>();
        g->SetBorderStyle(bsNone);
        g->SetColCount(8);
        g->SetRowCount(12);
        g->SetDefaultRowHeight(20);
        g->SetDefaultColWidth(50);
        g->SetColor(kBack);
        g->SetBounds(0, 0, 300, 200);
        g->Show();
        QApplication::processEvents();
    }
    void Focus()
    {
        QApplication::setActiveWindow(g.get());
        (void)QTest::qWaitForWindowActive(g.get());
        g->SetFocus();
        QApplication::processEvents();
    }
    QImage Paint()
    {
        g->Painted.clear();
        g->Invalidate();
        return g->Snapshot();
    }
    static TColor At(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }
    void Key(int qtKey)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : g.get();
        QTest::keyClick(target, Qt::Key(qtKey));
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(BaseGridPaint, MergedAreaPaintsOncePerPaintPlusItsBase)
{
    g->MergeCells(1, 1, 3, 2);
    const int before = g->PaintID();
    Paint();
    EXPECT_EQ(g->PaintID(), before + 1);
    EXPECT_EQ((g->Painted[{1, 1}]), 2) << "once from a covered cell, once as the base cell";
    EXPECT_EQ((g->Painted[{2, 1}]), 0);
    EXPECT_EQ((g->Painted[{3, 2}]), 0);
    g->SetTopRow(2); // the base row scrolls away; the covered row below stays
    Paint();
    EXPECT_EQ((g->Painted[{1, 1}]), 1);
}

TEST_F(BaseGridPaint, AreaUnderTheFixedRowsIsClipped)
{
    g->SetFixedColor(0x808080);
    g->MergeCells(1, 1, 2, 3);
    g->SetTopRow(2);
    const QImage img = Paint();
    EXPECT_EQ(At(img, 75, 5), ColorToRGB(g->FixedColor())) << "the fixed row keeps its own face";
    EXPECT_EQ(At(img, 75, 30), kBack);
}

TEST_F(BaseGridPaint, CellRectOfACoveredCellIsTheArea)
{
    g->MergeCells(2, 2, 2, 3);
    EXPECT_EQ(g->CellRect(3, 4), g->CellRect(2, 2));
    EXPECT_EQ(g->CellRect(2, 2), TRect(100, 40, 200, 100));
    EXPECT_EQ(g->CellSize(3, 3), TPoint(100, 60));
    EXPECT_EQ(g->CellRect(5, 5), TRect(250, 100, 300, 120));
    // An area reaching beyond the grid ends at the last row and column.
    g->MergeCells(6, 10, 5, 5);
    EXPECT_EQ(g->CellRect(6, 10).Bottom - g->CellRect(6, 10).Top, 40);
}

TEST_F(BaseGridPaint, GridLinesFollowTheLineWidth)
{
    QImage img = Paint();
    EXPECT_EQ(At(img, 149, 50), clSilver) << "right line of cell (2, 2)";
    EXPECT_EQ(At(img, 125, 59), clSilver) << "bottom line of cell (2, 2)";
    g->SetGridLineWidth(0);
    img = Paint();
    EXPECT_EQ(At(img, 149, 50), kBack);
    EXPECT_EQ(At(img, 125, 59), kBack);
}

TEST_F(BaseGridPaint, SelectionLookSegments)
{
    g->SetSelectionStyle(ssVista);
    g->SetSelection(TGridRect(1, 2, 3, 2));
    g->clearFocus();
    QApplication::processEvents();
    ASSERT_FALSE(g->Focused());
    QImage img = Paint();
    // Unfocused: the grey faces. Left end has the background in its corner,
    // middle and right cells start with the border line.
    const TColor greyBorder = 0xD9D9D9;
    EXPECT_EQ(At(img, 50, 40), kBack) << "left end corner";
    EXPECT_EQ(At(img, 50, 42), greyBorder) << "left end side";
    EXPECT_EQ(At(img, 100, 40), greyBorder) << "middle has no end";
    EXPECT_EQ(At(img, 148, 40), greyBorder) << "middle runs to its right edge";
    EXPECT_EQ(At(img, 150, 40), greyBorder) << "right segment starts open";
    EXPECT_EQ(At(img, 198, 40), kBack) << "right end corner";

    Focus();
    g->SetSelection(TGridRect(1, 2, 1, 2));
    img = Paint();
    ASSERT_TRUE(g->Focused());
    EXPECT_EQ(At(img, 50, 40), kBack) << "a single cell is a whole face";
    EXPECT_EQ(At(img, 98, 40), kBack);
    EXPECT_EQ(At(img, 50, 42), TColor(0xFDDE99)) << "focused border colour";
}

TEST_F(BaseGridPaint, RightAndDownLeaveAMergedArea)
{
    Focus();
    g->MergeCells(1, 1, 3, 1);
    g->MergeCells(1, 3, 1, 2);
    g->SetCol(1);
    g->SetRow(1);
    Key(Qt::Key_Right);
    EXPECT_EQ(g->Col(), 4);
    g->SetCol(1);
    g->SetRow(3);
    Key(Qt::Key_Down);
    EXPECT_EQ(g->Row(), 5);
    // From inside an area, Left and Up land just before it.
    g->MergeCells(2, 6, 3, 2);
    g->SetRow(6);
    g->SetCol(4);
    Key(Qt::Key_Left);
    EXPECT_EQ(g->Col(), 1);
    g->SetCol(3);
    g->SetRow(7);
    Key(Qt::Key_Up);
    EXPECT_EQ(g->Row(), 5) << "row 5 column 3 is free";
    // Landing inside an area moves to its base.
    g->SetCol(3);
    g->SetRow(2);
    Key(Qt::Key_Up);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
}

TEST_F(BaseGridPaint, HiddenLastRowIsBlankAndOutOfReach)
{
    Focus();
    g->SetCells(1, 11, QStringLiteral("footer"));
    g->SetHideLastRow(true);
    g->SetTopRow(5);
    const QImage img = Paint();
    EXPECT_EQ((g->Painted[{1, 11}]), 0);
    const TRect last = g->CellRect(1, 11);
    ASSERT_FALSE(last.IsEmpty());
    EXPECT_EQ(At(img, last.Left + 3, last.Top + 3), kBack);

    g->SetRow(8);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(g->Row(), 10);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(g->Row(), 10);

    // The wheel keeps one more row in view than without the blank row.
    auto wheelTop = [this](bool hide) {
        g->SetHideLastRow(hide);
        g->SetTopRow(1);
        g->SetRow(1);
        for (int i = 0; i < 8; ++i) g->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, unsigned(-120)), 0);
        return g->TopRow();
    };
    const int plain = wheelTop(false);
    const int hidden = wheelTop(true);
    EXPECT_EQ(hidden, plain + 1);
}

TEST_F(BaseGridPaint, RendersAPicture)
{
    Focus();
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 12; ++r) g->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    g->MergeCells(1, 1, 2, 2);
    g->SetCells(1, 1, QStringLiteral("merged"));
    g->SetSelectionStyle(ssVista);
    g->SetSelection(TGridRect(1, 4, 3, 4));
    g->SetActiveRowShow(true);
    g->SetHoverRow(true);
    g->SetHoverRowIdx(6);
    g->SetHoverRowColor(0xC0FFFF);
    const QImage img = Paint();
    EXPECT_EQ(At(img, 175, 130), TColor(0xC0FFFF)) << "hover row";
    const QString path = QStringLiteral(KV_TEST_BINARY_DIR "/base_grid_cells.png");
    EXPECT_TRUE(img.save(path));
}

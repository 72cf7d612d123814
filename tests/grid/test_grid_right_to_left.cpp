// The grid right to left: its painting is the mirror of the left-to-right grid, with
// texts upright and starting at the cell's right; clicks, cell buttons and node buttons
// are found at their mirrored places; the mini HTML is placed from the right only under
// a right-to-left system locale.
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>
#include <QtTest/QTest>

#include "grid/html_render.h"
#include "grid/kv_string_grid.h"
#include "platform/core/format_settings.h"
#include "platform/ui/forms.h"

namespace {

// An odd width keeps the dotted focus frame's pattern in step with its mirror.
constexpr int kW = 421, kH = 200;

// A shown, borderless grid without scroll bars: its client area is the widget.
std::unique_ptr<TKvStringGrid> ShownGrid()
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetBorderStyle(bsNone);
    g->SetColCount(6);
    g->SetRowCount(6);
    g->SetBounds(0, 0, kW, kH);
    g->Show();
    QApplication::processEvents();
    return g;
}

QImage Picture(TKvStringGrid* g)
{
    g->Invalidate();
    QApplication::processEvents();
    return g->Snapshot();
}

int Inked(const QImage& img, const TRect& R)
{
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (qGray(img.pixel(x, y)) < 100) ++n;
    return n;
}

} // namespace

TEST(GridRightToLeft, PaintsTheMirrorOfTheLeftToRightGrid)
{
    // Shapes only: fixed-cell gradients and lines, grid lines, a selection in segments.
    auto g = ShownGrid();
    g->SetSelectionStyle(ssVista);
    g->SetSelection(TGridRect(2, 2, 4, 3));
    g->SetActiveRowShow(true);
    const QImage ltr = Picture(g.get());
    g->SetBiDiMode(bdRightToLeft);
    const QImage rtl = Picture(g.get());
    ASSERT_EQ(g->ClientWidth(), kW);
    EXPECT_FALSE(ltr == ltr.mirrored(true, false)) << "the picture has sides";
    EXPECT_TRUE(rtl == ltr.mirrored(true, false));
    rtl.save(QStringLiteral("grid_right_to_left_shapes.png"));
}

TEST(GridRightToLeft, ATextStartsAtTheCellsRightAndReadsUpright)
{
    // A left-aligned text right to left is the picture of a right-aligned text left to right.
    auto l = ShownGrid();
    auto r = ShownGrid();
    l->SetCells(2, 2, QStringLiteral("Mxg"));
    r->SetCells(2, 2, QStringLiteral("Mxg"));
    l->OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& HA, TVAlignment&) {
        if (ACol == 2 && ARow == 2) HA = taRightJustify;
    };
    r->SetBiDiMode(bdRightToLeft);
    const QImage left = Picture(l.get()), right = Picture(r.get());
    const TRect lc = l->CellRect(2, 2), rc = r->CellRect(2, 2);
    EXPECT_EQ(rc, TRect(kW - lc.Right, lc.Top, kW - lc.Left, lc.Bottom));
    const QImage a = left.copy(lc.Left + 2, lc.Top + 2, lc.Width() - 4, lc.Height() - 4);
    const QImage b = right.copy(rc.Left + 2, rc.Top + 2, rc.Width() - 4, rc.Height() - 4);
    EXPECT_TRUE(a == b);
    const int half = rc.Width() / 2;
    EXPECT_GT(Inked(right, TRect(rc.Left + half, rc.Top, rc.Right, rc.Bottom)), 0);
    EXPECT_EQ(Inked(right, TRect(rc.Left, rc.Top, rc.Left + half, rc.Bottom)), 0);
}

TEST(GridRightToLeft, ClicksCellButtonsAndNodeButtonsAreFoundMirrored)
{
    auto g = ShownGrid();
    g->AddButton(3, 2, 40, 16, QStringLiteral("Go"), haLeft, vaTop);
    g->AddNode(1, 2);
    g->MouseActions()->SetPreciseNodeClick(true);
    (void)Picture(g.get());  // the button's place is known once it has been painted
    const TRect ltrButton = g->GetCellGraphicRect(3, 2);
    const TRect cell = g->CellRect(0, 1);
    const int inNode = cell.Left + 6;
    ASSERT_TRUE(g->IsInNodeButton(1, inNode));
    ASSERT_FALSE(g->IsInNodeButton(1, cell.Right - 3));

    g->SetBiDiMode(bdRightToLeft);
    (void)Picture(g.get());
    const TRect rtlButton = g->GetCellGraphicRect(3, 2);
    EXPECT_EQ(rtlButton, TRect(kW - ltrButton.Right, ltrButton.Top, kW - ltrButton.Left, ltrButton.Bottom));
    EXPECT_TRUE(g->IsInNodeButton(1, kW - 1 - inNode));
    EXPECT_FALSE(g->IsInNodeButton(1, inNode));

    const TRect target = g->CellRect(4, 3);
    QTest::mouseClick(g.get(), Qt::LeftButton, {}, QPoint((target.Left + target.Right) / 2, (target.Top + target.Bottom) / 2));
    EXPECT_EQ(g->Col(), 4);
    EXPECT_EQ(g->Row(), 3);
}

TEST(GridRightToLeft, HtmlSegmentsRunFromTheRightUnderARightToLeftLocale)
{
    struct TCase {
        bool MiddleEast;
        int Mode;
        int First, Second;  // where the two text runs start
    } cases[] = {
        {true, 1, 200 - 21, 200 - 21 - 14},
        {true, 2, 1, 22},   // reading order only
        {true, 0, 1, 22},
        {false, 1, 1, 22},  // a left-to-right locale keeps the places
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(testing::Message() << k.MiddleEast << " mode " << k.Mode);
        TFormatSettings fs = FormatSettings();
        fs.MiddleEast = k.MiddleEast;
        TFormatSettingsScope scope(fs);
        TRecordingCanvas c;  // 7 pixels a character
        THTMLTextParams p;
        p.Canvas = &c;
        p.Text = QStringLiteral("ab <b>cd</b>");
        p.Rect = TRect(0, 0, 200, 40);
        p.BiDiMode = k.Mode;
        DrawHTMLText(p);
        const auto texts = c.OpsOf(QStringLiteral("TextOut"));
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].Text, QStringLiteral("ab "));
        EXPECT_EQ(texts[0].X, k.First);
        EXPECT_EQ(texts[1].X, k.Second);
    }
}

// Shown windows rendered to pictures in the build folder: a right-to-left grid, and a
// column dragged by the mouse whose drop arrows, windows of their own, reach above the
// grid and the form. The screen picture is put together from every visible top-level
// window at its place, in the window system's stacking order (the overlays on top).
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include <QtCore/QDir>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <gtest/gtest.h>

namespace {

QString InBuildFolder(const char* Name) { return QDir(QStringLiteral(KV_TEST_BINARY_DIR)).filePath(QString::fromLatin1(Name)); }

// What the screen shows of Area: each visible window's own picture at its place, cut to
// its shape, stay-on-top windows last.
QImage ScreenPicture(const QRect& Area)
{
    QImage img(Area.size(), QImage::Format_RGB32);
    img.fill(QColor(0x3A, 0x6E, 0xA5));  // the desktop
    QPainter p(&img);
    std::vector<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) windows.push_back(w);
    std::stable_partition(windows.begin(), windows.end(),
                          [](QWidget* w) { return !(w->windowFlags() & Qt::WindowStaysOnTopHint); });
    for (QWidget* w : windows) {
        const QPoint at = w->geometry().topLeft() - Area.topLeft();
        p.save();
        if (!w->mask().isEmpty()) p.setClipRegion(w->mask().translated(at));
        p.drawPixmap(at, w->grab());
        p.restore();
    }
    return img;
}

int CountColor(const QImage& img, const QRect& R, QColor c)
{
    int n = 0;
    for (int y = std::max(0, R.top()); y <= std::min(img.height() - 1, R.bottom()); ++y)
        for (int x = std::max(0, R.left()); x <= std::min(img.width() - 1, R.right()); ++x)
            if (img.pixelColor(x, y) == c) ++n;
    return n;
}

TKvStringGrid* RuleGrid(TForm& Form, int Cols, int Rows)
{
    auto* g = new TKvStringGrid(&Form);
    g->SetParent(&Form);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    for (int c = 0; c < Cols; ++c) {
        g->SetColWidths(c, 90);
        g->SetCells(c, 0, QStringLiteral("Column %1").arg(c));
        for (int r = 1; r < Rows; ++r) g->SetCells(c, r, QStringLiteral("%1.%2").arg(r).arg(c));
    }
    return g;
}

} // namespace

TEST(WindowPictures, RightToLeftGrid)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 520, 260);
    TKvStringGrid* g = RuleGrid(form, 8, 30);
    g->SetBounds(10, 10, 480, 220);
    g->SetCells(1, 1, QString::fromUtf8("\u05E9\u05DC\u05D5\u05DD"));          // Hebrew
    g->SetCells(2, 1, QString::fromUtf8("\u0645\u0631\u062D\u0628\u0627 1"));   // Arabic and a digit
    g->AddCheckBox(3, 2, true, false);
    g->AddNode(4, 3);
    g->SetSelectionStyle(ssVista);
    g->SetSelection(TGridRect(1, 5, 3, 6));
    g->SetBiDiMode(bdRightToLeft);
    form.Show();
    QApplication::processEvents();
    // Column 0 sits at the right, the vertical bar on the left, the horizontal bar runs from the right.
    const TRect first = g->CellRect(0, 0);
    EXPECT_EQ(first.Right, g->ClientWidth());
    ASSERT_TRUE(g->ScrollBarVisible(SB_VERT) && g->ScrollBarVisible(SB_HORZ));
    EXPECT_LT(g->ScrollBarWidget(SB_VERT)->geometry().left(), 5);
    EXPECT_TRUE(g->ScrollBarWidget(SB_HORZ)->invertedAppearance());
    // A click finds the cell where it shows.
    const TRect target = g->CellRect(2, 3);
    QTest::mouseClick(g, Qt::LeftButton, {},
                      QPoint((target.Left + target.Right) / 2 + g->ClientOrigin().X,
                             (target.Top + target.Bottom) / 2 + g->ClientOrigin().Y));
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 3);
    const QImage img = ScreenPicture(form.geometry());
    EXPECT_TRUE(img.save(InBuildFolder("grid_right_to_left.png")));
}

TEST(WindowPictures, DropArrowsReachPastTheGridsEdge)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 480, 220);
    TKvStringGrid* g = RuleGrid(form, 5, 8);
    g->SetBounds(0, 0, 470, 210);  // the header row at the form's top edge
    g->SetOptions(g->Options() | goColMoving);
    form.Show();
    QApplication::processEvents();
    // A user drags the header of column 1 over column 3.
    const TRect from = g->CellRect(1, 0), over = g->CellRect(3, 0);
    const TPoint o = g->ClientOrigin();
    const QPoint press(from.Left + 30 + o.X, from.Top + 8 + o.Y), to(over.Left + 40 + o.X, over.Top + 8 + o.Y);
    QTest::mousePress(g, Qt::LeftButton, {}, press);
    QTest::mouseMove(g, press + QPoint(10, 0));
    QTest::mouseMove(g, to);
    QTest::mouseMove(g, to + QPoint(2, 0));
    TArrowWindow* down = g->ArwD();
    ASSERT_NE(down, nullptr);
    ASSERT_TRUE(down->Visible()) << "the drag shows its drop arrows";
    EXPECT_TRUE(down->isWindow());
    EXPECT_EQ(down->Parent(), nullptr);
    const QRect arrow = down->geometry();
    const QRect grid(g->mapToGlobal(QPoint(0, 0)), g->size());
    EXPECT_LT(arrow.top(), grid.top()) << "the arrow stands above the grid's top edge";
    QRect area = form.geometry().united(arrow).adjusted(-10, -20, 10, 10);
    const QImage img = ScreenPicture(area);
    EXPECT_TRUE(img.save(InBuildFolder("grid_overlay_past_edge.png")));
    // The part of the arrow above the form shows in the picture, in the arrow's green.
    const QRect above(arrow.left() - area.left(), arrow.top() - area.top(), arrow.width(),
                      form.geometry().top() - arrow.top());
    EXPECT_GT(CountColor(img, above, QColor(0, 255, 0)), 0);
    QTest::mouseRelease(g, Qt::LeftButton, {}, to);
    EXPECT_FALSE(down->Visible());
}

#include "wndproc_fixture.h"

#include "grid_input/pan_pictures.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {
const QRgb kRed = qRgb(255, 0, 0), kGrey = qRgb(128, 128, 128), kWhite = qRgb(255, 255, 255);
QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }
int Alpha(const QImage& img, int x, int y) { return qAlpha(img.pixel(x, y)); }
bool IsBlack(const QImage& img, int x, int y) { return Alpha(img, x, y) == 255 && (img.pixel(x, y) & 0xFFFFFF) == 0; }
} // namespace

TEST(GridPanPictures, MarkersShowTheirDirections)
{
    struct Row { const char* name; bool vertical, horizontal; };
    for (const Row r : {Row{"INTLI1", true, true}, Row{"INTLI2", false, true}, Row{"INTLI3", true, false}}) {
        SCOPED_TRACE(r.name);
        const QImage m = PanMarkerImage(QLatin1String(r.name));
        ASSERT_EQ(m.size(), QSize(26, 26));
        EXPECT_EQ(At(m, 0, 0), kRed) << "the key colour in the corner";
        EXPECT_EQ(At(m, 13, 13), kGrey) << "the centre dot";
        EXPECT_EQ(At(m, 13, 0), kGrey) << "the outline";
        EXPECT_EQ(At(m, 13, 5) == kGrey, r.vertical);
        EXPECT_EQ(At(m, 13, 21) == kGrey, r.vertical);
        EXPECT_EQ(At(m, 5, 13) == kGrey, r.horizontal);
        EXPECT_EQ(At(m, 21, 13) == kGrey, r.horizontal);
        EXPECT_EQ(At(m, 8, 8), kWhite) << "the disc";
    }
    EXPECT_EQ(PanMarkerName(TKvStringGrid::ipVertical), QStringLiteral("INTLI3"));
    EXPECT_EQ(PanMarkerName(TKvStringGrid::ipHorizontal), QStringLiteral("INTLI2"));
    EXPECT_EQ(PanMarkerName(TKvStringGrid::ipBoth), QStringLiteral("INTLI1"));
}

TEST(GridPanPictures, CursorsPointTheirWay)
{
    struct Row { int id; QPoint black, clear; };
    const Row rows[] = {
        {8000, {16, 5}, {5, 5}},     {8001, {16, 27}, {16, 5}},  {8002, {5, 16}, {27, 16}},
        {8003, {27, 16}, {5, 16}},   {8004, {16, 5}, {16, 27}},  {8005, {28, 3}, {3, 28}},
        {8006, {3, 3}, {28, 28}},    {8007, {28, 28}, {3, 3}},   {8008, {3, 28}, {28, 3}},
    };
    for (const Row& r : rows) {
        const QImage c = PanCursorImage(r.id);
        ASSERT_EQ(c.size(), QSize(32, 32)) << r.id;
        EXPECT_TRUE(IsBlack(c, r.black.x(), r.black.y())) << r.id;
        EXPECT_EQ(Alpha(c, r.clear.x(), r.clear.y()), 0) << r.id;
    }
    RegisterPanPictures();
    EXPECT_FALSE(Screen->Cursors(8000).pixmap().isNull());
    EXPECT_EQ(Screen->Cursors(8004).hotSpot(), QPoint(0, 0));
}

TEST(GridPanPictures, MarkerDrawnWhiteOverTheCellsWhilePanning)
{
    TGridOnForm<> f(30, 4);
    f.Show();
    f.grid->Perform(WM_MBUTTONDOWN, 0, XY(100, 100));
    ASSERT_TRUE(f.grid->Panning());
    const QImage shot = f.grid->grab().toImage();
    EXPECT_EQ(At(shot, 100, 100), kWhite) << "the key colour painted white";
    EXPECT_EQ(At(shot, 113, 105), kGrey) << "the up arrow";
    f.grid->Perform(WM_LBUTTONDOWN, 0, XY(100, 100));
    EXPECT_FALSE(f.grid->Panning());
}

// The three markers and the nine cursors, twice their size, over a checkerboard
// that shows the cursors' transparency.
TEST(GridPanPictures, WritesThePicturesPng)
{
    const int cell = 72;
    QImage sheet(9 * cell, 2 * cell, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int y = 0; y < sheet.height(); y += 8)
        for (int x = 0; x < sheet.width(); x += 8)
            if ((x / 8 + y / 8) % 2) p.fillRect(x, y, 8, 8, QColor(200, 200, 200));
    const char* markers[] = {"INTLI1", "INTLI2", "INTLI3"};
    for (int i = 0; i < 3; ++i)
        p.drawImage(QRect(i * cell + 10, 10, 52, 52), PanMarkerImage(QLatin1String(markers[i])));
    for (int id = 8000; id <= 8008; ++id)
        p.drawImage(QRect((id - 8000) * cell + 4, cell + 4, 64, 64), PanCursorImage(id));
    p.end();
    const QString path = QStringLiteral(KV_TEST_BINARY_DIR "/grid_pan_pictures.png");
    ASSERT_TRUE(sheet.save(path));
    EXPECT_FALSE(QImage(path).isNull());
}

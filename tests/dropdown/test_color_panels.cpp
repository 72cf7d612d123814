// The honeycomb cube and the spectrum panel: cell geometry and hit tests, the
// selection rules, the marks and boxes as painted, the mouse through real
// events, the spectrum picture's pixel rule and its pointer cursor.
#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "dropdown/color_panels.h"
#include "platform/ui/forms.h"

namespace {

QRgb Rgb(TColor c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

struct CubeFixture {
    TForm form;
    TKvColorCubePanel* cube;
    CubeFixture()
    {
        form.SetBounds(0, 0, 240, 220);
        cube = new TKvColorCubePanel(&form);
        cube->SetParent(&form);
        cube->SetColor(clWhite);
        cube->InitCubeCells();
        cube->InitializePanel();
        form.Show();
    }
    QImage Shot() { return cube->Snapshot().convertToFormat(QImage::Format_RGB32); }
    QPoint Centre(int cell) { return QPoint(cube->Cell(cell).X, cube->Cell(cell).Y); }
};

struct SpectrumFixture {
    TForm form;
    TKvColorSpectrumPanel* panel;
    SpectrumFixture()
    {
        form.SetBounds(0, 0, 220, 230);
        panel = new TKvColorSpectrumPanel(&form);
        panel->SetParent(&form);
        panel->SetColor(clBtnFace);
        panel->InitializePanel();
        form.Show();
    }
    QImage Shot() { return panel->Snapshot().convertToFormat(QImage::Format_RGB32); }
};

void SavePng(const QImage& img, const char* name)
{
    ASSERT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/") + QLatin1String(name)));
}

} // namespace

TEST(ColorCube, CellsLieOnTheHoneycombRowsWithTheirColours)
{
    TKvColorCubePanel cube;
    struct Row { int cell; int x; int y; TColor color; };
    const Row rows[] = {
        {1, 55, 20, 0x663300},   {7, 127, 20, 0x660000}, {8, 49, 30, 0x666600}, {58, 19, 80, 0x003300},
        {64, 91, 80, 0xFFFFFF},  {70, 163, 80, 0x660066}, {71, 25, 90, 0x006633}, {121, 55, 140, 0x003366},
        {127, 127, 140, 0x2100A5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cell);
        EXPECT_EQ(cube.Cell(r.cell).X, r.x);
        EXPECT_EQ(cube.Cell(r.cell).Y, r.y);
        EXPECT_EQ(cube.Cell(r.cell).Color, r.color);
    }
    EXPECT_EQ(cube.CubeSize(), TPoint(6, 3));
    EXPECT_EQ(cube.SelectedColor(), clNone);
    EXPECT_EQ(cube.SelectedIndex(), -1);
    EXPECT_TRUE(cube.ShowRGBHint());
    EXPECT_TRUE(cube.ShowHint());
    cube.InitializePanel();
    EXPECT_EQ(cube.Width(), 182);
    EXPECT_EQ(cube.Height(), 160);
}

TEST(ColorCube, HitTestTakesTheFirstCellWithinRadiusSix)
{
    TKvColorCubePanel cube;
    struct Probe { int x; int y; int cell; };
    const Probe probes[] = {{55, 20, 1}, {61, 20, 1}, {55, 27, -1}, {62, 20, 2}, {91, 80, 64}, {0, 0, -1}};
    for (const Probe& p : probes) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(cube.CellAtPos(p.x, p.y), p.cell);
    }
}

TEST(ColorCube, SelectedColorPicksTheFirstCellOfThatColourOrNone)
{
    TKvColorCubePanel cube;
    cube.SetSelectedColor(0xFFFFFF);
    EXPECT_EQ(cube.SelectedIndex(), 64);
    cube.SetSelectedColor(0x123456);
    EXPECT_EQ(cube.SelectedIndex(), -1);
    EXPECT_EQ(cube.SelectedColor(), 0x123456);
    // An explicit cell number wins over the colour.
    cube.SelectColor(0xFFFFFF, 3);
    EXPECT_EQ(cube.SelectedIndex(), 3);
}

TEST(ColorCube, PaintsCellsWithHotAndSelectedMarks)
{
    CubeFixture f;
    f.cube->SetSelectedColor(0xFFFFFF);
    QImage img = f.Shot();
    const QPoint c1 = f.Centre(1), c64 = f.Centre(64);
    EXPECT_EQ(img.pixel(c1), Rgb(0x663300));
    // Selected: black outer hexagon (left side at x - 5), white inner one (x - 4).
    EXPECT_EQ(img.pixel(c64.x() - 5, c64.y()), Rgb(clBlack));
    EXPECT_EQ(img.pixel(c64.x() - 4, c64.y()), Rgb(clWhite));

    QTest::mouseMove(f.cube, c1);
    EXPECT_EQ(f.cube->HotIndex(), 1);
    img = f.Shot();
    EXPECT_EQ(img.pixel(c1.x() - 5, c1.y()), Rgb(clRed));
    EXPECT_EQ(img.pixel(c1), Rgb(0x663300));
    SavePng(img, "color_cube.png");
}

TEST(ColorCube, MouseShowsTheRgbHintAndKeepsTheHotMarkOffTheHoneycomb)
{
    CubeFixture f;
    // Start from a point off the honeycomb: a move to where the pointer already is sends nothing.
    QTest::mouseMove(f.cube, QPoint(175, 5));
    QTest::mouseMove(f.cube, f.Centre(1));
    EXPECT_EQ(f.cube->Hint(), QStringLiteral("Red: 0,  Green: 51,  Blue: 102"));
    QTest::mouseMove(f.cube, QPoint(170, 150));
    EXPECT_EQ(f.cube->Hint(), QString());
    EXPECT_EQ(f.cube->HotIndex(), 1);
    f.cube->SetShowRGBHint(false);
    QTest::mouseMove(f.cube, f.Centre(2));
    EXPECT_EQ(f.cube->HotIndex(), 2);
    EXPECT_EQ(f.cube->Hint(), QString());
}

TEST(ColorCube, ClickSelectsTheCellAndReleaseAsksToHide)
{
    CubeFixture f;
    int selects = 0, hides = 0;
    f.cube->OnSelect = [&](TObject*) { ++selects; };
    f.cube->OnShouldHide = [&](TObject*) { ++hides; };
    QTest::mouseClick(f.cube, Qt::LeftButton, {}, f.Centre(8));
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(f.cube->SelectedIndex(), 8);
    EXPECT_EQ(f.cube->SelectedColor(), 0x666600);
    // Between cells: nothing selected anew, the popup may still close.
    QTest::mouseClick(f.cube, Qt::LeftButton, {}, QPoint(55, 27));
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 2);
    EXPECT_EQ(f.cube->SelectedIndex(), 8);
}

TEST(ColorSpectrum, PictureFollowsTheHueAndLightnessRule)
{
    RegisterColorSpectrumResources();
    const QImage img = ResourceImage(QLatin1String(SpectrumResourceName));
    ASSERT_EQ(img.size(), QSize(128, 128));
    struct Probe { int x; int y; TColor color; };
    const Probe probes[] = {
        {0, 0, 0xFFFFFF},  {77, 0, 0xFFFFFF},  {0, 64, 0x0000FF},   {64, 64, 0xFFFF00},
        {43, 64, 0x04FF00}, {0, 127, 0x000000}, {100, 127, 0x000000}, {127, 64, 0x0B00FF},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(SpectrumColorAt(p.x, p.y), p.color);
        EXPECT_EQ(img.pixel(p.x, p.y), Rgb(p.color));
    }
    // Lightness falls monotonically down every column.
    for (int x = 0; x < 128; x += 9)
        for (int y = 1; y < 128; ++y)
            ASSERT_LE(qGray(img.pixel(x, y)), qGray(img.pixel(x, y - 1))) << x << "," << y;
}

TEST(ColorSpectrum, GeometryAfterInitialisation)
{
    SpectrumFixture f;
    EXPECT_EQ(f.panel->Width(), 150);
    EXPECT_EQ(f.panel->Height(), 174);
    EXPECT_EQ(f.panel->SpectrumImage()->BoundsRect(), TRect(11, 10, 139, 138));
    EXPECT_EQ(f.panel->SelectedRect(), TRect(10, 146, 73, 166));
    EXPECT_EQ(f.panel->HotRect(), TRect(77, 146, 140, 166));
    EXPECT_EQ(f.panel->HotColor(), clNone);
    EXPECT_EQ(f.panel->SelectedColor(), clWhite);
    EXPECT_EQ(f.panel->SpectrumImage()->Cursor(), crColorSpectrum);
    EXPECT_FALSE(Screen->Cursors(crColorSpectrum).pixmap().isNull());
}

TEST(ColorSpectrum, MouseTakesThePicturePixelAndReleaseAsksToHide)
{
    SpectrumFixture f;
    int selects = 0, hides = 0;
    f.panel->OnSelect = [&](TObject*) { ++selects; };
    f.panel->OnShouldHide = [&](TObject*) { ++hides; };
    TImage* image = f.panel->SpectrumImage();

    // A press before any movement selects the hot colour as it is: none.
    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f.panel->SelectedColor(), clNone);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 1);

    QTest::mouseMove(image, QPoint(64, 64));
    EXPECT_EQ(f.panel->HotColor(), SpectrumColorAt(64, 64));
    QTest::mouseMove(image, QPoint(0, 64));
    EXPECT_EQ(f.panel->HotColor(), 0x0000FF);
    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(0, 64));
    EXPECT_EQ(f.panel->SelectedColor(), 0x0000FF);
    EXPECT_EQ(selects, 2);
    EXPECT_EQ(hides, 2);

    const QImage img = f.Shot();
    const TRect s = f.panel->SelectedRect(), h = f.panel->HotRect();
    EXPECT_EQ(img.pixel(s.Left + 5, s.Top + 5), Rgb(0x0000FF));
    EXPECT_EQ(img.pixel(h.Left + 5, h.Top + 5), Rgb(0x0000FF));
    EXPECT_EQ(img.pixel(s.Left, s.Top), Rgb(clWhite)) << "white pen on the box";
    EXPECT_EQ(img.pixel(s.Left - 1, s.Top - 1), Rgb(0x808080)) << "grey frame outside it";
    EXPECT_EQ(img.pixel(10, 9), Rgb(clWhite)) << "white frame around the picture";
    EXPECT_EQ(img.pixel(9, 8), Rgb(0x808080)) << "grey frame around the picture";
    EXPECT_EQ(img.pixel(11 + 30, 10 + 127), Rgb(clBlack)) << "picture bottom row";
    SavePng(img, "color_spectrum.png");
}

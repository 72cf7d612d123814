// The grid control's cell painting: a shown editor-like grid probed by pixel
// (headers, own colours, selection mixing, check boxes), the content order on
// a recording canvas, the text painter's table of cases, its measuring, and
// the cell graphics.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <cmath>
#include <set>

#include "grid/cell_paint.h"
#include "grid/grid_lists.h"
#include "grid/html_hint_window.h"
#include "grid/kv_string_grid.h"
#include "grid/theme_services.h"
#include "platform/ui/drawing.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

namespace {

// Answers a shared virtual check box for the "Y"/"N" body cells of its check
// columns, as the column grid does for its check-box columns.
class TPaintGrid : public TKvStringGrid {
public:
    std::set<int> CheckCols;
    TCellGraphic Virt;
    TPaintGrid() { Virt.SetCellType(ctVirtCheckBox); }
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override
    {
        if (CheckCols.count(ACol) && ARow >= TBaseGrid::FixedRows()) {
            const QString s = Cells(ACol, ARow);
            if (s == QLatin1String("Y") || s == QLatin1String("N")) return &Virt;
        }
        return TKvStringGrid::GetCellGraphic(ACol, ARow);
    }
};

TColor At(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

int CountColor(const QImage& img, const TRect& R, TColor c)
{
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (At(img, x, y) == c) ++n;
    return n;
}

int Channel(TColor c, int shift) { return int((ColorToRGB(c) >> shift) & 0xFF); }

TCellGraphic* Attach(TKvStringGrid* g, int c, int r, TCellType t)
{
    auto* gr = new TCellGraphic;
    gr->SetCellType(t);
    g->CellProperties(c, r);
    g->SetGraphicObjects(c, r, gr);
    return gr;
}

constexpr TColor kXPTick = 0x21A121;

class GridCellPaint : public ::testing::Test {
protected:
    std::unique_ptr<TPaintGrid> g;
    TStringList radioItems;

    void SetUp() override
    {
        g = std::make_unique<TPaintGrid>();
        g->SetBorderStyle(bsNone);
        g->SetColCount(8);
        g->SetRowCount(9);
        g->SetDefaultColWidth(80);
        g->SetDefaultRowHeight(22);
        g->SetBounds(0, 0, 640, 200);
        g->CheckCols = {1, 2};
        g->OnGetAlignment = [this](TObject*, int ARow, int ACol, TAlignment& HA, TVAlignment& VA) {
            if (g->CheckCols.count(ACol) && ARow > 0) HA = taCenter;
            if (ACol == 3 && ARow == 0) VA = vtaCenter;
        };
        const char* heads[] = {"", "On", "Off", "Kind", "Read", "Mix", "Own", "Box"};
        for (int c = 0; c < 8; ++c) g->SetCells(c, 0, QString::fromLatin1(heads[c]));
        for (int r = 1; r < 9; ++r) {
            g->SetCells(1, r, r % 2 ? QStringLiteral("Y") : QStringLiteral("N"));
            g->SetCells(2, r, r % 2 ? QStringLiteral("N") : QStringLiteral("Y"));
        }
        // column 3: one cell of each kind
        radioItems.Add(QStringLiteral("A"));
        radioItems.Add(QStringLiteral("B"));
        TCellGraphic* rg = Attach(g.get(), 3, 1, ctRadio);
        rg->FCellBitmap = static_cast<TObject*>(&radioItems);
        rg->SetCellIndex(1);
        TCellGraphic* pg = Attach(g.get(), 3, 2, ctProgress);
        pg->FCellBitmap = TColor(clRed);
        pg->FCellIcon = TColor(clWhite);
        pg->SetCellErrLen(100);
        g->SetCells(3, 2, QStringLiteral("40"));
        TCellGraphic* cg = Attach(g.get(), 3, 3, ctComment);
        cg->SetCellText(QStringLiteral("note"));
        g->SetCells(3, 3, QStringLiteral("comment"));
        TCellGraphic* bg = Attach(g.get(), 3, 4, ctButton);
        bg->SetCellIndex((18 << 16) | 60);
        bg->SetCellText(QStringLiteral("Press"));
        g->SetCells(3, 5, QStringLiteral("http://kalvora.example"));
        g->SetURLShow(true);
        g->SetCells(3, 6, QStringLiteral("secret"));
        g->OnIsPasswordCell = [](TObject*, int ARow, int ACol, bool& P) { P = ACol == 3 && ARow == 6; };
        g->SetCells(3, 7, QStringLiteral("<b>bold</b> text"));
        g->SortSettings()->Show = true;
        g->SortSettings()->Row = 0;
        g->SortSettings()->Column = 3;
        // a read-only check box
        TCellGraphic* ro = Attach(g.get(), 4, 1, ctCheckBox);
        ro->SetCellBoolean(true);
        g->CellProperties(4, 1)->SetReadOnly(true);
        // own colours: a normal cell for the mixer, fixed cells with and without graphic
        g->CellProperties(5, 1)->SetBrushColor(0x0000FF);
        g->CellProperties(6, 0)->SetBrushColor(0x00FF00);
        g->CellProperties(7, 0)->SetBrushColor(0x00FF00);
        Attach(g.get(), 7, 0, ctCheckBox);
        g->SetSelectionColor(0xFF0000);
        g->SetSelectionColorMixer(true);
        g->SetSelection(TGridRect{5, 1, 6, 2});
        g->Show();
        QApplication::processEvents();
    }
    QImage Render()
    {
        g->Invalidate();
        return g->Snapshot();
    }
    TRect Cell(int c, int r) { return g->CellRect(c, r); }
};

TEST_F(GridCellPaint, ShownGridHeadersColoursSelectionAndCheckBoxes)
{
    g->ControlLook()->SetControlStyle(csWinXP);
    const QImage img = Render();
    img.save(QStringLiteral("grid_cell_paint_xp.png"));

    // glXP header: white-to-button-face gradient, white top and left lines, halved bottom line
    const TRect h = Cell(1, 0);
    const TColor face = ColorToRGB(clBtnFace);
    const int mx = h.Left + 10;
    const TColor top = At(img, mx, h.Top + 2), bottom = At(img, mx, h.Bottom - 3);
    EXPECT_GE(Channel(top, 0), 0xF5);
    EXPECT_NEAR(Channel(bottom, 8), Channel(face, 8), 8);
    EXPECT_LT(Channel(bottom, 8), Channel(top, 8));
    EXPECT_EQ(At(img, mx, h.Top), clWhite);
    EXPECT_EQ(At(img, h.Left, h.Top + 8), clWhite);
    EXPECT_EQ(At(img, mx, h.Bottom - 1), RGB(Channel(face, 0) / 2, Channel(face, 8) / 2, Channel(face, 16) / 2));

    // own colour kept in a fixed row without graphic; the check-box cell takes the fixed look
    EXPECT_EQ(At(img, Cell(6, 0).Right - 6, Cell(6, 0).Bottom - 6), TColor(0x00FF00));
    const TRect b = Cell(7, 0);
    EXPECT_EQ(At(img, b.Right - 4, b.Bottom - 4), At(img, Cell(5, 0).Right - 4, Cell(5, 0).Bottom - 4));

    // the mixer: half of $FF0000 over $0000FF
    EXPECT_EQ(At(img, Cell(5, 1).Left + 40, Cell(5, 1).Top + 12), TColor(0x800080));

    // checked and unchecked boxes of the check columns
    EXPECT_GT(CountColor(img, Cell(1, 1), kXPTick), 0);
    EXPECT_EQ(CountColor(img, Cell(2, 1), kXPTick), 0);
    EXPECT_EQ(CountColor(img, Cell(1, 2), kXPTick), 0);
    EXPECT_GT(CountColor(img, Cell(2, 2), kXPTick), 0);
    // the read-only box is drawn disabled (grey tick, no green)
    EXPECT_EQ(CountColor(img, Cell(4, 1), kXPTick), 0);
    g->ControlLook()->SetNoDisabledCheckRadioLook(true);
    EXPECT_GT(CountColor(Render(), Cell(4, 1), kXPTick), 0);
}

TEST_F(GridCellPaint, ThemedCheckBoxesDifferByState)
{
    g->ControlLook()->SetControlStyle(csTheme);
    const QImage img = Render();
    img.save(QStringLiteral("grid_cell_paint_theme.png"));
    const TRect y = Cell(1, 1), n = Cell(1, 2);
    int diff = 0;
    for (int dy = 0; dy < y.Height(); ++dy)
        for (int dx = 0; dx < y.Width(); ++dx)
            if (At(img, y.Left + dx, y.Top + dy) != At(img, n.Left + dx, n.Top + dy)) ++diff;
    EXPECT_GT(diff, 5);
}

TEST_F(GridCellPaint, UnfocusedSelectionWithoutColourIsHighlight)
{
    g->SetSelectionColor(clNone);
    g->SetSelectionColorMixer(false);
    g->SetSelection(TGridRect{1, 3, 2, 3});
    g->CheckCols.clear();
    const QImage img = Render();
    EXPECT_EQ(At(img, Cell(1, 3).Left + 40, Cell(1, 3).Top + 18), ColorToRGB(clHighlight));
    EXPECT_NE(At(img, Cell(2, 3).Left + 40, Cell(2, 3).Top + 18), ColorToRGB(clHighlight));
}

TEST_F(GridCellPaint, PrintingShowsNoSelectionColours)
{
    TBrush brush;
    TFont font;
    TColor to, m, mt;
    TAlignment ha;
    TVAlignment va;
    bool ww = true;
    TCellGradientDirection gd;
    TGridDrawState st(gdSelected);
    g->GetVisualProperties(5, 1, st, false, true, true, &brush, to, m, mt, &font, ha, va, ww, gd);
    EXPECT_EQ(brush.Color(), TColor(0x800080));
    TGridDrawState ps;
    g->GetVisualProperties(5, 1, ps, true, true, true, &brush, to, m, mt, &font, ha, va, ww, gd);
    EXPECT_EQ(brush.Color(), TColor(0x0000FF));
    EXPECT_FALSE(ps.Contains(gdSelected));
    // the check-box cell of the fixed row is fixed-coloured, the plain one keeps its own
    TGridDrawState f1, f2;
    g->GetVisualProperties(6, 0, f1, false, true, true, &brush, to, m, mt, &font, ha, va, ww, gd);
    EXPECT_EQ(brush.Color(), TColor(0x00FF00));
    g->GetVisualProperties(7, 0, f2, false, true, true, &brush, to, m, mt, &font, ha, va, ww, gd);
    EXPECT_EQ(brush.Color(), g->QRVGradientFrom());
    EXPECT_TRUE(f2.Contains(gdFixed));
}

TEST_F(GridCellPaint, FocusRectangleAndNoImageAndText)
{
    QApplication::setActiveWindow(g.get());
    (void)QTest::qWaitForWindowActive(g.get());
    g->SetFocus();
    QApplication::processEvents();
    g->FocusCell(3, 3);
    if (!g->Focused()) GTEST_SKIP() << "no focus offscreen";
    TRecordingCanvas rc;
    const TRect R = Cell(3, 3);
    auto focusRects = [&]() {
        rc.Clear();
        g->DrawCellContent(&rc, 3, 3, R, TGridDrawState(gdFocused) | gdSelected);
        return rc.OpsOf(QStringLiteral("DrawFocusRect")).size();
    };
    EXPECT_EQ(focusRects(), 1u);
    g->HideFocusRect = true;
    EXPECT_EQ(focusRects(), 0u);
    g->HideFocusRect = false;
    g->SetOptions(g->Options() | goRowSelect);
    EXPECT_EQ(focusRects(), 0u);
}

TEST_F(GridCellPaint, ContentTextAndGraphicOrder)
{
    TRecordingCanvas rc;
    auto texts = [&]() {
        QStringList t;
        for (const auto& op : rc.OpsOf(QStringLiteral("TextOut"))) t << op.Text;
        return t;
    };
    // the comment cell shows its text, then the mark over it
    g->DrawCellContent(&rc, 3, 3, Cell(3, 3), TGridDrawState());
    EXPECT_TRUE(texts().contains(QStringLiteral("comment")));
    int textAt = -1, markAt = -1;
    for (int i = 0; i < int(rc.Ops.size()); ++i) {
        if (rc.Ops[i].Kind == QLatin1String("TextOut") && textAt < 0) textAt = i;
        if (rc.Ops[i].Kind == QLatin1String("Polygon")) markAt = i;
    }
    EXPECT_LT(textAt, markAt);
    rc.Clear();
    g->NoImageAndText = true;
    g->DrawCellContent(&rc, 3, 3, Cell(3, 3), TGridDrawState());
    EXPECT_FALSE(texts().contains(QStringLiteral("comment")));
    EXPECT_FALSE(rc.OpsOf(QStringLiteral("Polygon")).empty());
}

// ============================================================ text painter table

class GridCellText : public ::testing::Test {
protected:
    TKvStringGrid g;
    TRecordingCanvas rc;
    void SetUp() override
    {
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetDefaultColWidth(60);
        g.SetDefaultRowHeight(20);
    }
    QStringList Draw(int c, int r)
    {
        rc.Clear();
        g.DrawCellContent(&rc, c, r, TRect(0, 0, 60, 20), TGridDrawState());
        QStringList t;
        for (const auto& op : rc.OpsOf(QStringLiteral("TextOut"))) t << op.Text;
        return t;
    }
};

TEST_F(GridCellText, TableOfDisplayedTexts)
{
    struct Case {
        const char* text;
        bool enh, url, full;
        const char* shown;
    } cases[] = {
        {"abcdefghijklmnopqrstuvwxyz", true, false, false, "abcde..."},
        {"abcdefghijklmnopqrstuvwxyz", false, false, false, "abcdefghijklmnopqrstuvwxyz"},
        {"first\rsecond", false, false, false, "first"},
        {"http://kalvora.example", false, true, false, "kalvora.example"},
        {"http://kalvora.example", false, true, true, "http://kalvora.example"},
        {"mailto:a@b.c", false, true, false, "a@b.c"},
        {"plain", false, true, false, "plain"},
    };
    g.SetWordWrap(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        g.SetCells(1, 1, QString::fromLatin1(c.text));
        g.EnhTextSize = c.enh;
        g.SetURLShow(c.url);
        g.SetURLFull(c.full);
        const QStringList t = Draw(1, 1);
        ASSERT_EQ(t.size(), 1);
        EXPECT_EQ(t[0], QString::fromLatin1(c.shown));
        const auto op = rc.OpsOf(QStringLiteral("TextOut"))[0];
        const bool link = c.url && QString::fromLatin1(c.text).contains(QLatin1Char(':'));
        EXPECT_EQ(op.Color == g.URLColor(), link);
        if (!c.enh) {
            EXPECT_FALSE(op.Clip.IsEmpty());
        }
    }
}

TEST_F(GridCellText, PasswordShowsOneCharacterEach)
{
    g.SetCells(1, 1, QStringLiteral("abcde"));
    g.OnIsPasswordCell = [](TObject*, int, int, bool& P) { P = true; };
    EXPECT_EQ(Draw(1, 1), QStringList{QStringLiteral("*****")});
}

TEST_F(GridCellText, AutoNumAlignWithTheLocaleDecimal)
{
    g.AutoNumAlign = true;
    const QString dec = QString(GetLocaleDecimalSeparator());
    struct Case { QString text; TAlignment ha; } cases[] = {
        {QStringLiteral("-12") + dec + QStringLiteral("5"), taRightJustify},
        {QStringLiteral("12a"), taLeftJustify},
        {QStringLiteral("42"), taRightJustify},
    };
    for (const Case& c : cases) {
        g.SetCells(1, 1, c.text);
        TAlignment ha;
        TVAlignment va;
        g.CalcCellAlignment(1, 1, ha, va);
        EXPECT_EQ(ha, c.ha) << c.text.toStdString();
    }
}

TEST_F(GridCellText, SortIndicatorAtTheMiddleForPlainAndHTML)
{
    g.SortSettings()->Show = true;
    g.SortSettings()->Row = 0;
    g.SortSettings()->Column = 1;
    g.SetVAlignment(vtaCenter);
    // plain text centres on the cell (0 .. 20), HTML on its text area (2 .. 20)
    for (auto [text, middle] : {std::pair{"Name", 10}, std::pair{"<b>Name</b>", 11}}) {
        SCOPED_TRACE(text);
        g.SetCells(1, 0, QString::fromLatin1(text));
        Draw(1, 0);
        // the ascending arrow's base line lies 4 below the middle
        bool found = false;
        for (const auto& op : rc.OpsOf(QStringLiteral("LineTo")))
            if (op.Color == clWhite && op.R.Top == middle + 4 && op.R.Bottom == middle + 4) found = true;
        EXPECT_TRUE(found);
    }
}

TEST_F(GridCellText, MeasuringEmptyAndRotatedCells)
{
    g.Show();
    TSize s = g.GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(s.cx, 0);
    EXPECT_EQ(s.cy, g.Canvas()->TextHeight(QStringLiteral("gh")));

    g.SetCells(1, 1, QStringLiteral("Rotated"));
    const TSize flat = g.GetCellTextSize(1, 1, false, false);
    Attach(&g, 1, 1, ctRotated)->SetCellAngle(45);
    s = g.GetCellTextSize(1, 1, false, false);
    const double k = std::sqrt(0.5);
    // the bounding box of the turned text
    EXPECT_NEAR(s.cx, flat.cy * k + flat.cx * k + 12, 2);
    EXPECT_NEAR(s.cy, flat.cy * k + flat.cx * k + 12, 2);
}

// ============================================================ graphics

class GridCellGraphics : public ::testing::Test {
protected:
    TKvStringGrid g;
    void SetUp() override
    {
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetDefaultColWidth(80);
        g.SetDefaultRowHeight(40);
        g.SetOptions(g.Options() | goEditing);
    }
    QImage Render(int c, int r)
    {
        QImage img(80, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        TCanvas cv(&img);
        cv.Brush()->SetColor(clWhite);
        g.DrawCellContent(&cv, c, r, TRect(0, 0, 80, 40), TGridDrawState());
        return img;
    }
};

TEST_F(GridCellGraphics, CheckTextComparisonIsExact)
{
    g.ControlLook()->SetControlStyle(csWinXP);
    Attach(&g, 1, 1, ctDataCheckBox);
    g.SetCells(1, 1, QStringLiteral("y"));
    EXPECT_EQ(CountColor(Render(1, 1), TRect(0, 0, 80, 40), kXPTick), 0);
    g.SetCells(1, 1, QStringLiteral("Y"));
    EXPECT_GT(CountColor(Render(1, 1), TRect(0, 0, 80, 40), kXPTick), 0);
}

TEST_F(GridCellGraphics, ReadOnlyBoxDisabledUnlessForcedActive)
{
    g.ControlLook()->SetControlStyle(csWinXP);
    Attach(&g, 1, 1, ctCheckBox)->SetCellBoolean(true);
    g.CellProperties(1, 1)->SetReadOnly(true);
    EXPECT_EQ(CountColor(Render(1, 1), TRect(0, 0, 80, 40), kXPTick), 0);
    g.ControlLook()->SetCheckAlwaysActive(true);
    EXPECT_GT(CountColor(Render(1, 1), TRect(0, 0, 80, 40), kXPTick), 0);
    g.ControlLook()->SetCheckAlwaysActive(false);
    g.ControlLook()->SetNoDisabledCheckRadioLook(true);
    EXPECT_GT(CountColor(Render(1, 1), TRect(0, 0, 80, 40), kXPTick), 0);
}

TEST_F(GridCellGraphics, ClassicBoxIsTheCentredFrameControl)
{
    for (bool themed : {false, true}) {
        TThemeProfile p;
        p.ThemeActive = themed;
        TThemeProfileScope scope(p);
        QImage a(31, 31, QImage::Format_RGB32), b(31, 31, QImage::Format_RGB32);
        a.fill(Qt::white);
        b.fill(Qt::white);
        TCanvas ca(&a), cb(&b);
        // csTheme without visual styles falls back to the classic box
        g.DrawCheck(&ca, TRect(0, 0, 31, 31), true, true, false, themed ? csClassic : csTheme, false, cbUnchecked);
        TRect box(8, 8, 23, 23);
        DrawFrameControl(&cb, box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        EXPECT_EQ(a, b) << themed;
    }
}

TEST_F(GridCellGraphics, RadioGroupSelectsByText)
{
    g.ControlLook()->SetControlStyle(csWinXP);
    TStringList items;
    items.Add(QStringLiteral("A"));
    items.Add(QStringLiteral("B"));
    TCellGraphic* r = Attach(&g, 1, 1, ctRadio);
    r->FCellBitmap = static_cast<TObject*>(&items);
    r->SetCellIndex(-1);
    g.SetCells(1, 1, QStringLiteral("B"));
    const QImage img = Render(1, 1);
    const int lh = std::max(16, g.Canvas()->TextHeight(QStringLiteral("gh")));
    EXPECT_EQ(CountColor(img, TRect(0, 0, 20, 2 + lh), kXPTick), 0);
    EXPECT_GT(CountColor(img, TRect(0, 2 + lh, 20, 40), kXPTick), 0);
}

TEST_F(GridCellGraphics, RatingTakesHalfSteps)
{
    TCellGraphic* r = Attach(&g, 1, 1, ctRating);
    r->SetCellAngle(3);
    r->SetCellIndex(0x00FFFF);
    r->FCellBitmap = TColor(0xC0C0C0);
    g.SetCells(1, 1, QStringLiteral("1.7"));
    TRecordingCanvas rc;
    g.DrawCellContent(&rc, 1, 1, TRect(0, 0, 80, 40), TGridDrawState());
    std::vector<TColor> fills;
    for (const auto& op : rc.OpsOf(QStringLiteral("Polygon"))) fills.push_back(op.Color);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills, (std::vector<TColor>{0x00FFFF, 0xC0C0C0, 0x00FFFF, 0xC0C0C0}));
}

TEST_F(GridCellGraphics, ProgressValuesNeverRaise)
{
    EXPECT_EQ(ClampPercent(150), 100);
    EXPECT_EQ(ClampPercent(-3), 0);
    EXPECT_EQ(ClampPercent(42.5), 42.5);
    g.ControlLook()->SetProgressXP(true);
    TCellGraphic* p = Attach(&g, 1, 1, ctProgress);
    p->SetCellErrLen(100);
    g.SetCells(1, 1, QStringLiteral("100"));
    const QImage full = Render(1, 1);
    g.SetCells(1, 1, QStringLiteral("150"));
    EXPECT_EQ(Render(1, 1), full);
    g.SetCells(1, 1, QStringLiteral("0"));
    const QImage zero = Render(1, 1);
    g.SetCells(1, 1, QStringLiteral("abc"));
    EXPECT_EQ(Render(1, 1), zero);

    // equal minimum and maximum draw 0 per cent
    TCellGraphic* x = Attach(&g, 2, 1, ctXPProgress);
    x->SetCellErrFrom(5);
    x->SetCellErrLen(5);
    g.SetCells(2, 1, QStringLiteral("5"));
    const QImage equal = Render(2, 1);
    x->SetCellErrFrom(0);
    x->SetCellErrLen(100);
    g.SetCells(2, 1, QStringLiteral("0"));
    EXPECT_EQ(Render(2, 1), equal);
}

TEST_F(GridCellGraphics, DataImageOutsideTheListDrawsNothing)
{
    TImageList images(16, 16);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images.Add(&red, nullptr);
    g.SetGridImages(&images);
    TCellGraphic* d = Attach(&g, 1, 1, ctDataImage);
    d->SetCellIndex(-5);
    g.SetCells(1, 1, QStringLiteral("1"));
    EXPECT_EQ(CountColor(Render(1, 1), TRect(0, 0, 80, 40), clRed), 0);
    d->SetCellIndex(0);
    g.SetCells(1, 1, QStringLiteral("x"));
    EXPECT_EQ(CountColor(Render(1, 1), TRect(0, 0, 80, 40), clRed), 0);
    g.SetCells(1, 1, QStringLiteral("0"));
    EXPECT_GT(CountColor(Render(1, 1), TRect(0, 0, 80, 40), clRed), 0);
}

TEST_F(GridCellGraphics, MultiImageDrawsItsListSideBySideOrStacked)
{
    TImageList images(16, 16);
    for (TColor c : {clRed, clBlue}) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(TRect(0, 0, 16, 16));
        images.Add(&b, nullptr);
    }
    g.SetGridImages(&images);
    g.AddMultiImage(1, 1, 0, haLeft, vaTop);
    for (int i : {0, 1, 0, 7}) g.CellImages(1, 1)->Add(i);   // 7 is past the list: nothing drawn
    QImage img = Render(1, 1);
    EXPECT_EQ(CountColor(img, TRect(0, 0, 80, 40), clRed), 2 * 256);
    EXPECT_EQ(CountColor(img, TRect(0, 0, 80, 40), clBlue), 256);
    g.AddMultiImage(1, 1, 1, haLeft, vaTop);   // a new list, stacked
    g.CellImages(1, 1)->Add(1);
    g.CellImages(1, 1)->Add(0);
    img = Render(1, 1);
    EXPECT_EQ(CountColor(img, TRect(0, 0, 80, 40), clRed), 256);
    EXPECT_EQ(CountColor(img, TRect(0, 0, 80, 40), clBlue), 256);
}

TEST(GridCellPaintHelpers, MixerAndRotatedOrigin)
{
    EXPECT_EQ(MixSelectionColor(0xFF0000, 0x0000FF, true, 50), TColor(0x800080));
    EXPECT_EQ(MixSelectionColor(0xFF0000, 0x0000FF, false, 50), TColor(0xFF0000));
    EXPECT_EQ(MixSelectionColor(0xFF0000, 0x0000FF, true, 100), TColor(0xFF0000));
    EXPECT_EQ(MixSelectionColor(0xFF0000, 0x0000FF, true, 0), TColor(0x0000FF));
    EXPECT_EQ(MixSelectionColor(clNone, 0x0000FF, true, 50), TColor(0x0000FF));
    EXPECT_EQ(MixSelectionColor(0xFF0000, clNone, true, 50), TColor(0xFF0000));

    TRecordingCanvas rc; // 7 pixels a character, 13 a line
    TRect R(0, 0, 100, 100);
    RotatedTextOrigin(&rc, R, 90, QStringLiteral("abcd"), 0, 0);
    // 90 degrees: the box is 13 wide, 28 high; the text starts at its bottom-left
    EXPECT_EQ(R.Left, 2);
    EXPECT_EQ(R.Top, 2 + 28);
}

} // namespace

namespace {

class GridBackground : public ::testing::Test {
protected:
    std::unique_ptr<TKvStringGrid> g;
    void SetUp() override
    {
        g = std::make_unique<TKvStringGrid>();
        g->SetBorderStyle(bsNone);
        g->SetColCount(3);
        g->SetRowCount(3);
        g->SetDefaultColWidth(50);
        g->SetDefaultRowHeight(20);
        g->SetBounds(0, 0, 300, 200);
        g->Show();
        QApplication::processEvents();
    }
    QImage Render()
    {
        g->Invalidate();
        return g->Snapshot();
    }
};

TEST_F(GridBackground, EmptyAreaGradientOnlyWithAnEndColour)
{
    const QImage plain = Render();
    // the default background draws nothing
    g->BackGround()->SetDisplay(bdGradientVert);
    g->BackGround()->SetColor(0x0000FF);
    g->BackGround()->SetColorTo(clNone);
    EXPECT_EQ(Render(), plain);
    g->BackGround()->SetColorTo(0xFF0000);
    const QImage img = Render();
    img.save(QStringLiteral("grid_background_gradient.png"));
    // right of the last column: red at the top turning blue at the bottom
    const TColor top = At(img, 250, 2), bottom = At(img, 250, 197);
    EXPECT_GT(Channel(top, 0), 200);
    EXPECT_GT(Channel(bottom, 16), 200);
    // below the last row too, but not over the cells' text area
    EXPECT_GT(Channel(At(img, 20, 190), 16), 150);
}

TEST_F(GridBackground, CellsTakeTheRunningGradient)
{
    g->BackGround()->SetDisplay(bdGradientHorz);
    g->BackGround()->SetColor(0xFFFFFF);
    g->BackGround()->SetColorTo(0x000000);
    g->BackGround()->SetCells(bcAll);
    const QImage img = Render();
    // a normal cell further right is darker
    EXPECT_GT(Channel(At(img, 60, 30), 8), Channel(At(img, 140, 30), 8));
}

TEST(GridBalloons, TextAndTitleLimits)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCells(1, 1, QStringLiteral("\r\n") + QString(3000, QLatin1Char('x')));
    QString title, text;
    int icon = 0;
    g.GetBalloonContent(1, 1, title, text, icon);
    EXPECT_EQ(text.size(), 2048);
    EXPECT_TRUE(text.endsWith(QStringLiteral("x...")));
    EXPECT_EQ(title, QStringLiteral(" "));
    EXPECT_EQ(icon, 1);

    g.OnCellBalloon = [](TObject*, int, int, QString& T, QString&, int&) { T = QString(120, QLatin1Char('t')); };
    g.SetCells(2, 2, QStringLiteral("<b>bold</b>\there"));
    g.GetBalloonContent(2, 2, title, text, icon);
    EXPECT_EQ(title.size(), 100);
    EXPECT_TRUE(title.endsWith(QStringLiteral("t...")));
    EXPECT_EQ(text, QStringLiteral("bold here"));

    EXPECT_FALSE(g.BalloonInitialised());
    g.BalloonInit();
    EXPECT_TRUE(g.BalloonInitialised());
    g.BalloonDone();
    EXPECT_FALSE(g.BalloonInitialised());
}

} // namespace

namespace {

TEST(GridHintWindow, SizedByItsTextAndKeptOnTheScreen)
{
    THTMLHintWindow w;
    w.ScreenArea = TRect(0, 0, 400, 300);
    w.ActivateHint(TRect(100, 50, 100, 50), QStringLiteral("<b>Hint</b> text"));
    EXPECT_EQ(w.Hint(), QStringLiteral("<b>Hint</b> text"));
    EXPECT_GT(w.TextWidth, 0);
    EXPECT_EQ(w.Width(), w.TextWidth + 16);
    EXPECT_EQ(w.Height(), w.TextHeight + 4);
    EXPECT_EQ(w.Left(), 100);
    // a hint passing the right and bottom edges ends 2 pixels inside them
    w.ActivateHint(TRect(390, 295, 390, 295), QStringLiteral("A rather long hint for a small screen"));
    EXPECT_EQ(w.Left() + w.Width(), 398);
    EXPECT_EQ(w.Top() + w.Height(), 298);
    const TRect r = w.CalcHintRect(1000, QStringLiteral("abc"), nullptr);
    EXPECT_EQ(r.Left, 0);
    EXPECT_GT(r.Right, 0);
    w.ReleaseHandle();
}

} // namespace

namespace {

class TNodeGrid : public TKvStringGrid {
public:
    int GetRowIndent(int) override { return 12; }
};

TEST(GridNodeButtons, PlusWhenContractedMinusWhenExpanded)
{
    for (TNodeType type : {cnXP, cnLeaf, cnFlat}) {
        TNodeGrid g;
        g.SetColCount(2);
        g.SetRowCount(3);
        g.CellNode()->SetNodeType(type);
        TCellGraphic* n = Attach(&g, 0, 1, ctNode);
        auto render = [&]() {
            QImage img(60, 20, QImage::Format_RGB32);
            img.fill(Qt::white);
            TCanvas cv(&img);
            cv.Brush()->SetColor(clWhite);
            g.DrawCellContent(&cv, 0, 1, TRect(0, 0, 60, 20), TGridDrawState());
            return CountColor(img, TRect(0, 0, 60, 20), clBlack);
        };
        n->SetCellBoolean(false);
        const int minus = render();
        n->SetCellBoolean(true);
        const int plus = render();
        EXPECT_GT(minus, 0) << type;
        EXPECT_GT(plus, minus) << type;
    }
}

} // namespace

namespace {

// ============================================================ further cell pieces

// The content of one cell drawn into a white image of its size.
QImage RenderCell(TKvStringGrid* g, int c, int r, int w, int h, TGridDrawState st = TGridDrawState(),
                  Qt::GlobalColor under = Qt::white)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(under);
    TCanvas cv(&img);
    cv.Brush()->SetColor(clWhite);
    g->DrawCellContent(&cv, c, r, TRect(0, 0, w, h), st);
    return img;
}

// Writes a marker text when the grid asks it to draw.
class TMarkerCell : public TObject, public IInterfacedCell {
public:
    bool Before = false;
    void Draw(TCanvas* Canvas, const TRect& R, int, int, bool, TObject*) override
    {
        Canvas->TextOut(R.Left, R.Top, QStringLiteral("marker"));
    }
    int GetWidth() override { return 10; }
    int GetHeight() override { return 10; }
    bool IsBefore() override { return Before; }
};

TEST(GridCellPieces, InterfacedCellDrawsBeforeOrAfterItsText)
{
    for (bool before : {true, false}) {
        SCOPED_TRACE(before);
        TKvStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetCells(1, 1, QStringLiteral("text"));
        TMarkerCell m;
        m.Before = before;
        g.AddInterfacedCell(1, 1, &m);
        TRecordingCanvas rc;
        g.DrawCellContent(&rc, 1, 1, TRect(0, 0, 80, 20), TGridDrawState());
        QStringList order;
        for (const auto& op : rc.OpsOf(QStringLiteral("TextOut"))) order << op.Text;
        const int mi = int(order.indexOf(QStringLiteral("marker"))), ti = int(order.indexOf(QStringLiteral("text")));
        ASSERT_GE(mi, 0);
        ASSERT_GE(ti, 0);
        EXPECT_EQ(mi < ti, before);
        EXPECT_EQ(order.count(QStringLiteral("marker")), 1);
        g.RemoveInterfacedCell(1, 1);
    }
}

TEST(GridCellPieces, CellScrollBarMovesTheTextUp)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.MultilineCells = true;
    g.SetCells(1, 1, QStringLiteral("one\rtwo\rthree\rfour"));
    g.AddScrollBar(1, 1, false);
    TScrollProp p;
    p.Range = 80;
    p.PageSize = 40;
    g.SetScrollProp(1, 1, p);
    auto textTop = [&](int pos) {
        g.SetScrollPosition(1, 1, pos);
        TRecordingCanvas rc;
        g.DrawCellContent(&rc, 1, 1, TRect(0, 0, 100, 40), TGridDrawState());
        const auto ops = rc.OpsOf(QStringLiteral("TextOut"));
        return ops.empty() ? -1000 : ops.front().Y;
    };
    const int top0 = textTop(0), top15 = textTop(15);
    EXPECT_EQ(top0 - top15, 15);
    // the bar takes the right edge of the cell
    const int w = GetSystemMetrics(SM_CXVSCROLL);
    const QImage img = RenderCell(&g, 1, 1, 100, 40);
    EXPECT_LT(CountColor(img, TRect(100 - w, 0, 100, 40), clWhite), w * 40 / 2);
}

TEST(GridCellPieces, TreeLinesOnlyWhenShown)
{
    for (bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        TForm form;
        auto* g = new TKvStringGrid(&form);
        g->SetRowCount(6);
        g->AddNode(1, 3);
        g->CellNode()->SetShowTree(shown);
        g->CellNode()->SetTreeColor(clFuchsia);
        const QImage img = RenderCell(g, 0, 2, 40, 20);
        EXPECT_EQ(CountColor(img, TRect(0, 0, 40, 20), clFuchsia) > 0, shown);
    }
}

TEST(GridCellPieces, DesignTimeColumnNumbers)
{
    TKvStringGrid::SetDesignTimeConstruction(true);
    TKvStringGrid g;
    TKvStringGrid::SetDesignTimeConstruction(false);
    g.SetColCount(4);
    g.SetRowCount(3);
    auto numbers = [&](int c, int r) {
        TRecordingCanvas rc;
        g.DrawCellContent(&rc, c, r, TRect(0, 0, 60, 20), TGridDrawState());
        QStringList t;
        for (const auto& op : rc.OpsOf(QStringLiteral("TextOut"))) t << op.Text;
        return t;
    };
    EXPECT_FALSE(numbers(2, 0).contains(QStringLiteral("2")));
    g.DesignColumnNumbers = true;
    EXPECT_TRUE(numbers(2, 0).contains(QStringLiteral("2")));
    EXPECT_FALSE(numbers(2, 1).contains(QStringLiteral("2")));
}

TEST(GridCellPieces, ListViewHeaderDrawnThroughTheTheme)
{
    auto header = [](TGridLook look) {
        TKvStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetLook(look);
        return RenderCell(&g, 1, 0, 60, 20, TGridDrawState() << gdFixed, Qt::black);
    };
    const QImage lv = header(glListView), classic = header(glClassic);
    EXPECT_NE(lv, classic);
    // the header part fills the cell: nothing of the black underneath stays
    EXPECT_EQ(CountColor(lv, TRect(2, 2, 58, 18), clBlack), 0);
}

TEST(GridCellPieces, FilePictureGoneFromDiskPaintsWithoutRaising)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    const QString file = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cell_file_picture.png"));
    QImage pic(8, 8, QImage::Format_RGB32);
    pic.fill(QColor(0, 0, 255));
    ASSERT_TRUE(pic.save(file));
    TFilePicture* fp = g.CreateFilePicture(1, 1, false, Stretch, 0, haLeft, vaTop);
    fp->SetFilename(file);
    auto render = [&] { return CountColor(RenderCell(&g, 1, 1, 40, 20), TRect(0, 0, 40, 20), clBlue); };
    EXPECT_GT(render(), 0);
    QFile::remove(file);
    EXPECT_NO_THROW(render());
}

TEST(GridBalloons, TextAskedForTheCellUnderTheMouse)
{
    TForm form;
    form.SetBounds(0, 0, 300, 200);
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 200);
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetDefaultColWidth(64);
    g->SetDefaultRowHeight(22);
    g->SetCells(1, 1, QStringLiteral("balloon text"));
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    g->Balloon()->SetEnable(true);
    g->BalloonInit();
    const TRect r = g->CellRect(1, 1);
    Mouse->SetCursorPos(g->ClientToScreen(TPoint(r.Left + 5, r.Top + 5)));
    TToolTipTextRequest req;
    req.hdr.code = TTN_GETDISPINFOW;
    g->Perform(WM_NOTIFY, 0, LPARAM(&req));
    EXPECT_EQ(req.Text, QStringLiteral("balloon text"));
    EXPECT_EQ(req.MaxWidth, 300);
    g->Balloon()->SetEnable(false);
    TToolTipTextRequest off;
    off.hdr.code = TTN_GETDISPINFOW;
    g->Perform(WM_NOTIFY, 0, LPARAM(&off));
    EXPECT_TRUE(off.Text.isEmpty());
    g->BalloonDone();
}

} // namespace

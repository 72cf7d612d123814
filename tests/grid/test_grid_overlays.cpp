// Drawing around the cells and the windows over the grid: the border rules,
// sizing lines that erase themselves, the focus glow with its hole, the
// design box's items, the arrow outlines, the alpha mask, the blur and the
// focus mask, the Metro scroll indicators and the header drag picture.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtGui/QRegion>

#include "grid/draw_utils.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

namespace {

class TOverlayGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    QImage Buffer() const { return FBuffer; }
};

template <class T>
T* FindChild(TComponent* Owner)
{
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<T*>(Owner->Components(i))) return c;
    return nullptr;
}

constexpr QRgb kPaper = 0xFFFF00FF;

} // namespace

TEST(GridBorder, OnlyModernLooksWithAColourAndNotFlatDrawOne)
{
    TForm form;
    form.SetColor(0x00FF00);
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 120, 80);
    g->SetBorderStyle(bsSingle);
    g->SetBorderColor(0x0000FF);
    struct Case {
        const char* name;
        TGridLook look;
        bool flat;
        TColor colour;
        bool drawn;
    };
    const Case cases[] = {
        {"xp", glXP, false, 0x0000FF, true},       {"vista", glVista, false, 0x0000FF, true},
        {"flat", glXP, true, 0x0000FF, false},     {"no colour", glXP, false, clNone, false},
        {"standard", glStandard, false, 0x0000FF, false}, {"classic", glClassic, false, 0x0000FF, false},
    };
    for (const Case& c : cases) {
        g->SetLook(c.look);
        g->SetFlat(c.flat);
        g->SetBorderColor(c.colour);
        g->SetFitCellsInGrid(true);
        QImage img(120, 80, QImage::Format_RGB32);
        img.fill(kPaper);
        {
            TCanvas canvas(&img);
            g->PaintBorder(&canvas);
        }
        if (c.drawn) {
            EXPECT_EQ(img.pixel(1, 40), 0xFFFF0000u) << c.name;  // the border colour, red
            EXPECT_EQ(img.pixel(60, 1), 0xFFFF0000u) << c.name;
            EXPECT_EQ(img.pixel(0, 40), 0xFF00FF00u) << c.name;  // the parent's colour outside it
            EXPECT_EQ(img.pixel(60, 40), kPaper) << c.name;
        } else {
            for (QPoint p : {QPoint(0, 0), QPoint(1, 40), QPoint(60, 1), QPoint(118, 40)})
                EXPECT_EQ(img.pixel(p), kPaper) << c.name;
        }
    }
}

TEST(GridBorder, ASizingLineDrawnTwiceLeavesTheGridAsItWas)
{
    TForm form;
    form.SetBounds(0, 0, 400, 300);
    auto* g = new TOverlayGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 200);
    form.Show();
    g->Snapshot();
    const QImage before = g->Buffer().copy();
    g->DrawColSizingLine(70);
    const QImage once = g->Buffer().copy();
    EXPECT_NE(once, before);
    g->DrawColSizingLine(70);
    EXPECT_EQ(g->Buffer(), before);
    g->DrawRowSizingLine(40);
    EXPECT_NE(g->Buffer(), before);
    g->DrawRowSizingLine(40);
    EXPECT_EQ(g->Buffer(), before);
}

TEST(FocusGlow, TheFrameLeavesAHoleOfTheCellFourPixelsIn)
{
    TForm form;
    form.SetBounds(0, 0, 400, 300);
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    form.Show();
    const TRect r(64, 24, 124, 44);  // 60 x 20
    g->ShowFocusWindow(r);
    TGridFocusWindow* fw = g->FocusWindow();
    ASSERT_NE(fw, nullptr);
    EXPECT_TRUE(fw->Visible());
    EXPECT_EQ(fw->Width(), 69);
    EXPECT_EQ(fw->Height(), 29);
    EXPECT_EQ(KvGridUnit::FocusGrid, g);
    // A top-most tool window that never takes the focus and lets the mouse through.
    EXPECT_TRUE(fw->isWindow());
    for (Qt::WindowType flag : {Qt::WindowStaysOnTopHint, Qt::Tool, Qt::WindowDoesNotAcceptFocus,
                                Qt::WindowTransparentForInput, Qt::FramelessWindowHint})
        EXPECT_TRUE(fw->windowFlags().testFlag(flag)) << int(flag);
    const QRegion region = fw->mask();
    EXPECT_TRUE(region.contains(QPoint(3, 3)));
    EXPECT_FALSE(region.contains(QPoint(4, 4)));
    EXPECT_FALSE(region.contains(QPoint(63, 23)));
    EXPECT_TRUE(region.contains(QPoint(64, 10)));
    EXPECT_TRUE(region.contains(QPoint(30, 24)));
    EXPECT_TRUE(region.contains(QPoint(68, 28)));
    const TPoint corner = g->ClientToScreen(TPoint(r.Left, r.Top));
    EXPECT_EQ(TPoint(fw->Left(), fw->Top()), TPoint(corner.X - 4, corner.Y - 4));
    // The glow: opaque on the frame, clear at the outer corner.
    const TGridAlphaMask* mask = g->FocusMask();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->Opacity, 230);
    EXPECT_GT(qAlpha(mask->Image().pixel(30, 4)), 100);
    EXPECT_LT(qAlpha(mask->Image().pixel(0, 0)), 40);
    g->HideFocusWindow();
    EXPECT_FALSE(fw->Visible());
    EXPECT_EQ(KvGridUnit::FocusGrid, nullptr);
}

TEST(FocusGlow, LayeredWindowCallsReachThePlatformWindows)
{
    TForm form;
    auto* c = new TPanel(&form);
    c->SetParent(&form);
    form.Show();
    EXPECT_TRUE(CallSetLayeredWindowAttributes(&form, clNone, 51, 2));
    EXPECT_NEAR(form.windowOpacity(), 0.2, 0.01);
    QImage picture(30, 12, QImage::Format_ARGB32_Premultiplied);
    picture.fill(qRgba(0, 0, 128, 128));
    const TPoint at(7, 9);
    TBlendFunction blend;
    blend.SourceConstantAlpha = 128;
    EXPECT_TRUE(CallUpdateLayeredWindow(c, nullptr, &at, nullptr, &picture, nullptr, clNone, &blend, 2));
    EXPECT_EQ(TRect(c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()), TRect(7, 9, 37, 21));
    EXPECT_TRUE(CallUpdateLayeredWindow(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, clNone, nullptr, 0));
}

TEST(DesignBox, ItemsAreHitByTheirLinesAndClicksActOnThem)
{
    TKvStringGrid::SetDesignTimeConstruction(true);
    TForm form;
    form.SetBounds(0, 0, 500, 400);
    auto* g = new TKvStringGrid(&form);
    TKvStringGrid::SetDesignTimeConstruction(false);
    g->SetParent(&form);
    g->SetBounds(0, 0, 400, 300);
    const TRect r = g->DesignHelperRect();
    TCanvas* c = g->Canvas();
    c->Font()->SetName(QStringLiteral("Tahoma"));
    c->Font()->SetSize(8);
    const int h = c->TextHeight(QStringLiteral("gh"));
    EXPECT_EQ(r.Width(), 150);
    EXPECT_EQ(r.Height(), 4 * h + 18);
    struct Case { const char* name; int x, y, item; };
    const Case cases[] = {
        {"close", r.Right - 5, r.Top + 5, 4},
        {"allow edit", r.Left + 30, r.Top + h + 7, 1},
        {"column numbers", r.Left + 30, r.Top + 2 * h + 9, 2},
        {"set look", r.Left + 10, r.Top + 3 * h + 11, 3},
        {"past the text", r.Right - 3, r.Top + h + 7, 0},
        {"title", r.Left + 10, r.Top + 5, 0},
        {"outside", r.Left - 5, r.Top + h + 7, 0},
    };
    for (const Case& k : cases) EXPECT_EQ(g->DesignHitTest(k.x, k.y), k.item) << k.name;
    EXPECT_TRUE(g->DesignMouseTest(r.Left + 30, r.Top + h + 7));
    EXPECT_EQ(g->DesignHotItem(), 1);
    EXPECT_EQ(g->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(unsigned(r.Left + 10), unsigned(r.Top + 3 * h + 11))), 1);
    EXPECT_EQ(g->DesignHotItem(), 3);
    EXPECT_FALSE(g->DesignMouseTest(r.Left - 5, r.Top));

    const bool editing = g->Options().Contains(goEditing);
    g->DesignHelperClick(r.Left + 30, r.Top + h + 7);
    EXPECT_NE(g->Options().Contains(goEditing), editing);
    g->DesignHelperClick(r.Left + 30, r.Top + 2 * h + 9);
    EXPECT_TRUE(g->DesignColumnNumbers);
    g->SetLook(glVista);
    g->DesignHelperClick(r.Left + 10, r.Top + 3 * h + 11);
    TPopupMenu* menu = g->DesignLookMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 9);
    QStringList captions;
    for (int i = 0; i < 9; ++i) {
        captions << menu->Items()->Items(i)->Caption();
        EXPECT_EQ(menu->Items()->Items(i)->Checked(), i == 7);
    }
    EXPECT_EQ(captions.join(QLatin1Char(',')),
              QStringLiteral("Standard,Soft,Classic,QRV,ListView,Office 2007,Windows XP,Windows Vista,Windows 7"));
    menu->Items()->Items(2)->Click();
    EXPECT_EQ(g->Look(), glClassic);
    menu->ClosePopup();
    g->DesignHelperClick(r.Right - 5, r.Top + 5);
    EXPECT_FALSE(g->ShowDesignHelper());
}

TEST(OverlayWindows, ArrowsHaveTheirSevenPointOutlines)
{
    const std::vector<TPoint> up = TArrowWindow::ArrowPoints(arrUp);
    EXPECT_EQ(up, (std::vector<TPoint>{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}));
    EXPECT_EQ(TArrowWindow::ArrowPoints(arrDown),
              (std::vector<TPoint>{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}));
    EXPECT_EQ(TArrowWindow::ArrowPoints(arrLeft),
              (std::vector<TPoint>{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}));
    EXPECT_EQ(TArrowWindow::ArrowPoints(arrRight),
              (std::vector<TPoint>{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}));

    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    form.Show();
    int arrows = 0;
    for (int i = 0; i < g->ComponentCount(); ++i)
        if (auto* a = dynamic_cast<TArrowWindow*>(g->Components(i))) {
            ++arrows;
            EXPECT_EQ(a->Color(), clLime);
            if (a->Direction() == arrUp) {
                a->SetBounds(0, 0, 11, 10);
                a->SetVisible(true);
                const QRegion shape = a->mask();
                EXPECT_TRUE(shape.contains(QPoint(5, 3)));
                EXPECT_FALSE(shape.contains(QPoint(0, 0)));
                EXPECT_FALSE(shape.contains(QPoint(1, 8)));
            }
        }
    EXPECT_EQ(arrows, 4);
    g->SetArrowColor(clRed);
    EXPECT_EQ(g->ArrowColor(), clRed);
}

TEST(AlphaMask, MergeTakesAlphaFromTheMaskAndRefusesOtherPictures)
{
    TBitmap mask(4, 2), colour(4, 2);
    mask.Canvas()->Brush()->SetColor(0x808080);
    mask.Canvas()->FillRect(TRect(0, 0, 4, 2));
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect(TRect(0, 0, 1, 1));
    colour.Canvas()->Brush()->SetColor(0x3264C8);  // blue 0x32, green 0x64, red 0xC8
    colour.Canvas()->FillRect(TRect(0, 0, 4, 2));
    TGridAlphaMask m;
    EXPECT_EQ(m.Opacity, 255);
    m.MergeMask(&mask, &colour);
    ASSERT_EQ(m.Width(), 4);
    const uint8_t* full = m.Image().constScanLine(0);
    EXPECT_EQ(full[0], 0x32);
    EXPECT_EQ(full[2], 0xC8);
    EXPECT_EQ(full[3], 255);
    const uint8_t* half = m.Image().constScanLine(1);
    EXPECT_EQ(half[3], 128);
    EXPECT_EQ(half[2], 100);  // 200 x 128 / 255 = 100.4
    EXPECT_EQ(half[1], 50);   // 100 x 128 / 255 = 50.2

    const QImage merged = m.Image().copy();
    TBitmap deep(4, 2);
    deep.SetPixelFormat(pf32bit);
    m.MergeMask(&mask, &deep);
    EXPECT_EQ(m.Image(), merged);
    TBitmap small(2, 2);
    m.MergeMask(&small, &colour);
    EXPECT_EQ(m.Image(), merged);

    TGridAlphaMask copy;
    copy.SetSize(4, 2);
    m.Opacity = 230;
    copy.Assign(m);
    EXPECT_EQ(copy.Opacity, 230);
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    EXPECT_EQ(copy.Image().constScanLine(1)[2], 100);
}

TEST(Blur, KernelIsTrimmedAndNormalised)
{
    const TBlurKernel k = BuildBlurKernel(3.0);
    EXPECT_LT(k.Size, 10);
    EXPECT_GT(k.Size, 1);
    double sum = 0;
    for (int j = -k.Size; j <= k.Size; ++j) {
        sum += k.Weights[j + 10];
        EXPECT_FLOAT_EQ(k.Weights[j + 10], k.Weights[10 - j]);
    }
    EXPECT_NEAR(sum, 1.0, 1e-5);
    EXPECT_EQ(k.Weights[10 + k.Size + 1], 0.0f);
    EXPECT_GT(k.Weights[10], k.Weights[11]);
}

TEST(Blur, AWhiteAreaStaysWhiteAndAnEdgeIsSoftened)
{
    // The edge lies in the last twenty columns, which are blurred; the middle
    // columns and rows repeat line 15.
    TBitmap b(80, 80);
    b.Canvas()->Brush()->SetColor(clBlack);
    b.Canvas()->FillRect(TRect(0, 0, 80, 80));
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, 70, 80));
    BlurBitmap(&b, 3.0);
    for (QPoint p : {QPoint(5, 5), QPoint(5, 70), QPoint(40, 40), QPoint(60, 75)})
        EXPECT_EQ(qRed(b.Image().pixel(p)), 255) << p.x() << "," << p.y();
    EXPECT_EQ(qRed(b.Image().pixel(79, 5)), 0);
    const int edge = qRed(b.Image().pixel(70, 5));
    EXPECT_GT(edge, 0);
    EXPECT_LT(edge, 255);
    EXPECT_EQ(qRed(b.Image().pixel(70, 60)), edge);
}

TEST(Blur, SmallPicturesAreBlurredWithinTheirBounds)
{
    // Under the sanitizers: every index stays inside a 12 x 12 picture.
    for (QSize size : {QSize(12, 12), QSize(1, 1), QSize(30, 3), QSize(40, 40)}) {
        TBitmap b(size.width(), size.height());
        b.Canvas()->Brush()->SetColor(clBlack);
        b.Canvas()->FillRect(TRect(0, 0, size.width(), size.height()));
        b.Canvas()->SetPixel(size.width() / 2, size.height() / 2, clWhite);
        BlurBitmap(&b, 3.0);
        const int centre = qRed(b.Image().pixel(size.width() / 2, size.height() / 2));
        EXPECT_GT(centre, 0) << size.width();
        // A single pixel is its own surrounding and stays as it was.
        if (size.width() > 1) {
            EXPECT_LT(centre, 255) << size.width();
        }
    }
}

TEST(Blur, OnlyTwentyFourBitPicturesAreBlurred)
{
    TBitmap b(10, 10);
    b.SetPixelFormat(pf32bit);
    QString message;
    try {
        BlurBitmap(&b, 3.0);
    } catch (const Exception& e) {
        message = e.Message();
    }
    EXPECT_EQ(message, QStringLiteral("Blur only works for 24-bit bitmaps"));
}

TEST(Blur, FocusMaskIsABlurredFrameWithADarkMiddle)
{
    TBitmap b;
    MakeFocusMask(&b, 69, 29, 4, 5, 3.0);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(b.Width(), 69);
    EXPECT_EQ(b.Height(), 29);
    EXPECT_GT(qRed(b.Image().pixel(34, 4)), 100);
    EXPECT_LT(qRed(b.Image().pixel(34, 14)), 60);
    TBitmap filled;
    MakeFocusMask(&filled, 20, 20, 0, 5, 0);
    EXPECT_EQ(qRed(filled.Image().pixel(10, 10)), 255);
    EXPECT_EQ(qRed(filled.Image().pixel(0, 0)), 0);
}

TEST(ScrollIndicator, ThumbKeepsItsLimitsAndPressesPage)
{
    TForm form;
    form.SetBounds(0, 0, 400, 400);
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 250);
    g->SetRowCount(200);
    auto* sc = new TScrollControl(g);
    sc->SetParent(g);
    sc->SetBounds(290, 0, 6, 250);
    int pos = 0, len = 0;
    ASSERT_TRUE(sc->ThumbGeometry(pos, len));
    EXPECT_EQ(len, 20);
    EXPECT_EQ(pos, g->RowHeights(0));
    g->SetTopRow(g->RowCount() - g->VisibleRowCount());
    ASSERT_TRUE(sc->ThumbGeometry(pos, len));
    EXPECT_LE(pos + len, 250);

    // A press above the thumb at the first page stays at the first scrolled row.
    g->SetTopRow(1);
    sc->MouseDown(mbLeft, TShiftState(), 2, 1);
    EXPECT_EQ(g->TopRow(), 1);
    sc->MouseDown(mbLeft, TShiftState(), 2, 200);
    EXPECT_EQ(g->TopRow(), 1 + g->VisibleRowCount());
    sc->MouseDown(mbLeft, TShiftState(), 2, 1);
    EXPECT_EQ(g->TopRow(), 1);
    // A drag on the thumb follows the mouse.
    ASSERT_TRUE(sc->ThumbGeometry(pos, len));
    sc->MouseDown(mbLeft, TShiftState(), 2, pos + 5);
    EXPECT_TRUE(sc->DownOnScroller());
    sc->MouseMove(TShiftState(), 2, pos + 5 + 50);
    EXPECT_GT(g->TopRow(), 1);
    sc->MouseUp(mbLeft, TShiftState(), 2, pos + 55);
    EXPECT_FALSE(sc->DownOnScroller());

    g->SetRowCount(3);
    EXPECT_FALSE(sc->ThumbGeometry(pos, len));
    sc->MouseDown(mbLeft, TShiftState(), 2, 100);
    EXPECT_EQ(g->TopRow(), 1);
}

TEST(ScrollIndicator, ATinyControlOrFixedOnlyGridDoesNotDivideByZero)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 250);
    g->SetRowCount(100);
    auto* sc = new TScrollControl(g);
    sc->SetParent(g);
    sc->SetBounds(290, 0, 6, g->RowHeights(0));
    int pos = 0, len = 0;
    ASSERT_TRUE(sc->ThumbGeometry(pos, len));
    sc->MouseDown(mbLeft, TShiftState(), 2, pos + 1);
    sc->MouseMove(TShiftState(), 2, pos + 30);
    sc->MouseUp(mbLeft, TShiftState(), 2, pos + 30);
    auto* h = new TScrollControl(g);
    h->SetParent(g);
    h->Direction = sdHorizontal;
    g->SetColCount(1);
    g->SetFixedCols(0);
    EXPECT_FALSE(h->ThumbGeometry(pos, len));
    h->MouseDown(mbLeft, TShiftState(), 3, 2);
    SUCCEED();
}

namespace {
// The left and right ends of the dark pixels inside the button, away from its edges.
std::pair<int, int> TextSpan(const QImage& img)
{
    int left = img.width(), right = -1;
    for (int y = 5; y < img.height() - 5; ++y)
        for (int x = 4; x < img.width() - 4; ++x)
            if (qGray(img.pixel(x, y)) < 80) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}
} // namespace

TEST(HeaderDragPicture, PlainCaptionsAreCentredAndHTMLIsRendered)
{
    TForm form;
    form.SetBounds(0, 0, 400, 300);
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    form.Show();
    auto* b = FindChild<THeaderDragButton>(g);
    ASSERT_NE(b, nullptr);
    b->Grid = g;
    b->SetBounds(0, 0, 120, 26);
    b->SetVisible(true);
    b->Caption = QStringLiteral("Name");
    auto [l1, r1] = TextSpan(b->Snapshot());
    ASSERT_LT(l1, r1);
    EXPECT_NEAR((l1 + r1) / 2.0, 60.0, 4.0);
    b->Caption = QStringLiteral("<b>Name</b>");
    b->Invalidate();
    auto [l2, r2] = TextSpan(b->Snapshot());
    ASSERT_LT(l2, r2);
    // The markup is laid out from the left, not centred.
    EXPECT_LT(l2, 15);
}

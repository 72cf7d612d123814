// The footer panel and the search bar on a shown grid: the footer's visibility
// and style rules, its columns under the mouse, hints and clicks, its painting
// per style, the created-panel events, and the whole search bar with footer
// and filter list driven by real key and mouse events; pictures of the grid's
// chrome and of the focus glow.
#include <gtest/gtest.h>

#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>

#include "grid/kv_flat_controls.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

namespace {

class TSearchGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    void SearchFooterFindNext() override { ++FindNext; }
    void SearchFooterFindPrevious() override { ++FindPrevious; }
    void SearchFooterHighlight() override { ++Highlights; }
    void SearchFooterEditChange() override { ++EditChanges; }
    int FindNext = 0, FindPrevious = 0, Highlights = 0, EditChanges = 0;
};

// A shown form with a 5 x 6 grid: one fixed column of 30 pixels, the others 50.
struct FooterHost {
    explicit FooterHost(bool SearchBar = false, bool Footer = true)
    {
        Form.SetBounds(0, 0, 500, 320);
        Grid = new TSearchGrid(&Form);
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetColWidths(0, 30);
        for (int c = 1; c < 5; ++c) Grid->SetColWidths(c, 50);
        Grid->OnCreatedFloatingFooter = [this](TObject*, TFooterPanel*) { ++CreatedFooters; };
        Grid->OnCreatedSearchFooter = [this](TObject*, TSearchPanel*) { ++CreatedSearchBars; };
        Grid->FloatingFooter()->SetHeight(Grid->DefaultRowHeight());
        Grid->FloatingFooter()->SetVisible(Footer);
        Grid->SearchFooter()->SetVisible(SearchBar);
        Grid->SetParent(&Form);
        Grid->SetBounds(0, 0, 480, 300);
        Form.Show();
        QApplication::processEvents();
    }
    TForm Form;
    TSearchGrid* Grid;
    int CreatedFooters = 0, CreatedSearchBars = 0;
};

} // namespace

TEST(FooterPanel, VisibilityAndStyleDecideTheFixedFooterRow)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    TFloatingFooter* ff = g->FloatingFooter();
    ff->SetHeight(22);
    ff->SetVisible(true);
    EXPECT_EQ(g->FixedFooters(), 1);
    EXPECT_TRUE(g->HideLastRow());
    EXPECT_EQ(g->FooterPanel()->Height(), 21);
    ff->SetFooterStyle(fsColumnPreview);
    EXPECT_FALSE(g->HideLastRow());
    EXPECT_EQ(g->FixedFooters(), 1) << "only Visible changes the count";
    ff->SetVisible(true);
    EXPECT_EQ(g->FixedFooters(), 0);
    ff->SetVisible(false);
    EXPECT_EQ(g->FooterPanel()->Height(), 0);
    EXPECT_EQ(ff->ColumnCalc(3), acNONE);
}

TEST(FooterPanel, ColumnsUnderTheMouseFollowTheGridsLeftColumn)
{
    FooterHost h;
    TFooterPanel* p = h.Grid->FooterPanel();
    struct Case { int x, col; };
    for (Case c : {Case{0, 0}, Case{29, 0}, Case{30, 1}, Case{79, 1}, Case{80, 2}, Case{229, 4}, Case{230, -1}})
        EXPECT_EQ(p->ColumnAt(c.x), c.col) << c.x;
    EXPECT_EQ(p->ColumnsWidth(), 230);
    h.Grid->SetColCount(20);
    for (int c = 5; c < 20; ++c) h.Grid->SetColWidths(c, 50);
    h.Grid->SetLeftCol(3);
    EXPECT_EQ(p->ColumnAt(10), 0);
    EXPECT_EQ(p->ColumnAt(30), 3);
    EXPECT_EQ(p->ColumnAt(85), 4);
}

TEST(FooterPanel, CreatedEventsFireWhenThePanelsGetTheirWindows)
{
    FooterHost h(true);
    EXPECT_GE(h.CreatedFooters, 1);
    EXPECT_GE(h.CreatedSearchBars, 1);
    EXPECT_EQ(h.Grid->FooterPanel()->Height(), h.Grid->DefaultRowHeight());
    EXPECT_EQ(h.Grid->SearchPanel()->Height(), 32);
}

TEST(FooterPanel, HintsAskTheGridForTheLastRowOnlyWhenShown)
{
    FooterHost h;
    TFooterPanel* p = h.Grid->FooterPanel();
    std::vector<TPoint> asked;
    h.Grid->OnGridHint = [&](TObject*, int ARow, int ACol, QString& Hint) {
        asked.push_back(TPoint(ACol, ARow));
        Hint = QStringLiteral("sum");
    };
    QString hint;
    EXPECT_FALSE(p->HintRequest(40, hint));
    EXPECT_EQ(p->LastHintColumn(), -1);
    h.Grid->FloatingFooter()->SetShowHint(true);
    EXPECT_TRUE(p->HintRequest(40, hint));
    EXPECT_EQ(hint, QStringLiteral("sum"));
    EXPECT_EQ(p->LastHintColumn(), 1);
    EXPECT_EQ(asked.back(), TPoint(1, h.Grid->RowCount() - 1));
    // Moving to another column drops the showing hint's column.
    p->MouseMove(TShiftState(), 100, 5);
    EXPECT_EQ(p->LastHintColumn(), 2);
    const size_t before = asked.size();
    p->HintRequest(400, hint);
    EXPECT_EQ(asked.size(), before) << "no column, no question";
    EXPECT_EQ(p->LastHintColumn(), -1);
}

namespace {
// Whether the rectangle holds text: pixels far darker than any cell background.
bool HasInk(const QImage& img, const QRect& r, QRgb)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 110) return true;
    return false;
}
} // namespace

TEST(FooterPanel, EachStylePaintsItsOwnContent)
{
    FooterHost h;
    TSearchGrid* g = h.Grid;
    TFooterPanel* p = g->FooterPanel();
    TFloatingFooter* ff = g->FloatingFooter();
    ff->SetColor(0xE0FFE0);
    const QRgb footer = qRgb(0xE0, 0xFF, 0xE0);
    g->SetCells(2, g->RowCount() - 1, QStringLiteral("Total"));
    g->SetCells(3, 2, QStringLiteral("Pump"));
    g->SetRow(2);
    const int h2 = p->Height();

    QImage img = p->Snapshot();
    EXPECT_TRUE(HasInk(img, QRect(82, 3, 45, h2 - 6), footer)) << "the last row's text";
    EXPECT_FALSE(HasInk(img, QRect(182, 3, 45, h2 - 6), footer)) << "an empty footer cell";
    EXPECT_EQ(img.pixel(300, h2 / 2), QColor(0xFF, 0xFF, 0xFF).rgb()) << "the grid's colour past the columns";

    ff->SetFooterStyle(fsColumnPreview);
    ff->SetColumn(3);
    p->Invalidate();
    img = p->Snapshot();
    EXPECT_TRUE(HasInk(img, QRect(3, 3, 60, h2 - 6), footer)) << "the current row's cell";
    EXPECT_EQ(img.pixel(0, h2 / 2), QColor(Qt::white).rgb()) << "the white left edge";

    std::vector<int> painted;
    g->OnFooterPaint = [&](TObject* Sender, int ACol, TCanvas*, const TRect& R) {
        EXPECT_EQ(Sender, p);
        painted.push_back(ACol);
        painted.push_back(R.Width());
    };
    ff->SetFooterStyle(fsCustomPaint);
    p->Snapshot();
    EXPECT_EQ(painted, (std::vector<int>{3, p->Width()}));

    g->OnFooterPaint = nullptr;
    ff->SetFooterStyle(fsCustomPreview);
    ff->SetCustomTemplate(QStringLiteral("<b><#3></b>"));
    p->Invalidate();
    img = p->Snapshot();
    EXPECT_TRUE(HasInk(img, QRect(3, 3, 60, h2 - 6), footer)) << "the expanded template";
    ff->SetCustomTemplate(QStringLiteral("<#x>"));
    p->Invalidate();
    img = p->Snapshot();
    EXPECT_FALSE(HasInk(img, QRect(3, 3, 60, h2 - 6), footer)) << "a piece that is no number disappears";

    ff->SetBorderColor(0x0000FF);
    p->Invalidate();
    img = p->Snapshot();
    EXPECT_EQ(img.pixel(100, 0), qRgb(0xFF, 0, 0));
}

TEST(SearchBarAndFooter, EndToEndWithRealKeysAndClicks)
{
    FooterHost h(true);
    TSearchGrid* g = h.Grid;
    TSearchPanel* bar = g->SearchPanel();
    ASSERT_TRUE(bar->Visible());
    QWidget* edit = bar->EditControl()->InputWidget();
    for (TKvGridButton* b : {bar->ForwardButton(), bar->BackwardButton(), bar->HiliteButton()})
        EXPECT_FALSE(b->Enabled());
    QTest::keyClicks(edit, QStringLiteral("pu"));
    EXPECT_EQ(g->EditChanges, 2);
    for (TKvGridButton* b : {bar->ForwardButton(), bar->BackwardButton(), bar->HiliteButton()})
        EXPECT_TRUE(b->Enabled());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(g->FindNext, 1);
    EXPECT_EQ(bar->EditControl()->Text(), QStringLiteral("pu"));
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(g->FindPrevious, 1);
    EXPECT_EQ(g->FindNext, 1);
    bar->HiliteButton()->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(5u, 5u));
    bar->HiliteButton()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5u, 5u));
    EXPECT_EQ(g->Highlights, 1);

    // An open filter list closes on a click outside it and resets the open filter column.
    TDropList* list = g->FilterDropList();
    list->SetParent(g);
    list->Items()->Add(QStringLiteral("Pump"));
    list->SetBounds(60, 30, 100, 60);
    list->Show();
    g->SetOpenFilterCol(2);
    QApplication::processEvents();
    QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(300, 150));
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(g->OpenFilterCol(), -1);

    // A click in the footer's first column is a click on column 0 of the last row.
    TPoint clicked(-1, -1);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    g->OnClickCell = [&](TObject*, int ARow, int ACol) { clicked = TPoint(ACol, ARow); };
    TFooterPanel* footer = g->FooterPanel();
    ASSERT_TRUE(footer->Visible());
    QTest::mouseClick(footer, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clicked, TPoint(0, g->RowCount() - 1));

    // Close hides the bar and tells the application.
    int closed = 0;
    g->OnSearchFooterClose = [&](TObject*) { ++closed; };
    bar->ExitButton()->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(3u, 3u));
    bar->ExitButton()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3u, 3u));
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(g->SearchFooter()->Visible());
}

TEST(GridChromePictures, FooterSearchBarScrollIndicatorsButtonsAndGlow)
{
    FooterHost h(true);
    TSearchGrid* g = h.Grid;
    g->SetRowCount(40);
    for (int r = 1; r < 39; ++r) {
        g->SetCells(1, r, QStringLiteral("Pump %1").arg(r));
        g->SetCells(2, r, QString::number(r * 3));
    }
    g->SetCells(1, 39, QStringLiteral("Total"));
    g->SetCells(2, 39, QStringLiteral("2223"));
    g->SetScrollType(ssMetro);
    g->SetBounds(0, 0, 480, 300);
    TSearchPanel* bar = g->SearchPanel();
    bar->FindNextCaption = QStringLiteral("Find next");
    bar->FindPrevCaption = QStringLiteral("Find previous");
    bar->HighLightCaption = QStringLiteral("Highlight");
    bar->MatchCaseCaption = QStringLiteral("Match case");
    bar->LayoutControls();
    QTest::keyClicks(bar->EditControl()->InputWidget(), QStringLiteral("pump"));
    bar->ForwardButton()->Perform(CM_MOUSEENTER);
    bar->BackwardButton()->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(5u, 5u));
    QApplication::processEvents();
    const QImage grid = h.Form.Snapshot();
    EXPECT_TRUE(grid.save(QStringLiteral(KV_TEST_BINARY_DIR "/grid_chrome.png")));
    bar->BackwardButton()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(500u, 500u));

    g->ShowFocusWindow(g->CellRect(1, 2));
    const TGridAlphaMask* mask = g->FocusMask();
    ASSERT_NE(mask, nullptr);
    // The glow over a white page, four times larger so the soft edge shows.
    QImage glow(mask->Width(), mask->Height(), QImage::Format_ARGB32_Premultiplied);
    glow.fill(Qt::white);
    {
        QPainter painter(&glow);
        painter.drawImage(0, 0, mask->ToPremultiplied());
    }
    glow = glow.scaled(glow.width() * 4, glow.height() * 4);
    EXPECT_TRUE(glow.save(QStringLiteral(KV_TEST_BINARY_DIR "/focus_glow_mask.png")));
    g->HideFocusWindow();
}

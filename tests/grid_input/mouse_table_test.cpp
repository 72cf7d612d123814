// The grid's button rules one by one: header clicks that sort, sizing
// cancelled outside the grid, the filter list's place, the simulated click,
// cell buttons, the right click on a selection, the cursor table and the
// component notifications.
#include <gtest/gtest.h>

#include "grid/grid_chrome.h"
#include "grid/kv_flat_controls.h"
#include "grid/kv_string_grid.h"
#include "grid_click_messages.h"
#include "grid_input/grid_style_services.h"
#include "platform/ui/forms.h"
#include "platform/ui/menus.h"

namespace {
// Records the sorts, the fits and the search actions it is asked for.
class TMouseGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    void QSort() override { Calls.push_back(SortSettings()->Direction == sdAscending ? "asc" : "desc"); }
    void QUnSort() override { Calls.push_back("unsort"); }
    bool GetFilterList(int Column) override
    {
        if (Column != FilterColumn) return false;
        FilterList()->Clear();
        FilterList()->Add(QStringLiteral("alpha"));
        FilterList()->Add(QStringLiteral("beta=b"));
        return true;
    }
    void SearchFooterFindNext() override { Calls.push_back("next"); }
    void SearchFooterHighlight() override { Calls.push_back("highlight"); }
    std::vector<std::string> Calls;
    int FilterColumn = -1;
};

struct TMouseForm {
    TForm form;
    TMouseGrid* g;
    explicit TMouseForm(int Rows = 6, int Width = 520)
    {
        form.SetBounds(0, 0, 600, 400);
        g = new TMouseGrid(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, Width, 300);
        g->SetColCount(5);
        g->SetRowCount(Rows);
        for (int c = 0; c < 5; ++c) g->SetColWidths(c, 100);
    }
    LPARAM At(int x, int y) { return ClickAt(x, y); }
    LPARAM Mid(int c, int r) { return CellMiddle(g, c, r); }
    void Click(LPARAM p, WPARAM keys = 0) { LeftClick(g, p, keys); }
};

class TStyleDouble : public IGridStyleServices {
public:
    bool Enabled() const override { return true; }
    QString Name() const override { return Style; }
    bool FillColor(TGridStyleElement e, TColor& c) const override { return Give(e == tgCellNormal, 0x202020, c); }
    bool BorderColor(TGridStyleElement e, TColor& c) const override
    {
        return Give(true, e == tgCellNormal ? 0x404040 : 0x505050, c);
    }
    bool TextColor(TGridStyleElement e, TColor& c) const override
    {
        if (e == tgCellSelected) return Give(true, clNone, c);
        return Give(true, e == tgCellNormal ? 0xE0E0E0 : 0xF0F0F0, c);
    }
    QString Style = QStringLiteral("Carbon");

private:
    static bool Give(bool has, TColor v, TColor& c)
    {
        if (has) c = v;
        return has;
    }
};
} // namespace

TEST(MouseTable, HeaderClicksSortAscendingDescendingThenUndo)
{
    TMouseForm f;
    f.g->SortSettings()->Show = true;
    f.g->SortSettings()->UndoSort = true;
    int clicked = -2;
    f.g->OnClickSort = [&](TObject*, int c) { clicked = c; };
    for (int i = 0; i < 3; ++i) f.Click(f.Mid(2, 0));
    EXPECT_EQ(f.g->Calls, (std::vector<std::string>{"asc", "desc", "unsort"}));
    EXPECT_EQ(f.g->SortSettings()->Column, -1);
    EXPECT_EQ(clicked, -1);
    f.Click(f.Mid(3, 0));
    EXPECT_EQ(f.g->Calls.back(), "asc");
    EXPECT_EQ(clicked, 3);
}

TEST(MouseTable, NoSortBelowThreeRowsInTheFilterStripOrWhenRefused)
{
    {
        TMouseForm f(2);
        f.g->SortSettings()->Show = true;
        f.Click(f.Mid(2, 0));
        EXPECT_TRUE(f.g->Calls.empty());
    }
    {
        TMouseForm f;
        f.g->SortSettings()->Show = true;
        f.g->FilterColumn = 2;
        const TRect R = f.g->CellRect(2, 0);
        f.Click(f.At(R.Right - 8, R.Top + 5));
        EXPECT_TRUE(f.g->Calls.empty());
        f.g->OnCanSort = [](TObject*, int, bool& can) { can = false; };
        f.Click(f.Mid(3, 0));
        EXPECT_TRUE(f.g->Calls.empty());
    }
}

TEST(MouseTable, AReleaseRightOfTheGridEndsColumnSizingWithoutEvents)
{
    TMouseForm f;
    int ended = 0;
    f.g->OnEndColumnSize = [&](TObject*, int) { ++ended; };
    f.g->SetGridState(gsColSizing);
    f.g->Perform(WM_LBUTTONUP, 0, f.At(f.g->ClientWidth() + 20, 5));
    EXPECT_EQ(f.g->GridState(), gsNormal);
    EXPECT_EQ(ended, 0);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(f.g->ColWidths(c), 100);
}

TEST(MouseTable, TheFilterListKeepsToTheHeaderAndTheGrid)
{
    struct Case { int gridWidth, column; };
    for (Case k : {Case{520, 4}, Case{210, 1}}) {
        TMouseForm f(6, k.gridWidth);
        f.g->FilterColumn = k.column;
        const TRect R = f.g->CellRect(k.column, 0);
        f.g->Perform(WM_LBUTTONUP, 0, f.At(R.Right - 8, R.Top + 5));
        TDropList* list = f.g->FilterDropList();
        ASSERT_TRUE(list->Visible()) << k.column;
        EXPECT_EQ(f.g->OpenFilterCol(), k.column);
        EXPECT_EQ(list->Items()->Count(), 2);
        EXPECT_EQ(list->Items()->Strings(1), QStringLiteral("beta"));
        EXPECT_EQ(list->Width(), 150);
        const int want = std::max(0, R.Right - 150);
        EXPECT_EQ(list->Left(), want) << k.column;
        EXPECT_EQ(list->Top(), R.Top + 16);
    }
}

TEST(MouseTable, TheSimulatedClickFiresNoMouseEvents)
{
    TMouseForm f;
    int downs = 0, ups = 0;
    f.g->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    f.g->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    f.g->SimulateCellClick(3, 4);
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(ups, 0);
    EXPECT_EQ(f.g->Col(), 3);
    EXPECT_EQ(f.g->Row(), 4);
    f.Click(f.Mid(2, 2));
    EXPECT_EQ(downs, 1) << "the events are back afterwards";
    EXPECT_EQ(ups, 1);
}

TEST(MouseTable, ACellButtonClicksOnlyWhenReleasedOnIt)
{
    TMouseForm f;
    f.g->SetOptions(f.g->Options() | goEditing);
    f.g->AddButton(2, 2, 40, 16, QStringLiteral("Go"), haLeft, vaTop);
    int clicks = 0;
    f.g->OnButtonClick = [&](TObject*, int, int) { ++clicks; };
    const TRect B = f.g->GetCellGraphicRect(2, 2);
    const LPARAM on = f.At(B.Left + 3, B.Top + 3);
    f.g->Perform(WM_LBUTTONDOWN, 0, on);
    f.g->Perform(WM_LBUTTONUP, 0, f.Mid(3, 3));
    EXPECT_EQ(clicks, 0);
    f.Click(on);
    EXPECT_EQ(clicks, 1);
}

TEST(MouseTable, ARightClickOnASelectedRowKeepsTheSelectionForThePopupMenu)
{
    for (bool menu : {true, false}) {
        TMouseForm f;
        TPopupMenu* popup = new TPopupMenu(&f.form);
        if (menu) f.g->SetPopupMenu(popup);
        f.g->MouseActions()->SetDisjunctRowSelect(true);
        f.g->MouseActions()->SetSelectOnRightClick(true);
        f.g->SetRowSelect(2, true);
        f.g->SetRowSelect(3, true);
        f.g->Perform(WM_RBUTTONDOWN, 0, f.Mid(2, 3));
        EXPECT_EQ(f.g->RowSelect(2), menu) << menu;
        EXPECT_TRUE(f.g->RowSelect(3)) << menu;
    }
}

TEST(MouseTable, TheCursorTable)
{
    using G = TKvStringGrid;
    struct Case { G::TMouseSelectMode mode; TGridState state; bool selector, fixedCol, fixedRow; TCursor want; };
    const Case cases[] = {
        {G::msColumn, gsNormal, false, false, false, 8011},  {G::msRow, gsNormal, false, false, false, 8010},
        {G::msAll, gsNormal, false, false, false, 8012},     {G::msResize, gsNormal, false, false, false, 8012},
        {G::msURL, gsNormal, false, false, false, 0},        {G::msColumn, gsColSizing, false, false, false, 0},
        {G::msRow, gsRowSizing, false, false, false, 0},     {G::msNormal, gsNormal, true, false, false, 8014},
        {G::msNormal, gsNormal, false, true, false, crHSplit}, {G::msColumn, gsNormal, false, true, true, crVSplit},
    };
    for (const Case& k : cases) {
        TMouseForm f;
        f.g->SetMouseSelectMode(k.mode);
        f.g->SetGridState(k.state);
        f.g->CellSelectorMode = k.selector;
        f.g->SetSizeFixedZones(k.fixedCol, k.fixedRow);
        EXPECT_EQ(f.g->CursorChoice(10, 10), k.want) << k.mode << " " << k.state;
    }
}

TEST(MouseTable, ACursorSetFromOutsideEndsTheSelectMode)
{
    TMouseForm f;
    f.g->SetMouseSelectMode(TKvStringGrid::msColumn);
    f.g->Invokedchange = true;
    f.g->SetCursor(crIBeam);
    EXPECT_EQ(f.g->MouseSelectMode(), TKvStringGrid::msColumn) << "the grid's own change keeps it";
    EXPECT_FALSE(f.g->Invokedchange);
    f.g->SetCursor(crHandPoint);
    EXPECT_EQ(f.g->MouseSelectMode(), TKvStringGrid::msNormal);
}

TEST(MouseTable, DialogCharactersReachOnlyVisibleEnabledSearchButtons)
{
    TMouseForm f;
    TSearchPanel* p = f.g->SearchPanel();
    ASSERT_NE(p, nullptr);
    TSearchFooter* sf = f.g->SearchFooter();
    sf->SetFindNextCaption(QStringLiteral("Find &next"));
    sf->SetFindPrevCaption(QStringLiteral("Find &previous"));
    sf->SetHighLightCaption(QStringLiteral("&Highlight"));
    sf->SetShowHighLight(true);
    EXPECT_EQ(f.g->Perform(CM_DIALOGCHAR, 'n', 0), 0) << "the footer is hidden";
    sf->SetVisible(true);
    for (TKvGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()}) {
        ASSERT_TRUE(b->Visible());
        b->SetEnabled(true);
    }
    EXPECT_EQ(f.g->Perform(CM_DIALOGCHAR, 'N', 0), 1);
    p->BackwardButton()->SetEnabled(false);
    EXPECT_EQ(f.g->Perform(CM_DIALOGCHAR, 'p', 0), 0);
    EXPECT_EQ(f.g->Perform(CM_DIALOGCHAR, 'h', 0), 1);
    EXPECT_EQ(f.g->Perform(CM_DIALOGCHAR, 'x', 0), 0);
    EXPECT_EQ(f.g->Calls, (std::vector<std::string>{"next", "highlight"}));
}

TEST(MouseTable, ResetFixedCellHighlightClearsTheFlagsAndTheHoverOnlyWhenHovering)
{
    for (THoverFixedCells hover : {hfNone, hfAll}) {
        TMouseForm f;
        f.g->SetHoverFixedCells(hover);
        f.g->SetHoverFixedCell(TPoint(2, 0));
        f.g->SetSizeFixedZones(true, true);
        f.g->SetNoMouseLeave(true);
        f.g->ResetFixedCellHighlight();
        EXPECT_FALSE(f.g->SizeFixedZone() || f.g->SizeFixedRowZone() || f.g->NoMouseLeave());
        EXPECT_EQ(f.g->HoverFixedCell().X, hover == hfNone ? 2 : -1);
    }
}

TEST(MouseTable, AnApplicationStyleGivesItsColoursAndThePlainLookKeepsThem)
{
    TMouseForm f;
    const TColor color = f.g->Color();
    f.g->ApplyVCLStyle();
    EXPECT_FALSE(f.g->UseVCLStyles()) << "the platform has no styles";
    TStyleDouble style;
    style.Style = QStringLiteral("Windows");
    SetGridStyleServices(&style);
    f.g->ApplyVCLStyle();
    EXPECT_FALSE(f.g->UseVCLStyles());
    EXPECT_EQ(f.g->Color(), color);
    EXPECT_TRUE(f.g->Options().Contains(goFixedVertLine));
    style.Style = QStringLiteral("Carbon");
    const TColor selText = f.g->SelectionTextColor();
    f.g->ApplyVCLStyle();
    SetGridStyleServices(nullptr);
    EXPECT_TRUE(f.g->UseVCLStyles());
    EXPECT_EQ(f.g->Color(), TColor(0x202020));
    EXPECT_EQ(f.g->GridLineColor(), TColor(0x404040));
    EXPECT_EQ(f.g->GridFixedLineColor(), TColor(0x505050));
    EXPECT_FALSE(f.g->Options().Contains(goFixedVertLine));
    EXPECT_FALSE(f.g->Options().Contains(goFixedHorzLine));
    EXPECT_EQ(f.g->Font()->Color(), TColor(0xE0E0E0));
    EXPECT_EQ(f.g->FixedFont()->Color(), TColor(0xF0F0F0));
    EXPECT_EQ(f.g->SelectionTextColor(), selText) << "a colour reported as none is not applied";
}

TEST(MouseTable, EveryLeftReleaseTellsTheSelection)
{
    TMouseForm f;
    int told = 0;
    f.g->OnSelectionChanged = [&](TObject*, int, int, int, int) { ++told; };
    f.Click(f.Mid(1, 1));
    EXPECT_GE(told, 1);
    told = 0;
    f.g->Perform(WM_RBUTTONUP, 0, f.Mid(2, 2));
    EXPECT_EQ(told, 0) << "a right release tells nothing without select on right click";
}

TEST(MouseTable, TheGridDrawsItsSelectionCursorsWithTheirHotSpots)
{
    TMouseForm f;
    f.g->SetMouseSelectMode(TKvStringGrid::msRow);
    EXPECT_EQ(f.g->Perform(WM_SETCURSOR, WPARAM(f.g), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
    struct Case { const char* id; QPoint hot; };
    for (Case k : {Case{"8010", {26, 16}}, Case{"8011", {13, 26}}, Case{"8012", {16, 16}}, Case{"8014", {16, 16}}}) {
        ASSERT_TRUE(HasResourceCursor(QString::fromLatin1(k.id))) << k.id;
        const QCursor c = ResourceCursor(QString::fromLatin1(k.id));
        EXPECT_EQ(c.hotSpot(), k.hot) << k.id;
        EXPECT_EQ(c.pixmap().size(), QSize(32, 32)) << k.id;
    }
    f.g->SetMouseSelectMode(TKvStringGrid::msNormal);
    EXPECT_EQ(f.g->Perform(WM_SETCURSOR, WPARAM(f.g), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 0)
        << "the control's own cursor shows";
}

#include "wndproc_fixture.h"

#include "platform/ui/extctrls.h"

#include <gtest/gtest.h>

namespace {
THintInfo HintAt(TKvStringGrid* g, int c, int r, QString& text)
{
    THintInfo info;
    const TRect R = g->CellRect(c, r);
    info.CursorPos = TPoint(R.Left + 4, R.Top + R.Height() / 2);
    g->PrepareCellHint(text, info);
    return info;
}
int Balloons(TKvStringGrid* g)
{
    int n = 0;
    for (int i = 0; i < g->ComponentCount(); ++i) n += dynamic_cast<TBalloonHint*>(g->Components(i)) != nullptr;
    return n;
}
} // namespace

TEST(GridHints, HeaderHintFromTheOwnerGoesOnTheNeighbouringHeader)
{
    TGridOnForm<> f;
    f.grid->HintShowCells = true;
    f.grid->OnGridHint = [](TObject*, int ARow, int ACol, QString& Hint) {
        if (ARow == 0) Hint = QStringLiteral("help of column %1").arg(ACol);
    };
    QString text;
    const THintInfo info = HintAt(f.grid, 1, 0, text);
    EXPECT_EQ(text, QStringLiteral("help of column 1"));
    EXPECT_EQ(info.HintColor, f.grid->HintColor());
    EXPECT_EQ(f.grid->LastHintPos(), TPoint(1, 0));
    const TRect next = f.grid->CellRect(2, 0);
    f.grid->Perform(WM_MOUSEMOVE, 0, XY(next.Left + 4, next.Top + 4));
    EXPECT_EQ(f.grid->LastHintPos(), TPoint(-1, -1));
}

TEST(GridHints, DataCellShowsItsTextAtTheCellTop)
{
    struct Row { bool htmlHint; QString expect; bool htmlData; };
    const Row rows[] = {
        {false, QStringLiteral("bold"), false},
        {true, QStringLiteral("<b>bold</b>"), true},
    };
    for (const Row& r : rows) {
        TGridOnForm<> f;
        f.grid->HintShowCells = true;
        f.grid->HTMLHint = r.htmlHint;
        f.grid->SetCells(1, 3, QStringLiteral("<b>bold</b>"));
        QString text;
        const THintInfo info = HintAt(f.grid, 1, 3, text);
        EXPECT_EQ(text, r.expect);
        EXPECT_EQ(info.HintStr, r.expect);
        EXPECT_EQ(info.HintPos.Y, f.grid->ClientToScreen(TPoint(0, f.grid->CellRect(1, 3).Top)).Y);
        EXPECT_EQ(info.HintData == f.grid, r.htmlData) << "the HTML hint window draws tagged hints";
    }
}

TEST(GridHints, NoOwnerHintForTheFloatingFooterRow)
{
    TGridOnForm<> f(8, 4);
    f.grid->FloatingFooter()->SetVisible(true);
    int calls = 0;
    f.grid->OnGridHint = [&](TObject*, int, int, QString&) { ++calls; };
    QString text;
    HintAt(f.grid, 1, f.grid->RowCount() - 1, text);
    EXPECT_EQ(calls, 0);
    HintAt(f.grid, 1, 2, text);
    EXPECT_EQ(calls, 1);
}

TEST(GridHints, OutsideTheCellsOnlyTheColour)
{
    TGridOnForm<> f(3, 2);
    f.grid->SetHintColor(clYellow);
    THintInfo info;
    info.CursorPos = TPoint(390, 190);
    QString text = QStringLiteral("kept");
    f.grid->PrepareCellHint(text, info);
    EXPECT_EQ(text, QStringLiteral("kept"));
    EXPECT_EQ(info.HintColor, clYellow);
    EXPECT_EQ(f.grid->LastHintPos(), TPoint(-1, -1));
}

TEST(GridBalloons, OnOffOnLeavesOneWindow)
{
    TGridOnForm<> f;
    f.grid->Balloon()->SetEnable(true);
    ASSERT_NE(f.grid->BalloonWindow(), nullptr);
    EXPECT_EQ(f.grid->BalloonWindow()->Title, QStringLiteral("ToolTipText"));
    EXPECT_EQ(f.grid->BalloonWindow()->Icon, 3);
    f.grid->Balloon()->SetEnable(false);
    EXPECT_EQ(f.grid->BalloonWindow(), nullptr);
    EXPECT_EQ(Balloons(f.grid), 0);
    f.grid->Balloon()->SetEnable(true);
    EXPECT_EQ(Balloons(f.grid), 1);
}

TEST(GridBalloons, DelaysAndOpacity)
{
    struct Row { int initial, reshow, autoHide; uint8_t transparency; int expInitial, expReshow, expHide, expOpacity; };
    TBalloonHint defaults;
    const Row rows[] = {
        {-1, -1, -1, 0, defaults.InitialDelay, defaults.ReshowDelay, defaults.HideAfter, 255},
        {250, 40, 3000, 55, 250, 40, 3000, 200},
        {-1, 10, -1, 255, defaults.InitialDelay, 10, defaults.HideAfter, 0},
    };
    for (const Row& r : rows) {
        TGridOnForm<> f;
        f.grid->Balloon()->SetInitialDelay(r.initial);
        f.grid->Balloon()->SetReshowDelay(r.reshow);
        f.grid->Balloon()->SetAutoHideDelay(r.autoHide);
        f.grid->Balloon()->SetTransparency(r.transparency);
        f.grid->Balloon()->SetEnable(true);
        TBalloonHint* b = f.grid->BalloonWindow();
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->InitialDelay, r.expInitial);
        EXPECT_EQ(b->ReshowDelay, r.expReshow);
        EXPECT_EQ(b->HideAfter, r.expHide);
        EXPECT_EQ(b->Opacity, r.expOpacity);
    }
}

TEST(GridBalloons, ToolTitleAndIconLimits)
{
    TGridOnForm<> f;
    f.grid->Balloon()->SetEnable(true);
    struct Row { int icon, expect; };
    for (const Row r : {Row{0, 0}, Row{2, 2}, Row{3, 3}, Row{4, 0}, Row{-1, 0}}) {
        f.grid->AddBalloonTool(r.icon, QString(300, QLatin1Char('t')));
        EXPECT_EQ(f.grid->BalloonWindow()->Icon, r.expect) << r.icon;
        EXPECT_EQ(f.grid->BalloonWindow()->Title.size(), 255);
    }
}

TEST(GridHints, UseHTMLHintsSwitchesTheApplicationsWindowClass)
{
    TGridOnForm<> f;
    f.grid->SetUseHTMLHints(true);
    ASSERT_TRUE(bool(Application->HintWindowClass));
    std::unique_ptr<THintWindow> w(Application->HintWindowClass());
    EXPECT_EQ(w->ClassName(), QStringLiteral("THTMLHintWindow"));
    f.grid->SetUseHTMLHints(false);
    EXPECT_FALSE(bool(Application->HintWindowClass));
}

TEST(GridHints, SizingHintText)
{
    TGridOnForm<> f;
    f.grid->ShowSizingHint(true, 80);
    EXPECT_EQ(f.grid->SizingHintText(), QStringLiteral("cw=<b>80</b>"));
    EXPECT_TRUE(f.grid->SizingHintShown());
    f.grid->ShowSizingHint(false, 31);
    EXPECT_EQ(f.grid->SizingHintText(), QStringLiteral("rh=<b>31</b>"));
    f.grid->HideSizingHint();
    EXPECT_FALSE(f.grid->SizingHintShown());
}

TEST(GridHints, LargeTextShowsInFullOverTheCell)
{
    TGridOnForm<> f;
    f.grid->SetColWidths(1, 30);
    f.grid->SetCells(1, 2, QStringLiteral("a text much wider than its cell"));
    f.grid->SetCells(1, 3, QStringLiteral("ok"));
    f.grid->HintShowLargeText = true;
    f.grid->HintShowLargeTextPos = false;
    QString text;
    THintInfo info = HintAt(f.grid, 1, 2, text);
    EXPECT_EQ(text, QStringLiteral("a text much wider than its cell"));
    const TRect R = f.grid->CellRect(1, 2);
    EXPECT_EQ(info.HintPos, f.grid->ClientToScreen(TPoint(R.Left, R.Top)));
    text.clear();
    HintAt(f.grid, 1, 3, text);
    EXPECT_TRUE(text.isEmpty()) << "a fitting text gives no hint";
}

#include "grid/grid_editor_controls.h"

#include "grid/kv_string_grid.h"
#include "platform/core/exceptions.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
// The grid services as a script: every call is logged, the check answers
// from Accept, and closing the editor stores the combo's text as the grid's
// store step does.
struct TScriptLink : TGridComboLink {
    TGridCombo* Combo = nullptr;
    std::vector<QString> Log;
    std::function<bool(const QString&)> Accept;
    QString Refused = QStringLiteral("Read Only");
    bool WantsTab = false, LookupOn = false, CaseSensitive = false, History = false;
    struct TChange { int Col, Row, Index; QString Text; TObject* Object; };
    std::vector<TChange> Changes, ObjectChanges;

    using TGridComboLink::TGridComboLink;
    void SetCurrentCell(const QString& v) override
    {
        Log.push_back("set:" + v);
        TGridComboLink::SetCurrentCell(v);
    }
    bool ValidateCell(const QString& v) override
    {
        Log.push_back("validate:" + v);
        return !Accept || Accept(v);
    }
    QString NewCellText() override { return Refused; }
    bool EditorWantsTab() override { return WantsTab; }
    void HideInplaceEdit() override
    {
        Log.push_back(QStringLiteral("hide"));
        if (Combo->Visible()) {
            TGridComboLink::SetCurrentCell(Combo->Text());
            Combo->SetVisible(false);
        }
    }
    void ShowInplaceEdit() override { Log.push_back(QStringLiteral("show")); }
    void DoneInplaceEdit(WORD& Key, TShiftState) override { Log.push_back("done:" + QString::number(Key)); }
    void TabToNextCell(bool Backward) override { Log.push_back("tab:" + QString::number(Backward)); }
    void AdvanceToNextCell(int ACol, int ARow, bool Edit, bool, bool Forward, bool AutoEdit, bool Force) override
    {
        Log.push_back(QStringLiteral("advance:%1,%2 edit %3 forward %4 auto %5 force %6 dir %7")
                          .arg(ACol).arg(ARow).arg(Edit).arg(Forward).arg(AutoEdit).arg(Force)
                          .arg(int(Grid()->Navigation()->AdvanceDirection())));
    }
    void GridKeyDown(WORD& Key, TShiftState) override { Log.push_back("gridkey:" + QString::number(Key)); }
    bool Lookup() override { return LookupOn; }
    bool LookupCaseSensitive() override { return CaseSensitive; }
    bool LookupHistory() override { return History; }
    void ComboChange(int c, int r, int i, const QString& t) override { Changes.push_back({c, r, i, t, nullptr}); }
    void ComboObjectChange(int c, int r, int i, const QString& t, TObject* o) override
    {
        ObjectChanges.push_back({c, r, i, t, o});
    }
};

struct TComboGrid {
    TForm form;
    TKvStringGrid* grid;
    TGridCombo* combo;
    TScriptLink* link;
    TObject tagWrite;

    explicit TComboGrid(TComboBoxStyle style)
    {
        form.SetBounds(0, 0, 500, 300);
        grid = new TKvStringGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 480, 200);
        grid->SetColCount(6);
        grid->SetRowCount(4);
        grid->HideColumn(1);   // display column 2 is real column 3
        grid->SetCells(3, 1, QStringLiteral("Read Write"));
        grid->SetCol(2);
        grid->SetRow(1);
        combo = new TGridCombo(grid);
        combo->SetParent(grid);
        auto l = std::make_unique<TScriptLink>(grid);
        link = l.get();
        link->Combo = combo;
        combo->SetLink(std::move(l));
        combo->SetStyle(style);
        combo->Items()->Add(QStringLiteral("Read Only"));
        combo->Items()->AddObject(QStringLiteral("Write Only"), &tagWrite);
        combo->Items()->Add(QStringLiteral("Read Write"));
        combo->SetBounds(130, 24, 120, 21);
        combo->SetText(QStringLiteral("Read Write"));
        combo->SetVisible(true);
    }
    WORD Key(WORD vk)
    {
        combo->Perform(WM_KEYDOWN, vk);
        return vk;
    }
    QString Cell() { return grid->Cells(3, 1); }
};

QString N(WORD vk) { return QString::number(vk); }
} // namespace

TEST(GridCombo, OwnerMustBeAGridAndTheGridBuildsOne)
{
    TForm form;
    EXPECT_THROW(new TGridCombo(&form), EInvalidCast);
    TKvStringGrid grid(&form);
    TGridCombo* made = nullptr;
    for (int i = 0; i < grid.ControlCount(); ++i)
        if (auto* c = dynamic_cast<TGridCombo*>(grid.Controls(i))) made = c;
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Grid(), &grid);
    EXPECT_EQ(made->ButtonWidth(), 16);
    EXPECT_TRUE(made->WorkMode);
    EXPECT_FALSE(made->Visible());
    EXPECT_FALSE(made->Enabled());
    EXPECT_EQ(made->FIsWinXP, grid.IsWinXP());
}

TEST(GridCombo, KeyTable)
{
    const QString cellText = QStringLiteral("Read Write");
    struct TRow {
        const char* name;
        TComboBoxStyle style;
        WORD key;
        bool wantsTab, tabs;
        std::vector<QString> log;
        QString cell;
    };
    const QString pick = QStringLiteral("Write Only");
    const std::vector<TRow> rows = {
        {"list Escape cancels", csDropDownList, VK_ESCAPE, false, false, {"hide", "hide", "done:" + N(VK_ESCAPE)}, cellText},
        {"edit Escape cancels", csDropDown, VK_ESCAPE, false, false, {"hide", "done:" + N(VK_ESCAPE)}, cellText},
        {"list Return commits", csDropDownList, VK_RETURN, false, false,
         {"set:" + pick, "validate:" + pick, "hide", "done:" + N(VK_RETURN)}, pick},
        {"edit Return commits", csDropDown, VK_RETURN, false, false,
         {"set:" + pick, "validate:" + pick, "done:" + N(VK_RETURN)}, pick},
        {"edit Down commits", csDropDown, VK_DOWN, false, false,
         {"set:" + pick, "validate:" + pick, "done:" + N(VK_DOWN)}, pick},
        {"edit Up commits", csDropDown, VK_UP, false, false,
         {"set:" + pick, "validate:" + pick, "done:" + N(VK_UP)}, pick},
        {"list Left leaves unchecked", csDropDownList, VK_LEFT, false, false, {"hide", "gridkey:" + N(VK_LEFT), "done:0"}, pick},
        {"list Right leaves unchecked", csDropDownList, VK_RIGHT, false, false, {"hide", "gridkey:" + N(VK_RIGHT), "done:0"}, pick},
        {"list Down stays in the list", csDropDownList, VK_DOWN, false, false, {}, cellText},
        {"list Home stays in the list", csDropDownList, VK_HOME, false, false, {}, cellText},
        {"edit Left moves the caret", csDropDown, VK_LEFT, false, false, {}, cellText},
        {"edit PageDown leaves unchecked", csDropDown, VK_NEXT, false, false, {"done:" + N(VK_NEXT)}, cellText},
        {"edit End moves the caret", csDropDown, VK_END, false, false, {}, cellText},
        {"Tab not wanted", csDropDown, VK_TAB, false, false, {"done:" + N(VK_TAB)}, cellText},
        {"Tab wanted with goTabs", csDropDownList, VK_TAB, true, true,
         {"set:" + pick, "validate:" + pick, "hide", "tab:0"}, pick},
        {"Tab wanted without goTabs", csDropDown, VK_TAB, true, false,
         {"set:" + pick, "validate:" + pick, "done:" + N(VK_TAB)}, pick},
    };
    for (const TRow& r : rows) {
        TComboGrid g(r.style);
        if (r.tabs) g.grid->SetOptions(g.grid->Options() | goTabs);
        g.link->WantsTab = r.wantsTab;
        g.combo->SetItemIndex(1);
        g.Key(r.key);
        EXPECT_EQ(g.link->Log, r.log) << r.name;
        // The edit-mode keys that only reach the store step leave the cell to it.
        if (r.style == csDropDown && r.log.size() == 1) {
            EXPECT_EQ(g.Cell(), cellText) << r.name;
            continue;
        }
        if (r.key == VK_ESCAPE) {
            EXPECT_EQ(g.combo->Text(), cellText) << r.name;   // the cell's own text is back
        }
        EXPECT_EQ(g.Cell(), r.cell) << r.name;
        EXPECT_TRUE(g.link->Changes.empty()) << r.name;
    }
}

TEST(GridCombo, RefusedCommitKeepsTheEditorWithTheCheckersText)
{
    struct { TComboBoxStyle style; WORD key; int selLength; } rows[] = {
        {csDropDown, VK_RETURN, 9}, {csDropDown, VK_DOWN, 9}, {csDropDown, VK_TAB, 0}, {csDropDownList, VK_RETURN, 0},
    };
    for (auto r : rows) {
        TComboGrid g(r.style);
        g.link->WantsTab = true;
        g.link->Accept = [](const QString&) { return false; };
        g.combo->SetItemIndex(1);
        g.Key(r.key);
        EXPECT_EQ(g.combo->Text(), QStringLiteral("Read Only")) << r.key;
        EXPECT_TRUE(g.combo->Visible()) << r.key;
        if (r.style == csDropDown) {
            EXPECT_EQ(g.combo->SelLength(), r.selLength) << r.key;
            if (r.key == VK_TAB) {
                EXPECT_EQ(g.combo->SelStart(), 9);
            }
        }
        ASSERT_EQ(g.link->Log.size(), 2u) << r.key;
        EXPECT_EQ(g.link->Log[1], QStringLiteral("validate:Write Only"));
    }
}

TEST(GridCombo, AcceptedCommitShowsWhatTheCheckerStored)
{
    TComboGrid g(csDropDown);
    g.link->Accept = [&](const QString&) {
        g.grid->SetCells(3, 1, QStringLiteral("Read Only"));
        return true;
    };
    g.combo->SetText(QStringLiteral("read only"));
    g.Key(VK_RETURN);
    EXPECT_EQ(g.combo->Text(), QStringLiteral("Read Only"));
}

TEST(GridCombo, ReopensOnTheNewCellWhenAdvanceOnEnterAndAutoEdit)
{
    TComboGrid g(csDropDown);
    g.grid->Navigation()->SetAdvanceOnEnter(true);
    g.Key(VK_RETURN);
    EXPECT_EQ(g.link->Log.back(), QStringLiteral("show"));
    TComboGrid h(csDropDown);
    h.grid->Navigation()->SetAdvanceOnEnter(true);
    h.grid->Navigation()->SetAdvanceAutoEdit(false);
    h.Key(VK_RETURN);
    EXPECT_NE(h.link->Log.back(), QStringLiteral("show"));
}

TEST(GridCombo, UpDownGoToTheGridWithoutComboGetUpDown)
{
    for (TComboBoxStyle style : {csDropDown, csDropDownList}) {
        TComboGrid g(style);
        g.grid->Navigation()->SetComboGetUpDown(false);
        g.grid->Navigation()->SetAlwaysEdit(true);
        g.Key(VK_DOWN);
        EXPECT_EQ(g.link->Log, (std::vector<QString>{"hide", "gridkey:" + N(VK_DOWN)})) << int(style);
        EXPECT_TRUE(g.grid->Navigation()->AlwaysEdit());
    }
}

TEST(GridCombo, KeyPressSenderReturnKeyAndListTyping)
{
    TComboGrid g(csDropDownList);
    std::vector<TObject*> senders;
    std::vector<QChar> chars;
    g.grid->OnKeyPress = [&](TObject* s, QChar& k) { senders.push_back(s); chars.push_back(k); };
    int returns = 0;
    g.combo->OnReturnKey = [&](TObject* s) { EXPECT_EQ(s, g.combo); ++returns; };
    g.combo->SetItemIndex(0);
    // Each key here is typed alone (keys in quick succession spell an item's start).
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(0);
    struct TRestore { int I; ~TRestore() { QApplication::setKeyboardInputInterval(I); } } restore{interval};
    g.combo->Perform(WM_CHAR, 'w');
    EXPECT_EQ(g.combo->ItemIndex(), 1);
    ASSERT_EQ(g.link->Changes.size(), 1u);
    const auto& c = g.link->Changes[0];
    EXPECT_EQ(c.Col, 3);   // the real column
    EXPECT_EQ(c.Row, 1);
    EXPECT_EQ(c.Index, 1);
    EXPECT_EQ(c.Text, QStringLiteral("Write Only"));
    ASSERT_EQ(g.link->ObjectChanges.size(), 1u);
    EXPECT_EQ(g.link->ObjectChanges[0].Object, &g.tagWrite);
    // The next item with the letter, wrapping around.
    g.combo->Perform(WM_CHAR, 'r');
    EXPECT_EQ(g.combo->ItemIndex(), 2);
    g.combo->Perform(WM_CHAR, 'R');
    EXPECT_EQ(g.combo->ItemIndex(), 0);
    // A letter no item starts with changes nothing and fires nothing.
    g.combo->Perform(WM_CHAR, 'z');
    EXPECT_EQ(g.combo->ItemIndex(), 0);
    EXPECT_EQ(g.link->Changes.size(), 3u);
    g.combo->Perform(WM_CHAR, VK_RETURN);
    EXPECT_EQ(returns, 1);
    ASSERT_EQ(senders.size(), 5u);
    for (TObject* s : senders) EXPECT_EQ(s, g.combo);
    EXPECT_EQ(chars[0], QChar('w'));
}

TEST(GridCombo, ChangeReportsTheDisplayColumn)
{
    TComboGrid g(csDropDown);
    std::vector<std::pair<int, QString>> seen;
    g.grid->OnEditChange = [&](TObject* s, int c, int, const QString& v) {
        EXPECT_EQ(s, g.grid);
        seen.push_back({c, v});
    };
    g.combo->SetText(QString());
    QTest::keyClick(g.combo->Combo()->lineEdit(), Qt::Key_X);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().first, 2);
    EXPECT_EQ(seen.back().second, QStringLiteral("x"));
}

TEST(GridCombo, WheelStepsTheSelectionAndStopsAtTheEnds)
{
    struct { int start; int delta; int expected; } rows[] = {
        {0, -120, 1}, {1, -120, 2}, {2, -120, 2}, {2, 120, 1}, {0, 120, 0}, {-1, -120, 0}, {-1, 120, -1},
    };
    for (auto r : rows) {
        TComboGrid g(csDropDownList);
        std::vector<std::pair<int, QString>> edits;
        g.grid->OnEditChange = [&](TObject*, int c, int, const QString& v) { edits.push_back({c, v}); };
        g.combo->SetItemIndex(r.start);
        g.combo->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, unsigned(uint16_t(int16_t(r.delta)))), 0);
        EXPECT_EQ(g.combo->ItemIndex(), r.expected) << r.start << " " << r.delta;
        ASSERT_EQ(g.link->Changes.size(), 1u);
        EXPECT_EQ(g.link->Changes[0].Col, 3);
        EXPECT_EQ(g.link->Changes[0].Index, r.expected);
        const QString text = r.expected >= 0 ? g.combo->Items()->Strings(r.expected) : g.combo->Text();
        EXPECT_EQ(g.link->Changes[0].Text, text);
        ASSERT_EQ(edits.size(), 1u);
        EXPECT_EQ(edits[0].first, 3);
        EXPECT_EQ(edits[0].second, text);
        EXPECT_EQ(g.link->ObjectChanges[0].Object, r.expected == 1 ? &g.tagWrite : nullptr);
    }
}

TEST(GridCombo, LookupCompletesFromTheItemsThenTheGridList)
{
    struct { bool caseSensitive; const char* typed; QString text; int selStart, index; } rows[] = {
        {false, "R", QStringLiteral("Read Only"), 1, 0},
        {false, "Re", QStringLiteral("Read Only"), 2, 0},
        {false, "re", QStringLiteral("Read Only"), 2, 0},
        {true, "re", QStringLiteral("re"), 2, -1},
        {false, "Z", QStringLiteral("Zebra"), 1, -1},   // from the grid's lookup list
    };
    for (auto r : rows) {
        TComboGrid g(csDropDown);
        g.link->LookupOn = true;
        g.link->CaseSensitive = r.caseSensitive;
        g.grid->LookupItems()->Add(QStringLiteral("Zebra"));
        g.combo->SetText(QString());
        g.combo->SetItemIndex(-1);
        QTest::keyClicks(g.combo->Combo()->lineEdit(), QString::fromLatin1(r.typed));
        EXPECT_EQ(g.combo->Text(), r.text) << r.typed;
        EXPECT_EQ(g.combo->SelStart(), r.selStart) << r.typed;
        EXPECT_EQ(g.combo->SelLength(), int(r.text.size()) - r.selStart) << r.typed;
        EXPECT_EQ(g.combo->ItemIndex(), r.index) << r.typed;
    }
    // Backspace removes the completed tail without completing again.
    TComboGrid g(csDropDown);
    g.link->LookupOn = true;
    g.combo->SetText(QString());
    QTest::keyClicks(g.combo->Combo()->lineEdit(), QStringLiteral("Re"));
    QTest::keyClick(g.combo->Combo()->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(g.combo->Text(), QStringLiteral("Re"));
    EXPECT_FALSE(g.combo->WorkMode);
}

TEST(GridCombo, HistoryAddsOnlyNewNonEmptyTexts)
{
    struct { QString text; int count; } rows[] = {
        {QStringLiteral("Custom"), 4}, {QString(), 3}, {QStringLiteral("Write Only"), 3},
    };
    for (auto r : rows) {
        TComboGrid g(csDropDown);
        g.link->History = true;
        g.combo->SetText(r.text);
        g.combo->Perform(CM_EXIT);
        EXPECT_EQ(g.combo->Items()->Count(), r.count) << r.text.toStdString();
        EXPECT_EQ(g.link->Log.front(), QStringLiteral("hide"));
    }
    TComboGrid off(csDropDown);
    off.combo->SetText(QStringLiteral("Custom"));
    off.combo->Perform(CM_EXIT);
    EXPECT_EQ(off.combo->Items()->Count(), 3);
}

TEST(GridCombo, CursorWalk)
{
    // Left at the caret start walks backwards through the grid's advance.
    {
        TComboGrid g(csDropDown);
        auto* nav = g.grid->Navigation();
        nav->SetCursorWalkEditor(true);
        nav->SetCursorWalkAlwaysEdit(false);
        nav->SetAdvanceDirection(adTopBottom);
        g.combo->SetSelStart(0);
        g.combo->Perform(WM_KEYUP, VK_LEFT);
        ASSERT_EQ(g.link->Log.size(), 1u);
        EXPECT_EQ(g.link->Log[0], QStringLiteral("advance:2,1 edit 1 forward 0 auto 1 force 1 dir %1").arg(int(adLeftRight)));
        EXPECT_EQ(nav->AdvanceDirection(), adTopBottom);
        // With a selection, or not at the edge, the key only moves the caret.
        g.link->Log.clear();
        g.combo->SelectAll();
        g.combo->Perform(WM_KEYUP, VK_LEFT);
        g.combo->SetSelStart(3);
        g.combo->Perform(WM_KEYUP, VK_RIGHT);
        g.combo->Perform(WM_KEYUP, VK_LEFT);
        EXPECT_TRUE(g.link->Log.empty());
        g.combo->SetSelStart(int(g.combo->Text().size()));
        g.combo->Perform(WM_KEYUP, VK_RIGHT);
        ASSERT_EQ(g.link->Log.size(), 1u);
        EXPECT_TRUE(g.link->Log[0].contains(QStringLiteral("forward 1")));
        // A list combo never walks.
        TComboGrid list(csDropDownList);
        list.grid->Navigation()->SetCursorWalkEditor(true);
        list.combo->Perform(WM_KEYUP, VK_LEFT);
        EXPECT_TRUE(list.link->Log.empty());
    }
    // Right towards a merged span with a check box after it jumps over the span.
    for (bool accept : {true, false}) {
        TComboGrid g(csDropDown);
        g.grid->Navigation()->SetCursorWalkEditor(true);
        g.grid->MergeCells(2, 1, 2, 1);
        const int span = g.grid->CellSpan(2, 1).X;
        ASSERT_GT(span, 0);
        g.grid->AddCheckBox(2 + span + 1, 1, false, false);
        ASSERT_TRUE(g.grid->HasClickControl(2 + span + 1, 1));
        g.link->Accept = [accept](const QString&) { return accept; };
        g.combo->SetSelStart(int(g.combo->Text().size()));
        g.combo->Perform(WM_KEYUP, VK_RIGHT);
        EXPECT_EQ(g.grid->Col(), accept ? 2 + span + 1 : 2) << accept;
        EXPECT_EQ(g.combo->Visible(), !accept) << accept;
        EXPECT_EQ(g.link->Log.front(), QStringLiteral("validate:Read Write"));
    }
}

TEST(GridCombo, SpecialKeyClaims)
{
    TComboGrid g(csDropDown);
    EXPECT_EQ(g.combo->Perform(CM_WANTSPECIALKEY, VK_RETURN), 1);
    EXPECT_EQ(g.combo->Perform(CM_WANTSPECIALKEY, VK_ESCAPE), 1);
    EXPECT_EQ(g.combo->Perform(CM_WANTSPECIALKEY, VK_TAB), 0);
    g.link->WantsTab = true;
    EXPECT_EQ(g.combo->Perform(CM_WANTSPECIALKEY, VK_TAB), 1);
}

TEST(GridCombo, ListWidthFollowsTheWidestItem)
{
    TComboGrid g(csDropDownList);
    g.combo->SizeDropDownWidth();
    EXPECT_EQ(g.combo->DroppedWidth(), g.combo->Width());
    const QString wide = QStringLiteral("An item much wider than the combo box itself");
    g.combo->Items()->Add(wide);
    g.combo->SizeDropDownWidth();
    const int t = g.grid->Canvas()->TextWidth(wide);
    EXPECT_EQ(g.combo->DroppedWidth(), t + 8);
    for (int i = 0; i < 8; ++i) g.combo->Items()->Add(QStringLiteral("x"));
    g.combo->SizeDropDownWidth();
    EXPECT_EQ(g.combo->DroppedWidth(), t + 25);
}

TEST(GridCombo, FocusPutsTheCaretAtTheEndWithoutSelectAll)
{
    TComboGrid g(csDropDown);
    g.grid->Navigation()->SetEditSelectAll(false);
    g.combo->SelectAll();
    g.combo->Perform(WM_SETFOCUS);
    EXPECT_EQ(g.combo->SelStart(), 10);
    EXPECT_EQ(g.combo->SelLength(), 0);
    // The character under a point comes from the combo's own edit; a list has none.
    const LRESULT r = g.combo->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(300, 5));
    EXPECT_EQ(r, 10);
    TComboGrid list(csDropDownList);
    EXPECT_EQ(list.combo->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(5, 5)), -1);
}

TEST(GridCombo, SelectionFieldHeightApartFromItemHeight)
{
    TComboGrid g(csDropDownList);
    g.combo->Perform(CB_SETITEMHEIGHT, WPARAM(-1), 18);
    EXPECT_EQ(g.combo->Height(), 24);
    EXPECT_EQ(g.combo->Perform(CB_GETITEMHEIGHT, WPARAM(-1)), 18);
    const LRESULT items = g.combo->Perform(CB_GETITEMHEIGHT, 0);
    g.combo->Perform(CB_SETITEMHEIGHT, 0, 30);
    EXPECT_EQ(g.combo->Perform(CB_GETITEMHEIGHT, 0), 30);
    EXPECT_NE(items, 30);
    EXPECT_EQ(g.combo->Height(), 24);
}

TEST(GridCombo, UnclaimedTabMovesTheFocusOnAndClosesTheEditor)
{
    TComboGrid g(csDropDown);
    auto* next = new TEdit(&g.form);
    next->SetParent(&g.form);
    next->SetBounds(10, 220, 100, 21);
    g.form.Show();
    QApplication::setActiveWindow(&g.form);
    g.combo->SetFocus();
    g.combo->SetText(QStringLiteral("Typed"));
    QTest::keyClick(g.combo->Combo(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(next->Focused());
    EXPECT_FALSE(g.combo->Visible());
    EXPECT_EQ(g.Cell(), QStringLiteral("Typed"));
    EXPECT_TRUE(std::find(g.link->Log.begin(), g.link->Log.end(), QStringLiteral("validate:Typed")) == g.link->Log.end());
    g.form.Hide();
}

TEST(GridCombo, LeavingTheListSwitchesDirectCloseOffWhileClosing)
{
    struct TDirectLink : TScriptLink {
        using TScriptLink::TScriptLink;
        void HideInplaceEdit() override
        {
            Log.push_back(QStringLiteral("direct:") + QString::number(Grid()->MouseActions()->DirectComboClose()));
        }
    };
    TComboGrid g(csDropDownList);
    auto l = std::make_unique<TDirectLink>(g.grid);
    auto* link = l.get();
    link->Combo = g.combo;
    g.combo->SetLink(std::move(l));
    g.grid->MouseActions()->SetDirectComboClose(true);
    g.Key(VK_RIGHT);
    EXPECT_EQ(link->Log.front(), QStringLiteral("direct:0"));
    EXPECT_TRUE(g.grid->MouseActions()->DirectComboClose());
}

TEST(GridCombo, ClickOpenedEditorPutsTheCaretUnderTheMouse)
{
    TComboGrid g(csDropDown);
    struct TClickLink : TScriptLink {
        using TScriptLink::TScriptLink;
        bool Flag = true;
        bool LButFlg() override { return Flag; }
        void SetLButFlg(bool v) override { Flag = v; }
    };
    auto l = std::make_unique<TClickLink>(g.grid);
    auto* link = l.get();
    link->Combo = g.combo;
    g.combo->SetLink(std::move(l));
    g.form.Show();
    QApplication::processEvents();
    const TPoint inside(12, 10);
    Mouse->SetCursorPos(g.combo->ClientToScreen(inside));
    if (g.combo->ScreenToClient(Mouse->CursorPos()) != inside) GTEST_SKIP() << "the pointer cannot be placed here";
    const int expected = int(g.combo->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(12, 10)));
    ASSERT_GT(expected, 0);
    ASSERT_LT(expected, 10);
    g.combo->SelectAll();
    g.combo->Perform(WM_SETFOCUS);
    EXPECT_EQ(g.combo->SelStart(), expected);
    EXPECT_EQ(g.combo->SelLength(), 0);
    EXPECT_FALSE(link->Flag);
    // Outside the combo the flag stays for a later focus.
    link->Flag = true;
    Mouse->SetCursorPos(g.combo->ClientToScreen(TPoint(-20, 10)));
    g.combo->Perform(WM_SETFOCUS);
    EXPECT_TRUE(link->Flag);
    g.form.Hide();
}

TEST(GridCombo, ReturnOnTheOpenListCommitsTheHighlightedItem)
{
    TComboGrid g(csDropDownList);
    g.form.Show();
    QApplication::setActiveWindow(&g.form);
    g.combo->SetFocus();
    g.combo->SetItemIndex(0);
    g.combo->SetDroppedDown(true);
    QApplication::processEvents();
    // Opening the list keeps the editor open.
    EXPECT_TRUE(g.link->Log.empty());
    EXPECT_TRUE(g.combo->Focused());
    ASSERT_TRUE(g.combo->DroppedDown());
    EXPECT_TRUE(g.combo->ListMode());
    QTest::keyClick(g.combo->Combo(), Qt::Key_Down);
    QTest::keyClick(g.combo->Combo(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(g.combo->DroppedDown());
    EXPECT_EQ(g.Cell(), QStringLiteral("Write Only"));
    EXPECT_TRUE(std::find(g.link->Log.begin(), g.link->Log.end(), QStringLiteral("validate:Write Only")) != g.link->Log.end());
    g.form.Hide();
}

TEST(GridCombo, DefaultLinkFiresTheGridsComboEvents)
{
    TComboGrid g(csDropDownList);
    g.combo->SetLink(nullptr);
    std::vector<std::tuple<TObject*, int, int, int, QString>> seen;
    std::vector<TObject*> objects;
    g.grid->OnComboChange = [&](TObject* s, int c, int r, int i, const QString& t) { seen.emplace_back(s, c, r, i, t); };
    g.grid->OnComboObjectChange = [&](TObject*, int, int, int, const QString&, TObject* o) { objects.push_back(o); };
    g.combo->SetItemIndex(0);
    g.combo->Perform(WM_CHAR, 'W');
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_tuple(static_cast<TObject*>(g.grid), 3, 1, 1, QStringLiteral("Write Only")));
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0], &g.tagWrite);
    g.combo->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, unsigned(uint16_t(int16_t(-120)))), 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(std::get<3>(seen[1]), 2);
}

TEST(GridCombo, RealWheelTurnStepsOnce)
{
    TComboGrid g(csDropDownList);
    g.combo->SetItemIndex(0);
    const QPointF at(10, 10);
    QWheelEvent turn(at, g.combo->Combo()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.combo->Combo(), &turn);
    EXPECT_EQ(g.combo->ItemIndex(), 1);
    EXPECT_EQ(g.link->Changes.size(), 1u);
}

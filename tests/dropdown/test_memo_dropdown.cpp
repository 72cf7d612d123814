// The memo drop-down: the shown text in both typing modes, typing into the
// edit, the popup's working copy kept or dropped, AutoDrop and the memo's keys.
#include "dropdown/memo_dropdown.h"

#include "dropdown_test_support.h"
#include "platform/ui/graphics.h"
#include "platform/ui/messages.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

using TMemoHost = TEditorHost<TKvMemoDropDown>;

void SetLines(TKvMemoDropDown* E, const QStringList& Lines)
{
    TStringList l;
    l.Assign(Lines);
    E->SetMemoText(&l);
}

int TextWidthIn(TKvMemoDropDown* E, const QString& S)
{
    TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->Font()->Assign(*E->Font());
    return b.Canvas()->TextWidth(S);
}

} // namespace

TEST(MemoDropDown, ConstructionState)
{
    TMemoHost h;
    auto* e = h.Edit;
    EXPECT_EQ(e->MemoText()->Count(), 0);
    EXPECT_EQ(e->MemoScrollBars(), ssNone);
    EXPECT_FALSE(e->MemoReadOnly());
    EXPECT_FALSE(e->AutoDrop());
    EXPECT_TRUE(e->EditorEnabled());
    ASSERT_NE(e->Memo(), nullptr);
    EXPECT_EQ(e->Memo()->Height(), 100);
    EXPECT_EQ(e->Text(), QString());
}

TEST(MemoDropDown, TheShownText)
{
    const QString wide = QStringLiteral("A first line far too wide for the edit of this test");
    struct Case {
        const char* Name;
        bool Typing;
        QStringList Lines;
        QString Shown; // empty: checked as an ellipsised head below
    };
    const Case cases[] = {
        {"two lines with typing off", false, {"Alpha", "Beta"}, "Alpha..."},
        {"one short line", false, {"Alpha"}, "Alpha"},
        {"two lines with typing on", true, {"Alpha", "Beta"}, "Alpha\r\nBeta"},
        {"an over-wide single line", false, {wide}, ""},
        {"an over-wide first of two", false, {wide, "Beta"}, ""},
    };
    for (const Case& c : cases) {
        TMemoHost h;
        h.Edit->SetEditorEnabled(c.Typing);
        SetLines(h.Edit, c.Lines);
        const QString shown = h.Edit->Text();
        if (!c.Shown.isEmpty()) {
            EXPECT_EQ(shown, c.Shown) << c.Name;
            continue;
        }
        EXPECT_TRUE(shown.endsWith(QStringLiteral("..."))) << c.Name << ": " << shown.toStdString();
        EXPECT_TRUE(wide.startsWith(shown.chopped(3))) << c.Name;
        EXPECT_LT(TextWidthIn(h.Edit, shown), h.Edit->EditRect().Width()) << c.Name;
        EXPECT_EQ(h.Edit->MemoText()->Count(), c.Lines.size()) << "showing does not touch the value";
    }
}

TEST(MemoDropDown, TypingReplacesTheLines)
{
    TMemoHost h;
    auto* e = h.Edit;
    SetLines(e, {"Alpha", "Beta"});
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SelectAll();
    QTest::keyClicks(e->LineEdit(), QStringLiteral("Gamma"));
    EXPECT_EQ(e->MemoText()->ToStringList(), QStringList{QStringLiteral("Gamma")});
    EXPECT_EQ(e->Text(), QStringLiteral("Gamma")) << "the typed text is not rewritten";
    EXPECT_GT(changes, 0);
}

TEST(MemoDropDown, ClosingTakesTheMemoAndCancellingKeepsTheOldLines)
{
    for (bool cancel : {false, true}) {
        TMemoHost h;
        auto* e = h.Edit;
        e->SetEditorEnabled(false);
        SetLines(e, {"Alpha", "Beta"});
        e->ShowDropDown();
        ASSERT_TRUE(e->DroppedDown());
        EXPECT_EQ(e->Control(), e->Memo());
        EXPECT_FALSE(e->DropDownForm()->CancelOnDeActivate());
        EXPECT_EQ(e->Memo()->Lines()->ToStringList(), (QStringList{"Alpha", "Beta"}));
        e->Memo()->Lines()->SetText(QStringLiteral("One\r\nTwo\r\nThree"));
        e->HideDropDown(cancel);
        EXPECT_FALSE(e->DroppedDown());
        if (cancel) {
            EXPECT_EQ(e->MemoText()->ToStringList(), (QStringList{"Alpha", "Beta"}));
            EXPECT_EQ(e->Text(), QStringLiteral("Alpha..."));
        } else {
            EXPECT_EQ(e->MemoText()->ToStringList(), (QStringList{"One", "Two", "Three"}));
            EXPECT_EQ(e->Text(), QStringLiteral("One..."));
            EXPECT_EQ(e->SelStart(), 0);
            EXPECT_EQ(e->SelLength(), 0);
        }
    }
}

TEST(MemoDropDown, OpeningHandsTheSettingsToTheMemo)
{
    TMemoHost h;
    auto* e = h.Edit;
    e->SetMemoScrollBars(ssVertical);
    e->SetMaxLength(40);
    e->ShowDropDown();
    EXPECT_EQ(e->Memo()->ScrollBars(), ssVertical);
    EXPECT_EQ(e->Memo()->MaxLength(), 40);
    EXPECT_FALSE(e->Memo()->ReadOnly());
    e->SetMemoReadOnly(true);
    EXPECT_TRUE(e->Memo()->ReadOnly()) << "follows at once while open";
    e->HideDropDown(false);
}

TEST(MemoDropDown, AutoDropOpensOnEnteringOnlyOnce)
{
    TMemoHost h;
    auto* e = h.Edit;
    e->SetAutoDrop(true);
    e->Perform(CM_ENTER, 0, 0);
    ASSERT_TRUE(e->DroppedDown());
    e->HideDropDown(false);
    QApplication::processEvents();
    EXPECT_FALSE(e->DroppedDown()) << "the focus coming back does not reopen";
    EXPECT_TRUE(e->AutoDrop());
}

TEST(MemoDropDown, OnlyEscapeF4AndAltReachTheEdit)
{
    struct Case {
        const char* Name;
        WORD Key;
        TShiftState Shift;
        bool Closes;
    };
    const Case cases[] = {
        {"Return stays", VK_RETURN, {}, false},
        {"Down stays", VK_DOWN, {}, false},
        {"Left stays", VK_LEFT, {}, false},
        {"Escape closes", VK_ESCAPE, {}, true},
        {"F4 closes", VK_F4, {}, true},
    };
    for (const Case& c : cases) {
        TMemoHost h;
        auto* e = h.Edit;
        e->SetEditorEnabled(false);
        e->ShowDropDown();
        WORD k = c.Key;
        e->ControlKeyDown(k, c.Shift);
        EXPECT_EQ(!e->DroppedDown(), c.Closes) << c.Name;
        e->HideDropDown(true);
    }
    TMemoHost h;
    auto* e = h.Edit;
    e->ShowDropDown();
    e->Memo()->Lines()->SetText(QStringLiteral("One\r\nTwo"));
    WORD a = 'A';
    e->ControlKeyDown(a, TShiftState(ssCtrl));
    EXPECT_EQ(e->Memo()->SelLength(), e->Memo()->Editor()->toPlainText().size()) << "Ctrl+A selects all";
    EXPECT_TRUE(e->DroppedDown());
    QChar ret(13);
    e->ControlKeyPress(ret);
    EXPECT_TRUE(e->DroppedDown());
    QTest::keyClick(e->Memo()->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(e->DroppedDown()) << "Escape typed in the memo closes";
}

#include "grid_input/ksg_edit_btn.h"

#include "platform/ui/forms.h"
#include "platform/ui/messages.h"
#include "platform/ui/track_popup.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
LPARAM At(int x, int y) { return MAKELPARAM(unsigned(x), unsigned(y)); }

struct TShown {
    TForm form;
    TKsgEditBtn* edit;
    TEdit* other;
    explicit TShown(TKsgEditBtn* e) : edit(e)
    {
        form.SetBounds(0, 0, 300, 120);
        edit->SetParent(&form);
        edit->SetBounds(10, 10, 121, 22);
        other = new TEdit(&form);
        other->SetParent(&form);
        other->SetBounds(10, 50, 121, 22);
        form.Show();
        QApplication::setActiveWindow(&form);
        edit->SetFocus();
    }
    ~TShown() { form.Hide(); }
};
} // namespace

TEST(KsgUnitEditBtn, TextAndUnitSplitsOnlyAtATrailingFirstOccurrence)
{
    struct Row {
        QStringList units;
        QString value;
        QString text, unit;   // expected; the control starts at "0" and "u"
    };
    const Row rows[] = {
        {{"m", "mm"}, "5mm", "5", "mm"},
        {{"mm", "m"}, "5m", "5", "m"},
        {{"s"}, "5s5s", "0", "u"},
        {{"m", "mm"}, "5kg", "0", "u"},
        {{}, "5m", "0", "u"},
    };
    for (const Row& r : rows) {
        TKsgUnitEditBtn e;
        e.Units()->AddStrings(r.units);
        e.SetUnitID(QStringLiteral("u"));
        e.SetTextAndUnit(r.value);
        EXPECT_EQ(e.Text(), r.text) << r.value.toStdString();
        EXPECT_EQ(e.UnitID(), r.unit) << r.value.toStdString();
    }
    TKsgUnitEditBtn e;
    e.SetText(QStringLiteral("12"));
    e.SetUnitID(QStringLiteral("kg"));
    EXPECT_EQ(e.TextAndUnit(), QStringLiteral("12kg"));
}

TEST(KsgUnitEditBtn, UnitMenuChangesTheUnitAndReportsRealChangesOnce)
{
    TKsgUnitEditBtn e;
    e.SetBounds(0, 0, 121, 22);
    e.Units()->AddStrings(QStringList{QStringLiteral("m"), QStringLiteral("mm")});
    e.SetUnitID(QStringLiteral("m"));
    std::vector<QString> changes;
    std::vector<TObject*> clickSenders;
    e.OnUnitChanged = [&](TObject*, const QString& u) { changes.push_back(u); };
    e.OnClickBtn = [&](TObject* s) { clickSenders.push_back(s); };
    int answer = 1;
    std::vector<TTrackMenuItem> shown;
    TPoint where;
    TTrackPopupScope menu([&](const std::vector<TTrackMenuItem>& items, const TPoint& p) {
        shown = items;
        where = p;
        return answer;
    });
    e.ClickButton(e.Button());   // the current unit: set again, no event
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Id, 1);
    EXPECT_EQ(shown[1].Id, 2);
    EXPECT_EQ(shown[1].Caption, QStringLiteral("mm"));
    EXPECT_EQ(where, e.ClientToScreen(TPoint(e.ClientWidth() - 15, e.ClientHeight())));
    EXPECT_TRUE(changes.empty());
    ASSERT_EQ(clickSenders.size(), 1u);
    EXPECT_EQ(clickSenders[0], &e);   // the unit edit passes itself
    answer = 2;
    e.ClickButton(e.Button());
    EXPECT_EQ(e.UnitID(), QStringLiteral("mm"));
    EXPECT_EQ(changes, std::vector<QString>{QStringLiteral("mm")});
    for (int other : {0, 3, 99}) {
        answer = other;
        e.ClickButton(e.Button());
    }
    e.Perform(WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), 0);
    EXPECT_EQ(e.UnitID(), QStringLiteral("mm"));
    EXPECT_EQ(changes.size(), 1u);
}

TEST(KsgEditBtn, F4ClicksUnlessAltOrCtrlIsHeld)
{
    auto* e = new TKsgEditBtn();
    TShown s(e);
    std::vector<TObject*> senders;
    e->OnClickBtn = [&](TObject* sender) { senders.push_back(sender); };
    QTest::keyClick(e->LineEdit(), Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(e->LineEdit(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(senders.empty());
    QTest::keyClick(e->LineEdit(), Qt::Key_F4);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], e);
}

TEST(KsgEditBtn, ReleaseAnywhereClicksAndTheFocusReturnsToTheEdit)
{
    auto* e = new TKsgEditBtn();
    TShown s(e);
    std::vector<TObject*> senders;
    e->OnClickBtn = [&](TObject* sender) { senders.push_back(sender); };
    s.other->SetFocus();
    ASSERT_FALSE(e->Focused());
    TKvSpeedButton* b = e->Button()->Button();
    b->Perform(WM_LBUTTONDOWN, 0, At(2, 2));
    EXPECT_TRUE(b->Pressed());
    b->Perform(WM_LBUTTONUP, 0, At(500, 500));
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], e->Button());   // the host is the sender
    EXPECT_TRUE(e->Focused());
    b->Perform(WM_RBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(senders.size(), 1u);
}

TEST(KsgEditBtn, EditorDisabledTakesNoCharactersButDeleteStillDeletes)
{
    auto* e = new TKsgEditBtn();
    TShown s(e);
    int presses = 0;
    e->OnKeyPress = [&](TObject*, QChar&) { ++presses; };
    e->SetText(QStringLiteral("abc"));
    e->SetEditorEnabled(false);
    e->SetSelStart(0);
    e->SetSelLength(0);
    QTest::keyClicks(e->LineEdit(), QStringLiteral("xy"));
    QTest::keyClick(e->LineEdit(), Qt::Key_Backspace);
    e->Perform(WM_PASTE);
    EXPECT_EQ(e->Text(), QStringLiteral("abc"));
    EXPECT_EQ(presses, 0);
    QTest::keyClick(e->LineEdit(), Qt::Key_Delete);
    EXPECT_EQ(e->Text(), QStringLiteral("bc"));
}

TEST(KsgEditBtn, TextStopsBeforeTheButtonAndTheUnit)
{
    TKsgEditBtn e;
    e.SetBounds(0, 0, 121, 24);
    // Button host 18 wide inside the frame, 5 pixels in from the width.
    EXPECT_EQ(e.Button()->Left(), 2 + 121 - 18 - 5);
    EXPECT_EQ(e.Button()->Width(), 18);
    EXPECT_EQ(e.Button()->Height(), 24 - 5);
    EXPECT_EQ(e.LineEdit()->textMargins().right(), 18 + 5);
    EXPECT_EQ(e.LineEdit()->textMargins().left(), 1);
    TKsgUnitEditBtn u;
    u.SetBounds(0, 0, 121, 24);
    EXPECT_EQ(u.LineEdit()->textMargins().right(), 18 + 5 + 20 + 3);
    EXPECT_EQ(u.LineEdit()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    u.SetUnitSpace(0);
    EXPECT_EQ(u.LineEdit()->textMargins().right(), 18 + 5);
}

TEST(KsgEditBtn, ButtonStaysFlatAfterItsColourIsCleared)
{
    TKsgEditBtn e;
    e.SetBounds(0, 0, 121, 24);
    TKvSpeedButton* b = e.Button()->Button();
    EXPECT_FALSE(b->Flat());
    e.Button()->ButtonColor = clYellow;
    (void)b->grab();   // paint once
    e.Button()->ButtonColor = clNone;
    (void)b->grab();
    EXPECT_TRUE(b->Flat());
}

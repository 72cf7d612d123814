#include "grid_input/ksg_spin_edit.h"

#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
TFormatSettings CommaLocale()
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char(',');
    fs.ThousandSeparator = QLatin1Char('.');
    fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    return fs;
}
LPARAM At(int x, int y) { return MAKELPARAM(unsigned(x), unsigned(y)); }
TRect BoundsOf(const TControl* c) { return TRect(c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()); }

struct TShownSpin {
    TForm form;
    TKsgSpinEdit* spin;
    TEdit* other;
    TShownSpin()
    {
        form.SetBounds(0, 0, 300, 120);
        spin = new TKsgSpinEdit(&form);
        spin->SetParent(&form);
        spin->SetBounds(10, 10, 121, 22);
        other = new TEdit(&form);
        other->SetParent(&form);
        other->SetBounds(10, 50, 121, 22);
        form.Show();
        QApplication::setActiveWindow(&form);
        spin->SetFocus();
    }
    ~TShownSpin() { form.Hide(); }
};
} // namespace

TEST(KsgSpinEdit, ArrowKeysStepAndNeverReachTheKeyEvent)
{
    TFormatSettingsScope locale(CommaLocale());
    TShownSpin s;
    std::vector<WORD> keys;
    s.spin->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { keys.push_back(k); };
    s.spin->SetSpinType(sptFloat);
    s.spin->SetFloatValue(1);
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Up);
    EXPECT_EQ(s.spin->Text(), QStringLiteral("1,1"));
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_PageUp);
    EXPECT_EQ(s.spin->Text(), QStringLiteral("2,1"));
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_PageDown);
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Down);
    EXPECT_EQ(s.spin->Text(), QStringLiteral("1"));
    EXPECT_TRUE(keys.empty());
}

TEST(KsgSpinEdit, RefusedCharactersBeepAndAreDropped)
{
    TFormatSettingsScope locale(CommaLocale());
    TShownSpin s;
    s.spin->SetMaxValue(1000);
    s.spin->SetText(QString());
    QTest::keyClicks(s.spin->LineEdit(), QStringLiteral("1a2,3"));
    EXPECT_EQ(s.spin->Text(), QStringLiteral("123"));
    EXPECT_EQ(s.spin->BeepCount(), 2);
}

TEST(KsgSpinEdit, EncodeFailureReachesTheErrorDisplayAndLeavesTheValue)
{
    TFormatSettingsScope locale(CommaLocale());
    TDialogResponder responder;
    TShownSpin s;
    s.spin->SetSpinType(sptDate);
    s.spin->SetDateValue(EncodeDate(2024, 2, 29));
    s.spin->SetSpinSel(8, 0);
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Up);
    EXPECT_EQ(responder.MessageCount(), 1);
    EXPECT_TRUE(responder.LastText().contains(QStringLiteral("date encode"))) << responder.LastText().toStdString();
    EXPECT_EQ(s.spin->Text(), QStringLiteral("29/02/2024"));
    // The control remains usable.
    s.spin->SetSpinSel(0, 0);
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Up);
    EXPECT_EQ(s.spin->Text(), QStringLiteral("01/03/2024"));
}

TEST(KsgSpinEdit, EditorDisabledStillStepsButTakesNoTyping)
{
    TFormatSettingsScope locale(CommaLocale());
    TShownSpin s;
    s.spin->SetEditorEnabled(false);
    s.spin->SetValue(42);
    s.spin->SetSpinSel(2, 0);
    QTest::keyClicks(s.spin->LineEdit(), QStringLiteral("7"));
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Backspace);
    s.spin->SetSpinSel(0, 0);
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Delete);
    s.spin->Perform(WM_PASTE);
    s.spin->Perform(WM_CUT);
    EXPECT_EQ(s.spin->Text(), QStringLiteral("42"));
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Up);
    EXPECT_EQ(s.spin->Text(), QStringLiteral("43"));
    EXPECT_EQ(s.spin->SelLength(), 2);
}

TEST(KsgSpinEdit, ReturnIsTabMovesTheFocus)
{
    TShownSpin s;
    s.spin->SetReturnIsTab(true);
    ASSERT_TRUE(s.spin->Focused());
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(s.other->Focused());

    s.spin->SetFocus();
    s.spin->SetReturnIsTab(false);
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(s.spin->Focused());
}

TEST(KsgSpinEdit, LeavingClampsATypedValue)
{
    TShownSpin s;
    s.spin->SetText(QStringLiteral("250"));
    s.other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(s.spin->Text(), QStringLiteral("100"));
}

TEST(KsgSpinEdit, KeypadDecimalKeyTypesTheLocaleSeparator)
{
    TFormatSettingsScope locale(CommaLocale());
    TShownSpin s;
    s.spin->SetSpinType(sptFloat);
    s.spin->SetText(QStringLiteral("1"));
    s.spin->SetSpinSel(1, 0);
    s.spin->SetExcelStyleDecimalSeparator(true);
    QTest::keyClick(s.spin->LineEdit(), '.');   // main keyboard: stays '.', refused
    EXPECT_EQ(s.spin->Text(), QStringLiteral("1"));
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(s.spin->Text(), QStringLiteral("1,"));
    s.spin->SetExcelStyleDecimalSeparator(false);
    s.spin->SetText(QStringLiteral("1"));
    s.spin->SetSpinSel(1, 0);
    QTest::keyClick(s.spin->LineEdit(), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(s.spin->Text(), QStringLiteral("1"));
}

TEST(KsgSpinEdit, HeldArrowRepeatsThroughTheTimer)
{
    TKsgSpinEdit e;
    e.SetMaxValue(0);
    TKvTimerSpeedButton* up = e.Button()->UpButton();
    up->Perform(WM_LBUTTONDOWN, 0, At(2, 2));
    up->Perform(WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(e.Value(), 1);   // a quick click steps once

    up->Perform(WM_LBUTTONDOWN, 0, At(2, 2));
    EXPECT_EQ(up->RepeatTimer()->Interval(), 400u);
    up->RepeatTimer()->Tick();
    EXPECT_EQ(up->RepeatTimer()->Interval(), 100u);
    up->RepeatTimer()->Tick();
    EXPECT_EQ(e.Value(), 3);
    up->Perform(WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(e.Value(), 4);
    TKvTimerSpeedButton* down = e.Button()->DownButton();
    down->Perform(WM_LBUTTONDOWN, 0, At(2, 2));
    down->Perform(WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(e.Value(), 3);
}

TEST(KsgSpinEdit, ArrowPairLayout)
{
    TKsgSpinButton pair;
    pair.SetBounds(0, 0, 15, 25);
    EXPECT_EQ(BoundsOf(pair.UpButton()), TRect(0, 0, 15, 12));
    EXPECT_EQ(BoundsOf(pair.DownButton()), TRect(0, 11, 15, 25));
    pair.SetBounds(0, 0, 10, 25);   // narrower than the minimum
    EXPECT_EQ(pair.Width(), 15);
    pair.SetDirection(spHorizontal);
    EXPECT_EQ(pair.Width(), 20);
    EXPECT_EQ(BoundsOf(pair.UpButton()), TRect(11, 0, 21, 25));
    EXPECT_EQ(BoundsOf(pair.DownButton()), TRect(0, 0, 10, 25));
    EXPECT_EQ(pair.UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(pair.DownButton()->ButtonDirection(), bdLeft);
}

TEST(KsgSpinEdit, PairSitsInsideTheRightEdgeAndTheTextStopsBeforeIt)
{
    TKsgSpinEdit e;
    e.SetBounds(0, 0, 121, 40);
    // Placed in the client area inside the 2-pixel frame: 5 pixels in from the
    // control's width, height less 5.
    EXPECT_EQ(BoundsOf(e.Button()), TRect(2 + 121 - 15 - 5, 2, 2 + 121 - 5, 2 + 40 - 5));
    // The text ends 2 pixels before the arrows.
    EXPECT_EQ(e.LineEdit()->textMargins().right(), 15 + 2);
    EXPECT_EQ(e.LineEdit()->textMargins().left(), 0);
    e.SetBorderStyle(bsNone);
    EXPECT_EQ(BoundsOf(e.Button()), TRect(121 - 15 - 1, 0, 121 - 1, 40 - 1));
    EXPECT_EQ(e.LineEdit()->textMargins().right(), 15 + 2 + 3);
    EXPECT_EQ(e.LineEdit()->textMargins().left(), 3);
    e.SetBounds(0, 0, 121, 3);   // lower than the font allows
    EXPECT_EQ(e.Height(), e.GetMinHeight());
}

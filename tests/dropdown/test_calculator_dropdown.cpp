// The calculator drop-down: key sequences on the panel and in the popup, the
// memory, the display rules, the key colours by style, and the popup end to end.
#include "dropdown/calculator_dropdown.h"
#include "dropdown_test_support.h"
#include "dropdown/kv_button.h"

#include "platform/core/format_settings.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {
struct CalcHost {
    CalcHost()
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 300);
        Calc = new TKvCalculatorDropdown(Form);
        Calc->SetParent(Form);
        Calc->SetBounds(20, 20, 150, 25);
        Form->Show();
        QApplication::processEvents();
    }
    ~CalcHost() { delete Form; }
    TForm* Form;
    TKvCalculatorDropdown* Calc;
};

int TagOf(const QString& Key)
{
    static const QStringList names = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+", "-", "*", "/", "+/-",
                                      ".", "C", "=", "%"};
    const int i = names.indexOf(Key);
    if (i >= 0) return i;
    static const QStringList more = {"top", "Back", "CE", "MC", "MR", "MS", "M+", "sqrt", "1/x"};
    return 30 + more.indexOf(Key);
}

// Presses the panel keys named in Keys (blank-separated).
void Press(TKvCalculatorDropdown* c, const char* Keys)
{
    TButtonItems* items = c->ButtonPanel()->Buttons();
    for (const QString& k : QString::fromLatin1(Keys).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int tag = TagOf(k);
        int index = -1;
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Tag() == tag) index = i;
        ASSERT_GE(index, 0) << k.toStdString();
        c->CalcButtonClick(c->ButtonPanel(), index);
    }
}
} // namespace

TEST(CalculatorDropdown, PanelKeySequences)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    struct Row {
        const char* Keys;
        const char* Display;
    };
    const Row rows[] = {
        {"2 + 3 * 4 =", "20.00"},
        {"2 + 3 * 4 = =", "20.00"},
        {"8 / 0 =", "Error"},
        {"8 / 0 = 5", "5.00"},
        {"5 0 + 1 0 %", "5.00"},
        {"5 0 + 1 0 % =", "55.00"},
        {"1 . 2 3 4", "1.23"},
        {"3 +/- 4", "-34.00"},
        {"3 +/- 4 . 5", "-34.50"},
        {"3 . 5 CE 7", "7.00"},
        {"4 +/- sqrt", "Error"},
        {"4 1/x", "0.25"},
        {"0 1/x", "Error"},
        {"7 MS C MR", "7.00"},
        {"7 M+ M+ C 1 MR", "14.00"},
        {"7 MS MC MR", "0.00"},
        {"1 2 5 Back", "12.00"},
        {"5 + *", "10.00"},
        {"5 + * =", "100.00"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Keys);
        CalcHost h;
        Press(h.Calc, r.Keys);
        EXPECT_EQ(h.Calc->Text(), QString::fromLatin1(r.Display));
    }
}

TEST(CalculatorDropdown, DisplayLimitsAndTypedDigits)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    {
        CalcHost h;
        Press(h.Calc, "1");
        h.Calc->SetMaxLength(4);
        Press(h.Calc, "5 5 +/- .");
        EXPECT_EQ(h.Calc->Text(), QStringLiteral("1.00")) << "a full display ignores digits";
    }
    {
        CalcHost h;
        h.Calc->SetPrecision(0);
        h.Calc->SetText(QStringLiteral("0"));
        h.Calc->Perform(WM_CHAR, '5', 0);
        EXPECT_EQ(h.Calc->Text(), QStringLiteral("5")) << "a digit replaces the zero";
    }
    {
        CalcHost h;
        h.Calc->SetText(QStringLiteral("1.50"));
        h.Calc->SetSelStart(2);
        h.Calc->Perform(WM_CHAR, '.', 0);
        EXPECT_EQ(h.Calc->Text(), QStringLiteral("1.50")) << "no second decimal separator";
    }
}

TEST(CalculatorDropdown, ThousandSeparatorsAndMemory)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    CalcHost h;
    h.Calc->SetShowThousandSeparator(true);
    EXPECT_EQ(h.Calc->EditType(), etMoney);
    Press(h.Calc, "1 2 3 4");
    EXPECT_EQ(h.Calc->Text(), QStringLiteral("1,234.00"));
    Press(h.Calc, "MS C");
    EXPECT_EQ(h.Calc->Text(), QStringLiteral("0.00"));
    EXPECT_EQ(double(h.Calc->MemoryValue()), 1234.0);
    Press(h.Calc, "MR");
    EXPECT_EQ(h.Calc->Text(), QStringLiteral("1,234.00"));
    EXPECT_EQ(double(h.Calc->GetValue()), 1234.0);
}

TEST(CalculatorDropdown, UnconvertibleDisplayCountsAsZero)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    CalcHost h;
    Press(h.Calc, "5 +");
    h.Calc->SetTextDirect(QStringLiteral("-"));
    EXPECT_NO_THROW(Press(h.Calc, "+"));
    EXPECT_EQ(double(h.Calc->RunningValue()), 5.0);
    h.Calc->SetTextDirect(QStringLiteral("abc"));
    EXPECT_NO_THROW(Press(h.Calc, "="));
    EXPECT_NO_THROW(h.Calc->CalcResult());
    h.Calc->SetTextDirect(QStringLiteral("x"));
    EXPECT_NO_THROW(Press(h.Calc, "MS M+"));
    EXPECT_EQ(double(h.Calc->MemoryValue()), 0.0);
    // With no pending operator the display alone is the running value.
    h.Calc->SetTextDirect(QStringLiteral("-"));
    Press(h.Calc, "+");
    EXPECT_EQ(double(h.Calc->RunningValue()), 0.0);
}

TEST(CalculatorDropdown, SignKeyTouchesOnlyALeadingMinus)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    CalcHost h;
    h.Calc->SetPrecision(-1);
    h.Calc->SetText(QStringLiteral("1E-5"));
    Press(h.Calc, "+/-");
    EXPECT_EQ(h.Calc->Text(), QStringLiteral("-1E-5"));
    Press(h.Calc, "+/-");
    EXPECT_EQ(h.Calc->Text(), QStringLiteral("1E-5"));
}

TEST(CalculatorDropdown, KeyColoursFollowTheStyle)
{
    CalcHost h;
    h.Calc->SetComponentStyle(tsOffice2010Blue);
    const TKvButtonAppearance* b = h.Calc->ButtonAppearance();
    TButtonAppearance* a = h.Calc->CalcButtonAppearance();
    EXPECT_EQ(a->GlowColorHot(), b->ColorHot());
    EXPECT_EQ(a->GlowColorDown(), b->ColorHot());
    EXPECT_EQ(a->Color(), b->Color());
    EXPECT_EQ(a->ColorChecked(), b->ColorDisabledTo());
    h.Calc->SetComponentStyle(tsWindows7);
    EXPECT_EQ(a->GlowColorDown(), TColor(0xD5C244));
    EXPECT_EQ(a->GlowColorHot(), b->ColorDownTo());
    EXPECT_EQ(a->BorderColorChecked(), b->BorderColorDisabled());
}

TEST(CalculatorDropdown, PopupKeysEndToEnd)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    CalcHost h;
    TKvCalculatorDropdown* c = h.Calc;
    std::vector<bool> ups;
    c->OnDropUp = [&](TObject*, bool Cancelled) { ups.push_back(Cancelled); };
    c->SetFocus();
    QApplication::processEvents();
    QTest::keyClick(c->LineEdit(), Qt::Key_Down, Qt::AltModifier);
    QApplication::processEvents();
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_EQ(c->ButtonPanel()->Height(), 150);
    // The key panel holds the popup's focus.
    QWidget* popupFocus = c->ButtonPanel();
    QTest::keyClicks(popupFocus, QStringLiteral("12+3="));
    EXPECT_EQ(c->Text(), QStringLiteral("15.00"));
    QApplication::processEvents();
    const QImage shot = c->DropDownForm()->grab().toImage();
    ASSERT_TRUE(shot.save(QStringLiteral(KV_TEST_BINARY_DIR "/calculator_dropdown.png")));
    QTest::keyClick(popupFocus, Qt::Key_Return);
    EXPECT_FALSE(c->DroppedDown());
    c->ShowDropDown();
    ASSERT_TRUE(c->DroppedDown());
    QApplication::processEvents();
    QTest::keyClick(popupFocus, Qt::Key_Escape);
    EXPECT_FALSE(c->DroppedDown());
    ASSERT_EQ(ups.size(), 2u);
    EXPECT_FALSE(ups[0]);
    EXPECT_TRUE(ups[1]);
}

// Typed entry of the drop-down edit: the character filter per edit type, the
// editing keys around prefix and suffix, paste rules, focus loss and the
// conversions, with the locale's separators replaced per test.
#include "dropdown_test_support.h"

#include "platform/core/format_settings.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/keys.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {
void Type(TKvCustomDropDown* e, const QString& s)
{
    for (QChar c : s) e->Perform(WM_CHAR, c.unicode(), 0);
}

// The value put in as typed text would leave it (no formatting), caret at Caret (-1: end).
void Start(TKvCustomDropDown* e, const QString& Value, int Caret = -1)
{
    e->SetTextDirect(e->Prefix() + Value + e->Suffix());
    e->SetSelStart(Caret < 0 ? int(e->Prefix().size() + Value.size()) : Caret);
}
} // namespace

TEST(TypedEntry, CharacterFilterByEditType)
{
    struct Row {
        const char* Name;
        char DS, TS;
        TKvEditType Type;
        int Precision;
        bool Signed;
        int LengthLimit;
        const char* Prefix;
        const char* Suffix;
        const char* Start;
        int Caret;
        const char* Typed;
        const char* Window;
        int CaretAfter; // -1: not checked
    };
    const Row rows[] = {
        {"third decimal at the end is dropped", '.', ',', etFloat, 2, false, 0, "", "", "12.34", -1, "5", "12.34", -1},
        {"digit overwrites the next decimal", '.', ',', etFloat, 2, false, 0, "", "", "12.34", 4, "9", "12.39", 5},
        {"no separator with precision 0", '.', ',', etFloat, 0, false, 0, "", "", "12", -1, ".", "12", -1},
        {"second separator moves behind the first", '.', ',', etFloat, 2, false, 0, "", "", "1.5", 1, ".", "1.5", 2},
        {"money gets thousand separators", '.', ',', etMoney, 0, false, 0, "", "", "", 0, "1234567", "1,234,567", 9},
        {"money, comma locale", ',', '.', etMoney, 0, false, 0, "", "", "", 0, "1234567", "1.234.567", 9},
        {"separator into an empty value", '.', ',', etFloat, 2, false, 0, "", "", "", 0, ".", "0.", 2},
        {"separator into an empty value, comma locale", ',', '.', etFloat, 2, false, 0, "", "", "", 0, ",", "0,", 2},
        {"unsigned number ignores minus", '.', ',', etNumeric, 0, false, 0, "", "", "12", 1, "-", "12", -1},
        {"signed minus goes to the front", '.', ',', etNumeric, 0, true, 0, "$", " kg", "12", 2, "-", "$-12 kg", 3},
        {"signed minus twice toggles back", '.', ',', etNumeric, 0, true, 0, "$", " kg", "12", 2, "--", "$12 kg", 2},
        {"float minus toggles the sign", '.', ',', etFloat, 2, true, 0, "", "", "1.50", 2, "-", "-1.50", 3},
        {"letters are refused by numbers", '.', ',', etNumeric, 0, false, 0, "", "", "12", -1, "a", "12", -1},
        {"fourth integer digit refused", '.', ',', etFloat, 2, false, 3, "", "", "123", -1, "4", "123", -1},
        {"decimals still typed at the limit", '.', ',', etFloat, 2, false, 3, "", "", "123", -1, "4.56", "123.56", -1},
        {"range separator after a digit", '.', ',', etRange, 0, false, 0, "", "", "1", -1, "-5", "1-5", -1},
        {"range separators in a row refused", '.', ',', etRange, 0, false, 0, "", "", "1-", -1, ";", "1-", -1},
        {"range separator at the start refused", '.', ',', etRange, 0, false, 0, "", "", "5", 0, ",", "5", -1},
        {"hex keeps hex digits", '.', ',', etHex, 0, false, 0, "", "", "", 0, "1fz", "1f", -1},
        {"mixed case words", '.', ',', etMixedCase, 0, false, 0, "", "", "", 0, "hello wORLD", "Hello World", -1},
        {"upper case", '.', ',', etUppercase, 0, false, 0, "", "", "", 0, "ab1", "AB1", -1},
        {"alphanumeric refuses blanks", '.', ',', etAlphaNumeric, 0, false, 0, "", "", "", 0, "a b", "ab", -1},
        {"thousand separator too near", '.', ',', etMoney, 2, false, 0, "", "", "1,234", 4, ".", "1,234", -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TFormatSettingsScope scope(NumberSeparators(r.DS, r.TS));
        TDropDownHost h;
        TKvCustomDropDown* e = h.Edit;
        e->SetEditType(r.Type);
        e->SetPrecision(r.Precision);
        e->SetSigned(r.Signed);
        e->SetLengthLimit(r.LengthLimit);
        e->SetPrefix(QString::fromLatin1(r.Prefix));
        e->SetSuffix(QString::fromLatin1(r.Suffix));
        Start(e, QString::fromLatin1(r.Start), r.Caret);
        Type(e, QString::fromLatin1(r.Typed));
        EXPECT_EQ(e->LineEdit()->text(), QString::fromLatin1(r.Window));
        if (r.CaretAfter >= 0) {
            EXPECT_EQ(e->SelStart(), r.CaretAfter);
        }
    }
}

TEST(TypedEntry, SetTextFormatsByEditType)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    TDropDownHost h;
    TKvCustomDropDown* e = h.Edit;
    e->SetEditType(etHex);
    e->SetText(QStringLiteral("ab"));
    EXPECT_EQ(e->Text(), QStringLiteral("AB"));
    e->SetEditType(etMoney);
    EXPECT_EQ(e->Text(), QStringLiteral("0")); // hex letters are no number
    e->SetPrecision(2);
    e->SetText(QStringLiteral("1234.5"));
    EXPECT_EQ(e->Text(), QStringLiteral("1,234.50"));
    EXPECT_DOUBLE_EQ(e->GetFloatValue(), 1234.5);
    e->SetText(QStringLiteral("Error"));
    EXPECT_EQ(e->Text(), QStringLiteral("Error"));
    e->SetEditType(etFloat);
    e->SetText(QString());
    EXPECT_EQ(e->Text(), QStringLiteral("0.00"));
    e->SetFloatValue(2.5);
    EXPECT_EQ(e->Text(), QStringLiteral("2.50"));
    EXPECT_TRUE(e->GetModified());
    EXPECT_DOUBLE_EQ(TKvCustomDropDown::EStrToFloat(QStringLiteral("x1")), 0.0);
}

TEST(TypedEntry, ChangingTheEditTypeReclassifiesTheValue)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    struct Row {
        const char* Value;
        TKvEditType Type;
        const char* After;
    };
    const Row rows[] = {
        {"abc", etNumeric, "0"}, {"12", etNumeric, "12"}, {"12.5", etFloat, "12.5"}, {"abc", etFloat, "0"},
        {"xyz", etHex, "0"},     {"1F", etHex, "1F"},     {"12.5", etNumeric, "0"}, {"abc", etUppercase, "abc"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Value);
        TDropDownHost h;
        h.Edit->SetText(QString::fromLatin1(r.Value));
        h.Edit->SetEditType(r.Type);
        EXPECT_EQ(h.Edit->Text(), QString::fromLatin1(r.After));
    }
    TDropDownHost h;
    h.Edit->SetEditType(etPassword);
    EXPECT_EQ(h.Edit->PasswordChar(), QChar(42));
    EXPECT_FALSE(h.Edit->CanUndo());
    h.Edit->SetEditType(etString);
    EXPECT_TRUE(h.Edit->PasswordChar().isNull());
    // The string type reads only locale-free numbers.
    h.Edit->SetText(QStringLiteral("1.5"));
    EXPECT_DOUBLE_EQ(h.Edit->GetFloatValue(), 1.5);
    h.Edit->SetText(QStringLiteral("1.5x"));
    EXPECT_DOUBLE_EQ(h.Edit->GetFloatValue(), 0.0);
}

TEST(TypedEntry, KeypadDecimalTypesTheLocaleSeparator)
{
    TFormatSettingsScope scope(NumberSeparators(',', '.'));
    TDropDownHost h;
    TKvCustomDropDown* e = h.Edit;
    e->SetEditType(etFloat);
    e->SetPrecision(2);
    e->SetExcelStyleDecimalSeparator(true);
    Start(e, QStringLiteral("12"));
    e->Perform(WM_CHAR, '.', LPARAM(KeyData(VK_DECIMAL, true, false, false, false)));
    EXPECT_EQ(e->Text(), QStringLiteral("12,"));
    // The main keyboard's full stop stays what it is: here the thousand separator.
    Start(e, QStringLiteral("1"));
    e->Perform(WM_CHAR, '.', LPARAM(KeyData(VK_OEM_PERIOD, false, false, false, false)));
    EXPECT_EQ(e->Text(), QStringLiteral("1."));
}

TEST(TypedEntry, PrefixAndSuffixKeepTheCaretInTheValue)
{
    struct Row {
        const char* Name;
        int Caret;
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        const char* Window;
        int SelStart, SelLength;
    };
    // "$ " + "123" + " kg": the value spans 2..5.
    const Row rows[] = {
        {"End goes to the value end", 2, Qt::Key_End, Qt::NoModifier, "$ 123 kg", 5, 0},
        {"Shift+End selects to the value end", 3, Qt::Key_End, Qt::ShiftModifier, "$ 123 kg", 3, 2},
        {"Right stops at the value end", 5, Qt::Key_Right, Qt::NoModifier, "$ 123 kg", 5, 0},
        {"Left stops at the value start", 2, Qt::Key_Left, Qt::NoModifier, "$ 123 kg", 2, 0},
        {"Home goes to the value start", 4, Qt::Key_Home, Qt::NoModifier, "$ 123 kg", 2, 0},
        {"Shift+Home selects the value", 4, Qt::Key_Home, Qt::ShiftModifier, "$ 123 kg", 2, 3},
        {"Backspace after the first digit is refused", 3, Qt::Key_Backspace, Qt::NoModifier, "$ 123 kg", 3, 0},
        {"Backspace further right deletes", 4, Qt::Key_Backspace, Qt::NoModifier, "$ 13 kg", 3, 0},
        {"Delete at the value end is refused", 5, Qt::Key_Delete, Qt::NoModifier, "$ 123 kg", 5, 0},
        {"Delete inside the value deletes", 2, Qt::Key_Delete, Qt::NoModifier, "$ 23 kg", 2, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TDropDownHost h;
        TKvCustomDropDown* e = h.Edit;
        e->SetPrefix(QStringLiteral("$ "));
        e->SetSuffix(QStringLiteral(" kg"));
        e->SetText(QStringLiteral("123"));
        e->SetFocus();
        QApplication::processEvents();
        e->SetSelStart(r.Caret);
        QTest::keyClick(e->LineEdit(), r.Key, r.Mods);
        EXPECT_EQ(e->LineEdit()->text(), QString::fromLatin1(r.Window));
        EXPECT_EQ(e->SelStart(), r.SelStart);
        EXPECT_EQ(e->SelLength(), r.SelLength);
    }
}

TEST(TypedEntry, PasteRulesByEditType)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    struct Row {
        const char* Name;
        TKvEditType Type;
        int Precision;
        bool Signed;
        int MaxLength;
        const char* Value;
        bool SelectAll;
        const char* Clip;
        const char* After;
    };
    const Row rows[] = {
        {"text into a number", etNumeric, 0, false, 0, "12", false, "ab", "12"},
        {"digits into a number", etNumeric, 0, false, 0, "12", false, "3", "123"},
        {"minus into an unsigned number", etNumeric, 0, false, 0, "12", true, "-3", "12"},
        {"hex takes no paste", etHex, 0, false, 0, "1A", false, "2", "1A"},
        {"range takes no paste", etRange, 0, false, 0, "1", false, "-2", "1"},
        {"over the maximum length", etString, 0, false, 4, "abc", false, "de", "abc"},
        {"within the maximum length", etString, 0, false, 4, "abc", false, "d", "abcd"},
        {"separator with precision 0", etFloat, 0, false, 0, "12", false, ".5", "12"},
        {"minus into an unsigned float", etFloat, 2, false, 0, "1.00", true, "-3", "1.00"},
        {"float reformatted", etFloat, 2, false, 0, "1.00", true, "2.5", "2.50"},
        {"upper case converts", etUppercase, 0, false, 0, "", false, "ab", "AB"},
        {"alphanumeric refuses a blank", etAlphaNumeric, 0, false, 0, "a", false, " b", "a"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TDropDownHost h;
        TKvCustomDropDown* e = h.Edit;
        e->SetEditType(r.Type);
        e->SetPrecision(r.Precision);
        e->SetSigned(r.Signed);
        e->SetMaxLength(r.MaxLength);
        e->SetText(QString::fromLatin1(r.Value));
        if (r.SelectAll) e->SelectAll();
        else e->SetSelStart(e->Text().size());
        Clipboard()->SetAsText(QString::fromLatin1(r.Clip));
        e->Perform(WM_PASTE);
        EXPECT_EQ(e->Text(), QString::fromLatin1(r.After));
    }
}

TEST(TypedEntry, ClipboardEventsSeeTheSelectedValue)
{
    TDropDownHost h;
    TKvCustomDropDown* e = h.Edit;
    e->SetPrefix(QStringLiteral("#"));
    e->SetText(QStringLiteral("hello"));
    QStringList seen;
    e->OnClipboardCopy = [&](TObject*, const QString& v, bool&) { seen << QStringLiteral("copy ") + v; };
    e->OnClipboardCut = [&](TObject*, const QString& v, bool& allow) {
        seen << QStringLiteral("cut ") + v;
        allow = false;
    };
    e->OnClipboardPaste = [&](TObject*, const QString& v, bool&) { seen << QStringLiteral("paste ") + v; };
    e->SetSelStart(2);
    e->SetSelLength(3);
    e->Perform(WM_COPY);
    e->Perform(WM_CUT);
    EXPECT_EQ(e->Text(), QStringLiteral("hello")); // the cut was refused
    Clipboard()->SetAsText(QStringLiteral("EL"));
    e->Perform(WM_PASTE);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("copy ell"), QStringLiteral("cut ell"), QStringLiteral("paste hELo")}));
    EXPECT_EQ(e->Text(), QStringLiteral("hELo"));
    EXPECT_EQ(e->SelText(), QStringLiteral("EL")); // a replaced selection stays selected
}

TEST(TypedEntry, LeavingAnEmptyNumber)
{
    TFormatSettingsScope scope(NumberSeparators('.', ','));
    struct Row {
        TKvEditType Type;
        int Precision;
        bool AllowNull;
        const char* Value;
        const char* After;
    };
    const Row rows[] = {
        {etNumeric, 0, false, "", "0"},   {etNumeric, 0, true, "", ""},       {etFloat, 2, false, "", "0.00"},
        {etFloat, 2, true, "", ""},       {etFloat, 2, false, "1.5", "1.50"}, {etMoney, 2, false, "1234", "1,234.00"},
        {etString, 0, false, "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.After);
        TDropDownHost h;
        TKvCustomDropDown* e = h.Edit;
        e->SetEditType(r.Type);
        e->SetPrecision(r.Precision);
        e->SetAllowNumericNullValue(r.AllowNull);
        e->SetTextDirect(QString::fromLatin1(r.Value));
        e->Perform(WM_KILLFOCUS);
        EXPECT_EQ(e->Text(), QString::fromLatin1(r.After));
    }
}

TEST(TypedEntry, ErasingTheWholeValueReportsOneChange)
{
    TDropDownHost h;
    TKvCustomDropDown* e = h.Edit;
    e->SetText(QStringLiteral("abc"));
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SelectAll();
    Type(e, QString(QChar(8)));
    EXPECT_EQ(e->Text(), QString());
    EXPECT_EQ(changes, 1);
    // The next change is reported again.
    Type(e, QStringLiteral("x"));
    EXPECT_EQ(changes, 2);
    // A refused character over the whole value does not eat the next change.
    e->SetEditType(etNumeric);
    e->SetText(QStringLiteral("12"));
    changes = 0;
    e->SelectAll();
    Type(e, QStringLiteral("a"));
    EXPECT_EQ(e->Text(), QStringLiteral("12"));
    e->SetSelStart(2);
    Type(e, QStringLiteral("3"));
    EXPECT_EQ(changes, 1);
}

TEST(TypedEntry, AClickInThePrefixSelectsTheValue)
{
    TDropDownHost h;
    TKvCustomDropDown* e = h.Edit;
    e->SetPrefix(QStringLiteral("$$$$ "));
    e->SetSuffix(QStringLiteral(" kg"));
    e->SetText(QStringLiteral("123"));
    e->SetFocus();
    QApplication::processEvents();
    h.Clock.Advance(1000);
    QTest::mouseClick(e->LineEdit(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 10));
    QApplication::processEvents();
    EXPECT_EQ(e->SelStart(), 5);
    EXPECT_EQ(e->SelLength(), 3);
    // A click far right, in the suffix, puts the caret at the value end.
    QTest::mouseClick(e->LineEdit(), Qt::LeftButton, Qt::NoModifier, QPoint(110, 10));
    QApplication::processEvents();
    EXPECT_EQ(e->SelStart(), 8);
    EXPECT_EQ(e->SelLength(), 0);
}

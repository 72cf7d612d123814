// MaxLength limits what the user types or pastes into edits, memos and combo
// boxes; text the program sets stays whole.
#include "platform/ui/clipboard.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtGui/QClipboard>
#include <QtGui/QTextCursor>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <gtest/gtest.h>

TEST(EditLimit, ProgramTextStaysWholeTypingIsLimited)
{
    struct Case {
        const char* what;
        const char* start;   // set by the program
        int selStart, selLength;
        const char* typed;   // typed keys, or empty
        const char* pasted;  // pasted text, or empty
        const char* expect;
    };
    const Case cases[] = {
        {"program text over the limit", "abcdefgh", 8, 0, "", "", "abcdefgh"},
        {"typing at the limit is refused", "abcd", 4, 0, "x", "", "abcd"},
        {"typing over a long program text is refused", "abcdefgh", 8, 0, "x", "", "abcdefgh"},
        {"typing up to the limit", "ab", 2, 0, "xyz", "", "abxy"},
        {"typing over a selection that frees room", "abcd", 1, 2, "x", "", "axd"},
        {"deleting from a long text", "abcdefgh", 8, 0, "\b", "", "abcdefg"},
        {"paste keeps the part that fits", "ab", 1, 0, "", "123", "a12b"},
        {"paste into a full edit adds nothing", "abcd", 2, 0, "", "123", "abcd"},
    };
    TForm f;
    auto* e = new TEdit(&f);
    e->SetParent(&f);
    e->SetMaxLength(4);
    f.Show();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        e->SetText(QString::fromLatin1(k.start));
        e->SetSelStart(k.selStart);
        e->SetSelLength(k.selLength);
        for (const char* c = k.typed; *c; ++c) {
            if (*c == '\b') QTest::keyClick(e->LineEdit(), Qt::Key_Backspace);
            else QTest::keyClicks(e->LineEdit(), QString(QLatin1Char(*c)));
        }
        if (*k.pasted) {
            QApplication::clipboard()->setText(QString::fromLatin1(k.pasted));
            QTest::keyClick(e->LineEdit(), Qt::Key_V, Qt::ControlModifier);
        }
        EXPECT_EQ(e->Text(), QString::fromLatin1(k.expect));
    }
    // The limit itself reads back, and raising or clearing it cuts nothing.
    EXPECT_EQ(e->MaxLength(), 4);
    e->SetText(QStringLiteral("0123456789"));
    e->SetMaxLength(0);
    e->SetTextNoChange(QString(40000, QLatin1Char('z')));
    EXPECT_EQ(e->Text().size(), 40000);

    // A memo counts the same way: typing over a selection fits, a paste is cut to the room left.
    auto* m = new TMemo(&f);
    m->SetParent(&f);
    m->SetMaxLength(5);
    m->SetText(QStringLiteral("abcde"));
    QTextCursor cur = m->Editor()->textCursor();
    cur.setPosition(1);
    cur.setPosition(3, QTextCursor::KeepAnchor);
    m->Editor()->setTextCursor(cur);
    QTest::keyClicks(m->Editor(), QStringLiteral("x"));
    EXPECT_EQ(m->Text(), QStringLiteral("axde"));
    QApplication::clipboard()->setText(QStringLiteral("123"));
    m->Perform(WM_PASTE);
    EXPECT_EQ(m->Text(), QStringLiteral("ax1de"));
    QTest::keyClicks(m->Editor(), QStringLiteral("z"));
    EXPECT_EQ(m->Text(), QStringLiteral("ax1de"));

    // An editable combo: its own text and its items show whole, typing stops at the limit.
    auto* cb = new TComboBox(&f);
    cb->SetParent(&f);
    cb->Items()->Add(QStringLiteral("a long item"));
    cb->SetMaxLength(3);
    cb->SetText(QStringLiteral("program"));
    EXPECT_EQ(cb->Text(), QStringLiteral("program"));
    cb->SetItemIndex(0);
    EXPECT_EQ(cb->Text(), QStringLiteral("a long item"));
    cb->SetText(QString());
    QTest::keyClicks(cb->Combo()->lineEdit(), QStringLiteral("abcdef"));
    EXPECT_EQ(cb->Text(), QStringLiteral("abc"));
    f.Hide();
}

// An edit whose window style asks for lines: ES_MULTILINE shows them, without
// ES_AUTOHSCROLL they wrap, ES_WANTRETURN lets Return type a line break; the
// text and every position count CR LF; re-creating the window switches modes
// and keeps text, selection and focus.
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtTest/QTest>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <gtest/gtest.h>

namespace {
class TStyledEdit : public TEdit {
public:
    using TEdit::TEdit;
    unsigned Add = 0, Remove = 0;
    void Recreate() { RecreateWnd(); }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TEdit::CreateParams(Params);
        Params.Style |= Add;
        Params.Style &= ~Remove;
    }
};

struct TEditForm {
    TForm form;
    TStyledEdit* edit;
    TEditForm(unsigned Add, unsigned Remove = 0)
    {
        form.SetBounds(0, 0, 300, 200);
        edit = new TStyledEdit(&form);
        edit->Add = Add;
        edit->Remove = Remove;
        edit->SetParent(&form);
        edit->SetBounds(10, 10, 120, 80);
        form.Show();
        QApplication::setActiveWindow(&form);
        edit->HandleNeeded();
        edit->SetFocus();
    }
    QWidget* Input() const { return edit->InputWidget(); }
};
} // namespace

TEST(EditMultiLine, TheStyleChoosesTheModeAndLinesCountCrLf)
{
    for (unsigned add : {0u, unsigned(ES_MULTILINE)}) {
        TEditForm one(add);
        EXPECT_FALSE(one.edit->MultiLine()) << add;
        EXPECT_EQ(one.Input(), one.edit->LineEdit()) << add;
    }

    TEditForm f(ES_MULTILINE | ES_WANTRETURN, ES_AUTOHSCROLL);
    ASSERT_TRUE(f.edit->MultiLine());
    EXPECT_TRUE(f.edit->LineWrap());
    EXPECT_TRUE(f.edit->WantReturn());
    EXPECT_EQ(f.Input(), f.edit->MultiLineEdit());
    f.edit->SetText(QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(f.edit->MultiLineEdit()->toPlainText(), QStringLiteral("ab\ncd"));
    EXPECT_EQ(f.edit->Text(), QStringLiteral("ab\r\ncd"));
    f.edit->SetSelStart(4);
    f.edit->SetSelLength(2);
    EXPECT_EQ(f.edit->SelText(), QStringLiteral("cd"));
    EXPECT_EQ(f.edit->Perform(EM_LINEFROMCHAR, 1, 0), 0);
    EXPECT_EQ(f.edit->Perform(EM_LINEFROMCHAR, 5, 0), 1);
    EXPECT_EQ(f.edit->Perform(EM_LINEFROMCHAR, WPARAM(-1), 0), 1);
    EXPECT_EQ(f.edit->Perform(EM_GETLINECOUNT, 0, 0), 2);
    f.edit->Perform(EM_SETSEL, 0, 2);
    EXPECT_EQ(f.edit->SelText(), QStringLiteral("ab"));
}

TEST(EditMultiLine, LinesEndAsTheContentEndsThem)
{
    // (text set or pasted into an empty window, text read back, start of "cd")
    struct Case { QString Given; bool Paste; QString Read; int CdStart; };
    const Case cases[] = {
        {QStringLiteral("ab\r\ncd"), false, QStringLiteral("ab\r\ncd"), 4},
        {QStringLiteral("ab\ncd"), false, QStringLiteral("ab\ncd"), 3},
        {QStringLiteral("ab\ncd"), true, QStringLiteral("ab\ncd"), 3},
        {QStringLiteral("ab\r\ncd"), true, QStringLiteral("ab\r\ncd"), 4},
    };
    for (const Case& c : cases) {
        TEditForm f(ES_MULTILINE | ES_WANTRETURN, ES_AUTOHSCROLL);
        if (c.Paste) {
            QApplication::clipboard()->setText(c.Given);
            f.edit->Perform(WM_PASTE);
        } else {
            f.edit->SetText(c.Given);
        }
        EXPECT_EQ(f.edit->Text(), c.Read) << c.Given.size() << c.Paste;
        f.edit->Perform(EM_SETSEL, c.CdStart, c.CdStart + 2);
        EXPECT_EQ(f.edit->SelText(), QStringLiteral("cd")) << c.Given.size() << c.Paste;
    }
    // A window that never held a break types CR LF.
    TEditForm f(ES_MULTILINE | ES_WANTRETURN, ES_AUTOHSCROLL);
    f.edit->SetText(QStringLiteral("ab"));
    f.edit->SetSelStart(2);
    QTest::keyClick(f.Input(), Qt::Key_Return);
    EXPECT_EQ(f.edit->Text(), QStringLiteral("ab\r\n"));
}

TEST(EditMultiLine, ReturnTypesALineBreakOnlyWhereWanted)
{
    struct Row {
        unsigned add, remove;
        Qt::KeyboardModifiers mods;
        const char* text;
    };
    const Row rows[] = {
        {ES_MULTILINE | ES_WANTRETURN, 0, Qt::NoModifier, "a\r\nb"},
        {ES_MULTILINE, ES_AUTOHSCROLL, Qt::NoModifier, "ab"},
        {ES_MULTILINE, ES_AUTOHSCROLL, Qt::ControlModifier, "a\r\nb"},
        // Scrolling sideways without Return: one line.
        {ES_MULTILINE, 0, Qt::ControlModifier, "ab"},
        {0, 0, Qt::NoModifier, "ab"},
    };
    for (const Row& r : rows) {
        TEditForm f(r.add, r.remove);
        QTest::keyClicks(f.Input(), QStringLiteral("a"));
        QTest::keyClick(f.Input(), Qt::Key_Return, r.mods);
        QTest::keyClicks(f.Input(), QStringLiteral("b"));
        EXPECT_EQ(f.edit->Text(), QString::fromLatin1(r.text)) << r.add << " " << int(r.mods);
    }
}

TEST(EditMultiLine, ReCreatingSwitchesModesAndKeepsTextSelectionAndFocus)
{
    TEditForm f(0);
    int changes = 0;
    f.edit->OnChange = [&](TObject*) { ++changes; };
    f.edit->SetText(QStringLiteral("hello"));
    f.edit->SetSelStart(1);
    f.edit->SetSelLength(3);
    changes = 0;
    f.edit->Add = ES_MULTILINE | ES_WANTRETURN;
    f.edit->Recreate();
    ASSERT_TRUE(f.edit->MultiLine());
    EXPECT_FALSE(f.edit->LineWrap());
    EXPECT_EQ(f.edit->Text(), QStringLiteral("hello"));
    EXPECT_EQ(f.edit->SelStart(), 1);
    EXPECT_EQ(f.edit->SelLength(), 3);
    EXPECT_TRUE(f.edit->MultiLineEdit()->hasFocus());
    EXPECT_FALSE(f.edit->LineEdit()->isVisible());
    EXPECT_EQ(changes, 0);
    QTest::keyClicks(f.Input(), QStringLiteral("X"));
    EXPECT_EQ(f.edit->Text(), QStringLiteral("hXo"));
    EXPECT_EQ(changes, 1);
    f.edit->Add = 0;
    f.edit->Recreate();
    EXPECT_FALSE(f.edit->MultiLine());
    EXPECT_EQ(f.edit->Text(), QStringLiteral("hXo"));
    EXPECT_TRUE(f.edit->LineEdit()->hasFocus());
}

TEST(EditMultiLine, TheLimitHoldsTypingInLines)
{
    TEditForm f(ES_MULTILINE, ES_AUTOHSCROLL);
    f.edit->SetMaxLength(3);
    QTest::keyClicks(f.Input(), QStringLiteral("abcd"));
    EXPECT_EQ(f.edit->Text(), QStringLiteral("abc"));
}

// Form controls in a cell's HTML: their editors, what goes back into the
// cell when an editor closes, the combo's list and the click on a check
// control with and without editing.
#include <gtest/gtest.h>

#include "grid/grid_editor_controls.h"
#include "grid/html_markup.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QTest>

namespace {
struct TFormControls {
    TForm form;
    TKvStringGrid* g;
    std::vector<QString> done;
    explicit TFormControls(const QString& Html, bool Editing = true)
    {
        form.SetBounds(0, 0, 600, 300);
        g = new TKvStringGrid(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 560, 250);
        g->SetColCount(3);
        g->SetRowCount(3);
        g->SetColWidths(1, 300);
        g->SetRowHeights(1, 40);
        if (Editing) g->SetOptions(g->Options() | goEditing);
        g->SetCells(1, 1, Html);
        g->OnControlEditDone = [this](TObject*, int r, int c, const QString& id, const QString& type,
                                      const QString& v) {
            done.push_back(QStringLiteral("%1 %2 %3 %4 %5").arg(c).arg(r).arg(id, type, v));
        };
        form.Show();
        QApplication::setActiveWindow(&form);
        g->SetFocus();
        g->FocusCell(1, 1);
    }
    ~TFormControls() { form.Hide(); }
    QString Value(const QString& ID)
    {
        QString v;
        GetHTMLControlValue(g->Cells(1, 1), ID, v);
        return v;
    }
};
QString Control(const QString& Type, const QString& ID, const QString& Value, const QString& Extra = QString())
{
    return QStringLiteral("<CONTROL TYPE=\"%1\" ID=\"%2\" VALUE=\"%3\" WIDTH=\"80\"%4>").arg(Type, ID, Value, Extra);
}
} // namespace

TEST(CellFormControls, APasswordIsEditedHiddenAndStoredEscaped)
{
    TFormControls f(QStringLiteral("Key: ") + Control(QStringLiteral("PASSWORD"), QStringLiteral("pw"), QString()));
    f.g->EditNextHTMLControl(1, 1, QString());
    TControlEdit* e = f.g->ControlEdit();
    ASSERT_TRUE(e->Visible());
    EXPECT_TRUE(f.g->ControlEditing());
    EXPECT_EQ(e->PasswordChar(), QLatin1Char('*'));
    e->SetText(QStringLiteral("a<b&\""));
    f.g->EndHTMLControlEdit();
    EXPECT_FALSE(e->Visible());
    EXPECT_TRUE(f.g->Cells(1, 1).contains(QStringLiteral("VALUE=\"a&lt;b&amp;&quot;\""))) << f.g->Cells(1, 1).toStdString();
    EXPECT_EQ(f.Value(QStringLiteral("pw")), QStringLiteral("a<b&\""));
    ASSERT_EQ(f.done.size(), 1u);
    EXPECT_EQ(f.done[0], QStringLiteral("1 1 pw PASSWORD a<b&\""));
    f.g->EndHTMLControlEdit();
    EXPECT_EQ(f.done.size(), 1u) << "a closed editor ends nothing";
}

TEST(CellFormControls, AMaskTakesItsPropAndNoPropMeansNoMask)
{
    struct Case { QString extra, mask; int maxLen; };
    for (const Case& k : {Case{QString(), QString(), 0}, Case{QStringLiteral(" PROP=\"000\" MAXLEN=\"3\""),
                                                              QStringLiteral("000"), 3}}) {
        TFormControls f(Control(QStringLiteral("MASK"), QStringLiteral("m"), QStringLiteral("12"), k.extra));
        f.g->EditNextHTMLControl(1, 1, QString());
        TControlEdit* e = f.g->ControlEdit();
        ASSERT_TRUE(e->Visible());
        EXPECT_EQ(e->EditMask(), k.mask);
        EXPECT_EQ(e->MaxLength(), k.maxLen);
        EXPECT_TRUE(e->PasswordChar().isNull());
    }
}

TEST(CellFormControls, AComboValueThatIsNoItemIsShownAsText)
{
    TFormControls f(Control(QStringLiteral("COMBO"), QStringLiteral("cb"), QStringLiteral("zeta")));
    int listed = 0;
    f.g->OnControlComboList = [&](TObject*, int r, int c, const QString& id, const QString&, const QString& v,
                                  TStrings* items, bool& edit, int& count) {
        ++listed;
        EXPECT_EQ(r, 1);
        EXPECT_EQ(c, 1);
        EXPECT_EQ(id, QStringLiteral("cb"));
        EXPECT_EQ(v, QStringLiteral("zeta"));
        items->Add(QStringLiteral("alpha"));
        items->Add(QStringLiteral("beta"));
        edit = true;
        count = 4;
    };
    int selected = -2;
    f.g->OnControlComboSelect = [&](TObject*, int, int, const QString&, int i, const QString&) { selected = i; };
    f.g->EditNextHTMLControl(1, 1, QString());
    TControlCombo* c = f.g->ControlCombo();
    ASSERT_TRUE(c->Visible());
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Text(), QStringLiteral("zeta"));
    EXPECT_EQ(c->DropDownCount(), 4);
    c->SetItemIndex(1);
    f.g->ControlComboSelect(c);
    EXPECT_EQ(selected, 1);
    f.g->EndHTMLControlEdit();
    EXPECT_EQ(f.Value(QStringLiteral("cb")), QStringLiteral("beta"));
}

TEST(CellFormControls, TabStoresTheFirstControlBeforeTheSecondOpensAndEnterEndsIt)
{
    TFormControls f(Control(QStringLiteral("EDIT"), QStringLiteral("e1"), QStringLiteral("one")) +
                    QStringLiteral(" ") +
                    Control(QStringLiteral("BUTTON"), QStringLiteral("b"), QStringLiteral("Go")) +
                    Control(QStringLiteral("EDIT"), QStringLiteral("e2"), QStringLiteral("two")));
    f.g->EditNextHTMLControl(1, 1, QString());
    TControlEdit* e = f.g->ControlEdit();
    ASSERT_EQ(f.g->ControlEditID(), QStringLiteral("e1"));
    e->SetText(QStringLiteral("first"));
    QTest::keyClick(e, Qt::Key_Tab);
    EXPECT_EQ(f.Value(QStringLiteral("e1")), QStringLiteral("first"));
    EXPECT_EQ(f.g->ControlEditID(), QStringLiteral("e2")) << "the button is passed over";
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(e->Text(), QStringLiteral("two"));
    e->SetText(QStringLiteral("second"));
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_FALSE(e->Visible());
    EXPECT_EQ(f.Value(QStringLiteral("e2")), QStringLiteral("second"));
    EXPECT_TRUE(f.g->Focused());
    EXPECT_EQ(f.done.size(), 2u);
}

TEST(CellFormControls, ACheckControlTogglesOnlyWithEditing)
{
    const QString html = Control(QStringLiteral("CHECK"), QStringLiteral("c1"), QStringLiteral("FALSE"));
    // Find the control's place with editing on, then press there without it.
    TFormControls on(html);
    int clicks = 0;
    on.g->OnControlClick = [&](TObject*, int, int, const QString& id, const QString& type, const QString& v) {
        ++clicks;
        EXPECT_EQ(id, QStringLiteral("c1"));
        EXPECT_EQ(type, QStringLiteral("CHECK"));
        EXPECT_EQ(v, QStringLiteral("TRUE"));
    };
    const TRect R = on.g->CellRect(1, 1);
    int hitX = -1, hitY = -1;
    for (int y = R.Top + 2; y < R.Bottom && hitX < 0; y += 2)
        for (int x = R.Left + 2; x < R.Left + 60 && hitX < 0; x += 2) {
            on.g->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(unsigned(x), unsigned(y)));
            on.g->Perform(WM_LBUTTONUP, 0, MAKELPARAM(unsigned(x), unsigned(y)));
            if (on.Value(QStringLiteral("c1")) == QStringLiteral("TRUE")) {
                hitX = x;
                hitY = y;
            }
        }
    ASSERT_GE(hitX, 0) << "the check control was not found";
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(on.g->ControlEditing()) << "a check control opens no editor";

    TFormControls off(html, false);
    off.g->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(unsigned(hitX), unsigned(hitY)));
    off.g->Perform(WM_LBUTTONUP, 0, MAKELPARAM(unsigned(hitX), unsigned(hitY)));
    EXPECT_EQ(off.Value(QStringLiteral("c1")), QStringLiteral("FALSE"));
    EXPECT_FALSE(off.g->ControlEditing());
}

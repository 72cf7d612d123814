// The header-cell editors: opened by a double click on a header cell, Enter
// does nothing in them, a rejected value keeps them open on their cell, and an
// accepted one is written after the editing-done notice.
#include <gtest/gtest.h>

#include "grid/grid_editor_controls.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QTest>

namespace {
class THeaderGrid : public TKvStringGrid {
public:
    using TKvStringGrid::TKvStringGrid;
    void FixedCellValidate(int ACol, int ARow, QString& Value, bool& Valid) override
    {
        Log.push_back(QStringLiteral("validate %1 %2 %3").arg(ACol).arg(ARow).arg(Value));
        Valid = !Value.contains(QLatin1Char('!'));
        Value = Value.toUpper();
    }
    void FixedCellEditingDone() override
    {
        Log.push_back(QStringLiteral("done, cell %1").arg(AllCells(EditTrans()->FCol, EditTrans()->FRow)));
    }
    std::vector<QString> Log;
};

struct THeaderForm {
    TForm form;
    THeaderGrid* g;
    explicit THeaderForm(bool HideOne = false)
    {
        form.SetBounds(0, 0, 600, 300);
        g = new THeaderGrid(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 500, 200);
        g->SetColCount(5);
        g->SetRowCount(4);
        g->SetOptions(g->Options() | goEditing);
        for (int c = 0; c < 5; ++c) g->SetCells(c, 0, QStringLiteral("head%1").arg(c));
        if (HideOne) g->HideColumn(1);
        g->MouseActions()->SetFixedRowsEdit(fceDblClick);
        form.Show();
        QApplication::setActiveWindow(&form);
        g->SetFocus();
    }
    ~THeaderForm() { form.Hide(); }
    void DoubleClick(int c, int r)
    {
        const TRect R = g->CellRect(c, r);
        const TPoint o = g->ClientOrigin();
        QTest::mouseDClick(g, Qt::LeftButton, {}, QPoint(o.X + (R.Left + R.Right) / 2, o.Y + R.Top + 6));
    }
};
} // namespace

TEST(HeaderEditors, ADoubleClickOpensTheEditOverTheHeaderCell)
{
    THeaderForm f;
    f.DoubleClick(3, 0);
    TGridTransEdit* e = f.g->EditTrans();
    ASSERT_TRUE(e->Visible());
    EXPECT_EQ(e->Text(), QStringLiteral("head3"));
    EXPECT_EQ(e->FCol, 3);
    EXPECT_EQ(e->FRow, 0);
    const TRect R = f.g->CellRect(3, 0);
    EXPECT_EQ(e->Left(), R.Left + 1);
    EXPECT_TRUE(e->Focused());
}

TEST(HeaderEditors, EnterDoesNothingAndLeavingTheEditWritesTheValue)
{
    THeaderForm f;
    f.DoubleClick(2, 0);
    TGridTransEdit* e = f.g->EditTrans();
    e->SetText(QStringLiteral("new"));
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_TRUE(e->Visible()) << "Enter does not end the edit";
    EXPECT_EQ(f.g->Cells(2, 0), QStringLiteral("head2"));
    f.g->SetFocus();
    EXPECT_FALSE(e->Visible());
    EXPECT_EQ(f.g->Cells(2, 0), QStringLiteral("NEW")) << "the value as the validation left it";
    const std::vector<QString> want{QStringLiteral("validate 2 0 new"), QStringLiteral("done, cell head2")};
    EXPECT_EQ(f.g->Log, want) << "the editing-done notice comes before the write";
}

TEST(HeaderEditors, ARejectedValueKeepsTheEditorOnItsCell)
{
    THeaderForm f(true);
    // Display column 2 is real column 3: the hidden column 1 stands before it.
    f.DoubleClick(2, 0);
    TGridTransEdit* e = f.g->EditTrans();
    ASSERT_EQ(e->FCol, 3);
    e->SetText(QStringLiteral("bad!"));
    EXPECT_FALSE(e->StopEdit());
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(f.g->AllCells(3, 0), QStringLiteral("head3"));
    EXPECT_EQ(f.g->Col(), 2) << "the display column of the edited cell";
    e->SetText(QStringLiteral("good"));
    EXPECT_TRUE(e->StopEdit());
    EXPECT_EQ(f.g->AllCells(3, 0), QStringLiteral("GOOD"));
}

TEST(HeaderEditors, TheComboTakesTheFixedValuesAndARefusedEditOpensNothing)
{
    THeaderForm f;
    f.g->MouseActions()->SetFixedRowsEditor(fceComboList);
    f.g->MouseActions()->FixedComboValues()->Add(QStringLiteral("one"));
    f.g->MouseActions()->FixedComboValues()->Add(QStringLiteral("two"));
    int filled = 0;
    f.g->OnFixedEdit = [&](TObject*, int, int, TGridFixedCellEditor& k, TStrings* items) {
        ++filled;
        EXPECT_EQ(k, fceComboList);
        items->Add(QStringLiteral("three"));
    };
    f.DoubleClick(1, 0);
    TGridTransCombo* c = f.g->ComboTrans();
    ASSERT_TRUE(c->Visible());
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(c->Items()->Count(), 3);
    EXPECT_EQ(c->Style(), csDropDownList);
    c->StopEdit();
    f.g->OnCanEditCell = [](TObject*, int, int, bool& can) { can = false; };
    f.DoubleClick(2, 0);
    EXPECT_FALSE(c->Visible());
    EXPECT_FALSE(f.g->EditTrans()->Visible());
}

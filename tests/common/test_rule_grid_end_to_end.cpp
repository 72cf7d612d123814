// An editor-like column grid on a shown form: Enter walks the cells through the
// jump routine wired to the key press, the row commands copy, paste, delete and
// insert rules, and the grid renders to a picture.
#include "common/grid_row_commands.h"

#include "grid/column_grid.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include "common/qstring_print.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kBlue = 0xFEFAE0;
constexpr TColor kPink = 0xF4D6FC;
constexpr TColor kXPTick = 0x21A121;   // the tick of the XP-style check box

TColor At(const QImage& img, int x, int y) { return FromQColor(img.pixelColor(x, y)); }

int TickPixels(const QImage& img, const TRect& R)
{
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (At(img, x, y) == kXPTick) ++n;
    return n;
}

TKvColumnGrid* BuildRuleGrid(TForm& form)
{
    auto* g = new TKvColumnGrid(&form);
    g->SetParent(&form);
    g->SetBorderStyle(bsNone);
    g->SetBounds(0, 0, 1000, 400);
    g->SetLook(glXP);
    g->ControlLook()->SetControlStyle(csWinXP);
    g->SetColCount(16);
    g->SetRowCount(513);
    g->SetOptions(g->Options() | goEditing);
    const char* headers[16] = {"N.", "Enable", "Name", "Type", "Address", "Length", "Swap", "Scale",
                               "Offset", "Unit", "Min", "Max", "Default", "Comment", "Read only", "ID"};
    for (int c = 0; c < 16; ++c) {
        TGridColumnItem* item = g->Columns()->Items(c);
        item->SetHeader(QString::fromLatin1(headers[c]));
        item->SetWidth(60);
        if (c > 0) item->SetColor(c % 2 ? kBlue : kPink);
    }
    TGridColumnItem* type = g->Columns()->Items(3);
    type->SetEditor(edComboList);
    for (const char* s : {"INT", "UINT", "REAL"}) type->ComboItems()->Add(QString::fromLatin1(s));
    for (int c : {1, 6}) {
        g->Columns()->Items(c)->SetEditor(edDataCheckBox);
        g->Columns()->Items(c)->SetAlignment(taCenter);
    }
    g->Columns()->Items(14)->SetReadOnly(true);
    g->Columns()->Items(15)->SetName(QStringLiteral("ID"));
    for (int r = 1; r < 513; ++r) {
        g->SetCells(0, r, QString::number(r));
        g->SetCells(1, r, QStringLiteral("N"));
        g->SetCells(6, r, QStringLiteral("N"));
        g->SetCells(15, r, QStringLiteral("id%1").arg(r));
    }
    g->HideColumn(15);   // the rule's ID travels with its row but is not shown
    return g;
}

} // namespace

TEST(RuleGridEndToEnd, EnterWalksRowCommandsEditAndTheGridRenders)
{
    QTemporaryDir tmp;
    auto old = Install_Working_State(std::make_unique<TWorkingState>(tmp.path()));
    Init_Lang_Table();
    WS().Enable_Jump_Field_Tables = true;

    TForm form;
    form.SetBounds(0, 0, 1040, 440);
    TKvColumnGrid* g = BuildRuleGrid(form);
    ASSERT_EQ(g->ColCount(), 15);
    ASSERT_EQ(g->Columns()->Count(), 16);   // hiding a column keeps its item
    EXPECT_EQ(g->Columns()->Items(15)->Name(), QStringLiteral("ID"));
    g->OnKeyPress = Grid_Jump_Next_Cell;
    form.Show();
    QApplication::processEvents();
    QApplication::setActiveWindow(&form);
    (void)QTest::qWaitForWindowActive(&form);
    g->SetFocus();
    QApplication::processEvents();

    auto enter = [&] {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(g);
        QTest::keyClick(target, Qt::Key_Return);
        QApplication::processEvents();
    };
    // The walk passes editable cells: Enter on a read-only cell never reaches
    // the key press (checked after the walk).
    g->Columns()->Items(14)->SetReadOnly(false);
    g->FocusCell(1, 1);
    for (int c = 2; c <= 14; ++c) {
        enter();
        EXPECT_EQ(g->Col(), c);
        EXPECT_EQ(g->Row(), 1);
    }
    enter();
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 2);
    g->FocusCell(14, 512);
    enter();
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
    EXPECT_FALSE(g->EditorMode());
    g->Columns()->Items(14)->SetReadOnly(true);
    g->FocusCell(14, 3);
    enter();
    EXPECT_EQ(g->Col(), 14) << "Enter on a read-only cell is swallowed";
    EXPECT_EQ(g->Row(), 3);

    // Rules in rows 1 and 3, then copy 3 over a used row 7 after a Yes.
    for (int c : {2, 4, 5}) g->SetCells(c, 1, QStringLiteral("r1c%1").arg(c));
    g->SetCells(1, 1, QStringLiteral("Y"));
    for (int c : {2, 4, 5}) g->SetCells(c, 3, QStringLiteral("r3c%1").arg(c));
    g->SetCells(3, 3, QStringLiteral("REAL"));
    g->SetCells(1, 3, QStringLiteral("Y"));
    g->SetCells(6, 3, QStringLiteral("Y"));
    g->SetCells(2, 7, QStringLiteral("old"));
    TDialogResponder answers;
    Grid_Copy_Row(g, 3);
    answers.QueueResult(mrYes);
    Grid_Paste_Row(g, 7, true);
    ASSERT_EQ(answers.Requests.size(), 1u);
    EXPECT_EQ(answers.LastText(), Lang_Str(1500));
    EXPECT_EQ(g->Cells(2, 7), QStringLiteral("r3c2"));
    EXPECT_EQ(g->Cells(3, 7), QStringLiteral("REAL"));
    EXPECT_EQ(g->Cells(15, 7), QStringLiteral("id3"));   // the hidden column is copied too

    Grid_Delete_Row(1, g);   // row 3 becomes 2, row 7 becomes 6
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("r3c2"));
    EXPECT_EQ(g->Cells(2, 6), QStringLiteral("r3c2"));
    EXPECT_EQ(g->Cells(15, 2), QStringLiteral("id3"));
    EXPECT_EQ(g->Cells(15, 512), QString());
    Grid_Insert_Row(5, g, true);   // row 6 moves to 7
    EXPECT_EQ(g->Cells(2, 7), QStringLiteral("r3c2"));
    EXPECT_EQ(g->Cells(2, 5), QString());
    EXPECT_EQ(g->Cells(1, 5), QStringLiteral("Y"));
    EXPECT_EQ(g->Cells(0, 5), QStringLiteral("5"));
    EXPECT_EQ(g->Cells(15, 5), QString());
    EXPECT_EQ(g->Cells(15, 7), QStringLiteral("id3"));
    bool s = false;
    EXPECT_TRUE(g->GetCheckBoxState(6, 7, s));
    EXPECT_TRUE(s);
    EXPECT_TRUE(g->GetCheckBoxState(6, 5, s));
    EXPECT_FALSE(s);
    EXPECT_EQ(g->Cells(6, 5), QString());   // an inserted row is empty but for Enable

    bool can = true;
    g->CanEdit(14, 4, can);
    EXPECT_FALSE(can);
    g->CanEdit(13, 4, can);
    EXPECT_TRUE(can);

    g->SetTopRow(1);
    g->Invalidate();
    QApplication::processEvents();
    const QImage img = g->Snapshot();
    ASSERT_FALSE(img.isNull());
    const QString png = QDir::current().filePath(QStringLiteral("rule_grid_end_to_end.png"));
    EXPECT_TRUE(img.save(png));
    // Row 7 holds the pasted checked Swap box, row 4 an unchecked one.
    EXPECT_EQ(g->Cells(6, 4), QStringLiteral("N"));
    EXPECT_GT(TickPixels(img, g->CellRect(6, 7)), 0);
    EXPECT_EQ(TickPixels(img, g->CellRect(6, 4)), 0);
    // The column colour fills the body cells, not the header.
    const TRect body = g->CellRect(13, 4), head = g->CellRect(13, 0);
    EXPECT_EQ(At(img, (body.Left + body.Right) / 2, (body.Top + body.Bottom) / 2), kBlue);
    EXPECT_EQ(At(img, body.Right - 4, body.Bottom - 4), kBlue);
    EXPECT_NE(At(img, (head.Left + head.Right) / 2, (head.Top + head.Bottom) / 2), kBlue);
    EXPECT_EQ(At(img, (g->CellRect(12, 4).Left + g->CellRect(12, 4).Right) / 2, body.Top + 4), kPink);

    Install_Working_State(std::move(old));
}

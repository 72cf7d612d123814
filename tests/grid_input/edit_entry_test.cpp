// The editing entry points and services: the editor text path with tags and
// merged cells, ShowCellEdit, the editor-property events, the 32-bit length
// limit, the custom editor's key claim, the search-bar scroll that must end,
// the balloon of a refused value and the wide-text validation.
#include "edit_fixture.h"

#include "grid/grid_chrome.h"
#include "grid/grid_text.h"
#include "grid/kv_string_grid.h"

#include <QToolTip>
#include <gtest/gtest.h>

TEST(GridEditEntry, EditorTextStripsTagsUnlessEditWithTagsAndWritesGoToTheBaseCell)
{
    TEditGridForm f;
    f.grid->SetCells(TEditGridForm::cNormal, 2, QStringLiteral("one<BR>two"));
    f.GoTo(TEditGridForm::cNormal, 2);
    f.F2();
    ASSERT_TRUE(f.EditorShown());
    EXPECT_EQ(f.Editor()->Text().count(u'<'), 0);
    EXPECT_TRUE(f.Editor()->Text().contains(QStringLiteral("one")));
    f.Key(Qt::Key_Escape);
    f.grid->EditWithTags = true;
    f.F2();
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("one<BR>two"));
    f.Key(Qt::Key_Escape);

    // A write into a covered cell lands in the merged area's base cell.
    f.grid->MergeCells(TEditGridForm::cNormal, 4, 2, 1);
    f.GoTo(TEditGridForm::cNormal, 4);
    f.grid->SetCurrentCellText(QStringLiteral("merged"));
    EXPECT_EQ(f.grid->GridCells(TEditGridForm::cNormal, 4), QStringLiteral("merged"));
    EXPECT_EQ(f.grid->CurrentCell(), QStringLiteral("merged"));
}

TEST(GridEditEntry, ShowCellEditOpensLikeF2AndHideCellEditEndsASpecialEditor)
{
    TEditGridForm f;
    f.GoTo(TEditGridForm::cNormal, 1);
    f.grid->ShowCellEdit();
    EXPECT_TRUE(f.EditorShown());
    f.Key(Qt::Key_Escape);
    const int ended = f.editingDone;

    f.GoTo(TEditGridForm::cCombo, 1);
    f.grid->ShowCellEdit();
    ASSERT_TRUE(f.grid->EditCombo()->Visible());
    EXPECT_EQ(f.grid->CurrentEditor(), edComboEdit);
    f.grid->HideCellEdit();
    EXPECT_FALSE(f.grid->EditCombo()->Visible());
    EXPECT_EQ(f.editingDone, ended + 1);
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cCombo, 1), QStringLiteral("alpha"));
}

TEST(GridEditEntry, EditorPropertyEventsGetTheCellTheIntegerOneWithItsNamesSwapped)
{
    TEditGridForm f;
    std::vector<std::pair<int, int>> props, ints;
    f.grid->OnGetEditorProp = [&](TObject*, int c, int r, TEditLink*) { props.emplace_back(c, r); };
    f.grid->OnGetEditorPropInt = [&](TObject*, int ARow, int ACol) { ints.emplace_back(ARow, ACol); };
    f.GoTo(TEditGridForm::cList, 3);
    f.F2();
    ASSERT_FALSE(props.empty());
    EXPECT_EQ(props.back(), std::make_pair(int(TEditGridForm::cList), 3));
    // The parameter named ARow carries the column.
    EXPECT_EQ(ints.back(), std::make_pair(int(TEditGridForm::cList), 3));
}

TEST(GridEditEntry, ALengthLimitAboveSixteenBitsIsKept)
{
    TEditGridForm f;
    f.grid->Columns()->Items(TEditGridForm::cNormal)->SetEditLength(40000);
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    ASSERT_TRUE(f.EditorShown());
    EXPECT_EQ(f.Editor()->LengthLimit(), 40000);
    EXPECT_EQ(f.grid->GetEditLimit(), 40000);
}

TEST(GridEditEntry, ACustomEditorsControlGetsTabAndArrowsUnderGoTabs)
{
    TEditGridForm f;
    auto* link = new TEdit(&f.form);
    link->SetParent(&f.form);
    link->SetBounds(200, 240, 80, 22);
    link->SetTabStop(true);
    f.other->SetTabStop(true);
    std::vector<WORD> keys;
    link->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { keys.push_back(k); };
    f.grid->EditLinkControlWndProc(link);
    f.grid->EditLinkControlWndProc(link); // installed once
    f.grid->SetOptions(f.grid->Options() | goTabs);
    link->SetFocus();
    QTest::keyClick(link->InputWidget(), Qt::Key_Tab);
    EXPECT_TRUE(link->Focused());
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0], WORD(VK_TAB));
    // Without goTabs the form moves the focus on.
    f.grid->SetOptions(f.grid->Options() - TGridOptions(goTabs));
    QTest::keyClick(link->InputWidget(), Qt::Key_Tab);
    EXPECT_FALSE(link->Focused());
}

TEST(GridEditEntry, TheSearchBarScrollEndsWhereTheTopRowStops)
{
    TEditGridForm f;
    f.grid->SetRowCount(40);
    f.grid->SearchFooter()->SetVisible(true);
    f.grid->UpdateSearchFooter();
    ASSERT_NE(f.grid->SearchPanel(), nullptr);
    // The last row: the top row reaches its limit long before the cell clears the bar.
    f.GoTo(TEditGridForm::cNormal, 39);
    EXPECT_EQ(f.grid->Row(), 39);
    f.GoTo(TEditGridForm::cNormal, 1);
    EXPECT_EQ(f.grid->Row(), 1);
}

TEST(GridEditEntry, ARefusedValueShowsTheBalloonOnlyWithATitleOrText)
{
    TEditGridForm f;
    f.refuse = true;
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    f.Type(QStringLiteral("x"));
    f.Key(Qt::Key_Return);
    EXPECT_FALSE(QToolTip::isVisible() && QToolTip::text().contains(QStringLiteral("Not allowed")));
    f.grid->InvalidEntryText = QStringLiteral("Not allowed");
    f.Type(QStringLiteral("y"));
    f.Key(Qt::Key_Return);
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Not allowed")));
    QToolTip::hideText();
}

// An editable combo shows the balloon in its edit field; a pick list has none.
TEST(GridEditEntry, ARefusedValueInAnEditableComboShowsTheBalloonInItsEditField)
{
    TEditGridForm f;
    f.refuse = true;
    f.grid->InvalidEntryTitle = QStringLiteral("Check");
    f.grid->InvalidEntryText = QStringLiteral("Not allowed");
    QToolTip::hideText();
    f.GoTo(TEditGridForm::cList, 1);
    f.grid->ShowCellEdit();
    f.Key(Qt::Key_Down);
    f.Key(Qt::Key_Return);
    EXPECT_GE(f.validations.size(), 1u);
    EXPECT_FALSE(QToolTip::isVisible() && QToolTip::text().contains(QStringLiteral("Not allowed")));
    f.Key(Qt::Key_Escape);

    f.validations.clear();
    f.GoTo(TEditGridForm::cCombo, 1);
    f.grid->ShowCellEdit();
    ASSERT_TRUE(f.grid->EditCombo()->Visible());
    f.Key(Qt::Key_A, Qt::ControlModifier);
    f.Type(QStringLiteral("gamma"));
    f.Key(Qt::Key_Return);
    ASSERT_EQ(f.validations.size(), 1u);
    EXPECT_EQ(f.validations[0].Value, QStringLiteral("gamma"));
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Check\nNot allowed"))) << QToolTip::text().toStdString();
    QToolTip::hideText();
}

TEST(GridEditEntry, WideTextIsValidatedAndStoredAsWideText)
{
    TEditGridForm f;
    std::vector<QString> seen;
    f.grid->OnCellValidateWide = [&](TObject*, int, int, QString& v, bool& valid) {
        seen.push_back(v);
        valid = v != QStringLiteral("no");
    };
    f.GoTo(TEditGridForm::cNormal, 2);
    f.grid->FEditing = true;
    EXPECT_TRUE(f.grid->ValidateCellWide(QStringLiteral("wide")));
    EXPECT_EQ(DecodeWideCellText(f.grid->GridCells(TEditGridForm::cNormal, 2)), QStringLiteral("wide"));
    f.grid->FEditing = true;
    EXPECT_FALSE(f.grid->ValidateCellWide(QStringLiteral("no")));
    EXPECT_EQ(DecodeWideCellText(f.grid->GridCells(TEditGridForm::cNormal, 2)), QStringLiteral("wide"));
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_FALSE(f.grid->FValidating);
    f.Key(Qt::Key_Escape);
}

// Typing on a closed cell opens its editor with the first key; the keys that
// follow, each after the queued events have run as between real key strokes,
// add to it, so the cell holds every typed character.
TEST(GridEditEntry, TypingOnAClosedCellKeepsEveryTypedCharacter)
{
    struct TCase {
        int col;
        bool wordWrap;
        QString before;
    };
    const TCase cases[] = {
        {TEditGridForm::cNormal, true, QStringLiteral("n1")},
        {TEditGridForm::cNormal, false, QStringLiteral("n1")},
        {TEditGridForm::cNormal, true, QString()},
        {TEditGridForm::cNormal, false, QString()},
        {TEditGridForm::cCombo, true, QString()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(QStringLiteral("col %1 wrap %2 before '%3'").arg(c.col).arg(c.wordWrap).arg(c.before).toStdString());
        TEditGridForm f;
        f.grid->SetWordWrap(c.wordWrap);
        f.grid->SetCells(f.Disp(c.col), 1, c.before);
        f.GoTo(c.col, 1);
        QApplication::processEvents();
        for (const QChar ch : QStringLiteral("abc")) {
            QTest::keyClicks(f.Focus(), QString(ch));
            QApplication::processEvents();
        }
        f.Key(Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(f.grid->Cells(f.Disp(c.col), 1), QStringLiteral("abc"));
    }
}

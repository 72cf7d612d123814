// Validation through the text editor on a rule-like column grid: Enter accepted
// and refused, replacement, AdvanceOnEnter inside the handler, raising
// handlers, the end of every edit with its posted "GridEditDone", undo.
#include "edit_fixture.h"

#include "grid/grid_undo_redo.h"
#include "grid/theme_services.h"
#include "grid/kv_string_grid.h"

#include <gtest/gtest.h>
#include <stdexcept>


TEST(GridEditValidation, EnterAcceptsTheTypedTextAndEndsTheEditOnce)
{
    TEditGridForm f;
    // The posted message must arrive after the ending handler returned.
    std::vector<std::pair<WPARAM, LPARAM>> seen;
    bool insideHandler = false, arrivedInsideHandler = false;
    f.grid->OnMessage = [&](const TMessage& m) {
        if (m.Msg != KvGridUnit::GridEditDoneMessage) return;
        seen.emplace_back(m.WParam, m.LParam);
        arrivedInsideHandler = arrivedInsideHandler || insideHandler;
    };
    f.grid->OnEditingDone = [&](TObject*) {
        ++f.editingDone;
        insideHandler = true;
        QCoreApplication::processEvents();
        insideHandler = false;
    };
    f.GoTo(TEditGridForm::cAfter, 2);
    f.F2();
    ASSERT_TRUE(f.EditorShown());
    f.Key(Qt::Key_A, Qt::ControlModifier);
    f.Type(QStringLiteral("xyz"));
    f.Key(Qt::Key_Return);
    EXPECT_FALSE(f.EditorShown());
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cAfter, 2), QStringLiteral("xyz"));
    ASSERT_EQ(f.validations.size(), 1u);
    EXPECT_EQ(f.validations[0].Col, TEditGridForm::cAfter); // the real column
    EXPECT_EQ(f.validations[0].Value, QStringLiteral("xyz"));
    EXPECT_EQ(f.editingDone, 1);
    EXPECT_FALSE(f.grid->EditMode);
    QCoreApplication::processEvents();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, WPARAM(TEditGridForm::cAfter));
    EXPECT_EQ(seen[0].second, LPARAM(2));
    EXPECT_FALSE(arrivedInsideHandler);
    f.grid->OnMessage = nullptr;
}

TEST(GridEditValidation, AdvanceOnEnterReadsFalseInsideTheHandlerAndComesBackAlsoWhenItRaises)
{
    TEditGridForm f;
    f.grid->Navigation()->SetAdvanceOnEnter(true);
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    f.Type(QStringLiteral("q"));
    f.Key(Qt::Key_Return);
    ASSERT_EQ(f.validations.size(), 1u);
    EXPECT_FALSE(f.validations[0].AdvanceOnEnter);
    EXPECT_TRUE(f.grid->Navigation()->AdvanceOnEnter());

    // A raising handler still ends the validation and gives the setting back.
    f.grid->OnCellValidate = [](TObject*, int, int, QString&, bool&) { throw std::runtime_error("bad"); };
    f.grid->FEditing = true;
    f.grid->StoreOldCell(f.grid->Col(), f.grid->Row());
    EXPECT_THROW(f.grid->ValidateCell(QStringLiteral("other")), std::runtime_error);
    EXPECT_TRUE(f.grid->Navigation()->AdvanceOnEnter());
    EXPECT_FALSE(f.grid->FValidating);
    EXPECT_EQ(f.grid->FOldCol, f.grid->Col());
}

TEST(GridEditValidation, ARefusedValueKeepsTheEditorOpenWithTheTextSelectedAndTheOldCell)
{
    TEditGridForm f;
    f.refuse = true;
    f.GoTo(TEditGridForm::cNormal, 3);
    f.grid->SetModified(false);
    f.F2();
    f.Type(QStringLiteral("bad"));
    f.Key(Qt::Key_Return);
    ASSERT_TRUE(f.EditorShown());
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("bad"));
    EXPECT_EQ(f.Editor()->SelLength(), 3);
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 3), QStringLiteral("n3"));
    EXPECT_FALSE(f.grid->Modified());
    EXPECT_EQ(f.grid->FOldCellText, QStringLiteral("n3"));
    EXPECT_FALSE(f.grid->LastValidation());
    EXPECT_EQ(f.grid->Col(), f.Disp(TEditGridForm::cNormal));
    EXPECT_EQ(f.grid->Row(), 3);
    // The next attempt passes.
    f.refuse = false;
    f.Type(QStringLiteral("good"));
    f.Key(Qt::Key_Return);
    EXPECT_FALSE(f.EditorShown());
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 3), QStringLiteral("good"));
    EXPECT_TRUE(f.grid->Modified());
}

TEST(GridEditValidation, AReplacementIsStoredAndShown)
{
    TEditGridForm f;
    f.replaceWith = QStringLiteral("fixed");
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    f.Type(QStringLiteral("raw"));
    f.Key(Qt::Key_Return);
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 1), QStringLiteral("fixed"));
    EXPECT_EQ(f.grid->FNewCellText, QStringLiteral("fixed"));
}

TEST(GridEditValidation, NoValidationOutsideAnEditOrForAnUnchangedText)
{
    TEditGridForm f;
    EXPECT_TRUE(f.grid->ValidateCell(QStringLiteral("anything")));
    EXPECT_TRUE(f.validations.empty());
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 1), QStringLiteral("n1"));

    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    f.Key(Qt::Key_Return);
    EXPECT_TRUE(f.validations.empty());
    f.grid->FAlwaysValidate = true;
    f.F2();
    f.Key(Qt::Key_Return);
    EXPECT_EQ(f.validations.size(), 1u);
}

TEST(GridEditValidation, UndoAfterAnAcceptedEditBringsBackTheOldText)
{
    TEditGridForm f;
    TKvGridUndoRedo undo;
    f.grid->SetUndoRedo(&undo);
    f.GoTo(TEditGridForm::cNormal, 2);
    f.F2();
    f.Type(QStringLiteral("new"));
    f.Key(Qt::Key_Return);
    ASSERT_EQ(f.grid->Cells(TEditGridForm::cNormal, 2), QStringLiteral("new"));
    ASSERT_TRUE(undo.CanUndo());
    undo.Undo();
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 2), QStringLiteral("n2"));
    undo.Redo();
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 2), QStringLiteral("new"));
    f.grid->SetUndoRedo(nullptr);
}

TEST(GridEditValidation, EscapeRestoresTheCellAndCloses)
{
    TEditGridForm f;
    f.GoTo(TEditGridForm::cNormal, 4);
    f.F2();
    f.Type(QStringLiteral("zzz"));
    f.Key(Qt::Key_Escape);
    EXPECT_FALSE(f.EditorShown());
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 4), QStringLiteral("n4"));
    EXPECT_TRUE(f.validations.empty());
}

TEST(GridEditValidation, AClickOnAnotherControlValidatesAndClosesAndKeepsTheCell)
{
    TEditGridForm f;
    f.GoTo(TEditGridForm::cNormal, 2);
    f.F2();
    f.Type(QStringLiteral("left"));
    f.other->SetFocus();
    EXPECT_FALSE(f.EditorShown());
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 2), QStringLiteral("left"));
    ASSERT_EQ(f.validations.size(), 1u);
    EXPECT_EQ(f.grid->Row(), 2);
    EXPECT_EQ(f.grid->Col(), f.Disp(TEditGridForm::cNormal));
    EXPECT_EQ(f.editingDone, 1);
}

TEST(GridEditValidation, TabValidatesClosesAndMovesTheFocusToTheNextControl)
{
    TEditGridForm f;
    f.grid->SetTabStop(true);
    f.other->SetTabStop(true);
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    f.Type(QStringLiteral("t"));
    f.Key(Qt::Key_Tab);
    EXPECT_FALSE(f.EditorShown());
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 1), QStringLiteral("t"));
    EXPECT_EQ(f.validations.size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.other->Focused());
}

TEST(GridEditValidation, RowChangedFiresOnlyForANewRow)
{
    TEditGridForm f;
    std::vector<std::pair<int, int>> rows;
    f.grid->OnRowChanged = [&](TObject*, int o, int n) { rows.emplace_back(o, n); };
    f.GoTo(TEditGridForm::cNormal, 2);
    f.GoTo(TEditGridForm::cAfter, 2);
    f.GoTo(TEditGridForm::cAfter, 3);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].second, 2);
    EXPECT_EQ(rows[1], std::make_pair(2, 3));
}

TEST(GridEditValidation, AMoveOntoACoveredCellLandsOnTheBaseCell)
{
    TEditGridForm f;
    f.grid->SetOptions(f.grid->Options() - TGridOptions(goRangeSelect));
    f.grid->MergeCells(TEditGridForm::cNormal, 3, 2, 1);
    f.GoTo(TEditGridForm::cList, 3);
    EXPECT_EQ(f.grid->Col(), f.Disp(TEditGridForm::cNormal));
    EXPECT_EQ(f.grid->Row(), 3);
}

TEST(GridEditValidation, TheFixedFooterRowNeverBecomesCurrent)
{
    TEditGridForm f;
    f.grid->FloatingFooter()->SetVisible(true);
    const int last = f.grid->RowCount() - 1;
    f.GoTo(TEditGridForm::cNormal, 1);
    static_cast<TCustomGrid*>(f.grid)->FocusCell(f.Disp(TEditGridForm::cNormal), last, true);
    EXPECT_NE(f.grid->Row(), last);
}

namespace {
// Upper-cases a corrected value and brackets a marked one, recording the calls.
class TBracketChecker : public TKvStringGridCheck {
public:
    std::vector<QString> Calls;
    QString Correct(int ACol, int ARow, const QString& Value) override
    {
        Calls.push_back(QStringLiteral("correct %1,%2 %3").arg(ACol).arg(ARow).arg(Value));
        return Value.toUpper();
    }
    QString MarkError(int ACol, int ARow, const QString& Value) override
    {
        Calls.push_back(QStringLiteral("mark %1,%2 %3").arg(ACol).arg(ARow).arg(Value));
        return QLatin1Char('[') + Value + QLatin1Char(']');
    }
};
} // namespace

// The checker corrects the typed text before the handler sees it and marks the
// value the handler leaves; each step only with its switch on.
TEST(GridEditValidation, TheCellCheckerCorrectsBeforeTheHandlerAndMarksAfterIt)
{
    struct TCase {
        bool autoCorrect, autoMark;
        const char* handlerSees;
        const char* cell;
    };
    const TCase cases[] = {
        {false, false, "ab", "ab"},
        {true, false, "AB", "AB"},
        {false, true, "ab", "[ab]"},
        {true, true, "AB", "[AB]"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(QStringLiteral("correct %1 mark %2").arg(c.autoCorrect).arg(c.autoMark).toStdString());
        TEditGridForm f;
        TBracketChecker checker;
        checker.AutoCorrect = c.autoCorrect;
        checker.AutoMarkError = c.autoMark;
        f.grid->CellChecker = &checker;
        TKvGridUndoRedo undo;
        f.grid->SetUndoRedo(&undo);
        f.GoTo(TEditGridForm::cAfter, 2);
        f.F2();
        f.Key(Qt::Key_A, Qt::ControlModifier);
        f.Type(QStringLiteral("ab"));
        f.Key(Qt::Key_Return);
        ASSERT_EQ(f.validations.size(), 1u);
        EXPECT_EQ(f.validations[0].Value, QString::fromLatin1(c.handlerSees));
        EXPECT_EQ(f.grid->Cells(TEditGridForm::cAfter, 2), QString::fromLatin1(c.cell));
        EXPECT_EQ(checker.Calls.size(), size_t(c.autoCorrect) + size_t(c.autoMark));
        if (c.autoMark) {
            EXPECT_EQ(checker.Calls.back(), QStringLiteral("mark 6,2 %1").arg(QString::fromLatin1(c.handlerSees)));
        }
        // The undo step brings back the text before the edit.
        undo.Undo();
        EXPECT_EQ(f.grid->Cells(TEditGridForm::cAfter, 2), QStringLiteral("a2"));
        f.grid->CellChecker = nullptr;
    }
}

// The text editor's typed-character filters per editor kind, the length limit,
// Ctrl+A and Ctrl+Enter, paste, lookup completion, and the dispatch of the
// combo, none and check-box kinds on a rule-like column grid.
#include "edit_fixture.h"

#include "grid/kv_string_grid.h"
#include "platform/core/format_settings.h"
#include "platform/ui/clipboard.h"

#include <gtest/gtest.h>

TEST(GridTextEditor, TypedCharactersAreFilteredByTheCellsKind)
{
    struct Row {
        TEditorType kind;
        const char* typed;
        const char* text;  // the editor text after typing into an empty editor
        unsigned beeps;
    };
    const Row rows[] = {
        {edNumeric, "-12", "-12", 0},
        {edNumeric, "1-2", "12", 1},       // "-" only at the caret position 0
        {edNumeric, "--1", "-1", 1},       // a second "-" beeps
        {edNumeric, "a1", "1", 1},
        {edPositiveNumeric, "-1x2", "12", 2},
        {edFloat, "1,5,2", "1,52", 0},     // the second decimal separator is dropped silently
        {edFloat, "1a", "1", 0},           // a letter is dropped without a beep
        {edFloat, "-1", "-1", 0},
        {edPositiveFloat, "-3", "3", 0},   // "-" is no candidate here: dropped
        {edCapital, "abc", "ABC", 0},
        {edUpperCase, "aB", "AB", 0},
        {edLowerCase, "AbC", "abc", 0},
        {edMixedCase, "hello world", "Hello World", 0},
        {edNormal, "a-1,", "a-1,", 0},
    };
    TFormatSettings fs = FormatSettings();
    fs.DecimalSeparator = QLatin1Char(',');
    fs.ThousandSeparator = QLatin1Char('.');
    TFormatSettingsScope scope(fs);
    for (const Row& r : rows) {
        TEditGridForm f;
        f.grid->Columns()->Items(TEditGridForm::cNormal)->SetEditor(r.kind);
        f.grid->SetCells(TEditGridForm::cNormal, 1, QString());
        f.GoTo(TEditGridForm::cNormal, 1);
        f.F2();
        ASSERT_TRUE(f.EditorShown()) << r.typed;
        const unsigned before = MessageBeepCount();
        f.Type(QString::fromLatin1(r.typed));
        EXPECT_EQ(f.Editor()->Text(), QString::fromLatin1(r.text)) << r.typed;
        EXPECT_EQ(MessageBeepCount() - before, r.beeps) << r.typed;
    }
}

TEST(GridTextEditor, ValidCharactersComeFromValidCharsOrTheCharacterSet)
{
    TEditGridForm f;
    f.grid->Columns()->Items(TEditGridForm::cNormal)->SetEditor(edValidChars);
    f.grid->SetCells(TEditGridForm::cNormal, 1, QString());
    f.grid->ValidChars = QStringLiteral("ab");
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    const unsigned before = MessageBeepCount();
    f.Type(QStringLiteral("abc"));
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("ab"));
    EXPECT_EQ(MessageBeepCount() - before, 1u);
    f.Key(Qt::Key_Escape);
    f.grid->ValidChars.clear();
    f.grid->ValidCharSet.set('x');
    f.F2();
    f.Editor()->SetText(QString());
    f.Type(QStringLiteral("xy"));
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("x"));
}

TEST(GridTextEditor, MaxEditLengthDropsSilentlyAndWithAdvanceAutoTheLastCharacterEndsTheEdit)
{
    {
        TEditGridForm f;
        f.grid->SetMaxEditLength(3);
        f.grid->Columns()->Items(TEditGridForm::cNormal)->SetEditLength(3);
        f.grid->SetCells(TEditGridForm::cNormal, 1, QString());
        f.GoTo(TEditGridForm::cNormal, 1);
        f.F2();
        const unsigned before = MessageBeepCount();
        f.Type(QStringLiteral("abcd"));
        EXPECT_EQ(f.Editor()->Text(), QStringLiteral("abc"));
        EXPECT_EQ(MessageBeepCount(), before);
        f.Key(Qt::Key_Backspace);
        EXPECT_EQ(f.Editor()->Text(), QStringLiteral("ab"));
    }
    {
        TEditGridForm f;
        f.grid->SetMaxEditLength(3);
        f.grid->Navigation()->SetAdvanceAuto(true);
        f.grid->SetCells(TEditGridForm::cNormal, 1, QString());
        f.GoTo(TEditGridForm::cNormal, 1);
        f.F2();
        f.Type(QStringLiteral("abc"));
        EXPECT_FALSE(f.EditorShown());
        EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 1), QStringLiteral("abc"));
    }
}

TEST(GridTextEditor, CtrlASelectsAllAndCtrlEnterIsSwallowedUnlessMultiLineIsAllowed)
{
    TEditGridForm f;
    f.GoTo(TEditGridForm::cNormal, 2);
    f.F2();
    f.Key(Qt::Key_End);
    EXPECT_EQ(f.Editor()->SelLength(), 0);
    f.Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(f.Editor()->SelLength(), 2);
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("n2"));
    f.grid->SetWordWrap(false);
    f.Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(f.EditorShown());
    EXPECT_TRUE(f.validations.empty());
}

TEST(GridTextEditor, PasteDropsOneTrailingLineBreakAndAlwaysWritesTheCell)
{
    TEditGridForm f;
    int after = 0;
    QString afterText;
    f.grid->OnClipboardAfterPasteCell = [&](TObject*, int, int, const QString& v) {
        ++after;
        afterText = v;
    };
    f.grid->SetCells(TEditGridForm::cNormal, 1, QString());
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    Clipboard()->SetAsText(QStringLiteral("pasted\r\n"));
    f.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("pasted"));
    EXPECT_EQ(after, 1);
    f.Key(Qt::Key_Escape);

    f.grid->Columns()->Items(TEditGridForm::cAfter)->SetEditor(edNumeric);
    f.GoTo(TEditGridForm::cAfter, 2);
    f.grid->SetCells(TEditGridForm::cAfter, 2, QStringLiteral("12"));
    f.F2();
    Clipboard()->SetAsText(QStringLiteral("abc"));
    f.Editor()->SelectAll();
    // Ctrl+V is a character the numeric filter refuses; the paste message comes from Shift+Insert.
    f.Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("12"));
    EXPECT_EQ(after, 2);
    EXPECT_EQ(afterText, QStringLiteral("12"));
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cAfter, 2), QStringLiteral("12"));
}

TEST(GridTextEditor, LookupCompletesFromTheFirstMatchingItemAndSelectsTheRest)
{
    TEditGridForm f;
    f.grid->Lookup = true;
    f.grid->LookupItems()->Add(QStringLiteral("Read Only"));
    f.grid->LookupItems()->Add(QStringLiteral("Read Write"));
    f.grid->SetCells(TEditGridForm::cNormal, 1, QString());
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    f.Type(QStringLiteral("R"));
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("Read Only"));
    EXPECT_EQ(f.Editor()->SelStart(), 1);
    EXPECT_EQ(f.Editor()->SelText(), QStringLiteral("ead Only"));
}

// ---- dispatch of the other kinds

TEST(GridEditDispatch, AComboListOpensOnTheCellsItemOrFallsBackToItemZeroAndSaysSo)
{
    struct Row {
        const char* cell;
        int comboSelection;  // SetComboSelection, -1 none
        int itemIndex;
        int changes;
    };
    const Row rows[] = {
        {"Read Only", -1, 0, 0},
        {"Write Only", -1, 1, 0},
        {"Unknown", -1, 0, 1},
        {"Unknown", 2, 2, 0},
    };
    for (const Row& r : rows) {
        TEditGridForm f;
        std::vector<std::tuple<int, int, int, QString>> changes;
        f.grid->OnComboChange = [&](TObject*, int c, int row, int i, const QString& s) {
            changes.emplace_back(c, row, i, s);
        };
        f.grid->SetCells(TEditGridForm::cList, 2, QString::fromLatin1(r.cell));
        f.grid->SetComboSelection(r.comboSelection);
        f.GoTo(TEditGridForm::cList, 2);
        f.F2();
        TGridCombo* combo = f.grid->EditCombo();
        ASSERT_TRUE(combo && combo->Visible()) << r.cell;
        EXPECT_FALSE(f.EditorShown());
        EXPECT_EQ(combo->Items()->Count(), 3);
        EXPECT_EQ(combo->ItemIndex(), r.itemIndex) << r.cell;
        ASSERT_EQ(int(changes.size()), r.changes) << r.cell;
        if (r.changes) {
            EXPECT_EQ(changes[0], std::make_tuple(int(TEditGridForm::cList), 2, 0, QStringLiteral("Read Only")));
        }
        EXPECT_TRUE(f.grid->EditMode);
        EXPECT_TRUE(f.grid->FSpecialEditor);
        // Closing stores the combo's text and ends the edit.
        f.grid->HideInplaceEdit();
        EXPECT_FALSE(combo->Visible());
        EXPECT_EQ(f.editingDone, 1);
        EXPECT_EQ(f.grid->Cells(TEditGridForm::cList, 2), combo->Text());
    }
}

TEST(GridEditDispatch, NoneAndCheckBoxCellsNeverOpenAnEditor)
{
    TEditGridForm f;
    f.GoTo(TEditGridForm::cCheck, 1);
    f.F2();
    EXPECT_FALSE(f.EditorShown());
    EXPECT_FALSE(f.grid->EditMode);
    f.grid->Columns()->Items(TEditGridForm::cNormal)->SetEditor(edNone);
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    EXPECT_FALSE(f.EditorShown());
    EXPECT_FALSE(f.grid->EditMode);
}

TEST(GridEditDispatch, TheComboStartsOnePixelFurtherRightInARightToLeftGrid)
{
    int lefts[2] = {0, 0};
    for (int rtl = 0; rtl < 2; ++rtl) {
        TEditGridForm f;
        if (rtl) f.grid->setLayoutDirection(Qt::RightToLeft);
        f.GoTo(TEditGridForm::cCombo, 1);
        f.F2();
        ASSERT_TRUE(f.grid->EditCombo()->Visible());
        lefts[rtl] = f.grid->EditCombo()->Left() - f.grid->CellRect(f.grid->Col(), 1).Left;
    }
    EXPECT_EQ(lefts[0], 0);
    EXPECT_EQ(lefts[1], 1);
}

TEST(GridEditDispatch, TabInAnOpenComboCommitsClosesAndMovesTheFocusToTheNextControl)
{
    TEditGridForm f;
    f.grid->SetTabStop(true);
    f.other->SetTabStop(true);
    f.GoTo(TEditGridForm::cList, 2);
    f.F2();
    TGridCombo* combo = f.grid->EditCombo();
    ASSERT_TRUE(combo->Visible());
    std::vector<std::pair<WPARAM, LPARAM>> done;
    f.grid->OnMessage = [&](const TMessage& m) {
        if (m.Msg == KvGridUnit::GridEditDoneMessage) done.emplace_back(m.WParam, m.LParam);
    };
    f.Key(Qt::Key_End); // the last item, "Read Write"
    ASSERT_EQ(combo->Text(), QStringLiteral("Read Write"));
    f.Key(Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cList, 2), QStringLiteral("Read Write"));
    ASSERT_EQ(f.validations.size(), 1u);
    EXPECT_EQ(f.validations[0].Value, QStringLiteral("Read Write"));
    EXPECT_TRUE(f.other->Focused());
    EXPECT_EQ(f.editingDone, 1);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], std::make_pair(WPARAM(TEditGridForm::cList), LPARAM(2)));
    f.grid->OnMessage = nullptr;
}

TEST(GridTextEditor, TheKeypadPointBecomesTheLocaleSeparatorWithExcelStyle)
{
    TFormatSettings fs = FormatSettings();
    fs.DecimalSeparator = QLatin1Char(',');
    TFormatSettingsScope scope(fs);
    for (bool excel : {false, true}) {
        TEditGridForm f;
        f.grid->ExcelStyleDecimalSeparator = excel;
        f.grid->SetCells(TEditGridForm::cNormal, 1, QString());
        f.GoTo(TEditGridForm::cNormal, 1);
        f.F2();
        QTest::keyClick(f.Focus(), Qt::Key_Period, Qt::KeypadModifier);
        f.Type(QStringLiteral("."));
        EXPECT_EQ(f.Editor()->Text(), excel ? QStringLiteral(",.") : QStringLiteral("..")) << excel;
    }
}

TEST(GridTextEditor, PasswordCellsMaskWithTheGridsCharacterAndRightAlignedCellsAlignRight)
{
    TEditGridForm f;
    f.grid->Columns()->Items(TEditGridForm::cNormal)->SetEditor(edPassword);
    f.grid->Columns()->Items(TEditGridForm::cAfter)->SetAlignment(taRightJustify);
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    EXPECT_EQ(f.Editor()->PasswordChar(), f.grid->PasswordChar());
    EXPECT_FALSE(f.Editor()->Valign());
    f.Key(Qt::Key_Escape);
    f.GoTo(TEditGridForm::cAfter, 1);
    f.F2();
    EXPECT_TRUE(f.Editor()->PasswordChar().isNull());
    EXPECT_TRUE(f.Editor()->Valign());
    EXPECT_EQ(f.Editor()->Alignment(), taRightJustify);
}

TEST(GridTextEditor, WrappedAndMultiLineCellsAreEditedInLines)
{
    TEditGridForm f;
    f.grid->SetWordWrap(true);
    f.GoTo(TEditGridForm::cNormal, 2);
    f.F2();
    ASSERT_TRUE(f.EditorShown());
    EXPECT_TRUE(f.Editor()->MultiLine());
    EXPECT_TRUE(f.Editor()->LineWrap());
    f.Key(Qt::Key_End);
    // Ctrl+Enter types a line break (AllowCtrlEnter); Enter ends the edit with it.
    f.Key(Qt::Key_Return, Qt::ControlModifier);
    f.Type(QStringLiteral("x"));
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("n2\r\nx"));
    // Up on the second line stays in the editor; on the first line it would leave.
    f.Key(Qt::Key_Up);
    EXPECT_TRUE(f.EditorShown());
    EXPECT_EQ(f.grid->Row(), 2);
    f.Key(Qt::Key_Return);
    EXPECT_FALSE(f.EditorShown());
    EXPECT_EQ(f.grid->Cells(TEditGridForm::cNormal, 2), QStringLiteral("n2\r\nx"));

    // Turning wrapping off makes the window anew as one line, the text kept.
    f.F2();
    ASSERT_TRUE(f.EditorShown());
    f.grid->SetWordWrap(false);
    EXPECT_FALSE(f.Editor()->MultiLine());
    EXPECT_TRUE(f.EditorShown());
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("n2\r\nx"));
}

TEST(GridTextEditor, LineFeedOnEnterTypesALineBreakAndPasswordCellsStayOnOneLine)
{
    TEditGridForm f;
    f.grid->SetWordWrap(false);
    f.grid->Navigation()->SetLineFeedOnEnter(true);
    f.grid->SetCells(TEditGridForm::cNormal, 1, QString());
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    ASSERT_TRUE(f.Editor()->MultiLine());
    EXPECT_FALSE(f.Editor()->LineWrap());
    f.Type(QStringLiteral("a"));
    f.Key(Qt::Key_Return);
    f.Type(QStringLiteral("b"));
    EXPECT_TRUE(f.EditorShown());
    EXPECT_EQ(f.Editor()->Text(), QStringLiteral("a\r\nb"));
    EXPECT_TRUE(f.validations.empty());
    f.Key(Qt::Key_Escape);

    f.grid->Columns()->Items(TEditGridForm::cAfter)->SetEditor(edPassword);
    f.GoTo(TEditGridForm::cAfter, 1);
    f.F2();
    ASSERT_TRUE(f.EditorShown());
    EXPECT_FALSE(f.Editor()->MultiLine());
    EXPECT_EQ(f.Editor()->PasswordChar(), f.grid->PasswordChar());
}

// Types key by key to whatever holds the focus, letting each posted start
// character arrive before the next key, as a user's typing does.
static void TypeKeys(TEditGridForm& f, const QString& s)
{
    for (const QChar ch : s) {
        QTest::keyClicks(f.Focus(), QString(ch));
        QCoreApplication::processEvents();
    }
}

TEST(GridEditDispatch, ATypedStartReplacesTheCellTextInTheTextAndTheComboEditor)
{
    struct Row {
        int col;
        const char* name;
    };
    for (const Row& r : {Row{TEditGridForm::cNormal, "text"}, Row{TEditGridForm::cCombo, "combo"}}) {
        for (const bool selectAll : {true, false}) {
            TEditGridForm f;
            f.grid->Navigation()->SetEditSelectAll(selectAll);
            f.grid->SetCells(r.col, 1, QStringLiteral("alpha"));
            std::vector<QString> changes;
            f.grid->OnEditChange = [&](TObject*, int, int, const QString& v) { changes.push_back(v); };
            f.GoTo(r.col, 1);
            TypeKeys(f, QStringLiteral("abc"));
            const std::vector<QString> typed = changes;
            f.Key(Qt::Key_Return);
            QCoreApplication::processEvents();
            EXPECT_EQ(f.grid->Cells(r.col, 1), QStringLiteral("abc")) << r.name << " select all " << selectAll;
            // One change per typed character, the replayed first one included.
            if (r.col == TEditGridForm::cCombo) {
                EXPECT_EQ(typed, (std::vector<QString>{QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("abc")}))
                    << "select all " << selectAll;
            }
        }
    }
}

TEST(GridEditDispatch, F2AndADoubleClickOpenTheComboOnItsTextWithoutReplacingIt)
{
    {
        // F2 keeps the text: selected whole as the grid's default asks, or the caret after it.
        TEditGridForm f;
        f.GoTo(TEditGridForm::cCombo, 1);
        f.F2();
        TGridCombo* combo = f.grid->EditCombo();
        ASSERT_TRUE(combo->Visible());
        QCoreApplication::processEvents();
        EXPECT_EQ(combo->Text(), QStringLiteral("alpha"));
        EXPECT_EQ(combo->SelLength(), 5);
        f.Key(Qt::Key_Escape);
        f.grid->Navigation()->SetEditSelectAll(false);
        f.F2();
        QCoreApplication::processEvents();
        EXPECT_EQ(combo->SelStart(), 5);
        EXPECT_EQ(combo->SelLength(), 0);
        TypeKeys(f, QStringLiteral("x"));
        f.Key(Qt::Key_Return);
        EXPECT_EQ(f.grid->Cells(TEditGridForm::cCombo, 1), QStringLiteral("alphax"));
    }
    {
        // A double click with caret positioning puts the caret under the mouse.
        TEditGridForm f;
        f.grid->MouseActions()->SetCaretPositioning(true);
        f.grid->MouseActions()->SetEditOnDblClickOnly(true);
        f.grid->SetColWidths(f.Disp(TEditGridForm::cCombo), 150);
        f.GoTo(TEditGridForm::cNormal, 1);
        const TRect rc = f.grid->CellRect(f.Disp(TEditGridForm::cCombo), 1);
        const QPoint p(rc.Left + 14, (rc.Top + rc.Bottom) / 2);
        Mouse->SetCursorPos(f.grid->ClientToScreen(TPoint(p.x(), p.y())));
        if (f.grid->ScreenToClient(Mouse->CursorPos()) != TPoint(p.x(), p.y()))
            GTEST_SKIP() << "the pointer cannot be placed here";
        QTest::mouseClick(f.grid, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseDClick(f.grid, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(f.grid, Qt::LeftButton, Qt::NoModifier, p);
        QCoreApplication::processEvents();
        TGridCombo* combo = f.grid->EditCombo();
        ASSERT_TRUE(combo->Visible());
        const int caret = combo->SelStart();
        EXPECT_GT(caret, 0);
        EXPECT_LT(caret, 5);
        EXPECT_EQ(combo->SelLength(), 0);
        TypeKeys(f, QStringLiteral("Z"));
        f.Key(Qt::Key_Return);
        EXPECT_EQ(f.grid->Cells(TEditGridForm::cCombo, 1), QStringLiteral("alpha").insert(caret, u'Z'));
    }
}

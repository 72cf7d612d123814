// The grid's spin, edit-with-button, unit, check box, cell button, date and
// date-and-time editors on a rule-like column grid, each kind chosen through
// OnGetEditorType: opening, the start character, their keys and storing.
#include "edit_fixture.h"

#include "grid/kv_string_grid.h"
#include "grid_input/grid_dropdown_editors.h"
#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/ui/clipboard.h"

#include <QDir>
#include <QPainter>
#include <QtWidgets/QCalendarWidget>
#include <QtWidgets/QDateTimeEdit>
#include <gtest/gtest.h>

TEST(GridEditorWrappers, TheGridMakesItsButtonAndCheckEditorsAndTheOthersOnFirstUse)
{
    TEditGridForm f;
    for (TWinControl* c : std::initializer_list<TWinControl*>{f.grid->EditCheck(), f.grid->EditBtn(),
                                                              f.grid->UnitEditBtn(), f.grid->GridButton()}) {
        ASSERT_NE(c, nullptr);
        EXPECT_FALSE(c->Visible()) << c->ClassName().toStdString();
        EXPECT_FALSE(c->Enabled()) << c->ClassName().toStdString();
    }
    EXPECT_EQ(f.grid->EditBtn()->ClassName(), QStringLiteral("TGridEditBtn"));
    EXPECT_EQ(f.grid->EditBtn()->ButtonCaption(), QStringLiteral("..."));
    EXPECT_EQ(f.grid->UnitEditBtn()->ButtonCaption(), QStringLiteral("..."));
    EXPECT_EQ(f.grid->EditBtn()->BorderStyle(), bsNone);
    TGridDatePicker* date = f.grid->DateTimePicker();
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date, f.grid->GetEditDate());
    EXPECT_FALSE(date->Enabled());
    EXPECT_EQ(f.grid->GetEditSpin()->MaxValue(), 100);
    EXPECT_TRUE(f.grid->GetEditDateTime()->AutoTab());
    EXPECT_THROW(TGridSpin(&f.form), EInvalidCast);
}

TEST(GridEditorWrappers, TheStartCharacterIsReplayedOnceOrDropped)
{
    TFormatSettingsScope scope(TestFormats());
    // A replayed character shows once in the editor (an editor that selects its text on
    // entering replaces it); a dropped one leaves the editor as the cell loaded it.
    struct Row {
        TEditorType kind;
        const char* cell;
        std::function<QString(TKvStringGrid*)> shown;
        const char* expected;  // null: the typed character shows once
    };
    const std::vector<Row> rows = {
        {edSpinEdit, "", [](TKvStringGrid* g) { return g->GetEditSpin()->Text(); }, nullptr},
        {edEditBtn, "", [](TKvStringGrid* g) { return g->EditBtn()->Text(); }, "7"},
        {edUnitEditBtn, "", [](TKvStringGrid* g) { return g->UnitEditBtn()->Text(); }, "7"},
        {edDateEdit, "15/03/2024",
         [](TKvStringGrid* g) { return FormatDateTime(QStringLiteral("dd/mm/yyyy"), g->GetEditDate()->Date()); },
         "07/03/2024"},
        {edCheckBox, "cap", [](TKvStringGrid* g) { return g->EditCheck()->Caption(); }, "cap"},
        {edButton, "cap", [](TKvStringGrid* g) { return g->GridButton()->Caption(); }, "cap"},
        {edTimeEdit, "10:30:00",
         [](TKvStringGrid* g) { return FormatDateTime(QStringLiteral("hh:nn:ss"), g->GetEditDate()->Time()); },
         "10:30:00"},
        {edDateTimeEdit, "15/03/2024 10:30",
         [](TKvStringGrid* g) { return g->GetEditDateTime()->DateTimeText(); }, "15/03/2024 10:30"},
        {edMemoDropDown, "", [](TKvStringGrid* g) { return g->GetEditMemo()->GetText(); }, "7"},
    };
    for (const Row& r : rows) {
        TKindForm f(r.kind, QString::fromLatin1(r.cell));
        f.GoTo(TKindForm::cKind, 2);
        f.Type(QStringLiteral("7"));
        Settle();
        EXPECT_TRUE(f.grid->EditMode) << r.kind;
        if (r.expected) {
            EXPECT_EQ(r.shown(f.grid), QString::fromLatin1(r.expected)) << r.kind;
        } else {
            EXPECT_EQ(r.shown(f.grid).count(QLatin1Char('7')), 1) << r.kind;
        }
        EXPECT_TRUE(f.grid->FStartEditChar.isNull()) << r.kind;
    }
}

TEST(GridEditorWrappers, SpinCellsOpenOnTheirNumberWithTheSignAndAnEmptyTextCanStayEmpty)
{
    TKindForm f(edSpinEdit, QStringLiteral("-12x"));
    f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) { f.grid->GetEditSpin()->SetMinValue(-100); };
    f.Open();
    TGridSpin* spin = f.grid->GetEditSpin();
    ASSERT_TRUE(spin->Visible());
    EXPECT_EQ(spin->Value(), -12);
    f.grid->HideInplaceEdit();
    EXPECT_EQ(f.Cell(), QStringLiteral("-12"));

    TKindForm e(edSpinEdit, QStringLiteral("5"));
    e.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) { e.grid->GetEditSpin()->SetAllowEmptyValue(true); };
    e.Open();
    e.Key(Qt::Key_End);
    e.Key(Qt::Key_Backspace);
    EXPECT_EQ(e.grid->GetEditSpin()->Text(), QString());
    e.Key(Qt::Key_Return);
    EXPECT_FALSE(e.grid->GetEditSpin()->Visible());
    EXPECT_EQ(e.Cell(), QString());
}

TEST(GridEditorWrappers, SpinKeys)
{
    TKindForm f(edSpinEdit, QStringLiteral("100"));
    std::vector<std::pair<int, bool>> clicks;
    f.grid->OnSpinClick = [&](TObject*, int, int, int v, bool up) { clicks.emplace_back(v, up); };
    f.Open();
    TGridSpin* spin = f.grid->GetEditSpin();
    f.Key(Qt::Key_PageUp);
    EXPECT_EQ(spin->Value(), 100);
    f.Key(Qt::Key_End);
    EXPECT_EQ(spin->Value(), 0);
    f.Key(Qt::Key_PageDown);
    EXPECT_EQ(spin->Value(), 0);
    f.Key(Qt::Key_Home);
    EXPECT_EQ(spin->Value(), 100);
    const std::vector<std::pair<int, bool>> want = {{100, true}, {0, false}, {0, false}, {100, true}};
    EXPECT_EQ(clicks, want);
    // Escape shows the text the cell had and closes.
    f.Key(Qt::Key_End);
    f.Key(Qt::Key_Escape);
    EXPECT_FALSE(spin->Visible());
    EXPECT_EQ(f.Cell(), QStringLiteral("100"));
    EXPECT_EQ(f.editingDone, 1);

    // A refused Return keeps the editor with the cell's text and the caret at the end.
    TKindForm r(edSpinEdit, QStringLiteral("40"));
    r.refuse = true;
    r.Open();
    r.Key(Qt::Key_End);   // value 0
    r.Key(Qt::Key_Return);
    TGridSpin* s2 = r.grid->GetEditSpin();
    EXPECT_TRUE(s2->Visible());
    EXPECT_EQ(s2->Text(), r.Cell());
    EXPECT_EQ(s2->SelStart(), s2->Text().size());
    EXPECT_EQ(s2->SelLength(), 0);
}

TEST(GridEditorWrappers, CheckBoxKeys)
{
    struct Row {
        Qt::Key key;
        bool advanceOnEnter;
        int rowAfter;  // -1: the grid advanced to another cell by its rules
    };
    const Row rows[] = {
        {Qt::Key_Escape, false, 2}, {Qt::Key_Return, false, 2}, {Qt::Key_Return, true, -1},
        {Qt::Key_Left, false, 2},   {Qt::Key_Right, false, 2},  {Qt::Key_Down, false, 3},
        {Qt::Key_Up, false, 1},     {Qt::Key_PageDown, false, 2},
    };
    for (const Row& r : rows) {
        TKindForm f(edCheckBox, QStringLiteral("Y"));
        f.grid->Navigation()->SetAdvanceOnEnter(r.advanceOnEnter);
        f.Open();
        TGridCheckBox* box = f.grid->EditCheck();
        ASSERT_TRUE(box->Visible());
        EXPECT_FALSE(box->Checked());
        // One toggle per Space and per press.
        f.Key(Qt::Key_Space);
        EXPECT_TRUE(box->Checked());
        QTest::mouseClick(box->InputWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
        EXPECT_FALSE(box->Checked());
        box->SetCaption(QStringLiteral("changed"));
        const int col = f.grid->Col();
        f.Key(r.key);
        EXPECT_FALSE(box->Visible()) << r.key;
        if (r.rowAfter < 0) {
            EXPECT_TRUE(f.grid->Row() != 2 || f.grid->Col() != col) << r.key;
            continue;
        }
        EXPECT_TRUE(f.grid->Focused()) << r.key;
        EXPECT_EQ(f.grid->Row(), r.rowAfter) << r.key;
        EXPECT_EQ(f.grid->Col(), col) << r.key;
        if (r.key == Qt::Key_Escape) {
            EXPECT_EQ(box->Caption(), QStringLiteral("Y"));
        }
        // The box's state never reaches the cell.
        EXPECT_EQ(f.Cell(), QStringLiteral("Y")) << r.key;
    }
}

TEST(GridEditorWrappers, ButtonTakesTheEllipsValueAndLeavesOnArrowsAndEscape)
{
    TKindForm f(edButton, QStringLiteral("cap"));
    f.grid->OnEllipsClick = [](TObject*, int, int, QString& s) { s = QStringLiteral("x"); };
    f.Open();
    TGridButton* b = f.grid->GridButton();
    ASSERT_TRUE(b->Visible());
    EXPECT_EQ(b->Caption(), QStringLiteral("cap"));
    EXPECT_EQ(b->Width(), f.grid->CellRect(f.grid->Col(), 2).Width() + 1);
    QTest::mouseClick(b->InputWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(b->Caption(), QStringLiteral("x"));
    EXPECT_EQ(f.Cell(), QStringLiteral("x"));
    f.Key(Qt::Key_Down);
    EXPECT_FALSE(b->Visible());
    EXPECT_EQ(f.grid->Row(), 3);

    // Without a handler the caption goes in unchanged; Escape puts back the text the cell had.
    TKindForm e(edButton, QStringLiteral("orig"));
    e.Open();
    e.Key(Qt::Key_Space);
    EXPECT_EQ(e.Cell(), QStringLiteral("orig"));
    e.grid->SetCells(TKindForm::cKind, 2, QStringLiteral("other"));
    e.Key(Qt::Key_Escape);
    EXPECT_FALSE(e.grid->GridButton()->Visible());
    EXPECT_EQ(e.Cell(), QStringLiteral("orig"));
    EXPECT_EQ(e.grid->Row(), 2);
}

TEST(GridEditorWrappers, EditButtonClickPasteAndFilters)
{
    TFormatSettingsScope scope(TestFormats());
    for (bool stop : {false, true}) {
        TKindForm f(edEditBtn, QStringLiteral("abc"));
        f.grid->OnEllipsClick = [](TObject*, int, int, QString& s) { s += QStringLiteral("!"); };
        f.Open();
        TGridEditBtn* e = f.grid->EditBtn();
        e->SetStopEditAfterClick(stop);
        e->ButtonClick(e);
        EXPECT_EQ(e->Visible(), !stop);
        if (stop) {
            EXPECT_EQ(f.Cell(), QStringLiteral("abc!"));
        } else {
            EXPECT_EQ(e->Text(), QStringLiteral("abc!"));
            EXPECT_EQ(e->SelLength(), 4);
        }
    }
    {
        TKindForm f(edEditBtn, QString());
        f.Open();
        Clipboard()->SetAsText(QStringLiteral("pasted\r\n"));
        f.Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(f.grid->EditBtn()->Text(), QStringLiteral("pasted"));
        EXPECT_EQ(f.Cell(), QStringLiteral("pasted"));
    }
    struct Row {
        TEditorType kind;
        const char* typed;
        const char* text;
        unsigned beeps;
    };
    const Row rows[] = {
        {edNumericEditBtn, "-1-2", "-12", 1}, {edNumericEditBtn, "1-", "1", 1}, {edNumericEditBtn, "a5", "5", 1},
        {edFloatEditBtn, "1,5,2", "1,52", 0}, {edFloatEditBtn, "1.000", "1000", 0}, {edFloatEditBtn, "x", "", 0},
        {edNumericUnitEditBtn, "4a", "4", 1},
    };
    for (const Row& r : rows) {
        TKindForm f(r.kind, QString());
        f.Open();
        TCustomEdit* e = r.kind == edNumericUnitEditBtn ? static_cast<TCustomEdit*>(f.grid->UnitEditBtn())
                                                        : static_cast<TCustomEdit*>(f.grid->EditBtn());
        const unsigned before = MessageBeepCount();
        f.Type(QString::fromLatin1(r.typed));
        EXPECT_EQ(e->Text(), QString::fromLatin1(r.text)) << r.typed;
        EXPECT_EQ(MessageBeepCount() - before, r.beeps) << r.typed;
    }
    // A second separator goes in while the selection covers the first; Ctrl+V still pastes.
    TKindForm f(edFloatEditBtn, QStringLiteral("1,5"));
    f.Open();
    f.Key(Qt::Key_A, Qt::ControlModifier);
    f.Type(QStringLiteral(","));
    EXPECT_EQ(f.grid->EditBtn()->Text(), QStringLiteral(","));
    Clipboard()->SetAsText(QStringLiteral("2"));
    f.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.grid->EditBtn()->Text(), QStringLiteral(",2"));
}

TEST(GridEditorWrappers, UnitEditorSplitsTheCellAndEscapeClearsTheUnit)
{
    TKindForm f(edUnitEditBtn, QStringLiteral("5mm"));
    f.grid->UnitEditBtn()->Units()->Add(QStringLiteral("m"));
    f.grid->UnitEditBtn()->Units()->Add(QStringLiteral("mm"));
    f.Open();
    TGridUnitEditBtn* u = f.grid->UnitEditBtn();
    EXPECT_EQ(u->Text(), QStringLiteral("5"));
    EXPECT_EQ(u->UnitID(), QStringLiteral("mm"));
    f.Type(QStringLiteral("0"));
    f.Key(Qt::Key_Escape);
    EXPECT_EQ(u->UnitID(), QString());
    EXPECT_EQ(u->Text(), QStringLiteral("5mm"));
    EXPECT_FALSE(u->Visible());
    EXPECT_EQ(f.Cell(), QStringLiteral("5mm"));

    TKindForm r(edUnitEditBtn, QStringLiteral("7mm"));
    r.grid->UnitEditBtn()->Units()->Add(QStringLiteral("mm"));
    r.Open();
    r.Key(Qt::Key_End);
    r.Type(QStringLiteral("5"));
    r.Key(Qt::Key_Return);
    EXPECT_EQ(r.Cell(), QStringLiteral("75mm"));
}

// A cell text that ends in no known unit opens whole in the editor, and closing
// the editor gives it back unchanged (the three value-with-unit kinds alike).
TEST(GridEditorWrappers, AUnitEditorKeepsATextWithoutAKnownUnit)
{
    for (TEditorType kind : {edUnitEditBtn, edNumericUnitEditBtn, edFloatUnitEditBtn}) {
        SCOPED_TRACE(int(kind));
        TKindForm f(kind, QStringLiteral("12"));
        f.grid->UnitEditBtn()->Units()->Add(QStringLiteral("mm"));
        f.Open();
        TGridUnitEditBtn* u = f.grid->UnitEditBtn();
        ASSERT_TRUE(u->Visible());
        EXPECT_EQ(u->Text(), QStringLiteral("12"));
        EXPECT_EQ(u->UnitID(), QString());
        f.Key(Qt::Key_Return);
        EXPECT_EQ(f.Cell(), QStringLiteral("12"));
        f.grid->SetCells(TKindForm::cKind, 2, QStringLiteral("3 kg"));
        f.Open();
        EXPECT_EQ(u->Text(), QStringLiteral("3 kg"));
        f.GoTo(TKindForm::cAfter, 3); // leaving the editor closes it
        Settle();
        EXPECT_EQ(f.Cell(), QStringLiteral("3 kg"));
    }
}

TEST(GridEditorWrappers, DateCellsClampToTheLimitsAndEscapeWithoutADateGivesToday)
{
    TFormatSettingsScope scope(TestFormats());
    {
        TKindForm f(edDateEdit, QStringLiteral("20/01/2024"));
        f.grid->GetEditDate()->SetMaxDate(EncodeDate(2024, 1, 10));
        f.Open();
        EXPECT_EQ(f.grid->GetEditDate()->Date(), EncodeDate(2024, 1, 9));
    }
    {
        TKindForm f(edDateEdit, QStringLiteral("10/01/2024"));
        f.grid->GetEditDate()->SetMinDate(EncodeDate(2024, 1, 10));
        f.Open();
        EXPECT_EQ(f.grid->GetEditDate()->Date(), EncodeDate(2024, 1, 11));
    }
    TKindForm f(edDateEdit, QStringLiteral("no date"));
    f.Open();
    TGridDatePicker* p = f.grid->GetEditDate();
    ASSERT_TRUE(p->Visible());
    f.Key(Qt::Key_Up);
    f.Key(Qt::Key_Up);
    EXPECT_NE(p->Date(), Date());
    f.Key(Qt::Key_Escape);
    EXPECT_EQ(p->Date(), Date());
    EXPECT_FALSE(p->Visible());
}

TEST(GridEditorWrappers, ADayDigitMovesToTheMonthAndAYearDigitStays)
{
    TFormatSettingsScope scope(TestFormats());
    TKindForm f(edDateEdit, QStringLiteral("15/03/2024"));
    f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
        f.grid->GetEditDate()->SetFormat(QStringLiteral("dd/MM/yyyy"));
    };
    f.Open();
    TGridDatePicker* p = f.grid->GetEditDate();
    ASSERT_EQ(p->Fields().CurrentField(), 0);
    f.Type(QStringLiteral("2"));
    Settle();
    EXPECT_EQ(p->Fields().CurrentField(), 1);
    f.Key(Qt::Key_Right);
    ASSERT_EQ(p->Fields().CurrentField(), 2);
    f.Type(QStringLiteral("2"));
    Settle();
    EXPECT_EQ(p->Fields().CurrentField(), 2);
}

TEST(GridEditorWrappers, DateTimeEscapeBringsBackTheLoadedDateAndKeepsTheEditedTime)
{
    TFormatSettingsScope scope(TestFormats());
    TKindForm f(edDateTimeEdit, QStringLiteral("15/03/2024 10:30"));
    f.Open();
    TGridDateTimePicker* p = f.grid->GetEditDateTime();
    ASSERT_TRUE(p->Visible());
    EXPECT_EQ(f.grid->FOriginalDateTime, EncodeDate(2024, 3, 15) + EncodeTime(10, 30, 0, 0));
    p->SetDateTime(EncodeDate(2024, 4, 1) + EncodeTime(11, 45, 0, 0));
    f.Key(Qt::Key_Escape);
    EXPECT_FALSE(p->Visible());
    EXPECT_TRUE(f.validations.empty());
    EXPECT_EQ(f.Cell(), QStringLiteral("15/03/2024 11:45"));
}

TEST(GridEditorWrappers, TheDateAndTimeEditorWidensUntilTheWholeDateShowsAndStaysInsideTheGrid)
{
    TFormatSettingsScope scope(TestFormats());
    struct Row {
        const char* name;
        int firstWidth, cellWidth;
        bool widened;
    };
    const Row rows[] = {
        {"wide cell", 64, 300, false},
        {"narrow cell", 64, 120, true},
        {"narrow cell at the grid's right edge", 470, 110, true},
    };
    for (const Row& r : rows) {
        TKindForm f(edDateTimeEdit, QStringLiteral("15/06/2024 09:05"));
        f.grid->SetColWidths(0, r.firstWidth);
        f.grid->SetColWidths(f.Disp(TKindForm::cKind), r.cellWidth);
        f.Open();
        TGridDateTimePicker* p = f.grid->GetEditDateTime();
        ASSERT_TRUE(p->Visible()) << r.name;
        ASSERT_NE(p->TimePicker(), nullptr) << r.name;
        const TRect cell = f.grid->CellRect(f.grid->Col(), 2);
        EXPECT_EQ(p->Width() > cell.Width(), r.widened) << r.name;
        // The time part starts right of the whole date.
        const int date = QFontMetrics(p->Font()->ToQFont()).horizontalAdvance(p->Editor()->text());
        EXPECT_GT(p->TimePicker()->Left(), date) << r.name;
        EXPECT_LE(p->Left() + p->Width(), std::max(f.grid->ClientWidth(), cell.Right)) << r.name;
        EXPECT_GE(p->Left(), 0) << r.name;
        if (!r.widened) {
            EXPECT_EQ(p->Left(), cell.Left) << r.name;
        }
        f.Key(Qt::Key_Escape);
    }
}

TEST(GridEditorWrappers, TheCheckBoxEditorCoversTheCellItEdits)
{
    TKindForm f(edCheckBox, QStringLiteral("caption"));
    f.grid->SetColWidths(f.Disp(TKindForm::cKind), 150);
    // A cell colour that the box must not let show through.
    const TColor cellColor = 0x0000C0FF;
    f.grid->OnGetCellColor = [&](TObject*, int ARow, int, TGridDrawState, TBrush* ABrush, TFont*) {
        if (ARow == 2) ABrush->SetColor(cellColor);
    };
    f.Open();
    Settle();
    TGridCheckBox* box = f.grid->EditCheck();
    ASSERT_TRUE(box->Visible());
    EXPECT_EQ(box->Caption(), QStringLiteral("caption"));
    const QImage shot = f.grid->grab(QRect(box->Left(), box->Top(), box->Width(), box->Height())).toImage();
    int through = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) through += shot.pixelColor(x, y) == ToQColor(cellColor);
    EXPECT_EQ(through, 0);
    // Right of its caption the box shows its own colour.
    EXPECT_EQ(shot.pixelColor(shot.width() - 4, shot.height() / 2), ToQColor(box->Color()));
}

TEST(GridEditorWrappers, ATimeEditLeavesTheApplicationsLongTimeFormatAsItWas)
{
    TFormatSettings fs = TestFormats();
    fs.LongTimeFormat = QStringLiteral("hh:nn");
    TFormatSettingsScope scope(fs);
    TKindForm f(edTimeEdit, QStringLiteral("08:15"));
    f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
        f.grid->GetEditDate()->SetFormat(QStringLiteral("HH:mm:ss"));
    };
    f.Open();
    f.grid->HideInplaceEdit();
    EXPECT_EQ(FormatSettings().LongTimeFormat, QStringLiteral("hh:nn"));
    EXPECT_EQ(f.Cell(), QStringLiteral("08:15:00"));
}

TEST(GridEditorWrappers, ClosingASpecialEditorEndsTheEditAndPostsItsDone)
{
    TKindForm f(edEditBtn, QStringLiteral("v"));
    std::vector<std::pair<WPARAM, LPARAM>> done;
    f.grid->OnMessage = [&](const TMessage& m) {
        if (m.Msg == KvGridUnit::GridEditDoneMessage) done.emplace_back(m.WParam, m.LParam);
    };
    f.Open();
    f.Key(Qt::Key_End);
    f.Type(QStringLiteral("w"));
    f.Key(Qt::Key_Return);
    Settle();
    EXPECT_FALSE(f.grid->EditBtn()->Visible());
    EXPECT_EQ(f.Cell(), QStringLiteral("vw"));
    EXPECT_EQ(f.editingDone, 1);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], std::make_pair(WPARAM(TKindForm::cKind), LPARAM(2)));
    f.grid->OnMessage = nullptr;
}

TEST(GridEditorWrappers, TheDateEditorsCalendarTakesItsOptionsAndMinimumSize)
{
    TFormatSettingsScope scope(TestFormats());
    TKindForm f(edDateEdit, QStringLiteral("15/03/2024"));
    std::vector<std::pair<int, int>> drops;
    f.grid->OnDatePickerDropDown = [&](TObject*, int c, int r) { drops.emplace_back(c, r); };
    TGridDatePicker* p = f.grid->GetEditDate();
    p->SetWeeknumbers(true);
    p->SetShowTodayCircle(false);
    f.Open();
    ASSERT_TRUE(p->Visible());
    f.Key(Qt::Key_F4);
    Settle();
    ASSERT_TRUE(p->DroppedDown());
    EXPECT_EQ(p->CalendarStyle(), unsigned(MCS_WEEKNUMBERS | MCS_NOTODAYCIRCLE));
    QCalendarWidget* cal = p->CalendarWidget();
    EXPECT_EQ(cal->verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
    EXPECT_EQ(cal->window()->size(), cal->minimumSizeHint().expandedTo(cal->minimumSize()) + QSize(2, 2));
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0], std::make_pair(f.grid->Col(), 2));
    f.Key(Qt::Key_Escape);
}

TEST(GridEditorWrappers, WritesThePictureOfTheOpenCellEditors)
{
    TFormatSettingsScope scope(TestFormats());
    struct Shot {
        TEditorType kind;
        const char* cell;
    };
    const Shot shots[] = {
        {edNormal, "a long text that wraps in the cell"}, {edSpinEdit, "42"},         {edEditBtn, "C:\\data"},
        {edUnitEditBtn, "25mm"},                            {edDateEdit, "15/06/2024"}, {edTimeEdit, "09:05:30"},
        {edDateTimeEdit, "15/06/2024 09:05"},               {edCheckBox, "caption"},    {edButton, "button"},
    };
    std::vector<QImage> parts;
    for (const Shot& s : shots) {
        TKindForm f(s.kind, QString::fromLatin1(s.cell));
        f.grid->SetColWidths(f.Disp(TKindForm::cKind), 150);
        f.grid->SetRowHeights(2, s.kind == edNormal ? 44 : 24);
        f.grid->UnitEditBtn()->Units()->Add(QStringLiteral("mm"));
        f.Open();
        Settle();
        const TRect r = f.grid->CellRect(f.grid->Col(), 2);
        QRect shot(r.Left - 4, r.Top - 4, r.Width() + 8, r.Height() + 8);
        // The date-and-time editor may be wider than its cell: all of it goes into the picture.
        if (s.kind == edDateTimeEdit) {
            const TGridDateTimePicker* p = f.grid->GetEditDateTime();
            shot |= QRect(p->Left() - 4, p->Top() - 4, p->Width() + 8, p->Height() + 8);
        }
        parts.push_back(f.grid->grab(shot).toImage());
        if (s.kind == edNormal) {
            EXPECT_TRUE(f.Editor()->MultiLine());
        }
    }
    int h = 0, w = 0;
    for (const QImage& p : parts) {
        h += p.height() + 4;
        w = std::max(w, p.width());
    }
    QImage all(w, h, QImage::Format_ARGB32);
    all.fill(Qt::white);
    QPainter painter(&all);
    int y = 0;
    for (const QImage& p : parts) {
        painter.drawImage(0, y, p);
        y += p.height() + 4;
    }
    painter.end();
    const QString path = QDir(QStringLiteral(KV_TEST_BINARY_DIR)).filePath(QStringLiteral("grid_cell_editors.png"));
    ASSERT_TRUE(all.save(path));
}

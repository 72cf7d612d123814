// The grid's drop-down editors (the kinds edTrackbarDropDown to
// edKvGridDropDown) on a rule-like column grid, each kind chosen through
// OnGetEditorType: loading the cell, one key table over all nine, what each
// does differently, and what closing stores.
#include "edit_fixture.h"

#include "grid/kv_string_grid.h"
#include "grid_input/grid_dropdown_editors.h"
#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/ui/messages.h"

#include <QDir>
#include <QPainter>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {
constexpr TColor kRed = 0x0000FF, kGreen = 0x008000, kBlue = 0xFF0000;

// One kind: the cell it opens on, a change made in the editor and the text that
// change commits, and what the cell holds after the change is stored.
struct TKindCase {
    TEditorType kind;
    const char* cell;
    std::function<void(TKvStringGrid*)> change;
    const char* changed;
    const char* stored;
};

TKvCustomDropDown* OpenEditor(TKvStringGrid* G) { return dynamic_cast<TKvCustomDropDown*>(G->EditCtrl); }

void FillTable(TKvMultiColumnDropDown* E)
{
    E->Columns()->Add()->SetHeader(QStringLiteral("Name"));
    for (const char* s : {"alpha", "beta", "gamma"}) E->Items()->Add()->Text()->Add(QString::fromLatin1(s));
}

void FillTable(TCustomKvGridDropDown* E)
{
    E->Columns()->Add()->SetHeader(QStringLiteral("Name"));
    for (const char* s : {"alpha", "beta", "gamma"}) E->Items()->Add()->Text()->Add(QString::fromLatin1(s));
}

const std::vector<TKindCase>& Kinds()
{
    static const std::vector<TKindCase> kinds = {
        {edTrackbarDropDown, "5", [](TKvStringGrid* g) { g->GetEditTrackBar()->SetPosition(7); }, "7", "7"},
        {edMemoDropDown, "one", [](TKvStringGrid* g) { g->GetEditMemo()->SetTextDirect(QStringLiteral("two")); },
         "two", "two"},
        // The calculator shows its numbers with two decimals.
        {edCalculatorDropDown, "12.00",
         [](TKvStringGrid* g) { g->GetEditCalculator()->SetTextDirect(QStringLiteral("34.00")); }, "34.00", "34.00"},
        {edTimePickerDropDown, "10:30:00",
         [](TKvStringGrid* g) { g->GetEditTimePicker()->SetTextDirect(QStringLiteral("11:45:00")); }, "11:45:00",
         "11:45:00"},
        {edDetailDropDown, "alpha", [](TKvStringGrid* g) { g->GetEditDetailPicker()->SetItemIndex(1); }, "beta", "beta"},
        {edGridDropDown, "alpha", [](TKvStringGrid* g) { g->GetEditGridPicker()->SetItemIndex(1); }, "beta", "beta"},
        {edColorPickerDropDown, "Red", [](TKvStringGrid* g) { g->GetEditColorPicker()->SetSelectedColor(kGreen); },
         "Green", "Green"},
        // A data-image cell: the text is the image index, the editor's value its item's caption.
        {edImagePickerDropDown, "1", [](TKvStringGrid* g) { g->GetEditImagePicker()->SetImageIndex(2); }, "two", "2"},
        {edKvGridDropDown, "alpha", [](TKvStringGrid* g) { g->GetEditKvGridPicker()->SetItemIndex(1); }, "beta",
         "beta"},
    };
    return kinds;
}

// 24-hour times with ":" and a decimal point, whatever the machine's locale.
TFormatSettings TimeFormats() { return TestFormats(QLatin1Char('.'), QLatin1Char(',')); }

// The rule-like grid with the drop-down editors filled: the pickers' items,
// three grid images, the colour cell red and the image cell a data image.
struct TDropForm : TKindForm {
    TImageList images{16, 16};
    explicit TDropForm(const TKindCase& Case) : TKindForm(Case.kind, QString::fromLatin1(Case.cell))
    {
        for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
            QImage square(16, 16, QImage::Format_ARGB32);
            square.fill(c);
            images.AddImage(square);
        }
        grid->SetGridImages(&images);
        grid->SetColWidths(Disp(cKind), 140);
        for (int r = 1; r < grid->RowCount(); ++r) grid->SetRowHeights(r, 24);
        switch (Case.kind) {
        case edDetailDropDown:
            for (const char* s : {"alpha", "beta", "gamma"})
                grid->GetEditDetailPicker()->Items()->Add()->SetCaption(QString::fromLatin1(s));
            break;
        case edGridDropDown: FillTable(grid->GetEditGridPicker()); break;
        case edKvGridDropDown: FillTable(grid->GetEditKvGridPicker()); break;
        case edColorPickerDropDown: grid->SetColors(cKind, 2, kRed); break;
        case edImagePickerDropDown: {
            TGridImageDropDown* e = grid->GetEditImagePicker();
            for (const char* s : {"zero", "one", "two"}) {
                TImageItem* it = e->Items()->Add();
                it->SetCaption(QString::fromLatin1(s));
                it->SetImageIndex(e->Items()->Count() - 1);
            }
            grid->AddDataImage(cKind, 2, 1, haCenter, vaCenter);
            break;
        }
        default: break;
        }
    }
    ~TDropForm() { grid->SetGridImages(nullptr); }
    TKvCustomDropDown* E() const { return OpenEditor(grid); }
    TKvCustomDropDown* OpenDropDown()
    {
        Open();
        return E();
    }
};

std::string Name(TEditorType Kind) { return std::to_string(int(Kind)); }
} // namespace

TEST(GridDropDownEditors, EachKindOpensOnTheCellsValueAsItsGetterMadeIt)
{
    TFormatSettingsScope scope(TimeFormats());
    for (const TKindCase& k : Kinds()) {
        TDropForm f(k);
        f.grid->SetComponentStyle(tsOffice2003Olive);
        TKvCustomDropDown* e = f.OpenDropDown();
        ASSERT_NE(e, nullptr) << Name(k.kind);
        EXPECT_TRUE(e->Visible()) << Name(k.kind);
        EXPECT_TRUE(e->Enabled()) << Name(k.kind);
        EXPECT_TRUE(f.grid->EditMode) << Name(k.kind);
        EXPECT_EQ(e->Parent(), f.grid) << Name(k.kind);
        EXPECT_EQ(e->GetComponentStyle(), f.grid->ComponentStyle()) << Name(k.kind);
        const TRect r = f.grid->CellRect(f.grid->Col(), 2);
        EXPECT_EQ(e->Left(), r.Left) << Name(k.kind);
        EXPECT_EQ(e->Top(), r.Top) << Name(k.kind);
        EXPECT_EQ(e->Width(), r.Width() - 1) << Name(k.kind);
        EXPECT_THROW(TGridTrackbarDropDown(&f.form), EInvalidCast);
    }
    // What each loaded.
    {
        TDropForm f(Kinds()[0]);
        f.Open();
        EXPECT_EQ(f.grid->GetEditTrackBar()->Position(), 5);
        EXPECT_TRUE(f.grid->GetEditTrackBar()->EditorEnabled());
    }
    for (const char* text : {"", "abc", "7x"}) {
        // A text that is no integer opens the track bar at 0 without a complaint.
        TDropForm f(Kinds()[0]);
        f.grid->SetCells(TKindForm::cKind, 2, QString::fromLatin1(text));
        f.grid->GetEditTrackBar()->SetPosition(3);
        f.Open();
        EXPECT_TRUE(f.grid->GetEditTrackBar()->Visible()) << text;
        EXPECT_EQ(f.grid->GetEditTrackBar()->Position(), 0) << text;
    }
    {
        TDropForm f(Kinds()[4]);
        f.Open();
        EXPECT_EQ(f.grid->GetEditDetailPicker()->ItemIndex(), 0);
        EXPECT_TRUE(f.grid->GetEditDetailPicker()->EditorEnabled());
    }
    {
        TDropForm f(Kinds()[8]);
        f.Open();
        TGridKvGridDropDown* e = f.grid->GetEditKvGridPicker();
        ASSERT_NE(e->Grid(), nullptr);
        EXPECT_EQ(e->Grid(), e->GetKvColGrid());
        EXPECT_TRUE(e->Grid()->FixedRowAlways());
    }
    for (int i : {5, 8}) {
        TDropForm f(Kinds()[i]);
        f.grid->SetCells(TKindForm::cKind, 2, QStringLiteral("beta"));
        f.Open();
        EXPECT_EQ(f.E()->GetText(), QStringLiteral("beta"));
        const int index = i == 5 ? f.grid->GetEditGridPicker()->ItemIndex() : f.grid->GetEditKvGridPicker()->ItemIndex();
        EXPECT_EQ(index, 1) << i;
    }
    {
        TDropForm f(Kinds()[6]);
        f.Open();
        TGridColorDropDown* c = f.grid->GetEditColorPicker();
        EXPECT_EQ(c->Colors()->Count(), 16);
        EXPECT_EQ(c->SelectedColor(), kRed);
        EXPECT_EQ(c->SelectedColorText(), QStringLiteral("Red"));
    }
    {
        TDropForm f(Kinds()[7]);
        f.Open();
        TGridImageDropDown* e = f.grid->GetEditImagePicker();
        EXPECT_EQ(e->Images(), &f.images);
        EXPECT_EQ(e->ImageIndex(), 1);
        EXPECT_EQ(e->GetText(), QStringLiteral("one"));
    }
}

TEST(GridDropDownEditors, EscapeAfterAChangeShowsTheCellAgainAndKeepsIt)
{
    TFormatSettingsScope scope(TimeFormats());
    for (const TKindCase& k : Kinds()) {
        TDropForm f(k);
        TKvCustomDropDown* e = f.OpenDropDown();
        ASSERT_NE(e, nullptr) << Name(k.kind);
        k.change(f.grid);
        f.Key(Qt::Key_Escape);
        EXPECT_FALSE(e->Visible()) << Name(k.kind);
        EXPECT_FALSE(e->Enabled()) << Name(k.kind);
        EXPECT_EQ(f.Cell(), QString::fromLatin1(k.cell)) << Name(k.kind);
        EXPECT_TRUE(f.validations.empty()) << Name(k.kind);
        EXPECT_EQ(f.grid->Row(), 2) << Name(k.kind);
        EXPECT_TRUE(f.grid->Focused()) << Name(k.kind);
        if (k.kind == edColorPickerDropDown) {
            EXPECT_EQ(f.grid->GetEditColorPicker()->SelectedColor(), kRed);
            EXPECT_EQ(f.grid->Colors(TKindForm::cKind, 2), kRed);
        } else if (k.kind == edImagePickerDropDown) {
            EXPECT_EQ(f.grid->GetEditImagePicker()->ImageIndex(), 1);
        } else {
            EXPECT_EQ(e->LineEdit()->text(), QString::fromLatin1(k.cell)) << Name(k.kind);
        }
    }
}

TEST(GridDropDownEditors, ARefusedReturnKeepsTheEditorWithTheTextSelected)
{
    TFormatSettingsScope scope(TimeFormats());
    for (const TKindCase& k : Kinds()) {
        TDropForm f(k);
        f.refuse = true;
        f.grid->Navigation()->SetAdvanceOnEnter(true);
        TKvCustomDropDown* e = f.OpenDropDown();
        ASSERT_NE(e, nullptr) << Name(k.kind);
        const int col = f.grid->Col();
        k.change(f.grid);
        f.Key(Qt::Key_Return);
        ASSERT_EQ(f.validations.size(), 1u) << Name(k.kind);
        EXPECT_EQ(f.validations[0].Value, QString::fromLatin1(k.changed)) << Name(k.kind);
        EXPECT_TRUE(e->Visible()) << Name(k.kind);
        EXPECT_EQ(f.grid->Row(), 2) << Name(k.kind);
        EXPECT_EQ(f.grid->Col(), col) << Name(k.kind);
        EXPECT_EQ(e->GetText(), QString::fromLatin1(k.changed)) << Name(k.kind);
        EXPECT_EQ(e->SelStart(), 0) << Name(k.kind);
        EXPECT_EQ(e->SelLength(), e->GetText().size()) << Name(k.kind);
        f.grid->OnCellValidate = nullptr;
    }
}

TEST(GridDropDownEditors, UpAndDownCommitAndMoveOnlyWithThePopupClosed)
{
    TFormatSettingsScope scope(TimeFormats());
    struct Row {
        Qt::Key key;
        bool popup;
    };
    for (const Row r : {Row{Qt::Key_Down, false}, Row{Qt::Key_Up, false}, Row{Qt::Key_Down, true}}) {
        for (const TKindCase& k : Kinds()) {
            TDropForm f(k);
            TKvCustomDropDown* e = f.OpenDropDown();
            ASSERT_NE(e, nullptr) << Name(k.kind);
            k.change(f.grid);
            const bool colour = k.kind == edColorPickerDropDown;
            if (r.popup) {
                e->ShowDropDown();
                Settle();
                ASSERT_TRUE(e->DroppedDown()) << Name(k.kind);
                // As the popup hands its keys to the edit.
                e->Perform(WM_KEYDOWN, r.key == Qt::Key_Down ? VK_DOWN : VK_UP, 0);
                Settle();
                if (colour) {
                    // The colour list takes the arrows while it is open.
                    EXPECT_TRUE(e->Visible());
                    e->HideDropDown(true);
                    continue;
                }
                EXPECT_FALSE(e->DroppedDown()) << Name(k.kind);
                EXPECT_EQ(f.grid->Row(), 2) << Name(k.kind);
            } else {
                f.Key(r.key);
                EXPECT_EQ(f.grid->Row(), r.key == Qt::Key_Down ? 3 : 1) << Name(k.kind);
            }
            EXPECT_FALSE(e->Visible()) << Name(k.kind);
            EXPECT_EQ(f.Cell(), QString::fromLatin1(k.stored)) << Name(k.kind);
            // The colour editor leaves without its check.
            EXPECT_EQ(f.validations.size(), colour ? 0u : 1u) << Name(k.kind);
        }
    }
}

TEST(GridDropDownEditors, PageKeysStoreWithoutTheCheckAndStay)
{
    TFormatSettingsScope scope(TimeFormats());
    for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown}) {
        for (const TKindCase& k : Kinds()) {
            TDropForm f(k);
            TKvCustomDropDown* e = f.OpenDropDown();
            ASSERT_NE(e, nullptr) << Name(k.kind);
            k.change(f.grid);
            f.Key(key);
            EXPECT_FALSE(e->Visible()) << Name(k.kind);
            EXPECT_EQ(f.Cell(), QString::fromLatin1(k.stored)) << Name(k.kind);
            EXPECT_TRUE(f.validations.empty()) << Name(k.kind);
            EXPECT_EQ(f.grid->Row(), 2) << Name(k.kind);
        }
    }
}

TEST(GridDropDownEditors, TabIsClaimedOnlyWhenTheGridWantsItAndReturnAndEscapeByTwo)
{
    TFormatSettingsScope scope(TimeFormats());
    for (const TKindCase& k : Kinds()) {
        TDropForm f(k);
        TKvCustomDropDown* e = f.OpenDropDown();
        ASSERT_NE(e, nullptr) << Name(k.kind);
        const bool claims = k.kind == edTrackbarDropDown || k.kind == edColorPickerDropDown;
        EXPECT_EQ(e->Perform(CM_WANTSPECIALKEY, VK_RETURN), LRESULT(claims ? 1 : 0)) << Name(k.kind);
        // OnCellValidate is assigned: the grid wants Tab.
        EXPECT_EQ(e->Perform(CM_WANTSPECIALKEY, VK_TAB), LRESULT(1)) << Name(k.kind);
        f.grid->SetOptions(f.grid->Options() | goTabs);
        const int col = f.grid->Col();
        k.change(f.grid);
        f.Key(Qt::Key_Tab);
        EXPECT_FALSE(e->Visible()) << Name(k.kind);
        EXPECT_EQ(f.Cell(), QString::fromLatin1(k.stored)) << Name(k.kind);
        EXPECT_EQ(f.validations.size(), 1u) << Name(k.kind);
        EXPECT_EQ(f.grid->Col(), col + 1) << Name(k.kind);

        TDropForm n(k);
        n.grid->OnCellValidate = nullptr;
        n.Open();
        ASSERT_NE(n.E(), nullptr) << Name(k.kind);
        EXPECT_EQ(n.E()->Perform(CM_WANTSPECIALKEY, VK_TAB), LRESULT(0)) << Name(k.kind);
    }
}

TEST(GridDropDownEditors, KeyPressHandlersSeeTheEditorAsSender)
{
    TFormatSettingsScope scope(TimeFormats());
    for (const TKindCase& k : Kinds()) {
        TDropForm f(k);
        std::vector<std::pair<TObject*, QChar>> presses;
        f.grid->OnKeyPress = [&](TObject* Sender, QChar& Key) { presses.emplace_back(Sender, Key); };
        TKvCustomDropDown* e = f.OpenDropDown();
        ASSERT_NE(e, nullptr) << Name(k.kind);
        e->Perform(WM_CHAR, 'x', 0);
        e->Perform(WM_CHAR, VK_RETURN, 0);
        ASSERT_EQ(presses.size(), 2u) << Name(k.kind);
        EXPECT_EQ(presses[0].first, e) << Name(k.kind);
        EXPECT_EQ(presses[0].second, QLatin1Char('x')) << Name(k.kind);
        EXPECT_EQ(presses[1].first, e) << Name(k.kind);
        // Return ends there: the editor stays open and nothing is checked.
        EXPECT_TRUE(e->Visible()) << Name(k.kind);
        EXPECT_TRUE(f.validations.empty()) << Name(k.kind);
    }
}

TEST(GridDropDownEditors, ChangesReachOnEditChangeWithTheDisplayColumn)
{
    TFormatSettingsScope scope(TimeFormats());
    TDropForm f(Kinds()[2]);
    std::vector<std::tuple<int, int, QString>> changes;
    f.grid->OnEditChange = [&](TObject*, int c, int r, const QString& v) { changes.emplace_back(c, r, v); };
    f.Open();
    changes.clear();
    f.grid->GetEditCalculator()->SetTextDirect(QStringLiteral("77"));
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), std::make_tuple(f.Disp(TKindForm::cKind), 2, QStringLiteral("77")));
}

// The track bar's DoChange announces nothing more, and a key release reaches the
// drop-down's own OnKeyUp.
TEST(GridDropDownEditors, TheTrackBarsDoChangeIsSilentAndKeyUpPassesOn)
{
    TDropForm f(Kinds()[0]);
    TGridTrackbarDropDown* e = f.grid->GetEditTrackBar();
    int changes = 0, edits = 0, released = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    f.grid->OnEditChange = [&](TObject*, int, int, const QString&) { ++edits; };
    e->OnKeyUp = [&](TObject* Sender, WORD& Key, TShiftState) {
        EXPECT_EQ(Sender, e);
        EXPECT_EQ(Key, WORD(VK_UP));
        ++released;
    };
    f.Open();
    changes = edits = 0;
    e->DoChange();
    EXPECT_EQ(changes + edits, 0);
    e->Perform(WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(released, 1);
}

TEST(GridDropDownEditors, ReturnFinishesThePendingCalculation)
{
    TFormatSettingsScope scope(TimeFormats());
    TDropForm f(Kinds()[2]);
    f.Open();
    TGridCalculatorDropDown* calc = f.grid->GetEditCalculator();
    QChar minus(u'-');
    calc->CalcKeyPress(minus);
    f.Type(QStringLiteral("3"));
    EXPECT_EQ(calc->GetText(), QStringLiteral("3.00"));
    f.Key(Qt::Key_Return);
    EXPECT_EQ(f.Cell(), QStringLiteral("9.00"));
    ASSERT_EQ(f.validations.size(), 1u);
    EXPECT_EQ(f.validations[0].Value, QStringLiteral("9.00"));
}

TEST(GridDropDownEditors, OnlyTheTrackBarShowsTheCancelledTextFormatted)
{
    TFormatSettingsScope scope(TimeFormats());
    // The memo takes a prefix only: a suffix would cut its unformatted text when read back.
    for (int i : {0, 1}) {
        TDropForm f(Kinds()[i]);
        f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
            TKvCustomDropDown* e = i == 0 ? static_cast<TKvCustomDropDown*>(f.grid->GetEditTrackBar())
                                          : static_cast<TKvCustomDropDown*>(f.grid->GetEditMemo());
            e->SetPrefix(QStringLiteral("$"));
            if (i == 0) e->SetSuffix(QStringLiteral(" u"));
        };
        TKvCustomDropDown* e = f.OpenDropDown();
        Kinds()[i].change(f.grid);
        f.Key(Qt::Key_Escape);
        EXPECT_EQ(e->LineEdit()->text(), i == 0 ? QStringLiteral("$5 u") : QStringLiteral("one")) << i;
        EXPECT_EQ(f.Cell(), QString::fromLatin1(Kinds()[i].cell)) << i;
    }
}

TEST(GridDropDownEditors, AClickThatOpenedTheEditorPlacesTheCaretInThreeKinds)
{
    TFormatSettingsScope scope(TimeFormats());
    for (const TKindCase& k : Kinds()) {
        TDropForm f(k);
        TKvCustomDropDown* e = f.OpenDropDown();
        ASSERT_NE(e, nullptr) << Name(k.kind);
        const TPoint inside(e->Width() / 3, e->Height() / 2);
        Mouse->SetCursorPos(e->ClientToScreen(inside));
        if (e->ScreenToClient(Mouse->CursorPos()) != inside) GTEST_SKIP() << "the pointer cannot be placed here";
        e->SelectAll();
        f.grid->LButFlg = true;
        e->Perform(WM_SETFOCUS, 0, 0);
        const bool places =
            k.kind == edTrackbarDropDown || k.kind == edMemoDropDown || k.kind == edCalculatorDropDown;
        EXPECT_EQ(f.grid->LButFlg, !places) << Name(k.kind);
        if (places) {
            EXPECT_EQ(e->SelLength(), 0) << Name(k.kind);
        }
        f.grid->LButFlg = false;
    }
}

TEST(GridDropDownEditors, ClosingTheCalculatorStoresItsTextAndLeavesTheOtherEditors)
{
    TFormatSettingsScope scope(TimeFormats());
    TDropForm f(Kinds()[2]);
    // The other editors made and given a text beforehand.
    std::vector<TKvCustomDropDown*> others = {
        f.grid->GetEditTrackBar(), f.grid->GetEditMemo(),         f.grid->GetEditTimePicker(),
        f.grid->GetEditDetailPicker(), f.grid->GetEditGridPicker(), f.grid->GetEditColorPicker(),
        f.grid->GetEditImagePicker(), f.grid->GetEditKvGridPicker()};
    std::vector<QString> marks;
    for (TKvCustomDropDown* o : others) {
        o->SetTextDirect(QStringLiteral("12"));
        marks.push_back(o->LineEdit()->text());
    }
    f.Open();
    TGridCalculatorDropDown* calc = f.grid->GetEditCalculator();
    calc->SetTextDirect(QStringLiteral("42.00"));
    f.grid->HideInplaceEdit();
    EXPECT_EQ(f.Cell(), QStringLiteral("42.00"));
    EXPECT_FALSE(calc->Visible());
    EXPECT_FALSE(calc->Enabled());
    for (size_t i = 0; i < others.size(); ++i) {
        TKvCustomDropDown* o = others[i];
        EXPECT_FALSE(o->Visible()) << o->ClassName().toStdString();
        EXPECT_FALSE(o->Enabled()) << o->ClassName().toStdString();
        EXPECT_EQ(o->LineEdit()->text(), marks[i]) << o->ClassName().toStdString();
    }
}

TEST(GridDropDownEditors, TheMemoStoresItsLinesJoined)
{
    TDropForm f(Kinds()[1]);
    f.Open();
    TStringList lines;
    lines.Add(QStringLiteral("first"));
    lines.Add(QStringLiteral("second"));
    f.grid->GetEditMemo()->SetMemoText(&lines);
    f.grid->HideInplaceEdit();
    EXPECT_EQ(f.Cell(), QStringLiteral("first\r\nsecond"));
}

TEST(GridDropDownEditors, TheColourEditorStoresTextAndColourAfterOnColorSelected)
{
    struct Row {
        bool shape, handler;
        const char* text;
        TColor color;
    };
    for (const Row r : {Row{false, false, "Green", kGreen}, Row{false, true, "custom", kBlue},
                        Row{true, false, "Green", kGreen}, Row{true, true, "custom", kBlue}}) {
        TDropForm f(Kinds()[6]);
        if (r.shape) f.grid->AddShape(TKindForm::cKind, 2, 0, kRed, 0, haCenter, vaCenter);
        std::vector<std::tuple<int, int, TColor, QString>> calls;
        if (r.handler)
            f.grid->OnColorSelected = [&](TObject*, int c, int row, TColor& color, QString& value) {
                calls.emplace_back(c, row, color, value);
                color = kBlue;
                value = QStringLiteral("custom");
            };
        f.Open();
        EXPECT_EQ(f.grid->GetEditColorPicker()->SelectedColor(), kRed);
        f.grid->GetEditColorPicker()->SetSelectedColor(kGreen);
        f.grid->HideInplaceEdit();
        EXPECT_EQ(f.Cell(), QString::fromLatin1(r.text));
        if (r.shape) {
            EXPECT_EQ(f.grid->GetShapeColor(TKindForm::cKind, 2), r.color);
            EXPECT_EQ(f.grid->Colors(TKindForm::cKind, 2), kRed);
        } else {
            EXPECT_EQ(f.grid->Colors(TKindForm::cKind, 2), r.color);
        }
        if (r.handler) {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(calls[0], std::make_tuple(int(TKindForm::cKind), 2, kGreen, QStringLiteral("Green")));
        }
    }
}

TEST(GridDropDownEditors, TheImageEditorStoresTheIndexByCellType)
{
    struct Row {
        bool dataImage, handler;
        int index;
    };
    for (const Row r : {Row{true, false, 2}, Row{true, true, 0}, Row{false, false, 2}, Row{false, true, 0}}) {
        TDropForm f(Kinds()[7]);
        if (!r.dataImage) {
            f.grid->RemoveDataImage(TKindForm::cKind, 2);
            f.grid->SetCells(TKindForm::cKind, 2, QStringLiteral("text"));
            f.grid->AddImageIdx(TKindForm::cKind, 2, 1, haCenter, vaCenter);
        }
        std::vector<int> seen;
        if (r.handler)
            f.grid->OnImageSelected = [&](TObject*, int, int, int& index) {
                seen.push_back(index);
                index = 0;
            };
        f.Open();
        EXPECT_EQ(f.grid->GetEditImagePicker()->ImageIndex(), 1);
        f.grid->GetEditImagePicker()->SetImageIndex(2);
        f.grid->HideInplaceEdit();
        if (r.dataImage) {
            EXPECT_EQ(f.Cell(), QString::number(r.index));
        } else {
            int idx = -1;
            ASSERT_TRUE(f.grid->GetImageIdx(TKindForm::cKind, 2, idx));
            EXPECT_EQ(idx, r.index);
            EXPECT_EQ(f.Cell(), QStringLiteral("text"));
        }
        if (r.handler) {
            EXPECT_EQ(seen, std::vector<int>{2});
        }
    }
}

TEST(GridDropDownEditors, WritesThePicturesOfTheCalculatorAndColourEditorsOpen)
{
    TFormatSettingsScope scope(TimeFormats());
    for (int i : {2, 6}) {
        TDropForm f(Kinds()[i]);
        TKvCustomDropDown* e = f.OpenDropDown();
        ASSERT_NE(e, nullptr);
        e->ShowDropDown();
        Settle();
        ASSERT_TRUE(e->DroppedDown());
        const QImage grid = f.grid->grab().toImage();
        const QImage popup = e->DropDownForm()->grab().toImage();
        const TPoint below = f.grid->ScreenToClient(e->DropDownForm()->ClientToScreen(TPoint(0, 0)));
        QImage all(std::max(grid.width(), below.X + popup.width()), std::max(grid.height(), below.Y + popup.height()),
                   QImage::Format_ARGB32);
        all.fill(Qt::white);
        QPainter p(&all);
        p.drawImage(0, 0, grid);
        p.drawImage(below.X, below.Y, popup);
        p.end();
        const QString name = i == 2 ? QStringLiteral("grid_calculator_editor.png") : QStringLiteral("grid_colour_editor.png");
        ASSERT_TRUE(all.save(QDir(QStringLiteral(KV_TEST_BINARY_DIR)).filePath(name)));
        e->HideDropDown(true);
    }
}

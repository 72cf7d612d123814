// The multi-column drop-down and its popup table: typing-mode completion,
// exact lookups, silent selection, paging, column scaling, the popup's choice
// kept or cancelled, and the table's painting of header, images and rows.
#include "dropdown/multicolumn_dropdown.h"

#include "dropdown_test_support.h"
#include "platform/ui/graphics.h"
#include "platform/ui/messages.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {

using TMultiHost = TEditorHost<TKvMultiColumnDropDown>;

void Fill(TKvMultiColumnDropDown* E, const QList<QStringList>& Rows, int Columns = 1)
{
    E->Items()->Clear();
    E->Columns()->Clear();
    for (int c = 0; c < Columns; ++c) E->Columns()->Add()->SetHeader(QStringLiteral("H%1").arg(c));
    for (const QStringList& r : Rows) E->Items()->Add()->Text()->Assign(r);
    E->EndUpdate();
}

void Fruits(TKvMultiColumnDropDown* E) { Fill(E, {{"Apple"}, {"Banana"}, {"Blueberry"}}); }

TEST(MultiColumnDropDown, ConstructedState)
{
    TMultiHost h;
    auto* e = h.Edit;
    EXPECT_EQ(e->LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(e->FixedLineColor(), TColor(0xD1BBA4));
    EXPECT_EQ(e->HeaderColor(), TColor(0xFFFFFF));
    EXPECT_EQ(e->HeaderColorTo(), TColor(0x808080));
    EXPECT_EQ(e->HeaderFont()->Color(), TColor(0x723708));
    EXPECT_EQ(e->SelectionColor(), TColor(0xD7FFFD));
    EXPECT_EQ(e->SelectionColorTo(), TColor(0x58D4FC));
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_EQ(e->DropDownRowHeight(), 22);
    EXPECT_EQ(e->DropDownHeight(), 200);
    ASSERT_NE(e->Grid(), nullptr);
    EXPECT_EQ(e->Grid()->Parent(), e->DropDownForm());
}

TEST(MultiColumnDropDown, TypingCompletesFromTheLookupColumn)
{
    TMultiHost h;
    auto* e = h.Edit;
    Fruits(e);
    QLineEdit* le = e->LineEdit();
    le->setFocus();
    QTest::keyPress(le, Qt::Key_B);
    EXPECT_EQ(e->Text(), QStringLiteral("banana"));
    EXPECT_EQ(e->ItemIndex(), 1);
    QTest::keyRelease(le, Qt::Key_B);
    EXPECT_EQ(e->Text(), QStringLiteral("Banana"));
    EXPECT_EQ(e->SelStart(), 1);
    EXPECT_EQ(e->SelLength(), 5);
    QTest::keyClick(le, Qt::Key_L);
    EXPECT_EQ(e->Text(), QStringLiteral("Blueberry"));
    EXPECT_EQ(e->ItemIndex(), 2);
    QTest::keyClick(le, Qt::Key_Backspace);
    EXPECT_FALSE(e->TypingMode());
    EXPECT_EQ(e->Text(), QStringLiteral("Bl")) << "the completed part is deleted and not completed again";
}

TEST(MultiColumnDropDown, MatchCase)
{
    for (bool match : {false, true}) {
        TMultiHost h;
        auto* e = h.Edit;
        Fruits(e);
        e->SetMatchCase(match);
        e->LineEdit()->setFocus();
        QTest::keyClicks(e->LineEdit(), QStringLiteral("ba"));
        EXPECT_EQ(e->Text(), match ? QStringLiteral("ba") : QStringLiteral("Banana")) << match;
    }
}

TEST(MultiColumnDropDown, LookupsAndSilentSelection)
{
    TMultiHost h;
    auto* e = h.Edit;
    EXPECT_EQ(e->ItemIndex(), -1);
    e->SetItemIndex(0);
    EXPECT_EQ(e->ItemIndex(), -1) << "an empty list ignores it";
    Fill(e, {{"x", "Apple"}, {"y"}, {"z", "Banana"}}, 2);
    e->SetLookupColumn(1);
    EXPECT_EQ(e->GetItemIndex("Banana"), 2);
    EXPECT_EQ(e->GetItemIndex("banana"), -1);
    EXPECT_EQ(e->GetItemIndex(""), 1) << "a missing text counts as empty";
    int selects = 0;
    e->OnSelect = [&](TObject*) { ++selects; };
    e->SetItemIndex(2);
    EXPECT_EQ(e->Text(), QStringLiteral("Banana"));
    e->SetItemIndex(3);
    EXPECT_EQ(e->ItemIndex(), 2);
    e->SetItemIndex(-1);
    EXPECT_EQ(e->Text(), QString());
    EXPECT_EQ(selects, 0);
}

TEST(MultiColumnDropDown, Paging)
{
    TMultiHost h;
    auto* e = h.Edit;
    QList<QStringList> rows;
    for (int i = 0; i < 12; ++i) rows << QStringList{QStringLiteral("i%1").arg(i)};
    Fill(e, rows);
    e->SetItemIndex(5);
    e->SelectNextPage();
    EXPECT_EQ(e->ItemIndex(), 11);
    e->SetItemIndex(5);
    e->SelectPreviousPage();
    EXPECT_EQ(e->ItemIndex(), 0);
    e->SelectPrevious();
    EXPECT_EQ(e->ItemIndex(), 0);
    e->SelectLast();
    e->SelectNext();
    EXPECT_EQ(e->ItemIndex(), 11);
}

TEST(MultiColumnDropDown, ColumnsScaleToThePopupWithTheCarriedRemainder)
{
    struct { int Count, Width, Popup; std::vector<int> Expected; } cases[] = {
        {4, 60, 500, {124, 124, 125, 124}},
        {3, 80, 400, {133, 133, 133}},
    };
    for (const auto& c : cases) {
        TMultiHost h;
        auto* e = h.Edit;
        Fill(e, {{"a"}}, c.Count);
        for (int i = 0; i < c.Count; ++i) e->Columns()->Items(i)->SetWidth(c.Width);
        e->SetDropDownAutoWidth(false);
        e->ShowDropDown();
        e->DropDownForm()->SetWidth(c.Popup);
        for (int i = 0; i < c.Count; ++i) e->Grid()->SetColWidths(i, c.Width);
        e->SizeColumnsToDropDown();
        EXPECT_EQ(e->DropDownForm()->Width(), c.Popup);
        std::vector<int> got;
        for (int i = 0; i < c.Count; ++i) got.push_back(e->Grid()->ColWidths(i));
        EXPECT_EQ(got, c.Expected) << c.Popup;
        e->HideDropDown(true);
    }
}

TEST(MultiColumnDropDown, ClosingKeepsConfirmedChoicesOnly)
{
    TMultiHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetItemIndex(0);
    // Cancelled: the item of the opening comes back.
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    e->Grid()->SetRow(3);
    e->HideDropDown(true);
    EXPECT_EQ(e->ItemIndex(), 0);
    // The wheel scrolls without a confirmed choice; a close outside keeps the item.
    e->ShowDropDown();
    e->Grid()->TestWheelDown();
    e->Grid()->TestWheelDown();
    EXPECT_FALSE(e->Grid()->ConfirmSelection());
    e->HideDropDown(false);
    EXPECT_EQ(e->ItemIndex(), 0);
    // A key in the grid confirms.
    e->ShowDropDown();
    WORD k = VK_DOWN;
    e->Grid()->TestKeyDown(k, TShiftState());
    e->HideDropDown(false);
    EXPECT_EQ(e->ItemIndex(), 1);
}

TEST(MultiColumnDropDown, ReturnInTheGridChoosesAndFiresOnSelect)
{
    TMultiHost h;
    auto* e = h.Edit;
    Fruits(e);
    int selects = 0;
    e->OnSelect = [&](TObject*) { ++selects; };
    e->ShowDropDown();
    WORD k = VK_DOWN;
    e->Grid()->TestKeyDown(k, TShiftState());
    k = VK_RETURN;
    e->Grid()->TestKeyDown(k, TShiftState());
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
}

TEST(MultiColumnDropDown, IncrementalSearchInTheOpenPopup)
{
    TMultiHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->ShowDropDown();
    EXPECT_EQ(e->IncrementalLookup('b'), 1);
    EXPECT_EQ(e->IncrementalLookup('l'), 2);
    EXPECT_EQ(e->Text(), QStringLiteral("Blueberry"));
    EXPECT_EQ(e->Grid()->Row(), 3);
    EXPECT_EQ(e->IncrementalLookup('a'), 0) << "a new first letter restarts";
    EXPECT_EQ(e->LookupEntry(), QStringLiteral("a"));
    EXPECT_EQ(e->IncrementalLookup('q'), -1);
    EXPECT_TRUE(e->LookupEntry().isEmpty());
    e->HideDropDown(true);
}

TEST(MultiColumnDropDown, PopupHeightHoldsWholeRowsAndSurvivesRowHeightZero)
{
    TMultiHost h;
    auto* e = h.Edit;
    int H = 200;
    e->AdjustDropDownHeight(H);
    EXPECT_EQ(H, 25 + 7 * 22 + 2);
    e->SetDropDownRowHeight(0);
    H = 200;
    e->AdjustDropDownHeight(H);
    EXPECT_EQ(H, 200);
    Fruits(e);
    e->ShowDropDown();
    EXPECT_TRUE(e->DroppedDown());
    e->HideDropDown(true);
}

TEST(MultiColumnDropDown, ComponentStylesColourTheHeaderTheLinesAndTheSelection)
{
    constexpr TColor keep = 0x12345678;  // the drop-down's value before the style
    struct TCase {
        TQRVStyle Style;
        TColor Header, HeaderTo, HeaderFont, Line, FixedLine, Selection, SelectionText;
    } cases[] = {
        {tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, 0x962D00, 0x962D00, 0xD7FFFD, 0},
        {tsOffice2003Silver, 0xBDA4A5, 0x957475, keep, 0x947C7C, 0x947C7C, 0xD7FFFD, 0},
        {tsWindowsXP, clBtnFace, clBtnFace, 0, 0xC0C0C0, 0, clHighlight, clHighlightText},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0, 0xFBD6B8, 0xFBD6B8, 0xFCEBDC, 0},
        {tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(int(k.Style));
        TMultiHost h;
        auto* e = h.Edit;
        e->HeaderFont()->SetColor(keep);
        e->SetSelectionTextColor(keep);
        e->SetComponentStyle(k.Style);
        EXPECT_EQ(e->HeaderColor(), k.Header);
        EXPECT_EQ(e->HeaderColorTo(), k.HeaderTo);
        EXPECT_EQ(e->HeaderFont()->Color(), k.HeaderFont);
        EXPECT_EQ(e->LineColor(), k.Line);
        EXPECT_EQ(e->FixedLineColor(), k.FixedLine);
        EXPECT_EQ(e->SelectionColor(), k.Selection);
        EXPECT_EQ(e->SelectionTextColor(), k.SelectionText);
    }
    // A selection colour style alone sets the line colours; the custom one keeps them.
    TMultiHost h;
    h.Edit->SetSelectionColorStyle(scWindowsVista);
    EXPECT_EQ(h.Edit->LineColor(), TColor(0xECECF0));
    EXPECT_EQ(h.Edit->FixedLineColor(), TColor(0xD4D2D1));
    h.Edit->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(h.Edit->LineColor(), TColor(0xECECF0));
}

TEST(MultiColumnDropDown, EditKeysAndTheWheelMoveTheItemWhileThePopupIsClosed)
{
    struct TCase {
        WORD Key;
        bool Typable;
        int From, To;
    } cases[] = {
        {VK_DOWN, false, -1, 0}, {VK_DOWN, false, 3, 4},    {VK_UP, false, 3, 2},      {VK_UP, false, 0, 0},
        {VK_NEXT, false, 1, 11}, {VK_PRIOR, false, 11, 1}, {VK_HOME, false, 7, 0},    {VK_END, false, 2, 11},
        {VK_HOME, true, 7, 7},   {VK_END, true, 2, 2},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Key << " from " << k.From);
        TMultiHost h;
        auto* e = h.Edit;
        QList<QStringList> rows;
        for (int i = 0; i < 12; ++i) rows << QStringList{QStringLiteral("i%1").arg(i)};
        Fill(e, rows);
        e->SetEditorEnabled(k.Typable);
        e->SetItemIndex(k.From);
        e->Perform(WM_KEYDOWN, k.Key, 0);
        EXPECT_EQ(e->ItemIndex(), k.To);
        EXPECT_FALSE(e->DroppedDown());
    }
    TMultiHost h;
    Fruits(h.Edit);
    h.Edit->SetItemIndex(0);
    h.Edit->HandleMouseWheelDown();
    EXPECT_EQ(h.Edit->Text(), QStringLiteral("Banana"));
    h.Edit->HandleMouseWheelUp();
    EXPECT_EQ(h.Edit->ItemIndex(), 0);
}

TEST(MultiColumnDropDown, AssignCopiesTheTableItsLookAndItsItems)
{
    TMultiHost a, b;
    Fill(a.Edit, {{"x", "Apple"}, {"y", "Pear"}}, 2);
    a.Edit->SetLookupColumn(1);
    a.Edit->SetHeaderColor(0x010203);
    a.Edit->SetHeaderHeight(31);
    a.Edit->SetDropDownRowHeight(19);
    a.Edit->SetCaseSensitive(true);
    a.Edit->SetColumnSizing(true);
    a.Edit->SetSelectionTextColor(0x0000FF);
    a.Edit->Items()->Items(1)->SetImageIndex(4);
    a.Edit->SetItemIndex(1);
    b.Edit->Assign(a.Edit);
    EXPECT_EQ(b.Edit->LookupColumn(), 1);
    EXPECT_EQ(b.Edit->HeaderColor(), TColor(0x010203));
    EXPECT_EQ(b.Edit->HeaderHeight(), 31);
    EXPECT_EQ(b.Edit->DropDownRowHeight(), 19);
    EXPECT_TRUE(b.Edit->CaseSensitive());
    EXPECT_TRUE(b.Edit->ColumnSizing());
    EXPECT_EQ(b.Edit->SelectionTextColor(), TColor(0x0000FF));
    EXPECT_EQ(b.Edit->Columns()->Count(), 2);
    ASSERT_EQ(b.Edit->Items()->Count(), 2);
    EXPECT_EQ(b.Edit->Items()->Items(1)->ImageIndex(), 4);
    EXPECT_EQ(b.Edit->ItemIndex(), 1) << "the index field is copied as it is";
}

// ---- the table

TEST(MultiColumnGrid, HeaderFillPlainWithoutSecondColour)
{
    TMultiHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetHeaderColor(0x0000FF);
    e->SetHeaderColorTo(clNone);
    e->ShowDropDown();
    TMultiColumnGrid* g = e->Grid();
    g->Repaint();
    QImage img = g->Snapshot();
    TRect R;
    g->GetCellRect(0, 0, R);
    EXPECT_EQ(img.pixelColor(R.Left + 3, R.Top + 3), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(R.Left + 3, R.Bottom - 4), QColor(255, 0, 0));
    img.save(QStringLiteral("multicolumn_dropdown_open.png"));
    e->HideDropDown(true);
}

TEST(MultiColumnGrid, ImageColumnDrawsTheItemImageAtTheLeft)
{
    TMultiHost h;
    auto* e = h.Edit;
    TImageList il(16, 16);
    for (TColor c : {TColor(0x00FF00), TColor(0x00FF00), TColor(0xFF0000)}) {
        TBitmap b;
        b.SetSize(16, 16);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(TRect(0, 0, 16, 16));
        il.Add(&b, nullptr);
    }
    e->SetImages(&il);
    Fill(e, {{"pic"}});
    e->Columns()->Items(0)->SetColumnType(ctImage);
    e->Columns()->Items(0)->SetWidth(120);
    e->Items()->Items(0)->SetImageIndex(2);
    e->ShowDropDown();
    TMultiColumnGrid* g = e->Grid();
    g->Repaint();
    QImage img = g->Snapshot();
    TRect R;
    g->GetCellRect(0, 1, R);
    const int x = R.Left + g->GridLineWidth() + 2;
    EXPECT_EQ(img.pixelColor(x + 1, (R.Top + R.Bottom) / 2), QColor(0, 0, 255));
    EXPECT_NE(img.pixelColor(x - 1, (R.Top + R.Bottom) / 2), QColor(0, 0, 255));
    e->HideDropDown(true);
}

TEST(MultiColumnGrid, MissingTextsAndWrappedRows)
{
    TMultiHost h;
    auto* e = h.Edit;
    Fill(e, {{"one", "two"}, {"only"}}, 2);
    QStringList seen;
    e->OnDropDownGetItemText = [&](TObject*, int c, int r, QString& t) {
        if (r == 2 && c == 1) seen << QStringLiteral("[%1]").arg(t);
    };
    e->ShowDropDown();
    (void)e->Grid()->Snapshot();
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), QStringLiteral("[]"));
    EXPECT_EQ(e->Grid()->RowHeights(1), 22) << "no wrapping column: rows keep the row height";
    e->HideDropDown(true);

    e->Columns()->Items(0)->SetWordwrap(true);
    e->Items()->Items(0)->Text()->Put(0, QStringLiteral("a\nb\nc"));
    e->ShowDropDown();
    EXPECT_GT(e->Grid()->RowHeights(1), 24);
    EXPECT_EQ(e->Grid()->RowHeights(2), 24);
    e->HideDropDown(true);
}

TEST(MultiColumnGrid, AReleaseOverADataRowChoosesItAndClosesThePopup)
{
    TMultiHost h;
    auto* e = h.Edit;
    Fruits(e);
    int selects = 0;
    e->OnSelect = [&](TObject*) { ++selects; };
    e->ShowDropDown();
    TMultiColumnGrid* g = e->Grid();
    const TRect r = g->CellRect(0, 3);
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    g->TestMouseDown(mbLeft, TShiftState(), x, y);
    g->TestMouseUp(mbLeft, TShiftState(), x, y);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->ItemIndex(), 2);
    EXPECT_EQ(e->Text(), QStringLiteral("Blueberry"));
    EXPECT_EQ(selects, 1);
}

TEST(MultiColumnGrid, TabIgnoredAltArrowsGoToTheEdit)
{
    TMultiHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->ShowDropDown();
    TMultiColumnGrid* g = e->Grid();
    EXPECT_EQ(g->Perform(WM_GETDLGCODE), 3);
    const int row = g->Row();
    g->Perform(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(g->Row(), row);
    std::vector<WORD> editKeys;
    e->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { editKeys.push_back(Key); };
    WORD k = VK_UP;
    g->TestKeyDown(k, TShiftState(ssAlt));
    EXPECT_EQ(editKeys, std::vector<WORD>{VK_UP}) << "Alt+Up goes to the edit, which closes the popup";
    EXPECT_EQ(g->Row(), row);
}

} // namespace

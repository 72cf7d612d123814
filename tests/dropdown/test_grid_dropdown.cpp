// The grid drop-down and its popup grid: typed lookup and completion, the
// list style's restart, narrowing the popup grid down, whole-row popup height,
// choosing and cancelling, the editable grid's Return, filling from columns
// and items, measuring, the popup grid's keys and clicks, rows and items after
// a sort, the constructed state and the forwarded grid events.
#include "dropdown/grid_dropdown.h"

#include "dropdown_test_support.h"
#include "platform/ui/graphics.h"
#include "platform/ui/messages.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {

using TGridHost = TEditorHost<TCustomKvGridDropDown>;

void Fill(TCustomKvGridDropDown* E, const QList<QStringList>& Rows, int Columns = 1)
{
    E->Items()->Clear();
    E->Columns()->Clear();
    for (int c = 0; c < Columns; ++c) E->Columns()->Add()->SetHeader(QStringLiteral("H%1").arg(c));
    for (const QStringList& r : Rows) E->Items()->Add()->Text()->Assign(r);
    E->EndUpdate();
}

void Fruits(TCustomKvGridDropDown* E) { Fill(E, {{"apple"}, {"banana"}, {"blueberry"}}); }

TEST(GridDropDown, ConstructedState)
{
    TGridHost h;
    auto* e = h.Edit;
    EXPECT_EQ(e->HeaderFont()->Color(), TColor(0x723708));
    EXPECT_EQ(e->LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(e->FixedLineColor(), TColor(0xD1BBA4));
    EXPECT_EQ(e->SelectionColor(), TColor(0xD7FFFD));
    EXPECT_EQ(e->SelectionColorTo(), TColor(0x58D4FC));
    EXPECT_EQ(e->HeaderColor(), TColor(0xFFFFFF));
    EXPECT_EQ(e->HeaderColorTo(), TColor(0x808080));
    EXPECT_EQ(e->HeaderHeight(), 25);
    EXPECT_EQ(e->DropDownRowHeight(), 22);
    EXPECT_EQ(e->DropDownHeight(), 200);
    EXPECT_EQ(e->DropDownColor(), TColor(0xFFFFFF));
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_TRUE(e->UseItems());
    EXPECT_TRUE(e->RowSelect());
    EXPECT_TRUE(e->AutoSizeColumns());
    EXPECT_EQ(e->LookupMethod(), lmLookup);
    EXPECT_EQ(e->Navigation()->HomeEndKey(), heFirstLastRow);
    EXPECT_EQ(e->Version(), QStringLiteral("6.0.1.1"));
    TKvColGrid* g = e->GetKvColGrid();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Parent(), e->DropDownForm());
    EXPECT_TRUE(g->FixedRowAlways());
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->FixedCols(), 0);
    EXPECT_TRUE(g->Options().Contains(goRowSelect));
    EXPECT_FALSE(g->Options().Contains(goRangeSelect));
    EXPECT_EQ(g->ColGridLineWidth(), 1);
    EXPECT_EQ(g->GridLineWidth(), 0);
}

TEST(GridDropDown, TypingLooksUpAndCompletes)
{
    TGridHost h;
    auto* e = h.Edit;
    Fruits(e);
    QLineEdit* le = e->LineEdit();
    le->setFocus();
    QTest::keyClick(le, Qt::Key_B);
    EXPECT_EQ(e->Text(), QStringLiteral("banana"));
    EXPECT_EQ(e->ItemIndex(), 1);
    EXPECT_EQ(e->SelStart(), 1);
    EXPECT_EQ(e->SelLength(), 5);
    QTest::keyClick(le, Qt::Key_L);
    EXPECT_EQ(e->Text(), QStringLiteral("blueberry"));
    EXPECT_EQ(e->ItemIndex(), 2);
    EXPECT_EQ(e->SelStart(), 2);
    EXPECT_EQ(e->SelLength(), 7);
    EXPECT_EQ(e->LookupEntry(), QStringLiteral("bl"));
    QTest::keyClick(le, Qt::Key_Backspace);
    EXPECT_FALSE(e->TypingMode()) << "no completion while deleting";
    EXPECT_EQ(e->LookupEntry(), QStringLiteral("b"));
    EXPECT_EQ(e->Text(), QStringLiteral("b"));
}

TEST(GridDropDown, ListStyleRestartsTheLookupWithTheLastCharacter)
{
    TGridHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetStyle(dsDropDownList);
    EXPECT_FALSE(e->EditorEnabled());
    EXPECT_EQ(e->LookupKey('b'), 1);
    EXPECT_EQ(e->LookupKey('x'), -1);
    EXPECT_TRUE(e->LookupEntry().isEmpty());
    EXPECT_EQ(e->Text(), QStringLiteral("banana"));
    EXPECT_EQ(e->LookupKey('b'), 1);
    EXPECT_EQ(e->LookupKey('a'), 1) << "\"ba\" still finds banana";
    EXPECT_EQ(e->LookupKey('p'), -1) << "\"bap\" fails, and so does \"p\" alone";
    EXPECT_EQ(e->LookupKey('a'), 0) << "a new start with \"a\"";
    EXPECT_EQ(e->LookupEntry(), QStringLiteral("a"));
    e->SetLookupMethod(lmNone);
    EXPECT_EQ(e->LookupKey('b'), -1);
    EXPECT_EQ(e->ItemIndex(), 0);
}

TEST(GridDropDown, NarrowDownHidesRowsWithoutTheTypedText)
{
    TGridHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetLookupMethod(lmNarrowDown);
    e->ShowDropDown();
    TKvColGrid* g = e->GetKvColGrid();
    ASSERT_EQ(g->RowCount(), 4);
    EXPECT_EQ(e->LookupKey('a'), 1);
    EXPECT_EQ(g->RowCount(), 3) << "apple and banana contain an a";
    EXPECT_EQ(e->LookupKey('n'), 1);
    ASSERT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("banana"));
    EXPECT_EQ(e->ItemOfRow(1), 1) << "the row still maps to its item";
    EXPECT_EQ(e->Text(), QStringLiteral("banana"));
    // Backspace first removes the selected tail, then typed characters; a
    // shorter entry drops the last filter level, a blank one every filter.
    e->LookupKey(QChar(VK_BACK));
    EXPECT_EQ(e->LookupEntry(), QStringLiteral("an"));
    e->LookupKey(QChar(VK_BACK));
    EXPECT_EQ(e->LookupEntry(), QStringLiteral("a"));
    e->LookupKey(' ');
    EXPECT_EQ(g->RowCount(), 3);
    for (int i = 0; i < 5 && !e->LookupEntry().isEmpty(); ++i) e->LookupKey(QChar(VK_BACK));
    ASSERT_TRUE(e->LookupEntry().isEmpty());
    e->LookupKey(' ');
    EXPECT_EQ(g->RowCount(), 4);
    e->HideDropDown(true);
}

TEST(GridDropDown, PopupHeightHoldsWholeRows)
{
    struct Case { bool Panels; int RowHeight; int Expected; };
    for (const Case& c : {Case{true, 22, 185}, Case{false, 22, 185}, Case{true, 0, 200}, Case{false, -3, 200}}) {
        TGridHost h;
        auto* e = h.Edit;
        e->DropDownHeader()->SetVisible(c.Panels);
        e->DropDownFooter()->SetVisible(c.Panels);
        e->DropDownHeader()->SetHeight(22);
        e->DropDownFooter()->SetHeight(22);
        e->SetDropDownRowHeight(c.RowHeight);
        int H = 200;
        e->AdjustDropDownHeight(H);
        EXPECT_EQ(H, c.Expected) << c.Panels << " " << c.RowHeight;
        Fruits(e);
        e->ShowDropDown();
        EXPECT_TRUE(e->DroppedDown()) << "opens with row height " << c.RowHeight;
        e->HideDropDown(true);
    }
}

TEST(GridDropDown, ItemIndexOutsideTheItemsIsIgnored)
{
    TGridHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetItemIndex(1);
    e->SetItemIndex(5);
    EXPECT_EQ(e->ItemIndex(), 1);
    EXPECT_EQ(e->Text(), QStringLiteral("banana"));
    e->SetItemIndex(-1);
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_TRUE(e->Text().isEmpty());
    // An item with fewer lines than the lookup column shows as empty.
    e->SetLookupColumn(1);
    e->SetItemIndex(2);
    EXPECT_TRUE(e->Text().isEmpty());
    EXPECT_EQ(e->ItemIndex(), 2);
}

TEST(GridDropDown, ChoosingAndCancellingInThePopup)
{
    TGridHost h;
    auto* e = h.Edit;
    Fruits(e);
    int selects = 0;
    e->OnSelect = [&](TObject*) { ++selects; };
    e->SetItemIndex(0);
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    TKvColGrid* g = e->GetKvColGrid();
    EXPECT_EQ(g->Row(), 1);
    WORD k = VK_DOWN;
    g->TestKeyDown(k, TShiftState());
    EXPECT_EQ(e->ItemIndex(), 1) << "the row follows the selection";
    e->HideDropDown(true);
    EXPECT_EQ(e->ItemIndex(), 0) << "Escape restores the opening item";
    EXPECT_EQ(e->Text(), QStringLiteral("apple"));
    // Tab does nothing inside the grid; Return chooses.
    e->ShowDropDown();
    g->Perform(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(e->DroppedDown());
    EXPECT_EQ(g->Row(), 1);
    k = VK_DOWN;
    g->TestKeyDown(k, TShiftState());
    g->TestKeyDown(k, TShiftState());
    k = VK_RETURN;
    g->TestKeyDown(k, TShiftState());
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->ItemIndex(), 2);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(g->Perform(WM_CHAR, VK_RETURN, 0), 1) << "Return is swallowed as a character";
}

TEST(GridDropDown, ClickOnACheckBoxCellDoesNotChoose)
{
    TGridHost h;
    auto* e = h.Edit;
    Fill(e, {{"apple", ""}, {"banana", ""}}, 2);
    int selects = 0;
    e->OnSelect = [&](TObject*) { ++selects; };
    e->ShowDropDown();
    TKvColGrid* g = e->GetKvColGrid();
    g->AddCheckBox(1, 1, false, false);
    const TRect box = g->CellRect(1, 1);
    g->TestMouseDown(mbLeft, TShiftState(), box.Left + 3, box.Top + 3);
    g->TestMouseUp(mbLeft, TShiftState(), box.Left + 3, box.Top + 3);
    EXPECT_EQ(selects, 0);
    EXPECT_TRUE(e->DroppedDown());
    const TRect text = g->CellRect(0, 2);
    g->TestMouseDown(mbLeft, TShiftState(), text.Left + 3, text.Top + 3);
    g->TestMouseUp(mbLeft, TShiftState(), text.Left + 3, text.Top + 3);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(e->ItemIndex(), 1);
    EXPECT_FALSE(e->DroppedDown());
}

TEST(GridDropDown, EditableGridReturnEndsTheEditAndTakesTheLookupColumnOnly)
{
    for (int Column : {0, 1}) {
        TGridHost h;
        auto* e = h.Edit;
        Fill(e, {{"apple", "red"}, {"banana", "yellow"}}, 2);
        e->SetGridEditable(true);
        e->SetRowSelect(false);
        e->ShowDropDown();
        TKvColGrid* g = e->GetKvColGrid();
        g->SetRow(2);
        g->SetCol(Column);
        g->SetEditorMode(true);
        ASSERT_TRUE(g->EditorMode()) << Column;
        WORD k = VK_RETURN;
        e->TestKeyDown(k, TShiftState());
        EXPECT_EQ(k, 0);
        EXPECT_FALSE(g->EditorMode());
        EXPECT_EQ(e->ItemIndex(), 1);
        EXPECT_EQ(e->Text(), QStringLiteral("banana"));
        k = VK_RETURN;
        e->TestKeyUp(k, TShiftState());
        EXPECT_EQ(e->DroppedDown(), Column != 0) << Column;
        e->HideDropDown(false);
    }
}

TEST(GridDropDown, ItemsAssignKeepsImageIndexesOnly)
{
    TGridHost h;
    auto* e = h.Edit;
    TDropDownItems other(nullptr);
    for (int i = 0; i < 2; ++i) {
        TDropDownItem* it = other.Add();
        it->SetImageIndex(i + 4);
        it->Text()->Add(QStringLiteral("t%1").arg(i));
    }
    e->SetItems(&other);
    ASSERT_EQ(e->Items()->Count(), 2);
    EXPECT_EQ(e->Items()->Items(0)->ImageIndex(), 4);
    EXPECT_EQ(e->Items()->Items(1)->ImageIndex(), 5);
    EXPECT_EQ(e->Items()->Items(1)->Text()->Count(), 0);
}

TEST(KvColGrid, FillsFromColumnsAndItemsWithMissingCellsEmpty)
{
    TGridHost h;
    auto* e = h.Edit;
    Fill(e, {{"a"}, {"b", "c"}}, 3);
    e->Items()->Items(1)->Text()->Add(QStringLiteral("d"));
    e->ShowDropDown();
    TKvColGrid* g = e->GetKvColGrid();
    ASSERT_EQ(g->ColCount(), 3);
    ASSERT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("H2"));
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("a"));
    EXPECT_TRUE(g->Cells(1, 1).isEmpty());
    EXPECT_TRUE(g->Cells(2, 1).isEmpty());
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("d"));
    EXPECT_EQ(e->ItemOfRow(1), 0);
    EXPECT_EQ(e->ItemOfRow(2), 1);
    EXPECT_EQ(e->ItemOfRow(7), 7) << "beyond the rows the row itself";
    e->HideDropDown(true);
}

TEST(KvColGrid, MeasuresAutoSizeColumnsAndWordWrapRows)
{
    TGridHost h;
    auto* e = h.Edit;
    Fill(e, {}, 2);
    e->Columns()->Items(0)->SetAutoSize(true);
    e->Columns()->Items(1)->SetWordwrap(true);
    e->ShowDropDown();
    EXPECT_EQ(e->GetKvColGrid()->Columns()->Items(0)->Width(), 0) << "no items: 0 wide";
    e->HideDropDown(true);
    Fill(e, {{"short", "x"}, {"a rather much longer text", "y"}}, 2);
    e->Columns()->Items(0)->SetAutoSize(true);
    e->Columns()->Items(1)->SetWordwrap(true);
    e->ShowDropDown();
    TKvColGrid* g = e->GetKvColGrid();
    const int wide = g->Columns()->Items(0)->Width();
    EXPECT_GT(wide, 60);
    EXPECT_EQ(e->Columns()->Items(0)->Width(), 80) << "the drop-down's own column is not measured";
    EXPECT_EQ(g->RowHeights(1), 24) << "short wrapped texts keep the minimum";
    EXPECT_EQ(g->RowHeights(2), 24);
    e->HideDropDown(true);
}

TEST(GridDropDown, RowsAndItemsMatchAfterASort)
{
    TGridHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetSorting(gsSingleColumn);
    e->SetItemIndex(0);
    e->ShowDropDown();
    TKvColGrid* g = e->GetKvColGrid();
    g->SortSettings()->Column = 0;
    g->SortSettings()->Direction = sdDescending;
    bool allow = true;
    g->OnCanSort(g, 0, allow);
    g->QSort();
    g->OnClickSort(g, 0);
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("blueberry"));
    EXPECT_EQ(e->ItemOfRow(1), 2);
    EXPECT_EQ(e->ItemOfRow(3), 0);
    EXPECT_EQ(e->RowOfItem(0), 3);
    EXPECT_EQ(e->RowOfItem(1), 2);
    EXPECT_EQ(e->RowOfItem(-1), e->ItemIndex());
    EXPECT_EQ(g->Row(), 3) << "the chosen item's row stays current";
    e->HideDropDown(true);
    // Opening again sorts on opening because a sort column shows.
    e->ShowDropDown();
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("blueberry"));
    e->HideDropDown(true);
}

TEST(GridDropDown, ForwardedGridEventsWithTheirExtras)
{
    TGridHost h;
    auto* e = h.Edit;
    Fill(e, {{"a", "b"}}, 2);
    e->Columns()->Items(1)->SetAlignment(taRightJustify);
    e->Columns()->Items(1)->SetColor(0x123456);
    bool blocked = false;
    TObject* sender = nullptr;
    e->OnGridAnchorClick = [&](TObject* s, int, int, const QString&, bool&) { blocked = e->DropDownForm()->BlockActivate(); sender = s; };
    e->OnGridButtonClick = [&](TObject*, int, int) { blocked = e->DropDownForm()->BlockActivate(); };
    e->OnGridEllipsClick = [&](TObject*, int, int, QString&) { blocked = e->DropDownForm()->BlockActivate(); };
    TAlignment seenAlign = taLeftJustify;
    e->OnGridGetAlignment = [&](TObject*, int, int, TAlignment& A, TVAlignment&) { seenAlign = A; };
    TColor seenColor = clNone;
    e->OnGridGetCellColor = [&](TObject*, int, int, TGridDrawState, TBrush* B, TFont*) { seenColor = B->Color(); };
    TObject* topLeftSender = nullptr;
    e->OnGridTopLeftChanged = [&](TObject* s) { topLeftSender = s; };
    QString plain;
    e->OnGridGetDiplText = [&](TObject*, int, int, QString& V) { plain = V; V = QStringLiteral("shown"); };
    e->ShowDropDown();
    TKvColGrid* g = e->GetKvColGrid();

    struct Blocking { const char* Name; std::function<void()> Fire; };
    const Blocking blocking[] = {
        {"anchor", [&] { bool hd = false; g->OnAnchorClick(g, 1, 0, QStringLiteral("x"), hd); }},
        {"button", [&] { g->OnButtonClick(g, 0, 1); }},
        {"ellipsis", [&] { QString s; g->OnEllipsClick(g, 0, 1, s); }},
    };
    for (const Blocking& b : blocking) {
        blocked = false;
        b.Fire();
        EXPECT_TRUE(blocked) << b.Name;
        EXPECT_FALSE(e->DropDownForm()->BlockActivate()) << b.Name << ": only during the call";
    }
    EXPECT_EQ(sender, g) << "the popup grid is the Sender";

    TAlignment A = taLeftJustify;
    TVAlignment V = vtaCenter;
    g->OnGetAlignment(g, 1, 1, A, V);
    EXPECT_EQ(seenAlign, taRightJustify) << "the column's alignment comes first";
    TBrush brush;
    TFont font;
    g->OnGetCellColor(g, 1, 1, TGridDrawState(), &brush, &font);
    EXPECT_EQ(seenColor, TColor(0x123456));
    g->OnTopLeftChanged(g);
    EXPECT_EQ(topLeftSender, e) << "the drop-down itself is the Sender";
    // Moving rows and columns and the spin buttons pass straight through.
    TObject* moveSender = nullptr;
    int spinValue = 0;
    e->OnGridRowMoving = [&](TObject* s, int, bool& Allow) { moveSender = s; Allow = false; };
    e->OnGridColumnMove = [&](TObject*, int, bool& Allow) { Allow = false; };
    e->OnGridSpinClick = [&](TObject*, int, int, int Value, bool) { spinValue = Value; };
    e->HideDropDown(true);
    e->ShowDropDown();
    bool allowRow = true, allowCol = true;
    g->OnRowMoving(g, 1, allowRow);
    g->OnColumnMove(g, 1, allowCol);
    g->OnSpinClick(g, 1, 1, 7, true);
    EXPECT_EQ(moveSender, g);
    EXPECT_FALSE(allowRow);
    EXPECT_FALSE(allowCol);
    EXPECT_EQ(spinValue, 7);
    EXPECT_FALSE(g->OnCustomCellDraw) << "unassigned at opening: not wired";
    QString text = QStringLiteral("raw");
    g->OnGetDisplText(g, 0, 1, text);
    EXPECT_EQ(plain, QStringLiteral("raw"));
    EXPECT_EQ(text, QStringLiteral("shown"));
    e->HideDropDown(true);
    e->OnGridCustomCellDraw = [](TObject*, TCanvas*, int, int, TGridDrawState, TRect, bool) {};
    e->ShowDropDown();
    EXPECT_TRUE(bool(g->OnCustomCellDraw));
    e->HideDropDown(true);
}

TEST(GridDropDown, PictureOfTheOpenPopup)
{
    TGridHost h(260);
    auto* e = h.Edit;
    Fill(e, {{"apple", "red", "1"}, {"banana", "yellow", "2"}, {"blueberry", "blue", "3"}, {"cherry", "red", "4"}},
         3);
    e->Columns()->Items(2)->SetAlignment(taRightJustify);
    e->SetItemIndex(1);
    e->ShowDropDown();
    QApplication::processEvents();
    ASSERT_TRUE(e->DroppedDown());
    const QImage img = e->DropDownForm()->grab().toImage();
    EXPECT_GT(img.width(), 100);
    img.save(QStringLiteral("grid_dropdown_open.png"));
    e->HideDropDown(true);
}

} // namespace

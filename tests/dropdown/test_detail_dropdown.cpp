// The detail drop-down: its constructed state, completion while typing, Return,
// Escape and Backspace, the silent and the announced selection, the popup list
// with its paging, arrows, type-ahead and wheel, a cancelled close, the item
// size and the item drawing with notes, and the open list as a picture.
#include "dropdown/detail_dropdown.h"

#include "dropdown_test_support.h"
#include "platform/ui/messages.h"

#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {

using TDetailHost = TEditorHost<TKvDetailDropDown>;

void Fill(TKvDetailDropDown* E, std::initializer_list<const char*> Captions)
{
    for (const char* c : Captions) E->Items()->Add()->SetCaption(QString::fromUtf8(c));
}

void Fruits(TKvDetailDropDown* E) { Fill(E, {"Apple", "Apricot", "Banana"}); }

struct TSelects {
    int Count = 0;
    explicit TSelects(TKvDetailDropDown* E)
    {
        E->OnSelect = [this](TObject*) { ++Count; };
    }
};

LRESULT Key(TKvDetailDropDown* E, WORD Vk) { return E->Perform(WM_KEYDOWN, Vk, 0); }

// Popup without header and footer, so the list's height is the popup's less its border.
void ListRows(TKvDetailDropDown* E, int Rows)
{
    E->DropDownHeader()->SetVisible(false);
    E->DropDownFooter()->SetVisible(false);
    E->SetDropDownHeight(2 * E->DropDownBorderWidth() + Rows * E->ItemHeight() + E->ItemHeight() / 2);
}

} // namespace

TEST(DetailDropDown, ConstructedState)
{
    TDetailHost h;
    auto* e = h.Edit;
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_EQ(e->ItemHeight(), 22);
    EXPECT_EQ(e->Layout(), ilCaptionRight);
    EXPECT_TRUE(e->EditorEnabled());
    EXPECT_TRUE(e->DropDownEnabled());
    EXPECT_TRUE(e->TypingMode());
    EXPECT_FALSE(e->MatchCase());
    EXPECT_EQ(e->CaptionFont()->Name(), e->Font()->Name());
    EXPECT_EQ(e->NotesFont()->Size(), e->Font()->Size());
    ASSERT_NE(e->ItemSelector(), nullptr);
    EXPECT_EQ(e->ItemSelector()->Parent(), e->DropDownForm());
    EXPECT_EQ(e->ItemSelector()->SelectorType(), stImage);
    EXPECT_EQ(e->Control(), e->ItemSelector());
    EXPECT_FALSE(e->TypeAhead()->Timer()->Enabled());
    EXPECT_EQ(e->TypeAhead()->Timer()->Interval(), 500u);
}

TEST(DetailDropDown, ItemsCompareCaptionsExactlyAndReportOnlyPropertyChanges)
{
    TDetailItems items(nullptr);
    int changes = 0;
    items.OnChange = [&](TObject*) { ++changes; };
    items.Add()->SetCaption(QStringLiteral("Banana"));
    items.Add()->SetCaption(QStringLiteral("Banana"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(items.IndexOf(QStringLiteral("Banana")), 0);
    EXPECT_EQ(items.IndexOf(QStringLiteral("banana")), -1);
    items.Items(1)->SetNotes(QStringLiteral("<b>n</b>"));
    items.Items(1)->SetTag(7);
    EXPECT_EQ(changes, 2) << "notes and tag do not notify";
    TDetailItems copy(nullptr);
    copy.Assign(&items);
    EXPECT_EQ(copy.Items(1)->Notes(), QStringLiteral("<b>n</b>"));
    EXPECT_EQ(copy.Items(1)->Tag(), 7);
}

TEST(DetailDropDown, TypingCompletesWithTheTypedCaseKept)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    QLineEdit* le = e->LineEdit();
    le->setFocus();
    QTest::keyClick(le, Qt::Key_A);
    QTest::keyClick(le, Qt::Key_P);
    EXPECT_EQ(e->Text(), QStringLiteral("apple"));
    EXPECT_EQ(e->SelStart(), 2);
    EXPECT_EQ(e->SelLength(), 3);
    EXPECT_EQ(e->ItemIndex(), 0);
    // No caption starts with "apx": the typed text stays, the item too.
    QTest::keyClick(le, Qt::Key_X);
    EXPECT_EQ(e->Text(), QStringLiteral("apx"));
    EXPECT_EQ(e->ItemIndex(), 0);
}

TEST(DetailDropDown, MatchCaseFindsNothingForOtherCase)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetMatchCase(true);
    e->LineEdit()->setFocus();
    QTest::keyClicks(e->LineEdit(), QStringLiteral("ap"));
    EXPECT_EQ(e->Text(), QStringLiteral("ap"));
    EXPECT_EQ(e->ItemIndex(), -1);
    QTest::keyClicks(e->LineEdit(), QStringLiteral("r"));
    EXPECT_EQ(e->Text(), QStringLiteral("apr"));
}

TEST(DetailDropDown, BackspaceRemovesTheCompletionWithoutCompletingAgain)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    QLineEdit* le = e->LineEdit();
    le->setFocus();
    QTest::keyClicks(le, QStringLiteral("ap"));
    ASSERT_EQ(e->Text(), QStringLiteral("apple"));
    QTest::keyClick(le, Qt::Key_Backspace);
    EXPECT_EQ(e->Text(), QStringLiteral("ap"));
    EXPECT_FALSE(e->TypingMode());
    QTest::keyClick(le, Qt::Key_R);
    EXPECT_TRUE(e->TypingMode());
    EXPECT_EQ(e->Text(), QStringLiteral("apricot"));
    EXPECT_EQ(e->ItemIndex(), 1);
}

TEST(DetailDropDown, ReturnSelectsTheItemOfAnExactCaption)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetItemIndex(0);
    TSelects selects(e);
    const struct {
        const char* Text;
        int Index, Selects;
    } cases[] = {{"banana", 0, 0}, {"Banana", 2, 1}, {"Banana", 2, 1}};
    for (const auto& c : cases) {
        WORD k = VK_DELETE; // typing mode off: the text below is not completed
        e->TestKeyDown(k, TShiftState());
        e->SetTextDirect(QString::fromLatin1(c.Text));
        k = VK_RETURN;
        e->TestKeyDown(k, TShiftState());
        EXPECT_EQ(e->ItemIndex(), c.Index) << c.Text;
        EXPECT_EQ(selects.Count, c.Selects) << c.Text;
    }
    EXPECT_EQ(e->Text(), QStringLiteral("Banana"));
}

TEST(DetailDropDown, SetItemIndexAnnouncesItemsAndClearsSilently)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    TSelects selects(e);
    e->SetItemIndex(1);
    EXPECT_EQ(e->Text(), QStringLiteral("Apricot"));
    EXPECT_EQ(e->SelLength(), 7) << "wholly selected";
    EXPECT_EQ(e->ItemIndex(), 1) << "the set caption is not completed to another item";
    EXPECT_EQ(selects.Count, 1);
    e->SetItemIndex(1);
    e->SetItemIndex(3);
    e->SetItemIndex(-2);
    EXPECT_EQ(selects.Count, 1);
    EXPECT_EQ(e->ItemIndex(), 1);
    e->SetItemIndex(-1);
    EXPECT_EQ(e->Text(), QString());
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_EQ(selects.Count, 1);
    // The steps do not wrap.
    e->SelectPrevious();
    EXPECT_EQ(e->ItemIndex(), 0);
    e->SelectPrevious();
    EXPECT_EQ(e->ItemIndex(), 0);
    e->SelectLast();
    e->SelectNext();
    EXPECT_EQ(e->ItemIndex(), 2);
}

TEST(DetailDropDown, PagingInTheOpenPopupStepsByTheVisibleRows)
{
    TDetailHost h;
    auto* e = h.Edit;
    for (int i = 0; i < 12; ++i) e->Items()->Add()->SetCaption(QStringLiteral("Item %1").arg(i));
    ListRows(e, 5);
    e->SetItemIndex(0);
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    ASSERT_EQ(e->ItemSelector()->GetVisibleItemCount(), 5);
    const struct {
        WORD Key;
        int Expected;
    } steps[] = {{VK_NEXT, 5}, {VK_NEXT, 10}, {VK_NEXT, 11}, {VK_PRIOR, 6}, {VK_PRIOR, 1}, {VK_PRIOR, 0}};
    for (const auto& s : steps) {
        EXPECT_EQ(Key(e, s.Key), 1) << "the open list keeps the key";
        EXPECT_EQ(e->ItemIndex(), s.Expected) << s.Key;
        EXPECT_TRUE(e->DroppedDown());
    }
    e->HideDropDown(false);
}

TEST(DetailDropDown, PagingWithARowHeightOfZeroDoesNothing)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetItemHeight(0);
    e->SetItemIndex(1);
    e->ShowDropDown();
    EXPECT_EQ(e->ItemSelector()->GetVisibleItemCount(), 0);
    Key(e, VK_NEXT);
    Key(e, VK_PRIOR);
    EXPECT_EQ(e->ItemIndex(), 1);
    e->HideDropDown(false);
}

TEST(DetailDropDown, ArrowsAndHomeEndOpenAndClosed)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    TSelects selects(e);
    // Closed: Up and Down step the value; Home and End belong to the typable edit.
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 0);
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 1);
    Key(e, VK_END);
    EXPECT_EQ(e->ItemIndex(), 1);
    e->SetEditorEnabled(false);
    Key(e, VK_END);
    EXPECT_EQ(e->ItemIndex(), 2);
    Key(e, VK_HOME);
    EXPECT_EQ(e->ItemIndex(), 0);
    e->SetEditorEnabled(true);
    // Open: the list moves and the popup stays.
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    EXPECT_EQ(Key(e, VK_DOWN), 1);
    EXPECT_EQ(e->ItemIndex(), 1);
    EXPECT_EQ(e->ItemSelector()->ItemIndex(), 1);
    Key(e, VK_END);
    EXPECT_EQ(e->ItemIndex(), 2);
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 2);
    Key(e, VK_RIGHT);
    EXPECT_EQ(e->ItemIndex(), 2) << "Left and Right move the caret of a typable edit";
    Key(e, VK_HOME);
    EXPECT_EQ(e->ItemIndex(), 0);
    EXPECT_TRUE(e->DroppedDown());
    EXPECT_EQ(selects.Count, 7);
    e->HideDropDown(false);
}

TEST(DetailDropDown, TypeAheadInTheOpenListSearchesTheKeysTogether)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->ShowDropDown();
    Key(e, 'A');
    EXPECT_EQ(e->ItemIndex(), 0);
    Key(e, 'P');
    Key(e, 'R');
    EXPECT_EQ(e->ItemIndex(), 1) << "APR: Apricot";
    EXPECT_TRUE(e->DroppedDown());
    e->TypeAhead()->Timer()->Tick();
    Key(e, 'B');
    EXPECT_EQ(e->ItemIndex(), 2);
    Key(e, 'A');
    EXPECT_EQ(e->ItemIndex(), 2) << "BA: still Banana";
    e->TypeAhead()->Timer()->Tick();
    Key(e, 'R');
    EXPECT_EQ(e->ItemIndex(), 2) << "no caption starts with R: the selection stays";
    e->HideDropDown(false);
}

TEST(DetailDropDown, CancelledCloseRestoresTheItemOfTheOpening)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->SetItemIndex(0);
    e->ShowDropDown();
    Key(e, VK_DOWN);
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 2);
    e->HideDropDown(true);
    EXPECT_EQ(e->ItemIndex(), 0);
    EXPECT_EQ(e->Text(), QStringLiteral("Apple"));
    // A click in the list picks and closes.
    e->ShowDropDown();
    TCustomItemSelector* panel = e->ItemSelector()->SelectorPanel();
    TRect r;
    panel->GetItemRect(1, r);
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(r.Left + 5, r.Top + 5));
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->ItemIndex(), 1);
    EXPECT_EQ(e->Text(), QStringLiteral("Apricot"));
}

TEST(DetailDropDown, WheelStepsTheValueClosedAndTheListOpen)
{
    TDetailHost h;
    auto* e = h.Edit;
    Fruits(e);
    e->HandleMouseWheelDown();
    EXPECT_EQ(e->ItemIndex(), 0);
    e->HandleMouseWheelDown();
    e->HandleMouseWheelUp();
    EXPECT_EQ(e->ItemIndex(), 0);
    e->ShowDropDown();
    e->HandleMouseWheelDown();
    EXPECT_EQ(e->ItemIndex(), 1);
    EXPECT_TRUE(e->DroppedDown());
    e->HideDropDown(false);
}

TEST(DetailDropDown, ItemWidthLeavesRoomForTheScrollBar)
{
    TDetailHost h;
    auto* e = h.Edit;
    e->SetDropDownWidth(200);
    TSize s{0, 0};
    e->DetailItemSize(nullptr, s);
    EXPECT_EQ(s.cy, 22);
    EXPECT_EQ(s.cx, 200 - 2 * GetSystemMetrics(SM_CXBORDER) - 4);
    for (int i = 0; i < 30; ++i) e->Items()->Add()->SetCaption(QStringLiteral("Row %1").arg(i));
    e->ShowDropDown();
    ASSERT_TRUE(e->ItemSelector()->VertScrollBarVisible());
    e->DetailItemSize(nullptr, s);
    EXPECT_EQ(s.cx, 200 - 2 * GetSystemMetrics(SM_CXBORDER) - 4 - GetSystemMetrics(SM_CXVSCROLL));
    e->HideDropDown(false);
}

TEST(DetailDropDown, ItemDrawsImageCaptionWithEllipsisAndNotes)
{
    TDetailHost h;
    auto* e = h.Edit;
    TImageList images(16, 16);
    QImage square(16, 16, QImage::Format_ARGB32);
    square.fill(Qt::red);
    images.AddImage(square);
    e->SetImages(&images);
    TDetailItem* it = e->Items()->Add();
    it->SetCaption(QStringLiteral("A caption far too long for the width of its row"));
    it->SetImageIndex(0);
    it->SetNotes(QStringLiteral("see <a href=\"x\">here</a>"));
    e->SetItemIndex(0);
    e->ItemAppearance()->SetColorSelectedText(0x00AA00);
    TRecordingCanvas c;
    const TRect R(0, 0, 150, 40);
    e->DrawDetailItem(nullptr, &c, R, 0);
    const TRecordingCanvas::Op* caption = nullptr;
    std::vector<const TRecordingCanvas::Op*> notes;
    for (const auto& op : c.Ops) {
        if (!op.Kind.startsWith(QStringLiteral("Text"))) continue;
        if (!caption) caption = &op;
        else notes.push_back(&op);
    }
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->Text.endsWith(QStringLiteral("..."))) << caption->Text.toStdString();
    EXPECT_EQ(caption->Color, TColor(0x00AA00)) << "the selected item's text colour";
    EXPECT_EQ(caption->X, 16 + 4 + 4) << "past the image and its gap, then the caption margin";
    ASSERT_FALSE(notes.empty());
    bool anchor = false;
    for (const auto* op : notes) {
        EXPECT_GE(op->Y, 2 + c.TextHeight(QStringLiteral("gh")));
        if (op->Text.contains(QStringLiteral("here"))) anchor = op->Color == TColor(0xFF0000);
    }
    EXPECT_TRUE(anchor) << "anchors in the notes take the anchor colour";
    // An own drawing replaces everything.
    int own = 0;
    e->OnDrawSelectedImage = [&](TObject*, TCanvas*, TRect) { ++own; };
    c.Clear();
    e->DrawDetailItem(nullptr, &c, R, 0);
    EXPECT_EQ(own, 1);
    EXPECT_TRUE(c.Ops.empty());
    e->SetImages(nullptr);
}

TEST(DetailDropDown, OpenListWithNotesIsPictured)
{
    TDetailHost h(60);
    auto* e = h.Edit;
    TImageList images(16, 16);
    for (QColor col : {QColor(Qt::red), QColor(Qt::darkGreen), QColor(Qt::blue)}) {
        QImage square(16, 16, QImage::Format_ARGB32);
        square.fill(col);
        images.AddImage(square);
    }
    e->SetImages(&images);
    const char* notes[] = {"<b>Malus</b> domestica", "<i>Prunus</i> armeniaca, see <a href=\"x\">notes</a>",
                           "<font color=\"clGray\">Musa</font>"};
    int i = 0;
    for (const char* c : {"Apple", "Apricot", "Banana"}) {
        TDetailItem* it = e->Items()->Add();
        it->SetCaption(QLatin1String(c));
        it->SetImageIndex(i);
        it->SetNotes(QLatin1String(notes[i]));
        ++i;
    }
    e->SetItemHeight(36);
    e->SetDropDownWidth(220);
    e->SetDropDownHeight(2 + e->DropDownHeader()->Height() + e->DropDownFooter()->Height() + 3 * 36 + 8);
    e->SetItemIndex(1);
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    const QImage rgb = SaveOpenPopupSheet(h.Form, e, "detail_dropdown_open.png");
    TCustomItemSelector* panel = e->ItemSelector()->SelectorPanel();
    TRect r;
    panel->GetItemRect(2, r);
    const QPoint at = panel->mapTo(e->DropDownForm(), QPoint(r.Left + 2 + 8, (r.Top + r.Bottom) / 2));
    EXPECT_EQ(rgb.pixel(at), qRgb(0, 0, 255)) << "Banana's image";
    e->HideDropDown(false);
    e->SetImages(nullptr);
}

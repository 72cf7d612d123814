// The track bar drop-down: construction, the bar's range, keys by frequency,
// the drag over the edit, and malformed text.
#include "dropdown/trackbar_dropdown.h"

#include "dropdown_test_support.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/messages.h"

#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {

using TTrackHost = TEditorHost<TKvTrackBarDropDown>;

void Key(TKvTrackBarDropDown* E, WORD Vk) { E->Perform(WM_KEYDOWN, Vk, 0); }

void Drag(TKvTrackBarDropDown* E, int From, std::initializer_list<int> Moves)
{
    E->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(unsigned(From), 5u));
    for (int x : Moves) E->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(unsigned(x), 5u));
    E->Perform(WM_LBUTTONUP, 0, MAKELPARAM(unsigned(From), 5u));
}

} // namespace

TEST(TrackBarDropDown, ConstructionState)
{
    TTrackHost h;
    auto* e = h.Edit;
    EXPECT_FALSE(e->EditorEnabled());
    EXPECT_TRUE(e->DropDownEnabled());
    EXPECT_TRUE(e->ForceShadow());
    EXPECT_FALSE(e->DropDownHeader()->Visible());
    EXPECT_FALSE(e->DropDownFooter()->Visible());
    EXPECT_EQ(e->Min(), 0);
    EXPECT_EQ(e->Max(), 10);
    EXPECT_EQ(e->Position(), 0);
    EXPECT_EQ(e->Frequency(), 1);
    EXPECT_EQ(e->PageSize(), 2);
    ASSERT_NE(e->TrackBar(), nullptr) << "the bar is created with the popup";
    EXPECT_EQ(e->TrackBar()->Height(), 40);
}

TEST(TrackBarDropDown, UpAndDownStepByFrequencyOnlyInsideTheRange)
{
    TTrackHost h;
    auto* e = h.Edit;
    e->SetFrequency(3);
    e->SetPosition(9);
    EXPECT_EQ(e->Text(), QStringLiteral("9"));
    Key(e, VK_DOWN);
    EXPECT_EQ(e->Position(), 9) << "12 is outside: no clamping to the limit";
    Key(e, VK_UP);
    EXPECT_EQ(e->Position(), 6) << "Up lowers the value";
    EXPECT_EQ(e->Text(), QStringLiteral("6"));
    e->SetPosition(2);
    Key(e, VK_UP);
    EXPECT_EQ(e->Position(), 2);
}

TEST(TrackBarDropDown, ThePositionStaysInTheBarsRangeAndTheTextFollows)
{
    TTrackHost h;
    auto* e = h.Edit;
    int changes = 0;
    e->OnTrackChange = [&](TObject*) { ++changes; };
    e->SetPosition(15);
    EXPECT_EQ(e->Position(), 10);
    EXPECT_EQ(e->Text(), QStringLiteral("10"));
    EXPECT_EQ(changes, 1);
    e->SetMax(-5);
    EXPECT_EQ(e->Max(), -5);
    EXPECT_EQ(e->Min(), -5) << "the bar keeps Min <= Max and both ends are taken back";
    EXPECT_EQ(e->Position(), -5);
}

TEST(TrackBarDropDown, DraggingMovesByPageSizePixelsPerUnit)
{
    struct Case {
        const char* Name;
        int PageSize;
        std::initializer_list<int> Moves;
        int Expected;
    };
    const Case cases[] = {
        {"7 pixels in one event add 3", 2, {57}, 3},
        {"seven 1-pixel events add nothing", 2, {51, 52, 53, 54, 55, 56, 57}, 0},
        {"to the left lowers", 2, {46}, 0},
        {"a page size of 0 does nothing", 0, {57, 90}, 0},
    };
    for (const Case& c : cases) {
        TTrackHost h;
        h.Edit->SetPageSize(c.PageSize);
        Drag(h.Edit, 50, c.Moves);
        EXPECT_EQ(h.Edit->Position(), c.Expected) << c.Name;
        h.Edit->HideDropDown(true);
    }
    TTrackHost h;
    h.Edit->SetPosition(5);
    Drag(h.Edit, 50, {46});
    EXPECT_EQ(h.Edit->Position(), 3);
    h.Edit->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(90u, 5u));
    EXPECT_EQ(h.Edit->Position(), 3) << "the release ends the drag";
}

TEST(TrackBarDropDown, WithTypingOnKeysAndDragLeaveTheValue)
{
    TTrackHost h;
    auto* e = h.Edit;
    e->SetEditorEnabled(true);
    e->SetPosition(5);
    Key(e, VK_UP);
    Key(e, VK_DOWN);
    Drag(e, 50, {70});
    EXPECT_EQ(e->Position(), 5);
}

TEST(TrackBarDropDown, TextThatIsNoIntegerKeepsThePosition)
{
    TTrackHost h;
    auto* e = h.Edit;
    e->SetEditorEnabled(true);
    e->SetPosition(4);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    for (const char* text : {"", "abc", "4x"}) {
        e->SetTextDirect(QString::fromLatin1(text));
        EXPECT_EQ(e->Position(), 4) << '"' << text << '"';
    }
    EXPECT_EQ(changes, 3) << "OnChange fires all the same";
    e->SetTextDirect(QStringLiteral("7"));
    EXPECT_EQ(e->Position(), 7);
    e->SetTextDirect(QStringLiteral("99"));
    EXPECT_EQ(e->Position(), 10);
    EXPECT_EQ(e->Text(), QStringLiteral("10"));
}

TEST(TrackBarDropDown, OpeningHandsTheValuesToTheBar)
{
    TTrackHost h;
    auto* e = h.Edit;
    e->SetPosition(3);
    e->SetPageSize(4);
    e->SetFrequency(2);
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    EXPECT_EQ(e->Control(), e->TrackBar());
    EXPECT_FALSE(e->DropDownForm()->CancelOnDeActivate());
    EXPECT_EQ(e->TrackBar()->Position(), 3);
    EXPECT_EQ(e->TrackBar()->PageSize(), 4);
    EXPECT_EQ(e->TrackBar()->Frequency(), 2);
    e->TrackBar()->SetPosition(8);
    EXPECT_EQ(e->Position(), 8);
    EXPECT_EQ(e->Text(), QStringLiteral("8"));
    e->HideDropDown(false);
    EXPECT_EQ(e->Position(), 8);
}

TEST(TrackBarDropDownEditType, IsANumericEdit)
{
    TKvTrackBarDropDown t(nullptr);
    EXPECT_EQ(t.EditType(), etNumeric);
}

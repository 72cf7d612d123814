// The time picker drop-down: construction, stepping the part under the caret,
// the short form, parsing typed times (out-of-range parts included), and the
// popup with the watch and the time control, kept or cancelled. Also writes
// the open picker to timepicker_open.png in the build folder.
#include "dropdown/timepicker_dropdown.h"

#include "dropdown/watch.h"
#include "dropdown_test_support.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/messages.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QDateTimeEdit>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {

// Equal to the millisecond: the time control keeps whole milliseconds.
::testing::AssertionResult SameTime(TDateTime A, TDateTime B)
{
    if (qRound64(A * MSecsPerDay) == qRound64(B * MSecsPerDay)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << FormatDateTime(QStringLiteral("hh:nn:ss.zzz"), A).toStdString()
                                         << " vs " << FormatDateTime(QStringLiteral("hh:nn:ss.zzz"), B).toStdString();
}

TDateTime At(int H, int M, int S = 0) { return EncodeTime(H, M, S, 0); }

using TPickerHost = TEditorHost<TKvTimePickerDropDown>;

void ReleaseOnWatch(TKvWatch* W, int X, int Y) { W->Perform(WM_LBUTTONUP, 0, MAKELPARAM(unsigned(X), unsigned(Y))); }

// Opens the popup at 09:30:15 with the hands moving at once.
TKvTimePickerDropDown* OpenAtNineThirty(TPickerHost& H)
{
    H.Edit->SetAnimation(false);
    H.Edit->SetTime(At(9, 30, 15));
    H.Edit->ShowDropDown();
    return H.Edit;
}

// Three o'clock inside the face.
void ClickThreeOClock(TKvWatch* W)
{
    const TPoint c = W->Center();
    ReleaseOnWatch(W, c.X + int(W->Radius() / 2), c.Y);
}

} // namespace

TEST(TimePickerDropDown, ConstructionState)
{
    TPickerHost h;
    auto* e = h.Edit;
    EXPECT_FALSE(e->EditorEnabled());
    EXPECT_TRUE(e->DropDownEnabled());
    EXPECT_FALSE(e->ShowTimePicker());
    EXPECT_TRUE(e->ShowSeconds());
    EXPECT_TRUE(e->ShowWatchAMPM());
    EXPECT_TRUE(e->ShowWatchNumbers());
    EXPECT_TRUE(e->Animation());
    EXPECT_EQ(e->AnimationFactor(), 10);
    EXPECT_EQ(e->Time(), 0.0);
    EXPECT_EQ(e->Text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(e->EditMask(), QStringLiteral("!90:00:00;1; "));
    EXPECT_FALSE(e->DropDownHeader()->Visible());
    EXPECT_FALSE(e->DropDownFooter()->Visible());
    ASSERT_NE(e->Watch(), nullptr);
    EXPECT_EQ(e->DateTimePicker(), nullptr) << "created on the first opening that needs it";
}

TEST(TimePickerDropDown, UpAndDownStepThePartUnderTheCaret)
{
    struct Case {
        const char* Name;
        bool Seconds;
        TDateTime Start;
        int Caret;
        WORD Key;
        QString Expected;
    };
    const Case cases[] = {
        {"hour down by Up", true, At(9, 30, 15), 0, VK_UP, "08:30:15"},
        {"hour, caret before the separator", true, At(9, 30, 15), 1, VK_DOWN, "10:30:15"},
        {"hour wraps below 0", true, At(0, 30, 15), 0, VK_UP, "23:30:15"},
        {"hour wraps above 23", true, At(23, 30, 15), 1, VK_DOWN, "00:30:15"},
        {"minute after the first separator", true, At(9, 30, 15), 3, VK_DOWN, "09:31:15"},
        {"minute, caret inside it", true, At(9, 30, 15), 4, VK_UP, "09:29:15"},
        {"second right after the second separator", true, At(9, 30, 15), 6, VK_DOWN, "09:30:16"},
        {"second wraps", true, At(9, 30, 59), 8, VK_DOWN, "09:30:00"},
        {"minute wraps", true, At(9, 0, 15), 4, VK_UP, "09:59:15"},
        {"no seconds: the end steps the minute", false, At(9, 30, 15), 5, VK_DOWN, "09:31"},
        {"no seconds: inside the minute", false, At(9, 30, 15), 4, VK_UP, "09:29"},
    };
    for (const Case& c : cases) {
        TPickerHost h;
        auto* e = h.Edit;
        e->SetEditorEnabled(true);
        e->SetShowSeconds(c.Seconds);
        e->SetTime(c.Start);
        int changes = 0;
        e->OnTimeChange = [&](TObject*) { ++changes; };
        e->SetSelStart(c.Caret);
        WORD k = c.Key;
        e->KeyDown(k, {});
        EXPECT_EQ(e->Text(), c.Expected) << c.Name;
        EXPECT_EQ(e->SelStart(), c.Caret) << c.Name << ": the caret stays";
        EXPECT_EQ(changes, 1) << c.Name;
    }
    TPickerHost h;
    h.Edit->SetEditorEnabled(true);
    h.Edit->SetTime(At(9, 30, 15));
    WORD k = VK_UP;
    h.Edit->KeyDown(k, TShiftState(ssCtrl));
    EXPECT_EQ(h.Edit->Time(), At(9, 30, 15)) << "not with Ctrl";
}

TEST(TimePickerDropDown, PartSettersIgnoreTheSameValueAndOutOfRange)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->SetTime(At(9, 30, 15));
    int changes = 0;
    e->OnTimeChange = [&](TObject*) { ++changes; };
    e->SetHourPart(24);
    e->SetMinutePart(60);
    e->SetSecondPart(60);
    e->SetHourPart(9);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(e->Time(), At(9, 30, 15));
    e->SetSecondPart(59);
    EXPECT_EQ(e->Text(), QStringLiteral("09:30:59"));
    EXPECT_EQ(changes, 1);
}

TEST(TimePickerDropDown, TheShortFormKeepsTheSeconds)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->SetTime(At(9, 30, 15));
    e->SetShowSeconds(false);
    EXPECT_EQ(e->Text(), QStringLiteral("09:30"));
    EXPECT_EQ(e->EditMask(), QStringLiteral("!90:00;1; "));
    EXPECT_EQ(e->Time(), At(9, 30, 15));
    e->SetShowSeconds(true);
    EXPECT_EQ(e->Text(), QStringLiteral("09:30:15"));
}

TEST(TimePickerDropDown, TypedTimes)
{
    struct Case {
        const char* Name;
        bool Seconds;
        QString Typed;
        TDateTime Expected; // negative: Time unchanged
    };
    const Case cases[] = {
        {"07:00 is parsed", false, "07:00", At(7, 0)},
        {"7:00 is too short", false, "7:00", -1},
        {"a full time with seconds", true, "12:34:56", At(12, 34, 56)},
        {"hour 25", false, "25:00", -1},
        {"minute 99", true, "12:99:00", -1},
        {"second 60", true, "12:00:60", -1},
        {"no digits (the mask takes none)", true, "ab:cd:ef", -1},
    };
    for (const Case& c : cases) {
        TPickerHost h;
        auto* e = h.Edit;
        e->SetEditorEnabled(true);
        e->SetShowSeconds(c.Seconds);
        e->SetTime(At(5, 6, 7));
        int changes = 0;
        e->OnChange = [&](TObject*) { ++changes; };
        EXPECT_NO_THROW(e->SetTextDirect(c.Typed)) << c.Name;
        EXPECT_GT(changes, 0) << c.Name;
        if (c.Expected < 0) {
            EXPECT_EQ(e->Time(), At(5, 6, 7)) << c.Name;
            if (c.Typed.size() == (c.Seconds ? 8 : 5) && c.Typed[0].isDigit()) {
                EXPECT_EQ(e->Text(), c.Typed) << c.Name << ": the text is left as it is";
            }
        } else {
            EXPECT_EQ(e->Time(), c.Expected) << c.Name;
        }
    }
}

TEST(TimePickerDropDown, ClickingThreeOClockAndClosing)
{
    TPickerHost h;
    auto* e = OpenAtNineThirty(h);
    ASSERT_TRUE(e->DroppedDown());
    EXPECT_EQ(e->Control(), e->PanelCtrl());
    EXPECT_FALSE(e->DropDownForm()->CancelOnDeActivate());
    EXPECT_EQ(e->Watch()->Time(), At(9, 30, 15));
    EXPECT_FALSE(e->Watch()->Animation());
    ClickThreeOClock(e->Watch());
    EXPECT_EQ(e->Watch()->Time(), At(3, 30, 15));
    e->HideDropDown(false);
    EXPECT_EQ(e->Text(), QStringLiteral("03:30:15"));
    EXPECT_EQ(e->Time(), At(3, 30, 15));
}

TEST(TimePickerDropDown, ACancelledCloseRestoresTimeAndText)
{
    TPickerHost h;
    auto* e = OpenAtNineThirty(h);
    ClickThreeOClock(e->Watch());
    ReleaseOnWatch(e->Watch(), e->Watch()->Center().X, e->Watch()->Center().Y + int(e->Watch()->Radius()) + 5);
    EXPECT_NE(e->Text(), QStringLiteral("09:30:15")) << "the hands moved the shown time";
    e->HideDropDown(true);
    EXPECT_EQ(e->Time(), At(9, 30, 15));
    EXPECT_EQ(e->Text(), QStringLiteral("09:30:15"));
    EXPECT_EQ(e->Watch()->Time(), At(9, 30, 15));
}

TEST(TimePickerDropDown, LosingTheActivationTakesTheWatchTime)
{
    TPickerHost h;
    auto* e = OpenAtNineThirty(h);
    WORD k = VK_PRIOR;
    e->DropDownFormKeyDown(k, {});
    EXPECT_TRUE(e->DroppedDown()) << "Page Up goes to the watch, not the edit";
    e->DropDownForm()->Hide();
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->Time(), e->Watch()->Time());
    EXPECT_NE(e->Time(), At(9, 30, 15));
}

TEST(TimePickerDropDown, KeysFromThePopup)
{
    struct Case {
        const char* Name;
        WORD Key;
        bool Closes;
    };
    const Case cases[] = {
        {"Up is held back", VK_UP, false},
        {"Down is held back", VK_DOWN, false},
        {"Page Down is held back", VK_NEXT, false},
        {"Escape reaches the edit", VK_ESCAPE, true},
        {"Return reaches the edit", VK_RETURN, true},
        {"F4 reaches the edit", VK_F4, true},
    };
    for (const Case& c : cases) {
        TPickerHost h;
        h.Edit->SetAnimation(false);
        h.Edit->ShowDropDown();
        WORD k = c.Key;
        h.Edit->ControlKeyDown(k, {});
        EXPECT_EQ(!h.Edit->DroppedDown(), c.Closes) << c.Name;
        h.Edit->HideDropDown(true);
    }
}

TEST(TimePickerDropDown, TheTimeControlFollowsTheWatch)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->SetAnimation(false);
    e->SetShowTimePicker(true);
    e->SetTime(At(9, 30, 15));
    e->ShowDropDown();
    TDateTimePicker* p = e->DateTimePicker();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->Visible());
    EXPECT_EQ(p->Kind(), dtkTime);
    EXPECT_EQ(p->Format(), QStringLiteral("HH:mm:ss"));
    EXPECT_TRUE(SameTime(p->Time(), At(9, 30, 15)));
    EXPECT_EQ(e->PanelCtrl()->Height(), 170 + p->Height());
    int changes = 0;
    e->OnTimeChange = [&](TObject*) { ++changes; };
    ClickThreeOClock(e->Watch());
    EXPECT_TRUE(SameTime(p->Time(), At(3, 30, 15)));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(e->Text(), QStringLiteral("03:30:15"));

    QTest::keyClick(p->Editor(), Qt::Key_Up);
    EXPECT_FALSE(SameTime(p->Time(), At(3, 30, 15))) << "the user stepped a field of the control";
    EXPECT_TRUE(SameTime(e->Watch()->Time(), p->Time())) << "the watch follows the control";

    const QImage form = h.Form->grab().toImage();
    const QImage popup = e->DropDownForm()->grab().toImage();
    QImage sheet(std::max(form.width(), popup.width()), form.height() + popup.height(), QImage::Format_RGB32);
    sheet.fill(Qt::lightGray);
    QPainter painter(&sheet);
    painter.drawImage(0, 0, form);
    painter.drawImage(e->Left(), form.height(), popup);
    painter.end();
    EXPECT_TRUE(sheet.save(QStringLiteral(KV_TEST_BINARY_DIR "/timepicker_open.png")));
    e->HideDropDown(false);

    e->SetShowTimePicker(false);
    e->ShowDropDown();
    EXPECT_FALSE(p->Visible()) << "hidden when not asked for";
    e->HideDropDown(false);
}

TEST(TimePickerDropDown, StylesColourTheWatchAndOpeningCopiesThemIn)
{
    TPickerHost h;
    auto* e = h.Edit;
    TWatchAppearance expected;
    ApplyWatchColorScheme(expected, tsOffice2007Luna);
    EXPECT_EQ(e->WatchAppearance()->BackgroundColor(), expected.BackgroundColor()) << "the constructed style";
    for (TQRVStyle s : {tsOffice2010Black, tsWindows7, tsTerminal}) {
        e->SetComponentStyle(s);
        TWatchAppearance a;
        ApplyWatchColorScheme(a, s);
        EXPECT_EQ(e->WatchAppearance()->BackgroundColor(), a.BackgroundColor()) << int(s);
        EXPECT_EQ(e->WatchAppearance()->HourColor(), a.HourColor()) << int(s);
    }
    e->SetShowWatchNumbers(false);
    e->SetAnimationFactor(3);
    e->WatchSettings()->SetSecond(false);
    e->ShowDropDown();
    EXPECT_EQ(e->Watch()->Appearance()->BackgroundColor(), e->WatchAppearance()->BackgroundColor());
    EXPECT_NE(e->Watch()->Appearance(), e->WatchAppearance()) << "copied, not shared";
    EXPECT_FALSE(e->Watch()->ShowNumbers());
    EXPECT_EQ(e->Watch()->AnimationFactor(), 3);
    EXPECT_FALSE(e->Watch()->Settings()->Second());
    e->HideDropDown(true);
}

TEST(TimePickerDropDown, AnimatedHandsReachTheTextWhenTheyArrive)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->SetShowTimePicker(true);
    e->SetTime(At(9, 30, 15));
    e->ShowDropDown();
    int changes = 0;
    e->OnTimeChange = [&](TObject*) { ++changes; };
    TKvWatch* w = e->Watch();
    ASSERT_TRUE(w->Animation());
    ReleaseOnWatch(w, w->Center().X - int(w->Radius()) - 5, w->Center().Y); // outside at 9: minute 45
    ASSERT_TRUE(w->AnimationTimer()->Enabled());
    EXPECT_EQ(e->Text(), QStringLiteral("09:30:15")) << "not while the hand moves";
    for (int guard = 0; w->AnimationTimer()->Enabled() && guard < 200; ++guard) w->AnimationTimer()->Tick();
    EXPECT_EQ(e->Text(), QStringLiteral("09:45:15"));
    EXPECT_TRUE(SameTime(e->DateTimePicker()->Time(), At(9, 45, 15)));
    EXPECT_EQ(changes, 1);
    e->HideDropDown(false);
    EXPECT_EQ(e->Time(), At(9, 45, 15));
}

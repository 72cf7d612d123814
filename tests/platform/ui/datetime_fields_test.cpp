#include "platform/ui/datetime_fields.h"

#include <gtest/gtest.h>

TEST(DateTimeFields, FormatLettersAndText)
{
    TFormatSettingsScope locale{TFormatSettings{}};
    struct Row {
        const char* format;
        const char* text;   // of 5 March 2024 14:07:09
        int fields;
    };
    const Row rows[] = {
        {"dd/MM/yyyy", "05/03/2024", 3},
        {"d/M/yy", "5/3/24", 3},
        {"MM/dd/yyyy HH:mm:ss", "03/05/2024 14:07:09", 6},
        {"h:m:s tt", "2:7:9 PM", 4},
        {"hh:mm t", "02:07 P", 3},
        {"H'h'mm", "14h07", 2},
        {"'Day' d", "Day 5", 1},
        {"dddd d MMMM yyyy", "Tuesday 5 March 2024", 3},
        {"ddd d MMM", "Tue 5 Mar", 2},
    };
    for (const Row& r : rows) {
        TDateTimeFields f;
        f.SetFormat(QString::fromLatin1(r.format));
        f.SetValue(EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
        EXPECT_EQ(f.Text(), QString::fromLatin1(r.text)) << r.format;
        EXPECT_EQ(f.FieldCount(), r.fields) << r.format;
    }
}

TEST(DateTimeFields, TypedDigitsFillTheCurrentFieldOnly)
{
    TDateTimeFields f;
    f.SetFormat(QStringLiteral("dd/MM/yyyy"));
    f.SetValue(EncodeDate(2024, 3, 5));
    EXPECT_TRUE(f.TypeDigit(1));
    EXPECT_EQ(f.Text(), QStringLiteral("01/03/2024"));
    EXPECT_TRUE(f.TypeDigit(7));
    EXPECT_EQ(f.Text(), QStringLiteral("17/03/2024"));
    EXPECT_EQ(f.CurrentField(), 0);   // typing never leaves the field
    EXPECT_TRUE(f.TypeDigit(4));      // a full field starts over
    EXPECT_EQ(f.Text(), QStringLiteral("04/03/2024"));
    EXPECT_TRUE(f.TypeDigit(9));      // 49 is no day: starts over with 9
    EXPECT_EQ(f.Text(), QStringLiteral("09/03/2024"));
    f.NextField();
    EXPECT_FALSE(f.TypeDigit(0));     // leading zero waits
    EXPECT_TRUE(f.TypeDigit(2));
    EXPECT_EQ(f.Text(), QStringLiteral("09/02/2024"));
    f.NextField();
    for (int d : {2, 0, 2, 5}) f.TypeDigit(d);
    EXPECT_EQ(f.Text(), QStringLiteral("09/02/2025"));
    // A day too big for the month is limited to its last day.
    f.SetCurrentField(0);
    f.TypeDigit(3);
    f.TypeDigit(1);
    EXPECT_EQ(f.Text(), QStringLiteral("28/02/2025"));
}

TEST(DateTimeFields, ArrowsMoveBetweenAndStepWithinFields)
{
    TDateTimeFields f;
    f.SetFormat(QStringLiteral("dd/MM/yyyy HH:mm"));
    f.SetValue(EncodeDate(2024, 1, 31) + EncodeTime(23, 59, 0, 0));
    EXPECT_TRUE(f.Step(1));   // day wraps within the month
    EXPECT_EQ(f.Text(), QStringLiteral("01/01/2024 23:59"));
    f.PrevField();
    EXPECT_EQ(f.CurrentField(), 0);
    f.NextField();
    f.Step(-1);   // month wraps
    EXPECT_EQ(f.Text(), QStringLiteral("01/12/2024 23:59"));
    f.NextField();
    f.NextField();
    f.Step(1);    // hour wraps without touching the date
    EXPECT_EQ(f.Text(), QStringLiteral("01/12/2024 00:59"));
    f.NextField();
    f.NextField();   // stays on the last field
    EXPECT_EQ(f.CurrentField(), 4);
    f.Step(1);
    EXPECT_EQ(f.Text(), QStringLiteral("01/12/2024 00:00"));
    // 31 January to February by month step: the last day of February.
    f.SetValue(EncodeDate(2023, 1, 31));
    f.SetCurrentField(1);
    f.Step(1);
    EXPECT_EQ(f.Text().left(10), QStringLiteral("28/02/2023"));
}

TEST(DateTimeFields, LimitsClampEditsAndValues)
{
    TDateTimeFields f;
    f.SetFormat(QStringLiteral("dd/MM/yyyy"));
    f.SetLimits(EncodeDate(2024, 1, 10), EncodeDate(2024, 1, 20));
    f.SetValue(EncodeDate(2030, 5, 5));
    EXPECT_EQ(f.Text(), QStringLiteral("20/01/2024"));
    f.Step(1);
    EXPECT_EQ(f.Text(), QStringLiteral("20/01/2024"));
    f.TypeDigit(5);
    EXPECT_EQ(f.Text(), QStringLiteral("10/01/2024"));
}

TEST(DateTimeFields, TwelveHourFieldsAndAmPm)
{
    TFormatSettingsScope locale{TFormatSettings{}};
    TDateTimeFields f;
    f.SetFormat(QStringLiteral("hh:mm tt"));
    f.SetValue(EncodeTime(11, 30, 0, 0));
    f.Step(1);
    EXPECT_EQ(f.Text(), QStringLiteral("12:30 AM"));   // only the hour field changes
    f.SetCurrentField(2);
    f.Step(1);
    EXPECT_EQ(f.Text(), QStringLiteral("12:30 PM"));
    EXPECT_DOUBLE_EQ(f.Value(), EncodeTime(12, 30, 0, 0));
    EXPECT_EQ(f.QtFormat(), QStringLiteral("hh:mm AP"));
    f.SetFormat(QStringLiteral("H'h'mm"));
    EXPECT_EQ(f.QtFormat(), QStringLiteral("H'h'mm"));
}

// ---- the picker over the field model

#include "platform/ui/comctrls.h"
#include "platform/ui/forms.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QTest>

namespace {
struct TShownPicker {
    TForm form;
    TDateTimePicker* picker;
    TShownPicker()
    {
        form.SetBounds(0, 0, 300, 100);
        picker = new TDateTimePicker(&form);
        picker->SetParent(&form);
        picker->SetBounds(10, 10, 186, 21);
        picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
        picker->SetDateTime(EncodeDate(2024, 3, 5));
        form.Show();
        QApplication::setActiveWindow(&form);
        picker->SetFocus();
    }
    ~TShownPicker() { form.Hide(); }
};
} // namespace

TEST(DateTimePickerFields, DigitsArrowsAndStepsEditTheValue)
{
    TShownPicker s;
    int changes = 0;
    s.picker->OnChange = [&](TObject*) { ++changes; };
    QWidget* w = s.picker->Editor();
    QTest::keyClicks(w, QStringLiteral("17"));
    EXPECT_EQ(s.picker->Editor()->text(), QStringLiteral("17/03/2024"));
    QTest::keyClick(w, Qt::Key_Right);
    QTest::keyClick(w, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(s.picker->DateTime(), EncodeDate(2024, 4, 17));
    EXPECT_EQ(s.picker->Editor()->currentSectionIndex(), 1);
    QTest::keyClicks(w, QStringLiteral("x"));   // letters type nothing
    EXPECT_EQ(s.picker->Editor()->text(), QStringLiteral("17/04/2024"));
    EXPECT_EQ(changes, 3);
}

TEST(DateTimePickerFields, UncheckedBoxMeansNoDateToEdit)
{
    TShownPicker s;
    s.picker->SetShowCheckbox(true);
    int changes = 0;
    s.picker->OnChange = [&](TObject*) { ++changes; };
    s.picker->SetChecked(false);
    QTest::keyClick(s.picker->Editor(), Qt::Key_Up);
    QTest::keyClicks(s.picker->Editor(), QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(s.picker->DateTime(), EncodeDate(2024, 3, 5));
    EXPECT_EQ(changes, 0);
    s.picker->SetChecked(true);
    QTest::keyClick(s.picker->Editor(), Qt::Key_Up);
    EXPECT_DOUBLE_EQ(s.picker->DateTime(), EncodeDate(2024, 3, 6));
}

TEST(DateTimePickerFields, F4OpensTheCalendarWithItsEvents)
{
    TShownPicker s;
    std::vector<QString> log;
    s.picker->OnDropDown = [&](TObject*) { log.push_back(QStringLiteral("drop")); };
    s.picker->OnCloseUp = [&](TObject*) { log.push_back(QStringLiteral("close")); };
    QTest::keyClick(s.picker->Editor(), Qt::Key_F4, Qt::AltModifier);   // Alt+F4 is not the calendar key
    EXPECT_FALSE(s.picker->DroppedDown());
    QTest::keyClick(s.picker->Editor(), Qt::Key_F4);
    EXPECT_TRUE(s.picker->DroppedDown());
    s.picker->Editor()->calendarWidget()->window()->hide();
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("drop"), QStringLiteral("close")}));
    // Time kind and up-down mode have no calendar.
    s.picker->SetDateMode(dmUpDown);
    QTest::keyClick(s.picker->Editor(), Qt::Key_F4);
    EXPECT_FALSE(s.picker->DroppedDown());
}

TEST(DateTimePickerFields, LocaleFormatWhenNoneIsSet)
{
    TFormatSettings fs;
    fs.ShortDateFormat = QStringLiteral("mm/dd/yyyy");
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    TFormatSettingsScope locale(fs);
    TDateTimePicker p;
    EXPECT_EQ(p.Fields().FieldCount(), 3);
    EXPECT_EQ(p.Fields().FieldKind(0), dfkMonth);
    p.SetKind(dtkTime);
    EXPECT_EQ(p.Fields().FieldCount(), 3);
    EXPECT_EQ(p.Fields().FieldKind(0), dfkHour24);
    EXPECT_EQ(p.Fields().FieldKind(2), dfkSecond);
}

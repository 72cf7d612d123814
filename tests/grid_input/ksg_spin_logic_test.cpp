#include "grid_input/ksg_spin_logic.h"

#include "platform/core/exceptions.h"

#include <gtest/gtest.h>

namespace {
TFormatSettings CommaLocale(const QString& shortDate = QStringLiteral("dd/mm/yyyy"))
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char(',');
    fs.ThousandSeparator = QLatin1Char('.');
    fs.DateSeparator = QLatin1Char('/');
    fs.TimeSeparator = QLatin1Char(':');
    fs.ShortDateFormat = shortDate;
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    return fs;
}

struct TSpin : TKsgSpinLogic {
    void Put(const QString& text, int caret, int selLength = 0)
    {
        SetSpinText(text);
        SetSpinSel(caret, selLength);
    }
};
} // namespace

TEST(KsgSpinLogic, EqualLimitsAcceptAnythingAndStepWithoutEnd)
{
    TFormatSettingsScope locale(CommaLocale());
    TSpin s;
    s.SetMinValue(0);
    s.SetMaxValue(0);
    s.SetValue(5000);
    EXPECT_EQ(s.SpinText(), QStringLiteral("5000"));
    s.SetValue(-7);
    s.DownClick(false);
    EXPECT_EQ(s.Value(), -8);
    s.SetSpinType(sptFloat);
    s.SetMinFloatValue(1.5);
    s.SetMaxFloatValue(1.5);
    s.SetFloatValue(250.25);
    EXPECT_EQ(s.SpinText(), QStringLiteral("250,25"));
    s.SetSpinType(sptDate);
    s.SetDateValue(EncodeDate(2199, 1, 1));
    EXPECT_EQ(s.SpinText(), QStringLiteral("01/01/2199"));
}

TEST(KsgSpinLogic, IntegerClampsAtTheLimitsAndOnLeaving)
{
    TFormatSettingsScope locale(CommaLocale());
    TSpin s;   // 0..100
    s.SetValue(100);
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("100"));
    s.Put(QStringLiteral("250"), 3);   // typed
    EXPECT_EQ(s.Value(), 250);
    s.ClampOnExit();
    EXPECT_EQ(s.SpinText(), QStringLiteral("100"));
    s.Put(QStringLiteral("-4"), 2);
    s.ClampOnExit();
    EXPECT_EQ(s.SpinText(), QStringLiteral("0"));
    // Unreadable or empty text.
    s.SetMinValue(3);
    s.Put(QStringLiteral("x"), 0);
    EXPECT_EQ(s.Value(), 3);
    s.Put(QStringLiteral("  "), 0);
    EXPECT_EQ(s.Value(), 0);
    // Read-only: stepping beeps and leaves the text.
    s.Put(QStringLiteral("50"), 0);
    s.SetSpinReadOnly(true);
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("50"));
    EXPECT_EQ(s.BeepCount(), 1);
}

TEST(KsgSpinLogic, FloatStepsPrecisionAndFallback)
{
    TFormatSettingsScope locale(CommaLocale());
    TSpin s;
    s.SetSpinType(sptFloat);
    s.SetPrecision(2);
    EXPECT_EQ(s.SpinText(), QStringLiteral("0,00"));
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("0,10"));
    s.UpClick(true);
    EXPECT_EQ(s.SpinText(), QStringLiteral("1,10"));
    s.SetFloatValue(1000);
    EXPECT_EQ(s.SpinText(), QStringLiteral("100,00"));
    // The fallback is the integer minimum, not the float one.
    s.SetMinValue(7);
    s.SetMinFloatValue(2.5);
    s.Put(QStringLiteral("1.5"), 0);
    EXPECT_EQ(s.FloatValue(), 7.0);
}

TEST(KsgSpinLogic, CharacterFilterTable)
{
    TFormatSettingsScope locale(CommaLocale());
    struct Row {
        const char* name;
        TKsgSpinType kind;
        int precision;
        QString text;
        int caret, selLength;
        QChar key;
        bool accepted;
    };
    const QChar superTwo(0x00B2), half(0x00BD);
    const Row rows[] = {
        {"float precision reached, caret at end", sptFloat, 2, "1,50", 4, 0, QLatin1Char('7'), false},
        {"float precision reached, caret before separator", sptFloat, 2, "1,50", 1, 0, QLatin1Char('7'), true},
        {"float precision reached, caret right behind separator", sptFloat, 2, "1,50", 2, 0, QLatin1Char('7'), false},
        {"float precision reached, digits selected", sptFloat, 2, "1,50", 2, 2, QLatin1Char('7'), true},
        {"float precision not reached", sptFloat, 2, "1,5", 3, 0, QLatin1Char('7'), true},
        {"float thousand separator", sptFloat, 0, "1000", 1, 0, QLatin1Char('.'), false},
        {"float second decimal separator", sptFloat, 0, "1,5", 3, 0, QLatin1Char(','), false},
        {"float decimal separator over the selected one", sptFloat, 0, "1,5", 1, 1, QLatin1Char(','), true},
        {"float first decimal separator", sptFloat, 0, "15", 1, 0, QLatin1Char(','), true},
        {"float letter", sptFloat, 0, "15", 1, 0, QLatin1Char('e'), false},
        {"integer minus at start", sptNormal, 0, "12", 0, 0, QLatin1Char('-'), true},
        {"integer minus inside", sptNormal, 0, "12", 1, 0, QLatin1Char('-'), false},
        {"integer second minus", sptNormal, 0, "-12", 0, 0, QLatin1Char('-'), false},
        {"integer minus over the selected minus", sptNormal, 0, "-12", 0, 1, QLatin1Char('-'), true},
        {"integer Ctrl+C", sptNormal, 0, "12", 0, 0, QChar(3), false},
        {"integer Ctrl+V", sptNormal, 0, "12", 0, 0, QChar(0x16), false},
        {"integer Ctrl+X", sptNormal, 0, "12", 0, 0, QChar(0x18), false},
        {"float Ctrl+V", sptFloat, 0, "12", 0, 0, QChar(0x16), true},
        {"date Ctrl+C", sptDate, 0, "01/02/2024", 0, 0, QChar(3), true},
        {"integer decimal separator", sptNormal, 0, "12", 2, 0, QLatin1Char(','), false},
        {"integer superscript two", sptNormal, 0, "12", 2, 0, superTwo, true},
        {"integer vulgar half", sptNormal, 0, "12", 2, 0, half, true},
        {"integer Enter", sptNormal, 0, "12", 2, 0, QChar(13), false},
        {"date separator in a date", sptDate, 0, "01", 2, 0, QLatin1Char('/'), true},
        {"date separator in a time", sptTime, 0, "01", 2, 0, QLatin1Char('/'), false},
        {"time separator in an integer", sptNormal, 0, "1", 1, 0, QLatin1Char(':'), false},
        {"third time separator", sptTime, 0, "10:11:12", 8, 0, QLatin1Char(':'), false},
        {"second time separator", sptTime, 0, "10:11", 5, 0, QLatin1Char(':'), true},
    };
    for (const Row& r : rows) {
        TSpin s;
        s.SetSpinType(r.kind);
        s.SetPrecision(r.precision);
        s.Put(r.text, r.caret, r.selLength);
        EXPECT_EQ(s.IsValidChar(r.key), r.accepted) << r.name;
    }
}

TEST(KsgSpinLogic, EditorDisabledLetsOnlyControlCharactersThrough)
{
    TFormatSettingsScope locale(CommaLocale());
    TSpin s;
    s.SetSpinType(sptFloat);
    s.SetEditorEnabled(false);
    EXPECT_FALSE(s.IsValidChar(QLatin1Char('5')));
    EXPECT_FALSE(s.IsValidChar(QChar(8)));        // Backspace
    EXPECT_TRUE(s.IsValidChar(QChar(3)));         // Ctrl+C still reaches the edit
    // After an integer step the whole text is selected.
    s.SetSpinType(sptNormal);
    s.SetValue(4);
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("5"));
    EXPECT_EQ(s.SpinSelStart(), 0);
    EXPECT_EQ(s.SpinSelLength(), 1);
}

TEST(KsgSpinLogic, SuperscriptDigitReadsAsTheMinimum)
{
    TFormatSettingsScope locale(CommaLocale());
    TSpin s;
    s.SetMinValue(-5);
    s.Put(QStringLiteral("1") + QChar(0x00B2), 2);
    EXPECT_EQ(s.Value(), -5);
}

TEST(KsgSpinLogic, DateStepsTheFieldUnderTheCaret)
{
    struct Row {
        const char* format;
        int caret;
        const char* expected;   // from 15/06/2024 (day first) or 06/15/2024 (month first)
    };
    const Row rows[] = {
        {"dd/mm/yyyy", 0, "16/06/2024"}, {"dd/mm/yyyy", 2, "16/06/2024"}, {"dd/mm/yyyy", 3, "15/07/2024"},
        {"dd/mm/yyyy", 5, "15/07/2024"}, {"dd/mm/yyyy", 6, "15/06/2025"}, {"dd/mm/yyyy", 10, "15/06/2025"},
        {"mm/dd/yyyy", 0, "07/15/2024"}, {"mm/dd/yyyy", 3, "06/16/2024"}, {"mm/dd/yyyy", 6, "06/15/2025"},
    };
    for (const Row& r : rows) {
        TFormatSettingsScope locale(CommaLocale(QString::fromLatin1(r.format)));
        TSpin s;
        s.SetSpinType(sptDate);
        s.SetDateValue(EncodeDate(2024, 6, 15));
        s.SetSpinSel(r.caret, 0);
        s.UpClick(false);
        EXPECT_EQ(s.SpinText(), QString::fromLatin1(r.expected)) << r.format << " caret " << r.caret;
        EXPECT_EQ(s.SpinSelStart(), r.caret);   // the caret stays in its field
        EXPECT_EQ(s.UsDates(), r.format[0] == 'm');
    }
}

TEST(KsgSpinLogic, MonthAndYearEdges)
{
    TFormatSettingsScope locale(CommaLocale());
    TSpin s;
    s.SetSpinType(sptDate);
    s.SetDateValue(EncodeDate(2023, 1, 31));
    s.SetSpinSel(3, 0);
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("28/02/2023"));
    s.DownClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("28/01/2023"));

    s.SetDateValue(EncodeDate(2024, 2, 29));
    s.SetSpinSel(7, 0);
    EXPECT_THROW(s.UpClick(false), EConvertError);
    EXPECT_EQ(s.SpinText(), QStringLiteral("29/02/2024"));
    // Limits clamp the step.
    s.SetMinDateValue(EncodeDate(2024, 2, 1));
    s.SetMaxDateValue(EncodeDate(2024, 3, 1));
    s.SetSpinSel(3, 0);
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("01/03/2024"));
}

TEST(KsgSpinLogic, DateTextZeroIsNow)
{
    TFormatSettingsScope locale(CommaLocale());
    TManualClock clock;
    clock.NowValue = EncodeDate(2025, 3, 4) + EncodeTime(10, 30, 0, 0);
    TClockScope scope(clock);
    TSpin s;
    s.SetSpinType(sptNormal);
    s.Put(QStringLiteral("0"), 0);
    s.SetSpinType(sptDate);   // "0" is read as now and written as today's date
    EXPECT_EQ(s.SpinText(), QStringLiteral("04/03/2025"));
    s.Put(QStringLiteral("0"), 0);
    EXPECT_DOUBLE_EQ(s.DateValue(), clock.NowValue);
    s.Put(QString(), 0);
    EXPECT_DOUBLE_EQ(s.DateValue(), clock.NowValue);
    s.SetMinDateValue(EncodeDate(2000, 1, 1));
    s.Put(QStringLiteral("nonsense"), 0);
    EXPECT_DOUBLE_EQ(s.DateValue(), EncodeDate(2000, 1, 1));
}

TEST(KsgSpinLogic, TimeStepsWrapAroundMidnight)
{
    TFormatSettingsScope locale(CommaLocale());
    TSpin s;
    s.SetSpinType(sptTime);
    s.SetTimeValue(EncodeTime(23, 59, 30, 0));
    EXPECT_EQ(s.SpinText(), QStringLiteral("23:59:30"));
    s.SetSpinSel(4, 0);   // minutes
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("00:00:30"));
    s.DownClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("23:59:30"));
    s.SetSpinSel(0, 0);   // hours
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("00:59:30"));
    s.SetSpinSel(7, 0);   // seconds
    s.SetIncrementSeconds(45);
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("01:00:15"));
}

TEST(KsgSpinLogic, TimeWithoutSecondsAndBadIncrements)
{
    TFormatSettingsScope locale(CommaLocale());
    TSpin s;
    s.SetShowSeconds(false);
    s.SetSpinType(sptTime);
    s.SetTimeValue(EncodeTime(9, 5, 0, 0));
    EXPECT_EQ(s.SpinText(), QStringLiteral("9:05"));
    s.SetSpinSel(3, 0);   // past both separators there is no seconds field: minutes
    s.UpClick(false);
    EXPECT_EQ(s.SpinText(), QStringLiteral("9:06"));
    s.SetIncrementHours(24);
    s.SetSpinSel(0, 0);
    EXPECT_THROW(s.UpClick(false), EConvertError);
    EXPECT_EQ(s.SpinText(), QStringLiteral("9:06"));
    s.SetIncrementMinutes(60);
    s.SetSpinSel(3, 0);
    EXPECT_THROW(s.DownClick(false), EConvertError);
    EXPECT_EQ(s.SpinText(), QStringLiteral("9:06"));
    s.Put(QStringLiteral("junk"), 0);
    EXPECT_EQ(s.TimeValue(), 0.0);
}

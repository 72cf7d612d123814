#include "platform/core/datetime.h"

#include <gtest/gtest.h>

namespace {

TFormatSettings Settings(const char* ShortDate, QChar DateSep = QLatin1Char('/'))
{
    TFormatSettings S;
    S.ShortDateFormat = QString::fromLatin1(ShortDate);
    S.DateSeparator = DateSep;
    S.TimeSeparator = QLatin1Char(':');
    S.LongTimeFormat = QStringLiteral("hh:nn:ss");
    S.ShortTimeFormat = QStringLiteral("hh:nn");
    return S;
}

}  // namespace

TEST(DateTime, EncodeAndDecodeDates)
{
    struct Case {
        int Y, M, D;
        double Value;
    };
    const Case Cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 31, 1},      {1900, 1, 1, 2},  {1899, 12, 29, -1},
        {2000, 1, 1, 36526}, {2024, 2, 29, 45351},   {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(EncodeDate(C.Y, C.M, C.D), C.Value) << C.Y << "-" << C.M << "-" << C.D;
        int Y, M, D;
        DecodeDate(C.Value, Y, M, D);
        EXPECT_EQ(std::tie(Y, M, D), std::tie(C.Y, C.M, C.D)) << C.Value;
    }
    for (auto [Y, M, D] : {std::tuple{2023, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2024, 13, 1}, {2024, 4, 31}, {2024, 1, 0}}) {
        try {
            EncodeDate(Y, M, D);
            ADD_FAILURE() << Y << "-" << M << "-" << D;
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Invalid argument to date encode"));
        }
    }
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);   // a Thursday
    EXPECT_EQ(DayOfWeek(0), 7);
    EXPECT_EQ(DayOfWeek(-1), 6);
}

TEST(DateTime, EncodeAndDecodeTimes)
{
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    int H, M, S, Ms;
    DecodeTime(EncodeTime(23, 59, 59, 999), H, M, S, Ms);
    EXPECT_EQ(std::tie(H, M, S, Ms), std::make_tuple(23, 59, 59, 999));
    // Before the epoch the time is the fraction's absolute value.
    const TDateTime Before = -1.25;
    int Y, Mo, D;
    DecodeDate(Before, Y, Mo, D);
    DecodeTime(Before, H, M, S, Ms);
    EXPECT_EQ(std::tie(Y, Mo, D, H, M), std::make_tuple(1899, 12, 29, 6, 0));
    // A fraction a hair below midnight rounds to the next day, not to 24:00.
    const TDateTime AlmostNext = EncodeDate(2020, 1, 1) + 0.9999999999;
    DecodeDate(AlmostNext, Y, Mo, D);
    DecodeTime(AlmostNext, H, M, S, Ms);
    EXPECT_EQ(std::tie(Y, Mo, D, H, M, S), std::make_tuple(2020, 1, 2, 0, 0, 0));
    for (auto [h, m, s, ms] : {std::tuple{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}})
        EXPECT_THROW(EncodeTime(h, m, s, ms), EConvertError);
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -2), EncodeDate(2023, 11, 15));
}

TEST(DateTime, FormatDateTimeTokens)
{
    const TFormatSettings FS = Settings("dd/mm/yyyy", QLatin1Char('.'));
    const TDateTime DT = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 9, 42);
    struct Case {
        const char* Format;
        const char* Text;
    };
    const Case Cases[] = {
        {"hh:nn:ss dd/mm/yyyy", "14:05:09 07.03.2026"},
        {"hh:mm", "14:05"},                 // m after h is the minute
        {"d/m/yy", "7.3.26"},
        {"DD-MM-YYYY", "07-03-2026"},       // tokens ignore case
        {"ddd dddd mmm mmmm", "Sat Saturday Mar March"},
        {"h:n:s.zzz", "14:5:9.042"},
        {"hh am/pm", "02 pm"},
        {"h a/p", "2 p"},
        {"'dd' \"mm\" dd", "dd mm 07"},
        {"ddddd", "07.03.2026"},
        {"t", "14:05"},
        {"tt", "14:05:09"},
        {"c", "07.03.2026 14:05:09"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(FormatDateTime(QString::fromLatin1(C.Format), DT, FS), QString::fromLatin1(C.Text)) << C.Format;
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), EncodeDate(2026, 3, 7), FS), QStringLiteral("07.03.2026"));
}

TEST(DateTime, StrToDateFollowsShortDateOrder)
{
    TManualClock Clock;
    Clock.NowValue = EncodeDate(2026, 12, 10);
    TClockScope Scope(Clock);
    struct Case {
        const char* Format;
        const char* Text;
        int Y, M, D;   // Y 0: not a date
    };
    const Case Cases[] = {
        {"dd/mm/yyyy", "07/03/2026", 2026, 3, 7},
        {"mm/dd/yyyy", "03/07/2026", 2026, 3, 7},
        {"yyyy/mm/dd", "2026/03/07", 2026, 3, 7},
        {"dd/mm/yyyy", "7/3", 2026, 3, 7},       // the current year
        {"dd/mm/yyyy", "7/3/99", 1999, 3, 7},    // within 50 years of 2026
        {"dd/mm/yyyy", "7/3/30", 2030, 3, 7},
        {"dd/mm/yyyy", "31/02/2026", 0, 0, 0},
        {"dd/mm/yyyy", "07-03-2026", 0, 0, 0},
        {"dd/mm/yyyy", "x/3/2026", 0, 0, 0},
        {"dd/mm/yyyy", "", 0, 0, 0},
    };
    for (const Case& C : Cases) {
        TDateTime V = -1;
        const bool Ok = TryStrToDate(QString::fromLatin1(C.Text), V, Settings(C.Format));
        EXPECT_EQ(Ok, C.Y != 0) << C.Text;
        if (Ok) {
            EXPECT_EQ(V, EncodeDate(C.Y, C.M, C.D)) << C.Text;
        }
    }
    TFormatSettingsScope FS(Settings("dd/mm/yyyy"));
    try {
        StrToDate(QStringLiteral("bad"));
        ADD_FAILURE();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("'bad' is not a valid date"));
    }
    EXPECT_DOUBLE_EQ(StrToTime(QStringLiteral("18:30")), EncodeTime(18, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime(QStringLiteral("6:30 PM")), EncodeTime(18, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime(QStringLiteral("12:00 AM")), 0);
    EXPECT_THROW(StrToTime(QStringLiteral("25:00")), EConvertError);
    EXPECT_DOUBLE_EQ(StrToDateTime(QStringLiteral("07/03/2026 12:00:00")), EncodeDate(2026, 3, 7) + 0.5);
}

TEST(DateTime, ClockSeamDrivesNowAndTicks)
{
    TManualClock Clock;
    Clock.NowValue = EncodeDate(2026, 12, 10) + EncodeTime(8, 0, 0, 0);
    Clock.Ticks = 0xFFFFFFF0ull;
    {
        TClockScope Scope(Clock);
        EXPECT_EQ(Now(), Clock.NowValue);
        EXPECT_EQ(Date(), EncodeDate(2026, 12, 10));
        EXPECT_NEAR(Time(), EncodeTime(8, 0, 0, 0), 0.5 / MSecsPerDay);
        Clock.Advance(0x20);
        EXPECT_EQ(GetTickCount64(), 0x100000010ull);
        EXPECT_EQ(GetTickCount(), 0x10u);   // the 32-bit count wraps
        EXPECT_NEAR(Time(), EncodeTime(8, 0, 0, 32), 0.5 / MSecsPerDay);
    }
    // The system clock again: close to the wall clock, ticks moving forward.
    const TDateTime Wall = QDateTimeToDateTime(QDateTime::currentDateTime());
    EXPECT_NEAR(Now(), Wall, 1.0 / SecsPerDay * 5);
    EXPECT_NE(Now(), Clock.NowValue);
}

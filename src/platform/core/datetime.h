#pragma once
// TDateTime: days since 30 Dec 1899 with the time of day as the fraction. Now() and the
// tick count go through a clock that tests replace (SetClock).

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"

#include <QDateTime>
#include <QString>
#include <cstdint>

using TDateTime = double;

inline constexpr double HoursPerDay = 24;
inline constexpr double MinsPerDay = 24 * 60;
inline constexpr double SecsPerDay = 24 * 60 * 60;
inline constexpr double MSecsPerDay = 24.0 * 60 * 60 * 1000;

bool IsLeapYear(int Year);
int DaysInMonth(int Year, int Month);

// Raise EConvertError "Invalid argument to date encode" / "... time encode".
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
int DayOfWeek(TDateTime Date);   // 1 = Sunday .. 7 = Saturday

TDateTime DateOf(TDateTime DT);
TDateTime TimeOf(TDateTime DT);
TDateTime IncDay(TDateTime DT, int Days);
TDateTime IncMonth(TDateTime DT, int Months);   // keeps the day, limited to the month's last

TDateTime QDateTimeToDateTime(const QDateTime& DT);
QDateTime DateTimeToQDateTime(TDateTime DT);

// Classic format tokens, case-insensitive: c d dd ddd dddd ddddd dddddd m mm mmm mmmm
// (minutes right after h/hh) yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm, '/' and ':'
// for the separators, text in '...' or "..." as it is.
QString FormatDateTime(const QString& Format, TDateTime DT);
QString FormatDateTime(const QString& Format, TDateTime DT, const TFormatSettings& Settings);
QString DateToStr(TDateTime DT);
QString TimeToStr(TDateTime DT);
QString DateTimeToStr(TDateTime DT);

// Dates in the short date format's order of day, month and year, separated by the date
// separator; a missing year is the current one, two-digit years fall within 50 years of now.
// Raise EConvertError "'...' is not a valid date" / "... time" / "... date and time".
TDateTime StrToDate(const QString& S);
bool TryStrToDate(const QString& S, TDateTime& Value);
bool TryStrToDate(const QString& S, TDateTime& Value, const TFormatSettings& Settings);
TDateTime StrToTime(const QString& S);
bool TryStrToTime(const QString& S, TDateTime& Value);
bool TryStrToTime(const QString& S, TDateTime& Value, const TFormatSettings& Settings);
TDateTime StrToDateTime(const QString& S);
bool TryStrToDateTime(const QString& S, TDateTime& Value);

// ---- clock ----------------------------------------------------------------------------

class IClock {
public:
    virtual ~IClock();
    virtual TDateTime Now() = 0;            // local time
    virtual quint64 TickCount() = 0;        // milliseconds since an arbitrary start
    // Blocks the calling thread; a test clock advances instead of waiting.
    virtual void Sleep(unsigned MSecs);
};

// The clock in use; SetClock(nullptr) restores the system clock. Not owned.
IClock& Clock();
void SetClock(IClock* AClock);

// A clock that stands still until told otherwise.
class TManualClock : public IClock {
public:
    TDateTime Now() override { return NowValue; }
    quint64 TickCount() override { return Ticks; }
    void Advance(quint64 MSecs)
    {
        Ticks += MSecs;
        NowValue += MSecs / MSecsPerDay;
    }
    void Sleep(unsigned MSecs) override { Advance(MSecs); }
    TDateTime NowValue = 0;
    quint64 Ticks = 0;
};

// Installs a clock for the lifetime of the object.
class TClockScope {
public:
    explicit TClockScope(IClock& AClock);
    ~TClockScope();

private:
    IClock* FSaved;
};

TDateTime Now();
TDateTime Date();
TDateTime Time();
quint32 GetTickCount();      // wraps after 49.7 days, as the classic one does
quint64 GetTickCount64();
// Waits through the clock in use (no message processing meanwhile).
void Sleep(unsigned MSecs);

#include "platform/core/datetime.h"

#include <QDate>
#include <QElapsedTimer>
#include <QTime>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

// Julian day number of 30 Dec 1899.
constexpr qint64 DateDelta = 2415019;

const char* const ShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
const char* const ShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Splits into whole days and milliseconds of the day; the time of a negative value is
// its fraction's absolute value, as in the classic encoding.
void Split(TDateTime DT, qint64& Days, qint64& MSecs)
{
    double Whole = std::trunc(DT);
    double Frac = std::fabs(DT - Whole);
    Days = static_cast<qint64>(Whole);
    MSecs = static_cast<qint64>(std::llround(Frac * MSecsPerDay));
    if (MSecs >= static_cast<qint64>(MSecsPerDay)) {
        MSecs -= static_cast<qint64>(MSecsPerDay);
        Days += DT < 0 ? -1 : 1;
    }
}

class TSystemClock : public IClock {
public:
    TSystemClock() { FTimer.start(); }
    TDateTime Now() override { return QDateTimeToDateTime(QDateTime::currentDateTime()); }
    quint64 TickCount() override { return static_cast<quint64>(FTimer.elapsed()); }

private:
    QElapsedTimer FTimer;
};

IClock* GClock = nullptr;

QString Pad(int V, int Width)
{
    return QString::number(V).rightJustified(Width, QLatin1Char('0'));
}

}  // namespace

bool IsLeapYear(int Year)
{
    return (Year % 4 == 0) && ((Year % 100 != 0) || (Year % 400 == 0));
}

int DaysInMonth(int Year, int Month)
{
    static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12)
        return 0;
    return Days[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    Date = static_cast<double>(QDate(Year, Month, Day).toJulianDay() - DateDelta);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime D;
    if (!TryEncodeDate(Year, Month, Day, D))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return D;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time)
{
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        return false;
    Time = (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    TDateTime T;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, T))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return T;
}

void DecodeDate(TDateTime DT, int& Year, int& Month, int& Day)
{
    qint64 Days, MSecs;
    Split(DT, Days, MSecs);
    const QDate D = QDate::fromJulianDay(Days + DateDelta);
    if (!D.isValid() || D.year() < 1) {
        Year = Month = Day = 0;
        return;
    }
    Year = D.year();
    Month = D.month();
    Day = D.day();
}

void DecodeTime(TDateTime DT, int& Hour, int& Min, int& Sec, int& MSec)
{
    qint64 Days, MSecs;
    Split(DT, Days, MSecs);
    Hour = static_cast<int>(MSecs / 3600000);
    Min = static_cast<int>(MSecs / 60000 % 60);
    Sec = static_cast<int>(MSecs / 1000 % 60);
    MSec = static_cast<int>(MSecs % 1000);
}

int DayOfWeek(TDateTime DT)
{
    qint64 Days, MSecs;
    Split(DT, Days, MSecs);
    // 30 Dec 1899 was a Saturday (7).
    return static_cast<int>(((Days + 6) % 7 + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime DT)
{
    return std::trunc(DT);
}

TDateTime TimeOf(TDateTime DT)
{
    return std::fabs(DT - std::trunc(DT));
}

TDateTime IncDay(TDateTime DT, int Days)
{
    return DT + Days;
}

TDateTime IncMonth(TDateTime DT, int Months)
{
    int Y, M, D;
    DecodeDate(DT, Y, M, D);
    int Total = Y * 12 + (M - 1) + Months;
    Y = Total / 12;
    M = Total % 12 + 1;
    D = std::min(D, DaysInMonth(Y, M));
    TDateTime R = EncodeDate(Y, M, D);
    const TDateTime T = TimeOf(DT);
    return R >= 0 ? R + T : R - T;
}

TDateTime QDateTimeToDateTime(const QDateTime& DT)
{
    const QDate D = DT.date();
    const QTime T = DT.time();
    return static_cast<double>(D.toJulianDay() - DateDelta) + T.msecsSinceStartOfDay() / MSecsPerDay;
}

QDateTime DateTimeToQDateTime(TDateTime DT)
{
    qint64 Days, MSecs;
    Split(DT, Days, MSecs);
    return QDateTime(QDate::fromJulianDay(Days + DateDelta), QTime::fromMSecsSinceStartOfDay(static_cast<int>(MSecs)));
}

// ---- formatting -----------------------------------------------------------------------

namespace {

void FormatInto(QString& R, const QString& Fmt, TDateTime DT, const TFormatSettings& FS, int Depth)
{
    if (Depth > 2)
        return;
    int Year, Month, Day, Hour, Min, Sec, MSec;
    DecodeDate(DT, Year, Month, Day);
    DecodeTime(DT, Hour, Min, Sec, MSec);
    const int n = Fmt.size();
    // 12-hour clock when an am/pm token appears anywhere.
    const QString Lower = Fmt.toLower();
    const bool Use12 = Lower.contains(QLatin1String("am/pm")) || Lower.contains(QLatin1String("a/p")) ||
                       Lower.contains(QLatin1String("ampm"));
    bool LastWasHour = false;
    int i = 0;
    auto Count = [&](QChar C) {
        int k = 0;
        while (i + k < n && Fmt[i + k].toLower() == C)
            ++k;
        return k;
    };
    while (i < n) {
        const QChar C = Fmt[i];
        const QChar L = C.toLower();
        if (C == QLatin1Char('\'') || C == QLatin1Char('"')) {
            int j = i + 1;
            while (j < n && Fmt[j] != C)
                ++j;
            R += Fmt.mid(i + 1, j - i - 1);
            i = j + 1;
            continue;
        }
        if (L == QLatin1Char('y')) {
            const int k = Count(L);
            R += k <= 2 ? Pad(Year % 100, 2) : Pad(Year, 4);
            i += k;
            LastWasHour = false;
        } else if (L == QLatin1Char('m')) {
            const int k = Count(L);
            if (LastWasHour && k <= 2) {
                R += k == 1 ? QString::number(Min) : Pad(Min, 2);
            } else if (k == 1) {
                R += QString::number(Month);
            } else if (k == 2) {
                R += Pad(Month, 2);
            } else if (Month >= 1) {
                R += QString::fromLatin1(k == 3 ? ShortMonths[Month - 1] : LongMonths[Month - 1]);
            }
            i += k;
            LastWasHour = false;
        } else if (L == QLatin1Char('d')) {
            const int k = Count(L);
            const int W = DayOfWeek(DT) - 1;
            switch (k) {
            case 1: R += QString::number(Day); break;
            case 2: R += Pad(Day, 2); break;
            case 3: R += QString::fromLatin1(ShortDays[W]); break;
            case 4: R += QString::fromLatin1(LongDays[W]); break;
            case 5: FormatInto(R, FS.ShortDateFormat, DT, FS, Depth + 1); break;
            default: FormatInto(R, FS.LongDateFormat, DT, FS, Depth + 1); break;
            }
            i += k;
            LastWasHour = false;
        } else if (L == QLatin1Char('h')) {
            const int k = Count(L);
            int H = Hour;
            if (Use12) {
                H %= 12;
                if (H == 0)
                    H = 12;
            }
            R += k == 1 ? QString::number(H) : Pad(H, 2);
            i += k;
            LastWasHour = true;
            continue;
        } else if (L == QLatin1Char('n')) {
            const int k = Count(L);
            R += k == 1 ? QString::number(Min) : Pad(Min, 2);
            i += k;
            LastWasHour = false;
        } else if (L == QLatin1Char('s')) {
            const int k = Count(L);
            R += k == 1 ? QString::number(Sec) : Pad(Sec, 2);
            i += k;
            LastWasHour = false;
        } else if (L == QLatin1Char('z')) {
            const int k = Count(L);
            R += k >= 3 ? Pad(MSec, 3) : QString::number(MSec);
            i += k;
            LastWasHour = false;
        } else if (L == QLatin1Char('t')) {
            const int k = Count(L);
            FormatInto(R, k == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat, DT, FS, Depth + 1);
            i += k;
            LastWasHour = false;
        } else if (L == QLatin1Char('c')) {
            FormatInto(R, FS.ShortDateFormat, DT, FS, Depth + 1);
            if (TimeOf(DT) != 0) {
                R += QLatin1Char(' ');
                FormatInto(R, FS.LongTimeFormat, DT, FS, Depth + 1);
            }
            ++i;
            LastWasHour = false;
        } else if (L == QLatin1Char('a')) {
            const QString Rest = Fmt.mid(i);
            if (Rest.startsWith(QLatin1String("am/pm"), Qt::CaseInsensitive)) {
                const QString Token = Hour < 12 ? Rest.left(2) : Rest.mid(3, 2);
                R += Token;
                i += 5;
            } else if (Rest.startsWith(QLatin1String("a/p"), Qt::CaseInsensitive)) {
                R += Hour < 12 ? Rest.left(1) : Rest.mid(2, 1);
                i += 3;
            } else if (Rest.startsWith(QLatin1String("ampm"), Qt::CaseInsensitive)) {
                R += Hour < 12 ? FS.TimeAMString : FS.TimePMString;
                i += 4;
            } else {
                R += C;
                ++i;
            }
        } else if (C == QLatin1Char('/')) {
            R += FS.DateSeparator;
            ++i;
        } else if (C == QLatin1Char(':')) {
            R += FS.TimeSeparator;
            ++i;
            continue;   // "hh:mm": the minutes after an hour and a colon
        } else {
            R += C;
            ++i;
            if (C != QLatin1Char(' '))
                LastWasHour = false;
        }
    }
}

// The order of day, month and year in a short date pattern: "DMY", "MDY" or "YMD".
QString DateOrder(const QString& ShortDateFormat)
{
    const QString U = ShortDateFormat.toUpper();
    const int D = U.indexOf(QLatin1Char('D')), M = U.indexOf(QLatin1Char('M')), Y = U.indexOf(QLatin1Char('Y'));
    if (Y >= 0 && Y < M && Y < D)
        return QStringLiteral("YMD");
    if (M >= 0 && M < D)
        return QStringLiteral("MDY");
    return QStringLiteral("DMY");
}

bool ReadNumbers(const QString& S, QChar Sep, QList<int>& Out, QList<int>& Widths)
{
    const QStringList Parts = S.split(Sep);
    for (const QString& P0 : Parts) {
        const QString P = P0.trimmed();
        if (P.isEmpty() || P.size() > 4)
            return false;
        for (QChar C : P)
            if (C < QLatin1Char('0') || C > QLatin1Char('9'))
                return false;
        Out << P.toInt();
        Widths << P.size();
    }
    return true;
}

}  // namespace

QString FormatDateTime(const QString& Format, TDateTime DT, const TFormatSettings& Settings)
{
    QString R;
    FormatInto(R, Format.isEmpty() ? QStringLiteral("c") : Format, DT, Settings, 0);
    return R;
}

QString FormatDateTime(const QString& Format, TDateTime DT)
{
    return FormatDateTime(Format, DT, FormatSettings());
}

QString DateToStr(TDateTime DT)
{
    return FormatDateTime(QStringLiteral("ddddd"), DT);
}

QString TimeToStr(TDateTime DT)
{
    return FormatDateTime(QStringLiteral("tt"), DT);
}

QString DateTimeToStr(TDateTime DT)
{
    return FormatDateTime(QStringLiteral("c"), DT);
}

bool TryStrToDate(const QString& S, TDateTime& Value, const TFormatSettings& FS)
{
    QList<int> N, W;
    if (!ReadNumbers(S.trimmed(), FS.DateSeparator, N, W) || N.size() < 2 || N.size() > 3)
        return false;
    const QString Order = DateOrder(FS.ShortDateFormat);
    int Y = -1, M, D;
    bool YearGiven = N.size() == 3;
    int YearWidth = 4;
    if (!YearGiven) {
        if (Order == QLatin1String("MDY") || Order == QLatin1String("YMD")) {
            M = N[0];
            D = N[1];
        } else {
            D = N[0];
            M = N[1];
        }
    } else if (Order == QLatin1String("YMD")) {
        Y = N[0];
        YearWidth = W[0];
        M = N[1];
        D = N[2];
    } else if (Order == QLatin1String("MDY")) {
        M = N[0];
        D = N[1];
        Y = N[2];
        YearWidth = W[2];
    } else {
        D = N[0];
        M = N[1];
        Y = N[2];
        YearWidth = W[2];
    }
    int CurY, CurM, CurD;
    DecodeDate(Clock().Now(), CurY, CurM, CurD);
    if (!YearGiven) {
        Y = CurY;
    } else if (YearWidth <= 2) {
        // Two-digit years land within 50 years of the current one.
        const int Pivot = CurY - 50;
        Y += Pivot / 100 * 100;
        if (Y < Pivot)
            Y += 100;
    }
    return TryEncodeDate(Y, M, D, Value);
}

bool TryStrToDate(const QString& S, TDateTime& Value)
{
    return TryStrToDate(S, Value, FormatSettings());
}

TDateTime StrToDate(const QString& S)
{
    TDateTime V;
    if (!TryStrToDate(S, V))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(S));
    return V;
}

bool TryStrToTime(const QString& S, TDateTime& Value, const TFormatSettings& FS)
{
    QString T = S.trimmed();
    int AddHours = -1;   // -1: 24-hour text
    for (const QString& Marker : {FS.TimeAMString, QStringLiteral("AM")}) {
        if (!Marker.isEmpty() && T.endsWith(Marker, Qt::CaseInsensitive)) {
            T = T.left(T.size() - Marker.size()).trimmed();
            AddHours = 0;
            break;
        }
    }
    if (AddHours < 0)
        for (const QString& Marker : {FS.TimePMString, QStringLiteral("PM")}) {
            if (!Marker.isEmpty() && T.endsWith(Marker, Qt::CaseInsensitive)) {
                T = T.left(T.size() - Marker.size()).trimmed();
                AddHours = 12;
                break;
            }
        }
    int MSec = 0;
    const int Dot = T.indexOf(QLatin1Char('.'));
    if (Dot >= 0 && FS.TimeSeparator != QLatin1Char('.')) {
        bool Ok;
        MSec = T.mid(Dot + 1).toInt(&Ok);
        if (!Ok)
            return false;
        T.truncate(Dot);
    }
    QList<int> N, W;
    if (!ReadNumbers(T, FS.TimeSeparator, N, W) || N.isEmpty() || N.size() > 3)
        return false;
    int H = N[0];
    if (AddHours >= 0) {
        if (H < 1 || H > 12)
            return false;
        H = H % 12 + AddHours;
    }
    return TryEncodeTime(H, N.size() > 1 ? N[1] : 0, N.size() > 2 ? N[2] : 0, MSec, Value);
}

bool TryStrToTime(const QString& S, TDateTime& Value)
{
    return TryStrToTime(S, Value, FormatSettings());
}

TDateTime StrToTime(const QString& S)
{
    TDateTime V;
    if (!TryStrToTime(S, V))
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(S));
    return V;
}

bool TryStrToDateTime(const QString& S, TDateTime& Value)
{
    const QString T = S.trimmed();
    const int Space = T.indexOf(QLatin1Char(' '));
    if (Space < 0)
        return TryStrToDate(T, Value);
    TDateTime D, Tm;
    if (!TryStrToDate(T.left(Space), D) || !TryStrToTime(T.mid(Space + 1), Tm))
        return false;
    Value = D >= 0 ? D + Tm : D - Tm;
    return true;
}

TDateTime StrToDateTime(const QString& S)
{
    TDateTime V;
    if (!TryStrToDateTime(S, V))
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(S));
    return V;
}

// ---- clock ----------------------------------------------------------------------------

IClock::~IClock() = default;

void IClock::Sleep(unsigned MSecs)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(MSecs));
}

IClock& Clock()
{
    static TSystemClock System;
    return GClock ? *GClock : System;
}

void SetClock(IClock* AClock)
{
    GClock = AClock;
}

TClockScope::TClockScope(IClock& AClock) : FSaved(GClock)
{
    GClock = &AClock;
}

TClockScope::~TClockScope()
{
    GClock = FSaved;
}

TDateTime Now()
{
    return Clock().Now();
}

TDateTime Date()
{
    return DateOf(Clock().Now());
}

TDateTime Time()
{
    return TimeOf(Clock().Now());
}

quint32 GetTickCount()
{
    return static_cast<quint32>(Clock().TickCount());
}

quint64 GetTickCount64()
{
    return Clock().TickCount();
}

void Sleep(unsigned MSecs)
{
    Clock().Sleep(MSecs);
}

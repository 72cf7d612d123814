#pragma once
// Locale values used by the conversions that follow the user's settings.
// Read once from the system locale; tests replace them (see TFormatSettingsScope).

#include <QChar>
#include <QString>

struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    QChar ListSeparator = QLatin1Char(',');
    // Date and time patterns use the classic tokens: d, m, y for dates, h, n, s, z for times.
    QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    QString ShortTimeFormat = QStringLiteral("hh:nn");
    QString LongTimeFormat = QStringLiteral("hh:nn:ss");
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    // The locale's script reads from right to left (a Middle East locale).
    bool MiddleEast = false;
};

// The process-wide settings (read from the system locale on first use). Writable.
TFormatSettings& FormatSettings();

// Fixed settings with '.' and no dependence on the user: for numbers in files.
const TFormatSettings& InvariantFormatSettings();

// What the system locale says, read afresh.
TFormatSettings SystemFormatSettings();

// Replaces the process-wide settings for the lifetime of the object (tests).
class TFormatSettingsScope {
public:
    explicit TFormatSettingsScope(const TFormatSettings& Settings);
    ~TFormatSettingsScope();
    TFormatSettingsScope(const TFormatSettingsScope&) = delete;
    TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

private:
    TFormatSettings FSaved;
};

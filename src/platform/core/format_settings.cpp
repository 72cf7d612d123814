#include "platform/core/format_settings.h"

#include <QLocale>

namespace {

// Qt date patterns use M for months and m for minutes; the classic tokens use m/mm for
// months in dates and n for minutes.
QString ConvertQtDatePattern(const QString& Qt)
{
    QString R;
    for (int i = 0; i < Qt.size(); ++i) {
        QChar C = Qt[i];
        if (C == QLatin1Char('M'))
            R += QLatin1Char('m');
        else if (C == QLatin1Char('\''))
            R += QLatin1Char('"');
        else
            R += C;
    }
    return R;
}

QString ConvertQtTimePattern(const QString& Qt)
{
    QString R;
    for (int i = 0; i < Qt.size(); ++i) {
        QChar C = Qt[i];
        if (C == QLatin1Char('m'))
            R += QLatin1Char('n');
        else if (C == QLatin1Char('H'))
            R += QLatin1Char('h');
        else if (C == QLatin1Char('\''))
            R += QLatin1Char('"');
        else if (C == QLatin1Char('A') || C == QLatin1Char('a')) {
            R += QStringLiteral("ampm");
            if (i + 1 < Qt.size() && (Qt[i + 1] == QLatin1Char('P') || Qt[i + 1] == QLatin1Char('p')))
                ++i;
        } else if (C == QLatin1Char('t'))
            continue;
        else
            R += C;
    }
    return R.trimmed();
}

QChar FirstSeparator(const QString& Pattern, QChar Fallback)
{
    for (QChar C : Pattern)
        if (!C.isLetterOrNumber() && C != QLatin1Char('\'') && C != QLatin1Char('"') && C != QLatin1Char(' '))
            return C;
    return Fallback;
}

}  // namespace

TFormatSettings SystemFormatSettings()
{
    QLocale L = QLocale::system();
    TFormatSettings S;
    QString Dec = L.decimalPoint();
    if (Dec.size() == 1)
        S.DecimalSeparator = Dec[0];
    QString Grp = L.groupSeparator();
    if (Grp.size() == 1)
        S.ThousandSeparator = Grp[0];
    QString ShortDate = L.dateFormat(QLocale::ShortFormat);
    QString ShortTime = L.timeFormat(QLocale::ShortFormat);
    QString LongTime = L.timeFormat(QLocale::LongFormat);
    S.DateSeparator = FirstSeparator(ShortDate, QLatin1Char('/'));
    S.TimeSeparator = FirstSeparator(ShortTime, QLatin1Char(':'));
    // A short date with a month name (the C locale's "d MMM yyyy") cannot be typed into
    // a date field: such locales get the numeric form.
    if (ShortDate.contains(QLatin1String("MMM"))) {
        S.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        S.DateSeparator = QLatin1Char('/');
    } else if (!ShortDate.isEmpty()) {
        S.ShortDateFormat = ConvertQtDatePattern(ShortDate);
    }
    QString LongDate = L.dateFormat(QLocale::LongFormat);
    if (!LongDate.isEmpty())
        S.LongDateFormat = ConvertQtDatePattern(LongDate);
    if (!ShortTime.isEmpty())
        S.ShortTimeFormat = ConvertQtTimePattern(ShortTime);
    if (!LongTime.isEmpty()) {
        // Long formats may carry a time-zone token; the classic pattern has none.
        S.LongTimeFormat = ConvertQtTimePattern(LongTime);
    }
    if (!L.amText().isEmpty())
        S.TimeAMString = L.amText();
    if (!L.pmText().isEmpty())
        S.TimePMString = L.pmText();
    S.ListSeparator = S.DecimalSeparator == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
    S.MiddleEast = L.textDirection() == Qt::RightToLeft;
    return S;
}

TFormatSettings& FormatSettings()
{
    static TFormatSettings Settings = SystemFormatSettings();
    return Settings;
}

const TFormatSettings& InvariantFormatSettings()
{
    static const TFormatSettings Settings;
    return Settings;
}

TFormatSettingsScope::TFormatSettingsScope(const TFormatSettings& Settings) : FSaved(FormatSettings())
{
    FormatSettings() = Settings;
}

TFormatSettingsScope::~TFormatSettingsScope()
{
    FormatSettings() = FSaved;
}

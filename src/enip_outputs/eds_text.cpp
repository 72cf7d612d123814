#include "enip_outputs/eds_text.h"

#include "platform/core/sysutils.h"

QString Clean_EDS_Line(const QString& Line)
{
    QString s = Trim(Line);
    const qsizetype dollar = s.indexOf(QLatin1Char('$'));
    if (dollar >= 0)
        s = TrimRight(s.left(dollar));
    return s;
}

int Unquoted_Index_Of(const QString& Text, QChar C)
{
    bool quoted = false;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c == u'"')
            quoted = !quoted;
        else if (c == C && !quoted)
            return int(i);
    }
    return -1;
}

QStringList Split_EDS_Fields(const QString& Text)
{
    QStringList fields;
    const qsizetype n = Text.size();
    if (n == 0)
        return fields;
    qsizetype i = 0;
    for (;;) {
        QString field;
        if (Text.at(i) == u'"') {
            ++i;
            while (i < n) {
                if (Text.at(i) == u'"') {
                    if (i + 1 < n && Text.at(i + 1) == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += Text.at(i++);
            }
        }
        // Whatever follows, up to the next comma outside quotes, is kept as written.
        bool quoted = false;
        while (i < n) {
            const QChar c = Text.at(i);
            if (c == u'"')
                quoted = !quoted;
            else if (c == u',' && !quoted)
                break;
            field += c;
            ++i;
        }
        fields.append(field);
        if (i >= n)
            break;
        ++i;  // the comma
        if (i >= n) {
            fields.append(QString());
            break;
        }
    }
    return fields;
}

bool EDS_Key_Matches(const QString& Line, const QString& Key)
{
    if (Key.isEmpty())
        return false;
    const qsizetype at = Line.indexOf(Key);
    if (at < 0 || !Line.contains(QLatin1Char('=')))
        return false;
    const qsizetype after = at + Key.size();
    if (after >= Line.size())
        return false;
    const QChar c = Line.at(after);
    return c == u' ' || c == u'\t' || c == u'=';
}

#include "platform/office/office_automation.h"

#include "platform/core/datetime.h"
#include "platform/core/sysutils.h"

namespace {

TOfficeProvider* gProvider = nullptr;

}  // namespace

TOfficeProvider& DefaultOfficeProvider();   // office_files.cpp

TOfficeProvider& OfficeProvider() { return gProvider ? *gProvider : DefaultOfficeProvider(); }
void SetOfficeProvider(TOfficeProvider* Provider) { gProvider = Provider; }

QString TOfficeValue::AsText() const
{
    switch (Kind) {
    case Number: return FloatToStr(Num);
    case Date: return DateTimeToStr(Num);
    case Text: return Str;
    case Boolean: return Bool ? QStringLiteral("True") : QStringLiteral("False");
    default: return QString();
    }
}

QString ConnectionFileName(const QString& ConnectionText)
{
    const int at = ConnectionText.indexOf(QLatin1String("DBQ="), 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const int start = at + 4;
    const int end = ConnectionText.indexOf(QLatin1Char(';'), start);
    return ConnectionText.mid(start, end < 0 ? -1 : end - start).trimmed();
}

QString ColumnLetters(int Column)
{
    QString s;
    for (int k = Column; k > 0; k = (k - 1) / 26)
        s.prepend(QChar(u'A' + (k - 1) % 26));
    return s;
}

bool ParseCellReference(const QString& Ref, int& Column, int& Row)
{
    int i = 0;
    const int n = int(Ref.size());
    if (i < n && Ref[i] == QLatin1Char('$'))
        ++i;
    qint64 col = 0;
    const int letters = i;
    while (i < n && Ref[i].toUpper() >= QLatin1Char('A') && Ref[i].toUpper() <= QLatin1Char('Z') && i - letters < 3)
        col = col * 26 + (Ref[i++].toUpper().unicode() - u'A' + 1);
    if (i == letters)
        return false;
    if (i < n && Ref[i] == QLatin1Char('$'))
        ++i;
    qint64 row = 0;
    const int digits = i;
    while (i < n && Ref[i].isDigit() && i - digits < 8)
        row = row * 10 + Ref[i++].digitValue();
    if (i == digits || i != n || row < 1 || row > 1048576 || col > 16384)
        return false;
    Column = int(col);
    Row = int(row);
    return true;
}

bool ParseRangeAddress(const QString& Address, int& FirstRow, int& FirstCol, int& LastRow, int& LastCol)
{
    const QStringList parts = Address.split(QLatin1Char(':'));
    if (parts.size() > 2 || !ParseCellReference(parts[0].trimmed(), FirstCol, FirstRow))
        return false;
    if (parts.size() == 1) {
        LastRow = FirstRow;
        LastCol = FirstCol;
        return true;
    }
    if (!ParseCellReference(parts[1].trimmed(), LastCol, LastRow))
        return false;
    if (LastRow < FirstRow) std::swap(FirstRow, LastRow);
    if (LastCol < FirstCol) std::swap(FirstCol, LastCol);
    return true;
}

#include "grid/grid_text.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/core/codepages.h"
#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/stringlist.h"
#include "platform/core/sysutils.h"

namespace {

const QChar CR(13);
const QChar LF(10);

// Upper case one character at a time, so that positions stay valid.
QString UpperSameLength(const QString& Text)
{
    QString r = Text;
    for (QChar& c : r)
        c = c.toUpper();
    return r;
}

// Every CR becomes Mark and every LF goes: the one-line forms of a cell text.
QString ReplaceLineBreaks(const QString& Text, const QString& Mark)
{
    QString r;
    r.reserve(Text.size() + 8);
    for (QChar c : Text) {
        if (c == CR)
            r.append(Mark);
        else if (c != LF)
            r.append(c);
    }
    return r;
}

bool WholeInt(const QString& Text, int& Value)
{
    return TryStrToInt(Text, Value);
}

} // namespace

QChar GetTimeSeparator() { return FormatSettings().TimeSeparator; }
QChar GetDateSeparator() { return FormatSettings().DateSeparator; }
QChar GetThousandSeparator() { return FormatSettings().ThousandSeparator; }
QChar GetDecimalSeparator() { return FormatSettings().DecimalSeparator; }
QString GetShortDateFormat() { return FormatSettings().ShortDateFormat; }

// ---- Text kinds ----

int GetCellTextKind(const QString& Text, bool CheckHTML)
{
    if (Text.isEmpty())
        return ctkPlain;
    // The marks are compared character by character: every export and paint asks this of
    // every cell, and most cells are short.
    const QChar first = Text.at(0);
    if (first == QLatin1Char('='))
        return ctkFormula;
    const bool backslashNext = Text.size() >= 2 && Text.at(1) == QLatin1Char('\\');
    if (first == QLatin1Char('|') && backslashNext) {
        if (Text.size() >= 4 && Text.at(2).unicode() == 0 && Text.at(3) == QLatin1Char('='))
            return ctkFormula;
        return ctkWideText;
    }
    if (first == QLatin1Char('{') && backslashNext)
        return ctkRichText;
    if (CheckHTML) {
        // One pass for the tags "</", "<B", "<I" and "<C": every export asks this of every cell.
        const QChar* p = Text.constData();
        const qsizetype last = Text.size() - 1;
        for (qsizetype i = 0; i < last; ++i) {
            if (p[i] != QLatin1Char('<'))
                continue;
            const char16_t next = p[i + 1].unicode();
            if (next == u'/' || next == u'B' || next == u'I' || next == u'C')
                return ctkHTML;
        }
    }
    return ctkPlain;
}

QString EncodeWideCellText(const QString& Text)
{
    QString r = QStringLiteral("|\\");
    r.reserve(2 + Text.size() * 2);
    for (QChar c : Text) {
        r.append(QChar(c.unicode() >> 8));
        r.append(QChar(c.unicode() & 0xFF));
    }
    return r;
}

QString DecodeWideCellText(const QString& Text)
{
    if (!Text.startsWith(QLatin1String("|\\")))
        return Text;
    QString r;
    r.reserve((Text.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < Text.size(); i += 2) {
        const unsigned unit = (unsigned(Text.at(i).unicode()) * 256u + Text.at(i + 1).unicode()) & 0xFFFFu;
        r.append(QChar(char16_t(unit)));
    }
    return r;
}

int WidePos(const QString& SubStr, const QString& S)
{
    if (SubStr.isEmpty())
        return 0;
    return int(S.indexOf(SubStr)) + 1;
}

// ---- Line breaks ----

QString EscapedToLineBreaks(const QString& Text)
{
    QString r = Text;
    r.replace(QLatin1String("\\n"), QString(CR));
    return r;
}

QString LineBreaksToEscaped(const QString& Text)
{
    return ReplaceLineBreaks(Text, QStringLiteral("\\n"));
}

QString LineBreaksToControlChars(const QString& Text)
{
    if (!Text.contains(CR))
        return Text;
    QString r = Text;
    for (QChar& c : r) {
        if (c == CR)
            c = QChar(9);
        else if (c == LF)
            c = QChar(8);
        else if (c.unicode() == 0)
            c = QChar(1);
    }
    return r;
}

QString ControlCharsToLineBreaks(const QString& Text, bool MultiLine)
{
    QString r = Text;
    if (r.contains(QChar(8))) {
        for (QChar& c : r) {
            if (c.unicode() == 9)
                c = CR;
            else if (c.unicode() == 8)
                c = LF;
            else if (c.unicode() == 1)
                c = QChar(0);
        }
    }
    if (!MultiLine) {
        QString line;
        CutFirstLine(r, false, line);
        return line;
    }
    return r;
}

void CutFirstLine(QString& Text, bool KeepRest, QString& Line)
{
    const qsizetype p = Text.indexOf(CR);
    if (p < 0) {
        Line = Text;
        Text.clear();
        return;
    }
    Line = Text.left(p);
    qsizetype cut = p + 1;
    if (cut < Text.size() && Text.at(cut) == LF)
        ++cut;
    if (KeepRest)
        Text.remove(0, cut);
    else
        Text.clear();
}

int CountLines(const QString& Text, bool MultiLine)
{
    if (!MultiLine)
        return 1;
    return 1 + int(Text.count(CR));
}

QString RemoveCR(const QString& Text)
{
    QString r = Text;
    r.remove(CR);
    return r;
}

QString CRToLF(const QString& Text)
{
    QString r = Text;
    r.replace(CR, LF);
    return r;
}

void CRLFToLF(QString& Text)
{
    Text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString CRToHTMLBreaks(const QString& Text)
{
    if (!Text.contains(CR))
        return Text;
    QString r = Text;
    r.replace(CR, QLatin1String("<br>"));
    return r;
}

void LineBreaksToTilde(QString& Text)
{
    Text = ReplaceLineBreaks(Text, QStringLiteral("~"));
}

void TildeToLineBreaks(QString& Text)
{
    Text.replace(QLatin1Char('~'), QLatin1String("\r\n"));
    if (Text == QLatin1String("^"))
        Text.clear();
}

void QuoteMultiLineCell(QString& Text)
{
    Text.replace(QLatin1String("\r\n"), QString(QChar(11)));
    Text = QLatin1Char('"') + Text + QLatin1Char('"');
}

void Char11ToCRLF(QString& Text)
{
    if (Text.contains(QChar(11)))
        Text.replace(QChar(11), QLatin1String("\r\n"));
}

// ---- CSV ----

QString DoubleQuoteChars(const QString& Text)
{
    QString r = Text;
    r.replace(QLatin1String("\""), QLatin1String("\"\""));
    return r;
}

QString UndoubleChar(QChar Ch, const QString& Text)
{
    if (!Text.contains(Ch))
        return Text;
    QString r;
    r.reserve(Text.size());
    qsizetype i = 0;
    while (i < Text.size()) {
        r.append(Text.at(i));
        if (Text.at(i) == Ch && i + 1 < Text.size() && Text.at(i + 1) == Ch)
            i += 2;
        else
            ++i;
    }
    return r;
}

int ClosingQuotePos(QChar Quote, const QString& Text, int& Pos)
{
    const int n = int(Text.size());
    int count = 0;
    Pos = 0;
    for (int i = 1; i <= n; ++i) {
        const QChar c = Text.at(i - 1);
        if (c == Quote) {
            if (i < n) {
                ++count;
            } else {
                Pos = i;
                break;
            }
        } else if (count % 2 == 1) {
            Pos = i - 1;
            break;
        } else {
            count = 0;
        }
    }
    return Pos;
}

int ClosingQuotePos(QChar Quote, const QString& Text)
{
    int pos = 0;
    return ClosingQuotePos(Quote, Text, pos);
}

int CountClosingQuotes(QChar Quote, const QString& Text)
{
    QString t = Text;
    int n = 0;
    for (;;) {
        const int p = ClosingQuotePos(Quote, t);
        if (p <= 0)
            break;
        ++n;
        t.remove(0, p);
    }
    return n;
}

int CountChar(QChar Ch, const QString& Text)
{
    return int(Text.count(Ch));
}

// ---- Code pages ----

void StringToOem(QString& Text)
{
    Text = AnsiToUnicode(UnicodeToOem(Text));
}

void OemToString(QString& Text)
{
    Text = OemToUnicode(UnicodeToAnsi(Text));
}

// ---- Searching, cutting, joining ----

int PosInUpperText(const QString& Pattern, const QString& Text)
{
    if (Pattern.isEmpty())
        return 0;
    return int(UpperSameLength(Text).indexOf(Pattern)) + 1;
}

int FirstCharPos(QChar Ch, const QString& Text)
{
    return int(Text.indexOf(Ch)) + 1;
}

int FirstCharPosVar(QChar Ch, const QString& Text, int& Pos)
{
    const int p = FirstCharPos(Ch, Text);
    if (p > 0)
        Pos = p;
    return p;
}

int SubstrPosVar(const QString& SubStr, const QString& Text, int& Pos)
{
    Pos = SubStr.isEmpty() ? 0 : int(Text.indexOf(SubStr)) + 1;
    return Pos;
}

QString CutBeforeSeparator(QString& Text, const QString& Sep)
{
    if (Sep.isEmpty())
        return QString();
    const qsizetype p = Text.indexOf(Sep);
    if (p < 0)
        return QString();
    const QString r = Text.left(p);
    Text.remove(0, p + 1);
    return r;
}

QString JoinStrings(const TStrings& List)
{
    QString r;
    for (int i = 0; i < List.Count(); ++i)
        r += List.Strings(i);
    return r;
}

QString JoinStrings(const QStringList& List)
{
    return List.join(QString());
}

void FillWithChar(QString& Text, QChar Ch)
{
    Text.fill(Ch);
}

// ---- Character classes ----

bool IsNumberChar(QChar Ch)
{
    const ushort u = Ch.unicode();
    if (u < 128)
        return u >= '0' && u <= '9';
    return Ch.isNumber();
}

bool IsNumberOrMinusChar(QChar Ch)
{
    return IsNumberChar(Ch) || Ch == QLatin1Char('-');
}

bool IsNumberNotationChar(QChar Ch)
{
    return IsNumberChar(Ch) || Ch == GetThousandSeparator() || Ch == GetDecimalSeparator()
        || Ch == QLatin1Char('e') || Ch == QLatin1Char('E');
}

bool IsNumberNotationWithSignsChar(QChar Ch)
{
    return IsNumberNotationChar(Ch) || Ch == QLatin1Char('+') || Ch == QLatin1Char('-');
}

bool IsNumberTextChar(QChar Ch)
{
    return IsNumberChar(Ch) || Ch == QLatin1Char('-') || Ch == QLatin1Char('.')
        || Ch == QLatin1Char('e') || Ch == QLatin1Char('E') || Ch == QLatin1Char('+');
}

// ---- Numbers ----

int IntMax(int A, int B) { return A > B ? A : B; }
int IntMin(int A, int B) { return A < B ? A : B; }

int ClampToLimits(int Value, int Min, int Max)
{
    if (Min == Max)
        return Value;
    if (Min > 0 && Value < Min)
        Value = Min;
    if (Max > 0 && Value > Max)
        Value = Max;
    return Value;
}

QString ExtractNumberText(const QString& Text)
{
    if (Text.isEmpty())
        return QString();
    QString t = Text.trimmed();
    bool negative = t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'));
    while (t.size() >= 2 && !IsNumberNotationChar(t.at(0))) {
        if (t.at(0) == QLatin1Char('-'))
            negative = true;
        t.remove(0, 1);
    }
    const QChar thousand = GetThousandSeparator();
    const QChar decimal = GetDecimalSeparator();
    QString r;
    for (QChar c : t) {
        if (c == thousand)
            continue;
        if (c == decimal)
            r.append(QLatin1Char('.'));
        else if (IsNumberTextChar(c))
            r.append(c);
        else
            break;
    }
    if (negative)
        r.prepend(QLatin1Char('-'));
    return r;
}

bool FormatFloatText(const QString& Format, double Value, QString& Out, bool AllowInteger)
{
    const auto digits = [](const QString& f, qsizetype& i) {
        qsizetype n = 0;
        while (i < f.size() && f.at(i).isDigit()) {
            ++i;
            ++n;
        }
        return n;
    };
    QChar conversion;
    for (qsizetype i = 0; i < Format.size(); ++i) {
        if (Format.at(i) != QLatin1Char('%')) continue;
        ++i;
        if (i < Format.size() && Format.at(i) == QLatin1Char('%')) continue;
        if (!conversion.isNull()) return false;
        while (i < Format.size() && QStringLiteral("-+ #0").contains(Format.at(i))) ++i;
        if (digits(Format, i) > 2) return false;
        if (i < Format.size() && Format.at(i) == QLatin1Char('.')) {
            ++i;
            if (digits(Format, i) > 2) return false;
        }
        const bool longMark = i < Format.size() && Format.at(i) == QLatin1Char('l');
        if (longMark) ++i;
        if (i >= Format.size()) return false;
        const QChar c = Format.at(i);
        const bool floating = QStringLiteral("fFeEgGaA").contains(c);
        const bool integer = !longMark && AllowInteger && (c == QLatin1Char('d') || c == QLatin1Char('i'));
        if (!floating && !integer) return false;
        conversion = c;
    }
    if (conversion.isNull()) return false;
    const QByteArray f = Format.toLatin1();
    // Two-digit widths and precisions keep even 1e308 in "%99.99f" well inside the buffer.
    char buf[512];
    int n;
    if (conversion == QLatin1Char('d') || conversion == QLatin1Char('i')) {
        const double t = std::trunc(Value);
        if (!(t >= double(std::numeric_limits<int>::min()) && t <= double(std::numeric_limits<int>::max())))
            return false;
        n = std::snprintf(buf, sizeof buf, f.constData(), int(t));
    } else {
        n = std::snprintf(buf, sizeof buf, f.constData(), Value);
    }
    if (n < 0 || n >= int(sizeof buf)) return false;
    Out = QString::fromLatin1(buf, n);
    return true;
}

int ClassifyNumberText(const QString& Text)
{
    if (Text.isEmpty())
        return nkNotANumber;
    const QChar thousand = GetThousandSeparator();
    const QChar decimal = GetDecimalSeparator();
    bool isInt = true, isDec = true, isExp = true, hasE = false;
    int minus = 0, decSeps = 0, lastThousand = -1;
    const int n = int(Text.size());
    for (int i = 1; i <= n; ++i) {
        const QChar c = Text.at(i - 1);
        const bool num = IsNumberChar(c);
        const bool isMinus = c == QLatin1Char('-');
        const bool isE = c == QLatin1Char('e') || c == QLatin1Char('E');
        if (!num && !isMinus)
            isInt = false;
        if (isE) {
            if (hasE)
                isExp = false;
            hasE = true;
            if (i == 1)
                isExp = false;
        }
        if (isMinus && i > 1) {
            isInt = false;
            isDec = false;
        }
        if (i == n && (isE || c == QLatin1Char('+') || isMinus))
            isExp = false;
        if (!num && !isMinus && c != thousand && c != decimal)
            isDec = false;
        // The notation characters with the separators read once above, not per character.
        const bool notation = num || c == decimal || isE || c == QLatin1Char('+') || isMinus;
        if (!notation || c == thousand)
            isExp = false;
        if (c == thousand) {
            if (lastThousand >= 0 && i - lastThousand < 4)
                isDec = false;
            lastThousand = i;
        }
        if (c == decimal)
            ++decSeps;
        if (isMinus)
            ++minus;
        // Once no kind is possible any more, the rest of the text cannot change that.
        if (!isInt && !isDec && !isExp)
            return nkNotANumber;
    }
    int result = nkNotANumber;
    if (isInt) {
        result = nkInteger;
    } else if (isDec && !hasE) {
        result = nkDecimal;
    } else if (isExp && hasE) {
        result = nkExponent;
        if (minus == 2)
            minus = 1;
    }
    if (minus > 1 || decSeps > 1)
        result = nkNotANumber;
    return result;
}

// ---- Dates ----

namespace {

TDateTime ParseDate(const QString& Text, bool MonthFirst)
{
    QChar sep;
    if (Text.contains(QLatin1Char('/')))
        sep = QLatin1Char('/');
    else if (Text.contains(QLatin1Char('.')))
        sep = QLatin1Char('.');
    else if (Text.contains(QLatin1Char('-')))
        sep = QLatin1Char('-');
    else
        return TDateTime(0);
    const qsizetype p1 = Text.indexOf(sep);
    const QString first = Text.left(p1);
    const QString rest = Text.mid(p1 + 1);
    const qsizetype p2 = rest.indexOf(sep);
    if (p2 < 0)
        return TDateTime(0);
    const QString second = rest.left(p2);
    const QString yearText = rest.mid(p2 + 1);
    int a = 0, b = 0, year = 0;
    if (!WholeInt(first, a) || !WholeInt(second, b) || !WholeInt(yearText, year))
        return TDateTime(0);
    if (year < 100)
        year += (year <= 25) ? 2000 : 1900;
    const int month = MonthFirst ? a : b;
    const int day = MonthFirst ? b : a;
    return EncodeDate(year, month, day);
}

} // namespace

TDateTime ParseDateMDY(const QString& Text) { return ParseDate(Text, true); }
TDateTime ParseDateDMY(const QString& Text) { return ParseDate(Text, false); }

bool LooksLikeDate(const QString& Text)
{
    const QChar sep = GetDateSeparator();
    const qsizetype p = Text.indexOf(sep);
    if (p < 1)
        return false;
    const QString rest = Text.mid(p + 1);
    return rest.indexOf(sep) >= 1;
}

TDateTime AddToDate(short Years, short Months, short Days, TDateTime Date, TDateTime Increment)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(Date, y, m, d);
    if (Days != 0 && Years == 0 && Months == 0)
        return TDateTime(double(Date) + Days);
    if (Years != 0 && Months == 0 && Days == 0)
        return EncodeDate(y + Years, m, d);
    if (Months != 0 && Years == 0 && Days == 0) {
        int year = y;
        int month = int(m) + Months;
        if (month == 0) {
            month = 12;
            --year;
        } else if (month >= 13 && month <= 24) {
            month -= 12;
            ++year;
        }
        return EncodeDate(year, month, d);
    }
    return TDateTime(double(Date) + double(Increment));
}

// ---- Cell references, addresses, case ----

bool ParseCellRef(const QString& Text, QPoint& Cell)
{
    const QString u = UpperSameLength(Text);
    if (u.size() <= 3 || u.at(0) != QLatin1Char('R'))
        return false;
    const qsizetype c = u.indexOf(QLatin1Char('C'), 1);
    if (c < 0)
        return false;
    int row = 0, col = 0;
    if (!WholeInt(u.mid(1, c - 1), row) || !WholeInt(u.mid(c + 1), col))
        return false;
    Cell = QPoint(col, row);
    return true;
}

bool ContainsURL(const QString& Text)
{
    return Text.contains(QLatin1String("://")) || Text.contains(QLatin1String("mailto:"));
}

void StripURLProtocol(QString& Text)
{
    qsizetype p = Text.indexOf(QLatin1String("://"));
    if (p >= 0) {
        Text.remove(0, p + 3);
        return;
    }
    p = Text.indexOf(QLatin1String("mailto:"));
    if (p >= 0)
        Text.remove(0, p + 7);
}

namespace {

bool IsAddressChar(QChar c)
{
    const ushort u = c.unicode();
    if (u > 255)
        return false;
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return true;
    switch (u) {
    case '%': case '(': case ')': case '-': case '.': case '/': case ':': case '@':
    case '\\': case '_': case '{': case '}':
        return true;
    default:
        return false;
    }
}

} // namespace

bool WrapURLAsLink(const QString& Text, const QString& Prefix, QString& Dest)
{
    if (Prefix.isEmpty() || !UpperSameLength(Text).contains(Prefix))
        return false;
    QString d = Text;
    d.replace(QLatin1String("<"), QLatin1String("&lt;"));
    d.replace(QLatin1String(">"), QLatin1String("&gt;"));
    const qsizetype from = UpperSameLength(d).indexOf(Prefix);
    qsizetype len = 0;
    while (from + len < d.size() && IsAddressChar(d.at(from + len)))
        ++len;
    const QString address = d.mid(from, len);
    d.insert(from + len, QLatin1String("</a>"));
    d.insert(from, QLatin1String("<a href=\"") + address + QLatin1String("\">"));
    Dest = d;
    return true;
}

QString ToMixedCase(const QString& Text)
{
    QString r = Text;
    const int n = int(r.size());
    bool start = true;
    for (int i = 1; i <= n; ++i) {
        QChar& c = r[i - 1];
        const ushort u = c.unicode();
        if (u == ' ' || u == '\'' || u == ',' || u == '-' || u == '.') {
            start = true;
        } else if (start) {
            c = c.toUpper();
            start = false;
        } else {
            c = c.toLower();
        }
        const QString sofar = r.left(i);
        if (sofar == QLatin1String("Mc")) {
            start = true;
        } else {
            const qsizetype mc = sofar.indexOf(QLatin1String(" Mc"));
            if (mc >= 0 && mc + 3 == i)
                start = true;
        }
        if (i > n - 3) {
            if ((i >= 2 && r.mid(i - 2, 2) == QLatin1String(" I"))
                || (i >= 3 && r.mid(i - 3, 3) == QLatin1String(" II")))
                start = true;
        }
    }
    return r;
}

// ---- HTML export ----

QString ColorToHTMLHex(TColor Color)
{
    const quint32 c = quint32(Color);
    return QStringLiteral("%1%2%3")
        .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

void BuildHTMLClipboardText(QString& HTML)
{
    const int len = int(HTML.size());
    auto num = [](int v) { return QStringLiteral("%1").arg(v, 8, 10, QLatin1Char('0')); };
    QString r;
    r += QLatin1String("Version:1.0\r\n");
    r += QLatin1String("StartHTML:") + num(97) + QLatin1String("\r\n");
    r += QLatin1String("EndHTML:") + num(306 + len) + QLatin1String("\r\n");
    r += QLatin1String("StartFragment:") + num(274) + QLatin1String("\r\n");
    r += QLatin1String("EndFragment:") + num(274 + len) + QLatin1String("\r\n");
    r += QLatin1String("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    r += QLatin1String("<html><head><META http-equiv=Content-Type content=\"text/html; "
                       "charset=iso-8859-1\"></head><body><!--StartFragment-->");
    r += HTML;
    r += QLatin1String("<!--EndFragment--></body></html>");
    HTML = r;
}

#include "grid/filter_expression.h"

#include "grid/grid_text.h"
#include "platform/core/sysutils.h"

#include <cmath>
#include <unordered_map>

namespace {

const QChar Quote(QLatin1Char('"'));

// Operand of a comparison sign at SignPos: after the sign and an optional "=",
// up to a space, "&" or "|" outside quotes (counted from the operand's start),
// with a leading and a trailing double quote dropped.
QString ScanOperand(const QString& Cond, qsizetype SignPos, bool& Inclusive)
{
    qsizetype i = SignPos + 1;
    Inclusive = false;
    if (i < Cond.size() && Cond.at(i) == QLatin1Char('=')) {
        Inclusive = true;
        ++i;
    }
    while (i < Cond.size() && Cond.at(i) == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    int quotes = 0;
    while (i < Cond.size()) {
        const QChar c = Cond.at(i);
        if (c == Quote)
            ++quotes;
        // A space inside quotes belongs to the operand (">"New York"").
        if ((c == QLatin1Char(' ') || c == QLatin1Char('&') || c == QLatin1Char('|')) && quotes % 2 == 0)
            break;
        ++i;
    }
    QString op = Cond.mid(start, i - start);
    if (op.startsWith(Quote))
        op.remove(0, 1);
    if (op.endsWith(Quote))
        op.chop(1);
    return op;
}

bool ToNumber(const QString& Text, double& Value)
{
    if (!TryStrToFloat(NormalizeNumberText(Text), Value, InvariantFormatSettings()))
        return false;
    return std::isfinite(Value);
}

// -1, 0 or 1 as Value is below, equal to or above Operand.
int CompareValues(const QString& Value, const QString& Operand)
{
    double nv = 0, no = 0;
    const bool numV = ToNumber(Value, nv);
    const bool numO = ToNumber(Operand, no);
    TDateTime dv{}, dop{};
    const bool dateV = ParseLocaleDateTime(Value, dv);
    const bool dateO = ParseLocaleDateTime(Operand, dop);
    if (numV && numO && !dateV && !dateO)
        return nv < no ? -1 : (nv > no ? 1 : 0);
    if (dateV && dateO) {
        const double a = double(dv), b = double(dop);
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    const int c = QString::compare(Value.left(255), Operand.left(255), Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Results of the rest of a pattern after "*" against a suffix of the value,
// kept for one top-level condition. Both are suffixes of the condition's own
// pattern and value, so their lengths identify them; without this, several
// stars on a long text would try every split again and again.
thread_local std::unordered_map<quint64, bool>* GStarMemo = nullptr;

bool StarRestMatches(const QString& Rest, const QString& Suffix)
{
    const quint64 key = (quint64(Rest.size()) << 32) | quint64(Suffix.size());
    if (GStarMemo) {
        auto it = GStarMemo->find(key);
        if (it != GStarMemo->end())
            return it->second;
    }
    const bool r = MatchCondition(Rest, Suffix);
    if (GStarMemo)
        (*GStarMemo)[key] = r;
    return r;
}

bool WildcardMatch(const QString& Pattern, const QString& Value)
{
    bool negate = false;
    bool result = false;
    qsizetype i = 0, j = 0;
    for (;;) {
        while (i < Pattern.size() && (Pattern.at(i) == QLatin1Char('!') || Pattern.at(i) == Quote)) {
            if (Pattern.at(i) == QLatin1Char('!'))
                negate = true;
            ++i;
        }
        if (i >= Pattern.size()) {
            result = j >= Value.size();
            break;
        }
        const QChar c = Pattern.at(i);
        if (c == QLatin1Char('*')) {
            while (i < Pattern.size() && Pattern.at(i) == QLatin1Char('*'))
                ++i;
            const QString rest = Pattern.mid(i);
            result = false;
            for (qsizetype k = Value.size(); k >= j; --k) {
                if (StarRestMatches(rest, Value.mid(k))) {
                    result = true;
                    break;
                }
            }
            break;
        }
        if (j >= Value.size()) {
            result = false;
            break;
        }
        if (c != QLatin1Char('?') && c != Value.at(j)) {
            result = false;
            break;
        }
        ++i;
        ++j;
    }
    return negate ? !result : result;
}

} // namespace

QString RemoveSpacesOutsideQuotes(const QString& Text)
{
    QString r;
    r.reserve(Text.size());
    int quotes = 0;
    for (QChar c : Text) {
        if (c == Quote)
            ++quotes;
        if (c != QLatin1Char(' ') || quotes % 2 == 1)
            r.append(c);
    }
    return r;
}

int MatchingParenPos(const QString& Text)
{
    int open = 0, close = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text.at(i) == QLatin1Char('('))
            ++open;
        else if (Text.at(i) == QLatin1Char(')')) {
            ++close;
            if (open == close)
                return int(i) + 1;
        }
    }
    return 0;
}

QChar FindCharOutsideQuotes(std::initializer_list<QChar> Chars, const QString& Text, int& Pos)
{
    int quotes = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c == Quote)
            ++quotes;
        if (quotes % 2 == 0) {
            for (QChar x : Chars) {
                if (c == x) {
                    Pos = int(i) + 1;
                    return c;
                }
            }
        }
    }
    Pos = -1;
    return QChar(0);
}

QString NormalizeNumberText(const QString& Text)
{
    const QChar dec = GetDecimalSeparator();
    const QChar thou = GetThousandSeparator();
    QString r;
    r.reserve(Text.size());
    for (QChar c : Text) {
        if (c == dec)
            r.append(QLatin1Char('.'));
        else if (c != thou)
            r.append(c);
    }
    return r;
}

bool ParseLocaleDateTime(const QString& Text, TDateTime& DateTime)
{
    const QString fmt = GetShortDateFormat().toUpper();
    const qsizetype pd = fmt.indexOf(QLatin1Char('D'));
    const qsizetype pm = fmt.indexOf(QLatin1Char('M'));
    const qsizetype py = fmt.indexOf(QLatin1Char('Y'));
    const QChar sep = GetDateSeparator();

    qsizetype p = Text.indexOf(sep);
    if (p < 0)
        return false;
    const QString part1 = Text.left(p);
    QString rest = Text.mid(p + 1);
    p = rest.indexOf(sep);
    if (p < 0)
        return false;
    const QString part2 = rest.left(p);
    rest = rest.mid(p + 1).trimmed();
    QString part3 = rest, timeText;
    const qsizetype sp = rest.indexOf(QLatin1Char(' '));
    if (sp >= 0) {
        part3 = rest.left(sp);
        timeText = rest.mid(sp);
    }
    int v[3];
    if (!TryStrToInt(part1, v[0]) || !TryStrToInt(part2, v[1]) || !TryStrToInt(part3, v[2]))
        return false;
    // Rank of each part in the short date order.
    auto rank = [&](qsizetype x) {
        int r = 0;
        for (qsizetype o : {pd, pm, py})
            if (o < x)
                ++r;
        return r;
    };
    const int day = v[rank(pd)];
    const int month = v[rank(pm)];
    const int year = v[rank(py)];
    if (day > 31 || month > 12)
        return false;

    int hour = 0, minute = 0, second = 0;
    if (!timeText.isEmpty()) {
        const QChar tsep = GetTimeSeparator();
        const qsizetype t1 = timeText.indexOf(tsep);
        if (t1 < 0)
            return false;
        if (!TryStrToInt(timeText.left(t1).trimmed(), hour) || hour < 0 || hour > 23)
            return false;
        const QString after = timeText.mid(t1 + 1);
        const qsizetype t2 = after.indexOf(tsep);
        QString minText = after, secText;
        if (t2 >= 0) {
            minText = after.left(t2);
            secText = after.mid(t2 + 1);
        }
        if (!TryStrToInt(minText, minute) || minute < 0 || minute > 59)
            return false;
        if (t2 >= 0 && (!TryStrToInt(secText, second) || second < 0 || second > 59))
            return false;
    }
    TDateTime d{};
    if (!TryEncodeDate(year, month, day, d))
        return false;
    DateTime = TDateTime(double(d) + (hour * 3600.0 + minute * 60.0 + second) / 86400.0);
    return true;
}

bool MatchCondition(const QString& Condition, const QString& Value)
{
    std::unordered_map<quint64, bool> memo;
    const bool top = GStarMemo == nullptr;
    if (top)
        GStarMemo = &memo;
    struct Reset {
        bool top;
        ~Reset()
        {
            if (top)
                GStarMemo = nullptr;
        }
    } reset{top};

    const qsizetype gtPos = Condition.indexOf(QLatin1Char('>'));
    const qsizetype ltPos = Condition.indexOf(QLatin1Char('<'));
    const bool hasGT = gtPos >= 0;
    const bool hasLT = ltPos >= 0;
    const bool hasNeg = Condition.contains(QLatin1Char('!'));

    bool gt = true, lt = true;
    if (hasGT) {
        bool inclusive = false;
        const QString op = ScanOperand(Condition, gtPos, inclusive);
        const int c = CompareValues(Value, op);
        gt = inclusive ? c >= 0 : c > 0;
    }
    if (hasLT) {
        bool inclusive = false;
        const QString op = ScanOperand(Condition, ltPos, inclusive);
        const int c = CompareValues(Value, op);
        lt = inclusive ? c <= 0 : c < 0;
    }
    // A "!" stands in for whichever comparison sign is missing.
    const bool gtSign = hasGT || hasNeg;
    const bool ltSign = hasLT || hasNeg;

    if (Condition.contains(QLatin1Char('^')) && (gtSign || ltSign))
        return lt || gt;
    if (Condition.contains(QLatin1Char('&')) && gtSign && ltSign)
        return lt && gt;
    if (hasGT && gt)
        return true;
    if (hasLT && lt)
        return true;
    return WildcardMatch(Condition, Value);
}

bool MatchFilterCondition(const QString& Condition, const QString& Value, bool CaseSensitive)
{
    if (CaseSensitive)
        return MatchCondition(Condition, Value);
    return MatchCondition(AnsiUpperCase(Condition), AnsiUpperCase(Value));
}

bool MatchFilterExpression(const QString& Expression, const QString& Value, bool CaseSensitive)
{
    QString e = RemoveSpacesOutsideQuotes(Trim(Expression));
    if (e.startsWith(QLatin1Char('=')))
        e.remove(0, 1);

    bool result = true;
    QChar prevOp(0);
    auto combine = [&](bool r) {
        const ushort op = prevOp.unicode();
        if (op == 0)
            result = r;
        else if (op == '&')
            result = result && r;
        else if (op == ';' || op == '^' || op == '|')
            result = result || r;
        // After a group ("(") the empty condition up to the next operator does not count.
    };

    for (;;) {
        int p = -1;
        const QChar sep = FindCharOutsideQuotes({QLatin1Char('('), QLatin1Char(';'), QLatin1Char('^'),
                                                 QLatin1Char('&'), QLatin1Char('|')},
                                                e, p);
        if (p < 0)
            break;
        bool r;
        if (e.startsWith(QLatin1Char('('))) {
            const int q = MatchingParenPos(e);
            if (q == 0) {
                // No closing parenthesis: the rest of the expression is the group.
                r = MatchFilterExpression(e.mid(1), Value, CaseSensitive);
                e.clear();
            } else {
                r = MatchFilterExpression(e.mid(1, q - 2), Value, CaseSensitive);
                e.remove(0, q);
            }
        } else {
            r = MatchFilterCondition(e.left(p - 1), Value, CaseSensitive);
            e.remove(0, p);
        }
        combine(r);
        prevOp = sep;
    }
    const bool r = MatchFilterCondition(e, Value, CaseSensitive);
    if (prevOp.unicode() == 0)
        return r;
    combine(r);
    return result;
}

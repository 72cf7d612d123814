// Filter expressions: operators, groups, comparisons, wildcards and case rules.
#include <gtest/gtest.h>

#include "grid/filter_expression.h"
#include "platform/core/format_settings.h"

namespace {

struct Case {
    const char* expression;
    const char* value;
    bool passes;
};

void ExpectCases(std::initializer_list<Case> cases, bool caseSensitive = true)
{
    for (const Case& c : cases)
        EXPECT_EQ(MatchFilterExpression(QString::fromUtf8(c.expression), QString::fromUtf8(c.value), caseSensitive),
                  c.passes)
            << "expression '" << c.expression << "' value '" << c.value << "'";
}

TFormatSettings Locale(QChar Thousand, QChar Decimal, const QString& ShortDate = QStringLiteral("dd/mm/yyyy"))
{
    TFormatSettings s;
    s.ThousandSeparator = Thousand;
    s.DecimalSeparator = Decimal;
    s.DateSeparator = QLatin1Char('/');
    s.TimeSeparator = QLatin1Char(':');
    s.ShortDateFormat = ShortDate;
    return s;
}

} // namespace

TEST(FilterExpression, PlainConditionsAndWildcards)
{
    TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
    ExpectCases({
        {"=abc", "abc", true},   {"=abc", "=abc", false}, {"a b", "ab", true},    {"a b", "a b", false},
        {"abc", "abcd", false},  {"abc*", "abcd", true},  {"*a?", "xab", true},   {"*a?", "xa", false},
        {"!a*", "bcd", true},    {"!a*", "abc", false},   {"a**c", "abbbc", true}, {"?", "", false},
        {"", "", true},          {"", "x", false},        {"()", "", true},        {"()", "x", false},
        {"\"a b\"", "a b", true},
    });
}

TEST(FilterExpression, ManyStarsOnALongText)
{
    // Every split would be tried again for each star; this has to finish at once.
    const QString value = QString(300, QLatin1Char('a'));
    EXPECT_FALSE(MatchCondition(QStringLiteral("*a*a*a*a*a*a*a*b"), value));
    EXPECT_TRUE(MatchCondition(QStringLiteral("*a*a*a*a*a*a*a*"), value));
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral("!*a*a*a*a*a*a*b"), value, false));
}

TEST(FilterExpression, OperatorsCombineLeftToRight)
{
    TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
    // 1|2&3 is (1 or 2) and 3, whatever the value.
    for (const char* v : {"1", "2", "3", "4"}) {
        const QString value = QString::fromLatin1(v);
        const bool expected = (value == QLatin1String("1") || value == QLatin1String("2")) && value == QLatin1String("3");
        EXPECT_EQ(MatchFilterExpression(QStringLiteral("1|2&3"), value, true), expected) << v;
        EXPECT_EQ(MatchFilterExpression(QStringLiteral("(1|2)&3"), value, true), expected) << v;
    }
    ExpectCases({
        {"3&(1|2)", "3", false}, {"a*&(*c|*d)", "abd", true}, {"a*&(*c|*d)", "abe", false},
        {"x;y^z", "z", true},    {"x;y^z", "w", false},       {"((a|b))", "b", true},
        {"ab(c)", "ab", true},   {"ab(c)", "c", false},       {">5&<10", "7", true},
        {">5&<10", "12", false}, {"(a|b)|c", "c", true},
    });
}

TEST(FilterExpression, UnclosedGroupTakesTheRest)
{
    TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
    ExpectCases({
        {"(a|b", "b", true},   {"(a|b", "c", false},  {"x|(a|b", "a", true},
        {"((a", "a", true},    {"(", "", true},       {"x&(", "x", false}, {"x&(", "", false},
    });
}

TEST(FilterExpression, Comparisons)
{
    {
        TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
        ExpectCases({
            {">=10", "10", true}, {">10", "10", false}, {">10", "9.5", false}, {"<10", "9.5", true},
            {"<=10", "10", true}, {">9", "10", true},   {"> 5", "6", true},    {"abc", "ABC", false},
            // A number operand against a text value compares as text.
            {">5", "abc", true},
            // A failed comparison falls back to the wildcard match of the condition itself.
            {"<5", "<5", true},
        });
    }
    TFormatSettingsScope eu(Locale(QLatin1Char('.'), QLatin1Char(',')));
    ExpectCases({
        {">1,5", "2", true}, {">1,5", "1", false}, {"<1.000,5", "1000,4", true}, {">1.000,5", "1000,4", false},
    });
}

TEST(FilterExpression, DatesCompareAsDates)
{
    TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
    ExpectCases({
        {">01/12/2019", "02/01/2020", true},
        {"<01/12/2019", "02/01/2020", false},
        // A time needs quotes: spaces outside quotes are removed from the expression.
        {">\"01/12/2019 10:30\"", "01/12/2019 10:31", true},
        {">\"01/12/2019 10:30\"", "01/12/2019 10:29:59", false},
    });
    TDateTime dt{};
    ASSERT_TRUE(ParseLocaleDateTime(QStringLiteral("02/01/2020 10:30"), dt));
    EXPECT_DOUBLE_EQ(double(dt), double(EncodeDate(2020, 1, 2)) + (10 * 60 + 30) / 1440.0);
    for (const char* bad : {"30/02/2020", "32/01/2020", "01/13/2020", "01/01/2020 24:00", "01/01/2020 10",
                            "1/2", "a/b/c", "01/01/0"})
        EXPECT_FALSE(ParseLocaleDateTime(QString::fromLatin1(bad), dt)) << bad;

    TFormatSettingsScope us(Locale(QLatin1Char(','), QLatin1Char('.'), QStringLiteral("m/d/yyyy")));
    ASSERT_TRUE(ParseLocaleDateTime(QStringLiteral("12/31/2020"), dt));
    EXPECT_DOUBLE_EQ(double(dt), double(EncodeDate(2020, 12, 31)));
}

TEST(FilterExpression, CaseRules)
{
    TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
    ExpectCases({{"ABC", "abc", true}, {"a*", "ABC", true}, {"!abc", "ABC", false}, {"\u00E4*", "\u00C4x", true}},
                false);
    ExpectCases({{"ABC", "abc", false}, {"a*", "ABC", false}, {"!abc", "ABC", true}}, true);
}

TEST(FilterExpression, HelperRoutines)
{
    EXPECT_EQ(RemoveSpacesOutsideQuotes(QStringLiteral("a b \"c d\" e")), QStringLiteral("ab\"c d\"e"));
    EXPECT_EQ(MatchingParenPos(QStringLiteral("(a(b)c)d")), 7);
    EXPECT_EQ(MatchingParenPos(QStringLiteral("(a(b)")), 0);
    int pos = 0;
    EXPECT_EQ(FindCharOutsideQuotes({QLatin1Char('&'), QLatin1Char('|')}, QStringLiteral("\"a&b\"|c"), pos),
              QLatin1Char('|'));
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(FindCharOutsideQuotes({QLatin1Char('&')}, QStringLiteral("abc"), pos), QChar(0));
    EXPECT_EQ(pos, -1);
    TFormatSettingsScope eu(Locale(QLatin1Char('.'), QLatin1Char(',')));
    EXPECT_EQ(NormalizeNumberText(QStringLiteral("1.234,5")), QStringLiteral("1234.5"));
}

#include "platform/core/sysutils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TFormatSettings Comma()
{
    TFormatSettings S;
    S.DecimalSeparator = QLatin1Char(',');
    S.ThousandSeparator = QLatin1Char('.');
    return S;
}

}  // namespace

TEST(IntConversion, AcceptsClassicSyntax)
{
    struct Case {
        const char* Text;
        bool Ok;
        int Value;
    };
    const Case Cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"-42", true, -42},
        {"+7", true, 7},
        {"  12", true, 12},          // leading blanks are skipped
        {"\t12", false, 0},          // but only blanks
        {"12 ", false, 0},           // trailing ones are not
        {"$1F", true, 31},
        {"x1f", true, 31},
        {"X10", true, 16},
        {"0x10", true, 16},
        {"0XfF", true, 255},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1},     // hex spells the bit pattern
        {"$100000000", false, 0},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, std::numeric_limits<int>::min()},
        {"2147483648", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"1.5", false, 0},
        {"12a", false, 0},
        {"١٢", false, 0},            // only ASCII digits
    };
    for (const Case& C : Cases) {
        int V = -99;
        const QString T = QString::fromUtf8(C.Text);
        EXPECT_EQ(TryStrToInt(T, V), C.Ok) << C.Text;
        if (C.Ok) {
            EXPECT_EQ(V, C.Value) << C.Text;
            EXPECT_EQ(StrToInt(T), C.Value) << C.Text;
        } else {
            EXPECT_EQ(StrToIntDef(T, -5), -5) << C.Text;
        }
    }
}

TEST(IntConversion, ErrorCarriesClassicMessage)
{
    try {
        StrToInt(QStringLiteral("abc"));
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("'abc' is not a valid integer value"));
        EXPECT_STREQ(E.what(), "'abc' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt64(QStringLiteral("9223372036854775808")), EConvertError);
}

TEST(IntConversion, Int64Range)
{
    EXPECT_EQ(StrToInt64Def(QStringLiteral("9223372036854775807"), 0), std::numeric_limits<qint64>::max());
    EXPECT_EQ(StrToInt64Def(QStringLiteral("-9223372036854775808"), 0), std::numeric_limits<qint64>::min());
    EXPECT_EQ(StrToInt64Def(QStringLiteral("0x100000000"), 0), 0x100000000LL);
    EXPECT_EQ(StrToInt64Def(QStringLiteral("$FFFFFFFFFFFFFFFF"), 0), -1);
    EXPECT_EQ(StrToInt64Def(QStringLiteral("junk"), 77), 77);
}

TEST(IntConversion, IntToStrAndHex)
{
    EXPECT_EQ(IntToStr(-12), QStringLiteral("-12"));
    EXPECT_EQ(IntToStr(qint64(1) << 40), QStringLiteral("1099511627776"));
    EXPECT_EQ(IntToHex(255, 2), QStringLiteral("FF"));
    EXPECT_EQ(IntToHex(10, 4), QStringLiteral("000A"));
    EXPECT_EQ(IntToHex(0x1234, 2), QStringLiteral("1234"));   // never cut
    EXPECT_EQ(IntToHex(-1, 2), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(IntToHex(qint64(-1), 2), QStringLiteral("FFFFFFFFFFFFFFFF"));
    EXPECT_EQ(IntToHex(uint8_t(0xAB), 0), QStringLiteral("AB"));
}

TEST(FloatConversion, FloatToStrUses15SignificantDigits)
{
    struct Case {
        double Value;
        const char* Text;
    };
    const Case Cases[] = {
        {0.0, "0"},
        {1.0, "1"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},                       // 17-digit noise is rounded away
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1e15, "1E15"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {1e100, "1E100"},
        {99.9999999999999999, "100"},
        {0.9999999999999999, "1"},
        {0.9883447461352235, "0.988344746135223"},   // exactly ...2234952...: the 16th digit is 4
    };
    for (const Case& C : Cases)
        EXPECT_EQ(FloatToStr(C.Value, InvariantFormatSettings()), QString::fromLatin1(C.Text)) << C.Text;
    EXPECT_EQ(FloatToStr(-2.5, Comma()), QStringLiteral("-2,5"));
}

TEST(FloatConversion, StrToFloatFollowsDecimalSeparator)
{
    struct Case {
        const char* Text;
        bool Dot;     // parsed with '.' settings
        bool Ok;
        double Value;
    };
    const Case Cases[] = {
        {"1.5", true, true, 1.5},
        {" -1.5 ", true, true, -1.5},
        {"1,5", true, false, 0},
        {"1,5", false, true, 1.5},
        {"1.5", false, false, 0},
        {"1e3", true, true, 1000},
        {"2.5E-2", true, true, 0.025},
        {".5", true, true, 0.5},
        {"5.", true, true, 5},
        {"1e", true, false, 0},
        {"", true, false, 0},
        {".", true, false, 0},
        {"1.2.3", true, false, 0},
        {"1e999", true, false, 0},
        {"nan", true, false, 0},
    };
    for (const Case& C : Cases) {
        double V = -1;
        const TFormatSettings FS = C.Dot ? InvariantFormatSettings() : Comma();
        EXPECT_EQ(TryStrToFloat(QString::fromLatin1(C.Text), V, FS), C.Ok) << C.Text;
        if (C.Ok) {
            EXPECT_DOUBLE_EQ(V, C.Value) << C.Text;
        }
    }
    TFormatSettingsScope Scope(Comma());
    EXPECT_DOUBLE_EQ(StrToFloat(QStringLiteral("3,25")), 3.25);
    try {
        StrToFloat(QStringLiteral("3.25"));
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("'3.25' is not a valid floating point value"));
    }
}

TEST(FloatConversion, ValReadsStrictlyAndNamesTheFirstWrongPlace)
{
    struct Case {
        const char* Text;
        double Value;
        int Code;
    };
    const Case Cases[] = {
        {"1234.5", 1234.5, 0},   {"  -7", -7, 0},   {"+.5", 0.5, 0},   {"3.", 3, 0},   {"1e3", 1000, 0},
        {"2.5E-2", 0.025, 0},    {"12a", 0, 3},     {"1.2.3", 0, 4},   {"", 0, 1},     {"-", 0, 2},
        {"1e", 0, 3},            {"1e+x", 0, 4},    {"abc", 0, 1},     {"5 ", 0, 2},   {"1,5", 0, 2},
        {"1e999", 0, 6},
    };
    for (const Case& C : Cases) {
        double V = -1;
        int Code = -1;
        Val(QString::fromLatin1(C.Text), V, Code);
        EXPECT_EQ(Code, C.Code) << C.Text;
        EXPECT_DOUBLE_EQ(V, C.Value) << C.Text;
    }
    // The locale's separator does not matter: the reading is in "." notation.
    TFormatSettings Comma;
    Comma.DecimalSeparator = QLatin1Char(',');
    TFormatSettingsScope Scope(Comma);
    double V = 0;
    int Code = 0;
    Val(QStringLiteral("0.25"), V, Code);
    EXPECT_EQ(Code, 0);
    EXPECT_DOUBLE_EQ(V, 0.25);
}

TEST(Rounding, RoundHalfEvenAndMulDiv)
{
    const std::pair<double, qint64> Rounds[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2},
                                                {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {1e10 + 0.5, 10000000000}};
    for (auto [V, R] : Rounds)
        EXPECT_EQ(RoundHalfEven(V), R) << V;

    struct M {
        int A, B, C, R;
    };
    const M Cases[] = {
        {10, 3, 4, 8},      // 7.5 -> 8
        {5, 1, 2, 3},       // 2.5 -> 3 (away from zero, not even)
        {-5, 1, 2, -3},
        {5, -1, 2, -3},
        {-5, -1, 2, 3},
        {7, 1, 3, 2},       // 2.33
        {8, 1, 3, 3},       // 2.67
        {96, 72, 96, 72},
        {2000000000, 2, 4, 1000000000},   // intermediate beyond 32 bits
        {1, 1, 0, -1},
        {2000000000, 4, 1, -1},           // result overflows
    };
    for (const M& C : Cases)
        EXPECT_EQ(MulDiv(C.A, C.B, C.C), C.R) << C.A << "*" << C.B << "/" << C.C;
}

TEST(FormatTest, Directives)
{
    const TFormatSettings& I = InvariantFormatSettings();
    struct Case {
        QString Result;
        const char* Expected;
    };
    const Case Cases[] = {
        {Format(QStringLiteral("%d items"), {12}, I), "12 items"},
        {Format(QStringLiteral("[%5d]"), {42}, I), "[   42]"},
        {Format(QStringLiteral("[%-5d]"), {42}, I), "[42   ]"},
        {Format(QStringLiteral("[%.4d]"), {-42}, I), "[-0042]"},
        {Format(QStringLiteral("%u"), {-1}, I), "4294967295"},
        {Format(QStringLiteral("%x"), {255}, I), "FF"},
        {Format(QStringLiteral("%.4x"), {255}, I), "00FF"},
        {Format(QStringLiteral("%s=%s"), {QStringLiteral("a"), "b"}, I), "a=b"},
        {Format(QStringLiteral("[%6s]"), {"ab"}, I), "[    ab]"},
        {Format(QStringLiteral("[%-6s]"), {"ab"}, I), "[ab    ]"},
        {Format(QStringLiteral("%.2s"), {"abcdef"}, I), "ab"},
        {Format(QStringLiteral("%f"), {1.0}, I), "1.00"},
        {Format(QStringLiteral("%.3f"), {2.0 / 3.0}, I), "0.667"},
        {Format(QStringLiteral("%.0f"), {2.5}, I), "3"},
        {Format(QStringLiteral("%.2f"), {-0.001}, I), "0.00"},
        {Format(QStringLiteral("%.1f"), {0.25}, I), "0.3"},
        {Format(QStringLiteral("%n"), {1234567.891}, I), "1,234,567.89"},
        {Format(QStringLiteral("%.0n"), {-1234.0}, I), "-1,234"},
        {Format(QStringLiteral("%n"), {999.999}, I), "1,000.00"},
        {Format(QStringLiteral("%g"), {0.1 + 0.2}, I), "0.3"},
        {Format(QStringLiteral("%g"), {1e20}, I), "1E20"},
        {Format(QStringLiteral("%.3g"), {3.14159}, I), "3.14"},
        {Format(QStringLiteral("%e"), {1234.5}, I), "1.23450000000000E+003"},
        {Format(QStringLiteral("100%%"), {}, I), "100%"},
        {Format(QStringLiteral("%*d"), {4, 7}, I), "   7"},
        {Format(QStringLiteral("%1:s %0:s"), {"a", "b"}, I), "b a"},
        {Format(QStringLiteral("%s"), {QChar(0x263A)}, I), "\u263A"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(C.Result, QString::fromUtf8(C.Expected)) << C.Expected;

    // The user's separators for %f, %n and %g.
    EXPECT_EQ(Format(QStringLiteral("%.2f|%n|%g"), {1.5, 1234.5, 0.5}, Comma()), QStringLiteral("1,50|1.234,50|0,5"));
}

TEST(FormatTest, BadDirectiveOrArgumentRaises)
{
    const auto Bad = {std::make_pair(QStringLiteral("%d"), 0), std::make_pair(QStringLiteral("%s"), 1),
                      std::make_pair(QStringLiteral("%f"), 2), std::make_pair(QStringLiteral("%"), 3),
                      std::make_pair(QStringLiteral("%q"), 4), std::make_pair(QStringLiteral("%d %d"), 5)};
    for (const auto& [Fmt, Kind] : Bad) {
        try {
            switch (Kind) {
            case 0: Format(Fmt, {"text"}); break;
            case 1: Format(Fmt, {1}); break;
            case 2: Format(Fmt, {1}); break;
            default: Format(Fmt, {1}); break;
            }
            ADD_FAILURE() << Fmt.toStdString();
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Fmt));
        }
    }
}

TEST(TextRoutines, TrimCaseAndCompare)
{
    EXPECT_EQ(Trim(QStringLiteral("\t\r\n a b \x01\x1F")), QStringLiteral("a b"));
    EXPECT_EQ(Trim(QString(QChar(0xA0)) + QStringLiteral("x")), QString(QChar(0xA0)) + QStringLiteral("x"));
    EXPECT_EQ(TrimLeft(QStringLiteral("  a  ")), QStringLiteral("a  "));
    EXPECT_EQ(TrimRight(QStringLiteral("  a  ")), QStringLiteral("  a"));

    const QString Mixed = QStringLiteral("aÄbé");
    EXPECT_EQ(UpperCase(Mixed), QStringLiteral("AÄBé"));      // ASCII only
    EXPECT_EQ(AnsiUpperCase(Mixed), QStringLiteral("AÄBÉ"));  // every letter
    EXPECT_EQ(LowerCase(QStringLiteral("ÄB")), QStringLiteral("Äb"));
    EXPECT_EQ(AnsiLowerCase(QStringLiteral("ÄB")), QStringLiteral("äb"));

    EXPECT_EQ(CompareText(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
    EXPECT_LT(CompareText(QStringLiteral("abc"), QStringLiteral("ABD")), 0);
    EXPECT_GT(CompareText(QStringLiteral("abcd"), QStringLiteral("ABC")), 0);
    EXPECT_NE(CompareText(QStringLiteral("é"), QStringLiteral("É")), 0);   // ASCII folding only
    EXPECT_TRUE(AnsiSameText(QStringLiteral("é"), QStringLiteral("É")));
    // '_' lies between the upper and lower case letters: comparing upper-cased puts it after.
    EXPECT_GT(CompareText(QStringLiteral("_"), QStringLiteral("a")), 0);
    EXPECT_TRUE(SameText(QStringLiteral("Par_Gen"), QStringLiteral("PAR_GEN")));
}

TEST(TextRoutines, QuotingAndHelpers)
{
    EXPECT_EQ(QuotedStr(QStringLiteral("it's")), QStringLiteral("'it''s'"));
    EXPECT_EQ(AnsiDequotedStr(QStringLiteral("\"a\"\"b\""), QLatin1Char('"')), QStringLiteral("a\"b"));
    EXPECT_EQ(AnsiDequotedStr(QStringLiteral("plain"), QLatin1Char('"')), QStringLiteral("plain"));
    EXPECT_EQ(StringReplace(QStringLiteral("a.b.c"), QStringLiteral("."), QStringLiteral(","), rfReplaceAll),
              QStringLiteral("a,b,c"));
    EXPECT_EQ(StringReplace(QStringLiteral("aXbx"), QStringLiteral("x"), QStringLiteral("-"), rfIgnoreCase),
              QStringLiteral("a-bx"));
    EXPECT_EQ(Pos(QStringLiteral("b"), QStringLiteral("abc")), 2);
    EXPECT_EQ(Pos(QStringLiteral("z"), QStringLiteral("abc")), 0);
    EXPECT_EQ(Copy(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(Copy(QStringLiteral("abc"), 5, 3), QString());
}

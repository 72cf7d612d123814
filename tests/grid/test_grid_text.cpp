// Cell text kinds, wide text, line-break forms, CSV quoting, numbers, dates,
// cell references, web addresses, mixed case and the HTML clipboard wrapper.
#include <gtest/gtest.h>

#include "grid/grid_text.h"
#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"

namespace {

TFormatSettings Locale(QChar Thousand, QChar Decimal, QChar DateSep = QLatin1Char('/'),
                       const QString& ShortDate = QStringLiteral("dd/mm/yyyy"))
{
    TFormatSettings s;
    s.ThousandSeparator = Thousand;
    s.DecimalSeparator = Decimal;
    s.DateSeparator = DateSep;
    s.ShortDateFormat = ShortDate;
    return s;
}

QString Wide(const QString& s) { return EncodeWideCellText(s); }

} // namespace

TEST(GridText, CellTextKinds)
{
    struct Case { QString text; bool checkHTML; int kind; };
    const Case cases[] = {
        {QString(), true, 0},
        {QStringLiteral("=1+2"), false, 3},
        {Wide(QStringLiteral("=A")), false, 3},
        {Wide(QStringLiteral("A=")), false, 5},
        {QStringLiteral("{\\rtf1 x}"), true, 2},
        {QStringLiteral("<B>x</B>"), true, 1},
        {QStringLiteral("<B>x</B>"), false, 0},
        {QStringLiteral("<b>x"), true, 0},
        {QStringLiteral("a</i>"), true, 1},
        {QStringLiteral("x <I"), true, 1},
        {QStringLiteral("a<<C"), true, 1},
        {QStringLiteral("a<"), true, 0},
        {QStringLiteral("<"), true, 0},
        {QStringLiteral("1 < 2, <c>"), true, 0},
        {QStringLiteral("plain"), true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetCellTextKind(c.text, c.checkHTML), c.kind) << c.text.toStdString();
}

TEST(GridText, WideTextEncodingRoundTrips)
{
    EXPECT_EQ(EncodeWideCellText(QStringLiteral("A")), QStringLiteral("|\\") + QChar(0) + QLatin1Char('A'));
    EXPECT_EQ(EncodeWideCellText(QString()), QStringLiteral("|\\"));
    const QString samples[] = {
        QStringLiteral("A"),
        QString::fromUtf16(u"\u0416\u00FF\u0100\uFFFF"),
        QStringLiteral("a") + QChar(0) + QStringLiteral("b"),
        QString(),
    };
    for (const QString& s : samples)
        EXPECT_EQ(DecodeWideCellText(EncodeWideCellText(s)), s);
    // An odd last character is ignored; plain text passes unchanged.
    EXPECT_EQ(DecodeWideCellText(QStringLiteral("|\\") + QChar(0) + QStringLiteral("Ax")), QStringLiteral("A"));
    EXPECT_EQ(DecodeWideCellText(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(WidePos(QStringLiteral("c"), QStringLiteral("abc")), 3);
    EXPECT_EQ(WidePos(QStringLiteral("x"), QStringLiteral("abc")), 0);
}

TEST(GridText, LineBreakForms)
{
    const QString text = QStringLiteral("one\r\ntwo\r\nthree");
    const QString control = LineBreaksToControlChars(text);
    EXPECT_FALSE(control.contains(QChar(13)));
    EXPECT_EQ(ControlCharsToLineBreaks(control, true), text);
    EXPECT_EQ(ControlCharsToLineBreaks(control, false), QStringLiteral("one"));
    const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    EXPECT_EQ(LineBreaksToControlChars(withNul), withNul);
    EXPECT_EQ(ControlCharsToLineBreaks(LineBreaksToControlChars(withNul + QStringLiteral("\r\n")), true),
              withNul + QStringLiteral("\r\n"));

    EXPECT_EQ(LineBreaksToEscaped(text), QStringLiteral("one\\ntwo\\nthree"));
    EXPECT_EQ(EscapedToLineBreaks(QStringLiteral("one\\ntwo")), QStringLiteral("one\rtwo"));

    QString t = text;
    LineBreaksToTilde(t);
    EXPECT_EQ(t, QStringLiteral("one~two~three"));
    TildeToLineBreaks(t);
    EXPECT_EQ(t, text);
    QString caret = QStringLiteral("^");
    TildeToLineBreaks(caret);
    EXPECT_TRUE(caret.isEmpty());

    QString q = QStringLiteral("a\r\nb\rc");
    QuoteMultiLineCell(q);
    EXPECT_EQ(q, QStringLiteral("\"a") + QChar(11) + QStringLiteral("b\rc\""));
    Char11ToCRLF(q);
    EXPECT_EQ(q, QStringLiteral("\"a\r\nb\rc\""));
    QString single = QStringLiteral("x");
    QuoteMultiLineCell(single);
    EXPECT_EQ(single, QStringLiteral("\"x\""));

    EXPECT_EQ(CRToHTMLBreaks(QStringLiteral("a\r\nb")), QStringLiteral("a<br>\nb"));
    EXPECT_EQ(CountLines(text, true), 3);
    EXPECT_EQ(CountLines(text, false), 1);
    QString crlf = text;
    CRLFToLF(crlf);
    EXPECT_EQ(crlf, QStringLiteral("one\ntwo\nthree"));
}

TEST(GridText, CutFirstLine)
{
    for (bool keepRest : {false, true}) {
        QString text = QStringLiteral("no break"), line;
        CutFirstLine(text, keepRest, line);
        EXPECT_EQ(line, QStringLiteral("no break"));
        EXPECT_TRUE(text.isEmpty());
    }
    QString text = QStringLiteral("first\r\nsecond\r\nthird"), line;
    CutFirstLine(text, true, line);
    EXPECT_EQ(line, QStringLiteral("first"));
    EXPECT_EQ(text, QStringLiteral("second\r\nthird"));
    CutFirstLine(text, false, line);
    EXPECT_EQ(line, QStringLiteral("second"));
    EXPECT_TRUE(text.isEmpty());
}

TEST(GridText, CsvQuotingBothWays)
{
    const QChar q(QLatin1Char('"'));
    const QString raw = QStringLiteral("say \"hi\" \"\"");
    const QString doubled = DoubleQuoteChars(raw);
    EXPECT_EQ(doubled, QStringLiteral("say \"\"hi\"\" \"\"\"\""));
    EXPECT_EQ(UndoubleChar(q, doubled), raw);
    EXPECT_EQ(UndoubleChar(q, QStringLiteral("a\"\"\"b")), QStringLiteral("a\"\"b"));
    EXPECT_EQ(UndoubleChar(q, QStringLiteral("none")), QStringLiteral("none"));

    struct Case { QString field; int pos; };
    const Case cases[] = {
        {QStringLiteral("a\"\"b\"c"), 5}, // doubled quote passed over
        {QStringLiteral("abc\""), 4},
        {QStringLiteral("abc"), 0},
        {QString(), 0},
    };
    for (const Case& c : cases) {
        int pos = -7;
        EXPECT_EQ(ClosingQuotePos(q, c.field, pos), c.pos) << c.field.toStdString();
        EXPECT_EQ(pos, c.pos);
    }
    EXPECT_EQ(CountClosingQuotes(q, QStringLiteral("a\"b\"")), 2);
    EXPECT_EQ(CountChar(q, doubled), 8);
}

TEST(GridText, CodePages)
{
    QString t = QString(QChar(0x00E4)); // a umlaut: byte 0x84 in code page 850
    StringToOem(t);
    EXPECT_EQ(t, QString(QChar(0x201E))); // 0x84 read as Windows-1252
    OemToString(t);
    EXPECT_EQ(t, QString(QChar(0x00E4)));
}

TEST(GridText, SearchingAndCutting)
{
    EXPECT_EQ(PosInUpperText(QStringLiteral("BC"), QStringLiteral("abcd")), 2);
    EXPECT_EQ(PosInUpperText(QStringLiteral("X"), QStringLiteral("abcd")), 0);
    int pos = 99;
    EXPECT_EQ(FirstCharPosVar(QLatin1Char('z'), QStringLiteral("abc"), pos), 0);
    EXPECT_EQ(pos, 99);
    EXPECT_EQ(FirstCharPosVar(QLatin1Char('c'), QStringLiteral("abc"), pos), 3);
    EXPECT_EQ(pos, 3);
    QString t = QStringLiteral("key=value");
    EXPECT_EQ(CutBeforeSeparator(t, QStringLiteral("=")), QStringLiteral("key"));
    EXPECT_EQ(t, QStringLiteral("value"));
    EXPECT_EQ(CutBeforeSeparator(t, QStringLiteral("=")), QString());
    EXPECT_EQ(t, QStringLiteral("value"));
    QString pw = QStringLiteral("secret");
    FillWithChar(pw, QLatin1Char('*'));
    EXPECT_EQ(pw, QStringLiteral("******"));
}

TEST(GridText, NumberCharacters)
{
    struct Case { char16_t ch; bool number; };
    const Case cases[] = {
        {u'0', true}, {u'9', true}, {u'a', false}, {u'-', false}, {u'.', false},
        {u'\u00B2', true},  // superscript two (other number)
        {u'\u216B', true},  // roman numeral twelve (letter number)
        {u'\u0663', true},  // arabic-indic three (decimal digit)
        {u'\u00E4', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNumberChar(QChar(c.ch)), c.number) << int(c.ch);
}

TEST(GridText, ClassifyNumberText)
{
    TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
    struct Case { QString text; int kind; };
    const Case cases[] = {
        {QStringLiteral("1,234.5"), 1}, {QStringLiteral("1,23,4"), 2}, {QStringLiteral("12"), 0},
        {QStringLiteral("1e5"), 5},     {QStringLiteral("e5"), 2},     {QStringLiteral("1e"), 2},
        {QStringLiteral("1.2.3"), 2},   {QStringLiteral("--5"), 2},    {QStringLiteral("-"), 0},
        {QStringLiteral("-12"), 0},     {QStringLiteral("-1.5e-3"), 5}, {QString(), 2},
        {QStringLiteral("\u00B2"), 0},  {QStringLiteral("12a"), 2},    {QStringLiteral("1-2"), 2},
        {QStringLiteral("1,234,567.25"), 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyNumberText(c.text), c.kind) << c.text.toStdString();

    // The locale's separators decide: "." thousands and "," decimals.
    TFormatSettingsScope eu(Locale(QLatin1Char('.'), QLatin1Char(',')));
    EXPECT_EQ(ClassifyNumberText(QStringLiteral("1.234,5")), 1);
    EXPECT_EQ(ClassifyNumberText(QStringLiteral("1,5")), 1);
    EXPECT_EQ(ClassifyNumberText(QStringLiteral("1,2,3")), 2);
}

// A cell float format is taken only with exactly one conversion that fits the
// value; anything printf would misread is refused.
TEST(GridText, FloatFormatsTakeOneFittingConversion)
{
    struct TCase {
        const char* format;
        bool allowInteger;
        const char* out; // null: refused
    };
    const TCase cases[] = {
        {"%.2f", false, "2.50"},        {"%8.3e", false, "2.500e+00"}, {"%g m", false, "2.5 m"},
        {"%-6.1f|", false, "2.5   |"},  {"%lf", false, "2.500000"},   {"100%% %.0f", false, "100% 2"},
        {"%+05.1F", false, "+02.5"},     {"%d", true, "2"},             {"%5i", true, "    2"},
        {"%d", false, nullptr},          {"%s", false, nullptr},        {"%n", true, nullptr},
        {"%.2f %.2f", false, nullptr},   {"%f%d", true, nullptr},       {"%*f", false, nullptr},
        {"%100f", false, nullptr},       {"%.100f", false, nullptr},    {"%Lf", false, nullptr},
        {"%ld", true, nullptr},          {"value", false, nullptr},     {"%", false, nullptr},
        {"5%", false, nullptr},          {"%x", true, nullptr},         {"", false, nullptr},
    };
    for (const TCase& c : cases) {
        QString out = QStringLiteral("untouched");
        const bool ok = FormatFloatText(QString::fromLatin1(c.format), 2.5, out, c.allowInteger);
        EXPECT_EQ(ok, c.out != nullptr) << c.format;
        EXPECT_EQ(out, c.out ? QString::fromLatin1(c.out) : QStringLiteral("untouched")) << c.format;
    }
    QString big;
    EXPECT_TRUE(FormatFloatText(QStringLiteral("%99.99f"), 1e308, big));
    EXPECT_EQ(big.size(), 309 + 1 + 99);
    EXPECT_FALSE(FormatFloatText(QStringLiteral("%d"), 1e12, big, true)); // no integer holds it
}

TEST(GridText, ExtractNumberText)
{
    {
        TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
        EXPECT_EQ(ExtractNumberText(QStringLiteral(" (12) ")), QStringLiteral("-12"));
        EXPECT_EQ(ExtractNumberText(QStringLiteral("$ 1,000.5 total")), QStringLiteral("1000.5"));
        EXPECT_EQ(ExtractNumberText(QStringLiteral("-5 kg")), QStringLiteral("-5"));
        EXPECT_EQ(ExtractNumberText(QStringLiteral("abc")), QString());
        EXPECT_EQ(ExtractNumberText(QString()), QString());
    }
    TFormatSettingsScope eu(Locale(QLatin1Char('.'), QLatin1Char(',')));
    EXPECT_EQ(ExtractNumberText(QStringLiteral("(1.234,50 EUR)")), QStringLiteral("-1234.50"));
}

TEST(GridText, Limits)
{
    struct Case { int value, min, max, result; };
    const Case cases[] = {
        {5, 3, 3, 5}, {1, 2, 10, 2}, {11, 2, 10, 10}, {-5, 0, 10, -5}, {50, 2, 0, 50}, {7, 2, 10, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampToLimits(c.value, c.min, c.max), c.result);
    EXPECT_EQ(IntMax(3, -4), 3);
    EXPECT_EQ(IntMin(3, -4), -4);
}

TEST(GridText, ParseDates)
{
    EXPECT_DOUBLE_EQ(double(ParseDateDMY(QStringLiteral("31/12/99"))), double(EncodeDate(1999, 12, 31)));
    EXPECT_DOUBLE_EQ(double(ParseDateDMY(QStringLiteral("1.2.2003"))), double(EncodeDate(2003, 2, 1)));
    EXPECT_DOUBLE_EQ(double(ParseDateDMY(QStringLiteral("1-2-24"))), double(EncodeDate(2024, 2, 1)));
    EXPECT_DOUBLE_EQ(double(ParseDateMDY(QStringLiteral("12/31/2020"))), double(EncodeDate(2020, 12, 31)));
    EXPECT_DOUBLE_EQ(double(ParseDateMDY(QStringLiteral("1/2/26"))), double(EncodeDate(1926, 1, 2)));
    EXPECT_THROW(ParseDateDMY(QStringLiteral("30/02/2020")), EConvertError);
    // Malformed texts give 0, a trailing time included.
    for (const char* bad : {"abc", "1/2", "1/2/2003 10:00", "x/2/2003"})
        EXPECT_DOUBLE_EQ(double(ParseDateDMY(QString::fromLatin1(bad))), 0.0) << bad;

    TFormatSettingsScope scope(Locale(QLatin1Char(','), QLatin1Char('.')));
    EXPECT_TRUE(LooksLikeDate(QStringLiteral("1/2/3")));
    EXPECT_FALSE(LooksLikeDate(QStringLiteral("/1/2")));
    EXPECT_FALSE(LooksLikeDate(QStringLiteral("1//2")));
    EXPECT_FALSE(LooksLikeDate(QStringLiteral("12/5")));
}

TEST(GridText, AddToDate)
{
    const TDateTime none(0);
    EXPECT_DOUBLE_EQ(double(AddToDate(0, 1, 0, EncodeDate(2020, 12, 15), none)), double(EncodeDate(2021, 1, 15)));
    EXPECT_DOUBLE_EQ(double(AddToDate(0, -1, 0, EncodeDate(2021, 1, 15), none)), double(EncodeDate(2020, 12, 15)));
    EXPECT_DOUBLE_EQ(double(AddToDate(0, 0, 3, EncodeDate(2021, 1, 30), none)), double(EncodeDate(2021, 2, 2)));
    EXPECT_DOUBLE_EQ(double(AddToDate(2, 0, 0, EncodeDate(2021, 3, 1), none)), double(EncodeDate(2023, 3, 1)));
    // Several parts at once: the increment is added instead.
    EXPECT_DOUBLE_EQ(double(AddToDate(1, 1, 0, EncodeDate(2021, 3, 1), TDateTime(7))),
                     double(EncodeDate(2021, 3, 8)));
    EXPECT_THROW(AddToDate(1, 0, 0, EncodeDate(2020, 2, 29), none), EConvertError);
    EXPECT_THROW(AddToDate(0, 1, 0, EncodeDate(2021, 3, 31), none), EConvertError);
    EXPECT_THROW(AddToDate(0, -13, 0, EncodeDate(2021, 3, 1), none), EConvertError);
}

TEST(GridText, CellReferences)
{
    QPoint cell(-1, -1);
    EXPECT_TRUE(ParseCellRef(QStringLiteral("R3C4"), cell));
    EXPECT_EQ(cell, QPoint(4, 3));
    EXPECT_TRUE(ParseCellRef(QStringLiteral("r10c2"), cell));
    EXPECT_EQ(cell, QPoint(2, 10));
    for (const char* bad : {"R1C", "R12", "X1C1", "RxC1", "R1C2x"}) {
        QPoint c(-1, -1);
        EXPECT_FALSE(ParseCellRef(QString::fromLatin1(bad), c)) << bad;
        EXPECT_EQ(c, QPoint(-1, -1));
    }
}

TEST(GridText, Addresses)
{
    EXPECT_TRUE(ContainsURL(QStringLiteral("see http://x.org")));
    EXPECT_TRUE(ContainsURL(QStringLiteral("mailto:a@b.c")));
    EXPECT_FALSE(ContainsURL(QStringLiteral("MAILTO:a@b.c")));
    QString u = QStringLiteral("http://www.x.com/a");
    StripURLProtocol(u);
    EXPECT_EQ(u, QStringLiteral("www.x.com/a"));
    u = QStringLiteral("mailto:a@b.c");
    StripURLProtocol(u);
    EXPECT_EQ(u, QStringLiteral("a@b.c"));

    QString dest = QStringLiteral("untouched");
    EXPECT_FALSE(WrapURLAsLink(QStringLiteral("no address"), QStringLiteral("WWW."), dest));
    EXPECT_EQ(dest, QStringLiteral("untouched"));

    // The query after "?" is not part of the link.
    EXPECT_TRUE(WrapURLAsLink(QStringLiteral("see www.example.com/path?q=1 now"), QStringLiteral("WWW."), dest));
    EXPECT_EQ(dest, QStringLiteral("see <a href=\"www.example.com/path\">www.example.com/path</a>?q=1 now"));

    EXPECT_TRUE(WrapURLAsLink(QStringLiteral("<b> HTTP://X.org/a_b"), QStringLiteral("HTTP://"), dest));
    EXPECT_EQ(dest, QStringLiteral("&lt;b&gt; <a href=\"HTTP://X.org/a_b\">HTTP://X.org/a_b</a>"));
}

TEST(GridText, MixedCase)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"rock'n-roll st.", "Rock'N-Roll St."},
        {"mctest", "McTest"},
        {"abc mctest", "Abc McTest"},
        {"volume iii", "Volume III"},
        {"abc mcdef mcghi", "Abc McDef Mcghi"},
        {"HELLO WORLD", "Hello World"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToMixedCase(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

TEST(GridText, HtmlExport)
{
    EXPECT_EQ(ColorToHTMLHex(0x0000FF), QStringLiteral("FF0000"));
    EXPECT_EQ(ColorToHTMLHex(0x123456), QStringLiteral("563412"));

    const QString fragment = QStringLiteral("<b>12345</b>").left(10);
    QString html = fragment;
    BuildHTMLClipboardText(html);
    EXPECT_TRUE(html.startsWith(QStringLiteral("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000316\r\n"
                                               "StartFragment:00000274\r\nEndFragment:00000284\r\n")));
    EXPECT_EQ(html.size(), 316);
    EXPECT_EQ(html.mid(97, 9), QStringLiteral("<!DOCTYPE"));
    EXPECT_EQ(html.mid(274, 10), fragment);
    EXPECT_TRUE(html.endsWith(QStringLiteral("<!--EndFragment--></body></html>")));
}

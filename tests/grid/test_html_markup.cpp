// Reading and rewriting mini-HTML without drawing it: control values, escaping,
// plain text and search-hit highlighting.
#include <gtest/gtest.h>

#include "grid/html_markup.h"

namespace {

const QString kCheck =
    QStringLiteral(R"(a <CONTROL TYPE="check" ID="c1" VALUE="true" WIDTH="16" PROP="x&amp;y" MAXLEN="5" HEIGHT="30"> b)");

TEST(HTMLControls, ParsedAttributesResolveEntitiesAndUpperCaseTheType)
{
    const THTMLControlTag t = ParseHTMLControlTag(
        QStringLiteral(R"( type="edit" id="e1" value="a&lt;b &eacute;" width="80" prop="p&quot;q" maxlen="12")"));
    EXPECT_EQ(t.Type, "EDIT");
    EXPECT_EQ(t.ID, "e1");
    EXPECT_EQ(t.Value, QStringLiteral("a<b \u00E9"));
    EXPECT_EQ(t.Width, "80");
    EXPECT_EQ(t.Prop, "p\"q");
    EXPECT_EQ(t.MaxLen, "12");
    EXPECT_TRUE(t.Height.isEmpty());
    EXPECT_TRUE(ParseHTMLControlTag(QStringLiteral("TYPE=EDIT ID=x")).Type.isEmpty()); // unquoted: empty
}

TEST(HTMLControls, SetValueRewritesTheTagInItsFixedOrderKeepingPropMaxLenAndHeight)
{
    QString text = kCheck;
    ASSERT_TRUE(SetHTMLControlValue(text, QStringLiteral("c1"), QStringLiteral("FALSE")));
    EXPECT_EQ(text, QStringLiteral(R"(a <CONTROL ID="c1" VALUE="FALSE" WIDTH="16" TYPE="CHECK" PROP="x&amp;y" MAXLEN="5" HEIGHT="30"> b)"));
    QString value;
    ASSERT_TRUE(GetHTMLControlValue(text, QStringLiteral("c1"), value));
    EXPECT_EQ(value, "FALSE");
    EXPECT_EQ(GetHTMLControlProp(text, QStringLiteral("c1")), "x&y");
    EXPECT_EQ(GetHTMLControlMaxLen(text, QStringLiteral("c1")), 5);

    QString unchanged = kCheck;
    EXPECT_FALSE(SetHTMLControlValue(unchanged, QStringLiteral("C1"), QStringLiteral("x"))); // IDs compare exactly
    EXPECT_EQ(unchanged, kCheck);
    EXPECT_FALSE(GetHTMLControlValue(kCheck, QStringLiteral("zz"), value));
    EXPECT_EQ(GetHTMLControlMaxLen(kCheck, QStringLiteral("zz")), 0);
}

TEST(HTMLControls, AValueWithAmpersandAndQuoteRoundTrips)
{
    QString text = QStringLiteral(R"(<CONTROL TYPE="EDIT" ID="e" VALUE="" WIDTH="60">)");
    const QString v = QStringLiteral("Tom & \"Jerry\" <3> \u00C9t\u00E9");
    ASSERT_TRUE(SetHTMLControlValue(text, QStringLiteral("e"), v));
    EXPECT_TRUE(text.contains(QStringLiteral("VALUE=\"Tom &amp; &quot;Jerry&quot; &lt;3&gt; &Eacute;t&eacute;\"")));
    QString back;
    ASSERT_TRUE(GetHTMLControlValue(text, QStringLiteral("e"), back));
    EXPECT_EQ(back, v);
}

TEST(HTMLControls, ClearRadiosAndNextEditField)
{
    const QString text = QStringLiteral(
        R"(<CONTROL TYPE="RADIO" ID="r1" VALUE="TRUE" WIDTH="16"><CONTROL TYPE="EDIT" ID="e1" VALUE="v" WIDTH="50">)"
        R"(<CONTROL TYPE="radio" ID="r2" VALUE="true" WIDTH="16"><CONTROL TYPE="BUTTON" ID="b" VALUE="Go" WIDTH="40">)"
        R"(<CONTROL TYPE="RADIO" ID="r3" VALUE="x" WIDTH="16"><CONTROL TYPE="COMBO" ID="c" VALUE="k" WIDTH="50">)");
    const QString cleared = ClearHTMLRadioControls(text);
    for (const char* id : {"r1", "r2", "r3"}) {
        QString v;
        ASSERT_TRUE(GetHTMLControlValue(cleared, QString::fromLatin1(id), v));
        EXPECT_EQ(v, "FALSE") << id;
    }
    QString v;
    ASSERT_TRUE(GetHTMLControlValue(cleared, QStringLiteral("e1"), v));
    EXPECT_EQ(v, "v");
    EXPECT_TRUE(cleared.contains(QStringLiteral(R"(<CONTROL TYPE="BUTTON" ID="b" VALUE="Go" WIDTH="40">)")));

    EXPECT_EQ(NextHTMLEditControl(text, QString()), "e1");
    EXPECT_EQ(NextHTMLEditControl(text, QStringLiteral("e1")), "c");
    EXPECT_EQ(NextHTMLEditControl(text, QStringLiteral("c")), ""); // the last edit field: no wrap-around
    EXPECT_TRUE(HasHTMLControl(QStringLiteral("x<control type=\"EDIT\">")));
    EXPECT_FALSE(HasHTMLControl(QStringLiteral("x<contro")));
}

TEST(HTMLEscaping, FullTableKeepsAccentedCapitalsApartFromSmallLetters)
{
    const QString text = QStringLiteral("\u00C9cole \u00E9t\u00E9 \u00C5 \u00E5 \u00A9 \u20AC \u00AB\u00BB & <b> \"q\"");
    const QString escaped = EscapeHTMLText(text, true);
    EXPECT_EQ(escaped, QStringLiteral("&Eacute;cole &eacute;t&eacute; &Aring; &aring; &copy; &euro; &laquo;&raquo; "
                                      "&amp; &lt;b&gt; &quot;q&quot;"));
    EXPECT_EQ(UnescapeHTMLText(escaped, true), text);
    // Without the full table only the four markup characters change.
    EXPECT_EQ(EscapeHTMLText(QStringLiteral("\u00C9<&"), false), QStringLiteral("\u00C9&lt;&amp;"));
    EXPECT_EQ(UnescapeHTMLText(QStringLiteral("&Eacute;&lt;"), false), QStringLiteral("&Eacute;<"));
    // An escaped entity comes back as the text it was.
    EXPECT_EQ(UnescapeHTMLText(EscapeHTMLText(QStringLiteral("&lt; &quot; &eacute;"), true), true),
              QStringLiteral("&lt; &quot; &eacute;"));
    EXPECT_EQ(SpacesToNbsp(QStringLiteral("a b  c")), QStringLiteral("a&nbsp;b&nbsp;&nbsp;c"));
}

TEST(HTMLPlainText, TagsGoBreaksBecomeLineEndsAndAnUnclosedBracketStays)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"<b>bold</b><br>next<HR>end", "bold\r\nnext\r\nend"},
        {"a<i>b</i>c < d and more", "abc < d and more"},
        {"x<b>y", "xy"},
        {"no tags", "no tags"},
    };
    for (const Case& c : cases) EXPECT_EQ(HTMLToPlainText(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;

    EXPECT_EQ(StripHTMLTags(QStringLiteral("a<b>c</b>d")), "acd");
    EXPECT_EQ(StripHTMLTags(QStringLiteral("a<b")), "a<b");
    EXPECT_EQ(StripHTMLTags(QStringLiteral("a>b<c>d")), "a>b<c>d");
}

TEST(HTMLHighlight, VisibleIndexSkipsTagsAndPointsBeforeTagsThatLeadACharacter)
{
    const QString t = QStringLiteral("<b>ab</b>c");
    EXPECT_EQ(VisibleToHTMLIndex(t, 1), 1);  // before "<b>"
    EXPECT_EQ(VisibleToHTMLIndex(t, 2), 5);  // "b"
    EXPECT_EQ(VisibleToHTMLIndex(t, 3), 6);  // before "</b>"
    EXPECT_EQ(VisibleToHTMLIndex(t, 4), 11); // one past the end
    EXPECT_EQ(VisibleToHTMLIndex(t, 5), 0);
}

TEST(HTMLHighlight, HitsAreWrappedWithoutBreakingMarkupAndComeOutAgain)
{
    struct Case {
        const char* text;
        const char* search;
        bool matchCase;
        const char* highlighted;
    } cases[] = {
        {"<b>a cat here</b>", "cat", true, "<b>a <hi>cat</hi> here</b>"},
        {"Cat and cat", "cat", false, "<hi>Cat</hi> and <hi>cat</hi>"},
        {"Cat and cat", "cat", true, "Cat and <hi>cat</hi>"},
        {"a<b", "<", true, "a<hi>&lt;</hi>b"},
        {"nothing", "zz", true, "nothing"},
        {"same", "", true, "same"},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        const QString hi = HighlightHTMLText(text, QString::fromLatin1(c.search), QStringLiteral("hi"), c.matchCase);
        EXPECT_EQ(hi, QString::fromLatin1(c.highlighted)) << c.text;
        EXPECT_EQ(UnhighlightHTMLText(hi, QStringLiteral("HI")), text) << c.text;
    }
}

TEST(HTMLAttributes, ColoursByNameAndHexAndNumbers)
{
    EXPECT_EQ(HTMLColorByName(QStringLiteral("clred")), 0x0000FF);
    EXPECT_EQ(HTMLColorByName(QStringLiteral("cl3ddkshadow")), TColor(0xFF000015));
    EXPECT_EQ(HTMLColorByName(QStringLiteral("clinfobk")), TColor(0xFF000018));
    EXPECT_EQ(HTMLColorByName(QStringLiteral("clnosuch")), 0);
    EXPECT_EQ(HTMLHexColor(QStringLiteral("#FF0000")), 0x0000FF);
    EXPECT_EQ(HTMLHexColor(QStringLiteral("#102030")), 0x302010);
    EXPECT_EQ(HTMLHexColor(QStringLiteral("#12345")), 0x003412);
    EXPECT_EQ(HTMLNumber(QStringLiteral(" 42px")), 42);
    EXPECT_EQ(HTMLNumber(QStringLiteral("-7")), -7);
    EXPECT_EQ(HTMLNumber(QStringLiteral("$1F")), 31);
    EXPECT_EQ(HTMLNumber(QStringLiteral("px")), 0);
    int n = 0;
    EXPECT_TRUE(HTMLTryNumber(QStringLiteral("25"), n));
    EXPECT_EQ(n, 25);
    EXPECT_FALSE(HTMLTryNumber(QStringLiteral("25a"), n));
    EXPECT_FALSE(HTMLTryNumber(QString(), n));
}

} // namespace

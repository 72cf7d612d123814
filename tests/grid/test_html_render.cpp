// The mini-HTML renderer: layout and hit tests on a recording canvas with
// fixed metrics (7 pixels a character, 13 a line at the default font), and
// drawing probed on images.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QLocale>

#include "grid/html_render.h"
#include "platform/core/format_settings.h"
#include "grid/picture_container.h"
#include "grid/theme_services.h"
#include "platform/ui/forms.h"

#include "scripted_http.h"

namespace {

// Records the font of every text drawn; a line is as high as the font plus 2
// (13 at the default 8 points).
class TTextCanvas : public TRecordingCanvas {
public:
    struct Text {
        QString S;
        int X, Y;
        TColor Color, Bk;
        TFontStyles Style;
        int Size;
        QString Name;
        int Orientation;
    };
    std::vector<Text> Texts;
    void TextOut(int x, int y, const QString& t) override
    {
        Texts.push_back({t, x, y, Font()->Color(), Brush()->Style() == bsClear ? clNone : Brush()->Color(),
                         Font()->Style(), Font()->Size(), Font()->Name(), Font()->Orientation()});
        TRecordingCanvas::TextOut(x, y, t);
    }
    int TextHeight(const QString&) override { return -Font()->Height() + 2; }
    const Text* Find(const QString& s) const
    {
        for (const Text& t : Texts)
            if (t.S == s) return &t;
        return nullptr;
    }
};

THTMLTextParams Params(TCanvas* c, const QString& text, const TRect& r = TRect(0, 0, 200, 100))
{
    THTMLTextParams p;
    p.Canvas = c;
    p.Text = text;
    p.Rect = r;
    return p;
}

QByteArray PngOf(int w, int h, QColor color)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

void AddPicture(TPictureContainer& box, const QString& name, int w, int h, QColor color = Qt::blue)
{
    TPictureItem* item = box.Items()->Add();
    item->SetName(name);
    item->Picture()->LoadFromData(PngOf(w, h, color));
}

TEST(HTMLRender, EmptyTextDrawsNothingAndMeasuresOneLine)
{
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QString());
    EXPECT_FALSE(DrawHTMLText(p));
    EXPECT_EQ(p.YSize, 13);
    EXPECT_EQ(p.XSize, 0);
    EXPECT_TRUE(c.Texts.empty());
}

TEST(HTMLRender, EntitiesAmpersandsAndHashTags)
{
    struct Case {
        QString text;
        QString drawn;
    } cases[] = {
        {QStringLiteral("a&amp;b"), QStringLiteral("a&b")},
        {QStringLiteral("&x"), QStringLiteral("x")},
        {QStringLiteral("&PerMil;"), QStringLiteral("\u2030")},
        {QStringLiteral("&euro;&copy;"), QStringLiteral("\u20AC\u00A9")},
        {QStringLiteral("<#B>x"), QStringLiteral("#Bx")},
        {QStringLiteral("a<#b"), QStringLiteral("a#b")},
        {QStringLiteral("1 &lt; 2"), QStringLiteral("1 < 2")},
    };
    for (const Case& k : cases) {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, k.text);
        DrawHTMLText(p);
        ASSERT_EQ(c.Texts.size(), 1u) << k.text.toStdString();
        EXPECT_EQ(c.Texts[0].S, k.drawn) << k.text.toStdString();
    }
    // The lone ampersand underlines the letter after it.
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("&x"));
    DrawHTMLText(p);
    EXPECT_EQ(c.OpsOf(QStringLiteral("FillRect")).size(), 1u);
}

TEST(HTMLRender, NbspIsASpaceWhereTheLineDoesNotBreak)
{
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("a&nbsp;b"), TRect(0, 0, 15, 100));
    p.WordWrap = true;
    DrawHTMLText(p);
    ASSERT_EQ(c.Texts.size(), 1u);
    EXPECT_EQ(c.Texts[0].S, "a b");
    EXPECT_EQ(p.YSize, 13);
}

TEST(HTMLRender, WordWrapBreaksAtSpacesOnlyAndLongWordsOverflow)
{
    struct Case {
        const char* name;
        QString text;
        int right;
        std::vector<std::pair<QString, TPoint>> drawn;
        int xsize, ysize;
    } cases[] = {
        {"two words on two lines", QStringLiteral("ab cd"), 30, {{"ab ", {1, 0}}, {"cd", {1, 13}}}, 14, 26},
        {"a long word stays and overflows", QStringLiteral("ab verylongword"), 30,
         {{"ab ", {1, 0}}, {"verylongword", {22, 0}}}, 105, 13},
        {"a word split by a tag is not broken", QStringLiteral("abc<B>defg"), 30, {{"abc", {1, 0}}, {"defg", {22, 0}}},
         49, 13},
    };
    for (const Case& k : cases) {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, k.text, TRect(0, 0, k.right, 100));
        p.WordWrap = true;
        DrawHTMLText(p);
        ASSERT_EQ(c.Texts.size(), k.drawn.size()) << k.name;
        for (size_t i = 0; i < k.drawn.size(); ++i) {
            EXPECT_EQ(c.Texts[i].S, k.drawn[i].first) << k.name;
            EXPECT_EQ(TPoint(c.Texts[i].X, c.Texts[i].Y), k.drawn[i].second) << k.name;
        }
        EXPECT_EQ(p.XSize, k.xsize) << k.name;
        EXPECT_EQ(p.YSize, k.ysize) << k.name;
    }
}

TEST(HTMLRender, WithoutWordWrapAnOverflowingSegmentIsCutAndTheRestDropped)
{
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("first<BR>ab <B>cdefg</B> more"), TRect(0, 0, 50, 100));
    DrawHTMLText(p);
    ASSERT_EQ(c.Texts.size(), 3u);
    EXPECT_EQ(c.Texts[0].S, "first");
    EXPECT_EQ(c.Texts[1].S, "ab ");
    EXPECT_EQ(c.Texts[2].S, "c...");
    EXPECT_EQ(c.Texts[2].X, 22);
    EXPECT_TRUE(c.Texts[2].Style.Contains(fsBold));
    EXPECT_EQ(p.StrippedText, QStringLiteral("first\rab cdefg"));
}

TEST(HTMLRender, SuperscriptLiftsTheDigitAndMakesTheLineTaller)
{
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("x<SUP>2</SUP>"));
    DrawHTMLText(p);
    EXPECT_EQ(p.YSize, 16); // 13 + 13 / 4
    ASSERT_EQ(c.Texts.size(), 2u);
    EXPECT_EQ(c.Texts[0].Y, 3);
    EXPECT_EQ(c.Texts[1].Y, 0);
    EXPECT_EQ(c.Texts[1].X, 8);
}

TEST(HTMLRender, ParagraphAlignmentAndIndentHoldForTheFollowingLines)
{
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("<P align=\"center\">ab</P>cd<BR><P align=\"left\" indent=\"20\">ef"),
                               TRect(0, 0, 101, 100));
    DrawHTMLText(p);
    ASSERT_NE(c.Find("ab"), nullptr);
    EXPECT_EQ(c.Find("ab")->X, 44); // 1 + (100 - 14) / 2
    EXPECT_EQ(c.Find("cd")->X, 44);
    EXPECT_EQ(c.Find("ef")->X, 21);
    EXPECT_EQ(c.Find("ef")->Y, 26);
}

TEST(HTMLRender, ListItemsGetABulletAndTheirTextTwelvePixelsIn)
{
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("<UL><LI>a<LI>b</UL>"));
    DrawHTMLText(p);
    EXPECT_EQ(p.YSize, 39); // the empty line of <UL>, then a and b
    EXPECT_EQ(p.XSize, 19); // bullet indent 12 + "a"; the moved <LI> adds nothing
    ASSERT_EQ(c.Texts.size(), 4u);
    EXPECT_EQ(c.Texts[0].S, QStringLiteral("\u00B7"));
    EXPECT_EQ(c.Texts[0].Name, "Symbol");
    EXPECT_EQ(TPoint(c.Texts[0].X, c.Texts[0].Y), TPoint(1, 13));
    EXPECT_EQ(c.Find("a")->X, 13);
    EXPECT_EQ(c.Find("b")->X, 13);
    EXPECT_EQ(c.Find("b")->Y, 26);
    EXPECT_EQ(c.Find("b")->Name, "Tahoma");
}

TEST(HTMLRender, AnchorUnderThePointIsFoundOnlyWhenCheckingAndNotWhenOnlyMeasuring)
{
    const QString text = QStringLiteral("<A href=\"x\" title=\"tip\">word</A> rest");
    TTextCanvas c;
    THTMLTextParams p = Params(&c, text);
    p.CheckHotSpot = true;
    p.XPos = 10;
    p.YPos = 5;
    EXPECT_TRUE(DrawHTMLText(p));
    EXPECT_EQ(p.AnchorValue, "x");
    EXPECT_EQ(p.AnchorHint, "tip");
    EXPECT_EQ(p.MouseLink, 1);
    EXPECT_EQ(p.HoverRect, TRect(1, 0, 29, 13));
    EXPECT_EQ(p.AnchorCount, 1);
    EXPECT_TRUE(c.Texts.empty()); // checking draws nothing

    THTMLTextParams calc = Params(&c, text);
    calc.CalcOnly = true;
    calc.XPos = 10;
    calc.YPos = 5;
    EXPECT_FALSE(DrawHTMLText(calc));

    THTMLTextParams off = Params(&c, text);
    off.CheckHotSpot = true;
    off.XPos = 40;
    off.YPos = 5;
    EXPECT_FALSE(DrawHTMLText(off));
}

TEST(HTMLRender, AnAnchorOverTwoLinesReportsItsRectangleOnTheLineWhereItEnds)
{
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("<A href=\"x\">ab cd</A>"), TRect(0, 0, 30, 100));
    p.WordWrap = true;
    p.CheckHotSpot = true;
    p.XPos = 5;
    p.YPos = 5;
    EXPECT_TRUE(DrawHTMLText(p));
    EXPECT_EQ(p.MouseLink, 1);
    EXPECT_EQ(p.HoverRect, TRect(1, 13, 15, 26));
}

TEST(HTMLRender, HoverStyleUnderlinesOnlyTheHoveredAnchor)
{
    const QString text = QStringLiteral("<A href=\"a\">one</A> <A href=\"b\">two</A>");
    TTextCanvas c;
    c.Font()->SetColor(clBlack);
    THTMLTextParams p = Params(&c, text);
    p.HoverStyle = true;
    p.HoverLink = 2;
    p.URLColor = clBlue;
    DrawHTMLText(p);
    EXPECT_FALSE(c.Find("one")->Style.Contains(fsUnderline));
    EXPECT_TRUE(c.Find("two")->Style.Contains(fsUnderline));
    EXPECT_EQ(c.Find("one")->Color, clBlue);
    EXPECT_EQ(c.Find("two")->Color, clBlue);
    EXPECT_EQ(c.Find(" ")->Color, clBlack);

    TTextCanvas h;
    h.Font()->SetColor(clBlack);
    h.Brush()->SetStyle(bsClear);
    THTMLTextParams hp = Params(&h, text);
    hp.HoverStyle = true;
    hp.HoverLink = 2;
    hp.HoverFontColor = clRed;
    hp.HoverColor = clYellow;
    DrawHTMLText(hp);
    EXPECT_EQ(h.Find("two")->Color, clRed);
    EXPECT_EQ(h.Find("two")->Bk, clYellow);
    EXPECT_EQ(h.Find("one")->Bk, clNone);

    TTextCanvas s;
    s.Font()->SetColor(clBlack);
    THTMLTextParams sp = Params(&s, text);
    sp.Selected = true;
    DrawHTMLText(sp);
    EXPECT_EQ(s.Find("one")->Color, clBlack);
    EXPECT_TRUE(s.Find("one")->Style.Contains(fsUnderline)); // without HoverStyle every anchor
}

TEST(HTMLRender, FontTagsColoursAndSizes)
{
    TTextCanvas c;
    c.Font()->SetColor(clBlack);
    THTMLTextParams p = Params(&c, QStringLiteral("<FONT color=\"clRed\" size=\"3\">a<FONT color=\"#00FF00\" size=\"9\">b"
                                                  "</FONT>c<FONT color=\"#FF0000\">d<FONT color=\"cl3DDkShadow\">e"
                                                  "<FONT color=\"nosuch\">f"));
    DrawHTMLText(p);
    EXPECT_EQ(c.Find("a")->Color, clRed);
    EXPECT_EQ(c.Find("a")->Size, 12);
    EXPECT_EQ(c.Find("b")->Color, clLime);
    EXPECT_EQ(c.Find("b")->Size, 9);
    // </FONT> returns to the starting font, not to the outer <FONT>.
    EXPECT_EQ(c.Find("c")->Color, clBlack);
    EXPECT_EQ(c.Find("c")->Size, 8);
    EXPECT_EQ(c.Find("d")->Color, clRed);
    EXPECT_EQ(c.Find("e")->Color, cl3DDkShadow);
    EXPECT_EQ(c.Find("f")->Color, clBlack);
    EXPECT_EQ(c.Font()->Size(), 8); // the canvas font is restored
}

TEST(HTMLRender, LinesBelowTheRectangleAreNotDrawnButAreMeasuredWithCalcOnly)
{
    const QString text = QStringLiteral("a<BR>b<BR>c<BR>d");
    TTextCanvas c;
    THTMLTextParams p = Params(&c, text, TRect(0, 0, 100, 30));
    DrawHTMLText(p);
    ASSERT_EQ(c.Texts.size(), 2u);
    EXPECT_EQ(p.YSize, 26);
    THTMLTextParams calc = Params(&c, text, TRect(0, 0, 100, 30));
    calc.CalcOnly = true;
    DrawHTMLText(calc);
    EXPECT_EQ(calc.YSize, 52);
    EXPECT_EQ(calc.StrippedText, QStringLiteral("a\rb\rc\rd"));
}

TEST(HTMLRender, AnUnclosedBracketEndsTheText)
{
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("ab<cd ef"));
    DrawHTMLText(p);
    ASSERT_EQ(c.Texts.size(), 1u);
    EXPECT_EQ(c.Texts[0].S, "ab");
    EXPECT_EQ(p.StrippedText, "ab");
}

TEST(HTMLRender, HiddenIndentRotationAndFocus)
{
    {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, QStringLiteral("a<Z>secret</Z>b<IND x=\"40\">c"));
        DrawHTMLText(p);
        EXPECT_EQ(c.Find("secret"), nullptr);
        EXPECT_EQ(p.StrippedText, "asecretbc");
        EXPECT_EQ(c.Find("b")->X, 8);
        EXPECT_EQ(c.Find("c")->X, 40); // the rectangle's left + 40
    }
    {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, QStringLiteral("<R a=\"90\">up</R>flat"));
        DrawHTMLText(p);
        EXPECT_EQ(c.Find("up")->Orientation, 900);
        EXPECT_EQ(c.Find("flat")->Orientation, 0);
    }
    {
        TTextCanvas c; // a huge angle is taken modulo whole turns instead of overflowing
        THTMLTextParams p = Params(&c, QStringLiteral("<R a=\"2147483647\">up</R>"));
        DrawHTMLText(p);
        EXPECT_EQ(c.Find("up")->Orientation, (2147483647 % 360) * 10);
    }
    {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, QStringLiteral("<A href=\"a\">one</A> <A href=\"b\">two</A>"));
        p.FocusLink = 1;
        DrawHTMLText(p);
        EXPECT_EQ(p.FocusAnchor, "b");
        EXPECT_EQ(p.AnchorCount, 2);
        const auto focus = c.OpsOf(QStringLiteral("DrawFocusRect"));
        ASSERT_EQ(focus.size(), 1u);
        EXPECT_EQ(focus[0].R, TRect(28, 0, 51, 13)); // "two" from x 29 to 50, widened by 1 each side
    }
    {
        TTextCanvas c; // blinking text takes the entry background in the off phase
        c.Brush()->SetColor(clWhite);
        c.Font()->SetColor(clBlack);
        THTMLTextParams p = Params(&c, QStringLiteral("<BLINK>now</BLINK>then"));
        p.BlinkOn = false;
        DrawHTMLText(p);
        EXPECT_EQ(c.Find("now")->Color, clWhite);
        EXPECT_EQ(c.Find("then")->Color, clBlack);
    }
}

TEST(HTMLRender, AnimatedPictureOverTheEntryBackgroundAndAltPictureOnHover)
{
    TPictureContainer box;
    TPictureItem* anim = box.Items()->Add();
    anim->SetName(QStringLiteral("anim"));
    QFile f(QStringLiteral(KV_FIXTURES_DIR "/grid/frames_delays_offsets.gif"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    anim->Picture()->LoadFromData(f.readAll());
    anim->Picture()->SetFrame(2);
    AddPicture(box, QStringLiteral("a"), 10, 10);
    AddPicture(box, QStringLiteral("b"), 30, 12);
    {
        TTextCanvas c;
        c.Brush()->SetColor(clCream);
        THTMLTextParams p = Params(&c, QStringLiteral("<IMG src=\"anim\">x"));
        p.Container = &box;
        DrawHTMLText(p);
        const auto fills = c.OpsOf(QStringLiteral("FillRect"));
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].R, TRect(1, 0, 9, 8)); // the whole 8 x 8 screen
        EXPECT_EQ(fills[0].Color, clCream);
        const auto draws = c.OpsOf(QStringLiteral("Draw"));
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].R, TRect(3, 3, 7, 7)); // frame 2 at (2, 3)
        EXPECT_EQ(c.Find("x")->X, 9);
    }
    {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, QStringLiteral("<A href=\"go\"><IMG src=\"a\" alt=\"b\"></A>"));
        p.Container = &box;
        p.XPos = 5;
        p.YPos = 5;
        EXPECT_TRUE(DrawHTMLText(p));
        EXPECT_EQ(p.AnchorValue, "go");
        const auto draws = c.OpsOf(QStringLiteral("Draw"));
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].R, TRect(1, 0, 31, 12));
    }
}

TEST(HTMLRender, BodyBackgroundIsTiledOverTheRectangleOnly)
{
    TPictureContainer box;
    AddPicture(box, QStringLiteral("Tile"), 10, 10);
    TTextCanvas c;
    THTMLTextParams p = Params(&c, QStringLiteral("<BODY background=\"Tile\">x"), TRect(5, 5, 30, 27));
    p.Container = &box;
    DrawHTMLText(p);
    const auto draws = c.OpsOf(QStringLiteral("Draw"));
    ASSERT_EQ(draws.size(), 9u);
    EXPECT_EQ(TPoint(draws.front().X, draws.front().Y), TPoint(5, 5));
    EXPECT_EQ(TPoint(draws.back().X, draws.back().Y), TPoint(25, 25));
    for (const auto& d : draws) EXPECT_EQ(d.Clip, TRect(5, 5, 30, 27));
    EXPECT_FALSE(c.HasClip());
    ASSERT_NE(c.Find("x"), nullptr);
}

TEST(HTMLRender, ImagesScaleWrapOverflowAndAlign)
{
    TPictureContainer box;
    AddPicture(box, QStringLiteral("big"), 64, 48);
    AddPicture(box, QStringLiteral("p40"), 40, 20);
    AddPicture(box, QStringLiteral("p80"), 80, 20);
    AddPicture(box, QStringLiteral("dot"), 4, 4);
    auto run = [&](const QString& text, int right, TTextCanvas& c) {
        THTMLTextParams p = Params(&c, text, TRect(0, 0, right, 200));
        p.Container = &box;
        DrawHTMLText(p);
        return p;
    };
    {
        TTextCanvas c;
        const THTMLTextParams p = run(QStringLiteral("<IMG src=\"big\" width=\"32\">"), 200, c);
        ASSERT_EQ(c.OpsOf(QStringLiteral("StretchDraw")).size(), 1u);
        EXPECT_EQ(c.OpsOf(QStringLiteral("StretchDraw"))[0].R, TRect(1, 0, 33, 24));
        EXPECT_EQ(p.YSize, 24);
    }
    {
        TTextCanvas c; // narrower than the line but wider than what is left: next line
        run(QStringLiteral("abcde<IMG src=\"p40\">"), 61, c);
        ASSERT_EQ(c.OpsOf(QStringLiteral("Draw")).size(), 1u);
        EXPECT_EQ(c.OpsOf(QStringLiteral("Draw"))[0].R, TRect(1, 13, 41, 33));
    }
    {
        TTextCanvas c; // wider than the whole line: stays and overflows
        const THTMLTextParams p = run(QStringLiteral("abcde<IMG src=\"p80\">"), 61, c);
        ASSERT_EQ(c.OpsOf(QStringLiteral("Draw")).size(), 1u);
        EXPECT_EQ(c.OpsOf(QStringLiteral("Draw"))[0].R.Left, 36);
        EXPECT_EQ(p.YSize, 20);
    }
    {
        TTextCanvas c; // an indented line draws all that was measured on it
        THTMLTextParams p = Params(&c, QStringLiteral("<P indent=\"50\"><IMG src=\"p80\">ab cd"), TRect(0, 0, 121, 200));
        p.Container = &box;
        p.WordWrap = true;
        DrawHTMLText(p);
        ASSERT_NE(c.Find("ab "), nullptr);
        EXPECT_EQ(c.Find("ab ")->X, 131);
        EXPECT_EQ(c.Find("ab ")->Y, 7); // on the picture's line, whose bottom is 20
    }
    {
        TTextCanvas c; // text taller than the line: the middle offset is 0, not huge
        run(QStringLiteral("<FONT size=\"5\"><IMG src=\"dot\" align=\"middle\">Xy"), 200, c);
        ASSERT_NE(c.Find("Xy"), nullptr);
        EXPECT_EQ(c.Find("Xy")->Y, 0);
    }
    {
        TTextCanvas c; // ALIGN TOP lines the text up with the picture's top
        run(QStringLiteral("<IMG src=\"p40\" align=\"top\">ab"), 200, c);
        EXPECT_EQ(c.Find("ab")->Y, 0);
        EXPECT_EQ(c.Find("ab")->X, 41);
    }
}

// A picture named by address is fetched into the grid's picture cache on the
// first pass and drawn from it afterwards; one that cannot be had takes no space
// and is not asked for again.
TEST(HTMLRender, PicturesByAddressComeThroughTheCacheOnce)
{
    TScriptedHttp http;
    const QString ok = QStringLiteral("http://127.0.0.1:8080/pic.png");
    http.Answers[ok] = TScriptedHttp::Reply(200, PngOf(10, 6, Qt::green));
    THttpScope scope(&http);
    THTMLPictureCache cache;
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        TTextCanvas c;
        THTMLTextParams p = Params(&c, QStringLiteral("a<IMG src=\"%1\">b<IMG src=\"http://127.0.0.1:8080/none.png\">c").arg(ok));
        p.ImageCache = &cache;
        DrawHTMLText(p);
        ASSERT_EQ(c.OpsOf(QStringLiteral("Draw")).size(), 1u);
        EXPECT_EQ(c.OpsOf(QStringLiteral("Draw"))[0].R, TRect(8, 0, 18, 6));
        ASSERT_NE(c.Find(QStringLiteral("c")), nullptr);
        EXPECT_EQ(c.Find(QStringLiteral("c"))->X, 8 + 10 + 7); // the missing picture takes no space
    }
    EXPECT_EQ(http.Asked.size(), 2u);
    EXPECT_EQ(cache.Count(), 2);
    ASSERT_NE(cache.FindPicture(ok), nullptr);
    EXPECT_EQ(cache.FindPicture(ok)->Width(), 10);
}

TEST(HTMLRender, ImageListIndexesAndShellIcons)
{
    TImageList images(16, 16);
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::red);
    images.AddImage(img);
    struct Case {
        const char* text;
        int textX;
    } cases[] = {
        {"<IMG src=\"idx:0\">x", 17},
        {"<IMG src=\"IDX:1\">x", 1},  // past the count
        {"<IMG src=\"idx:-1\">x", 1}, // negative: no space
        {"<IMG src=\"ssys:/tmp\">x", 17},
        {"<IMG src=\"LSYS:file.txt\">x", 33},
    };
    for (const Case& k : cases) {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, QString::fromLatin1(k.text));
        p.Images = &images;
        DrawHTMLText(p);
        ASSERT_NE(c.Find("x"), nullptr) << k.text;
        EXPECT_EQ(c.Find("x")->X, k.textX) << k.text;
    }
}

TEST(HTMLRender, ControlsTakeTheirWidthAndAreFoundByPointOrID)
{
    {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\">x"));
        DrawHTMLText(p);
        EXPECT_EQ(c.Find("x")->X, 1);
        EXPECT_EQ(p.XSize, 7);
        EXPECT_EQ(c.Find("v"), nullptr);
    }
    const QString text = QStringLiteral("<CONTROL TYPE=\"check\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"16\">"
                                        "<CONTROL TYPE=\"EDIT\" ID=\"e2\" VALUE=\"val\" WIDTH=\"50\">z");
    {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, text);
        DrawHTMLText(p);
        EXPECT_EQ(c.Find("z")->X, 67); // 1 + 16 + 50
        EXPECT_EQ(c.Find("val")->X, 19);
    }
    {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, text);
        p.CheckHotSpot = true;
        p.ControlID = QStringLiteral("e2");
        EXPECT_TRUE(DrawHTMLText(p));
        EXPECT_EQ(p.ControlID, "e2");
        EXPECT_EQ(p.ControlType, "EDIT");
        EXPECT_EQ(p.ControlValue, "val");
        EXPECT_EQ(p.ControlRect, TRect(17, 0, 67, 23));
        EXPECT_EQ(p.AnchorValue, "ctrl");
    }
    {
        TTextCanvas c;
        THTMLTextParams p = Params(&c, text);
        p.CheckHotSpot = true;
        p.XPos = 8;
        p.YPos = 8;
        EXPECT_TRUE(DrawHTMLText(p));
        EXPECT_EQ(p.ControlID, "c");
        EXPECT_EQ(p.ControlType, "CHECK");
        EXPECT_EQ(p.ControlValue, "TRUE");
        EXPECT_EQ(p.ControlRect, TRect(1, 0, 17, 16));
    }
}

TEST(HTMLRender, ControlRectanglesWithoutVisualStyles)
{
    TThemeProfile classic;
    classic.ThemeActive = false;
    TThemeProfileScope scope(classic);
    auto draw = [](const QString& control, TTextCanvas& c) {
        THTMLTextParams p = Params(&c, control);
        DrawHTMLText(p);
    };
    auto unionOf = [](const TTextCanvas& c, const QString& kind) {
        TRect u;
        for (const auto& op : c.OpsOf(kind)) UnionRect(u, u, op.R);
        return u;
    };
    {
        TTextCanvas c;
        draw(QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"60\">"), c);
        ASSERT_EQ(c.OpsOf(QStringLiteral("Rectangle")).size(), 1u);
        EXPECT_EQ(c.OpsOf(QStringLiteral("Rectangle"))[0].R, TRect(1, 4, 61, 25));
        EXPECT_EQ(c.OpsOf(QStringLiteral("Rectangle"))[0].Color, clWhite);
        EXPECT_EQ(TPoint(c.Find("v")->X, c.Find("v")->Y), TPoint(3, 7));
    }
    {
        TTextCanvas c;
        draw(QStringLiteral("<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"abc\" WIDTH=\"60\">"), c);
        ASSERT_NE(c.Find("***"), nullptr);
        EXPECT_EQ(c.Find("abc"), nullptr);
    }
    {
        TTextCanvas c;
        draw(QStringLiteral("<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"k\" WIDTH=\"70\">"), c);
        // The box is placed from the line height 23 of the type; the line itself
        // is 25 high, the hit height of a combo box.
        EXPECT_EQ(c.OpsOf(QStringLiteral("Rectangle"))[0].R, TRect(1, 6, 71, 27));
        EXPECT_EQ(TPoint(c.Find("k")->X, c.Find("k")->Y), TPoint(5, 9));
        const TRect arrow = unionOf(c, QStringLiteral("FillRect"));
        EXPECT_GE(arrow.Left, 53);
        EXPECT_LE(arrow.Right, 70);
    }
    {
        TTextCanvas c;
        draw(QStringLiteral("<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\" WIDTH=\"16\">"), c);
        ASSERT_GE(c.OpsOf(QStringLiteral("Ellipse")).size(), 2u); // the box and its dot
        EXPECT_EQ(c.OpsOf(QStringLiteral("Ellipse"))[0].R, TRect(3, 3, 15, 15));
    }
    {
        TTextCanvas c;
        draw(QStringLiteral("<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">"), c);
        EXPECT_EQ(unionOf(c, QStringLiteral("FillRect")), TRect(3, 0, 59, 25)); // 25 high, on a 25 high line
        ASSERT_NE(c.Find("Go"), nullptr);
        EXPECT_EQ(c.Find("Go")->X, 24); // centred in 5 .. 57
    }
}

// ---------------------------------------------------------------- drawn on images
struct Surface {
    QImage Image;
    TCanvas Canvas;
    explicit Surface(int w = 200, int h = 60) : Image(w, h, QImage::Format_RGB32), Canvas(&Image)
    {
        Image.fill(Qt::white);
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.Font()->SetColor(clBlack);
    }
    TColor At(int x, int y)
    {
        Canvas.ReleasePainter();
        return FromQColor(Image.pixelColor(x, y));
    }
    int Count(const TRect& r, TColor color)
    {
        Canvas.ReleasePainter();
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (FromQColor(Image.pixelColor(x, y)) == color) ++n;
        return n;
    }
};

TEST(HTMLRenderDrawn, CheckAndRadioStatesDifferInsideTheirBoxesOnly)
{
    InitThemeLibrary();
    for (const char* type : {"CHECK", "RADIO"}) {
        Surface on, off;
        auto draw = [&](Surface& s, const char* value) {
            THTMLTextParams p = Params(&s.Canvas, QStringLiteral("<CONTROL TYPE=\"%1\" ID=\"c\" VALUE=\"%2\" WIDTH=\"16\">")
                                                      .arg(QLatin1String(type), QLatin1String(value)));
            DrawHTMLText(p);
            s.Canvas.ReleasePainter();
        };
        draw(on, "true");
        draw(off, "no");
        int inside = 0, outside = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x)
                if (on.Image.pixel(x, y) != off.Image.pixel(x, y)) {
                    if (x >= 3 && x < 16 && y >= 1 && y < 16) ++inside;
                    else ++outside;
                }
        EXPECT_GT(inside, 4) << type;
        EXPECT_EQ(outside, 0) << type;
    }
}

TEST(HTMLRenderDrawn, BackgroundsHighlightAndWavyUnderline)
{
    {
        Surface s;
        THTMLTextParams p = Params(&s.Canvas, QStringLiteral("<BODY bgcolor=\"#00FF00\">x"), TRect(10, 10, 60, 40));
        DrawHTMLText(p);
        EXPECT_EQ(s.At(55, 35), clLime);
        EXPECT_EQ(s.At(5, 5), clWhite);
    }
    {
        Surface s;
        SetHTMLHighlightColors(clNavy, clYellow);
        THTMLTextParams p = Params(&s.Canvas, QStringLiteral("<HI>MMMM</HI>"), TRect(0, 0, 200, 20));
        DrawHTMLText(p);
        SetHTMLHighlightColors(clHighlight, clHighlightText);
        EXPECT_GT(s.Count(TRect(0, 0, 40, 20), clNavy), 20);
        EXPECT_GT(s.Count(TRect(0, 0, 40, 20), clYellow), 5);
    }
    {
        Surface s;
        THTMLTextParams p = Params(&s.Canvas, QStringLiteral("<E>error</E>"), TRect(0, 0, 200, 20));
        DrawHTMLText(p);
        EXPECT_GT(s.Count(TRect(0, 10, 40, 20), clRed), 10);
    }
}

TEST(HTMLRenderDrawn, TheListBulletIsTheSymbolFontsBulletNotAMiddleDot)
{
    const QString family = RegisterTestFont();
    ASSERT_FALSE(family.isEmpty());
    Surface s(60, 60);
    s.Canvas.Font()->SetName(family);
    s.Canvas.Font()->SetHeight(-20);
    THTMLTextParams p = Params(&s.Canvas, QStringLiteral("<UL><LI>"), TRect(0, 0, 60, 60));
    DrawHTMLText(p);
    s.Canvas.ReleasePainter();
    int dark = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 14; ++x)
            if (qGray(s.Image.pixel(x, y)) < 128) ++dark;
    EXPECT_GE(dark, 12); // a middle dot at this size has about four dark pixels
}

TEST(HTMLRenderDrawn, ScaledImagesAndIconsAreStretchedByTheRatio)
{
    TImageList images(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.AddImage(red);
    Surface s(100, 60);
    THTMLTextParams p = Params(&s.Canvas, QStringLiteral("<IMG src=\"idx:0\"><IMG src=\"lsys:/tmp\">"),
                               TRect(0, 0, 100, 60));
    p.Images = &images;
    p.ScaleImages = true;
    p.ImageRatio = 1.5;
    DrawHTMLText(p);
    // 16 x 1.5 = 24 pixels of red from x 1; the icon is placed 16 pixels on
    // (the layout does not scale) and its folder starts lower down.
    EXPECT_EQ(s.At(20, 5), clRed);
    EXPECT_EQ(s.At(24, 5), clRed);
    EXPECT_EQ(s.At(26, 5), clWhite);
    EXPECT_GT(s.Count(TRect(17, 0, 100, 60), clWhite), 0);
    EXPECT_LT(s.Count(TRect(17, 0, 65, 48), clWhite), 48 * 48); // the large folder icon, 48 pixels wide
}

// A sheet of sample markups drawn with the test font, for looking at.
TEST(HTMLRenderDrawn, SampleSheet)
{
    const QString family = RegisterTestFont();
    ASSERT_FALSE(family.isEmpty());
    InitThemeLibrary();
    TPictureContainer box;
    QImage pic(24, 16, QImage::Format_RGB32);
    pic.fill(QColor(255, 160, 0));
    {
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        pic.save(&buf, "PNG");
        TPictureItem* item = box.Items()->Add();
        item->SetName(QStringLiteral("orange"));
        item->Picture()->LoadFromData(bytes);
    }
    TImageList images(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::darkRed);
    images.AddImage(red);

    const QStringList samples = {
        QStringLiteral("Plain, <B>bold</B>, <I>italic</I>, <U>underline</U>, <S>strike</S>"),
        QStringLiteral("<FONT face=\"Times New Roman\" size=\"4\">Face and size 4</FONT> back to base"),
        QStringLiteral("<FONT color=\"clRed\">red</FONT> <FONT color=\"#0000FF\">blue</FONT> "
                       "<FONT bgcolor=\"clYellow\">on yellow</FONT>"),
        QStringLiteral("<UL><LI>first item<LI>second item<UL><LI>nested</UL></UL>"),
        QStringLiteral("<P align=\"center\">centred paragraph</P><P align=\"right\">right paragraph</P>"),
        QStringLiteral("H<SUB>2</SUB>O and E = mc<SUP>2</SUP>"),
        QStringLiteral("<A href=\"one\">plain anchor</A> and <A href=\"two\">hovered anchor</A>"),
        QStringLiteral("<HI>highlighted</HI> and <E>misspeled</E> and <SHAD>shadowed</SHAD>"),
        QStringLiteral("Pictures: <IMG src=\"orange\"> and <IMG src=\"idx:0\"> and <IMG src=\"ssys:/tmp\">"),
        QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"edit\" WIDTH=\"60\"> "
                       "<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"combo\" WIDTH=\"70\"> "
                       "<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\" WIDTH=\"16\"> "
                       "<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\" WIDTH=\"16\"> "
                       "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Button\" WIDTH=\"60\"> "
                       "<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"secret\" WIDTH=\"60\">"),
    };
    QImage sheet(420, 40 * int(samples.size()) + 80, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    TCanvas canvas(&sheet);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetName(family);
    canvas.Font()->SetSize(9);
    canvas.Font()->SetColor(clBlack);
    int y = 4;
    for (const QString& s : samples) {
        THTMLTextParams p = Params(&canvas, s, TRect(4, y, 416, y + 76));
        p.Container = &box;
        p.Images = &images;
        p.HoverStyle = true;
        p.HoverLink = 2;
        p.HoverColor = clInfoBk;
        p.ShadowColor = clSilver;
        DrawHTMLText(p);
        THTMLTextParams m = Params(&canvas, s, TRect(4, y, 416, y + 76));
        m.Container = &box;
        m.CalcOnly = true;
        DrawHTMLText(m);
        y += std::max(m.YSize, 20) + 6;
    }
    canvas.ReleasePainter();
    const QString path = QStringLiteral(KV_TEST_BINARY_DIR "/html_sample_sheet.png");
    ASSERT_TRUE(sheet.copy(0, 0, 420, y).save(path));
    EXPECT_NE(sheet.pixel(10, 10), QColor(Qt::white).rgb()); // something was drawn
}

} // namespace

// Under a right-to-left locale, bidirectional mode 1 places the segments from the
// right edge leftwards, each right-aligned; mode 0, or a left-to-right locale,
// keeps them on the left (one pixel in).
TEST(HTMLRender, RightToLeftReadingPlacesSegmentsFromTheRightEdge)
{
    struct Case {
        QLocale::Language language;
        int mode;
        int abX, cdX;
    } cases[] = {
        {QLocale::Arabic, 1, 200 - 14, 200 - 28},
        {QLocale::Arabic, 0, 1, 15},
        {QLocale::English, 1, 1, 15},
    };
    for (const Case& k : cases) {
        // The program's locale settings, read from the system locale at start.
        TFormatSettings fs = FormatSettings();
        fs.MiddleEast = QLocale(k.language).textDirection() == Qt::RightToLeft;
        TFormatSettingsScope scope(fs);
        TTextCanvas c;
        THTMLTextParams p = Params(&c, QStringLiteral("<b>ab</b>cd"));
        p.BiDiMode = k.mode;
        DrawHTMLText(p);
        ASSERT_TRUE(c.Find(QStringLiteral("ab")) && c.Find(QStringLiteral("cd"))) << k.mode;
        EXPECT_EQ(c.Find(QStringLiteral("ab"))->X, k.abX) << k.language << " " << k.mode;
        EXPECT_EQ(c.Find(QStringLiteral("cd"))->X, k.cdX) << k.language << " " << k.mode;
    }
}

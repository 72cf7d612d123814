// DrawText layout: the flag table on the recording canvas (7 px per character,
// 13 px per line), then real pixels with the registered test font.
#include "platform/ui/drawing.h"
#include "ui_test_env.h"

#include <gtest/gtest.h>

namespace {
struct Out { QString text; int x, y; };

std::vector<Out> Texts(const TRecordingCanvas& c)
{
    std::vector<Out> v;
    for (const auto& o : c.OpsOf(QStringLiteral("TextOut"))) v.push_back({o.Text, o.X, o.Y});
    return v;
}
} // namespace

TEST(DrawText, FlagTableOnTheRecordingCanvas)
{
    struct Case {
        const char* name;
        QString text;
        TRect r;
        unsigned flags;
        std::vector<Out> expected;
    };
    const TRect box(0, 0, 100, 20);
    const std::vector<Case> cases = {
        {"left", "Hello", box, DT_LEFT | DT_SINGLELINE, {{"Hello", 0, 0}}},
        {"center", "Hello", box, DT_CENTER | DT_SINGLELINE, {{"Hello", 32, 0}}},
        {"right", "Hello", box, DT_RIGHT | DT_SINGLELINE, {{"Hello", 65, 0}}},
        {"vcenter", "Hello", box, DT_VCENTER | DT_SINGLELINE, {{"Hello", 0, 3}}},
        {"bottom", "Hello", box, DT_BOTTOM | DT_SINGLELINE, {{"Hello", 0, 7}}},
        {"vcenter ignored on several lines", "Hello", box, DT_VCENTER, {{"Hello", 0, 0}}},
        {"lines", "ab\ncd\r\nef", TRect(0, 0, 100, 60), DT_LEFT, {{"ab", 0, 0}, {"cd", 0, 13}, {"ef", 0, 26}}},
        {"single line joins", "ab\ncd", box, DT_SINGLELINE, {{"ab cd", 0, 0}}},
        {"word break", "aaa bbb ccc", TRect(0, 0, 50, 60), DT_WORDBREAK, {{"aaa bbb", 0, 0}, {"ccc", 0, 13}}},
        {"long word overflows", "abcdefghij", TRect(0, 0, 35, 60), DT_WORDBREAK, {{"abcdefghij", 0, 0}}},
        {"edit control splits long words", "abcdefghij", TRect(0, 0, 35, 60), DT_WORDBREAK | DT_EDITCONTROL,
         {{"abcde", 0, 0}, {"fghij", 0, 13}}},
        {"edit control drops a partial last line", "a\nb\nc", TRect(0, 0, 50, 30), DT_EDITCONTROL,
         {{"a", 0, 0}, {"b", 0, 13}}},
        {"end ellipsis", "abcdefghij", TRect(0, 0, 50, 20), DT_SINGLELINE | DT_END_ELLIPSIS, {{"abcd...", 0, 0}}},
        {"tabs", "a\tb", box, DT_SINGLELINE | DT_EXPANDTABS, {{"a       b", 0, 0}}},
        {"prefix", "&File", box, DT_SINGLELINE, {{"File", 0, 0}}},
        {"double ampersand", "A&&B", box, DT_SINGLELINE, {{"A&B", 0, 0}}},
        {"no prefix", "&File", box, DT_SINGLELINE | DT_NOPREFIX, {{"&File", 0, 0}}},
        {"external leading", "a\nb", TRect(0, 0, 50, 60), DT_EXTERNALLEADING, {{"a", 0, 0}, {"b", 0, 15}}},
        {"centred wrapped lines", "aa bbbb", TRect(0, 0, 35, 60), DT_WORDBREAK | DT_CENTER, {{"aa", 10, 0}, {"bbbb", 3, 13}}},
    };
    for (const Case& c : cases) {
        TRecordingCanvas rc;
        TRect r = c.r;
        DrawText(&rc, c.text, r, c.flags);
        const auto got = Texts(rc);
        ASSERT_EQ(got.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].text, c.expected[i].text) << c.name;
            EXPECT_EQ(got[i].x, c.expected[i].x) << c.name;
            EXPECT_EQ(got[i].y, c.expected[i].y) << c.name;
        }
        EXPECT_EQ(r, c.r) << c.name << ": the rectangle only changes with DT_CALCRECT";
    }
}

TEST(DrawText, PrefixUnderlineAndClip)
{
    TRecordingCanvas rc;
    TRect r(10, 0, 100, 20);
    DrawText(&rc, QStringLiteral("O&pen"), r, DT_SINGLELINE);
    auto fills = rc.OpsOf(QStringLiteral("FillRect"));
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].R, TRect(17, 11, 24, 12));   // under "p", one pixel below the ascent
    EXPECT_EQ(rc.OpsOf(QStringLiteral("TextOut"))[0].Clip, r);

    TRecordingCanvas hidden;
    DrawText(&hidden, QStringLiteral("O&pen"), r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_TRUE(hidden.OpsOf(QStringLiteral("FillRect")).empty());
    EXPECT_EQ(hidden.OpsOf(QStringLiteral("TextOut"))[0].Text, QStringLiteral("Open"));

    TRecordingCanvas noclip;
    DrawText(&noclip, QStringLiteral("x"), r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_TRUE(noclip.OpsOf(QStringLiteral("TextOut"))[0].Clip.IsEmpty());
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing)
{
    struct Case { QString text; TRect in; unsigned flags; TRect out; int height; };
    const Case cases[] = {
        {"ab\ncdef", TRect(5, 5, 100, 100), DT_LEFT, TRect(5, 5, 33, 31), 26},
        {"aaa bbb ccc", TRect(0, 0, 50, 0), DT_WORDBREAK, TRect(0, 0, 49, 26), 26},   // narrowed to "aaa bbb"
        {"abcdefghij", TRect(0, 0, 35, 0), DT_WORDBREAK, TRect(0, 0, 70, 13), 13},
        {"&Save", TRect(0, 0, 0, 0), DT_SINGLELINE, TRect(0, 0, 28, 13), 13},
    };
    for (const Case& c : cases) {
        TRecordingCanvas rc;
        TRect r = c.in;
        EXPECT_EQ(DrawText(&rc, c.text, r, c.flags | DT_CALCRECT), c.height) << c.text.toStdString();
        EXPECT_EQ(r, c.out) << c.text.toStdString();
        EXPECT_TRUE(rc.Ops.empty());
    }
}

TEST(DrawText, PixelsWithTheTestFont)
{
    ASSERT_FALSE(TestFontFamily().isEmpty());
    TBitmap b(80, 30);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 80, 30));
    c->Font()->SetName(TestFontFamily());
    c->Font()->SetHeight(-16);
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    TRect r(10, 0, 70, 30);
    DrawText(c, QStringLiteral("WWWWWWWWWWWW"), r, DT_SINGLELINE | DT_VCENTER);
    // Ink only inside the rectangle: clipped on the right, nothing left of it.
    int minX = 100, maxX = -1, minY = 100, maxY = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            if (GetRValue(c->Pixels(x, y)) < 128) {
                minX = std::min(minX, x); maxX = std::max(maxX, x);
                minY = std::min(minY, y); maxY = std::max(maxY, y);
            }
    EXPECT_GE(minX, 10);
    EXPECT_LE(maxX, 69);
    EXPECT_GE(maxX, 66);               // the text runs up to the clip edge
    // Centred vertically: the glyphs' middle is near the rectangle's middle.
    EXPECT_NEAR((minY + maxY) / 2.0, 15.0, 3.0);

    // DT_CALCRECT agrees with TextWidth for the same font.
    TRect calc(0, 0, 0, 0);
    DrawText(c, QStringLiteral("Hello"), calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), c->TextWidth(QStringLiteral("Hello")));
    EXPECT_EQ(calc.Height(), c->TextHeight(QStringLiteral("Hello")));
}

TEST(Fonts, ClassicNamesAreSubstituted)
{
    struct Case { const char* classic; const char* installed; };
    for (const Case c : {Case{"Tahoma", "Liberation Sans"}, Case{"MS Sans Serif", "Liberation Sans"},
                         Case{"Verdana", "DejaVu Sans"}, Case{"Arial", "Liberation Sans"},
                         Case{"Segoe UI", "Liberation Sans"}, Case{"Times New Roman", "Liberation Serif"},
                         Case{"Courier New", "Liberation Mono"}, Case{"DejaVu Sans", "DejaVu Sans"}}) {
        EXPECT_EQ(SubstituteFontName(QString::fromLatin1(c.classic)), QString::fromLatin1(c.installed)) << c.classic;
    }
    TFont f;
    f.SetName(QStringLiteral("Tahoma"));
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetStyle(fsBold | fsUnderline);
    const QFont q = f.ToQFont();
    EXPECT_EQ(q.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(q.pixelSize(), 11);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.italic());
}

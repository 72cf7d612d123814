// The drop-down unit's drawing and number routines: gradient stripes by pixel,
// colour arithmetic, text fitting on the recording canvas and the number tables.
#include "dropdown/dropdown_draw.h"

#include "grid/html_render.h"

#include "platform/core/format_settings.h"
#include "platform/ui/controls.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/graphics.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TColor PixelAt(TBitmap& Bmp, int X, int Y)
{
    return FromQColor(QColor(Bmp.Image().pixel(X, Y)));
}

struct TSeparatorsScope {
    TFormatSettingsScope Scope;
    explicit TSeparatorsScope(QChar Thousand, QChar Decimal) : Scope(Make(Thousand, Decimal)) {}
    static TFormatSettings Make(QChar Thousand, QChar Decimal)
    {
        TFormatSettings s = FormatSettings();
        s.ThousandSeparator = Thousand;
        s.DecimalSeparator = Decimal;
        return s;
    }
};

} // namespace

TEST(DropDownDraw, TwoStepGradientRoundsStripesToEvenAndLeavesTheLastColumn)
{
    TBitmap bmp(10, 4);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, 10, 4));
    DrawGradient(bmp.Canvas(), clBlack, 0x0000FF, 2, TRect(0, 0, 10, 4), true);
    bmp.Canvas()->ReleasePainter();
    for (int x = 0; x <= 3; ++x)
        EXPECT_EQ(PixelAt(bmp, x, 1), clBlack) << "column " << x;
    for (int x = 4; x <= 8; ++x)
        EXPECT_EQ(PixelAt(bmp, x, 1), TColor(0x000080)) << "column " << x;
    EXPECT_EQ(PixelAt(bmp, 9, 1), clWhite);
}

TEST(DropDownDraw, GradientWithoutStepsIsOneStripeOfTheStartColour)
{
    TBitmap bmp(6, 8);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, 6, 8));
    DrawGradient(bmp.Canvas(), clRed, clBlue, 0, TRect(0, 0, 6, 8), false);
    bmp.Canvas()->ReleasePainter();
    // One stripe of the reduced height plus its overlap pixel covers all of R.
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(PixelAt(bmp, 2, y), clRed) << "row " << y;
}

TEST(DropDownDraw, BlendAndToneTables)
{
    struct Row {
        TColor A, B;
        int Percent;
        TColor Expected;
    };
    for (const Row& r : {Row{clWhite, clBlack, 50, 0x808080}, Row{clRed, clBlue, 100, clRed},
                         Row{clRed, clBlue, 150, clRed}, Row{clRed, clBlue, 0, clBlue}, Row{clRed, clBlue, -5, clBlue},
                         Row{0x0000C8, 0x000064, 25, 0x00007D}})
        EXPECT_EQ(BlendColor(r.A, r.B, r.Percent), r.Expected) << std::hex << r.A << " " << r.B << " " << r.Percent;

    struct Tone {
        TColor Color;
        int DR, DG, DB;
        TColor Expected;
    };
    for (const Tone& t : {Tone{0x808080, -50, -50, -50, 0x404040}, Tone{0x808080, 20, 40, 60, 0x808080},
                          Tone{0x000000, 30, -10, 0, 0x00001E}, Tone{0x0000FF, -150, 0, 0, 0x000000},
                          Tone{clWhite, -25, 0, 0, 0xFFFFBF}})
        EXPECT_EQ(ColorTone(t.Color, t.DR, t.DG, t.DB), t.Expected) << std::hex << t.Color;
}

TEST(DropDownDraw, FilledRectFillsThenOutlines)
{
    TRecordingCanvas c;
    DrawFilledRect(&c, TRect(0, 0, 20, 10), clYellow, clNone, false, 2, clRed);
    ASSERT_EQ(c.Ops.size(), 2u);
    EXPECT_EQ(c.Ops[0].Kind, QStringLiteral("FillRect"));
    EXPECT_EQ(c.Ops[0].Color, clYellow);
    EXPECT_EQ(c.Ops[1].Kind, QStringLiteral("Rectangle"));
    EXPECT_EQ(c.Pen()->Width(), 2);

    c.Clear();
    DrawFilledRect(&c, TRect(0, 0, 20, 80), clWhite, clBlack, true, 0, clRed);
    EXPECT_EQ(c.OpsOf(QStringLiteral("Rectangle")).size(), 80u) << "80 stripes, no outline at width 0";
    EXPECT_EQ(c.Ops.back().R, TRect(0, 78, 20, 80)) << "vertical stripes for a set direction flag";

    DrawFilledRect(nullptr, TRect(0, 0, 5, 5), clWhite, clNone, false, 1, clBlack);
}

TEST(DropDownDraw, FitTextEllipsisTable)
{
    TRecordingCanvas c; // 7 pixels per character
    struct Row {
        const char* Text;
        int MaxWidth;
        bool Ellipsis;
        const char* Expected;
    };
    for (const Row& r : {Row{"Hello World", 50, true, "Hell..."}, Row{"Hello World", 50, false, "Hello W"},
                         Row{"Hello World", 49, false, "Hello "}, Row{"Hi", 14, true, "Hi"},
                         Row{"Hello World", 10, true, "Hello World"}, Row{"", 0, true, ""}}) {
        QString out = QStringLiteral("junk");
        FitTextEllipsis(&c, QString::fromLatin1(r.Text), r.MaxWidth, out, r.Ellipsis);
        EXPECT_EQ(out, QString::fromLatin1(r.Expected)) << r.Text << " in " << r.MaxWidth;
    }
}

TEST(DropDownDraw, TextSizeAndHTMLTextThroughTheGridRenderer)
{
    TRecordingCanvas c;
    EXPECT_EQ(GetTextSize(&c, QString()), (TSize{0, 0}));
    EXPECT_EQ(GetTextSize(&c, QStringLiteral("abc")).cx, 21);

    TSize size{5, 5};
    DrawHTMLTextEx(&c, QString(), TRect(0, 0, 100, 20), size, nullptr, true, nullptr);
    EXPECT_EQ(size, (TSize{0, 0}));
    EXPECT_TRUE(c.Ops.empty());

    const QString markup = QStringLiteral("<b>Hi</b> &amp; <a href=\"x\">bye</a>");
    THTMLTextParams measure;
    measure.Canvas = &c;
    measure.Text = markup;
    measure.Rect = TRect(0, 0, 200, 20);
    measure.CalcOnly = true;
    DrawHTMLText(measure);
    DrawHTMLTextEx(&c, markup, TRect(0, 0, 200, 20), size, nullptr, true, nullptr);
    EXPECT_EQ(size, (TSize{measure.XSize, measure.YSize}));
    EXPECT_GT(size.cx, 0);
    QString drawn;
    bool greyAnchor = false;
    for (const auto& op : c.OpsOf(QStringLiteral("TextOut"))) {
        drawn += op.Text;
        greyAnchor = greyAnchor || (op.Text.contains(QStringLiteral("bye")) && op.Color == 0x808080);
    }
    EXPECT_TRUE(drawn.contains(QStringLiteral("Hi"))) << drawn.toStdString();
    EXPECT_TRUE(drawn.contains(QStringLiteral("&"))) << drawn.toStdString();
    EXPECT_TRUE(greyAnchor) << "anchors in grey";

    c.Clear();
    DrawHTMLTextEx(&c, markup, TRect(0, 0, 200, 20), size, nullptr, false, nullptr);
    EXPECT_TRUE(c.OpsOf(QStringLiteral("TextOut")).empty()) << "a false flag only measures";
    EXPECT_EQ(size, (TSize{measure.XSize, measure.YSize}));
}

TEST(DropDownDraw, TransparentBitmapShowsItsKeyColourAsTheGivenColour)
{
    TBitmap src(4, 4);
    src.Canvas()->Brush()->SetColor(clLime);
    src.Canvas()->FillRect(TRect(0, 0, 4, 4));
    src.Canvas()->SetPixel(2, 2, clBlue);
    src.Canvas()->ReleasePainter();
    TBitmap dst(10, 10);
    dst.Canvas()->Brush()->SetColor(clWhite);
    dst.Canvas()->FillRect(TRect(0, 0, 10, 10));
    DrawTransparentBitmap(dst.Canvas(), &src, clRed, TRect(5, 5, 8, 8));
    dst.Canvas()->ReleasePainter();
    EXPECT_EQ(PixelAt(dst, 5, 5), clRed);
    EXPECT_EQ(PixelAt(dst, 7, 7), clBlue);
    EXPECT_EQ(PixelAt(dst, 8, 8), clWhite) << "only R's area is copied";
}

TEST(DropDownDraw, ClassifyNumberTable)
{
    TSeparatorsScope locale(QLatin1Char(','), QLatin1Char('.'));
    struct Row {
        const char* Text;
        int Expected;
    };
    for (const Row& r : {Row{"12", 0}, Row{"-12", 0}, Row{"1,234.5", 1}, Row{"1,234,567", 1}, Row{"1F", 5},
                         Row{"abc", 5}, Row{"1.2.3", 2}, Row{"--1", 2}, Row{"1-2-3", 2}, Row{"", 2},
                         Row{",12", 2}, Row{"1,2,3", 2}, Row{"12x", 2}, Row{"1e5", 5}})
        EXPECT_EQ(ClassifyNumber(QString::fromLatin1(r.Text)), r.Expected) << r.Text;
}

TEST(DropDownDraw, SeparatorsFollowTheLocaleAtEachCall)
{
    {
        TSeparatorsScope locale(QLatin1Char('.'), QLatin1Char(','));
        EXPECT_EQ(DecimalSeparator(), QLatin1Char(','));
        EXPECT_EQ(ThousandSeparator(), QLatin1Char('.'));
        QString out;
        StripThousandSeparators(QStringLiteral("1.234.567,5"), out);
        EXPECT_EQ(out, QStringLiteral("1234567,5"));
        EXPECT_EQ(ClassifyNumber(QStringLiteral("1,5,5")), 2) << "two decimal separators";
    }
    TSeparatorsScope locale(QLatin1Char(','), QLatin1Char('.'));
    QString out;
    StripThousandSeparators(QStringLiteral("1,234,567"), out);
    EXPECT_EQ(out, QStringLiteral("1234567"));
}

TEST(DropDownDraw, HexAndSmallRoutines)
{
    struct Row {
        const char* Text;
        int Expected;
    };
    for (const Row& r : {Row{"FF", 255}, Row{"ff", 255}, Row{"7FFFFFFF", INT_MAX}, Row{"FFFFFFFF", -1},
                         Row{"100000000", 0}, Row{"1G", 16}, Row{"", 0}, Row{"-1", 1}})
        EXPECT_EQ(HexToInt(QString::fromLatin1(r.Text)), r.Expected) << r.Text;
    EXPECT_EQ(HexDigitValue(QLatin1Char('9')), 9);
    EXPECT_EQ(HexDigitValue(QLatin1Char('c')), 12);
    EXPECT_EQ(HexDigitValue(QLatin1Char('z')), 0);

    for (const char ch : {',', '-', ';'})
        EXPECT_TRUE(IsRangeSeparator(QLatin1Char(ch))) << ch;
    for (const char ch : {'.', ' ', ':'})
        EXPECT_FALSE(IsRangeSeparator(QLatin1Char(ch))) << ch;

    QString out;
    CaseFold(QStringLiteral("Äbc"), true, out);
    EXPECT_EQ(out, QStringLiteral("Äbc"));
    CaseFold(QStringLiteral("äbc"), false, out);
    EXPECT_EQ(out, QStringLiteral("ÄBC"));
}

TEST(DropDownDraw, PaintCtrlsDrawsTheWindowlessChildrenFromTheFirstOn)
{
    TWinControl panel;
    panel.SetBounds(0, 0, 40, 20);
    auto* skipped = new TShape(&panel);
    skipped->SetParent(&panel);
    skipped->SetBounds(0, 0, 10, 10);
    skipped->Brush()->SetColor(clBlue);
    skipped->Pen()->SetColor(clBlue);
    auto* first = new TShape(&panel);
    first->SetParent(&panel);
    first->SetBounds(20, 5, 10, 10);
    first->Brush()->SetColor(clRed);
    first->Pen()->SetColor(clRed);
    TBitmap bmp(40, 20);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, 40, 20));
    PaintCtrls(&panel, bmp.Canvas(), first);
    bmp.Canvas()->ReleasePainter();
    EXPECT_EQ(PixelAt(bmp, 25, 10), clRed);
    EXPECT_EQ(PixelAt(bmp, 5, 5), clWhite) << "children before First are left out";
    PaintCtrls(&panel, bmp.Canvas(), nullptr);
    bmp.Canvas()->ReleasePainter();
    EXPECT_EQ(PixelAt(bmp, 5, 5), clBlue);
}

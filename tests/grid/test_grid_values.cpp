// Header lists, highlighting and marking, the cell checker pass, fills and
// typed cell values of the grid control.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "grid/theme_services.h"
#include "platform/core/datetime.h"
#include "platform/core/format_settings.h"

#include <string>

namespace {

class GridValues : public ::testing::Test {
protected:
    TKvStringGrid g;
    void SetUp() override
    {
        g.SetColCount(4);
        g.SetRowCount(4);
    }
};

TEST_F(GridValues, IntsAndFloats)
{
    struct { const char* text; int value; bool raises; } ints[] = {
        {" 42 ", 42, false}, {"", 0, false}, {"-", 0, false}, {"4x", 0, true}, {"<b>7</b>", 7, false},
    };
    for (const auto& c : ints) {
        g.SetCells(1, 1, QString::fromLatin1(c.text));
        if (c.raises) EXPECT_THROW(g.Ints(1, 1), EKvGridError) << c.text;
        else EXPECT_EQ(g.Ints(1, 1), c.value) << c.text;
    }
    try {
        g.SetCells(1, 1, QStringLiteral("4x"));
        g.Ints(1, 1);
    } catch (const EKvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cell does not contain integer value"));
    }
    if (GetLocaleThousandSeparator() == QLatin1Char(',') && GetLocaleDecimalSeparator() == QLatin1Char('.')) {
        g.SetCells(1, 1, QStringLiteral("(1,234.50)"));
        EXPECT_DOUBLE_EQ(g.Floats(1, 1), -1234.5);
    }
    g.SetCells(1, 1, QStringLiteral("abc"));
    EXPECT_THROW(g.Floats(1, 1), EKvGridError);
    g.SetAllInts(2, 2, 17);
    EXPECT_EQ(g.AllInts(2, 2), 17);
}

// Formats from files and events reach printf only when they fit: a format with
// a string, a write-back or two conversions leaves the plain number or text.
TEST_F(GridValues, UnfitFloatFormatsGiveThePlainNumber)
{
    TFormatSettingsScope scope([] {
        TFormatSettings fs = FormatSettings();
        fs.DecimalSeparator = QLatin1Char('.');
        fs.ThousandSeparator = QLatin1Char(',');
        return fs;
    }());
    for (const char* bad : {"%s", "%n", "%.2f %.2f", "%d", "%p"}) {
        SCOPED_TRACE(bad);
        g.SetFloatFormat(QString::fromLatin1(bad));
        g.SetFloats(1, 1, 2.5);
        EXPECT_EQ(g.Cells(1, 1), QStringLiteral("2.5"));
        g.SetAllFloats(2, 1, 0.25);
        EXPECT_EQ(g.Cells(2, 1), QStringLiteral("0.25"));
        g.SetCells(3, 1, QStringLiteral("7.125"));
        g.OnGetFloatFormat = [bad](TObject*, int, int, bool&, QString& f) { f = QString::fromLatin1(bad); };
        EXPECT_EQ(g.GetFormattedCell(3, 1), bad == std::string("%d") ? QStringLiteral("7") : QStringLiteral("7.125"));
        g.OnGetFloatFormat = nullptr;
    }
    g.SetFloatFormat(QStringLiteral("%.3f"));
    g.SetFloats(1, 1, 2.5);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("2.500"));
}

TEST_F(GridValues, DatesOfDayZero)
{
    g.SetCells(1, 1, QStringLiteral("x"));
    g.SetDates(1, 1, 0); // null dates are shown by default
    EXPECT_EQ(g.Cells(1, 1), DateToStr(0));
    g.SetShowNullDates(false);
    g.SetDates(1, 1, 0);
    EXPECT_EQ(g.Cells(1, 1), QString());
    g.SetDates(1, 1, 45000);
    EXPECT_NEAR(g.Dates(1, 1), 45000, 0.5);
}

TEST_F(GridValues, HighlightAndUnhighlight)
{
    g.SetCells(1, 1, QStringLiteral("xAbyab"));
    g.HilightInCell(false, 1, 1, QStringLiteral("ab"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("x<hi>Ab</hi>y<hi>ab</hi>"));
    g.UnHilightInCell(1, 1);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("xAbyab"));
    g.HilightInCell(true, 1, 1, QStringLiteral("ab"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("xAby<hi>ab</hi>"));
    g.UnHilightInCell(1, 1);

    g.SetCells(2, 1, QStringLiteral("a<b"));
    g.HilightInCell(false, 2, 1, QStringLiteral("b"));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("a&lt;<hi>b</hi>"));
    g.UnHilightInCell(2, 1);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("a<b"));

    g.MarkInGrid(false, false, QStringLiteral("a"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("x<e>A</e>by<e>a</e>b"));
    g.UnMarkInGrid(false);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("xAbyab"));
    // out-of-grid ranges do nothing
    g.HilightInCell(false, 9, 9, QStringLiteral("a"));
    g.HilightInRange(QStringLiteral("a"), QStringLiteral("hi"), false, 3, 3, 1, 1);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("xAbyab"));
}

TEST_F(GridValues, HighlightRangeReachesHiddenColumns)
{
    g.SetCells(3, 1, QStringLiteral("abc"));
    g.HideColumn(3);
    // the grid range runs past the shown columns by the number of hidden ones
    g.HilightInGrid(false, false, QStringLiteral("b"));
    EXPECT_EQ(g.AllCells(3, 1), QStringLiteral("a<hi>b</hi>c"));
    g.UnHilightInGrid(false);
    EXPECT_EQ(g.AllCells(3, 1), QStringLiteral("abc"));
    g.UnHideColumn(3);
}

TEST_F(GridValues, FillsAndHeaders)
{
    g.LinearFill(false);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("1:1"));
    EXPECT_EQ(g.Cells(0, 0), QString());
    g.RandomFill(true, 0);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("0"));
    g.RandomFill(false, 3);
    EXPECT_LT(g.Ints(2, 2), 3);
    g.FormatFill(false, QStringLiteral("c%d r%d"));
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("c2 r3"));
    g.TextFill(true, QStringLiteral("t"));
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("t"));

    TStringList heads;
    heads.Add(QStringLiteral("One"));
    heads.Add(QStringLiteral("Two\\nlines"));
    g.SetColumnHeaders(&heads);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("One"));
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Two\rlines"));
    EXPECT_EQ(g.Cells(2, 0), QString());
    g.ColumnHeaders()->Add(QStringLiteral("Three"));
    EXPECT_EQ(g.Cells(2, 0), QStringLiteral("Three"));
}

class TUpperChecker : public TKvStringGridCheck {
public:
    QString Correct(int, int, const QString& Value) override { return Value.toUpper(); }
};

TEST_F(GridValues, CheckingKeepsTheCurrentCellWithGotoCell)
{
    EXPECT_TRUE(g.CheckGrid(false));
    TUpperChecker ck;
    ck.UseCorrect = true;
    ck.GotoCell = true;
    g.CellChecker = &ck;
    g.SetCells(1, 1, QStringLiteral("ABC"));
    g.SetCells(2, 2, QStringLiteral("abc"));
    g.SetCol(3);
    g.SetRow(3);
    EXPECT_FALSE(g.CheckCells(1, 1, 2, 2));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("ABC"));
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_TRUE(g.CheckCell(1, 1));
}

TEST_F(GridValues, PrintColumnRange)
{
    EXPECT_EQ(g.PrintColWidth(511), 0);
    EXPECT_THROW(g.PrintColWidth(512), EKvGridError);
    EXPECT_THROW(g.PrintColOffset(-1), EKvGridError);
}

} // namespace

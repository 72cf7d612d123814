// Reading a cell as a number, and the grid's fonts under form scaling.
#include <gtest/gtest.h>

#include "grid/column_grid.h"
#include "grid/kv_string_grid.h"
#include "platform/core/format_settings.h"
#include "shell/qt_print.h"

TEST(GridCellToReal, NumbersInTheLocaleAndLocatedErrors)
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char(',');
    fs.ThousandSeparator = QLatin1Char('.');
    TFormatSettingsScope locale(fs);
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCells(1, 1, QStringLiteral("1.234,5"));
    EXPECT_DOUBLE_EQ(g.CellToReal(1, 1), 1234.5);
    EXPECT_DOUBLE_EQ(g.CellToReal(2, 1), 0) << "an empty cell";
    g.SetCells(2, 1, QStringLiteral("$ -12"));
    EXPECT_DOUBLE_EQ(g.CellToReal(2, 1), -12) << "leading text is skipped";
    g.SetCells(1, 2, QStringLiteral("12a"));
    EXPECT_DOUBLE_EQ(g.CellToReal(1, 2), 12) << "the number text ends at the first other character";
    const char* bad[][2] = {{"1,2,3", "Error at position: 4 in Cell [2, 2]."},
                            {"12e", "Error at position: 4 in Cell [2, 2]."},
                            {"x", "Error at position: 1 in Cell [2, 2]."}};
    for (auto& b : bad) {
        g.SetCells(2, 2, QString::fromUtf8(b[0]));
        try {
            g.CellToReal(2, 2);
            ADD_FAILURE() << b[0];
        } catch (const EKvGridError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(b[1]));
        }
        EXPECT_EQ(g.Cells(2, 2), QString::fromUtf8(b[0])) << "the grid is unchanged";
    }
}

TEST(GridChangeScale, FixedAndActiveCellFontsFollowTheForm)
{
    TKvStringGrid g;
    g.SetBounds(0, 0, 400, 200);
    g.FixedFont()->SetSize(8);
    g.ActiveCellFont()->SetSize(9);
    g.SetColWidths(1, 64);
    g.ChangeScale(96, 96);
    EXPECT_EQ(g.FixedFont()->Size(), 8);
    EXPECT_EQ(g.Width(), 400);
    g.ChangeScale(120, 96);
    EXPECT_EQ(g.FixedFont()->Size(), 10);
    EXPECT_EQ(g.ActiveCellFont()->Size(), 11);
    EXPECT_EQ(g.Width(), 500);
    EXPECT_EQ(g.ColWidths(1), 64) << "column widths keep their sizes";

    TKvColumnGrid c;
    c.SetColCount(2);
    c.FixedFont()->SetSize(8);
    c.Columns()->Items(1)->Font()->SetSize(10);
    c.ChangeScale(120, 96);
    EXPECT_EQ(c.FixedFont()->Size(), 10) << "the column grid scales the grid's own part first";
    EXPECT_EQ(c.Columns()->Items(1)->Font()->Size(), 13);
}

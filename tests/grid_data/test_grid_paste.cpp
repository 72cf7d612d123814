// Paste from the clipboard, text pastes at a cell, and the smart fill of a larger selection.
#include <gtest/gtest.h>

#include "grid/cell_properties.h"
#include "grid/kv_string_grid.h"
#include "platform/core/datetime.h"
#include "platform/ui/clipboard.h"

namespace {

std::unique_ptr<TKvStringGrid> EditableGrid(int Cols, int Rows)
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    g->SetOptions(g->Options() | goEditing);
    return g;
}

QStringList Column(TKvStringGrid& G, int ACol, int From, int To)
{
    QStringList l;
    for (int r = From; r <= To; ++r) l << G.Cells(ACol, r);
    return l;
}

// Remembers what the paste reports as the origin of the pasted cells.
class TMarkingGrid : public TKvStringGrid {
public:
    std::vector<TPoint> Origins;
    void MarkRowsModified(const TPoint& TopLeft, const TRect& Rect, TClipOperation LastOp) override
    {
        Origins.push_back(TopLeft);
        TKvStringGrid::MarkRowsModified(TopLeft, Rect, LastOp);
    }
};

}  // namespace

TEST(GridPaste, SmartFillContinuesValuesAndSeries)
{
    const QString d1 = DateToStr(EncodeDate(2024, 1, 15)), d2 = DateToStr(EncodeDate(2024, 2, 15));
    struct Case {
        const char* What;
        QString Clip;
        QStringList Expected;
    };
    const Case cases[] = {
        {"one value", QStringLiteral("5"), {"5", "5", "5", "5"}},
        {"integers", QStringLiteral("1\r\n3\r\n"), {"1", "3", "5", "7"}},
        {"decimals", QStringLiteral("1.5\r\n2.0\r\n"), {"1.50", "2.00", "2.50", "3.00"}},
        {"dates a month apart", d1 + QStringLiteral("\r\n") + d2 + QStringLiteral("\r\n"),
         {d1, d2, DateToStr(EncodeDate(2024, 3, 15)), DateToStr(EncodeDate(2024, 4, 15))}},
        {"a repeated block", QStringLiteral("a\r\nb\r\n"), {"a", "b", "a", "b"}},
    };
    for (const Case& k : cases) {
        auto g = EditableGrid(3, 6);
        g->Navigation()->SetAllowSmartClipboard(true);
        Clipboard()->SetAsText(k.Clip);
        g->SetSelection(TGridRect(1, 1, 1, 4));
        g->PasteSelectionFromClipboard();
        EXPECT_EQ(Column(*g, 1, 1, 4), k.Expected) << k.What;
        EXPECT_EQ(g->Cells(1, 5), QString()) << k.What;
    }
}

TEST(GridPaste, ABeforeEventVetoKeepsTheCell)
{
    auto g = EditableGrid(3, 6);
    g->Navigation()->SetAllowSmartClipboard(true);
    g->SetCells(1, 3, QStringLiteral("kept"));
    g->OnClipboardBeforePasteCell = [](TObject*, int, int ARow, QString&, bool& Allow) { Allow = ARow != 3; };
    Clipboard()->SetAsText(QStringLiteral("1\r\n3\r\n"));
    g->SetSelection(TGridRect(1, 1, 1, 4));
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(Column(*g, 1, 1, 4), QStringList({"1", "3", "kept", "7"}));
}

TEST(GridPaste, TextPastesStayInsideTheGrid)
{
    int rows = 0, cols = 0;
    auto locked = std::make_unique<TKvStringGrid>();
    locked->SetColCount(3);
    locked->SetRowCount(3);
    EXPECT_EQ(locked->PasteTextAt(1, 1, rows, cols, QStringLiteral("a")), 0);
    EXPECT_EQ(locked->Cells(1, 1), QString());

    for (bool grow : {true, false}) {
        auto g = EditableGrid(3, 3);
        g->Navigation()->SetAllowClipboardRowGrow(grow);
        g->Navigation()->SetAllowClipboardColGrow(grow);
        const int n = g->PasteTextAt(1, 2, rows, cols, QStringLiteral("a\tb\tc\r\nd\r\ne"));
        EXPECT_EQ(n, 5) << grow;
        EXPECT_EQ(rows, 3) << grow;
        EXPECT_EQ(g->RowCount(), grow ? 5 : 3) << grow;
        EXPECT_EQ(g->ColCount(), grow ? 4 : 3) << grow;
        EXPECT_EQ(g->Cells(1, 2), QStringLiteral("a"));
        EXPECT_EQ(g->Cells(2, 2), QStringLiteral("b"));
        g->SetColCount(4);
        g->SetRowCount(5);
        EXPECT_EQ(g->Cells(3, 2), grow ? QStringLiteral("c") : QString()) << grow;
        EXPECT_EQ(g->Cells(1, 3), grow ? QStringLiteral("d") : QString()) << grow;
        EXPECT_EQ(g->Cells(1, 4), grow ? QStringLiteral("e") : QString()) << grow;
    }
}

TEST(GridPaste, ClipboardTextIsMeasured)
{
    struct Case {
        QString Text;
        int Cols, Rows;
    };
    const Case cases[] = {
        {QStringLiteral("a"), 1, 0},
        {QStringLiteral("a\tb\r\nc\r\n"), 2, 1},
        {QStringLiteral("a\tb\r\nc\td\te"), 3, 1},
        {QStringLiteral("a\r\n\r\nb\r\n"), 1, 1},
    };
    for (const Case& k : cases) {
        int cols = 0, rows = 0;
        TKvStringGrid::MeasureClipboardText(k.Text, cols, rows);
        EXPECT_EQ(cols, k.Cols) << k.Text.toStdString();
        EXPECT_EQ(rows, k.Rows) << k.Text.toStdString();
    }
}

TEST(GridPaste, GridCellsCarryTheClipOriginOnlyIntoTheirOwnGrid)
{
    TMarkingGrid a, b;
    for (TMarkingGrid* g : {&a, &b}) {
        g->SetColCount(5);
        g->SetRowCount(5);
        g->SetOptions(g->Options() | goEditing);
        g->Navigation()->SetAllowFmtClipboard(true);
    }
    a.SetCells(1, 1, QStringLiteral("x"));
    a.GetCellProperties(1, 1)->SetFontSize(17);
    a.SetSelection(TGridRect(1, 1, 1, 1));
    a.CopySelectionToClipboard();

    b.SetSelection(TGridRect(3, 2, 3, 2));
    b.PasteSelectionFromClipboard();
    EXPECT_EQ(b.Cells(3, 2), QStringLiteral("x"));
    EXPECT_EQ(b.GetCellProperties(3, 2)->FontSize(), 17);
    ASSERT_FALSE(b.Origins.empty());
    EXPECT_EQ(b.Origins.back(), TPoint(-1, -1));

    a.SetSelection(TGridRect(2, 3, 2, 3));
    a.PasteSelectionFromClipboard();
    EXPECT_EQ(a.Cells(2, 3), QStringLiteral("x"));
    ASSERT_FALSE(a.Origins.empty());
    EXPECT_EQ(a.Origins.back(), TPoint(1, 1));

    // A rich-text cell comes back as its source text.
    Clipboard()->Clear();
    a.Navigation()->SetAllowFmtClipboard(false);
    a.Navigation()->SetAllowRTFClipboard(true);
    a.SetCells(1, 1, QStringLiteral("{\\rtf1 r}"));
    a.SetSelection(TGridRect(1, 1, 1, 1));
    a.CopySelectionToClipboard();
    a.SetSelection(TGridRect(4, 4, 4, 4));
    a.PasteSelectionFromClipboard();
    EXPECT_EQ(a.Cells(4, 4), QStringLiteral("{\\rtf1 r}"));
}

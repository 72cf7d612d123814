// Copy and cut to the clipboard and the selection as text.
#include <gtest/gtest.h>

#include "grid/cell_properties.h"
#include "grid/kv_string_grid.h"
#include "platform/core/classes.h"
#include "platform/ui/clipboard.h"

namespace {

std::unique_ptr<TKvStringGrid> Grid(int Cols, int Rows)
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    return g;
}

}  // namespace

TEST(GridClipboard, RectanglesBecomeTabSeparatedText)
{
    auto g = Grid(4, 7);
    g->SetCells(1, 1, QStringLiteral("a"));
    g->SetCells(2, 1, QStringLiteral("b"));
    g->SetCells(1, 2, QStringLiteral("c"));
    g->SetCells(2, 2, QStringLiteral("d"));
    g->SetCells(3, 3, QStringLiteral("x\r\ny"));
    g->SetCells(3, 4, QStringLiteral("<b>bold</b>"));
    struct Case {
        TGridRect R;
        QString Text;
    };
    const Case cases[] = {
        {TGridRect(1, 1, 2, 2), QStringLiteral("a\tb\r\nc\td\r\n")},
        {TGridRect(1, 1, 1, 1), QStringLiteral("a")},
        {TGridRect(2, 1, 2, 2), QStringLiteral("b\r\nd\r\n")},
        {TGridRect(3, 3, 3, 3), QStringLiteral("\"x\n\ny\"")},
        {TGridRect(3, 4, 3, 4), QStringLiteral("<b>bold</b>")},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(g->RectToClipboardText(k.R, false), k.Text) << k.Text.toStdString();
        EXPECT_EQ(g->ClipOrigin(), TPoint(k.R.Left, k.R.Top));
    }
    g->Navigation()->SetCopyHTMLTagsToClipboard(false);
    EXPECT_EQ(g->RectToClipboardText(TGridRect(3, 4, 3, 4), false), QStringLiteral("bold"));

    // Disjunct rows: only the selected ones.
    for (int r = 1; r < 7; ++r) g->SetCells(0, r, QString::number(r));
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(2, true);
    g->SetRowSelect(5, true);
    EXPECT_EQ(g->RectToClipboardText(TGridRect(0, 1, 0, 6), true), QStringLiteral("2\r\n5\r\n"));
    EXPECT_EQ(g->RectToClipboardText(TGridRect(0, 1, 0, 2), false), QStringLiteral("1\r\n2\r\n"));

    // Disjunct columns: a column left out takes its tab with it.
    g->MouseActions()->SetDisjunctRowSelect(false);
    g->MouseActions()->SetDisjunctColSelect(true);
    g->SetColSelect(1, true);
    g->SetColSelect(2, true);
    EXPECT_EQ(g->RectToClipboardText(TGridRect(0, 1, 2, 1), true), QStringLiteral("a\tb"));
    EXPECT_EQ(g->RectToClipboardText(TGridRect(1, 1, 3, 1), true), QStringLiteral("a\tb\t"));
}

TEST(GridClipboard, ALargeCopyKeepsEveryRowAsItsBufferGrows)
{
    // The text's buffer is sized from the first rows and again after some thousands;
    // the rows grow longer on the way, so the first estimate falls short.
    const int rows = 6000;
    auto g = Grid(2, rows);
    QString expected;
    for (int r = 0; r < rows; ++r) {
        const QString wide = QString(r / 100, QLatin1Char('w'));
        g->SetCells(0, r, QString::number(r));
        g->SetCells(1, r, wide);
        expected += QString::number(r) + QLatin1Char('\t') + wide + QLatin1String("\r\n");
    }
    EXPECT_EQ(g->RectToClipboardText(TGridRect(0, 0, 1, rows - 1), false), expected);
}

TEST(GridClipboard, CutClearsOnlyEditableCellsUnlessAlwaysAllowed)
{
    for (bool always : {false, true}) {
        auto g = Grid(3, 3);
        g->SetOptions(g->Options() | goEditing);
        g->Navigation()->SetAllowClipboardAlways(always);
        g->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& Can) { Can = !(ACol == 2 && ARow == 2); };
        g->SetCells(1, 1, QStringLiteral("p"));
        g->SetCells(2, 2, QStringLiteral("locked"));
        g->CutToClipboard();
        EXPECT_EQ(g->LastClipOperation(), coCut);
        EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("\t\t\r\n\tp\t\r\n\t\tlocked\r\n"));
        EXPECT_EQ(g->Cells(1, 1), QString()) << always;
        EXPECT_EQ(g->Cells(2, 2), always ? QString() : QStringLiteral("locked")) << always;
    }
}

TEST(GridClipboard, SettingTheSelectionAsTextGrowsTheGrid)
{
    auto g = Grid(3, 3);
    g->SetSelection(TGridRect(1, 1, 1, 1));
    g->SetSelectionAsText(QStringLiteral("a\tb\tc\r\nd\r\n\"x\ny\"\te"));
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(g->Cells(3, 1), QStringLiteral("c"));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("d"));
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("x\ny"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("e"));
    g->SetSelection(TGridRect(1, 1, 2, 2));
    EXPECT_EQ(g->GetSelectionAsText(), QStringLiteral("a\tb\r\nd\t\r\n"));
}

TEST(GridClipboard, CellsTravelThroughTheClipboardWithTheirProperties)
{
    auto g = Grid(4, 4);
    g->Navigation()->SetAllowFmtClipboard(true);
    g->Navigation()->SetAllowRTFClipboard(true);
    g->SetCells(1, 1, QStringLiteral("{\\rtf1 hello}"));
    g->SetCells(2, 1, QStringLiteral("two"));
    g->GetCellProperties(2, 1)->SetBrushColor(clWindow);
    g->SetSelection(TGridRect(1, 1, 2, 1));
    g->CopySelectionToClipboard();
    EXPECT_EQ(g->LastClipOperation(), coCopy);

    EXPECT_TRUE(Clipboard()->HasFormat(QStringLiteral("TKvStringGrid Cells")));
    const QByteArray rtf = Clipboard()->GetFormat(QStringLiteral("Rich Text Format"));
    ASSERT_EQ(rtf.size(), (13 + 1) * 2);
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(rtf.constData()), 13),
              QStringLiteral("{\\rtf1 hello}"));

    const QByteArray cells = Clipboard()->GetFormat(QStringLiteral("TKvStringGrid Cells"));
    TMemoryStream ms;
    ms.WriteBuffer(cells.constData(), cells.size());
    ms.SetPosition(0);
    auto t = Grid(5, 5);
    t->LoadAtPointFromBinStream(TPoint(2, 3), &ms);
    EXPECT_EQ(t->Cells(2, 3), QStringLiteral("{\\rtf1 hello}"));
    EXPECT_EQ(t->Cells(3, 3), QStringLiteral("two"));
    ASSERT_TRUE(t->HasCellProperties(3, 3));
    EXPECT_EQ(t->GetCellProperties(3, 3)->BrushColor(), clWindow);
}

TEST(GridClipboard, SelectionsGrowOverMergedAreas)
{
    auto g = Grid(6, 6);
    g->MergeCells(1, 1, 2, 2);
    g->MergeCells(3, 3, 2, 2);
    g->SetSelection(TGridRect(2, 2, 3, 3));
    g->ExtendSelectionToMergedCells();
    EXPECT_EQ(g->Selection(), TGridRect(1, 1, 4, 4));
}

TEST(GridClipboard, HtmlCopyHeaderOffsetsCountTheBytesOnTheClipboard)
{
    auto g = Grid(2, 2);
    g->SetCells(0, 0, QStringLiteral("caf\u00e9"));              // one byte in the code page
    g->SetCells(1, 0, QStringLiteral("\u20ac 5"));               // the euro sign has a byte too
    g->SetCells(0, 1, QString::fromUtf8("\xF0\x9F\x98\x80 x"));  // a surrogate pair: one '?'
    g->SetCells(1, 1, QStringLiteral("\u0416"));                 // Cyrillic: '?'
    g->CopyToClipBoardAsHTML();

    const QByteArray b = Clipboard()->GetFormat(QStringLiteral("HTML Format"));
    ASSERT_FALSE(b.isEmpty());
    auto offset = [&](const char* key) {
        const qsizetype at = b.indexOf(key);
        EXPECT_GE(at, 0) << key;
        return b.mid(at + qsizetype(strlen(key)), 8).toInt();
    };
    const int startHtml = offset("StartHTML:"), endHtml = offset("EndHTML:");
    const int startFrag = offset("StartFragment:"), endFrag = offset("EndFragment:");
    EXPECT_EQ(endHtml, b.size());
    EXPECT_TRUE(b.mid(startHtml).startsWith("<!DOCTYPE"));
    EXPECT_TRUE(b.left(startFrag).endsWith("<!--StartFragment-->"));
    EXPECT_TRUE(b.mid(endFrag).startsWith("<!--EndFragment-->"));
    const QByteArray fragment = b.mid(startFrag, endFrag - startFrag);
    EXPECT_TRUE(fragment.contains("caf\xe9"));
    EXPECT_TRUE(fragment.contains("\x80 5"));
    EXPECT_TRUE(fragment.contains("? x"));
    // The plain text beside it is the same wrapped document.
    EXPECT_EQ(Clipboard()->AsText().toLatin1().size(), b.size());
    EXPECT_TRUE(Clipboard()->AsText().startsWith(QStringLiteral("Version:1.0\r\n")));
}

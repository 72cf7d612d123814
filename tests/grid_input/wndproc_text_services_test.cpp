#include "wndproc_fixture.h"

#include "grid/kv_flat_controls.h"
#include "platform/ui/richedit.h"

#include <gtest/gtest.h>

TEST(GridTextServices, EmptyCellClearsTheRichEdit)
{
    TGridOnForm<> f;
    TRichEdit re(f.form.get());
    re.SetRTF({'{', '\\', 'r', 't', 'f', '1', ' ', 'x', '}'});
    f.grid->SetCells(1, 1, QString());
    f.grid->CellToRich(1, 1, &re);
    EXPECT_TRUE(re.RTF().empty());
    EXPECT_TRUE(re.PlainText().isEmpty());
}

TEST(GridTextServices, RoundTripKeepsEveryByte)
{
    TGridOnForm<> f;
    std::vector<uint8_t> all;
    for (int b = 0; b < 256; ++b) all.push_back(uint8_t(b));
    TRichEdit src(f.form.get()), dst(f.form.get());
    src.SetRTF(all);
    f.grid->RichToCell(1, 2, &src);
    const QString cell = f.grid->Cells(1, 2);
    ASSERT_EQ(cell.size(), 256);
    // Bytes 0x80 .. 0x9F are where a code page round trip went wrong.
    for (int b = 0x80; b <= 0x9F; ++b) EXPECT_EQ(cell[b].unicode(), b);
    f.grid->CellToRich(1, 2, &dst);
    EXPECT_EQ(dst.RTF(), all);
}

TEST(GridTextServices, RichDocumentShowsItsPlainText)
{
    TGridOnForm<> f;
    f.grid->SetCells(1, 1, QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 caf\\'e9\\par next}"));
    TRichEdit re(f.form.get());
    f.grid->CellToRich(1, 1, &re);
    EXPECT_EQ(re.PlainText(), QStringLiteral("caf\u00e9\nnext"));
}

TEST(GridTextServices, StrippedCellAndVersion)
{
    TGridOnForm<> f;
    f.grid->SetCells(2, 3, QStringLiteral("<b>word</b>"));
    EXPECT_EQ(f.grid->GetStrippedCell(2, 3), QStringLiteral("word"));
    EXPECT_EQ(TKvStringGrid::GetVersionNr(), 100794627u);
    EXPECT_EQ(TKvStringGrid::GetVersionString(), QStringLiteral("6.2.1.3 Sep, 2012"));
    EXPECT_EQ(f.grid->GetHiddenRowCells(3), nullptr) << "a shown row";
}

TEST(GridSearchFooter, LayoutOfTheShownAndHiddenBar)
{
    TGridOnForm<> f;
    TSearchFooter* sf = f.grid->SearchFooter();
    TSearchPanel* p = f.grid->SearchPanel();
    sf->SetHintFindNext(QStringLiteral("next"));
    sf->SetHintFindPrev(QString());
    sf->SetVisible(true);
    EXPECT_EQ(p->Height(), 32);
    EXPECT_EQ(p->Top(), f.grid->Height() - 32);
    EXPECT_EQ(p->ForwardButton()->Height(), 23);
    EXPECT_EQ(p->MatchCase()->Height(), 18);
    EXPECT_EQ(p->MatchCase()->Left(), 425);
    EXPECT_TRUE(p->ForwardButton()->ShowHint());
    EXPECT_FALSE(p->BackwardButton()->ShowHint()) << "an empty hint switches the hint off";

    struct Row { bool hilite, matchCase, prev; int left, matchHeight, prevHeight; };
    const Row rows[] = {
        {false, true, true, 330, 18, 23},
        {true, false, false, 425, 0, 0},
    };
    for (const Row& r : rows) {
        sf->SetShowHighLight(r.hilite);
        sf->SetShowMatchCase(r.matchCase);
        sf->SetShowFindPrev(r.prev);
        EXPECT_EQ(p->MatchCase()->Left(), r.left);
        EXPECT_EQ(p->MatchCase()->Height(), r.matchHeight);
        EXPECT_EQ(p->BackwardButton()->Height(), r.prevHeight);
        EXPECT_EQ(p->HiliteButton()->Height(), r.hilite ? 23 : 0);
    }
    sf->SetVisible(false);
    EXPECT_EQ(p->Height(), 0);
    EXPECT_FALSE(p->Visible());
}

TEST(GridSearchFooter, HidingWithTheHighlightDownRemovesTheMarks)
{
    TGridOnForm<> f;
    f.grid->SearchFooter()->SetVisible(true);
    f.grid->HilightInGrid(false, false, QStringLiteral("3"));
    ASSERT_NE(f.grid->Cells(1, 3), QStringLiteral("1:3"));
    f.grid->SearchPanel()->HiliteButton()->SetDown(true);
    f.grid->SearchFooter()->SetVisible(false);
    EXPECT_EQ(f.grid->Cells(1, 3), QStringLiteral("1:3"));
}

TEST(GridColumnStretch, SetterTable)
{
    struct Row {
        const char* name;
        bool parented;
        bool value;
        int column;
        bool raises;
        int expectLast, expectCol1;
    };
    // Four columns of 80 in a grid 400 wide.
    const Row rows[] = {
        {"no parent stores the flag only", false, true, -1, false, 80, 80},
        {"last column fills the width", true, true, -1, false, -2, 80},
        {"a named column fills the width", true, true, 1, false, 80, -2},
        {"off changes no width", true, false, -1, false, 80, 80},
        {"off still checks the index", true, false, 4, true, 80, 80},
        {"index at the column count", true, true, 5, true, 80, 80},
        {"index below -1", true, true, -2, true, 80, 80},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TForm form;
        form.SetBounds(0, 0, 500, 300);
        auto* g = new TKvStringGrid(&form);
        g->SetColCount(4);
        for (int c = 0; c < 4; ++c) g->SetColWidths(c, 80);
        if (r.parented) g->SetParent(&form);
        g->SetBounds(0, 0, 400, 200);
        g->ColumnSize()->SetStretchColumn(r.column);
        if (r.raises) {
            try {
                g->ColumnSize()->SetStretch(r.value);
                ADD_FAILURE() << "no exception";
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message(), QStringLiteral("Stretch column index out of range"));
            }
        } else {
            g->ColumnSize()->SetStretch(r.value);
        }
        EXPECT_EQ(g->ColumnSize()->Stretch(), r.value) << "stored first";
        // The stretched column leaves one pixel of the client width free.
        const int fill = g->GridClientWidth() - 3 * 80 - 1;
        EXPECT_EQ(g->ColWidths(3), r.expectLast == -2 ? fill : r.expectLast);
        EXPECT_EQ(g->ColWidths(1), r.expectCol1 == -2 ? fill : r.expectCol1);
    }
}

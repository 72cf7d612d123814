// The grid's drop target and drop source: what dropped text, cells, rich text,
// URLs, files and columns do to the grid, the admission and markers of a drag
// over it, the floating picture of a drag out of it, the drop events of the
// window system reaching the target, and rows dragged from one grid to another.
#include <gtest/gtest.h>

#include "grid_data/grid_ole_drop.h"
#include "grid_input/grid_click_messages.h"
#include "grid_input/wndproc_fixture.h"
#include "grid/cell_properties.h"
#include "platform/core/classes.h"
#include "platform/office/office_automation.h"
#include "platform/office/office_recording.h"
#include "platform/ui/stdctrls.h"

#include <QtCore/QDir>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtGui/QDropEvent>

namespace {

using TStep = TScriptedDragLoop::TStep;

// A grid with a header row and a fixed column on a shown form, every cell "c:r".
struct TDropGrid : TGridOnForm<> {
    TGridDropTarget target;
    std::vector<TGridRect> dropped;
    explicit TDropGrid(int Rows = 12, int Cols = 6, int W = 500, int H = 360)
        : TGridOnForm<>(Rows, Cols, W, H), target(grid)
    {
        grid->SetFixedCols(1);
        for (int c = 0; c < Cols; ++c) grid->SetColWidths(c, 60);
        grid->OnOleDropped = [this](TObject*, const TGridRect& r) { dropped.push_back(r); };
        Show();
    }
    TRect ScreenRect(int c, int r) const
    {
        const TRect R = grid->CellRect(c, r);
        const TPoint tl = grid->ClientToScreen(TPoint(R.Left, R.Top));
        return TRect(tl.X, tl.Y, tl.X + R.Width(), tl.Y + R.Height());
    }
    TPoint Screen(int c, int r) const
    {
        const TRect R = ScreenRect(c, r);
        return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    // A screen point at client coordinates of the grid.
    TPoint ScreenAt(int x, int y) const { return grid->ClientToScreen(TPoint(x, y)); }
    TPoint BelowLastRow() const
    {
        const TRect R = grid->CellRect(2, grid->RowCount() - 1);
        return ScreenAt(R.Left + 5, R.Bottom + 6);
    }
    TPoint RightOfLastColumn() const
    {
        const TRect R = grid->CellRect(grid->ColCount() - 1, 0);
        return ScreenAt(R.Right + 8, R.Top + 4);
    }
    TPoint ArrowAt(TArrowWindow* a) const { return a->ClientToScreen(TPoint(0, 0)); }
    void Tick() { grid->Perform(WM_TIMER, TKvStringGrid::GridTimerID, 0); }
};

std::unique_ptr<TMemoryStream> CellsOf(TKvStringGrid* Source, const TGridRect& R)
{
    auto ms = std::make_unique<TMemoryStream>();
    Source->SaveRectToBinStream(R, ms.get());
    return ms;
}

// Whether any cell of the grid holds the text (loads place their cells by their own rules).
bool Holds(TKvStringGrid* G, const QString& Text)
{
    for (int r = 0; r < G->RowCount(); ++r)
        for (int c = 0; c < G->ColCount(); ++c)
            if (G->Cells(c, r) == Text) return true;
    return false;
}

// The recording office for one test, with one workbook whose first cell holds Text.
struct TBookOffice : TRecordingOffice {
    TBookOffice(const QString& FileName, const QString& Text)
    {
        TBook book;
        book.FileName = FileName;
        book.Sheets[0].Set(1, 1, Text);
        book.Sheets[0].UsedRange = QStringLiteral("$A$1");
        BookFiles = {book};
        SetOfficeProvider(this);
    }
    ~TBookOffice() { SetOfficeProvider(nullptr); }
};

void WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Bytes);
}

}  // namespace

TEST(GridOleDrop, MarkerAndPicturePlacesFollowTheirCells)
{
    const TRect cell(100, 50, 160, 74);
    const auto cols = TGridDropTarget::ColumnDropArrowPlaces(cell);
    EXPECT_EQ(cols.First, TPoint(100, 74));   // up arrow under the header cell
    EXPECT_EQ(cols.Second, TPoint(100, 42));  // down arrow 8 pixels above it
    EXPECT_EQ(TGridDropTarget::CellDropArrowPlace(cell, false), TPoint(90, 50));
    EXPECT_EQ(TGridDropTarget::CellDropArrowPlace(cell, true), TPoint(90, 74));
    EXPECT_EQ(TGridDropSource::MoveFormPlace(TPoint(300, 200)), TPoint(304, 204));
    EXPECT_EQ(TGridDropSource::MoveButtonPlace(TPoint(300, 200), 22), TPoint(300, 178));
    TKvStringGrid grid;
    EXPECT_TRUE(OleInitialized()) << "the grid unit starts it with its first grid";
}

TEST(GridOleDrop, DragOverAdmitsPlacesArrowsAndHidesThemOnLeave)
{
    enum TArrows { None, Left, Column };
    struct TCase {
        const char* Name;
        TDropFormats Formats;
        int Col, Row;  // -1, -1: below the last row; -2, -2: right of the last column
        bool EntireAppend, Veto;
        bool Allow;
        TArrows Arrows;
    };
    const TCase cases[] = {
        {"text over a cell", dfText, 2, 3, false, false, true, Left},
        {"text over the header", dfText, 2, 0, false, false, false, None},
        {"grid cells over the header", dfGridCells, 2, 0, false, false, true, Left},
        {"text vetoed by the application", dfText, 2, 3, false, true, false, None},
        {"text below the rows", dfText, -1, -1, false, false, false, None},
        {"text below the rows, appending", dfText, -1, -1, true, false, true, Left},
        {"a file below the rows", dfFile, -1, -1, false, false, true, None},
        {"a column over a header cell", dfCol, 3, 0, false, false, true, Column},
        {"a column over the fixed column's header", dfCol, 0, 0, false, false, false, None},
        {"a column over a data cell", dfCol, 3, 2, false, false, false, None},
        {"a column right of the last column", dfCol, -2, -2, false, false, true, Column},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        TDropGrid d(4, 5, 500, 200);
        d.grid->DragDropSettings()->SetOleEntireRows(k.EntireAppend);
        d.grid->DragDropSettings()->SetOleAppendRows(k.EntireAppend);
        std::vector<std::pair<int, int>> asked;
        d.grid->OnOleDragOver = [&](TObject*, int r, int c, bool& allow) {
            asked.emplace_back(c, r);
            if (k.Veto) allow = false;
        };
        const TPoint pt = k.Col == -1 ? d.BelowLastRow() : k.Col == -2 ? d.RightOfLastColumn() : d.Screen(k.Col, k.Row);
        bool allow = true;
        d.target.DragMouseMove(pt, allow, k.Formats);
        EXPECT_EQ(allow, k.Allow);
        ASSERT_EQ(asked.size(), 1u);
        if (k.EntireAppend) {
            EXPECT_EQ(asked[0], std::make_pair(1, 3)) << "the last row, first scrollable column";
        }
        if (k.Col == -2) {
            EXPECT_EQ(asked[0], std::make_pair(5, 0)) << "past the last column";
        }
        EXPECT_EQ(d.grid->ArwL()->Visible(), k.Arrows == Left);
        EXPECT_EQ(d.grid->ArwD()->Visible(), k.Arrows == Column);
        EXPECT_EQ(d.grid->ArwU()->Visible(), k.Arrows == Column);
        if (k.Arrows == Left) {
            const int col = k.EntireAppend ? 1 : k.Col;
            const int row = k.EntireAppend ? 3 : std::max(k.Row, 0);
            EXPECT_EQ(d.ArrowAt(d.grid->ArwL()),
                      TGridDropTarget::CellDropArrowPlace(d.ScreenRect(col, row), k.EntireAppend));
        }
        if (k.Arrows == Column) {
            TRect header = k.Col == -2 ? d.ScreenRect(4, 0) : d.ScreenRect(k.Col, 0);
            if (k.Col == -2) header.Left = header.Right;
            const auto places = TGridDropTarget::ColumnDropArrowPlaces(header);
            EXPECT_EQ(d.ArrowAt(d.grid->ArwU()), places.First);
            EXPECT_EQ(d.ArrowAt(d.grid->ArwD()), places.Second);
        }
        d.target.DragMouseLeave();
        EXPECT_FALSE(d.grid->ArwL()->Visible() || d.grid->ArwD()->Visible() || d.grid->ArwU()->Visible());
    }
}

TEST(GridOleDrop, DragOverScrollsOneStepAndSidewaysOnlyOnEvenTicks)
{
    // 30 rows and 12 columns in a small window: rows and columns are partly out of view.
    TDropGrid d(30, 12, 330, 165);
    TKvStringGrid* g = d.grid;
    const int visibleRows = g->VisibleRowCount(), visibleCols = g->VisibleColCount();
    ASSERT_LT(visibleRows, 29);
    ASSERT_LT(visibleCols, 11);
    bool allow = true;
    // Points in the partly shown row and column at the far edges.
    auto cellAt = [&](int x, int y) {
        int c = -1, r = -1;
        g->MouseToCell(x, y, c, r);
        return std::make_pair(c, r);
    };
    const int bottomY = g->ClientHeight() - 3, rightX = g->ClientWidth() - 3;
    const TRect mid = g->CellRect(2, 2);
    ASSERT_EQ(cellAt(mid.Left + 5, bottomY).second, g->TopRow() + visibleRows);
    ASSERT_EQ(cellAt(rightX, mid.Top + 5).first, g->LeftCol() + visibleCols);

    // Over the partly shown row below the last whole one: one row down.
    d.target.DragMouseMove(d.ScreenAt(mid.Left + 5, bottomY), allow, dfText);
    EXPECT_EQ(g->TopRow(), 2);
    // Over the header with rows scrolled away: one row up (the drop itself is refused there).
    d.target.DragMouseMove(d.Screen(2, 0), allow, dfText);
    EXPECT_EQ(g->TopRow(), 1);
    EXPECT_FALSE(allow);

    // Sideways: over the partly shown column, only while the timer count is even.
    const int ticks = g->TimerTicks();
    if (ticks % 2 != 0) d.Tick();
    const int left = g->LeftCol();
    d.target.DragMouseMove(d.ScreenAt(rightX, mid.Top + 5), allow, dfText);
    EXPECT_EQ(g->LeftCol(), left + 1);
    EXPECT_EQ(g->TimerTicks() % 2, 1) << "the step counts the tick up";
    d.target.DragMouseMove(d.ScreenAt(rightX, mid.Top + 5), allow, dfText);
    EXPECT_EQ(g->LeftCol(), left + 1) << "odd tick: no second step";
    d.Tick();
    d.target.DragMouseMove(d.Screen(0, 2), allow, dfText);
    EXPECT_EQ(g->LeftCol(), left) << "over the fixed column: one column back";
    // A column drag never scrolls.
    const int top = g->TopRow();
    d.target.DragMouseMove(d.ScreenAt(mid.Left + 5, bottomY), allow, dfCol);
    EXPECT_EQ(g->TopRow(), top);
}

TEST(GridOleDrop, DroppedTextFillsCellsSelectsThemAndReportsThem)
{
    const QString twoByThree = QStringLiteral("a\tb\tc\r\nd\te\tf\r\n");
    struct TCase {
        const char* Name;
        QString Text;
        bool Insert, EntireAppend, RowSelect;
        int Col, Row;  // -1: below the last row
        TGridRect Selection;
        int RowCountGrowth;
    };
    const TCase cases[] = {
        {"two lines at (2, 3)", twoByThree, false, false, false, 2, 3, TGridRect(2, 3, 4, 4), 0},
        {"inserting the rows first", twoByThree, true, false, false, 2, 3, TGridRect(2, 3, 4, 4), 2},
        {"empty lines in the middle do not count", QStringLiteral("x\r\n\r\ny"), false, false, false, 2, 3,
         TGridRect(2, 3, 2, 4), 0},
        {"appended below the last row", twoByThree, true, true, false, -1, -1, TGridRect(1, 12, 3, 13), 2},
        {"row select starts at the first scrollable column", twoByThree, false, false, true, 3, 3,
         TGridRect(1, 3, 3, 4), 0},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        TDropGrid d;
        TKvStringGrid* g = d.grid;
        g->DragDropSettings()->SetOleInsertRows(k.Insert);
        g->DragDropSettings()->SetOleEntireRows(k.EntireAppend);
        g->DragDropSettings()->SetOleAppendRows(k.EntireAppend);
        if (k.RowSelect) g->SetOptions(g->Options() | goRowSelect);
        const int rows = g->RowCount();
        d.target.DropText(k.Col < 0 ? d.BelowLastRow() : d.Screen(k.Col, k.Row), k.Text);
        EXPECT_EQ(g->RowCount(), rows + k.RowCountGrowth);
        // Row select widens the selection to whole rows; the report keeps the cells filled.
        if (k.RowSelect) {
            EXPECT_EQ(g->Selection().Top, k.Selection.Top);
            EXPECT_EQ(g->Selection().Bottom, k.Selection.Bottom);
        } else {
            EXPECT_EQ(g->Selection(), k.Selection);
        }
        ASSERT_EQ(d.dropped.size(), 1u);
        EXPECT_EQ(d.dropped[0], k.Selection);
        const TGridRect& s = k.Selection;
        if (k.Text == twoByThree) {
            EXPECT_EQ(g->Cells(s.Left, s.Top), QStringLiteral("a"));
            EXPECT_EQ(g->Cells(s.Left + 2, s.Top + 1), QStringLiteral("f"));
        }
        if (k.Insert && !k.EntireAppend) {
            EXPECT_EQ(g->Cells(2, 5), QStringLiteral("2:3")) << "the rows that were at 3 and 4 moved down";
            EXPECT_EQ(g->Cells(2, 6), QStringLiteral("2:4"));
        }
        if (!k.Insert && k.Text == twoByThree) {
            EXPECT_EQ(g->Cells(2, 5), QStringLiteral("2:5"));
        }
        EXPECT_FALSE(g->ArwL()->Visible());
    }
}

TEST(GridOleDrop, RefusedOrOffGridTextFillsNothing)
{
    TDropGrid d;
    TKvStringGrid* g = d.grid;
    QString seen;
    g->OnOleDrop = [&](TObject*, int, int, const QString& s, bool& allow) {
        seen = s;
        allow = false;
    };
    d.target.DropText(d.Screen(2, 3), QStringLiteral("z"));
    EXPECT_EQ(seen, QStringLiteral("z"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("2:3"));
    EXPECT_TRUE(d.dropped.empty()) << "nothing was filled, so nothing is reported";

    g->OnOleDrop = nullptr;
    d.target.DropText(d.BelowLastRow(), QStringLiteral("z"));
    EXPECT_EQ(g->RowCount(), 12);
    EXPECT_TRUE(d.dropped.empty());

    // A grid that may not be edited keeps its cells; the drop still selects where it landed.
    g->SetOptions(g->Options() - TGridOptions(goEditing));
    d.target.DropText(d.Screen(2, 3), QStringLiteral("z"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("2:3"));
    EXPECT_EQ(g->Selection(), TGridRect(2, 3, 2, 3));
}

TEST(GridOleDrop, CellsRichTextAndUrlsLandOnTheCellUnderThePoint)
{
    TDropGrid d;
    TKvStringGrid* g = d.grid;
    TKvStringGrid source;
    source.SetColCount(3);
    source.SetRowCount(3);
    source.SetCells(0, 0, QStringLiteral("p"));
    source.SetCells(1, 1, QStringLiteral("q"));
    source.GetCellProperties(1, 1)->SetBrushColor(clYellow);
    auto ms = CellsOf(&source, TGridRect(0, 0, 1, 1));
    ms->SetPosition(ms->Size());  // the drop rewinds it
    d.target.DropStream(d.Screen(2, 3), ms.get());
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("p"));
    EXPECT_EQ(g->Cells(3, 4), QStringLiteral("q"));
    ASSERT_TRUE(g->HasCellProperties(3, 4));
    EXPECT_EQ(g->GetCellProperties(3, 4)->BrushColor(), clYellow);
    EXPECT_EQ(d.dropped.size(), 1u);

    // Rich text and URLs replace the cell's text unless the application refuses.
    std::vector<QString> urls;
    bool refuse = false;
    g->OnOleDrop = [&](TObject*, int, int, const QString&, bool& allow) { allow = !refuse; };
    g->OnOleDropURL = [&](TObject*, int, int, const QString& u, bool& allow) {
        urls.push_back(u);
        allow = !refuse;
    };
    d.target.DropRTF(d.Screen(1, 2), QStringLiteral("{\\rtf1 x}"));
    d.target.DropURL(d.Screen(2, 2), QStringLiteral("https://example.org/"));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("{\\rtf1 x}"));
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("https://example.org/"));
    refuse = true;
    d.target.DropRTF(d.Screen(1, 5), QStringLiteral("{\\rtf1 y}"));
    d.target.DropURL(d.Screen(2, 5), QStringLiteral("https://example.net/"));
    EXPECT_EQ(g->Cells(1, 5), QStringLiteral("1:5"));
    EXPECT_EQ(g->Cells(2, 5), QStringLiteral("2:5"));
    EXPECT_EQ(urls.size(), 2u);
}

TEST(GridOleDrop, OneDroppedCsvOrSpreadsheetFileLoadsAndSeveralAreIgnored)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("Data.csv.txt"));
    WriteFile(csv, "x,y\r\n1,2\r\n");
    TBookOffice office(QStringLiteral("/w/book.xlsx"), QStringLiteral("from the book"));

    struct TCase {
        const char* Name;
        QStringList Files;
        bool Veto;
        bool CsvLoaded, BookOpened;
    };
    const TCase cases[] = {
        {"one csv file, the extension anywhere in the name", {csv}, false, true, false},
        {"two files", {csv, csv}, false, false, false},
        {"vetoed by the file event", {csv}, true, false, false},
        {"a workbook", {QStringLiteral("/w/book.xlsx")}, false, false, true},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        office.Calls.clear();
        TDropGrid d;
        std::vector<QString> asked;
        d.grid->OnOleDropFile = [&](TObject*, int, int, const QString& f, bool& allow) {
            asked.push_back(f);
            allow = !k.Veto;
        };
        TStringList files;
        for (const QString& f : k.Files) files.Add(f);
        d.target.DropFiles(d.Screen(2, 2), &files);
        EXPECT_EQ(Holds(d.grid, QStringLiteral("x")), k.CsvLoaded);
        EXPECT_EQ(Holds(d.grid, QStringLiteral("2:2")), !k.CsvLoaded && !k.BookOpened) << "the cells were kept";
        EXPECT_EQ(office.Calls.contains(QStringLiteral("WorkBooks.Open(/w/book.xlsx)")), k.BookOpened);
        EXPECT_EQ(asked.size(), k.Files.size() == 1 ? 1u : 0u);
    }
}

TEST(GridOleDrop, ColumnsDroppedOnTheHeaderMove)
{
    {
        SCOPED_TRACE("reordering within the grid");
        TDropGrid d(5, 6);
        TKvStringGrid* g = d.grid;
        g->DragDropSettings()->SetOleColumnReorder(true);
        std::vector<std::pair<int, int>> reported;
        g->OnOleDropCol = [&](TObject*, int, int c, int col) { reported.emplace_back(c, col); };
        d.target.DropCol(d.RightOfLastColumn(), 1);
        EXPECT_EQ(g->Cells(5, 1), QStringLiteral("1:1")) << "right of the last column: moved to the last place";
        EXPECT_EQ(g->Cells(1, 1), QStringLiteral("2:1"));
        d.target.DropCol(d.Screen(2, 0), 2);
        EXPECT_EQ(reported, (std::vector<std::pair<int, int>>{{5, 1}, {2, 2}}));
        g->DragDropSettings()->SetOleColumnReorder(false);
        d.target.DropCol(d.Screen(1, 0), 4);
        EXPECT_EQ(g->Cells(1, 1), QStringLiteral("2:1")) << "without reordering only the event";
        EXPECT_EQ(reported.size(), 3u);
    }
    {
        SCOPED_TRACE("a hidden column dragged back from the application's list");
        TDropGrid d(5, 6);
        TKvStringGrid* g = d.grid;
        g->SetColumnOrder();
        g->HideColumn(4);
        auto* list = new TListBox(d.form.get());
        list->SetParent(d.form.get());
        list->Items()->Add(QStringLiteral("column 4"));
        list->Items()->Add(QStringLiteral("other"));
        g->OleColumnDragStart(4, 0, list);
        d.target.DropCol(d.Screen(2, 0), 4);
        EXPECT_EQ(g->OleDragCol(), -1);
        EXPECT_EQ(list->Items()->Count(), 1);
        EXPECT_EQ(list->Items()->Strings(0), QStringLiteral("other"));
        EXPECT_EQ(g->ColCount(), 6);
        EXPECT_EQ(g->Cells(2, 1), QStringLiteral("4:1")) << "shown again where it was dropped";
        // A column the grid does not have moves nothing and keeps its list entry.
        g->OleColumnDragStart(40, 0, list);
        d.target.DropCol(d.Screen(1, 0), 40);
        EXPECT_EQ(list->Items()->Count(), 1);
        EXPECT_EQ(g->Cells(1, 1), QStringLiteral("1:1"));
        EXPECT_EQ(g->OleDragCol(), -1);
    }
}

TEST(GridOleDropSource, ThePictureFollowsTheCursorAndTheEndFreesIt)
{
    for (bool showCells : {true, false}) {
        SCOPED_TRACE(showCells ? "with the cells' picture" : "with the header button");
        TGridOnForm<> f(8, 4, 400, 200);
        f.Show();
        TKvStringGrid* g = f.grid;
        TKeyStateScope keys{VK_LBUTTON};
        g->SetOptions(g->Options() - TGridOptions(goEditing));
        g->DragDropSettings()->SetOleDropSource(true);
        g->DragDropSettings()->SetShowCells(showCells);
        g->SetSelection(TGridRect(1, 2, 2, 3));
        std::vector<DWORD> lastEffects;
        bool pictureDuring = false, pictureAfter = true;
        TPoint placed, expected;
        TDragLoopScope loop([&](const std::shared_ptr<IDataObject>&, IDropSource* Source, DWORD, DWORD& Effect) {
            auto* src = dynamic_cast<TGridDropSource*>(Source);
            EXPECT_NE(src, nullptr) << "the drag start makes the grid's own source";
            if (!src) return DRAGDROP_S_CANCEL;
            Mouse->SetCursorPos(g->ClientToScreen(TPoint(150, 120)));
            src->QueryContinueDrag(false, MK_LBUTTON);
            const TPoint cursor = Mouse->CursorPos();
            pictureDuring = g->MoveForm() != nullptr;
            if (showCells && g->MoveForm()) {
                placed = TPoint(g->MoveForm()->Left(), g->MoveForm()->Top());
                expected = TGridDropSource::MoveFormPlace(cursor);
            } else if (!showCells) {
                THeaderDragButton* b = g->MoveButton();
                placed = TPoint(b->Left(), b->Top());  // a window of its own: screen bounds
                expected = TGridDropSource::MoveButtonPlace(cursor, g->MoveButton()->Height());
            }
            for (DWORD e : {DWORD(DROPEFFECT_MOVE), DWORD(DROPEFFECT_NONE), DWORD(DROPEFFECT_LINK),
                            DWORD(DROPEFFECT_COPY)}) {
                src->GiveFeedback(e);
                lastEffects.push_back(src->LastEffect());
            }
            src->QueryContinueDrag(false, 0);
            pictureAfter = g->MoveForm() != nullptr;
            Effect = DROPEFFECT_COPY;
            return DRAGDROP_S_DROP;
        });
        const TRect R = g->CellRect(1, 2);
        const TPoint p((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        g->Perform(WM_LBUTTONDOWN, ssLeft, ClickAt(p.X, p.Y));
        g->Perform(WM_MOUSEMOVE, ssLeft, ClickAt(p.X + 10, p.Y));
        EXPECT_EQ(pictureDuring, showCells);
        EXPECT_FALSE(pictureAfter) << "the end of the drag frees the picture";
        EXPECT_EQ(placed, expected);
        EXPECT_EQ(lastEffects, (std::vector<DWORD>{DROPEFFECT_MOVE, DROPEFFECT_MOVE, DROPEFFECT_MOVE,
                                                   DROPEFFECT_COPY}));
    }
}

TEST(GridOleDrop, DropEventsOfTheWindowSystemReachTheRightOperation)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("in.CSV"));
    WriteFile(csv, "k,l\r\n");
    TBookOffice office(QStringLiteral("/w/sheet.xlsx"), QStringLiteral("book"));

    TKvStringGrid cellsSource;
    cellsSource.SetColCount(2);
    cellsSource.SetRowCount(2);
    cellsSource.SetCells(0, 0, QStringLiteral("cell"));
    auto cells = CellsOf(&cellsSource, TGridRect(0, 0, 0, 0));

    struct TCase {
        const char* Name;
        std::function<QMimeData*()> Mime;
        int Col, Row;
        QString Text;
    };
    auto files = [](QStringList names) {
        auto* m = new QMimeData;
        QList<QUrl> urls;
        for (const QString& n : names) urls << QUrl::fromLocalFile(n);
        m->setUrls(urls);
        return m;
    };
    const TCase cases[] = {
        {"text", [] { auto* m = new QMimeData; m->setText(QStringLiteral("t1\tt2")); return m; }, 2, 3,
         QStringLiteral("t1")},
        {"one csv file", [&] { return files({csv}); }, -1, -1, QStringLiteral("k")},
        {"two files", [&] { return files({csv, csv}); }, 2, 3, QStringLiteral("2:3")},
        {"a workbook", [&] { return files({QStringLiteral("/w/sheet.xlsx")}); }, -1, -1, QStringLiteral("book")},
        {"grid cells",
         [&] {
             TSourceDataObject data;
             data.memstr = cells.get();
             return MimeFromDataObject(&data);
         },
         2, 3, QStringLiteral("cell")},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        TDropGrid d;
        TKvStringGrid* g = d.grid;
        g->DragDropSettings()->SetOleDropTarget(true);
        ASSERT_TRUE(g->DragDropSettings()->DropTargetRegistered());
        ASSERT_NE(g->OleDropTargetObject(), nullptr);
        QWidget* w = g->InputWidget();
        const TRect R = g->CellRect(2, 3);
        const QPointF at = w->mapFrom(g, QPoint(R.Left + 5, R.Top + 5));
        std::unique_ptr<QMimeData> mime(k.Mime());
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QApplication::sendEvent(w, &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction | Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QApplication::sendEvent(w, &move);
        EXPECT_TRUE(move.isAccepted());
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, mime.get(), Qt::NoButton, {});
        QApplication::sendEvent(w, &drop);
        EXPECT_TRUE(drop.isAccepted());
        if (k.Col < 0) {
            EXPECT_TRUE(Holds(g, k.Text));
        } else {
            EXPECT_EQ(g->Cells(k.Col, k.Row), k.Text);
        }
        // Turned off, the window takes no drops.
        g->DragDropSettings()->SetOleDropTarget(false);
        EXPECT_FALSE(w->acceptDrops());
    }
}

TEST(GridOleDrop, RowsDraggedToAnotherGridMoveThere)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 700, 260);
    auto make = [&](int left, const QString& tag) {
        auto* g = new TKvStringGrid(form.get());
        g->SetParent(form.get());
        g->SetBounds(left, 10, 330, 230);
        g->SetColCount(3);
        g->SetRowCount(6);
        g->SetFixedCols(0);
        for (int c = 0; c < 3; ++c) {
            g->SetColWidths(c, 100);
            g->SetCells(c, 0, QStringLiteral("%1 %2").arg(tag).arg(c));
            for (int r = 1; r < 6; ++r) g->SetCells(c, r, QStringLiteral("%1%2:%3").arg(tag).arg(c).arg(r));
        }
        return g;
    };
    TKvStringGrid* source = make(10, QStringLiteral("S"));
    TKvStringGrid* target = make(360, QStringLiteral("T"));
    source->SetOptions((source->Options() | goRowSelect) - TGridOptions(goEditing));
    source->DragDropSettings()->SetOleDropSource(true);
    source->DragDropSettings()->SetOleRemoveRows(true);
    target->SetOptions(target->Options() | goEditing | goRowSelect);
    target->DragDropSettings()->SetOleDropTarget(true);
    target->DragDropSettings()->SetOleInsertRows(true);
    form->Show();
    QApplication::processEvents();
    source->SetSelection(TGridRect(0, 2, 2, 3));

    TKeyStateScope keys{VK_LBUTTON};
    TScriptedDragLoop script;
    script.Target = target->OleDropTargetObject();
    const TRect drop = target->CellRect(1, 4);
    script.Pt = target->ClientToScreen(TPoint(drop.Left + 5, drop.Top + 5));
    script.Steps = {TStep{MK_LBUTTON}, TStep{MK_LBUTTON}, TStep{0}};
    TDragLoopScope loop(script.Loop());
    std::vector<uint32_t> stops;
    source->OnOleDragStop = [&](TObject*, uint32_t e) { stops.push_back(e); };
    const TRect R = source->CellRect(1, 2);
    const TPoint p((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    source->Perform(WM_LBUTTONDOWN, ssLeft, ClickAt(p.X, p.Y));
    source->Perform(WM_MOUSEMOVE, ssLeft, ClickAt(p.X + 12, p.Y + 2));
    QApplication::processEvents();

    ASSERT_EQ(script.Runs, 1);
    EXPECT_EQ(script.Result, DRAGDROP_S_DROP);
    EXPECT_EQ(stops, std::vector<uint32_t>{DROPEFFECT_MOVE});
    // The rows left the source ...
    EXPECT_EQ(source->RowCount(), 4);
    EXPECT_EQ(source->Cells(0, 2), QStringLiteral("S0:4"));
    // ... and were inserted in the target at the drop row.
    EXPECT_EQ(target->RowCount(), 8);
    EXPECT_EQ(target->Cells(0, 4), QStringLiteral("S0:2"));
    EXPECT_EQ(target->Cells(2, 5), QStringLiteral("S2:3"));
    EXPECT_EQ(target->Cells(0, 6), QStringLiteral("T0:4"));
    EXPECT_EQ(target->Selection().Top, 4);
    EXPECT_EQ(target->Selection().Bottom, 5);

    const QString path = QDir(QStringLiteral(KV_TEST_BINARY_DIR)).filePath(QStringLiteral("grid_ole_row_drop.png"));
    EXPECT_TRUE(form->grab().toImage().save(path));
}

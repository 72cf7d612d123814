// Cells onto the clipboard: the tab-separated text of a rectangle, the top-left cell's
// rich text and the binary cell records, the copy and cut of the save range and of the
// selection, and the selection as text.
#include "grid/kv_string_grid.h"

#include "grid/cell_paint.h"
#include "grid/grid_text.h"
#include "grid/grid_undo_redo.h"
#include "grid_data/grid_binary_io.h"
#include "grid_data/grid_exchange.h"
#include "platform/core/classes.h"
#include "platform/core/codepages.h"
#include "platform/core/large_buffers.h"
#include "platform/ui/clipboard.h"

#include <vector>

namespace {

// The characters with which the rewrites of a clipboard cell start: a line break, the
// wide-text mark |\, rich text {\ and closing tags </. A cell without any of them goes
// out as it is, which is what nearly every cell does.
bool MayNeedClipboardRewrite(const QString& Text)
{
    for (const QChar ch : Text) {
        const char16_t u = ch.unicode();
        if (u == u'\r' || u == u'|' || u == u'{' || u == u'<') return true;
    }
    return false;
}

} // namespace

QString TKvStringGrid::RectToClipboardText(const TGridRect& R, bool DisjunctOnly)
{
    FClipOrigin = TPoint(R.Left, R.Top);
    const bool rowSel = FMouseActions->DisjunctRowSelect();
    const bool colSel = FMouseActions->DisjunctColSelect();
    const bool persistent = FMouseActions->RowSelectPersistent();
    const bool multiRow = R.Bottom > R.Top;
    const bool stripTags = !FNavigation->CopyHTMLTagsToClipboard();

    // The columns written, each with its real index and whether a tab follows it (every
    // one but the rectangle's last column).
    struct TClipColumn {
        int Real;
        bool Tab;
    };
    std::vector<TClipColumn> columns;
    for (int c = R.Left; c <= R.Right; ++c)
        if (!(DisjunctOnly && colSel && !ColSelect(c))) columns.push_back({DisplToRealColumn(c), c != R.Right});

    ExportNotification(esExportStart, -1);
    QString text;
    qint64 done = 0;
    const qint64 total = qint64(R.Bottom) - R.Top + 1;
    QString s;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        if (DisjunctOnly && rowSel && !colSel && !RowSelect(persistent ? RealRowIndex(r) : r)) continue;
        // Sized once from the first rows, so that a large copy is not copied as it grows.
        // A new buffer takes the text written only (a reallocation would copy all the room).
        if (const qsizetype size = ExpectedExportSize(text.size(), 0, done, total); size > text.capacity()) {
            QString bigger;
            bigger.reserve(size);
            AdviseLargeBuffer(bigger.data(), size_t(bigger.capacity()) * sizeof(QChar));
            bigger.append(text.constData(), text.size());
            text.swap(bigger);
        }
        ++done;
        ExportNotification(esExportNewRow, r);
        for (const TClipColumn& col : columns) {
            const int rc = col.Real;
            GetSaveCellText(rc, r, s);
            if (MayNeedClipboardRewrite(s)) {
                if (s.startsWith(QLatin1String("|\\"))) s = DecodeWideCellText(s);
                if (s.contains(QLatin1Char('\r'))) s = QLatin1Char('"') + CRToLF(s) + QLatin1Char('"');
                if (stripTags) {
                    if (s.contains(QLatin1String("</"))) s = GetStrippedCell(rc, r);
                } else if (s.contains(QLatin1String("{\\"))) {
                    s = RichCellPlainText(s);
                }
                if (ExcelClipboardFormat && CountLines(s, MultilineCells) > 1) QuoteMultiLineCell(s);
            }
            text += s;
            if (col.Tab) text += QLatin1Char('\t');
        }
        if (multiRow) text += QLatin1String("\r\n");
    }
    ExportNotification(esExportDone, -1);
    return text;
}

void TKvStringGrid::CopyCellAsRTF(int ACol, int ARow)
{
    const QString s = Cells(ACol, ARow);
    if (!s.contains(QLatin1String("{\\"))) return;
    // UTF-16 code units and a 0 unit, as the paste reads them back.
    QByteArray block(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    block.append(2, '\0');
    Clipboard()->Open();
    Clipboard()->SetFormat(RichTextClipboardFormat(), block);
    Clipboard()->Close();
}

void TKvStringGrid::CopyRectAsGridCells(const TGridRect& R)
{
    TMemoryStream ms;
    SaveRectToBinStream(R, &ms);
    const std::vector<uint8_t>& bytes = ms.Bytes();
    Clipboard()->Open();
    Clipboard()->SetFormat(GridCellsClipboardFormatName(),
                           QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    Clipboard()->Close();
}

void TKvStringGrid::CopyRectToClipboard(const TGridRect& R, bool DisjunctOnly)
{
    const QString text = RectToClipboardText(R, DisjunctOnly);
    // One clipboard content: the text replaces what was there, the other formats join it.
    struct TOpenClipboard {
        TOpenClipboard() { Clipboard()->Open(); }
        ~TOpenClipboard() { Clipboard()->Close(); }
    } open;
    Clipboard()->SetAsText(text);
    if (FNavigation->AllowRTFClipboard()) CopyCellAsRTF(R.Left, R.Top);
    if (FNavigation->AllowFmtClipboard()) CopyRectAsGridCells(R);
}

void TKvStringGrid::ExtendSelectionToMergedCells()
{
    TGridRect s = Selection();
    const TGridRect old = s;
    if (IsMergedCell(s.Left, s.Top)) {
        const TPoint b = BaseCell(s.Left, s.Top);
        s.Left = std::min(s.Left, b.X);
        s.Top = std::min(s.Top, b.Y);
    }
    if (IsMergedCell(s.Right, s.Bottom)) {
        const TPoint b = BaseCell(s.Right, s.Bottom);
        const TPoint span = CellSpan(b.X, b.Y);
        s.Right = std::max(s.Right, b.X + span.X);
        s.Bottom = std::max(s.Bottom, b.Y + span.Y);
    }
    if (!(s == old)) SetSelection(s);
}

void TKvStringGrid::CopyToClipBoard()
{
    CopyRectToClipboard(TGridRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), false);
    FLastClipOperation = coCopy;
}

void TKvStringGrid::CopySelectionToClipboard()
{
    ExtendSelectionToMergedCells();
    const bool fmt = FNavigation->AllowFmtClipboard();
    if (FMouseActions->DisjunctRowSelect() && !fmt)
        CopyRectToClipboard(
            TGridRect(FixedCols(), SaveStartRow(), ColCount() - FFixedRightCols - 1, SaveEndRow()), true);
    else if (!FMouseActions->DisjunctRowSelect() && FMouseActions->DisjunctColSelect() && !fmt)
        CopyRectToClipboard(TGridRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), true);
    else
        CopyRectToClipboard(Selection(), false);
    FLastClipOperation = coCopy;
}

void TKvStringGrid::CopyToClipBoardAsHTML()
{
    // The header's offsets count bytes of the single-byte text: characters the code page
    // lacks (a surrogate pair among them) are first reduced to their one '?' byte, so that
    // each character counted is one byte written.
    QString html = AnsiToUnicode(UnicodeToAnsi(SaveToHTMLString(QString())));
    BuildHTMLClipboardText(html);
    const QByteArray bytes = UnicodeToAnsi(html);
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->SetFormat(HTMLClipboardFormatName(), bytes);
    Clipboard()->SetAsText(html);
    Clipboard()->Close();
}

void TKvStringGrid::CutToClipboard()
{
    const TGridRect range(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow());
    CopyRectToClipboard(range, false);
    const bool always = FNavigation->AllowClipboardAlways();
    for (int r = range.Top; r <= range.Bottom; ++r) {
        for (int c = range.Left; c <= range.Right; ++c) {
            const int rc = DisplToRealColumn(c);
            if (always || IsEditable(rc, r)) SetCellEx(rc, r, QString());
        }
        if (FShowModified->Enabled()) SetRowModified(r, true);
    }
    FLastClipOperation = coCut;
}

void TKvStringGrid::CutSelectionToClipboard()
{
    const TGridRect sel = Selection();
    CopySelectionToClipboard();
    const bool persistent = FMouseActions->RowSelectPersistent();
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) {
            if (!RowSelect(persistent ? RealRowIndex(r) : r)) continue;
            ClearRows(r, 1);
            if (FShowModified->Enabled()) SetRowModified(r, true);
        }
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c)) ClearCols(c, 1);
    } else {
        const bool always = FNavigation->AllowClipboardAlways();
        if (UndoRedo()) UndoRedo()->StartSequence();
        for (int c = sel.Left; c <= sel.Right; ++c) {
            const int rc = RealColIndex(c);
            for (int r = sel.Top; r <= sel.Bottom; ++r) {
                if (!always && !IsEditable(rc, r)) continue;
                if (UndoRedo()) UndoRedo()->RegisterChange(rc, r, Cells(rc, r), QString());
                SetCellEx(rc, r, QString());
            }
        }
        if (FShowModified->Enabled())
            for (int r = sel.Top; r <= sel.Bottom; ++r) SetRowModified(r, true);
        if (UndoRedo()) UndoRedo()->StopSequence();
        if (FNavigation->AllowFmtClipboard()) FreeCellPropertiesRect(sel.Left, sel.Top, sel.Right, sel.Bottom);
    }
    FLastClipOperation = coCut;
    if (OnCellsChanged) OnCellsChanged(this, sel);
    if (FNumHiddenColumns > 0) Invalidate();
}

QString TKvStringGrid::GetSelectionAsText()
{
    return RectToClipboardText(Selection(), false);
}

// Cells from the clipboard: the grid's own cell records, a rich-text cell or
// tab-separated text, and the smart fill that continues a pasted value, series or
// block over a larger selection.
#include "grid/kv_string_grid.h"

#include "grid/grid_text.h"
#include "grid/grid_undo_redo.h"
#include "grid_data/grid_binary_io.h"
#include "platform/core/classes.h"
#include "platform/core/datetime.h"
#include "platform/core/sysutils.h"
#include "platform/ui/clipboard.h"

namespace {

// A field that held line breaks comes quoted: the quotes go, characters 11 become CR LF.
QString UnquoteField(QString Field)
{
    if (!Field.contains(QLatin1Char('\n'))) return Field;
    if (Field.startsWith(QLatin1Char('"'))) Field.remove(0, 1);
    const qsizetype q = Field.indexOf(QLatin1Char('"'));
    if (q >= 0 && q == Field.size() - 1) Field.chop(1);
    Char11ToCRLF(Field);
    return Field;
}

// Whether the floating footer takes the grid's last row, which growth keeps last.
bool FooterTakesLastRow(const TKvStringGrid& G)
{
    return G.FloatingFooter() && G.FloatingFooter()->Visible() && G.FloatingFooter()->FooterStyle() == fsFixedLastRow;
}

// The grid record at the start of a cell stream.
TGridPropIO ReadGridRecord(const QByteArray& Block)
{
    TComponentReader rd(reinterpret_cast<const uint8_t*>(Block.constData()), size_t(Block.size()));
    TGridPropIO gp;
    gp.Read(rd.ReadRecord());
    return gp;
}

}  // namespace

void TKvStringGrid::PasteCell(int ACol, int ARow, const QString& Value)
{
    const int c = DisplToRealColumn(ACol);
    if (UndoRedo()) UndoRedo()->RegisterChange(ACol, ARow, Value, GetCellEx(c, ARow));
    if (HasCheckBox(c, ARow))
        ChangeCheckBoxState(c, ARow, Value == CheckTrue());
    else
        SetCellEx(c, ARow, Value);
    if (c != ACol) RepaintCell(ACol, ARow);
}

void TKvStringGrid::MarkRowsModified(const TPoint& TopLeft, const TRect& Rect, TClipOperation LastOp)
{
    (void)TopLeft;
    (void)LastOp;
    if (!FShowModified->Enabled()) return;
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) SetRowModified(r, true);
}

void TKvStringGrid::MeasureClipboardText(const QString& Text, int& Cols, int& Rows)
{
    Cols = 0;
    int breaks = 0, empty = 0;
    qsizetype pos = 0;
    const qsizetype n = Text.size();
    while (pos <= n) {
        qsizetype end = Text.indexOf(QLatin1Char('\r'), pos);
        const bool hasBreak = end >= 0;
        if (!hasBreak) end = n;
        const QString line = Text.mid(pos, end - pos);
        Cols = std::max(Cols, int(line.count(QLatin1Char('\t'))) + 1);
        if (hasBreak) ++breaks;
        if (line.isEmpty()) ++empty;
        if (!hasBreak) break;
        pos = end + 1;
        if (pos < n && Text[pos] == QLatin1Char('\n')) ++pos;
    }
    Rows = breaks - empty;
}

int TKvStringGrid::PasteTextAt(int ACol, int ARow, int& Rows, int& Cols, const QString& Text)
{
    Rows = 0;
    Cols = 0;
    if (ACol < 0 || ARow < 0) return 0;
    const bool always = FNavigation->AllowClipboardAlways();
    if (!Options().Contains(goEditing) && !always && !FMouseActions->RangeSelectAndEdit()) return 0;
    const bool colGrow = FNavigation->AllowClipboardColGrow();
    const bool rowGrow = FNavigation->AllowClipboardRowGrow();
    const bool fixedLast = FooterTakesLastRow(*this);

    if (UndoRedo()) UndoRedo()->StartSequence();
    int n = 0, c = ACol, r = ARow, maxCol = ACol, maxRow = ARow;
    // A field is stored only inside the grid, after the growth the settings allow:
    // fields beyond it are dropped rather than kept where the grid may later grow.
    auto store = [&](QString Field, bool LastOfLine) {
        if (c >= ColCount() && colGrow) SetColCount(c + 1);
        if (c >= ColCount() || r >= RowCount()) return false;
        if (!always && !IsEditable(DisplToRealColumn(c), r)) return false;
        bool allow = true;
        const bool wide = Field.startsWith(QLatin1String("|\\"));
        if (wide) {
            QString w = DecodeWideCellText(Field);
            if (OnClipboardBeforePasteWideCell) OnClipboardBeforePasteWideCell(this, c, r, w, allow);
            Field = EncodeWideCellText(w);
        } else if (OnClipboardBeforePasteCell) {
            OnClipboardBeforePasteCell(this, c, r, Field, allow);
        }
        if (!allow) return true;
        PasteCell(c, r, Field);
        maxCol = std::max(maxCol, c);
        maxRow = std::max(maxRow, r);
        if (wide && !LastOfLine) {
            if (OnClipboardAfterPasteWideCell) OnClipboardAfterPasteWideCell(this, c, r, DecodeWideCellText(Field));
        } else if (OnClipboardAfterPasteCell) {
            OnClipboardAfterPasteCell(this, c, r, Field);
        }
        return true;
    };

    const qsizetype len = Text.size();
    qsizetype pos = 0;
    for (;;) {
        qsizetype end = Text.indexOf(QLatin1Char('\r'), pos);
        const bool hasBreak = end >= 0;
        if (!hasBreak) end = len;
        const QString line = Text.mid(pos, end - pos);
        qsizetype next = end + 1;
        if (hasBreak && next < len && Text[next] == QLatin1Char('\n')) ++next;
        const bool moreText = hasBreak && next < len;
        ++Rows;
        ImportNotification(FPasteWholeGrid ? isImportNewRow : isImportSelRow, r);
        if (!line.isEmpty() && FNavigation->ClipboardPasteAction() == paInsert) InsertRows(r, 1);
        Cols = 1;
        const QStringList fields = line.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i + 1 < fields.size(); ++i) {
            ++Cols;
            store(UnquoteField(fields[i]), false);
            ++n;
            ++c;
        }
        const QString last = UnquoteField(fields.last());
        // A final line break leaves one empty line, walked but not stored.
        if ((hasBreak || !last.isEmpty()) && store(last, true)) ++c;
        ++n;
        if (!hasBreak) break;
        pos = next;
        c = ACol;
        if (moreText) {
            ++r;
            if (r == RowCount() - (fixedLast ? 1 : 0) && rowGrow) SetRowCount(RowCount() + 1);
        }
    }
    if (UndoRedo()) UndoRedo()->StopSequence();
    MarkRowsModified(FClipOrigin, TRect(ACol, ARow, maxCol, maxRow), FLastClipOperation);
    CellsChanged(TGridRect(DisplToRealColumn(ACol), ARow, DisplToRealColumn(maxCol), maxRow));
    return n;
}

int TKvStringGrid::PasteFromClipboardAt(int ACol, int ARow, int& Rows, int& Cols)
{
    Rows = Cols = 0;
    TClipboard* cb = Clipboard();
    if (AllowFMTClipboard() && cb->HasFormat(GridCellsClipboardFormatName())) {
        PasteStart();
        const QByteArray block = cb->GetFormat(GridCellsClipboardFormatName());
        const TGridPropIO gp = ReadGridRecord(block);
        // Every cell of the rectangle has a record of a few dozen bytes: counts beyond
        // that mark a foreign block, which must not grow the grid.
        if (gp.ColCount < 0 || gp.RowCount < 0 || int64_t(gp.ColCount) * gp.RowCount > block.size() / 16)
            throw EReadError(QStringLiteral("Invalid stream format"));
        const bool rowGrow = FNavigation->AllowClipboardRowGrow(), colGrow = FNavigation->AllowClipboardColGrow();
        if (colGrow && gp.ColCount + ACol >= ColCount()) SetColCount(gp.ColCount + ACol);
        if (rowGrow && gp.RowCount + ARow >= RowCount()) SetRowCount(gp.RowCount + ARow);
        if (FNavigation->ClipboardPasteAction() == paInsert && gp.RowCount > 0) InsertRows(ARow, gp.RowCount);
        TMemoryStream ms;
        ms.WriteBuffer(block.constData(), block.size());
        ms.SetPosition(0);
        LoadAtPointFromBinStream(TPoint(ACol, ARow), &ms);
        const TRect pasted(ACol, ARow, ACol + gp.ColCount - 1, ARow + gp.RowCount - 1);
        MarkRowsModified(gp.ID == BinStreamID() ? FClipOrigin : TPoint(-1, -1), pasted, FLastClipOperation);
        Rows = RowCount();
        Cols = ColCount();
        PasteDone();
        return gp.ColCount * gp.RowCount;
    }
    if (FNavigation->AllowRTFClipboard() && cb->HasFormat(RichTextClipboardFormat())) {
        const QByteArray block = cb->GetFormat(RichTextClipboardFormat());
        QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(block.constData()), block.size() / 2);
        const qsizetype zero = text.indexOf(QChar(0));
        if (zero >= 0) text.truncate(zero);
        if (IsEditable(DisplToRealColumn(ACol), ARow)) PasteCell(ACol, ARow, text);
        Rows = Cols = 1;
        return 0;
    }
    const QString text = cb->AsText();
    return text.isEmpty() ? 0 : PasteTextAt(ACol, ARow, Rows, Cols, text);
}

void TKvStringGrid::PasteFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteWholeGrid = true;
    int rows = 0, cols = 0;
    PasteFromClipboardAt(SaveStartCol(), SaveStartRow(), rows, cols);
    FPasteWholeGrid = false;
    ImportNotification(isImportDone, -1);
    CellsLoaded();
}

void TKvStringGrid::PasteSelectionFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteWholeGrid = false;
    ExtendSelectionToMergedCells();
    const TGridRect sel = Selection();
    int rows = 0, cols = 0;
    const int n = Options().Contains(goRowSelect) ? PasteFromClipboardAt(FixedCols(), sel.Top, rows, cols)
                                                  : PasteFromClipboardAt(sel.Left, sel.Top, rows, cols);
    if (!FNavigation->AllowSmartClipboard()) return;
    const int cells = (sel.Right - sel.Left + 1) * (sel.Bottom - sel.Top + 1);
    if (cells == n - 1) return;

    const bool always = FNavigation->AllowClipboardAlways();
    auto editable = [&](int c, int r) { return always || IsEditable(DisplToRealColumn(c), r); };
    // One cell of a fill: the before event, the write, the modified mark and the after event.
    auto fill = [&](int c, int r, QString Value, bool Events) {
        bool allow = true;
        if (Events && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, c, r, Value, allow);
        if (!allow) return;
        PasteCell(c, r, Value);
        MarkRowsModified(TPoint(sel.Left, sel.Top), TRect(c, r, c, r), coCopy);
        if (Events && OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, c, r, Value);
    };

    PasteStart();
    if (n == 1 && cells > 1) {
        QString value = Cells(sel.Left, sel.Top);
        bool state = false;
        if (HasCheckBox(sel.Left, sel.Top) && GetCheckBoxState(sel.Left, sel.Top, state))
            value = state ? CheckTrue() : CheckFalse();
        for (int c = sel.Left; c <= sel.Right; ++c)
            for (int r = sel.Top; r <= sel.Bottom; ++r)
                if (editable(c, r)) fill(c, r, value, !(c == sel.Left && r == sel.Top));
    }
    PasteDone();

    const bool oneCol = sel.Left == sel.Right, oneRow = sel.Top == sel.Bottom;
    if (n > 1 && (oneCol || oneRow) && !(oneCol && oneRow)) {
        const QString s1 = Cells(sel.Left, sel.Top);
        const QString s2 = oneRow ? Cells(sel.Left + 1, sel.Top) : Cells(sel.Left, sel.Top + 1);
        const QChar timeSep = GetTimeSeparator(), dateSep = GetDateSeparator(), decSep = GetDecimalSeparator();
        auto each = [&](const std::function<void(int c, int r)>& F) {
            for (int c = sel.Left; c <= sel.Right; ++c)
                for (int r = sel.Top; r <= sel.Bottom; ++r)
                    if (editable(c, r)) F(c, r);
        };
        const bool dates = (LooksLikeDate(s1) || s1.contains(timeSep)) && (LooksLikeDate(s2) || s2.contains(timeSep));
        if (dates) {
            TDateTime d1 = 0, d2 = 0;
            if (!TryStrToDateTime(s1, d1) || !TryStrToDateTime(s2, d2)) return;
            int y1, m1, a1, y2, m2, a2;
            DecodeDate(d1, y1, m1, a1);
            DecodeDate(d2, y2, m2, a2);
            const bool asTime = !s1.contains(dateSep);
            TDateTime cur = d1;
            try {
                each([&](int c, int r) {
                    fill(c, r, asTime ? TimeToStr(cur) : DateToStr(cur), !(c == sel.Left && r == sel.Top));
                    cur = AddToDate(short(y2 - y1), short(m2 - m1), short(a2 - a1), cur, d2 - d1);
                });
            } catch (const EConvertError&) {
            }
            CellsChanged(sel);
            return;
        }
        if (s1.contains(decSep) || s2.contains(decSep)) {
            double f1 = 0, f2 = 0;
            if (!TryStrToFloat(s1, f1) || !TryStrToFloat(s2, f2)) return;
            double cur = f1;
            each([&](int c, int r) {
                fill(c, r, Format(FFloatFormat, {cur}), !(c == sel.Left && r == sel.Top));
                cur += f2 - f1;
            });
            CellsChanged(sel);
            return;
        }
        qint64 i1 = 0, i2 = 0;
        if (TryStrToInt64(s1, i1) && TryStrToInt64(s2, i2)) {
            qint64 cur = i1;
            each([&](int c, int r) {
                fill(c, r, QString::number(cur), !(c == sel.Left && r == sel.Top));
                cur += i2 - i1;
            });
            CellsChanged(sel);
            return;
        }
        // A repeated block: each cell takes the text n - 1 cells before it.
        const int step = n - 1;
        if (step > 0) {
            if (oneCol) {
                for (int r = sel.Top + step; r <= sel.Bottom; ++r)
                    if (editable(sel.Left, r)) fill(sel.Left, r, Cells(sel.Left, r - step), r != sel.Top);
            } else {
                for (int c = sel.Left + step; c <= sel.Right; ++c)
                    if (editable(c, sel.Top)) fill(c, sel.Top, Cells(c - step, sel.Top), c != sel.Left);
            }
        }
    }

    if (!oneCol && !oneRow) {
        int rr = 0, cc = 0;
        if (rows == 1) {
            for (int r = sel.Top + 1; r <= sel.Bottom; ++r) {
                SetRow(r);
                PasteFromClipboardAt(sel.Left, r, rr, cc);
                SetSelection(sel);
            }
        } else if (cols == 1) {
            for (int c = sel.Left + 1; c <= sel.Right; ++c) {
                SetCol(c);
                PasteFromClipboardAt(c, sel.Top, rr, cc);
                SetSelection(sel);
            }
        }
    }
    ImportNotification(isImportDone, -1);
    CellsChanged(sel);
    CellsLoaded();
}

void TKvStringGrid::SetSelectionAsText(const QString& Value)
{
    const TGridRect sel = Selection();
    int c = sel.Left, r = sel.Top;
    int maxCol = c, maxRow = r;
    auto store = [&](const QString& field) {
        // Stored only inside the grid (after the growth below).
        if (c < ColCount() && r < RowCount()) SetGridCell(c, r, UnquoteField(field));
        maxCol = std::max(maxCol, c);
        maxRow = std::max(maxRow, r);
    };
    qsizetype pos = 0;
    const qsizetype n = Value.size();
    while (pos < n) {
        qsizetype end = Value.indexOf(QLatin1Char('\r'), pos);
        if (end < 0) end = n;
        const QString line = Value.mid(pos, end - pos);
        pos = end + 1;
        if (pos < n && end < n && Value[pos] == QLatin1Char('\n')) ++pos;
        const QStringList fields = line.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const bool last = i == fields.size() - 1;
            if (c >= ColCount()) SetColCount(c + 1);
            if (!last || !fields[i].isEmpty() || pos < n) store(fields[i]);
            if (!last) ++c;
        }
        c = sel.Left;
        if (pos < n) {
            ++r;
            if (r >= RowCount() - (FooterTakesLastRow(*this) ? 1 : 0)) SetRowCount(RowCount() + 1);
        }
    }
    CellsChanged(TGridRect(RealColIndex(sel.Left), sel.Top, RealColIndex(maxCol), maxRow));
}

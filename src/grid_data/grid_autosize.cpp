// Sizing columns and rows to their cells, scaling columns to the grid's width and
// sizing the grid to its cells. The cell measures (text extent, graphic size) are the
// painter's; this file decides which cells count, what is added and the limits.
#include "grid/kv_string_grid.h"

#include <cmath>

#include "grid/grid_text.h"
#include "platform/core/sysutils.h"
#include "platform/ui/controls.h"

int TKvStringGrid::GetTotalXOffset() const
{
    return XYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X;
}

int TKvStringGrid::GetTotalYOffset() const
{
    return XYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y;
}

void TKvStringGrid::AutoSizeCol(int Index, int Padding)
{
    FitColWidth(Index, SizeGrowOnly);
    if (Padding != 0) SetColWidths(Index, ClampToLimits(ColWidths(Index) + Padding, FMinColWidth, FMaxColWidth));
}

void TKvStringGrid::FitColWidth(int Index, bool GrowOnly)
{
    if (Index < 0 || Index >= ColCount()) return;
    const int rc = RealColIndex(Index);
    const int fixedRows = TBaseGrid::FixedRows();
    int from = 0, to = RowCount() - 1;
    switch (FColumnSize->Rows()) {
    case arAll: break;
    case arNormal: from = fixedRows; to = RowCount() - 1 - FFixedFooters; break;
    case arFixed: to = fixedRows - 1; break;
    }
    const int lines = 2 * (GridLineWidth() + 1);
    int widest = 0;
    for (int r = from; r <= to; ++r) {
        if (IsXMergedCell(rc, r)) continue;
        const TPoint g = GetCellGraphicSize(rc, r);
        int w = g.X + CalcCellTextExtent(rc, Index, r, false, false).cx;
        if (FControlLook->DropDownAlwaysVisible() && HasComboBox(Index, r)) w += 16;
        if (FFilterDropDownAuto && r == FilterDropDownRow && GetFilterList(rc)) w += 12;
        if (HasSortIndicator(Index, r) && Index == FSortSettings->Column) w += 10;
        if (TCellGraphic* gr = GetCellGraphic(rc, r); gr && gr->CellHAlign() == haFull)
            w = g.X - (lines + FXYOffset.X);
        widest = std::max(widest, w);
    }
    int width = widest + GetTotalXOffset() + lines;
    if (GrowOnly && ColWidths(Index) >= width) return;
    // The column grid's per-column limits and the handler see the width first.
    UpdateAutoColumnSize(Index, width);
    SetColWidths(Index, ClampToLimits(width, FMinColWidth, FMaxColWidth));
}

void TKvStringGrid::AutoSizeRow(int ARow, int Padding)
{
    FitRowHeight(ARow, SizeGrowOnly, Padding);
    if (Padding != 0) SetRowHeights(ARow, ClampToLimits(RowHeights(ARow) + Padding, FMinRowHeight, FMaxRowHeight));
}

void TKvStringGrid::FitRowHeight(int ARow, bool GrowOnly, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    int tallest = 0;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        if (IsYMergedCell(rc, ARow) || IsIgnoredColumn(rc)) continue;
        // The measure takes the cell's font (fixed or normal, the colour hook, the zoom) itself.
        int t = GetCellTextSize(c, ARow, false, FKvWordWrap).cy;
        int g = CalcCellGraphicSize(rc, ARow, Padding).Y;
        TCellGraphic* gr = GetCellGraphic(rc, ARow);
        const TCellType kind = gr ? gr->CellType() : ctEmpty;
        if (gr && gr->CellVAlign() == vaFull) g = t == 0 ? DefaultRowHeight() : 0;
        if ((kind == ctDataCheckBox || kind == ctVirtCheckBox) && g > 0) t = 0;
        int h = t + g;
        if (IsMergedNonBaseCell(rc, ARow)) h = 0;
        if (kind == ctCheckBox || kind == ctDataCheckBox || kind == ctVirtCheckBox || kind == ctRadioButton)
            h = DefaultRowHeight();
        tallest = std::max(tallest, h);
    }
    int height = tallest + GetTotalYOffset() + 2 * GridLineWidth();
    if (XYOffsetTopLeftOnly) height += 2;
    // A row growing while the user types can bring a scroll bar, which moves the
    // editor: it is shown again with the caret where the user was typing.
    auto allRowsShown = [this] { return VisibleRowCount() + TBaseGrid::FixedRows() >= RowCount(); };
    const bool follow = EditorMode() && FSizeWhileTyping->Height() && allRowsShown();
    if (!GrowOnly || RowHeights(ARow) < height)
        SetRowHeights(ARow, ClampToLimits(height, FMinRowHeight, FMaxRowHeight));
    if (follow && !allRowsShown()) {
        ShowInplaceEdit();
        if (TInplaceEdit* e = InplaceEditor()) e->SetSelStart(int(e->Text().size()));
    }
}

void TKvStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() == 0) return;
    const int from = DoFixedRows ? 0 : TBaseGrid::FixedRows();
    ExportNotification(esExportStart, from);
    for (int r = from; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        if (FKvWordWrap) {
            AutoSizeRow(r, 0);
            if (Padding != 0) SetRowHeights(r, ClampToLimits(RowHeights(r) + Padding, FMinRowHeight, FMaxRowHeight));
        } else {
            SizeRowToLines(r, MaxLinesInRow(r), Padding);
        }
    }
    ExportNotification(esExportDone, -1);
}

void TKvStringGrid::SizeRowToLines(int Index, int Lines, int Extra)
{
    TCanvas* C = Canvas();
    TFont keep;
    keep.Assign(*C->Font());
    TBrush brush;
    // The font of the row's first normal cell.
    C->Font()->Assign(Index < TBaseGrid::FixedRows() ? *FFixedFont : *Font());
    GetCellColor(TBaseGrid::FixedCols(), Index, TGridDrawState(), &brush, C->Font());
    const int h = C->TextHeight(QStringLiteral("gh"));
    C->Font()->Assign(keep);
    SetRowHeights(Index, ClampToLimits(Extra + Lines * (h + h / 8), FMinRowHeight, FMaxRowHeight));
}

int TKvStringGrid::MaxLinesInRow(int ARow)
{
    if (ColCount() == 0 || !MultilineCells) return 1;
    int most = 1;
    for (int c = 0; c < ColCount(); ++c)
        most = std::max(most, CountLines(Cells(RealColIndex(c), ARow), true));
    return most;
}

void TKvStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    try {
        const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();
        const int c0 = DoFixedCells ? 0 : fc, r0 = DoFixedCells ? 0 : fr;
        for (int c = c0; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            int cw = SizeGrowOnly ? ColWidths(c) : 0;
            for (int r = r0; r < RowCount(); ++r) {
                const int rh = RowHeights(r);
                const TSize t = GetCellTextSize(c, r, false, false);
                const TPoint g = GetCellGraphicSize(rc, r);
                const int w = t.cx + g.X + PaddingX + FXYOffset.X;
                const int h = t.cy + g.Y + PaddingY + FXYOffset.Y;
                if (!IsXMergedCell(rc, r) && w > cw) {
                    const int cl = ClampToLimits(w, FMinColWidth, FMaxColWidth);
                    if (cl > cw) {
                        SetColWidths(c, cl);
                        cw = cl;
                    }
                }
                if (!IsYMergedCell(rc, r) && h > rh) {
                    const int cl = ClampToLimits(h, FMinRowHeight, FMaxRowHeight);
                    if (cl > rh) SetRowHeights(r, cl);
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TKvStringGrid::AutoFitColumns(bool DoFixedCells)
{
    if (ColCount() == 0) return;
    const int fc = TBaseGrid::FixedCols();
    // A vertical bar kept visible takes its room even when every row fits.
    const bool barKept = FScrollBarAlways == saVert || FScrollBarAlways == saBoth;
    const int s = barKept || (ScrollBars() != ssNone && VisibleRowCount() + TBaseGrid::FixedRows() < RowCount())
                      ? GetSystemMetrics(SM_CXVSCROLL)
                      : 0;
    const int b = BorderStyle() == bsSingle ? (Ctl3D() ? 4 : 2) : 0;
    int first = 0, last = ColCount() - 1, a = Width();
    if (!DoFixedCells) {
        first = fc;
        last = ColCount() - 1 - FFixedRightCols;
        for (int c = 0; c < first; ++c) a -= ColWidths(c);
        for (int c = last + 1; c < ColCount(); ++c) a -= ColWidths(c);
    }
    int L = 0;
    if (Options().Contains(goVertLine)) L = GridLineWidth() * (ColCount() - fc - FFixedRightCols);
    if (Options().Contains(goFixedVertLine) && DoFixedCells) L += fc + FFixedRightCols;
    auto sum = [&] {
        int t = 0;
        for (int c = first; c <= last; ++c) t += ColWidths(c);
        return t;
    };
    if (ColCount() < 2) {
        SetColWidths(0, Width() - s - 5);
    } else {
        const int T = sum();
        if (T == a - s - b) return;
        // Nothing to scale when the columns have no width at all.
        if (T <= 0 || last < first) return;
        const double f = double(a - s - b - L) / T;
        double R = 0;
        for (int c = first; c <= last; ++c) R += RoundHalfEven(ColWidths(c) * f);
        const double f2 = R / T;
        for (int c = first; c <= last; ++c) SetColWidths(c, int(RoundHalfEven(ColWidths(c) * f2)));
    }
    if (last < first) return;
    int r = a - (sum() + s + b);
    const int n = last - first + 1;
    if (n > 1 && r > n) {
        for (int c = first; c <= last; ++c) SetColWidths(c, ColWidths(c) + r / n);
        r %= n;
    }
    int widest = first;
    for (int c = first + 1; c <= last; ++c)
        if (ColWidths(c) > ColWidths(widest)) widest = c;
    SetColWidths(widest, ColWidths(widest) + r);
}

void TKvStringGrid::SizeToCols()
{
    int w = 0;
    for (int c = 0; c < ColCount(); ++c) w += ColWidths(c);
    SetClientWidth(w);
}

void TKvStringGrid::SizeToRows()
{
    int h = 0;
    for (int r = 0; r < RowCount(); ++r) h += RowHeights(r);
    SetClientHeight(h);
}

void TKvStringGrid::SizeToCells()
{
    const TScrollStyle keep = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(keep);
}

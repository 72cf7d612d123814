// The base grid's cell frame painter, cell geometry, and the key and wheel
// adjustments that keep the current cell on the base of a merged area.
#include "grid/base_grid.h"

#include <algorithm>

#include "grid/draw_utils.h"

namespace {

struct TSelectionLook {
    TColor From, To, Border, Corner, UpperLine, LowerLine, LowerFrom, LowerTo;
};

constexpr TSelectionLook kVistaFocused{0xFDF8F1, 0xFCEFD5, 0xFDDE99, 0xFCEDCB, 0xFDFBF6, 0xFDF5E7, clNone, clNone};
constexpr TSelectionLook kWin7Focused{0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xE0C5AE, 0xFDF4EB, 0xFDEADB, clNone, clNone};
constexpr TSelectionLook kOffice2007Focused{0xD7FFFD, 0x58D4FC, 0x8DD7D3, 0xC3D9DF,
                                             0xF4FEFF, 0xCAF8FF, 0x58D4FC, 0xB3F1FC};
constexpr TSelectionLook kNotFocused{0xF8F8F8, 0xE5E5E5, 0xD9D9D9, 0xEFEFEF, 0xFBFAFA, 0xF0F0F0, clNone, clNone};

const TSelectionLook& SelectionLook(TGridSelectionStyle Style, bool Focused)
{
    if (!Focused) return kNotFocused;
    switch (Style) {
    case ssWin7: return kWin7Focused;
    case ssOffice2007: return kOffice2007Focused;
    default: return kVistaFocused;
    }
}

TRect UnionOf(const TRect& a, const TRect& b)
{
    return TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom));
}

} // namespace

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    // A merged area paints beyond the cell the stock grid hands over, so the
    // stock per-cell clip is lifted (the stock paint restores it afterwards).
    Canvas()->SetClipRect(TRect(0, 0, ClientWidth(), ClientHeight()));
    DoPaintCell(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    DoPaintCell(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    DoPaintCell(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::DoPaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                            bool WithContent)
{
    TRect R = ARect;
    if (FHideLastRow && ARow == RowCount() - 1) {
        ACanvas->Brush()->SetColor(Color());
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Pen()->SetColor(Color());
        ACanvas->Rectangle(R);
        return;
    }

    int bc, br;
    if (!ResolveBaseCell(ACol, ARow, bc, br)) {
        TCellProperties* bp = HasCellProperties(bc, br) ? GridObjects(bc, br) : nullptr;
        if (bp && bp->PaintID() != FPaintID) {
            bp->SetPaintID(FPaintID);
            PaintCell(ACanvas, bc, br, R, AState);
        }
        return;
    }

    if (WithContent && IsFixed(ACol, ARow)) {
        AState << gdFixed;
        AState >> gdSelected;
    }
    if (WithContent) R = CellRect(ACol, ARow);

    const bool fixed = AState.Contains(gdFixed);
    const int W = ACol >= FixedCols() ? FixedColsWidth() : 0;
    const int H = ARow >= FixedRows() ? FixedRowsHeight() : 0;
    bool clipped = false;
    if ((ACol >= FixedCols() && FixedCols() > 0 && R.Left < W) ||
        (ARow >= FixedRows() && FixedRows() > 0 && R.Top < H)) {
        ACanvas->SaveState();
        ACanvas->IntersectClipRect(TRect(W, H, Width(), Height()));
        clipped = true;
    }

    ACanvas->Pen()->SetWidth(1);
    ACanvas->SetFont(*Font());

    // What the visual-properties hook starts from; the derived grid resolves the rest.
    const bool selectedLook = AState.Contains(gdSelected) && FShowSel;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(fixed ? FixedColor() : selectedLook && FSelectionStyle == ssDefault ? clHighlight
                                                                                                   : Color());
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    TCellGradientDirection gd = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush(), colorTo, mirror, mirrorTo,
                        ACanvas->Font(), ha, va, ww, gd);
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());

    if (ARow == FHoverRowIdx && FHoverRow &&
        !(AState.Contains(gdSelected) && !FHoverRowCells.Contains(hcSelected)) &&
        !(fixed && !FHoverRowCells.Contains(hcFixed))) {
        ACanvas->Brush()->SetColor(FHoverRowColor);
        colorTo = FHoverRowColorTo;
        mirror = clNone;
        mirrorTo = clNone;
        gd = GradientVertical;
    }

    if ((FActiveRowShow && ARow == Row() && ACol >= FixedCols() && (ACol != Col() || !FShowSel)) ||
        (!WithContent && AState.Contains(gdSelected))) {
        ACanvas->Brush()->SetColor(FActiveRowColor);
        colorTo = FActiveRowColorTo;
        mirror = FActiveRowMirrorColor;
        mirrorTo = FActiveRowMirrorColorTo;
    }
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());

    if (AState.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel) {
        const TGridRect sel = Selection();
        const int L = std::min(sel.Left, sel.Right), Rt = std::max(sel.Left, sel.Right);
        int part = bspWhole;
        if (L == ACol && ACol < Rt) part = bspLeft;
        else if (Rt == ACol && ACol > L) part = bspRight;
        else if (L < ACol && ACol < Rt) part = bspMiddle;
        TRect Q = R;
        if (!Options().Contains(goHorzLine)) ++Q.Bottom;
        if (!Options().Contains(goVertLine)) ++Q.Right;
        const bool focused = Focused() || Options().Contains(goDrawFocusSelected);
        const TSelectionLook& look = SelectionLook(FSelectionStyle, focused);
        DrawButtonSegment(ACanvas, look.From, look.To, look.LowerFrom, look.LowerTo, look.UpperLine,
                          look.LowerLine, look.Border, look.Corner, Color(), Q, part);
    } else if (!(UsesPlatformStyles() && (fixed || AState.Contains(gdSelected)))) {
        const TColor from = ACanvas->Brush()->Color();
        if (mirrorTo == clNone) {
            FillGradient(ACanvas, from, colorTo, 64, R, gd == GradientHorizontal);
        } else {
            TRect upper = R, lower = R;
            upper.Bottom = R.Top + R.Height() / 2;
            lower.Top = upper.Bottom;
            FillGradient(ACanvas, from, colorTo, 128, upper, false);
            FillGradient(ACanvas, mirror, mirrorTo, 128, lower, false);
        }
    }

    int half;
    if (fixed) {
        ACanvas->Pen()->SetColor(FGridFixedLineColor);
        ACanvas->Pen()->SetWidth(1);
        half = 1;
    } else {
        if (FGridLineWidth > 0) ACanvas->Pen()->SetColor(FGridLineColor);
        else ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
        ACanvas->Pen()->SetWidth(FGridLineWidth);
        half = (FGridLineWidth + 1) / 2;
    }
    ACanvas->Pen()->SetStyle(psSolid);
    // With no line width nothing is drawn: the pen would otherwise draw one pixel.
    const bool lines = fixed || FGridLineWidth > 0;
    const TGridOptions opts = Options();
    if (lines && !(bc == 0 && HasNodes()) &&
        ((opts.Contains(goHorzLine) && !fixed) || (opts.Contains(goFixedHorzLine) && fixed))) {
        ACanvas->MoveTo(R.Left - half + 1, R.Bottom - half);
        ACanvas->LineTo(R.Right - half + 1, R.Bottom - half);
    }
    if (lines && ((opts.Contains(goVertLine) && !fixed) || (opts.Contains(goFixedVertLine) && fixed))) {
        ACanvas->MoveTo(R.Right - half, R.Bottom - half);
        ACanvas->LineTo(R.Right - half, R.Top - half);
    }

    TRect inner = R;
    if (fixed) {
        inner.Right -= 1;
        inner.Bottom -= 2;
    } else {
        InflateRect(inner, -FGridLineWidth, -FGridLineWidth);
    }
    if (WithContent) DrawCellContent(ACanvas, ACol, ARow, inner, AState);

    if (clipped) ACanvas->RestoreState();
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Pen()->SetStyle(psSolid);
}

// ============================================================ geometry

TRect TBaseGrid::UnclippedCellRect(int ACol, int ARow)
{
    auto colW = [this](int c) { return c >= 0 && c < ColCount() ? ColWidths(c) : 0; };
    auto rowH = [this](int r) { return r >= 0 && r < RowCount() ? RowHeights(r) : 0; };
    int x = 0, y = 0;
    for (int c = 0; c < ACol; ++c) x += colW(c);
    for (int r = 0; r < ARow; ++r) y += rowH(r);
    TRect R(x, y, x + colW(ACol), y + rowH(ARow));
    if (ACol >= FixedCols()) {
        int s = 0;
        for (int c = 0; c < LeftCol(); ++c) s += colW(c);
        OffsetRect(R, -s, 0);
    }
    if (ARow >= FixedRows()) {
        int s = 0;
        for (int r = 0; r < TopRow(); ++r) s += rowH(r);
        OffsetRect(R, 0, -s);
    }
    // Worked out in the unmirrored layout; a right-to-left grid answers the mirrored place.
    TRect B = ClientLayoutRect(TCustomGrid::CellRect(LeftCol(), TopRow()));
    OffsetRect(R, ACol < FixedCols() ? 0 : B.Left, ARow < FixedRows() ? 0 : B.Top);
    return ClientLayoutRect(R);
}

TRect TBaseGrid::CellRect(int c, int r)
{
    if (HasCellProperties(c, r)) {
        TCellProperties* p = GridObjects(c, r);
        if (p->CellSpanX() != -1 && p->CellSpanY() != -1) {
            TPoint b = p->BaseCell(c, r);
            TCellProperties* bp = HasCellProperties(b.X, b.Y) ? GridObjects(b.X, b.Y) : p;
            TRect R1 = UnclippedCellRect(b.X, b.Y);
            if (R1.Width() == 0) ++R1.Right;
            // An area reaching beyond the grid ends at its last column and row.
            const int fx = std::min(b.X + std::max(bp->CellSpanX(), 0), ColCount() - 1);
            const int fy = std::min(b.Y + std::max(bp->CellSpanY(), 0), RowCount() - 1);
            TRect R2 = UnclippedCellRect(fx, fy);
            if (R2.Width() == 0) --R2.Left;
            return UnionOf(R1, R2);
        }
        if (p->Control()) return UnclippedCellRect(c, r);
    }
    if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) return TRect();
    TRect P = ClientLayoutRect(TCustomGrid::CellRect(c, r));
    return ClientLayoutRect(TRect(P.Left, P.Top, P.Left + ColWidths(c), P.Top + RowHeights(r)));
}

TPoint TBaseGrid::CellSize(int c, int r)
{
    if (IsMergedCell(c, r)) {
        TPoint b = BaseCell(c, r);
        TPoint s = CellSpan(c, r);
        TRect u = UnionOf(UnclippedCellRect(b.X, b.Y),
                          UnclippedCellRect(std::min(b.X + s.X, ColCount() - 1), std::min(b.Y + s.Y, RowCount() - 1)));
        return TPoint(u.Width(), u.Height());
    }
    TRect u = UnclippedCellRect(c, r);
    return TPoint(u.Width(), u.Height());
}

void TBaseGrid::BaseRepaintCell(int c, int r)
{
    if (RedrawLocked()) return;
    TRect R = CellRect(c, r);
    ::InvalidateRect(Handle(), &R, true);
}

void TBaseGrid::RepaintCell(int c, int r)
{
    BaseRepaintCell(c, r);
}

int TBaseGrid::FixedColsWidth()
{
    int w = 0;
    for (int c = 0; c < FixedCols() && c < ColCount(); ++c) w += ColWidths(c);
    return w;
}

int TBaseGrid::FixedRowsHeight()
{
    int h = 0;
    for (int r = 0; r < FixedRows() && r < RowCount(); ++r) h += RowHeights(r);
    return h;
}

// ============================================================ navigation

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    BaseRepaintCell(Col(), Row());
    bool ok = TObjStringGrid::SelectCell(ACol, ARow);
    BaseRepaintCell(ACol, ARow);
    return ok;
}

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    int bx = Col(), by = Row();
    TCellProperties* p = HasCellProperties(Col(), Row()) ? GridObjects(Col(), Row()) : nullptr;
    TCellProperties* bp = nullptr;
    if (p) {
        TPoint b = p->BaseCell(Col(), Row());
        bx = b.X;
        by = b.Y;
        bp = HasCellProperties(bx, by) ? GridObjects(bx, by) : p;
    }
    switch (Key) {
    case VK_NEXT:
        if (VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow && RowCount() > 1)
            SetRow(RowCount() - 2);
        break;
    case VK_RIGHT:
        if (bp) {
            int v = bx + bp->CellSpanX();
            if (v >= Col() && Col() < ColCount() - 1 && bx < ColCount() - 1 && v < ColCount()) SetCol(v);
        }
        break;
    case VK_DOWN:
        if (bp) {
            int v = by + bp->CellSpanY();
            if (v >= Row() && Row() < RowCount() - 1 && by < RowCount() - 1 && v < RowCount()) SetRow(v);
        }
        break;
    case VK_LEFT:
        // From inside an area, go to its first column: the stock move then
        // lands on the column just before the area.
        if (bp && bx < Col() && Col() > FixedCols() && bx > 0) SetCol(bx);
        break;
    case VK_UP:
        if (bp && by < Row() && Row() > FixedRows() && by > 0) SetRow(by);
        break;
    default:
        break;
    }
    // Page Down must not go past the blank last row either.
    if (Key == VK_NEXT && FHideLastRow && RowCount() > 1) {
        TObjStringGrid::KeyDown(Key, Shift);
        if (Row() > RowCount() - 2) SetRow(RowCount() - 2);
    } else {
        TObjStringGrid::KeyDown(Key, Shift);
    }
    MoveToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool res = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (FHideLastRow && RowCount() > 1) {
        // Navigation stays above the blank last row, and the view scrolls one
        // row further so that the current row is not the last one shown.
        if (Row() > RowCount() - 2) SetRow(RowCount() - 2);
        if (Row() < RowCount() - 1 && Row() - TopRow() >= VisibleRowCount() - 1 &&
            TopRow() + VisibleRowCount() < RowCount())
            SetTopRow(TopRow() + 1);
    }
    MoveToBaseCell();
    return res;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool res = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    MoveToBaseCell();
    return res;
}

void TBaseGrid::MoveToBaseCell()
{
    if (!HasCellProperties(Col(), Row())) return;
    TPoint b = BaseCell(Col(), Row());
    if (b.X != Col()) SetCol(b.X);
    if (b.Y != Row()) SetRow(b.Y);
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    if (FixedCols() > 0) RepaintMergedFixedColCells();
    if (FixedRows() > 0) RepaintMergedFixedRowCells();
}

void TBaseGrid::RepaintMergedFixedColCells()
{
    for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(c, r)) BaseRepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedRowCells()
{
    for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() && c < ColCount(); ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r)) BaseRepaintCell(c, r);
}

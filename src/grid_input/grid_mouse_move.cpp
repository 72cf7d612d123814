// The grid's mouse-move tracking: hover effects, the fixed-edge sizing zones,
// row and column selection by mouse, the select mode the cursor code reads,
// links, the cursor restore, hint and balloon withdrawal and the sizing events.

#include "grid/grid_text.h"
#include "grid/html_render.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/stdctrls.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

#include <algorithm>
#include <cstdlib>

bool TKvStringGrid::AnchorAt(int ACol, int ARow, int X, int Y, QString& Anchor, QString& Hint)
{
    Anchor.clear();
    Hint.clear();
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    const QString text = Cells(ACol, ARow);
    if (GetCellTextKind(text, FEnableHTML) != ctkHTML) return false;
    TRect R = CellRect(ACol, ARow);
    R.Left += FXYOffset.X + 1;
    R.Top += FXYOffset.Y + 1;
    static TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->SetFont(IsFixed(ACol, ARow) ? *FFixedFont : *Font());
    THTMLTextParams P;
    P.Canvas = canvas;
    P.Text = text;
    P.Rect = R;
    P.Images = FGridImages;
    P.XPos = X;
    P.YPos = Y;
    P.CheckHotSpot = true;
    P.ImageCache = FImageCache.get();
    // Laid out on a scratch canvas: only the hit test is wanted.
    const bool hit = DrawHTMLText(P);
    if (!hit || P.AnchorValue.isEmpty()) return false;
    Anchor = P.AnchorValue;
    Hint = P.AnchorHint;
    return true;
}

void TKvStringGrid::RepaintIfFixed(const TPoint& Cell)
{
    if (Cell.X < 0 || Cell.Y < 0 || Cell.X >= ColCount() || Cell.Y >= RowCount()) return;
    if (Cell.X <= TBaseGrid::FixedCols() || Cell.Y <= TBaseGrid::FixedRows()) RepaintCell(Cell.X, Cell.Y);
}

void TKvStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    // 1. Dragging with RangeSelectAndEdit selects a range.
    if (Shift.Contains(ssLeft) && FMouseActions->RangeSelectAndEdit() && !EditorMode())
        SetOptions(Options() - TGridOptions(goEditing));
    const TGridRect oldSel = Selection();
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    const bool overCell = c >= 0 && r >= 0 && c < ColCount() && r < RowCount();
    const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();

    // 2. Hover row.
    if (overCell && !FDesigning && HoverRow() && r != FHoverRowIdx) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = r;
        RepaintRow(r);
        if (old >= 0 && old < RowCount()) RepaintRow(old);
    }

    // The shared in-cell scroll bar follows the cell under the mouse.
    if (overCell && !FDesigning) PlaceCellScrollBar(c, r);

    // 3. Hover fixed cell.
    if (FHoverFixedCells != hfNone && TPoint(c, r) != FHoverFixedCell) {
        const TPoint old = FHoverFixedCell;
        FHoverFixedCell = TPoint(c, r);
        RepaintIfFixed(old);
        RepaintIfFixed(FHoverFixedCell);
    }

    // 5. Cell and expand buttons.
    bool onButton = false;
    if (overCell) {
        if (HasButton(c, r) && GetCellGraphicRect(c, r).Contains(TPoint(X, Y))) onButton = true;
        else if (HasExpand(c, r) && GetExpandRect(c, r).Contains(TPoint(X, Y))) onButton = true;
    }
    if (onButton && FHoverButton != TPoint(c, r)) {
        const TPoint old = FHoverButton;
        FHoverButton = TPoint(c, r);
        if (old.X >= 0) RepaintCell(old.X, old.Y);
        RepaintCell(c, r);
    } else if (!onButton && FHoverButton.X >= 0) {
        const TPoint old = FHoverButton;
        FHoverButton = TPoint(-1, -1);
        RepaintCell(old.X, old.Y);
    }

    // 6. Row and column selection by mouse, scrolling at the edges.
    bool scrolledUp = false;
    if (FMouseSelectStart >= 0 && FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
        if (r >= fr && r <= RowCount() - FFixedFooters)
            TBaseGrid::SetSelection(TGridRect(fc, std::min(FMouseSelectStart, r), ColCount() - 1,
                                              std::min(std::max(FMouseSelectStart, r), RowCount() - 1)));
        if (Y > Height() - 4) {
            if (TopRow() < RowCount() - VisibleRowCount()) SetTopRow(TopRow() + 1);
        } else if (fr > 0 && Y < RowHeights(0) && TopRow() > fr) {
            SetTopRow(TopRow() - 1);
            scrolledUp = true;
        }
    }
    if (FMouseSelectStart >= 0 && FMouseActions->ColSelect() && FMouseSelectMode == msColumn && c >= fc)
        TBaseGrid::SetSelection(TGridRect(std::min(FMouseSelectStart, c), fr, std::max(FMouseSelectStart, c),
                                          RowCount() - 1));

    // 7. Sizing zones of the fixed column and row edges.
    FSizeFixed = false;
    int edge = 0;
    for (int i = 0; i < fc && i < ColCount(); ++i) {
        const int e = edge + ColWidths(i);
        if (std::abs(e - X) < 3 && overCell && !FDesigning) FSizeFixed = FMouseActions->SizeFixedCol();
        edge += ColWidths(i) + 1;
    }
    if (FSizingFixed) FSizeFixedX = X;
    FSizeFixedR = false;
    edge = 0;
    for (int i = 0; i < fr && i < RowCount(); ++i) {
        const int e = edge + RowHeights(i);
        if (std::abs(e - Y) < 3 && overCell && !FDesigning) FSizeFixedR = FMouseActions->SizeFixedRow();
        edge += RowHeights(i) + 1;
    }
    if (FSizingFixedR) FSizeFixedY = Y;

    // 8. The selection's resize handle.
    bool inResize = false;
    if (FSelectionResizer && FSelectionRectangle) {
        const TGridRect sel = Selection();
        const TRect R = CellRect(sel.Right, sel.Bottom);
        inResize = X >= R.Right - 6 && X <= R.Right && Y >= R.Bottom - 6 && Y <= R.Bottom;
    }

    // 9. Drag start and moving feedback.
    DragStartAndMoveFeedback(X, Y, c, r, inResize);

    // 10. Select modes: a later match wins.
    bool claimed = false;
    FMouseSelectMode = msNormal;
    if (!FDesigning) {
        if (GridState() == gsColSizing) ColSized = Colclicked;
        if (GridState() == gsRowSizing) Rowsized = Rowclicked;
        auto onSizingBorder = [&] {
            TGridState st = gsNormal;
            int idx = 0, pos = 0, ofs = 0;
            TGridDrawInfo info;
            CalcSizingState(X, Y, st, idx, pos, ofs, info);
            return st != gsNormal;
        };
        if (inResize) FMouseSelectMode = msResize;
        if (overCell && c < fc && r < fr && FMouseActions->AllSelect()) {
            FMouseSelectMode = msAll;
            claimed = true;
        }
        if (overCell && r < fr && c >= fc && FMouseActions->ColSelect() && !onSizingBorder()) {
            FMouseSelectMode = msColumn;
            claimed = true;
        }
        const bool footerRow = FFloatingFooter->Visible() && int(FFloatingFooter->FooterStyle()) == 0 &&
                               r == RowCount() - 1;
        if (overCell && c < fc && (r >= fr || scrolledUp) && !footerRow && FMouseActions->RowSelect() &&
            !onSizingBorder() && !IsInNodeButton(r, X)) {
            FMouseSelectMode = msRow;
            claimed = true;
        }
    }

    // 11. Links.
    if (overCell) {
        const QString text = Cells(c, r);
        const int kind = GetCellTextKind(text, FEnableHTML);
        if (kind == ctkPlain && FURLShow && ContainsURL(text)) {
            TControl::SetCursor(crHandPoint);
            claimed = true;
        } else if (kind == ctkHTML) {
            QString anchor, hint;
            if (AnchorAt(c, r, X, Y, anchor, hint)) {
                if (hint.isEmpty() && OnAnchorHint) OnAnchorHint(this, r, c, hint);
                if (hint != FLastAnchorHint && !FLastAnchorHint.isEmpty() && anchor != FAnchor) {
                    FLastAnchorHint = hint;
                    if (Application) Application->CancelHint();
                }
                TControl::SetCursor(crHandPoint);
                claimed = true;
                if (anchor != FAnchor) {
                    if (OnAnchorEnter) OnAnchorEnter(this, r, c, anchor);
                    FAnchor = anchor;
                    // The underline follows the hovered anchor.
                    if (URLUnderlineOnHover) RepaintCell(c, r);
                }
            } else if (!FAnchor.isEmpty()) {
                const QString left = FAnchor;
                FAnchor.clear();
                if (OnAnchorExit) OnAnchorExit(this, r, c, left);
                if (URLUnderlineOnHover) RepaintCell(c, r);
            }
        }
    }
    if (!FAnchor.isEmpty() && (!overCell || GetCellTextKind(Cells(c, r), FEnableHTML) != ctkHTML)) {
        const QString left = FAnchor;
        FAnchor.clear();
        if (OnAnchorExit) OnAnchorExit(this, r, c, left);
    }

    // 12. Cursor restore.
    if (!claimed && Cursor() != FRestoreCursor) TControl::SetCursor(FRestoreCursor);

    // 13. Hints and balloons leave with the cell.
    const TPoint base = overCell ? BaseCell(c, r) : TPoint(-1, -1);
    if (FLastHintPos.X >= 0 && base != FLastHintPos) {
        if (Application) Application->CancelHint();
        FLastHintPos = TPoint(-1, -1);
    }
    if (FBalloon->Enable() && base != FLastBalloonCell) {
        if (FBalloonHint) FBalloonHint->HideHint();
        FLastBalloonCell = TPoint(-1, -1);
    }

    // 15. The stock handling: range selection, sizing and moving.
    TBaseGrid::MouseMove(Shift, X, Y);

    // 16. Sizing events and the sizing hint.
    if (GridState() == gsColSizing || FSizingFixed) {
        int size = FSizeFixedX;
        int col = 0;
        if (!FSizingFixed) {
            const TRect R = Colclicked >= 0 ? CellRect(Colclicked, Rowclicked) : CellRect(ColCount() - 1, 0);
            size = X - R.Left - Colclickedsize;
            col = Colclicked;
        }
        if (OnColumnSizing) OnColumnSizing(this, col, size);
        if (HintShowSizing) ShowSizingHint(true, size);
    }
    if (GridState() == gsRowSizing || FSizingFixedR) {
        int size = FSizeFixedY;
        int row = 0;
        if (!FSizingFixedR) {
            const TRect R = Rowclicked >= 0 ? CellRect(Colclicked, Rowclicked) : CellRect(0, RowCount() - 1);
            size = Y - R.Top - Rowclickedsize;
            row = Rowclicked;
        }
        if (OnRowSizing) OnRowSizing(this, row, size);
        if (HintShowSizing) ShowSizingHint(false, size);
    }

    // 17.
    if (FEnhRowColMove) Update();
    const TGridRect sel = Selection();
    if (!(sel == oldSel)) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

void TKvStringGrid::PlaceCellScrollBar(int ACol, int ARow)
{
    if (!HasScrollBar(ACol, ARow)) {
        if (TScrollBar* shown = CellScrollBar()) shown->SetVisible(false);
        return;
    }
    EnsureEditorControls();
    TScrollBar* bar = CellScrollBar();
    if (!bar) return;
    FScrollCol = ACol;
    FScrollRow = ARow;
    const int pos = GetScrollPosition(ACol, ARow);
    bar->SetPosition(pos);
    const TScrollProp prop = GetScrollProp(ACol, ARow);
    // Nothing to scroll: the bar stays where it was.
    if (prop.PageSize >= prop.Range) return;
    const TRect R = CellRect(ACol, ARow);
    const int lw = GridLineWidth();
    const int left = R.Right - 17 - lw, top = R.Top + lw, height = R.Bottom - R.Top - 2 * lw;
    if (bar->Visible() && bar->Left() == left && bar->Top() == top && bar->Height() == height) return;
    bar->SetBounds(left, top, 17, height);
    bar->SetPageSize(prop.PageSize);
    bar->SetParams(pos, 0, prop.Range);
    bar->SetVisible(true);
}

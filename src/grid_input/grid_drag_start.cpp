// The two kinds of dragging that start in the grid's mouse move: a drag of
// the selected cells or of a column out of the grid, and the feedback of the
// enhanced row and column moving (a floating image of the cells or the header
// button, the drop-position arrows, scrolling at the edges, the drag cursor).
// SelectionToForm makes the floating image.
#include "grid/kv_string_grid.h"

#include "grid_input/ksg_drag_drop.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

#include <QtGui/QPainter>

#include <algorithm>
#include <cstdlib>

namespace {
// The drop-position arrows are as large as their outlines.
TSize ArrowSize(TArrowDirection Direction)
{
    int w = 0, h = 0;
    for (const TPoint& p : TArrowWindow::ArrowPoints(Direction)) {
        w = std::max(w, p.X + 1);
        h = std::max(h, p.Y + 1);
    }
    return TSize{w, h};
}

constexpr DWORD kCopyOrMove = DROPEFFECT_COPY | DROPEFFECT_MOVE;
} // namespace

// ============================================================ geometry

bool TKvStringGrid::DragThresholdPassed(const TPoint& Down, const TPoint& Now)
{
    return std::abs(Now.X - Down.X) > 3 || std::abs(Now.Y - Down.Y) > 3;
}

TKvStringGrid::TDropArrowPlaces TKvStringGrid::ColumnArrowPlaces(const TRect& Cell, bool MovingLeft)
{
    const int x = (MovingLeft ? Cell.Left : Cell.Right) - 5;
    return {TPoint(x, Cell.Bottom), TPoint(x, Cell.Top - 8)};
}

TKvStringGrid::TDropArrowPlaces TKvStringGrid::RowArrowPlaces(const TRect& Cell, bool MovingUp)
{
    const int y = (MovingUp ? Cell.Top : Cell.Bottom) - 5;
    return {TPoint(Cell.Left - 10, y), TPoint(Cell.Right, y)};
}

TSize TKvStringGrid::SelectionImageSize(const TRect& TopLeftCell, const TRect& BottomRightCell)
{
    return TSize{BottomRightCell.Right - TopLeftCell.Left + 1, BottomRightCell.Bottom - TopLeftCell.Top + 1};
}

TPoint TKvStringGrid::FloatingImagePlace(const TPoint& ScreenPt, int ImageWidth)
{
    // Right to left the image hangs to the left of the mouse, its right edge past it by column 0's width.
    if (layoutDirection() == Qt::RightToLeft || UseRightToLeftAlignment())
        return TPoint(ScreenPt.X + (ColCount() > 0 ? ColWidths(0) : 0) - ImageWidth, ScreenPt.Y);
    return ScreenPt;
}

// ============================================================ overlays

THeaderDragButton* TKvStringGrid::MoveButton() const
{
    EnsureEditorControls();
    for (TComponent* c : FEditorControls)
        if (auto* b = dynamic_cast<THeaderDragButton*>(c)) return b;
    return nullptr;
}

TArrowWindow* TKvStringGrid::DropArrow(TArrowDirection Direction) const
{
    EnsureEditorControls();
    for (TComponent* c : FEditorControls)
        if (auto* a = dynamic_cast<TArrowWindow*>(c); a && a->Direction() == Direction) return a;
    return nullptr;
}

void TKvStringGrid::PlaceOverlay(TControl* Overlay, const TPoint& ScreenPt)
{
    if (!Overlay) return;
    // A window of its own: it may reach past the grid and the form.
    TSize size{Overlay->Width(), Overlay->Height()};
    if (auto* arrow = dynamic_cast<TArrowWindow*>(Overlay)) size = ArrowSize(arrow->Direction());
    Overlay->SetBounds(ScreenPt.X, ScreenPt.Y, size.cx, size.cy);
    Overlay->BringToFront();
}

void TKvStringGrid::FreeMoveForm()
{
    delete FMoveForm;
    FMoveForm = nullptr;
}

void TKvStringGrid::EndMoveFeedback()
{
    if (THeaderDragButton* b = MoveButton()) {
        b->SetEnabled(false);
        b->SetVisible(false);
    }
    for (TArrowDirection d : {arrUp, arrDown, arrLeft, arrRight})
        if (TArrowWindow* a = DropArrow(d)) a->SetVisible(false);
    FreeMoveForm();
}

TNoActiveForm* TKvStringGrid::SelectionToForm(const TGridRect& ARect)
{
    // 1. The whole grid as it is drawn now.
    const QImage whole = Snapshot();
    // 2. The outer corners of the two cells, the top-left one first.
    const TRect a = UnclippedCellRect(ARect.Left, ARect.Top);
    const TRect b = UnclippedCellRect(ARect.Right, ARect.Bottom);
    const TRect first(std::min(a.Left, b.Left), std::min(a.Top, b.Top), 0, 0);
    const TRect last(0, 0, std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    const TSize size = SelectionImageSize(first, last);
    auto bmp = std::make_unique<TBitmap>(std::max(1, size.cx), std::max(1, size.cy));
    {
        QPainter p(&bmp->Image());
        p.fillRect(0, 0, bmp->Width(), bmp->Height(), ToQColor(Color()));
        // 3. The cells, from one pixel inside the first corner.
        p.drawImage(0, 0, whole, first.Left + 1, first.Top + 1, size.cx, size.cy);
        // 4. The fixed line along an edge that starts at the fixed cells.
        p.setPen(ToQColor(GridFixedLineColor()));
        if (ARect.Left == 0 && TBaseGrid::FixedCols() > 0 && Options().Contains(goFixedVertLine))
            p.drawLine(0, 0, 0, bmp->Height() - 1);
        if (ARect.Top == 0 && TBaseGrid::FixedRows() > 0 && Options().Contains(goFixedHorzLine))
            p.drawLine(0, 0, bmp->Width() - 1, 0);
    }
    // 5. A stay-on-top form that never activates, holding the picture, at opacity 192.
    auto* form = new TNoActiveForm(this);
    form->SetFormStyle(fsStayOnTop);
    form->SetBounds(0, 0, bmp->Width(), bmp->Height());
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetAlign(alClient);
    image->Picture()->SetGraphic(std::move(bmp));
    SetLayeredWindowAlpha(form, 192);
    return form;
}

void TKvStringGrid::ShowMoveForm(const TGridRect& Cells, const TPoint& ScreenPt)
{
    // The image shows the cells without the selection's highlight.
    const bool shown = ShowSelection();
    SetShowSelection(false);
    FMoveForm = SelectionToForm(Cells);
    SetShowSelection(shown);
    const TPoint at = FloatingImagePlace(ScreenPt, FMoveForm->Width());
    FMoveForm->SetBounds(at.X, at.Y, FMoveForm->Width(), FMoveForm->Height());
    FMoveForm->Show();
}

// ============================================================ the mouse-move step

void TKvStringGrid::DragStartAndMoveFeedback(int X, int Y, int ACol, int ARow, bool InResizeZone)
{
    if (FDesigning) return;
    const bool overCell = ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
    if (FSelectionClick && overCell && GetAsyncKeyState(VK_LBUTTON) < 0 &&
        DragThresholdPassed(TPoint(Clickposx, Clickposy), TPoint(X, Y)) && FDragDropSettings->OleDropSource() &&
        GridState() != gsColSizing && !InResizeZone)
        OleDragStart(X, Y, ACol, ARow);
    MoveFeedback(X, Y, ACol, ARow);
}

void TKvStringGrid::OleDragStart(int X, int Y, int ACol, int ARow)
{
    FSelectionClick = false;
    bool allow = true;
    const int realCol = RealColIndex(ACol);
    const int fr = TBaseGrid::FixedRows();
    TDragDropSettings* dd = FDragDropSettings.get();
    if (dd->OleColumnsOnly()) allow = ARow < fr;
    else if (OnOleDrag) OnOleDrag(this, ARow, realCol, Cells(realCol, ARow), allow);
    if (!allow) {
        // The press goes on as a range selection.
        if (GridState() == gsNormal) SetGridState(gsSelecting);
        return;
    }
    std::unique_ptr<TKSGDropSource> source = CreateDropSource();
    if (OnOleDragStart) OnOleDragStart(this, ARow, realCol);
    const TPoint pt = ClientToScreen(TPoint(X, Y));
    StartBlockFocus();
    const bool columnDrag = ARow < fr && dd->OleColumnDragDrop();
    if (dd->ShowCells() && !FMoveForm) {
        TGridRect cells;
        if (columnDrag) {
            cells = TGridRect(ACol, 0, ACol, std::min(RowCount() - 1, VisibleRowCount()));
        } else {
            const TGridRect s = Selection();
            cells = TGridRect(std::max(s.Left, LeftCol()), std::max(s.Top, TopRow()),
                              std::min(s.Right, LeftCol() + VisibleColCount() - 1),
                              std::min(s.Bottom, TopRow() + VisibleRowCount() - 1));
        }
        ShowMoveForm(cells, pt);
    }
    DWORD effect = DROPEFFECT_NONE;
    if (columnDrag) {
        THeaderDragButton* button = MoveButton();
        if (!dd->ShowCells() && button) {
            button->Caption = Cells(realCol, 0);
            button->SetBounds(button->Left(), button->Top(), ColWidths(ACol), RowHeights(0));
            PlaceOverlay(button, pt);
            button->SetVisible(true);
        }
        const HRESULT hr = ::BeginColumnDrag(source.get(), realCol, kCopyOrMove, effect);
        if (hr != DRAGDROP_S_CANCEL && OnOleDragStop) OnOleDragStop(this, effect);
        if (button) button->SetVisible(false);
        if (TArrowWindow* a = ArwU()) a->SetVisible(false);
        if (TArrowWindow* a = ArwD()) a->SetVisible(false);
    } else {
        FDropSelection = Selection();
        std::unique_ptr<TMemoryStream> stream;
        if (FNavigation->AllowFmtClipboard()) {
            stream = std::make_unique<TMemoryStream>();
            SaveRectToBinStream(FDropSelection, stream.get());
        }
        const HRESULT hr =
            ::BeginTextDrag(source.get(), SelectedText(), Cells(realCol, ARow), effect, kCopyOrMove, stream.get());
        if (hr != DRAGDROP_S_CANCEL) {
            if (effect == DROPEFFECT_MOVE && !dd->OleCopyAlways()) {
                const TGridRect& d = FDropSelection;
                if (dd->OleRemoveRows() && Options().Contains(goRowSelect)) {
                    if (FMouseActions->DisjunctRowSelect()) RemoveSelectedRows();
                    else RemoveRowRange(d.Top, d.Bottom - d.Top + 1);
                } else if (FMouseActions->DisjunctRowSelect()) {
                    ClearSelection();
                } else {
                    ClearRect(d.Left, d.Top, d.Right, d.Bottom);
                }
            }
            if (OnOleDragStop) OnOleDragStop(this, effect);
        }
    }
    // The grid's own drop source frees the image when the drag ends; any other leaves it here.
    FreeMoveForm();
}

void TKvStringGrid::MoveFeedback(int X, int Y, int ACol, int ARow)
{
    // 1. The application may refuse the move under way, which ends it.
    const bool columnState = GridState() == gsColMoving;
    const auto& moveEvent = columnState ? OnColumnMove : OnRowMove;
    if ((columnState || GridState() == gsRowMoving) && moveEvent) {
        bool allow = true;
        moveEvent(this, Movecell, allow);
        if (!allow) {
            SetGridState(gsNormal);
            EndMoveFeedback();
            if (Screen->Cursor() == crDrag || Screen->Cursor() == crNoDrop) Screen->SetCursor(crDefault);
        }
    }
    const bool colMoving = GridState() == gsColMoving, rowMoving = GridState() == gsRowMoving;
    // 2.
    if (!(colMoving || rowMoving) || RowCount() <= 1 || (X == Clickposx && Y == Clickposy) || !FEnhRowColMove ||
        FSizingFixed || FSizingFixedR)
        return;
    bool allow = true;
    StartBlockFocus();
    const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();
    const bool showCells = FDragDropSettings->ShowCells();
    THeaderDragButton* button = MoveButton();
    const bool overRow = ARow >= 0 && ARow < RowCount(), overCol = ACol >= 0 && ACol < ColCount();
    // 3. The picture of the moved column or row, or the header button.
    if (colMoving && overRow && Movecell >= fc && Movecell < ColCount()) {
        if (showCells && !FMoveForm)
            ShowMoveForm(TGridRect(Movecell, 0, Movecell, std::min(RowCount() - 1, TopRow() + VisibleRowCount() - fr)),
                         ClientToScreen(TPoint(X - MoveOfsX, Y - MoveOfsY)));
        if (button) {
            button->Caption = Cells(RealColIndex(Movecell), 0);
            button->SetBounds(button->Left(), button->Top(), ColWidths(Movecell), RowHeights(ARow));
        }
    } else if (rowMoving && overCol && Movecell >= fr && Movecell < RowCount()) {
        if (showCells && !FMoveForm)
            ShowMoveForm(TGridRect(0, Movecell, std::min(ColCount() - 1, LeftCol() + VisibleColCount() - fc), Movecell),
                         ClientToScreen(TPoint(X - MoveOfsX, Y - MoveOfsY)));
        if (button) {
            button->Caption = Cells(0, Movecell);
            button->SetBounds(button->Left(), button->Top(), ColWidths(ACol), RowHeights(Movecell));
        }
    }
    // 4. It follows the mouse, keeping the press point's place inside the cell.
    const TPoint at = ClientToScreen(TPoint(X - MoveOfsX, Y - MoveOfsY));
    if (showCells && FMoveForm) {
        const TPoint p = FloatingImagePlace(at, FMoveForm->Width());
        FMoveForm->SetBounds(p.X, p.Y, FMoveForm->Width(), FMoveForm->Height());
    } else if (button) {
        PlaceOverlay(button, at);
    }
    auto screenRect = [this](int c, int r) {
        const TRect cr = CellRect(c, r);
        const TPoint tl = ClientToScreen(TPoint(cr.Left, cr.Top));
        return TRect(tl.X, tl.Y, tl.X + cr.Width(), tl.Y + cr.Height());
    };
    // 5. Column arrows at the column where the moved one would go.
    if (colMoving && overCol) {
        if (FMoveColInd >= fc && FMoveColInd < ColCount()) {
            const TDropArrowPlaces places = ColumnArrowPlaces(screenRect(FMoveColInd, 0), FMoveColInd < Movecell);
            const bool visible = FMoveColInd >= LeftCol() && FMoveColInd < LeftCol() + VisibleColCount();
            if (TArrowWindow* u = ArwU()) {
                PlaceOverlay(u, places.First);
                u->SetVisible(visible);
            }
            if (TArrowWindow* d = ArwD()) {
                PlaceOverlay(d, places.Second);
                d->SetVisible(visible);
            }
        }
        FMoveColInd = ACol;
        FMoveRowInd = 0;
        if (OnColumnMoving) OnColumnMoving(this, ACol, allow);
    }
    // 6. Row arrows at the row where the moved one would go.
    if (rowMoving && overRow) {
        const bool footerRow = FFloatingFooter->Visible() && int(FFloatingFooter->FooterStyle()) == 0 &&
                               FMoveRowInd == RowCount() - 1;
        const bool visible = FMoveRowInd >= fr && FMoveRowInd >= TopRow() && FMoveRowInd < TopRow() + VisibleRowCount();
        if (visible && !footerRow) {
            const TDropArrowPlaces places = RowArrowPlaces(screenRect(0, FMoveRowInd), FMoveRowInd < Movecell);
            if (TArrowWindow* l = ArwL()) {
                PlaceOverlay(l, places.First);
                l->SetVisible(true);
            }
            if (TArrowWindow* r = ArwR()) {
                PlaceOverlay(r, places.Second);
                r->SetVisible(true);
            }
        }
        FMoveColInd = 0;
        FMoveRowInd = ARow;
        if (OnRowMoving) OnRowMoving(this, ARow, allow);
    }
    // 7. Scrolling at the edges, one column (row) at a time.
    auto scrollAtEdge = [this](bool Vertical, int Pos) {
        const int fixed = Vertical ? TBaseGrid::FixedRows() : TBaseGrid::FixedCols();
        const int count = Vertical ? RowCount() : ColCount();
        const int visible = Vertical ? VisibleRowCount() : VisibleColCount();
        const int first = Vertical ? TopRow() : LeftCol();
        if (visible >= count - fixed) return;
        int fixedExtent = 0;
        for (int i = 0; i < fixed; ++i) fixedExtent += Vertical ? RowHeights(i) : ColWidths(i);
        int to = first;
        if (Pos < fixedExtent && first > fixed) to = first - 1;
        else if (Pos > (Vertical ? Height() : Width()) && first + visible < count) to = first + 1;
        if (to == first) return;
        if (Vertical) SetTopRow(to);
        else SetLeftCol(to);
        if (to < first) Repaint();
    };
    if (colMoving) scrollAtEdge(false, X);
    if (rowMoving) scrollAtEdge(true, Y);
    // 8. Without the picture the header button follows the mouse.
    if (button) {
        if (!button->Visible() && !showCells) button->SetVisible(true);
        button->SetEnabled(true);
    }
    // 9.
    Screen->SetCursor(allow ? crDrag : crNoDrop);
}

// What a drop does to the grid, the markers of a drag over it, the floating
// picture of a drag out of it, and the registration of the grid's window as a
// drop target.
#include "grid_data/grid_ole_drop.h"

#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace {
bool gOleInitialized = false;
} // namespace

void InitializeOle() { gOleInitialized = true; }
void OleUninitialize() { gOleInitialized = false; }
bool OleInitialized() { return gOleInitialized; }

// ============================================================ the grid's part

void TKvStringGrid::OleColumnDragStart(int ACol, int AIndex, TListBox* AList)
{
    FOleDragCol = ACol;
    FOleDragIndex = AIndex;
    FOleDragList = AList;
}

std::unique_ptr<TKSGDropSource> TKvStringGrid::CreateDropSource() { return std::make_unique<TGridDropSource>(this); }

bool TKvStringGrid::RegisterOleDropTarget()
{
    if (!FOleDropTargetObject) FOleDropTargetObject = std::make_shared<TGridDropTarget>(this);
    UpdateOleDropTargetAccepts();
    const HRESULT hr = RegisterDragDrop(this, FOleDropTargetObject);
    return hr == S_OK || hr == DRAGDROP_E_ALREADYREGISTERED;
}

void TKvStringGrid::RevokeOleDropTarget() { RevokeDragDrop(this); }

void TKvStringGrid::UpdateOleDropTargetAccepts()
{
    TGridDropTarget* t = FOleDropTargetObject.get();
    if (!t) return;
    const TDragDropSettings* dd = FDragDropSettings.get();
    t->SetAcceptText(dd->OleAcceptText());
    t->SetAcceptFiles(dd->OleAcceptFiles());
    t->SetAcceptURLs(dd->OleAcceptURLs());
    // A column drag carries nothing but its column: taken where columns may be dropped.
    t->SetAcceptCols(dd->OleColumnDragDrop() || dd->OleColumnReorder());
}

// ============================================================ geometry

TKvStringGrid::TDropArrowPlaces TGridDropTarget::ColumnDropArrowPlaces(const TRect& HeaderCell)
{
    return {TPoint(HeaderCell.Left, HeaderCell.Bottom), TPoint(HeaderCell.Left, HeaderCell.Top - 8)};
}

TPoint TGridDropTarget::CellDropArrowPlace(const TRect& Cell, bool Appending)
{
    return TPoint(Cell.Left - 10, Appending ? Cell.Bottom : Cell.Top);
}

TPoint TGridDropSource::MoveFormPlace(const TPoint& Cursor) { return TPoint(Cursor.X + 4, Cursor.Y + 4); }

TPoint TGridDropSource::MoveButtonPlace(const TPoint& Cursor, int ButtonHeight)
{
    return TPoint(Cursor.X, Cursor.Y - ButtonHeight);
}

TRect TGridDropTarget::ScreenCellRect(int ACol, int ARow) const
{
    TKvStringGrid* g = FGrid;
    TRect r;
    if (ACol >= g->ColCount() && g->ColCount() > 0) {
        // Right of the last column: an empty cell at its right edge.
        const TRect last = g->CellRect(g->ColCount() - 1, ARow);
        r = TRect(last.Right, last.Top, last.Right, last.Bottom);
    } else {
        r = g->CellRect(ACol, ARow);
    }
    const TPoint tl = g->ClientToScreen(TPoint(r.Left, r.Top));
    return TRect(tl.X, tl.Y, tl.X + r.Width(), tl.Y + r.Height());
}

// ============================================================ drag over the grid

bool TGridDropTarget::AppendTest(const TPoint& ClientPt, TDropFormats Formats, int& ACol, int& ARow) const
{
    TKvStringGrid* g = FGrid;
    const TDragDropSettings* dd = g->DragDropSettings();
    if (ARow != -1 || (Formats & dfCol) || !dd->OleEntireRows() || !dd->OleAppendRows() || g->RowCount() == 0)
        return false;
    const TRect last = g->CellRect(g->LeftCol(), g->RowCount() - 1);
    // A last row scrolled out of view has no edge to be below.
    if (last.Height() <= 0 || ClientPt.Y < last.Bottom) return false;
    ACol = g->TBaseGrid::FixedCols();
    ARow = g->RowCount() - 1;
    return true;
}

void TGridDropTarget::HideArrows(bool Up, bool Down, bool Left, bool Button)
{
    if (TArrowWindow* a = FGrid->ArwU(); a && Up) a->SetVisible(false);
    if (TArrowWindow* a = FGrid->ArwD(); a && Down) a->SetVisible(false);
    if (TArrowWindow* a = FGrid->ArwL(); a && Left) a->SetVisible(false);
    if (THeaderDragButton* b = FGrid->MoveButton(); b && Button) b->SetVisible(false);
}

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats)
{
    TKSGDropTarget::DragMouseMove(Pt, Allow, Formats);
    TKvStringGrid* g = FGrid;
    const TDragDropSettings* dd = g->DragDropSettings();
    const bool column = Formats & dfCol;
    const int fixedRows = g->TBaseGrid::FixedRows(), fixedCols = g->TBaseGrid::FixedCols();
    int ACol = -1, ARow = -1;
    g->ScreenToCell(Pt, ACol, ARow);
    const TPoint cp = g->ScreenToClient(Pt);
    bool append = AppendTest(cp, Formats, ACol, ARow);
    Allow = ACol >= 0 && ARow >= 0;

    // Scrolling while the drag rests near an edge; sideways at most once per two timer ticks.
    if (Allow && !column) {
        if (ARow == 0 && g->TopRow() > fixedRows)
            g->SetTopRow(g->TopRow() - 1);
        else if (cp.Y < 8 && fixedRows == 0 && g->TopRow() > 0)
            g->SetTopRow(g->TopRow() - 1);
        else if (ARow == g->TopRow() + g->VisibleRowCount())
            g->SetTopRow(g->TopRow() + 1);
        if (g->FTimerTicks % 2 == 0) {
            ++g->FTimerTicks;
            if (ACol == 0 && g->LeftCol() > fixedCols)
                g->SetLeftCol(g->LeftCol() - 1);
            else if (ACol == g->LeftCol() + g->VisibleColCount())
                g->SetLeftCol(g->LeftCol() + 1);
        }
    }

    if (!column) {
        if (ARow >= 0 && ARow < fixedRows && !(g->RowCount() == 1 && g->FixedRowAlways())) Allow = false;
    } else {
        const TRect last = g->ColCount() > 0 ? g->CellRect(g->ColCount() - 1, 0) : TRect();
        if (ACol < 0 && last.Width() > 0 && cp.X >= last.Right) {
            ACol = g->ColCount();
            ARow = 0;
            Allow = true;
        } else if (ARow >= 0 && ARow < fixedRows) {
            Allow = ACol >= fixedCols;
        } else {
            Allow = false;
        }
    }
    if (Formats & (dfFile | dfGridCells)) Allow = true;
    if (g->OnOleDragOver) g->OnOleDragOver(g, ARow, ACol, Allow);
    const bool validCell = ARow >= 0 && ACol >= 0;
    Allow = Allow && (validCell || (Formats & dfFile));

    if (Allow && column && validCell) {
        const TKvStringGrid::TDropArrowPlaces places = ColumnDropArrowPlaces(ScreenCellRect(ACol, 0));
        if (TArrowWindow* d = g->ArwD()) {
            g->PlaceOverlay(d, places.Second);
            d->SetVisible(true);
        }
        if (TArrowWindow* u = g->ArwU()) {
            g->PlaceOverlay(u, places.First);
            u->SetVisible(true);
        }
    } else if (Allow && validCell) {
        if (ARow == 0 && g->FixedRowAlways()) {
            ARow = 1;
            append = false;
        }
        const int refCol = dd->OleEntireRows() ? fixedCols : ACol;
        if (TArrowWindow* l = g->ArwL()) {
            g->PlaceOverlay(l, CellDropArrowPlace(ScreenCellRect(refCol, ARow), append));
            l->SetVisible(true);
        }
    } else {
        HideArrows(true, true, true, false);
    }
}

void TGridDropTarget::DragMouseLeave() { HideArrows(true, true, true, false); }

// ============================================================ drops

void TGridDropTarget::DropText(TPoint Pt, const QString& Text)
{
    TKvStringGrid* g = FGrid;
    const TDragDropSettings* dd = g->DragDropSettings();
    const int fixedRows = g->TBaseGrid::FixedRows(), fixedCols = g->TBaseGrid::FixedCols();
    int ACol = -1, ARow = -1;
    g->ScreenToCell(Pt, ACol, ARow);
    const bool append = AppendTest(g->ScreenToClient(Pt), dfText, ACol, ARow);
    bool Allow = true;
    int W = 0, rows = 0;
    TKvStringGrid::MeasureClipboardText(Text, W, rows);
    const int H = rows + 1;
    if (g->Options().Contains(goRowSelect))
        ACol = dd->OleEntireRows() ? 0 : fixedCols;
    else if (dd->OleEntireRows())
        ACol = fixedCols;
    if (g->OnOleDrop) g->OnOleDrop(g, ARow, ACol, Text, Allow);
    // A point off the cells fills nothing.
    if (Allow && (ARow < 0 || ACol < 0)) Allow = false;

    TGridRect filled;
    if (Allow) {
        if (ARow == 0 && g->FixedRowAlways() && g->RowCount() == 1) ARow = 1;
        if (dd->OleInsertRows()) {
            int top = g->TopRow();
            if (top > fixedRows) ++top;
            if (append) {
                g->SetRowCount(g->RowCount() + H);
                ++ARow;
            } else {
                // Rows inserted above the cells being dragged out of this grid push them down:
                // the source removes them from their new place afterwards.
                if (g->FDropSelection.Top >= ARow && dd->OleRemoveRows()) {
                    g->FDropSelection.Top += H;
                    g->FDropSelection.Bottom += H;
                    if (g->FMouseActions->DisjunctRowSelect() && ARow <= int(g->FRowSelect.size()))
                        g->FRowSelect.insert(g->FRowSelect.begin() + ARow, size_t(H), false);
                }
                g->InsertRows(ARow, H);
            }
            if (top > 0) g->SetTopRow(std::min(top, std::max(fixedRows, g->RowCount() - 1)));
        }
        int pastedRows = 0, pastedCols = 0;
        g->PasteTextAt(ACol, ARow, pastedRows, pastedCols, Text);
        ACol = std::max(ACol, fixedCols);
        filled = TGridRect(ACol, ARow, ACol + W - 1, ARow + H - 1);
        if (g->Options().Contains(goRowSelect)) filled.Right = ACol + W - fixedCols;
        g->SetSelection(filled);
    }
    HideArrows(false, true, true, true);
    // Nothing was filled when the drop was refused, so there is nothing to report.
    if (Allow && g->OnOleDropped) g->OnOleDropped(g, filled);
}

void TGridDropTarget::DropStream(TPoint Pt, TMemoryStream* Stream)
{
    TKvStringGrid* g = FGrid;
    int ACol = -1, ARow = -1;
    g->ScreenToCell(Pt, ACol, ARow);
    HideArrows(false, true, true, true);
    if (!Stream || ACol < 0 || ARow < 0) return;
    Stream->SetPosition(0);
    g->LoadAtPointFromBinStream(TPoint(ACol, ARow), Stream);
    if (g->OnOleDropped) g->OnOleDropped(g, g->Selection());
}

void TGridDropTarget::DropCol(TPoint Pt, int Column)
{
    TKvStringGrid* g = FGrid;
    int ACol = -1, ARow = -1;
    g->ScreenToCell(Pt, ACol, ARow);
    if (ACol < 0 || ACol >= g->ColCount()) ACol = g->ColCount();
    if (FDropFormats & dfCol) HideArrows(true, true, false, true);
    const int lastCol = std::max(0, g->ColCount() - 1);

    if (g->FOleDragCol != -1) {
        // A column from the application's list goes back into the grid where it was dropped.
        if (g->FColumnOrder.empty()) g->SetColumnOrder();
        const auto it = std::find(g->FColumnOrder.begin(), g->FColumnOrder.end(), g->FOleDragCol);
        // A column the grid does not know moves nothing and keeps its list entry.
        if (it != g->FColumnOrder.end()) {
            const int p = int(it - g->FColumnOrder.begin());
            if (auto* list = dynamic_cast<TListBox*>(g->FOleDragList.data());
                list && g->FOleDragIndex >= 0 && g->FOleDragIndex < list->Items()->Count())
                list->Items()->Delete(g->FOleDragIndex);
            g->UnHideColumn(p);
            MoveColumnEnhanced(g->DisplColIndex(p), std::min(ACol, lastCol));
        }
        g->FOleDragCol = -1;
    } else if (g->DragDropSettings()->OleColumnReorder()) {
        ACol = std::min(ACol, lastCol);
        MoveColumnEnhanced(g->DisplColIndex(Column), ACol);
    }
    if (g->OnOleDropCol) g->OnOleDropCol(g, ARow, ACol, Column);
}

void TGridDropTarget::MoveColumnEnhanced(int From, int To)
{
    TKvStringGrid* g = FGrid;
    if (From == To || From < 0 || From >= g->ColCount()) return;
    const QScopedValueRollback<bool> enhanced(g->FEnhRowColMove, true);
    g->MoveColumn(From, To);
}

void TGridDropTarget::DropIntoCell(TPoint Pt, const QString& Text, const TTextDropEvent& Event)
{
    TKvStringGrid* g = FGrid;
    int ACol = -1, ARow = -1;
    g->ScreenToCell(Pt, ACol, ARow);
    bool Allow = true;
    if (Event) Event(g, ARow, ACol, Text, Allow);
    if (Allow && ACol >= 0 && ARow >= 0) g->SetCells(g->RealColIndex(ACol), ARow, Text);
    HideArrows(false, true, true, false);
}

void TGridDropTarget::DropRTF(TPoint Pt, const QString& RTF) { DropIntoCell(Pt, RTF, FGrid->OnOleDrop); }

void TGridDropTarget::DropURL(TPoint Pt, const QString& URL) { DropIntoCell(Pt, URL, FGrid->OnOleDropURL); }

void TGridDropTarget::DropFiles(TPoint Pt, TStrings* Files)
{
    TKvStringGrid* g = FGrid;
    // Only a single file is taken; a list of several is left alone.
    if (Files && Files->Count() == 1) {
        const QString f = Files->Strings(0);
        bool Allow = true;
        if (g->OnOleDropFile) {
            int ACol = -1, ARow = -1;
            g->ScreenToCell(Pt, ACol, ARow);
            g->OnOleDropFile(g, ARow, ACol, f, Allow);
        }
        if (Allow) {
            const QString upper = f.toUpper();
            if (upper.contains(QLatin1String(".CSV"))) {
                if (g->OnOleDrop) g->OnOleDrop(g, -1, -1, f, Allow);
                if (Allow) g->LoadFromCSV(f, 0);
            }
            if (upper.contains(QLatin1String(".XLS"))) {
                if (g->OnOleDrop) g->OnOleDrop(g, -1, -1, f, Allow);
                if (Allow) g->LoadFromXLS(f);
            }
        }
    }
    HideArrows(false, true, true, false);
}

// ============================================================ the drag source

void TGridDropSource::QueryDrag()
{
    const TPoint cursor = Mouse->CursorPos();
    if (FGrid->DragDropSettings()->ShowCells()) {
        if (TNoActiveForm* f = FGrid->MoveForm()) {
            const TPoint p = MoveFormPlace(cursor);
            f->SetBounds(p.X, p.Y, f->Width(), f->Height());
        }
    } else if (THeaderDragButton* b = FGrid->MoveButton()) {
        FGrid->PlaceOverlay(b, MoveButtonPlace(cursor, b->Height()));
    }
}

void TGridDropSource::CurrentEffect(DWORD Effect)
{
    if (Effect == DROPEFFECT_COPY || Effect == DROPEFFECT_MOVE) FLastEffect = Effect;
}

void TGridDropSource::DragFinished()
{
    TKSGDropSource::DragFinished();
    if (FGrid->DragDropSettings()->ShowCells()) FGrid->FreeMoveForm();
}

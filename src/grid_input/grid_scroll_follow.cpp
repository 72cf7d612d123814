// What the grid does after its view scrolled: stale areas repainted, special
// editors closed, footer and cell controls brought along, a synchronised grid
// dragged with it.

#include "grid/kv_string_grid.h"

void TKvStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    const TGridRect sel = Selection();
    if (FSelectionRectangle && sel.Bottom > sel.Top) Invalidate();
    const bool bitmap = !FBackGround->Bitmap()->Empty();
    if ((FBackGround->Display() == bdTile || FBackGround->Display() == bdFixed) && bitmap) Invalidate();
    else if (FBackGround->IsGradient() && FBackGround->ColorTo() != clNone) Invalidate();
    // Only the plain text editor follows its cell; any other closes (and stores).
    if (EditorMode()) {
        TEditorType kind = FDefaultEditor;
        GetCellEditor(Col(), Row(), kind);
        if (kind != edNormal) HideInplaceEdit();
    }
    UpdateFooter();
    CellControlsUpdate(false);
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    if (FDesigning) Invalidate();
    if (TKvStringGrid* partner = FSyncGrid->Grid()) {
        if (FSyncGrid->ScrollVertical() && partner->TopRow() != TopRow() && TopRow() < partner->RowCount())
            partner->SetTopRow(TopRow());
        if (FSyncGrid->ScrollHorizontal() && partner->LeftCol() != LeftCol() && LeftCol() < partner->ColCount())
            partner->SetLeftCol(LeftCol());
    }
}

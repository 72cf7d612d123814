// Attaching graphics to cells and taking them off again. The grid's shared
// graphics (row and virtual check boxes) are handed out, never kept or freed.
#include "grid/kv_string_grid.h"

#include "grid/cell_properties.h"

namespace {
// Whether a graphic is one a cell owns (the shared ones belong to the grid).
bool OwnedByCell(const TCellGraphic* g)
{
    return g && !g->IsShared();
}
} // namespace

TCellGraphic* TKvStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    if (HasCellProperties(ACol, ARow)) {
        TCellProperties* p = GridObjects(ACol, ARow);
        TObject* old = p->GraphicObject();
        if (old && old->ClassName() == QLatin1String("TCellGraphic")) {
            auto* g = static_cast<TCellGraphic*>(old);
            p->ReleaseGraphicObject();
            if (OwnedByCell(g)) delete g;
        }
    }
    auto* g = new TCellGraphic();
    // The graphic slot lives in the cell properties; an empty cell gets them
    // through a blank text write, as every other cell write does.
    SetGraphicObjects(ACol, ARow, g);
    const int dc = DisplColIndex(ACol);
    if (NumHiddenColumns() > 0 && dc != ACol && dc >= 0) RepaintCell(dc, ARow);
    return g;
}

bool TKvStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    if (HasCellProperties(ACol, ARow) && GridObjects(ACol, ARow)->GraphicObject() == g)
        GridObjects(ACol, ARow)->ReleaseGraphicObject();
    if (OwnedByCell(g)) delete g;
    if (!IsDestroying()) RepaintCell(ACol, ARow);
    return true;
}

bool TKvStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType)
{
    if (GetCellType(ACol, ARow) != AType) return false;
    return RemoveCellGraphic(ACol, ARow);
}

#include "grid/cell_properties.h"

#include "grid/base_grid.h"
#include "grid/cell_graphic.h"

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow)
{
    if (FOwnerGrid) {
        FWordWrap = FOwnerGrid->WordWrap();
        FOwnerGrid->FHasCellProps = true;
        FOwnerGrid->FOwnedProps.insert(this);
    }
}

TCellProperties::~TCellProperties()
{
    FreeOwnedGraphic();
    if (FOwnerGrid) FOwnerGrid->FOwnedProps.erase(this);
}

void TCellProperties::FreeOwnedGraphic()
{
    // Only a graphic made for a cell goes with it; the grid's shared graphics
    // and objects of other classes belong to someone else.
    if (!FGraphicObject) return;
    if (FGraphicObject->ClassName() == QLatin1String("TCellGraphic")) {
        auto* g = static_cast<TCellGraphic*>(FGraphicObject);
        if (!g->IsShared()) delete g;
    }
    FGraphicObject = nullptr;
}

TObject* TCellProperties::ReleaseGraphicObject()
{
    TObject* g = FGraphicObject;
    FGraphicObject = nullptr;
    return g;
}

void TCellProperties::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TCellProperties*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FIsBaseCell = s->FIsBaseCell;
    FCellSpanX = s->FCellSpanX;
    FCellSpanY = s->FCellSpanY;
    FOwnerRow = s->FOwnerRow;
    FOwnerCol = s->FOwnerCol;
    FObject = s->FObject;
    FAlignment = s->FAlignment;
    FBorderColor = s->FBorderColor;
    FBorderWidth = s->FBorderWidth;
    FBrushColor = s->FBrushColor;
    FBrushStyle = s->FBrushStyle;
    FFontColor = s->FFontColor;
    FFontStyle = s->FFontStyle;
    FFontName = s->FFontName;
    FFontSize = s->FFontSize;
    FReadOnly = s->FReadOnly;
    FEditor = s->FEditor;
    FVAlignment = s->FVAlignment;
    FWordWrap = s->FWordWrap;
    FNodeLevel = s->FNodeLevel;
    FControl = s->FControl;
}

void TCellProperties::RepaintOwnerCell()
{
    if (FOwnerGrid) FOwnerGrid->BaseRepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor v)
{
    FBrushColor = v;
    RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor v)
{
    FBrushColorTo = v;
    RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool v)
{
    FWordWrap = v;
    RepaintOwnerCell();
}

TPoint TCellProperties::BaseCell(int c, int r) const
{
    if (FIsBaseCell || FCellSpanX == -1 || FCellSpanY == -1) return TPoint(c, r);
    return TPoint(c - FCellSpanX, r - FCellSpanY);
}

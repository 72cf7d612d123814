#pragma once
// The attributes of one cell: colours, font, alignments, flags, merge state,
// the user object, the cell graphic and a control placed in the cell. A grid
// makes them on demand and keeps them in the cell's object slot.
//
// Ownership: the grid that made (or adopted) a properties object owns it. A
// storage cell, and later a hidden-row record, holds the reference; moving a
// row or column moves the reference, and dropping a reference without freeing
// is such a move. Whatever no slot frees is released with its grid, so nothing
// leaks and nothing is freed twice. The graphic belongs to the properties
// unless it is a shared graphic or an object of another class (the caller's).

#include <QString>

#include "grid/grid_enums.h"
#include "platform/core/classes.h"
#include "platform/ui/graphics.h"
#include "platform/ui/stdctrls.h"

class TBaseGrid;
class TControl;

enum TColumnCalcType : int {
    acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV
};

class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);
    ~TCellProperties() override;
    TCellProperties(const TCellProperties&) = delete;
    TCellProperties& operator=(const TCellProperties&) = delete;
    QString ClassName() const override { return QStringLiteral("TCellProperties"); }

    // Copies the merge state, owner cell, user object, alignments, border,
    // brush colour and style, font, read-only, editor, word wrap, node level and
    // control; not the grid, graphic, gradient end, calculation or paint mark.
    void Assign(const TPersistent* Source) override;

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int v) { FOwnerCol = v; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int v) { FOwnerRow = v; }
    uintptr_t CellObject() const { return FObject; }
    void SetCellObject(uintptr_t v) { FObject = v; }
    TObject* GraphicObject() const { return FGraphicObject; }
    // Stores only: whoever replaces an owned graphic frees the old one first.
    void SetGraphicObject(TObject* v) { FGraphicObject = v; }
    // Takes the graphic out of the properties without freeing it.
    TObject* ReleaseGraphicObject();

    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle v) { FBrushStyle = v; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v);       // repaints the owner cell
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor v);     // repaints the owner cell
    int FontSize() const { return FFontSize; }
    void SetFontSize(int v) { FFontSize = v; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor v) { FFontColor = v; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles v) { FFontStyle = v; }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(int v) { FCellSpanY = v; }
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int v) { FCellSpanX = v; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);  // repaints the owner cell
    int PaintID() const { return FPaintID; }
    void SetPaintID(int v) { FPaintID = v; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);           // repaints the owner cell
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool v) { FIsBaseCell = v; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType v) { FCalcType = v; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* v) { FCalcObject = v; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int v) { FNodeLevel = v; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType v) { FEditor = v; }
    QString FontName() const { return FFontName; }
    void SetFontName(const QString& v) { FFontName = v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection v) { FGradientDirection = v; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* v) { FControl = v; }

    // Base cell of the merged area, given this cell's own coordinates.
    TPoint BaseCell(int c, int r) const;

private:
    friend class TBaseGrid;
    void RepaintOwnerCell();
    void FreeOwnedGraphic();

    TBaseGrid* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    uintptr_t FObject = 0;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    int FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintID = 0;
    bool FWordWrap = true;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    QString FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
};

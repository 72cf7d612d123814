#pragma once
// The graphic a cell can carry beside its text (bitmap, check box, button,
// progress bar, ...). It lives in the graphic slot of the cell's properties,
// which free it with themselves unless it is one of the grid's shared graphics
// (the virtual and row check boxes, never kept in a cell). What the graphic
// itself owns follows CellCreated and its kind (see ~TCellGraphic).

#include <QString>
#include <QVariant>
#include <variant>

#include "platform/core/classes.h"
#include "platform/ui/graphics.h"
#include "platform/ui/stdctrls.h"

enum TCellType : int {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode,
    ctRadio, ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton,
    ctBitButton, ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress,
    ctInterface, ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand
};

enum TCellHAlign : int { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : int { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode : int { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TBalloonIcon : int { biNone, biInfo, biWarning, biError };

struct TScrollProp {
    int PageSize = 0;
    int Range = 0;
};

// One object slot of a graphic: empty, an object of one of the kinds a cell
// shows, or a colour value for the kinds that carry colours.
using TCellSlot = std::variant<std::monostate, TObject*, TGraphic*, TPicture*, TColor>;

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;
    QString ClassName() const override { return QStringLiteral("TCellGraphic"); }

    // Copies kind, alignments, index, transparency, value, angle, flag, marker
    // and text and the created flag; not the object slots, the variant or the
    // tri-state state.
    void Assign(const TPersistent* Source) override;

    // The grid's shared graphics are never freed with a cell.
    bool IsShared() const { return FCellType == ctVirtCheckBox || FCellType == ctRowCheckBox; }

    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType v) { FCellType = v; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign v) { FCellVAlign = v; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign v) { FCellHAlign = v; }
    int CellIndex() const { return FCellIndex; }
    void SetCellIndex(int v) { FCellIndex = v; }
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool v) { FCellTransparent = v; }
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool v) { FCellCreated = v; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool v) { FCellBoolean = v; }
    TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
    void SetCellCheckBoxState(TCheckBoxState v) { FCellCheckBoxState = v; }
    int CellAngle() const { return FCellAngle; }
    void SetCellAngle(int v) { FCellAngle = v; }
    double CellValue() const { return FCellValue; }
    void SetCellValue(double v) { FCellValue = v; }
    int CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(int v) { FCellErrFrom = v; }
    int CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(int v) { FCellErrLen = v; }
    QString CellText() const { return FCellText; }
    void SetCellText(const QString& v) { FCellText = v; }

    // Size of a picture (ctPicture, ctFilePicture) placed in a room of cw x rh
    // pixels by its stretch mode (CellAngle) less its padding (CellIndex);
    // every other kind answers Default.
    TPoint GetPictureSize(int cw, int rh, bool HasText, TPoint Default = TPoint()) const;

    TCellSlot FCellBitmap;
    TCellSlot FCellIcon;
    QVariant FCellVar;

private:
    TCellType FCellType = ctNone;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    QString FCellText;
    TCheckBoxState FCellCheckBoxState = cbUnchecked;
};

// The five check-box kinds (plain, data, virtual, row, tri-state).
inline bool IsCheckBoxKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctTriStateCheckBox;
}

// What the object of a ctInterface cell may offer: found with dynamic_cast,
// never owned by the cell.
class IInterfacedCell {
public:
    virtual ~IInterfacedCell() = default;
    virtual void Draw(TCanvas* Canvas, const TRect& R, int Col, int Row, bool Selected, TObject* Grid) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // Drawn before the cell text.
    virtual bool IsBefore() = 0;
};

// The object of a ctInterface graphic, when it offers the interface.
inline IInterfacedCell* InterfaceOf(const TCellGraphic* g)
{
    if (auto* o = std::get_if<TObject*>(&g->FCellBitmap)) return dynamic_cast<IInterfacedCell*>(*o);
    return nullptr;
}

// Frees the object a slot holds (colours and empty slots hold none) and empties it.
void FreeCellSlot(TCellSlot& Slot);

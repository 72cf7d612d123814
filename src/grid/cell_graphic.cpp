#include "grid/cell_graphic.h"

void FreeCellSlot(TCellSlot& Slot)
{
    if (auto* o = std::get_if<TObject*>(&Slot)) delete *o;
    else if (auto* g = std::get_if<TGraphic*>(&Slot)) delete *g;
    else if (auto* p = std::get_if<TPicture*>(&Slot)) delete *p;
    Slot = std::monostate{};
}

TCellGraphic::~TCellGraphic()
{
    switch (FCellType) {
    case ctBitmap: case ctRadio: case ctPicture: case ctFilePicture: case ctBitButton:
        if (FCellCreated) FreeCellSlot(FCellBitmap);
        break;
    case ctImages: case ctBalloon:
        FreeCellSlot(FCellBitmap);
        break;
    case ctIcon:
        if (FCellCreated) FreeCellSlot(FCellIcon);
        break;
    case ctCheckBox: case ctDataCheckBox: case ctRadioButton:
        // the balloon texts attached to a check box or radio button
        if (FCellAngle == 1) FreeCellSlot(FCellBitmap);
        break;
    default:
        break;
    }
}

void TCellGraphic::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TCellGraphic*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FCellType = s->FCellType;
    FCellVAlign = s->FCellVAlign;
    FCellHAlign = s->FCellHAlign;
    FCellIndex = s->FCellIndex;
    FCellTransparent = s->FCellTransparent;
    FCellValue = s->FCellValue;
    FCellAngle = s->FCellAngle;
    FCellBoolean = s->FCellBoolean;
    FCellErrFrom = s->FCellErrFrom;
    FCellErrLen = s->FCellErrLen;
    FCellText = s->FCellText;
    FCellCreated = s->FCellCreated;
}

TPoint TCellGraphic::GetPictureSize(int, int, bool) const
{
    return TPoint(0, 0);
}

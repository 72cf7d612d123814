#include "grid/cell_graphic.h"

#include <algorithm>

#include "grid/grid_lists.h"
#include "platform/core/sysutils.h"

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

TPoint TCellGraphic::GetPictureSize(int cw, int rh, bool, TPoint Default) const
{
    if (FCellType != ctPicture && FCellType != ctFilePicture) return Default;
    int w = 0, h = 0;
    if (auto* p = std::get_if<TPicture*>(&FCellBitmap); p && *p) {
        w = (*p)->Width();
        h = (*p)->Height();
    } else if (auto* o = std::get_if<TObject*>(&FCellBitmap); o && *o) {
        if (auto* f = dynamic_cast<TFilePicture*>(*o)) {
            w = f->Width();
            h = f->Height();
        }
    }
    cw -= FCellIndex;
    rh -= FCellIndex;
    auto aspect = [&](bool limit) {
        double rx = w <= 0 ? 1.0 : double(cw) / w;
        double ry = h <= 0 ? 1.0 : double(rh) / h;
        if (limit) {
            rx = std::min(rx, 1.0);
            ry = std::min(ry, 1.0);
        }
        if (rx >= ry) return TPoint(int(RoundHalfEven(w * ry)), rh);
        return TPoint(cw, int(RoundHalfEven(h * rx)));
    };
    switch (TStretchMode(FCellAngle)) {
    case Stretch: return TPoint(cw, rh);
    case Shrink: return w > cw || h > rh ? TPoint(cw, rh) : TPoint(w, h);
    case StretchWithAspectRatio: return aspect(false);
    case ShrinkWithAspectRatio: return w <= cw && h <= rh ? TPoint(w, h) : aspect(true);
    default: return TPoint(w, h);
    }
}

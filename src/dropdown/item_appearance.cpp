#include "dropdown/item_appearance.h"

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner)
{
    FFont.SetName(QStringLiteral("Tahoma"));
    SetColorStyle(scOffice2007);
    FColorSelectedText = 0;
    FColorHotText = 0;
    FBorderColorHot = clNone;
    FBorderColorSelected = clNone;
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle Style)
{
    if (Style == FColorStyle) return;
    FColorStyle = Style;
    struct Preset {
        TColor Hot, HotTo, MirrorHot, MirrorHotTo, BorderTop, BorderBottom, Border, Edge, Selected, SelectedTo,
            MirrorSelected, MirrorSelectedTo;
    };
    static const Preset office2007{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF,
                                   0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9};
    static const Preset vista{0xFDF8F1, 0xFCEFD5, clNone,   clNone,   0xFDFBF6, 0xFDF5E7,
                              0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone,   clNone};
    static const Preset windows7{0xFCEBDC, 0xFCDBC1, clNone,   clNone,   0xFDF4EB, 0xFDEADB,
                                 0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone,   clNone};
    const Preset* p = Style == scOffice2007 ? &office2007 : Style == scWindowsVista ? &vista
                    : Style == scWindows7   ? &windows7   : nullptr;
    if (!p) return;
    FColorHot = p->Hot;
    FColorHotTo = p->HotTo;
    FColorMirrorHot = p->MirrorHot;
    FColorMirrorHotTo = p->MirrorHotTo;
    FBorderColorTop = p->BorderTop;
    FBorderColorBottom = p->BorderBottom;
    FBorderColor = p->Border;
    FEdgeColor = p->Edge;
    FColorSelected = p->Selected;
    FColorSelectedTo = p->SelectedTo;
    FColorMirrorSelected = p->MirrorSelected;
    FColorMirrorSelectedTo = p->MirrorSelectedTo;
}

void TItemAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TItemAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FColorHot = s->FColorHot;
    FColorHotTo = s->FColorHotTo;
    FColorMirrorHot = s->FColorMirrorHot;
    FColorMirrorHotTo = s->FColorMirrorHotTo;
    FBorderColorTop = s->FBorderColorTop;
    FBorderColorBottom = s->FBorderColorBottom;
    FBorderColor = s->FBorderColor;
    FEdgeColor = s->FEdgeColor;
    FColorSelected = s->FColorSelected;
    FColorSelectedTo = s->FColorSelectedTo;
    FColorMirrorSelected = s->FColorMirrorSelected;
    FColorMirrorSelectedTo = s->FColorMirrorSelectedTo;
    FFont.Assign(s->FFont);
    SetColorStyle(s->FColorStyle);
    FColorSelectedText = s->FColorSelectedText;
    FColorHotText = s->FColorHotText;
    FBorderColorHot = s->FBorderColorHot;
    FBorderColorSelected = s->FBorderColorSelected;
}

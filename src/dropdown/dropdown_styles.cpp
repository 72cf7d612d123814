// Style tables and the style operations of the drop-down edit.
#include "dropdown/dropdown_styles.h"

#include "dropdown/dropdown_draw.h"
#include "dropdown/item_appearance.h"
#include "dropdown/kv_button.h"
#include "grid/draw_utils.h"

namespace {
constexpr TColor N = clNone;
constexpr TColor U = kStyleUnchanged;
constexpr TColor BF = clBtnFace;
constexpr TColor HL = clHighlight;
constexpr TColor HT = clHighlightText;
constexpr TColor IC = clInactiveCaption;

// Indexed by style; the tsCustom row is never used.
const TPopupStyleRow kPopup[16] = {
    /* Office2003Blue */ {0xFFFFFF, N, U, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0xFCE1CB, 0xE0A57D, 0x962D00, 0x000000},
    /* Office2003Silver */ {0xFFFFFF, N, U, 0xECE2E1, 0xB39698, 0x947C7C, 0x000000, 0xECE2E1, 0xB39698, 0x947C7C, 0x000000},
    /* Office2003Olive */ {0xFFFFFF, N, N, 0xCFF0EA, 0x8CC0B1, 0x588060, 0x000000, 0xCFF0EA, 0x8CC0B1, 0x588060, 0x000000},
    /* Office2003Classic */ {0xF2F2F2, 0xF2F2F2, N, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080, 0x808080, 0xFFFFFF},
    /* Office2007Luna */ {0xF3E5DA, 0xF0DED0, N, 0xFFEFE3, 0xFFD2AF, 0xFFD2AF, 0x723708, 0xFFEFE3, 0xFFD2AF, 0xFFD2AF, 0x723708},
    /* Office2007Obsidian */ {0xFFFFFF, N, N, 0xF2F1F0, 0xC9C2BD, 0x5C534C, 0x433C37, 0xF2F1F0, 0xC9C2BD, 0x5C534C, 0x433C37},
    /* WindowsXP */ {0xFFFFFF, N, U, 0xFFFFFF, BF, 0x808080, 0x000000, 0xFFFFFF, BF, 0x808080, 0x000000},
    /* Whidbey */ {0xF5F9FA, 0xF5F9FA, N, 0xEBEEEF, 0x7E9898, 0x962D00, 0xFFFFFF, 0xEBEEEF, 0x7E9898, 0x962D00, 0xFFFFFF},
    /* Custom */ {U, U, U, U, U, U, U, U, U, U, U},
    /* Office2007Silver */ {0xF8F4F1, 0xF0E8E3, N, 0xF8F7F6, 0xE8E0DB, 0x74706F, 0x8B4215, 0xF8F7F6, 0xE8E0DB, 0x74706F, 0x8B4215},
    /* WindowsVista */ {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0x000000, 0xFFFAF0, 0xFFFDF9, 0xFCF2DA, 0x000000},
    /* Windows7 */ {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0x000000, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0x000000},
    /* Terminal */ {0xFFFFFF, 0xFFFFFF, 0x808080, BF, BF, N, 0x000000, BF, BF, N, 0x000000},
    /* Office2010Blue */ {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0x5B391E, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0x5B391E},
    /* Office2010Silver */ {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8, 0x5B391E, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8, 0x5B391E},
    /* Office2010Black */ {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0x6D6D6D, 0xD7D7D6, 0xBFBFBF, 0x919191, 0x6D6D6D, 0xD7D7D6},
};

// The 2003/2007 rows share their hot, down, disabled and checked colours.
#define KV_OFFICE_BUTTONS 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B
#define KV_OFFICE2010_BUTTONS 0x8AE3FD, N, 0x58CAF1, 0x6CD0FF, N, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, N, 0x4FA0CE
const TButtonStyleRow kButtons[16] = {
    /* Office2003Blue */ {0xFCE1CB, 0xE0A57D, N, KV_OFFICE_BUTTONS},
    /* Office2003Silver */ {0xECE2E1, 0xB39698, N, KV_OFFICE_BUTTONS},
    /* Office2003Olive */ {0xCFF0EA, 0x8CC0B1, N, KV_OFFICE_BUTTONS},
    /* Office2003Classic */ {0xFFFFFF, 0xC9D1D5, N, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080},
    /* Office2007Luna */ {0xFFEFE3, 0xFFDDC4, N, KV_OFFICE_BUTTONS},
    /* Office2007Obsidian */ {0xF2F1F0, 0xC9C2BD, N, KV_OFFICE_BUTTONS},
    /* WindowsXP */ {0xFFFFFF, BF, N, 0xEFD3C6, 0xEFD3C6, HL, IC, IC, HL, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
    /* Whidbey */ {0xFFFFFF, 0xDFEDF0, N, KV_OFFICE_BUTTONS},
    /* Custom */ {U, U, U, U, U, U, U, U, U, U, U, U, U, U},
    /* Office2007Silver */ {0xF9F8F8, 0xE4E2DF, N, KV_OFFICE_BUTTONS},
    /* WindowsVista */ {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    /* Windows7 */ {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    /* Terminal */ {BF, BF, N, 0xC0C0C0, 0xC0C0C0, 0x808080, HL, HL, 0x808080, BF, BF, BF, BF, HL},
    /* Office2010Blue */ {0xFDF6EF, 0xF0DAC7, 0xC7B29F, KV_OFFICE2010_BUTTONS},
    /* Office2010Silver */ {0xFFFFFF, 0xEDE5E0, 0xD2CDC8, KV_OFFICE2010_BUTTONS},
    /* Office2010Black */ {0xBFBFBF, 0x919191, 0xD7D7D6, KV_OFFICE2010_BUTTONS},
};
#undef KV_OFFICE_BUTTONS
#undef KV_OFFICE2010_BUTTONS

#define KV_OFFICE_ITEMS 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE
#define KV_OFFICE2010_ITEMS 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, N, N, N, 0x000000
const TItemStyleRow kItems[16] = {
    /* Office2003Blue */ {KV_OFFICE_ITEMS, N, N, N, 0x000000},
    /* Office2003Silver */ {KV_OFFICE_ITEMS, N, N, N, 0x000000},
    /* Office2003Olive */ {KV_OFFICE_ITEMS, N, N, N, 0x000000},
    /* Office2003Classic */ {0xD2BDB6, 0xD2BDB6, N, N, 0xB59285, 0xB59285, N, N, 0x808080, N, N, N, 0x000000},
    /* Office2007Luna */ {KV_OFFICE_ITEMS, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    /* Office2007Obsidian */ {KV_OFFICE_ITEMS, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    /* WindowsXP */ {0xEFD3C6, 0xEFD3C6, N, N, HL, N, N, N, HL, N, N, N, HT},
    /* Whidbey */ {KV_OFFICE_ITEMS, N, N, N, 0x000000},
    /* Custom */ {U, U, U, U, U, U, U, U, U, U, U, U, U},
    /* Office2007Silver */ {KV_OFFICE_ITEMS, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    /* WindowsVista */ {0xFFFDF9, 0xFFFAF0, N, N, 0xFEF9F0, 0xFDF0D7, N, N, 0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, 0x000000},
    /* Windows7 */ {0xFDFBFA, 0xFDF3EB, N, N, 0xFCEBDC, 0xFCDBC1, N, N, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, 0x000000},
    /* Terminal */ {0xC0C0C0, 0xC0C0C0, N, N, HL, N, N, N, 0x808080, N, N, N, HT},
    /* Office2010Blue */ {KV_OFFICE2010_ITEMS},
    /* Office2010Silver */ {KV_OFFICE2010_ITEMS},
    /* Office2010Black */ {KV_OFFICE2010_ITEMS},
};
#undef KV_OFFICE_ITEMS
#undef KV_OFFICE2010_ITEMS

bool Styled(TQRVStyle s) { return s >= tsOffice2003Blue && s <= tsOffice2010Black && s != tsCustom; }

// Writes a table cell through a setter unless it reads "unchanged".
template <class F>
void Apply(TColor v, F&& set)
{
    if (v != kStyleUnchanged) set(v);
}
} // namespace

const TPopupStyleRow* PopupStyleRow(TQRVStyle s) { return Styled(s) ? &kPopup[s] : nullptr; }
const TButtonStyleRow* ButtonStyleRow(TQRVStyle s) { return Styled(s) ? &kButtons[s] : nullptr; }
const TItemStyleRow* ItemStyleRow(TQRVStyle s) { return Styled(s) ? &kItems[s] : nullptr; }

void TKvCustomDropDown::SetComponentStyle(TQRVStyle AStyle)
{
    FRUZStyle = AStyle;
    const TPopupStyleRow* a = PopupStyleRow(AStyle);
    const TButtonStyleRow* b = ButtonStyleRow(AStyle);
    if (!a || !b) return;
    Apply(a->Popup, [this](TColor v) { SetDropDownColor(v); });
    Apply(a->PopupTo, [this](TColor v) { FDropDownColorTo = v; });
    Apply(a->PopupBorder, [this](TColor v) { FDropDownBorderColor = v; });
    // Header and footer are written directly: an open popup shows them at its next painting.
    THeaderAppearance* hd = FDropDownHeader;
    TFooterAppearance* ft = FDropDownFooter;
    Apply(a->Header, [hd](TColor v) { hd->SetColor(v); });
    Apply(a->HeaderTo, [hd](TColor v) { hd->SetColorTo(v); });
    Apply(a->HeaderBorder, [hd](TColor v) { hd->SetBorderColor(v); });
    Apply(a->HeaderFont, [hd](TColor v) { hd->Font()->SetColor(v); });
    Apply(a->Footer, [ft](TColor v) { ft->SetColor(v); });
    Apply(a->FooterTo, [ft](TColor v) { ft->SetColorTo(v); });
    Apply(a->FooterBorder, [ft](TColor v) { ft->SetBorderColor(v); });
    Apply(a->FooterFont, [ft](TColor v) { ft->Font()->SetColor(v); });
    TKvButtonAppearance* ba = FButtonAppearance;
    if (!ba) return;
    Apply(b->Color, [ba](TColor v) { ba->SetColor(v); });
    Apply(b->ColorTo, [ba](TColor v) { ba->SetColorTo(v); });
    Apply(b->BorderColor, [ba](TColor v) { ba->SetBorderColor(v); });
    Apply(b->ColorHot, [ba](TColor v) { ba->SetColorHot(v); });
    Apply(b->ColorHotTo, [ba](TColor v) { ba->SetColorHotTo(v); });
    Apply(b->BorderColorHot, [ba](TColor v) { ba->SetBorderColorHot(v); });
    Apply(b->ColorDown, [ba](TColor v) { ba->SetColorDown(v); });
    Apply(b->ColorDownTo, [ba](TColor v) { ba->SetColorDownTo(v); });
    Apply(b->BorderColorDown, [ba](TColor v) { ba->SetBorderColorDown(v); });
    Apply(b->ColorDisabled, [ba](TColor v) { ba->SetColorDisabled(v); });
    Apply(b->ColorDisabledTo, [ba](TColor v) { ba->SetColorDisabledTo(v); });
    Apply(b->ColorChecked, [ba](TColor v) { ba->SetColorChecked(v); });
    Apply(b->ColorCheckedTo, [ba](TColor v) { ba->SetColorCheckedTo(v); });
    Apply(b->BorderColorChecked, [ba](TColor v) { ba->SetBorderColorChecked(v); });
}

void TKvCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton) {
        FButton->SetButtonColor(ATones.Background.BrushColor);
        FButton->SetButtonColorHot(ATones.Hover.BrushColor);
        FButton->SetButtonColorDown(ATones.Selected.BrushColor);
        FButton->SetButtonBorderColor(ATones.Background.BorderColor);
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TKvCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    FSelectionColorStyle = Value;
    switch (Value) {
    case scOffice2007: FSelectionColor = 0xD7FFFD; FSelectionColorTo = 0x58D4FC; break;
    case scWindowsVista: FSelectionColor = 0xFDF8F1; FSelectionColorTo = 0xFCEFD5; break;
    case scWindows7: FSelectionColor = 0xFCEBDC; FSelectionColorTo = 0xFCDBC1; break;
    case scCustom: break;
    }
}

void TKvCustomDropDown::DrawSelection(TCanvas* ACanvas, const TRect& R, int Part, TColor Background)
{
    if (!ACanvas) return;
    switch (FSelectionColorStyle) {
    case scCustom:
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(FSelectionColor);
        ACanvas->Pen()->SetColor(FSelectionColor);
        ACanvas->Rectangle(R);
        return;
    case scOffice2007:
        DrawButtonSegment(ACanvas, FSelectionColor, FSelectionColorTo, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF,
                          0x8DD7D3, 0xC3D9DF, Background, R, Part);
        return;
    case scWindowsVista:
        DrawButtonSegment(ACanvas, FSelectionColor, FSelectionColorTo, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99,
                          0xFCEDCB, Background, R, Part);
        return;
    case scWindows7:
        DrawButtonSegment(ACanvas, FSelectionColor, FSelectionColorTo, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D,
                          0xE0C5AE, Background, R, Part);
        return;
    }
}

void TKvCustomDropDown::DrawGradient(TCanvas* ACanvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                                     TGradientDirection Direction)
{
    ::DrawGradient(ACanvas, FromColor, ToColor, Steps, R, Direction == gdHorizontal);
}

void SetItemAppearanceStyle(TItemAppearance* Appearance, TQRVStyle AStyle)
{
    const TItemStyleRow* c = ItemStyleRow(AStyle);
    if (!Appearance || !c) return;
    Appearance->SetBorderColorHot(clNone);
    Appearance->SetBorderColorSelected(clNone);
    Appearance->SetColorSelectedText(0x000000);
    Appearance->SetColorHotText(0x000000);
    Appearance->SetColorHot(c->ColorHot);
    Appearance->SetColorHotTo(c->ColorHotTo);
    Appearance->SetColorMirrorHot(c->ColorMirrorHot);
    Appearance->SetColorMirrorHotTo(c->ColorMirrorHotTo);
    Appearance->SetColorSelected(c->ColorSelected);
    Appearance->SetColorSelectedTo(c->ColorSelectedTo);
    Appearance->SetColorMirrorSelected(c->ColorMirrorSelected);
    Appearance->SetColorMirrorSelectedTo(c->ColorMirrorSelectedTo);
    Appearance->SetBorderColor(c->BorderColor);
    Appearance->SetBorderColorTop(c->BorderColorTop);
    Appearance->SetBorderColorBottom(c->BorderColorBottom);
    Appearance->SetEdgeColor(c->EdgeColor);
    Appearance->SetColorSelectedText(c->ColorSelectedText);
}

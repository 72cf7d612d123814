#include "grid/control_look.h"

#include "grid/kv_string_grid.h"

TControlLook::TControlLook(TKvStringGrid* AOwner)
    : FGrid(AOwner), FCheckedGlyph(std::make_unique<TBitmap>()), FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()), FRadioOffGlyph(std::make_unique<TBitmap>())
{
    Init();
    FDropDownHeader = std::make_unique<THeaderAppearance>(AOwner);
    FDropDownFooter = std::make_unique<TFooterAppearance>(AOwner);
}

TControlLook::~TControlLook()
{
    FDropDownHeader.reset();
    FDropDownFooter.reset();
}

void TControlLook::Changed()
{
    if (FGrid) FGrid->Invalidate();
}

void TControlLook::Init()
{
    FColor = 0;
    FCommentColor = 0xFF;
    FProgressBorderColor = 0x808080;
    FFixedGradientFrom = clNone;
    FFixedGradientTo = clNone;
    FFixedGradientMirrorFrom = clNone;
    FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = 0x808080;
    FFixedGradientHoverTo = 0xFFFFFF;
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    FFixedGradientHoverBorder = 0xC0C0C0;
    FFixedGradientDownFrom = 0x808080;
    FFixedGradientDownTo = 0xC0C0C0;
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
    FFixedGradientDownBorder = 0x808080;
}

void TControlLook::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TControlLook*>(Source);
    if (!s) return;
    FCheckSize = s->FCheckSize;
    FRadioSize = s->FRadioSize;
    FControlStyle = s->FControlStyle;
    FCheckedGlyph->Assign(*s->FCheckedGlyph);
    FUnCheckedGlyph->Assign(*s->FUnCheckedGlyph);
    FRadioOnGlyph->Assign(*s->FRadioOnGlyph);
    FRadioOffGlyph->Assign(*s->FRadioOffGlyph);
    FProgressMarginX = s->FProgressMarginX;
    FProgressMarginY = s->FProgressMarginY;
    FCommentColor = s->FCommentColor;
    FColor = s->FColor;
    FProgressBorderColor = s->FProgressBorderColor;
    FCheckAlwaysActive = s->FCheckAlwaysActive;
    FRadioAlwaysActive = s->FRadioAlwaysActive;
    // Each gradient pair arrives with its ends exchanged.
    FFixedGradientTo = s->FFixedGradientFrom;
    FFixedGradientFrom = s->FFixedGradientTo;
    FFixedGradientMirrorTo = s->FFixedGradientMirrorFrom;
    FFixedGradientMirrorFrom = s->FFixedGradientMirrorTo;
    FFixedGradientHoverTo = s->FFixedGradientHoverFrom;
    FFixedGradientHoverFrom = s->FFixedGradientHoverTo;
    FFixedGradientHoverMirrorTo = s->FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorFrom = s->FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = s->FFixedGradientHoverBorder;
    FFixedGradientDownTo = s->FFixedGradientDownFrom;
    FFixedGradientDownFrom = s->FFixedGradientDownTo;
    FFixedGradientDownMirrorTo = s->FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorFrom = s->FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = s->FFixedGradientDownBorder;
    FDropDownAlwaysVisible = s->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = s->FSpinButtonsAlwaysVisible;
    FDropDownCount = s->FDropDownCount;
    FDropDownFooter->Assign(s->FDropDownFooter.get());
    FDropDownHeader->Assign(s->FDropDownHeader.get());
    FHintMaxWidth = s->FHintMaxWidth;
}

#define KV_LOOK_SETTER(Name, Type)                                                                           \
    void TControlLook::Set##Name(Type Value)                                                                 \
    {                                                                                                        \
        F##Name = Value;                                                                                     \
        Changed();                                                                                           \
    }
KV_LOOK_SETTER(CheckSize, int)
KV_LOOK_SETTER(RadioSize, int)
KV_LOOK_SETTER(ControlStyle, TControlStyle)
KV_LOOK_SETTER(Color, TColor)
KV_LOOK_SETTER(CommentColor, TColor)
KV_LOOK_SETTER(ProgressMarginX, int)
KV_LOOK_SETTER(ProgressMarginY, int)
KV_LOOK_SETTER(ProgressXP, bool)
KV_LOOK_SETTER(FlatButton, bool)
KV_LOOK_SETTER(NoDisabledButtonLook, bool)
KV_LOOK_SETTER(NoDisabledCheckRadioLook, bool)
KV_LOOK_SETTER(DropDownAlwaysVisible, bool)
KV_LOOK_SETTER(SpinButtonsAlwaysVisible, bool)
#undef KV_LOOK_SETTER

void TControlLook::SetCheckedGlyph(const TBitmap& Value)
{
    FCheckedGlyph->Assign(Value);
    Changed();
}

void TControlLook::SetUnCheckedGlyph(const TBitmap& Value)
{
    FUnCheckedGlyph->Assign(Value);
    Changed();
}

void TControlLook::SetRadioOnGlyph(const TBitmap& Value)
{
    FRadioOnGlyph->Assign(Value);
    Changed();
}

void TControlLook::SetRadioOffGlyph(const TBitmap& Value)
{
    FRadioOffGlyph->Assign(Value);
    Changed();
}

// ---- gradient colours: the plain set goes through the grid's writers, the
// hover and pressed sets into the grid's fields.

void TControlLook::SetFixedGradientFrom(TColor Value)
{
    FFixedGradientFrom = Value;
    if (FGrid && Value != clNone) FGrid->SetQRVGradientFrom(Value);
}

void TControlLook::SetFixedGradientTo(TColor Value)
{
    FFixedGradientTo = Value;
    if (FGrid && Value != clNone) FGrid->SetQRVGradientTo(Value);
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value)
{
    FFixedGradientMirrorFrom = Value;
    if (FGrid) FGrid->SetQRVGradientMirrorFrom(Value);
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value)
{
    FFixedGradientMirrorTo = Value;
    if (FGrid) FGrid->SetQRVGradientMirrorTo(Value);
}

#define KV_LOOK_GRID_FIELD(Name, GridField, Always)                                                          \
    void TControlLook::SetFixedGradient##Name(TColor Value)                                                  \
    {                                                                                                        \
        FFixedGradient##Name = Value;                                                                        \
        if (FGrid && ((Always) || Value != clNone)) FGrid->GridField = Value;                                \
    }
KV_LOOK_GRID_FIELD(HoverFrom, FQRVGradientHoverFrom, false)
KV_LOOK_GRID_FIELD(HoverTo, FQRVGradientHoverTo, false)
KV_LOOK_GRID_FIELD(HoverMirrorFrom, FQRVGradientHoverMirrorFrom, true)
KV_LOOK_GRID_FIELD(HoverMirrorTo, FQRVGradientHoverMirrorTo, true)
KV_LOOK_GRID_FIELD(HoverBorder, FQRVGradientHoverBorder, false)
KV_LOOK_GRID_FIELD(DownFrom, FQRVGradientDownFrom, false)
KV_LOOK_GRID_FIELD(DownTo, FQRVGradientDownTo, false)
KV_LOOK_GRID_FIELD(DownMirrorFrom, FQRVGradientDownMirrorFrom, true)
KV_LOOK_GRID_FIELD(DownMirrorTo, FQRVGradientDownMirrorTo, true)
KV_LOOK_GRID_FIELD(DownBorder, FQRVGradientDownBorder, false)
#undef KV_LOOK_GRID_FIELD

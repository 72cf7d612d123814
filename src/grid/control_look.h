#pragma once
// How the controls that cells carry are drawn (check boxes, radio buttons,
// buttons, progress bars, comment marks, drop-down and spin buttons), the
// fixed cells' gradient colours (plain, hovered, pressed), the drop-down
// editors' header and footer, and the width limit of cell hints. Lives as
// long as its grid and is only changed in place.

#include <memory>

#include "grid/dropdown_appearance.h"
#include "platform/core/classes.h"
#include "platform/ui/graphics.h"

class TKvStringGrid;

enum TControlStyle : int { csClassic, csFlat, csWinXP, csQuillet, csQRV, csGlyph, csTheme };

class TControlLook : public TPersistent {
public:
    explicit TControlLook(TKvStringGrid* AOwner);
    ~TControlLook() override;
    QString ClassName() const override { return QStringLiteral("TControlLook"); }

    // Resets the colours; of the gradient colours only the mirror colours of
    // the hover and pressed sets reach the grid.
    void Init();
    // From another control look only, stored without the writers: From and To
    // trade places within each gradient pair. Anything else is ignored.
    void Assign(const TPersistent* Source) override;

    TKvStringGrid* Grid() const { return FGrid; }

    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int Value);
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int Value);
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(const TBitmap& Value);
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(const TBitmap& Value);
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(const TBitmap& Value);
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(const TBitmap& Value);
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value);
    TColor ProgressBorderColor() const { return FProgressBorderColor; }
    void SetProgressBorderColor(TColor Value) { FProgressBorderColor = Value; }
    int ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(int Value);
    int ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(int Value);
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool Value);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool Value);
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool Value);
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool Value);
    bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
    void SetCheckAlwaysActive(bool Value) { FCheckAlwaysActive = Value; }
    bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
    void SetRadioAlwaysActive(bool Value) { FRadioAlwaysActive = Value; }
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool Value);
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = Value; }
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(const THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(const TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
    bool FixedDropDownButton() const { return FFixedDropDownButton; }
    void SetFixedDropDownButton(bool Value) { FFixedDropDownButton = Value; }
    int HintMaxWidth() const { return FHintMaxWidth; }
    void SetHintMaxWidth(int Value) { FHintMaxWidth = Value; }

    // The fourteen gradient colours; each write passes the colour on to the grid.
    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value);
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value);
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value);
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value);
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor Value);
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value);
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value);
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor Value);
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor Value);
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor Value);
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value);
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value);
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor Value);

private:
    void Changed();

    TKvStringGrid* FGrid;
    int FCheckSize = 15;
    int FRadioSize = 10;
    std::unique_ptr<TBitmap> FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
    TControlStyle FControlStyle = csTheme;
    TColor FColor = 0;
    TColor FCommentColor = 0xFF;
    TColor FProgressBorderColor = 0x808080;
    int FProgressMarginX = 2;
    int FProgressMarginY = 2;
    bool FProgressXP = false;
    bool FFlatButton = false;
    bool FNoDisabledButtonLook = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FCheckAlwaysActive = false;
    bool FRadioAlwaysActive = false;
    bool FDropDownAlwaysVisible = false;
    bool FSpinButtonsAlwaysVisible = false;
    int FDropDownCount = 8;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    bool FFixedDropDownButton = false;
    int FHintMaxWidth = 0;
    TColor FFixedGradientFrom = clNone;
    TColor FFixedGradientTo = clNone;
    TColor FFixedGradientMirrorFrom = clNone;
    TColor FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = 0x808080;
    TColor FFixedGradientHoverTo = 0xFFFFFF;
    TColor FFixedGradientHoverMirrorFrom = clNone;
    TColor FFixedGradientHoverMirrorTo = clNone;
    TColor FFixedGradientHoverBorder = 0xC0C0C0;
    TColor FFixedGradientDownFrom = 0x808080;
    TColor FFixedGradientDownTo = 0xC0C0C0;
    TColor FFixedGradientDownMirrorFrom = clNone;
    TColor FFixedGradientDownMirrorTo = clNone;
    TColor FFixedGradientDownBorder = 0x808080;
};

#pragma once
// The colour drop-down: an edit that cannot be typed into and shows a box in
// the selected colour with a text for it, and a popup that offers colours in
// one of four ways: a list of named colours (the item selector), the discrete
// palette of 60 boxes, the honeycomb cube or the spectrum picture. The list
// exists from construction; the other three popup controls are made the first
// time their style is chosen and kept, hidden while another style shows.
//
// There is no form designer here, so the designer-placement flag and the
// default colours it would add when the window is made are left out.
//
// A cancelled close restores the entry or colour of the opening only when the
// popup was open: Escape in a closed editor restores nothing.

#include <memory>

#include "dropdown/color_panels.h"
#include "dropdown/color_selector.h"
#include "dropdown/list_picker.h"
#include "dropdown/picker_items.h"
#include "grid/kv_string_grid.h"

class TColorItem : public TCollectionItem {
public:
    explicit TColorItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    TRect Rect() const { return FRect; }

    void Assign(const TPersistent* Source) override;

private:
    QString FCaption;
    TColor FColor = clNone;
    bool FEnabled = true;
    TRect FRect;
    QString FHint;
};

class TColorItems : public TPickerItems<TColorItem> {
public:
    using TPickerItems::TPickerItems;
};

enum TColorSelectionStyle : int { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText : int { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

class TKvColorPickerDropDown : public TKvItemListDropDown, public IColorPickerSelection {
public:
    explicit TKvColorPickerDropDown(TComponent* AOwner = nullptr);
    ~TKvColorPickerDropDown() override;

    // Appends the 16 basic colours (Black .. White) with their names.
    void AddDefaultColors();

    TColor SelectedColor() const override { return FSelectedColor; }
    // Selects the first colour item of exactly this colour (firing OnSelect);
    // without one ItemIndex stays as it is.
    void SetSelectedColor(TColor Value);
    QString SelectedColorText() const override { return GetSelectedColorText(); }
    // The caption of the list entry in list style, else the colour as ColorValueText says.
    virtual QString GetSelectedColorText() const;

    int ItemIndex() const { return FItemIndex; }
    // Ignores values at or above the colour count; fires OnSelect, also for -1.
    void SetItemIndex(int Value);
    void SelectFirstColor();
    void SelectLastColor();
    void SelectNextColor();
    void SelectPreviousColor();

    TColorItems* Colors() const { return FColors.get(); }
    void SetColors(const TColorItems* Value) { FColors->Assign(Value); }
    int Columns() const { return FColumns; }
    void SetColumns(int Value) { FColumns = Value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value) { FColorBoxWidth = Value; }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value) { FColorBoxHeight = Value; }
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value);
    TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText Value);
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle Value);

    // The popup controls of the other styles; those not used yet are null.
    TCustomColorSelector* ColorSelector() const { return FColorSelector; }
    TKvColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
    TKvColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

    // ---- overrides of the drop-down's operations
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void PlaceDropDownControl() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancelled) override;
    void DropDownFormDestroy() override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void WndProc(TMessage& Message) override;

protected:
    void PaintOver(TCanvas* Canvas) override;
    // The box in the selected colour and its text over the edit.
    void PaintSelectedColor(TCanvas* Canvas);

private:
    void PrepareItemSelector();
    void StepColor(TListStep Step);
    void PrepareColorSelector();
    void PrepareColorCube();
    void PrepareSpectrum();
    // Puts a popup control of the form at (0, 0) in the popup colour and makes it the content.
    void AdoptControl(TControl* Control);
    // The current style's control prepared and shown, the others hidden.
    void PrepareStyle();
    void HideOtherControls(TControl* Keep);
    TControl* StyleControl() const;
    void UpdateItemSelector();
    void SelectorItemSelect();
    void ColorSelectorSelect();
    void PanelSelect(TColor Color);
    // The palette selects the editor's colour without reporting a pick; a
    // closed popup's palette steps from there.
    void SyncColorSelector();
    void WheelStep(bool Down);

    TKvColorCubePanel* FColorCubePanel = nullptr;
    TKvColorSpectrumPanel* FSpectrumPanel = nullptr;
    TCustomColorSelector* FColorSelector = nullptr;
    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TColorItems> FColors;
    int FItemIndex = -1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TColorSelectionStyle FColorSelectionStyle = csList;
    TColor FSelectedColor = clNone;
    bool FShowText = true;
    TColor FOldSelectedColor = clNone;
    TColorValueText FColorValueText = cvtNone;
};

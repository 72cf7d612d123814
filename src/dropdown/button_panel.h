#pragma once
// The calculator's key pad: a custom-drawn panel holding a collection of keys,
// laid out on a fixed grid for the calculator (or left where their owner put
// them), drawn as themed push buttons with their captions, tracking the key
// under the mouse and the pressed key, and reporting a completed click (press
// and release on the same key) with the key's index through OnButtonClick.
//
// Standalone on a form the panel frames itself and creates its keys when
// loaded; inside a drop-down the host creates them. The fixed layout addresses
// the 28 calculator keys by index, so a calculator panel holding fewer keys is
// left as it is.

#include <memory>

#include "dropdown/selector_enums.h"
#include "platform/core/classes.h"
#include "platform/ui/controls.h"

class TCustomEdit;
class TKvCustomDropDown;

class TButtonItem : public TCollectionItem {
public:
    explicit TButtonItem(TCollection* ACollection);
    ~TButtonItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value) { FImage->Assign(Value); }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    QString Name() const { return FName; }
    void SetName(const QString& Value) { FName = Value; }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor Value) { FCaptionColor = Value; }
    bool Special() const { return FSpecial; }
    void SetSpecial(bool Value) { FSpecial = Value; }
    TRect GetRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

    // Copies caption, caption colour, tag, image index, image, enabled state and
    // name; the special flag and the rectangle stay.
    void Assign(const TPersistent* Source) override;

private:
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    int FTag = 0;
    int FHeight = 0, FLeft = 0, FWidth = 0, FTop = 0;
    QString FName;
    TColor FCaptionColor = 0xFFFFFF;
    bool FSpecial = false;
};

class TButtonItems : public TCollection {
public:
    explicit TButtonItems(TPersistent* AOwner);

    TPersistent* GetOwner() const { return FMyOwner; }
    TButtonItem* Add() { return static_cast<TButtonItem*>(TCollection::Add()); }
    TButtonItem* Insert(int Index) { return static_cast<TButtonItem*>(TCollection::Insert(Index)); }
    TButtonItem* Items(int Index) const { return static_cast<TButtonItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, const TButtonItem* Value) { Items(Index)->Assign(Value); }

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FMyOwner;
};

// The key look the calculator publishes. The key faces are themed, so only the
// font and the two text colours reach the screen; the other colours are kept,
// copied and aligned to the suite's styles by the calculator.
class TButtonAppearance : public TPersistent {
public:
    TButtonAppearance();
    ~TButtonAppearance() override;

    void Assign(const TPersistent* Source) override;

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor V) { SetColorField(FBorderColor, V); }
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor V) { SetColorField(FBorderColorHot, V); }
    TColor BorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor V) { SetColorField(FBorderColorDown, V); }
    TColor BorderColorChecked() const { return FBorderColorChecked; }
    void SetBorderColorChecked(TColor V) { SetColorField(FBorderColorChecked, V); }
    TColor Color() const { return FColor; }
    void SetColor(TColor V) { SetColorField(FColor, V); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor V) { SetColorField(FColorTo, V); }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor V) { SetColorField(FColorDown, V); }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor V) { SetColorField(FColorDownTo, V); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor V) { SetColorField(FColorHot, V); }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor V) { SetColorField(FColorHotTo, V); }
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor V) { SetColorField(FColorCheckedTo, V); }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor V) { SetColorField(FColorDisabled, V); }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor V) { SetColorField(FColorDisabledTo, V); }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor V) { SetColorField(FColorChecked, V); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont& V) { FFont->Assign(V); }
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor V) { FShineColor = V; }
    TColor GlowColorHot() const { return FGlowColorHot; }
    void SetGlowColorHot(TColor V) { FGlowColorHot = V; }
    TColor GlowColorDown() const { return FGlowColorDown; }
    void SetGlowColorDown(TColor V) { FGlowColorDown = V; }
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor V) { SetColorField(FTextColor, V); }
    TColor SpecialTextColor() const { return FSpecialTextColor; }
    void SetSpecialTextColor(TColor V) { SetColorField(FSpecialTextColor, V); }

    TNotifyEvent OnChange;

private:
    void SetColorField(TColor& Field, TColor Value);

    TColor FBorderColor = 0x000000;
    TColor FBorderColorHot = 0x000000;
    TColor FBorderColorDown = 0x000000;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = 0x9A915F;
    TColor FColorTo = 0xB0A170;
    TColor FColorDown = 0x4B2F08;
    TColor FColorDownTo = 0xADB514;
    TColor FColorHot = 0x9F6F1C;
    TColor FColorHotTo = 0xD5C244;
    TColor FColorCheckedTo;
    TColor FColorDisabled;
    TColor FColorDisabledTo;
    TColor FColorChecked;
    std::unique_ptr<TFont> FFont;
    TColor FShineColor = 0xFFFFFF;
    TColor FGlowColorHot = 0xD5C244;
    TColor FGlowColorDown = 0xD5C244;
    TColor FTextColor = 0x000000;
    TColor FSpecialTextColor = 0x000080;
};

// Each non-zero channel of Color scaled to the percentages (rounded, halves to
// even); the checked and disabled key colours are derived so.
TColor ScaleColorChannels(TColor Color, int RedPercent, int GreenPercent, int BluePercent);

enum TButtonPanelType : int { plCalculator, plCustom };

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

class TCustomButtonPanel : public TCustomControl {
public:
    static constexpr int CalculatorKeyCount = 28;

    explicit TCustomButtonPanel(TComponent* AOwner = nullptr);
    ~TCustomButtonPanel() override;

    TButtonItems* Buttons() const { return FButtons.get(); }
    void SetButtons(const TButtonItems* Value) { FButtons->Assign(Value); }
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout Value) { FButtonLayout = Value; }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value) { FItemColorStyle = Value; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TCustomEdit* Edit() const { return FEdit; }
    void SetEdit(TCustomEdit* Value);
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType Value);
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(const TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TKvCustomDropDown* KvDropDown() const { return FKvDropDown; }
    void SetKvDropDown(TKvCustomDropDown* Value) { FKvDropDown = Value; }
    int ButtonHot() const { return FButtonHot; }
    int ButtonDown() const { return FButtonDown; }
    int CaptionGap() const { return FCaptionGap; }
    void SetCaptionGap(int Value) { FCaptionGap = Value; }
    bool IsWinXP() const { return FIsWinXP; }

    // (-1, -1, -1, -1) for an index outside the collection.
    void GetButtonRect(int Index, TRect& R) const;
    // The first key containing the point (on a shared border pixel the earlier key), or -1.
    int ButtonAtPos(int X, int Y) const;

    virtual void DrawButton(int Index, TCanvas* Canvas);
    virtual void GetButtonsRect(TRect& R);
    virtual void GetButtonSize(TSize& Size);
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void AddDefaultButtons();
    virtual void ArrangeButtons();
    virtual void InvalidateButton(int Index);
    virtual void ButtonClick(int Index);

    void Loaded() override;

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void SetButtonHot(int Index);
    void SetButtonDown(int Index);

private:
    bool Standalone() const { return FKvDropDown == nullptr; }
    void ButtonsChanged();
    void AppearanceChanged();
    void DrawAllButtons(TCanvas* Canvas, int Except);
    // Shared by the hot and pressed keys: clears the old key, draws the new one.
    void MoveMark(int& Field, int Index);

    std::unique_ptr<TButtonItems> FButtons;
    TItemLayout FButtonLayout = ilCaptionRight;
    TSelectionColorStyle FItemColorStyle = scCustom;
    int FButtonHot = -1;
    int FOffSetX = 8, FOffSetY = 8;
    int FButtonOffSetX = 4, FButtonOffSetY = 4;
    TImageList* FImages = nullptr;
    int FCaptionGap = 0;
    TCustomEdit* FEdit = nullptr;
    TButtonPanelType FButtonPanelType = plCalculator;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    int FButtonDown = -1;
    TKvCustomDropDown* FKvDropDown = nullptr;
    bool FIsWinXP = false;
};

#pragma once
// The discrete colour selector: a panel of small colour boxes, ten to a row,
// filled from a built-in palette of ten base colours with a joined column of
// five tones below each. The user picks a box with the mouse or the keys the
// colour picker passes on; the selector fires OnItemSelect and keeps the
// picked colour in SelectedColor.
//
// Where the contract leaves an index check open, indexes outside the list are
// ignored by the ItemIndex and hot setters (nothing is selected or marked).

#include <memory>

#include "dropdown/color_panels.h"
#include "dropdown/selector_enums.h"
#include "platform/core/classes.h"

class TColorBoxItems;

class TColorBoxItem : public TCollectionItem {
public:
    explicit TColorBoxItem(TCollection* ACollection);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos Value) { FColorBoxPos = Value; }
    // The box on the panel, set by the layout.
    TRect Rect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }

    // Copies the colour and the enabled state.
    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clNone;
    bool FEnabled = true;
    TRect FRect;
    TItemPos FColorBoxPos = ipStandAlone;
};

class TColorBoxItems : public TCollection {
public:
    explicit TColorBoxItems(TPersistent* AOwner);

    TPersistent* GetOwner() const { return FMyOwner; }
    TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
    TColorBoxItem* Insert(int Index) { return static_cast<TColorBoxItem*>(TCollection::Insert(Index)); }
    TColorBoxItem* Items(int Index) const { return static_cast<TColorBoxItem*>(TCollection::Items(Index)); }

    // Fired when an item's colour changes.
    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FMyOwner;
};

class TColorBoxAppearance : public TPersistent {
public:
    TColorBoxAppearance();

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor V) { FBorderColor = V; }
    TColor OuterBorderColorHot() const { return FOuterBorderColorHot; }
    void SetOuterBorderColorHot(TColor V) { FOuterBorderColorHot = V; }
    TColor InnerBorderColorHot() const { return FInnerBorderColorHot; }
    void SetInnerBorderColorHot(TColor V) { FInnerBorderColorHot = V; }
    TColor OuterBorderColorSelected() const { return FOuterBorderColorSelected; }
    void SetOuterBorderColorSelected(TColor V) { FOuterBorderColorSelected = V; }
    TColor InnerBorderColorSelected() const { return FInnerBorderColorSelected; }
    void SetInnerBorderColorSelected(TColor V) { FInnerBorderColorSelected = V; }

    // The five colours the appearance is created with.
    void LoadDefaultColors();
    void Assign(const TPersistent* Source) override;

    // Kept for owners that bind it; the appearance never fires it.
    TNotifyEvent OnChange;

private:
    TColor FBorderColor = 0xC0C0C0;
    TColor FOuterBorderColorHot = clNone;
    TColor FInnerBorderColorHot = clNone;
    TColor FOuterBorderColorSelected = clNone;
    TColor FInnerBorderColorSelected = clNone;
};

class TCustomColorSelector : public TKvCustomColorSelectorPanel {
public:
    explicit TCustomColorSelector(TComponent* AOwner = nullptr);
    ~TCustomColorSelector() override;

    // Replaces the boxes with the built-in palette of 60 colours.
    void FillDefaultPalette();

    TColorBoxAppearance* ColorBoxAppearance() const { return FColorBoxAppearance.get(); }
    void SetColorBoxAppearance(const TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
    TColorBoxItems* Items() const { return FItems.get(); }
    void SetItems(const TColorBoxItems* Value) { FItems->Assign(Value); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    int ColumnGap() const { return FColumnGap; }
    void SetColumnGap(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value);
    TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first box of exactly this colour, or none while the colour is kept.
    void SetSelectedColor(TColor Value);

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Keys Page Up .. Down as the colour picker passes them on, for a closed or an open popup.
    void HandleKeyDown(WORD Key, bool EditorEnabled, bool DroppedDown);

    // (-1, -1, -1, -1) for an index outside the list.
    void GetItemRect(int Index, TRect& R) const;
    int ItemAtPos(int X, int Y) const;

    virtual void DrawItem(int Index, TCanvas* Canvas);
    virtual void GetInnerRect(TRect& R);
    virtual void GetItemSize(TSize& Size);
    virtual void SetItemsPosition();
    virtual void InvalidateItem(int Index);
    void DrawItems(TCanvas* Canvas);

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    bool IsDisabledItem(int Index) const;

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 4;
    int FOffSetY = 4;
    int FColumns = 10;
    int FColumnGap = 4;
    int FColorBoxHeight = 12;
    int FColorBoxWidth = 12;
    std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
    std::unique_ptr<TColorBoxItems> FItems;
    TSelectionColorStyle FItemColorStyle = scCustom;
    TColor FSelectedColor = clNone;
};

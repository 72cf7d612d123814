#pragma once
// The scrolling item list the list-type pickers show in their popup: a host
// scroll box holding the items and one inner panel on which they are laid out
// in columns, each a colour box or a picture with a mini-HTML caption beside,
// above or below it. The panel tracks a hot and a selected item; the owners
// translate their keys into the navigation operations.
#include <memory>

#include "dropdown/item_appearance.h"
#include "dropdown/picker_items.h"
#include "dropdown/selector_enums.h"
#include "platform/core/classes.h"
#include "platform/ui/extctrls.h"

enum TSelectorType : int { stImage, stColor };

class TSelectorItem : public TPictureListItem {
public:
    explicit TSelectorItem(TCollection* ACollection) : TPictureListItem(ACollection) {}

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }

    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clNone;
    QString FHint;
};

class TSelectorItems : public TPickerItems<TSelectorItem> {
public:
    using TPickerItems::TPickerItems;
    void SetItem(int Index, const TSelectorItem* Value) { Items(Index)->Assign(Value); }
    // Counts the changes of the list as a whole (items added, removed or moved),
    // so a layout can tell whether it still places every item in order.
    unsigned Generation() const { return FGeneration; }

protected:
    void Update(TCollectionItem* Item) override
    {
        if (!Item) ++FGeneration;
        TPickerItems::Update(Item);
    }

private:
    unsigned FGeneration = 0;
};

using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, int Index)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;

class TKvCustomItemSelector;

class TCustomItemSelector : public TCustomControl {
public:
    // The owner must be an item selector host.
    explicit TCustomItemSelector(TComponent* AOwner);

    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);
    TKvCustomItemSelector* KvItemSelector() const { return FKvItemSelector; }

    int Columns() const;
    TSelectorItems* Items() const;
    TSelectorType SelectorType() const;
    TItemLayout ItemLayout() const;
    TImageList* Images() const;
    int ColorBoxHeight() const;
    int ColorBoxWidth() const;
    TSelectionColorStyle ItemColorStyle() const;
    TColor ItemColorHot() const;
    TColor ItemColorHotTo() const;
    TColor ItemColorSelected() const;
    TColor ItemColorSelectedTo() const;

    // Spacing of the layout.
    int OffSetX() const { return FOffSetX; }
    int OffSetY() const { return FOffSetY; }
    int ItemOffSetX() const { return FItemOffSetX; }
    int ItemOffSetY() const { return FItemOffSetY; }
    int CaptionGap() const { return FCaptionGap; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Selects the first item whose plain, trimmed, upper-cased caption starts with S.
    bool LookupItem(const QString& S);

    // (-1, -1, -1, -1) for an index outside the list.
    void GetItemRect(int Index, TRect& R) const;
    int ItemAtPos(int X, int Y) const;
    void DrawItems(TCanvas* Canvas);

    virtual void DrawItem(int Index, TCanvas* Canvas);
    virtual void GetInnerRect(TRect& R);
    virtual void GetItemSize(TSize& Size);
    virtual void InvalidateItem(int Index);
    virtual void SetItemsPosition();

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void paintEvent(QPaintEvent* e) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    int Count() const;
    bool IsDisabledItem(int Index) const;
    // Draws the item on the panel at once.
    void RepaintItem(int Index);

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 2;
    int FOffSetY = 2;
    int FItemOffSetX = 4;
    int FItemOffSetY = 4;
    int FCaptionGap = 4;
    TKvCustomItemSelector* FKvItemSelector = nullptr;
    // The item list's generation the last layout placed; another one means
    // items came or went since, and their rectangles are not in order.
    unsigned FLayoutGeneration = ~0u;
    // The canvas of the paint under way.
    TCanvas* FPaintCanvas = nullptr;
};

class TKvCustomItemSelector : public TScrollBox {
public:
    explicit TKvCustomItemSelector(TComponent* AOwner = nullptr);
    ~TKvCustomItemSelector() override;

    TSelectorItems* Items() const { return FItems.get(); }
    void SetItems(const TSelectorItems* Value) { FItems->Assign(Value); }
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType Value);
    // Only stored: the next layout or repaint uses it.
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TCustomItemSelector* SelectorPanel() const { return FItemSelectorPanel; }

    int ItemIndex() const;
    void SetItemIndex(int Value);
    int ItemHot() const;

    void UpdateSelectorPanel();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString& S);
    void ScrollItemInView(int Index);
    // Items in a page: 0 without items or before a layout gave them a height.
    int GetVisibleItemCount();
    // The panel's size; 100 x 50 without a panel.
    void GetSelectorPanelSize(TSize& Size) const;

    void WndProc(TMessage& m) override;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;

private:
    void CreateSelectorPanel();

    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    int FColumns = 1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TImageList* FImages = nullptr;
    TCustomItemSelector* FItemSelectorPanel = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
};

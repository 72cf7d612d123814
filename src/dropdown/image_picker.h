#pragma once
// The picture drop-down: an edit that cannot be typed into and shows the
// selected item's picture centred in it, and a popup list of items, each a
// picture or an image-list image with an optional caption, laid out by the
// item selector. The list exists from construction and is refilled from Items
// at every opening.
//
// Pictures are read by the platform's picture loader (BMP, ICO, JPEG, GIF,
// PNG); an entry it cannot read, a folder among them, stays an empty item.
// A cancelled close restores the item of the opening only when the popup was
// open: Escape in a closed editor restores nothing.

#include <memory>

#include "dropdown/list_picker.h"
#include "dropdown/picker_items.h"
#include "grid/kv_string_grid.h"

class TImageItem : public TPictureListItem {
public:
    explicit TImageItem(TCollection* ACollection) : TPictureListItem(ACollection) {}

    QString Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }

    void Assign(const TPersistent* Source) override;

private:
    QString FHint;
};

class TImageItems : public TPickerItems<TImageItem> {
public:
    using TPickerItems::TPickerItems;
};

class TKvImagePickerDropDown : public TKvItemListDropDown, public IImagePickerSelection {
public:
    explicit TKvImagePickerDropDown(TComponent* AOwner = nullptr);
    ~TKvImagePickerDropDown() override;

    // One item per entry of the folder matching the mask of AFolder (a path
    // ending in a mask such as "*.png"), in the order the file system gives
    // them, folders and "." and ".." included; with SetImageCaption a loaded
    // picture's item is captioned with its file name.
    void AddImagesFromFolder(const QString& AFolder, bool SetImageCaption);
    // One item per image of Images, with ImageIndex 0, 1, ...; nothing without an image list.
    void AddImagesFromImageList();

    int ItemIndex() const override { return FItemIndex; }
    // Nothing for the current index or one at or above the count; otherwise the
    // edit's OnChange, then OnSelect.
    void SetItemIndex(int Value);
    // The selected item's ImageIndex; -1 without a selection.
    int ImageIndex() const;
    // Selects the first item of that image index, or none.
    void SetImageIndex(int Value);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    TImageItems* Items() const { return FItems.get(); }
    void SetItems(const TImageItems* Value) { FItems->Assign(Value); }
    int Columns() const { return FColumns; }
    void SetColumns(int Value) { FColumns = Value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }

    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

    // ---- overrides of the drop-down's operations
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancelled) override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void WndProc(TMessage& Message) override;

protected:
    void PaintOver(TCanvas* Canvas) override;
    // The selected item's picture centred in the edit rectangle.
    void PaintSelectedImage(TCanvas* Canvas);

private:
    void UpdateItemSelector();
    void StepItem(TListStep Step);
    void SelectorItemSelect();

    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TImageItems> FItems;
    int FItemIndex = -1;
};

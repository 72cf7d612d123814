#pragma once
// The item collections of the list pickers: a collection typed to its item
// class, owned by a picker (returned by GetOwner), that reports changes of an
// item's properties through OnChange. Adding, inserting and removing items
// report nothing.
#include <memory>

#include "platform/core/classes.h"
#include "platform/ui/controls.h"
#include "platform/ui/graphics.h"

// What the list items with a picture share: a caption, an index into an image
// list, the enabled state, an owned picture and the place the layout gives the
// item. Caption and image index changes notify the collection; setting the
// picture copies it without notification.
class TPictureListItem : public TCollectionItem {
public:
    explicit TPictureListItem(TCollection* ACollection);
    ~TPictureListItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TPicture* Image() const { return FImage.get(); }
    void SetImage(const TPicture* Value) { FImage->Assign(Value); }
    // The item's place, set by a layout.
    TRect Rect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }

protected:
    // The picture and the enabled state of another item (the rest goes through the setters).
    void AssignPictureAndState(const TPictureListItem* Source);

private:
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    TRect FRect = TRect(0, 0, 0, 0);
};

template <class TItem>
class TPickerItems : public TCollection {
public:
    explicit TPickerItems(TPersistent* AOwner)
        : TCollection([](TCollection* C) { return new TItem(C); }), FMyOwner(AOwner)
    {
    }
    TPersistent* GetOwner() const { return FMyOwner; }
    TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
    TItem* Insert(int Index) { return static_cast<TItem*>(TCollection::Insert(Index)); }
    TItem* Items(int Index) const { return static_cast<TItem*>(TCollection::Items(Index)); }

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override
    {
        // Whole-collection updates (adding, removing) pass no item.
        if (Item && OnChange) OnChange(this);
    }

private:
    TPersistent* FMyOwner;
};

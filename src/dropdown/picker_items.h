#pragma once
// The item collections of the list pickers: a collection typed to its item
// class, owned by a picker (returned by GetOwner), that reports changes of an
// item's properties through OnChange. Adding, inserting and removing items
// report nothing.
#include "platform/core/classes.h"

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

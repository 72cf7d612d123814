#pragma once
// The columns and rows of the grid drop-down. They carry the same settings as
// the multi-column drop-down's columns and items (and copy the same way: an
// item copies its image index only), but belong to their own collections: the
// grid drop-down's items collection chooses its item class through a virtual
// call, so a descendant can keep richer items.

#include "dropdown/multicolumn_items.h"

class TDropDownColumn : public TMultiColumnDropDownColumn {
public:
    using TMultiColumnDropDownColumn::TMultiColumnDropDownColumn;
};

class TDropDownColumns : public TCollection {
public:
    explicit TDropDownColumns(TPersistent* AOwner);

    TPersistent* GetOwner() const { return FMyOwner; }
    TDropDownColumn* Add() { return static_cast<TDropDownColumn*>(TCollection::Add()); }
    TDropDownColumn* Insert(int Index) { return static_cast<TDropDownColumn*>(TCollection::Insert(Index)); }
    TDropDownColumn* Items(int Index) const { return static_cast<TDropDownColumn*>(TCollection::Items(Index)); }

private:
    TPersistent* FMyOwner;
};

class TDropDownItem : public TMultiColumnDropDownItem {
public:
    using TMultiColumnDropDownItem::TMultiColumnDropDownItem;
};

class TDropDownItems : public TCollection {
public:
    explicit TDropDownItems(TPersistent* AOwner);

    TPersistent* GetOwner() const { return FMyOwner; }
    TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
    TDropDownItem* Insert(int Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
    TDropDownItem* Items(int Index) const { return static_cast<TDropDownItem*>(TCollection::Items(Index)); }
    // The text of an item in a column; empty for a missing line or item.
    QString ItemText(int Item, int Column) const
    { return Item >= 0 && Item < Count() ? Items(Item)->ColumnText(Column) : QString(); }

protected:
    // Makes a new item of the collection's item class.
    virtual TDropDownItem* GetItemClass(TCollection* ACollection) { return new TDropDownItem(ACollection); }

private:
    TPersistent* FMyOwner;
};

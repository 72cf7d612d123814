#include "dropdown/grid_dropdown_items.h"

TDropDownColumns::TDropDownColumns(TPersistent* AOwner)
    : TCollection([](TCollection* C) { return new TDropDownColumn(C); }), FMyOwner(AOwner)
{
}

// Items are made only once the collection is complete, so the virtual call reaches a descendant's class.
TDropDownItems::TDropDownItems(TPersistent* AOwner)
    : TCollection([](TCollection* C) { return static_cast<TDropDownItems*>(C)->GetItemClass(C); }), FMyOwner(AOwner)
{
}

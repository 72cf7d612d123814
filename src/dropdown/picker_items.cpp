#include "dropdown/picker_items.h"

TPictureListItem::TPictureListItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>())
{
}

TPictureListItem::~TPictureListItem() = default;

void TPictureListItem::SetCaption(const QString& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TPictureListItem::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(false);
}

void TPictureListItem::AssignPictureAndState(const TPictureListItem* Source)
{
    FImage->Assign(Source->FImage.get());
    FEnabled = Source->FEnabled;
}

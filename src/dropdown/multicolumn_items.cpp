#include "dropdown/multicolumn_items.h"

TMultiColumnDropDownColumn::TMultiColumnDropDownColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FFont(std::make_unique<TFont>())
{
}

TMultiColumnDropDownColumn::~TMultiColumnDropDownColumn() = default;

void TMultiColumnDropDownColumn::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TMultiColumnDropDownColumn*>(Source)) {
        FWordwrap = S->FWordwrap;
        FWidth = S->FWidth;
        FAutoSize = S->FAutoSize;
        FHeader = S->FHeader;
        FAlignment = S->FAlignment;
        FColor = S->FColor;
        FColumnType = S->FColumnType;
        FFont->Assign(*S->FFont);
        FEllipsis = S->FEllipsis;
        return;
    }
    TCollectionItem::Assign(Source);
}

TMultiColumnDropDownColumns::TMultiColumnDropDownColumns(TPersistent* AOwner)
    : TCollection([](TCollection* C) { return new TMultiColumnDropDownColumn(C); }), FMyOwner(AOwner)
{
}

void TMultiColumnDropDownColumns::Update(TCollectionItem*)
{
    if (OnChange) OnChange(this);
}

TMultiColumnDropDownItem::TMultiColumnDropDownItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FText(std::make_unique<TStringList>())
{
}

TMultiColumnDropDownItem::~TMultiColumnDropDownItem() = default;

QString TMultiColumnDropDownItem::ColumnText(int Column) const
{
    return Column >= 0 && Column < FText->Count() ? FText->Get(Column) : QString();
}

void TMultiColumnDropDownItem::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TMultiColumnDropDownItem*>(Source)) {
        FImageIndex = S->FImageIndex;
        return;
    }
    TCollectionItem::Assign(Source);
}

TMultiColumnDropDownItems::TMultiColumnDropDownItems(TPersistent* AOwner)
    : TCollection([](TCollection* C) { return new TMultiColumnDropDownItem(C); }), FMyOwner(AOwner)
{
}

int TMultiColumnDropDownItems::IndexInColumn(int Column, const QString& Value) const
{
    for (int i = 0; i < Count(); ++i) {
        const TStringList* T = Items(i)->Text();
        if (Column >= 0 && Column < T->Count() && T->Get(Column) == Value) return i;
    }
    return -1;
}

void TMultiColumnDropDownItems::Update(TCollectionItem*)
{
    if (OnChange) OnChange(this);
}

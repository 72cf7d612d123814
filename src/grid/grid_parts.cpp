#include "grid/grid_parts.h"

#include "grid/kv_string_grid.h"

// ---- sorting

TSortSettings::TSortSettings(TKvStringGrid* AOwner) : FOwner(AOwner) {}

void TSortSettings::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TSortSettings*>(Source);
    if (!s) return;
    Show = s->Show;
    Full = s->Full;
    AutoFormat = s->AutoFormat;
    IndexColor = s->IndexColor;
    AutoSortForGrouping = s->AutoSortForGrouping;
    SortOnVirtualCells = s->SortOnVirtualCells;
    IgnoreCase = s->IgnoreCase;
    Column = s->Column;
    IndexSortKey = s->IndexSortKey;
    IndexShow = s->IndexShow;
    FUpGlyph.Assign(s->FUpGlyph);
    FDownGlyph.Assign(s->FDownGlyph);
    FIndexUpGlyph.Assign(s->FIndexUpGlyph);
    FIndexDownGlyph.Assign(s->FIndexDownGlyph);
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderMirrorColor = s->FHeaderMirrorColor;
    FHeaderMirrorColorTo = s->FHeaderMirrorColorTo;
}

void TSortSettings::StoreHeaderColour(TColor& Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    if (FOwner && FOwner->TBaseGrid::FixedRows() > 0) FOwner->RepaintRow(FOwner->TBaseGrid::FixedRows() - 1);
}

void TSortSettings::SetHeaderColor(TColor Value) { StoreHeaderColour(FHeaderColor, Value); }
void TSortSettings::SetHeaderColorTo(TColor Value) { StoreHeaderColour(FHeaderColorTo, Value); }
void TSortSettings::SetHeaderMirrorColor(TColor Value) { StoreHeaderColour(FHeaderMirrorColor, Value); }
void TSortSettings::SetHeaderMirrorColorTo(TColor Value) { StoreHeaderColour(FHeaderMirrorColorTo, Value); }

// ---- filtering

void TFilterData::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TFilterData*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    Column = s->Column;
    Condition = s->Condition;
    CaseSensitive = s->CaseSensitive;
    Operation = s->Operation;
}

TFilter::TFilter(TKvStringGrid* AOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* { return new TFilterData(c); }), FOwner(AOwner)
{
}

TFilterData* TFilter::GetColFilter(int Col)
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column == Col) return Items(i);
    TFilterData* d = Add();
    d->Column = Col;
    return d;
}

bool TFilter::HasFilter(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Column == Col) return true;
    return false;
}

// ---- tree nodes and background

void TCellNode::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TCellNode*>(Source);
    if (!s) return;
    Color = s->Color;
    ExpandOne = s->ExpandOne;
    NodeType = s->NodeType;
    NodeColor = s->NodeColor;
    NodeIndent = s->NodeIndent;
    FExpandGlyph.Assign(s->FExpandGlyph);
    FContractGlyph.Assign(s->FContractGlyph);
    ShowTree = s->ShowTree;
    ShowTreeFull = s->ShowTreeFull;
    TreeColor = s->TreeColor;
}

void TBackGround::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TBackGround*>(Source);
    if (!s) return;
    Left = s->Left;
    Top = s->Top;
    Display = s->Display;
    Cells = s->Cells;
    Color = s->Color;
    ColorTo = s->ColorTo;
    FBitmap.Assign(s->FBitmap);
}

// ---- the normal in-place editor

TKvInplaceEdit::TKvInplaceEdit(TComponent* AOwner)
    : TInplaceEdit(AOwner), FKvGrid(dynamic_cast<TKvStringGrid*>(AOwner))
{
}

#include "grid/grid_parts.h"

#include "grid/kv_string_grid.h"

// ---- sorting

TSortSettings::TSortSettings(TKvStringGrid* AOwner) : FOwner(AOwner) {}

void TSortSettings::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TSortSettings*>(Source);
    if (!s) return;
    AutoSortForGrouping = s->AutoSortForGrouping;
    AutoColumnMerge = s->AutoColumnMerge;
    Column = s->Column;
    Show = s->Show;
    IndexShow = s->IndexShow;
    IndexColor = s->IndexColor;
    Full = s->Full;
    SingleColumn = s->SingleColumn;
    IgnoreBlanks = s->IgnoreBlanks;
    BlankPos = s->BlankPos;
    AutoFormat = s->AutoFormat;
    Direction = s->Direction;
    FUpGlyph.Assign(s->FUpGlyph);
    FDownGlyph.Assign(s->FDownGlyph);
    FIndexUpGlyph.Assign(s->FIndexUpGlyph);
    FIndexDownGlyph.Assign(s->FIndexDownGlyph);
    IndexSortKey = s->IndexSortKey;
    InitSortDirection = s->InitSortDirection;
    FixedCols = s->FixedCols;
    NormalCellsOnly = s->NormalCellsOnly;
    Row = s->Row;
    UndoSort = s->UndoSort;
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
    if (!Source) return;
    auto* s = dynamic_cast<const TFilterData*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    Column = s->Column;
    Condition = s->Condition;
    CaseSensitive = s->CaseSensitive;
    Data = s->Data;
    Prefix = s->Prefix;
    Suffix = s->Suffix;
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

void TCellNode::Repaint()
{
    if (FOwner) FOwner->Invalidate();
}

void TCellNode::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TCellNode*>(Source);
    if (!s) return;
    FColor = s->FColor;
    FExpandOne = s->FExpandOne;
    FNodeType = s->FNodeType;
    FNodeColor = s->FNodeColor;
    FNodeIndent = s->FNodeIndent;
    FExpandGlyph.Assign(s->FExpandGlyph);
    FContractGlyph.Assign(s->FContractGlyph);
    FShowTree = s->FShowTree;
    FShowTreeFull = s->FShowTreeFull;
    FTreeColor = s->FTreeColor;
}

#define KV_NODE_SETTER(Name, Type)                                                                           \
    void TCellNode::Set##Name(Type Value)                                                                    \
    {                                                                                                        \
        if (F##Name == Value) return;                                                                        \
        F##Name = Value;                                                                                     \
        Repaint();                                                                                           \
    }
KV_NODE_SETTER(NodeType, TNodeType)
KV_NODE_SETTER(ShowTree, bool)
KV_NODE_SETTER(ShowTreeFull, bool)
KV_NODE_SETTER(NodeIndent, int)
KV_NODE_SETTER(TreeColor, TColor)
#undef KV_NODE_SETTER

void TBackGround::Repaint()
{
    if (FOwner) FOwner->Invalidate();
}

void TBackGround::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TBackGround*>(Source);
    if (!s) return;
    FLeft = s->FLeft;
    FTop = s->FTop;
    FDisplay = s->FDisplay;
    FCells = s->FCells;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FBitmap.Assign(s->FBitmap);
}

#define KV_BACKGROUND_SETTER(Name, Type)                                                                     \
    void TBackGround::Set##Name(Type Value)                                                                  \
    {                                                                                                        \
        F##Name = Value;                                                                                     \
        Repaint();                                                                                           \
    }
KV_BACKGROUND_SETTER(Left, int)
KV_BACKGROUND_SETTER(Top, int)
KV_BACKGROUND_SETTER(Display, TBackGroundDisplay)
KV_BACKGROUND_SETTER(Cells, TBackGroundCells)
KV_BACKGROUND_SETTER(Color, TColor)
KV_BACKGROUND_SETTER(ColorTo, TColor)
#undef KV_BACKGROUND_SETTER

void TBackGround::SetBitmap(const TBitmap& Value)
{
    FBitmap.Assign(Value);
    Repaint();
}

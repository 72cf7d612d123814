#include "grid/grid_undo_redo.h"

#include "grid/base_grid.h"

void TUndoRedoItem::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TUndoRedoItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    Row = s->Row;
    Col = s->Col;
    Value = s->Value;
    OrigValue = s->OrigValue;
    SequenceStart = s->SequenceStart;
    SequenceStop = s->SequenceStop;
}

TUndoRedoCollection::TUndoRedoCollection()
    : TCollection([](TCollection* c) -> TCollectionItem* { return new TUndoRedoItem(c); })
{
}

TKvGridUndoRedo::TKvGridUndoRedo(TComponent* AOwner) : TComponent(AOwner) {}

TKvGridUndoRedo::~TKvGridUndoRedo()
{
    if (FGrid) {
        FGrid->RemoveFreeNotification(this);
        if (FGrid->UndoRedo() == this) FGrid->SetUndoRedo(nullptr);
    }
}

void TKvGridUndoRedo::SetGrid(TBaseGrid* Value)
{
    if (FGrid == Value) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = Value;
    if (FGrid) FGrid->FreeNotification(this);
}

void TKvGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent && AComponent == FGrid) FGrid = nullptr;
    TComponent::Notification(AComponent, Operation);
}

void TKvGridUndoRedo::Append(int ACol, int ARow, const QString& OldValue, const QString& NewValue, bool Start,
                             bool Stop)
{
    while (FItems.Count() > FLevel) FItems.Delete(FItems.Count() - 1);
    if (FMaxLevel > 0)
        while (FItems.Count() >= FMaxLevel && FItems.Count() > 0) FItems.Delete(0);
    TUndoRedoItem* it = FItems.Add();
    it->Col = ACol;
    it->Row = ARow;
    it->Value = NewValue;
    it->OrigValue = OldValue;
    it->SequenceStart = Start;
    it->SequenceStop = Stop;
    FLevel = FItems.Count();
}

void TKvGridUndoRedo::RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue)
{
    Append(ACol, ARow, OldValue, NewValue, false, false);
}

void TKvGridUndoRedo::StartSequence()
{
    Append(-1, -1, QString(), QString(), true, false);
}

void TKvGridUndoRedo::StopSequence()
{
    Append(-1, -1, QString(), QString(), false, true);
}

void TKvGridUndoRedo::Reset()
{
    FItems.Clear();
    FLevel = 0;
}

void TKvGridUndoRedo::Apply(TUndoRedoItem* Item, bool Undoing)
{
    if (!FGrid || Item->IsMarker() || Item->Col < 0 || Item->Row < 0) return;
    const QString target = Undoing ? Item->OrigValue : Item->Value;
    const auto& ev = Undoing ? OnUndo : OnRedo;
    if (ev) ev(this, FGrid, Item->Col, Item->Row, FGrid->Cells(Item->Col, Item->Row), target);
    FGrid->SetCells(Item->Col, Item->Row, target);
    const int c = FGrid->DisplColIndex(Item->Col);
    if (c >= 0 && c < FGrid->ColCount() && Item->Row < FGrid->RowCount()) {
        FGrid->SetCol(c);
        FGrid->SetRow(Item->Row);
    }
}

void TKvGridUndoRedo::Undo()
{
    if (!FGrid || FLevel <= 0 || FItems.Count() < FLevel) return;
    if (FItems.Items(FLevel - 1)->SequenceStop) {
        --FLevel;
        while (FLevel > 0 && !FItems.Items(FLevel - 1)->SequenceStart) {
            Apply(FItems.Items(FLevel - 1), true);
            --FLevel;
        }
        // The start marker may have been trimmed away by MaxLevel.
        if (FLevel > 0) --FLevel;
        FGrid->Invalidate();
    } else {
        TUndoRedoItem* it = FItems.Items(FLevel - 1);
        Apply(it, true);
        if (!it->IsMarker() && FGrid->Col() >= 0) FGrid->RepaintCell(FGrid->Col(), it->Row);
        --FLevel;
    }
}

void TKvGridUndoRedo::Redo()
{
    if (!FGrid || FLevel >= FItems.Count()) return;
    ++FLevel;
    if (FItems.Items(FLevel - 1)->SequenceStart) {
        ++FLevel;
        while (FLevel <= FItems.Count() && !FItems.Items(FLevel - 1)->SequenceStop) {
            Apply(FItems.Items(FLevel - 1), false);
            ++FLevel;
        }
        if (FLevel > FItems.Count()) FLevel = FItems.Count();
        FGrid->Invalidate();
    } else {
        Apply(FItems.Items(FLevel - 1), false);
    }
}

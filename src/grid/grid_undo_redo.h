#pragma once
// Records cell changes of a grid so that they can be undone and redone, one
// change at a time or as a sequence bracketed by start and stop markers.
// Level counts the items that are done; items above it are the undone ones
// that Redo applies again until a new change is registered.

#include <QString>
#include <functional>

#include "platform/core/classes.h"

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    QString ClassName() const override { return QStringLiteral("TUndoRedoItem"); }
    void Assign(const TPersistent* Source) override;

    int Row = 0;
    int Col = 0;
    QString Value;      // the text after the change
    QString OrigValue;  // the text before it
    bool SequenceStart = false;
    bool SequenceStop = false;

    bool IsMarker() const { return SequenceStart || SequenceStop; }
};

class TUndoRedoCollection : public TCollection {
public:
    TUndoRedoCollection();
    TUndoRedoItem* Items(int Index) const { return static_cast<TUndoRedoItem*>(TCollection::Items(Index)); }
    TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
};

using TKvGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                const QString& OrigValue, const QString& NewValue)>;

class TKvGridUndoRedo : public TComponent {
public:
    explicit TKvGridUndoRedo(TComponent* AOwner = nullptr);
    ~TKvGridUndoRedo() override;
    QString ClassName() const override { return QStringLiteral("TKvGridUndoRedo"); }

    // Forgets the items above Level first: after an undo, a new change starts a new future.
    virtual void RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();
    void Undo();
    void Redo();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems.Count(); }
    // Deletes every item and starts again at level 0.
    void Reset();

    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int Value) { FMaxLevel = Value; }
    TUndoRedoCollection* Items() { return &FItems; }
    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* Value);

    TKvGridUndoRedoEvent OnUndo;
    TKvGridUndoRedoEvent OnRedo;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Append(int ACol, int ARow, const QString& OldValue, const QString& NewValue, bool Start, bool Stop);
    // Writes one side of an item into the grid; markers touch no cell.
    void Apply(TUndoRedoItem* Item, bool Undoing);

    TUndoRedoCollection FItems;
    TBaseGrid* FGrid = nullptr;
    int FLevel = 0;
    int FMaxLevel = 0;
};

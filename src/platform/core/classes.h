#pragma once
// The component model: objects, persistent objects with Assign, components with an owner
// and removal notifications, collections with an update hook, index-checked lists and
// streams.

#include "platform/core/exceptions.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

// ---- TObject / TPersistent ------------------------------------------------------------

class TObject {
public:
    virtual ~TObject();
    // The class name as declared ("TStringList"); used in messages.
    virtual QString ClassName() const;
};

class TPersistent : public TObject {
public:
    // Copies Source into this object. The base asks Source to assign itself (AssignTo),
    // whose default raises EConvertError "Cannot assign a X to a Y".
    virtual void Assign(const TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

// ---- TComponent -----------------------------------------------------------------------

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
    csLoading = 1,
    csReading = 2,
    csWriting = 4,
    csDestroying = 8,
    csDesigning = 16,
    csUpdating = 32,
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;   // raises EListError
    int ComponentIndex() const;
    TComponent* FindComponent(const QString& AName) const;

    const QString& Name() const { return FName; }
    void SetName(const QString& NewName);       // unique among the owner's components
    intptr_t Tag = 0;

    unsigned ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState & csLoading; }
    bool IsDestroying() const { return FComponentState & csDestroying; }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // AComponent gets Notification(this, opRemove) when this component is destroyed.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Marks the component as loading; Loaded() ends it. Used where a window builds its
    // children and then finishes them in one step.
    void BeginLoading();
    virtual void Loaded();
    void DestroyComponents();

protected:
    // Default: forgets AComponent's free notification and passes the notice on to every
    // owned component.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetDesigning(bool Value);
    unsigned FComponentState = 0;

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    QString FName;
};

// ---- lists ----------------------------------------------------------------------------

[[noreturn]] void ListIndexError(int Index);
[[noreturn]] void ListCapacityError(int Capacity);
[[noreturn]] void ListCountError(int Count);

// An index-checked list with the classic operations. TList (pointers) and TIntegerList
// are instances.
template <typename T>
class TListOf : public TObject {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void SetCount(int NewCount)
    {
        if (NewCount < 0)
            ListCountError(NewCount);
        FItems.resize(NewCount, T{});
    }
    int Capacity() const { return static_cast<int>(FItems.capacity()); }
    void SetCapacity(int NewCapacity)
    {
        if (NewCapacity < Count())
            ListCapacityError(NewCapacity);
        FItems.reserve(NewCapacity);
    }
    const T& Items(int Index) const
    {
        Check(Index);
        return FItems[Index];
    }
    void SetItems(int Index, const T& Item)
    {
        Check(Index);
        FItems[Index] = Item;
    }
    const T& operator[](int Index) const { return Items(Index); }
    int Add(const T& Item)
    {
        FItems.push_back(Item);
        return Count() - 1;
    }
    void Insert(int Index, const T& Item)
    {
        if (Index < 0 || Index > Count())
            ListIndexError(Index);
        FItems.insert(FItems.begin() + Index, Item);
    }
    virtual void Delete(int Index)
    {
        Check(Index);
        FItems.erase(FItems.begin() + Index);
    }
    virtual void Clear() { FItems.clear(); }
    int IndexOf(const T& Item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (FItems[i] == Item)
                return i;
        return -1;
    }
    int Remove(const T& Item)
    {
        const int I = IndexOf(Item);
        if (I >= 0)
            Delete(I);
        return I;
    }
    void Exchange(int Index1, int Index2)
    {
        Check(Index1);
        Check(Index2);
        std::swap(FItems[Index1], FItems[Index2]);
    }
    void Move(int CurIndex, int NewIndex)
    {
        if (CurIndex == NewIndex)
            return;
        Check(CurIndex);
        Check(NewIndex);
        T Item = FItems[CurIndex];
        FItems.erase(FItems.begin() + CurIndex);
        FItems.insert(FItems.begin() + NewIndex, Item);
    }
    const T& First() const { return Items(0); }
    const T& Last() const { return Items(Count() - 1); }
    template <typename Less>
    void Sort(Less Compare)
    {
        std::stable_sort(FItems.begin(), FItems.end(), Compare);
    }
    typename std::vector<T>::const_iterator begin() const { return FItems.begin(); }
    typename std::vector<T>::const_iterator end() const { return FItems.end(); }

protected:
    void Check(int Index) const
    {
        if (Index < 0 || Index >= Count())
            ListIndexError(Index);
    }
    std::vector<T> FItems;
};

using TList = TListOf<void*>;
using TIntegerList = TListOf<int>;

// A list of objects that, with OwnsObjects, deletes what it removes.
class TObjectList : public TListOf<TObject*> {
public:
    explicit TObjectList(bool AOwnsObjects = true) : OwnsObjects(AOwnsObjects) {}
    ~TObjectList() override;
    void Delete(int Index) override;
    void Clear() override;
    TObject* Extract(TObject* Item);   // removes without deleting
    bool OwnsObjects;
};

// ---- TCollection ----------------------------------------------------------------------

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* ACollection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* Value);
    int Index() const;
    void SetIndex(int Value);
    int ID() const { return FID; }
    virtual QString DisplayName() const;

protected:
    // Tells the collection that this item (or, with AllItems, every item) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(TItemFactory ItemFactory);
    ~TCollection() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int Index) const;    // raises EListError
    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    TCollectionItem* FindItemID(int ID) const;
    void Exchange(int Index1, int Index2);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Copies the items of another collection (each item by Assign).
    void Assign(const TPersistent* Source) override;

protected:
    // The change hook: Item is the changed item, or nullptr when the collection as a
    // whole changed. Not called while an update is open; EndUpdate calls it once.
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void MoveItem(int From, int To);

    TItemFactory FFactory;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
    bool FAdding = false;
};

// ---- streams --------------------------------------------------------------------------

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    virtual qint64 Read(void* Buffer, qint64 Count) = 0;
    virtual qint64 Write(const void* Buffer, qint64 Count) = 0;
    virtual qint64 Seek(qint64 Offset, TSeekOrigin Origin) = 0;

    qint64 Position() { return Seek(0, soCurrent); }
    void SetPosition(qint64 Pos) { Seek(Pos, soBeginning); }
    virtual qint64 Size();
    virtual void SetSize(qint64 NewSize);

    void ReadBuffer(void* Buffer, qint64 Count);          // raises EReadError
    void WriteBuffer(const void* Buffer, qint64 Count);   // raises EWriteError
    qint64 CopyFrom(TStream& Source, qint64 Count);       // Count 0: the whole source
    QByteArray ReadAll();                                 // from Position to the end
};

class TMemoryStream : public TStream {
public:
    qint64 Read(void* Buffer, qint64 Count) override;
    qint64 Write(const void* Buffer, qint64 Count) override;
    qint64 Seek(qint64 Offset, TSeekOrigin Origin) override;
    qint64 Size() override { return static_cast<qint64>(FData.size()); }
    void SetSize(qint64 NewSize) override;
    void Clear();
    void LoadFromFile(const QString& FileName);
    void SaveToFile(const QString& FileName) const;   // written atomically
    void LoadFromStream(TStream& Stream);
    const uint8_t* Memory() const { return FData.data(); }
    uint8_t* Memory() { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }

protected:
    std::vector<uint8_t> FData;
    qint64 FPosition = 0;
};

// Holds a blob of the application's resources (":/name" in the resource system).
class TResourceStream : public TMemoryStream {
public:
    explicit TResourceStream(const QString& ResName);   // raises EResNotFound
};

enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmCreate = 0xFF00,
};

// A file stream. fmCreate collects what is written and puts it in place (temporary
// file, then rename) on Commit() or destruction; the other modes work on the file itself.
class TFileStream : public TStream {
public:
    TFileStream(const QString& FileName, unsigned Mode);   // raises EFOpenError / EFCreateError
    ~TFileStream() override;
    qint64 Read(void* Buffer, qint64 Count) override;
    qint64 Write(const void* Buffer, qint64 Count) override;
    qint64 Seek(qint64 Offset, TSeekOrigin Origin) override;
    qint64 Size() override;
    void SetSize(qint64 NewSize) override;
    void Commit();   // fmCreate: writes the file now; raises EFCreateError on failure
    const QString& FileName() const { return FFileName; }

private:
    QString FFileName;
    unsigned FMode;
    int FHandle = -1;
    std::unique_ptr<TMemoryStream> FBuffer;   // fmCreate
    bool FCommitted = false;
};

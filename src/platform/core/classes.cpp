#include "platform/core/classes.h"

#include "platform/core/files.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <fcntl.h>
#include <typeinfo>
#include <unistd.h>

// ---- TObject / TPersistent ------------------------------------------------------------

TObject::~TObject() = default;

QString TObject::ClassName() const
{
    const char* Mangled = typeid(*this).name();
    int Status = 0;
    char* Demangled = abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status);
    QString R = QString::fromLatin1(Status == 0 && Demangled ? Demangled : Mangled);
    std::free(Demangled);
    // Only the class's own name, without namespaces or template arguments.
    const int Lt = R.indexOf(QLatin1Char('<'));
    if (Lt >= 0)
        R.truncate(Lt);
    const int Colon = R.lastIndexOf(QLatin1String("::"));
    if (Colon >= 0)
        R = R.mid(Colon + 2);
    return R;
}

void TPersistent::Assign(const TPersistent* Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const
{
    Dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* Source) const
{
    const QString SourceName = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(SourceName, ClassName()));
}

// ---- TComponent -----------------------------------------------------------------------

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState |= csDestroying;
    // Everyone who asked to hear of this component's end is told first.
    while (!FFreeNotifies.empty()) {
        TComponent* C = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& Theirs = C->FFreeNotifies;
        Theirs.erase(std::remove(Theirs.begin(), Theirs.end(), this), Theirs.end());
        C->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        ListIndexError(Index);
    return FComponents[Index];
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    const auto& L = FOwner->FComponents;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

TComponent* TComponent::FindComponent(const QString& AName) const
{
    if (AName.isEmpty())
        return nullptr;
    for (TComponent* C : FComponents)
        if (C->FName.compare(AName, Qt::CaseInsensitive) == 0)
            return C;
    return nullptr;
}

void TComponent::SetName(const QString& NewName)
{
    if (FName == NewName)
        return;
    if (FOwner && !NewName.isEmpty()) {
        TComponent* Other = FOwner->FindComponent(NewName);
        if (Other && Other != this)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
    }
    FName = NewName;
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
    AComponent->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner == this)
        return;
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    if (!AComponent->FName.isEmpty()) {
        TComponent* Other = FindComponent(AComponent->FName);
        if (Other)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(AComponent->FName));
    }
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner != this)
        return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& Theirs = AComponent->FFreeNotifies;
    if (std::find(Theirs.begin(), Theirs.end(), this) == Theirs.end())
        Theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent)
        return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
    auto& Theirs = AComponent->FFreeNotifies;
    Theirs.erase(std::remove(Theirs.begin(), Theirs.end(), this), Theirs.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Iterate over a copy: a handler may free components.
    const std::vector<TComponent*> Copy = FComponents;
    for (TComponent* C : Copy)
        if (std::find(FComponents.begin(), FComponents.end(), C) != FComponents.end())
            C->Notification(AComponent, Operation);
}

void TComponent::BeginLoading()
{
    FComponentState |= csLoading;
}

void TComponent::Loaded()
{
    FComponentState &= ~csLoading;
}

void TComponent::DestroyComponents()
{
    // Last created goes first.
    while (!FComponents.empty()) {
        TComponent* C = FComponents.back();
        Remove(C);
        Notification(C, opRemove);
        delete C;
    }
}

void TComponent::SetDesigning(bool Value)
{
    if (Value)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~csDesigning;
}

// ---- lists ----------------------------------------------------------------------------

void ListIndexError(int Index)
{
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void ListCapacityError(int Capacity)
{
    throw EListError(QStringLiteral("List capacity out of bounds (%1)").arg(Capacity));
}

void ListCountError(int Count)
{
    throw EListError(QStringLiteral("List count out of bounds (%1)").arg(Count));
}

TObjectList::~TObjectList()
{
    TObjectList::Clear();
}

void TObjectList::Delete(int Index)
{
    Check(Index);
    TObject* O = FItems[Index];
    FItems.erase(FItems.begin() + Index);
    if (OwnsObjects)
        delete O;
}

void TObjectList::Clear()
{
    std::vector<TObject*> Old;
    Old.swap(FItems);
    if (OwnsObjects)
        for (TObject* O : Old)
            delete O;
}

TObject* TObjectList::Extract(TObject* Item)
{
    const int I = IndexOf(Item);
    if (I < 0)
        return nullptr;
    FItems.erase(FItems.begin() + I);
    return Item;
}

// ---- TCollection ----------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* ACollection)
{
    SetCollection(ACollection);
}

TCollectionItem::~TCollectionItem()
{
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (FCollection == Value)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto& L = FCollection->FItems;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    const int Cur = Index();
    if (Cur >= 0 && Cur != Value) {
        FCollection->MoveItem(Cur, Value);
        Changed(true);
    }
}

QString TCollectionItem::DisplayName() const
{
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory ItemFactory) : FFactory(std::move(ItemFactory)) {}

TCollection::~TCollection()
{
    FUpdateCount = 1;   // no change hook while tearing down
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
    return FItems[Index];
}

TCollectionItem* TCollection::Add()
{
    if (!FFactory)
        throw EInvalidOperation(QStringLiteral("Collection has no item class"));
    // The hooks run once the item is fully built, not from inside its constructor.
    BeginUpdate();
    FAdding = true;
    TCollectionItem* Item = nullptr;
    try {
        Item = FFactory(this);
    } catch (...) {
        FAdding = false;
        EndUpdate();
        throw;
    }
    FAdding = false;
    Notify(Item, cnAdded);
    EndUpdate();
    return Item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        ListIndexError(Index);
    BeginUpdate();
    TCollectionItem* Item;
    try {
        Item = Add();
        MoveItem(Count() - 1, Index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return Item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem* Item = Items(Index);
    Notify(Item, cnDeleting);
    delete Item;
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    try {
        while (!FItems.empty()) {
            TCollectionItem* Item = FItems.back();
            Notify(Item, cnDeleting);
            delete Item;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* I : FItems)
        if (I->FID == ID)
            return I;
    return nullptr;
}

void TCollection::Exchange(int Index1, int Index2)
{
    Items(Index1);
    Items(Index2);
    std::swap(FItems[Index1], FItems[Index2]);
    Changed();
}

void TCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount <= 0)
        return;
    --FUpdateCount;
    Changed();
}

void TCollection::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TCollection*>(Source)) {
        if (S == this)
            return;
        BeginUpdate();
        try {
            Clear();
            for (TCollectionItem* I : S->FItems)
                Add()->Assign(I);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    if (!FAdding)
        Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
    Item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(int From, int To)
{
    if (To < 0)
        To = 0;
    if (To >= Count())
        To = Count() - 1;
    TCollectionItem* Item = FItems[From];
    FItems.erase(FItems.begin() + From);
    FItems.insert(FItems.begin() + To, Item);
}

// ---- streams --------------------------------------------------------------------------

qint64 TStream::Size()
{
    const qint64 Pos = Seek(0, soCurrent);
    const qint64 End = Seek(0, soEnd);
    Seek(Pos, soBeginning);
    return End;
}

void TStream::SetSize(qint64)
{
    throw EStreamError(QStringLiteral("Stream size cannot be changed"));
}

void TStream::ReadBuffer(void* Buffer, qint64 Count)
{
    if (Count > 0 && Read(Buffer, Count) != Count)
        throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* Buffer, qint64 Count)
{
    if (Count > 0 && Write(Buffer, Count) != Count)
        throw EWriteError(QStringLiteral("Stream write error"));
}

qint64 TStream::CopyFrom(TStream& Source, qint64 Count)
{
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    qint64 Left = Count;
    char Buf[65536];
    while (Left > 0) {
        const qint64 N = std::min<qint64>(Left, sizeof Buf);
        Source.ReadBuffer(Buf, N);
        WriteBuffer(Buf, N);
        Left -= N;
    }
    return Count;
}

QByteArray TStream::ReadAll()
{
    const qint64 Left = Size() - Position();
    QByteArray B;
    if (Left <= 0)
        return B;
    B.resize(Left);
    ReadBuffer(B.data(), Left);
    return B;
}

qint64 TMemoryStream::Read(void* Buffer, qint64 Count)
{
    if (Count <= 0 || FPosition >= Size())
        return 0;
    const qint64 N = std::min(Count, Size() - FPosition);
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
    FPosition += N;
    return N;
}

qint64 TMemoryStream::Write(const void* Buffer, qint64 Count)
{
    if (Count <= 0)
        return 0;
    if (FPosition + Count > Size())
        FData.resize(static_cast<size_t>(FPosition + Count));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition += Count;
    return Count;
}

qint64 TMemoryStream::Seek(qint64 Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning:
        FPosition = Offset;
        break;
    case soCurrent:
        FPosition += Offset;
        break;
    case soEnd:
        FPosition = Size() + Offset;
        break;
    }
    if (FPosition < 0)
        FPosition = 0;
    return FPosition;
}

void TMemoryStream::SetSize(qint64 NewSize)
{
    FData.resize(static_cast<size_t>(std::max<qint64>(0, NewSize)));
    if (FPosition > NewSize)
        FPosition = NewSize;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const QString& FileName)
{
    QByteArray B;
    try {
        B = ReadBinaryFile(FileName);
    } catch (const Exception& E) {
        throw EFOpenError(E.Message());
    }
    FData.assign(B.begin(), B.end());
    FPosition = 0;
}

void TMemoryStream::SaveToFile(const QString& FileName) const
{
    try {
        WriteBinaryFile(FileName, FData);
    } catch (const Exception& E) {
        throw EFCreateError(E.Message());
    }
}

void TMemoryStream::LoadFromStream(TStream& Stream)
{
    Stream.SetPosition(0);
    const QByteArray B = Stream.ReadAll();
    FData.assign(B.begin(), B.end());
    FPosition = 0;
}

TResourceStream::TResourceStream(const QString& ResName)
{
    const QString Path = ResName.startsWith(QLatin1Char(':')) ? ResName : QStringLiteral(":/") + ResName;
    QFile F(Path);
    if (!F.open(QIODevice::ReadOnly))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResName));
    const QByteArray B = F.readAll();
    FData.assign(B.begin(), B.end());
}

TFileStream::TFileStream(const QString& FileName, unsigned Mode) : FFileName(FileName), FMode(Mode)
{
    if (Mode == fmCreate) {
        FBuffer = std::make_unique<TMemoryStream>();
        // Fail now rather than at the end when the folder does not exist.
        const QString Dir = ExtractFileDir(FileName);
        if (!Dir.isEmpty() && !DirectoryExists(Dir))
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2")
                                    .arg(FileName, QString::fromLocal8Bit(std::strerror(ENOENT))));
        return;
    }
    int Flags = O_RDONLY;
    if ((Mode & 3) == fmOpenWrite)
        Flags = O_WRONLY;
    else if ((Mode & 3) == fmOpenReadWrite)
        Flags = O_RDWR;
    FHandle = ::open(QFile::encodeName(FileName).constData(), Flags | O_CLOEXEC);
    if (FHandle < 0 || QFileInfo(FileName).isDir()) {
        const int Err = errno;
        if (FHandle >= 0)
            ::close(FHandle);
        FHandle = -1;
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2")
                              .arg(FileName, QString::fromLocal8Bit(std::strerror(Err ? Err : EISDIR))));
    }
}

TFileStream::~TFileStream()
{
    if (FBuffer && !FCommitted) {
        try {
            Commit();
        } catch (...) {
            // A destructor cannot report; callers that care call Commit() themselves.
        }
    }
    if (FHandle >= 0)
        ::close(FHandle);
}

void TFileStream::Commit()
{
    if (!FBuffer)
        return;
    FCommitted = true;
    FBuffer->SaveToFile(FFileName);
}

qint64 TFileStream::Read(void* Buffer, qint64 Count)
{
    if (FBuffer)
        return FBuffer->Read(Buffer, Count);
    if (Count <= 0)
        return 0;
    qint64 Done = 0;
    while (Done < Count) {
        const ssize_t N = ::read(FHandle, static_cast<char*>(Buffer) + Done, static_cast<size_t>(Count - Done));
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            break;
        Done += N;
    }
    return Done;
}

qint64 TFileStream::Write(const void* Buffer, qint64 Count)
{
    if (FBuffer)
        return FBuffer->Write(Buffer, Count);
    if (Count <= 0)
        return 0;
    qint64 Done = 0;
    while (Done < Count) {
        const ssize_t N = ::write(FHandle, static_cast<const char*>(Buffer) + Done, static_cast<size_t>(Count - Done));
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            break;
        Done += N;
    }
    return Done;
}

qint64 TFileStream::Seek(qint64 Offset, TSeekOrigin Origin)
{
    if (FBuffer)
        return FBuffer->Seek(Offset, Origin);
    const int Whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    return ::lseek(FHandle, Offset, Whence);
}

qint64 TFileStream::Size()
{
    if (FBuffer)
        return FBuffer->Size();
    return TStream::Size();
}

void TFileStream::SetSize(qint64 NewSize)
{
    if (FBuffer) {
        FBuffer->SetSize(NewSize);
        return;
    }
    if (::ftruncate(FHandle, NewSize) != 0)
        throw EStreamError(QStringLiteral("Stream size cannot be changed"));
}

#include "platform/core/classes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Logs removal notices, to see who hears of which component's end.
class TLogComponent : public TComponent {
public:
    TLogComponent(TComponent* AOwner, const QString& AName, std::vector<std::string>& ALog)
        : TComponent(AOwner), Log(ALog)
    {
        SetName(AName);
    }
    ~TLogComponent() override { Log.push_back("free " + Name().toStdString()); }
    void Loaded() override
    {
        TComponent::Loaded();
        Log.push_back("loaded " + Name().toStdString());
    }
    TComponent* Watched = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (Operation == opRemove) {
            Log.push_back(Name().toStdString() + " hears removal");
            if (AComponent == Watched)
                Watched = nullptr;
        }
        TComponent::Notification(AComponent, Operation);   // passes it on to owned ones
    }

private:
    std::vector<std::string>& Log;
};

class TPoint3 : public TPersistent {
public:
    int X = 0;
    void Assign(const TPersistent* Source) override
    {
        if (auto* P = dynamic_cast<const TPoint3*>(Source)) {
            X = P->X;
            return;
        }
        TPersistent::Assign(Source);
    }
};
class TOther : public TPersistent {};

class TColItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    int Value = 0;
    void SetValue(int V)
    {
        Value = V;
        Changed(false);
    }
    void Assign(const TPersistent* Source) override
    {
        if (auto* I = dynamic_cast<const TColItem*>(Source)) {
            Value = I->Value;
            return;
        }
        TCollectionItem::Assign(Source);
    }
};

class TCountingCollection : public TCollection {
public:
    TCountingCollection() : TCollection([](TCollection* C) { return new TColItem(C); }) {}
    std::vector<TCollectionItem*> Updates;

protected:
    void Update(TCollectionItem* Item) override { Updates.push_back(Item); }
};

}  // namespace

TEST(Persistent, AssignErrorsNameBothClasses)
{
    TPoint3 A, B;
    A.X = 5;
    B.Assign(&A);
    EXPECT_EQ(B.X, 5);
    TOther O;
    try {
        B.Assign(&O);
        ADD_FAILURE();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot assign a TOther to a TPoint3"));
    }
    try {
        B.Assign(nullptr);
        ADD_FAILURE();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot assign a nil to a TPoint3"));
    }
}

TEST(Component, OwnerFreesChildrenAndEveryoneHearsOfRemoval)
{
    std::vector<std::string> Log;
    auto* Form = new TLogComponent(nullptr, QStringLiteral("Form"), Log);
    auto* Grid = new TLogComponent(Form, QStringLiteral("Grid"), Log);
    auto* Button = new TLogComponent(Form, QStringLiteral("Button"), Log);
    auto* Outsider = new TLogComponent(nullptr, QStringLiteral("Outsider"), Log);
    EXPECT_EQ(Form->ComponentCount(), 2);
    EXPECT_EQ(Form->Components(1), Button);
    EXPECT_EQ(Button->ComponentIndex(), 1);
    EXPECT_EQ(Form->FindComponent(QStringLiteral("grid")), Grid);
    EXPECT_THROW(Form->Components(2), EListError);
    EXPECT_THROW(Button->SetName(QStringLiteral("Grid")), EComponentError);

    // A component outside the owner asks to hear when the grid goes.
    Outsider->Watched = Grid;
    Grid->FreeNotification(Outsider);
    Log.clear();
    delete Grid;
    EXPECT_EQ(Outsider->Watched, nullptr);
    EXPECT_EQ(Form->ComponentCount(), 1);
    const std::vector<std::string> Expected = {"free Grid", "Outsider hears removal", "Form hears removal",
                                               "Button hears removal"};
    EXPECT_EQ(Log, Expected);

    // Loaded ends the loading state.
    Form->BeginLoading();
    EXPECT_TRUE(Form->IsLoading());
    Form->Loaded();
    EXPECT_FALSE(Form->IsLoading());

    Log.clear();
    new TLogComponent(Form, QStringLiteral("Late"), Log);
    delete Form;   // the last created goes first
    ASSERT_GE(Log.size(), 3u);
    EXPECT_EQ(Log.front(), "free Form");
    EXPECT_NE(std::find(Log.begin(), Log.end(), "free Late"), Log.end());
    EXPECT_LT(std::find(Log.begin(), Log.end(), "free Late"), std::find(Log.begin(), Log.end(), "free Button"));
    delete Outsider;
}

TEST(Collection, UpdateHookAndBatching)
{
    TCountingCollection C;
    auto* A = static_cast<TColItem*>(C.Add());
    auto* B = static_cast<TColItem*>(C.Add());
    EXPECT_EQ(C.Updates, (std::vector<TCollectionItem*>{nullptr, nullptr}));
    C.Updates.clear();
    B->SetValue(3);   // a change of one item names it
    EXPECT_EQ(C.Updates, std::vector<TCollectionItem*>{B});

    C.Updates.clear();
    C.BeginUpdate();
    A->SetValue(1);
    C.Add();
    C.Delete(0);
    EXPECT_TRUE(C.Updates.empty());
    C.EndUpdate();
    EXPECT_EQ(C.Updates, std::vector<TCollectionItem*>{nullptr});
    EXPECT_EQ(C.Count(), 2);
    EXPECT_EQ(C.Items(0), B);
    EXPECT_EQ(B->Index(), 0);

    auto* Mid = C.Insert(1);
    EXPECT_EQ(Mid->Index(), 1);
    B->SetIndex(2);
    EXPECT_EQ(C.Items(2), B);
    EXPECT_THROW(C.Items(3), EListError);
    EXPECT_THROW(C.Insert(9), EListError);

    TCountingCollection Copy;
    Copy.Assign(&C);
    ASSERT_EQ(Copy.Count(), 3);
    EXPECT_EQ(static_cast<TColItem*>(Copy.Items(2))->Value, 3);
    delete B;   // an item freed on its own leaves its collection
    EXPECT_EQ(C.Count(), 2);
}

TEST(Collection, HooksSeeTheNewItemFullyBuilt)
{
    struct TWideItem : TCollectionItem {
        explicit TWideItem(TCollection* C) : TCollectionItem(C) {}
        int Width = 64;
    };
    struct TWatching : TCollection {
        TWatching() : TCollection([](TCollection* C) { return new TWideItem(C); }) {}
        std::vector<int> Seen;
        void Update(TCollectionItem*) override
        {
            for (int i = 0; i < Count(); ++i)
                Seen.push_back(static_cast<TWideItem*>(Items(i))->Width);
        }
        void Notify(TCollectionItem* Item, TCollectionNotification Action) override
        {
            if (Action == cnAdded)
                Seen.push_back(-static_cast<TWideItem*>(Item)->Width);
        }
    } C;
    C.Add();
    EXPECT_EQ(C.Seen, (std::vector<int>{-64, 64}));
}

TEST(Lists, IndexErrorsAndOwnership)
{
    TIntegerList L;
    L.Add(10);
    L.Add(20);
    L.Insert(0, 5);
    EXPECT_EQ(L.IndexOf(20), 2);
    L.Move(2, 0);
    EXPECT_EQ(L[0], 20);
    L.Exchange(0, 2);
    EXPECT_EQ(L.Last(), 20);
    const int Bad[] = {-1, 3};
    for (int I : Bad) {
        try {
            L.Items(I);
            ADD_FAILURE();
        } catch (const EListError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("List index out of bounds (%1)").arg(I));
        }
    }
    EXPECT_THROW(L.Delete(3), EListError);
    EXPECT_THROW(L.Insert(4, 1), EListError);
    EXPECT_THROW(L.SetCount(-1), EListError);
    TList P;
    int X = 0;
    P.Add(&X);
    EXPECT_EQ(P.Remove(&X), 0);
    EXPECT_EQ(P.Count(), 0);

    struct Counted : TObject {
        explicit Counted(int& N) : Count(N) { ++Count; }
        ~Counted() override { --Count; }
        int& Count;
    };
    int Alive = 0;
    {
        TObjectList Owned;
        Owned.Add(new Counted(Alive));
        auto* Kept = new Counted(Alive);
        Owned.Add(Kept);
        Owned.Delete(0);
        EXPECT_EQ(Alive, 1);
        EXPECT_EQ(Owned.Extract(Kept), Kept);
        delete Kept;
        Owned.Add(new Counted(Alive));
    }
    EXPECT_EQ(Alive, 0);
}

TEST(Streams, MemoryFileAndResource)
{
    TMemoryStream M;
    const char Data[] = "abcdef";
    M.WriteBuffer(Data, 6);
    EXPECT_EQ(M.Size(), 6);
    M.Seek(-2, soEnd);
    char Two[2];
    M.ReadBuffer(Two, 2);
    EXPECT_EQ(std::string(Two, 2), "ef");
    try {
        M.ReadBuffer(Two, 1);
        ADD_FAILURE();
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Stream read error"));
    }

    QTemporaryDir T;
    const QString Path = T.filePath(QStringLiteral("s.bin"));
    {
        TFileStream F(Path, fmCreate);
        F.CopyFrom(M, 0);
        F.Commit();
    }
    TFileStream R(Path, fmOpenRead);
    EXPECT_EQ(R.Size(), 6);
    EXPECT_EQ(R.ReadAll(), QByteArray("abcdef"));
    EXPECT_THROW(TFileStream(T.filePath(QStringLiteral("none")), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(T.filePath(QStringLiteral("no/dir/x")), fmCreate), EFCreateError);

    TMemoryStream Loaded;
    Loaded.LoadFromFile(Path);
    EXPECT_EQ(Loaded.Bytes().size(), 6u);
    EXPECT_THROW(Loaded.LoadFromFile(T.filePath(QStringLiteral("none"))), EFOpenError);

    try {
        TResourceStream Res(QStringLiteral("no_such_resource"));
        ADD_FAILURE();
    } catch (const EResNotFound& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Resource no_such_resource not found"));
    }
}

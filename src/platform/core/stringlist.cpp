#include "platform/core/stringlist.h"

#include "platform/core/sysutils.h"

#include <algorithm>

namespace {

[[noreturn]] void StringListError(const QString& Msg)
{
    throw EStringListError(Msg);
}

[[noreturn]] void IndexError(int Index)
{
    StringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

}  // namespace

// ---- TStrings -------------------------------------------------------------------------

TStrings::TStrings() = default;
TStrings::~TStrings() = default;

void TStrings::Put(int Index, const QString& S)
{
    TObject* O = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, O);
}

TObject* TStrings::GetObject(int) const
{
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const QString& S)
{
    const int I = Count();
    Insert(I, S);
    return I;
}

int TStrings::AddObject(const QString& S, TObject* AObject)
{
    const int I = Add(S);
    PutObject(I, AObject);
    return I;
}

void TStrings::InsertObject(int Index, const QString& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings& Strings)
{
    BeginUpdate();
    try {
        for (int i = 0; i < Strings.Count(); ++i)
            AddObject(Strings.Get(i), Strings.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::AddStrings(const QStringList& Strings)
{
    BeginUpdate();
    try {
        for (const QString& S : Strings)
            Add(S);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::CompareStrings(const QString& S1, const QString& S2) const
{
    return AnsiCompareText(S1, S2);
}

int TStrings::IndexOf(const QString& S) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), S) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(const QString& Name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString S = Get(i);
        const int P = S.indexOf(NameValueSeparator);
        if (P >= 0 && CompareStrings(S.left(P), Name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == AObject)
            return i;
    return -1;
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    BeginUpdate();
    try {
        const QString S = Get(CurIndex);
        TObject* O = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, S, O);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Exchange(int Index1, int Index2)
{
    BeginUpdate();
    try {
        const QString S = Get(Index1);
        TObject* O = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, S);
        PutObject(Index2, O);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStrings::Equals(const TStrings& Strings) const
{
    if (Count() != Strings.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != Strings.Get(i))
            return false;
    return true;
}

QString TStrings::Names(int Index) const
{
    const QString S = Get(Index);
    const int P = S.indexOf(NameValueSeparator);
    return P >= 0 ? S.left(P) : QString();
}

QString TStrings::Values(const QString& Name) const
{
    const int I = IndexOfName(Name);
    if (I < 0)
        return QString();
    const QString S = Get(I);
    return S.mid(S.indexOf(NameValueSeparator) + 1);
}

void TStrings::SetValues(const QString& Name, const QString& Value)
{
    int I = IndexOfName(Name);
    if (!Value.isEmpty()) {
        if (I < 0)
            I = Add(QString());
        Put(I, Name + NameValueSeparator + Value);
    } else if (I >= 0) {
        Delete(I);
    }
}

QString TStrings::ValueFromIndex(int Index) const
{
    if (Index < 0)
        return QString();
    const QString S = Get(Index);
    const int P = S.indexOf(NameValueSeparator);
    return P >= 0 ? S.mid(P + 1) : QString();
}

void TStrings::SetValueFromIndex(int Index, const QString& Value)
{
    if (!Value.isEmpty()) {
        if (Index < 0)
            Index = Add(QString());
        Put(Index, Names(Index) + NameValueSeparator + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

QString TStrings::Text() const
{
    QString R;
    for (int i = 0; i < Count(); ++i) {
        R += Get(i);
        R += LineBreak;
    }
    return R;
}

void TStrings::SetText(const QString& Value)
{
    BeginUpdate();
    try {
        Clear();
        for (const QString& L : SplitLines(Value))
            Add(L);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

QString TStrings::QuoteItem(const QString& S) const
{
    for (QChar C : S) {
        if (C.unicode() == 0)
            break;
        if (C == QuoteChar || C == Delimiter || (!StrictDelimiter && C.unicode() <= ' '))
            return AnsiQuotedStr(S, QuoteChar);
    }
    return S;
}

QString TStrings::DelimitedText() const
{
    const int N = Count();
    if (N == 1 && Get(0).isEmpty())
        return QString(2, QuoteChar);
    QString R;
    for (int i = 0; i < N; ++i) {
        if (i > 0)
            R += Delimiter;
        R += QuoteItem(Get(i));
    }
    return R;
}

void TStrings::SetDelimitedText(const QString& Value)
{
    auto IsBlank = [](QChar C) { return C.unicode() >= 1 && C.unicode() <= ' '; };
    BeginUpdate();
    try {
        Clear();
        const int n = Value.size();
        int P = 0;
        auto At = [&](int i) -> QChar { return i < n ? Value[i] : QChar(); };
        if (!StrictDelimiter)
            while (IsBlank(At(P)))
                ++P;
        while (P < n && !At(P).isNull()) {
            QString S;
            if (At(P) == QuoteChar) {
                S = AnsiExtractQuotedStr(Value, P, QuoteChar);
            } else {
                const int P1 = P;
                while (P < n && ((!StrictDelimiter && At(P).unicode() > ' ') || (StrictDelimiter && !At(P).isNull())) &&
                       At(P) != Delimiter)
                    ++P;
                S = Value.mid(P1, P - P1);
            }
            Add(S);
            if (!StrictDelimiter)
                while (IsBlank(At(P)))
                    ++P;
            if (P < n && At(P) == Delimiter) {
                if (P + 1 >= n)
                    Add(QString());
                do
                    ++P;
                while (!StrictDelimiter && IsBlank(At(P)));
            } else if (P < n && At(P).isNull()) {
                break;   // an embedded #0 ends the text, as it ends a C string
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

QString TStrings::CommaText() const
{
    auto* Self = const_cast<TStrings*>(this);
    const QChar D = Delimiter, Q = QuoteChar;
    Self->Delimiter = QLatin1Char(',');
    Self->QuoteChar = QLatin1Char('"');
    QString R = DelimitedText();
    Self->Delimiter = D;
    Self->QuoteChar = Q;
    return R;
}

void TStrings::SetCommaText(const QString& Value)
{
    const QChar D = Delimiter, Q = QuoteChar;
    Delimiter = QLatin1Char(',');
    QuoteChar = QLatin1Char('"');
    try {
        SetDelimitedText(Value);
    } catch (...) {
        Delimiter = D;
        QuoteChar = Q;
        throw;
    }
    Delimiter = D;
    QuoteChar = Q;
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount <= 0)
        return;
    --FUpdateCount;
    if (FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromFile(const QString& FileName)
{
    TTextEncoding E = TTextEncoding::Ansi;
    const QString T = ReadTextFile(FileName, &E);
    SetText(T);
    FEncoding = E;
}

void TStrings::SaveToFile(const QString& FileName) const
{
    SaveToFile(FileName, FEncoding);
}

void TStrings::SaveToFile(const QString& FileName, TTextEncoding Encoding) const
{
    WriteTextFile(FileName, Text(), Encoding);
}

void TStrings::LoadFromStream(TStream& Stream)
{
    TTextEncoding E = TTextEncoding::Ansi;
    const QString T = DecodeText(Stream.ReadAll(), &E);
    SetText(T);
    FEncoding = E;
}

void TStrings::SaveToStream(TStream& Stream, TTextEncoding Encoding) const
{
    const QByteArray B = EncodeText(Text(), Encoding);
    Stream.WriteBuffer(B.constData(), B.size());
}

QStringList TStrings::ToStringList() const
{
    QStringList R;
    R.reserve(Count());
    for (int i = 0; i < Count(); ++i)
        R << Get(i);
    return R;
}

void TStrings::Assign(const QStringList& Source)
{
    BeginUpdate();
    try {
        Clear();
        AddStrings(Source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TStrings*>(Source)) {
        if (S == this)
            return;
        BeginUpdate();
        try {
            Clear();
            NameValueSeparator = S->NameValueSeparator;
            QuoteChar = S->QuoteChar;
            Delimiter = S->Delimiter;
            LineBreak = S->LineBreak;
            StrictDelimiter = S->StrictDelimiter;
            AddStrings(*S);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

// ---- TStringList ----------------------------------------------------------------------

TStringList::TStringList() = default;

TStringList::TStringList(bool AOwnsObjects) : OwnsObjects(AOwnsObjects) {}

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (OwnsObjects)
        for (TItem& I : FList)
            delete I.Object;
}

void TStringList::Check(int Index) const
{
    if (Index < 0 || Index >= Count())
        IndexError(Index);
}

void TStringList::FreeObject(TObject* O)
{
    if (OwnsObjects)
        delete O;
}

QString TStringList::Get(int Index) const
{
    Check(Index);
    return FList[Index].S;
}

void TStringList::Put(int Index, const QString& S)
{
    if (FSorted)
        StringListError(QStringLiteral("Operation not allowed on sorted list"));
    Check(Index);
    Changing();
    FList[Index].S = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const
{
    Check(Index);
    return FList[Index].Object;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    Check(Index);
    Changing();
    FList[Index].Object = AObject;
    Changed();
}

void TStringList::InsertItem(int Index, const QString& S, TObject* AObject)
{
    Changing();
    FList.insert(FList.begin() + Index, TItem{S, AObject});
    Changed();
}

void TStringList::Insert(int Index, const QString& S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const QString& S, TObject* AObject)
{
    if (FSorted)
        StringListError(QStringLiteral("Operation not allowed on sorted list"));
    if (Index < 0 || Index > Count())
        IndexError(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::Delete(int Index)
{
    Check(Index);
    Changing();
    TObject* O = FList[Index].Object;
    FList.erase(FList.begin() + Index);
    FreeObject(O);
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty())
        return;
    Changing();
    std::vector<TItem> Old;
    Old.swap(FList);
    for (TItem& I : Old)
        FreeObject(I.Object);
    Changed();
}

int TStringList::Add(const QString& S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const QString& S, TObject* AObject)
{
    int Index;
    if (!FSorted) {
        Index = Count();
    } else if (Find(S, Index)) {
        switch (Duplicates) {
        case dupIgnore:
            return Index;
        case dupError:
            StringListError(QStringLiteral("String list does not allow duplicates"));
        case dupAccept:
            break;
        }
    }
    InsertItem(Index, S, AObject);
    return Index;
}

int TStringList::CompareStrings(const QString& S1, const QString& S2) const
{
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

bool TStringList::Find(const QString& S, int& Index) const
{
    int L = 0, H = Count() - 1;
    bool Found = false;
    while (L <= H) {
        const int I = (L + H) / 2;
        const int C = CompareStrings(FList[I].S, S);
        if (C < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (C == 0) {
                Found = true;
                if (Duplicates != dupAccept)
                    L = I;
            }
        }
    }
    Index = L;
    return Found;
}

int TStringList::IndexOf(const QString& S) const
{
    if (!FSorted)
        return TStrings::IndexOf(S);
    int I;
    return Find(S, I) ? I : -1;
}

void TStringList::Exchange(int Index1, int Index2)
{
    Check(Index1);
    Check(Index2);
    Changing();
    std::swap(FList[Index1], FList[Index2]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    if (FSorted)
        StringListError(QStringLiteral("Operation not allowed on sorted list"));
    Check(CurIndex);
    Check(NewIndex);
    Changing();
    TItem Item = FList[CurIndex];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, Item);
    Changed();
}

void TStringList::SetText(const QString& Value)
{
    TStrings::SetText(Value);
}

void TStringList::Sort()
{
    CustomSort([](TStringList* L, int A, int B) { return L->CompareStrings(L->FList[A].S, L->FList[B].S); });
}

void TStringList::CustomSort(const std::function<int(TStringList*, int, int)>& Compare)
{
    if (Count() <= 1)
        return;
    Changing();
    // Sort positions, then rebuild, so the comparer sees the list as it was.
    std::vector<int> Order(FList.size());
    for (size_t i = 0; i < Order.size(); ++i)
        Order[i] = static_cast<int>(i);
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Compare(this, A, B) < 0; });
    std::vector<TItem> Sorted;
    Sorted.reserve(FList.size());
    for (int I : Order)
        Sorted.push_back(FList[I]);
    FList.swap(Sorted);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    if (Value)
        Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (FCaseSensitive == Value)
        return;
    FCaseSensitive = Value;
    if (FSorted)
        Sort();
}

void TStringList::SetUpdateState(bool Updating)
{
    FUpdating = Updating;
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

#include "grid/grid_lists.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/ui/controls.h"

// ---- TIntList ----

TIntList::TIntList(int Col, int Row)
    : FCol(Col)
    , FRow(Row)
{
}

TIntList::~TIntList() = default;

void TIntList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
}

void TIntList::Changed()
{
    if (OnChange)
        OnChange(this, FCol, FRow);
}

int TIntList::Items(int Index) const
{
    CheckIndex(Index);
    return FItems[size_t(Index)];
}

void TIntList::SetItems(int Index, int Value)
{
    CheckIndex(Index);
    FItems[size_t(Index)] = Value;
    Changed();
}

int TIntList::Add(int Value)
{
    FItems.push_back(Value);
    Changed();
    return Count() - 1;
}

void TIntList::Delete(int Index)
{
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TIntList::Insert(int Index, int Value)
{
    if (Index < 0 || Index > Count())
        ListIndexError(Index);
    FItems.insert(FItems.begin() + Index, Value);
}

int TIntList::IndexOf(int Value) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == Value)
            return int(i);
    return -1;
}

void TIntList::DeleteValue(int Value)
{
    const int i = IndexOf(Value);
    if (i >= 0)
        Delete(i);
}

bool TIntList::HasValue(int Value) const
{
    return IndexOf(Value) >= 0;
}

void TIntList::Clear()
{
    FItems.clear();
}

void TIntList::Sort(const std::function<int(int A, int B)>& Compare)
{
    std::stable_sort(FItems.begin(), FItems.end(), [&](int A, int B) { return Compare(A, B) < 0; });
}

QString TIntList::StrValue() const
{
    QString r;
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0)
            r += QLatin1Char(',');
        r += QString::number(FItems[i]);
    }
    return r;
}

void TIntList::SetStrValue(const QString& Value)
{
    Clear();
    TStringList parts;
    parts.SetCommaText(Value);
    for (int i = 0; i < parts.Count(); ++i)
        Add(StrToInt(parts.Strings(i)));
}

// ---- TSortIndexList ----

namespace {
constexpr quint32 DescendingBit = 0x80000000u;
}

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    quint32 v = quint32(ColumnIndex) & ~DescendingBit;
    if (!Ascending)
        v |= DescendingBit;
    Add(int(v));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    const quint32 col = quint32(ColumnIndex) & ~DescendingBit;
    for (int i = 0; i < Count(); ++i)
        if ((quint32(Items(i)) & ~DescendingBit) == col)
            return i;
    return -1;
}

int TSortIndexList::SortColumns(int Index) const
{
    return int(quint32(Items(Index)) & ~DescendingBit);
}

void TSortIndexList::SetSortColumns(int Index, int Column)
{
    const quint32 dir = quint32(Items(Index)) & DescendingBit;
    SetItems(Index, int(dir | (quint32(Column) & ~DescendingBit)));
}

bool TSortIndexList::SortDirections(int Index) const
{
    return (quint32(Items(Index)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int Index, bool Ascending)
{
    quint32 v = quint32(Items(Index));
    if (Ascending)
        v &= ~DescendingBit;
    else
        v |= DescendingBit;
    SetItems(Index, int(v));
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    const int i = FindIndex(ColumnIndex);
    if (i >= 0)
        SetItems(i, int(quint32(Items(i)) ^ DescendingBit));
}

QString TSortIndexList::SaveToString() const
{
    QString r;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0)
            r += QLatin1Char(';');
        const quint32 v = quint32(Items(i));
        r += (v & DescendingBit) ? QLatin1Char('d') : QLatin1Char('u');
        r += QString::number(v & 0xFFFFu);
    }
    return r;
}

void TSortIndexList::LoadFromString(const QString& Text)
{
    Clear();
    const QStringList pieces = Text.split(QLatin1Char(';'));
    for (const QString& piece : pieces) {
        if (piece.size() < 2)
            continue;
        const bool ascending = piece.at(0) == QLatin1Char('u');
        AddIndex(StrToIntDef(piece.mid(1), 0), ascending);
    }
}

// ---- TControlList ----

TControlList::~TControlList()
{
    Clear();
}

void TControlList::Clear()
{
    for (TControlItem* item : FItems)
        delete item;
    FItems.clear();
}

void TControlList::AddControl(int X, int Y, TControl* Control)
{
    FItems.push_back(new TControlItem(X, Y, Control));
}

int TControlList::ControlIndex(int X, int Y) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->X == X && FItems[i]->Y == Y)
            return int(i);
    return -1;
}

TControlItem* TControlList::Control(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
    return FItems[size_t(Index)];
}

void TControlList::RemoveControl(int Index)
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
    delete FItems[size_t(Index)];
    FItems.erase(FItems.begin() + Index);
}

bool TControlList::HasHandle(HWND Handle) const
{
    for (TControlItem* item : FItems) {
        if (auto* w = dynamic_cast<TWinControl*>(item->Control))
            if (w->Handle() == Handle)
                return true;
    }
    return false;
}

// ---- TFileStringList ----

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

bool TFileStringList::Eof() const
{
    return fp >= Count();
}

void TFileStringList::ReadLn(QString& S)
{
    S = Strings(fp);
    ++fp;
}

void TFileStringList::Write(const QString& S)
{
    cache += S;
}

void TFileStringList::WriteLn(const QString& S)
{
    Add(cache + S);
    cache.clear();
}

// ---- TFilePicture ----

void TFilePicture::SetFilename(const QString& Value)
{
    FFilename = Value;
    TPicture picture;
    picture.LoadFromFile(Value);
    FWidth = picture.Width();
    FHeight = picture.Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& Rect)
{
    if (FFilename.isEmpty())
        return;
    TPicture picture;
    picture.LoadFromFile(FFilename);
    Canvas->StretchDraw(Rect, picture.Graphic());
}

void TFilePicture::Assign(const TPersistent* Source)
{
    if (const auto* s = dynamic_cast<const TFilePicture*>(Source)) {
        FFilename = s->FFilename;
        FWidth = s->FWidth;
        FHeight = s->FHeight;
        return;
    }
    TPersistent::Assign(Source);
}

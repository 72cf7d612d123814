#include "platform/core/inifiles.h"

#include "platform/core/codepages.h"
#include "platform/core/files.h"
#include "platform/core/stringlist.h"
#include "platform/core/sysutils.h"

#include <QStandardPaths>

namespace {

QString CleanValue(const QString& Raw)
{
    QString V = Raw.trimmed();
    if (V.size() >= 2 && ((V.startsWith(QLatin1Char('"')) && V.endsWith(QLatin1Char('"'))) ||
                          (V.startsWith(QLatin1Char('\'')) && V.endsWith(QLatin1Char('\'')))))
        V = V.mid(1, V.size() - 2);
    return V;
}

// Names compare without regard to case.
QString Fold(const QString& Name)
{
    return Name.toCaseFolded();
}

// Keeps the first position of a name.
void IndexFirst(QHash<QString, size_t>& Index, const QString& Name, size_t Position)
{
    const QString Key = Fold(Name);
    if (!Index.contains(Key))
        Index.insert(Key, Position);
}

}  // namespace

// ---- TCustomIniFile -------------------------------------------------------------------

int TCustomIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const
{
    return StrToIntDef(ReadString(Section, Ident, QString()), Default);
}

void TCustomIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TCustomIniFile::ReadFloat(const QString& Section, const QString& Ident, double Default) const
{
    double V;
    return TryStrToFloat(ReadString(Section, Ident, QString()), V, InvariantFormatSettings()) ? V : Default;
}

void TCustomIniFile::WriteFloat(const QString& Section, const QString& Ident, double Value)
{
    WriteString(Section, Ident, FloatToStr(Value, InvariantFormatSettings()));
}

bool TCustomIniFile::SectionExists(const QString& Section) const
{
    for (const QString& S : SectionNames())
        if (S.compare(Section, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TCustomIniFile::ValueExists(const QString& Section, const QString& Ident) const
{
    for (const QString& K : SectionKeys(Section))
        if (K.compare(Ident, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TCustomIniFile::ReadSection(const QString& Section, TStrings& Strings) const
{
    Strings.BeginUpdate();
    Strings.Clear();
    Strings.AddStrings(SectionKeys(Section));
    Strings.EndUpdate();
}

void TCustomIniFile::ReadSections(TStrings& Strings) const
{
    Strings.BeginUpdate();
    Strings.Clear();
    Strings.AddStrings(SectionNames());
    Strings.EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const QString& Section, TStrings& Strings) const
{
    Strings.BeginUpdate();
    Strings.Clear();
    for (const QString& K : SectionKeys(Section))
        Strings.Add(K + QLatin1Char('=') + ReadString(Section, K, QString()));
    Strings.EndUpdate();
}

// ---- TMemIniFile ----------------------------------------------------------------------

TMemIniFile::TMemIniFile(const QString& FileName) : TCustomIniFile(FileName)
{
    if (!FileName.isEmpty() && FileExists(FileName))
        SetText(ReadTextFile(FileName));
}

const TMemIniFile::TEntry* TMemIniFile::TSection::Find(const QString& Key) const
{
    const auto It = KeyIndex.constFind(Fold(Key));
    return It == KeyIndex.constEnd() ? nullptr : &Entries[*It];
}

void TMemIniFile::TSection::Add(const QString& Key, const QString& Value)
{
    Entries.push_back(TEntry{Key, Value});
    IndexFirst(KeyIndex, Key, Entries.size() - 1);
}

void TMemIniFile::TSection::Reindex()
{
    KeyIndex.clear();
    for (size_t i = 0; i < Entries.size(); ++i)
        IndexFirst(KeyIndex, Entries[i].Key, i);
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const QString& Name) const
{
    const auto It = FSectionIndex.constFind(Fold(Name));
    return It == FSectionIndex.constEnd() ? nullptr : &FSections[*It];
}

TMemIniFile::TSection& TMemIniFile::AddSection(const QString& Name)
{
    FSections.push_back(TSection{Name, {}, {}});
    IndexFirst(FSectionIndex, Name, FSections.size() - 1);
    return FSections.back();
}

void TMemIniFile::ReindexSections()
{
    FSectionIndex.clear();
    for (size_t i = 0; i < FSections.size(); ++i)
        IndexFirst(FSectionIndex, FSections[i].Name, i);
}

TMemIniFile::TSection* TMemIniFile::FindSection(const QString& Name)
{
    return const_cast<TSection*>(static_cast<const TMemIniFile*>(this)->FindSection(Name));
}

QString TMemIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) const
{
    if (const TSection* S = FindSection(Section))
        if (const TEntry* E = S->Find(Ident))
            return E->Value;
    return Default;
}

void TMemIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    TSection* S = FindSection(Section);
    if (!S)
        S = &AddSection(Section.trimmed());
    const auto It = S->KeyIndex.constFind(Fold(Ident));
    if (It != S->KeyIndex.constEnd())
        S->Entries[*It].Value = Value;
    else
        S->Add(Ident.trimmed(), Value);
    Modified();
}

QStringList TMemIniFile::SectionKeys(const QString& Section) const
{
    QStringList R;
    if (const TSection* S = FindSection(Section))
        for (const TEntry& E : S->Entries)
            R << E.Key;
    return R;
}

QStringList TMemIniFile::SectionNames() const
{
    QStringList R;
    for (const TSection& S : FSections)
        R << S.Name;
    return R;
}

void TMemIniFile::EraseSection(const QString& Section)
{
    const auto Before = FSections.size();
    std::erase_if(FSections, [&](const TSection& S) { return S.Name.compare(Section, Qt::CaseInsensitive) == 0; });
    if (FSections.size() != Before) {
        ReindexSections();
        Modified();
    }
}

void TMemIniFile::DeleteKey(const QString& Section, const QString& Ident)
{
    TSection* S = FindSection(Section);
    if (!S)
        return;
    const auto Before = S->Entries.size();
    std::erase_if(S->Entries, [&](const TEntry& E) { return E.Key.compare(Ident, Qt::CaseInsensitive) == 0; });
    if (S->Entries.size() != Before) {
        S->Reindex();
        Modified();
    }
}

void TMemIniFile::Clear()
{
    FSections.clear();
    FSectionIndex.clear();
}

void TMemIniFile::SetText(const QString& Text)
{
    Clear();
    TSection* Current = nullptr;
    for (const QString& Raw : SplitLines(Text)) {
        const QString L = Raw.trimmed();
        if (L.isEmpty() || L.startsWith(QLatin1Char(';')) || L.startsWith(QLatin1Char('#')))
            continue;
        if (L.startsWith(QLatin1Char('[')) && L.endsWith(QLatin1Char(']'))) {
            const QString Name = L.mid(1, L.size() - 2).trimmed();
            Current = FindSection(Name);
            if (!Current)
                Current = &AddSection(Name);
            continue;
        }
        if (!Current)
            continue;   // keys before any section belong to none
        const int Eq = L.indexOf(QLatin1Char('='));
        const QString Key = (Eq < 0 ? L : L.left(Eq)).trimmed();
        const QString Value = Eq < 0 ? QString() : CleanValue(L.mid(Eq + 1));
        // The first occurrence wins, as the profile functions read.
        if (!Current->Find(Key))
            Current->Add(Key, Value);
    }
}

QString TMemIniFile::Text() const
{
    QString R;
    bool First = true;
    for (const TSection& S : FSections) {
        if (!First)
            R += QStringLiteral("\r\n");
        First = false;
        R += QLatin1Char('[') + S.Name + QStringLiteral("]\r\n");
        for (const TEntry& E : S.Entries)
            R += E.Key + QLatin1Char('=') + E.Value + QStringLiteral("\r\n");
    }
    return R;
}

void TMemIniFile::UpdateFile()
{
    if (FileName().isEmpty())
        return;
    const QString T = Text();
    WriteTextFile(FileName(), T, IsAnsiRepresentable(T) ? TTextEncoding::Ansi : TTextEncoding::UTF8BOM);
}

TIniFile::TIniFile(const QString& FileName) : TMemIniFile(FileName) {}

TRegistryStore::TRegistryStore(const QString& FileName) : TIniFile(FileName) {}

QString TRegistryStore::DefaultFileName()
{
    QString Dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (Dir.isEmpty())
        Dir = PathJoin(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), QStringLiteral("kalvora"));
    return PathJoin(Dir, QStringLiteral("registry.ini"));
}

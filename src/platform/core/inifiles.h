#pragma once
// Settings stores with the classic INI semantics: sections and keys found without regard
// to case, reads that fall back to a default, values trimmed and stripped of surrounding
// quotes. TMemIniFile keeps everything in memory (the double for tests, or a file written
// on UpdateFile); TIniFile writes the file after every change; TRegistryStore is the
// per-user store that stands in for the registry (sections are key paths).

#include "platform/core/classes.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class TStrings;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const QString& FileName) : FFileName(FileName) {}
    const QString& FileName() const { return FFileName; }

    virtual QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const = 0;
    virtual void WriteString(const QString& Section, const QString& Ident, const QString& Value) = 0;
    virtual QStringList SectionKeys(const QString& Section) const = 0;
    virtual QStringList SectionNames() const = 0;
    virtual void EraseSection(const QString& Section) = 0;
    virtual void DeleteKey(const QString& Section, const QString& Ident) = 0;
    virtual void UpdateFile() = 0;

    // Integers accept the hex prefixes of StrToInt; booleans are integers (0 = false).
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;
    void WriteBool(const QString& Section, const QString& Ident, bool Value);
    // Numbers in files use '.' whatever the user's locale.
    double ReadFloat(const QString& Section, const QString& Ident, double Default) const;
    void WriteFloat(const QString& Section, const QString& Ident, double Value);

    bool SectionExists(const QString& Section) const;
    bool ValueExists(const QString& Section, const QString& Ident) const;
    void ReadSection(const QString& Section, TStrings& Strings) const;         // key names
    void ReadSections(TStrings& Strings) const;
    void ReadSectionValues(const QString& Section, TStrings& Strings) const;   // Name=Value

private:
    QString FFileName;
};

class TMemIniFile : public TCustomIniFile {
public:
    // An empty file name gives a store that lives in memory only.
    explicit TMemIniFile(const QString& FileName = QString());

    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const override;
    void WriteString(const QString& Section, const QString& Ident, const QString& Value) override;
    QStringList SectionKeys(const QString& Section) const override;
    QStringList SectionNames() const override;
    void EraseSection(const QString& Section) override;
    void DeleteKey(const QString& Section, const QString& Ident) override;
    // Writes the whole store to the file (atomically); nothing without a file name.
    void UpdateFile() override;

    void Clear();
    void SetText(const QString& Text);   // replaces the content with parsed INI text
    QString Text() const;                 // the content as INI text, CR LF line ends

protected:
    virtual void Modified() {}

private:
    struct TEntry {
        QString Key;
        QString Value;
    };
    // Names are found through hashes of their case-folded form, so reading a large
    // file costs time in proportion to its size; where two names fold alike, the
    // first one is found.
    struct TSection {
        QString Name;
        std::vector<TEntry> Entries;
        QHash<QString, size_t> KeyIndex;
        const TEntry* Find(const QString& Key) const;
        void Add(const QString& Key, const QString& Value);
        void Reindex();
    };
    const TSection* FindSection(const QString& Name) const;
    TSection* FindSection(const QString& Name);
    TSection& AddSection(const QString& Name);
    void ReindexSections();
    std::vector<TSection> FSections;
    QHash<QString, size_t> FSectionIndex;
};

class TIniFile : public TMemIniFile {
public:
    // Reads the file when it exists; every change is written back at once.
    explicit TIniFile(const QString& FileName);

protected:
    void Modified() override { UpdateFile(); }
};

class TRegistryStore : public TIniFile {
public:
    // The default store lives in the user's configuration folder.
    explicit TRegistryStore(const QString& FileName = DefaultFileName());
    static QString DefaultFileName();
};

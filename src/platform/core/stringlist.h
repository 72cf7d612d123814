#pragma once
// TStrings (the abstract list of strings with objects) and TStringList (the stored one)
// with the classic semantics: Text with CR LF, CommaText/DelimitedText with quote-aware
// splitting, Name=Value pairs, sorting with duplicates control, update counting, OnChange.

#include "platform/core/classes.h"
#include "platform/core/files.h"

#include <QString>
#include <QStringList>
#include <functional>

class TStrings : public TPersistent {
public:
    TStrings();
    ~TStrings() override;

    // ---- what a concrete list provides ----
    virtual int Count() const = 0;
    virtual QString Get(int Index) const = 0;
    virtual void Put(int Index, const QString& S);
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    virtual void Insert(int Index, const QString& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    // ---- built on the above ----
    virtual int Add(const QString& S);
    virtual int AddObject(const QString& S, TObject* AObject);
    void Append(const QString& S) { Add(S); }
    void InsertObject(int Index, const QString& S, TObject* AObject);
    void AddStrings(const TStrings& Strings);
    void AddStrings(const QStringList& Strings);
    virtual int IndexOf(const QString& S) const;
    int IndexOfName(const QString& Name) const;
    int IndexOfObject(const TObject* AObject) const;
    virtual void Move(int CurIndex, int NewIndex);
    virtual void Exchange(int Index1, int Index2);
    bool Equals(const TStrings& Strings) const;

    QString Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const QString& S) { Put(Index, S); }
    QString operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    // Name=Value pairs (NameValueSeparator).
    QString Names(int Index) const;
    QString Values(const QString& Name) const;
    void SetValues(const QString& Name, const QString& Value);   // empty Value deletes
    QString ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const QString& Value);
    QChar NameValueSeparator = QLatin1Char('=');

    // Lines joined with LineBreak, each one followed by it. Setting splits at CR LF, LF, CR.
    QString Text() const;
    virtual void SetText(const QString& Value);
    QString LineBreak = QStringLiteral("\r\n");

    // Comma text: Delimiter ',' and QuoteChar '"', items with blanks, quotes or
    // delimiters quoted; reading splits at the delimiter and, unless StrictDelimiter, at
    // any character up to #32 outside quotes.
    QString CommaText() const;
    void SetCommaText(const QString& Value);
    QString DelimitedText() const;
    void SetDelimitedText(const QString& Value);
    QChar Delimiter = QLatin1Char(',');
    QChar QuoteChar = QLatin1Char('"');
    bool StrictDelimiter = false;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Reading detects the encoding (BOM, else UTF-8 when valid, else Windows-1252).
    // Writing uses Encoding (default Windows-1252) and writes atomically.
    virtual void LoadFromFile(const QString& FileName);
    virtual void SaveToFile(const QString& FileName) const;
    virtual void SaveToFile(const QString& FileName, TTextEncoding Encoding) const;
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream, TTextEncoding Encoding = TTextEncoding::Ansi) const;
    TTextEncoding Encoding() const { return FEncoding; }
    void SetDefaultEncoding(TTextEncoding E) { FDefaultEncoding = E; }

    QStringList ToStringList() const;
    void Assign(const QStringList& Source);
    void Assign(const TPersistent* Source) override;

protected:
    virtual void SetUpdateState(bool Updating);
    // Compares as IndexOf does: without regard to case (ASCII) by default.
    virtual int CompareStrings(const QString& S1, const QString& S2) const;
    QString QuoteItem(const QString& S) const;

    TTextEncoding FEncoding = TTextEncoding::Ansi;
    TTextEncoding FDefaultEncoding = TTextEncoding::Ansi;

private:
    int FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList();
    explicit TStringList(bool AOwnsObjects);
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FList.size()); }
    QString Get(int Index) const override;
    void Put(int Index, const QString& S) override;   // raises EStringListError when sorted
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const QString& S) override; // raises EStringListError when sorted
    void InsertObject(int Index, const QString& S, TObject* AObject);
    void Delete(int Index) override;
    void Clear() override;
    int Add(const QString& S) override;
    int AddObject(const QString& S, TObject* AObject) override;
    int IndexOf(const QString& S) const override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    void SetText(const QString& Value) override;

    // Binary search of a sorted list; the index where S is or would be.
    bool Find(const QString& S, int& Index) const;
    void Sort();
    void CustomSort(const std::function<int(TStringList*, int, int)>& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates = dupIgnore;
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    bool OwnsObjects = false;

    std::function<void(TObject* Sender)> OnChange;
    std::function<void(TObject* Sender)> OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const QString& S1, const QString& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        QString S;
        TObject* Object = nullptr;
    };
    void Check(int Index) const;
    void InsertItem(int Index, const QString& S, TObject* AObject);
    void FreeObject(TObject* O);

    std::vector<TItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FUpdating = false;
};

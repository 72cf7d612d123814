#pragma once
// The columns and rows of the multi-column drop-down's table. A column gives
// header, width, colours, font, alignment, wrapping and its kind (text or
// image); an item holds one text per column (a missing text counts as empty)
// and the image shown in image columns.

#include <memory>

#include "platform/core/classes.h"
#include "platform/core/stringlist.h"
#include "platform/ui/graphics.h"
#include "platform/ui/stdctrls.h"

enum TColumnType { ctText, ctImage };

class TMultiColumnDropDownColumn : public TCollectionItem {
public:
    explicit TMultiColumnDropDownColumn(TCollection* ACollection);
    ~TMultiColumnDropDownColumn() override;

    bool Wordwrap() const { return FWordwrap; }
    void SetWordwrap(bool Value) { FWordwrap = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    QString Header() const { return FHeader; }
    void SetHeader(const QString& Value) { FHeader = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColumnType ColumnType() const { return FColumnType; }
    void SetColumnType(TColumnType Value) { FColumnType = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont& Value) { FFont->Assign(Value); }
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value) { FEllipsis = Value; }

    // Copies all nine settings.
    void Assign(const TPersistent* Source) override;

private:
    bool FWordwrap = false;
    int FWidth = 80;
    bool FAutoSize = false;
    QString FHeader;
    TAlignment FAlignment = taLeftJustify;
    TColor FColor = 0x00FFFFFF;
    TColumnType FColumnType = ctText;
    std::unique_ptr<TFont> FFont;
    bool FEllipsis = false;
};

class TMultiColumnDropDownColumns : public TCollection {
public:
    explicit TMultiColumnDropDownColumns(TPersistent* AOwner);

    TPersistent* GetOwner() const { return FMyOwner; }
    TMultiColumnDropDownColumn* Add() { return static_cast<TMultiColumnDropDownColumn*>(TCollection::Add()); }
    TMultiColumnDropDownColumn* Insert(int Index)
    { return static_cast<TMultiColumnDropDownColumn*>(TCollection::Insert(Index)); }
    TMultiColumnDropDownColumn* Items(int Index) const
    { return static_cast<TMultiColumnDropDownColumn*>(TCollection::Items(Index)); }
    void SetItems(int Index, const TMultiColumnDropDownColumn* Value) { Items(Index)->Assign(Value); }

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FMyOwner;
};

class TMultiColumnDropDownItem : public TCollectionItem {
public:
    explicit TMultiColumnDropDownItem(TCollection* ACollection);
    ~TMultiColumnDropDownItem() override;

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TStringList* Text() const { return FText.get(); }
    void SetText(const TStrings* Value) { FText->Assign(Value); }
    // The text shown in a column: empty when the item has no line for it.
    QString ColumnText(int Column) const;

    // Copies the image index only: the texts stay.
    void Assign(const TPersistent* Source) override;

private:
    int FImageIndex = -1;
    std::unique_ptr<TStringList> FText;
};

class TMultiColumnDropDownItems : public TCollection {
public:
    explicit TMultiColumnDropDownItems(TPersistent* AOwner);

    TPersistent* GetOwner() const { return FMyOwner; }
    TMultiColumnDropDownItem* Add() { return static_cast<TMultiColumnDropDownItem*>(TCollection::Add()); }
    TMultiColumnDropDownItem* Insert(int Index)
    { return static_cast<TMultiColumnDropDownItem*>(TCollection::Insert(Index)); }
    TMultiColumnDropDownItem* Items(int Index) const
    { return static_cast<TMultiColumnDropDownItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, const TMultiColumnDropDownItem* Value) { Items(Index)->Assign(Value); }

    // The first item whose text in Column equals Value exactly (case-sensitive), or -1.
    int IndexInColumn(int Column, const QString& Value) const;

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FMyOwner;
};

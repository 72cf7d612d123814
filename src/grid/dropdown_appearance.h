#pragma once
// Header and footer looks of a drop-down editor's popup: gradient colours,
// border, caption, font, image, visibility, height and a list of buttons.
// Every grid keeps one of each in its control look and copies them into a
// drop-down editor before it opens; each drop-down editor owns its own pair.
// Only Visible and the button list notify; the popup reads the rest when it
// is built or painted.

#include <QString>
#include <functional>

#include "platform/core/classes.h"
#include "platform/ui/forms.h"
#include "platform/ui/graphics.h"

enum TGradientDirection : int { gdHorizontal, gdVertical };
enum TButtonAlignment : int { baLeft, baRight };

using TAppearanceNotifyEvent = std::function<void(TObject* Sender)>;

// What header and footer buttons share. Caption, Enabled and Width tell the
// collection when they change; Height and ImageIndex only store.
class TAppearanceButton : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }

private:
    void NotifyCollection();
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0;
    int FHeight = 0;
};

class THeaderButton : public TAppearanceButton {
public:
    using TAppearanceButton::TAppearanceButton;
    QString ClassName() const override { return QStringLiteral("THeaderButton"); }
    void Assign(const TPersistent* Source) override;
};

class TFooterButton : public TAppearanceButton {
public:
    using TAppearanceButton::TAppearanceButton;
    QString ClassName() const override { return QStringLiteral("TFooterButton"); }
    void Assign(const TPersistent* Source) override;
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

private:
    TModalResult FModalResult = 0;
};

// The button collection of an appearance: keeps the appearance's owner and
// has a change notice of its own.
class TAppearanceButtonsBase : public TCollection {
public:
    TAppearanceButtonsBase(TItemFactory Factory, TPersistent* AOwner) : TCollection(std::move(Factory)), FOwner(AOwner)
    {
    }
    TPersistent* GetOwner() const { return FOwner; }
    TAppearanceNotifyEvent OnChange;

private:
    TPersistent* FOwner;
};

template <class TButton>
class TAppearanceButtons : public TAppearanceButtonsBase {
public:
    explicit TAppearanceButtons(TPersistent* AOwner)
        : TAppearanceButtonsBase([](TCollection* c) -> TCollectionItem* { return new TButton(c); }, AOwner)
    {
    }
    TButton* Add() { return static_cast<TButton*>(TCollection::Add()); }
    TButton* Insert(int Index) { return static_cast<TButton*>(TCollection::Insert(Index)); }
    TButton* Items(int Index) const { return static_cast<TButton*>(TCollection::Items(Index)); }
    void SetItems(int Index, const TButton* Value) { Items(Index)->Assign(Value); }
};

using THeaderButtons = TAppearanceButtons<THeaderButton>;
using TFooterButtons = TAppearanceButtons<TFooterButton>;

// The properties header and footer share; TButtons is their button collection.
template <class TButtons>
class TPopupPanelAppearance : public TPersistent {
public:
    explicit TPopupPanelAppearance(TPersistent* AOwner) : FOwner(AOwner), FButtons(AOwner)
    {
        FButtons.OnChange = [this](TObject*) {
            if (OnButtonsChanged) OnButtonsChanged(this);
        };
    }
    TPersistent* GetOwner() const { return FOwner; }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { FColorTo = Value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    void SetFont(const TFont& Value) { FFont.Assign(Value); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value)
    {
        if (FVisible == Value) return;
        FVisible = Value;
        if (OnChange) OnChange(this);
    }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TButtons* Buttons() { return &FButtons; }
    const TButtons* Buttons() const { return &FButtons; }
    void SetButtons(const TButtons* Value) { FButtons.Assign(Value); }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

    TAppearanceNotifyEvent OnChange;
    TAppearanceNotifyEvent OnButtonsChanged;

protected:
    void CopyFrom(const TPopupPanelAppearance& s)
    {
        FColorTo = s.FColorTo;
        FColor = s.FColor;
        FBorderColor = s.FBorderColor;
        FCaption = s.FCaption;
        FFont.Assign(s.FFont);
        FImageIndex = s.FImageIndex;
        FBorderWidth = s.FBorderWidth;
        FGradientDirection = s.FGradientDirection;
        FHeight = s.FHeight;
        SetVisible(s.FVisible);
        FButtonAlignment = s.FButtonAlignment;
        FButtons.Assign(&s.FButtons);
    }
    void CopyColorsFrom(const TPopupPanelAppearance& s)
    {
        FColorTo = s.FColorTo;
        FColor = s.FColor;
        FBorderColor = s.FBorderColor;
        FFont.Assign(s.FFont);
        FGradientDirection = s.FGradientDirection;
    }

    TPersistent* FOwner;
    TColor FColor = 0xC0C0C0;
    TColor FColorTo = 0xFFFFFF;
    QString FCaption;
    TFont FFont;
    TGradientDirection FGradientDirection = gdVertical;
    bool FVisible = true;
    int FHeight = 22;
    TColor FBorderColor = 0;
    int FBorderWidth = 1;
    int FImageIndex = -1;
    TButtons FButtons;
    TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TPopupPanelAppearance<THeaderButtons> {
public:
    explicit THeaderAppearance(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("THeaderAppearance"); }
    // Only from another header appearance; anything else is ignored.
    void Assign(const TPersistent* Source) override;
    void AssignColors(const TPersistent* Source);
};

class TFooterAppearance : public TPopupPanelAppearance<TFooterButtons> {
public:
    explicit TFooterAppearance(TPersistent* AOwner);
    QString ClassName() const override { return QStringLiteral("TFooterAppearance"); }
    // Only from another footer appearance; anything else is ignored.
    void Assign(const TPersistent* Source) override;
    void AssignColors(const TPersistent* Source);

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value) { FSizeGrip = Value; }

private:
    bool FSizeGrip = true;
};

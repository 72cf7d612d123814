#include "grid/dropdown_appearance.h"

namespace {

template <class TButton>
void NotifyButtons(TCollection* C)
{
    auto* b = static_cast<TAppearanceButtons<TButton>*>(C);
    if (b && b->OnChange) b->OnChange(b);
}

} // namespace

// ---- buttons

void THeaderButton::NotifyCollection() { NotifyButtons<THeaderButton>(Collection()); }

void THeaderButton::SetCaption(const QString& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    NotifyCollection();
}

void THeaderButton::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    NotifyCollection();
}

void THeaderButton::SetWidth(int Value)
{
    if (FWidth == Value) return;
    FWidth = Value;
    NotifyCollection();
}

void THeaderButton::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const THeaderButton*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetImageIndex(s->FImageIndex);
    SetEnabled(s->FEnabled);
    SetWidth(s->FWidth);
    SetHeight(s->FHeight);
}

void TFooterButton::NotifyCollection() { NotifyButtons<TFooterButton>(Collection()); }

void TFooterButton::SetCaption(const QString& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    NotifyCollection();
}

void TFooterButton::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    NotifyCollection();
}

void TFooterButton::SetWidth(int Value)
{
    if (FWidth == Value) return;
    FWidth = Value;
    NotifyCollection();
}

void TFooterButton::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TFooterButton*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->FCaption);
    SetImageIndex(s->FImageIndex);
    SetModalResult(s->FModalResult);
    SetEnabled(s->FEnabled);
    SetWidth(s->FWidth);
    SetHeight(s->FHeight);
}

// ---- appearances

THeaderAppearance::THeaderAppearance(TPersistent* AOwner) : TPopupPanelAppearance(AOwner)
{
    FFont.SetName(QStringLiteral("Tahoma"));
}

void THeaderAppearance::Assign(const TPersistent* Source)
{
    if (auto* s = dynamic_cast<const THeaderAppearance*>(Source)) CopyFrom(*s);
}

void THeaderAppearance::AssignColors(const TPersistent* Source)
{
    if (auto* s = dynamic_cast<const THeaderAppearance*>(Source)) CopyColorsFrom(*s);
}

// The footer keeps the font a new font has.
TFooterAppearance::TFooterAppearance(TPersistent* AOwner) : TPopupPanelAppearance(AOwner) {}

void TFooterAppearance::Assign(const TPersistent* Source)
{
    if (auto* s = dynamic_cast<const TFooterAppearance*>(Source)) {
        CopyFrom(*s);
        FSizeGrip = s->FSizeGrip;
    }
}

void TFooterAppearance::AssignColors(const TPersistent* Source)
{
    if (auto* s = dynamic_cast<const TFooterAppearance*>(Source)) CopyColorsFrom(*s);
}

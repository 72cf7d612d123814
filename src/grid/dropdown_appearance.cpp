#include "grid/dropdown_appearance.h"

// ---- buttons

void TAppearanceButton::NotifyCollection()
{
    auto* b = dynamic_cast<TAppearanceButtonsBase*>(Collection());
    if (b && b->OnChange) b->OnChange(b);
}

void TAppearanceButton::SetCaption(const QString& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    NotifyCollection();
}

void TAppearanceButton::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    NotifyCollection();
}

void TAppearanceButton::SetWidth(int Value)
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
    SetCaption(s->Caption());
    SetImageIndex(s->ImageIndex());
    SetEnabled(s->Enabled());
    SetWidth(s->Width());
    SetHeight(s->Height());
}

void TFooterButton::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TFooterButton*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(s->Caption());
    SetImageIndex(s->ImageIndex());
    SetModalResult(s->ModalResult());
    SetEnabled(s->Enabled());
    SetWidth(s->Width());
    SetHeight(s->Height());
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

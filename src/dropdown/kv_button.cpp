#include "dropdown/kv_button.h"

#include "dropdown/dropdown_standins.h"

TKvButtonAppearance::TKvButtonAppearance()
{
    FFont.SetName(QStringLiteral("Tahoma"));
    FColorChecked = kvdd_standin::ColorTone(0xF5F0E1, -10, -10, 0);
    FColorCheckedTo = kvdd_standin::ColorTone(0xF9D2B2, -10, -10, 0);
}

void TKvButtonAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TKvButtonAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetGradient(s->FGradient);
}

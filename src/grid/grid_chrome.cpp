#include "grid/grid_chrome.h"

#include "grid/kv_string_grid.h"

void TFloatingFooter::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TFloatingFooter*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FCalculateHiddenRows = s->FCalculateHiddenRows;
    FColor = s->FColor;
    FColumn = s->FColumn;
    FCustomTemplate = s->FCustomTemplate;
    FFooterStyle = s->FFooterStyle;
    SetVisible(s->FVisible);
    FShowHint = s->FShowHint;
}

void TFloatingFooter::SetVisible(bool Value)
{
    FVisible = Value;
    if (TFooterPanel* p = FGrid->FooterPanel()) {
        p->SetHeight(Value ? FHeight - 1 : 0);
        p->SetVisible(Value && p->Parent());
    }
    const bool fixedLast = Value && FFooterStyle == fsFixedLastRow;
    FGrid->SetFixedFooters(fixedLast ? 1 : 0);
    FGrid->SetHideLastRow(fixedLast);
    FGrid->Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    FGrid->SetHideLastRow(FVisible && Value == fsFixedLastRow);
    FGrid->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetHeight(int Value)
{
    FHeight = Value;
    if (TFooterPanel* p = FGrid->FooterPanel(); p && Value > 0 && FVisible) p->SetHeight(Value - 1);
}

void TFloatingFooter::SetColor(TColor Value)
{
    FColor = Value;
    Invalidate();
}

void TFloatingFooter::SetColumn(int Value)
{
    FColumn = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString& Value)
{
    FCustomTemplate = Value;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value)
{
    FShowHint = Value;
    if (TFooterPanel* p = FGrid->FooterPanel()) p->SetShowHint(Value);
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Invalidate();
}

TColumnCalcType TFloatingFooter::ColumnCalc(int c) const
{
    const int r = FGrid->RowCount() - 1;
    return FGrid->HasCellProperties(c, r) ? FGrid->GridObjects(c, r)->CalcType() : acNONE;
}

void TFloatingFooter::SetColumnCalc(int c, TColumnCalcType Value)
{
    const int r = FGrid->RowCount() - 1;
    if (c < 0 || r < 0) return;
    FGrid->CellProperties(c, r)->SetCalcType(Value);
    FGrid->RecalcFooterColumn(c, r);
}

void TFloatingFooter::Invalidate()
{
    if (TFooterPanel* p = FGrid->FooterPanel()) p->Invalidate();
}

TFooterPanel::TFooterPanel(TKvStringGrid* AGrid) : TCustomPanel(AGrid), FGrid(AGrid)
{
    SetAlign(alBottom);
    SetHeight(0);
    SetVisible(false);
}


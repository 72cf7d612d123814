// Per-cell queries with their events, editability and fixedness, the combo
// list, the cell-graphic type tests, and the floating footer's calculation.
#include "grid/kv_string_grid.h"

#include <QSet>
#include <algorithm>
#include <cmath>

#include "grid/grid_text.h"
#include "platform/core/sysutils.h"

// ============================================================ queries with events

void TKvStringGrid::GridHint(int ACol, int ARow, QString& WideHint, QString& Hint)
{
    if (OnGridHint) OnGridHint(this, ARow, ACol, Hint);
    if (OnGridWideHint) OnGridWideHint(this, ARow, ACol, WideHint);
    if (!WideHint.isEmpty()) Hint = EncodeWideCellText(WideHint);
}

void TKvStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (FActiveCellShow) {
        const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();
        if ((fc > 0 && ACol == fc - 1 && ARow == Row()) || (fr > 0 && ARow == fr - 1 && ACol == Col())) {
            AFont->Assign(*FActiveCellFont);
            ABrush->SetColor(FActiveCellColor);
        }
    }
    if (HasCellProperties(ACol, ARow)) {
        TCellProperties* p = GridObjects(ACol, ARow);
        switch (GetCellType(ACol, ARow)) {
        case ctIcon: case ctNone: case ctImageList: case ctEmpty: case ctImages: case ctComment:
            if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            break;
        default:
            break;
        }
        if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
        if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
        if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
        if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TKvStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TKvStringGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (ACol > 0) {
        if (IsNode(ARow) && FGrouping->HeaderUnderline()) {
            Borders = TCellBorders(cbBottom);
            APen->SetColor(FGrouping->HeaderLineColor());
            APen->SetWidth(FGrouping->HeaderLineWidth());
        } else if (IsSummary(ARow) && FGrouping->SummaryLine()) {
            Borders = TCellBorders(cbTop);
            APen->SetColor(FGrouping->SummaryLineColor());
            APen->SetWidth(FGrouping->SummaryLineWidth());
        }
    }
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TKvStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TKvStringGrid::GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TKvStringGrid::GetFormat(int ACol, TSortStyle& AStyle, QString& Prefix, QString& Suffix)
{
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, Prefix, Suffix);
}

void TKvStringGrid::GetEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TKvStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    FEditLink = FGridEditLink;
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TKvStringGrid::HasNoEditor(int ACol, int ARow)
{
    if (!OnGetEditorType) return false;
    TEditorType e = edNormal;
    OnGetEditorType(this, ACol, ARow, e);
    return e == edNone;
}

void TKvStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    if (!IsFixed) {
        IsFixed = (FFixedRowAlways && ARow <= FFixedRowsMin && RowCount() == FFixedRowsMin) ||
                  (FFixedColAlways && ACol < FFixedColsMin && ColCount() == FFixedColsMin) ||
                  ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
    }
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TKvStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TKvStringGrid::CanEdit(int ACol, int ARow, bool& CanEdit)
{
    const TPoint b = BaseCell(ACol, ARow);
    if (HasCellProperties(b.X, b.Y) && CanEdit) {
        CanEdit = !GridObjects(b.X, b.Y)->ReadOnly();
        // Editing suspended on a read-only cell (FEditDisable) comes back on an editable one.
        if (!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit() && !FEditDisable) CanEdit = false;
    }
    if (b.X < ColCount() + FNumHiddenColumns) CanEditCell(b.X, b.Y, CanEdit);
    else CanEdit = true;
}

void TKvStringGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TKvStringGrid::GetCellWordWrap(int ACol, int ARow, bool& WordWrap)
{
    if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TKvStringGrid::HasComboBox(int ACol, int ARow)
{
    bool res = false;
    if (OnHasComboBox) {
        OnHasComboBox(this, ACol, ARow, res);
    } else if (FControlLook->DropDownAlwaysVisible()) {
        TEditorType e = FDefaultEditor;
        GetCellEditor(ACol, ARow, e);
        res = e == edComboEdit || e == edComboList;
    }
    return res;
}

bool TKvStringGrid::HasSpinEdit(int ACol, int ARow)
{
    if (ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows()) return false;
    bool res = false;
    if (OnHasSpinEdit) {
        OnHasSpinEdit(this, ACol, ARow, res);
    } else if (FControlLook->SpinButtonsAlwaysVisible()) {
        TEditorType e = FDefaultEditor;
        GetEditorType(ACol, ARow, e);
        res = e == edSpinEdit || e == edFloatSpinEdit || e == edTimeSpinEdit || e == edDateSpinEdit;
    }
    return res;
}

void TKvStringGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    Value = FCheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TKvStringGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    Value = FCheckFalse;
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

bool TKvStringGrid::GetFilterList(int Column)
{
    FFilterList->Clear();
    const bool normal = Column >= TBaseGrid::FixedCols() && Column < ColCount() - FFixedRightCols;
    if ((FFilterDropDownAuto && normal) || FFilterDropDownColumns == fdAll) {
        FFilterList->SetSorted(true);
        FFilterList->Duplicates = dupIgnore;
        auto add = [this](const QString& s) {
            if (s.contains(QLatin1Char(' ')))
                FFilterList->Add(s + QLatin1Char('=') + QLatin1Char('"') + s + QLatin1Char('"'));
            else
                FFilterList->Add(s);
        };
        for (int r = TBaseGrid::FixedRows(); r < RowCount() - FFixedFooters; ++r) add(Cells(Column, r).trimmed());
        if (!FFilterIncremental) {
            for (int i = 0; i < FHiddenRowList->Count(); ++i) {
                auto* item = static_cast<TGridItem*>(FHiddenRowList->Items(i));
                if (Column < item->Cells()->Count()) add(item->Cells()->Strings(Column));
            }
        }
        FFilterList->SetSorted(false);
        if (!FFilterDropDownClear.isEmpty()) FFilterList->Insert(0, FFilterDropDownClear);
    }
    if (OnGetColumnFilter) OnGetColumnFilter(this, Column, FFilterList.get());
    return FFilterList->Count() > 0;
}

void TKvStringGrid::GetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor) return;
    TCursor c = Cursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, c);
    if (Screen) Screen->SetCursor(c);
}

void TKvStringGrid::SearchFooterAction(const QString& Value, int ACol, int ARow, int SearchAction)
{
    if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TKvStringGrid::ButtonClick(int ACol, int ARow)
{
    if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TKvStringGrid::ExpandClick(int ACol, int ARow, bool Expanded)
{
    if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
}

void TKvStringGrid::ComboCloseUp(int ARow, int ACol)
{
    if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TKvStringGrid::ComboDropDown(int ARow, int ACol)
{
    if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

// ============================================================ tests

bool TKvStringGrid::IsEditable(int ACol, int ARow)
{
    if (!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit()) return false;
    return IsCellEditable(ACol, ARow);
}

bool TKvStringGrid::IsCellEditable(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    bool can = true;
    CanEdit(b.X, b.Y, can);
    bool fixed = false;
    IsFixedCell(RealColIndex(b.X), b.Y, fixed);
    return can && !fixed;
}

bool TKvStringGrid::IsFixed(int ACol, int ARow)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    const int c = DisplColIndex(b.X), r = b.Y;
    if (FFixedFooters > 0 && r >= RowCount() - FFixedFooters) return true;
    if (FFixedRightCols > 0 && c >= ColCount() - FFixedRightCols && c <= ColCount() - 1) return true;
    bool fixed = false;
    IsFixedCell(c, r, fixed);
    return fixed;
}

bool TKvStringGrid::IsPassword(int ACol, int ARow)
{
    bool p = false;
    IsPasswordCell(ACol, ARow, p);
    return p;
}

TFont* TKvStringGrid::GetCellFont(int i, int j)
{
    if (!HasCellProperties(i, j)) return Font();
    TCellProperties* p = GridObjects(i, j);
    FCellFont->SetName(p->FontName());
    FCellFont->SetSize(p->FontSize());
    FCellFont->SetStyle(p->FontStyle());
    FCellFont->SetColor(p->FontColor());
    return FCellFont.get();
}

// ============================================================ combo list

bool TKvStringGrid::RemoveComboString(const QString& s)
{
    const int i = FComboItems.IndexOf(s);
    if (i < 0) return false;
    FComboItems.Delete(i);
    return true;
}

bool TKvStringGrid::SetComboSelectionString(const QString& s)
{
    const int i = FComboItems.IndexOf(s);
    if (i < 0) return false;
    FComboIndex = i;
    return true;
}

void TKvStringGrid::GetEditorProp(int ACol, int ARow, TEditLink* AEditLink)
{
    if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
    // The integer event names its parameters the other way round: the column comes first.
    if (OnGetEditorPropInt) OnGetEditorPropInt(this, ACol, ARow);
}

void TKvStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    GetEditorProp(ACol, ARow);
    if (Value >= 0 && Value < FComboItems.Count()) SetCells(ACol, ARow, FComboItems.Strings(Value));
}

int TKvStringGrid::GetComboIndex(int ACol, int ARow)
{
    GetEditorProp(ACol, ARow);
    return FComboItems.IndexOf(Cells(ACol, ARow));
}

// ============================================================ cell objects

TCellGraphic* TKvStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return nullptr;
    TObject* g = GraphicObjects(ACol, ARow);
    const bool isGraphic = g && g->ClassName() == QLatin1String("TCellGraphic");
    if (ACol == 0 && FMouseActions->HotmailRowSelect() && (!g || isGraphic)) {
        // The shared row check box of column 0, dressed for this row.
        TCellGraphic* rg = FCellGraphic.get();
        rg->SetCellType(ctRowCheckBox);
        rg->SetCellTransparent(FControlLook->ControlStyle() == csFlat);
        if (ARow == 0) {
            const int sel = RowSelectCount();
            const int body = RowCount() - TBaseGrid::FixedRows();
            rg->SetCellBoolean(sel >= body);
            rg->SetCellAngle(sel > 0 && sel < body ? 1 : 0);
        } else {
            rg->SetCellAngle(0);
            rg->SetCellBoolean(RowSelect(RealRowIndex(ARow)));
        }
        return rg;
    }
    return isGraphic ? static_cast<TCellGraphic*>(g) : nullptr;
}

TCellType TKvStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return ctEmpty;
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) return ctRowCheckBox;
    // The cell's own graphic: a descendant's shared graphics answer their own types.
    TCellGraphic* g = TKvStringGrid::GetCellGraphic(ACol, ARow);
    return g ? g->CellType() : ctEmpty;
}

void TKvStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen)
{
    ErrPos = 0;
    ErrLen = 0;
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow)) {
        ErrPos = g->CellErrFrom();
        ErrLen = g->CellErrLen();
    }
}

bool TKvStringGrid::HasCellType(int ACol, int ARow, std::initializer_list<TCellType> Types)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && std::find(Types.begin(), Types.end(), g->CellType()) != Types.end();
}

bool TKvStringGrid::HasCheckBox(int ACol, int ARow)
{
    return HasCellType(ACol, ARow, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox});
}

bool TKvStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    return HasCellType(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TKvStringGrid::IsDataGraphicCell(int ACol, int ARow)
{
    return HasCellType(ACol, ARow, {ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox});
}

bool TKvStringGrid::HasClickControl(int ACol, int ARow)
{
    return HasCellType(ACol, ARow,
                       {ctCheckBox, ctDataCheckBox, ctRadio, ctButton, ctVirtCheckBox, ctRowCheckBox, ctRadioButton,
                        ctTriStateCheckBox});
}

bool TKvStringGrid::HasRadioButton(int ACol, int ARow)
{
    return GetCellType(ACol, ARow) == ctRadioButton;
}

bool TKvStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    if (!HasRadioButton(ACol, ARow)) return false;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellBoolean();
}

// ============================================================ footer

void TKvStringGrid::CalcFooter(int ACol)
{
    CalcFloatingFooter(ACol);
}

void TKvStringGrid::UpdateFooter()
{
    if (FFooterPanel) FFooterPanel->Invalidate();
}

void TKvStringGrid::LastRowChanged()
{
    TBaseGrid::LastRowChanged();
    UpdateFooter();
}

QString TKvStringGrid::GetCellFloatFormat(int, int)
{
    return FFloatFormat;
}

void TKvStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    QString s = QString::asprintf(GetCellFloatFormat(ACol, ARow).toLatin1().constData(), Value);
    s.replace(QLatin1Char('.'), GetDecimalSeparator());
    SetCells(ACol, ARow, s);
}

void TKvStringGrid::CalcFloatingFooter(int ACol)
{
    if (!FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow ||
        !FFloatingFooter->EnableCalculation())
        return;
    const int F = RowCount() - 1;
    const int H = FFloatingFooter->CalculateHiddenRows() ? FNumHiddenRows : 0;
    // The footer row is never part of its own calculation. Counting hidden rows,
    // the range is in real rows: the footer's real index is F + H, so the range
    // ends on the real row just above it (the column calculations then read
    // real rows); without them it ends on the display row above the footer.
    const int from = TBaseGrid::FixedRows(), to = F + H - 1;
    const int first = ACol < 0 ? 0 : ACol, last = ACol < 0 ? AllColCount() - 1 : ACol;
    for (int c = first; c <= last; ++c) {
        if (!HasCellProperties(c, F)) continue;
        const auto C = TColumnCalcType(int(GridObjects(c, F)->CalcType()) & 0x7F);
        switch (C) {
        case acSUM: SetFloats(c, F, ColumnSum(c, from, to)); break;
        case acAVG: SetFloats(c, F, ColumnAvg(c, from, to)); break;
        case acMIN: SetFloats(c, F, ColumnMin(c, from, to)); break;
        case acMAX: SetFloats(c, F, ColumnMax(c, from, to)); break;
        case acDISTINCT: SetFloats(c, F, ColumnDistinct(c, from, to)); break;
        case acSTDDEV: SetFloats(c, F, ColumnStdDev(c, from, to)); break;
        case acCOUNT: SetInts(c, F, F - TBaseGrid::FixedRows() + H); break;
        case acCUSTOM: {
            QString v;
            if (OnFooterCalc) OnFooterCalc(this, c, F + H, v);
            else if (FFloatingFooter->OnCalcFooter) FFloatingFooter->OnCalcFooter(this, c, F + H, v);
            SetCells(c, F, v);
            break;
        }
        default: break;
        }
    }
}

// ============================================================ column calculations

void TKvStringGrid::ColumnRange(int& FromRow, int& ToRow) const
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = TBaseGrid::FixedRows();
        ToRow = RowCount() - FFixedFooters - 1;
    }
}

// ============================================================ defaults of new cell properties

void TKvStringGrid::GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                             TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                             TVAlignment& VA, bool& WW, TCellGradientDirection& GD)
{
    TBaseGrid::GetDefaultCellProperties(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, HA, VA,
                                        WW, GD);
    TGridDrawState st;
    GetVisualProperties(ACol, ARow, st, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, AFont,
                        HA, VA, WW, GD);
    if (IsFixed(ACol, ARow) || FBands->Active() || FBackGround->IsGradient() || st.Contains(gdSelected)) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

void TKvStringGrid::GetDisplText(int ACol, int ARow, QString& Value)
{
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    if (FURLShowInText) {
        for (const char* prefix : {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"}) {
            QString wrapped;
            if (WrapURLAsLink(Value, QString::fromLatin1(prefix), wrapped)) {
                Value = wrapped;
                break;
            }
        }
    }
    // A group's node row shows how many data rows the group holds.
    if (FGrouping->ShowGroupCount() && ACol == 1 && IsNode(ARow)) {
        const int n = GetNodeSpan(ARow) - 1 - GetSubNodeCount(ARow);
        if (!FGrouping->GroupCountFormat().isEmpty()) Value += Format(FGrouping->GroupCountFormat(), {n});
        else Value += QStringLiteral(" (") + QString::number(n) + QLatin1Char(')');
    }
}

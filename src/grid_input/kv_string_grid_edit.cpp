// The grid's editor dispatch: which editor opens on the current cell
// (CanEditShow), the showing of a special editor control over the cell
// (ShowEditControl) and the storing and hiding of it (HideEditControl).
#include "grid/kv_string_grid.h"

#include "grid/grid_editor_controls.h"
#include "grid_input/grid_editor_rows.h"
#include "grid_input/kv_inplace_edit.h"

namespace {
bool IsTextEditorKind(TEditorType e)
{
    switch (e) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edValidChars: case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

// The combo's own change notification, as after a user's choice.
void RunComboChange(TGridCombo* Combo)
{
    Combo->Perform(CN_COMMAND, WPARAM(CBN_EDITCHANGE) << 16, 0);
}
} // namespace

TGridCombo* TKvStringGrid::EditCombo() const
{
    for (TComponent* c : FEditorControls)
        if (auto* combo = dynamic_cast<TGridCombo*>(c)) return combo;
    return nullptr;
}

bool TKvStringGrid::CanEditShow()
{
    if (FValidating) return false;
    bool result = TBaseGrid::CanEditShow();
    if (FDesigning) return result;
    // An edit whose editor was hidden by the stock grid without a focus change (shown while the
    // grid had no focus, then moved away from) left EditMode behind: it no longer counts.
    if (EditMode && !(NormalEdit() && NormalEdit()->Visible()) && !(EditCtrl && EditCtrl->Visible()))
        EditMode = false;
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    if (result && !EditMode && HasClickControl(b.X, b.Y)) return false;
    if (result && !EditMode) {
        // An edit always validates against its own cell, however the cell became current.
        if (FOldCol != Col() || FOldRow != Row()) StoreOldCell(Col(), Row());
        FNoEditChange = true;
        FCellCache = GetCurrentCell();
        EditControl = FDefaultEditor;
        GetCellEditor(b.X, b.Y, EditControl);
        if (EditControl == edNone) return false;
        EditMode = true;
        // Text kinds keep the answer and write each change into the cell while typing, so
        // validation handlers read the typed text from the grid; a refusal restores the cell.
        if (IsTextEditorKind(EditControl)) FShowEditProcess = true;
        if (!IsTextEditorKind(EditControl)) {
            // The special editor shows on the merged area's base cell.
            const int baseCol = DisplColIndexOf(b.X);
            ShowEditControl(baseCol >= 0 ? baseCol : Col(), b.Y);
            FEntered = true;
            return false;
        }
    }
    if (result) {
        FEntered = true;
        FEditing = true;
    }
    return result;
}

void TKvStringGrid::ShowEditControl(int ACol, int ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    TRect R = CellRect(ACol, ARow);
    if (layoutDirection() == Qt::RightToLeft) R.Left += 1;
    const int W = R.Right - R.Left - 1;
    const int H = R.Bottom - R.Top - 1;

    // The editor takes the cell's own background colour and font.
    TFont font;
    TAlignment ha = taLeftJustify;
    const TColor bkColor = CellEditorLook(ACol, Row(), &font, ha);

    SetGridState(gsNormal);
    EditCtrl = nullptr;
    if (EditControl != edCustom) FLastValidation = true;

    if (EditControl == edComboEdit || EditControl == edComboList) {
        if (TGridCombo* combo = EditCombo()) {
            EditMode = true;
            ShowComboControl(combo, ACol, ARow, R, W, H, bkColor);
        }
    } else if (EditControl == edCustom) {
        ShowCustomEditControl(ACol, ARow, R, bkColor, &font);
    } else if (EditControl == edRichEdit) {
        ShowRichEditControl(ACol, ARow, R, bkColor);
    }
    // The spin, button, check box, date, time and unit kinds, and the drop-down kinds.
    TGridEditorRows::Show(this, ACol, ARow, R, W, H, bkColor);
    TGridDropDownRows::Show(this, ACol, ARow, R, W, H, bkColor);
    // Kinds without a control open an edit that shows nothing.
    FStartEditChar = QChar();
}

TColor TKvStringGrid::CellEditorLook(int ACol, int ARow, TFont* Font, TAlignment& HA)
{
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd{};
    TGridDrawState state;
    GetVisualProperties(ACol, ARow, state, false, false, true, &brush, colorTo, mirror, mirrorTo, Font, HA, va, ww,
                        gd);
    return brush.Color();
}

bool TKvStringGrid::PreselectComboList(TGridCombo* Combo, int RealCol, int ARow, int ACol)
{
    TStrings* items = Combo->Items();
    const QString raw = TBaseGrid::Cells(RealCol, ARow);
    Combo->SetItemIndex(items->IndexOf(raw));
    if (Combo->ItemIndex() >= 0) return false;
    if (FComboIndex != -1) {
        Combo->SetItemIndex(FComboIndex);
        return false;
    }
    // A cell with tags may still name an item once the tags are stripped.
    const int stripped = items->IndexOf(GetEditText(ACol, ARow));
    Combo->SetItemIndex(stripped >= 0 ? stripped : 0);
    RunComboChange(Combo);
    return true;
}

void TKvStringGrid::ShowComboControl(TGridCombo* Combo, int ACol, int ARow, const TRect& R, int W, int H,
                                     TColor BkColor)
{
    const int realCol = RealColIndex(ACol);
    const bool list = EditControl == edComboList;
    Combo->SetDropDownCount(FControlLook->DropDownCount());
    GetEditorProp(realCol, ARow);
    // The items the grid collected for this cell (column items or the editor-property handler's).
    Combo->Items()->Assign(&FComboItems);
    Combo->SetBounds(R.Left, R.Top, 0, 0);
    Combo->SetEnabled(true);
    Combo->SetDroppedDown(false);
    Combo->SetStyle(list ? csDropDownList : csDropDown);
    bool fellBack = false;
    if (list) {
        fellBack = PreselectComboList(Combo, realCol, ARow, ACol);
    } else {
        Combo->SetText(GetEditText(ACol, ARow));
        if (FComboIndex != -1 && Combo->ItemIndex() < 0) Combo->SetItemIndex(FComboIndex);
        Combo->SetMaxLength(MaxComboLength);
    }
    Combo->SetBounds(R.Left, R.Top, W, H);
    Combo->SetColor(BkColor);
    Combo->SetVisible(true);

    // common tail
    if (FNavigation->AutoComboDropSize()) {
        int widest = 0;
        for (int i = 0; i < Combo->Items()->Count(); ++i)
            widest = std::max(widest, Canvas()->TextWidth(Combo->Items()->Strings(i)) + 8);
        Combo->SetDroppedWidth(std::max(widest, W));
    }
    if (Combo->CanFocus()) Combo->SetFocus();
    Combo->SetDroppedDown(FMouseActions->DirectComboDrop() || FControlLook->DropDownAlwaysVisible());
    if (FMouseActions->DirectEdit() && FMouseActions->DirectComboDrop()) {
        const TGridRect s = Selection();
        SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
    if (!FStartEditChar.isNull()) {
        // The typed start replaces the cell's text, as in the text editor, also where
        // the focus put the caret after the text (EditSelectAll off).
        if (!list) Combo->SelectAll();
        ReplayStartEditChar(Combo);
    }
    EditCtrl = Combo;

    if (list && fellBack && Combo->Items()->Count() > 0) {
        // Report the item the combo actually holds (item 0 after a fall-back).
        const int idx = std::max(0, Combo->ItemIndex());
        const QString sel = Combo->Items()->Strings(idx);
        if (OnComboChange) OnComboChange(this, realCol, ARow, idx, sel);
        if (OnComboObjectChange) OnComboObjectChange(this, realCol, ARow, idx, sel, Combo->Items()->Objects(idx));
    }
}

void TKvStringGrid::ReplayStartEditChar(TWinControl* Editor)
{
    if (Editor && !FStartEditChar.isNull()) SendMessage(Editor, WM_CHAR, FStartEditChar.unicode(), 0);
}

void TKvStringGrid::HideEditControl(int ACol, int ARow)
{
    if (IsDestroying()) return;
    FSpecialEditor = false;
    FBlockKill = true;
    const int realCol = RealColIndex(ACol);
    FStartEditChar = QChar();
    try {
        switch (EditControl) {
        case edComboEdit:
        case edComboList:
            if (EditMode) {
                EditMode = false;
                if (TGridCombo* combo = EditCombo()) {
                    StoreEditValue(realCol, ARow, combo->Text());
                    const bool hadFocus = combo->Focused();
                    combo->SetVisible(false);
                    combo->SetEnabled(false);
                    if (hadFocus && CanFocus()) SetFocus();
                }
            }
            break;
        case edCustom:
            HideCustomEditControl(realCol, ARow);
            break;
        case edRichEdit:
            HideRichEditControl(realCol, ARow);
            break;
        default:
            if (!TGridEditorRows::Hide(this, realCol, ARow)) TGridDropDownRows::Hide(this, realCol, ARow);
            break;
        }
        if (EditControl != edNormal && FEditActive) PostEditDone(WPARAM(realCol), LPARAM(ARow));
    } catch (...) {
        FBlockKill = false;
        FEditActive = false;
        throw;
    }
    FBlockKill = false;
    FEditActive = false;
}

void TKvStringGrid::HideCellEdit()
{
    HideEditControl(Col(), Row());
}

void TKvStringGrid::ShowCellEdit()
{
    Perform(WM_KEYDOWN, VK_F2, 0);
}

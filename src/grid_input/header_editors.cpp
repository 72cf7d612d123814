// The header-cell editors: placed over a fixed cell by a click or double
// click, they validate and write their text back when the focus leaves them.
#include "grid/grid_editor_controls.h"
#include "grid/kv_string_grid.h"
#include "grid_input/grid_input_state.h"

namespace {
// The end of a header-cell edit, the same for the edit and the combo.
template <class TEditor>
bool StopFixedEdit(TEditor* E)
{
    if (!E->FGrid) {
        E->Hide();
        return true;
    }
    TKvStringGrid* g = E->FGrid;
    QString text = E->Text();
    bool valid = true;
    g->FixedCellValidate(E->FCol, E->FRow, text, valid);
    if (!valid) {
        // The current column is a display index: a hidden column before the
        // edited one must not shift it.
        const int dc = g->RealToDisplColumn(E->FCol);
        if (dc >= g->FixedCols() && dc < g->ColCount()) g->SetCol(dc);
        if (E->FRow >= g->FixedRows() && E->FRow < g->RowCount()) g->SetRow(E->FRow);
        if (E->CanFocus()) E->SetFocus();
        return false;
    }
    g->FixedCellEditingDone();
    g->SetCells(E->FCol, E->FRow, text);
    E->Hide();
    return true;
}
} // namespace

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TEdit(AOwner), FGrid(dynamic_cast<TKvStringGrid*>(AOwner))
{
    SetVisible(false);
}

bool TGridTransEdit::StopEdit() { return StopFixedEdit(this); }

void TGridTransEdit::DoExit()
{
    TEdit::DoExit();
    StopEdit();
}

void TGridTransEdit::KeyPress(QChar& Key)
{
    if (Key.unicode() == 13) {
        Key = QChar(0);
        return;
    }
    TEdit::KeyPress(Key);
}

TGridTransCombo::TGridTransCombo(TComponent* AOwner)
    : TComboBox(AOwner), FGrid(dynamic_cast<TKvStringGrid*>(AOwner))
{
    SetVisible(false);
}

bool TGridTransCombo::StopEdit() { return StopFixedEdit(this); }

void TGridTransCombo::DoExit()
{
    TComboBox::DoExit();
    StopEdit();
}

void TGridTransCombo::KeyPress(QChar& Key)
{
    if (Key.unicode() == 13) {
        Key = QChar(0);
        return;
    }
    TComboBox::KeyPress(Key);
}

TGridTransEdit* TKvStringGrid::EditTrans() const
{
    EnsureEditorControls();
    return KvGridInput::FindEditorControl<TGridTransEdit>(FEditorControls);
}

TGridTransCombo* TKvStringGrid::ComboTrans() const
{
    EnsureEditorControls();
    return KvGridInput::FindEditorControl<TGridTransCombo>(FEditorControls);
}

void TKvStringGrid::StartFixedCellEdit(int ACol, int ARow)
{
    TGridTransEdit* edit = EditTrans();
    TGridTransCombo* combo = ComboTrans();
    if (!edit || !combo) return;
    if (edit->Visible() && !edit->StopEdit()) return;
    if (combo->Visible() && !combo->StopEdit()) return;
    bool allow = true;
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, allow);
    if (!allow) return;
    FFixedColEdit = ACol;
    FFixedRowEdit = ARow;
    TGridFixedCellEditor kind = ACol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
    combo->Items()->Assign(FMouseActions->FixedComboValues());
    FixedEdit(ACol, ARow, kind, combo->Items());
    TRect R = CellRect(ACol, ARow);
    R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    const int rcol = RealColIndex(ACol);
    const QString text = Cells(rcol, ARow);
    TWinControl* shown = nullptr;
    if (kind == fceComboEdit || kind == fceComboList) {
        combo->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
        combo->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top);
        combo->OnChange = [this](TObject* Sender) { FixedCellEditChange(Sender); };
        combo->SetText(text);
        combo->FCol = rcol;
        combo->FRow = ARow;
        shown = combo;
    } else {
        edit->SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
        edit->OnChange = [this](TObject* Sender) { FixedCellEditChange(Sender); };
        edit->SetText(text);
        edit->FCol = rcol;
        edit->FRow = ARow;
        shown = edit;
    }
    shown->Show();
    if (shown->CanFocus()) shown->SetFocus();
}

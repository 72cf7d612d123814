// Row commands of the rule grids: moving rows of cells within a fixed row
// count, the shared row clipboard and the two navigation events.
#include "common/grid_row_commands.h"

#include "grid/column_grid.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"

namespace {

// Every real column: hidden columns are rule fields too.
int AllCols(TKvStringGrid* G)
{
    return G->ColCount() + G->NumHiddenColumns();
}

// Whether cell (c, r) is a check box, and its state. Column grids keep data check
// boxes as cell texts, string grids as cell objects.
bool CheckBoxCell(TKvStringGrid* G, bool CheckBoxes, int c, int r, bool& Checked)
{
    if (CheckBoxes) {
        if (!G->HasCheckBox(c, r)) return false;
        Checked = G->IsChecked(c, r);
        return true;
    }
    auto* cg = dynamic_cast<TKvColumnGrid*>(G);
    if (!cg || !cg->InRange(c) || cg->Columns()->Items(c)->Editor() != edDataCheckBox) return false;
    QString t;
    cg->GetCheckTrue(c, r, t);
    Checked = G->Cells(c, r) == t;
    return true;
}

// The row holds a rule when a field has text or a checked box. The grid's own
// columns decide: a check box in column 1 is the Enable box that every cleared
// row gets and does not count, while a text column 1 is a field like any other
// (the key of the editors without an Enable column).
bool LastRowInUse(TKvStringGrid* G, bool CheckBoxes)
{
    const int r = G->RowCount() - 1;
    for (int c = 1; c < AllCols(G); ++c) {
        bool checked = false;
        if (CheckBoxCell(G, CheckBoxes, c, r, checked)) {
            if (checked && c > 1) return true;
            continue;
        }
        if (!G->Cells(c, r).isEmpty()) return true;
    }
    return false;
}

bool RefuseFullTable(TKvStringGrid* G, bool CheckBoxes)
{
    if (!LastRowInUse(G, CheckBoxes)) return false;
    MessageDlg(Lang_Str(1509), mtError, mbOK);
    return true;
}

// The paste checks shared by both families; true when the paste may go on.
bool PasteAllowed(TKvStringGrid* G, int R, bool Copied, bool CheckBoxes)
{
    TWorkingState& ws = WS();
    if (!Copied) {
        MessageDlg(Lang_Str(1502), mtError, mbOK);
        return false;
    }
    const int n = AllCols(G);
    if (n - 1 != ws.SL_Copy_Row.size()) {
        MessageDlg(Lang_Str(1501), mtError, mbOK);
        return false;
    }
    bool used = false;
    for (int c = 1; c < n && !used; ++c) {
        if (CheckBoxes) {
            if (G->HasCheckBox(c, R)) continue;
            used = !G->Cells(c, R).isEmpty();
        } else {
            auto* cg = static_cast<TKvColumnGrid*>(G);
            if (cg->InRange(c) && cg->Columns()->Items(c)->Editor() == edDataCheckBox) continue;
            used = !G->Cells(c, R).trimmed().isEmpty();
        }
    }
    if (used && MessageDlg(Lang_Str(1500), mtConfirmation, mbYes | mbNo) != mrYes) return false;
    return true;
}

// Moves one cell of the check-box family: state or text, and the read-only flag.
void MoveCheckCell(TKvStringGrid* G, int c, int From, int To)
{
    bool st = false;
    if (G->HasCheckBox(c, From) && G->GetCheckBoxState(c, From, st)) G->SetCheckBoxState(c, To, st);
    else G->SetCells(c, To, G->Cells(c, From));
    G->CellProperties(c, To)->SetReadOnly(G->CellProperties(c, From)->ReadOnly());
}

} // namespace

// ============================================================ column grids

void Grid_Delete_Row(int R, TKvColumnGrid* G)
{
    const int n = AllCols(G);
    for (int r = R; r <= G->RowCount() - 2; ++r)
        for (int c = 1; c < n; ++c) G->SetCells(c, r, G->Cells(c, r + 1));
    for (int c = 1; c < n; ++c) G->SetCells(c, G->RowCount() - 1, QString());
}

bool Grid_Insert_Row(int R, TKvColumnGrid* G, bool SetEnable)
{
    if (RefuseFullTable(G, false)) return false;
    const int n = AllCols(G);
    for (int r = G->RowCount() - 2; r >= R; --r)
        for (int c = 1; c < n; ++c) G->SetCells(c, r + 1, G->Cells(c, r));
    for (int c = 1; c < n; ++c) G->SetCells(c, R, QString());
    if (SetEnable) G->SetCells(1, R, QStringLiteral("Y"));
    return true;
}

void Grid_Copy_Row(TKvColumnGrid* G, int R)
{
    TWorkingState& ws = WS();
    ws.SL_Copy_Row.clear();
    for (int c = 1; c < AllCols(G); ++c) ws.SL_Copy_Row.append(G->Cells(c, R));
    // The marks travel with the copied row: a plain row has no check-box cells.
    ws.Copy_Row_Check.assign(ws.SL_Copy_Row.size(), false);
}

bool Grid_Paste_Row(TKvColumnGrid* G, int R, bool Copied)
{
    if (!PasteAllowed(G, R, Copied, false)) return false;
    const QStringList& row = WS().SL_Copy_Row;
    for (int c = 1; c < AllCols(G); ++c) G->SetCells(c, R, row[c - 1]);
    return true;
}

// ============================================================ check-box string grids

void Grid_Delete_Row_Check(int R, TKvStringGrid* G, bool SetEnable)
{
    const int n = AllCols(G);
    const int last = G->RowCount() - 1;
    for (int r = R; r <= last - 1; ++r)
        for (int c = 1; c < n; ++c) MoveCheckCell(G, c, r + 1, r);
    for (int c = 1; c < n; ++c) {
        if (G->HasCheckBox(c, last)) G->SetCheckBoxState(c, last, c == 1 && SetEnable);
        else G->SetCells(c, last, QString());
        G->CellProperties(c, last)->SetReadOnly(true);
    }
}

void Grid_Insert_Row_Check(int R, TKvStringGrid* G, bool SetEnable)
{
    if (RefuseFullTable(G, true)) return;
    const int n = AllCols(G);
    for (int r = G->RowCount() - 2; r >= R; --r)
        for (int c = 1; c < n; ++c) MoveCheckCell(G, c, r, r + 1);
    for (int c = 1; c < n; ++c) {
        if (G->HasCheckBox(c, R)) G->SetCheckBoxState(c, R, c == 1 && SetEnable);
        else G->SetCells(c, R, QString());
        G->CellProperties(c, R)->SetReadOnly(false);
    }
}

void Grid_Copy_Row_Check(TKvStringGrid* G, int R)
{
    TWorkingState& ws = WS();
    const int n = AllCols(G);
    ws.SL_Copy_Row.clear();
    ws.Copy_Row_Check.assign(std::max(0, n - 1), false);
    for (int c = 1; c < n; ++c) {
        bool st = false;
        if (G->HasCheckBox(c, R) && G->GetCheckBoxState(c, R, st)) {
            ws.Copy_Row_Check[c - 1] = true;
            ws.SL_Copy_Row.append(st ? QStringLiteral("Y") : QStringLiteral("N"));
        } else {
            ws.SL_Copy_Row.append(G->Cells(c, R));
        }
    }
}

void Grid_Paste_Row_Check(TKvStringGrid* G, int R, bool Copied)
{
    if (!PasteAllowed(G, R, Copied, true)) return;
    const TWorkingState& ws = WS();
    for (int c = 1; c < AllCols(G); ++c) {
        // A mark missing from the clipboard means a text cell.
        const bool mark = size_t(c - 1) < ws.Copy_Row_Check.size() && ws.Copy_Row_Check[c - 1];
        if (mark) G->SetCheckBoxState(c, R, ws.SL_Copy_Row[c - 1] == QLatin1String("Y"));
        else G->SetCells(c, R, ws.SL_Copy_Row[c - 1]);
    }
}

// ============================================================ events

void Grid_Jump_Next_Cell(TObject* Sender, QChar& Key)
{
    if (!WS().Enable_Jump_Field_Tables || Key != QChar(13)) return;
    if (auto* G = dynamic_cast<TKvStringGrid*>(Sender); G && G->Col() > 0 && G->Row() > 0) {
        if (G->Col() < G->ColCount() - 1) {
            G->SetCol(G->Col() + 1);
        } else {
            const int row = G->Row() == G->RowCount() - 1 ? 1 : G->Row() + 1;
            G->FocusCell(1, row);
        }
    }
    Key = QChar(0);
}

void Grid_DblClick_AutoSize(TObject* Sender, int ARow, int ACol)
{
    if (!WS().Double_Click_Auto_Size || ARow != 0) return;
    if (auto* G = dynamic_cast<TKvStringGrid*>(Sender)) G->AutoSizeCol(ACol, 0);
}

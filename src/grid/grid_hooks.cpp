// Hooks the input code and the data operations call at fixed points: the
// Insert and Delete keys on rows, selection and filter notifications, the
// fixed-cell editor choice, and a cell's text on export and import.
#include "grid/kv_string_grid.h"

#include "grid/grid_text.h"
#include "grid/html_markup.h"
#include "platform/ui/richedit.h"

void TKvStringGrid::SelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    // These looks draw the selection per cell.
    if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) RepaintRect(Selection());
    FSelChange = true;
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

// In a grid with nodes a row inside a node's span becomes a child of that node, so
// the spans of the node and of the nodes around it grow with it.
void TKvStringGrid::InsertGridRow(int ARow)
{
    if (!HasNodes()) InsertRows(ARow, 1, true);
    else if (GetParentRow(ARow) < 0) InsertNormalRow(RealRowIndex(ARow));
    else InsertChildRow(RealRowIndex(ARow), 0);
}

void TKvStringGrid::DeleteGridRow(int ARow)
{
    if (HasNodes()) {
        if (GetParentRow(ARow) < 0) RemoveNormalRow(ARow);
        else RemoveChildRow(RealRowIndex(ARow));
    } else {
        const int normal = RowCount() - TBaseGrid::FixedRows() - FFixedFooters;
        if (normal != 1 || FFixedRowAlways) RemoveRowRange(ARow, 1);
        else ClearRows(ARow, 1);
    }
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void TKvStringGrid::FilterDone()
{
    if (OnFilterDone) OnFilterDone(this);
}

void TKvStringGrid::FixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values)
{
    if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TKvStringGrid::GetEvaluatedCell(int ACol, int ARow, QString& Value)
{
    Value = Cells(ACol, ARow);
}

void TKvStringGrid::GetSaveCellText(int ACol, int ARow, QString& Value)
{
    Value = FSaveVirtCells ? GetFormattedCell(ACol, ARow) : Cells(ACol, ARow);
    if (Value.isEmpty()) {
        const TCellType t = GetCellType(ACol, ARow);
        if (t == ctCheckBox || t == ctTriStateCheckBox) {
            bool on = false;
            if (t == ctCheckBox) {
                TCellGraphic* g = GetCellGraphic(ACol, RealRowIndex(ARow));
                on = g && g->CellBoolean();
            } else {
                TCheckBoxState st = cbUnchecked;
                on = GetCheckBoxState(ACol, ARow, st) && st == cbChecked;
            }
            if (on) GetCheckTrue(ACol, ARow, Value);
            else GetCheckFalse(ACol, ARow, Value);
        }
    }
    switch (GetCellTextKind(Value, true)) {
    case ctkHTML:
        if (!FSaveWithHTML) Value = HTMLToPlainText(Value);
        break;
    case ctkRichText:
        if (FSaveWithRTF) {
            Value.remove(QLatin1Char('\r'));
            Value.remove(QLatin1Char('\n'));
        } else {
            const QByteArray b = Value.toLatin1();
            Value = RTF_To_Plain_Text(std::vector<uint8_t>(b.begin(), b.end()));
        }
        break;
    default:
        break;
    }
    if (OnSaveCell) OnSaveCell(this, ACol, ARow, Value);
}

void TKvStringGrid::SetLoadCellText(int ACol, int ARow, const QString& Value)
{
    QString v = Value;
    if (OnLoadCell) OnLoadCell(this, ACol, ARow, v);
    SetGridCells(ACol, ARow, v);
}

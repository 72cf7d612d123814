// Enter and Tab advance: moving on to the next cell after an edit, the grid's
// dialog-code answer and the keys of the editors of form controls in cells.

#include "grid/grid_editor_controls.h"
#include "grid/html_markup.h"
#include "grid/html_render.h"
#include "grid/kv_string_grid.h"

namespace {

// The editors that keep the toolkit editor open after a click control was reached.
bool KeepsTextEditor(TEditorType Kind)
{
    switch (Kind) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

// Restores a flag on every way out.
struct TFlagScope {
    bool& Flag;
    bool Old;
    explicit TFlagScope(bool& AFlag) : Flag(AFlag), Old(AFlag) { Flag = true; }
    ~TFlagScope() { Flag = Old; }
};

} // namespace

void TKvStringGrid::AdvanceToNextCell(int ACol, int ARow, bool Edit, bool Recursing, bool Forward, bool AutoEdit,
                                      bool Force)
{
    TNavigation* N = FNavigation.get();
    if (!N->AdvanceOnEnter() && !Force) return;
    if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing))
        SetOptions(Options() | goEditing);
    if (!Recursing) {
        FAdvanceOriginCol = ACol;
        FAdvanceOriginRow = ARow;
    }
    const TAdvanceDirection dir = N->AdvanceDirection();
    int startCol = ACol, startRow = ARow;
    // Passing over read-only cells walks on from each of them in turn. The walk
    // ends at the first editable cell; it also ends, with the current cell left
    // at the origin, when it comes back to the origin, stops moving, or has
    // visited every cell once (a start outside the walked cells).
    const long long stepLimit = (long long)(ColCount() + 1) * (RowCount() + 1) + 1;
    long long steps = 0;
    int R = 0;
    for (;;) {
        startCol = ACol;
        startRow = ARow;
        const int lastRow = RowCount() - FFixedFooters - 1;
        const int lastCol = ColCount() - FFixedRightCols - 1;
        const TPoint span = CellSpan(ACol, ARow);
        const int spanX = std::max(0, span.X);
        if (Forward && (dir == adLeftRight || dir == adLeftRightInRow)) {
            if (ACol + spanX < ColCount() - VisibleFixedRightCols() - 1) {
                ACol = ACol + spanX + 1;
            } else if (dir == adLeftRightInRow) {
                if (N->AdvanceOnEnterLoop()) ACol = FirstDataCol();
            } else if (ARow == lastRow) {
                if (N->AdvanceInsert()) {
                    bool allow = true;
                    CanAddRow(allow);
                    ACol = FirstDataCol();
                    if (allow) {
                        AddRow();
                        ++ARow;
                        if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
                        bool anyEditable = false;
                        for (int c = TBaseGrid::FixedCols(); c < ColCount() && !anyEditable; ++c)
                            anyEditable = IsEditable(RealColIndex(c), ARow);
                        if (!anyEditable) return;
                    }
                } else if (N->AdvanceOnEnterLoop()) {
                    ARow = TBaseGrid::FixedRows();
                    ACol = FirstDataCol();
                }
            } else {
                ++ARow;
                ACol = FirstDataCol();
            }
        } else if (Forward && (dir == adTopBottom || dir == adTopBottomInCol)) {
            if (ARow != lastRow) {
                ++ARow;
            } else if (dir == adTopBottomInCol) {
                ARow = TBaseGrid::FixedRows();
            } else {
                if (ACol != lastCol) {
                    ARow = TBaseGrid::FixedRows();
                    ++ACol;
                    if (ACol >= ColCount()) ACol = FirstDataCol();
                } else if (N->AdvanceInsert()) {
                    SetColCount(ColCount() + 1);
                    ACol = ACol + spanX + 1;
                    ARow = TBaseGrid::FixedRows();
                    if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - FFixedRightCols - 1);
                } else {
                    ARow = TBaseGrid::FixedRows();
                    ACol = FirstDataCol();
                }
                Invalidate();
            }
        } else if (!Forward && dir == adLeftRight) {
            if (ACol > FirstDataCol()) {
                --ACol;
            } else {
                if (ARow > TBaseGrid::FixedRows()) --ARow;
                else ARow = lastRow;
                ACol = lastCol;
            }
        } else if (!Forward && dir == adTopBottom) {
            if (ARow > TBaseGrid::FixedRows()) {
                --ARow;
            } else {
                if (ACol > FirstDataCol()) --ACol;
                else ACol = lastCol;
                ARow = lastRow;
            }
        }

        R = RealColIndex(ACol);
        bool canEdit = true;
        CanEdit(R, ARow, canEdit);
        if (canEdit) {
            bool allow = true;
            if (OnAutoAdvance) OnAutoAdvance(this, FAdvanceOriginRow, FAdvanceOriginCol, ARow, ACol, allow);
            if (allow && OnCellChanging)
                OnCellChanging(this, FAdvanceOriginRow, FAdvanceOriginCol, ARow, ACol, allow);
            TFlagScope block(FBlockCellChange);
            if (allow) {
                TBaseGrid::SetCol(ACol);
                TBaseGrid::SetRow(ARow);
            } else {
                SelectCell(startCol, startRow);
            }
            R = RealColIndex(ACol);
            break;
        }
        if (!N->AdvanceSkipReadOnlyCells()) {
            TBaseGrid::SetCol(ACol);
            TBaseGrid::SetRow(ARow);
            break;
        }
        const bool backAtOrigin = ACol == FAdvanceOriginCol && ARow == FAdvanceOriginRow;
        const bool stuck = ACol == startCol && ARow == startRow;
        if (backAtOrigin || stuck || ++steps > stepLimit) {
            // No editable cell to go to: the current cell stays where the chain began.
            if (FAdvanceOriginCol >= 0 && FAdvanceOriginCol < ColCount() && FAdvanceOriginRow >= 0 &&
                FAdvanceOriginRow < RowCount()) {
                TBaseGrid::SetCol(FAdvanceOriginCol);
                TBaseGrid::SetRow(FAdvanceOriginRow);
            }
            return;
        }
    }

    if (!Edit) return;
    const bool clickControl = HasClickControl(R, ARow);
    if ((AutoEdit && N->AdvanceAutoEdit()) || clickControl) {
        if (!IsEditable(R, ARow)) return;
        ShowEditor();
        if (clickControl) {
            const int newCol = Col(), newRow = Row();
            {
                TFlagScope block(FBlockCellChange);
                TBaseGrid::SetCol(startCol);
                TBaseGrid::SetRow(startRow);
                TBaseGrid::SetCol(newCol);
                TBaseGrid::SetRow(newRow);
            }
            if (!HasClickControl(RealColIndex(startCol), startRow)) {
                const TRect r = CellRect(Col(), Row());
                AdvanceClickControl(r.Left + 2, r.Top + 2);
                if (dir != adLeftRight) HideEditor();
            }
            bool allow = true;
            if (OnCellChanging) OnCellChanging(this, startRow, startCol, Row(), Col(), allow);
            TEditorType kind = FDefaultEditor;
            GetCellEditor(RealColIndex(startCol), startRow, kind);
            if (!KeepsTextEditor(kind)) HideEditor();
        }
    }
    if (FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}

void TKvStringGrid::AdvanceClickControl(int X, int Y)
{
    MouseDown(mbLeft, TShiftState(), X, Y);
    MouseUp(mbLeft, TShiftState(), X, Y);
}

unsigned TKvStringGrid::DialogCodeAnswer(unsigned StockAnswer) const
{
    if (FNavigation->AutoGotoWhenSorted() || !Options().Contains(goEditing)) StockAnswer |= DLGC_WANTCHARS;
    return StockAnswer;
}


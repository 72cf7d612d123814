// The Tab step of the grid: to the next or previous tab stop in the
// navigation's direction, wrapping at the ends, appending a row at the end when
// asked, or handing the Tab on to the form at the end of the grid.
#include "grid/kv_string_grid.h"

#include "platform/ui/forms.h"

#include <set>
#include <utility>

namespace {
// Guards the cells one Tab step has passed, so that a grid without any
// editable cell ends the step where it started.
struct TTabWalk {
    std::set<std::pair<int, int>> Seen;
};
} // namespace

void TKvStringGrid::TabBackward()
{
    const bool leftRight = FNavigation->TabAdvanceDirection() == adLeftRight;
    if (!leftRight) {
        if (Row() > FixedRows()) {
            SetRow(Row() - 1);
        } else {
            SetRow(RowCount() - FFixedFooters - 1);
            SetCol(Col() > FirstDataCol() ? Col() - 1 : ColCount() - VisibleFixedRightCols() - 1);
        }
        return;
    }
    if (Col() > FirstDataCol()) {
        int b = 1;
        while (!(Col() - b < FirstDataCol() || (IsTabStopCell(Col() - b, Row()) && IsBaseCell(Col() - b, Row()))))
            ++b;
        if (Col() - b >= FirstDataCol()) {
            SetCol(Col() - b);
        } else if (Row() > FixedRows()) {
            const int c = LastTabStopCol(Row() - 1);
            if (c >= 0) FocusCell(c, Row() - 1);
        } else {
            const int last = RowCount() - FFixedFooters - 1;
            const int c = LastTabStopCol(last);
            if (c >= 0) {
                FocusCell(c, last);
                ScrollInView(c, last);
            }
        }
        if (!IsBaseCell(Col(), Row())) MoveToBaseCell();
        return;
    }
    int b = 1;
    while (ColCount() - VisibleFixedRightCols() - b >= FixedCols() &&
           !IsTabStopCell(ColCount() - VisibleFixedRightCols() - b, Row()))
        ++b;
    const int c = ColCount() - VisibleFixedRightCols() - b;
    const int r = Row() > FixedRows() ? Row() - 1 : RowCount() - FFixedFooters - 1;
    FocusCell(std::max(c, 0), r);
}

// False when the end-of-grid rule handed the Tab on.
bool TKvStringGrid::TabEndOfGrid()
{
    if (!Parent() || !FNavigation->TabToNextAtEnd()) return true;
    // The posted dialog key lets the form move the focus on, as a Tab typed there would.
    if (TCustomForm* form = FindParentForm(this)) PostMessage(form, CM_DIALOGKEY, VK_TAB, 0);
    return false;
}

bool TKvStringGrid::TabForward()
{
    if (FNavigation->TabAdvanceDirection() != adLeftRight) {
        const int spanY = CellSpan(Col(), Row()).Y;
        if (Row() + spanY + 1 < RowCount() - FFixedFooters) {
            SetRow(Row() + spanY + 1);
            return true;
        }
        MoveToFirstRow();
        if (Col() < ColCount() - VisibleFixedRightCols() - 1) {
            SetCol(Col() + 1);
            return true;
        }
        SetCol(FirstDataCol());
        return TabEndOfGrid();
    }
    const int spanX = CellSpan(Col(), Row()).X;
    const int limit = ColCount() - VisibleFixedRightCols();
    bool result = true;
    if (Col() + spanX + 1 < limit) {
        int c = 1;
        while (Col() + spanX + c < limit && !IsTabStopCell(Col() + spanX + c, Row())) ++c;
        if (Col() + spanX + c < limit) {
            SetCol(Col() + spanX + c);
        } else {
            FForceSel = true;
            if (!IsLastNormalRow() && Row() < RowCount() - 1) {
                const int v = FirstTabStopCol(Row() + 1);
                bool allow = true;
                if (OnRowChanging) OnRowChanging(this, Row(), Row() + 1, allow);
                if (OnCellChanging) OnCellChanging(this, Row(), Col(), Row() + 1, v, allow);
                if (OnColChanging) OnColChanging(this, Col(), v, allow);
                if (allow) FocusCell(v < 0 ? FixedCols() : v, Row() + 1);
            } else {
                const int v = FirstTabStopCol(FixedRows());
                if (v >= 0) FocusCell(v, FixedRows());
                result = TabEndOfGrid();
            }
            FForceSel = false;
        }
        if (!IsBaseCell(Col(), Row())) return TabForward();
        return result;
    }
    if (!IsLastNormalRow() && Row() < RowCount() - 1) {
        int e = -1;
        for (int c = FirstDataCol(); c < ColCount(); ++c)
            if (IsBaseCell(c, Row() + 1) && IsTabStopCell(c, Row() + 1)) {
                e = c;
                break;
            }
        if (e >= 0) {
            FForceSel = true;
            FocusCell(e, Row() + 1);
            FForceSel = false;
            return true;
        }
        for (int r = Row() + 2; r < RowCount() - FFixedFooters; ++r) {
            const int v = FirstTabStopCol(r);
            if (v >= 0) {
                FocusCell(v, r);
                return true;
            }
        }
        FocusCell(ColCount() - 1, RowCount() - 1);
        return TabForward();
    }
    if (FNavigation->TabToNextAtEnd() || !FNavigation->AdvanceInsert()) {
        MoveToFirstRow();
    } else {
        bool allow = true;
        CanAddRow(allow);
        if (allow) {
            int newRow = 0;
            if (FFloatingFooter->Visible()) {
                InsertRows(RowCount() - 1, 1);
                newRow = RowCount() - 2;
            } else {
                SetRowCount(RowCount() + 1);
                newRow = RowCount() - 1;
            }
            SetRow(newRow);
            if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
        } else {
            MoveToFirstRow();
        }
    }
    const int v = FirstTabStopCol(Row());
    if (v >= 0) SetCol(v);
    return TabEndOfGrid();
}

bool TKvStringGrid::TabToNextCell(bool Backward)
{
    if (OnKeyDown) {
        WORD key = VK_TAB;
        OnKeyDown(this, key, Backward ? TShiftState(ssShift) : TShiftState());
        if (key != VK_TAB) return true;
    }
    if (Col() == FLastTabCol && Row() == FLastTabRow) return true;
    FLastTabCol = Col();
    FLastTabRow = Row();
    const int startCol = Col(), startRow = Row();
    TTabWalk walk;
    walk.Seen.insert({startCol, startRow});
    bool result = true;
    // Cells that are not editable are passed over; a cell met twice ends the
    // walk, back on the cell it started from.
    while (true) {
        if (Backward) TabBackward();
        else result = TabForward() && result;
        if (!result) break;
        if (!Options().Contains(goEditing) || IsEditable(RealColIndex(Col()), Row())) break;
        if (!walk.Seen.insert({Col(), Row()}).second) {
            if (Col() != startCol || Row() != startRow) FocusCell(startCol, startRow);
            break;
        }
    }
    if (FNavigation->AdvanceAutoEdit() && !HasClickControl(RealColIndex(Col()), Row())) SimulateCellClick(Col(), Row());
    FLastTabCol = -1;
    FLastTabRow = -1;
    if (FNavigation->AlwaysEdit() && CanFocus()) SetFocus();
    return result;
}

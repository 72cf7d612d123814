// The grid's button release and double click: the end of what a press
// started (fixed-cell sizing, pushed cell buttons, disjunct selection, header
// drags, selection resizing), the header click that sorts, the header border
// double click that fits a column, and the MouseUp override with the filter
// lists and the disjunct cell selection.
#include "grid/kv_string_grid.h"
#include "grid_input/grid_input_state.h"

#include "grid/grid_chrome.h"
#include "platform/core/datetime.h"
#include "platform/ui/forms.h"

#include <algorithm>

using KvGridInput::CellEntry;
using KvGridInput::KeyIsDown;

void TKvStringGrid::HeaderClickSort(int ACol, int ARow, int X, int Y, bool Moved)
{
    const TRect R = CellRect(ACol, ARow);
    const int RCol = RealColIndex(ACol);
    if (HasCheckBox(RCol, ARow) && OnCheckBoxMouseUp) {
        bool state = false;
        GetCheckBoxState(RCol, ARow, state);
        OnCheckBoxMouseUp(this, RCol, ARow, state);
    }
    if (IsRadio(RCol, ARow) && OnRadioMouseUp) {
        int idx = -1;
        GetRadioIdx(RCol, ARow, idx);
        OnRadioMouseUp(this, RCol, ARow, idx);
    }
    if (FDblClk) {
        FDblClk = false;
        return;
    }
    if (ARow == 0 && Options().Contains(goColSizing) && (X - R.Left < 4 || R.Right - X < 4)) return;
    int pressCol = -1, pressRow = -1;
    MouseToCell(Clickposx, Clickposy, pressCol, pressRow);
    if (X >= R.Right - 16 && X < R.Right &&
        ((FControlLook->FixedDropDownButton() && CanShowFixedDropDown(RCol)) || GetFilterList(RCol)))
        return;
    const bool onBox = HasCheckBox(RCol, ARow) && IsInCheckBox(RCol, ARow, X, Y);
    if (!(ARow == pressRow && ARow == FSortSettings->Row && FixedRows() > 0 && !onBox && FSortSettings->Show &&
          !Moved && RowCount() > 2))
        return;
    bool canSort = !IsIgnoredColumn(RCol);
    if (OnCanSort) OnCanSort(this, RCol, canSort);
    if (!canSort) {
        RepaintCell(ACol, FSortSettings->Row);
        return;
    }
    HideInplaceEdit();
    InitSortXRef();
    if (FSortSettings->AutoColumnMerge) SplitAllColumnCells();
    const bool keepLeft = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
    const int left = LeftCol();
    if (keepLeft) BeginUpdate();
    const quint32 start = GetTickCount();
    const bool tree = HasNodes();
    if (FSortSettings->IndexShow) {
        const bool keyHeld = FSortSettings->IndexSortKey != ikShift ? KeyIsDown(VK_CONTROL) : KeyIsDown(VK_SHIFT);
        const bool asc = FSortSettings->InitSortDirection == sdAscending;
        const int at = FSortIndexes->FindIndex(RCol);
        if (keyHeld) {
            if (at < 0) FSortIndexes->AddIndex(RCol, asc);
            else FSortIndexes->SetSortDirections(at, !FSortIndexes->SortDirections(at));
        } else if (FSortIndexes->Count() == 1 && at == 0) {
            FSortIndexes->SetSortDirections(0, !FSortIndexes->SortDirections(0));
        } else {
            FSortIndexes->Clear();
            FSortIndexes->AddIndex(RCol, asc);
        }
        if (tree) QSortGroupIndexed();
        else QSortIndexed();
        FSortSettings->Column = FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : -1;
    } else {
        bool unsort = false;
        if (FSortSettings->Column == RCol) {
            const TSortDirection before = FSortSettings->Direction;
            FSortSettings->Direction = before == sdAscending ? sdDescending : sdAscending;
            if (FSortSettings->UndoSort && before != FSortSettings->InitSortDirection) {
                FSortSettings->Direction = FSortSettings->InitSortDirection;
                FSortSettings->Column = -1;
                unsort = true;
            }
        } else {
            FSortSettings->Direction = FSortSettings->InitSortDirection;
            FSortSettings->Column = RCol;
        }
        if (unsort) QUnSort();
        else if (tree) QSortGroup();
        else QSort();
    }
    SortTime = GetTickCount() - start;
    if (FSortSettings->AutoColumnMerge) RemergeColumnCells();
    if (keepLeft) {
        SetLeftCol(left);
        EndUpdate();
    }
    if (FCellControls->Count() > 0) CellControlsUpdate();
    ClickSort(FSortSettings->Column);
}

void TKvStringGrid::WMLButtonUp(TMessage& Message)
{
    const int X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
    const bool movedOrSized = ColMoveFlg || ColSizeFlg;
    ColMoveFlg = ColSizeFlg = false;
    FMouseDown = FMouseKeepDown = false;
    FMouseSelectMode = msNormal;
    if (FCtrlDown) {
        FCtrlDown = false;
        RepaintCell(RealToDisplColumn(FCtrlXY.X), FCtrlXY.Y);
    }
    FMouseDownMove = false;
    FMouseSelectStart = -1;

    if (FSizingFixed) {
        FSizeFixed = FSizingFixed = false;
        if (FSizingFixedCol >= 0 && FSizingFixedCol < ColCount()) {
            int before = 0;
            for (int c = 0; c < FSizingFixedCol; ++c) before += ColWidths(c);
            int w = std::max(0, X - before);
            SetColWidths(FSizingFixedCol, w);
            if (OnEndColumnSize) OnEndColumnSize(this, FSizingFixedCol);
            const int was = w;
            if (OnUpdateColumnSize) OnUpdateColumnSize(this, FSizingFixedCol, w);
            if (w != was) SetColWidths(FSizingFixedCol, w);
        }
    }
    if (FSizingFixedR) {
        FSizeFixedR = FSizingFixedR = false;
        if (FSizingFixedRow >= 0 && FSizingFixedRow < RowCount()) {
            int before = 0;
            for (int r = 0; r < FSizingFixedRow; ++r) before += RowHeights(r);
            SetRowHeights(FSizingFixedRow, std::max(0, Y - before));
            if (OnEndRowSize) OnEndRowSize(this, FSizingFixedRow);
        }
    }
    if (FFixedCellPushed) {
        FFixedCellPushed = false;
        Invalidate();
    }
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool valid = ACol >= 0 && ARow >= 0;

    const TPoint pushed = FCellButtonPushed;
    if (pushed.X != -1 || pushed.Y != -1) {
        const int pc = pushed.X, pr = pushed.Y;
        const int prc = RealColIndex(pc);
        bool enabled = Options().Contains(goEditing);
        if (!enabled && !FControlLook->NoDisabledButtonLook()) enabled = IsCellEditable(prc, pr);
        const bool fixedCell = pc < FixedCols() || pr < FixedRows();
        if (enabled || FControlLook->NoDisabledButtonLook() || fixedCell) {
            if (!IsNode(pr) && HasButton(prc, pr)) PushButton(pc, pr, false);
            if (valid) {
                const TPoint b = BaseCell(ACol, ARow);
                const TRect BR = GetCellGraphicRect(b.X, b.Y);
                const bool inside = X >= BR.Left && X < BR.Right && Y >= BR.Top && Y < BR.Bottom;
                if (HasButton(prc, pr) && (inside || (pc < FixedCols() && FixedAsButtons) || pr < FixedRows()))
                    ButtonClick(pc, pr);
                if (HasExpand(prc, pr)) {
                    const TRect ER = GetExpandRect(b.X, b.Y);
                    if (X >= ER.Left && X < ER.Right && Y >= ER.Top && Y < ER.Bottom) {
                        ToggleExpand(prc, pr);
                        ExpandClick(pc, pr, GetExpandState(prc, pr));
                    }
                }
            }
        }
        FCellButtonPushed = TPoint(-1, -1);
        SetMouseCapture(false);
    }
    if (valid) {
        const int rc = RealColIndex(ACol);
        auto inRect = [&](const TRect& R) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; };
        if ((HasButton(rc, ARow) && inRect(GetCellGraphicRect(ACol, ARow))) ||
            (HasExpand(rc, ARow) && inRect(GetExpandRect(ACol, ARow))))
            return;
    }
    const bool sizingGrab = ARow >= 0 && ARow < FixedRows() && Options().Contains(goColSizing) &&
                            GridState() == gsColSizing;
    if (!sizingGrab && FDoOnClick && OnClick && valid && (ARow < FixedRows() || ACol < FixedCols())) OnClick(this);
    FDoOnClick = false;
    // A press that selected or dragged is a click; the stock release ends the state.
    if (GridState() == gsSelecting || GridState() == gsColMoving || GridState() == gsRowMoving) Click();

    if (FSelectionClick) {
        FSelectionClick = false;
        if (valid && ARow >= FixedRows() && ACol >= FixedCols()) {
            if (FMouseActions->DisjunctRowSelect() && FDragDropSettings->OleDropSource() && !KeyIsDown(VK_CONTROL))
                ClearRowSelect();
            if (KeyIsDown(VK_CONTROL) || FMouseActions->DisjunctRowSelectNoCtrl()) {
                SetRowSelect(ARow, !RowSelect(ARow));
                if (OnMouseUp) OnMouseUp(this, mbLeft, TShiftState(ssCtrl), ACol, ARow);
                return;
            }
            RepaintCell(0, Row());
            if (Options().Contains(goRowSelect)) SetSelection(TGridRect(FixedCols(), ARow, ColCount() - 1, ARow));
            else FocusCell(ACol, ARow);
            RepaintCell(0, Row());
        }
    }
    if (FMouseActions->DisjunctRowSelect() && valid && !(ACol == 0 && IsNode(ARow))) {
        if (!(ACol == 0 && FMouseActions->HotmailRowSelect())) SelectionToRowSelect(false);
        if (ARow >= FixedRows() && FDeselectState)
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow, false);
        if (FMouseActions->HotmailRowSelect()) RepaintCell(0, 0);
    }
    const bool deselected = FDeselectState && FMouseActions->DisjunctRowSelect();
    if (!FMouseActions->DisjunctColSelect()) FDeselectState = FDeselectState && FMouseActions->DisjunctRowSelect();
    if (valid && ACol > 0 && IsNode(ARow) && !GetNodeState(ARow) && FGrouping->AutoSelectGroup()) {
        const int span = GetNodeSpan(ARow);
        if (FMouseActions->DisjunctRowSelect()) {
            for (int r = ARow + 1; r < ARow + span && r < RowCount(); ++r) SetRowSelect(r, true);
        } else {
            SetSelection(TGridRect(FixedCols(), ARow, ColCount() - 1, std::min(RowCount() - 1, ARow + span - 1)));
        }
    }
    if (FMouseActions->DisjunctColSelect()) {
        SelectionToColSelect(false);
        if (FDeselectState && valid && ACol >= FixedCols() && ACol < ColCount() - FFixedRightCols)
            SetColSelect(ACol, false);
    }
    FDeselectState = false;

    bool moved = false;
    HeaderDragEnd(X, Y, moved);
    InheritedMessage(Message);
    if (deselected) FSelChange = false;
    if (GridState() == gsSelecting) SetGridState(gsNormal);
    if (FMouseResize) {
        if (OnSelectionResize) OnSelectionResize(this, FDropSelection, Selection());
        const bool block = FBlockCellChange;
        FBlockCellChange = true;
        PasteSelectionFromClipboard();
        FMouseResize = false;
        FBlockCellChange = block;
        if (OnSelectionResized) OnSelectionResized(this, FDropSelection, Selection());
    }
    if (movedOrSized || !valid) return;
    if (ARow < FixedRows() && (ACol >= FixedCols() || FSortSettings->FixedCols))
        HeaderClickSort(ACol, ARow, X, Y, moved);
}

void TKvStringGrid::WMLButtonDblClk(TMessage& Message)
{
    const int X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (FMouseActions->RangeSelectAndEdit() && !(ACol >= 0 && ARow >= 0 && HasClickControl(RealColIndex(ACol), ARow)))
        FForceSel = true;
    if (ACol < 0) {
        if (FFixedRowAlways) {
            FForceSel = false;
            InheritedMessage(Message);
            return;
        }
        ACol = ColCount() - 1;
        ARow = 0;
    }
    if (ARow < 0) {
        FForceSel = false;
        InheritedMessage(Message);
        return;
    }
    if (ARow < FixedRows() && Options().Contains(goColSizing) && FMouseActions->AutoSizeColOnDblClick()) {
        const TRect R = CellRect(ACol, ARow);
        auto fit = [&](int C) {
            FDblClk = true;
            bool allow = true;
            if (OnColumnSize) OnColumnSize(this, C, allow);
            if (allow) {
                AutoSizeCol(C, 0);
                if (OnEndColumnSize) OnEndColumnSize(this, C);
            }
            FForceSel = false;
            InheritedMessage(Message);
        };
        if (std::abs(X - R.Left) < 4 && ACol - 1 >= FixedCols()) {
            fit(ACol - 1);
            return;
        }
        if (std::abs(X - R.Right) < 4 && ACol >= FixedCols()) {
            fit(ACol);
            return;
        }
    }
    const int rc = RealColIndex(ACol);
    auto inRect = [&](const TRect& R) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; };
    if ((HasButton(rc, ARow) && inRect(GetCellGraphicRect(ACol, ARow))) ||
        (HasExpand(rc, ARow) && inRect(GetExpandRect(ACol, ARow)))) {
        FForceSel = false;
        return;
    }
    if (HasClickControl(rc, ARow)) {
        FForceSel = false;
        InheritedMessage(Message);
        return;
    }
    InheritedMessage(Message);
    if (OnDblClickCell) OnDblClickCell(this, ARow, ACol);
    if (FMouseActions->EditOnDblClickOnly()) {
        const bool was = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        const bool editable = IsEditable(rc, ARow);
        FMouseActions->SetRangeSelectAndEdit(was);
        if (editable) {
            SetOptions(Options() | goEditing);
            ShowInplaceEdit();
        }
    }
    if (FMouseActions->RangeSelectAndEdit() && IsEditable(rc, ARow) && !FMouseActions->EditOnDblClickOnly()) {
        SetOptions(Options() | goEditing);
        const TRect R = CellRect(BaseCell(ACol, ARow).X, BaseCell(ACol, ARow).Y);
        MouseDown(mbLeft, TShiftState(), R.Left + 4, R.Top + 4);
    }
    FForceSel = false;
    if ((ARow < FixedRows() && FMouseActions->FixedRowsEdit() == fceDblClick) ||
        (ACol < FixedCols() && FMouseActions->FixedColsEdit() == fceDblClick))
        StartFixedCellEdit(ACol, ARow);
}

// ============================================================ MouseUp override

void TKvStringGrid::ShowFilterList(int ACol, int ARow)
{
    const TRect R = CellRect(ACol, ARow);
    FFilterCol = RealColIndex(ACol);
    const bool check = FFilterDropDownCheck;
    TCustomListBox* list = check ? static_cast<TCustomListBox*>(FFilterCheckList)
                                 : static_cast<TCustomListBox*>(FFilterDropList);
    if (!list) return;
    list->SetColor(FFilterDropDown->Color());
    list->Font()->Assign(*FFilterDropDown->Font());
    list->Items()->Clear();
    const QFontMetrics fm(FFilterDropDown->Font()->ToQFont());
    int widest = 0;
    for (int i = 0; i < FFilterList->Count(); ++i) {
        QString s = FFilterList->Strings(i);
        if (const int eq = s.indexOf(QLatin1Char('=')); eq >= 0) s = s.left(eq);
        if (check && s.contains(QLatin1Char(' '))) s = QLatin1Char('"') + s + QLatin1Char('"');
        list->Items()->Add(s);
        if (check) {
            bool on = false;
            for (int k = 0; k < FFilter->Count(); ++k)
                if (FFilter->Items(k)->Column == FFilterCol && FFilter->Items(k)->Condition == s) on = true;
            FFilterCheckList->SetChecked(i, on);
        }
        widest = std::max(widest, fm.horizontalAdvance(s) + 8);
    }
    if (!check && list->Items()->Count() > 0) list->SetItemIndex(0);
    int w = FFilterDropDown->Width(), h = FFilterDropDown->Height();
    if (FFilterDropDown->AutoSize()) {
        const int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
        h = list->Items()->Count() * std::max(1, fm.height()) + 2 * edgeY;
        w = widest + 2 * edgeX;
    }
    int left = R.Right - 16;
    if (FFilterDropDown->ColumnWidth()) {
        left = R.Left;
        w = R.Right - R.Left;
    }
    // Past the grid's right edge the list aligns with the header's right edge,
    // and never starts left of the grid.
    if (left + w > ClientWidth()) left = R.Right - w;
    left = std::max(0, left);
    list->SetParent(this);
    list->SetBounds(left, R.Top + 16, w, h);
    list->Show();
    if (list->CanFocus()) list->SetFocus();
}

bool TKvStringGrid::DisjunctCellMouseUp(TMouseButton Button, TShiftState Shift, int ACol, int ARow)
{
    if (!FMouseActions->DisjunctCellSelect() || Button != mbLeft || ACol < 0 || ARow < 0) return true;
    const TPoint b = BaseCell(ACol, ARow);
    if (!IsFixed(b.X, b.Y)) {
        bool can = true;
        if (OnSelectCell) OnSelectCell(this, b.X, b.Y, can);
        if (!can) return false;
        if (Shift.Contains(ssShift)) {
            if (!FSelectedCells->HasValue(CellEntry(ACol, ARow))) FSelectedCells->Add(CellEntry(ACol, ARow));
        } else {
            ListSelectedCell(b.X, b.Y, Shift.Contains(ssCtrl));
        }
    } else if (!IsFixed(ACol, ARow) && !Shift.Contains(ssCtrl)) {
        FSelectedCells->Clear();
        Invalidate();
    }
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        RepaintCell(ACol, ARow);
    } else {
        AddRectToSelectedCells(s, b);
        RepaintSelectedCells();
    }
    return true;
}

void TKvStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FDesigning) {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
        DesignHelperClick(X, Y);
        return;
    }
    // Every left release (and right release when it selects) tells the
    // selection; the grid keeps no earlier selection to compare with.
    const bool due = Button == mbLeft || (Button == mbRight && FMouseActions->SelectOnRightClick());
    const TGridRect before = Selection();
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const int filterRow = FilterDropDownRow >= 0 ? FilterDropDownRow : FixedRows() - 1;
    bool opened = false;
    if (ACol >= 0 && ARow == filterRow && RealColIndex(ACol) != FFilterCol) {
        const TRect R = CellRect(ACol, ARow);
        if (X > R.Right - 16 && X < R.Right - 3 && Y < R.Top + 19 && GetFilterList(RealColIndex(ACol))) {
            ShowFilterList(ACol, ARow);
            opened = true;
        }
    }
    if (!opened) {
        if (FFilterDropList && FFilterDropList->Visible()) FFilterDropList->Hide();
        FFilterCol = -1;
    }
    FDropDownDown = false;
    if ((GridState() == gsColSizing && X >= ClientWidth()) || (GridState() == gsRowSizing && Y >= ClientHeight())) {
        Perform(WM_CANCELMODE);
        SetGridState(gsNormal);
        return;
    }
    if (!DisjunctCellMouseUp(Button, Shift, ACol, ARow)) return;
    if (due) SelectionChanged(before.Left, before.Top, before.Right, before.Bottom);
    if (!(GridState() == gsColMoving && Button == mbRight)) {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
        if (ACol >= 0 && ARow == FixedRows() - 1 && IsHoverFixedCell(ACol, ARow) &&
            FControlLook->FixedGradientDownTo() != clNone)
            RepaintCell(ACol, ARow);
        const TGridRect after = Selection();
        if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
    }
}

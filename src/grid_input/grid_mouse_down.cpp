// The grid's left and right button presses: what a press means before, or
// instead of, the stock selection handling (check boxes, radio groups, cell
// buttons, tree nodes, ratings, anchors, form controls, header selection and
// sizing, drag candidates), and the MouseDown override after it.
#include "grid/kv_string_grid.h"
#include "grid_input/grid_input_state.h"

#include "grid/grid_text.h"
#include "grid/html_markup.h"
#include "platform/ui/forms.h"

#include <algorithm>

using KvGridInput::CellEntry;
using KvGridInput::KeyIsDown;

// The selection resizer's handle: 6 x 6 px at the selection's outer corner
// (mirrored in right-to-left layout, where the handle is painted).
static bool InResizer(TKvStringGrid* g, int X, int Y, bool RightToLeft)
{
    const TGridRect s = g->Selection();
    const TRect R = g->CellRect(s.Right, s.Bottom);
    const bool inY = Y >= R.Bottom - 6 && Y < R.Bottom;
    return inY && (RightToLeft ? X >= R.Left && X < R.Left + 6 : X >= R.Right - 6 && X < R.Right);
}

bool TKvStringGrid::CheckBoxPress(int ACol, int ARow, int RealCol, int X, int Y)
{
    bool editable = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CanEdit(RealCol, ARow, editable);
    const bool hotmail = ACol == 0 && FMouseActions->HotmailRowSelect();
    if (ACol >= ColCount() || ARow >= RowCount()) return false;
    if (!(editable || FControlLook->CheckAlwaysActive() || hotmail)) return false;
    if (!(HasCheckBox(RealCol, ARow) || HasRadioButton(RealCol, ARow))) return false;
    if (!IsInCheckBox(RealCol, ARow, X, Y)) return false;

    HideInplaceEdit();
    if (CanFocus()) SetFocus();
    const int realRow = RealRowIndex(ARow);
    if (HasRadioButton(RealCol, ARow)) {
        ToggleCellRadio(RealCol, ARow, true);
        if (OnRadioButtonClick) OnRadioButtonClick(this, RealCol, ARow);
    } else {
        ToggleCellCheck(RealCol, ARow, true);
    }
    if (FShowModified->Enabled()) {
        SetRowModified(ARow, true);
        RepaintCell(0, ARow);
    }
    if (hotmail) {
        SetSelection(TGridRect(FixedCols(), ARow, ColCount() - 1, ARow));
        SetRowSelect(realRow, !RowSelect(realRow));
        if (realRow != ARow) RepaintCell(0, ARow);
        if (ARow == Row() && !RowSelect(realRow)) HideSelection();
    }
    bool state = false;
    GetCheckBoxState(RealCol, realRow, state);
    if (!FNavigation->AlwaysEdit() && ARow >= FixedRows() && ACol >= FixedCols()) MoveColRow(ACol, ARow, true, true);
    CheckBoxClick(ACol, ARow, state);
    if (HideFocusRect) RepaintCell(ACol, ARow);
    if (ARow < FixedRows() && FMouseActions->CheckAllCheck()) {
        for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
            if (hotmail) SetRowSelect(r, state);
            else SetCheckBoxState(RealCol, r, state);
        }
        Invalidate();
    }
    if (OnMouseDown) OnMouseDown(this, mbLeft, KvGridInput::KeyboardShift(false), X, Y);
    Click();
    return true;
}

void TKvStringGrid::RadioGroupClick(int ACol, int ARow, int OffsetX, int OffsetY)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    TStrings* items = GetRadioStrings(b.X, b.Y);
    if (!g || !items) return;
    const int dc = RealToDisplColumn(b.X);
    if (!IsFixed(dc, b.Y)) MoveColRow(dc, b.Y, true, true);
    const int spacing = FControlLook->ControlStyle() >= csWinXP ? 16 : FControlLook->RadioSize();
    const QFontMetrics fm(GetCellFont(b.X, b.Y)->ToQFont());
    int chosen = -1;
    if (g->CellBoolean()) {
        int x = 0;
        for (int i = 0; i < items->Count(); ++i) {
            const int prev = x;
            x += fm.horizontalAdvance(items->Strings(i)) + spacing;
            if (x > OffsetX && prev < OffsetX) {
                chosen = i;
                break;
            }
        }
    } else {
        const int h = std::max(spacing, fm.height());
        int bottom = 0;
        for (int i = 0; i < items->Count(); ++i) {
            bottom += h;
            if (bottom > OffsetY) {
                chosen = i;
                break;
            }
        }
    }
    if (chosen < 0) return;
    if (g->CellIndex() == -1) SetCells(b.X, b.Y, items->Strings(chosen));
    else g->SetCellIndex(chosen);
    SetCells(b.X, b.Y, Cells(b.X, b.Y));
    SetRadioIdx(dc, b.Y, chosen);
    if (OnRadioClick) OnRadioClick(this, dc, b.Y, chosen);
}

void TKvStringGrid::WMLButtonDown(TMessage& Message)
{
    int X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
    FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
    FSpinUpClick = FSpinDnClick = false;
    // The release reads this as "a column was sized during this press"; width
    // changes made in code before the press must not swallow the click.
    ColSizeFlg = false;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const TGridRect oldSel = Selection();
    const bool editing = Options().Contains(goEditing);

    auto resizePress = [&](bool SetState) {
        if (SetState) SetGridState(gsSelecting);
        FDropSelection = Selection();
        CopySelectionToClipboard();
        FMouseResize = true;
        const TGridRect sel = Selection();
        const int c = Col(), r = Row();
        if (!Options().Contains(goEditing) && (SetState ? !FMouseActions->RangeSelectAndEdit() : true))
            InheritedMessage(Message);
        SetSelection(sel);
        if (c != Col() || r != Row()) MoveColRow(c, r, false, false);
        MouseMove(TShiftState(), X, Y);
    };
    if (FSelectionResizer && FSelectionRectangle && InResizer(this, X, Y, UseRightToLeftAlignment())) {
        resizePress(true);
        Message.Result = 1;
        return;
    }
    if (editing && FMouseActions->RangeSelectAndEdit() && !oldSel.Contains(ACol, ARow))
        SetOptions(Options() - TGridOptions(goEditing));
    bool allow = true;
    if (OnCanClickCell) OnCanClickCell(this, ARow, ACol, allow);
    if (!allow) return;
    if (CellSelectorMode) {
        CellSelectorClick(ACol, ARow);
        return;
    }
    if (FMouseSelectMode == msResize) {
        resizePress(false);
        return;
    }
    TShiftState shift;
    if (KeyIsDown(VK_MENU)) shift = ssAlt;
    else if (KeyIsDown(VK_SHIFT)) shift = ssShift;
    else if (KeyIsDown(VK_CONTROL)) shift = ssCtrl;
    const bool ctrl = KeyIsDown(VK_CONTROL);
    const bool valid = ACol >= 0 && ARow >= 0;
    if (FMouseActions->DisjunctCellSelect() && !ctrl && valid && !IsFixed(ACol, ARow)) {
        FSelectedCells->Clear();
        Invalidate();
    }
    SearchInc.clear();
    FMoveColInd = FMoveRowInd = -1;
    FSelectionClick = false;
    FCellButtonPushed = TPoint(-1, -1);
    FOldKeepLeftCol = LeftCol();
    FOldTopRow = TopRow();
    if (ARow == 0) MouseToCell(X - 5, Y, Colclicked, Rowclicked);
    else if (ACol == 0) MouseToCell(X, Y - 4, Colclicked, Rowclicked);
    else MouseToCell(X - 5, Y - 4, Colclicked, Rowclicked);
    if (Colclicked >= 0 && Colclicked < ColCount()) Colclickedsize = ColWidths(Colclicked);
    if (Rowclicked >= 0 && Rowclicked < RowCount()) Rowclickedsize = RowHeights(Rowclicked);
    Clickposx = X;
    Clickposy = Y;

    if (!valid) {
        HideInplaceEdit();
        if (!FFixedRowAlways) InheritedMessage(Message);
        return;
    }
    const bool fixedArea = ARow < FixedRows() || ACol < FixedCols();
    const int pressCol = ACol, pressRow = ARow;
    {
        const TPoint b = BaseCell(ACol, ARow);
        ACol = b.X;
        ARow = b.Y;
    }
    const TRect CellR = CellRect(ACol, ARow);
    if (FMouseActions->CaretPositioning()) LButFlg = true;

    if (FSizeFixed || FSizeFixedR) {
        if (FSizeFixed) {
            FSizingFixed = true;
            FSizeFixedX = X;
        } else {
            FSizingFixedR = true;
            FSizeFixedY = Y;
        }
        if (!FDesigning) {
            int edge = 0;
            const int n = FSizeFixed ? FixedCols() : FixedRows();
            for (int i = 0; i < n; ++i) {
                edge += (FSizeFixed ? ColWidths(i) : RowHeights(i)) + 1;
                if (std::abs(edge - (FSizeFixed ? X : Y)) < 3) {
                    (FSizeFixed ? FSizingFixedCol : FSizingFixedRow) = i;
                    break;
                }
            }
        }
        return;
    }
    const bool fixedNormal = !fixedArea && IsFixed(ACol, ARow);
    if (fixedArea || fixedNormal) {
        HideInplaceEdit();
        if (FixedAsButtons && Options().Contains(goFixedVertLine) && Options().Contains(goFixedHorzLine) &&
            !(IsNode(ARow) && IsInNodeButton(ARow, X))) {
            FPushedFixedCell = CellR;
            FCellButtonPushed = TPoint(ACol, ARow);
            FFixedCellPushed = true;
            RepaintCell(ACol, ARow);
        }
    }
    const int RealCol = RealColIndex(ACol);
    if (!FDesigning) {
        if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(ACol, ARow) && X > CellR.Right - 18) {
            if (Y > (CellR.Bottom - CellR.Top) / 2 + CellR.Top) FSpinDnClick = true;
            else FSpinUpClick = true;
        }
        if (ACol == 0 && IsNode(ARow) && IsInNodeButton(ARow, X)) {
            if (ARow < FixedRows() && FMouseActions->NodeAllExpandContract()) {
                TCellGraphic* g = GetCellGraphic(0, ARow);
                if (g->CellBoolean()) ExpandAll();
                else ContractAll();
                g->SetCellBoolean(!g->CellBoolean());
            } else if (ARow >= FixedRows()) {
                if (OnMouseDown) OnMouseDown(this, mbLeft, shift, X, Y);
                if (OnClickCell) OnClickCell(this, ARow, ACol);
                const int rr = RealRowIndex(ARow);
                bool ok = true;
                if (!GetNodeState(ARow)) {
                    if (OnBeforeContractNode) OnBeforeContractNode(this, ARow, rr, ok);
                    if (ok) {
                        ContractNode(rr);
                        if (OnContractNode) OnContractNode(this, ARow, rr);
                    }
                } else {
                    if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, rr, ok);
                    if (ok) {
                        ExpandNode(rr);
                        if (OnExpandNode) OnExpandNode(this, ARow, rr);
                    }
                }
                if (FMouseActions->MoveRowOnNodeClick()) SetRow(ARow);
                return;
            }
        }
        if (IsRadio(RealCol, ARow) && (IsEditable(RealCol, ARow) || FControlLook->RadioAlwaysActive())) {
            HideInplaceEdit();
            RadioGroupClick(RealCol, ARow, X - CellR.Left, Y - CellR.Top);
            if (CanFocus()) SetFocus();
            return;
        }
        if (ACol == 0 && ARow >= FixedRows() && HasNodes() && !FMouseActions->RowSelect() &&
            !Options().Contains(goRowSizing)) {
            if (OnMouseDown) OnMouseDown(this, mbLeft, shift, X, Y);
            if (OnClickCell) OnClickCell(this, ARow, ACol);
            return;
        }
        if ((IsSelected(ACol, ARow) || (ARow < FixedRows() && !FEnhRowColMove)) && !Options().Contains(goEditing) &&
            !HasButton(RealCol, ARow) && !HasCheckBox(RealCol, ARow) && FDragDropSettings->OleDropSource() &&
            !((FMouseActions->ColSelect() || FMouseActions->AllSelect()) && ARow < FixedRows()) &&
            ACol >= FixedCols() &&
            ((X > CellR.Left + 3 && X < CellR.Right - 3) || !Options().Contains(goColSizing))) {
            if (CanFocus()) SetFocus();
            if (OnMouseDown) OnMouseDown(this, mbLeft, shift, X, Y);
            FSelectionClick = true;
            if (OnClickCell) OnClickCell(this, ARow, ACol);
            return;
        }
    }
    if (HasRating(RealCol, ARow) && IsEditable(RealCol, ARow)) {
        HideInplaceEdit();
        double value = int((X - CellR.Left) / 9.0) / 2.0;
        if (RatingChange(RealCol, ARow, value)) {
            SetFloats(RealCol, ARow, value);
            RepaintCell(ACol, ARow);
        }
        return;
    }
    auto pressButton = [&](const TRect& BR, bool Expand) {
        HideInplaceEdit();
        if (!IsFixed(ACol, ARow)) {
            FForceSel = true;
            if (SelectCell(ACol, ARow)) MoveColRow(ACol, ARow, true, true);
            FForceSel = false;
        }
        if (X >= BR.Left && X < BR.Right && Y >= BR.Top && Y < BR.Bottom) {
            if (!Expand) PushButton(ACol, ARow, true);
            FCellButtonPushed = TPoint(ACol, ARow);
            SetMouseCapture(true);
            if (OnClickCell) OnClickCell(this, ARow, ACol);
            return true;
        }
        return false;
    };
    if (HasButton(RealCol, ARow) && pressButton(GetCellGraphicRect(ACol, ARow), false)) return;
    if (HasExpand(RealCol, ARow) && pressButton(GetExpandRect(ACol, ARow), true)) return;
    if (IsMergedCell(ACol, ARow) && !IsFixed(ACol, ARow) && !OnMouseDown) {
        // Inside the area's base cell, which a right-to-left grid shows at the area's right.
        X = UseRightToLeftAlignment() ? CellR.Right - 3 : CellR.Left + 2;
        Y = CellR.Top + 2;
        Message.LParam = MAKELPARAM(unsigned(X) & 0xFFFF, unsigned(Y) & 0xFFFF);
    }
    if (ACol >= ColCount() || ARow >= RowCount()) {
        InheritedMessage(Message);
        return;
    }
    {
        const TRect cc = Colclicked >= 0 && Rowclicked >= 0 ? CellRect(Colclicked, Rowclicked) : TRect();
        Clickposdx = Clickposx - cc.Left;
        Clickposdy = Clickposy - cc.Top;
    }
    if (FMouseActions->DisjunctRowSelect() && ARow >= FixedRows() && (ACol > 0 || !FMouseActions->HotmailRowSelect())) {
        if (KeyIsDown(VK_SHIFT)) {
            InheritedMessage(Message);
            SetSelection(TGridRect(std::min(ACol, oldSel.Left), std::min(ARow, oldSel.Top),
                                   std::max(ACol, oldSel.Left), std::max(ARow, oldSel.Top)));
            return;
        }
        const int rr = FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
        if ((ctrl || FMouseActions->DisjunctRowSelectNoCtrl()) && RowSelect(rr)) {
            FDeselectState = true;
        } else {
            FMouseDown = true;
            if (!KeyIsDown(VK_MENU) && !ctrl && !FMouseActions->DisjunctRowSelectNoCtrl()) ClearRowSelect();
        }
    }
    if (FMouseActions->DisjunctColSelect() && ACol >= FixedCols()) {
        if (ctrl && ColSelect(ACol)) {
            FDeselectState = true;
        } else {
            FMouseDown = true;
            if (!ctrl) ClearColSelect();
        }
    }
    // Anchors and form controls: a plain text that is itself a link, or the cell's HTML.
    const QString cellText = Cells(RealCol, ARow);
    const bool isHtml = GetCellTextKind(cellText, true) == 1;
    if (FURLShow || isHtml) {
        if (!isHtml && ContainsURL(cellText)) {
            FollowAnchor(ACol, ARow, cellText);
            return;
        }
        if (isHtml && HTMLControlPress(ACol, ARow, RealCol, pressCol, pressRow, X, Y)) return;
    }
    Movecell = -1;
    if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions->AllSelect() &&
        Options().Contains(goRangeSelect) && FMouseSelectMode == msAll) {
        if (CanFocus()) SetFocus();
        ExportNotification(esExportStart, -1);
        ExportNotification(esExportNewRow, RowCount() - 1);
        ExportNotification(esExportFail, -1);
        HideSelection();
        MouseSelectAll();
        SetSelection(TGridRect(FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1));
        FSelHidden = false;
        DoExit();
        return;
    }
    if (ACol < FixedCols() && ARow >= FixedRows() && FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
        if (EditMode && CanFocus()) SetFocus();
        HideSelection();
        if (FMouseActions->DisjunctCellSelect()) FSelectedCells->Clear();
        const int from = KeyIsDown(VK_SHIFT) ? std::min(ARow, oldSel.Top) : ARow;
        const int to = KeyIsDown(VK_SHIFT) ? std::max(ARow, oldSel.Top) : ARow;
        SetSelection(TGridRect(FixedCols(), from, ColCount() - 1, to));
        FSelHidden = false;
        DoExit();
        FMouseSelectStart = ARow;
        RepaintCol(0);
        return;
    }
    if (ARow < FixedRows() && ACol >= FixedCols() && FMouseActions->ColSelect() &&
        Options().Contains(goRangeSelect) && FMouseSelectMode == msColumn) {
        if (CanFocus()) SetFocus();
        HideSelection();
        if (FMouseActions->DisjunctCellSelect()) FSelectedCells->Clear();
        int from = ACol, to = ACol;
        if (KeyIsDown(VK_SHIFT)) {
            if (ACol < oldSel.Left) to = oldSel.Right;
            else from = oldSel.Left;
        }
        SetSelection(TGridRect(from, FixedRows(), to, RowCount() - 1));
        FSelHidden = false;
        DoExit();
        FMouseSelectStart = ACol;
        return;
    }
    if (ARow < FixedRows() && ACol >= FixedCols()) Movecell = ACol;
    else if (ACol < FixedCols() && ARow >= FixedRows()) Movecell = ARow;
    MoveOfsX = X - CellR.Left;
    MoveOfsY = Y - CellR.Top;

    if (CheckBoxPress(ACol, ARow, RealCol, X, Y)) return;

    bool editable = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CanEdit(RealCol, ARow, editable);
    const bool normal = ARow >= FixedRows() && ACol >= FixedCols();
    const bool comboCell = normal && FControlLook->DropDownAlwaysVisible() && HasComboBox(RealCol, ARow);
    if (normal && (editable || (FMouseActions->EditOnDblClickOnly() && comboCell)) &&
        (FMouseActions->DirectEdit() || (FControlLook->DropDownAlwaysVisible() && comboCell))) {
        HideInplaceEdit();
        if (CanFocus()) SetFocus();
    }
    const bool onCurrent = Selection() == TGridRect(ACol, ARow, ACol, ARow);
    bool editingOff = false;
    if (!onCurrent && FMouseActions->RangeSelectAndEdit() && !IsFixed(ACol, ARow) && !editable &&
        Options().Contains(goEditing)) {
        SetOptions(Options() - TGridOptions(goEditing));
        editingOff = true;
    }
    if (fixedNormal) {
        if (!(FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow &&
              ARow == RowCount() - 1) && OnClickCell)
            OnClickCell(this, ARow, ACol);
        return;
    }
    const bool edgeCell = ARow == TopRow() + VisibleRowCount() || ACol == LeftCol() + VisibleColCount() ||
                          (ACol == LeftCol() && LeftCol() > FixedCols());
    const bool keepLeft = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
    if (keepLeft) BeginUpdate();
    if (!FSelHidden) {
        const bool alwaysEdit = FNavigation->AlwaysEdit();
        FNavigation->SetAlwaysEdit(false);
        const int top = TopRow();
        InheritedMessage(Message);
        FNavigation->SetAlwaysEdit(alwaysEdit);
        if (GridState() == gsSelecting && edgeCell && FMouseActions->NoAutoRangeScroll()) SetGridState(gsNormal);
        if (top != TopRow() && FMouseActions->NoScrollOnPartialRow()) {
            SetTopRow(top);
            SendMessage(this, WM_LBUTTONUP, 0, 0);
        }
    }
    if (keepLeft) {
        SetLeftCol(FOldKeepLeftCol);
        EndUpdate();
    }
    const bool sizingGrab = ARow < FixedRows() && Options().Contains(goColSizing) &&
                            (X - CellR.Left < 4 || CellR.Right - X < 4);
    if (!sizingGrab && OnClickCell) OnClickCell(this, ARow, ACol);
    if (CellValidateAssigned()) {
        FEntered = false;
        StoreOldCell(Col(), Row());
    }
    if (IsMergedCell(ACol, ARow) && !IsFixed(ACol, ARow) && (onCurrent || FMouseActions->DirectEdit()) && editable)
        ShowInplaceEdit();
    if (X - CellR.Left >= 4 && CellR.Right - X >= 4 && normal &&
        (editable || (FMouseActions->EditOnDblClickOnly() && comboCell)) &&
        (FMouseActions->DirectEdit() || (FControlLook->DropDownAlwaysVisible() && comboCell)) &&
        !HasClickControl(RealCol, ARow)) {
        if (FMouseActions->EditOnDblClickOnly() && comboCell && !Options().Contains(goEditing)) {
            SetOptions(Options() | goEditing);
            if (CanFocus()) SetFocus();
        }
        bool ok = true;
        if (Row() != ARow && OnRowChanging) OnRowChanging(this, Row(), ARow, ok);
        if (Col() != ACol && OnColChanging) OnColChanging(this, Col(), ACol, ok);
        if ((Col() != ACol || Row() != ARow) && OnCellChanging) OnCellChanging(this, Row(), Col(), ARow, ACol, ok);
        if (ok) {
            FocusCell(ACol, ARow);
            StoreOldCell(Col(), Row());
            ShowEditor();
        }
    }
    if (editingOff) SetGridState(gsSelecting);
}

// ============================================================ MouseDown override

void TKvStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (Button == mbLeft && FMouseActions->RangeSelectAndEdit() && !FMouseActions->EditOnDblClickOnly()) {
        if (ACol == Col() && ARow == Row() && !Options().Contains(goEditing)) {
            SetOptions(Options() | goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            if (IsEditable(RealColIndex(ACol), ARow)) ShowInplaceEdit();
            return;
        }
        if (Shift.Contains(ssShift) && (ACol != Col() || ARow != Row()) && Options().Contains(goEditing)) {
            SetOptions(Options() - TGridOptions(goEditing));
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            return;
        }
    }
    if (ACol >= 0 && ARow >= 0 && IsHoverFixedCell(ACol, ARow) && FControlLook->FixedDropDownButton()) {
        const TRect R = CellRect(ACol, ARow);
        const int right = Options().Contains(goColSizing) ? R.Right - 2 : R.Right;
        if (X >= R.Right - 16 && X < right) {
            FDropDownDown = true;
            TPopupMenu* menu = FixedDropDownMenu;
            if (menu || OnFixedDropDownClick) {
                FNoMouseLeave = true;
                bool keep = false;
                if (menu) menu->Tag = ACol;
                if (OnFixedDropDownClick) OnFixedDropDownClick(this, ACol, ARow, menu, keep);
                if (menu) {
                    FMouseDownMove = false;
                    FHoverFixedCell = TPoint(ACol, ARow);
                    RepaintCell(ACol, ARow);
                    const TPoint p = ClientToScreen(TPoint(R.Right - 16, R.Bottom));
                    menu->Popup(p.X, p.Y);
                    FHoverFixedCell = TPoint(-1, -1);
                    RepaintCell(ACol, ARow);
                }
                FNoMouseLeave = keep;
            }
            return;
        }
    }
    if (ACol >= 0 && ARow == FixedRows() - 1 && IsHoverFixedCell(ACol, ARow) &&
        FControlLook->FixedGradientDownTo() != clNone)
        RepaintCell(ACol, ARow);
    FEditStart = true;
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    FEditStart = false;
    if (Shift.Contains(ssShift) && FSelectionRectangle) InvalidateRect(Selection());
    if (ACol >= 0 && ARow >= 0 && (ARow < FixedRows() || ACol < FixedCols())) {
        const TRect R = CellRect(ACol, ARow);
        const bool nearBorder = X - R.Left < 4 || R.Right - X < 4;
        const bool nearRowBorder = Y - R.Top < 4 || R.Bottom - Y < 4;
        const TGridFixedCellEdit rows = FMouseActions->FixedRowsEdit(), cols = FMouseActions->FixedColsEdit();
        if (Button == mbLeft && ARow < FixedRows() && rows == fceLeftClick &&
            !(Options().Contains(goColSizing) && nearBorder)) {
            StartFixedCellEdit(ACol, ARow);
            return;
        }
        if (Button == mbLeft && ACol < FixedCols() && cols == fceLeftClick &&
            !(Options().Contains(goRowSizing) && nearRowBorder)) {
            StartFixedCellEdit(ACol, ARow);
            return;
        }
        if (Button == mbRight && ((ARow < FixedRows() && rows == fceRightClick) ||
                                  (ACol < FixedCols() && cols == fceRightClick))) {
            StartFixedCellEdit(ACol, ARow);
            return;
        }
    }
    if (TKvStringGrid* g = FSyncGrid->Grid(); g && g != this) {
        if (FSyncGrid->SelectionColumn() && Col() < g->ColCount()) g->SetCol(Col());
        if (FSyncGrid->SelectionRow() && Row() < g->RowCount()) g->SetRow(Row());
    }
}

// ============================================================ right button

void TKvStringGrid::WMRButtonDown(TMessage& Message)
{
    InheritedMessage(Message);
    const int X = GET_X_LPARAM(Message.LParam), Y = GET_Y_LPARAM(Message.LParam);
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool valid = ACol >= 0 && ARow >= 0;
    if (FMouseActions->SelectOnRightClick() && valid && !IsFixed(ACol, ARow) &&
        !(FMouseActions->DisjunctCellSelect() && IsSelected(ACol, ARow))) {
        if (!HasClickControl(RealColIndex(ACol), ARow)) {
            if (OnRightClickCell) {
                FocusCell(ACol, ARow);
            } else if (!(FMouseActions->DisjunctRowSelect() && RowSelectCount() > 1 && PopupMenu() &&
                         RowSelect(ARow))) {
                TBaseGrid::MouseDown(mbLeft, TShiftState(), X, Y);
                TBaseGrid::MouseUp(mbLeft, TShiftState(), X, Y);
            }
        }
        if (IsSelected(ACol, ARow)) {
            bool can = true;
            if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
        } else {
            const TPoint b = BaseCell(ACol, ARow);
            const int left = LeftCol();
            MoveColRow(b.X, b.Y, true, true);
            if (FNavigation->KeepHorizScroll()) SetLeftCol(left);
        }
        if (FMouseActions->DisjunctRowSelect()) {
            if (KeyIsDown(VK_CONTROL) || FMouseActions->DisjunctRowSelectNoCtrl()) {
                SetRowSelect(ARow, !RowSelect(ARow));
            } else if (RowSelectCount() > 1 && PopupMenu()) {
                if (!RowSelect(ARow)) {
                    ClearRowSelect();
                    SetRowSelect(ARow, true);
                }
            } else {
                ClearRowSelect();
                SetRowSelect(ARow, true);
            }
        }
    }
    if (valid && OnRightClickCell) OnRightClickCell(this, ARow, ACol);
    if (valid && FURLShow && FNavigation && ContainsURL(Cells(RealColIndex(ACol), ARow)) && URLEdit) {
        MoveColRow(ACol, ARow, true, true);
        ShowInplaceEdit();
    }
}

// The grid's keyboard: the key-down, character and key-up messages that run
// before the stock key handling, the key press with its incremental search,
// and the KeyDown/KeyUp overrides after the stock movement. A key handler that
// swallows a key sets the message's key code to 0 and answers 1.
#include "grid/kv_string_grid.h"
#include "grid_input/grid_input_state.h"

#include "grid/grid_text.h"
#include "grid/grid_chrome.h"
#include "grid/html_markup.h"
#include "platform/ui/forms.h"

#include <algorithm>

using KvGridInput::CellEntry;
using KvGridInput::KeyIsDown;

namespace {

bool HasControlTag(const QString& Text)
{
    return GetCellTextKind(Text, true) == 1 && Text.toUpper().contains(QStringLiteral("<CONTROL"));
}

bool IsArrowOrPage(WORD Key) { return Key >= VK_PRIOR && Key <= VK_DOWN; }
} // namespace

bool TKvStringGrid::DispatchMessageHandlers(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN: WMKeyDown(Message); return true;
    case WM_CHAR: WMChar(Message); return true;
    case WM_KEYUP: WMKeyUp(Message); return true;
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return true;
    case WM_LBUTTONUP: WMLButtonUp(Message); return true;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return true;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); return true;
    case WM_RBUTTONUP: WMRButtonUp(Message); return true;
    case WM_SETCURSOR: WMSetCursor(Message); return true;
    case CM_DIALOGCHAR: CMDialogChar(Message); return true;
    case CM_HINTSHOW:
        if (auto* info = reinterpret_cast<THintInfo*>(Message.LParam)) PrepareCellHint(info->HintStr, *info);
        Message.Result = 0;
        return true;
    case CM_ENABLEDCHANGED:
        InheritedMessage(Message);
        Invalidate();
        return true;
    case CM_COLORCHANGED:
        InheritedMessage(Message);
        if (FFloatingFooter->Visible()) FFloatingFooter->Invalidate();
        return true;
    case CM_CURSORCHANGED: CMCursorChanged(Message); return true;
    case CM_STYLECHANGED:
        InheritedMessage(Message);
        ApplyVCLStyle();
        return true;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return true;
    default: return false;
    }
}

bool TKvStringGrid::EditorHasFocus()
{
    const TInplaceEdit* e = InplaceEditor();
    return e && e->Visible() && e->Focused();
}

// ============================================================ helpers

bool TKvStringGrid::IsTabStopCell(int ACol, int ARow)
{
    bool can = Options().Contains(goEditing) ? IsEditable(RealColIndex(ACol), ARow) : !IsFixed(ACol, ARow);
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

int TKvStringGrid::FirstTabStopCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (IsTabStopCell(c, ARow)) return c;
    return -1;
}

int TKvStringGrid::LastTabStopCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (IsTabStopCell(c, ARow)) return c;
    return -1;
}

bool TKvStringGrid::IsLastNormalRow()
{
    return Row() + 1 == RowCount() - FFixedFooters || (FFloatingFooter->Visible() && Row() + 2 == RowCount());
}

void TKvStringGrid::AutoAppendRow()
{
    bool allow = true;
    CanAddRow(allow);
    if (!allow) return;
    // Cleared objects are detached, not freed: they may belong to the footer.
    auto clearRow = [this](int r) {
        for (int c = 0; c < AllColCount(); ++c) {
            TStringGrid::SetCells(c, r, QString());
            TStringGrid::SetObjects(c, r, nullptr);
        }
    };
    if (FFloatingFooter->Visible()) {
        std::vector<QString> last;
        for (int c = 0; c < AllColCount(); ++c) last.push_back(TStringGrid::Cells(c, RowCount() - 1));
        AppendRow();
        clearRow(RowCount() - 2);
        for (int c = 0; c < AllColCount(); ++c) TStringGrid::SetCells(c, RowCount() - 1, last[size_t(c)]);
    } else {
        AppendRow();
        clearRow(RowCount() - 1);
    }
    if (FFloatingFooter->Visible() || FFixedFooters > 0) SetRow(Row() + 1);
    if (FFloatingFooter->Visible()) CalcFooter(-1);
    if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
}

void TKvStringGrid::SimulateCellClick(int ACol, int ARow)
{
    const TRect R = CellRect(ACol, ARow);
    FForceSel = true;
    auto down = std::move(OnMouseDown);
    auto up = std::move(OnMouseUp);
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    TBaseGrid::MouseDown(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
    TBaseGrid::MouseUp(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
    OnMouseDown = std::move(down);
    OnMouseUp = std::move(up);
    FForceSel = false;
}

// ============================================================ key-down message

void TKvStringGrid::KeyRowSelect(bool Shift, int OldRow)
{
    if (!Shift) {
        if (FMouseActions->DisjunctRowSelect()) {
            ClearRowSelect();
            SelectionToRowSelect(false);
        }
        return;
    }
    SetSelection(TGridRect(0, std::min(OldRow, Row()), ColCount() - 1, std::max(OldRow, Row())));
    if (FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(true);
}

void TKvStringGrid::KeyKeepLeft(int OldLeft)
{
    if (!Options().Contains(goRowSelect) || !FNavigation->KeepHorizScroll()) return;
    StartUpdate();
    SetLeftCol(OldLeft);
    ResetUpdate();
}

// The Home and End rules; false when the key takes the general path.
bool TKvStringGrid::HomeEndKey(WORD Key, TShiftState Shift, int OldLeft)
{
    const THomeEndAction mode = FNavigation->HomeEndKey();
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    const bool oneRowInherited = FFixedRowAlways && RowCount() == 1;
    const bool rowSel = Options().Contains(goRowSelect);
    const int oldRow = Row();
    if (Key == VK_HOME) {
        if (mode == heFirstLastCell && !ctrl) {
            FocusCell(FixedCols(), FixedRows());
            MoveToBaseCell();
        } else if (mode == heFirstLastRow && !ctrl && !oneRowInherited) {
            SetRow(FixedRows());
            MoveToBaseCell();
            KeyRowSelect(shift, oldRow);
            KeyKeepLeft(OldLeft);
        } else if (mode == heFirstLastColumn && ctrl) {
            SetRow(FixedRows());
            const int c = FirstTabStopCol(Row());
            if (c >= 0) SetCol(c);
            MoveToBaseCell();
            SetLeftCol(std::min(FirstDataCol(), std::max(ColCount() - 1, 0)));
        } else if (mode == heFirstLastColumn && !ctrl && !rowSel && !oneRowInherited) {
            if (shift) {
                SetSelection(TGridRect(FixedCols(), Row(), Col(), Row()));
                RepaintRow(Row());
            } else {
                const int c = FirstTabStopCol(Row());
                if (c >= 0) SetCol(c);
                MoveToBaseCell();
                SetLeftCol(std::min(FirstDataCol(), std::max(ColCount() - 1, 0)));
            }
        } else {
            return false;
        }
        return true;
    }
    if (mode == heFirstLastCell && !ctrl) {
        FocusCell(ColCount() - 1, RowCount() - 1);
        MoveToBaseCell();
    } else if (mode == heFirstLastRow && !ctrl && !oneRowInherited) {
        const bool floating = FFloatingFooter->Visible();
        SetRow(floating && RowCount() > 2 ? RowCount() - 2 : RowCount() - 1 - FFixedFooters);
        if (FFixedFooters > 0 && !floating) SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
        MoveToBaseCell();
        KeyRowSelect(shift, oldRow);
        if (floating) SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
        KeyKeepLeft(OldLeft);
    } else if (mode == heFirstLastColumn && !ctrl && !rowSel && !oneRowInherited) {
        if (shift) {
            SetSelection(TGridRect(Col(), Row(), ColCount() - FFixedRightCols - 1, Row()));
            RepaintRow(Row());
        } else {
            SetCol(ColCount() - 1);
            MoveToBaseCell();
            SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
        }
    } else {
        return false;
    }
    return true;
}

void TKvStringGrid::ToggleClickControlKey(WORD Key, int RCol)
{
    bool editable = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CanEdit(RCol, Row(), editable);
    if (Key == VK_SPACE && HasCheckBox(RCol, Row()) && (editable || FControlLook->CheckAlwaysActive())) {
        ToggleCellCheck(RCol, Row(), true);
        if (FShowModified->Enabled()) {
            SetRowModified(Row(), true);
            RepaintCell(0, Row());
        }
        bool state = false;
        GetCheckBoxState(RCol, RealRowIndex(Row()), state);
        CheckBoxClick(RCol, Row(), state);
    } else if (Key == VK_SPACE && IsRadio(RCol, Row()) && (editable || FControlLook->RadioAlwaysActive())) {
        SelectNextRadio(RCol, Row(), true);
        int idx = -1;
        GetRadioIdx(RCol, Row(), idx);
        if (OnRadioClick) OnRadioClick(this, RCol, Row(), idx);
    } else if (Key == VK_SPACE && HasRadioButton(RCol, Row()) && (editable || FControlLook->RadioAlwaysActive())) {
        SetRadioButtonColumnIndex(RCol, Row());
        if (OnRadioButtonClick) OnRadioButtonClick(this, RCol, Row());
    } else if (HasButton(RCol, Row()) && editable) {
        ButtonClick(RCol, Row());
    }
    RepaintCell(Col(), Row());
}

// A move onto fixed cells jumps over the whole run of them; true when it applied.
bool TKvStringGrid::SkipFixedCellsKey(WORD Key)
{
    const bool rtl = UseRightToLeftAlignment();
    const bool rowSel = Options().Contains(goRowSelect);
    WORD k = Key;
    if (rtl && k == VK_LEFT) k = VK_RIGHT;
    else if (rtl && k == VK_RIGHT) k = VK_LEFT;
    if (k == VK_LEFT && Col() > FixedCols()) {
        int c = Col() - 1;
        if (!IsFixed(c, Row())) return false;
        while (c >= FixedCols() && IsFixed(c, Row())) --c;
        if (c >= FixedCols()) SetCol(c);
        return true;
    }
    if (k == VK_RIGHT && Col() < ColCount() - FFixedRightCols - 1) {
        int c = Col() + 1;
        if (!IsFixed(c, Row())) return false;
        while (c <= ColCount() - FFixedRightCols - 1 && IsFixed(c, Row())) ++c;
        if (c <= ColCount() - FFixedRightCols - 1) SetCol(c);
        return true;
    }
    if (k == VK_UP && Row() > FixedRows() && !rowSel) {
        int r = Row() - 1;
        if (!IsFixed(Col(), r)) return false;
        while (r >= FixedRows() && IsFixed(Col(), r)) --r;
        if (r >= FixedRows()) SetRow(r);
        return true;
    }
    if (k == VK_DOWN && !rowSel && Row() < RowCount() - FFixedFooters && Row() + 1 < RowCount()) {
        int r = Row() + 1;
        if (!IsFixed(Col(), r)) return false;
        while (r < RowCount() - FFixedFooters && IsFixed(Col(), r)) ++r;
        if (r < RowCount() - FFixedFooters) SetRow(r);
        return true;
    }
    return false;
}

void TKvStringGrid::InsertRowKey()
{
    bool allow = true;
    CanInsertRow(Row(), allow);
    if (!allow) return;
    const int realRow = RealRowIndex(Row());
    int target = Row();
    const bool filter = FilterActive();
    SetFilterActive(false);
    if (realRow < RowCount()) SetRow(realRow);
    int at = 0;
    if (FNavigation->InsertPosition() == pInsertAfter) {
        if (FFixedRowAlways && FixedRows() == RowCount()) {
            at = RealRowIndex(Row());
            target = 1;
        } else {
            at = RealRowIndex(Row() + 1);
            if (at < RowCount()) ++target;
        }
    } else {
        at = RealRowIndex(Row());
    }
    InsertGridRow(at);
    if (OnAutoInsertRow) OnAutoInsertRow(this, at);
    SetModified(true);
    SetFilterActive(filter);
    if (target < RowCount()) SetRow(target);
    CalcFooter(-1);
}

void TKvStringGrid::DeleteRowKey()
{
    if (RowCount() - FFixedFooters - FixedRows() < 1) return;
    const int realRow = RealRowIndex(Row());
    const bool filter = FilterActive();
    SetFilterActive(false);
    bool allow = true;
    if (OnCanDeleteRow) OnCanDeleteRow(this, realRow, allow);
    if (allow) {
        const bool wasLast = Row() == RowCount() - 1;
        DeleteGridRow(realRow);
        if (FFloatingFooter->Visible() && wasLast && RowCount() >= 2) SetRow(RowCount() - 2);
        StoreOldCell(Col(), Row());
        SetModified(true);
        CalcFooter(-1);
    }
    SetFilterActive(filter);
}

void TKvStringGrid::SelectAllKey()
{
    const TGridRect r(FirstDataCol(), FixedRows(), ColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
    if (r.Right < r.Left || r.Bottom < r.Top) return;
    if (FMouseActions->DisjunctRowSelect())
        for (int i = r.Top; i <= r.Bottom; ++i) SetRowSelect(i, true);
    KeySelectAll();
    SetSelection(r);
    FocusCell(r.Right, r.Bottom);
    const TRect c = CellRect(r.Right, r.Bottom);
    MouseDown(mbLeft, TShiftState(), c.Left + 2, c.Top + 2);
    MouseUp(mbLeft, TShiftState(), c.Left + 2, c.Top + 2);
    FocusCell(r.Right, r.Bottom);
    SetSelection(r);
}

void TKvStringGrid::WMKeyDown(TMessage& Message)
{
    const WORD key = WORD(Message.WParam);
    const TShiftState shift = KvGridInput::KeyboardShift(true);
    FMoveSelection = Selection();
    const int oldLeft = LeftCol();
    const int rcol = RealColIndex(Col());
    const bool rowSel = Options().Contains(goRowSelect);
    const bool keepLeft = (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) && rowSel &&
                          oldLeft != FixedCols() && FNavigation->KeepHorizScroll();
    auto swallow = [&] {
        WORD k = key;
        if (OnKeyDown) OnKeyDown(this, k, shift);
        Message.WParam = 0;
        Message.Result = 1;
    };
    auto fireKeyDown = [&] {
        WORD k = key;
        if (OnKeyDown) OnKeyDown(this, k, shift);
    };

    // Scrolling only: the current cell stays.
    if (FNavigation->MoveScrollOnly() &&
        (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_UP || key == VK_DOWN)) {
        const int vis = VisibleRowCount();
        switch (key) {
        case VK_PRIOR: SetTopRow(vis + FixedRows() < TopRow() ? TopRow() - vis : FixedRows()); break;
        case VK_NEXT: if (TopRow() + vis < RowCount()) SetTopRow(std::min(TopRow() + vis, RowCount() - vis)); break;
        case VK_END: SetTopRow(std::max(FixedRows(), RowCount() - vis)); break;
        case VK_HOME: SetTopRow(FixedRows()); break;
        case VK_UP: if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1); break;
        case VK_DOWN: if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + 1); break;
        default: break;
        }
        Message.Result = 1;
        return;
    }
    const bool enterF2 = key == VK_RETURN || key == VK_F2;
    if (enterF2 && FMouseActions->EditOnDblClickOnly() && !Options().Contains(goEditing)) {
        const bool was = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        const bool editable = IsEditable(rcol, Row());
        FMouseActions->SetRangeSelectAndEdit(was);
        if (editable) SetOptions(Options() | goEditing);
    }
    if (enterF2 && FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) {
        if (!IsEditable(rcol, Row())) {
            swallow();
            return;
        }
        SetOptions(Options() | goEditing);
        ShowInplaceEdit();
    }
    if (key == 'F' && shift.Contains(ssCtrl) && FSearchFooter->Visible() && FSearchPanel && FSearchPanel->EditControl())
        FSearchPanel->EditControl()->SetFocus();
    if (enterF2) {
        if (Options().Contains(goEditing) && !IsEditable(rcol, Row())) {
            swallow();
            return;
        }
        if (HasControlTag(Cells(rcol, Row()))) {
            Message.Result = 1;
            return;
        }
    }
    if (key == VK_RETURN && !IsEditable(rcol, Row())) {
        TCustomForm* form = FindParentForm(this);
        if (form && form->KeyPreview()) InheritedMessage(Message);
        else swallow();
        return;
    }
    if ((key == VK_RETURN || key == VK_SPACE) && HasClickControl(rcol, Row())) ToggleClickControlKey(key, rcol);

    if ((key == VK_HOME || key == VK_END) && HomeEndKey(key, shift, oldLeft)) {
        fireKeyDown();
        Message.Result = 0;
        return;
    }

    // ---- general path
    if ((key == VK_RIGHT || key == VK_LEFT) && IsNode(Row()) && IsMergedCell(Col(), Row())) {
        if (key == VK_RIGHT) ExpandNode(RealRowIndex(Row()));
        else ContractNode(RealRowIndex(Row()));
    }
    if (rowSel && !IsNode(Row()) && ColCount() > VisibleColCount() && (key == VK_LEFT || key == VK_RIGHT)) {
        auto scroll = [&] {
            if (key == VK_LEFT && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
            if (key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
        };
        if (FNavigation->LeftRightRowSelect()) {
            if (shift.Contains(ssCtrl)) scroll();
        } else {
            scroll();
            fireKeyDown();
            Message.Result = 0;
            return;
        }
    }
    if (key == VK_TAB && Options().Contains(goTabs)) {
        TabToNextCell(shift.Contains(ssShift));
        const TGridRect s = Selection();
        if (!(s == FMoveSelection)) SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
        return;
    }
    if (FNavigation->SkipFixedCells() && (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) &&
        SkipFixedCellsKey(key)) {
        swallow();
        Message.Result = 0;
        return;
    }
    if (FNavigation->AppendOnArrowDown() && key == VK_DOWN && IsLastNormalRow()) AutoAppendRow();
    if (FSelectionRectangle && !(Selection() == FMoveSelection)) {
        InvalidateRect(Selection());
        FMoveSelection = Selection();
    }
    const bool footer = FSearchFooter->Visible();
    const bool lastRow = Row() == RowCount() - 1;
    const bool moveKey = key == VK_SHIFT || key == VK_MENU || IsArrowOrPage(key);
    bool bracket = false;
    if (footer && TopRow() >= RowCount() - VisibleRowCount()) {
        if ((key == VK_DOWN && lastRow) || (key == VK_RIGHT && lastRow && Col() == ColCount() - 1) ||
            (key == VK_LEFT && lastRow && Col() == FixedCols())) {
            if (key == VK_DOWN) KeepLastRowAboveSearchPanel();
            fireKeyDown();
            Message.Result = 1;
            return;
        }
    }
    const bool footerStep = (key == VK_NEXT || key == VK_END || key == VK_LEFT || key == VK_RIGHT ||
                             key == VK_DOWN) && lastRow;
    if (footer && (footerStep || !moveKey)) {
        BeginUpdate();
        bracket = true;
    }
    if (keepLeft) BeginUpdate();
    const int topBefore = TopRow();
    InheritedMessage(Message);
    if (footer) {
        if (TopRow() >= RowCount() - VisibleRowCount() && !moveKey) SetTopRow(topBefore);
        if (bracket) EndUpdate();
        if (footerStep && FSearchPanel) {
            // One row at a time while the current cell lies under the panel; a
            // view that cannot scroll further ends the loop.
            const int limit = ClientHeight() - FSearchPanel->Height() + 2;
            while (CellRect(Col(), Row()).Bottom > limit) {
                const int top = TopRow();
                SetTopRow(top + 1);
                if (TopRow() == top) break;
            }
        }
    }
    if (keepLeft) {
        SetLeftCol(oldLeft);
        EndUpdate();
    }

    // Clipboard shortcuts.
    if (FNavigation->AllowClipboardShortcuts()) {
        auto run = [this](const std::function<void(TObject*, bool&)>& Event, void (TKvStringGrid::*Action)()) {
            bool allow = true;
            if (Event) Event(this, allow);
            if (allow) (this->*Action)();
        };
        const bool ctrl = shift.Contains(ssCtrl), sh = shift.Contains(ssShift);
        if (ctrl && key == 'X') { run(OnClipboardCut, &TKvStringGrid::CutSelectionToClipboard); return; }
        if (ctrl && key == 'V') { run(OnClipboardPaste, &TKvStringGrid::PasteSelectionFromClipboard); return; }
        if (ctrl && (key == VK_INSERT || key == 'C')) {
            run(OnClipboardCopy, &TKvStringGrid::CopySelectionToClipboard);
            return;
        }
        if (sh && key == VK_INSERT) { run(OnClipboardPaste, &TKvStringGrid::PasteSelectionFromClipboard); return; }
        if (sh && key == VK_DELETE) { run(OnClipboardCut, &TKvStringGrid::CutSelectionToClipboard); return; }
    }
    const bool anyAlt = KeyIsDown(VK_MENU);
    auto notifySelection = [this] {
        const TGridRect s = Selection();
        if (!(s == FMoveSelection)) {
            SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
            FMoveSelection = s;
        }
    };
    if (key == VK_INSERT && !shift.Contains(ssCtrl) && !shift.Contains(ssShift) && !anyAlt &&
        FNavigation->AllowInsertRow()) {
        InsertRowKey();
        notifySelection();
        return;
    }
    if (key == 'A' && shift.Contains(ssCtrl) && (rowSel || Options().Contains(goRangeSelect))) {
        SelectAllKey();
        return;
    }
    if (IsArrowOrPage(key)) {
        const bool plain = !shift.Contains(ssShift) && !shift.Contains(ssCtrl);
        if (FMouseActions->DisjunctRowSelect()) {
            if (plain) ClearRowSelect();
            else if (shift.Contains(ssShift)) SelectionToRowSelect(true);
            else SetRowSelect(Row(), true);
        }
        if (FMouseActions->DisjunctColSelect()) {
            if (plain) ClearColSelect();
            else if (shift.Contains(ssShift)) SelectionToColSelect(true);
            else SetColSelect(Col(), true);
        }
    } else if (key == VK_SPACE && (FMouseActions->DisjunctRowSelect() || FMouseActions->DisjunctColSelect())) {
        if (FMouseActions->DisjunctRowSelect()) {
            const int r = FMouseActions->RowSelectPersistent() ? RealRowIndex(Row()) : Row();
            SetRowSelect(r, !RowSelect(r));
        } else {
            SetColSelect(Col(), !ColSelect(Col()));
        }
    } else if (key == VK_DELETE && !anyAlt && FNavigation->AllowDeleteRow()) {
        DeleteRowKey();
    } else if (enterF2) {
        StoreOldCell(Col(), Row());
        if (HasHTMLControl(Cells(rcol, Row()))) EditNextHTMLControl(Col(), Row(), QString());
        if (key == VK_F2) F2KeyEdit();
    }
    notifySelection();
}

// ============================================================ character message

void TKvStringGrid::WMChar(TMessage& Message)
{
    QChar ch(char16_t(Message.WParam));
    const int rcol = RealColIndex(Col());
    if (HasControlTag(Cells(rcol, Row()))) {
        Message.Result = 1;
        return;
    }
    if (FMouseActions->EditOnDblClickOnly()) {
        bool can = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
        CanEdit(rcol, Row(), can);
        if (can) SetOptions(Options() | goEditing);
    }
    const bool ctrl = KeyIsDown(VK_CONTROL);
    const ushort code = ch.unicode();
    if (FNavigation->AllowClipboardShortcuts() && ctrl && (code == 3 || code == 22 || code == 24)) {
        Message.WParam = 0;
        return;
    }
    if (FMouseActions->RangeSelectAndEdit() && !HasClickControl(rcol, Row()) && IsEditable(rcol, Row()) &&
        code != 9 && code != 27 && !ctrl) {
        QChar copy = ch;
        if (OnKeyPress) OnKeyPress(this, copy);
        FStartEditChar = ch;
        SetOptions(Options() | goEditing);
        if (Col() > LeftCol() + VisibleColCount() || Row() > TopRow() + VisibleRowCount() || Col() < LeftCol() ||
            Row() < TopRow())
            ScrollInView(Col(), Row());
        const TRect R = CellRect(Col(), Row());
        MouseDown(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
        InheritedMessage(Message);
        return;
    }
    // The keypad's decimal key types the locale's separator.
    if (code == 46 && ExcelStyleDecimalSeparator && (Message.LParam & (1 << 22)))
        ch = GetLocaleDecimalSeparator();
    bool inheritedRan = false;
    if (HasClickControl(rcol, Row()) && code == 13 && FNavigation->AdvanceOnEnter()) {
        Message.WParam = ch.unicode();
        InheritedMessage(Message);
        inheritedRan = true;
    }
    if (Options().Contains(goEditing) && (code == 8 || (code >= 32 && code <= 255))) {
        if (OnKeyPress) OnKeyPress(this, ch);
        FStartEditChar = ch;
        if (!HasClickControl(rcol, Row()) && !ch.isNull()) ShowEditorChar(ch);
        Message.WParam = 0;
        return;
    }
    if (!inheritedRan) {
        Message.WParam = ch.unicode();
        InheritedMessage(Message);
    }
}

void TKvStringGrid::WMKeyUp(TMessage& Message) { InheritedMessage(Message); }

// ============================================================ key press

void TKvStringGrid::KeyPress(QChar& Key)
{
    const ushort code = Key.unicode();
    if (code == 27) {
        if (Options().Contains(goEditing) && EditorMode()) RestoreCellValue();
        if (OnKeyPress) OnKeyPress(this, Key);
        return;
    }
    const int rcol = RealColIndex(Col());
    if (code == 13 && !FNavigation->AdvanceOnEnter() && !IsEditable(rcol, Row())) {
        if (OnKeyPress) OnKeyPress(this, Key);
        Key = QChar(0);
        return;
    }
    if (code == 13 && (!Focused() || HasClickControl(rcol, Row()))) {
        EnterAdvance(EditMode);
        if (!FNavigation->AdvanceAutoEdit()) {
            if (OnKeyPress) OnKeyPress(this, Key);
            Key = QChar(0);
            return;
        }
        if (HasClickControl(RealColIndex(Col()), Row())) {
            if (OnKeyPress) OnKeyPress(this, Key);
            if (FNavigation->AdvanceOnEnter()) ShowInplaceEdit();
            return;
        }
    }
    if (!Options().Contains(goEditing) && FNavigation->AutoGotoWhenSorted()) {
        if (FNavigation->AutoGotoIncremental()) {
            if (code == 8) SearchInc.chop(1);
            else SearchInc += Key;
        } else {
            SearchInc = QString(Key);
        }
        const int r = SearchRow(SearchInc.toUpper());
        if (r < 0) SearchInc.clear();
        else SetRow(r);
    }
    TBaseGrid::KeyPress(Key);
}

// ============================================================ KeyDown and KeyUp overrides

void TKvStringGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    FLastKeyCell = TPoint(Col(), Row());
    const int oldRow = Row();
    const WORD key = Key;
    TBaseGrid::KeyDown(Key, Shift);
    TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
    if (Shift.Contains(ssCtrl) && FNavigation->CursorMoveRows()) {
        if (key == VK_DOWN && bottom < RowCount() - 1) {
            if (top == bottom) {
                MoveRow(top, top + 1);
                SetRow(top + 1);
            } else {
                MoveRows(top, top + 1, bottom - top + 1);
                SetSelection(TGridRect(FixedCols(), top + 1, ColCount() - 1, bottom + 1));
            }
        } else if (key == VK_UP && top > FixedRows()) {
            if (top == bottom) {
                MoveRow(top, top - 1);
                SetRow(top - 1);
            } else {
                MoveRows(top, top - 1, bottom - top + 1);
                SetSelection(TGridRect(FixedCols(), top - 1, ColCount() - 1, bottom - 1));
            }
        }
    }
    const TCursorAdvance adv = FNavigation->CursorAdvance();
    if (adv != caDefault) {
        const bool snake = adv == caSnake;
        const int lastCol = ColCount() - FFixedRightCols - 1, lastRow = RowCount() - FFixedFooters - 1;
        if (key == VK_LEFT && FLastKeyCell.X == FixedCols()) {
            SetCol(lastCol);
            if (snake && Row() > FixedRows()) SetRow(Row() - 1);
        } else if (key == VK_UP && FLastKeyCell.Y == FixedRows()) {
            SetRow(lastRow);
            if (snake && Col() > FixedCols()) SetCol(Col() - 1);
        } else if (key == VK_RIGHT && FLastKeyCell.X == ColCount() - 1) {
            SetCol(FixedCols());
            if (snake && Row() < lastRow) SetRow(Row() + 1);
        } else if (key == VK_DOWN && FLastKeyCell.Y == RowCount() - 1) {
            SetRow(FixedRows());
            if (snake && Col() < lastCol) SetCol(Col() + 1);
        }
    }
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && Row() == oldRow) {
        if (key == VK_UP) {
            int r = oldRow - 1;
            while (r > FixedRows() && !RowEnabled(r)) --r;
            if (r >= FixedRows() && r != oldRow && RowEnabled(r)) SetRow(r);
        } else if (key == VK_DOWN) {
            int r = oldRow + 1;
            while (r < RowCount() - 1 && !RowEnabled(r)) ++r;
            if (r < RowCount() && r != oldRow && RowEnabled(r)) SetRow(r);
        }
    }
    if (TKvStringGrid* g = FSyncGrid->Grid(); g && g != this) {
        if (FSyncGrid->SelectionColumn() && Col() < g->ColCount()) g->SetCol(Col());
        if (FSyncGrid->SelectionRow() && Row() < g->RowCount()) g->SetRow(Row());
    }
}

void TKvStringGrid::KeyUp(WORD& Key, TShiftState Shift)
{
    const WORD key = Key;
    if (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_LEFT || key == VK_UP || key == VK_RIGHT ||
        key == VK_DOWN || key == VK_INSERT || key == VK_DELETE)
        SearchInc.clear();
    const TGridRect old = Selection();
    TBaseGrid::KeyUp(Key, Shift);
    const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
    const bool tab = key == VK_TAB && Options().Contains(goTabs);
    if (FNavigation->AlwaysEdit() && (arrow || tab) && !HasClickControl(RealColIndex(Col()), Row()))
        ShowInplaceEdit();
    const TGridRect s = Selection();
    if (!(s == FMoveSelection) && (arrow || key == VK_TAB)) SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    if (!FMouseActions->DisjunctCellSelect() || Options().Contains(goEditing)) return;
    if (Shift.Contains(ssShift)) {
        for (int c = std::min(old.Left, old.Right); c <= std::max(old.Left, old.Right); ++c)
            for (int r = std::min(old.Top, old.Bottom); r <= std::max(old.Top, old.Bottom); ++r)
                FSelectedCells->DeleteValue(CellEntry(c, r));
        AddRectToSelectedCells(s, TPoint(Col(), Row()));
    }
    if (key == VK_SPACE) {
        const TPoint b = BaseCell(Col(), Row());
        bool can = !IsFixed(b.X, b.Y);
        if (can && OnSelectCell) OnSelectCell(this, b.X, b.Y, can);
        if (can) {
            ListSelectedCell(b.X, b.Y, Shift.Contains(ssCtrl));
            if (s.Left != s.Right || s.Top != s.Bottom) {
                AddRectToSelectedCells(s, b);
                RepaintSelectedCells();
            }
        }
    }
    RepaintCell(Col(), Row());
}

// The grid's cell validation and editing state: the SelectCell override that
// guards every move of the current cell, ValidateCell and its wide variant,
// the remembering and restoring of a cell's text, the cell-changing events and
// the grid's click, enter, exit and focus handling.
#include "grid/kv_string_grid.h"

#include "grid/grid_text.h"
#include "grid/theme_services.h"
#include "grid/grid_undo_redo.h"
#include "grid/grid_chrome.h"
#include "grid_input/kv_inplace_edit.h"
#include "grid_input/kv_rich_edit.h"

#include <QtCore/QScopeGuard>

// ============================================================ selection

bool TKvStringGrid::SelectCell(int ACol, int ARow)
{
    const TGridRect S = Selection();
    auto repaintIndicator = [this](int r1, int r2) {
        if (!FRowIndicator->Empty() && TBaseGrid::FixedCols() > 0) {
            RepaintCell(0, r1);
            RepaintCell(0, r2);
        }
    };
    if (FForceSel) {
        repaintIndicator(Row(), ARow);
        return true;
    }
    if (!Parent()) return true;

    FEditText = Cells(ACol, ARow);
    bool answer = false;

    // Keep the target row clear of footers.
    const int B = FSearchFooter->Visible() && FSearchPanel ? FSearchPanel->Height() + 2 : 0;
    const int clientBottom = GridClientHeight();
    if (FFloatingFooter->Visible() && ARow >= 0 && ACol >= 0) {
        const int footerTop = clientBottom - FFloatingFooter->Height() - B + 2;
        if (FFloatingFooter->FooterStyle() == fsFixedLastRow) {
            if (ARow >= TopRow() + VisibleRowCount())
                SetTopRow(std::max(TBaseGrid::FixedRows(), ARow + TBaseGrid::FixedRows() - VisibleRowCount()));
            if (CellRect(ACol, ARow).Bottom > footerTop && ARow < RowCount() - 1) SetTopRow(TopRow() + 1);
            if (ARow == RowCount() - 1) return false;
        } else {
            if (FFooterPanel) FFooterPanel->Invalidate();
            if (CellRect(ACol, ARow).Bottom > footerTop && ARow < RowCount()) SetTopRow(TopRow() + 1);
        }
    }
    if (FSearchFooter->Visible() && FSearchPanel && ARow >= 0 && ACol >= 0) {
        // Stops where TopRow refuses to move on, or the loop would never end.
        while (CellRect(ACol, ARow).Bottom > clientBottom - FSearchPanel->Height() + 2 && ARow <= RowCount() - 1 &&
               TopRow() < RowCount() - 1) {
            const int before = TopRow();
            SetTopRow(TopRow() + 1);
            if (TopRow() == before) break;
        }
    }

    if (ACol < 0 || ARow < 0) return false;

    const int realTarget = RealColIndex(ACol);
    if (!Options().Contains(goRangeSelect) && IsMergedNonBaseCell(realTarget, ARow)) {
        const TPoint b = BaseCell(realTarget, ARow);
        const int bc = DisplColIndexOf(b.X);
        MoveColRow(bc >= 0 ? bc : ACol, b.Y, true, true);
        RepaintCell(Col(), Row());
        if (FMouseActions->DirectEdit() || (FControlLook->DropDownAlwaysVisible() && HasComboBox(b.X, b.Y)))
            ShowInplaceEdit();
        return false;
    }
    if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect)) return false;
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && !RowEnabled(ARow)) return false;

    const int oldCol = Col(), oldRow = Row();
    const int realCol = realTarget;
    QString newText = Cells(realCol, ARow);
    TKvInplaceEdit* normal = NormalEdit();
    const bool editorFocused = normal && normal->Focused();

    bool canEdit = false;
    if (HasClickControl(realCol, ARow)) {
        canEdit = true;
        CanEdit(realCol, ARow, canEdit);
        if (!FEditDisable)
            canEdit = !canEdit && (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit());
        if (!Options().Contains(goEditing) && !Options().Contains(goRowSelect) && canEdit) {
            FEditChange = true;
            SetOptions(Options() | goEditing);
        }
    } else {
        canEdit = Options().Contains(goEditing) || FEditDisable;
        CanEdit(realCol, ARow, canEdit);
        if (canEdit && FMouseActions->DirectEdit()) {
            EditControl = FDefaultEditor;
            GetCellEditor(realCol, ARow, EditControl);
            if (EditControl == edNone) canEdit = false;
        }
        if (FMouseActions->EditOnDblClickOnly()) canEdit = false;
        if (canEdit) {
            FEditDisable = false;
            if (!Options().Contains(goEditing)) {
                FEditChange = true;
                if (!FEditing) StoreOldCell(ACol, ARow);
                TGridOptions o = Options();
                if (o.Contains(goRowSelect) && FMouseActions->RangeSelectAndEdit()) o = o - TGridOptions(goRowSelect);
                SetOptions(o | goEditing);
            }
            if (FEditing) {
                HideInplaceEdit();
                newText = Cells(realCol, ARow);
            }
        } else {
            if (FEditing) {
                HideInplaceEdit();
                newText = Cells(realCol, ARow);
            }
            if (Options().Contains(goEditing)) {
                EditMode = false;
                FEditDisable = true;
                FEditChange = true;
                SetOptions(Options() - TGridOptions(goEditing));
                SetEditorMode(false);
            }
        }
    }

    if (FEditing && !editorFocused) {
        // A special editor is open: the grid validates it here.
        const QString saved = FCellCache;
        bool valid = IsWideCell(RealColIndex(Col()), Row()) ? ValidateCellWide(FEditWideText)
                                                             : ValidateCell(GetCurrentCell());
        bool allow = true;
        CellChanging(ACol, ARow, allow);
        if (!allow) valid = false;
        if (valid) answer = TBaseGrid::SelectCell(ACol, ARow);
        if (!answer) newText = saved;
    } else {
        bool allow = true;
        CellChanging(ACol, ARow, allow);
        if (IsFixed(ACol, ARow) || !allow)
            answer = (allow && Options().Contains(goRowSelect)) ||
                     (FFixedRowAlways && RowCount() == TBaseGrid::FixedRows());
        else
            answer = TBaseGrid::SelectCell(ACol, ARow);
    }

    repaintIndicator(oldRow, ARow);
    if (FSelListener) FSelListener->SelectionChanged(this, Col(), ARow);
    if (FActiveCellShow) {
        RepaintActiveHeaders(oldCol, oldRow, ACol, ARow);
        if (S.Left != oldCol && S.Top != oldRow) RepaintActiveHeaders(S.Left, S.Top, ACol, ARow);
    }
    if (ActiveRowShow()) {
        RepaintRow(ARow);
        RepaintRow(S.Top);
    }
    if (FSelectionRectangle) RepaintRect(Selection());
    if (!IsLoading() && ARow != FOldRowSel && OnRowChanged) {
        OnRowChanged(this, FOldRowSel, ARow);
        FOldRowSel = ARow;
    }
    if (HasCellBorderEvent())
        RepaintRect(TGridRect(TBaseGrid::FixedRows(), S.Top, TBaseGrid::FixedRows() + VisibleColCount(), S.Bottom));
    FCellCache = newText;
    return answer;
}

// ============================================================ validation

bool TKvStringGrid::ValidateCell(const QString& NewValue)
{
    if (!FEditing || FValidating) return true;
    FEditing = false;
    FValidating = true;
    bool valid = true;
    const int realCol = RealColIndex(FOldCol);
    FNewCellText = NewValue;
    // Hiding the editor hands the focus to the grid, whose enter step remembers the
    // cell again: the text and flag from the start of the edit are kept here.
    const QString oldText = FOldCellText;
    const bool oldModified = FOldModifiedValue;
    const bool advanceOnEnter = FNavigation->AdvanceOnEnter();
    bool advanceSwitched = false;
    {
        // The end step runs also when a handler raises; AdvanceOnEnter comes back with it.
        auto end = qScopeGuard([&] {
            if (advanceSwitched) FNavigation->SetAdvanceOnEnter(advanceOnEnter);
            StoreOldCell(Col(), Row());
            FValidating = false;
        });
        if (oldText != NewValue || FAlwaysValidate) {
            const bool changed = oldText != NewValue;
            FNavigation->SetAdvanceOnEnter(false);
            advanceSwitched = true;
            QString value = NewValue;
            valid = true;
            if (CellChecker && CellChecker->AutoCorrect) value = CellChecker->Correct(realCol, FOldRow, value);
            if (OnCellValidate) OnCellValidate(this, realCol, FOldRow, value, valid);
            if (value != oldText) {
                FGridModified = true;
                if (TBaseGrid::FixedCols() > 0) {
                    SetRowModified(RealRowIndex(Row()), true);
                    if (FShowModified->Enabled()) RepaintCell(0, Row());
                }
            }
            if (valid) RecalcFooterColumn(realCol, FOldRow);
            if (CellChecker && CellChecker->AutoMarkError) value = CellChecker->MarkError(realCol, FOldRow, value);
            // The undo item holds the text before the edit as its old value.
            if (valid && FUndoRedo) FUndoRedo->RegisterChange(realCol, FOldRow, oldText, value);
            if (valid && changed) CellsChanged(TGridRect(realCol, FOldRow, realCol, FOldRow));
            FNavigation->SetAdvanceOnEnter(advanceOnEnter);
            advanceSwitched = false;
            FNewCellText = value;
            if (valid) {
                SetCells(realCol, FOldRow, value);
                if (IsMergedNonBaseCell(realCol, FOldRow)) {
                    const TPoint b = BaseCell(realCol, FOldRow);
                    SetCells(b.X, b.Y, value);
                }
            } else {
                FLastValidation = false;
                const bool moveBack = FOldCol != Col() || FOldRow != Row();
                if (value != NewValue) {
                    HideEditor();
                    SetCells(realCol, FOldRow, value);
                    if (moveBack) MoveColRow(FOldCol, FOldRow, true, true);
                    FValidating = false;
                    FEditing = true;
                    ShowInplaceEdit();
                    // The reopened editor's text is written through while typing; the cell keeps
                    // the handler's replacement.
                    SetCells(realCol, FOldRow, value);
                } else {
                    if (EditMode) FValidating = false;
                    HideEditor();
                    SetCells(realCol, FOldRow, oldText);
                    if (moveBack) MoveColRow(FOldCol, FOldRow, true, true);
                    FValidating = false;
                    FEditing = true;
                    ShowInplaceEdit();
                    // The refused text shown again in the editor is not the cell's.
                    SetCells(realCol, FOldRow, oldText);
                    if (Col() != FOldCol) InvalidateEditor();
                }
                SetModified(oldModified);
                if (!InvalidEntryTitle.isEmpty() || !InvalidEntryText.isEmpty()) ShowInvalidEntryBalloon();
            }
            FOldCellText = TBaseGrid::GridCells(realCol, FOldRow);
        }
    }
    return valid;
}

void TKvStringGrid::ShowInvalidEntryBalloon()
{
    TEditBalloonTip tip;
    tip.Title = InvalidEntryTitle;
    tip.Text = InvalidEntryText;
    tip.Icon = int(FInvalidEntryIcon);
    TWinControl* target = nullptr;
    if (!FSpecialEditor && EditMode) target = NormalEdit();
    // An editable combo passes the tip to its edit field; a pick list has none.
    else target = EditCtrl;
    if (target) target->Perform(EM_SHOWBALLOONTIP, 0, LPARAM(&tip));
}

bool TKvStringGrid::ValidateCellWide(const QString& NewValue)
{
    if (!FEditing || FValidating) return true;
    FEditing = false;
    FValidating = true;
    bool valid = true;
    const int realCol = RealColIndex(FOldCol);
    const QString oldText = FOldCellTextWide;
    const bool oldModified = FOldModifiedValue;
    auto end = qScopeGuard([&] {
        StoreOldCell(Col(), Row());
        FValidating = false;
    });
    if (oldText != NewValue || FAlwaysValidate) {
        RecalcFooterColumn(realCol, FOldRow);
        const bool changed = oldText != NewValue;
        QString value = NewValue;
        if (OnCellValidateWide) OnCellValidateWide(this, realCol, FOldRow, value, valid);
        if (value != oldText) {
            FGridModified = true;
            if (FShowModified->Enabled() && TBaseGrid::FixedCols() > 0) {
                SetRowModified(FOldRow, true);
                RepaintCell(0, FOldRow);
            }
        }
        if (valid && changed) CellsChanged(TGridRect(realCol, FOldRow, realCol, FOldRow));
        if (valid) {
            SetCells(realCol, FOldRow, EncodeWideCellText(value));
        } else {
            const bool moveBack = FOldCol != Col() || FOldRow != Row();
            HideEditor();
            SetCells(realCol, FOldRow, EncodeWideCellText(value != NewValue ? value : oldText));
            if (moveBack) MoveColRow(FOldCol, FOldRow, true, true);
            FValidating = false;
            FEditing = true;
            ShowInplaceEdit();
            SetModified(oldModified);
        }
    }
    return valid;
}

void TKvStringGrid::StoreOldCell(int ACol, int ARow)
{
    FOldCol = ACol;
    FOldRow = ARow;
    const int realCol = RealColIndex(ACol);
    FOldCellText = TBaseGrid::GridCells(realCol, ARow);
    FOldCellTextWide = DecodeWideCellText(FOldCellText);
    FOldModifiedValue = Modified();
}

void TKvStringGrid::RestoreCellValue()
{
    SetCells(RealColIndex(Col()), Row(), FCellCache);
    const int c = RealColIndex(Col());
    SetCells(c, Row(), Cells(c, Row()));
    RepaintCell(Col(), Row());
}

bool TKvStringGrid::EditorWantsTab()
{
    return Options().Contains(goTabs) || OnCellValidate || OnCellValidateWide;
}

void TKvStringGrid::CellChanging(int NewCol, int NewRow, bool& Allow)
{
    if (NewRow != Row() && OnRowChanging) OnRowChanging(this, Row(), NewRow, Allow);
    if (NewCol != Col() && OnColChanging) OnColChanging(this, Col(), NewCol, Allow);
    if ((NewCol != Col() || NewRow != Row()) && !FBlockCellChange && OnCellChanging)
        OnCellChanging(this, Row(), Col(), NewRow, NewCol, Allow);
}

// ============================================================ click, enter, exit, focus

void TKvStringGrid::Click()
{
    TBaseGrid::Click();
    FEntered = false;
    StoreOldCell(Col(), Row());
}

void TKvStringGrid::DoEnter()
{
    if (FBlockFocus) return;
    auto store = qScopeGuard([this] { StoreOldCell(Col(), Row()); });
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()) SelectCell(Col(), Row());
}

void TKvStringGrid::DoExit()
{
    if (FBlockKill) return;
    if (FSelChange && FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
    FSelChange = false;
    TBaseGrid::DoExit();
}

void TKvStringGrid::WMKillFocus(TMessage& Message)
{
    if (FBlockKill) {
        Message.Result = 1;
        return;
    }
    TBaseGrid::WMKillFocus(Message);
    if (IsMergedCell(RealColIndex(Col()), Row())) RepaintCell(Col(), Row());
}

void TKvStringGrid::WMSetFocus(TMessage& Message)
{
    if (InvokedFocusChange) {
        // The focus an editor announced has arrived; later ones are the grid's again.
        InvokedFocusChange = false;
        return;
    }
    TBaseGrid::WMSetFocus(Message);
    const int realCol = RealColIndex(Col());
    if (HasCheckBox(realCol, Row())) return;
    if (FInplaceRichEdit && FInplaceRichEdit->Visible()) HideInplaceEdit();
    auto inView = [this] {
        return Col() >= LeftCol() && Col() < LeftCol() + VisibleColCount() && Row() >= TopRow() &&
               Row() < TopRow() + VisibleRowCount();
    };
    TKvInplaceEdit* normal = NormalEdit();
    auto* lost = reinterpret_cast<TWinControl*>(Message.WParam);
    if (normal) {
        if (lost != normal && GridState() != gsRowMoving && GridState() != gsColMoving &&
            FNavigation->AlwaysEdit() && EditControl == edNormal) {
            bool can = true;
            CanEdit(realCol, Row(), can);
            if (inView() && can) {
                ShowInplaceEdit();
                Message.Result = 0;
                return;
            }
        }
    } else if (FNavigation->AlwaysEdit()) {
        bool can = true;
        CanEdit(realCol, Row(), can);
        if (inView() && can && !FMouseActions->DirectEdit() && !FControlLook->DropDownAlwaysVisible() &&
            HasComboBox(realCol, Row()))
            ShowInplaceEdit();
    }
    if (IsMergedCell(realCol, Row())) RepaintCell(Col(), Row());
}

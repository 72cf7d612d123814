// In-place editing: the grid's editor hosting and TInplaceEdit.
#include "platform/stdgrid/grids.h"

// ============================================================ grid side

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow()
{
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
           (FOptions.Contains(goAlwaysShowEditor) || (FEditorMode && IsActiveControl()));
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (Value) ShowEditor();
    else HideEditor();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::ShowEditorChar(QChar Ch)
{
    ShowEditor();
    if (FInplaceEdit && FInplaceEdit->Visible()) {
        FInplaceEdit->SetText(QString(Ch));
        FInplaceEdit->SetSelStart(1);
        FInplaceEdit->SetSelLength(0);
    }
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::UpdateText()
{
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    if (FInplaceEdit->FColE != FCurrent.X || FInplaceEdit->FRowE != FCurrent.Y) return;
    SetEditText(FCurrent.X, FCurrent.Y, FInplaceEdit->Text());
}

void TCustomGrid::HideEdit()
{
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    const bool hadFocus = FInplaceEdit->Focused();
    // Write back first: SetEditText may read the grid state.
    SetEditText(FInplaceEdit->FColE, FInplaceEdit->FRowE, FInplaceEdit->Text());
    FInplaceEdit->Hide();
    InvalidateCell(FInplaceEdit->FColE, FInplaceEdit->FRowE);
    if (hadFocus && CanFocus()) {
        try {
            SetFocus();
        } catch (const Exception&) {
        }
    }
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow()) {
        HideEdit();
        return;
    }
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->FGrid = this;
        FInplaceEdit->SetParent(this);
        FInplaceEdit->SetVisible(false);
    }
    TRect r = CellRect(FCurrent.X, FCurrent.Y);
    if (r.IsEmpty()) {
        ScrollInView(FCurrent.X, FCurrent.Y);
        r = CellRect(FCurrent.X, FCurrent.Y);
    }
    const bool sameCell = FInplaceEdit->Visible() && FInplaceEdit->FColE == FCurrent.X &&
                          FInplaceEdit->FRowE == FCurrent.Y;
    if (!sameCell) {
        FEditText = GetEditText(FCurrent.X, FCurrent.Y);
        FInplaceEdit->UpdateContents();
        FInplaceEdit->SelectAll();
    }
    FInplaceEdit->Move(r);
    InvalidateCell(FCurrent.X, FCurrent.Y);
    if (IsActiveControl()) FInplaceEdit->SetFocus();
}

void TCustomGrid::InvalidateEditor()
{
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    FEditText = GetEditText(FCurrent.X, FCurrent.Y);
    FInplaceEdit->UpdateContents();
    FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
}

// ============================================================ TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TMaskEdit(AOwner)
{
    FGrid = dynamic_cast<TCustomGrid*>(AOwner);
    SetEditBorderStyle(bsNone);
    SetTabStop(false);
    SetVisible(false);
}

TInplaceEdit::~TInplaceEdit()
{
    if (FGrid && FGrid->FInplaceEdit == this) FGrid->FInplaceEdit = nullptr;
}

void TInplaceEdit::UpdateContents()
{
    if (!FGrid) return;
    FColE = FGrid->Col();
    FRowE = FGrid->Row();
    SetEditMask(FGrid->GetEditMask(FColE, FRowE));
    SetMaxLength(FGrid->GetEditLimit());
    SetReadOnly(!FGrid->CanEditModify());
    SetText(FGrid->FEditText);
    SetFont(*FGrid->Font());
}

void TInplaceEdit::Move(const TRect& Loc)
{
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    if (!Visible()) SetVisible(true);
    BoundsChanged();
}

void TInplaceEdit::BoundsChanged() {}

void TInplaceEdit::ReCreate()
{
    if (HandleAllocated()) RecreateWnd();
    else HandleNeeded();
}

bool TInplaceEdit::ForwardsToGrid(WORD Key, TShiftState Shift) const
{
    const QString text = Text();
    const int start = SelStart(), len = SelLength();
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
        // A multi-line editor moves the caret between its lines; past the first or last line the grid moves.
        if (MultiLine()) {
            const LRESULT line = const_cast<TInplaceEdit*>(this)->Perform(EM_LINEFROMCHAR, WPARAM(-1), 0);
            const LRESULT lines = const_cast<TInplaceEdit*>(this)->Perform(EM_GETLINECOUNT, 0, 0);
            return Key == VK_UP ? line == 0 : line >= lines - 1;
        }
        return true;
    case VK_RETURN:
        // Ctrl+Return types a line break in a multi-line editor.
        return !(MultiLine() && Shift.Contains(ssCtrl));
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        return true;
    case VK_TAB:
        return !Shift.Contains(ssAlt);
    case VK_LEFT:
        // Only at the start of the text (and nothing selected).
        return start == 0 && len == 0;
    case VK_RIGHT:
        return start + len >= text.length() && len == 0;
    case VK_HOME:
    case VK_END:
        return Shift.Contains(ssCtrl);
    default:
        return false;
    }
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FGrid && ForwardsToGrid(Key, Shift)) {
        TCustomGrid* grid = FGrid;
        const WORD k = Key;
        Key = 0;
        if (k == VK_ESCAPE) {
            // Back to the text the cell had, then close.
            SetText(grid->FEditText);
            grid->HideEditor();
            return;
        }
        grid->Perform(WM_KEYDOWN, k, 0);
        if (k == VK_RETURN) grid->Perform(WM_CHAR, 13, 0);
        return;
    }
    TMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(QChar& Key)
{
    if (FGrid) {
        const char16_t k = Key.unicode();
        if (k == 9 || k == 13 || k == 27) {
            Key = QChar(0);
            return;
        }
        if (k >= 32 && !FGrid->CanEditAcceptKey(Key)) {
            Key = QChar(0);
            return;
        }
    }
    TMaskEdit::KeyPress(Key);
}

void TInplaceEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
        if (FGrid && FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
        return;
    }
    TMaskEdit::WndProc(Message);
}

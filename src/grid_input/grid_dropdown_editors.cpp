// The grid's drop-down editors: the keys each keeps, its commit to the current
// cell through the grid's check, the cancel and the ways it leaves the cell.
#include "grid_input/grid_dropdown_editors.h"

#include "grid/kv_string_grid.h"
#include "grid_input/grid_editor_steps.h"
#include "platform/ui/forms.h"
#include "platform/ui/keys.h"
#include "platform/ui/messages.h"

#include <QApplication>
#include <QPointer>

using namespace KvGridInput;

// ============================================================ the protocol

bool TGridDropDownSteps::Intercepts(WORD Key) const
{
    switch (Key) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE:
        return true;
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_UP: case VK_DOWN:
        return !FKind.ColourKeys || !FEdit->DroppedDown();
    case VK_HOME:
        return FKind.ColourKeys && !FEdit->DroppedDown();
    default:
        return false;
    }
}

bool TGridDropDownSteps::KeyDown(WORD& Key, TShiftState Shift)
{
    // Alt+Down opens and closes the popup: the drop-down's own.
    if (Shift.Contains(ssAlt) || !Intercepts(Key)) return false;
    TKvStringGrid* G = FGrid;
    QPointer<TKvCustomDropDown> self(FEdit);
    const bool open = FEdit->DroppedDown();

    if (Key == VK_ESCAPE) {
        // The popup's own cancel first, so the cell's text is the last word.
        if (open) FEdit->HideDropDown(true);
        // An editor that writes the cell as it changes (the memo) leaves its change
        // there: the cell gets back the text it had when the edit started.
        if (G->CurrentCell() != G->FCellCache) G->SetCurrentCell(G->FCellCache);
        SetValue(G->CurrentCell());
        if (Reload) Reload();
        G->HideInplaceEdit();
        FocusGrid(G);
        Key = 0;
        return true;
    }

    const bool commits = Key == VK_RETURN || (!FKind.ColourKeys && (Key == VK_UP || Key == VK_DOWN));
    if (commits) {
        // What the open popup shows is the value being committed.
        if (open) FEdit->HideDropDown(false);
        if (Key == VK_RETURN && BeforeReturn) BeforeReturn();
        if (!self) return true;
        if (!Commit(G, GetValue())) {
            if (!self) return true;
            SetValue(G->FNewCellText);
            FEdit->SelectAll();
            FEdit->Invalidate();
            Key = 0;
            return true;
        }
        if (!self) return true;
        SetValue(G->CurrentCell());
    }

    if (Key == VK_TAB && G->EditorWantsTab()) {
        if (open) FEdit->HideDropDown(false);
        if (!self) return true;
        if (!Commit(G, GetValue())) {
            if (!self) return true;
            SetValue(G->FNewCellText);
            FEdit->SetSelStart(int(FEdit->Text().size()));
            FEdit->Invalidate();
            Key = 0;
            return true;
        }
        if (!self) return true;
        if (G->Options().Contains(goTabs)) {
            TabOn(G);
            Key = 0;
            return true;
        }
        PostMessage(G, WM_KEYDOWN, VK_TAB, 0);
    }

    if (open) {
        // Stored as it stands: Up and Down were checked above, the page keys are not.
        if (self && FEdit->DroppedDown()) FEdit->HideDropDown(false);
        G->HideInplaceEdit();
        if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) Key = 0;
    } else if (Key == VK_END) {
        // The caret goes to the end of the text.
        return false;
    }
    const WORD k = Key;
    Key = 0;
    CloseAndAdvance(G, k, Shift);
    return true;
}

void TGridDropDownSteps::KeyPress(TMessage& Message)
{
    QChar key(char16_t(Message.WParam));
    // The handlers see the editor as Sender while it edits.
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(FEdit, key);
    if (key == QChar(VK_ESCAPE) || key == QChar(VK_RETURN) || key == QChar(VK_TAB)) key = QChar();
    Message.WParam = key.unicode();
    if (!key.isNull()) ParentWndProc(Message);
}

void TGridDropDownSteps::PlaceCaret()
{
    if (!FKind.CaretOnClick || !FGrid->LButFlg) return;
    const int pos = CharUnderMouse(FEdit);
    if (pos == -1) return;
    FEdit->SetSelStart(pos);
    FEdit->SetSelLength(0);
    FGrid->LButFlg = false;
}

void TGridDropDownSteps::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN: {
        WORD key = WORD(Message.WParam);
        const TShiftState shift = ShiftStateFromQt(QApplication::keyboardModifiers());
        if (!KeyDown(key, shift)) {
            ParentWndProc(Message);
            return;
        }
        Message.WParam = key;
        Message.Result = 0;
        return;
    }
    case WM_CHAR:
        KeyPress(Message);
        return;
    case CM_WANTSPECIALKEY: {
        // The drop-down's own answer may clear the key; the claim goes by the key asked.
        const WORD key = WORD(Message.WParam);
        ParentWndProc(Message);
        if (FKind.ClaimsReturnEscape && (key == VK_RETURN || key == VK_ESCAPE)) Message.Result = 1;
        if (key == VK_TAB && FGrid->EditorWantsTab()) Message.Result = 1;
        return;
    }
    case WM_SETFOCUS:
        ParentWndProc(Message);
        PlaceCaret();
        return;
    default:
        ParentWndProc(Message);
        return;
    }
}

void TGridDropDownSteps::Changed()
{
    // The display column, as the text editor reports it.
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), GetValue());
}

// ============================================================ the editors

template <class TParent>
TGridDropDownEditor<TParent>::TGridDropDownEditor(TComponent* AOwner, const TGridDropDownKind& Kind)
    : TParent(AOwner), FGrid(OwningGrid(AOwner)), FSteps(this, FGrid, Kind)
{
    FSteps.GetValue = [this] { return this->GetText(); };
    FSteps.SetValue = [this](const QString& S) { ShowValue(S); };
    FSteps.ParentWndProc = [this](TMessage& m) { TParent::WndProc(m); };
}

template <class TParent>
void TGridDropDownEditor<TParent>::DoExit()
{
    FGrid->HideInplaceEdit();
    TParent::DoExit();
}

template class TGridDropDownEditor<TKvTrackBarDropDown>;
template class TGridDropDownEditor<TKvMemoDropDown>;
template class TGridDropDownEditor<TKvCalculatorDropdown>;
template class TGridDropDownEditor<TKvTimePickerDropDown>;
template class TGridDropDownEditor<TKvDetailDropDown>;
template class TGridDropDownEditor<TKvMultiColumnDropDown>;
template class TGridDropDownEditor<TKvColorPickerDropDown>;
template class TGridDropDownEditor<TKvImagePickerDropDown>;
template class TGridDropDownEditor<TCustomKvGridDropDown>;

namespace {
constexpr TGridDropDownKind kPlain{};
constexpr TGridDropDownKind kCaret{false, false, true};
} // namespace

TGridTrackbarDropDown::TGridTrackbarDropDown(TComponent* AOwner)
    : TGridDropDownEditor(AOwner, TGridDropDownKind{false, true, true})
{
}

TGridMemoDropDown::TGridMemoDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner, kCaret) {}

TGridCalculatorDropDown::TGridCalculatorDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner, kCaret)
{
    FSteps.BeforeReturn = [this] { CalcResult(); };
}

TGridTimepickerDropDown::TGridTimepickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner, kPlain)
{
    SetFocusDraw(false);
}

TGridDetailPickerDropDown::TGridDetailPickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner, kPlain) {}

TGridGridDropDown::TGridGridDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner, kPlain) {}

TGridColorDropDown::TGridColorDropDown(TComponent* AOwner)
    : TGridDropDownEditor(AOwner, TGridDropDownKind{true, true, false})
{
    // The edit shows the colour's text by painting it; its window text is not the value.
    FSteps.GetValue = [this] { return SelectedColorText(); };
}

TGridImageDropDown::TGridImageDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner, kPlain)
{
    FSteps.GetValue = [this] { return SelectedCaption(); };
}

QString TGridImageDropDown::SelectedCaption() const
{
    const int i = ItemIndex();
    return i >= 0 && i < Items()->Count() ? Items()->Items(i)->Caption() : QString();
}

TGridKvGridDropDown::TGridKvGridDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner, kPlain) {}

TKvStringGrid* TGridKvGridDropDown::Grid() const { return dynamic_cast<TKvStringGrid*>(GetKvColGrid()); }

#include "grid_input/edit_link.h"

#include "grid/kv_string_grid.h"
#include "grid_input/kv_inplace_edit.h"
#include "platform/ui/forms.h"

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink()
{
    // The popup form outlives the link: its deactivation must not call back here.
    if (FPopupForm) FPopupForm->OnDeactivate = nullptr;
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FOwner) FOwner = nullptr;
    if (AComponent == FPopupForm) FPopupForm = nullptr;
}

void TEditLink::SetGrid(TKvStringGrid* Grid)
{
    if (Grid == FOwner) return;
    FOwner = Grid;
    if (FOwner) FOwner->FreeNotification(this);
}

void TEditLink::SetPopupForm(TCustomForm* Form)
{
    if (Form == FPopupForm) return;
    FPopupForm = Form;
    if (FPopupForm) FPopupForm->FreeNotification(this);
}

TWinControl* TEditLink::GetParent()
{
    if (EditStyle == esPopup) return FPopupForm;
    return FOwner;
}

QString TEditLink::GetCellValue()
{
    if (!FOwner) return QString();
    return FOwner->Cells(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const QString& S)
{
    if (FOwner) FOwner->StoreEditValue(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), S);
}

void TEditLink::SetRect(const TRect& R)
{
    TWinControl* c = GetEditControl();
    if (!c) return;
    const int lw = FOwner ? FOwner->GridLineWidth() : 0;
    c->SetBounds(R.Left, R.Top, R.Right - R.Left - lw, R.Bottom - R.Top - lw);
}

void TEditLink::SetVisible(bool Value)
{
    if (TWinControl* c = GetEditControl()) c->SetVisible(Value);
}

void TEditLink::SetFocus(bool Value)
{
    TWinControl* c = GetEditControl();
    if (Value && c) {
        c->SetVisible(true);
        c->SetEnabled(true);
    }
    if (EditStyle == esInplace && c && FOwner && !FSubClassed) {
        FOwner->EditLinkControlWndProc(c);
        FSubClassed = true;
    }
    if (Value) {
        if (c && c->CanFocus()) c->SetFocus();
    } else if (FOwner && FOwner->CanFocus()) {
        FOwner->SetFocus();
    }
}

void TEditLink::RestoreWinProc()
{
    TWinControl* c = GetEditControl();
    if (EditStyle != esInplace || !c) return;
    if (FOwner) FOwner->RestoreEditLinkControlWndProc(c);
    FSubClassed = false;
    c->SetVisible(false);
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FOwner) FOwner->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(TObject* Sender)
{
    (void)Sender;
    HideEditor();
    if (EditStyle == esPopup && FPopupForm) {
        DestroyEditor();
        FPopupForm->SetVisible(false);
    }
}

void TEditLink::FormExit(TObject* Sender)
{
    if (!FOwner) return;
    if (TKvInplaceEdit* normal = FOwner->NormalEdit()) normal->SetText(GetEditorValue());
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    EditExit(Sender);
    // The grid is told that the focus it is about to get comes from this editor.
    FOwner->InvokedFocusChange = true;
}

void TEditLink::ForceGridFocus()
{
    FForcedExit = true;
    if (FOwner->CanFocus()) FOwner->SetFocus();
    FForcedExit = false;
}

void TEditLink::EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift)
{
    TKvStringGrid* g = FOwner;
    if (!g) return;
    // 1. The keys that belong to the grid, less those the link keeps.
    bool gridKey = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_TAB: gridKey = !FWantTabs; break;
    case VK_RETURN: gridKey = !WantKeyReturn; break;
    case VK_ESCAPE: gridKey = !WantKeyEscape; break;
    case VK_PRIOR: case VK_NEXT: gridKey = !WantKeyPriorNext; break;
    case VK_END: gridKey = !WantKeyHomeEnd; break;
    case VK_LEFT: case VK_RIGHT: gridKey = !WantKeyLeftRight; break;
    case VK_UP: case VK_DOWN: gridKey = !WantKeyUpDown; break;
    case VK_HOME: gridKey = gridKey && !WantKeyHomeEnd; break;
    default: break;
    }
    if (!gridKey) return;

    // 2. Tab: at the end of a row it may go on to the next control's cell.
    if (Key == VK_TAB) {
        if (g->Navigation()->TabToNextAtEnd()) {
            ForceGridFocus();
            g->HideEditControl(g->Col(), g->Row());
            const TPoint before(g->Col(), g->Row());
            g->TabToNextCell(Shift.Contains(ssShift));
            const TPoint after(g->Col(), g->Row());
            if (after != before && !g->HasClickControl(g->RealColIndex(after.X), after.Y))
                PostMessage(g, WM_KEYDOWN, VK_F2, 0);
            Key = 0;
            return;
        }
        Key = 0;
    }
    // 3. Escape stores the text the cell had when the edit started.
    if (Key == VK_ESCAPE) SetEditorValue(g->FCellCache);
    // 4.
    ForceGridFocus();
    g->HideEditControl(g->Col(), g->Row());
    // 5.
    if (EditStyle == esPopup) EditExit(Sender);
    // 6. The stored value is validated.
    g->EditMode = false;
    g->SelectCell(g->Col(), g->Row());
    // 7.
    if (Key == VK_RETURN && g->FLastValidation) {
        g->FLastValidation = true;
        g->AdvanceToNextCell(g->Col(), g->Row(), false, false, !Shift.Contains(ssShift), false, false);
        Key = 0;
        return;
    }
    // 8. A refused value: the editor opens again on the cell.
    if (!g->FLastValidation) {
        g->FLastValidation = true;
        g->ShowEditControl(g->Col(), g->Row());
        return;
    }
    // 9.
    g->FLastValidation = true;
    if (Key == VK_ESCAPE) {
        Key = 0;
        return;
    }
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        WORD k = Key;
        g->KeyDown(k, Shift);
    }
    if (TWinControl* c = GetEditControl()) c->SetEnabled(false);
    ForceGridFocus();
    if (g->Options().Contains(goTabs) && Key == VK_TAB && !g->HasClickControl(g->RealColIndex(g->Col()), g->Row()))
        PostMessage(g, WM_KEYDOWN, VK_F2, 0);
}

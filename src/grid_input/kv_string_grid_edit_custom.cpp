// The editor dispatch of the rich-text and custom kinds: the rich edits the
// grid makes on first use, the showing of a rich-text cell's editor and of an
// application's editor behind an EditLink (over the cell or in the popup form
// "gridform"), and the storing of their values when the edit ends.
#include "grid/kv_string_grid.h"

#include "grid_input/edit_link.h"
#include "grid_input/kv_rich_edit.h"
#include "platform/ui/forms.h"

namespace {
const QString kPopupFormName = QStringLiteral("gridform");
}

// ============================================================ links

void TKvStringGrid::SetEditLink(TEditLink* Value)
{
    // Each side hears of the other's end; a notice about a link no longer used is harmless.
    FGridEditLink = Value;
    if (Value) Value->FreeNotification(this);
}

void TKvStringGrid::ForgetEditLink(TComponent* AComponent)
{
    if (AComponent == FGridEditLink) FGridEditLink = nullptr;
    if (AComponent == FEditLink) FEditLink = nullptr;
}

// ============================================================ rich edits

TKvRichEdit* TKvStringGrid::RichEdit()
{
    if (!FRichEdit && !IsDestroying()) {
        auto* re = new TKvRichEdit(this);
        re->SetParent(this);
        re->SetBorderStyle(bsNone);
        re->SetBounds(0, 0, 0, 0);
        // Only a converter: it never shows and lets the mouse through.
        re->setAttribute(Qt::WA_TransparentForMouseEvents);
        re->SetVisible(false);
        re->HandleNeeded();
        FEditorControls.push_back(re);
        FRichEdit = re;
    }
    return FRichEdit;
}

TKvRichEdit* TKvStringGrid::InplaceRichEdit()
{
    if (!FInplaceRichEdit && !IsDestroying()) {
        auto* re = new TKvRichEdit(this);
        re->SetParent(this);
        re->SetVisible(false);
        re->OnSelectionChange = [this](TObject*) {
            if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
        };
        FEditorControls.push_back(re);
        FInplaceRichEdit = re;
    }
    return FInplaceRichEdit;
}

void TKvStringGrid::ShowRichEditControl(int ACol, int ARow, const TRect& R, TColor BkColor)
{
    TKvRichEdit* re = InplaceRichEdit();
    if (!re) return;
    EditMode = true;
    const int realCol = RealColIndex(ACol);
    re->ReCreate();
    re->SetParent(this);
    re->SetBorderStyle(bsNone);
    re->SetHideSelection(false);
    re->SetBounds(R.Left, R.Top, R.Right - R.Left - 1, R.Bottom - R.Top - 1);
    GetEditorProp(realCol, ARow);
    // Loading the cell is no typing: the row keeps its height.
    re->Lock();
    CellToRich(realCol, ARow, re);
    if (FNavigation->EditSelectAll()) re->SelectAll();
    re->SetVisible(true);
    re->SetEnabled(true);
    TRect format(2, 2, R.Right - R.Left - 2, R.Bottom - R.Top - 2);
    re->Perform(EM_SETRECT, 0, LPARAM(&format));
    re->SetColor(BkColor);
    if (re->CanFocus()) re->SetFocus();
    ReplayStartEditChar(re);
    re->Unlock();
    EditCtrl = re;
}

void TKvStringGrid::HideRichEditControl(int RealCol, int ARow)
{
    TKvRichEdit* re = FInplaceRichEdit;
    if (re) StoreEditValue(RealCol, ARow, RichToString(re));
    EditMode = false;
    if (!re) return;
    const bool hadFocus = re->Focused();
    re->SetEnabled(false);
    re->SetVisible(false);
    if (hadFocus && CanFocus()) SetFocus();
}

// ============================================================ custom editors

void TKvStringGrid::ShowCustomEditControl(int ACol, int ARow, const TRect& R, TColor BkColor, TFont* Font)
{
    TEditLink* link = FEditLink;
    if (!link) return;
    EditMode = true;
    const int realCol = RealColIndex(ACol);
    link->FreeNotification(this);
    link->SetGrid(this);
    link->SetEditCell(TPoint(realCol, ARow));
    const bool popup = link->EditStyle == esPopup;
    if (popup) {
        if (link->AutoPopupWidth) link->PopupWidth = R.Right - R.Left;
        if (!link->PopupForm()) {
            TComponent* app = Application->ComponentOwner();
            delete app->FindComponent(kPopupFormName);
            auto* form = new TForm(app);
            form->SetName(kPopupFormName);
            link->SetPopupForm(form);
        }
        TCustomForm* form = link->PopupForm();
        const TPoint P = link->PopupLeft == -1 || link->PopupTop == -1 ? ClientToScreen(TPoint(R.Left, R.Top))
                                                                       : TPoint(link->PopupLeft, link->PopupTop);
        form->SetBounds(P.X, P.Y, 0, 0);
        form->OnDeactivate = [link](TObject* Sender) { link->FormExit(Sender); };
        form->SetFormStyle(fsStayOnTop);
        form->SetBorderStyle(bsNone);
        form->Show();
        form->SetBounds(P.X, P.Y, link->PopupWidth, link->PopupHeight);
        link->CreateEditor(form);
        link->SetRect(TRect(0, 0, link->PopupWidth, link->PopupHeight));
    } else {
        link->CreateEditor(this);
        link->SetRect(R);
    }
    link->SetVisible(true);
    link->SetCellProps(BkColor, Font);
    link->SetProperties();
    GetEditorProp(realCol, ARow, link);
    link->SetEditorValue(GetEditText(ACol, ARow));
    // The focus handling may end the edit's flags; the key that started it is kept for the replay.
    const QChar start = FStartEditChar;
    link->SetFocus(true);
    FEditActive = true;
    FStartEditChar = start;
    if (TWinControl* c = link->GetEditControl()) {
        ReplayStartEditChar(c);
        EditCtrl = c;
    }
}

void TKvStringGrid::HideCustomEditControl(int RealCol, int ARow)
{
    if (FControlLook->DropDownAlwaysVisible()) {
        TEditorType kind = FDefaultEditor;
        GetCellEditor(RealCol, ARow, kind);
    }
    if (TEditLink* link = FEditLink) {
        StoreEditValue(RealCol, ARow, link->GetEditorValue());
        if (link->EditStyle != esPopup) link->SetVisible(false);
        link->RestoreWinProc();
    }
    EditMode = false;
}

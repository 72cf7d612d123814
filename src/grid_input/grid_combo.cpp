#include "grid/grid_editor_controls.h"

#include "grid/kv_string_grid.h"
#include "grid_input/grid_editor_steps.h"
#include "platform/core/exceptions.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

namespace {
// The grid's own key-down handling is protected; the combo hands keys to it
// as the grid's child editor.
struct TGridKeyAccess : TKvStringGrid {
    static void KeyDownOf(TKvStringGrid* Grid, WORD& Key, TShiftState Shift)
    {
        (Grid->*(&TGridKeyAccess::KeyDown))(Key, Shift);
    }
};

bool HasModifier(TShiftState Shift)
{
    return Shift.Contains(ssShift) || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt);
}
} // namespace

// ============================================================ the link's defaults

QString TGridComboLink::CurrentCell()
{
    const TPoint b = FGrid->BaseCell(FGrid->RealCol(), FGrid->Row());
    return FGrid->GridCells(b.X, b.Y);
}

void TGridComboLink::SetCurrentCell(const QString& Value)
{
    const TPoint b = FGrid->BaseCell(FGrid->RealCol(), FGrid->Row());
    FGrid->SetCells(b.X, b.Y, Value);
}

bool TGridComboLink::ValidateCell(const QString& Value) { return FGrid->ValidateCell(Value); }
QString TGridComboLink::NewCellText() { return FGrid->FNewCellText; }
bool TGridComboLink::EditorWantsTab() { return FGrid->EditorWantsTab(); }
void TGridComboLink::HideInplaceEdit() { FGrid->HideInplaceEdit(); }
void TGridComboLink::ShowInplaceEdit() { FGrid->ShowInplaceEdit(); }

void TGridComboLink::DoneInplaceEdit(WORD& Key, TShiftState Shift) { FGrid->DoneInplaceEdit(Key, Shift); }

void TGridComboLink::TabToNextCell(bool Backward)
{
    FGrid->EditorTabToNextCell(Backward ? TShiftState(ssShift) : TShiftState());
}

void TGridComboLink::AdvanceToNextCell(int ACol, int ARow, bool Edit, bool Recursing, bool Forward, bool AutoEdit,
                                       bool Force)
{
    FGrid->EditorAdvanceToNextCell(ACol, ARow, Edit, Recursing, Forward, AutoEdit, Force);
}
void TGridComboLink::GridKeyDown(WORD& Key, TShiftState Shift) { TGridKeyAccess::KeyDownOf(FGrid, Key, Shift); }
bool TGridComboLink::Lookup() { return FGrid->Lookup; }
bool TGridComboLink::LookupCaseSensitive() { return FGrid->LookupCaseSensitive; }
bool TGridComboLink::LookupHistory() { return FGrid->LookupHistory; }
bool TGridComboLink::LButFlg() { return FGrid->LButFlg; }
void TGridComboLink::SetLButFlg(bool Value) { FGrid->LButFlg = Value; }
UINT TGridComboLink::WheelMsg() { return WM_MOUSEWHEEL; }
void TGridComboLink::ComboChange(int ACol, int ARow, int AItemIndex, const QString& ASelection)
{
    if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, ACol, ARow, AItemIndex, ASelection);
}

void TGridComboLink::ComboObjectChange(int ACol, int ARow, int AItemIndex, const QString& ASelection, TObject* AObject)
{
    if (FGrid->OnComboObjectChange) FGrid->OnComboObjectChange(FGrid, ACol, ARow, AItemIndex, ASelection, AObject);
}

// ============================================================ the combo

TGridCombo::TGridCombo(TComponent* AOwner) : TKsgComboBox(AOwner)
{
    FGrid = dynamic_cast<TKvStringGrid*>(AOwner);
    if (!FGrid) throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    FLink = std::make_unique<TGridComboLink>(FGrid);
    WorkMode = true;
    SetButtonWidth(16);
}

TGridCombo::~TGridCombo() = default;

void TGridCombo::SetLink(std::unique_ptr<TGridComboLink> Link)
{
    FLink = Link ? std::move(Link) : std::make_unique<TGridComboLink>(FGrid);
}

bool TGridCombo::ListMode() const { return FStyle == csDropDownList || DroppedDown(); }

void TGridCombo::FocusGrid()
{
    if (FGrid->CanFocus()) FGrid->SetFocus();
}

void TGridCombo::KeyDown(WORD& Key, TShiftState Shift)
{
    TNavigation* nav = FGrid->Navigation();
    const bool list = ListMode();
    bool intercepted = false;
    switch (Key) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: intercepted = true; break;
    case VK_LEFT: case VK_RIGHT: intercepted = list; break;
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_UP: case VK_DOWN: intercepted = !list; break;
    default: break;
    }
    WorkMode = Key != VK_BACK && Key != VK_DELETE;

    // Up and Down leave the combo for the grid when it does not keep them.
    if ((Key == VK_UP || Key == VK_DOWN) && !nav->ComboGetUpDown() && !DroppedDown()) {
        FLink->HideInplaceEdit();
        const bool alwaysEdit = nav->AlwaysEdit();
        nav->SetAlwaysEdit(false);
        FocusGrid();
        nav->SetAlwaysEdit(alwaysEdit);
        FLink->GridKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    // Alt+Down opens the list.
    if (Key == VK_DOWN && Shift.Contains(ssAlt)) intercepted = false;
    if (!intercepted) {
        TKsgComboBox::KeyDown(Key, Shift);
        return;
    }

    if (Key == VK_ESCAPE) {
        // Cancel: the cell's own text comes back, nothing is checked.
        const QString cell = FLink->CurrentCell();
        SetText(cell);
        const int i = Items()->IndexOf(cell);
        if (i >= 0) SetItemIndex(i);
        if (DroppedDown()) SetDroppedDown(false);
        FLink->HideInplaceEdit();
        FocusGrid();
    }

    if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        FLink->SetCurrentCell(Text());
        if (!FLink->ValidateCell(Text())) {
            SetText(FLink->NewCellText());
            if (FStyle != csDropDownList) SelectAll();
            Invalidate();
            Key = 0;
            return;
        }
        if (FStyle == csDropDownList) SelectItem(FLink->CurrentCell());
        else SetText(FLink->CurrentCell());
    }

    if (Key == VK_TAB && FLink->EditorWantsTab()) {
        FLink->SetCurrentCell(Text());
        if (!FLink->ValidateCell(Text())) {
            SetText(FLink->NewCellText());
            SetSelStart(int(Text().size()));
            Invalidate();
            Key = 0;
            return;
        }
        if (FStyle == csDropDownList) SetItemIndex(Items()->IndexOf(FLink->CurrentCell()));
        else SetText(FLink->CurrentCell());
        if (FGrid->Options().Contains(goTabs)) {
            if (DroppedDown()) SetDroppedDown(false);
            FLink->HideInplaceEdit();
            FocusGrid();
            FLink->TabToNextCell(GetKeyState(VK_SHIFT) < 0);
            Key = 0;
            return;
        }
        PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
    }

    // Leaving the editor.
    if (list) {
        if (DroppedDown()) SetDroppedDown(false);
        TMouseActions* ma = FGrid->MouseActions();
        const bool directClose = ma->DirectComboClose();
        ma->SetDirectComboClose(false);
        FLink->HideInplaceEdit();
        ma->SetDirectComboClose(directClose);
        if (Key == VK_LEFT || Key == VK_RIGHT) {
            FLink->GridKeyDown(Key, Shift);
            Key = 0;
        }
    } else if (Key == VK_END) {
        TKsgComboBox::KeyDown(Key, Shift);
        return;
    }

    FLink->DoneInplaceEdit(Key, Shift);
    if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit()) FLink->ShowInplaceEdit();
    Key = 0;
    TKsgComboBox::KeyDown(Key, Shift);
}

void TGridCombo::KeyPress(QChar& Key)
{
    const int before = ItemIndex();
    // The handlers see the combo as Sender while it edits.
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
    if (Key == QChar(VK_ESCAPE)) Key = QChar();
    if (Key == QChar(VK_RETURN) && OnReturnKey) OnReturnKey(this);
    if (Key == QChar(VK_RETURN) || Key == QChar(VK_TAB)) Key = QChar();
    TKsgComboBox::KeyPress(Key);
    const int after = ItemIndex();
    if (after == before) return;
    const int rc = FGrid->RealColIndex(FGrid->Col());
    FLink->ComboChange(rc, FGrid->Row(), after, Text());
    FLink->ComboObjectChange(rc, FGrid->Row(), after, Text(), after >= 0 ? Items()->Objects(after) : nullptr);
}

void TGridCombo::KeyUp(WORD& Key, TShiftState Shift)
{
    TNavigation* nav = FGrid->Navigation();
    const bool walkable = FStyle == csDropDown && nav->CursorWalkEditor() && SelLength() == 0 && !HasModifier(Shift);
    if (Key == VK_LEFT && walkable && SelStart() == 0) {
        Key = 0;
        CursorWalk(false);
    } else if (Key == VK_RIGHT && walkable && SelStart() == int(Text().size())) {
        Key = 0;
        CursorWalk(true);
    }
    if (Key != VK_RETURN) TKsgComboBox::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::CursorWalk(bool Forward)
{
    const int col = FGrid->Col(), row = FGrid->Row();
    int target = col - 1;
    bool clickCell = false;
    if (Forward) {
        target = col + FGrid->CellSpan(col, row).X + 1;
        clickCell = col < FGrid->ColCount() - FGrid->FixedRightCols() - 1 && FGrid->HasClickControl(target, row);
    } else {
        clickCell = col > FGrid->FixedCols() && FGrid->HasClickControl(target, row);
    }
    if (clickCell) {
        // No editor opens on a check box or button cell: move only after an accepted text.
        if (FLink->ValidateCell(Text())) {
            FLink->HideInplaceEdit();
            FGrid->SetCol(target);
        }
        return;
    }
    // The focus loss closes the editor and stores its text.
    FocusGrid();
    TNavigation* nav = FGrid->Navigation();
    const TAdvanceDirection direction = nav->AdvanceDirection();
    nav->SetAdvanceDirection(adLeftRight);
    FLink->AdvanceToNextCell(col, row, true, false, Forward, nav->AdvanceAutoEdit(), true);
    nav->SetAdvanceDirection(direction);
    if (nav->CursorWalkAlwaysEdit()) FGrid->ShowEditor();
}

void TGridCombo::DoChange()
{
    if (!WorkMode || !FLink->Lookup()) return;
    const bool caseSensitive = FLink->LookupCaseSensitive();
    const QString text = Text();
    QString prefix = text.left(SelStart());
    if (prefix.isEmpty()) return;
    if (!caseSensitive) prefix = prefix.toUpper();
    const int n = int(prefix.size());
    auto matches = [&](const QString& item) { return (caseSensitive ? item : item.toUpper()).startsWith(prefix); };
    auto complete = [&](const QString& item) {
        SetText(text.left(n) + item.mid(n, 255));
    };
    auto selectTail = [&] {
        SetSelStart(n);
        SetSelLength(int(Text().size()) - n);
    };
    for (int i = 0; i < Items()->Count(); ++i) {
        if (!matches(Items()->Strings(i))) continue;
        complete(Items()->Strings(i));
        SetItemIndex(i);
        selectTail();
        return;
    }
    TStringList* lookup = FGrid->LookupItems();
    for (int i = 0; lookup && i < lookup->Count(); ++i) {
        if (!matches(lookup->Strings(i))) continue;
        complete(lookup->Strings(i));
        selectTail();
        return;
    }
}

void TGridCombo::Change()
{
    TKsgComboBox::Change();
    // The display column, as the text editor reports it.
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridCombo::DoExit()
{
    const QString t = Text();
    if (FLink->LookupHistory() && !t.isEmpty() && Items()->IndexOf(t) < 0) Items()->Add(t);
    FLink->HideInplaceEdit();
    TKsgComboBox::DoExit();
}

void TGridCombo::SizeDropDownWidth()
{
    int w = FWidth;
    const bool scrollBar = Items()->Count() > DropDownCount();
    TCanvas* c = FGrid->Canvas();
    for (int i = 0; i < Items()->Count(); ++i) {
        const int t = c->TextWidth(Items()->Strings(i));
        if (scrollBar) {
            if (t > w - 25) w = t + 25;
        } else if (t > w - 5) {
            w = t + 8;
        }
    }
    Perform(CB_SETDROPPEDWIDTH, WPARAM(w));
}

void TGridCombo::PlaceCaret()
{
    if (!FGrid->Navigation()->EditSelectAll() && FStyle == csDropDown) SetSelStart(int(Text().size()));
    if (!FLink->LButFlg()) return;
    const int pos = KvGridInput::CharUnderMouse(this);
    if (pos == -1) return;
    SetSelStart(pos);
    SetSelLength(0);
    FLink->SetLButFlg(false);
}

void TGridCombo::WndProc(TMessage& m)
{
    const UINT wheel = FLink->WheelMsg();
    if (wheel != 0 && m.Msg == wheel) {
        // Towards the user (negative delta) selects the next item, away the previous one.
        const bool towards = int16_t(m.WParamHi()) < 0;
        const int n = Items()->Count();
        int i = ItemIndex();
        if (towards) {
            if (i < n - 1) ++i;
        } else if (i > 0) {
            --i;
        }
        if (i != ItemIndex()) SetItemIndex(i);
        const QString text = i >= 0 ? Items()->Strings(i) : Text();
        TObject* object = i >= 0 ? Items()->Objects(i) : nullptr;
        const int rc = FGrid->RealColIndex(FGrid->Col());
        if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, rc, FGrid->Row(), text);
        FLink->ComboChange(rc, FGrid->Row(), i, text);
        FLink->ComboObjectChange(rc, FGrid->Row(), i, text, object);
        m.Result = 0;
        return;
    }
    switch (m.Msg) {
    case CM_WANTSPECIALKEY: {
        TKsgComboBox::WndProc(m);
        const WORD vk = WORD(m.WParam);
        // Return and Escape never reach the form's default and cancel buttons.
        if (vk == VK_RETURN || vk == VK_ESCAPE) m.Result = 1;
        else if (vk == VK_TAB && FLink->EditorWantsTab()) m.Result = 1;
        return;
    }
    case WM_SETFOCUS:
        TKsgComboBox::WndProc(m);
        PlaceCaret();
        return;
    default:
        break;
    }
    TKsgComboBox::WndProc(m);
}

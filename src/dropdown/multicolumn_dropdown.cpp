#include "dropdown/multicolumn_dropdown.h"

#include "dropdown/table_dropdown.h"
#include "platform/ui/messages.h"

#include <algorithm>
#include <cmath>

TKvMultiColumnDropDown::TKvMultiColumnDropDown(TComponent* AOwner)
    : TKvCustomDropDown(AOwner),
      FItems(std::make_unique<TMultiColumnDropDownItems>(this)),
      FColumns(std::make_unique<TMultiColumnDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()),
      FLookupItems(std::make_unique<TStringList>())
{
    ConstructOverrides();
    // The own fields are set after the base's construction, over what the
    // style calls wrote (the header font keeps the style's colour).
    FHeaderColorTo = 0x00808080;
    FHeaderColor = 0x00FFFFFF;
    FItemIndex = -1;
    FHeaderHeight = 25;
    FSelectionTextColor = 0;
    SetDropDownColor(0x00FFFFFF);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetSelectionColorStyle(scOffice2007);
}

TKvMultiColumnDropDown::~TKvMultiColumnDropDown() = default;

void TKvMultiColumnDropDown::Assign(const TPersistent* Source)
{
    TKvCustomDropDown::Assign(Source);
    auto* S = dynamic_cast<const TKvMultiColumnDropDown*>(Source);
    if (!S) return;
    FCaseSensitive = S->FCaseSensitive;
    FDropDownAutoWidth = S->FDropDownAutoWidth;
    FDropDownRowHeight = S->FDropDownRowHeight;
    FLineColor = S->FLineColor;
    FFixedLineColor = S->FFixedLineColor;
    FColumnSizing = S->FColumnSizing;
    FColumnSizeWithDropDown = S->FColumnSizeWithDropDown;
    FColumns->Assign(S->FColumns.get());
    FHeaderColor = S->FHeaderColor;
    FHeaderColorTo = S->FHeaderColorTo;
    FHeaderHeight = S->FHeaderHeight;
    FHeaderFont->Assign(*S->FHeaderFont);
    FLookupColumn = S->FLookupColumn;
    FSelectionTextColor = S->FSelectionTextColor;
    FItems->Assign(S->FItems.get());
    FItemIndex = S->FItemIndex;
}

void TKvMultiColumnDropDown::Loaded()
{
    TKvCustomDropDown::Loaded();
    BuildLookupList();
}

void TKvMultiColumnDropDown::BuildLookupList()
{
    if (FLookupColumn < 0 || FItems->Count() == 0) return;
    FLookupItems->Clear();
    for (int i = 0; i < FItems->Count(); ++i) FLookupItems->Add(FItems->Items(i)->ColumnText(FLookupColumn));
}

QString TKvMultiColumnDropDown::LookupTextOf(int Item) const
{
    if (Item < 0 || Item >= FItems->Count()) return QString();
    return FItems->Items(Item)->ColumnText(FLookupColumn);
}

int TKvMultiColumnDropDown::GetItemIndex(const QString& Value) const
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (LookupTextOf(i) == Value) return i;
    return -1;
}

void TKvMultiColumnDropDown::SetItemIndex(int Value)
{
    if (Value >= FItems->Count()) return;
    FItemIndex = Value;
    // A chosen item's text is not a typed one: it reaches Change without being completed.
    const bool Typing = workmode;
    workmode = false;
    SetText(Value < 0 ? QString() : LookupTextOf(Value));
    workmode = Typing;
}

void TKvMultiColumnDropDown::SelectFirst()
{
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TKvMultiColumnDropDown::SelectLast()
{
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TKvMultiColumnDropDown::SelectNext()
{
    if (FItems->Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex < FItems->Count() - 1) SetItemIndex(FItemIndex + 1);
}

void TKvMultiColumnDropDown::SelectPrevious()
{
    if (FItems->Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex > 0) SetItemIndex(FItemIndex - 1);
}

void TKvMultiColumnDropDown::SelectNextPage()
{
    if (FItems->Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else SetItemIndex(std::min(FItemIndex + 10, FItems->Count() - 1));
}

void TKvMultiColumnDropDown::SelectPreviousPage()
{
    if (FItems->Count() == 0) return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::max(FItemIndex - 10, 0));
}

// ---------------------------------------------------------------- styles

void TKvMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    ApplyTableLineStyle(*this, Value);
    TKvCustomDropDown::SetSelectionColorStyle(Value);
}

void TKvMultiColumnDropDown::SetComponentStyle(TQRVStyle AStyle)
{
    TKvCustomDropDown::SetComponentStyle(AStyle);
    ApplyTableStyle(*this, AStyle);
}

// ---------------------------------------------------------------- typing

void TKvMultiColumnDropDown::Change()
{
    FItemChange = false;
    TKvCustomDropDown::Change();
    if ((ComponentState() & csDesigning) || !workmode) return;
    const QString Cur = Text();
    // The old value is never recorded, so "modified" means "not empty".
    SetModified(Cur != FOldValue);
    const TTypedCompletion c = CompleteTyped(*FLookupItems, Cur, SelStart(), FMatchCase);
    if (c.Index >= 0) {
        FItemIndex = FItemIdx = c.Index;
        FItemSel = c.TypedLength;
        FItemChange = true;
        if (c.Completed != Cur) {
            workmode = false; // the completion's own change must not complete again
            SetText(c.Completed);
            workmode = true;
            FItemChange = true;
        }
        Perform(EM_SETSEL, WPARAM(Text().size()), LPARAM(c.TypedLength));
        return;
    }
    if (!c.Typed.isEmpty() && c.Typed != Cur) {
        workmode = false;
        SetText(c.Typed);
        workmode = true;
        SetSelStart(c.Typed.size());
        SetSelLength(0);
    }
}

void TKvMultiColumnDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TKvCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    workmode = !(Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE);
    if (Key == VK_RETURN) {
        const QString Cur = Text();
        for (int i = 0; i < FLookupItems->Count(); ++i) {
            if (FLookupItems->Get(i).compare(Cur, Qt::CaseInsensitive) != 0) continue;
            // The entry's own spelling, not completed again: the caret goes to its end, so
            // the change that follows sees the whole text as typed.
            const bool typing = workmode;
            workmode = false;
            SetText(FLookupItems->Get(i));
            workmode = typing;
            SetItemIndex(i);
            SetSelStart(Text().size());
            Change();
            break;
        }
        if (FReturnIsTab) {
            PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
            Key = 0;
        }
    }
    TKvCustomDropDown::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE) {
        int Found = -1;
        const QString Cur = Text();
        for (int i = 0; i < FLookupItems->Count() && Found < 0; ++i)
            if (FLookupItems->Get(i).compare(Cur, Qt::CaseInsensitive) == 0) Found = i;
        SetItemIndex(Found);
    }
}

void TKvMultiColumnDropDown::KeyPress(QChar& Key)
{
    if (Key == QChar(VK_RETURN) && FReturnIsTab) {
        Key = QChar(0);
        return;
    }
    TKvCustomDropDown::KeyPress(Key);
}

void TKvMultiColumnDropDown::KeyUp(WORD& Key, TShiftState Shift)
{
    if (!(Key == VK_RETURN && FReturnIsTab)) TKvCustomDropDown::KeyUp(Key, Shift);
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        SetSelStart(FItemSel);
        SetSelLength(Text().size() - FItemSel);
        FItemChange = false;
    }
}

void TKvMultiColumnDropDown::WndProc(TMessage& Message)
{
    // The key as it came: the inherited handling drops it when the edit cannot be typed into.
    const WPARAM key = Message.WParam;
    TKvCustomDropDown::WndProc(Message);
    if (Message.Msg != WM_KEYDOWN || !Enabled() || GetKeyState(VK_MENU) < 0) return;
    switch (key) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END: if (!EditorEnabled()) SelectLast(); break;
    case VK_HOME: if (!EditorEnabled()) SelectFirst(); break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    default: break;
    }
}

void TKvMultiColumnDropDown::HandleMouseWheelDown()
{
    TKvCustomDropDown::HandleMouseWheelDown();
    SelectNext();
}

void TKvMultiColumnDropDown::HandleMouseWheelUp()
{
    TKvCustomDropDown::HandleMouseWheelUp();
    SelectPrevious();
}

// ---------------------------------------------------------------- popup

void TKvMultiColumnDropDown::CreateDropDownForm()
{
    TKvCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm || FKvColGrid) return;
    FKvColGrid = new TMultiColumnGrid(this);
    FKvColGrid->SetParent(FDropDownForm);
    FKvColGrid->SetDropDown(this);
    FKvColGrid->SetBounds(0, 0, FKvColGrid->Width(), 180);
    FKvColGrid->SetColor(DropDownColor());
}

void TKvMultiColumnDropDown::PlaceDropDownControl()
{
    SetControl(FKvColGrid);
    TKvCustomDropDown::PlaceDropDownControl();
}

void TKvMultiColumnDropDown::GridRowChanged(int ARow)
{
    // While the wheel scrolls or the popup is being shown the item stays.
    if (!FKvColGrid || FKvColGrid->MouseWheelSelection() || FShowing) return;
    SetItemIndex(ARow - 1);
}

void TKvMultiColumnDropDown::GridSelect()
{
    if (FKvColGrid && FKvColGrid->ConfirmSelection()) SetItemIndex(FKvColGrid->Row() - 1);
    DoHideDropDown(false);
    if (OnSelect) OnSelect(this);
}

void TKvMultiColumnDropDown::BeforeDropDown()
{
    TKvCustomDropDown::BeforeDropDown();
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    FShowing = true;
    if (!FKvColGrid) return;
    FKvColGrid->UpdateFromDropDown(this);
    FKvColGrid->SetOptions(FKvColGrid->Options() | goThumbTracking);
    FKvColGrid->SetColor(DropDownColor());
    FKvColGrid->OnSelectCell = [this](TObject*, int, int ARow, bool&) { GridRowChanged(ARow); };
    FKvColGrid->OnSelect = [this](TObject*) { GridSelect(); };
    if (FKvColGrid->RowCount() > 1) FKvColGrid->SetRow(std::max(1, FItemIndex + 1));
    FOldItemIndex = FItemIndex;
}

void TKvMultiColumnDropDown::AdjustDropDownHeight(int& Height)
{
    Height = WholeRowPopupHeight(Height, HeaderPanelHeight() + FooterPanelHeight(), FHeaderHeight, FDropDownRowHeight, 2);
}

void TKvMultiColumnDropDown::UpdateDropDownSize()
{
    TKvCustomDropDown::UpdateDropDownSize();
    if (!FDropDownAutoWidth || !FKvColGrid || !FDropDownForm) return;
    FKvColGrid->SetAlign(alNone);
    const int w = FKvColGrid->GetTotalWidth();
    FKvColGrid->SetWidth(w);
    FDropDownForm->SetWidth(w + 2 * DropDownBorderWidth());
    FKvColGrid->SetAlign(alClient);
}

void TKvMultiColumnDropDown::DoShowDropDown()
{
    TKvCustomDropDown::DoShowDropDown();
    SizeColumnsToDropDown();
    if (FKvColGrid && FKvColGrid->RowCount() > 1) {
        const int r = std::max(1, FItemIndex + 1);
        FKvColGrid->SetRow(r);
        const int vis = FKvColGrid->VisibleRowCount();
        if (r < FKvColGrid->TopRow() || r >= FKvColGrid->TopRow() + vis)
            FKvColGrid->SetTopRow(std::max(1, r - vis + 1));
    }
    FShowing = false;
}

void TKvMultiColumnDropDown::DoHideDropDown(bool Cancelled)
{
    if (!FDropDownForm || !FDropDownForm->isVisible()) {
        TKvCustomDropDown::DoHideDropDown(Cancelled);
        return;
    }
    TKvCustomDropDown::DoHideDropDown(Cancelled);
    if (Cancelled) SetItemIndex(FOldItemIndex);
    else if (FKvColGrid && FKvColGrid->ConfirmSelection()) SetItemIndex(FKvColGrid->Row() - 1);
    FOldItemIndex = FItemIndex;
}

void TKvMultiColumnDropDown::DropDownFormSizing()
{
    TKvCustomDropDown::DropDownFormSizing();
    SizeColumnsToDropDown();
}

void TKvMultiColumnDropDown::SizeColumnsToDropDown()
{
    if (!FColumnSizeWithDropDown || !FKvColGrid || !FDropDownForm) return;
    FKvColGrid->SetScrollBars(ssVertical);
    if (FKvColGrid->ColCount() == 0 || FColumns->Count() == 0) return;
    int Avail = FDropDownForm->Width();
    if (FKvColGrid->VisibleRowCount() + FKvColGrid->FixedRows() < FKvColGrid->RowCount())
        Avail -= GetSystemMetrics(SM_CXVSCROLL);
    std::vector<int> Widths;
    for (int i = 0; i < FKvColGrid->ColCount(); ++i) Widths.push_back(FKvColGrid->ColWidths(i));
    Widths = ScaleColumnWidths(Widths, Avail);
    for (int i = 0; i < int(Widths.size()); ++i) FKvColGrid->SetColWidths(i, Widths[i]);
}

// ---------------------------------------------------------------- keys of the open popup

void TKvMultiColumnDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    if (!Shift.Contains(ssAlt) && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN)) return;
    TKvCustomDropDown::ControlKeyDown(Key, Shift);
}

void TKvMultiColumnDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (!Shift.Contains(ssAlt) && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN)) return;
    TKvCustomDropDown::ControlKeyUp(Key, Shift);
}

void TKvMultiColumnDropDown::ControlKeyPress(QChar& Key)
{
    const ushort k = Key.unicode();
    const bool Nav = k == VK_RETURN || k == VK_ESCAPE || k == VK_PRIOR || k == VK_NEXT || k == VK_END
                     || k == VK_HOME || k == VK_UP || k == VK_DOWN;
    if (Nav && GetKeyState(VK_MENU) >= 0) return;
    if (FKvColGrid && FKvColGrid->EditorMode()) return;
    IncrementalLookup(Key);
}

int TKvMultiColumnDropDown::LookupText(const QString& Value)
{
    if (!FKvColGrid) return -1;
    const QString v = FCaseSensitive ? Value : Value.toUpper();
    for (int i = 0; i < FItems->Count(); ++i) {
        const QString t = FCaseSensitive ? LookupTextOf(i) : LookupTextOf(i).toUpper();
        if (t.startsWith(v)) return i;
    }
    return -1;
}

int TKvMultiColumnDropDown::IncrementalLookup(QChar Key)
{
    if (Key == QChar(VK_BACK)) {
        if (SelLength() == 0) {
            FLookupEntry.chop(1);
            SetText(FLookupEntry);
            SetSelStart(FLookupEntry.size());
        } else {
            QString t = Text();
            t.remove(SelStart(), SelLength());
            SetText(t);
            SetSelStart(t.size());
        }
        return -1;
    }
    if (Key != QChar(VK_TAB)) FLookupEntry += Key;
    auto Take = [this](int i) {
        FItemIndex = i;
        SetText(LookupTextOf(i));
        SetSelStart(FLookupEntry.size());
        SetSelLength(Text().size() - FLookupEntry.size());
    };
    int Found = LookupText(FLookupEntry);
    if (Found >= 0) {
        Take(Found);
    } else {
        Found = LookupText(QString(Key));
        if (Found >= 0) {
            FLookupEntry = QString(Key);
            Take(Found);
        } else {
            FLookupEntry.clear();
        }
    }
    if (Found < 0) {
        FLookupEntry.clear();
        return -1;
    }
    if (FKvColGrid && Found + 1 < FKvColGrid->RowCount()) {
        const int r = Found + 1;
        if (r < FKvColGrid->TopRow() || r >= FKvColGrid->TopRow() + FKvColGrid->VisibleRowCount())
            FKvColGrid->SetTopRow(r);
        FKvColGrid->FocusCell(0, r, true);
    }
    return Found;
}

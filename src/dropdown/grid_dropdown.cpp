#include "dropdown/grid_dropdown.h"

#include "dropdown/table_dropdown.h"
#include "platform/ui/messages.h"

#include <algorithm>
#include <cmath>

namespace {
bool IsNavigationKey(WORD Key)
{
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
}

// Passes a grid event on to the drop-down's event of the same signature.
template <class... A>
std::function<void(TObject*, A...)> Forward(const std::function<void(TObject*, A...)>& Target)
{
    return [&Target](TObject* Sender, A... Args) {
        if (Target) Target(Sender, std::forward<A>(Args)...);
    };
}
} // namespace

TCustomKvGridDropDown::TCustomKvGridDropDown(TComponent* AOwner)
    : TKvCustomDropDown(AOwner),
      FHeaderFont(std::make_unique<TFont>()),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FLookupItems(std::make_unique<TStringList>()),
      FSearchFooter(std::make_unique<TSearchFooter>(this, false)),
      FBands(std::make_unique<TBands>()),
      FNavigation(std::make_unique<TNavigation>()),
      FMouseActions(std::make_unique<TMouseActions>(this))
{
    FItems = CreateItems(this);
    ConstructOverrides();
    // The own fields follow the base construction, over what the style calls wrote.
    FColumnSizing = FColumnMoving = FRowSizing = FRowMoving = false;
    FLookupColumn = 0;
    FHeaderColorTo = 0x00808080;
    FHeaderColor = 0x00FFFFFF;
    FHeaderHeight = 25;
    FLineColor = 0x00C0C0C0;
    FRowSelect = true;
    FLookupMethod = lmLookup;
    SetDropDownColor(0x00FFFFFF);
    SetDropDownHeight(200);
    FItemIndex = -1;
    FUseItems = true;
    FOldItemIndex = -1;
    workmode = true;
    FMatchCase = false;
    FDropDownAutoWidth = true;
    SetSelectionColorStyle(scOffice2007);
    FSelectionTextColor = 0;
    FColumnSizeWithDropDown = true;
    FAutoSizeColumns = true;
    FDropDownRowHeight = 22;
    FHoverRow = false;
    FHoverRowColor = clInfoBk;
    FHoverRowColorTo = clNone;
    FNavigation->SetHomeEndKey(heFirstLastRow);
}

TCustomKvGridDropDown::~TCustomKvGridDropDown() = default;

std::unique_ptr<TDropDownItems> TCustomKvGridDropDown::CreateItems(TPersistent* AOwner)
{
    return std::make_unique<TDropDownItems>(AOwner);
}

void TCustomKvGridDropDown::SetStyle(TDropDownStyle v)
{
    FStyle = v;
    SetEditorEnabled(v == dsDropDown);
}

void TCustomKvGridDropDown::SetGridImages(TImageList* v)
{
    FGridImages = v;
    if (FKvColGrid) FKvColGrid->SetGridImages(v);
}

void TCustomKvGridDropDown::Loaded()
{
    TKvCustomDropDown::Loaded();
    BuildLookupList();
    if (FKvColGrid) FKvColGrid->FillFromItems();
}

void TCustomKvGridDropDown::DoEnter()
{
    TKvCustomDropDown::DoEnter();
    if (FKvColGrid) FKvColGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

void TCustomKvGridDropDown::BuildLookupList()
{
    FLookupItems->Clear();
    for (int i = 0; i < FItems->Count(); ++i) FLookupItems->Add(FItems->ItemText(i, FLookupColumn));
}

// ---------------------------------------------------------------- items and rows

void TCustomKvGridDropDown::SetItemIndex(int Value)
{
    // A chosen row's text is not a typed one: it reaches Change without being completed.
    const bool Typing = workmode;
    workmode = false;
    if (FUseItems) {
        if (Value < FItems->Count()) {
            FItemIndex = std::max(Value, -1);
            SetText(Value >= 0 && FLookupColumn >= 0 ? FItems->ItemText(Value, FLookupColumn) : QString());
        }
    } else if (!FKvColGrid) {
        FItemIndex = Value;
    } else if (Value != FItemIndex && Value < FKvColGrid->RowCount()) {
        FItemIndex = std::max(Value, -1);
        SetText(Value >= 0 ? FKvColGrid->Cells(FLookupColumn, Value + 1) : QString());
    }
    workmode = Typing;
}

int TCustomKvGridDropDown::ItemOfRow(int ARow) const
{
    if (!FKvColGrid || ARow < 0 || ARow >= FKvColGrid->RowCount()) return ARow;
    return int(reinterpret_cast<intptr_t>(FKvColGrid->Objects(0, ARow)));
}

int TCustomKvGridDropDown::RowOfItem(int Item) const
{
    if (!FKvColGrid || Item < 0) return FItemIndex;
    for (int r = FKvColGrid->FixedRows(); r < FKvColGrid->RowCount(); ++r)
        if (ItemOfRow(r) == Item) return r;
    return FItemIndex;
}

bool TCustomKvGridDropDown::LookupText(const QString& Prefix, QString& Text, int& Row)
{
    const QString P = FCaseSensitive ? Prefix : Prefix.toUpper();
    const auto Starts = [&](const QString& S) { return (FCaseSensitive ? S : S.toUpper()).startsWith(P); };
    if (FUseItems) {
        for (int i = 0; i < FItems->Count(); ++i) {
            const QString S = FItems->ItemText(i, FLookupColumn);
            if (!Starts(S)) continue;
            Text = S;
            Row = i;
            return true;
        }
    } else if (FKvColGrid) {
        for (int r = FKvColGrid->FixedRows(); r < FKvColGrid->RowCount(); ++r) {
            const QString S = FKvColGrid->Cells(FLookupColumn, r);
            if (!Starts(S)) continue;
            Text = S;
            Row = r;
            return true;
        }
    }
    Text.clear();
    Row = -1;
    return false;
}

int TCustomKvGridDropDown::NavigationCount() const
{
    if (FUseItems) return FItems->Count();
    return FKvColGrid ? FKvColGrid->RowCount() - FKvColGrid->FixedRows() : 0;
}

void TCustomKvGridDropDown::SelectFirst()
{
    if (NavigationCount() > 0) SetItemIndex(0);
}

void TCustomKvGridDropDown::SelectLast()
{
    if (NavigationCount() > 0) SetItemIndex(NavigationCount() - 1);
}

void TCustomKvGridDropDown::SelectNext()
{
    const int n = NavigationCount();
    if (n == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex < n - 1) SetItemIndex(FItemIndex + 1);
}

void TCustomKvGridDropDown::SelectPrevious()
{
    if (NavigationCount() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex > 0) SetItemIndex(FItemIndex - 1);
}

void TCustomKvGridDropDown::SelectNextPage()
{
    const int n = NavigationCount();
    if (n == 0) return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::min(FItemIndex + 10, n - 1));
}

void TCustomKvGridDropDown::SelectPreviousPage()
{
    if (NavigationCount() == 0) return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::max(FItemIndex - 10, 0));
}

void TCustomKvGridDropDown::HandleMouseWheelDown()
{
    TKvCustomDropDown::HandleMouseWheelDown();
    SelectNext();
}

void TCustomKvGridDropDown::HandleMouseWheelUp()
{
    TKvCustomDropDown::HandleMouseWheelUp();
    SelectPrevious();
}

// ---------------------------------------------------------------- styles

void TCustomKvGridDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    ApplyTableLineStyle(*this, Value);
    TKvCustomDropDown::SetSelectionColorStyle(Value);
}

void TCustomKvGridDropDown::SetComponentStyle(TQRVStyle AStyle)
{
    TKvCustomDropDown::SetComponentStyle(AStyle);
    // The 2010 styles leave the table's colours as they are.
    if (AStyle < tsOffice2010Blue) ApplyTableStyle(*this, AStyle);
}

// ---------------------------------------------------------------- popup

void TCustomKvGridDropDown::CreateDropDownForm()
{
    TKvCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm || FKvColGrid) return;
    FKvColGrid = new TKvColGrid(this);
    FKvColGrid->SetParent(FDropDownForm);
    FKvColGrid->SetDropDown(this);
    FKvColGrid->SetBounds(0, 0, FKvColGrid->Width(), 180);
    FKvColGrid->SetColor(DropDownColor());
    FKvColGrid->Navigation()->SetHomeEndKey(heFirstLastRow);
}

void TCustomKvGridDropDown::PlaceDropDownControl()
{
    SetControl(FKvColGrid);
    TKvCustomDropDown::PlaceDropDownControl();
}

void TCustomKvGridDropDown::SetBlockActivate(bool Value)
{
    if (FDropDownForm) FDropDownForm->SetBlockActivate(Value);
}

template <class... A>
std::function<void(TObject*, A...)> TCustomKvGridDropDown::Blocked(const std::function<void(TObject*, A...)>& Target)
{
    return [this, &Target](TObject* Sender, A... Args) {
        if (!Target) return;
        SetBlockActivate(true);
        Target(Sender, std::forward<A>(Args)...);
        SetBlockActivate(false);
    };
}

void TCustomKvGridDropDown::WireGridEvents()
{
    TKvColGrid* G = FKvColGrid;
    G->OnStartBlockFocus = [this](TObject*) { SetBlockActivate(true); };
    G->OnEndBlockFocus = [this](TObject*) { SetBlockActivate(false); };
    G->OnSelect = [this](TObject*) { GridRowChosen(); };
#define KV_WIRE(Name, GridEvent) G->GridEvent = Forward(OnGrid##Name);
    KV_GRID_DROPDOWN_PLAIN_EVENTS(KV_WIRE)
#undef KV_WIRE
    G->OnAnchorClick = Blocked(OnGridAnchorClick);
    G->OnButtonClick = Blocked(OnGridButtonClick);
    G->OnEllipsClick = Blocked(OnGridEllipsClick);
    G->OnCustomCellDraw = OnGridCustomCellDraw ? Forward(OnGridCustomCellDraw) : nullptr;
    G->OnCustomCellBkgDraw = OnGridCustomCellBkgDraw ? Forward(OnGridCustomCellBkgDraw) : nullptr;
    G->OnGetAlignment = [this](TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign) {
        if (ACol >= 0 && ACol < FColumns->Count()) HAlign = FColumns->Items(ACol)->Alignment();
        if (OnGridGetAlignment) OnGridGetAlignment(Sender, ARow, ACol, HAlign, VAlign);
    };
    G->OnGetCellColor = [this](TObject* Sender, int ARow, int ACol, TGridDrawState State, TBrush* ABrush,
                               TFont* AFont) {
        if (ACol >= 0 && ACol < FColumns->Count() && ABrush) ABrush->SetColor(FColumns->Items(ACol)->Color());
        if (OnGridGetCellColor) OnGridGetCellColor(Sender, ARow, ACol, State, ABrush, AFont);
    };
    G->OnMouseMove = [this](TObject* Sender, TShiftState Shift, int X, int Y) {
        // Balloons start again with every opening.
        if (!FBalloonInit && FKvColGrid->Balloon()->Enable()) {
            FKvColGrid->Balloon()->SetEnable(false);
            FKvColGrid->Balloon()->SetEnable(true);
        }
        FBalloonInit = true;
        if (OnGridMouseMove) OnGridMouseMove(Sender, Shift, X, Y);
    };
    G->OnTopLeftChanged = [this](TObject*) {
        if (OnGridTopLeftChanged) OnGridTopLeftChanged(this);
    };
    G->OnCanSort = [this](TObject* Sender, int ACol, bool& Allow) {
        FTempItemIndex = FItemIndex;
        if (OnGridCanSort) OnGridCanSort(Sender, ACol, Allow);
    };
    G->OnClickSort = [this](TObject* Sender, int ACol) {
        if (FTempItemIndex >= 0) {
            const int r = RowOfItem(FTempItemIndex);
            if (r >= FKvColGrid->FixedRows() && r < FKvColGrid->RowCount()) FKvColGrid->SetRow(r);
        }
        if (OnGridClickSort) OnGridClickSort(Sender, ACol);
    };
    G->OnSelectCell = [this](TObject*, int, int ARow, bool&) { GridSelectCell(ARow); };
}

void TCustomKvGridDropDown::BeforeDropDown()
{
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    TKvColGrid* G = FKvColGrid;
    if (G) {
        G->InitFromDropDown(this);
        G->SetColor(DropDownColor());
        G->SortSettings()->SetShow(FSorting != gsNone);
        G->SortSettings()->IndexShow = FSorting == gsMultiColumn;
        FBalloonInit = false;
        G->SetGridImages(FGridImages);
        WireGridEvents();
        G->SearchFooter()->Assign(FSearchFooter.get());
        G->MouseActions()->Assign(FMouseActions.get());
        G->Navigation()->Assign(FNavigation.get());
        G->Bands()->Assign(FBands.get());
        TGridOptions o = G->Options() | goThumbTracking;
        o = FRowSelect ? o | goRowSelect : o - TGridOptions(goRowSelect);
        o = FGridEditable ? o | goEditing : o - TGridOptions(goEditing);
        G->SetOptions(o);
        G->SetComponentStyle(GetComponentStyle());
    }
    if (FUseItems) {
        TKvCustomDropDown::BeforeDropDown();
        if (G) {
            G->SetRowCount(FItems->Count() + 1);
            G->SetFixedRows(1);
            G->FillFromItems();
            const int r = FItemIndex + 1;
            if (FItemIndex >= 0 && r < G->RowCount()) G->SetRow(r);
        }
    } else if (G) {
        QString T;
        int Row = -1;
        G->SetRow(LookupText(Text(), T, Row) ? Row : G->FixedRows());
    }
    if (G && G->SortSettings()->Column >= 0 && G->SortSettings()->Show) G->QSort();
    FOldItemIndex = FItemIndex;
    if (!FUseItems) TKvCustomDropDown::BeforeDropDown();
}

void TCustomKvGridDropDown::AdjustDropDownHeight(int& Height)
{
    Height = WholeRowPopupHeight(Height, HeaderPanelHeight() + FooterPanelHeight(), FHeaderHeight, FDropDownRowHeight, 6);
}

void TCustomKvGridDropDown::UpdateDropDownSize()
{
    TKvCustomDropDown::UpdateDropDownSize();
    if (!FDropDownAutoWidth || !FKvColGrid || !FDropDownForm) return;
    FKvColGrid->SetAlign(alNone);
    const int w = FKvColGrid->GetGridWidth();
    FKvColGrid->SetWidth(w);
    FDropDownForm->SetWidth(w + 2 * DropDownBorderWidth());
    FKvColGrid->SetAlign(alClient);
}

void TCustomKvGridDropDown::DoShowDropDown()
{
    TKvCustomDropDown::DoShowDropDown();
    TKvColGrid* G = FKvColGrid;
    if (!G) return;
    if (!FUseItems)
        while (FColumns->Count() < G->ColCount()) FColumns->Add();
    if (FDropDownForm && FDropDownForm->isVisible()) SizeColumnsToDropDown();
    if (G->RowCount() > G->VisibleRowCount() + G->FixedRows()) {
        const int r = G->Row();
        if (r >= G->TopRow() + G->VisibleRowCount() || r < G->TopRow()) G->SetTopRow(r);
    }
    FSelRow = G->FixedRows();
    G->SetTabStop(true);
    if (G->CanFocus()) G->SetFocus();
}

void TCustomKvGridDropDown::DoHideDropDown(bool Cancelled)
{
    if (FDropDownForm && FDropDownForm->isVisible()) {
        if (Cancelled) {
            SetItemIndex(FOldItemIndex);
        } else if (FKvColGrid && FKvColGrid->ConfirmSelection()) {
            SetItemIndex(FUseItems ? ItemOfRow(FSelRow) : FSelRow - FKvColGrid->FixedRows());
        }
        FOldItemIndex = FItemIndex;
        if (FKvColGrid) FKvColGrid->SetConfirmSelection(false);
    }
    TKvCustomDropDown::DoHideDropDown(Cancelled);
}

void TCustomKvGridDropDown::DropDownFormSizing()
{
    TKvCustomDropDown::DropDownFormSizing();
    SizeColumnsToDropDown();
}

void TCustomKvGridDropDown::SizeColumnsToDropDown()
{
    if (!FColumnSizeWithDropDown || !FKvColGrid || !FDropDownForm || FColumns->Count() == 0) return;
    TKvColGrid* G = FKvColGrid;
    G->SetScrollBars(ssVertical);
    int Avail = FDropDownForm->Width();
    if (G->VisibleRowCount() + G->FixedRows() < G->RowCount()) Avail -= GetSystemMetrics(SM_CXVSCROLL);
    std::vector<int> Widths;
    for (int i = 0; i < FColumns->Count() && i < G->ColCount(); ++i) Widths.push_back(FColumns->Items(i)->Width());
    Widths = ScaleColumnWidths(Widths, Avail);
    for (int i = 0; i < int(Widths.size()); ++i) G->SetColWidths(i, Widths[i]);
}

// ---------------------------------------------------------------- choosing

void TCustomKvGridDropDown::GridSelectCell(int ARow)
{
    FSelRow = ARow;
    if (!FKvColGrid || FKvColGrid->MouseWheelSelection()) return;
    if (FUseItems) {
        SetItemIndex(ItemOfRow(ARow));
    } else {
        const bool Typing = workmode;
        workmode = false;
        SetText(FKvColGrid->Cells(FLookupColumn, ARow));
        workmode = Typing;
        FItemIndex = ARow - FKvColGrid->FixedRows();
    }
}

void TCustomKvGridDropDown::GridRowChosen()
{
    if (FKvColGrid && FKvColGrid->ConfirmSelection())
        SetItemIndex(FUseItems ? ItemOfRow(FKvColGrid->Row()) : FKvColGrid->Row() - 1);
    if (!FGridEditable) DoHideDropDown(false);
    if (OnSelect) OnSelect(this);
}

// ---------------------------------------------------------------- keys of the edit

void TCustomKvGridDropDown::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN && FKvColGrid)
        FKvColGrid->SetConfirmSelection(true);
    const QChar Typed(char16_t(Message.WParam));
    TKvCustomDropDown::WndProc(Message);
    if (Message.Msg == WM_CHAR) {
        LookupKey(Typed);
        if (FAutoShowDropDown && !DroppedDown()) ShowDropDown();
        return;
    }
    if (Message.Msg != WM_KEYDOWN || !Enabled() || GetKeyState(VK_MENU) < 0) return;
    const WORD Key = WORD(Message.WParam);
    if (IsNavigationKey(Key)) FLookupEntry.clear();
    const bool ListStyle = FStyle == dsDropDownList && GetKeyState(VK_SHIFT) >= 0;
    switch (Key) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END: if (ListStyle) SelectLast(); break;
    case VK_HOME: if (ListStyle) SelectFirst(); break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    default: break;
    }
}

void TCustomKvGridDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    TKvColGrid* G = FKvColGrid;
    if (G && G->Options().Contains(goEditing) && G->EditorMode() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
        // Return ends the cell edit; in the lookup column it also takes the row.
        FReturnEndedEdit = G->Col() == FLookupColumn;
        G->HideInplaceEdit();
        const bool Typing = workmode;
        workmode = false;
        SetText(G->Cells(FLookupColumn, G->Row()));
        workmode = Typing;
        FItemIndex = G->Row() - G->FixedRows();
        Key = 0;
        return;
    }
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TKvCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    workmode = !(Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE);
    if (Key == VK_RETURN) {
        const int i = FLookupItems->IndexOf(Text());
        if (i >= 0) {
            SetText(FLookupItems->Get(i));
            SetItemIndex(i);
            Change();
        }
    }
    if (Key == VK_ESCAPE || (Key >= VK_PRIOR && Key <= VK_DOWN)) FLookupEntry.clear();
    const bool Escape = Key == VK_ESCAPE;
    TKvCustomDropDown::KeyDown(Key, Shift);
    if (Escape) SetItemIndex(FLookupItems->IndexOf(Text()));
}

void TCustomKvGridDropDown::KeyUp(WORD& Key, TShiftState Shift)
{
    TKvCustomDropDown::KeyUp(Key, Shift);
    if (FReturnEndedEdit && Key == VK_RETURN && !Shift.Contains(ssShift)) DoHideDropDown(false);
    FReturnEndedEdit = false;
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        SetSelStart(FItemSel);
        SetSelLength(Text().size() - FItemSel);
        FItemChange = false;
    }
}

void TCustomKvGridDropDown::Change()
{
    if ((ComponentState() & csDesigning) || !workmode) {
        TKvCustomDropDown::Change();
        return;
    }
    FItemChange = false;
    TKvCustomDropDown::Change();
    const QString Cur = Text();
    SetModified(!Cur.isEmpty());
    const TTypedCompletion c = CompleteTyped(*FLookupItems, Cur, SelStart(), FMatchCase);
    if (c.Index >= 0) {
        FItemIndex = FItemIdx = c.Index;
        FItemSel = c.TypedLength;
        if (c.Completed != Cur) {
            workmode = false; // the completion's own change must not complete again
            SetText(c.Completed);
            workmode = true;
        }
        FItemChange = true;
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

void TCustomKvGridDropDown::SelectTypedTail()
{
    SetSelStart(FLookupEntry.size());
    SetSelLength(std::max(0, int(Text().size()) - int(FLookupEntry.size())));
}

int TCustomKvGridDropDown::LookupKey(QChar Ch)
{
    if (FLookupMethod == lmNone) return -1;
    if (Ch == QChar(VK_BACK)) {
        const bool Typing = workmode;
        workmode = false;
        if (SelLength() == 0) {
            FLookupEntry.chop(1);
            SetText(FLookupEntry);
        } else {
            QString t = Text();
            t.remove(SelStart(), SelLength());
            SetText(t);
        }
        workmode = Typing;
        SetSelStart(Text().size());
        return -1;
    }
    if (Ch != QChar(VK_TAB) && !Ch.isNull()) FLookupEntry += Ch;
    const QString E = FLookupEntry.trimmed();
    const bool Typing = workmode;
    workmode = false;
    struct Restore { bool& r; bool v; ~Restore() { r = v; } } restore{workmode, Typing};
    if (FLookupMethod == lmNarrowDown) {
        if (!FKvColGrid) return -1;
        if (E.isEmpty()) {
            FKvColGrid->RemoveAllFilters();
        } else {
            FKvColGrid->SetFixedRowAlways(true);
            FKvColGrid->NarrowDown(E, FLookupColumn);
            if (FStyle == dsDropDown && FKvColGrid->RowCount() > FKvColGrid->FixedRows()) {
                SetText(FKvColGrid->Cells(FLookupColumn, FKvColGrid->FixedRows()));
                SelectTypedTail();
            }
        }
        return FKvColGrid->FixedRows();
    }
    QString T;
    int Found = -1;
    if (LookupText(E, T, Found)) {
        SetItemIndex(Found);
        SetText(T);
        if (FStyle == dsDropDown) SelectTypedTail();
        return Found;
    }
    if (FStyle == dsDropDown) return -1;
    if (LookupText(QString(Ch), T, Found)) {
        SetItemIndex(Found);
        SetText(T);
        FLookupEntry = QString(Ch);
        return Found;
    }
    FLookupEntry.clear();
    return -1;
}

// ---------------------------------------------------------------- keys of the popup grid

void TCustomKvGridDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    if (!(IsNavigationKey(Key) && !Shift.Contains(ssAlt))) TKvCustomDropDown::ControlKeyDown(Key, Shift);
    if (OnGridKeyDown) OnGridKeyDown(FKvColGrid, Key, Shift);
}

void TCustomKvGridDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (IsNavigationKey(Key) && !Shift.Contains(ssAlt)) FLookupEntry.clear();
    else TKvCustomDropDown::ControlKeyUp(Key, Shift);
    if (OnGridKeyUp) OnGridKeyUp(FKvColGrid, Key, Shift);
}

void TCustomKvGridDropDown::ControlKeyPress(QChar& Key)
{
    const ushort k = Key.unicode();
    const bool Special = k == VK_RETURN || k == VK_ESCAPE || IsNavigationKey(k);
    TKvColGrid* G = FKvColGrid;
    if ((Special && GetKeyState(VK_MENU) >= 0) || (G && G->Options().Contains(goEditing))) {
        FLookupEntry.clear();
    } else if (G) {
        int R = LookupKey(Key);
        if (R >= 0 && FUseItems) R += G->FixedRows();
        if (R >= G->FixedRows() && R < G->RowCount()) {
            if (G->RowCount() > G->VisibleRowCount() + G->FixedRows()) G->SetTopRow(R);
            G->FocusCell(0, R);
            G->InvalidateRow(R);
        } else {
            FLookupEntry.clear();
        }
    }
    if (OnGridKeyPress) OnGridKeyPress(G, Key);
}

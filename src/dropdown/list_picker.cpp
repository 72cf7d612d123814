#include "dropdown/list_picker.h"

#include <algorithm>

TKvItemListDropDown::TKvItemListDropDown(TComponent* AOwner)
    : TKvCustomDropDown(AOwner), FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FTypeAhead(std::make_unique<TTypeAhead>())
{
}

TKvItemListDropDown::~TKvItemListDropDown() { FTypeAhead->Clear(); }

void TKvItemListDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TKvCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TKvItemListDropDown::SetComponentStyle(TQRVStyle AStyle)
{
    TKvCustomDropDown::SetComponentStyle(AStyle);
    SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TKvItemListDropDown::DropDownFormDestroy()
{
    TKvCustomDropDown::DropDownFormDestroy();
    if (!IsDestroying()) FItemSelector = nullptr;
}

void TKvItemListDropDown::CreateItemSelector(TSelectorType Type)
{
    if (FItemSelector || !FDropDownForm) return;
    FItemSelector = new TKvCustomItemSelector(this);
    FItemSelector->SetParent(FDropDownForm);
    FItemSelector->SetSelectorType(Type);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
}

void TKvItemListDropDown::RepaintEdit()
{
    Invalidate();
    InvalidatePaintOver();
}

void StepSelection(int Index, int Count, TListStep Step, const std::function<void(int)>& Select)
{
    if (Count <= 0) return;
    switch (Step) {
    case TListStep::First: Select(0); break;
    case TListStep::Last: Select(Count - 1); break;
    case TListStep::Next:
        if (Index < 0) Select(0);
        else if (Index < Count - 1) Select(Index + 1);
        break;
    case TListStep::Previous:
        if (Index < 0) Select(0);
        else if (Index > 0) Select(Index - 1);
        break;
    }
}

void MoveListTo(TKvCustomItemSelector* List, int N)
{
    if (!List || N < 0 || N >= List->Items()->Count()) return;
    List->SetItemIndex(N);
}

void ListPickerKeyDown(const TListPickerKeyTable& T, WORD Key, bool DroppedDown, bool EditorEnabled)
{
    TKvCustomItemSelector* list = T.List;
    if (!list) return;
    auto page = [&](bool Down) {
        if ((!DroppedDown || list->Items()->Count() != T.ItemCount) && T.Refill) T.Refill();
        const int n = list->GetVisibleItemCount();
        if (n < 1) return;
        const int idx = list->ItemIndex();
        MoveListTo(list, Down ? std::min(idx + n, T.ItemCount - 1) : std::max(idx - n, 0));
    };
    auto closed = [&](const std::function<void()>& Step) {
        if (Step) Step();
    };
    switch (Key) {
    case VK_RETURN: break;
    case VK_PRIOR: page(false); break;
    case VK_NEXT: page(true); break;
    case VK_HOME:
        if (DroppedDown) list->SelectFirst();
        else closed(T.SelectFirst);
        break;
    case VK_END:
        if (DroppedDown) list->SelectLast();
        else closed(T.SelectLast);
        break;
    case VK_LEFT:
        if (DroppedDown && !EditorEnabled) list->SelectPrevious();
        break;
    case VK_RIGHT:
        if (DroppedDown && !EditorEnabled) list->SelectNext();
        break;
    case VK_UP:
        if (!DroppedDown) closed(T.SelectPrevious);
        else if (list->ItemIndex() < 0) MoveListTo(list, 0);
        else MoveListTo(list, list->ItemIndex() - list->Columns());
        break;
    case VK_DOWN:
        if (!DroppedDown) closed(T.SelectNext);
        else MoveListTo(list, list->ItemIndex() < 0 ? 0 : list->ItemIndex() + list->Columns());
        break;
    default:
        if (GetKeyState(VK_CONTROL) < 0 || !T.TypeAhead) break;
        list->LookupItem(T.TypeAhead->Add(Key));
        break;
    }
}

void FitListToPanel(TKvCustomItemSelector* List, int DropDownWidth, int DropDownHeight)
{
    if (!List) return;
    List->SetAlign(alNone);
    TSize panel;
    List->GetSelectorPanelSize(panel);
    if (DropDownWidth < 1) List->SetWidth(panel.cx);
    if (DropDownHeight < 1) List->SetHeight(panel.cy);
}

void WidenPopupForList(TKvCustomItemSelector* List, TDropDownForm* Form, int DropDownWidth, int BorderWidth,
                       int ContentHeight)
{
    if (!List || !Form) return;
    int grow = DropDownWidth < 1 ? 2 * BorderWidth : 0;
    TSize panel;
    List->GetSelectorPanelSize(panel);
    if (panel.cy > ContentHeight) grow += GetSystemMetrics(SM_CXVSCROLL);
    if (grow != 0) Form->SetWidth(Form->Width() + grow);
}

void PrepareListForFill(TKvCustomItemSelector* List, int Columns, TImageList* Images, TItemLayout Layout,
                        TColor Color, const TItemAppearance* Appearance)
{
    List->SetColumns(Columns);
    List->SetImages(Images);
    List->SetItemLayout(Layout);
    List->SetColor(Color);
    List->SetItemAppearance(Appearance);
}

#pragma once
// What the drop-down editors with an item list in their popup (colour list,
// image list, detail list) share: the internal-call flag that keeps the popup
// open while the editor moves the list itself, moving the list to an entry,
// the key table and wheel steps of the colour and image lists, and the list's
// sizing for the popup.
#include <functional>
#include <memory>

#include "dropdown/item_appearance.h"
#include "dropdown/item_selector.h"
#include "dropdown/kv_dropdown.h"
#include "dropdown/type_ahead.h"

// Draws an editor's selected value over its edit (Sender, Canvas, R).
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

// Sets an editor's internal-call flag for as long as it lives (and restores
// the old value), so the list's selection handler leaves the popup open.
class TInternalCallScope {
public:
    explicit TInternalCallScope(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
    ~TInternalCallScope() { FFlag = FOld; }
    TInternalCallScope(const TInternalCallScope&) = delete;
    TInternalCallScope& operator=(const TInternalCallScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

// The part the editors with an item list share: the list of the popup with
// its appearance, the type-ahead text, the flag set while the editor moves the
// list itself, and the list entry of the opening. Descendants finish their
// construction as every drop-down does (ConstructOverrides).
class TKvItemListDropDown : public TKvCustomDropDown {
public:
    explicit TKvItemListDropDown(TComponent* AOwner = nullptr);
    ~TKvItemListDropDown() override;

    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(const TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    // The popup's list; null before the popup form exists and after it went.
    TKvCustomItemSelector* ItemSelector() const { return FItemSelector; }
    // The type-ahead text and its 500 ms timer.
    TTypeAhead* TypeAhead() const { return FTypeAhead.get(); }

    TNotifyEvent OnSelect;

    // The list's appearance takes the same colour style.
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    // The editor's own item appearance is coloured for the style.
    void SetComponentStyle(TQRVStyle AStyle) override;
    // The list went with its form.
    void DropDownFormDestroy() override;

protected:
    // Makes the list once: owned by the editor, on the popup form at (0, 0), 150 high.
    void CreateItemSelector(TSelectorType Type);
    void RepaintEdit();
    bool PopupOpen() const { return FDropDownForm && FDropDownForm->isVisible(); }

    TKvCustomItemSelector* FItemSelector = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;
    std::unique_ptr<TTypeAhead> FTypeAhead;
    int FOldItemIndex = -1;
};

// A step of an editor's own selection over Count items from Index (-1: none):
// the first, the last, the next (the first from none) or the previous (the
// first from none); none wraps and an empty list selects nothing.
enum class TListStep { First, Last, Next, Previous };
void StepSelection(int Index, int Count, TListStep Step, const std::function<void(int)>& Select);

// Return in an open popup: the hot entry, when there is one, becomes the
// selection (a pick); true when it did.
template <class TList>
bool PickHotEntry(TList* List)
{
    if (!List || List->ItemHot() < 0) return false;
    List->SetItemIndex(List->ItemHot());
    return true;
}

// Entry N becomes the list's selection, scrolled into view, when it lies inside the list.
void MoveListTo(TKvCustomItemSelector* List, int N);

// The key table of a picker whose popup shows a list of its own items.
struct TListPickerKeyTable {
    TKvCustomItemSelector* List = nullptr;
    // The picker's own item count; Page Up and Page Down refill a list of another count.
    int ItemCount = 0;
    std::function<void()> Refill;
    // The picker's own steps, taken while the popup is closed.
    std::function<void()> SelectFirst, SelectLast, SelectNext, SelectPrevious;
    TTypeAhead* TypeAhead = nullptr;
};

// Every key of the table but Return: paging by the list's visible count (a
// closed popup's list is refilled first, so it pages from the editor's value), Home
// and End, Left and Right (open popup, editor disabled), Up and Down by a row
// of the list when open and by one item of the picker when closed, and any
// other key without Ctrl as type-ahead text looked up in the list.
void ListPickerKeyDown(const TListPickerKeyTable& Table, WORD Key, bool DroppedDown, bool EditorEnabled);

// One wheel step in an open popup over a list (an item selector or the colour
// palette): the hot entry moves. A closed popup steps the editor's own value.
template <class TList>
void HotStep(TList* List, bool Down)
{
    if (!List) return;
    if (Down) List->HotNext();
    else List->HotPrevious();
}

// Before the popup's own sizing: the list takes its panel's width and height
// where the editor sets no popup width or height.
void FitListToPanel(TKvCustomItemSelector* List, int DropDownWidth, int DropDownHeight);
// After it: the popup grows by a scroll bar's width when the list will show
// one in the ContentHeight the popup leaves it (decided from the sizes: the
// list's own bars are settled only once it shows), and, where the list gave
// the popup its width, by the popup's border, which the popup keeps around its
// content: the panel then fits beside the bar.
void WidenPopupForList(TKvCustomItemSelector* List, TDropDownForm* Form, int DropDownWidth, int BorderWidth,
                       int ContentHeight);

// The list's settings taken from its editor before the items are refilled.
void PrepareListForFill(TKvCustomItemSelector* List, int Columns, TImageList* Images, TItemLayout Layout,
                        TColor Color, const TItemAppearance* Appearance);

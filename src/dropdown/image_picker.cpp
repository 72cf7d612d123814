#include "dropdown/image_picker.h"

#include "platform/core/files.h"

#include <exception>

// ---------------------------------------------------------------- items

void TImageItem::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TImageItem*>(Source)) {
        SetCaption(S->Caption());
        SetImageIndex(S->ImageIndex());
        AssignPictureAndState(S);
        FHint = S->FHint;
        return;
    }
    TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------- construction

TKvImagePickerDropDown::TKvImagePickerDropDown(TComponent* AOwner)
    : TKvItemListDropDown(AOwner), FItems(std::make_unique<TImageItems>(this))
{
    ConstructOverrides();
    FItems->OnChange = [](TObject*) {};
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetCursor(crArrow);
}

TKvImagePickerDropDown::~TKvImagePickerDropDown() = default;

void TKvImagePickerDropDown::AddImagesFromFolder(const QString& AFolder, bool SetImageCaption)
{
    const QString folder = ExtractFilePath(AFolder);
    for (const QString& name : ListAllEntries(folder, ExtractFileName(AFolder))) {
        TImageItem* it = FItems->Add();
        try {
            it->Image()->LoadFromFile(PathJoin(folder, name));
            if (SetImageCaption) it->SetCaption(name);
        } catch (const std::exception&) {
            // Not a picture the loader reads (or a folder): the item stays empty.
        }
    }
}

void TKvImagePickerDropDown::AddImagesFromImageList()
{
    TImageList* images = Images();
    if (!images) return;
    for (int i = 0; i < images->Count(); ++i) FItems->Add()->SetImageIndex(i);
}

// ---------------------------------------------------------------- value

void TKvImagePickerDropDown::SetItemIndex(int Value)
{
    if (Value == FItemIndex || Value >= FItems->Count()) return;
    FItemIndex = Value;
    RepaintEdit();
    if (OnChange) OnChange(this);
    if (OnSelect) OnSelect(this);
}

int TKvImagePickerDropDown::ImageIndex() const
{
    if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return -1;
    return FItems->Items(FItemIndex)->ImageIndex();
}

void TKvImagePickerDropDown::SetImageIndex(int Value)
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i)->ImageIndex() == Value) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

void TKvImagePickerDropDown::StepItem(TListStep Step)
{
    StepSelection(FItemIndex, FItems->Count(), Step, [this](int i) { SetItemIndex(i); });
}

void TKvImagePickerDropDown::SelectFirst() { StepItem(TListStep::First); }
void TKvImagePickerDropDown::SelectLast() { StepItem(TListStep::Last); }
void TKvImagePickerDropDown::SelectNext() { StepItem(TListStep::Next); }
void TKvImagePickerDropDown::SelectPrevious() { StepItem(TListStep::Previous); }

// ---------------------------------------------------------------- popup

void TKvImagePickerDropDown::CreateDropDownForm()
{
    TKvItemListDropDown::CreateDropDownForm();
    CreateItemSelector(stImage);
    if (!FItemSelector) return;
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TKvImagePickerDropDown::UpdateItemSelector()
{
    TKvCustomItemSelector* list = FItemSelector;
    if (!list) return;
    list->OnItemSelect = nullptr;
    PrepareListForFill(list, FColumns, Images(), FLayout, DropDownColor(), FItemAppearance.get());
    list->Items()->BeginUpdate();
    list->Items()->Clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        const TImageItem* src = FItems->Items(i);
        TSelectorItem* it = list->Items()->Add();
        it->SetCaption(src->Caption());
        it->SetImage(src->Image());
        it->SetImageIndex(src->ImageIndex());
        it->SetHint(src->Hint());
    }
    list->Items()->EndUpdate();
    list->UpdateSelectorPanel();
    list->SetItemIndex(FItemIndex);
    list->OnItemSelect = [this](TObject*) { SelectorItemSelect(); };
    list->SetShowHint(ShowHint());
}

void TKvImagePickerDropDown::BeforeDropDown()
{
    TKvItemListDropDown::BeforeDropDown();
    UpdateItemSelector();
    if (FItemSelector) {
        if (OnDrawItem)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, int Index) {
                if (OnDrawItem) OnDrawItem(this, Canvas, R, Index);
            };
        else FItemSelector->OnDrawItem = nullptr;
    }
    FOldItemIndex = FItemIndex;
}

void TKvImagePickerDropDown::UpdateDropDownSize()
{
    if (!FItemSelector) {
        TKvItemListDropDown::UpdateDropDownSize();
        return;
    }
    FitListToPanel(FItemSelector, DropDownWidth(), DropDownHeight());
    TKvItemListDropDown::UpdateDropDownSize();
    WidenPopupForList(FItemSelector, FDropDownForm, DropDownWidth(), DropDownBorderWidth(),
                      FDropDownForm->Height() - 2 * DropDownBorderWidth() - HeaderPanelHeight() - FooterPanelHeight());
}

void TKvImagePickerDropDown::DoHideDropDown(bool Cancelled)
{
    const bool wasOpen = PopupOpen();
    TKvItemListDropDown::DoHideDropDown(Cancelled);
    if (Cancelled && wasOpen && FItemSelector) SetItemIndex(FOldItemIndex);
}

void TKvImagePickerDropDown::SelectorItemSelect()
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) DoHideDropDown(false);
}

// ---------------------------------------------------------------- keys and wheel

void TKvImagePickerDropDown::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN) {
        TKvItemListDropDown::WndProc(Message);
        return;
    }
    // The edit drops the keys it does not take: the code is read first.
    const WORD key = WORD(Message.WParam);
    const bool used = Enabled() && DroppedDown() && key == VK_RETURN && PickHotEntry(FItemSelector);
    TKvItemListDropDown::WndProc(Message);
    if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
    if (key == VK_RETURN) {
        if (!used && OnSelect) OnSelect(this);
        return;
    }
    TListPickerKeyTable table;
    table.List = FItemSelector;
    table.ItemCount = FItems->Count();
    table.Refill = [this] { UpdateItemSelector(); };
    table.SelectFirst = [this] { SelectFirst(); };
    table.SelectLast = [this] { SelectLast(); };
    table.SelectNext = [this] { SelectNext(); };
    table.SelectPrevious = [this] { SelectPrevious(); };
    table.TypeAhead = FTypeAhead.get();
    TInternalCallScope internal(FInternalCall);
    ListPickerKeyDown(table, key, DroppedDown(), EditorEnabled());
}

void TKvImagePickerDropDown::HandleMouseWheelDown()
{
    TKvItemListDropDown::HandleMouseWheelDown();
    if (!Enabled() || ReadOnly()) return;
    if (DroppedDown()) HotStep(FItemSelector, true);
    else SelectNext();
}

void TKvImagePickerDropDown::HandleMouseWheelUp()
{
    TKvItemListDropDown::HandleMouseWheelUp();
    if (!Enabled() || ReadOnly()) return;
    if (DroppedDown()) HotStep(FItemSelector, false);
    else SelectPrevious();
}

// ---------------------------------------------------------------- painting

void TKvImagePickerDropDown::PaintOver(TCanvas* Canvas)
{
    TKvItemListDropDown::PaintOver(Canvas);
    PaintSelectedImage(Canvas);
}

void TKvImagePickerDropDown::PaintSelectedImage(TCanvas* Canvas)
{
    const TRect R = EditRect();
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return;
    const TImageItem* it = FItems->Items(FItemIndex);
    TGraphic* picture = it->Image()->Graphic();
    if (picture && !picture->Empty()) {
        Canvas->Draw(R.Left + (R.Width() - picture->Width()) / 2, R.Top + (R.Height() - picture->Height()) / 2,
                     picture);
    } else if (TImageList* images = Images(); images && it->ImageIndex() >= 0) {
        images->Draw(Canvas, R.Left + (R.Width() - images->Width()) / 2, R.Top + (R.Height() - images->Height()) / 2,
                     it->ImageIndex(), true);
    }
}

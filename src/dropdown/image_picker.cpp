#include "dropdown/image_picker.h"

#include "platform/core/files.h"

#include <exception>

// ---------------------------------------------------------------- items

TImageItem::TImageItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>())
{
}

TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const QString& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TImageItem::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(false);
}

void TImageItem::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TImageItem*>(Source)) {
        SetCaption(S->FCaption);
        SetImageIndex(S->FImageIndex);
        FImage->Assign(S->FImage.get());
        FEnabled = S->FEnabled;
        FHint = S->FHint;
        return;
    }
    TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------- construction

TKvImagePickerDropDown::TKvImagePickerDropDown(TComponent* AOwner)
    : TKvCustomDropDown(AOwner), FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)), FTypeAhead(std::make_unique<TTypeAhead>())
{
    ConstructOverrides();
    FItems->OnChange = [](TObject*) {};
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetCursor(crArrow);
}

TKvImagePickerDropDown::~TKvImagePickerDropDown() { FTypeAhead->Clear(); }

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

void TKvImagePickerDropDown::RepaintEdit()
{
    Invalidate();
    InvalidatePaintOver();
}

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

void TKvImagePickerDropDown::SelectFirst()
{
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TKvImagePickerDropDown::SelectLast()
{
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TKvImagePickerDropDown::SelectNext()
{
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}

void TKvImagePickerDropDown::SelectPrevious()
{
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

// ---------------------------------------------------------------- popup

void TKvImagePickerDropDown::CreateDropDownForm()
{
    TKvCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FItemSelector) {
        FItemSelector = new TKvCustomItemSelector(this);
        FItemSelector->SetParent(FDropDownForm);
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    }
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
    TKvCustomDropDown::BeforeDropDown();
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
        TKvCustomDropDown::UpdateDropDownSize();
        return;
    }
    FitListToPanel(FItemSelector, DropDownWidth(), DropDownHeight());
    TKvCustomDropDown::UpdateDropDownSize();
    WidenPopupForList(FItemSelector, FDropDownForm, DropDownWidth(), DropDownBorderWidth(),
                      FDropDownForm->Height() - 2 * DropDownBorderWidth() - HeaderPanelHeight() - FooterPanelHeight());
}

void TKvImagePickerDropDown::DoHideDropDown(bool Cancelled)
{
    const bool wasOpen = FDropDownForm && FDropDownForm->isVisible();
    TKvCustomDropDown::DoHideDropDown(Cancelled);
    if (Cancelled && wasOpen && FItemSelector) SetItemIndex(FOldItemIndex);
}

void TKvImagePickerDropDown::DropDownFormDestroy()
{
    TKvCustomDropDown::DropDownFormDestroy();
    if (!IsDestroying()) FItemSelector = nullptr; // it went with its form
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
        TKvCustomDropDown::WndProc(Message);
        return;
    }
    // The edit drops the keys it does not take: the code is read first.
    const WORD key = WORD(Message.WParam);
    const bool used = Enabled() && DroppedDown() && key == VK_RETURN && PickHotEntry(FItemSelector);
    TKvCustomDropDown::WndProc(Message);
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
    TKvCustomDropDown::HandleMouseWheelDown();
    if (!Enabled() || ReadOnly()) return;
    if (DroppedDown()) HotStep(FItemSelector, true);
    else SelectNext();
}

void TKvImagePickerDropDown::HandleMouseWheelUp()
{
    TKvCustomDropDown::HandleMouseWheelUp();
    if (!Enabled() || ReadOnly()) return;
    if (DroppedDown()) HotStep(FItemSelector, false);
    else SelectPrevious();
}

// ---------------------------------------------------------------- styles

void TKvImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TKvCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TKvImagePickerDropDown::SetComponentStyle(TQRVStyle AStyle)
{
    TKvCustomDropDown::SetComponentStyle(AStyle);
    SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ---------------------------------------------------------------- painting

void TKvImagePickerDropDown::PaintOver(TCanvas* Canvas)
{
    TKvCustomDropDown::PaintOver(Canvas);
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

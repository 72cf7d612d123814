#include "dropdown/detail_dropdown.h"

#include <algorithm>

#include "grid/html_render.h"
#include "platform/ui/drawing.h"

// ---------------------------------------------------------------- items

void TDetailItem::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TDetailItem*>(Source)) {
        SetCaption(S->Caption());
        SetImageIndex(S->ImageIndex());
        AssignPictureAndState(S);
        FTag = S->FTag;
        FItemObject = S->FItemObject;
        FNotes = S->FNotes;
        return;
    }
    TCollectionItem::Assign(Source);
}

int TDetailItems::IndexOf(const QString& AValue) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Caption() == AValue) return i;
    return -1;
}

// ---------------------------------------------------------------- construction

TKvDetailDropDown::TKvDetailDropDown(TComponent* AOwner)
    : TKvItemListDropDown(AOwner), FItems(std::make_unique<TDetailItems>(this)), FCaptionFont(std::make_unique<TFont>()), FNotesFont(std::make_unique<TFont>())
{
    ConstructOverrides();
    FItems->OnChange = [](TObject*) {};
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    FCaptionFont->Assign(*Font());
    FNotesFont->Assign(*Font());
}

TKvDetailDropDown::~TKvDetailDropDown() = default;

// ---------------------------------------------------------------- value

void TKvDetailDropDown::SetOwnText(const QString& Value)
{
    const bool typing = FWorkMode;
    FWorkMode = false;
    SetText(Value);
    FWorkMode = typing;
}

void TKvDetailDropDown::SetItemIndex(int Value)
{
    if (Value == FItemIndex) return;
    if (Value >= 0 && Value < FItems->Count()) {
        FItemIndex = Value;
        SetOwnText(FItems->Items(Value)->Caption());
        SelectAll();
        RepaintEdit();
        if (FItemSelector) FItemSelector->SelectorPanel()->Invalidate();
        if (OnSelect) OnSelect(this);
    } else if (Value == -1) {
        SetOwnText(QString());
        FItemIndex = -1;
    }
}

void TKvDetailDropDown::StepItem(TListStep Step)
{
    StepSelection(FItemIndex, FItems->Count(), Step, [this](int i) { SetItemIndex(i); });
}

void TKvDetailDropDown::SelectFirst() { StepItem(TListStep::First); }
void TKvDetailDropDown::SelectLast() { StepItem(TListStep::Last); }
void TKvDetailDropDown::SelectNext() { StepItem(TListStep::Next); }
void TKvDetailDropDown::SelectPrevious() { StepItem(TListStep::Previous); }

// ---------------------------------------------------------------- typing

void TKvDetailDropDown::Change()
{
    FItemChange = false;
    TKvItemListDropDown::Change();
    if ((ComponentState() & csDesigning) || !FWorkMode) return;
    const QString current = Text();
    SetModified(current != FOldValue);
    const QString typed = current.left(std::min<int>(SelStart(), current.size()));
    if (typed.isEmpty()) return;
    const QString prefix = FMatchCase ? typed : typed.toUpper();
    for (int i = 0; i < FItems->Count(); ++i) {
        const QString caption = FItems->Items(i)->Caption();
        if (!(FMatchCase ? caption : caption.toUpper()).startsWith(prefix)) continue;
        // The typed characters keep their case; the rest comes from the caption.
        const QString completed = typed + caption.mid(typed.size(), 255);
        SetOwnText(completed);
        FItemIndex = i;
        FItemIdx = i;
        FItemSel = typed.size();
        FItemChange = true;
        SetSelStart(typed.size());
        SetSelLength(completed.size() - typed.size());
        return;
    }
    // No caption starts so: what stood behind the caret goes.
    if (typed != current) {
        SetOwnText(typed);
        SetSelStart(typed.size());
        SetSelLength(0);
    }
}

void TKvDetailDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FItems->Count() == 0) {
        TKvItemListDropDown::KeyDown(Key, Shift);
        return;
    }
    switch (Key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE: FWorkMode = false; break;
    case VK_RETURN:
        if (const int i = FItems->IndexOf(Text()); i >= 0) {
            SetOwnText(FItems->Items(i)->Caption());
            SetItemIndex(i);
            Change();
        }
        break;
    default: FWorkMode = true; break;
    }
    TKvItemListDropDown::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE)
        if (const int i = FItems->IndexOf(Text()); i >= 0) SetItemIndex(i);
}

void TKvDetailDropDown::KeyUp(WORD& Key, TShiftState Shift)
{
    TKvItemListDropDown::KeyUp(Key, Shift);
    // The completed item is already the current one.
    if (FItemChange) FItemChange = false;
}

// ---------------------------------------------------------------- keys of the list

int TKvDetailDropDown::SelectorStep(bool Down) const
{
    const int i = FItemSelector ? FItemSelector->ItemIndex() : -1;
    if (i < 0) return 0;
    return Down ? i + 1 : i - 1;
}

void TKvDetailDropDown::MoveSelectorTo(int N)
{
    TInternalCallScope internal(FInternalCall);
    MoveListTo(FItemSelector, N);
}

void TKvDetailDropDown::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN || !Enabled() || GetKeyState(VK_MENU) < 0) {
        TKvItemListDropDown::WndProc(Message);
        return;
    }
    const WORD key = WORD(Message.WParam);
    const bool open = DroppedDown();
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT: {
        if (!FItemSelector) break;
        if (FItemSelector->Items()->Count() != FItems->Count()) FillSelector();
        const int n = FItemSelector->GetVisibleItemCount();
        if (n < 1) break;
        const int i = FItemSelector->ItemIndex();
        MoveSelectorTo(key == VK_PRIOR ? std::max(i - n, 0) : std::min(i + n, FItemSelector->Items()->Count() - 1));
        break;
    }
    case VK_END:
    case VK_HOME:
        if (open && FItemSelector) {
            TInternalCallScope internal(FInternalCall);
            if (key == VK_END) FItemSelector->SelectLast();
            else FItemSelector->SelectFirst();
        } else if (!open && !EditorEnabled()) {
            if (key == VK_END) SelectLast();
            else SelectFirst();
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (open && !EditorEnabled() && FItemSelector) {
            TInternalCallScope internal(FInternalCall);
            if (key == VK_LEFT) FItemSelector->SelectPrevious();
            else FItemSelector->SelectNext();
        }
        break;
    case VK_UP:
    case VK_DOWN:
        if (open && FItemSelector) {
            MoveSelectorTo(SelectorStep(key == VK_DOWN));
            RepaintEdit();
        } else if (!open) {
            if (key == VK_DOWN) SelectNext();
            else SelectPrevious();
        }
        break;
    default:
        if (GetKeyState(VK_CONTROL) < 0 || !FItemSelector) break;
        {
            TInternalCallScope internal(FInternalCall);
            FItemSelector->LookupItem(FTypeAhead->Add(key));
        }
        break;
    }
    // The open list keeps its paging and arrow keys from the edit.
    const bool listKey = key == VK_PRIOR || key == VK_NEXT || (key >= VK_LEFT && key <= VK_DOWN);
    if (open && listKey) {
        Message.WParam = 0;
        Message.Result = 1;
        return;
    }
    TKvItemListDropDown::WndProc(Message);
}

void TKvDetailDropDown::HandleMouseWheelDown()
{
    TKvItemListDropDown::HandleMouseWheelDown();
    if (!FItemSelector || !DroppedDown()) {
        SelectNext();
        return;
    }
    MoveSelectorTo(SelectorStep(true));
    RepaintEdit();
}

void TKvDetailDropDown::HandleMouseWheelUp()
{
    TKvItemListDropDown::HandleMouseWheelUp();
    if (!FItemSelector || !DroppedDown()) {
        SelectPrevious();
        return;
    }
    MoveSelectorTo(SelectorStep(false));
    RepaintEdit();
}

// ---------------------------------------------------------------- popup

void TKvDetailDropDown::CreateDropDownForm()
{
    TKvItemListDropDown::CreateDropDownForm();
    if (!FItemSelector) {
        CreateItemSelector(stImage);
        if (!FItemSelector) return;
        FItemSelector->OnDrawItem = [this](TObject* Sender, TCanvas* Canvas, TRect R, int Index) {
            DrawDetailItem(Sender, Canvas, R, Index);
        };
        FItemSelector->OnItemSize = [this](TObject* Sender, TSize& ASize) { DetailItemSize(Sender, ASize); };
        FItemSelector->UpdateSelectorPanel();
        FItemSelector->OnResize = [this](TObject*) {
            if (FItemSelector) FItemSelector->UpdateSelectorPanel();
        };
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TKvDetailDropDown::FillSelector()
{
    TSelectorItems* items = FItemSelector->Items();
    items->BeginUpdate();
    items->Clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        const TDetailItem* src = FItems->Items(i);
        TSelectorItem* it = items->Add();
        it->SetCaption(src->Caption());
        it->SetImage(src->Image());
        it->SetImageIndex(src->ImageIndex());
    }
    items->EndUpdate();
    FItemSelector->UpdateSelectorPanel();
}

void TKvDetailDropDown::BeforeDropDown()
{
    TKvItemListDropDown::BeforeDropDown();
    if (FItemSelector) {
        FItemSelector->OnItemSelect = nullptr;
        PrepareListForFill(FItemSelector, 1, Images(), FLayout, DropDownColor(), FItemAppearance.get());
        FillSelector();
        FItemSelector->SetItemIndex(FItemIndex);
        FItemSelector->OnItemSelect = [this](TObject*) { DetailItemSelected(); };
    }
    FOldItemIndex = FItemIndex;
}

void TKvDetailDropDown::UpdateDropDownSize()
{
    if (FItemSelector) {
        FItemSelector->SetAlign(alNone);
        if (DropDownWidth() <= 0) FItemSelector->SetWidth(Width());
        if (DropDownHeight() <= 0) FItemSelector->SetHeight(100);
    }
    TKvItemListDropDown::UpdateDropDownSize();
}

void TKvDetailDropDown::DoShowDropDown()
{
    TKvItemListDropDown::DoShowDropDown();
    if (FItemSelector && FItemSelector->CanFocus()) FItemSelector->SetFocus();
}

void TKvDetailDropDown::DoHideDropDown(bool Cancelled)
{
    const bool wasOpen = PopupOpen();
    TKvItemListDropDown::DoHideDropDown(Cancelled);
    if (Cancelled && wasOpen && FOldItemIndex != -1) SetItemIndex(FOldItemIndex);
}

void TKvDetailDropDown::DropDownFormSizing()
{
    TKvItemListDropDown::DropDownFormSizing();
    if (FItemSelector) FItemSelector->UpdateSelectorPanel();
}

void TKvDetailDropDown::DetailItemSelected()
{
    const int i = FItemSelector->ItemIndex();
    SetItemIndex(i);
    if (i >= 0 && i < FItems->Count()) {
        SetOwnText(FItems->Items(i)->Caption());
        SelectAll();
    }
    if (!FInternalCall) DoHideDropDown(false);
}

// ---------------------------------------------------------------- item size and drawing

void TKvDetailDropDown::DetailItemSize(TObject*, TSize& ASize)
{
    ASize.cy = FItemHeight;
    int w = DropDownWidth() > 0 ? DropDownWidth() : (FDropDownForm ? FDropDownForm->Width() : Width());
    w -= 2 * GetSystemMetrics(SM_CXBORDER) + 4;
    if (FItemSelector && FItemSelector->VertScrollBarVisible()) w -= GetSystemMetrics(SM_CXVSCROLL);
    ASize.cx = w;
}

void TKvDetailDropDown::DrawDetailItem(TObject*, TCanvas* Canvas, TRect R, int Index)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (!Canvas || Index < 0 || Index >= FItems->Count()) return;
    const TDetailItem* it = FItems->Items(Index);
    // The image at the left (centred when there is no caption), centred vertically.
    auto place = [&](int W, int H) {
        const int x = it->Caption().isEmpty() ? R.Left + (R.Width() - W) / 2 : R.Left + 2;
        return TPoint(x, R.Top + (R.Height() - H) / 2);
    };
    TGraphic* picture = it->Image()->Graphic();
    if ((!picture || picture->Empty()) && Images() && it->ImageIndex() >= 0) {
        const TPoint p = place(Images()->Width(), Images()->Height());
        Images()->Draw(Canvas, p.X, p.Y, it->ImageIndex(), true);
        R.Left += Images()->Width() + 4;
    } else if (picture && !picture->Empty()) {
        if (auto* bitmap = dynamic_cast<TBitmap*>(picture)) {
            bitmap->SetTransparentMode(tmAuto);
            bitmap->SetTransparent(true);
        }
        const TPoint p = place(picture->Width(), picture->Height());
        Canvas->Draw(p.X, p.Y, picture);
        R.Left += picture->Width() + 4;
    }

    const int hot = FItemSelector ? FItemSelector->ItemHot() : -1;
    auto stateColour = [&] {
        if (Index == hot) Canvas->Font()->SetColor(FItemAppearance->ColorHotText());
        if (Index == FItemIndex) Canvas->Font()->SetColor(FItemAppearance->ColorSelectedText());
    };
    Canvas->Font()->Assign(*FCaptionFont);
    stateColour();
    Canvas->Brush()->SetStyle(bsClear);
    R.Left += 4;
    R.Top += 2;
    R.Right -= 4;
    TRect captionR = R;
    DrawText(Canvas, it->Caption(), captionR, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);

    if (it->Notes().isEmpty()) return;
    R.Top += Canvas->TextHeight(QStringLiteral("gh"));
    Canvas->Font()->Assign(*FNotesFont);
    stateColour();
    THTMLTextParams p;
    p.Canvas = Canvas;
    p.Text = it->Notes();
    p.Rect = R;
    p.Images = Images();
    p.URLColor = 0xFF0000;
    p.ShadowColor = 0x808080;
    DrawHTMLText(p);
}

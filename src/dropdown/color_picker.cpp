#include "dropdown/color_picker.h"

#include "dropdown/web_colors.h"
#include "platform/ui/drawing.h"

// ---------------------------------------------------------------- items

void TColorItem::SetCaption(const QString& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TColorItem::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Changed(false);
}

void TColorItem::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TColorItem*>(Source)) {
        SetCaption(S->FCaption);
        SetColor(S->FColor);
        FEnabled = S->FEnabled;
        FHint = S->FHint;
        return;
    }
    TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------- construction

TKvColorPickerDropDown::TKvColorPickerDropDown(TComponent* AOwner)
    : TKvItemListDropDown(AOwner), FColors(std::make_unique<TColorItems>(this))
{
    // The list style is current, so the popup form comes with its list.
    ConstructOverrides();
    FColors->OnChange = [](TObject*) {};
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetDropDownHeight(200);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetCursor(crArrow);
}

TKvColorPickerDropDown::~TKvColorPickerDropDown() = default;

void TKvColorPickerDropDown::AddDefaultColors()
{
    static const struct {
        const char* Caption;
        TColor Color;
    } Basic[] = {
        {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000},   {"Olive", 0x008080},
        {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},    {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},    {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},   {"White", 0xFFFFFF},
    };
    for (const auto& b : Basic) {
        TColorItem* it = FColors->Add();
        it->SetCaption(QString::fromLatin1(b.Caption));
        it->SetColor(b.Color);
    }
}

// ---------------------------------------------------------------- value

void TKvColorPickerDropDown::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor) return;
    FSelectedColor = Value;
    for (int i = 0; i < FColors->Count(); ++i)
        if (FColors->Items(i)->Color() == Value) {
            SetItemIndex(i);
            break;
        }
    RepaintEdit();
}

void TKvColorPickerDropDown::SetItemIndex(int Value)
{
    if (Value >= FColors->Count()) return;
    FItemIndex = Value;
    if (Value >= 0) FSelectedColor = FColors->Items(Value)->Color();
    RepaintEdit();
    if (OnSelect) OnSelect(this);
}

void TKvColorPickerDropDown::StepColor(TListStep Step)
{
    StepSelection(FItemIndex, FColors->Count(), Step, [this](int i) { SetItemIndex(i); });
}

void TKvColorPickerDropDown::SelectFirstColor() { StepColor(TListStep::First); }
void TKvColorPickerDropDown::SelectLastColor() { StepColor(TListStep::Last); }
void TKvColorPickerDropDown::SelectNextColor() { StepColor(TListStep::Next); }
void TKvColorPickerDropDown::SelectPreviousColor() { StepColor(TListStep::Previous); }

void TKvColorPickerDropDown::SetShowText(bool Value)
{
    if (Value == FShowText) return;
    FShowText = Value;
    RepaintEdit();
}

void TKvColorPickerDropDown::SetColorValueText(TColorValueText Value)
{
    if (Value == FColorValueText) return;
    FColorValueText = Value;
    RepaintEdit();
}

QString TKvColorPickerDropDown::GetSelectedColorText() const
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
        return FColors->Items(FItemIndex)->Caption();
    const TColor rgb = ColorToRGB(FSelectedColor);
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    auto hex2 = [](int v) { return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper(); };
    const QString html = QLatin1Char('#') + hex2(r) + hex2(g) + hex2(b);
    switch (FColorValueText) {
    case cvtNone: return QString();
    case cvtHex: return QStringLiteral("%1").arg(quint32(FSelectedColor), 6, 16, QLatin1Char('0')).toUpper();
    case cvtWebName: {
        const QString name = WebColorName(rgb);
        return name.isEmpty() ? html : name;
    }
    case cvtRGB: return QStringLiteral("Red:%1,Green:%2,Blue:%3").arg(r).arg(g).arg(b);
    case cvtHTML: return html;
    }
    return QString();
}

// ---------------------------------------------------------------- popup controls

void TKvColorPickerDropDown::AdoptControl(TControl* Control)
{
    Control->SetColor(DropDownColor());
    SetControl(Control);
}

void TKvColorPickerDropDown::PrepareItemSelector()
{
    CreateItemSelector(stColor);
    if (!FItemSelector) return;
    FItemSelector->UpdateSelectorPanel();
    AdoptControl(FItemSelector);
}

void TKvColorPickerDropDown::PrepareColorSelector()
{
    if (!FDropDownForm) return;
    if (!FColorSelector) {
        FColorSelector = new TCustomColorSelector(this);
        FColorSelector->SetParent(FDropDownForm);
        FColorSelector->SetBounds(0, 0, FColorSelector->Width(), FColorSelector->Height());
        FColorSelector->FillDefaultPalette();
    }
    FColorSelector->SetItemsPosition();
    AdoptControl(FColorSelector);
}

void TKvColorPickerDropDown::PrepareColorCube()
{
    if (!FDropDownForm) return;
    if (!FColorCubePanel) {
        FColorCubePanel = new TKvColorCubePanel(this);
        FColorCubePanel->SetParent(FDropDownForm);
        FColorCubePanel->SetBounds(0, 0, FColorCubePanel->Width(), FColorCubePanel->Height());
    }
    AdoptControl(FColorCubePanel);
}

void TKvColorPickerDropDown::PrepareSpectrum()
{
    if (!FDropDownForm) return;
    if (!FSpectrumPanel) {
        FSpectrumPanel = new TKvColorSpectrumPanel(this);
        FSpectrumPanel->SetParent(FDropDownForm);
        FSpectrumPanel->SetBounds(0, 0, FSpectrumPanel->Width(), FSpectrumPanel->Height());
    }
    AdoptControl(FSpectrumPanel);
}

TControl* TKvColorPickerDropDown::StyleControl() const
{
    switch (FColorSelectionStyle) {
    case csList: return FItemSelector;
    case csDiscrete: return FColorSelector;
    case csColorCube: return FColorCubePanel;
    case csSpectrum: return FSpectrumPanel;
    }
    return nullptr;
}

void TKvColorPickerDropDown::HideOtherControls(TControl* Keep)
{
    for (TControl* c : {static_cast<TControl*>(FItemSelector), static_cast<TControl*>(FColorSelector),
                        static_cast<TControl*>(FColorCubePanel), static_cast<TControl*>(FSpectrumPanel)})
        if (c && c != Keep) c->SetVisible(false);
}

void TKvColorPickerDropDown::CreateDropDownForm()
{
    TKvItemListDropDown::CreateDropDownForm();
    switch (FColorSelectionStyle) {
    case csList: PrepareItemSelector(); break;
    case csDiscrete: PrepareColorSelector(); break;
    case csColorCube: PrepareColorCube(); break;
    case csSpectrum: PrepareSpectrum(); break;
    }
}

void TKvColorPickerDropDown::UpdateItemSelector()
{
    if (!FItemSelector || FColorSelectionStyle != csList) return;
    TKvCustomItemSelector* list = FItemSelector;
    list->OnItemSelect = nullptr;
    PrepareListForFill(list, FColumns, Images(), FLayout, DropDownColor(), FItemAppearance.get());
    list->Items()->BeginUpdate();
    list->Items()->Clear();
    for (int i = 0; i < FColors->Count(); ++i) {
        const TColorItem* c = FColors->Items(i);
        TSelectorItem* it = list->Items()->Add();
        it->SetCaption(c->Caption());
        it->SetColor(c->Color());
        it->SetHint(c->Hint());
    }
    list->Items()->EndUpdate();
    list->SetColorBoxHeight(FColorBoxHeight);
    list->SetColorBoxWidth(FColorBoxWidth);
    list->UpdateSelectorPanel();
    list->SetItemIndex(FItemIndex);
    list->OnItemSelect = [this](TObject*) { SelectorItemSelect(); };
    list->SetShowHint(ShowHint());
}

void TKvColorPickerDropDown::PrepareStyle()
{
    switch (FColorSelectionStyle) {
    case csList:
        PrepareItemSelector();
        HideOtherControls(FItemSelector);
        if (!FItemSelector) break;
        FItemSelector->SetVisible(true);
        UpdateItemSelector();
        if (OnDrawColor)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, int Index) {
                if (OnDrawColor) OnDrawColor(this, Canvas, R, Index);
            };
        else FItemSelector->OnDrawItem = nullptr;
        FOldItemIndex = FItemIndex;
        break;
    case csDiscrete:
        PrepareColorSelector();
        HideOtherControls(FColorSelector);
        if (!FColorSelector) break;
        SyncColorSelector();
        FColorSelector->SetItemsPosition();
        FColorSelector->SetItemColorStyle(FSelectionColorStyle);
        FColorSelector->SetVisible(true);
        break;
    case csColorCube:
        PrepareColorCube();
        HideOtherControls(FColorCubePanel);
        if (!FColorCubePanel) break;
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->InitCubeCells();
        FColorCubePanel->InitializePanel();
        FColorCubePanel->OnSelect = [this](TObject*) { PanelSelect(FColorCubePanel->SelectedColor()); };
        FColorCubePanel->SetVisible(true);
        break;
    case csSpectrum:
        PrepareSpectrum();
        HideOtherControls(FSpectrumPanel);
        if (!FSpectrumPanel) break;
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->InitializePanel();
        FSpectrumPanel->OnSelect = [this](TObject*) { PanelSelect(FSpectrumPanel->SelectedColor()); };
        FSpectrumPanel->SetVisible(true);
        break;
    }
}

void TKvColorPickerDropDown::SyncColorSelector()
{
    // Taking over the editor's colour is no pick: the selection event is bound after it.
    FColorSelector->OnItemSelect = nullptr;
    FColorSelector->SetSelectedColor(FSelectedColor);
    FColorSelector->OnItemSelect = [this](TObject*) { ColorSelectorSelect(); };
}

void TKvColorPickerDropDown::BeforeDropDown()
{
    TKvItemListDropDown::BeforeDropDown();
    PrepareStyle();
    FOldSelectedColor = FSelectedColor;
}

void TKvColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value)
{
    if (Value == FColorSelectionStyle) return;
    FColorSelectionStyle = Value;
    PrepareStyle();
    FOldSelectedColor = FSelectedColor;
    // The form takes the size of the new control, which then fills it.
    if (TControl* c = StyleControl()) {
        c->SetAlign(alNone);
        UpdateDropDownSize();
        c->SetAlign(alClient);
    }
    if (FDropDownForm) FDropDownForm->Invalidate();
}

void TKvColorPickerDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm) return;
    if (FColorSelectionStyle == csList) {
        if (!FItemSelector) {
            TKvItemListDropDown::UpdateDropDownSize();
            return;
        }
        FitListToPanel(FItemSelector, DropDownWidth(), DropDownHeight());
        TKvItemListDropDown::UpdateDropDownSize();
        WidenPopupForList(FItemSelector, FDropDownForm, DropDownWidth(), DropDownBorderWidth(),
                      FDropDownForm->Height() - 2 * DropDownBorderWidth() - HeaderPanelHeight() - FooterPanelHeight());
        return;
    }
    // The palette, the cube and the spectrum have a size of their own.
    TControl* c = StyleControl();
    const bool shows = c && c->Visible();
    const int border = 2 * DropDownBorderWidth();
    const int w = shows ? c->Width() + border : Width();
    const int h = border + HeaderPanelHeight() + FooterPanelHeight() + (shows ? c->Height() : 0);
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), w, h);
}

void TKvColorPickerDropDown::PlaceDropDownControl()
{
    TKvItemListDropDown::PlaceDropDownControl();
    if (FColorSelectionStyle != csList && FDropDownForm) FDropDownForm->SetSizeable(false);
}

void TKvColorPickerDropDown::DoHideDropDown(bool Cancelled)
{
    const bool wasOpen = PopupOpen();
    TKvItemListDropDown::DoHideDropDown(Cancelled);
    if (!Cancelled || !wasOpen) return;
    if (FColorSelectionStyle == csList) {
        SetItemIndex(FOldItemIndex);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        // The palette's selection event applies a colour it holds as a pick does;
        // one it does not hold is put back here.
        FColorSelector->SetSelectedColor(FOldSelectedColor);
        if (FSelectedColor != FOldSelectedColor) SetSelectedColor(FOldSelectedColor);
    }
}

void TKvColorPickerDropDown::DropDownFormDestroy()
{
    TKvItemListDropDown::DropDownFormDestroy();
    if (IsDestroying()) return;
    // The controls went with their form.
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
    FColorSelector = nullptr;
}

// ---------------------------------------------------------------- picks

void TKvColorPickerDropDown::SelectorItemSelect()
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) DoHideDropDown(false);
}

void TKvColorPickerDropDown::ColorSelectorSelect()
{
    SetSelectedColor(FColorSelector->SelectedColor());
    SetItemIndex(-1);
    if (!FInternalCall) DoHideDropDown(false);
}

void TKvColorPickerDropDown::PanelSelect(TColor Color)
{
    SetSelectedColor(Color);
    SetItemIndex(-1);
    DoHideDropDown(false);
}

// ---------------------------------------------------------------- keys and wheel

void TKvColorPickerDropDown::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN) {
        TKvItemListDropDown::WndProc(Message);
        return;
    }
    // The edit drops the keys it does not take: the code is read first.
    const WORD key = WORD(Message.WParam);
    bool used = false;
    if (Enabled() && DroppedDown() && key == VK_RETURN) {
        if (FColorSelectionStyle == csList) used = PickHotEntry(FItemSelector);
        else if (FColorSelectionStyle == csDiscrete) used = PickHotEntry(FColorSelector);
    }
    TKvItemListDropDown::WndProc(Message);
    if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
    if (FColorSelectionStyle == csList && FItemSelector) {
        if (key == VK_RETURN) {
            if (!used && OnSelect) OnSelect(this);
            return;
        }
        TListPickerKeyTable table;
        table.List = FItemSelector;
        table.ItemCount = FColors->Count();
        table.Refill = [this] { UpdateItemSelector(); };
        table.SelectFirst = [this] { SelectFirstColor(); };
        table.SelectLast = [this] { SelectLastColor(); };
        table.SelectNext = [this] { SelectNextColor(); };
        table.SelectPrevious = [this] { SelectPreviousColor(); };
        table.TypeAhead = FTypeAhead.get();
        TInternalCallScope internal(FInternalCall);
        ListPickerKeyDown(table, key, DroppedDown(), EditorEnabled());
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        if (!DroppedDown()) SyncColorSelector();
        {
            TInternalCallScope internal(FInternalCall);
            FColorSelector->HandleKeyDown(key, EditorEnabled(), DroppedDown());
        }
        if (key == VK_RETURN && !used && OnSelect) OnSelect(this);
    }
}

void TKvColorPickerDropDown::WheelStep(bool Down)
{
    if (!Enabled() || ReadOnly()) return;
    if (FColorSelectionStyle == csList) {
        if (DroppedDown()) HotStep(FItemSelector, Down);
        else if (Down) SelectNextColor();
        else SelectPreviousColor();
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        if (DroppedDown()) {
            HotStep(FColorSelector, Down);
            return;
        }
        SyncColorSelector();
        TInternalCallScope internal(FInternalCall);
        if (Down) FColorSelector->SelectNext();
        else FColorSelector->SelectPrevious();
    }
}

void TKvColorPickerDropDown::HandleMouseWheelDown()
{
    TKvItemListDropDown::HandleMouseWheelDown();
    WheelStep(true);
}

void TKvColorPickerDropDown::HandleMouseWheelUp()
{
    TKvItemListDropDown::HandleMouseWheelUp();
    WheelStep(false);
}

// ---------------------------------------------------------------- painting

void TKvColorPickerDropDown::PaintOver(TCanvas* Canvas)
{
    TKvItemListDropDown::PaintOver(Canvas);
    PaintSelectedColor(Canvas);
}

void TKvColorPickerDropDown::PaintSelectedColor(TCanvas* Canvas)
{
    const TRect R(1, 1, Width() - DropDownButtonWidth() - 2, Height() - 2);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, Canvas, R);
        return;
    }
    if (FSelectedColor == clNone) return;
    const int top = R.Top + (Height() - FColorBoxHeight) / 2;
    const TRect box(R.Left + 4, top, R.Left + 4 + FColorBoxWidth, top + FColorBoxHeight);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FSelectedColor);
    Canvas->Rectangle(box);
    if (!FShowText) return;
    const bool focused = Focused();
    Canvas->SetFont(*Font());
    if (!EditorEnabled() && focused) Canvas->Font()->SetColor(clHighlightText);
    Canvas->Brush()->SetColor(focused ? TColor(clHighlight) : Color());
    TRect text(box.Right + 4, R.Top, R.Right, R.Bottom);
    DrawText(Canvas, SelectedColorText(), text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
}

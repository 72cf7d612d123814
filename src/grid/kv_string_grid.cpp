// Construction, destruction, copying, window creation, loading, sizing and the
// setters with side effects of the grid control, and the grid unit's start-up.
#include "grid/kv_string_grid.h"
#include "grid_input/ksg_drag_drop.h"
#include "grid_data/grid_ole_drop.h"
#include "grid/grid_text.h"
#include "grid/html_hint_window.h"

#include <algorithm>

#include "dropdown/picker_registry.h"
#include "grid/grid_editor_controls.h"
#include "grid_input/kv_inplace_edit.h"
#include "grid/html_render.h"
#include "grid/theme_services.h"
#include "platform/core/datetime.h"
#include "platform/core/format_settings.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

// ============================================================ unit-wide state

namespace KvGridUnit {
TKvStringGrid* FocusGrid = nullptr;
bool DateTimeControlAvailable = false;
unsigned GridCellsClipboardFormat = 0;
unsigned GridEditDoneMessage = 0;
unsigned DateTimePickerShiftFocusMessage = 0;
QString GridHintFontName;
int GridLinkCursor = crDefault;

namespace {
int StartCount = 0;
}

std::map<QString, std::function<TComponent*(TComponent*)>>& ClassRegistry()
{
    static std::map<QString, std::function<TComponent*(TComponent*)>> registry;
    return registry;
}

void Initialize()
{
    if (StartCount++ > 0) return;
    FocusGrid = nullptr;
    auto& reg = ClassRegistry();
    reg[QStringLiteral("TKvStringGrid")] = [](TComponent* o) -> TComponent* { return new TKvStringGrid(o); };
    reg[QStringLiteral("TDropList")] = [](TComponent* o) -> TComponent* { return new TDropList(o); };
    reg[QStringLiteral("TArrowWindow")] = [](TComponent* o) -> TComponent* { return new TArrowWindow(o, arrUp); };
    reg[QStringLiteral("TGridCombo")] = [](TComponent* o) -> TComponent* { return new TGridCombo(o); };
    reg[QStringLiteral("TGridTransEdit")] = [](TComponent* o) -> TComponent* { return new TGridTransEdit(o); };
    reg[QStringLiteral("TGridTransCombo")] = [](TComponent* o) -> TComponent* { return new TGridTransCombo(o); };
    reg[QStringLiteral("TGridCheckBox")] = [](TComponent* o) -> TComponent* { return new TGridCheckBox(o); };
    reg[QStringLiteral("TGridEditBtn")] = [](TComponent* o) -> TComponent* { return new TGridEditBtn(o); };
    reg[QStringLiteral("TGridUnitEditBtn")] = [](TComponent* o) -> TComponent* { return new TGridUnitEditBtn(o); };
    reg[QStringLiteral("TGridButton")] = [](TComponent* o) -> TComponent* { return new TGridButton(o); };
    reg[QStringLiteral("THeaderDragButton")] = [](TComponent* o) -> TComponent* { return new THeaderDragButton(o); };
    reg[QStringLiteral("TControlEdit")] = [](TComponent* o) -> TComponent* { return new TControlEdit(o); };
    reg[QStringLiteral("TControlCombo")] = [](TComponent* o) -> TComponent* { return new TControlCombo(o); };
    reg[QStringLiteral("TScrollBar")] = [](TComponent* o) -> TComponent* { return new TScrollBar(o); };
    // The colour and image pickers the cell objects ask for by name.
    RegisterPickerClasses(reg);
    DateTimeControlAvailable = GetFileVersion(QStringLiteral("comctl32.dll")) > 0x00040045;
    GridCellsClipboardFormat = RegisterClipboardFormat(QStringLiteral("TKvStringGrid Cells"));
    GridEditDoneMessage = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    DateTimePickerShiftFocusMessage = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    InitializeOle();
}

void FocusWindowHook()
{
    if (FocusGrid) FocusGrid->MoveFocusWindow();
}

void Finalize()
{
    if (StartCount == 0 || --StartCount > 0) return;
    FocusGrid = nullptr;
    GridHintFontName.clear();
    OleUninitialize();
}
} // namespace KvGridUnit

int GetFileVersion(const QString& FileName)
{
    if (FileName.compare(QLatin1String("comctl32.dll"), Qt::CaseInsensitive) == 0) return 0x00060000;
    return -1;
}

QChar GetLocaleTimeSeparator() { return FormatSettings().TimeSeparator; }
QChar GetLocaleDateSeparator() { return FormatSettings().DateSeparator; }
QChar GetLocaleThousandSeparator() { return FormatSettings().ThousandSeparator; }
QChar GetLocaleDecimalSeparator() { return FormatSettings().DecimalSeparator; }
QString GetLocaleShortDateFormat() { return FormatSettings().ShortDateFormat; }
QString GetLocaleShortTimeFormat() { return FormatSettings().ShortTimeFormat; }
QString GetLocaleLongTimeFormat() { return FormatSettings().LongTimeFormat; }

TCustomForm* FindParentForm(TControl* Control)
{
    for (TControl* c = Control; c; c = c->Parent())
        if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
    return nullptr;
}

namespace {
bool DesignTimeConstruction = false;
}

void TKvStringGrid::SetDesignTimeConstruction(bool Value)
{
    DesignTimeConstruction = Value;
}

// ============================================================ construction

TKvStringGrid::TKvStringGrid(TComponent* AOwner) : TBaseGrid(AOwner)
{
    KvGridUnit::Initialize();
    // The button handlers fire the grid's clicks themselves (grid_mouse_up.cpp).
    SetControlStyle((ControlStyle() | csAcceptsControls) & ~unsigned(csClickEvents));
    FDesigning = DesignTimeConstruction;
    if (FDesigning) SetDesigning(true);
    const bool initDesign = FDesigning && !(AOwner && (AOwner->ComponentState() & (csReading | csLoading)));

    FFooterPanel = new TFooterPanel(this);
    FSearchPanel = new TSearchPanel(this);
    FSearchPanel->OnExitClick = [this](TObject*) { SearchFooterClose(); };
    FSearchPanel->OnEditChange = [this](TObject*) { SearchFooterEditChange(); };
    FSearchPanel->OnForwardClick = [this](TObject*) { SearchFooterFindNext(); };
    FSearchPanel->OnBackwardClick = [this](TObject*) { SearchFooterFindPrevious(); };
    FSearchPanel->OnHighlightClick = [this](TObject*) { SearchFooterHighlight(); };
    FCellFont = std::make_unique<TFont>();
    FFocusHelper = std::make_unique<TFocusHelper>(this);
    FSearchFooter = std::make_unique<TSearchFooter>(this, initDesign);
    FSearchFooter->OnChange = [this](TObject*) { UpdateSearchFooter(); };
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(this);
    FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    FDragDropSettings->OnIsDesigning = [this] { return FDesigning; };
    // The rich-text switch of drag and drop is one for the whole program.
    FDragDropSettings->OnDropRTFEnabled = [](bool Value) { SetDropRTFEnabled(Value); };
    FDragDropSettings->OnRegisterDropTarget = [this] { return RegisterOleDropTarget(); };
    FDragDropSettings->OnRevokeDropTarget = [this] { RevokeOleDropTarget(); };
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FControlLook = std::make_unique<TControlLook>(this);
    FNavigation = std::make_unique<TNavigation>();
    FNavigation->OnChange = [this](TObject*) { NavigationChanged(); };
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FBands = std::make_unique<TBands>();
    FBands->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>(this);
    FMouseActions->OnChange = [this](TObject*) { MouseActionsChanged(); };
    FMouseActions->OnIsDesigning = [this] {
        bool d = false;
        return IsDesigning(d);
    };
    FMouseActions->OnInvalidate = [this](TObject*) { MouseActionsInvalidate(); };
    FGrouping = std::make_unique<TGrouping>();
    FColumnHeaders = std::make_unique<TStringList>();
    FImageCache = std::make_unique<THTMLPictureCache>();
    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName(QStringLiteral("Tahoma"));
    FFixedFont->SetStyle(TFontStyles() << fsBold);
    FFixedFont->OnChange = [this] { AppearanceChanged(nullptr); };
    FActiveCellFont = std::make_unique<TFont>();
    FActiveCellFont->SetStyle(TFontStyles() << fsBold);
    if (FDesigning) FActiveCellFont->SetName(QStringLiteral("Tahoma"));
    FActiveCellFont->OnChange = [this] { AppearanceChanged(nullptr); };
    FRowHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject*) {
        SyncColumnHeaders();
        ShowColumnHeaders();
    };
    FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
    FSortList = std::make_unique<TStringList>();
    FSortList->SetSorted(true);
    FLookupItems = std::make_unique<TStringList>();
    FSortIndexes = std::make_unique<TSortIndexList>();
    FSortRowXRef = std::make_unique<TIntList>(-1, -1);
    FUnSortRowXRef = std::make_unique<TIntList>(-1, -1);
    FMergedColumns = std::make_unique<TIntList>(-1, -1);
    FMergedColumns->OnChange = [this](TObject* Sender, int, int) { MergedColumnsChanged(Sender); };
    FSelectedCells = std::make_unique<TIntList>(-1, -1);
    FSelectedRows = std::make_unique<TIntList>(-1, -1);
    FRowIndicator = std::make_unique<TBitmap>();
    FBackGround = std::make_unique<TBackGround>(this);
    FScrollHintWnd = std::make_unique<THTMLHintWindow>();
    FCellControls = std::make_unique<TControlList>();
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FProgressAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FSyncGrid = std::make_unique<TSyncGrid>(this);

    SetRowCount(10);
    SetBounds(Left(), Top(), 400, 250);
    FHiddenRowList = std::make_unique<TCollection>([](TCollection* c) -> TCollectionItem* { return new TGridItem(c); });
    FFilter = std::make_unique<TFilter>(this);
    FAutoSize = false;

    FBalloon = std::make_unique<TBalloonSettings>();
    FShowModified = std::make_unique<TShowModified>();
    FShowModified->OnChange = [this](TObject*) { RepaintCol(0); };

    if (!FDesigning) {
        if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) {
            FOwnerForm = form;
            FChainedResize = form->OnResize;
            form->OnResize = [this](TObject* Sender) { GridFormResize(Sender); };
            FFormWidth = form->Width();
            FFormHeight = form->Height();
            FMoveHookId = form->AddMoveHook([](TCustomForm*) { KvGridUnit::FocusWindowHook(); });
        }
    }

    SetDefaultRowHeight(22);
    FFixedRowHeight = 22;
    FLook = glXP;
    FQRVGradientFrom = 0xFFFFFF;
    FQRVGradientTo = ColorToRGB(clBtnFace);
    FIsWinXP = IsWinXPOrLater();
    FIsWin7 = IsWindowsVistaOrLater();
    FIsWinVista = IsWindowsVistaOrLater();
    FIsThemed = (GetFileVersion(QStringLiteral("comctl32.dll")) >> 16) > 5;
    FBorderColor = FIsWinXP ? TColor(0xB99D7F) : TColor(0x808080);
    FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    FCellGraphic = std::make_unique<TCellGraphic>();
    FIgnoreColumns = std::make_unique<TIntList>(-1, -1);
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropDown->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FFilterDropList = new TDropList(this);
    FFilterDropList->SetParent(this);
    FFilterDropList->SetBounds(0, 0, 0, 0);
    FFilterDropList->SetVisible(false);
    FFilterCheckList = new TDropCheckList(this);
    FFilterCheckList->SetParent(this);
    FFilterCheckList->SetBounds(0, 0, 0, 0);
    FFilterCheckList->SetVisible(false);
    FFilterDropList->OnSelect = [this](TObject* Sender, int ItemIndex) { FilterDropDownSelect(Sender, ItemIndex); };
    FFilterCheckList->OnSelect = [this](TObject* Sender, int ItemIndex) { FilterDropDownCheck(Sender, ItemIndex); };
    FFilterList = std::make_unique<TStringList>();
    FFilterList->SetSorted(true);
    FFilterList->Duplicates = dupIgnore;
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();

    FBalloon->OnEnableChange = [this](TObject*) { BalloonEnableChange(); };
    // The editor controls are part of a run-time grid from its construction on: callers
    // and the grid's own overlays find them among its components at once.
    if (!FDesigning) CreateEditorControls();
    KvGridUnit::GridLinkCursor = crHandPoint;
}

void TKvStringGrid::EnsureEditorControls() const
{
    if (FEditorControlsMade || FDesigning || IsDestroying()) return;
    const_cast<TKvStringGrid*>(this)->CreateEditorControls();
}

void TKvStringGrid::CreateEditorControls()
{
    FEditorControlsMade = true;
    auto hidden = [this](TWinControl* c) {
        c->SetParent(this);
        c->SetVisible(false);
        FEditorControls.push_back(c);
    };
    // The glow and the drag markers are windows of their own above the form, not
    // children of the grid.
    auto window = [this](TCustomForm* w) {
        w->SetVisible(false);
        FEditorControls.push_back(w);
    };
    window(new TGridFocusWindow(this));
    for (TArrowDirection d : {arrUp, arrDown, arrLeft, arrRight}) window(new TArrowWindow(this, d));
    auto* drag = new THeaderDragButton(this);
    drag->Grid = this;
    drag->SetEnabled(false);
    window(drag);
    auto* combo = new TGridCombo(this);
    combo->SetEnabled(false);
    combo->FIsWinXP = FIsWinXP;
    combo->IsVistaComCtl6 = FIsWinVista && FIsThemed;
    hidden(combo);
    hidden(new TGridTransEdit(this));
    hidden(new TGridTransCombo(this));
    auto* check = new TGridCheckBox(this);
    check->SetEnabled(false);
    hidden(check);
    auto* editBtn = new TGridEditBtn(this);
    editBtn->SetEnabled(false);
    editBtn->SetButtonCaption(QStringLiteral("..."));
    editBtn->SetBorderStyle(bsNone);
    editBtn->SetIsWinXP(FIsWinXP);
    hidden(editBtn);
    auto* unitBtn = new TGridUnitEditBtn(this);
    unitBtn->SetEnabled(false);
    unitBtn->SetButtonCaption(QStringLiteral("..."));
    unitBtn->SetBorderStyle(bsNone);
    unitBtn->OnUnitChanged = [this](TObject*, const QString& NewUnit) {
        if (OnUnitChanged) OnUnitChanged(this, Col(), NewUnit, Row());
    };
    hidden(unitBtn);
    auto* button = new TGridButton(this);
    button->SetEnabled(false);
    button->OnClick = [this](TObject*) {
        if (OnButtonClick) OnButtonClick(this, Col(), Row());
    };
    hidden(button);
    hidden(new TControlEdit(this));
    hidden(new TControlCombo(this));
    auto* cellBar = new TScrollBar(this);
    cellBar->SetKind(sbVertical);
    hidden(cellBar);
    hidden(new TScrollBar(this));
}

void TKvStringGrid::FreeEditorControls()
{
    for (auto it = FEditorControls.rbegin(); it != FEditorControls.rend(); ++it) delete *it;
    FEditorControls.clear();
}

TKvStringGrid::~TKvStringGrid()
{
    FComponentState |= csDestroying;
    if (KvGridUnit::FocusGrid == this) KvGridUnit::FocusGrid = nullptr;
    // A form being destroyed takes its handlers along.
    if (FOwnerForm && !FOwnerForm->IsDestroying()) {
        FOwnerForm->OnResize = FChainedResize;
        if (FMoveHookId >= 0) FOwnerForm->RemoveMoveHook(FMoveHookId);
    }
    if (FColumnSize->Save()) {
        // A store that cannot be written must not end the program as the window closes.
        try {
            SaveColSizes();
        } catch (const Exception&) {
        }
    }
    ClearTextOnly = false;
    SaveHiddenCells = false;
    int rows = RowCount(), cols = AllColCount();
    const bool hadNodes = HasNodes();
    ShowAllForDestroy();
    if (FAutoThemeAdapt && !FDesigning)
        if (TThemeNotifier* n = ExistingThemeNotifier()) n->UnRegisterWindow(Handle());
    if (FNumHiddenRows == 0 && !hadNodes) {
        rows = std::max(rows, FMaxRowCount);
        cols = std::max(cols, FMaxColCount);
    }
    if (rows > 0 && cols > 0 && FHasCellProps) FreeCellPropertiesRect(0, 0, cols - 1, rows - 1);
    FHiddenRowList.reset();
    if (FLoadedScreenCursorKept && Screen && Screen->Cursor() != FLoadedScreenCursor)
        Screen->SetCursor(FLoadedScreenCursor);
    FreeMoveForm();
    FreeEditorControls();
    delete FFilterCheckList;
    delete FFilterDropList;
    delete FSearchPanel;
    delete FFooterPanel;
    KvGridUnit::Finalize();
}

TKvInplaceEdit* TKvStringGrid::NormalEdit() const
{
    return dynamic_cast<TKvInplaceEdit*>(InplaceEditor());
}

TInplaceEdit* TKvStringGrid::CreateEditor()
{
    auto* e = new TKvInplaceEdit(this);
    e->SetWordWrap(FKvWordWrap);
    return e;
}

QString TKvStringGrid::GetEditMask(int ACol, int ARow)
{
    QString v = EditMask;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, v);
    return v;
}


// ============================================================ copying

void TKvStringGrid::Assign(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TKvStringGrid*>(Source);
    if (!s) return;
    Font()->Assign(*s->Font());
    FActiveCellColor = s->FActiveCellColor;
    FActiveCellColorTo = s->FActiveCellColorTo;
    FActiveCellFont->Assign(*s->FActiveCellFont);
    FActiveCellShow = s->FActiveCellShow;
    SetActiveRowShow(s->ActiveRowShow());
    SetAlign(s->Align());
    FFilterDropDown->Assign(s->FFilterDropDown.get());
    AnchorHint = s->AnchorHint;
    AutoNumAlign = s->AutoNumAlign;
    FAutoSize = s->FAutoSize;
    FAutoThemeAdapt = s->FAutoThemeAdapt;
    FAutoFilterUpdate = s->FAutoFilterUpdate;
    FMouseActions->Assign(s->FMouseActions.get());
    FNavigation->Assign(s->FNavigation.get());
    FGrouping->Assign(s->FGrouping.get());
    FSearchFooter->Assign(s->FSearchFooter.get());
    FPrintSettings->Assign(s->FPrintSettings.get());
    FFilter->Assign(s->FFilter.get());
    FHTMLSettings->Assign(s->FHTMLSettings.get());
    FBands->Assign(s->FBands.get());
    FCellNode->Assign(s->FCellNode.get());
    FSortSettings->Assign(s->FSortSettings.get());
    FDragScrollOptions->Assign(s->FDragScrollOptions.get());
    FDragDropSettings->Assign(s->FDragDropSettings.get());
    FProgressAppearance->Assign(s->FProgressAppearance.get());
    FColumnSize->Assign(s->FColumnSize.get());
    FSyncGrid->Assign(s->FSyncGrid.get());
    FFocusHelper->Assign(s->FFocusHelper.get());
    FFixedRowAlways = s->FFixedRowAlways;
    SetColCount(s->ColCount());
    SetRowCount(s->RowCount());
    SetFixedRows(s->TBaseGrid::FixedRows());
    SetFixedCols(s->TBaseGrid::FixedCols());
    SetDefaultColWidth(s->DefaultColWidth());
    SetDefaultRowHeight(s->DefaultRowHeight());
    FFixedRowHeight = s->FFixedRowHeight;
    SetFixedColWidth(s->FixedColWidth());
    InvalidEntryTitle = s->InvalidEntryTitle;
    FInvalidEntryIcon = s->FInvalidEntryIcon;
    InvalidEntryText = s->InvalidEntryText;
    SetOptions(s->Options());
    for (int c = 0; c < ColCount(); ++c) SetColWidths(c, s->ColWidths(c));
    FColumnHeaders->Assign(s->FColumnHeaders.get());
    for (int r = 0; r < RowCount(); ++r) SetRowHeights(r, s->RowHeights(r));
    FScrollProportional = s->FScrollProportional;
    ScrollSynch = s->ScrollSynch;
    FScrollWidth = s->FScrollWidth;
    ScrollHints = s->ScrollHints;
    FScrollBarAlways = s->FScrollBarAlways;
    SetScrollBars(s->ScrollBars());
    SetScrollColor(s->FScrollColor);
    SetScrollType(s->FScrollType);
    SetScrollWidth(s->FScrollWidth);
    AssignCells(Source);
}

void TKvStringGrid::AssignCells(const TPersistent* Source)
{
    auto* s = dynamic_cast<const TKvStringGrid*>(Source);
    if (!s) return;
    TMemoryStream ms;
    const_cast<TKvStringGrid*>(s)->SaveToStream(&ms);
    ms.Seek(0, soBeginning);
    LoadFromStream(&ms);
}

// ============================================================ window life

void TKvStringGrid::CreateWnd()
{
    if (IsDestroying() || !Parent()) return;
    FFooterPanel->SetParent(this);
    FFooterPanel->SetVisible(FFloatingFooter->Visible());
    FSearchPanel->SetParent(this);
    FSearchPanel->SetVisible(FSearchFooter->Visible());
    FSearchPanel->SetHeight(FSearchFooter->Visible() ? 32 : 0);
    if (FColumnSize->Save()) LoadColSizes();
    FIsWinXP = FIsWinXP && IsThemeActive();
    FWheelScrollLines = Mouse ? Mouse->WheelScrollLines() : 3;
    // The timer needs no window of its own: asking for the handle here would make the
    // window of the whole form, and of every control on it, while the form is still hidden.
    if (!FDesigning) SetTimer(this, GridTimerID, 500);
}

void TKvStringGrid::Loaded()
{
    TBaseGrid::Loaded();
    if (Screen) {
        FLoadedScreenCursor = Screen->Cursor();
        FLoadedScreenCursorKept = true;
    }
    if (FAutoSize) AutoSizeColumns(false, 4);
    if (FColumnSize->Save()) LoadColSizes();
    FFixedRowsMin = TBaseGrid::FixedRows();
    FFixedColsMin = TBaseGrid::FixedCols();
    FMinRowHeight = DefaultRowHeight();
    FMinColWidth = 10;
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        FNavigation->SetAlwaysEdit(true);
        SetOptions(Options() - TGridOptions(goAlwaysShowEditor));
    }
    if (!FDesigning && !FIsWinXP && FControlLook->ControlStyle() == csTheme)
        FControlLook->SetControlStyle(csClassic);
    FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
    UpdateSearchFooter();
    if (!FDesigning && FAutoThemeAdapt) {
        UpdateOfficeTheme();
        GetThemeNotifier(this)->RegisterWindow(Handle());
    }
    InitOrigColSizes();
    ApplyVCLStyle();
    UpdateOleDropTargetAccepts();
}

void TKvStringGrid::Resize()
{
    TBaseGrid::Resize();
    if (FBackGround->IsGradient() && FBackGround->ColorTo() != clNone)
        Invalidate();
    if (FDesigning) Invalidate();
}

void TKvStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FIntegralHeight && !RedrawLocked() && DefaultRowHeight() > 0) {
        const int s = VisibleColCount() + TBaseGrid::FixedCols() < ColCount() ? GetSystemMetrics(SM_CYHSCROLL) : 0;
        const int b = BorderStyle() == bsSingle ? 2 : 0;
        AHeight = AHeight - ((AHeight - s - b) % DefaultRowHeight()) + b;
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TKvStringGrid::Invalidate()
{
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    if (FFloatingFooter && FFloatingFooter->Visible() && !IsLoading() && FFooterPanel) FFooterPanel->Invalidate();
}

void TKvStringGrid::SetParent(TWinControl* AParent)
{
    TBaseGrid::SetParent(AParent);
    if (AParent) CreateWnd();
}

void TKvStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && !IsDestroying() && FSyncGrid && AComponent == FSyncGrid->Grid())
        FSyncGrid->SetGrid(nullptr);
    if (Operation == opRemove) ForgetEditLink(AComponent);
    TBaseGrid::Notification(AComponent, Operation);
}

void TKvStringGrid::GridFormResize(TObject* Sender)
{
    if (FDesigning || IsDestroying()) return;
    auto* form = dynamic_cast<TCustomForm*>(Sender);
    if (FSizeWithForm && form) {
        const int w = Width() + form->Width() - FFormWidth;
        const int h = Height() + form->Height() - FFormHeight;
        if (w > 0 && h > 0) {
            SetBounds(Left(), Top(), w, h);
            FFormWidth = form->Width();
            FFormHeight = form->Height();
        }
    }
    if (FChainedResize) {
        try {
            FChainedResize(Sender);
        } catch (...) {
            // the form's own handler must not stop the grid following the form
        }
    }
    ApplyColumnStretch(FColumnSize->StretchColumn());
}

void TKvStringGrid::InitOrigColSizes()
{
    FOrigColSizes.clear();
    for (int c = 0; c < ColCount(); ++c) FOrigColSizes.push_back(ColWidths(c));
    FPrevWidth = Width();
}

void TKvStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int from = DoFixedCols ? 0 : TBaseGrid::FixedCols();
    const int to = DoFixedCols ? ColCount() : ColCount() - FFixedRightCols;
    for (int c = from; c < to; ++c) {
        AutoSizeCol(c, 0);
        if (Padding != 0) SetColWidths(c, ClampToLimits(ColWidths(c) + Padding, FMinColWidth, FMaxColWidth));
    }
}

// ============================================================ setters with effects

#define KV_SET_CHANGED_INVALIDATE(Field)                                                                     \
    if (Field == Value) return;                                                                              \
    Field = Value;                                                                                           \
    Invalidate();

void TKvStringGrid::SetSelectionColor(TColor Value) { KV_SET_CHANGED_INVALIDATE(FSelectionColor) }
void TKvStringGrid::SetSelectionColorTo(TColor Value) { KV_SET_CHANGED_INVALIDATE(FSelectionColorTo) }
void TKvStringGrid::SetSelectionMirrorColor(TColor Value) { KV_SET_CHANGED_INVALIDATE(FSelectionMirrorColor) }
void TKvStringGrid::SetSelectionMirrorColorTo(TColor Value) { KV_SET_CHANGED_INVALIDATE(FSelectionMirrorColorTo) }
void TKvStringGrid::SetSelectionTextColor(TColor Value) { KV_SET_CHANGED_INVALIDATE(FSelectionTextColor) }
void TKvStringGrid::SetSelectionColorMixer(bool Value) { KV_SET_CHANGED_INVALIDATE(FSelectionColorMixer) }
void TKvStringGrid::SetSelectionRectangle(bool Value) { KV_SET_CHANGED_INVALIDATE(FSelectionRectangle) }
void TKvStringGrid::SetSelectionResizer(bool Value) { KV_SET_CHANGED_INVALIDATE(FSelectionResizer) }
void TKvStringGrid::SetDefaultAlignment(TAlignment Value) { KV_SET_CHANGED_INVALIDATE(FDefaultAlignment) }
void TKvStringGrid::SetShowDesignHelper(bool Value) { KV_SET_CHANGED_INVALIDATE(FShowDesignHelper) }
#undef KV_SET_CHANGED_INVALIDATE

void TKvStringGrid::SetSelectionColorMixerFactor(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (Value == FSelectionColorMixerFactor) return;
    FSelectionColorMixerFactor = Value;
    Invalidate();
}

void TKvStringGrid::SetShowSelection(bool Value)
{
    if (FShowSelection == Value) return;
    FShowSelection = Value;
    FShowSel = Value;
    Invalidate();
}

void TKvStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    FVAlign = Value == vtaCenter ? 4u : Value == vtaBottom ? 8u : 0u;
    if (!RedrawLocked()) Invalidate();
}

void TKvStringGrid::SetWordWrap(bool Value)
{
    FKvWordWrap = Value;
    TBaseGrid::SetWordWrap(Value);
    if (TKvInplaceEdit* e = NormalEdit()) e->SetWordWrap(Value);
    if (!RedrawLocked()) Invalidate();
}

void TKvStringGrid::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value && !IsLoading()) AutoSizeColumns(false, 10);
}

void TKvStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    // The painting keeps Ctl3D the opposite of Flat; set here, the window is not remade while painting.
    SetCtl3D(!Value);
    if (!IsLoading()) Invalidate();
}

void TKvStringGrid::SetSpreadSheet(bool Value)
{
    // Switching off keeps what switching on brought: nothing is turned off.
    FSpreadSheet = Value;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->SetAllowSmartClipboard(true);
    SetOptions(Options() | goRangeSelect | goEditing);
    FMouseActions->SetRangeSelectAndEdit(true);
}

void TKvStringGrid::SetMaxEditLength(int Value)
{
    FMaxEditLength = Value;
    if (TKvInplaceEdit* e = NormalEdit()) e->SetMaxLength(Value);
}

void TKvStringGrid::SetHighlightColor(TColor Value)
{
    if (FHighlightColor == Value) return;
    FHighlightColor = Value;
    SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TKvStringGrid::SetHighlightTextColor(TColor Value)
{
    if (FHighlightTextColor == Value) return;
    FHighlightTextColor = Value;
    SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TKvStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (FAutoThemeAdapt == Value) return;
    FAutoThemeAdapt = Value;
    FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        UpdateOfficeTheme();
        Invalidate();
    }
    // The notifier tells the registered windows when the Office settings change.
    // The grid's window exists once CreateWnd ran with a parent: it put the footer
    // panel into it.
    const bool windowMade = FFooterPanel->Parent() == this;
    if (!FDesigning && windowMade && !IsLoading()) {
        if (Value) GetThemeNotifier(this)->RegisterWindow(Handle());
        else if (TThemeNotifier* n = ExistingThemeNotifier()) n->UnRegisterWindow(Handle());
    }
}

void TKvStringGrid::SetActiveCellShow(bool Value)
{
    FActiveCellShow = Value;
    Invalidate();
}

void TKvStringGrid::SetActiveCellColor(TColor Value)
{
    FActiveCellColor = Value;
    Invalidate();
}

void TKvStringGrid::SetActiveCellColorTo(TColor Value)
{
    FActiveCellColorTo = Value;
    Invalidate();
}

void TKvStringGrid::SetActiveCellFont(const TFont& Value)
{
    FActiveCellFont->Assign(Value);
    Invalidate();
}

void TKvStringGrid::SetBackGround(const TBackGround* Value)
{
    FBackGround->Assign(Value);
    Invalidate();
}

void TKvStringGrid::SetXYOffset(const TPoint& Value)
{
    FXYOffset = Value;
    Invalidate();
}

void TKvStringGrid::SetLookupItems(const TStrings* Value)
{
    if (Value) FLookupItems->Assign(Value);
}

void TKvStringGrid::SetRowIndicator(const TBitmap& Value)
{
    FRowIndicator->Assign(Value);
    RepaintCell(0, Row());
}

void TKvStringGrid::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    if (Parent()) PaintBorder();
}

void TKvStringGrid::SetFixedFooters(int Value)
{
    FFixedFooters = Value;
    Invalidate();
}

void TKvStringGrid::SetFixedRightCols(int Value)
{
    FFixedRightCols = Value;
    Invalidate();
}

// The gradient writers keep the red-green-blue value; "no colour" stays itself.
static TColor GradientRGB(TColor Value)
{
    return Value == clNone ? clNone : ColorToRGB(Value);
}

void TKvStringGrid::SetQRVGradientFrom(TColor Value)
{
    FQRVGradientFrom = GradientRGB(Value);
    Invalidate();
}

void TKvStringGrid::SetQRVGradientTo(TColor Value)
{
    FQRVGradientTo = GradientRGB(Value);
    Invalidate();
}

void TKvStringGrid::SetQRVGradientMirrorFrom(TColor Value)
{
    FQRVGradientMirrorFrom = GradientRGB(Value);
    Invalidate();
}

void TKvStringGrid::SetQRVGradientMirrorTo(TColor Value)
{
    FQRVGradientMirrorTo = GradientRGB(Value);
    Invalidate();
}

// ============================================================ date editor relays

void TKvStringGrid::DateTimeEditorChange(double Value)
{
    if (OnDateTimeChange) OnDateTimeChange(this, Col(), Row(), Value);
}

void TKvStringGrid::DateEditorChange(double Value, bool TimeMode)
{
    if (!OnEditChange) return;
    const TFormatSettings& fs = FormatSettings();
    const QString text = TimeMode ? FormatDateTime(fs.LongTimeFormat, Value) : FormatDateTime(fs.ShortDateFormat, Value);
    OnEditChange(this, Col(), Row(), text);
}

void TKvStringGrid::DateEditorCloseUp()
{
    if (OnDatePickerCloseUp) OnDatePickerCloseUp(this, Col(), Row());
    if (FMouseActions->DirectDateClose()) HideInplaceEdit();
}

void TKvStringGrid::DateEditorDropDown()
{
    if (OnDatePickerDropDown) OnDatePickerDropDown(this, Col(), Row());
}

// ============================================================ listeners and hooks

void TKvStringGrid::RegisterNotifier(TGridChangeNotifier* Item)
{
    if (Item && std::find(FNotifiers.begin(), FNotifiers.end(), Item) == FNotifiers.end())
        FNotifiers.push_back(Item);
}

void TKvStringGrid::UnRegisterNotifier(TGridChangeNotifier* Item)
{
    FNotifiers.erase(std::remove(FNotifiers.begin(), FNotifiers.end(), Item), FNotifiers.end());
}

void TKvStringGrid::CellsChanged(const TGridRect& R)
{
    if (OnCellsChanged) OnCellsChanged(this, R);
    for (TGridChangeNotifier* n : std::vector<TGridChangeNotifier*>(FNotifiers)) n->CellsChanged(this, R);
    CalcFooter(-1);
}

void TKvStringGrid::MouseLeave()
{
    if (HoverRow() && FHoverRowIdx != -1) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = -1;
        RepaintRow(old);
    }
    TBaseGrid::MouseLeave();
}

int TKvStringGrid::VisibleFixedRightCols() const
{
    if (FNumHiddenColumns == 0) return FFixedRightCols;
    // The right-hand fixed columns are the last real ones; hidden ones do not show.
    int n = FFixedRightCols;
    const int last = AllColCount() - 1;
    for (int c = last; c > last - FFixedRightCols && c >= 0; --c)
        if (IsHiddenColumn(c)) --n;
    return n;
}

int TKvStringGrid::FirstDataCol()
{
    return TBaseGrid::FixedCols() == 0 && HasNodes() ? 1 : TBaseGrid::FixedCols();
}

bool TKvStringGrid::IsHoverFixedCell(int ACol, int ARow) const
{
    switch (FHoverFixedCells) {
    case hfNone: return false;
    case hfAll: return ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
    case hfFixedColumns: return ACol < TBaseGrid::FixedCols();
    case hfFixedRows: return ARow < TBaseGrid::FixedRows();
    }
    return false;
}

bool TKvStringGrid::IsDesigning(bool& Designing)
{
    Designing = FDesigning;
    return Designing;
}

void TKvStringGrid::DisableEdit()
{
    SetOptions(Options() - TGridOptions(goEditing));
}

void TKvStringGrid::StoreEditValue(int ACol, int ARow, const QString& Value)
{
    // ACol is a real column: the editor text path takes the display index, Cells the real one.
    SetEditText(DisplColIndex(ACol), ARow, Value);
    SetCells(ACol, ARow, Value);
}

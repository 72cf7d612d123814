#include "grid/grid_settings.h"

// ---- TNavigation ----

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
    if (FAdvanceDirection == Value)
        return;
    FAdvanceDirection = Value;
    Notify();
}

void TNavigation::SetAdvanceInsert(bool Value)
{
    if (FAdvanceInsert == Value)
        return;
    FAdvanceInsert = Value;
    Notify();
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (Value && !FAdvanceAuto)
        FAdvanceOnEnter = true;
    FAdvanceAuto = Value;
}

void TNavigation::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TNavigation*>(Source);
    if (!s)
        return;
    FAllowInsertRow = s->FAllowInsertRow;
    FAllowDeleteRow = s->FAllowDeleteRow;
    FAlwaysEdit = s->FAlwaysEdit;
    FAdvanceOnEnter = s->FAdvanceOnEnter;
    FAdvanceOnEnterLoop = s->FAdvanceOnEnterLoop;
    FAdvanceInsert = s->FAdvanceInsert;
    FAdvanceAutoEdit = s->FAdvanceAutoEdit;
    FAdvanceSkipReadOnlyCells = s->FAdvanceSkipReadOnlyCells;
    FAdvanceDirection = s->FAdvanceDirection;
    FAdvanceAuto = s->FAdvanceAuto;
    FAutoGotoWhenSorted = s->FAutoGotoWhenSorted;
    FAutoGotoIncremental = s->FAutoGotoIncremental;
    FAutoComboDropSize = s->FAutoComboDropSize;
    FAllowClipboardShortcuts = s->FAllowClipboardShortcuts;
    FAllowCtrlEnter = s->FAllowCtrlEnter;
    FAllowSmartClipboard = s->FAllowSmartClipboard;
    FAllowRTFClipboard = s->FAllowRTFClipboard;
    FAllowFmtClipboard = s->FAllowFmtClipboard;
    FAllowClipboardAlways = s->FAllowClipboardAlways;
    FAllowClipboardRowGrow = s->FAllowClipboardRowGrow;
    FAllowClipboardColGrow = s->FAllowClipboardColGrow;
    FAppendOnArrowDown = s->FAppendOnArrowDown;
    FEditSelectAll = s->FEditSelectAll;
    FInsertPosition = s->FInsertPosition;
    FClipboardPasteAction = s->FClipboardPasteAction;
    FComboGetUpDown = s->FComboGetUpDown;
    FCursorAdvance = s->FCursorAdvance;
    FCursorWalkEditor = s->FCursorWalkEditor;
    FCursorWalkAlwaysEdit = s->FCursorWalkAlwaysEdit;
    FCursorMoveRows = s->FCursorMoveRows;
    FMoveRowOnSort = s->FMoveRowOnSort;
    FMoveScrollOnly = s->FMoveScrollOnly;
    FImproveMaskSel = s->FImproveMaskSel;
    FLeftRightRowSelect = s->FLeftRightRowSelect;
    FCopyHTMLTagsToClipboard = s->FCopyHTMLTagsToClipboard;
    FKeepHorizScroll = s->FKeepHorizScroll;
    FLineFeedOnEnter = s->FLineFeedOnEnter;
    FHomeEndKey = s->FHomeEndKey;
    FSkipFixedCells = s->FSkipFixedCells;
    FSkipDisabledRows = s->FSkipDisabledRows;
    FTabToNextAtEnd = s->FTabToNextAtEnd;
    FTabAdvanceDirection = s->FTabAdvanceDirection;
}

// ---- TMouseActions ----

TMouseActions::TMouseActions(TComponent* AOwner)
    : FOwner(AOwner)
    , FFixedComboValues(std::make_unique<TStringList>())
{
}

TMouseActions::~TMouseActions() = default;

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    if (OnInvalidate)
        OnInvalidate(this);
}

void TMouseActions::SetDisjunctRowSelect(bool Value)
{
    FDisjunctRowSelect = Value;
    if (Value && Designing()) {
        FDisjunctColSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctColSelect(bool Value)
{
    FDisjunctColSelect = Value;
    if (Value && Designing()) {
        FDisjunctRowSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctCellSelect(bool Value)
{
    FDisjunctCellSelect = Value;
    if (Value && Designing()) {
        FDisjunctRowSelect = false;
        FDisjunctColSelect = false;
    }
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
    FEditOnDblClickOnly = Value;
    if (Value && OnDisableEdit)
        OnDisableEdit(this);
}

void TMouseActions::SetWheelAction(TWheelAction Value)
{
    if (FWheelAction == Value)
        return;
    FWheelAction = Value;
    if (OnChange)
        OnChange(this);
}

void TMouseActions::SetFixedComboValues(const TStrings* Value)
{
    FFixedComboValues->Assign(Value);
}

void TMouseActions::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TMouseActions*>(Source);
    if (!s)
        return;
    FAllColumnSize = s->FAllColumnSize;
    FAllRowSize = s->FAllRowSize;
    FAllSelect = s->FAllSelect;
    FAutoSizeColOnDblClick = s->FAutoSizeColOnDblClick;
    FCaretPositioning = s->FCaretPositioning;
    FCheckAllCheck = s->FCheckAllCheck;
    FColSelect = s->FColSelect;
    FDirectComboClose = s->FDirectComboClose;
    FDirectComboDrop = s->FDirectComboDrop;
    FDirectDateClose = s->FDirectDateClose;
    FDirectDateDrop = s->FDirectDateDrop;
    FDirectEdit = s->FDirectEdit;
    FDisjunctRowSelect = s->FDisjunctRowSelect;
    FDisjunctRowSelectNoCtrl = s->FDisjunctRowSelectNoCtrl;
    FDisjunctColSelect = s->FDisjunctColSelect;
    FDisjunctCellSelect = s->FDisjunctCellSelect;
    FFixedRowsEdit = s->FFixedRowsEdit;
    FFixedColsEdit = s->FFixedColsEdit;
    FFixedRowsEditor = s->FFixedRowsEditor;
    FFixedColsEditor = s->FFixedColsEditor;
    FMoveRowOnNodeClick = s->FMoveRowOnNodeClick;
    FNoAutoRangeScroll = s->FNoAutoRangeScroll;
    FNodeAllExpandContract = s->FNodeAllExpandContract;
    FNoScrollOnPartialRow = s->FNoScrollOnPartialRow;
    FPreciseCheckBoxCheck = s->FPreciseCheckBoxCheck;
    FPreciseNodeClick = s->FPreciseNodeClick;
    FRangeSelectAndEdit = s->FRangeSelectAndEdit;
    FRowSelect = s->FRowSelect;
    FRowSelectPersistent = s->FRowSelectPersistent;
    FSelectOnRightClick = s->FSelectOnRightClick;
    FSizeFixedCol = s->FSizeFixedCol;
    FWheelIncrement = s->FWheelIncrement;
    FWheelAction = s->FWheelAction;
}

// ---- TSearchFooter ----

TSearchFooter::TSearchFooter(TComponent* AOwner, bool InitDesign)
    : FOwner(AOwner)
    , FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this] { Notify(); };
    if (InitDesign) {
        FFindNextCaption = QStringLiteral("Find &next");
        FFindPrevCaption = QStringLiteral("Find &previous");
        FMatchCaseCaption = QStringLiteral("Match case");
        FHighLightCaption = QStringLiteral("Highlight");
        FHintClose = QStringLiteral("Close");
        FHintFindNext = QStringLiteral("Find next occurrence");
        FHintFindPrev = QStringLiteral("Find previous occurrence");
        FHintHighlight = QStringLiteral("Highlight occurrences");
    }
}

TSearchFooter::~TSearchFooter()
{
    FFont->OnChange = nullptr;
}

void TSearchFooter::SetFont(const TFont* Value)
{
    // The owned font reports its own change once.
    if (Value)
        FFont->Assign(*Value);
    else
        Notify();
}

void TSearchFooter::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSearchFooter*>(Source);
    if (!s)
        return;
    FVisible = s->FVisible;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FFindNextCaption = s->FFindNextCaption;
    FFindPrevCaption = s->FFindPrevCaption;
    FMatchCaseCaption = s->FMatchCaseCaption;
    FHighLightCaption = s->FHighLightCaption;
    FHintClose = s->FHintClose;
    FHintFindNext = s->FHintFindNext;
    FHintFindPrev = s->FHintFindPrev;
    FHintHighlight = s->FHintHighlight;
    FShowClose = s->FShowClose;
    FShowFindNext = s->FShowFindNext;
    FShowFindPrev = s->FShowFindPrev;
    FShowHighLight = s->FShowHighLight;
    FShowMatchCase = s->FShowMatchCase;
    FAlwaysHighLight = s->FAlwaysHighLight;
    FSearchColumn = s->FSearchColumn;
    FSearchActiveColumnOnly = s->FSearchActiveColumnOnly;
    FSearchMatchStart = s->FSearchMatchStart;
    FSearchHiddenRows = s->FSearchHiddenRows;
    FSearchDirection = s->FSearchDirection;
    // The font notifies the change once.
    FFont->Assign(*s->FFont);
}

// ---- TBands ----

void TBands::SetActive(bool Value)
{
    if (FActive == Value)
        return;
    FActive = Value;
    if (OnChange)
        OnChange(this);
}

void TBands::SetPrimaryColor(TColor Value)
{
    if (FPrimaryColor == Value)
        return;
    FPrimaryColor = Value;
    NotifyIfActive();
}

void TBands::SetPrimaryLength(int Value)
{
    if (FPrimaryLength == Value)
        return;
    FPrimaryLength = Value;
    NotifyIfActive();
}

void TBands::SetSecondaryColor(TColor Value)
{
    if (FSecondaryColor == Value)
        return;
    FSecondaryColor = Value;
    NotifyIfActive();
}

void TBands::SetSecondaryLength(int Value)
{
    if (FSecondaryLength == Value)
        return;
    FSecondaryLength = Value;
    NotifyIfActive();
}

void TBands::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TBands*>(Source);
    if (!s)
        return;
    FActive = s->FActive;
    FPrimaryColor = s->FPrimaryColor;
    FPrimaryLength = s->FPrimaryLength;
    FSecondaryColor = s->FSecondaryColor;
    FSecondaryLength = s->FSecondaryLength;
    FPrint = s->FPrint;
}

// ---- TSyncGrid ----

void TSyncGrid::SetGrid(TKvStringGrid* Value)
{
    if (Value != nullptr && Value == FOwner)
        return;
    FGrid = Value;
}

void TSyncGrid::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSyncGrid*>(Source);
    if (!s)
        return;
    FGrid = s->FGrid;
    FScrollVertical = s->FScrollVertical;
    FScrollHorizontal = s->FScrollHorizontal;
    FSelectionRow = s->FSelectionRow;
    FSelectionColumn = s->FSelectionColumn;
    FMoveRow = s->FMoveRow;
    FMoveColumn = s->FMoveColumn;
}

// ---- TGrouping ----

void TGrouping::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TGrouping*>(Source);
    if (!s)
        return;
    FMergeHeader = s->FMergeHeader;
    FMergeSummary = s->FMergeSummary;
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderTextColor = s->FHeaderTextColor;
    FHeaderUnderline = s->FHeaderUnderline;
    FSummaryColor = s->FSummaryColor;
    FSummaryColorTo = s->FSummaryColorTo;
    FSummaryTextColor = s->FSummaryTextColor;
    FSummaryLine = s->FSummaryLine;
    FShowGroupCount = s->FShowGroupCount;
    FGroupCountFormat = s->FGroupCountFormat;
    FAutoSelectGroup = s->FAutoSelectGroup;
    FAutoCheckGroup = s->FAutoCheckGroup;
}

// ---- TDragDropSettings ----

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    FOleDropTarget = Value;
    if (OnIsDesigning && OnIsDesigning())
        return;
    if (Value) {
        FRegistered = OnRegisterDropTarget ? OnRegisterDropTarget() : false;
    } else if (FRegistered) {
        if (OnRevokeDropTarget)
            OnRevokeDropTarget();
        FRegistered = false;
    }
}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    if (OnDropRTFEnabled)
        OnDropRTFEnabled(Value);
    FOleDropRTF = Value;
}

void TDragDropSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDragDropSettings*>(Source);
    if (!s)
        return;
    FOleDropTarget = s->FOleDropTarget;
    FOleDropSource = s->FOleDropSource;
    FOleAcceptFiles = s->FOleAcceptFiles;
    FOleAcceptText = s->FOleAcceptText;
    FOleAcceptURLs = s->FOleAcceptURLs;
    FOleAppendRows = s->FOleAppendRows;
    FOleCopyAlways = s->FOleCopyAlways;
    FOleEntireRows = s->FOleEntireRows;
    FOleInsertRows = s->FOleInsertRows;
    FOleRemoveRows = s->FOleRemoveRows;
    FOleColumnDragDrop = s->FOleColumnDragDrop;
    FOleColumnReorder = s->FOleColumnReorder;
    FOleColumnsOnly = s->FOleColumnsOnly;
    FOleDropRTF = s->FOleDropRTF;
    FShowCells = s->FShowCells;
}

// ---- Drag scrolling ----

void TDragScrollDelays::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDragScrollDelays*>(Source);
    if (!s)
        return;
    FInitialDelay = s->FInitialDelay;
    FRepeatDelay = s->FRepeatDelay;
}

void TDragScrollMargins::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDragScrollMargins*>(Source);
    if (!s)
        return;
    FTopMargin = s->FTopMargin;
    FBottomMargin = s->FBottomMargin;
    FLeftMargin = s->FLeftMargin;
    FRightMargin = s->FRightMargin;
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>())
    , FMargins(std::make_unique<TDragScrollMargins>())
{
}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDragScrollOptions*>(Source);
    if (!s)
        return;
    FMargins->Assign(s->FMargins.get());
    FDelays->Assign(s->FDelays.get());
    FActive = s->FActive;
}

// ---- TBalloonSettings ----

void TBalloonSettings::SetEnable(bool Value)
{
    FEnable = Value;
    if (OnEnableChange)
        OnEnableChange(this);
}

void TBalloonSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TBalloonSettings*>(Source);
    if (!s)
        return;
    FEnable = s->FEnable;
    FTextColor = s->FTextColor;
    FBackgroundColor = s->FBackgroundColor;
    FInitialDelay = s->FInitialDelay;
    FAutoHideDelay = s->FAutoHideDelay;
    FReshowDelay = s->FReshowDelay;
}

// ---- TShowModified ----

void TShowModified::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TShowModified*>(Source);
    if (!s)
        return;
    FColor = s->FColor;
    FEnabled = s->FEnabled;
}

// ---- TGridProgressAppearance ----

void TGridProgressAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TGridProgressAppearance*>(Source);
    if (!s)
        return;
    FCompleteColor = s->FCompleteColor;
    FUnCompleteColor = s->FUnCompleteColor;
    FCompleteFontColor = s->FCompleteFontColor;
    FUnCompleteFontColor = s->FUnCompleteFontColor;
    FLevel0Color = s->FLevel0Color;
    FLevel0ColorTo = s->FLevel0ColorTo;
    FLevel1Color = s->FLevel1Color;
    FLevel1ColorTo = s->FLevel1ColorTo;
    FLevel2Color = s->FLevel2Color;
    FLevel2ColorTo = s->FLevel2ColorTo;
    FLevel3Color = s->FLevel3Color;
    FLevel3ColorTo = s->FLevel3ColorTo;
    FLevel1Perc = s->FLevel1Perc;
    FLevel2Perc = s->FLevel2Perc;
    FBorderColor = s->FBorderColor;
    FShowBorder = s->FShowBorder;
    FStacked = s->FStacked;
    FShowPercentage = s->FShowPercentage;
    FCompletionSmooth = s->FCompletionSmooth;
    FShowGradient = s->FShowGradient;
    FSteps = s->FSteps;
    FStyle = s->FStyle;
    Notify();
}

// ---- TFilterDropDown ----

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>())
    , FGlyph(std::make_unique<TBitmap>())
    , FGlyphActive(std::make_unique<TBitmap>())
{
    FGlyph->OnChange = [this] { Notify(); };
    FGlyphActive->OnChange = [this] { Notify(); };
}

TFilterDropDown::~TFilterDropDown()
{
    FGlyph->OnChange = nullptr;
    FGlyphActive->OnChange = nullptr;
}

namespace {

// Copies a glyph; the bitmap's own change notice reports it once.
void AssignGlyph(TBitmap& Glyph, const TBitmap* Value)
{
    if (Value) {
        Glyph.Assign(*Value);
    } else {
        Glyph.SetSize(0, 0);
        if (Glyph.OnChange)
            Glyph.OnChange();
    }
}

} // namespace

void TFilterDropDown::SetGlyph(const TBitmap* Value)
{
    AssignGlyph(*FGlyph, Value);
}

void TFilterDropDown::SetGlyphActive(const TBitmap* Value)
{
    AssignGlyph(*FGlyphActive, Value);
}

void TFilterDropDown::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFilterDropDown*>(Source);
    if (!s)
        return;
    FColor = s->FColor;
    FColumnWidth = s->FColumnWidth;
    FFont->Assign(*s->FFont);
    FHeight = s->FHeight;
    FWidth = s->FWidth;
    SetGlyph(s->FGlyph.get());
    SetGlyphActive(s->FGlyphActive.get());
}

// ---- TFocusHelper ----

void TFocusHelper::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFocusHelper*>(Source);
    if (!s)
        return;
    FEnabled = s->FEnabled;
}

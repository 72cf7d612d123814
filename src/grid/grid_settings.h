#pragma once
// The grid's behaviour settings: groups of options that the grid reads while it
// handles keys, the mouse, the search bar, row bands, synchronised scrolling,
// grouping, drag and drop, balloon hints, modified-cell marks, progress cells,
// the filter list and the focus frame. Each group has its defaults and an
// Assign that copies the options the group shares with another of its class.

#include <QString>
#include <functional>
#include <memory>

#include "grid/grid_enums.h"
#include "platform/core/classes.h"
#include "platform/core/stringlist.h"
#include "platform/ui/graphics.h"

class TKvStringGrid;

using TSettingsNotifyEvent = std::function<void(TObject* Sender)>;

// Plain option: getter Name(), setter SetName() that only stores.
#define KV_GRID_OPTION(Type, Name, Default)                                                                  \
public:                                                                                                      \
    Type Name() const { return F##Name; }                                                                   \
    void Set##Name(Type Value) { F##Name = Value; }                                                         \
                                                                                                             \
private:                                                                                                     \
    Type F##Name = Default;

// Option whose every write calls Notify().
#define KV_GRID_OPTION_NOTIFY(Type, Name, Default)                                                           \
public:                                                                                                      \
    Type Name() const { return F##Name; }                                                                   \
    void Set##Name(Type Value)                                                                               \
    {                                                                                                        \
        F##Name = Value;                                                                                     \
        Notify();                                                                                            \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type F##Name = Default;

// Option whose writes call Notify() only when the value changes.
#define KV_GRID_OPTION_ONCHANGE(Type, Name, Default)                                                         \
public:                                                                                                      \
    Type Name() const { return F##Name; }                                                                   \
    void Set##Name(Type Value)                                                                               \
    {                                                                                                        \
        if (F##Name == Value)                                                                                \
            return;                                                                                          \
        F##Name = Value;                                                                                     \
        Notify();                                                                                            \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type F##Name = Default;

// ---- Keyboard and clipboard navigation ----
class TNavigation : public TPersistent {
public:
    TNavigation() = default;
    // Copies every option except KeepScrollOnSort.
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TNavigation"); }

    // Fired by AdvanceDirection and AdvanceInsert writes that change the value.
    TSettingsNotifyEvent OnChange;

    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value);
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool Value);
    bool AdvanceAuto() const { return FAdvanceAuto; }
    // Switching it on also switches AdvanceOnEnter on.
    void SetAdvanceAuto(bool Value);

private:
    void Notify()
    {
        if (OnChange)
            OnChange(this);
    }
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceInsert = false;
    bool FAdvanceAuto = false;

    KV_GRID_OPTION(bool, AllowInsertRow, false)
    KV_GRID_OPTION(bool, AllowDeleteRow, false)
    KV_GRID_OPTION(bool, AlwaysEdit, false)
    KV_GRID_OPTION(bool, AdvanceOnEnter, false)
    KV_GRID_OPTION(bool, AdvanceOnEnterLoop, true)
    KV_GRID_OPTION(bool, AdvanceAutoEdit, true)
    KV_GRID_OPTION(bool, AdvanceSkipReadOnlyCells, true)
    KV_GRID_OPTION(bool, AutoGotoWhenSorted, false)
    KV_GRID_OPTION(bool, AutoGotoIncremental, false)
    KV_GRID_OPTION(bool, AutoComboDropSize, false)
    KV_GRID_OPTION(bool, AllowClipboardShortcuts, false)
    KV_GRID_OPTION(bool, AllowCtrlEnter, true)
    KV_GRID_OPTION(bool, AllowSmartClipboard, false)
    KV_GRID_OPTION(bool, AllowRTFClipboard, false)
    KV_GRID_OPTION(bool, AllowFmtClipboard, false)
    KV_GRID_OPTION(bool, AllowClipboardAlways, false)
    KV_GRID_OPTION(bool, AllowClipboardRowGrow, true)
    KV_GRID_OPTION(bool, AllowClipboardColGrow, true)
    KV_GRID_OPTION(bool, AppendOnArrowDown, false)
    KV_GRID_OPTION(bool, EditSelectAll, true)
    KV_GRID_OPTION(TInsertPosition, InsertPosition, pInsertBefore)
    KV_GRID_OPTION(TClipboardPasteAction, ClipboardPasteAction, paReplace)
    KV_GRID_OPTION(bool, ComboGetUpDown, true)
    KV_GRID_OPTION(TCursorAdvance, CursorAdvance, caDefault)
    KV_GRID_OPTION(bool, CursorWalkEditor, false)
    KV_GRID_OPTION(bool, CursorWalkAlwaysEdit, true)
    KV_GRID_OPTION(bool, CursorMoveRows, false)
    KV_GRID_OPTION(bool, MoveRowOnSort, false)
    KV_GRID_OPTION(bool, KeepScrollOnSort, false)
    KV_GRID_OPTION(bool, MoveScrollOnly, false)
    KV_GRID_OPTION(bool, ImproveMaskSel, false)
    KV_GRID_OPTION(bool, LeftRightRowSelect, true)
    KV_GRID_OPTION(bool, CopyHTMLTagsToClipboard, true)
    KV_GRID_OPTION(bool, KeepHorizScroll, false)
    KV_GRID_OPTION(bool, LineFeedOnEnter, false)
    KV_GRID_OPTION(THomeEndAction, HomeEndKey, heFirstLastColumn)
    KV_GRID_OPTION(bool, SkipFixedCells, true)
    KV_GRID_OPTION(bool, SkipDisabledRows, true)
    KV_GRID_OPTION(bool, TabToNextAtEnd, false)
    KV_GRID_OPTION(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
};

// ---- Mouse behaviour ----
class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TComponent* AOwner);
    ~TMouseActions() override;
    // Copies every option except EditOnDblClickOnly, HotmailRowSelect,
    // SizeFixedRow and FixedComboValues.
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TMouseActions"); }
    TComponent* Owner() const { return FOwner; }

    TSettingsNotifyEvent OnChange;      // WheelAction changes
    TSettingsNotifyEvent OnInvalidate;  // every HotmailRowSelect write
    std::function<bool()> OnIsDesigning;
    TSettingsNotifyEvent OnDisableEdit; // EditOnDblClickOnly set to true

    // Switching it on also switches DisjunctRowSelect and CheckAllCheck on.
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool Value);
    // At design time, switching one disjunct selection on switches the other two off.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    // Without side effects.
    bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value);
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction Value);

    // The items of the fixed-cell combo editor.
    TStringList* FixedComboValues() const { return FFixedComboValues.get(); }
    TStringList* GetFixedComboValues() const { return FixedComboValues(); }
    void SetFixedComboValues(const TStrings* Value);

private:
    bool Designing() const { return OnIsDesigning && OnIsDesigning(); }
    TComponent* FOwner;
    std::unique_ptr<TStringList> FFixedComboValues;
    bool FHotmailRowSelect = false;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    bool FEditOnDblClickOnly = false;
    TWheelAction FWheelAction = waMoveSelection;

    KV_GRID_OPTION(bool, AllColumnSize, false)
    KV_GRID_OPTION(bool, AllRowSize, false)
    KV_GRID_OPTION(bool, AllSelect, false)
    KV_GRID_OPTION(bool, AutoSizeColOnDblClick, true)
    KV_GRID_OPTION(bool, CaretPositioning, false)
    KV_GRID_OPTION(bool, CheckAllCheck, false)
    KV_GRID_OPTION(bool, ColSelect, false)
    KV_GRID_OPTION(bool, DirectComboClose, false)
    KV_GRID_OPTION(bool, DirectComboDrop, false)
    KV_GRID_OPTION(bool, DirectDateClose, false)
    KV_GRID_OPTION(bool, DirectDateDrop, false)
    KV_GRID_OPTION(bool, DirectEdit, false)
    KV_GRID_OPTION(bool, DisjunctRowSelectNoCtrl, false)
    KV_GRID_OPTION(TGridFixedCellEdit, FixedRowsEdit, fceNone)
    KV_GRID_OPTION(TGridFixedCellEdit, FixedColsEdit, fceNone)
    KV_GRID_OPTION(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
    KV_GRID_OPTION(TGridFixedCellEditor, FixedColsEditor, fceEdit)
    KV_GRID_OPTION(bool, MoveRowOnNodeClick, false)
    KV_GRID_OPTION(bool, NoAutoRangeScroll, false)
    KV_GRID_OPTION(bool, NodeAllExpandContract, false)
    KV_GRID_OPTION(bool, NoScrollOnPartialRow, false)
    KV_GRID_OPTION(bool, PreciseCheckBoxCheck, false)
    KV_GRID_OPTION(bool, PreciseNodeClick, true)
    KV_GRID_OPTION(bool, RangeSelectAndEdit, false)
    KV_GRID_OPTION(bool, RowSelect, false)
    KV_GRID_OPTION(bool, RowSelectPersistent, false)
    KV_GRID_OPTION(bool, SelectOnRightClick, false)
    KV_GRID_OPTION(bool, SizeFixedCol, false)
    KV_GRID_OPTION(bool, SizeFixedRow, false)
    KV_GRID_OPTION(int, WheelIncrement, 0)
};

// ---- Search bar ----
class TSearchFooter : public TPersistent {
public:
    // With InitDesign the captions and hints get their English texts; otherwise
    // they start empty (a grid from stored form data brings its own).
    TSearchFooter(TComponent* AOwner, bool InitDesign);
    ~TSearchFooter() override;
    // Copies every option except AutoSearch and SearchFixedCells.
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TSearchFooter"); }
    TComponent* Owner() const { return FOwner; }

    TSettingsNotifyEvent OnChange;
    QString LastSearch;

    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);

private:
    void Notify()
    {
        if (OnChange)
            OnChange(this);
    }
    TComponent* FOwner;
    std::unique_ptr<TFont> FFont;

    KV_GRID_OPTION_NOTIFY(TColor, Color, clWhite)
    KV_GRID_OPTION_NOTIFY(TColor, ColorTo, clBtnFace)
    KV_GRID_OPTION_NOTIFY(QString, FindNextCaption, QString())
    KV_GRID_OPTION_NOTIFY(QString, FindPrevCaption, QString())
    KV_GRID_OPTION_NOTIFY(QString, MatchCaseCaption, QString())
    KV_GRID_OPTION_NOTIFY(QString, HighLightCaption, QString())
    KV_GRID_OPTION_NOTIFY(QString, HintClose, QString())
    KV_GRID_OPTION_NOTIFY(QString, HintFindNext, QString())
    KV_GRID_OPTION_NOTIFY(QString, HintFindPrev, QString())
    KV_GRID_OPTION_NOTIFY(QString, HintHighlight, QString())
    KV_GRID_OPTION_NOTIFY(bool, ShowClose, true)
    KV_GRID_OPTION_NOTIFY(bool, AutoThemeAdapt, false)
    KV_GRID_OPTION_ONCHANGE(bool, Visible, false)
    KV_GRID_OPTION_ONCHANGE(bool, ShowFindNext, true)
    KV_GRID_OPTION_ONCHANGE(bool, ShowFindPrev, true)
    KV_GRID_OPTION_ONCHANGE(bool, ShowHighLight, true)
    KV_GRID_OPTION_ONCHANGE(bool, ShowMatchCase, true)
    KV_GRID_OPTION(bool, AutoSearch, true)
    KV_GRID_OPTION(bool, AlwaysHighLight, false)
    KV_GRID_OPTION(int, SearchColumn, -1)
    KV_GRID_OPTION(bool, SearchActiveColumnOnly, false)
    KV_GRID_OPTION(bool, SearchMatchStart, false)
    KV_GRID_OPTION(bool, SearchFixedCells, false)
    KV_GRID_OPTION(bool, SearchHiddenRows, false)
    KV_GRID_OPTION(TSearchDirection, SearchDirection, sdTopBottom)
};

// ---- Alternating row colours ----
class TBands : public TPersistent {
public:
    TBands() = default;
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TBands"); }

    // Fired when Active changes, and when a colour or length changes while Active.
    TSettingsNotifyEvent OnChange;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int Value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int Value);
    int TotalLength() const { return FPrimaryLength + FSecondaryLength; }

private:
    void NotifyIfActive()
    {
        if (FActive && OnChange)
            OnChange(this);
    }
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    int FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    int FSecondaryLength = 1;

    KV_GRID_OPTION(bool, Print, false)
};

// ---- Synchronised partner grid ----
class TSyncGrid : public TPersistent {
public:
    // AOwner is the grid these settings belong to; it is refused as partner.
    explicit TSyncGrid(TKvStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TSyncGrid"); }

    TKvStringGrid* Grid() const { return FGrid; }
    void SetGrid(TKvStringGrid* Value);

private:
    TKvStringGrid* FOwner;
    TKvStringGrid* FGrid = nullptr;

    KV_GRID_OPTION(bool, ScrollVertical, false)
    KV_GRID_OPTION(bool, ScrollHorizontal, false)
    KV_GRID_OPTION(bool, SelectionRow, false)
    KV_GRID_OPTION(bool, SelectionColumn, false)
    KV_GRID_OPTION(bool, MoveRow, false)
    KV_GRID_OPTION(bool, MoveColumn, false)
};

// ---- Grouping looks ----
class TGrouping : public TPersistent {
public:
    TGrouping() = default;
    // Copies all but HeaderLineColor, HeaderLineWidth, Summary, SummaryLineColor
    // and SummaryLineWidth.
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TGrouping"); }

    KV_GRID_OPTION(bool, MergeHeader, false)
    KV_GRID_OPTION(bool, MergeSummary, false)
    KV_GRID_OPTION(TColor, HeaderColor, clNone)
    KV_GRID_OPTION(TColor, HeaderColorTo, clNone)
    KV_GRID_OPTION(TColor, HeaderTextColor, clNone)
    KV_GRID_OPTION(bool, HeaderUnderline, false)
    KV_GRID_OPTION(TColor, HeaderLineColor, clBlue)
    KV_GRID_OPTION(int, HeaderLineWidth, 2)
    KV_GRID_OPTION(bool, Summary, false)
    KV_GRID_OPTION(TColor, SummaryColor, clNone)
    KV_GRID_OPTION(TColor, SummaryColorTo, clNone)
    KV_GRID_OPTION(TColor, SummaryTextColor, clNone)
    KV_GRID_OPTION(bool, SummaryLine, false)
    KV_GRID_OPTION(TColor, SummaryLineColor, clBlue)
    KV_GRID_OPTION(int, SummaryLineWidth, 2)
    KV_GRID_OPTION(bool, ShowGroupCount, false)
    KV_GRID_OPTION(QString, GroupCountFormat, QString())
    KV_GRID_OPTION(bool, AutoSelectGroup, false)
    KV_GRID_OPTION(bool, AutoCheckGroup, false)
};

// ---- OLE drag and drop ----
class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TComponent* AGrid) : FGrid(AGrid) {}
    // Copies all fifteen values without registering a drop target.
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TDragDropSettings"); }
    TComponent* Grid() const { return FGrid; }

    // Wired by the grid: design-mode test, drop-target creation and registration
    // (returns whether the registration succeeded), revocation, rich-text switch.
    std::function<bool()> OnIsDesigning;
    std::function<bool()> OnRegisterDropTarget;
    std::function<void()> OnRevokeDropTarget;
    std::function<void(bool Enabled)> OnDropRTFEnabled;

    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value);
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);
    bool DropTargetRegistered() const { return FRegistered; }

private:
    TComponent* FGrid;
    bool FOleDropTarget = false;
    bool FOleDropRTF = false;
    bool FRegistered = false;

    KV_GRID_OPTION(bool, OleDropSource, false)
    KV_GRID_OPTION(bool, OleAcceptFiles, true)
    KV_GRID_OPTION(bool, OleAcceptText, true)
    KV_GRID_OPTION(bool, OleAcceptURLs, true)
    KV_GRID_OPTION(bool, OleAppendRows, false)
    KV_GRID_OPTION(bool, OleCopyAlways, false)
    KV_GRID_OPTION(bool, OleEntireRows, false)
    KV_GRID_OPTION(bool, OleInsertRows, false)
    KV_GRID_OPTION(bool, OleRemoveRows, false)
    KV_GRID_OPTION(bool, OleColumnDragDrop, false)
    KV_GRID_OPTION(bool, OleColumnReorder, false)
    KV_GRID_OPTION(bool, OleColumnsOnly, false)
    KV_GRID_OPTION(bool, ShowCells, true)
};

// ---- Drag scrolling ----
class TDragScrollDelays : public TPersistent {
public:
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TDragScrollDelays"); }
    KV_GRID_OPTION(int, InitialDelay, 1000)
    KV_GRID_OPTION(int, RepeatDelay, 250)
};

class TDragScrollMargins : public TPersistent {
public:
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TDragScrollMargins"); }
    KV_GRID_OPTION(int, TopMargin, 50)
    KV_GRID_OPTION(int, BottomMargin, 50)
    KV_GRID_OPTION(int, LeftMargin, 50)
    KV_GRID_OPTION(int, RightMargin, 50)
};

class TDragScrollOptions : public TPersistent {
public:
    TDragScrollOptions();
    ~TDragScrollOptions() override;
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TDragScrollOptions"); }
    TDragScrollDelays* Delays() const { return FDelays.get(); }
    void SetDelays(const TDragScrollDelays* Value) { FDelays->Assign(Value); }
    TDragScrollMargins* Margins() const { return FMargins.get(); }
    void SetMargins(const TDragScrollMargins* Value) { FMargins->Assign(Value); }

private:
    std::unique_ptr<TDragScrollDelays> FDelays;
    std::unique_ptr<TDragScrollMargins> FMargins;

    KV_GRID_OPTION(bool, Active, false)
};

// ---- Balloon hints ----
class TBalloonSettings : public TPersistent {
public:
    TBalloonSettings() = default;
    // Copies all but Transparency.
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TBalloonSettings"); }

    TSettingsNotifyEvent OnEnableChange; // every Enable write

    bool Enable() const { return FEnable; }
    void SetEnable(bool Value);

private:
    bool FEnable = false;

    KV_GRID_OPTION(TColor, TextColor, clNone)
    KV_GRID_OPTION(TColor, BackgroundColor, clNone)
    KV_GRID_OPTION(int, InitialDelay, -1)
    KV_GRID_OPTION(int, AutoHideDelay, -1)
    KV_GRID_OPTION(int, ReshowDelay, -1)
    KV_GRID_OPTION(uint8_t, Transparency, 0)
};

// ---- Modified-cell marks ----
class TShowModified : public TPersistent {
public:
    TShowModified() = default;
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TShowModified"); }

    TSettingsNotifyEvent OnChange; // every Color write

private:
    void Notify()
    {
        if (OnChange)
            OnChange(this);
    }

    KV_GRID_OPTION(bool, Enabled, false)
    KV_GRID_OPTION_NOTIFY(TColor, Color, clYellow)
};

// ---- Progress-bar cells ----
class TGridProgressAppearance : public TPersistent {
public:
    TGridProgressAppearance() = default;
    // Copies every value and notifies once.
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TGridProgressAppearance"); }

    TSettingsNotifyEvent OnChange; // any value that changes

private:
    void Notify()
    {
        if (OnChange)
            OnChange(this);
    }

    KV_GRID_OPTION_ONCHANGE(TColor, CompleteColor, clRed)
    KV_GRID_OPTION_ONCHANGE(TColor, UnCompleteColor, clNone)
    KV_GRID_OPTION_ONCHANGE(TColor, CompleteFontColor, clBlue)
    KV_GRID_OPTION_ONCHANGE(TColor, UnCompleteFontColor, clWindowText)
    KV_GRID_OPTION_ONCHANGE(TColor, Level0Color, clLime)
    KV_GRID_OPTION_ONCHANGE(TColor, Level0ColorTo, 0xE1FFE1)
    KV_GRID_OPTION_ONCHANGE(TColor, Level1Color, clYellow)
    KV_GRID_OPTION_ONCHANGE(TColor, Level1ColorTo, 0xCAFFFF)
    KV_GRID_OPTION_ONCHANGE(TColor, Level2Color, 0x53A9FF)
    KV_GRID_OPTION_ONCHANGE(TColor, Level2ColorTo, 0xA8D3FF)
    KV_GRID_OPTION_ONCHANGE(TColor, Level3Color, clRed)
    KV_GRID_OPTION_ONCHANGE(TColor, Level3ColorTo, 0xCACAFF)
    KV_GRID_OPTION_ONCHANGE(int, Level1Perc, 70)
    KV_GRID_OPTION_ONCHANGE(int, Level2Perc, 90)
    KV_GRID_OPTION_ONCHANGE(TColor, BorderColor, clBlack)
    KV_GRID_OPTION_ONCHANGE(bool, ShowBorder, false)
    KV_GRID_OPTION_ONCHANGE(bool, Stacked, false)
    KV_GRID_OPTION_ONCHANGE(bool, ShowPercentage, true)
    KV_GRID_OPTION_ONCHANGE(bool, CompletionSmooth, true)
    KV_GRID_OPTION_ONCHANGE(bool, ShowGradient, true)
    KV_GRID_OPTION_ONCHANGE(int, Steps, 11)
    KV_GRID_OPTION_ONCHANGE(TProgressStyle, Style, psXP)
};

// ---- Filter drop-down list ----
class TFilterDropDown : public TPersistent {
public:
    TFilterDropDown();
    ~TFilterDropDown() override;
    // Copies all but AutoSize.
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TFilterDropDown"); }

    TSettingsNotifyEvent OnChange; // a change of either glyph

    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value)
    {
        if (Value)
            FFont->Assign(*Value);
    }
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(const TBitmap* Value);

private:
    void Notify()
    {
        if (OnChange)
            OnChange(this);
    }
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FGlyphActive;

    KV_GRID_OPTION(bool, AutoSize, false)
    KV_GRID_OPTION(TColor, Color, clWindow)
    KV_GRID_OPTION(bool, ColumnWidth, false)
    KV_GRID_OPTION(int, Height, 150)
    KV_GRID_OPTION(int, Width, 150)
};

// ---- Glowing focus frame ----
class TFocusHelper : public TPersistent {
public:
    explicit TFocusHelper(TComponent* AOwner) : FOwner(AOwner) {}
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TFocusHelper"); }
    TComponent* Owner() const { return FOwner; }

private:
    TComponent* FOwner;

    KV_GRID_OPTION(bool, Enabled, false)
};

#undef KV_GRID_OPTION
#undef KV_GRID_OPTION_NOTIFY
#undef KV_GRID_OPTION_ONCHANGE

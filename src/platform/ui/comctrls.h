#pragma once
// Common controls: page control with tab sheets, tree view, track bar and
// progress bar.
#include "platform/ui/datetime_fields.h"
#include "platform/core/datetime.h"
#include "platform/ui/extctrls.h"

class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;
class QSlider;
class QProgressBar;
class QDateTimeEdit;
class QCalendarWidget;

class TPageControl;

class TTabSheet : public TWinControl {
    Q_OBJECT
public:
    explicit TTabSheet(TComponent* AOwner = nullptr);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* p);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    int PageIndex() const;
    int TabIndex() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int i) { FImageIndex = i; }
protected:
    void TextChanged() override;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

class TPageControl : public TWinControl {
    Q_OBJECT
public:
    explicit TPageControl(TComponent* AOwner = nullptr);
    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int i) const { return FPages.at(size_t(i)); }
    TTabSheet* ActivePage() const { return FActive; }
    void SetActivePage(TTabSheet* p);
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);
    TTabSheet* FindNextPage(TTabSheet* cur, bool forward, bool checkTabVisible) const;
    void SelectNextPage(bool forward, bool checkTabVisible = true);
    // The pages' area: below the tab row, inside a 4-pixel frame.
    TRect DisplayRect() const;
    int TabRowHeight() const;
    QTabBar* TabBar() const { return FTabs; }
    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void WndProc(TMessage& Message) override;
protected:
    friend class TTabSheet;
    void InsertPage(TTabSheet* p);
    void RemovePage(TTabSheet* p);
    void UpdateTabs();
    void ShowActive();
    void resizeEvent(QResizeEvent* e) override;
    QTabBar* FTabs;
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActive = nullptr;
    bool FUpdating = false;
};

class TTreeView;
class TTreeNodes;

class TTreeNode {
public:
    QString Text() const;
    void SetText(const QString& s);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int i);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int i) { FSelectedIndex = i; }
    void* Data() const { return FData; }
    void SetData(void* d) { FData = d; }
    // The colour of the node's text; clWindowText until set.
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor c);
    TTreeNode* Parent() const { return FParent; }
    int Count() const { return int(FChildren.size()); }
    TTreeNode* Item(int i) const { return FChildren.at(size_t(i)); }
    bool HasChildren() const { return !FChildren.empty(); }
    int Index() const;
    int Level() const;
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    bool Expanded() const;
    void SetExpanded(bool v);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool v);
    void Delete();
    void DeleteChildren();
    TTreeView* TreeView() const { return FTree; }
    QTreeWidgetItem* Item() const { return FItem; }
private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeView* FTree = nullptr;
    TTreeNode* FParent = nullptr;
    QTreeWidgetItem* FItem = nullptr;
    std::vector<TTreeNode*> FChildren;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    void* FData = nullptr;
    TColor FFontColor = clWindowText;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* owner) : FOwner(owner) {}
    ~TTreeNodes();
    // A new last child of `parent` (null: a new root).
    TTreeNode* AddChild(TTreeNode* parent, const QString& text);
    TTreeNode* AddChildObject(TTreeNode* parent, const QString& text, void* data);
    // A new last sibling of `sibling` (null: a new root).
    TTreeNode* Add(TTreeNode* sibling, const QString& text);
    TTreeNode* AddObject(TTreeNode* sibling, const QString& text, void* data);
    int Count() const;
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
    // Nodes in display order (depth first).
    TTreeNode* Item(int i) const;
    void Delete(TTreeNode* n);
    void Clear();
    void BeginUpdate() {}
    void EndUpdate() {}
private:
    friend class TTreeNode;
    friend class TTreeView;
    TTreeView* FOwner;
    std::vector<TTreeNode*> FRoots;
};

class TTreeView : public TWinControl {
    Q_OBJECT
public:
    explicit TTreeView(TComponent* AOwner = nullptr);
    ~TTreeView() override;
    TTreeNodes* Items() { return &FNodes; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* l);
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* n);
    void FullExpand();
    void FullCollapse();
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TTreeNode* GetNodeAt(int x, int y) const;
    TTreeNode* NodeOf(QTreeWidgetItem* it) const;
    QTreeWidget* Tree() const { return FTree; }
    std::function<void(TObject* Sender, TTreeNode* Node)> OnChange;
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)> OnChanging;
    std::function<void(TObject* Sender, TTreeNode* Node)> OnExpanded, OnCollapsed;
    void UpdateIcon(TTreeNode* n);
    void WndProc(TMessage& m) override;
protected:
    friend class TTreeNodes;
    friend class TTreeNode;
    QTreeWidget* FTree;
    TTreeNodes FNodes{this};
    TImageList* FImages = nullptr;
    bool FReadOnly = true;
    bool FChanging = false;
};

enum TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
    Q_OBJECT
public:
    explicit TTrackBar(TComponent* AOwner = nullptr);
    int Min() const;
    int Max() const;
    int Position() const;
    void SetMin(int v);
    void SetMax(int v);
    void SetPosition(int v);
    int Frequency() const;
    void SetFrequency(int v);
    int PageSize() const;
    void SetPageSize(int v);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation o);
    QSlider* Slider() const { return FSlider; }
    TNotifyEvent OnChange;
protected:
    QSlider* FSlider;
    TTrackBarOrientation FOrientation = trHorizontal;
};

class TProgressBar : public TWinControl {
    Q_OBJECT
public:
    explicit TProgressBar(TComponent* AOwner = nullptr);
    int Min() const;
    int Max() const;
    int Position() const;
    void SetMin(int v);
    void SetMax(int v);
    void SetPosition(int v);
    int Step() const { return FStep; }
    void SetStep(int v) { FStep = v; }
    void StepIt();
    void StepBy(int d);
    QProgressBar* Bar() const { return FBar; }
protected:
    QProgressBar* FBar;
    int FStep = 10;
};

// Date format of the runtime ("dd/mm/yyyy hh:nn") as a Qt format ("dd/MM/yyyy hh:mm");
// "/" and ":" become the separators of FormatSettings.
QString RuntimeFormatToQt(const QString& fmt);

enum TDateTimeKind { dtkDate, dtkTime };
enum : unsigned { MCS_WEEKNUMBERS = 0x4, MCS_NOTODAYCIRCLE = 0x8, MCS_NOTODAY = 0x10 };
enum TDTDateFormat { dfShort, dfLong };
enum TDTDateMode { dmComboBox, dmUpDown };

// Date or time picker with a drop-down calendar. The keys go to our field model
// (datetime_fields.h): digits fill the current field, Left and Right change
// fields, Up and Down step the field, F4 and Alt+Down open the calendar; the
// Qt editor only shows the value and the current field.
class TDateTimePicker : public TWinControl {
    Q_OBJECT
public:
    explicit TDateTimePicker(TComponent* AOwner = nullptr);
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind k);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat f);
    // Custom display format in the picker's own notation (d, M, y, H, h, m, s, tt);
    // empty: the locale's short or long format.
    QString Format() const { return FFormat; }
    void SetFormat(const QString& f);
    TDateTime DateTime() const;
    void SetDateTime(TDateTime v);
    TDateTime Date() const { return DateOf(DateTime()); }
    void SetDate(TDateTime v) { SetDateTime(DateOf(v) + TimeOf(DateTime())); }
    TDateTime Time() const { return TimeOf(DateTime()); }
    void SetTime(TDateTime v) { SetDateTime(DateOf(DateTime()) + TimeOf(v)); }
    // The limits as set (0: none set).
    TDateTime MinDate() const { return FMinDate; }
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMinDate(TDateTime v);
    void SetMaxDate(TDateTime v);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool DroppedDown() const;
    // Opens the calendar (date kind in drop-down mode only).
    void DropDown();
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode m);
    // The format in force in the picker's letters (custom or the locale's).
    QString EffectiveFormat() const;
    // The drop-down calendar's style bits (MCS_NOTODAY, MCS_NOTODAYCIRCLE, MCS_WEEKNUMBERS):
    // week numbers show in a column before the days, today's date is ringed (bold) unless
    // MCS_NOTODAYCIRCLE; the calendar has no today line, so MCS_NOTODAY only records the wish.
    unsigned CalendarStyle() const { return FCalendarStyle; }
    void SetCalendarStyle(unsigned Style);
    // The open calendar's window sized to the calendar's minimum size plus Extra pixels.
    void SizeCalendarToMinimum(int Extra);
    QCalendarWidget* CalendarWidget() const;
    const TDateTimeFields& Fields() const { return FFields; }
    QDateTimeEdit* Editor() const { return FEdit; }
    TNotifyEvent OnChange, OnCloseUp, OnDropDown;
    void WndProc(TMessage& m) override;
protected:
    void ApplyFormat();
    // Shows the model's value and current field; fires OnChange when the value changed.
    void SyncFromFields(bool changed);
    // A change by the user (value or check box); fires OnChange.
    virtual void Change();
    void WatchCalendar();
    TDateTimeFields FFields;
    TDTDateMode FDateMode = dmComboBox;
    bool FWatchingCalendar = false;
    QDateTimeEdit* FEdit;
    QCheckBox* FCheck = nullptr;
    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
    QString FFormat;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FSetting = false;
    unsigned FCalendarStyle = 0;
    TDateTime FMinDate = 0, FMaxDate = 0;
    void ApplyCalendarStyle();
};

class TMonthCalendar : public TWinControl {
    Q_OBJECT
public:
    explicit TMonthCalendar(TComponent* AOwner = nullptr);
    TDateTime Date() const;
    void SetDate(TDateTime v);
    QCalendarWidget* Calendar() const { return FCal; }
    TNotifyEvent OnClick, OnDblClick;
protected:
    QCalendarWidget* FCal;
    bool FSetting = false;
};


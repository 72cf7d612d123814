#include "platform/ui/comctrls.h"

#include <QtGui/QTextCharFormat>
#include "platform/core/format_settings.h"

#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QCalendarWidget>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDateTimeEdit>
#include <QtGui/QMouseEvent>
#include <QtCore/QCoreApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QSlider>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTreeWidget>

#include <algorithm>

// ---------------------------------------------------------------- tab sheet
TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    FVisible = false;
    FParentColor = false;
    FColor = clWindow;
}

TTabSheet::~TTabSheet()
{
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* p)
{
    if (p == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = p;
    SetParent(p);
    if (p) p->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool v)
{
    FTabVisible = v;
    if (FPageControl) {
        FPageControl->UpdateTabs();
        if (!v && FPageControl->ActivePage() == this)
            FPageControl->SetActivePage(FPageControl->FindNextPage(this, true, true));
    }
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl) return -1;
    auto& v = FPageControl->FPages;
    return int(std::find(v.begin(), v.end(), this) - v.begin());
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

void TTabSheet::TextChanged()
{
    if (FPageControl) FPageControl->UpdateTabs();
}

// ---------------------------------------------------------------- page control
namespace {
// Tabs as high as a classic desktop draws them (20 pixels for an 8-point font at
// 96 dpi), not the taller ones of the widget style, so that pages keep the room
// their controls were placed for.
class KvTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;
    int RowHeight() const { return fontMetrics().height() + 7; }
protected:
    QSize tabSizeHint(int index) const override
    {
        QSize s = QTabBar::tabSizeHint(index);
        s.setHeight(RowHeight());
        return s;
    }
    QSize minimumTabSizeHint(int index) const override
    {
        QSize s = QTabBar::minimumTabSizeHint(index);
        s.setHeight(RowHeight());
        return s;
    }
};
} // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner)
{
    FTabs = new KvTabBar(this);
    FTabs->setDrawBase(true);
    FTabs->setExpanding(false);
    FTabs->installEventFilter(this);
    FTabStop = true;
    SetBounds(0, 0, 289, 193);
    QObject::connect(FTabs, &QTabBar::currentChanged, this, [this](int tab) {
        if (FUpdating) return;
        Guard([&] {
            TTabSheet* target = nullptr;
            for (TTabSheet* p : FPages) if (p->TabIndex() == tab) target = p;
            if (!target || target == FActive) return;
            bool allow = true;
            if (OnChanging) OnChanging(this, allow);
            if (!allow) {
                FUpdating = true;
                FTabs->setCurrentIndex(FActive ? FActive->TabIndex() : -1);
                FUpdating = false;
                return;
            }
            FActive = target;
            ShowActive();
            if (OnChange) OnChange(this);
        });
    });
}

void TPageControl::InsertPage(TTabSheet* p)
{
    if (std::find(FPages.begin(), FPages.end(), p) == FPages.end()) FPages.push_back(p);
    UpdateTabs();
    if (!FActive && p->TabVisible()) SetActivePage(p);
    Realign();
}

void TPageControl::RemovePage(TTabSheet* p)
{
    FPages.erase(std::remove(FPages.begin(), FPages.end(), p), FPages.end());
    if (FActive == p) {
        FActive = nullptr;
        for (TTabSheet* q : FPages) if (q->TabVisible()) { FActive = q; break; }
    }
    UpdateTabs();
    ShowActive();
}

void TPageControl::UpdateTabs()
{
    FUpdating = true;
    while (FTabs->count() > 0) FTabs->removeTab(0);
    for (TTabSheet* p : FPages)
        if (p->TabVisible()) FTabs->addTab(p->Caption());
    FTabs->setCurrentIndex(FActive ? FActive->TabIndex() : -1);
    FTabs->setGeometry(2, 0, std::max(0, FWidth - 4), TabRowHeight());
    FUpdating = false;
}

void TPageControl::ShowActive()
{
    for (TTabSheet* p : FPages) p->SetVisible(p == FActive);
    FUpdating = true;
    FTabs->setCurrentIndex(FActive ? FActive->TabIndex() : -1);
    FUpdating = false;
}

void TPageControl::SetActivePage(TTabSheet* p)
{
    if (p && p->PageControl() != this) return;
    FActive = p;
    ShowActive();
}

int TPageControl::ActivePageIndex() const { return FActive ? FActive->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i)
{
    SetActivePage(i >= 0 && i < PageCount() ? FPages[size_t(i)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* cur, bool forward, bool checkTabVisible) const
{
    if (FPages.empty()) return nullptr;
    const int n = int(FPages.size());
    int i = cur ? cur->PageIndex() : (forward ? -1 : n);
    for (int k = 0; k < n; ++k) {
        i = forward ? (i + 1) % n : (i - 1 + n) % n;
        TTabSheet* p = FPages[size_t(i)];
        if (!checkTabVisible || p->TabVisible()) return p;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool forward, bool checkTabVisible)
{
    TTabSheet* p = FindNextPage(FActive, forward, checkTabVisible);
    if (!p || p == FActive) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    SetActivePage(p);
    if (OnChange) OnChange(this);
}

int TPageControl::TabRowHeight() const
{
    return static_cast<KvTabBar*>(FTabs)->RowHeight();
}

TRect TPageControl::DisplayRect() const
{
    // The tab row, then a 4-pixel frame on every side of the page.
    const int top = TabRowHeight() + 4;
    return TRect(4, top, std::max(4, FWidth - 4), std::max(top, FHeight - 4));
}

void TPageControl::AlignControls(TControl* c, TRect& r)
{
    const TRect d = DisplayRect();
    for (TTabSheet* p : FPages) p->SetBounds(d.Left, d.Top, d.Width(), d.Height());
    TWinControl::AlignControls(c, r);
}

void TPageControl::WndProc(TMessage& m)
{
    TWinControl::WndProc(m);
    if (m.Msg == CM_FONTCHANGED) {
        // The tab row follows the font, and the pages follow the tab row.
        FTabs->setGeometry(2, 0, std::max(0, FWidth - 4), TabRowHeight());
        Realign();
    }
}

void TPageControl::resizeEvent(QResizeEvent* e)
{
    TWinControl::resizeEvent(e);
    FTabs->setGeometry(2, 0, std::max(0, FWidth - 4), TabRowHeight());
}

// ---------------------------------------------------------------- tree nodes
QString TTreeNode::Text() const { return FItem->text(0); }
void TTreeNode::SetText(const QString& s) { FItem->setText(0, s); }

void TTreeNode::SetImageIndex(int i)
{
    FImageIndex = i;
    if (FTree) FTree->UpdateIcon(this);
}

void TTreeNode::SetFontColor(TColor c)
{
    FFontColor = c;
    FItem->setForeground(0, QBrush(ToQColor(c)));
}

int TTreeNode::Index() const
{
    const auto& v = FParent ? FParent->FChildren : FTree->FNodes.FRoots;
    return int(std::find(v.begin(), v.end(), this) - v.begin());
}

int TTreeNode::Level() const
{
    int l = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent) ++l;
    return l;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    const auto& v = FParent ? FParent->FChildren : FTree->FNodes.FRoots;
    const int i = Index();
    return i + 1 < int(v.size()) ? v[size_t(i + 1)] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    const auto& v = FParent ? FParent->FChildren : FTree->FNodes.FRoots;
    const int i = Index();
    return i > 0 ? v[size_t(i - 1)] : nullptr;
}

bool TTreeNode::Expanded() const { return FItem->isExpanded(); }
void TTreeNode::SetExpanded(bool v) { FItem->setExpanded(v); }

void TTreeNode::Expand(bool recurse)
{
    FItem->setExpanded(true);
    if (recurse) for (TTreeNode* c : FChildren) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse)
{
    FItem->setExpanded(false);
    if (recurse) for (TTreeNode* c : FChildren) c->Collapse(true);
}

bool TTreeNode::Selected() const { return FTree->Selected() == this; }
void TTreeNode::SetSelected(bool v) { if (v) FTree->SetSelected(this); else if (Selected()) FTree->SetSelected(nullptr); }
void TTreeNode::Delete() { FTree->FNodes.Delete(this); }
void TTreeNode::DeleteChildren() { while (!FChildren.empty()) FTree->FNodes.Delete(FChildren.back()); }

TTreeNodes::~TTreeNodes()
{
    std::function<void(TTreeNode*)> del = [&](TTreeNode* n) {
        for (TTreeNode* c : n->FChildren) del(c);
        delete n;
    };
    for (TTreeNode* r : FRoots) del(r);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const QString& text, void* data)
{
    auto* n = new TTreeNode;
    n->FTree = FOwner;
    n->FParent = parent;
    n->FData = data;
    if (parent) {
        n->FItem = new QTreeWidgetItem(parent->FItem);
        parent->FChildren.push_back(n);
    } else {
        n->FItem = new QTreeWidgetItem(FOwner->FTree);
        FRoots.push_back(n);
    }
    n->FItem->setText(0, text);
    n->FItem->setData(0, Qt::UserRole, QVariant::fromValue<quintptr>(quintptr(n)));
    return n;
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const QString& text) { return AddChildObject(parent, text, nullptr); }
TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const QString& text) { return AddChildObject(sibling ? sibling->FParent : nullptr, text, nullptr); }
TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const QString& text, void* data) { return AddChildObject(sibling ? sibling->FParent : nullptr, text, data); }

int TTreeNodes::Count() const
{
    std::function<int(const std::vector<TTreeNode*>&)> count = [&](const std::vector<TTreeNode*>& v) {
        int n = 0;
        for (TTreeNode* c : v) n += 1 + count(c->FChildren);
        return n;
    };
    return count(FRoots);
}

TTreeNode* TTreeNodes::Item(int i) const
{
    std::vector<TTreeNode*> flat;
    std::function<void(const std::vector<TTreeNode*>&)> walk = [&](const std::vector<TTreeNode*>& v) {
        for (TTreeNode* c : v) { flat.push_back(c); walk(c->FChildren); }
    };
    walk(FRoots);
    return i >= 0 && i < int(flat.size()) ? flat[size_t(i)] : nullptr;
}

void TTreeNodes::Delete(TTreeNode* n)
{
    if (!n) return;
    while (!n->FChildren.empty()) Delete(n->FChildren.back());
    auto& v = n->FParent ? n->FParent->FChildren : FRoots;
    v.erase(std::remove(v.begin(), v.end(), n), v.end());
    delete n->FItem;
    delete n;
}

void TTreeNodes::Clear()
{
    while (!FRoots.empty()) Delete(FRoots.back());
}

// ---------------------------------------------------------------- tree view
TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner)
{
    FColor = clWindow;
    FTree = new QTreeWidget();
    FTree->setHeaderHidden(true);
    FTree->setColumnCount(1);
    SetInnerWidget(FTree);
    FTree->viewport()->installEventFilter(this);
    FTabStop = true;
    SetBounds(0, 0, 121, 97);
    QObject::connect(FTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* cur, QTreeWidgetItem*) {
        if (FChanging) return;
        Guard([&] { if (OnChange) OnChange(this, NodeOf(cur)); });
    });
    QObject::connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* it) {
        Guard([&] { if (OnExpanded) OnExpanded(this, NodeOf(it)); });
    });
    QObject::connect(FTree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* it) {
        Guard([&] { if (OnCollapsed) OnCollapsed(this, NodeOf(it)); });
    });
}

TTreeView::~TTreeView()
{
    FChanging = true;
}

TTreeNode* TTreeView::NodeOf(QTreeWidgetItem* it) const
{
    return it ? reinterpret_cast<TTreeNode*>(it->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

void TTreeView::SetImages(TImageList* l)
{
    FImages = l;
    if (l) FTree->setIconSize(QSize(l->Width(), l->Height()));
    for (int i = 0; i < FNodes.Count(); ++i) UpdateIcon(FNodes.Item(i));
}

void TTreeView::UpdateIcon(TTreeNode* n)
{
    if (!n) return;
    if (FImages && n->ImageIndex() >= 0 && n->ImageIndex() < FImages->Count())
        n->FItem->setIcon(0, QIcon(QPixmap::fromImage(FImages->Image(n->ImageIndex()))));
    else n->FItem->setIcon(0, QIcon());
}

TTreeNode* TTreeView::Selected() const { return NodeOf(FTree->currentItem()); }

void TTreeView::SetSelected(TTreeNode* n)
{
    FTree->setCurrentItem(n ? n->FItem : nullptr);
}

void TTreeView::FullExpand() { FTree->expandAll(); }
void TTreeView::FullCollapse() { FTree->collapseAll(); }

TTreeNode* TTreeView::GetNodeAt(int x, int y) const
{
    return NodeOf(FTree->itemAt(FTree->viewport()->mapFrom(const_cast<TTreeView*>(this), QPoint(x, y))));
}

void TTreeView::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return; }
    TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- track bar
TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FSlider = new QSlider(Qt::Horizontal);
    FSlider->setRange(0, 10);
    FSlider->setTickPosition(QSlider::TicksBelow);
    FSlider->setTickInterval(1);
    SetInnerWidget(FSlider);
    FTabStop = true;
    SetBounds(0, 0, 150, 45);
    QObject::connect(FSlider, &QSlider::valueChanged, this, [this] { Guard([this] { if (OnChange) OnChange(this); }); });
}

int TTrackBar::Min() const { return FSlider->minimum(); }
int TTrackBar::Max() const { return FSlider->maximum(); }
int TTrackBar::Position() const { return FSlider->value(); }
void TTrackBar::SetMin(int v) { FSlider->setMinimum(v); }
void TTrackBar::SetMax(int v) { FSlider->setMaximum(v); }
void TTrackBar::SetPosition(int v) { FSlider->setValue(v); }
int TTrackBar::Frequency() const { return FSlider->tickInterval(); }
void TTrackBar::SetFrequency(int v) { FSlider->setTickInterval(v); }
int TTrackBar::PageSize() const { return FSlider->pageStep(); }
void TTrackBar::SetPageSize(int v) { FSlider->setPageStep(v); }

void TTrackBar::SetOrientation(TTrackBarOrientation o)
{
    FOrientation = o;
    FSlider->setOrientation(o == trHorizontal ? Qt::Horizontal : Qt::Vertical);
}

// ---------------------------------------------------------------- progress bar
TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FBar = new QProgressBar();
    FBar->setRange(0, 100);
    FBar->setValue(0);
    FBar->setTextVisible(false);
    SetInnerWidget(FBar);
    SetBounds(0, 0, 150, 17);
}

int TProgressBar::Min() const { return FBar->minimum(); }
int TProgressBar::Max() const { return FBar->maximum(); }
int TProgressBar::Position() const { return FBar->value(); }
void TProgressBar::SetMin(int v) { FBar->setMinimum(v); }
void TProgressBar::SetMax(int v) { FBar->setMaximum(v); }
void TProgressBar::SetPosition(int v) { FBar->setValue(std::clamp(v, Min(), Max())); }
void TProgressBar::StepIt() { StepBy(FStep); }

void TProgressBar::StepBy(int d)
{
    int v = Position() + d;
    // The classic bar wraps to the start when it passes the end.
    if (v > Max()) v = Min() + (v - Max());
    SetPosition(v);
}

// ---------------------------------------------------------------- date and time
QString RuntimeFormatToQt(const QString& fmt)
{
    const TFormatSettings& fs = FormatSettings();
    QString out;
    bool afterHour = false;
    for (int i = 0; i < fmt.size();) {
        const QChar c = fmt[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = int(fmt.indexOf(c, i + 1));
            const QString lit = fmt.mid(i + 1, (end < 0 ? fmt.size() : end) - i - 1);
            out += QLatin1Char('\'') + QString(lit).replace(QLatin1String("'"), QLatin1String("''")) + QLatin1Char('\'');
            i = end < 0 ? int(fmt.size()) : end + 1;
            continue;
        }
        if (fmt.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) { out += QLatin1String("AP"); i += 5; continue; }
        if (fmt.mid(i, 4).compare(QLatin1String("ampm"), Qt::CaseInsensitive) == 0) { out += QLatin1String("AP"); i += 4; continue; }
        const QChar l = c.toLower();
        int n = 1;
        while (i + n < fmt.size() && fmt[i + n].toLower() == l) ++n;
        switch (l.unicode()) {
        case 'd': out += QString(std::min(n, 4), QLatin1Char('d')); afterHour = false; break;
        case 'y': out += n <= 2 ? QLatin1String("yy") : QLatin1String("yyyy"); afterHour = false; break;
        case 'm':
            if (afterHour && n <= 2) out += QString(n, QLatin1Char('m'));
            else out += QString(std::min(n, 4), QLatin1Char('M'));
            afterHour = false;
            break;
        case 'n': out += QString(std::min(n, 2), QLatin1Char('m')); afterHour = false; break;
        case 'h': out += QString(std::min(n, 2), QLatin1Char('H')); afterHour = true; break;
        case 's': out += QString(std::min(n, 2), QLatin1Char('s')); afterHour = false; break;
        case 'z': out += n >= 3 ? QLatin1String("zzz") : QLatin1String("z"); afterHour = false; break;
        case '/': out += fs.DateSeparator; break;
        case ':': out += fs.TimeSeparator; break;
        default:
            if (c.isLetter()) out += QLatin1Char('\'') + QString(n, c) + QLatin1Char('\'');
            else out += QString(n, c);
            break;
        }
        i += n;
    }
    return out;
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner)
{
    FColor = clWindow;
    FEdit = new QDateTimeEdit();
    FEdit->setCalendarPopup(true);
    FEdit->setDateTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
    SetInnerWidget(FEdit);
    FTabStop = true;
    SetBounds(0, 0, 186, 21);
    FFields.SetValue(QDateTimeToDateTime(FEdit->dateTime()));
    ApplyFormat();
    QObject::connect(FEdit, &QDateTimeEdit::dateTimeChanged, this, [this] {
        // A date picked in the calendar reaches the field model too; the parts
        // the editor does not show are the model's.
        const TDateTime shown = QDateTimeToDateTime(FEdit->dateTime());
        const TDateTime v = FKind == dtkTime ? DateOf(FFields.Value()) + TimeOf(shown) : DateOf(shown) + TimeOf(FFields.Value());
        if (v != FFields.Value()) FFields.SetValue(v);
        if (!FSetting) Guard([this] { Change(); });
    });
}

void TDateTimePicker::Change() { if (OnChange) OnChange(this); }

QString TDateTimePicker::EffectiveFormat() const
{
    if (!FFormat.isEmpty()) return FFormat;
    QString f = RuntimeFormatToQt(FKind == dtkTime ? FormatSettings().LongTimeFormat
                                  : FDateFormat == dfShort ? FormatSettings().ShortDateFormat
                                                           : FormatSettings().LongDateFormat);
    f.replace(QLatin1String("AP"), QLatin1String("tt"), Qt::CaseInsensitive);
    return f;
}

void TDateTimePicker::ApplyFormat()
{
    FFields.SetFormat(EffectiveFormat());
    FSetting = true;
    FEdit->setDisplayFormat(FFields.QtFormat());
    FEdit->setDateTime(DateTimeToQDateTime(FFields.Value()));
    FSetting = false;
    FEdit->setCalendarPopup(FKind == dtkDate && FDateMode == dmComboBox);
    FEdit->setButtonSymbols(FEdit->calendarPopup() ? QAbstractSpinBox::NoButtons : QAbstractSpinBox::UpDownArrows);
    if (FEdit->calendarPopup()) WatchCalendar();
    ApplyCalendarStyle();
}

namespace {
// Reports the calendar popup's showing and hiding.
class TCalendarWatch : public QObject {
public:
    TCalendarWatch(QObject* parent, std::function<void(bool)> f) : QObject(parent), FNotify(std::move(f)) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show) FNotify(true);
        else if (e->type() == QEvent::Hide) FNotify(false);
        return false;
    }
private:
    std::function<void(bool)> FNotify;
};
} // namespace

void TDateTimePicker::WatchCalendar()
{
    if (FWatchingCalendar || !FEdit->calendarWidget()) return;
    FWatchingCalendar = true;
    QCalendarWidget* cal = FEdit->calendarWidget();
    cal->window()->installEventFilter(new TCalendarWatch(FEdit, [this](bool shown) {
        Guard([this, shown] {
            if (shown) { if (OnDropDown) OnDropDown(this); }
            else if (OnCloseUp) OnCloseUp(this);
        });
    }));
}

QCalendarWidget* TDateTimePicker::CalendarWidget() const { return FEdit->calendarWidget(); }

void TDateTimePicker::SetCalendarStyle(unsigned Style)
{
    FCalendarStyle = Style;
    ApplyCalendarStyle();
}

void TDateTimePicker::ApplyCalendarStyle()
{
    QCalendarWidget* cal = FEdit->calendarPopup() ? FEdit->calendarWidget() : nullptr;
    if (!cal) return;
    cal->setVerticalHeaderFormat(FCalendarStyle & MCS_WEEKNUMBERS ? QCalendarWidget::ISOWeekNumbers
                                                                   : QCalendarWidget::NoVerticalHeader);
    QTextCharFormat today;
    if (!(FCalendarStyle & MCS_NOTODAYCIRCLE)) today.setFontWeight(QFont::Bold);
    cal->setDateTextFormat(QDate(), QTextCharFormat());
    cal->setDateTextFormat(QDate::currentDate(), today);
}

void TDateTimePicker::SizeCalendarToMinimum(int Extra)
{
    QCalendarWidget* cal = FEdit->calendarPopup() ? FEdit->calendarWidget() : nullptr;
    if (!cal) return;
    QWidget* w = cal->window();
    const QSize min = cal->minimumSizeHint().expandedTo(cal->minimumSize());
    w->resize(min + QSize(Extra, Extra));
}

void TDateTimePicker::SetDateMode(TDTDateMode m)
{
    FDateMode = m;
    ApplyFormat();
}

void TDateTimePicker::DropDown()
{
    if (!FEdit->calendarPopup() || DroppedDown()) return;
    // The editor opens its calendar on a press over its arrow.
    const QPoint at(FEdit->width() - 4, FEdit->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, FEdit->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(FEdit, &press);
}

void TDateTimePicker::SyncFromFields(bool changed)
{
    if (changed) FEdit->setDateTime(DateTimeToQDateTime(FFields.Value()));   // fires OnChange
    if (FFields.FieldCount() > 0) FEdit->setCurrentSectionIndex(FFields.CurrentField());
}

void TDateTimePicker::SetKind(TDateTimeKind k) { FKind = k; ApplyFormat(); }
void TDateTimePicker::SetDateFormat(TDTDateFormat f) { FDateFormat = f; ApplyFormat(); }
void TDateTimePicker::SetFormat(const QString& f) { FFormat = f; ApplyFormat(); }

// The model holds the whole value; the editor shows only the parts of its format.
TDateTime TDateTimePicker::DateTime() const { return FFields.Value(); }

void TDateTimePicker::SetDateTime(TDateTime v)
{
    FFields.SetValue(v);
    FSetting = true;
    FEdit->setDateTime(DateTimeToQDateTime(FFields.Value()));
    FSetting = false;
}

void TDateTimePicker::SetMinDate(TDateTime v)
{
    FMinDate = v;
    FEdit->setMinimumDateTime(DateTimeToQDateTime(v));
    FFields.SetLimits(v, QDateTimeToDateTime(FEdit->maximumDateTime()));
}

void TDateTimePicker::SetMaxDate(TDateTime v)
{
    FMaxDate = v;
    FEdit->setMaximumDateTime(DateTimeToQDateTime(v));
    FFields.SetLimits(QDateTimeToDateTime(FEdit->minimumDateTime()), v);
}

void TDateTimePicker::SetShowCheckbox(bool v)
{
    FShowCheckbox = v;
    if (v && !FCheck) {
        FCheck = new QCheckBox(this);
        FCheck->setChecked(FChecked);
        FCheck->setGeometry(2, (FHeight - 16) / 2, 16, 16);
        FCheck->raise();
        FEdit->setContentsMargins(18, 0, 0, 0);
        QObject::connect(FCheck, &QCheckBox::toggled, this, [this](bool on) {
            FChecked = on;
            FEdit->setEnabled(on);
            Guard([this] { Change(); });
        });
    }
    if (FCheck) FCheck->setVisible(v);
}

void TDateTimePicker::SetChecked(bool v)
{
    FChecked = v;
    if (FCheck) { QSignalBlocker b(FCheck); FCheck->setChecked(v); FEdit->setEnabled(v); }
}

bool TDateTimePicker::DroppedDown() const
{
    return FEdit->calendarWidget() && FEdit->calendarWidget()->isVisible();
}

void TDateTimePicker::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (DoKeyDown(m)) return;
        const WORD vk = WORD(m.WParam);
        const bool alt = m.Msg == WM_SYSKEYDOWN;
        if (vk == VK_F4 && !alt) { DropDown(); return; }
        if (vk == VK_DOWN && alt) { DropDown(); return; }
        if (alt) { DefaultHandler(m); return; }
        if (FShowCheckbox && !FChecked && vk != VK_TAB) return;   // no date: nothing to edit
        switch (vk) {
        case VK_LEFT: FFields.PrevField(); SyncFromFields(false); return;
        case VK_RIGHT: FFields.NextField(); SyncFromFields(false); return;
        case VK_UP: SyncFromFields(FFields.Step(1)); return;
        case VK_DOWN: SyncFromFields(FFields.Step(-1)); return;
        case VK_HOME: case VK_END: case VK_DELETE: case VK_BACK: return;
        default: break;
        }
        DefaultHandler(m);
        return;
    }
    case WM_CHAR: {
        if (DoKeyPress(m)) return;
        const QChar c(char16_t(m.WParam));
        if (c.unicode() >= '0' && c.unicode() <= '9' && !(FShowCheckbox && !FChecked))
            SyncFromFields(FFields.TypeDigit(c.unicode() - '0'));
        // The editor types nothing itself.
        if (c.unicode() >= 32 || c.unicode() == 8) return;
        DefaultHandler(m);
        return;
    }
    default: break;
    }
    TWinControl::WndProc(m);
}

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TWinControl(AOwner)
{
    FCal = new QCalendarWidget();
    FCal->setGridVisible(false);
    FCal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    SetInnerWidget(FCal);
    FTabStop = true;
    SetBounds(0, 0, 225, 160);
    FControlStyle &= ~unsigned(csClickEvents);
    QObject::connect(FCal, &QCalendarWidget::clicked, this, [this] {
        if (!FSetting) Guard([this] { if (OnClick) OnClick(this); });
    });
    QObject::connect(FCal, &QCalendarWidget::activated, this, [this] {
        Guard([this] { if (OnDblClick) OnDblClick(this); });
    });
}

TDateTime TMonthCalendar::Date() const
{
    return QDateTimeToDateTime(QDateTime(FCal->selectedDate(), QTime(0, 0)));
}

void TMonthCalendar::SetDate(TDateTime v)
{
    FSetting = true;
    FCal->setSelectedDate(DateTimeToQDateTime(v).date());
    FSetting = false;
}

// The grid's filter lists: a plain list that reports the chosen item and a
// check list that reports each check, both closed by a click outside them.
#include "grid/grid_chrome.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>

// Hides the list when the cursor is outside it and forgets the grid's open
// filter column.
void CloseFilterList(TWinControl* List, bool CursorOutside)
{
    if (!CursorOutside) return;
    if (auto* g = dynamic_cast<TKvStringGrid*>(List->Owner())) g->SetOpenFilterCol(-1);
    List->Hide();
}

namespace {
bool CursorOutside(TWinControl* List)
{
    const TPoint p = List->ScreenToClient(Mouse->CursorPos());
    return !List->ClientRect().Contains(p);
}

// Turns a mouse press anywhere outside a shown list into its cancel-mode notice. It
// watches the whole application only while the list is shown: every grid has two such
// lists, and a filter on the application sees every event of the program.
class TOutsideWatch : public QObject {
public:
    explicit TOutsideWatch(TWinControl* List) : FList(List) { List->installEventFilter(this); }

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override
    {
        if (Watched == FList && (E->type() == QEvent::Show || E->type() == QEvent::Hide)) {
            if (E->type() == QEvent::Show) QCoreApplication::instance()->installEventFilter(this);
            else QCoreApplication::instance()->removeEventFilter(this);
            return false;
        }
        if (E->type() != QEvent::MouseButtonPress || !FList->Visible() || !FList->isVisible()) return false;
        const QPoint global = static_cast<QMouseEvent*>(E)->globalPosition().toPoint();
        const QRect area(FList->mapToGlobal(QPoint(0, 0)), FList->size());
        if (!area.contains(global)) {
            Mouse->SetCursorPos(TPoint(global.x(), global.y()));
            FList->Perform(WM_CANCELMODE);
        }
        return false;
    }

private:
    TWinControl* FList;
};
} // namespace

TDropList::TDropList(TComponent* AOwner) : TListBox(AOwner), FOutsideWatch(new TOutsideWatch(this)) {}

TDropList::~TDropList() { delete FOutsideWatch; }

void TDropList::WndProc(TMessage& m)
{
    if (m.Msg == WM_CANCELMODE) CloseFilterList(this, CursorOutside(this));
    TListBox::WndProc(m);
}

void TDropList::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN) {
        Key = 0;
        Hide();
        if (OnSelect) OnSelect(this, ItemIndex());
        return;
    }
    TListBox::KeyDown(Key, Shift);
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TListBox::MouseUp(Button, Shift, X, Y);
    Hide();
    if (OnSelect) OnSelect(this, ItemIndex());
}

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner), FOutsideWatch(new TOutsideWatch(this))
{
    // A check reports to the grid in place of the list's own check event.
    OnClickCheck = [this](TObject*) {
        if (OnSelect) OnSelect(this, -1);
    };
}

TDropCheckList::~TDropCheckList() { delete FOutsideWatch; }

void TDropCheckList::WndProc(TMessage& m)
{
    if (m.Msg == WM_CANCELMODE) CloseFilterList(this, CursorOutside(this));
    TCheckListBox::WndProc(m);
}

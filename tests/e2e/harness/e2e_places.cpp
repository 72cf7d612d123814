#include "e2e_places.h"

#include "e2e_user.h"

#include "platform/ui/comctrls.h"
#include "platform/ui/stdctrls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QListView>
#include <QTabBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QAbstractItemView* Popup_View()
{
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup || !popup->isVisible())
        return nullptr;
    if (auto* v = qobject_cast<QAbstractItemView*>(popup))
        return v;
    return popup->findChild<QAbstractItemView*>();
}

QRect Global(const QWidget* W, const QRect& R)
{
    return R.isEmpty() ? QRect() : QRect(W->mapToGlobal(R.topLeft()), R.size());
}

}  // namespace

QRect Tab_Rect(TE2eUser& User, TPageControl* Pages, int Index)
{
    return User.Ui([&] {
        const QTabBar* bar = Pages->TabBar();
        return Global(bar, bar->tabRect(Index));
    });
}

QRect List_Item_Rect(TE2eUser& User, TCustomListBox* List, int Index)
{
    return User.Ui([&] {
        const TRect r = List->ItemRect(Index);
        if (r.Width() <= 0 || r.Height() <= 0)
            return QRect();
        const TPoint p = List->ClientToScreen(TPoint(r.Left, r.Top));
        return QRect(p.X, p.Y, r.Width(), r.Height());
    });
}

QRect Tree_Node_Rect(TE2eUser& User, TTreeView* Tree, TTreeNode* Node)
{
    return User.Ui([&] {
        const QTreeWidget* t = Tree->Tree();
        return Global(t->viewport(), t->visualItemRect(Node->Item()));
    });
}

bool Popup_Shown(TE2eUser& User)
{
    return User.Ui([] { return Popup_View() != nullptr; });
}

QRect Popup_Item_Rect(TE2eUser& User, const QString& Text)
{
    if (!User.Wait(QStringLiteral("a drop-down list on screen"), [] { return Popup_View() != nullptr; }))
        return QRect();
    return User.Ui([&] {
        QAbstractItemView* v = Popup_View();
        const QAbstractItemModel* m = v ? v->model() : nullptr;
        const auto* list = qobject_cast<QListView*>(v);
        const int column = list ? list->modelColumn() : 0;
        for (int r = 0; m && r < m->rowCount(v->rootIndex()); ++r) {
            const QModelIndex i = m->index(r, column, v->rootIndex());
            if (i.data(Qt::DisplayRole).toString() != Text)
                continue;
            const QRect shown = v->visualRect(i).intersected(v->viewport()->rect());
            return shown.height() < v->visualRect(i).height() ? QRect() : Global(v->viewport(), shown);
        }
        return QRect();
    });
}

void Click_Tab(TE2eUser& User, TPageControl* Pages, int Index)
{
    const QRect r = Tab_Rect(User, Pages, Index);
    ASSERT_FALSE(r.isEmpty()) << "tab " << Index << " is not on screen";
    User.Click_At(r.center());
    User.Wait(QStringLiteral("page %1 active").arg(Index), [&] { return Pages->ActivePageIndex() == Index; });
}

void Pick_From_Popup(TE2eUser& User, const QString& Text)
{
    const QRect r = Popup_Item_Rect(User, Text);
    ASSERT_FALSE(r.isEmpty()) << "the drop-down list shows no item '" << Text.toStdString() << "'";
    User.Click_At(r.center());
    User.Wait(QStringLiteral("the drop-down list to close"), [] { return Popup_View() == nullptr; });
}

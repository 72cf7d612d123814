#include "platform/ui/menus.h"

#include <QtWidgets/QMenu>

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    for (TMenuItem* i : FItems) { i->FParentItem = nullptr; if (!i->Owner()) delete i; }
    if (FParentItem) FParentItem->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item) return;
    if (item->FParentItem) item->FParentItem->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParentItem = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    if (item) item->FParentItem = nullptr;
}

void TMenuItem::Clear()
{
    auto items = FItems;
    FItems.clear();
    for (TMenuItem* i : items) { i->FParentItem = nullptr; if (!i->Owner()) delete i; }
}

void TMenuItem::Click()
{
    if (FEnabled && OnClick) OnClick(this);
}

void TMenuItem::FillMenu(QMenu* menu)
{
    for (TMenuItem* i : FItems) {
        if (!i->Visible()) continue;
        if (i->IsLine()) { menu->addSeparator(); continue; }
        if (i->Count() > 0) {
            QMenu* sub = menu->addMenu(i->Caption());
            sub->setEnabled(i->Enabled());
            i->FillMenu(sub);
            continue;
        }
        QAction* a = menu->addAction(i->Caption());
        a->setEnabled(i->Enabled());
        a->setCheckable(i->Checked() || i->RadioItem());
        a->setChecked(i->Checked());
        QObject::connect(a, &QAction::triggered, menu, [i] { TControl::Guard([i] { i->Click(); }); });
    }
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>()) {}

TPopupMenu::~TPopupMenu() { delete FMenu; }

TMenuItem* TPopupMenu::CreateItem(const QString& caption, TNotifyEvent onClick)
{
    auto* i = new TMenuItem(nullptr);
    i->SetCaption(caption);
    i->OnClick = std::move(onClick);
    FItems->Add(i);
    return i;
}

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup) OnPopup(this);
    delete FMenu;
    FMenu = new QMenu();
    FItems->FillMenu(FMenu);
    FMenu->popup(QPoint(x, y));
}

void TPopupMenu::ClosePopup()
{
    if (FMenu) FMenu->close();
}

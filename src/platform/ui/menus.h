#pragma once
// Popup menus.
#include "platform/ui/controls.h"

#include <memory>
#include <vector>

class QMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner = nullptr);
    ~TMenuItem() override;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& s) { FCaption = s; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v) { FChecked = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v) { FRadioItem = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int i) { FImageIndex = i; }
    // Items are owned by their parent item.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Clear();
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int i) const { return FItems.at(size_t(i)); }
    TMenuItem* Parent() const { return FParentItem; }
    bool IsLine() const { return FCaption == QLatin1String("-"); }
    virtual void Click();
    TNotifyEvent OnClick;
    // Builds the Qt menu for the sub-items.
    void FillMenu(QMenu* menu);
private:
    QString FCaption;
    bool FChecked = false, FEnabled = true, FVisible = true, FRadioItem = false;
    int FImageIndex = -1;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParentItem = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner = nullptr);
    ~TPopupMenu() override;
    TMenuItem* Items() { return FItems.get(); }
    // Shows the menu at a screen position; returns at once (the chosen item's
    // OnClick runs later).
    virtual void Popup(int x, int y);
    void ClosePopup();
    TControl* PopupComponent = nullptr;
    // Whether a control shows the menu by itself on a right click.
    bool AutoPopup = true;
    TNotifyEvent OnPopup;
    TMenuItem* CreateItem(const QString& caption, TNotifyEvent onClick);
private:
    std::unique_ptr<TMenuItem> FItems;
    QMenu* FMenu = nullptr;
};

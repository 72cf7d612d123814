#pragma once
// Actions: one command (caption, hint, enabled and checked state, image, an
// execute event) shared by every control linked to it. A control holds an action
// link; the action tells its links before it changes a value, and each link
// passes the new value on to its control only while the control still shows the
// action's old value (the property is "linked"). After every change the control's
// ActionChange runs with CheckDefaults set, so a control can follow changes that
// have no link of their own (the image of an image list, say).
//
// Chosen where the classic contract is loose: a click runs the control's own
// OnClick and then the linked action (the action's OnExecute is not copied into
// OnClick), so a handler set on the control never replaces the action.
#include "platform/ui/controls.h"

#include <memory>
#include <vector>

class TAction;
class TBasicActionLink;
class TImageList;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner = nullptr);
    // Links still attached lose their action.
    ~TBasicAction() override;
    QString ClassName() const override { return QStringLiteral("TBasicAction"); }

    // Fires OnExecute; true when it is assigned.
    virtual bool Execute();
    TNotifyEvent OnExecute;

    int ClientCount() const { return int(FClients.size()); }

protected:
    // Runs every link's change step (after a value changed).
    void Change();
    const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

private:
    friend class TBasicActionLink;
    std::vector<TBasicActionLink*> FClients;
};

// A list of actions sharing one image list (not owned).
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* AOwner = nullptr);
    ~TActionList() override;
    QString ClassName() const override { return QStringLiteral("TActionList"); }

    TImageList* Images() const { return FImages; }
    // Every action of the list tells its controls (their images may change).
    void SetImages(TImageList* Value);
    int ActionCount() const { return int(FActions.size()); }
    TAction* Actions(int Index) const { return FActions.at(size_t(Index)); }

private:
    friend class TAction;
    std::vector<TAction*> FActions;
    TImageList* FImages = nullptr;
};

class TAction : public TBasicAction {
public:
    explicit TAction(TComponent* AOwner = nullptr);
    ~TAction() override;
    QString ClassName() const override { return QStringLiteral("TAction"); }

    // A disabled action does not execute (false).
    bool Execute() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value);
    // -1: no image.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* Value);

private:
    friend class TActionList;
    template <typename T, typename Apply>
    void Update(T& Field, const T& Value, Apply&& ToLink);

    QString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    int FGroupIndex = 0;
    QString FHint;
    int FImageIndex = -1;
    bool FVisible = true;
    TActionList* FActionList = nullptr;
};

class TBasicActionLink {
public:
    TBasicActionLink() = default;
    virtual ~TBasicActionLink();
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // Runs the action; false without one or when it did not run.
    virtual bool Execute();
    // Called with the action after each of its changes.
    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    friend class TBasicAction;
    TBasicAction* FAction = nullptr;
};

// The per-property step of an action link: a property is linked while the action
// is a TAction; descendants narrow that to "the client still shows the action's
// value" and apply new values to their client.
class TActionLink : public TBasicActionLink {
public:
    TAction* TheAction() const;

    virtual bool IsCaptionLinked() const { return TheAction(); }
    virtual bool IsCheckedLinked() const { return TheAction(); }
    virtual bool IsEnabledLinked() const { return TheAction(); }
    virtual bool IsGroupIndexLinked() const { return TheAction(); }
    virtual bool IsHintLinked() const { return TheAction(); }
    virtual bool IsImageIndexLinked() const { return TheAction(); }
    virtual bool IsVisibleLinked() const { return TheAction(); }

    virtual void SetCaption(const QString&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetGroupIndex(int) {}
    virtual void SetHint(const QString&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetVisible(bool) {}
};

// Keeps a control's caption, enabled state, hint and visibility in step.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* AClient) : FClient(AClient) {}
    TControl* Client() const { return FClient; }

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    void SetCaption(const QString& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const QString& Value) override;
    void SetVisible(bool Value) override;

protected:
    TControl* FClient;
};

// What a control adds to take an Action: the link, the property and the change
// step. A control class derives from it beside its control base.
class TControlActionClient {
public:
    explicit TControlActionClient(TControl* AControl) : FControl(AControl) {}
    virtual ~TControlActionClient();
    TControlActionClient(const TControlActionClient&) = delete;
    TControlActionClient& operator=(const TControlActionClient&) = delete;

    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    // Links the action and copies its values into the control; nullptr unlinks.
    void SetAction(TBasicAction* Value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }

protected:
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    // Copies the values of Sender (a TAction) into the control: all of them when the
    // action is linked (CheckDefaults false), after a change only those the control
    // still has at their defaults (empty caption and hint, enabled, visible).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Runs the linked action; false when there is none or it did not run.
    bool ExecuteAction();

private:
    TControl* FControl;
    std::unique_ptr<TControlActionLink> FActionLink;
};

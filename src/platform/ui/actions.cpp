// Actions, action lists and the links that keep controls in step with them.
#include "platform/ui/actions.h"

#include <algorithm>

// ---------------------------------------------------------------- TBasicAction

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    for (TBasicActionLink* l : FClients) l->FAction = nullptr;
    FClients.clear();
}

bool TBasicAction::Execute()
{
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TBasicAction::Change()
{
    // A link's change step may unlink itself: walk a copy.
    const std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links)
        if (std::find(FClients.begin(), FClients.end(), l) != FClients.end()) l->Change();
}

// ---------------------------------------------------------------- TActionList

TActionList::TActionList(TComponent* AOwner) : TComponent(AOwner) {}

TActionList::~TActionList()
{
    for (TAction* a : FActions) a->FActionList = nullptr;
}

void TActionList::SetImages(TImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    for (TAction* a : std::vector<TAction*>(FActions)) a->Change();
}

// ---------------------------------------------------------------- TAction

TAction::TAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TAction::~TAction()
{
    if (FActionList) {
        auto& v = FActionList->FActions;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
}

bool TAction::Execute()
{
    return FEnabled && TBasicAction::Execute();
}

// The links compare their client with the old value, so they hear of a new value
// before it is stored; then the change step follows.
template <typename T, typename Apply>
void TAction::Update(T& Field, const T& Value, Apply&& ToLink)
{
    if (Field == Value) return;
    for (TBasicActionLink* l : std::vector<TBasicActionLink*>(Clients()))
        if (auto* link = dynamic_cast<TActionLink*>(l)) ToLink(link);
    Field = Value;
    Change();
}

void TAction::SetCaption(const QString& Value)
{
    Update(FCaption, Value, [&](TActionLink* l) { l->SetCaption(Value); });
}

void TAction::SetChecked(bool Value)
{
    Update(FChecked, Value, [&](TActionLink* l) { l->SetChecked(Value); });
}

void TAction::SetEnabled(bool Value)
{
    Update(FEnabled, Value, [&](TActionLink* l) { l->SetEnabled(Value); });
}

void TAction::SetGroupIndex(int Value)
{
    Update(FGroupIndex, Value, [&](TActionLink* l) { l->SetGroupIndex(Value); });
}

void TAction::SetHint(const QString& Value)
{
    Update(FHint, Value, [&](TActionLink* l) { l->SetHint(Value); });
}

void TAction::SetImageIndex(int Value)
{
    Update(FImageIndex, Value, [&](TActionLink* l) { l->SetImageIndex(Value); });
}

void TAction::SetVisible(bool Value)
{
    Update(FVisible, Value, [&](TActionLink* l) { l->SetVisible(Value); });
}

void TAction::SetActionList(TActionList* Value)
{
    if (FActionList == Value) return;
    if (FActionList) {
        auto& v = FActionList->FActions;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    FActionList = Value;
    if (Value) Value->FActions.push_back(this);
    Change();
}

// ---------------------------------------------------------------- links

TBasicActionLink::~TBasicActionLink()
{
    SetAction(nullptr);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (FAction == Value) return;
    if (FAction) {
        auto& v = FAction->FClients;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    FAction = Value;
    if (Value) Value->FClients.push_back(this);
}

bool TBasicActionLink::Execute()
{
    return FAction && FAction->Execute();
}

void TBasicActionLink::Change()
{
    if (OnChange) OnChange(FAction);
}

TAction* TActionLink::TheAction() const
{
    return dynamic_cast<TAction*>(Action());
}

bool TControlActionLink::IsCaptionLinked() const
{
    return TActionLink::IsCaptionLinked() && FClient->Caption() == TheAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const
{
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == TheAction()->Enabled();
}

bool TControlActionLink::IsHintLinked() const
{
    return TActionLink::IsHintLinked() && FClient->Hint() == TheAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const
{
    return TActionLink::IsVisibleLinked() && FClient->Visible() == TheAction()->Visible();
}

void TControlActionLink::SetCaption(const QString& Value)
{
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value)
{
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}

void TControlActionLink::SetHint(const QString& Value)
{
    if (IsHintLinked()) FClient->SetHint(Value);
}

void TControlActionLink::SetVisible(bool Value)
{
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}

// ---------------------------------------------------------------- the control side

TControlActionClient::~TControlActionClient() = default;

void TControlActionClient::SetAction(TBasicAction* Value)
{
    if (!Value) {
        FActionLink.reset();
        FControl->SetControlStyle(FControl->ControlStyle() & ~unsigned(csActionClient));
        return;
    }
    FControl->SetControlStyle(FControl->ControlStyle() | csActionClient);
    if (!FActionLink) {
        FActionLink = CreateActionLink();
        FActionLink->OnChange = [this](TObject* Sender) {
            if (Sender && Sender == Action()) ActionChange(Sender, true);
        };
    }
    FActionLink->SetAction(Value);
    ActionChange(Value, Value->IsLoading());
}

std::unique_ptr<TControlActionLink> TControlActionClient::CreateActionLink()
{
    return std::make_unique<TControlActionLink>(FControl);
}

void TControlActionClient::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* a = dynamic_cast<TAction*>(Sender);
    if (!a) return;
    if (!CheckDefaults || FControl->Caption().isEmpty()) FControl->SetCaption(a->Caption());
    if (!CheckDefaults || FControl->Enabled()) FControl->SetEnabled(a->Enabled());
    if (!CheckDefaults || FControl->Hint().isEmpty()) FControl->SetHint(a->Hint());
    if (!CheckDefaults || FControl->Visible()) FControl->SetVisible(a->Visible());
}

bool TControlActionClient::ExecuteAction()
{
    return FActionLink && FActionLink->Execute();
}

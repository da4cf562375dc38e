#include "platform/gui/ActnList.h"

#include <algorithm>

#include "platform/gui/graphics/ImageList.h"

namespace {

template <typename T>
void Erase(std::vector<T*>& List, T* Item) {
    List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

}  // namespace

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner), FHandler(std::make_shared<TActionHandler>()) {
    FHandler->Action = this;
}

TBasicAction::~TBasicAction() {
    while (!FClients.empty()) FClients.back()->Client().SetAction(nullptr);
    FHandler->Action = nullptr;
}

void TBasicAction::SetOnExecute(TNotifyEvent Value) {
    FHandler->OnExecute = std::move(Value);
    Change();
}

bool TBasicAction::Execute() {
    if (!FHandler->OnExecute) return false;
    // The handler may free the action: it holds the handler alive meanwhile.
    std::shared_ptr<TActionHandler> handler = FHandler;
    handler->OnExecute(this);
    return true;
}

// A control may let go of the action while it looks at it.
void TBasicAction::Change() {
    for (TControlActionLink* link : std::vector<TControlActionLink*>(FClients))
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end())
            link->Client().ActionChange(this, false);
}

TCustomAction::~TCustomAction() {
    if (FActionList) Erase(FActionList->FActions, this);
}

void TCustomAction::SetActionList(TActionList* Value) {
    if (Value == FActionList) return;
    if (FActionList) Erase(FActionList->FActions, this);
    FActionList = Value;
    if (Value) Value->FActions.push_back(this);
    Change();
}

template <typename T>
void TCustomAction::Store(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Change();
}

void TCustomAction::SetCaption(const std::string& Value) { Store(FCaption, Value); }
void TCustomAction::SetChecked(bool Value) { Store(FChecked, Value); }
void TCustomAction::SetEnabled(bool Value) { Store(FEnabled, Value); }
void TCustomAction::SetVisible(bool Value) { Store(FVisible, Value); }
void TCustomAction::SetHint(const std::string& Value) { Store(FHint, Value); }
void TCustomAction::SetImageIndex(int Value) { Store(FImageIndex, Value); }

bool TCustomAction::Execute() { return FEnabled && TBasicAction::Execute(); }

TActionList::~TActionList() {
    for (TCustomAction* action : FActions) action->FActionList = nullptr;
}

void TActionList::SetImages(const TCustomImageList* Value) {
    if (Value == FImages) return;
    FImages = Value;
    if (Value) const_cast<TCustomImageList*>(Value)->FreeNotification(this);
    Change();
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages) {
        FImages = nullptr;
        Change();
    }
}

void TActionList::Change() {
    for (TCustomAction* action : std::vector<TCustomAction*>(FActions)) action->Change();
}

TControlActionLink::TControlActionLink(TControl& Client, TBasicAction& Action) : FClient(Client), FAction(Action) {
    FAction.FClients.push_back(this);
}

TControlActionLink::~TControlActionLink() { Erase(FAction.FClients, this); }

bool TControlActionLink::Execute(TComponent* AComponent) {
    // The handler may unlink the control, and so free this link.
    TBasicAction& action = FAction;
    action.ActionComponent = AComponent;
    const bool done = action.Execute();
    action.ActionComponent = nullptr;
    return done;
}

TBasicAction* TControl::Action() const { return FActionLink ? &FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
    if (Value == Action()) return;
    if (FActionLink) {
        TBasicAction& old = FActionLink->Action();
        FActionLink.reset();
        RemoveFreeNotification(&old);
    }
    if (!Value) return;
    FActionLink = std::make_unique<TControlActionLink>(*this, *Value);
    Value->FreeNotification(this);
    ActionChange(Value, Value->Loading());
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    if (auto* action = dynamic_cast<TCustomAction*>(Sender)) {
        if (!CheckDefaults || Caption().empty() || Caption() == Name) SetCaption(action->Caption());
        if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
        if (!CheckDefaults || Hint.empty()) Hint = action->Hint();
        if (!CheckDefaults || Visible()) SetVisible(action->Visible());
    }
    // An action without a handler leaves the control's own click to it.
    auto* action = dynamic_cast<TBasicAction*>(Sender);
    if (action && action->OnExecute() && (!CheckDefaults || !OnClick)) OnClick = action->ClickEvent();
}

bool TControl::ClickRunsAction() const {
    const auto* click = OnClick.target<TActionClick>();
    return click && FActionLink && click->Handler->Action == &FActionLink->Action();
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && FActionLink && component == &FActionLink->Action()) SetAction(nullptr);
}

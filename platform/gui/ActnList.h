#pragma once
// Actions: one command with its caption, state and handler, followed by every
// control linked to it. A control takes the action's caption, enabled state,
// hint and visibility when linked and again on each change of the action, and
// a click on it runs the action.

#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"

class TCustomImageList;
class TActionList;

// The handler of an action, shared with the click events copied from it, so a
// copy neither outlives the handler nor points at a freed action.
struct TActionHandler {
    TBasicAction* Action = nullptr;
    TNotifyEvent OnExecute;
};

// A control's click event that runs its action's handler; the control can tell
// it from a handler of its own.
struct TActionClick {
    std::shared_ptr<TActionHandler> Handler;
    void operator()(TObject* Sender) const {
        if (Handler->OnExecute) Handler->OnExecute(Sender);
    }
};

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    // Linked controls let go first.
    ~TBasicAction() override;

    const TNotifyEvent& OnExecute() const { return FHandler->OnExecute; }
    void SetOnExecute(TNotifyEvent Value);
    // Runs the handler with the action as sender; false when there is none.
    virtual bool Execute();
    // The control whose click is running the action, else nullptr.
    TComponent* ActionComponent = nullptr;

    // The linked controls look again at the action.
    void Change();
    TActionClick ClickEvent() const { return {FHandler}; }

private:
    friend class TControlActionLink;
    std::shared_ptr<TActionHandler> FHandler;
    std::vector<TControlActionLink*> FClients;
};

// An action with what a control shows of it, kept in an action list for its images.
class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    ~TCustomAction() override;

    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* Value);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

    // A disabled action does nothing.
    bool Execute() override;

private:
    friend class TActionList;
    template <typename T>
    void Store(T& Field, const T& Value);

    TActionList* FActionList = nullptr;
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    std::string FHint;
    int FImageIndex = -1;
};

class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
    // The actions stay with their owners and leave the list.
    ~TActionList() override;

    int ActionCount() const { return int(FActions.size()); }
    TCustomAction* Actions(int Index) const { return FActions[size_t(Index)]; }
    // The images the actions' image indexes point into; forgotten when freed.
    const TCustomImageList* Images() const { return FImages; }
    void SetImages(const TCustomImageList* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TCustomAction;
    // Every action's controls look again.
    void Change();

    std::vector<TCustomAction*> FActions;
    const TCustomImageList* FImages = nullptr;
};

// The tie between a control and the action it follows.
class TControlActionLink {
public:
    TControlActionLink(TControl& Client, TBasicAction& Action);
    ~TControlActionLink();
    TControlActionLink(const TControlActionLink&) = delete;
    TControlActionLink& operator=(const TControlActionLink&) = delete;

    TBasicAction& Action() const { return FAction; }
    TControl& Client() const { return FClient; }
    // Runs the action for the control that was clicked.
    bool Execute(TComponent* AComponent);

private:
    TControl& FClient;
    TBasicAction& FAction;
};

// A control linked to an action: what it takes from the action and when, what
// its click runs, and letting go when the action is freed.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/gui/ActnList.h"

namespace {

struct Link {
    TComponent owner{nullptr};
    TControl* control = new TControl(&owner);
    TCustomAction* action = new TCustomAction(&owner);
    int actionRuns = 0, ownRuns = 0;
    TNotifyEvent own = [this](TObject*) { ++ownRuns; };
};

}  // namespace

// The control starts as "Own", enabled, hint "own hint", with a click handler
// of its own; the action is "Act", enabled, hint "act hint".
TEST(ActionLink, ControlFollowsItsActionAndAClickRunsIt) {
    struct Case {
        const char* name;
        bool defaultsOnly, actionHandler;
        std::function<void(Link&)> then;
        std::string caption;
        bool enabled;
        std::string hint;
        int actionRuns, ownRuns;
    };
    const Case cases[] = {
        {"linked at run time", false, true, nullptr, "Act", true, "act hint", 1, 0},
        {"defaults only: what was set stays", true, true, nullptr, "Own", true, "own hint", 0, 1},
        {"defaults only: what is default is taken", true, true,
         [](Link& l) {
             l.control->SetAction(nullptr);
             l.control->SetCaption(l.control->Name = "btnRun");
             l.control->Hint.clear();
             l.control->SetAction(l.action);
         },
         "Act", true, "act hint", 0, 1},
        {"a change reaches the control", true, true,
         [](Link& l) {
             l.action->SetCaption("New");
             l.action->SetEnabled(false);
         },
         "New", false, "act hint", 0, 0},
        {"own handler set after linking", false, true, [](Link& l) { l.control->OnClick = l.own; }, "Act", true,
         "act hint", 0, 1},
        {"action without handler", false, false, nullptr, "Act", true, "act hint", 0, 1},
        {"freed action: the handler stays", false, true, [](Link& l) { delete l.action; }, "Act", true, "act hint",
         1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link l;
        l.control->SetCaption("Own");
        l.control->Hint = "own hint";
        l.control->OnClick = l.own;
        l.action->SetCaption("Act");
        l.action->SetHint("act hint");
        if (c.actionHandler) l.action->SetOnExecute([&l](TObject*) { ++l.actionRuns; });
        l.action->SetLoading(c.defaultsOnly);
        l.control->SetAction(l.action);
        if (c.then) c.then(l);
        EXPECT_EQ(l.control->Caption(), c.caption);
        EXPECT_EQ(l.control->Enabled(), c.enabled);
        EXPECT_EQ(l.control->Hint, c.hint);
        l.control->Click();
        EXPECT_EQ(l.actionRuns, c.actionRuns);
        EXPECT_EQ(l.ownRuns, c.ownRuns);
    }
}

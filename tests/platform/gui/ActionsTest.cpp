// Actions and the controls linked to them: what a control takes from its
// action and when, what a click runs, and letting go when either is freed.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gui/ActnList.h"
#include "platform/gui/graphics/ImageList.h"

namespace {

struct Look {
    std::string caption;
    bool enabled;
    std::string hint;
    bool visible;
};

void Give(TControl& c, const Look& l) {
    c.SetCaption(l.caption);
    c.SetEnabled(l.enabled);
    c.Hint = l.hint;
    c.SetVisible(l.visible);
}

void Give(TCustomAction& a, const Look& l) {
    a.SetCaption(l.caption);
    a.SetEnabled(l.enabled);
    a.SetHint(l.hint);
    a.SetVisible(l.visible);
}

void ExpectLook(const TControl& c, const Look& l) {
    EXPECT_EQ(c.Caption(), l.caption);
    EXPECT_EQ(c.Enabled(), l.enabled);
    EXPECT_EQ(c.Hint, l.hint);
    EXPECT_EQ(c.Visible(), l.visible);
}

}  // namespace

// Linked at run time the control takes everything; linked while the action is
// being read (defaults only) it keeps what it was given.
TEST(ActionLink, ControlTakesTheActionsLookWhereTheRulesAllow) {
    const Look mine{"Own", true, "own hint", true};
    const Look actions{"Act", false, "act hint", false};
    struct Case {
        const char* name;
        std::string controlName;
        Look before;
        bool defaultsOnly;
        Look after;
    };
    const Case cases[] = {
        {"at run time", "", mine, false, actions},
        {"defaults only, all set", "", {"Own", false, "own hint", false}, true, {"Own", false, "own hint", false}},
        {"defaults only, none set", "", {"", true, "", true}, true, actions},
        {"defaults only, caption is the name", "btnRun", {"btnRun", true, "own hint", true}, true,
         {"Act", false, "own hint", false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TComponent owner(nullptr);
        auto* control = new TControl(&owner);
        control->Name = c.controlName;
        Give(*control, c.before);
        auto* action = new TCustomAction(&owner);
        Give(*action, actions);
        action->SetLoading(c.defaultsOnly);
        control->SetAction(action);
        EXPECT_EQ(control->Action(), action);
        ExpectLook(*control, c.after);
    }
}

TEST(ActionLink, EveryChangeOfTheActionReachesEachLinkedControl) {
    TComponent owner(nullptr);
    auto* action = new TCustomAction(&owner);
    auto* first = new TControl(&owner);
    auto* second = new TControl(&owner);
    auto* apart = new TControl(&owner);
    first->SetAction(action);
    second->SetAction(action);
    action->SetLoading(true);  // a change is taken whole, defaults or not
    const Look changed{"Run", false, "Runs it", false};
    Give(*action, changed);
    ExpectLook(*first, changed);
    ExpectLook(*second, changed);
    ExpectLook(*apart, {"", true, "", true});
    second->SetAction(nullptr);
    action->SetCaption("Again");
    EXPECT_EQ(first->Caption(), "Again");
    EXPECT_EQ(second->Caption(), "Run");
}

TEST(ActionLink, AClickRunsTheActionUnlessTheControlHasAHandlerOfItsOwn) {
    enum class Own { None, BeforeLink, AfterLink };
    struct Case {
        const char* name;
        bool actionHandler;
        bool actionEnabled;
        Own own;
        int actionRuns, ownRuns;
    };
    const Case cases[] = {
        {"action only", true, true, Own::None, 1, 0},
        {"own handler replaced by the link", true, true, Own::BeforeLink, 1, 0},
        {"own handler set after the link", true, true, Own::AfterLink, 0, 1},
        {"action without handler", false, true, Own::BeforeLink, 0, 1},
        {"disabled action", true, false, Own::None, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TComponent owner(nullptr);
        auto* control = new TControl(&owner);
        auto* action = new TCustomAction(&owner);
        int actionRuns = 0, ownRuns = 0;
        TObject* sender = nullptr;
        TComponent* clicked = nullptr;
        if (c.actionHandler)
            action->SetOnExecute([&](TObject* s) {
                ++actionRuns;
                sender = s;
                clicked = action->ActionComponent;
            });
        action->SetEnabled(c.actionEnabled);
        auto own = [&](TObject*) { ++ownRuns; };
        if (c.own == Own::BeforeLink) control->OnClick = own;
        control->SetAction(action);
        if (c.own == Own::AfterLink) control->OnClick = own;
        control->Click();
        EXPECT_EQ(actionRuns, c.actionRuns);
        EXPECT_EQ(ownRuns, c.ownRuns);
        if (actionRuns) {
            EXPECT_EQ(sender, action);
            EXPECT_EQ(clicked, control);
            EXPECT_EQ(action->ActionComponent, nullptr);
        }
    }
}

// Either side may go first; neither keeps a pointer to the other.
TEST(ActionLink, FreeingEitherSideUnlinks) {
    TComponent owner(nullptr);
    auto* control = new TControl(&owner);
    auto* other = new TControl(&owner);
    auto* action = new TCustomAction(&owner);
    int runs = 0;
    action->SetOnExecute([&](TObject*) { ++runs; });
    control->SetAction(action);
    other->SetAction(action);
    delete other;
    action->SetCaption("Still here");
    EXPECT_EQ(control->Caption(), "Still here");
    delete action;
    EXPECT_EQ(control->Action(), nullptr);
    // The handler it was given stays its click, as a handler of its own.
    control->Click();
    EXPECT_EQ(runs, 1);
}

TEST(ActionLink, AnActionListForgetsItsImagesAndItsActionsWhenFreed) {
    TComponent owner(nullptr);
    auto* list = new TActionList(&owner);
    auto* images = new TCustomImageList(4, 4, &owner);
    auto* action = new TCustomAction(&owner);
    action->SetActionList(list);
    list->SetImages(images);
    ASSERT_EQ(list->ActionCount(), 1);
    delete images;
    EXPECT_EQ(list->Images(), nullptr);
    delete list;
    EXPECT_EQ(action->ActionList(), nullptr);
    auto* second = new TActionList(&owner);
    action->SetActionList(second);
    delete action;
    EXPECT_EQ(second->ActionCount(), 0);
}

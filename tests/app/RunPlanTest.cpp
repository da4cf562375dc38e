// What a collocation run recomputes for each change since the last run.

#include <gtest/gtest.h>

#include <functional>

#include "app/RunPlan.h"

namespace {

// The engines after a run of "cat" over one corpus, case-insensitive, with five words gathered each side.
TEngineState Held() {
    TEngineState held;
    held.corpusKey = "/corpus a.txt\n[_]";
    held.frequencies = true;
    held.caseSensitive = false;
    held.searched = true;
    held.node = "cat";
    held.nodeMode = "Default";
    held.searchCase = false;
    held.leftContext = 5;
    held.rightContext = 5;
    return held;
}

TRunRequest SameAsHeld() {
    TRunRequest wanted;
    wanted.corpusKey = "/corpus a.txt\n[_]";
    wanted.caseSensitive = false;
    wanted.node = "cat";
    wanted.nodeMode = "Default";
    wanted.leftContext = 5;
    wanted.rightContext = 5;
    return wanted;
}

TEST(PlanRecompute, EachChangeRecomputesWhatDependsOnIt) {
    struct Case {
        const char* name;
        std::function<void(TEngineState&, TRunRequest&)> change;
        TRecompute plan;  // load, frequencies, search
    };
    const std::vector<Case> cases = {
        {"nothing changed: only counted again", [](TEngineState&, TRunRequest&) {}, {false, false, false}},
        {"narrower span", [](TEngineState& h, TRunRequest&) { h.leftContext = h.rightContext = 8; },
         {false, false, false}},
        {"wider left context", [](TEngineState&, TRunRequest& w) { w.leftContext = 6; }, {false, false, true}},
        {"wider right context", [](TEngineState&, TRunRequest& w) { w.rightContext = 9; }, {false, false, true}},
        {"another node", [](TEngineState&, TRunRequest& w) { w.node = "dog"; }, {false, false, true}},
        {"node spelled in another case", [](TEngineState&, TRunRequest& w) { w.node = "Cat"; }, {false, false, true}},
        {"another node mode", [](TEngineState&, TRunRequest& w) { w.nodeMode = "POS"; }, {false, false, true}},
        {"case sensitivity", [](TEngineState&, TRunRequest& w) { w.caseSensitive = true; }, {false, true, true}},
        {"another file checked", [](TEngineState&, TRunRequest& w) { w.corpusKey = "/corpus a.txt b.txt\n[_]"; },
         {true, true, true}},
        {"another separator class", [](TEngineState&, TRunRequest& w) { w.corpusKey = "/corpus a.txt\n[/]"; },
         {true, true, true}},
        {"fresh engines", [](TEngineState& h, TRunRequest&) { h = TEngineState(); }, {true, true, true}},
        // A run whose corpus held no tokens stopped after loading.
        {"loaded, nothing counted yet",
         [](TEngineState& h, TRunRequest&) {
             h.frequencies = false;
             h.searched = false;
         },
         {false, true, true}},
        // A run that found no hit keeps its frequencies but its search was of another node.
        {"counted, not searched", [](TEngineState& h, TRunRequest&) { h.searched = false; }, {false, false, true}},
        {"search was case-sensitive", [](TEngineState& h, TRunRequest&) { h.searchCase = true; },
         {false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEngineState held = Held();
        TRunRequest wanted = SameAsHeld();
        c.change(held, wanted);
        TRecompute plan = PlanRecompute(held, wanted);
        EXPECT_EQ(plan.load, c.plan.load);
        EXPECT_EQ(plan.frequencies, c.plan.frequencies);
        EXPECT_EQ(plan.search, c.plan.search);
    }
}

}  // namespace

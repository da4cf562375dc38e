#include "app/RunPlan.h"

TRecompute PlanRecompute(const TEngineState& held, const TRunRequest& wanted) {
    TRecompute plan;
    plan.load = wanted.corpusKey != held.corpusKey;
    plan.frequencies = plan.load || !held.frequencies || wanted.caseSensitive != held.caseSensitive;
    // Hits gathered with more context serve any narrower span; a wider one needs them again.
    bool widened = wanted.leftContext > held.leftContext || wanted.rightContext > held.rightContext;
    plan.search = plan.frequencies || widened || !held.searched || wanted.node != held.node ||
                  wanted.nodeMode != held.nodeMode || wanted.caseSensitive != held.searchCase;
    return plan;
}

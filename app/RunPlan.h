#pragma once
// What a collocation run must recompute, decided from what the engines hold
// and what the run asks for: loading and counting the corpus, its frequency
// lists, the search for the node. Counting collocates is always redone.

#include <string>

// What the engines hold now, whatever run is on screen: a run that found
// nothing has still rebuilt the corpus counts and the search.
struct TEngineState {
    std::string corpusKey;
    bool frequencies = false;
    bool caseSensitive = false;
    bool searched = false;
    std::string node, nodeMode;
    bool searchCase = false;
    // Words of context gathered around each hit.
    int leftContext = 0, rightContext = 0;
};

// What a run asks for. The corpus key holds everything that decides what is
// read from the corpus: folder, checked files with their sizes and times of
// last change, and the separator class.
struct TRunRequest {
    std::string corpusKey;
    bool caseSensitive = false;
    std::string node, nodeMode;
    int leftContext = 0, rightContext = 0;
};

struct TRecompute {
    bool load = false;
    bool frequencies = false;
    bool search = false;
    bool operator==(const TRecompute&) const = default;
};

TRecompute PlanRecompute(const TEngineState& held, const TRunRequest& wanted);

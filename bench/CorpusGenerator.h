#pragma once
// Deterministic English-like corpora for the engine benchmark: a Zipf-distributed
// vocabulary of plausible word shapes, written as raw text or as word_TAG tokens.

#include <cstdint>
#include <string>
#include <vector>

// splitmix64: the same stream on every machine and library, which the
// standard distributions do not promise.
class TBenchRandom {
public:
    explicit TBenchRandom(uint64_t seed) : FState(seed) {}
    uint64_t Next();
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    int Range(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }
    bool Chance(double p) { return Unit() < p; }

private:
    uint64_t FState;
};

struct TWordType {
    std::string Text;
    std::string Tag;
    std::string AltTag;  // a second reading some tokens get; may be empty
};

class TVocabulary {
public:
    // Rank 0 is "the", followed by common English words, then generated ones.
    TVocabulary(int types, double exponent, uint64_t seed);
    const TWordType& operator[](size_t rank) const { return FWords[rank]; }
    size_t Size() const { return FWords.size(); }
    size_t SampleRank(TBenchRandom& random) const;

private:
    std::vector<TWordType> FWords;
    std::vector<double> FCumulative;
};

struct TCorpusFiles {
    std::vector<std::string> Paths;
    uint64_t Bytes = 0;
    int64_t Tokens = 0;      // whitespace-separated, punctuation included
    int64_t NodeTokens = 0;  // occurrences of the rank-0 word, whatever its case or punctuation
};

// Writes tokens whitespace-separated tokens over fileCount files named
// part01.txt... in folder, 10 to 20 tokens a line. Raw text attaches
// punctuation to words ("dog,", "end."); tagged text gives it tokens of its own.
TCorpusFiles WriteCorpus(const std::string& folder, const TVocabulary& vocabulary, int64_t tokens, int fileCount,
                         bool tagged, uint64_t seed);

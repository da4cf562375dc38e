#include "bench/CorpusGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <unordered_set>

uint64_t TBenchRandom::Next() {
    uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

namespace {

// The head of the distribution, roughly in English frequency order, so that
// the frequent nodes and collocates look like those of real text.
constexpr const char* kCommonWords[][2] = {
    {"the", "DT"},     {"of", "IN"},       {"and", "CC"},     {"to", "TO"},      {"a", "DT"},
    {"in", "IN"},      {"is", "VBZ"},      {"that", "IN"},    {"for", "IN"},     {"it", "PRP"},
    {"was", "VBD"},    {"on", "IN"},       {"with", "IN"},    {"as", "IN"},      {"he", "PRP"},
    {"be", "VB"},      {"at", "IN"},       {"by", "IN"},      {"I", "PRP"},      {"this", "DT"},
    {"had", "VBD"},    {"not", "RB"},      {"are", "VBP"},    {"but", "CC"},     {"from", "IN"},
    {"or", "CC"},      {"have", "VBP"},    {"an", "DT"},      {"they", "PRP"},   {"which", "WDT"},
    {"you", "PRP"},    {"were", "VBD"},    {"her", "PRP$"},   {"she", "PRP"},    {"there", "EX"},
    {"would", "MD"},   {"their", "PRP$"},  {"we", "PRP"},     {"him", "PRP"},    {"been", "VBN"},
    {"has", "VBZ"},    {"when", "WRB"},    {"who", "WP"},     {"will", "MD"},    {"more", "JJR"},
    {"no", "DT"},      {"if", "IN"},       {"out", "RP"},     {"so", "RB"},      {"said", "VBD"},
    {"what", "WP"},    {"up", "RP"},       {"its", "PRP$"},   {"about", "IN"},   {"into", "IN"},
    {"than", "IN"},    {"them", "PRP"},    {"can", "MD"},     {"only", "RB"},    {"other", "JJ"},
    {"it's", "PRP"},   {"new", "JJ"},      {"some", "DT"},    {"could", "MD"},   {"time", "NN"},
    {"these", "DT"},   {"two", "CD"},      {"may", "MD"},     {"then", "RB"},    {"do", "VBP"},
    {"don't", "VBP"},  {"first", "JJ"},    {"any", "DT"},     {"my", "PRP$"},    {"now", "RB"},
    {"such", "JJ"},    {"like", "IN"},     {"our", "PRP$"},   {"over", "IN"},    {"man", "NN"},
    {"me", "PRP"},     {"even", "RB"},     {"most", "JJS"},   {"made", "VBN"},   {"after", "IN"},
    {"I'm", "PRP"},    {"also", "RB"},     {"did", "VBD"},    {"many", "JJ"},    {"before", "IN"},
    {"must", "MD"},    {"through", "IN"},  {"back", "RB"},    {"years", "NNS"},  {"where", "WRB"},
    {"much", "JJ"},    {"your", "PRP$"},   {"way", "NN"},     {"well", "RB"},    {"down", "RP"},
    {"can't", "MD"},   {"should", "MD"},   {"because", "IN"}, {"each", "DT"},    {"just", "RB"},
    {"those", "DT"},   {"people", "NNS"},  {"how", "WRB"},    {"too", "RB"},     {"little", "JJ"},
    {"didn't", "VBD"}, {"state", "NN"},    {"good", "JJ"},    {"very", "RB"},    {"make", "VB"},
    {"world", "NN"},   {"still", "RB"},    {"own", "JJ"},     {"see", "VB"},     {"men", "NNS"},
    {"that's", "DT"},  {"work", "NN"},     {"long", "JJ"},    {"get", "VB"},     {"here", "RB"},
    {"between", "IN"}, {"both", "DT"},     {"life", "NN"},    {"being", "VBG"},  {"under", "IN"},
    {"there's", "EX"}, {"never", "RB"},    {"day", "NN"},     {"same", "JJ"},    {"another", "DT"},
    {"know", "VB"},    {"while", "IN"},    {"last", "JJ"},    {"might", "MD"},   {"us", "PRP"},
    {"won't", "MD"},   {"great", "JJ"},    {"old", "JJ"},     {"year", "NN"},    {"off", "RP"},
    {"come", "VB"},    {"since", "IN"},    {"against", "IN"}, {"go", "VB"},      {"came", "VBD"},
    {"I've", "PRP"},   {"right", "JJ"},    {"used", "VBN"},   {"take", "VB"},    {"three", "CD"},
    {"you're", "PRP"}, {"doesn't", "VBZ"}, {"isn't", "VBZ"},
};

// Readings of the generated words, with suffixes that make them look the part.
struct TShape {
    const char* Tag;
    const char* AltTag;
    const char* Suffix;
    int Weight;
};
constexpr TShape kShapes[] = {
    {"NN", "VB", "", 34}, {"NNS", "VBZ", "s", 12},   {"VB", "NN", "", 9},    {"VBD", "VBN", "ed", 8},
    {"VBG", "NN", "ing", 5}, {"JJ", "NN", "al", 6},  {"JJ", "", "ous", 4},   {"JJ", "NN", "ive", 4},
    {"RB", "", "ly", 5},   {"NP", "", "", 8},        {"NN", "", "tion", 5},
};

constexpr const char* kOnsets[] = {"",   "b",  "c",  "d",  "f",  "g",  "h",  "j",  "k",  "l",  "m",
                                   "n",  "p",  "r",  "s",  "t",  "v",  "w",  "st", "tr", "pl", "br",
                                   "ch", "sh", "th", "gr", "cr", "fl", "sp", "wh", "dr", "sl"};
constexpr const char* kNuclei[] = {"a", "e", "i", "o", "u", "a", "e", "i", "o", "ea", "ou", "io", "ai", "ee", "y"};
constexpr const char* kCodas[] = {"", "", "", "n", "r", "s", "t", "l", "m", "nd", "st", "ng", "ck", "rt", "mp", "ll"};

template <size_t N>
const char* Pick(const char* const (&items)[N], TBenchRandom& random) {
    return items[random.Next() % N];
}

std::string MakeStem(TBenchRandom& random, int syllables) {
    std::string stem;
    for (int s = 0; s < syllables; ++s) {
        stem += Pick(kOnsets, random);
        stem += Pick(kNuclei, random);
        if (s + 1 == syllables || random.Chance(0.3)) stem += Pick(kCodas, random);
    }
    return stem;
}

const TShape& PickShape(TBenchRandom& random) {
    int total = 0;
    for (const TShape& s : kShapes) total += s.Weight;
    int r = random.Range(0, total - 1);
    for (const TShape& s : kShapes) {
        if (r < s.Weight) return s;
        r -= s.Weight;
    }
    return kShapes[0];
}

}  // namespace

TVocabulary::TVocabulary(int types, double exponent, uint64_t seed) {
    TBenchRandom random(seed);
    std::unordered_set<std::string> seen;
    for (const auto& w : kCommonWords) {
        if (static_cast<int>(FWords.size()) == types) break;
        FWords.push_back({w[0], w[1], ""});
        seen.insert(w[0]);
    }
    // Rarer words are longer, as in real text.
    while (static_cast<int>(FWords.size()) < types) {
        size_t rank = FWords.size();
        int syllables = rank < 1000 ? random.Range(1, 2) : rank < 10000 ? random.Range(1, 3) : random.Range(2, 3);
        const TShape& shape = PickShape(random);
        std::string text = MakeStem(random, syllables) + shape.Suffix;
        if (text.size() < 2) continue;
        if (std::string_view(shape.Tag) == "NP") text[0] = static_cast<char>(text[0] - 'a' + 'A');
        if (!seen.insert(text).second) continue;
        FWords.push_back({std::move(text), shape.Tag, shape.AltTag});
    }
    FCumulative.reserve(FWords.size());
    double sum = 0;
    for (size_t r = 0; r < FWords.size(); ++r) {
        sum += std::pow(static_cast<double>(r + 1), -exponent);
        FCumulative.push_back(sum);
    }
}

size_t TVocabulary::SampleRank(TBenchRandom& random) const {
    double u = random.Unit() * FCumulative.back();
    size_t r = static_cast<size_t>(std::upper_bound(FCumulative.begin(), FCumulative.end(), u) - FCumulative.begin());
    return std::min(r, FCumulative.size() - 1);
}

namespace {

// Token stream of running sentences: capitalised starts, commas and sentence
// ends attached to the word in raw text and standing apart in tagged text.
class TSentenceStream {
public:
    TSentenceStream(const TVocabulary& vocabulary, bool tagged, uint64_t seed)
        : FVocabulary(vocabulary), FTagged(tagged), FRandom(seed) {}

    // Returns the rank of the word in token, or -1 for a punctuation token.
    int64_t Next(std::string& token) {
        token.clear();
        if (!FPending.empty()) {
            token.swap(FPending);
            return -1;
        }
        bool start = FLeft == 0;
        if (start) FLeft = FRandom.Range(4, 30);
        --FLeft;
        size_t rank = FVocabulary.SampleRank(FRandom);
        const TWordType& word = FVocabulary[rank];
        token = word.Text;
        if (start && token[0] >= 'a' && token[0] <= 'z') token[0] = static_cast<char>(token[0] - 'a' + 'A');
        const char* punct = nullptr;
        if (FLeft == 0) {
            double u = FRandom.Unit();
            punct = u < 0.9 ? "." : u < 0.96 ? "?" : "!";
        } else if (FRandom.Chance(0.07)) {
            punct = ",";
        } else if (FRandom.Chance(0.005)) {
            punct = ";";
        }
        if (!FTagged) {
            if (punct) token += punct;
            return static_cast<int64_t>(rank);
        }
        token += '_';
        token += !word.AltTag.empty() && FRandom.Chance(0.08) ? word.AltTag : word.Tag;
        if (punct) {
            FPending = punct;
            FPending += '_';
            FPending += *punct == ',' ? "," : *punct == ';' ? ":" : ".";
        }
        return static_cast<int64_t>(rank);
    }

private:
    const TVocabulary& FVocabulary;
    bool FTagged;
    TBenchRandom FRandom;
    int FLeft = 0;
    std::string FPending;
};

void WriteAll(std::FILE* file, const std::string& bytes, const std::string& path) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

TCorpusFiles WriteCorpus(const std::string& folder, const TVocabulary& vocabulary, int64_t tokens, int fileCount,
                         bool tagged, uint64_t seed) {
    TCorpusFiles corpus;
    TSentenceStream stream(vocabulary, tagged, seed);
    TBenchRandom lineRandom(seed ^ 0x5DEECE66Dull);
    std::string buffer, token;
    for (int f = 0; f < fileCount; ++f) {
        char name[32];
        std::snprintf(name, sizeof name, "part%02d.txt", f + 1);
        std::string path = folder + "/" + name;
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
        if (!file) throw std::runtime_error("cannot create " + path);
        int64_t count = tokens / fileCount + (f < tokens % fileCount ? 1 : 0);
        int inLine = 0, lineLength = lineRandom.Range(10, 20);
        for (int64_t i = 0; i < count; ++i) {
            if (stream.Next(token) == 0) ++corpus.NodeTokens;
            if (inLine > 0) buffer += ' ';
            buffer += token;
            if (++inLine == lineLength) {
                buffer += '\n';
                inLine = 0;
                lineLength = lineRandom.Range(10, 20);
            }
            if (buffer.size() >= (1u << 20)) {
                WriteAll(file.get(), buffer, path);
                corpus.Bytes += buffer.size();
                buffer.clear();
            }
        }
        if (inLine > 0) buffer += '\n';
        WriteAll(file.get(), buffer, path);
        corpus.Bytes += buffer.size();
        buffer.clear();
        if (std::fclose(file.release()) != 0) throw std::runtime_error("cannot write " + path);
        corpus.Paths.push_back(path);
        corpus.Tokens += count;
    }
    return corpus;
}

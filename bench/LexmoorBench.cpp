// Times a full collocation run of the corpus engine, phase by phase, the way
// the Collocate page drives it, over generated Zipf-distributed corpora, and
// compares it with the floor of reading the same files and counting tokens.
//
//   lexmoor-bench [--tokens N] [--keep DIR] [--mode raw|tagged|both] [--threads N]
//   lexmoor-bench --corpus DIR --node EXPR [--literal|--pos] [--sep CHARS]
//                 [--span L R] [--mode WORD|POS|BOTH] [--case] [--threads N]
//
// The corpora go to DIR/raw and DIR/tagged with --keep, else to a temporary
// folder removed at the end. It fails when the engine counted or found other
// than what the generator wrote, so that no figure comes from a broken run.
// With --corpus it runs the Collocate page's road once over every file of a
// real folder, so that the whole process can be timed beside another tool.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/CorpusGenerator.h"
#include "engine/Parallel.h"
#include "engine/Query.h"
#include "platform/core/SysUtils.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFileCount = 8;
constexpr int kVocabularyTypes = 50000;
constexpr double kZipfExponent = 1.0;
constexpr uint64_t kSeed = 20240611;
constexpr int kFloorPasses = 5;

struct TOptions {
    int64_t Tokens = 1000000;
    std::string KeepDir;
    bool Raw = true;
    bool Tagged = true;
    // A run over a real folder.
    std::string CorpusDir;
    std::string Node;
    std::string NodeMode = "Default";
    std::string Separators;
    int LeftSpan = 5, RightSpan = 5;
    std::string CollocateMode = "WORD";
    bool CaseSensitive = false;
};

[[noreturn]] void Usage(const char* message) {
    if (message) std::fprintf(stderr, "lexmoor-bench: %s\n", message);
    std::fprintf(message ? stderr : stdout,
                 "usage: lexmoor-bench [--tokens N] [--keep DIR] [--mode raw|tagged|both] [--threads N]\n"
                 "       lexmoor-bench --corpus DIR --node EXPR [--literal|--pos] [--sep CHARS] [--span L R]\n"
                 "                     [--mode WORD|POS|BOTH] [--case] [--threads N]\n");
    std::exit(message ? 2 : 0);
}

int SpanValue(const std::string& value) {
    char* end = nullptr;
    long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < 0 || n > 16) Usage("a span is a number from 0 to 16");
    return static_cast<int>(n);
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    std::string mode;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") Usage(nullptr);
        if (arg == "--literal" || arg == "--pos") {
            options.NodeMode = arg == "--literal" ? "Literal" : "POS";
            continue;
        }
        if (arg == "--case") {
            options.CaseSensitive = true;
            continue;
        }
        if (i + 1 >= argc) Usage(("missing value after " + arg).c_str());
        std::string value = argv[++i];
        if (arg == "--span") {
            if (i + 1 >= argc) Usage("--span wants a left and a right span");
            options.LeftSpan = SpanValue(value);
            options.RightSpan = SpanValue(argv[++i]);
        } else if (arg == "--threads") {
            char* end = nullptr;
            long n = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || n < 0 || n > 1024) Usage("--threads wants a number (0: one per core)");
            SetEngineThreads(static_cast<int>(n));
        } else if (arg == "--corpus") {
            options.CorpusDir = value;
        } else if (arg == "--node") {
            options.Node = value;
        } else if (arg == "--sep") {
            options.Separators = value;
        } else if (arg == "--tokens") {
            char* end = nullptr;
            long long n = std::strtoll(value.c_str(), &end, 10);
            // The engine counts corpus tokens in 32 bits, and raw text gains
            // tokens when punctuation is split off.
            if (*end != '\0' || n < kFileCount || n > 1000000000LL) Usage("--tokens wants a number from 8 to 1e9");
            options.Tokens = n;
        } else if (arg == "--keep") {
            options.KeepDir = value;
        } else if (arg == "--mode") {
            mode = value;
        } else {
            Usage(("unknown option " + arg).c_str());
        }
    }
    if (!options.CorpusDir.empty()) {
        if (Trim(options.Node).empty()) Usage("--corpus wants a --node");
        if (!mode.empty() && mode != "WORD" && mode != "POS" && mode != "BOTH")
            Usage("--mode is WORD, POS or BOTH with --corpus");
        if (!mode.empty()) options.CollocateMode = mode;
        if (options.Separators.empty()) options.CollocateMode = "BOTH";
    } else if (!mode.empty()) {
        if (mode != "raw" && mode != "tagged" && mode != "both") Usage("--mode is raw, tagged or both");
        options.Raw = mode != "tagged";
        options.Tagged = mode != "raw";
    }
    return options;
}

// Removes the generated corpora at the end, however the program ends.
class TCorpusFolder {
public:
    explicit TCorpusFolder(const std::string& keepDir) {
        if (!keepDir.empty()) {
            FPath = keepDir;
            fs::create_directories(FPath);
            return;
        }
        std::string pattern = (fs::temp_directory_path() / "lexmoor-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        FPath = pattern;
        FRemove = true;
    }
    ~TCorpusFolder() {
        std::error_code ignored;
        if (FRemove) fs::remove_all(FPath, ignored);
    }
    TCorpusFolder(const TCorpusFolder&) = delete;
    TCorpusFolder& operator=(const TCorpusFolder&) = delete;

    const fs::path& Path() const { return FPath; }
    bool Removed() const { return FRemove; }

private:
    fs::path FPath;
    bool FRemove = false;
};

class TStopwatch {
public:
    double Lap() {
        auto now = std::chrono::steady_clock::now();
        double seconds = std::chrono::duration<double>(now - FLast).count();
        FLast = now;
        return seconds;
    }

private:
    std::chrono::steady_clock::time_point FLast = std::chrono::steady_clock::now();
};

// The least any run must do: read every byte once and find the tokens.
int64_t CountTokensFloor(const std::vector<std::string>& paths) {
    std::array<bool, 256> blank{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'}) blank[c] = true;
    std::vector<unsigned char> buffer(1 << 20);
    int64_t tokens = 0;
    for (const std::string& path : paths) {
        int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0) throw std::runtime_error("cannot open " + path);
        bool inToken = false;
        ssize_t n;
        while ((n = read(fd, buffer.data(), buffer.size())) > 0) {
            for (ssize_t i = 0; i < n; ++i) {
                bool word = !blank[buffer[static_cast<size_t>(i)]];
                tokens += word & !inToken;
                inToken = word;
            }
        }
        close(fd);
        if (n < 0) throw std::runtime_error("cannot read " + path);
    }
    return tokens;
}

// Lets the peak resident size be read per corpus kind; false where the kernel
// does not allow it, and then the peak is the whole process's.
bool ResetPeakMemory() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return static_cast<bool>(clearRefs);
}

double PeakMemoryMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string Grouped(int64_t value) {
    std::string digits = std::to_string(value), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

struct TRunResult {
    double Floor = 0;
    double Load = 0, Frequency = 0, Search = 0, Count = 0, Stats = 0;
    double Recount = 0;
    double Full() const { return Load + Frequency + Search + Count + Stats; }
};

void PrintPhase(const char* name, double seconds, int64_t tokens) {
    double rate = seconds > 0 ? static_cast<double>(tokens) / seconds / 1e6 : 0;
    std::printf("  %-34s %10.4f s %10.2f M tok/s\n", name, seconds, rate);
}

// One collocation run as the Collocate page makes it the first time (corpus,
// frequencies, search, counts, measures), then the re-count that a narrower
// span gets from the stored matrix.
TRunResult RunKind(const TCorpusFiles& corpus, const std::string& node, bool tagged) {
    const std::string splitters = tagged ? "[_]" : "";
    // Raw text takes the node as typed; tagged text takes the pattern that the
    // page builds for a literal node.
    const std::string expr = tagged ? node + splitters + "\\S+\\b" : node;
    TParamInfo param;
    param.CaseSensitive = false;
    param.NodeMode = tagged ? "Literal" : "Default";
    param.Node = tagged ? node : " " + node + " ";
    param.CollocateMode = tagged ? "WORD" : "BOTH";
    param.LeftSpanText = "5";
    param.LeftContext = 5;
    param.RightSpanText = "5";
    param.RightContext = 5;
    param.MinMeasure = "None";

    std::printf("  node \"%s\" (pattern %s), span 5/5, collocate mode %s, case-insensitive\n", node.c_str(),
                expr.c_str(), param.CollocateMode.c_str());
    TRunResult result;
    result.Floor = 1e300;
    for (int pass = 0; pass < kFloorPasses; ++pass) {
        TStopwatch watch;
        int64_t counted = CountTokensFloor(corpus.Paths);
        result.Floor = std::min(result.Floor, watch.Lap());
        if (counted != corpus.Tokens)
            throw std::runtime_error("the floor counted " + Grouped(counted) + " tokens, the generator wrote " +
                                     Grouped(corpus.Tokens));
    }

    bool perKind = ResetPeakMemory();
    TStat stat;
    TQuery query;
    TStopwatch watch;
    stat.SetSplitters(splitters);
    stat.Clear();
    stat.LoadAndCountFiles(corpus.Paths);
    result.Load = watch.Lap();

    stat.BuildFrequency(true, false);
    result.Frequency = watch.Lap();

    query.Clear();
    int progress = 0;
    query.SearchFiles(corpus.Paths, splitters, expr, false, 5, 5, progress, true);
    result.Search = watch.Lap();

    stat.ClearCounts();
    stat.CountCollocates(query.Matrix, 5, 5, true, param.CollocateMode);
    result.Count = watch.Lap();

    stat.ComputeStats(node, param);
    result.Stats = watch.Lap();
    size_t rows = stat.Results.size();
    int collocates = stat.CollocateList(param.CollocateMode)->Count();

    param.LeftSpanText = "3";
    param.RightSpanText = "4";
    watch.Lap();
    stat.ClearCounts();
    stat.CountCollocates(query.Matrix, 3, 4, true, param.CollocateMode);
    stat.ComputeStats(node, param);
    result.Recount = watch.Lap();
    size_t recountRows = stat.Results.size();
    double peak = PeakMemoryMb();

    int64_t n = corpus.Tokens;
    std::printf("  %-34s %12s %16s\n", "phase", "seconds", "tokens/s");
    PrintPhase("floor: read + count tokens", result.Floor, n);
    PrintPhase("1 load and count (TStat)", result.Load, n);
    PrintPhase("2 build frequency", result.Frequency, n);
    PrintPhase("3 search (TQuery, matrix)", result.Search, n);
    PrintPhase("4 count collocates 5/5", result.Count, n);
    PrintPhase("5 compute stats", result.Stats, n);
    PrintPhase("full run (1-5)", result.Full(), n);
    PrintPhase("re-count 3/4 (count + stats)", result.Recount, n);
    std::printf("  engine N %s tokens, %s token types", Grouped(stat.Freq.N).c_str(),
                Grouped(stat.Tokens.Table().Size()).c_str());
    int64_t hits = static_cast<int64_t>(query.Hits.size());
    std::printf("\n  hits %s (the generator wrote %s), collocates %s, result rows %s, re-count rows %s\n",
                Grouped(hits).c_str(), Grouped(corpus.NodeTokens).c_str(), Grouped(collocates).c_str(),
                Grouped(static_cast<int64_t>(rows)).c_str(), Grouped(static_cast<int64_t>(recountRows)).c_str());
    std::printf("  peak memory (VmHWM%s): %.1f MB\n", perKind ? " of this run" : ", whole process", peak);
    std::printf("  %s full/floor ratio: %.2f\n", tagged ? "tagged" : "raw", result.Full() / result.Floor);
    // Figures from a run that went wrong are worth nothing: the generator knows
    // how many tokens and node occurrences it wrote.
    if (hits != corpus.NodeTokens) throw std::runtime_error("the search missed node occurrences or found extra ones");
    if (tagged && stat.Freq.N != corpus.Tokens) throw std::runtime_error("the engine's N differs from the token count");
    if (rows == 0 || recountRows == 0) throw std::runtime_error("the run computed no collocate rows");
    return result;
}

// The separator characters as the settings page's list makes them a class.
std::string SeparatorClass(const std::string& chars) {
    std::string escaped;
    for (char c : chars) {
        if (c == '\\' || c == ']' || c == '^' || c == '-' || c == '[') escaped += '\\';
        escaped += c;
    }
    return escaped.empty() ? std::string() : "[" + escaped + "]";
}

// One collocation run over a real folder as the Collocate page makes it:
// every file of the folder in name order, the node as the page turns it into
// a pattern, the search context at least five words each side.
void RunFolder(const TOptions& o) {
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(o.CorpusDir))
        if (entry.is_regular_file()) paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    if (paths.empty()) throw std::runtime_error("no files in " + o.CorpusDir);

    const std::string splitters = SeparatorClass(o.Separators);
    std::string node = Trim(o.Node), expr = node;
    if (o.NodeMode == "Literal")
        expr = TDisplay::ConvertQuery(node, splitters, true);
    else if (o.NodeMode == "POS")
        expr = TDisplay::ConvertQuery(node, splitters, false);
    TParamInfo param;
    param.CaseSensitive = o.CaseSensitive;
    param.NodeMode = o.NodeMode;
    param.Node = splitters.empty() ? " " + node + " " : node;
    param.CollocateMode = o.CollocateMode;
    param.LeftSpanText = std::to_string(o.LeftSpan);
    param.LeftContext = std::max(o.LeftSpan, 5);
    param.RightSpanText = std::to_string(o.RightSpan);
    param.RightContext = std::max(o.RightSpan, 5);
    param.MinMeasure = "None";

    TStat stat;
    TQuery query;
    TStopwatch watch;
    TRunResult t;
    stat.SetSplitters(splitters);
    stat.Clear();
    stat.LoadAndCountFiles(paths);
    t.Load = watch.Lap();
    stat.BuildFrequency(!o.CaseSensitive, false);
    t.Frequency = watch.Lap();
    query.Clear();
    int progress = 0;
    query.SearchFiles(paths, splitters, expr, o.CaseSensitive, param.LeftContext, param.RightContext, progress, true);
    t.Search = watch.Lap();
    stat.ClearCounts();
    stat.CountCollocates(query.Matrix, o.LeftSpan, o.RightSpan, !o.CaseSensitive, o.CollocateMode);
    t.Count = watch.Lap();
    stat.ComputeStats(node, param);
    t.Stats = watch.Lap();

    int64_t n = stat.Freq.N;
    std::printf("lexmoor-bench: %zu files in %s, node \"%s\" (pattern %s), span %d/%d, %s, %s\n", paths.size(),
                o.CorpusDir.c_str(), node.c_str(), expr.c_str(), o.LeftSpan, o.RightSpan, o.CollocateMode.c_str(),
                o.CaseSensitive ? "case-sensitive" : "case-insensitive");
    std::printf("  %-34s %12s %16s\n", "phase", "seconds", "tokens/s");
    PrintPhase("1 load and count (TStat)", t.Load, n);
    PrintPhase("2 build frequency", t.Frequency, n);
    PrintPhase("3 search (TQuery, matrix)", t.Search, n);
    PrintPhase("4 count collocates", t.Count, n);
    PrintPhase("5 compute stats", t.Stats, n);
    PrintPhase("full run (1-5)", t.Full(), n);
    std::printf("  threads %d, N %s tokens, f(n) %s, rows %s\n", EngineThreads(), Grouped(n).c_str(), Grouped(stat.Freq.Fn).c_str(),
                Grouped(static_cast<int64_t>(stat.Results.size())).c_str());
    std::printf("  peak memory (VmHWM, whole process): %.1f MB\n", PeakMemoryMb());
}

}  // namespace

int main(int argc, char** argv) {
    ReturnLargeBlocksToSystem();
    TOptions options = ParseOptions(argc, argv);
    try {
        if (!options.CorpusDir.empty()) {
            RunFolder(options);
            return 0;
        }
        TCorpusFolder folder(options.KeepDir);
        std::printf("lexmoor-bench: %s tokens per kind in %d files, %d-type Zipf vocabulary (exponent %.2f), "
                    "seed %llu\n",
                    Grouped(options.Tokens).c_str(), kFileCount, kVocabularyTypes, kZipfExponent,
                    static_cast<unsigned long long>(kSeed));
        std::printf("corpus folder: %s (%s)\n", folder.Path().c_str(),
                    folder.Removed() ? "removed at the end" : "kept");
        TVocabulary vocabulary(kVocabularyTypes, kZipfExponent, kSeed);

        double full = 0, floor = 0;
        for (bool tagged : {false, true}) {
            if (!(tagged ? options.Tagged : options.Raw)) continue;
            const char* kind = tagged ? "tagged" : "raw";
            fs::path dir = folder.Path() / kind;
            fs::create_directories(dir);
            TStopwatch watch;
            TCorpusFiles corpus =
                WriteCorpus(dir.string(), vocabulary, options.Tokens, kFileCount, tagged, kSeed + (tagged ? 2 : 1));
            std::printf("\n%s: %zu files, %s tokens, %.1f MB (generated in %.2f s)\n", kind, corpus.Paths.size(),
                        Grouped(corpus.Tokens).c_str(), static_cast<double>(corpus.Bytes) / 1e6, watch.Lap());
            std::fflush(stdout);
            TRunResult result = RunKind(corpus, vocabulary[0].Text, tagged);
            full += result.Full();
            floor += result.Floor;
            std::fflush(stdout);
        }
        std::printf("\nfull/floor ratio: %.2f\n", full / floor);
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "lexmoor-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}

// Times the fast search against the literal step machine on generated request sets.
#include "model/generate.h"
#include "model/literalsolver.h"
#include "solver/search.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tarno;
// CPU time of this thread: the machine is shared, and wall time would count the
// other processes' turns as ours.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<Clock, duration>;
    static time_point now() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return time_point(duration(std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec));
    }
};

struct Set {
    const char* name;
    int requests;
    std::function<std::vector<std::string>(std::mt19937_64&)> make;
    // Which outcome a request must have to join the set (unsolvable sets keep only those).
    SolveOutcome wanted = SolveOutcome::Solved;
    std::uint64_t literalCap = 3'000'000; // requests the literal machine cannot finish are left out
    // Large boards: requests join whether or not the literal machine finishes them, and its
    // columns are shown only when it finished every one.
    bool literalOptional = false;
};

struct Run {
    unsigned prunings = kPruneAll;
    std::uint64_t nodeCap = 0; // per fast solve; 0: none
    int scale = 1;
    const char* only = nullptr; // run only sets whose name contains this
    bool literal = true;        // false: leave the literal machine out (quick tuning runs)
    const char* requestsDir = nullptr; // where to write each set's requests, one per line
};

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// For tarno-solve, or for counting instructions of one pass over a set: the file names
// the set, with spaces as dashes.
void writeRequests(const char* dir, std::string name,
                   const std::vector<std::vector<std::string>>& requests) {
    for (char& c : name)
        c = c == ' ' || c == '/' ? '-' : c;
    const std::string path = std::string(dir) + "/" + name + ".txt";
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (f == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    for (const auto& items : requests)
        std::fprintf(f, "%s\n", model::joinItems(items).c_str());
    std::fclose(f);
}

SolveResult fastSolve(const std::vector<std::string>& items, unsigned prunings = kPruneAll,
                      std::uint64_t nodeCap = 0) {
    NullEventPump pump;
    std::atomic<bool> stop{false};
    SolveOptions options;
    options.prunings = prunings;
    options.nodeLimit = nodeCap;
    return SolveRequest(items, pump, stop, options);
}

// The set's requests are picked with every pruning on and a node cap, so that they are the
// same whichever prunings the timed runs use.
void runSet(const Set& set, std::uint64_t seed, const Run& run) {
    std::mt19937_64 rng(seed);
    std::vector<std::vector<std::string>> requests;
    std::uint64_t literalNodes = 0;
    double literalTime = 0;
    int literalDone = 0;
    int tries = 0;
    const int want = std::max(1, set.requests / run.scale);
    const std::uint64_t literalCap = run.scale > 1 ? 300'000 : set.literalCap;
    while (static_cast<int>(requests.size()) < want && tries++ < want * 200) {
        auto items = set.make(rng);
        const SolveResult fast = fastSolve(items, kPruneAll, 200'000'000);
        if (fast.outcome != set.wanted)
            continue;
        if (!run.literal) {
            requests.push_back(std::move(items));
            continue;
        }
        const auto start = Clock::now();
        const auto literal = model::solveLiterally(items, nullptr, nullptr, literalCap);
        const double t = seconds(Clock::now() - start);
        if (literal.outcome == SolveOutcome::Stopped && !set.literalOptional)
            continue;
        if (literal.outcome != SolveOutcome::Stopped) {
            if (literal.answer != fast.answer || literal.outcome != fast.outcome) {
                std::printf("DISAGREEMENT on %s\n", model::joinItems(items).c_str());
                std::exit(1);
            }
            literalNodes += literal.nodes;
            literalTime += t;
            ++literalDone;
        }
        requests.push_back(std::move(items));
    }
    if (requests.empty()) {
        std::printf("%-22s no requests\n", set.name);
        return;
    }
    if (run.requestsDir != nullptr)
        writeRequests(run.requestsDir, set.name, requests);
    // Repeat the fast runs until the clock has something to measure.
    std::uint64_t fastNodes = 0;
    int rounds = 0;
    int capped = 0;
    std::uint64_t tableBytes = 0;
    const auto start = Clock::now();
    do {
        fastNodes = 0;
        capped = 0;
        for (const auto& items : requests) {
            const SolveResult r = fastSolve(items, run.prunings, run.nodeCap);
            fastNodes += r.stats.nodes;
            capped += r.stats.nodeLimitReached ? 1 : 0;
            tableBytes = std::max(tableBytes, r.stats.failedStateBytes);
        }
        ++rounds;
    } while (seconds(Clock::now() - start) < 0.2);
    const double fastTime = seconds(Clock::now() - start) / rounds;
    // The slowest request, timed on its own in one more round: reading the clock around
    // every request would add to the small ones' times above.
    double slowest = 0;
    for (const auto& items : requests) {
        const auto t0 = Clock::now();
        fastSolve(items, run.prunings, run.nodeCap);
        slowest = std::max(slowest, seconds(Clock::now() - t0));
    }
    const double n = static_cast<double>(requests.size());
    std::printf("%-22s %4zu %12llu %9.2f %9.2f %7.1f", set.name, requests.size(),
                static_cast<unsigned long long>(fastNodes), fastTime / n * 1e6, slowest * 1e6,
                fastTime * 1e9 / static_cast<double>(std::max<std::uint64_t>(fastNodes, 1)));
    if (literalDone == static_cast<int>(requests.size()))
        std::printf(" %13llu %11.2f %8.1f %8.0f", static_cast<unsigned long long>(literalNodes),
                    literalTime / n * 1e6,
                    fastTime * 1e9 / static_cast<double>(std::max<std::uint64_t>(literalNodes, 1)),
                    literalTime / fastTime);
    else
        std::printf(" %13s %11s %8s %8s", "-", "-", "-", "-");
    std::printf(" %5lluK", static_cast<unsigned long long>(tableBytes / 1024));
    if (capped != 0)
        std::printf("  %d stopped at the node cap", capped);
    std::printf("\n");
}

std::optional<unsigned> parsePrunings(std::string_view text) {
    unsigned bits = 0;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view word = text.substr(0, comma);
        if (word == "all")
            bits |= kPruneAll;
        else if (word == "edges")
            bits |= kPruneEdgeCounts;
        else if (word == "failed")
            bits |= kPruneFailedStates;
        else if (word == "equal")
            bits |= kPruneEqualPieces;
        else if (word == "turns")
            bits |= kPruneTurnedCorners;
        else if (word != "none")
            return std::nullopt;
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return bits;
}

std::vector<std::string> make(std::mt19937_64& rng, const model::BoardShape& shape, int minCodes,
                              int maxCodes, int minFixed, int maxFixed, bool perturb,
                              bool randomCodes = false) {
    model::RequestRecipe r;
    r.randomCodes = randomCodes;
    r.codes = std::uniform_int_distribution<int>(minCodes, maxCodes)(rng);
    r.fixed = std::uniform_int_distribution<int>(minFixed, maxFixed)(rng);
    r.perturb = perturb;
    return model::makeRequest(rng, shape, r);
}

} // namespace

int main(int argc, char** argv) {
    Run run;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::optional<unsigned> prunings;
        if (arg == "--quick") {
            run.scale = 10;
        } else if (arg.rfind("--prunings=", 0) == 0 && (prunings = parsePrunings(arg.substr(11)))) {
            run.prunings = *prunings;
        } else if (arg.rfind("--node-cap=", 0) == 0) {
            run.nodeCap = std::strtoull(argv[i] + 11, nullptr, 10);
        } else if (arg == "--no-literal") {
            run.literal = false;
        } else if (arg.rfind("--requests=", 0) == 0) {
            run.requestsDir = argv[i] + 11;
        } else if (arg.rfind("--only=", 0) == 0) {
            run.only = argv[i] + 7;
        } else {
            std::printf(
                "Usage: solver_bench [--quick] [--prunings=all|none|edges,failed,equal,turns]\n"
                "                    [--node-cap=N] [--only=TEXT] [--no-literal]\n"
                "                    [--requests=DIR]\n"
                "Prints per set: requests, nodes of the fast search, its time per request and\n"
                "for the slowest request (us), per node (ns), the literal machine's nodes and\n"
                "time per request, fast time per literal node, the speed ratio, and the\n"
                "failed-state table's size. Large boards show the literal columns only when\n"
                "the literal machine finished every request. --no-literal leaves it out (the\n"
                "sets then also keep requests it could not finish). --requests=DIR writes each\n"
                "set's requests to DIR/<set>.txt, one per line, as tarno-solve reads them.\n");
            return 2;
        }
    }
    const auto hex = [](std::mt19937_64& rng) {
        const auto all = HexLayouts();
        return model::hexShape(all[rng() % all.size()].key);
    };
    const auto bg40 = [](std::mt19937_64& rng) {
        return rng() % 2 == 0 ? model::gridShape("bg58", 5, 8) : model::gridShape("bg85", 8, 5);
    };
    const std::vector<Set> sets = {
        {"3x3", 400,
         [](auto& rng) { return make(rng, model::gridShape("tarno9", 3, 3), 3, 6, 0, 0, false); }},
        {"hexagon", 280, [&](auto& rng) { return make(rng, hex(rng), 3, 6, 0, 0, false); }},
        {"4x4 8-10 codes", 40,
         [](auto& rng) {
             return make(rng, model::gridShape("tarno16", 4, 4), 8, 10, 0, 0, false);
         }},
        {"4x4 5-6 codes", 20,
         [](auto& rng) { return make(rng, model::gridShape("angle", 4, 4), 5, 6, 0, 0, false); }},
        {"4x4 unsolvable", 12,
         [](auto& rng) { return make(rng, model::gridShape("kpuzzle", 4, 4), 6, 8, 0, 0, true); },
         SolveOutcome::NoSolution},
        {"bg 25-40 cells", 20,
         [](auto& rng) {
             static const int sizes[][2] = {{5, 5}, {5, 6}, {6, 5}, {5, 7}, {6, 6}, {5, 8}, {8, 5}};
             const auto& s = sizes[rng() % 7];
             return make(
                 rng,
                 model::gridShape("bg" + std::to_string(s[0]) + std::to_string(s[1]), s[0], s[1]),
                 4, 4, 0, 0, false);
         }},
        {"4x4 fixed 2-5", 40,
         [](auto& rng) { return make(rng, model::gridShape("tarno16", 4, 4), 5, 7, 2, 5, false); }},
        {"bg fixed 3-6", 20,
         [](auto& rng) { return make(rng, model::gridShape("bg57", 5, 7), 4, 4, 3, 6, false); }},
        // What the Odd-Even game sends: 40 cells, codes 0-3, no fixed pieces; cut from a
        // solved board, or drawn at random (then mostly solvable, some not).
        {"bg40 5x8/8x5", 20, [&](auto& rng) { return make(rng, bg40(rng), 4, 4, 0, 0, false); },
         SolveOutcome::Solved, 300'000, true},
        {"bg40 random codes", 20,
         [&](auto& rng) { return make(rng, bg40(rng), 4, 4, 0, 0, false, true); },
         SolveOutcome::Solved, 300'000, true},
        {"bg40 unsolvable", 10,
         [&](auto& rng) { return make(rng, bg40(rng), 4, 4, 0, 0, false, true); },
         SolveOutcome::NoSolution, 300'000, true},
    };
    std::printf("%-22s %4s %12s %9s %9s %7s %13s %11s %8s %8s %6s\n", "set", "reqs", "fast nodes",
                "us/req", "max us", "ns/node", "literal nodes", "lit us/req", "ns/litn", "ratio",
                "table");
    std::uint64_t seed = 7001;
    for (const Set& set : sets) {
        const std::uint64_t setSeed = seed++;
        if (run.only == nullptr ||
            std::string_view(set.name).find(run.only) != std::string_view::npos)
            runSet(set, setSeed, run);
    }
    return 0;
}

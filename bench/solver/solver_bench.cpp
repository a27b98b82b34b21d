// Times the fast search against the literal step machine on generated request sets.
#include "model/generate.h"
#include "model/literalsolver.h"
#include "solver/search.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
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
};

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

SolveResult fastSolve(const std::vector<std::string>& items) {
    NullEventPump pump;
    std::atomic<bool> stop{false};
    return SolveRequest(items, pump, stop);
}

void runSet(const Set& set, std::uint64_t seed, int scale) {
    std::mt19937_64 rng(seed);
    std::vector<std::vector<std::string>> requests;
    std::uint64_t literalNodes = 0;
    double literalTime = 0;
    int tries = 0;
    const int want = std::max(1, set.requests / scale);
    while (static_cast<int>(requests.size()) < want && tries++ < want * 200) {
        auto items = set.make(rng);
        const SolveResult fast = fastSolve(items);
        if (fast.outcome != set.wanted)
            continue;
        const auto start = Clock::now();
        const auto literal =
            model::solveLiterally(items, nullptr, nullptr, scale > 1 ? 300'000 : set.literalCap);
        const double t = seconds(Clock::now() - start);
        if (literal.outcome == SolveOutcome::Stopped)
            continue;
        if (literal.answer != fast.answer || literal.outcome != fast.outcome) {
            std::printf("DISAGREEMENT on %s\n", model::joinItems(items).c_str());
            std::exit(1);
        }
        literalNodes += literal.nodes;
        literalTime += t;
        requests.push_back(std::move(items));
    }
    if (requests.empty()) {
        std::printf("%-22s no requests\n", set.name);
        return;
    }
    // Repeat the fast runs until the clock has something to measure.
    std::uint64_t fastNodes = 0;
    int rounds = 0;
    const auto start = Clock::now();
    do {
        fastNodes = 0;
        for (const auto& items : requests)
            fastNodes += fastSolve(items).stats.nodes;
        ++rounds;
    } while (seconds(Clock::now() - start) < 0.2);
    const double fastTime = seconds(Clock::now() - start) / rounds;
    const double n = static_cast<double>(requests.size());
    std::printf("%-22s %4zu %12llu %8.2f %9.1f %12llu %10.2f %8.1f %8.0f\n", set.name,
                requests.size(), static_cast<unsigned long long>(fastNodes), fastTime / n * 1e6,
                fastTime * 1e9 / static_cast<double>(std::max<std::uint64_t>(fastNodes, 1)),
                static_cast<unsigned long long>(literalNodes), literalTime / n * 1e6,
                fastTime * 1e9 / static_cast<double>(std::max<std::uint64_t>(literalNodes, 1)),
                literalTime / fastTime);
}

std::vector<std::string> make(std::mt19937_64& rng, const model::BoardShape& shape, int minCodes,
                              int maxCodes, int minFixed, int maxFixed, bool perturb) {
    model::RequestRecipe r;
    r.codes = std::uniform_int_distribution<int>(minCodes, maxCodes)(rng);
    r.fixed = std::uniform_int_distribution<int>(minFixed, maxFixed)(rng);
    r.perturb = perturb;
    return model::makeRequest(rng, shape, r);
}

} // namespace

int main(int argc, char** argv) {
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            scale = 10;
        else {
            std::printf("Usage: solver_bench [--quick]\nPrints per set: requests, nodes of the "
                        "fast search, its time per request (us) and per node (ns), the literal "
                        "machine's nodes and time per request, fast time per literal node, and "
                        "the speed ratio.\n");
            return 2;
        }
    }
    const auto hex = [](std::mt19937_64& rng) {
        const auto all = HexLayouts();
        return model::hexShape(all[rng() % all.size()].key);
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
    };
    std::printf("%-22s %4s %12s %8s %9s %12s %10s %8s %8s\n", "set", "reqs", "fast nodes", "us/req",
                "ns/node", "literal nodes", "lit us/req", "ns/litn", "ratio");
    std::uint64_t seed = 7001;
    for (const Set& set : sets)
        runSet(set, seed++, scale);
    return 0;
}

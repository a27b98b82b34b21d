// SPDX-License-Identifier: GPL-3.0-or-later
// Times the fast search against the literal step machine on generated request sets.
#include "model/generate.h"
#include "model/literalsolver.h"
#include "solver/search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
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

// A set that keeps every request made, whatever its outcome.
constexpr auto kAnyOutcome = static_cast<SolveOutcome>(-1);

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

// Every heap byte the process holds, and the most it held since the last reset: a solve's
// memory is the peak above what was held when it started.
std::atomic<std::int64_t> g_heapNow{0};
std::atomic<std::int64_t> g_heapPeak{0};

// Records when events get through, to find the longest time the solver holds the thread
// between two pumps. Counted in this thread's CPU time, as the other timings are: on a busy
// machine wall time would count other processes' turns.
class GapPump final : public EventPump {
public:
    void start() { m_last = Clock::now(); }
    void processPendingEvents() override {
        const auto now = Clock::now();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    Clock::duration longest() const { return m_longest; }

private:
    Clock::time_point m_last;
    Clock::duration m_longest{};
};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
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
        if (set.wanted != kAnyOutcome) {
            const SolveResult fast = fastSolve(items, kPruneAll, 200'000'000);
            if (fast.outcome != set.wanted)
                continue;
        }
        if (!run.literal) {
            requests.push_back(std::move(items));
            continue;
        }
        const auto start = Clock::now();
        const auto literal = model::solveLiterally(items, literalCap);
        const double t = seconds(Clock::now() - start);
        if (literal.outcome == SolveOutcome::Stopped && !set.literalOptional)
            continue;
        if (literal.outcome != SolveOutcome::Stopped) {
            const SolveResult fast = fastSolve(items);
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
    // Each request on its own, repeated until the clock has something to measure.
    std::vector<double> times;
    std::uint64_t fastNodes = 0;
    int capped = 0;
    std::int64_t heap = 0;
    Clock::duration longestGap{};
    for (const auto& items : requests) {
        g_heapPeak = g_heapNow.load();
        const std::int64_t before = g_heapNow;
        GapPump pump;
        std::atomic<bool> stop{false};
        SolveOptions options;
        options.prunings = run.prunings;
        options.nodeLimit = run.nodeCap;
        pump.start();
        const SolveResult r = SolveRequest(items, pump, stop, options);
        pump.processPendingEvents();
        longestGap = std::max(longestGap, pump.longest());
        heap = std::max(heap, g_heapPeak - before);
        fastNodes += r.stats.nodes;
        capped += r.stats.nodeLimitReached ? 1 : 0;
        int rounds = 0;
        const auto t0 = Clock::now();
        double spent = 0;
        do {
            fastSolve(items, run.prunings, run.nodeCap);
            ++rounds;
            spent = seconds(Clock::now() - t0);
        } while (spent < 50e-6);
        times.push_back(spent / rounds);
    }
    double total = 0;
    for (double t : times)
        total += t;
    const double n = static_cast<double>(requests.size());
    std::printf("%-22s %4zu %12llu %9.1f %9.1f %9.1f %10.1f %6.1f", set.name, requests.size(),
                static_cast<unsigned long long>(fastNodes), total / n * 1e6,
                percentile(times, 0.5) * 1e6, percentile(times, 0.99) * 1e6,
                percentile(times, 1.0) * 1e6, seconds(longestGap) * 1e3);
    if (literalDone == static_cast<int>(requests.size()))
        std::printf(" %11.1f %8.0f", literalTime / n * 1e6, literalTime / total);
    else
        std::printf(" %11s %8s", "-", "-");
    std::printf(" %6lldK", static_cast<long long>(heap / 1024));
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
        else if (word == "completion")
            bits |= kPruneCompletion;
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

// The same request with the fixed piece `which` (0-based) taken back into the hand.
std::vector<std::string> withoutFixed(const std::vector<std::string>& items, size_t which) {
    const size_t count = static_cast<size_t>(std::stoi(items[0].substr(items[0].find('*') + 1)));
    const size_t k = (items.size() - 1 - count) / 3;
    std::vector<std::string> out(items.begin(), items.begin() + static_cast<long>(count) + 1);
    for (size_t block = 0; block < 3; ++block)
        for (size_t i = 0; i < k; ++i)
            if (i != which)
                out.push_back(items[1 + count + block * k + i]);
    return out;
}

// Positions a player leaves: 40-cell sum boards (5 x 8 and 8 x 5) with 5, 10, 15 or 20
// pieces laid right, smaller sum boards with 5, 10 or 15, and 4 x 4 boards with 3 to 10;
// then one or two pieces laid where they do not belong.
std::vector<std::string> playerPosition(std::mt19937_64& rng, int i) {
    static const char* const names[] = {"bg58", "bg85", "bg58", "bg85", "bg55", "bg45", "tarno16"};
    const std::string name = names[i % 7];
    const int rows = name == "tarno16" ? 4 : name[2] - '0';
    const int columns = name == "tarno16" ? 4 : name[3] - '0';
    model::PlayerRecipe recipe;
    recipe.wrong = 1 + (i / 7) % 2;
    if (rows * columns == 40)
        recipe.right = 5 * (1 + (i / 14) % 4);
    else if (name == "tarno16")
        recipe.right = 3 + (i / 14) % 8;
    else
        recipe.right = 5 * (1 + (i / 14) % 3);
    recipe.codes = 3 + (i / 14) % 4;
    return model::makePlayerRequest(rng, model::gridShape(name, rows, columns), recipe);
}

} // namespace

// Every allocation carries its size in front, so that frees can be counted.
void* operator new(std::size_t size) {
    auto* p = static_cast<std::size_t*>(std::malloc(size + 16));
    if (p == nullptr)
        throw std::bad_alloc();
    *p = size;
    const std::int64_t now = g_heapNow += static_cast<std::int64_t>(size);
    std::int64_t peak = g_heapPeak;
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
    return reinterpret_cast<char*>(p) + 16;
}
void operator delete(void* q) noexcept {
    if (q == nullptr)
        return;
    void* block = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(q) - 16);
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    g_heapNow -= static_cast<std::int64_t>(size);
    std::free(block);
}
void operator delete(void* q, std::size_t) noexcept {
    operator delete(q);
}
// Aligned ones keep the block's start and size just before what they hand out.
void* operator new(std::size_t size, std::align_val_t align) {
    const std::size_t a = std::max<std::size_t>(static_cast<std::size_t>(align), 16);
    char* block = static_cast<char*>(std::malloc(size + a + 16));
    if (block == nullptr)
        throw std::bad_alloc();
    const auto at = (reinterpret_cast<std::uintptr_t>(block) + 16 + a - 1) & ~(a - 1);
    auto* head = reinterpret_cast<std::size_t*>(at) - 2;
    head[0] = size;
    head[1] = static_cast<std::size_t>(at - reinterpret_cast<std::uintptr_t>(block));
    const std::int64_t now = g_heapNow += static_cast<std::int64_t>(size);
    std::int64_t peak = g_heapPeak;
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
    return reinterpret_cast<void*>(at);
}
void operator delete(void* q, std::align_val_t) noexcept {
    if (q == nullptr)
        return;
    std::size_t head[2];
    std::memcpy(head, reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(q) - 16), sizeof head);
    g_heapNow -= static_cast<std::int64_t>(head[0]);
    std::free(reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(q) - head[1]));
}
void operator delete(void* q, std::size_t, std::align_val_t align) noexcept {
    operator delete(q, align);
}

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
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
                "Usage: solver_bench [--quick] [--prunings=all|none|edges,failed,equal,turns,completion]\n"
                "                    [--node-cap=N] [--only=TEXT] [--no-literal]\n"
                "                    [--requests=DIR]\n"
                "Prints per set: requests, nodes of the fast search, its time per request (us:\n"
                "mean, median, 99th percentile, slowest), the longest the solver held the thread\n"
                "between two event pumps (ms of CPU time), the literal machine's time per request, the speed\n"
                "ratio, and the most heap one solve held. Large boards show the literal\n"
                "columns only when\n"
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
        {"player-like", 420,
         [made = std::make_shared<int>(0)](auto& rng) { return playerPosition(rng, (*made)++); },
         kAnyOutcome, 300'000, true},
        // How the game finds a wrong piece: the same positions asked again with one laid
        // piece taken back into the hand.
        {"player, one taken back", 420,
         [made = std::make_shared<int>(0)](auto& rng) {
             const auto items = playerPosition(rng, (*made)++);
             const size_t count =
                 static_cast<size_t>(std::stoi(items[0].substr(items[0].find('*') + 1)));
             const size_t k = (items.size() - 1 - count) / 3;
             return withoutFixed(items, static_cast<size_t>(rng() % k));
         },
         kAnyOutcome, 300'000, true},
    };
    std::printf("%-22s %4s %12s %9s %9s %9s %10s %6s %11s %8s %7s\n", "set", "reqs", "fast nodes",
                "mean us", "median", "p99", "slowest", "gap ms", "lit us/req", "ratio", "heap");
    std::uint64_t seed = 7001;
    for (const Set& set : sets) {
        const std::uint64_t setSeed = seed++;
        if (run.only == nullptr ||
            std::string_view(set.name).find(run.only) != std::string_view::npos)
            runSet(set, setSeed, run);
    }
    return 0;
}

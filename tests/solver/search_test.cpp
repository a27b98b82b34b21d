// SPDX-License-Identifier: GPL-3.0-or-later
// The search: known answers, agreement with the literal step machine, stopping and letting events
// through.
#include "solver/search.h"

#include "model/generate.h"
#include "model/literalsolver.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>

namespace tarno {
namespace {

SolveResult solve(std::string_view text) {
    NullEventPump pump;
    std::atomic<bool> stop{false};
    const std::vector<std::string> items = splitItems(text);
    return SolveRequest(items, pump, stop);
}

const char* const kWorked = "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032";
const char* const kWorkedAnswer = "323030010031111013120012102102330032000012213";

const char* const kNoPieceForAFreeCell = "bg22*4,1221,2112,1212,0000,0000,4,0";

struct KnownCase {
    const char* what;
    const char* request;
    SolveOutcome outcome;
    const char* answer;
};

class KnownAnswerTest : public ::testing::TestWithParam<KnownCase> {};

TEST_P(KnownAnswerTest, FastAndLiteralGiveTheKnownAnswer) {
    const KnownCase& c = GetParam();
    const SolveResult fast = solve(c.request);
    EXPECT_EQ(fast.outcome, c.outcome) << outcomeName(fast.outcome);
    EXPECT_EQ(fast.answer, c.answer);
    const auto literal = model::solveLiterally(splitItems(c.request));
    EXPECT_EQ(literal.outcome, c.outcome) << outcomeName(literal.outcome);
    EXPECT_EQ(literal.answer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Known, KnownAnswerTest,
    ::testing::Values(
        KnownCase{"worked 3x3", kWorked, SolveOutcome::Solved, kWorkedAnswer},
        KnownCase{"worked 3x3 with two of its pieces fixed",
                  "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032,0012,1110,6,4,2,0",
                  SolveOutcome::Solved, kWorkedAnswer},
        KnownCase{"no links: pieces in order, rotation 0", "xyz*3,123,456,789",
                  SolveOutcome::Solved, "123456789000"},
        KnownCase{"unlisted hexagon key", "hexa5Z*2,123456,654321", SolveOutcome::Solved,
                  "12345665432100"},
        KnownCase{"one piece, first rotation", "bg11*1,0123", SolveOutcome::Solved, "01230"},
        KnownCase{"sum rule: 0 meets 3", "bg12*2,0123,3230", SolveOutcome::Solved, "0123323000"},
        KnownCase{"sum rule: equal codes never meet", "bg12*2,0000,0000", SolveOutcome::NoSolution,
                  ""},
        KnownCase{"uniform piece only in rotation 0", "bg12*2,2222,3131", SolveOutcome::Solved,
                  "2222313101"},
        KnownCase{"every cell fixed and agreeing", "bg12*2,0123,3230,0123,3230,1,2,0,0",
                  SolveOutcome::Solved, "0123323000"},
        KnownCase{"every cell fixed, disagreeing", "bg12*2,0123,3230,0123,3230,1,2,0,1",
                  SolveOutcome::NoSolution, ""},
        KnownCase{"unsolvable 3x3", "tarno9*9,1111,0000,0000,0000,0000,0000,0000,0000,0000",
                  SolveOutcome::NoSolution, ""},
        KnownCase{"the last cell, fixed, asks a 3 of its free neighbours that no piece has",
                  kNoPieceForAFreeCell, SolveOutcome::NoSolution, ""},
        KnownCase{"malformed", "tarno9*9,3230", SolveOutcome::Malformed, ""}));

TEST(Prunings, AFreeCellThatNoPieceFitsEndsTheRequestBeforeAPieceIsLaid) {
    EXPECT_EQ(solve(kNoPieceForAFreeCell).stats.nodes, 0u);
}

using model::endlessRequest;

class FakeClock final : public SolveClock {
public:
    explicit FakeClock(std::int64_t stepNs) : m_step(stepNs) {}
    std::int64_t nowNs() override { return m_now += m_step; }
    std::int64_t now() const { return m_now; }

private:
    std::int64_t m_step;
    std::int64_t m_now = 0;
};

TEST(Stop, SeenRightAfterThePumpThatSetsIt) {
    FakeClock clock(1'000'000);
    ScriptedPump pump;
    std::atomic<bool> stop{false};
    pump.onCall = [&](int call) {
        if (call == 3)
            stop = true;
    };
    SolveOptions options;
    options.clock = &clock;
    const SolveResult r = SolveRequest(endlessRequest(), pump, stop, options);
    EXPECT_EQ(r.outcome, SolveOutcome::Stopped);
    EXPECT_TRUE(r.answer.empty());
    EXPECT_EQ(pump.calls, 3);
    EXPECT_FALSE(r.stats.nodeLimitReached);
}

class StopWithPrunings : public ::testing::TestWithParam<bool> {};

TEST_P(StopWithPrunings, SetFromElsewhereEndsTheSearchWithinAFewHundredNodes) {
    // A stop that arrives without a pump (another thread, say) is read every few hundred
    // nodes, whichever prunings run: none of them lets the search go long without a node.
    std::atomic<bool> stop{false};
    std::uint64_t nodesAtStop = 0;
    struct CountingClock final : SolveClock {
        std::function<std::int64_t()> now;
        std::int64_t nowNs() override { return now(); }
    } counting;
    int reads = 0;
    counting.now = [&] {
        if (++reads == 5) {
            stop = true;
            nodesAtStop = 5 * 256;
        }
        return std::int64_t{0};
    };
    NullEventPump pump;
    SolveOptions options;
    options.clock = &counting;
    options.pruneEagerly = GetParam();
    const SolveResult r = SolveRequest(endlessRequest(), pump, stop, options);
    EXPECT_EQ(r.outcome, SolveOutcome::Stopped);
    EXPECT_LE(r.stats.nodes, nodesAtStop + 256);
}

INSTANTIATE_TEST_SUITE_P(Stop, StopWithPrunings, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "EveryPruningForced" : "Default";
                         });

TEST(Stop, SetWhileTheCompletionQuestionIsWorkedOnEndsTheSolveThere) {
    // The first look (node 256) pumps once, then puts its question, whose solver lets
    // events through again: the stop set there ends the question and the solve.
    std::mt19937_64 rng(4);
    model::PlayerRecipe laid;
    laid.right = 10;
    const auto items = model::makePlayerRequest(rng, model::gridShape("bg58", 5, 8), laid);
    FakeClock clock(10'000'000);
    ScriptedPump pump;
    std::atomic<bool> stop{false};
    pump.onCall = [&](int call) {
        if (call == 2)
            stop = true;
    };
    SolveOptions options;
    options.clock = &clock;
    options.prunings = kPruneCompletion;
    options.pruneEagerly = true;
    const SolveResult r = SolveRequest(items, pump, stop, options);
    EXPECT_EQ(r.outcome, SolveOutcome::Stopped);
    EXPECT_EQ(r.stats.completionQuestions, 1u);
    EXPECT_EQ(r.stats.nodes, 256u);
    EXPECT_EQ(pump.calls, 2);
}

TEST(Stop, DuringTheLastPumpStillDiscardsTheAnswer) {
    ScriptedPump pump;
    std::atomic<bool> stop{false};
    pump.onCall = [&](int) { stop = true; };
    const SolveResult r = SolveRequest(splitItems(kWorked), pump, stop);
    EXPECT_EQ(r.outcome, SolveOutcome::Stopped);
    EXPECT_TRUE(r.answer.empty());
}

TEST(Stop, NodeLimitEndsAsStopped) {
    NullEventPump pump;
    std::atomic<bool> stop{false};
    SolveOptions options;
    options.nodeLimit = 10'000;
    const SolveResult r = SolveRequest(endlessRequest(), pump, stop, options);
    EXPECT_EQ(r.outcome, SolveOutcome::Stopped);
    EXPECT_TRUE(r.stats.nodeLimitReached);
    EXPECT_LT(r.stats.nodes, 10'000u + 256u);
}

TEST(Stop, ALongSolveWithoutFixedPiecesPutsQuestionsWithNoMatchingBefore) {
    // Such boards skip the matching, so a question is the first check to need the board:
    // the root's after 1.2 million nodes, a deeper level's later.
    NullEventPump pump;
    std::atomic<bool> stop{false};
    SolveOptions options;
    options.nodeLimit = 2'000'000;
    const SolveResult r = SolveRequest(endlessRequest(), pump, stop, options);
    EXPECT_EQ(r.outcome, SolveOutcome::Stopped);
    EXPECT_GE(r.stats.completionQuestions, 2u);
}

TEST(Pumping, EventsGetThroughAtLeastEveryPumpInterval) {
    FakeClock clock(1'000'000); // each look at the clock costs a fake millisecond
    std::vector<std::int64_t> pumpedAt;
    ScriptedPump pump;
    pump.onCall = [&](int) { pumpedAt.push_back(clock.now()); };
    std::atomic<bool> stop{false};
    SolveOptions options;
    options.clock = &clock;
    options.nodeLimit = 200'000;
    const SolveResult r = SolveRequest(endlessRequest(), pump, stop, options);
    ASSERT_TRUE(r.stats.nodeLimitReached);
    ASSERT_GT(pumpedAt.size(), 100u);
    std::int64_t last = 0;
    for (std::int64_t t : pumpedAt) {
        EXPECT_LE(t - last, 10'000'000);
        last = t;
    }
    // Not more often than the interval either: processing events costs time.
    EXPECT_LE(pumpedAt.size(), r.stats.nodes / 256 / 3);
}

TEST(Pumping, AQuickSolvePumpsOnceAtTheEnd) {
    FakeClock clock(0);
    ScriptedPump pump;
    std::atomic<bool> stop{false};
    SolveOptions options;
    options.clock = &clock;
    const SolveResult r = SolveRequest(splitItems(kWorked), pump, stop, options);
    EXPECT_EQ(r.outcome, SolveOutcome::Solved);
    EXPECT_EQ(pump.calls, 1);
}

TEST(Nested, ASolveInsideThePumpHasItsOwnState) {
    FakeClock clock(10'000'000); // every look at the clock lets events through
    ScriptedPump pump;
    std::atomic<bool> outerStop{false};
    SolveResult inner;
    pump.onCall = [&](int call) {
        if (call == 1) {
            NullEventPump innerPump;
            std::atomic<bool> innerStop{false};
            inner = SolveRequest(splitItems(kWorked), innerPump, innerStop);
        } else if (call == 2) {
            outerStop = true;
        }
    };
    SolveOptions options;
    options.clock = &clock;
    const SolveResult outer = SolveRequest(endlessRequest(), pump, outerStop, options);
    EXPECT_EQ(inner.outcome, SolveOutcome::Solved);
    EXPECT_EQ(inner.answer, kWorkedAnswer);
    EXPECT_EQ(outer.outcome, SolveOutcome::Stopped);
}

// Fast against literal on generated requests of every kind.
struct Family {
    const char* name;
    int cases;
    std::function<model::BoardShape(std::mt19937_64&)> shape;
    int minCodes;
    int maxCodes;
    int maxFixed;
    std::uint64_t literalCap = 30'000; // cases the literal machine cannot finish are skipped
    int minComparedPercent = 50;       // of the cases, those the literal machine must finish
    // Positions as a player leaves them: up to half the board laid right, one or two
    // pieces laid wrong (the fixed-piece count then plays no part).
    bool player = false;
};

// The answer must not depend on which prunings run: each alone, and all, forced onto
// every board from the first node. None of them may lay a piece the literal machine
// does not lay.
struct Variant {
    const char* name;
    unsigned prunings;
};
constexpr Variant kVariants[] = {{"edge counts", kPruneEdgeCounts},
                                 {"failed states", kPruneFailedStates},
                                 {"equal pieces", kPruneEqualPieces},
                                 {"turned corners", kPruneTurnedCorners},
                                 {"completion", kPruneCompletion},
                                 {"all", kPruneAll}};

std::ostream& operator<<(std::ostream& os, const Family& f) {
    return os << f.name;
}

class AgreementTest : public ::testing::TestWithParam<Family> {};

std::uint64_t baseSeed() {
    const char* env = std::getenv("TARNO_SEED");
    return env ? std::strtoull(env, nullptr, 10) : 20261206u;
}

TEST_P(AgreementTest, FastMatchesTheLiteralStepMachine) {
    const Family& f = GetParam();
    const std::uint64_t seed = baseSeed();
    std::cout << "[ seed ] " << f.name << " TARNO_SEED=" << seed << "\n";
    int compared = 0, solved = 0, unsolved = 0, skipped = 0;
    for (int i = 0; i < f.cases; ++i) {
        std::mt19937_64 rng(seed * 1000003u + static_cast<std::uint64_t>(i));
        const model::BoardShape shape = f.shape(rng);
        model::RequestRecipe recipe;
        recipe.codes = std::uniform_int_distribution<int>(f.minCodes, f.maxCodes)(rng);
        recipe.fixed = std::uniform_int_distribution<int>(0, f.maxFixed)(rng);
        recipe.perturb = rng() % 2 == 0;
        recipe.randomCodes = rng() % 5 == 0;
        const auto make = [&] {
            if (!f.player)
                return model::makeRequest(rng, shape, recipe);
            model::PlayerRecipe laid;
            laid.codes = recipe.codes;
            laid.right = std::uniform_int_distribution<int>(0, shape.cells / 2)(rng);
            laid.wrong = 1 + static_cast<int>(rng() % 2);
            return model::makePlayerRequest(rng, shape, laid);
        };
        const std::vector<std::string> items = make();
        const auto literal = model::solveLiterally(items, nullptr, nullptr, f.literalCap);
        if (literal.outcome == SolveOutcome::Stopped) {
            ++skipped;
            continue;
        }
        NullEventPump pump;
        std::atomic<bool> stop{false};
        const SolveResult fast = SolveRequest(items, pump, stop);
        ASSERT_EQ(fast.outcome, literal.outcome)
            << "case " << i << " seed " << seed << ": " << model::joinItems(items);
        ASSERT_EQ(fast.answer, literal.answer)
            << "case " << i << " seed " << seed << ": " << model::joinItems(items);
        EXPECT_LE(fast.stats.nodes, literal.nodes) << "look-ahead only removes nodes";
        for (const Variant& v : kVariants) {
            SolveOptions options;
            options.prunings = v.prunings;
            options.pruneEagerly = true;
            const SolveResult forced = SolveRequest(items, pump, stop, options);
            ASSERT_EQ(forced.answer, literal.answer)
                << v.name << ", case " << i << " seed " << seed << ": " << model::joinItems(items);
            ASSERT_EQ(forced.outcome, literal.outcome) << v.name << ", case " << i;
            EXPECT_LE(forced.stats.nodes, literal.nodes) << v.name << ", case " << i;
        }
        ++compared;
        (literal.outcome == SolveOutcome::Solved ? solved : unsolved)++;
    }
    std::cout << "[ info ] " << f.name << ": " << compared << " compared (" << solved << " solved, "
              << unsolved << " without solution), " << skipped
              << " too long for the literal machine\n";
    EXPECT_GE(compared * 100, f.cases * f.minComparedPercent);
}

model::BoardShape anyHex(std::mt19937_64& rng) {
    const auto all = HexLayouts();
    return model::hexShape(all[rng() % all.size()].key);
}

model::BoardShape anyBg(std::mt19937_64& rng) {
    for (;;) {
        const int r = static_cast<int>(rng() % 9) + 1;
        const int c = static_cast<int>(rng() % 9) + 1;
        if (r * c <= 40)
            return model::gridShape("bg" + std::to_string(r) + std::to_string(c), r, c);
    }
}

// The boards the Odd-Even game sends: 40 cells, 5 x 8 or 8 x 5.
model::BoardShape bg40(std::mt19937_64& rng) {
    return rng() % 2 == 0 ? model::gridShape("bg58", 5, 8) : model::gridShape("bg85", 8, 5);
}

model::BoardShape any4x4(std::mt19937_64& rng) {
    static const char* const names[] = {"tarno16", "angle", "kpuzzle", "ta"};
    return model::gridShape(names[rng() % 4], 4, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Generated, AgreementTest,
    ::testing::Values(
        Family{"grid3x3", 400, [](std::mt19937_64&) { return model::gridShape("tarno9", 3, 3); }, 2,
               6, 4},
        Family{"grid4x4", 120, any4x4, 4, 10, 5}, Family{"grid4x4few", 60, any4x4, 2, 3, 8},
        // One or two codes: many pieces are written alike.
        Family{"grid4x4equal", 80, any4x4, 1, 2, 4}, Family{"bg", 150, anyBg, 4, 4, 6},
        Family{"bg40", 12, bg40, 4, 4, 2, 150'000, 25}, Family{"hexagon", 280, anyHex, 2, 6, 3},
        Family{"player4x4", 60, any4x4, 3, 6, 0, 300'000, 80, true},
        Family{"playerBg", 40, anyBg, 4, 4, 0, 300'000, 50, true},
        Family{"playerBg40", 16, bg40, 4, 4, 0, 300'000, 20, true},
        Family{"nolinks", 40,
               [](std::mt19937_64& rng) {
                   model::BoardShape s;
                   s.name = rng() % 2 ? "zz" : "hexa4Q";
                   s.cells = static_cast<int>(rng() % 12) + 1;
                   s.pieceLength = static_cast<int>(rng() % 6) + 1;
                   return s;
               },
               2, 10, 3}),
    [](const ::testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

TEST(AgreementTest, EveryHexagonShapeIsCovered) {
    for (const HexLayout& h : HexLayouts()) {
        for (int fixed : {0, 2}) {
            std::mt19937_64 rng(baseSeed() + static_cast<std::uint64_t>(h.cells * 10 + fixed));
            model::RequestRecipe recipe;
            recipe.codes = 3;
            recipe.fixed = fixed;
            const auto items = model::makeRequest(rng, model::hexShape(h.key), recipe);
            const auto literal = model::solveLiterally(items);
            const SolveResult fast = solve(model::joinItems(items));
            EXPECT_EQ(literal.outcome, SolveOutcome::Solved) << h.key;
            EXPECT_EQ(fast.answer, literal.answer) << model::joinItems(items);
        }
    }
}

} // namespace
} // namespace tarno

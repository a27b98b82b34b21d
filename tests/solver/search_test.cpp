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

using model::endlessRequest;

const char* const kWorked = "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032";
const char* const kWorkedAnswer = "323030010031111013120012102102330032000012213";
const char* const kNoPieceForAFreeCell = "bg22*4,1221,2112,1212,0000,0000,4,0";

SolveResult solve(const std::vector<std::string>& items, EventPump& pump,
                  const SolveOptions& options = {}, std::atomic<bool>* stop = nullptr) {
    std::atomic<bool> never{false};
    return SolveRequest(items, pump, stop ? *stop : never, options);
}

TEST(KnownAnswers, FastAndLiteralGiveThem) {
    const struct {
        const char* request;
        SolveOutcome outcome;
        const char* answer;
    } cases[] = {
        {kWorked, SolveOutcome::Solved, kWorkedAnswer},
        // The same with two of its pieces fixed.
        {"tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032,0012,1110,6,4,2,0",
         SolveOutcome::Solved, kWorkedAnswer},
        {"xyz*3,123,456,789", SolveOutcome::Solved, "123456789000"}, // no links: as given
        {"hexa5Z*2,123456,654321", SolveOutcome::Solved, "12345665432100"}, // unlisted key
        {"bg11*1,0123", SolveOutcome::Solved, "01230"},
        {"bg12*2,0123,3230", SolveOutcome::Solved, "0123323000"}, // sum rule: 0 meets 3
        {"bg12*2,0000,0000", SolveOutcome::NoSolution, ""},        // equal codes never meet
        {"bg12*2,2222,3131", SolveOutcome::Solved, "2222313101"},  // uniform piece: rotation 0
        {"bg12*2,0123,3230,0123,3230,1,2,0,0", SolveOutcome::Solved, "0123323000"}, // all fixed
        {"bg12*2,0123,3230,0123,3230,1,2,0,1", SolveOutcome::NoSolution, ""},
        {"tarno9*9,1111,0000,0000,0000,0000,0000,0000,0000,0000", SolveOutcome::NoSolution, ""},
        // The last cell, fixed, asks a 3 of its free neighbours that no piece has.
        {kNoPieceForAFreeCell, SolveOutcome::NoSolution, ""},
        {"tarno9*9,3230", SolveOutcome::Malformed, ""}};
    for (const auto& c : cases) {
        NullEventPump pump;
        const SolveResult fast = solve(splitItems(c.request), pump);
        EXPECT_EQ(fast.outcome, c.outcome) << c.request;
        EXPECT_EQ(fast.answer, c.answer) << c.request;
        const auto literal = model::solveLiterally(splitItems(c.request));
        EXPECT_EQ(literal.outcome, c.outcome) << c.request;
        EXPECT_EQ(literal.answer, c.answer) << c.request;
    }
    // A free cell that no piece fits ends the request before a piece is laid.
    NullEventPump pump;
    EXPECT_EQ(solve(splitItems(kNoPieceForAFreeCell), pump).stats.nodes, 0u);
}

class FakeClock final : public SolveClock {
public:
    explicit FakeClock(std::int64_t stepNs) : m_step(stepNs) {}
    std::int64_t nowNs() override { return m_now += m_step; }
    std::int64_t now() const { return m_now; }

private:
    std::int64_t m_step;
    std::int64_t m_now = 0;
};

// A stop set while events get through is seen right after them, even by a search that
// has just found its answer, and inside the completion question (asked at node 256 when
// forced), whose solver lets events through too. A quick solve pumps once, at its end.
TEST(Stop, SeenRightAfterThePumpThatSetsIt) {
    std::mt19937_64 rng(4);
    model::PlayerRecipe laid;
    laid.right = 10;
    const auto player = model::makePlayerRequest(rng, model::gridShape("bg58", 5, 8), laid);
    const struct {
        std::vector<std::string> items;
        int stopAt; // the pump call that sets the stop; 0: none
        SolveOutcome outcome;
        int pumps;
        bool completion = false; // only the completion question, forced
    } cases[] = {{endlessRequest(), 3, SolveOutcome::Stopped, 3},
                 {splitItems(kWorked), 1, SolveOutcome::Stopped, 1},
                 {splitItems(kWorked), 0, SolveOutcome::Solved, 1},
                 {player, 2, SolveOutcome::Stopped, 2, true}};
    for (const auto& c : cases) {
        FakeClock clock(c.outcome == SolveOutcome::Solved ? 0 : 10'000'000);
        ScriptedPump pump;
        std::atomic<bool> stop{false};
        pump.onCall = [&](int call) { stop = stop || call == c.stopAt; };
        SolveOptions options;
        options.clock = &clock;
        options.prunings = c.completion ? kPruneCompletion : kPruneAll;
        options.pruneEagerly = c.completion;
        const SolveResult r = solve(c.items, pump, options, &stop);
        EXPECT_EQ(r.outcome, c.outcome) << model::joinItems(c.items);
        EXPECT_EQ(r.answer.empty(), c.outcome == SolveOutcome::Stopped);
        EXPECT_EQ(pump.calls, c.pumps);
        EXPECT_FALSE(r.stats.nodeLimitReached);
        if (c.completion) {
            EXPECT_EQ(r.stats.completionQuestions, 1u);
            EXPECT_EQ(r.stats.nodes, 256u);
        }
    }
}

// A stop that arrives without a pump (another thread, say) is read every few hundred
// nodes, whichever prunings run: none of them lets the search go long without a node.
TEST(Stop, SetFromElsewhereEndsTheSearchWithinAFewHundredNodes) {
    for (const bool eager : {false, true}) {
        std::atomic<bool> stop{false};
        int reads = 0;
        struct CountingClock final : SolveClock {
            std::function<std::int64_t()> now;
            std::int64_t nowNs() override { return now(); }
        } counting;
        counting.now = [&] {
            stop = stop || ++reads == 5;
            return std::int64_t{0};
        };
        NullEventPump pump;
        SolveOptions options;
        options.clock = &counting;
        options.pruneEagerly = eager;
        const SolveResult r = solve(endlessRequest(), pump, options, &stop);
        EXPECT_EQ(r.outcome, SolveOutcome::Stopped) << eager;
        EXPECT_LE(r.stats.nodes, 6u * 256) << eager;
    }
}

TEST(Stop, ALongSolveWithoutFixedPiecesPutsQuestionsWithNoMatchingBefore) {
    // Such boards skip the matching, so a question is the first check to need the board:
    // the root's after 1.2 million nodes, a deeper level's later.
    NullEventPump pump;
    SolveOptions options;
    options.nodeLimit = 2'000'000;
    const SolveResult r = solve(endlessRequest(), pump, options);
    EXPECT_EQ(r.outcome, SolveOutcome::Stopped);
    EXPECT_GE(r.stats.completionQuestions, 2u);
}

TEST(Pumping, EventsGetThroughAtLeastEveryPumpIntervalButNotMuchMoreOften) {
    FakeClock clock(1'000'000); // each look at the clock costs a fake millisecond
    std::vector<std::int64_t> pumpedAt;
    ScriptedPump pump;
    pump.onCall = [&](int) { pumpedAt.push_back(clock.now()); };
    SolveOptions options;
    options.clock = &clock;
    options.nodeLimit = 200'000;
    const SolveResult r = solve(endlessRequest(), pump, options);
    ASSERT_GT(pumpedAt.size(), 100u);
    for (std::size_t i = 1; i < pumpedAt.size(); ++i)
        EXPECT_LE(pumpedAt[i] - pumpedAt[i - 1], 10'000'000);
    EXPECT_LE(pumpedAt.size(), r.stats.nodes / 256 / 3);
}

// Fast against literal on generated requests of every kind.
struct Family {
    const char* name;
    int cases;
    std::function<model::BoardShape(std::mt19937_64&, int)> shape; // of case i
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
constexpr std::pair<const char*, unsigned> kVariants[] = {
    {"edge counts", kPruneEdgeCounts}, {"failed states", kPruneFailedStates},
    {"equal pieces", kPruneEqualPieces}, {"turned corners", kPruneTurnedCorners},
    {"completion", kPruneCompletion}, {"all", kPruneAll}};

class AgreementTest : public ::testing::TestWithParam<Family> {};

TEST_P(AgreementTest, FastMatchesTheLiteralStepMachine) {
    const Family& f = GetParam();
    const char* env = std::getenv("TARNO_SEED");
    const std::uint64_t seed = env ? std::strtoull(env, nullptr, 10) : 20261206u;
    std::cout << "[ seed ] " << f.name << " TARNO_SEED=" << seed << "\n";
    int compared = 0, solved = 0, skipped = 0;
    for (int i = 0; i < f.cases; ++i) {
        std::mt19937_64 rng(seed * 1000003u + static_cast<std::uint64_t>(i));
        const model::BoardShape shape = f.shape(rng, i);
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
        const std::string where = "case " + std::to_string(i) + ": " + model::joinItems(items);
        const auto literal = model::solveLiterally(items, nullptr, nullptr, f.literalCap);
        if (literal.outcome == SolveOutcome::Stopped) {
            ++skipped;
            continue;
        }
        NullEventPump pump;
        const SolveResult fast = solve(items, pump);
        ASSERT_EQ(fast.outcome, literal.outcome) << where;
        ASSERT_EQ(fast.answer, literal.answer) << where;
        EXPECT_LE(fast.stats.nodes, literal.nodes) << "look-ahead only removes nodes";
        for (const auto& [name, prunings] : kVariants) {
            SolveOptions options;
            options.prunings = prunings;
            options.pruneEagerly = true;
            const SolveResult forced = solve(items, pump, options);
            ASSERT_EQ(forced.answer, literal.answer) << name << ", " << where;
            ASSERT_EQ(forced.outcome, literal.outcome) << name << ", " << where;
            EXPECT_LE(forced.stats.nodes, literal.nodes) << name << ", " << where;
        }
        ++compared;
        solved += literal.outcome == SolveOutcome::Solved;
    }
    std::cout << "[ info ] " << f.name << ": " << compared << " compared (" << solved
              << " solved), " << skipped << " too long for the literal machine\n";
    EXPECT_GE(compared * 100, f.cases * f.minComparedPercent);
}

model::BoardShape anyBg(std::mt19937_64& rng, int) {
    for (;;) {
        const int r = static_cast<int>(rng() % 9) + 1;
        const int c = static_cast<int>(rng() % 9) + 1;
        if (r * c <= 40)
            return model::gridShape("bg" + std::to_string(r) + std::to_string(c), r, c);
    }
}

// The boards the Odd-Even game sends: 40 cells, 5 x 8 or 8 x 5.
model::BoardShape bg40(std::mt19937_64& rng, int) {
    return rng() % 2 == 0 ? model::gridShape("bg58", 5, 8) : model::gridShape("bg85", 8, 5);
}

model::BoardShape any4x4(std::mt19937_64& rng, int) {
    static const char* const names[] = {"tarno16", "angle", "kpuzzle", "ta"};
    return model::gridShape(names[rng() % 4], 4, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Generated, AgreementTest,
    ::testing::Values(
        Family{"grid3x3", 400, [](auto&, int) { return model::gridShape("tarno9", 3, 3); }, 2, 6,
               4},
        Family{"grid4x4", 120, any4x4, 4, 10, 5}, Family{"grid4x4few", 60, any4x4, 2, 3, 8},
        // One or two codes: many pieces are written alike.
        Family{"grid4x4equal", 80, any4x4, 1, 2, 4}, Family{"bg", 150, anyBg, 4, 4, 6},
        Family{"bg40", 12, bg40, 4, 4, 2, 150'000, 25},
        // Every hexagon board in turn.
        Family{"hexagon", 280,
               [](auto&, int i) {
                   return model::hexShape(HexLayouts()[i % HexLayouts().size()].key);
               },
               2, 6, 3},
        Family{"player4x4", 60, any4x4, 3, 6, 0, 300'000, 80, true},
        Family{"playerBg", 40, anyBg, 4, 4, 0, 300'000, 50, true},
        Family{"playerBg40", 16, bg40, 4, 4, 0, 300'000, 20, true},
        Family{"nolinks", 40,
               [](std::mt19937_64& rng, int) {
                   model::BoardShape s;
                   s.name = rng() % 2 ? "zz" : "hexa4Q";
                   s.cells = static_cast<int>(rng() % 12) + 1;
                   s.pieceLength = static_cast<int>(rng() % 6) + 1;
                   return s;
               },
               2, 10, 3}),
    [](const ::testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarno

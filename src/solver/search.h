// SPDX-License-Identifier: GPL-3.0-or-later
// The solver's entry: a depth-first search over the free cells, stoppable between steps.
#pragma once

#include "solver/eventpump.h"
#include "solver/request.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarno {

enum class SolveOutcome { Solved, NoSolution, Stopped, Malformed };

const char* outcomeName(SolveOutcome outcome);

// Time as the solver sees it, in nanoseconds from any fixed origin; tests give a fake.
class SolveClock {
public:
    virtual ~SolveClock() = default;
    virtual std::int64_t nowNs() = 0;
};

// The cuts the search makes beyond checking the empty neighbours of each laid piece. Each
// removes only subtrees without a complete filling, so the answer is the same with any of
// them; the benchmark switches them off to measure what each one buys.
enum Pruning : unsigned {
    kPruneEdgeCounts = 1u << 0,    // the unused pieces' codes must cover what is still asked
    kPruneFailedStates = 1u << 1,  // a remembered exhausted subtree is not searched again
    kPruneEqualPieces = 1u << 2,   // a copy of a piece that just failed at a level is not tried
    kPruneTurnedCorners = 1u << 3, // square boards: what failed in the first cell, no corner gets
    kPruneCompletion = 1u << 4,    // a long subtree whose laid pieces cannot be completed
    kPruneAll = kPruneEdgeCounts | kPruneFailedStates | kPruneEqualPieces | kPruneTurnedCorners |
                kPruneCompletion,
};

struct SolveOptions {
    SolveClock* clock = nullptr;             // null: the steady clock
    std::int64_t pumpIntervalNs = 4'000'000; // events get through at least this often
    std::uint64_t nodeLimit = 0;             // 0: none; reaching it ends as Stopped
    unsigned prunings = kPruneAll;           // a set of Pruning bits the search may use
    // The search uses edge counts and failed states only on sum-matching boards, where they
    // pay, and failed states only once a solve runs long. Tests set this to use every
    // allowed pruning on every board from the first node, which must not change answers.
    bool pruneEagerly = false;
};

struct SolveStats {
    std::uint64_t nodes = 0;            // pieces laid by the search, each rotation counted
    std::uint64_t pumps = 0;            // calls of processPendingEvents
    std::uint64_t failedStateBytes = 0; // memory of the failed-state table, 0 if never made
    std::uint64_t completionQuestions = 0; // asked of the completion check
    bool nodeLimitReached = false;
};

// Where each cell's piece lies when the search succeeds; cell c at position c-1.
struct Filling {
    std::vector<const std::string*> piece;
    std::vector<int> rotation;
};

struct SolveResult {
    SolveOutcome outcome = SolveOutcome::Malformed;
    std::string answer;  // empty unless Solved
    std::string problem; // why a request was Malformed
    SolveStats stats;
};

// The pieces of cells 1..count, then their rotations, without separators.
std::string answerString(const Filling& filling);

// Searches one checked request. Every call builds its own search state, so a
// nested call from inside `pump` runs apart from the one it interrupts.
// `stopRequested` is read between steps; the caller sets it to abandon the search.
SolveOutcome solvePuzzle(const PuzzleRequest& request, EventPump& pump,
                         const std::atomic<bool>& stopRequested, const SolveOptions& options,
                         Filling& filling, SolveStats& stats);

// The command channel's entry for "solvepuzzle": clears `stopRequested`, reads the
// items, searches, and makes the answer text. A malformed request is not searched.
SolveResult SolveRequest(std::span<const std::string> items, EventPump& pump,
                         std::atomic<bool>& stopRequested, const SolveOptions& options = {});

} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// "Can this partial filling be completed at all?", answered in any cell order by a SAT
// solver, for the search to skip subtrees that hold no filling.
#pragma once

#include "solver/layouts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <vector>

namespace CaDiCaL {
class Solver;
}

namespace tarno {

// A board in the search's own numbering: levels 1..levels fill the free cells, pieces
// 0..levels-1 are the pieces to place. Cells beyond the request and links to them are
// left out; fixed cells only narrow what a level may take.
struct CompletionBoard {
    static constexpr int kNoCode = 10; // what no code fits
    int levels = 0;
    int length = 0; // edges per piece
    // Per level (from 0 for level 1) and piece: the rotations, as a bit set, that meet the
    // fixed neighbours and are worth trying.
    std::vector<std::array<unsigned, kMaxCells>> fits;
    // Per piece and rotation, the code shown on each cell edge.
    std::vector<std::array<std::array<std::uint8_t, 6>, 6>> shows;
    // Per code, the code a touching edge must show to fit it; kNoCode when none does.
    std::array<std::uint8_t, 11> need{};
    // Links between two free cells, each once: edge `edgeA` of level `a` meets edge
    // `edgeB` of level `b` (0-based edges).
    struct Link {
        int a, edgeA, b, edgeB;
    };
    std::vector<Link> links;
};

class CompletionOracle {
public:
    enum class Answer { Yes, No, Unknown };

    explicit CompletionOracle(const CompletionBoard& board);
    ~CompletionOracle();
    CompletionOracle(const CompletionOracle&) = delete;
    CompletionOracle& operator=(const CompletionOracle&) = delete;

    // With piece pieces[i] laid in rotations[i] at level i+1 for every i, can the other
    // levels still be filled? Gives up (Unknown) after `conflicts` conflicts, or as soon as
    // `interrupt`, asked every few microseconds, returns true. What one question learns
    // speeds up the next.
    Answer completable(std::span<const int> pieces, std::span<const int> rotations,
                       int conflicts, const std::function<bool()>& interrupt);

    int variables() const { return m_variables; }
    int clauses() const { return m_clauses; }

private:
    int newVariable() { return ++m_variables; }
    void addClause(std::initializer_list<int> literals);
    void addClause(const std::vector<int>& literals);
    void atMost(const std::vector<int>& literals, int k);
    // The variable that says level `level` (1-based) shows the pattern of piece p in
    // rotation r; 0 when that cannot be.
    int laidVariable(int level, int p, int r) const;

    std::unique_ptr<CaDiCaL::Solver> m_sat;
    int m_variables = 0;
    int m_clauses = 0;
    int m_length = 0;
    // Pieces that are the same piece turned share a kind; per piece its kind, and per
    // piece and rotation which of its kind's distinct patterns it shows.
    std::vector<int> m_kindOf;
    std::vector<std::array<int, 6>> m_patternOf;
    int m_patterns = 0; // distinct patterns of all kinds, numbered from 0
    // Per level (from 0) and pattern, the variable; 0 where the pattern cannot lie.
    std::vector<std::vector<int>> m_laid;
};

// Two checks on the pieces laid down to a level, made where the search has spent a budget
// of nodes below that level without leaving it; either may find that no filling lies
// below, and the subtree is cut. Both are exact, so the first filling is still the one
// the fixed order reaches.
// - Matching: every empty cell must get its own unused piece that fits the laid cells
//   around it in some rotation. Each cell having some piece is not enough: when k cells
//   can only take the same k - 1 pieces, no filling exists. A bipartite matching decides
//   it in microseconds, and it is the counting a SAT solver is slowest to see.
// - Completion: "can the laid pieces be completed at all?", asked of a SAT solver
//   (completion.h), which may fill the cells in any order. Asked after a larger budget,
//   and a question not settled within its conflict limit is asked again after twice the
//   nodes with twice the limit: the search and the solver take turns, so the worse of the
//   two costs a few times the better.
// Both start from the deepest level due: its check is the easiest, and a pass there passes
// every shallower level too (what lies below extends what lies above). A pass is believed
// until the search leaves that level's node.
class CompletionCheck {
public:
    // Nodes below a level before each check, and the conflicts a first question may take.
    // A matching costs a few hundred to a thousand nodes; a question's cost varies widely,
    // so it starts small and doubles (measured on the player-like sets of the benchmark).
    static constexpr std::uint64_t kMatchBudget = 4'096;
    static constexpr std::uint64_t kQuestionBudget = 1'200'000;
    static constexpr int kFirstConflicts = 10;

    using Interrupt = std::function<bool()>;

    // Eager: every check at every look, from the first (for tests). `fixedPieces`: whether
    // the board has any. `nodeCost`: how many of the cheapest nodes (those of boards of up
    // to 16 cells) a node of this board is worth; the question's budget is in those.
    CompletionCheck(std::function<CompletionBoard()> describe, bool eager, bool fixedPieces,
                    int nodeCost)
        : m_describe(std::move(describe)), m_matchBudget(matchBudget(eager, fixedPieces)),
          m_questionBudget(eager ? 0 : kQuestionBudget / static_cast<std::uint64_t>(nodeCost)) {
        m_matchAfter[0] = m_matchBudget;
        m_askAfter[0] = m_questionBudget;
        m_conflicts[0] = kFirstConflicts;
    }

    // How many nodes a solve lays before a look at it can be worth its bookkeeping. Without
    // fixed pieces every cell away from the laid ones takes any unused piece, so a matching
    // can only fail among the few cells beside them, where the search's own look-ahead
    // already checks each; in the benchmark's sets it never did. There the matching is
    // left out, and the looks start at half the question's budget.
    static std::uint64_t quietNodes(bool eager, bool fixedPieces, int nodeCost) {
        if (eager || fixedPieces)
            return 0;
        return kQuestionBudget / static_cast<std::uint64_t>(nodeCost) / 2;
    }

    // The deepest level checked (0: the empty board) below which no filling lies, or -1.
    // `piece` and `rotation` hold levels 1..depth; `nodes` counts all nodes so far.
    int deadLevel(const int* piece, const int* rotation, int depth, std::uint64_t nodes,
                  const Interrupt& interrupt);

    std::uint64_t questions() const { return m_questions; }
    std::uint64_t matchings() const { return m_matchings; }

private:
    static std::uint64_t matchBudget(bool eager, bool fixedPieces) {
        if (eager)
            return 0;
        return fixedPieces ? kMatchBudget : std::numeric_limits<std::uint64_t>::max();
    }

    // A link from a level's edge to another level's edge.
    struct Neighbour {
        std::uint8_t edge, level, levelEdge;
    };

    // The board, each level's links and each piece's codes by edge, made at the first check.
    void prepare();

    // Whether every empty cell below `depth` can get its own unused piece that fits.
    bool matchable(const int* piece, const int* rotation, int depth);

    // Finds cell `level` a piece, moving others along a path of pieces not yet seen.
    bool augment(int level, std::uint64_t& seen);

    std::function<CompletionBoard()> m_describe;
    std::uint64_t m_matchBudget;
    std::uint64_t m_questionBudget;
    CompletionBoard m_board;
    // Per level its links to other levels, the deeper ones last, and the pieces that fit
    // its fixed neighbours in some rotation.
    std::array<std::array<Neighbour, kMaxLinks>, kMaxCells + 1> m_linksOf;
    std::array<int, kMaxCells + 1> m_linkCount;
    std::array<std::uint64_t, kMaxCells + 1> m_fitsFixed;
    // Per piece, edge and code: the rotations that show the code there.
    std::array<std::array<std::array<std::uint8_t, 11>, 6>, kMaxCells> m_rotationsShowing;
    // The matching's work: per empty level its pieces, the levels that do not take every
    // unused piece, and per piece the level it got (0: none).
    std::array<std::uint64_t, kMaxCells + 1> m_fitting;
    std::array<int, kMaxCells> m_constrained;
    std::array<int, kMaxCells> m_owner;
    std::unique_ptr<CompletionOracle> m_oracle; // made at the first question
    std::uint64_t m_lastNodes = 0;
    std::uint64_t m_nextMatching = 0; // no matching before this many nodes
    std::uint64_t m_questions = 0;
    std::uint64_t m_matchings = 0;
    int m_depth = 0;
    std::array<int, kMaxCells + 1> m_piece{};
    std::array<int, kMaxCells + 1> m_rotation{};
    std::array<std::uint64_t, kMaxCells + 1> m_spent{};
    std::array<std::uint64_t, kMaxCells + 1> m_matchAfter{};
    std::array<std::uint64_t, kMaxCells + 1> m_askAfter{};
    std::array<int, kMaxCells + 1> m_conflicts{};
};

} // namespace tarno

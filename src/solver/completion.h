// SPDX-License-Identifier: GPL-3.0-or-later
// "Can this partial filling be completed at all?", answered in any cell order by a SAT
// solver, for the search to skip subtrees that hold no filling.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
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
    std::vector<std::array<unsigned, 40>> fits;
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

} // namespace tarno

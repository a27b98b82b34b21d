// SPDX-License-Identifier: GPL-3.0-or-later
// The completion question as a SAT formula. One variable per level and pattern (the codes
// a piece shows edge by edge in one rotation): each level shows some pattern, and two
// touching edges fit. Pieces that are the same piece turned are one kind with a count, so
// the solver never tries copies one after another; one variable per level and kind says
// the kind lies there, and each kind lies at most as often as the request holds it. With
// as many pieces as levels, that leaves one kind per level; two patterns of it that could
// both lie at a level show the same codes wherever it matters. Per level and linked edge, one variable per code says which code that
// edge shows; a link then asks one binary clause per code.
#include "solver/completion.h"

#include <algorithm>
#include <bit>
#include <cadical.hpp>
#include <map>

namespace tarno {

namespace {

class Interrupt final : public CaDiCaL::Terminator {
public:
    explicit Interrupt(const std::function<bool()>& ask) : m_ask(ask) {}
    bool terminate() override { return m_ask(); }

private:
    const std::function<bool()>& m_ask;
};

} // namespace

CompletionOracle::~CompletionOracle() = default;

void CompletionOracle::addClause(std::initializer_list<int> literals) {
    for (int l : literals)
        m_sat->add(l);
    m_sat->add(0);
    ++m_clauses;
}

void CompletionOracle::addClause(const std::vector<int>& literals) {
    for (int l : literals)
        m_sat->add(l);
    m_sat->add(0);
    ++m_clauses;
}

// At most k of the literals are true: a sequential counter, where s[i][j] says that at
// least j+1 of the first i+1 literals are true.
void CompletionOracle::atMost(const std::vector<int>& literals, int k) {
    const int n = static_cast<int>(literals.size());
    if (n <= k)
        return;
    if (k == 0) {
        for (int x : literals)
            addClause({-x});
        return;
    }
    std::vector<std::vector<int>> s(static_cast<size_t>(n - 1), std::vector<int>(static_cast<size_t>(k)));
    for (auto& row : s)
        for (int& v : row)
            v = newVariable();
    const auto at = [&s](int i, int j) { return s[static_cast<size_t>(i)][static_cast<size_t>(j)]; };
    const auto x = [&literals](int i) { return literals[static_cast<size_t>(i)]; };
    addClause({-x(0), at(0, 0)});
    for (int j = 1; j < k; ++j)
        addClause({-at(0, j)});
    for (int i = 1; i < n - 1; ++i) {
        addClause({-x(i), at(i, 0)});
        addClause({-at(i - 1, 0), at(i, 0)});
        for (int j = 1; j < k; ++j) {
            addClause({-x(i), -at(i - 1, j - 1), at(i, j)});
            addClause({-at(i - 1, j), at(i, j)});
        }
        addClause({-x(i), -at(i - 1, k - 1)});
    }
    addClause({-x(n - 1), -at(n - 2, k - 1)});
}

CompletionOracle::CompletionOracle(const CompletionBoard& board)
    : m_sat(std::make_unique<CaDiCaL::Solver>()), m_length(board.length) {
    m_sat->set("quiet", 1);
    const int n = board.levels;
    const int length = board.length;
    using Pattern = std::array<std::uint8_t, 6>;
    // Patterns and kinds: a piece's kind is its first pattern in the order of the map.
    std::map<Pattern, int> patternIds;
    std::vector<Pattern> patterns;
    std::vector<int> kindOfPattern;
    std::map<Pattern, int> kindIds;
    std::vector<int> kindCount;
    m_kindOf.resize(static_cast<size_t>(n));
    m_patternOf.resize(static_cast<size_t>(n));
    for (int p = 0; p < n; ++p) {
        const auto& rows = board.shows[static_cast<size_t>(p)];
        Pattern least = rows[0];
        for (int r = 1; r < length; ++r)
            least = std::min(least, rows[static_cast<size_t>(r)]);
        const auto [kind, newKind] = kindIds.try_emplace(least, static_cast<int>(kindIds.size()));
        if (newKind)
            kindCount.push_back(0);
        ++kindCount[static_cast<size_t>(kind->second)];
        m_kindOf[static_cast<size_t>(p)] = kind->second;
        for (int r = 0; r < length; ++r) {
            const Pattern& shown = rows[static_cast<size_t>(r)];
            const auto [id, isNew] =
                patternIds.try_emplace(shown, static_cast<int>(patternIds.size()));
            if (isNew) {
                patterns.push_back(shown);
                kindOfPattern.push_back(kind->second);
            }
            m_patternOf[static_cast<size_t>(p)][static_cast<size_t>(r)] = id->second;
        }
    }
    m_patterns = static_cast<int>(patterns.size());

    // Which edges of a level meet another level: only those need code variables.
    std::vector<std::array<std::array<int, 10>, 6>> codeVar(static_cast<size_t>(n));
    for (auto& edges : codeVar)
        for (auto& codes : edges)
            codes.fill(0);
    std::vector<unsigned> linkedEdges(static_cast<size_t>(n), 0);
    for (const CompletionBoard::Link& k : board.links) {
        linkedEdges[static_cast<size_t>(k.a - 1)] |= 1u << k.edgeA;
        linkedEdges[static_cast<size_t>(k.b - 1)] |= 1u << k.edgeB;
    }

    // The level variables: a level may show a pattern when a piece of its kind fits there.
    m_laid.assign(static_cast<size_t>(n), std::vector<int>(static_cast<size_t>(m_patterns), 0));
    std::vector<std::vector<int>> ofKind(kindCount.size());
    for (int l = 0; l < n; ++l) {
        std::vector<int>& row = m_laid[static_cast<size_t>(l)];
        std::vector<int> kindHere(kindCount.size(), 0);
        // Per linked edge and code, the patterns that show it there.
        std::array<std::array<std::vector<int>, 10>, 6> support;
        for (int p = 0; p < n; ++p)
            for (unsigned m = board.fits[static_cast<size_t>(l)][static_cast<size_t>(p)]; m != 0;
                 m &= m - 1) {
                const int r = __builtin_ctz(m);
                int& v = row[static_cast<size_t>(
                    m_patternOf[static_cast<size_t>(p)][static_cast<size_t>(r)])];
                if (v != 0)
                    continue;
                v = newVariable();
                // The kind lies at this level: counted once however many of its patterns
                // could lie here.
                const int kind = m_kindOf[static_cast<size_t>(p)];
                int& here = kindHere[static_cast<size_t>(kind)];
                if (here == 0) {
                    here = newVariable();
                    ofKind[static_cast<size_t>(kind)].push_back(here);
                }
                addClause({-v, here});
                // The codes this pattern puts on the level's linked edges.
                const auto& shown = board.shows[static_cast<size_t>(p)][static_cast<size_t>(r)];
                for (unsigned e = linkedEdges[static_cast<size_t>(l)]; e != 0; e &= e - 1) {
                    const int edge = __builtin_ctz(e);
                    const std::uint8_t code = shown[static_cast<size_t>(edge)];
                    int& c = codeVar[static_cast<size_t>(l)][static_cast<size_t>(edge)][code];
                    if (c == 0)
                        c = newVariable();
                    addClause({-v, c});
                    support[static_cast<size_t>(edge)][code].push_back(v);
                }
            }
        // An edge shows a code only if a pattern laid there does: with this, a code no
        // pattern of a cell can show any more is ruled out across the link at once.
        for (unsigned e = linkedEdges[static_cast<size_t>(l)]; e != 0; e &= e - 1) {
            const int edge = __builtin_ctz(e);
            for (int code = 0; code < 10; ++code) {
                const int c = codeVar[static_cast<size_t>(l)][static_cast<size_t>(edge)]
                                     [static_cast<size_t>(code)];
                if (c == 0)
                    continue;
                std::vector<int> clause{-c};
                const auto& by = support[static_cast<size_t>(edge)][static_cast<size_t>(code)];
                clause.insert(clause.end(), by.begin(), by.end());
                addClause(clause);
            }
        }
        std::vector<int> some;
        for (int v : row)
            if (v != 0)
                some.push_back(v);
        addClause(some); // empty when nothing fits: then nothing can be completed
    }
    // An edge shows one code.
    for (const auto& edges : codeVar)
        for (const auto& codes : edges)
            for (size_t a = 0; a < codes.size(); ++a)
                for (size_t b = a + 1; b < codes.size(); ++b)
                    if (codes[a] != 0 && codes[b] != 0)
                        addClause({-codes[a], -codes[b]});
    // Touching edges fit, seen from both ends.
    for (const CompletionBoard::Link& k : board.links) {
        const auto meet = [&](int level, int edge, int other, int otherEdge) {
            const auto& mine = codeVar[static_cast<size_t>(level - 1)][static_cast<size_t>(edge)];
            const auto& theirs =
                codeVar[static_cast<size_t>(other - 1)][static_cast<size_t>(otherEdge)];
            for (int c = 0; c < 10; ++c) {
                const int v = mine[static_cast<size_t>(c)];
                if (v == 0)
                    continue;
                const int need = board.need[static_cast<size_t>(c)];
                const int w = need < 10 ? theirs[static_cast<size_t>(need)] : 0;
                if (w == 0)
                    addClause({-v});
                else
                    addClause({-v, w});
            }
        };
        meet(k.a, k.edgeA, k.b, k.edgeB);
        meet(k.b, k.edgeB, k.a, k.edgeA);
    }
    // Each kind lies at most as often as the request holds it, and somewhere: the counts
    // imply that, but the solver sees it sooner.
    for (size_t t = 0; t < ofKind.size(); ++t) {
        atMost(ofKind[t], kindCount[t]);
        addClause(ofKind[t]);
    }
}

int CompletionOracle::laidVariable(int level, int p, int r) const {
    const int pattern = m_patternOf[static_cast<size_t>(p)][static_cast<size_t>(r)];
    return m_laid[static_cast<size_t>(level - 1)][static_cast<size_t>(pattern)];
}

CompletionOracle::Answer CompletionOracle::completable(std::span<const int> pieces,
                                                       std::span<const int> rotations,
                                                       int conflicts,
                                                       const std::function<bool()>& interrupt) {
    // The search lays only what fits its fixed neighbours, so every variable exists; were
    // one missing, the prefix could not be part of any filling.
    for (size_t i = 0; i < pieces.size(); ++i)
        if (laidVariable(static_cast<int>(i) + 1, pieces[i], rotations[i]) == 0)
            return Answer::No;
    for (size_t i = 0; i < pieces.size(); ++i)
        m_sat->assume(laidVariable(static_cast<int>(i) + 1, pieces[i], rotations[i]));
    Interrupt stop(interrupt);
    m_sat->connect_terminator(&stop);
    m_sat->limit("conflicts", conflicts);
    const int result = m_sat->solve();
    m_sat->disconnect_terminator();
    if (result == 10)
        return Answer::Yes;
    if (result == 20)
        return Answer::No;
    return Answer::Unknown;
}


int CompletionCheck::deadLevel(const int* piece, const int* rotation, int depth,
                               std::uint64_t nodes, const Interrupt& interrupt) {
    const std::uint64_t spent = nodes - m_lastNodes;
    m_lastNodes = nodes;
    // The search never comes back to a node it has left, so a level whose laid pieces
    // are as at the last look is still in the same subtree.
    int same = 1;
    while (same <= depth && same <= m_depth && piece[same] == m_piece[same] &&
           rotation[same] == m_rotation[same])
        ++same;
    for (int l = 0; l < same; ++l)
        m_spent[static_cast<size_t>(l)] += spent;
    for (int l = same; l <= depth; ++l) {
        const size_t i = static_cast<size_t>(l);
        m_piece[i] = piece[l];
        m_rotation[i] = rotation[l];
        m_spent[i] = 0;
        m_matchAfter[i] = m_matchBudget;
        m_askAfter[i] = m_questionBudget;
        m_conflicts[i] = kFirstConflicts;
    }
    m_depth = depth;
    constexpr std::uint64_t kPassed = std::numeric_limits<std::uint64_t>::max();
    // At most one matching per budget of nodes, whichever level asks for it.
    for (int l = depth; l >= 0 && nodes >= m_nextMatching; --l) {
        if (m_spent[static_cast<size_t>(l)] < m_matchAfter[static_cast<size_t>(l)])
            continue;
        prepare();
        ++m_matchings;
        m_nextMatching = nodes + m_matchBudget;
        if (!matchable(piece, rotation, l))
            return l;
        for (int k = 0; k <= l; ++k)
            m_matchAfter[static_cast<size_t>(k)] = kPassed;
        break;
    }
    for (int l = depth; l >= 0; --l) {
        const size_t i = static_cast<size_t>(l);
        if (m_spent[i] < m_askAfter[i])
            continue;
        if (!m_oracle) {
            prepare();
            m_oracle = std::make_unique<CompletionOracle>(m_board);
        }
        ++m_questions;
        const auto answer = m_oracle->completable(std::span(piece + 1, i),
                                                  std::span(rotation + 1, i), m_conflicts[i],
                                                  interrupt);
        switch (answer) {
        case CompletionOracle::Answer::No:
            return l;
        case CompletionOracle::Answer::Yes:
            for (int k = 0; k <= l; ++k)
                m_askAfter[static_cast<size_t>(k)] = kPassed;
            break;
        case CompletionOracle::Answer::Unknown:
            m_askAfter[i] = std::max<std::uint64_t>(m_spent[i] * 2, 1);
            m_conflicts[i] *= 2;
            break;
        }
        break; // one question per look
    }
    return -1;
}

void CompletionCheck::prepare() {
    if (m_board.levels != 0)
        return;
    m_board = m_describe();
    const int n = m_board.levels;
    std::fill_n(m_linkCount.begin(), n + 1, 0);
    const auto link = [this](int level, int edge, int other, int otherEdge) {
        m_linksOf[static_cast<size_t>(level)][static_cast<size_t>(
            m_linkCount[static_cast<size_t>(level)]++)] = {static_cast<std::uint8_t>(edge),
                                                           static_cast<std::uint8_t>(other),
                                                           static_cast<std::uint8_t>(otherEdge)};
    };
    for (const CompletionBoard::Link& k : m_board.links) {
        link(k.a, k.edgeA, k.b, k.edgeB);
        link(k.b, k.edgeB, k.a, k.edgeA);
    }
    for (int l = 1; l <= n; ++l) {
        auto& links = m_linksOf[static_cast<size_t>(l)];
        std::sort(links.begin(), links.begin() + m_linkCount[static_cast<size_t>(l)],
                  [](const Neighbour& x, const Neighbour& y) { return x.level < y.level; });
        std::uint64_t fitting = 0;
        for (int p = 0; p < n; ++p)
            if (m_board.fits[static_cast<size_t>(l - 1)][static_cast<size_t>(p)] != 0)
                fitting |= 1ULL << p;
        m_fitsFixed[static_cast<size_t>(l)] = fitting;
    }
    const int length = m_board.length; // in a local: the byte stores would reread it
    for (int p = 0; p < n; ++p) {
        auto& byEdge = m_rotationsShowing[static_cast<size_t>(p)];
        for (auto& byCode : byEdge)
            byCode.fill(0);
        const auto& shows = m_board.shows[static_cast<size_t>(p)];
        for (int r = 0; r < length; ++r)
            for (int e = 0; e < length; ++e)
                byEdge[static_cast<size_t>(e)][shows[static_cast<size_t>(r)][static_cast<size_t>(e)]] |=
                    static_cast<std::uint8_t>(1u << r);
    }
}

// Only the cells next to laid ones are looked at piece by piece; the others take what fits
// their fixed neighbours. Cells that take every unused piece are left out of the matching:
// there are as many unused pieces as empty cells, so once the other cells have their own,
// what is left fills them.
bool CompletionCheck::matchable(const int* piece, const int* rotation, int depth) {
    const int n = m_board.levels;
    std::uint64_t unused = n == 64 ? ~0ULL : (1ULL << n) - 1;
    for (int l = 1; l <= depth; ++l)
        unused &= ~(1ULL << piece[l]);
    int constrained = 0;
    for (int l = depth + 1; l <= n; ++l) {
        const size_t level = static_cast<size_t>(l);
        std::uint64_t fitting = m_fitsFixed[level] & unused;
        // What the laid neighbours ask, edge by edge.
        std::array<std::array<std::uint8_t, 2>, kMaxLinks> asked;
        int askedCount = 0;
        const auto& links = m_linksOf[level];
        for (int i = 0; i < m_linkCount[level] && links[static_cast<size_t>(i)].level <= depth;
             ++i) {
            const Neighbour& k = links[static_cast<size_t>(i)];
            const int shown = m_board.shows[static_cast<size_t>(piece[k.level])]
                                           [static_cast<size_t>(rotation[k.level])][k.levelEdge];
            const std::uint8_t need = m_board.need[static_cast<size_t>(shown)];
            if (need == CompletionBoard::kNoCode)
                return false;
            asked[static_cast<size_t>(askedCount++)] = {k.edge, need};
        }
        if (askedCount != 0) {
            const auto& fits = m_board.fits[level - 1];
            for (std::uint64_t u = fitting; u != 0; u &= u - 1) {
                const int p = std::countr_zero(u);
                const auto& showing = m_rotationsShowing[static_cast<size_t>(p)];
                unsigned rotations = fits[static_cast<size_t>(p)];
                for (int i = 0; i < askedCount; ++i)
                    rotations &= showing[asked[static_cast<size_t>(i)][0]]
                                        [asked[static_cast<size_t>(i)][1]];
                if (rotations == 0)
                    fitting &= ~(1ULL << p);
            }
        }
        if (fitting == 0)
            return false;
        if (fitting != unused) {
            m_fitting[level] = fitting;
            m_constrained[static_cast<size_t>(constrained++)] = l;
        }
    }
    std::fill_n(m_owner.begin(), n, 0);
    for (int i = 0; i < constrained; ++i) {
        std::uint64_t seen = 0;
        if (!augment(m_constrained[static_cast<size_t>(i)], seen))
            return false;
    }
    return true;
}

bool CompletionCheck::augment(int level, std::uint64_t& seen) {
    for (std::uint64_t m = m_fitting[static_cast<size_t>(level)] & ~seen; m != 0;
         m &= m - 1) {
        const int p = std::countr_zero(m);
        seen |= 1ULL << p;
        const int owner = m_owner[static_cast<size_t>(p)];
        if (owner == 0 || augment(owner, seen)) {
            m_owner[static_cast<size_t>(p)] = level;
            return true;
        }
    }
    return false;
}

} // namespace tarno

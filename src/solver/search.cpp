// The fast search: bitsets of candidate pieces in request order, fitting rotations
// from per-edge code tables, and look-ahead that backs out of subtrees with no solution.
#include "solver/search.h"

#include <array>
#include <bit>
#include <chrono>
#include <cstring>
#include <memory>

namespace tarno {

namespace {

constexpr int kNoCode = 10;                // a code no digit meets: its piece sets are empty
constexpr std::uint64_t kCheckEvery = 256; // nodes between looks at the stop flag and clock
constexpr int kNoPiece = -1;
// Not a char type: stores through it must not make the compiler reload every member.
using Code = std::uint16_t;

class SteadyClock final : public SolveClock {
public:
    std::int64_t nowNs() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

// A constraint from a laid free cell: its code on `neighbourEdge` must meet our `edge`.
struct DynamicLink {
    std::uint8_t edge;
    std::uint8_t level;
    std::uint8_t neighbourEdge;
};

// One edge's need: a constant code when `level` is 0 (a fixed neighbour), otherwise
// whatever meets the code on edge `from` of the piece laid at `level`.
struct Term {
    std::uint8_t edge;
    std::uint8_t level;
    std::uint8_t from;
};

// What a cell asks of a piece given the cells laid at some moment.
// Left uninitialised until filled: a solve of a small board should not pay for
// clearing tables sized for the largest one.
struct Demand {
    std::array<std::uint64_t, 6> staticFit; // per rotation: pieces that meet the fixed cells
    int dynamicCount;
    std::array<DynamicLink, kMaxLinks> dynamic;
    int termCount;
    std::array<Term, kMaxLinks> terms; // every constrained edge; a pair ascends by edge
    int pairTable;                     // when two edges are constrained, else -1
};

struct Lookahead {
    int count;
    std::array<Demand, kMaxLinks> cells;
};

// Symmetric pieces lay the same codes in several rotations; only the first is tried.
unsigned rotationsWorthTrying(const std::string& piece) {
    if (piece == "0000" || piece == "1111" || piece == "2222" || piece == "3333")
        return 0x1;
    if (piece == "1010" || piece == "2020" || piece == "3030" || piece == "2121" ||
        piece == "3131" || piece == "3232")
        return 0x3;
    return 0x3F;
}

class Search {
public:
    Search(const PuzzleRequest& req, EventPump& pump, const std::atomic<bool>& stop,
           const SolveOptions& options, SolveStats& stats)
        : m_req(req), m_pump(pump), m_stop(stop), m_options(options), m_stats(stats) {}

    SolveOutcome run(Filling& filling);

private:
    void buildTables();
    Demand demandOf(int cell, int laidUpTo);
    std::uint64_t fitsOf(const Demand& d, int rotation, const Code* need) const {
        std::uint64_t m = d.staticFit[static_cast<size_t>(rotation)];
        for (int j = 0; j < d.dynamicCount; ++j)
            m &= m_byCode[d.dynamic[static_cast<size_t>(j)].edge][rotation][need[j]];
        return m;
    }
    void needsOf(const Demand& d, Code* need) const {
        for (int j = 0; j < d.dynamicCount; ++j) {
            const DynamicLink& k = d.dynamic[static_cast<size_t>(j)];
            need[j] = m_needOf[m_shown[k.level][k.neighbourEdge]];
        }
    }
    // kL is the piece length when known at compile time (4, 6), else 0.
    template <int kL> int length() const { return kL != 0 ? kL : m_length; }
    int termNeed(const Term& t) const {
        return t.level == 0 ? t.from : m_needOf[m_shown[t.level][t.from]];
    }
    // Whether some free piece fits in some rotation: one table look-up for cells
    // with up to two constrained edges, the rotation loop beyond that.
    template <int kL> bool anyFit(const Demand& d, std::uint64_t avail) const {
        switch (d.termCount) {
        case 0:
            return avail != 0;
        case 1:
            return (m_single[d.terms[0].edge][termNeed(d.terms[0])] & avail) != 0;
        case 2:
            if (d.pairTable >= 0)
                return (m_pairs[d.pairTable][termNeed(d.terms[0])][termNeed(d.terms[1])] & avail) !=
                       0;
            break;
        default:
            break;
        }
        Code need[kMaxLinks];
        needsOf(d, need);
        for (int r = 0; r < length<kL>(); ++r)
            if (fitsOf(d, r, need) & avail)
                return true;
        return false;
    }
    int pairTableFor(int e1, int e2);
    template <int kL> void enterLevel(int level);
    template <int kL> unsigned rotationsOf(int level, int p) const;
    template <int kL> bool search();
    bool fixedCellsFit() const;
    bool poll();
    void fill(Filling& filling) const;

    const PuzzleRequest& m_req;
    EventPump& m_pump;
    const std::atomic<bool>& m_stop;
    const SolveOptions& m_options;
    SolveStats& m_stats;
    SteadyClock m_steady;
    SolveClock* m_clock = nullptr;
    std::int64_t m_lastPump = 0;

    int m_n = 0;
    int m_length = 0;
    std::uint64_t m_all = 0;
    std::array<int, kMaxCells + 1> m_levelOf{};  // 0 for fixed cells and cells beyond count
    std::array<int, kMaxCells + 1> m_fixedAt{};  // 1-based index into fixed, 0 if none
    Code m_codes[kMaxCells][6][6];               // piece to place, rotation, cell edge
    std::uint64_t m_byCode[6][6][kNoCode + 1]{}; // cell edge, rotation, code -> pieces
    Code m_needOf[kNoCode + 1]{};
    std::array<unsigned, kMaxCells> m_worthTrying;
    std::uint64_t m_single[6][kNoCode + 1]{}; // edge, code -> pieces showing it in some rotation
    int m_pairSlot[6][6];
    int m_pairCount = 0;
    std::uint64_t m_pairs[15][kNoCode + 1][kNoCode + 1]; // filled as needed, see pairTableFor
    std::array<Demand, kMaxCells + 1> m_entry;
    std::array<Lookahead, kMaxCells + 1> m_ahead;

    // Per level: fitting pieces per rotation, candidates left, rotations left, what lies.
    std::uint64_t m_fit[kMaxCells + 1][6];
    Code m_need[kMaxCells + 1][2];
    std::array<bool, kMaxCells + 1>
        m_byLookup{}; // levels whose cell has at most two constrained edges
    std::array<std::uint64_t, kMaxCells + 1> m_candidates;
    std::array<unsigned, kMaxCells + 1> m_rotationsLeft;
    std::array<int, kMaxCells + 1> m_piece;
    std::array<int, kMaxCells + 1> m_rotation;
    Code m_shown[kMaxCells + 1][8];
    std::uint64_t m_used = 0;
    bool m_stopped = false;
};

Demand Search::demandOf(int cell, int laidUpTo) {
    Demand d;
    d.dynamicCount = 0;
    d.termCount = 0;
    d.pairTable = -1;
    for (int r = 0; r < 6; ++r)
        d.staticFit[static_cast<size_t>(r)] = m_all;
    const CellLinks& links = m_req.links[static_cast<size_t>(cell)];
    for (int i = 0; i < links.count; ++i) {
        const CellLink& link = links.links[static_cast<size_t>(i)];
        const int edge = link.cellEdge - 1;
        const int neighbourEdge = link.neighbourEdge - 1;
        if (const int f = m_fixedAt[static_cast<size_t>(link.neighbour)]; f != 0) {
            const FixedPiece& fp = m_req.fixed[static_cast<size_t>(f - 1)];
            const int j = neighbourEdge - fp.rotation;
            const int code = fp.piece[static_cast<size_t>(j < 0 ? j + m_length : j)] - '0';
            for (int r = 0; r < m_length; ++r)
                d.staticFit[static_cast<size_t>(r)] &= m_byCode[edge][r][m_needOf[code]];
            d.terms[static_cast<size_t>(d.termCount++)] = {
                static_cast<std::uint8_t>(edge), 0, static_cast<std::uint8_t>(m_needOf[code])};
        } else if (const int level = m_levelOf[static_cast<size_t>(link.neighbour)];
                   level >= 1 && level <= laidUpTo) {
            d.dynamic[static_cast<size_t>(d.dynamicCount++)] = {
                static_cast<std::uint8_t>(edge), static_cast<std::uint8_t>(level),
                static_cast<std::uint8_t>(neighbourEdge)};
            d.terms[static_cast<size_t>(d.termCount++)] = {
                static_cast<std::uint8_t>(edge), static_cast<std::uint8_t>(level),
                static_cast<std::uint8_t>(neighbourEdge)};
        }
    }
    if (d.termCount == 2) {
        if (d.terms[0].edge > d.terms[1].edge)
            std::swap(d.terms[0], d.terms[1]);
        if (d.terms[0].edge != d.terms[1].edge)
            d.pairTable = pairTableFor(d.terms[0].edge, d.terms[1].edge);
    }
    return d;
}

// Pieces with some rotation showing code a on edge e1 and code b on edge e2; built
// only for the edge pairs the board asks about.
int Search::pairTableFor(int e1, int e2) {
    int& slot = m_pairSlot[e1][e2];
    if (slot >= 0)
        return slot;
    slot = m_pairCount++;
    auto& table = m_pairs[slot];
    std::memset(table, 0, sizeof table);
    for (int p = 0; p < m_n; ++p)
        for (int r = 0; r < m_length; ++r)
            table[m_codes[p][r][e1]][m_codes[p][r][e2]] |= 1ULL << p;
    return slot;
}

void Search::buildTables() {
    m_n = static_cast<int>(m_req.toPlace.size());
    m_length = m_req.pieceLength;
    m_all = m_n == 64 ? ~0ULL : (1ULL << m_n) - 1;
    for (size_t i = 0; i < m_req.fixed.size(); ++i)
        m_fixedAt[static_cast<size_t>(m_req.fixed[i].cell)] = static_cast<int>(i) + 1;
    for (int l = 1; l <= m_n; ++l)
        m_levelOf[static_cast<size_t>(m_req.freeCells[static_cast<size_t>(l - 1)])] = l;
    const int sum = m_req.header.matchSum;
    for (int v = 0; v <= 9; ++v)
        m_needOf[v] = sum == 0
                          ? static_cast<Code>(v)
                          : static_cast<Code>(sum - v >= 0 && sum - v <= 9 ? sum - v : kNoCode);
    m_needOf[kNoCode] = kNoCode;
    for (int p = 0; p < m_n; ++p) {
        const std::string& s =
            m_req.pieces[static_cast<size_t>(m_req.toPlace[static_cast<size_t>(p)])];
        m_worthTrying[static_cast<size_t>(p)] = rotationsWorthTrying(s);
        for (int r = 0; r < m_length; ++r) {
            for (int k = m_length; k < 6; ++k)
                m_codes[p][r][k] = 0;
            for (int k = 0; k < m_length; ++k) {
                const int j = k - r;
                const int code = s[static_cast<size_t>(j < 0 ? j + m_length : j)] - '0';
                m_codes[p][r][k] = static_cast<Code>(code);
                m_byCode[k][r][code] |= 1ULL << p;
            }
        }
    }
    for (int e = 0; e < m_length; ++e)
        for (int r = 0; r < m_length; ++r)
            for (int v = 0; v <= kNoCode; ++v)
                m_single[e][v] |= m_byCode[e][r][v];
    for (auto& row : m_pairSlot)
        for (int& slot : row)
            slot = -1;
    for (int l = 1; l <= m_n; ++l) {
        const int cell = m_req.freeCells[static_cast<size_t>(l - 1)];
        const Demand& entry = m_entry[static_cast<size_t>(l)] = demandOf(cell, l - 1);
        m_byLookup[static_cast<size_t>(l)] =
            entry.termCount < 2 || (entry.termCount == 2 && entry.pairTable >= 0);
        Lookahead& ahead = m_ahead[static_cast<size_t>(l)];
        ahead.count = 0;
        const CellLinks& links = m_req.links[static_cast<size_t>(cell)];
        std::uint64_t seen = 0;
        for (int i = 0; i < links.count; ++i) {
            const int g = links.links[static_cast<size_t>(i)].neighbour;
            if (m_levelOf[static_cast<size_t>(g)] > l && !(seen >> g & 1)) {
                seen |= 1ULL << g;
                ahead.cells[static_cast<size_t>(ahead.count++)] = demandOf(g, l);
            }
        }
    }
}

template <int kL> void Search::enterLevel(int level) {
    const Demand& d = m_entry[static_cast<size_t>(level)];
    m_rotationsLeft[static_cast<size_t>(level)] = 0;
    m_piece[static_cast<size_t>(level)] = kNoPiece;
    if (m_byLookup[static_cast<size_t>(level)]) {
        // Candidates from one look-up; each one's rotations are read off its codes when chosen.
        const std::uint64_t avail = m_all & ~m_used;
        Code* need = m_need[level];
        switch (d.termCount) {
        case 0:
            m_candidates[static_cast<size_t>(level)] = avail;
            return;
        case 1:
            need[0] = static_cast<Code>(termNeed(d.terms[0]));
            m_candidates[static_cast<size_t>(level)] = m_single[d.terms[0].edge][need[0]] & avail;
            return;
        default:
            need[0] = static_cast<Code>(termNeed(d.terms[0]));
            need[1] = static_cast<Code>(termNeed(d.terms[1]));
            m_candidates[static_cast<size_t>(level)] =
                m_pairs[d.pairTable][need[0]][need[1]] & avail;
            return;
        }
    }
    Code need[kMaxLinks];
    needsOf(d, need);
    const std::uint64_t avail = m_all & ~m_used;
    std::uint64_t any = 0;
    for (int r = 0; r < length<kL>(); ++r) {
        const std::uint64_t f = fitsOf(d, r, need) & avail;
        m_fit[level][r] = f;
        any |= f;
    }
    m_candidates[static_cast<size_t>(level)] = any;
}

template <int kL> unsigned Search::rotationsOf(int level, int p) const {
    unsigned rotations = 0;
    const size_t l = static_cast<size_t>(level);
    if (!m_byLookup[l]) {
        for (int r = 0; r < length<kL>(); ++r)
            rotations |= static_cast<unsigned>((m_fit[l][r] >> p) & 1) << r;
        return rotations;
    }
    const Demand& d = m_entry[l];
    const Code* need = m_need[l];
    switch (d.termCount) {
    case 0:
        return (1u << length<kL>()) - 1;
    case 1: {
        const int e = d.terms[0].edge;
        for (int r = 0; r < length<kL>(); ++r)
            rotations |= static_cast<unsigned>(m_codes[p][r][e] == need[0]) << r;
        return rotations;
    }
    default: {
        const int e1 = d.terms[0].edge;
        const int e2 = d.terms[1].edge;
        for (int r = 0; r < length<kL>(); ++r)
            rotations |=
                static_cast<unsigned>(m_codes[p][r][e1] == need[0] && m_codes[p][r][e2] == need[1])
                << r;
        return rotations;
    }
    }
}

bool Search::fixedCellsFit() const {
    const int sum = m_req.header.matchSum;
    for (const FixedPiece& f : m_req.fixed) {
        const CellLinks& links = m_req.links[static_cast<size_t>(f.cell)];
        for (int i = 0; i < links.count; ++i) {
            const CellLink& link = links.links[static_cast<size_t>(i)];
            const int g = m_fixedAt[static_cast<size_t>(link.neighbour)];
            if (g == 0)
                continue;
            const FixedPiece& h = m_req.fixed[static_cast<size_t>(g - 1)];
            const auto codeAt = [this](const FixedPiece& p, int edge) {
                const int j = edge - 1 - p.rotation;
                return p.piece[static_cast<size_t>(j < 0 ? j + m_length : j)] - '0';
            };
            const int x = codeAt(f, link.cellEdge);
            const int y = codeAt(h, link.neighbourEdge);
            if (sum != 0 ? x + y != sum : x != y)
                return false;
        }
    }
    return true;
}

// True when the search must end: a stop, or the node limit.
bool Search::poll() {
    if (m_stop.load(std::memory_order_relaxed))
        return true;
    if (m_options.nodeLimit != 0 && m_stats.nodes >= m_options.nodeLimit) {
        m_stats.nodeLimitReached = true;
        return true;
    }
    const std::int64_t now = m_clock->nowNs();
    if (now - m_lastPump >= m_options.pumpIntervalNs) {
        m_lastPump = now;
        ++m_stats.pumps;
        m_pump.processPendingEvents();
        return m_stop.load(std::memory_order_relaxed);
    }
    return false;
}

void Search::fill(Filling& filling) const {
    const size_t count = static_cast<size_t>(m_req.header.count);
    filling.piece.assign(count, nullptr);
    filling.rotation.assign(count, 0);
    for (const FixedPiece& f : m_req.fixed) {
        filling.piece[static_cast<size_t>(f.cell - 1)] = &f.piece;
        filling.rotation[static_cast<size_t>(f.cell - 1)] = f.rotation;
    }
    for (int l = 1; l <= m_n; ++l) {
        const size_t cell = static_cast<size_t>(m_req.freeCells[static_cast<size_t>(l - 1)] - 1);
        const int p = m_req.toPlace[m_piece[static_cast<size_t>(l)]];
        filling.piece[cell] = &m_req.pieces[static_cast<size_t>(p)];
        filling.rotation[cell] = m_rotation[static_cast<size_t>(l)];
    }
}

template <int kL> bool Search::search() {
    // Kept in a local so the hot loop need not store through the caller's stats.
    std::uint64_t nodes = 0;
    int level = 1;
    enterLevel<kL>(1);
    for (;;) {
        const size_t l = static_cast<size_t>(level);
        if (m_rotationsLeft[l] == 0) {
            if (m_piece[l] != kNoPiece)
                m_used &= ~(1ULL << m_piece[l]);
            if (m_candidates[l] == 0) {
                m_piece[l] = kNoPiece;
                if (level == 1) {
                    m_stats.nodes = nodes;
                    return false;
                }
                --level;
                continue;
            }
            const int p = std::countr_zero(m_candidates[l]);
            m_candidates[l] &= m_candidates[l] - 1;
            const unsigned rotations = rotationsOf<kL>(level, p);
            m_rotationsLeft[l] = rotations & m_worthTrying[static_cast<size_t>(p)];
            m_piece[l] = p;
            m_used |= 1ULL << p;
        }
        const int r = std::countr_zero(m_rotationsLeft[l]);
        m_rotationsLeft[l] &= m_rotationsLeft[l] - 1;
        m_rotation[l] = r;
        std::memcpy(m_shown[l], m_codes[m_piece[l]][r], sizeof m_codes[0][0]);
        if ((++nodes & (kCheckEvery - 1)) == 0) {
            m_stats.nodes = nodes;
            if (poll()) {
                m_stopped = true;
                return false;
            }
        }
        if (level == m_n) {
            m_stats.nodes = nodes;
            return true;
        }
        const Lookahead& ahead = m_ahead[l];
        const std::uint64_t avail = m_all & ~m_used;
        bool dead = false;
        for (int i = 0; i < ahead.count && !dead; ++i)
            dead = !anyFit<kL>(ahead.cells[static_cast<size_t>(i)], avail);
        if (dead)
            continue;
        ++level;
        enterLevel<kL>(level);
    }
}

SolveOutcome Search::run(Filling& filling) {
    m_clock = m_options.clock ? m_options.clock : &m_steady;
    m_lastPump = m_clock->nowNs();
    buildTables();

    bool solved = false;
    if (m_n == 0) {
        solved = fixedCellsFit();
    } else {
        switch (m_length) {
        case 4:
            solved = search<4>();
            break;
        case 6:
            solved = search<6>();
            break;
        default:
            solved = search<0>();
            break;
        }
        if (m_stopped)
            return SolveOutcome::Stopped;
    }
    // Events get through once more after the last step; a stop seen then still wins.
    ++m_stats.pumps;
    m_pump.processPendingEvents();
    if (m_stop.load(std::memory_order_relaxed))
        return SolveOutcome::Stopped;
    if (!solved)
        return SolveOutcome::NoSolution;
    fill(filling);
    return SolveOutcome::Solved;
}

} // namespace

const char* outcomeName(SolveOutcome outcome) {
    switch (outcome) {
    case SolveOutcome::Solved:
        return "solved";
    case SolveOutcome::NoSolution:
        return "no-solution";
    case SolveOutcome::Stopped:
        return "stopped";
    case SolveOutcome::Malformed:
        return "malformed";
    }
    return "?";
}

std::string answerString(const Filling& filling) {
    std::string answer;
    for (const std::string* p : filling.piece)
        answer += *p;
    for (int r : filling.rotation)
        answer += std::to_string(r);
    return answer;
}

SolveOutcome solvePuzzle(const PuzzleRequest& request, EventPump& pump,
                         const std::atomic<bool>& stopRequested, const SolveOptions& options,
                         Filling& filling, SolveStats& stats) {
    // One state per solve, on the heap: a nested solve from inside the pump gets its own.
    auto search = std::make_unique<Search>(request, pump, stopRequested, options, stats);
    return search->run(filling);
}

SolveResult SolveRequest(std::span<const std::string> items, EventPump& pump,
                         std::atomic<bool>& stopRequested, const SolveOptions& options) {
    stopRequested.store(false, std::memory_order_relaxed);
    SolveResult result;
    ParsedRequest parsed = parseRequest(items);
    if (!parsed.request) {
        result.outcome = SolveOutcome::Malformed;
        result.problem = std::move(parsed.problem);
        return result;
    }
    Filling filling;
    result.outcome =
        solvePuzzle(*parsed.request, pump, stopRequested, options, filling, result.stats);
    if (result.outcome == SolveOutcome::Solved)
        result.answer = answerString(filling);
    return result;
}

} // namespace tarno

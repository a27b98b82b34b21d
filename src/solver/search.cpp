// The fast search: bitsets of candidates in request order (pieces, or piece-rotation
// pairs when they fit in a word), one table look-up per cell asked about, and
// look-ahead that backs out of subtrees with no solution.
#include "solver/search.h"

#include <array>
#include <bit>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace tarno {

namespace {

constexpr int kNoCode = 10; // a code no digit meets: its piece sets are empty
constexpr int kCodes = kNoCode + 1;
// Tables are indexed a * kStride + b: a power of two, so the index costs a shift and not
// a multiply on the path from a laid piece to the next look-up.
constexpr int kStride = 16;
constexpr std::uint64_t kCheckEvery = 256; // nodes between looks at the stop flag and clock
constexpr int kMaxTerms = kMaxLinks;
// Not a char type: stores through it must not make the compiler reload every member.
using Code = std::uint16_t;
// Rotation sets are read, never stored, in the hot loop, so bytes are safe there.
using RotationRow = std::array<std::uint8_t, kMaxCells>;
// At a * kStride + b: the pieces (or, in pair mode, the piece-rotation pairs) whose
// rotations worth trying show code a on one edge and b on another, fixed cells met.
using FitTable = std::array<std::uint64_t, kStride * kCodes>;
// The same in piece mode with the rotations: per piece, the rotations that put it there.
using RotationTable = std::array<RotationRow, kStride * kCodes>;

// The lowest set bit of a word that is never 0: std::countr_zero also tests for 0,
// which costs a compare and a branch per call in the hot loops.
inline int lowestBit(std::uint64_t x) {
    return __builtin_ctzll(x);
}

class SteadyClock final : public SolveClock {
public:
    std::int64_t nowNs() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

// A laid free cell's constraint: the code it needs on our `edge` is what it shows on
// `neighbourEdge`, already turned into the code that meets it.
struct DynamicLink {
    std::uint8_t edge;
    std::uint8_t level;
    std::uint8_t neighbourEdge;
};

// A fixed neighbour's constraint: our `edge` must show `code`.
struct StaticLink {
    std::uint8_t edge;
    std::uint8_t code;
};

// What a cell asks of a piece given the cells laid at some moment.
struct Demand {
    int staticCount = 0;
    std::array<StaticLink, kMaxTerms> statics;
    int dynamicCount = 0;
    std::array<DynamicLink, kMaxTerms> dynamic;
};

// One table look-up answering a demand with at most two laid neighbours: the codes
// they need are read through `a` and `b` (a zero stands in for a missing one).
// Padded to a power of two so that a level's pair of probes is found by a shift.
struct alignas(32) Probe {
    const std::uint64_t* table;
    const Code* a;
    const Code* b;
};

// A demand with three or more laid neighbours: rotation by rotation.
struct SlowDemand {
    std::array<std::uint64_t, 6> staticFit; // per rotation: what meets the fixed cells
    int dynamicCount;
    std::array<DynamicLink, kMaxTerms> dynamic;
};

// Per level, how the next level's neighbours are checked after a piece is laid.
struct Lookahead {
    std::array<Probe, 2> probes; // padded with a probe that always passes
    int extraCount;              // further probes beyond the first two
    std::array<Probe, kMaxLinks> extra;
    int slowCount;
    std::array<int, kMaxLinks> slow; // indexes into m_slow
};

// How a level finds its candidates and their rotations when the search enters it.
struct Entry {
    Probe probe;
    const RotationRow* rows; // at a * kStride + b, per piece its rotations in the table's set
    int slow;                // index into m_slow, or -1
};

// Symmetric pieces lay the same codes in several rotations; only the first is tried.
// The uniform pieces "0000".."3333" keep rotation 0; "1010", "2020", "3030", "2121",
// "3131" and "3232" (higher digit first) keep rotations 0 and 1.
unsigned rotationsWorthTrying(const std::string& piece) {
    if (piece.size() == 4 && piece[0] == piece[2] && piece[1] == piece[3] && piece[0] <= '3' &&
        piece[1] <= '3') {
        if (piece[0] == piece[1])
            return 0x1;
        if (piece[0] > piece[1])
            return 0x3;
    }
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
    Demand demandOf(int cell, int laidUpTo) const;
    static bool byLookup(const Demand& d) {
        return d.dynamicCount < 2 ||
               (d.dynamicCount == 2 && d.dynamic[0].edge != d.dynamic[1].edge);
    }
    // The rotations in which piece p meets every fixed neighbour of the demand.
    unsigned fixedRotations(const Demand& d, int p) const {
        unsigned m = 0x3F;
        for (int i = 0; i < d.staticCount; ++i) {
            const StaticLink& k = d.statics[static_cast<size_t>(i)];
            m &= m_rotRows[k.edge][k.code][static_cast<size_t>(p)];
        }
        return m;
    }
    int tableFor(const Demand& d);
    const RotationRow* rotationsFor(const Demand& d, int table);
    Probe probeFor(const Demand& d, int table) const;
    int slowFor(const Demand& d);
    template <int kL> int length() const { return kL != 0 ? kL : m_length; }
    // Only cells with three or more laid neighbours (hexagons) come here.
    template <int kL> bool slowFits(const SlowDemand& d, std::uint64_t avail) const;
    template <int kL>
    std::uint64_t enterSlow(size_t level, const SlowDemand& d, std::uint64_t avail);
    template <int kL> bool restFits(const Lookahead& ahead, std::uint64_t avail) const;
    // After a piece is laid at `level`: does every empty neighbour still have a piece?
    template <int kL>
    [[gnu::always_inline]] bool aheadFits(size_t level, std::uint64_t avail) const {
        const Probe& q0 = m_probes[level][0];
        const Probe& q1 = m_probes[level][1];
        const std::uint64_t f0 = q0.table[*q0.a * kStride + *q0.b] & avail;
        const std::uint64_t f1 = q1.table[*q1.a * kStride + *q1.b] & avail;
        if ((f0 == 0) | (f1 == 0))
            return false;
        return !m_moreAhead[level] || restFits<kL>(m_ahead[level], avail);
    }
    // Counts one more node; every kCheckEvery nodes looks at the stop flag and the clock.
    [[gnu::always_inline]] bool countNodeAndStop(std::uint64_t& nodes) {
        if ((++nodes & (kCheckEvery - 1)) != 0) [[likely]]
            return false;
        m_stats.nodes = nodes;
        if (!poll())
            return false;
        m_stopped = true;
        return true;
    }
    // The level's candidates; their rotation rows are left in m_rowA.
    template <int kL> std::uint64_t enterLevel(size_t level, std::uint64_t avail) {
        const Entry& e = m_entry[level];
        if (e.rows == nullptr)
            return enterSlow<kL>(level, m_slow[static_cast<size_t>(e.slow)], avail);
        const int i = *e.probe.a * kStride + *e.probe.b;
        m_rowA[level] = e.rows[i].data();
        return e.probe.table[i] & avail;
    }
    template <int kL> bool search();
    // The same search when every piece's rotations fit in one word (pieces x rotations
    // <= 64): a level walks one bit set of (piece, rotation) pairs in candidate order.
    template <int kL> void enterPairs(size_t level, std::uint64_t avail) {
        const Entry& e = m_entry[level];
        m_availAt[level] = avail;
        if (e.slow >= 0) {
            m_candidates[level] = slowPairs<kL>(m_slow[static_cast<size_t>(e.slow)], avail);
            return;
        }
        m_candidates[level] = e.probe.table[*e.probe.a * kStride + *e.probe.b] & avail;
    }
    template <int kL> std::uint64_t slowPairs(const SlowDemand& d, std::uint64_t avail) const;
    template <int kL> bool searchPairs();
    // Where piece p in rotation r is counted in the bit sets of candidates and tables.
    int bitOf(int p, int r) const { return m_pairs ? p * m_length + r : p; }
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
    unsigned m_full = 0;                        // every rotation of a piece
    std::uint64_t m_all = 0;                    // every piece, or every (piece, rotation) pair
    bool m_pairs = false;                       // bit sets count pairs rather than pieces
    std::array<int, kMaxCells + 1> m_levelOf{}; // 0 for fixed cells and cells beyond count
    std::array<int, kMaxCells + 1> m_fixedAt{}; // 1-based index into fixed, 0 if none
    Code m_codes[kMaxCells][6][6];              // piece to place, rotation, cell edge
    Code m_needs[kMaxCells][6][8];              // the same, as the codes a neighbour must show
    std::uint64_t m_byCode[6][6][kCodes];       // cell edge, rotation, code -> bit set
    Code m_needOf[kCodes]{};
    std::array<unsigned, kMaxCells> m_worthTrying;
    RotationRow m_rotRows[6][kCodes]; // cell edge, code -> per piece the rotations showing it
    const std::uint64_t m_pass[1] = {~0ULL};
    const Code m_zero = 0;

    struct TableKey {
        int e1, e2; // laid edges, -1 when absent
        int staticCount;
        std::array<StaticLink, kMaxTerms> statics;
    };
    std::vector<FitTable> m_tables;
    std::vector<TableKey> m_tableKeys;
    std::vector<SlowDemand> m_slow;
    std::array<Entry, kMaxCells + 1> m_entry;
    std::array<Lookahead, kMaxCells + 1> m_ahead;
    // The hot part of m_ahead, apart so that a level's look-ahead is one short stride.
    std::array<std::array<Probe, 2>, kMaxCells + 1> m_probes;
    std::array<bool, kMaxCells + 1> m_moreAhead;
    std::vector<RotationTable> m_rotationTables;
    std::vector<int> m_rotationTableOf; // per table, -1 until an entry needs its rotations
    std::array<RotationRow, kMaxCells + 1> m_slowRows;

    // Per level: candidates left, their rotation rows, rotations left, what lies.
    std::array<std::uint64_t, kMaxCells + 1> m_candidates;
    std::array<const std::uint8_t*, kMaxCells + 1> m_rowA;
    std::array<unsigned, kMaxCells + 1> m_rotationsLeft;
    std::array<std::uint64_t, kMaxCells + 1> m_pieceBit;
    std::array<const Code (*)[8], kMaxCells + 1> m_needRow; // m_needs of the level's piece
    std::array<int, kMaxCells + 1> m_rotation;
    alignas(16) Code m_shown[kMaxCells + 1][8]; // per level the codes its neighbours must show
    // Pair mode: per level the free pairs on entering it and the pair now laid;
    // per pair the codes it shows and the pairs of its piece.
    std::array<std::uint64_t, kMaxCells + 1> m_availAt;
    std::array<int, kMaxCells + 1> m_pair;
    alignas(16) Code m_pairNeeds[64][8];
    std::array<std::uint64_t, 64> m_pieceMask;
    bool m_stopped = false;
};

Demand Search::demandOf(int cell, int laidUpTo) const {
    Demand d;
    const CellLinks& links = m_req.links[static_cast<size_t>(cell)];
    for (int i = 0; i < links.count; ++i) {
        const CellLink& link = links.links[static_cast<size_t>(i)];
        const int edge = link.cellEdge - 1;
        const int neighbourEdge = link.neighbourEdge - 1;
        if (const int f = m_fixedAt[static_cast<size_t>(link.neighbour)]; f != 0) {
            const FixedPiece& fp = m_req.fixed[static_cast<size_t>(f - 1)];
            const int j = neighbourEdge - fp.rotation;
            const int code = fp.piece[static_cast<size_t>(j < 0 ? j + m_length : j)] - '0';
            d.statics[static_cast<size_t>(d.staticCount++)] = {
                static_cast<std::uint8_t>(edge), static_cast<std::uint8_t>(m_needOf[code])};
        } else if (const int level = m_levelOf[static_cast<size_t>(link.neighbour)];
                   level >= 1 && level <= laidUpTo) {
            d.dynamic[static_cast<size_t>(d.dynamicCount++)] = {
                static_cast<std::uint8_t>(edge), static_cast<std::uint8_t>(level),
                static_cast<std::uint8_t>(neighbourEdge)};
        }
    }
    return d;
}

// Tables are shared by every demand asking the same of the same edges, which on a
// board without fixed pieces leaves a handful per solve.
int Search::tableFor(const Demand& d) {
    TableKey key{};
    key.e1 = d.dynamicCount >= 1 ? d.dynamic[0].edge : -1;
    key.e2 = d.dynamicCount >= 2 ? d.dynamic[1].edge : -1;
    key.staticCount = d.staticCount;
    for (int i = 0; i < d.staticCount; ++i)
        key.statics[static_cast<size_t>(i)] = d.statics[static_cast<size_t>(i)];
    for (size_t t = 0; t < m_tableKeys.size(); ++t) {
        const TableKey& k = m_tableKeys[t];
        if (k.e1 != key.e1 || k.e2 != key.e2 || k.staticCount != key.staticCount)
            continue;
        bool same = true;
        for (int i = 0; i < key.staticCount && same; ++i)
            same =
                k.statics[static_cast<size_t>(i)].edge ==
                    key.statics[static_cast<size_t>(i)].edge &&
                k.statics[static_cast<size_t>(i)].code == key.statics[static_cast<size_t>(i)].code;
        if (same)
            return static_cast<int>(t);
    }
    m_tableKeys.push_back(key);
    FitTable& table = m_tables.emplace_back();
    table.fill(0);
    for (int p = 0; p < m_n; ++p)
        for (unsigned m = fixedRotations(d, p) & m_worthTrying[static_cast<size_t>(p)]; m != 0;
             m &= m - 1) {
            const int r = std::countr_zero(m);
            const int a = key.e1 >= 0 ? m_codes[p][r][key.e1] : 0;
            const int b = key.e2 >= 0 ? m_codes[p][r][key.e2] : 0;
            table[static_cast<size_t>(a * kStride + b)] |= 1ULL << bitOf(p, r);
        }
    return static_cast<int>(m_tables.size() - 1);
}

// Made only for the tables that entries read, after every table exists; the caller
// reserves room for one per table so that none moves.
const RotationRow* Search::rotationsFor(const Demand& d, int table) {
    m_rotationTableOf.resize(m_tables.size(), -1);
    int& index = m_rotationTableOf[static_cast<size_t>(table)];
    if (index < 0) {
        index = static_cast<int>(m_rotationTables.size());
        RotationTable& rows = m_rotationTables.emplace_back();
        std::memset(rows.data(), 0, sizeof rows);
        const int e1 = d.dynamicCount >= 1 ? d.dynamic[0].edge : -1;
        const int e2 = d.dynamicCount >= 2 ? d.dynamic[1].edge : -1;
        for (int p = 0; p < m_n; ++p)
            for (unsigned m = fixedRotations(d, p) & m_worthTrying[static_cast<size_t>(p)]; m != 0;
                 m &= m - 1) {
                const int r = std::countr_zero(m);
                const int a = e1 >= 0 ? m_codes[p][r][e1] : 0;
                const int b = e2 >= 0 ? m_codes[p][r][e2] : 0;
                rows[static_cast<size_t>(a * kStride + b)][static_cast<size_t>(p)] |=
                    static_cast<std::uint8_t>(1u << r);
            }
    }
    return m_rotationTables[static_cast<size_t>(index)].data();
}

Probe Search::probeFor(const Demand& d, int table) const {
    const auto source = [&](int i) {
        if (i >= d.dynamicCount)
            return &m_zero;
        const DynamicLink& k = d.dynamic[static_cast<size_t>(i)];
        return &m_shown[k.level][k.neighbourEdge];
    };
    return {m_tables[static_cast<size_t>(table)].data(), source(0), source(1)};
}

int Search::slowFor(const Demand& d) {
    SlowDemand& s = m_slow.emplace_back();
    s.staticFit.fill(0);
    for (int p = 0; p < m_n; ++p)
        for (unsigned m = fixedRotations(d, p) & m_worthTrying[static_cast<size_t>(p)]; m != 0;
             m &= m - 1) {
            const int r = std::countr_zero(m);
            s.staticFit[static_cast<size_t>(r)] |= 1ULL << bitOf(p, r);
        }
    s.dynamicCount = d.dynamicCount;
    s.dynamic = d.dynamic;
    return static_cast<int>(m_slow.size() - 1);
}

void Search::buildTables() {
    m_n = static_cast<int>(m_req.toPlace.size());
    m_length = m_req.pieceLength;
    m_pairs = m_n * m_length <= 64;
    const int bits = m_pairs ? m_n * m_length : m_n;
    m_all = bits == 64 ? ~0ULL : (1ULL << bits) - 1;
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
    // Demands first, tables last: the tables may move while they are being made.
    std::array<Demand, kMaxCells + 1> entries;
    std::array<std::array<Demand, kMaxLinks>, kMaxCells + 1> aheads;
    std::array<int, kMaxCells + 1> aheadCount;
    for (int l = 1; l <= m_n; ++l) {
        const int cell = m_req.freeCells[static_cast<size_t>(l - 1)];
        entries[static_cast<size_t>(l)] = demandOf(cell, l - 1);
        aheadCount[static_cast<size_t>(l)] = 0;
        const CellLinks& links = m_req.links[static_cast<size_t>(cell)];
        std::uint64_t seen = 0;
        for (int i = 0; i < links.count; ++i) {
            const int g = links.links[static_cast<size_t>(i)].neighbour;
            if (m_levelOf[static_cast<size_t>(g)] > l && !(seen >> g & 1)) {
                seen |= 1ULL << g;
                aheads[static_cast<size_t>(l)]
                      [static_cast<size_t>(aheadCount[static_cast<size_t>(l)]++)] = demandOf(g, l);
            }
        }
    }
    m_full = (1u << m_length) - 1;
    std::memset(m_shown, 0, sizeof m_shown);
    for (int p = 0; p < m_n; ++p) {
        const std::string& s =
            m_req.pieces[static_cast<size_t>(m_req.toPlace[static_cast<size_t>(p)])];
        m_worthTrying[static_cast<size_t>(p)] = rotationsWorthTrying(s) & m_full;
        for (int r = 0; r < m_length; ++r) {
            for (int k = m_length; k < 6; ++k)
                m_codes[p][r][k] = 0;
            for (int k = m_length; k < 8; ++k)
                m_needs[p][r][k] = 0;
            for (int k = 0; k < m_length; ++k) {
                const int j = k - r;
                const int code = s[static_cast<size_t>(j < 0 ? j + m_length : j)] - '0';
                m_codes[p][r][k] = static_cast<Code>(code);
                m_needs[p][r][k] = m_needOf[code];
            }
            if (m_pairs) {
                const size_t i = static_cast<size_t>(bitOf(p, r));
                std::memcpy(m_pairNeeds[i], m_needs[p][r], sizeof m_pairNeeds[0]);
                m_pieceMask[i] = static_cast<std::uint64_t>(m_full) << (p * m_length);
            }
        }
    }
    // Read only by cells with three or more laid neighbours (hexagons), and by cells
    // next to fixed ones: most grids need neither.
    bool anySlow = false;
    for (int l = 1; l <= m_n; ++l) {
        anySlow |= !byLookup(entries[static_cast<size_t>(l)]);
        for (int i = 0; i < aheadCount[static_cast<size_t>(l)]; ++i)
            anySlow |= !byLookup(aheads[static_cast<size_t>(l)][static_cast<size_t>(i)]);
    }
    if (anySlow) {
        std::memset(m_byCode, 0, sizeof m_byCode);
        for (int p = 0; p < m_n; ++p)
            for (int r = 0; r < m_length; ++r)
                for (int k = 0; k < m_length; ++k)
                    m_byCode[k][r][m_codes[p][r][k]] |= 1ULL << bitOf(p, r);
    }
    if (!m_req.fixed.empty()) {
        std::memset(m_rotRows, 0, sizeof m_rotRows);
        for (int p = 0; p < m_n; ++p)
            for (int r = 0; r < m_length; ++r)
                for (int k = 0; k < m_length; ++k)
                    m_rotRows[k][m_codes[p][r][k]][static_cast<size_t>(p)] |=
                        static_cast<std::uint8_t>(1u << r);
    }

    std::array<int, kMaxCells + 1> entryTable;
    std::array<std::array<int, kMaxLinks>, kMaxCells + 1> aheadTable;
    m_tables.reserve(static_cast<size_t>(m_n) + 4);
    for (int l = 1; l <= m_n; ++l) {
        const Demand& d = entries[static_cast<size_t>(l)];
        entryTable[static_cast<size_t>(l)] = byLookup(d) ? tableFor(d) : -1;
        for (int i = 0; i < aheadCount[static_cast<size_t>(l)]; ++i) {
            const Demand& a = aheads[static_cast<size_t>(l)][static_cast<size_t>(i)];
            aheadTable[static_cast<size_t>(l)][static_cast<size_t>(i)] =
                byLookup(a) ? tableFor(a) : -1;
        }
    }

    const Probe pass{m_pass, &m_zero, &m_zero};
    if (!m_pairs)
        m_rotationTables.reserve(m_tables.size());
    for (int l = 1; l <= m_n; ++l) {
        const size_t ls = static_cast<size_t>(l);
        const Demand& d = entries[ls];
        Entry& e = m_entry[ls];
        e.rows = nullptr;
        if (entryTable[ls] >= 0) {
            e.slow = -1;
            e.probe = probeFor(d, entryTable[ls]);
            // Pair mode has the rotations in its bit sets.
            if (!m_pairs)
                e.rows = rotationsFor(d, entryTable[ls]);
        } else {
            e.slow = slowFor(d);
            e.probe = pass;
        }
        Lookahead& ahead = m_ahead[ls];
        ahead.probes = {pass, pass};
        ahead.extraCount = 0;
        ahead.slowCount = 0;
        int fast = 0;
        for (int i = 0; i < aheadCount[ls]; ++i) {
            const Demand& a = aheads[ls][static_cast<size_t>(i)];
            const int t = aheadTable[ls][static_cast<size_t>(i)];
            if (t < 0) {
                ahead.slow[static_cast<size_t>(ahead.slowCount++)] = slowFor(a);
            } else if (fast < 2) {
                ahead.probes[static_cast<size_t>(fast++)] = probeFor(a, t);
            } else {
                ahead.extra[static_cast<size_t>(ahead.extraCount++)] = probeFor(a, t);
            }
        }
        m_probes[ls] = ahead.probes;
        m_moreAhead[ls] = ahead.extraCount + ahead.slowCount != 0;
    }
}

template <int kL> bool Search::slowFits(const SlowDemand& d, std::uint64_t avail) const {
    Code need[kMaxTerms];
    for (int j = 0; j < d.dynamicCount; ++j) {
        const DynamicLink& k = d.dynamic[static_cast<size_t>(j)];
        need[j] = m_shown[k.level][k.neighbourEdge];
    }
    for (int r = 0; r < length<kL>(); ++r) {
        std::uint64_t m = d.staticFit[static_cast<size_t>(r)] & avail;
        for (int j = 0; j < d.dynamicCount; ++j)
            m &= m_byCode[d.dynamic[static_cast<size_t>(j)].edge][r][need[j]];
        if (m != 0)
            return true;
    }
    return false;
}

template <int kL>
std::uint64_t Search::enterSlow(size_t level, const SlowDemand& d, std::uint64_t avail) {
    Code need[kMaxTerms];
    for (int j = 0; j < d.dynamicCount; ++j) {
        const DynamicLink& k = d.dynamic[static_cast<size_t>(j)];
        need[j] = m_shown[k.level][k.neighbourEdge];
    }
    std::uint64_t fit[6];
    std::uint64_t any = 0;
    for (int r = 0; r < length<kL>(); ++r) {
        std::uint64_t m = d.staticFit[static_cast<size_t>(r)] & avail;
        for (int j = 0; j < d.dynamicCount; ++j)
            m &= m_byCode[d.dynamic[static_cast<size_t>(j)].edge][r][need[j]];
        fit[r] = m;
        any |= m;
    }
    RotationRow& row = m_slowRows[level];
    for (std::uint64_t c = any; c != 0; c &= c - 1) {
        const int p = std::countr_zero(c);
        unsigned rotations = 0;
        for (int r = 0; r < length<kL>(); ++r)
            rotations |= static_cast<unsigned>((fit[r] >> p) & 1) << r;
        row[static_cast<size_t>(p)] = static_cast<std::uint8_t>(rotations);
    }
    m_rowA[level] = row.data();
    return any;
}

template <int kL> std::uint64_t Search::slowPairs(const SlowDemand& d, std::uint64_t avail) const {
    Code need[kMaxTerms];
    for (int j = 0; j < d.dynamicCount; ++j) {
        const DynamicLink& k = d.dynamic[static_cast<size_t>(j)];
        need[j] = m_shown[k.level][k.neighbourEdge];
    }
    std::uint64_t any = 0;
    for (int r = 0; r < length<kL>(); ++r) {
        std::uint64_t m = d.staticFit[static_cast<size_t>(r)] & avail;
        for (int j = 0; j < d.dynamicCount; ++j)
            m &= m_byCode[d.dynamic[static_cast<size_t>(j)].edge][r][need[j]];
        any |= m;
    }
    return any;
}

template <int kL> bool Search::restFits(const Lookahead& ahead, std::uint64_t avail) const {
    for (int i = 0; i < ahead.extraCount; ++i) {
        const Probe& q = ahead.extra[static_cast<size_t>(i)];
        if ((q.table[*q.a * kStride + *q.b] & avail) == 0)
            return false;
    }
    for (int i = 0; i < ahead.slowCount; ++i)
        if (!slowFits<kL>(m_slow[static_cast<size_t>(ahead.slow[static_cast<size_t>(i)])], avail))
            return false;
    return true;
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
        int piece = std::countr_zero(m_pieceBit[static_cast<size_t>(l)]);
        int rotation = m_rotation[static_cast<size_t>(l)];
        if (m_pairs) {
            piece = m_pair[static_cast<size_t>(l)] / m_length;
            rotation = m_pair[static_cast<size_t>(l)] % m_length;
        }
        const int p = m_req.toPlace[static_cast<size_t>(piece)];
        filling.piece[cell] = &m_req.pieces[static_cast<size_t>(p)];
        filling.rotation[cell] = rotation;
    }
}

template <int kL> bool Search::search() {
    // Kept in locals so the hot loop need not store through members.
    std::uint64_t nodes = 0;
    std::uint64_t avail = m_all;
    size_t level = 1;
    const size_t last = static_cast<size_t>(m_n);
    // Takes the first of a level's candidates: its rotation set, and it leaves `avail`.
    const auto take = [&](std::uint64_t candidates) {
        const int p = lowestBit(candidates);
        m_candidates[level] = candidates & (candidates - 1);
        const std::uint64_t bit = 1ULL << p;
        m_pieceBit[level] = bit;
        m_needRow[level] = m_needs[p];
        avail &= ~bit;
        return static_cast<unsigned>(m_rowA[level][p]);
    };
    std::uint64_t first = enterLevel<kL>(1, avail);
    if (first == 0) {
        m_stats.nodes = 0;
        return false;
    }
    unsigned rotations = take(first);
    for (;;) {
        // Lay the level's next rotation, and go down while the next level has candidates.
        for (;;) {
            const int r = lowestBit(rotations);
            m_rotationsLeft[level] = rotations & (rotations - 1);
            m_rotation[level] = r;
            std::memcpy(m_shown[level], m_needRow[level][r], sizeof m_shown[0]);
            if (countNodeAndStop(nodes))
                return false;
            if (level == last) {
                m_stats.nodes = nodes;
                return true;
            }
            if (!aheadFits<kL>(level, avail))
                break;
            const std::uint64_t next = enterLevel<kL>(level + 1, avail);
            if (next == 0)
                break;
            ++level;
            rotations = take(next);
        }
        // Back at `level`: its next rotation, else its next candidate, else the level above.
        for (;;) {
            rotations = m_rotationsLeft[level];
            if (rotations != 0)
                break;
            avail |= m_pieceBit[level];
            const std::uint64_t candidates = m_candidates[level];
            if (candidates != 0) {
                rotations = take(candidates);
                break;
            }
            if (level == 1) {
                m_stats.nodes = nodes;
                return false;
            }
            --level;
        }
    }
}

template <int kL> bool Search::searchPairs() {
    std::uint64_t nodes = 0;
    size_t level = 1;
    const size_t last = static_cast<size_t>(m_n);
    enterPairs<kL>(1, m_all);
    for (;;) {
        const std::uint64_t pairs = m_candidates[level];
        if (pairs == 0) {
            if (level == 1) {
                m_stats.nodes = nodes;
                return false;
            }
            --level;
            continue;
        }
        const int i = lowestBit(pairs);
        m_candidates[level] = pairs & (pairs - 1);
        m_pair[level] = i;
        std::memcpy(m_shown[level], m_pairNeeds[i], sizeof m_shown[0]);
        // Nothing to give back on leaving the level: each level keeps what was free above it.
        const std::uint64_t avail = m_availAt[level] & ~m_pieceMask[static_cast<size_t>(i)];
        if (countNodeAndStop(nodes))
            return false;
        if (level == last) {
            m_stats.nodes = nodes;
            return true;
        }
        if (!aheadFits<kL>(level, avail))
            continue;
        ++level;
        enterPairs<kL>(level, avail);
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
            solved = m_pairs ? searchPairs<4>() : search<4>();
            break;
        case 6:
            solved = m_pairs ? searchPairs<6>() : search<6>();
            break;
        default:
            solved = m_pairs ? searchPairs<0>() : search<0>();
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

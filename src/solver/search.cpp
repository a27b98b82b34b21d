// SPDX-License-Identifier: GPL-3.0-or-later
// The fast search. It must give exactly the answer of the step-by-step search: free cells
// filled in ascending order, at each level the unused pieces in request order, each in its
// fitting rotations in increasing order (symmetric pieces only in their first distinct
// rotations), and the first complete filling wins. So the search never reorders anything;
// it only skips subtrees that hold no complete filling, which leaves the first one found
// unchanged.
//
// Words used below. A level is a depth of the search; level l fills free cell l. A piece's
// "shows" codes are the digits it puts on each cell edge in a rotation; its "needs" codes
// are what a touching neighbour must show there to fit (the same digit, or on sum boards
// the digit that adds up to the sum; kNoCode when no digit does).
//
// Tables, made once per solve before the search:
// - Fit tables. Every question a cell asks when the search enters it, or when a neighbour
//   has just been laid, has the form "which unused pieces show code a on edge e1 and b on
//   edge e2, fitting the fixed neighbours": one 64-bit set per (a, b), in request order,
//   ANDed with the set of unused pieces. Cells asking the same share a table. Cells with
//   three or more laid neighbours (hexagons) go rotation by rotation ("slow demands").
// - Pair mode. When pieces x rotations fit in 64 bits (every 3 x 3, 4 x 4 and hexagon
//   board) the sets hold (piece, rotation) pairs, so the next node is one bit scan. Larger
//   boards hold pieces, and a rotation table beside each entry table gives per piece the
//   rotations that fit, indexed the same way.
//
// Prunings, each cutting only subtrees that hold no complete filling, so the first filling
// the fixed order reaches stays the answer. Each is described where it lives:
// - Forward checking (always on): after a piece is laid, every empty neighbour must still
//   have an unused piece that fits it (aheadFits); before any piece is laid, every free
//   cell must have a piece that fits its fixed neighbours (everyCellHasAPiece).
// - Edge counts (class EdgeCounts): the unused pieces' codes must be able to cover what
//   the empty cells' edges ask; a count, so it holds in every filling.
// - Failed states (class FailedStates): the subtree below a level depends only on the
//   level, the unused pieces and the codes asked across the frontier; one searched to its
//   end without a filling is skipped when met again under the same exact key.
// - Equal pieces (findEqualPieces): a later copy of a piece fits exactly where an earlier
//   one does, so it is only a candidate once every earlier copy is in use.
// - Turned corners (class TurnedCorners): on a square board filled whole, what failed in
//   the first cell fits no corner, by turning the board.
// - Matching and completion (class CompletionCheck, completion.h): where a subtree runs
//   long, a bipartite matching and then a SAT solver decide whether the laid pieces can be
//   completed at all, in any cell order; a no is a proof, so the cut is exact. The walk
//   backs out of a cut subtree as from one searched to its end, so failed states may
//   remember the levels it leaves: they hold no filling either.
// Edge counts and failed states run on sum-matching ("bg") boards only: with four codes
// that must balance 0 against 3 and 1 against 2, counts bind and states come back. On
// equal-matching boards with up to ten codes they cut little and cost more per node than
// they save (the benchmark shows both).
#include "solver/search.h"

#include "solver/completion.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <span>
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
// Failed states are remembered, and the count changes made, only once a solve has laid
// this many pieces: small solves end before then and never pay for them.
constexpr std::uint64_t kCostlierSetupAfterNodes = 2048;
// ...and only at levels with at least this many levels below: smaller subtrees are
// searched again faster than they are looked up.
constexpr int kFailedStateMinDepth = 8;
// A failed-state key packs four bits per code asked across the frontier, and the level.
constexpr int kMaxFrontier = 14;
// Not a char type: stores through it must not make the compiler reload every member.
using Code = std::uint16_t;
// Rotation sets are read, never stored, in the hot loop, so bytes are safe there.
using RotationRow = std::array<std::uint8_t, kMaxCells>;
// At a * kStride + b: the pieces (or, in pair mode, the piece-rotation pairs) whose
// rotations worth trying show code a on one edge and b on another, fixed cells met.
using FitTable = std::array<std::uint64_t, kStride * kCodes>;
// The same in piece mode with the rotations: per piece, the rotations that put it there.
using RotationTable = std::array<RotationRow, kStride * kCodes>;
// Per code, how many more edges the unused pieces show than the laid cells ask for. A
// vector of sixteen lanes: changed by whole-vector adds only, never lane by lane, so the
// next level reads it straight back from the store.
using CodeCounts = std::int16_t __attribute__((vector_size(32)));
constexpr int kLanes = sizeof(CodeCounts) / sizeof(std::int16_t);
static_assert(kCodes <= kLanes);
constexpr int kNoLane = kCodes; // an index of the one-code counts that counts nothing

// The lowest set bit of a word that is never 0: std::countr_zero also tests for 0,
// which costs a compare and a branch per call in the hot loops.
// Unsigned, so that indexing with it needs no sign extension.
inline unsigned lowestBit(std::uint64_t x) {
    return static_cast<unsigned>(__builtin_ctzll(x));
}

// The code a piece written as `piece` shows on cell edge `edge` (0-based) in `rotation`.
inline int codeShown(const std::string& piece, int rotation, int edge) {
    const int length = static_cast<int>(piece.size());
    const int j = edge - rotation;
    return piece[static_cast<size_t>(j < 0 ? j + length : j)] - '0';
}

class SteadyClock final : public SolveClock {
public:
    std::int64_t nowNs() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

// A laid free cell's constraint: our `edge` must show what the piece at `level` asks
// across its `neighbourEdge`.
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

// What a cell asks of a piece given the cells laid at some moment. The setup's records
// have no member initializers: arrays of them are filled as needed, never cleared whole.
struct Demand {
    int level; // of the asking cell
    int staticCount;
    std::array<StaticLink, kMaxTerms> statics;
    int dynamicCount;
    std::array<DynamicLink, kMaxTerms> dynamic;
    // One fit table answers it: at most two laid free neighbours, on different edges.
    bool byLookup() const {
        return dynamicCount < 2 || (dynamicCount == 2 && dynamic[0].edge != dynamic[1].edge);
    }
};

// Per level, the demands of its empty neighbours once its piece lies, known before the
// search (its own on entering it the search keeps).
struct LevelDemands {
    int aheadCount;
    std::array<Demand, kMaxLinks> ahead;
};

// One table look-up answering a demand with at most two laid neighbours: the codes
// they need are read through `a` and `b` (a zero stands in for a missing one).
// Padded to a power of two so that a level's pair of probes is found by a shift.
struct alignas(32) Probe {
    const std::uint64_t* table;
    const Code* a;
    const Code* b;
    int level; // of the cell it asks for; read only when tables change, fills the padding
    // Unsigned all the way: no sign extension on the path from a laid piece to the look-up.
    std::size_t index() const { return std::size_t{*a} * kStride + *b; }
    std::uint64_t fitting() const { return table[index()]; }
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
    std::array<int, kMaxLinks> slow; // indexes into m_slowDemands
};

// How a level finds its candidates and their rotations when the search enters it.
struct Entry {
    Probe probe;
    const RotationRow* rotations; // at a * kStride + b, per piece its rotations in the set
    int slow;                     // index into m_slowDemands, or -1
};

// Per level, how laying its piece changes the code counts (see CodeCounts).
struct EdgeCountStep {
    unsigned laidEdges;  // edges towards fixed cells or shallower levels: asked codes met
    unsigned emptyEdges; // edges towards deeper levels: the neighbour will ask a code
    int openPairs;       // links between two empty cells once the piece lies
    // Once made: per (piece, rotation) pair, indexed like the pairs' bits, the whole
    // change to the counts (the piece's codes leave, asks are met and made). Levels with
    // the same edges share one row.
    const CodeCounts* change;
};

// What the prunings read of the board and the pieces; the search owns all of it.
struct BoardView {
    const PuzzleRequest* req;
    int n;      // levels, and pieces to place
    int length; // edges per piece
    const Code (*shows)[6][6]; // piece to place, rotation, cell edge
    const Code (*needs)[6][8]; // the same as the codes a neighbour must show
    const Code* needOf;        // per code, what a touching edge must show
    const int* levelOf;        // per cell; 0 for fixed cells and beyond count
    const int* fixedAt;        // per cell, 1-based index into the fixed pieces; 0 if none
};

inline int codeOfFixed(const FixedPiece& f, int edge) {
    return codeShown(f.piece, f.rotation, edge);
}

// The edge-count bound. A piece shows the same codes in every rotation, so the codes of
// the unused pieces are known as a multiset. In any complete filling they cover exactly
// the edges of the empty cells: the edges next to laid cells must get the codes those ask
// for, the edges between two empty cells come in fitting pairs, and only edges on the
// border of the board (or next to cells beyond the request's count) take any code. If the
// counts cannot do that even ignoring which codes sit together on one piece, no filling
// exists. The counts are kept per level as "surplus": codes shown by unused pieces minus
// codes asked. A node adds what its piece changes, edge by edge; once a solve runs long,
// what each (piece, rotation) changes is made for each kind of level (which edges meet
// laid cells, which face empty ones) and a node adds one vector. The test is monotone:
// once it fails at a node it fails below it, so it never hides a filling the search would
// reach.
class EdgeCounts {
public:
    // Whether the bound runs on this board; if so, the counts before any piece lies.
    void plan(const BoardView& board, const SolveOptions& options);
    bool on() const { return m_on; }
    bool changesMade() const { return m_countChanges != nullptr; }
    void planChanges();
    // Can the unused pieces cover the empty cells before any piece is laid?
    bool coverableAtStart() const { return coverable(m_surplus[0], m_openPairsAtStart); }
    // After piece p in rotation r is laid at `level`: can the unused pieces' codes still
    // cover the empty cells' edges? Leaves the counts for the next level.
    template <int kL> [[gnu::always_inline]] bool allow(size_t level, int p, int r);

private:
    [[gnu::always_inline]] bool coverable(const CodeCounts& counts, int openPairs) const;

    BoardView m_board{};
    bool m_on = false;
    // Per level the step, and the counts after its piece (level 0: none laid).
    std::array<EdgeCountStep, kMaxCells + 1> m_edgeStep;
    std::array<CodeCounts, kMaxCells + 1> m_surplus;
    std::array<CodeCounts, kMaxCells> m_codesOfPiece; // per piece, how often it shows each code
    std::array<CodeCounts, kCodes + 1> m_oneOf; // per code, a count of one; at kNoLane none
    std::unique_ptr<CodeCounts[]> m_countChanges; // the steps' change rows, one after another
    bool m_equalCodesMeet = false; // every code fits itself; else codes fit in pairs:
    int m_crossCount = 0;          // the pairs (a, b), a <= b, of codes that fit each other
    std::array<std::array<std::uint8_t, 2>, kCodes> m_cross;
    int m_openPairsAtStart = 0;
};

// The edge-count bound: per level which edges meet laid cells and which face empty ones,
// how many links between empty cells remain, and the counts before any piece lies.
// Off on boards without links, and on a layout that gives one edge two links.
void EdgeCounts::plan(const BoardView& b, const SolveOptions& options) {
    m_board = b;
    const PuzzleRequest& req = *b.req;
    m_on = false;
    // With equal codes meeting, codes pair with themselves and the border takes the rest:
    // the bound seldom cuts there, and costs more than it saves.
    const bool pays = req.header.matchSum != 0 || options.pruneEagerly;
    if ((options.prunings & kPruneEdgeCounts) == 0 || req.layout.empty() || !pays)
        return;
    for (int c = 0; c < kCodes; ++c) {
        m_oneOf[c] = CodeCounts{};
        m_oneOf[c][c] = 1;
    }
    m_oneOf[kNoLane] = CodeCounts{};
    CodeCounts start{};
    for (int p = 0; p < m_board.n; ++p) {
        CodeCounts& c = m_codesOfPiece[static_cast<size_t>(p)];
        c = CodeCounts{};
        for (int k = 0; k < m_board.length; ++k)
            c += m_oneOf[m_board.shows[p][0][k]];
        start += c;
    }
    int openPairs = 0; // links between two free cells, each counted from both ends
    for (int l = 1; l <= m_board.n; ++l) {
        const int cell = req.freeCells[static_cast<size_t>(l - 1)];
        const CellLinks& links = req.links[static_cast<size_t>(cell)];
        EdgeCountStep& step = m_edgeStep[static_cast<size_t>(l)];
        step = {};
        unsigned edgesSeen = 0;
        for (int i = 0; i < links.count; ++i) {
            const CellLink& link = links.links[static_cast<size_t>(i)];
            const int edge = link.cellEdge - 1;
            if (edge >= m_board.length || (edgesSeen >> edge & 1))
                return;
            edgesSeen |= 1u << edge;
            if (const int f = m_board.fixedAt[static_cast<size_t>(link.neighbour)]; f != 0) {
                const int code =
                    codeOfFixed(req.fixed[static_cast<size_t>(f - 1)], link.neighbourEdge - 1);
                start -= m_oneOf[m_board.needOf[code]]; // asked of this cell from the start
                step.laidEdges |= 1u << edge;
            } else if (const int g = m_board.levelOf[static_cast<size_t>(link.neighbour)]; g != 0) {
                ++openPairs;
                if (g < l)
                    step.laidEdges |= 1u << edge;
                else
                    step.emptyEdges |= 1u << edge;
            }
        }
    }
    // Each laid level closes the links towards shallower levels.
    m_openPairsAtStart = openPairs / 2;
    int open = m_openPairsAtStart;
    for (int l = 1; l <= m_board.n; ++l) {
        EdgeCountStep& step = m_edgeStep[static_cast<size_t>(l)];
        open -= std::popcount(step.emptyEdges);
        step.openPairs = open;
    }
    m_equalCodesMeet = req.header.matchSum == 0;
    m_crossCount = 0;
    for (int a = 0; a <= 9; ++a) {
        const int b = m_board.needOf[a];
        if (b >= a && b <= 9)
            m_cross[static_cast<size_t>(m_crossCount++)] = {static_cast<std::uint8_t>(a),
                                                            static_cast<std::uint8_t>(b)};
    }
    m_surplus[0] = start;
    m_on = true;
}

// What laying each (piece, rotation) does to the counts, made once per kind of step, so
// that a node adds one precomputed row instead of walking its edges. Made once a solve
// runs long: for a short one the rows would cost more than they save.
void EdgeCounts::planChanges() {

    struct Kind {
        unsigned laid, empty;
    };
    std::array<Kind, kMaxCells + 1> kinds;
    std::array<int, kMaxCells + 1> kindOf;
    int kindCount = 0;
    for (int l = 1; l <= m_board.n; ++l) {
        const EdgeCountStep& step = m_edgeStep[static_cast<size_t>(l)];
        int k = 0;
        while (k < kindCount && (kinds[static_cast<size_t>(k)].laid != step.laidEdges ||
                                 kinds[static_cast<size_t>(k)].empty != step.emptyEdges))
            ++k;
        if (k == kindCount)
            kinds[static_cast<size_t>(kindCount++)] = {step.laidEdges, step.emptyEdges};
        kindOf[static_cast<size_t>(l)] = k;
    }
    const size_t rowLength = static_cast<size_t>(m_board.n * m_board.length);
    // Every entry is written below: the rows are not cleared first.
    m_countChanges.reset(new CodeCounts[static_cast<size_t>(kindCount) * rowLength]);
    for (int k = 0; k < kindCount; ++k) {
        const Kind& kind = kinds[static_cast<size_t>(k)];
        CodeCounts* row = &m_countChanges[static_cast<size_t>(k) * rowLength];
        for (int p = 0; p < m_board.n; ++p)
            for (int r = 0; r < m_board.length; ++r) {
                CodeCounts change = -m_codesOfPiece[static_cast<size_t>(p)];
                // An edge towards a laid cell shows what that cell asked: the ask is met.
                for (unsigned m = kind.laid; m != 0; m &= m - 1)
                    change += m_oneOf[m_board.shows[p][r][lowestBit(m)]];
                // An edge towards an empty cell makes that cell ask for a code.
                for (unsigned m = kind.empty; m != 0; m &= m - 1)
                    change -= m_oneOf[m_board.needs[p][r][lowestBit(m)]];
                row[p * m_board.length + r] = change;
            }
    }
    for (int l = 1; l <= m_board.n; ++l)
        m_edgeStep[static_cast<size_t>(l)].change =
            &m_countChanges[static_cast<size_t>(kindOf[static_cast<size_t>(l)]) * rowLength];
}

inline bool EdgeCounts::coverable(const CodeCounts& counts, int openPairs) const {
    // No code may be asked more often than the unused pieces show it: no lane negative.
    // The sixteen sign bits are tested as four words.
    using Words = std::uint64_t __attribute__((vector_size(sizeof(CodeCounts))));
    const Words words = reinterpret_cast<Words>(counts);
    if (((words[0] | words[1] | words[2] | words[3]) & 0x8000800080008000ULL) != 0)
        return false;
    // ...and what is left must pair up across every link between two empty cells.
    int pairs = 0;
    if (m_equalCodesMeet) {
        for (int c = 0; c < kCodes; ++c)
            pairs += counts[c] >> 1;
    } else {
        for (int i = 0; i < m_crossCount; ++i) {
            const auto [a, b] = m_cross[static_cast<size_t>(i)];
            pairs += a == b ? counts[a] >> 1 : std::min(counts[a], counts[b]);
        }
    }
    return pairs >= openPairs;
}

template <int kL> inline bool EdgeCounts::allow(size_t level, int p, int r) {
    const EdgeCountStep& step = m_edgeStep[level];
    CodeCounts counts = m_surplus[level - 1];
    if (step.change != nullptr) [[likely]] {
        counts += step.change[p * (kL != 0 ? kL : m_board.length) + r];
    } else {
        counts -= m_codesOfPiece[static_cast<size_t>(p)];
        const Code* shows = m_board.shows[p][r];
        const Code* needs = m_board.needs[p][r];
        // Every edge in turn, adding nothing where it neither meets a laid cell nor faces
        // an empty one: a loop of fixed length keeps the counts in registers.
        for (int e = 0; e < (kL != 0 ? kL : m_board.length); ++e) {
            counts += m_oneOf[step.laidEdges >> e & 1 ? shows[e] : kNoLane];
            counts -= m_oneOf[step.emptyEdges >> e & 1 ? needs[e] : kNoLane];
        }
    }
    m_surplus[level] = counts;
    return coverable(counts, step.openPairs);
}


// Turned corners. A square grid filled whole (every 3 x 3 and 4 x 4 board without fixed
// pieces) turned a quarter maps every filling to another, and its first cell to each other
// corner. The first level tries pieces in order, so once it has moved past a piece, that
// piece (and every copy of it) fits the first cell in no filling, in any rotation, and so
// fits no corner either. Such pieces are taken out of the corners' own copies of their fit
// tables, read both on entering a corner and when checking it ahead; a node pays nothing
// for it. Started like the costlier cuts, in long solves only.
class TurnedCorners {
public:
    // On square boards filled whole, in pair mode: every probe asking for a corner is made
    // to read the corner's own copy of its table. Planned in a long solve once the first
    // level has failed; short ones never pay for it.
    void plan(const BoardView& board, const SolveOptions& options, bool pairs,
              std::span<Entry> entries, std::span<Lookahead> aheads,
              std::span<std::array<Probe, 2>> probes);
    bool planned() const { return m_planned; }
    // Pieces 0..failed-1 have failed in the first cell; false when that is not news.
    bool noteFailed(int failed) {
        if (failed <= m_piecesFailedFirst)
            return false;
        m_piecesFailedFirst = failed;
        return true;
    }
    // Takes the pieces that failed first, and their copies, out of the corners.
    void banFailed(const int* pieceValue, unsigned allRotations) {
        if (m_cornerTables.empty())
            return;
        std::uint64_t banned = 0;
        for (int q = 0; q < m_n; ++q)
            for (int f = 0; f < m_piecesFailedFirst; ++f)
                if (pieceValue[q] == pieceValue[f])
                    banned |= static_cast<std::uint64_t>(allRotations) << (q * m_length);
        for (const auto& table : m_cornerTables)
            for (std::uint64_t& fit : *table)
                fit &= ~banned;
    }

private:
    bool m_planned = false;
    int m_piecesFailedFirst = 0; // how many pieces, from the first, failed in the first cell
    int m_n = 0;
    int m_length = 0;
    // The corners' own copies of their tables, which the probes asking for them read.
    std::vector<std::unique_ptr<FitTable>> m_cornerTables;
};

void TurnedCorners::plan(const BoardView& board, const SolveOptions& options, bool pairs,
                         std::span<Entry> entries, std::span<Lookahead> aheads,
                         std::span<std::array<Probe, 2>> probes) {
    m_planned = true;
    m_n = board.n;
    m_length = board.length;
    if ((options.prunings & kPruneTurnedCorners) == 0 || !pairs || m_length != 4 ||
        board.req->header.count != m_n)
        return;
    int n = 2;
    while (n * n < m_n)
        ++n;
    if (n * n != m_n || board.req->layout != GridLayout(n, n))
        return;
    // The grid numbers its cells along the anti-diagonals from the top left: the first and
    // last cells of the longest one are corners, and so is the last cell.
    const int corners[] = {n * (n - 1) / 2 + 1, n * (n + 1) / 2, n * n};
    // Every probe asking for a corner reads its own copy of the table it read, so that the
    // pieces that failed can be taken out of it. A corner's probes read at most one table
    // per set of laid neighbours.
    for (const int corner : corners) {
        const int level = board.levelOf[static_cast<size_t>(corner)];
        const size_t first = m_cornerTables.size();
        std::array<const std::uint64_t*, kMaxLinks + 1> shared{};
        const auto repoint = [&](Probe& q) {
            if (q.level != level)
                return;
            const size_t copies = m_cornerTables.size() - first;
            size_t i = 0;
            while (i < copies && shared[i] != q.table)
                ++i;
            if (i == copies) {
                shared[i] = q.table;
                auto& own = m_cornerTables.emplace_back(std::make_unique<FitTable>());
                std::copy_n(q.table, own->size(), own->begin());
            }
            q.table = m_cornerTables[first + i]->data();
        };
        // A slow entry holds the probe that always passes, which asks for no level.
        for (int l = 1; l <= m_n; ++l) {
            repoint(entries[static_cast<size_t>(l)].probe);
            Lookahead& ahead = aheads[static_cast<size_t>(l)];
            for (Probe& q : ahead.probes)
                repoint(q);
            for (int i = 0; i < ahead.extraCount; ++i)
                repoint(ahead.extra[static_cast<size_t>(i)]);
            probes[static_cast<size_t>(l)] = ahead.probes;
        }
    }
}

// The codes the laid cells ask of the empty ones after a level: where to read them.
struct Frontier {
    int count;
    std::array<const Code*, kMaxFrontier> asked;
};

// Subtrees searched without a filling, by exact key; two slots per bucket, the newer
// first. Made once per solve, when first needed. A finished solve leaves its table to the
// next one on the same thread, which clears it: a fresh 128 KiB block may cost a page
// fault per 4 KiB each time, which clearing memory already in the cache does not.
class FailedStates {
public:
    // 128 KiB: small enough to stay in the cache, which matters more than more slots.
    static constexpr int kBucketBits = 12;
    static constexpr std::size_t kSlots = std::size_t{2} << kBucketBits;
    static constexpr std::size_t kBytes = kSlots * 16;

    FailedStates() = default;
    FailedStates(const FailedStates&) = delete;
    FailedStates& operator=(const FailedStates&) = delete;
    ~FailedStates() {
        if (m_slots && !t_spare)
            t_spare = std::move(m_slots);
    }
    void make() {
        if (t_spare) {
            m_slots = std::move(t_spare);
            std::fill_n(m_slots.get(), kSlots, Slot{});
        } else {
            m_slots = std::make_unique<Slot[]>(kSlots);
        }
    }
    bool holds(std::uint64_t unused, std::uint64_t frontier) const {
        const Slot* b = bucket(unused, frontier);
        return (b[0].unused == unused && b[0].frontier == frontier) ||
               (b[1].unused == unused && b[1].frontier == frontier);
    }
    void add(std::uint64_t unused, std::uint64_t frontier) {
        Slot* b = bucket(unused, frontier);
        b[1] = b[0];
        b[0] = {unused, frontier};
    }

private:
    // An empty slot has frontier 0, which no key has: keys carry their level (>= 1).
    struct Slot {
        std::uint64_t unused = 0;
        std::uint64_t frontier = 0;
    };
    Slot* bucket(std::uint64_t unused, std::uint64_t frontier) const {
        const std::uint64_t h =
            (unused ^ (frontier * 0x9E3779B97F4A7C15ULL)) * 0xBF58476D1CE4E5B9ULL;
        return &m_slots[static_cast<std::size_t>(h >> (64 - kBucketBits)) * 2];
    }
    std::unique_ptr<Slot[]> m_slots;
    // Nested solves each take their own: only one that finds the spare free reuses it.
    static thread_local std::unique_ptr<Slot[]> t_spare;
};

thread_local std::unique_ptr<FailedStates::Slot[]> FailedStates::t_spare;

// The failed-state cut: the cells are filled in a fixed order, so the subtree below a
// level is decided by the level, the set of unused pieces and the codes the laid cells ask
// of the empty ones. A subtree searched to its end without a filling is remembered under
// that exact key (a false hit would change the answer) and skipped when met again. The
// table (FailedStates) is made only after the solve has laid a few thousand pieces, and
// only levels with enough levels below are remembered.
class FailedStateCut {
public:
    // Whether the solve may use it; with many codes (equal-matching boards) states seldom
    // come back and the look-ups cost more than they save.
    bool plan(const PuzzleRequest& req, const SolveOptions& options) {
        const bool pays = req.header.matchSum != 0 || options.pruneEagerly;
        m_wanted = (options.prunings & kPruneFailedStates) != 0 && pays;
        m_on = false;
        return m_wanted;
    }
    bool wanted() const { return m_wanted; }
    bool on() const { return m_on; }
    // Per level the frontier (where the codes of laid cells facing deeper levels are read)
    // and whether the level is worth remembering; then the table.
    void start(const BoardView& board, const Code (*asked)[8], bool eager) {
        const PuzzleRequest& req = *board.req;
        m_rememberAt.fill(false);
        const int minDepth = eager ? 1 : kFailedStateMinDepth;
        for (int l = 1; l <= board.n - minDepth; ++l) {
            Frontier& f = m_frontier[static_cast<size_t>(l)];
            f.count = 0;
            bool fits = true;
            for (int j = 1; j <= l && fits; ++j) {
                const int cell = req.freeCells[static_cast<size_t>(j - 1)];
                const CellLinks& links = req.links[static_cast<size_t>(cell)];
                for (int i = 0; i < links.count && fits; ++i) {
                    const CellLink& link = links.links[static_cast<size_t>(i)];
                    if (board.levelOf[link.neighbour] <= l)
                        continue;
                    if (f.count == kMaxFrontier)
                        fits = false;
                    else
                        f.asked[static_cast<size_t>(f.count++)] = &asked[j][link.cellEdge - 1];
                }
            }
            m_rememberAt[static_cast<size_t>(l)] = fits;
        }
        m_table.make();
        m_keyAt.fill(0);
        m_on = true;
    }
    // The subtree below `level` is known to hold no filling. The key is kept for
    // remember(): the laid cells ask the same until the search backs out of it.
    [[gnu::always_inline]] bool knownToFail(size_t level, std::uint64_t unused) {
        if (!m_on || !m_rememberAt[level])
            return false;
        m_keyAt[level] = frontierKey(level);
        return m_table.holds(unused, m_keyAt[level]);
    }
    [[gnu::always_inline]] void remember(size_t level, std::uint64_t unused) {
        if (m_on && m_rememberAt[level]) {
            // No key kept when the table started below this level's node.
            const std::uint64_t key = m_keyAt[level] != 0 ? m_keyAt[level] : frontierKey(level);
            m_table.add(unused, key);
        }
    }

private:
    std::uint64_t frontierKey(size_t level) const {
        const Frontier& f = m_frontier[level];
        std::uint64_t key = static_cast<std::uint64_t>(level) << 56;
        for (int i = 0; i < f.count; ++i)
            key |= static_cast<std::uint64_t>(*f.asked[static_cast<size_t>(i)]) << (4 * i);
        return key;
    }

    bool m_wanted = false;
    bool m_on = false;
    FailedStates m_table;
    std::array<bool, kMaxCells + 1> m_rememberAt;
    std::array<std::uint64_t, kMaxCells + 1> m_keyAt; // per level, its node's key; 0: none
    std::array<Frontier, kMaxCells + 1> m_frontier;
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
    // Setup, in the order run() calls it.
    void numberLevels();
    void describePieces();
    void findEqualPieces();
    void collectDemands(std::array<LevelDemands, kMaxCells + 1>& demands);
    void makeCodeIndexes(const std::array<LevelDemands, kMaxCells + 1>& demands);
    void makeFitTables(const std::array<LevelDemands, kMaxCells + 1>& demands);
    void firstLevelFailed(unsigned pair);
    void planCompletion();
    bool startCompletion();
    // How many of the cheapest nodes (pair mode) one of this board's nodes is worth.
    int completionNodeCost() const { return m_pairs ? 1 : 4; }

    // Setup helpers.
    Demand demandOf(int cell, int laidUpTo) const;
    unsigned fixedRotations(const Demand& d, int p) const;
    // The rotations of piece p worth trying that meet the demand's fixed neighbours.
    unsigned fittingRotations(const Demand& d, int p) const {
        return fixedRotations(d, p) & m_worthTrying[static_cast<size_t>(p)];
    }
    // The one walk every fit table is made by: fit(p, r) for each such piece and rotation.
    template <class Fit> void forEachFit(const Demand& d, Fit fit) const {
        for (int p = 0; p < m_n; ++p)
            for (unsigned m = fittingRotations(d, p); m != 0; m &= m - 1)
                fit(p, std::countr_zero(m));
    }
    // The fit-table index that piece p in rotation r answers for demand d.
    int tableIndexOf(const Demand& d, int p, int r) const {
        const int a = d.dynamicCount >= 1 ? m_shows[p][r][d.dynamic[0].edge] : 0;
        const int b = d.dynamicCount >= 2 ? m_shows[p][r][d.dynamic[1].edge] : 0;
        return a * kStride + b;
    }
    int tableFor(const Demand& d);
    const RotationRow* rotationsFor(const Demand& d, int table);
    Probe probeFor(const Demand& d, int table) const;
    int slowFor(const Demand& d);
    // Where piece p in rotation r is counted in the bit sets of candidates and tables.
    int bitOf(int p, int r) const { return m_pairs ? p * m_length + r : p; }
    bool fixedCellsFit() const;
    BoardView boardView() const {
        return {&m_req, m_n, m_length, m_shows, m_needs, m_needOf, m_levelOf.data(), m_fixedAt.data()};
    }

    // The search.
    template <int kL> int length() const { return kL != 0 ? kL : m_length; }
    // Slow demands (three or more laid neighbours) are answered rotation by rotation.
    void slowAsked(const SlowDemand& d, Code* asked) const;
    std::uint64_t slowFitIn(const SlowDemand& d, const Code* asked, int r,
                            std::uint64_t unused) const;
    template <int kL> bool slowFits(const SlowDemand& d, std::uint64_t unused) const;
    template <int kL> bool restFits(const Lookahead& ahead, std::uint64_t unused) const;
    // After a piece is laid at `level`: does every empty neighbour still have a piece?
    template <int kL>
    [[gnu::always_inline]] bool aheadFits(size_t level, std::uint64_t unused) const {
        const Probe& q0 = m_probes[level][0];
        const Probe& q1 = m_probes[level][1];
        const std::uint64_t f0 = q0.fitting() & unused;
        const std::uint64_t f1 = q1.fitting() & unused;
        if ((f0 == 0) | (f1 == 0))
            return false;
        return !m_moreAhead[level] || restFits<kL>(m_ahead[level], unused);
    }
    // Counts one more node, laid at `level`; every kCheckEvery nodes looks at the stop flag
    // and the clock, and may ask whether the laid pieces can still be completed. True when
    // the walk must leave the node: on a stop (m_stopped), or because the subtree below
    // some level holds no filling; then the levels below that one have nothing left to
    // try, and the walk backs out to it as from any subtree searched to its end.
    [[gnu::always_inline]] bool countNodeAndLeave(std::uint64_t& nodes, size_t level) {
        if ((++nodes & (kCheckEvery - 1)) != 0) [[likely]]
            return false;
        return lookAround(nodes, level);
    }
    // The rare part, out of line: inlined, it took registers from the walk's hot loop.
    [[gnu::noinline]] bool lookAround(std::uint64_t nodes, size_t level) {
        m_stats.nodes = nodes;
        if (poll()) {
            m_stopped = true;
            return true;
        }
        return m_completionWanted && nodes >= m_completionFrom &&
               completionCuts(static_cast<int>(level));
    }
    bool completionCuts(int level);
    CompletionBoard describeCompletion() const;
    bool everyCellHasAPiece() const;
    // Piece mode: the level's candidates; their rotations are left in m_candidateRotations.
    template <int kL> std::uint64_t enterLevel(size_t level, std::uint64_t unused);
    // kCuts: edge counts or failed states are on. Without them a walk pays nothing for them.
    template <int kL, bool kCuts> [[gnu::noinline]] bool search();
    // Pair mode: the level's candidate (piece, rotation) pairs.
    template <int kL>
    [[gnu::always_inline]] std::uint64_t pairCandidates(size_t level, std::uint64_t unused) const;
    template <int kL, bool kCuts> [[gnu::noinline]] bool searchPairs();
    // The walk for this board: pair or piece mode, for its piece length.
    template <bool kCuts> bool walk() {
        switch (m_length) {
        case 4:
            return m_pairs ? searchPairs<4, kCuts>() : search<4, kCuts>();
        case 6:
            return m_pairs ? searchPairs<6, kCuts>() : search<6, kCuts>();
        default:
            return m_pairs ? searchPairs<0, kCuts>() : search<0, kCuts>();
        }
    }
    bool poll();
    bool pumpIfDue();
    void startFailedStates() {
        m_failedStates.start(boardView(), m_asked, m_options.pruneEagerly);
        m_stats.failedStateBytes = FailedStates::kBytes;
    }
    void fill(Filling& filling) const;

    const PuzzleRequest& m_req;
    EventPump& m_pump;
    const std::atomic<bool>& m_stop;
    const SolveOptions& m_options;
    SolveStats& m_stats;
    SteadyClock m_steady;
    SolveClock* m_clock = nullptr;
    std::int64_t m_lastPump = 0;
    bool m_stopped = false;

    // The board and the pieces.
    int m_n = 0;                                   // levels, and pieces to place
    int m_length = 0;                              // edges per piece
    unsigned m_allRotations = 0;                   // every rotation of a piece, as a bit set
    std::uint64_t m_all = 0;                       // every piece, or every (piece, rotation) pair
    bool m_pairs = false;                          // bit sets count pairs rather than pieces
    std::array<int, kMaxCells + 1> m_levelOf{};    // per cell; 0 for fixed cells and beyond count
    std::array<int, kMaxCells + 1> m_fixedAt{};    // per cell, 1-based index into fixed; 0 if none
    Code m_needOf[kCodes]{};                       // per code, what a touching edge must show
    Code m_shows[kMaxCells][6][6];                 // piece to place, rotation, cell edge
    Code m_needs[kMaxCells][6][8];                 // the same as the codes a neighbour must show
    std::array<unsigned, kMaxCells> m_worthTrying; // per piece, rotations after symmetry
    std::array<int, kMaxCells> m_pieceValue; // per piece, its digits as a number: equal strings
                                             // have equal values, all being of one length
    // Per piece or pair: the bits that leave or join the unused set when it is laid (its
    // own, and its string's next copy); and the later copies, not candidates at first.
    std::array<std::uint64_t, 64> m_layToggle;
    std::uint64_t m_laterCopies = 0;

    // Fit tables, and what the levels read from them.
    std::uint64_t m_showingInRotation[6][6][kCodes]; // cell edge, rotation, code -> bit set
    RotationRow m_rotationsShowing[6][kCodes];       // cell edge, code -> per piece its rotations
    const std::uint64_t m_pass[1] = {~0ULL};
    const Code m_zero = 0;
    struct TableKey {
        int e1, e2; // laid edges, -1 when absent
        int staticCount;
        std::array<StaticLink, kMaxTerms> statics;
    };
    std::vector<FitTable> m_tables;
    std::vector<TableKey> m_tableKeys;
    std::vector<RotationTable> m_rotationTables;
    std::vector<int> m_rotationTableOf; // per fit table, -1 until an entry needs its rotations
    std::vector<SlowDemand> m_slowDemands;
    std::array<Entry, kMaxCells + 1> m_entry;
    std::array<Lookahead, kMaxCells + 1> m_ahead;
    // The hot part of m_ahead, apart so that a level's look-ahead is one short stride.
    std::array<std::array<Probe, 2>, kMaxCells + 1> m_probes;
    std::array<bool, kMaxCells + 1> m_moreAhead;
    std::array<RotationRow, kMaxCells + 1> m_slowRotations; // per level, for slow entries

    EdgeCounts m_edgeCounts;

    // Failed states: per level whether to look, where its frontier codes are.
    // Nodes before the count changes are made and failed states remembered.
    std::uint64_t m_costlierSetupAfter = kCostlierSetupAfterNodes;
    FailedStateCut m_failedStates;

    // Per level during the search: candidates left, what lies, and what it asks.
    std::array<std::uint64_t, kMaxCells + 1> m_candidates;
    std::array<const std::uint8_t*, kMaxCells + 1> m_candidateRotations; // per piece
    std::array<unsigned, kMaxCells + 1> m_rotationsLeft;
    std::array<int, kMaxCells + 1> m_piece; // in pair mode the (piece, rotation) pair
    std::array<int, kMaxCells + 1> m_rotation;
    alignas(16) Code m_asked[kMaxCells + 1][8]; // per level the codes its neighbours must show
    // Pair mode: per level the unused pairs on entering it; per pair the codes it asks of
    // its neighbours.
    std::array<std::uint64_t, kMaxCells + 1> m_unusedAt;
    alignas(16) Code m_pairNeeds[64][8];
    // Turned corners: how many pieces, from the first, failed in the first cell; the corners'
    // own copies of their tables, which the probes asking for them read.
    TurnedCorners m_turns;

    // Completion: what each level's cell asks of the fixed cells, and the check once a
    // solve runs long.
    std::array<Demand, kMaxCells + 1> m_entryDemand; // per level, on entering it
    bool m_completionWanted = false;
    std::uint64_t m_completionFrom = 0; // nodes before the first look
    std::unique_ptr<CompletionCheck> m_completion; // made at the first look
    unsigned m_completionLooks = 0;
};

// ---- Setup -----------------------------------------------------------------------------

// Levels and cells: which level fills which cell, which cells are fixed, how codes meet.
void Search::numberLevels() {
    m_n = static_cast<int>(m_req.toPlace.size());
    m_length = m_req.pieceLength;
    m_pairs = m_n * m_length <= 64;
    const int bits = m_pairs ? m_n * m_length : m_n;
    m_all = bits == 64 ? ~0ULL : (1ULL << bits) - 1;
    m_allRotations = (1u << m_length) - 1;
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
}

// Per piece to place and rotation: the codes it shows and asks on each edge.
void Search::describePieces() {
    std::memset(m_asked, 0, sizeof m_asked);
    for (int p = 0; p < m_n; ++p) {
        const std::string& s =
            m_req.pieces[static_cast<size_t>(m_req.toPlace[static_cast<size_t>(p)])];
        m_worthTrying[static_cast<size_t>(p)] = rotationsWorthTrying(s) & m_allRotations;
        // The digits twice over: rotation r shows on edge k the digit at k - r + length.
        Code twice[12];
        int value = 0;
        for (int k = 0; k < m_length; ++k) {
            const int digit = s[static_cast<size_t>(k)] - '0';
            twice[k] = twice[k + m_length] = static_cast<Code>(digit);
            value = value * 10 + digit;
        }
        m_pieceValue[static_cast<size_t>(p)] = value;
        for (int r = 0; r < m_length; ++r) {
            const Code* shown = twice + m_length - r;
            Code* needs = m_needs[p][r];
            for (int k = 0; k < m_length; ++k) {
                m_shows[p][r][k] = shown[k];
                needs[k] = m_needOf[shown[k]];
            }
            // Copied whole into a level's asked codes: the edges beyond the piece ask nothing.
            std::fill(needs + m_length, needs + 8, Code{0});
            if (m_pairs) {
                const size_t i = static_cast<size_t>(bitOf(p, r));
                std::memcpy(m_pairNeeds[i], m_needs[p][r], sizeof m_pairNeeds[0]);
            }
        }
    }
}

// What laying a piece does to the set of unused pieces: its own bits leave, and under the
// equal-pieces rule the next copy of its string joins (every copy but the first starts
// out of the set). Both are known before the search, so laying and taking back is one XOR.
void Search::findEqualPieces() {
    const auto bitsOf = [this](int p) {
        return m_pairs ? static_cast<std::uint64_t>(m_allRotations) << (p * m_length) : 1ULL << p;
    };
    const int rotations = m_pairs ? m_length : 1;
    for (int p = 0; p < m_n; ++p)
        for (int r = 0; r < rotations; ++r)
            m_layToggle[static_cast<size_t>(bitOf(p, r))] = bitsOf(p);
    m_laterCopies = 0;
    if ((m_options.prunings & kPruneEqualPieces) == 0)
        return;
    for (int p = 0; p < m_n; ++p) {
        for (int q = p + 1; q < m_n; ++q) {
            if (m_pieceValue[static_cast<size_t>(q)] != m_pieceValue[static_cast<size_t>(p)])
                continue;
            for (int r = 0; r < rotations; ++r)
                m_layToggle[static_cast<size_t>(bitOf(p, r))] |= bitsOf(q);
            m_laterCopies |= bitsOf(q);
            break;
        }
    }
}

Demand Search::demandOf(int cell, int laidUpTo) const {
    Demand d{};
    const CellLinks& links = m_req.links[static_cast<size_t>(cell)];
    for (int i = 0; i < links.count; ++i) {
        const CellLink& link = links.links[static_cast<size_t>(i)];
        const int edge = link.cellEdge - 1;
        const int neighbourEdge = link.neighbourEdge - 1;
        if (const int f = m_fixedAt[static_cast<size_t>(link.neighbour)]; f != 0) {
            const int code = codeOfFixed(m_req.fixed[static_cast<size_t>(f - 1)], neighbourEdge);
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

// Per level: what its cell asks on entry (cells laid above it), and what each of its
// deeper neighbours asks once it lies.
void Search::collectDemands(std::array<LevelDemands, kMaxCells + 1>& demands) {
    for (int l = 1; l <= m_n; ++l) {
        LevelDemands& level = demands[static_cast<size_t>(l)];
        const int cell = m_req.freeCells[static_cast<size_t>(l - 1)];
        Demand& entry = m_entryDemand[static_cast<size_t>(l)];
        entry = demandOf(cell, l - 1);
        entry.level = l;
        level.aheadCount = 0;
        const CellLinks& links = m_req.links[static_cast<size_t>(cell)];
        std::uint64_t seen = 0;
        for (int i = 0; i < links.count; ++i) {
            const int g = links.links[static_cast<size_t>(i)].neighbour;
            if (m_levelOf[static_cast<size_t>(g)] > l && !(seen >> g & 1)) {
                seen |= 1ULL << g;
                Demand& a = level.ahead[static_cast<size_t>(level.aheadCount++)];
                a = demandOf(g, l);
                a.level = m_levelOf[static_cast<size_t>(g)];
            }
        }
    }
}

// The rotations in which piece p meets every fixed neighbour of the demand.
unsigned Search::fixedRotations(const Demand& d, int p) const {
    unsigned m = 0x3F;
    for (int i = 0; i < d.staticCount; ++i) {
        const StaticLink& k = d.statics[static_cast<size_t>(i)];
        m &= m_rotationsShowing[k.edge][k.code][static_cast<size_t>(p)];
    }
    return m;
}

// Indexes by code, made only when something reads them: the slow demands (cells with
// three or more laid neighbours, hexagons) and the cells next to fixed ones.
void Search::makeCodeIndexes(const std::array<LevelDemands, kMaxCells + 1>& demands) {
    bool anySlow = false;
    for (int l = 1; l <= m_n; ++l) {
        const LevelDemands& level = demands[static_cast<size_t>(l)];
        anySlow |= !m_entryDemand[static_cast<size_t>(l)].byLookup();
        for (int i = 0; i < level.aheadCount; ++i)
            anySlow |= !level.ahead[static_cast<size_t>(i)].byLookup();
    }
    if (anySlow) {
        std::memset(m_showingInRotation, 0, sizeof m_showingInRotation);
        for (int p = 0; p < m_n; ++p)
            for (int r = 0; r < m_length; ++r) {
                const std::uint64_t bit = 1ULL << bitOf(p, r);
                const Code* shown = m_shows[p][r];
                for (int k = 0; k < m_length; ++k)
                    m_showingInRotation[k][r][shown[k]] |= bit;
            }
    }
    if (!m_req.fixed.empty()) {
        std::memset(m_rotationsShowing, 0, sizeof m_rotationsShowing);
        for (int p = 0; p < m_n; ++p)
            for (int r = 0; r < m_length; ++r)
                for (int k = 0; k < m_length; ++k)
                    m_rotationsShowing[k][m_shows[p][r][k]][static_cast<size_t>(p)] |=
                        static_cast<std::uint8_t>(1u << r);
    }
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
    const auto sameStatics = [&key](const TableKey& k) {
        for (int i = 0; i < key.staticCount; ++i) {
            const StaticLink& x = k.statics[static_cast<size_t>(i)];
            const StaticLink& y = key.statics[static_cast<size_t>(i)];
            if (x.edge != y.edge || x.code != y.code)
                return false;
        }
        return true;
    };
    for (size_t t = 0; t < m_tableKeys.size(); ++t) {
        const TableKey& k = m_tableKeys[t];
        if (k.e1 == key.e1 && k.e2 == key.e2 && k.staticCount == key.staticCount && sameStatics(k))
            return static_cast<int>(t);
    }
    m_tableKeys.push_back(key);
    FitTable& table = m_tables.emplace_back();
    table.fill(0);
    forEachFit(d, [&](int p, int r) {
        table[static_cast<size_t>(tableIndexOf(d, p, r))] |= 1ULL << bitOf(p, r);
    });
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
        forEachFit(d, [&](int p, int r) {
            rows[static_cast<size_t>(tableIndexOf(d, p, r))][static_cast<size_t>(p)] |=
                static_cast<std::uint8_t>(1u << r);
        });
    }
    return m_rotationTables[static_cast<size_t>(index)].data();
}

Probe Search::probeFor(const Demand& d, int table) const {
    const auto source = [&](int i) {
        if (i >= d.dynamicCount)
            return &m_zero;
        const DynamicLink& k = d.dynamic[static_cast<size_t>(i)];
        return &m_asked[k.level][k.neighbourEdge];
    };
    return {m_tables[static_cast<size_t>(table)].data(), source(0), source(1), d.level};
}

int Search::slowFor(const Demand& d) {
    SlowDemand& s = m_slowDemands.emplace_back();
    s.staticFit.fill(0);
    forEachFit(d, [&](int p, int r) { s.staticFit[static_cast<size_t>(r)] |= 1ULL << bitOf(p, r); });
    s.dynamicCount = d.dynamicCount;
    s.dynamic = d.dynamic;
    return static_cast<int>(m_slowDemands.size() - 1);
}

// Every demand gets its table (or a slow demand); then each level gets the probes it reads
// on entry and after laying. Tables first, probes last: the tables may move while made.
void Search::makeFitTables(const std::array<LevelDemands, kMaxCells + 1>& demands) {
    std::array<int, kMaxCells + 1> entryTable;
    std::array<std::array<int, kMaxLinks>, kMaxCells + 1> aheadTable;
    m_tables.reserve(static_cast<size_t>(m_n) + 4);
    for (int l = 1; l <= m_n; ++l) {
        const LevelDemands& level = demands[static_cast<size_t>(l)];
        const Demand& entry = m_entryDemand[static_cast<size_t>(l)];
        entryTable[static_cast<size_t>(l)] = entry.byLookup() ? tableFor(entry) : -1;
        for (int i = 0; i < level.aheadCount; ++i) {
            const Demand& a = level.ahead[static_cast<size_t>(i)];
            aheadTable[static_cast<size_t>(l)][static_cast<size_t>(i)] =
                a.byLookup() ? tableFor(a) : -1;
        }
    }

    const Probe pass{m_pass, &m_zero, &m_zero, 0};
    if (!m_pairs)
        m_rotationTables.reserve(m_tables.size());
    for (int l = 1; l <= m_n; ++l) {
        const size_t ls = static_cast<size_t>(l);
        const LevelDemands& level = demands[ls];
        const Demand& entry = m_entryDemand[ls];
        Entry& e = m_entry[ls];
        e.rotations = nullptr;
        if (entryTable[ls] >= 0) {
            e.slow = -1;
            e.probe = probeFor(entry, entryTable[ls]);
            // Pair mode has the rotations in its bit sets.
            if (!m_pairs)
                e.rotations = rotationsFor(entry, entryTable[ls]);
        } else {
            e.slow = slowFor(entry);
            e.probe = pass;
        }
        Lookahead& ahead = m_ahead[ls];
        ahead.probes = {pass, pass};
        ahead.extraCount = 0;
        ahead.slowCount = 0;
        int fast = 0;
        for (int i = 0; i < level.aheadCount; ++i) {
            const Demand& a = level.ahead[static_cast<size_t>(i)];
            const int t = aheadTable[ls][static_cast<size_t>(i)];
            if (t < 0)
                ahead.slow[static_cast<size_t>(ahead.slowCount++)] = slowFor(a);
            else if (fast < 2)
                ahead.probes[static_cast<size_t>(fast++)] = probeFor(a, t);
            else
                ahead.extra[static_cast<size_t>(ahead.extraCount++)] = probeFor(a, t);
        }
        m_probes[ls] = ahead.probes;
        m_moreAhead[ls] = ahead.extraCount + ahead.slowCount != 0;
    }
}

// The completion question: on boards with links whose edges all lie on the pieces.
void Search::planCompletion() {
    m_completionWanted =
        (m_options.prunings & kPruneCompletion) != 0 && !m_req.layout.empty() && m_n != 0;
    m_completionFrom = CompletionCheck::quietNodes(m_options.pruneEagerly, !m_req.fixed.empty(),
                                                   completionNodeCost());
}

// The check itself, made at the first look: short solves never pay for it. Not on a
// layout that links an edge a piece does not have.
bool Search::startCompletion() {
    for (int l = 1; l <= m_n; ++l) {
        const CellLinks& links =
            m_req.links[static_cast<size_t>(m_req.freeCells[static_cast<size_t>(l - 1)])];
        for (int i = 0; i < links.count; ++i)
            if (links.links[static_cast<size_t>(i)].cellEdge > m_length) {
                m_completionWanted = false;
                return false;
            }
    }
    m_completion = std::make_unique<CompletionCheck>([this] { return describeCompletion(); },
                                                     m_options.pruneEagerly,
                                                     !m_req.fixed.empty(), completionNodeCost());
    return true;
}


// The first level's `pair` has failed. Pairs are tried in piece order, so every piece
// before it has failed in every rotation, and so has its own piece once no rotation of it
// is left to try.
void Search::firstLevelFailed(unsigned pair) {
    const int p = static_cast<int>(pair) / m_length;
    const bool rotationsLeft = (m_candidates[1] >> (p * m_length) & m_allRotations) != 0;
    if (!m_turns.noteFailed(rotationsLeft ? p : p + 1))
        return;
    if (!m_turns.planned()) {
        if (m_stats.nodes < m_costlierSetupAfter)
            return;
        m_turns.plan(boardView(), m_options, m_pairs, m_entry, m_ahead, m_probes);
    }
    m_turns.banFailed(m_pieceValue.data(), m_allRotations);
}

// ---- The search ------------------------------------------------------------------------

// The codes a slow demand's laid neighbours ask for now.
inline void Search::slowAsked(const SlowDemand& d, Code* asked) const {
    for (int j = 0; j < d.dynamicCount; ++j) {
        const DynamicLink& k = d.dynamic[static_cast<size_t>(j)];
        asked[j] = m_asked[k.level][k.neighbourEdge];
    }
}

// What fits a slow demand in rotation r.
inline std::uint64_t Search::slowFitIn(const SlowDemand& d, const Code* asked, int r,
                                       std::uint64_t unused) const {
    std::uint64_t m = d.staticFit[static_cast<size_t>(r)] & unused;
    for (int j = 0; j < d.dynamicCount; ++j)
        m &= m_showingInRotation[d.dynamic[static_cast<size_t>(j)].edge][r][asked[j]];
    return m;
}

template <int kL> bool Search::slowFits(const SlowDemand& d, std::uint64_t unused) const {
    Code asked[kMaxTerms];
    slowAsked(d, asked);
    for (int r = 0; r < length<kL>(); ++r)
        if (slowFitIn(d, asked, r, unused) != 0)
            return true;
    return false;
}

template <int kL> bool Search::restFits(const Lookahead& ahead, std::uint64_t unused) const {
    for (int i = 0; i < ahead.extraCount; ++i) {
        const Probe& q = ahead.extra[static_cast<size_t>(i)];
        if ((q.fitting() & unused) == 0)
            return false;
    }
    for (int i = 0; i < ahead.slowCount; ++i) {
        const SlowDemand& d =
            m_slowDemands[static_cast<size_t>(ahead.slow[static_cast<size_t>(i)])];
        if (!slowFits<kL>(d, unused))
            return false;
    }
    return true;
}

template <int kL> std::uint64_t Search::enterLevel(size_t level, std::uint64_t unused) {
    const Entry& e = m_entry[level];
    if (e.rotations != nullptr) {
        const std::size_t i = e.probe.index();
        m_candidateRotations[level] = e.rotations[i].data();
        return e.probe.table[i] & unused;
    }
    const SlowDemand& d = m_slowDemands[static_cast<size_t>(e.slow)];
    Code asked[kMaxTerms];
    slowAsked(d, asked);
    std::uint64_t fit[6];
    std::uint64_t any = 0;
    for (int r = 0; r < length<kL>(); ++r) {
        fit[r] = slowFitIn(d, asked, r, unused);
        any |= fit[r];
    }
    RotationRow& row = m_slowRotations[level];
    for (std::uint64_t c = any; c != 0; c &= c - 1) {
        const int p = std::countr_zero(c);
        unsigned rotations = 0;
        for (int r = 0; r < length<kL>(); ++r)
            rotations |= static_cast<unsigned>((fit[r] >> p) & 1) << r;
        row[static_cast<size_t>(p)] = static_cast<std::uint8_t>(rotations);
    }
    m_candidateRotations[level] = row.data();
    return any;
}

template <int kL>
inline std::uint64_t Search::pairCandidates(size_t level, std::uint64_t unused) const {
    const Entry& e = m_entry[level];
    if (e.slow >= 0) {
        const SlowDemand& d = m_slowDemands[static_cast<size_t>(e.slow)];
        Code asked[kMaxTerms];
        slowAsked(d, asked);
        std::uint64_t any = 0;
        for (int r = 0; r < length<kL>(); ++r)
            any |= slowFitIn(d, asked, r, unused);
        return any;
    }
    return e.probe.fitting() & unused;
}

// Piece mode. `unused` holds the unused pieces (only the first unused copy of equal ones).
template <int kL, bool kCuts> bool Search::search() {
    // Kept in locals so the hot loop need not store through members.
    std::uint64_t nodes = 0;
    std::uint64_t unused = m_all & ~m_laterCopies;
    size_t level = 1;
    const size_t last = static_cast<size_t>(m_n);
    const bool edgeCounts = m_edgeCounts.on();
    // Takes the first of a level's candidates: its rotation set; it leaves `unused`, and
    // its next copy joins.
    const auto take = [&](std::uint64_t candidates) {
        const int p = lowestBit(candidates);
        m_candidates[level] = candidates & (candidates - 1);
        m_piece[level] = p;
        unused ^= m_layToggle[static_cast<size_t>(p)];
        return static_cast<unsigned>(m_candidateRotations[level][p]);
    };
    const auto giveBack = [&]() {
        const int p = m_piece[level];
        unused ^= m_layToggle[static_cast<size_t>(p)];
    };
    std::uint64_t first = enterLevel<kL>(1, unused);
    if (first == 0) {
        m_stats.nodes = 0;
        return false;
    }
    unsigned rotations = take(first);
    for (;;) {
        // Lay the level's next rotation, and go down while nothing rules the subtree out.
        for (;;) {
            const int p = m_piece[level];
            const int r = lowestBit(rotations);
            m_rotationsLeft[level] = rotations & (rotations - 1);
            m_rotation[level] = r;
            std::memcpy(m_asked[level], m_needs[p][r], sizeof m_asked[0]);
            if (countNodeAndLeave(nodes, level)) [[unlikely]] {
                if (m_stopped)
                    return false;
                break; // out of the subtree that holds no filling, as if searched to its end
            }
            if (level == last) {
                m_stats.nodes = nodes;
                return true;
            }
            if (!aheadFits<kL>(level, unused))
                break;
            const std::uint64_t next = enterLevel<kL>(level + 1, unused);
            if (next == 0)
                break;
            if (kCuts &&
                ((edgeCounts && !m_edgeCounts.allow<kL>(level, p, r)) ||
                 m_failedStates.knownToFail(level, unused)))
                break;
            ++level;
            rotations = take(next);
        }
        // Back at `level`: its next rotation, else its next candidate, else the level above,
        // whose subtree has then been searched to its end.
        for (;;) {
            rotations = m_rotationsLeft[level];
            if (rotations != 0)
                break;
            giveBack();
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
            if (kCuts)
                m_failedStates.remember(level, unused);
        }
    }
}

// Pair mode: a level walks one bit set of (piece, rotation) pairs in candidate order.
template <int kL, bool kCuts> bool Search::searchPairs() {
    std::uint64_t nodes = 0;
    size_t level = 1;
    const size_t last = static_cast<size_t>(m_n);
    const bool edgeCounts = m_edgeCounts.on();
    m_unusedAt[1] = m_all & ~m_laterCopies;
    m_candidates[1] = pairCandidates<kL>(1, m_unusedAt[1]);
    for (;;) {
        const std::uint64_t pairs = m_candidates[level];
        if (pairs == 0) {
            if (level == 1) {
                m_stats.nodes = nodes;
                return false;
            }
            --level;
            if (level == 1) [[unlikely]]
                firstLevelFailed(static_cast<unsigned>(m_piece[1]));
            if (kCuts)
                m_failedStates.remember(level, m_unusedAt[level + 1]);
            continue;
        }
        const unsigned i = lowestBit(pairs);
        m_candidates[level] = pairs & (pairs - 1);
        m_piece[level] = i; // the pair; fill() splits it
        std::memcpy(m_asked[level], m_pairNeeds[i], sizeof m_asked[0]);
        // Nothing to give back on leaving the level: each level keeps what was free above it.
        const std::uint64_t unused = m_unusedAt[level] ^ m_layToggle[static_cast<size_t>(i)];
        if (countNodeAndLeave(nodes, level)) [[unlikely]] {
            if (m_stopped)
                return false;
            continue; // out of the subtree that holds no filling, as if searched to its end
        }
        if (level == last) {
            m_stats.nodes = nodes;
            return true;
        }
        if (!aheadFits<kL>(level, unused))
            continue;
        const std::uint64_t next = pairCandidates<kL>(level + 1, unused);
        // The costlier cuts run only where the next level has a candidate; without them a
        // level without one is left at the loop's head, one test fewer per node.
        if constexpr (kCuts) {
            if (next == 0 ||
                (edgeCounts && !m_edgeCounts.allow<kL>(level, static_cast<int>(i / length<kL>()),
                                                    static_cast<int>(i % length<kL>()))) ||
                m_failedStates.knownToFail(level, unused))
                continue;
        }
        ++level;
        m_unusedAt[level] = unused;
        m_candidates[level] = next;
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
            const int x = codeOfFixed(f, link.cellEdge - 1);
            const int y =
                codeOfFixed(m_req.fixed[static_cast<size_t>(g - 1)], link.neighbourEdge - 1);
            if (sum != 0 ? x + y != sum : x != y)
                return false;
        }
    }
    return true;
}

// True when the search must end: a stop, or the node limit. A long solve also starts
// remembering failed states here.
bool Search::poll() {
    if (m_failedStates.wanted() && !m_failedStates.on() && m_stats.nodes >= m_costlierSetupAfter)
        startFailedStates();
    if (m_edgeCounts.on() && !m_edgeCounts.changesMade() && m_stats.nodes >= m_costlierSetupAfter)
        m_edgeCounts.planChanges();
    if (m_stop.load(std::memory_order_relaxed))
        return true;
    if (m_options.nodeLimit != 0 && m_stats.nodes >= m_options.nodeLimit) {
        m_stats.nodeLimitReached = true;
        return true;
    }
    return pumpIfDue();
}

// Lets events through when the pump interval has passed; true once a stop is asked for.
bool Search::pumpIfDue() {
    const std::int64_t now = m_clock->nowNs();
    if (now - m_lastPump >= m_options.pumpIntervalNs) {
        m_lastPump = now;
        ++m_stats.pumps;
        m_pump.processPendingEvents();
    }
    return m_stop.load(std::memory_order_relaxed);
}

// Asks whether the pieces laid down to `level` can be completed, where the subtree has
// run long enough; true when it cuts, or when a stop came meanwhile.
bool Search::completionCuts(int level) {
    // Every fourth look: the bookkeeping is not free, and no check is due sooner.
    if (!m_options.pruneEagerly && (++m_completionLooks & 3) != 0)
        return false;
    if (!m_completion && !startCompletion())
        return false;
    std::array<int, kMaxCells + 1> piece;
    std::array<int, kMaxCells + 1> rotation;
    for (int l = 1; l <= level; ++l) {
        const size_t i = static_cast<size_t>(l);
        piece[i] = m_pairs ? m_piece[i] / m_length : m_piece[i];
        rotation[i] = m_pairs ? m_piece[i] % m_length : m_rotation[i];
    }
    const CompletionCheck::Interrupt interrupt = [this] { return pumpIfDue(); };
    const int dead = m_completion->deadLevel(piece.data(), rotation.data(), level,
                                             m_stats.nodes, interrupt);
    m_stats.completionQuestions = m_completion->questions();
    if (m_stop.load(std::memory_order_relaxed)) {
        m_stopped = true;
        return true;
    }
    if (dead < 0)
        return false;
    // Backing out records each level left as failed, which it is: it lies in the dead subtree.
    for (int l = dead + 1; l <= level; ++l) {
        m_candidates[static_cast<size_t>(l)] = 0;
        m_rotationsLeft[static_cast<size_t>(l)] = 0;
    }
    return true;
}

// The board as the completion question sees it.
CompletionBoard Search::describeCompletion() const {
    CompletionBoard b;
    b.levels = m_n;
    b.length = m_length;
    b.fits.resize(static_cast<size_t>(m_n));
    for (int l = 1; l <= m_n; ++l) {
        const Demand& d = m_entryDemand[static_cast<size_t>(l)];
        auto& fits = b.fits[static_cast<size_t>(l - 1)];
        for (int p = 0; p < m_n; ++p)
            fits[static_cast<size_t>(p)] = d.staticCount == 0
                                               ? m_worthTrying[static_cast<size_t>(p)]
                                               : fittingRotations(d, p);
    }
    b.shows.resize(static_cast<size_t>(m_n));
    for (int p = 0; p < m_n; ++p)
        for (int r = 0; r < m_length; ++r)
            for (int k = 0; k < m_length; ++k)
                b.shows[static_cast<size_t>(p)][static_cast<size_t>(r)][static_cast<size_t>(k)] =
                    static_cast<std::uint8_t>(m_shows[p][r][k]);
    for (int c = 0; c < kCodes; ++c)
        b.need[static_cast<size_t>(c)] = static_cast<std::uint8_t>(m_needOf[c]);
    b.links.reserve(static_cast<size_t>(m_n * m_length / 2));
    for (int l = 1; l <= m_n; ++l) {
        const int cell = m_req.freeCells[static_cast<size_t>(l - 1)];
        const CellLinks& links = m_req.links[static_cast<size_t>(cell)];
        for (int i = 0; i < links.count; ++i) {
            const CellLink& link = links.links[static_cast<size_t>(i)];
            const int g = m_levelOf[static_cast<size_t>(link.neighbour)];
            if (g > l)
                b.links.push_back({l, link.cellEdge - 1, g, link.neighbourEdge - 1});
        }
    }
    return b;
}

// Before any piece is laid: every free cell must have a piece that meets its fixed
// neighbours in some rotation, or no filling exists.
bool Search::everyCellHasAPiece() const {
    for (int l = 1; l <= m_n; ++l) {
        const Demand& d = m_entryDemand[static_cast<size_t>(l)];
        if (d.staticCount == 0)
            continue;
        int p = 0;
        while (p < m_n && fittingRotations(d, p) == 0)
            ++p;
        if (p == m_n)
            return false;
    }
    return true;
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
        int piece = m_piece[static_cast<size_t>(l)];
        int rotation = m_rotation[static_cast<size_t>(l)];
        if (m_pairs) {
            rotation = piece % m_length;
            piece /= m_length;
        }
        const int p = m_req.toPlace[static_cast<size_t>(piece)];
        filling.piece[cell] = &m_req.pieces[static_cast<size_t>(p)];
        filling.rotation[cell] = rotation;
    }
}

SolveOutcome Search::run(Filling& filling) {
    m_clock = m_options.clock ? m_options.clock : &m_steady;
    m_lastPump = m_clock->nowNs();

    numberLevels();
    describePieces();
    findEqualPieces();
    {
        std::array<LevelDemands, kMaxCells + 1> demands;
        collectDemands(demands);
        makeCodeIndexes(demands);
        makeFitTables(demands);
    }
    planCompletion();
    m_costlierSetupAfter = m_options.pruneEagerly ? 0 : kCostlierSetupAfterNodes;
    m_edgeCounts.plan(boardView(), m_options);
    if (m_failedStates.plan(m_req, m_options) && m_costlierSetupAfter == 0)
        startFailedStates();

    bool solved = false;
    if (m_n == 0) {
        solved = fixedCellsFit();
    } else if ((m_edgeCounts.on() && !m_edgeCounts.coverableAtStart()) ||
               !everyCellHasAPiece()) {
        solved = false; // no filling at all: nothing to search
    } else {
        if (m_edgeCounts.on() && m_costlierSetupAfter == 0)
            m_edgeCounts.planChanges();
        solved = m_edgeCounts.on() || m_failedStates.wanted() ? walk<true>() : walk<false>();
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

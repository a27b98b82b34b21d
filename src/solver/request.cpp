// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a "solvepuzzle" request: the header, the pieces, the fixed pieces, the board.
#include "solver/request.h"

#include <algorithm>
#include <array>

namespace tarno {

namespace {

bool isPieceString(std::string_view s) {
    return !s.empty() && s.size() <= 6 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

ParsedRequest refuse(std::string why) {
    return {std::nullopt, std::move(why)};
}

// Square boards carry four-edge pieces and stored hexagon boards six-edge ones; a
// board without links accepts any length, since no edge is ever compared there.
int requiredLength(const PuzzleHeader& h) {
    if (h.kind == "tarno" || h.kind == "angle" || h.kind == "kpuzzle" || h.kind == "bg")
        return 4;
    if (h.kind == "hexa" && hexLayoutFor(h.size))
        return 6;
    return 0;
}

} // namespace

std::optional<int> parseDecimal(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<PuzzleHeader> ParsePuzzleHeader(std::string_view header) {
    const size_t star = header.find('*');
    if (star == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> count = parseDecimal(header.substr(star + 1));
    if (!count)
        return std::nullopt;
    const std::string_view name = header.substr(0, star);
    const std::string_view prefix = name.substr(0, std::min<size_t>(2, name.size()));
    // The texts are chosen first and the header built from them once: assigning string
    // literals to a header's strings made GCC 12 at -O3 warn that they may be used
    // uninitialized (-Wmaybe-uninitialized), which they cannot.
    std::string_view kind;
    std::string_view size;
    int matchSum = 0;
    if (prefix == "ta") {
        kind = "tarno";
        size = name == "tarno9" ? "9" : "16";
    } else if (prefix == "an") {
        kind = "angle";
        size = "16";
    } else if (prefix == "kp") {
        kind = "kpuzzle";
        size = "16";
    } else if (prefix == "he") {
        kind = "hexa";
        size = name.size() > 4 ? name.substr(4) : std::string_view();
    } else if (prefix == "bg") {
        kind = "bg";
        size = name.substr(2);
        matchSum = 3;
    }
    // An unknown name gives a board without links, where the matching mode never counts.
    return PuzzleHeader{std::string(kind), std::string(size), *count, matchSum};
}

ParsedRequest parseRequest(std::span<const std::string> items) {
    if (items.empty())
        return refuse("no header");
    std::optional<PuzzleHeader> header = ParsePuzzleHeader(items[0]);
    if (!header)
        return refuse("header is not name*count");
    const int count = header->count;
    if (count < 1 || count > kMaxCells)
        return refuse("count outside 1..40");
    const size_t rest = items.size() - 1;
    if (rest < static_cast<size_t>(count) || (rest - static_cast<size_t>(count)) % 3 != 0)
        return refuse("item count is not 1 + count + 3K");
    const size_t k = (rest - static_cast<size_t>(count)) / 3;
    if (k > static_cast<size_t>(count))
        return refuse("more fixed pieces than cells");

    if (header->kind == "bg") {
        const std::string& s = header->size;
        if (s.empty() || s.front() < '0' || s.front() > '9' || s.back() < '0' || s.back() > '9')
            return refuse("bg size does not start and end with a digit");
        if ((s.front() - '0') * (s.back() - '0') > kMaxCells)
            return refuse("bg grid has more than 40 cells");
    }

    PuzzleRequest req;
    req.header = std::move(*header);
    req.pieces.assign(items.begin() + 1, items.begin() + 1 + count);
    for (const std::string& p : req.pieces)
        if (!isPieceString(p))
            return refuse("piece is not one to six digits");
    const size_t length = req.pieces.front().size();
    for (const std::string& p : req.pieces)
        if (p.size() != length)
            return refuse("pieces differ in length");
    const int needed = requiredLength(req.header);
    if (needed != 0 && static_cast<int>(length) != needed)
        return refuse("piece length does not suit the board");
    req.pieceLength = static_cast<int>(length);

    std::vector<bool> cellFixed(static_cast<size_t>(count) + 1, false);
    for (size_t i = 0; i < k; ++i) {
        FixedPiece f;
        f.piece = items[1 + count + i];
        const std::optional<int> cell = parseDecimal(items[1 + count + k + i]);
        const std::optional<int> rotation = parseDecimal(items[1 + count + 2 * k + i]);
        if (!isPieceString(f.piece) || f.piece.size() != length)
            return refuse("fixed piece is not a piece string of the pieces' length");
        if (!cell || *cell < 1 || *cell > count)
            return refuse("fixed cell outside 1..count");
        if (cellFixed[static_cast<size_t>(*cell)])
            return refuse("fixed cell used twice");
        if (!rotation || *rotation >= req.pieceLength)
            return refuse("fixed rotation outside 0..L-1");
        cellFixed[static_cast<size_t>(*cell)] = true;
        f.cell = *cell;
        f.rotation = *rotation;
        req.fixed.push_back(std::move(f));
    }

    // Each fixed piece takes the first equal piece string not yet taken.
    std::vector<bool> taken(static_cast<size_t>(count), false);
    for (const FixedPiece& f : req.fixed) {
        size_t i = 0;
        while (i < req.pieces.size() && (taken[i] || req.pieces[i] != f.piece))
            ++i;
        if (i == req.pieces.size())
            return refuse("fixed piece is not among the pieces");
        taken[i] = true;
    }
    for (int c = 1; c <= count; ++c)
        if (!cellFixed[static_cast<size_t>(c)])
            req.freeCells.push_back(c);
    for (int i = 0; i < count; ++i)
        if (!taken[static_cast<size_t>(i)])
            req.toPlace.push_back(i);

    req.layout = LayoutFor(req.header.kind, req.header.size);
    std::optional<CellLinkTable> links = BuildCellLinks(req.layout);
    if (!links)
        return refuse("board layout does not fit the tables");
    req.links = *links;
    return {std::move(req), {}};
}

std::optional<FixedClash> clashingFixedPieces(const PuzzleRequest& request) {
    std::array<const FixedPiece*, kMaxCells + 1> at{};
    for (const FixedPiece& f : request.fixed)
        at[static_cast<size_t>(f.cell)] = &f;
    const int length = request.pieceLength;
    // The code a piece shows on cell edge `edge` (1-based) when laid with `rotation`.
    const auto codeAt = [length](const FixedPiece& p, int edge) {
        const int j = ((edge - 1 - p.rotation) % length + length) % length;
        return p.piece[static_cast<size_t>(j)] - '0';
    };
    const int sum = request.header.matchSum;
    for (const FixedPiece& f : request.fixed) {
        const CellLinks& links = request.links[static_cast<size_t>(f.cell)];
        for (int i = 0; i < links.count; ++i) {
            const CellLink& link = links.links[static_cast<size_t>(i)];
            const FixedPiece* g = at[static_cast<size_t>(link.neighbour)];
            if (g == nullptr || link.cellEdge > length || link.neighbourEdge > length)
                continue;
            const int x = codeAt(f, link.cellEdge);
            const int y = codeAt(*g, link.neighbourEdge);
            if (sum != 0 ? x + y != sum : x != y)
                return FixedClash{std::min(f.cell, g->cell), std::max(f.cell, g->cell)};
        }
    }
    return std::nullopt;
}

std::vector<std::string> splitItems(std::string_view argument) {
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        const size_t comma = argument.find(',', start);
        items.emplace_back(argument.substr(start, comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return items;
}

} // namespace tarno

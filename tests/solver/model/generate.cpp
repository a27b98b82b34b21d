// SPDX-License-Identifier: GPL-3.0-or-later
// Random requests from solved boards.
#include "model/generate.h"

#include "solver/layouts.h"

#include <algorithm>
#include <numeric>

namespace tarno::model {

BoardShape gridShape(std::string name, int rows, int columns) {
    BoardShape s;
    s.name = std::move(name);
    s.layout = GridLayout(rows, columns);
    s.cells = rows * columns;
    s.pieceLength = 4;
    s.matchSum = s.name.rfind("bg", 0) == 0 ? 3 : 0;
    return s;
}

BoardShape hexShape(std::string_view key) {
    BoardShape s;
    const HexLayout* h = hexLayoutFor(key);
    s.name = "hexa" + std::string(key);
    s.layout = h ? std::string(h->layout) : std::string();
    s.cells = h ? h->cells : 0;
    s.pieceLength = 6;
    return s;
}

namespace {

// A solved board: per cell 1..cells its codes edge by edge, the piece written for it and
// the rotation that lays that piece back.
struct DealtBoard {
    std::vector<std::vector<int>> shown;
    std::vector<std::string> written;
    std::vector<int> rotation;
};

DealtBoard deal(std::mt19937_64& rng, const BoardShape& shape, int codeCount, bool randomCodes) {
    const int len = shape.pieceLength;
    const int codes = shape.matchSum != 0 ? shape.matchSum + 1 : std::max(1, codeCount);
    std::uniform_int_distribution<int> code(0, codes - 1);
    DealtBoard board;
    auto& shown = board.shown;
    shown.assign(static_cast<size_t>(shape.cells) + 1, std::vector<int>(static_cast<size_t>(len)));
    for (auto& cell : shown)
        for (int& c : cell)
            c = code(rng);
    for (size_t i = 0; !randomCodes && i + 3 < shape.layout.size(); i += 4) {
        const size_t a = static_cast<size_t>(shape.layout[i] - 64);
        const size_t b = static_cast<size_t>(shape.layout[i + 1] - 64);
        const size_t ea = static_cast<size_t>(shape.layout[i + 2] - '1');
        const size_t eb = static_cast<size_t>(shape.layout[i + 3] - '1');
        shown[b][eb] = shape.matchSum != 0 ? shape.matchSum - shown[a][ea] : shown[a][ea];
    }
    // A piece written as s and laid with rotation r shows s[(k - r) mod L] on edge k.
    std::uniform_int_distribution<int> rot(0, len - 1);
    auto& written = board.written;
    auto& rotation = board.rotation;
    written.resize(static_cast<size_t>(shape.cells) + 1);
    rotation.resize(static_cast<size_t>(shape.cells) + 1);
    for (int c = 1; c <= shape.cells; ++c) {
        const int r = rot(rng);
        rotation[static_cast<size_t>(c)] = r;
        std::string s(static_cast<size_t>(len), '0');
        for (int j = 0; j < len; ++j)
            s[static_cast<size_t>(j)] = static_cast<char>(
                '0' + shown[static_cast<size_t>(c)][static_cast<size_t>((j + r) % len)]);
        written[static_cast<size_t>(c)] = s;
    }
    return board;
}

} // namespace

std::vector<std::string> makeRequest(std::mt19937_64& rng, const BoardShape& shape,
                                     const RequestRecipe& recipe) {
    const int codes = shape.matchSum != 0 ? shape.matchSum + 1 : std::max(1, recipe.codes);
    const DealtBoard board = deal(rng, shape, recipe.codes, recipe.randomCodes);
    const auto& written = board.written;
    const auto& rotation = board.rotation;
    std::vector<int> cells(static_cast<size_t>(shape.cells));
    std::iota(cells.begin(), cells.end(), 1);
    std::shuffle(cells.begin(), cells.end(), rng);
    const int fixedCount = std::clamp(recipe.fixed, 0, shape.cells);
    std::vector<int> fixedCells(cells.begin(), cells.begin() + fixedCount);

    std::vector<std::string> pieces;
    for (int c : cells)
        pieces.push_back(written[static_cast<size_t>(c)]);
    std::shuffle(pieces.begin(), pieces.end(), rng);
    if (recipe.perturb) {
        // Change a piece that no fixed piece names, so the request stays well formed.
        std::vector<size_t> loose;
        for (size_t i = 0; i < pieces.size(); ++i) {
            const bool named = std::any_of(fixedCells.begin(), fixedCells.end(), [&](int c) {
                return written[static_cast<size_t>(c)] == pieces[i];
            });
            if (!named)
                loose.push_back(i);
        }
        if (!loose.empty()) {
            std::string& p =
                pieces[loose[std::uniform_int_distribution<size_t>(0, loose.size() - 1)(rng)]];
            const size_t at = std::uniform_int_distribution<size_t>(0, p.size() - 1)(rng);
            const int old = p[at] - '0';
            p[at] = static_cast<char>(
                '0' +
                (old + 1 + std::uniform_int_distribution<int>(0, std::max(0, codes - 2))(rng)) %
                    std::max(codes, 2));
        }
    }
    std::vector<std::string> items;
    items.push_back(shape.name + "*" + std::to_string(shape.cells));
    items.insert(items.end(), pieces.begin(), pieces.end());
    for (int c : fixedCells)
        items.push_back(written[static_cast<size_t>(c)]);
    for (int c : fixedCells)
        items.push_back(std::to_string(c));
    for (int c : fixedCells)
        items.push_back(std::to_string(rotation[static_cast<size_t>(c)]));
    return items;
}

std::vector<std::string> makePlayerRequest(std::mt19937_64& rng, const BoardShape& shape,
                                           const PlayerRecipe& recipe) {
    const DealtBoard board = deal(rng, shape, recipe.codes, false);
    const int len = shape.pieceLength;
    const size_t cells = static_cast<size_t>(shape.cells);
    struct Link {
        int neighbour, edge, neighbourEdge;
    };
    std::vector<std::vector<Link>> links(cells + 1);
    for (size_t i = 0; i + 3 < shape.layout.size(); i += 4) {
        const int a = shape.layout[i] - 64;
        const int b = shape.layout[i + 1] - 64;
        const int ea = shape.layout[i + 2] - '1';
        const int eb = shape.layout[i + 3] - '1';
        links[static_cast<size_t>(a)].push_back({b, ea, eb});
        links[static_cast<size_t>(b)].push_back({a, eb, ea});
    }
    // What lies where: the piece's own cell (its string), and the codes it shows.
    std::vector<int> pieceIn(cells + 1, 0);
    std::vector<std::vector<int>> showing(cells + 1);
    std::vector<int> fixedCells, fixedPieces, fixedRotations;
    const auto lay = [&](int cell, int piece, int rotation) {
        pieceIn[static_cast<size_t>(cell)] = piece;
        auto& codes = showing[static_cast<size_t>(cell)];
        codes.resize(static_cast<size_t>(len));
        const std::string& s = board.written[static_cast<size_t>(piece)];
        for (int k = 0; k < len; ++k)
            codes[static_cast<size_t>(k)] = s[static_cast<size_t>((k - rotation + len) % len)] - '0';
        fixedCells.push_back(cell);
        fixedPieces.push_back(piece);
        fixedRotations.push_back(rotation);
    };
    const auto nextToLaid = [&](int cell) {
        for (const Link& l : links[static_cast<size_t>(cell)])
            if (pieceIn[static_cast<size_t>(l.neighbour)] != 0)
                return true;
        return false;
    };
    const auto pick = [&rng](const std::vector<int>& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(rng)];
    };
    // The right pieces, as one group grown from a random cell.
    const int right = std::clamp(recipe.right, 0, shape.cells);
    while (static_cast<int>(fixedCells.size()) < right) {
        std::vector<int> open;
        for (int c = 1; c <= shape.cells; ++c)
            if (pieceIn[static_cast<size_t>(c)] == 0 && (fixedCells.empty() || nextToLaid(c)))
                open.push_back(c);
        if (open.empty())
            break;
        const int c = pick(open);
        lay(c, c, board.rotation[static_cast<size_t>(c)]);
    }
    // The wrong ones: a piece from the hand in a cell not its own, turned to fit.
    for (int w = 0; w < recipe.wrong; ++w) {
        std::vector<int> near, far, hand;
        for (int c = 1; c <= shape.cells; ++c) {
            if (pieceIn[static_cast<size_t>(c)] == 0)
                (nextToLaid(c) ? near : far).push_back(c);
            if (std::find(fixedPieces.begin(), fixedPieces.end(), c) == fixedPieces.end())
                hand.push_back(c);
        }
        std::shuffle(near.begin(), near.end(), rng);
        std::shuffle(far.begin(), far.end(), rng);
        near.insert(near.end(), far.begin(), far.end());
        std::shuffle(hand.begin(), hand.end(), rng);
        bool laid = false;
        for (size_t i = 0; i < near.size() && !laid; ++i) {
            const int cell = near[i];
            for (size_t j = 0; j < hand.size() && !laid; ++j) {
                const int piece = hand[j];
                if (piece == cell)
                    continue;
                const std::string& s = board.written[static_cast<size_t>(piece)];
                std::vector<int> fitting;
                for (int r = 0; r < len; ++r) {
                    bool fits = true;
                    for (const Link& l : links[static_cast<size_t>(cell)]) {
                        if (pieceIn[static_cast<size_t>(l.neighbour)] == 0)
                            continue;
                        const int x = s[static_cast<size_t>((l.edge - r + len) % len)] - '0';
                        const int y = showing[static_cast<size_t>(l.neighbour)]
                                             [static_cast<size_t>(l.neighbourEdge)];
                        fits = fits && (shape.matchSum != 0 ? x + y == shape.matchSum : x == y);
                    }
                    if (fits)
                        fitting.push_back(r);
                }
                if (!fitting.empty()) {
                    lay(cell, piece, pick(fitting));
                    laid = true;
                }
            }
        }
    }
    std::vector<std::string> items;
    items.push_back(shape.name + "*" + std::to_string(shape.cells));
    std::vector<std::string> pieces(board.written.begin() + 1, board.written.end());
    std::shuffle(pieces.begin(), pieces.end(), rng);
    items.insert(items.end(), pieces.begin(), pieces.end());
    for (int p : fixedPieces)
        items.push_back(board.written[static_cast<size_t>(p)]);
    for (int c : fixedCells)
        items.push_back(std::to_string(c));
    for (int r : fixedRotations)
        items.push_back(std::to_string(r));
    return items;
}

std::string joinItems(const std::vector<std::string>& items) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i)
            out += ',';
        out += items[i];
    }
    return out;
}

std::vector<std::string> endlessRequest() {
    std::vector<std::string> items{"tarno16*16"};
    for (int bits = 0; bits < 15; ++bits) {
        std::string piece;
        for (int k = 3; k >= 0; --k)
            piece += static_cast<char>('0' + (bits >> k & 1));
        items.push_back(piece);
    }
    items.push_back("2222");
    return items;
}

std::string endlessText() {
    return joinItems(endlessRequest());
}

} // namespace tarno::model

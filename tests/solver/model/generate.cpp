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

// Each link of the board: cells a and b, and their touching edges counted from 0.
template <class F> void forEachLink(const BoardShape& shape, F f) {
    for (size_t i = 0; i + 3 < shape.layout.size(); i += 4)
        f(shape.layout[i] - 64, shape.layout[i + 1] - 64, shape.layout[i + 2] - '1',
          shape.layout[i + 3] - '1');
}

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
    shown.assign(shape.cells + 1, std::vector<int>(len));
    for (auto& cell : shown)
        for (int& c : cell)
            c = code(rng);
    if (!randomCodes)
        forEachLink(shape, [&](int a, int b, int ea, int eb) {
            shown[b][eb] = shape.matchSum != 0 ? shape.matchSum - shown[a][ea] : shown[a][ea];
        });
    // A piece written as s and laid with rotation r shows s[(k - r) mod L] on edge k.
    std::uniform_int_distribution<int> rot(0, len - 1);
    board.written.resize(shape.cells + 1);
    board.rotation.resize(shape.cells + 1);
    for (int c = 1; c <= shape.cells; ++c) {
        const int r = board.rotation[c] = rot(rng);
        std::string s(len, '0');
        for (int j = 0; j < len; ++j)
            s[j] = static_cast<char>('0' + shown[c][(j + r) % len]);
        board.written[c] = s;
    }
    return board;
}

// The request's items: the header, the pieces, then the fixed pieces' three blocks.
std::vector<std::string> itemsOf(const BoardShape& shape, const std::vector<std::string>& pieces,
                                 const std::vector<std::string>& fixed,
                                 const std::vector<int>& cells, const std::vector<int>& rotations) {
    std::vector<std::string> items{shape.name + "*" + std::to_string(shape.cells)};
    items.insert(items.end(), pieces.begin(), pieces.end());
    items.insert(items.end(), fixed.begin(), fixed.end());
    for (int c : cells)
        items.push_back(std::to_string(c));
    for (int r : rotations)
        items.push_back(std::to_string(r));
    return items;
}

} // namespace

std::vector<std::string> makeRequest(std::mt19937_64& rng, const BoardShape& shape,
                                     const RequestRecipe& recipe) {
    const int codes = shape.matchSum != 0 ? shape.matchSum + 1 : std::max(1, recipe.codes);
    const DealtBoard board = deal(rng, shape, recipe.codes, recipe.randomCodes);
    std::vector<int> cells(shape.cells);
    std::iota(cells.begin(), cells.end(), 1);
    std::shuffle(cells.begin(), cells.end(), rng);
    const std::vector<int> fixedCells(cells.begin(),
                                      cells.begin() + std::clamp(recipe.fixed, 0, shape.cells));
    std::vector<std::string> pieces, fixed;
    std::vector<int> rotations;
    for (int c : cells)
        pieces.push_back(board.written[c]);
    for (int c : fixedCells) {
        fixed.push_back(board.written[c]);
        rotations.push_back(board.rotation[c]);
    }
    std::shuffle(pieces.begin(), pieces.end(), rng);
    if (recipe.perturb) {
        // Change a piece that no fixed piece names, so the request stays well formed.
        std::vector<size_t> loose;
        for (size_t i = 0; i < pieces.size(); ++i)
            if (std::find(fixed.begin(), fixed.end(), pieces[i]) == fixed.end())
                loose.push_back(i);
        if (!loose.empty()) {
            std::string& p =
                pieces[loose[std::uniform_int_distribution<size_t>(0, loose.size() - 1)(rng)]];
            const size_t at = std::uniform_int_distribution<size_t>(0, p.size() - 1)(rng);
            const int other = std::uniform_int_distribution<int>(0, std::max(0, codes - 2))(rng);
            p[at] = static_cast<char>('0' + (p[at] - '0' + 1 + other) % std::max(codes, 2));
        }
    }
    return itemsOf(shape, pieces, fixed, fixedCells, rotations);
}

std::vector<std::string> makePlayerRequest(std::mt19937_64& rng, const BoardShape& shape,
                                           const PlayerRecipe& recipe) {
    const DealtBoard board = deal(rng, shape, recipe.codes, false);
    const int len = shape.pieceLength;
    struct Link {
        int neighbour, edge, neighbourEdge;
    };
    std::vector<std::vector<Link>> links(shape.cells + 1);
    forEachLink(shape, [&](int a, int b, int ea, int eb) {
        links[a].push_back({b, ea, eb});
        links[b].push_back({a, eb, ea});
    });
    // What lies where: the piece's own cell (its string), and the codes it shows.
    std::vector<int> pieceIn(shape.cells + 1, 0);
    std::vector<std::vector<int>> showing(shape.cells + 1);
    std::vector<int> fixedCells, fixedPieces, fixedRotations;
    const auto lay = [&](int cell, int piece, int rotation) {
        pieceIn[cell] = piece;
        showing[cell].resize(len);
        for (int k = 0; k < len; ++k)
            showing[cell][k] = board.written[piece][(k - rotation + len) % len] - '0';
        fixedCells.push_back(cell);
        fixedPieces.push_back(piece);
        fixedRotations.push_back(rotation);
    };
    const auto nextToLaid = [&](int cell) {
        return std::any_of(links[cell].begin(), links[cell].end(),
                           [&](const Link& l) { return pieceIn[l.neighbour] != 0; });
    };
    const auto pick = [&rng](const std::vector<int>& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(rng)];
    };
    // The right pieces, as one group grown from a random cell.
    const int right = std::clamp(recipe.right, 0, shape.cells);
    while (static_cast<int>(fixedCells.size()) < right) {
        std::vector<int> open;
        for (int c = 1; c <= shape.cells; ++c)
            if (pieceIn[c] == 0 && (fixedCells.empty() || nextToLaid(c)))
                open.push_back(c);
        if (open.empty())
            break;
        const int c = pick(open);
        lay(c, c, board.rotation[c]);
    }
    // The wrong ones: a piece from the hand in a cell not its own, turned to fit.
    for (int w = 0; w < recipe.wrong; ++w) {
        std::vector<int> near, far, hand;
        for (int c = 1; c <= shape.cells; ++c) {
            if (pieceIn[c] == 0)
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
                std::vector<int> fitting;
                for (int r = 0; r < len; ++r) {
                    bool fits = true;
                    for (const Link& l : links[cell]) {
                        if (pieceIn[l.neighbour] == 0)
                            continue;
                        const int x = board.written[piece][(l.edge - r + len) % len] - '0';
                        const int y = showing[l.neighbour][l.neighbourEdge];
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
    std::vector<std::string> pieces(board.written.begin() + 1, board.written.end()), fixed;
    std::shuffle(pieces.begin(), pieces.end(), rng);
    for (int p : fixedPieces)
        fixed.push_back(board.written[p]);
    return itemsOf(shape, pieces, fixed, fixedCells, fixedRotations);
}

std::string joinItems(const std::vector<std::string>& items) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + items[i];
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

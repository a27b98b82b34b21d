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

std::vector<std::string> makeRequest(std::mt19937_64& rng, const BoardShape& shape,
                                     const RequestRecipe& recipe) {
    const int len = shape.pieceLength;
    const int codes = shape.matchSum != 0 ? shape.matchSum + 1 : std::max(1, recipe.codes);
    std::uniform_int_distribution<int> code(0, codes - 1);
    std::vector<std::vector<int>> shown(static_cast<size_t>(shape.cells) + 1,
                                        std::vector<int>(static_cast<size_t>(len)));
    for (auto& cell : shown)
        for (int& c : cell)
            c = code(rng);
    for (size_t i = 0; !recipe.randomCodes && i + 3 < shape.layout.size(); i += 4) {
        const size_t a = static_cast<size_t>(shape.layout[i] - 64);
        const size_t b = static_cast<size_t>(shape.layout[i + 1] - 64);
        const size_t ea = static_cast<size_t>(shape.layout[i + 2] - '1');
        const size_t eb = static_cast<size_t>(shape.layout[i + 3] - '1');
        shown[b][eb] = shape.matchSum != 0 ? shape.matchSum - shown[a][ea] : shown[a][ea];
    }
    // A piece written as s and laid with rotation r shows s[(k - r) mod L] on edge k.
    std::uniform_int_distribution<int> rot(0, len - 1);
    std::vector<std::string> written(static_cast<size_t>(shape.cells) + 1);
    std::vector<int> rotation(static_cast<size_t>(shape.cells) + 1);
    for (int c = 1; c <= shape.cells; ++c) {
        const int r = rot(rng);
        rotation[static_cast<size_t>(c)] = r;
        std::string s(static_cast<size_t>(len), '0');
        for (int j = 0; j < len; ++j)
            s[static_cast<size_t>(j)] = static_cast<char>(
                '0' + shown[static_cast<size_t>(c)][static_cast<size_t>((j + r) % len)]);
        written[static_cast<size_t>(c)] = s;
    }
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

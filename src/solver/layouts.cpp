// SPDX-License-Identifier: GPL-3.0-or-later
// Board layouts: the grid generator and the stored hexagon boards.
#include "solver/layouts.h"

#include <algorithm>
#include <vector>

namespace tarno {

namespace {

constexpr HexLayout kHexLayouts[] = {
    {"3T", 3, "BA36CA41CB52"},
    {"4O", 4, "BA52CA36DA41DB36DC52"},
    {"5X", 5, "CA36CB52DA41DC52EB41EC36"},
    {"5W", 5, "BA36CA41CB52DB41DC36EC41ED52"},
    {"6T", 6, "BA36CA41CB52DB36EB41EC36ED52FC41FE52"},
    {"6R", 6, "BA36CA41CB52DB41DC36EC41ED52FD41FE36"},
    {"6W", 6, "CA36CB52DA41DC52EB41EC36FC41FD36FE52"},
    {"7O", 7, "BA52CA36DA41DB36DC52EB41ED52FC41FD36GD41GE36GF52"},
    {"8X", 8, "CA36CB52DA41DC52EB41EC36FC41FD36FE52GD41GF52HE41HF36"},
    {"9O", 9, "BA52CB52DA36EA41EB36ED52FB41FC36FE52GD36HD41HE36HG52IE41IF36IH52"},
    {"9W", 9, "CA36CB52DA41DC52EB41EC36FC41FD36FE52GD41GF52HE41HF36IF41IG36IH52"},
    {"10T", 10, "BA36CA41CB52DB36EB41EC36ED52FC41FE52GD36HD41HE36HG52IE41IF36IH52JF41JI52"},
    {"10O", 10, "BA52CA36DA41DB36DC52EB41ED52FC41FD36GD41GE36GF52HE41HG52IF41IG36JG41JH36JI52"},
    {"10W", 10, "CA36CB52DA41DC52EB36FB41FC36FE52GC41GD36GF52HD41HG52IE41IF36JF41JG36JI52"},
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::span<const HexLayout> HexLayouts() {
    return kHexLayouts;
}

const HexLayout* hexLayoutFor(std::string_view key) {
    for (const HexLayout& h : kHexLayouts)
        if (h.key == key)
            return &h;
    return nullptr;
}

std::string GridLayout(int rows, int columns) {
    if (rows <= 0 || columns <= 0)
        return {};
    std::vector<char> letter(static_cast<size_t>(rows * columns));
    std::vector<std::pair<int, int>> position;
    int n = 0;
    for (int d = 1; d <= rows + columns; ++d) {
        for (int k = 0; k < columns; ++k) {
            const int r = d - k;
            const int c = k + 1;
            if (r >= 1 && r <= rows) {
                letter[static_cast<size_t>((r - 1) * columns + (c - 1))] =
                    static_cast<char>(65 + n);
                position.emplace_back(r, c);
                ++n;
            }
        }
    }
    const auto at = [&](int r, int c) {
        return letter[static_cast<size_t>((r - 1) * columns + (c - 1))];
    };
    std::string out;
    for (const auto& [r, c] : position) {
        if (r < rows) {
            out += at(r, c);
            out += at(r + 1, c);
            out += "42";
        }
        if (c < columns) {
            out += at(r, c);
            out += at(r, c + 1);
            out += "13";
        }
    }
    return out;
}

std::string LayoutFor(std::string_view kind, std::string_view size) {
    if (kind == "tarno")
        return size == "9" ? GridLayout(3, 3) : GridLayout(4, 4);
    if (kind == "angle" || kind == "kpuzzle")
        return GridLayout(4, 4);
    if (kind == "bg") {
        if (size.empty() || !isDigit(size.front()) || !isDigit(size.back()))
            return {};
        return GridLayout(size.front() - '0', size.back() - '0');
    }
    if (kind == "hexa") {
        const HexLayout* h = hexLayoutFor(size);
        return h ? std::string(h->layout) : std::string();
    }
    return {};
}

std::optional<CellLinkTable> BuildCellLinks(std::string_view layout) {
    if (layout.size() % 4 != 0)
        return std::nullopt;
    CellLinkTable table{};
    for (size_t i = 0; i < layout.size(); i += 4) {
        const int a = static_cast<unsigned char>(layout[i]) - 64;
        const int b = static_cast<unsigned char>(layout[i + 1]) - 64;
        const int ea = layout[i + 2] - '0';
        const int eb = layout[i + 3] - '0';
        if (a < 1 || a > kMaxCells || b < 1 || b > kMaxCells || ea < 1 || ea > 6 || eb < 1 ||
            eb > 6)
            return std::nullopt;
        CellLinks& la = table[static_cast<size_t>(a)];
        CellLinks& lb = table[static_cast<size_t>(b)];
        if (la.count >= kMaxLinks || lb.count >= kMaxLinks || (a == b && la.count + 1 >= kMaxLinks))
            return std::nullopt;
        la.links[static_cast<size_t>(la.count++)] = {a, b, ea, eb};
        lb.links[static_cast<size_t>(lb.count++)] = {b, a, eb, ea};
    }
    return table;
}

} // namespace tarno

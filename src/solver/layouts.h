// SPDX-License-Identifier: GPL-3.0-or-later
// Board layouts: which cells touch, by which edges, as layout strings and link tables.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarno {

constexpr int kMaxCells = 40;
constexpr int kMaxLinks = 6;

struct HexLayout {
    std::string_view key;
    int cells;
    std::string_view layout;
};

// The fourteen stored hexagon boards.
std::span<const HexLayout> HexLayouts();
const HexLayout* hexLayoutFor(std::string_view key);

// Links of an R x C grid whose cells are lettered along anti-diagonals.
std::string GridLayout(int rows, int columns);

// The layout of a puzzle kind and size; empty for unknown kinds and hexagon keys,
// and for a "bg" size that does not start and end with a digit.
std::string LayoutFor(std::string_view kind, std::string_view size);

struct CellLink {
    int cell = 0;
    int neighbour = 0;
    int cellEdge = 0;
    int neighbourEdge = 0;
};

struct CellLinks {
    int count = 0;
    std::array<CellLink, kMaxLinks> links{}; // in the order they were added
};

// Index 0 is unused so that cell numbers index the table directly.
using CellLinkTable = std::array<CellLinks, kMaxCells + 1>;

// Nothing when a group names a cell outside 1..40, an edge outside 1..6, an
// incomplete group, or would give a cell a seventh link.
std::optional<CellLinkTable> BuildCellLinks(std::string_view layout);

} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// A "solvepuzzle" request read and checked whole before any search starts.
#pragma once

#include "solver/layouts.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarno {

struct PuzzleHeader {
    std::string kind; // "tarno", "angle", "kpuzzle", "hexa", "bg", or empty
    std::string size;
    std::int32_t count = 0;
    int matchSum = 0; // 0: touching codes are equal; otherwise they add up to this
};

struct FixedPiece {
    std::string piece;
    int cell = 0;
    int rotation = 0;
};

// A request that is safe to solve: every index is in range, every code a digit.
struct PuzzleRequest {
    PuzzleHeader header;
    int pieceLength = 0;             // L, the same for every piece
    std::vector<std::string> pieces; // piece numbers 1..count at positions 0..count-1
    std::vector<FixedPiece> fixed;   // in request order
    std::vector<int> freeCells;      // ascending; level k fills freeCells[k-1]
    std::vector<int> toPlace;        // positions in `pieces`, request order, fixed ones removed
    std::string layout;
    CellLinkTable links{};
};

struct ParsedRequest {
    std::optional<PuzzleRequest> request;
    std::string problem; // why the request was refused, when it was
};

// Nothing when the header has no "*" or its count is not a plain decimal number.
std::optional<PuzzleHeader> ParsePuzzleHeader(std::string_view header);

ParsedRequest parseRequest(std::span<const std::string> items);

// Two fixed pieces that touch with codes that do not match, by the board's matching
// rule: the first such pair in request order (smaller cell first), or nothing. The
// search never lays pieces next to each other that do not match, but it takes the
// fixed pieces as given.
struct FixedClash {
    int cell = 0;
    int neighbour = 0;
};
std::optional<FixedClash> clashingFixedPieces(const PuzzleRequest& request);

// The command channel's split of an argument text at every ",".
std::vector<std::string> splitItems(std::string_view argument);

// Plain decimal digits only, at most nine of them: no sign, no spaces.
std::optional<int> parseDecimal(std::string_view text);

} // namespace tarno

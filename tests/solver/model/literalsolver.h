// SPDX-License-Identifier: GPL-3.0-or-later
// The step machine written out literally, with strings, as the model the fast search must match.
#pragma once

#include "solver/search.h"

#include <span>
#include <string>

namespace tarno::model {

struct LiteralResult {
    SolveOutcome outcome = SolveOutcome::Malformed;
    std::string answer;
    std::uint64_t nodes = 0; // Place steps that laid a piece
};

// Restart, Choose, Place, Descend, Done over a cell table and string masks; no
// look-ahead and no tables beyond those of the written-out machine. Requests are
// checked by the product's parser first, so both refuse the same ones. `nodeLimit`
// 0 means none, and reaching it ends as Stopped.
LiteralResult solveLiterally(std::span<const std::string> items, std::uint64_t nodeLimit = 0);

} // namespace tarno::model

// SPDX-License-Identifier: GPL-3.0-or-later
// Puzzle requests made from random solved boards, for tests and benchmarks.
#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tarno::model {

struct BoardShape {
    std::string name;   // the header's name, e.g. "tarno9", "bg58", "hexa7O"
    std::string layout; // its layout string
    int cells = 0;
    int pieceLength = 4;
    int matchSum = 0;
};

BoardShape gridShape(std::string name, int rows, int columns);
BoardShape hexShape(std::string_view key);

struct RequestRecipe {
    int codes = 4;        // codes drawn from 0..codes-1 ("bg" boards always use 0..3)
    int fixed = 0;        // fixed pieces taken from the solved board
    bool perturb = false; // change one digit of a free piece, which usually breaks every solution
    bool randomCodes = false; // touching edges need not agree: mostly unsolvable
};

// Lays random codes on a board so that touching edges agree, cuts it into pieces
// written in random rotations, shuffles them and names some as fixed.
std::vector<std::string> makeRequest(std::mt19937_64& rng, const BoardShape& shape,
                                     const RequestRecipe& recipe);

// A position as a player leaves it: a dealt board with `right` pieces laid where they
// belong, grown as one group from a random cell, and `wrong` further pieces laid in
// empty cells that are not theirs, each turned to fit its laid neighbours (a cell next
// to the group first). A wrong piece that fits nowhere is left in the hand.
struct PlayerRecipe {
    int codes = 4; // as in RequestRecipe
    int right = 6;
    int wrong = 1;
};

std::vector<std::string> makePlayerRequest(std::mt19937_64& rng, const BoardShape& shape,
                                           const PlayerRecipe& recipe);

std::string joinItems(const std::vector<std::string>& items);

// An unsolvable 4x4 whose search tree is far too big to finish: the fifteen pieces
// "0000".."1110" fit each other in countless ways, and "2222" fits nowhere but at the
// start. All differ, so no pruning of equal pieces applies, and codes balance.
std::vector<std::string> endlessRequest();
// The same as the text a movie sends.
std::string endlessText();

} // namespace tarno::model

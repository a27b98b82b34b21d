// SPDX-License-Identifier: GPL-3.0-or-later
// Launching a game: the launch parameters of a play index and the movie path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarno {

// What the game window reads when it loads.
struct LaunchParameters {
    std::string launchQuery;     // "?gameType=<gameId>"
    std::string launchMovieFile; // file name in modules/
    std::string launchTitle;     // the window caption
};

// None for an index without a catalogue row (11..13, or outside 1..22).
std::optional<LaunchParameters> launchParametersFor(int playIndex);

// The play index a tool's argument names: the index itself, or a game's gameId
// ("tarno9"); none for anything else.
std::optional<int> playIndexOf(std::string_view indexOrGameId);

// "<programDir>/modules/<movieFile><query>"; no separator is doubled at a root folder.
std::string moviePath(std::string_view programDir, const LaunchParameters& launch);

} // namespace tarno

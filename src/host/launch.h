// Launching a game: the launch parameters of a play index and the movie path.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarno {

// What the game window reads when it loads.
struct LaunchParameters {
    std::string launchQuery;     // "?gameType=<gameId>"
    std::string launchMovieFile; // file name in modules/
    std::string launchTitle;     // the window caption
};

// None for an index without a catalogue row (11..13, or outside 1..22).
std::optional<LaunchParameters> launchParametersFor(int playIndex);

// "<programDir>/modules/<movieFile><query>"; no separator is doubled at a root folder.
std::string moviePath(std::string_view programDir, const LaunchParameters& launch);

// A movie path split into the file to load and the variables of its query.
struct MovieSource {
    std::string file;
    std::vector<std::pair<std::string, std::string>> variables;
};

// The query starts at the first "?" after the last "/": a "?" inside a folder name is
// part of the path. Pairs are separated by "&"; a key without "=" gets the empty value.
// Nothing is percent-decoded: movies receive the text as written.
MovieSource splitMoviePath(std::string_view path);

} // namespace tarno

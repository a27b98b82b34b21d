// SPDX-License-Identifier: GPL-3.0-or-later
// Launch parameters and movie paths.
#include "host/launch.h"

#include "shell/catalogue.h"

namespace tarno {

std::optional<LaunchParameters> launchParametersFor(int playIndex) {
    const GameRow* row = rowByPlayIndex(playIndex);
    if (!row)
        return std::nullopt;
    return LaunchParameters{"?gameType=" + std::string(row->gameId), std::string(row->movieFile),
                            std::string(row->title)};
}

std::optional<int> playIndexOf(std::string_view indexOrGameId) {
    for (const GameRow& row : playMenu())
        if (row.gameId == indexOrGameId || std::to_string(row.playIndex) == indexOrGameId)
            return row.playIndex;
    return std::nullopt;
}

std::string moviePath(std::string_view programDir, const LaunchParameters& launch) {
    std::string path(programDir);
    if (path.empty() || path.back() != '/')
        path += '/';
    path += "modules/";
    path += launch.launchMovieFile;
    path += launch.launchQuery;
    return path;
}

} // namespace tarno

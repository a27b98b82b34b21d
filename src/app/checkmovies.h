// SPDX-License-Identifier: GPL-3.0-or-later
// The program's check for packagers and for checking an installed tree: plays every
// game of the catalogue (or one) from the installed modules/, as the menu would, and
// reports how each went.
#pragma once

#include <cstdio>

namespace tarno {

struct GameRow;

// Opens each game's window in turn (or only that of `only`), waits for the movie's first frame (at most
// `timeoutMs`), closes it, and writes one line per game to `out`: "played" or "FAILED",
// the title, the movie path and, for a failure, the reason. Then a line with the
// hi-score file it would use. 0 when every game played, 1 otherwise.
int checkMovies(std::FILE* out, const GameRow* only = nullptr, int timeoutMs = 10000);

} // namespace tarno

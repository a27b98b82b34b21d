// SPDX-License-Identifier: GPL-3.0-or-later
// The program's name as the desktop sees it, and where its installed files are.
#pragma once

class QString;

namespace tarno {

// Sets the application and desktop-file names. It sets no application display name on
// purpose: Qt appends a display name to every window's caption under a window manager
// ("Tarno Playroom 1.0 — Tarno Playroom"), and each window's caption must read exactly
// as the window sets it.
void setApplicationIdentity();

// The folder that holds the program's movies (modules/) and help page (help/): the
// program's own folder when modules/ lies beside it (a build tree), else
// ../../share/tarno-playroom from it, where an installed tree keeps them
// (<prefix>/lib/tarno-playroom/ and <prefix>/share/tarno-playroom/), so any prefix works.
QString dataFolder();

} // namespace tarno

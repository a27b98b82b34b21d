// The program's name as the desktop sees it.
#pragma once

namespace tarno {

// Sets the application and desktop-file names. It sets no application display name on
// purpose: Qt appends a display name to every window's caption under a window manager
// ("Tarno Playroom 1.0 — Tarno Playroom"), and each window's caption must read exactly
// as the window sets it.
void setApplicationIdentity();

} // namespace tarno

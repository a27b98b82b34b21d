// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's commands start. The program wires the real actions; tests
// pass fakes. An empty action does nothing.
#pragma once

#include <functional>

namespace tarno {

struct StationActions {
    std::function<void(int playIndex)> launchGame;
    std::function<void(int slot)> showHiScores;
    std::function<void()> openHelpPage;
    std::function<void()> openWebSite;
    std::function<void()> showAbout;
};

} // namespace tarno

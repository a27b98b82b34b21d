// SPDX-License-Identifier: GPL-3.0-or-later
// The help page the help item opens names every game of the catalogue and explains
// the lists and Solve.
#include "shell/catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tarno {
namespace {

std::string helpPage() {
    std::ifstream in(TARNO_HELP_PAGE);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(HelpPage, NamesEveryGameAndTheStationsParts) {
    const std::string page = helpPage();
    ASSERT_FALSE(page.empty()) << TARNO_HELP_PAGE;
    for (const GameRow& game : playMenu())
        EXPECT_NE(page.find(game.title), std::string::npos) << game.title;
    for (const char* part : {"id=\"scores\"", "id=\"solve\"", "scores.lst", "Hi Scores"})
        EXPECT_NE(page.find(part), std::string::npos) << part;
}

} // namespace
} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// Board layouts: the grid numbering, the stored hexagon boards, the link table.
#include "solver/layouts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace tarno {
namespace {

TEST(LayoutFor, GridsAlongAntiDiagonalsAndTheStoredHexagonBoards) {
    const std::string grid3x3 = "AB42AC13BD42BE13CE42CF13DG13EG42EH13FH42GI13HI42";
    const std::string grid4x4 = "AB42AC13BD42BE13CE42CF13DG42DH13EH42EI13FI42FJ13GK13HK42HL13IL42"
                                "IM13JM42KN13LN42LO13MO42NP13OP42";
    const struct {
        const char* kind;
        const char* size;
        std::string layout;
    } cases[] = {{"tarno", "9", grid3x3},
                 {"tarno", "25", grid4x4},
                 {"angle", "9", grid4x4},
                 {"bg", "33", grid3x3},
                 {"bg", "23", "AB42AC13BD13CD42CE13DF13EF42"},
                 {"bg", "13", "AB13BC13"},
                 {"bg", "11", ""},
                 {"bg", "04", ""},
                 {"bg", "x3", ""},
                 {"hexa", "5X", "CA36CB52DA41DC52EB41EC36"},
                 {"hexa", "5x", ""},
                 {"Tarno", "9", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(LayoutFor(c.kind, c.size), c.layout) << c.kind << c.size;
    EXPECT_EQ(LayoutFor("bg", "58"), GridLayout(5, 8));
}

// Each board in order: its key and number of links, each link between opposite edges of
// two cells and no pair twice, cells lettered from A without gaps, all reached from A.
TEST(HexLayouts, EveryShapeIsConnectedWithOppositeEdgesAndNoGaps) {
    const std::pair<std::string_view, int> links[] = {
        {"3T", 3},  {"4O", 5},  {"5X", 6},  {"5W", 7},  {"6T", 9},   {"6R", 9},   {"6W", 9},
        {"7O", 12}, {"8X", 13}, {"9O", 16}, {"9W", 16}, {"10T", 18}, {"10O", 19}, {"10W", 18}};
    ASSERT_EQ(HexLayouts().size(), std::size(links));
    for (size_t i = 0; i < std::size(links); ++i) {
        const HexLayout& h = HexLayouts()[i];
        EXPECT_EQ(std::pair(h.key, static_cast<int>(h.layout.size()) / 4), links[i]);
        EXPECT_TRUE(BuildCellLinks(h.layout).has_value()) << h.key;
        std::set<std::pair<int, int>> pairs;
        std::set<int> letters, reached{1};
        for (size_t g = 0; g < h.layout.size(); g += 4) {
            const int a = h.layout[g] - 64, b = h.layout[g + 1] - 64;
            EXPECT_EQ((h.layout[g + 2] - '1' + 3) % 6, h.layout[g + 3] - '1') << h.key;
            EXPECT_TRUE(pairs.insert({std::min(a, b), std::max(a, b)}).second) << h.key;
            letters.insert({a, b});
        }
        EXPECT_EQ(std::pair(letters.size(), *letters.rbegin()), std::pair(size_t(h.cells), h.cells));
        for (size_t round = 0; round < pairs.size(); ++round)
            for (const auto& [a, b] : pairs)
                if (reached.count(a) || reached.count(b))
                    reached.insert({a, b});
        EXPECT_EQ(static_cast<int>(reached.size()), h.cells) << h.key;
    }
}

// The hexagon boards by key, read from a text with `entry` (key, then layout; spaces in
// the layout are dropped).
std::map<std::string, std::string> layoutsIn(const char* path, const std::regex& entry) {
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::map<std::string, std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), entry);
         it != std::sregex_iterator(); ++it)
        found[(*it)[1]] = std::regex_replace((*it)[2].str(), std::regex(" "), "");
    return found;
}

// The edge movies draw the boards from their own copy of the table, and the movies'
// guide lists it for authors: both say what the solver says, key for key.
TEST(HexLayouts, TheMoviesAndTheirGuideHoldTheSolversTable) {
    std::map<std::string, std::string> solver;
    for (const HexLayout& h : HexLayouts())
        solver[std::string(h.key)] = std::string(h.layout);
    const std::regex inModule(R"re("([0-9]+[A-Z])": "([A-Z0-9]+)")re");
    const std::regex inGuide(R"(\| ([0-9]+[A-Z]) \| [0-9]+ \| ([A-Z0-9 ]+) \|)");
    EXPECT_EQ(layoutsIn(TARNO_BOARD_MODULE, inModule), solver);
    EXPECT_EQ(layoutsIn(TARNO_MOVIES_GUIDE, inGuide), solver);
}

TEST(BuildCellLinks, AddsBothDirectionsInOrder) {
    const auto table = BuildCellLinks("AB42AC13");
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[1].count, 2);
    EXPECT_EQ((*table)[1].links[1].neighbour, 3);
    const CellLink& b = (*table)[2].links[0];
    EXPECT_EQ(std::tuple((*table)[2].count, b.cell, b.neighbour, b.cellEdge, b.neighbourEdge),
              std::tuple(1, 2, 1, 2, 4));
    EXPECT_EQ((*table)[4].count, 0);
    const std::pair<const char*, bool> layouts[] = {
        {"AB4", false},                          // incomplete group
        {"Ai42", false},                         // cell 41
        {"AB72", false},                         // edge 7
        {"ABx2", false},                         // not a digit
        {"AB14AC14AD14AE14AF14AG14AH14", false}, // a seventh link
        {"AB14AC14AD14AE14AF14AG14", true},
        {"Ah42", true}, // cell 40
        {"", true}};
    for (auto [layout, holds] : layouts)
        EXPECT_EQ(BuildCellLinks(layout).has_value(), holds) << layout;
}

} // namespace
} // namespace tarno

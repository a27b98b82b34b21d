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

struct GridCase {
    int rows;
    int columns;
    const char* layout;
};

class GridLayoutTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridLayoutTest, GivesTheLinksAlongAntiDiagonals) {
    EXPECT_EQ(GridLayout(GetParam().rows, GetParam().columns), GetParam().layout);
}

INSTANTIATE_TEST_SUITE_P(
    Known, GridLayoutTest,
    ::testing::Values(GridCase{3, 3, "AB42AC13BD42BE13CE42CF13DG13EG42EH13FH42GI13HI42"},
                      GridCase{4, 4,
                               "AB42AC13BD42BE13CE42CF13DG42DH13EH42EI13FI42FJ13GK13HK42HL13IL42"
                               "IM13JM42KN13LN42LO13MO42NP13OP42"},
                      GridCase{2, 3, "AB42AC13BD13CD42CE13DF13EF42"}, GridCase{1, 1, ""},
                      GridCase{0, 4, ""}, GridCase{1, 3, "AB13BC13"}));

TEST(GridLayout, LargestGridsKeepTheGroupCountAndStayInsideTheTables) {
    for (const auto& [r, c] :
         {std::pair{5, 8}, std::pair{8, 5}, std::pair{4, 9}, std::pair{6, 6}}) {
        const std::string layout = GridLayout(r, c);
        EXPECT_EQ(layout.size(), 4u * static_cast<size_t>(r * (c - 1) + (r - 1) * c))
            << r << "x" << c;
        EXPECT_TRUE(BuildCellLinks(layout).has_value()) << r << "x" << c;
    }
}

struct KindCase {
    const char* kind;
    const char* size;
    std::string layout;
};

class LayoutForTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(LayoutForTest, PicksTheBoardOfTheKind) {
    EXPECT_EQ(LayoutFor(GetParam().kind, GetParam().size), GetParam().layout);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LayoutForTest,
                         ::testing::Values(KindCase{"tarno", "9", GridLayout(3, 3)},
                                           KindCase{"tarno", "25", GridLayout(4, 4)},
                                           KindCase{"angle", "9", GridLayout(4, 4)},
                                           KindCase{"bg", "58", GridLayout(5, 8)},
                                           KindCase{"bg", "5", GridLayout(5, 5)},
                                           KindCase{"bg", "x3", ""},
                                           KindCase{"hexa", "5X", "CA36CB52DA41DC52EB41EC36"},
                                           KindCase{"hexa", "5x", ""}, KindCase{"Tarno", "9", ""}));

TEST(HexLayouts, EveryShapeIsConnectedWithOppositeEdgesAndNoGaps) {
    const std::pair<const char*, int> expectedLinks[] = {
        {"3T", 3},  {"4O", 5},  {"5X", 6},  {"5W", 7},  {"6T", 9},   {"6R", 9},   {"6W", 9},
        {"7O", 12}, {"8X", 13}, {"9O", 16}, {"9W", 16}, {"10T", 18}, {"10O", 19}, {"10W", 18}};
    ASSERT_EQ(HexLayouts().size(), 14u);
    for (size_t i = 0; i < 14; ++i) {
        const HexLayout& h = HexLayouts()[i];
        SCOPED_TRACE(std::string(h.key));
        EXPECT_EQ(h.key, expectedLinks[i].first);
        EXPECT_EQ(h.layout.size(), 4u * static_cast<size_t>(expectedLinks[i].second));
        std::set<std::pair<int, int>> pairs;
        std::set<int> letters;
        for (size_t g = 0; g < h.layout.size(); g += 4) {
            const int a = h.layout[g] - 64;
            const int b = h.layout[g + 1] - 64;
            const int ea = h.layout[g + 2] - '0';
            const int eb = h.layout[g + 3] - '0';
            EXPECT_EQ(ea <= 3 ? ea + 3 : ea - 3, eb);
            EXPECT_TRUE(pairs.insert({std::min(a, b), std::max(a, b)}).second) << "pair twice";
            letters.insert(a);
            letters.insert(b);
        }
        EXPECT_EQ(static_cast<int>(letters.size()), h.cells);
        EXPECT_EQ(*letters.rbegin(), h.cells);
        // Connected: a walk from A reaches every cell.
        std::set<int> reached{1};
        for (size_t round = 0; round < 10; ++round)
            for (const auto& [a, b] : pairs)
                if (reached.count(a) || reached.count(b)) {
                    reached.insert(a);
                    reached.insert(b);
                }
        EXPECT_EQ(static_cast<int>(reached.size()), h.cells);
        EXPECT_TRUE(BuildCellLinks(h.layout).has_value());
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
    const CellLinks& a = (*table)[1];
    ASSERT_EQ(a.count, 2);
    EXPECT_EQ(a.links[1].neighbour, 3);
    const CellLinks& b = (*table)[2];
    ASSERT_EQ(b.count, 1);
    EXPECT_EQ(std::tuple(b.links[0].cell, b.links[0].neighbour, b.links[0].cellEdge,
                         b.links[0].neighbourEdge),
              std::tuple(2, 1, 2, 4));
    EXPECT_EQ((*table)[4].count, 0);
}

TEST(BuildCellLinks, RefusesWhatTheTablesCannotHold) {
    EXPECT_FALSE(BuildCellLinks("AB4"));                          // incomplete group
    EXPECT_FALSE(BuildCellLinks("Ai42"));                         // cell 41
    EXPECT_FALSE(BuildCellLinks("AB72"));                         // edge 7
    EXPECT_FALSE(BuildCellLinks("ABx2"));                         // not a digit
    EXPECT_FALSE(BuildCellLinks("AB14AC14AD14AE14AF14AG14AH14")); // a seventh link
    EXPECT_TRUE(BuildCellLinks("AB14AC14AD14AE14AF14AG14"));
    EXPECT_TRUE(BuildCellLinks("Ah42")); // cell 40
    EXPECT_TRUE(BuildCellLinks(""));
}

} // namespace
} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// Reading requests: the header's kinds, the item blocks, and every refused shape.
#include "solver/request.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

TEST(Header, NameSelectsKindSizeAndMatching) {
    const struct {
        const char* header;
        const char* kind;
        const char* size;
        int count;
        int matchSum;
    } cases[] = {{"tarno9*9", "tarno", "9", 9, 0},     {"tarno16*16", "tarno", "16", 16, 0},
                 {"ta*16", "tarno", "16", 16, 0},      {"angle*16", "angle", "16", 16, 0},
                 {"kp*16", "kpuzzle", "16", 16, 0},    {"hexa5X*5", "hexa", "5X", 5, 0},
                 {"hexa10W*10", "hexa", "10W", 10, 0}, {"hex*3", "hexa", "", 3, 0},
                 {"bg58*40", "bg", "58", 40, 3},       {"Tarno9*9", "", "", 9, 0},
                 {"*7", "", "", 7, 0},                 {"tarno9*09", "tarno", "9", 9, 0}};
    for (const auto& c : cases) {
        const auto h = ParsePuzzleHeader(c.header);
        ASSERT_TRUE(h) << c.header;
        EXPECT_EQ(std::tie(h->kind, h->size, h->count, h->matchSum),
                  std::tuple(std::string(c.kind), std::string(c.size), c.count, c.matchSum))
            << c.header;
    }
    for (const char* header : {"tarno9", "tarno9*-9", "tarno9* 9", "tarno9*1234567890"})
        EXPECT_FALSE(ParsePuzzleHeader(header)) << header;
}

TEST(SplitItems, KeepsEmptyItems) {
    EXPECT_EQ(splitItems("a,,b,"), (std::vector<std::string>{"a", "", "b", ""}));
}

// Fixed pieces come as three blocks (pieces, cells, rotations); each takes the first
// equal string of the pieces, and the search is left the other cells and pieces.
TEST(Request, FixedPiecesLeaveTheOtherCellsAndPiecesToTheSearch) {
    const auto r = parseRequest(splitItems(
        "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032,0233,3230,6,1,2,0"));
    ASSERT_TRUE(r.request) << r.problem;
    EXPECT_EQ(r.request->freeCells, (std::vector<int>{2, 3, 4, 5, 7, 8, 9}));
    EXPECT_EQ(r.request->toPlace, (std::vector<int>{1, 2, 3, 4, 6, 7, 8}));
}

TEST(Request, MalformedOnesAreRefusedWithAReason) {
    for (const char* request : {
             "xx*41",                                     // count 41
             "tarno9*3,0000,0000",                        // too few items
             "tarno9*2,0000,0000,0000",                   // items not 1+count+3K
             "tarno9*2,0000,",                            // empty piece
             "tarno9*2,0000,00a0",                        // non-digit piece
             "tarno9*2,0000,000",                         // lengths differ
             "xyz*2,1,23",                                // lengths differ without links
             "tarno9*2,000,000",                          // three-edge pieces on a grid
             "hexa3T*3,0000,0000,0000",                   // four-edge pieces on a hexagon board
             "tarno9*2,0000,1111,1111,3,0",               // fixed cell beyond count
             "tarno9*3,0000,1111,2222,1111,2222,1,1,0,0", // fixed cell twice
             "tarno9*2,0000,1111,1111,1,4",               // rotation outside 0..L-1
             "tarno9*2,0000,1111,2222,1,0",               // fixed piece not among pieces
             "tarno9*9,1111,2222,1111,1111,0000,0000,0000,0000,0000,2222,2222,5,6,0,0", // taken
             "bgxy*4,0000,0000,0000,0000",                // bg size not digits
             "bg99*1,0000",                               // bg over 40 cells
             ""}) {
        const auto r = parseRequest(splitItems(request));
        EXPECT_FALSE(r.request) << request;
        EXPECT_FALSE(r.problem.empty()) << request;
    }
    // Boards without links take any piece length; a grid may have no cells.
    for (const char* request : {"hexa5Z*2,123,456", "bg00*1,0123"})
        EXPECT_TRUE(parseRequest(splitItems(request)).request) << request;
}

// Fixed pieces are laid as given; the check names the first two that touch with codes
// that do not match by the board's rule (equal codes, or codes adding up for "bg").
TEST(FixedClash, NamesTheFirstPairThatDoesNotMatch) {
// The worked 3 x 3 example: solved, its cells 1..9 hold 3230 3001 0031 1110 1312 0012 1021
// 0233 0032 in rotations 0 0 0 0 1 2 2 1 3.
#define TARNO9 "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032,"
    const struct {
        const char* request;
        int cell; // 0: no clash
        int neighbour;
    } cases[] = {
        {TARNO9 "3230,3001,0031,1110,1312,0012,1021,0233,0032,1,2,3,4,5,6,7,8,9,0,0,0,0,1,2,2,1,3",
         0, 0},
        {TARNO9 "3230,3001,1,2,0,0", 0, 0},
        {TARNO9 "3230,3001,1,2,0,1", 1, 2},
        {TARNO9 "0032,3001,9,2,3,1", 0, 0}, // not touching
        {"bg13*3,0000,0000,3333,0000,0000,1,2,0,0", 1, 2},
        {"bg12*2,0000,3333,0000,3333,1,2,0,0", 0, 0},
        {"xyz*2,1,2,1,2,1,2,0,0", 0, 0}}; // no links, nothing touches
#undef TARNO9
    for (const auto& c : cases) {
        const auto r = parseRequest(splitItems(c.request));
        ASSERT_TRUE(r.request) << r.problem;
        const std::optional<FixedClash> clash = clashingFixedPieces(*r.request);
        EXPECT_EQ(clash ? std::pair(clash->cell, clash->neighbour) : std::pair(0, 0),
                  std::pair(c.cell, c.neighbour))
            << c.request;
    }
}

} // namespace
} // namespace tarno

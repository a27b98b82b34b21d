// SPDX-License-Identifier: GPL-3.0-or-later
// Reading requests: the header's kinds, the item blocks, and every refused shape.
#include "solver/request.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

struct HeaderCase {
    const char* header;
    const char* kind;
    const char* size;
    int count;
    int matchSum;
};

class HeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTest, NameSelectsKindSizeAndMatching) {
    const HeaderCase& c = GetParam();
    const auto h = ParsePuzzleHeader(c.header);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->kind, c.kind);
    EXPECT_EQ(h->size, c.size);
    EXPECT_EQ(h->count, c.count);
    EXPECT_EQ(h->matchSum, c.matchSum);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, HeaderTest,
    ::testing::Values(
        HeaderCase{"tarno9*9", "tarno", "9", 9, 0}, HeaderCase{"tarno16*16", "tarno", "16", 16, 0},
        HeaderCase{"ta*16", "tarno", "16", 16, 0},
        HeaderCase{"angle*16", "angle", "16", 16, 0}, HeaderCase{"kp*16", "kpuzzle", "16", 16, 0},
        HeaderCase{"hexa5X*5", "hexa", "5X", 5, 0}, HeaderCase{"hexa10W*10", "hexa", "10W", 10, 0},
        HeaderCase{"hex*3", "hexa", "", 3, 0}, HeaderCase{"bg58*40", "bg", "58", 40, 3},
        HeaderCase{"Tarno9*9", "", "", 9, 0}, HeaderCase{"*7", "", "", 7, 0}));

TEST(Header, CountMustBePlainDecimal) {
    EXPECT_FALSE(ParsePuzzleHeader("tarno9"));
    EXPECT_FALSE(ParsePuzzleHeader("tarno9*-9"));
    EXPECT_FALSE(ParsePuzzleHeader("tarno9* 9"));
    EXPECT_FALSE(ParsePuzzleHeader("tarno9*1234567890"));
    EXPECT_EQ(ParsePuzzleHeader("tarno9*09")->count, 9);
}

std::vector<std::string> items(std::string_view text) {
    return splitItems(text);
}

TEST(SplitItems, KeepsEmptyItems) {
    EXPECT_EQ(items("a,b"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(items(""), (std::vector<std::string>{""}));
    EXPECT_EQ(items("a,,b,"), (std::vector<std::string>{"a", "", "b", ""}));
}

TEST(Request, FixedPiecesAreReadAsThreeBlocks) {
    const auto r = parseRequest(items("tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032,"
                                      "0233,3230,6,1,2,0"));
    ASSERT_TRUE(r.request) << r.problem;
    ASSERT_EQ(r.request->fixed.size(), 2u);
    EXPECT_EQ(r.request->fixed[0].piece, "0233");
    EXPECT_EQ(r.request->fixed[0].cell, 6);
    EXPECT_EQ(r.request->fixed[0].rotation, 2);
    EXPECT_EQ(r.request->fixed[1].piece, "3230");
    EXPECT_EQ(r.request->fixed[1].cell, 1);
    EXPECT_EQ(r.request->fixed[1].rotation, 0);
    EXPECT_EQ(r.request->freeCells, (std::vector<int>{2, 3, 4, 5, 7, 8, 9}));
    EXPECT_EQ(r.request->toPlace, (std::vector<int>{1, 2, 3, 4, 6, 7, 8}));
}

TEST(Request, AFixedPieceTakesOnlyTheFirstEqualString) {
    const auto r = parseRequest(items("tarno9*9,1111,2222,1111,1111,0000,0000,0000,0000,0000,"
                                      "1111,5,0"));
    ASSERT_TRUE(r.request) << r.problem;
    EXPECT_EQ(r.request->toPlace, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    // The same string is never taken twice: a second fixed "2222" finds nothing left.
    EXPECT_FALSE(parseRequest(items("tarno9*9,1111,2222,1111,1111,0000,0000,0000,0000,0000,"
                                    "2222,2222,5,6,0,0"))
                     .request);
}

TEST(Request, WithoutFixedPiecesEveryCellIsFree) {
    const auto r = parseRequest(items("tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032"));
    ASSERT_TRUE(r.request) << r.problem;
    EXPECT_EQ(r.request->freeCells.size(), 9u);
    EXPECT_EQ(r.request->toPlace.size(), 9u);
    EXPECT_EQ(r.request->pieceLength, 4);
    EXPECT_EQ(r.request->links[1].count, 2);
}

TEST(Request, BoardsWithoutLinksTakeAnyPieceLength) {
    EXPECT_TRUE(parseRequest(items("xyz*2,1,23")).request == std::nullopt); // lengths differ
    EXPECT_TRUE(parseRequest(items("xyz*2,12,34")).request);
    EXPECT_TRUE(parseRequest(items("hexa5Z*2,123,456")).request);
    EXPECT_TRUE(parseRequest(items("bg00*1,0123")).request); // a grid with no cells
}

struct MalformedCase {
    const char* why;
    const char* request;
};

class MalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedTest, IsRefusedWithAReason) {
    const auto r = parseRequest(items(GetParam().request));
    EXPECT_FALSE(r.request);
    EXPECT_FALSE(r.problem.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Refused, MalformedTest,
    ::testing::Values(
        MalformedCase{"no star", "tarno9,0000"}, MalformedCase{"count text", "tarno9*x,0000"},
        MalformedCase{"count 41", "xx*41"},
        MalformedCase{"too few items", "tarno9*3,0000,0000"},
        MalformedCase{"items not 1+count+3K", "tarno9*2,0000,0000,0000"},
        MalformedCase{"empty piece", "tarno9*2,0000,"},
        MalformedCase{"non-digit piece", "tarno9*2,0000,00a0"},
        MalformedCase{"lengths differ", "tarno9*2,0000,000"},
        MalformedCase{"three-edge pieces on a grid", "tarno9*2,000,000"},
        MalformedCase{"four-edge pieces on a hexagon board", "hexa3T*3,0000,0000,0000"},
        MalformedCase{"fixed cell beyond count", "tarno9*2,0000,1111,1111,3,0"},
        MalformedCase{"fixed cell twice", "tarno9*3,0000,1111,2222,1111,2222,1,1,0,0"},
        MalformedCase{"rotation outside 0..L-1", "tarno9*2,0000,1111,1111,1,4"},
        MalformedCase{"fixed piece not among pieces", "tarno9*2,0000,1111,2222,1,0"},
        MalformedCase{"bg size not digits", "bgxy*4,0000,0000,0000,0000"},
        MalformedCase{"bg over 40 cells", "bg99*1,0000"}, MalformedCase{"no items", ""}));

// Fixed pieces are laid as given; the check names the first two that touch with codes
// that do not match by the board's rule (equal codes, or codes adding up for "bg").
struct ClashCase {
    const char* request;
    int cell; // 0: no clash
    int neighbour;
};

class FixedClashTest : public ::testing::TestWithParam<ClashCase> {};

TEST_P(FixedClashTest, NamesTheFirstPairThatDoesNotMatch) {
    const ClashCase& c = GetParam();
    const auto r = parseRequest(items(c.request));
    ASSERT_TRUE(r.request) << r.problem;
    const std::optional<FixedClash> clash = clashingFixedPieces(*r.request);
    if (c.cell == 0) {
        EXPECT_FALSE(clash) << clash->cell << "," << clash->neighbour;
        return;
    }
    ASSERT_TRUE(clash);
    EXPECT_EQ(clash->cell, c.cell);
    EXPECT_EQ(clash->neighbour, c.neighbour);
}

// The solved board of the worked 3 x 3 example: 3230 3001 0031 1110 1312 0012 1021 0233
// 0032 in cells 1..9, rotations 0 0 0 0 1 2 2 1 3.
#define TARNO9 "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032,"
INSTANTIATE_TEST_SUITE_P(
    Boards, FixedClashTest,
    ::testing::Values(ClashCase{TARNO9
                                "3230,3001,0031,1110,1312,0012,1021,0233,0032,1,2,3,4,5,6,7,8,9,"
                                "0,0,0,0,1,2,2,1,3",
                                0, 0},
                      ClashCase{TARNO9 "3230,3001,1,2,0,0", 0, 0},
                      ClashCase{TARNO9 "3230,3001,1,2,0,1", 1, 2},
                      ClashCase{TARNO9 "0032,3001,9,2,3,1", 0, 0}, // not touching
                      ClashCase{"bg13*3,0000,0000,3333,0000,0000,1,2,0,0", 1, 2},
                      ClashCase{"bg12*2,0000,3333,0000,3333,1,2,0,0", 0, 0},
                      ClashCase{"xyz*2,1,2,1,2,1,2,0,0", 0, 0})); // no links, nothing touches
#undef TARNO9

} // namespace
} // namespace tarno

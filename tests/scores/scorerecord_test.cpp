// The 66-byte record: golden bytes, name fitting, the code page on the way.
#include "scores/scorerecord.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

std::vector<std::uint8_t> bytesOf(const ScoreRecord& r) {
    const RecordBytes b = encodeRecord(r);
    return {b.begin(), b.end()};
}

TEST(ScoreRecord, GoldenBytes) {
    ScoreRecord r;
    r.slot = 17;
    r.name = fitName("Ann");
    r.timeMs = 90500;
    r.score = 1000000;
    r.moves = -2;
    std::vector<std::uint8_t> want = {0x11, 0, 0, 0, 'A', 'n', 'n'};
    want.insert(want.end(), 47, ' ');
    const std::vector<std::uint8_t> numbers = {0x84, 0x61, 0x01, 0x00, 0x40, 0x42,
                                               0x0F, 0x00, 0xFE, 0xFF, 0xFF, 0xFF};
    want.insert(want.end(), numbers.begin(), numbers.end());
    EXPECT_EQ(bytesOf(r), want);
    EXPECT_EQ(decodeRecord(encodeRecord(r)), r);
}

TEST(ScoreRecord, MillionIsStoredAs40420F00) {
    ScoreRecord r;
    r.score = 1000000;
    const RecordBytes b = encodeRecord(r);
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 58, b.begin() + 62),
              (std::vector<std::uint8_t>{0x40, 0x42, 0x0F, 0x00}));
}

TEST(ScoreRecord, LongNameIsCutAfterFiftyCharacters) {
    const std::string sixty = std::string(50, 'x') + "0123456789";
    EXPECT_EQ(fitName(sixty), std::string(50, 'x'));
    ScoreRecord r;
    r.name = fitName(sixty);
    const RecordBytes b = encodeRecord(r);
    EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 54), std::string(50, 'x'));
}

TEST(ScoreRecord, ShortNameIsPaddedWithSpacesNeverZeros) {
    const RecordBytes b = encodeRecord(ScoreRecord{1, fitName("Bob"), 0, 0, 0});
    EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 54), "Bob" + std::string(47, ' '));
}

TEST(ScoreRecord, NonAsciiNameGoesThroughTheCodePage) {
    // "Zoë €5 Жx": ë and € have code page bytes, Ж does not.
    ScoreRecord r;
    r.name = fitName("Zo\xC3\xAB \xE2\x82\xAC"
                     "5 \xD0\x96x");
    EXPECT_EQ(r.name.size(), 50u - 9 + 13); // 9 characters in 13 bytes, then 41 spaces
    const RecordBytes b = encodeRecord(r);
    EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 13), "Zo\xEB \x80"
                                                          "5 ?x");
    EXPECT_EQ(trimmedName(decodeRecord(b).name), "Zo\xC3\xAB \xE2\x82\xAC"
                                                 "5 ?x");
}

TEST(ScoreRecord, FiftyNonAsciiCharactersFillTheFieldExactly) {
    std::string name;
    for (int i = 0; i < 55; ++i)
        name += "\xC3\xA9"; // é
    const RecordBytes b = encodeRecord(ScoreRecord{1, fitName(name), 0, 0, 0});
    EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 54), std::string(50, '\xE9'));
}

TEST(ScoreRecord, TrimmedNameTakesOnlySpacesOff) {
    EXPECT_EQ(trimmedName("  Ann  "), "Ann");
    EXPECT_EQ(trimmedName(std::string(50, ' ')), "");
    EXPECT_EQ(trimmedName("\tAnn"), "\tAnn");
}

} // namespace
} // namespace tarno

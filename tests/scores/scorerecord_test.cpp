// SPDX-License-Identifier: GPL-3.0-or-later
// The 66-byte record: golden bytes, name fitting, the code page on the way.
#include "scores/scorerecord.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

std::string bytesOf(const ScoreRecord& r) {
    const RecordBytes b = encodeRecord(r);
    return {b.begin(), b.end()};
}

TEST(ScoreRecord, GoldenBytes) {
    const ScoreRecord r{17, fitName("Ann"), 90500, 1000000, -2};
    const std::string want = std::string("\x11\0\0\0Ann", 7) + std::string(47, ' ') +
                             std::string("\x84\x61\x01\x00\x40\x42\x0F\x00\xFE\xFF\xFF\xFF", 12);
    EXPECT_EQ(bytesOf(r), want);
    EXPECT_EQ(decodeRecord(encodeRecord(r)), r);
}

// The name field as stored, and the name as shown: only the outer spaces taken off.
TEST(ScoreRecord, NamesAreCutOrPaddedToFiftyCodePageBytes) {
    const std::string e55 = repeat("\u00E9", 55);
    const struct {
        std::string name, stored, shown;
    } cases[] = {
        {" \tBob", " \tBob" + std::string(45, ' '), "\tBob"}, // spaces, never zeros
        {std::string(50, 'x') + "0123456789", std::string(50, 'x'), std::string(50, 'x')},
        // ë and € have bytes, Ж is spelled with two, 中 with none.
        {"Zo\u00EB \u20AC \u0416x\u4E2D", "Zo\xEB \x80 Zhx?" + std::string(40, ' '),
         "Zo\u00EB \u20AC Zhx?"},
        // Fifty characters once spelled: each Щ takes four.
        {repeat("\u0429", 13), repeat("SHCH", 12) + "SH", repeat("SHCH", 12) + "SH"},
        // Fifty characters, not fifty bytes of UTF-8.
        {e55, std::string(50, '\xE9'), e55.substr(0, 100)}};
    for (const auto& c : cases) {
        const ScoreRecord r{1, fitName(c.name), 0, 0, 0};
        EXPECT_EQ(bytesOf(r).substr(kNameOffset, kNameLength), c.stored) << c.name;
        EXPECT_EQ(trimmedName(decodeRecord(encodeRecord(r)).name), c.shown) << c.name;
    }
}

} // namespace
} // namespace tarno

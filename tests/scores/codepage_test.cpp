// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows-1252 table: round trips, the '?' for what it cannot hold, case folding.
#include "scores/codepage.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

TEST(CodePage, EveryByteDecodesAndEncodesBackToItself) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(cp1252::encode(cp1252::decode(one)), one) << "byte " << b;
    }
}

TEST(CodePage, EncodesToTheCodePageByteOrAQuestionMark) {
    const std::pair<const char*, const char*> cases[] = {
        {"\xC5\xA0", "\x8A"},      // Š, from the block that differs from Latin-1
        {"\xE2\x84\xA2", "\x99"},  // ™
        {"\xC5\xB8", "\x9F"},      // Ÿ
        {"\xD0\x96", "?"},         // Ж has no byte
        {"\xF0\x9F\x98\x80", "?"}, // a four-byte character is one '?'
        {"a\xFFz", "a?z"},         // a byte that is no UTF-8
        {"\xE2\x82", "??"},        // cut short
        {"\xC0\xAF", "??"}};       // overlong
    for (auto [utf8, bytes] : cases)
        EXPECT_EQ(cp1252::encode(utf8), bytes) << utf8;
}

TEST(CodePage, FoldsCapitalsOfTheCodePage) {
    const std::pair<int, int> cases[] = {{'A', 'a'},   {'_', '_'},   {0xC9, 0xE9}, {0xD7, 0xD7},
                                         {0x8A, 0x9A}, {0x9F, 0xFF}, {0xE9, 0xE9}};
    for (auto [from, to] : cases)
        EXPECT_EQ(cp1252::foldCase(static_cast<unsigned char>(from)), to) << from;
}

} // namespace
} // namespace tarno

// The Windows-1252 table: round trips, the '?' for what it cannot hold, case folding.
#include "scores/codepage.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

TEST(CodePage, EveryByteDecodesAndEncodesBackToItself) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = cp1252::decode(one);
        EXPECT_EQ(cp1252::encode(utf8), one) << "byte " << b;
    }
}

struct CharCase {
    const char* utf8;
    const char* bytes;
};

class CodePageChars : public ::testing::TestWithParam<CharCase> {};

TEST_P(CodePageChars, EncodesToTheCodePageByte) {
    EXPECT_EQ(cp1252::encode(GetParam().utf8), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Table, CodePageChars,
                         ::testing::Values(CharCase{"Ann", "Ann"},
                                           CharCase{"Zo\xC3\xAB", "Zo\xEB"},  // ë
                                           CharCase{"\xE2\x82\xAC", "\x80"},  // €
                                           CharCase{"\xC5\xA0", "\x8A"},      // Š
                                           CharCase{"\xE2\x84\xA2", "\x99"},  // ™
                                           CharCase{"\xC5\xB8", "\x9F"},      // Ÿ
                                           CharCase{"\xD0\x96", "?"},         // Ж
                                           CharCase{"\xF0\x9F\x98\x80", "?"}, // emoji
                                           CharCase{"a\xFF"
                                                    "b",
                                                    "a?b"},              // bad byte
                                           CharCase{"\xE2\x82", "??"},   // cut short
                                           CharCase{"\xC0\xAF", "??"})); // overlong

TEST(CodePage, FoldsCapitalsOfTheCodePage) {
    EXPECT_EQ(cp1252::foldCase('A'), 'a');
    EXPECT_EQ(cp1252::foldCase('_'), '_');
    EXPECT_EQ(cp1252::foldCase(0xC9), 0xE9); // É
    EXPECT_EQ(cp1252::foldCase(0xD7), 0xD7); // multiplication sign has no small letter
    EXPECT_EQ(cp1252::foldCase(0x8A), 0x9A); // Š
    EXPECT_EQ(cp1252::foldCase(0x9F), 0xFF); // Ÿ
    EXPECT_EQ(cp1252::foldCase(0xE9), 0xE9);
}

} // namespace
} // namespace tarno

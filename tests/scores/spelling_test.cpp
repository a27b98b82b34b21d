// SPDX-License-Identifier: GPL-3.0-or-later
// Names spelled in the code page: sample names of many scripts, and what must hold for
// every character.
#include "scores/spelling.h"

#include "scores/codepage.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

struct Sample {
    const char* script;
    const char* name;
    const char* spelled;
};

class SampleNames : public ::testing::TestWithParam<Sample> {};

TEST_P(SampleNames, AreSpelledAsCloseAsTheCodePageAllows) {
    EXPECT_EQ(cp1252::spell(GetParam().name), GetParam().spelled) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Spelling, SampleNames,
    ::testing::Values(
        // Letters the code page has stay; other marks go.
        Sample{"WesternLatin", "José Ñúñez Müller-Straße", "José Ñúñez Müller-Straße"},
        Sample{"Polish", "Łukasz Wąż", "Lukasz Waz"},
        Sample{"Czech", "Antonín Dvořák", "Antonín Dvorák"},
        Sample{"Romanian", "Ștefan Țurcanu", "Stefan Turcanu"},
        Sample{"Turkish", "Şükrü Ağaoğlu Işık", "Sükrü Agaoglu Isik"},
        Sample{"Vietnamese", "Nguyễn Văn Đức", "Nguyen Van Duc"},
        Sample{"Russian", "Пётр Ильич Чайковский", "Pyotr Ilich Chaykovskiy"},
        Sample{"RussianInCapitals", "ЮЛИЯ ЩЕРБАКОВА", "YULIYA SHCHERBAKOVA"},
        Sample{"Ukrainian", "Ґанна Їжакевич", "Ganna Yizhakevich"},
        Sample{"Serbian", "Ђорђе Шљивић", "Djordje Shljivic"},
        Sample{"Greek", "Γιώργος Παπαδόπουλος", "Giorgos Papadopoulos"},
        Sample{"GreekPairs", "Ευάγγελος ΜΟΥΣΤΑΚΑΣ", "Evangelos MOUSTAKAS"},
        Sample{"Armenian", "Արամ Խաչատրյան", "Aram Khachatryan"},
        Sample{"Georgian", "გიორგი ბერიძე", "Giorgi Beridze"},
        Sample{"Korean", "김 민준", "Gim Minjun"},
        Sample{"FullWidth", "Ｔａｒｏ　１２", "Taro 12"},
        // Nothing can spell these.
        Sample{"Chinese", "李小龙", "???"},
        Sample{"Hebrew", "דוד", "???"},
        Sample{"Emoji", "Ann 😀", "Ann ?"},
        Sample{"Malformed", "a\xFFz\xE2\x82", "a?z??"}),
    [](const auto& info) { return std::string(info.param.script); });

TEST(Spelling, EveryCharacterOfTheCodePageStaysItself) {
    for (int b = 0; b < 256; ++b) {
        const std::string character = cp1252::decode(std::string(1, static_cast<char>(b)));
        EXPECT_EQ(cp1252::spell(character), character) << "byte " << b;
    }
}

// Whatever comes in, what comes out is held by the code page whole, and spelling it
// again changes nothing.
TEST(Spelling, EveryCharacterComesOutInTheCodePage) {
    for (char32_t c = 1; c < 0x20000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::string in;
        cp1252::detail::appendUtf8(in, c);
        const std::string out = cp1252::spell("A" + in);
        ASSERT_EQ(cp1252::decode(cp1252::encode(out)), out) << "U+" << std::hex << static_cast<unsigned>(c);
        ASSERT_EQ(cp1252::spell(out), out) << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

TEST(Spelling, DecomposedLettersAreSpelledAsComposedOnes) {
    const std::pair<const char*, const char*> cases[] = {
        {"Zoe\u0308", "Zoë"},         {"Jose\u0301", "José"},
        {"N\u0303andu\u0301", "Ñandú"}, {"S\u030Ckoda", "Škoda"},
        {"a\u0328 e\u0323\u0302", "a ê"}, // ą has no byte, ệ keeps what it can
        {"\u0301x", "x"},             // a mark with no letter before it
    };
    for (auto [decomposed, spelled] : cases)
        EXPECT_EQ(cp1252::spell(decomposed), spelled) << decomposed;
}

} // namespace
} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows-1252 code page, names spelled in it, and the 66-byte record that stores them.
#include "scores/codepage.h"
#include "scores/scorerecord.h"
#include "scores/spelling.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

TEST(CodePage, EncodesToTheCodePageByteOrAQuestionMark) {
    const std::pair<const char*, const char*> cases[] = {
        {"\xC5\xA0", "\x8A"},      // Š, from the block that differs from Latin-1
        {"\xE2\x84\xA2", "\x99"},  // ™
        {"\xC5\xB8", "\x9F"},      // Ÿ
        {"\xD0\x96", "?"},         // Ж has no byte
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

// A character of the code page is its byte both ways and is spelled as itself; whatever
// else comes in is spelled in the code page, and spelling that again changes nothing.
TEST(Spelling, EveryCharacterComesOutInTheCodePage) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string character = cp1252::decode(byte);
        EXPECT_EQ(cp1252::encode(character), byte) << "byte " << b;
        EXPECT_EQ(cp1252::spell(character), character) << "byte " << b;
    }
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

TEST(Spelling, NamesAreSpelledAsCloseAsTheCodePageAllows) {
    const std::pair<const char*, const char*> names[] = {
        // Letters the code page has stay; other marks go.
        {"José Ñúñez Müller-Straße", "José Ñúñez Müller-Straße"},
        {"Łukasz Wąż", "Lukasz Waz"},
        {"Antonín Dvořák", "Antonín Dvorák"},
        {"Ștefan Țurcanu", "Stefan Turcanu"},
        {"Şükrü Ağaoğlu Işık", "Sükrü Agaoglu Isik"},
        {"Nguyễn Văn Đức", "Nguyen Van Duc"},
        // Other scripts are written in Latin letters, capitals staying capitals.
        {"Пётр Ильич Чайковский", "Pyotr Ilich Chaykovskiy"},
        {"ЮЛИЯ ЩЕРБАКОВА", "YULIYA SHCHERBAKOVA"},
        {"Ґанна Їжакевич", "Ganna Yizhakevich"},
        {"Ђорђе Шљивић", "Djordje Shljivic"},
        {"Ευάγγελος ΜΟΥΣΤΑΚΑΣ", "Evangelos MOUSTAKAS"},
        {"Արամ Խաչատրյան", "Aram Khachatryan"},
        {"გიორგი ბერიძე", "Giorgi Beridze"},
        {"김 민준", "Gim Minjun"},
        {"Ｔａｒｏ　１２", "Taro 12"},
        // Decomposed letters are spelled as composed ones where the code page has them.
        {"Zoe\u0308", "Zoë"},
        {"N\u0303andu\u0301", "Ñandú"},
        {"S\u030Ckoda", "Škoda"},
        {"a\u0328 e\u0323\u0302", "a ê"}, // ą has no byte, ệ keeps what it can
        {"\u0301x", "x"},                 // a mark with no letter before it
        // Nothing can spell these.
        {"李小龙", "???"},
        {"דוד", "???"},
        {"Ann 😀", "Ann ?"},
        {"a\xFFz\xE2\x82", "a?z??"}};
    for (auto [name, spelled] : names)
        EXPECT_EQ(cp1252::spell(name), spelled) << name;
}

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

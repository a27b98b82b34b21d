// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252, the 8-bit code page of the names stored in the score file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarno::cp1252 {

// The character a byte stands for. Every byte decodes: the five bytes the code page
// leaves undefined (81, 8D, 8F, 90, 9D) stand for the control characters of the same
// number, so any file reads and writes back unchanged.
char32_t toUnicode(std::uint8_t byte);
// The byte for a character, or '?' for one the code page cannot hold.
std::uint8_t fromUnicode(char32_t c);

// UTF-8 text to code page bytes, one byte per character; a character the code page
// cannot hold, and every malformed UTF-8 sequence, becomes '?'.
std::string encode(std::string_view utf8);
// Code page bytes to UTF-8; never fails.
std::string decode(std::string_view bytes);

// Lower-case letter for an upper-case one of the code page, anything else unchanged;
// names are compared through this.
std::uint8_t foldCase(std::uint8_t byte);

// Splits UTF-8 into characters; a malformed sequence gives one U+FFFD per byte.
// Calls `f(char32_t)` for each character.
template <class F> void forEachCodePoint(std::string_view utf8, F&& f);

} // namespace tarno::cp1252

namespace tarno::cp1252 {

namespace detail {
// Decodes one character at `i`, advancing `i`; U+FFFD for a malformed sequence.
char32_t nextCodePoint(std::string_view s, std::size_t& i);
void appendUtf8(std::string& out, char32_t c);
} // namespace detail

template <class F> void forEachCodePoint(std::string_view utf8, F&& f) {
    std::size_t i = 0;
    while (i < utf8.size())
        f(detail::nextCodePoint(utf8, i));
}

} // namespace tarno::cp1252

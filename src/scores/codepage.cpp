// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows-1252 table and the UTF-8 conversions around it.
#include "scores/codepage.h"

#include <array>

namespace tarno::cp1252 {
namespace {

// Bytes 80..9F; the rest of the code page equals the first 256 Unicode characters.
constexpr std::array<char32_t, 32> kHigh{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

namespace detail {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    constexpr char32_t kBad = 0xFFFD;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, min = 0x10000;
    } else {
        ++i;
        return kBad;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return kBad;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kBad;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kBad;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return c;
}

} // namespace detail

char32_t toUnicode(std::uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHigh[byte - 0x80];
    return byte;
}

std::uint8_t fromUnicode(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<std::uint8_t>(c);
    for (std::size_t k = 0; k < kHigh.size(); ++k) {
        if (kHigh[k] == c)
            return static_cast<std::uint8_t>(0x80 + k);
    }
    return '?';
}

std::string encode(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    forEachCodePoint(utf8, [&](char32_t c) { out.push_back(static_cast<char>(fromUnicode(c))); });
    return out;
}

std::string decode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes)
        detail::appendUtf8(out, toUnicode(static_cast<std::uint8_t>(b)));
    return out;
}

std::uint8_t foldCase(std::uint8_t byte) {
    if (byte >= 'A' && byte <= 'Z')
        return static_cast<std::uint8_t>(byte + 0x20);
    // Latin-1 capitals, except the multiplication sign between them.
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)
        return static_cast<std::uint8_t>(byte + 0x20);
    switch (byte) {
    case 0x8A:
        return 0x9A; // S caron
    case 0x8C:
        return 0x9C; // OE
    case 0x8E:
        return 0x9E; // Z caron
    case 0x9F:
        return 0xFF; // Y diaeresis
    default:
        return byte;
    }
}

} // namespace tarno::cp1252

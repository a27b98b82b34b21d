// SPDX-License-Identifier: GPL-3.0-or-later
// The tables: the Latin letters' bases taken from Unicode's decompositions; Cyrillic in
// the common English spelling (BGN/PCGN without its diacritics, with the Ukrainian,
// Belarusian, Serbian and Macedonian letters added); Greek after ELOT 743; Armenian and
// Georgian in their national systems without apostrophes; Hangul in the Revised
// Romanization, syllable by syllable.
#include "scores/spelling.h"

#include "scores/codepage.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace tarno::cp1252 {
namespace {

// The base letter of each character from U+0100 and from U+1E00; '.' where there is no
// single letter (or the code page has the character itself).
constexpr std::string_view kLatinExtended =
    "AaAaAaCcCcCcCcDd..EeEeEeEeEeGgGgGgGgHh..IiIiIiIiI...JjKk.LlLlLl."  // U+0100
    "...NnNnNn...OoOoOo..RrRrRrSsSsSs..TtTt..UuUuUuUuUuUuWwYy.ZzZz..s"   // U+0140
    "................................Oo.............Uu..............."  // U+0180
    ".............AaIiOoUuUuUuUuUu.AaAa....GgKkOoOo..j...Gg..NnAa...."  // U+01C0
    "AaAaEeEeIiIiOoOoRrRrUuUuSsTt..Hh......AaEeOoOoOoOoYy............"  // U+0200
    "................";                                                 // U+0240
constexpr std::string_view kLatinAdditional =
    "AaBbBbBbCcDdDdDdDdDdEeEeEeEeEeFfGgHhHhHhHhHhIiIiKkKkKkLlLlLlLlMm"  // U+1E00
    "MmMmNnNnNnNnOoOoOoOoPpPpRrRrRrRrSsSsSsSsSsTtTtTtTtUuUuUuUuUuVvVv"  // U+1E40
    "WwWwWwWwWwXxXxYyZzZzZzhtwy.s....AaAaAaAaAaAaAaAaAaAaAaAaEeEeEeEe"  // U+1E80
    "EeEeEeEeIiIiOoOoOoOoOoOoOoOoOoOoOoOoUuUuUuUuUuUuUuYyYyYyYy......"; // U+1EC0
static_assert(kLatinExtended.size() == 0x250 - 0x100 && kLatinAdditional.size() == 0x100);

struct Spelling {
    char32_t c;
    std::string_view latin;
};

// Letters spelled by a table of their own: Latin ones without a decomposition or with
// two letters, and letters outside the alphabets' ranges below. Sorted.
constexpr Spelling kOwn[] = {
    {0x0110, "D"},  {0x0111, "d"},  {0x0126, "H"},  {0x0127, "h"},  {0x0131, "i"},
    {0x0132, "IJ"}, {0x0133, "ij"}, {0x0138, "k"},  {0x013F, "L"},  {0x0140, "l"},
    {0x0141, "L"},  {0x0142, "l"},  {0x0149, "'n"}, {0x014A, "N"},  {0x014B, "n"},
    {0x0166, "T"},  {0x0167, "t"},  {0x0180, "b"},  {0x0181, "B"},  {0x0187, "C"},
    {0x0188, "c"},  {0x0189, "D"},  {0x018A, "D"},  {0x018E, "E"},  {0x0190, "E"},
    {0x0191, "F"},  {0x0193, "G"},  {0x0197, "I"},  {0x0198, "K"},  {0x0199, "k"},
    {0x019A, "l"},  {0x019D, "N"},  {0x019E, "n"},  {0x019F, "O"},  {0x01A4, "P"},
    {0x01A5, "p"},  {0x01AC, "T"},  {0x01AD, "t"},  {0x01AE, "T"},  {0x01B2, "V"},
    {0x01B3, "Y"},  {0x01B4, "y"},  {0x01B5, "Z"},  {0x01B6, "z"},  {0x01C4, "DZ"},
    {0x01C5, "Dz"}, {0x01C6, "dz"}, {0x01C7, "LJ"}, {0x01C8, "Lj"}, {0x01C9, "lj"},
    {0x01CA, "NJ"}, {0x01CB, "Nj"}, {0x01CC, "nj"}, {0x01DD, "e"},  {0x01E2, "\xC3\x86"},
    {0x01E3, "\xC3\xA6"}, {0x01E4, "G"}, {0x01E5, "g"}, {0x01F1, "DZ"}, {0x01F2, "Dz"},
    {0x01F3, "dz"}, {0x01FC, "\xC3\x86"}, {0x01FD, "\xC3\xA6"}, {0x01FE, "\xC3\x98"},
    {0x01FF, "\xC3\xB8"}, {0x0254, "o"}, {0x025B, "e"}, {0x0390, "i"}, {0x0490, "G"},
    {0x0491, "g"},  {0x1E9E, "SS"}, {0x3000, " "},
};

// Letters of the alphabets with a table, lower case only, indexed from `first`.
struct Alphabet {
    char32_t first;
    std::vector<std::string_view> letters; // empty: none
    bool cased;
};

const std::array<Alphabet, 4>& alphabets() {
    static const std::array<Alphabet, 4> all{{
        {0x0430, // Cyrillic а..я, ѐ..џ
         {"a",  "b",  "v",  "g", "d", "e",  "zh", "z",  "i",  "y",  "k", "l",
          "m",  "n",  "o",  "p", "r", "s",  "t",  "u",  "f",  "kh", "ts", "ch",
          "sh", "shch", "", "y", "", "e",  "yu", "ya", "e",  "yo", "dj", "gj",
          "ye", "dz", "i",  "yi", "j", "lj", "nj", "c",  "kj", "i",  "u",  "dz"},
         true},
        {0x03AC, // Greek ά..ώ
         {"a", "e", "i", "i", "y", "a", "v", "g", "d", "e", "z",  "i", "th", "i", "k", "l",
          "m", "n", "x", "o", "p", "r", "s", "s", "t", "y", "f", "ch", "ps", "o", "i", "y",
          "o", "y", "o"},
         true},
        {0x0561, // Armenian ա..և
         {"a", "b", "g",  "d", "e", "z", "e", "y", "t", "zh", "i",  "l", "kh",
          "ts", "k", "h", "dz", "gh", "ch", "m", "y", "n", "sh", "o", "ch", "p",
          "j",  "r", "s", "v",  "t",  "r",  "ts", "v", "p", "k", "o", "f", "ev"},
         true},
        {0x10D0, // Georgian ა..ჰ
         {"a", "b", "g", "d", "e",  "v",  "z",  "t", "i",  "k",  "l",  "m",  "n",  "o",  "p", "zh",
          "r", "s", "t", "u", "p",  "k",  "gh", "q", "sh", "ch", "ts", "dz", "ts", "ch", "kh",
          "j", "h"},
         false},
    }};
    return all;
}

// Two letters spelled together, lower case.
struct Pair {
    char32_t first;
    char32_t second;
    std::string_view latin;
};
constexpr Pair kPairs[] = {
    {0x03B1, 0x03C5, "av"}, {0x03B1, 0x03CD, "av"}, {0x03B5, 0x03C5, "ev"},
    {0x03B5, 0x03CD, "ev"}, {0x03B7, 0x03C5, "iv"}, {0x03B7, 0x03CD, "iv"},
    {0x03BF, 0x03C5, "ou"}, {0x03BF, 0x03CD, "ou"}, {0x03B3, 0x03B3, "ng"},
    {0x0578, 0x0582, "u"},
};

// Hangul syllables: initial, vowel and final consonant.
constexpr std::array<std::string_view, 19> kInitials{
    "g", "kk", "n", "d", "tt", "r", "m", "b", "pp", "s", "ss", "", "j", "jj", "ch", "k", "t", "p", "h"};
constexpr std::array<std::string_view, 21> kVowels{
    "a",  "ae", "ya", "yae", "eo", "e",  "yeo", "ye", "o",  "wa", "wae",
    "oe", "yo", "u",  "wo",  "we", "wi", "yu",  "eu", "ui", "i"};
constexpr std::array<std::string_view, 28> kFinals{
    "", "k", "k", "k", "n", "n", "n", "t", "l", "k", "m", "l", "l", "l",
    "p", "l", "m", "p", "p", "t", "t", "ng", "t", "t", "k", "t", "p", "t"};
constexpr char32_t kHangulFirst = 0xAC00;
constexpr char32_t kHangulLast = 0xD7A3;

// Combining marks the code page has with some letters: the letters and the results.
struct Composition {
    char32_t mark;
    std::string_view bases;
    std::u32string_view composed;
};
constexpr Composition kCompositions[] = {
    {0x0300, "AEIOUaeiou", U"ÀÈÌÒÙàèìòù"},
    {0x0301, "AEIOUYaeiouy", U"ÁÉÍÓÚÝáéíóúý"},
    {0x0302, "AEIOUaeiou", U"ÂÊÎÔÛâêîôû"},
    {0x0303, "ANOano", U"ÃÑÕãñõ"},
    {0x0308, "AEIOUaeiouyY", U"ÄËÏÖÜäëïöüÿŸ"},
    {0x030A, "Aa", U"Åå"},
    {0x030C, "SZsz", U"ŠŽšž"},
    {0x0327, "Cc", U"Çç"},
};

// Not std::toupper: it follows the locale, which may have other capitals (a Turkish
// one makes 'i' a dotted capital I).
char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isCombiningMark(char32_t c) {
    return c >= 0x0300 && c <= 0x036F;
}

// The lower-case letter of a capital of the cased alphabets; anything else unchanged.
char32_t lowerCase(char32_t c) {
    if (c >= 0x0410 && c <= 0x042F)
        return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F)
        return c + 0x50;
    if (c == 0x0490)
        return 0x0491;
    if ((c >= 0x0391 && c <= 0x03A9) || c == 0x03AA || c == 0x03AB)
        return c + 0x20;
    if (c == 0x0386)
        return 0x03AC;
    if (c >= 0x0388 && c <= 0x038A)
        return c + 0x25;
    if (c == 0x038C)
        return 0x03CC;
    if (c == 0x038E || c == 0x038F)
        return c + 0x3F;
    if (c >= 0x0531 && c <= 0x0556)
        return c + 0x30;
    return c;
}

const Alphabet* alphabetOf(char32_t lower) {
    for (const Alphabet& a : alphabets())
        if (lower >= a.first && lower < a.first + a.letters.size())
            return &a;
    return nullptr;
}

bool isHangul(char32_t c) {
    return c >= kHangulFirst && c <= kHangulLast;
}

// A letter of a script without capitals, whose words start with a capital once spelled.
bool isCaseless(char32_t c) {
    const Alphabet* a = alphabetOf(c);
    return isHangul(c) || (a && !a->cased);
}

bool isCapital(char32_t c) {
    return (c >= 'A' && c <= 'Z') || lowerCase(c) != c;
}

bool isLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xC0;
}

std::string hangul(char32_t c) {
    const char32_t s = c - kHangulFirst;
    std::string out(kInitials[s / 588]);
    out += kVowels[(s % 588) / 28];
    out += kFinals[s % 28];
    return out;
}

// The spelling of a character outside the alphabets, or nothing.
std::optional<std::string> latinOf(char32_t c) {
    const auto own = std::lower_bound(std::begin(kOwn), std::end(kOwn), c,
                                      [](const Spelling& s, char32_t v) { return s.c < v; });
    if (own != std::end(kOwn) && own->c == c)
        return std::string(own->latin);
    const auto fromTable = [&](std::string_view table, char32_t first) -> std::optional<std::string> {
        if (c < first || c >= first + table.size())
            return std::nullopt;
        const char base = table[c - first];
        if (base == '.')
            return std::nullopt;
        return std::string(1, base);
    };
    if (auto base = fromTable(kLatinExtended, 0x0100))
        return base;
    if (auto base = fromTable(kLatinAdditional, 0x1E00))
        return base;
    if (c >= 0xFF01 && c <= 0xFF5E) // full-width forms of ASCII
        return std::string(1, static_cast<char>(c - 0xFEE0));
    return std::nullopt;
}

} // namespace

std::string spell(std::string_view utf8) {
    std::u32string text;
    forEachCodePoint(utf8, [&](char32_t c) { text.push_back(c); });
    std::string out;
    const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : char32_t{0}; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c != 0xFFFD && fromUnicode(c) != '?') {
            // A following mark may join it into another letter of the code page.
            char32_t letter = c;
            while (isCombiningMark(at(i + 1))) {
                for (const Composition& k : kCompositions) {
                    const std::size_t base =
                        letter < 0x80 ? k.bases.find(static_cast<char>(letter)) : std::string_view::npos;
                    if (k.mark == at(i + 1) && base != std::string_view::npos)
                        letter = k.composed[base];
                }
                ++i;
            }
            detail::appendUtf8(out, letter);
            continue;
        }
        if (isCombiningMark(c))
            continue; // after a character the code page lacks
        std::string latin;
        std::size_t used = 1;
        const char32_t lower = lowerCase(c);
        if (auto own = latinOf(c)) {
            latin = *own;
        } else if (isHangul(c)) {
            latin = hangul(c);
        } else if (const Alphabet* alphabet = alphabetOf(lower)) {
            latin = alphabet->letters[lower - alphabet->first];
            for (const Pair& p : kPairs)
                if (p.first == lower && p.second == lowerCase(at(i + 1))) {
                    latin = p.latin;
                    used = 2;
                }
        } else {
            out += '?';
            continue;
        }
        // Capitals stay capitals; all of a word in capitals stays in capitals.
        const char32_t next = at(i + used);
        const bool capital = lower != c;
        const bool wordInCapitals =
            capital && (isLetter(next) ? isCapital(next) : i > 0 && isCapital(text[i - 1]));
        if (wordInCapitals)
            std::transform(latin.begin(), latin.end(), latin.begin(),
                           asciiUpper);
        else if ((capital || (isCaseless(c) && !(i > 0 && isCaseless(text[i - 1])))) &&
                 !latin.empty())
            latin[0] = asciiUpper(latin[0]);
        out += latin;
        i += used - 1;
    }
    return out;
}

} // namespace tarno::cp1252

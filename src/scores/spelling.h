// SPDX-License-Identifier: GPL-3.0-or-later
// Names in the score file's code page: letters it lacks are spelled with letters it has,
// by tables of our own, so the same name gives the same bytes on every machine.
#pragma once

#include <string>
#include <string_view>

namespace tarno::cp1252 {

// `utf8` as the code page can hold it, still as UTF-8:
// - characters of the code page stay as they are (é, ü, ñ, ß, š, œ);
// - Latin letters with marks it lacks lose the marks ("Łukasz Wąż" is "Lukasz Waz");
// - Cyrillic, Greek, Armenian, Georgian and Korean Hangul are transliterated
//   ("Пётр" is "Pyotr", "Γιώργος" is "Giorgos", "김민준" is "Gimminjun"); capitals stay
//   capitals, and a word written all in capitals stays so ("ЖУК" is "ZHUK");
// - a combining mark joins the letter before it where the code page has the pair, and
//   is dropped where it has not; full-width Latin letters and digits become plain ones;
// - anything else (Han characters, emoji, malformed UTF-8) becomes '?'.
// Depends on the text alone: no locale, no system library.
std::string spell(std::string_view utf8);

} // namespace tarno::cp1252

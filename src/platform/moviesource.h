// SPDX-License-Identifier: GPL-3.0-or-later
// A movie's path as the player reads it: the file to load and the variables of its query.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarno {

// A movie path split into the file to load and the variables of its query.
struct MovieSource {
    std::string file;
    std::vector<std::pair<std::string, std::string>> variables;
};

// The query starts at the first "?" after the last "/": a "?" inside a folder name is
// part of the path. Pairs are separated by "&"; a key without "=" gets the empty value.
// Nothing is percent-decoded: movies receive the text as written.
MovieSource splitMoviePath(std::string_view path);

} // namespace tarno

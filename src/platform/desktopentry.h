// Turns a desktop entry's Exec line into an open command in the registry's own form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarno {

// The command line that opens an address with the program of `exec`: the program path
// in double quotes when it contains blanks, then the options, with the first file or
// URL field code (%u, %U, %f, %F) written as the placeholder "%1" in double quotes.
// An option that contains blanks or quotes is written in double quotes as well; the
// other field codes are dropped and %% becomes %. An Exec line that opens a quote and
// never closes it, or names no program, gives nothing.
std::optional<std::string> openCommandFromExec(std::string_view exec);

} // namespace tarno

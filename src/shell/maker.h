// Who makes the product and where its pages live: the one place for these texts.
#pragma once

#include <string_view>

namespace tarno::maker {

constexpr std::string_view kProductName = "Tarno Playroom";
constexpr std::string_view kVersionText = "Version 1.0";
// The maker's web host. Under the reserved .example domain until the product has a
// site of its own.
constexpr std::string_view kHost = "tarno.example";
constexpr std::string_view kWebSiteAddress = "http://tarno.example/";
constexpr std::string_view kHelpPageAddress = "http://tarno.example/instrhtm/games.asp";

} // namespace tarno::maker

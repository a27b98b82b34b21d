// SPDX-License-Identifier: GPL-3.0-or-later
// Who makes the product and where its pages live: the one place for these texts.
#pragma once

#include "platform/buildsettings.h"

#include <string_view>

namespace tarno::maker {

constexpr std::string_view kProductName = "Tarno Playroom";
constexpr std::string_view kVersionNumber = TARNO_VERSION;
constexpr std::string_view kVersionText = "Version " TARNO_VERSION;
// The installed desktop entry's id: the menu entry that a running window belongs to.
constexpr std::string_view kAppId = TARNO_APP_ID;
// The maker's web host, a build setting (TARNO_MAKER_HOST). Under the reserved .example
// domain until the product has a site of its own. The addresses are built from it.
constexpr std::string_view kHost = TARNO_MAKER_HOST;
constexpr std::string_view kWebSiteAddress = "http://" TARNO_MAKER_HOST "/";
constexpr std::string_view kHelpPageAddress = "http://" TARNO_MAKER_HOST "/instrhtm/games.asp";
// The help page installed with the program, relative to the program's folder. The help
// item opens it while the host is under the reserved .example domain.
constexpr std::string_view kLocalHelpPage = "help/games.html";

// The about window's maker lines. The product has no postal address, telephone, fax or
// e-mail of its own, so those lines stay empty rather than show made-up ones; the
// address lines say under which licences the product is free.
constexpr std::string_view kNotice = "Scores stay on this PC.";
constexpr std::string_view kMakerName = "The Tarno Playroom developers";
constexpr std::string_view kLicenceLines[2] = {"Free software: GNU GPL 3 or later;",
                                               "artwork and sounds: CC BY-SA 4.0"};
constexpr std::string_view kTollFreePhone = "";
constexpr std::string_view kOfficePhone = "";
constexpr std::string_view kFax = "";
constexpr std::string_view kEmail = "";

} // namespace tarno::maker

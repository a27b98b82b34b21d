// SPDX-License-Identifier: GPL-3.0-or-later
// Opens an address with the handler the desktop's own associations name, through GIO.
#pragma once

#include "platform/defaultbrowser.h"

namespace tarno {

// Chooses the handler among the desktop entries that declare the address's type
// themselves (handlerTypesFor, isSuitableHandler): the default application first,
// then the recommended ones, then any other, for each type in turn. Starts it with
// g_app_info_launch_uris, so the entry's Exec line is expanded by GIO itself (Flatpak
// forwarding, D-Bus activation, %f as a local path) and the program is started as an
// independent process. GIO reads the XDG folders once, at its first use in a process.
class GioLauncher : public AddressLauncher {
public:
    Outcome launch(const std::string& address) override;
    // The desktop entry id that launch would choose for `address`, or empty.
    static std::string chosenHandler(const std::string& address);
};

} // namespace tarno

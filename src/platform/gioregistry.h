// The class registry answered from the desktop's own associations, through GIO.
#pragma once

#include "platform/registry.h"

namespace tarno {

// Answers two keys below the classes root, default value only: ".html" gives the
// desktop entry id of the default application for text/html (or, when there is none,
// of the default https handler), and "<entry id>\shell\open\command" gives that
// entry's open command (see openCommandFromExec). Everything else reads as missing.
// GIO reads the XDG folders once, at its first use in the process.
class GioRegistry : public Registry {
public:
    RegistryValue ReadRegistryValue(RegistryRoot root, const std::string& keyPath,
                                    const std::string& valueName) const override;
};

} // namespace tarno

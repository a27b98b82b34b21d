// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/moviesource.h"

namespace tarno {

MovieSource splitMoviePath(std::string_view path) {
    const std::size_t lastSlash = path.rfind('/');
    const std::size_t from = lastSlash == std::string_view::npos ? 0 : lastSlash + 1;
    const std::size_t mark = path.find('?', from);
    MovieSource source;
    source.file = std::string(path.substr(0, mark));
    if (mark == std::string_view::npos)
        return source;
    std::string_view query = path.substr(mark + 1);
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        if (!pair.empty()) {
            const std::size_t eq = pair.find('=');
            if (eq == std::string_view::npos)
                source.variables.emplace_back(std::string(pair), std::string());
            else
                source.variables.emplace_back(std::string(pair.substr(0, eq)),
                                              std::string(pair.substr(eq + 1)));
        }
        if (amp == std::string_view::npos)
            break;
        query.remove_prefix(amp + 1);
    }
    return source;
}

} // namespace tarno

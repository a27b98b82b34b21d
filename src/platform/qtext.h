// SPDX-License-Identifier: GPL-3.0-or-later
// Core texts (UTF-8 std::string_view) as Qt strings.
#pragma once

#include <QString>

#include <string_view>

namespace tarno {

inline QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// A read-only view of the system's class registry, and an in-memory one for tests.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <variant>

namespace tarno {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// A value as read: missing, text, or a 32-bit signed number.
using RegistryValue = std::variant<std::monostate, std::string, std::int32_t>;

// How a value is stored. Only plain strings and 32-bit numbers are ever read back;
// expandable strings, string lists and anything else read as missing.
enum class RegistryType { String, Number, ExpandableString, MultiString, Binary };

class Registry {
public:
    virtual ~Registry() = default;
    // The value `valueName` (empty: the key's default value) of `keyPath` below `root`.
    // Every failure, a missing key or value included, gives an empty value.
    virtual RegistryValue ReadRegistryValue(RegistryRoot root, const std::string& keyPath,
                                            const std::string& valueName) const = 0;
};

// Key paths and value names match without regard to ASCII case, as the system's do.
class InMemoryRegistry : public Registry {
public:
    void setString(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                   std::string text);
    void setNumber(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                   std::int32_t number);
    // A value of a type that is never read back, such as an expandable string.
    void setOther(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                  RegistryType type, std::string data);
    void remove(RegistryRoot root, const std::string& keyPath, const std::string& valueName);

    RegistryValue ReadRegistryValue(RegistryRoot root, const std::string& keyPath,
                                    const std::string& valueName) const override;

private:
    struct Stored {
        RegistryType type = RegistryType::String;
        std::string text;
        std::int32_t number = 0;
    };
    using Key = std::tuple<RegistryRoot, std::string, std::string>;
    static Key keyOf(RegistryRoot root, const std::string& keyPath, const std::string& valueName);

    std::map<Key, Stored> m_values;
};

} // namespace tarno

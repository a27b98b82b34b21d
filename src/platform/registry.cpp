// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory registry: the same reading rules as the system's, without a system.
#include "platform/registry.h"

#include <algorithm>

namespace tarno {
namespace {

std::string foldCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return s;
}

} // namespace

InMemoryRegistry::Key InMemoryRegistry::keyOf(RegistryRoot root, const std::string& keyPath,
                                              const std::string& valueName) {
    return {root, foldCase(keyPath), foldCase(valueName)};
}

void InMemoryRegistry::setString(RegistryRoot root, const std::string& keyPath,
                                 const std::string& valueName, std::string text) {
    m_values[keyOf(root, keyPath, valueName)] = {RegistryType::String, std::move(text), 0};
}

void InMemoryRegistry::setNumber(RegistryRoot root, const std::string& keyPath,
                                 const std::string& valueName, std::int32_t number) {
    m_values[keyOf(root, keyPath, valueName)] = {RegistryType::Number, {}, number};
}

void InMemoryRegistry::setOther(RegistryRoot root, const std::string& keyPath,
                                const std::string& valueName, RegistryType type, std::string data) {
    m_values[keyOf(root, keyPath, valueName)] = {type, std::move(data), 0};
}

void InMemoryRegistry::remove(RegistryRoot root, const std::string& keyPath,
                              const std::string& valueName) {
    m_values.erase(keyOf(root, keyPath, valueName));
}

RegistryValue InMemoryRegistry::ReadRegistryValue(RegistryRoot root, const std::string& keyPath,
                                                  const std::string& valueName) const {
    const auto it = m_values.find(keyOf(root, keyPath, valueName));
    if (it == m_values.end())
        return {};
    const Stored& stored = it->second;
    switch (stored.type) {
    case RegistryType::String:
        // Text ends at its first zero, like a string the system hands back; a stored
        // value without one keeps its last character.
        return stored.text.substr(0, stored.text.find('\0'));
    case RegistryType::Number:
        return stored.number;
    case RegistryType::ExpandableString:
    case RegistryType::MultiString:
    case RegistryType::Binary:
        break;
    }
    return {};
}

} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory registry reads values back by the system's rules.
#include "platform/registry.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

TEST(InMemoryRegistry, ReadsBackByTheSystemsRules) {
    constexpr auto kRoot = RegistryRoot::ClassesRoot;
    InMemoryRegistry registry;
    // Key paths and value names ignore case; a string ends at its first zero.
    registry.setString(kRoot, "HtmlFile\\Shell", "", std::string("browser %1\0junk", 15));
    registry.setNumber(kRoot, "k", "Count", -7);
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "htmlfile\\shell", ""),
              RegistryValue(std::string("browser %1")));
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "K", "COUNT"), RegistryValue(std::int32_t{-7}));
    // Missing keys, values and roots, and every other type, read empty.
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "htmlfile", ""), RegistryValue{});
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "k", ""), RegistryValue{});
    EXPECT_EQ(registry.ReadRegistryValue(RegistryRoot::CurrentUser, "k", "Count"), RegistryValue{});
    for (const RegistryType type :
         {RegistryType::ExpandableString, RegistryType::MultiString, RegistryType::Binary}) {
        registry.setOther(kRoot, "k", "Count", type, "%ProgramFiles%\\browser.exe");
        EXPECT_EQ(registry.ReadRegistryValue(kRoot, "k", "Count"), RegistryValue{});
    }
    registry.remove(kRoot, "HtmlFile\\Shell", "");
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "htmlfile\\shell", ""), RegistryValue{});
}

} // namespace
} // namespace tarno

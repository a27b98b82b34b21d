// The in-memory registry reads values back by the system's rules.
#include "platform/registry.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

constexpr auto kRoot = RegistryRoot::ClassesRoot;

TEST(InMemoryRegistry, ReadsStringsAndNumbers) {
    InMemoryRegistry registry;
    registry.setString(kRoot, ".html", "", "htmlfile");
    registry.setNumber(kRoot, ".html", "Count", -7);
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, ".html", ""),
              RegistryValue(std::string("htmlfile")));
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, ".html", "Count"), RegistryValue(std::int32_t{-7}));
}

TEST(InMemoryRegistry, MissingKeysValuesAndRootsReadEmpty) {
    InMemoryRegistry registry;
    registry.setString(kRoot, ".html", "", "htmlfile");
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, ".htm", ""), RegistryValue{});
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, ".html", "Other"), RegistryValue{});
    EXPECT_EQ(registry.ReadRegistryValue(RegistryRoot::CurrentUser, ".html", ""), RegistryValue{});
    registry.remove(kRoot, ".html", "");
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, ".html", ""), RegistryValue{});
}

// Only plain strings and numbers are ever read back.
TEST(InMemoryRegistry, OtherTypesReadEmpty) {
    InMemoryRegistry registry;
    for (const RegistryType type :
         {RegistryType::ExpandableString, RegistryType::MultiString, RegistryType::Binary}) {
        registry.setOther(kRoot, "k", "", type, "%ProgramFiles%\\browser.exe");
        EXPECT_EQ(registry.ReadRegistryValue(kRoot, "k", ""), RegistryValue{});
    }
}

TEST(InMemoryRegistry, KeyPathsAndValueNamesIgnoreCase) {
    InMemoryRegistry registry;
    registry.setString(kRoot, "HtmlFile\\Shell\\Open\\Command", "", "browser %1");
    registry.setString(kRoot, "k", "Name", "x");
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "htmlfile\\shell\\open\\command", ""),
              RegistryValue(std::string("browser %1")));
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "K", "NAME"), RegistryValue(std::string("x")));
}

// A string ends at its first zero; one stored without a zero keeps all its characters.
TEST(InMemoryRegistry, StringsEndAtTheirFirstZero) {
    InMemoryRegistry registry;
    registry.setString(kRoot, "a", "", std::string("browser\0junk", 12));
    registry.setString(kRoot, "b", "", "browser");
    registry.setString(kRoot, "c", "", std::string("\0", 1));
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "a", ""), RegistryValue(std::string("browser")));
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "b", ""), RegistryValue(std::string("browser")));
    EXPECT_EQ(registry.ReadRegistryValue(kRoot, "c", ""), RegistryValue(std::string()));
}

} // namespace
} // namespace tarno

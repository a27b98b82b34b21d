// Finding the browser's command and opening the maker's pages, over an in-memory
// registry and a desktop that only records.
#include "platform/defaultbrowser.h"

#include "shell/maker.h"

#include <gtest/gtest.h>

#include <set>

namespace tarno {
namespace {

constexpr auto kRoot = RegistryRoot::ClassesRoot;
const std::string kCommandKey = "htmlfile\\shell\\open\\command";
const std::string kWebSite(maker::kWebSiteAddress);
const std::string kHelp(maker::kHelpPageAddress);

class FakeDesktop : public Desktop {
public:
    std::set<std::string> programs;
    bool startSucceeds = true;
    std::vector<ProgramLine> started;
    std::vector<std::pair<std::string, std::string>> warnings;

    bool isProgram(const std::string& path) const override { return programs.count(path) > 0; }
    bool startProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override {
        started.push_back({program, arguments});
        return startSucceeds;
    }
    void showWarning(const std::string& title, const std::string& text) override {
        warnings.emplace_back(title, text);
    }
};

InMemoryRegistry registryWithCommand(const std::string& command) {
    InMemoryRegistry registry;
    registry.setString(kRoot, ".html", "", "htmlfile");
    registry.setString(kRoot, kCommandKey, "", command);
    return registry;
}

struct CommandCase {
    const char* name;
    std::string command;
    std::string browser;
};

class BrowserCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(BrowserCommand, CutsThePlaceholderOff) {
    EXPECT_EQ(DefaultBrowserCommand(registryWithCommand(GetParam().command)), GetParam().browser);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultBrowser, BrowserCommand,
    ::testing::Values(
        // A quoted path loses everything after its closing quote, options included.
        CommandCase{"QuotedPathOptionsPlaceholder",
                    R"("C:\Program Files\Web\browser.exe" -osint -url "%1")",
                    R"(C:\Program Files\Web\browser.exe)"},
        CommandCase{"QuotedPathAlone", R"("/opt/web browser/run")", "/opt/web browser/run"},
        CommandCase{"QuotedPathKeepsItsSpaces", R"(" /opt/run " %1)", " /opt/run "},
        CommandCase{"UnquotedPathOptionsQuotedPlaceholder",
                    R"(  /usr/bin/browser --new-window "%1")", "/usr/bin/browser --new-window"},
        CommandCase{"UnquotedPathOptionsBarePlaceholder", "/usr/bin/browser --new-window %1",
                    "/usr/bin/browser --new-window"},
        // Only a placeholder at the very end is cut off.
        CommandCase{"SpaceAfterPlaceholder", "/usr/bin/browser %1 ", "/usr/bin/browser %1 "},
        CommandCase{"BarePlaceholderAfterSpace", "/usr/bin/browser %1", "/usr/bin/browser"},
        CommandCase{"BarePlaceholderNoSpace", "/usr/bin/browser%1", "/usr/bin/browser"},
        CommandCase{"NoPlaceholderUnchanged", "/usr/bin/browser --new-window ",
                    "/usr/bin/browser --new-window "},
        CommandCase{"UnquotedPathWithSpaces", "/opt/web browser/run %1", "/opt/web browser/run"},
        CommandCase{"PlaceholderOnly", "%1", ""},
        CommandCase{"QuotedPlaceholderOnly", R"(  "%1")", ""}, CommandCase{"Empty", "", ""},
        // A quote that is opened and never closed names no program.
        CommandCase{"UnclosedQuote", R"("/opt/web browser/run %1)", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DefaultBrowser, NoBrowserWithoutAUsableClass) {
    InMemoryRegistry registry;
    registry.setString(kRoot, kCommandKey, "", "/usr/bin/browser %1");
    registry.setString(kRoot, "5\\shell\\open\\command", "", "/usr/bin/browser %1");
    EXPECT_EQ(DefaultBrowserCommand(registry), "") << "no .html key";
    registry.setString(kRoot, ".html", "", "");
    EXPECT_EQ(DefaultBrowserCommand(registry), "") << "empty class";
    registry.setNumber(kRoot, ".html", "", 5);
    EXPECT_EQ(DefaultBrowserCommand(registry), "") << "a number is no class name";
    registry.setOther(kRoot, ".html", "", RegistryType::ExpandableString, "htmlfile");
    EXPECT_EQ(DefaultBrowserCommand(registry), "") << "expandable class";
    registry.setString(kRoot, ".html", "", "htmlfile");
    EXPECT_EQ(DefaultBrowserCommand(registry), "/usr/bin/browser");
}

TEST(DefaultBrowser, NoBrowserWithoutAUsableCommand) {
    InMemoryRegistry registry = registryWithCommand("/usr/bin/browser %1");
    registry.setOther(kRoot, kCommandKey, "", RegistryType::ExpandableString,
                      "%ProgramFiles%\\browser.exe %1");
    EXPECT_EQ(DefaultBrowserCommand(registry), "");
    registry.setNumber(kRoot, kCommandKey, "", 42);
    EXPECT_EQ(DefaultBrowserCommand(registry), "");
    registry.remove(kRoot, kCommandKey, "");
    EXPECT_EQ(DefaultBrowserCommand(registry), "");
}

TEST(DefaultBrowser, ErrorTextHasTheHelpAddressOnItsThirdLine) {
    EXPECT_EQ(helpErrorText(),
              "Cannot execute default browser.\r\n"
              "Please, manually go to following URL to obtain help for Tarno Games:\r\n"
              "http://tarno.example/instrhtm/games.asp");
    EXPECT_EQ(kErrorTitle, "Error");
}

struct StartCase {
    const char* name;
    std::string browser;
    std::set<std::string> programs;
    ProgramLine expected; // the address is appended by the test
};

class StartLine : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartLine, KeepsThePathWholeAndTheAddressLast) {
    const StartCase& c = GetParam();
    FakeDesktop desktop;
    desktop.programs = c.programs;
    const std::string address = R"(http://h/a b?x="1"&y='2';$(rm -rf ~) %1)";
    ProgramLine expected = c.expected;
    expected.arguments.push_back(address);
    EXPECT_EQ(browserStartLine(c.browser, address, desktop), expected);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultBrowser, StartLine,
    ::testing::Values(StartCase{"PathWithSpaces",
                                "/opt/web browser/run",
                                {"/opt/web browser/run"},
                                {"/opt/web browser/run", {}}},
                      // A shorter prefix that happens to be a program does not win.
                      StartCase{"LongestProgramWins",
                                "/opt/web browser/run --new-window",
                                {"/opt/web", "/opt/web browser/run"},
                                {"/opt/web browser/run", {"--new-window"}}},
                      StartCase{"PathAndOptions",
                                "/usr/bin/browser  --new-window -P x",
                                {"/usr/bin/browser"},
                                {"/usr/bin/browser", {"--new-window", "-P", "x"}}},
                      StartCase{
                          "BareName", "browser --private", {"browser"}, {"browser", {"--private"}}},
                      // Nothing known: the first word is tried, and the start will tell.
                      StartCase{"UnknownProgram", "nosuch --flag", {}, {"nosuch", {"--flag"}}},
                      StartCase{"Blank", "   ", {}, {"", {}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OpenPages, WithoutBrowserHelpShowsTheErrorAndTheWebSiteNothing) {
    InMemoryRegistry registry;
    FakeDesktop desktop;
    OpenWebSite(registry, desktop);
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_TRUE(desktop.warnings.empty());

    OpenHelpPage(registry, desktop);
    EXPECT_TRUE(desktop.started.empty());
    ASSERT_EQ(desktop.warnings.size(), 1u);
    EXPECT_EQ(desktop.warnings[0].first, "Error");
    EXPECT_EQ(desktop.warnings[0].second, helpErrorText());
}

TEST(OpenPages, ExpandableCommandCountsAsNoBrowser) {
    InMemoryRegistry registry = registryWithCommand("");
    registry.setOther(kRoot, kCommandKey, "", RegistryType::ExpandableString, "browser %1");
    FakeDesktop desktop;
    desktop.programs = {"browser"};
    OpenHelpPage(registry, desktop);
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_EQ(desktop.warnings.size(), 1u);
}

struct OpenCase {
    const char* name;
    std::string command;
    std::set<std::string> programs;
    ProgramLine startedWithoutAddress;
};

class OpenBoth : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenBoth, StartsTheBrowserWithTheAddress) {
    const OpenCase& c = GetParam();
    const InMemoryRegistry registry = registryWithCommand(c.command);
    FakeDesktop desktop;
    desktop.programs = c.programs;
    OpenWebSite(registry, desktop);
    OpenHelpPage(registry, desktop);
    ProgramLine site = c.startedWithoutAddress;
    site.arguments.push_back(kWebSite);
    ProgramLine help = c.startedWithoutAddress;
    help.arguments.push_back(kHelp);
    EXPECT_EQ(desktop.started, (std::vector<ProgramLine>{site, help}));
    EXPECT_TRUE(desktop.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(OpenPages, OpenBoth,
                         ::testing::Values(OpenCase{"QuotedPathDropsItsOptions",
                                                    R"("/opt/web browser/run" --new-window "%1")",
                                                    {"/opt/web browser/run"},
                                                    {"/opt/web browser/run", {}}},
                                           OpenCase{"UnquotedOptionKeptBeforeTheAddress",
                                                    R"(/usr/bin/browser --new-window "%1")",
                                                    {"/usr/bin/browser"},
                                                    {"/usr/bin/browser", {"--new-window"}}},
                                           OpenCase{"UnquotedPathWithSpaces",
                                                    "/opt/web browser/run %1",
                                                    {"/opt/web browser/run"},
                                                    {"/opt/web browser/run", {}}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A failed start is not silent, for either command: the user learns where help is.
TEST(OpenPages, FailedStartShowsTheErrorForBothCommands) {
    const InMemoryRegistry registry = registryWithCommand(R"("/gone/browser" "%1")");
    FakeDesktop desktop;
    desktop.startSucceeds = false;
    OpenWebSite(registry, desktop);
    OpenHelpPage(registry, desktop);
    EXPECT_EQ(desktop.started.size(), 2u);
    ASSERT_EQ(desktop.warnings.size(), 2u);
    for (const auto& [title, text] : desktop.warnings) {
        EXPECT_EQ(title, "Error");
        EXPECT_EQ(text, helpErrorText());
    }
}

// Each command reads the registry afresh.
TEST(OpenPages, NothingIsCached) {
    InMemoryRegistry registry = registryWithCommand("/usr/bin/first %1");
    FakeDesktop desktop;
    desktop.programs = {"/usr/bin/first", "/usr/bin/second"};
    OpenWebSite(registry, desktop);
    registry.setString(kRoot, kCommandKey, "", "/usr/bin/second %1");
    OpenWebSite(registry, desktop);
    ASSERT_EQ(desktop.started.size(), 2u);
    EXPECT_EQ(desktop.started[0].program, "/usr/bin/first");
    EXPECT_EQ(desktop.started[1].program, "/usr/bin/second");
}

} // namespace
} // namespace tarno

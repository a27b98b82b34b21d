// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the browser's command and opening the maker's pages, over an in-memory
// registry and a desktop that only records.
#include "platform/defaultbrowser.h"

#include "platform/maker.h"

#include <gtest/gtest.h>

#include <set>

namespace tarno {
namespace {

constexpr auto kRoot = RegistryRoot::ClassesRoot;
const std::string kCommandKey = "htmlfile\\shell\\open\\command";
const std::string kHelp = "file:///opt/t%20p/help/games.html";
using Warnings = std::vector<std::pair<std::string, std::string>>;

class FakeDesktop : public Desktop {
public:
    std::set<std::string> programs;
    bool startSucceeds = true;
    std::vector<ProgramLine> started;
    Warnings warnings;

    bool isProgram(const std::string& path) const override { return programs.count(path) > 0; }
    bool startProgram(const std::string& program, const std::vector<std::string>& args) override {
        started.push_back({program, args});
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
        CommandCase{"QuotedPath", R"("C:\Program Files\Web\browser.exe" -osint -url "%1")",
                    R"(C:\Program Files\Web\browser.exe)"},
        CommandCase{"UnquotedCutAtQuote", R"(  /usr/bin/browser --new-window "%1")",
                    "/usr/bin/browser --new-window"},
        CommandCase{"UnquotedPathWithSpaces", "/opt/web browser/run %1", "/opt/web browser/run"},
        // Only a placeholder at the very end is cut off.
        CommandCase{"SpaceAfterPlaceholder", "/usr/bin/browser %1 ", "/usr/bin/browser %1 "},
        CommandCase{"PlaceholderOnly", "%1", ""},
        CommandCase{"QuotedPlaceholderOnly", R"( "%1")", ""},
        // A quote that is opened and never closed names no program.
        CommandCase{"UnclosedQuote", R"("/opt/web browser/run %1)", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Only a non-empty string class whose open command is a string names a browser.
TEST(DefaultBrowser, NoBrowserWithoutAUsableClassOrCommand) {
    InMemoryRegistry registry = registryWithCommand("/usr/bin/browser %1");
    registry.setString(kRoot, "5\\shell\\open\\command", "", "/usr/bin/browser %1");
    registry.setNumber(kRoot, ".html", "", 5);
    EXPECT_EQ(DefaultBrowserCommand(registry), "") << "a number is no class name";
    registry.setString(kRoot, ".html", "", "");
    EXPECT_EQ(DefaultBrowserCommand(registry), "") << "empty class";
    registry.setString(kRoot, ".html", "", "htmlfile");
    registry.setNumber(kRoot, kCommandKey, "", 42);
    EXPECT_EQ(DefaultBrowserCommand(registry), "") << "numeric command";
    registry.setOther(kRoot, kCommandKey, "", RegistryType::ExpandableString, "browser %1");
    EXPECT_EQ(DefaultBrowserCommand(registry), "") << "expandable command";
}

TEST(DefaultBrowser, ErrorTextHasTheHelpAddressOnItsThirdLine) {
    EXPECT_EQ(helpErrorText("file:///usr/lib/tarno-playroom/help/games.html"),
              "Cannot execute default browser.\r\n"
              "Please, manually go to following URL to obtain help for Tarno Games:\r\n"
              "file:///usr/lib/tarno-playroom/help/games.html");
}

struct HelpCase {
    const char* name;
    std::string_view host;
    std::string_view programDir;
    std::string expected;
};

class HelpAddress : public ::testing::TestWithParam<HelpCase> {};

// No site can answer under .example, so help comes from the page beside the program.
TEST_P(HelpAddress, InstalledPageWhileTheHostIsReserved) {
    const HelpCase& c = GetParam();
    EXPECT_EQ(helpPageAddress(c.host, "http://online/instrhtm/games.asp", c.programDir),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultBrowser, HelpAddress,
    ::testing::Values(
        HelpCase{"Default", maker::kHost, "/usr/lib/tarno-playroom",
                 "file:///usr/lib/tarno-playroom/help/games.html"},
        HelpCase{"BareExampleUpperCaseFinalDot", "EXAMPLE.", "/opt/t/",
                 "file:///opt/t/help/games.html"},
        // Blanks, URL delimiters, a percent sign and UTF-8 are escaped byte by byte.
        HelpCase{"EscapedPath", "tarno.example", "/home/ann/Mes jeux #1?%/été",
                 "file:///home/ann/Mes%20jeux%20%231%3F%25/%C3%A9t%C3%A9/help/games.html"},
        HelpCase{"RealHost", "games.test.org", "/usr/lib/t", "http://online/instrhtm/games.asp"},
        HelpCase{"ExampleNotLast", "tarno.example.org", "/usr/lib/t",
                 "http://online/instrhtm/games.asp"}),
    [](const auto& info) { return std::string(info.param.name); });

struct StartCase {
    const char* name;
    std::string browser;
    std::set<std::string> programs;
    ProgramLine expected; // the address is appended by the test
};

class StartLine : public ::testing::TestWithParam<StartCase> {};

// The address reaches the browser as one argument whatever it contains.
TEST_P(StartLine, KeepsThePathWholeAndTheAddressLast) {
    const StartCase& c = GetParam();
    FakeDesktop desktop;
    desktop.programs = c.programs;
    const std::string address = R"(http://h/a b?x="1"&y='2';$(rm -rf ~) %1)";
    ProgramLine expected = c.expected;
    expected.arguments.push_back(address);
    EXPECT_EQ(browserStartLine(c.browser, address, desktop), expected);
}

INSTANTIATE_TEST_SUITE_P(DefaultBrowser, StartLine,
                         ::testing::Values(
                             // A shorter prefix that happens to be a program does not win.
                             StartCase{"LongestProgramWins",
                                       "/opt/web browser/run  --new-window -P x",
                                       {"/opt/web", "/opt/web browser/run"},
                                       {"/opt/web browser/run", {"--new-window", "-P", "x"}}},
                             // Nothing known: the first word is tried, and the start will tell.
                             StartCase{
                                 "UnknownProgram", "nosuch --flag", {}, {"nosuch", {"--flag"}}},
                             StartCase{"Blank", "   ", {}, {"", {}}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Each command reads the registry afresh and passes its own address last.
TEST(OpenPages, StartTheBrowserWithTheirAddress) {
    InMemoryRegistry registry = registryWithCommand("/opt/web browser/run --new-window %1");
    FakeDesktop desktop;
    desktop.programs = {"/opt/web browser/run", "/usr/bin/second"};
    OpenWebSite(registry, desktop, kHelp);
    registry.setString(kRoot, kCommandKey, "", R"("/usr/bin/second" -x "%1")");
    OpenHelpPage(registry, desktop, kHelp);
    EXPECT_EQ(desktop.started,
              (std::vector<ProgramLine>{
                  {"/opt/web browser/run", {"--new-window", std::string(maker::kWebSiteAddress)}},
                  {"/usr/bin/second", {kHelp}}}));
    EXPECT_TRUE(desktop.warnings.empty());
}

// Without a browser only the help item says so; a failed start is not silent for either,
// and both name the help address that was tried.
TEST(OpenPages, ErrorMessageWithoutBrowserAndAfterAFailedStart) {
    const Warnings error{{"Error", helpErrorText(kHelp)}};
    FakeDesktop desktop;
    OpenWebSite(InMemoryRegistry(), desktop, kHelp);
    EXPECT_TRUE(desktop.warnings.empty());
    OpenHelpPage(InMemoryRegistry(), desktop, kHelp);
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_EQ(desktop.warnings, error);

    desktop.warnings.clear();
    desktop.startSucceeds = false;
    OpenWebSite(registryWithCommand(R"("/gone/browser" "%1")"), desktop, kHelp);
    EXPECT_EQ(desktop.warnings, error);
    OpenHelpPage(registryWithCommand(R"("/gone/browser" "%1")"), desktop, kHelp);
    EXPECT_EQ(desktop.started.size(), 2u);
    EXPECT_EQ(desktop.warnings, (Warnings{error[0], error[0]}));
}

// Which handler may open an address: its own types only, never one that needs a terminal.
TEST(HandlerChoice, TypesAndSuitability) {
    using Types = std::vector<std::string>;
    EXPECT_EQ(handlerTypesFor(kHelp), Types{"text/html"});
    EXPECT_EQ(handlerTypesFor("HTTP://h/"), (Types{"x-scheme-handler/http", "x-scheme-handler/https"}));
    EXPECT_EQ(handlerTypesFor("https://h/"), (Types{"x-scheme-handler/https", "x-scheme-handler/http"}));
    EXPECT_EQ(handlerTypesFor("mailto:a@h"), Types{});
    EXPECT_EQ(handlerTypesFor("no address"), Types{});
    const Types browser{"text/html", "X-Scheme-Handler/HTTPS"};
    EXPECT_TRUE(isSuitableHandler(browser, false, "text/html"));
    EXPECT_TRUE(isSuitableHandler(browser, false, "x-scheme-handler/https"));
    EXPECT_FALSE(isSuitableHandler(browser, true, "text/html"));
    EXPECT_FALSE(isSuitableHandler({"text/plain"}, false, "text/html"));
    EXPECT_FALSE(isSuitableHandler({"text/html-x"}, false, "text/html"));
    EXPECT_FALSE(isSuitableHandler({}, false, "text/html"));
}

// Opening through the desktop's handler: silent on success, the "Error" message with
// the help address otherwise, except for the web-site button without any handler.
TEST(HandlerChoice, OpenWithHandlerReportsWhatWentWrong) {
    struct Launcher : AddressLauncher {
        Outcome outcome;
        std::vector<std::string> asked;
        Outcome launch(const std::string& address) override {
            asked.push_back(address);
            return outcome;
        }
    };
    struct DetailDesktop : FakeDesktop {
        std::vector<std::string> details;
        using FakeDesktop::showWarning;
        void showWarning(const std::string& title, const std::string& text,
                         const std::string& detail) override {
            FakeDesktop::showWarning(title, text);
            details.push_back(detail);
        }
    };
    const Warnings error{{"Error", helpErrorText(kHelp)}};
    const struct {
        AddressLauncher::Status status;
        bool reportMissing;
        Warnings warnings;
    } cases[] = {{AddressLauncher::Status::Started, true, {}},
                 {AddressLauncher::Status::NoHandler, false, {}},
                 {AddressLauncher::Status::NoHandler, true, error},
                 {AddressLauncher::Status::Failed, false, error}};
    for (const auto& c : cases) {
        Launcher launcher;
        launcher.outcome = {c.status, "Failed to execute child process"};
        DetailDesktop desktop;
        openWithHandler(launcher, desktop, "http://h/", kHelp, c.reportMissing);
        EXPECT_EQ(launcher.asked, std::vector<std::string>{"http://h/"});
        EXPECT_EQ(desktop.warnings, c.warnings) << static_cast<int>(c.status);
        EXPECT_EQ(desktop.details.size(), c.status == AddressLauncher::Status::Failed ? 1u : 0u);
    }
}

// While the host is reserved the web-site button opens the help page, and the about
// window names it by its path.
TEST(HandlerChoice, WebSiteButtonFollowsTheHost) {
    EXPECT_EQ(webSiteButtonAddress("tarno.example", "http://tarno.example/", kHelp), kHelp);
    EXPECT_EQ(webSiteButtonAddress("tarno.games", "http://tarno.games/", kHelp),
              "http://tarno.games/");
    EXPECT_EQ(webSiteLine(kHelp), "/opt/t p/help/games.html");
    EXPECT_EQ(webSiteLine("file:///a%2"), "/a%2");
    EXPECT_EQ(webSiteLine("http://tarno.games/"), "http://tarno.games/");
}

} // namespace
} // namespace tarno

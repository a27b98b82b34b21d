// SPDX-License-Identifier: GPL-3.0-or-later
// The help page's address and contents, and opening an address through a handler, with a
// desktop that only records.
#include "platform/defaultbrowser.h"

#include "platform/maker.h"
#include "shell/catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>


namespace tarno {
namespace {

const std::string kHelp = "file:///opt/t%20p/help/games.html";
using Warnings = std::vector<std::pair<std::string, std::string>>;

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

// Which handler may open an address: its own types only, never one that needs a terminal.
TEST(HandlerChoice, TypesAndSuitability) {
    using Types = std::vector<std::string>;
    EXPECT_EQ(handlerTypesFor(kHelp), Types{"text/html"});
    EXPECT_EQ(handlerTypesFor("HTTP://h/"), (Types{"x-scheme-handler/http", "x-scheme-handler/https"}));
    EXPECT_EQ(handlerTypesFor("https://h/"), (Types{"x-scheme-handler/https", "x-scheme-handler/http"}));
    EXPECT_EQ(handlerTypesFor("mailto:a@h"), Types{});
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
    struct DetailDesktop : Desktop {
        Warnings warnings;
        std::vector<std::string> details;
        bool isProgram(const std::string&) const override { return false; }
        bool startProgram(const std::string&, const std::vector<std::string>&) override {
            return false;
        }
        void showWarning(const std::string& title, const std::string& text) override {
            warnings.emplace_back(title, text);
        }
        void showWarning(const std::string& title, const std::string& text,
                         const std::string& detail) override {
            showWarning(title, text);
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

// The page names every game of the catalogue and explains the lists and Solve.
TEST(HelpPage, NamesEveryGameAndTheStationsParts) {
    std::ifstream in(TARNO_HELP_PAGE);
    const std::string page{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(page.empty()) << TARNO_HELP_PAGE;
    for (const GameRow& game : playMenu())
        EXPECT_NE(page.find(game.title), std::string::npos) << game.title;
    for (const char* part : {"id=\"scores\"", "id=\"solve\"", "scores.lst", "Hi Scores"})
        EXPECT_NE(page.find(part), std::string::npos) << part;
}

} // namespace
} // namespace tarno

// Exec lines of desktop entries become open commands that read back as the program.
#include "platform/desktopentry.h"

#include "platform/defaultbrowser.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

struct ExecCase {
    const char* name;
    std::string exec;
    std::optional<std::string> command;
    std::string browser; // what the browser lookup makes of the command
};

class ExecLine : public ::testing::TestWithParam<ExecCase> {};

// The command, stored as the class's open command, must give back the program (and the
// options before the placeholder when the path needs no quotes).
TEST_P(ExecLine, BecomesAnOpenCommandThatReadsBackAsTheBrowser) {
    const ExecCase& c = GetParam();
    EXPECT_EQ(openCommandFromExec(c.exec), c.command);
    InMemoryRegistry registry;
    registry.setString(RegistryRoot::ClassesRoot, ".html", "", "b.desktop");
    registry.setString(RegistryRoot::ClassesRoot, "b.desktop\\shell\\open\\command", "",
                       c.command.value_or(""));
    EXPECT_EQ(DefaultBrowserCommand(registry), c.browser);
}

INSTANTIATE_TEST_SUITE_P(
    DesktopEntry, ExecLine,
    ::testing::Values(
        ExecCase{"Options", "/usr/bin/browser --new-window %U",
                 R"(/usr/bin/browser --new-window "%1")", "/usr/bin/browser --new-window"},
        ExecCase{"FileCode", "/usr/bin/viewer %F", R"(/usr/bin/viewer "%1")", "/usr/bin/viewer"},
        ExecCase{"PathWithSpaces", R"("/opt/My Browser/run" --new %u)",
                 R"("/opt/My Browser/run" --new "%1")", "/opt/My Browser/run"},
        ExecCase{"SingleQuotedPath", "'/opt/My Browser/run' %f", R"("/opt/My Browser/run" "%1")",
                 "/opt/My Browser/run"},
        ExecCase{"OptionsAfterPlaceholderAreCut", "browser %u --private",
                 R"(browser "%1" --private)", "browser"},
        // Other field codes are dropped, and only the first file or URL code counts.
        ExecCase{"OnlyOnePlaceholder", "browser %i %c %k %u %f", R"(browser "%1")", "browser"},
        ExecCase{"Percent", "browser --zoom=100%% %u", R"(browser --zoom=100% "%1")",
                 "browser --zoom=100%"},
        ExecCase{"UnclosedQuote", R"("/opt/My Browser/run %u)", std::nullopt, ""},
        ExecCase{"Blank", "  \t ", std::nullopt, ""},
        ExecCase{"EmptyProgram", R"("" %u)", std::nullopt, ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarno

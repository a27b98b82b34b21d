// SPDX-License-Identifier: GPL-3.0-or-later
// Launch parameters, movie paths and how a path splits into file and query.
#include "host/launch.h"
#include "platform/moviesource.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

TEST(Launch, ParametersComeFromTheCatalogueRow) {
    const auto tarno9 = launchParametersFor(1);
    ASSERT_TRUE(tarno9);
    EXPECT_EQ(tarno9->launchQuery, "?gameType=tarno9");
    EXPECT_EQ(tarno9->launchMovieFile, "tiles.swf");
    EXPECT_EQ(tarno9->launchTitle, "Tarno 9"); // no access-key mark
    EXPECT_FALSE(launchParametersFor(12));
    EXPECT_EQ(playIndexOf("lumo11"), 14);
    EXPECT_EQ(playIndexOf("14"), 14);
    for (const char* none : {"12", "Lumo11", "", "014"})
        EXPECT_EQ(playIndexOf(none), std::nullopt) << none;
}

struct PathCase {
    const char* programDir;
    const char* expected;
};

class MoviePath : public ::testing::TestWithParam<PathCase> {};

TEST_P(MoviePath, AddsOneSeparatorOnly) {
    const LaunchParameters launch{"?gameType=tarno9", "tiles.swf", "Tarno 9"};
    EXPECT_EQ(moviePath(GetParam().programDir, launch), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Launch, MoviePath,
    ::testing::Values(PathCase{"/usr/lib/tarno",
                               "/usr/lib/tarno/modules/tiles.swf?gameType=tarno9"},
                      PathCase{"/home/ann/", "/home/ann/modules/tiles.swf?gameType=tarno9"},
                      PathCase{"/a b/c?d", "/a b/c?d/modules/tiles.swf?gameType=tarno9"}));

struct SplitCase {
    const char* path;
    const char* file;
    std::vector<std::pair<std::string, std::string>> variables;
};

class SplitMoviePath : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitMoviePath, QueryStartsAfterTheLastSeparator) {
    const MovieSource source = splitMoviePath(GetParam().path);
    EXPECT_EQ(source.file, GetParam().file);
    EXPECT_EQ(source.variables, GetParam().variables);
}

using Vars = std::vector<std::pair<std::string, std::string>>;
INSTANTIATE_TEST_SUITE_P(
    Launch, SplitMoviePath,
    ::testing::Values(SplitCase{"/p/modules/tiles.swf?gameType=tarno9", "/p/modules/tiles.swf",
                                Vars{{"gameType", "tarno9"}}},
                      SplitCase{"/p/modules/tiles.swf", "/p/modules/tiles.swf", Vars{}},
                      SplitCase{"/what?/modules/a.swf?x=1&y=&z", "/what?/modules/a.swf",
                                Vars{{"x", "1"}, {"y", ""}, {"z", ""}}},
                      SplitCase{"/m/a.swf?k=v=w&&", "/m/a.swf", Vars{{"k", "v=w"}}}));

} // namespace
} // namespace tarno

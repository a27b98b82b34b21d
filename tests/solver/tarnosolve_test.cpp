// SPDX-License-Identifier: GPL-3.0-or-later
// The tarno-solve tool, run as a program: its answers, limits, refusals and --stats.
#include "model/generate.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarno {
namespace {

using testing::TempFolder;
using testing::ToolRun;

ToolRun solve(const std::vector<std::string>& args, const std::string& input,
              const std::string& out = ">stdout.txt") {
    TempFolder dir;
    return testing::runTool(TARNO_SOLVE_BIN, dir, args, input, out);
}

const std::string kSolvable = "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032";
const std::string kAnswer = "323030010031111013120012102102330032000012213";

// The --stats lines, one per request, without their varying node counts and times.
std::vector<std::string> outcomes(const std::string& err) {
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("tarno-solve:", 0) == 0)
            continue;
        const auto note = line.find(" (");
        lines.push_back(line.substr(0, line.find(' ')) +
                        (note == std::string::npos ? "" : line.substr(note)));
    }
    return lines;
}

// Each line gets its answer line, whatever came before: a line beyond 2092 characters
// (memory stays bounded) is refused, a search that would run for minutes is cut off,
// fixed pieces that clash are taken as given. --stats says how each request ended.
TEST(TarnoSolve, EveryLineIsAnsweredAndStatsSaysHow) {
    const std::string longest = "xyz*1,1" + std::string(2092 - 7, '1'); // at the limit
    const std::string endless = model::endlessText() + "\n" + kSolvable + "\n";
    const std::string tooLong = "malformed (line longer than 2092)";
    const std::string clash = " (fixed pieces in cells 1 and 2 do not match)";
    const struct {
        std::vector<std::string> args;
        std::string input, out;
        std::vector<std::string> stats;
    } cases[] = {
        {{"--stats"},
         std::string(3'000'000, '7') + "\n" + kSolvable + "\n" + std::string(2093, '1') + "\r\n" +
             longest + "\r\n" + kSolvable,
         "\n" + kAnswer + "\n\n\n" + kAnswer + "\n",
         {tooLong, "solved", tooLong, "malformed (piece is not one to six digits)", "solved"}},
        {{"--stats", "--timeout", "0.2"}, endless, "\n" + kAnswer + "\n",
         {"stopped (time limit reached)", "solved"}},
        {{"--stats", "--nodes=5000", "--timeout", "1e3"}, endless, "\n" + kAnswer + "\n",
         {"stopped (node limit of 5000 reached)", "solved"}},
        // With free cells the search answers around the clash; with none there is no answer.
        {{"--stats"},
         "bg13*3,0000,0000,3333,0000,0000,1,2,0,0\nbg12*2,0000,0000,0000,0000,1,2,0,0\n"
         "bg12*2,0000,3333,0000,3333,1,2,0,0\n",
         "000000003333000\n\n0000333300\n",
         {"solved" + clash, "no-solution" + clash, "solved"}}};
    for (const auto& c : cases) {
        const ToolRun r = solve(c.args, c.input);
        EXPECT_EQ(r.status, 0) << c.args.back();
        EXPECT_EQ(r.out, c.out) << c.args.back();
        EXPECT_EQ(outcomes(r.err), c.stats) << r.err;
    }
    EXPECT_NE(solve({}, std::string(2093, '1')).err.find(
                  "standard input:1: line longer than 2092 characters, refused"),
              std::string::npos);
}

// Bad options and what is no readable file are refused with status 2, quoting at most 40
// characters; the readable files are still answered.
TEST(TarnoSolve, BadOptionsAndFilesAreRefused) {
    TempFolder dir;
    std::ofstream(dir.file("ok.txt")) << kSolvable << "\n";
    const struct {
        std::vector<std::string> args;
        std::string err;
        std::string out = "";
    } cases[] = {{{dir.file(""), dir.file("ok.txt")},
                  "cannot read " + dir.file("") + ": Is a directory",
                  kAnswer + "\n"},
                 {{dir.file("missing.txt")}, "cannot read " + dir.file("missing.txt") + ": No such file"},
                 {{"--timeout", "0"}, "--timeout needs a number of seconds above 0, not \"0\""},
                 {{"--timeout", "soon"}, "not \"soon\""},
                 {{"--timeout", std::string(50, '9')}, "not \"" + std::string(40, '9') + "...\""},
                 {{"--nodes", "1.5"}, "--nodes needs a whole number above 0, not \"1.5\""},
                 {{"--nodes"}, "--nodes needs a value"},
                 {{"--fast"}, "unknown option \"--fast\""},
                 // After "--" an option's name is a file name.
                 {{"--", "--stats"}, "cannot read --stats"}};
    for (const auto& c : cases) {
        const ToolRun r = solve(c.args, kSolvable + "\n");
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_EQ(r.out, c.out) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

TEST(TarnoSolve, OutputThatCannotBeWrittenFailsLoudly) {
    for (const char* sink : {">/dev/full", ">&-"}) {
        for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"--help"},
                                 std::vector<std::string>{"--version"}}) {
            const ToolRun r = solve(args, kSolvable + "\n" + kSolvable + "\n", sink);
            EXPECT_EQ(r.status, 1) << sink;
            EXPECT_NE(r.err.find("tarno-solve: could not write the output: "), std::string::npos)
                << sink << r.err;
        }
    }
}

} // namespace
} // namespace tarno

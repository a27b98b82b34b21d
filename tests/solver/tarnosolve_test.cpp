// SPDX-License-Identifier: GPL-3.0-or-later
// The tarno-solve tool, run as a program: bounded lines, bounded searches, checked
// output, and what --stats says of each request.
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

// Runs the tool on `input` as standard input; `out` is where standard output goes.
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

// A line cannot grow memory without bound: beyond 2092 characters it is refused, its
// answer is the empty line, and the requests after it are answered as usual.
TEST(TarnoSolve, OverlongLinesAreRefusedAndTheRestIsAnswered) {
    const std::string longest = "xyz*1,1" + std::string(2092 - 7, '1'); // at the limit
    const ToolRun r =
        solve({"--stats"}, std::string(3'000'000, '7') + "\n" + kSolvable + "\n" +
                               std::string(2093, '1') + "\r\n" + longest + "\r\n" + kSolvable);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "\n" + kAnswer + "\n\n\n" + kAnswer + "\n");
    EXPECT_NE(r.err.find("standard input:1: line longer than 2092 characters, refused"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("standard input:3: line longer"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("standard input:4:"), std::string::npos) << r.err;
    EXPECT_EQ(outcomes(r.err),
              (std::vector<std::string>{"malformed (line longer than 2092)", "solved",
                                        "malformed (line longer than 2092)",
                                        "malformed (piece is not one to six digits)", "solved"}));
}

// A search that would run for minutes is cut off: its answer is the empty line, --stats
// says "stopped" and why, and the next request is answered.
TEST(TarnoSolve, TimeAndNodeLimitsCutOffASearch) {
    const std::string endless = model::endlessText();
    const struct {
        std::vector<std::string> args;
        std::string note;
    } cases[] = {
        {{"--stats", "--timeout", "0.2"}, "stopped (time limit reached)"},
        {{"--stats", "--nodes", "5000"}, "stopped (node limit of 5000 reached)"},
        {{"--stats", "--nodes=5000", "--timeout", "1e3"}, "stopped (node limit of 5000 reached)"}};
    for (const auto& c : cases) {
        const ToolRun r = solve(c.args, endless + "\n" + kSolvable + "\n");
        EXPECT_EQ(r.status, 0) << c.args[1];
        EXPECT_EQ(r.out, "\n" + kAnswer + "\n") << c.args[1];
        EXPECT_EQ(outcomes(r.err), (std::vector<std::string>{c.note, "solved"})) << r.err;
    }
}

// Bad options and what is no readable file are refused with status 2, quoting at most 40
// characters; the readable files are still answered.
TEST(TarnoSolve, BadOptionsAndFilesAreRefused) {
    TempFolder dir;
    std::ofstream(dir.file("ok.txt")) << kSolvable << "\n";
    const std::string many(50, '9');
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
                 {{"--timeout", many}, "not \"" + std::string(40, '9') + "...\""},
                 {{"--nodes", "1.5"}, "--nodes needs a whole number above 0, not \"1.5\""},
                 {{"--nodes"}, "--nodes needs a value"},
                 {{"--fast"}, "unknown option \"--fast\""},
                 {{"-x"}, "unknown option \"-x\""},
                 // After "--" an option's name is a file name.
                 {{"--", "--stats"}, "cannot read --stats"}};
    for (const auto& c : cases) {
        const ToolRun r = solve(c.args, kSolvable + "\n");
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_EQ(r.out, c.out) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find(std::string(41, '9')), std::string::npos) << r.err;
    }
}

// Answers that cannot be written are an error, not a silent success.
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
    EXPECT_EQ(solve({"--version"}, "").out, "tarno-solve 1.0\n");
}

// Fixed pieces that do not match each other are taken as given: with free cells left
// the search answers around them, with every cell fixed there is nothing to answer.
// The answers stay so; --stats names the pair in both cases alike.
TEST(TarnoSolve, ClashingFixedPiecesAreNamedAlikeWhetherOrNotCellsAreFree) {
    const ToolRun r = solve({"--stats"}, "bg13*3,0000,0000,3333,0000,0000,1,2,0,0\n"
                                         "bg12*2,0000,0000,0000,0000,1,2,0,0\n"
                                         "bg12*2,0000,3333,0000,3333,1,2,0,0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "000000003333000\n\n0000333300\n");
    const std::string note = " (fixed pieces in cells 1 and 2 do not match)";
    EXPECT_EQ(outcomes(r.err),
              (std::vector<std::string>{"solved" + note, "no-solution" + note, "solved"}));
}

} // namespace
} // namespace tarno

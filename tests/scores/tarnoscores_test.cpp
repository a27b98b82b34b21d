// SPDX-License-Identifier: GPL-3.0-or-later
// The tarno-scores tool, run as a program: its output, exit codes and messages.
#include "scorestestsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>

namespace tarno {
namespace {

using namespace testing; // the helpers of scorestestsupport.h

ToolRun tool(const TempFolder& dir, const std::vector<std::string>& args,
             const std::string& out = ">stdout.txt") {
    return runTool(TARNO_SCORES_BIN, dir, args, {}, out);
}

TEST(TarnoScores, ShowPrintsTheWindowsRowsAndTheMarkedResult) {
    TempFolder dir;
    std::vector<ScoreRecord> records;
    for (int i = 1; i <= 20; ++i) {
        records.push_back(makeRecord(5, " p" + std::to_string(i), 60000 + i, 50 - i));
        records.push_back(makeRecord(1, "x", 1));
    }
    writeRecords(dir.file(), records);
    const ToolRun r = tool(dir, {"show", "fuego", "--mark", "37"}); // p19, 19th
    EXPECT_EQ(r.status, 0) << r.err;
    std::string want;
    for (int i = 1; i <= 15; ++i)
        want += std::to_string(i) + ".\tp" + std::to_string(i) + "\t1:00.0" + (i < 10 ? "0" : "") +
                std::to_string(i) + "\t" + std::to_string(50 - i) + "\t\n";
    want += "*19.\tp19\t1:00.019\t31\t\n";
    EXPECT_EQ(r.out, want);
    // The same list by slot number, with a mark of another slot.
    EXPECT_EQ(tool(dir, {"show", "5", "--mark", "2"}).out, want.substr(0, want.rfind('*')));
}

// The name is spelled in the code page as the game spells it: Ł becomes L.
TEST(TarnoScores, AddRecordsLikeTheGameAndDumpPrintsEveryRecord) {
    TempFolder dir;
    EXPECT_EQ(tool(dir, {"add", "lumo18,15,42,90500,Ann"}).out, "1\n");
    const ToolRun r = tool(dir, {"add", "vesna,3", "--name", "Zo\xC3\xAB \xC5\x81\"Q\", 2"});
    EXPECT_EQ(r.out, "2\n");
    EXPECT_NE(r.err.find("no hi-score list"), std::string::npos);
    EXPECT_EQ(tool(dir, {"dump"}).out, "1\t17\tlumo18\tAnn\t90500\t15\t42\n"
                                       "2\t0\t\tZo\xC3\xAB L\"Q\", 2\t0\t0\t0\n");
    EXPECT_EQ(tool(dir, {"dump", "--format=csv"}).out,
              "record,slot,slotId,name,timeMs,score,moves\n"
              "1,17,lumo18,Ann,90500,15,42\n"
              "2,0,,\"Zo\xC3\xAB L\"\"Q\"\", 2\",0,0,0\n");
    EXPECT_EQ(
        tool(dir, {"dump", "--format", "json"}).out,
        "[\n  {\"record\": 1, \"slot\": 17, \"slotId\": \"lumo18\", \"name\": \"Ann\", "
        "\"timeMs\": 90500, \"score\": 15, \"moves\": 42},\n  {\"record\": 2, \"slot\": 0, "
        "\"slotId\": \"\", \"name\": \"Zo\xC3\xAB L\\\"Q\\\", 2\", \"timeMs\": 0, \"score\": 0, "
        "\"moves\": 0}\n]\n");
}

TEST(TarnoScores, ErrorsGoToStandardErrorWithNonZeroExit) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {{{}, 2, "missing command"},
                 {{"show"}, 2, "show needs one SLOT"},
                 {{"show", "0"}, 2, "no hi-score list for slot \"0\""},
                 {{"show", "1", "--mark", "x"}, 2, "--mark needs a record number"},
                 {{"show", "1", "--colour", "red"}, 2, "unknown option \"--colour\""},
                 {{"add", "tarno9,1"}, 2, "add needs --name"},
                 {{"add", "tarno9,1", "--name", "A", "--file", "folder.lst"},
                  1,
                  "Your result was not saved. Could not open the score file"},
                 // An empty path names no folder.
                 {{"show", "1", "--file", ""}, 1, "score file \"\": No such file or directory."},
                 // A bad number is quoted with its first 40 characters only.
                 {{"show", "1", "--mark", std::string(45, '7')},
                  2,
                  "not \"" + std::string(40, '7') + "...\""},
                 {{"add", "tarno9," + std::string(45, '8'), "--name", "A"},
                  1,
                  "the time \"" + std::string(40, '8') + "...\" is not"},
                 // The name rule of the game: lumo11..13 and lumo18 carry it in ARGS.
                 {{"add", "lumo18,15,42,90500,Bob", "--name", "A"}, 2, "(element 4)"},
                 {{"add", "lumo12,37"}, 1, "needs 2 numbers but got 1"},
                 // After "--" an option's name is an argument.
                 {{"show", "--", "--mark"}, 2, "no hi-score list for slot \"--mark\""}};
    for (const auto& c : cases) {
        TempFolder dir;
        std::filesystem::create_directory(dir.file("folder.lst"));
        const ToolRun r = tool(dir, c.args);
        EXPECT_EQ(r.status, c.status) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

// The slots whose games send the name take it from ARGS unchanged, even when empty; a
// list that ends before its name records an empty name, as the game does.
TEST(TarnoScores, NameSupplyingSlotsTakeTheNameFromArgsUnchanged) {
    TempFolder dir;
    const std::pair<const char*, ScoreRecord> cases[] = {
        {"lumo11,9,5000,  Eve ", makeRecord(14, "  Eve ", 5000, 0, 9)},
        {"lumo12,37,61000,", makeRecord(15, "", 61000, 0, 37)},
        {"lumo13,4,3000,Cy,x", makeRecord(16, "Cy", 3000, 0, 4)},
        {"lumo18,15,42,90500", makeRecord(17, "", 90500, 15, 42)}};
    for (const auto& [args, record] : cases) {
        EXPECT_EQ(tool(dir, {"add", args}).status, 0) << args;
        EXPECT_EQ(recordsIn(ScoreFile(dir.file())).back(), record) << args;
    }
}

// Output that cannot be written is an error, whatever the command: a full disk or a
// closed standard output gives a message and status 1, never a silent truncation.
TEST(TarnoScores, OutputThatCannotBeWrittenFailsLoudly) {
    const std::vector<std::vector<std::string>> commands = {
        {"--help"}, {"show", "1"}, {"dump", "--format", "json"}, {"add", "tarno9,5", "--name", "Cy"}};
    for (const char* sink : {">/dev/full", ">&-"}) {
        for (const auto& args : commands) {
            TempFolder dir;
            writeRecords(dir.file(), std::vector<ScoreRecord>(3000, makeRecord(1, "Ann", 1)));
            const ToolRun r = tool(dir, args, sink);
            EXPECT_EQ(r.status, 1) << args[0] << sink;
            EXPECT_NE(r.err.find("tarno-scores: could not write the output: "), std::string::npos)
                << args[0] << sink << r.err;
            // An added result is saved all the same, and its number told on stderr.
            EXPECT_EQ(r.err.find("saved as record 3001") != std::string::npos, args[0] == "add");
        }
    }
}

// A name holding tabs, line ends or terminal commands cannot forge a row or reach the
// terminal: every result stays one line of five (show) or seven (dump) columns.
TEST(TarnoScores, NamesCannotForgeLinesNorReachTheTerminal) {
    TempFolder dir;
    const std::string forged = "Ann\n1.\tFAKE\t0:00.001\r\x1b[2J\\\x7f\xc2\x9b";
    writeRecords(dir.file(), {makeRecord(1, "Bob", 5000), makeRecord(1, forged, 9000)});
    // The code page holds no U+009B: the name keeps a '?' there, which needs no escape.
    const std::string shown = "Ann\\n1.\\tFAKE\\t0:00.001\\r\\x1b[2J\\\\\\x7f?";
    EXPECT_EQ(tool(dir, {"show", "1"}).out,
              "1.\tBob\t0:05.000\t\t\n2.\t" + shown + "\t0:09.000\t\t\n");
    EXPECT_EQ(tool(dir, {"dump"}).out,
              "1\t1\ttarno9\tBob\t5000\t0\t0\n2\t1\ttarno9\t" + shown + "\t9000\t0\t0\n");
    // Messages quote what they were given the same way.
    const ToolRun bad = tool(dir, {"add", "tarno9,1\x1b[2J", "--name", "A"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("the time \"1\\x1b[2J\" is not"), std::string::npos) << bad.err;
}

// A command that only reads leaves the folder as it found it: a missing file is an
// empty list, said by nothing but the empty output. Options stand anywhere.
TEST(TarnoScores, ReadingCommandsCreateNothing) {
    TempFolder dir;
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {{{"show", "1"}, ""},
                 {{"dump"}, ""},
                 {{"dump", "--format=json"}, "[]\n"},
                 {{"show", "tarno9", "--file", "no/scores.lst"}, ""},
                 {{"show", "--version"}, "tarno-scores 1.0\n"}};
    for (const auto& c : cases) {
        const ToolRun r = tool(dir, c.args);
        EXPECT_EQ(r.status, 0) << c.args[0];
        EXPECT_EQ(r.out, c.out) << c.args[0];
        EXPECT_EQ(r.err, "") << c.args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("scores.lst")));
    EXPECT_EQ(tool(dir, {"add", "tarno9,1", "--name", "A", "--file", "no/scores.lst"}).status, 1);
}

} // namespace
} // namespace tarno

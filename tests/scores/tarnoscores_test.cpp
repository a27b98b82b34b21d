// The tarno-scores tool, run as a program: its output, exit codes and messages.
#include "scorestestsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace tarno {
namespace {

using testing::makeRecord;
using testing::TempFolder;
using testing::writeRecords;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ToolRun tool(const TempFolder& dir, const std::vector<std::string>& args) {
    std::string cmd = "cd " + quoted(dir.path()) + " && " + quoted(TARNO_SCORES_BIN);
    for (const std::string& a : args)
        cmd += " " + quoted(a);
    const std::string errFile = dir.file("stderr.txt");
    cmd += " 2>" + quoted(errFile);
    ToolRun r;
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    std::stringstream ss;
    ss << in.rdbuf();
    r.err = ss.str();
    return r;
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
    // The same list by slot number, without a mark, and a mark of another slot.
    EXPECT_EQ(tool(dir, {"show", "5"}).out, want.substr(0, want.rfind('*')));
    EXPECT_EQ(tool(dir, {"show", "5", "--mark", "2"}).out, want.substr(0, want.rfind('*')));
}

TEST(TarnoScores, AddRecordsLikeTheGameAndRefusesWhatCannotBeRecorded) {
    TempFolder dir;
    ToolRun r = tool(dir, {"add", "tarno9,83456", "--name", "Ann"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1\n");
    r = tool(dir, {"add", "lumo18,15,42,90500,Bob", "--name", "Bob"});
    EXPECT_EQ(r.out, "2\n");
    r = tool(dir, {"add", "vesna,3", "--name", "Cy"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "3\n");
    EXPECT_NE(r.err.find("no hi-score list"), std::string::npos);
    r = tool(dir, {"add", "fuego,125000", "--name", "Dee"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("cannot be recorded"), std::string::npos) << r.err;
    EXPECT_EQ(std::filesystem::file_size(dir.file()), 3u * 66);

    r = tool(dir, {"dump", "--format", "csv"});
    EXPECT_EQ(r.out, "record,slot,slotId,name,timeMs,score,moves\n"
                     "1,1,tarno9,Ann,83456,0,0\n"
                     "2,17,lumo18,Bob,90500,15,42\n"
                     "3,0,,Cy,0,0,0\n");
}

TEST(TarnoScores, DumpFormats) {
    TempFolder dir;
    writeRecords(dir.file(), {makeRecord(12, "Zo\xC3\xAB \"Q\", 2", 0, 12500)});
    EXPECT_EQ(tool(dir, {"dump"}).out, "1\t12\tbrikon3\tZo\xC3\xAB \"Q\", 2\t0\t12500\t0\n");
    EXPECT_EQ(tool(dir, {"dump", "--format=csv"}).out,
              "record,slot,slotId,name,timeMs,score,moves\n"
              "1,12,brikon3,\"Zo\xC3\xAB \"\"Q\"\", 2\",0,12500,0\n");
    EXPECT_EQ(tool(dir, {"dump", "--format", "json"}).out,
              "[\n  {\"record\": 1, \"slot\": 12, \"slotId\": \"brikon3\", \"name\": "
              "\"Zo\xC3\xAB \\\"Q\\\", 2\", \"timeMs\": 0, \"score\": 12500, \"moves\": 0}\n]\n");
    std::filesystem::remove(dir.file());
    EXPECT_EQ(tool(dir, {"dump", "--format", "json"}).out, "[]\n");
}

struct BadLine {
    std::vector<std::string> args;
    int status;
    const char* err;
};

class TarnoScoresErrors : public ::testing::TestWithParam<BadLine> {};

TEST_P(TarnoScoresErrors, GoToStandardErrorWithNonZeroExit) {
    TempFolder dir;
    std::filesystem::create_directory(dir.file("folder.lst"));
    const ToolRun r = tool(dir, GetParam().args);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().err), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TarnoScoresErrors,
    ::testing::Values(
        BadLine{{}, 2, "missing command"}, BadLine{{"rank"}, 2, "unknown command \"rank\""},
        BadLine{{"show"}, 2, "show needs one SLOT"},
        BadLine{{"show", "0"}, 2, "no hi-score list for slot \"0\""},
        BadLine{{"show", "overlord"}, 2, "no hi-score list"},
        BadLine{{"show", "1", "--mark", "x"}, 2, "--mark needs a record number"},
        BadLine{{"show", "1", "--mark"}, 2, "--mark needs a value"},
        BadLine{{"show", "1", "--colour", "red"}, 2, "unknown option --colour"},
        BadLine{{"add", "tarno9,1"}, 2, "add needs --name"},
        BadLine{{"dump", "--format", "xml"}, 2, "--format is csv or json"},
        BadLine{{"show", "1", "--file", "folder.lst"}, 1, "folder.lst\": Is a directory."},
        BadLine{{"add", "tarno9,1", "--name", "A", "--file", "folder.lst"},
                1,
                "Your result was not saved. Could not open the score file"}));

TEST(TarnoScores, HelpDocumentsEveryCommand) {
    TempFolder dir;
    const ToolRun r = tool(dir, {"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"show SLOT [--mark N] [--file PATH]", "add ARGS --name NAME",
                             "dump [--file PATH] [--format csv|json]", "scores.lst"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
    EXPECT_EQ(tool(dir, {"show", "--help"}).out, r.out);
}

} // namespace
} // namespace tarno

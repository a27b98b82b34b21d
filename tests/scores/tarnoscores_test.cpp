// The tarno-scores tool, run as a program: its output, exit codes and messages.
#include "scorestestsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>

namespace tarno {
namespace {

using namespace testing; // the helpers of scorestestsupport.h

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

// Runs the tool in `dir` with its output in files beside the score file.
ToolRun tool(const TempFolder& dir, const std::vector<std::string>& args) {
    std::string cmd = "cd " + quoted(dir.path()) + " && " + quoted(TARNO_SCORES_BIN);
    for (const std::string& a : args)
        cmd += " " + quoted(a);
    const int status = std::system((cmd + " >stdout.txt 2>stderr.txt").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileBytes(dir.file("stdout.txt")),
            fileBytes(dir.file("stderr.txt"))};
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

TEST(TarnoScores, AddRecordsLikeTheGameAndDumpPrintsEveryRecord) {
    TempFolder dir;
    EXPECT_EQ(tool(dir, {"add", "lumo18,15,42,90500,Bob", "--name", "Ann"}).out, "1\n");
    const ToolRun r = tool(dir, {"add", "vesna,3", "--name", "Zo\xC3\xAB \"Q\", 2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "2\n");
    EXPECT_NE(r.err.find("no hi-score list"), std::string::npos);
    EXPECT_EQ(tool(dir, {"dump"}).out, "1\t17\tlumo18\tAnn\t90500\t15\t42\n"
                                       "2\t0\t\tZo\xC3\xAB \"Q\", 2\t0\t0\t0\n");
    EXPECT_EQ(tool(dir, {"dump", "--format=csv"}).out,
              "record,slot,slotId,name,timeMs,score,moves\n"
              "1,17,lumo18,Ann,90500,15,42\n"
              "2,0,,\"Zo\xC3\xAB \"\"Q\"\", 2\",0,0,0\n");
    EXPECT_EQ(
        tool(dir, {"dump", "--format", "json"}).out,
        "[\n  {\"record\": 1, \"slot\": 17, \"slotId\": \"lumo18\", \"name\": \"Ann\", "
        "\"timeMs\": 90500, \"score\": 15, \"moves\": 42},\n  {\"record\": 2, \"slot\": 0, "
        "\"slotId\": \"\", \"name\": \"Zo\xC3\xAB \\\"Q\\\", 2\", \"timeMs\": 0, \"score\": 0, "
        "\"moves\": 0}\n]\n");
}

TEST(TarnoScores, ErrorsGoToStandardErrorWithNonZeroExit) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err; // DIR/ stands for the folder the tool runs in
    } cases[] = {{{}, 2, "missing command"},
                 {{"rank"}, 2, "unknown command \"rank\""},
                 {{"show"}, 2, "show needs one SLOT"},
                 {{"show", "0"}, 2, "no hi-score list for slot \"0\""},
                 {{"show", "1", "--mark", "x"}, 2, "--mark needs a record number"},
                 {{"show", "1", "--mark"}, 2, "--mark needs a value"},
                 {{"show", "1", "--colour", "red"}, 2, "unknown option --colour"},
                 {{"add", "tarno9,1"}, 2, "add needs --name"},
                 {{"add", "fuego,125000", "--name", "A"}, 1, "cannot be recorded"},
                 {{"dump", "--format", "xml"}, 2, "--format is csv or json"},
                 {{"show", "1", "--file", "folder.lst"}, 1, "DIR/folder.lst\": Is a directory."},
                 {{"add", "tarno9,1", "--name", "A", "--file", "folder.lst"},
                  1,
                  "Your result was not saved. Could not open the score file \"DIR/folder.lst\""}};
    for (const auto& c : cases) {
        TempFolder dir;
        std::filesystem::create_directory(dir.file("folder.lst"));
        const ToolRun r = tool(dir, c.args);
        std::string err = c.err;
        if (const auto at = err.find("DIR/"); at != std::string::npos)
            err.replace(at, 3, dir.path());
        EXPECT_EQ(r.status, c.status) << err;
        EXPECT_EQ(r.out, "") << err;
        EXPECT_NE(r.err.find(err), std::string::npos) << r.err;
    }
}

TEST(TarnoScores, HelpDocumentsEveryCommand) {
    TempFolder dir;
    const ToolRun r = tool(dir, {"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* usage : {"show SLOT [--mark N] [--file PATH]", "add ARGS --name NAME",
                              "dump [--file PATH] [--format csv|json]", "scores.lst"})
        EXPECT_NE(r.out.find(usage), std::string::npos) << usage;
}

} // namespace
} // namespace tarno

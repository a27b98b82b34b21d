// SPDX-License-Identifier: GPL-3.0-or-later
// The command channel with fakes for its surroundings and a real score file: dispatch,
// where the name comes from, answers to the movie, and commands nested in others.
#include "host/commandchannel.h"
#include "scores/scorestestsupport.h"
#include "solver/model/generate.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace tarno {
namespace {

using testing::makeRecord;
using testing::recordsIn;
using testing::TempFolder;
using testing::writeRecords;

const char* const kTarno9 = "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032";
const char* const kTarno9Answer = "323030010031111013120012102102330032000012213";

using Lists = std::vector<std::pair<int, std::int64_t>>;
using Sets = std::vector<std::pair<std::string, std::string>>;

struct FakePrompt : NamePrompt {
    std::vector<std::string> presets;
    std::string answer;
    std::function<void()> whileOpen;
    std::string askName(const std::string& preset) override {
        presets.push_back(preset);
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
        return answer;
    }
};

struct FakeHiScores : HiScoreView {
    Lists lists;
    std::vector<std::string> messages;
    std::function<void()> whileOpen;
    void showList(int slot, std::int64_t marked) override {
        lists.emplace_back(slot, marked);
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
    }
    void showMessage(Severity, const std::string& text) override { messages.push_back(text); }
};

struct FakeMovie : MovieVariables {
    Sets set;
    void SetVariable(const std::string& name, const std::string& value) override {
        set.emplace_back(name, value);
    }
};

class Channel : public ::testing::Test {
protected:
    void send(std::string_view command, std::string_view args) { channel.FSCommand(command, args); }

    TempFolder folder;
    ScoreFile file{folder.file()};
    FakePrompt prompt;
    FakeHiScores hiScores;
    FakeMovie movie;
    ScriptedPump pump;
    CommandChannel channel{{file, hiScores, prompt, movie, pump}};
};

TEST_F(Channel, OnlyTheThreeWordsAsWrittenDoAnything) {
    for (const char* word :
         {"WriteScore", "writescore ", " solvepuzzle", "SOLVEPUZZLE", "stopSolving", "quit", ""}) {
        send(word, "tarno9,1000");
        send(word, kTarno9);
    }
    EXPECT_TRUE(prompt.presets.empty());
    EXPECT_TRUE(hiScores.lists.empty());
    EXPECT_TRUE(movie.set.empty());
    EXPECT_FALSE(channel.stopRequested());
    EXPECT_TRUE(recordsIn(file).empty());
}

struct NameCase {
    const char* what;
    const char* args;
    std::optional<ScoreRecord> recorded; // none: refused by the recorder
    const char* preset = nullptr;        // what the prompt offers; null: no prompt opens
    const char* typed = "";
    std::vector<ScoreRecord> before = {};
};

class NameOfARecord : public Channel, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameOfARecord, ComesFromTheMovieOrThePrompt) {
    const NameCase& c = GetParam();
    writeRecords(file.path(), c.before);
    prompt.answer = c.typed;
    send("writescore", c.args);
    EXPECT_EQ(prompt.presets, c.preset ? std::vector<std::string>{c.preset} : std::vector<std::string>{});
    std::vector<ScoreRecord> expected = c.before;
    if (c.recorded)
        expected.push_back(*c.recorded);
    EXPECT_EQ(recordsIn(file), expected);
    if (!c.recorded)
        EXPECT_EQ(hiScores.messages.size(), 1u);
    else if (c.recorded->slot != 0)
        EXPECT_EQ(hiScores.lists, (Lists{{c.recorded->slot, static_cast<std::int64_t>(expected.size())}}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameOfARecord,
    ::testing::Values(
        NameCase{"PaddedLastNameOfferedTrimmed", "tarno9,83456", makeRecord(1, "Ann", 83456), "Ann",
                 "Ann", {makeRecord(3, "Bea"), makeRecord(1, "  Ann")}},
        NameCase{"ClearedText", "kpuzzle,500", makeRecord(4, "NoName Player", 500), "Ann", "",
                 {makeRecord(1, "Ann")}},
        NameCase{"ANameAMovieSuppliedIsOfferedToo", "tarno9,10", makeRecord(1, "Eve", 10), "Eve",
                 "Eve", {makeRecord(16, "Eve", 61000, 0, 37)}},
        NameCase{"GameWithoutASlotRecordsSlot0", "overlord,1200", makeRecord(0, "Fay"), "", "Fay"},
        NameCase{"OtherCapitalsAreNotANameSupplyingSlot", "Lumo12,37,61000,Eve", makeRecord(0, "Gus"),
                 "", "Gus"},
        NameCase{"Lumo12Supplied", "lumo12,37,61000,Eve", makeRecord(15, "Eve", 61000, 0, 37)},
        NameCase{"Lumo18Supplied", "lumo18,15,42,90500,Bob", makeRecord(17, "Bob", 90500, 15, 42)},
        NameCase{"SuppliedBlanksKept", "lumo13,37,61000, Ida ", makeRecord(16, " Ida ", 61000, 0, 37)},
        NameCase{"SuppliedNameMissing", "lumo18,15,42,90500", makeRecord(17, "", 90500, 15, 42)},
        NameCase{"Refused", "lumo18,15", std::nullopt}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(Channel, SolvedUnsolvableAndMalformedRequestsAllAnswer) {
    send("solvepuzzle", kTarno9);
    send("solvepuzzle", "tarno9*9,0000,0000,0000,0000,0000,0000,0000,0000,1111");
    send("solvepuzzle", "");
    EXPECT_EQ(movie.set,
              (Sets{{"solver_solve", kTarno9Answer}, {"solver_solve", ""}, {"solver_solve", ""}}));
}

TEST_F(Channel, StopDuringASolveSendsNoAnswer) {
    pump.onCall = onFirstCall([this] {
        EXPECT_EQ(channel.solvesRunning(), 1);
        send("stopsolving", "ignored,args");
    });
    send("solvepuzzle", model::endlessText());
    EXPECT_TRUE(movie.set.empty());
    EXPECT_EQ(channel.solvesRunning(), 0);
}

TEST_F(Channel, AStopWithNoSolveRunningDoesNotSuppressTheNextAnswer) {
    send("stopsolving", "");
    EXPECT_TRUE(channel.stopRequested());
    send("solvepuzzle", kTarno9);
    EXPECT_FALSE(channel.stopRequested());
    EXPECT_EQ(movie.set, (Sets{{"solver_solve", kTarno9Answer}}));
}

TEST_F(Channel, ANewerSolveStopsTheOneItInterruptsAndAloneAnswers) {
    pump.onCall = onFirstCall([this] {
        send("solvepuzzle", kTarno9);
        EXPECT_EQ(movie.set.size(), 1u); // answered before the outer solve resumes
    });
    send("solvepuzzle", model::endlessText());
    EXPECT_EQ(movie.set, (Sets{{"solver_solve", kTarno9Answer}}));
}

TEST_F(Channel, ClosingDuringASolveStopsItAndSilencesTheChannel) {
    pump.onCall = onFirstCall([this] { channel.close(); });
    send("solvepuzzle", model::endlessText());
    EXPECT_TRUE(movie.set.empty());
    send("solvepuzzle", kTarno9);
    send("writescore", "tarno9,100");
    EXPECT_TRUE(movie.set.empty());
    EXPECT_TRUE(prompt.presets.empty());
    EXPECT_TRUE(recordsIn(file).empty());
}

TEST_F(Channel, ClosingWhileThePromptIsOpenRecordsNothing) {
    prompt.answer = "Ann";
    prompt.whileOpen = [this] { channel.close(); };
    send("writescore", "tarno9,100");
    EXPECT_TRUE(recordsIn(file).empty());
    EXPECT_TRUE(hiScores.lists.empty());
}

TEST_F(Channel, CommandsDuringThePromptAndTheListAreHandledAtOnce) {
    prompt.answer = "Ann";
    // While the prompt is open the movie records a result of its own ...
    prompt.whileOpen = [this] {
        send("writescore", "lumo12,3,4000,Eve");
        EXPECT_EQ(recordsIn(file).size(), 1u);
    };
    // ... and while that list is shown it asks for a solution.
    hiScores.whileOpen = [this] {
        send("solvepuzzle", kTarno9);
        EXPECT_EQ(movie.set.size(), 1u);
    };
    send("writescore", "tarno9,100");
    const std::vector<ScoreRecord> after = recordsIn(file);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], makeRecord(15, "Eve", 4000, 0, 3));
    EXPECT_EQ(after[1], makeRecord(1, "Ann", 100));
    EXPECT_EQ(hiScores.lists, (Lists{{15, 1}, {1, 2}}));
}

TEST_F(Channel, AStopSentFromInsideAPromptNestedInASolveStopsIt) {
    pump.onCall = onFirstCall([this] {
        prompt.whileOpen = [this] { send("stopsolving", ""); };
        send("writescore", "tarno9,100");
    });
    send("solvepuzzle", model::endlessText());
    EXPECT_TRUE(movie.set.empty());
    EXPECT_EQ(recordsIn(file).size(), 1u);
}

} // namespace
} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// RecordScore: the field table by kind, number reading, refusals, and what the player sees.
#include "scores/recorder.h"

#include "scorestestsupport.h"

#include <gtest/gtest.h>

namespace tarno {
namespace {

using namespace testing; // the helpers of scorestestsupport.h

// Remembers what recording asked of the windows.
class FakeView : public HiScoreView {
public:
    void showList(int slot, std::int64_t marked) override { lists.push_back({slot, marked}); }
    void showMessage(Severity severity, const std::string& text) override {
        messages.push_back({severity, text});
    }
    std::vector<std::pair<int, std::int64_t>> lists;
    std::vector<std::pair<Severity, std::string>> messages;
};

TEST(ParseScoreNumber, ReadsWholeNumbersAndRoundsHalvesToEven) {
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"83456", 83456}, {"  42 ", 42},  {"\t7", 7},   {"+5", 5},    {"-12", -12},
        {"007", 7},       {"2.5", 2},     {"3.5", 4},   {".5", 0},    {"2.50000", 2},
        {"2.500001", 3},  {"2.49999", 2}, {"-2.5", -2}, {"-3.5", -4}, {"-2.6", -3},
        {"7.", 7},        {"1.9", 2},     {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"2147483647.4", INT32_MAX}};
    for (auto [text, value] : numbers)
        EXPECT_EQ(parseScoreNumber(text), value) << '"' << text << '"';
    for (const char* text : {"2147483648", "2147483647.5", "-2147483649", "99999999999999999999999",
                             "", "   ", "12abc", "1 2", "1e3", ".", "-", "1.2.3", "0x10", "--1"})
        EXPECT_EQ(parseScoreNumber(text), std::nullopt) << '"' << text << '"';
}

TEST(RecordFromArgs, FillsTheKindsFieldsFromTheList) {
    const std::pair<std::vector<std::string>, ScoreRecord> cases[] = {
        {{"tarno9", "83456"}, makeRecord(1, "Ann", 83456)},
        {{"fuego", "125000", "48"}, makeRecord(5, "Ann", 125000, 48)},
        {{"summit", " 3.5 ", "47.5"}, makeRecord(6, "Ann", 4, 48)},
        {{"brikon3", "12500"}, makeRecord(12, "Ann", 0, 12500)},
        {{"brikon", "1000000", "extra"}, makeRecord(7, "Ann", 0, 1000000)},
        {{"lumo12", "37", "61000", "Eve"}, makeRecord(15, "Ann", 61000, 0, 37)},
        {{"lumo18", "15", "42", "90500", "Bob"}, makeRecord(17, "Ann", 90500, 15, 42)},
        // A slot id that is none of the 17 reads no numbers at all.
        {{"totsnook", "x"}, makeRecord(0, "Ann")},
        {{}, makeRecord(0, "Ann")}};
    for (const auto& [args, want] : cases) {
        auto r = recordFromArgs("Ann", args);
        ASSERT_TRUE(std::holds_alternative<ScoreRecord>(r)) << std::get<std::string>(r);
        EXPECT_EQ(std::get<ScoreRecord>(r), want) << (args.empty() ? "" : args[0]);
    }
}

// Nothing recorded: no list, one message saying why, and the file as it was. A file
// that cannot be written (here a folder) is told as not saved.
TEST(RecordScore, WhatIsNotRecordedIsToldOnceWithoutAList) {
    using S = RecordOutcome::Status;
    using V = HiScoreView::Severity;
    const struct {
        std::vector<std::string> args;
        S status;
        V severity;
        std::string reason; // empty: the file is a folder
    } cases[] = {
        {{"tarno9"}, S::Rejected, V::Warning, "\"tarno9\" needs 1 number but got 0"},
        {{"lumo18", "15", "42"}, S::Rejected, V::Warning, "\"lumo18\" needs 3 numbers but got 2"},
        {{"lumo12", "37", "soon", "Eve"}, S::Rejected, V::Warning,
         "the time \"soon\" is not a whole number between -2147483648 and 2147483647"},
        {{"brikon", "3000000000"}, S::Rejected, V::Warning,
         "the score \"3000000000\" is not a whole number between -2147483648 and 2147483647"},
        {{"tarno9", "2"}, S::NotSaved, V::Critical, ""}};
    for (const auto& c : cases) {
        TempFolder dir;
        ScoreFile file(c.reason.empty() ? dir.path() : dir.file());
        FakeView view;
        EXPECT_EQ(RecordScore(file, view, "Ann", c.args).status, c.status);
        EXPECT_TRUE(view.lists.empty());
        const std::string text = c.reason.empty() ? "Your result was not saved. Could not open "
                                                    "the score file \"" + dir.path() + "\": Is a directory."
                                                  : recordtext::rejected(c.reason);
        EXPECT_EQ(view.messages, (decltype(view.messages){{c.severity, text}}));
        EXPECT_EQ(fileBytes(dir.file()), "");
    }
}

} // namespace
} // namespace tarno

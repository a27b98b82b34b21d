// RecordScore: the field table by kind, number reading, refusals, and what the player sees.
#include "scores/recorder.h"

#include "scorestestsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>

namespace tarno {
namespace {

using testing::fileBytes;
using testing::makeRecord;
using testing::TempFolder;

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

struct NumberCase {
    const char* text;
    std::optional<std::int32_t> value;
};

class ScoreNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ScoreNumbers, ReadAsTheRecorderReadsThem) {
    EXPECT_EQ(parseScoreNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScoreNumbers,
    ::testing::Values(
        NumberCase{"83456", 83456}, NumberCase{"  42 ", 42}, NumberCase{"\t7", 7},
        NumberCase{"+5", 5}, NumberCase{"-12", -12}, NumberCase{"007", 7},
        // Fractions: to the nearest, halves to the even neighbour.
        NumberCase{"2.5", 2}, NumberCase{"3.5", 4}, NumberCase{"0.5", 0}, NumberCase{"1.5", 2},
        NumberCase{"2.50000", 2}, NumberCase{"2.500001", 3}, NumberCase{"2.49999", 2},
        NumberCase{"-2.5", -2}, NumberCase{"-3.5", -4}, NumberCase{"-2.6", -3}, NumberCase{".5", 0},
        NumberCase{"7.", 7}, NumberCase{"1.9", 2}, NumberCase{"2147483647", 2147483647},
        NumberCase{"-2147483648", -2147483647 - 1}, NumberCase{"2147483647.4", 2147483647},
        // Not numbers, or beyond 32 bits.
        NumberCase{"2147483648", std::nullopt}, NumberCase{"2147483647.5", std::nullopt},
        NumberCase{"-2147483649", std::nullopt},
        NumberCase{"99999999999999999999999", std::nullopt}, NumberCase{"", std::nullopt},
        NumberCase{"   ", std::nullopt}, NumberCase{"abc", std::nullopt},
        NumberCase{"12abc", std::nullopt}, NumberCase{"1 2", std::nullopt},
        NumberCase{"1e3", std::nullopt}, NumberCase{".", std::nullopt},
        NumberCase{"-", std::nullopt}, NumberCase{"1.2.3", std::nullopt},
        NumberCase{"0x10", std::nullopt}, NumberCase{"--1", std::nullopt}));

struct FieldCase {
    std::vector<std::string> args;
    ScoreRecord want; // name Ann
};

class FieldTable : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldTable, FillsTheKindsFieldsFromTheList) {
    auto r = recordFromArgs("Ann", GetParam().args);
    ASSERT_TRUE(std::holds_alternative<ScoreRecord>(r)) << std::get<std::string>(r);
    EXPECT_EQ(std::get<ScoreRecord>(r), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FieldTable,
    ::testing::Values(
        FieldCase{{"tarno9", "83456"}, makeRecord(1, "Ann", 83456)},
        FieldCase{{"kpuzzle", "2.5"}, makeRecord(4, "Ann", 2)},
        FieldCase{{"fuego", "125000", "48"}, makeRecord(5, "Ann", 125000, 48)},
        FieldCase{{"summit", " 3.5 ", "47.5"}, makeRecord(6, "Ann", 4, 48)},
        FieldCase{{"brikon3", "12500"}, makeRecord(12, "Ann", 0, 12500)},
        FieldCase{{"brikon", "1000000", "extra"}, makeRecord(7, "Ann", 0, 1000000)},
        FieldCase{{"lumo12", "37", "61000", "Eve"}, makeRecord(15, "Ann", 61000, 0, 37)},
        FieldCase{{"lumo18", "15", "42", "90500", "Bob"}, makeRecord(17, "Ann", 90500, 15, 42)},
        // A slot id that is none of the 17 reads no numbers at all.
        FieldCase{{"totsnook", "x"}, makeRecord(0, "Ann")},
        FieldCase{{"Tarno9", "83456"}, makeRecord(0, "Ann")}, FieldCase{{}, makeRecord(0, "Ann")}));

struct RefusalCase {
    std::vector<std::string> args;
    const char* reason;
};

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, RecordNothingAndSayWhy) {
    TempFolder dir;
    ScoreFile file(dir.file());
    FakeView view;
    const RecordOutcome out = RecordScore(file, view, "Ann", GetParam().args);
    EXPECT_EQ(out.status, RecordOutcome::Status::Rejected);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, HiScoreView::Severity::Warning);
    EXPECT_EQ(view.messages[0].second, recordtext::rejected(GetParam().reason));
    EXPECT_TRUE(view.lists.empty());
    EXPECT_EQ(file.RecordCount().value(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, Refusals,
    ::testing::Values(
        RefusalCase{{"tarno9"}, "\"tarno9\" needs 1 number but got 0"},
        RefusalCase{{"fuego", "125000"}, "\"fuego\" needs 2 numbers but got 1"},
        RefusalCase{{"lumo18", "15", "42"}, "\"lumo18\" needs 3 numbers but got 2"},
        RefusalCase{{"tarno9", ""},
                    "the time \"\" is not a whole number between -2147483648 and 2147483647"},
        RefusalCase{{"lumo12", "37", "soon", "Eve"},
                    "the time \"soon\" is not a whole number between -2147483648 and 2147483647"},
        RefusalCase{{"brikon", "3000000000"},
                    "the score \"3000000000\" is not a whole number "
                    "between -2147483648 and 2147483647"}));

TEST(RecordScore, AppendsAndShowsTheSlotWithTheNewRecordMarked) {
    TempFolder dir;
    ScoreFile file(dir.file());
    FakeView view;
    RecordOutcome a = RecordScore(file, view, "Ann", {"tarno9", "83456"});
    RecordOutcome b = RecordScore(file, view, "Bob", {"fuego", "125000", "48"});
    EXPECT_EQ(a.status, RecordOutcome::Status::Shown);
    EXPECT_EQ(a.recordNumber, 1);
    EXPECT_EQ(b.recordNumber, 2);
    EXPECT_EQ(view.lists, (std::vector<std::pair<int, std::int64_t>>{{1, 1}, {5, 2}}));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(file.ReadRecord(1).value(), makeRecord(1, "Ann", 83456));
    EXPECT_EQ(file.ReadRecord(2).value(), makeRecord(5, "Bob", 125000, 48));
}

TEST(RecordScore, NameIsStoredUnchangedAndCutAtFifty) {
    TempFolder dir;
    ScoreFile file(dir.file());
    FakeView view;
    const std::string name55 = std::string(50, 'n') + "12345";
    RecordScore(file, view, name55, {"tarno9", "1"});
    RecordScore(file, view, "", {"lumo11", "37", "61000", ""});
    EXPECT_EQ(file.ReadRecord(1).value().name, std::string(50, 'n'));
    EXPECT_EQ(file.ReadRecord(2).value().name, std::string(50, ' '));
}

TEST(RecordScore, UnknownSlotIsSavedAndSaysThereIsNoList) {
    TempFolder dir;
    ScoreFile file(dir.file());
    FakeView view;
    const RecordOutcome out = RecordScore(file, view, "Ann", {"overlord", "500"});
    EXPECT_EQ(out.status, RecordOutcome::Status::SavedWithoutList);
    EXPECT_EQ(out.recordNumber, 1);
    EXPECT_TRUE(view.lists.empty());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, HiScoreView::Severity::Information);
    EXPECT_EQ(view.messages[0].second, recordtext::kSavedWithoutList);
    EXPECT_EQ(file.ReadRecord(1).value(), makeRecord(0, "Ann"));
}

TEST(RecordScore, FileThatCannotBeWrittenSaysNotSavedAndShowsNoList) {
    TempFolder dir;
    ScoreFile file(dir.file());
    FakeView view;
    RecordScore(file, view, "Ann", {"tarno9", "1"});
    const auto before = fileBytes(dir.file());
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 66 + 10;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const RecordOutcome out = RecordScore(file, view, "Bob", {"tarno9", "2"});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(out.status, RecordOutcome::Status::NotSaved);
    EXPECT_EQ(view.lists.size(), 1u); // only Ann's
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, HiScoreView::Severity::Critical);
    EXPECT_EQ(view.messages[0].second,
              "Your result was not saved. Could not write to the score file \"" + dir.file() +
                  "\": File too large.");
    EXPECT_EQ(fileBytes(dir.file()), before);
}

} // namespace
} // namespace tarno

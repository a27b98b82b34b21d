// Ranking against the window's literal text keys, the one-pass list, and row texts.
#include "scores/hiscorelist.h"

#include "scorestestsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <random>

namespace tarno {
namespace {

using testing::makeRecord;
using testing::TempFolder;
using testing::writeRecords;

// "v as w digits": zeros in front, then the last w characters.
std::string digits(std::int64_t v, std::size_t w) {
    const std::string s = std::string(w, '0') + std::to_string(v);
    return s.substr(s.size() - w);
}

// The ranking key as the window's sorted list holds it, parts joined by character 1.
std::string textKey(SlotKind kind, const ScoreRecord& r) {
    const std::string sep(1, '\x01');
    const std::string time7 = digits(r.timeMs, 7);
    const std::string name = trimmedName(r.name);
    switch (kind) {
    case SlotKind::ByTime:
        return time7 + sep + name;
    case SlotKind::ByScoreThenTime:
        return digits(99 - r.score, 2) + sep + time7 + sep + name;
    case SlotKind::ByScore:
        return digits(999999 - r.score, 6) + sep + name;
    case SlotKind::ByMovesThenTime:
        return digits(r.moves, 2) + sep + time7 + sep + name;
    case SlotKind::ByScoreMovesTime:
        return digits(20 - r.score, 2) + sep + digits(r.moves, 2) + sep + time7 + sep + name;
    }
    return {};
}

// The naive model: every record of the slot, sorted by its lower-cased text key, equal
// keys in file order. Gives record numbers, best first.
std::vector<std::int64_t> naiveRanking(SlotKind kind, int slot,
                                       const std::vector<ScoreRecord>& file) {
    std::vector<std::pair<std::string, std::int64_t>> keyed;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i].slot != slot)
            continue;
        std::string key = textKey(kind, file[i]);
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        keyed.emplace_back(key, static_cast<std::int64_t>(i + 1));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::int64_t> order;
    for (const auto& k : keyed)
        order.push_back(k.second);
    return order;
}

// Values inside the key's ranges, drawn from small sets so that ties are common.
ScoreRecord randomRecord(std::mt19937& rng, int slot) {
    static const std::vector<std::string> names = {
        "Ann", "ann", "ANN",  "bob",     "Bob",     "  Anna ", "anna",   "a_b", "aB",
        "",    "Zed", "zed ", "Ann Lee", "ann lee", "x",       "~tilde", "1st"};
    const auto pick = [&](std::initializer_list<int> values) {
        std::uniform_int_distribution<std::size_t> d(0, values.size() - 1);
        return *(values.begin() + d(rng));
    };
    std::uniform_int_distribution<std::size_t> nameDist(0, names.size() - 1);
    const int time = pick({0, 7, 999, 1000, 59000, 83456, 83456, 600000, 9999999});
    int score = 0;
    int moves = 0;
    switch (slotKind(slot).value_or(SlotKind::ByTime)) {
    case SlotKind::ByScoreThenTime:
        score = pick({0, 1, 47, 48, 48, 98, 99});
        break;
    case SlotKind::ByScore:
        score = pick({0, 5, 12500, 12500, 999998, 999999});
        break;
    case SlotKind::ByScoreMovesTime:
        score = pick({0, 1, 15, 15, 19, 20});
        break;
    default:
        break;
    }
    if (slot >= 14)
        moves = pick({0, 5, 9, 10, 37, 37, 99});
    ScoreRecord r = makeRecord(slot, names[nameDist(rng)], time, score, moves);
    return r;
}

TEST(Ranking, MatchesTheTextKeysOnRandomFiles) {
    const unsigned seed = std::random_device{}();
    std::printf("ranking seed %u\n", seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    TempFolder dir;
    for (int round = 0; round < 40; ++round) {
        std::uniform_int_distribution<int> sizeDist(0, 120);
        std::uniform_int_distribution<int> slotDist(0, 17);
        std::vector<ScoreRecord> records;
        const int n = sizeDist(rng);
        for (int i = 0; i < n; ++i)
            records.push_back(randomRecord(rng, slotDist(rng)));
        writeRecords(dir.file(), records);
        const ScoreFile file(dir.file());
        for (int slot = 1; slot <= 17; ++slot) {
            const SlotKind kind = *slotKind(slot);
            const std::vector<std::int64_t> want = naiveRanking(kind, slot, records);
            std::uniform_int_distribution<std::int64_t> markDist(0, n + 1);
            const std::int64_t mark = markDist(rng);
            auto list = buildHiScoreList(file, slot, mark);
            ASSERT_TRUE(list.ok());
            std::vector<std::int64_t> got;
            for (const NumberedRecord& r : list.value().top) {
                got.push_back(r.number);
                EXPECT_EQ(r.record, records[static_cast<std::size_t>(r.number - 1)]);
            }
            const std::size_t listed = std::min<std::size_t>(want.size(), kListedRows);
            EXPECT_EQ(got, std::vector<std::int64_t>(want.begin(), want.begin() + listed))
                << "round " << round << " slot " << slot;
            EXPECT_EQ(list.value().entries, static_cast<std::int64_t>(want.size()));
            const auto at = std::find(want.begin(), want.end(), mark);
            if (at == want.end()) {
                EXPECT_FALSE(list.value().marked) << "mark " << mark;
            } else {
                ASSERT_TRUE(list.value().marked);
                EXPECT_EQ(list.value().markedPlace, at - want.begin() + 1);
                EXPECT_EQ(list.value().marked->record, records[static_cast<std::size_t>(mark - 1)]);
            }
        }
    }
}

RankEntry entry(std::int64_t number, const ScoreRecord& r) {
    return RankEntry::fromBytes(number, encodeRecord(r));
}

struct OrderCase {
    const char* what;
    SlotKind kind;
    ScoreRecord first;
    ScoreRecord second;
};

class RankingOrder : public ::testing::TestWithParam<OrderCase> {};

// Each pair: `first` stands before `second` whichever comes first in the file.
TEST_P(RankingOrder, FirstStandsBeforeSecond) {
    const OrderCase& c = GetParam();
    EXPECT_TRUE(ranksBefore(c.kind, entry(2, c.first), entry(1, c.second))) << c.what;
    EXPECT_FALSE(ranksBefore(c.kind, entry(1, c.second), entry(2, c.first))) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RankingOrder,
    ::testing::Values(OrderCase{"higher score beats faster time", SlotKind::ByScoreThenTime,
                                makeRecord(5, "a", 125000, 48), makeRecord(5, "a", 59000, 47)},
                      OrderCase{"equal score, faster time", SlotKind::ByScoreThenTime,
                                makeRecord(5, "a", 60000, 48), makeRecord(5, "a", 90000, 48)},
                      OrderCase{"9 moves before 10", SlotKind::ByMovesThenTime,
                                makeRecord(14, "a", 9000, 0, 9), makeRecord(14, "a", 1000, 0, 10)},
                      OrderCase{"names without regard to case", SlotKind::ByTime,
                                makeRecord(1, "Anna", 83456), makeRecord(1, "bob", 83456)},
                      OrderCase{"outer spaces do not count", SlotKind::ByTime,
                                makeRecord(1, "Anna", 1), makeRecord(1, "  Bob", 1)},
                      OrderCase{"accented capitals fold too", SlotKind::ByTime,
                                makeRecord(1,
                                           "\xC3\xA9"
                                           "a",
                                           1),
                                makeRecord(1,
                                           "\xC3\x89"
                                           "b",
                                           1)},
                      // Beyond the key's ranges the true numbers decide.
                      OrderCase{"score 150 above 99", SlotKind::ByScoreThenTime,
                                makeRecord(5, "a", 1, 150), makeRecord(5, "a", 1, 99)},
                      OrderCase{"time over 9999999 after it", SlotKind::ByTime,
                                makeRecord(1, "z", 9999999), makeRecord(1, "a", 10000000)},
                      OrderCase{"negative time first", SlotKind::ByTime, makeRecord(1, "z", -5),
                                makeRecord(1, "a", 0)},
                      OrderCase{"score over 999999", SlotKind::ByScore,
                                makeRecord(7, "z", 0, 1000000), makeRecord(7, "a", 0, 999999)},
                      OrderCase{"moves over 99 after 99", SlotKind::ByMovesThenTime,
                                makeRecord(14, "z", 5, 0, 99), makeRecord(14, "a", 1, 0, 100)},
                      OrderCase{"score 21 above 20", SlotKind::ByScoreMovesTime,
                                makeRecord(17, "z", 9, 21, 50), makeRecord(17, "a", 1, 20, 1)},
                      OrderCase{"negative score last", SlotKind::ByScore, makeRecord(7, "z", 0, 0),
                                makeRecord(7, "a", 0, -1)}));

TEST(Ranking, EntriesEqualButForCaseStandInFileOrder) {
    const RankEntry a = entry(1, makeRecord(1, "ann", 5));
    const RankEntry b = entry(2, makeRecord(1, "ANN", 5));
    EXPECT_TRUE(ranksBefore(SlotKind::ByTime, a, b));
    EXPECT_FALSE(ranksBefore(SlotKind::ByTime, b, a));
    EXPECT_FALSE(ranksBefore(SlotKind::ByTime, a, a));
}

TEST(Ranking, FieldsTheKindDoesNotUseAreIgnored) {
    // Moves in a time-only slot, written by some other program, change nothing.
    EXPECT_TRUE(ranksBefore(SlotKind::ByTime, entry(1, makeRecord(1, "a", 5, 0, 99)),
                            entry(2, makeRecord(1, "a", 5, 0, 0))));
}

TEST(HiScoreList, SixteenResultsShowFifteenAndTheTwentySeventhOfFortyHasItsPlace) {
    TempFolder dir;
    std::vector<ScoreRecord> records;
    for (int i = 0; i < 40; ++i) {
        records.push_back(makeRecord(1, "p" + std::to_string(i), 1000 * (40 - i)));
        records.push_back(makeRecord(5, "other", 1, 99)); // another slot between them
    }
    writeRecords(dir.file(), records);
    // Player i has time 1000 * (40 - i): record of i = 13 is 27th (i = 39 is first).
    const std::int64_t mark = 2 * 13 + 1;
    auto list = buildHiScoreList(ScoreFile(dir.file()), 1, mark);
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list.value().top.size(), 15u);
    EXPECT_EQ(trimmedName(list.value().top.front().record.name), "p39");
    EXPECT_EQ(trimmedName(list.value().top.back().record.name), "p25");
    EXPECT_EQ(list.value().markedPlace, 27);
    EXPECT_EQ(trimmedName(list.value().marked->record.name), "p13");
    EXPECT_EQ(list.value().entries, 40);
}

TEST(HiScoreList, MarkOfAnotherSlotOrBeyondTheFileGivesNoResultRow) {
    TempFolder dir;
    writeRecords(dir.file(), {makeRecord(1, "a", 5), makeRecord(2, "b", 5)});
    for (std::int64_t mark : {0, 2, 3, -4}) {
        auto list = buildHiScoreList(ScoreFile(dir.file()), 1, mark);
        ASSERT_TRUE(list.ok());
        EXPECT_FALSE(list.value().marked) << mark;
        EXPECT_EQ(list.value().top.size(), 1u);
    }
}

TEST(HiScoreList, SlotWithoutKindHasNoList) {
    TempFolder dir;
    writeRecords(dir.file(), {makeRecord(0, "a", 5)});
    auto list = buildHiScoreList(ScoreFile(dir.file()), 0, 1);
    ASSERT_TRUE(list.ok());
    EXPECT_FALSE(list.value().kind);
    EXPECT_TRUE(list.value().top.empty());
}

TEST(FormatTime, MinutesSecondsMilliseconds) {
    const std::pair<std::int64_t, const char*> cases[] = {{83456, "1:23.456"},
                                                          {0, "0:00.000"},
                                                          {7, "0:00.007"},
                                                          {3600000, "60:00.000"},
                                                          {59999, "0:59.999"},
                                                          {9999999, "166:39.999"},
                                                          {2147483647, "35791:23.647"},
                                                          {-5, "-0:00.005"},
                                                          {-61001, "-1:01.001"},
                                                          {INT64_MIN, "-153722867280912:55.808"}};
    for (auto [ms, text] : cases)
        EXPECT_EQ(FormatTime(ms), text) << ms;
}

struct RowCase {
    SlotKind kind;
    HiScoreRowText want;
};

class RowTexts : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowTexts, ShowTheKindsColumnsAsPlainNumbers) {
    const ScoreRecord r = makeRecord(1, "  Ann ", 83456, 48, 5);
    EXPECT_EQ(rowText(GetParam().kind, r), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RowTexts,
    ::testing::Values(RowCase{SlotKind::ByTime, {"Ann", "1:23.456", "", ""}},
                      RowCase{SlotKind::ByScoreThenTime, {"Ann", "1:23.456", "48", ""}},
                      RowCase{SlotKind::ByScore, {"Ann", "", "48", ""}},
                      RowCase{SlotKind::ByMovesThenTime, {"Ann", "1:23.456", "", "5"}},
                      RowCase{SlotKind::ByScoreMovesTime, {"Ann", "1:23.456", "48", "5"}}));

TEST(RowTexts, ValuesBeyondTheKeyRangesShowTrue) {
    EXPECT_EQ(rowText(SlotKind::ByScoreThenTime, makeRecord(5, "a", 10000000, 150)),
              (HiScoreRowText{"a", "166:40.000", "150", ""}));
}

} // namespace
} // namespace tarno

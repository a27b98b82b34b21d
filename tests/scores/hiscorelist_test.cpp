// SPDX-License-Identifier: GPL-3.0-or-later
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

using namespace testing; // the helpers of scorestestsupport.h
using K = SlotKind;

std::string digits(std::int64_t v, std::size_t w) {
    const std::string s = std::string(w, '0') + std::to_string(v);
    return s.substr(s.size() - w);
}

// The ranking key as the window's sorted list holds it, parts joined by character 1,
// lower-cased as the list compares it.
std::string textKey(SlotKind kind, const ScoreRecord& r) {
    const std::string sep(1, '\x01');
    std::string key = kind == K::ByScoreThenTime   ? digits(99 - r.score, 2) + sep
                      : kind == K::ByScore         ? digits(999999 - r.score, 6) + sep
                      : kind == K::ByMovesThenTime ? digits(r.moves, 2) + sep
                      : kind == K::ByScoreMovesTime
                          ? digits(20 - r.score, 2) + sep + digits(r.moves, 2) + sep
                          : "";
    if (kind != K::ByScore)
        key += digits(r.timeMs, 7) + sep;
    key += trimmedName(r.name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

// The naive model: the slot's record numbers sorted by text key, equal keys in file order.
std::vector<std::int64_t> naiveRanking(int slot, const std::vector<ScoreRecord>& file) {
    std::vector<std::pair<std::string, std::int64_t>> keyed;
    for (std::size_t i = 0; i < file.size(); ++i)
        if (file[i].slot == slot)
            keyed.emplace_back(textKey(*slotKind(slot), file[i]), i + 1);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::int64_t> order;
    for (const auto& k : keyed)
        order.push_back(k.second);
    return order;
}

// Values inside the key's ranges, drawn from small sets so that ties are common. Fields
// the slot's kind does not rank by get any value: they must change nothing.
ScoreRecord randomRecord(std::mt19937& rng, int slot) {
    const auto pick = [&]<class T>(std::initializer_list<T> values) {
        return *(values.begin() +
                 std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(rng));
    };
    const K kind = slotKind(slot).value_or(K::ByTime);
    const int score = kind == K::ByScoreThenTime    ? pick({0, 1, 47, 48, 48, 98, 99})
                      : kind == K::ByScore          ? pick({0, 5, 12500, 12500, 999998, 999999})
                      : kind == K::ByScoreMovesTime ? pick({0, 1, 15, 15, 19, 20})
                                                    : pick({0, 48, 150, -3});
    return makeRecord(slot,
                      pick({"Ann", "ann", "ANN", "bob", "Bob", "  Anna ", "anna", "a_b", "aB", "",
                            "Zed", "zed ", "Ann Lee", "ann lee", "x", "~tilde", "1st"}),
                      pick({0, 7, 999, 1000, 59000, 83456, 83456, 600000, 9999999}), score,
                      pick({0, 5, 9, 10, 37, 37, 99}));
}

// Every kind, lists longer and shorter than 15, marks inside and outside the slot.
TEST(Ranking, MatchesTheTextKeysOnRandomFiles) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    TempFolder dir;
    for (int round = 0; round < 40; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 400)(rng);
        std::vector<ScoreRecord> records;
        for (int i = 0; i < n; ++i)
            records.push_back(randomRecord(rng, std::uniform_int_distribution<int>(0, 17)(rng)));
        testing::writeRecords(dir.file(), records);
        for (int slot = 1; slot <= 17; ++slot) {
            const std::int64_t mark = std::uniform_int_distribution<std::int64_t>(-1, n + 1)(rng);
            const HiScoreList list = buildHiScoreList(ScoreFile(dir.file()), slot, mark).value();
            const std::vector<std::int64_t> want = naiveRanking(slot, records);
            std::vector<std::int64_t> got;
            for (const NumberedRecord& r : list.top) {
                got.push_back(r.number);
                EXPECT_EQ(r.record, records[r.number - 1]);
            }
            const std::size_t listed = std::min<std::size_t>(want.size(), kListedRows);
            EXPECT_EQ(got, std::vector(want.begin(), want.begin() + listed))
                << "round " << round << " slot " << slot;
            EXPECT_EQ(list.entries, static_cast<std::int64_t>(want.size()));
            const auto at = std::find(want.begin(), want.end(), mark);
            ASSERT_EQ(list.marked.has_value(), at != want.end()) << "mark " << mark;
            if (list.marked) {
                EXPECT_EQ(list.markedPlace, at - want.begin() + 1);
                EXPECT_EQ(list.marked->record, records[mark - 1]);
            }
        }
    }
}

// What the text keys cannot say: case folding beyond ASCII, and numbers outside the keys'
// ranges, where the true numbers decide. `first` stands before `second` in either file order.
TEST(Ranking, CodePageCaseAndNumbersBeyondTheKeys) {
    const struct {
        SlotKind kind;
        ScoreRecord first, second;
    } cases[] = {
        {K::ByTime, makeRecord(1, "\u00E9a", 1), makeRecord(1, "\u00C9b", 1)},
        {K::ByScoreThenTime, makeRecord(1, "a", 1, 150), makeRecord(1, "a", 1, 99)},
        {K::ByTime, makeRecord(1, "z", 9999999), makeRecord(1, "a", 10000000)},
        {K::ByTime, makeRecord(1, "z", -5), makeRecord(1, "a", 0)},
        {K::ByScore, makeRecord(1, "z", 0, 1000000), makeRecord(1, "a", 0, 999999)},
        {K::ByScore, makeRecord(1, "z", 0, 0), makeRecord(1, "a", 0, -1)},
        {K::ByMovesThenTime, makeRecord(1, "z", 5, 0, 99), makeRecord(1, "a", 1, 0, 100)},
        {K::ByScoreMovesTime, makeRecord(1, "z", 9, 21, 50), makeRecord(1, "a", 1, 20, 1)}};
    const auto entry = [](std::int64_t n, const ScoreRecord& r) {
        return RankEntry::fromBytes(n, encodeRecord(r));
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(ranksBefore(c.kind, entry(2, c.first), entry(1, c.second))) << &c - cases;
        EXPECT_FALSE(ranksBefore(c.kind, entry(1, c.second), entry(2, c.first))) << &c - cases;
    }
}

// Times as minutes, two-digit seconds and milliseconds, however many minutes.
TEST(RowText, Times) {
    const std::pair<std::int64_t, const char*> times[] = {{83456, "1:23.456"},
                                                          {9009, "0:09.009"},
                                                          {-61001, "-1:01.001"},
                                                          {INT64_MIN, "-153722867280912:55.808"}};
    for (auto [ms, text] : times)
        EXPECT_EQ(FormatTime(ms), text) << ms;
}

} // namespace
} // namespace tarno

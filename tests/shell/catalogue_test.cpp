// The catalogue lookups that the menus, the launch and the hi-score code lean on.
#include "shell/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tarno {
namespace {

TEST(Catalogue, PlayIndexesSkipElevenToThirteen) {
    for (int index : {0, 11, 12, 13, 23, -1, 32767})
        EXPECT_EQ(rowByPlayIndex(index), nullptr) << index;
    const GameRow* lumo11 = rowByPlayIndex(14);
    ASSERT_NE(lumo11, nullptr);
    EXPECT_EQ(lumo11->row, 11);
    EXPECT_EQ(lumo11->title, "Lumo 11");
}

TEST(Catalogue, PlayMenuIsInRowOrderWithUniqueIndexes) {
    auto rows = playMenu();
    ASSERT_EQ(rows.size(), 19u);
    std::set<int> indexes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].row, static_cast<int>(i) + 1);
        EXPECT_EQ(rowByPlayIndex(rows[i].playIndex), &rows[i]);
        indexes.insert(rows[i].playIndex);
    }
    EXPECT_EQ(indexes.size(), 19u);
    EXPECT_EQ(rows[10].playIndex, 14); // the eleventh item
}

TEST(Catalogue, SharedMoviesDifferOnlyInGameId) {
    std::set<std::string> ids;
    for (int index : {14, 15, 16}) {
        const GameRow* row = rowByPlayIndex(index);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->movieFile, "lumo12.swf");
        ids.insert(std::string(row->gameId));
    }
    EXPECT_EQ(ids, (std::set<std::string>{"lumo11", "lumo12", "lumo13"}));
    EXPECT_EQ(rowByPlayIndex(21)->playCaption, "O&dd-even");
    EXPECT_EQ(rowByPlayIndex(21)->title, "Odd-Even");
}

struct SlotIdCase {
    const char* slotId;
    std::optional<int> slot;
};

class SlotById : public ::testing::TestWithParam<SlotIdCase> {};

TEST_P(SlotById, FindsExactlyTheListedIds) {
    EXPECT_EQ(slotBySlotId(GetParam().slotId), GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, SlotById,
    ::testing::Values(SlotIdCase{"tarno9", 1}, SlotIdCase{"brikon", 7}, SlotIdCase{"brikon1", 11},
                      SlotIdCase{"brikon3", 12}, SlotIdCase{"brikon5", 13},
                      SlotIdCase{"lumo18", 17}, SlotIdCase{"Brikon", std::nullopt},
                      SlotIdCase{"tarno9 ", std::nullopt}, SlotIdCase{"", std::nullopt},
                      SlotIdCase{"overlord", std::nullopt}, SlotIdCase{"vesna", std::nullopt},
                      SlotIdCase{"reko9", std::nullopt}, SlotIdCase{"oddeven", std::nullopt},
                      SlotIdCase{"totsnook", std::nullopt}));

TEST(Catalogue, SingleSlotGamesUseTheirGameIdAsSlotId) {
    for (const GameRow& row : playMenu()) {
        if (row.slots.size() != 1)
            continue;
        EXPECT_EQ(slotBySlotId(row.gameId), row.slots.front()) << row.gameId;
        EXPECT_EQ(slotByNumber(row.slots.front())->menuCaption, row.playCaption);
    }
}

TEST(Catalogue, SlotTitlesAndKinds) {
    EXPECT_EQ(slotTitle(12), "Brikon 3 minutes Hi Scores");
    EXPECT_EQ(slotTitle(0), "");
    EXPECT_EQ(slotTitle(18), "");
    const std::pair<int, std::optional<SlotKind>> kinds[] = {{0, std::nullopt},
                                                             {1, SlotKind::ByTime},
                                                             {4, SlotKind::ByTime},
                                                             {5, SlotKind::ByScoreThenTime},
                                                             {6, SlotKind::ByScoreThenTime},
                                                             {7, SlotKind::ByScore},
                                                             {13, SlotKind::ByScore},
                                                             {14, SlotKind::ByMovesThenTime},
                                                             {16, SlotKind::ByMovesThenTime},
                                                             {17, SlotKind::ByScoreMovesTime},
                                                             {18, std::nullopt}};
    for (const auto& [slot, kind] : kinds)
        EXPECT_EQ(slotKind(slot), kind) << slot;
}

TEST(Catalogue, OnlyLumoMoviesSupplyTheName) {
    for (const ScoreSlot& s : scoreSlots())
        EXPECT_EQ(nameSuppliedByMovie(s.slotId), s.slot >= 14) << s.slotId;
    EXPECT_FALSE(nameSuppliedByMovie("Lumo11"));
    EXPECT_FALSE(nameSuppliedByMovie("overlord"));
}

} // namespace
} // namespace tarno

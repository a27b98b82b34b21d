// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue's tables agree with each other, and its lookups find exactly what they hold.
#include "shell/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tarno {
namespace {

TEST(Catalogue, GamesAndSlotsAgree) {
    std::set<int> indexes;
    int row = 0;
    for (const GameRow& game : playMenu()) {
        EXPECT_EQ(game.row, ++row);
        EXPECT_EQ(rowByPlayIndex(game.playIndex), &game);
        indexes.insert(game.playIndex);
        int previous = 0;
        for (const int slot : game.slots) {
            const ScoreSlot* s = slotByNumber(slot);
            ASSERT_NE(s, nullptr) << game.gameId;
            EXPECT_EQ(s->row, game.row) << s->slotId;
            EXPECT_GT(slot, previous) << "a game's lists in slot order: " << game.gameId;
            previous = slot;
        }
        if (game.slots.size() == 1) {
            EXPECT_EQ(slotBySlotId(game.gameId), game.slots.front()) << game.gameId;
            EXPECT_EQ(slotByNumber(game.slots.front())->menuCaption, game.playCaption);
        }
    }
    EXPECT_EQ(row, 19);
    EXPECT_EQ(indexes.size(), 19u);
    for (const ScoreSlot& s : scoreSlots()) {
        EXPECT_EQ(slotBySlotId(s.slotId), s.slot);
        EXPECT_EQ(slotKind(s.slot), s.kind);
        EXPECT_EQ(slotTitle(s.slot), s.hiScoreTitle);
        EXPECT_EQ(nameSuppliedByMovie(s.slotId), s.nameFromMovie);
    }
}

// The outside of the tables: no game and no list, whatever is asked.
TEST(Catalogue, LookupsOutsideTheTablesFindNothing) {
    for (int index : {0, 11, 12, 13, 23, -1})
        EXPECT_EQ(rowByPlayIndex(index), nullptr) << index;
    for (const char* id : {"Brikon", "tarno9 ", "", "overlord", "totsnook"}) {
        EXPECT_EQ(slotBySlotId(id), std::nullopt) << id;
        EXPECT_FALSE(nameSuppliedByMovie(id)) << id;
    }
    for (int slot : {0, 18}) {
        EXPECT_EQ(slotKind(slot), std::nullopt);
        EXPECT_EQ(slotTitle(slot), "");
    }
}

} // namespace
} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed catalogue: the 19 games the station offers and the 17 hi-score slots.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarno {

// Decides which numbers a score record of a slot carries and how the slot ranks.
enum class SlotKind { ByTime, ByScoreThenTime, ByScore, ByMovesThenTime, ByScoreMovesTime };

struct GameRow {
    int row;                // 1..19, position in the "&Play Game" menu
    std::int16_t playIndex; // index of the game's mp_pl item
    std::string_view playCaption;
    std::string_view title;
    std::string_view gameId;
    std::string_view movieFile;
    std::span<const int> slots; // 0, 1 or 4 slot numbers
};

struct ScoreSlot {
    int slot; // 1..17; also the index of its hi-score menu item
    std::string_view slotId;
    std::string_view hiScoreTitle;
    std::string_view menuCaption;
    int row; // the catalogue row the slot belongs to
    SlotKind kind;
    // The movie sends the player's name in its "writescore" list, after the numbers;
    // no name prompt opens.
    bool nameFromMovie = false;
};

// One item of the "&Hi Scores" list. An item with children opens a sub-menu and
// is never a list of its own.
struct HiScoreMenuItem {
    int index;
    std::string_view caption;
    std::vector<HiScoreMenuItem> children;
};

constexpr int kBrikonMenuIndex = 7;

// The rows in row order.
std::span<const GameRow> playMenu();
// The slots in slot order, slot n at position n - 1.
std::span<const ScoreSlot> scoreSlots();
// m_hisc items in row order; item 7 carries the m_hiscc items 7, 11, 12, 13.
const std::vector<HiScoreMenuItem>& hiScoreMenu();

const GameRow* rowByPlayIndex(int playIndex);
// Exact, case-sensitive, like every text from a movie or a command line.
const GameRow* rowByGameId(std::string_view gameId);
// Every gameId in row order, separated by ", ".
std::string gameIdList();
// Exact, case-sensitive: "Brikon" is not "brikon".
std::optional<int> slotBySlotId(std::string_view slotId);
const ScoreSlot* slotByNumber(int slot);
// The hiScoreTitle of a slot, or empty for a number outside 1..17.
std::string_view slotTitle(int slot);
std::optional<SlotKind> slotKind(int slot);
// Whether the movie of this slot sends the player's name in its "writescore" list.
bool nameSuppliedByMovie(std::string_view slotId);

} // namespace tarno

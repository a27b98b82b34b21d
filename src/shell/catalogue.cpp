// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue tables, held as constant data.
#include "shell/catalogue.h"

#include <algorithm>
#include <array>

namespace tarno {
namespace {

constexpr std::array<int, 1> kSlot1{1}, kSlot2{2}, kSlot3{3}, kSlot4{4}, kSlot5{5}, kSlot6{6},
    kSlot8{8}, kSlot9{9}, kSlot10{10}, kSlot14{14}, kSlot15{15}, kSlot16{16}, kSlot17{17};
constexpr std::array<int, 4> kBrikonSlots{7, 11, 12, 13};

const std::array<GameRow, 19> kGames{{
    {1, 1, "Tarno &9", "Tarno 9", "tarno9", "tiles.swf", kSlot1},
    {2, 2, "Tarno 1&6", "Tarno 16", "tarno16", "tiles.swf", kSlot2},
    {3, 3, "&Angle Puzzle", "Angle Puzzle", "angle", "tiles.swf", kSlot3},
    {4, 4, "K-&Puzzle", "K-Puzzle", "kpuzzle", "tiles.swf", kSlot4},
    {5, 5, "Fuego &Salto", "Fuego Salto", "fuego", "fuego.swf", kSlot5},
    {6, 6, "S&UM-mit", "SUM-mit", "summit", "fuego.swf", kSlot6},
    {7, 7, "&Brikon", "Brikon", "brikon", "brikon.swf", kBrikonSlots},
    {8, 8, "P&elora", "Pelora", "pelora", "pelora.swf", kSlot8},
    {9, 9, "&Numero", "Numero", "numero", "numero.swf", kSlot9},
    {10, 10, "Numero P&ro", "Numero Pro", "numeropro", "numeropro.swf", kSlot10},
    {11, 14, "Lumo 1&1", "Lumo 11", "lumo11", "lumo12.swf", kSlot14},
    {12, 15, "Lumo 1&2", "Lumo 12", "lumo12", "lumo12.swf", kSlot15},
    {13, 16, "Lumo 1&3", "Lumo 13", "lumo13", "lumo12.swf", kSlot16},
    {14, 17, "Lumo 1&8", "Lumo 18", "lumo18", "lumo18.swf", kSlot17},
    {15, 18, "&Overlord", "Overlord", "overlord", "overlord.swf", {}},
    {16, 19, "Blue &Vesna", "Blue Vesna", "vesna", "bluevesna.swf", {}},
    {17, 20, "Re&Ko 9", "ReKo 9", "reko9", "reko9.swf", {}},
    {18, 21, "O&dd-even", "Odd-Even", "oddeven", "oddeven.swf", {}},
    {19, 22, "&Tots Nook", "Tots Nook", "totsnook", "totsnook.swf", {}},
}};

constexpr SlotKind kT = SlotKind::ByTime, kST = SlotKind::ByScoreThenTime,
                   kS = SlotKind::ByScore, kMT = SlotKind::ByMovesThenTime,
                   kSMT = SlotKind::ByScoreMovesTime;

const std::array<ScoreSlot, 17> kSlots{{
    {1, "tarno9", "Tarno 9 Hi Scores", "Tarno &9", 1, kT},
    {2, "tarno16", "Tarno 16 Hi Scores", "Tarno 1&6", 2, kT},
    {3, "angle", "Angle Puzzle Hi Scores", "&Angle Puzzle", 3, kT},
    {4, "kpuzzle", "K-Puzzle Hi Scores", "K-&Puzzle", 4, kT},
    {5, "fuego", "Fuego Salto Hi Scores", "Fuego &Salto", 5, kST},
    {6, "summit", "SUM-mit Hi Scores", "S&UM-mit", 6, kST},
    {7, "brikon", "Brikon Unlimited Hi Scores", "&Unlimited", 7, kS},
    {8, "pelora", "Pelora Hi Scores", "P&elora", 8, kS},
    {9, "numero", "Numero Hi Scores", "&Numero", 9, kS},
    {10, "numeropro", "Numero Pro Hi Scores", "Numero P&ro", 10, kS},
    {11, "brikon1", "Brikon 1 minute Hi Scores", "&1 minute", 7, kS},
    {12, "brikon3", "Brikon 3 minutes Hi Scores", "&3 minute", 7, kS},
    {13, "brikon5", "Brikon 5 minutes Hi Scores", "&5 minute", 7, kS},
    {14, "lumo11", "Lumo 11 Hi Scores", "Lumo 1&1", 11, kMT, true},
    {15, "lumo12", "Lumo 12 Hi Scores", "Lumo 1&2", 12, kMT, true},
    {16, "lumo13", "Lumo 13 Hi Scores", "Lumo 1&3", 13, kMT, true},
    {17, "lumo18", "Lumo 18 Hi Scores", "Lumo 1&8", 14, kSMT, true},
}};

std::vector<HiScoreMenuItem> buildHiScoreMenu() {
    std::vector<HiScoreMenuItem> items;
    for (const GameRow& game : kGames) {
        if (game.slots.empty())
            continue;
        if (game.slots.size() == 1) {
            items.push_back({game.slots.front(), game.playCaption, {}});
            continue;
        }
        // A game with several modes: its item opens a sub-menu of one item per slot.
        HiScoreMenuItem parent{game.slots.front(), game.playCaption, {}};
        for (int slot : game.slots)
            parent.children.push_back({slot, kSlots[slot - 1].menuCaption, {}});
        items.push_back(std::move(parent));
    }
    return items;
}

} // namespace

std::span<const GameRow> playMenu() {
    return kGames;
}
std::span<const ScoreSlot> scoreSlots() {
    return kSlots;
}

const std::vector<HiScoreMenuItem>& hiScoreMenu() {
    static const std::vector<HiScoreMenuItem> menu = buildHiScoreMenu();
    return menu;
}

const GameRow* rowByPlayIndex(int playIndex) {
    auto it = std::find_if(kGames.begin(), kGames.end(),
                           [&](const GameRow& g) { return g.playIndex == playIndex; });
    return it == kGames.end() ? nullptr : &*it;
}

const GameRow* rowByGameId(std::string_view gameId) {
    auto it = std::find_if(kGames.begin(), kGames.end(),
                           [&](const GameRow& g) { return g.gameId == gameId; });
    return it == kGames.end() ? nullptr : &*it;
}

std::string gameIdList() {
    std::string list;
    for (const GameRow& g : kGames) {
        if (!list.empty())
            list += ", ";
        list += g.gameId;
    }
    return list;
}

std::optional<int> slotBySlotId(std::string_view slotId) {
    for (const ScoreSlot& s : kSlots)
        if (s.slotId == slotId)
            return s.slot;
    return std::nullopt;
}

const ScoreSlot* slotByNumber(int slot) {
    return slot >= 1 && slot <= static_cast<int>(kSlots.size()) ? &kSlots[slot - 1] : nullptr;
}

std::string_view slotTitle(int slot) {
    const ScoreSlot* s = slotByNumber(slot);
    return s ? s->hiScoreTitle : std::string_view{};
}

std::optional<SlotKind> slotKind(int slot) {
    const ScoreSlot* s = slotByNumber(slot);
    return s ? std::optional(s->kind) : std::nullopt;
}

bool nameSuppliedByMovie(std::string_view slotId) {
    const std::optional<int> slot = slotBySlotId(slotId);
    return slot && kSlots[*slot - 1].nameFromMovie;
}

} // namespace tarno

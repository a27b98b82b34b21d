// SPDX-License-Identifier: GPL-3.0-or-later
// Ranking one slot's results and what the hi-score window shows of them.
#pragma once

#include "scores/scorefile.h"
#include "shell/catalogue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarno {

constexpr int kListedRows = 15;

// What ranking looks at, taken from a record's bytes without decoding its name.
struct RankEntry {
    std::int64_t number = 0;
    std::int32_t timeMs = 0;
    std::int32_t score = 0;
    std::int32_t moves = 0;
    std::array<std::uint8_t, kNameLength> name{}; // code page bytes
    std::uint8_t nameBegin = 0;                   // the name without its outer spaces
    std::uint8_t nameEnd = 0;

    static RankEntry fromBytes(std::int64_t number, RecordView bytes);
};

// Whether `a` stands before `b` in a list of `kind`: by the kind's numbers (higher score,
// fewer moves, shorter time), then by name without regard to case, then in file order.
// Inside the ranges the window's text keys can hold (scores 0..99, 0..999999 or 0..20,
// moves 0..99, times 0..9999999 ms) this is exactly the order of those keys; outside
// them the true numbers decide, where the keys would have been cut to wrong digits.
bool ranksBefore(SlotKind kind, const RankEntry& a, const RankEntry& b);

// Keeps the best 15 of a stream of records and counts the place of one marked record,
// so a list of any length is ranked in one pass with flat memory.
class HiScoreRanker {
public:
    // `marked` is the entry whose place is wanted, if it belongs to the slot.
    HiScoreRanker(SlotKind kind, std::optional<RankEntry> marked);
    void add(const RankEntry& entry);

    const std::vector<RankEntry>& top() const { return m_top; }
    std::int64_t entries() const { return m_entries; }
    // 1-based place of the marked entry among all entries added, 0 without one.
    std::int64_t markedPlace() const { return m_marked ? m_ahead + 1 : 0; }

private:
    SlotKind m_kind;
    std::optional<RankEntry> m_marked;
    std::vector<RankEntry> m_top;
    std::int64_t m_entries = 0;
    std::int64_t m_ahead = 0;
};

struct HiScoreList {
    int slot = 0;
    std::optional<SlotKind> kind;    // none for a slot outside 1..17
    std::vector<NumberedRecord> top; // best first, at most 15
    std::int64_t entries = 0;        // all results of the slot
    // The result row: the marked record when it is one of this slot's.
    std::optional<NumberedRecord> marked;
    std::int64_t markedPlace = 0;
    // What the reader should be told about the file though the list could be built
    // (a damaged end, a missing file that could not be created).
    std::vector<std::string> notes;
};

// Reads the file once. A marked record that is missing or of another slot gives no
// result row.
ScoreOutcome<HiScoreList> buildHiScoreList(const ScoreFile& file, int slot,
                                           std::int64_t markedRecord);

// Minutes, colon, two digits of seconds, point, three digits of milliseconds:
// 83456 gives "1:23.456". A negative time gets a minus sign in front.
std::string FormatTime(std::int64_t ms);

// The texts of one row, empty in the columns the kind hides.
struct HiScoreRowText {
    std::string name;
    std::string time;
    std::string score;
    std::string moves;
    friend bool operator==(const HiScoreRowText&, const HiScoreRowText&) = default;
};
HiScoreRowText rowText(SlotKind kind, const ScoreRecord& record);
// "1." .. "15.", and "27." for a result row.
std::string placeText(std::int64_t place);

// The label arrays of the window, one per column.
enum class Column { Name, Time, Score, Moves };
struct ColumnPlacement {
    bool shown = true;
    int shiftTwips = 0; // added to the left edge of every label of the column
};
std::array<ColumnPlacement, 4> columnPlacements(SlotKind kind);

} // namespace tarno

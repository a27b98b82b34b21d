// SPDX-License-Identifier: GPL-3.0-or-later
// One-pass ranking of a slot's results and the texts of the window's rows.
#include "scores/hiscorelist.h"

#include "scores/codepage.h"

#include <algorithm>
#include <cstring>

namespace tarno {
namespace {

// The sign of the name comparison, letters compared without regard to case.
int compareNames(const RankEntry& a, const RankEntry& b) {
    const int la = a.nameEnd - a.nameBegin;
    const int lb = b.nameEnd - b.nameBegin;
    const int n = std::min(la, lb);
    for (int k = 0; k < n; ++k) {
        const std::uint8_t ca = cp1252::foldCase(a.name[a.nameBegin + k]);
        const std::uint8_t cb = cp1252::foldCase(b.name[b.nameBegin + k]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

// Negative when `a` comes first by its numbers, positive when `b` does.
int compareNumbers(SlotKind kind, const RankEntry& a, const RankEntry& b) {
    const auto lower = [](std::int32_t x, std::int32_t y) { return x < y ? -1 : (x > y ? 1 : 0); };
    const auto higher = [&](std::int32_t x, std::int32_t y) { return lower(y, x); };
    int c = 0;
    switch (kind) {
    case SlotKind::ByTime:
        return lower(a.timeMs, b.timeMs);
    case SlotKind::ByScoreThenTime:
        if ((c = higher(a.score, b.score)) != 0)
            return c;
        return lower(a.timeMs, b.timeMs);
    case SlotKind::ByScore:
        return higher(a.score, b.score);
    case SlotKind::ByMovesThenTime:
        if ((c = lower(a.moves, b.moves)) != 0)
            return c;
        return lower(a.timeMs, b.timeMs);
    case SlotKind::ByScoreMovesTime:
        if ((c = higher(a.score, b.score)) != 0)
            return c;
        if ((c = lower(a.moves, b.moves)) != 0)
            return c;
        return lower(a.timeMs, b.timeMs);
    }
    return 0;
}

std::string twoDigits(std::int64_t v) {
    std::string digits(v < 10 ? 1 : 0, '0');
    digits += std::to_string(v);
    return digits;
}

} // namespace

RankEntry RankEntry::fromBytes(std::int64_t number, RecordView bytes) {
    RankEntry e;
    e.number = number;
    e.timeMs = readInt32(bytes.data(), kTimeOffset);
    e.score = readInt32(bytes.data(), kScoreOffset);
    e.moves = readInt32(bytes.data(), kMovesOffset);
    std::memcpy(e.name.data(), bytes.data() + kNameOffset, kNameLength);
    std::size_t begin = 0;
    std::size_t end = kNameLength;
    while (begin < end && e.name[begin] == ' ')
        ++begin;
    while (end > begin && e.name[end - 1] == ' ')
        --end;
    e.nameBegin = static_cast<std::uint8_t>(begin);
    e.nameEnd = static_cast<std::uint8_t>(end);
    return e;
}

bool ranksBefore(SlotKind kind, const RankEntry& a, const RankEntry& b) {
    if (const int c = compareNumbers(kind, a, b); c != 0)
        return c < 0;
    if (const int c = compareNames(a, b); c != 0)
        return c < 0;
    return a.number < b.number;
}

HiScoreRanker::HiScoreRanker(SlotKind kind, std::optional<RankEntry> marked)
    : m_kind(kind), m_marked(std::move(marked)) {
    m_top.reserve(kListedRows + 1);
}

void HiScoreRanker::add(const RankEntry& entry) {
    ++m_entries;
    if (m_marked && ranksBefore(m_kind, entry, *m_marked))
        ++m_ahead;
    if (m_top.size() == kListedRows && !ranksBefore(m_kind, entry, m_top.back()))
        return;
    const auto at = std::upper_bound(
        m_top.begin(), m_top.end(), entry,
        [this](const RankEntry& a, const RankEntry& b) { return ranksBefore(m_kind, a, b); });
    m_top.insert(at, entry);
    if (m_top.size() > kListedRows)
        m_top.pop_back();
}

ScoreOutcome<HiScoreList> buildHiScoreList(const ScoreFile& file, int slot,
                                           std::int64_t markedRecord) {
    HiScoreList list;
    list.slot = slot;
    list.kind = slotKind(slot);
    if (!list.kind)
        return list;

    std::optional<HiScoreRanker> ranker;
    std::optional<RecordBytes> markedBytes;
    ScoreFile::Visitor v;
    v.peek = markedRecord;
    v.before = [&](std::int64_t, const RecordBytes* peeked) {
        std::optional<RankEntry> marked;
        if (peeked && readInt32(peeked->data(), 0) == slot) {
            marked = RankEntry::fromBytes(markedRecord, *peeked);
            markedBytes = *peeked;
        }
        ranker.emplace(*list.kind, marked);
    };
    v.onlySlot = slot;
    v.each = [&](std::int64_t n, RecordView bytes) { ranker->add(RankEntry::fromBytes(n, bytes)); };
    v.note = [&](const std::string& text) { list.notes.push_back(text); };
    auto count = file.visit(v);
    if (!count)
        return count.error();

    // The ranker holds the raw name bytes; only the listed rows are decoded.
    for (const RankEntry& e : ranker->top()) {
        RecordBytes b = encodeRecord(ScoreRecord{slot});
        std::memcpy(b.data() + kNameOffset, e.name.data(), kNameLength);
        NumberedRecord r{e.number, decodeRecord(b)};
        r.record.timeMs = e.timeMs;
        r.record.score = e.score;
        r.record.moves = e.moves;
        list.top.push_back(std::move(r));
    }
    list.entries = ranker->entries();
    if (markedBytes) {
        list.marked = NumberedRecord{markedRecord, decodeRecord(*markedBytes)};
        list.markedPlace = ranker->markedPlace();
    }
    return list;
}

std::string FormatTime(std::int64_t ms) {
    // -(ms + 1) + 1 keeps even the most negative value's magnitude representable.
    const std::uint64_t t =
        ms < 0 ? static_cast<std::uint64_t>(-(ms + 1)) + 1 : static_cast<std::uint64_t>(ms);
    const std::uint64_t milli = t % 1000;
    const std::uint64_t s = t / 1000;
    // Appended piece by piece: a chain of + from a literal makes GCC 12 at -O2 warn of
    // overlapping copies (-Wrestrict) that cannot happen.
    std::string out;
    if (ms < 0)
        out += '-';
    out += std::to_string(s / 60);
    out += ':';
    out += twoDigits(static_cast<std::int64_t>(s % 60));
    out += '.';
    const std::string m = std::to_string(milli);
    out.append(3 - m.size(), '0');
    out += m;
    return out;
}

HiScoreRowText rowText(SlotKind kind, const ScoreRecord& record) {
    HiScoreRowText t;
    t.name = trimmedName(record.name);
    const std::array<ColumnPlacement, 4> cols = columnPlacements(kind);
    if (cols[static_cast<int>(Column::Time)].shown)
        t.time = FormatTime(record.timeMs);
    if (cols[static_cast<int>(Column::Score)].shown)
        t.score = std::to_string(record.score);
    if (cols[static_cast<int>(Column::Moves)].shown)
        t.moves = std::to_string(record.moves);
    return t;
}

std::string placeText(std::int64_t place) {
    return std::to_string(place) + ".";
}

std::array<ColumnPlacement, 4> columnPlacements(SlotKind kind) {
    // Name, time, score, moves. Shown columns close up from the left at 3810 twips.
    switch (kind) {
    case SlotKind::ByTime:
        return {{{true, 0}, {true, 0}, {false, 0}, {false, 0}}};
    case SlotKind::ByScoreThenTime:
        return {{{true, 0}, {true, 1170}, {true, -1440}, {false, 0}}};
    case SlotKind::ByScore:
        return {{{true, 0}, {false, 0}, {true, -1440}, {false, 0}}};
    case SlotKind::ByMovesThenTime:
        return {{{true, 0}, {true, 1200}, {false, 0}, {true, -2610}}};
    case SlotKind::ByScoreMovesTime:
        return {{{true, 0}, {true, 2370}, {true, -1440}, {true, -1440}}};
    }
    return {};
}

} // namespace tarno

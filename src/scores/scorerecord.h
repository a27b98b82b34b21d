// SPDX-License-Identifier: GPL-3.0-or-later
// One recorded result and its 66-byte form in the score file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarno {

constexpr std::size_t kRecordSize = 66;
constexpr std::size_t kNameLength = 50;
constexpr std::size_t kNameOffset = 4;
constexpr std::size_t kTimeOffset = 54;
constexpr std::size_t kScoreOffset = 58;
constexpr std::size_t kMovesOffset = 62;

using RecordBytes = std::array<std::uint8_t, kRecordSize>;
// A record's bytes where they lie, e.g. inside a block read from the file.
using RecordView = std::span<const std::uint8_t, kRecordSize>;

struct ScoreRecord {
    std::int32_t slot = 0;
    // UTF-8 text of exactly 50 characters: the name padded with spaces. The padding
    // is kept; it is taken off only where a name is shown or offered.
    std::string name = std::string(kNameLength, ' ');
    std::int32_t timeMs = 0;
    std::int32_t score = 0;
    std::int32_t moves = 0;

    friend bool operator==(const ScoreRecord&, const ScoreRecord&) = default;
};

// The name as a record holds it: spelled in the code page (cp1252::spell), then cut
// after its 50th character or padded with spaces to 50 characters.
std::string fitName(std::string_view utf8);
// The name without the spaces at either end, as it is shown and offered.
std::string trimmedName(std::string_view name);

RecordBytes encodeRecord(const ScoreRecord& record);
ScoreRecord decodeRecord(RecordView bytes);

// What the missing bytes of a record cut short read as: zeros for the numbers and
// spaces for the name.
const RecordBytes& blankRecordBytes();

// Little-endian signed 32-bit at `offset`.
std::int32_t readInt32(const std::uint8_t* bytes, std::size_t offset);

} // namespace tarno

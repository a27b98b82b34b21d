// SPDX-License-Identifier: GPL-3.0-or-later
// The record codec: fixed offsets, little-endian numbers, names in the code page.
#include "scores/scorerecord.h"

#include "scores/codepage.h"
#include "scores/spelling.h"

namespace tarno {
namespace {

void writeInt32(std::uint8_t* bytes, std::size_t offset, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k)
        bytes[offset + k] = static_cast<std::uint8_t>(u >> (8 * k));
}

RecordBytes makeBlank() {
    RecordBytes b{};
    for (std::size_t k = 0; k < kNameLength; ++k)
        b[kNameOffset + k] = ' ';
    return b;
}

} // namespace

std::int32_t readInt32(const std::uint8_t* bytes, std::size_t offset) {
    std::uint32_t u = 0;
    for (int k = 0; k < 4; ++k)
        u |= static_cast<std::uint32_t>(bytes[offset + k]) << (8 * k);
    return static_cast<std::int32_t>(u);
}

std::string fitName(std::string_view utf8) {
    // Spelled in the code page first, so that every character is one byte of the record.
    const std::string spelled = cp1252::spell(utf8);
    std::string out;
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < spelled.size() && chars < kNameLength) {
        const std::size_t start = i;
        cp1252::detail::nextCodePoint(spelled, i);
        out.append(spelled, start, i - start);
        ++chars;
    }
    out.append(kNameLength - chars, ' ');
    return out;
}

std::string trimmedName(std::string_view name) {
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = name.find_last_not_of(' ');
    return std::string(name.substr(first, last - first + 1));
}

RecordBytes encodeRecord(const ScoreRecord& record) {
    RecordBytes b = makeBlank();
    writeInt32(b.data(), 0, record.slot);
    const std::string name = cp1252::encode(record.name);
    for (std::size_t k = 0; k < kNameLength && k < name.size(); ++k)
        b[kNameOffset + k] = static_cast<std::uint8_t>(name[k]);
    writeInt32(b.data(), kTimeOffset, record.timeMs);
    writeInt32(b.data(), kScoreOffset, record.score);
    writeInt32(b.data(), kMovesOffset, record.moves);
    return b;
}

ScoreRecord decodeRecord(RecordView b) {
    ScoreRecord r;
    r.slot = readInt32(b.data(), 0);
    r.name = cp1252::decode(
        std::string_view(reinterpret_cast<const char*>(b.data() + kNameOffset), kNameLength));
    r.timeMs = readInt32(b.data(), kTimeOffset);
    r.score = readInt32(b.data(), kScoreOffset);
    r.moves = readInt32(b.data(), kMovesOffset);
    return r;
}

const RecordBytes& blankRecordBytes() {
    static const RecordBytes blank = makeBlank();
    return blank;
}

} // namespace tarno

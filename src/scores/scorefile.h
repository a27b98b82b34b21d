// SPDX-License-Identifier: GPL-3.0-or-later
// The score file: 66-byte records, appended only, every operation opening and closing it.
#pragma once

#include "scores/scorerecord.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tarno {

// Why an operation on the score file failed, in words a player can act on.
struct ScoreError {
    std::string file;   // the path as the user would look for it
    std::string action; // "open", "read", "write to", ...
    std::string reason; // the system's reason, e.g. "No space left on device"

    // "Could not write to the score file "/home/ann/scores.lst": No space left on device."
    std::string text() const;
};

// A value or the error that prevented it; errors never leave this layer as exceptions.
template <class T> class ScoreOutcome {
public:
    ScoreOutcome(T value) : m_v(std::move(value)) {}
    ScoreOutcome(ScoreError error) : m_v(std::move(error)) {}
    bool ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(m_v); }
    T& value() { return std::get<0>(m_v); }
    const ScoreError& error() const { return std::get<1>(m_v); }

private:
    std::variant<T, ScoreError> m_v;
};

struct NumberedRecord {
    std::int64_t number = 0; // 1-based position in the file
    ScoreRecord record;
};

// Records of a file `length` bytes long: the length divided by 66, rounded to the
// nearest whole number, an exact half to the even neighbour. A file whose length is
// not a whole multiple of 66 ends in a damaged record: a tail that rounds up keeps its
// record number, but no operation reads it as a record, and nothing is appended to
// such a file (it is neither filled up nor covered).
std::int64_t recordCountForLength(std::int64_t length);

constexpr const char* kScoreFileName = "scores.lst";

class ScoreFile {
public:
    // Whether reading a missing file creates it empty, as the station does, or leaves the
    // folder as it is and reads an empty list, as a command that only reads must.
    enum class Missing { Create, ReadAsEmpty };
    explicit ScoreFile(std::string path = kScoreFileName, Missing missing = Missing::Create);

    const std::string& path() const { return m_path; }
    // The path as messages name it: absolute when it can be made so.
    std::string displayPath() const;

    ScoreOutcome<std::int64_t> RecordCount() const;
    ScoreOutcome<ScoreRecord> ReadRecord(std::int64_t n) const;
    // The whole records among 1..count in file order, read within one opening.
    ScoreOutcome<std::vector<NumberedRecord>> readAll() const;

    // Streaming read within one opening: `before` gets the record count first (and the
    // bytes of record `peek` when it is a whole record, else null), then `each` gets
    // every whole record in file order. Memory stays flat whatever the file's size.
    // The shared lock is held only while the count is taken: records are only ever
    // appended, so what lies below that count stays as it is, and a slow reader never
    // keeps a writer out.
    struct Visitor {
        std::int64_t peek = 0;
        std::function<void(std::int64_t count, const RecordBytes* peeked)> before;
        std::function<void(std::int64_t number, RecordView bytes)> each;
        // When set, `each` sees only the records of this slot.
        std::optional<std::int32_t> onlySlot;
        // What the reader should be told once, though the read succeeds: a file that
        // ends in a damaged record, or a missing file that could not be created (which
        // reads as empty).
        std::function<void(const std::string& text)> note;
    };
    ScoreOutcome<std::int64_t> visit(const Visitor& visitor) const;

    // Writes `record` as record count + 1 and gives that number. The count and the write
    // happen under one exclusive lock, waited for as long as other appends go through;
    // the record is written whole and synced, or the file is cut back to its former
    // length. A file that ends in a damaged record is refused and left as it is.
    ScoreOutcome<std::int64_t> AppendRecord(const ScoreRecord& record);

    // What a reader is told about a file of `length` bytes that ends in a damaged record.
    std::string damagedEndText(std::int64_t length) const;

    bool createsWhenMissing() const { return m_missing == Missing::Create; }

private:
    std::string m_path;
    Missing m_missing;
};

// The name of the last record without the spaces at either end (the name prompt's
// default, and the name a movie may offer); empty when the file holds no record or
// cannot be read.
std::string lastRecordedName(const ScoreFile& file);

} // namespace tarno

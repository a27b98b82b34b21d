// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the score tests: records made and written raw, and read back in order.
#pragma once

#include "scores/scorefile.h"
#include "support/toolrun.h"

#include <fstream>
#include <string>
#include <vector>

namespace tarno::testing {

inline ScoreRecord makeRecord(int slot, const std::string& name, int timeMs = 0, int score = 0,
                              int moves = 0) {
    return {slot, fitName(name), timeMs, score, moves};
}

// Writes records straight into the file, without the locking append path.
inline void writeRecords(const std::string& path, const std::vector<ScoreRecord>& records) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const ScoreRecord& r : records)
        out.write(reinterpret_cast<const char*>(encodeRecord(r).data()), kRecordSize);
}

// The file's records in file order, numbered 1, 2, ... as readAll must number them.
inline std::vector<ScoreRecord> recordsIn(const ScoreFile& file) {
    std::vector<ScoreRecord> records;
    const auto all = file.readAll();
    for (const NumberedRecord& nr : all.value())
        if (nr.number == static_cast<std::int64_t>(records.size() + 1))
            records.push_back(nr.record);
    return records;
}

} // namespace tarno::testing

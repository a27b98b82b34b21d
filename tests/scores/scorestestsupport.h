// Shared by the score tests: a fresh folder per test and raw access to files in it.
#pragma once

#include "scores/scorefile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarno::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarno-scores-XXXXXX");
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec; // a test may have taken the write permission away
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name = "scores.lst") const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline std::string fileBytes(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

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

// Shared by the score tests: a fresh folder per test and raw access to files in it.
#pragma once

#include "scores/scorefile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name = "scores.lst") const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline ScoreRecord makeRecord(int slot, const std::string& name, int timeMs = 0, int score = 0,
                              int moves = 0) {
    ScoreRecord r;
    r.slot = slot;
    r.name = fitName(name);
    r.timeMs = timeMs;
    r.score = score;
    r.moves = moves;
    return r;
}

// Writes records straight into the file, without the locking append path.
inline void writeRecords(const std::string& path, const std::vector<ScoreRecord>& records) {
    std::vector<std::uint8_t> bytes;
    for (const ScoreRecord& r : records) {
        const RecordBytes b = encodeRecord(r);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    writeBytes(path, bytes);
}

} // namespace tarno::testing

// The score file: counting, reading, appending, locking, failures and damaged files.
#include "scores/scorefile.h"

#include "scorestestsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarno {
namespace {

using namespace testing; // the helpers of scorestestsupport.h

TEST(RecordCountForLength, RoundsToTheNearestWithHalvesToEven) {
    const std::pair<std::int64_t, std::int64_t> cases[] = {{0, 0},  {32, 0}, {33, 0},  {34, 1},
                                                           {98, 1}, {99, 2}, {165, 2}, {231, 4}};
    for (auto [length, count] : cases)
        EXPECT_EQ(recordCountForLength(length), count) << "length " << length;
}

TEST(ScoreFile, MissingFileIsCreatedEmptyAndOnlyRecordsThereCanBeRead) {
    TempFolder dir;
    ScoreFile file(dir.file());
    EXPECT_EQ(file.RecordCount().value(), 0);
    EXPECT_EQ(std::filesystem::file_size(dir.file()), 0u);
    file.AppendRecord(makeRecord(1, "a"));
    for (std::int64_t n : {0, 2, -1})
        EXPECT_NE(file.ReadRecord(n).error().text().find("there is no record " + std::to_string(n)),
                  std::string::npos);
}

// A whole record and a tail: a short tail is not a record and the next append covers it; a
// long one is a record whose missing bytes read as spaces and zeros, and the append follows it.
class DamagedTail : public ::testing::TestWithParam<std::size_t> {};

TEST_P(DamagedTail, IsReadByTheRoundingRuleAndAppendedAfter) {
    TempFolder dir;
    const std::size_t tail = GetParam();
    std::vector<ScoreRecord> want = {makeRecord(1, "Ann", 1000)};
    writeRecords(dir.file(), want);
    const RecordBytes b = encodeRecord(makeRecord(14, "Eve", 61000, 0, 37));
    std::ofstream(dir.file(), std::ios::app).write(reinterpret_cast<const char*>(b.data()), tail);
    RecordBytes partial = blankRecordBytes();
    std::copy_n(b.begin(), tail, partial.begin());
    if (tail >= 33)
        want.push_back(decodeRecord(partial));

    ScoreFile file(dir.file());
    EXPECT_EQ(file.RecordCount().value(), static_cast<std::int64_t>(want.size()));
    EXPECT_EQ(recordsIn(file), want);
    want.push_back(makeRecord(2, "Bob", 5));
    EXPECT_EQ(file.AppendRecord(want.back()).value(), static_cast<std::int64_t>(want.size()));
    EXPECT_EQ(std::filesystem::file_size(dir.file()), kRecordSize * want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(file.ReadRecord(static_cast<std::int64_t>(i + 1)).value(), want[i]);
}

// No tail; cut in the slot, in the name, at the rounding edge, in the time and in the moves.
INSTANTIATE_TEST_SUITE_P(Tails, DamagedTail, ::testing::Values(0, 1, 20, 33, 56, 65));

TEST(ScoreFile, FullDiskLeavesTheFileAsItWasAndSaysWhy) {
    TempFolder dir;
    ScoreFile file(dir.file());
    writeRecords(dir.file(), {makeRecord(1, "Ann", 1), makeRecord(1, "Bob", 2)});
    const std::string before = fileBytes(dir.file());
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    // No room at all, then room for part of the record: the write stops half-way.
    for (rlim_t room : {rlim_t{132}, rlim_t{132 + 30}}) {
        rlimit small = saved;
        small.rlim_cur = room;
        ::setrlimit(RLIMIT_FSIZE, &small);
        auto n = file.AppendRecord(makeRecord(1, "Cy"));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ASSERT_FALSE(n.ok()) << "room " << room;
        EXPECT_NE(n.error().text().find(dir.file() + "\": File too large"), std::string::npos)
            << n.error().text();
        EXPECT_EQ(fileBytes(dir.file()), before) << "room " << room;
    }
    EXPECT_EQ(file.AppendRecord(makeRecord(1, "Cy", 3)).value(), 3);
}

// Runs `body` in a child process; exitCode waits for it.
template <class F> pid_t spawn(F body) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    return pid;
}

int exitCode(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

TEST(ScoreFile, ReadOnlyFileCanBeReadButNotAppendedToNorCreated) {
    TempFolder dir;
    writeRecords(dir.file(), {makeRecord(1, "Ann", 1)});
    ::chmod(dir.file().c_str(), 0444);
    ::chmod(dir.path().c_str(), 0555);
    const std::string before = fileBytes(dir.file());
    const pid_t child = spawn([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 90; // root would write anyway
        ScoreFile file(dir.file());
        if (auto count = file.RecordCount(); !count.ok() || count.value() != 1)
            return 1;
        auto n = file.AppendRecord(makeRecord(1, "Bob", 2));
        if (n.ok() || n.error().text() != "Could not open the score file \"" + dir.file() +
                                              "\": Permission denied.")
            return 2;
        auto missing = ScoreFile(dir.file("new.lst")).RecordCount();
        return !missing.ok() && missing.error().reason == "Permission denied" ? 0 : 3;
    });
    EXPECT_EQ(exitCode(child), 0);
    EXPECT_EQ(fileBytes(dir.file()), before);
}

TEST(ScoreFile, ConcurrentAppendsFromSeveralProcessesAllLandIntact) {
    TempFolder dir;
    constexpr int kProcesses = 6;
    constexpr int kEach = 40;
    const auto recordOf = [](int p, int i) {
        return makeRecord(p + 1, "p" + std::to_string(p) + "-" + std::to_string(i), i, p, i);
    };
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p)
        children.push_back(spawn([&, p] {
            ScoreFile file(dir.file());
            for (int i = 0; i < kEach; ++i) {
                // A record's number is its own: reading it back gives what was written.
                auto n = file.AppendRecord(recordOf(p, i));
                if (!n.ok() || !(file.ReadRecord(n.value()).value() == recordOf(p, i)))
                    return 1;
            }
            return 0;
        }));
    for (pid_t pid : children)
        EXPECT_EQ(exitCode(pid), 0);
    EXPECT_EQ(std::filesystem::file_size(dir.file()), kRecordSize * kProcesses * kEach);
    // Each process's records, whole and in its own order, none lost or twice.
    std::vector<int> lastOf(kProcesses, -1);
    for (const ScoreRecord& r : recordsIn(ScoreFile(dir.file()))) {
        const int p = r.slot - 1;
        ASSERT_TRUE(p >= 0 && p < kProcesses);
        EXPECT_EQ(r, recordOf(p, ++lastOf[p]));
    }
    EXPECT_EQ(lastOf, std::vector<int>(kProcesses, kEach - 1));
}

} // namespace
} // namespace tarno

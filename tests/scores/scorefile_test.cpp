// SPDX-License-Identifier: GPL-3.0-or-later
// The score file: counting, reading, appending, locking, failures and damaged files.
#include "scores/scorefile.h"

#include "scores/hiscorelist.h"

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

// A whole record and a damaged end: the end keeps the number the rounding rule gives it,
// but it is never read as a record, readers are told once, and nothing is appended.
class DamagedTail : public ::testing::TestWithParam<std::size_t> {};

TEST_P(DamagedTail, KeepsItsNumberButIsNeverReadNorWrittenOver) {
    TempFolder dir;
    const std::size_t tail = GetParam();
    const ScoreRecord ann = makeRecord(1, "Ann", 1000);
    writeRecords(dir.file(), {ann});
    const RecordBytes b = encodeRecord(makeRecord(1, "Eve", 0, 0, 37));
    std::ofstream(dir.file(), std::ios::app).write(reinterpret_cast<const char*>(b.data()), tail);
    const std::string before = fileBytes(dir.file());

    ScoreFile file(dir.file());
    EXPECT_EQ(file.RecordCount().value(), tail >= 33 ? 2 : 1);
    EXPECT_EQ(recordsIn(file), std::vector<ScoreRecord>{ann});
    if (tail >= 33) {
        EXPECT_NE(file.ReadRecord(2).error().text().find("record 2 is cut short"),
                  std::string::npos);
    }
    const HiScoreList list = buildHiScoreList(file, 1, 0).value();
    EXPECT_EQ(list.entries, 1);
    const auto n = file.AppendRecord(makeRecord(2, "Bob", 5));
    if (tail == 0) {
        EXPECT_TRUE(list.notes.empty());
        EXPECT_EQ(n.value(), 2);
        return;
    }
    ASSERT_EQ(list.notes.size(), 1u);
    EXPECT_NE(list.notes[0].find("ends in a damaged record: its last " + std::to_string(tail)),
              std::string::npos)
        << list.notes[0];
    ASSERT_FALSE(n.ok());
    EXPECT_NE(n.error().text().find("cut back to its 66 bytes"), std::string::npos);
    EXPECT_EQ(fileBytes(dir.file()), before);
}

// No tail; one byte; cut in the name, on both sides of the rounding edge, in the moves.
INSTANTIATE_TEST_SUITE_P(Tails, DamagedTail, ::testing::Values(0, 1, 20, 32, 33, 65));

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

// What cannot be written is refused at once, saying why, and read where it can be: a
// read-only file; a missing one in a read-only folder (an empty list whose reader hears
// why); what is no regular file (opening a FIFO would block until a writer came).
TEST(ScoreFile, WhatCannotBeWrittenIsRefusedAtOnceAndSaysWhy) {
    TempFolder dir;
    writeRecords(dir.file(), {makeRecord(1, "Ann", 1)});
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder"));
    ::chmod(dir.file().c_str(), 0444);
    ::chmod(dir.path().c_str(), 0555);
    const std::string before = fileBytes(dir.file());
    const struct {
        std::string path;
        std::int64_t count; // -1: cannot be read either
        std::string reason;
    } cases[] = {{dir.file(), 1, "Permission denied"},
                 {dir.file("new.lst"), 0, "Permission denied"},
                 {dir.file("fifo"), -1, "it is not a regular file"},
                 {dir.file("folder"), -1, "Is a directory"}};
    for (const auto& c : cases) {
        const pid_t child = spawn([&] {
            ::alarm(20); // a hang ends the child instead of the test run
            // Root would write to the read-only file anyway.
            if (c.count >= 0 && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                return 90;
            ScoreFile file(c.path);
            const std::string why = " the score file \"" + c.path + "\": " + c.reason + ".";
            if (c.count < 0 && (file.RecordCount().error().text() != "Could not open" + why ||
                                file.readAll().ok() || file.ReadRecord(1).ok()))
                return 1;
            if (c.count >= 0) {
                const auto list = buildHiScoreList(file, 1, 0);
                const std::vector<std::string> notes{"Could not create" + why + " The list is empty."};
                if (!list.ok() || list.value().entries != c.count ||
                    list.value().notes != (c.count == 0 ? notes : std::vector<std::string>{}))
                    return 2;
            }
            auto n = file.AppendRecord(makeRecord(1, "Bob", 2));
            return !n.ok() && n.error().reason == c.reason ? 0 : 3;
        });
        EXPECT_EQ(exitCode(child), 0) << c.path;
    }
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

// A reader that takes its time over every record (a pager, a paused pipe) holds no
// lock while it reads: an append from another process goes through at once.
TEST(ScoreFile, SlowReaderNeverKeepsAWriterOut) {
    TempFolder dir;
    writeRecords(dir.file(), std::vector<ScoreRecord>(100, makeRecord(1, "Ann", 1)));
    ScoreFile file(dir.file());
    int appended = -1;
    std::int64_t seen = 0;
    ScoreFile::Visitor v;
    v.each = [&](std::int64_t n, RecordView) {
        ++seen;
        if (n != 1)
            return;
        const pid_t child = spawn([&] {
            auto r = ScoreFile(dir.file()).AppendRecord(makeRecord(2, "Bob", 2));
            return r.ok() && r.value() == 101 ? 0 : 1;
        });
        // Still inside the read: the child must finish while it lasts.
        appended = exitCode(child);
    };
    EXPECT_EQ(file.visit(v).value(), 100);
    EXPECT_EQ(appended, 0);
    EXPECT_EQ(seen, 100); // the read keeps to the count it took
    EXPECT_EQ(file.RecordCount().value(), 101);
}

} // namespace
} // namespace tarno

// The score file: counting, reading, appending, locking, failures and damaged files.
#include "scores/scorefile.h"

#include "scorestestsupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarno {
namespace {

using testing::fileBytes;
using testing::makeRecord;
using testing::TempFolder;
using testing::writeBytes;
using testing::writeRecords;

TEST(RecordCountForLength, RoundsToTheNearestWithHalvesToEven) {
    const std::pair<std::int64_t, std::int64_t> cases[] = {
        {0, 0},  {1, 0},   {32, 0},  {33, 0},  {34, 1},  {66, 1},  {98, 1},
        {99, 2}, {100, 2}, {131, 2}, {132, 2}, {165, 2}, {231, 4}, {-5, 0}};
    for (auto [length, count] : cases)
        EXPECT_EQ(recordCountForLength(length), count) << "length " << length;
}

TEST(ScoreFile, MissingFileCountsZeroAndIsCreatedEmpty) {
    TempFolder dir;
    ScoreFile file(dir.file());
    auto n = file.RecordCount();
    ASSERT_TRUE(n.ok()) << n.error().text();
    EXPECT_EQ(n.value(), 0);
    ASSERT_TRUE(std::filesystem::exists(dir.file()));
    EXPECT_EQ(std::filesystem::file_size(dir.file()), 0u);
}

TEST(ScoreFile, AppendWritesOneWholeRecordAndReadsBack) {
    TempFolder dir;
    ScoreFile file(dir.file());
    const ScoreRecord r = makeRecord(5, "Ann", 125000, 48);
    auto n = file.AppendRecord(r);
    ASSERT_TRUE(n.ok()) << n.error().text();
    EXPECT_EQ(n.value(), 1);
    EXPECT_EQ(std::filesystem::file_size(dir.file()), 66u);
    auto back = file.ReadRecord(1);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), r);
    EXPECT_EQ(back.value().name, "Ann" + std::string(47, ' '));
}

TEST(ScoreFile, RecordsKeepTheirNumbersAndFileOrder) {
    TempFolder dir;
    ScoreFile file(dir.file());
    const std::vector<ScoreRecord> in = {makeRecord(1, "a", 10), makeRecord(12, "b", 0, 7),
                                         makeRecord(1, "c", 5)};
    for (std::size_t i = 0; i < in.size(); ++i)
        EXPECT_EQ(file.AppendRecord(in[i]).value(), static_cast<std::int64_t>(i + 1));
    auto all = file.readAll();
    ASSERT_TRUE(all.ok());
    ASSERT_EQ(all.value().size(), 3u);
    for (std::size_t i = 0; i < in.size(); ++i) {
        EXPECT_EQ(all.value()[i].number, static_cast<std::int64_t>(i + 1));
        EXPECT_EQ(all.value()[i].record, in[i]);
    }
    EXPECT_EQ(file.RecordCount().value(), 3);
}

TEST(ScoreFile, ReadingARecordThatIsNotThereIsAnError) {
    TempFolder dir;
    ScoreFile file(dir.file());
    file.AppendRecord(makeRecord(1, "a"));
    for (std::int64_t n : {0, 2, -1}) {
        auto r = file.ReadRecord(n);
        ASSERT_FALSE(r.ok()) << n;
        EXPECT_NE(r.error().text().find("there is no record " + std::to_string(n)),
                  std::string::npos);
    }
}

// Tails of a damaged file: a short tail is not a record and the next append covers it;
// a long one is a record whose missing bytes read as blanks, and the append completes it.
struct TailCase {
    std::size_t tail;        // bytes after one whole record
    std::int64_t count;      // records counted
    std::int64_t appendedAs; // number of the next append
};

class DamagedTail : public ::testing::TestWithParam<TailCase> {};

TEST_P(DamagedTail, IsReadByTheRoundingRuleAndAppendedAfter) {
    TempFolder dir;
    const TailCase c = GetParam();
    const ScoreRecord first = makeRecord(1, "Ann", 1000);
    const ScoreRecord partial = makeRecord(14, "Eve", 61000, 0, 37);
    const RecordBytes a = encodeRecord(first);
    const RecordBytes b = encodeRecord(partial);
    std::vector<std::uint8_t> bytes(a.begin(), a.end());
    for (std::size_t k = 0; k < c.tail; ++k)
        bytes.push_back(b[k]);
    writeBytes(dir.file(), bytes);

    ScoreFile file(dir.file());
    EXPECT_EQ(file.RecordCount().value(), c.count);
    auto all = file.readAll();
    ASSERT_TRUE(all.ok());
    ASSERT_EQ(static_cast<std::int64_t>(all.value().size()), c.count);
    ScoreRecord expectedPartial;
    if (c.count == 2) {
        // Bytes that are there read as stored; the rest as spaces and zeros.
        RecordBytes blank = blankRecordBytes();
        std::copy(b.begin(), b.begin() + static_cast<long>(c.tail), blank.begin());
        expectedPartial = decodeRecord(blank);
        EXPECT_EQ(all.value()[1].record, expectedPartial);
        EXPECT_EQ(file.ReadRecord(2).value(), expectedPartial);
    }

    const ScoreRecord next = makeRecord(2, "Bob", 5);
    auto n = file.AppendRecord(next);
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(n.value(), c.appendedAs);
    EXPECT_EQ(std::filesystem::file_size(dir.file()),
              static_cast<std::uintmax_t>(66 * c.appendedAs));
    EXPECT_EQ(file.ReadRecord(1).value(), first);
    EXPECT_EQ(file.ReadRecord(c.appendedAs).value(), next);
    if (c.count == 2) {
        EXPECT_EQ(file.ReadRecord(2).value(), expectedPartial); // reads the same as before
    }
}

INSTANTIATE_TEST_SUITE_P(Tails, DamagedTail,
                         ::testing::Values(TailCase{1, 1, 2}, TailCase{20, 1, 2},
                                           TailCase{33, 2, 3}, TailCase{34, 2, 3},
                                           TailCase{56, 2, 3}, TailCase{65, 2, 3}));

TEST(ScoreFile, FullDiskLeavesTheFileAsItWasAndSaysWhy) {
    TempFolder dir;
    ScoreFile file(dir.file());
    ASSERT_TRUE(file.AppendRecord(makeRecord(1, "Ann", 1)).ok());
    ASSERT_TRUE(file.AppendRecord(makeRecord(1, "Bob", 2)).ok());
    const auto before = fileBytes(dir.file());

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    // Room for part of the next record only: the write stops half-way.
    for (rlim_t room : {rlim_t{132}, rlim_t{132 + 30}}) {
        rlimit small = saved;
        small.rlim_cur = room;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        auto n = file.AppendRecord(makeRecord(1, "Cy", 3));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ASSERT_FALSE(n.ok()) << "room " << room;
        EXPECT_NE(n.error().text().find(dir.file()), std::string::npos) << n.error().text();
        EXPECT_NE(n.error().text().find("File too large"), std::string::npos) << n.error().text();
        EXPECT_EQ(fileBytes(dir.file()), before) << "room " << room;
    }
    EXPECT_EQ(file.AppendRecord(makeRecord(1, "Cy", 3)).value(), 3);
}

// Runs `body` in a child that has given up root, so permissions apply; gives its exit code.
template <class F> int asUnprivilegedChild(F body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(90);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

TEST(ScoreFile, ReadOnlyFileCanBeReadButNotAppendedTo) {
    TempFolder dir;
    ::chmod(dir.path().c_str(), 0755);
    writeRecords(dir.file(), {makeRecord(1, "Ann", 1)});
    ::chmod(dir.file().c_str(), 0444);
    const auto before = fileBytes(dir.file());
    const int rc = asUnprivilegedChild([&] {
        ScoreFile file(dir.file());
        if (!file.RecordCount().ok() || file.RecordCount().value() != 1)
            return 1;
        auto n = file.AppendRecord(makeRecord(1, "Bob", 2));
        if (n.ok())
            return 2;
        const std::string text = n.error().text();
        if (text.find("Could not open the score file \"" + dir.file() + "\": Permission denied") ==
            std::string::npos)
            return 3;
        return 0;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(fileBytes(dir.file()), before);
}

TEST(ScoreFile, MissingFileInReadOnlyFolderIsAnError) {
    TempFolder dir;
    ::chmod(dir.path().c_str(), 0555);
    const int rc = asUnprivilegedChild([&] {
        ScoreFile file(dir.file());
        auto n = file.RecordCount();
        return !n.ok() && n.error().reason == "Permission denied" ? 0 : 1;
    });
    EXPECT_EQ(rc, 0);
}

TEST(ScoreFile, PathThatIsAFolderIsAnErrorNamingIt) {
    TempFolder dir;
    std::filesystem::create_directory(dir.file());
    ScoreFile file(dir.file());
    auto n = file.AppendRecord(makeRecord(1, "Ann"));
    ASSERT_FALSE(n.ok());
    EXPECT_EQ(n.error().text(),
              "Could not open the score file \"" + dir.file() + "\": Is a directory.");
    EXPECT_FALSE(file.readAll().ok());
}

TEST(ScoreFile, RelativePathIsNamedWithItsFolder) {
    TempFolder dir;
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ScoreFile file;
    EXPECT_EQ(file.displayPath(), std::filesystem::current_path().string() + "/scores.lst");
    EXPECT_TRUE(file.AppendRecord(makeRecord(1, "Ann")).ok());
    std::filesystem::current_path(cwd);
    EXPECT_EQ(std::filesystem::file_size(dir.file()), 66u);
}

TEST(ScoreFile, ConcurrentAppendsFromSeveralProcessesAllLandIntact) {
    TempFolder dir;
    constexpr int kProcesses = 6;
    constexpr int kEach = 40;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ScoreFile file(dir.file());
            for (int i = 0; i < kEach; ++i) {
                const ScoreRecord r =
                    makeRecord(p + 1, "p" + std::to_string(p) + "-" + std::to_string(i), i, p, i);
                auto n = file.AppendRecord(r);
                // A record's number is its own: reading it back gives what was written.
                if (!n.ok() || !(file.ReadRecord(n.value()).value() == r))
                    ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(std::filesystem::file_size(dir.file()), 66u * kProcesses * kEach);
    auto all = ScoreFile(dir.file()).readAll();
    ASSERT_TRUE(all.ok());
    std::set<std::pair<int, int>> seen;
    std::vector<int> lastOf(kProcesses, -1);
    for (const NumberedRecord& nr : all.value()) {
        const ScoreRecord& r = nr.record;
        const int p = r.slot - 1;
        ASSERT_TRUE(p >= 0 && p < kProcesses);
        const int i = r.timeMs;
        EXPECT_EQ(r, makeRecord(p + 1, "p" + std::to_string(p) + "-" + std::to_string(i), i, p, i));
        EXPECT_TRUE(seen.insert({p, i}).second);
        EXPECT_GT(i, lastOf[p]); // each process's records stay in its own order
        lastOf[p] = i;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kProcesses * kEach));
}

TEST(ScoreFile, VisitPeeksTheMarkedRecordBeforeThePass) {
    TempFolder dir;
    writeRecords(dir.file(), {makeRecord(1, "a"), makeRecord(2, "b"), makeRecord(3, "c")});
    ScoreFile file(dir.file());
    std::vector<std::int64_t> order;
    ScoreFile::Visitor v;
    v.peek = 2;
    v.before = [&](std::int64_t count, const RecordBytes* peeked) {
        EXPECT_EQ(count, 3);
        ASSERT_NE(peeked, nullptr);
        EXPECT_EQ(decodeRecord(*peeked).slot, 2);
        order.push_back(0);
    };
    v.each = [&](std::int64_t n, RecordView) { order.push_back(n); };
    EXPECT_EQ(file.visit(v).value(), 3);
    EXPECT_EQ(order, (std::vector<std::int64_t>{0, 1, 2, 3}));
}

} // namespace
} // namespace tarno

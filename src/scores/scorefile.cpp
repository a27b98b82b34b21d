// Score file access over POSIX I/O with advisory locks shared by every instance.
#include "scores/scorefile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tarno {
namespace {

constexpr std::int64_t kRecord = static_cast<std::int64_t>(kRecordSize);
// Another instance holds the lock only for one append or one read; waiting longer
// than this means something is wrong with the file, and the player should hear of it.
constexpr auto kLockPatience = std::chrono::seconds(10);
constexpr std::size_t kBlockRecords = 4096;

std::string reasonOf(int err) {
    return std::strerror(err);
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closing reports late write errors on some file systems, so appends check it.
    int release() {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }

private:
    int m_fd;
};

// Waits for the lock without blocking forever on a file that some other program
// keeps locked.
int lockFile(int fd, int how) {
    const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
    for (;;) {
        if (::flock(fd, how | LOCK_NB) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return errno;
        if (std::chrono::steady_clock::now() >= deadline)
            return EWOULDBLOCK;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Reads up to `size` bytes at `offset`; fewer only at the end of the file.
ssize_t readFully(int fd, std::uint8_t* buf, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, buf + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

int writeFully(int fd, const std::uint8_t* buf, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, buf + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// A write beyond the file-size limit raises SIGXFSZ, which would end the program;
// ignored, the write fails with EFBIG and is reported like a full disk.
void ignoreFileSizeSignal() {
    static const bool once = [] {
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)once;
}

struct Opened {
    int fd = -1;
    ScoreError error;
};

} // namespace

std::string ScoreError::text() const {
    return "Could not " + action + " the score file \"" + file + "\": " + reason + ".";
}

std::int64_t recordCountForLength(std::int64_t length) {
    if (length <= 0)
        return 0;
    const std::int64_t whole = length / kRecord;
    const std::int64_t rest = length % kRecord;
    if (rest * 2 < kRecord)
        return whole;
    if (rest * 2 > kRecord)
        return whole + 1;
    return whole % 2 == 0 ? whole : whole + 1;
}

ScoreFile::ScoreFile(std::string path) : m_path(std::move(path)) {}

std::string ScoreFile::displayPath() const {
    if (!m_path.empty() && m_path[0] == '/')
        return m_path;
    char buf[4096];
    if (::getcwd(buf, sizeof buf) == nullptr)
        return m_path;
    std::string dir(buf);
    return dir == "/" ? "/" + m_path : dir + "/" + m_path;
}

namespace {

// Opens (creating the file empty when missing) and locks; on failure `error` says why.
Opened openLocked(const ScoreFile& file, int flags, int lock) {
    Opened o;
    const int fd = ::open(file.path().c_str(), flags | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        o.error = {file.displayPath(), "open", reasonOf(errno)};
        return o;
    }
    if (const int err = lockFile(fd, lock); err != 0) {
        ::close(fd);
        o.error = {file.displayPath(), "lock",
                   err == EWOULDBLOCK ? "another program keeps it locked" : reasonOf(err)};
        return o;
    }
    o.fd = fd;
    return o;
}

ScoreOutcome<std::int64_t> lengthOf(const ScoreFile& file, int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return ScoreError{file.displayPath(), "read", reasonOf(errno)};
    return static_cast<std::int64_t>(st.st_size);
}

} // namespace

ScoreOutcome<std::int64_t> ScoreFile::RecordCount() const {
    // A visit that wants no records only opens, locks and counts.
    return visit(Visitor{});
}

ScoreOutcome<ScoreRecord> ScoreFile::ReadRecord(std::int64_t n) const {
    ScoreOutcome<ScoreRecord> result = ScoreRecord{};
    Visitor v;
    v.peek = n;
    bool found = false;
    v.before = [&](std::int64_t, const RecordBytes* bytes) {
        if (bytes) {
            result = decodeRecord(*bytes);
            found = true;
        }
    };
    // Only the peeked record is wanted: the visit stops before the pass.
    auto count = visit(v);
    if (!count)
        return count.error();
    if (!found)
        return ScoreError{displayPath(), "read",
                          "there is no record " + std::to_string(n) + " among its " +
                              std::to_string(count.value()) + " records"};
    return result;
}

ScoreOutcome<std::vector<NumberedRecord>> ScoreFile::readAll() const {
    std::vector<NumberedRecord> all;
    Visitor v;
    v.before = [&](std::int64_t count, const RecordBytes*) {
        all.reserve(static_cast<std::size_t>(count));
    };
    v.each = [&](std::int64_t n, RecordView bytes) { all.push_back({n, decodeRecord(bytes)}); };
    auto count = visit(v);
    if (!count)
        return count.error();
    return all;
}

ScoreOutcome<std::int64_t> ScoreFile::visit(const Visitor& visitor) const {
    Opened o = openLocked(*this, O_RDONLY, LOCK_SH);
    if (o.fd < 0)
        return o.error;
    Fd fd(o.fd);
    auto length = lengthOf(*this, fd.get());
    if (!length)
        return length.error();
    const std::int64_t count = recordCountForLength(length.value());
    const auto readError = [&] { return ScoreError{displayPath(), "read", reasonOf(errno)}; };

    if (visitor.before) {
        RecordBytes peeked = blankRecordBytes();
        bool have = false;
        if (visitor.peek >= 1 && visitor.peek <= count) {
            if (readFully(fd.get(), peeked.data(), kRecordSize,
                          static_cast<off_t>((visitor.peek - 1) * kRecord)) < 0)
                return readError();
            have = true;
        }
        visitor.before(count, have ? &peeked : nullptr);
    }
    if (!visitor.each)
        return count;

    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    std::vector<std::uint8_t> block(kBlockRecords * kRecordSize);
    std::uint8_t slotBytes[4] = {};
    if (visitor.onlySlot) {
        const RecordBytes probe = encodeRecord(ScoreRecord{*visitor.onlySlot});
        std::memcpy(slotBytes, probe.data(), 4);
    }
    RecordBytes partial = blankRecordBytes();
    std::int64_t number = 0;
    off_t offset = 0;
    while (number < count) {
        const std::int64_t want = std::min<std::int64_t>(count - number, kBlockRecords);
        const ssize_t got =
            readFully(fd.get(), block.data(), static_cast<std::size_t>(want) * kRecordSize, offset);
        if (got < 0)
            return readError();
        offset += got;
        // A record cut short reads its missing bytes as blanks; a file that another
        // program shortened meanwhile simply ends early.
        const std::int64_t present = std::min<std::int64_t>((got + kRecord - 1) / kRecord, want);
        for (std::int64_t k = 0; k < present; ++k) {
            const std::uint8_t* src = block.data() + k * kRecord;
            ++number;
            const std::int64_t have = std::min<std::int64_t>(got - k * kRecord, kRecord);
            if (have < kRecord) {
                std::memcpy(partial.data(), src, static_cast<std::size_t>(have));
                src = partial.data();
            }
            if (visitor.onlySlot && std::memcmp(src, slotBytes, 4) != 0)
                continue;
            visitor.each(number, RecordView(src, kRecordSize));
        }
        if (present < want)
            break;
    }
    return count;
}

ScoreOutcome<std::int64_t> ScoreFile::AppendRecord(const ScoreRecord& record) {
    ignoreFileSizeSignal();
    Opened o = openLocked(*this, O_RDWR, LOCK_EX);
    if (o.fd < 0)
        return o.error;
    Fd fd(o.fd);
    auto length = lengthOf(*this, fd.get());
    if (!length)
        return length.error();
    const std::int64_t before = length.value();
    const std::int64_t count = recordCountForLength(before);
    const std::int64_t start = count * kRecord;

    // A damaged tail that counts as a record is completed with the blanks it already
    // reads as, so the new record lands on its own position and the old one reads the same.
    std::vector<std::uint8_t> out;
    std::int64_t writeAt = start;
    if (before > start - kRecord && before < start) {
        const std::int64_t missingFrom = before - (start - kRecord);
        const RecordBytes& blank = blankRecordBytes();
        out.assign(blank.begin() + missingFrom, blank.end());
        writeAt = before;
    }
    const RecordBytes bytes = encodeRecord(record);
    out.insert(out.end(), bytes.begin(), bytes.end());

    const auto fail = [&](const char* action, int err) -> ScoreOutcome<std::int64_t> {
        // Nothing that was in the file before is lost: cut back what this append added.
        if (::ftruncate(fd.get(), static_cast<off_t>(before)) == 0)
            ::fsync(fd.get());
        return ScoreError{displayPath(), action, reasonOf(err)};
    };
    if (const int err = writeFully(fd.get(), out.data(), out.size(), static_cast<off_t>(writeAt));
        err != 0)
        return fail("write to", err);
    if (::fsync(fd.get()) != 0)
        return fail("write to", errno);
    if (fd.release() != 0)
        return ScoreError{displayPath(), "write to", reasonOf(errno)};
    return count + 1;
}

} // namespace tarno

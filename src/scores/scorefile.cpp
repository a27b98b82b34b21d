// SPDX-License-Identifier: GPL-3.0-or-later
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
// Readers hold the lock only while they take the count, writers for one append. A
// lock that stays taken this long while no append goes through means that some other
// program keeps the file locked, and the player should hear of it.
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

std::int64_t sizeOf(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

// Waits for the lock as long as the file is merely busy: the patience starts again
// whenever the file has grown, that is whenever another append went through. Only a
// lock that stays taken while nothing is appended ends the wait. The first retries
// follow each other closely, as a lock is normally held for microseconds.
int lockFile(int fd, int how) {
    auto deadline = std::chrono::steady_clock::now() + kLockPatience;
    std::int64_t lastSize = sizeOf(fd);
    auto pause = std::chrono::microseconds(50);
    for (;;) {
        if (::flock(fd, how | LOCK_NB) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return errno;
        const auto now = std::chrono::steady_clock::now();
        if (const std::int64_t size = sizeOf(fd); size != lastSize) {
            lastSize = size;
            deadline = now + kLockPatience;
        } else if (now >= deadline) {
            return EWOULDBLOCK;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min<std::chrono::microseconds>(pause * 2, std::chrono::milliseconds(5));
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
    // Only for reads: the file does not exist and could not be created.
    bool missing = false;
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

ScoreFile::ScoreFile(std::string path, Missing missing)
    : m_path(std::move(path)), m_missing(missing) {}

std::string ScoreFile::displayPath() const {
    // An empty path names no file; made absolute it would name the folder.
    if (m_path.empty() || m_path[0] == '/')
        return m_path;
    char buf[4096];
    if (::getcwd(buf, sizeof buf) == nullptr)
        return m_path;
    std::string dir(buf);
    return dir == "/" ? "/" + m_path : dir + "/" + m_path;
}

namespace {

// Opens (creating the file empty when missing), refuses anything but a regular file,
// and locks; on failure `error` says why. The open does not wait: a FIFO would block
// in it until some writer came along.
Opened openLocked(const ScoreFile& file, int flags, int lock) {
    Opened o;
    const std::string& path = file.path();
    const bool creating = file.createsWhenMissing() || (flags & O_ACCMODE) != O_RDONLY;
    const int fd = path.empty() ? (errno = ENOENT, -1)
                                : ::open(path.c_str(),
                                         flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                                             (creating ? O_CREAT : 0),
                                         0666);
    if (fd < 0) {
        const int err = errno;
        struct stat st {};
        o.missing = !path.empty() && (flags & O_ACCMODE) == O_RDONLY &&
                    ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
        o.error = {file.displayPath(), o.missing && creating ? "create" : "open", reasonOf(err)};
        return o;
    }
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        o.error = {file.displayPath(), "open",
                   !known                ? reasonOf(errno)
                   : S_ISDIR(st.st_mode) ? reasonOf(EISDIR)
                                         : "it is not a regular file"};
        ::close(fd);
        return o;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
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
    if (!found && n >= 1 && n == count.value())
        return ScoreError{displayPath(), "read",
                          "record " + std::to_string(n) +
                              " is cut short: the file ends in a damaged record"};
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
    if (o.missing) {
        // Nothing to read is an empty list; a reader that meant to create the file still
        // hears why there is none.
        if (visitor.note && createsWhenMissing())
            visitor.note(o.error.text() + " The list is empty.");
        if (visitor.before)
            visitor.before(0, nullptr);
        return std::int64_t{0};
    }
    if (o.fd < 0)
        return o.error;
    Fd fd(o.fd);
    auto length = lengthOf(*this, fd.get());
    if (!length)
        return length.error();
    // Records are only ever appended, and an append never writes below the length seen
    // here: the count is all the lock is needed for, so no reader keeps a writer out
    // for longer than it takes to look at the length.
    ::flock(fd.get(), LOCK_UN);
    const std::int64_t count = recordCountForLength(length.value());
    // A damaged end keeps its number by the rounding rule but is never read as a record.
    const std::int64_t whole = length.value() / kRecord;
    if (length.value() % kRecord != 0 && visitor.note)
        visitor.note(damagedEndText(length.value()));
    const auto readError = [&] { return ScoreError{displayPath(), "read", reasonOf(errno)}; };

    if (visitor.before) {
        RecordBytes peeked{};
        bool have = false;
        if (visitor.peek >= 1 && visitor.peek <= whole) {
            const ssize_t got = readFully(fd.get(), peeked.data(), kRecordSize,
                                          static_cast<off_t>((visitor.peek - 1) * kRecord));
            if (got < 0)
                return readError();
            have = got == kRecord;
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
    std::int64_t number = 0;
    off_t offset = 0;
    while (number < whole) {
        const std::int64_t want = std::min<std::int64_t>(whole - number, kBlockRecords);
        const ssize_t got =
            readFully(fd.get(), block.data(), static_cast<std::size_t>(want) * kRecordSize, offset);
        if (got < 0)
            return readError();
        offset += got;
        // A file that another program shortened meanwhile simply ends early.
        const std::int64_t present = got / kRecord;
        for (std::int64_t k = 0; k < present; ++k) {
            const std::uint8_t* src = block.data() + k * kRecord;
            ++number;
            if (visitor.onlySlot && std::memcmp(src, slotBytes, 4) != 0)
                continue;
            visitor.each(number, RecordView(src, kRecordSize));
        }
        if (present < want)
            break;
    }
    return count;
}

std::string ScoreFile::damagedEndText(std::int64_t length) const {
    const std::int64_t tail = length % kRecord;
    return "The score file \"" + displayPath() + "\" ends in a damaged record: its last " +
           std::to_string(tail) + (tail == 1 ? " byte is" : " bytes are") +
           " not a whole record. They are not shown, and no result can be added until the file "
           "is cut back to its " +
           std::to_string(length - tail) + " bytes of whole records.";
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
    // The new record would have to fill up or cover the damaged end, which may be part
    // of a result or of a file that is no score file at all: nothing is written.
    if (before % kRecord != 0)
        return ScoreError{
            displayPath(), "add to",
            "it ends in a damaged record (its last " + std::to_string(before % kRecord) +
                " bytes are not a whole record) and is left as it is until it is "
                "cut back to its " +
                std::to_string(before - before % kRecord) + " bytes of whole records"};
    const std::int64_t count = before / kRecord;
    const RecordBytes out = encodeRecord(record);
    const off_t writeAt = static_cast<off_t>(before);

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

std::string lastRecordedName(const ScoreFile& file) {
    const ScoreOutcome<std::int64_t> count = file.RecordCount();
    if (!count || count.value() < 1)
        return {};
    const ScoreOutcome<ScoreRecord> last = file.ReadRecord(count.value());
    return last ? trimmedName(last.value().name) : std::string{};
}

} // namespace tarno

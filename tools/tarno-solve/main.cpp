// SPDX-License-Identifier: GPL-3.0-or-later
// tarno-solve: answers puzzle requests, one per line, from files or standard input.
#include "platform/buildsettings.h"
#include "solver/search.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <getopt.h>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The longest request line: a header, 40 pieces and 40 fixed pieces with their cells
// and rotations (1 + 40 + 3 x 40 items), each item of at most 12 characters, and the
// 160 commas between them. Real requests are far shorter (pieces have at most six
// characters); a longer line cannot be a request, and memory stays bounded.
constexpr std::size_t kMaxItems = 1 + 40 + 3 * 40;
constexpr std::size_t kMaxItemLength = 12;
constexpr std::size_t kMaxLine = kMaxItems * kMaxItemLength + (kMaxItems - 1);

const char* const kHelp =
    "Usage: tarno-solve [--stats] [--timeout SECONDS] [--nodes N] [--] [FILE...]\n"
    "Reads puzzle requests, one per line, from the FILEs or from standard input\n"
    "(\"-\" also names standard input). A request is the argument text of the\n"
    "\"solvepuzzle\" command, for example tarno9*9,3230,3001,0012,...\n"
    "Prints one line per request in the same order: the answer (the pieces of\n"
    "cells 1..count followed by their rotations), or an empty line when the\n"
    "puzzle has no solution, the request is malformed or its search was cut off.\n"
    "A carriage return at the end of a line is ignored. A line longer than 2092\n"
    "characters (161 items of 12 characters and their commas) is refused with a\n"
    "message on standard error and answered with an empty line.\n"
    "\n"
    "  --stats            also print, on standard error, one line per request:\n"
    "                     <outcome> nodes=<pieces laid> time=<microseconds>us [(<note>)]\n"
    "                     outcome is solved, no-solution, stopped or malformed;\n"
    "                     the note says why a request was malformed or stopped,\n"
    "                     and names two fixed pieces that do not match each other\n"
    "  --timeout SECONDS  cut off the search of a request after this time\n"
    "  --nodes N          cut off the search of a request after N pieces laid\n"
    "  --help             print this text\n"
    "  --version          print the version\n"
    "\n"
    "Exit status: 0 when every input could be read and every answer written,\n"
    "1 when the output could not be written, 2 for a bad option or a FILE that\n"
    "cannot be read.\n";

int g_outputErrno = 0;

// Standard output, written and flushed with a check; after a failure nothing more is
// written and the program ends with status 1.
bool writeOut(std::string_view text) {
    if (g_outputErrno == 0 && std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        g_outputErrno = errno != 0 ? errno : EIO;
    return g_outputErrno == 0;
}

bool flushOut() {
    if (g_outputErrno == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        g_outputErrno = errno != 0 ? errno : EIO;
    return g_outputErrno == 0;
}

int outputFailed() {
    std::cerr << "tarno-solve: could not write the output: " << std::strerror(g_outputErrno)
              << "\n";
    return 1;
}

// A command-line value quoted in a message: at most its first 40 characters.
std::string quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    return "\"" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}

// Ends the search when the time is up: called between search steps like a window's
// event pump, it raises the stop flag the search reads.
class DeadlinePump final : public tarno::EventPump {
public:
    DeadlinePump(std::atomic<bool>& stop, std::chrono::steady_clock::time_point deadline)
        : m_stop(stop), m_deadline(deadline) {}
    void processPendingEvents() override {
        if (std::chrono::steady_clock::now() >= m_deadline) {
            m_stop.store(true, std::memory_order_relaxed);
            m_expired = true;
        }
    }
    bool expired() const { return m_expired; }

private:
    std::atomic<bool>& m_stop;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_expired = false;
};

// Lines of a file descriptor, each at most kMaxLine characters; the rest of a longer
// line is read and dropped, so memory stays bounded whatever the input.
class LineReader {
public:
    explicit LineReader(int fd) : m_fd(fd) {}
    enum class Result { Line, TooLong, End, Error };
    Result next(std::string& line) {
        line.clear();
        bool tooLong = false;
        bool any = false;
        for (;;) {
            if (m_pos == m_end && !fill()) {
                if (m_errno != 0)
                    return Result::Error;
                return any ? finish(line, tooLong) : Result::End; // a last line without end
            }
            any = true;
            const char* start = m_buf + m_pos;
            const char* nl = static_cast<const char*>(std::memchr(start, '\n', m_end - m_pos));
            const std::size_t n = nl ? static_cast<std::size_t>(nl - start) : m_end - m_pos;
            // One character more than the limit may be the carriage return.
            if (!tooLong && line.size() + n > kMaxLine + 1) {
                tooLong = true;
                line.clear();
            }
            if (!tooLong)
                line.append(start, n);
            m_pos += n;
            if (nl) {
                ++m_pos;
                return finish(line, tooLong);
            }
        }
    }
    int error() const { return m_errno; }

private:
    Result finish(std::string& line, bool tooLong) {
        if (tooLong)
            return Result::TooLong;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > kMaxLine) {
            line.clear();
            return Result::TooLong;
        }
        return Result::Line;
    }
    bool fill() {
        for (;;) {
            const ssize_t n = ::read(m_fd, m_buf, sizeof m_buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                m_errno = errno;
            m_pos = 0;
            m_end = n > 0 ? static_cast<std::size_t>(n) : 0;
            return n > 0;
        }
    }
    int m_fd;
    char m_buf[65536];
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    int m_errno = 0;
};

struct Run {
    bool stats = false;
    std::optional<double> timeoutSeconds;
    std::uint64_t nodeLimit = 0;

    void report(const char* outcome, std::uint64_t nodes, long long us, const std::string& note) {
        if (!stats)
            return;
        std::cerr << outcome << " nodes=" << nodes << " time=" << us << "us";
        if (!note.empty())
            std::cerr << " (" << note << ")";
        std::cerr << '\n';
    }

    void answer(const std::string& text) {
        const auto start = std::chrono::steady_clock::now();
        std::atomic<bool> stop{false};
        tarno::NullEventPump nullPump;
        std::optional<DeadlinePump> deadlinePump;
        tarno::EventPump* pump = &nullPump;
        tarno::SolveOptions options;
        options.nodeLimit = nodeLimit;
        if (timeoutSeconds) {
            deadlinePump.emplace(
                stop, start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                  std::chrono::duration<double>(*timeoutSeconds)));
            pump = &*deadlinePump;
            options.pumpIntervalNs = 1'000'000;
        }
        const std::vector<std::string> items = tarno::splitItems(text);
        const tarno::SolveResult r = tarno::SolveRequest(items, *pump, stop, options);
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        writeOut(r.answer);
        writeOut("\n");
        std::string note = r.problem;
        if (r.outcome == tarno::SolveOutcome::Stopped)
            note = r.stats.nodeLimitReached
                       ? "node limit of " + std::to_string(nodeLimit) + " reached"
                       : "time limit reached";
        // Fixed pieces that do not match each other are taken as given, so the answer
        // depends on whether any cell is left to search; the note is the same either way.
        if (r.outcome == tarno::SolveOutcome::Solved ||
            r.outcome == tarno::SolveOutcome::NoSolution) {
            const tarno::ParsedRequest parsed = tarno::parseRequest(items);
            if (parsed.request)
                if (const auto clash = tarno::clashingFixedPieces(*parsed.request))
                    note = "fixed pieces in cells " + std::to_string(clash->cell) + " and " +
                           std::to_string(clash->neighbour) + " do not match";
        }
        report(tarno::outcomeName(r.outcome), r.stats.nodes, us, note);
    }

    // False when the input could not be read to its end.
    bool answerAll(int fd, const std::string& name) {
        LineReader reader(fd);
        std::string text;
        std::uint64_t line = 0;
        for (;;) {
            switch (reader.next(text)) {
            case LineReader::Result::Line:
                ++line;
                answer(text);
                break;
            case LineReader::Result::TooLong:
                ++line;
                std::cerr << "tarno-solve: " << name << ":" << line << ": line longer than "
                          << kMaxLine << " characters, refused\n";
                writeOut("\n");
                report("malformed", 0, 0, "line longer than " + std::to_string(kMaxLine));
                break;
            case LineReader::Result::End:
                return true;
            case LineReader::Result::Error:
                std::cerr << "tarno-solve: cannot read " << name << ": "
                          << std::strerror(reader.error()) << "\n";
                return false;
            }
            if (!flushOut())
                return true; // reported once, by the caller
        }
    }
};

std::optional<double> parseSeconds(std::string_view s) {
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size() || !std::isfinite(v) || v <= 0 || v > 1e9)
        return std::nullopt;
    return v;
}

std::optional<std::uint64_t> parseCount(std::string_view s) {
    std::uint64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size() || v == 0)
        return std::nullopt;
    return v;
}

int badOption(const std::string& text) {
    std::cerr << "tarno-solve: " << text << "\nTry 'tarno-solve --help'.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Run run;
    enum { kHelpOption = 'h', kStats = 256, kTimeout, kNodes, kVersion };
    const option longOptions[] = {{"help", no_argument, nullptr, kHelpOption},
                                  {"version", no_argument, nullptr, kVersion},
                                  {"stats", no_argument, nullptr, kStats},
                                  {"timeout", required_argument, nullptr, kTimeout},
                                  {"nodes", required_argument, nullptr, kNodes},
                                  {nullptr, 0, nullptr, 0}};
    opterr = 0; // the messages below say it our way
    for (;;) {
        const int opt = getopt_long(argc, argv, ":h", longOptions, nullptr);
        if (opt == -1)
            break;
        switch (opt) {
        case kHelpOption:
            writeOut(kHelp);
            return flushOut() ? 0 : outputFailed();
        case kVersion:
            writeOut("tarno-solve " TARNO_VERSION "\n");
            return flushOut() ? 0 : outputFailed();
        case kStats:
            run.stats = true;
            break;
        case kTimeout:
            run.timeoutSeconds = parseSeconds(optarg);
            if (!run.timeoutSeconds)
                return badOption("--timeout needs a number of seconds above 0, not " +
                                 quoted(optarg));
            break;
        case kNodes:
            run.nodeLimit = parseCount(optarg).value_or(0);
            if (run.nodeLimit == 0)
                return badOption("--nodes needs a whole number above 0, not " + quoted(optarg));
            break;
        case ':':
            return badOption(std::string(argv[optind - 1]) + " needs a value");
        default:
            return badOption("unknown option " + quoted(optopt ? std::string{'-', static_cast<char>(optopt)}
                                                               : std::string(argv[optind - 1])));
        }
    }
    std::vector<const char*> files(argv + optind, argv + argc);
    if (files.empty())
        files.push_back("-");
    int status = 0;
    for (const char* name : files) {
        if (std::strcmp(name, "-") == 0) {
            if (!run.answerAll(STDIN_FILENO, "standard input"))
                status = 2;
        } else {
            const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
            struct stat st {};
            if (fd < 0 || ::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
                const int err = fd < 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : errno;
                std::cerr << "tarno-solve: cannot read " << name << ": " << std::strerror(err)
                          << "\n";
                if (fd >= 0)
                    ::close(fd);
                status = 2;
                continue;
            }
            if (!run.answerAll(fd, name))
                status = 2;
            ::close(fd);
        }
        if (g_outputErrno != 0)
            break;
    }
    if (!flushOut())
        return outputFailed();
    return status;
}
